// Appearance sets: the geometry of a strip (header, client area, tab lengths and rows) and the
// drawing of its control and tabs.
#pragma once

#include "common/ZPColorManager.h"
#include "tabmanager/ZPTabPaintManager.h"

// Owned by the paint manager.
class CZPTabPaintManager::CAppearanceSet
{
public:
    CAppearanceSet();
    virtual ~CAppearanceSet() = default;
    CAppearanceSet(const CAppearanceSet&) = delete;
    CAppearanceSet& operator=(const CAppearanceSet&) = delete;

    virtual void RefreshMetrics();
    virtual CRect GetHeaderRect(CRect rcControl, CZPTabManager* pManager);
    virtual CRect GetClientRect(CRect rcControl, CZPTabManager* pManager);
    virtual CRect GetHeaderMargin() const { return m_rcHeaderMargin; }
    virtual CRect GetClientMargin() const;
    virtual int GetItemLength(CDC* pDC, CZPTabManagerItem* pItem);
    virtual int GetRowHeight(CZPTabManager* pManager);
    virtual CRect GetItemFocusRect(const CZPTabManagerItem* pItem) const;
    virtual void DrawTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcControl);
    // Draws header background, client fill and frame; returns the header rectangle.
    virtual CRect FillTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcControl);
    virtual void RepositionTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcClient);
    virtual void AdjustClientRect(CZPTabManager* pManager, CRect& rcClient);
    virtual void DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem);
    // The rectangle DrawSingleTab draws the tab's content into; the layout places the tab's own
    // buttons in it.
    virtual CRect GetItemContentRect(const CZPTabManagerItem* pItem) const;
    // One part (0-3) of the frame around a client area; part 1 may move the rectangle.
    virtual void DrawClientFramePart(CDC* pDC, CRect& rc, int nPart);
    virtual int GetSupportedColorSets() const
    {
        return zpTabColorDefault | zpTabColorVisualStudio | zpTabColorOffice2003 | zpTabColorWinXP | zpTabColorWhidbey |
               zpTabColorVisualStudio2008;
    }
    virtual int GetDefaultColorSet() const { return zpTabColorDefault; }
    // The tab's part image in top orientation; only the Office 2007 kinds have one.
    virtual void DrawSingleTabImage(CDC* /*pDC*/, CZPTabManagerItem* /*pItem*/, CRect /*rc*/) {}

    CRect m_rcHeaderMargin;  // for tabs on top
    int m_nRowSpacing;       // negative: rows overlap
    int m_nTextRowHeight;
    CZPTabPaintManager* m_pPaintManager;  // back pointer, set on installation
    BOOL m_bDrawTowardsSelection;

protected:
    // The single-row layouts (auto size, compressed, fixed, size to fit, rotated).
    void RepositionSingleRow(CZPTabManager* pManager, CDC* pDC, CRect rcControl);
    void RepositionMultiRow(CZPTabManager* pManager, CDC* pDC, CRect rcControl);
    // The header from GetHeaderRect with its end shortened by one pixel and by the shown strip buttons.
    CRect FinishHeaderRect(CZPTabManager* pManager, const CRect& rcControl);
    // Places the strip's tabs of one row from nStart along the strip.
    void PlaceRow(CZPTabManager* pManager, const CRect& rcControl, int nFirst, int nLast, int nRowOffset, int nStart);
    // Fills a polygon (ANDed with the clip) with the colour set's FillItem over its bounding box;
    // returns the colour FillItem used.
    COLORREF FillPolygon(CDC* pDC, const POINT* pPoints, int nCount, const CZPTabManagerItem* pItem);
    // A one-pixel polyline, the last point excluded; nothing for -1.
    static void DrawPolyline(CDC* pDC, const POINT* pPoints, int nCount, COLORREF clr);
    // A run of pixels; nothing for -1 or an empty run.
    static void DrawRun(CDC* pDC, int x, int y, int cx, int cy, COLORREF clr);
    static void DrawRun(CDC* pDC, const CRect& rc, COLORREF clr)
    {
        DrawRun(pDC, rc.left, rc.top, rc.Width(), rc.Height(), clr);
    }
    // The one-pixel line of a client rectangle on the header side.
    static CRect GetHeaderSideLine(const CRect& rcClient, int nPosition);
    // A one-pixel rectangle outline in one colour; nothing for -1.
    static void DrawFrame(CDC* pDC, const CRect& rc, COLORREF clr);
};

