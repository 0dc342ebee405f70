// The base paint manager: construction, the process-wide instance and the theme factory,
// metrics and fonts, the colour table and the drawing primitives shared with the themes.
#include "commandbars/ZPPaintManager.h"

#include "commandbars/ZPProgressPaintManager.h"
#include "commandbars/ZPScrollBarPaintManager.h"

#include "commandbars/themes/ZPDefaultTheme.h"
#include "commandbars/themes/ZPNativeXPTheme.h"
#include "common/ZPDeviceContext.h"
#include "common/ZPDrawHelpers.h"
#include "common/ZPImageLoading.h"
#include "common/ZPImageManager.h"
#include "common/ZPResourceManager.h"
#include "common/ZPShadowManager.h"
#include "common/ZPSystemHelpers.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CZPPaintManager, CCmdTarget)

namespace {

const int kDefaultPopupTextGap = 4;
const int kDefaultSplitDropDownWidth = 11;
const int kDefaultSplitPopupWidth = 20;
const int kDefaultStatusBarMinHeight = 20;
const int kDefaultAnimationSteps = 10;
const int kDefaultAnimationTime = 100;
const int kMinControlHeight = 22;
const int kMinFontPixels = -11;    // a negative menu font height never means fewer pixels
const int kTextHeightPadding = 6;  // text height = the " " extent plus this
const int kBoldWeight = FW_BOLD;
const int kVerticalEscapement = 2700;
const int kVerticalOrientation = 900;
const BYTE kClearTypeQuality = 5;        // CLEARTYPE_QUALITY
const UINT kNonClientMetricsSize = 500;  // zeroed record large enough for every system's layout
const int kNoSchemeSetting = 7;          // follow the colour manager's effective scheme
const int kDetectedSchemeSetting = 6;    // follow the colour manager's detected scheme
const int kIconGrid = 8;                 // automatic icon sizes are multiples of this

// The installed instance: a plain pointer so that no static destructor runs at process exit;
// ZpReleasePaintManager lets it go from the application's ExitInstance.
CZPPaintManager* g_pPaintManager = NULL;  // one reference

BOOL UseClearType(BOOL bClearTypeOption)
{
    return bClearTypeOption && ZpOsVersionInstance().IsXPOrLater();
}

void RecreateFont(CFont& font, const LOGFONTW& lf)
{
    font.DeleteObject();
    font.CreateFontIndirect(&lf);
}

}  // namespace

// CZPPaintManagerFont --------------------------------------------------------------------------

BOOL CZPPaintManagerFont::SetCustomFont(const LOGFONTW* pLogFont)
{
    if (pLogFont == NULL)
        return FALSE;
    DeleteObject();
    m_bStandardFont = FALSE;
    return CreateFontIndirect(pLogFont);
}

void CZPPaintManagerFont::SetStandardFont(const LOGFONTW* pLogFont)
{
    if (pLogFont == NULL || (!m_bStandardFont && GetSafeHandle() != NULL))
        return;
    RecreateFont(*this, *pLogFont);
}

// Construction ---------------------------------------------------------------------------------

