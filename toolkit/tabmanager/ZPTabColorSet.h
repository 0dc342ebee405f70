// Colour sets: the text colours, fills and named edge colours of a tab strip.
#pragma once

#include "common/ZPColorManager.h"
#include "common/ZPWinThemeWrapper.h"
#include "tabmanager/ZPTabPaintManager.h"

// As a gradient's start colour: the 8 x 8 halftone of button face and button highlight.
#define ZP_COLOR_HALFTONE (static_cast<COLORREF>(-2))

// Owned by the paint manager. Every colour is used through its effective value; -1 draws nothing.
class CZPTabPaintManager::CColorSet
{
public:
    CColorSet();
    virtual ~CColorSet() = default;
    CColorSet(const CColorSet&) = delete;
    CColorSet& operator=(const CColorSet&) = delete;

    virtual void RefreshMetrics();
    virtual void SetItemTextColor(CDC* pDC, const CZPTabManagerItem* pItem);
    virtual void FillHeader(CDC* pDC, CRect rc, CZPTabManager* pManager);
    // Fills with the selected tab's colour (the selected fill without one); returns the colour.
    virtual COLORREF FillClient(CDC* pDC, CRect rc, CZPTabManager* pManager);
    virtual void FillButtonItem(CDC* pDC, CRect rc, const CZPTabManagerItem* pItem);
    // Fills a tab's shape; returns the colour used, -1 for none.
    virtual COLORREF FillItem(CDC* pDC, CRect rc, const CZPTabManagerItem* pItem);
    virtual void AdjustHeaderClip(CDC* pDC, CRect rc, CZPTabManager* pManager);
    // Draws the face of a strip button and sets the DC's text colour to the glyph colour.
    virtual void FillNavigateButton(CDC* pDC, CZPTabManagerNavigateButton* pButton, CRect& rc);
    virtual COLORREF GetItemColor(const CZPTabManagerItem* pItem) const;
    virtual BOOL IsThemed() const { return FALSE; }

    CZPPaintManagerColorGradient m_grcHeader;
    CZPPaintManagerColorGradient m_grcHeader2;
    CZPPaintManagerColor m_clrFrame;
    CZPPaintManagerColor m_clrBackground;
    CZPPaintManagerColor m_clrPane;
    CZPPaintManagerColor m_clrLightEdge;
    CZPPaintManagerColor m_clrSelectedFill;
    CZPPaintManagerColor m_clrHotFill;
    CZPPaintManagerColor m_clrPressedFill;
    CZPPaintManagerColor m_clrNormalFill;
    CZPPaintManagerColor m_clrNormalText;
    CZPPaintManagerColor m_clrInactiveText;
    CZPPaintManagerColor m_clrSelectedText;
    CZPPaintManagerColor m_clrHotText;
    CZPPaintManagerColor m_clrDisabledText;
    CZPPaintManagerColorGradient m_grcButton;
    CZPPaintManagerColorGradient m_grcButtonBorder;
    CZPPaintManagerColor m_clr3DHighlight;
    CZPPaintManagerColor m_clr3DShadow;
    CZPPaintManagerColor m_clr3DDarkShadow;
    CZPPaintManagerColor m_clrTabBorder;
    CZPPaintManagerColor m_clrSelectedTabBorder;
    CZPPaintManagerColor m_clrTabInnerShadow;
    CZPPaintManagerColor m_clrTabInnerHighlight;
    CZPPaintManagerColor m_clrExcelSelectedEdge[6];
    CZPPaintManagerColor m_clrExcelNormalEdge[6];
    CZPTabPaintManager* m_pPaintManager;  // back pointer, set on installation

    // The gradient along the tab depth, ending at the client side: a start of -2 is the
    // button-face halftone, a -1 at either end draws nothing.
    void FillGradientByPosition(CDC* pDC, CRect rc, COLORREF clrStart, COLORREF clrEnd);
    void FillGradientByPosition(CDC* pDC, CRect rc, const CZPPaintManagerColorGradient& grc);
    // The 8 x 8 halftone of button face and button highlight.
    static void FillHalftone(CDC* pDC, const CRect& rc);

protected:
    int GetAppearanceNumber() const { return m_pPaintManager != NULL ? m_pPaintManager->GetAppearance() : 0; }
};

