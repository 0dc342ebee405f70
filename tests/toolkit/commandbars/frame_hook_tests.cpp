// The frame hook record: styles, the refresh it schedules, and the window region by frame state.
#include "commandbars_test_support.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPFrameHook.h"
#include "commandbars/ZPPaintManager.h"

namespace {

using FrameHookTest = CommandBarsTest;

struct CHookedFrame
{
    explicit CHookedFrame(DWORD dwStyle, DWORD dwExStyle = 0)
    {
        m_hWnd = ::CreateWindowExW(dwExStyle, L"STATIC", L"frame", dwStyle, 10, 10, 300, 200, NULL, NULL,
                                   ::GetModuleHandleW(NULL), NULL);
        m_hook.m_hWndFrame = m_hWnd;
    }
    ~CHookedFrame() { ::DestroyWindow(m_hWnd); }
    // The region's box, empty without a region.
    CRect RegionBox() const
    {
        CRect rc(0, 0, 0, 0);
        HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
        if (::GetWindowRgn(m_hWnd, hRgn) != ERROR)
            ::GetRgnBox(hRgn, &rc);
        ::DeleteObject(hRgn);
        return rc;
    }
    HWND m_hWnd;
    ZpFrameHook m_hook;
};

TEST_F(FrameHookTest, MaximizedFramesAreCutToTheirBorderAndOthersKeepNoRegion)
{
    const struct
    {
        DWORD dwStyle, dwExStyle;
        BOOL bComposited;
        int nInset;  // -1: no region
    } cases[] = {
        { WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, 0, FALSE, -2 },                 // the border width
        { WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, WS_EX_CLIENTEDGE, FALSE, -3 },  // the border less 2
        { WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, 0, TRUE, -1 },
        { WS_OVERLAPPEDWINDOW, 0, FALSE, -1 },
    };
    for (const auto& c : cases) {
        CHookedFrame frame(c.dwStyle, c.dwExStyle);
        frame.m_hook.m_bComposited = c.bComposited;
        frame.m_hook.UpdateFrameRegionForSize(300, 200, FALSE);
        CRect rcAdjust(0, 0, 0, 0);
        ::AdjustWindowRectEx(&rcAdjust, frame.m_hook.GetFrameStyle(FALSE), FALSE, frame.m_hook.GetFrameStyle(TRUE));
        const int nBorder = -rcAdjust.left;
        EXPECT_EQ(nBorder, frame.m_hook.m_nFrameBorder);  // a maximized frame's own border
        const CRect rcBox = frame.RegionBox();
        if (c.nInset == -1) {
            EXPECT_TRUE(rcBox.IsRectEmpty()) << c.dwExStyle;
            continue;
        }
        const int nInset = c.nInset == -2 ? nBorder : nBorder - 2;
        EXPECT_EQ(CRect(nInset, nInset, 300 - nInset, 200 - nInset), rcBox) << c.dwExStyle;
        // Same size again: nothing is recomputed; forced, the region is set anew.
        ::SetWindowRgn(frame.m_hWnd, NULL, FALSE);
        frame.m_hook.UpdateFrameRegionForSize(300, 200, FALSE);
        EXPECT_TRUE(frame.RegionBox().IsRectEmpty());
        frame.m_hook.UpdateFrameRegion(TRUE);
        EXPECT_FALSE(frame.RegionBox().IsRectEmpty());
    }
    // A composited frame that is not maximized keeps the composited border.
    CHookedFrame frame(WS_OVERLAPPEDWINDOW);
    frame.m_hook.m_bComposited = TRUE;
    frame.m_hook.UpdateFrameRegionForSize(300, 200, TRUE);
    EXPECT_EQ(ZP_COMPOSITED_BORDER, frame.m_hook.m_nFrameBorder);
}

TEST_F(FrameHookTest, ARestoredFrameLosesTheMaximizedRegionAndTheCaptionIsTheSystems)
{
    CHookedFrame frame(WS_OVERLAPPEDWINDOW | WS_MAXIMIZE);
    frame.m_hook.UpdateFrameRegionForSize(300, 200, FALSE);
    ASSERT_FALSE(frame.RegionBox().IsRectEmpty());
    ::SetWindowLongW(frame.m_hWnd, GWL_STYLE, ::GetWindowLongW(frame.m_hWnd, GWL_STYLE) & ~WS_MAXIMIZE);
    frame.m_hook.UpdateFrameRegionForSize(300, 200, TRUE);
    EXPECT_TRUE(frame.RegionBox().IsRectEmpty());

    const int nBorder = frame.m_hook.m_nFrameBorder;
    EXPECT_GT(nBorder, 0);
    EXPECT_EQ(::GetSystemMetrics(SM_CYCAPTION) + nBorder, frame.m_hook.GetCaptionHeight());
    CHookedFrame tool(WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW);
    tool.m_hook.UpdateFrameRegionForSize(300, 200, FALSE);
    EXPECT_EQ(::GetSystemMetrics(SM_CYSMCAPTION) + tool.m_hook.m_nFrameBorder, tool.m_hook.GetCaptionHeight());
}

TEST_F(FrameHookTest, StylesPaintManagerAndTheScheduledRefresh)
{
    CHookedFrame frame(WS_OVERLAPPEDWINDOW | WS_MAXIMIZE);
    EXPECT_FALSE(frame.m_hook.IsMaximizedChild());
    // The MDI-child bit as the frame's extended style reports it.
    ::SetWindowLongW(frame.m_hWnd, GWL_EXSTYLE, ::GetWindowLongW(frame.m_hWnd, GWL_EXSTYLE) | WS_EX_MDICHILD);
    if (frame.m_hook.GetFrameStyle(TRUE) & WS_EX_MDICHILD)
        EXPECT_TRUE(frame.m_hook.IsMaximizedChild());
    EXPECT_TRUE(frame.m_hook.IsStandardCaption());
    ZpFrameHook none;
    EXPECT_EQ(0u, none.GetFrameStyle(FALSE));
    EXPECT_FALSE(none.IsMaximizedChild());
    // Command bars without a paint manager of their own use the process-wide one.
    CZPCommandBars* pCommandBars = new CZPCommandBars;
    frame.m_hook.m_pCommandBars = pCommandBars;
    EXPECT_EQ(ZpGetPaintManager(), frame.m_hook.ResolvePaintManager());
    pCommandBars->InternalRelease();

    frame.m_hook.ScheduleFrameRefresh();
    EXPECT_TRUE(frame.m_hook.m_bRefreshPending);
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, frame.m_hWnd, ZP_WM_IDLEUPDATECMDUI, ZP_WM_IDLEUPDATECMDUI, PM_REMOVE));
    frame.m_hook.RefreshFrame();
    EXPECT_FALSE(frame.m_hook.m_bRefreshPending);
}

}  // namespace