CZPPaintManager::CZPPaintManager()
    : m_clrText(0), m_clrInfoText(0), m_bThickCheckMark(FALSE), m_bShowShadow(TRUE), m_bThemedStatusBar(FALSE),
      m_bThemedCheckBox(FALSE), m_bClearTypeTextQuality(FALSE), m_bFlatToolBar(FALSE), m_bFlatMenuBar(FALSE),
      m_nPopupTextGap(kDefaultPopupTextGap), m_bMenuHighlight(FALSE), m_bEnableAnimation(FALSE),
      m_bTightCaptions(FALSE), m_bLabelsKeepIconColumn(TRUE), m_bSplitTwoLineCaptions(TRUE),
      m_nSplitButtonDropDownWidth(kDefaultSplitDropDownWidth), m_nSplitButtonPopupWidth(kDefaultSplitPopupWidth),
      m_bAutoResizeIcons(FALSE), m_nStatusBarMinHeight(kDefaultStatusBarMinHeight),
      m_pfnSetLayeredWindowAttributes(NULL), m_rcStatusBarBorder(0, 0, 0, 0), m_bUseOfficeFont(FALSE),
      m_strOfficeFont(L"Tahoma"), m_nTextHeight(0), m_nFixedRowHeight(0), m_nEditHeight(0), m_bUseStandardFont(TRUE),
      m_bEmbossedDisabledText(TRUE), m_nThemeNumber(zpThemeCustom), m_bUseFadedIcons(FALSE), m_bUseDisabledIcons(FALSE),
      m_bIconsWithShadow(FALSE), m_bColorizeDisabledIcons(FALSE), m_nAnimationSteps(kDefaultAnimationSteps),
      m_nAnimationTime(kDefaultAnimationTime), m_nKeyboardCueOverride(-1), m_nColorSchemeSetting(kNoSchemeSetting),
      m_pShadowManager(NULL), m_pGalleryPaintManager(NULL), m_pSliderPaintManager(NULL), m_pProgressPaintManager(NULL)
{
    ZpImageManagerInstance()->RefreshAll();

    HMODULE hUser32 = ::GetModuleHandleW(L"USER32");
    if (hUser32 != NULL)
        m_pfnSetLayeredWindowAttributes = reinterpret_cast<PFNSETLAYEREDWINDOWATTRIBUTES>(
            reinterpret_cast<void*>(::GetProcAddress(hUser32, "SetLayeredWindowAttributes")));

    m_pShadowManager = new CZPShadowManager();
    m_pGalleryPaintManager = new CZPControlGalleryPaintManager(this);
    m_pSliderPaintManager = new CZPSliderPaintManager(this);
}

CZPPaintManager::~CZPPaintManager()
{
    if (m_pShadowManager != NULL)
        m_pShadowManager->InternalRelease();
    m_themeStatusBar.CloseTheme();
    m_themeButton.CloseTheme();
    delete m_pGalleryPaintManager;
    delete m_pSliderPaintManager;
    delete m_pProgressPaintManager;
}

CZPProgressPaintManager* CZPPaintManager::GetProgressPaintManager()
{
    if (m_pProgressPaintManager == NULL)
        m_pProgressPaintManager = new CZPProgressPaintManager(this);
    return m_pProgressPaintManager;
}

// The process-wide instance and the theme factory -----------------------------------------------

void ZpSetPaintManager(CZPPaintManager* pPaintManager)
{
    // The new reference goes on before the old one comes off: installing the installed instance
    // must not free it.
    if (pPaintManager != NULL)
        pPaintManager->InternalAddRef();
    CZPPaintManager* pOld = g_pPaintManager;
    g_pPaintManager = pPaintManager;
    if (pOld != NULL)
        pOld->InternalRelease();
    if (pPaintManager != NULL) {
        pPaintManager->m_nThemeNumber = zpThemeCustom;
        pPaintManager->RefreshMetrics();
    }
}

void ZpReleasePaintManager()
{
    ZpSetPaintManager(NULL);
}

CZPPaintManager* ZpGetInstalledPaintManager()
{
    return g_pPaintManager;
}

CZPPaintManager* ZpGetPaintManager()
{
    if (g_pPaintManager == NULL)
        ZpSetPaintTheme(zpThemeDefault);
    return g_pPaintManager;
}

CZPPaintManager* ZpCreatePaintTheme(int nTheme)
{
    // The theme classes join this switch as they are built; until then their numbers have none.
    CZPPaintManager* pTheme = NULL;
    switch (nTheme) {
    case zpThemeNativeXP:
        pTheme = new CZPNativeXPTheme;
        break;
    case zpThemeOffice:
    case zpThemeOffice2003:
    case zpThemeWhidbey:
    case zpThemeOffice2007:
    case zpThemeRibbon:
    case zpThemeVisualStudio2008:
        break;
    default:
        pTheme = new CZPDefaultTheme;
        break;
    }
    if (pTheme != NULL)
        pTheme->m_nThemeNumber = nTheme;
    return pTheme;
}

