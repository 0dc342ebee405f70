// The base paint manager: the colour table, fonts and metrics, sizes, the process-wide instance
// and the blending primitives.
#include <gtest/gtest.h>

#include "DibSection.h"
#include "paint_manager_test_theme.h"

#include "common/ZPImageManager.h"

class CZPPaintManagerTestAccess
{
public:
    static void SetTextHeight(CZPPaintManager* p, int n) { p->m_nTextHeight = n; }
    static BOOL PreferredFaceRequested(CZPPaintManager* p) { return p->m_bUseOfficeFont; }
    static BOOL UsesSystemFont(CZPPaintManager* p) { return p->m_bUseStandardFont; }
};

namespace {

LOGFONTW FontOf(CFont* pFont)
{
    LOGFONTW lf = {};
    pFont->GetLogFont(&lf);
    return lf;
}

TEST(PaintManager, ColorIndicesAndLiterals)
{
    CTestThemeRef pm;
    pm->GetColorEntry(62).SetStandardValue(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), pm->GetColor(62));
    pm->GetColorEntry(62).SetCustomValue(RGB(9, 9, 9));
    EXPECT_EQ(RGB(9, 9, 9), pm->GetColor(62));
    pm->GetColorEntry(62).SetCustomValue(ZP_COLOR_UNSET);
    EXPECT_EQ(RGB(1, 2, 3), pm->GetColor(62));

    // Anything outside 0-62 is a colour of its own, -1 included.
    EXPECT_EQ(63u, pm->GetColor(63));
    EXPECT_EQ(RGB(0, 0, 255), pm->GetColor(static_cast<int>(RGB(0, 0, 255))));
    EXPECT_EQ(0xFFFFFFFFu, pm->GetColor(-1));

    // After a refresh the standard values follow the system colours.
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), pm->GetColor(zpColorBtnFace));
    EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), pm->m_clrText);
    EXPECT_EQ(RGB(0, 0, 0), pm->GetColor(zpColorBlack));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), static_cast<COLORREF>(pm->m_clrFloatingCaption));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), static_cast<COLORREF>(pm->m_clrFloatingCaptionText));
}

TEST(PaintManager, SetColorsSkipsIndicesOutsideTheTable)
{
    CTestThemeRef pm;
    const int indices[] = { 5, 63, -1, 1000000, 62 };
    const COLORREF colors[] = { RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3), RGB(4, 4, 4), RGB(5, 5, 5) };
    pm->SetColors(5, indices, colors);
    EXPECT_EQ(RGB(1, 1, 1), pm->GetColor(5));
    EXPECT_EQ(RGB(5, 5, 5), pm->GetColor(62));
    pm->SetColors(1, NULL, colors);
}

TEST(PaintManager, FontsFromOneLogfont)
{
    CTestThemeRef pm;
    LOGFONTW lf = TestLogFont(-13);
    pm->SetFontIndirect(&lf, FALSE);
    EXPECT_EQ(-13, FontOf(pm->GetRegularFont()).lfHeight);
    EXPECT_EQ(FW_BOLD, FontOf(pm->GetRegularBoldFont()).lfWeight);
    EXPECT_EQ(FW_NORMAL, FontOf(pm->GetVerticalFont()).lfWeight);
    EXPECT_EQ(FW_BOLD, FontOf(pm->GetVerticalBoldFont()).lfWeight);
    for (CFont* pFont : { pm->GetVerticalFont(), pm->GetVerticalBoldFont() }) {
        EXPECT_EQ(2700, FontOf(pFont).lfEscapement);
        EXPECT_EQ(900, FontOf(pFont).lfOrientation);
    }

    // The text height is the " " extent of the regular font plus 6.
    CWindowDC dc(NULL);
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), pm->GetRegularFont()->GetSafeHandle());
    SIZE sz = {};
    ::GetTextExtentPoint32W(dc.GetSafeHdc(), L" ", 1, &sz);
    ::SelectObject(dc.GetSafeHdc(), hOld);
    EXPECT_EQ(sz.cy + 6, pm->GetTextHeight());

    // NULL changes only the flag.
    HGDIOBJ hRegular = pm->GetRegularFont()->GetSafeHandle();
    pm->SetFontIndirect(NULL, TRUE);
    EXPECT_EQ(hRegular, pm->GetRegularFont()->GetSafeHandle());
    EXPECT_TRUE(CZPPaintManagerTestAccess::UsesSystemFont(pm.Get()));
}

