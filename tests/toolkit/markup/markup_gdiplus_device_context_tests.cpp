// The GDI+ device context: the load count, translucent fills blended, gradient borders that do
// not overlap, and every operation back on GDI when GDI+ is not running.
#include "markup_drawing_fixture.h"

#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupGdiPlusDeviceContext.h"
#include "markup/ZPMarkupValues.h"

#include "../common/DibSection.h"

namespace
{
class MarkupGdiPlusDeviceContext : public CMarkupDrawingTest
{
};

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

TEST_F(MarkupGdiPlusDeviceContext, LoadedWhileAnyStartIsOpen)
{
    ASSERT_EQ(NULL, ::GetModuleHandleW(L"gdiplus.dll"));
    ZpMarkupRegisterGdiPlus(TRUE);
    ZpMarkupRegisterGdiPlus(TRUE);
    EXPECT_TRUE(::GetModuleHandleW(L"gdiplus.dll") != NULL);
    // Started even where the start-up leaves the token 0.
    EXPECT_TRUE(ZpMarkupIsGdiPlusRunning());
    ZpMarkupRegisterGdiPlus(FALSE);
    EXPECT_TRUE(::GetModuleHandleW(L"gdiplus.dll") != NULL);
    ZpMarkupRegisterGdiPlus(FALSE);
    EXPECT_EQ(NULL, ::GetModuleHandleW(L"gdiplus.dll"));
    EXPECT_FALSE(ZpMarkupIsGdiPlusRunning());
    // An unmatched stop is ignored: the next start loads again.
    ZpMarkupRegisterGdiPlus(FALSE);
    ZpMarkupRegisterGdiPlus(TRUE);
    EXPECT_TRUE(ZpMarkupIsGdiPlusRunning());
    ZpMarkupRegisterGdiPlus(FALSE);
    EXPECT_FALSE(ZpMarkupIsGdiPlusRunning());
}

TEST_F(MarkupGdiPlusDeviceContext, RunsWhileAnyMarkupContextExists)
{
    CZPMarkupContext* pFirst = new CZPMarkupContext;
    CZPMarkupContext* pSecond = new CZPMarkupContext;
    EXPECT_TRUE(ZpMarkupIsGdiPlusRunning());
    pFirst->Release();
    EXPECT_TRUE(ZpMarkupIsGdiPlusRunning());
    pSecond->Release();
    EXPECT_FALSE(ZpMarkupIsGdiPlusRunning());
    EXPECT_EQ(NULL, ::GetModuleHandleW(L"gdiplus.dll"));
}

TEST_F(MarkupGdiPlusDeviceContext, TranslucentFillsBlendOnlyWithGdiPlus)
{
    CRef<CZPMarkupSolidColorBrush> pHalf(new CZPMarkupSolidColorBrush(0x80, kRed));
    CRef<CZPMarkupSolidColorBrush> pOpaque(new CZPMarkupSolidColorBrush(kBlue));
    struct
    {
        bool bGdiPlus;
        COLORREF clrHalf;
    } cases[] = {{true, RGB(255, 127, 127)}, {false, kRed}};
    for (const auto& c : cases)
    {
        if (c.bGdiPlus)
            ZpMarkupRegisterGdiPlus(TRUE);
        CDibSection dib(20, 20, kWhite);
        {
            CZPMarkupGdiPlusDeviceContext dc(dib.GetDC(), NULL);
            dc.FillRectangle({0, 0, 10, 10}, pHalf);
            dc.FillRectangle({10, 10, 20, 20}, pOpaque);
        }
        // Colour channels only: GDI+ also writes alpha.
        EXPECT_TRUE(ColorNear(c.clrHalf, dib.GetPixel(5, 5), 1)) << c.bGdiPlus;
        EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(10, 5))) << c.bGdiPlus;
        EXPECT_TRUE(ColorNear(kBlue, dib.GetPixel(15, 15))) << c.bGdiPlus;
        if (c.bGdiPlus)
            ZpMarkupRegisterGdiPlus(FALSE);
    }
}

TEST_F(MarkupGdiPlusDeviceContext, GdiPlusDrawsAtTheMovedOriginInsideTheClip)
{
    CGdiPlusScope gdiplus;
    CDibSection dib(40, 40, kWhite);
    CRef<CZPMarkupSolidColorBrush> pHalf(new CZPMarkupSolidColorBrush(0x80, kRed));
    {
        CZPMarkupGdiPlusDeviceContext dc(dib.GetDC(), NULL);
        dc.OffsetOrigin({20, 10});
        dc.IntersectClipRect({0, 0, 5, 40});
        dc.FillRectangle({0, 0, 10, 10}, pHalf);
    }
    EXPECT_TRUE(ColorNear(RGB(255, 127, 127), dib.GetPixel(20, 10), 1));
    EXPECT_TRUE(ColorNear(RGB(255, 127, 127), dib.GetPixel(24, 19), 1));
    EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(25, 15)));
    EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(5, 5)));
}

