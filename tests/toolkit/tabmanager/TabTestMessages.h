// Driving the tab strip's modal loops from a test: messages posted before a loop starts, and
// actions run from a thread timer while it runs.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

inline std::function<void()> g_tabTestTimerAction;

inline void CALLBACK TabTestOnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_tabTestTimerAction)
        g_tabTestTimerAction();
}

// Runs fn on every timer tick (10 ms) inside the loop the test starts next.
class CTimerAction
{
public:
    explicit CTimerAction(std::function<void()> fn)
    {
        g_tabTestTimerAction = std::move(fn);
        m_nId = ::SetTimer(NULL, 0, 10, TabTestOnTimer);
    }
    ~CTimerAction()
    {
        ::KillTimer(NULL, m_nId);
        g_tabTestTimerAction = nullptr;
    }
    CTimerAction(const CTimerAction&) = delete;
    CTimerAction& operator=(const CTimerAction&) = delete;

private:
    UINT_PTR m_nId;
};

inline void Post(HWND hWnd, UINT nMsg, WPARAM wParam, POINT pt)
{
    ::PostMessageW(hWnd, nMsg, wParam, MAKELPARAM(pt.x, pt.y));
}

// Drops what the test posted; paints are dispatched, since an unpainted window posts WM_PAINT forever.
inline void DrainQueue()
{
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_PAINT)
            ::DispatchMessageW(&msg);
    }
}
