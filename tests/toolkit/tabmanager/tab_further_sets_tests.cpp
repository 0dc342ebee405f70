// The appearance sets beside the property-page family: pixels of every kind in every position.
#include <gtest/gtest.h>

#include <vector>

#include "DibSection.h"
#include "TabTestHost.h"
#include "common/ZPOffice2007Images.h"

namespace {

const COLORREF kBack = RGB(1, 2, 3);
const COLORREF kHeader = RGB(10, 20, 30);
const COLORREF kFrame = RGB(200, 0, 0);
const COLORREF kSelected = RGB(0, 200, 0);
const COLORREF kNormal = RGB(0, 0, 200);
const COLORREF kLight = RGB(250, 250, 0);
const COLORREF kText = RGB(0, 250, 250);

struct CPixel
{
    int x, y;
    COLORREF clr;
};

COLORREF Average(COLORREF a, COLORREF b)
{
    return RGB((GetRValue(a) + GetRValue(b)) >> 1, (GetGValue(a) + GetGValue(b)) >> 1,
               (GetBValue(a) + GetBValue(b)) >> 1);
}

CRect Grown(CRect rc, const CRect& rcMargin, int nPosition)
{
    ZpTabInflateRectForPosition(rc, rcMargin, nPosition);
    return rc;
}

class TabFurtherSets : public testing::Test
{
protected:
    // Installs the kind at the position and gives its colour set distinct colours.
    CZPTabPaintManager::CColorSet* Install(int nAppearance, int nPosition)
    {
        m_pm->SetPosition(nPosition);
        m_pm->SetLayout(zpTabLayoutFixed);
        m_pm->SetAppearance(nAppearance);
        CZPTabPaintManager::CColorSet* pColors = m_pm->GetColorSet();
        pColors->m_grcHeader.m_clrStart.SetCustomValue(kHeader);
        pColors->m_grcHeader.m_clrEnd.SetCustomValue(kHeader);
        pColors->m_clrBackground.SetCustomValue(kBack);
        pColors->m_clrFrame.SetCustomValue(kFrame);
        pColors->m_clrSelectedFill.SetCustomValue(kSelected);
        pColors->m_clrNormalFill.SetCustomValue(kNormal);
        pColors->m_clrLightEdge.SetCustomValue(kLight);
        pColors->m_clrSelectedText.SetCustomValue(kText);
        return pColors;
    }
    // Tabs without captions, one of them selected, drawn into the DIB; returns the selected tab.
    CZPTabManagerItem* Draw(CTestTabHost& host, CDibSection& dib, int nTabs = 3, int nSelected = 1)
    {
        for (int i = 0; i < nTabs; i++)
            host.AddItem(-1);
        host.SetCurSel(nSelected);
        host.Reposition();
        CDC dc(dib.GetDC());
        m_pm->DrawTabControl(&host, &dc, CRect(0, 0, dib.Width(), dib.Height()));
        return host.GetItem(nSelected);
    }
    void ExpectPixels(const CDibSection& dib, const std::vector<CPixel>& pixels)
    {
        for (const CPixel& p : pixels)
            EXPECT_EQ(p.clr, dib.GetPixel(p.x, p.y)) << "at " << p.x << ", " << p.y;
    }

