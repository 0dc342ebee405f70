// The Native XP theme: every themed part is the system's own (the same part and state drawn by
// DrawThemeBackground into a second DIB), and with the visual style forced off per window the
// Default look comes back.
#include <gtest/gtest.h>

#include "DibSection.h"
#include "paint_manager_pixels.h"
#include "theme_test_support.h"

#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPToolBar.h"

#include <framework/thread.h>

#include <algorithm>
#include <functional>
#include <uxtheme.h>

namespace {

const COLORREF kMark = RGB(1, 2, 3);
const int kSize = 24;

// Draws through the theme and through the system; the two pictures must match. Returns how many
// pixels were drawn (some states of the prefix's style are transparent).
int ExpectSystemPart(const char* name, std::function<void(CDC*)> theme, LPCWSTR lpszClass, int nPart, int nState,
                     CRect rc, CSize sz = CSize(kSize, kSize))
{
    CDibSection ours(sz.cx, sz.cy, kMark);
    CDibSection theirs(sz.cx, sz.cy, kMark);
    {
        CDibDC dc(ours);
        theme(&dc);
    }
    CReference ref(lpszClass);
    ref.Draw(theirs, nPart, nState, rc);
    EXPECT_TRUE(SameDibs(ours, theirs)) << name;
    return sz.cx * sz.cy - CountPixels(ours, kMark);
}

TEST(NativeXPTheme, ConstructorOptionsAndMetrics)
{
    CThemeRef<CZPNativeXPTheme> pm;
    EXPECT_TRUE(pm->m_bUseFadedIcons);
    EXPECT_FALSE(pm->m_bIconsWithShadow);
    EXPECT_EQ(7, pm->m_nNormalTextColor);
    EXPECT_TRUE(pm->m_bThemedStatusBar);
    EXPECT_TRUE(pm->m_bThemedCheckBox);
    EXPECT_TRUE(pm->m_bMenuHighlight);
    EXPECT_TRUE(pm->m_bThickCheckMark);
    EXPECT_EQ(3, pm->GetCurrentTheme());

    BOOL bFlat = FALSE;
    ::SystemParametersInfoW(0x1022, 0, &bFlat, 0);
    EXPECT_EQ(bFlat != FALSE, pm->m_bFlatMenus != FALSE);
    // Under Wine every class the theme needs opens.
    ASSERT_TRUE(pm->IsThemed());
    EXPECT_TRUE(pm->IsMenuOpen());
    // A selected popup item keeps the menu-text colour while the menu class is open.
    EXPECT_EQ(::GetSysColor(COLOR_MENUTEXT), pm->GetStateTextColor(1, FALSE, TRUE, FALSE, FALSE, 2, 5));
    EXPECT_EQ(::GetSysColor(COLOR_GRAYTEXT), pm->GetStateTextColor(1, FALSE, FALSE, FALSE, FALSE, 2, 5));
    // Toolbar text colour of the visual style, when it has one, is the button text.
    CReference toolbar(L"TOOLBAR");
    COLORREF clrText = 0;
    if (SUCCEEDED(::GetThemeColor(toolbar.m_hTheme, 0, 0, 3803, &clrText)))
        EXPECT_EQ(clrText, pm->GetColor(zpColorBtnText));
}

TEST(NativeXPTheme, ToolbarButtonStatesAreTheSystems)
{
    CThemeRef<CZPNativeXPTheme> pm;
    ASSERT_TRUE(pm->IsThemed());
    const struct
    {
        const char* name;
        int nSelected, bPressed, bEnabled, bChecked, bPopped, nState;
    } cases[] = {
        { "normal", 0, 0, 1, 0, 0, 1 },           { "hot", 1, 0, 1, 0, 0, 2 },
        { "pressed", 1, 1, 1, 0, 0, 3 },          { "keyboard pressed", 0, 2, 1, 0, 0, 3 },
        { "popped", 0, 0, 1, 0, 1, 3 },           { "disabled", 0, 0, 0, 0, 0, 4 },
        { "disabled checked", 0, 0, 0, 1, 0, 3 }, { "checked", 0, 0, 1, 1, 0, 5 },
        { "checked hot", 1, 0, 1, 1, 0, 6 },      { "mixed counts as unchecked", 1, 0, 1, 2, 0, 2 },
        { "checked pressed", 1, 1, 1, 1, 0, 3 },
    };
    const CRect rc(2, 2, 22, 22);
    int nDrawn = 0;
    for (const auto& c : cases)
        nDrawn += ExpectSystemPart(
            c.name,
            [&](CDC* pDC) {
                pm->DrawStateRectangle(pDC, rc, c.nSelected, c.bPressed, c.bEnabled, c.bChecked, c.bPopped, 1, 0);
            },
            L"TOOLBAR", 1, c.nState, rc);
    EXPECT_GT(nDrawn, 0);
}

TEST(NativeXPTheme, MenuPartsAreTheSystems)
{
    CThemeRef<CZPNativeXPTheme> pm;
    ASSERT_TRUE(pm->IsMenuOpen());
    const CRect rc(2, 2, 22, 22);
    EXPECT_GT(
        ExpectSystemPart(
            "hot item", [&](CDC* pDC) { pm->DrawStateRectangle(pDC, rc, 1, 0, 1, 0, 0, 2, 5); }, L"MENU", 14, 2, rc),
        0);
    ExpectSystemPart(
        "check background", [&](CDC* pDC) { pm->DrawStateRectangle(pDC, rc, 0, 0, 1, 1, 0, 2, 5); }, L"MENU", 12, 2,
        rc);
    ExpectSystemPart(
        "disabled check background", [&](CDC* pDC) { pm->DrawStateRectangle(pDC, rc, 0, 0, 0, 1, 0, 2, 5); }, L"MENU",
        12, 1, rc);
    const struct
    {
        BOOL bRadio, bEnabled;
        int nState;
    } marks[] = { { FALSE, TRUE, 1 }, { FALSE, FALSE, 2 }, { TRUE, TRUE, 3 }, { TRUE, FALSE, 4 } };
    for (const auto& m : marks)
        ExpectSystemPart(
            "mark",
            [&](CDC* pDC) {
                if (m.bRadio)
                    pm->DrawRadioMark(pDC, rc, m.bEnabled, 0);
                else
                    pm->DrawCheckMark(pDC, rc, m.bEnabled, 0);
            },
            L"MENU", 11, m.nState, rc);
    ExpectSystemPart(
        "gutter", [&](CDC* pDC) { pm->FillPopupIconColumn(pDC, 2, 2, 20, 20, TRUE); }, L"MENU", 13, 0, rc);

    // The separator sits above the item, right of the icon column.
    CBarWindow popup(new CZPPopupBar, zpBarPopup, CSize(60, 60));
    CZPControl* pItem = popup.Add(zpControlButton, CRect(3, 20, 57, 40), CRect(3, 20, 57, 40));
    const int nColumn = pm->GetPopupIconColumnWidth(popup.p);
    EXPECT_EQ(pm->CZPDefaultTheme::GetPopupIconColumnWidth(popup.p) + 3, nColumn);
    ExpectSystemPart(
        "separator", [&](CDC* pDC) { pm->DrawBarSeparator(pDC, popup.p, pItem, TRUE); }, L"MENU", 15, 0,
        CRect(3 + nColumn, 12, 57, 18), CSize(60, 60));
    // Popups overlap their control by 3 pixels.
    CRect rcExclude(10, 10, 20, 20);
    pm->AdjustExcludeRect(rcExclude, pItem, FALSE);
    EXPECT_EQ(CRect(13, 7, 17, 23), rcExclude);
}

TEST(NativeXPTheme, SelectedPopupItemIsTheSystemsHotItemOverTheWholeRow)
{
    CThemeRef<CZPNativeXPTheme> pm;
    ASSERT_TRUE(pm->IsMenuOpen());
    CBarWindow popup(new CZPPopupBar, zpBarPopup, CSize(80, 24));
    CZPControl* pItem = popup.Add(zpControlButton, CRect(0, 0, 80, 24), CRect(0, 0, 80, 24));
    pItem->SetSelectedRaw(1);
    EXPECT_GT(ExpectSystemPart(
                  "hot row", [&](CDC* pDC) { pm->DrawControlInPopup(pDC, pItem, TRUE); }, L"MENU", 14, 2,
                  CRect(0, 0, 80, 24), CSize(80, 24)),
              0);
}

TEST(NativeXPTheme, BarPartsAreTheSystems)
{
    CThemeRef<CZPNativeXPTheme> pm;
    ASSERT_TRUE(pm->IsThemed());
    CBarWindow bar(new CZPToolBar, zpBarTop, CSize(60, 24));
    CZPControl* pTool = bar.Add(zpControlButton, CRect(20, 2, 40, 22), CRect(0, 2, 60, 22));
    const CSize sz(60, 24);

    EXPECT_EQ(CSize(8, 0), pm->DrawBarGripper(NULL, bar.p, FALSE));
    ExpectSystemPart(
        "gripper", [&](CDC* pDC) { pm->DrawBarGripper(pDC, bar.p, TRUE); }, L"REBAR", 1, 1, CRect(2, 0, 8, 24), sz);
    ExpectSystemPart(
        "separator", [&](CDC* pDC) { pm->DrawBarSeparator(pDC, bar.p, pTool, TRUE); }, L"TOOLBAR", 5, 0,
        CRect(14, 2, 20, 22), sz);
    EXPECT_EQ(CSize(6, 6), pm->DrawBarSeparator(NULL, bar.p, pTool, FALSE));

    // Docked at the bottom: button face under the band, then the band's edge colours.
    bar.p->SetPosition(zpBarBottom);
    CDibSection ours(60, 24, kMark);
    CDibSection theirs(60, 24, kMark);
    {
        CDibDC dc(ours);
        pm->FillBarBackground(&dc, bar.p);
    }
    CDibDC ref(theirs);
    ref.FillSolidRect(0, 0, 60, 24, ::GetSysColor(COLOR_BTNFACE));
    CReference(L"REBAR").Draw(theirs, 3, 0, CRect(0, 0, 60, 24));
    ref.Draw3dRect(0, 0, 60, 24, pm->m_clrEdgeHighLight, pm->m_clrEdgeShadow);
    EXPECT_TRUE(SameDibs(ours, theirs));

    const CRect rcCombo(0, 0, 20, 24);
    const struct
    {
        BOOL bEnabled;
        int nSelected;
        BOOL bPopped;
        int nState;
    } combos[] = { { TRUE, 0, FALSE, 1 }, { TRUE, 1, FALSE, 2 }, { TRUE, 0, TRUE, 3 }, { FALSE, 1, TRUE, 4 } };
    for (const auto& c : combos)
        ExpectSystemPart(
            "combo button",
            [&](CDC* pDC) { pm->DrawComboBoxDropDownButton(pDC, rcCombo, c.bEnabled, c.nSelected, c.bPopped); },
            L"COMBOBOX", 1, c.nState, CRect(-2, 1, 19, 23));
}

TEST(NativeXPTheme, SplitButtonIsTheSystemsCommandAndDropDownParts)
{
    CThemeRef<CZPNativeXPTheme> pm;
    ASSERT_TRUE(pm->IsThemed());
    CBarWindow bar(new CZPToolBar, zpBarTop, CSize(40, 24));
    CZPControl* pSplit = bar.Add(zpControlSplitButtonPopup, CRect(0, 0, 40, 24), CRect(0, 0, 40, 24));
    for (int nSelected : { 0, 1 }) {
        pSplit->SetSelectedRaw(nSelected);
        CDibSection ours(40, 24, kMark);
        CDibSection theirs(40, 24, kMark);
        {
            CDibDC dc(ours);
            pm->DrawSplitButtonFrame(&dc, pSplit, CRect(0, 0, 40, 24));
        }
        CReference toolbar(L"TOOLBAR");
        toolbar.Draw(theirs, 3, nSelected ? 2 : 1, CRect(0, 0, 28, 24));
        toolbar.Draw(theirs, 4, nSelected ? 2 : 1, CRect(28, 0, 40, 24));
        EXPECT_TRUE(SameDibs(ours, theirs)) << nSelected;
    }
}

TEST(NativeXPTheme, TopBarsShareOneRebarBackgroundAndFloatingCaptions)
{
    CThemeRef<CZPNativeXPTheme> pm;
    ASSERT_TRUE(pm->IsThemed());
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, L"STATIC", L"", WS_POPUP, CRect(0, 0, 100, 60), NULL, 0));
    CZPToolBar* pBar = new CZPToolBar;
    ASSERT_TRUE(
        pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_CHILD, 10, 20, 60, 24, parent.GetSafeHwnd(), NULL));
    pBar->SetPosition(zpBarTop);

    // The parent's background continues under the bar: part 0 over the parent mapped into the bar.
    CDibSection ours(60, 24, kMark);
    CDibSection theirs(60, 24, kMark);
    {
        CDibDC dc(ours);
        pm->FillBarBackground(&dc, pBar);
    }
    const CRect rcClient(0, 0, 60, 24);
    CReference rebar(L"REBAR");
    rebar.Draw(theirs, 0, 0, CRect(-10, -20, 90, 40), &rcClient);
    rebar.Draw(theirs, 3, 0, rcClient);
    CDibDC ref(theirs);
    ref.Draw3dRect(&rcClient, pm->m_clrEdgeHighLight, pm->m_clrEdgeShadow);
    EXPECT_TRUE(SameDibs(ours, theirs));

    // A floating bar reports a caption 3 pixels lower than the strip it draws.
    pBar->SetPosition(zpBarFloating);
    CDibSection caption(60, 24, kMark);
    CDibDC dc(caption);
    const CSize sz = pm->DrawBarGripper(&dc, pBar, TRUE);
    EXPECT_EQ(60, sz.cx);
    EXPECT_GE(sz.cy, 15);
    EXPECT_EQ(sz, pm->DrawBarGripper(&dc, pBar, FALSE));
    EXPECT_EQ(CSize(0, 0), pm->DrawBarGripper(NULL, pBar, FALSE));
    for (int x = 0; x < 60; ++x)
        EXPECT_EQ(kMark, caption.GetPixel(x, std::min<int>(23, sz.cy + 3))) << x;

    pBar->InternalRelease();
    parent.DestroyWindow();
}

