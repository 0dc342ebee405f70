// A control that opens a popup bar: the bar it holds, opening and closing it, split buttons.
#include "commandbars/ZPControlPopup.h"

#include "commandbars/ZPControls.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPPopupBar.h"
#include "common/ZPPropExchange.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CZPControlPopup, CZPControlButton)

namespace {
// Nesting of recursive popup copies; deeper levels share the source's bar (cycles end here).
const int kMaxCopyDepth = 128;
int g_nCopyDepth = 0;
// Popup chains deeper than this are taken as cycles and end the chain search.
const int kMaxChainDepth = 64;
// The arrow part of a split button when no paint manager measures it.
const int kDefaultSplitArrowWidth = 12;
// A popup bar's delayed-open timer for the popup under the pointer.
const UINT_PTR kTimerDelayedPopup = 112223;
// Split-button Enabled values: only the command part works, or only the arrow part.
const int kSplitCommandOnly = 4;
const int kSplitArrowOnly = 5;
// Split-button selection over the command part and over the arrow part.
const int kSelectionSplitCommand = 4;
const int kSelectionSplitArrow = 5;
// Data of these schemas carries a popup style after the bar id (read and dropped).
const long kSchemaPopupStyleFirst = 5;
const long kSchemaPopupStyleLast = 17;

BOOL Contains(const std::vector<CZPCommandBar*>& bars, const CZPCommandBar* pBar)
{
    return std::find(bars.begin(), bars.end(), pBar) != bars.end();
}
}  // namespace

CZPControlPopup::CZPControlPopup() : m_bPopuped(FALSE), m_bShowControlShadow(TRUE), m_nPopupBarId(0)
{
    m_controlType = zpControlPopup;
}

CZPControlPopup::~CZPControlPopup()
{
    SetCommandBar(NULL);
}

void CZPControlPopup::SetCommandBar(CZPCommandBar* pBar)
{
    if (pBar == m_pCommandBar.Get())
        return;
    CZPPopupBar* pOld = DYNAMIC_DOWNCAST(CZPPopupBar, m_pCommandBar.Get());
    if (pOld != NULL && pOld->GetControlPopup() == this)
        pOld->SetControlPopup(NULL);
    m_pCommandBar.Reset(pBar);
    CZPPopupBar* pNew = DYNAMIC_DOWNCAST(CZPPopupBar, pBar);
    if (pNew != NULL)
        pNew->SetControlPopup(this);
}

CZPCommandBar* CZPControlPopup::GetCommandBar() const
{
    return m_pCommandBar.Get();
}

void CZPControlPopup::Copy(CZPControl* pSource, BOOL bRecursive)
{
    if (pSource == NULL || pSource == this)
        return;
    CZPControl::Copy(pSource, bRecursive);
    CopyPopupBarId(pSource);
    CZPCommandBar* pSourceBar = pSource->GetCommandBar();
    if (pSourceBar == NULL || !bRecursive || g_nCopyDepth >= kMaxCopyDepth) {
        SetCommandBar(pSourceBar);
        return;
    }
    CRefPtr<CZPPopupBar> pBar = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(pSourceBar->GetCommandBars()));
    pBar->SetTitle(pSourceBar->GetTitle());
    ++g_nCopyDepth;
    pBar->GetControls()->CopyFrom(pSourceBar->GetControls(), TRUE);
    --g_nCopyDepth;
    SetCommandBar(pBar.Get());
}

void CZPControlPopup::CopyPopupBarId(CZPControl* pSource)
{
    if (CZPControlPopup* pSourcePopup = DYNAMIC_DOWNCAST(CZPControlPopup, pSource))
        m_nPopupBarId = pSourcePopup->m_nPopupBarId;
}