BOOL ZpSetPaintTheme(int nTheme)
{
    CZPPaintManager* pTheme = ZpCreatePaintTheme(nTheme);
    if (pTheme == NULL)
        return FALSE;
    ZpSetPaintManager(pTheme);
    pTheme->m_nThemeNumber = nTheme;
    pTheme->InternalRelease();  // the instance holds its own reference now
    return TRUE;
}

// Colours -------------------------------------------------------------------------------------

COLORREF CZPPaintManager::GetColor(int nIndex) const
{
    // Compared unsigned: every value outside 0-62, -1 included, is a literal colour.
    if (static_cast<UINT>(nIndex) > static_cast<UINT>(zpColorLastIndex))
        return static_cast<COLORREF>(nIndex);
    return m_arrColor[nIndex];
}

void CZPPaintManager::SetColors(int nCount, const int* pIndices, const COLORREF* pColors)
{
    if (pIndices == NULL || pColors == NULL)
        return;
    for (int i = 0; i < nCount; ++i) {
        if (static_cast<UINT>(pIndices[i]) <= static_cast<UINT>(zpColorLastIndex))
            m_arrColor[pIndices[i]].SetStandardValue(pColors[i]);
    }
}

int CZPPaintManager::GetCurrentSystemTheme() const
{
    CZPColorManager& colors = ZpColorManagerInstance();
    if (m_nColorSchemeSetting == kNoSchemeSetting)
        return colors.AreThemeColorsDisabled() ? zpThemeNone : colors.GetEffectiveTheme();
    if (m_nColorSchemeSetting == kDetectedSchemeSetting)
        return colors.DetectWindowsTheme();
    return m_nColorSchemeSetting;
}

void CZPPaintManager::UpdateColors()
{
    ZpRefreshColors();
    CZPColorManager& colors = ZpColorManagerInstance();
    for (int i = 0; i < ZP_COLOR_COUNT; ++i)
        m_arrColor[i].SetStandardValue(colors.LookupColor(static_cast<COLORREF>(i)));
}

// Metrics and fonts ---------------------------------------------------------------------------

BOOL CZPPaintManager::IsThemeInUse(CZPWinThemeWrapper& theme)
{
    return theme.GetThemeHandle() != NULL && theme.HasAppTheme();
}

void CZPPaintManager::RefreshMetrics()
{
    UpdateFonts();
    UpdateColors();
    if (m_pProgressPaintManager != NULL)
        m_pProgressPaintManager->RefreshMetrics();

    if (m_pShadowManager != NULL)
        m_pShadowManager->SetShadowColor(0);
    if (m_pGalleryPaintManager != NULL)
        m_pGalleryPaintManager->RefreshMetrics();
    if (m_pSliderPaintManager != NULL)
        m_pSliderPaintManager->RefreshMetrics();

    m_clrText = GetColor(zpColorBtnText);
    m_clrInfoText = GetColor(zpColorInfoText);
    m_clrFloatingCaption.SetStandardValue(GetColor(zpColorBtnShadow));
    m_clrFloatingCaptionText.SetStandardValue(GetColor(zpColorBtnHighlight));
    m_grcFace.SetStandard(GetColor(zpColorBtnFace), GetColor(zpColorBtnShadow), 0.5f);

    const int kStatusPanePart = 1;
    const int kTextColorProperty = 3803;  // TMT_TEXTCOLOR
    m_themeStatusBar.CloseTheme();
    if (m_bThemedStatusBar) {
        m_themeStatusBar.OpenTheme(NULL, L"STATUS");
        COLORREF clrStatusText = 0;
        if (IsThemeInUse(m_themeStatusBar) &&
            SUCCEEDED(m_themeStatusBar.GetColor(kStatusPanePart, 0, kTextColorProperty, &clrStatusText)))
            m_clrText = clrStatusText;
    }
    m_themeButton.CloseTheme();
    if (m_bThemedCheckBox)
        m_themeButton.OpenTheme(NULL, L"BUTTON");
}