class CZPTabPaintManager::CAppearanceSetPropertyPage : public CZPTabPaintManager::CAppearanceSet
{
public:
    CAppearanceSetPropertyPage();
    CRect GetClientMargin() const override;
    CRect FillTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem) override;
    CRect GetItemContentRect(const CZPTabManagerItem* pItem) const override;
    int GetSupportedColorSets() const override { return zpTabColorDefault | zpTabColorOffice2003 | zpTabColorWinXP; }
    int GetDefaultColorSet() const override { return zpTabColorDefault; }
};

// Only the selected and the hot tab have a shape.
class CZPTabPaintManager::CAppearanceSetPropertyPageSelected : public CZPTabPaintManager::CAppearanceSetPropertyPage
{
public:
    void DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem) override;
};

// Tabs sloped at their start over the previous tab, outlined with inner lines.
class CZPTabPaintManager::CAppearanceSetPropertyPage2003 : public CZPTabPaintManager::CAppearanceSet
{
public:
    CAppearanceSetPropertyPage2003();
    CRect GetHeaderMargin() const override;
    CRect GetItemFocusRect(const CZPTabManagerItem* pItem) const override;
    CRect FillTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem) override;
    int GetSupportedColorSets() const override
    {
        return zpTabColorDefault | zpTabColorOffice2003 | zpTabColorWhidbey | zpTabColorVisualStudio2008;
    }
    int GetDefaultColorSet() const override { return zpTabColorOffice2003; }

    BOOL m_bHotBorder;

protected:
    struct CTabColors
    {
        COLORREF clrBorder;
        COLORREF clrInnerShadow;
        COLORREF clrInnerHighlight;
    };
    CTabColors GetTabColors(const CZPTabManagerItem* pItem) const;
};

// Both sides sloped outwards, two pixels of depth for each pixel along the strip.
class CZPTabPaintManager::CAppearanceSetVisualStudio2005 : public CZPTabPaintManager::CAppearanceSetPropertyPage2003
{
public:
    CAppearanceSetVisualStudio2005();
    CRect GetHeaderMargin() const override;
    CRect GetItemFocusRect(const CZPTabManagerItem* pItem) const override;
    void DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem) override;
};

// Every tab outlined in the frame colour, its end one pixel longer.
class CZPTabPaintManager::CAppearanceSetFlat : public CZPTabPaintManager::CAppearanceSet
{
public:
    CAppearanceSetFlat();
    CRect FillTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem) override;
    int GetSupportedColorSets() const override
    {
        return zpTabColorDefault | zpTabColorVisualStudio | zpTabColorOffice2003;
    }
    int GetDefaultColorSet() const override { return zpTabColorVisualStudio; }
};

// Flat tabs with rounded, smoothed corners.
class CZPTabPaintManager::CAppearanceSetPropertyPageFlat : public CZPTabPaintManager::CAppearanceSetFlat
{
public:
    CAppearanceSetPropertyPageFlat();
    void DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem) override;
    int GetDefaultColorSet() const override { return zpTabColorDefault; }

    BOOL m_bRoundedCorners;
    // Normal tabs draw only a separator; the selected one a rounded outline.
    BOOL m_bSeparatorStyle;
};

