// The Default theme: state rectangles and text colours, the dither, bar parts and combo parts,
// read back as pixels in exact system colours.
#include <gtest/gtest.h>

#include "DibSection.h"
#include "paint_manager_pixels.h"
#include "theme_test_support.h"

#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPToolBar.h"

#include <algorithm>

namespace {

const COLORREF kMark = RGB(1, 2, 3);

COLORREF Sys(int nIndex)
{
    return ::GetSysColor(nIndex);
}

TEST(DefaultTheme, FactoryAnswersDefaultForZeroAndUnknownNumbers)
{
    for (int nTheme : { 0, 8, -1, 1000 }) {
        CZPPaintManager* p = ZpCreatePaintTheme(nTheme);
        ASSERT_NE(nullptr, p) << nTheme;
        EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(CZPDefaultTheme)));
        EXPECT_FALSE(p->IsKindOf(RUNTIME_CLASS(CZPNativeXPTheme)));
        EXPECT_EQ(0, p->GetCurrentTheme());
        EXPECT_EQ(nTheme, p->m_nThemeNumber);
        p->InternalRelease();
    }
    CZPPaintManager* pXP = ZpCreatePaintTheme(zpThemeNativeXP);
    ASSERT_NE(nullptr, pXP);
    EXPECT_EQ(3, pXP->GetCurrentTheme());
    pXP->InternalRelease();

    // Installing through the number; the lazy instance is the Default theme.
    ZpReleasePaintManager();
    CZPPaintManager* pLazy = ZpGetPaintManager();
    ASSERT_NE(nullptr, pLazy);
    EXPECT_EQ(0, pLazy->GetCurrentTheme());
    ASSERT_TRUE(ZpSetPaintTheme(zpThemeNativeXP));
    EXPECT_EQ(3, ZpGetInstalledPaintManager()->GetCurrentTheme());
    ZpReleasePaintManager();
}

TEST(DefaultTheme, ConstructorOptions)
{
    CThemeRef<CZPDefaultTheme> pm;
    EXPECT_FALSE(pm->m_bUseFadedIcons);
    EXPECT_FALSE(pm->m_bIconsWithShadow);
    EXPECT_EQ(18, pm->m_nNormalTextColor);
    EXPECT_EQ(Sys(COLOR_ACTIVECAPTION), static_cast<COLORREF>(pm->m_clrFloatingCaption));
    EXPECT_EQ(Sys(COLOR_CAPTIONTEXT), static_cast<COLORREF>(pm->m_clrFloatingCaptionText));
}

TEST(DefaultTheme, StateTextColors)
{
    CThemeRef<CZPDefaultTheme> pm;
    const struct
    {
        int nSelected;
        BOOL bEnabled, bChecked;
        int nBarType, nBarPosition, nExpected;
    } cases[] = {
        { 0, FALSE, 0, 2, 5, COLOR_GRAYTEXT }, { 1, TRUE, 0, 2, 5, COLOR_HIGHLIGHTTEXT },
        { 1, TRUE, 1, 2, 5, COLOR_BTNTEXT },   { 0, TRUE, 0, 2, 5, COLOR_BTNTEXT },
        { 0, FALSE, 0, 1, 0, COLOR_GRAYTEXT }, { 1, TRUE, 0, 1, 0, COLOR_BTNTEXT },
        { 0, TRUE, 0, 1, 5, COLOR_BTNTEXT },
    };
    for (const auto& c : cases)
        EXPECT_EQ(Sys(c.nExpected),
                  pm->GetStateTextColor(c.nSelected, FALSE, c.bEnabled, c.bChecked, FALSE, c.nBarType, c.nBarPosition))
            << c.nSelected << c.bEnabled << c.bChecked << c.nBarType << c.nBarPosition;
    // The normal-text index is the theme's: popup items follow it.
    pm->m_nNormalTextColor = COLOR_MENUTEXT;
    EXPECT_EQ(Sys(COLOR_MENUTEXT), pm->GetStateTextColor(0, FALSE, TRUE, FALSE, FALSE, 2, 5));
}

// What a 10 x 10 state rectangle leaves at three places: the top-left corner, the bottom-right
// corner and the centre pair (4, 4), (5, 4) where the dither alternates.
struct StateCase
{
    const char* name;
    int nSelected, bPressed, bEnabled, bChecked, bPopped, nBarType, nBarPosition;
    COLORREF clrTopLeft, clrBottomRight, clrCentre, clrCentreNext;
};

