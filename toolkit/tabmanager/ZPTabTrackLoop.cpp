// Capture and message pump shared by the tab strip's modal loops.
#include "tabmanager/ZPTabTrackLoop.h"

#include <windowsx.h>

CZPTabTrackLoop::CZPTabTrackLoop(HWND hWnd) : m_hWnd(hWnd)
{
    ::SetCapture(m_hWnd);
}

CZPTabTrackLoop::~CZPTabTrackLoop()
{
    if (IsWindowAlive() && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

int CZPTabTrackLoop::Next(MSG* pMsg, DWORD dwTimeoutMs)
{
    DWORD dwStart = ::GetTickCount();
    for (;;)
    {
        if (!IsWindowAlive() || ::GetCapture() != m_hWnd)
            return resultCancel;
        if (::PeekMessageW(pMsg, NULL, 0, 0, PM_REMOVE))
        {
            if (pMsg->message == WM_QUIT)
            {
                ::PostQuitMessage(static_cast<int>(pMsg->wParam));
                return resultCancel;
            }
            return resultMessage;
        }
        DWORD dwWait = INFINITE;
        if (dwTimeoutMs != INFINITE)
        {
            DWORD dwElapsed = ::GetTickCount() - dwStart;
            if (dwElapsed >= dwTimeoutMs)
                return resultTimeout;
            dwWait = dwTimeoutMs - dwElapsed;
        }
        // Sleep until input or the timeout rather than spinning on PeekMessage.
        ::MsgWaitForMultipleObjectsEx(0, NULL, dwWait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

int CZPTabTrackLoop::Classify(const MSG& msg)
{
    switch (msg.message)
    {
    case WM_CANCELMODE:
    case WM_RBUTTONDOWN:
        return actionCancel;
    case WM_KEYDOWN:
        return msg.wParam == VK_ESCAPE ? actionCancel : actionIgnore;
    case WM_MOUSEMOVE:
        return actionMove;
    case WM_LBUTTONUP:
        return actionRelease;
    default:
        return actionDispatch;
    }
}

POINT CZPTabTrackLoop::PointOf(const MSG& msg)
{
    POINT pt = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    return pt;
}

BOOL CZPTabTrackLoop::Dispatch(const MSG& msg)
{
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    return IsWindowAlive() && ::GetCapture() == m_hWnd;
}
