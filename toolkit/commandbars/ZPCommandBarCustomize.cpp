// What a bar does while controls are dragged in customize mode: the drop position and its marker,
// the drop, the Alt+drag of its own controls and the right click that opens the customize menu.
#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPCustomizeDragTracker.h"
#include "commandbars/ZPCustomizeSheet.h"
#include "commandbars/ZPDropPositionIndex.h"
#include "common/ZPColorManager.h"
#include "common/ZPDeviceContext.h"

#include <framework/refptr.h>

#include <algorithm>
#include <cstdlib>

namespace {
const int kMarkerThickness = 6;  // the insertion strip across the drop edge
const int kMarkerHalf = kMarkerThickness / 2;
const int kEmptyBarInset = 2;      // the marker of an empty bar: 2 px inside its corner
const int kSelfDropMinMove = 4;    // a drop on itself toggles its group only after this move
const int kMarkerColorIndex = 15;  // colour-table entry of the marker brush (button face)

int Centre(int a, int b)
{
    return (a + b) / 2;
}
}  // namespace

BOOL CZPCommandBar::IsCustomizeDropAllowedOn(CZPControl* pDragged) const
{
    if (pDragged == NULL)
        return FALSE;
    // A popup dropped anywhere in its own popup chain would contain itself.
    CZPCommandBar* pOwnBar = pDragged->GetCommandBar();
    int nDepth = 0;
    for (const CZPCommandBar* pBar = this; pBar != NULL && pOwnBar != NULL && nDepth < 64;
         pBar = pBar->GetParentBar(), ++nDepth) {
        if (pBar == pOwnBar)
            return FALSE;
    }
    // The dragged control's own rule sees a control of this bar (NULL on an empty bar).
    return pDragged->IsCustomizeDropAllowed(CountControls() > 0 ? ControlAt(0) : NULL);
}

BOOL CZPCommandBar::IsDropVertical() const
{
    return m_barPosition == zpBarLeft || m_barPosition == zpBarRight || m_barType == zpBarTypePopup;
}

int CZPCommandBar::FindDropPosition(CZPControl* pDragged, CPoint point, CRect* prcMarker, BOOL* pbAfter)
{
    CRect rcMarker(0, 0, 0, 0);
    BOOL bAfter = TRUE;
    const BOOL bVertical = IsDropVertical();
    // A drag over the bar keeps its candidates from one drag-over to the next; any other call
    // takes them afresh. Kept ones are taken again once the bar no longer matches them.
    CZPDropPositionIndex fresh;
    const BOOL bKept = m_dropIndex.IsBuilt() && m_dropIndex.IsVertical() == bVertical;
    if (!bKept)
        fresh.Build(this, bVertical);
    CRect rc;
    int nIndex = (bKept ? m_dropIndex : fresh).FindNearest(point, &rc);
    if (bKept && !m_dropIndex.StillMatches(this, nIndex, rc)) {
        m_dropIndex.Build(this, bVertical);
        nIndex = m_dropIndex.FindNearest(point, &rc);
    }
    if (nIndex < 0) {
        if (!IsRibbonBar()) {
            CRect rcClient(0, 0, 0, 0);
            if (m_hWnd != NULL)
                ::GetClientRect(m_hWnd, &rcClient);
            rcMarker.SetRect(rcClient.left + kEmptyBarInset, rcClient.top + kEmptyBarInset,
                             rcClient.left + kEmptyBarInset + kMarkerThickness, rcClient.bottom - kEmptyBarInset);
        }
    } else {
        bAfter = bVertical ? point.y > Centre(rc.top, rc.bottom) : point.x > Centre(rc.left, rc.right);
        // After a control that the next one leaves by a group or a row break, the strip stays inside.
        CZPControl* pNext = ControlAt(nIndex + 1);
        const BOOL bInside = bAfter && pNext != NULL && (pNext->GetBeginGroup() || pNext->GetWrap());
        const int nNear = bVertical ? rc.top : rc.left;
        const int nFar = bVertical ? rc.bottom : rc.right;
        int nStart = !bAfter ? nNear - kMarkerHalf : (bInside ? nFar - kMarkerThickness : nFar - kMarkerHalf);
        if (bVertical)
            rcMarker.SetRect(rc.left, nStart, rc.right, nStart + kMarkerThickness);
        else
            rcMarker.SetRect(nStart, rc.top, nStart + kMarkerThickness, rc.bottom);
        // Next to itself the drop changes nothing: no marker.
        if (pDragged != NULL && pDragged->GetParent() == this) {
            const int nInsert = bAfter ? nIndex + 1 : nIndex;
            const int nOwn = pDragged->GetIndex();
            if (nInsert == nOwn || nInsert == nOwn + 1)
                rcMarker.SetRectEmpty();
        }
    }
    if (prcMarker != NULL)
        *prcMarker = rcMarker;
    if (pbAfter != NULL)
        *pbAfter = bAfter;
    return nIndex;
}

