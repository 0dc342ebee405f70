// Placing a strip's tabs: header, rows, tab rectangles, strip buttons and scrolling into view.
// Told for horizontal strips; vertical ones exchange the axes.
#include "tabmanager/ZPTabAppearanceSet.h"

#include <algorithm>
#include <vector>

#include "tabmanager/ZPTabLayoutMath.h"
#include "tabmanager/ZPTabManagerItem.h"
#include "tabmanager/ZPTabManagerNavigateButton.h"

namespace
{

// Space kept between a tab scrolled into view and the header's end.
const int kEnsureVisibleGap = 2;

LONG& StartOf(CRect& rc, BOOL bHorizontal)
{
    return bHorizontal ? rc.left : rc.top;
}

LONG& EndOf(CRect& rc, BOOL bHorizontal)
{
    return bHorizontal ? rc.right : rc.bottom;
}

// A rectangle from positions along and across the strip.
CRect MakeRect(BOOL bHorizontal, int nAlongStart, int nAlongEnd, int nAcrossStart, int nAcrossEnd)
{
    return bHorizontal ? CRect(nAlongStart, nAcrossStart, nAlongEnd, nAcrossEnd)
                       : CRect(nAcrossStart, nAlongStart, nAcrossEnd, nAlongEnd);
}

}  // namespace

CRect CZPTabPaintManager::CAppearanceSet::FinishHeaderRect(CZPTabManager* pManager, const CRect& rcControl)
{
    CRect rcHeader = GetHeaderRect(rcControl, pManager);
    EndOf(rcHeader, pManager->IsHorizontal()) -= 1;
    ZpTabNormalizeRect(rcHeader);
    for (int i = pManager->GetNavigateButtonCount() - 1; i >= 0; i--)
        pManager->GetNavigateButton(i)->Reposition(rcHeader);
    ZpTabNormalizeRect(rcHeader);
    return rcHeader;
}

void CZPTabPaintManager::CAppearanceSet::PlaceRow(CZPTabManager* pManager, const CRect& rcControl, int nFirst,
                                                  int nLast, int nRowOffset, int nStart)
{
    BOOL bHorizontal = pManager->IsHorizontal();
    int nPosition = pManager->GetPosition();
    int nRowHeight = GetRowHeight(pManager);
    int nAcrossStart, nAcrossEnd;
    switch (nPosition)
    {
    case zpTabPositionLeft:
        nAcrossStart = rcControl.left + nRowOffset;
        nAcrossEnd = nAcrossStart + nRowHeight;
        break;
    case zpTabPositionBottom:
        nAcrossEnd = rcControl.bottom - nRowOffset;
        nAcrossStart = nAcrossEnd - nRowHeight;
        break;
    case zpTabPositionRight:
        nAcrossEnd = rcControl.right - nRowOffset;
        nAcrossStart = nAcrossEnd - nRowHeight;
        break;
    default:
        nAcrossStart = rcControl.top + nRowOffset;
        nAcrossEnd = nAcrossStart + nRowHeight;
        break;
    }
    int x = nStart;
    for (int i = nFirst; i <= nLast; i++)
    {
        CZPTabManagerItem* pItem = pManager->GetItem(i);
        int nLength = pItem->GetLength();
        pItem->SetRect(MakeRect(bHorizontal, x, x + nLength, nAcrossStart, nAcrossEnd));
        x += nLength;
    }
}

void CZPTabPaintManager::CAppearanceSet::RepositionTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcClient)
{
    RepositionSingleRow(pManager, pDC, rcClient);
}