void CZPControlPopup::DoPropExchange(CZPPropExchange* pPX)
{
    CZPControlButton::DoPropExchange(pPX);
    DWORD dwBarId = m_pCommandBar ? m_pCommandBar->GetBarID() : 0;
    PropExchangeLong(pPX, L"CommandBarId", &dwBarId, 0u);
    if (pPX->IsLoading())
        m_nPopupBarId = dwBarId;
    const long nSchema = pPX->GetSchema();
    if (nSchema >= kSchemaPopupStyleFirst && nSchema <= kSchemaPopupStyleLast) {
        long nStyle = 0;
        PropExchangeLong(pPX, L"Style", &nStyle, 0);
    }
}

BOOL CZPControlPopup::RestoreChildBar(ZP_LOADED_BARS* pLoaded)
{
    const UINT nId = m_nPopupBarId;
    m_nPopupBarId = 0;
    if (nId == 0)
        return TRUE;
    CZPCommandBar* pFound = NULL;
    for (CZPCommandBar* pBar : pLoaded->bars) {
        if (pBar->GetBarID() == nId && pBar->IsPopupBar()) {
            pFound = pBar;
            break;
        }
    }
    if (pFound == NULL)
        return TRUE;  // the popup keeps the bar it has
    // A bar never opens from itself or a bar above it: that loop would keep the bars alive.
    if (Contains(pLoaded->chain, pFound))
        return FALSE;
    SetCommandBar(pFound);
    // A bar shared by several popups has its own links restored once.
    if (Contains(pLoaded->linked, pFound))
        return TRUE;
    pLoaded->linked.push_back(pFound);
    return pFound->RestoreCommandBarLinks(pLoaded);
}

CZPControl* CZPControlPopup::Clone(BOOL bRecursive)
{
    CZPControlPopup* pClone = static_cast<CZPControlPopup*>(GetRuntimeClass()->CreateObject());
    pClone->Copy(this, bRecursive);
    return pClone;
}

BOOL CZPControlPopup::SetPopuped(BOOL bPopup)
{
    if (!m_pCommandBar || (m_controlType == zpControlSplitButtonPopup && m_bEnabled == kSplitCommandOnly) ||
        m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL)
        return FALSE;
    m_bPopuped = bPopup;
    if (!bPopup) {
        m_pCommandBar->SwitchTrackingMode(FALSE, TRUE, FALSE);
        RedrawParent(TRUE);
        return TRUE;
    }
    RedrawParent(FALSE);
    CWnd* pSite = m_pParent->FindSiteWindow();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        pSite->UpdateWindow();
    if (m_pParent != NULL && m_pParent->GetSafeHwnd() != NULL)
        m_pParent->UpdateWindow();
    if (m_pCommandBar->GetTrackingMode() != 0)
        return TRUE;
    // Opened from the keyboard (the item highlighted by keys), a menu highlights its first item.
    const int nSelected = GetSelected();
    CZPPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CZPPopupBar, m_pCommandBar.Get());
    const BOOL bKeyboard = (nSelected == zpSelectionKeyboard || nSelected == zpSelectionKeyboardBack) &&
                           m_controlType >= zpControlPopup && m_controlType <= zpControlSplitButtonPopup;
    if (pPopupBar != NULL)
        pPopupBar->SetOpenByKeyboard(bKeyboard);
    const BOOL bOpened = m_pCommandBar->PopupForControl(this);
    if (pPopupBar != NULL)
        pPopupBar->SetOpenByKeyboard(FALSE);
    if (!bOpened)
        return FALSE;
    ShowShadow();
    return TRUE;
}

void CZPControlPopup::OnKeyboardActivate()
{
    if (m_pCommandBar && m_pParent != NULL)
        m_pParent->OpenControlPopup(m_nIndex, TRUE);
    else
        Execute();
}

CRect CZPControlPopup::GetSplitCommandRect() const
{
    if (m_controlType != zpControlSplitButtonPopup)
        return m_rcControl;
    CZPPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != NULL)
        return pPaintManager->GetSplitCommandRect(const_cast<CZPControlPopup*>(this));
    CRect rc = m_rcControl;
    rc.right -= kDefaultSplitArrowWidth;
    return rc;
}

