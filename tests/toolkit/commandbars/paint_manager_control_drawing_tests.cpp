// The base paint manager's control measuring and drawing on toolbars, menu bars and popups, the
// caption text rules, the floating caption, bar borders and flatness, and the expansion animation.
#include "commandbars_test_support.h"
#include "paint_manager_pixels.h"
#include "paint_manager_test_theme.h"

#include "commandbars/ZPMenuBar.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPToolBar.h"
#include "common/ZPDeviceContext.h"
#include "common/ZPImageManager.h"

#include <algorithm>

namespace {

const COLORREF kPaper = RGB(255, 255, 255);
const COLORREF kInk = RGB(0, 0, 0);  // the test theme's enabled text
const UINT kIconId = 7001;           // registered with an icon below
const UINT kPlainId = 7002;          // never has an icon

// Records where the base placed each image.
class CImageTheme : public CTestTheme
{
public:
    void DrawImage(CDC*, CPoint pt, CSize sz, CZPImageManagerIcon*, BOOL, BOOL, BOOL, BOOL, BOOL, BOOL) override
    {
        m_rcImages.push_back(CRect(pt, sz));
    }
    std::vector<CRect> m_rcImages;
};

// The theme with a known font; released at the end of the scope.
struct CThemeFixture
{
    CThemeFixture() : pm(new CImageTheme)
    {
        pm->RefreshMetrics();
        const LOGFONTW lf = TestLogFont(-11);
        pm->SetFontIndirect(&lf);
        dc.CreateCompatibleDC(NULL);
    }
    ~CThemeFixture() { pm->InternalRelease(); }
    CThemeFixture(const CThemeFixture&) = delete;
    CThemeFixture& operator=(const CThemeFixture&) = delete;

    CSize Extent(LPCWSTR lpszText, CFont* pFont = NULL)
    {
        CZPFontDC font(&dc, pFont != NULL ? pFont : pm->GetRegularFont());
        return dc.GetTextExtent(lpszText, lstrlenW(lpszText));
    }

