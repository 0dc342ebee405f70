// Pixels of the base paint manager's glyphs, marks, status-bar pieces, message-bar buttons and
// popup animation, read back from DIB sections.
#include <gtest/gtest.h>

#include "paint_manager_pixels.h"
#include "paint_manager_test_theme.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

TEST(PaintManagerGlyphs, CheckMarkNormalMirroredAndThick)
{
    CTestThemeRef pm;
    struct Case
    {
        BOOL bMirrored, bThick;
        std::vector<std::string> expected;
    } cases[] = {
        { FALSE, FALSE, { "........", "......#.", ".....##.", "#...##..", "##.##...", ".###....", "..#....." } },
        { FALSE,
          TRUE,
          { "........", "......#.", ".....##.", "#...###.", "##.###..", "#####...", ".###....", "..#....." } },
    };
    for (const Case& c : cases) {
        // x0 = y0 = -6: the strokes start at (0, 3) and (0, 4) of the picture.
        CDibSection dib(8, static_cast<int>(c.expected.size()), kWhite);
        CDibDC dc(dib);
        pm->m_bThickCheckMark = c.bThick;
        pm->DrawCheckMark(&dc, CRect(-6, -6, 14, 14), 0, kBlack);
        EXPECT_EQ(c.expected, Picture(dib, kBlack)) << c.bThick;
    }
}

TEST(PaintManagerGlyphs, MirroredCheckMarkReadsAsATick)
{
    CTestThemeRef pm;
    CDibSection dib(8, 8, kWhite);
    CDibDC dc(dib);
    ::SetLayout(dc.GetSafeHdc(), LAYOUT_RTL);
    pm->DrawCheckMark(&dc, CRect(-6, -6, 14, 14), 0, kBlack);
    ::SetLayout(dc.GetSafeHdc(), 0);
    // Mirrored, the long stroke falls to the right and the short one rises: the left edge of the
    // picture holds the tip of the long stroke, the bottom row the elbow.
    std::vector<std::string> rows = Picture(dib, kBlack);
    int nSet = CountPixels(dib, kBlack);
    EXPECT_GT(nSet, 8);
    EXPECT_NE(std::string::npos, rows[6].find('#'));
}

TEST(PaintManagerGlyphs, ComboArrowAndDropDownGlyph)
{
    CTestThemeRef pm;
    {
        // A rect 10 wide uses the minimum half width 2: a 5-pixel base at y = 4 - 1.
        CDibSection dib(10, 10, kWhite);
        CDibDC dc(dib);
        pm->DrawComboArrow(&dc, CRect(0, 0, 10, 10), kBlack);
        EXPECT_EQ(std::string("...#####.."), Picture(dib, kBlack)[4]);
        EXPECT_EQ(std::string(".....#...."), Picture(dib, kBlack)[6]);
    }
    {
        // Selected colours come from the theme's state colour (red here).
        CDibSection dib(8, 6, kWhite);
        CDibDC dc(dib);
        pm->DrawDropDownGlyph(&dc, NULL, CPoint(4, 2), 1, FALSE, TRUE, FALSE);
        std::vector<std::string> expected = { "......", "..#####.", "...###..", "....#...", "........", "........" };
        expected[0] = "........";
        EXPECT_EQ(expected, Picture(dib, RGB(255, 0, 0)));
    }
}

TEST(PaintManagerGlyphs, RadioDotIsSolidInsideAndBlendedAtTheEdge)
{
    CTestThemeRef pm;
    CDibSection dib(12, 12, kWhite);
    CDibDC dc(dib);
    pm->DrawRadioMark(&dc, CRect(0, 0, 12, 12), 0, kBlack);
    // The dot lies in (3, 3)-(9, 9); its centre is (5.5, 5.5).
    EXPECT_EQ(kBlack, dib.GetPixel(5, 5));
    EXPECT_EQ(kBlack, dib.GetPixel(6, 6));
    EXPECT_EQ(kWhite, dib.GetPixel(2, 2));
    const COLORREF clrCorner = dib.GetPixel(3, 3);
    EXPECT_NE(kBlack, clrCorner);
    // Symmetric about the fractional centre.
    EXPECT_EQ(dib.GetPixel(3, 5), dib.GetPixel(8, 6));
    EXPECT_EQ(dib.GetPixel(4, 3), dib.GetPixel(7, 8));
}

