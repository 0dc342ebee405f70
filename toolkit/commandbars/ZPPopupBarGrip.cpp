// The resize grip of a popup holding a resizable gallery: the loop that sizes the gallery with the
// mouse and the popup window with it.
#include "commandbars/ZPPopupBar.h"

#include "commandbars/ZPControl.h"
#include "commandbars/ZPControlGallery.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPaintManager.h"
#include "common/ZPShadowManager.h"
#include "common/ZPSystemHelpers.h"
#include "common/ZPTrackingLoop.h"

#include <algorithm>

namespace {
// The gallery's size for a drag of (dx, dy) from its original size: only the dimensions of the mode
// change, never below the minimums.
CSize DraggedSize(CSize szOriginal, CSize szMin, int nMode, int dx, int dy)
{
    CSize size = szOriginal;
    if ((nMode & ZP_GALLERY_RESIZE_WIDTH) != 0)
        size.cx = std::max<int>(szOriginal.cx + dx, szMin.cx);
    if ((nMode & ZP_GALLERY_RESIZE_HEIGHT) != 0)
        size.cy = std::max<int>(szOriginal.cy + dy, szMin.cy);
    return size;
}
}  // namespace

void CZPPopupBar::TrackResize(CPoint point)
{
    CZPControl* pGrip = FindGripControl();
    if (m_hWnd == NULL || pGrip == NULL || m_bResizing)
        return;
    // The site may close the popup or drop the gallery while the loop runs.
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    CRefPtr<CZPControl> holdGrip = CRefPtr<CZPControl>::AddRef(pGrip);
    const int nMode = m_nGripMode;
    const CSize szOriginal(pGrip->GetWidth(), pGrip->GetHeight());
    const CSize szMin(pGrip->GetCustomizeMinWidth(), pGrip->GetCustomizeMinHeight());
    const BOOL bRtl = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    CPoint ptStart = point;
    ClientToScreen(&ptStart);
    CRect rcStart;
    GetWindowRect(&rcStart);
    const CSize szStartLayout = CalcPopupLayout(0, 0);
    if (m_bScrolling)
        LayoutScrolled(rcStart.Size(), FALSE, FALSE);
    // The window may grow up to the work area's far edges; a popup already past them keeps what it has.
    const CRect rcWork = ZpMonitorHelperInstance().WorkAreaOfWindow(m_hWnd);
    const CSize szWindowRoom(
        std::max<int>(bRtl ? rcStart.right - rcWork.left : rcWork.right - rcStart.left, rcStart.Width()),
        std::max<int>(rcWork.bottom - rcStart.top, rcStart.Height()));
    // A scrolling popup's layout is taller than its window: it may keep that height.
    const CSize szLayoutRoom(std::max(szWindowRoom.cx, szStartLayout.cx), std::max(szWindowRoom.cy, szStartLayout.cy));

    HighlightControlAt(-1, 0);
    CZPMouseManager* pMouse = ZpMouseManager();
    pMouse->EnterModalLoop();
    m_bResizing = TRUE;
    auto resize = [&](CSize size) {
        pGrip->SetWidth(size.cx);
        pGrip->SetHeight(size.cy);
        CSize szLayout = CalcPopupLayout(0, 0);
        // A popup bounds its items' width: the gallery keeps no more than the layout gave it.
        if ((nMode & ZP_GALLERY_RESIZE_WIDTH) != 0 && pGrip->GetRect().Width() < size.cx) {
            size.cx = std::max<int>(pGrip->GetRect().Width(), szMin.cx);
            pGrip->SetWidth(size.cx);
        }
        // Past the room the gallery gives the excess back, down to its minimum.
        const int nExcessX = (nMode & ZP_GALLERY_RESIZE_WIDTH) != 0 ? szLayout.cx - szLayoutRoom.cx : 0;
        const int nExcessY = (nMode & ZP_GALLERY_RESIZE_HEIGHT) != 0 ? szLayout.cy - szLayoutRoom.cy : 0;
        if (nExcessX > 0)
            pGrip->SetWidth(std::max<int>(size.cx - nExcessX, szMin.cx));
        if (nExcessY > 0)
            pGrip->SetHeight(std::max<int>(size.cy - nExcessY, szMin.cy));
        if (nExcessX > 0 || nExcessY > 0)
            szLayout = CalcPopupLayout(0, 0);
        FitWindowToGripLayout(szLayout, rcStart, szWindowRoom.cy);
    };
    auto onMessage = [&](const MSG& msg) -> BOOL {
        if (msg.message == WM_LBUTTONUP)
            return FALSE;
        if (msg.message != WM_MOUSEMOVE)
            return CZPTrackingLoop::Dispatch(msg);
        if (pGrip->GetParent() != this)
            return FALSE;
        POINT pt = CZPTrackingLoop::PointOf(msg);
        ::ClientToScreen(msg.hwnd, &pt);
        const int dx = bRtl ? ptStart.x - pt.x : pt.x - ptStart.x;
        resize(DraggedSize(szOriginal, szMin, nMode, dx, pt.y - ptStart.y));
        return TRUE;
    };
    const int nEnd =
        ZpRunTrackingLoop(m_hWnd, CZPTrackingLoop::flagTakeCapture | CZPTrackingLoop::flagEscapeEnds, onMessage);
    m_bResizing = FALSE;
    pMouse->LeaveModalLoop();
    if (nEnd != CZPTrackingLoop::endEscape || m_hWnd == NULL || pGrip->GetParent() != this)
        return;
    pGrip->SetWidth(szOriginal.cx);
    pGrip->SetHeight(szOriginal.cy);
    FitWindowToGripLayout(CalcPopupLayout(0, 0), rcStart, szWindowRoom.cy);
}

void CZPPopupBar::FitWindowToGripLayout(CSize szLayout, const CRect& rcStart, int nMaxHeight)
{
    if (m_hWnd == NULL)
        return;
    const BOOL bRtl = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    const CSize szWindow(szLayout.cx, std::min<int>(szLayout.cy, nMaxHeight));
    m_bScrolling = szWindow.cy < szLayout.cy;
    if (m_bScrolling) {
        LayoutScrolled(szWindow, FALSE, FALSE);
    } else {
        m_rcScrollDown.SetRectEmpty();
        m_rcScrollUp.SetRectEmpty();
        m_nFirstShown = 0;
    }
    CRect rcOld;
    GetWindowRect(&rcOld);
    const int x = bRtl ? rcStart.right - szWindow.cx : rcStart.left;
    ::SetWindowPos(m_hWnd, NULL, x, rcStart.top, szWindow.cx, szWindow.cy,
                   SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOOWNERZORDER);
    ::SetWindowRgn(m_hWnd, NULL, FALSE);
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    if (pPaintManager != NULL) {
        pPaintManager->SetBarRegion(this);
        if (m_bHasShadows && pPaintManager->GetShadowManager() != NULL)
            pPaintManager->GetShadowManager()->OffsetShadowsOf(this, szWindow.cx - rcOld.Width(),
                                                               szWindow.cy - rcOld.Height());
    }
    // Laid out here: a pending relayout would place the popup at its anchor again.
    m_dwPending &= ~ZP_BAR_PENDING_LAYOUT;
    RepaintArea(NULL, FALSE);
}