    CPaintManagerRef m_pm;
};

TEST_F(TabFurtherSets, FlatOutlinesEveryTabAndOpensTheSelectedOneTowardsTheClient)
{
    for (int nPosition = 0; nPosition < 4; nPosition++) {
        SCOPED_TRACE(testing::Message() << "position " << nPosition);
        Install(zpTabAppearanceFlat, nPosition);
        CTestTabHost host(m_pm.Get(), NULL, CRect(0, 0, 300, 300));
        CDibSection dib(300, 300, kBack);
        CZPTabManagerItem* pItem = Draw(host, dib);
        // The tab one pixel longer at its end, outlined; the selected one opens into the client
        // area, hiding the client frame under it.
        CRect rc = Grown(pItem->GetRect(), CRect(0, 0, 1, 0), nPosition);
        const int mx = rc.CenterPoint().x, my = rc.CenterPoint().y;
        std::vector<CPixel> pixels = { { mx, my, kSelected } };
        switch (nPosition) {
        case zpTabPositionTop:
            pixels.insert(pixels.end(), { { rc.left, my, kFrame },
                                          { mx, rc.top, kFrame },
                                          { mx, rc.bottom - 1, kSelected },
                                          { mx, rc.bottom, kSelected },
                                          { rc.right + 30, rc.bottom - 1, kFrame } });
            break;
        case zpTabPositionLeft:
            pixels.insert(pixels.end(), { { mx, rc.top, kFrame },
                                          { rc.left, my, kFrame },
                                          { rc.right - 1, my, kSelected },
                                          { rc.right, my, kSelected },
                                          { rc.right - 1, rc.bottom + 30, kFrame } });
            break;
        case zpTabPositionBottom:
            pixels.insert(pixels.end(), { { rc.left, my, kFrame },
                                          { mx, rc.bottom - 1, kFrame },
                                          { mx, rc.top, kSelected },
                                          { mx, rc.top - 1, kSelected },
                                          { rc.right + 30, rc.top, kFrame } });
            break;
        default:
            pixels.insert(pixels.end(), { { mx, rc.top, kFrame },
                                          { rc.right - 1, my, kFrame },
                                          { rc.left, my, kSelected },
                                          { rc.left - 1, my, kSelected },
                                          { rc.left, rc.bottom + 30, kFrame } });
            break;
        }
        ExpectPixels(dib, pixels);
        CRect rc0 = Grown(host.GetItem(0)->GetRect(), CRect(0, 0, 1, 0), nPosition);
        ExpectPixels(dib, { { rc0.CenterPoint().x, rc0.CenterPoint().y, kNormal } });
    }
}

TEST_F(TabFurtherSets, PropertyPageFlatSmoothsItsCornersAndRestoresTheClipExactly)
{
    for (int nPosition = 0; nPosition < 4; nPosition++) {
        SCOPED_TRACE(testing::Message() << "position " << nPosition);
        Install(zpTabAppearancePropertyPageFlat, nPosition);
        CTestTabHost host(m_pm.Get(), NULL, CRect(0, 0, 300, 300));
        CDibSection dib(300, 300, kBack);
        CZPTabManagerItem* pItem = Draw(host, dib);
        const CRect r1 = Grown(Grown(pItem->GetRect(), CRect(0, 0, 1, 0), nPosition), CRect(0, 0, 0, 1), nPosition);
        const int L = r1.left, T = r1.top, R = r1.right, B = r1.bottom;
        // The corner pixel is clipped away; its neighbours on the frame average with it, and the
        // fill pixel inside averages with that averaged neighbour.
        const COLORREF clrEdge = Average(kFrame, kHeader), clrInner = Average(kSelected, clrEdge);
        std::vector<CPixel> pixels;
        switch (nPosition) {
        case zpTabPositionTop:
            pixels = { { L, T, kHeader }, { L, T + 1, clrEdge }, { L + 1, T, clrEdge }, { L + 1, T + 1, clrInner } };
            break;
        case zpTabPositionLeft:
            pixels = { { L, T, kHeader }, { L, T + 1, clrEdge }, { L + 1, T, clrEdge }, { L + 1, T + 1, clrInner } };
            break;
        case zpTabPositionBottom:
            pixels = {
                { L, B - 1, kHeader }, { L, B - 2, clrEdge }, { L + 1, B - 1, clrEdge }, { L + 1, B - 2, clrInner }
            };
            break;
        default:
            pixels = {
                { R - 1, T, kHeader }, { R - 1, T + 1, clrEdge }, { R - 2, T, clrEdge }, { R - 2, T + 1, clrInner }
            };
            break;
        }
        ExpectPixels(dib, pixels);
    }

    // A clip region with a hole comes back with its hole, not as its bounding box.
    Install(zpTabAppearancePropertyPageFlat, zpTabPositionTop);
    CTestTabHost host(m_pm.Get(), NULL, CRect(0, 0, 300, 100));
    for (int i = 0; i < 2; i++)
        host.AddItem(-1);
    host.SetCurSel(0);
    CDibSection dib(300, 100, kBack);
    CDC dc(dib.GetDC());
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 300, 100);
    dc.SelectClipRgn(&rgn);
    dc.ExcludeClipRect(250, 50, 260, 60);
    m_pm->GetAppearanceSet()->DrawSingleTab(&dc, host.GetItem(0));
    dc.FillSolidRect(CRect(240, 40, 270, 70), kSelected);
    EXPECT_EQ(kBack, dib.GetPixel(255, 55));
    EXPECT_EQ(kSelected, dib.GetPixel(245, 45));
    dc.SelectClipRgn(NULL);
}

