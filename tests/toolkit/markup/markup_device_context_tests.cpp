// The GDI device context (GDI+ not running): solid and gradient fills read back from DIB
// sections, borders, rounded paths, clip regions and hostile sizes.
#include "markup_drawing_fixture.h"

#include "markup/ZPMarkupDeviceContext.h"
#include "markup/ZPMarkupValues.h"

#include "../common/DibSection.h"

namespace
{
class MarkupDeviceContext : public CMarkupDrawingTest
{
protected:
    void SetUp() override
    {
        CMarkupDrawingTest::SetUp();
        ASSERT_FALSE(ZpMarkupIsGdiPlusRunning());
    }
};

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

TEST_F(MarkupDeviceContext, SolidFillsAreOpaqueAndSkipEmptyRectangles)
{
    CDibSection dib(20, 20, kWhite);
    CZPMarkupDeviceContext dc(dib.GetDC(), NULL);
    // Without GDI+ a translucent brush is drawn opaque.
    CRef<CZPMarkupSolidColorBrush> pHalf(new CZPMarkupSolidColorBrush(0x80, kRed));
    dc.FillRectangle({2, 2, 5, 5}, pHalf);
    EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(2, 2)));
    EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(4, 4)));
    // Right and bottom edges are outside.
    EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(5, 4)));
    EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(4, 5)));
    // Inverted and empty rectangles, a brush without colour and no brush draw nothing.
    CRef<CZPMarkupSolidColorBrush> pBlue(new CZPMarkupSolidColorBrush(kBlue));
    CRef<CZPMarkupSolidColorBrush> pEmpty(new CZPMarkupSolidColorBrush);
    dc.FillRectangle({15, 15, 10, 10}, pBlue);
    dc.FillRectangle({10, 10, 10, 15}, pBlue);
    dc.FillRectangle({10, 10, 15, 15}, pEmpty);
    dc.FillRectangle({10, 10, 15, 15}, NULL);
    for (int y = 9; y < 16; y++)
    {
        for (int x = 9; x < 16; x++)
            ASSERT_TRUE(ColorNear(kWhite, dib.GetPixel(x, y))) << x << "," << y;
    }
}

TEST_F(MarkupDeviceContext, VerticalGradientSamplesBelowEachRow)
{
    CDibSection dib(4, 100, kWhite);
    CZPMarkupDeviceContext dc(dib.GetDC(), NULL);
    CRef<CZPMarkupLinearGradientBrush> pBrush(MakeGradient({{0xFF0000FF, 0}, {0xFFFF0000, 1}}, 0, 0, 0, 1));
    dc.FillRectangle({0, 0, 4, 100}, pBrush);
    // Row y is sampled at y + 1: row 0 at 0.01, the last row at 1.
    struct
    {
        int y;
        COLORREF clr;
    } rows[] = {{0, RGB(252, 0, 2)}, {49, RGB(127, 0, 127)}, {99, kBlue}};
    for (const auto& row : rows)
    {
        EXPECT_TRUE(ColorNear(row.clr, dib.GetPixel(0, row.y), 1)) << row.y;
        EXPECT_EQ(dib.GetPixel(0, row.y), dib.GetPixel(3, row.y)) << row.y;
    }
}

TEST_F(MarkupDeviceContext, GradientStopsAndDirections)
{
    struct
    {
        const char* name;
        std::vector<std::pair<DWORD, double>> stops;
        double x1, y1, x2, y2;
        int x, y;
        COLORREF clr;
    } cases[] = {
        // Unsorted stops draw as if sorted.
        {"unsorted", {{0xFFFF0000, 1}, {0xFF0000FF, 0}}, 0, 0, 1, 0, 0, 5, RGB(255, 0, 0)},
        {"unsorted end", {{0xFFFF0000, 1}, {0xFF0000FF, 0}}, 0, 0, 1, 0, 99, 5, RGB(2, 0, 252)},
        // Stops at 0.2 and 0.8: flat beyond them.
        {"below first", {{0xFF0000FF, 0.2}, {0xFFFF0000, 0.8}}, 0, 0, 1, 0, 10, 0, kRed},
        {"above last", {{0xFF0000FF, 0.2}, {0xFFFF0000, 0.8}}, 0, 0, 1, 0, 90, 0, kBlue},
        // Offsets outside 0-1.
        {"wide", {{0xFF0000FF, -1}, {0xFFFF0000, 2}}, 0, 0, 1, 0, 50, 0, RGB(127, 0, 127)},
        // Default points: the diagonal from the top-left to the bottom-right corner.
        {"diagonal start", {{0xFF0000FF, 0}, {0xFFFF0000, 1}}, -1, 0, 0, 0, 0, 0, RGB(254, 0, 0)},
        {"diagonal end", {{0xFF0000FF, 0}, {0xFFFF0000, 1}}, -1, 0, 0, 0, 99, 9, RGB(2, 0, 252)},
    };
    for (const auto& c : cases)
    {
        CDibSection dib(100, 10, kWhite);
        CZPMarkupDeviceContext dc(dib.GetDC(), NULL);
        CZPMarkupLinearGradientBrush* pBrush = new CZPMarkupLinearGradientBrush;
        for (const auto& stop : c.stops)
            pBrush->AddStop(stop.first, stop.second);
        if (c.x1 >= 0)
        {
            pBrush->SetValue(CZPMarkupLinearGradientBrush::m_pStartPointProperty, new CZPMarkupPoint(c.x1, c.y1));
            pBrush->SetValue(CZPMarkupLinearGradientBrush::m_pEndPointProperty, new CZPMarkupPoint(c.x2, c.y2));
        }
        dc.FillRectangle({0, 0, 100, 10}, pBrush);
        pBrush->Release();
        EXPECT_TRUE(ColorNear(c.clr, dib.GetPixel(c.x, c.y), 1)) << c.name;
    }
}

