// The base paint manager: fonts, metrics, colours and options of one look, and the virtual
// measuring and drawing operations through which every bar, control, status bar and dock area
// of the command bars paints. Themes derive from it and replace its operations.
#pragma once

#include <framework.h>
#include <framework/gdi.h>
#include <framework/wnd.h>

#include "common/ZPColorManager.h"
#include "common/ZPWinThemeWrapper.h"

class CZPControl;
class CZPCommandBar;
class CZPCommandBarKeyboardTip;
class CZPPopupBar;
class CZPImageManagerIcon;
class CZPShadowManager;
class CZPControlGalleryPaintManager;
class CZPSliderPaintManager;
class CZPStatusBarPane;
class CZPStatusBarTogglePane;
class CZPProgressPaintManager;

// Theme numbers of the factory; a paint manager installed directly reports zpThemeCustom.
enum ZpPaintTheme
{
    zpThemeDefault = 0,
    zpThemeOffice = 1,
    zpThemeOffice2003 = 2,
    zpThemeNativeXP = 3,
    zpThemeWhidbey = 4,
    zpThemeOffice2007 = 5,
    zpThemeRibbon = 6,
    zpThemeVisualStudio2008 = 7,
    zpThemeCustom = 8
};

// Colour-table indices the base drawing and the themes name.
enum
{
    zpColorBlack = 0,
    zpColorActiveCaption = COLOR_ACTIVECAPTION,      // 2
    zpColorInactiveCaption = COLOR_INACTIVECAPTION,  // 3
    zpColorMenu = COLOR_MENU,                        // 4
    zpColorWindow = COLOR_WINDOW,                    // 5
    zpColorMenuText = COLOR_MENUTEXT,                // 7
    zpColorCaptionText = COLOR_CAPTIONTEXT,          // 9
    zpColorAppWorkspace = COLOR_APPWORKSPACE,        // 12
    zpColorSysHighlight = COLOR_HIGHLIGHT,           // 13
    zpColorSysHighlightText = COLOR_HIGHLIGHTTEXT,   // 14
    zpColorBtnFace = COLOR_BTNFACE,                  // 15
    zpColorBtnShadow = COLOR_BTNSHADOW,              // 16
    zpColorGrayText = COLOR_GRAYTEXT,                // 17
    zpColorBtnText = COLOR_BTNTEXT,                  // 18
    zpColorBtnHighlight = COLOR_BTNHIGHLIGHT,        // 20
    zpColor3dDkShadow = COLOR_3DDKSHADOW,            // 21
    zpColor3dLight = COLOR_3DLIGHT,                  // 22
    zpColorInfoText = COLOR_INFOTEXT,                // 23
    zpColorInfoBk = COLOR_INFOBK,                    // 24
    zpColorMenuHilight = 29,                         // COLOR_MENUHILIGHT
    zpColorShadowDerived = 38,                       // the table's derived shadow
    zpColorLastIndex = ZP_COLOR_COUNT - 1            // 62
};

// Popup animation kinds as AnimatePopup receives them (0, 1 and 5 are resolved by the caller).
enum
{
    zpAnimateUnfold = 2,
    zpAnimateSlide = 3,
    zpAnimateFade = 4
};

// Built-in buttons of bars (DrawBuiltInButton).
enum
{
    zpButtonExpandToolBar = 0,
    zpButtonExpandPopup = 1,
    zpButtonHideFloating = 2,
    zpButtonExpandFloating = 3
};

// A font of the paint manager that follows the system settings while its standard flag is set.
class CZPPaintManagerFont : public CFont
{
public:
    CZPPaintManagerFont() : m_bStandardFont(TRUE) {}

    // Installs a caller's font: the system settings no longer rebuild it.
    BOOL SetCustomFont(const LOGFONTW* pLogFont);
    // Rebuilds from the system settings when standard or empty.
    void SetStandardFont(const LOGFONTW* pLogFont);
    BOOL IsStandardFont() const { return m_bStandardFont; }
    void SetStandardFlag(BOOL bStandard) { m_bStandardFont = bStandard; }

    BOOL m_bStandardFont;
};

