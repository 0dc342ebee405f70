// The property-page family of appearance sets: the plain 3-D tabs, the selected-only variant,
// the sloped 2003 tabs of the editor's main view and the Visual Studio 2005 tabs.
#include <framework/memorydc.h>

#include <vector>

#include "common/ZPDeviceContext.h"
#include "tabmanager/ZPTabAppearanceSet.h"
#include "tabmanager/ZPTabColorSet.h"
#include "tabmanager/ZPTabManagerItem.h"

namespace {

// The selected tab's inner lines in the sloped looks.
const COLORREF kSelectedInnerLine = 0xFFFFFF;
const int kSelectedGrowth = 2;
const int kFocusInflate = 2;

// The plain 3-D look's tab outline: the selected tab grows on every side but the client's.
CRect SelectedShape(const CZPTabManagerItem* pItem, int nPosition)
{
    CRect rc(pItem->GetRect());
    if (!pItem->IsSelected())
        return rc;
    const int g = kSelectedGrowth;
    if (nPosition == zpTabPositionTop)
        rc.InflateRect(g, g, g, 0);
    else if (nPosition == zpTabPositionLeft)
        rc.InflateRect(g, g, 0, g);
    else
        rc.InflateRect(g, g);
    return rc;
}

// The selected tab of the row next to the client area opens into it.
BOOL IsMergedWithClient(const CZPTabManagerItem* pItem)
{
    return pItem->IsSelected() && pItem->GetRow() == 0;
}

}  // namespace

COLORREF CZPTabPaintManager::CAppearanceSet::FillPolygon(CDC* pDC, const POINT* pPoints, int nCount,
                                                         const CZPTabManagerItem* pItem)
{
    CColorSet* pColors = m_pPaintManager->GetColorSet();
    // Regions are in device coordinates; the buffer DCs draw through a shifted window origin.
    std::vector<POINT> device(pPoints, pPoints + nCount);
    ::LPtoDP(pDC->GetSafeHdc(), device.data(), nCount);
    CRgn rgnPolygon;
    if (!rgnPolygon.CreatePolygonRgn(device.data(), nCount, ALTERNATE))
        return pColors->GetItemColor(pItem);
    CRect rcBox;
    rgnPolygon.GetRgnBox(rcBox);
    pDC->DPtoLP(rcBox);
    if (rcBox.IsRectEmpty())
        return pColors->GetItemColor(pItem);

    // The clip is put back exactly as it was, also when a colour set took pixels out of it.
    CZPClipRgnSaver clip(pDC);
    pDC->SelectClipRgn(&rgnPolygon, RGN_AND);

    COLORREF clr = ZP_COLOR_UNSET;
    CBitmap bitmap;
    if (bitmap.CreateCompatibleBitmap(pDC, rcBox.Width(), rcBox.Height())) {
        CMemoryDC memory(pDC->GetSafeHdc());
        HDC hMemory = memory.Select(static_cast<HBITMAP>(bitmap.GetSafeHandle()));
        if (hMemory != NULL) {
            CDC dcMemory(hMemory);
            // Starts as the destination, so that a fill that draws nothing (-1) changes nothing.
            dcMemory.BitBlt(0, 0, rcBox.Width(), rcBox.Height(), pDC, rcBox.left, rcBox.top, SRCCOPY);
            clr = pColors->FillItem(&dcMemory, CRect(0, 0, rcBox.Width(), rcBox.Height()), pItem);
            pDC->BitBlt(rcBox.left, rcBox.top, rcBox.Width(), rcBox.Height(), &dcMemory, 0, 0, SRCCOPY);
        }
        memory.Restore();
    }
    return clr;
}

void CZPTabPaintManager::CAppearanceSet::DrawPolyline(CDC* pDC, const POINT* pPoints, int nCount, COLORREF clr)
{
    if (clr == ZP_COLOR_UNSET)
        return;
    CZPPenDC pen(pDC->GetSafeHdc(), clr);
    pDC->Polyline(pPoints, nCount);
}

