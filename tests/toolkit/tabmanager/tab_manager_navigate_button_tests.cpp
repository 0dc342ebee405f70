// Scroll arrows and close buttons: when they show and are enabled, the held-button loop, a tab's
// close button removing its own tab, tooltips and the glyph pixels.
#include <gtest/gtest.h>

#include "DibSection.h"
#include "TabTestHost.h"
#include "TabTestMessages.h"

namespace {

CZPTabManagerNavigateButton* Button(CTestTabHost& host, int nId)
{
    return host.GetNavigateButton(nId);
}

class TabButtons : public testing::Test
{
protected:
    TabButtons() : m_host(m_pm.Get(), m_window.GetHwnd(), CRect(0, 0, 200, 60)) {}
    ~TabButtons() override { DrainQueue(); }

    CPoint CenterOf(int nId) { return Button(m_host, nId)->GetRect().CenterPoint(); }
    HWND Hwnd() const { return m_window.GetHwnd(); }

    CTestWindow m_window;
    CPaintManagerRef m_pm;
    CTestTabHost m_host;
};

TEST_F(TabButtons, ArrowsShowOnlyWhileTheTabsDoNotFitOrAreScrolled)
{
    m_host.AddCaptions({ L"a", L"b" });
    EXPECT_TRUE(Button(m_host, zpTabNavigateButtonLeft)->GetRect().IsRectEmpty());
    EXPECT_TRUE(Button(m_host, zpTabNavigateButtonRight)->GetRect().IsRectEmpty());

    m_host.AddNumberedTabs(10);
    CZPTabManagerNavigateButton* pLeft = Button(m_host, zpTabNavigateButtonLeft);
    CZPTabManagerNavigateButton* pRight = Button(m_host, zpTabNavigateButtonRight);
    ASSERT_FALSE(pRight->GetRect().IsRectEmpty());
    EXPECT_FALSE(pLeft->GetRect().IsRectEmpty());
    EXPECT_EQ(CSize(14, 15), pRight->GetRect().Size());
    EXPECT_EQ(pLeft->GetRect().right, pRight->GetRect().left);
    EXPECT_EQ(pLeft->GetRect().left, m_host.GetHeaderRect().right);
    EXPECT_FALSE(pLeft->IsEnabled());
    EXPECT_TRUE(pRight->IsEnabled());
    EXPECT_EQ(L"Scroll Left", pLeft->GetTooltip());
    EXPECT_EQ(L"Scroll Right", pRight->GetTooltip());

    for (int nLayout : { zpTabLayoutMultiRow, zpTabLayoutCompressed }) {
        m_pm->SetLayout(nLayout);
        EXPECT_TRUE(pLeft->GetRect().IsRectEmpty()) << nLayout;
        EXPECT_TRUE(pRight->GetRect().IsRectEmpty()) << nLayout;
    }
    m_pm->SetLayout(zpTabLayoutAutoSize);
    m_pm->SetPosition(zpTabPositionRight);
    m_host.SetBounds(CRect(0, 0, 60, 200));
    EXPECT_EQ(L"Scroll Up", pLeft->GetTooltip());
    EXPECT_EQ(L"Scroll Down", pRight->GetTooltip());
    EXPECT_EQ(pRight->GetRect().bottom, m_host.GetHeaderRect().bottom + 2 * 15);
}

TEST_F(TabButtons, AHeldArrowScrollsByTwentyUntilItIsDisabled)
{
    m_host.AddNumberedTabs(12);
    CZPTabManagerNavigateButton* pRight = Button(m_host, zpTabNavigateButtonRight);
    int nTicks = 0;
    CTimerAction watch([&] {
        if (!pRight->IsEnabled() || ++nTicks > 2000)
            Post(Hwnd(), WM_LBUTTONUP, 0, CPoint(0, 0));
    });
    ASSERT_TRUE(m_host.HandleMouseDown(m_window.GetWnd(), CenterOf(zpTabNavigateButtonRight)));
    EXPECT_FALSE(pRight->IsEnabled());
    EXPECT_FALSE(pRight->IsPressed());
    EXPECT_TRUE(Button(m_host, zpTabNavigateButtonLeft)->IsEnabled());
    const std::vector<int>& offsets = m_host.m_offsets;
    ASSERT_GE(offsets.size(), 3u);
    EXPECT_EQ(0, offsets[0]);
    for (size_t i = 1; i + 1 < offsets.size(); i++)
        EXPECT_EQ(-20, offsets[i] - offsets[i - 1]);
    EXPECT_TRUE(m_host.m_clicks.empty());  // arrows act only while held
}

TEST_F(TabButtons, AClickShorterThanTheRepeatScrollsNothing)
{
    m_host.AddNumberedTabs(12);
    Post(Hwnd(), WM_LBUTTONUP, 0, CenterOf(zpTabNavigateButtonRight));
    ASSERT_TRUE(m_host.HandleMouseDown(m_window.GetWnd(), CenterOf(zpTabNavigateButtonRight)));
    EXPECT_EQ(0, m_host.GetScrollOffset());
}

TEST_F(TabButtons, TheStripCloseButtonShowsForAClosableSelectionAndActsOnRelease)
{
    m_host.AddCaptions({ L"a", L"b" });
    CZPTabManagerNavigateButton* pClose = Button(m_host, zpTabNavigateButtonClose);
    EXPECT_TRUE(pClose->GetRect().IsRectEmpty());  // never shown by default
    pClose->SetShowMode(zpTabNavigateButtonAutomatic);
    m_host.Reposition();
    EXPECT_TRUE(pClose->GetRect().IsRectEmpty());  // no selection
    m_host.SetCurSel(1);
    EXPECT_FALSE(pClose->GetRect().IsRectEmpty());
    EXPECT_EQ(L"Close", pClose->GetTooltip());
    m_host.GetItem(1)->SetClosable(FALSE);
    m_host.Reposition();
    EXPECT_TRUE(pClose->GetRect().IsRectEmpty());
    m_host.GetItem(1)->SetClosable(TRUE);
    m_host.Reposition();

    const UINT cancels[] = { WM_RBUTTONDOWN, WM_KEYDOWN, WM_CANCELMODE };
    for (UINT nMsg : cancels) {
        Post(Hwnd(), nMsg, nMsg == WM_KEYDOWN ? VK_ESCAPE : 0, CPoint(0, 0));
        Post(Hwnd(), WM_LBUTTONUP, 0, CenterOf(zpTabNavigateButtonClose));
        m_host.HandleMouseDown(m_window.GetWnd(), CenterOf(zpTabNavigateButtonClose));
        DrainQueue();
    }
    Post(Hwnd(), WM_LBUTTONUP, 0, CPoint(1, 1));  // released away from the button
    m_host.HandleMouseDown(m_window.GetWnd(), CenterOf(zpTabNavigateButtonClose));
    EXPECT_TRUE(m_host.m_clicks.empty());

    Post(Hwnd(), WM_LBUTTONUP, 0, CenterOf(zpTabNavigateButtonClose));
    m_host.HandleMouseDown(m_window.GetWnd(), CenterOf(zpTabNavigateButtonClose));
    EXPECT_EQ(std::vector<UINT>{ zpTabNavigateButtonClose }, m_host.m_clicks);
}

// Per-tab close buttons get their places when the strip is drawn.
void DrawStrip(CTestTabHost& host, CZPTabPaintManager* pm)
{
    CDibSection dib(300, 100);
    CDC dc(dib.GetDC());
    pm->DrawTabControl(&host, &dc, CRect(0, 0, 200, 60));
}

TEST_F(TabButtons, ATabsCloseButtonRemovesItsOwnTab)
{
    m_host.SetPerTabCloseMode(zpTabNavigateButtonAlways);
    m_host.m_bCloseDeletesTab = TRUE;
    m_host.AddCaptions({ L"one", L"two", L"three" });
    m_host.SetCurSel(1);
    DrawStrip(m_host, m_pm.Get());
    CZPTabManagerItem* pTwo = m_host.GetItem(1);
    ASSERT_EQ(1, pTwo->GetNavigateButtonCount());
    CPoint pt = pTwo->GetNavigateButton(0)->GetRect().CenterPoint();
    ASSERT_TRUE(pTwo->GetRect().PtInRect(pt));
    EXPECT_EQ(pTwo->GetNavigateButton(0), m_host.HitTestNavigateButton(pt, FALSE));

    Post(Hwnd(), WM_LBUTTONUP, 0, pt);
    ASSERT_TRUE(m_host.HandleMouseDown(m_window.GetWnd(), pt));
    ASSERT_EQ(2, m_host.GetItemCount());
    EXPECT_EQ(L"three", m_host.GetSelectedItem()->GetCaption());
    EXPECT_EQ(NULL, m_host.GetHighlightedNavigateButton());
}

TEST_F(TabButtons, ATabRemovedWhileItsCloseButtonIsHeld)
{
    m_host.SetPerTabCloseMode(zpTabNavigateButtonAlways);
    m_host.AddCaptions({ L"one", L"two" });
    DrawStrip(m_host, m_pm.Get());
    CPoint pt = m_host.GetItem(0)->GetNavigateButton(0)->GetRect().CenterPoint();
    CTimerAction remove([this] {
        if (m_host.GetItemCount() == 2)
            m_host.DeleteItem(0);
    });
    ASSERT_TRUE(m_host.HandleMouseDown(m_window.GetWnd(), pt));
    EXPECT_EQ(1, m_host.GetItemCount());
    EXPECT_TRUE(m_host.m_clicks.empty());
    EXPECT_NE(Hwnd(), ::GetCapture());
}

// Layout alone places a tab's own buttons: hit testing works before the strip is ever drawn, and
// drawing leaves them where the layout put them, for every look and side.
TEST_F(TabButtons, ATabsCloseButtonIsHitBeforeAnyPaint)
{
    m_host.SetPerTabCloseMode(zpTabNavigateButtonAutomatic);
    m_host.AddCaptions({ L"one", L"two", L"three" });
    for (int nAppearance = 0; nAppearance < 12; nAppearance++) {
        for (int nPosition : { zpTabPositionTop, zpTabPositionLeft, zpTabPositionBottom, zpTabPositionRight }) {
            SCOPED_TRACE(testing::Message() << "appearance " << nAppearance << " position " << nPosition);
            m_pm->SetAppearance(nAppearance);
            m_pm->SetPosition(nPosition);
            BOOL bHorizontal = nPosition == zpTabPositionTop || nPosition == zpTabPositionBottom;
            m_host.SetBounds(bHorizontal ? CRect(0, 0, 200, 60) : CRect(0, 0, 60, 200));
            m_host.SetCurSel(1);
            CZPTabManagerNavigateButton* pClose = m_host.GetItem(1)->GetNavigateButton(0);
            CRect rcLaidOut = pClose->GetRect();
            ASSERT_FALSE(rcLaidOut.IsRectEmpty());
            EXPECT_EQ(pClose, m_host.HitTestNavigateButton(rcLaidOut.CenterPoint(), FALSE));
            // Automatic: only the selected tab shows its button.
            EXPECT_TRUE(m_host.GetItem(0)->GetNavigateButton(0)->GetRect().IsRectEmpty());
            DrawStrip(m_host, m_pm.Get());
            EXPECT_EQ(rcLaidOut, pClose->GetRect());
        }
    }
    m_pm->SetPosition(zpTabPositionTop);
    m_host.SetBounds(CRect(0, 0, 200, 60));
    m_host.SetCurSel(0);
    EXPECT_FALSE(m_host.GetItem(0)->GetNavigateButton(0)->GetRect().IsRectEmpty());
    EXPECT_TRUE(m_host.GetItem(1)->GetNavigateButton(0)->GetRect().IsRectEmpty());
}

// Pixels of the glyphs, drawn in the DC's text colour: filled when enabled, outlined when disabled.
TEST_F(TabButtons, GlyphsAtTheirPoints)
{
    const COLORREF kInk = RGB(200, 0, 0), kPaper = RGB(255, 255, 255);
    // The base colour set leaves the DC's text colour as the glyph colour.
    m_pm->SetColorSetObject(new CZPTabPaintManager::CColorSet());
    m_host.AddNumberedTabs(12);
    struct
    {
        int nId;
        int nPosition;
        POINT ptVertex;  // relative to the centre
        POINT ptInside;
    } cases[] = {
        { zpTabNavigateButtonRight, zpTabPositionTop, { -2, -5 }, { -1, -1 } },
        { zpTabNavigateButtonLeft, zpTabPositionTop, { 2, -5 }, { 1, -1 } },
        { zpTabNavigateButtonRight, zpTabPositionLeft, { -5, -2 }, { -1, -1 } },
        { zpTabNavigateButtonLeft, zpTabPositionLeft, { -5, 2 }, { -1, 1 } },
    };
    for (const auto& c : cases) {
        m_pm->SetPosition(c.nPosition);
        for (BOOL bEnabled : { TRUE, FALSE }) {
            SCOPED_TRACE(testing::Message()
                         << "button " << c.nId << " position " << c.nPosition << " enabled " << bEnabled);
            CZPTabManagerNavigateButton* pButton = Button(m_host, c.nId);
            pButton->SetEnabled(bEnabled);
            CDibSection dib(14, 15, kPaper);
            CDC dc(dib.GetDC());
            dc.SetTextColor(kInk);
            CRect rc(0, 0, 14, 15);
            m_pm->DrawNavigateButton(&dc, pButton, rc);
            CPoint c0 = rc.CenterPoint();
            EXPECT_EQ(kInk, dib.GetPixel(c0.x + c.ptVertex.x, c0.y + c.ptVertex.y));
            EXPECT_EQ(bEnabled ? kInk : kPaper, dib.GetPixel(c0.x + c.ptInside.x, c0.y + c.ptInside.y));
            EXPECT_EQ(kPaper, dib.GetPixel(0, 0));
        }
    }

    CDibSection dib(14, 15, kPaper);
    CDC dc(dib.GetDC());
    dc.SetTextColor(kInk);
    CRect rc(0, 0, 14, 15);
    m_pm->DrawNavigateButton(&dc, Button(m_host, zpTabNavigateButtonClose), rc);
    CPoint c0 = rc.CenterPoint();
    for (POINT pt : { POINT{ -4, -3 }, POINT{ -3, -3 }, POINT{ -4, 3 }, POINT{ -3, 3 }, POINT{ 0, 0 }, POINT{ 0, 1 } })
        EXPECT_EQ(kInk, dib.GetPixel(c0.x + pt.x, c0.y + pt.y)) << pt.x << "," << pt.y;
    EXPECT_EQ(kPaper, dib.GetPixel(c0.x, c0.y - 3));
}

}  // namespace