TEST_F(TabFurtherSets, ExcelTrapezoidsLeanOverTheirNeighboursAndHideTheClientFrame)
{
    for (int nPosition = 0; nPosition < 4; nPosition++) {
        SCOPED_TRACE(testing::Message() << "position " << nPosition);
        CZPTabPaintManager::CColorSet* pColors = Install(zpTabAppearanceExcel, nPosition);
        pColors->m_clrExcelSelectedEdge[0].SetCustomValue(kText);
        pColors->m_clrExcelSelectedEdge[1].SetCustomValue(kText);
        CTestTabHost host(m_pm.Get(), NULL, CRect(0, 0, 300, 300));
        CDibSection dib(300, 300, kBack);
        CZPTabManagerItem* pItem = Draw(host, dib);
        const CRect rc(pItem->GetRect());
        const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
        std::vector<CPixel> pixels;
        switch (nPosition) {
        case zpTabPositionTop: {
            const int D = (B - 1 - T) / 2, L1 = L - D / 2, R2 = R - D / 2;
            // Inside near the client side, outside the slope at the far side, the far edge, and
            // the fill-coloured run over the client frame.
            pixels = { { L1 + 2, B - 2, kSelected },
                       { L1 + D - 2, T + 1, kHeader },
                       { (L + R) / 2, T, kText },
                       { (L + R) / 2, B - 1, kSelected },
                       { R2 + D + 20, B - 1, kFrame } };
            break;
        }
        case zpTabPositionLeft: {
            const int D = (R - 1 - L) / 2, T1 = T - D / 2, B2 = B - D / 2;
            pixels = { { R - 2, T1 + 2, kSelected },
                       { L + 1, T1 + D - 2, kHeader },
                       { L, (T + B) / 2, kText },
                       { R - 1, (T + B) / 2, kSelected },
                       { R - 1, B2 + D + 20, kFrame } };
            break;
        }
        case zpTabPositionBottom: {
            const int D = (B - 1 - T) / 2, L1 = L - D / 2, R2 = R - D / 2;
            pixels = { { L1 + 2, T + 1, kSelected },
                       { L1 + D - 2, B - 2, kHeader },
                       { (L + R) / 2, B - 1, kText },
                       { (L + R) / 2, T, kSelected },
                       { R2 + D + 20, T, kFrame } };
            break;
        }
        default: {
            const int D = (R - 1 - L) / 2, T1 = T - D / 2, B2 = B - D / 2;
            pixels = { { L + 1, T1 + 2, kSelected },
                       { R - 2, T1 + D - 2, kHeader },
                       { R - 1, (T + B) / 2, kText },
                       { L, (T + B) / 2, kSelected },
                       { L, B2 + D + 20, kFrame } };
            break;
        }
        }
        ExpectPixels(dib, pixels);
    }
}

TEST_F(TabFurtherSets, StateButtonsAndVisualStudioTabs)
{
    const COLORREF kButton = RGB(5, 6, 7), kTopLeft = RGB(50, 60, 70), kBottomRight = RGB(80, 90, 100);
    for (int nPosition = 0; nPosition < 4; nPosition++) {
        SCOPED_TRACE(testing::Message() << "position " << nPosition);
        BOOL bHorizontal = nPosition == zpTabPositionTop || nPosition == zpTabPositionBottom;
        CZPTabPaintManager::CColorSet* pColors = Install(zpTabAppearanceStateButtons, nPosition);
        pColors->m_grcButton.m_clrStart.SetCustomValue(kButton);
        pColors->m_grcButton.m_clrEnd.SetCustomValue(kButton);
        pColors->m_grcButtonBorder.m_clrStart.SetCustomValue(kTopLeft);
        pColors->m_grcButtonBorder.m_clrEnd.SetCustomValue(kBottomRight);
        {
            CTestTabHost host(m_pm.Get(), NULL, CRect(0, 0, 300, 300));
            CDibSection dib(300, 300, kBack);
            const CRect rc(Draw(host, dib)->GetRect());
            const CRect rc0(host.GetItem(0)->GetRect());
            const CPoint c = rc.CenterPoint(), c0 = rc0.CenterPoint();
            // No header fill; the other tabs only an etched separator at their end.
            std::vector<CPixel> pixels = { { c.x, c.y, kButton },
                                           { rc.left, c.y, kTopLeft },
                                           { c.x, rc.bottom - 1, kBottomRight },
                                           { c0.x, c0.y, kBack } };
            COLORREF clrShadow = ZpTabColorEntry(COLOR_BTNSHADOW), clrHighlight = ZpTabColorEntry(COLOR_BTNHIGHLIGHT);
            if (bHorizontal)
                pixels.insert(pixels.end(),
                              { { rc0.right - 2, c0.y, clrShadow }, { rc0.right - 1, c0.y, clrHighlight } });
            else
                pixels.insert(pixels.end(),
                              { { c0.x, rc0.bottom - 2, clrShadow }, { c0.x, rc0.bottom - 1, clrHighlight } });
            ExpectPixels(dib, pixels);
        }

        Install(zpTabAppearanceVisualStudio, nPosition);
        CTestTabHost host(m_pm.Get(), NULL, CRect(0, 0, 300, 300));
        CDibSection dib(300, 300, kBack);
        const CRect rc(Draw(host, dib)->GetRect());
        const CRect rc0(host.GetItem(2)->GetRect());
        const CPoint c = rc.CenterPoint(), c0 = rc0.CenterPoint();
        // The selected tab raised in the light edge and the selected text colour, the others
        // separated by a frame-coloured line just past their end.
        std::vector<CPixel> pixels = { { c.x, c.y, kSelected }, { c0.x, c0.y, kHeader } };
        if (bHorizontal)
            pixels.insert(pixels.end(),
                          { { rc.left, c.y, kLight }, { rc.right - 1, c.y, kText }, { rc0.right, c0.y, kFrame } });
        else
            pixels.insert(pixels.end(),
                          { { c.x, rc.top, kLight }, { c.x, rc.bottom - 1, kText }, { c0.x, rc0.bottom, kFrame } });
        ExpectPixels(dib, pixels);
    }
}