// A button of a message bar as the paint manager draws it.
struct ZP_MESSAGEBAR_BUTTON
{
    CRect m_rect;
    BOOL m_bPressed;
    BOOL m_bHot;
    UINT m_nId;  // SC_CLOSE draws the close cross
};

// The first 32 slots are the command target's; the operations below follow in slot order 20-75.
class CZPPaintManager : public CCmdTarget
{
    DECLARE_DYNAMIC(CZPPaintManager)
public:
    CZPPaintManager();
    ~CZPPaintManager() override;
    CZPPaintManager(const CZPPaintManager&) = delete;
    CZPPaintManager& operator=(const CZPPaintManager&) = delete;

    // 20-31: controls.
    virtual CSize DrawControlInPopup(CDC* pDC, CZPControl* pControl, BOOL bDraw);
    virtual CSize DrawControlOnToolBar(CDC* pDC, CZPControl* pControl, BOOL bDraw);
    virtual void DrawSplitButtonFrame(CDC* pDC, CZPControl* pControl, CRect rc) = 0;
    virtual CSize DrawComboBoxControl(CDC* pDC, CZPControl* pControl, BOOL bDraw);
    virtual COLORREF GetEditBackColor(CZPControl* pControl);
    virtual CSize DrawEditControl(CDC* pDC, CZPControl* pControl, BOOL bDraw);
    virtual CSize DrawCustomizeListItem(CDC* pDC, CZPControl* pControl, CRect rcItem, UINT nItemState) = 0;
    virtual void FillBarBackground(CDC* pDC, CZPCommandBar* pBar) = 0;
    virtual void DrawControlBackground(CDC* pDC, CZPControl* pControl);
    virtual COLORREF GetControlTextColor(CZPControl* pControl);
    virtual COLORREF GetStateTextColor(int bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopped,
                                       int nBarType, int nBarPosition) = 0;
    virtual void DrawStateRectangle(CDC* pDC, CRect rc, int bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                    BOOL bPopped, int nBarType, int nBarPosition) = 0;

    // 32-44: bar parts and the status bar (the pane slots come with the status bar's panes).
    virtual CSize DrawBarGripper(CDC* pDC, CZPCommandBar* pBar, BOOL bDraw);
    virtual CSize DrawBarSeparator(CDC* pDC, CZPCommandBar* pBar, CZPControl* pControl, BOOL bDraw) = 0;
    virtual void AdjustExcludeRect(CRect& rc, CZPControl* pControl, BOOL bVertical) = 0;
    virtual void DrawStatusPane(CDC* pDC, CRect rc, CZPStatusBarPane* pPane);
    virtual void DrawStatusButtonFace(CDC* pDC, CRect rc, CZPStatusBarPane* pPane);
    // The switches of a toggle pane; a NULL DC measures (every switch 18 wide). The total width.
    virtual int DrawStatusSwitches(CDC* pDC, CRect rc, CZPStatusBarTogglePane* pPane);
    virtual void DrawStatusPaneBorder(CDC* pDC, CRect rc, CZPStatusBarPane* pPane, BOOL bLastPane);
    virtual void DrawStatusPaneSeparator(CDC* pDC, CRect rc, CZPStatusBarPane* pPane);
    virtual void DrawStatusSizeGrip(CDC* pDC, CRect rcGrip);
    virtual void FillDockArea(CDC* pDC, CWnd* pWnd);
    virtual void DrawMessageBarButton(CDC* pDC, ZP_MESSAGEBAR_BUTTON* pButton);
    virtual void FillStatusBar(CDC* pDC, CWnd* pStatusBar);

