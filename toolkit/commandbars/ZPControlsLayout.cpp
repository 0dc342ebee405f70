// Layout of a controls collection: rows of a toolbar, columns of a vertical bar and menu columns
// of a popup. Each control is measured once per layout; wrapping and fitting reuse the sizes.
#include "commandbars/ZPControls.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPPaintManager.h"

#include <limits.h>
#include <vector>

namespace {

// A bar without visible controls.
const int kEmptyBarWidth = 23;
const int kEmptyBarHeight = 22;
// A popup without visible controls, and its narrowest width.
const int kEmptyPopupHeight = 22;
const int kMinPopupWidth = 24;
// Fixed popup widths outside 1..kMaxFixedPopupWidth - 1 are ignored.
const int kMaxFixedPopupWidth = 30000;
// Wrapping at this width gives one row.
const int kOneRowWidth = 0x7FFF;
// A popup control is at most this fraction of the work area wide.
const int kPopupWidthDivisor = 3;

// Sums of control sizes saturate instead of overflowing.
int SatAdd(int a, int b)
{
    long long n = static_cast<long long>(a) + b;
    return n > INT_MAX ? INT_MAX : (n < INT_MIN ? INT_MIN : static_cast<int>(n));
}

struct CLayoutItem
{
    CRect rc;
    CRect rcRow;
    CSize size;
    BOOL bVisible;
    BOOL bWrap;
    BOOL bHidden;
    BOOL bBeginGroup;
    CZPControl* pControl;  // borrowed from the collection for the call
};

// The row arithmetic of one LayoutControls call.
class CRowLayout
{
public:
    CRowLayout(std::vector<CLayoutItem>& items, CSize szSeparator, CSize szSpacing, BOOL bVertical)
        : m_items(items), m_szSeparator(szSeparator), m_szSpacing(szSpacing), m_bVertical(bVertical)
    {}

    int Along(const CLayoutItem& item) const { return m_bVertical ? item.size.cy : item.size.cx; }
    int Across(const CLayoutItem& item) const { return m_bVertical ? item.size.cx : item.size.cy; }
    int Gap(const CLayoutItem& item) const
    {
        if (m_bVertical)
            return item.bBeginGroup ? m_szSeparator.cy : m_szSpacing.cy;
        return item.bBeginGroup ? m_szSeparator.cx : m_szSpacing.cx;
    }
    int GapAcross(const CLayoutItem& item) const
    {
        if (m_bVertical)
            return item.bBeginGroup ? m_szSeparator.cx : m_szSpacing.cx;
        return item.bBeginGroup ? m_szSeparator.cy : m_szSpacing.cy;
    }

    // Marks the rows for a width; returns the number of rows. dwMode may gain ZP_LM_STRETCH.
    int Wrap(int nWidth, DWORD& dwMode)
    {
        const int nCount = static_cast<int>(m_items.size());
        for (CLayoutItem& item : m_items) {
            item.bWrap = FALSE;
            item.bHidden = FALSE;
        }
        int nRows = 1;
        int nRowStart = -1;
        int nRowLength = 0;
        for (int i = 0; i < nCount; ++i) {
            CLayoutItem& item = m_items[i];
            if (!item.bVisible)
                continue;
            if (nRowStart < 0) {
                nRowStart = i;
                nRowLength = Along(item);
                continue;
            }
            if ((item.pControl->GetFlags() & zpFlagWrapRow) != 0) {
                item.bWrap = TRUE;
                ++nRows;
                nRowStart = i;
                nRowLength = Along(item);
                continue;
            }
            int nWith = SatAdd(SatAdd(nRowLength, Gap(item)), Along(item));
            BOOL bGroupBreak = (dwMode & ZP_LM_POPUP_SHAPE) != 0 && item.bBeginGroup;
            if (nWith <= nWidth && !bGroupBreak) {
                nRowLength = nWith;
                continue;
            }
            if ((dwMode & ZP_LM_HIDEWRAP) != 0) {
                int j = i;
                for (; j < nCount && (j == i || (m_items[j].pControl->GetFlags() & zpFlagWrapRow) == 0); ++j)
                    m_items[j].bHidden = m_items[j].bVisible;
                dwMode |= ZP_LM_STRETCH;
                if (j >= nCount)
                    return nRows;
                i = j - 1;  // the wrap-row control starts the next row
                continue;
            }
            // Break at the nearest group start after the row's first control, else here: a row
            // broken at its own first control would overflow the same way again.
            int nBreak = i;
            for (int k = i; k > nRowStart; --k) {
                if (m_items[k].bVisible && m_items[k].bBeginGroup) {
                    nBreak = k;
                    break;
                }
            }
            m_items[nBreak].bWrap = TRUE;
            ++nRows;
            nRowStart = nBreak;
            nRowLength = Along(m_items[nBreak]);
            for (int k = nBreak + 1; k <= i; ++k) {
                if (m_items[k].bVisible)
                    nRowLength = SatAdd(SatAdd(nRowLength, Gap(m_items[k])), Along(m_items[k]));
            }
            dwMode |= ZP_LM_STRETCH;
        }
        return nRows;
    }

