// Mouse and keyboard input of a tab strip: hot tracking, clicks, drag reordering, keys and tooltips.
#include "tabmanager/ZPTabManager.h"

#include "common/ZPDrawHelpers.h"
#include "common/ZPToolInfo.h"
#include "common/ZPTrackingLoop.h"
#include "tabmanager/ZPTabAppearanceSet.h"
#include "tabmanager/ZPTabManagerItem.h"
#include "tabmanager/ZPTabManagerNavigateButton.h"
#include "tabmanager/ZPTabPaintManager.h"

namespace {

void RequestMouseLeave(CWnd* pWnd)
{
    TRACKMOUSEEVENT tme = { sizeof(TRACKMOUSEEVENT), TME_LEAVE, CWnd::GetSafeHwnd(pWnd), 0 };
    if (tme.hwndTrack != NULL)
        ::TrackMouseEvent(&tme);
}

// The tab strip's loops end on Escape and on a right button press, and drop other keys.
const UINT kTabTrackFlags = CZPTrackingLoop::flagTakeCapture | CZPTrackingLoop::flagEscapeEnds |
                            CZPTrackingLoop::flagRightButtonEnds | CZPTrackingLoop::flagDropOtherKeys;

}  // namespace

void CZPTabManager::RedrawItem(CZPTabManagerItem* pItem, BOOL bErase)
{
    CZPTabPaintManager* pPaintManager = GetPaintManager();
    if (pItem == NULL || pPaintManager == NULL || pPaintManager->GetAppearanceSet() == NULL)
        return;
    CRect rc = pPaintManager->GetAppearanceSet()->GetItemFocusRect(pItem);
    RedrawControl(rc, bErase);
}

void CZPTabManager::RedrawButton(CZPTabManagerNavigateButton* pButton, BOOL bErase)
{
    if (pButton != NULL)
        RedrawControl(pButton->GetRect(), bErase);
}

void CZPTabManager::SetHighlightedItem(CZPTabManagerItem* pItem)
{
    if (pItem == m_pHighlighted)
        return;
    CZPTabManagerItem* pOld = m_pHighlighted;
    m_pHighlighted = pItem;
    RedrawItem(pOld, TRUE);
    RedrawItem(pItem, FALSE);
}

void CZPTabManager::UpdateHotTracking(CWnd* pWnd, CPoint point)
{
    CZPTabPaintManager* pPaintManager = GetPaintManager();
    if (!ZpIsOwnerChainActive(CWnd::GetSafeHwnd(pWnd)) || IsMouseLocked()) {
        if (m_pHighlighted != NULL) {
            CZPTabManagerItem* pOld = m_pHighlighted;
            m_pHighlighted = NULL;
            RedrawItem(pOld, TRUE);
        }
        return;
    }

    if (pPaintManager != NULL && pPaintManager->m_bHotTracking) {
        CZPTabManagerItem* pHit = HitTest(point);
        if (pHit != m_pHighlighted) {
            SetHighlightedItem(pHit);
            if (pHit != NULL)
                RequestMouseLeave(pWnd);
        }
    }

    CZPTabManagerNavigateButton* pButton = HitTestNavigateButton(point, FALSE);
    if (pButton != m_pHighlightedNavigateButton) {
        CZPTabManagerNavigateButton* pOld = m_pHighlightedNavigateButton;
        m_pHighlightedNavigateButton = pButton;
        RedrawButton(pOld, TRUE);
        RedrawButton(pButton, FALSE);
        if (pButton != NULL)
            RequestMouseLeave(pWnd);
    }
}

BOOL CZPTabManager::HandleMouseDown(CWnd* pWnd, CPoint point, BOOL bStripButtonsOnly)
{
    CZPTabManagerNavigateButton* pButton = HitTestNavigateButton(point, bStripButtonsOnly);
    if (pButton != NULL) {
        pButton->PerformClick(pWnd, point);
        return TRUE;
    }
    if (bStripButtonsOnly)
        return FALSE;
    CZPTabManagerItem* pItem = HitTest(point);
    if (pItem == NULL || !CanSelectItem(pItem))
        return FALSE;
    CZPTabPaintManager* pPaintManager = GetPaintManager();
    if (IsAllowReorder())
        ReorderItemByDrag(pWnd, point, pItem);
    else if (pPaintManager != NULL && pPaintManager->m_bSelectOnButtonDown)
        SelectItemByUser(pItem);
    else
        TrackClick(pWnd, point, pItem);
    return TRUE;
}

