// The Office family of colour sets: palettes chosen by the Windows visual style, gradient tab
// fills, and the Office 2007 images' INI colours.
#include "common/ZPDrawHelpers.h"
#include "common/ZPOffice2007Images.h"
#include "tabmanager/ZPTabColorSet.h"
#include "tabmanager/ZPTabManagerItem.h"
#include "tabmanager/ZPTabManagerNavigateButton.h"

namespace {

// Weight (of 1000) of the tab colour in the light start of its gradient; the rest is white.
const int kGradientStartWeight = 300;
const int kHeaderMixWeight = 205;
const COLORREF kWhite = 0xFFFFFF;
const COLORREF kOfficePressedFill = 0x4B8EFE;
// Gradients of a hot and a pressed navigate button on the Office palettes.
const COLORREF kOfficePressedFillEnd = 0x8BCFFF;
const COLORREF kOfficeHotFill = 0xC8F2FF;
const COLORREF kOfficeHotFillEnd = 0x97D4FF;
const COLORREF kSelectedGradientStart = 0xFDFDFD;

struct CPalette
{
    COLORREF clrFrame;       // and the selected tab border
    COLORREF clrDarkShadow;  // and the tab border
    COLORREF clrShadow;      // and the tab inner shadow
    COLORREF clrButton;
    COLORREF clrButtonBorder;  // and the navigate-button border
    COLORREF clrHeaderStart, clrHeaderEnd;
    COLORREF clrHeader2Start, clrHeader2End;
    COLORREF clrNormalFill;
    COLORREF clrSelectedFill;
    COLORREF clrHotFill;
};

const CPalette kBlue = { 0x9C613B, 0x9A3500, 0xF1A675, 0x6FC0FF, 0x800000, 0xFADAC4,
                         0xFEFDFC, 0xF5BE9E, 0xFADAC4, 0xF6C0A2, 0x73C2FF, 0xC9F0FF };
const CPalette kOlive = { 0x588060, 0x6B7760, 0x8CC2B0, 0x6FC0FF, 0x385D3F, 0xE4F1F2,
                          0xFEFEFC, 0xA7D9D9, 0xE4F1F2, 0xAADED0, 0x73C2FF, 0xC7F0FF };
const CPalette kSilver = { 0x947C7C, 0x927476, 0xCEB9BA, 0x6FC0FF, 0x6F4B4B, 0xF7F3F3,
                           0xFEFEFC, 0xE5D7D7, 0xF7F3F3, 0xE6D9D9, 0x73C2FF, 0xC2EEFF };

COLORREF Entry(int nIndex)
{
    return ZpTabColorEntry(nIndex);
}

const CPalette* PaletteOfStyle(int nStyle)
{
    switch (nStyle) {
    case zpThemeLunaBlue:
    case zpThemeRoyale:
    case zpThemeAero:
        return &kBlue;
    case zpThemeLunaOlive:
        return &kOlive;
    case zpThemeLunaSilver:
        return &kSilver;
    default:
        return NULL;
    }
}

// The light start of a tab's gradient; -1 and -2 stay what they are.
COLORREF GradientStart(COLORREF clr, COLORREF clrStart)
{
    if (clr == ZP_COLOR_UNSET || clr == ZP_COLOR_HALFTONE)
        return clr;
    return clrStart;
}

void FrameRect(CDC* pDC, const CRect& rc, COLORREF clr)
{
    if (clr != ZP_COLOR_UNSET)
        pDC->Draw3dRect(rc, clr, clr);
}

void FillSolid(CDC* pDC, const CRect& rc, COLORREF clr)
{
    if (clr != ZP_COLOR_UNSET)
        pDC->FillSolidRect(rc, clr);
}

int EffectiveTheme()
{
    return ZpColorManagerInstance().GetEffectiveTheme();
}

}  // namespace

// Office 2003

CZPTabPaintManager::CColorSetOffice2003::CColorSetOffice2003() : m_bOfficePalette(FALSE) {}

