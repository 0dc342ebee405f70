// Customize drag and drop: drop positions and markers of a bar, the marker's pixels, and the drag
// tracker's loop driven by posted messages.
#include "DibSection.h"
#include "commandbars_test_support.h"
#include "toolbar_test_support.h"

#include "commandbars/ZPCommandBarAnimation.h"
#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPCustomizeDragTracker.h"
#include "commandbars/ZPDockBar.h"
#include "commandbars/ZPDropPositionIndex.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPToolBar.h"
#include "common/ZPColorManager.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

// A bar that counts as shown, with its marker settable.
class CShownBar : public CZPCommandBar
{
public:
    BOOL IsBarVisible() const override { return TRUE; }
    using CZPCommandBar::SetDropMarker;
};

// Controls of 30 x 20 in rows of nPerRow (vertical bars: one column), the first of each row wrapping.
void PlaceControls(CZPCommandBar* pBar, int nCount, int nPerRow, BOOL bColumn)
{
    for (int i = 0; i < nCount; ++i) {
        CZPControl* pControl = pBar->GetControls()->Append(new CTestControl);
        pControl->SetID(100 + i);
        const CPoint pt = bColumn ? CPoint(0, i * 20) : CPoint((i % nPerRow) * 30, (i / nPerRow) * 20);
        pControl->SetRect(CRect(pt, CSize(30, 20)));
        pControl->SetWrap(!bColumn && i > 0 && i % nPerRow == 0);
    }
}

using CustomizeDropPositionTest = CommandBarsTest;

TEST_F(CustomizeDropPositionTest, IndexSideAndMarkerFollowThePoint)
{
    struct Case
    {
        const char* name;
        int nPosition;  // bar position
        int nControls;
        int nPerRow;
        int nGroupAt;  // a control that begins a group, -1 none
        int nDragged;  // index of the dragged control on this bar, -1 from elsewhere
        CPoint point;
        int nIndex;
        BOOL bAfter;
        CRect marker;
    } cases[] = {
        { "horizontal, before the first", zpBarTop, 4, 4, -1, -1, CPoint(10, 10), 0, FALSE, CRect(-3, 0, 3, 20) },
        { "horizontal, after the first", zpBarTop, 4, 4, -1, -1, CPoint(20, 10), 0, TRUE, CRect(27, 0, 33, 20) },
        { "horizontal, far below still picks the row", zpBarTop, 4, 4, -1, -1, CPoint(110, 90), 3, TRUE,
          CRect(117, 0, 123, 20) },
        { "before a group stays inside", zpBarTop, 4, 4, 2, -1, CPoint(50, 10), 1, TRUE, CRect(54, 0, 60, 20) },
        { "wrapped: second row", zpBarTop, 6, 3, -1, -1, CPoint(50, 30), 4, TRUE, CRect(57, 20, 63, 40) },
        { "wrapped: end of a row stays inside", zpBarTop, 6, 3, -1, -1, CPoint(80, 5), 2, TRUE, CRect(84, 0, 90, 20) },
        { "vertical: across, before", zpBarLeft, 4, 1, -1, -1, CPoint(10, 25), 1, FALSE, CRect(0, 17, 30, 23) },
        { "vertical: across, after", zpBarRight, 4, 1, -1, -1, CPoint(10, 35), 1, TRUE, CRect(0, 37, 30, 43) },
        { "empty bar", zpBarTop, 0, 1, -1, -1, CPoint(50, 50), -1, TRUE, CRect(2, 2, 8, 98) },
        { "self: before itself", zpBarTop, 4, 4, -1, 1, CPoint(40, 10), 1, FALSE, CRect(0, 0, 0, 0) },
        { "self: after itself", zpBarTop, 4, 4, -1, 1, CPoint(50, 10), 1, TRUE, CRect(0, 0, 0, 0) },
        { "self: after the one before", zpBarTop, 4, 4, -1, 1, CPoint(20, 10), 0, TRUE, CRect(0, 0, 0, 0) },
        { "self: two away shows", zpBarTop, 4, 4, -1, 1, CPoint(80, 10), 2, TRUE, CRect(87, 0, 93, 20) },
    };
    CTestSite site;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CZPCommandBar* pBar = new CZPCommandBar;
        pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP, 0, 0, 300, 100, NULL, NULL);
        pBar->SetPosition(c.nPosition);
        PlaceControls(pBar, c.nControls, c.nPerRow, c.nPosition == zpBarLeft || c.nPosition == zpBarRight);
        if (c.nGroupAt >= 0)
            pBar->ControlAt(c.nGroupAt)->SetBeginGroup(TRUE);
        CZPControl* pDragged = c.nDragged >= 0 ? pBar->ControlAt(c.nDragged) : NULL;
        CRect rcMarker(1, 1, 1, 1);
        BOOL bAfter = -1;
        EXPECT_EQ(c.nIndex, pBar->FindDropPosition(pDragged, c.point, &rcMarker, &bAfter));
        EXPECT_EQ(c.bAfter, bAfter);
        EXPECT_EQ(c.marker, rcMarker);
        pBar->DestroyWindow();
        pBar->InternalRelease();
    }
}

