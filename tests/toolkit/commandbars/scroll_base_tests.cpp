// The windowless scroll bar: geometry and hit test from rectangle and range (bad ranges included),
// tracking scripts run from inside the modal loop, and the three looks read back as DIB pixels.
#include "commandbars_test_support.h"
#include "paint_manager_pixels.h"

#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPScrollBarPaintManager.h"
#include "commandbars/ZPScrollBase.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

const UINT kStepMessage = WM_APP + 7;

// A host drawing a bar in a plain window; records every DoScroll.
class CTestScrollHost : public CZPScrollBase
{
public:
    CTestScrollHost() : m_painter(ZpGetPaintManager()) { m_painter.RefreshMetrics(); }
    CProcessPaintManagerScope m_scope;  // first: the process-wide paint manager goes last
    BOOL IsScrollBarEnabled() const override { return m_bEnabled; }
    HWND GetParentWindow() const override { return m_hWnd; }
    void GetScrollBarRect(CRect& rc) override { rc = m_rc; }
    void GetScrollInfo(SCROLLINFO* pSI) override { *pSI = m_si; }
    void DoScroll(int nCommand, int nPos) override
    {
        m_scrolls.push_back({ nCommand, nPos });
        if (m_onScroll)
            m_onScroll(nCommand);
    }
    void RedrawScrollBar() override { ++m_nRedraws; }
    CZPScrollBarPaintManager* GetScrollBarPaintManager() const override
    {
        return const_cast<CZPScrollBarPaintManager*>(&m_painter);
    }
    void Set(CRect rc, int nMin, int nMax, UINT nPage, int nPos, BOOL bVertical = TRUE)
    {
        m_rc = rc;
        m_si = { sizeof(SCROLLINFO), SIF_ALL, nMin, nMax, nPage, nPos, 0 };
        m_spi.bVertical = bVertical;
        CalcScrollBar();
    }

    HWND m_hWnd = NULL;
    BOOL m_bEnabled = TRUE;
    CRect m_rc;
    SCROLLINFO m_si = {};
    CZPScrollBarPaintManager m_painter;
    std::vector<std::pair<int, int>> m_scrolls;
    std::function<void(int)> m_onScroll;
    int m_nRedraws = 0;
};

int Arrow()
{
    return ::GetSystemMetrics(SM_CYVSCROLL);
}

}  // namespace

