// The Visio appearance set: full-width bars, those up to the selected one stacked from the top,
// the rest from the bottom, the page between them.
#include <algorithm>

#include "common/ZPDeviceContext.h"
#include "tabmanager/ZPTabAppearanceSet.h"
#include "tabmanager/ZPTabColorSet.h"
#include "tabmanager/ZPTabManagerItem.h"
#include "tabmanager/ZPTabManagerNavigateButton.h"

namespace {

// The colour table's entry for grips.
const int kGripEntry = 38;
// The grip's lines stand this far from the bar's right edge, and the content stops there.
const int kGripRight = 7;
const int kGripLength = 3;
const int kGripTop = 4;
const int kGripBottom = 3;

// The first visible tab after the index, or NULL.
CZPTabManagerItem* NextVisible(CZPTabManager* pManager, int nIndex)
{
    for (int i = nIndex + 1; i < pManager->GetItemCount(); i++)
        if (pManager->GetItem(i)->IsVisible())
            return pManager->GetItem(i);
    return NULL;
}

}  // namespace

CZPTabPaintManager::CAppearanceSetVisio::CAppearanceSetVisio()
{
    m_rcHeaderMargin.SetRect(0, 0, 0, 0);
}

int CZPTabPaintManager::CAppearanceSetVisio::GetInset() const
{
    return m_pPaintManager->m_nClientFrame == 2 ? 0 : 1;
}

CRect CZPTabPaintManager::CAppearanceSetVisio::GetHeaderRect(CRect rcControl, CZPTabManager* /*pManager*/)
{
    return CRect(rcControl.left, rcControl.top, rcControl.left, rcControl.top);
}

CRect CZPTabPaintManager::CAppearanceSetVisio::GetClientRect(CRect rcControl, CZPTabManager* pManager)
{
    int nInset = GetInset();
    int nSelected = pManager->GetCurSel();
    CZPTabManagerItem* pSelected = pManager->GetSelectedItem();
    CZPTabManagerItem* pNext = NextVisible(pManager, nSelected);
    int nTop = pSelected != NULL && pSelected->IsVisible() ? pSelected->GetRect().bottom : rcControl.top + nInset;
    int nBottom = pNext != NULL ? pNext->GetRect().top : rcControl.bottom - nInset;
    CRect rc(rcControl.left + nInset, nTop, rcControl.right - nInset, nBottom);
    ZpTabNormalizeRect(rc);
    return rc;
}

void CZPTabPaintManager::CAppearanceSetVisio::RepositionTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcControl)
{
    ZpTabDeflateRectForPosition(rcControl, m_pPaintManager->m_rcControlMargin, pManager->GetPosition());
    ZpTabNormalizeRect(rcControl);
    pManager->HeaderRect() = GetHeaderRect(rcControl, pManager);
    for (int i = 0; i < pManager->GetNavigateButtonCount(); i++)
        pManager->GetNavigateButton(i)->SetRect(CRect(0, 0, 0, 0));

    const int nRow = GetRowHeight(pManager);
    const int nInset = GetInset();
    const int x0 = rcControl.left + nInset, x1 = std::max(x0, static_cast<int>(rcControl.right) - nInset);
    const int nSelected = pManager->GetCurSel();
    int nAfter = 0;
    for (int i = nSelected + 1; i < pManager->GetItemCount(); i++)
        nAfter += pManager->GetItem(i)->IsVisible() ? 1 : 0;

    int y = rcControl.top + 1;
    BOOL bBottomStarted = FALSE;
    for (int i = 0; i < pManager->GetItemCount(); i++) {
        CZPTabManagerItem* pItem = pManager->GetItem(i);
        if (!pItem->IsVisible()) {
            pItem->SetLength(0);
            pItem->SetRect(CRect(0, 0, 0, 0));
            continue;
        }
        int nLength = GetItemLength(pDC, pItem);
        pItem->SetNaturalLength(nLength);
        // The content is centred in the bar less its grip.
        pItem->SetLength(std::max(0, x1 - x0 - kGripRight));
        if (i > nSelected && !bBottomStarted) {
            bBottomStarted = TRUE;
            // The bars after the selected one rest on the bottom, never above the selected bar's end.
            int yBottom = static_cast<int>(rcControl.bottom) - nAfter * nRow;
            y = std::min(std::max(yBottom, y), static_cast<int>(rcControl.bottom) - 1);
        }
        pItem->SetRect(CRect(x0, y, x1, y + nRow));
        y += nRow;
    }
}

void CZPTabPaintManager::CAppearanceSetVisio::AdjustClientRect(CZPTabManager* pManager, CRect& rcClient)
{
    int nPosition = pManager->GetPosition();
    ZpTabDeflateRectForPosition(rcClient, m_pPaintManager->m_rcControlMargin, nPosition);
    rcClient = GetClientRect(rcClient, pManager);
    ZpTabDeflateRectForPosition(rcClient, GetClientMargin(), nPosition);
}

void CZPTabPaintManager::CAppearanceSetVisio::DrawTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcControl)
{
    CColorSet* pColors = m_pPaintManager->GetColorSet();
    DrawRun(pDC, rcControl, pColors->m_clrBackground);
    ZpTabDeflateRectForPosition(rcControl, m_pPaintManager->m_rcControlMargin, pManager->GetPosition());
    CZPClipRgnSaver clip(pDC);
    pDC->IntersectClipRect(rcControl);
    if (m_pPaintManager->m_nClientFrame != 2)
        DrawFrame(pDC, rcControl, pColors->m_clrFrame);
    else if (pManager->GetItemCount() > 0)
        DrawRun(pDC, rcControl.left, rcControl.top, rcControl.Width(), 1, pColors->m_clrFrame);

    CRect rcClip;
    pDC->GetClipBox(rcClip);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    for (int i = pManager->GetItemCount() - 1; i >= 0; i--) {
        CZPTabManagerItem* pItem = pManager->GetItem(i);
        if (pItem->IsVisible() && CRect().IntersectRect(pItem->GetRect(), rcClip))
            DrawSingleTab(pDC, pItem);
    }
    pDC->SetBkMode(nOldMode);
}

void CZPTabPaintManager::CAppearanceSetVisio::DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem)
{
    CColorSet* pColors = m_pPaintManager->GetColorSet();
    const CRect rc(pItem->GetRect());
    pColors->FillItem(pDC, rc, pItem);
    COLORREF clrLight = pColors->m_clrLightEdge, clrFrame = pColors->m_clrFrame;
    if (clrLight != ZP_COLOR_UNSET && clrFrame != ZP_COLOR_UNSET)
        pDC->Draw3dRect(rc, clrLight, clrFrame);
    COLORREF clrGrip = ZpTabColorEntry(kGripEntry);
    for (int y = rc.top + kGripTop; y < rc.bottom - kGripBottom; y += 2)
        DrawRun(pDC, rc.right - kGripRight, y, kGripLength, 1, clrGrip);
    m_pPaintManager->DrawItemContent(pDC, pItem, GetItemContentRect(pItem), TRUE);
}

CRect CZPTabPaintManager::CAppearanceSetVisio::GetItemContentRect(const CZPTabManagerItem* pItem) const
{
    CRect rc(pItem->GetRect());
    rc.right -= kGripRight;
    ZpTabNormalizeRect(rc);
    return rc;
}
