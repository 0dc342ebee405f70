// The base colour set: standard colours from the colour table and the text colour of a tab.
#include "tabmanager/ZPTabColorSet.h"

#include <utility>

#include "common/ZPDrawHelpers.h"
#include "tabmanager/ZPTabManagerItem.h"
#include "tabmanager/ZPTabManagerNavigateButton.h"

namespace {

// Colour of a hot tab's caption.
const COLORREF kHotTextColor = 0x800000;

COLORREF Entry(int nIndex)
{
    return ZpTabColorEntry(nIndex);
}

}  // namespace

BOOL ZpTabIsHotNavigateButton(const CZPTabManagerNavigateButton* pButton)
{
    CZPTabManager* pManager = pButton->GetTabManager();
    return pManager != NULL && pManager->GetHighlightedNavigateButton() == pButton;
}

COLORREF ZpTabColorEntry(int nIndex)
{
    return ZpColorManagerInstance().LookupColor(static_cast<COLORREF>(nIndex));
}

CZPTabPaintManager::CColorSet::CColorSet() : m_pPaintManager(NULL) {}

void CZPTabPaintManager::CColorSet::RefreshMetrics()
{
    ZpRefreshColors();
    m_grcHeader.SetSolid(Entry(COLOR_BTNFACE));
    m_grcHeader2.CopyStandardFrom(m_grcHeader);
    m_clrFrame.SetStandardValue(Entry(COLOR_BTNSHADOW));
    m_clrBackground.SetStandardValue(Entry(COLOR_BTNFACE));
    m_clrPane.SetStandardValue(Entry(COLOR_BTNFACE));
    m_clrLightEdge.SetStandardValue(Entry(COLOR_BTNHIGHLIGHT));
    BOOL bExcel = m_pPaintManager != NULL && m_pPaintManager->GetAppearance() == zpTabAppearanceExcel;
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

void CZPTabPaintManager::CColorSet::FillHeader(CDC* pDC, CRect rc, CZPTabManager* pManager)
{
    // A plain button-face header shows the parent's background where the parent can paint it.
    COLORREF clrStart = m_grcHeader.m_clrStart, clrEnd = m_grcHeader.m_clrEnd;
    if (clrStart == clrEnd && clrStart == Entry(COLOR_BTNFACE) && pManager != NULL &&
        pManager->DrawParentBackground(pDC, rc))
        return;
    FillGradientByPosition(pDC, rc, m_grcHeader);
}

COLORREF CZPTabPaintManager::CColorSet::FillClient(CDC* pDC, CRect rc, CZPTabManager* pManager)
{
    CZPTabManagerItem* pSelected = pManager != NULL ? pManager->GetSelectedItem() : NULL;
    COLORREF clr = pSelected != NULL ? GetItemColor(pSelected) : static_cast<COLORREF>(m_clrSelectedFill);
    if (clr != ZP_COLOR_UNSET)
        pDC->FillSolidRect(rc, clr);
    return clr;
}

void CZPTabPaintManager::CColorSet::FillButtonItem(CDC* pDC, CRect rc, const CZPTabManagerItem* pItem)
{
    if (pItem->IsSelected()) {
        if (m_pPaintManager != NULL && m_pPaintManager->m_bUseItemColors) {
            COLORREF clr = GetItemColor(pItem);
            if (clr != ZP_COLOR_UNSET)
                pDC->FillSolidRect(rc, clr);
        } else {
            FillGradientByPosition(pDC, rc, m_grcButton);
        }
        COLORREF clrTopLeft = m_grcButtonBorder.m_clrStart, clrBottomRight = m_grcButtonBorder.m_clrEnd;
        if (clrTopLeft != ZP_COLOR_UNSET && clrBottomRight != ZP_COLOR_UNSET)
            pDC->Draw3dRect(rc, clrTopLeft, clrBottomRight);
        return;
    }
    // An etched separator after the tab.
    const COLORREF clrShadow = Entry(COLOR_BTNSHADOW), clrHighlight = Entry(COLOR_BTNHIGHLIGHT);
    int nPosition = m_pPaintManager != NULL ? m_pPaintManager->GetPosition() : zpTabPositionTop;
    if (nPosition == zpTabPositionTop || nPosition == zpTabPositionBottom) {
        if (rc.Height() > 4)
            pDC->Draw3dRect(rc.right - 2, rc.top + 2, 2, rc.Height() - 4, clrShadow, clrHighlight);
    } else if (rc.Width() > 4) {
        pDC->Draw3dRect(rc.left + 2, rc.bottom - 2, rc.Width() - 4, 2, clrShadow, clrHighlight);
    }
}

void CZPTabPaintManager::CColorSet::FillGradientByPosition(CDC* pDC, CRect rc, const CZPPaintManagerColorGradient& grc)
{
    FillGradientByPosition(pDC, rc, grc.m_clrStart, grc.m_clrEnd);
}

void CZPTabPaintManager::CColorSet::FillGradientByPosition(CDC* pDC, CRect rc, COLORREF clrStart, COLORREF clrEnd)
{
    if (clrStart == ZP_COLOR_HALFTONE) {
        FillHalftone(pDC, rc);
        return;
    }
    if (clrStart == ZP_COLOR_UNSET || clrEnd == ZP_COLOR_UNSET || rc.IsRectEmpty())
        return;
    int nPosition = m_pPaintManager != NULL ? m_pPaintManager->GetPosition() : zpTabPositionTop;
    BOOL bHorz = nPosition == zpTabPositionLeft || nPosition == zpTabPositionRight;
    // The gradient always ends at the client side.
    BOOL bReversed = nPosition == zpTabPositionBottom || nPosition == zpTabPositionRight;
    if (m_pPaintManager != NULL && m_pPaintManager->m_bInvertGradient)
        bReversed = !bReversed;
    if (bReversed)
        std::swap(clrStart, clrEnd);
    ZpDrawHelpersInstance().FillGradient(pDC, rc, clrStart, clrEnd, bHorz);
}

void CZPTabPaintManager::CColorSet::FillHalftone(CDC* pDC, const CRect& rc)
{
    CBrush brush;
    if (!ZpCreateHalftoneBrush(brush))
        return;
    COLORREF clrOldText = pDC->SetTextColor(Entry(COLOR_BTNHIGHLIGHT));
    COLORREF clrOldBack = pDC->SetBkColor(Entry(COLOR_BTNFACE));
    HGDIOBJ hOldBrush = pDC->SelectObject(brush.GetSafeHandle());
    pDC->PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
    pDC->SelectObject(hOldBrush);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBack);
}

COLORREF CZPTabPaintManager::CColorSet::FillItem(CDC* pDC, CRect rc, const CZPTabManagerItem* pItem)
{
    COLORREF clr = GetItemColor(pItem);
    if (clr != ZP_COLOR_UNSET)
        pDC->FillSolidRect(rc, clr);
    return clr;
}

void CZPTabPaintManager::CColorSet::AdjustHeaderClip(CDC* /*pDC*/, CRect /*rc*/, CZPTabManager* /*pManager*/) {}

void CZPTabPaintManager::CColorSet::FillNavigateButton(CDC* /*pDC*/, CZPTabManagerNavigateButton* /*pButton*/,
                                                       CRect& /*rc*/)
{}

COLORREF CZPTabPaintManager::CColorSet::GetItemColor(const CZPTabManagerItem* pItem) const
{
    if (m_pPaintManager != NULL && m_pPaintManager->m_bUseItemColors)
        return pItem->GetColor();
    return pItem->IsSelected() ? static_cast<COLORREF>(m_clrSelectedFill) : static_cast<COLORREF>(m_clrNormalFill);
}
