// Styles, setters, triggers, resource dictionaries and the resource lookup.
#include "markup/ZPMarkupStyle.h"

#include "markup/ZPFormatString.h"
#include "markup/ZPMarkupBuilder.h"
#include "markup/ZPMarkupInputElement.h"
#include "markup/ZPMarkupValues.h"

#include <string>

namespace {
const wchar_t g_szSetterIncomplete[] = L"Must specify both Property and Value for Setter.";

// Type records cannot be instantiated to convert a tag name: the record type converts it.
CZPMarkupObject* ConvertTypeName(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue)
{
    return CZPMarkupType::GetClassType()->ConvertFrom(pBuilder, pValue);
}
}  // namespace

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupSetter, L"Setter", CZPMarkupObject, &CZPMarkupSetter::RegisterProperties)
ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupSetterColection, NULL, CZPMarkupCollection, NULL)
ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupTrigger, L"Trigger", CZPMarkupObject, &CZPMarkupTrigger::RegisterProperties)
ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupTriggerCollection, NULL, CZPMarkupCollection, NULL)
ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupStyle, L"Style", CZPMarkupObject, &CZPMarkupStyle::RegisterProperties)
ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupResourceDictionary, NULL, CZPMarkupObject, NULL)

// ---------------------------------------------------------------------------------------------
// Setters and triggers

CZPMarkupDependencyProperty* CZPMarkupSetter::m_pPropertyProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupSetter::m_pPropertyValueProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupTrigger::m_pSettersProperty = NULL;

void CZPMarkupSetter::RegisterProperties()
{
    m_pPropertyProperty =
        CZPMarkupDependencyProperty::Register(L"Property", CZPMarkupObject::GetClassType(), GetClassType());
    m_pPropertyValueProperty =
        CZPMarkupDependencyProperty::Register(L"Value", CZPMarkupObject::GetClassType(), GetClassType());
}

void CZPMarkupSetter::Init(CZPMarkupObject* pSetter, CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pValue)
{
    if (pProperty != NULL)
        pProperty->AddRef();
    if (!pSetter->SetValue(m_pPropertyProperty, pProperty) && pProperty != NULL)
        pProperty->Release();
    if (!pSetter->SetValue(m_pPropertyValueProperty, pValue) && pValue != NULL)
        pValue->Release();
}

CZPMarkupSetter::CZPMarkupSetter(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pValue)
{
    Init(this, pProperty, pValue);
}

CZPMarkupDependencyProperty* CZPMarkupSetter::GetSetterProperty(const CZPMarkupObject* pSetter)
{
    return ZpMarkupCast<CZPMarkupDependencyProperty>(pSetter->GetLocalValue(m_pPropertyProperty));
}

CZPMarkupObject* CZPMarkupSetter::GetSetterValue(const CZPMarkupObject* pSetter)
{
    return pSetter->GetLocalValue(m_pPropertyValueProperty);
}

CZPMarkupSetterColection::CZPMarkupSetterColection() : CZPMarkupCollection(CZPMarkupSetter::GetClassType()) {}

void CZPMarkupTrigger::RegisterProperties()
{
    CZPMarkupSetter::GetClassType()->EnsureRegistered();
    CZPMarkupSetter::m_pPropertyProperty->AddOwner(GetClassType());
    CZPMarkupSetter::m_pPropertyValueProperty->AddOwner(GetClassType());
    m_pSettersProperty =
        CZPMarkupDependencyProperty::Register(L"Setters", CZPMarkupSetterColection::GetClassType(), GetClassType());
}

CZPMarkupTrigger::CZPMarkupTrigger(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pValue)
{
    CZPMarkupSetter::Init(this, pProperty, pValue);
}

CZPMarkupSetterColection* CZPMarkupTrigger::GetSetters() const
{
    return ZpMarkupCast<CZPMarkupSetterColection>(GetLocalValue(m_pSettersProperty));
}

CZPMarkupTriggerCollection::CZPMarkupTriggerCollection(BOOL bParentsItems)
    : CZPMarkupCollection(CZPMarkupTrigger::GetClassType(), bParentsItems)
{}

// ---------------------------------------------------------------------------------------------
// CZPMarkupStyle

CZPMarkupDependencyProperty* CZPMarkupStyle::m_pResourcesProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupStyle::m_pTargetTypeProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupStyle::m_pBasedOnProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupStyle::m_pTriggersProperty = NULL;

