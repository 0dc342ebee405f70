// Appearance sets: the numbered kinds with their default colour sets, sets of a caller's own
// class, and the pixels of the property-page shapes in every position.
#include <gtest/gtest.h>

#include <typeinfo>
#include <vector>

#include "DibSection.h"
#include "TabTestHost.h"

namespace {

struct CPixel
{
    int x, y;
    COLORREF clr;
};

// Forces a Windows visual style for the colour sets and puts the detected one back after.
class TabAppearance : public testing::Test
{
protected:
    void SetStyle(int nStyle)
    {
        ZpColorManagerInstance().SetThemeSetting(nStyle);
        m_pm->RefreshMetrics();
    }
    void TearDown() override
    {
        ZpColorManagerInstance().SetThemeSetting(zpThemeAutomatic);
        ZpRefreshColors();
    }
    // Three fixed-length tabs without captions, the middle one selected, drawn into the DIB.
    CZPTabManagerItem* DrawStrip(CTestTabHost& host, CDibSection& dib)
    {
        host.AddCaptions({ L"", L"", L"" });
        host.SetCurSel(1);
        host.Reposition();
        CDC dc(dib.GetDC());
        m_pm->DrawTabControl(&host, &dc, CRect(0, 0, dib.Width(), dib.Height()));
        return host.GetItem(1);
    }
    void ExpectPixels(const CDibSection& dib, const std::vector<CPixel>& pixels)
    {
        for (const CPixel& p : pixels)
            EXPECT_EQ(p.clr, dib.GetPixel(p.x, p.y)) << "at " << p.x << ", " << p.y;
    }

    CPaintManagerRef m_pm;
};

TEST_F(TabAppearance, NumbersInstallTheirKindAndDefaultColourSet)
{
    using PM = CZPTabPaintManager;
    struct
    {
        int nAppearance;
        const std::type_info& type;
        int nColor;
        const std::type_info& colorType;
        int nSupported;
        CRect rcMargin;
    } cases[] = {
        { 0, typeid(PM::CAppearanceSetPropertyPage), 1, typeid(PM::CColorSetDefault), 13, CRect(2, 3, 6, 0) },
        { 1, typeid(PM::CAppearanceSetPropertyPageSelected), 1, typeid(PM::CColorSetDefault), 13, CRect(2, 3, 6, 0) },
        { 2, typeid(PM::CAppearanceSetPropertyPageFlat), 1, typeid(PM::CColorSetDefault), 7, CRect(2, 2, 4, 0) },
        { 3, typeid(PM::CAppearanceSetPropertyPage2003), 4, typeid(PM::CColorSetOffice2003), 85, CRect(2, 3, 6, 0) },
        { 4, typeid(PM::CAppearanceSetStateButtons), 2, typeid(PM::CColorSetVisualStudio), 95, CRect(2, 2, 4, 2) },
        { 5, typeid(PM::CAppearanceSetVisualStudio), 2, typeid(PM::CColorSetVisualStudio), 7, CRect(4, 2, 4, 0) },
        { 6, typeid(PM::CAppearanceSetFlat), 2, typeid(PM::CColorSetVisualStudio), 7, CRect(2, 2, 4, 0) },
        { 7, typeid(PM::CAppearanceSetExcel), 2, typeid(PM::CColorSetVisualStudio), 7, CRect(2, 3, 2, 0) },
        { 8, typeid(PM::CAppearanceSetVisio), 1, typeid(PM::CColorSetDefault), 5, CRect(0, 0, 0, 0) },
        { 9, typeid(PM::CAppearanceSetVisualStudio2005), 4, typeid(PM::CColorSetOffice2003), 85, CRect(2, 3, 6, 0) },
        { 10, typeid(PM::CAppearanceSetPropertyPage2007), 32, typeid(PM::CColorSetOffice2007), 32, CRect(4, 1, 0, 0) },
        { 11, typeid(PM::CAppearanceSetPropertyPageAccess2007), 128, typeid(PM::CColorSetAccess2007), 128,
          CRect(4, 1, 0, 0) },
        { -1, typeid(PM::CAppearanceSetPropertyPage), 1, typeid(PM::CColorSetDefault), 13, CRect(2, 3, 6, 0) },
        { 12, typeid(PM::CAppearanceSetPropertyPage), 1, typeid(PM::CColorSetDefault), 13, CRect(2, 3, 6, 0) },
        { 1000, typeid(PM::CAppearanceSetPropertyPage), 1, typeid(PM::CColorSetDefault), 13, CRect(2, 3, 6, 0) },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "appearance " << c.nAppearance);
        CZPTabPaintManager::CAppearanceSet* pSet = m_pm->SetAppearance(c.nAppearance);
        EXPECT_EQ(c.nAppearance, m_pm->GetAppearance());
        EXPECT_TRUE(typeid(*pSet) == c.type);
        EXPECT_EQ(c.nColor, m_pm->GetColor());
        EXPECT_TRUE(typeid(*m_pm->GetColorSet()) == c.colorType);
        EXPECT_EQ(c.rcMargin, pSet->m_rcHeaderMargin);
        EXPECT_EQ(c.nSupported, pSet->GetSupportedColorSets());
        EXPECT_EQ(m_pm.Get(), m_pm->GetColorSet()->m_pPaintManager);
    }
    // The 2003 header starts after room for the first tab's slope; Visual Studio 2005's after half of it.
    m_pm->SetAppearance(3);
    int nRow = m_pm->GetAppearanceSet()->m_nTextRowHeight;
    EXPECT_EQ(2 + nRow, m_pm->GetAppearanceSet()->GetHeaderMargin().left);
    m_pm->SetAppearance(9);
    EXPECT_EQ(2 + nRow / 2, m_pm->GetAppearanceSet()->GetHeaderMargin().left);
    EXPECT_TRUE(m_pm->GetAppearanceSet()->m_bDrawTowardsSelection);
    // Excel leaves room for the slopes at both ends, Access 2007 for its last tab's image.
    m_pm->SetAppearance(7);
    nRow = m_pm->GetAppearanceSet()->m_nTextRowHeight;
    EXPECT_EQ(CRect(2 + nRow / 2, 3, 2 + nRow / 2, 0), m_pm->GetAppearanceSet()->GetHeaderMargin());
    EXPECT_EQ(0, m_pm->GetAppearanceSet()->m_nRowSpacing + 2);
    m_pm->SetAppearance(4);
    EXPECT_EQ(0, m_pm->GetAppearanceSet()->m_nRowSpacing);
    m_pm->SetAppearance(11);
    nRow = m_pm->GetAppearanceSet()->m_nTextRowHeight;
    EXPECT_GE(nRow, 24);
    EXPECT_EQ(CRect(4, 1, nRow / 2, 0), m_pm->GetAppearanceSet()->GetHeaderMargin());
}

