// The drag, dock, float and resize tracker of one toolbar.
#include "commandbars/ZPDockContext.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPDockBar.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPToolBar.h"
#include "common/ZPSystemHelpers.h"
#include "common/ZPTrackingLoop.h"

namespace {
// The mode of a floating bar's size while it is dragged or floated by a double click.
const DWORD kFloatingMode = ZP_LM_HORZ | ZP_LM_MRUWIDTH | ZP_LM_COMMIT;
// Side bits of the Flags, by dock-bar position.
const DWORD kSideFlags[4] = { ZP_BAR_FLAG_ALIGN_TOP, ZP_BAR_FLAG_ALIGN_BOTTOM, ZP_BAR_FLAG_ALIGN_LEFT,
                              ZP_BAR_FLAG_ALIGN_RIGHT };

// Moves rc by whole steps so that it holds pt (it keeps its size).
void MoveToContain(CRect& rc, CPoint pt)
{
    if (pt.x < rc.left)
        rc.OffsetRect(pt.x - rc.left, 0);
    else if (pt.x >= rc.right)
        rc.OffsetRect(pt.x - rc.right + 1, 0);
    if (pt.y < rc.top)
        rc.OffsetRect(0, pt.y - rc.top);
    else if (pt.y >= rc.bottom)
        rc.OffsetRect(0, pt.y - rc.bottom + 1);
}

// Keeps at least nKeep pixels of rc inside the work area on each side.
void KeepOnWorkArea(CRect& rc, const CRect& rcWork, int nKeep)
{
    if (rc.right < rcWork.left + nKeep)
        rc.OffsetRect(rcWork.left + nKeep - rc.right, 0);
    if (rc.left > rcWork.right - nKeep)
        rc.OffsetRect(rcWork.right - nKeep - rc.left, 0);
    if (rc.bottom < rcWork.top + nKeep)
        rc.OffsetRect(0, rcWork.top + nKeep - rc.bottom);
    if (rc.top > rcWork.bottom - nKeep)
        rc.OffsetRect(0, rcWork.bottom - nKeep - rc.top);
}

CZPCommandBarsOptions* OptionsOf(CZPToolBar* pBar)
{
    CZPCommandBars* pCommandBars = pBar->FindCommandBars();
    return pCommandBars != NULL ? pCommandBars->GetCommandBarsOptions() : NULL;
}

// The loop of one gesture: moves go to the context, a release ends it.
class CDockLoop : public CZPTrackingLoop
{
public:
    CDockLoop(CZPDockContext* pContext, CZPToolBar* pBar)
        : CZPTrackingLoop(pBar->GetSafeHwnd(), flagTakeCapture | flagEscapeEnds), m_pContext(pContext), m_pBar(pBar)
    {}

protected:
    BOOL OnMessage(const MSG& msg) override
    {
        BOOL bContinue = TRUE;
        if (msg.message == WM_LBUTTONUP) {
            bContinue = FALSE;
        } else if (msg.message == WM_MOUSEMOVE && msg.hwnd == GetHwnd()) {
            CPoint pt = PointOf(msg);
            ::ClientToScreen(GetHwnd(), &pt);
            if (m_pContext->GetDragMode() == ZP_DRAG_MOVE)
                m_pContext->MoveTo(pt);
            else
                m_pContext->ResizeTo(pt);
            // Re-parenting between dock bar and floating may have taken the capture away.
            if (::IsWindow(GetHwnd()) && ::GetCapture() != GetHwnd())
                ::SetCapture(GetHwnd());
        } else {
            Dispatch(msg);
        }
        if (CZPCommandBars* pCommandBars = m_pBar->FindCommandBars())
            pCommandBars->FlushPendingLayout();
        return bContinue;
    }

private:
    CZPDockContext* m_pContext;  // borrowed: runs the loop
    CZPToolBar* m_pBar;          // borrowed: held by the caller for the loop's life
};
}  // namespace

CZPDockContext::CZPDockContext(CZPToolBar* pBar)
    : m_pBar(pBar), m_nDragMode(0), m_ptLast(0, 0), m_nDockSide(zpBarTop), m_rcDocked(0, 0, 0, 0), m_ptFloating(0, 0),
      m_rcDockDrag(0, 0, 0, 0), m_rcFloatDrag(0, 0, 0, 0)
{}

CZPDockContext::~CZPDockContext() = default;

void CZPDockContext::RunCaptureLoop()
{
    HWND hWnd = m_pBar->GetSafeHwnd();
    HWND hWndCapture = ::GetCapture();
    if (hWnd == NULL || (hWndCapture != NULL && hWndCapture != hWnd))
        return;
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(m_pBar);
    CDockLoop loop(this, m_pBar);
    loop.Run();
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    if (CZPCommandBarsOptions* pOptions = OptionsOf(m_pBar))
        pOptions->m_bDirty = TRUE;
}

