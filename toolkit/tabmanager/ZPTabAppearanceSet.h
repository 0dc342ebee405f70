// Appearance sets: the geometry of a strip (header, client area, tab lengths and rows) and the
// drawing of its control and tabs.
#pragma once

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
    virtual int GetSupportedColorSets() const { return 95; }
    virtual int GetDefaultColorSet() const { return 1; }

    CRect m_rcHeaderMargin;          // for tabs on top
    int m_nRowSpacing;               // negative: rows overlap
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
};

class CZPTabPaintManager::CAppearanceSetPropertyPage : public CZPTabPaintManager::CAppearanceSet
{
public:
    CAppearanceSetPropertyPage();
    CRect GetClientMargin() const override;
    int GetSupportedColorSets() const override { return 13; }
    int GetDefaultColorSet() const override { return 1; }
};