void CZPControlPopup::OnClick(BOOL bKeyboard, CPoint point)
{
    if (!GetEnabled() || m_pParent == NULL)
        return;
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    const BOOL bCustomize = IsCustomizeMode();
    if (m_bPopuped && m_pParent->GetPosition() != zpBarPopup) {
        // Clicking an open menu title closes it.
        m_pParent->SwitchTrackingMode(FALSE, FALSE, FALSE);
        return;
    }
    if (m_controlType == zpControlSplitButtonPopup && !bCustomize) {
        if (bKeyboard) {
            if (m_bEnabled == kSplitArrowOnly)
                m_pParent->OpenControlPopup(m_nIndex, TRUE);
            else
                Execute();
            return;
        }
        const CRect rcCommand = GetSplitCommandRect();
        if (rcCommand.PtInRect(point)) {
            if (m_pParent->GetType() == zpBarTypePopup) {
                if (m_pParent->GetSafeHwnd() != NULL)
                    m_pParent->KillTimer(kTimerDelayedPopup);
                return;
            }
            if (m_bEnabled != kSplitArrowOnly) {
                TrackPressed(rcCommand);
                return;
            }
        } else if (m_bEnabled == kSplitCommandOnly) {
            return;
        }
    }
    if (!bCustomize || (m_pCommandBar && m_pCommandBar->AllowsCustomizing()))
        m_pParent->OpenControlPopup(m_nIndex, FALSE);
    if (bCustomize)
        OnCustomizeMouseDown(point);
}

void CZPControlPopup::OnLButtonUp(CPoint point)
{
    if (!m_pCommandBar) {
        CZPControlButton::OnLButtonUp(point);
        return;
    }
    if (m_controlType != zpControlSplitButtonPopup || m_pParent == NULL || m_pParent->GetType() != zpBarTypePopup ||
        !GetEnabled() || m_bEnabled == kSplitArrowOnly)
        return;
    const int nArrowWidth = m_rcControl.right - GetSplitCommandRect().right;
    if (point.x + nArrowWidth < m_rcControl.right)
        Execute();
}

BOOL CZPControlPopup::OnLButtonDblClk(CPoint point)
{
    CZPPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CZPPopupBar, m_pCommandBar.Get());
    if ((m_controlType != zpControlPopup && m_controlType != zpControlButtonPopup) || pPopupBar == NULL) {
        OnClick(FALSE, point);
        return TRUE;
    }
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    if (!m_bPopuped) {
        OnLButtonDown(point);
        if (!m_bPopuped)
            return FALSE;
    }
    CZPControls* pControls = pPopupBar->GetControls();
    for (int i = 0; pControls != NULL && i < pControls->GetCount(); ++i) {
        CZPControl* pItem = pControls->GetAt(i);
        if (pItem->IsDefaultItem() && pItem->IsVisible()) {
            pItem->Execute();
            return TRUE;
        }
    }
    // Expanding rarely used controls comes with the popup bar's own layout.
    return FALSE;
}

void CZPControlPopup::OnMouseMove(CPoint point)
{
    if (!m_pCommandBar || !GetEnabled() || m_controlType != zpControlSplitButtonPopup || m_nSelected == zpSelectionNone)
        return;
    const int nSelected = GetSplitCommandRect().PtInRect(point) ? kSelectionSplitCommand : kSelectionSplitArrow;
    if (nSelected != m_nSelected) {
        m_nSelected = nSelected;
        RedrawParent(FALSE);
    }
}

void CZPControlPopup::OnMouseHover()
{
    if (m_pCommandBar && GetEnabled() && m_pParent != NULL &&
        (m_pParent->GetTrackingMode() == 2 || m_pParent->GetPosition() == zpBarPopup)) {
        m_pParent->OpenControlPopup(m_nIndex, FALSE);
        return;
    }
    CZPControl::OnMouseHover();
}

