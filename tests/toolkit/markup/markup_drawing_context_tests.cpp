// The drawing context: the clip box follows the origin and the clip, guards before forwarding.
#include "markup_drawing_fixture.h"

#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupValues.h"

#include "../common/DibSection.h"

namespace {
class MarkupDrawingContext : public CMarkupDrawingTest
{};

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);

TEST_F(MarkupDrawingContext, ClipBoxFollowsOriginAndClip)
{
    CDibSection dib(100, 50, kWhite);
    CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
    EXPECT_EQ(TRANSPARENT, ::GetBkMode(dib.GetDC()));
    const RECT& rc = dc.GetClipBox();
    EXPECT_EQ(100, rc.right);
    dc.OffsetOrigin({ 30, 10 });
    EXPECT_EQ(-30, rc.left);
    EXPECT_EQ(-10, rc.top);
    HRGN hSaved = dc.SaveClipRegion();
    dc.IntersectClipRect({ 0, 0, 5, 5 });
    EXPECT_EQ(5, rc.right);
    // Drawing lands at the moved origin, inside the clip.
    dc.FillSolidRect({ 0, 0, 20, 20 }, kRed);
    EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(34, 14)));
    EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(35, 14)));
    dc.RestoreClipRegion(hSaved);
    EXPECT_EQ(70, rc.right);
}

TEST_F(MarkupDrawingContext, NothingIsDrawnWithoutBrushOrThickness)
{
    CDibSection dib(20, 20, kWhite);
    CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
    CRef<CZPMarkupSolidColorBrush> pRed(new CZPMarkupSolidColorBrush(kRed));
    const CZPMarkupThickness none(0);
    dc.DrawLine(0, 5, 20, 5, 0, pRed);
    dc.DrawLine(0, 5, 20, 5, 1, NULL);
    dc.DrawRectangle({ 0, 0, 20, 20 }, NULL, &none);
    dc.DrawRectangle({ 0, 0, 20, 20 }, pRed, NULL);
    dc.DrawRectangle({ 0, 0, 20, 20 }, pRed, &none);
    for (int y = 0; y < 20; y++) {
        for (int x = 0; x < 20; x++)
            ASSERT_TRUE(ColorNear(kWhite, dib.GetPixel(x, y))) << x << "," << y;
    }
    dc.DrawFrame({ 0, 0, 20, 20 }, pRed);
    EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(0, 10)));
    EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(19, 10)));
    EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(1, 10)));
}

TEST_F(MarkupDrawingContext, MeasureOnlyContextOwnsItsDc)
{
    CZPMarkupDrawingContext dc;
    ASSERT_TRUE(dc.GetDC() != NULL);
    EXPECT_LT(0, dc.GetTextExtent(L"Measure", 7).cx);
    EXPECT_EQ(0, dc.GetTextExtent(L"Measure", 0).cx);
}
}  // namespace

