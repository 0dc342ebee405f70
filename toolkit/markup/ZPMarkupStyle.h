// Styles, setters, property triggers and resource dictionaries, and the resource lookup.
#pragma once

#include "markup/ZPMarkupCollection.h"
#include "markup/ZPMarkupDependencyProperty.h"

#include <map>
#include <string_view>
#include <unordered_map>

class CZPMarkupSetter : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupSetter() {}
    // Code-made setters (default styles): the value's reference passes over.
    CZPMarkupSetter(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pValue);

    // Of a setter or a trigger: the resolved property (NULL before resolution) and the value.
    static CZPMarkupDependencyProperty* GetSetterProperty(const CZPMarkupObject* pSetter);
    static CZPMarkupObject* GetSetterValue(const CZPMarkupObject* pSetter);
    // Stores the property (with an added reference) and the value (its reference passes over).
    static void Init(CZPMarkupObject* pSetter, CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pValue);

    static CZPMarkupDependencyProperty* m_pPropertyProperty;       // "Property"
    static CZPMarkupDependencyProperty* m_pPropertyValueProperty;  // "Value"
    static void RegisterProperties();
};

class CZPMarkupSetterColection : public CZPMarkupCollection
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupSetterColection();
};

// Applies its setters while the element's "Property" equals its "Value" (the setter's two
// properties). Takes no content: setters come through its "Setters" property.
class CZPMarkupTrigger : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupTrigger() {}
    CZPMarkupTrigger(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pValue);
    CZPMarkupSetterColection* GetSetters() const;

    static CZPMarkupDependencyProperty* m_pSettersProperty;
    static void RegisterProperties();
};

class CZPMarkupTriggerCollection : public CZPMarkupCollection
{
    ZP_DECLARE_MARKUPTYPE()
public:
    // The active triggers of an element do not parent their items.
    explicit CZPMarkupTriggerCollection(BOOL bParentsItems = TRUE);
};

class CZPMarkupStyle : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    // Longest chain of BasedOn styles a page may build.
    static constexpr int kMaxBasedOnDepth = 64;

    CZPMarkupStyle();
    ~CZPMarkupStyle() override;

    void SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent) override;
    void SetPropertyObject(CZPMarkupBuilder* pBuilder, CZPMarkupDependencyProperty* pProperty,
                           CZPMarkupObject* pValue) override;
    int GetLogicalChildrenCount() const override { return 1; }
    CZPMarkupObject* GetLogicalChild(int nIndex) const override;

    // Code-made styles take their setters here (the reference passes over).
    void AddSetter(CZPMarkupSetter* pSetter);
    // Merges the base style's values and the setters once; later setters are not merged.
    void Seal();
    BOOL IsSealed() const { return m_bSealed; }
    CZPMarkupObject* GetStyleValue(CZPMarkupDependencyProperty* pProperty) const;
    CZPMarkupStyle* GetBasedOn() const;
    CZPMarkupTriggerCollection* GetTriggers() const;

    // Of a setter or a trigger: names become properties, texts values of the property's type.
    void ResolveSetter(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pSetter);
    void ResolveTrigger(CZPMarkupBuilder* pBuilder, CZPMarkupTrigger* pTrigger);

    static CZPMarkupDependencyProperty* m_pResourcesProperty;
    static CZPMarkupDependencyProperty* m_pTargetTypeProperty;
    static CZPMarkupDependencyProperty* m_pBasedOnProperty;
    static CZPMarkupDependencyProperty* m_pTriggersProperty;
    static void RegisterProperties();

private:
    CZPMarkupSetterColection* m_pSetters;  // owned
    BOOL m_bSealed;
    BOOL m_bSealing;                       // a BasedOn cycle made in code ends here
    CZPMarkupProperties* m_pMergedValues;  // owned
};

class CZPMarkupResourceDictionary : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    ~CZPMarkupResourceDictionary() override;
    // Adds the content under its resource key; a missing or repeated key is a builder error.
    void SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent) override;

    CZPMarkupObject* Lookup(CZPMarkupObject* pKey) const;
    // Both references pass over; a value stored under an equal key before is replaced.
    void SetAt(CZPMarkupObject* pKey, CZPMarkupObject* pValue);
    int GetCount() const { return static_cast<int>(m_strings.size() + m_map.size()); }

private:
    // The stored value's slot for an equal key, or NULL.
    CZPMarkupObject** Find(CZPMarkupObject* pKey);
    void Insert(CZPMarkupObject* pKey, CZPMarkupObject* pValue);

    struct CEntry
    {
        CZPMarkupObject* pKey;    // one reference
        CZPMarkupObject* pValue;  // one reference
    };
    struct CKeyHash
    {
        size_t operator()(const CZPMarkupObject* pKey) const { return pKey->GetHashCode(); }
    };
    struct CKeyEqual
    {
        bool operator()(const CZPMarkupObject* pKey1, const CZPMarkupObject* pKey2) const
        {
            return pKey1->IsEqual(pKey2) != FALSE;
        }
    };
    // String keys, the ones pages write, are ordered by their text: no choice of keys makes an
    // insert or a look-up slower than logarithmic (their hash collides at will). The text viewed
    // is the held key's own.
    std::map<std::wstring_view, CEntry> m_strings;
    // Other keys (type records, colour and brush keys) hash by identity.
    std::unordered_map<CZPMarkupObject*, CZPMarkupObject*, CKeyHash, CKeyEqual> m_map;  // one reference each
};

// The object's "Key", or a style's "TargetType" when it has none; not add-ref'ed.
CZPMarkupObject* ZpMarkupGetResourceKey(CZPMarkupObject* pObject);
// The object's resources, its style's, then its ancestors'; a style sees only its own.
// The answer is not add-ref'ed.
CZPMarkupObject* ZpMarkupFindResource(CZPMarkupObject* pObject, CZPMarkupObject* pKey);
