// The tab paint manager: fonts, the installation of sets, the base colours and text colours,
// the control drawing and its GDI objects.
#include <gtest/gtest.h>

#include "DibSection.h"
#include "TabTestHost.h"
#include "common/ZPDrawHelpers.h"
#include "common/ZPSystemHelpers.h"

namespace {

LOGFONTW FontOf(CFont* pFont)
{
    LOGFONTW lf = {};
    pFont->GetLogFont(&lf);
    return lf;
}

LOGFONTW SmallFont(LONG lHeight)
{
    LOGFONTW lf = {};
    lf.lfHeight = lHeight;
    lf.lfQuality = DEFAULT_QUALITY;
    ::lstrcpyW(lf.lfFaceName, L"Arial");
    return lf;
}

TEST(TabPaintManager, FontsFromOneLogfont)
{
    CPaintManagerRef pm;
    LOGFONTW lf = SmallFont(-8);
    pm->SetFontIndirect(&lf);
    EXPECT_EQ(-8, FontOf(pm->GetNormalFont()).lfHeight);
    EXPECT_EQ(400, FontOf(pm->GetNormalFont()).lfWeight);
    EXPECT_EQ(700, FontOf(pm->GetBoldFont()).lfWeight);
    for (CFont* pFont : { pm->GetVerticalNormalFont(), pm->GetVerticalBoldFont() }) {
        LOGFONTW lfVertical = FontOf(pFont);
        EXPECT_EQ(-11, lfVertical.lfHeight);
        EXPECT_EQ(2700, lfVertical.lfEscapement);
        EXPECT_EQ(900, lfVertical.lfOrientation);
        CString strFace;
        ZpChooseDefaultFontFace(strFace, TRUE);
        EXPECT_EQ(strFace, CString(lfVertical.lfFaceName));
    }
    EXPECT_EQ(700, FontOf(pm->GetVerticalBoldFont()).lfWeight);

    // Heights outside -1..-10 stay; bold normal makes the normal fonts bold.
    lf = SmallFont(-14);
    pm->m_bBoldNormal = TRUE;
    pm->SetFontIndirect(&lf);
    EXPECT_EQ(-14, FontOf(pm->GetVerticalNormalFont()).lfHeight);
    EXPECT_EQ(700, FontOf(pm->GetNormalFont()).lfWeight);

    // A NULL LOGFONT leaves the fonts alone.
    HGDIOBJ hBefore = pm->GetNormalFont()->GetSafeHandle();
    pm->SetFontIndirect(NULL);
    EXPECT_EQ(hBefore, pm->GetNormalFont()->GetSafeHandle());
}

TEST(TabPaintManager, ClearTypeQualityOnlyWhenAsked)
{
    CPaintManagerRef pm;
    LOGFONTW lf = SmallFont(-12);
    pm->SetFontIndirect(&lf);
    EXPECT_EQ(DEFAULT_QUALITY, FontOf(pm->GetNormalFont()).lfQuality);
    pm->m_bClearTypeText = TRUE;
    pm->SetFontIndirect(&lf);
    BYTE nExpected = ZpOsVersionInstance().IsVersionXPOrLater() ? CLEARTYPE_QUALITY : DEFAULT_QUALITY;
    EXPECT_EQ(nExpected, FontOf(pm->GetNormalFont()).lfQuality);
    EXPECT_EQ(nExpected, FontOf(pm->GetVerticalBoldFont()).lfQuality);
}

TEST(TabPaintManager, BoldOnlyForTheSelectedTabOfAnActiveStrip)
{
    CPaintManagerRef pm;
    pm->m_bBoldSelected = TRUE;
    CTestTabHost host(pm.Get());
    host.AddCaptions({ L"a", L"b" });
    host.SetCurSel(0);
    EXPECT_EQ(pm->GetBoldFont(), pm->GetItemFont(host.GetItem(0)));
    EXPECT_EQ(pm->GetNormalFont(), pm->GetItemFont(host.GetItem(1)));
    host.SetActive(FALSE);
    EXPECT_EQ(pm->GetNormalFont(), pm->GetItemFont(host.GetItem(0)));
    host.SetActive(TRUE);
    pm->SetPosition(zpTabPositionLeft);
    EXPECT_EQ(pm->GetVerticalBoldFont(), pm->GetItemFont(host.GetItem(0)));
    pm->SetLayout(zpTabLayoutRotated);
    EXPECT_EQ(pm->GetBoldFont(), pm->GetItemFont(host.GetItem(0)));
}

TEST(TabPaintManager, AppearanceNumbersInstallTheGeometryAndItsDefaultColourSet)
{
    CPaintManagerRef pm;
    pm->GetColorSet()->m_clrSelectedFill.SetCustomValue(RGB(1, 2, 3));
    CZPTabPaintManager::CAppearanceSet* pSet = pm->SetAppearance(12);
    EXPECT_EQ(12, pm->GetAppearance());
    EXPECT_EQ(pSet, pm->GetAppearanceSet());
    EXPECT_EQ(CRect(2, 3, 6, 0), pSet->GetHeaderMargin());
    EXPECT_EQ(13, pSet->GetSupportedColorSets());
    EXPECT_EQ(1, pm->GetColor());
    // The colour set chosen before is replaced with the appearance's default.
    EXPECT_FALSE(pm->GetColorSet()->m_clrSelectedFill.IsCustomValue());

    CZPTabPaintManager::CColorSet* pColors = pm->GetColorSet();
    EXPECT_EQ(pColors, pm->SetColorSetObject(NULL));
    EXPECT_EQ(pSet, pm->SetAppearanceSetObject(NULL));
}

TEST(TabPaintManager, BaseColoursAndCustomValuesThatSurviveARefresh)
{
    CPaintManagerRef pm;
    CZPTabPaintManager::CColorSet* pColors = pm->GetColorSet();
    EXPECT_EQ(0x800000u, static_cast<COLORREF>(pColors->m_clrHotText));
    EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), static_cast<COLORREF>(pColors->m_clrNormalText));
    EXPECT_EQ(::GetSysColor(COLOR_GRAYTEXT), static_cast<COLORREF>(pColors->m_clrDisabledText));
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), static_cast<COLORREF>(pColors->m_clr3DDarkShadow));
    // The default set: its own Excel edges over the base ones.
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), static_cast<COLORREF>(pColors->m_clrExcelSelectedEdge[4]));
    EXPECT_EQ(ZP_COLOR_UNSET, static_cast<COLORREF>(pColors->m_clrExcelNormalEdge[4]));
    EXPECT_EQ(ZP_COLOR_HALFTONE, static_cast<COLORREF>(pColors->m_grcButton.m_clrStart));
    pColors->m_clrSelectedFill.SetCustomValue(RGB(10, 20, 30));
    pm->RefreshMetrics();
    EXPECT_EQ(RGB(10, 20, 30), static_cast<COLORREF>(pColors->m_clrSelectedFill));
}