// Geometry of a 17 x 300 vertical bar at (0, 0), by range; a = arrow height.
TEST(ScrollBase, GeometryByRangeAndBadInput)
{
    const int a = Arrow();
    const int nTrack = 300 - 2 * a;
    const struct
    {
        const char* pszName;
        int nLength, nMin, nMax;
        UINT nPage;
        int nPos;
        int nThumbStart, nThumbSize;
    } cases[] = {
        { "top", 300, 0, 99, 10, 0, a, nTrack * 10 / 100 },
        { "bottom", 300, 0, 99, 10, 90, a + nTrack - nTrack * 10 / 100, nTrack * 10 / 100 },
        { "page covers the range", 300, 0, 9, 10, 0, a - 1, nTrack },
        { "page beyond the range", 300, 0, 9, 50, 0, a - 1, nTrack },
        { "max below min", 300, 10, 0, 5, 3, a - 1, a },
        { "position past the end stays in the travel", 300, 0, 99, 10, 500, a + nTrack - nTrack * 10 / 100,
          nTrack * 10 / 100 },
        { "position before the start stays in the travel", 300, 0, 99, 10, -50, a, nTrack * 10 / 100 },
        { "too short for two arrows", 20, 0, 99, 10, 0, 10, 5 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        CTestScrollHost host;
        host.Set(CRect(0, 0, 17, c.nLength), c.nMin, c.nMax, c.nPage, c.nPos);
        const ZP_SCROLLBAR_GEOMETRY& g = host.GetScrollBarGeometry();
        EXPECT_EQ(c.nThumbStart, g.nThumbStart);
        EXPECT_EQ(c.nThumbSize, g.nThumbSize);
        EXPECT_EQ(g.nThumbStart + g.nThumbSize, g.nThumbEnd);
        EXPECT_GE(g.nTravel, 0);
    }
    // Two half arrows and no track.
    CTestScrollHost host;
    host.Set(CRect(0, 0, 17, 20), 0, 99, 10, 0);
    EXPECT_EQ(10, host.GetScrollBarGeometry().nFirstArrowEnd);
    EXPECT_EQ(10, host.GetScrollBarGeometry().nSecondArrowStart);
}

TEST(ScrollBase, HitTestAndThumbPositions)
{
    const int a = Arrow();
    CTestScrollHost host;
    host.Set(CRect(10, 0, 27, 300), 0, 99, 10, 50);
    const ZP_SCROLLBAR_GEOMETRY& g = host.GetScrollBarGeometry();
    const struct
    {
        int x, y, nPart;
    } cases[] = {
        { 5, 5, kZpScrollPartNone },
        { 15, 0, kZpScrollPartFirstArrow },
        { 15, a, kZpScrollPartTrackBefore },
        { 15, g.nThumbStart, kZpScrollPartThumb },
        { 15, g.nThumbEnd, kZpScrollPartTrackAfter },
        { 15, 300 - a, kZpScrollPartSecondArrow },
        { 15, 299, kZpScrollPartSecondArrow },
        { 15, 300, kZpScrollPartNone },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.nPart, host.HitTestScrollBar(CPoint(c.x, c.y))) << c.x << "," << c.y;
    EXPECT_EQ(0, host.ThumbPosFromPixel(g.nTravelStart - 5));
    EXPECT_EQ(90, host.ThumbPosFromPixel(g.nTravelStart + g.nTravel));
    EXPECT_EQ(45, host.ThumbPosFromPixel(g.nTravelStart + g.nTravel / 2));
    host.SetScrollBarStyle(kZpScrollStyleFlat);
    EXPECT_EQ(kZpScrollStyleFlat, host.GetScrollBarStyle());
}

// Tracking scripts: each step is posted from inside the loop; the pointer is placed first.
class ScrollBaseTracking : public ::testing::Test
{
public:
    struct CStep
    {
        UINT message;  // a mouse message, WM_TIMER (repeat), or 0 for the action alone
        POINT pt;
        std::function<void()> action;
    };

    static LRESULT CALLBACK HostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == kStepMessage && s_pThis != NULL) {
            s_pThis->OnStep();
            return 0;
        }
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    }

    void SetUp() override
    {
        s_pThis = this;
        m_nDoubleClickTime = ::GetDoubleClickTime();
        ::SetDoubleClickTime(5000);  // the real timer stays out of the scripts' way
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &HostProc;
        wc.hInstance = ::GetModuleHandleW(NULL);
        wc.lpszClassName = L"ScrollBaseHost";
        ::RegisterClassW(&wc);
        m_host.m_hWnd = ::CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 20, 20, 100, 320,
                                          NULL, NULL, wc.hInstance, NULL);
        ASSERT_NE(nullptr, m_host.m_hWnd);
        m_host.Set(CRect(0, 0, 17, 300), 0, 99, 10, 0);
    }
    void TearDown() override
    {
        ::SetDoubleClickTime(m_nDoubleClickTime);
        if (::IsWindow(m_host.m_hWnd))
            ::DestroyWindow(m_host.m_hWnd);
        s_pThis = NULL;
        MSG msg;
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
            if (msg.message != WM_QUIT)
                ::DispatchMessageW(&msg);
    }
    void Place(POINT pt)
    {
        ::ClientToScreen(m_host.m_hWnd, &pt);
        ::SetCursorPos(pt.x, pt.y);
    }
    void Press(POINT pt, BOOL bShift, std::vector<CStep> steps)
    {
        m_steps = std::move(steps);
        m_nNext = 0;
        Place(pt);
        // The button is held through the key state, which the drag polls.
        BYTE keys[256];
        ::GetKeyboardState(keys);
        BYTE keysUp[256];
        memcpy(keysUp, keys, sizeof(keys));
        keysUp[VK_LBUTTON] = keysUp[VK_SHIFT] = 0;
        keys[VK_LBUTTON] = 0x80;
        keys[VK_SHIFT] = bShift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        ::PostMessageW(m_host.m_hWnd, kStepMessage, 0, 0);
        m_host.StartTracking(m_host.m_hWnd, pt, &m_host.m_spi, bShift);
        ::SetKeyboardState(keysUp);
    }
    void OnStep()
    {
        if (m_nNext >= m_steps.size())
            return;
        const CStep& step = m_steps[m_nNext++];
        if (step.action)
            step.action();
        if (step.message != 0 && ::IsWindow(m_host.m_hWnd)) {
            Place(step.pt);
            if (step.message == WM_TIMER)
                ::PostMessageW(m_host.m_hWnd, WM_TIMER, kZpScrollBaseRepeatTimer, 0);
            else
                ::PostMessageW(m_host.m_hWnd, step.message, step.message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                               MAKELPARAM(step.pt.x, step.pt.y));
        }
        if (m_nNext < m_steps.size() && ::IsWindow(m_host.m_hWnd))
            ::PostMessageW(m_host.m_hWnd, kStepMessage, 0, 0);
    }
    std::vector<int> Commands() const
    {
        std::vector<int> v;
        for (const auto& s : m_host.m_scrolls)
            v.push_back(s.first);
        return v;
    }

    CTestScrollHost m_host;
    std::vector<CStep> m_steps;
    size_t m_nNext = 0;
    UINT m_nDoubleClickTime = 0;
    static ScrollBaseTracking* s_pThis;
};
ScrollBaseTracking* ScrollBaseTracking::s_pThis = NULL;

