// The system-colour sets: default, Visual Studio and the set that draws through the visual
// style of the "TAB" and "TOOLBAR" classes.
#include <vsstyle.h>
#include <vssym32.h>

#include "common/ZPDrawHelpers.h"
#include "tabmanager/ZPTabColorSet.h"
#include "tabmanager/ZPTabManagerItem.h"
#include "tabmanager/ZPTabManagerNavigateButton.h"

namespace {

COLORREF Entry(int nIndex)
{
    return ZpTabColorEntry(nIndex);
}

// A pressed button is sunken and its glyph moves by one pixel; a hot one is raised.
void DrawButtonEdge(CDC* pDC, CZPTabManagerNavigateButton* pButton, CRect& rc, COLORREF clrDark, COLORREF clrLight)
{
    if (!pButton->IsEnabled())
        return;
    if (pButton->IsPressed()) {
        pDC->Draw3dRect(rc, clrDark, clrLight);
        rc.OffsetRect(1, 1);
    } else if (ZpTabIsHotNavigateButton(pButton)) {
        pDC->Draw3dRect(rc, clrLight, clrDark);
    }
}

}  // namespace

// Default

void CZPTabPaintManager::CColorSetDefault::RefreshMetrics()
{
    CColorSet::RefreshMetrics();
    m_grcButton.SetSolid(ZP_COLOR_HALFTONE);
    m_grcButtonBorder.SetStandard(Entry(COLOR_BTNSHADOW), Entry(COLOR_BTNHIGHLIGHT));
    for (int i = 0; i < 3; i++)
        m_clrExcelSelectedEdge[i].SetStandardValue(Entry(COLOR_BTNTEXT));
    m_clrExcelSelectedEdge[3].SetStandardValue(Entry(COLOR_WINDOW));
    m_clrExcelSelectedEdge[4].SetStandardValue(Entry(COLOR_BTNSHADOW));
    m_clrExcelSelectedEdge[5].SetStandardValue(Entry(COLOR_BTNSHADOW));
    for (int i = 0; i < 6; i++)
        m_clrExcelNormalEdge[i] = m_clrExcelSelectedEdge[i];
    for (int i = 3; i < 6; i++)
        m_clrExcelNormalEdge[i].SetStandardValue(ZP_COLOR_UNSET);
    if (GetAppearanceNumber() == zpTabAppearanceExcel) {
        m_clrSelectedFill.SetStandardValue(Entry(COLOR_BTNFACE));
        m_clrNormalFill.SetStandardValue(Entry(COLOR_WINDOW));
        m_clrFrame.SetStandardValue(Entry(COLOR_BTNTEXT));
    }
}

void CZPTabPaintManager::CColorSetDefault::FillNavigateButton(CDC* pDC, CZPTabManagerNavigateButton* pButton, CRect& rc)
{
    FillDefaultNavigateButton(pDC, pButton, rc);
}

void CZPTabPaintManager::CColorSetDefault::FillDefaultNavigateButton(CDC* pDC, CZPTabManagerNavigateButton* pButton,
                                                                     CRect& rc)
{
    DrawButtonEdge(pDC, pButton, rc, Entry(COLOR_BTNSHADOW), Entry(COLOR_BTNHIGHLIGHT));
    pDC->SetTextColor(Entry(COLOR_BTNTEXT));
}

// Visual Studio

void CZPTabPaintManager::CColorSetVisualStudio::RefreshMetrics()
{
    // From the base values: the default set's halftone and edges are not part of this look.
    CColorSet::RefreshMetrics();
    int nAppearance = GetAppearanceNumber();
    if (nAppearance != zpTabAppearanceExcel && nAppearance != zpTabAppearanceStateButtons)
        m_grcHeader.SetSolid(Entry(zpColorFaceLight));
    if (nAppearance == zpTabAppearanceVisualStudio) {
        m_clrNormalText.SetStandardValue(Entry(zpColorShadowDark));
        m_clrInactiveText.SetStandardValue(Entry(zpColorShadowDark));
    }
    if (ZpIsLowColorDC(NULL))
        m_grcHeader2.SetSolid(Entry(COLOR_BTNFACE));
    else
        m_grcHeader2.SetSolid(m_grcHeader.m_clrEnd);
}

void CZPTabPaintManager::CColorSetVisualStudio::FillNavigateButton(CDC* pDC, CZPTabManagerNavigateButton* pButton,
                                                                   CRect& rc)
{
    int nAppearance = GetAppearanceNumber();
    if (nAppearance == zpTabAppearanceExcel || nAppearance == zpTabAppearanceStateButtons) {
        FillDefaultNavigateButton(pDC, pButton, rc);
        return;
    }
    DrawButtonEdge(pDC, pButton, rc, Entry(COLOR_BTNTEXT), Entry(COLOR_BTNFACE));
    pDC->SetTextColor(Entry(zpColorShadowDark));
}

// WinXP

CZPTabPaintManager::CColorSetWinXP::CColorSetWinXP()
    : m_pThemeTab(new CZPWinThemeWrapper()), m_pThemeToolbar(new CZPWinThemeWrapper())
{}

CZPTabPaintManager::CColorSetWinXP::~CColorSetWinXP()
{
    m_pThemeTab->CloseTheme();
    m_pThemeToolbar->CloseTheme();
    delete m_pThemeTab;
    delete m_pThemeToolbar;
}