TEST_F(MarkupDeviceContext, DegenerateGradientsDrawNothingOrOneColour)
{
    std::vector<std::pair<DWORD, double>> many;
    for (int i = 0; i < 10000; i++)
        many.push_back({0xFFFF0000u, i / 9999.0});
    struct
    {
        const char* name;
        CZPMarkupLinearGradientBrush* pBrush;
        COLORREF clr;
    } cases[] = {
        {"no stops", MakeGradient({}), kWhite},
        {"one stop", MakeGradient({{0xFF00FF00, 0.7}}), RGB(0, 255, 0)},
        {"equal points", MakeGradient({{0xFF0000FF, 0}, {0xFFFF0000, 1}}, 0.5, 0.5, 0.5, 0.5), kWhite},
        {"10000 stops", MakeGradient({}), kBlue},
    };
    for (const auto& stop : many)
        cases[3].pBrush->AddStop(stop.first, stop.second);
    for (const auto& c : cases)
    {
        CDibSection dib(30, 30, kWhite);
        CZPMarkupDeviceContext dc(dib.GetDC(), NULL);
        dc.FillRectangle({0, 0, 30, 30}, c.pBrush);
        EXPECT_TRUE(ColorNear(c.clr, dib.GetPixel(29, 29))) << c.name;
        c.pBrush->Release();
    }
}

TEST_F(MarkupDeviceContext, HugeGradientComputesOnlyTheVisiblePart)
{
    // A scrolled page background: 40000 by 40000 would need 6 GB as one DIB.
    CDibSection dib(50, 50, kWhite);
    CZPMarkupDeviceContext dc(dib.GetDC(), NULL);
    CRef<CZPMarkupLinearGradientBrush> pBrush(MakeGradient({{0xFF0000FF, 0}, {0xFFFF0000, 1}}, 0, 0, 0, 1));
    dc.IntersectClipRect({10, 10, 20, 20});
    dc.FillRectangle({-20000, -20000, 20000, 20000}, pBrush);
    EXPECT_TRUE(ColorNear(RGB(127, 0, 127), dib.GetPixel(15, 15), 1));
    EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(9, 15)));
    EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(15, 20)));
    // Edges at the ends of the integer range do not overflow.
    dc.FillRectangle({-2147483647 - 1, -2147483647 - 1, 2147483647, 2147483647}, pBrush);
    EXPECT_TRUE(ColorNear(RGB(127, 0, 127), dib.GetPixel(15, 15), 1));
}

