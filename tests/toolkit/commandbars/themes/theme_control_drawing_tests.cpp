// Controls drawn whole through the Default and Native XP themes: toolbar buttons and popup items
// read back as pixels, in exact system colours (classic) and as the system's own parts (themed).
#include <gtest/gtest.h>

#include "paint_manager_pixels.h"
#include "paint_manager_test_theme.h"
#include "theme_test_support.h"

#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPToolBar.h"

#include <framework/thread.h>

namespace {

const COLORREF kMark = RGB(1, 2, 3);
const COLORREF kIconColor = RGB(0, 128, 0);
const UINT kIconId = 7101;

COLORREF Sys(int nIndex)
{
    return ::GetSysColor(nIndex);
}

// Draws one control of the bar into a DIB of the bar's size.
void DrawInto(CZPPaintManager* pm, CDibSection& dib, CZPControl* pControl)
{
    CDibDC dc(dib);
    dc.SetBkMode(TRANSPARENT);
    pm->DrawControl(&dc, pControl, TRUE);
}

TEST(ThemeControlDrawing, DefaultToolbarButtonStates)
{
    CThemeRef<CZPDefaultTheme> pm;
    CBarWindow bar(new CZPToolBar, zpBarTop, CSize(40, 24));
    CZPControl* p = bar.Add(zpControlButton, CRect(2, 2, 38, 22), CRect(0, 0, 40, 24));
    const COLORREF hi = Sys(COLOR_BTNHIGHLIGHT), sh = Sys(COLOR_BTNSHADOW);
    const struct
    {
        const char* name;
        int nSelected, nPressed;
        BOOL bChecked;
        COLORREF clrTopLeft, clrBottomRight;
    } cases[] = {
        { "normal", 0, 0, FALSE, kMark, kMark },
        { "hot", 1, 0, FALSE, hi, sh },
        { "pressed", 1, 1, FALSE, sh, hi },
        { "checked", 0, 0, TRUE, sh, hi },
    };
    for (const auto& c : cases) {
        p->SetSelectedRaw(c.nSelected);
        p->SetPressed(c.nPressed);
        p->SetChecked(c.bChecked);
        CDibSection dib(40, 24, kMark);
        DrawInto(pm.Get(), dib, p);
        EXPECT_EQ(c.clrTopLeft, dib.GetPixel(2, 2)) << c.name;
        EXPECT_EQ(c.clrBottomRight, dib.GetPixel(37, 21)) << c.name;
        // Checked and idle: the inside is the face-and-highlight dither.
        if (c.bChecked)
            EXPECT_NE(dib.GetPixel(3, 3), dib.GetPixel(4, 3)) << c.name;
    }

    // The caption in button text; disabled in grey with the highlight copy.
    p->SetSelectedRaw(0);
    p->SetPressed(0);
    p->SetChecked(FALSE);
    p->SetCaption(L"Go");
    CDibSection dib(40, 24, kMark);
    DrawInto(pm.Get(), dib, p);
    EXPECT_GT(CountPixels(dib, Sys(COLOR_BTNTEXT)), 0);
    p->SetEnabled(FALSE);
    dib.Fill(kMark);
    DrawInto(pm.Get(), dib, p);
    EXPECT_EQ(0, CountPixels(dib, Sys(COLOR_BTNTEXT)));
    EXPECT_GT(CountPixels(dib, Sys(COLOR_GRAYTEXT)), 0);
    EXPECT_GT(CountPixels(dib, hi), 0);
}

TEST(ThemeControlDrawing, DefaultPopupItems)
{
    RegisterTestIcon(kIconId, kIconColor);
    CThemeRef<CZPDefaultTheme> pm;
    CBarWindow popup(new CZPPopupBar, zpBarPopup, CSize(160, 24));
    popup.p->SetIconSize(CSize(16, 16));
    const int nCell = pm->GetPopupIconCellSize(popup.p).cx;
    CZPControl* p = popup.p->GetControls()->Add(zpControlButton, kIconId);
    p->SetRect(CRect(0, 0, 160, 24));
    p->SetCaption(L"Open");
    p->SetShortcutText(L"Ctrl+O");

    // Idle: the icon centred in its cell, the caption in button text.
    CDibSection dib(160, 24, kMark);
    DrawInto(pm.Get(), dib, p);
    EXPECT_EQ(kIconColor, dib.GetPixel(nCell / 2, 12));
    EXPECT_GT(CountPixels(dib, Sys(COLOR_BTNTEXT)), 0);

    // Selected: the text part in highlight with highlight text; the icon cell raised.
    p->SetSelectedRaw(1);
    dib.Fill(kMark);
    DrawInto(pm.Get(), dib, p);
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), dib.GetPixel(nCell + 2, 1));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), dib.GetPixel(0, 0));
    EXPECT_GT(CountPixels(dib, Sys(COLOR_HIGHLIGHTTEXT)), 0);
    p->SetSelectedRaw(0);

    // Rarely used: the whole item in the light colour.
    p->SetHiddenByUsage(TRUE);
    dib.Fill(kMark);
    DrawInto(pm.Get(), dib, p);
    EXPECT_EQ(pm->GetColor(zpColor3dLight), dib.GetPixel(150, 1));
    p->SetHiddenByUsage(FALSE);

    // Two icon columns: a checked item keeps its mark in the first cell, the icon moves to the
    // second.
    static_cast<CZPPopupBar*>(popup.p)->SetDoubleGripper(TRUE);
    p->SetChecked(TRUE);
    dib.Fill(kMark);
    DrawInto(pm.Get(), dib, p);
    EXPECT_EQ(kIconColor, dib.GetPixel(nCell + 1 + nCell / 2, 12));
    int nMark = 0;
    for (int y = 2; y < 22; ++y)
        for (int x = 1; x < nCell - 1; ++x)
            nMark += dib.GetPixel(x, y) == Sys(COLOR_BTNTEXT);
    EXPECT_GT(nMark, 0);
}