TEST_F(CustomizeDropPositionTest, PopupBarsAreVerticalAndRibbonsShowNoEmptyMarker)
{
    CZPPopupBar* pPopup = ZpCreatePopupBar(NULL);
    PlaceControls(pPopup, 3, 1, TRUE);
    CRect rcMarker;
    BOOL bAfter = FALSE;
    EXPECT_EQ(2, pPopup->FindDropPosition(NULL, CPoint(5, 44), &rcMarker, &bAfter));
    EXPECT_FALSE(bAfter);
    EXPECT_EQ(CRect(0, 37, 30, 43), rcMarker);
    pPopup->InternalRelease();
}

// The nearest control as a plain walk over every control finds it: the rows of a horizontal bar
// (the one holding the point, else the nearest), then the nearest centre; first on ties.
int NearestByWalk(CZPCommandBar* pBar, BOOL bVertical, CPoint point)
{
    struct Row
    {
        LONG top, bottom;
        std::vector<CZPControl*> controls;
    };
    std::vector<Row> rows;
    for (int i = 0; i < pBar->CountControls(); ++i) {
        CZPControl* pControl = pBar->ControlAt(i);
        if (!pControl->IsVisible() || !pControl->IsCustomizeMovable())
            continue;
        const CRect rc = pControl->GetRect();
        if (rows.empty() || (!bVertical && pControl->GetWrap()))
            rows.push_back({ rc.top, rc.bottom, {} });
        rows.back().top = std::min(rows.back().top, rc.top);
        rows.back().bottom = std::max(rows.back().bottom, rc.bottom);
        rows.back().controls.push_back(pControl);
    }
    const Row* pRow = NULL;
    int nBest = INT_MAX;
    for (const Row& row : rows) {
        const int d = point.y < row.top ? row.top - point.y : (point.y >= row.bottom ? point.y - row.bottom + 1 : 0);
        if (bVertical || d < nBest) {
            nBest = d;
            pRow = &row;
        }
        if (bVertical)
            break;
    }
    if (pRow == NULL)
        return -1;
    CZPControl* pNearest = NULL;
    nBest = INT_MAX;
    for (CZPControl* pControl : pRow->controls) {
        const CRect rc = pControl->GetRect();
        const int d =
            bVertical ? std::abs((rc.top + rc.bottom) / 2 - point.y) : std::abs((rc.left + rc.right) / 2 - point.x);
        if (d < nBest) {
            nBest = d;
            pNearest = pControl;
        }
    }
    return pNearest->GetIndex();
}

