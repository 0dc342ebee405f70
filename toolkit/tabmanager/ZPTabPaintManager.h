// Layout, measuring and drawing of every tab strip: the options, margins and fonts shared by one
// appearance set (the tabs' geometry and shapes) and one colour set.
#pragma once

#include <framework.h>
#include <framework/gdi.h>

#include "tabmanager/ZPTabManager.h"

#include <functional>
#include <vector>

class CZPTabManagerItem;
class CZPTabManagerNavigateButton;

// Appearance kinds, the numbers SetAppearance takes; any other number is the property page.
enum
{
    zpTabAppearancePropertyPage = 0,
    zpTabAppearancePropertyPageSelected = 1,
    zpTabAppearancePropertyPageFlat = 2,
    zpTabAppearancePropertyPage2003 = 3,
    zpTabAppearanceStateButtons = 4,
    zpTabAppearanceVisualStudio = 5,
    zpTabAppearanceFlat = 6,
    zpTabAppearanceExcel = 7,
    zpTabAppearanceVisio = 8,
    zpTabAppearanceVisualStudio2005 = 9,
    zpTabAppearancePropertyPage2007 = 10,
    zpTabAppearancePropertyPageAccess2007 = 11
};

// Colour sets, one bit each: SetColor takes one, an appearance set's supported sets are a mask.
enum
{
    zpTabColorDefault = 1,
    zpTabColorVisualStudio = 2,
    zpTabColorOffice2003 = 4,
    zpTabColorWinXP = 8,
    zpTabColorWhidbey = 16,
    zpTabColorOffice2007 = 32,
    zpTabColorVisualStudio2008 = 64,
    zpTabColorAccess2007 = 128
};

// Reference counted; every strip that uses it may hold a reference.
class CZPTabPaintManager : public CCmdTarget
{
public:
    class CAppearanceSet;
    class CAppearanceSetPropertyPage;
    class CAppearanceSetPropertyPageSelected;
    class CAppearanceSetPropertyPage2003;
    class CAppearanceSetVisualStudio2005;
    class CAppearanceSetFlat;
    class CAppearanceSetPropertyPageFlat;
    class CAppearanceSetExcel;
    class CAppearanceSetStateButtons;
    class CAppearanceSetVisualStudio;
    class CAppearanceSetVisio;
    class CAppearanceSetPropertyPage2007;
    class CAppearanceSetPropertyPageAccess2007;
    class CColorSet;
    class CColorSetDefault;
    class CColorSetVisualStudio;
    class CColorSetWinXP;
    class CColorSetOffice2003;
    class CColorSetWhidbey;
    class CColorSetVisualStudio2008;
    class CColorSetOffice2007;
    class CColorSetAccess2007;

    CZPTabPaintManager();
    ~CZPTabPaintManager() override;

