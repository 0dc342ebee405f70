// Actions and their sorted collection.
#include "commandbars/ZPControlAction.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPControlGalleryItems.h"
#include "common/ZPResourceManager.h"

#include <vector>

CZPControlAction::CZPControlAction(CZPControlActions* pOwner, int nId)
    : m_pOwner(pOwner), m_nId(nId), m_nIconId(0), m_bEnabled(TRUE), m_bChecked(FALSE), m_bVisible(TRUE), m_pItems(NULL)
{
    EnableAutomation();
}

CZPControlAction::~CZPControlAction()
{
    SetItems(NULL);
}

BOOL CZPControlAction::GetEnabled() const
{
    CZPCommandBars* pCommandBars = m_pOwner != NULL ? m_pOwner->GetCommandBars() : NULL;
    if (pCommandBars != NULL && pCommandBars->IsCustomizeMode())
        return TRUE;
    return m_bEnabled;
}

void CZPControlAction::SetItems(CZPControlGalleryItems* pItems)
{
    if (pItems != NULL)
        pItems->InternalAddRef();
    if (m_pItems != NULL)
        m_pItems->InternalRelease();
    m_pItems = pItems;
}

void CZPControlAction::SetCaption(LPCWSTR lpszCaption)
{
    CString strCaption(lpszCaption);
    const int nTab = strCaption.Find(L'\t');
    if (nTab >= 0)
        strCaption = strCaption.Left(nTab);
    if (strCaption == m_strCaption)
        return;
    NotifyChanging(CZPControl::actionPropertyCaption);
    m_strCaption = strCaption;
    NotifyChanged(CZPControl::actionPropertyCaption);
    DelayLayoutControls();
}

void CZPControlAction::SetPrompt(LPCWSTR lpszPrompt)
{
    const CString strPrompt(lpszPrompt);
    if (strPrompt.IsEmpty())
        return;
    ZpSplitPromptTexts(strPrompt, m_strTooltipText, m_strDescriptionText);
    if (m_strCaption.IsEmpty())
        m_strCaption = ZpPromptPart(strPrompt, 2);
    if (m_strKeyboardTip.IsEmpty())
        m_strKeyboardTip = ZpPromptPart(strPrompt, 3);
}

int CZPControlAction::Attach(CZPControl* pControl)
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_arrControls[i] == pControl)
            return i;
    m_arrControls.Add(pControl);
    pControl->BindToAction(this);
    return GetCount() - 1;
}

void CZPControlAction::Detach(CZPControl* pControl)
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_arrControls[i] == pControl) {
            m_arrControls.RemoveAt(i);
            pControl->UnbindFromAction();
            return;
        }
    }
}

// Bound controls may unbind (or be deleted) while being told: the calls go over a snapshot of
// the list, and a control no longer bound is skipped.
void CZPControlAction::NotifyChanging(int nProperty)
{
    const std::vector<CZPControl*> controls(m_arrControls.GetData(), m_arrControls.GetData() + GetCount());
    for (CZPControl* pControl : controls)
        if (pControl->GetAction() == this)
            pControl->OnActionChanging(nProperty);
}

void CZPControlAction::NotifyChanged(int nProperty)
{
    const std::vector<CZPControl*> controls(m_arrControls.GetData(), m_arrControls.GetData() + GetCount());
    for (CZPControl* pControl : controls)
        if (pControl->GetAction() == this)
            pControl->OnActionChanged(nProperty);
}

void CZPControlAction::DelayLayoutControls()
{
    for (int i = 0; i < GetCount(); ++i)
        m_arrControls[i]->DelayLayout();
}

// ---------------------------------------------------------------------------------------------
// CZPControlActions

CZPControlActions::CZPControlActions(CZPCommandBars* pCommandBars) : m_pCommandBars(pCommandBars) {}

CZPControlActions::~CZPControlActions()
{
    RemoveAll();
}

CZPControlAction* CZPControlActions::FindAction(int nId) const
{
    if (nId < 1 || nId > ZP_ID_MAX_ACTION)
        return NULL;
    int nLow = 0, nHigh = GetCount() - 1;
    while (nLow <= nHigh) {
        const int nMid = nLow + (nHigh - nLow) / 2;
        const int nMidId = m_arrActions[nMid]->GetId();
        if (nMidId == nId)
            return m_arrActions[nMid];
        if (nMidId < nId)
            nLow = nMid + 1;
        else
            nHigh = nMid - 1;
    }
    return NULL;
}

CZPControlAction* CZPControlActions::Add(int nId)
{
    if (nId < 1 || nId > ZP_ID_MAX_ACTION)
        return NULL;
    if (CZPControlAction* pAction = FindAction(nId))
        return pAction;
    CZPControlAction* pAction = new CZPControlAction(this, nId);
    CString strPrompt;
    if (ZpResourceManagerInstance()->LoadString(strPrompt, static_cast<UINT>(nId)))
        pAction->SetPrompt(strPrompt);
    int nAt = 0;
    while (nAt < GetCount() && m_arrActions[nAt]->GetId() < nId)
        ++nAt;
    m_arrActions.InsertAt(nAt, pAction);
    return pAction;
}

void CZPControlActions::RemoveAll()
{
    // Detached from the array first, so that a control unbinding during the walk finds nothing
    // half-removed; controls are taken off by popping, which ends even when one refuses.
    CArray<CZPControlAction*, CZPControlAction*> arrActions;
    arrActions.Copy(m_arrActions);
    m_arrActions.RemoveAll();
    for (INT_PTR i = 0; i < arrActions.GetSize(); ++i) {
        CZPControlAction* pAction = arrActions[i];
        while (pAction->GetCount() > 0) {
            CZPControl* pControl = pAction->GetAt(pAction->GetCount() - 1);
            pControl->SetAction(NULL);
            if (pAction->GetCount() > 0 && pAction->GetAt(pAction->GetCount() - 1) == pControl)
                pAction->Detach(pControl);
        }
        pAction->InternalRelease();
    }
}
