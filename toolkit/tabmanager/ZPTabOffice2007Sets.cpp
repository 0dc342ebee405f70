// The Office 2007 appearance sets: the ribbon's tab images (property page 2007) and the Access
// tabs, drawn from the Office 2007 images and turned for tabs off the top.
#include "common/ZPOffice2007Images.h"
#include "tabmanager/ZPTabAppearanceSet.h"
#include "tabmanager/ZPTabColorSet.h"
#include "tabmanager/ZPTabManagerItem.h"

namespace {

const COLORREF kTransparentKey = 0xFF00FF;
// "RIBBONTAB": six states in a vertical strip.
const int kRibbonTabStates = 6;
enum
{
    kRibbonNormal,
    kRibbonHot,
    kRibbonPressed,
    kRibbonSelected,
    kRibbonSelectedHot,
    kRibbonSelectedFocused
};
const CRect kRibbonTabMargins(5, 5, 5, 5);
const CRect kRibbonGroupsMargins(8, 8, 8, 8);
// "ACCESSTAB": four states.
const int kAccessTabStates = 4;
enum
{
    kAccessNormal,
    kAccessHot,
    kAccessSelected,
    kAccessSelectedHot
};
const CRect kAccessTabMargins(5, 10, 22, 10);
const int kAccessMinTextRowHeight = 24;

void DrawStateImage(CDC* pDC, LPCWSTR lpszName, int nState, int nStates, const CRect& rc, const CRect& rcMargins)
{
    CZPOffice2007Images* pImages = ZpTabOffice2007Images();
    CZPOffice2007Image* pImage = pImages != NULL ? pImages->GetImage(lpszName) : NULL;
    if (pImage != NULL && !rc.IsRectEmpty())
        pImage->DrawSlicedKeyed(pDC, rc, pImage->GetPartRect(nState, nStates), rcMargins, kTransparentKey);
}

}  // namespace

// Property page 2007

CZPTabPaintManager::CAppearanceSetPropertyPage2007::CAppearanceSetPropertyPage2007()
{
    m_rcHeaderMargin.SetRect(4, 1, 0, 0);
}

BOOL CZPTabPaintManager::CAppearanceSetPropertyPage2007::HasImage(const CZPTabManagerItem* pItem) const
{
    return pItem->IsSelected() || pItem->IsHighlighted();
}

CRect CZPTabPaintManager::CAppearanceSetPropertyPage2007::GetImageRect(const CZPTabManagerItem* pItem) const
{
    return pItem->GetRect();
}

COLORREF CZPTabPaintManager::CAppearanceSetPropertyPage2007::GetTurnedBackground() const
{
    return m_pPaintManager->GetColorSet()->m_grcHeader.m_clrStart;
}

void CZPTabPaintManager::CAppearanceSetPropertyPage2007::DrawSingleTabImage(CDC* pDC, CZPTabManagerItem* pItem,
                                                                            CRect rc)
{
    int nState = kRibbonNormal;
    BOOL bHot = pItem->IsHighlighted();
    if (pItem->IsSelected()) {
        CZPTabManager* pManager = pItem->GetTabManager();
        if (pManager != NULL && pManager->IsFocusCueVisible())
            nState = kRibbonSelectedFocused;
        else
            nState = bHot ? kRibbonSelectedHot : kRibbonSelected;
    } else if (pItem->IsPressed()) {
        nState = kRibbonPressed;
    } else if (bHot) {
        nState = kRibbonHot;
    }
    DrawStateImage(pDC, L"RIBBONTAB", nState, kRibbonTabStates, rc, kRibbonTabMargins);
}

void CZPTabPaintManager::CAppearanceSetPropertyPage2007::DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem)
{
    if (ZpTabOffice2007Images() != NULL && HasImage(pItem)) {
        CRect rc = GetImageRect(pItem);
        int nPosition = m_pPaintManager->GetPosition();
        if (nPosition == zpTabPositionTop) {
            DrawSingleTabImage(pDC, pItem, rc);
        } else {
            ZpTabDrawTurned(pDC, rc, nPosition, GetTurnedBackground(),
                            [&](CDC* pTopDC, const CRect& rcTop) { DrawSingleTabImage(pTopDC, pItem, rcTop); });
        }
    }
    m_pPaintManager->DrawItemContent(pDC, pItem, pItem->GetRect(), TRUE);
}

