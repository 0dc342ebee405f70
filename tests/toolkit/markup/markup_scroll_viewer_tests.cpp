// The scroll viewer and its bars: layout tables for the visibility settings, bar geometry and hit
// tests, line/page/wheel steps, and mouse tracking driven by messages posted to a host window
// with the pointer placed by SetCursorPos and the left button held by SetKeyboardState.
#include "markup_drawing_fixture.h"
#include "markup_layout_fixture.h"

#include "../common/DibSection.h"

#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupScrollBar.h"
#include "markup/ZPMarkupScrollViewer.h"

#include <functional>

namespace {
const int kVertical = CZPMarkupScrollViewer::orientationVertical;
const int kHorizontal = CZPMarkupScrollViewer::orientationHorizontal;

// A box that remembers the size it was offered.
class CMeasureProbe : public CTestBox
{
public:
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override
    {
        m_szAvailable = SIZE{ nWidth, nHeight };
        return CTestBox::MeasureOverride(pContext, nWidth, nHeight);
    }
    SIZE m_szAvailable = { -1, -1 };
};

CMeasureProbe* MakeProbe(int cx, int cy)
{
    CMeasureProbe* pProbe = new CMeasureProbe;
    pProbe->m_szContent = SIZE{ cx, cy };
    return pProbe;
}

void SetVisibility(CZPMarkupScrollViewer* pViewer, int nVertical, int nHorizontal)
{
    if (nVertical >= 0)
        pViewer->SetValue(CZPMarkupScrollViewer::m_pVerticalScrollBarVisibilityProperty,
                          CZPMarkupEnum::CreateValue(nVertical));
    if (nHorizontal >= 0)
        pViewer->SetValue(CZPMarkupScrollViewer::m_pHorizontalScrollBarVisibilityProperty,
                          CZPMarkupEnum::CreateValue(nHorizontal));
}

void Layout(CZPMarkupUIElement* pElement, int cx, int cy)
{
    CZPMarkupDrawingContext context;
    pElement->Measure(&context, cx, cy);
    pElement->Arrange(RECT{ 0, 0, cx, cy });
}

std::string RectText(const RECT& rc)
{
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}

void WarmUpScrollTypes()
{
    WarmUpLayoutTypes();
    CZPMarkupScrollViewer* pViewer = new CZPMarkupScrollViewer;
    SetVisibility(pViewer, 2, 2);
    pViewer->SetContent(MakeProbe(10, 10));
    Layout(pViewer, 50, 50);
    pViewer->Release();
}

class MarkupScrollLayout : public CMarkupLeakCheck
{
protected:
    void SetUp() override
    {
        WarmUpScrollTypes();
        CMarkupLeakCheck::SetUp();
        // The Wine prefix's metrics.
        ASSERT_EQ(17, ::GetSystemMetrics(SM_CXVSCROLL)) << "the tables assume 17-pixel bars";
        ASSERT_EQ(17, ::GetSystemMetrics(SM_CYHSCROLL));
        ASSERT_EQ(17, ::GetSystemMetrics(SM_CYVSCROLL));
        ASSERT_EQ(17, ::GetSystemMetrics(SM_CXHSCROLL));
    }
};
}  // namespace

