// Skin pictures drawn into DIB sections and read back: nine-grids, tiling, the flat-area
// analysis, alpha, transparency, and margins and sizes that would otherwise go wrong.
#include "skinframework/ZPSkinImage.h"
#include "skinframework/ZPSkinManager.h"
#include "skinframework/ZPSkinManagerResourceFile.h"

#include "DibSection.h"
#include "skin_test_support.h"

#include <framework/refptr.h>

#include <gtest/gtest.h>

namespace {

const DWORD R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF, W = 0xFFFFFFFF, K = 0xFF000000, M = 0xFFFF00FF;
const COLORREF kNone = static_cast<COLORREF>(-1);
const COLORREF kBackground = RGB(9, 9, 9);

// One image of those pixels, drawn whole into a fresh surface of the background colour.
class SkinImageTest : public ::testing::Test
{
protected:
    void Load(int cx, int cy, const std::vector<DWORD>& pixels, BOOL bAlpha = FALSE)
    {
        m_image.SetBitmap(MakeBitmap32(cx, cy, pixels), bAlpha);
    }
    // Row by row, as COLORREFs.
    std::vector<COLORREF> Row(const CDibSection& dib, int y)
    {
        std::vector<COLORREF> row;
        for (int x = 0; x < dib.Width(); ++x)
            row.push_back(dib.GetPixel(x, y));
        return row;
    }

    CZPSkinImage m_image;
};

TEST_F(SkinImageTest, ZeroMarginsStretchTheWholeFrame)
{
    Load(2, 2, { R, G, B, W });
    CDibSection dib(4, 4, kBackground);
    CDC dc(dib.GetDC());
    m_image.DrawImage(&dc, CRect(0, 0, 4, 4), CRect(0, 0, 2, 2), CRect(0, 0, 0, 0), kNone, 1, FALSE);
    EXPECT_EQ(RGB(255, 0, 0), dib.GetPixel(0, 0));
    EXPECT_EQ(RGB(0, 255, 0), dib.GetPixel(3, 1));
    EXPECT_EQ(RGB(0, 0, 255), dib.GetPixel(1, 2));
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(3, 3));
}

TEST_F(SkinImageTest, NineGridKeepsCornersAndStretchesEdges)
{
    // Corners red, green, blue, white; edges black; centre magenta.
    Load(3, 3, { R, K, G, K, M, K, B, K, W });
    CDibSection dib(7, 6, kBackground);
    CDC dc(dib.GetDC());
    m_image.DrawImage(&dc, CRect(0, 0, 7, 6), CRect(0, 0, 3, 3), CRect(1, 1, 1, 1), kNone, 1, FALSE);
    const COLORREF r = RGB(255, 0, 0), g = RGB(0, 255, 0), b = RGB(0, 0, 255), w = RGB(255, 255, 255);
    const COLORREF k = RGB(0, 0, 0), m = RGB(255, 0, 255);
    EXPECT_EQ((std::vector<COLORREF>{ r, k, k, k, k, k, g }), Row(dib, 0));
    EXPECT_EQ((std::vector<COLORREF>{ k, m, m, m, m, m, k }), Row(dib, 2));
    EXPECT_EQ((std::vector<COLORREF>{ b, k, k, k, k, k, w }), Row(dib, 5));
    // Border only leaves the centre alone.
    CDibSection border(7, 6, kBackground);
    CDC dcBorder(border.GetDC());
    m_image.DrawImage(&dcBorder, CRect(0, 0, 7, 6), CRect(0, 0, 3, 3), CRect(1, 1, 1, 1), kNone, 1, TRUE);
    EXPECT_EQ((std::vector<COLORREF>{ k, kBackground, kBackground, kBackground, kBackground, kBackground, k }),
              Row(border, 2));
}

TEST_F(SkinImageTest, ShortDestinationsShrinkTheMarginsWithTheParityRule)
{
    // Rows: three of red (top margin), one magenta, two of blue (bottom margin); 1 pixel wide.
    Load(1, 6, { R, R, R, M, B, B });
    struct Case
    {
        int cy;
        std::vector<COLORREF> column;
    };
    const COLORREF r = RGB(255, 0, 0), b = RGB(0, 0, 255);
    const Case cases[] = {
        // T = MulDiv(4, 3, 5) = 2, B = 2: same parity as 2.
        { 4, { r, r, b, b } },
        // T = MulDiv(3, 3, 5) = 2, B = 1 grows to 2 (the margin is even): bottom overlaps the top.
        { 3, { r, b, b } },
        // T = MulDiv(2, 3, 5) = 1, B = 1 grows to 2.
        { 2, { b, b } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cy);
        CDibSection dib(1, c.cy, kBackground);
        CDC dc(dib.GetDC());
        m_image.DrawImage(&dc, CRect(0, 0, 1, c.cy), CRect(0, 0, 1, 6), CRect(0, 3, 0, 2), kNone, 1, FALSE);
        std::vector<COLORREF> column;
        for (int y = 0; y < c.cy; ++y)
            column.push_back(dib.GetPixel(0, y));
        EXPECT_EQ(c.column, column);
    }
}

