// Where a control dragged over a bar would land: the bar's visible, movable controls with their
// rectangles and rows, taken once per drag over the bar so that each drag-over finds the nearest
// control by binary search instead of walking them all.
#pragma once

#include <framework.h>
#include <vector>

class CZPCommandBar;

class CZPDropPositionIndex
{
public:
    CZPDropPositionIndex();

    // Takes the bar's candidates. Vertical: the nearest by vertical centre over all of them;
    // otherwise the nearest by horizontal centre within the row of the point (a row starts at a
    // wrapping control), the row whose span holds the point or else the nearest one.
    void Build(const CZPCommandBar* pBar, BOOL bVertical);
    void Clear();
    BOOL IsBuilt() const { return m_bBuilt; }
    BOOL IsVertical() const { return m_bVertical; }
    // Whether the bar still holds the controls taken: their number and the one found unchanged.
    BOOL StillMatches(const CZPCommandBar* pBar, int nIndex, const CRect& rc) const;

    // The index of the control nearest the point, its rectangle as taken in *prc; -1 for none.
    // Ties go to the control first in the bar.
    int FindNearest(CPoint point, CRect* prc) const;

private:
    struct CCandidate
    {
        int nIndex;
        CRect rc;
        int nCentre;  // along the search: vertical centre in a vertical bar, else horizontal
    };
    size_t FindRow(int y, size_t* pnTo) const;
    size_t NearestInRange(size_t nFrom, size_t nTo, int nValue) const;

    std::vector<CCandidate> m_candidates;
    std::vector<size_t> m_rowStart;  // with the end as the last entry; one row in a vertical bar
    std::vector<CRect> m_rowSpan;    // top and bottom of each row
    std::vector<size_t> m_runStart;  // runs of centres in order, never across a row; with the end
    BOOL m_bRowsInOrder;             // rows top to bottom without overlap: found by binary search
    BOOL m_bVertical;
    BOOL m_bBuilt;
    int m_nControls;  // the bar's number of controls when taken
};
