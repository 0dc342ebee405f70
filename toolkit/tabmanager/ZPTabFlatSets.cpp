// The flat family of appearance sets: flat outlined tabs, the property-page flat tabs with
// smoothed corners and the Excel trapezoids.
#include <tuple>

#include "common/ZPDeviceContext.h"
#include "common/ZPDrawHelpers.h"
#include "tabmanager/ZPTabAppearanceSet.h"
#include "tabmanager/ZPTabColorSet.h"
#include "tabmanager/ZPTabManagerItem.h"

namespace {

// Margins for tabs on top, turned with the strip by ZpTabInflateRectForPosition.
const CRect kAtEnd(0, 0, 1, 0);
const CRect kTowardsClient(0, 0, 0, 1);
const CRect kOuterSides(1, 1, 1, 0);
const int kRoundCorner = 6;
const int kSeparatorInset = 3;
const int kSmoothedPixels = 10;

CRect Grown(CRect rc, const CRect& rcMargin, int nPosition, int nTimes = 1)
{
    for (int i = 0; i < nTimes; i++)
        ZpTabInflateRectForPosition(rc, rcMargin, nPosition);
    return rc;
}

// A RoundRect outline in one colour with the null brush.
void DrawRoundOutline(CDC* pDC, const CRect& rc, COLORREF clr)
{
    if (clr == ZP_COLOR_UNSET)
        return;
    CZPPenDC pen(pDC->GetSafeHdc(), clr);
    HGDIOBJ hOldBrush = pDC->SelectObject(::GetStockObject(NULL_BRUSH));
    pDC->RoundRect(rc, CPoint(kRoundCorner, kRoundCorner));
    pDC->SelectObject(hOldBrush);
}

void DrawLine(CDC* pDC, POINT ptFrom, POINT ptTo, COLORREF clr)
{
    if (clr == ZP_COLOR_UNSET)
        return;
    CZPPenDC pen(pDC->GetSafeHdc(), clr);
    pDC->MoveTo(ptFrom);
    pDC->LineTo(ptTo);
}

}  // namespace

// Flat

CZPTabPaintManager::CAppearanceSetFlat::CAppearanceSetFlat()
{
    m_rcHeaderMargin.SetRect(2, 2, 4, 0);
}

CRect CZPTabPaintManager::CAppearanceSetFlat::FillTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcControl)
{
    CColorSet* pColors = m_pPaintManager->GetColorSet();
    CRect rcHeader = GetHeaderRect(rcControl, pManager);
    CRect rcClient = GetClientRect(rcControl, pManager);
    pColors->FillHeader(pDC, rcHeader, pManager);
    int nFrame = m_pPaintManager->m_nClientFrame;
    if (nFrame == 0) {
        pColors->FillClient(pDC, rcClient, pManager);
        DrawFrame(pDC, rcClient, pColors->m_clrFrame);
    } else if (nFrame == 1) {
        pColors->FillClient(pDC, rcClient, pManager);
        DrawRun(pDC, GetHeaderSideLine(rcClient, pManager->GetPosition()), pColors->m_clrFrame);
    }
    return rcHeader;
}

void CZPTabPaintManager::CAppearanceSetFlat::DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem)
{
    CColorSet* pColors = m_pPaintManager->GetColorSet();
    int nPosition = m_pPaintManager->GetPosition();
    CRect rc = Grown(pItem->GetRect(), kAtEnd, nPosition);
    pColors->FillItem(pDC, rc, pItem);
    if (pItem->IsSelected())
        rc = Grown(rc, kTowardsClient, nPosition);
    DrawFrame(pDC, rc, pColors->m_clrFrame);
    m_pPaintManager->DrawItemContent(pDC, pItem, pItem->GetRect(), TRUE);
}

// Property page flat

CZPTabPaintManager::CAppearanceSetPropertyPageFlat::CAppearanceSetPropertyPageFlat()
    : m_bRoundedCorners(TRUE), m_bSeparatorStyle(FALSE)
{
    m_rcHeaderMargin.SetRect(2, 2, 4, 0);
}