TEST(DefaultTheme, StateRectangleTable)
{
    CThemeRef<CZPDefaultTheme> pm;
    const COLORREF sh = Sys(COLOR_BTNSHADOW), hi = Sys(COLOR_BTNHIGHLIGHT), face = Sys(COLOR_BTNFACE);
    const COLORREF sel = Sys(COLOR_HIGHLIGHT);
    const StateCase cases[] = {
        { "popup selected", 1, 0, 1, 0, 0, 2, 5, sel, sel, sel, sel },
        { "popup pressed", 0, 1, 1, 0, 0, 2, 5, sel, sel, sel, sel },
        { "popup idle", 0, 0, 1, 0, 0, 2, 5, kMark, kMark, kMark, kMark },
        { "disabled checked", 0, 0, 0, 1, 0, 1, 0, sh, hi, kMark, kMark },
        { "disabled keyboard", 2, 0, 0, 0, 0, 1, 0, sh, hi, kMark, kMark },
        { "disabled mouse", 1, 0, 0, 0, 0, 1, 0, kMark, kMark, kMark, kMark },
        { "checked idle", 0, 0, 1, 1, 0, 1, 0, sh, hi, hi, face },
        { "checked hot", 1, 0, 1, 1, 0, 1, 0, sh, hi, kMark, kMark },
        { "mixed idle", 0, 0, 1, 2, 0, 1, 0, sh, hi, hi, face },
        { "popped", 0, 0, 1, 0, 1, 1, 0, sh, hi, kMark, kMark },
        { "pressed keyboard", 0, 2, 1, 0, 0, 1, 0, sh, hi, kMark, kMark },
        { "selected pressed", 1, 1, 1, 0, 0, 1, 0, sh, hi, kMark, kMark },
        { "selected", 1, 0, 1, 0, 0, 1, 0, hi, sh, kMark, kMark },
        { "pressed alone", 0, 1, 1, 0, 0, 1, 0, hi, sh, kMark, kMark },
        { "idle", 0, 0, 1, 0, 0, 1, 0, kMark, kMark, kMark, kMark },
        { "popup checked", 0, 0, 1, 1, 0, 2, 5, sh, hi, hi, face },
    };
    for (const StateCase& c : cases) {
        CDibSection dib(10, 10, kMark);
        CDibDC dc(dib);
        pm->DrawStateRectangle(&dc, CRect(0, 0, 10, 10), c.nSelected, c.bPressed, c.bEnabled, c.bChecked, c.bPopped,
                               c.nBarType, c.nBarPosition);
        EXPECT_EQ(c.clrTopLeft, dib.GetPixel(0, 0)) << c.name;
        EXPECT_EQ(c.clrBottomRight, dib.GetPixel(9, 9)) << c.name;
        EXPECT_EQ(c.clrCentre, dib.GetPixel(4, 4)) << c.name;
        EXPECT_EQ(c.clrCentreNext, dib.GetPixel(5, 4)) << c.name;
    }
    // With full-row selection a checked popup item is dithered like a checked button.
    pm->m_bMenuHighlight = TRUE;
    CDibSection dib(10, 10, kMark);
    CDibDC dc(dib);
    pm->DrawStateRectangle(&dc, CRect(0, 0, 10, 10), 1, 0, 1, 1, 0, 2, 5);
    EXPECT_EQ(sh, dib.GetPixel(0, 0));
    EXPECT_EQ(hi, dib.GetPixel(4, 4));
    EXPECT_EQ(face, dib.GetPixel(5, 4));
}

