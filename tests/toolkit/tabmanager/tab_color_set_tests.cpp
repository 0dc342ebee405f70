// Colour sets: the standard values of every set by Windows visual style and theme-colour
// switch, the gradient fills by position, the halftone and the navigate-button faces.
#include <gtest/gtest.h>

#include <functional>

#include "DibSection.h"
#include "TabTestHost.h"
#include "common/ZPOffice2007Images.h"

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
    // The store binds the program's first INI text by itself; the tests bind it only where they ask.
    void SetUp() override { ZpOffice2007ImagesInstance()->SetThemeModule(NULL, NULL, FALSE); }
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

// A strip whose hot and pressed states the test sets directly.
class CStateHost : public CTestTabHost
{
public:
    using CTestTabHost::CTestTabHost;
    void SetHot(CZPTabManagerNavigateButton* pButton) { m_pHighlightedNavigateButton = pButton; }
    void SetHotItem(CZPTabManagerItem* pItem) { m_pHighlighted = pItem; }
    void SetPressedItem(CZPTabManagerItem* pItem) { m_pPressed = pItem; }
};

class CStateButton : public CZPTabManagerNavigateButton
{
public:
    CStateButton(CZPTabManager* pManager) : CZPTabManagerNavigateButton(pManager, 1, zpTabNavigateButtonAlways) {}
    void DrawGlyph(CDC*, CRect) override {}
    void SetPressed(BOOL bPressed) { m_bPressed = bPressed; }
};