void CZPTabPaintManager::CColorSetOffice2003::RefreshMetrics()
{
    CColorSet::RefreshMetrics();
    RefreshOfficeValues();
}

void CZPTabPaintManager::CColorSetOffice2003::ApplyPalette(int nStyle)
{
    const CPalette* p = PaletteOfStyle(nStyle);
    if (p == NULL)
        return;
    m_clrFrame.SetStandardValue(p->clrFrame);
    m_clrSelectedTabBorder.SetStandardValue(p->clrFrame);
    m_clr3DDarkShadow.SetStandardValue(p->clrDarkShadow);
    m_clrTabBorder.SetStandardValue(p->clrDarkShadow);
    m_clr3DShadow.SetStandardValue(p->clrShadow);
    m_clrTabInnerShadow.SetStandardValue(p->clrShadow);
    m_clrTabInnerHighlight.SetStandardValue(kWhite);
    m_grcButton.SetSolid(p->clrButton);
    m_grcButtonBorder.SetSolid(p->clrButtonBorder);
    m_grcHeader.SetStandard(p->clrHeaderStart, p->clrHeaderEnd);
    m_grcHeader2.SetStandard(p->clrHeader2Start, p->clrHeader2End);
    m_clrNormalFill.SetStandardValue(p->clrNormalFill);
    m_clrSelectedFill.SetStandardValue(p->clrSelectedFill);
    m_clrHotFill.SetStandardValue(p->clrHotFill);
    m_clrNavigateButtonBorder.SetStandardValue(p->clrButtonBorder);
}

void CZPTabPaintManager::CColorSetOffice2003::RefreshOfficeValues()
{
    const COLORREF clrFace = Entry(COLOR_BTNFACE);
    m_grcHeader.SetStandard(clrFace, CZPColorManager::WeightedMix(clrFace, Entry(COLOR_WINDOW), kHeaderMixWeight));
    m_grcButton.SetSolid(Entry(zpColorChecked));
    m_grcButtonBorder.SetSolid(Entry(zpColorCheckedBorder));
    m_clrHotFill.SetStandardValue(Entry(zpColorChecked));
    m_clrPressedFill.SetStandardValue(Entry(zpColorPushed));
    m_clrHotText.SetStandardValue(Entry(COLOR_BTNTEXT));
    m_grcHeader2.CopyStandardFrom(m_grcHeader);
    m_bOfficePalette = FALSE;

    if (m_pPaintManager == NULL || !m_pPaintManager->AreThemeColorsDisabled()) {
        int nStyle = EffectiveTheme();
        if (PaletteOfStyle(nStyle) != NULL) {
            ApplyPalette(nStyle);
            m_bOfficePalette = TRUE;
        } else {
            m_clrSelectedFill.SetStandardValue(Entry(zpColorChecked));
        }
    }
    if (m_bOfficePalette)
        m_clrPressedFill.SetStandardValue(kOfficePressedFill);
    RefreshExcelEdges();
    if (GetAppearanceNumber() == zpTabAppearanceStateButtons) {
        m_grcHeader.SetSolid(clrFace);
        m_grcHeader2.SetSolid(clrFace);
    }
}

void CZPTabPaintManager::CColorSetOffice2003::RefreshExcelEdges()
{
    for (int i = 0; i < 6; i++) {
        m_clrExcelSelectedEdge[i].SetStandardValue(i < 3 ? static_cast<COLORREF>(m_clrFrame) : ZP_COLOR_UNSET);
        m_clrExcelNormalEdge[i] = m_clrExcelSelectedEdge[i];
    }
}

COLORREF CZPTabPaintManager::CColorSetOffice2003::GetStateColor(const CZPTabManagerItem* pItem) const
{
    CZPTabManager* pManager = pItem->GetTabManager();
    if (pManager != NULL && pManager->GetPressedItem() == pItem)
        return m_clrPressedFill;
    if (pItem->IsHighlighted())
        return m_clrHotFill;
    return GetItemColor(pItem);
}

