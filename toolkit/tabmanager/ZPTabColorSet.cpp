// The base colour set: standard colours from the colour table and the text colour of a tab.
#include "tabmanager/ZPTabColorSet.h"

#include "tabmanager/ZPTabManagerItem.h"

namespace
{

// Colour of a hot tab's caption.
const COLORREF kHotTextColor = 0x800000;
// The Excel look (appearance 7) selects its tabs in the window colour.
const int kAppearanceExcel = 7;

COLORREF Entry(int nIndex)
{
    return ZpColorManagerInstance().LookupColor(static_cast<COLORREF>(nIndex));
}

}  // namespace

CZPTabPaintManager::CColorSet::CColorSet() : m_pPaintManager(NULL)
{
}

void CZPTabPaintManager::CColorSet::RefreshMetrics()
{
    ZpRefreshColors();
    m_grcHeader.SetSolid(Entry(COLOR_BTNFACE));
    m_grcHeader2.CopyStandardFrom(m_grcHeader);
    m_clrFrame.SetStandardValue(Entry(COLOR_BTNSHADOW));
    m_clrBackground.SetStandardValue(Entry(COLOR_BTNFACE));
    m_clrPane.SetStandardValue(Entry(COLOR_BTNFACE));
    m_clrLightEdge.SetStandardValue(Entry(COLOR_BTNHIGHLIGHT));
    BOOL bExcel = m_pPaintManager != NULL && m_pPaintManager->GetAppearance() == kAppearanceExcel;
    m_clrSelectedFill.SetStandardValue(Entry(bExcel ? COLOR_WINDOW : COLOR_BTNFACE));
    m_clrHotFill.SetStandardValue(Entry(COLOR_BTNFACE));
    m_clrPressedFill.SetStandardValue(Entry(COLOR_BTNFACE));
    m_clrNormalFill.SetStandardValue(Entry(COLOR_BTNFACE));
    m_clrNormalText.SetStandardValue(Entry(COLOR_BTNTEXT));
    m_clrInactiveText.SetStandardValue(Entry(COLOR_BTNTEXT));
    m_clrSelectedText.SetStandardValue(Entry(COLOR_BTNTEXT));
    m_clrHotText.SetStandardValue(kHotTextColor);
    m_clrDisabledText.SetStandardValue(Entry(COLOR_GRAYTEXT));
    m_grcButton.SetSolid(Entry(COLOR_WINDOW));
    m_grcButtonBorder.SetSolid(Entry(COLOR_HIGHLIGHT));
    m_clr3DHighlight.SetStandardValue(Entry(COLOR_BTNHIGHLIGHT));
    m_clr3DShadow.SetStandardValue(Entry(COLOR_BTNSHADOW));
    m_clr3DDarkShadow.SetStandardValue(Entry(COLOR_3DDKSHADOW));
    m_clrTabBorder.SetStandardValue(Entry(COLOR_BTNSHADOW));
    m_clrSelectedTabBorder.SetStandardValue(Entry(COLOR_BTNSHADOW));
    m_clrTabInnerShadow.SetStandardValue(Entry(COLOR_BTNFACE));
    m_clrTabInnerHighlight.SetStandardValue(Entry(COLOR_BTNFACE));
    m_clrExcelSelectedEdge[0].SetStandardValue(Entry(COLOR_BTNTEXT));
    m_clrExcelSelectedEdge[1].SetStandardValue(Entry(COLOR_BTNSHADOW));
    m_clrExcelSelectedEdge[2].SetStandardValue(Entry(COLOR_BTNTEXT));
    for (int i = 3; i < 6; i++)
        m_clrExcelSelectedEdge[i].SetStandardValue(ZP_COLOR_UNSET);
    for (int i = 0; i < 6; i++)
        m_clrExcelNormalEdge[i] = m_clrExcelSelectedEdge[i];
    m_clrExcelNormalEdge[3].SetStandardValue(Entry(COLOR_WINDOW));
    m_clrExcelNormalEdge[4].SetStandardValue(Entry(COLOR_BTNSHADOW));
}

void CZPTabPaintManager::CColorSet::SetItemTextColor(CDC* pDC, const CZPTabManagerItem* pItem)
{
    CZPTabManager* pManager = pItem->GetTabManager();
    COLORREF clr = m_clrNormalText;
    if (!pItem->IsEnabled())
        clr = m_clrDisabledText;
    else if (pManager != NULL && !pManager->IsActive())
        clr = m_clrInactiveText;
    else if (pItem->IsSelected())
        clr = m_clrSelectedText;
    else if (pItem->IsHighlighted())
        clr = m_clrHotText;
    pDC->SetTextColor(clr);
}

COLORREF CZPTabPaintManager::CColorSet::FillItem(CDC* pDC, CRect rc, const CZPTabManagerItem* pItem)
{
    COLORREF clr = GetItemColor(pItem);
    if (clr != ZP_COLOR_UNSET)
        pDC->FillSolidRect(rc, clr);
    return clr;
}

void CZPTabPaintManager::CColorSet::AdjustHeaderClip(CDC* /*pDC*/, CRect /*rc*/, CZPTabManager* /*pManager*/)
{
}

void CZPTabPaintManager::CColorSet::FillNavigateButton(CDC* /*pDC*/, CZPTabManagerNavigateButton* /*pButton*/,
                                                      CRect& /*rc*/)
{
}

COLORREF CZPTabPaintManager::CColorSet::GetItemColor(const CZPTabManagerItem* pItem) const
{
    if (m_pPaintManager != NULL && m_pPaintManager->m_bUseItemColors)
        return pItem->GetColor();
    return pItem->IsSelected() ? static_cast<COLORREF>(m_clrSelectedFill) : static_cast<COLORREF>(m_clrNormalFill);
}