void CZPDockContext::BeginMoveDrag(CPoint ptScreen)
{
    HWND hWnd = m_pBar->GetSafeHwnd();
    if (hWnd == NULL)
        return;
    const CRect rcDockedBefore = m_rcDocked;
    const int nSideBefore = m_nDockSide;
    const BOOL bStartedFloating = m_pBar->IsFloating();
    m_nDragMode = ZP_DRAG_MOVE;
    CRect rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    MoveToContain(rcWindow, ptScreen);
    m_rcDockDrag = m_rcFloatDrag = rcWindow;
    m_ptLast = ptScreen;
    ::SetCursor(::LoadCursorW(NULL, IDC_SIZEALL));
    CZPMouseManager* pMouse = ZpMouseManager();
    pMouse->EnterModalLoop();
    RunCaptureLoop();
    pMouse->LeaveModalLoop();
    m_nDragMode = 0;
    if (m_pBar->IsFloating()) {
        m_ptFloating = m_rcFloatDrag.TopLeft();
        if (!bStartedFloating) {
            m_rcDocked = rcDockedBefore;
            m_nDockSide = nSideBefore;
        }
    }
}

void CZPDockContext::FloatForDrag(CPoint ptScreen)
{
    CZPCommandBars* pCommandBars = m_pBar->FindCommandBars();
    if (pCommandBars == NULL || !pCommandBars->FloatCommandBar(m_pBar))
        return;
    const CSize size = m_pBar->ComputeBarSize(0, kFloatingMode);
    m_rcFloatDrag = CRect(m_rcFloatDrag.TopLeft(), size);
    MoveToContain(m_rcFloatDrag, ptScreen);
}