TEST_F(ScrollBaseTracking, ArrowRepeatsWhileInsideAndPausesOutside)
{
    const POINT ptArrow = { 8, 295 }, ptAway = { 60, 100 };
    Press(ptArrow, FALSE,
          { { WM_TIMER, ptArrow, nullptr },
            { WM_MOUSEMOVE, ptAway, nullptr },
            { WM_TIMER, ptAway, nullptr },
            { WM_MOUSEMOVE, ptArrow, nullptr },
            { WM_LBUTTONUP, ptArrow, nullptr } });
    // Once at once, once on the timer, nothing outside, once on re-entering, then the end.
    EXPECT_EQ((std::vector<int>{ SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN, SB_ENDSCROLL }), Commands());
    EXPECT_EQ(static_cast<int>(5000 / 10), m_host.GetRepeatDelay());
    EXPECT_EQ(nullptr, m_host.GetTrackState());
    EXPECT_EQ(0, ZpMouseManager()->GetModalCounter());
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(ScrollBaseTracking, ThumbDragSnapsBackFarAwayAndEndsWithThePosition)
{
    const ZP_SCROLLBAR_GEOMETRY& g = m_host.GetScrollBarGeometry();
    const int y0 = g.nThumbStart + 2;
    const int nTravelEnd = g.nTravelStart + g.nTravel;
    Press({ 8, y0 }, FALSE,
          { { WM_MOUSEMOVE, { 8, nTravelEnd + 2 }, nullptr },
            { WM_MOUSEMOVE, { 8 + 17 * 9, nTravelEnd + 2 }, nullptr },
            { WM_MOUSEMOVE, { 8, nTravelEnd + 2 }, nullptr },
            { WM_LBUTTONUP, { 8, nTravelEnd + 2 }, nullptr } });
    const std::vector<std::pair<int, int>> expected = {
        { SB_THUMBTRACK, 0 },  { SB_THUMBTRACK, 90 },    { SB_THUMBTRACK, 0 },
        { SB_THUMBTRACK, 90 }, { SB_THUMBPOSITION, 90 }, { SB_ENDSCROLL, 0 },
    };
    EXPECT_EQ(expected, m_host.m_scrolls);
    EXPECT_EQ(0, ZpMouseManager()->GetModalCounter());
}

TEST_F(ScrollBaseTracking, ShiftOnTheTrackJumpsAndDrags)
{
    const ZP_SCROLLBAR_GEOMETRY& g = m_host.GetScrollBarGeometry();
    const int y = g.nTravelStart + g.nTravel / 2 + g.nThumbSize / 2;
    Press({ 8, y }, TRUE, { { WM_LBUTTONUP, { 8, y }, nullptr } });
    ASSERT_GE(m_host.m_scrolls.size(), 3u);
    EXPECT_EQ(SB_THUMBTRACK, m_host.m_scrolls[1].first);
    EXPECT_NEAR(45, m_host.m_scrolls[1].second, 1);
    EXPECT_EQ(SB_ENDSCROLL, m_host.m_scrolls.back().first);
}

TEST_F(ScrollBaseTracking, CoveredRangeRefusesTheDrag)
{
    m_host.Set(CRect(0, 0, 17, 300), 0, 9, 10, 0);
    Press({ 8, 100 }, FALSE, {});
    EXPECT_TRUE(m_host.m_scrolls.empty());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(0, ZpMouseManager()->GetModalCounter());
}

TEST_F(ScrollBaseTracking, HostGoneOrQuitEndsTheLoopAndRestoresTheCounter)
{
    const ZP_SCROLLBAR_GEOMETRY& g = m_host.GetScrollBarGeometry();
    const int y0 = g.nThumbStart + 2;
    Press({ 8, y0 }, FALSE, { { 0, {}, [this] { ::DestroyWindow(m_host.m_hWnd); } } });
    EXPECT_EQ(0, ZpMouseManager()->GetModalCounter());
    EXPECT_EQ(nullptr, m_host.GetTrackState());

    SetUp();
    Press({ 8, 295 }, FALSE, { { 0, {}, [] { ::PostQuitMessage(3); } } });
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));  // posted again
    EXPECT_EQ(0, ZpMouseManager()->GetModalCounter());

    // Capture stolen mid-drag.
    Press({ 8, y0 }, FALSE, { { 0, {}, [] { ::ReleaseCapture(); } } });
    EXPECT_EQ(nullptr, m_host.GetTrackState());
}

