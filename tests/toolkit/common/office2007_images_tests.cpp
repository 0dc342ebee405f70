// Office 2007 image store: INI rules, image lookup by name and nine-grid drawing.
#include "common/ZPOffice2007Images.h"

#include "DibSection.h"
#include "image_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

// A store bound to a module with no "TEXTFILE" resource, as the program's own module is.
HMODULE ModuleWithoutTheme()
{
    return ::GetModuleHandleW(L"user32.dll");
}

TEST(Office2007Images, WithoutIniTextEveryAnswerMeansDefault)
{
    CZPOffice2007Images store;
    EXPECT_FALSE(store.SetThemeModule(ModuleWithoutTheme(), NULL, FALSE));
    EXPECT_FALSE(store.IsLoaded());
    EXPECT_EQ(static_cast<COLORREF>(-1), store.GetColor(L"Tooltip", L"Background"));
    EXPECT_TRUE(store.GetString(L"Tooltip", L"Text").IsEmpty());
    for (LPCWSTR lpszName : { L"TOOLTIPFRAME", L"Tooltip.Frame", L"" })
    {
        EXPECT_EQ(nullptr, store.GetImage(lpszName)) << lpszName;
        EXPECT_EQ(nullptr, store.GetImage(lpszName)) << "asked again: " << lpszName;
    }
    EXPECT_EQ(nullptr, store.GetImage(NULL));
}

struct IniCase
{
    std::string text;
    LPCWSTR section;
    LPCWSTR key;
    LPCWSTR expected;
};

TEST(Office2007Images, IniRules)
{
    const IniCase cases[] = {
        { "[Colors]\r\nRed = 255 0 0\r\n", L"colors", L"red", L"255 0 0" },
        { "[a]\r\nkey = Mixed Case\r\n", L"A", L"KEY", L"MIXED CASE" },
        { "  \t[A]\r\n   K \t=  V W  \r\n", L"A", L"K", L"V W" },
        { "[A]\nK=V\n", L"A", L"K", L"" },                       // LF alone ends no line
        { "[A]\r\nK=V", L"A", L"K", L"" },                       // the last line needs its CR
        { "[A]\rK=V\r", L"A", L"K", L"V" },                      // CR alone is enough
        { "[A] \r\nK=V\r\n", L"A", L"K", L"" },                  // ']' must end the header
        { "[A]\r\n;K=X\r\nK=V ; note\r\n", L"A", L"K", L"V" },
        { "[A]\r\n=X\r\nK\r\nK=1\r\nK=2\r\n", L"A", L"K", L"1" },
        { "[A]\r\n[B]\r\nK=V\r\n", L"A", L"K", L"" },            // the section ends at the next header
        { "[A]\r\nX=1\r\n[A]\r\nK=2\r\n", L"A", L"K", L"" },     // only the first section is searched
        { "[B]\r\nK=1\r\n[A]\r\nK=2\r\n", L"A", L"K", L"2" },
        { std::string("[A]\r\nK=V\0junk\r\n", 16), L"A", L"K", L"V" },
        { std::string("[A]\r\nK\0=V\r\n", 12), L"A", L"K", L"" },
        { std::string("\0\0\0", 3), L"A", L"K", L"" },
        { "", L"A", L"K", L"" },
    };
    for (const IniCase& c : cases)
    {
        const BYTE* p = reinterpret_cast<const BYTE*>(c.text.data());
        CString strValue = CZPOffice2007Images::ReadIniValue(p, p + c.text.size(), c.section, c.key);
        EXPECT_STREQ(c.expected, strValue) << c.text;
    }
}

TEST(Office2007Images, MegabyteLineIsReadWhole)
{
    std::string text = "[A]\r\nK=" + std::string(1 << 20, 'x') + "\r\nL=1\r\n";
    const BYTE* p = reinterpret_cast<const BYTE*>(text.data());
    EXPECT_EQ(1 << 20, CZPOffice2007Images::ReadIniValue(p, p + text.size(), L"A", L"K").GetLength());
    EXPECT_STREQ(L"1", CZPOffice2007Images::ReadIniValue(p, p + text.size(), L"A", L"L"));
}

TEST(Office2007Images, ColoursFromTheBoundModule)
{
    CZPOffice2007Images store;
    ASSERT_TRUE(store.SetThemeModule(::GetModuleHandleW(NULL), L"TestTheme.ini", FALSE));
    const struct
    {
        LPCWSTR key;
        COLORREF expected;
    } cases[] = {
        { L"Red", 0x0000FF },
        { L"Empty", static_cast<COLORREF>(-1) },
        { L"Missing", static_cast<COLORREF>(-1) },
        { L"Hex", RGB(0x10, 0x20, 020) },
        { L"Partial", RGB(5, 0, 0) },
        { L"Wide", RGB(0, 1, 0xFF) },
        { L"Last", static_cast<COLORREF>(-1) },   // no CR after the text's last line
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, store.GetColor(L"Colors", c.key)) << c.key;
}

