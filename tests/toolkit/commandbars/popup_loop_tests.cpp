// The popup loop, driven by posted step messages.
#include "commandbars_test_support.h"

#include "commandbars/ZPPopupLoop.h"

#include <framework/messages.h>

namespace {

using PopupLoopTest = CommandBarsTest;

const UINT kStepMessage = WM_APP + 1;
const UINT kLaterMessage = WM_APP + 2;

// A bar whose tracking mode the test switches; each posted step message runs the next step.
class CTrackingBar : public CZPCommandBar
{
public:
    CTrackingBar() { CreateEx(0, AfxRegisterWndClass(0), L"popup", WS_POPUP, 0, 0, 50, 50, NULL, NULL); }
    BOOL SwitchTrackingMode(int nMode, BOOL, BOOL) override
    {
        m_nTrackingMode = nMode;
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kStepMessage && m_nNextStep < m_steps.size()) {
            m_steps[m_nNextStep++]();
            return 0;
        }
        if (message == WM_KICKIDLE)
            ++m_nKickIdle;
        return CZPCommandBar::WindowProc(message, wParam, lParam);
    }
    void PostStep(std::function<void()> step)
    {
        m_steps.push_back(std::move(step));
        ::PostMessageW(m_hWnd, kStepMessage, 0, 0);
    }
    std::vector<std::function<void()>> m_steps;
    size_t m_nNextStep = 0;
    int m_nKickIdle = 0;
};

TEST_F(PopupLoopTest, EndsWhenTrackingEndsAndLeavesLaterMessagesQueued)
{
    CRefPtr<CTrackingBar> bar = CRefPtr<CTrackingBar>::Adopt(new CTrackingBar);
    bar->SwitchTrackingMode(1, FALSE, FALSE);
    ::PostMessageW(bar->GetSafeHwnd(), WM_KICKIDLE, 0, 0);
    bar->PostStep([&] { bar->SwitchTrackingMode(0, FALSE, FALSE); });
    ::PostMessageW(bar->GetSafeHwnd(), kLaterMessage, 0, 0);
    ZpRunPopupLoop(bar.Get());
    EXPECT_EQ(1u, bar->m_nNextStep);
    EXPECT_EQ(0, bar->m_nKickIdle);  // dropped, never dispatched
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, bar->GetSafeHwnd(), kLaterMessage, kLaterMessage, PM_REMOVE));
    bar->DestroyWindow();
}

TEST_F(PopupLoopTest, QuitAndAVanishedWindowEndTheLoop)
{
    {
        SCOPED_TRACE("WM_QUIT is posted again");
        CRefPtr<CTrackingBar> bar = CRefPtr<CTrackingBar>::Adopt(new CTrackingBar);
        bar->SwitchTrackingMode(1, FALSE, FALSE);
        bar->PostStep([] { ::PostQuitMessage(9); });
        ZpRunPopupLoop(bar.Get());
        MSG msg;
        ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(9, static_cast<int>(msg.wParam));
        bar->DestroyWindow();
    }
    {
        SCOPED_TRACE("the popup window is destroyed while tracking");
        CRefPtr<CTrackingBar> bar = CRefPtr<CTrackingBar>::Adopt(new CTrackingBar);
        bar->SwitchTrackingMode(1, FALSE, FALSE);
        bar->PostStep([&] { bar->DestroyWindow(); });
        ZpRunPopupLoop(bar.Get());
        EXPECT_EQ(1u, bar->m_nNextStep);
        EXPECT_EQ(NULL, bar->GetSafeHwnd());
    }
    {
        SCOPED_TRACE("a bar that does not track returns at once");
        CRefPtr<CTrackingBar> bar = CRefPtr<CTrackingBar>::Adopt(new CTrackingBar);
        bar->PostStep([] {});
        ZpRunPopupLoop(bar.Get());
        EXPECT_EQ(0u, bar->m_nNextStep);
        bar->DestroyWindow();
        ZpRunPopupLoop(NULL);
    }
}

}  // namespace