void CZPTabPaintManager::CAppearanceSet::RepositionSingleRow(CZPTabManager* pManager, CDC* pDC, CRect rcControl)
{
    CZPTabPaintManager* pPaintManager = m_pPaintManager;
    BOOL bHorizontal = pManager->IsHorizontal();
    int nPosition = pManager->GetPosition();
    int nLayout = pPaintManager->GetLayout();
    int nCount = pManager->GetItemCount();

    if (pManager->HasStaticFrame())
        ZpTabDeflateRectForPosition(rcControl, ZpTabStaticFrameMargin(), nPosition);
    ZpTabDeflateRectForPosition(rcControl, pPaintManager->m_rcControlMargin, nPosition);

    if (!pPaintManager->m_bShowTabs)
    {
        pManager->HeaderRect().SetRectEmpty();
        for (int i = 0; i < nCount; i++)
            pManager->GetItem(i)->SetRect(CRect(0, 0, 0, 0));
        for (int i = 0; i < pManager->GetNavigateButtonCount(); i++)
            pManager->GetNavigateButton(i)->SetRect(CRect(0, 0, 0, 0));
        return;
    }
    if (nLayout == zpTabLayoutMultiRow)
    {
        RepositionMultiRow(pManager, pDC, rcControl);
        return;
    }

    for (int i = 0; i < nCount; i++)
    {
        CZPTabManagerItem* pItem = pManager->GetItem(i);
        int nLength = pItem->IsVisible() ? GetItemLength(pDC, pItem) : 0;
        pItem->SetNaturalLength(nLength);
        pItem->SetLength(pItem->IsVisible() ? nLength + pPaintManager->m_nExtraItemLength : 0);
    }
    if (nCount == 0)
    {
        pManager->HeaderRect() = FinishHeaderRect(pManager, rcControl);
        return;
    }

    CRect rcMargin = GetHeaderMargin();
    if (nLayout == zpTabLayoutCompressed)
    {
        int nRoom = pManager->GetStripLength(rcControl) - rcMargin.left - rcMargin.right;
        for (int i = 0; i < pManager->GetNavigateButtonCount(); i++)
            pManager->GetNavigateButton(i)->AdjustLength(nRoom);
        std::vector<int> lengths(nCount);
        for (int i = 0; i < nCount; i++)
            lengths[i] = pManager->GetItem(i)->GetLength();
        ZpTabCompressLengths(lengths, nRoom);
        for (int i = 0; i < nCount; i++)
            pManager->GetItem(i)->SetLength(lengths[i]);
    }

    CRect rcHeader = FinishHeaderRect(pManager, rcControl);
    int nOffset = pManager->GetScrollOffset();
    if (nOffset < 0)
    {
        // A strip that fits again returns to 0; one that does not ends at the header's end.
        int nRoom = pManager->GetStripLength(rcHeader) - rcMargin.left - rcMargin.right;
        int nTotal = pManager->GetItemsLength();
        if (nTotal + nOffset < nRoom)
        {
            pManager->SetScrollOffsetDirect(nRoom - nTotal < 1 ? nRoom - nTotal : 0);
            rcHeader = FinishHeaderRect(pManager, rcControl);
        }
    }
    pManager->HeaderRect() = rcHeader;

    int nStart = StartOf(rcHeader, bHorizontal) + pManager->GetScrollOffset() + rcMargin.left;
    if (nLayout != zpTabLayoutRotated)
    {
        PlaceRow(pManager, rcControl, 0, nCount - 1, rcMargin.top, nStart);
        return;
    }

    // Rotated tabs: a row height along the strip, their length across it from the client side.
    int nRowHeight = GetRowHeight(pManager);
    int x = nStart;
    for (int i = 0; i < nCount; i++)
    {
        CZPTabManagerItem* pItem = pManager->GetItem(i);
        if (!pItem->IsVisible())
        {
            pItem->SetRect(CRect(0, 0, 0, 0));
            continue;
        }
        int nLength = pItem->GetLength();
        int nAcrossStart, nAcrossEnd;
        switch (nPosition)
        {
        case zpTabPositionLeft:
            nAcrossEnd = rcHeader.right - rcMargin.bottom;
            nAcrossStart = nAcrossEnd - nLength;
            break;
        case zpTabPositionBottom:
            nAcrossStart = rcHeader.top + rcMargin.bottom;
            nAcrossEnd = nAcrossStart + nLength;
            break;
        case zpTabPositionRight:
            nAcrossStart = rcHeader.left + rcMargin.bottom;
            nAcrossEnd = nAcrossStart + nLength;
            break;
        default:
            nAcrossEnd = rcHeader.bottom - rcMargin.bottom;
            nAcrossStart = nAcrossEnd - nLength;
            break;
        }
        pItem->SetRect(MakeRect(bHorizontal, x, x + nRowHeight, nAcrossStart, nAcrossEnd));
        x += nRowHeight;
    }
}