void CZPMarkupStyle::RegisterProperties()
{
    CZPMarkupSetter::GetClassType()->EnsureRegistered();
    CZPMarkupTrigger::GetClassType()->EnsureRegistered();
    CZPMarkupType* pType = GetClassType();
    m_pResourcesProperty =
        CZPMarkupDependencyProperty::Register(L"Resources", CZPMarkupResourceDictionary::GetClassType(), pType);
    m_pTargetTypeProperty = CZPMarkupDependencyProperty::Register(
        L"TargetType", CZPMarkupType::GetClassType(), pType, new CZPMarkupPropertyMetadata(NULL, &ConvertTypeName, 0));
    m_pBasedOnProperty = CZPMarkupDependencyProperty::Register(L"BasedOn", pType, pType);
    m_pTriggersProperty =
        CZPMarkupDependencyProperty::Register(L"Triggers", CZPMarkupTriggerCollection::GetClassType(), pType);
}

CZPMarkupStyle::CZPMarkupStyle()
    : m_pSetters(new CZPMarkupSetterColection), m_bSealed(FALSE), m_bSealing(FALSE), m_pMergedValues(NULL)
{
    m_pSetters->SetLogicalParent(this);
}

CZPMarkupStyle::~CZPMarkupStyle()
{
    m_pSetters->SetLogicalParent(NULL);
    m_pSetters->Release();
    if (m_pMergedValues != NULL)
        m_pMergedValues->Release();
}

CZPMarkupObject* CZPMarkupStyle::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? m_pSetters : NULL;
}

void CZPMarkupStyle::AddSetter(CZPMarkupSetter* pSetter)
{
    if (pSetter != NULL && !m_pSetters->Add(pSetter))
        pSetter->Release();
}

void CZPMarkupStyle::SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent)
{
    if (ZpMarkupCast<CZPMarkupSetter>(pContent) == NULL) {
        CZPMarkupObject::SetContentObject(pBuilder, pContent);
        return;
    }
    ResolveSetter(pBuilder, pContent);
    m_pSetters->SetContentObject(pBuilder, pContent);
}

void CZPMarkupStyle::SetPropertyObject(CZPMarkupBuilder* pBuilder, CZPMarkupDependencyProperty* pProperty,
                                       CZPMarkupObject* pValue)
{
    if (pProperty == m_pTriggersProperty) {
        if (CZPMarkupTriggerCollection* pTriggers = ZpMarkupCast<CZPMarkupTriggerCollection>(pValue)) {
            for (int i = 0; i < pTriggers->GetCount(); i++)
                ResolveTrigger(pBuilder, static_cast<CZPMarkupTrigger*>(pTriggers->GetAt(i)));
        }
    } else if (pProperty == m_pBasedOnProperty) {
        // Sealing, trigger activation and lookups walk the chain recursively.
        int nDepth = 1;
        for (CZPMarkupStyle* pBase = ZpMarkupCast<CZPMarkupStyle>(pValue); pBase != NULL; pBase = pBase->GetBasedOn()) {
            if (pBase == this || ++nDepth > kMaxBasedOnDepth)
                ZpMarkupThrowBuilderError(
                    ZpFormatString(L"BasedOn styles are chained more than %i levels deep", kMaxBasedOnDepth));
        }
    }
    CZPMarkupObject::SetPropertyObject(pBuilder, pProperty, pValue);
}

CZPMarkupStyle* CZPMarkupStyle::GetBasedOn() const
{
    return ZpMarkupCast<CZPMarkupStyle>(GetLocalValue(m_pBasedOnProperty));
}

CZPMarkupTriggerCollection* CZPMarkupStyle::GetTriggers() const
{
    return ZpMarkupCast<CZPMarkupTriggerCollection>(GetLocalValue(m_pTriggersProperty));
}

