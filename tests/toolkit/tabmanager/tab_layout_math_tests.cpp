// Tab strip layout arithmetic, window-free: worked cases, extremes of int, and the invariants the
// strip layout relies on over many generated strips.
#include "tabmanager/ZPTabLayoutMath.h"

#include <gtest/gtest.h>

#include <climits>
#include <numeric>
#include <vector>

namespace {
typedef std::vector<int> V;

long long Sum(const V& v)
{
    return std::accumulate(v.begin(), v.end(), 0LL);
}

// A small deterministic generator: the same strips on every machine and in both builds.
class CStrips
{
public:
    int Next(int nLimit)
    {
        m_nState = m_nState * 1103515245u + 12345u;
        return static_cast<int>((m_nState >> 8) % static_cast<unsigned>(nLimit));
    }
    V Lengths()
    {
        V lengths(static_cast<size_t>(1 + Next(12)));
        for (int& n : lengths)
            n = Next(4) == 0 ? Next(5) : 10 + Next(120);
        return lengths;
    }

private:
    unsigned m_nState = 1;
};

TEST(TabLayoutMath, CompressionAtTheExtremesOfInt)
{
    struct
    {
        V lengths;
        int nRoom;
        V expected;
    } cases[] = {
        { { INT_MAX, INT_MAX }, INT_MAX, { INT_MAX / 2, INT_MAX - INT_MAX / 2 } },
        { { INT_MAX, 1 }, 10, { 9, 1 } },
        { { 5, 5 }, INT_MIN, { 0, 0 } },
        { { 0, 0, 7 }, 3, { 0, 0, 3 } },
    };
    for (auto& c : cases) {
        V lengths = c.lengths;
        ZpTabCompressLengths(lengths, c.nRoom);
        EXPECT_EQ(c.expected, lengths) << "room " << c.nRoom;
    }
}

TEST(TabLayoutMath, RowSplitsOfEdgeStrips)
{
    V rows;
    // A tab wider than the room still gets a row of its own; an empty strip is one row.
    EXPECT_EQ(3, ZpTabSplitRowsGreedy({ 150, 150, 150 }, 100, rows));
    EXPECT_EQ((V{ 0, 1, 2 }), rows);
    EXPECT_EQ(1, ZpTabSplitRowsGreedy({}, 100, rows));
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(2, ZpTabSplitRowsGreedy({ INT_MAX, INT_MAX }, INT_MAX, rows));
    // Zero-length tabs never open a row.
    EXPECT_EQ(1, ZpTabSplitRowsGreedy({ 100, 0, 0 }, 100, rows));

    rows = { 7 };
    EXPECT_FALSE(ZpTabSplitRowsBalanced({}, 2, 100, true, rows));
    EXPECT_FALSE(ZpTabSplitRowsBalanced({ 10 }, 0, 100, true, rows));
    EXPECT_EQ((V{ 7 }), rows) << "rows unchanged on failure";
    // More rows asked than tabs: as many rows as the tabs fill.
    ASSERT_TRUE(ZpTabSplitRowsBalanced({ 60, 60 }, 5, 100, true, rows));
    EXPECT_EQ((V{ 0, 1 }), rows);
}

TEST(TabLayoutMath, JustifiedRowsEndAtTheRoomAndNeverGoNegative)
{
    V row = { INT_MAX / 4, INT_MAX / 4 };
    ZpTabJustifyRow(row, INT_MAX);
    EXPECT_EQ(INT_MAX, Sum(row));

    row = { 40, 40, 40 };
    ZpTabJustifyRow(row, 30);
    EXPECT_EQ((V{ 10, 10, 10 }), row);

    row = { 10, 10 };
    ZpTabJustifyRow(row, -50);
    EXPECT_EQ((V{ 0, 0 }), row);
}

TEST(TabLayoutMath, GeneratedStripsKeepTheLayoutInvariants)
{
    CStrips strips;
    for (int nCase = 0; nCase < 2000; nCase++) {
        const V lengths = strips.Lengths();
        const int nRoom = strips.Next(400);
        SCOPED_TRACE(testing::Message() << "case " << nCase << " room " << nRoom);

        V compressed = lengths;
        ZpTabCompressLengths(compressed, nRoom);
        if (Sum(lengths) <= nRoom)
            EXPECT_EQ(lengths, compressed);
        else
            EXPECT_EQ(nRoom, Sum(compressed));
        for (size_t i = 0; i < lengths.size(); i++)
            ASSERT_TRUE(compressed[i] >= 0 && compressed[i] <= lengths[i]);

        V rows;
        const int nRows = ZpTabSplitRowsGreedy(lengths, nRoom, rows);
        ASSERT_EQ(lengths.size(), rows.size());
        EXPECT_EQ(nRows - 1, rows.back());
        V balanced = rows;
        if (ZpTabSplitRowsBalanced(lengths, nRows, nRoom, strips.Next(2) == 1, balanced)) {
            // Rows in order, none past the greedy count, and no row wider than the room unless
            // it holds one tab.
            std::vector<long long> widths(static_cast<size_t>(nRows), 0);
            std::vector<int> counts(static_cast<size_t>(nRows), 0);
            for (size_t i = 0; i < balanced.size(); i++) {
                ASSERT_TRUE(balanced[i] >= 0 && balanced[i] < nRows);
                ASSERT_TRUE(i == 0 || balanced[i - 1] <= balanced[i]);
                widths[static_cast<size_t>(balanced[i])] += lengths[i];
                counts[static_cast<size_t>(balanced[i])] += lengths[i] > 0 ? 1 : 0;
            }
            for (int r = 0; r < nRows; r++)
                EXPECT_TRUE(widths[static_cast<size_t>(r)] <= nRoom || counts[static_cast<size_t>(r)] <= 1)
                    << "row " << r;
        }

        V justified = lengths;
        ZpTabJustifyRow(justified, nRoom + static_cast<int>(Sum(lengths)));
        EXPECT_EQ(nRoom + Sum(lengths), Sum(justified));
        for (size_t i = 0; i < lengths.size(); i++)
            EXPECT_GE(justified[i], lengths[i]);
    }
}
}  // namespace