    // Places the rows (columns growing to negative x when vertical); returns the size.
    CSize Place()
    {
        int nAlong = 0;
        int nAcross = 0;
        int nRowThickness = 0;
        int nMaxAlong = 0;
        BOOL bFirst = TRUE;
        for (CLayoutItem& item : m_items) {
            if (!item.bVisible || item.bHidden)
                continue;
            if (!bFirst && item.bWrap) {
                nAcross = SatAdd(SatAdd(nAcross, nRowThickness), GapAcross(item));
                nAlong = 0;
                nRowThickness = 0;
            } else if (!bFirst && nAlong > 0) {
                nAlong = SatAdd(nAlong, Gap(item));
            }
            bFirst = FALSE;
            int nEnd = SatAdd(nAlong, Along(item));
            if (m_bVertical)
                item.rc.SetRect(-SatAdd(nAcross, Across(item)), nAlong, -nAcross, nEnd);
            else
                item.rc.SetRect(nAlong, nAcross, nEnd, SatAdd(nAcross, Across(item)));
            nAlong = nEnd;
            nMaxAlong = nMaxAlong > nEnd ? nMaxAlong : nEnd;
            nRowThickness = nRowThickness > Across(item) ? nRowThickness : Across(item);
        }
        int nTotalAcross = SatAdd(nAcross, nRowThickness);
        return m_bVertical ? CSize(nTotalAcross, nMaxAlong) : CSize(nMaxAlong, nTotalAcross);
    }

    // Bisects for the narrowest width whose layout is no taller than nHeight.
    void FitToHeight(int nHeight, DWORD& dwMode)
    {
        // Probes may wrap and ask for stretching: only the chosen width decides that.
        DWORD dwProbe = dwMode;
        int nLow = 0;
        Wrap(kOneRowWidth, dwProbe);
        int nHigh = Place().cx;
        while (nHigh - nLow > 1) {
            int nMid = nLow + (nHigh - nLow) / 2;
            Wrap(nMid, dwProbe);
            if (Place().cy <= nHeight)
                nHigh = nMid;
            else
                nLow = nMid;
        }
        Wrap(nHigh, dwMode);
    }

    // Bisects for the smallest width that keeps the row count of nWidth.
    void FitToWidth(int nWidth, DWORD& dwMode)
    {
        // Probes may wrap and ask for stretching: only the chosen width decides that.
        DWORD dwProbe = dwMode;
        int nRows = Wrap(nWidth, dwProbe);
        int nNarrowRows = Wrap(0, dwProbe);
        int nFound = nWidth;
        if (nRows != nNarrowRows && nWidth > 0) {
            int nLow = 0;
            int nHigh = nWidth;
            while (nHigh - nLow > 1) {
                int nMid = nLow + (nHigh - nLow) / 2;
                if (Wrap(nMid, dwProbe) == nRows)
                    nHigh = nMid;
                else
                    nLow = nMid;
            }
            nFound = nHigh;
        }
        Wrap(nFound, dwMode);
    }