CRect CZPTabPaintManager::CAppearanceSet::GetHeaderSideLine(const CRect& rcClient, int nPosition)
{
    switch (nPosition) {
    case zpTabPositionLeft:
        return CRect(rcClient.left, rcClient.top, rcClient.left + 1, rcClient.bottom);
    case zpTabPositionBottom:
        return CRect(rcClient.left, rcClient.bottom - 1, rcClient.right, rcClient.bottom);
    case zpTabPositionRight:
        return CRect(rcClient.right - 1, rcClient.top, rcClient.right, rcClient.bottom);
    default:
        return CRect(rcClient.left, rcClient.top, rcClient.right, rcClient.top + 1);
    }
}

void CZPTabPaintManager::CAppearanceSet::DrawFrame(CDC* pDC, const CRect& rc, COLORREF clr)
{
    if (clr != ZP_COLOR_UNSET && !rc.IsRectEmpty())
        pDC->Draw3dRect(rc, clr, clr);
}

void CZPTabPaintManager::CAppearanceSet::DrawRun(CDC* pDC, int x, int y, int cx, int cy, COLORREF clr)
{
    if (clr == ZP_COLOR_UNSET || cx <= 0 || cy <= 0)
        return;
    pDC->FillSolidRect(x, y, cx, cy, clr);
}

// Property page

CRect CZPTabPaintManager::CAppearanceSetPropertyPage::FillTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcControl)
{
    CColorSet* pColors = m_pPaintManager->GetColorSet();
    int nPosition = pManager->GetPosition();
    CRect rcHeader = GetHeaderRect(rcControl, pManager);
    CRect rcClient = GetClientRect(rcControl, pManager);
    CRect rcFill(rcHeader);
    ZpTabInflateRectForPosition(rcFill, CRect(0, 0, 0, 1), nPosition);
    pColors->FillHeader(pDC, rcFill, pManager);

    COLORREF clrHighlight = pColors->m_clr3DHighlight, clrShadow = pColors->m_clr3DShadow;
    COLORREF clrDark = pColors->m_clr3DDarkShadow;
    int L = rcClient.left, T = rcClient.top, R = rcClient.right, B = rcClient.bottom;
    if (m_pPaintManager->m_nClientFrame == 0) {
        pColors->FillClient(pDC, rcClient, pManager);
        if (clrHighlight != ZP_COLOR_UNSET && clrDark != ZP_COLOR_UNSET)
            pDC->Draw3dRect(rcClient, clrHighlight, clrDark);
        DrawRun(pDC, L + 1, B - 2, R - L - 2, 1, clrShadow);
        DrawRun(pDC, R - 2, T + 1, 1, B - T - 2, clrShadow);
    } else if (m_pPaintManager->m_nClientFrame == 1) {
        CRect rcLine = GetHeaderSideLine(rcClient, nPosition);
        if (nPosition == zpTabPositionTop || nPosition == zpTabPositionLeft) {
            DrawRun(pDC, rcLine.left, rcLine.top, rcLine.Width(), rcLine.Height(), clrHighlight);
        } else {
            DrawRun(pDC, rcLine.left, rcLine.top, rcLine.Width(), rcLine.Height(), clrDark);
            rcLine.OffsetRect(nPosition == zpTabPositionBottom ? CPoint(0, -1) : CPoint(-1, 0));
            DrawRun(pDC, rcLine.left, rcLine.top, rcLine.Width(), rcLine.Height(), clrShadow);
        }
    }
    return rcHeader;
}

