// Markup objects, type records and the type registry.
#include "markup/ZPMarkupObject.h"

#include <framework/assert.h>

#include "markup/ZPFormatString.h"
#include "markup/ZPMarkupDependencyProperty.h"
#include "markup/ZPMarkupTypeTable.h"
#include "markup/ZPMarkupValues.h"

#include <string.h>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace
{
volatile long g_nLiveObjects = 0;
}

CZPMarkupBuilderException::CZPMarkupBuilderException(LPCWSTR lpszMessage)
{
    int nLength = 0;
    while (lpszMessage != NULL && nLength < kMaxMessage && lpszMessage[nLength] != 0)
        nLength++;
    m_strMessage = CString(lpszMessage != NULL ? lpszMessage : L"", nLength);
}

BOOL CZPMarkupBuilderException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    lstrcpynW(lpszError, m_strMessage.GetString(), static_cast<int>(nMaxError));
    return TRUE;
}

void ZpMarkupThrowBuilderError(LPCWSTR lpszMessage)
{
    throw new CZPMarkupBuilderException(lpszMessage);
}

long ZpMarkupLiveObjectCount()
{
    return g_nLiveObjects;
}

// ---------------------------------------------------------------------------------------------
// Type registry

class CZPMarkupTypeRegistry
{
public:
    ~CZPMarkupTypeRegistry()
    {
        CZPMarkupType* pType = m_pFirst;
        m_pFirst = NULL;
        while (pType != NULL)
        {
            CZPMarkupType* pNext = pType->m_pNextType;
            pType->Release();
            pType = pNext;
        }
    }

    void Add(CZPMarkupType* pType)
    {
        if (pType->m_lpszTagName != NULL && pType->m_lpszTagName[0] != 0)
            m_mapTags[std::wstring_view(pType->m_lpszTagName)] = pType;
        pType->m_pNextType = m_pFirst;
        m_pFirst = pType;
    }

    CZPMarkupType* Lookup(LPCWSTR lpszTagName) const
    {
        auto it = m_mapTags.find(std::wstring_view(lpszTagName));
        return it == m_mapTags.end() ? NULL : it->second;
    }

    CZPMarkupType* m_pFirst = NULL; // owns each record's first reference
    std::unordered_map<std::wstring_view, CZPMarkupType*> m_mapTags;
};

static CZPMarkupTypeRegistry& ZpMarkupTypeRegistry()
{
    static CZPMarkupTypeRegistry s_registry;
    return s_registry;
}

CZPMarkupType* ZpMarkupFirstType()
{
    ZpMarkupCreateAllTypes();
    return ZpMarkupTypeRegistry().m_pFirst;
}

void ZpMarkupRegisterAllTypes()
{
    for (CZPMarkupType* pType = ZpMarkupFirstType(); pType != NULL; pType = pType->GetNextType())
        pType->EnsureRegistered();
}

CZPMarkupType* ZpMarkupLookupType(LPCWSTR lpszTagName)
{
    if (lpszTagName == NULL)
        return NULL;
    ZpMarkupCreateAllTypes();
    return ZpMarkupTypeRegistry().Lookup(lpszTagName);
}

