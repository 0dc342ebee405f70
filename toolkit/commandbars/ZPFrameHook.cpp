// The frame hook record's operations.
#include "commandbars/ZPFrameHook.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPPaintManager.h"
#include "common/ZPWinThemeWrapper.h"

#include <framework/frame.h>

namespace {
// The frame changed: recompute its non-client area without moving it.
const UINT kFrameChangedFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
// A maximized frame with a client edge keeps this much more of its border.
const int kClientEdgeInset = 2;
}  // namespace

ZpFrameHook::ZpFrameHook()
    : m_hWndFrame(NULL), m_pCommandBars(NULL), m_pPaintManager(NULL), m_szFrame(0, 0), m_bRefreshPending(FALSE),
      m_nFrameBorder(0), m_bComposited(FALSE), m_bInUpdate(FALSE)
{}

DWORD ZpFrameHook::GetFrameStyle(BOOL bExtended) const
{
    if (!::IsWindow(m_hWndFrame))
        return 0;
    return static_cast<DWORD>(::GetWindowLongW(m_hWndFrame, bExtended ? GWL_EXSTYLE : GWL_STYLE));
}

CZPPaintManager* ZpFrameHook::ResolvePaintManager() const
{
    if (m_pCommandBars != NULL && m_pCommandBars->GetPaintManager() != NULL)
        return m_pCommandBars->GetPaintManager();
    return m_pCommandBars != NULL ? ZpGetPaintManager() : m_pPaintManager;
}

BOOL ZpFrameHook::IsMaximizedChild() const
{
    return (GetFrameStyle(FALSE) & WS_MAXIMIZE) != 0 && (GetFrameStyle(TRUE) & WS_EX_MDICHILD) != 0;
}

void ZpFrameHook::ScheduleFrameRefresh()
{
    m_bRefreshPending = TRUE;
    ::PostMessageW(m_hWndFrame, ZP_WM_IDLEUPDATECMDUI, 0, 0);
}

int ZpFrameHook::GetCaptionHeight() const
{
    const BOOL bToolWindow = (GetFrameStyle(TRUE) & WS_EX_TOOLWINDOW) != 0;
    return ::GetSystemMetrics(bToolWindow ? SM_CYSMCAPTION : SM_CYCAPTION) + m_nFrameBorder;
}

void ZpFrameHook::UpdateFrameRegionForSize(int cx, int cy, BOOL bForce)
{
    if (m_bInUpdate || (!bForce && m_szFrame == CSize(cx, cy)))
        return;
    m_bInUpdate = TRUE;
    const DWORD dwStyle = GetFrameStyle(FALSE), dwExStyle = GetFrameStyle(TRUE);
    CRect rcAdjust(0, 0, 0, 0);
    ::AdjustWindowRectEx(&rcAdjust, dwStyle, FALSE, dwExStyle);
    m_nFrameBorder = -rcAdjust.left;
    const BOOL bMaximized = (dwStyle & WS_MAXIMIZE) != 0;
    if (m_bComposited) {
        if (!bMaximized)
            m_nFrameBorder = ZP_COMPOSITED_BORDER;
        ::SetWindowRgn(m_hWndFrame, NULL, TRUE);
        ZpExtendFrameIntoClient(m_hWndFrame, 0, 0, 0, 0);
    } else if (IsMaximizedChild()) {
        ::SetWindowRgn(m_hWndFrame, NULL, TRUE);
    } else if (bMaximized) {
        const int nInset = m_nFrameBorder - ((dwExStyle & WS_EX_CLIENTEDGE) != 0 ? kClientEdgeInset : 0);
        HRGN hRgn = ::CreateRectRgn(nInset, nInset, cx - nInset, cy - nInset);
        // Once set, the region belongs to the system.
        if (hRgn != NULL && !::SetWindowRgn(m_hWndFrame, hRgn, TRUE))
            ::DeleteObject(hRgn);
    } else {
        // No frame paint manager shapes a normal frame: it keeps its whole rectangle, and the
        // inset region of an earlier maximized state must not cut its borders off.
        ::SetWindowRgn(m_hWndFrame, NULL, TRUE);
    }
    m_szFrame = CSize(cx, cy);
    m_bInUpdate = FALSE;
}

void ZpFrameHook::UpdateFrameRegion(BOOL bForce)
{
    CRect rc;
    if (::IsWindow(m_hWndFrame) && ::GetWindowRect(m_hWndFrame, &rc))
        UpdateFrameRegionForSize(rc.Width(), rc.Height(), bForce);
}

void ZpFrameHook::RefreshFrame()
{
    m_szFrame = CSize(0, 0);
    m_bRefreshPending = FALSE;
    ::SetWindowPos(m_hWndFrame, NULL, 0, 0, 0, 0, kFrameChangedFlags);
    CWnd* pFrame = CWnd::FromHandlePermanent(m_hWndFrame);
    if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        static_cast<CFrameWnd*>(pFrame)->RecalcLayout(FALSE);
    } else if (::IsWindow(m_hWndFrame)) {
        CRect rc;
        ::GetClientRect(m_hWndFrame, &rc);
        ::SendMessageW(m_hWndFrame, WM_SIZE, 0, MAKELPARAM(rc.Width(), rc.Height()));
    }
}
