// Dependency-property records, the name map, value conversion and the property store.
#include "markup/ZPMarkupDependencyProperty.h"

#include "markup/ZPMarkupTypeTable.h"

#include <string_view>
#include <unordered_map>

namespace
{
int g_nPropertyCount = 0;

struct CZPMarkupFromNameKey
{
    std::wstring_view name;
    const CZPMarkupType* pOwnerType;
    bool operator==(const CZPMarkupFromNameKey& other) const
    {
        return pOwnerType == other.pOwnerType && name == other.name;
    }
};

struct CZPMarkupFromNameKeyHash
{
    size_t operator()(const CZPMarkupFromNameKey& key) const
    {
        return std::hash<std::wstring_view>()(key.name) ^ (std::hash<const void*>()(key.pOwnerType) << 1);
    }
};

// Maps (name, owner type) to a property; holds one reference to each mapped property.
class CZPMarkupPropertyFromNameMap
{
public:
    ~CZPMarkupPropertyFromNameMap()
    {
        for (auto& entry : m_map)
            entry.second->Release();
    }

    // Takes over the caller's reference.
    void SetAt(LPCWSTR lpszName, const CZPMarkupType* pOwnerType, CZPMarkupDependencyProperty* pProperty)
    {
        CZPMarkupDependencyProperty*& pEntry = m_map[CZPMarkupFromNameKey{lpszName, pOwnerType}];
        if (pEntry != NULL)
            pEntry->Release();
        pEntry = pProperty;
    }

    CZPMarkupDependencyProperty* Lookup(std::wstring_view name, const CZPMarkupType* pOwnerType) const
    {
        auto it = m_map.find(CZPMarkupFromNameKey{name, pOwnerType});
        return it == m_map.end() ? NULL : it->second;
    }

private:
    std::unordered_map<CZPMarkupFromNameKey, CZPMarkupDependencyProperty*, CZPMarkupFromNameKeyHash> m_map;
};

CZPMarkupPropertyFromNameMap& ZpMarkupPropertyMap()
{
    static CZPMarkupPropertyFromNameMap s_map;
    return s_map;
}
}

int ZpMarkupPropertyCount()
{
    return g_nPropertyCount;
}

// ---------------------------------------------------------------------------------------------
// Metadata

CZPMarkupPropertyMetadata::CZPMarkupPropertyMetadata(CZPMarkupObject* pDefaultValue, DWORD dwFlags)
    : m_pDefaultValue(pDefaultValue), m_pfnConverter(NULL), m_pfnChanged(NULL), m_dwFlags(dwFlags)
{
}

CZPMarkupPropertyMetadata::CZPMarkupPropertyMetadata(CZPMarkupObject* pDefaultValue, PFNZPMARKUPCONVERTER pfnConverter,
                                                     DWORD dwFlags)
    : m_pDefaultValue(pDefaultValue), m_pfnConverter(pfnConverter), m_pfnChanged(NULL), m_dwFlags(dwFlags)
{
}

CZPMarkupPropertyMetadata::CZPMarkupPropertyMetadata(CZPMarkupObject* pDefaultValue,
                                                     PFNZPMARKUPPROPERTYCHANGED pfnChanged, DWORD dwFlags)
    : m_pDefaultValue(pDefaultValue), m_pfnConverter(NULL), m_pfnChanged(pfnChanged), m_dwFlags(dwFlags)
{
}

CZPMarkupPropertyMetadata::CZPMarkupPropertyMetadata(CZPMarkupObject* pDefaultValue, PFNZPMARKUPCONVERTER pfnConverter,
                                                     PFNZPMARKUPPROPERTYCHANGED pfnChanged, DWORD dwFlags)
    : m_pDefaultValue(pDefaultValue), m_pfnConverter(pfnConverter), m_pfnChanged(pfnChanged), m_dwFlags(dwFlags)
{
}

CZPMarkupPropertyMetadata::~CZPMarkupPropertyMetadata()
{
    if (m_pDefaultValue != NULL)
        m_pDefaultValue->Release();
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupDependencyProperty

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupDependencyProperty, NULL, CZPMarkupObject, NULL)

CZPMarkupDependencyProperty::CZPMarkupDependencyProperty()
    : m_lpszName(L""), m_pValueType(NULL), m_pOwnerType(NULL), m_pMetadata(NULL), m_bAttached(FALSE), m_nIndex(-1)
{
}

CZPMarkupDependencyProperty::~CZPMarkupDependencyProperty()
{
    delete m_pMetadata;
}

void CZPMarkupDependencyProperty::Init(LPCWSTR lpszName, CZPMarkupType* pValueType, CZPMarkupType* pOwnerType,
                                       BOOL bAttached, CZPMarkupPropertyMetadata* pMetadata)
{
    m_lpszName = lpszName;
    m_pValueType = pValueType;
    m_pOwnerType = pOwnerType;
    m_bAttached = bAttached;
    if (!IsEvent())
        m_nIndex = g_nPropertyCount++;
    ZpMarkupPropertyMap().SetAt(lpszName, pOwnerType, this);
    m_pMetadata = pMetadata;
}

CZPMarkupDependencyProperty* CZPMarkupDependencyProperty::Register(LPCWSTR lpszName, CZPMarkupType* pValueType,
                                                                   CZPMarkupType* pOwnerType,
                                                                   CZPMarkupPropertyMetadata* pMetadata)
{
    CZPMarkupDependencyProperty* pProperty = new CZPMarkupDependencyProperty;
    pProperty->Init(lpszName, pValueType, pOwnerType, FALSE, pMetadata);
    return pProperty;
}

