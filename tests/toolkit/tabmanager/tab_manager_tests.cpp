// The tab strip model: items, automatic colours, selection, deletion, hit tests and keys.
#include <gtest/gtest.h>

#include "TabTestHost.h"

namespace
{

TEST(TabManager, AddItemAppendsForIndicesOutsideTheRange)
{
    CPaintManagerRef pm;
    CTestTabHost host(pm.Get());
    CZPTabManagerItem* pA = host.AddItem(-1);
    CZPTabManagerItem* pB = host.AddItem(5);
    CZPTabManagerItem* pC = host.AddItem(0);
    ASSERT_EQ(3, host.GetItemCount());
    EXPECT_EQ(pC, host.GetItem(0));
    EXPECT_EQ(pA, host.GetItem(1));
    EXPECT_EQ(pB, host.GetItem(2));
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(i, host.GetItem(i)->GetIndex());
    EXPECT_EQ(NULL, host.GetItem(-1));
    EXPECT_EQ(NULL, host.GetItem(3));
}

TEST(TabManager, AutomaticColoursContinueOneSequenceAcrossStripsAndAreNeverReused)
{
    CPaintManagerRef pm;
    CTestTabHost first(pm.Get()), second(pm.Get());
    std::vector<COLORREF> colours;
    for (int i = 0; i < 6; i++)
        colours.push_back(first.AddItem(-1)->GetColorValue());
    first.DeleteItem(0);
    for (int i = 0; i < 5; i++)
        colours.push_back(second.AddItem(-1)->GetColorValue());
    for (size_t i = 0; i < colours.size(); i++)
        EXPECT_EQ(0x1000000u + i % 8, colours[i]) << i;

    // Values resolve through the table; one past the last automatic value is a plain colour.
    CZPTabManagerItem* pItem = first.GetItem(0);
    pItem->SetColor(0x1000003);
    EXPECT_EQ(0x9F9EF0u, pItem->GetColor());
    pItem->SetColor(0x1000008);
    EXPECT_EQ(0x1000008u, pItem->GetColor());
    EXPECT_EQ(0xE4A88Au, ZpGetTabAutomaticColor(0x1000000));
    EXPECT_EQ(0xC0ABD8u, ZpGetTabAutomaticColor(0x1000007));
}

TEST(TabManager, DeletingTheSelectedTabSelectsTheNextOrTheNewLast)
{
    CPaintManagerRef pm;
    CTestTabHost host(pm.Get());
    host.AddCaptions({L"a", L"b", L"c", L"d"});
    host.SetCurSel(1);
    ASSERT_TRUE(host.DeleteItem(1));
    EXPECT_EQ(L"c", host.GetSelectedItem()->GetCaption());
    host.SetCurSel(2);
    ASSERT_TRUE(host.DeleteItem(2));
    EXPECT_EQ(L"c", host.GetSelectedItem()->GetCaption());
    EXPECT_EQ(1, host.GetCurSel());

    EXPECT_FALSE(host.DeleteItem(-1));
    EXPECT_FALSE(host.DeleteItem(2));
    EXPECT_EQ(2, host.GetItemCount());
}

TEST(TabManager, DeletingTheOnlyTabLeavesNothingPointingAtIt)
{
    CPaintManagerRef pm;
    CTestTabHost host(pm.Get());
    host.AddCaptions({L"only"});
    CZPTabManagerItem* pItem = host.GetItem(0);
    pItem->InternalAddRef();   // the test's own hold keeps it readable after removal
    host.SetCurSel(0);
    ASSERT_TRUE(host.DeleteItem(0));
    EXPECT_EQ(NULL, host.GetSelectedItem());
    EXPECT_EQ(-1, host.GetCurSel());
    EXPECT_EQ(NULL, pItem->GetTabManager());
    pItem->Remove();           // a removed item reaches no manager
    pItem->InternalRelease();

    host.SetCurSel(0);         // nothing to select
    EXPECT_EQ(NULL, host.GetSelectedItem());
}

// Records the index a new selection reports, as a TCN_SELCHANGE receiver reads it.
class CSelectionWatchHost : public CTestTabHost
{
public:
    using CTestTabHost::CTestTabHost;
    void SetSelectedItem(CZPTabManagerItem* pItem) override
    {
        CTestTabHost::SetSelectedItem(pItem);
        m_seen.push_back(GetCurSel());
    }
    std::vector<int> m_seen;
};

TEST(TabManager, DeletingTheSelectedTabRenumbersBeforeTheNewSelection)
{
    for (int nLayout : {zpTabLayoutAutoSize, zpTabLayoutMultiRow})
    {
        for (int nCount = 1; nCount <= 42; nCount++)
        {
            for (int nFromEnd : {2, 1})   // the second-to-last, the last or the only tab
            {
                if (nFromEnd > nCount)
                    continue;
                SCOPED_TRACE(testing::Message() << "layout " << nLayout << ", " << nCount << " tabs, deleting "
                                                << nCount - nFromEnd);
                CPaintManagerRef pm;
                pm->SetLayout(nLayout);
                CSelectionWatchHost host(pm.Get());
                host.AddNumberedTabs(nCount);
                const int nDeleted = nCount - nFromEnd;
                host.SetCurSel(nDeleted);
                host.m_seen.clear();
                BOOL bDeleted = FALSE;
                EXPECT_NO_THROW(bDeleted = host.DeleteItem(nDeleted));
                EXPECT_TRUE(bDeleted);
                if (nCount == 1)
                {
                    EXPECT_EQ(NULL, host.GetSelectedItem());
                    EXPECT_TRUE(host.m_seen.empty());
                    continue;
                }
                // Either way the tab now at nCount - 2 is selected, and says so while selected.
                EXPECT_EQ(std::vector<int>{nCount - 2}, host.m_seen);
                ASSERT_EQ(nCount - 2, host.GetCurSel());
                EXPECT_EQ(host.GetItem(nCount - 2), host.GetSelectedItem());
                if (nLayout == zpTabLayoutMultiRow)
                {
                    EXPECT_EQ(0, host.GetSelectedItem()->GetRow()) << "the selected row lies next to the client";
                    for (int i = 0; i < host.GetItemCount(); i++)
                    {
                        int nRow = host.GetItem(i)->GetRow();
                        ASSERT_TRUE(nRow >= 0 && nRow < host.GetRowCount()) << i;
                        EXPECT_LE(host.GetRow(nRow).nFirstItem, i);
                        EXPECT_GE(host.GetRow(nRow).nLastItem, i);
                    }
                }
            }
        }
    }
}

TEST(TabManager, DeleteAllItemsReleasesEveryItemAndClearsTheSelection)
{
    CPaintManagerRef pm;
    CTestTabHost host(pm.Get());
    host.AddCaptions({L"a", L"b"});
    CZPTabManagerItem* pHeld = host.GetItem(1);
    pHeld->InternalAddRef();
    host.SetCurSel(1);
    host.DeleteAllItems();
    EXPECT_EQ(0, host.GetItemCount());
    EXPECT_EQ(NULL, host.GetSelectedItem());
    EXPECT_EQ(1, pHeld->m_dwRef);
    pHeld->InternalRelease();
}

TEST(TabManager, SetCurSelClampsTheIndex)
{
    CPaintManagerRef pm;
    CTestTabHost host(pm.Get());
    host.AddCaptions({L"a", L"b", L"c"});
    host.SetCurSel(-5);
    EXPECT_EQ(0, host.GetCurSel());
    host.SetCurSel(99);
    EXPECT_EQ(2, host.GetCurSel());
}

TEST(TabManager, FindNextSelectableSkipsHiddenAndDisabledTabs)
{
    CPaintManagerRef pm;
    CTestTabHost host(pm.Get());
    host.AddCaptions({L"a", L"b", L"c", L"d"});
    host.GetItem(1)->SetVisible(FALSE);
    host.GetItem(2)->SetEnabled(FALSE);
    EXPECT_EQ(host.GetItem(3), host.FindNextSelectable(1, +1));
    EXPECT_EQ(host.GetItem(0), host.FindNextSelectable(2, -1));
    EXPECT_EQ(NULL, host.FindNextSelectable(4, -1));
    host.GetItem(0)->SetEnabled(FALSE);
    host.GetItem(3)->SetVisible(FALSE);
    EXPECT_EQ(NULL, host.FindNextSelectable(0, +1));
    EXPECT_EQ(NULL, host.FindNextSelectable(3, -1));
}

TEST(TabManager, HitTestWantsTheHeaderAndAVisibleEnabledTab)
{
    CPaintManagerRef pm;
    CTestTabHost host(pm.Get());
    host.AddCaptions({L"first", L"second", L"third"});
    CPoint ptSecond = host.GetItem(1)->GetRect().CenterPoint();
    EXPECT_EQ(host.GetItem(1), host.HitTest(ptSecond));
    EXPECT_EQ(NULL, host.HitTest(CPoint(ptSecond.x, host.GetHeaderRect().bottom + 5)));
    EXPECT_EQ(NULL, host.HitTest(CPoint(-5, ptSecond.y)));

    host.GetItem(1)->SetEnabled(FALSE);
    EXPECT_EQ(NULL, host.HitTest(ptSecond));
    host.GetItem(1)->SetEnabled(TRUE);
    host.GetItem(1)->SetVisible(FALSE);   // the third tab moves into its place
    EXPECT_EQ(host.GetItem(2), host.HitTest(ptSecond));
}

TEST(TabManager, ScrollOffsetStaysAtZeroOrBelow)
{
    CPaintManagerRef pm;
    CTestTabHost host(pm.Get());
    host.SetScrollOffset(30);
    EXPECT_EQ(0, host.GetScrollOffset());
    host.ScrollBy(FALSE);
    EXPECT_EQ(0, host.GetScrollOffset());
}

struct KeyCase
{
    int nPosition;
    DWORD dwExStyle;
    UINT nKey;
    int nStart;
    int nExpected;
};

TEST(TabManager, KeysMoveTheSelectionAlongTheStrip)
{
    // Tab 2 is disabled: moving across it skips it.
    const KeyCase cases[] = {
        {zpTabPositionTop, 0, VK_RIGHT, 1, 3},
        {zpTabPositionTop, 0, VK_LEFT, 3, 1},
        {zpTabPositionTop, 0, VK_LEFT, 0, 0},
        {zpTabPositionTop, 0, VK_RIGHT, 4, 4},
        {zpTabPositionTop, 0, VK_DOWN, 1, 1},
        {zpTabPositionTop, 0, VK_HOME, 3, 0},
        {zpTabPositionTop, 0, VK_END, 0, 4},
        {zpTabPositionLeft, 0, VK_DOWN, 0, 1},
        {zpTabPositionLeft, 0, VK_UP, 1, 0},
        {zpTabPositionLeft, 0, VK_RIGHT, 1, 1},
        {zpTabPositionTop, WS_EX_LAYOUTRTL, VK_LEFT, 0, 1},
        {zpTabPositionTop, WS_EX_LAYOUTRTL, VK_RIGHT, 1, 0},
    };
    for (const KeyCase& c : cases)
    {
        CTestWindow window(400, 300, c.dwExStyle);
        CPaintManagerRef pm;
        pm->SetPosition(c.nPosition);
        CTestTabHost host(pm.Get(), window.GetHwnd());
        host.AddCaptions({L"a", L"b", L"c", L"d", L"e"});
        host.GetItem(2)->SetEnabled(FALSE);
        host.SetCurSel(c.nStart);
        EXPECT_TRUE(host.PerformKeyDown(window.GetWnd(), c.nKey));
        EXPECT_EQ(c.nExpected, host.GetCurSel()) << "position " << c.nPosition << " key " << c.nKey << " from "
                                                 << c.nStart;
    }
}

TEST(TabManager, KeysStopOnEmptyOrUnselectableStrips)
{
    CTestWindow window;
    CPaintManagerRef pm;
    CTestTabHost host(pm.Get(), window.GetHwnd());
    EXPECT_FALSE(host.PerformKeyDown(window.GetWnd(), VK_RIGHT));

    host.AddCaptions({L"a", L"b"});
    EXPECT_FALSE(host.PerformKeyDown(window.GetWnd(), 'A'));
    host.GetItem(0)->SetEnabled(FALSE);
    host.GetItem(1)->SetVisible(FALSE);
    for (UINT nKey : {VK_HOME, VK_END, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN})
    {
        EXPECT_TRUE(host.PerformKeyDown(window.GetWnd(), nKey));
        EXPECT_EQ(NULL, host.GetSelectedItem());
    }
    // A veto from CanSelectItem keeps the selection where it is.
    host.GetItem(0)->SetEnabled(TRUE);
    host.m_pVetoed = host.GetItem(0);
    EXPECT_TRUE(host.PerformKeyDown(window.GetWnd(), VK_HOME));
    EXPECT_EQ(NULL, host.GetSelectedItem());
}

TEST(TabManager, RefreshAllReachesTheStripsRegisteredWithThePaintManager)
{
    CPaintManagerRef pm;
    EXPECT_EQ(0, pm->GetTabManagerCount());
    {
        CTestTabHost first(pm.Get()), second(pm.Get());
        EXPECT_EQ(2, pm->GetTabManagerCount());
        int nFirst = first.m_nRepositions, nSecond = second.m_nRepositions;
        pm->SetLayout(zpTabLayoutFixed);
        EXPECT_EQ(nFirst + 1, first.m_nRepositions);
        EXPECT_EQ(nSecond + 1, second.m_nRepositions);
        EXPECT_EQ(5, pm.Get()->m_dwRef);   // the test's, and per strip its own and the registration's
    }
    EXPECT_EQ(0, pm->GetTabManagerCount());
    EXPECT_EQ(1, pm.Get()->m_dwRef);
    pm->RefreshAll();   // reaches no destroyed strip
}

}  // namespace