BOOL CZPControlPopup::OnSetSelected(int bSelected)
{
    if (!CZPControl::OnSetSelected(bSelected))
        return FALSE;
    if (!m_pCommandBar || m_pParent == NULL)
        return TRUE;
    CZPCommandBar* pParent = m_pParent;
    const BOOL bInPopup = pParent->GetType() == zpBarTypePopup;
    if (m_controlType == zpControlPopup || (bInPopup && ZpIsPopupKind(m_controlType))) {
        if (GetEnabled() && bSelected != zpSelectionNone && pParent->GetTrackingMode() == 2 &&
            pParent->GetPosition() != zpBarPopup)
            pParent->OpenControlPopup(m_nIndex, FALSE);
        else if (bSelected == zpSelectionNone && m_bPopuped && pParent->GetPosition() != zpBarPopup)
            pParent->OpenControlPopup(-1);
    } else if (GetEnabled() && ZpIsKeyboardSelection(bSelected) && pParent->GetTrackingMode() == 2) {
        pParent->OpenControlPopup(m_nIndex, TRUE);
    }
    return TRUE;
}

void CZPControlPopup::OnCustomizeDragOver(CZPControl* pDataObject, CPoint)
{
    if (!m_pCommandBar || !m_pCommandBar->AllowsCustomizing() || m_pParent == NULL)
        return;
    CZPControlPopup* pDragged = DYNAMIC_DOWNCAST(CZPControlPopup, pDataObject);
    if (pDragged != NULL && IsChainedWith(pDragged)) {
        m_pParent->OpenControlPopup(-1);
        m_pParent->HighlightControlAt(-1);
    } else {
        m_pParent->OpenControlPopup(m_nIndex, FALSE);
    }
}

BOOL CZPControlPopup::IsCustomizeDropAllowed(CZPControl* pDataObject)
{
    CZPCommandBar* pTarget = pDataObject != NULL ? pDataObject->GetParent() : NULL;
    for (int nDepth = 0; pTarget != NULL && nDepth < kMaxChainDepth; pTarget = pTarget->GetParentBar(), ++nDepth) {
        if (pTarget == m_pCommandBar.Get())
            return FALSE;
    }
    return TRUE;
}

void CZPControlPopup::AdjustExcludeRect(CRect& rc, BOOL bVertical)
{
    CZPPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != NULL)
        pPaintManager->AdjustExcludeRect(rc, this, bVertical);
}

void CZPControlPopup::ShowShadow() {}

namespace {
// Every bar reachable from a popup bar through the popups in it; each bar once, so cycles end.
void CollectChain(CZPCommandBar* pBar, std::vector<CZPCommandBar*>& bars)
{
    if (pBar == NULL || std::find(bars.begin(), bars.end(), pBar) != bars.end())
        return;
    bars.push_back(pBar);
    CZPControls* pControls = pBar->GetControls();
    for (int i = 0; pControls != NULL && i < pControls->GetCount(); ++i) {
        CZPControlPopup* pItem = DYNAMIC_DOWNCAST(CZPControlPopup, pControls->GetAt(i));
        if (pItem != NULL)
            CollectChain(pItem->GetCommandBar(), bars);
    }
}
}  // namespace

// Chained in either direction means the two popup chains share a bar somewhere.
BOOL CZPControlPopup::IsChainedWith(CZPControlPopup* pOther) const
{
    if (pOther == NULL || !m_pCommandBar || pOther->GetCommandBar() == NULL)
        return FALSE;
    std::vector<CZPCommandBar*> mine;
    std::vector<CZPCommandBar*> theirs;
    CollectChain(m_pCommandBar.Get(), mine);
    CollectChain(pOther->GetCommandBar(), theirs);
    for (CZPCommandBar* pBar : mine) {
        if (std::find(theirs.begin(), theirs.end(), pBar) != theirs.end())
            return TRUE;
    }
    return FALSE;
}