    // Balances a floating shape between the narrowest and the one-row layout.
    void Balance(DWORD& dwMode)
    {
        Wrap(0, dwMode);
        int nLow = Place().cx;
        Wrap(kOneRowWidth, dwMode);
        int nHigh = Place().cx;
        while (nHigh - nLow > 1) {
            int nMid = nLow + (nHigh - nLow) / 2;
            Wrap(nMid, dwMode);
            CSize size = Place();
            if (size.cy > size.cx)
                nLow = nMid;
            else if (size.cx > size.cy)
                nHigh = nMid;
            else
                break;
        }
    }

private:
    std::vector<CLayoutItem>& m_items;
    CSize m_szSeparator;
    CSize m_szSpacing;
    BOOL m_bVertical;
};

}  // namespace

CSize CZPControls::LayoutControls(CDC* pDC, int nLength, DWORD dwMode, CRect rcBorder, int nMinLength)
{
    CZPPaintManager* pPaintManager = m_pParent != NULL ? m_pParent->ResolvePaintManager() : NULL;
    CSize szSeparator =
        pPaintManager != NULL ? pPaintManager->DrawBarSeparator(pDC, m_pParent, NULL, FALSE) : CSize(0, 0);
    CSize szSpacing = m_pParent != NULL ? m_pParent->GetControlsSpacing() : CSize(0, 0);
    for (int i = GetCount() - 1; i >= 0; --i) {
        if (i < GetCount())
            GetAt(i)->OnBeforeLayout(dwMode);
    }
    const BOOL bVertical = (dwMode & ZP_LM_VERTDOCK) != 0;

    if (GetVisibleCount(FALSE) == 0) {
        CSize size(SatAdd(SatAdd(rcBorder.left, rcBorder.right), kEmptyBarWidth),
                   SatAdd(SatAdd(rcBorder.top, rcBorder.bottom), kEmptyBarHeight));
        if ((dwMode & ZP_LM_HORZDOCK) != 0)
            size.cy = size.cy > nMinLength ? size.cy : nMinLength;
        else
            size.cx = size.cx > nMinLength ? size.cx : nMinLength;
        return size;
    }

    // One allocation for the whole call; every control measured once.
    std::vector<CLayoutItem> items(static_cast<size_t>(GetCount()));
    for (int i = 0; i < GetCount(); ++i) {
        CLayoutItem& item = items[static_cast<size_t>(i)];
        item.pControl = GetAt(i);
        item.rc = item.pControl->GetRect();
        item.bVisible = item.pControl->IsVisible(zpHideWrap);
        item.bBeginGroup = item.pControl->GetBeginGroup();
        item.bWrap = item.bHidden = FALSE;
        item.size = item.bVisible ? item.pControl->GetSize(pDC) : CSize(0, 0);
    }
    if ((dwMode & ZP_LM_MRUWIDTH) != 0 && m_pParent != NULL)
        nLength = m_pParent->GetMRUWidth();

    // The grouped layout of ribbon group popups is not built: such bars lay out in plain rows.
    CRowLayout layout(items, szSeparator, szSpacing, bVertical);
    const int nMRUWidth = m_pParent != NULL ? m_pParent->GetMRUWidth() : ZP_BAR_MRU_WIDTH_NONE;
    if ((dwMode & ZP_LM_POPUP_SHAPE) != 0) {
        layout.Wrap(nMRUWidth, dwMode);
        CSize size = layout.Place();
        if (size.cy > 3 * static_cast<long long>(size.cx) && nMRUWidth <= 0)
            layout.Balance(dwMode);
        else
            layout.Wrap(size.cx, dwMode);
    } else if ((dwMode & ZP_LM_HORZDOCK) != 0) {
        layout.Wrap(SatAdd(nLength, -SatAdd(rcBorder.left, rcBorder.right)), dwMode);
    } else if (bVertical) {
        layout.Wrap(SatAdd(nLength, -SatAdd(rcBorder.top, rcBorder.bottom)), dwMode);
    } else if ((dwMode & ZP_LM_LENGTHY) != 0) {
        layout.FitToHeight(SatAdd(nLength, -SatAdd(rcBorder.top, rcBorder.bottom)), dwMode);
    } else {
        layout.FitToWidth(SatAdd(nLength, -SatAdd(rcBorder.left, rcBorder.right)), dwMode);
    }
    CSize size = layout.Place();

    if (nMinLength > 0) {
        if ((dwMode & ZP_LM_HORZDOCK) != 0) {
            int nMin = nMinLength - rcBorder.top - rcBorder.bottom;
            size.cy = size.cy > nMin ? size.cy : nMin;
        } else {
            int nMin = nMinLength - rcBorder.left - rcBorder.right;
            size.cx = size.cx > nMin ? size.cx : nMin;
        }
    }
    if ((dwMode & ZP_LM_STRETCH) != 0) {
        if (bVertical) {
            int nFull = SatAdd(nLength, -SatAdd(rcBorder.top, rcBorder.bottom));
            size.cy = size.cy > nFull ? size.cy : nFull;
        } else {
            int nFull = SatAdd(nLength, -SatAdd(rcBorder.left, rcBorder.right));
            size.cx = size.cx > nFull ? size.cx : nFull;
        }
    }

    // Commit the rows: borders, row bands and centring across each row.
    const BOOL bCommit = (dwMode & ZP_LM_COMMIT) != 0;
    if (bCommit) {
        const int nOffsetX = rcBorder.left + (bVertical ? size.cx : 0);
        std::vector<size_t> rowStarts;
        for (size_t i = 0; i < items.size(); ++i) {
            CLayoutItem& item = items[i];
            if (!item.bVisible || item.bHidden)
                continue;
            item.rc.OffsetRect(nOffsetX, rcBorder.top);
            if (rowStarts.empty() || item.bWrap)
                rowStarts.push_back(i);
        }
        const BOOL bSingleRow = rowStarts.size() == 1;
        for (size_t r = 0; r < rowStarts.size(); ++r) {
            size_t nEnd = r + 1 < rowStarts.size() ? rowStarts[r + 1] : items.size();
            int nThickness = 0;
            int nRowStart = INT_MAX;
            for (size_t i = rowStarts[r]; i < nEnd; ++i) {
                const CLayoutItem& item = items[i];
                if (!item.bVisible || item.bHidden)
                    continue;
                int nAcross = bVertical ? item.rc.Width() : item.rc.Height();
                nThickness = nThickness > nAcross ? nThickness : nAcross;
                int nStart = bVertical ? item.rc.left : item.rc.top;
                nRowStart = nRowStart < nStart ? nRowStart : nStart;
            }
            if (bSingleRow) {
                nThickness = bVertical ? size.cx : size.cy;
                nRowStart = bVertical ? rcBorder.left : rcBorder.top;
            }
            for (size_t i = rowStarts[r]; i < nEnd; ++i) {
                CLayoutItem& item = items[i];
                if (!item.bVisible || item.bHidden)
                    continue;
                if (bVertical) {
                    item.rcRow.SetRect(nRowStart, rcBorder.top, nRowStart + nThickness, rcBorder.top + size.cy);
                    item.rc.OffsetRect((nThickness - item.rc.Width()) / 2 - (item.rc.left - nRowStart), 0);
                } else {
                    item.rcRow.SetRect(rcBorder.left, nRowStart, rcBorder.left + size.cx, nRowStart + nThickness);
                    item.rc.OffsetRect(0, (nThickness - item.rc.Height()) / 2 - (item.rc.top - nRowStart));
                }
            }
        }
    }
    size.cx = SatAdd(size.cx, SatAdd(rcBorder.left, rcBorder.right));
    size.cy = SatAdd(size.cy, SatAdd(rcBorder.top, rcBorder.bottom));
    if (!bCommit)
        return size;

    // Far-end controls of the last row, then stretched controls of every row.
    const int nFarEdge = bVertical ? size.cy - rcBorder.bottom : size.cx - rcBorder.right;
    const int nNearEdge = bVertical ? rcBorder.top : rcBorder.left;
    std::vector<size_t> visible;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].bVisible && !items[i].bHidden)
            visible.push_back(i);
    }
    size_t nLastRowFirst = 0;
    for (size_t v = 0; v < visible.size(); ++v) {
        if (items[visible[v]].bWrap)
            nLastRowFirst = v;
    }
    size_t nFarRun = visible.size();
    int nEdge = nFarEdge;
    for (size_t v = visible.size(); v-- > nLastRowFirst;) {
        CLayoutItem& item = items[visible[v]];
        if ((item.pControl->GetFlags() & zpFlagRightAlign) == 0)
            break;
        int nAlong = bVertical ? item.rc.Height() : item.rc.Width();
        if (nEdge - nAlong < nNearEdge)
            break;
        if (bVertical)
            item.rc.OffsetRect(0, nEdge - item.rc.bottom);
        else
            item.rc.OffsetRect(nEdge - item.rc.right, 0);
        nEdge -= nAlong;
        nFarRun = v;
        if (v == nLastRowFirst)
            break;
    }
    size_t nRowEndV = visible.size();
    for (size_t v = visible.size(); v-- > 0;) {
        if (v != 0 && !items[visible[v]].bWrap)
            continue;
        // Row of visible items [v, nRowEndV).
        size_t nOrdinaryEnd = nRowEndV == visible.size() ? (nFarRun > v ? nFarRun : v) : nRowEndV;
        int nRowEnd = nRowEndV == visible.size() && nFarRun < visible.size()
                          ? (bVertical ? items[visible[nFarRun]].rc.top : items[visible[nFarRun]].rc.left)
                          : nFarEdge;
        int nStretched = 0;
        for (size_t k = v; k < nOrdinaryEnd; ++k) {
            if ((items[visible[k]].pControl->GetFlags() & zpFlagControlStretched) != 0)
                ++nStretched;
        }
        if (nStretched > 0 && nOrdinaryEnd > v) {
            const CRect& rcLast = items[visible[nOrdinaryEnd - 1]].rc;
            int nFree = nRowEnd - (bVertical ? rcLast.bottom : rcLast.right);
            int nHanded = 0;
            for (size_t k = v; k < nOrdinaryEnd && nFree > 0; ++k) {
                CLayoutItem& item = items[visible[k]];
                if (bVertical)
                    item.rc.OffsetRect(0, nHanded);
                else
                    item.rc.OffsetRect(nHanded, 0);
                if ((item.pControl->GetFlags() & zpFlagControlStretched) != 0) {
                    int nShare = (nFree - nHanded) / nStretched--;
                    if (bVertical)
                        item.rc.bottom += nShare;
                    else
                        item.rc.right += nShare;
                    nHanded += nShare;
                }
            }
        }
        nRowEndV = v;
    }

    for (CLayoutItem& item : items) {
        CZPControl* pControl = item.pControl;
        DWORD dwHide =
            item.bHidden ? (pControl->GetHideFlags() | zpHideWrap) : (pControl->GetHideFlags() & ~zpHideWrap);
        if (dwHide != pControl->GetHideFlags())
            pControl->SetHideFlags(dwHide);
        pControl->SetRowRect(item.rcRow);
        if (!item.bHidden && item.bVisible)
            pControl->SetRect(item.rc);
        pControl->SetWrap(item.bWrap);
    }
    return size;
}