TEST(TabPaintManager, TextColourByTabState)
{
    CPaintManagerRef pm;
    CZPTabPaintManager::CColorSet* pColors = pm->GetColorSet();
    pColors->m_clrNormalText.SetCustomValue(RGB(1, 0, 0));
    pColors->m_clrInactiveText.SetCustomValue(RGB(2, 0, 0));
    pColors->m_clrSelectedText.SetCustomValue(RGB(3, 0, 0));
    pColors->m_clrHotText.SetCustomValue(RGB(4, 0, 0));
    pColors->m_clrDisabledText.SetCustomValue(RGB(5, 0, 0));
    CTestTabHost host(pm.Get());
    host.AddCaptions({ L"normal", L"selected", L"disabled" });
    host.SetCurSel(1);
    host.GetItem(2)->SetEnabled(FALSE);
    CDibSection dib(4, 4);
    CDC dc(dib.GetDC());
    auto TextColour = [&](int nItem) {
        pColors->SetItemTextColor(&dc, host.GetItem(nItem));
        return dc.GetTextColor();
    };
    EXPECT_EQ(RGB(1, 0, 0), TextColour(0));
    EXPECT_EQ(RGB(3, 0, 0), TextColour(1));
    EXPECT_EQ(RGB(5, 0, 0), TextColour(2));
    host.SetActive(FALSE);
    EXPECT_EQ(RGB(2, 0, 0), TextColour(1));
    EXPECT_EQ(RGB(5, 0, 0), TextColour(2));
}

TEST(TabPaintManager, TextRowHeightHasAFloor)
{
    CPaintManagerRef pm;
    LOGFONTW lf = SmallFont(-6);
    pm->SetFontIndirect(&lf, FALSE);
    pm->RefreshMetrics();  // keeps this font: the system font is off now
    EXPECT_EQ(18, pm->GetAppearanceSet()->m_nTextRowHeight);
    lf = SmallFont(-40);
    pm->SetFontIndirect(&lf, FALSE);
    pm->RefreshMetrics();
    EXPECT_GT(pm->GetAppearanceSet()->m_nTextRowHeight, 40);
}