void CZPPaintManager::UpdateFonts()
{
    // The record without the padded-border field, which every system accepts.
    NONCLIENTMETRICSW ncm;
    ZeroMemory(&ncm, sizeof(ncm));
    static_assert(kNonClientMetricsSize <= sizeof(NONCLIENTMETRICSW), "the short record fits");
    ncm.cbSize = kNonClientMetricsSize;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &ncm, 0);
    const BYTE nCharSet = ZpResourceManagerInstance()->GetFontCharSet();
    const BOOL bClearType = UseClearType(m_bClearTypeTextQuality);

    if (m_bUseStandardFont) {
        LOGFONTW lf;
        ZeroMemory(&lf, sizeof(lf));
        const LOGFONTW& lfMenu = ncm.lfMenuFont;
        lf.lfHeight =
            lfMenu.lfHeight >= 0 ? lfMenu.lfHeight : std::min(lfMenu.lfHeight, static_cast<LONG>(kMinFontPixels));
        lf.lfWeight = lfMenu.lfWeight;
        lf.lfItalic = lfMenu.lfItalic;
        lf.lfQuality = bClearType ? kClearTypeQuality : lfMenu.lfQuality;
        lf.lfCharSet = nCharSet;
        ::lstrcpynW(lf.lfFaceName, lfMenu.lfFaceName, LF_FACESIZE);
        SetFontIndirect(&lf, TRUE);
    }

    LOGFONTW lfIcon;
    ZeroMemory(&lfIcon, sizeof(lfIcon));
    ZpGetIconTitleFont(&lfIcon);
    LOGFONTW lfSmCaption = ncm.lfSmCaptionFont;
    LOGFONTW lfStatus = ncm.lfStatusFont;
    for (LOGFONTW* pFont : { &lfIcon, &lfSmCaption, &lfStatus }) {
        if (bClearType)
            pFont->lfQuality = kClearTypeQuality;
        pFont->lfCharSet = nCharSet;
    }

    m_fontSmCaption.SetStandardFont(&lfSmCaption);
    m_fontIcon.SetStandardFont(&lfIcon);
    LOGFONTW lfIconBold = lfIcon;
    lfIconBold.lfWeight = kBoldWeight;
    m_fontIconBold.SetStandardFont(&lfIconBold);
    m_fontStatus.SetStandardFont(&lfStatus);
}

void CZPPaintManager::SetFontIndirect(const LOGFONTW* pLogFont, BOOL bUseSystemFont)
{
    m_bUseStandardFont = bUseSystemFont;
    if (pLogFont == NULL)
        return;

    LOGFONTW lf = *pLogFont;
    if (UseClearType(m_bClearTypeTextQuality))
        lf.lfQuality = kClearTypeQuality;

    m_fontRegular.DeleteObject();
    m_fontBold.DeleteObject();
    m_fontVert.DeleteObject();
    m_fontVertBold.DeleteObject();
    m_fontIconBold.DeleteObject();

    const BOOL bFaceExists = FontFaceExists(m_strOfficeFont);
    if (m_strOfficeFont.CompareNoCase(lf.lfFaceName) == 0)
        m_bUseOfficeFont = TRUE;
    if (bUseSystemFont && m_bUseOfficeFont && bFaceExists)
        ::lstrcpynW(lf.lfFaceName, m_strOfficeFont, LF_FACESIZE);

    m_fontRegular.CreateFontIndirect(&lf);
    LOGFONTW lfBold = lf;
    lfBold.lfWeight = kBoldWeight;
    m_fontBold.CreateFontIndirect(&lfBold);

    LOGFONTW lfVert = lf;
    lfVert.lfOrientation = kVerticalOrientation;
    lfVert.lfEscapement = kVerticalEscapement;
    CString strVertFace;
    ZpChooseDefaultFontFace(strVertFace, m_bUseOfficeFont);
    ::lstrcpynW(lfVert.lfFaceName, strVertFace, LF_FACESIZE);
    m_fontVert.CreateFontIndirect(&lfVert);
    lfVert.lfWeight = kBoldWeight;
    m_fontVertBold.CreateFontIndirect(&lfVert);

    CWindowDC dc(NULL);
    HGDIOBJ hOldFont = ::SelectObject(dc.GetSafeHdc(), m_fontRegular.GetSafeHandle());
    SIZE szSpace = {};
    ::GetTextExtentPoint32W(dc.GetSafeHdc(), L" ", 1, &szSpace);
    ::SelectObject(dc.GetSafeHdc(), hOldFont);
    m_nTextHeight = szSpace.cy + kTextHeightPadding;
}