TEST_F(TabColors, NavigateButtonFacesInEachState)
{
    enum
    {
        kNormal,
        kHot,
        kPressed,
        kBoth
    };
    const COLORREF kPaper = RGB(1, 2, 3);
    struct
    {
        const char* pszName;
        int nColor;
        int nStyle;
        int nState;
        COLORREF clrEdge;    // pixel (0, 0)
        COLORREF clrInside;  // pixel (5, 1), the first row inside the edge (a gradient's start)
        COLORREF clrGlyph;
        int nShift;  // how far the glyph rectangle moved
    } cases[] = {
        { "default normal", 1, zpThemeNone, kNormal, kPaper, kPaper, E(18), 0 },
        { "default hot", 1, zpThemeNone, kHot, E(20), kPaper, E(18), 0 },
        { "default pressed", 1, zpThemeNone, kPressed, E(16), kPaper, E(18), 1 },
        { "default both", 1, zpThemeNone, kBoth, E(16), kPaper, E(18), 1 },
        { "office blue normal", 4, zpThemeLunaBlue, kNormal, kPaper, kPaper, E(18), 0 },
        { "office blue hot", 4, zpThemeLunaBlue, kHot, 0x800000, 0xC8F2FF, E(18), 0 },
        { "office blue pressed", 4, zpThemeLunaBlue, kPressed, 0x800000, 0xC8F2FF, E(18), 0 },
        { "office blue both", 4, zpThemeLunaBlue, kBoth, 0x800000, 0x4B8EFE, E(18), 0 },
        { "office classic hot", 4, zpThemeNone, kHot, E(31), E(32), E(45), 0 },
        { "office classic both", 4, zpThemeNone, kBoth, E(33), E(50), E(47), 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        CSet* pSet = Install(c.nColor, c.nStyle);
        CStateHost host(m_pm.Get());
        CStateButton button(&host);
        button.SetPressed(c.nState == kPressed || c.nState == kBoth);
        host.SetHot(c.nState == kHot || c.nState == kBoth ? &button : NULL);
        CDibSection dib(14, 30, kPaper);
        CDC dc(dib.GetDC());
        CRect rc(0, 0, 14, 30);
        pSet->FillNavigateButton(&dc, &button, rc);
        EXPECT_EQ(c.clrEdge, dib.GetPixel(0, 0));
        // Row 1 is a thirtieth into a gradient: near its start.
        COLORREF clrInside = dib.GetPixel(5, 1);
        EXPECT_NEAR(GetRValue(c.clrInside), GetRValue(clrInside), 4);
        EXPECT_NEAR(GetGValue(c.clrInside), GetGValue(clrInside), 4);
        EXPECT_NEAR(GetBValue(c.clrInside), GetBValue(clrInside), 4);
        EXPECT_EQ(c.clrGlyph, dc.GetTextColor());
        EXPECT_EQ(c.nShift, rc.left);
        EXPECT_EQ(c.nShift, rc.top);
        host.SetHot(NULL);
    }
}

TEST_F(TabColors, HotAndPressedTabsTakeTheirFills)
{
    Install(4, zpThemeLunaBlue);
    CStateHost host(m_pm.Get());
    host.AddCaptions({ L"a", L"b", L"c" });
    host.SetCurSel(0);
    host.SetHotItem(host.GetItem(1));
    host.SetPressedItem(host.GetItem(2));
    CDibSection dib(10, 30);
    CDC dc(dib.GetDC());
    EXPECT_EQ(0xC9F0FFu, m_pm->GetColorSet()->FillItem(&dc, CRect(0, 0, 10, 30), host.GetItem(1)));
    EXPECT_EQ(CZPColorManager::WeightedMix(0xC9F0FF, 0xFFFFFF, 300), dib.GetPixel(4, 0));
    EXPECT_EQ(0x4B8EFEu, m_pm->GetColorSet()->FillItem(&dc, CRect(0, 0, 10, 30), host.GetItem(2)));
    host.SetHotItem(NULL);
    host.SetPressedItem(NULL);
}

TEST_F(TabColors, HeaderClientAndButtonFills)
{
    Install(1, zpThemeNone);
    CTestTabHost host(m_pm.Get());
    host.AddCaptions({ L"a", L"b" });
    host.SetCurSel(0);
    CSet* pSet = m_pm->GetColorSet();
    CDibSection dib(20, 20, RGB(1, 2, 3));
    CDC dc(dib.GetDC());

    // A header of halftone start.
    pSet->m_grcHeader.m_clrStart.SetCustomValue(ZP_COLOR_HALFTONE);
    pSet->FillHeader(&dc, CRect(0, 0, 20, 20), &host);
    EXPECT_EQ(E(COLOR_BTNHIGHLIGHT), dib.GetPixel(0, 0));
    EXPECT_EQ(E(COLOR_BTNFACE), dib.GetPixel(1, 0));

    // The selected button-shaped tab: the halftone inside a shadow/highlight edge.
    dib.Fill(RGB(1, 2, 3));
    pSet->FillButtonItem(&dc, CRect(0, 0, 20, 20), host.GetItem(0));
    EXPECT_EQ(E(COLOR_BTNSHADOW), dib.GetPixel(5, 0));
    EXPECT_EQ(E(COLOR_BTNHIGHLIGHT), dib.GetPixel(19, 5));
    EXPECT_EQ(E(COLOR_BTNHIGHLIGHT), dib.GetPixel(2, 2));
    EXPECT_EQ(E(COLOR_BTNFACE), dib.GetPixel(3, 2));
    // Other button-shaped tabs: only the etched separator at their end.
    dib.Fill(RGB(1, 2, 3));
    pSet->FillButtonItem(&dc, CRect(0, 0, 20, 20), host.GetItem(1));
    EXPECT_EQ(E(COLOR_BTNSHADOW), dib.GetPixel(18, 5));
    EXPECT_EQ(E(COLOR_BTNHIGHLIGHT), dib.GetPixel(19, 5));
    EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(5, 5));

    // The client takes the selected tab's colour; without a selection the selected fill.
    pSet->m_clrSelectedFill.SetCustomValue(RGB(7, 8, 9));
    EXPECT_EQ(RGB(7, 8, 9), pSet->FillClient(&dc, CRect(0, 0, 20, 20), &host));
    EXPECT_EQ(RGB(7, 8, 9), dib.GetPixel(5, 5));
}

