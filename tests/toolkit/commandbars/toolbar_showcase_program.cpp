// A frame with toolbars docked in two rows at the top and one at the left, and a floating toolbar
// with its caption buttons, in the Default theme.
// TOLVANE_TEST_LINGER_MS keeps the windows on screen (and interactive) that long, for a screenshot.
#include "message_pump.h"
#include "toolbar_test_support.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPDockBar.h"
#include "commandbars/ZPToolBar.h"
#include "commandbars/themes/ZPDefaultTheme.h"

namespace {

TEST(ToolBarShowcase, DockedAndFloatingToolBars)
{
    CTestFrame frame(CRect(20, 20, 660, 440));
    ASSERT_NE(nullptr, frame.m_hWnd);
    CZPDefaultTheme* pTheme = new CZPDefaultTheme;
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
            for (int j = 0; j < bars[i].nButtons; ++j) {
                CZPControl* pControl = pBars[i]->GetControls()->Add(zpControlButton, 100 + 10 * i + j);
                pControl->SetCaption(CString(static_cast<wchar_t>(L'A' + j)));
            }
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