TEST(TabPaintManager, FocusRectangleThreePixelsInside)
{
    CPaintManagerRef pm;
    CTestTabHost host(pm.Get());
    host.AddCaptions({ L"a" });
    CDibSection dib(40, 30, RGB(255, 255, 255));
    CDC dc(dib.GetDC());
    pm->DrawFocusRect(&dc, host.GetItem(0), CRect(0, 0, 40, 30));
    // A dotted line along x = 3, nothing outside it.
    int nDots = 0;
    for (int y = 3; y < 27; y++) {
        nDots += dib.GetPixel(3, y) != RGB(255, 255, 255);
        EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(2, y));
    }
    EXPECT_GT(nDots, 8);
    pm->m_bDrawFocusRect = FALSE;
    CDibSection blank(40, 30, RGB(255, 255, 255));
    CDC dcBlank(blank.GetDC());
    pm->DrawFocusRect(&dcBlank, host.GetItem(0), CRect(0, 0, 40, 30));
    for (int y = 3; y < 27; y++)
        EXPECT_EQ(RGB(255, 255, 255), blank.GetPixel(3, y));
}

TEST(TabPaintManager, ControlDrawingFramesFillsAndClipsTheTabsToTheHeader)
{
    const COLORREF kFrame = RGB(0, 128, 0), kBack = RGB(230, 230, 200), kText = RGB(0, 0, 0);
    const COLORREF kClient = RGB(200, 230, 230);
    for (int nPosition = 0; nPosition < 4; nPosition++) {
        SCOPED_TRACE(testing::Message() << "position " << nPosition);
        CPaintManagerRef pm;
        pm->m_bStaticFrame = TRUE;
        pm->SetPosition(nPosition);
        pm->GetColorSet()->m_clrFrame.SetCustomValue(kFrame);
        pm->GetColorSet()->m_clrBackground.SetCustomValue(kBack);
        pm->GetColorSet()->m_clrSelectedFill.SetCustomValue(kClient);
        pm->GetColorSet()->m_clrNormalText.SetCustomValue(kText);
        pm->GetColorSet()->m_clrSelectedText.SetCustomValue(kText);
        CTestTabHost host(pm.Get(), NULL, CRect(0, 0, 200, 200));
        host.AddNumberedTabs(12);
        host.SetCurSel(0);
        CDibSection dib(200, 200, RGB(255, 255, 255));
        CDC dc(dib.GetDC());
        pm->DrawTabControl(&host, &dc, CRect(0, 0, 200, 200));

        EXPECT_EQ(kFrame, dib.GetPixel(0, 0));
        EXPECT_EQ(kFrame, dib.GetPixel(199, 199));
        EXPECT_EQ(kBack, dib.GetPixel(1, 1));
        CPoint ptClient = host.GetClientRect().CenterPoint();
        EXPECT_EQ(kClient, dib.GetPixel(ptClient.x, ptClient.y));

        // Captions show inside the header only: the tabs past its end are cut off, the arrows
        // sit beyond it.
        const CRect& rcHeader = host.GetHeaderRect();
        CRect rcArrows(host.GetNavigateButton(zpTabNavigateButtonLeft)->GetRect());
        rcArrows.UnionRect(rcArrows, host.GetNavigateButton(zpTabNavigateButtonRight)->GetRect());
        int nInside = 0, nOutside = 0;
        for (int y = 2; y < 198; y++)
            for (int x = 2; x < 198; x++)
                if (dib.GetPixel(x, y) == kText)
                    (rcHeader.PtInRect(CPoint(x, y)) ? nInside : nOutside) += rcArrows.PtInRect(CPoint(x, y)) ? 0 : 1;
        EXPECT_GT(nInside, 20);
        EXPECT_EQ(0, nOutside);
    }
}

TEST(TabPaintManager, GdiObjectsStaySteadyOverRefreshAndDrawing)
{
    CPaintManagerRef pm;
    pm->m_bStaticFrame = TRUE;
    CTestWindow window;
    CTestTabHost host(pm.Get(), window.GetHwnd());
    host.SetPerTabCloseMode(zpTabNavigateButtonAlways);
    host.AddNumberedTabs(30);
    host.SetCurSel(3);
    CDibSection dib(300, 200);
    auto Cycle = [&] {
        pm->RefreshMetrics();
        pm->RefreshAll();
        CDC dc(dib.GetDC());
        pm->DrawTabControl(&host, &dc, CRect(0, 0, 300, 200));
        host.GetNavigateButton(zpTabNavigateButtonRight)->SetEnabled(FALSE);
        host.GetNavigateButton(zpTabNavigateButtonRight)->Draw(&dc);
    };
    Cycle();
    DWORD dwBefore = CountGdiObjects();
    ASSERT_GT(dwBefore, 0u);
    for (int i = 0; i < 50; i++)
        Cycle();
    DWORD dwAfter = CountGdiObjects();
    EXPECT_EQ(dwBefore, dwAfter);
}

}  // namespace
