// Dependency properties: the process-wide property records, their metadata, lookup by name,
// and the per-object property store.
#pragma once

#include "markup/ZPMarkupObject.h"

#include <vector>

// Metadata flags of a property; a routed event uses kZpMarkupEventBubble alone.
const DWORD kZpMarkupInherits = 1;
const DWORD kZpMarkupAffectsArrange = 2;
const DWORD kZpMarkupAffectsMeasure = 4;
const DWORD kZpMarkupAffectsRender = 32;
const DWORD kZpMarkupEventBubble = 1;

struct MarkupPropertyChangedEventArgs
{
    CZPMarkupDependencyProperty* pProperty;  // borrowed
    CZPMarkupObject* pOldValue;              // borrowed
    CZPMarkupObject* pNewValue;              // borrowed
};

// Turns attribute text into a value for one property: a new reference, or NULL.
typedef CZPMarkupObject* (*PFNZPMARKUPCONVERTER)(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue);
typedef void (*PFNZPMARKUPPROPERTYCHANGED)(CZPMarkupObject* pObject, MarkupPropertyChangedEventArgs* pArgs);

class CZPMarkupPropertyMetadata
{
public:
    // Each takes over the caller's reference to the default value.
    CZPMarkupPropertyMetadata(CZPMarkupObject* pDefaultValue, DWORD dwFlags);
    CZPMarkupPropertyMetadata(CZPMarkupObject* pDefaultValue, PFNZPMARKUPCONVERTER pfnConverter, DWORD dwFlags);
    CZPMarkupPropertyMetadata(CZPMarkupObject* pDefaultValue, PFNZPMARKUPPROPERTYCHANGED pfnChanged, DWORD dwFlags);
    CZPMarkupPropertyMetadata(CZPMarkupObject* pDefaultValue, PFNZPMARKUPCONVERTER pfnConverter,
                              PFNZPMARKUPPROPERTYCHANGED pfnChanged, DWORD dwFlags);
    virtual ~CZPMarkupPropertyMetadata();

    CZPMarkupObject* m_pDefaultValue;  // owned reference
    PFNZPMARKUPCONVERTER m_pfnConverter;
    PFNZPMARKUPPROPERTYCHANGED m_pfnChanged;
    DWORD m_dwFlags;

private:
    CZPMarkupPropertyMetadata(const CZPMarkupPropertyMetadata&) = delete;
    CZPMarkupPropertyMetadata& operator=(const CZPMarkupPropertyMetadata&) = delete;
};

class CZPMarkupDependencyProperty : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupDependencyProperty();
    ~CZPMarkupDependencyProperty() override;

    virtual BOOL IsEvent() const { return FALSE; }

    // The map keeps the first reference; the class keeps a plain pointer. The metadata is owned.
    static CZPMarkupDependencyProperty* Register(LPCWSTR lpszName, CZPMarkupType* pValueType, CZPMarkupType* pOwnerType,
                                                 CZPMarkupPropertyMetadata* pMetadata = NULL);
    static CZPMarkupDependencyProperty* RegisterAttached(LPCWSTR lpszName, CZPMarkupType* pValueType,
                                                         CZPMarkupType* pOwnerType,
                                                         CZPMarkupPropertyMetadata* pMetadata = NULL);
    // Also found under (name, owner type); answers this property with the map's added reference.
    CZPMarkupDependencyProperty* AddOwner(CZPMarkupType* pOwnerType);

    LPCWSTR GetName() const { return m_lpszName; }
    CZPMarkupType* GetValueType() const { return m_pValueType; }
    CZPMarkupType* GetOwnerType() const { return m_pOwnerType; }
    CZPMarkupPropertyMetadata* GetMetadata() const { return m_pMetadata; }
    BOOL IsAttached() const { return m_bAttached; }
    int GetIndex() const { return m_nIndex; }
    DWORD GetFlags() const { return m_pMetadata ? m_pMetadata->m_dwFlags : 0; }
    CZPMarkupObject* GetDefaultValue() const { return m_pMetadata ? m_pMetadata->m_pDefaultValue : NULL; }

protected:
    // Fills the record, gives it an index unless it is an event, and enters it into the map.
    void Init(LPCWSTR lpszName, CZPMarkupType* pValueType, CZPMarkupType* pOwnerType, BOOL bAttached,
              CZPMarkupPropertyMetadata* pMetadata);

    LPCWSTR m_lpszName;  // static text
    CZPMarkupType* m_pValueType;
    CZPMarkupType* m_pOwnerType;
    CZPMarkupPropertyMetadata* m_pMetadata;  // owned
    BOOL m_bAttached;
    int m_nIndex;  // -1 for routed events
};

// Finds a property by name on the type or its bases; an "x:" prefix is ignored.
CZPMarkupDependencyProperty* ZpMarkupFindProperty(CZPMarkupType* pType, LPCWSTR lpszName);
// Number of indexed properties registered so far: the capacity of a store made now.
int ZpMarkupPropertyCount();

// Converts a value for a property: its converter, else ConvertFrom on a fresh instance of the
// value type. Answers a new reference; raises the attribute conversion error when nothing converts.
// The value itself stays with the caller.
CZPMarkupObject* ZpMarkupConvertPropertyValue(CZPMarkupBuilder* pBuilder, CZPMarkupDependencyProperty* pProperty,
                                              CZPMarkupObject* pValue);

// The local values of one object, indexed by property.
class CZPMarkupProperties : public CZPMarkupObject
{
public:
    explicit CZPMarkupProperties(CZPMarkupObject* pOwner);
    ~CZPMarkupProperties() override;

    CZPMarkupObject* Get(const CZPMarkupDependencyProperty* pProperty) const;
    // TRUE when the value's reference was taken (NULL included); FALSE for a property this
    // store cannot hold, and the reference stays with the caller.
    BOOL Set(const CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pValue);
    void CopyFrom(const CZPMarkupProperties* pOther);
    int GetCapacity() const { return m_nCapacity; }

private:
    std::vector<CZPMarkupObject*> m_values;  // one reference per non-NULL entry
    int m_nCapacity;
    CZPMarkupObject* m_pOwner;  // borrowed, may be NULL
};
