// A frame with toolbars docked in two rows at the top and one at the left, and a floating toolbar
// with its caption buttons. Buttons are drawn as plain state frames with a coloured glyph.
// TOLVANE_TEST_LINGER_MS keeps the windows on screen (and interactive) that long, for a screenshot.
#include "message_pump.h"
#include "toolbar_test_support.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPDockBar.h"
#include "commandbars/ZPToolBar.h"

namespace {

// Length of the grip of a docked bar.
const int kDockedGrip = 10;

// Buttons as state frames around a glyph of their own colour; captions as a title strip.
class CShowcaseTheme : public CGripperTheme
{
public:
    CSize DrawControlOnToolBar(CDC* pDC, CZPControl* pControl, BOOL bDraw) override
    {
        if (bDraw) {
            const CRect rc = pControl->GetRect();
            pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_3DHIGHLIGHT), ::GetSysColor(COLOR_3DSHADOW));
            const int n = pControl->GetID() % 7;
            pDC->FillSolidRect(rc.left + 4, rc.top + 4, rc.Width() - 8, rc.Height() - 8,
                               RGB(40 * n, 200 - 25 * n, 90 + 20 * n));
        }
        return CSize(23, 22);
    }
    // A caption strip on a floating bar, a grip of two lines at the near end of a docked one.
    CSize DrawBarGripper(CDC* pDC, CZPCommandBar* pBar, BOOL bDraw) override
    {
        const BOOL bFloating = pBar->GetPosition() == zpBarFloating;
        const BOOL bVertical = pBar->GetPosition() == zpBarLeft || pBar->GetPosition() == zpBarRight;
        if (bDraw && !bFloating) {
            CRect rc;
            ::GetClientRect(pBar->GetSafeHwnd(), &rc);
            for (int i = 0; i < 2; ++i) {
                if (bVertical)
                    pDC->Draw3dRect(3, 3 + 3 * i, rc.Width() - 6, 2, ::GetSysColor(COLOR_3DHIGHLIGHT),
                                    ::GetSysColor(COLOR_3DSHADOW));
                else
                    pDC->Draw3dRect(3 + 3 * i, 3, 2, rc.Height() - 6, ::GetSysColor(COLOR_3DHIGHLIGHT),
                                    ::GetSysColor(COLOR_3DSHADOW));
            }
        }
        if (bFloating)
            return CSize(0, m_szGripper.cy);
        return bVertical ? CSize(0, kDockedGrip) : CSize(kDockedGrip, 0);
    }
    void FillBarBackground(CDC* pDC, CZPCommandBar* pBar) override
    {
        CRect rc;
        ::GetClientRect(pBar->GetSafeHwnd(), &rc);
        pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
        if (pBar->GetPosition() == zpBarFloating) {
            pDC->FillSolidRect(rc.left, rc.top, rc.Width(), m_szGripper.cy + 3, ::GetSysColor(COLOR_ACTIVECAPTION));
            pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_3DSHADOW), ::GetSysColor(COLOR_3DDKSHADOW));
        }
    }
};

TEST(ToolBarShowcase, DockedAndFloatingToolBars)
{
    CTestFrame frame(CRect(20, 20, 660, 440));
    ASSERT_NE(nullptr, frame.m_hWnd);
    CShowcaseTheme* pTheme = new CShowcaseTheme;
    pTheme->m_szGripper = CSize(0, 14);
    pTheme->RefreshMetrics();
    {
        CZPCommandBars commandBars;
        commandBars.SetSite(frame.m_hWnd);
        commandBars.CreateDockBars();
        struct Bar
        {
            LPCWSTR lpszTitle;
            int nPosition, nButtons;
        } bars[] = { { L"Standard", zpBarTop, 8 },
                     { L"Format", zpBarTop, 6 },
                     { L"Tools", zpBarLeft, 5 },
                     { L"Floating", zpBarFloating, 7 } };
        CZPToolBar* pBars[4] = {};
        for (int i = 0; i < 4; ++i) {
            pBars[i] = commandBars.CreateToolBar(bars[i].lpszTitle, bars[i].nPosition);
            ASSERT_NE(nullptr, pBars[i]);
            pBars[i]->SetPaintManager(pTheme);
            for (int j = 0; j < bars[i].nButtons; ++j)
                pBars[i]->GetControls()->Add(zpControlButton, 100 + 10 * i + j);
            if (i == 0)
                pBars[i]->ControlAt(3)->SetBeginGroup(TRUE);
        }
        // The second top bar joins the first row at x = 240.
        frame.Frame()->RecalcLayout(FALSE);
        CRect rcDrop(260, 20, 260 + 150, 42);
        commandBars.DockCommandBar(pBars[1], &rcDrop, commandBars.GetDockBar(zpBarTop));
        frame.Frame()->RecalcLayout(FALSE);
        pBars[3]->SetMRUWidth(120);
        ::SetWindowPos(pBars[3]->GetSafeHwnd(), HWND_TOP, 380, 220, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        pBars[3]->RecalcBarLayout();

        EXPECT_EQ(1, commandBars.GetDockBar(zpBarTop)->GetRowCount());
        CRect rc;
        ::GetWindowRect(pBars[3]->GetSafeHwnd(), &rc);
        EXPECT_LE(rc.Width(), 130);  // wrapped near its most recently used width
        LingerForScreenshot(frame.m_hWnd);
    }
    pTheme->InternalRelease();
}

}  // namespace
