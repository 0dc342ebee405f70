// The base paint manager's control rules: dispatch by kind, sizes, colours, the split command
// part, the popup icon cell and the built-in buttons of bars.
#include "commandbars_test_support.h"
#include "paint_manager_pixels.h"
#include "paint_manager_test_theme.h"

#include "commandbars/ZPMenuBar.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPToolBar.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

// Records which measuring slot DrawControl chose.
class CDispatchTheme : public CTestTheme
{
public:
    CSize DrawControlInPopup(CDC*, CZPControl*, BOOL) override { return CSize(1, 0); }
    CSize DrawControlOnToolBar(CDC*, CZPControl*, BOOL) override { return CSize(2, 0); }
    CSize DrawComboBoxControl(CDC*, CZPControl*, BOOL) override { return CSize(3, 0); }
    CSize DrawEditControl(CDC*, CZPControl*, BOOL) override { return CSize(4, 0); }
};

// A bar of one class holding one control of one kind; the bar owns the control.
struct CBarAndControl
{
    CBarAndControl(CZPCommandBar* pNewBar, int nKind) : pBar(pNewBar)
    {
        pControl = pBar->GetControls()->Add(nKind, 100);
        pControl->SetRect(CRect(10, 20, 60, 42));
    }
    ~CBarAndControl() { pBar->InternalRelease(); }
    CBarAndControl(const CBarAndControl&) = delete;
    CBarAndControl& operator=(const CBarAndControl&) = delete;
    CZPCommandBar* pBar;   // one reference
    CZPControl* pControl;  // owned by the bar's collection
};

using PaintManagerControls = CommandBarsTest;

TEST_F(PaintManagerControls, DrawControlDispatchesByKindAndBar)
{
    CDispatchTheme* pTheme = new CDispatchTheme;
    const struct
    {
        int nBar;  // 0 menu bar, 1 toolbar, 2 popup
        int nKind;
        int nSlot;
    } cases[] = {
        { 1, zpControlEdit, 4 },     { 2, zpControlEdit, 4 },   { 1, zpControlComboBox, 3 },
        { 2, zpControlComboBox, 3 }, { 2, zpControlButton, 1 }, { 2, zpControlPopup, 1 },
        { 1, zpControlButton, 2 },   { 0, zpControlPopup, 2 },  { 1, zpControlCheckBox, 2 },
    };
    for (const auto& c : cases) {
        CZPCommandBar* pBar = c.nBar == 0   ? static_cast<CZPCommandBar*>(new CZPMenuBar)
                              : c.nBar == 1 ? static_cast<CZPCommandBar*>(new CZPToolBar)
                                            : static_cast<CZPCommandBar*>(new CZPPopupBar);
        CBarAndControl bar(pBar, c.nKind);
        ASSERT_NE(nullptr, bar.pControl);
        EXPECT_EQ(c.nSlot, pTheme->DrawControl(NULL, bar.pControl, FALSE).cx) << c.nBar << " " << c.nKind;
    }
    EXPECT_EQ(CSize(0, 0), pTheme->DrawControl(NULL, NULL, FALSE));
    pTheme->InternalRelease();
}

TEST_F(PaintManagerControls, SizesColoursAndTheSplitCommandPart)
{
    CTestThemeRef pm;
    CBarAndControl toolbar(new CZPToolBar, zpControlSplitButtonPopup);
    CZPControl* p = toolbar.pControl;

    // Fixed sides win over the measured ones, swapped for vertical bars.
    EXPECT_EQ(CSize(30, 40), pm->GetControlSize(p, CSize(30, 40), FALSE));
    p->SetWidth(70);
    EXPECT_EQ(CSize(70, 40), pm->GetControlSize(p, CSize(30, 40), FALSE));
    EXPECT_EQ(CSize(30, 70), pm->GetControlSize(p, CSize(30, 40), TRUE));
    p->SetWidth(0);

    // Edit background: window colour while enabled, face colour when not.
    EXPECT_EQ(pm->GetColor(zpColorWindow), pm->GetEditBackColor(p));
    p->SetEnabled(FALSE);
    EXPECT_EQ(pm->GetColor(zpColorBtnFace), pm->GetEditBackColor(p));

    // The test theme: enabled black, disabled grey, selected red. A split popup whose enabled
    // value is 5 counts as disabled.
    p->SetEnabled(TRUE);
    EXPECT_EQ(RGB(0, 0, 0), pm->GetControlTextColor(p));
    p->SetEnabled(5);
    EXPECT_EQ(RGB(128, 128, 128), pm->GetControlTextColor(p));
    p->SetEnabled(TRUE);

    // The command part: less the drop-down width + 1 on toolbars, less the popup arrow in popups,
    // less the drop-down height at the bottom for the icon-above-caption style.
    EXPECT_EQ(CRect(10, 20, 60 - pm->m_nSplitButtonDropDownWidth - 1, 42), pm->GetSplitCommandRect(p));
    p->SetStyle(zpButtonIconAndCaptionBelow);
    EXPECT_EQ(CRect(10, 20, 60, 42 - pm->GetSplitDropDownHeight()), pm->GetSplitCommandRect(p));
    CBarAndControl popup(new CZPPopupBar, zpControlSplitButtonPopup);
    EXPECT_EQ(CRect(10, 20, 60 - pm->m_nSplitButtonPopupWidth, 42), pm->GetSplitCommandRect(popup.pControl));

    // Check boxes outside popups take the plain state colour even when selected.
    CBarAndControl check(new CZPToolBar, zpControlCheckBox);
    check.pControl->SetSelectedRaw(1);
    EXPECT_EQ(RGB(0, 0, 0), pm->GetControlTextColor(check.pControl));
    CBarAndControl checkInPopup(new CZPPopupBar, zpControlCheckBox);
    checkInPopup.pControl->SetSelectedRaw(1);
    EXPECT_EQ(RGB(255, 0, 0), pm->GetControlTextColor(checkInPopup.pControl));

    // Vertical bars use the vertical fonts; default items the bold ones.
    EXPECT_EQ(pm->GetRegularFont(), pm->GetControlFont(check.pControl));
    check.pControl->SetDefaultItem(TRUE);
    EXPECT_EQ(pm->GetRegularBoldFont(), pm->GetControlFont(check.pControl));
    check.pBar->SetPosition(zpBarLeft);
    EXPECT_EQ(pm->GetVerticalBoldFont(), pm->GetControlFont(check.pControl));
    EXPECT_EQ(pm->GetVerticalFont(), pm->GetBarFont(check.pBar));
}