void CZPTabManager::FinishTracking(CWnd* pWnd, CPoint point)
{
    UpdateHotTracking(pWnd, point);
    RedrawControl(NULL, FALSE);
}

void CZPTabManager::TrackClick(CWnd* pWnd, CPoint point, CZPTabManagerItem* pItem)
{
    HWND hWnd = CWnd::GetSafeHwnd(pWnd);
    if (hWnd == NULL || !ContainsItem(pItem))
        return;
    // The loop may remove the item: it stays alive until the end here.
    CRefPtr<CZPTabManagerItem> hold = CRefPtr<CZPTabManagerItem>::AddRef(pItem);
    CZPTabPaintManager* pPaintManager = GetPaintManager();
    BOOL bHotTracking = pPaintManager != NULL && pPaintManager->m_bHotTracking;
    m_pPressed = pItem;
    if (bHotTracking)
        m_pHighlighted = pItem;
    Reposition();

    BOOL bReleasedOver = FALSE;
    const int nEnd = ZpRunTrackingLoop(hWnd, kTabTrackFlags, [&](const MSG& msg) -> BOOL {
        switch (msg.message) {
        case WM_MOUSEMOVE:
            point = CZPTrackingLoop::PointOf(msg);
            if (bHotTracking && ContainsItem(pItem)) {
                CZPTabManagerItem* pHot = pItem->GetRect().PtInRect(point) ? pItem : NULL;
                if (pHot != m_pHighlighted) {
                    m_pHighlighted = pHot;
                    RedrawItem(pItem, TRUE);
                }
            }
            return TRUE;
        case WM_LBUTTONUP:
            point = CZPTrackingLoop::PointOf(msg);
            bReleasedOver = pItem->GetRect().PtInRect(point);
            return FALSE;
        default:
            return CZPTrackingLoop::Dispatch(msg);
        }
    });
    if (nEnd == CZPTrackingLoop::endWindowGone || !::IsWindow(hWnd))
        return;  // the host (and with it this manager) may be gone

    m_pPressed = NULL;
    FinishTracking(pWnd, point);
    if (bReleasedOver && ContainsItem(pItem))
        SelectItemByUser(pItem);
}

void CZPTabManager::ReorderItemByDrag(CWnd* pWnd, CPoint point, CZPTabManagerItem* pItem)
{
    HWND hWnd = CWnd::GetSafeHwnd(pWnd);
    if (hWnd == NULL || !ContainsItem(pItem))
        return;
    // The loop may remove the item or the old selection: both stay alive until the end here.
    CRefPtr<CZPTabManagerItem> hold = CRefPtr<CZPTabManagerItem>::AddRef(pItem);
    CZPTabPaintManager* pPaintManager = GetPaintManager();
    CRefPtr<CZPTabManagerItem> previous = CRefPtr<CZPTabManagerItem>::AddRef(m_pSelected);
    m_pSelected = pItem;
    if (pPaintManager != NULL && pPaintManager->m_bHotTracking)
        m_pHighlighted = pItem;
    Reposition();

    CArray<CRect, const CRect&> arrSlots;
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
        arrSlots.Add(m_arrItems[i]->GetRect());

    const int nEnd = ZpRunTrackingLoop(hWnd, kTabTrackFlags, [&](const MSG& msg) -> BOOL {
        switch (msg.message) {
        case WM_LBUTTONUP:
            point = CZPTrackingLoop::PointOf(msg);
            return FALSE;
        case WM_MOUSEMOVE: {
            point = CZPTrackingLoop::PointOf(msg);
            if (!ContainsItem(pItem))
                return TRUE;
            // The slots were taken before the drag: a removed tab makes the table stale.
            int nCount = GetItemCount();
            for (int i = 0; i < nCount && i < static_cast<int>(arrSlots.GetSize()); i++) {
                if (i == pItem->GetIndex() || !arrSlots[i].PtInRect(point))
                    continue;
                CZPTabManagerItem* pOther = m_arrItems[i];
                int nOld = pItem->GetIndex();
                m_arrItems[i] = pItem;
                m_arrItems[nOld] = pOther;
                OnItemsChanged();
                OnItemsReordered(pItem, pOther);
                break;
            }
            return TRUE;
        }
        default:
            return CZPTrackingLoop::Dispatch(msg);
        }
    });
    if (nEnd == CZPTrackingLoop::endWindowGone || !::IsWindow(hWnd))
        return;

    FinishTracking(pWnd, point);
    // Put the old selection back so that SelectItemByUser sees a real change.
    m_pSelected = ContainsItem(previous.Get()) ? previous.Get() : NULL;
    previous.Release();
    if (ContainsItem(pItem))
        SelectItemByUser(pItem);
}