    // 45-57.
    virtual void RefreshMetrics();
    virtual CSize DrawBuiltInButton(CDC* pDC, int nKind, CZPControl* pControl, CZPCommandBar* pBar, BOOL bDraw,
                                    void* pData);
    virtual CRect GetBarBorders(CZPCommandBar* pBar);
    virtual void DrawTearOffStrip(CDC* pDC, CRect rc, BOOL bSelected) = 0;
    virtual void DrawPopupSizeGrip(CDC* pDC, CRect rc, BOOL bGripperRight) = 0;
    virtual void DrawImage(CDC* pDC, CPoint pt, CSize sz, CZPImageManagerIcon* pImage, BOOL bSelected, BOOL bPressed,
                           BOOL bEnabled, BOOL bChecked, BOOL bPopped, BOOL bToolBarImage = TRUE) = 0;
    virtual CSize DrawDialogBarHandle(CDC* pDC, CZPCommandBar* pBar, BOOL bDraw) = 0;
    virtual CRect GetSplitCommandRect(CZPControl* pControl);
    virtual void SetBarRegion(CZPCommandBar* pBar);
    virtual CSize DrawCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, int bSelected, BOOL bPressed, int nChecked,
                                   BOOL bEnabled);
    virtual CSize DrawRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, int bSelected, BOOL bPressed, int nChecked,
                                      BOOL bEnabled);
    virtual void FillPopupIconColumn(CDC* pDC, int nLeft, int nTop, int nWidth, int nHeight, BOOL bFlag);
    virtual int GetCurrentTheme() = 0;

    // 58-75.
    virtual CFont* GetControlFont(CZPControl* pControl);
    virtual CFont* GetBarFont(CZPCommandBar* pBar);
    virtual int GetTextOrientation(CZPControl* pControl);
    virtual void UpdateFonts();
    virtual void UpdateColors();
    virtual void DrawCheckMark(CDC* pDC, CRect rc, int nState, COLORREF clr);
    virtual void DrawRadioMark(CDC* pDC, CRect rc, int nState, COLORREF clr);
    virtual void DrawComboArrow(CDC* pDC, CRect rc, COLORREF clr);
    virtual void DrawDropDownGlyph(CDC* pDC, CZPControl* pControl, CPoint pt, int bSelected, BOOL bPopped,
                                   BOOL bEnabled, BOOL bVertical);
    virtual void AnimatePopup(CDC* pDestDC, CDC* pSrcDC, CRect rc, int nAnimationKind);
    virtual int AnimatePopupExpansion(CZPPopupBar* pPopup, CDC* pDestDC, CDC* pSrcDC, BOOL bDownward);
    virtual void AdjustRightToLeftCaption(CZPControl* pControl);
    virtual int GetPopupIconColumnWidth(CZPCommandBar* pBar);
    virtual void FillWorkspace(CDC* pDC, CRect rc, CRect rcExclude);
    // A keyboard tip; with bSetup (no DC) the call after the window is placed, which draws nothing.
    virtual void DrawKeyTipWindow(CDC* pDC, CZPCommandBarKeyboardTip* pTip, BOOL bSetup);  // 72
    virtual BOOL IsFlatBar(CZPCommandBar* pBar);
    virtual CSize GetPopupIconCellSize(CZPCommandBar* pBar);
    virtual int DrawControlText(CDC* pDC, const CString& strText, CRect& rcText, UINT nFormat, BOOL bDraw,
                                int bSelected, BOOL bEnabled);

