// The style and trigger layers of input elements: lookup of the effective style, style
// application after building and trigger re-evaluation when a watched property changes.
#include "markup/ZPMarkupInputElement.h"

#include "markup/ZPMarkupStyle.h"

#include <map>

void ZpMarkupOnStyleChanged(CZPMarkupObject* pObject, MarkupPropertyChangedEventArgs* pArgs)
{
    CZPMarkupInputElement* pElement = ZpMarkupCast<CZPMarkupInputElement>(pObject);
    if (pElement == NULL)
        return;
    CZPMarkupStyle* pStyle = ZpMarkupCast<CZPMarkupStyle>(pArgs->pNewValue);
    if (pStyle != NULL)
        pStyle->Seal();
    pElement->m_pStyle = pStyle;
}

CZPMarkupObject* CZPMarkupInputElement::GetLocalValue(CZPMarkupDependencyProperty* pProperty) const
{
    if (CZPMarkupObject* pValue = CZPMarkupObject::GetLocalValue(pProperty))
        return pValue;
    if (m_pTriggerValues != NULL)
    {
        if (CZPMarkupObject* pValue = m_pTriggerValues->Get(pProperty))
            return pValue;
    }
    if (m_pStyle != NULL)
    {
        if (CZPMarkupObject* pValue = m_pStyle->GetStyleValue(pProperty))
            return pValue;
    }
    if (CZPMarkupStyle* pDefault = ZpMarkupCast<CZPMarkupStyle>(GetType()->GetDefaultStyle()))
        return pDefault->GetStyleValue(pProperty);
    return NULL;
}

void CZPMarkupInputElement::OnApplyStyle()
{
    if (m_pStyle == NULL)
    {
        // The implicit style is keyed by this exact class.
        if (CZPMarkupStyle* pStyle = ZpMarkupCast<CZPMarkupStyle>(FindResource(GetType())))
        {
            pStyle->Seal();
            m_pStyle = pStyle;
        }
    }
    if (m_pStyle == NULL)
        return;
    UpdateTriggers(NULL, NULL);
}

BOOL CZPMarkupInputElement::ActivateStyleTriggers(CZPMarkupStyle* pStyle, CZPMarkupDependencyProperty* pProperty,
                                                  CZPMarkupObject* pValue, int nDepth)
{
    BOOL bAdded = FALSE;
    // Chains made in code are not checked when built: stop where a page's chain would.
    if (nDepth < CZPMarkupStyle::kMaxBasedOnDepth && pStyle->GetBasedOn() != NULL)
        bAdded = ActivateStyleTriggers(pStyle->GetBasedOn(), pProperty, pValue, nDepth + 1);
    CZPMarkupTriggerCollection* pTriggers = pStyle->GetTriggers();
    if (pTriggers == NULL)
        return bAdded;
    for (int i = pTriggers->GetCount() - 1; i >= 0; i--)
    {
        CZPMarkupObject* pTrigger = pTriggers->GetAt(i);
        CZPMarkupDependencyProperty* pWatched = CZPMarkupSetter::GetSetterProperty(pTrigger);
        CZPMarkupDependencyProperty* pTested = pProperty != NULL ? pProperty : pWatched;
        CZPMarkupObject* pTestedValue = pProperty != NULL ? pValue : GetValue(pWatched);
        if (pWatched == NULL || pWatched != pTested)
            continue;
        CZPMarkupObject* pWanted = CZPMarkupSetter::GetSetterValue(pTrigger);
        if (pWanted == NULL || !pWanted->IsEqual(pTestedValue))
            continue;
        if (m_pActiveTriggers == NULL)
            m_pActiveTriggers = new CZPMarkupTriggerCollection(FALSE);
        pTrigger->AddRef();
        if (!m_pActiveTriggers->Add(pTrigger))
            pTrigger->Release();
        bAdded = TRUE;
    }
    return bAdded;
}