CZPMarkupDependencyProperty* CZPMarkupDependencyProperty::RegisterAttached(LPCWSTR lpszName,
                                                                           CZPMarkupType* pValueType,
                                                                           CZPMarkupType* pOwnerType,
                                                                           CZPMarkupPropertyMetadata* pMetadata)
{
    CZPMarkupDependencyProperty* pProperty = new CZPMarkupDependencyProperty;
    pProperty->Init(lpszName, pValueType, pOwnerType, TRUE, pMetadata);
    return pProperty;
}

CZPMarkupDependencyProperty* CZPMarkupDependencyProperty::AddOwner(CZPMarkupType* pOwnerType)
{
    AddRef();
    ZpMarkupPropertyMap().SetAt(m_lpszName, pOwnerType, this);
    return this;
}

CZPMarkupDependencyProperty* ZpMarkupFindProperty(CZPMarkupType* pType, LPCWSTR lpszName)
{
    if (pType == NULL || lpszName == NULL)
        return NULL;
    if (lpszName[0] == L'x' && lpszName[1] == L':')
        lpszName += 2;
    const std::wstring_view name(lpszName);
    for (; pType != NULL; pType = pType->GetBaseType())
    {
        if (CZPMarkupDependencyProperty* pProperty = ZpMarkupPropertyMap().Lookup(name, pType))
            return pProperty;
    }
    return NULL;
}

CZPMarkupObject* ZpMarkupConvertPropertyValue(CZPMarkupBuilder* pBuilder, CZPMarkupDependencyProperty* pProperty,
                                              CZPMarkupObject* pValue)
{
    CZPMarkupObject* pConverted = NULL;
    CZPMarkupPropertyMetadata* pMetadata = pProperty->GetMetadata();
    if (pMetadata != NULL && pMetadata->m_pfnConverter != NULL)
        pConverted = pMetadata->m_pfnConverter(pBuilder, pValue);
    if (pConverted == NULL)
    {
        CRefPtr<CZPMarkupObject> instance = CRefPtr<CZPMarkupObject>::Adopt(pProperty->GetValueType()->CreateObject());
        if (instance)
            pConverted = instance->ConvertFrom(pBuilder, pValue);
    }
    // A converter that answers a value of another type has not converted it.
    if (pConverted != NULL && !pConverted->IsKindOfType(pProperty->GetValueType()))
    {
        pConverted->Release();
        pConverted = NULL;
    }
    if (pConverted == NULL)
    {
        CString strMessage;
        strMessage.Format(L"Cannot convert string in attribute '%ls' to object of type '%ls'", pProperty->GetName(),
                          pProperty->GetValueType()->GetClassName());
        ZpMarkupThrowBuilderError(strMessage);
    }
    return pConverted;
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupProperties

CZPMarkupProperties::CZPMarkupProperties(CZPMarkupObject* pOwner) : m_nCapacity(0), m_pOwner(pOwner)
{
    // A store's capacity is fixed: every class must have registered its properties first.
    ZpMarkupEnsureAllTypesRegistered();
    m_nCapacity = g_nPropertyCount;
    m_values.assign(static_cast<size_t>(m_nCapacity), NULL);
}

CZPMarkupProperties::~CZPMarkupProperties()
{
    for (CZPMarkupObject*& pValue : m_values)
    {
        if (pValue == NULL)
            continue;
        CZPMarkupObject* pRelease = pValue;
        pValue = NULL;
        // A value that outlives its owner must not point back to it.
        if (m_pOwner != NULL && pRelease->GetLogicalParent() == m_pOwner)
            pRelease->SetLogicalParent(NULL);
        pRelease->Release();
    }
}

CZPMarkupObject* CZPMarkupProperties::Get(const CZPMarkupDependencyProperty* pProperty) const
{
    const int nIndex = pProperty->GetIndex();
    if (nIndex < 0 || nIndex >= m_nCapacity)
        return NULL;
    return m_values[static_cast<size_t>(nIndex)];
}

BOOL CZPMarkupProperties::Set(const CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pValue)
{
    const int nIndex = pProperty->GetIndex();
    if (nIndex < 0 || nIndex >= m_nCapacity)
        return pValue == NULL;
    CZPMarkupObject* pOld = m_values[static_cast<size_t>(nIndex)];
    m_values[static_cast<size_t>(nIndex)] = pValue;
    if (pValue != NULL && m_pOwner != NULL)
        pValue->SetLogicalParent(m_pOwner);
    if (pOld != NULL)
    {
        if (m_pOwner != NULL && pOld != pValue && pOld->GetLogicalParent() == m_pOwner)
            pOld->SetLogicalParent(NULL);
        pOld->Release();
    }
    return TRUE;
}

void CZPMarkupProperties::CopyFrom(const CZPMarkupProperties* pOther)
{
    const int nCount = m_nCapacity < pOther->m_nCapacity ? m_nCapacity : pOther->m_nCapacity;
    for (int i = 0; i < nCount; i++)
    {
        CZPMarkupObject* pValue = pOther->m_values[static_cast<size_t>(i)];
        if (pValue == NULL)
            continue;
        pValue->AddRef();
        // Stores being copied into are fresh; release what is there rather than leak it.
        if (CZPMarkupObject* pOld = m_values[static_cast<size_t>(i)])
            pOld->Release();
        m_values[static_cast<size_t>(i)] = pValue;
    }
}