TEST(DefaultTheme, EmptyAndInvertedRectanglesDrawNothing)
{
    CThemeRef<CZPDefaultTheme> pm;
    CDibSection dib(20, 20, kMark);
    CDibDC dc(dib);
    for (CRect rc : { CRect(5, 5, 5, 15), CRect(15, 15, 5, 5), CRect(12, 5, 8, 15) }) {
        pm->DrawStateRectangle(&dc, rc, 1, 1, 1, 1, 0, 1, 0);
        pm->DrawStateRectangle(&dc, rc, 1, 0, 1, 0, 0, 2, 5);
        pm->DrawEditFrame(&dc, rc, TRUE, 1);
        pm->DrawTearOffStrip(&dc, rc, TRUE);
    }
    EXPECT_EQ(400, CountPixels(dib, kMark));
    // No DC: nothing to draw on and nothing fails.
    pm->DrawStateRectangle(NULL, CRect(0, 0, 5, 5), 1, 1, 1, 1, 0, 1, 0);
    pm->DrawEditFrame(NULL, CRect(0, 0, 5, 5), TRUE, 1);
    pm->DrawComboBoxDropDownButton(NULL, CRect(0, 0, 20, 20), TRUE, 1, 0);
    pm->DrawImage(NULL, CPoint(0, 0), CSize(16, 16), NULL, 0, 0, 1, 0, 0);
    pm->DrawImage(&dc, CPoint(0, 0), CSize(0, 16), NULL, 0, 0, 1, 0, 0);
}

TEST(DefaultTheme, DitherFollowsTheBrushOriginAndLeavesTheDCAsFound)
{
    CThemeRef<CZPDefaultTheme> pm;
    const COLORREF face = Sys(COLOR_BTNFACE), hi = Sys(COLOR_BTNHIGHLIGHT);
    for (int nOrigin : { 0, 1 }) {
        CDibSection dib(8, 8, kMark);
        CDibDC dc(dib);
        dc.SetTextColor(RGB(7, 8, 9));
        dc.SetBkColor(RGB(9, 8, 7));
        ::SetBrushOrgEx(dc.GetSafeHdc(), nOrigin, 0, NULL);
        HGDIOBJ hBrush = ::GetCurrentObject(dc.GetSafeHdc(), OBJ_BRUSH);
        CThemeAccess::FillDither(pm.Get(), &dc, CRect(0, 0, 8, 8));
        EXPECT_EQ(nOrigin ? face : hi, dib.GetPixel(0, 0)) << nOrigin;
        EXPECT_EQ(nOrigin ? hi : face, dib.GetPixel(1, 0)) << nOrigin;
        EXPECT_EQ(nOrigin ? hi : face, dib.GetPixel(0, 1)) << nOrigin;
        EXPECT_EQ(32, CountPixels(dib, hi));
        EXPECT_EQ(RGB(7, 8, 9), dc.GetTextColor());
        EXPECT_EQ(RGB(9, 8, 7), dc.GetBkColor());
        EXPECT_EQ(hBrush, ::GetCurrentObject(dc.GetSafeHdc(), OBJ_BRUSH));
    }
}

TEST(DefaultTheme, DitherLeaksNoHandlesPastTheGdiTable)
{
    // Wine's handle table gives out near 65,400 objects: a leak would stop the dither here.
    CThemeRef<CZPDefaultTheme> pm;
    CDibSection dib(4, 4, kMark);
    CDibDC dc(dib);
    const int kCalls = 70000;
    for (int i = 0; i < kCalls; ++i)
        pm->DrawStateRectangle(&dc, CRect(0, 0, 4, 4), 0, 0, 1, 1, 0, 1, 0);
    dib.Fill(kMark);
    pm->DrawStateRectangle(&dc, CRect(0, 0, 4, 4), 0, 0, 1, 1, 0, 1, 0);
    EXPECT_EQ(Sys(COLOR_BTNFACE), dib.GetPixel(1, 2));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), dib.GetPixel(2, 2));
}

