// Base of every markup object: reference count, logical parent, property store, tag text;
// the per-class type records and their process-wide registry; the markup error exception.
#pragma once

#include <framework.h>

class CZPMarkupType;
class CZPMarkupProperties;
class CZPMarkupDependencyProperty;
class CZPMarkupBuilder;

// A markup error: raised by objects, converters and lookups while a tree is built; thrown as a
// pointer and freed with Delete(). The message is cut to kMaxMessage characters.
class CZPMarkupBuilderException : public CSimpleException
{
public:
    static constexpr int kMaxMessage = 255;
    explicit CZPMarkupBuilderException(LPCWSTR lpszMessage);
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    CString m_strMessage;
};

[[noreturn]] void ZpMarkupThrowBuilderError(LPCWSTR lpszMessage);

class CZPMarkupObject
{
public:
    CZPMarkupObject();

    static CZPMarkupType* GetClassType();
    virtual CZPMarkupType* GetType() const;
    virtual ~CZPMarkupObject();
    virtual CZPMarkupObject* GetLocalValue(CZPMarkupDependencyProperty* pProperty) const;
    virtual UINT GetHashCode() const;
    virtual BOOL IsEqual(const CZPMarkupObject* pOther) const;
    virtual int GetLogicalChildrenCount() const;
    virtual CZPMarkupObject* GetLogicalChild(int nIndex) const;
    // On success the content's reference passes to the receiver; on an error it stays with the caller.
    virtual void SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent);
    // The value's reference passes to the receiver, also when it is refused; on an error it stays
    // with the caller.
    virtual void SetPropertyObject(CZPMarkupBuilder* pBuilder, CZPMarkupDependencyProperty* pProperty,
                                   CZPMarkupObject* pValue);
    virtual CZPMarkupObject* ConvertFrom(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue);
    virtual BOOL HasContentObject() const;
    virtual BOOL AllowWhiteSpaceContent() const;
    virtual void OnPropertyChanged(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                                   CZPMarkupObject* pNewValue);
    virtual void OnFinalRelease();

    long AddRef();
    long Release();
    long GetRefCount() const { return m_nRefCount; }

    CZPMarkupObject* GetLogicalParent() const { return m_pLogicalParent; }
    void SetLogicalParent(CZPMarkupObject* pParent) { m_pLogicalParent = pParent; }
    BOOL IsKindOfType(const CZPMarkupType* pType) const;

    LPCWSTR GetTagText() const { return m_pszTagText; }
    void SetTagText(LPCWSTR lpszTag);

    // Effective value: local, then logical ancestors for an inheriting property, then the default.
    CZPMarkupObject* GetValue(CZPMarkupDependencyProperty* pProperty) const;
    // Stores a local value and notifies. TRUE when the caller's reference was taken (NULL values
    // included); FALSE when the value was refused and the reference stays with the caller.
    BOOL SetValue(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pValue);
    CZPMarkupObject* FindValueSource(CZPMarkupDependencyProperty* pProperty) const;
    // The resource under the key in this object's resources, its style's or its ancestors';
    // not add-ref'ed.
    CZPMarkupObject* FindResource(CZPMarkupObject* pKey);
    void NotifyInheritedChange(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                               CZPMarkupObject* pNewValue);

    static CZPMarkupDependencyProperty* m_pNameProperty;
    static CZPMarkupDependencyProperty* m_pKeyProperty;
    static void RegisterProperties();

protected:
    CZPMarkupObject* m_pLogicalParent;   // borrowed
    CZPMarkupProperties* m_pProperties;  // owned, created by the first non-NULL value
    LPWSTR m_pszTagText;                 // owned
    volatile long m_nRefCount;

private:
    CZPMarkupObject(const CZPMarkupObject&) = delete;
    CZPMarkupObject& operator=(const CZPMarkupObject&) = delete;
};

// Number of markup objects alive in the process (records and shared values included).
long ZpMarkupLiveObjectCount();

typedef CZPMarkupObject* (*PFNZPMARKUPCREATE)();
typedef CZPMarkupType* (*PFNZPMARKUPBASETYPE)();
typedef void (*PFNZPMARKUPREGISTER)();

