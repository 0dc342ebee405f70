// The thumb-drag limit rectangle of a scroll bar.
#include "common/ZPScrollBarGeometry.h"

#include <gtest/gtest.h>

TEST(ScrollBarGeometry, TrackLimitRectangleForBothOrientations)
{
    const int nVThumb = ::GetSystemMetrics(SM_CYVTHUMB);
    const int nHThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    ASSERT_GT(nVThumb, 0);
    ASSERT_GT(nHThumb, 0);
    struct Case
    {
        BOOL bVertical;
        int nAlongStart, nAlongEnd, nAcrossStart, nAcrossEnd;
        RECT rcExpected;
    };
    const Case cases[] = {
        // A 17-wide vertical bar at x 100..117, y 10..210: across = left/right.
        {TRUE, 10, 210, 100, 117, {100 - 8 * 17, 10 - 2 * nVThumb, 117 + 8 * 17, 210 + 2 * nVThumb}},
        // A 15-high horizontal bar at x 5..305, y 50..65: across = top/bottom.
        {FALSE, 5, 305, 50, 65, {5 - 2 * nHThumb, 50 - 8 * 15, 305 + 2 * nHThumb, 65 + 8 * 15}},
        // Negative coordinates and an empty bar stay exact.
        {TRUE, -40, -20, -30, -30, {-30, -40 - 2 * nVThumb, -30, -20 + 2 * nVThumb}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "vertical " << c.bVertical << " along " << c.nAlongStart);
        ZP_SCROLLBAR_GEOMETRY geo = {};
        geo.bVertical = c.bVertical;
        geo.nAlongStart = c.nAlongStart;
        geo.nAlongEnd = c.nAlongEnd;
        geo.nAcrossStart = c.nAcrossStart;
        geo.nAcrossEnd = c.nAcrossEnd;
        ZP_SCROLLBAR_TRACKSTATE state = {};
        state.pGeometry = &geo;
        ZpGetScrollTrackLimitRect(&state);
        EXPECT_EQ(c.rcExpected.left, state.rcPressed.left);
        EXPECT_EQ(c.rcExpected.top, state.rcPressed.top);
        EXPECT_EQ(c.rcExpected.right, state.rcPressed.right);
        EXPECT_EQ(c.rcExpected.bottom, state.rcPressed.bottom);
    }
}

TEST(ScrollBarGeometry, FieldOrderIsTheSharedLayout)
{
    EXPECT_EQ(4 * sizeof(int), offsetof(ZP_SCROLLBAR_GEOMETRY, nAlongStart));
    EXPECT_EQ(13 * sizeof(int), offsetof(ZP_SCROLLBAR_GEOMETRY, nThumbStart));
    EXPECT_EQ(17 * sizeof(int), offsetof(ZP_SCROLLBAR_GEOMETRY, rcBar));
    EXPECT_EQ(22 * sizeof(int), offsetof(ZP_SCROLLBAR_GEOMETRY, bVertical));
    EXPECT_EQ(sizeof(BOOL), offsetof(ZP_SCROLLBAR_TRACKSTATE, rcPressed));
}