// Which bars exist, what the content is offered and where everything lands, at 200 by 100.
TEST_F(MarkupScrollLayout, VisibilityDecidesBarsContentLimitsAndRectangles)
{
    const int kInf = kZpMarkupInfinite;
    const struct
    {
        const char* pszName;
        int nVertical, nHorizontal;  // -1: unset
        SIZE szContent;
        BOOL bVertical, bHorizontal, bGripper;
        SIZE szOffered;  // the last measure of the content
        SIZE szDesired;
        const char* pszContent;  // final rectangle of the content
        const char* pszVerticalBar;
        const char* pszHorizontalBar;
    } cases[] = {
        { "defaults, fitting",
          -1,
          -1,
          { 50, 40 },
          TRUE,
          FALSE,
          FALSE,
          { 183, kInf },
          { 67, 40 },
          "0,0,183,100",
          "183,0,200,100",
          "" },
        { "defaults, tall",
          -1,
          -1,
          { 50, 400 },
          TRUE,
          FALSE,
          FALSE,
          { 183, kInf },
          { 67, 100 },
          "0,0,183,400",
          "183,0,200,100",
          "" },
        { "auto, fitting", 1, -1, { 50, 40 }, FALSE, FALSE, FALSE, { 200, kInf }, { 50, 40 }, "0,0,200,100", "", "" },
        { "auto, tall",
          1,
          -1,
          { 50, 400 },
          TRUE,
          FALSE,
          FALSE,
          { 183, kInf },
          { 67, 100 },
          "0,0,183,400",
          "183,0,200,100",
          "" },
        { "disabled both", 0, 0, { 50, 400 }, FALSE, FALSE, FALSE, { 200, 100 }, { 50, 100 }, "0,0,200,100", "", "" },
        { "horizontal visible",
          0,
          2,
          { 500, 40 },
          FALSE,
          TRUE,
          FALSE,
          { kInf, 83 },
          { 200, 57 },
          "0,0,500,83",
          "",
          "0,83,200,100" },
        { "horizontal auto, wide",
          0,
          1,
          { 500, 40 },
          FALSE,
          TRUE,
          FALSE,
          { kInf, 83 },
          { 200, 57 },
          "0,0,500,83",
          "",
          "0,83,200,100" },
        { "horizontal auto, narrow",
          0,
          1,
          { 150, 40 },
          FALSE,
          FALSE,
          FALSE,
          { kInf, 100 },
          { 150, 40 },
          "0,0,200,100",
          "",
          "" },
        { "both visible",
          2,
          2,
          { 500, 400 },
          TRUE,
          TRUE,
          TRUE,
          { kInf, kInf },
          { 200, 100 },
          "0,0,500,400",
          "183,0,200,83",
          "0,83,183,100" },
        // Wider than the width left beside the vertical bar, narrower than the viewer.
        { "vertical visible, horizontal auto",
          2,
          1,
          { 190, 40 },
          TRUE,
          TRUE,
          TRUE,
          { kInf, kInf },
          { 200, 57 },
          "0,0,190,83",
          "183,0,200,83",
          "0,83,183,100" },
        { "unknown visibility acts as fitting auto",
          5,
          -1,
          { 50, 400 },
          FALSE,
          FALSE,
          FALSE,
          { 200, kInf },
          { 50, 100 },
          "0,0,200,400",
          "",
          "" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        CRef<CZPMarkupScrollViewer> viewer(new CZPMarkupScrollViewer);
        SetVisibility(viewer.Get(), c.nVertical, c.nHorizontal);
        CMeasureProbe* pProbe = MakeProbe(c.szContent.cx, c.szContent.cy);
        viewer.Get()->SetContent(pProbe);
        Layout(viewer.Get(), 200, 100);
        EXPECT_EQ(c.bVertical, viewer.Get()->GetVerticalScrollBar() != NULL);
        EXPECT_EQ(c.bHorizontal, viewer.Get()->GetHorizontalScrollBar() != NULL);
        EXPECT_EQ(c.bGripper, viewer.Get()->GetGripper() != NULL);
        EXPECT_EQ(c.szOffered.cx, pProbe->m_szAvailable.cx);
        EXPECT_EQ(c.szOffered.cy, pProbe->m_szAvailable.cy);
        EXPECT_EQ(c.szDesired.cx, viewer.Get()->GetDesiredSize().cx);
        EXPECT_EQ(c.szDesired.cy, viewer.Get()->GetDesiredSize().cy);
        EXPECT_EQ(c.pszContent, RectText(pProbe->GetFinalRect()));
        if (CZPMarkupScrollBar* pBar = viewer.Get()->GetVerticalScrollBar()) {
            EXPECT_EQ(c.pszVerticalBar, RectText(pBar->GetFinalRect()));
        }
        if (CZPMarkupScrollBar* pBar = viewer.Get()->GetHorizontalScrollBar()) {
            EXPECT_EQ(c.pszHorizontalBar, RectText(pBar->GetFinalRect()));
        }
        // Visual children in order: content, vertical bar, horizontal bar, gripper.
        EXPECT_EQ(1 + c.bVertical + c.bHorizontal + c.bGripper, viewer.Get()->GetVisualChildrenCount());
        EXPECT_EQ(pProbe, viewer.Get()->GetVisualChild(0));
    }
}

// Scroll information follows the content and the viewport; a shrinking content pulls the offset back.
TEST_F(MarkupScrollLayout, ScrollInfoAndOffsetFollowTheContent)
{
    CRef<CZPMarkupScrollViewer> viewer(new CZPMarkupScrollViewer);
    CMeasureProbe* pProbe = MakeProbe(50, 1000);
    viewer.Get()->SetContent(pProbe);
    Layout(viewer.Get(), 200, 100);
    CZPMarkupScrollBar* pBar = viewer.Get()->GetVerticalScrollBar();
    ASSERT_NE(nullptr, pBar);
    EXPECT_EQ(0, pBar->GetScrollInfo().nMin);
    EXPECT_EQ(999, pBar->GetScrollInfo().nMax);
    EXPECT_EQ(100u, pBar->GetScrollInfo().nPage);
    EXPECT_EQ(900, viewer.Get()->GetScrollLimit(kVertical));
    EXPECT_EQ(0, viewer.Get()->GetScrollLimit(kHorizontal));

    viewer.Get()->SetOffset(kVertical, 700);
    EXPECT_EQ(700, viewer.Get()->GetOffset(kVertical));
    EXPECT_EQ("0,-700,183,300", RectText(pProbe->GetFinalRect()));
    EXPECT_EQ(700, pBar->GetScrollInfo().nPos);

    // The content shrinks to 500: its end meets the viewport's end.
    pProbe->m_szContent.cy = 500;
    pProbe->InvalidateMeasure();
    Layout(viewer.Get(), 200, 100);
    EXPECT_EQ(400, viewer.Get()->GetOffset(kVertical));
    EXPECT_EQ("0,-400,183,100", RectText(pProbe->GetFinalRect()));
    EXPECT_EQ(499, pBar->GetScrollInfo().nMax);

    // Cut to the limit, never negative; without a horizontal bar nothing moves that way.
    viewer.Get()->SetOffset(kVertical, 2147483647);
    EXPECT_EQ(400, viewer.Get()->GetOffset(kVertical));
    viewer.Get()->SetOffset(kVertical, -30);
    EXPECT_EQ(0, viewer.Get()->GetOffset(kVertical));
    viewer.Get()->Scroll(kHorizontal, SB_LINEDOWN, 0);
    EXPECT_EQ(0, viewer.Get()->GetOffset(kHorizontal));
}

// Before the first arrange an offset is kept as given (not cut), and the arrange then pulls it back.
TEST_F(MarkupScrollLayout, OffsetBeforeArrangeIsKeptUntilTheArrange)
{
    CRef<CZPMarkupScrollViewer> viewer(new CZPMarkupScrollViewer);
    viewer.Get()->SetContent(MakeProbe(50, 300));
    viewer.Get()->SetOffset(kVertical, 5000);
    EXPECT_EQ(5000, viewer.Get()->GetOffset(kVertical));
    Layout(viewer.Get(), 200, 100);
    EXPECT_EQ(200, viewer.Get()->GetOffset(kVertical));
}

// Each command from the same start (offset 500 of a 1000-pixel content in a 100-pixel viewport).
TEST_F(MarkupScrollLayout, ScrollCommandsStepByLinesPagesAndPositions)
{
    const struct
    {
        int nStart, nCommand, nPosition, nExpected;
    } cases[] = {
        { 500, SB_LINEUP, 0, 484 },
        { 10, SB_LINEUP, 0, 0 },
        { 500, SB_LINEDOWN, 0, 516 },
        { 890, SB_LINEDOWN, 0, 900 },
        { 500, SB_PAGEUP, 0, 400 },
        { 50, SB_PAGEUP, 0, 0 },
        { 500, SB_PAGEDOWN, 0, 600 },
        { 850, SB_PAGEDOWN, 0, 900 },
        { 500, SB_THUMBPOSITION, 250, 250 },
        { 500, SB_THUMBTRACK, 321, 321 },
        { 500, SB_THUMBTRACK, 5000, 900 },
        { 500, SB_THUMBTRACK, -5, 0 },
        { 500, CZPMarkupScrollViewer::commandTop, 0, 0 },
        { 500, CZPMarkupScrollViewer::commandBottom, 0, 900 },
        { 500, SB_ENDSCROLL, 77, 500 },
        { 500, 99, 77, 500 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "start " << c.nStart << ", command " << c.nCommand);
        CRef<CZPMarkupScrollViewer> viewer(new CZPMarkupScrollViewer);
        viewer.Get()->SetContent(MakeProbe(50, 1000));
        Layout(viewer.Get(), 200, 100);
        viewer.Get()->SetOffset(kVertical, c.nStart);
        viewer.Get()->Scroll(kVertical, c.nCommand, c.nPosition);
        EXPECT_EQ(c.nExpected, viewer.Get()->GetOffset(kVertical));
    }
}

// The geometry of a 17-pixel bar for scroll information and lengths.
TEST_F(MarkupScrollLayout, BarGeometryFollowsTheSystemRules)
{
    const struct
    {
        const char* pszName;
        int nOrientation, nLength, nMax, nPage, nPos;
        int nFirstArrowEnd, nSecondArrowStart, nThumbSize, nTravel, nThumbStart;
        BOOL bPossible;
    } cases[] = {
        { "top", 1, 100, 999, 100, 0, 17, 83, 8, 58, 17, TRUE },
        { "middle", 1, 100, 999, 100, 450, 17, 83, 8, 58, 46, TRUE },
        { "bottom", 1, 100, 999, 100, 900, 17, 83, 8, 58, 75, TRUE },
        { "half the content in view", 1, 100, 199, 100, 60, 17, 83, 33, 33, 37, TRUE },
        { "content fits", 1, 100, 49, 100, 0, 17, 83, 132, -66, 17, FALSE },
        { "page equals the range", 1, 100, 99, 100, 0, 17, 83, 66, 0, 17, FALSE },
        { "no page", 1, 100, 99, 0, 50, 17, 83, 17, 49, 42, TRUE },
        { "shorter than two arrows", 1, 20, 999, 20, 0, 10, 10, 8, -8, 10, TRUE },
        { "no length", 1, 0, 999, 0, 0, 0, 0, 17, -17, 0, TRUE },
        { "horizontal", 0, 200, 499, 200, 300, 17, 183, 66, 100, 117, TRUE },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        CRef<CZPMarkupScrollBar> bar(new CZPMarkupScrollBar);
        bar.Get()->SetOrientation(c.nOrientation);
        SCROLLINFO si = {};
        si.nMax = c.nMax;
        si.nPage = static_cast<UINT>(c.nPage);
        si.nPos = c.nPos;
        bar.Get()->SetScrollInfo(si);
        bar.Get()->Arrange(c.nOrientation == 1 ? RECT{ 0, 0, 17, c.nLength } : RECT{ 0, 0, c.nLength, 17 });
        const ZP_SCROLLBAR_GEOMETRY& g = bar.Get()->GetGeometry();
        EXPECT_EQ(c.nOrientation, g.bVertical);
        EXPECT_EQ(0, g.nAlongStart);
        EXPECT_EQ(c.nLength, g.nAlongEnd);
        EXPECT_EQ(0, g.nAcrossStart);
        EXPECT_EQ(17, g.nAcrossEnd);
        EXPECT_EQ(c.nFirstArrowEnd, g.nFirstArrowEnd);
        EXPECT_EQ(c.nSecondArrowStart, g.nSecondArrowStart);
        EXPECT_EQ(c.nThumbSize, g.nThumbSize);
        EXPECT_EQ(c.nFirstArrowEnd, g.nTravelStart);
        EXPECT_EQ(c.nTravel, g.nTravel);
        EXPECT_EQ(c.nThumbStart, g.nThumbStart);
        EXPECT_EQ(c.nThumbStart + c.nThumbSize, g.nThumbEnd);
        EXPECT_EQ(c.bPossible, bar.Get()->IsScrollingPossible());
    }
}

// Part codes along a bar with arrows 0..17 and 83..100 and a thumb at 46..54, and the positions thumb pixels stand for.
TEST_F(MarkupScrollLayout, HitTestAndThumbPositions)
{
    CRef<CZPMarkupScrollBar> bar(new CZPMarkupScrollBar);
    SCROLLINFO si = {};
    si.nMax = 999;
    si.nPage = 100;
    si.nPos = 450;
    bar.Get()->SetScrollInfo(si);
    bar.Get()->Arrange(RECT{ 0, 0, 17, 100 });
    const struct
    {
        POINT pt;
        int nPart;
    } hits[] = {
        { { 5, 0 }, 60 },  { { 5, 16 }, 60 }, { { 5, 17 }, 62 }, { { 5, 45 }, 62 }, { { 5, 46 }, 64 },
        { { 5, 53 }, 64 }, { { 5, 54 }, 63 }, { { 5, 82 }, 63 }, { { 5, 83 }, 61 }, { { 5, 99 }, 61 },
        { { 5, 100 }, 0 }, { { 17, 50 }, 0 }, { { -1, 50 }, 0 },
    };
    for (const auto& h : hits)
        EXPECT_EQ(h.nPart, bar.Get()->HitTest(h.pt)) << h.pt.x << "," << h.pt.y;
    const int positions[][2] = { { 0, 0 },    { 16, 0 },   { 17, 0 },   { 46, 450 },
                                 { 45, 434 }, { 74, 884 }, { 75, 900 }, { 500, 900 } };
    for (const auto& p : positions)
        EXPECT_EQ(p[1], bar.Get()->PositionFromThumb(p[0])) << "pixel " << p[0];

    // A bar that cannot scroll hits nothing.
    si.nMax = 50;
    bar.Get()->SetScrollInfo(si);
    bar.Get()->Arrange(RECT{ 0, 0, 17, 100 });
    EXPECT_EQ(0, bar.Get()->HitTest(POINT{ 5, 5 }));
}

// Bad input: no content, a viewer smaller than its bars, huge content.
TEST_F(MarkupScrollLayout, BadInputLaysOutWithoutHarm)
{
    {
        CRef<CZPMarkupScrollViewer> viewer(new CZPMarkupScrollViewer);
        Layout(viewer.Get(), 200, 100);
        EXPECT_EQ(0, viewer.Get()->GetDesiredSize().cx);
        EXPECT_EQ(0, viewer.Get()->GetDesiredSize().cy);
        EXPECT_EQ(0, viewer.Get()->GetVisualChildrenCount());
        viewer.Get()->Scroll(kVertical, SB_PAGEDOWN, 0);
        EXPECT_EQ(0, viewer.Get()->GetOffset(kVertical));
    }
    {
        CRef<CZPMarkupScrollViewer> viewer(new CZPMarkupScrollViewer);
        SetVisibility(viewer.Get(), 2, 2);
        CMeasureProbe* pProbe = MakeProbe(50, 50);
        viewer.Get()->SetContent(pProbe);
        // Arranged in less than the bars need (the layout core never offers less than the desired
        // size, so the override is called directly).
        Layout(viewer.Get(), 200, 100);
        viewer.Get()->ArrangeOverride(10, 6);
        // The viewport is empty rather than negative.
        EXPECT_EQ("-7,0,10,0", RectText(viewer.Get()->GetVerticalScrollBar()->GetFinalRect()));
        EXPECT_EQ("0,-11,0,6", RectText(viewer.Get()->GetHorizontalScrollBar()->GetFinalRect()));
        EXPECT_EQ(0u, viewer.Get()->GetVerticalScrollBar()->GetScrollInfo().nPage);
        EXPECT_EQ(0u, viewer.Get()->GetHorizontalScrollBar()->GetScrollInfo().nPage);
        EXPECT_EQ("0,0,50,50", RectText(pProbe->GetFinalRect()));
        viewer.Get()->Scroll(kVertical, SB_PAGEDOWN, 0);
        EXPECT_EQ(0, viewer.Get()->GetOffset(kVertical));
        CDibSection dib(20, 20, RGB(255, 0, 255));
        CZPMarkupDrawingContext context(dib.GetDC(), NULL);
        viewer.Get()->Render(&context);
    }
    {
        CRef<CZPMarkupScrollViewer> viewer(new CZPMarkupScrollViewer);
        SetVisibility(viewer.Get(), 2, 2);
        viewer.Get()->SetContent(MakeProbe(kZpMarkupInfinite, kZpMarkupInfinite));
        Layout(viewer.Get(), 200, 100);
        viewer.Get()->Scroll(kVertical, CZPMarkupScrollViewer::commandBottom, 0);
        viewer.Get()->Scroll(kHorizontal, CZPMarkupScrollViewer::commandBottom, 0);
        EXPECT_EQ(kZpMarkupInfinite - 83, viewer.Get()->GetOffset(kVertical));
        EXPECT_EQ(kZpMarkupInfinite - 183, viewer.Get()->GetOffset(kHorizontal));
        viewer.Get()->Scroll(kVertical, SB_LINEDOWN, 0);
        EXPECT_EQ(kZpMarkupInfinite - 83, viewer.Get()->GetOffset(kVertical));
        CDibSection dib(200, 100);
        CZPMarkupDrawingContext context(dib.GetDC(), NULL);
        viewer.Get()->Render(&context);
    }
}

// The classic look: the track gets a brush even where the desktop answers none, the thumb is
// button face, and the gripper paints its corner when only the corner is repainted.
TEST_F(MarkupScrollLayout, ClassicLookFillsTrackThumbAndCorner)
{
    CZPMarkupScrollBar::ForceClassicLook(TRUE);
    CRef<CZPMarkupScrollViewer> viewer(new CZPMarkupScrollViewer);
    SetVisibility(viewer.Get(), 2, 2);
    CMeasureProbe* pProbe = MakeProbe(500, 1000);
    pProbe->m_clrFill = RGB(0, 0, 255);
    viewer.Get()->SetContent(pProbe);
    Layout(viewer.Get(), 200, 100);
    const COLORREF kMagenta = RGB(255, 0, 255);
    {
        CDibSection dib(200, 100, kMagenta);
        CZPMarkupDrawingContext context(dib.GetDC(), NULL);
        viewer.Get()->Render(&context);
        EXPECT_TRUE(ColorNear(RGB(0, 0, 255), dib.GetPixel(10, 10)));
        // Vertical bar at x 183..200, 83 high: thumb 17..25 (a frame around button face), track below it.
        EXPECT_TRUE(ColorNear(::GetSysColor(COLOR_BTNFACE), dib.GetPixel(191, 21)));
        // Where the desktop answers no brush (as Wine's does), the track takes the default answer.
        const HWND hWndDesktop = ::GetDesktopWindow();
        CDibSection probe(1, 1);
        const LRESULT lBrush =
            ::SendMessageW(hWndDesktop, WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(probe.GetDC()),
                           reinterpret_cast<LPARAM>(hWndDesktop));
        const COLORREF clrTrack = dib.GetPixel(191, 50);
        EXPECT_NE(kMagenta, clrTrack);
        if (lBrush == 0 && ::GetSysColor(COLOR_BTNHIGHLIGHT) == ::GetSysColor(COLOR_WINDOW)) {
            // A halftone of button face and highlight, as the default window procedure answers.
            const COLORREF clrNext = dib.GetPixel(192, 50);
            const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE), clrLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
            EXPECT_TRUE((clrTrack == clrFace && clrNext == clrLight) || (clrTrack == clrLight && clrNext == clrFace))
                << std::hex << clrTrack << " " << clrNext;
        } else if (lBrush == 0)
            EXPECT_TRUE(ColorNear(::GetSysColor(COLOR_SCROLLBAR), clrTrack));
        else
            EXPECT_NE(RGB(0, 0, 255), clrTrack);
        EXPECT_TRUE(ColorNear(::GetSysColor(COLOR_BTNFACE), dib.GetPixel(191, 92)));
    }
    {
        // Only the corner is drawn: the gripper, at its own offset, is not skipped.
        CDibSection dib(200, 100, kMagenta);
        HRGN hRgn = ::CreateRectRgn(183, 83, 200, 100);
        ::SelectClipRgn(dib.GetDC(), hRgn);
        ::DeleteObject(hRgn);
        CZPMarkupDrawingContext context(dib.GetDC(), NULL);
        viewer.Get()->Render(&context);
        EXPECT_TRUE(ColorNear(::GetSysColor(COLOR_BTNFACE), dib.GetPixel(190, 90)));
        EXPECT_EQ(kMagenta, dib.GetPixel(10, 10));
    }
    // The gripper is the topmost child at the corner and nowhere else.
    EXPECT_EQ(static_cast<CZPMarkupInputElement*>(viewer.Get()->GetGripper()), viewer.Get()->InputHitTest(190, 90));
    EXPECT_EQ(static_cast<CZPMarkupInputElement*>(pProbe), viewer.Get()->InputHitTest(5, 5));
    CZPMarkupScrollBar::ForceClassicLook(FALSE);
}