// Trapezoids leaning over their neighbours, edged in the Excel edge colours.
class CZPTabPaintManager::CAppearanceSetExcel : public CZPTabPaintManager::CAppearanceSetFlat
{
public:
    CAppearanceSetExcel();
    CRect GetHeaderMargin() const override;
    void DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem) override;
};

// Tabs as buttons: no header fill and no client frame.
class CZPTabPaintManager::CAppearanceSetStateButtons : public CZPTabPaintManager::CAppearanceSet
{
public:
    CAppearanceSetStateButtons();
    CRect FillTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem) override;
    int GetDefaultColorSet() const override { return zpTabColorVisualStudio; }
};

// A raised selected tab; the others only separated by a line.
class CZPTabPaintManager::CAppearanceSetVisualStudio : public CZPTabPaintManager::CAppearanceSet
{
public:
    CAppearanceSetVisualStudio();
    CRect FillTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem) override;
    int GetSupportedColorSets() const override
    {
        return zpTabColorDefault | zpTabColorVisualStudio | zpTabColorOffice2003;
    }
    int GetDefaultColorSet() const override { return zpTabColorVisualStudio; }
};

// Full-width bars stacked from the top and the bottom, the page between the selected bar and
// the next, whatever the position.
class CZPTabPaintManager::CAppearanceSetVisio : public CZPTabPaintManager::CAppearanceSet
{
public:
    CAppearanceSetVisio();
    CRect GetHeaderRect(CRect rcControl, CZPTabManager* pManager) override;
    CRect GetClientRect(CRect rcControl, CZPTabManager* pManager) override;
    void DrawTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void RepositionTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcClient) override;
    void AdjustClientRect(CZPTabManager* pManager, CRect& rcClient) override;
    void DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem) override;
    CRect GetItemContentRect(const CZPTabManagerItem* pItem) const override;
    int GetSupportedColorSets() const override { return zpTabColorDefault | zpTabColorOffice2003; }
    int GetDefaultColorSet() const override { return zpTabColorDefault; }

protected:
    // The bars' outer edges across the control: one pixel inside the frame unless there is none.
    int GetInset() const;
};

// The ribbon's tab images; without the Office 2007 images only the content is drawn.
class CZPTabPaintManager::CAppearanceSetPropertyPage2007 : public CZPTabPaintManager::CAppearanceSet
{
public:
    CAppearanceSetPropertyPage2007();
    CRect FillTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem) override;
    void DrawSingleTabImage(CDC* pDC, CZPTabManagerItem* pItem, CRect rc) override;
    int GetSupportedColorSets() const override { return zpTabColorOffice2007; }
    int GetDefaultColorSet() const override { return zpTabColorOffice2007; }

protected:
    // Whether the tab shows an image, and the rectangle the image covers.
    virtual BOOL HasImage(const CZPTabManagerItem* pItem) const;
    virtual CRect GetImageRect(const CZPTabManagerItem* pItem) const;
    // What an upright image is drawn over for tabs off the top: a colour, or -1 for the tab's own pixels.
    virtual COLORREF GetTurnedBackground() const;
};

class CZPTabPaintManager::CAppearanceSetPropertyPageAccess2007
    : public CZPTabPaintManager::CAppearanceSetPropertyPage2007
{
public:
    CAppearanceSetPropertyPageAccess2007();
    void RefreshMetrics() override;
    CRect GetHeaderMargin() const override;
    CRect GetItemFocusRect(const CZPTabManagerItem* pItem) const override;
    CRect FillTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleTabImage(CDC* pDC, CZPTabManagerItem* pItem, CRect rc) override;
    int GetSupportedColorSets() const override { return zpTabColorAccess2007; }
    int GetDefaultColorSet() const override { return zpTabColorAccess2007; }

protected:
    BOOL HasImage(const CZPTabManagerItem* pItem) const override;
    CRect GetImageRect(const CZPTabManagerItem* pItem) const override;
    COLORREF GetTurnedBackground() const override { return ZP_COLOR_UNSET; }
};