CSize CZPControls::LayoutPopup(CDC* pDC, int nMaxHeight, int nFixedWidth, CRect rcBorder)
{
    CZPPaintManager* pPaintManager = m_pParent != NULL ? m_pParent->ResolvePaintManager() : NULL;
    CFont* pOldFont = NULL;
    CSize szSeparator(0, 0);
    if (pPaintManager != NULL) {
        CFont* pFont = pPaintManager->GetBarFont(m_pParent);
        if (pFont != NULL && pDC != NULL)
            pOldFont = pDC->SelectObject(pFont);
        szSeparator = pPaintManager->DrawBarSeparator(pDC, m_pParent, NULL, FALSE);
    }
    // The several-columns flag of popup bars comes with the popup bar itself.
    RECT rcWork = {};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    const int nMaxItemWidth = rcWork.right / kPopupWidthDivisor;

    int x = rcBorder.left;
    int y = rcBorder.top;
    int nColumnWidth = 0;
    int nTallest = 0;
    int nColumnFirst = -1;
    BOOL bFirst = TRUE;
    std::vector<CZPControl*> column;
    auto closeColumn = [&]() {
        for (CZPControl* pControl : column) {
            CRect rc = pControl->GetRect();
            rc.right = SatAdd(rc.left, nColumnWidth);
            pControl->SetRect(rc);
        }
        column.clear();
        int nHeight = y - rcBorder.top;
        nTallest = nTallest > nHeight ? nTallest : nHeight;
    };
    for (int i = 0; i < GetCount(); ++i) {
        CZPControl* pControl = GetAt(i);
        if (pControl->GetParent() != m_pParent)
            continue;
        if ((pControl->GetHideFlags() & zpHideScroll) != 0)
            pControl->SetHideFlags(pControl->GetHideFlags() & ~zpHideScroll);
        if (!pControl->IsVisible(0))
            continue;
        CSize size = pControl->GetSize(pDC);
        pControl->SetWrap(FALSE);
        BOOL bNewColumn =
            (!bFirst && (pControl->GetFlags() & zpFlagWrapRow) != 0) ||
            (!bFirst && nMaxHeight > 0 && SatAdd(y, size.cy) > nMaxHeight - rcBorder.bottom && !column.empty());
        if (bNewColumn) {
            closeColumn();
            x = SatAdd(x, nColumnWidth);
            if (pControl->GetBeginGroup())
                x = SatAdd(x, szSeparator.cx);
            y = rcBorder.top;
            nColumnWidth = 0;
            pControl->SetWrap(TRUE);
        } else if (pControl->GetBeginGroup() && !bFirst) {
            y = SatAdd(y, szSeparator.cy);
        }
        if (size.cx > nMaxItemWidth && nMaxItemWidth > 0)
            size.cx = nMaxItemWidth;
        pControl->SetRect(CRect(x, y, SatAdd(x, size.cx), SatAdd(y, size.cy)));
        y = SatAdd(y, size.cy);
        nColumnWidth = nColumnWidth > size.cx ? nColumnWidth : size.cx;
        column.push_back(pControl);
        nColumnFirst = nColumnFirst < 0 ? i : nColumnFirst;
        bFirst = FALSE;
    }
    if (nFixedWidth > 0 && nFixedWidth < kMaxFixedPopupWidth) {
        int nFixed = nFixedWidth - rcBorder.left - rcBorder.right;
        nColumnWidth = nFixed > 0 ? nFixed : 0;
    }
    closeColumn();
    for (int i = 0; i < GetCount(); ++i) {
        CZPControl* pControl = GetAt(i);
        if (pControl->GetParent() != m_pParent || !pControl->IsVisible(0))
            continue;
        CRect rc = pControl->GetRect();
        pControl->SetRowRect(CRect(rc.left, rcBorder.top, rc.right, SatAdd(rcBorder.top, nTallest)));
    }
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);
    if (nTallest == 0)
        nTallest = kEmptyPopupHeight;
    int nContent = SatAdd(x, nColumnWidth) - rcBorder.left;
    return CSize(SatAdd(SatAdd(rcBorder.left, rcBorder.right), nContent > kMinPopupWidth ? nContent : kMinPopupWidth),
                 SatAdd(SatAdd(rcBorder.top, rcBorder.bottom), nTallest));
}