void CZPTabPaintManager::CAppearanceSetPropertyPage::DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem)
{
    CColorSet* pColors = m_pPaintManager->GetColorSet();
    int nPosition = m_pPaintManager->GetPosition();
    CRect rc = SelectedShape(pItem, nPosition);
    const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
    COLORREF clrFill = pColors->FillItem(pDC, CRect(L + 1, T + 1, R - 1, B - 1), pItem);
    const COLORREF hl = pColors->m_clr3DHighlight, sh = pColors->m_clr3DShadow, dk = pColors->m_clr3DDarkShadow;
    BOOL bMerge = IsMergedWithClient(pItem);
    switch (nPosition) {
    case zpTabPositionLeft:
        DrawRun(pDC, L + 2, T, R - L - 2, 1, hl);
        DrawRun(pDC, L + 1, T + 1, 1, 1, hl);
        DrawRun(pDC, L, T + 2, 1, B - T - 4, hl);
        DrawRun(pDC, L + 1, B - 2, R - L - 2, 1, sh);
        DrawRun(pDC, L + 2, B - 1, R - L - 3, 1, dk);
        DrawRun(pDC, L + 2, B - 2, 1, 1, dk);
        DrawRun(pDC, L + 2, B - 1, 1, 1, sh);
        if (bMerge)
            DrawRun(pDC, R - 1, T + 1, 1, B - T - 3, clrFill);
        break;
    case zpTabPositionBottom:
        DrawRun(pDC, L, T + 1, 1, B - T - 2, hl);
        DrawRun(pDC, L + 1, B - 1, 1, 1, hl);
        DrawRun(pDC, L + 2, B - 1, R - L - 4, 1, sh);
        DrawRun(pDC, L + 2, B, R - L - 4, 1, dk);
        DrawRun(pDC, R - 2, B - 1, 1, 1, dk);
        DrawRun(pDC, R - 1, T, 1, B - T - 1, dk);
        DrawRun(pDC, R - 2, T, 1, B - T - 1, sh);
        if (bMerge)
            DrawRun(pDC, L + 1, T + 1, R - L - 1, 1, clrFill);
        break;
    case zpTabPositionRight:
        DrawRun(pDC, L + 1, T, R - L - 2, 1, hl);
        DrawRun(pDC, R - 1, T + 1, 1, 1, hl);
        DrawRun(pDC, R - 1, T + 2, 1, B - T - 4, sh);
        DrawRun(pDC, R, T + 2, 1, B - T - 4, dk);
        DrawRun(pDC, R - 1, B - 2, 1, 1, dk);
        DrawRun(pDC, L + 1, B - 2, R - L - 2, 1, sh);
        DrawRun(pDC, L + 1, B - 1, R - L - 2, 1, dk);
        if (bMerge)
            DrawRun(pDC, L + 1, T + 1, 1, B - T - 1, clrFill);
        break;
    default:
        DrawRun(pDC, L, T + 2, 1, B - T - 2, hl);
        DrawRun(pDC, L + 1, T + 1, 1, 1, hl);
        DrawRun(pDC, L + 2, T, R - L - 4, 1, hl);
        DrawRun(pDC, R - 2, T + 1, 1, 1, dk);
        DrawRun(pDC, R - 1, T + 2, 1, B - T - 3, dk);
        DrawRun(pDC, R - 2, T + 2, 1, B - T - 3, sh);
        if (bMerge)
            DrawRun(pDC, L + 1, B - 1, R - L - 3, 1, clrFill);
        break;
    }
    m_pPaintManager->DrawItemContent(pDC, pItem, GetItemContentRect(pItem), TRUE);
}

CRect CZPTabPaintManager::CAppearanceSetPropertyPage::GetItemContentRect(const CZPTabManagerItem* pItem) const
{
    int nPosition = m_pPaintManager->GetPosition();
    CRect rc = SelectedShape(pItem, nPosition);
    // A selected tab merged with the client area takes the client side's frame too.
    if (IsMergedWithClient(pItem) && nPosition == zpTabPositionBottom)
        rc.bottom += kSelectedGrowth;
    else if (IsMergedWithClient(pItem) && nPosition == zpTabPositionRight)
        rc.right += kSelectedGrowth;
    return rc;
}

void CZPTabPaintManager::CAppearanceSetPropertyPageSelected::DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem)
{
    if (pItem->IsSelected() || pItem->IsHighlighted())
        CAppearanceSetPropertyPage::DrawSingleTab(pDC, pItem);
    else
        m_pPaintManager->DrawItemContent(pDC, pItem, pItem->GetRect(), TRUE);
}

// Property page 2003

CZPTabPaintManager::CAppearanceSetPropertyPage2003::CAppearanceSetPropertyPage2003() : m_bHotBorder(FALSE)
{
    m_rcHeaderMargin.SetRect(2, 3, 6, 0);
}

CRect CZPTabPaintManager::CAppearanceSetPropertyPage2003::GetHeaderMargin() const
{
    // Room for the first tab's slope.
    CRect rc(m_rcHeaderMargin);
    rc.left += m_nTextRowHeight;
    return rc;
}

