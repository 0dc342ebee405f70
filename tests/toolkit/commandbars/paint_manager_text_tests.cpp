// The base paint manager's text rules: the two-line split of captions, control text measured and
// drawn (with embossed disabled text), and text on glass.
#include <gtest/gtest.h>

#include "paint_manager_pixels.h"
#include "paint_manager_test_theme.h"

#include <string>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kHighlight = RGB(0, 200, 0);
const COLORREF kText = RGB(0, 0, 200);

TEST(PaintManagerText, SplitCaptionNearestTheMiddleLeftFirst)
{
    const struct
    {
        const wchar_t* pszCaption;
        const wchar_t* pszLine1;
        const wchar_t* pszLine2;
    } cases[] = {
        // 16 characters, spaces at 6 and 12: distance 2 left of 8 comes before distance 4 right.
        { L"abcdef ghijk lmn", L"abcdef", L"ghijk lmn" },
        { L"abcd efgh", L"abcd", L"efgh" },  // c = 4: the space at c itself
        { L"abcde fgh", L"abcde", L"fgh" },  // c = 4: then c + 1
        { L"Insert Table", L"Insert", L"Table" },
        { L"abcdefghij", L"abcdefghij", L"" },    // no space
        { L"a b", L"a b", L"" },                  // three characters: c = 1
        { L" abcdefgh", L" abcdefgh", L"" },      // the only space is the first character
        { L"a bcdefghij", L"a bcdefghij", L"" },  // the space lies further than c - 2 from the middle
        { L"", L"", L"" },
        { L"&File &Edit", L"&File", L"&Edit" },
    };
    for (const auto& c : cases) {
        CString str1(L"x"), str2(L"y");
        CZPPaintManager::SplitCaption(c.pszCaption, str1, str2);
        EXPECT_STREQ(c.pszLine1, str1.GetString()) << c.pszCaption;
        EXPECT_STREQ(c.pszLine2, str2.GetString()) << c.pszCaption;
    }
    // A 100,000-character caption: a space at 1 is never tried; one near the end is, and one at
    // the middle wins over it.
    std::wstring strLong(100000, L'w');
    strLong[1] = L' ';
    CString str1, str2;
    CZPPaintManager::SplitCaption(strLong.c_str(), str1, str2);
    EXPECT_EQ(100000, str1.GetLength());
    EXPECT_TRUE(str2.IsEmpty());
    strLong[99990] = L' ';
    CZPPaintManager::SplitCaption(strLong.c_str(), str1, str2);
    EXPECT_EQ(99990, str1.GetLength());
    EXPECT_EQ(9, str2.GetLength());
    strLong[50000] = L' ';
    CZPPaintManager::SplitCaption(strLong.c_str(), str1, str2);
    EXPECT_EQ(50000, str1.GetLength());
}

TEST(PaintManagerText, ControlTextMeasuresTheExtentAndIgnoresTheFormat)
{
    CTestThemeRef pm;
    CFont font;
    const LOGFONTW lf = TestLogFont(-13);
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    CDibSection dib(200, 40, kWhite);
    CDibDC dc(dib);
    CFont* pOld = dc.SelectObject(&font);
    CSize szExtent = dc.GetTextExtent(L"Open", 4);
    CRect rc(5, 5, 6, 6);
    const int nHeight = pm->DrawControlText(&dc, L"&Open", rc, DT_RIGHT | DT_NOPREFIX, FALSE, 0, TRUE);
    EXPECT_EQ(szExtent.cy, nHeight);
    EXPECT_EQ(CRect(5, 5, 5 + szExtent.cx, 5 + szExtent.cy), rc);  // "&" is a mnemonic here
    EXPECT_EQ(40 * 200, CountPixels(dib, kWhite));                 // measuring draws nothing
    // Bad input: empty and ampersand-only captions measure without harm.
    for (const wchar_t* psz : { L"", L"&", L"&&" }) {
        CRect rcEmpty(0, 0, 0, 0);
        pm->DrawControlText(&dc, psz, rcEmpty, 0, FALSE, 0, TRUE);
        EXPECT_GE(rcEmpty.Height(), 0) << psz;
    }
    dc.SelectObject(pOld);
}

TEST(PaintManagerText, EmbossedDisabledTextShowsAHighlightCopyOffsetByOne)
{
    CTestThemeRef pm;
    pm->GetColorEntry(zpColorBtnHighlight).SetCustomValue(kHighlight);
    CFont font;
    const LOGFONTW lf = TestLogFont(-16);
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    const struct
    {
        BOOL bEmbossed;
        int nSelected;
        BOOL bEnabled;
        bool bCopy;
    } cases[] = {
        { TRUE, 0, FALSE, true },
        { TRUE, 1, FALSE, false },
        { TRUE, 0, TRUE, false },
        { FALSE, 0, FALSE, false },
    };
    for (const auto& c : cases) {
        pm->m_bEmbossedDisabledText = c.bEmbossed;
        CDibSection dib(120, 30, kWhite);
        CDibDC dc(dib);
        CFont* pOld = dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(kText);
        CRect rc(2, 0, 118, 28);
        pm->DrawControlText(&dc, L"IIII", rc, 0, TRUE, c.nSelected, c.bEnabled);
        dc.SelectObject(pOld);
        // The text colour is back after the copy: the main text is drawn in it.
        EXPECT_GT(CountPixels(dib, kText), 0);
        EXPECT_EQ(kText, dc.GetTextColor());
        EXPECT_EQ(c.bCopy, CountPixels(dib, kHighlight) > 0) << c.bEmbossed << c.nSelected << c.bEnabled;
        if (c.bCopy) {
            // Each highlight pixel sits one right and one down from a pixel of the text's copy
            // or is covered; find one stroke's right edge shifted by one.
            int nShifted = 0;
            for (int y = 1; y < dib.Height(); ++y)
                for (int x = 1; x < dib.Width(); ++x)
                    nShifted += dib.GetPixel(x, y) == kHighlight && dib.GetPixel(x - 1, y - 1) == kText;
            EXPECT_GT(nShifted, 0);
        }
    }
}

TEST(PaintManagerText, GlassTextDrawsEitherWay)
{
    CFont font;
    const LOGFONTW lf = TestLogFont(-16);
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    for (BOOL bGlass : { FALSE, TRUE }) {
        CDibSection dib(100, 24, kWhite);
        CDibDC dc(dib);
        CFont* pOld = dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(RGB(0, 0, 0));
        ZpDrawGlassText(&dc, L"Glass", CRect(0, 0, 100, 24), DT_SINGLELINE | DT_VCENTER, bGlass);
        dc.SelectObject(pOld);
        EXPECT_LT(CountPixels(dib, kWhite), 100 * 24) << bGlass;
        // Empty and inverted rectangles draw nothing.
        ZpDrawGlassText(&dc, L"Glass", CRect(50, 20, 10, 5), DT_SINGLELINE, bGlass);
    }
    ZpDrawGlassText(NULL, L"x", CRect(0, 0, 1, 1), 0, FALSE);
}

}  // namespace