// A caller's own kinds, installed as objects.
class CRoundedSet : public CZPTabPaintManager::CAppearanceSetPropertyPage2003
{
public:
    void RefreshMetrics() override
    {
        CAppearanceSetPropertyPage2003::RefreshMetrics();
        m_nRefreshes++;
    }
    int GetDefaultColorSet() const override { return 16; }
    int m_nRefreshes = 0;
};

class CNoFillColors : public CZPTabPaintManager::CColorSetOffice2003
{
public:
    void RefreshMetrics() override
    {
        CColorSetOffice2003::RefreshMetrics();
        m_clrSelectedFill.SetStandardValue(ZP_COLOR_UNSET);
        m_clrNormalFill.SetStandardValue(ZP_COLOR_UNSET);
        m_nRefreshes++;
    }
    int m_nRefreshes = 0;
};

TEST_F(TabAppearance, DerivedSetsInstalledAsObjects)
{
    CTestTabHost host(m_pm.Get());
    int nRepositions = host.m_nRepositions;
    CRoundedSet* pSet = new CRoundedSet();
    EXPECT_EQ(pSet, m_pm->SetAppearanceSetObject(pSet));
    EXPECT_EQ(m_pm.Get(), pSet->m_pPaintManager);
    EXPECT_GE(pSet->m_nRefreshes, 1);
    EXPECT_EQ(16, m_pm->GetColor());
    EXPECT_NE(nullptr, dynamic_cast<CZPTabPaintManager::CColorSetWhidbey*>(m_pm->GetColorSet()));
    EXPECT_GT(host.m_nRepositions, nRepositions);

    CNoFillColors* pColors = new CNoFillColors();
    EXPECT_EQ(pColors, m_pm->SetColorSetObject(pColors));
    EXPECT_EQ(m_pm.Get(), pColors->m_pPaintManager);
    int nRefreshes = pColors->m_nRefreshes;
    m_pm->RefreshMetrics();
    EXPECT_EQ(nRefreshes + 1, pColors->m_nRefreshes);

    // A -1 fill draws nothing and leaves no line joining the selected tab to the client area.
    m_pm->m_bFillBackground = FALSE;
    CTestTabHost strip(m_pm.Get(), NULL, CRect(0, 0, 300, 80));
    m_pm->SetLayout(zpTabLayoutFixed);
    CDibSection dib(300, 80, RGB(1, 2, 3));
    CZPTabManagerItem* pItem = DrawStrip(strip, dib);
    CRect rc(pItem->GetRect());
    EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(rc.right - 3, rc.top + 4));
    EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(rc.right - 3, rc.bottom - 1));
    EXPECT_NE(RGB(1, 2, 3), dib.GetPixel(rc.right, rc.top + 4));  // the outline still shows
}