CRect CZPTabPaintManager::CAppearanceSetPropertyPage2003::GetItemFocusRect(const CZPTabManagerItem* pItem) const
{
    CRect rc(pItem->GetRect());
    CRect rcFocus(rc);
    rcFocus.InflateRect(kFocusInflate, kFocusInflate);
    if (m_pPaintManager->GetPosition() == zpTabPositionTop || m_pPaintManager->GetPosition() == zpTabPositionBottom)
        rcFocus.left = rc.left - rc.Height();
    else
        rcFocus.top = rc.top - rc.Width();
    return rcFocus;
}

CRect CZPTabPaintManager::CAppearanceSetPropertyPage2003::FillTabControl(CZPTabManager* pManager, CDC* pDC,
                                                                         CRect rcControl)
{
    CColorSet* pColors = m_pPaintManager->GetColorSet();
    CRect rcHeader = GetHeaderRect(rcControl, pManager);
    CRect rcClient = GetClientRect(rcControl, pManager);
    pColors->FillHeader(pDC, rcHeader, pManager);
    COLORREF clrBorder = pColors->m_clrSelectedTabBorder;
    if (m_pPaintManager->m_nClientFrame == 0) {
        pColors->FillClient(pDC, rcClient, pManager);
        if (clrBorder != ZP_COLOR_UNSET)
            pDC->Draw3dRect(rcClient, clrBorder, clrBorder);
    } else if (m_pPaintManager->m_nClientFrame == 1) {
        CRect rcLine = GetHeaderSideLine(rcClient, pManager->GetPosition());
        DrawRun(pDC, rcLine.left, rcLine.top, rcLine.Width(), rcLine.Height(), clrBorder);
    }
    return rcHeader;
}

CZPTabPaintManager::CAppearanceSetPropertyPage2003::CTabColors
CZPTabPaintManager::CAppearanceSetPropertyPage2003::GetTabColors(const CZPTabManagerItem* pItem) const
{
    CColorSet* pColors = m_pPaintManager->GetColorSet();
    CTabColors colors = { pColors->m_clrTabBorder, pColors->m_clrTabInnerShadow, pColors->m_clrTabInnerHighlight };
    if (pItem->IsSelected())
        colors = { pColors->m_clrSelectedTabBorder, kSelectedInnerLine, kSelectedInnerLine };
    if (m_bHotBorder && pItem->IsHighlighted()) {
        COLORREF clrHot = pColors->m_grcButtonBorder.m_clrEnd;
        colors = { clrHot, clrHot, clrHot };
    }
    return colors;
}