TEST(PaintManager, BadLogfontsStillGiveFonts)
{
    CTestThemeRef pm;
    for (LOGFONTW lf : { TestLogFont(0), TestLogFont(-10000), TestLogFont(-12, L"No Such Face 12345") }) {
        pm->SetFontIndirect(&lf, FALSE);
        EXPECT_NE(nullptr, pm->GetRegularFont()->GetSafeHandle());
        EXPECT_NE(nullptr, pm->GetVerticalBoldFont()->GetSafeHandle());
        EXPECT_GT(pm->GetTextHeight(), 6);
    }
}

TEST(PaintManager, PreferredFaceOnceRequestedStays)
{
    CTestThemeRef pm;
    LOGFONTW lf = TestLogFont(-11, L"tahoma");
    pm->SetFontIndirect(&lf, TRUE);
    EXPECT_TRUE(CZPPaintManagerTestAccess::PreferredFaceRequested(pm.Get()));
    lf = TestLogFont(-11, L"DejaVu Sans");
    pm->SetFontIndirect(&lf, TRUE);
    EXPECT_TRUE(CZPPaintManagerTestAccess::PreferredFaceRequested(pm.Get()));
    // The preferred face replaces the system face only while it is installed.
    const CString strExpected = CZPPaintManager::FontFaceExists(L"Tahoma") ? L"Tahoma" : L"DejaVu Sans";
    EXPECT_EQ(strExpected, CString(FontOf(pm->GetRegularFont()).lfFaceName));
}

TEST(PaintManager, RefreshesKeepTheGdiObjectCountSteady)
{
    CTestThemeRef pm;
    CFont* fonts[] = { pm->GetRegularFont(),      pm->GetRegularBoldFont(),  pm->GetVerticalFont(),
                       pm->GetVerticalBoldFont(), pm->GetSmallCaptionFont(), pm->GetIconFont(),
                       pm->GetIconBoldFont(),     pm->GetStatusFont() };
    for (int i = 0; i < 1000; ++i) {
        std::vector<HGDIOBJ> before;
        for (CFont* pFont : fonts)
            before.push_back(pFont->GetSafeHandle());
        pm->RefreshMetrics();
        // Every handle replaced by the refresh has been deleted.
        for (HGDIOBJ hOld : before) {
            BOOL bStillUsed = FALSE;
            for (CFont* pFont : fonts)
                bStillUsed = bStillUsed || pFont->GetSafeHandle() == hOld;
            if (!bStillUsed) {
                ASSERT_EQ(0u, ::GetObjectType(hOld)) << "refresh " << i;
            }
        }
    }
}

TEST(PaintManager, SizeRules)
{
    CTestThemeRef pm;
    struct Case
    {
        int nTextHeight;
        BOOL bAutoIcons;
        int nFixedRow;
        int nControlHeight;
        CSize szSmall, szLarge;
        int nSplitDropDown;
    } cases[] = {
        { 19, FALSE, 0, 22, CSize(16, 16), CSize(32, 32), 27 }, { 25, FALSE, 0, 25, CSize(16, 16), CSize(32, 32), 39 },
        { 19, TRUE, 0, 22, CSize(16, 16), CSize(32, 32), 27 },  { 30, TRUE, 0, 30, CSize(24, 24), CSize(48, 48), 49 },
        { 10, TRUE, 0, 22, CSize(16, 16), CSize(32, 32), 27 },  { 19, FALSE, 22, 22, CSize(16, 16), CSize(32, 32), 21 },
    };
    for (const Case& c : cases) {
        CZPPaintManagerTestAccess::SetTextHeight(pm.Get(), c.nTextHeight);
        pm->m_bAutoResizeIcons = c.bAutoIcons;
        pm->m_nFixedRowHeight = c.nFixedRow;
        EXPECT_EQ(c.nControlHeight, pm->GetControlHeight()) << c.nTextHeight;
        EXPECT_EQ(c.szSmall, pm->GetAutoIconSize(FALSE)) << c.nTextHeight;
        EXPECT_EQ(c.szLarge, pm->GetAutoIconSize(TRUE)) << c.nTextHeight;
        EXPECT_EQ(c.nSplitDropDown, pm->GetSplitDropDownHeight()) << c.nTextHeight;
    }
}

TEST(PaintManager, StretchedIconSizeKeepsTheAspectAndSurvivesEmptyImages)
{
    struct Case
    {
        int w, h;
        CSize szBox, szExpected;
    } cases[] = {
        { 16, 16, CSize(16, 16), CSize(16, 16) },
        { 32, 16, CSize(16, 16), CSize(16, 8) },
        { 16, 32, CSize(16, 16), CSize(8, 16) },
        { 16, 17, CSize(16, 16), CSize(16, 17) },  // one pixel over is tolerated
        { 0, 0, CSize(16, 16), CSize(16, 16) },
        { 16, 0, CSize(16, 16), CSize(16, 16) },
    };
    EXPECT_EQ(CSize(20, 10), CZPPaintManager::GetStretchedIconSize(NULL, CSize(20, 10)));
    for (const Case& c : cases) {
        CZPImageManagerIcon* pIcon = new CZPImageManagerIcon(1, c.w, c.h, NULL);
        EXPECT_EQ(c.szExpected, CZPPaintManager::GetStretchedIconSize(pIcon, c.szBox)) << c.w << "x" << c.h;
        pIcon->InternalRelease();
    }
}