TEST_F(MarkupGdiPlusDeviceContext, GradientBorderStripsMeetWithoutOverlap)
{
    CGdiPlusScope gdiplus;
    CDibSection dib(20, 20, kWhite);
    CRef<CZPMarkupLinearGradientBrush> pBrush(MakeGradient({{0xFF0000FF, 0}, {0xFFFF0000, 1}}, 0, 0, 1, 0));
    const CZPMarkupThickness thickness(1, 2, 3, 4);
    {
        CZPMarkupGdiPlusDeviceContext dc(dib.GetDC(), NULL);
        dc.DrawRectangle({0, 0, 20, 20}, pBrush, &thickness);
    }
    for (int y = 0; y < 20; y++)
    {
        for (int x = 0; x < 20; x++)
        {
            const bool bBorder = x < 1 || x >= 17 || y < 2 || y >= 16;
            ASSERT_EQ(bBorder, dib.GetPixel(x, y) != kWhite) << x << "," << y;
        }
    }
    // One gradient across the whole border: the right strip is blue-ish, not restarted red.
    EXPECT_GT(GetBValue(dib.GetPixel(18, 10)), 200);
    EXPECT_GT(GetRValue(dib.GetPixel(0, 10)), 200);
}

TEST_F(MarkupGdiPlusDeviceContext, ShapesDrawWithEitherBackEnd)
{
    CRef<CZPMarkupSolidColorBrush> pRed(new CZPMarkupSolidColorBrush(kRed));
    CRef<CZPMarkupLinearGradientBrush> pEmpty(MakeGradient({}));
    const POINT triangle[] = {{0, 0}, {19, 0}, {0, 19}};
    for (bool bGdiPlus : {true, false})
    {
        if (bGdiPlus)
            ZpMarkupRegisterGdiPlus(TRUE);
        CDibSection dib(60, 20, kWhite);
        {
            CZPMarkupGdiPlusDeviceContext dc(dib.GetDC(), NULL);
            dc.DrawEllipse({20, 0, 40, 20}, 0, NULL, pRed);
            dc.DrawPolygon(triangle, 3, 0, NULL, pRed);
            dc.DrawLine(40, 10, 60, 10, 2, pRed);
            // A gradient without stops fills nothing.
            dc.FillRectangle({45, 0, 60, 5}, pEmpty);
        }
        EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(30, 10), 1)) << bGdiPlus;
        EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(21, 1), 1)) << bGdiPlus;
        EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(3, 3), 1)) << bGdiPlus;
        EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(17, 17), 1)) << bGdiPlus;
        EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(50, 10), 1)) << bGdiPlus;
        EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(50, 2))) << bGdiPlus;
        if (bGdiPlus)
            ZpMarkupRegisterGdiPlus(FALSE);
    }
}
}

namespace
{
// GDI+ takes blend positions only from 0 to 1: stops outside still give the colours between.
TEST_F(MarkupGdiPlusDeviceContext, GradientRowsMatchTheRasteriser)
{
    struct
    {
        const char* name;
        std::vector<std::pair<DWORD, double>> stops;
    } cases[] = {
        {"inside", {{0xFF0000FF, 0}, {0xFFFF0000, 1}}},
        {"outside", {{0xFF0000FF, -1}, {0xFFFF0000, 2}}},
        {"unsorted", {{0xFFFF0000, 1}, {0x800000FF, 0}}},
    };
    for (const auto& c : cases)
    {
        CZPMarkupLinearGradientBrush* pBrush = MakeGradient({}, 0, 0, 1, 0);
        for (const auto& stop : c.stops)
            pBrush->AddStop(stop.first, stop.second);
        CDibSection gdi(100, 4, kWhite), gdiplus(100, 4, kWhite);
        {
            CZPMarkupGdiPlusDeviceContext dc(gdi.GetDC(), NULL);
            dc.FillRectangle({0, 0, 100, 4}, pBrush);
        }
        {
            CGdiPlusScope scope;
            CZPMarkupGdiPlusDeviceContext dc(gdiplus.GetDC(), NULL);
            dc.FillRectangle({0, 0, 100, 4}, pBrush);
        }
        pBrush->Release();
        // GDI draws the colour opaque; GDI+ blends a translucent one over white.
        const bool bTranslucent = c.stops[1].first >> 24 != 0xFF;
        for (int x : {10, 50, 90})
        {
            if (!bTranslucent)
                EXPECT_TRUE(ColorNear(gdi.GetPixel(x, 2), gdiplus.GetPixel(x, 2), 4)) << c.name << " " << x;
            else
                EXPECT_GT(GetGValue(gdiplus.GetPixel(x, 2)), 0) << c.name << " " << x;
        }
    }
}
}
