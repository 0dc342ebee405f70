// Colour sets: the standard values of every set by Windows visual style and theme-colour
// switch, the gradient fills by position, the halftone and the navigate-button faces.
#include <gtest/gtest.h>

#include <functional>

#include "DibSection.h"
#include "TabTestHost.h"

namespace {

COLORREF E(int nEntry)
{
    return ZpTabColorEntry(nEntry);
}

class TabColors : public testing::Test
{
protected:
    CZPTabPaintManager::CColorSet* Install(int nColor, int nStyle, BOOL bThemeColorsDisabled = FALSE)
    {
        ZpColorManagerInstance().SetThemeSetting(nStyle);
        m_pm->SetThemeColorsDisabled(bThemeColorsDisabled);
        return m_pm->SetColor(nColor);
    }
    void TearDown() override
    {
        ZpColorManagerInstance().SetThemeSetting(zpThemeAutomatic);
        ZpRefreshColors();
    }

    CPaintManagerRef m_pm;
};

typedef CZPTabPaintManager::CColorSet CSet;

TEST_F(TabColors, StandardValuesBySetStyleAndThemeSwitch)
{
    struct CRow
    {
        const char* pszName;
        int nColor;
        int nStyle;
        BOOL bDisabled;
        std::function<COLORREF(CSet*)> member;
        std::function<COLORREF()> expected;
    };
    auto C = [](COLORREF clr) { return [clr] { return clr; }; };
    auto Ent = [](int n) { return [n] { return E(n); }; };
    auto Sel = [](CSet* p) -> COLORREF { return p->m_clrSelectedFill; };
    auto Norm = [](CSet* p) -> COLORREF { return p->m_clrNormalFill; };
    auto Hot = [](CSet* p) -> COLORREF { return p->m_clrHotFill; };
    auto Pressed = [](CSet* p) -> COLORREF { return p->m_clrPressedFill; };
    auto Border = [](CSet* p) -> COLORREF { return p->m_clrTabBorder; };
    auto SelBorder = [](CSet* p) -> COLORREF { return p->m_clrSelectedTabBorder; };
    auto Frame = [](CSet* p) -> COLORREF { return p->m_clrFrame; };
    auto HeadStart = [](CSet* p) -> COLORREF { return p->m_grcHeader.m_clrStart; };
    auto HeadEnd = [](CSet* p) -> COLORREF { return p->m_grcHeader.m_clrEnd; };
    auto Head2Start = [](CSet* p) -> COLORREF { return p->m_grcHeader2.m_clrStart; };
    auto ButtonStart = [](CSet* p) -> COLORREF { return p->m_grcButton.m_clrStart; };
    auto HotText = [](CSet* p) -> COLORREF { return p->m_clrHotText; };
    auto Edge0 = [](CSet* p) -> COLORREF { return p->m_clrExcelSelectedEdge[0]; };
    auto Highlight = [](CSet* p) -> COLORREF { return p->m_clr3DHighlight; };
    const int kBlue = zpThemeLunaBlue, kOlive = zpThemeLunaOlive, kSilver = zpThemeLunaSilver;
    const CRow rows[] = {
        { "default halftone button", 1, kBlue, FALSE, ButtonStart, C(ZP_COLOR_HALFTONE) },
        { "default header", 1, kBlue, FALSE, HeadStart, Ent(COLOR_BTNFACE) },
        { "vs header", 2, kBlue, FALSE, HeadStart, Ent(48) },
        { "vs header2 is the header's end", 2, kBlue, FALSE, Head2Start, Ent(48) },
        { "vs from the base values", 2, kBlue, FALSE, ButtonStart, Ent(COLOR_WINDOW) },
        { "winxp unthemed keeps the 3-D highlight", 8, kBlue, FALSE, Highlight, Ent(COLOR_BTNHIGHLIGHT) },
        { "2003 blue selected", 4, kBlue, FALSE, Sel, C(0x73C2FF) },
        { "2003 blue normal", 4, kBlue, FALSE, Norm, C(0xF6C0A2) },
        { "2003 blue hot", 4, kBlue, FALSE, Hot, C(0xC9F0FF) },
        { "2003 blue pressed", 4, kBlue, FALSE, Pressed, C(0x4B8EFE) },
        { "2003 blue header", 4, kBlue, FALSE, HeadStart, C(0xFADAC4) },
        { "2003 blue header end", 4, kBlue, FALSE, HeadEnd, C(0xFEFDFC) },
        { "2003 blue header2", 4, kBlue, FALSE, Head2Start, C(0xF5BE9E) },
        { "2003 blue excel edge", 4, kBlue, FALSE, Edge0, C(0x9C613B) },
        { "2003 royale is blue", 4, zpThemeRoyale, FALSE, SelBorder, C(0x9C613B) },
        { "2003 aero is blue", 4, zpThemeAero, FALSE, Border, C(0x9A3500) },
        { "2003 olive border", 4, kOlive, FALSE, Border, C(0x6B7760) },
        { "2003 olive frame", 4, kOlive, FALSE, SelBorder, C(0x588060) },
        { "2003 olive hot", 4, kOlive, FALSE, Hot, C(0xC7F0FF) },
        { "2003 silver border", 4, kSilver, FALSE, Border, C(0x927476) },
        { "2003 silver hot", 4, kSilver, FALSE, Hot, C(0xC2EEFF) },
        { "2003 classic selected", 4, zpThemeNone, FALSE, Sel, Ent(36) },
        { "2003 classic pressed", 4, zpThemeNone, FALSE, Pressed, Ent(33) },
        { "2003 classic header end", 4, zpThemeNone, FALSE, HeadEnd,
          [] { return CZPColorManager::WeightedMix(E(COLOR_BTNFACE), E(COLOR_WINDOW), 205); } },
        { "2003 hot text", 4, kBlue, FALSE, HotText, Ent(COLOR_BTNTEXT) },
        { "2003 disabled keeps system colours", 4, kBlue, TRUE, Sel, Ent(COLOR_BTNFACE) },
        { "2003 disabled pressed", 4, kBlue, TRUE, Pressed, Ent(33) },
        { "whidbey themed is office", 16, kBlue, FALSE, Sel, C(0x73C2FF) },
        { "whidbey own blue header", 16, kBlue, TRUE, HeadStart, C(0xD5E2E4) },
        { "whidbey own selected", 16, kBlue, TRUE, Sel, Ent(COLOR_WINDOW) },
        { "whidbey own frame", 16, kBlue, TRUE, Frame, Ent(57) },
        { "whidbey own silver normal", 16, kSilver, TRUE, Norm, C(0xF8F5F5) },
        { "whidbey own silver header", 16, kSilver, TRUE, HeadStart, C(0xEEEEEE) },
        { "vs2008 themed is office", 64, kOlive, FALSE, Border, C(0x6B7760) },
        { "vs2008 own blue selected", 64, kBlue, TRUE, Sel, C(0xEED2C1) },
        { "vs2008 own blue border", 64, kBlue, TRUE, SelBorder, C(0xE2B598) },
        { "vs2008 own aero normal", 64, zpThemeAero, TRUE, Norm, C(0xD2B498) },
        { "vs2008 own olive hot", 64, kOlive, TRUE, Hot, C(0x8EAFAF) },
        { "vs2008 own silver frame", 64, kSilver, TRUE, Frame, C(0xB09193) },
        { "vs2008 own classic", 64, zpThemeNone, TRUE, SelBorder, Ent(57) },
        { "2007 without images: blue palette", 32, zpThemeNone, FALSE, Sel, C(0x73C2FF) },
        { "2007 without images: pressed", 32, zpThemeNone, FALSE, Pressed, Ent(33) },
        { "access 2007 without images", 128, kSilver, FALSE, Border, C(0x9A3500) },
    };
    for (const CRow& row : rows) {
        SCOPED_TRACE(row.pszName);
        CSet* pSet = Install(row.nColor, row.nStyle, row.bDisabled);
        EXPECT_EQ(row.expected(), row.member(pSet));
    }
}

TEST_F(TabColors, OfficeFlagAndCustomValuesSurviveRefresh)
{
    auto* pOffice = static_cast<CZPTabPaintManager::CColorSetOffice2003*>(Install(4, zpThemeLunaBlue));
    EXPECT_TRUE(pOffice->m_bOfficePalette);
    pOffice->m_clrSelectedFill.SetCustomValue(RGB(1, 2, 3));
    ZpColorManagerInstance().SetThemeSetting(zpThemeNone);
    m_pm->RefreshMetrics();
    EXPECT_FALSE(pOffice->m_bOfficePalette);
    EXPECT_EQ(RGB(1, 2, 3), static_cast<COLORREF>(pOffice->m_clrSelectedFill));
    EXPECT_EQ(E(36), pOffice->m_clrSelectedFill.GetStandardColor());
    for (int nColor : { 1, 2, 8, 16, 32, 64, 128 }) {
        SCOPED_TRACE(nColor);
        CSet* pSet = m_pm->SetColor(nColor);
        pSet->m_clrHotText.SetCustomValue(RGB(4, 5, 6));
        m_pm->RefreshMetrics();
        EXPECT_EQ(RGB(4, 5, 6), static_cast<COLORREF>(pSet->m_clrHotText));
    }
    // Unknown numbers are the default set.
    for (int nColor : { 0, 3, 256 })
        EXPECT_TRUE(typeid(*m_pm->SetColor(nColor)) == typeid(CZPTabPaintManager::CColorSetDefault));
}

TEST_F(TabColors, GradientsEndAtTheClientSide)
{
    const COLORREF kStart = RGB(200, 0, 0), kEnd = RGB(0, 0, 200);
    struct
    {
        int nPosition;
        BOOL bInvert;
        POINT ptFirst;  // the first row or column the gradient draws
        COLORREF clrFirst;
        POINT ptLast;
        COLORREF clrLast;
    } cases[] = {
        { zpTabPositionTop, FALSE, { 5, 0 }, kStart, { 5, 19 }, kEnd },
        { zpTabPositionLeft, FALSE, { 0, 5 }, kStart, { 19, 5 }, kEnd },
        { zpTabPositionBottom, FALSE, { 5, 0 }, kEnd, { 5, 19 }, kStart },
        { zpTabPositionRight, FALSE, { 0, 5 }, kEnd, { 19, 5 }, kStart },
        { zpTabPositionTop, TRUE, { 5, 0 }, kEnd, { 5, 19 }, kStart },
        { zpTabPositionRight, TRUE, { 0, 5 }, kStart, { 19, 5 }, kEnd },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "position " << c.nPosition << " invert " << c.bInvert);
        m_pm->SetPosition(c.nPosition);
        m_pm->m_bInvertGradient = c.bInvert;
        CDibSection dib(20, 20, RGB(255, 255, 255));
        CDC dc(dib.GetDC());
        m_pm->GetColorSet()->FillGradientByPosition(&dc, CRect(0, 0, 20, 20), kStart, kEnd);
        EXPECT_EQ(c.clrFirst, dib.GetPixel(c.ptFirst.x, c.ptFirst.y));
        COLORREF clrLast = dib.GetPixel(c.ptLast.x, c.ptLast.y);
        EXPECT_NEAR(GetRValue(c.clrLast), GetRValue(clrLast), 12);
        EXPECT_NEAR(GetBValue(c.clrLast), GetBValue(clrLast), 12);
    }
    // -1 at either end draws nothing; -2 as the start is the halftone.
    CDibSection dib(16, 16, RGB(1, 2, 3));
    CDC dc(dib.GetDC());
    m_pm->GetColorSet()->FillGradientByPosition(&dc, CRect(0, 0, 16, 16), ZP_COLOR_UNSET, kEnd);
    m_pm->GetColorSet()->FillGradientByPosition(&dc, CRect(0, 0, 16, 16), kStart, ZP_COLOR_UNSET);
    EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(8, 8));
    m_pm->GetColorSet()->FillGradientByPosition(&dc, CRect(0, 0, 16, 16), ZP_COLOR_HALFTONE, kEnd);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            ASSERT_EQ((x + y) % 2 == 0 ? E(COLOR_BTNHIGHLIGHT) : E(COLOR_BTNFACE), dib.GetPixel(x, y)) << x << "," << y;
}

TEST_F(TabColors, OfficeTabFillStartsAtTheWhiteMix)
{
    Install(4, zpThemeLunaBlue);
    CTestTabHost host(m_pm.Get());
    host.AddCaptions({ L"a", L"b" });
    host.SetCurSel(0);
    CDibSection dib(10, 30);
    CDC dc(dib.GetDC());
    EXPECT_EQ(0x73C2FFu, m_pm->GetColorSet()->FillItem(&dc, CRect(0, 0, 10, 30), host.GetItem(0)));
    EXPECT_EQ(0xD5EDFFu, dib.GetPixel(4, 0));
    EXPECT_EQ(0xF6C0A2u, m_pm->GetColorSet()->FillItem(&dc, CRect(0, 0, 10, 30), host.GetItem(1)));
    EXPECT_EQ(CZPColorManager::WeightedMix(0xF6C0A2, 0xFFFFFF, 300), dib.GetPixel(4, 0));
}

}  // namespace
