// The modal tracking loop.
#include "common/ZPTrackingLoop.h"

#include <windowsx.h>

CZPTrackingLoop::CZPTrackingLoop(HWND hWnd, UINT nFlags)
    : m_hWnd(hWnd), m_nFlags(nFlags), m_nTickTimerId(kZpTrackingTickTimer), m_bTicking(FALSE), m_bHadCapture(FALSE),
      m_nMaxPaints(kZpTrackingMaxPaintsPerRound)
{}

CZPTrackingLoop::~CZPTrackingLoop()
{
    StopTicks();
}

void CZPTrackingLoop::StartTicks(UINT nElapseMs)
{
    if (::SetTimer(m_hWnd, m_nTickTimerId, nElapseMs, NULL) != 0)
        m_bTicking = TRUE;
}

void CZPTrackingLoop::StopTicks()
{
    if (m_bTicking && ::IsWindow(m_hWnd))
        ::KillTimer(m_hWnd, m_nTickTimerId);
    m_bTicking = FALSE;
}

int CZPTrackingLoop::Run()
{
    if ((m_nFlags & flagTakeCapture) != 0 && ::IsWindow(m_hWnd))
        ::SetCapture(m_hWnd);
    m_bHadCapture = m_hWnd != NULL && ::GetCapture() == m_hWnd;
    const int nEnd = Pump();
    StopTicks();
    if ((m_nFlags & flagTakeCapture) != 0 && ::IsWindow(m_hWnd) && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    return nEnd;
}

int CZPTrackingLoop::CheckWindow() const
{
    if (!::IsWindow(m_hWnd))
        return endWindowGone;
    if (m_bHadCapture && ::GetCapture() != m_hWnd)
        return endCaptureLost;
    if (!IsTracking())
        return endStopped;
    return -1;
}

int CZPTrackingLoop::Pump()
{
    MSG msg;
    for (;;) {
        int nEnd = CheckWindow();
        if (nEnd >= 0)
            return nEnd;
        // A filtered peek answers WM_QUIT too.
        int nPaints = 0;
        while (nPaints < m_nMaxPaints && ::PeekMessageW(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                return EndOnQuit(msg);
            ::DispatchMessageW(&msg);
            ++nPaints;
        }
        if (nPaints > 0 && (nEnd = CheckWindow()) >= 0)
            return nEnd;

        if (!::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            // Sleeps until a message or a sent message arrives; a capture lost to another
            // thread wakes it too.
            ::MsgWaitForMultipleObjectsEx(0, NULL, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            continue;
        }
        if (msg.message == WM_QUIT)
            return EndOnQuit(msg);
        if (msg.message == WM_CANCELMODE)
            return endCancelMode;
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && (m_nFlags & flagEscapeEnds) != 0)
            return endEscape;
        if (msg.message == WM_RBUTTONDOWN && (m_nFlags & flagRightButtonEnds) != 0)
            return endRightButton;
        if (msg.message == WM_KEYDOWN && (m_nFlags & flagDropOtherKeys) != 0)
            continue;
        const BOOL bTick = msg.message == WM_TIMER && msg.hwnd == m_hWnd && msg.wParam == m_nTickTimerId;
        if (!(bTick ? OnTick() : OnMessage(msg)))
            return endStopped;
    }
}

int CZPTrackingLoop::EndOnQuit(const MSG& msg)
{
    // The outer loop must see the quit too.
    ::PostQuitMessage(static_cast<int>(msg.wParam));
    return endQuit;
}

BOOL CZPTrackingLoop::OnMessage(const MSG& msg)
{
    return Dispatch(msg);
}

BOOL CZPTrackingLoop::Dispatch(const MSG& msg)
{
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    return TRUE;
}

POINT CZPTrackingLoop::PointOf(const MSG& msg)
{
    POINT pt = { GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam) };
    return pt;
}
