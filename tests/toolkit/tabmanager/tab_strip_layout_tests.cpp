// Strip layout: header, tab and client rectangles for every position and layout, compression,
// multi-row rows, scrolling into view and the offset pull-back, and degenerate sizes.
#include <gtest/gtest.h>

#include <algorithm>

#include "TabTestHost.h"
#include "tabmanager/ZPTabLayoutMath.h"

namespace
{

const CRect kBounds(0, 0, 300, 260);
// Header margin of the property-page geometry: start, outer edge, end, client side.
const int kMarginStart = 2, kMarginOuter = 3, kMarginEnd = 6;
const int kTextMargins = 12;

int MeasureText(CFont* pFont, LPCWSTR lpsz)
{
    HDC hDC = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, pFont->GetSafeHandle());
    RECT rc = {0, 0, 0, 0};
    ::DrawTextW(hDC, lpsz, -1, &rc, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(NULL, hDC);
    return rc.right - rc.left;
}

// Rectangle from extents along the strip and across it, the across extent measured from the
// strip's outer edge inwards.
CRect StripRect(int nPosition, const CRect& rcControl, int nAlong0, int nAlong1, int nDepth0, int nDepth1)
{
    switch (nPosition)
    {
    case zpTabPositionLeft:
        return CRect(rcControl.left + nDepth0, nAlong0, rcControl.left + nDepth1, nAlong1);
    case zpTabPositionBottom:
        return CRect(nAlong0, rcControl.bottom - nDepth1, nAlong1, rcControl.bottom - nDepth0);
    case zpTabPositionRight:
        return CRect(rcControl.right - nDepth1, nAlong0, rcControl.right - nDepth0, nAlong1);
    default:
        return CRect(nAlong0, rcControl.top + nDepth0, nAlong1, rcControl.top + nDepth1);
    }
}

TEST(TabStripLayout, RectanglesForEveryPositionAndLayout)
{
    static const LPCWSTR kCaptions[] = {L"A", L"Wide caption", L"Mid"};
    for (int nPosition = 0; nPosition < 4; nPosition++)
    {
        for (int nLayout = 0; nLayout < 6; nLayout++)
        {
            SCOPED_TRACE(testing::Message() << "position " << nPosition << " layout " << nLayout);
            CPaintManagerRef pm;
            pm->m_bShowIcons = FALSE;
            pm->SetPosition(nPosition);
            pm->SetLayout(nLayout);
            CTestTabHost host(pm.Get(), NULL, kBounds);
            host.AddCaptions({kCaptions[0], kCaptions[1], kCaptions[2]});
            host.SetCurSel(1);

            BOOL bHorizontal = nPosition == zpTabPositionTop || nPosition == zpTabPositionBottom;
            BOOL bVerticalText = !bHorizontal != (nLayout == zpTabLayoutRotated);
            CFont* pFont = bVerticalText ? pm->GetVerticalNormalFont() : pm->GetNormalFont();
            int H = pm->GetAppearanceSet()->GetRowHeight(&host);
            int nLengths[3];
            for (int i = 0; i < 3; i++)
            {
                if (nLayout == zpTabLayoutFixed)
                    nLengths[i] = 70;
                else if (nLayout == zpTabLayoutSizeToFit)   // only the selected tab shows its caption
                    nLengths[i] = i == 1 ? MeasureText(pm->GetNormalFont(), kCaptions[1]) + kTextMargins : 16 + 8;
                else
                    nLengths[i] = MeasureText(pFont, kCaptions[i]) + kTextMargins;
            }

            int nStripLength = bHorizontal ? kBounds.Width() : kBounds.Height();
            int nRowsDepth = H;
            if (nLayout == zpTabLayoutRotated)
                nRowsDepth = std::max({H, nLengths[0], nLengths[1], nLengths[2]});
            int nDepth = kMarginOuter + nRowsDepth;
            CRect rcHeader = StripRect(nPosition, kBounds, 0, nStripLength - 1, 0, nDepth);
            EXPECT_EQ(rcHeader, host.GetHeaderRect());

            int x = kMarginStart;
            for (int i = 0; i < 3; i++)
            {
                CRect rcExpected = nLayout == zpTabLayoutRotated
                                       ? StripRect(nPosition, kBounds, x, x + H, nDepth - nLengths[i], nDepth)
                                       : StripRect(nPosition, kBounds, x, x + nLengths[i], kMarginOuter,
                                                   kMarginOuter + H);
                EXPECT_EQ(rcExpected, host.GetItem(i)->GetRect()) << "tab " << i;
                x += nLayout == zpTabLayoutRotated ? H : nLengths[i];
            }

            // The client area overlaps the header by one pixel, inside a 2-pixel frame.
            CRect rcClient = StripRect(nPosition, kBounds, 0, nStripLength, nDepth - 1,
                                       bHorizontal ? kBounds.Height() : kBounds.Width());
            rcClient.DeflateRect(2, 2);
            EXPECT_EQ(rcClient, host.GetClientRect());
        }
    }
}

TEST(TabStripLayout, CompressionSharesWhatIsLeftAmongTheLongestTabs)
{
    struct
    {
        std::vector<int> lengths;
        int nRoom;
        std::vector<int> expected;
    } cases[] = {
        {{10, 50, 100}, 90, {10, 40, 40}},
        {{100, 10, 50}, 90, {40, 10, 40}},
        {{10, 50, 100}, 200, {10, 50, 100}},   // fits: untouched
        {{30, 30, 30}, 40, {13, 13, 14}},      // remainders go to the later ones
        {{500}, 90, {90}},
        {{20, 30}, -5, {0, 0}},
        {{}, 10, {}},
    };
    for (auto& c : cases)
    {
        std::vector<int> lengths = c.lengths;
        ZpTabCompressLengths(lengths, c.nRoom);
        EXPECT_EQ(c.expected, lengths) << "room " << c.nRoom;
    }
}

TEST(TabStripLayout, CompressedLayoutFitsTheTabsIntoTheRoom)
{
    CPaintManagerRef pm;
    pm->SetLayout(zpTabLayoutCompressed);
    CTestTabHost host(pm.Get(), NULL, CRect(0, 0, 120, 100));
    host.AddCaptions({L"A rather long caption", L"Another long caption", L"x"});
    int nRoom = 120 - kMarginStart - kMarginEnd;
    EXPECT_LE(host.GetItemsLength(), nRoom);
    EXPECT_GT(host.GetItemsLength(), nRoom - 3);
    EXPECT_LT(host.GetItem(0)->GetLength(), host.GetItem(0)->GetNaturalLength());
    // No arrows in the compressed layout.
    EXPECT_TRUE(host.GetNavigateButton(zpTabNavigateButtonRight)->GetRect().IsRectEmpty());
}

TEST(TabStripLayout, BalancedRowsAndJustifiedRows)
{
    std::vector<int> rows;
    std::vector<int> lengths = {50, 50, 50, 50, 50};
    EXPECT_EQ(2, ZpTabSplitRowsGreedy(lengths, 160, rows));
    EXPECT_EQ((std::vector<int>{0, 0, 0, 1, 1}), rows);
    ASSERT_TRUE(ZpTabSplitRowsBalanced(lengths, 2, 160, true, rows));
    EXPECT_EQ((std::vector<int>{0, 0, 1, 1, 1}), rows);

    std::vector<int> row = {30, 20, 25};
    ZpTabJustifyRow(row, 100);
    EXPECT_EQ((std::vector<int>{38, 28, 34}), row);
    EXPECT_EQ(100, row[0] + row[1] + row[2]);
}

TEST(TabStripLayout, BalancedSplitStaysPolynomialWithManyRows)
{
    // Tabs just over half the room: each row holds one, and every row tries and fails to take
    // two before settling; without remembering failures the retries double with every row.
    std::vector<int> mixed, rows;
    for (int i = 0; i < 600; i++)
        mixed.push_back(i % 3 == 0 ? 60 : 25);
    int nRows = ZpTabSplitRowsGreedy(mixed, 100, rows);
    ASSERT_TRUE(ZpTabSplitRowsBalanced(mixed, nRows, 100, true, rows));
    std::vector<int> widths(nRows, 0);
    for (size_t i = 0; i < rows.size(); i++)
    {
        ASSERT_TRUE(rows[i] >= 0 && rows[i] < nRows);
        EXPECT_TRUE(i == 0 || rows[i - 1] <= rows[i]);
        widths[rows[i]] += mixed[i];
    }
    for (int nWidth : widths)
        EXPECT_LE(nWidth, 100);
}

// The balanced split as its rules read, one recursion per row and nothing remembered: the
// reference for small strips.
bool ReferenceSplit(const std::vector<int>& lengths, int nRows, int nRoom, bool bJustify, int nRow, size_t nFirst,
                    std::vector<int>& rows)
{
    long long nRest = 0;
    for (size_t t = nFirst; t < lengths.size(); t++)
        nRest += lengths[t];
    long long nTarget = bJustify ? std::min<long long>(nRoom, nRest / (nRows - nRow)) : nRoom;
    long long nWidth = 0;
    for (size_t t = nFirst; t < lengths.size(); t++)
    {
        if (nWidth + lengths[t] > nTarget && nWidth > 0 && lengths[t] > 0)
        {
            if (nRow == nRows - 1)
                return false;
            if (ReferenceSplit(lengths, nRows, nRoom, bJustify, nRow + 1, t, rows))
                return true;
            if (nWidth + lengths[t] > nRoom)
                return false;
        }
        nWidth += lengths[t];
        rows[t] = nRow;
    }
    return true;
}

TEST(TabStripLayout, BalancedSplitMatchesItsRulesOnSmallStrips)
{
    unsigned nSeed = 12345;
    auto next = [&nSeed](unsigned nBound) {
        nSeed = nSeed * 1103515245u + 12345u;
        return static_cast<int>((nSeed >> 16) % nBound);
    };
    for (int nCase = 0; nCase < 3000; nCase++)
    {
        std::vector<int> lengths(1 + next(12));
        for (int& nLength : lengths)
            nLength = next(8) == 0 ? 0 : 5 + next(70);   // some hidden tabs
        const int nRoom = 40 + next(120);
        const bool bJustify = next(4) != 0;
        std::vector<int> greedy;
        const int nRows = ZpTabSplitRowsGreedy(lengths, nRoom, greedy) + next(2);
        std::vector<int> expected(lengths.size(), -1), rows(lengths.size(), -1);
        const bool bExpected = ReferenceSplit(lengths, nRows, nRoom, bJustify, 0, 0, expected);
        ASSERT_EQ(bExpected, ZpTabSplitRowsBalanced(lengths, nRows, nRoom, bJustify, rows)) << "case " << nCase;
        if (bExpected)
            ASSERT_EQ(expected, rows) << "case " << nCase;
        else
            ASSERT_EQ(std::vector<int>(lengths.size(), -1), rows) << "a failed split leaves the rows alone";
    }
}

TEST(TabStripLayout, BalancedSplitOfAHundredThousandTabs)
{
    const int kTabs = 100000, kRoom = 300;
    struct
    {
        const char* name;
        int (*length)(int);
    } strips[] = {
        {"one tab a row", [](int) { return kRoom / 2 + 1; }},
        {"a few tabs a row", [](int i) { return 20 + (i * 37) % 90; }},
    };
    for (auto& strip : strips)
    {
        SCOPED_TRACE(strip.name);
        std::vector<int> lengths(kTabs), rows;
        for (int i = 0; i < kTabs; i++)
            lengths[i] = strip.length(i);
        const int nRows = ZpTabSplitRowsGreedy(lengths, kRoom, rows);
        ASSERT_GT(nRows, 1000);
        ASSERT_TRUE(ZpTabSplitRowsBalanced(lengths, nRows, kRoom, true, rows));
        std::vector<long long> widths(nRows, 0);
        for (int i = 0; i < kTabs; i++)
        {
            ASSERT_TRUE(rows[i] >= 0 && rows[i] < nRows) << i;
            ASSERT_TRUE(i == 0 || rows[i - 1] <= rows[i]) << i;
            widths[rows[i]] += lengths[i];
        }
        EXPECT_LE(*std::max_element(widths.begin(), widths.end()), kRoom);
    }
}

TEST(TabStripLayout, MultiRowRowsEndAtTheRoomsEndAndTheSelectedRowMovesToTheClient)
{
    CPaintManagerRef pm;
    pm->SetLayout(zpTabLayoutMultiRow);
    CTestTabHost host(pm.Get(), NULL, CRect(0, 0, 200, 300));
    host.AddNumberedTabs(12);
    ASSERT_GE(host.GetRowCount(), 2);
    int nRoomEnd = kMarginStart + (200 - 1 - kMarginStart - kMarginEnd);
    for (int r = 0; r < host.GetRowCount(); r++)
    {
        const ZP_TAB_ROW& row = host.GetRow(r);
        EXPECT_EQ(nRoomEnd, host.GetItem(row.nLastItem)->GetRect().right) << "row " << r;
        EXPECT_EQ(kMarginStart, host.GetItem(row.nFirstItem)->GetRect().left) << "row " << r;
    }
    // Row 0 lies next to the client area, the others further out.
    EXPECT_GT(host.GetItem(host.GetRow(0).nFirstItem)->GetRect().top,
              host.GetItem(host.GetRow(1).nFirstItem)->GetRect().top);
    int nOuterRow = host.GetItem(11)->GetRow();
    ASSERT_NE(0, nOuterRow);
    int nItemOfRow0 = host.GetRow(0).nFirstItem;

    host.SetCurSel(11);
    EXPECT_EQ(0, host.GetItem(11)->GetRow());
    EXPECT_EQ(nOuterRow, host.GetItem(nItemOfRow0)->GetRow());
    EXPECT_EQ(0, host.GetScrollOffset());
    EXPECT_TRUE(host.GetNavigateButton(zpTabNavigateButtonLeft)->GetRect().IsRectEmpty());
    EXPECT_TRUE(host.GetNavigateButton(zpTabNavigateButtonRight)->GetRect().IsRectEmpty());

    pm->m_bMultiRowFixedSelection = TRUE;
    host.SetCurSel(nItemOfRow0);
    host.SetCurSel(11);
    EXPECT_EQ(nOuterRow, host.GetItem(11)->GetRow());
}

TEST(TabStripLayout, EnsureVisibleAndThePullBackOfTheOffset)
{
    CPaintManagerRef pm;
    CTestTabHost host(pm.Get(), NULL, CRect(0, 0, 200, 100));
    host.AddNumberedTabs(20);
    host.SetCurSel(19);
    // Cut off at the end: scrolled until it ends 2 pixels before the header's end.
    EXPECT_LT(host.GetScrollOffset(), 0);
    EXPECT_EQ(host.GetHeaderRect().right - 2, host.GetItem(19)->GetRect().right);
    host.SetCurSel(0);
    EXPECT_EQ(0, host.GetScrollOffset());

    host.SetCurSel(19);
    int nTotal = host.GetItemsLength();
    // Wider, but still too narrow: pulled back so that the last tab ends at the room's end.
    host.SetBounds(CRect(0, 0, nTotal - 40, 100));
    EXPECT_EQ(host.GetHeaderRect().right - kMarginEnd, host.GetItem(19)->GetRect().right);
    // Everything fits: back to 0.
    host.SetBounds(CRect(0, 0, nTotal + 100, 100));
    EXPECT_EQ(0, host.GetScrollOffset());
}

TEST(TabStripLayout, WithoutTabsTheClientTakesTheWholeControl)
{
    CPaintManagerRef pm;
    pm->m_bShowTabs = FALSE;
    CTestTabHost host(pm.Get(), NULL, kBounds);
    host.AddCaptions({L"a", L"b"});
    EXPECT_TRUE(host.GetHeaderRect().IsRectEmpty());
    EXPECT_TRUE(host.GetItem(0)->GetRect().IsRectEmpty());
    EXPECT_EQ(NULL, host.HitTest(CPoint(5, 5)));
    EXPECT_EQ(CRect(2, 2, kBounds.right - 2, kBounds.bottom - 2), host.GetClientRect());
}

TEST(TabStripLayout, DegenerateSizesAndManyTabsInEveryLayout)
{
    const CRect bounds[] = {CRect(0, 0, 0, 0), CRect(0, 0, -50, -20), CRect(0, 0, 6, 4), CRect(0, 0, 300, 200)};
    for (int nLayout = 0; nLayout < 6; nLayout++)
    {
        for (int nPosition = 0; nPosition < 4; nPosition++)
        {
            for (const CRect& rc : bounds)
            {
                for (int nTabs : {0, 1, 40})
                {
                    SCOPED_TRACE(testing::Message() << "layout " << nLayout << " position " << nPosition << " tabs "
                                                    << nTabs << " width " << rc.Width());
                    CPaintManagerRef pm;
                    pm->SetLayout(nLayout);
                    pm->SetPosition(nPosition);
                    CTestTabHost host(pm.Get(), NULL, rc);
                    host.AddNumberedTabs(nTabs);
                    host.SetCurSel(nTabs / 2);
                    for (const CRect* p : {&host.GetHeaderRect(), &host.GetClientRect(), &host.GetControlRect()})
                        EXPECT_TRUE(p->right >= p->left && p->bottom >= p->top);
                    for (int i = 0; i < nTabs; i++)
                    {
                        const CRect& rcItem = host.GetItem(i)->GetRect();
                        EXPECT_GE(host.GetItem(i)->GetLength(), 0);
                        EXPECT_TRUE(rcItem.right >= rcItem.left && rcItem.bottom >= rcItem.top);
                    }
                    EXPECT_LE(host.GetScrollOffset(), 0);
                }
            }
        }
    }
}

TEST(TabStripLayout, ThousandsOfTabsInEveryLayout)
{
    for (int nLayout = 0; nLayout < 6; nLayout++)
    {
        SCOPED_TRACE(testing::Message() << "layout " << nLayout);
        CPaintManagerRef pm;
        pm->SetLayout(nLayout);
        CTestTabHost host(pm.Get(), NULL, CRect(0, 0, 400, 300));
        host.AddNumberedTabs(3000);
        host.SetCurSel(2999);
        EXPECT_EQ(2999, host.GetCurSel());
        if (nLayout == zpTabLayoutMultiRow)
        {
            EXPECT_GT(host.GetRowCount(), 100);
        }
    }
}

}  // namespace