TEST(NativeXPTheme, ClassicPerWindowGivesTheDefaultLook)
{
    // The classes open for the main window: a window with its visual style turned off closes them.
    CWinThread thread;
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, L"STATIC", L"", WS_POPUP, CRect(0, 0, 40, 20), NULL, 0));
    ASSERT_EQ(S_OK, ::SetWindowTheme(wnd.GetSafeHwnd(), L" ", L" "));
    thread.m_pMainWnd = &wnd;

    CThemeRef<CZPNativeXPTheme> pm;
    CThemeRef<CZPDefaultTheme> classic;
    classic->m_bMenuHighlight = TRUE;  // the full-row option the Native XP theme turns on
    EXPECT_FALSE(pm->IsThemed());
    EXPECT_FALSE(pm->IsMenuOpen());
    const struct
    {
        int nSelected, bPressed, bEnabled, bChecked, bPopped, nBarType, nBarPosition;
    } cases[] = {
        { 1, 0, 1, 0, 0, 1, 0 }, { 1, 1, 1, 0, 0, 1, 0 }, { 0, 0, 1, 1, 0, 1, 0 },
        { 0, 0, 0, 1, 0, 1, 0 }, { 1, 0, 1, 0, 0, 2, 5 }, { 0, 0, 1, 1, 0, 2, 5 },
    };
    for (const auto& c : cases) {
        CDibSection ours(kSize, kSize, kMark);
        CDibSection theirs(kSize, kSize, kMark);
        CDibDC dcOurs(ours);
        CDibDC dcTheirs(theirs);
        pm->DrawStateRectangle(&dcOurs, CRect(2, 2, 22, 22), c.nSelected, c.bPressed, c.bEnabled, c.bChecked, c.bPopped,
                               c.nBarType, c.nBarPosition);
        classic->DrawStateRectangle(&dcTheirs, CRect(2, 2, 22, 22), c.nSelected, c.bPressed, c.bEnabled, c.bChecked,
                                    c.bPopped, c.nBarType, c.nBarPosition);
        EXPECT_TRUE(SameDibs(ours, theirs)) << c.nSelected << c.bPressed << c.bEnabled << c.bChecked << c.nBarType;
    }

    CDibSection dib(kSize, kSize, kMark);
    CDibDC dc(dib);
    // No menu class: the icon column stays empty and is not widened.
    pm->FillPopupIconColumn(&dc, 0, 0, kSize, kSize, TRUE);
    EXPECT_EQ(kSize * kSize, CountPixels(dib, kMark));
    CBarWindow popup(new CZPPopupBar, zpBarPopup, CSize(40, 40));
    EXPECT_EQ(classic->GetPopupIconColumnWidth(popup.p), pm->GetPopupIconColumnWidth(popup.p));
    // Popups take the Default look.
    CDibSection menu(40, 40, kMark);
    CDibDC mdc(menu);
    pm->FillBarBackground(&mdc, popup.p);
    EXPECT_EQ(classic->GetColor(zpColorBtnFace), menu.GetPixel(20, 20));
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), menu.GetPixel(39, 39));

    thread.m_pMainWnd = NULL;
    wnd.DestroyWindow();
}

}  // namespace