TEST_F(PaintManagerControls, PopupIconCellAndColumn)
{
    CTestThemeRef pm;
    CBarAndControl popup(new CZPPopupBar, zpControlButton);
    const CSize szIcon = popup.pBar->GetEffectiveIconSize();
    const int th = pm->GetTextHeight();
    const CSize szCell(std::max<int>(szIcon.cx + 4, th + 4), std::max<int>(szIcon.cy + 6, th));
    EXPECT_EQ(szCell, pm->GetPopupIconCellSize(popup.pBar));
    EXPECT_EQ(szCell.cx + 1, pm->GetPopupIconColumnWidth(popup.pBar));
    CBarAndControl toolbar(new CZPToolBar, zpControlButton);
    EXPECT_EQ(0, pm->GetPopupIconColumnWidth(toolbar.pBar));
    EXPECT_EQ(0, pm->GetPopupIconColumnWidth(NULL));
}

TEST_F(PaintManagerControls, BuiltInButtons)
{
    CTestThemeRef pm;
    CBarAndControl toolbar(new CZPToolBar, zpControlButton);
    CZPControl* p = toolbar.pControl;

    // Kind 0 lays itself out at the bar's end: the right end across, the bottom end down.
    CSize szBar(200, 26);
    pm->DrawBuiltInButton(NULL, zpButtonExpandToolBar, p, toolbar.pBar, FALSE, &szBar);
    EXPECT_EQ(CRect(187, 2, 198, 24), p->GetRect());
    toolbar.pBar->SetPosition(zpBarRight);
    szBar = CSize(26, 200);
    pm->DrawBuiltInButton(NULL, zpButtonExpandToolBar, p, toolbar.pBar, FALSE, &szBar);
    EXPECT_EQ(CRect(2, 187, 24, 198), p->GetRect());
    toolbar.pBar->SetPosition(zpBarTop);

    // Kind 0 drawn across: the arrow below the middle, and the chevrons only when controls hide.
    for (BOOL bHidden : { FALSE, TRUE }) {
        CDibSection dib(20, 26, kWhite);
        CDibDC dc(dib);
        p->SetRect(CRect(0, 0, 13, 26));
        pm->DrawBuiltInButton(&dc, zpButtonExpandToolBar, p, toolbar.pBar, TRUE, &bHidden);
        EXPECT_EQ(RGB(0, 0, 0), dib.GetPixel(6, 20)) << bHidden;  // the triangle's tip row
        const std::vector<std::string> picture = Picture(dib, RGB(0, 0, 0));
        EXPECT_EQ(bHidden ? '#' : '.', picture[4][1]) << bHidden;  // the first chevron's start
    }

    // Kind 1: 12 high; two chevrons of two strokes each at the centre.
    {
        CDibSection dib(16, 12, kWhite);
        CDibDC dc(dib);
        p->SetRect(CRect(0, 0, 16, 12));
        EXPECT_EQ(CSize(0, 12), pm->DrawBuiltInButton(&dc, zpButtonExpandPopup, p, NULL, TRUE, NULL));
        EXPECT_EQ(CSize(0, 12), pm->DrawBuiltInButton(NULL, zpButtonExpandPopup, p, NULL, FALSE, NULL));
        // Strokes (6, 2) -> (8, 4) -> (11, 1), one pixel lower, and the pair four pixels lower;
        // lines exclude their end pixel.
        const std::vector<std::string> picture = Picture(dib, RGB(0, 0, 0));
        const std::vector<std::string> expected = {
            "................", "................", "......#...#.....", "......##.##.....",
            ".......###......", "........#.......", "......#...#.....", "......##.##.....",
            ".......###......", "........#.......", "................", "................",
        };
        EXPECT_EQ(expected, picture);
    }

    // Kind 3: a triangle at the centre in the floating caption text colour.
    {
        pm->m_clrFloatingCaptionText.SetCustomValue(RGB(0, 120, 0));
        CDibSection dib(16, 16, kWhite);
        CDibDC dc(dib);
        p->SetRect(CRect(0, 0, 16, 16));
        pm->DrawBuiltInButton(&dc, zpButtonExpandFloating, p, NULL, TRUE, NULL);
        EXPECT_EQ(RGB(0, 120, 0), dib.GetPixel(8, 7));
        EXPECT_EQ(kWhite, dib.GetPixel(8, 12));
    }
    // Kind 2 draws the Marlett cross; unknown kinds and no control do nothing.
    {
        CDibSection dib(16, 16, kWhite);
        CDibDC dc(dib);
        pm->DrawBuiltInButton(&dc, zpButtonHideFloating, p, NULL, TRUE, NULL);
        EXPECT_LT(CountPixels(dib, kWhite), 16 * 16);
        EXPECT_EQ(CSize(0, 0), pm->DrawBuiltInButton(&dc, 7, p, NULL, TRUE, NULL));
        EXPECT_EQ(CSize(0, 0), pm->DrawBuiltInButton(&dc, zpButtonExpandPopup, NULL, NULL, TRUE, NULL));
    }
}

