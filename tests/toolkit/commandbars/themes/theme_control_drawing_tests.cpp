// Controls drawn whole through the Default and Native XP themes: toolbar buttons and popup items
// read back as pixels, in exact system colours (classic) and as the system's own parts (themed).
#include <gtest/gtest.h>

#include "paint_manager_pixels.h"
#include "paint_manager_test_theme.h"
#include "theme_test_support.h"

#include "commandbars/ZPMenuBar.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPToolBar.h"
#include "commandbars/themes/ZPThemePartCache.h"

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
    // The system's flat menus are not the base's flat bars: docked bars keep their band edges.
    CBarWindow menubar(new CZPMenuBar, zpBarTop, CSize(40, 24));
    EXPECT_FALSE(pm->IsFlatBar(menubar.p));
    EXPECT_FALSE(pm->IsFlatBar(bar.p));
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

TEST(ThemeControlDrawing, PartCacheCopiesOnlyWhatTheStyleWouldDraw)
{
    CZPWinThemeWrapper menu, toolbar;
    ASSERT_NE(nullptr, menu.OpenTheme(NULL, L"MENU"));
    ASSERT_NE(nullptr, toolbar.OpenTheme(NULL, L"TOOLBAR"));
    CZPThemePartCache cache;
    const CRect rc(3, 4, 63, 44);
    const CRect rcClip(10, 0, 30, 30);
    const struct
    {
        CZPWinThemeWrapper* pTheme;
        int nPart, nState;
        const RECT* pClip;
    } cases[] = {
        { &menu, 9, 0, NULL },     // popup background
        { &menu, 9, 0, &rcClip },  // the same picture, copied only inside the clip
        { &menu, 10, 0, NULL },    // popup borders
        { &toolbar, 1, 2, NULL },  // a hot button
        { &toolbar, 1, 1, NULL },  // a normal button
    };
    for (const auto& c : cases) {
        for (COLORREF clrUnder : { kMark, RGB(250, 240, 230) }) {
            CDibSection ours(70, 50, clrUnder), theirs(70, 50, clrUnder);
            const BOOL bCopied = cache.Draw(*c.pTheme, ours.GetDC(), c.nPart, c.nState, rc, c.pClip);
            if (!bCopied)
                c.pTheme->DrawBackground(ours.GetDC(), c.nPart, c.nState, &rc, c.pClip);
            c.pTheme->DrawBackground(theirs.GetDC(), c.nPart, c.nState, &rc, c.pClip);
            EXPECT_TRUE(SameDibs(ours, theirs)) << c.nPart << " " << c.nState << " " << bCopied;
        }
    }
    EXPECT_GT(cache.GetCount(), 0);
    EXPECT_LE(cache.GetCount(), 16);

    // A mirrored DC, an empty rectangle and a closed theme are never copied.
    CDibSection dib(70, 50, kMark);
    ::SetLayout(dib.GetDC(), LAYOUT_RTL);
    EXPECT_FALSE(cache.Draw(menu, dib.GetDC(), 9, 0, rc, NULL));
    ::SetLayout(dib.GetDC(), 0);
    EXPECT_FALSE(cache.Draw(menu, dib.GetDC(), 9, 0, CRect(10, 10, 5, 5), NULL));
    CZPWinThemeWrapper closed;
    EXPECT_FALSE(cache.Draw(closed, dib.GetDC(), 9, 0, rc, NULL));
    EXPECT_EQ(70 * 50, CountPixels(dib, kMark));

    // Many sizes keep at most 16 pictures.
    CDibSection plain(70, 50, kMark);
    for (int cx = 1; cx <= 40; ++cx)
        cache.Draw(menu, plain.GetDC(), 9, 0, CRect(0, 0, cx, 10), NULL);
    EXPECT_EQ(16, cache.GetCount());
    cache.Clear();
    EXPECT_EQ(0, cache.GetCount());
    menu.CloseTheme();
    toolbar.CloseTheme();
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
