// The drawing context: the clip box follows the origin and the clip, guards before forwarding.
#include "markup_drawing_fixture.h"

#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupValues.h"

#include "../common/DibSection.h"

namespace
{
class MarkupDrawingContext : public CMarkupDrawingTest
{
};

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);

TEST_F(MarkupDrawingContext, ClipBoxFollowsOriginAndClip)
{
    CDibSection dib(100, 50, kWhite);
    CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
    EXPECT_EQ(TRANSPARENT, ::GetBkMode(dib.GetDC()));
    const RECT& rc = dc.GetClipBox();
    EXPECT_EQ(100, rc.right);
    dc.OffsetOrigin({30, 10});
    EXPECT_EQ(-30, rc.left);
    EXPECT_EQ(-10, rc.top);
    HRGN hSaved = dc.SaveClipRegion();
    dc.IntersectClipRect({0, 0, 5, 5});
    EXPECT_EQ(5, rc.right);
    // Drawing lands at the moved origin, inside the clip.
    dc.FillSolidRect({0, 0, 20, 20}, kRed);
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
    dc.DrawRectangle({0, 0, 20, 20}, NULL, &none);
    dc.DrawRectangle({0, 0, 20, 20}, pRed, NULL);
    dc.DrawRectangle({0, 0, 20, 20}, pRed, &none);
    for (int y = 0; y < 20; y++)
    {
        for (int x = 0; x < 20; x++)
            ASSERT_TRUE(ColorNear(kWhite, dib.GetPixel(x, y))) << x << "," << y;
    }
    dc.DrawFrame({0, 0, 20, 20}, pRed);
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
}