TEST_F(SkinImageTest, TilingRepeatsAndStretchingDoesNot)
{
    Load(2, 1, { R, B });
    const COLORREF r = RGB(255, 0, 0), b = RGB(0, 0, 255);
    CDibSection tiled(5, 2, kBackground);
    CDC dcTiled(tiled.GetDC());
    m_image.DrawImage(&dcTiled, CRect(0, 0, 5, 2), CRect(0, 0, 2, 1), CRect(0, 0, 0, 0), kNone, 2, FALSE);
    EXPECT_EQ((std::vector<COLORREF>{ r, b, r, b, r }), Row(tiled, 0));
    EXPECT_EQ((std::vector<COLORREF>{ r, b, r, b, r }), Row(tiled, 1));
    CDibSection stretched(4, 1, kBackground);
    CDC dcStretched(stretched.GetDC());
    m_image.DrawImage(&dcStretched, CRect(0, 0, 4, 1), CRect(0, 0, 2, 1), CRect(0, 0, 0, 0), kNone, 1, FALSE);
    EXPECT_EQ((std::vector<COLORREF>{ r, r, b, b }), Row(stretched, 0));
}

TEST_F(SkinImageTest, TilingAHugeDestinationDrawsOnlyWhatIsVisible)
{
    Load(2, 2, { R, B, B, R });
    CDibSection dib(6, 6, kBackground);
    CDC dc(dib.GetDC());
    // 2.25 x 10^8 cells if every one were visited.
    m_image.DrawImage(&dc, CRect(0, 0, 30000, 30000), CRect(0, 0, 2, 2), CRect(0, 0, 0, 0), kNone, 2, FALSE);
    EXPECT_EQ(RGB(255, 0, 0), dib.GetPixel(4, 4));
    EXPECT_EQ(RGB(0, 0, 255), dib.GetPixel(5, 4));
}

TEST_F(SkinImageTest, SolidAreasPerFrame)
{
    // Frame 0: all red. Frame 1: black border with a white centre (margins 1). Frame 2: mixed,
    // so that only its one-pixel areas are solid.
    std::vector<DWORD> pixels = { R, R, R, R, R, R, R, R, R, K, K, K, K, W, K, K, K, K, R, G, B, B, G, R, R, R, R };
    Load(3, 9, pixels);
    m_image.CreateSolidRects(3, FALSE, CRect(1, 1, 1, 1));
    const auto& rects = m_image.GetSolidRects();
    struct Expected
    {
        RECT rc;
        COLORREF clr;
    };
    const Expected
        expected[] = {
            { { 0, 0, 3, 3 }, RGB(255, 0, 0) },  // frame 0, whole
            { { 0, 4, 1, 5 }, RGB(0, 0, 0) },    // frame 1: left, top, right, bottom edges, centre
            { { 1, 3, 2, 4 }, RGB(0, 0, 0) },   { { 2, 4, 3, 5 }, RGB(0, 0, 0) },
            { { 1, 5, 2, 6 }, RGB(0, 0, 0) },   { { 1, 4, 2, 5 }, RGB(255, 255, 255) },
            { { 0, 7, 1, 8 }, RGB(0, 0, 255) },  // frame 2: one-pixel areas are each one colour
            { { 1, 6, 2, 7 }, RGB(0, 255, 0) }, { { 2, 7, 3, 8 }, RGB(255, 0, 0) },
            { { 1, 8, 2, 9 }, RGB(255, 0, 0) }, { { 1, 7, 2, 8 }, RGB(0, 255, 0) },
        };
    ASSERT_EQ(sizeof(expected) / sizeof(expected[0]), rects.size());
    for (size_t i = 0; i < rects.size(); ++i) {
        EXPECT_EQ(CRect(expected[i].rc), CRect(rects[i].rc)) << i;
        EXPECT_EQ(expected[i].clr, rects[i].clr) << i;
    }
}