TEST_F(TabAppearance, PropertyPage2003ShapesInEveryPosition)
{
    const COLORREF kBorder = 0x9C613B, kWhite = 0xFFFFFF, kFill = 0x73C2FF;
    for (int nPosition = 0; nPosition < 4; nPosition++) {
        SCOPED_TRACE(testing::Message() << "position " << nPosition);
        m_pm->SetPosition(nPosition);
        m_pm->SetLayout(zpTabLayoutFixed);
        m_pm->SetAppearance(3);
        SetStyle(zpThemeLunaBlue);
        CTestTabHost host(m_pm.Get(), NULL, CRect(0, 0, 300, 300));
        CDibSection dib(300, 300, RGB(1, 2, 3));
        CZPTabManagerItem* pItem = DrawStrip(host, dib);
        const CRect rc(pItem->GetRect());
        const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom, mx = (L + R) / 2, my = (T + B) / 2;
        std::vector<CPixel> pixels;
        switch (nPosition) {
        case zpTabPositionTop:
            pixels = { { R, T + 4, kBorder },    { mx, T, kBorder },      { mx, T + 1, kWhite },
                       { R - 1, T + 4, kWhite }, { R - 3, B - 1, kFill }, { R - 3, T + 2, 0xD5EDFF } };
            break;
        case zpTabPositionLeft:
            pixels = { { L, my, kBorder },    { mx, B, kBorder },      { L + 1, my, kWhite },
                       { mx, B - 1, kWhite }, { R - 1, B - 3, kFill }, { L + 2, B - 3, 0xD5EDFF } };
            break;
        case zpTabPositionBottom:
            pixels = { { R, T + 4, kBorder },
                       { mx, B, kBorder },
                       { mx, B - 1, kWhite },
                       { R - 1, T + 4, kWhite },
                       { R - 3, T, kFill } };
            break;
        default:
            pixels = { { R, my, kBorder },
                       { mx, B, kBorder },
                       { R - 1, my, kWhite },
                       { mx, B - 1, kWhite },
                       { L, B - 3, kFill } };
            break;
        }
        ExpectPixels(dib, pixels);
        // The header's gradient starts on its far side (top and left tabs) in the palette's first colour.
        if (nPosition == zpTabPositionTop) {
            EXPECT_EQ(0xFADAC4u, dib.GetPixel(150, 0));
        }
        if (nPosition == zpTabPositionLeft) {
            EXPECT_EQ(0xFADAC4u, dib.GetPixel(0, 150));
        }
        // The unselected tabs: the blue palette's border.
        const CRect rc0(host.GetItem(0)->GetRect());
        if (nPosition == zpTabPositionTop) {
            EXPECT_EQ(0x9A3500u, dib.GetPixel((rc0.left + rc0.right) / 2, rc0.top));
        }
    }
}