void CZPTabPaintManager::CAppearanceSetPropertyPageFlat::DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem)
{
    CColorSet* pColors = m_pPaintManager->GetColorSet();
    int nPosition = m_pPaintManager->GetPosition();
    BOOL bHorizontal = nPosition == zpTabPositionTop || nPosition == zpTabPositionBottom;
    BOOL bSelected = pItem->IsSelected();
    COLORREF clrFrame = pColors->m_clrFrame;
    CRect rc0 = Grown(pItem->GetRect(), kAtEnd, nPosition);
    const CRect rc1 = Grown(rc0, kTowardsClient, nPosition);
    {
        // The caller's clip comes back exactly, whatever shape it had.
        CZPClipRgnSaver clip(pDC);
        ZpExcludeCorners(pDC, rc1);
        if (m_bSeparatorStyle && !bSelected) {
            CZPTabManager* pManager = pItem->GetTabManager();
            BOOL bLast = pManager == NULL || pItem->GetIndex() == pManager->GetItemCount() - 1;
            if (!bLast) {
                if (bHorizontal)
                    DrawRun(pDC, rc0.right - 1, rc0.top + kSeparatorInset, 1, rc0.Height() - 2 * kSeparatorInset,
                            clrFrame);
                else
                    DrawRun(pDC, rc0.left + kSeparatorInset, rc0.bottom - 1, rc0.Width() - 2 * kSeparatorInset, 1,
                            clrFrame);
            }
        } else if (m_bSeparatorStyle) {
            CRect rcFill(rc0);
            ZpTabDeflateRectForPosition(rcFill, kOuterSides, nPosition);
            pColors->FillItem(pDC, rcFill, pItem);
            DrawRoundOutline(pDC, Grown(rc0, kTowardsClient, nPosition, 2), clrFrame);
        } else {
            CRect rcFill(rc0);
            ZpTabDeflateRectForPosition(rcFill, kOuterSides, nPosition);
            pColors->FillItem(pDC, rcFill, pItem);
            if (m_bRoundedCorners) {
                if (bSelected)
                    rc0 = Grown(rc0, kTowardsClient, nPosition);
                DrawFrame(pDC, rc0, clrFrame);
            } else {
                if (!bSelected && m_pPaintManager->m_nClientFrame != 2) {
                    CRect rcLine = GetHeaderSideLine(rc0, (nPosition + 2) % 4);
                    DrawRun(pDC, rcLine, clrFrame);
                }
                DrawRoundOutline(pDC, Grown(rc0, kTowardsClient, nPosition, 2), clrFrame);
            }
        }
    }
    if (m_bRoundedCorners) {
        const int L = rc1.left, T = rc1.top, R = rc1.right, B = rc1.bottom;
        POINT pairs[2 * kSmoothedPixels];
        auto Set = [&](std::initializer_list<POINT> points) {
            int i = 0;
            for (const POINT& pt : points)
                pairs[i++] = pt;
        };
        switch (nPosition) {
        case zpTabPositionLeft:
            Set({ { L, T + 1 },     { 0, -1 },        { L + 1, T },     { -1, 0 },        { L, B - 2 },
                  { 0, 1 },         { L + 1, B },     { -1, 0 },        { L + 1, T + 1 }, { -1, 0 },
                  { L + 1, B - 2 }, { -1, 0 },        { L + 2, T + 1 }, { -1, 0 },        { L + 1, T + 2 },
                  { 0, -1 },        { L + 2, B - 2 }, { -1, 0 },        { L + 1, B - 3 }, { 0, 1 } });
            break;
        case zpTabPositionBottom:
            Set({ { L, B - 2 },     { 0, 1 },         { L + 1, B - 1 }, { -1, 0 },        { R - 1, B - 2 },
                  { 0, 1 },         { R - 2, B - 1 }, { 1, 0 },         { L + 1, B - 2 }, { 0, 1 },
                  { R - 2, B - 2 }, { 1, 0 },         { L + 2, B - 2 }, { -1, 0 },        { L + 1, B - 3 },
                  { 0, 1 },         { R - 3, B - 2 }, { 1, 0 },         { R - 2, B - 3 }, { 0, 1 } });
            break;
        case zpTabPositionRight:
            Set({ { R - 1, T + 1 }, { 0, -1 },        { R - 2, T },     { 1, 0 },         { R - 1, B - 2 },
                  { 0, 1 },         { R - 2, B },     { 1, 0 },         { R - 2, T + 1 }, { 1, 0 },
                  { R - 2, B - 2 }, { 1, 0 },         { R - 3, T + 1 }, { 1, 0 },         { R - 2, T + 2 },
                  { 0, -1 },        { R - 3, B - 2 }, { 1, 0 },         { R - 2, B - 3 }, { 0, 1 } });
            break;
        default:
            Set({ { L, T + 1 },     { 0, -1 },        { L + 1, T },     { -1, 0 },        { R - 2, T },
                  { 1, 0 },         { R - 1, T + 1 }, { 0, -1 },        { L + 1, T + 1 }, { -1, 0 },
                  { R - 2, T + 1 }, { 1, 0 },         { L + 2, T + 1 }, { -1, 0 },        { L + 1, T + 2 },
                  { 0, -1 },        { R - 3, T + 1 }, { 1, 0 },         { R - 2, T + 2 }, { 0, -1 } });
            break;
        }
        ZpDrawHelpersInstance().AveragePixelPairs(pDC, pairs, 2 * kSmoothedPixels);
    }
    m_pPaintManager->DrawItemContent(pDC, pItem, pItem->GetRect(), TRUE);
}

// Excel

CZPTabPaintManager::CAppearanceSetExcel::CAppearanceSetExcel()
{
    m_rcHeaderMargin.SetRect(2, 3, 2, 0);
}

CRect CZPTabPaintManager::CAppearanceSetExcel::GetHeaderMargin() const
{
    // Room for the first and last tabs' slopes.
    CRect rc(m_rcHeaderMargin);
    rc.left += m_nTextRowHeight / 2;
    rc.right += m_nTextRowHeight / 2;
    return rc;
}

