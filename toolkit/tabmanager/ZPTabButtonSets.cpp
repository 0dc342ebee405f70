// Appearance sets of plain shapes: tabs as state buttons, and the Visual Studio tabs whose
// selected tab alone is raised.
#include "tabmanager/ZPTabAppearanceSet.h"
#include "tabmanager/ZPTabColorSet.h"
#include "tabmanager/ZPTabManagerItem.h"

namespace {

const int kSeparatorInset = 2;

}  // namespace

// State buttons

CZPTabPaintManager::CAppearanceSetStateButtons::CAppearanceSetStateButtons()
{
    m_rcHeaderMargin.SetRect(2, 2, 4, 2);
    m_nRowSpacing = 0;
}

CRect CZPTabPaintManager::CAppearanceSetStateButtons::FillTabControl(CZPTabManager* pManager, CDC* /*pDC*/,
                                                                     CRect rcControl)
{
    return GetHeaderRect(rcControl, pManager);
}

void CZPTabPaintManager::CAppearanceSetStateButtons::DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem)
{
    m_pPaintManager->GetColorSet()->FillButtonItem(pDC, pItem->GetRect(), pItem);
    m_pPaintManager->DrawItemContent(pDC, pItem, pItem->GetRect(), TRUE);
}

// Visual Studio

CZPTabPaintManager::CAppearanceSetVisualStudio::CAppearanceSetVisualStudio()
{
    m_rcHeaderMargin.SetRect(4, 2, 4, 0);
}

CRect CZPTabPaintManager::CAppearanceSetVisualStudio::FillTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcControl)
{
    CColorSet* pColors = m_pPaintManager->GetColorSet();
    int nPosition = pManager->GetPosition();
    CRect rcHeader = GetHeaderRect(rcControl, pManager);
    CRect rcClient = GetClientRect(rcControl, pManager);
    pColors->FillHeader(pDC, rcHeader, pManager);
    COLORREF clrLight = pColors->m_clrLightEdge, clrDark = pColors->m_clrSelectedText;
    if (m_pPaintManager->m_nClientFrame == 0) {
        pColors->FillClient(pDC, rcClient, pManager);
        if (clrLight != ZP_COLOR_UNSET && clrDark != ZP_COLOR_UNSET)
            pDC->Draw3dRect(rcClient, clrLight, clrDark);
    } else if (m_pPaintManager->m_nClientFrame == 1) {
        // The frame's edge on the header side: light on the top and left, dark on the others.
        BOOL bLight = nPosition == zpTabPositionTop || nPosition == zpTabPositionLeft;
        DrawRun(pDC, GetHeaderSideLine(rcClient, nPosition), bLight ? clrLight : clrDark);
    }
    return rcHeader;
}

void CZPTabPaintManager::CAppearanceSetVisualStudio::DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem)
{
    CColorSet* pColors = m_pPaintManager->GetColorSet();
    int nPosition = m_pPaintManager->GetPosition();
    const CRect rc(pItem->GetRect());
    if (pItem->IsSelected()) {
        pColors->FillItem(pDC, rc, pItem);
        CRect rcEdge(rc);
        ZpTabInflateRectForPosition(rcEdge, CRect(0, 0, 0, 1), nPosition);
        COLORREF clrLight = pColors->m_clrLightEdge, clrDark = pColors->m_clrSelectedText;
        if (clrLight != ZP_COLOR_UNSET && clrDark != ZP_COLOR_UNSET)
            pDC->Draw3dRect(rcEdge, clrLight, clrDark);
    } else if (nPosition == zpTabPositionTop || nPosition == zpTabPositionBottom) {
        DrawRun(pDC, rc.right, rc.top + kSeparatorInset, 1, rc.Height() - 2 * kSeparatorInset, pColors->m_clrFrame);
    } else {
        DrawRun(pDC, rc.left + kSeparatorInset, rc.bottom, rc.Width() - 2 * kSeparatorInset, 1, pColors->m_clrFrame);
    }
    m_pPaintManager->DrawItemContent(pDC, pItem, rc, TRUE);
}
