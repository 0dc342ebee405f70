// The modal tracking loop: every way it ends, ticks, capture and the bound on paints per round,
// each driven by messages posted before the loop starts.
#include "common/ZPTrackingLoop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Private messages the test window acts on when the loop dispatches them.
const UINT WM_TEST_RELEASECAPTURE = WM_APP + 1;  // posted: the window lets the capture go
const UINT WM_TEST_DESTROY = WM_APP + 2;         // posted: the window destroys itself
const UINT WM_TEST_NOTE = WM_APP + 3;            // posted: recorded, nothing else
const UINT_PTR kOtherTimer = 77;

// A window that records what reaches it and, while asked, never validates its paint.
class CTestWindow
{
public:
    CTestWindow()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = WndProc;
        wc.hInstance = ::GetModuleHandleW(NULL);
        wc.lpszClassName = L"TolvaneTrackingLoopTest";
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, NULL, NULL,
                                   wc.hInstance, NULL);
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~CTestWindow()
    {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        MSG msg;
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
            ;
    }
    HWND m_hWnd;
    std::vector<UINT> m_received;
    int m_nPaints = 0;
    BOOL m_bKeepInvalid = FALSE;

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        CTestWindow* pThis = reinterpret_cast<CTestWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (pThis == NULL)
            return ::DefWindowProcW(hWnd, message, wParam, lParam);
        switch (message) {
        case WM_PAINT:
            ++pThis->m_nPaints;
            if (pThis->m_bKeepInvalid)
                return 0;
            break;
        case WM_TEST_RELEASECAPTURE:
            ::ReleaseCapture();
            break;
        case WM_TEST_DESTROY:
            ::DestroyWindow(hWnd);
            return 0;
        case WM_TIMER:
        case WM_TEST_NOTE:
        case WM_KEYDOWN:
        case WM_MOUSEMOVE:
            pThis->m_received.push_back(message);
            break;
        }
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    }
};

// Dispatches everything, ends on button up, and counts its ticks.
class CTestLoop : public CZPTrackingLoop
{
public:
    CTestLoop(HWND hWnd, UINT nFlags) : CZPTrackingLoop(hWnd, nFlags) {}
    int m_nTicks = 0;
    int m_nStopAfterTicks = -1;
    BOOL m_bCaptureSeen = FALSE;

protected:
    BOOL OnMessage(const MSG& msg) override
    {
        m_bCaptureSeen = ::GetCapture() == GetHwnd();
        if (msg.message == WM_LBUTTONUP)
            return FALSE;
        return CZPTrackingLoop::OnMessage(msg);
    }
    BOOL OnTick() override { return ++m_nTicks != m_nStopAfterTicks; }
};

class TrackingLoop : public testing::Test
{
protected:
    void Post(UINT message, WPARAM wParam = 0) { ::PostMessageW(m_window.m_hWnd, message, wParam, 0); }
    CTestWindow m_window;
};

}  // namespace