void CZPTabPaintManager::CColorSetWinXP::RefreshMetrics()
{
    CColorSetDefault::RefreshMetrics();
    m_pThemeTab->OpenTheme(NULL, L"TAB");
    if (IsThemed()) {
        m_clr3DHighlight.SetStandardValue(ZP_COLOR_UNSET);
        m_clr3DShadow.SetStandardValue(ZP_COLOR_UNSET);
        m_clr3DDarkShadow.SetStandardValue(ZP_COLOR_UNSET);
        m_clrHotText = m_clrNormalText;
        COLORREF clrPane = ZP_COLOR_UNSET;
        if (SUCCEEDED(m_pThemeTab->GetColor(TABP_PANE, 0, TMT_FILLCOLORHINT, &clrPane)))
            m_clrPane.SetStandardValue(clrPane);
    }
    m_pThemeToolbar->OpenTheme(NULL, L"TOOLBAR");
}

BOOL CZPTabPaintManager::CColorSetWinXP::IsThemed() const
{
    return m_pThemeTab->GetThemeHandle() != NULL && m_pThemeTab->IsVisualStyleInEffect();
}

COLORREF CZPTabPaintManager::CColorSetWinXP::FillItem(CDC* pDC, CRect rc, const CZPTabManagerItem* pItem)
{
    if (!IsThemed())
        return CColorSetDefault::FillItem(pDC, rc, pItem);
    int nPosition = m_pPaintManager->GetPosition();
    CZPTabManager* pManager = pItem->GetTabManager();
    BOOL bSelected = pItem->IsSelected();
    if (bSelected && nPosition == zpTabPositionTop)
        rc.bottom += 2;
    else if (bSelected && nPosition == zpTabPositionLeft)
        rc.right += 1;
    ZpTabInflateRectForPosition(rc, CRect(1, 1, 1, 0), nPosition);

    int nLast = pManager != NULL ? pManager->GetItemCount() - 1 : 0;
    int nPart = TABP_TOPTABITEM;
    if (pItem->GetIndex() == 0)
        nPart = TABP_TOPTABITEMLEFTEDGE;
    else if (pItem->GetIndex() == nLast && !bSelected)
        nPart = TABP_TOPTABITEMRIGHTEDGE;
    int nState = bSelected ? TIS_SELECTED : pItem->IsHighlighted() ? TIS_HOT : TIS_NORMAL;

    if (nPosition == zpTabPositionTop) {
        m_pThemeTab->DrawBackground(pDC->GetSafeHdc(), nPart, nState, rc, NULL);
        return ZP_COLOR_UNSET;
    }
    // The theme has top tabs only: draw one upright and turn it into place.
    ZpTabDrawTurned(pDC, rc, nPosition, Entry(COLOR_BTNFACE), [&](CDC* pTop, const CRect& rcTop) {
        m_pThemeTab->DrawBackground(pTop->GetSafeHdc(), nPart, nState, rcTop, NULL);
    });
    return ZP_COLOR_UNSET;
}

COLORREF CZPTabPaintManager::CColorSetWinXP::FillClient(CDC* pDC, CRect rc, CZPTabManager* pManager)
{
    if (!IsThemed())
        return CColorSetDefault::FillClient(pDC, rc, pManager);
    int nPosition = m_pPaintManager->GetPosition();
    if (nPosition == zpTabPositionBottom)
        rc.bottom += 1;
    else if (nPosition == zpTabPositionRight)
        rc.right += 1;
    m_pThemeTab->DrawBackground(pDC->GetSafeHdc(), TABP_PANE, 0, rc, NULL);
    return 0;
}

void CZPTabPaintManager::CColorSetWinXP::FillButtonItem(CDC* pDC, CRect rc, const CZPTabManagerItem* pItem)
{
    if (m_pThemeToolbar->GetThemeHandle() != NULL && m_pThemeToolbar->IsVisualStyleInEffect() && pItem->IsSelected()) {
        int nState = pItem->IsHighlighted() ? TS_HOTCHECKED : TS_CHECKED;
        m_pThemeToolbar->DrawBackground(pDC->GetSafeHdc(), TP_BUTTON, nState, rc, NULL);
        return;
    }
    CColorSetDefault::FillButtonItem(pDC, rc, pItem);
}

void CZPTabPaintManager::CColorSetWinXP::AdjustHeaderClip(CDC* pDC, CRect /*rc*/, CZPTabManager* pManager)
{
    if (!IsThemed() || pManager == NULL)
        return;
    // The themed pane's corner next to the first tab stays uncovered by the tabs.
    const CRect& rcClient = pManager->GetClientRect();
    CPoint pt(rcClient.left, rcClient.top);
    switch (m_pPaintManager->GetPosition()) {
    case zpTabPositionBottom:
        pt.SetPoint(rcClient.left, rcClient.bottom - 2);
        break;
    case zpTabPositionRight:
        pt.SetPoint(rcClient.right - 2, rcClient.top);
        break;
    default:
        break;
    }
    CRect rcPixel(pt.x, pt.y, pt.x + 1, pt.y + 1);
    pDC->LPtoDP(rcPixel);
    CRgn rgnPixel;
    if (rgnPixel.CreateRectRgnIndirect(rcPixel))
        pDC->SelectClipRgn(&rgnPixel, RGN_DIFF);
}

void CZPTabPaintManager::CColorSetWinXP::FillNavigateButton(CDC* pDC, CZPTabManagerNavigateButton* pButton, CRect& rc)
{
    if (m_pThemeToolbar->GetThemeHandle() == NULL || !m_pThemeToolbar->IsVisualStyleInEffect()) {
        CColorSetDefault::FillNavigateButton(pDC, pButton, rc);
        return;
    }
    if (pButton->IsEnabled()) {
        int nState = pButton->IsPressed() ? TS_PRESSED : ZpTabIsHotNavigateButton(pButton) ? TS_HOT : TS_NORMAL;
        m_pThemeToolbar->DrawBackground(pDC->GetSafeHdc(), TP_BUTTON, nState, rc, NULL);
    }
    pDC->SetTextColor(Entry(COLOR_BTNTEXT));
}