void CZPMarkupInputElement::UpdateTriggers(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pValue)
{
    if (m_nTriggerDepth >= kMaxTriggerDepth)
        return;
    struct CDepth
    {
        int& n;
        explicit CDepth(int& nDepth) : n(nDepth) { n++; }
        ~CDepth() { n--; }
    } depth(m_nTriggerDepth);

    // Old trigger values of the properties touched, one reference each.
    std::map<CZPMarkupDependencyProperty*, CRefPtr<CZPMarkupObject>> old;
    auto recordOld = [&old](CZPMarkupDependencyProperty* pSetProperty, CZPMarkupObject* pOld) {
        if (old.find(pSetProperty) == old.end())
            old.emplace(pSetProperty, CRefPtr<CZPMarkupObject>::AddRef(pOld));
    };
    auto triggerValue = [this](CZPMarkupDependencyProperty* pSetProperty) -> CZPMarkupObject* {
        return m_pTriggerValues != NULL ? m_pTriggerValues->Get(pSetProperty) : NULL;
    };
    BOOL bChanged = FALSE;

    if (m_pActiveTriggers != NULL && pProperty != NULL)
    {
        for (int i = m_pActiveTriggers->GetCount() - 1; i >= 0; i--)
        {
            CZPMarkupObject* pTrigger = m_pActiveTriggers->GetAt(i);
            if (CZPMarkupSetter::GetSetterProperty(pTrigger) != pProperty)
                continue;
            CZPMarkupObject* pWanted = CZPMarkupSetter::GetSetterValue(pTrigger);
            if (pWanted != NULL && pWanted->IsEqual(pValue))
                continue;
            if (CZPMarkupSetterColection* pSetters = static_cast<CZPMarkupTrigger*>(pTrigger)->GetSetters())
            {
                for (int j = 0; j < pSetters->GetCount(); j++)
                {
                    CZPMarkupDependencyProperty* pSet = CZPMarkupSetter::GetSetterProperty(pSetters->GetAt(j));
                    if (pSet == NULL)
                        continue;
                    recordOld(pSet, triggerValue(pSet));
                    if (m_pTriggerValues != NULL)
                        m_pTriggerValues->Set(pSet, NULL);
                }
            }
            m_pActiveTriggers->RemoveAt(i);
            bChanged = TRUE;
        }
    }

    CZPMarkupStyle* pStyle = m_pStyle != NULL ? m_pStyle : ZpMarkupCast<CZPMarkupStyle>(GetType()->GetDefaultStyle());
    if (pStyle != NULL && ActivateStyleTriggers(pStyle, pProperty, pValue, 0))
        bChanged = TRUE;

    if (bChanged)
    {
        if (m_pTriggerValues == NULL)
            m_pTriggerValues = new CZPMarkupProperties(NULL);
        const int nActive = m_pActiveTriggers != NULL ? m_pActiveTriggers->GetCount() : 0;
        for (int i = 0; i < nActive; i++)
        {
            CZPMarkupSetterColection* pSetters = static_cast<CZPMarkupTrigger*>(m_pActiveTriggers->GetAt(i))->GetSetters();
            const int nSetters = pSetters != NULL ? pSetters->GetCount() : 0;
            for (int j = 0; j < nSetters; j++)
            {
                CZPMarkupDependencyProperty* pSet = CZPMarkupSetter::GetSetterProperty(pSetters->GetAt(j));
                CZPMarkupObject* pNew = CZPMarkupSetter::GetSetterValue(pSetters->GetAt(j));
                if (pSet == NULL || pNew == NULL)
                    continue;
                CZPMarkupObject* pCurrent = triggerValue(pSet);
                if (pNew->IsEqual(pCurrent))
                    continue;
                recordOld(pSet, pCurrent);
                pNew->AddRef();
                if (!m_pTriggerValues->Set(pSet, pNew))
                    pNew->Release();
            }
        }
    }

    for (auto& entry : old)
    {
        CZPMarkupObject* pNew = triggerValue(entry.first);
        CZPMarkupObject* pOld = entry.second.Get();
        if (pNew == NULL && pOld == NULL)
            continue;
        OnPropertyChanged(entry.first, pOld, pNew);
        if (entry.first->GetFlags() & kZpMarkupInherits)
            NotifyInheritedChange(entry.first, pOld, pNew);
    }
}