    CImageTheme* pm;  // one reference
    CDC dc;           // a measuring DC
};

// One bar (one reference) with controls added by kind and id.
struct CBar
{
    explicit CBar(CZPCommandBar* pNewBar) : p(pNewBar) {}
    ~CBar() { p->InternalRelease(); }
    CBar(const CBar&) = delete;
    CBar& operator=(const CBar&) = delete;
    CZPControl* Add(int nKind, UINT nId, LPCWSTR lpszCaption, CRect rc = CRect(0, 0, 100, 24))
    {
        CZPControl* pControl = p->GetControls()->Add(nKind, nId);
        pControl->SetCaption(lpszCaption);
        pControl->SetRect(rc);
        return pControl;
    }
    CZPCommandBar* p;
};

using PaintManagerControlDrawing = CommandBarsTest;

TEST_F(PaintManagerControlDrawing, ToolBarSizesByKindAndStyle)
{
    RegisterTestIcon(kIconId, RGB(0, 128, 0));
    CThemeFixture f;
    CZPPaintManager* pm = f.pm;
    const CSize szFile = f.Extent(L"File");
    const CSize szSave = f.Extent(L"Save");
    const int h22 = 22;  // the toolbar's button: 16-pixel icons + 6
    CBar toolbar(new CZPToolBar);
    CBar menubar(new CZPMenuBar);

    // An icon button without caption is exactly the button size.
    CZPControl* pIcon = toolbar.Add(zpControlButton, kIconId, L"&Save");
    EXPECT_EQ(CSize(h22, h22), pm->DrawControl(&f.dc, pIcon, FALSE));
    // The same with its caption: the caption starts W - 1 right of the left edge.
    pIcon->SetStyle(zpButtonIconAndCaption);
    EXPECT_EQ(CSize(szSave.cx + h22 + 3, std::max<int>(h22, szSave.cy + 6)), pm->DrawControl(&f.dc, pIcon, FALSE));
    pm->m_bTightCaptions = TRUE;
    EXPECT_EQ(CSize(szSave.cx + h22 + 4, std::max<int>(h22, szSave.cy + 6)), pm->DrawControl(&f.dc, pIcon, FALSE));
    pm->m_bTightCaptions = FALSE;
    // Caption only: centred in an icon area of 22.
    CZPControl* pText = toolbar.Add(zpControlButton, kPlainId, L"&Save");
    EXPECT_EQ(CSize(szSave.cx + 8, std::max<int>(h22, szSave.cy + 6)), pm->DrawControl(&f.dc, pText, FALSE));

    // A popup without image measures caption + 10 + 6 on a menu bar too.
    CZPControl* pMenu = menubar.Add(zpControlPopup, kPlainId, L"&File");
    EXPECT_EQ(CSize(szFile.cx + 16, szFile.cy + 6), pm->DrawControl(&f.dc, pMenu, FALSE));
    CZPControl* pPopup = toolbar.Add(zpControlPopup, kPlainId, L"&File");
    EXPECT_EQ(CSize(szFile.cx + 16, szFile.cy + 6), pm->DrawControl(&f.dc, pPopup, FALSE));
    // A popup with image and hidden caption: (bs.cy + 7, bs.cy).
    CZPControl* pIconPopup = toolbar.Add(zpControlPopup, kIconId, L"&File");
    pIconPopup->SetStyle(zpButtonIcon);
    EXPECT_EQ(CSize(h22 + 7, h22), pm->DrawControl(&f.dc, pIconPopup, FALSE));

    // A split popup without image and caption: (22 + drop-down width) x 22.
    CZPControl* pSplit = toolbar.Add(zpControlSplitButtonPopup, kPlainId, L"&Undo");
    pSplit->SetStyle(zpButtonIcon);
    EXPECT_EQ(CSize(22 + pm->m_nSplitButtonDropDownWidth, 22), pm->DrawControl(&f.dc, pSplit, FALSE));

    // Check boxes: mark 13, gap 5, then the caption centred.
    CZPControl* pCheck = toolbar.Add(zpControlCheckBox, kPlainId, L"&File");
    EXPECT_EQ(CSize(szFile.cx + 8 + 13 + 5, std::max<int>(h22, szFile.cy + 6)), pm->DrawControl(&f.dc, pCheck, FALSE));

    // Custom controls measure nothing; fixed sides win.
    EXPECT_EQ(CSize(0, 0), pm->DrawControl(&f.dc, toolbar.Add(zpControlCustom, kPlainId, L"x"), FALSE));
    pText->SetWidth(90);
    EXPECT_EQ(90, pm->DrawControl(&f.dc, pText, FALSE).cx);
    pText->SetWidth(0);

    // Large buttons: at least 42 wide and icon + drop-down height + 7 high.
    CZPControl* pLarge = toolbar.Add(zpControlButton, kIconId, L"Paste Special");
    pLarge->SetStyle(zpButtonIconAndCaptionBelow);
    const int nLargeIcon = toolbar.p->ResolveIconSize(TRUE).cy;
    const int nTwoLine = std::max<int>(f.Extent(L"Paste").cx, f.Extent(L"Special").cx);
    const CSize szLarge = pm->DrawControl(&f.dc, pLarge, FALSE);
    EXPECT_EQ(std::max<int>({ 2 * pm->GetControlHeight() - 3, 42, nTwoLine + 5 }), szLarge.cx);
    EXPECT_EQ(nLargeIcon + pm->GetSplitDropDownHeight() + 7, szLarge.cy);
    pm->m_nFixedRowHeight = 25;
    EXPECT_EQ(75, pm->DrawControl(&f.dc, pLarge, FALSE).cy);
    pm->m_nFixedRowHeight = 0;

    // Text below icons: the button height plus the caption, at least square.
    toolbar.p->SetShowTextBelowIcons(1);
    EXPECT_EQ(CSize(std::max<int>({ h22, szSave.cx + 10, h22 + szSave.cy }), h22 + szSave.cy),
              pm->DrawControl(&f.dc, pIcon, FALSE));
    toolbar.p->SetShowTextBelowIcons(0);

    // Left and right bars turn captions: the caption's length runs down the bar.
    toolbar.p->SetPosition(zpBarLeft);
    const CSize szVertical = f.Extent(L"Save", pm->GetVerticalFont());
    EXPECT_EQ(CSize(std::max<int>(h22, szVertical.cy + 6), szVertical.cx + 8), pm->DrawControl(&f.dc, pText, FALSE));
    toolbar.p->SetTextOrientation(2);
    EXPECT_EQ(CSize(szSave.cx + 8, std::max<int>(h22, szSave.cy + 6)), pm->DrawControl(&f.dc, pText, FALSE));

    // Without a DC the sizes come from a screen DC; drawing without one does nothing.
    EXPECT_EQ(pm->DrawControl(&f.dc, pText, FALSE), pm->DrawControl(NULL, pText, FALSE));
    EXPECT_EQ(CSize(0, 0), pm->DrawControlOnToolBar(NULL, pText, TRUE));
    EXPECT_EQ(CSize(0, 0), pm->DrawControlOnToolBar(&f.dc, NULL, FALSE));
}

TEST_F(PaintManagerControlDrawing, ImagePlacementOnToolBars)
{
    RegisterTestIcon(kIconId, RGB(0, 128, 0));
    CThemeFixture f;
    CBar toolbar(new CZPToolBar);
    CDibSection dib(100, 24, kPaper);
    CDibDC dc(dib);

    // A button without caption centres its icon; with caption the icon sits 3 pixels in.
    CZPControl* pIcon = toolbar.Add(zpControlButton, kIconId, L"Save", CRect(0, 0, 40, 24));
    f.pm->DrawControl(&dc, pIcon, TRUE);
    pIcon->SetStyle(zpButtonIconAndCaption);
    f.pm->DrawControl(&dc, pIcon, TRUE);
    // A popup with hidden caption keeps the icon 3 pixels in and draws its glyph at right - 7.
    CZPControl* pPopup = toolbar.Add(zpControlPopup, kIconId, L"Open", CRect(0, 0, 40, 24));
    pPopup->SetStyle(zpButtonIcon);
    dib.Fill(kPaper);
    f.pm->DrawControl(&dc, pPopup, TRUE);
    ASSERT_EQ(3u, f.pm->m_rcImages.size());
    EXPECT_EQ(CRect(12, 4, 28, 20), f.pm->m_rcImages[0]);
    EXPECT_EQ(CRect(3, 4, 19, 20), f.pm->m_rcImages[1]);
    EXPECT_EQ(CRect(3, 4, 19, 20), f.pm->m_rcImages[2]);
    EXPECT_EQ(kInk, dib.GetPixel(33, 11));  // the glyph's top row (x - 2 ... x + 2, y - 1)
    EXPECT_EQ(kInk, dib.GetPixel(33, 12));
    EXPECT_EQ(kPaper, dib.GetPixel(33, 14));
}

TEST_F(PaintManagerControlDrawing, MenuBarPopupDrawsNoGlyph)
{
    CThemeFixture f;
    const int cxFile = f.Extent(L"File").cx;
    for (BOOL bMenuBar : { TRUE, FALSE }) {
        CBar bar(bMenuBar ? static_cast<CZPCommandBar*>(new CZPMenuBar) : new CZPToolBar);
        CZPControl* p = bar.Add(zpControlPopup, kPlainId, L"&File", CRect(0, 0, 100, 24));
        CDibSection dib(100, 24, kPaper);
        CDibDC dc(dib);
        dc.SetBkMode(TRANSPARENT);
        f.pm->DrawControl(&dc, p, TRUE);
        // Text is centred on its own width (+ 5 for the glyph); the glyph sits right after it.
        int nRightmost = -1;
        for (int x = 0; x < 100; ++x)
            for (int y = 0; y < 24; ++y)
                if (dib.GetPixel(x, y) != kPaper)
                    nRightmost = std::max(nRightmost, x);
        const int w = cxFile + (bMenuBar ? 0 : 5);
        const int nLeft = (100 - w) / 2;
        if (bMenuBar)
            EXPECT_LT(nRightmost, nLeft + cxFile + 1);
        else
            EXPECT_EQ(nLeft + w + 2, nRightmost);
    }
}

TEST_F(PaintManagerControlDrawing, CaptionCuesAndEmbossedDisabledText)
{
    CThemeFixture f;
    CBar toolbar(new CZPToolBar);
    CZPControl* p = toolbar.Add(zpControlButton, kPlainId, L"&File", CRect(0, 0, 60, 24));
    const CSize szFile = f.Extent(L"File");
    // The caption lands centred at the top-left of its text: x = (60 - w) / 2, vertically centred.
    const CRect rcText((60 - szFile.cx) / 2, 0, 60, 24);

    auto drawControl = [&](CDibSection& dib) {
        CDibDC dc(dib);
        dc.SetBkMode(TRANSPARENT);
        f.pm->DrawControl(&dc, p, TRUE);
    };
    auto drawReference = [&](CDibSection& dib, LPCWSTR lpszText, UINT nFormat) {
        CDibDC dc(dib);
        dc.SetBkMode(TRANSPARENT);
        CZPFontDC font(&dc, f.pm->GetRegularFont());
        CRect rc = rcText;
        dc.DrawText(lpszText, -1, &rc, DT_SINGLELINE | DT_VCENTER | nFormat);
    };
    const struct
    {
        int nCues;
        LPCWSTR lpszText;
        UINT nFormat;
    } cases[] = { { 0, L"File", DT_NOPREFIX }, { 1, L"&File", 0 } };
    for (const auto& c : cases) {
        f.pm->m_nKeyboardCueOverride = c.nCues;
        CDibSection ours(60, 24, kPaper), theirs(60, 24, kPaper);
        drawControl(ours);
        drawReference(theirs, c.lpszText, c.nFormat);
        EXPECT_EQ(Picture(theirs, kInk), Picture(ours, kInk)) << c.nCues;
    }
    // Cues shown: the underline differs from the plain caption.
    {
        CDibSection underlined(60, 24, kPaper), plain(60, 24, kPaper);
        drawControl(underlined);
        drawReference(plain, L"File", DT_NOPREFIX);
        EXPECT_NE(Picture(plain, kInk), Picture(underlined, kInk));
    }

    // Disabled: a highlight copy one pixel right and down widens the text, unless embossing is off.
    p->SetEnabled(FALSE);
    const COLORREF clrBack = RGB(10, 20, 30);
    int nInked[2] = {};
    for (BOOL bEmboss : { FALSE, TRUE }) {
        f.pm->m_bEmbossedDisabledText = bEmboss;
        CDibSection dib(60, 24, clrBack);
        drawControl(dib);
        nInked[bEmboss] = 60 * 24 - CountPixels(dib, clrBack);
        // The copy reaches one column further right than the text itself.
        int nRightmost = -1;
        for (int x = 0; x < 60; ++x)
            for (int y = 0; y < 24; ++y)
                if (dib.GetPixel(x, y) != clrBack)
                    nRightmost = std::max(nRightmost, x);
        EXPECT_EQ(rcText.left + szFile.cx - (bEmboss ? 0 : 1), nRightmost) << bEmboss;
    }
    EXPECT_GT(nInked[1], nInked[0]);
}

TEST_F(PaintManagerControlDrawing, PopupItemSizesShortcutsAndDescriptions)
{
    CThemeFixture f;
    CZPPaintManager* pm = f.pm;
    CBar popup(new CZPPopupBar);
    const int col = pm->GetPopupIconColumnWidth(popup.p) - 1;
    const int gap = pm->m_nPopupTextGap;
    const CSize cell = pm->GetPopupIconCellSize(popup.p);

    CZPControl* pOpen = popup.Add(zpControlButton, kPlainId, L"&Open");
    pOpen->SetShortcutText(L"Ctrl+O");
    const int cxOpen = f.Extent(L"Open").cx;
    const int cxShortcut = f.Extent(L"Ctrl+O").cx;
    EXPECT_EQ(CSize(col + gap + cxOpen + cxShortcut + 32, cell.cy), pm->DrawControl(&f.dc, pOpen, FALSE));
    // Popups show no shortcut; "&&" is one ampersand.
    CZPControl* pSub = popup.Add(zpControlPopup, kPlainId, L"A&&B");
    pSub->SetShortcutText(L"Ctrl+O");
    EXPECT_EQ(CSize(col + gap + f.Extent(L"A&B").cx + 32, cell.cy), pm->DrawControl(&f.dc, pSub, FALSE));

    // Two icon columns double the column.
    static_cast<CZPPopupBar*>(popup.p)->SetDoubleGripper(TRUE);
    EXPECT_EQ(2 * cell.cx + 1, pm->GetPopupIconColumnWidth(popup.p));
    static_cast<CZPPopupBar*>(popup.p)->SetDoubleGripper(FALSE);

    // Labels without an image give up the icon column when the option says so; caption-only
    // labels are one text height high.
    CZPControl* pLabel = popup.Add(zpControlLabel, kPlainId, L"Label");
    pLabel->SetStyle(zpButtonCaption);
    const int cxLabel = f.Extent(L"Label").cx;
    EXPECT_EQ(CSize(col + gap + cxLabel + 32, pm->GetTextHeight()), pm->DrawControl(&f.dc, pLabel, FALSE));
    pm->m_bLabelsKeepIconColumn = FALSE;
    EXPECT_EQ(CSize(gap + cxLabel + 32, pm->GetTextHeight()), pm->DrawControl(&f.dc, pLabel, FALSE));

    // Caption and description: bold caption, the description's width halved.
    CZPControl* pDescribed = popup.Add(zpControlButton, kPlainId, L"Described");
    pDescribed->SetStyle(zpButtonCaptionAndDescription);
    pDescribed->SetDescription(L"A description long enough to wrap onto two lines");
    const CSize szBold = f.Extent(L"Described", pm->GetRegularBoldFont());
    const int dw = f.Extent(L"A description long enough to wrap onto two lines").cx;
    CRect rcTwo(0, 0, (dw + 20) / 2, 0);
    {
        CZPFontDC font(&f.dc, pm->GetRegularFont());
        f.dc.DrawText(L"1\n2", -1, &rcTwo, DT_CALCRECT | DT_WORDBREAK);
    }
    EXPECT_EQ(CSize(std::max<int>(col + gap + szBold.cx + 32, dw / 2 + gap + col + 32),
                    std::max<int>(cell.cy, rcTwo.Height() + szBold.cy + 19)),
              pm->DrawControl(&f.dc, pDescribed, FALSE));

    // Drawing: the shortcut is right-aligned 19 pixels before the right edge.
    CDibSection dib(200, 24, kPaper);
    CDibDC dc(dib);
    dc.SetBkMode(TRANSPARENT);
    pOpen->SetRect(CRect(0, 0, 200, 24));
    pm->DrawControl(&dc, pOpen, TRUE);
    int nRightmost = -1;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 24; ++y)
            if (dib.GetPixel(x, y) == kInk)
                nRightmost = std::max(nRightmost, x);
    EXPECT_GE(nRightmost, 200 - 19 - 3);
    EXPECT_LT(nRightmost, 200 - 19);