// The looks as pixels: a 17 x 120 bar in a DIB.
class ScrollBarLooks : public ::testing::Test
{
public:
    void Draw(int nStyle, int nMin, int nMax, UINT nPage, int nPos, CRect rc = CRect(0, 0, 17, 120))
    {
        m_dib.Fill(kPaper);
        m_host.SetScrollBarStyle(nStyle);
        m_host.Set(rc, nMin, nMax, nPage, nPos);
        CDibDC dc(m_dib);
        m_host.m_painter.DrawScrollBar(&dc, &m_host);
        ::GdiFlush();
    }
    static const COLORREF kPaper = RGB(1, 2, 3);
    CDibSection m_dib{ 17, 120, kPaper };
    CTestScrollHost m_host;
};

TEST_F(ScrollBarLooks, FlatArrowsThumbAndGlyphs)
{
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    Draw(kZpScrollStyleFlat, 0, 99, 10, 0);
    const ZP_SCROLLBAR_GEOMETRY& g = m_host.GetScrollBarGeometry();
    // Arrow face inside its frame, a black glyph on it, and a thumb of face colour.
    EXPECT_EQ(clrFace, m_dib.GetPixel(2, 2));
    int nBlack = 0;
    for (int y = 0; y < g.nFirstArrowEnd; ++y)
        for (int x = 0; x < 17; ++x)
            nBlack += m_dib.GetPixel(x, y) == RGB(0, 0, 0);
    EXPECT_GT(nBlack, 0);
    EXPECT_EQ(clrFace, m_dib.GetPixel(8, (g.nThumbStart + g.nThumbEnd) / 2));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), m_dib.GetPixel(0, g.nThumbStart));
    EXPECT_EQ(0, CountPixels(m_dib, kPaper));

    // Covered range: disabled arrows (grey glyphs) and no thumb.
    Draw(kZpScrollStyleFlat, 0, 9, 10, 0);
    nBlack = CountPixels(m_dib, RGB(0, 0, 0));
    EXPECT_EQ(0, nBlack);
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    for (int y = g.nFirstArrowEnd; y < g.nSecondArrowStart; ++y)
        EXPECT_NE(clrShadow, m_dib.GetPixel(16, y)) << y;  // no thumb frame on the track

    // Arrows under 6 pixels carry no glyph.
    Draw(kZpScrollStyleFlat, 0, 99, 10, 0, CRect(0, 0, 5, 120));
    EXPECT_EQ(0, CountPixels(m_dib, RGB(0, 0, 0)));
}