CZPMarkupObject* ZpMarkupCastTo(const CZPMarkupType* pType, CZPMarkupObject* pObject)
{
    return pObject != NULL && pObject->IsKindOfType(pType) ? pObject : NULL;
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupObject

CZPMarkupType* CZPMarkupObject::GetClassType()
{
    static CZPMarkupType* s_pType =
        new CZPMarkupType(NULL, L"CZPMarkupObject", &ZpMarkupCreateInstance<CZPMarkupObject>,
                          []() -> CZPMarkupType* { return NULL; }, &CZPMarkupObject::RegisterProperties);
    return s_pType;
}

CZPMarkupDependencyProperty* CZPMarkupObject::m_pNameProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupObject::m_pKeyProperty = NULL;

void CZPMarkupObject::RegisterProperties()
{
    m_pNameProperty =
        CZPMarkupDependencyProperty::Register(L"Name", CZPMarkupString::GetClassType(), GetClassType());
    m_pKeyProperty = CZPMarkupDependencyProperty::Register(L"Key", GetClassType(), GetClassType());
}

CZPMarkupObject::CZPMarkupObject() : m_pLogicalParent(NULL), m_pProperties(NULL), m_pszTagText(NULL), m_nRefCount(1)
{
    ::InterlockedIncrement(&g_nLiveObjects);
}

CZPMarkupObject::~CZPMarkupObject()
{
    if (m_pProperties != NULL)
        m_pProperties->Release();
    delete[] m_pszTagText;
    ::InterlockedDecrement(&g_nLiveObjects);
}

CZPMarkupType* CZPMarkupObject::GetType() const
{
    return GetClassType();
}

long CZPMarkupObject::AddRef()
{
    return ::InterlockedIncrement(&m_nRefCount);
}

long CZPMarkupObject::Release()
{
    ASSERT(m_nRefCount > 0);
    if (m_nRefCount <= 0)
        return 0;
    const long nCount = ::InterlockedDecrement(&m_nRefCount);
    if (nCount == 0)
        OnFinalRelease();
    return nCount;
}

void CZPMarkupObject::OnFinalRelease()
{
    delete this;
}

void CZPMarkupObject::SetTagText(LPCWSTR lpszTag)
{
    delete[] m_pszTagText;
    m_pszTagText = NULL;
    if (lpszTag != NULL)
    {
        const size_t nLength = wcslen(lpszTag);
        m_pszTagText = new WCHAR[nLength + 1];
        memcpy(m_pszTagText, lpszTag, (nLength + 1) * sizeof(WCHAR));
    }
}

BOOL CZPMarkupObject::IsKindOfType(const CZPMarkupType* pType) const
{
    return pType != NULL && GetType()->IsDerivedFrom(pType);
}

CZPMarkupObject* CZPMarkupObject::GetLocalValue(CZPMarkupDependencyProperty* pProperty) const
{
    return m_pProperties != NULL ? m_pProperties->Get(pProperty) : NULL;
}

UINT CZPMarkupObject::GetHashCode() const
{
    return static_cast<UINT>(reinterpret_cast<UINT_PTR>(this));
}

BOOL CZPMarkupObject::IsEqual(const CZPMarkupObject* pOther) const
{
    return pOther == this;
}

int CZPMarkupObject::GetLogicalChildrenCount() const
{
    return 0;
}

CZPMarkupObject* CZPMarkupObject::GetLogicalChild(int /*nIndex*/) const
{
    return NULL;
}

void CZPMarkupObject::SetContentObject(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* pContent)
{
    CString strMessage;
    if (CZPMarkupString* pString = ZpMarkupCast<CZPMarkupString>(pContent))
        strMessage = ZpFormatString2(L"Cannot convert the string '%ls' into a '%ls' object", pString->GetText(),
                                     GetType()->GetClassName());
    else
        strMessage = ZpFormatString(L"Cannot add content to an object of type '%ls'", GetType()->GetClassName());
    ZpMarkupThrowBuilderError(strMessage);
}

void CZPMarkupObject::SetPropertyObject(CZPMarkupBuilder* pBuilder, CZPMarkupDependencyProperty* pProperty,
                                        CZPMarkupObject* pValue)
{
    if (pProperty == NULL)
    {
        if (pValue != NULL)
            pValue->Release();
        return;
    }
    if (pValue != NULL && !pValue->IsKindOfType(pProperty->GetValueType()))
    {
        CZPMarkupObject* pConverted = ZpMarkupConvertPropertyValue(pBuilder, pProperty, pValue);
        pValue->Release();
        pValue = pConverted;
    }
    if (!SetValue(pProperty, pValue))
        pValue->Release();
}

CZPMarkupObject* CZPMarkupObject::ConvertFrom(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* /*pValue*/)
{
    return NULL;
}

BOOL CZPMarkupObject::HasContentObject() const
{
    return FALSE;
}

BOOL CZPMarkupObject::AllowWhiteSpaceContent() const
{
    return FALSE;
}

void CZPMarkupObject::OnPropertyChanged(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                                        CZPMarkupObject* pNewValue)
{
    CZPMarkupPropertyMetadata* pMetadata = pProperty->GetMetadata();
    if (pMetadata != NULL && pMetadata->m_pfnChanged != NULL)
    {
        MarkupPropertyChangedEventArgs args = {pProperty, pOldValue, pNewValue};
        pMetadata->m_pfnChanged(this, &args);
    }
}

CZPMarkupObject* CZPMarkupObject::GetValue(CZPMarkupDependencyProperty* pProperty) const
{
    if (pProperty == NULL)
        return NULL;
    if (CZPMarkupObject* pValue = GetLocalValue(pProperty))
        return pValue;
    if (pProperty->GetFlags() & kZpMarkupInherits)
    {
        for (const CZPMarkupObject* pAncestor = m_pLogicalParent; pAncestor != NULL;
             pAncestor = pAncestor->m_pLogicalParent)
        {
            if (CZPMarkupObject* pValue = pAncestor->GetLocalValue(pProperty))
                return pValue;
        }
    }
    return pProperty->GetDefaultValue();
}

CZPMarkupObject* CZPMarkupObject::FindValueSource(CZPMarkupDependencyProperty* pProperty) const
{
    if (pProperty == NULL)
        return NULL;
    if (GetLocalValue(pProperty) != NULL)
        return const_cast<CZPMarkupObject*>(this);
    if (pProperty->GetFlags() & kZpMarkupInherits)
    {
        for (CZPMarkupObject* pAncestor = m_pLogicalParent; pAncestor != NULL; pAncestor = pAncestor->m_pLogicalParent)
        {
            if (pAncestor->GetLocalValue(pProperty) != NULL)
                return pAncestor;
        }
    }
    return NULL;
}

BOOL CZPMarkupObject::SetValue(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pValue)
{
    if (pProperty == NULL)
        return pValue == NULL;
    if (pValue != NULL && !pValue->IsKindOfType(pProperty->GetValueType()))
        return FALSE;
    if (pValue != NULL && m_pProperties == NULL)
        m_pProperties = new CZPMarkupProperties(this);

    // The old value stays alive until every listener has seen it.
    CRefPtr<CZPMarkupObject> oldValue = CRefPtr<CZPMarkupObject>::AddRef(GetValue(pProperty));
    CZPMarkupObject* pOldValue = oldValue.Get();
    BOOL bStored = TRUE;
    if (m_pProperties != NULL)
        bStored = m_pProperties->Set(pProperty, pValue);
    else
        bStored = pValue == NULL;
    CZPMarkupObject* pNewValue = GetValue(pProperty);
    if (pOldValue != NULL || pNewValue != NULL)
    {
        OnPropertyChanged(pProperty, pOldValue, pNewValue);
        if (pProperty->GetFlags() & kZpMarkupInherits)
            NotifyInheritedChange(pProperty, pOldValue, pNewValue);
    }
    return bStored;
}

void CZPMarkupObject::NotifyInheritedChange(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                                            CZPMarkupObject* pNewValue)
{
    // Depth first in document order, without recursion: trees built in code may nest deeper
    // than the stack reaches. Each entry is an object and the index of its next child.
    std::vector<std::pair<const CZPMarkupObject*, int>> pending;
    pending.emplace_back(this, 0);
    while (!pending.empty())
    {
        const CZPMarkupObject* pParent = pending.back().first;
        const int nIndex = pending.back().second++;
        if (nIndex >= pParent->GetLogicalChildrenCount())
        {
            pending.pop_back();
            continue;
        }
        CZPMarkupObject* pChild = pParent->GetLogicalChild(nIndex);
        if (pChild == NULL)
            continue;
        if (pChild->IsKindOfType(pProperty->GetOwnerType()))
            pChild->OnPropertyChanged(pProperty, pOldValue, pNewValue);
        pending.emplace_back(pChild, 0);
    }
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupType

CZPMarkupType* CZPMarkupType::GetClassType()
{
    static CZPMarkupType* s_pType = new CZPMarkupType(
        NULL, L"CZPMarkupType", NULL, []() -> CZPMarkupType* { return CZPMarkupObject::GetClassType(); }, NULL);
    return s_pType;
}

CZPMarkupType* CZPMarkupType::GetType() const
{
    return GetClassType();
}

CZPMarkupType::CZPMarkupType(LPCWSTR lpszTagName, LPCWSTR lpszClassName, PFNZPMARKUPCREATE pfnCreate,
                             PFNZPMARKUPBASETYPE pfnBaseType, PFNZPMARKUPREGISTER pfnRegister)
    : m_lpszTagName(lpszTagName), m_lpszClassName(lpszClassName), m_pNextType(NULL), m_bRegistered(FALSE),
      m_pfnCreate(pfnCreate), m_pfnBaseType(pfnBaseType), m_pfnRegister(pfnRegister), m_pDefaultStyle(NULL)
{
    ZpMarkupTypeRegistry().Add(this);
}

CZPMarkupType::~CZPMarkupType()
{
    if (m_pDefaultStyle != NULL)
        m_pDefaultStyle->Release();
}

CZPMarkupObject* CZPMarkupType::CreateObject() const
{
    return m_pfnCreate != NULL ? m_pfnCreate() : NULL;
}

CZPMarkupType* CZPMarkupType::GetBaseType() const
{
    return m_pfnBaseType != NULL ? m_pfnBaseType() : NULL;
}

BOOL CZPMarkupType::IsDerivedFrom(const CZPMarkupType* pType) const
{
    for (const CZPMarkupType* pWalk = this; pWalk != NULL; pWalk = pWalk->GetBaseType())
    {
        if (pWalk == pType)
            return TRUE;
    }
    return FALSE;
}

void CZPMarkupType::EnsureRegistered()
{
    if (m_bRegistered)
        return;
    CZPMarkupType* pBase = GetBaseType();
    if (pBase != NULL)
        pBase->EnsureRegistered();
    // Set first: a registration that asks for its own type again returns at once.
    m_bRegistered = TRUE;
    if (m_pfnRegister != NULL)
        m_pfnRegister();
}

CZPMarkupObject* CZPMarkupType::ConvertFrom(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* pValue)
{
    CZPMarkupString* pString = ZpMarkupCast<CZPMarkupString>(pValue);
    if (pString == NULL)
        return NULL;
    CZPMarkupType* pType = ZpMarkupLookupType(pString->GetText());
    if (pType != NULL)
        pType->AddRef();
    return pType;
}