// Markup sets the visibility words case-blind; an unknown word is a build error.
TEST_F(MarkupScrollLayout, MarkupReadsTheVisibilityWords)
{
    CZPMarkupContext* pContext = new CZPMarkupContext;
    {
        CRef<CZPMarkupObject> root(pContext->Parse(L"<ScrollViewer VerticalScrollBarVisibility='auto' "
                                                   L"HorizontalScrollBarVisibility='Visible'><Border Width='300' "
                                                   L"Height='50'/></ScrollViewer>"));
        CZPMarkupScrollViewer* pViewer = ZpMarkupCast<CZPMarkupScrollViewer>(root.Get());
        ASSERT_NE(nullptr, pViewer);
        Layout(pViewer, 200, 100);
        EXPECT_EQ(nullptr, pViewer->GetVerticalScrollBar());
        ASSERT_NE(nullptr, pViewer->GetHorizontalScrollBar());
        EXPECT_EQ(299, pViewer->GetHorizontalScrollBar()->GetScrollInfo().nMax);
        EXPECT_EQ(pViewer, pViewer->GetHorizontalScrollBar()->GetLogicalParent());
    }
    EXPECT_EQ(nullptr, pContext->Parse(L"<ScrollViewer VerticalScrollBarVisibility='Hidden'/>"));
    EXPECT_EQ(0, pContext->Release());
}

// The themed look draws the bar through the "SCROLLBAR" style where the prefix has one.
TEST_F(MarkupScrollLayout, ThemedLookDrawsTheBar)
{
    CRef<CZPMarkupScrollViewer> viewer(new CZPMarkupScrollViewer);
    viewer.Get()->SetContent(MakeProbe(50, 1000));
    Layout(viewer.Get(), 200, 100);
    const COLORREF kMagenta = RGB(255, 0, 255);
    CDibSection dib(200, 100, kMagenta);
    CZPMarkupDrawingContext context(dib.GetDC(), NULL);
    viewer.Get()->Render(&context);
    for (int y : { 8, 21, 50, 92 })
        EXPECT_NE(kMagenta, dib.GetPixel(191, y)) << "y " << y;
}