// Sizes ---------------------------------------------------------------------------------------

int CZPPaintManager::GetControlHeight() const
{
    return std::max(m_nTextHeight, kMinControlHeight);
}

CSize CZPPaintManager::GetAutoIconSize(BOOL bLarge) const
{
    if (m_bAutoResizeIcons) {
        int nBase = GetControlHeight() - 4;
        if (bLarge)
            nBase *= 2;
        const int n = std::max(nBase / kIconGrid, 2);
        return CSize(kIconGrid * n, kIconGrid * n);
    }
    return bLarge ? CSize(32, 32) : CSize(16, 16);
}

int CZPPaintManager::GetSplitDropDownHeight() const
{
    if (m_nFixedRowHeight > 0)
        return 2 * m_nTextHeight - 17;
    return 2 * std::max(m_nTextHeight + 3, kMinControlHeight) - 17;
}

CSize CZPPaintManager::GetStretchedIconSize(CZPImageManagerIcon* pImage, CSize szIcon)
{
    if (pImage == NULL)
        return szIcon;
    const int w = pImage->GetWidth();
    const int h = pImage->GetHeight();
    // An empty image has no aspect ratio: it keeps the requested size.
    if (w <= 0 || h <= 0)
        return szIcon;
    const int cyAtWidth = MulDiv(szIcon.cx, h, w);
    if (cyAtWidth > szIcon.cy + 1)
        return CSize(MulDiv(szIcon.cy, w, h), szIcon.cy);
    return CSize(szIcon.cx, cyAtWidth);
}

// Drawing primitives --------------------------------------------------------------------------

void CZPPaintManager::DrawTriangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr)
{
    const COLORREF clrFill = GetColor(static_cast<int>(clr));
    CZPPenDC pen(pDC->GetSafeHdc(), clrFill);
    CZPBrushDC brush(pDC->GetSafeHdc(), clrFill);
    ZpDrawTriangle(pDC, pt0, pt1, pt2);
}

void CZPPaintManager::HorizontalLine(CDC* pDC, int x0, int y, int x1, COLORREF clr)
{
    pDC->FillSolidRect(x0, y, x1 - x0, 1, GetColor(static_cast<int>(clr)));
}

void CZPPaintManager::VerticalLine(CDC* pDC, int x, int y0, int y1, COLORREF clr)
{
    pDC->FillSolidRect(x, y0, 1, y1 - y0, GetColor(static_cast<int>(clr)));
}

void CZPPaintManager::Line(CDC* pDC, int x0, int y0, int x1, int y1)
{
    pDC->MoveTo(x0, y0);
    pDC->LineTo(x1, y1);
}

void CZPPaintManager::DrawLineByIndex(CDC* pDC, int x0, int y0, int x1, int y1, int nColor)
{
    CZPPenDC pen(pDC->GetSafeHdc(), GetColor(nColor));
    Line(pDC, x0, y0, x1, y1);
}

void CZPPaintManager::Draw3dRectByIndex(CDC* pDC, CRect rc, int nTopLeft, int nBottomRight)
{
    pDC->Draw3dRect(&rc, GetColor(nTopLeft), GetColor(nBottomRight));
}

