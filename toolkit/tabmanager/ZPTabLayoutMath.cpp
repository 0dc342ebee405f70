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
    if (lengths.size() == 1)
    {
        lengths[0] = nRoom;
        return;
    }
    std::vector<size_t> order(lengths.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return lengths[a] < lengths[b]; });

    long long nLeft = nRoom;
    size_t i = 0;
    for (; i < order.size(); i++)
    {
        long long nRemaining = static_cast<long long>(order.size() - i);
        if (lengths[order[i]] * nRemaining > nLeft)
            break;
        nLeft -= lengths[order[i]];
    }
    for (; i < order.size(); i++)
    {
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
    for (size_t i = 0; i < lengths.size(); i++)
    {
        if (nWidth > 0 && nWidth + lengths[i] > nRoom)
        {
            nRow++;
            nWidth = 0;
        }
        nWidth += lengths[i];
        rows[i] = nRow;
    }
    return nRow + 1;
}

namespace
{

// One balanced split. Whether a row can start at a tab depends only on (row, first tab), since
// the length left for the later rows is the sum of the tabs from there: failures are remembered,
// which keeps the retries polynomial.
class CBalancedSplit
{
public:
    CBalancedSplit(const std::vector<int>& lengths, int nRows, int nRoom, bool bJustify, std::vector<int>& rows)
        : m_lengths(lengths), m_nRows(nRows), m_nRoom(nRoom), m_bJustify(bJustify), m_rows(rows),
          m_suffix(lengths.size() + 1, 0), m_failed(static_cast<size_t>(nRows) * (lengths.size() + 1), 0)
    {
        for (size_t i = lengths.size(); i-- > 0;)
            m_suffix[i] = m_suffix[i + 1] + lengths[i];
    }

    bool Split(int nRow, size_t nFirst)
    {
        char& bFailed = m_failed[static_cast<size_t>(nRow) * (m_lengths.size() + 1) + nFirst];
        if (bFailed)
            return false;
        long long nTarget = m_nRoom;
        if (m_bJustify)
            nTarget = std::min(nTarget, m_suffix[nFirst] / (m_nRows - nRow));
        long long nWidth = 0;
        for (size_t t = nFirst; t < m_lengths.size(); t++)
        {
            int nLength = m_lengths[t];
            if (nWidth + nLength > nTarget && nWidth > 0 && nLength > 0)
            {
                if (nRow == m_nRows - 1 || !Split(nRow + 1, t))
                {
                    // The row takes the tab after all when the room allows it.
                    if (nRow == m_nRows - 1 || nWidth + nLength > m_nRoom)
                    {
                        bFailed = 1;
                        return false;
                    }
                }
                else
                {
                    return true;
                }
            }
            nWidth += nLength;
            m_rows[t] = nRow;
        }
        return true;
    }

private:
    const std::vector<int>& m_lengths;
    int m_nRows;
    long long m_nRoom;
    bool m_bJustify;
    std::vector<int>& m_rows;
    std::vector<long long> m_suffix;   // total length from each tab to the end
    std::vector<char> m_failed;        // per (row, first tab)
};

}  // namespace

bool ZpTabSplitRowsBalanced(const std::vector<int>& lengths, int nRows, int nRoom, bool bJustify,
                            std::vector<int>& rows)
{
    if (nRows < 1 || lengths.empty())
        return false;
    std::vector<int> candidate(lengths.size(), 0);
    CBalancedSplit split(lengths, nRows, nRoom, bJustify, candidate);
    if (!split.Split(0, 0))
        return false;
    rows = candidate;
    return true;
}

void ZpTabJustifyRow(std::vector<int>& lengths, int nRoom)
{
    long long nSuffix = std::accumulate(lengths.begin(), lengths.end(), 0LL);
    long long nUsed = 0;
    for (size_t j = 0; j < lengths.size(); j++)
    {
        long long nFree = nRoom - nUsed;
        long long nCount = static_cast<long long>(lengths.size() - j);
        long long nOriginal = lengths[j];
        long long nNew = std::max(0LL, nOriginal + (nFree - nSuffix) / nCount);
        lengths[j] = static_cast<int>(nNew);
        nUsed += nNew;
        nSuffix -= nOriginal;
    }
}