TEST(DefaultTheme, BarBackgroundsGrippersAndHandles)
{
    CThemeRef<CZPDefaultTheme> pm;
    const COLORREF face = Sys(COLOR_BTNFACE), sh = Sys(COLOR_BTNSHADOW), hi = Sys(COLOR_BTNHIGHLIGHT);
    const COLORREF dk = Sys(COLOR_3DDKSHADOW);
    CBarWindow bar(new CZPToolBar, zpBarTop, CSize(40, 20));

    CDibSection dib(40, 20, kMark);
    CDibDC dc(dib);
    pm->FillBarBackground(&dc, bar.p);
    // Docked and not flat: button face inside a raised edge.
    EXPECT_EQ(hi, dib.GetPixel(0, 0));
    EXPECT_EQ(sh, dib.GetPixel(39, 19));
    EXPECT_EQ(face, dib.GetPixel(20, 10));

    // Floating: a 3D rectangle of face and dark shadow, and a raised edge one pixel in.
    bar.p->SetPosition(zpBarFloating);
    pm->FillBarBackground(&dc, bar.p);
    EXPECT_EQ(face, dib.GetPixel(0, 0));
    EXPECT_EQ(dk, dib.GetPixel(39, 19));
    EXPECT_EQ(hi, dib.GetPixel(1, 1));
    EXPECT_EQ(sh, dib.GetPixel(38, 18));

    // Grippers: width 6 horizontal, height 8 vertical; the raised bar at (3, 3).
    bar.p->SetPosition(zpBarTop);
    dib.Fill(kMark);
    EXPECT_EQ(CSize(6, 0), pm->DrawBarGripper(&dc, bar.p, TRUE));
    EXPECT_EQ(hi, dib.GetPixel(3, 3));
    EXPECT_EQ(sh, dib.GetPixel(5, 16));
    EXPECT_EQ(kMark, dib.GetPixel(6, 10));
    EXPECT_EQ(kMark, dib.GetPixel(5, 17));
    bar.p->SetPosition(zpBarLeft);
    EXPECT_EQ(CSize(0, 8), pm->DrawBarGripper(NULL, bar.p, FALSE));
    bar.p->SetPosition(zpBarPopup);
    EXPECT_EQ(CSize(0, 0), pm->DrawBarGripper(&dc, bar.p, TRUE));
    EXPECT_EQ(CSize(0, 0), pm->DrawBarGripper(&dc, NULL, TRUE));

    // The dialog-bar handle is never shorter than 22 pixels.
    const struct
    {
        int nTextHeight, nHeight;
    } handles[] = { { 0, 22 }, { 13, 22 }, { 17, 22 }, { 18, 22 }, { 19, 23 }, { 30, 34 } };
    for (const auto& h : handles) {
        CThemeAccess::SetTextHeight(pm.Get(), h.nTextHeight);
        EXPECT_EQ(CSize(6, h.nHeight), pm->DrawDialogBarHandle(NULL, bar.p, FALSE)) << h.nTextHeight;
    }
}

TEST(DefaultTheme, SeparatorsBordersAndExcludeRectangles)
{
    CThemeRef<CZPDefaultTheme> pm;
    const COLORREF sh = Sys(COLOR_BTNSHADOW), hi = Sys(COLOR_BTNHIGHLIGHT);
    CBarWindow toolbar(new CZPToolBar, zpBarTop, CSize(60, 24));
    CBarWindow popup(new CZPPopupBar, zpBarPopup, CSize(60, 60));
    CZPControl* pTool = toolbar.Add(zpControlButton, CRect(20, 2, 40, 22), CRect(0, 2, 60, 22));
    CZPControl* pItem = popup.Add(zpControlButton, CRect(3, 20, 57, 40), CRect(3, 20, 57, 40));

    EXPECT_EQ(CSize(6, 6), pm->DrawBarSeparator(NULL, toolbar.p, pTool, FALSE));
    EXPECT_EQ(CSize(8, 8), pm->DrawBarSeparator(NULL, popup.p, pItem, FALSE));

    // Horizontal bar: two columns before the control, shadow then highlight.
    CDibSection dib(60, 60, kMark);
    CDibDC dc(dib);
    EXPECT_EQ(CSize(0, 0), pm->DrawBarSeparator(&dc, toolbar.p, pTool, TRUE));
    EXPECT_EQ(sh, dib.GetPixel(16, 10));
    EXPECT_EQ(hi, dib.GetPixel(17, 10));
    EXPECT_EQ(kMark, dib.GetPixel(18, 10));
    // Popup: two rows above the item, 11 pixels in from each side.
    dib.Fill(kMark);
    pm->DrawBarSeparator(&dc, popup.p, pItem, TRUE);
    EXPECT_EQ(sh, dib.GetPixel(20, 15));
    EXPECT_EQ(hi, dib.GetPixel(20, 16));
    EXPECT_EQ(kMark, dib.GetPixel(13, 15));
    EXPECT_EQ(sh, dib.GetPixel(14, 15));

    EXPECT_EQ(CRect(3, 3, 3, 3), pm->GetBarBorders(popup.p));

    CRect rc(10, 10, 20, 20);
    pm->AdjustExcludeRect(rc, pItem, FALSE);
    EXPECT_EQ(CRect(11, 10, 19, 20), rc);
    rc = CRect(10, 10, 20, 20);
    pm->AdjustExcludeRect(rc, pTool, TRUE);
    EXPECT_EQ(CRect(10, 9, 20, 21), rc);
    rc = CRect(10, 10, 20, 20);
    pm->AdjustExcludeRect(rc, pTool, FALSE);
    EXPECT_EQ(CRect(9, 10, 21, 20), rc);
    rc = CRect(10, 10, 20, 20);
    pm->AdjustExcludeRect(rc, NULL, FALSE);
    CZPControl* pCombo = toolbar.Add(zpControlComboBox, CRect(0, 0, 10, 10), CRect(0, 0, 10, 10));
    pm->AdjustExcludeRect(rc, pCombo, FALSE);
    EXPECT_EQ(CRect(10, 10, 20, 20), rc);
}