void CZPTabPaintManager::CAppearanceSetPropertyPage2003::DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem)
{
    const CRect rc(pItem->GetRect());
    const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom, H = rc.Height(), W = rc.Width();
    CTabColors colors = GetTabColors(pItem);
    COLORREF clrFill = ZP_COLOR_UNSET;
    CRect rcMerge;
    auto Draw = [&](std::initializer_list<POINT> fill, std::initializer_list<POINT> border,
                    std::initializer_list<POINT> shadow, std::initializer_list<POINT> highlight) {
        clrFill = FillPolygon(pDC, fill.begin(), static_cast<int>(fill.size()), pItem);
        DrawPolyline(pDC, border.begin(), static_cast<int>(border.size()), colors.clrBorder);
        DrawPolyline(pDC, shadow.begin(), static_cast<int>(shadow.size()), colors.clrInnerShadow);
        DrawPolyline(pDC, highlight.begin(), static_cast<int>(highlight.size()), colors.clrInnerHighlight);
    };
    switch (m_pPaintManager->GetPosition()) {
    case zpTabPositionLeft:
        Draw({ { R - 1, B - 1 }, { L + 2, B - 1 }, { L + 2, T + 4 }, { R - 1, T + 7 - W } },
             { { R - 2, B },
               { L + 2, B },
               { L, B - 2 },
               { L, T + 7 },
               { L + 2, T + 2 },
               { R - 2, T + 6 - W },
               { R - 2, T + 4 - W } },
             { { R - 2, B - 1 }, { L + 2, B - 1 }, { L, B - 3 } },
             { { L + 1, B - 3 }, { L + 1, T + 6 }, { L + 4, T + 1 }, { R - 1, T + 6 - W } });
        rcMerge.SetRect(R - 1, T + 5 - W, R, T + 5 - W + W + H - 4);
        break;
    case zpTabPositionBottom:
        Draw({ { R - 1, T }, { R - 1, B - 1 }, { L + 4, B - 1 }, { L + 7 - H, T + 1 } },
             { { R, T + 1 },
               { R, B - 2 },
               { R - 2, B },
               { L + 7, B },
               { L + 2, B - 2 },
               { L + 5 - H, T + 1 },
               { L + 3 - H, T + 1 } },
             { { R - 1, T + 1 }, { R - 1, B - 2 }, { R - 3, B } },
             { { R - 3, B - 1 }, { L + 6, B - 1 }, { L + 1, B - 4 }, { L + 5 - H, T } });
        rcMerge.SetRect(L + 4 - H, T, L + 4 - H + W + H - 3, T + 1);
        break;
    case zpTabPositionRight:
        Draw({ { L + 1, B - 1 }, { R - 1, B - 1 }, { R - 1, T + 4 }, { L + 1, T + 6 - W } },
             { { L + 1, B },
               { R - 2, B },
               { R, B - 2 },
               { R, T + 7 },
               { R - 2, T + 2 },
               { L + 1, T + 5 - W },
               { L + 1, T + 3 - W } },
             { { L + 1, B - 1 }, { R - 2, B - 1 }, { R, B - 3 } },
             { { R - 1, B - 3 }, { R - 1, T + 6 }, { R - 4, T + 1 }, { L, T + 5 - W } });
        rcMerge.SetRect(L, T + 4 - W, L + 1, T + 4 - W + W + H - 3);
        break;
    default:
        Draw({ { R - 1, B - 1 }, { R - 1, T + 2 }, { L + 4, T + 2 }, { L + 8 - H, B - 2 } },
             { { R, B - 2 },
               { R, T + 2 },
               { R - 2, T },
               { L + 7, T },
               { L + 2, T + 2 },
               { L + 6 - H, B - 2 },
               { L + 4 - H, B - 2 } },
             { { R - 1, B - 2 }, { R - 1, T + 2 }, { R - 3, T } },
             { { R - 3, T + 1 }, { L + 6, T + 1 }, { L + 1, T + 4 }, { L + 6 - H, B - 1 } });
        rcMerge.SetRect(L + 5 - H, B - 1, L + 5 - H + W + H - 4, B);
        break;
    }
    if (pItem->IsSelected())
        DrawRun(pDC, rcMerge.left, rcMerge.top, rcMerge.Width(), rcMerge.Height(), clrFill);
    m_pPaintManager->DrawItemContent(pDC, pItem, rc, TRUE);
}

// Visual Studio 2005

CZPTabPaintManager::CAppearanceSetVisualStudio2005::CAppearanceSetVisualStudio2005()
{
    m_bDrawTowardsSelection = TRUE;
}

CRect CZPTabPaintManager::CAppearanceSetVisualStudio2005::GetHeaderMargin() const
{
    CRect rc(m_rcHeaderMargin);
    rc.left += m_nTextRowHeight / 2;
    return rc;
}

CRect CZPTabPaintManager::CAppearanceSetVisualStudio2005::GetItemFocusRect(const CZPTabManagerItem* pItem) const
{
    CRect rc(pItem->GetRect());
    CRect rcFocus(rc);
    rcFocus.InflateRect(kFocusInflate, kFocusInflate);
    if (m_pPaintManager->GetPosition() == zpTabPositionTop || m_pPaintManager->GetPosition() == zpTabPositionBottom)
        rcFocus.InflateRect(rc.Height() / 2, 0);
    else
        rcFocus.InflateRect(0, rc.Width() / 2);
    return rcFocus;
}