// The system colours with a halftone for the selected button-shaped tab.
class CZPTabPaintManager::CColorSetDefault : public CZPTabPaintManager::CColorSet
{
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* pDC, CZPTabManagerNavigateButton* pButton, CRect& rc) override;

    // Sunken when pressed (the glyph one pixel right and down), raised when hot; glyph in button text.
    static void FillDefaultNavigateButton(CDC* pDC, CZPTabManagerNavigateButton* pButton, CRect& rc);
};

class CZPTabPaintManager::CColorSetVisualStudio : public CZPTabPaintManager::CColorSetDefault
{
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* pDC, CZPTabManagerNavigateButton* pButton, CRect& rc) override;
};

// Draws through the visual style of the "TAB" and "TOOLBAR" classes when one is in effect.
class CZPTabPaintManager::CColorSetWinXP : public CZPTabPaintManager::CColorSetDefault
{
public:
    CColorSetWinXP();
    ~CColorSetWinXP() override;
    void RefreshMetrics() override;
    COLORREF FillClient(CDC* pDC, CRect rc, CZPTabManager* pManager) override;
    void FillButtonItem(CDC* pDC, CRect rc, const CZPTabManagerItem* pItem) override;
    COLORREF FillItem(CDC* pDC, CRect rc, const CZPTabManagerItem* pItem) override;
    void AdjustHeaderClip(CDC* pDC, CRect rc, CZPTabManager* pManager) override;
    void FillNavigateButton(CDC* pDC, CZPTabManagerNavigateButton* pButton, CRect& rc) override;
    BOOL IsThemed() const override;

    CZPWinThemeWrapper* m_pThemeTab;      // owned
    CZPWinThemeWrapper* m_pThemeToolbar;  // owned
};

// The Office family: gradients by the Windows visual style's palette.
class CZPTabPaintManager::CColorSetOffice2003 : public CZPTabPaintManager::CColorSet
{
public:
    CColorSetOffice2003();
    void RefreshMetrics() override;
    COLORREF FillItem(CDC* pDC, CRect rc, const CZPTabManagerItem* pItem) override;
    void FillNavigateButton(CDC* pDC, CZPTabManagerNavigateButton* pButton, CRect& rc) override;

    CZPPaintManagerColor m_clrNavigateButtonBorder;
    BOOL m_bOfficePalette;

protected:
    // The colour a tab is filled with: pressed, else hot, else its own.
    COLORREF GetStateColor(const CZPTabManagerItem* pItem) const;
    // The Office values after the base ones.
    void RefreshOfficeValues();
    // The fixed palette of a Windows visual style (blue, olive or silver); others change nothing.
    void ApplyPalette(int nStyle);
    void RefreshExcelEdges();
};

class CZPTabPaintManager::CColorSetWhidbey : public CZPTabPaintManager::CColorSetOffice2003
{
public:
    CColorSetWhidbey();
    void RefreshMetrics() override;
    COLORREF FillItem(CDC* pDC, CRect rc, const CZPTabManagerItem* pItem) override;

    BOOL m_bOwnPalette;
};

class CZPTabPaintManager::CColorSetVisualStudio2008 : public CZPTabPaintManager::CColorSetOffice2003
{
public:
    CColorSetVisualStudio2008();
    void RefreshMetrics() override;
    COLORREF FillItem(CDC* pDC, CRect rc, const CZPTabManagerItem* pItem) override;

    BOOL m_bOwnPalette;
};

// Colours from the Office 2007 images' INI values; the blue Office palette without them.
class CZPTabPaintManager::CColorSetOffice2007 : public CZPTabPaintManager::CColorSetOffice2003
{
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* pDC, CZPTabManagerNavigateButton* pButton, CRect& rc) override;

    CZPPaintManagerColor m_clrTabText;
};

class CZPTabPaintManager::CColorSetAccess2007 : public CZPTabPaintManager::CColorSetOffice2007
{
public:
    void RefreshMetrics() override;
};

// An entry of the colour manager's table.
COLORREF ZpTabColorEntry(int nIndex);
class CZPOffice2007Images;
// The process-wide Office 2007 images when they are loaded, else NULL.
CZPOffice2007Images* ZpTabOffice2007Images();
// Whether the button is its strip's hot navigate button.
BOOL ZpTabIsHotNavigateButton(const CZPTabManagerNavigateButton* pButton);