void CZPMarkupStyle::Seal()
{
    if (m_bSealed || m_bSealing)
        return;
    m_bSealing = TRUE;
    if (m_pMergedValues == NULL)
        m_pMergedValues = new CZPMarkupProperties(NULL);
    // Several elements may share a sealed style: it belongs to no tree.
    SetLogicalParent(NULL);
    if (CZPMarkupStyle* pBase = GetBasedOn()) {
        pBase->Seal();
        if (pBase->m_pMergedValues != NULL)
            m_pMergedValues->CopyFrom(pBase->m_pMergedValues);
    }
    for (int i = 0; i < m_pSetters->GetCount(); i++) {
        CZPMarkupObject* pSetter = m_pSetters->GetAt(i);
        CZPMarkupDependencyProperty* pProperty = CZPMarkupSetter::GetSetterProperty(pSetter);
        CZPMarkupObject* pValue = CZPMarkupSetter::GetSetterValue(pSetter);
        if (pProperty == NULL || pValue == NULL)
            continue;
        pValue->AddRef();
        if (!m_pMergedValues->Set(pProperty, pValue))
            pValue->Release();
    }
    m_bSealing = FALSE;
    m_bSealed = TRUE;
}

CZPMarkupObject* CZPMarkupStyle::GetStyleValue(CZPMarkupDependencyProperty* pProperty) const
{
    return m_bSealed && m_pMergedValues != NULL && pProperty != NULL ? m_pMergedValues->Get(pProperty) : NULL;
}

void CZPMarkupStyle::ResolveSetter(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pSetter)
{
    CZPMarkupType* pTargetType = ZpMarkupCast<CZPMarkupType>(GetLocalValue(m_pTargetTypeProperty));
    CZPMarkupObject* pNamed = pSetter->GetLocalValue(CZPMarkupSetter::m_pPropertyProperty);
    if (pNamed == NULL)
        ZpMarkupThrowBuilderError(g_szSetterIncomplete);
    CZPMarkupDependencyProperty* pProperty = ZpMarkupCast<CZPMarkupDependencyProperty>(pNamed);
    if (pProperty == NULL) {
        CZPMarkupString* pName = ZpMarkupCast<CZPMarkupString>(pNamed);
        if (pName == NULL)
            ZpMarkupThrowBuilderError(g_szSetterIncomplete);
        LPCWSTR lpszName = pName->GetText();
        if (LPCWSTR lpszDot = wcschr(lpszName, L'.'))
            pProperty = ZpMarkupFindProperty(ZpMarkupLookupType(std::wstring(lpszName, lpszDot).c_str()), lpszDot + 1);
        else
            pProperty = ZpMarkupFindProperty(pTargetType, lpszName);
        if (pProperty == NULL)
            ZpMarkupThrowBuilderError(ZpFormatString(L"Cannot find the Style Property '%ls'", lpszName));
        pProperty->AddRef();
        if (!pSetter->SetValue(CZPMarkupSetter::m_pPropertyProperty, pProperty))
            pProperty->Release();
    }
    CZPMarkupObject* pValue = pSetter->GetLocalValue(CZPMarkupSetter::m_pPropertyValueProperty);
    if (pValue == NULL)
        ZpMarkupThrowBuilderError(g_szSetterIncomplete);
    if (!pValue->IsKindOfType(pProperty->GetValueType())) {
        CZPMarkupObject* pConverted = pBuilder->ConvertValue(pProperty, pValue);
        if (!pSetter->SetValue(CZPMarkupSetter::m_pPropertyValueProperty, pConverted))
            pConverted->Release();
    }
}

void CZPMarkupStyle::ResolveTrigger(CZPMarkupBuilder* pBuilder, CZPMarkupTrigger* pTrigger)
{
    if (pTrigger == NULL)
        return;
    ResolveSetter(pBuilder, pTrigger);
    if (CZPMarkupSetterColection* pSetters = pTrigger->GetSetters()) {
        for (int i = 0; i < pSetters->GetCount(); i++)
            ResolveSetter(pBuilder, pSetters->GetAt(i));
    }
}