void CZPCommandBar::SetDropMarker(const CRect& rcMarker, BOOL bAcross)
{
    if (rcMarker == m_rcDropMarker && bAcross == m_bDropMarkerAcross)
        return;
    // Only the old and the new marker need painting again. Through the bar's repaint, which
    // redraws a kept picture of the bar at once: invalidating behind its back would paint the
    // stale picture back.
    const CRect rcOld = m_rcDropMarker;
    m_rcDropMarker = rcMarker;
    m_bDropMarkerAcross = bAcross;
    if (m_hWnd == NULL)
        return;
    if (!rcOld.IsRectEmpty())
        RepaintArea(&rcOld, FALSE);
    if (!rcMarker.IsRectEmpty())
        RepaintArea(&rcMarker, FALSE);
}

void CZPCommandBar::ClearDropMarker()
{
    // The drag has left the bar or ended: its candidates go with it.
    m_dropIndex.Clear();
    if (m_rcDropMarker.IsRectEmpty())
        return;
    SetDropMarker(CRect(0, 0, 0, 0), FALSE);
}

BOOL CZPCommandBar::BeginCustomizeDrag(CZPControl* pDragged, CPoint point)
{
    ClearDropMarker();
    return CustomizeDragOver(pDragged, point);
}

BOOL CZPCommandBar::CustomizeDragOver(CZPControl* pDragged, CPoint point)
{
    if (m_hWnd == NULL || !IsBarVisible() || !AllowsCustomizing() || pDragged == NULL)
        return FALSE;
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    if (!m_dropIndex.IsBuilt())
        m_dropIndex.Build(this, IsDropVertical());
    CRect rcMarker;
    BOOL bAfter = TRUE;
    FindDropPosition(pDragged, point, &rcMarker, &bAfter);
    if (CZPControl* pUnder = m_pControls->HitTest(point)) {
        CRefPtr<CZPControl> holdUnder = CRefPtr<CZPControl>::AddRef(pUnder);
        if (GetParentBar() == NULL && m_nPopupedControl != -1 && m_nPopupedControl != pUnder->GetIndex())
            OpenControlPopup(-1);
        pUnder->OnCustomizeDragOver(pDragged, point);
    }
    if (m_hWnd == NULL || !IsCustomizeDropAllowedOn(pDragged)) {
        ClearDropMarker();
        return FALSE;
    }
    SetDropMarker(rcMarker, IsDropVertical());
    return TRUE;
}

void CZPCommandBar::CustomizeDrop(CZPControl* pDragged, int& nEffect, CPoint point, CPoint ptStart)
{
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    CRefPtr<CZPControl> holdDragged = CRefPtr<CZPControl>::AddRef(pDragged);
    // The drop goes by the bar as it is now, never by candidates kept from the drag-overs.
    m_dropIndex.Clear();
    // Checked again here: the target may have changed since the last drag-over.
    if (pDragged == NULL || !IsCustomizeDropAllowedOn(pDragged)) {
        nEffect = ZP_DROP_CANCEL;
        ClearDropMarker();
        return;
    }
    BOOL bAfter = TRUE;
    const int nIndex = FindDropPosition(pDragged, point, NULL, &bAfter);
    const int nInsert = nIndex < 0 ? 0 : (bAfter ? nIndex + 1 : nIndex);
    if (pDragged->GetParent() == this && (nInsert == pDragged->GetIndex() || nInsert == pDragged->GetIndex() + 1)) {
        // Dropped on itself: past the first control a drop after itself starts a group, before it ends one.
        if (std::abs(point.x - ptStart.x) > kSelfDropMinMove || std::abs(point.y - ptStart.y) > kSelfDropMinMove) {
            const BOOL bGroup = nInsert == pDragged->GetIndex() + 1 && pDragged->GetIndex() > 0;
            if (bGroup != pDragged->GetBeginGroup()) {
                pDragged->SetBeginGroup(bGroup);
                RecalcBarLayout();
            }
        }
        nEffect = ZP_DROP_CANCEL;
        ClearDropMarker();
        return;
    }
    OpenControlPopup(-1);
    HighlightControlAt(-1);
    // A separator before the insert position now stands before the dropped control.
    BOOL bBeginGroup = FALSE;
    if (CZPControl* pAtInsert = ControlAt(nInsert)) {
        bBeginGroup = pAtInsert->GetBeginGroup();
        if (bBeginGroup)
            pAtInsert->SetBeginGroup(FALSE);
    }
    CZPControl* pCopy = m_pControls->AddClone(pDragged, nInsert, TRUE);
    if (pCopy != NULL) {
        pCopy->SetBeginGroup(bBeginGroup);
        if (CZPCommandBars* pCommandBars = FindCommandBars())
            pCommandBars->SetCustomizeSelection(pCopy);
    }
    RecalcBarLayout();
    ClearDropMarker();
    RepaintArea(NULL, FALSE);
}

