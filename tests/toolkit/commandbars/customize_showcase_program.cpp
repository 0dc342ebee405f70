// The customize sheet open over a frame in customize mode: a selected control on the first
// toolbar and the drop marker of a control dragged over the second, in the Default theme.
// TOLVANE_TEST_LINGER_MS keeps the windows on screen that long, for a screenshot.
#include "message_pump.h"
#include "toolbar_test_support.h"
#include "window_test_support.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCustomizeSheet.h"
#include "commandbars/ZPToolBar.h"
#include "commandbars/themes/ZPDefaultTheme.h"

namespace {

TEST(CustomizeShowcase, SheetWithADropMarker)
{
    CTestFrame frame(CRect(20, 20, 500, 340));
    ASSERT_NE(nullptr, frame.m_hWnd);
    CZPDefaultTheme* pTheme = new CZPDefaultTheme;
    pTheme->RefreshMetrics();
    {
        CZPCommandBars commandBars;
        commandBars.SetSite(frame.m_hWnd);
        commandBars.CreateDockBars();
        CZPToolBar* pBars[2] = {};
        for (int i = 0; i < 2; ++i) {
            pBars[i] = commandBars.CreateToolBar(i == 0 ? L"Standard" : L"Format", zpBarTop);
            ASSERT_NE(nullptr, pBars[i]);
            pBars[i]->SetPaintManager(pTheme);
            for (int j = 0; j < 6; ++j) {
                CZPControl* pControl = pBars[i]->GetControls()->Add(zpControlButton, 100 + 10 * i + j);
                pControl->SetCaption(CString(static_cast<wchar_t>(L'A' + j + 6 * i)));
            }
        }
        frame.Frame()->RecalcLayout(FALSE);
        CDialogTemplateBuilder tmpl(L"&Options", 160, 90, WS_CHILD | WS_CAPTION | DS_SETFONT);
        tmpl.AddItem(0x0082, 0xFFFF, 0, 8, 8, 140, 10, L"Drag a control to a toolbar.");
        CPropertyPage page;
        page.SetTemplate(tmpl.Get());
        CZPCustomizeSheet sheet(&commandBars);
        sheet.AddCustomizePage(&page);
        BOOL bMarker = FALSE;
        CStepDriver steps;
        steps.m_steps = {
            [&] {
                ::SetWindowPos(sheet.GetSafeHwnd(), HWND_TOP, 200, 120, 0, 0, SWP_NOSIZE);
                commandBars.SetCustomizeSelection(pBars[0]->ControlAt(2));
                CZPControl* pTarget = pBars[1]->ControlAt(3);
                CPoint pt = pTarget->GetRect().CenterPoint() - CPoint(4, 0);
                pBars[1]->BeginCustomizeDrag(pBars[0]->ControlAt(2), pt);
                bMarker = !pBars[1]->GetDropMarker().IsRectEmpty();
                PumpUntil([] { return false; }, 100);
                LingerForScreenshot(sheet.GetSafeHwnd());
            },
            [&] { ::SendMessageW(::GetDlgItem(sheet.GetSafeHwnd(), IDCANCEL), BM_CLICK, 0, 0); },
        };
        steps.Start();
        EXPECT_EQ(IDCANCEL, sheet.DoModal());
        EXPECT_TRUE(bMarker);
        commandBars.RemoveAll();
    }
    pTheme->InternalRelease();
}

}  // namespace