void CZPMarkupType::SetDefaultStyle(CZPMarkupObject* pStyle)
{
    if (CZPMarkupStyle* pSealed = ZpMarkupCast<CZPMarkupStyle>(pStyle))
        pSealed->Seal();
    if (m_pDefaultStyle != NULL)
        m_pDefaultStyle->Release();
    m_pDefaultStyle = pStyle;
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupResourceDictionary

CZPMarkupResourceDictionary::~CZPMarkupResourceDictionary()
{
    for (auto& entry : m_strings) {
        entry.second.pKey->Release();
        entry.second.pValue->Release();
    }
    for (auto& entry : m_map) {
        entry.first->Release();
        entry.second->Release();
    }
}

CZPMarkupObject** CZPMarkupResourceDictionary::Find(CZPMarkupObject* pKey)
{
    if (CZPMarkupString* pString = ZpMarkupCast<CZPMarkupString>(pKey)) {
        auto it = m_strings.find(std::wstring_view(pString->GetText(), static_cast<size_t>(pString->GetLength())));
        return it != m_strings.end() ? &it->second.pValue : NULL;
    }
    auto it = m_map.find(pKey);
    return it != m_map.end() ? &it->second : NULL;
}

void CZPMarkupResourceDictionary::Insert(CZPMarkupObject* pKey, CZPMarkupObject* pValue)
{
    if (CZPMarkupString* pString = ZpMarkupCast<CZPMarkupString>(pKey))
        m_strings.emplace(std::wstring_view(pString->GetText(), static_cast<size_t>(pString->GetLength())),
                          CEntry{ pKey, pValue });
    else
        m_map.emplace(pKey, pValue);
}

void CZPMarkupResourceDictionary::SetContentObject(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* pContent)
{
    CZPMarkupObject* pKey = ZpMarkupGetResourceKey(pContent);
    if (pKey == NULL)
        ZpMarkupThrowBuilderError(
            L"Objects added to Dictionary must have Key attribute or some other type of associated Key");
    if (Find(pKey) != NULL)
        ZpMarkupThrowBuilderError(L"Dictionary key is already used. Key attributes must be unique.");
    pKey->AddRef();
    Insert(pKey, pContent);
}

CZPMarkupObject* CZPMarkupResourceDictionary::Lookup(CZPMarkupObject* pKey) const
{
    if (pKey == NULL)
        return NULL;
    CZPMarkupObject** ppValue = const_cast<CZPMarkupResourceDictionary*>(this)->Find(pKey);
    return ppValue != NULL ? *ppValue : NULL;
}

void CZPMarkupResourceDictionary::SetAt(CZPMarkupObject* pKey, CZPMarkupObject* pValue)
{
    if (pKey == NULL || pValue == NULL) {
        if (pKey != NULL)
            pKey->Release();
        if (pValue != NULL)
            pValue->Release();
        return;
    }
    CZPMarkupObject** ppValue = Find(pKey);
    if (ppValue == NULL) {
        Insert(pKey, pValue);
        return;
    }
    pKey->Release();
    (*ppValue)->Release();
    *ppValue = pValue;
}

// ---------------------------------------------------------------------------------------------
// Resource lookup

CZPMarkupObject* ZpMarkupGetResourceKey(CZPMarkupObject* pObject)
{
    if (pObject == NULL)
        return NULL;
    if (CZPMarkupObject* pKey = pObject->GetLocalValue(CZPMarkupObject::m_pKeyProperty))
        return pKey;
    if (ZpMarkupCast<CZPMarkupStyle>(pObject) != NULL)
        return pObject->GetLocalValue(CZPMarkupStyle::m_pTargetTypeProperty);
    return NULL;
}

CZPMarkupObject* ZpMarkupFindResource(CZPMarkupObject* pObject, CZPMarkupObject* pKey)
{
    if (pKey == NULL)
        return NULL;
    if (CZPMarkupResourceDictionary* pDictionary = ZpMarkupCast<CZPMarkupResourceDictionary>(pObject))
        return pDictionary->Lookup(pKey);
    for (; pObject != NULL; pObject = pObject->GetLogicalParent()) {
        CZPMarkupResourceDictionary* pResources =
            ZpMarkupCast<CZPMarkupResourceDictionary>(pObject->GetLocalValue(CZPMarkupStyle::m_pResourcesProperty));
        if (pResources != NULL) {
            if (CZPMarkupObject* pValue = pResources->Lookup(pKey))
                return pValue;
        }
        if (pObject->GetType() == CZPMarkupStyle::GetClassType())
            break;
        // A style's search looks at that style alone, so this goes one level deep.
        if (CZPMarkupInputElement* pElement = ZpMarkupCast<CZPMarkupInputElement>(pObject)) {
            if (CZPMarkupObject* pValue = ZpMarkupFindResource(pElement->GetStyle(), pKey))
                return pValue;
        }
    }
    return NULL;
}

CZPMarkupObject* CZPMarkupObject::FindResource(CZPMarkupObject* pKey)
{
    return ZpMarkupFindResource(this, pKey);
}