TEST(PaintManagerGlyphs, CheckBoxAndRadioMarksMeasure13AndDrawClassic)
{
    CTestThemeRef pm;
    CDibSection dib(13, 13, RGB(1, 2, 3));
    CDibDC dc(dib);
    EXPECT_EQ(CSize(13, 13), pm->DrawCheckBoxMark(&dc, CRect(0, 0, 13, 13), FALSE, 0, FALSE, 1, TRUE));
    EXPECT_EQ(13 * 13, CountPixels(dib, RGB(1, 2, 3)));
    EXPECT_EQ(CSize(13, 13), pm->DrawRadioButtonMark(&dc, CRect(0, 0, 13, 13), FALSE, 0, FALSE, 1, TRUE));
    EXPECT_EQ(CSize(13, 13), pm->DrawCheckBoxMark(&dc, CRect(0, 0, 13, 13), TRUE, 0, FALSE, 1, TRUE));
    EXPECT_LT(CountPixels(dib, RGB(1, 2, 3)), 13 * 13);
    // Empty and inverted rectangles draw without harm.
    pm->DrawCheckBoxMark(&dc, CRect(5, 5, 5, 5), TRUE, 0, FALSE, 2, FALSE);
    pm->DrawRadioButtonMark(&dc, CRect(9, 9, 2, 2), TRUE, 1, TRUE, 1, TRUE);
}

TEST(PaintManagerGlyphs, ClassicSizeGrip)
{
    CTestThemeRef pm;
    pm->GetColorEntry(zpColorBtnShadow).SetCustomValue(RGB(128, 0, 0));
    pm->GetColorEntry(zpColorBtnHighlight).SetCustomValue(RGB(0, 128, 0));
    CDibSection dib(14, 14, kWhite);
    CDibDC dc(dib);
    pm->DrawStatusSizeGrip(&dc, CRect(0, 0, 14, 14));
    const std::vector<std::string> shadow = Picture(dib, RGB(128, 0, 0));
    const std::vector<std::string> light = Picture(dib, RGB(0, 128, 0));
    // The first group: shadow strokes end at (13, 10) and (13, 9), the light one at (13, 8);
    // each line excludes its end pixel.
    // Three groups (o = 0, 4, 8) of two shadow strokes and one light stroke from the bottom row
    // to the right column; each line excludes its end pixel.
    const std::vector<std::string> expectedShadow = {
        "..............", "..............", "............#.", "...........##.", "..........##..",
        ".........##...", "........##..#.", ".......##..##.", "......##..##..", ".....##..##...",
        "....##..##..#.", "...##..##..##.", "..##..##..##..", "..............",
    };
    const std::vector<std::string> expectedLight = {
        "..............", "............#.", "...........#..", "..........#...", ".........#....",
        "........#...#.", ".......#...#..", "......#...#...", ".....#...#....", "....#...#...#.",
        "...#...#...#..", "..#...#...#...", ".#...#...#....", "..............",
    };
    EXPECT_EQ(expectedShadow, shadow);
    EXPECT_EQ(expectedLight, light);
    // Bottom row: shadow strokes start at x = 11, 10 (o = 0), 7, 6 (o = 4), 3, 2 (o = 8).
    EXPECT_EQ(std::string("..##..##..##.."), shadow[12]);
    EXPECT_EQ(std::string(".#...#...#...."), light[12]);
}

TEST(PaintManagerGlyphs, StatusBarBackgroundClassicAndThemed)
{
    CTestThemeRef pm;
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, L"STATIC", L"", WS_POPUP, CRect(0, 0, 40, 20), NULL, 0));
    pm->GetColorEntry(zpColorBtnFace).SetCustomValue(RGB(10, 20, 30));
    {
        CDibSection dib(40, 20, kWhite);
        CDibDC dc(dib);
        pm->FillStatusBar(&dc, &wnd);
        EXPECT_EQ(40 * 20, CountPixels(dib, RGB(10, 20, 30)));
    }
    pm->m_bThemedStatusBar = TRUE;
    pm->RefreshMetrics();
    pm->GetColorEntry(zpColorBtnFace).SetCustomValue(RGB(10, 20, 30));
    {
        CDibSection dib(40, 20, kWhite);
        CDibDC dc(dib);
        pm->FillStatusBar(&dc, &wnd);
        if (pm->IsThemeInUse(pm->m_themeStatusBar))
            EXPECT_EQ(0, CountPixels(dib, RGB(10, 20, 30)));  // the style drew, not the classic fill
        else
            EXPECT_EQ(40 * 20, CountPixels(dib, RGB(10, 20, 30)));
    }
    wnd.DestroyWindow();
}

