// The looks of a windowless scroll bar (visual style, flat, classic), of a zoom slider drawn on
// the same geometry, and the gallery's metrics. Each paint manager owns one of each kind.
#pragma once

#include <framework.h>
#include <framework/gdi.h>

#include "commandbars/themes/ZPThemePartCache.h"
#include "common/ZPWinThemeWrapper.h"

class CZPControlGallery;
class CZPControlGalleryItem;
class CZPPaintManager;
class CZPScrollBase;

class CZPScrollBarPaintManager
{
public:
    explicit CZPScrollBarPaintManager(CZPPaintManager* pPaintManager);
    virtual ~CZPScrollBarPaintManager();
    CZPScrollBarPaintManager(const CZPScrollBarPaintManager&) = delete;
    CZPScrollBarPaintManager& operator=(const CZPScrollBarPaintManager&) = delete;

    virtual void DrawScrollBar(CDC* pDC, CZPScrollBase* pScrollBar);  // 1
    virtual void RefreshMetrics();                                    // 2

    CZPWinThemeWrapper& GetTheme() { return m_themeScrollBar; }

public:
    int m_cxHScroll;   // horizontal arrow width
    int m_cyHScroll;   // horizontal bar height
    int m_cyVScroll;   // vertical arrow height
    int m_cxVScroll;   // vertical bar width
    int m_nThumbSize;  // 0 = proportional; else fixed, and a drag is never snapped back

protected:
    void DrawThemed(CDC* pDC, CZPScrollBase* pScrollBar, const RECT* pRects, int nPressed, int nHot, BOOL bActive);
    void DrawArrowFlat(CDC* pDC, const RECT& rc, int nPart, int nPressed, BOOL bActive, BOOL bVertical);
    void DrawTrack(CDC* pDC, const RECT* pRects, int nPressed, BOOL bFlat);

    CZPWinThemeWrapper m_themeScrollBar;  // "SCROLLBAR"
    CZPPaintManager* m_pPaintManager;     // borrowed: the owner
    CZPThemePartCache m_partCache;        // opaque style parts, copied instead of redrawn
    CFont m_fontGlyph;                    // the last MARLETT glyph font
    int m_nGlyphFontHeight;               // its height, 0 before the first
};

// A horizontal zoom slider: a track line, ticks, minus and plus buttons and a pentagon thumb.
class CZPSliderPaintManager : public CZPScrollBarPaintManager
{
public:
    explicit CZPSliderPaintManager(CZPPaintManager* pPaintManager);
    void DrawScrollBar(CDC* pDC, CZPScrollBase* pScrollBar) override;
    void RefreshMetrics() override;
};

// The gallery's scroll bar and button column metrics.
class CZPControlGalleryPaintManager : public CZPScrollBarPaintManager
{
public:
    explicit CZPControlGalleryPaintManager(CZPPaintManager* pPaintManager);
    void RefreshMetrics() override;
    virtual void DrawLabel(CDC* pDC, CZPControlGalleryItem* pLabel, CRect rc);  // 3
    virtual void FillControl(CDC* pDC, CZPControlGallery* pGallery, CRect rc);  // 4
    virtual void DrawScrollButtons(CDC* pDC, CZPControlGallery* pGallery);      // 5

public:
    int m_cyRowUpButton;
    int m_cyRowDownButton;
    int m_cxScrollButtons;
};

// Arrow-glyph characters of the "MARLETT" font.
const WCHAR kZpMarlettLeft = L'3', kZpMarlettRight = L'4', kZpMarlettUp = L'5', kZpMarlettDown = L'6';