void CZPTabPaintManager::CAppearanceSet::RepositionMultiRow(CZPTabManager* pManager, CDC* pDC, CRect rcControl)
{
    CZPTabPaintManager* pPaintManager = m_pPaintManager;
    BOOL bHorizontal = pManager->IsHorizontal();
    int nCount = pManager->GetItemCount();
    CRect rcMargin = GetHeaderMargin();

    CRect rcHeader = FinishHeaderRect(pManager, rcControl);
    pManager->HeaderRect() = rcHeader;
    if (nCount == 0)
        return;
    int nRoom = std::max(0, static_cast<int>(pManager->GetStripLength(rcHeader) - rcMargin.left - rcMargin.right));

    std::vector<int> lengths(nCount), rows;
    for (int i = 0; i < nCount; i++)
    {
        CZPTabManagerItem* pItem = pManager->GetItem(i);
        lengths[i] = pItem->IsVisible() ? GetItemLength(pDC, pItem) : 0;
        pItem->SetNaturalLength(lengths[i]);
    }
    int nRows = ZpTabSplitRowsGreedy(lengths, nRoom, rows);
    BOOL bJustify = pPaintManager->m_bMultiRowJustified;
    if (nRows > 1)
        ZpTabSplitRowsBalanced(lengths, nRows, nRoom, bJustify != FALSE, rows);

    CZPTabManagerItem* pSelected = pManager->GetSelectedItem();
    if (!pPaintManager->m_bMultiRowFixedSelection && pSelected != NULL && pSelected->GetIndex() >= 0)
    {
        // The selected tab's row moves next to the client area.
        int nSelectedRow = rows[pSelected->GetIndex()];
        for (int& nRow : rows)
            nRow = nRow == nSelectedRow ? 0 : nRow == 0 ? nSelectedRow : nRow;
    }
    pManager->SetScrollOffsetDirect(0);

    pManager->SetRowCount(nRows);
    for (int r = 0; r < nRows; r++)
    {
        pManager->GetRow(r).nFirstItem = nCount;
        pManager->GetRow(r).nLastItem = -1;
    }
    for (int i = 0; i < nCount; i++)
    {
        ZP_TAB_ROW& row = pManager->GetRow(rows[i]);
        row.nFirstItem = std::min(row.nFirstItem, i);
        row.nLastItem = std::max(row.nLastItem, i);
        pManager->GetItem(i)->SetRow(rows[i]);
    }

    int nRowHeight = GetRowHeight(pManager);
    int nStart = StartOf(rcHeader, bHorizontal) + rcMargin.left;
    for (int r = 0; r < nRows; r++)
    {
        const ZP_TAB_ROW& row = pManager->GetRow(r);
        if (row.nFirstItem > row.nLastItem)
            continue;
        // Hidden tabs take no room and get no stretch.
        std::vector<int> visible;
        std::vector<int> rowLengths;
        for (int i = row.nFirstItem; i <= row.nLastItem; i++)
        {
            CZPTabManagerItem* pItem = pManager->GetItem(i);
            pItem->SetLength(lengths[i]);
            if (pItem->IsVisible())
            {
                visible.push_back(i);
                rowLengths.push_back(lengths[i]);
            }
        }
        if (bJustify && nRows > 1)
        {
            ZpTabJustifyRow(rowLengths, nRoom);
            for (size_t k = 0; k < visible.size(); k++)
                pManager->GetItem(visible[k])->SetLength(rowLengths[k]);
        }
        int nRowOffset = rcMargin.top + (nRows - 1 - r) * (nRowHeight + m_nRowSpacing);
        PlaceRow(pManager, rcControl, row.nFirstItem, row.nLastItem, nRowOffset, nStart);
    }

    pManager->HeaderRect() = FinishHeaderRect(pManager, rcControl);
}

void CZPTabPaintManager::EnsureVisible(CZPTabManager* pManager, CZPTabManagerItem* pItem)
{
    if (m_nLayout == zpTabLayoutCompressed || pItem == NULL)
        return;
    CRect rcHeader = pManager->GetHeaderRect();
    CRect rcItem = pItem->GetRect();
    if (rcHeader.IsRectEmpty() || rcItem.IsRectEmpty())
        return;
    BOOL bHorizontal = pManager->IsHorizontal();
    int nOffset = pManager->GetScrollOffset();
    if (StartOf(rcItem, bHorizontal) < StartOf(rcHeader, bHorizontal))
        nOffset += StartOf(rcHeader, bHorizontal) - StartOf(rcItem, bHorizontal)
                   + m_pAppearanceSet->GetHeaderMargin().left;
    else if (EndOf(rcItem, bHorizontal) > EndOf(rcHeader, bHorizontal))
        nOffset -= EndOf(rcItem, bHorizontal) - EndOf(rcHeader, bHorizontal) + kEnsureVisibleGap;
    else
        return;
    pManager->SetScrollOffset(nOffset);
}