class CZPMarkupType : public CZPMarkupObject
{
public:
    CZPMarkupType(LPCWSTR lpszTagName, LPCWSTR lpszClassName, PFNZPMARKUPCREATE pfnCreate,
                  PFNZPMARKUPBASETYPE pfnBaseType, PFNZPMARKUPREGISTER pfnRegister);
    ~CZPMarkupType() override;

    static CZPMarkupType* GetClassType();
    CZPMarkupType* GetType() const override;
    CZPMarkupObject* ConvertFrom(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue) override;

    LPCWSTR GetTagName() const { return m_lpszTagName; }
    LPCWSTR GetClassName() const { return m_lpszClassName; }
    CZPMarkupType* GetNextType() const { return m_pNextType; }
    BOOL IsRegistered() const { return m_bRegistered; }
    // A new instance with reference count 1, or NULL for a class that cannot be created.
    CZPMarkupObject* CreateObject() const;
    CZPMarkupType* GetBaseType() const;
    BOOL IsDerivedFrom(const CZPMarkupType* pType) const;
    void EnsureRegistered();
    CZPMarkupObject* GetDefaultStyle() const { return m_pDefaultStyle; }
    // Seals the style and keeps it (the reference passes over).
    void SetDefaultStyle(CZPMarkupObject* pStyle);

private:
    friend class CZPMarkupTypeRegistry;

    LPCWSTR m_lpszTagName;    // static text
    LPCWSTR m_lpszClassName;  // static text
    CZPMarkupType* m_pNextType;
    BOOL m_bRegistered;
    PFNZPMARKUPCREATE m_pfnCreate;
    PFNZPMARKUPBASETYPE m_pfnBaseType;
    PFNZPMARKUPREGISTER m_pfnRegister;
    CZPMarkupObject* m_pDefaultStyle;  // owned; the class's built-in style
};

// The head of the list of every type record, newest first.
CZPMarkupType* ZpMarkupFirstType();
void ZpMarkupRegisterAllTypes();
CZPMarkupType* ZpMarkupLookupType(LPCWSTR lpszTagName);
CZPMarkupObject* ZpMarkupCastTo(const CZPMarkupType* pType, CZPMarkupObject* pObject);

template <class T> T* ZpMarkupCast(CZPMarkupObject* pObject)
{
    return static_cast<T*>(ZpMarkupCastTo(T::GetClassType(), pObject));
}

template <class T> CZPMarkupObject* ZpMarkupCreateInstance()
{
    return new T;
}

#define ZP_MARKUP_WIDEN2(x) L##x
#define ZP_MARKUP_WIDEN(x) ZP_MARKUP_WIDEN2(x)

// In a class body: the class's own type record.
#define ZP_DECLARE_MARKUPTYPE()                                                                                        \
public:                                                                                                                \
    static CZPMarkupType* GetClassType();                                                                              \
    CZPMarkupType* GetType() const override;

// The record is made on first use; every record of the engine is reached from one table
// (ZPMarkupTypeTable.cpp), so none is lost with an unreferenced object file.
#define ZP_IMPLEMENT_MARKUPTYPE_EX(theClass, tag, baseClass, pfnCreate, pfnRegister)                                   \
    CZPMarkupType* theClass::GetClassType()                                                                            \
    {                                                                                                                  \
        static CZPMarkupType* s_pType = new CZPMarkupType(                                                             \
            tag, ZP_MARKUP_WIDEN(#theClass), pfnCreate, []() -> CZPMarkupType* { return baseClass::GetClassType(); },  \
            pfnRegister);                                                                                              \
        return s_pType;                                                                                                \
    }                                                                                                                  \
    CZPMarkupType* theClass::GetType() const                                                                           \
    {                                                                                                                  \
        return theClass::GetClassType();                                                                               \
    }

#define ZP_IMPLEMENT_MARKUPTYPE(theClass, tag, baseClass, pfnRegister)                                                 \
    ZP_IMPLEMENT_MARKUPTYPE_EX(theClass, tag, baseClass, &ZpMarkupCreateInstance<theClass>, pfnRegister)
