// A toolbar in the Native XP look holding an edit control with a label and spin buttons and an
// editable combo box whose list is open. TOLVANE_TEST_LINGER_MS keeps it on screen (and
// interactive) that long, for a screenshot.
#include <gtest/gtest.h>

#include "message_pump.h"
#include "showcase_bar.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPControlComboBox.h"
#include "commandbars/ZPControlComboBoxPopupBar.h"
#include "commandbars/ZPControlEdit.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPaintManager.h"

namespace {

const int kBarWidth = 380;
const int kBarHeight = 30;
const int kGap = 8;

TEST(ComboEditShowcase, EditWithSpinAndLabelBesideAnOpenCombo)
{
    CZPCommandBar* pBar =
        ZpCreateShowcaseBar(L"Combo and edit showcase", CRect(40, 40, 40 + kBarWidth, 40 + kBarHeight));
    ASSERT_NE(nullptr, pBar);
    CZPPaintManager* pTheme = pBar->ResolvePaintManager();

    CZPControlEdit* pEdit = static_cast<CZPControlEdit*>(pBar->GetControls()->Append(new CZPControlEdit));
    pEdit->SetID(501);
    pEdit->SetCaption(L"Size");
    pEdit->SetHasLabel(TRUE);
    pEdit->SetShowSpinButtons(TRUE);
    pEdit->SetWidth(130);
    CZPControlComboBox* pCombo = static_cast<CZPControlComboBox*>(pBar->GetControls()->Append(new CZPControlComboBox));
    pCombo->SetID(502);
    pCombo->SetDropDown(TRUE);
    pCombo->SetWidth(200);
    pCombo->SetEditHint(L"Font name");
    for (LPCWSTR item : { L"Courier", L"Tahoma", L"Times", L"Verdana", L"Wingdings" })
        pCombo->AddString(item);

    // Measured by the theme, placed side by side and centred in the bar's height.
    int x = kGap;
    for (CZPControl* pControl : { static_cast<CZPControl*>(pEdit), static_cast<CZPControl*>(pCombo) }) {
        const CSize size = pTheme->DrawControl(NULL, pControl, FALSE);
        const int y = (kBarHeight - size.cy) / 2;
        pControl->SetRect(CRect(x, y, x + size.cx, y + size.cy));
        x += size.cx + kGap;
    }
    pEdit->SetText(L"12");
    pEdit->OnSpin(5, 1);
    EXPECT_EQ(CString(L"20"), pEdit->GetText());  // 12 + 5, up to the next multiple of 5
    pBar->RedrawWindow();

    pCombo->OnClick(FALSE, pCombo->GetRect().BottomRight() - CSize(3, 3));
    ASSERT_TRUE(pCombo->IsPopuped());
    CZPCommandBar* pList = pCombo->GetDropDownBar();
    ASSERT_TRUE(::IsWindowVisible(pList->GetSafeHwnd()));
    pCombo->SetCurSel(1);
    pList->UpdateWindow();

    LingerForScreenshot(pBar->GetSafeHwnd());
    pCombo->OnClick(FALSE, pCombo->GetRect().BottomRight() - CSize(3, 3));
    EXPECT_FALSE(pCombo->IsPopuped());
    pBar->DestroyWindow();
    pBar->InternalRelease();
    EXPECT_EQ(0, ZpMouseManager()->GetModalCounter());
}

}  // namespace