TEST(Office2007Images, ImagesAreFoundThroughTheIniAndCachedByName)
{
    CZPOffice2007Images store;
    ASSERT_TRUE(store.SetThemeModule(::GetModuleHandleW(NULL), NULL, FALSE)) << "first TEXTFILE resource";
    CZPOffice2007Image* pImage = store.GetImage(L"TOOLTIPFRAME");
    ASSERT_NE(nullptr, pImage);
    EXPECT_EQ(CSize(48, 16), pImage->GetExtent());
    EXPECT_EQ(pImage, store.GetImage(L"TOOLTIPFRAME"));
    EXPECT_NE(nullptr, store.GetImage(L"sub\\frame.png"));   // SUB_FRAME_PNG
    EXPECT_EQ(nullptr, store.GetImage(L"NoSuchImage"));

    // Rebinding empties the store.
    EXPECT_FALSE(store.SetThemeModule(ModuleWithoutTheme(), NULL, FALSE));
    EXPECT_EQ(nullptr, store.GetImage(L"TOOLTIPFRAME"));
}

TEST(Office2007Images, MarginScaling)
{
    const struct
    {
        int nDest, nSrc, nFirst, nLast;
        BOOL bParity;
        int nExpectedFirst, nExpectedLast;
    } cases[] = {
        { 10, 20, 4, 4, TRUE, 4, 4 },   // room enough: kept
        { 6, 20, 4, 4, TRUE, 3, 4 },    // 3 is odd, the bottom margin 4 even
        { 7, 20, 4, 4, TRUE, 4, 4 },   // 3.5 rounds to 4; 3 is odd
        { 8, 8, 4, 4, TRUE, 4, 4 },     // source no larger than its margins
        { 20, 8, 4, 4, TRUE, 10, 10 },
        { 6, 20, 4, 2, FALSE, 4, 2 },
        { 5, 20, 4, 4, FALSE, 2, 3 },   // no parity rule across
        { 5, 0, 0, 0, FALSE, 0, 0 },    // a zero-width source without margins
        { 5, 0, 0, 0, TRUE, 0, 0 },
    };
    for (const auto& c : cases)
    {
        int nFirst = -1, nLast = -1;
        CZPOffice2007Image::ScaleMargins(c.nDest, c.nSrc, c.nFirst, c.nLast, c.bParity, &nFirst, &nLast);
        EXPECT_EQ(c.nExpectedFirst, nFirst) << c.nDest << " " << c.nSrc;
        EXPECT_EQ(c.nExpectedLast, nLast) << c.nDest << " " << c.nSrc;
    }
}

// A 12 x 12 picture: 4-pixel corners red, green, blue and yellow around white.
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kGray = RGB(128, 128, 128);
const COLORREF kMagenta = RGB(255, 0, 255);

CZPOffice2007Image* MakeCornerImage(CZPOffice2007Images* pStore, BOOL bAlpha)
{
    CZPOffice2007Image* pImage = new CZPOffice2007Image(pStore);
    pImage->SetBitmap(MakeAlphaBitmap(12, 12, [](int x, int y) {
                          if (y < 4 && x < 4) return Bgra(255, 0, 0, 255);
                          if (y < 4 && x >= 8) return Bgra(0, 255, 0, 255);
                          if (y >= 8 && x < 4) return Bgra(0, 0, 255, 255);
                          if (y >= 8 && x >= 8) return Bgra(255, 255, 0, 255);
                          return Bgra(255, 255, 255, 255);
                      }),
                      bAlpha);
    return pImage;
}

TEST(Office2007Images, PartRectangles)
{
    CZPOffice2007Images store;
    CZPOffice2007Image image(&store);
    EXPECT_TRUE(image.GetPartRect(0, 1).IsRectEmpty());
    image.SetBitmap(MakeSolidAlphaBitmap(30, 100, Bgra(1, 2, 3, 255)), FALSE);
    EXPECT_EQ(CRect(0, 66, 30, 99), image.GetPartRect(2, 3));
}

TEST(Office2007Images, NineGridKeepsCornersAndStretchesTheRest)
{
    CZPOffice2007Images store;
    for (BOOL bAlpha : { FALSE, TRUE })
    {
        CZPOffice2007Image* pImage = MakeCornerImage(&store, bAlpha);
        CDibSection dib(30, 20, kGray);
        CDC* pDC = CDC::FromHandle(dib.GetDC());
        pImage->DrawSliced(pDC, CRect(0, 0, 30, 20), CRect(0, 0, 12, 12), CRect(4, 4, 4, 4));
        const struct
        {
            int x, y;
            COLORREF clr;
        } probes[] = {
            { 0, 0, RGB(255, 0, 0) }, { 3, 3, RGB(255, 0, 0) }, { 4, 4, kWhite },
            { 26, 0, RGB(0, 255, 0) }, { 25, 0, kWhite }, { 0, 16, RGB(0, 0, 255) }, { 0, 15, kWhite },
            { 29, 19, RGB(255, 255, 0) }, { 15, 10, kWhite }, { 15, 0, kWhite },
        };
        for (const auto& p : probes)
            EXPECT_EQ(p.clr, dib.GetPixel(p.x, p.y)) << "alpha " << bAlpha << " at " << p.x << "," << p.y;
        pImage->InternalRelease();
    }
}