void CZPTabPaintManager::CAppearanceSetExcel::DrawSingleTab(CDC* pDC, CZPTabManagerItem* pItem)
{
    CColorSet* pColors = m_pPaintManager->GetColorSet();
    const CRect rc(pItem->GetRect());
    BOOL bSelected = pItem->IsSelected();
    const CZPPaintManagerColor* pEdges = bSelected ? pColors->m_clrExcelSelectedEdge : pColors->m_clrExcelNormalEdge;
    auto E = [&](int n) { return static_cast<COLORREF>(pEdges[n]); };
    COLORREF clrFill = ZP_COLOR_UNSET;
    CRect rcRun;
    auto Draw = [&](std::initializer_list<POINT> trapezoid,
                    std::initializer_list<std::tuple<int, POINT, POINT>> lines) {
        clrFill = FillPolygon(pDC, trapezoid.begin(), static_cast<int>(trapezoid.size()), pItem);
        for (const auto& line : lines)
            DrawLine(pDC, std::get<1>(line), std::get<2>(line), E(std::get<0>(line)));
    };
    switch (m_pPaintManager->GetPosition()) {
    case zpTabPositionLeft: {
        const int L = rc.left, R1 = rc.right - 1, D = (R1 - L) / 2, T1 = rc.top - D / 2, B2 = rc.bottom - D / 2;
        Draw({ { R1, T1 }, { R1 - 2 * D, T1 + D }, { R1 - 2 * D, B2 }, { R1, B2 + D } },
             { { 3, { R1 - 1, T1 + 1 }, { L, T1 + D + 1 } },
               { 3, { L + 1, T1 + D }, { L + 1, B2 } },
               { 4, { L, B2 - 1 }, { R1, B2 + D - 1 } },
               { 0, { R1 - 1, T1 }, { L, T1 + D } },
               { 0, { L, T1 + D }, { L, B2 } },
               { 2, { L, B2 }, { R1, B2 + D } } });
        rcRun.SetRect(R1, T1, R1 + 1, B2 + D);
        break;
    }
    case zpTabPositionBottom: {
        const int T = rc.top, B1 = rc.bottom - 1, D = (B1 - T) / 2, L1 = rc.left - D / 2, R2 = rc.right - D / 2;
        Draw({ { L1, T + 1 }, { L1 + D, T + 1 + 2 * D }, { R2, T + 1 + 2 * D }, { R2 + D, T + 1 } },
             { { 3, { L1 + 1, T + 1 }, { L1 + D + 1, B1 } },
               { 5, { L1 + D, B1 - 1 }, { R2, B1 - 1 } },
               { 4, { R2 - 1, B1 }, { R2 + D - 1, T } },
               { 0, { L1, T + 1 }, { L1 + D, B1 } },
               { 1, { L1 + D, B1 }, { R2, B1 } },
               { 2, { R2, B1 }, { R2 + D, T } } });
        rcRun.SetRect(L1, T, R2 + D, T + 1);
        break;
    }
    case zpTabPositionRight: {
        const int L = rc.left, R1 = rc.right - 1, D = (R1 - L) / 2, T1 = rc.top - D / 2, B2 = rc.bottom - D / 2;
        Draw({ { L + 1, T1 }, { L + 1 + 2 * D, T1 + D }, { L + 1 + 2 * D, B2 }, { L + 1, B2 + D } },
             { { 3, { L + 1, T1 + 1 }, { R1, T1 + D + 1 } },
               { 3, { R1 - 1, T1 + D }, { R1 - 1, B2 } },
               { 4, { R1, B2 - 1 }, { L, B2 + D - 1 } },
               { 0, { L + 1, T1 }, { R1, T1 + D } },
               { 0, { R1, T1 + D }, { R1, B2 } },
               { 2, { R1, B2 }, { L, B2 + D } } });
        rcRun.SetRect(L, T1, L + 1, B2 + D);
        break;
    }
    default: {
        const int T = rc.top, B1 = rc.bottom - 1, D = (B1 - T) / 2, L1 = rc.left - D / 2, R2 = rc.right - D / 2;
        Draw({ { L1, B1 }, { L1 + D, B1 - 2 * D }, { R2, B1 - 2 * D }, { R2 + D, B1 } },
             { { 3, { L1 + 1, B1 - 1 }, { L1 + D + 1, T } },
               { 3, { L1 + D, T + 1 }, { R2, T + 1 } },
               { 4, { R2 - 1, T }, { R2 + D - 1, B1 } },
               { 0, { L1, B1 - 1 }, { L1 + D, T } },
               { 0, { L1 + D, T }, { R2, T } },
               { 2, { R2, T }, { R2 + D, B1 } } });
        rcRun.SetRect(L1, B1, R2 + D, B1 + 1);
        break;
    }
    }
    if (bSelected)
        DrawRun(pDC, rcRun, clrFill);
    m_pPaintManager->DrawItemContent(pDC, pItem, rc, TRUE);
}