    // Without a bar or a DC to draw on: nothing.
    EXPECT_EQ(CSize(0, 0), pm->DrawControlInPopup(&f.dc, NULL, FALSE));
    EXPECT_EQ(CSize(0, 0), pm->DrawControlInPopup(NULL, pOpen, TRUE));
}

TEST_F(PaintManagerControlDrawing, SplitCaptionTriesTheMiddleFirst)
{
    const struct
    {
        LPCWSTR lpszCaption, lpszLine1, lpszLine2;
    } cases[] = {
        { L"Paste Special", L"Paste", L"Special" },
        { L"abcdef ghijk lmn", L"abcdef", L"ghijk lmn" },  // 16 characters, spaces at 6 and 12
        { L"NoSpaceAtAll", L"NoSpaceAtAll", L"" },
        { L"a b", L"a b", L"" },
        { L" leading", L" leading", L"" },
        { L"", L"", L"" },
    };
    for (const auto& c : cases) {
        CString strLine1, strLine2;
        CZPPaintManager::SplitCaption(c.lpszCaption, strLine1, strLine2);
        EXPECT_EQ(CString(c.lpszLine1), strLine1) << c.lpszCaption;
        EXPECT_EQ(CString(c.lpszLine2), strLine2) << c.lpszCaption;
    }
}