TEST_F(ScrollBarLooks, ClassicAndThemedFallBack)
{
    // Classic: frame-control arrows (their face is the button face) and a raised thumb.
    Draw(4, 0, 99, 10, 0);
    const ZP_SCROLLBAR_GEOMETRY& g = m_host.GetScrollBarGeometry();
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), m_dib.GetPixel(8, (g.nThumbStart + g.nThumbEnd) / 2));
    EXPECT_EQ(0, CountPixels(m_dib, kPaper));
    std::vector<std::string> classic = Picture(m_dib, ::GetSysColor(COLOR_BTNFACE));

    // Style 3 without the visual style draws the classic look.
    m_host.m_painter.GetTheme().CloseTheme();
    Draw(kZpScrollStyleThemed, 0, 99, 10, 0);
    EXPECT_EQ(classic, Picture(m_dib, ::GetSysColor(COLOR_BTNFACE)));

    // With it (the prefix runs a visual style) the bar is painted by the theme.
    m_host.m_painter.RefreshMetrics();
    Draw(kZpScrollStyleThemed, 0, 99, 10, 0);
    EXPECT_EQ(0, CountPixels(m_dib, kPaper));

    // A zero-width bar draws nothing.
    Draw(4, 0, 99, 10, 0, CRect(0, 0, 0, 120));
    EXPECT_EQ(17 * 120, CountPixels(m_dib, kPaper));
}

TEST(SliderLook, TicksAndThumb)
{
    CDibSection dib(120, 16, RGB(1, 2, 3));
    CTestScrollHost host;
    CZPSliderPaintManager slider(ZpGetPaintManager());
    host.Set(CRect(0, 0, 120, 16), 0, 100, 0, 50, FALSE);
    const COLORREF clrHighlight = ZpGetPaintManager()->GetColor(20);
    auto draw = [&] {
        dib.Fill(RGB(1, 2, 3));
        CDibDC dc(dib);
        slider.DrawScrollBar(&dc, &host);
        ::GdiFlush();
    };
    auto tickColumns = [&] {
        // Highlight marks 7 high stand on the row y0 + 1 .. y0 + 7 between the buttons.
        int n = 0;
        const int y0 = (16 - 8) / 2;
        for (int x = 17; x < 103; ++x)
            n += dib.GetPixel(x, y0 + 1) == clrHighlight && dib.GetPixel(x, y0 + 7) == clrHighlight;
        return n;
    };
    // No list: one centre tick; the thumb is drawn too (pentagon columns count as well).
    host.m_spi.nThumbStart = host.m_spi.nThumbEnd = 0;  // thumb off the track
    host.m_spi.nMax = host.m_spi.nMin = 0;              // not active: no thumb
    draw();
    EXPECT_EQ(1, tickColumns());
    const double ticks[] = { 0, 50, 100 };
    host.SetTicks(ticks, 3);
    host.m_spi.nMax = 0;
    draw();
    EXPECT_EQ(0, tickColumns());  // posMin = posMax: none
    host.m_spi.nMax = 100;
    host.m_spi.nPage = 200;  // covered: still not active
    draw();
    EXPECT_EQ(3, tickColumns());
}
