// Combo boxes and edit controls measured and drawn through the Default and Native XP themes:
// heights and button widths, the label, the list-style hint in grey text, and the spin buttons.
#include <gtest/gtest.h>

#include "paint_manager_pixels.h"
#include "theme_test_support.h"

#include "commandbars/ZPControlComboBox.h"
#include "commandbars/ZPControlEdit.h"
#include "common/ZPDeviceContext.h"

namespace {

const COLORREF kMark = RGB(1, 2, 3);

int SpaceHeight(CFont* pFont)
{
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    CZPFontDC font(&dc, pFont);
    return dc.GetTextExtent(CString(L" ")).cy;
}

TEST(ComboEditDrawing, HeightsAndDropDownButtonWidth)
{
    CThemeRef<CZPDefaultTheme> pm;
    CBarWindow bar(new CZPCommandBar, zpBarTop, CSize(300, 40));
    bar.p->SetPaintManager(pm.Get());
    CZPControlComboBox* pCombo = static_cast<CZPControlComboBox*>(bar.Add(zpControlComboBox, CRect(), CRect()));
    CZPControlEdit* pEdit = static_cast<CZPControlEdit*>(bar.Add(zpControlEdit, CRect(), CRect()));
    const int b = SpaceHeight(pm->GetIconFont()) + 7;
    struct Case
    {
        int nFixed;
        int cyCombo, cyEdit, cxButton;
    } cases[] = {
        { 0, std::max(b, 20), b, std::max(15, ::MulDiv(std::max(b, 20), 9, 14) + 1) },
        { 28, 28, 28, 19 },  // a fixed row height wins, even below 20
        { 14, 14, 14, 15 },
    };
    for (const Case& c : cases) {
        pm->m_nFixedRowHeight = c.nFixed;
        EXPECT_EQ(CSize(100, c.cyCombo), pm->DrawControl(NULL, pCombo, FALSE)) << c.nFixed;
        EXPECT_EQ(c.cxButton, pCombo->GetDropDownButtonWidth()) << c.nFixed;
        EXPECT_EQ(CSize(100, c.cyEdit), pm->DrawControl(NULL, pEdit, FALSE)) << c.nFixed;
        EXPECT_EQ(0, pEdit->GetLabelWidth());
    }
    // A label shown on the bar: caption width + 5.
    pm->m_nFixedRowHeight = 0;
    pEdit->SetCaption(L"Size");
    pEdit->SetHasLabel(TRUE);
    pm->DrawControl(NULL, pEdit, FALSE);
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    CZPFontDC font(&dc, pm->GetRegularFont());
    EXPECT_EQ(dc.GetTextExtent(CString(L"Size")).cx + 5, pEdit->GetLabelWidth());
}

TEST(ComboEditDrawing, DropDownListShowsItsHintInGreyTextUntilAnItemIsChosen)
{
    CThemeRef<CZPDefaultTheme> pm;
    CBarWindow bar(new CZPCommandBar, zpBarTop, CSize(160, 24));
    bar.p->SetPaintManager(pm.Get());
    CZPControlComboBox* pCombo =
        static_cast<CZPControlComboBox*>(bar.Add(zpControlComboBox, CRect(0, 0, 150, 22), CRect(0, 0, 160, 24)));
    pCombo->SetDropDown(FALSE);
    pCombo->AddString(L"Item");
    pCombo->SetEditHint(L"Choose");
    pm->DrawControl(NULL, pCombo, FALSE);
    const COLORREF clrGrey = pm->GetColor(COLOR_GRAYTEXT);
    const COLORREF clrText = pm->GetColor(COLOR_WINDOWTEXT);
    {
        CDibSection dib(160, 24, kMark);
        CDibDC dc(dib);
        pm->DrawControl(&dc, pCombo, TRUE);
        EXPECT_GT(CountPixels(dib, clrGrey), 10);
        EXPECT_EQ(pm->GetColor(COLOR_WINDOW), dib.GetPixel(3, 3));  // the edit part's inside
    }
    pCombo->SetCurSel(0);
    {
        CDibSection dib(160, 24, kMark);
        CDibDC dc(dib);
        pm->DrawControl(&dc, pCombo, TRUE);
        EXPECT_GT(CountPixels(dib, clrText), 10);
    }
}

TEST(ComboEditDrawing, DefaultSpinButtonsIdleAndPressed)
{
    CThemeRef<CZPDefaultTheme> pm;
    CBarWindow bar(new CZPCommandBar, zpBarTop, CSize(120, 24));
    bar.p->SetPaintManager(pm.Get());
    CZPControlEdit* pEdit =
        static_cast<CZPControlEdit*>(bar.Add(zpControlEdit, CRect(0, 0, 100, 22), CRect(0, 0, 120, 24)));
    pEdit->SetShowSpinButtons(TRUE);
    pm->DrawControl(NULL, pEdit, FALSE);
    const CRect rcSpin = pEdit->GetSpinRect();
    ASSERT_EQ(CRect(82, 1, 99, 21), rcSpin);
    {
        CDibSection dib(120, 24, kMark);
        CDibDC dc(dib);
        pm->DrawControl(&dc, pEdit, TRUE);
        EXPECT_EQ(pm->GetColor(COLOR_WINDOW), dib.GetPixel(rcSpin.left + 1, rcSpin.top + 1));  // the frame
        EXPECT_EQ(pm->GetColor(COLOR_BTNFACE), dib.GetPixel(rcSpin.left + 3, rcSpin.top + 3));
        // The up triangle's apex row is one pixel, its base five.
        const int cx = (rcSpin.left + 1 + rcSpin.right - 1) / 2;
        const int cyUp = (rcSpin.top + 1 + (rcSpin.top + rcSpin.bottom) / 2) / 2;
        EXPECT_EQ(pm->GetColor(COLOR_BTNTEXT), dib.GetPixel(cx, cyUp - 1));
        EXPECT_EQ(pm->GetColor(COLOR_BTNTEXT), dib.GetPixel(cx - 2, cyUp + 1));
        EXPECT_EQ(pm->GetColor(COLOR_BTNTEXT), dib.GetPixel(cx + 2, cyUp + 1));
    }
    pEdit->SetSelectedRaw(ZP_SPIN_UP);
    pEdit->SetPressed(ZP_SPIN_UP);
    {
        CDibSection dib(120, 24, kMark);
        CDibDC dc(dib);
        pm->DrawControl(&dc, pEdit, TRUE);
        // Upper button sunken, lower one raised.
        EXPECT_EQ(pm->GetColor(COLOR_BTNSHADOW), dib.GetPixel(rcSpin.left + 1, rcSpin.top + 1));
        const int yMiddle = (rcSpin.top + rcSpin.bottom) / 2;
        EXPECT_EQ(pm->GetColor(COLOR_WINDOW), dib.GetPixel(rcSpin.left + 1, yMiddle));
    }
}

TEST(ComboEditDrawing, NativeXPSpinButtonsAreTheSystemsParts)
{
    CThemeRef<CZPNativeXPTheme> pm;
    if (!pm->IsThemeInUse(pm->m_themeSpin))
        GTEST_SKIP() << "no SPIN visual style";
    CBarWindow bar(new CZPCommandBar, zpBarTop, CSize(120, 24));
    bar.p->SetPaintManager(pm.Get());
    CZPControlEdit* pEdit =
        static_cast<CZPControlEdit*>(bar.Add(zpControlEdit, CRect(0, 0, 100, 22), CRect(0, 0, 120, 24)));
    pEdit->SetShowSpinButtons(TRUE);
    pEdit->SetSelectedRaw(ZP_SPIN_DOWN);
    pEdit->SetPressed(ZP_SPIN_DOWN);
    CDibSection dib(120, 24, kMark);
    {
        CDibDC dc(dib);
        pm->DrawEditSpinButtons(&dc, pEdit);
    }
    const CRect rcSpin = pEdit->GetSpinRect();
    const int yMiddle = (rcSpin.top + rcSpin.bottom) / 2;
    CDibSection ref(120, 24, kMark);
    CReference spin(L"SPIN");
    spin.Draw(ref, 1, 1, CRect(rcSpin.left, rcSpin.top, rcSpin.right, yMiddle));     // up, normal
    spin.Draw(ref, 2, 3, CRect(rcSpin.left, yMiddle, rcSpin.right, rcSpin.bottom));  // down, pressed
    for (int y = rcSpin.top; y < rcSpin.bottom; ++y)
        for (int x = rcSpin.left; x < rcSpin.right; ++x)
            ASSERT_EQ(ref.GetPixel(x, y), dib.GetPixel(x, y)) << x << "," << y;
}

}  // namespace
