// Colour sets: the text colours, fills and named edge colours of a tab strip.
#pragma once

#include "common/ZPColorManager.h"
#include "tabmanager/ZPTabPaintManager.h"

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
};