TEST_F(TabColors, WinXPSetDrawsThemePartsOnlyWhereATabThemeOpens)
{
    auto* pSet = static_cast<CZPTabPaintManager::CColorSetWinXP*>(Install(8, zpThemeLunaBlue));
    CTestTabHost host(m_pm.Get());
    host.AddCaptions({ L"a", L"b" });
    host.SetCurSel(0);
    CDibSection dib(30, 20, RGB(1, 2, 3));
    CDC dc(dib.GetDC());
    COLORREF clr = pSet->FillItem(&dc, CRect(2, 2, 28, 18), host.GetItem(0));
    if (pSet->IsThemed()) {
        // Theme parts leave no fill colour to join the selected tab to the client area.
        EXPECT_EQ(ZP_COLOR_UNSET, clr);
        EXPECT_EQ(ZP_COLOR_UNSET, static_cast<COLORREF>(pSet->m_clr3DHighlight));
        EXPECT_EQ(0u, pSet->FillClient(&dc, CRect(0, 0, 30, 20), &host));
    } else {
        // No visual style (Wine's comctl32 is 5.81): the default set's drawing.
        EXPECT_EQ(E(COLOR_BTNFACE), clr);
        EXPECT_EQ(E(COLOR_BTNFACE), dib.GetPixel(10, 10));
        EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(1, 1));
        EXPECT_EQ(E(COLOR_BTNHIGHLIGHT), static_cast<COLORREF>(pSet->m_clr3DHighlight));
    }
}

TEST_F(TabColors, Office2007AndAccess2007TakeTheImagesIniColours)
{
    CZPOffice2007Images* pImages = ZpOffice2007ImagesInstance();
    ASSERT_TRUE(pImages->SetThemeModule(::GetModuleHandleW(NULL), L"TabTheme.ini", FALSE));
    auto* p2007 = static_cast<CZPTabPaintManager::CColorSetOffice2007*>(Install(32, zpThemeLunaOlive));
    EXPECT_EQ(RGB(1, 2, 3), static_cast<COLORREF>(p2007->m_clrFrame));
    EXPECT_EQ(RGB(1, 2, 3), static_cast<COLORREF>(p2007->m_clrSelectedTabBorder));
    EXPECT_EQ(RGB(4, 5, 6), static_cast<COLORREF>(p2007->m_clrTabBorder));
    EXPECT_EQ(RGB(7, 8, 9), static_cast<COLORREF>(p2007->m_clrTabInnerShadow));
    EXPECT_EQ(RGB(16, 17, 18), static_cast<COLORREF>(p2007->m_grcHeader.m_clrEnd));
    EXPECT_EQ(RGB(16, 17, 18), static_cast<COLORREF>(p2007->m_grcHeader2.m_clrStart));
    EXPECT_EQ(RGB(25, 26, 27), static_cast<COLORREF>(p2007->m_clrNormalFill));
    EXPECT_EQ(RGB(28, 29, 30), static_cast<COLORREF>(p2007->m_clrSelectedFill));
    EXPECT_EQ(ZP_COLOR_UNSET, static_cast<COLORREF>(p2007->m_clrHotFill));  // a missing key
    EXPECT_EQ(RGB(19, 20, 21), static_cast<COLORREF>(p2007->m_clrNormalText));
    EXPECT_EQ(RGB(22, 23, 24), static_cast<COLORREF>(p2007->m_clrSelectedText));
    EXPECT_EQ(RGB(19, 20, 21), static_cast<COLORREF>(p2007->m_clrTabText));
    EXPECT_TRUE(p2007->m_bOfficePalette);

    auto* pAccess = static_cast<CZPTabPaintManager::CColorSetAccess2007*>(m_pm->SetColor(128));
    EXPECT_EQ(0u, static_cast<COLORREF>(pAccess->m_clrSelectedText));
    EXPECT_EQ(0u, static_cast<COLORREF>(pAccess->m_clrNormalText));
    EXPECT_EQ(RGB(10, 11, 12), static_cast<COLORREF>(pAccess->m_clrSelectedTabBorder));
    EXPECT_EQ(RGB(13, 14, 15), static_cast<COLORREF>(pAccess->m_grcHeader.m_clrStart));
    EXPECT_EQ(RGB(19, 20, 21), static_cast<COLORREF>(pAccess->m_clrTabText));
    pImages->SetThemeModule(NULL, NULL, FALSE);
}

}  // namespace