TEST_F(TabFurtherSets, VisioStacksTheTabsAroundTheSelectedOneInEveryPosition)
{
    for (int nPosition = 0; nPosition < 4; nPosition++) {
        SCOPED_TRACE(testing::Message() << "position " << nPosition);
        Install(zpTabAppearanceVisio, nPosition);
        CTestTabHost host(m_pm.Get(), NULL, CRect(0, 0, 200, 300));
        CDibSection dib(200, 300, kBack);
        Draw(host, dib, 5, 2);
        const int h = m_pm->GetAppearanceSet()->GetRowHeight(&host);
        ASSERT_GT(h, 0);
        const int tops[5] = { 1, 1 + h, 1 + 2 * h, 300 - 2 * h, 300 - h };
        for (int i = 0; i < 5; i++)
            EXPECT_EQ(CRect(1, tops[i], 199, tops[i] + h), host.GetItem(i)->GetRect()) << "tab " << i;
        EXPECT_EQ(CRect(1, 1 + 3 * h, 199, 300 - 2 * h), host.GetClientRect());
        EXPECT_TRUE(host.GetHeaderRect().IsRectEmpty());

        const CRect rc3(host.GetItem(3)->GetRect());
        ExpectPixels(dib, { { 0, 150, kFrame },
                            { 100, rc3.top, kLight },
                            { 100, rc3.bottom - 1, kFrame },
                            { 20, rc3.top + 5, kNormal },
                            { rc3.right - 7, rc3.top + 4, ZpTabColorEntry(38) },
                            { rc3.right - 5, rc3.top + 4, ZpTabColorEntry(38) },
                            { rc3.right - 4, rc3.top + 4, kNormal },
                            { rc3.right - 7, rc3.top + 5, kNormal },
                            { 20, host.GetItem(2)->GetRect().top + 5, kSelected },
                            { 100, 150, kBack } });
    }
}

// The Office 2007 kinds with the test module's images ("RIBBONTAB": red top-left and green
// top-right corners on blue; "ACCESSTAB": a red top-left corner on the transparent key).
class TabOffice2007Sets : public TabFurtherSets
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ZpOffice2007ImagesInstance()->SetThemeModule(::GetModuleHandleW(NULL), L"TabTheme.ini", FALSE));
    }
    void TearDown() override { ZpOffice2007ImagesInstance()->SetThemeModule(NULL, NULL, FALSE); }
};