namespace {
TEST_F(MarkupDrawingContext, RepeatedDrawingLeaksNoGdiObjects)
{
    CDibSection dib(60, 30, RGB(255, 255, 255));
    CRef<CZPMarkupSolidColorBrush> pHalf(new CZPMarkupSolidColorBrush(0x80, kRed));
    CRef<CZPMarkupLinearGradientBrush> pGradient(MakeGradient({ { 0xFF0000FF, 0 }, { 0xFFFF0000, 1 } }));
    const CZPMarkupThickness border(1, 2, 3, 4);
    const double radii[8] = { 4, 4, 4, 4, 4, 4, 4, 4 };
    auto Draw = [&]() {
        CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
        dc.SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
        dc.OffsetOrigin({ 2, 2 });
        HRGN hSaved = dc.SaveClipRegion();
        dc.IntersectClipRect({ 0, 0, 50, 25 });
        dc.FillRectangle({ 0, 0, 50, 25 }, pGradient);
        dc.FillRectangle({ 0, 0, 50, 25 }, pHalf, radii);
        dc.DrawRectangle({ 0, 0, 50, 25 }, pGradient, &border);
        dc.DrawEllipse({ 0, 0, 20, 20 }, 3, pHalf, pGradient);
        dc.SetTextColor(pHalf);
        dc.DrawTextLine(L"Leak", 4, { 0, 0, 50, 25 });
        dc.RestoreClipRegion(hSaved);
    };
    for (bool bGdiPlus : { false, true }) {
        if (bGdiPlus)
            ZpMarkupRegisterGdiPlus(TRUE);
        Draw();  // first-use allocations
        const int nBefore = CountCreatableRegions();
        for (int i = 0; i < 1000; i++)
            Draw();
        EXPECT_EQ(nBefore, CountCreatableRegions()) << bGdiPlus;
        if (bGdiPlus)
            ZpMarkupRegisterGdiPlus(FALSE);
    }
}

TEST_F(MarkupDrawingContext, TextKeepsTheAttributeDcPositions)
{
    CDibSection output(200, 30, RGB(255, 255, 255));
    CDibSection measure(1, 1);
    HFONT hWide = ::CreateFontW(-20, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    HFONT hNarrow = ::CreateFontW(-10, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    HGDIOBJ hOld = ::SelectObject(output.GetDC(), hNarrow);
    {
        CZPMarkupDrawingContext dc(output.GetDC(), measure.GetDC());
        dc.SetFont(hWide);
        const SIZE size = dc.GetTextExtent(L"W W", 3);
        // Output draws with the wide font too, but spans what the attribute DC measured.
        dc.DrawTextLine(L"W W", 3, { 0, 0, 200, 30 });
        int nRight = -1;
        for (int x = 0; x < 200; x++) {
            for (int y = 0; y < 30; y++) {
                if (output.GetPixel(x, y) != RGB(255, 255, 255))
                    nRight = x;
            }
        }
        EXPECT_GT(nRight, size.cx / 2);
        EXPECT_LE(nRight, size.cx + 2);
    }
    ::SelectObject(output.GetDC(), hOld);
    ::DeleteObject(hWide);
    ::DeleteObject(hNarrow);
}
}  // namespace

namespace {
TEST_F(MarkupDrawingContext, PathGeometriesFillWithEitherBackEnd)
{
    const MARKUP_POINTF points[] = { { 2, 2 }, { 12, 2 }, { 12, 12 }, { 2, 12 } };
    const BYTE types[] = { kZpMarkupPathStart, kZpMarkupPathLine, kZpMarkupPathLine,
                           kZpMarkupPathLine | kZpMarkupPathCloseFigure };
    CRef<CZPMarkupPathGeometry> pGeometry(new CZPMarkupPathGeometry(points, types, 4));
    CRef<CZPMarkupSolidColorBrush> pRed(new CZPMarkupSolidColorBrush(kRed));
    for (bool bGdiPlus : { false, true }) {
        if (bGdiPlus)
            ZpMarkupRegisterGdiPlus(TRUE);
        CDibSection dib(20, 20, RGB(255, 255, 255));
        {
            CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
            dc.DrawPath(pGeometry, 0, NULL, pRed);
            dc.DrawPath(static_cast<CZPMarkupPathGeometry*>(NULL), 1, pRed, pRed);
        }
        EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(7, 7), 1)) << bGdiPlus;
        EXPECT_TRUE(ColorNear(RGB(255, 255, 255), dib.GetPixel(15, 15))) << bGdiPlus;
        if (bGdiPlus)
            ZpMarkupRegisterGdiPlus(FALSE);
    }
}
}  // namespace

namespace {
TEST_F(MarkupDrawingContext, CurrentFontIsHeldUntilReplaced)
{
    CZPMarkupContext* pContext = new CZPMarkupContext;
    LOGFONTW lf = {};
    lf.lfHeight = -13;
    wcscpy(lf.lfFaceName, L"Tahoma");
    CZPMarkupFont* pFont = pContext->GetFont(lf);
    ASSERT_TRUE(pFont != NULL);
    CDibSection dib(10, 10);
    HGDIOBJ hOriginal = ::GetCurrentObject(dib.GetDC(), OBJ_FONT);
    {
        CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
        const long nRefs = pFont->GetRefCount();
        dc.SetFont(pFont);
        dc.SetFont(pFont);
        EXPECT_EQ(nRefs + 1, pFont->GetRefCount());
        EXPECT_EQ(pFont->GetFont(), ::GetCurrentObject(dib.GetDC(), OBJ_FONT));
        dc.SetFont(static_cast<CZPMarkupFont*>(NULL));
        EXPECT_EQ(nRefs, pFont->GetRefCount());
        dc.SetFont(pFont);
    }
    EXPECT_EQ(hOriginal, ::GetCurrentObject(dib.GetDC(), OBJ_FONT));
    pFont->Release();
    pContext->Release();
}
}  // namespace