// The kept search answers as the walk over every control, in order or not: rows and columns in
// order, hidden and fixed controls between, uneven heights, equal centres, and rectangles in no
// order at all.
TEST_F(CustomizeDropPositionTest, TheSearchAgreesWithAWalkOverEveryControl)
{
    struct Case
    {
        const char* name;
        BOOL bVertical;
        std::function<void(int, CZPControl*)> place;  // index, control
    } cases[] = {
        { "rows of 7", FALSE,
          [](int i, CZPControl* p) {
              p->SetRect(CRect(CPoint((i % 7) * 30, (i / 7) * 20), CSize(30, 20)));
              p->SetWrap(i > 0 && i % 7 == 0);
          } },
        { "hidden, fixed, uneven and equal", FALSE,
          [](int i, CZPControl* p) {
              p->SetRect(CRect(CPoint((i % 9) * 25 - (i % 4 == 3 ? 25 : 0), (i / 9) * 30),
                               CSize(i % 5 == 0 ? 40 : 25, i % 3 == 0 ? 28 : 18)));
              p->SetWrap(i > 0 && i % 9 == 0);
              if (i % 6 == 1)
                  p->SetHideFlags(zpHideGeneric);
              if (i % 8 == 2)
                  p->SetFlags(zpFlagNoMovable);
          } },
        { "columns", TRUE,
          [](int i, CZPControl* p) {
              p->SetRect(CRect(CPoint((i / 10) * 80, (i % 10) * 18), CSize(80, 18)));
              p->SetWrap(i > 0 && i % 10 == 0);
          } },
        { "rows in no order", FALSE,
          [](int i, CZPControl* p) {
              p->SetRect(CRect(CPoint((i * 37) % 200, ((i * 53) % 7) * 15), CSize(20 + i % 3, 12 + i % 11)));
              p->SetWrap(i % 5 == 0);
          } },
        { "a column in no order", TRUE,
          [](int i, CZPControl* p) { p->SetRect(CRect(CPoint(0, (i * 41) % 190), CSize(30, 10 + i % 4))); } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CZPCommandBar* pBar = new CZPCommandBar;
        pBar->SetPosition(c.bVertical ? zpBarLeft : zpBarTop);
        for (int i = 0; i < 60; ++i) {
            CZPControl* pControl = pBar->GetControls()->Append(new CTestControl);
            c.place(i, pControl);
        }
        CZPDropPositionIndex index;
        index.Build(pBar, c.bVertical);
        for (int y = -15; y < 220; y += 3) {
            for (int x = -15; x < 260; x += 4) {
                CRect rc;
                ASSERT_EQ(NearestByWalk(pBar, c.bVertical, CPoint(x, y)), index.FindNearest(CPoint(x, y), &rc))
                    << x << ", " << y;
            }
        }
        pBar->InternalRelease();
    }
}

// The marker's figure, pixel by pixel: every pixel inverted once, nothing else touched.
TEST_F(CustomizeDropPositionTest, MarkerInvertsItsFigureOnce)
{
    const COLORREF clrBack = RGB(255, 255, 255);
    const COLORREF clrBrush = ZpColorManagerInstance().LookupColor(15);
    const COLORREF clrInverted = clrBack ^ clrBrush;
    struct Case
    {
        BOOL bAcross;
        CRect marker;
        std::function<bool(int, int)> inFigure;  // marker-relative x, y
    } cases[] = {
        // Upright strip 6 x 20 (controls in a row): rows at the ends, a 2-pixel column between.
        { FALSE, CRect(4, 3, 10, 23),
          [](int x, int y) {
              return y == 0 || y == 19 || ((y == 1 || y == 18) && x >= 1 && x <= 4) ||
                     (y >= 2 && y <= 17 && (x == 2 || x == 3));
          } },
        // Across strip 30 x 6 (controls in a column): the same turned.
        { TRUE, CRect(2, 8, 32, 14),
          [](int x, int y) {
              return x == 0 || x == 29 || ((x == 1 || x == 28) && y >= 1 && y <= 4) ||
                     (x >= 2 && x <= 27 && (y == 2 || y == 3));
          } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bAcross ? "across" : "upright");
        CShownBar* pBar = new CShownBar;
        pBar->SetDropMarker(c.marker, c.bAcross);
        CDibSection dib(40, 30, clrBack);
        pBar->DrawDropMarker(CDC::FromHandle(dib.GetDC()));
        pBar->InternalRelease();
        ::GdiFlush();
        int nInverted = 0;
        for (int y = 0; y < dib.Height(); ++y) {
            for (int x = 0; x < dib.Width(); ++x) {
                const bool bInside = c.marker.PtInRect(CPoint(x, y)) && c.inFigure(x - c.marker.left, y - c.marker.top);
                ASSERT_EQ(bInside ? clrInverted : clrBack, dib.GetPixel(x, y)) << x << ", " << y;
                nInverted += bInside ? 1 : 0;
            }
        }
        EXPECT_EQ(c.bAcross ? 72 : 52, nInverted);
    }
}

// Command bars on a frame with two docked toolbars of three 23 x 22 controls each.
class CustomizeDragTest : public CommandBarsTest
{
protected:
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        m_commandBars.SetSite(m_frame.m_hWnd);
        m_commandBars.CreateDockBars();
        Rebuild();
        m_commandBars.SetCustomizeMode(TRUE);
    }
    // Two fresh toolbars in place of any there are.
    void Rebuild()
    {
        m_commandBars.SetCustomizeSelection(NULL);
        m_commandBars.RemoveAll();
        m_pFirst = NewBar();
        m_pSecond = NewBar();
        m_frame.Frame()->RecalcLayout(FALSE);
    }
    void TearDown() override
    {
        m_commandBars.SetCustomizeMode(FALSE);
        m_commandBars.SetCustomizeSelection(NULL);
        m_commandBars.RemoveAll();
        CommandBarsTest::TearDown();
    }
    CZPToolBar* NewBar()
    {
        CZPToolBar* pBar = m_commandBars.CreateToolBar(L"bar", zpBarTop);
        pBar->SetPaintManager(m_theme.Get());
        AddTestControls(pBar, 3);
        return pBar;
    }
    // The screen point at the centre of a control.
    static CPoint Centre(CZPControl* pControl)
    {
        CPoint pt = pControl->GetRect().CenterPoint();
        ::ClientToScreen(pControl->GetParent()->GetSafeHwnd(), &pt);
        return pt;
    }
    // Puts the real cursor somewhere and drops the mouse messages that produced: only posted
    // input drives the drag.
    static void PlaceCursor(CPoint ptScreen)
    {
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        MSG msg;
        while (::PeekMessageW(&msg, NULL, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
        }
    }
    // Posts a mouse message for a screen point to the site, which holds the capture in the drag.
    void PostMouse(UINT message, CPoint ptScreen, WPARAM wParam)
    {
        ::ScreenToClient(m_frame.m_hWnd, &ptScreen);
        ::PostMessageW(m_frame.m_hWnd, message, wParam, MAKELPARAM(ptScreen.x, ptScreen.y));
    }

    CTestFrame m_frame;
    CGripperThemeRef m_theme;
    CZPCommandBars m_commandBars;
    CZPToolBar* m_pFirst = NULL;  // borrowed from the command bars
    CZPToolBar* m_pSecond = NULL;
};

// The bar's update region, as it stands.
CRgn* UpdateRegion(CZPCommandBar* pBar, CRgn* pRgn)
{
    pRgn->CreateRectRgn(0, 0, 0, 0);
    ::GetUpdateRgn(pBar->GetSafeHwnd(), *pRgn, FALSE);
    return pRgn;
}

// A drag-over that leaves the marker where it is repaints nothing; a moved marker repaints its
// old and its new place and nothing between them.
TEST_F(CustomizeDragTest, OnlyAMovedMarkerIsRepaintedAndOnlyWhereItWasAndIs)
{
    CZPControl* pDragged = m_pFirst->ControlAt(0);
    CZPToolBar* pBar = m_pSecond;
    const CPoint ptBefore = pBar->ControlAt(0)->GetRect().CenterPoint() - CPoint(5, 0);
    const CPoint ptAfter = pBar->ControlAt(2)->GetRect().CenterPoint() + CPoint(5, 0);
    pBar->UpdateWindow();
    ASSERT_TRUE(pBar->BeginCustomizeDrag(pDragged, ptBefore));
    const CRect rcOld = pBar->GetDropMarker();
    ASSERT_FALSE(rcOld.IsRectEmpty());
    pBar->UpdateWindow();

    ASSERT_TRUE(pBar->CustomizeDragOver(pDragged, ptBefore + CPoint(1, 1)));
    EXPECT_EQ(rcOld, pBar->GetDropMarker());
    EXPECT_FALSE(::GetUpdateRect(pBar->GetSafeHwnd(), NULL, FALSE));

    ASSERT_TRUE(pBar->CustomizeDragOver(pDragged, ptAfter));
    const CRect rcNew = pBar->GetDropMarker();
    ASSERT_NE(rcOld, rcNew);
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    CRgn rgnExpected, rgnOld, rgnNew, rgnClient, rgnActual;
    rgnExpected.CreateRectRgn(0, 0, 0, 0);
    rgnOld.CreateRectRgnIndirect(rcOld);
    rgnNew.CreateRectRgnIndirect(rcNew);
    rgnClient.CreateRectRgnIndirect(rcClient);
    ::CombineRgn(rgnExpected, rgnOld, rgnNew, RGN_OR);
    ::CombineRgn(rgnExpected, rgnExpected, rgnClient, RGN_AND);
    EXPECT_TRUE(::EqualRgn(rgnExpected, *UpdateRegion(pBar, &rgnActual)));
    pBar->UpdateWindow();
    pBar->ClearDropMarker();
}

// With a kept picture of the bar (animation on) the marker is drawn into it and shown at once,
// and taken away again; painting the stale picture would show neither.
TEST_F(CustomizeDragTest, AKeptPictureShowsTheMarkerAndItsRemoval)
{
    CZPControl* pDragged = m_pFirst->ControlAt(0);
    CZPToolBar* pBar = m_pSecond;
    pBar->SetAnimationEnabled(TRUE);
    pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_TRUE(pBar->GetAnimation()->HasCache());
    const CPoint ptAfter = pBar->ControlAt(1)->GetRect().CenterPoint() + CPoint(5, 0);
    const auto screen = [&](CPoint pt) {
        HDC hDC = ::GetDC(pBar->GetSafeHwnd());
        const COLORREF clr = ::GetPixel(hDC, pt.x, pt.y);
        ::ReleaseDC(pBar->GetSafeHwnd(), hDC);
        return clr;
    };
    // The middle of the strip: its two-pixel column, inverted once.
    const CRect rcExpected = [&] {
        CRect rc;
        pBar->FindDropPosition(pDragged, ptAfter, &rc, NULL);
        return rc;
    }();
    const CPoint ptFigure(rcExpected.left + 2, rcExpected.CenterPoint().y);
    const COLORREF clrBefore = screen(ptFigure);
    ASSERT_TRUE(pBar->CustomizeDragOver(pDragged, ptAfter));
    ASSERT_EQ(rcExpected, pBar->GetDropMarker());
    pBar->UpdateWindow();
    EXPECT_EQ(clrBefore ^ ZpColorManagerInstance().LookupColor(15), screen(ptFigure));
    pBar->ClearDropMarker();
    pBar->UpdateWindow();
    EXPECT_EQ(clrBefore, screen(ptFigure));
    pBar->SetAnimationEnabled(FALSE);
}

// Controls moved between two drag-overs: the marker follows where they are now.
TEST_F(CustomizeDragTest, TheMarkerFollowsControlsMovedDuringTheDrag)
{
    CZPControl* pDragged = m_pFirst->ControlAt(0);
    CZPToolBar* pBar = m_pSecond;
    ASSERT_TRUE(pBar->BeginCustomizeDrag(pDragged, pBar->ControlAt(0)->GetRect().CenterPoint()));
    for (int i = 0; i < pBar->CountControls(); ++i)
        pBar->ControlAt(i)->SetRect(pBar->ControlAt(i)->GetRect() + CPoint(10, 0));
    const CRect rc = pBar->ControlAt(1)->GetRect();
    ASSERT_TRUE(pBar->CustomizeDragOver(pDragged, rc.CenterPoint() - CPoint(3, 0)));
    EXPECT_EQ(CRect(rc.left - 3, rc.top, rc.left + 3, rc.bottom), pBar->GetDropMarker());
    pBar->ClearDropMarker();
}

TEST_F(CustomizeDragTest, BarsRegisterWithTheirWindows)
{
    CZPCustomizeDragTracker* pTracker = m_commandBars.GetDragTracker();
    EXPECT_TRUE(pTracker->IsRegistered(m_pFirst));
    EXPECT_TRUE(pTracker->IsRegistered(m_pSecond));
    const int nBefore = pTracker->GetRegisteredCount();
    m_commandBars.Remove(m_pSecond);
    m_pSecond = NULL;
    EXPECT_EQ(nBefore - 1, pTracker->GetRegisteredCount());
}

// The press of a control runs the drag; what happens to the control follows the drop effect.
TEST_F(CustomizeDragTest, PostedInputDecidesCopyMoveRemoveOrKeep)
{
    CStepDriver steps;
    struct Case
    {
        const char* name;
        std::function<void()> post;
        int nFirst;   // controls gained by the first bar
        int nSecond;  // controls gained by the second bar
    } cases[] = {
        { "moved onto the other bar",
          [&] {
              PostMouse(WM_MOUSEMOVE, Centre(m_pSecond->ControlAt(2)) + CPoint(5, 0), MK_LBUTTON);
              PostMouse(WM_LBUTTONUP, Centre(m_pSecond->ControlAt(2)) + CPoint(5, 0), 0);
          },
          -1, 1 },
        { "Ctrl copies",
          [&] {
              PostMouse(WM_MOUSEMOVE, Centre(m_pSecond->ControlAt(0)) - CPoint(5, 0), MK_LBUTTON | MK_CONTROL);
              PostMouse(WM_LBUTTONUP, Centre(m_pSecond->ControlAt(0)) - CPoint(5, 0), MK_CONTROL);
          },
          0, 1 },
        { "released off every bar removes",
          [&] {
              PostMouse(WM_MOUSEMOVE, CPoint(400, 400), MK_LBUTTON);
              PostMouse(WM_LBUTTONUP, CPoint(400, 400), 0);
          },
          -1, 0 },
        { "the button already up drops", [&] { PostMouse(WM_MOUSEMOVE, Centre(m_pSecond->ControlAt(1)), 0); }, -1, 1 },
        { "Escape keeps",
          [&] {
              PostMouse(WM_MOUSEMOVE, Centre(m_pSecond->ControlAt(1)), MK_LBUTTON);
              ::PostMessageW(m_frame.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
          },
          0, 0 },
        { "right button keeps",
          [&] {
              PostMouse(WM_MOUSEMOVE, Centre(m_pSecond->ControlAt(1)), MK_LBUTTON);
              PostMouse(WM_RBUTTONDOWN, Centre(m_pSecond->ControlAt(1)), MK_LBUTTON | MK_RBUTTON);
          },
          0, 0 },
        { "capture lost keeps",
          [&] {
              PostMouse(WM_MOUSEMOVE, Centre(m_pSecond->ControlAt(1)), MK_LBUTTON);
              steps.m_steps = { [&] { ::SetCapture(steps.m_hWnd); } };
              steps.m_nNext = 0;
              steps.Start();
          },
          0, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rebuild();
        CZPControl* pDragged = m_pFirst->ControlAt(0);
        const int nDraggedId = pDragged->GetID();
        const int nFirst = m_pFirst->CountControls();
        const int nSecond = m_pSecond->CountControls();
        PlaceCursor(Centre(pDragged));
        c.post();
        pDragged->OnCustomizeMouseDown(pDragged->GetRect().CenterPoint());
        ::ReleaseCapture();
        EXPECT_EQ(nFirst + c.nFirst, m_pFirst->CountControls());
        EXPECT_EQ(nSecond + c.nSecond, m_pSecond->CountControls());
        EXPECT_TRUE(m_pSecond->GetDropMarker().IsRectEmpty());
        EXPECT_EQ(nullptr, m_commandBars.GetDragTracker()->GetTarget());
        if (c.nSecond == 1) {
            // The drop's copy is the selection.
            ASSERT_NE(nullptr, m_commandBars.GetCustomizeSelection());
            EXPECT_EQ(m_pSecond, m_commandBars.GetCustomizeSelection()->GetParent());
            EXPECT_EQ(nDraggedId, m_commandBars.GetCustomizeSelection()->GetID());
        }
    }
}

// Alt held over a toolbar's control outside customize mode: the same drag in a brief customize mode.
TEST_F(CustomizeDragTest, AltDragMovesOrCopiesOutsideCustomizeModeWhenAllowed)
{
    m_commandBars.SetCustomizeMode(FALSE);
    CZPCommandBarsOptions* pOptions = m_commandBars.GetCommandBarsOptions();
    struct Case
    {
        const char* name;
        BOOL bOption;   // the options' Alt-drag switch
        BOOL bCommand;  // the site offers the customize command
        WPARAM keys;    // held during the drag
        BOOL bRun;
        int nFirst, nSecond;  // controls gained by each bar
    } cases[] = {
        { "moves", TRUE, TRUE, 0, TRUE, -1, 1 },
        { "Ctrl copies", TRUE, TRUE, MK_CONTROL, TRUE, 0, 1 },
        { "the option off", FALSE, TRUE, 0, FALSE, 0, 0 },
        { "no customize command", TRUE, FALSE, 0, FALSE, 0, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rebuild();
        pOptions->m_bAltDragCustomization = c.bOption;
        m_frame.m_bCustomizeCommand = c.bCommand;
        CZPControl* pDragged = m_pFirst->ControlAt(0);
        const int nFirst = m_pFirst->CountControls();
        const int nSecond = m_pSecond->CountControls();
        const CPoint ptDrop = Centre(m_pSecond->ControlAt(1));
        PlaceCursor(Centre(pDragged));
        PostMouse(WM_MOUSEMOVE, ptDrop, MK_LBUTTON | c.keys);
        PostMouse(WM_LBUTTONUP, ptDrop, c.keys);
        EXPECT_EQ(c.bRun, m_pFirst->RunAltDrag(pDragged, pDragged->GetRect().CenterPoint()));
        if (!c.bRun) {
            MSG msg;  // the input meant for a drag that did not start
            while (::PeekMessageW(&msg, m_frame.m_hWnd, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
            }
        }
        EXPECT_EQ(nFirst + c.nFirst, m_pFirst->CountControls());
        EXPECT_EQ(nSecond + c.nSecond, m_pSecond->CountControls());
        // Customize mode lasted only as long as the drag.
        EXPECT_FALSE(m_pFirst->IsCustomizeModeActive());
        EXPECT_EQ(nullptr, m_commandBars.GetCustomizeSelection());
        EXPECT_EQ(nullptr, ::GetCapture());
    }
    pOptions->m_bAltDragCustomization = TRUE;
    m_frame.m_bCustomizeCommand = FALSE;
}

// A press on the edge of the selected resizable control tracks its width with posted input.
TEST_F(CustomizeDragTest, WidthTrackingFollowsTheEdgeAboveTheMinimumOrCancels)
{
    struct Case
    {
        const char* name;
        BOOL bLeft;  // press on the left edge, else the right
        int nMove;   // pointer movement
        BOOL bEscape;
        int nGrow;  // expected change of width; INT_MIN: down to the minimum
    } cases[] = {
        { "right edge out", FALSE, 30, FALSE, 30 },
        { "right edge in past the minimum", FALSE, -300, FALSE, INT_MIN },
        { "left edge out", TRUE, -20, FALSE, 20 },
        { "Escape keeps the width", FALSE, 30, TRUE, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rebuild();
        CZPControl* pEdit = m_pFirst->GetControls()->Add(zpControlEdit, 700);
        ASSERT_NE(nullptr, pEdit);
        pEdit->SetWidth(120);
        m_pFirst->RecalcBarLayout();
        m_frame.Frame()->RecalcLayout(FALSE);
        m_commandBars.SetCustomizeSelection(pEdit);
        const CRect rc = pEdit->GetRect();
        ASSERT_TRUE(pEdit->IsCustomizeResizable());
        const CPoint ptPress(c.bLeft ? rc.left + 1 : rc.right - 2, rc.CenterPoint().y);
        const CPoint ptMoved = ptPress + CPoint(c.nMove, 0);
        ::PostMessageW(m_pFirst->GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptMoved.x, ptMoved.y));
        if (c.bEscape)
            ::PostMessageW(m_pFirst->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
        else
            ::PostMessageW(m_pFirst->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(ptMoved.x, ptMoved.y));
        const int nControls = m_pFirst->CountControls();
        pEdit->OnCustomizeMouseDown(ptPress);
        const int nExpected = c.nGrow == INT_MIN ? pEdit->GetCustomizeMinWidth()
                              : c.nGrow == 0     ? 120
                                                 : rc.Width() + c.nGrow;
        EXPECT_EQ(nExpected, pEdit->GetWidth());
        EXPECT_EQ(nControls, m_pFirst->CountControls());  // tracked, not dragged
        EXPECT_EQ(pEdit, m_commandBars.GetCustomizeSelection());
        EXPECT_EQ(nullptr, ::GetCapture());
    }
}

// In a popup bar the tracked width is stored without the popup's icon column.
TEST_F(CustomizeDragTest, WidthTrackedInAPopupBarLeavesOutTheIconColumn)
{
    CRefPtr<CZPPopupBar> popup;
    popup.Attach(ZpCreatePopupBar(&m_commandBars));
    popup->SetPaintManager(m_theme.Get());
    CZPControl* pEdit = popup->GetControls()->Add(zpControlEdit, 700);
    ASSERT_NE(nullptr, pEdit);
    pEdit->SetWidth(120);
    ASSERT_TRUE(popup->Popup(40, 40, NULL));
    m_commandBars.SetCustomizeSelection(pEdit);
    const CRect rc = pEdit->GetRect();
    const CPoint ptPress(rc.right - 2, rc.CenterPoint().y);
    const CPoint ptMoved = ptPress + CPoint(30, 0);
    ::PostMessageW(popup->GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptMoved.x, ptMoved.y));
    ::PostMessageW(popup->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(ptMoved.x, ptMoved.y));
    pEdit->OnCustomizeMouseDown(ptPress);
    const int nIconColumn = m_theme->GetPopupIconColumnWidth(popup.Get());
    EXPECT_GT(nIconColumn, 0);
    EXPECT_EQ(rc.Width() + 30 - nIconColumn, pEdit->GetWidth());
    m_commandBars.SetCustomizeSelection(NULL);
    popup->EndTracking();
}

TEST_F(CustomizeDragTest, QuitEndsTheDragAndIsPostedAgain)
{
    CZPControl* pDragged = m_pFirst->ControlAt(1);
    PlaceCursor(Centre(pDragged));
    PostMouse(WM_MOUSEMOVE, Centre(m_pSecond->ControlAt(1)), MK_LBUTTON);
    ::PostQuitMessage(7);
    EXPECT_EQ(ZP_DROP_CANCEL, m_commandBars.GetDragTracker()->TrackDrag(pDragged, FALSE));
    EXPECT_TRUE(m_pSecond->GetDropMarker().IsRectEmpty());
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(CustomizeDragTest, DropOnItselfTogglesItsGroupOnlyAfterAMove)
{
    CZPControl* pDragged = m_pFirst->ControlAt(1);
    const CPoint ptStart = Centre(pDragged);
    struct Case
    {
        CPoint offset;
        BOOL bGroup;
    } cases[] = { { CPoint(3, 0), FALSE }, { CPoint(8, 0), TRUE }, { CPoint(-8, 0), FALSE } };
    const int nCount = m_pFirst->CountControls();
    for (const Case& c : cases) {
        PlaceCursor(ptStart);
        PostMouse(WM_MOUSEMOVE, ptStart + c.offset, MK_LBUTTON);
        PostMouse(WM_LBUTTONUP, ptStart + c.offset, 0);
        EXPECT_EQ(ZP_DROP_CANCEL, m_commandBars.GetDragTracker()->TrackDrag(pDragged, FALSE));
        EXPECT_EQ(c.bGroup, pDragged->GetBeginGroup()) << c.offset.x;
        EXPECT_EQ(nCount, m_pFirst->CountControls());
    }
}

TEST_F(CustomizeDragTest, APopupIsNeverDroppedIntoItsOwnChain)
{
    // A popup control whose popup bar is the second toolbar's parent chain cannot land there.
    CZPControl* pPopup = m_pFirst->GetControls()->Add(zpControlPopup, 500);
    ASSERT_NE(nullptr, pPopup);
    CZPPopupBar* pOwnBar = DYNAMIC_DOWNCAST(CZPPopupBar, pPopup->GetCommandBar());
    ASSERT_NE(nullptr, pOwnBar);
    EXPECT_FALSE(pOwnBar->IsCustomizeDropAllowedOn(pPopup));
    EXPECT_TRUE(m_pSecond->IsCustomizeDropAllowedOn(pPopup));
    int nEffect = ZP_DROP_COPY;
    pOwnBar->CustomizeDrop(pPopup, nEffect, CPoint(5, 5), CPoint(100, 100));
    EXPECT_EQ(ZP_DROP_CANCEL, nEffect);
    EXPECT_EQ(0, pOwnBar->CountControls());
}

TEST_F(CustomizeDragTest, WithoutASiteNothingIsDraggedOrRemoved)
{
    CZPCommandBars noSite;
    CZPControl* pControl = m_pFirst->ControlAt(0);
    const int nCount = m_pFirst->CountControls();
    EXPECT_EQ(ZP_DROP_CANCEL, noSite.GetDragTracker()->TrackDrag(pControl, FALSE));
    EXPECT_EQ(ZP_DROP_CANCEL, m_commandBars.GetDragTracker()->TrackDrag(NULL, FALSE));
    EXPECT_EQ(nCount, m_pFirst->CountControls());
}

}  // namespace
