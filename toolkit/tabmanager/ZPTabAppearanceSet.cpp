// The base appearance set: header, client and tab geometry and the drawing of the control.
#include "tabmanager/ZPTabAppearanceSet.h"

#include <algorithm>

#include "common/ZPDeviceContext.h"
#include "tabmanager/ZPTabColorSet.h"
#include "tabmanager/ZPTabManagerItem.h"
#include "tabmanager/ZPTabManagerNavigateButton.h"

namespace {

const int kDefaultRowSpacing = -2;
const int kMinTextRowHeight = 18;
const int kTextRowExtra = 3;
const int kIconRowExtra = 4;
const int kFocusInflate = 2;
const int kClientFrameWidth = 2;

}  // namespace

CZPTabPaintManager::CAppearanceSet::CAppearanceSet()
    : m_rcHeaderMargin(0, 0, 0, 0), m_nRowSpacing(kDefaultRowSpacing), m_nTextRowHeight(kMinTextRowHeight),
      m_pPaintManager(NULL), m_bDrawTowardsSelection(FALSE)
{}

void CZPTabPaintManager::CAppearanceSet::RefreshMetrics()
{
    HDC hScreen = ::GetDC(NULL);
    CDC dc(hScreen);
    {
        CZPFontDC font(&dc, m_pPaintManager->GetNormalFont());
        m_nTextRowHeight = dc.GetTextExtent(L" ", 1).cy + kTextRowExtra;
    }
    ::ReleaseDC(NULL, hScreen);
    if (m_nTextRowHeight < kMinTextRowHeight)
        m_nTextRowHeight = kMinTextRowHeight;
}

CRect CZPTabPaintManager::CAppearanceSet::GetHeaderRect(CRect rcControl, CZPTabManager* pManager)
{
    int nDepth = 0;
    if (m_pPaintManager->m_bShowTabs) {
        CRect rcMargin = GetHeaderMargin();
        int nRows = pManager->GetRowCount() > 0 ? pManager->GetRowCount() : 1;
        int nRowsDepth = nRows * GetRowHeight(pManager) + (nRows - 1) * m_nRowSpacing;
        if (m_pPaintManager->GetLayout() == zpTabLayoutRotated) {
            for (int i = 0; i < pManager->GetItemCount(); i++)
                nRowsDepth = std::max(nRowsDepth, pManager->GetItem(i)->GetLength());
        }
        nDepth = rcMargin.top + rcMargin.bottom + nRowsDepth;
    }
    CRect rc(rcControl);
    switch (pManager->GetPosition()) {
    case zpTabPositionLeft:
        rc.right = rc.left + nDepth;
        break;
    case zpTabPositionBottom:
        rc.top = rc.bottom - nDepth;
        break;
    case zpTabPositionRight:
        rc.left = rc.right - nDepth;
        break;
    default:
        rc.bottom = rc.top + nDepth;
        break;
    }
    return rc;
}

CRect CZPTabPaintManager::CAppearanceSet::GetClientRect(CRect rcControl, CZPTabManager* pManager)
{
    if (!m_pPaintManager->m_bShowTabs)
        return rcControl;
    CRect rcHeader = GetHeaderRect(rcControl, pManager);
    CRect rc(rcControl);
    // The client area overlaps the header by one pixel.
    switch (pManager->GetPosition()) {
    case zpTabPositionLeft:
        rc.left = rcHeader.right - 1;
        break;
    case zpTabPositionBottom:
        rc.bottom = rcHeader.top + 1;
        break;
    case zpTabPositionRight:
        rc.right = rcHeader.left + 1;
        break;
    default:
        rc.top = rcHeader.bottom - 1;
        break;
    }
    return rc;
}

CRect CZPTabPaintManager::CAppearanceSet::GetClientMargin() const
{
    return m_pPaintManager->m_rcClientMargin;
}

int CZPTabPaintManager::CAppearanceSet::GetItemLength(CDC* pDC, CZPTabManagerItem* pItem)
{
    return m_pPaintManager->DrawItemContent(pDC, pItem, CRect(0, 0, 0, 0), FALSE);
}