TEST(PaintManagerGlyphs, MessageBarCloseCrossAndButtons)
{
    CTestThemeRef pm;
    CDibSection dib(20, 20, kWhite);
    CDibDC dc(dib);
    ZP_MESSAGEBAR_BUTTON button = { CRect(0, 0, 20, 20), FALSE, FALSE, SC_CLOSE };
    pm->DrawMessageBarButton(&dc, &button);
    // Centre (10, 10): four strokes of 7 pixels (end pixel excluded) that share two pixels.
    EXPECT_EQ(26, CountPixels(dib, kBlack));
    EXPECT_EQ(kBlack, dib.GetPixel(6, 7));
    EXPECT_EQ(kBlack, dib.GetPixel(7, 7));
    EXPECT_EQ(kWhite, dib.GetPixel(13, 14));
    EXPECT_TRUE(pm->m_stateCalls.empty());

    button.m_bHot = TRUE;
    pm->DrawMessageBarButton(&dc, &button);
    ASSERT_EQ(1u, pm->m_stateCalls.size());
    EXPECT_EQ(1, pm->m_stateCalls[0].nSelected);
    EXPECT_EQ(1, pm->m_stateCalls[0].nBarType);
    pm->DrawMessageBarButton(&dc, NULL);
}

TEST(PaintManagerGlyphs, AnimationsEndOnTheFinalPicture)
{
    CTestThemeRef pm;
    pm->m_nAnimationTime = 0;
    CDibSection src(16, 8, RGB(255, 255, 255));
    CDibDC dcSrc(src);
    struct Case
    {
        int nKind, nSteps;
        COLORREF clrExpected;
    } cases[] = {
        { zpAnimateUnfold, 10, kWhite },
        { zpAnimateSlide, 10, kWhite },
        { zpAnimateUnfold, 1000000, kWhite },
        { zpAnimateFade, 10, RGB(228, 228, 228) },
        { zpAnimateFade, 1, kBlack },
        { zpAnimateUnfold, 0, kBlack },
        { 0, 10, kBlack },
        { 5, 10, kBlack },
    };
    for (const Case& c : cases) {
        CDibSection dest(16, 8, kBlack);
        CDibDC dcDest(dest);
        pm->m_nAnimationSteps = c.nSteps;
        pm->AnimatePopup(&dcDest, &dcSrc, CRect(0, 0, 16, 8), c.nKind);
        EXPECT_EQ(c.clrExpected, dest.GetPixel(15, 7)) << c.nKind << " " << c.nSteps;
        EXPECT_EQ(c.clrExpected, dest.GetPixel(0, 0)) << c.nKind << " " << c.nSteps;
    }
}

TEST(PaintManagerGlyphs, PrimitivesFillTheirRectangles)
{
    CTestThemeRef pm;
    CDibSection dib(10, 10, kWhite);
    CDibDC dc(dib);
    pm->HorizontalLine(&dc, 2, 1, 6, static_cast<COLORREF>(RGB(1, 1, 1)));
    pm->VerticalLine(&dc, 8, 2, 5, static_cast<COLORREF>(RGB(2, 2, 2)));
    EXPECT_EQ(std::string("..####...."), Picture(dib, RGB(1, 1, 1))[1]);
    EXPECT_EQ(3, CountPixels(dib, RGB(2, 2, 2)));
    pm->FillRectAndBorder(&dc, CRect(0, 3, 5, 8), static_cast<int>(RGB(3, 3, 3)), -1);
    EXPECT_EQ(25, CountPixels(dib, RGB(3, 3, 3)));
    pm->FillRectAndBorder(&dc, CRect(0, 3, 5, 8), -1, static_cast<int>(RGB(4, 4, 4)));
    EXPECT_EQ(16, CountPixels(dib, RGB(4, 4, 4)));
    pm->FillWorkspace(&dc, CRect(9, 9, 3, 3), CRect());  // inverted: nothing
}

}  // namespace
