// Tab strip layout arithmetic.
#include "tabmanager/ZPTabLayoutMath.h"

#include <algorithm>
#include <numeric>

void ZpTabCompressLengths(std::vector<int>& lengths, int nRoom)
{
    nRoom = std::max(nRoom, 0);
    long long nTotal = std::accumulate(lengths.begin(), lengths.end(), 0LL);
    if (lengths.empty() || nTotal <= nRoom)
        return;
    if (lengths.size() == 1) {
        lengths[0] = nRoom;
        return;
    }
    std::vector<size_t> order(lengths.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return lengths[a] < lengths[b]; });

    long long nLeft = nRoom;
    size_t i = 0;
    for (; i < order.size(); i++) {
        long long nRemaining = static_cast<long long>(order.size() - i);
        if (lengths[order[i]] * nRemaining > nLeft)
            break;
        nLeft -= lengths[order[i]];
    }
    for (; i < order.size(); i++) {
        long long nShare = nLeft / static_cast<long long>(order.size() - i);
        lengths[order[i]] = static_cast<int>(nShare);
        nLeft -= nShare;
    }
}

int ZpTabSplitRowsGreedy(const std::vector<int>& lengths, int nRoom, std::vector<int>& rows)
{
    rows.assign(lengths.size(), 0);
    int nRow = 0;
    long long nWidth = 0;
    for (size_t i = 0; i < lengths.size(); i++) {
        if (nWidth > 0 && nWidth + lengths[i] > nRoom) {
            nRow++;
            nWidth = 0;
        }
        nWidth += lengths[i];
        rows[i] = nRow;
    }
    return nRow + 1;
}

namespace {

// One balanced split: a depth-first search over (row, first tab) that ends a row at the first tab
// overflowing its target and, when the later rows cannot take the rest from there, lets the row
// take that tab after all while the room allows. Whether a row can start at a tab depends only on
// the row and the tab; a later row has a target at least as high (the rest shared among fewer
// rows) and so fails wherever an earlier one failed. One number per tab (the first row known to
// fail from it) therefore remembers every failure, and an explicit stack of open rows replaces
// recursion: memory stays linear in the number of tabs, however many rows.
class CBalancedSplit
{
public:
    CBalancedSplit(const std::vector<int>& lengths, int nRows, int nRoom, bool bJustify, std::vector<int>& rows)
        : m_lengths(lengths), m_nRows(nRows), m_nRoom(nRoom), m_bJustify(bJustify), m_rows(rows),
          m_suffix(lengths.size() + 1, 0), m_failedFrom(lengths.size() + 1, nRows)
    {
        for (size_t i = lengths.size(); i-- > 0;)
            m_suffix[i] = m_suffix[i + 1] + lengths[i];
    }

    bool Split()
    {
        std::vector<CRowFrame> open;
        open.push_back(OpenRow(0, 0));
        bool bLaterRowsFailed = false;
        while (!open.empty()) {
            const int nRow = static_cast<int>(open.size()) - 1;
            CRowFrame& frame = open.back();
            bool bFailed = false;
            if (bLaterRowsFailed) {
                bLaterRowsFailed = false;
                bFailed = !TakeAfterAll(frame, nRow);
            }
            size_t nBreak = m_lengths.size();  // where the next row opens; none at the end
            while (!bFailed && frame.nNext < m_lengths.size()) {
                const int nLength = m_lengths[frame.nNext];
                if (frame.nWidth + nLength > frame.nTarget && frame.nWidth > 0 && nLength > 0) {
                    if (nRow == m_nRows - 1) {
                        bFailed = true;
                        break;
                    }
                    if (m_failedFrom[frame.nNext] > nRow + 1) {
                        nBreak = frame.nNext;
                        break;
                    }
                    bFailed = !TakeAfterAll(frame, nRow);
                    continue;
                }
                m_rows[frame.nNext] = nRow;
                frame.nWidth += nLength;
                frame.nNext++;
            }
            if (bFailed) {
                m_failedFrom[frame.nFirst] = std::min(m_failedFrom[frame.nFirst], nRow);
                open.pop_back();
                bLaterRowsFailed = true;
                continue;
            }
            if (nBreak == m_lengths.size())
                return true;  // the rest fits: every open row is done
            open.push_back(OpenRow(nRow + 1, nBreak));
        }
        return false;
    }

private:
    struct CRowFrame
    {
        size_t nFirst;
        size_t nNext;  // the tab the row looks at next
        long long nWidth;
        long long nTarget;
    };

    CRowFrame OpenRow(int nRow, size_t nFirst) const
    {
        long long nTarget = m_nRoom;
        if (m_bJustify)
            nTarget = std::min(nTarget, m_suffix[nFirst] / (m_nRows - nRow));
        return CRowFrame{ nFirst, nFirst, 0, nTarget };
    }

    // The later rows cannot start at the frame's next tab: the row takes it when the room allows.
    bool TakeAfterAll(CRowFrame& frame, int nRow)
    {
        const int nLength = m_lengths[frame.nNext];
        if (frame.nWidth + nLength > m_nRoom)
            return false;
        m_rows[frame.nNext] = nRow;
        frame.nWidth += nLength;
        frame.nNext++;
        return true;
    }

    const std::vector<int>& m_lengths;
    int m_nRows;
    long long m_nRoom;
    bool m_bJustify;
    std::vector<int>& m_rows;
    std::vector<long long> m_suffix;  // total length from each tab to the end
    std::vector<int> m_failedFrom;    // per tab: the first row known to fail when starting there
};

}  // namespace

bool ZpTabSplitRowsBalanced(const std::vector<int>& lengths, int nRows, int nRoom, bool bJustify,
                            std::vector<int>& rows)
{
    if (nRows < 1 || lengths.empty())
        return false;
    std::vector<int> candidate(lengths.size(), 0);
    CBalancedSplit split(lengths, nRows, nRoom, bJustify, candidate);
    if (!split.Split())
        return false;
    rows = candidate;
    return true;
}

void ZpTabJustifyRow(std::vector<int>& lengths, int nRoom)
{
    long long nSuffix = std::accumulate(lengths.begin(), lengths.end(), 0LL);
    long long nUsed = 0;
    for (size_t j = 0; j < lengths.size(); j++) {
        long long nFree = nRoom - nUsed;
        long long nCount = static_cast<long long>(lengths.size() - j);
        long long nOriginal = lengths[j];
        long long nNew = std::max(0LL, nOriginal + (nFree - nSuffix) / nCount);
        lengths[j] = static_cast<int>(nNew);
        nUsed += nNew;
        nSuffix -= nOriginal;
    }
}