TEST_F(MarkupDeviceContext, BorderStripsOverlapAtTheCorners)
{
    CDibSection dib(20, 20, kWhite);
    CZPMarkupDeviceContext dc(dib.GetDC(), NULL);
    CRef<CZPMarkupSolidColorBrush> pRed(new CZPMarkupSolidColorBrush(kRed));
    const CZPMarkupThickness thickness(1, 2, 3, 4);
    dc.DrawRectangle({0, 0, 20, 20}, pRed, &thickness);
    // Column 0 is left, 17-19 right; rows 0-1 top, 16-19 bottom; the inside stays.
    for (int y = 0; y < 20; y++)
    {
        for (int x = 0; x < 20; x++)
        {
            const bool bBorder = x < 1 || x >= 17 || y < 2 || y >= 16;
            ASSERT_TRUE(ColorNear(bBorder ? kRed : kWhite, dib.GetPixel(x, y))) << x << "," << y;
        }
    }
    // A gradient is mapped onto each strip on its own: the top strip runs red to blue across
    // the whole width, and so does the bottom one.
    dib.Fill(kWhite);
    CRef<CZPMarkupLinearGradientBrush> pGradient(MakeGradient({{0xFF0000FF, 0}, {0xFFFF0000, 1}}, 0, 0, 1, 0));
    dc.DrawRectangle({0, 0, 20, 20}, pGradient, &thickness);
    EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(0, 0)));
    EXPECT_TRUE(ColorNear(RGB(12, 0, 242), dib.GetPixel(19, 0), 1));
    EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(17, 10))); // the right strip's own left edge
}

TEST_F(MarkupDeviceContext, RoundedFillAndBorderThroughThePath)
{
    CDibSection dib(40, 40, kWhite);
    CZPMarkupDeviceContext dc(dib.GetDC(), NULL);
    CRef<CZPMarkupSolidColorBrush> pRed(new CZPMarkupSolidColorBrush(kRed));
    const double radii[8] = {10, 10, 10, 10, 10, 10, 10, 10};
    dc.FillRoundRectangle({0, 0, 40, 40}, pRed, radii);
    EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(0, 0)));
    EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(20, 20)));
    EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(20, 1)));
    dib.Fill(kWhite);
    const CZPMarkupThickness four(4);
    dc.DrawRoundRectangle({0, 0, 40, 40}, pRed, &four, radii);
    EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(20, 1)));
    EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(20, 20)));
    EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(0, 0)));
}

TEST_F(MarkupDeviceContext, ClipRegionsSaveAndRestore)
{
    CDibSection dib(20, 20, kWhite);
    CZPMarkupDeviceContext dc(dib.GetDC(), NULL);
    EXPECT_EQ(ZP_MARKUP_NOCLIP, dc.SaveClipRegion());
    dc.IntersectClipRect({5, 5, 10, 10});
    HRGN hSaved = dc.SaveClipRegion();
    ASSERT_TRUE(hSaved != NULL && hSaved != ZP_MARKUP_NOCLIP);
    dc.IntersectClipRect({0, 0, 7, 7});
    RECT rc;
    dc.GetClipBox(rc);
    EXPECT_EQ(7, rc.right);
    dc.RestoreClipRegion(hSaved); // deletes the region
    dc.GetClipBox(rc);
    EXPECT_EQ(10, rc.right);
    dc.RestoreClipRegion(ZP_MARKUP_NOCLIP);
    dc.GetClipBox(rc);
    EXPECT_EQ(20, rc.right);
    dc.RestoreClipRegion(NULL);
}

TEST_F(MarkupDeviceContext, DcWithoutBitmapDrawsWithoutHarm)
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    {
        CZPMarkupDeviceContext dc(hDC, NULL);
        CRef<CZPMarkupLinearGradientBrush> pBrush(MakeGradient({{0xFF0000FF, 0}, {0xFFFF0000, 1}}));
        CRef<CZPMarkupSolidColorBrush> pRed(new CZPMarkupSolidColorBrush(kRed));
        dc.FillRectangle({0, 0, 40000, 40000}, pBrush);
        dc.FillRectangle({0, 0, 40000, 40000}, pRed);
        dc.DrawEllipse({0, 0, 10, 10}, 2, pRed, pBrush);
        EXPECT_EQ(0, dc.GetTextExtent(L"", 0).cx);
        EXPECT_LT(0, dc.GetTextExtent(L"Wide", 4).cx);
    }
    ::DeleteDC(hDC);
}

TEST_F(MarkupDeviceContext, FontIsPutBackAfterTheLastSelection)
{
    CDibSection dib(10, 10, kWhite);
    HGDIOBJ hOriginal = ::GetCurrentObject(dib.GetDC(), OBJ_FONT);
    HFONT hFont = static_cast<HFONT>(::GetStockObject(ANSI_FIXED_FONT));
    HFONT hOther = static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT));
    {
        CZPMarkupDeviceContext dc(dib.GetDC(), NULL);
        dc.SetFont(hFont);
        dc.SetFont(hOther);
        EXPECT_EQ(hOther, ::GetCurrentObject(dib.GetDC(), OBJ_FONT));
        dc.SetFont(NULL);
        EXPECT_EQ(hOriginal, ::GetCurrentObject(dib.GetDC(), OBJ_FONT));
    }
}
}