void CZPTabPaintManager::CAppearanceSetVisualStudio2005::DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem)
{
    const CRect rc(pItem->GetRect());
    const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
    CColorSet* pColors = m_pPaintManager->GetColorSet();
    COLORREF clrBorder = pColors->m_clrTabBorder, clrShadow = pColors->m_clrTabInnerShadow;
    COLORREF clrHighlight = pColors->m_clrTabInnerHighlight;
    if (pItem->IsSelected()) {
        clrBorder = pColors->m_clrSelectedTabBorder;
        clrShadow = clrHighlight = kSelectedInnerLine;
    }
    auto Draw = [&](std::initializer_list<POINT> outline, std::initializer_list<POINT> shadow,
                    std::initializer_list<POINT> highlight) {
        FillPolygon(pDC, outline.begin(), static_cast<int>(outline.size()), pItem);
        DrawPolyline(pDC, outline.begin(), static_cast<int>(outline.size()), clrBorder);
        DrawPolyline(pDC, shadow.begin(), static_cast<int>(shadow.size()), clrShadow);
        DrawPolyline(pDC, highlight.begin(), static_cast<int>(highlight.size()), clrHighlight);
    };
    switch (m_pPaintManager->GetPosition()) {
    case zpTabPositionLeft: {
        const int h = (R - L) / 2, L2 = R - 2 * h;
        Draw({ { R - 1, B + h - 4 },
               { L2 + 5, B - 1 },
               { L2 + 1, B - 5 },
               { L2, B - 8 },
               { L2, T + 8 },
               { L2 + 1, T + 5 },
               { L2 + 4, T + 2 },
               { R, T + 4 - h } },
             { { R - 1, B + h - 5 }, { L2 + 5, B - 2 }, { L2 + 2, B - 5 }, { L2 + 1, B - 8 } },
             { { L2 + 1, B - 8 }, { L2 + 1, T + 8 }, { L2 + 2, T + 5 }, { L2 + 4, T + 3 }, { R, T + 5 - h } });
        break;
    }
    case zpTabPositionBottom: {
        const int h = (B - T) / 2, B2 = T + 2 * h;
        Draw({ { R + h - 4, T + 1 },
               { R - 1, B2 - 5 },
               { R - 5, B2 - 1 },
               { R - 7, B2 },
               { L + 7, B2 },
               { L + 5, B2 - 1 },
               { L + 2, B2 - 4 },
               { L + 4 - h, T } },
             { { R + h - 5, T + 1 }, { R - 2, B2 - 5 }, { R - 5, B2 - 2 }, { R - 7, B2 - 1 } },
             { { L + 7, B2 - 1 }, { L + 5, B2 - 2 }, { L + 3, B2 - 4 }, { L + 5 - h, T } });
        break;
    }
    case zpTabPositionRight: {
        const int h = (R - L) / 2, R2 = L + 2 * h;
        Draw({ { L, B + h - 4 },
               { R2 - 5, B - 1 },
               { R2 - 1, B - 5 },
               { R2, B - 8 },
               { R2, T + 8 },
               { R2 - 1, T + 5 },
               { R2 - 4, T + 2 },
               { L, T + 4 - h } },
             { { L, B + h - 5 }, { R2 - 5, B - 2 }, { R2 - 2, B - 5 }, { R2 - 1, B - 8 }, { R2 - 1, T + 6 } },
             { { R2 - 2, T + 5 }, { R2 - 4, T + 3 }, { L, T + 5 - h } });
        break;
    }
    default: {
        const int h = (B - T) / 2, T2 = B - 2 * h;
        Draw({ { R + h - 4, B - 1 },
               { R - 1, T2 + 5 },
               { R - 5, T2 + 1 },
               { R - 8, T2 },
               { L + 8, T2 },
               { L + 5, T2 + 1 },
               { L + 2, T2 + 4 },
               { L + 4 - h, B } },
             { { R + h - 5, B - 1 }, { R - 2, T2 + 5 }, { R - 5, T2 + 2 }, { R - 8, T2 + 1 } },
             { { R - 7, T2 + 1 }, { L + 8, T2 + 1 }, { L + 5, T2 + 2 }, { L + 3, T2 + 4 }, { L + 5 - h, B } });
        break;
    }
    }
    m_pPaintManager->DrawItemContent(pDC, pItem, rc, TRUE);
}