TEST_F(TabAppearance, PropertyPageRunsInEveryPosition)
{
    const COLORREF kHigh = RGB(250, 0, 0), kShadow = RGB(0, 250, 0), kDark = RGB(0, 0, 250), kFill = RGB(9, 9, 9);
    for (int nPosition = 0; nPosition < 4; nPosition++) {
        SCOPED_TRACE(testing::Message() << "position " << nPosition);
        m_pm->SetPosition(nPosition);
        m_pm->SetLayout(zpTabLayoutFixed);
        m_pm->SetAppearance(0);
        // The selected bottom and right tabs' merge runs lie on the client's edge, outside the header.
        m_pm->m_bClipHeader = FALSE;
        CZPTabPaintManager::CColorSet* pColors = m_pm->GetColorSet();
        pColors->m_clr3DHighlight.SetCustomValue(kHigh);
        pColors->m_clr3DShadow.SetCustomValue(kShadow);
        pColors->m_clr3DDarkShadow.SetCustomValue(kDark);
        pColors->m_clrSelectedFill.SetCustomValue(kFill);
        CTestTabHost host(m_pm.Get(), NULL, CRect(0, 0, 300, 300));
        CDibSection dib(300, 300, RGB(1, 2, 3));
        CZPTabManagerItem* pItem = DrawStrip(host, dib);
        CRect rc(pItem->GetRect());
        if (nPosition == zpTabPositionTop)
            rc.InflateRect(2, 2, 2, 0);
        else if (nPosition == zpTabPositionLeft)
            rc.InflateRect(2, 2, 0, 2);
        else
            rc.InflateRect(2, 2);
        const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom, mx = (L + R) / 2, my = (T + B) / 2;
        std::vector<CPixel> pixels;
        switch (nPosition) {
        case zpTabPositionTop:
            pixels = { { L, my, kHigh },     { mx, T, kHigh },        { R - 1, my, kDark },   { R - 2, my, kShadow },
                       { mx, B - 1, kFill }, { L + 1, T + 1, kHigh }, { R - 2, T + 1, kDark } };
            break;
        case zpTabPositionLeft:
            pixels = { { mx, T, kHigh },     { L, my, kHigh },     { mx, B - 2, kShadow },
                       { mx, B - 1, kDark }, { R - 1, my, kFill }, { L + 2, B - 1, kShadow } };
            break;
        case zpTabPositionBottom:
            pixels = { { L, my, kHigh },     { mx, B - 1, kShadow }, { mx, B, kDark },
                       { R - 1, my, kDark }, { R - 2, my, kShadow }, { mx, T + 1, kFill } };
            break;
        default:
            pixels = { { mx, T, kHigh },       { R - 1, my, kShadow }, { R, my, kDark },
                       { mx, B - 2, kShadow }, { mx, B - 1, kDark },   { L + 1, my, kFill } };
            break;
        }
        ExpectPixels(dib, pixels);
    }
}

TEST_F(TabAppearance, VisualStudio2005ShapesInEveryPosition)
{
    const COLORREF kBorder = 0x9C613B, kWhite = 0xFFFFFF;
    for (int nPosition = 0; nPosition < 4; nPosition++) {
        SCOPED_TRACE(testing::Message() << "position " << nPosition);
        m_pm->SetPosition(nPosition);
        m_pm->SetLayout(zpTabLayoutFixed);
        m_pm->SetAppearance(9);
        SetStyle(zpThemeLunaBlue);
        CTestTabHost host(m_pm.Get(), NULL, CRect(0, 0, 300, 300));
        CDibSection dib(300, 300, RGB(1, 2, 3));
        CZPTabManagerItem* pItem = DrawStrip(host, dib);
        const CRect rc(pItem->GetRect());
        const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom, mx = (L + R) / 2, my = (T + B) / 2;
        // The far edge sits 2h from the near one: h is half the depth, rounded down.
        std::vector<CPixel> pixels;
        switch (nPosition) {
        case zpTabPositionTop: {
            const int T2 = B - 2 * (rc.Height() / 2);
            pixels = { { mx, T2, kBorder }, { mx, T2 + 1, kWhite }, { R - 1, T2 + 5, kBorder } };
            break;
        }
        case zpTabPositionLeft: {
            const int L2 = R - 2 * (rc.Width() / 2);
            pixels = { { L2, my, kBorder }, { L2 + 1, my, kWhite }, { L2 + 5, B - 1, kBorder } };
            break;
        }
        case zpTabPositionBottom: {
            const int B2 = T + 2 * (rc.Height() / 2);
            // Bottom tabs have no inner line along the far edge: only the near slope's.
            pixels = { { mx, B2, kBorder }, { L + 7, B2 - 1, kWhite }, { R - 1, B2 - 5, kBorder } };
            break;
        }
        default: {
            const int R2 = L + 2 * (rc.Width() / 2);
            pixels = { { R2, my, kBorder }, { R2 - 1, my, kWhite }, { R2 - 5, B - 1, kBorder } };
            break;
        }
        }
        ExpectPixels(dib, pixels);
    }
}

