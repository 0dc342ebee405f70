// The status bar and the rebar in one frame, Native XP look: a rebar with two toolbar bands, a
// status bar with the editor's indicator panes, a checked and a disabled pane and a size grip.
// TOLVANE_TEST_LINGER_MS keeps it on screen for a screenshot.
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPReBar.h"
#include "commandbars/ZPStatusBar.h"
#include "commandbars/ZPToolBar.h"

#include "message_pump.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A toolbar band of a fixed size (its controls draw with the control slots).
class CShowcaseBar : public CZPToolBar
{
public:
    explicit CShowcaseBar(int cx) : m_cx(cx) {}
    CSize CalcDockedSize(int nLength, DWORD, int) override { return CSize(std::min(m_cx, nLength), 26); }

private:
    int m_cx;
};

TEST(StatusBarShowcase, FrameWithRebarAndStatusBar)
{
    ZpSetPaintTheme(zpThemeNativeXP);
    CFrameWnd* pFrame = new CFrameWnd;  // deletes itself with its window
    ASSERT_TRUE(
        pFrame->Create(NULL, L"Status bar and rebar", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 660, 260)));
    CZPReBar rebar;
    ASSERT_TRUE(rebar.Create(pFrame));
    CShowcaseBar menu(260), standard(180);
    const UINT ids[] = { 1, 128 };
    CShowcaseBar* bars[] = { &menu, &standard };
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(bars[i]->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                      pFrame->m_hWnd, NULL));
        bars[i]->SetBarID(ids[i]);
        ASSERT_TRUE(rebar.AddCommandBarBand(bars[i]));
    }
    CZPStatusBar status;
    ASSERT_TRUE(status.CreateBar(pFrame, 0x56008200, 59393));
    CZPStatusBarPane* pMessage = status.AddPane(0);
    pMessage->SetStyle(ZP_SBPS_STRETCH | ZP_SBPS_NOBORDERS);
    pMessage->SetFixedWidth(1);
    for (LPCWSTR pszText : { L"Line: 12 Col: 4", L"OVR", L"CAP", L"NUM", L"SCRL" })
        status.AddPane(static_cast<UINT>(100 + status.GetPaneCount()))->SetText(pszText);
    status.PaneAt(2)->SetButton(TRUE);
    status.PaneAt(2)->SetStyle(ZP_SBPS_POPOUT);
    status.PaneAt(5)->SetEnabled(FALSE);
    pFrame->RecalcLayout();
    // The frame owns the message pane's text: its posted idle message first, then ours, both
    // through WM_SETTEXT.
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
    pFrame->SetMessageText(L"Ready");
    pFrame->UpdateWindow();
    EXPECT_EQ(6, status.GetPaneCount());
    EXPECT_EQ(2u, rebar.GetReBarCtrl().GetBandCount());
    LingerForScreenshot(pFrame->m_hWnd);
    status.DestroyWindow();
    rebar.DestroyWindow();
    for (CShowcaseBar* pBar : bars)
        pBar->DestroyWindow();
    pFrame->DestroyWindow();
}

}  // namespace