TEST_F(TrackingLoop, EndsWhereTheCallerOrTheWindowSays)
{
    struct Case
    {
        const char* name;
        UINT nFlags;
        std::vector<UINT> posted;  // WM_QUIT stands for PostQuitMessage
        int nEnd;
        std::vector<UINT> received;  // what reached the window, in order
    } cases[] = {
        { "button up",
          0,
          { WM_TEST_NOTE, WM_MOUSEMOVE, WM_LBUTTONUP, WM_TEST_NOTE },
          CZPTrackingLoop::endStopped,
          { WM_TEST_NOTE, WM_MOUSEMOVE } },
        { "cancel mode",
          0,
          { WM_TEST_NOTE, WM_CANCELMODE, WM_TEST_NOTE },
          CZPTrackingLoop::endCancelMode,
          { WM_TEST_NOTE } },
        { "escape asked",
          CZPTrackingLoop::flagEscapeEnds,
          { WM_KEYDOWN, WM_TEST_NOTE },
          CZPTrackingLoop::endEscape,
          {} },
        { "escape not asked", 0, { WM_KEYDOWN, WM_LBUTTONUP }, CZPTrackingLoop::endStopped, { WM_KEYDOWN } },
        { "right button asked",
          CZPTrackingLoop::flagRightButtonEnds,
          { WM_TEST_NOTE, WM_RBUTTONDOWN, WM_TEST_NOTE },
          CZPTrackingLoop::endRightButton,
          { WM_TEST_NOTE } },
        { "keys dropped",
          CZPTrackingLoop::flagDropOtherKeys,
          { WM_KEYDOWN, WM_TEST_NOTE, WM_LBUTTONUP },
          CZPTrackingLoop::endStopped,
          { WM_TEST_NOTE } },
        { "capture lost",
          CZPTrackingLoop::flagTakeCapture,
          { WM_TEST_RELEASECAPTURE, WM_TEST_NOTE },
          CZPTrackingLoop::endCaptureLost,
          {} },
        { "window destroyed", 0, { WM_TEST_DESTROY, WM_TEST_NOTE }, CZPTrackingLoop::endWindowGone, {} },
        // A pending quit ends the loop at once; what is posted stays for the outer loop.
        { "quit", 0, { WM_TEST_NOTE, WM_QUIT }, CZPTrackingLoop::endQuit, {} },
    };
    for (const Case& c : cases) {
        CTestWindow window;
        for (UINT message : c.posted) {
            if (message == WM_QUIT)
                ::PostQuitMessage(7);
            else
                ::PostMessageW(window.m_hWnd, message, message == WM_KEYDOWN ? VK_ESCAPE : 0, 0);
        }
        CTestLoop loop(window.m_hWnd, c.nFlags);
        EXPECT_EQ(c.nEnd, loop.Run()) << c.name;
        EXPECT_EQ(c.received, window.m_received) << c.name;
        if (c.nEnd == CZPTrackingLoop::endQuit) {
            // Posted again for the outer loop, with its exit code.
            MSG msg;
            BOOL bQuit = FALSE;
            while (!bQuit && ::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
                bQuit = msg.message == WM_QUIT && msg.wParam == 7;
            EXPECT_TRUE(bQuit) << c.name;
        }
    }
}

TEST_F(TrackingLoop, HoldsTheCaptureItTookOnlyWhileItRuns)
{
    Post(WM_TEST_NOTE);
    Post(WM_LBUTTONUP);
    CTestLoop loop(m_window.m_hWnd, CZPTrackingLoop::flagTakeCapture);
    EXPECT_EQ(CZPTrackingLoop::endStopped, loop.Run());
    EXPECT_TRUE(loop.m_bCaptureSeen);
    EXPECT_EQ(NULL, ::GetCapture());

    // Without the flag, a loop whose window had no capture ignores the capture.
    Post(WM_TEST_RELEASECAPTURE);
    Post(WM_LBUTTONUP);
    CTestLoop free(m_window.m_hWnd, 0);
    EXPECT_EQ(CZPTrackingLoop::endStopped, free.Run());
    EXPECT_FALSE(free.m_bCaptureSeen);
}

TEST_F(TrackingLoop, TicksGoToOnTickAndOtherTimersAreDispatched)
{
    CTestLoop loop(m_window.m_hWnd, 0);
    // A long interval: the ticks the test counts are the ones it posts.
    loop.StartTicks(USER_TIMER_MAXIMUM);
    loop.m_nStopAfterTicks = 3;
    ::PostMessageW(m_window.m_hWnd, WM_TIMER, kZpTrackingTickTimer, 0);
    ::PostMessageW(m_window.m_hWnd, WM_TIMER, kOtherTimer, 0);
    ::PostMessageW(m_window.m_hWnd, WM_TIMER, kZpTrackingTickTimer, 0);
    ::PostMessageW(m_window.m_hWnd, WM_TIMER, kZpTrackingTickTimer, 0);
    ::PostMessageW(m_window.m_hWnd, WM_TEST_NOTE, 0, 0);
    EXPECT_EQ(CZPTrackingLoop::endStopped, loop.Run());
    EXPECT_EQ(3, loop.m_nTicks);
    EXPECT_EQ(std::vector<UINT>{ WM_TIMER }, m_window.m_received);
    // The timer went with the loop.
    EXPECT_FALSE(::KillTimer(m_window.m_hWnd, kZpTrackingTickTimer));

    // A tick id of the caller's choosing.
    CTestLoop own(m_window.m_hWnd, 0);
    own.SetTickTimerId(kOtherTimer);
    own.m_nStopAfterTicks = 1;
    ::PostMessageW(m_window.m_hWnd, WM_TIMER, kOtherTimer, 0);
    EXPECT_EQ(CZPTrackingLoop::endStopped, own.Run());
    EXPECT_EQ(1, own.m_nTicks);
}

TEST_F(TrackingLoop, DispatchesABoundedNumberOfPaintsPerRound)
{
    ::ShowWindow(m_window.m_hWnd, SW_SHOWNA);
    m_window.m_bKeepInvalid = TRUE;
    ::InvalidateRect(m_window.m_hWnd, NULL, FALSE);
    m_window.m_nPaints = 0;
    Post(WM_LBUTTONUP);
    CTestLoop loop(m_window.m_hWnd, 0);
    EXPECT_EQ(CZPTrackingLoop::endStopped, loop.Run());
    EXPECT_EQ(kZpTrackingMaxPaintsPerRound, m_window.m_nPaints);

    m_window.m_nPaints = 0;
    Post(WM_LBUTTONUP);
    CTestLoop few(m_window.m_hWnd, 0);
    few.SetMaxPaintsPerRound(3);
    EXPECT_EQ(CZPTrackingLoop::endStopped, few.Run());
    EXPECT_EQ(3, m_window.m_nPaints);
    m_window.m_bKeepInvalid = FALSE;
}

TEST_F(TrackingLoop, FunctionObjectDecidesEachMessage)
{
    Post(WM_TEST_NOTE);
    Post(WM_RBUTTONDOWN);
    Post(WM_TEST_NOTE);
    std::vector<UINT> seen;
    const int nEnd = ZpRunTrackingLoop(m_window.m_hWnd, CZPTrackingLoop::flagTakeCapture, [&](const MSG& msg) -> BOOL {
        seen.push_back(msg.message);
        return msg.message != WM_RBUTTONDOWN;
    });
    EXPECT_EQ(CZPTrackingLoop::endStopped, nEnd);
    EXPECT_EQ((std::vector<UINT>{ WM_TEST_NOTE, WM_RBUTTONDOWN }), seen);
    EXPECT_EQ(NULL, ::GetCapture());
}