void CZPPaintManager::FillRectAndBorder(CDC* pDC, CRect rc, int nFill, int nBorder)
{
    if (nFill != -1)
        pDC->FillSolidRect(&rc, GetColor(nFill));
    if (nBorder != nFill && nBorder != -1) {
        const COLORREF clrBorder = GetColor(nBorder);
        pDC->Draw3dRect(&rc, clrBorder, clrBorder);
    }
}

void CZPPaintManager::GradientFill(CDC* pDC, CRect rc, COLORREF clr1, COLORREF clr2, BOOL bHorz, LPCRECT lpClip)
{
    ZpDrawHelpersInstance().FillGradientClipped(pDC, &rc, clr1, clr2, bHorz, lpClip);
}

void CZPPaintManager::RemoveAmpersands(CString& strCaption)
{
    ZpRemoveAmpersands(strCaption);
}

BOOL CZPPaintManager::FontFaceExists(LPCWSTR lpszFaceName)
{
    return ZpFontFaceExists(lpszFaceName);
}

void CZPPaintManager::BlendBits(DWORD* pOut, const DWORD* pOld, int cx, int cy, const DWORD* pNew, int nAlpha)
{
    if (pOut == NULL || pOld == NULL || pNew == NULL || cx <= 0 || cy <= 0)
        return;
    const UINT nA = static_cast<UINT>(std::max(0, std::min(nAlpha, 255)));
    const size_t nPixels = static_cast<size_t>(cx) * static_cast<size_t>(cy);
    for (size_t i = 0; i < nPixels; ++i) {
        DWORD dwOut = pOut[i] & 0xFF000000u;
        for (int nShift = 0; nShift < 24; nShift += 8) {
            const UINT nNew = (pNew[i] >> nShift) & 0xFF;
            const UINT nOld = (pOld[i] >> nShift) & 0xFF;
            dwOut |= (((nNew * nA + nOld * (255 - nA)) >> 8) & 0xFF) << nShift;
        }
        pOut[i] = dwOut;
    }
}

BOOL ZpIsVerticalBarPosition(int nPosition)
{
    const int kLeft = 2, kRight = 3, kPopup = 5;
    return nPosition == kLeft || nPosition == kRight || nPosition == kPopup;
}

void ZpBlendPixelColor(CDC* pDC, int x, int y, COLORREF clrA, COLORREF clrB, double dFactor)
{
    COLORREF clrBase = clrB;
    if (dFactor >= 0)
        clrBase = pDC->GetPixel(x, y);
    else
        dFactor = -dFactor;
    if (clrBase == CLR_INVALID)
        return;
    dFactor = std::min(dFactor, 1.0);
    // Integer arithmetic on a fixed-point factor keeps both builds' pixels identical.
    const int nFactor = static_cast<int>(dFactor * 256.0 + 0.5);
    auto channel = [nFactor](int a, int base) { return a + (nFactor * (base - a)) / 256; };
    const COLORREF clr = RGB(channel(GetRValue(clrA), GetRValue(clrBase)), channel(GetGValue(clrA), GetGValue(clrBase)),
                             channel(GetBValue(clrA), GetBValue(clrBase)));
    pDC->SetPixel(x, y, clr);
}

void ZpFillAlphaOpaque(CDC* pDC, CRect rc)
{
    rc.NormalizeRect();
    if (pDC == NULL || rc.IsRectEmpty())
        return;
    LPBYTE pBits = NULL;
    CBitmap bitmap;
    if (!bitmap.Attach(ZpCreateDibSection32(pDC->GetSafeHdc(), rc.Width(), rc.Height(), &pBits, TRUE)))
        return;
    CZPCompatibleDC dcMem(pDC, &bitmap);
    dcMem.BitBlt(0, 0, rc.Width(), rc.Height(), pDC, rc.left, rc.top, SRCCOPY);
    DWORD* pPixels = reinterpret_cast<DWORD*>(pBits);
    const size_t nPixels = static_cast<size_t>(rc.Width()) * static_cast<size_t>(rc.Height());
    for (size_t i = 0; i < nPixels; ++i)
        pPixels[i] |= 0xFF000000u;
    pDC->BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &dcMem, 0, 0, SRCCOPY);
}