TEST(ThemeControlDrawing, NativeXPThemedButtonsAreTheSystemsParts)
{
    CThemeRef<CZPNativeXPTheme> pm;
    ASSERT_TRUE(pm->IsThemed());
    CBarWindow bar(new CZPToolBar, zpBarTop, CSize(40, 24));
    CZPControl* p = bar.Add(zpControlButton, CRect(2, 2, 38, 22), CRect(0, 0, 40, 24));
    const struct
    {
        const char* name;
        int nSelected, nPressed;
        BOOL bChecked;
        int nState;
    } cases[] = { { "normal", 0, 0, FALSE, 1 }, { "hot", 1, 0, FALSE, 2 }, { "checked", 0, 0, TRUE, 5 } };
    for (const auto& c : cases) {
        p->SetSelectedRaw(c.nSelected);
        p->SetPressed(c.nPressed);
        p->SetChecked(c.bChecked);
        CDibSection ours(40, 24, kMark), theirs(40, 24, kMark);
        DrawInto(pm.Get(), ours, p);
        CReference(L"TOOLBAR").Draw(theirs, 1, c.nState, CRect(2, 2, 38, 22));
        EXPECT_TRUE(SameDibs(ours, theirs)) << c.name;
    }

    // A selected popup item keeps the menu-text colour over the system's hot item.
    ASSERT_TRUE(pm->IsMenuOpen());
    CBarWindow popup(new CZPPopupBar, zpBarPopup, CSize(120, 24));
    CZPControl* pItem = popup.Add(zpControlButton, CRect(0, 0, 120, 24), CRect(0, 0, 120, 24));
    pItem->SetCaption(L"Open");
    pItem->SetSelectedRaw(1);
    CDibSection dib(120, 24, kMark);
    DrawInto(pm.Get(), dib, pItem);
    EXPECT_GT(CountPixels(dib, Sys(COLOR_MENUTEXT)), 0);
    if (Sys(COLOR_HIGHLIGHTTEXT) != Sys(COLOR_MENUTEXT))
        EXPECT_EQ(0, CountPixels(dib, Sys(COLOR_HIGHLIGHTTEXT)));
}

TEST(ThemeControlDrawing, NativeXPClassicControlsDrawAsDefault)
{
    CWinThread thread;
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, L"STATIC", L"", WS_POPUP, CRect(0, 0, 40, 20), NULL, 0));
    ASSERT_EQ(S_OK, ::SetWindowTheme(wnd.GetSafeHwnd(), L" ", L" "));
    thread.m_pMainWnd = &wnd;
    {
        CThemeRef<CZPNativeXPTheme> pm;
        CThemeRef<CZPDefaultTheme> classic;
        classic->m_bMenuHighlight = TRUE;
        classic->m_nNormalTextColor = COLOR_MENUTEXT;
        classic->m_bThickCheckMark = TRUE;
        ASSERT_FALSE(pm->IsThemed());

        CBarWindow bar(new CZPToolBar, zpBarTop, CSize(60, 24));
        CZPControl* pButton = bar.Add(zpControlButton, CRect(2, 2, 58, 22), CRect(0, 0, 60, 24));
        pButton->SetCaption(L"&Go");
        CBarWindow popup(new CZPPopupBar, zpBarPopup, CSize(120, 24));
        CZPControl* pItem = popup.Add(zpControlButton, CRect(0, 0, 120, 24), CRect(0, 0, 120, 24));
        pItem->SetCaption(L"&Open");
        pItem->SetShortcutText(L"Ctrl+O");
        const struct
        {
            CZPControl* pControl;
            int nSelected;
            BOOL bChecked;
            int cx;
        } cases[] = {
            { pButton, 1, FALSE, 60 }, { pButton, 0, TRUE, 60 }, { pItem, 1, FALSE, 120 }, { pItem, 0, TRUE, 120 }
        };
        for (const auto& c : cases) {
            c.pControl->SetSelectedRaw(c.nSelected);
            c.pControl->SetChecked(c.bChecked);
            CDibSection ours(c.cx, 24, kMark), theirs(c.cx, 24, kMark);
            DrawInto(pm.Get(), ours, c.pControl);
            DrawInto(classic.Get(), theirs, c.pControl);
            EXPECT_TRUE(SameDibs(ours, theirs)) << c.cx << " " << c.nSelected << c.bChecked;
            EXPECT_LT(CountPixels(ours, kMark), c.cx * 24) << c.cx;
        }
    }
    thread.m_pMainWnd = NULL;
    wnd.DestroyWindow();
}

}  // namespace