public:
    // Measures (bDraw FALSE) or draws a control through the slot of its kind and bar.
    CSize DrawControl(CDC* pDC, CZPControl* pControl, BOOL bDraw);

    // Colours: indices 0-62 go through the table, anything else is a literal colour.
    COLORREF GetColor(int nIndex) const;
    void SetColors(int nCount, const int* pIndices, const COLORREF* pColors);
    CZPPaintManagerColor& GetColorEntry(int nIndex) { return m_arrColor[nIndex]; }
    int GetCurrentSystemTheme() const;

    // Fonts. A NULL LOGFONT changes only the use-system-font flag.
    void SetFontIndirect(const LOGFONTW* pLogFont, BOOL bUseSystemFont = FALSE);
    CFont* GetRegularFont() { return &m_fontRegular; }
    // The progress look, made on first use.
    CZPProgressPaintManager* GetProgressPaintManager();
    CFont* GetRegularBoldFont() { return &m_fontBold; }
    CFont* GetVerticalFont() { return &m_fontVert; }
    CFont* GetVerticalBoldFont() { return &m_fontVertBold; }
    CFont* GetSmallCaptionFont() { return &m_fontSmCaption; }
    CFont* GetIconFont() { return &m_fontIcon; }
    CFont* GetIconBoldFont() { return &m_fontIconBold; }
    CFont* GetStatusFont() { return &m_fontStatus; }

    // Sizes.
    int GetTextHeight() const { return m_nTextHeight; }
    int GetControlHeight() const;
    CSize GetAutoIconSize(BOOL bLarge) const;
    int GetSplitDropDownHeight() const;
    BOOL* GetIconOptions() { return &m_bUseFadedIcons; }

    CSize GetControlSize(CZPControl* pControl, CSize sz, BOOL bVertical);
    CSize GetControlIconSize(CZPControl* pControl);
    static CSize GetStretchedIconSize(CZPImageManagerIcon* pImage, CSize szIcon);

    CZPShadowManager* GetShadowManager() const { return m_pShadowManager; }
    CZPControlGalleryPaintManager* GetGalleryPaintManager() const { return m_pGalleryPaintManager; }
    CZPSliderPaintManager* GetSliderPaintManager() const { return m_pSliderPaintManager; }

    // Caption layout helpers shared with the themes.
    CSize DrawCaption(CDC* pDC, CZPControl* pControl, CRect rc, BOOL bDraw, BOOL bVertical, BOOL bCentered,
                      BOOL bDropDown);
    CSize DrawCaptionBesideIcon(CDC* pDC, CZPControl* pControl, CRect rc, BOOL bDraw, BOOL bDropDown, int nIconWidth,
                                int nIconHeight, BOOL bHasImage);
    CSize DrawTwoLineCaption(CDC* pDC, CZPControl* pControl, CRect rc, BOOL bDraw, BOOL bVertical, BOOL bDropDown);
    void DrawCaptionText(CDC* pDC, CZPControl* pControl, const CString& strCaption, const CString& strClean, CRect rc,
                         BOOL bVertical, BOOL bCentered);
    // Line 1 ends at the space nearest the middle; line 2 starts after it (empty when no split).
    static void SplitCaption(const CString& strCaption, CString& strLine1, CString& strLine2);

    // Drawing primitives shared with the themes. Colour arguments go through GetColor.
    void DrawTriangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr);
    void HorizontalLine(CDC* pDC, int x0, int y, int x1, COLORREF clr);
    void VerticalLine(CDC* pDC, int x, int y0, int y1, COLORREF clr);
    static void Line(CDC* pDC, int x0, int y0, int x1, int y1);
    void DrawLineByIndex(CDC* pDC, int x0, int y0, int x1, int y1, int nColor);
    void Draw3dRectByIndex(CDC* pDC, CRect rc, int nTopLeft, int nBottomRight);
    void FillRectAndBorder(CDC* pDC, CRect rc, int nFill, int nBorder);
    void GradientFill(CDC* pDC, CRect rc, COLORREF clr1, COLORREF clr2, BOOL bHorz, LPCRECT lpClip = NULL);
    void FillSmoothCircle(CDC* pDC, CRect rc, COLORREF clr);
    void DrawCheckMarkGlyph(CDC* pDC, CRect rc, COLORREF clr);
    static void BlendBits(DWORD* pOut, const DWORD* pOld, int cx, int cy, const DWORD* pNew, int nAlpha);
    static void RemoveAmpersands(CString& strCaption);
    static BOOL FontFaceExists(LPCWSTR lpszFaceName);

    // Whether the paint manager draws with the visual style held by the wrapper.
    BOOL IsThemeInUse(CZPWinThemeWrapper& theme);

public:
    COLORREF m_clrText;
    COLORREF m_clrInfoText;
    CZPPaintManagerColorGradient m_grcFace;
    CZPPaintManagerColor m_clrFloatingCaption;
    CZPPaintManagerColor m_clrFloatingCaptionText;
    BOOL m_bThickCheckMark;
    BOOL m_bShowShadow;
    BOOL m_bThemedStatusBar;
    BOOL m_bThemedCheckBox;
    BOOL m_bClearTypeTextQuality;
    BOOL m_bFlatToolBar;
    BOOL m_bFlatMenuBar;
    int m_nPopupTextGap;
    BOOL m_bMenuHighlight;
    BOOL m_bEnableAnimation;
    BOOL m_bTightCaptions;
    BOOL m_bLabelsKeepIconColumn;
    BOOL m_bSplitTwoLineCaptions;
    CZPPaintManagerFont m_fontSmCaption;
    CZPPaintManagerFont m_fontIcon;
    CZPPaintManagerFont m_fontIconBold;
    CZPPaintManagerFont m_fontStatus;
    int m_nSplitButtonDropDownWidth;
    int m_nSplitButtonPopupWidth;
    BOOL m_bAutoResizeIcons;
    int m_nStatusBarMinHeight;