TEST(DefaultTheme, PopupCellTearOffAndSizeGrips)
{
    CThemeRef<CZPDefaultTheme> pm;
    CBarWindow popup(new CZPPopupBar, zpBarPopup, CSize(60, 60));
    popup.p->SetIconSize(CSize(16, 16));
    const CSize szIcon = popup.p->GetEffectiveIconSize();
    CThemeAccess::SetTextHeight(pm.Get(), 10);
    EXPECT_EQ(CSize(szIcon.cx + 4, szIcon.cy + 4), pm->GetPopupIconCellSize(popup.p));
    CThemeAccess::SetTextHeight(pm.Get(), 40);
    EXPECT_EQ(CSize(40, 40), pm->GetPopupIconCellSize(popup.p));
    CThemeAccess::SetTextHeight(pm.Get(), 0);
    EXPECT_EQ(CSize(4, 4), pm->GetPopupIconCellSize(NULL));

    CDibSection dib(20, 12, kMark);
    CDibDC dc(dib);
    pm->DrawTearOffStrip(&dc, CRect(0, 0, 20, 10), TRUE);
    EXPECT_EQ(Sys(COLOR_ACTIVECAPTION), dib.GetPixel(0, 8));
    EXPECT_EQ(kMark, dib.GetPixel(0, 9));
    pm->DrawTearOffStrip(&dc, CRect(0, 0, 20, 10), FALSE);
    EXPECT_EQ(Sys(COLOR_INACTIVECAPTION), dib.GetPixel(19, 0));

    // Bottom grip: four dots at c-8 ... c+4, dark at top+3, light one pixel down and right.
    const COLORREF dark = pm->GetColor(38), light = Sys(COLOR_WINDOW);
    CDibSection grip(40, 12, kMark);
    CDibDC gdc(grip);
    pm->DrawPopupSizeGrip(&gdc, CRect(0, 0, 40, 12), 2);
    for (int x : { 12, 16, 20, 24 }) {
        EXPECT_EQ(dark, grip.GetPixel(x, 3)) << x;
        EXPECT_EQ(dark, grip.GetPixel(x + 1, 4)) << x;
        EXPECT_EQ(light, grip.GetPixel(x + 2, 5)) << x;
    }
    EXPECT_EQ(16, CountPixels(grip, dark));
    EXPECT_EQ(12, CountPixels(grip, light));
    // Corner grip: three dots near the bottom-right corner.
    grip.Fill(kMark);
    pm->DrawPopupSizeGrip(&gdc, CRect(0, 0, 40, 12), 1);
    EXPECT_EQ(dark, grip.GetPixel(36, 8));
    EXPECT_EQ(light, grip.GetPixel(38, 10));
    EXPECT_EQ(dark, grip.GetPixel(32, 8));
    EXPECT_EQ(dark, grip.GetPixel(36, 4));
    EXPECT_EQ(12, CountPixels(grip, dark));
}