TEST_F(TabOffice2007Sets, RibbonTabImageIsTurnedWithThePosition)
{
    const COLORREF kRed = RGB(200, 0, 0), kGreen = RGB(0, 200, 0), kBlue = RGB(0, 0, 200);
    for (int nPosition = 0; nPosition < 4; nPosition++) {
        SCOPED_TRACE(testing::Message() << "position " << nPosition);
        Install(zpTabAppearancePropertyPage2007, nPosition);
        m_pm->m_nClientFrame = 2;
        CTestTabHost host(m_pm.Get(), NULL, CRect(0, 0, 300, 300));
        CDibSection dib(300, 300, kBack);
        const CRect rc(Draw(host, dib)->GetRect());
        const int L = rc.left + 1, T = rc.top + 1, R = rc.right - 2, B = rc.bottom - 2;
        const CPoint c = rc.CenterPoint();
        // Where the upright image's top-left (red) and top-right (green) corners land.
        CPoint ptRed(L, T), ptGreen(R, T);
        if (nPosition == zpTabPositionLeft)
            ptGreen.SetPoint(L, B);
        else if (nPosition == zpTabPositionRight)
            ptRed.SetPoint(R, T), ptGreen.SetPoint(R, B);
        else if (nPosition == zpTabPositionBottom)
            ptRed.SetPoint(L, B), ptGreen.SetPoint(R, B);
        ExpectPixels(dib, { { ptRed.x, ptRed.y, kRed }, { ptGreen.x, ptGreen.y, kGreen }, { c.x, c.y, kBlue } });
        // Only the selected and the hot tab have an image.
        const CPoint c0 = host.GetItem(0)->GetRect().CenterPoint();
        EXPECT_EQ(kHeader, dib.GetPixel(c0.x, c0.y));
    }
}

TEST_F(TabOffice2007Sets, AccessTabsShowTheirBackgroundThroughTheKeyInEveryPosition)
{
    const COLORREF kRed = RGB(200, 0, 0);
    for (int nPosition = 0; nPosition < 4; nPosition++) {
        SCOPED_TRACE(testing::Message() << "position " << nPosition);
        Install(zpTabAppearancePropertyPageAccess2007, nPosition);
        m_pm->m_nClientFrame = 2;
        CTestTabHost host(m_pm.Get(), NULL, CRect(0, 0, 300, 300));
        CDibSection dib(300, 300, kBack);
        Draw(host, dib);
        // Every tab has its image; its transparent body shows the header under it.
        for (int i = 0; i < 3; i++) {
            const CRect rc(host.GetItem(i)->GetRect());
            CPoint ptRed(rc.left + 1, rc.top + 1);
            if (nPosition == zpTabPositionRight)
                ptRed.x = rc.right - 2;
            else if (nPosition == zpTabPositionBottom)
                ptRed.y = rc.bottom - 2;
            EXPECT_EQ(kRed, dib.GetPixel(ptRed.x, ptRed.y)) << "tab " << i;
            EXPECT_EQ(kHeader, dib.GetPixel(rc.CenterPoint().x, rc.CenterPoint().y)) << "tab " << i;
        }
    }
}

TEST_F(TabFurtherSets, Office2007KindsDrawNothingWithoutImages)
{
    ZpOffice2007ImagesInstance()->SetThemeModule(NULL, NULL, FALSE);
    for (int nAppearance : { zpTabAppearancePropertyPage2007, zpTabAppearancePropertyPageAccess2007 }) {
        for (int nPosition = 0; nPosition < 4; nPosition++) {
            SCOPED_TRACE(testing::Message() << "appearance " << nAppearance << " position " << nPosition);
            Install(nAppearance, nPosition);
            CTestTabHost host(m_pm.Get(), NULL, CRect(0, 0, 300, 300));
            CDibSection dib(300, 300, RGB(9, 9, 9));
            Draw(host, dib);
            RECT rcInk = dib.InkBox(kBack);
            EXPECT_LT(rcInk.right, rcInk.left) << "something drawn at " << rcInk.left << ", " << rcInk.top;
        }
    }
}

TEST_F(TabFurtherSets, ZeroSizeControlsAndTabsDrawWithoutHarm)
{
    for (int nAppearance = 0; nAppearance < 12; nAppearance++) {
        for (int nPosition = 0; nPosition < 4; nPosition++) {
            SCOPED_TRACE(testing::Message() << "appearance " << nAppearance << " position " << nPosition);
            Install(nAppearance, nPosition);
            CTestTabHost host(m_pm.Get(), NULL, CRect(0, 0, 0, 0));
            CDibSection dib(40, 40, kBack);
            Draw(host, dib);
            host.SetBounds(CRect(10, 10, 5, 5));
            CDC dc(dib.GetDC());
            m_pm->DrawTabControl(&host, &dc, CRect(0, 0, 0, 0));
            CRect rcClient(0, 0, 0, 0);
            m_pm->AdjustClientRect(&host, rcClient);
            EXPECT_GE(rcClient.Width(), 0);
            EXPECT_GE(rcClient.Height(), 0);
        }
    }
}

}  // namespace