void CZPCommandBar::DrawDropMarker(CDC* pDC)
{
    const CRect& rc = m_rcDropMarker;
    if (pDC == NULL || rc.IsRectEmpty())
        return;
    CBrush brush(ZpColorManagerInstance().LookupColor(kMarkerColorIndex));
    HGDIOBJ hOld = ::SelectObject(pDC->m_hDC, brush.m_hObject);
    const HDC hDC = pDC->m_hDC;
    // Each pixel once: an inverting blit drawn twice would take itself back.
    if (m_bDropMarkerAcross) {
        ::PatBlt(hDC, rc.left, rc.top, 1, rc.Height(), PATINVERT);
        ::PatBlt(hDC, rc.left + 1, rc.top + 1, 1, rc.Height() - 2, PATINVERT);
        ::PatBlt(hDC, rc.left + 2, rc.top + 2, rc.Width() - 4, 2, PATINVERT);
        ::PatBlt(hDC, rc.right - 2, rc.top + 1, 1, rc.Height() - 2, PATINVERT);
        ::PatBlt(hDC, rc.right - 1, rc.top, 1, rc.Height(), PATINVERT);
    } else {
        ::PatBlt(hDC, rc.left, rc.top, rc.Width(), 1, PATINVERT);
        ::PatBlt(hDC, rc.left + 1, rc.top + 1, rc.Width() - 2, 1, PATINVERT);
        ::PatBlt(hDC, rc.left + 2, rc.top + 2, 2, rc.Height() - 4, PATINVERT);
        ::PatBlt(hDC, rc.left + 1, rc.bottom - 2, rc.Width() - 2, 1, PATINVERT);
        ::PatBlt(hDC, rc.left, rc.bottom - 1, rc.Width(), 1, PATINVERT);
    }
    ::SelectObject(hDC, hOld);
}

void CZPCommandBar::DrawCustomizeState(CDC* pDC)
{
    CZPCommandBars* pCommandBars = FindCommandBars();
    CZPControl* pSelected = pCommandBars != NULL ? pCommandBars->GetCustomizeSelection() : NULL;
    if (pSelected != NULL && pSelected->GetParent() == this && pSelected->IsVisible()) {
        CRect rc = pSelected->GetRect();
        for (int i = 0; i < 2; ++i, rc.DeflateRect(1, 1)) {
            CBrush black(RGB(0, 0, 0));
            ::FrameRect(pDC->m_hDC, &rc, static_cast<HBRUSH>(black.m_hObject));
        }
    }
    DrawDropMarker(pDC);
}

BOOL CZPCommandBar::RunAltDrag(CZPControl* pControl, CPoint point)
{
    CZPCommandBars* pCommandBars = FindCommandBars();
    if (pControl == NULL || pCommandBars == NULL || IsCustomizeModeActive() || !pControl->IsCustomizeMovable() ||
        !pCommandBars->GetCommandBarsOptions()->m_bAltDragCustomization || !pCommandBars->IsCustomizeCommandPresent())
        return FALSE;
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    CRefPtr<CZPControl> holdControl = CRefPtr<CZPControl>::AddRef(pControl);
    pCommandBars->SetQuickCustomizeMode(m_hWnd);
    OpenControlPopup(-1);
    HighlightControlAt(-1);
    pControl->OnCustomizeMouseDown(point);
    pCommandBars->SetQuickCustomizeMode(NULL);
    pCommandBars->RelayoutSite(FALSE);
    pCommandBars->EndAllTracking();
    return TRUE;
}

BOOL CZPCommandBar::OnCustomizeRButtonDown(CZPControl* pControl, CPoint point)
{
    CZPCommandBars* pCommandBars = FindCommandBars();
    if (pControl == NULL || pCommandBars == NULL || !pControl->IsVisible() || !pControl->IsCustomizeMovable())
        return FALSE;
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    CRefPtr<CZPControl> holdControl = CRefPtr<CZPControl>::AddRef(pControl);
    OpenControlPopup(-1);
    HighlightControlAt(-1);
    pCommandBars->SetCustomizeSelection(pControl);
    if (CZPCustomizeSheet* pSheet = pCommandBars->GetDragTracker()->GetSheet()) {
        CPoint ptScreen = point;
        ::ClientToScreen(m_hWnd, &ptScreen);
        pSheet->ShowContextMenu(ptScreen);
    }
    return TRUE;
}