    virtual void DrawTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcControl);
    virtual void AdjustClientRect(CZPTabManager* pManager, CRect& rcClient);
    virtual void RepositionTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcClient);
    virtual void DrawNavigateButton(CDC* pDC, CZPTabManagerNavigateButton* pButton, CRect& rc);
    // Without drawing: the length the item needs along the strip; with drawing: 0.
    virtual int DrawItemContent(CDC* pDC, CZPTabManagerItem* pItem, CRect rcItem, BOOL bDraw);
    virtual void RefreshMetrics();
    virtual void RefreshAll();
    virtual void DrawFocusRect(CDC* pDC, CZPTabManagerItem* pItem, CRect rcItem);

    // Sets: a number installs the matching kind; an object is taken over (NULL keeps the current one).
    CAppearanceSet* SetAppearance(int nAppearance);
    CAppearanceSet* SetAppearanceSetObject(CAppearanceSet* pAppearanceSet);
    int GetAppearance() const { return m_nAppearance; }
    CAppearanceSet* GetAppearanceSet() const { return m_pAppearanceSet; }
    CColorSet* SetColor(int nColor);
    CColorSet* SetColorSetObject(CColorSet* pColorSet);
    int GetColor() const { return m_nColor; }
    CColorSet* GetColorSet() const { return m_pColorSet; }

    void SetLayout(int nLayout);
    int GetLayout() const { return m_nLayout; }
    void SetPosition(int nPosition);
    int GetPosition() const { return m_nPosition; }
    void SetThemeColorsDisabled(BOOL bDisabled);
    BOOL AreThemeColorsDisabled() const;

    // Rebuilds the four fonts from one LOGFONT; NULL leaves them as they are.
    void SetFontIndirect(const LOGFONTW* pLogFont, BOOL bUseSystemFont = FALSE);
    CFont* GetNormalFont() { return &m_fntNormal; }
    CFont* GetBoldFont() { return &m_fntBold; }
    CFont* GetVerticalNormalFont() { return &m_fntVerticalNormal; }
    CFont* GetVerticalBoldFont() { return &m_fntVerticalBold; }
    // The font a tab's caption uses: bold only for the selected tab of an active manager.
    CFont* GetItemFont(const CZPTabManagerItem* pItem);
    // Whether captions of this strip are drawn with the vertical fonts.
    BOOL IsVerticalText(const CZPTabManager* pManager) const;

    // Adds the button margin, then applies a minimum and a maximum above 0.
    int ClampItemLength(int nLength, int nMin, int nMax) const;
    // Scrolls the strip so that the tab lies inside the header.
    void EnsureVisible(CZPTabManager* pManager, CZPTabManagerItem* pItem);
    // The next automatic item colour; successive calls walk the eight colours without end.
    COLORREF NextAutomaticColor();

    // Managers that RefreshAll reaches (not owned).
    void AddTabManager(CZPTabManagerAtom* pAtom);
    void RemoveTabManager(CZPTabManagerAtom* pAtom);
    int GetTabManagerCount() const { return static_cast<int>(m_arrAtoms.GetSize()); }

    // Options, as the appearance and colour sets read them.
    BOOL m_bHotTracking;
    BOOL m_bShowIcons;
    BOOL m_bBoldSelected;
    BOOL m_bBoldNormal;
    BOOL m_bUseItemColors;
    int m_nClientFrame;  // 0 full frame, 1 a line along the header side, 2 none
    BOOL m_bStaticFrame;
    CRect m_rcClientMargin;
    CRect m_rcControlMargin;
    CRect m_rcButtonMargin;
    CRect m_rcTextMargin;
    BOOL m_bInvertGradient;
    BOOL m_bFillBackground;
    CSize m_szIcon;
    BOOL m_bMiddleEllipsis;
    BOOL m_bEndEllipsis;
    BOOL m_bNoPrefix;
    UINT m_nTextFormat;
    BOOL m_bHidePrefix;
    BOOL m_bMultiRowFixedSelection;
    BOOL m_bMultiRowJustified;
    BOOL m_bDrawFocusRect;
    BOOL m_bSelectOnDragOver;
    int m_nExtraItemLength;
    BOOL m_bSelectOnButtonDown;
    BOOL m_bClearTypeText;
    BOOL m_bRotateIcons;
    BOOL m_bClipHeader;
    CSize m_szNavigateButton;
    BOOL m_bShowTabs;
    int m_nMinItemLength;  // 0 = no minimum
    int m_nMaxItemLength;  // 0 = no maximum
    int m_nFixedItemLength;
    int m_nToolTipMode;  // 0 never, 1 always, 2 when the tab is shorter than its caption needs
    BOOL m_bUseSystemFont;