int CZPTabPaintManager::CAppearanceSet::GetRowHeight(CZPTabManager* pManager)
{
    const CRect& rcButton = m_pPaintManager->m_rcButtonMargin;
    int nHeight = static_cast<int>(rcButton.top + rcButton.bottom) + m_nTextRowHeight;
    CSize szNormal(0, 0);
    pManager->GetItemMetrics(&szNormal, NULL, NULL);
    nHeight = std::max(nHeight, static_cast<int>(szNormal.cy));
    if (m_pPaintManager->m_bShowIcons) {
        CSize szIcon = m_pPaintManager->m_szIcon;
        pManager->DrawItemIcon(NULL, CPoint(0, 0), NULL, FALSE, szIcon);
        int nIcon = static_cast<int>(std::max(szIcon.cx, szIcon.cy));
        nHeight = std::max(nHeight, static_cast<int>(rcButton.top + rcButton.bottom) + nIcon + kIconRowExtra);
    }
    return nHeight;
}

CRect CZPTabPaintManager::CAppearanceSet::GetItemFocusRect(const CZPTabManagerItem* pItem) const
{
    CRect rc(pItem->GetRect());
    rc.InflateRect(kFocusInflate, kFocusInflate);
    return rc;
}

CRect CZPTabPaintManager::CAppearanceSet::FillTabControl(CZPTabManager* /*pManager*/, CDC* /*pDC*/, CRect /*rcControl*/)
{
    return CRect(0, 0, 0, 0);
}

void CZPTabPaintManager::CAppearanceSet::AdjustClientRect(CZPTabManager* pManager, CRect& rcClient)
{
    int nPosition = pManager->GetPosition();
    ZpTabDeflateRectForPosition(rcClient, m_pPaintManager->m_rcControlMargin, nPosition);
    rcClient = GetClientRect(rcClient, pManager);
    ZpTabDeflateRectForPosition(rcClient, GetClientMargin(), nPosition);
    if (m_pPaintManager->m_nClientFrame == 0)
        rcClient.DeflateRect(kClientFrameWidth, kClientFrameWidth);
    else if (m_pPaintManager->m_nClientFrame == 1)
        ZpTabDeflateRectForPosition(rcClient, CRect(0, kClientFrameWidth, 0, 0), nPosition);
}

void CZPTabPaintManager::CAppearanceSet::DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem)
{
    // The base has no shape of its own: only the content.
    m_pPaintManager->DrawItemContent(pDC, pItem, GetItemContentRect(pItem), TRUE);
}

CRect CZPTabPaintManager::CAppearanceSet::GetItemContentRect(const CZPTabManagerItem* pItem) const
{
    return pItem->GetRect();
}

