#include "commandbars/ZPDropPositionIndex.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPControl.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

int Centre(int a, int b)
{
    return (a + b) / 2;
}

// Distance from a value to a span [lo, hi); 0 inside.
int SpanDistance(int v, int lo, int hi)
{
    return v < lo ? lo - v : (v >= hi ? v - hi + 1 : 0);
}

}  // namespace

CZPDropPositionIndex::CZPDropPositionIndex()
    : m_bRowsInOrder(FALSE), m_bVertical(FALSE), m_bBuilt(FALSE), m_nControls(0)
{}

void CZPDropPositionIndex::Clear()
{
    m_candidates.clear();
    m_rowStart.clear();
    m_rowSpan.clear();
    m_runStart.clear();
    m_bBuilt = FALSE;
}

void CZPDropPositionIndex::Build(const CZPCommandBar* pBar, BOOL bVertical)
{
    Clear();
    m_bVertical = bVertical;
    m_nControls = pBar->CountControls();
    m_candidates.reserve(static_cast<size_t>(m_nControls));
    for (int i = 0; i < m_nControls; ++i) {
        CZPControl* pControl = pBar->ControlAt(i);
        if (pControl == NULL || !pControl->IsVisible() || !pControl->IsCustomizeMovable())
            continue;
        const CRect rc = pControl->GetRect();
        const BOOL bNewRow = m_rowStart.empty() || (!bVertical && pControl->GetWrap());
        if (bNewRow) {
            m_rowStart.push_back(m_candidates.size());
            m_rowSpan.push_back(rc);
        } else {
            m_rowSpan.back().top = std::min(m_rowSpan.back().top, rc.top);
            m_rowSpan.back().bottom = std::max(m_rowSpan.back().bottom, rc.bottom);
        }
        const int nCentre = bVertical ? Centre(rc.top, rc.bottom) : Centre(rc.left, rc.right);
        if (bNewRow || nCentre < m_candidates.back().nCentre)
            m_runStart.push_back(m_candidates.size());
        m_candidates.push_back({ i, rc, nCentre });
    }
    m_rowStart.push_back(m_candidates.size());
    m_runStart.push_back(m_candidates.size());
    m_bRowsInOrder = TRUE;
    for (size_t r = 0; r < m_rowSpan.size() && m_bRowsInOrder; ++r)
        m_bRowsInOrder =
            m_rowSpan[r].top < m_rowSpan[r].bottom && (r == 0 || m_rowSpan[r - 1].bottom <= m_rowSpan[r].top);
    m_bBuilt = TRUE;
}

BOOL CZPDropPositionIndex::StillMatches(const CZPCommandBar* pBar, int nIndex, const CRect& rc) const
{
    if (!m_bBuilt || pBar->CountControls() != m_nControls)
        return FALSE;
    if (nIndex < 0)
        return TRUE;
    CZPControl* pControl = pBar->ControlAt(nIndex);
    return pControl != NULL && pControl->GetRect() == rc && pControl->IsVisible() && pControl->IsCustomizeMovable();
}

// The row of the point (the first of the nearest); its candidates run to *pnTo.
size_t CZPDropPositionIndex::FindRow(int y, size_t* pnTo) const
{
    const size_t nRows = m_rowSpan.size();
    size_t nBest = 0;
    if (m_bRowsInOrder) {
        // Rows in order: the nearest is the first ending below the point or the one before it.
        const auto it = std::upper_bound(m_rowSpan.begin(), m_rowSpan.end(), y,
                                         [](int v, const CRect& rc) { return v < rc.bottom; });
        const size_t r = static_cast<size_t>(it - m_rowSpan.begin());
        if (r == nRows) {
            nBest = nRows - 1;
        } else if (r > 0 && SpanDistance(y, m_rowSpan[r - 1].top, m_rowSpan[r - 1].bottom) <=
                                SpanDistance(y, m_rowSpan[r].top, m_rowSpan[r].bottom)) {
            nBest = r - 1;
        } else {
            nBest = r;
        }
    } else {
        int nBestDistance = INT_MAX;
        for (size_t r = 0; r < nRows; ++r) {
            const int nDistance = SpanDistance(y, m_rowSpan[r].top, m_rowSpan[r].bottom);
            if (nDistance < nBestDistance) {
                nBestDistance = nDistance;
                nBest = r;
            }
        }
    }
    *pnTo = m_rowStart[nBest + 1];
    return m_rowStart[nBest];
}

// The first candidate of [nFrom, nTo) nearest the value by centre, searching each run in order.
size_t CZPDropPositionIndex::NearestInRange(size_t nFrom, size_t nTo, int nValue) const
{
    const auto byCentre = [](const CCandidate& c, int v) { return c.nCentre < v; };
    size_t nBest = nTo;
    int nBestDistance = INT_MAX;
    auto itRun = std::lower_bound(m_runStart.begin(), m_runStart.end(), nFrom);
    for (; itRun + 1 < m_runStart.end() && *itRun < nTo; ++itRun) {
        const auto itBegin = m_candidates.begin() + static_cast<std::ptrdiff_t>(*itRun);
        const auto itEnd = m_candidates.begin() + static_cast<std::ptrdiff_t>(*(itRun + 1));
        auto it = std::lower_bound(itBegin, itEnd, nValue, byCentre);
        // The nearest of the run is the first at or past the value, or the first of the ones before.
        if (it != itBegin && (it == itEnd || nValue - (it - 1)->nCentre <= it->nCentre - nValue))
            it = std::lower_bound(itBegin, itEnd, (it - 1)->nCentre, byCentre);
        const int nDistance = std::abs(it->nCentre - nValue);
        if (nDistance < nBestDistance) {
            nBestDistance = nDistance;
            nBest = static_cast<size_t>(it - m_candidates.begin());
        }
    }
    return nBest;
}

int CZPDropPositionIndex::FindNearest(CPoint point, CRect* prc) const
{
    if (!m_bBuilt || m_candidates.empty())
        return -1;
    size_t nTo = m_candidates.size();
    const size_t nFrom = m_bVertical ? 0 : FindRow(point.y, &nTo);
    const size_t nBest = NearestInRange(nFrom, nTo, m_bVertical ? point.y : point.x);
    if (nBest >= nTo)
        return -1;
    if (prc != NULL)
        *prc = m_candidates[nBest].rc;
    return m_candidates[nBest].nIndex;
}