TEST(PaintManager, InstallingTakesItsOwnReference)
{
    CTestTheme* p = new CTestTheme;
    ZpSetPaintManager(p);
    EXPECT_EQ(p, ZpGetInstalledPaintManager());
    EXPECT_EQ(zpThemeCustom, p->m_nThemeNumber);
    EXPECT_EQ(2, p->m_dwRef);

    // Installing the installed instance again keeps it alive.
    ZpSetPaintManager(p);
    EXPECT_EQ(2, p->m_dwRef);
    EXPECT_EQ(p, ZpGetInstalledPaintManager());

    // Another instance releases the first; NULL clears.
    CTestTheme* p2 = new CTestTheme;
    ZpSetPaintManager(p2);
    EXPECT_EQ(1, p->m_dwRef);
    ZpSetPaintManager(NULL);
    EXPECT_EQ(nullptr, ZpGetInstalledPaintManager());
    EXPECT_EQ(1, p2->m_dwRef);
    p2->InternalRelease();
    p->InternalRelease();
}

TEST(PaintManager, ThemesWithoutAClassAreRefused)
{
    CTestTheme* p = new CTestTheme;
    ZpSetPaintManager(p);
    for (int nTheme : { 1, 2, 4, 5, 6, 7 }) {
        EXPECT_EQ(nullptr, ZpCreatePaintTheme(nTheme)) << nTheme;
        EXPECT_FALSE(ZpSetPaintTheme(nTheme)) << nTheme;
        EXPECT_EQ(p, ZpGetInstalledPaintManager());
    }
    ZpReleasePaintManager();
    EXPECT_EQ(nullptr, ZpGetInstalledPaintManager());
    p->InternalRelease();
}

TEST(PaintManager, BlendBitsMixesColourBytesAndKeepsTheFourth)
{
    const DWORD dwOld = 0x11000000u;
    const DWORD dwNew = 0x22FF8040u;
    struct Case
    {
        int nAlpha;
        DWORD dwExpected;
    } cases[] = {
        { 0, 0x77000000u },  { 128, 0x777F4020u }, { 255, 0x77FE7F3Fu }, { 256, 0x77FE7F3Fu },  // clamped to 255
        { -5, 0x77000000u },
    };
    for (const Case& c : cases) {
        DWORD dwOut = 0x77123456u;
        CZPPaintManager::BlendBits(&dwOut, &dwOld, 1, 1, &dwNew, c.nAlpha);
        EXPECT_EQ(c.dwExpected, dwOut) << c.nAlpha;
    }
    CZPPaintManager::BlendBits(NULL, &dwOld, 1, 1, &dwNew, 1);
}

TEST(PaintManager, FadeAlphasOfTenSteps)
{
    const int expected[] = { 25, 51, 76, 102, 127, 153, 178, 204, 229 };
    for (int k = 1; k <= 9; ++k)
        EXPECT_EQ(expected[k - 1], ZpFadeAlpha(k, 10));
}

TEST(PaintManager, BlendPixelColorTowardsTheBaseOrTheSecondColour)
{
    CDibSection dib(4, 1, RGB(200, 100, 0));
    CDC dc;
    dc.Attach(dib.GetDC());
    ZpBlendPixelColor(&dc, 0, 0, RGB(0, 0, 0), RGB(0, 0, 0), 0.5);
    ZpBlendPixelColor(&dc, 1, 0, RGB(0, 0, 0), RGB(100, 100, 100), -0.5);
    ZpBlendPixelColor(&dc, 2, 0, RGB(0, 0, 0), RGB(0, 0, 0), 5.0);  // clamped to 1: the base
    ZpBlendPixelColor(&dc, 3, 0, RGB(0, 0, 0), RGB(0, 0, 0), 0.0);
    dc.Detach();
    EXPECT_EQ(RGB(100, 50, 0), dib.GetPixel(0, 0));
    EXPECT_EQ(RGB(50, 50, 50), dib.GetPixel(1, 0));
    EXPECT_EQ(RGB(200, 100, 0), dib.GetPixel(2, 0));
    EXPECT_EQ(RGB(0, 0, 0), dib.GetPixel(3, 0));
}

}  // namespace