BOOL CZPTabManager::PerformKeyDown(CWnd* pWnd, UINT nChar)
{
    int nCount = GetItemCount();
    if (nCount == 0)
        return FALSE;
    ZpMirrorArrowKey(pWnd, nChar);
    BOOL bHorizontal = IsHorizontal();
    int nSel = GetCurSel();
    switch (nChar) {
    case VK_HOME:
        TrySelectItem(FindNextSelectable(0, +1));
        return TRUE;
    case VK_END:
        TrySelectItem(FindNextSelectable(nCount - 1, -1));
        return TRUE;
    case VK_LEFT:
    case VK_UP:
        if (bHorizontal == (nChar == VK_LEFT) && m_pSelected != NULL && nSel > 0) {
            CZPTabManagerItem* pNext = FindNextSelectable(nSel - 1, -1);
            if (pNext != NULL)
                TrySelectItem(pNext);
        }
        return TRUE;
    case VK_RIGHT:
    case VK_DOWN:
        if (bHorizontal == (nChar == VK_RIGHT) && m_pSelected != NULL && nSel < nCount - 1) {
            CZPTabManagerItem* pNext = FindNextSelectable(nSel + 1, +1);
            if (pNext != NULL)
                TrySelectItem(pNext);
        }
        return TRUE;
    }
    return FALSE;
}

INT_PTR CZPTabManager::PerformToolHitTest(CWnd* pWnd, CPoint point, TOOLINFOW* pToolInfo)
{
    if (IsMouseLocked())
        return -1;
    HWND hWnd = CWnd::GetSafeHwnd(pWnd);
    int nButton = -1;
    CZPTabManagerNavigateButton* pButton = HitTestNavigateButton(point, FALSE, &nButton);
    if (pButton != NULL && !pButton->GetTooltip().IsEmpty()) {
        ZpFillToolInfo(pToolInfo, hWnd, pButton->GetRect(), static_cast<UINT_PTR>(nButton), pButton->GetTooltip());
        return nButton;
    }

    return ItemToolHitTest(hWnd, point, pToolInfo);
}

INT_PTR CZPTabManager::ItemToolHitTest(HWND hWnd, CPoint point, TOOLINFOW* pToolInfo)
{
    CZPTabManagerItem* pItem = HitTest(point);
    CZPTabPaintManager* pPaintManager = GetPaintManager();
    if (pItem == NULL || pPaintManager == NULL || pPaintManager->m_nToolTipMode == 0)
        return -1;
    // Mode 2: only for a tab too short for its caption.
    if (pPaintManager->m_nToolTipMode == 2 && pItem->GetLength() >= pItem->GetNaturalLength())
        return -1;
    CString strTooltip = GetItemTooltip(pItem);
    if (strTooltip.IsEmpty())
        return -1;
    ZpFillToolInfoEx(pToolInfo, hWnd, pItem->GetRect(), static_cast<UINT_PTR>(pItem->GetIndex()), strTooltip,
                     pItem->GetCaption(), NULL, NULL);
    return pItem->GetIndex();
}