TEST_F(PaintManagerControlDrawing, FloatingCaptionBordersAndFlatBars)
{
    CThemeFixture f;
    CZPPaintManager* pm = f.pm;
    CBar bar(new CZPToolBar);
    bar.p->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP, 0, 0, 120, 40, NULL, NULL);
    bar.p->SetTitle(L"Standard");

    // Only floating bars have a caption; a " " of 13 gives 15, of 20 gives 20.
    EXPECT_EQ(CSize(0, 0), pm->DrawBarGripper(&f.dc, bar.p, FALSE));
    bar.p->SetPosition(zpBarFloating);
    for (LONG lHeight : { -10L, -17L }) {
        LOGFONTW lf = TestLogFont(lHeight);
        pm->m_fontSmCaption.SetCustomFont(&lf);
        const int h = f.Extent(L" ", &pm->m_fontSmCaption).cy;
        const CSize szExpected(120 - 6, (h < 15 ? 18 : h + 3) - 3);
        EXPECT_EQ(szExpected, pm->DrawBarGripper(&f.dc, bar.p, FALSE)) << h;
        EXPECT_EQ(szExpected, pm->DrawBarGripper(NULL, bar.p, FALSE)) << h;

        CDibSection dib(120, 40, kPaper);
        CDibDC dc(dib);
        EXPECT_EQ(szExpected, pm->DrawBarGripper(&dc, bar.p, TRUE));
        const COLORREF clrCaption = pm->m_clrFloatingCaption;
        EXPECT_EQ(clrCaption, dib.GetPixel(3, 3));
        EXPECT_EQ(clrCaption, dib.GetPixel(116, 3 + szExpected.cy - 1));
        EXPECT_EQ(kPaper, dib.GetPixel(2, 3));
        EXPECT_EQ(kPaper, dib.GetPixel(117, 3));
        EXPECT_EQ(kPaper, dib.GetPixel(50, 3 + szExpected.cy));
        // The title is drawn left of the two caption buttons' room.
        int nText = 0;
        for (int x = 5; x < 117 - 2 * szExpected.cy; ++x)
            for (int y = 3; y < 3 + szExpected.cy; ++y)
                nText += dib.GetPixel(x, y) != clrCaption;
        EXPECT_GT(nText, 0);
        for (int x = 117 - 2 * szExpected.cy; x < 117; ++x)
            for (int y = 3; y < 3 + szExpected.cy; ++y)
                EXPECT_EQ(clrCaption, dib.GetPixel(x, y)) << x << "," << y;
    }
    EXPECT_EQ(CSize(0, 0), pm->DrawBarGripper(&f.dc, NULL, TRUE));

    EXPECT_EQ(CRect(2, 2, 2, 2), pm->GetBarBorders(bar.p));
    EXPECT_EQ(CRect(2, 2, 2, 2), pm->GetBarBorders(NULL));

    // Menu bars follow the flat-menu-bar flag, every other bar the flat-toolbar flag.
    CBar menubar(new CZPMenuBar);
    CBar popup(new CZPPopupBar);
    pm->m_bFlatMenuBar = TRUE;
    EXPECT_TRUE(pm->IsFlatBar(menubar.p));
    EXPECT_FALSE(pm->IsFlatBar(bar.p));
    EXPECT_FALSE(pm->IsFlatBar(popup.p));
    pm->m_bFlatMenuBar = FALSE;
    pm->m_bFlatToolBar = TRUE;
    EXPECT_FALSE(pm->IsFlatBar(menubar.p));
    EXPECT_TRUE(pm->IsFlatBar(bar.p));
    EXPECT_TRUE(pm->IsFlatBar(NULL));
    bar.p->DestroyWindow();
}