COLORREF CZPTabPaintManager::CColorSetOffice2003::FillItem(CDC* pDC, CRect rc, const CZPTabManagerItem* pItem)
{
    COLORREF clr = GetStateColor(pItem);
    FillGradientByPosition(pDC, rc, GradientStart(clr, CZPColorManager::WeightedMix(clr, kWhite, kGradientStartWeight)),
                           clr);
    return clr;
}

void CZPTabPaintManager::CColorSetOffice2003::FillNavigateButton(CDC* pDC, CZPTabManagerNavigateButton* pButton,
                                                                 CRect& rc)
{
    COLORREF clrGlyph = Entry(COLOR_BTNTEXT);
    BOOL bPressed = pButton->IsPressed(), bHot = ZpTabIsHotNavigateButton(pButton);
    if (pButton->IsEnabled() && (bPressed || bHot)) {
        BOOL bBoth = bPressed && bHot;
        if (m_bOfficePalette) {
            ZpDrawHelpersInstance().FillGradient(pDC, rc, bBoth ? kOfficePressedFill : kOfficeHotFill,
                                                 bBoth ? kOfficePressedFillEnd : kOfficeHotFillEnd, FALSE);
            FrameRect(pDC, rc, m_clrNavigateButtonBorder);
        } else {
            FillSolid(pDC, rc, Entry(bBoth ? zpColorHighlightPushed : zpColorHighlightBorder));
            FrameRect(pDC, rc, Entry(bBoth ? zpColorPushed : zpColorHighlight));
            clrGlyph = Entry(bBoth ? zpColorPushedText : zpColorHighlightText);
        }
    }
    pDC->SetTextColor(clrGlyph);
}

// Whidbey and Visual Studio 2008: their own palettes when theme colours are off.

namespace {

// The values both sets start from.
void StartOwnPaletteSet(CZPTabPaintManager::CColorSet* pSet)
{
    pSet->CColorSet::RefreshMetrics();
    pSet->m_clrSelectedFill.SetStandardValue(Entry(COLOR_WINDOW));
    pSet->m_clrSelectedText.SetStandardValue(Entry(COLOR_WINDOWTEXT));
    pSet->m_clrHotFill.SetStandardValue(Entry(zpColorChecked));
    pSet->m_clrPressedFill.SetStandardValue(Entry(zpColorPushed));
    pSet->m_clrHotText.SetStandardValue(Entry(COLOR_BTNTEXT));
}

}  // namespace

CZPTabPaintManager::CColorSetWhidbey::CColorSetWhidbey() : m_bOwnPalette(FALSE) {}

void CZPTabPaintManager::CColorSetWhidbey::RefreshMetrics()
{
    StartOwnPaletteSet(this);
    m_bOfficePalette = m_bOwnPalette = FALSE;
    if (m_pPaintManager == NULL || !m_pPaintManager->AreThemeColorsDisabled()) {
        CColorSetOffice2003::RefreshMetrics();
        return;
    }
    int nStyle = EffectiveTheme();
    if (nStyle == zpThemeLunaBlue || nStyle == zpThemeLunaOlive) {
        m_grcHeader.SetSolid(0xD5E2E4);
        m_bOwnPalette = TRUE;
    } else if (nStyle == zpThemeLunaSilver) {
        m_clrNormalFill.SetStandardValue(0xF8F5F5);
        m_grcHeader.SetSolid(0xEEEEEE);
        m_bOwnPalette = TRUE;
    }
    m_clrSelectedTabBorder.SetStandardValue(Entry(zpColorTabClientFrame));
    m_clrFrame.SetStandardValue(Entry(zpColorTabClientFrame));
}

COLORREF CZPTabPaintManager::CColorSetWhidbey::FillItem(CDC* pDC, CRect rc, const CZPTabManagerItem* pItem)
{
    COLORREF clr = pItem->IsHighlighted() ? static_cast<COLORREF>(m_clrHotFill) : GetItemColor(pItem);
    COLORREF clrStart =
        m_bOwnPalette ? GradientStart(clr, CZPColorManager::WeightedMix(clr, kWhite, kGradientStartWeight)) : clr;
    FillGradientByPosition(pDC, rc, clrStart, clr);
    return clr;
}