protected:
    // The length along the strip a tab needs for its icon, caption and own buttons.
    int MeasureItemContent(CDC* pDC, CZPTabManagerItem* pItem);
    // Draws a tab's content into rcItem; its own buttons stand where the layout placed them.
    void DrawItemParts(CDC* pDC, CZPTabManagerItem* pItem, const CRect& rcItem);
    // A caption running down the tab, centred across it, in the vertical font already selected.
    void DrawVerticalCaption(CDC* pDC, CString strCaption, const CRect& rc, int nPosition);
    // Places every tab's own buttons in its content rectangle, so that hit testing needs no paint first.
    void RepositionItemButtons(CZPTabManager* pManager);
    // What is left of rc for icon and caption once the tab's shown buttons stand at its end; each
    // button's place goes to pPlaces (indexed like the buttons, empty for hidden ones) when given.
    CRect SplitItemButtons(const CZPTabManagerItem* pItem, CRect rc, std::vector<CRect>* pPlaces) const;
    // The length the tab's shown buttons and their gap take along the text; 0 without any.
    int GetItemButtonsLength(const CZPTabManagerItem* pItem, BOOL bVertical) const;
    // Size-to-fit strips show the caption of the selected tab only.
    BOOL IsCaptionShown(const CZPTabManagerItem* pItem) const;
    // The caption through the middle-ellipsis rule: unchanged, "..." alone, or start + "..." + end.
    void DrawTextMiddleEllipsis(CDC* pDC, const CString& strText, CRect rc, UINT nFormat);
    int MeasureCaption(CDC* pDC, const CString& strCaption, UINT nFormat);

    int m_nAppearance;
    int m_nColor;
    int m_nLayout;
    int m_nPosition;
    BOOL m_bThemeColorsDisabled;
    int m_nAutomaticColorCounter;      // never reset: strips sharing this paint manager continue one sequence
    CAppearanceSet* m_pAppearanceSet;  // owned
    CColorSet* m_pColorSet;            // owned
    CArray<CZPTabManagerAtom*, CZPTabManagerAtom*> m_arrAtoms;  // borrowed; each unregisters itself
    CFont m_fntNormal;
    CFont m_fntBold;
    CFont m_fntVerticalNormal;
    CFont m_fntVerticalBold;
};

// The COLORREF an automatic colour value stands for; other values unchanged.
COLORREF ZpGetTabAutomaticColor(COLORREF clr);

// Margins are given for tabs on top; these apply them to a rectangle turned with the strip.
void ZpTabInflateRectForPosition(CRect& rc, const CRect& rcMargin, int nPosition);
void ZpTabDeflateRectForPosition(CRect& rc, const CRect& rcMargin, int nPosition);
// A navigate button's size until the paint manager says otherwise.
const int kZpTabNavigateButtonWidth = 14;
const int kZpTabNavigateButtonHeight = 15;

// Depth a static frame takes around the control, for tabs on top; the layout and the client
// rectangle both leave it out.
CRect ZpTabStaticFrameMargin();
// Collapses an inverted rectangle to an empty one at its left and top edges.
void ZpTabNormalizeRect(CRect& rc);

// Moves the pixels of a picture drawn for tabs on top (cxTop x cyTop, bottom-up 32-bit rows) into
// a tab at another position (cxTab x cyTab): left tabs mirror it across the diagonal, right tabs
// turn it a quarter clockwise, bottom tabs mirror it top to bottom. bToTop runs the inverse, from
// the tab's pixels into the upright picture.
void ZpTabTurnPixels(DWORD* pTop, int cxTop, int cyTop, DWORD* pTab, int cxTab, int cyTab, int nPosition, BOOL bToTop);
// Draws a picture made for tabs on top into rcTab at the position: draw paints it upright into
// a 32-bit bitmap (the tab's size with width and height exchanged for left and right tabs) that
// starts filled with clrBack, or with ZP_COLOR_UNSET as the tab's own pixels turned upright.
void ZpTabDrawTurned(CDC* pDC, const CRect& rcTab, int nPosition, COLORREF clrBack,
                     const std::function<void(CDC* pDC, const CRect& rc)>& draw);
