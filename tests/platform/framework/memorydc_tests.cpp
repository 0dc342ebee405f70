// The memory DC: selections are undone after use and when the holder goes.
#include <framework/memorydc.h>

#include <gtest/gtest.h>

namespace {

// A bitmap can be selected into one DC at a time: selecting it elsewhere tells whether it is free.
BOOL IsFree(HBITMAP hBitmap)
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    BOOL bFree = hOld != NULL;
    if (bFree)
        ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return bFree;
}

TEST(MemoryDC, PutsItsOwnBitmapBackOnRestoreAndWhenItGoes)
{
    HBITMAP hFirst = ::CreateBitmap(4, 4, 1, 1, NULL);
    HBITMAP hSecond = ::CreateBitmap(4, 4, 1, 1, NULL);
    {
        CMemoryDC dc(NULL, hFirst);
        ASSERT_NE(nullptr, dc.GetSafeHdc());
        EXPECT_FALSE(IsFree(hFirst));
        EXPECT_EQ(dc.GetSafeHdc(), dc.Select(hSecond));  // swapping keeps the DC's own bitmap noted
        EXPECT_TRUE(IsFree(hFirst));
        dc.Restore();
        EXPECT_TRUE(IsFree(hSecond));
        dc.Select(hFirst);
    }
    EXPECT_TRUE(IsFree(hFirst));
    ::DeleteObject(hFirst);
    ::DeleteObject(hSecond);
}

}  // namespace