void CZPDockContext::MoveTo(CPoint ptScreen)
{
    HWND hWnd = m_pBar->GetSafeHwnd();
    CZPCommandBars* pCommandBars = m_pBar->FindCommandBars();
    if (hWnd == NULL || pCommandBars == NULL)
        return;
    const CSize delta = ptScreen - m_ptLast;
    m_rcDockDrag.OffsetRect(delta);
    m_rcFloatDrag.OffsetRect(delta);
    m_ptLast = ptScreen;
    const DWORD dwFlags = m_pBar->GetFlags();
    CZPDockBar* pCurrent = m_pBar->GetDockBar();
    CZPDockBar* pDockBar = pCommandBars->CanDock(ptScreen, pCurrent);
    const int nSide = pDockBar != NULL ? pDockBar->GetPosition() : -1;
    if (pDockBar != NULL && nSide >= 0 && nSide < 4 && (dwFlags & kSideFlags[nSide]) != 0) {
        const BOOL bWasFloating = m_pBar->IsFloating();
        pCommandBars->DockCommandBar(m_pBar, &m_rcDockDrag, pDockBar);
        if (pDockBar != pCurrent || bWasFloating) {
            pCommandBars->RelayoutSite(FALSE);
            ::GetWindowRect(hWnd, &m_rcDockDrag);
            MoveToContain(m_rcDockDrag, ptScreen);
        }
        return;
    }
    if ((dwFlags & ZP_BAR_FLAG_FLOATING) == 0)
        return;
    if (!m_pBar->IsFloating())
        FloatForDrag(ptScreen);
    const CRect rcWork = ZpMonitorHelperInstance().WorkAreaAtPoint(ptScreen);
    KeepOnWorkArea(m_rcFloatDrag, rcWork, ZP_DRAG_KEEP_VISIBLE);
    ::SetWindowPos(hWnd, NULL, m_rcFloatDrag.left, m_rcFloatDrag.top, m_rcFloatDrag.Width(), m_rcFloatDrag.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void CZPDockContext::BeginResizeDrag(int nHitTest, CPoint ptScreen)
{
    HWND hWnd = m_pBar->GetSafeHwnd();
    if (hWnd == NULL)
        return;
    m_nDragMode = nHitTest;
    m_ptLast = ptScreen;
    ::GetWindowRect(hWnd, &m_rcFloatDrag);
    CZPMouseManager* pMouse = ZpMouseManager();
    pMouse->EnterModalLoop();
    RunCaptureLoop();
    pMouse->LeaveModalLoop();
    m_nDragMode = 0;
    if (::IsWindow(hWnd)) {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        m_ptFloating = rc.TopLeft();
        m_pBar->SetMRUWidth(rc.Width());
    }
}

void CZPDockContext::ResizeTo(CPoint ptScreen)
{
    HWND hWnd = m_pBar->GetSafeHwnd();
    if (hWnd == NULL)
        return;
    const CSize delta = ptScreen - m_ptLast;
    m_ptLast = ptScreen;
    const BOOL bLeft = m_nDragMode == HTLEFT || m_nDragMode == HTTOPLEFT || m_nDragMode == HTBOTTOMLEFT;
    const BOOL bTop = m_nDragMode == HTTOP || m_nDragMode == HTTOPLEFT || m_nDragMode == HTTOPRIGHT;
    const BOOL bHorizontal = m_nDragMode == HTLEFT || m_nDragMode == HTRIGHT;
    if (m_pBar->IsDialogBar()) {
        // A dialog bar follows every edge and corner, docked or floating, from its own sizes.
        const BOOL bRight = m_nDragMode == HTRIGHT || m_nDragMode == HTTOPRIGHT || m_nDragMode == HTBOTTOMRIGHT;
        const BOOL bBottom = m_nDragMode == HTBOTTOM || m_nDragMode == HTBOTTOMLEFT || m_nDragMode == HTBOTTOMRIGHT;
        if (bLeft)
            m_rcFloatDrag.left += delta.cx;
        else if (bRight)
            m_rcFloatDrag.right += delta.cx;
        if (bTop)
            m_rcFloatDrag.top += delta.cy;
        else if (bBottom)
            m_rcFloatDrag.bottom += delta.cy;
        m_pBar->ResizeByEdge(m_rcFloatDrag, m_nDragMode);
        return;
    }
    CSize size;
    if (bHorizontal) {
        if (bLeft)
            m_rcFloatDrag.left += delta.cx;
        else
            m_rcFloatDrag.right += delta.cx;
        size = m_pBar->ComputeBarSize(m_rcFloatDrag.Width(), ZP_LM_HORZ | ZP_LM_COMMIT);
    } else {
        if (bTop)
            m_rcFloatDrag.top += delta.cy;
        else
            m_rcFloatDrag.bottom += delta.cy;
        const int nHeight = m_rcFloatDrag.Height() > 0 ? m_rcFloatDrag.Height() : 0;
        size = m_pBar->ComputeBarSize(nHeight, ZP_LM_HORZ | ZP_LM_LENGTHY | ZP_LM_COMMIT);
    }
    CRect rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    if (size == rcWindow.Size())
        return;
    CRect rcNew(rcWindow.TopLeft(), size);
    if (bHorizontal && bLeft)
        rcNew.OffsetRect(rcWindow.right - rcNew.right, 0);
    if (!bHorizontal && bTop)
        rcNew.OffsetRect(0, rcWindow.bottom - rcNew.bottom);
    const CRect rcWork = ZpMonitorHelperInstance().WorkAreaOfRect(rcNew);
    CRect rcMeet;
    if (!rcMeet.IntersectRect(rcNew, rcWork))
        KeepOnWorkArea(rcNew, rcWork, ZP_DRAG_KEEP_VISIBLE);
    ::SetWindowPos(hWnd, NULL, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    m_pBar->RepaintArea(NULL, FALSE);
}

BOOL CZPDockContext::SwapDockedAndFloating()
{
    CZPCommandBars* pCommandBars = m_pBar->FindCommandBars();
    if (pCommandBars == NULL)
        return FALSE;
    const DWORD dwFlags = m_pBar->GetFlags();
    if (m_pBar->IsFloating()) {
        if ((dwFlags & ZP_BAR_FLAG_ALIGN_ANY) == 0)
            return FALSE;
        CZPDockBar* pDockBar = pCommandBars->GetDockBar(m_nDockSide);
        if (pDockBar == NULL)
            return FALSE;
        CRect rc = m_rcDocked;
        const BOOL bHasRect = !rc.IsRectEmpty();
        if (bHasRect)
            ::MapWindowPoints(pDockBar->GetSafeHwnd(), NULL, reinterpret_cast<POINT*>(&rc), 2);
        if (!pCommandBars->DockCommandBar(m_pBar, bHasRect ? &rc : NULL, pDockBar))
            return FALSE;
        pCommandBars->RelayoutSite(FALSE);
    } else {
        CZPCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
        if ((dwFlags & ZP_BAR_FLAG_FLOATING) == 0 || pOptions == NULL || !pOptions->m_bDblClickFloat)
            return FALSE;
        CPoint pt = m_ptFloating;
        if (pt.x <= 0 || pt.y <= 0) {
            pt = m_rcDocked.TopLeft();
            if (CZPDockBar* pDockBar = m_pBar->GetDockBar())
                ::ClientToScreen(pDockBar->GetSafeHwnd(), &pt);
        }
        if (!pCommandBars->FloatCommandBar(m_pBar))
            return FALSE;
        const CSize size = m_pBar->ComputeBarSize(-1, kFloatingMode);
        ::SetWindowPos(m_pBar->GetSafeHwnd(), NULL, pt.x, pt.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (CZPCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions())
        pOptions->m_bDirty = TRUE;
    return TRUE;
}