// Hot tabs set directly.
class CHotHost : public CTestTabHost
{
public:
    using CTestTabHost::CTestTabHost;
    void SetHotItem(CZPTabManagerItem* pItem) { m_pHighlighted = pItem; }
};

TEST_F(TabAppearance, PropertyPageSelectedShapesOnlyTheSelectedAndHotTabs)
{
    const COLORREF kHigh = RGB(250, 0, 0), kPaper = RGB(1, 2, 3);
    m_pm->SetLayout(zpTabLayoutFixed);
    m_pm->SetAppearance(1);
    m_pm->m_bFillBackground = FALSE;
    m_pm->GetColorSet()->m_clr3DHighlight.SetCustomValue(kHigh);
    CHotHost host(m_pm.Get(), NULL, CRect(0, 0, 300, 80));
    host.AddCaptions({ L"", L"", L"" });
    host.SetCurSel(1);
    host.SetHotItem(host.GetItem(2));
    CDibSection dib(300, 80, kPaper);
    CDC dc(dib.GetDC());
    m_pm->DrawTabControl(&host, &dc, CRect(0, 0, 300, 80));
    auto TopEdge = [&](int i) {
        const CRect& rc = host.GetItem(i)->GetRect();
        return dib.GetPixel(rc.CenterPoint().x, rc.top - (i == 1 ? 2 : 0));
    };
    EXPECT_EQ(kPaper, TopEdge(0));
    EXPECT_EQ(kHigh, TopEdge(1));
    EXPECT_EQ(kHigh, TopEdge(2));
    host.SetHotItem(NULL);
}

TEST_F(TabAppearance, PropertyPage2003HotBorderWinsOverTheSelectedColours)
{
    m_pm->SetLayout(zpTabLayoutFixed);
    auto* pSet = static_cast<CZPTabPaintManager::CAppearanceSetPropertyPage2003*>(m_pm->SetAppearance(3));
    SetStyle(zpThemeLunaBlue);
    pSet->m_bHotBorder = TRUE;
    CHotHost host(m_pm.Get(), NULL, CRect(0, 0, 300, 80));
    host.AddCaptions({ L"", L"", L"" });
    host.SetCurSel(1);
    host.SetHotItem(host.GetItem(1));
    CDibSection dib(300, 80, RGB(1, 2, 3));
    CDC dc(dib.GetDC());
    m_pm->DrawTabControl(&host, &dc, CRect(0, 0, 300, 80));
    const CRect rc(host.GetItem(1)->GetRect());
    // The button border's end colour of the blue palette, for the outline and both inner lines.
    EXPECT_EQ(0x800000u, dib.GetPixel(rc.right, rc.top + 4));
    EXPECT_EQ(0x800000u, dib.GetPixel(rc.CenterPoint().x, rc.top + 1));
    EXPECT_EQ(0x800000u, dib.GetPixel(rc.right - 1, rc.top + 4));
    host.SetHotItem(NULL);
}

TEST_F(TabAppearance, TinyStripsDrawWithoutLeakingInEveryKindAndPosition)
{
    auto DrawAll = [&] {
        for (int nAppearance : { 0, 1, 3, 9 }) {
            for (int nPosition = 0; nPosition < 4; nPosition++) {
                m_pm->SetAppearance(nAppearance);
                m_pm->SetPosition(nPosition);
                for (CRect rcBounds :
                     { CRect(0, 0, 0, 0), CRect(0, 0, 6, 5), CRect(0, 0, 40, 12), CRect(0, 0, 120, 60) }) {
                    for (int nItems = 0; nItems < 3; nItems++) {
                        CTestTabHost host(m_pm.Get(), NULL, rcBounds);
                        host.m_bLayoutSuspended = TRUE;
                        for (int i = 0; i < nItems; i++)
                            host.AddItem(-1)->SetCaption(L"x");
                        host.m_bLayoutSuspended = FALSE;
                        host.Reposition();
                        host.SetCurSel(nItems - 1);
                        CDibSection dib(130, 70, RGB(1, 2, 3));
                        CDC dc(dib.GetDC());
                        m_pm->DrawTabControl(&host, &dc, rcBounds);
                    }
                }
            }
        }
    };
    DrawAll();
    DWORD dwBefore = CountGdiObjects();
    DrawAll();
    EXPECT_EQ(dwBefore, CountGdiObjects());
}

}  // namespace