TEST_F(SkinImageTest, SolidAreaAnalysisBounds)
{
    Load(2, 3, { R, R, G, G, B, B });
    // A count far beyond the height is clamped to one frame per row.
    m_image.CreateSolidRects(1000000000, FALSE, CRect(0, 0, 0, 0));
    EXPECT_EQ(3u, m_image.GetSolidRects().size());

    Load(2, 3, { R, R, G, G, B, B });
    m_image.CreateSolidRects(2, TRUE, CRect(0, 0, 0, 0));  // horizontal frames: nothing recorded
    EXPECT_TRUE(m_image.GetSolidRects().empty());
    for (int nCount : { 0, -1 }) {
        Load(2, 3, { R, R, G, G, B, B });
        m_image.CreateSolidRects(nCount, FALSE, CRect(0, 0, 0, 0));
        EXPECT_TRUE(m_image.GetSolidRects().empty());
    }
    Load(2, 3, { R, R, G, G, B, B });
    m_image.CreateSolidRects(1, FALSE, CRect(-5, 9, 100, -3));  // margins that cut outside
    EXPECT_TRUE(m_image.GetSolidRects().empty());
}

TEST_F(SkinImageTest, SolidAlphaAreasDrawByTheirAlpha)
{
    // Premultiplied frames: transparent black, opaque red, half-transparent white.
    Load(1, 3, { 0x00000000, R, 0x80808080 }, TRUE);
    m_image.CreateSolidRects(3, FALSE, CRect(0, 0, 0, 0));
    ASSERT_EQ(3u, m_image.GetSolidRects().size());
    struct Case
    {
        int nFrame;
        COLORREF clr;
    };
    const Case cases[] = { { 0, kBackground }, { 1, RGB(255, 0, 0) }, { 2, RGB(132, 132, 132) } };
    for (const Case& c : cases) {
        CDibSection dib(2, 2, kBackground);
        CDC dc(dib.GetDC());
        m_image.DrawImage(&dc, CRect(0, 0, 2, 2), CRect(0, c.nFrame, 1, c.nFrame + 1), CRect(0, 0, 0, 0), kNone, 1,
                          FALSE);
        COLORREF clr = dib.GetPixel(1, 1);
        EXPECT_NEAR(GetRValue(c.clr), GetRValue(clr), 2) << c.nFrame;
        EXPECT_NEAR(GetBValue(c.clr), GetBValue(clr), 2) << c.nFrame;
    }
}

TEST_F(SkinImageTest, TransparentColourIsLeftOut)
{
    Load(3, 1, { R, M, B });
    CDibSection dib(3, 1, kBackground);
    CDC dc(dib.GetDC());
    m_image.DrawImage(&dc, CRect(0, 0, 3, 1), CRect(0, 0, 3, 1), CRect(0, 0, 0, 0), RGB(255, 0, 255), 1, FALSE);
    EXPECT_EQ((std::vector<COLORREF>{ RGB(255, 0, 0), kBackground, RGB(0, 0, 255) }), Row(dib, 0));
    // A solid frame of the transparent colour fills nothing.
    Load(1, 1, { M });
    m_image.CreateSolidRects(1, FALSE, CRect(0, 0, 0, 0));
    CDibSection solid(2, 1, kBackground);
    CDC dcSolid(solid.GetDC());
    m_image.DrawImage(&dcSolid, CRect(0, 0, 2, 1), CRect(0, 0, 1, 1), CRect(0, 0, 0, 0), RGB(255, 0, 255), 1, FALSE);
    EXPECT_EQ(kBackground, solid.GetPixel(0, 0));
}

TEST_F(SkinImageTest, ADestinationTooLargeToComposeDrawsNothing)
{
    Load(3, 1, { R, M, B });
    CDibSection dib(4, 4, kBackground);
    CDC dc(dib.GetDC());
    m_image.DrawImage(&dc, CRect(0, 0, 30000, 30000), CRect(0, 0, 3, 1), CRect(0, 0, 0, 0), RGB(255, 0, 255), 1, FALSE);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(kBackground, dib.GetPixel(x, y));
}