TEST_F(PaintManagerControlDrawing, ExpansionAnimationEndsOnTheFullPopup)
{
    CTestThemeRef pm;
    CBar popup(new CZPPopupBar);
    popup.p->CreateEx(0, AfxRegisterWndClass(0), L"popup", WS_POPUP, 0, 0, 30, 60, NULL, NULL);
    // Rows 0-20 common, 20-40 rarely used, 40-60 common.
    const COLORREF bands[] = { RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255) };
    for (int i = 0; i < 3; ++i) {
        CZPControl* p = popup.Add(zpControlButton, kPlainId, L"x", CRect(0, 20 * i, 30, 20 * i + 20));
        p->SetHiddenByUsage(i == 1);
    }
    CDibSection source(30, 60, kPaper);
    for (int i = 0; i < 3; ++i)
        for (int y = 20 * i; y < 20 * i + 20; ++y)
            for (int x = 0; x < 30; ++x)
                source.SetPixel(x, y, bands[i]);
    CDibDC dcSource(source);

    pm->m_nAnimationTime = 0;
    for (BOOL bDownward : { TRUE, FALSE }) {
        for (int nSteps : { 1, 4, 1000000 }) {
            pm->m_nAnimationSteps = nSteps;
            CDibSection dest(30, 60, kPaper);
            CDibDC dc(dest);
            const int nFrames =
                pm->AnimatePopupExpansion(static_cast<CZPPopupBar*>(popup.p), &dc, &dcSource, bDownward);
            EXPECT_GE(nFrames, 1) << bDownward << nSteps;
            EXPECT_LE(nFrames, nSteps) << bDownward << nSteps;
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(bands[i], dest.GetPixel(15, 20 * i + 10)) << bDownward << nSteps << i;
        }
    }
    // Nothing to draw: no steps, no DCs, no popup.
    pm->m_nAnimationSteps = 0;
    CDibSection dest(30, 60, kPaper);
    CDibDC dc(dest);
    EXPECT_EQ(0, pm->AnimatePopupExpansion(static_cast<CZPPopupBar*>(popup.p), &dc, &dcSource, TRUE));
    EXPECT_EQ(kPaper, dest.GetPixel(15, 10));
    pm->m_nAnimationSteps = 10;
    EXPECT_EQ(0, pm->AnimatePopupExpansion(NULL, &dc, &dcSource, TRUE));
    EXPECT_EQ(0, pm->AnimatePopupExpansion(static_cast<CZPPopupBar*>(popup.p), &dc, NULL, TRUE));
    popup.p->DestroyWindow();
}

}  // namespace