CZPTabPaintManager::CColorSetVisualStudio2008::CColorSetVisualStudio2008() : m_bOwnPalette(FALSE) {}

void CZPTabPaintManager::CColorSetVisualStudio2008::RefreshMetrics()
{
    StartOwnPaletteSet(this);
    m_bOfficePalette = m_bOwnPalette = FALSE;
    if (m_pPaintManager == NULL || !m_pPaintManager->AreThemeColorsDisabled()) {
        CColorSetOffice2003::RefreshMetrics();
        return;
    }
    m_clrSelectedTabBorder.SetStandardValue(Entry(zpColorTabClientFrame));
    m_clrFrame.SetStandardValue(Entry(zpColorTabClientFrame));
    m_clrSelectedFill.SetStandardValue(Entry(COLOR_BTNFACE));
    m_clrHotFill.SetStandardValue(Entry(COLOR_WINDOW));
    m_clrNormalFill.SetStandardValue(Entry(COLOR_BTNFACE));
    m_grcHeader.SetSolid(Entry(COLOR_BTNFACE));

    struct CStyle
    {
        COLORREF clrSelectedFill, clrHotFill, clrFrame, clrNormalFill;
    };
    const CStyle* pStyle = NULL;
    static const CStyle kBlueStyle = { 0xEED2C1, 0xE3BFA7, 0xE2B598, ZP_COLOR_UNSET };
    static const CStyle kAeroStyle = { 0xFAE6D2, 0xF1D081, 0xBFA169, 0xD2B498 };
    static const CStyle kOliveStyle = { 0x8DC6B6, 0x8EAFAF, 0x70A093, ZP_COLOR_UNSET };
    static const CStyle kSilverStyle = { 0xECE2E1, 0x80C9FF, 0xB09193, ZP_COLOR_UNSET };
    switch (EffectiveTheme()) {
    case zpThemeLunaBlue:
    case zpThemeRoyale:
        pStyle = &kBlueStyle;
        break;
    case zpThemeAero:
        pStyle = &kAeroStyle;
        break;
    case zpThemeLunaOlive:
        pStyle = &kOliveStyle;
        break;
    case zpThemeLunaSilver:
        pStyle = &kSilverStyle;
        break;
    default:
        break;
    }
    if (pStyle != NULL) {
        m_bOwnPalette = TRUE;
        m_clrSelectedFill.SetStandardValue(pStyle->clrSelectedFill);
        m_clrHotFill.SetStandardValue(pStyle->clrHotFill);
        m_clrFrame.SetStandardValue(pStyle->clrFrame);
        if (pStyle->clrNormalFill != ZP_COLOR_UNSET)
            m_clrNormalFill.SetStandardValue(pStyle->clrNormalFill);
    }
    m_clrSelectedTabBorder.SetStandardValue(m_clrFrame);
}

COLORREF CZPTabPaintManager::CColorSetVisualStudio2008::FillItem(CDC* pDC, CRect rc, const CZPTabManagerItem* pItem)
{
    BOOL bSelected = pItem->IsSelected();
    COLORREF clr = pItem->IsHighlighted() && !bSelected ? static_cast<COLORREF>(m_clrHotFill) : GetItemColor(pItem);
    COLORREF clrStart = m_bOwnPalette || bSelected ? GradientStart(clr, kSelectedGradientStart) : clr;
    FillGradientByPosition(pDC, rc, clrStart, clr);
    return clr;
}

// Office 2007 and Access 2007

CZPOffice2007Images* ZpTabOffice2007Images()
{
    CZPOffice2007Images* pImages = ZpOffice2007ImagesInstance();
    return pImages != NULL && pImages->IsLoaded() ? pImages : NULL;
}