TEST(Office2007Images, SourceOutsideTheImageIsClipped)
{
    CZPOffice2007Images store;
    CZPOffice2007Image* pImage = MakeCornerImage(&store, FALSE);
    CDibSection dib(12, 12, kGray);
    CDC* pDC = CDC::FromHandle(dib.GetDC());
    // A part index beyond the count lies wholly below the image: nothing to draw.
    pImage->DrawStretched(pDC, CRect(0, 0, 12, 12), pImage->GetPartRect(3, 2));
    EXPECT_EQ(kGray, dib.GetPixel(6, 6));
    pImage->DrawStretched(pDC, CRect(0, 0, 12, 12), CRect(0, 8, 12, 16));
    EXPECT_EQ(RGB(0, 0, 255), dib.GetPixel(0, 0));   // rows 8..11 stretched over the whole height
    EXPECT_EQ(RGB(255, 255, 0), dib.GetPixel(11, 11));
    pImage->InternalRelease();
}

TEST(Office2007Images, RefusedDraws)
{
    CZPOffice2007Images store;
    CDibSection dib(20, 20, kGray);
    CDC* pDC = CDC::FromHandle(dib.GetDC());

    CZPOffice2007Image big(&store);
    big.SetBitmap(MakeSolidAlphaBitmap(600, 10, Bgra(255, 0, 0, 255)), FALSE);
    big.DrawStretched(pDC, CRect(0, 0, 20, 20), CRect(0, 0, 600, 10));
    EXPECT_EQ(kGray, dib.GetPixel(5, 5)) << "wider than the work bitmap";

    CZPOffice2007Image* pImage = MakeCornerImage(&store, FALSE);
    pImage->DrawSliced(pDC, CRect(0, 0, 20, 20), CRect(0, 0, 12, 6), CRect(4, 4, 4, 4));
    EXPECT_EQ(kGray, dib.GetPixel(5, 5)) << "source shorter than its margins";
    pImage->DrawSliced(pDC, CRect(0, 0, 20, 0), CRect(0, 0, 12, 12), CRect(4, 4, 4, 4));
    pImage->DrawSliced(pDC, CRect(0, 0, 20, 20), CRect(0, 0, 0, 12), CRect(0, 0, 0, 0));
    EXPECT_EQ(kGray, dib.GetPixel(5, 5)) << "zero-width source";
    pImage->InternalRelease();
}

TEST(Office2007Images, MirroredStateFollowsTheDC)
{
    CZPOffice2007Images store;
    CZPOffice2007Image* pImage = MakeCornerImage(&store, TRUE);
    pImage->m_bMirrorInRTL = TRUE;
    CDibSection dib(12, 12, kGray);
    CDC* pDC = CDC::FromHandle(dib.GetDC());
    ::SetLayout(dib.GetDC(), LAYOUT_RTL);
    pImage->DrawStretched(pDC, CRect(0, 0, 12, 12), CRect(0, 0, 12, 12));
    EXPECT_TRUE(pImage->IsMirrored());
    ::SetLayout(dib.GetDC(), 0);
    pImage->DrawStretched(pDC, CRect(0, 0, 12, 12), CRect(0, 0, 12, 12));
    EXPECT_FALSE(pImage->IsMirrored());
    EXPECT_EQ(RGB(255, 0, 0), dib.GetPixel(0, 0));
    pImage->InternalRelease();
}

TEST(Office2007Images, KeyColourStaysTransparent)
{
    CZPOffice2007Images store;
    CZPOffice2007Image* pImage = new CZPOffice2007Image(&store);
    pImage->SetBitmap(MakeAlphaBitmap(12, 12, [](int x, int) {
                          return x < 6 ? Bgra(255, 0, 255, 255) : Bgra(0, 255, 0, 255);
                      }),
                      FALSE);
    for (DWORD dwFlags : { 0u, 1u })
    {
        CDibSection dib(24, 12, kGray);
        CDC* pDC = CDC::FromHandle(dib.GetDC());
        pImage->DrawSlicedToAlpha(pDC, CRect(0, 0, 24, 12), CRect(0, 0, 12, 12), CRect(0, 0, 0, 0), kMagenta,
                                  dwFlags);
        EXPECT_EQ(kGray, dib.GetPixel(3, 5)) << "flags " << dwFlags;
        EXPECT_EQ(RGB(0, 255, 0), dib.GetPixel(20, 5)) << "flags " << dwFlags;
    }
    pImage->InternalRelease();
}

} // namespace