CRect CZPTabPaintManager::CAppearanceSetPropertyPage2007::FillTabControl(CZPTabManager* pManager, CDC* pDC,
                                                                         CRect rcControl)
{
    CRect rcHeader = GetHeaderRect(rcControl, pManager);
    CZPOffice2007Images* pImages = ZpTabOffice2007Images();
    if (pImages == NULL)
        return rcHeader;
    CColorSet* pColors = m_pPaintManager->GetColorSet();
    CRect rcClient = GetClientRect(rcControl, pManager);
    DrawRun(pDC, rcHeader, pColors->m_grcHeader.m_clrStart);
    if (m_pPaintManager->m_nClientFrame == 0) {
        CZPOffice2007Image* pImage = pImages->GetImage(L"RIBBONGROUPS");
        if (pImage != NULL)
            pImage->DrawSliced(pDC, rcClient, pImage->GetPartRect(0, 1), kRibbonGroupsMargins);
    } else if (m_pPaintManager->m_nClientFrame == 1) {
        DrawRun(pDC, GetHeaderSideLine(rcClient, pManager->GetPosition()), pColors->m_clr3DShadow);
    }
    return rcHeader;
}

// Access 2007

CZPTabPaintManager::CAppearanceSetPropertyPageAccess2007::CAppearanceSetPropertyPageAccess2007()
{
    m_rcHeaderMargin.SetRect(4, 1, 0, 0);
}

void CZPTabPaintManager::CAppearanceSetPropertyPageAccess2007::RefreshMetrics()
{
    CAppearanceSetPropertyPage2007::RefreshMetrics();
    if (m_nTextRowHeight < kAccessMinTextRowHeight)
        m_nTextRowHeight = kAccessMinTextRowHeight;
}

CRect CZPTabPaintManager::CAppearanceSetPropertyPageAccess2007::GetHeaderMargin() const
{
    CRect rc(m_rcHeaderMargin);
    rc.right += m_nTextRowHeight / 2;
    return rc;
}

CRect CZPTabPaintManager::CAppearanceSetPropertyPageAccess2007::GetItemFocusRect(const CZPTabManagerItem* pItem) const
{
    CRect rc = CAppearanceSetPropertyPage2007::GetItemFocusRect(pItem);
    ZpTabInflateRectForPosition(rc, CRect(0, 0, m_nTextRowHeight / 2, 0), m_pPaintManager->GetPosition());
    return rc;
}

BOOL CZPTabPaintManager::CAppearanceSetPropertyPageAccess2007::HasImage(const CZPTabManagerItem* /*pItem*/) const
{
    return TRUE;
}

CRect CZPTabPaintManager::CAppearanceSetPropertyPageAccess2007::GetImageRect(const CZPTabManagerItem* pItem) const
{
    // Each tab's image reaches under the next one.
    CRect rc(pItem->GetRect());
    ZpTabInflateRectForPosition(rc, CRect(0, 0, m_nTextRowHeight / 2 - 1, 0), m_pPaintManager->GetPosition());
    return rc;
}

void CZPTabPaintManager::CAppearanceSetPropertyPageAccess2007::DrawSingleTabImage(CDC* pDC, CZPTabManagerItem* pItem,
                                                                                  CRect rc)
{
    BOOL bHot = pItem->IsHighlighted();
    int nState =
        pItem->IsSelected() ? (bHot ? kAccessSelectedHot : kAccessSelected) : (bHot ? kAccessHot : kAccessNormal);
    DrawStateImage(pDC, L"ACCESSTAB", nState, kAccessTabStates, rc, kAccessTabMargins);
}

CRect CZPTabPaintManager::CAppearanceSetPropertyPageAccess2007::FillTabControl(CZPTabManager* pManager, CDC* pDC,
                                                                               CRect rcControl)
{
    CRect rcHeader = GetHeaderRect(rcControl, pManager);
    if (ZpTabOffice2007Images() == NULL)
        return rcHeader;
    CColorSet* pColors = m_pPaintManager->GetColorSet();
    CRect rcClient = GetClientRect(rcControl, pManager);
    DrawRun(pDC, rcHeader, pColors->m_grcHeader.m_clrStart);
    if (m_pPaintManager->m_nClientFrame == 0) {
        pColors->FillClient(pDC, rcClient, pManager);
        DrawFrame(pDC, rcClient, pColors->m_clrFrame);
    } else if (m_pPaintManager->m_nClientFrame == 1) {
        DrawRun(pDC, GetHeaderSideLine(rcClient, pManager->GetPosition()), pColors->m_clrFrame);
    }
    return rcHeader;
}