// Answers a fixed size per bar kind and records the draw flag of each call.
class CMeasuringTheme : public CTestTheme
{
public:
    CSize DrawControlInPopup(CDC*, CZPControl*, BOOL bDraw) override
    {
        m_draws.push_back(bDraw);
        return CSize(120, 20);
    }
    CSize DrawControlOnToolBar(CDC*, CZPControl*, BOOL bDraw) override
    {
        m_draws.push_back(bDraw);
        return CSize(23, 22);
    }
    std::vector<BOOL> m_draws;
};

TEST_F(PaintManagerControls, ControlsMeasureAndDrawThroughTheirPaintManager)
{
    // Earlier bars may have created the process-wide instance: start without one.
    ZpSetPaintManager(NULL);
    ASSERT_EQ(nullptr, ZpGetInstalledPaintManager());
    CRefPtr<CMeasuringTheme> pTheme = CRefPtr<CMeasuringTheme>::Adopt(new CMeasuringTheme);

    // Measuring is the drawing rule with the flag off; drawing turns it on.
    CBarAndControl toolbar(new CZPToolBar, zpControlButton);
    toolbar.pBar->SetPaintManager(pTheme.Get());
    EXPECT_EQ(CSize(23, 22), toolbar.pControl->GetSize(NULL));
    toolbar.pControl->Draw(NULL);
    EXPECT_EQ((std::vector<BOOL>{ FALSE, TRUE }), pTheme->m_draws);
    CBarAndControl popup(new CZPPopupBar, zpControlButton);
    popup.pBar->SetPaintManager(pTheme.Get());
    EXPECT_EQ(CSize(120, 20), popup.pControl->GetSize(NULL));

    // Layout measures through the same rule: three buttons side by side.
    toolbar.pBar->GetControls()->Add(zpControlButton, 101);
    toolbar.pBar->GetControls()->Add(zpControlButton, 102);
    EXPECT_EQ(CSize(3 * 23, 22),
              toolbar.pBar->GetControls()->LayoutControls(NULL, 500, ZP_LM_HORZDOCK | ZP_LM_COMMIT, CRect()));
    EXPECT_EQ(CRect(46, 0, 69, 22), toolbar.pBar->GetControls()->GetAt(2)->GetRect());

    // Without a paint manager of its own, a control and a bare bar use the process-wide one,
    // the Default theme made on first use.
    CRefPtr<CZPControls> loose = CRefPtr<CZPControls>::Adopt(new CZPControls);
    CZPControl* pLoose = loose->Add(zpControlButton, 200);
    CBarAndControl bare(new CZPToolBar, zpControlButton);
    pTheme->m_draws.clear();
    ASSERT_NE(nullptr, pLoose->GetPaintManager());
    EXPECT_EQ(ZpGetPaintManager(), pLoose->GetPaintManager());
    EXPECT_TRUE(pTheme->m_draws.empty());

    // The process-wide paint manager answers for both once installed.
    ZpSetPaintManager(pTheme.Get());
    EXPECT_EQ(pTheme.Get(), pLoose->GetPaintManager());
    EXPECT_EQ(CSize(23, 22), pLoose->GetSize(NULL));
    EXPECT_EQ(CSize(23, 22), bare.pControl->GetSize(NULL));
    ZpReleasePaintManager();
    EXPECT_EQ((std::vector<BOOL>{ FALSE, FALSE }), pTheme->m_draws);
}

}  // namespace
