// Dock bars and docking: rows, the frame's layout, drop rectangles, squeezing and spilling, and
// the drag loop driven by posted mouse input.
#include "DibSection.h"
#include "message_pump.h"
#include "toolbar_test_support.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPDockBar.h"
#include "commandbars/ZPDockContext.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPToolBar.h"

#include <vector>

namespace {

// Command bars on a frame with toolbars of three 23 x 22 controls (80 wide with the expand button).
class DockBarTest : public CommandBarsTest
{
protected:
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        m_commandBars.SetSite(m_frame.m_hWnd);
        m_commandBars.CreateDockBars();
    }
    void TearDown() override
    {
        m_commandBars.RemoveAll();
        CommandBarsTest::TearDown();
    }
    CZPToolBar* NewBar(int nPosition, DWORD dwFlags = ZP_TOOLBAR_FLAGS)
    {
        CZPToolBar* pBar = m_commandBars.CreateToolBar(L"bar", nPosition);
        pBar->SetPaintManager(m_theme.Get());
        pBar->ModifyBarFlags(0xFFFFFFFF, 0);
        pBar->ModifyBarFlags(0, dwFlags);
        AddTestControls(pBar, 3);
        return pBar;
    }
    void Layout() { m_frame.Frame()->RecalcLayout(FALSE); }
    CRect RectInDockBar(CZPToolBar* pBar) const
    {
        CRect rc;
        ::GetWindowRect(pBar->GetSafeHwnd(), &rc);
        ::MapWindowPoints(NULL, ::GetParent(pBar->GetSafeHwnd()), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    CRect WindowRect(HWND hWnd) const
    {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        return rc;
    }

    CTestFrame m_frame;
    CGripperThemeRef m_theme;
    CZPCommandBars m_commandBars;
};

TEST_F(DockBarTest, BarsDockedWithoutRectangleEachOpenARowAndTheFrameMakesRoom)
{
    CZPToolBar* pFirst = NewBar(zpBarTop);
    CZPToolBar* pSecond = NewBar(zpBarTop);
    CZPDockBar* pTop = m_commandBars.GetDockBar(zpBarTop);
    EXPECT_EQ(pTop, pFirst->GetDockBar());
    EXPECT_EQ(pTop->GetSafeHwnd(), ::GetParent(pFirst->GetSafeHwnd()));
    EXPECT_EQ(2, pTop->GetRowCount());
    Layout();
    EXPECT_EQ(CRect(0, 0, 80, 22), RectInDockBar(pFirst));
    EXPECT_EQ(CRect(0, 22, 80, 44), RectInDockBar(pSecond));
    EXPECT_EQ(CRect(100, 100, 700, 144), WindowRect(pTop->GetSafeHwnd()));
    // Hiding one gives its row back to the frame.
    pSecond->SetBarVisible(FALSE);
    Layout();
    EXPECT_EQ(CRect(100, 100, 700, 122), WindowRect(pTop->GetSafeHwnd()));
    // Floating takes it out of the rows.
    EXPECT_TRUE(pSecond->MoveToPosition(zpBarFloating));
    EXPECT_EQ(nullptr, pSecond->GetDockBar());
    EXPECT_EQ(1, pTop->GetRowCount());
    // A left dock bar stacks columns.
    CZPToolBar* pLeft = NewBar(zpBarLeft);
    Layout();
    EXPECT_EQ(zpBarLeft, pLeft->GetPosition());
    EXPECT_EQ(23, RectInDockBar(pLeft).Width());
}

TEST_F(DockBarTest, DropRectangleChoosesTheRowAndThePlace)
{
    CZPToolBar* pFirst = NewBar(zpBarTop);
    Layout();
    CZPDockBar* pTop = m_commandBars.GetDockBar(zpBarTop);
    // Centre within the first row: the same row, at the dropped place.
    CZPToolBar* pSecond = NewBar(zpBarFloating);
    CRect rcDrop(300, 100, 380, 122);
    ASSERT_TRUE(m_commandBars.DockCommandBar(pSecond, &rcDrop, pTop));
    Layout();
    EXPECT_EQ(1, pTop->GetRowCount());
    EXPECT_EQ(CRect(200, 0, 280, 22), RectInDockBar(pSecond));
    // Dropped over the first bar: the later one along the row moves to touch it.
    CRect rcOver(140, 100, 220, 122);
    m_commandBars.DockCommandBar(pSecond, &rcOver, pTop);
    Layout();
    EXPECT_EQ(CRect(0, 0, 80, 22), RectInDockBar(pFirst));
    EXPECT_EQ(CRect(80, 0, 160, 22), RectInDockBar(pSecond));
    // Centre below the last row: a new row.
    CZPToolBar* pThird = NewBar(zpBarFloating);
    CRect rcBelow(110, 118, 190, 140);
    m_commandBars.DockCommandBar(pThird, &rcBelow, pTop);
    Layout();
    EXPECT_EQ(2, pTop->GetRowCount());
    EXPECT_EQ(22, RectInDockBar(pThird).top);
    // Centre above the first row: a new first row.
    CZPToolBar* pFourth = NewBar(zpBarFloating);
    CRect rcAbove(110, 80, 190, 98);
    m_commandBars.DockCommandBar(pFourth, &rcAbove, pTop);
    Layout();
    EXPECT_EQ(3, pTop->GetRowCount());
    EXPECT_EQ(0, RectInDockBar(pFourth).top);
    EXPECT_EQ(22, RectInDockBar(pFirst).top);
}

TEST_F(DockBarTest, ShortRowSqueezesHidingBarsAndSpillsOthers)
{
    CTestFrame narrow(CRect(100, 100, 250, 300));
    CZPCommandBars commandBars;
    commandBars.SetSite(narrow.m_hWnd);
    commandBars.CreateDockBars();
    CZPDockBar* pTop = commandBars.GetDockBar(zpBarTop);
    struct Case
    {
        DWORD dwFlags;
        CRect expectSecond;
    } cases[] = {
        // Controls that do not fit hide: one row, the last bar squeezed to the row's end.
        { ZP_TOOLBAR_FLAGS, CRect(80, 0, 150, 22) },
        // Bars that cannot shrink: the last one along the row spills into a row below, as near
        // its place as the row allows.
        { ZP_BAR_FLAG_POSITIONS, CRect(70, 22, 150, 44) },
    };
    for (const Case& c : cases) {
        CZPToolBar* pBars[2];
        for (int i = 0; i < 2; ++i) {
            pBars[i] = commandBars.CreateToolBar(L"bar", zpBarFloating);
            pBars[i]->SetPaintManager(m_theme.Get());
            pBars[i]->ModifyBarFlags(0xFFFFFFFF, 0);
            pBars[i]->ModifyBarFlags(0, c.dwFlags);
            AddTestControls(pBars[i], 3);
            CRect rcDrop(100 + 80 * i, 100, 180 + 80 * i, 122);
            commandBars.DockCommandBar(pBars[i], &rcDrop, pTop);
            narrow.Frame()->RecalcLayout(FALSE);
        }
        narrow.Frame()->RecalcLayout(FALSE);
        EXPECT_EQ(1, pTop->GetRowCount());
        CRect rc;
        ::GetWindowRect(pBars[1]->GetSafeHwnd(), &rc);
        ::MapWindowPoints(NULL, pTop->GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(c.expectSecond, rc) << c.dwFlags;
        commandBars.RemoveAll();
    }
}

TEST_F(DockBarTest, StretchedBarStandsAloneInItsRow)
{
    CZPToolBar* pFirst = NewBar(zpBarTop);
    CZPToolBar* pStretched = NewBar(zpBarFloating, ZP_TOOLBAR_FLAGS | ZP_BAR_FLAG_STRETCHED);
    CZPDockBar* pTop = m_commandBars.GetDockBar(zpBarTop);
    CRect rcDrop(300, 100, 380, 122);
    m_commandBars.DockCommandBar(pStretched, &rcDrop, pTop);
    Layout();
    EXPECT_EQ(2, pTop->GetRowCount());
    EXPECT_EQ(600, RectInDockBar(pStretched).Width());
    EXPECT_EQ(0, RectInDockBar(pFirst).left);
}

TEST_F(DockBarTest, DockedBarPrintsItsHighlightedControl)
{
    CZPToolBar* pBar = NewBar(zpBarTop);
    Layout();
    ASSERT_TRUE(pBar->HighlightControlAt(1, 0));
    const CRect rcHot = pBar->ControlAt(1)->GetRect();
    const CRect rcCold = pBar->ControlAt(0)->GetRect();
    CDibSection dib(RectInDockBar(pBar).Width(), RectInDockBar(pBar).Height(), RGB(1, 2, 3));
    ::SendMessageW(pBar->GetSafeHwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.GetDC()), PRF_CLIENT);
    const COLORREF clrHot = CTestTheme::kStateFill;  // a copy: the member has no definition to bind to
    EXPECT_EQ(clrHot, dib.GetPixel(rcHot.CenterPoint().x, rcHot.CenterPoint().y));
    EXPECT_NE(clrHot, dib.GetPixel(rcCold.CenterPoint().x, rcCold.CenterPoint().y));
    pBar->HighlightControlAt(-1, 0);
}

TEST_F(DockBarTest, DraggingFloatsAwayFromTheEdgesAndDocksNearThem)
{
    m_theme->m_szGripper = CSize(8, 0);  // a press at the bar's near end misses its controls
    CZPToolBar* pBar = NewBar(zpBarTop);
    Layout();
    CStepDriver driver;
    std::vector<int> positions;
    CRect rcFloating;
    driver.m_steps = {
        [&] { PostMouse(pBar, WM_MOUSEMOVE, CPoint(400, 300)); },
        [&] {
            positions.push_back(pBar->GetPosition());
            rcFloating = WindowRect(pBar->GetSafeHwnd());
            // Within 20 pixels of the empty bottom dock bar.
            PostMouse(pBar, WM_MOUSEMOVE, CPoint(400, 485));
        },
        [&] {
            positions.push_back(pBar->GetPosition());
            PostMouse(pBar, WM_MOUSEMOVE, CPoint(300, 300));
        },
        [&] {
            positions.push_back(pBar->GetPosition());
            PostMouse(pBar, WM_MOUSEMOVE, CPoint(300, 110));
        },
        [&] {
            positions.push_back(pBar->GetPosition());
            PostMouse(pBar, WM_LBUTTONUP, CPoint(300, 110));
        },
    };
    // The press on the gripper starts the drag; the loop runs the posted steps.
    PostMouse(pBar, WM_LBUTTONDOWN, CPoint(103, 111));
    driver.Start();
    EXPECT_TRUE(PumpUntil([&] { return driver.m_nNext == driver.m_steps.size(); }));
    EXPECT_EQ(std::vector<int>({ zpBarFloating, zpBarBottom, zpBarFloating, zpBarTop }), positions);
    EXPECT_TRUE(rcFloating.PtInRect(CPoint(400, 300)));
    EXPECT_EQ(zpBarTop, pBar->GetPosition());
    EXPECT_EQ(m_commandBars.GetDockBar(zpBarTop), pBar->GetDockBar());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(0, ZpMouseManager()->GetModalCounter());
    EXPECT_TRUE(m_commandBars.GetCommandBarsOptions()->m_bDirty);
}

TEST_F(DockBarTest, EscapeLeavesTheBarWhereTheDragMovedItAndDoubleClickDocksItBack)
{
    CZPToolBar* pBar = NewBar(zpBarTop);
    Layout();
    CStepDriver driver;
    driver.m_steps = {
        [&] { PostMouse(pBar, WM_MOUSEMOVE, CPoint(400, 300)); },
        [&] { ::PostMessageW(pBar->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0); },
    };
    driver.Start();
    pBar->GetDockContext()->BeginMoveDrag(CPoint(110, 111));
    EXPECT_EQ(zpBarFloating, pBar->GetPosition());
    EXPECT_TRUE(WindowRect(pBar->GetSafeHwnd()).PtInRect(CPoint(400, 300)));
    EXPECT_EQ(WindowRect(pBar->GetSafeHwnd()).TopLeft(), pBar->GetDockContext()->GetFloatingPos());

    // Docked back to the side it was dragged from.
    EXPECT_TRUE(pBar->GetDockContext()->SwapDockedAndFloating());
    EXPECT_EQ(zpBarTop, pBar->GetPosition());
    // Floating by double click needs the option.
    EXPECT_FALSE(pBar->GetDockContext()->SwapDockedAndFloating());
    m_commandBars.GetCommandBarsOptions()->m_bDblClickFloat = TRUE;
    EXPECT_TRUE(pBar->GetDockContext()->SwapDockedAndFloating());
    EXPECT_EQ(zpBarFloating, pBar->GetPosition());
    EXPECT_EQ(pBar->GetDockContext()->GetFloatingPos(), WindowRect(pBar->GetSafeHwnd()).TopLeft());
}

TEST_F(DockBarTest, ResizingAFloatingBarRewrapsItsControls)
{
    CZPToolBar* pBar = NewBar(zpBarFloating);
    pBar->RecalcBarLayout();
    const CRect rcBefore = WindowRect(pBar->GetSafeHwnd());
    CStepDriver driver;
    driver.m_steps = {
        [&] { PostMouse(pBar, WM_MOUSEMOVE, CPoint(rcBefore.right - 40, rcBefore.top + 10)); },
        [&] { PostMouse(pBar, WM_LBUTTONUP, CPoint(rcBefore.right - 40, rcBefore.top + 10)); },
    };
    driver.Start();
    pBar->GetDockContext()->BeginResizeDrag(HTRIGHT, CPoint(rcBefore.right - 1, rcBefore.top + 10));
    const CRect rcNarrow = WindowRect(pBar->GetSafeHwnd());
    EXPECT_EQ(rcBefore.left, rcNarrow.left);
    EXPECT_LT(rcNarrow.Width(), rcBefore.Width());
    EXPECT_GT(rcNarrow.Height(), rcBefore.Height());
    EXPECT_EQ(rcNarrow.Width(), pBar->GetMRUWidth());

    // Pulling the top edge up asks for that height: the bar widens back to one row, keeping
    // its bottom edge.
    CStepDriver up;
    up.m_steps = {
        [&] { PostMouse(pBar, WM_MOUSEMOVE, CPoint(rcNarrow.left + 10, rcNarrow.top + 30)); },
        [&] { PostMouse(pBar, WM_LBUTTONUP, CPoint(rcNarrow.left + 10, rcNarrow.top + 30)); },
    };
    up.Start();
    pBar->GetDockContext()->BeginResizeDrag(HTTOP, CPoint(rcNarrow.left + 10, rcNarrow.top));
    const CRect rcWide = WindowRect(pBar->GetSafeHwnd());
    EXPECT_EQ(rcNarrow.bottom, rcWide.bottom);
    EXPECT_LT(rcWide.Height(), rcNarrow.Height());
    EXPECT_GT(rcWide.Width(), rcNarrow.Width());
}

TEST_F(DockBarTest, ASideTheFlagsForbidLeavesTheBarFloating)
{
    CZPToolBar* pBar = NewBar(zpBarFloating, ZP_TOOLBAR_FLAGS & ~ZP_BAR_FLAG_ALIGN_TOP);
    pBar->RecalcBarLayout();
    ::SetWindowPos(pBar->GetSafeHwnd(), NULL, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CStepDriver driver;
    driver.m_steps = {
        [&] { PostMouse(pBar, WM_MOUSEMOVE, CPoint(400, 110)); },
        [&] { PostMouse(pBar, WM_LBUTTONUP, CPoint(400, 110)); },
    };
    driver.Start();
    pBar->GetDockContext()->BeginMoveDrag(CPoint(305, 305));
    EXPECT_EQ(zpBarFloating, pBar->GetPosition());
    EXPECT_TRUE(WindowRect(pBar->GetSafeHwnd()).PtInRect(CPoint(400, 110)));
}

}  // namespace