TEST_F(SkinImageTest, MarginsThatDoNotFitNeverDrawOutsideTheDestination)
{
    Load(3, 3, { R, K, G, K, M, K, B, K, W });
    const CRect cases[] = { CRect(-5, -5, -5, -5), CRect(100, 0, 0, 0), CRect(2, 1, 2, 1), CRect(0, 0, 100, 0),
                            CRect(-100, 1, 100, 1) };
    for (const CRect& rcMargins : cases) {
        CDibSection dib(12, 12, kBackground);
        CDC dc(dib.GetDC());
        m_image.DrawImagePart(&dc, CRect(4, 4, 8, 8), CRect(0, 0, 3, 3), rcMargins, 1, FALSE);
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 12; ++x) {
                const BOOL bOutside = x < 4 || x >= 8 || y < 4 || y >= 8;
                ASSERT_TRUE(!bOutside || dib.GetPixel(x, y) == kBackground) << x << "," << y;
            }
        }
    }
    // Taller margins than the source draw nothing at all.
    CDibSection dib(4, 4, kBackground);
    CDC dc(dib.GetDC());
    m_image.DrawImage(&dc, CRect(0, 0, 4, 4), CRect(0, 0, 3, 3), CRect(0, 2, 0, 2), kNone, 1, FALSE);
    EXPECT_EQ(kBackground, dib.GetPixel(1, 1));
}

TEST_F(SkinImageTest, MirroredDrawingFlipsAlphaImagesBackAndForth)
{
    // Opaque red, opaque blue, transparent: a meaningful alpha channel.
    Load(3, 1, { R, B, 0x00000000 }, TRUE);
    const COLORREF r = RGB(255, 0, 0), b = RGB(0, 0, 255);
    for (DWORD dwLayout : { DWORD(LAYOUT_RTL), DWORD(0) }) {
        CDibSection dib(3, 1, kBackground);
        CDC dc(dib.GetDC());
        ::SetLayout(dib.GetDC(), dwLayout);
        m_image.DrawImagePart(&dc, CRect(0, 0, 3, 1), CRect(0, 0, 3, 1), CRect(0, 0, 0, 0), 1, FALSE);
        ::SetLayout(dib.GetDC(), 0);
        // Either way the picture reads left to right as it is stored.
        EXPECT_EQ((std::vector<COLORREF>{ r, b, kBackground }), Row(dib, 0)) << dwLayout;
    }
}

TEST(SkinImageLoading, AnAlphaChannelThatIsAllZeroDrawsOpaque)
{
    HMODULE hModule = ::LoadLibraryExW(FixturesPath(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, hModule);
    for (BOOL bConvert : { TRUE, FALSE }) {
        CZPSkinImage image;
        image.SetAlphaConversion(bConvert);
        ASSERT_TRUE(image.LoadFromResource(hModule, L"ZEROALPHA_BMP"));
        EXPECT_FALSE(image.IsAlphaImage());
        CDibSection dib(2, 1, kBackground);
        CDC dc(dib.GetDC());
        image.DrawImage(&dc, CRect(0, 0, 2, 1), CRect(0, 0, 2, 1), CRect(0, 0, 0, 0), kNone, 1, FALSE);
        EXPECT_EQ(RGB(255, 0, 0), dib.GetPixel(0, 0));
        EXPECT_EQ(RGB(0, 0, 255), dib.GetPixel(1, 0));
    }
    CZPSkinImage image;
    ASSERT_TRUE(image.LoadFromResource(hModule, L"V5ALPHA_BMP"));
    EXPECT_TRUE(image.IsAlphaImage());
    EXPECT_FALSE(image.LoadFromResource(hModule, L"HUGE_BMP"));
    ::FreeLibrary(hModule);
}

TEST(SkinImageCache, LoadsOnceAndRetriesFailures)
{
    CZPSkinManager manager;
    CRefPtr<CZPSkinManagerResourceFile> file =
        CRefPtr<CZPSkinManagerResourceFile>::Adopt(new CZPSkinManagerResourceFile(&manager));
    ASSERT_TRUE(file->OpenFile(SampleSkinPath(L"Slate.zpstyles"), NULL));
    CZPSkinImageCache cache;
    CZPSkinImage* pImage = cache.GetImage(file.Get(), L"BLUE\\BUTTON.BMP");
    ASSERT_NE(nullptr, pImage);
    EXPECT_EQ(pImage, cache.GetImage(file.Get(), L"BLUE\\BUTTON.BMP"));
    EXPECT_NE(pImage, cache.GetImage(file.Get(), L"Blue\\Button.bmp"));  // names are exact
    EXPECT_EQ(CSize(32, 48), cache.GetImageSize(file.Get(), L"BLUE\\CAPTION.BMP"));
    EXPECT_EQ(CSize(0, 0), cache.GetImageSize(file.Get(), L"BLUE\\MISSING.BMP"));
    EXPECT_EQ(nullptr, cache.GetImage(NULL, L"BLUE\\BUTTON.BMP"));
    EXPECT_EQ(nullptr, cache.GetImage(file.Get(), NULL));
}

}  // namespace