TEST(DefaultTheme, ComboButtonAndEditFrame)
{
    CThemeRef<CZPDefaultTheme> pm;
    const COLORREF face = Sys(COLOR_BTNFACE), sh = Sys(COLOR_BTNSHADOW), hi = Sys(COLOR_BTNHIGHLIGHT);
    const COLORREF text = Sys(COLOR_BTNTEXT);
    const CRect rc(0, 0, 20, 20);  // the button becomes (1, 2, 18, 18)
    const struct
    {
        BOOL bEnabled;
        int nSelected;
        BOOL bPopped;
        COLORREF clrCorner, clrColumn;
    } cases[] = {
        { TRUE, 0, FALSE, hi, kMark },  // framed in the highlight colour
        { TRUE, 1, FALSE, hi, face },   // raised, the column left of it in face
        { TRUE, 0, TRUE, sh, face },    // sunken
        { FALSE, 0, FALSE, kMark, kMark },
    };
    for (const auto& c : cases) {
        CDibSection dib(20, 20, kMark);
        CDibDC dc(dib);
        pm->DrawComboBoxDropDownButton(&dc, rc, c.bEnabled, c.nSelected, c.bPopped);
        EXPECT_EQ(c.clrCorner, dib.GetPixel(1, 2)) << c.bEnabled << c.nSelected << c.bPopped;
        EXPECT_EQ(c.clrColumn, dib.GetPixel(0, 10)) << c.bEnabled << c.nSelected << c.bPopped;
        // The arrow shows in button text, also when disabled.
        EXPECT_GT(CountPixels(dib, text), 0) << c.bEnabled << c.nSelected << c.bPopped;
    }

    CDibSection dib(20, 20, kMark);
    CDibDC dc(dib);
    pm->DrawEditFrame(&dc, rc, TRUE, 1);
    EXPECT_EQ(sh, dib.GetPixel(0, 0));
    EXPECT_EQ(hi, dib.GetPixel(19, 19));
    EXPECT_EQ(face, dib.GetPixel(1, 1));
    EXPECT_EQ(kMark, dib.GetPixel(2, 2));
    dib.Fill(kMark);
    pm->DrawEditFrame(&dc, rc, FALSE, 2);
    EXPECT_EQ(kMark, dib.GetPixel(0, 0));
    EXPECT_EQ(sh, dib.GetPixel(1, 1));
    pm->DrawEditFrame(&dc, rc, FALSE, 1);
    EXPECT_EQ(hi, dib.GetPixel(1, 1));
}

}  // namespace

namespace {

TEST(DefaultTheme, PopupItemsCellCheckHighlightAndArrow)
{
    CThemeRef<CZPDefaultTheme> pm;
    CThemeAccess::SetTextHeight(pm.Get(), 16);
    CBarWindow popup(new CZPPopupBar, zpBarPopup, CSize(120, 60));
    popup.p->SetIconSize(CSize(16, 16));
    const int nCell = std::max<int>(16, popup.p->GetEffectiveIconSize().cx + 4);
    const COLORREF sh = Sys(COLOR_BTNSHADOW), sel = Sys(COLOR_HIGHLIGHT);

    // Checked, no icon: the cell is a dithered sunken square and the mark is in button text.
    CZPControl* pChecked = popup.Add(zpControlButton, CRect(0, 0, 120, 24), CRect(0, 0, 120, 24));
    pChecked->SetChecked(TRUE);
    CDibSection dib(120, 24, kMark);
    CDibDC dc(dib);
    pm->DrawControlInPopup(&dc, pChecked, TRUE);
    EXPECT_EQ(sh, dib.GetPixel(0, 0));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), dib.GetPixel(nCell - 1, 23));
    int nMark = 0;
    for (int y = 2; y < 22; ++y)
        for (int x = nCell / 2 - 10; x < nCell / 2 + 10; ++x)
            nMark += dib.GetPixel(x, y) == Sys(COLOR_BTNTEXT);
    EXPECT_GT(nMark, 0);
    EXPECT_EQ(kMark, dib.GetPixel(nCell + 10, 12));

    // Selected sub-menu item: the text part is highlighted and the arrow takes highlight text.
    CZPControl* pSub = popup.Add(zpControlPopup, CRect(0, 0, 120, 24), CRect(0, 0, 120, 24));
    pSub->SetSelectedRaw(1);
    dib.Fill(kMark);
    pm->DrawControlInPopup(&dc, pSub, TRUE);
    EXPECT_EQ(sel, dib.GetPixel(0, 0));
    EXPECT_EQ(sel, dib.GetPixel(119, 23));
    EXPECT_EQ(Sys(COLOR_HIGHLIGHTTEXT), dib.GetPixel(120 - 10, 12));

    // Measuring without a DC draws nothing and reaches the base.
    pm->DrawControlInPopup(NULL, pSub, FALSE);
    pm->DrawControlInPopup(&dc, NULL, TRUE);
}

}  // namespace
