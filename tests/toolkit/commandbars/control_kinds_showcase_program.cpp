// One bar in the Native XP look with each simple control kind: a label, a markup label, a link,
// a check box, a radio button, a progress bar half full and a grid selector with a selection.
// TOLVANE_TEST_LINGER_MS keeps it on screen that long, for a screenshot.
#include <gtest/gtest.h>

#include "message_pump.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPControlButton.h"
#include "commandbars/ZPControlHyperlink.h"
#include "commandbars/ZPControlLabel.h"
#include "commandbars/ZPControlProgress.h"
#include "commandbars/ZPControlSelector.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPPaintManager.h"

#include <vector>

namespace {

const int kBarWidth = 760;
const int kBarHeight = 130;
const int kGap = 10;

TEST(ControlKindsShowcase, EachSimpleKindOnOneBar)
{
    CZPPaintManager* pTheme = ZpCreatePaintTheme(zpThemeNativeXP);
    ASSERT_NE(nullptr, pTheme);
    pTheme->RefreshMetrics();
    CZPCommandBar* pBar = new CZPCommandBar;
    pBar->SetPaintManager(pTheme);
    pTheme->InternalRelease();
    pBar->SetBarStyle(0);
    pBar->CreateEx(0, AfxRegisterWndClass(0), L"Control kinds showcase", WS_POPUP | WS_VISIBLE, 40, 40, kBarWidth,
                   kBarHeight, NULL, NULL);
    CZPControls* pControls = pBar->GetControls();
    std::vector<CZPControl*> row;
    CZPControl* pLabel = pControls->Append(new CZPControlLabel);
    pLabel->SetCaption(L"Label");
    row.push_back(pLabel);
    CZPControl* pMarkup = pControls->Append(new CZPControlMarkupLabel);
    pMarkup->SetCaption(L"<TextBlock><Bold>Markup</Bold> label</TextBlock>");
    row.push_back(pMarkup);
    CZPControl* pLink = pControls->Append(new CZPControlHyperlink);
    pLink->SetCaption(L"example.org");
    pLink->SetTooltip(L"https://example.org/");
    row.push_back(pLink);
    CZPControl* pCheck = pControls->Append(new CZPControlCheckBox);
    pCheck->SetCaption(L"Check");
    pCheck->SetChecked(TRUE);
    row.push_back(pCheck);
    CZPControl* pRadio = pControls->Append(new CZPControlRadioButton);
    pRadio->SetCaption(L"Radio");
    pRadio->SetChecked(TRUE);
    row.push_back(pRadio);
    CZPControlProgress* pProgress = static_cast<CZPControlProgress*>(pControls->Append(new CZPControlProgress));
    pProgress->SetPos(50);
    row.push_back(pProgress);

    CDC* pDC = pBar->GetDC();
    int x = kGap;
    for (CZPControl* pControl : row) {
        const CSize size = pControl->GetSize(pDC);
        pControl->SetRect(CRect(x, kGap, x + size.cx, kGap + size.cy));
        x += size.cx + kGap;
    }
    pBar->ReleaseDC(pDC);
    CZPControlSelector* pSelector = static_cast<CZPControlSelector*>(pControls->Append(new CZPControlSelector));
    pSelector->SetItemSize(CSize(18, 18));
    pSelector->OnBeforeLayout(0);
    pSelector->SetRect(CRect(CPoint(kGap, 40), pSelector->GetSize(NULL)));
    pSelector->OnMouseMove(CPoint(kGap + 2 * 18 + 4, 40 + 18 + 4));
    EXPECT_EQ(CSize(3, 2), pSelector->GetSelection());
    pBar->RedrawWindow();

    LingerForScreenshot(pBar->GetSafeHwnd());
    pBar->DestroyWindow();
    pBar->InternalRelease();
}

}  // namespace