void CZPTabPaintManager::CAppearanceSet::DrawTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcControl)
{
    CZPTabPaintManager* pPaintManager = m_pPaintManager;
    CColorSet* pColorSet = pPaintManager->GetColorSet();
    int nPosition = pManager->GetPosition();

    if (pManager->HasStaticFrame()) {
        pDC->Draw3dRect(rcControl, pColorSet->m_clrFrame, pColorSet->m_clrFrame);
        rcControl.DeflateRect(1, 1);
        pDC->Draw3dRect(rcControl, pColorSet->m_clrBackground, pColorSet->m_clrBackground);
        ZpTabDeflateRectForPosition(rcControl, CRect(1, 0, 1, 1), nPosition);
    }
    if (pPaintManager->m_bFillBackground && pColorSet->m_clrBackground != ZP_COLOR_UNSET)
        pDC->FillSolidRect(rcControl, pColorSet->m_clrBackground);
    ZpTabDeflateRectForPosition(rcControl, pPaintManager->m_rcControlMargin, nPosition);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    if (pPaintManager->m_bFillBackground)
        FillTabControl(pManager, pDC, rcControl);

    CRect rcClip;
    pDC->GetClipBox(rcClip);
    CRgn rgnClip;
    if (pPaintManager->m_bClipHeader) {
        rcClip.IntersectRect(rcClip, pManager->GetHeaderRect());
        CRect rcDevice(rcClip);
        pDC->LPtoDP(rcDevice);
        rgnClip.CreateRectRgnIndirect(rcDevice);
        pDC->SelectClipRgn(&rgnClip);
        pColorSet->AdjustHeaderClip(pDC, rcClip, pManager);
    }

    int nSelected = pManager->GetCurSel();
    for (int nRow = pManager->GetRowCount() - 1; nRow >= 0; nRow--) {
        const ZP_TAB_ROW& row = pManager->GetRow(nRow);
        auto DrawTab = [&](int i) {
            CZPTabManagerItem* pItem = pManager->GetItem(i);
            if (pItem == NULL || !pItem->IsVisible() || i == nSelected)
                return;
            CRect rcFocus = GetItemFocusRect(pItem);
            if (CRect().IntersectRect(rcFocus, rcClip))
                DrawSingleTab(pDC, pItem);
        };
        BOOL bSelectedInRow = nSelected >= row.nFirstItem && nSelected <= row.nLastItem;
        if (m_bDrawTowardsSelection && bSelectedInRow) {
            for (int i = row.nFirstItem; i < nSelected; i++)
                DrawTab(i);
            for (int i = row.nLastItem; i > nSelected; i--)
                DrawTab(i);
        } else {
            for (int i = row.nLastItem; i >= row.nFirstItem; i--)
                DrawTab(i);
        }
        CZPTabManagerItem* pSelected = pManager->GetSelectedItem();
        if (bSelectedInRow && pSelected != NULL && pSelected->IsVisible() &&
            CRect().IntersectRect(GetItemFocusRect(pSelected), rcClip))
            DrawSingleTab(pDC, pSelected);
    }

    if (pPaintManager->m_bClipHeader)
        pDC->SelectClipRgn(NULL);
    pDC->SetBkMode(nOldMode);
    for (int i = pManager->GetNavigateButtonCount() - 1; i >= 0; i--)
        pManager->GetNavigateButton(i)->Draw(pDC);
}

CZPTabPaintManager::CAppearanceSetPropertyPage::CAppearanceSetPropertyPage()
{
    m_rcHeaderMargin.SetRect(2, 3, 6, 0);
}

CRect CZPTabPaintManager::CAppearanceSetPropertyPage::GetClientMargin() const
{
    CRect rc = CAppearanceSet::GetClientMargin();
    CColorSet* pColorSet = m_pPaintManager->GetColorSet();
    if (pColorSet != NULL && pColorSet->IsThemed() && m_pPaintManager->m_nClientFrame == 0) {
        rc.right += 2;
        int nPosition = m_pPaintManager->GetPosition();
        if (nPosition == zpTabPositionTop || nPosition == zpTabPositionLeft)
            rc.bottom += 2;
    }
    return rc;
}

void CZPTabPaintManager::CAppearanceSet::DrawClientFramePart(CDC* pDC, CRect& rc, int nPart)
{
    CColorSet* pColors = m_pPaintManager->GetColorSet();
    if (!m_pPaintManager->m_bStaticFrame) {
        if (nPart == 1)
            rc.InflateRect(2, 2);
        else if ((nPart == 2 || nPart == 3) && pColors->m_grcHeader.m_clrStart != ZP_COLOR_UNSET)
            pDC->FillSolidRect(rc, pColors->m_grcHeader.m_clrStart);
        return;
    }
    COLORREF clrFrame = pColors->m_clrFrame;
    switch (nPart) {
    case 0: {
        CRect rcInner(rc);
        rcInner.DeflateRect(1, 1);
        COLORREF clrFace = ZpColorManagerInstance().LookupColor(COLOR_BTNFACE);
        pDC->Draw3dRect(rcInner, clrFace, clrFace);
        if (clrFrame != ZP_COLOR_UNSET)
            pDC->Draw3dRect(rc, clrFrame, clrFrame);
        break;
    }
    case 1:
        rc.top -= 1;
        break;
    case 2:
    case 3:
        if (pColors->m_clrBackground != ZP_COLOR_UNSET)
            pDC->FillSolidRect(rc, pColors->m_clrBackground);
        if (clrFrame != ZP_COLOR_UNSET) {
            if (nPart == 2)
                pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), clrFrame);
            else
                pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clrFrame);
        }
        break;
    default:
        break;
    }
}