void CZPTabPaintManager::CColorSetOffice2007::RefreshMetrics()
{
    CColorSetOffice2003::RefreshMetrics();
    CZPOffice2007Images* pImages = ZpTabOffice2007Images();
    if (pImages != NULL) {
        m_clrFrame.SetStandardValue(pImages->GetColor(L"TabManager", L"FrameBorder"));
        m_clrSelectedTabBorder.SetStandardValue(m_clrFrame);
        m_clr3DDarkShadow.SetStandardValue(pImages->GetColor(L"TabManager", L"DarkShadow"));
        m_clrTabBorder.SetStandardValue(m_clr3DDarkShadow);
        m_clr3DShadow.SetStandardValue(pImages->GetColor(L"TabManager", L"LightShadow"));
        m_clrTabInnerShadow.SetStandardValue(m_clr3DShadow);
        m_clrTabInnerHighlight.SetStandardValue(kWhite);
        m_grcHeader.SetSolid(pImages->GetColor(L"Ribbon", L"RibbonFace"));
        m_grcHeader2.CopyStandardFrom(m_grcHeader);
        m_clrNormalFill.SetStandardValue(pImages->GetColor(L"Window", L"ButtonFace"));
        m_clrSelectedFill.SetStandardValue(pImages->GetColor(L"Window", L"HighlightChecked"));
        m_clrHotFill.SetStandardValue(pImages->GetColor(L"Window", L"HighlightSelected"));
        m_clrNavigateButtonBorder.SetStandardValue(pImages->GetColor(L"Window", L"WindowFrame"));
        m_clrHotText.SetStandardValue(pImages->GetColor(L"Ribbon", L"TabNormalText"));
        m_clrNormalText.SetStandardValue(m_clrHotText.GetStandardColor());
        m_clrSelectedText.SetStandardValue(pImages->GetColor(L"Ribbon", L"TabSelectedText"));
    } else {
        ApplyPalette(zpThemeLunaBlue);
        m_clrPressedFill.SetStandardValue(Entry(zpColorPushed));
        m_clrHotText.SetStandardValue(Entry(COLOR_BTNTEXT));
    }
    m_bOfficePalette = TRUE;
    m_clrTabText.SetStandardValue(m_clrNormalText);
}

void CZPTabPaintManager::CColorSetOffice2007::FillNavigateButton(CDC* pDC, CZPTabManagerNavigateButton* pButton,
                                                                 CRect& rc)
{
    CZPOffice2007Images* pImages = ZpTabOffice2007Images();
    if (pImages == NULL) {
        CColorSetDefault::FillDefaultNavigateButton(pDC, pButton, rc);
        return;
    }
    if (pButton->GetItem() == NULL)
        pDC->SetTextColor(m_clrTabText);
    BOOL bPressed = pButton->IsPressed();
    if (pButton->IsEnabled() && (bPressed || ZpTabIsHotNavigateButton(pButton))) {
        CZPOffice2007Image* pImage = pImages->GetImage(L"TOOLBARBUTTONS22");
        if (pImage != NULL)
            pImage->DrawSliced(pDC, rc, pImage->GetPartRect(bPressed ? 1 : 0, 4), CRect(8, 8, 8, 8));
        pDC->SetTextColor(0);
    }
}

void CZPTabPaintManager::CColorSetAccess2007::RefreshMetrics()
{
    CColorSetOffice2007::RefreshMetrics();
    CZPOffice2007Images* pImages = ZpTabOffice2007Images();
    if (pImages == NULL)
        return;
    m_clrSelectedText.SetStandardValue(0);
    m_clrNormalText.SetStandardValue(0);
    m_clrHotText.SetStandardValue(0);
    m_clrFrame.SetStandardValue(pImages->GetColor(L"TabManager", L"AccessBorder"));
    m_clrSelectedTabBorder.SetStandardValue(m_clrFrame);
    m_grcHeader.SetSolid(pImages->GetColor(L"TabManager", L"AccessHeader"));
    m_grcHeader2.CopyStandardFrom(m_grcHeader);
    m_clrTabText.SetStandardValue(pImages->GetColor(L"Ribbon", L"TabNormalText"));
}