public:
    typedef BOOL(WINAPI* PFNSETLAYEREDWINDOWATTRIBUTES)(HWND, COLORREF, BYTE, DWORD);
    PFNSETLAYEREDWINDOWATTRIBUTES m_pfnSetLayeredWindowAttributes;  // NULL when USER32 lacks it
    CRect m_rcStatusBarBorder;

protected:
    BOOL m_bUseOfficeFont;
    CString m_strOfficeFont;
    CFont m_fontRegular;
    CFont m_fontBold;
    CFont m_fontVert;
    CFont m_fontVertBold;
    int m_nTextHeight;

public:
    int m_nFixedRowHeight;
    int m_nEditHeight;  // the ribbon theme's own metric
    BOOL m_bUseStandardFont;
    BOOL m_bEmbossedDisabledText;
    CZPWinThemeWrapper m_themeStatusBar;
    CZPWinThemeWrapper m_themeButton;
    int m_nThemeNumber;     // set by the factory; zpThemeCustom when installed directly
    BOOL m_bUseFadedIcons;  // the icon options: these three stay consecutive
    BOOL m_bUseDisabledIcons;
    BOOL m_bIconsWithShadow;
    BOOL m_bColorizeDisabledIcons;
    int m_nAnimationSteps;
    int m_nAnimationTime;
    int m_nKeyboardCueOverride;  // -1 follows the bar, 0 or 1 forces the underlines

protected:
    CZPPaintManagerColor m_arrColor[ZP_COLOR_COUNT];

public:
    int m_nColorSchemeSetting;

protected:
    CZPShadowManager* m_pShadowManager;                     // one reference
    CZPControlGalleryPaintManager* m_pGalleryPaintManager;  // owned
    CZPSliderPaintManager* m_pSliderPaintManager;           // owned
    CZPProgressPaintManager* m_pProgressPaintManager;       // owned; NULL until first asked for

    friend class CZPPaintManagerTestAccess;
};

// The process-wide instance: installing one takes a reference and releases the previous one.
void ZpSetPaintManager(CZPPaintManager* pPaintManager);
void ZpReleasePaintManager();
// The installed instance, NULL when none (no theme is created on this path).
CZPPaintManager* ZpGetInstalledPaintManager();
// The installed instance, selecting theme 0 first when none is installed.
CZPPaintManager* ZpGetPaintManager();
// A new theme object for the number (unknown numbers give the Default look), with its theme
// number set; NULL when that theme class is not part of this build.
CZPPaintManager* ZpCreatePaintTheme(int nTheme);
// Creates and installs the theme; the instance keeps the number it was created for. FALSE (and
// the installed instance left alone) when the theme cannot be created.
BOOL ZpSetPaintTheme(int nTheme);

// Alpha of fade frame nStep of nSteps (255 x step / steps, truncated).
int ZpFadeAlpha(int nStep, int nSteps);
// TRUE for the left, right and popup positions.
BOOL ZpIsVerticalBarPosition(int nPosition);
// Per channel a + factor x (base - a), base = the DC's pixel at (x, y), or b for a negative factor.
void ZpBlendPixelColor(CDC* pDC, int x, int y, COLORREF clrA, COLORREF clrB, double dFactor);
// Makes the rectangle's pixels opaque (alpha 0xFF) so GDI text shows on layered surfaces.
void ZpFillAlphaOpaque(CDC* pDC, CRect rc);
// Draws text plainly, or with the visual style's composited text when on glass.
void ZpDrawGlassText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bGlass);
