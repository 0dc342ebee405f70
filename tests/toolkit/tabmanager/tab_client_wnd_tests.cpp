// The MDI tab workspace: children as tabs, tab swaps, drops into groups and new groups, the group
// commands and menu, and the ends of a drag (Escape, cancel mode, quit, a lock held elsewhere).
#include <gtest/gtest.h>

#include <framework/mdi.h>

#include <functional>
#include <vector>

#include "TabTestHost.h"
#include "tabmanager/ZPTabClientWnd.h"
#include "tabmanager/ZPTabManagerResource.h"

namespace {

using CWorkspace = CZPTabClientWnd::CWorkspace;

// Records the group menus asked for and runs what the test wants in their place.
class CTestTabClient : public CZPTabClientWnd
{
public:
    void TrackGroupMenu(CPoint ptScreen) override
    {
        m_menus.push_back(ptScreen);
        for (UINT nID = ZP_ID_TABGROUP_MOVEPREVIOUS; nID <= ZP_ID_TABGROUP_CANCEL; nID++)
            if (IsGroupCommandEnabled(nID))
                m_enabled.push_back(nID);
        if (m_onMenu)
            m_onMenu();
    }
    std::vector<CPoint> m_menus;
    std::vector<UINT> m_enabled;
    std::function<void()> m_onMenu;
};

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

class TabClientTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CMDIFrameWnd();  // deletes itself with its window
        ASSERT_TRUE(m_pFrame->Create(NULL, L"Workspace", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 640, 480)));
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        ASSERT_TRUE(m_client.Attach(m_pFrame));
        for (LPCWSTR lpszTitle : { L"One", L"Two", L"Three" })
            AddChild(lpszTitle);
        Pump();
    }
    void TearDown() override
    {
        Pump();
        if (::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        Pump();
    }
    HWND AddChild(LPCWSTR lpszTitle)
    {
        CMDIChildWnd* pChild = new CMDIChildWnd();
        EXPECT_TRUE(pChild->Create(NULL, lpszTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                                   m_pFrame));
        m_children.push_back(pChild->m_hWnd);
        return pChild->m_hWnd;
    }
    CWorkspace* Group(int n) { return m_client.GetGroup(n); }
    std::vector<CString> Captions(CWorkspace* pGroup)
    {
        std::vector<CString> captions;
        for (int i = 0; i < pGroup->GetItemCount(); i++)
            captions.push_back(pGroup->GetItem(i)->GetCaption());
        return captions;
    }
    void PostMouse(UINT message, CPoint pt)
    {
        ::PostMessageW(m_client.m_hWnd, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    }
    // Drags the group's tab through the points, then releases it at the last one.
    void Drag(CWorkspace* pGroup, int nItem, std::initializer_list<CPoint> points)
    {
        for (const CPoint& pt : points)
            PostMouse(WM_MOUSEMOVE, pt);
        PostMouse(WM_LBUTTONUP, *(points.end() - 1));
        CZPTabManagerItem* pItem = pGroup->GetItem(nItem);
        pGroup->ReorderItemByDrag(&m_client, pItem->GetRect().CenterPoint(), pItem);
    }
    CRect ClientRect()
    {
        CRect rc;
        ::GetClientRect(m_client.m_hWnd, &rc);
        return rc;
    }

    CMDIFrameWnd* m_pFrame = NULL;
    CTestTabClient m_client;
    std::vector<HWND> m_children;
};

TEST_F(TabClientTest, ChildrenAreTabsOfOneGroupThatFollowTheActiveChild)
{
    ASSERT_EQ(1, m_client.GetGroupCount());
    CWorkspace* pGroup = Group(0);
    EXPECT_EQ((std::vector<CString>{ L"One", L"Two", L"Three" }), Captions(pGroup));
    EXPECT_EQ(m_children[2], pGroup->GetSelectedItem()->GetHandle());
    EXPECT_EQ(pGroup, m_client.GetActiveGroup());
    EXPECT_FALSE(pGroup->GetHeaderRect().IsRectEmpty());
    // The children stand in the group's client area.
    CRect rcChild;
    ::GetWindowRect(m_children[0], &rcChild);
    ::MapWindowPoints(NULL, m_client.m_hWnd, reinterpret_cast<LPPOINT>(&rcChild), 2);
    EXPECT_EQ(pGroup->GetClientRect(), rcChild);

    m_pFrame->MDIActivate(CWnd::FromHandle(m_children[0]));
    EXPECT_EQ(m_children[0], pGroup->GetSelectedItem()->GetHandle());
    // Selecting a tab activates its child.
    pGroup->SelectItemByUser(pGroup->GetItem(1));
    EXPECT_EQ(m_children[1], reinterpret_cast<HWND>(::SendMessageW(m_client.m_hWnd, WM_MDIGETACTIVE, 0, 0)));
    // A child that goes takes its tab with it.
    ::SendMessageW(m_client.m_hWnd, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_children[1]), 0);
    EXPECT_EQ((std::vector<CString>{ L"One", L"Three" }), Captions(pGroup));
}

TEST_F(TabClientTest, DraggingInsideTheHeaderSwapsTabsOncePerMove)
{
    CWorkspace* pGroup = Group(0);
    const CPoint ptThird = pGroup->GetItem(2)->GetRect().CenterPoint();
    const CPoint ptSecond = pGroup->GetItem(1)->GetRect().CenterPoint();
    // Over the third tab's place the first takes it; over the second's place it swaps again.
    Drag(pGroup, 0, { ptThird, ptSecond });
    EXPECT_EQ((std::vector<CString>{ L"Three", L"One", L"Two" }), Captions(pGroup));
    EXPECT_EQ(L"One", pGroup->GetSelectedItem()->GetCaption());
    EXPECT_EQ(zpTabDropNone, m_client.m_nLastDropMode);
    EXPECT_EQ(1, m_client.GetGroupCount());
    EXPECT_EQ(static_cast<HWND>(NULL), ::GetCapture());
}

TEST_F(TabClientTest, DropModesSplitAndJoinGroups)
{
    const CRect rc = ClientRect();
    // Near the bottom edge of the only group: a new horizontal group below it.
    Drag(Group(0), 0, { CPoint(rc.CenterPoint().x, rc.bottom - 10) });
    EXPECT_EQ(zpTabDropNewHorizontal, m_client.m_nLastDropMode);
    ASSERT_EQ(2, m_client.GetGroupCount());
    EXPECT_TRUE(m_client.IsHorizontalGroups());
    EXPECT_EQ((std::vector<CString>{ L"Two", L"Three" }), Captions(Group(0)));
    EXPECT_EQ((std::vector<CString>{ L"One" }), Captions(Group(1)));
    EXPECT_EQ(Group(1), m_client.GetActiveGroup());
    // The groups share the height less the splitter, one above the other.
    EXPECT_LT(Group(0)->GetControlRect().bottom, Group(1)->GetControlRect().top);
    EXPECT_NEAR(Group(0)->GetControlRect().Height(), Group(1)->GetControlRect().Height(), 1);

    // Onto the first group's header: the tab goes back, and its emptied group goes after the drag.
    Drag(Group(1), 0, { Group(0)->GetHeaderRect().CenterPoint() });
    EXPECT_EQ(zpTabDropGroup, m_client.m_nLastDropMode);
    ASSERT_EQ(1, m_client.GetGroupCount());
    EXPECT_EQ((std::vector<CString>{ L"Two", L"Three", L"One" }), Captions(Group(0)));

    // Near the right edge: a new vertical group beside it.
    Drag(Group(0), 1, { CPoint(rc.right - 10, rc.CenterPoint().y) });
    EXPECT_EQ(zpTabDropNewVertical, m_client.m_nLastDropMode);
    ASSERT_EQ(2, m_client.GetGroupCount());
    EXPECT_FALSE(m_client.IsHorizontalGroups());
    EXPECT_EQ((std::vector<CString>{ L"Three" }), Captions(Group(1)));
    EXPECT_LT(Group(0)->GetControlRect().right, Group(1)->GetControlRect().left);
}

TEST_F(TabClientTest, DropTargetsFollowTheArrangement)
{
    const CRect rc = ClientRect();
    CWorkspace* pTarget = NULL;
    CRect rcIndicator;
    const CPoint ptBottom(rc.CenterPoint().x, rc.bottom - 10), ptRight(rc.right - 10, rc.CenterPoint().y);
    EXPECT_EQ(zpTabDropNone, m_client.ComputeDropTarget(CPoint(-5, -5), Group(0), &pTarget, &rcIndicator));
    EXPECT_EQ(zpTabDropMenu, m_client.ComputeDropTarget(rc.CenterPoint(), Group(0), &pTarget, &rcIndicator));
    EXPECT_EQ(zpTabDropNewHorizontal, m_client.ComputeDropTarget(ptBottom, Group(0), &pTarget, &rcIndicator));
    EXPECT_EQ(CRect(rc.left, rc.Height() / 2, rc.right, rc.bottom), rcIndicator);
    EXPECT_EQ(zpTabDropGroup,
              m_client.ComputeDropTarget(Group(0)->GetHeaderRect().CenterPoint(), Group(0), &pTarget, &rcIndicator));
    EXPECT_EQ(Group(0)->GetClientRect(), rcIndicator);

    // Split side by side: the bottom zone no longer offers a group, the right one does.
    ASSERT_TRUE(m_client.ExecuteGroupCommand(ZP_ID_TABGROUP_NEWVERTICAL));
    ASSERT_EQ(2, m_client.GetGroupCount());
    EXPECT_EQ(zpTabDropMenu, m_client.ComputeDropTarget(ptBottom, Group(0), &pTarget, &rcIndicator));
    EXPECT_EQ(zpTabDropNewVertical, m_client.ComputeDropTarget(ptRight, Group(0), &pTarget, &rcIndicator));
    EXPECT_EQ(Group(1), pTarget);
    // A group of one tab cannot be split by its own tab.
    const CRect rcOne = Group(1)->GetControlRect();
    EXPECT_EQ(zpTabDropMenu, m_client.ComputeDropTarget(CPoint(rcOne.right - 10, rcOne.CenterPoint().y), Group(1),
                                                        &pTarget, &rcIndicator));
}

TEST_F(TabClientTest, GroupCommandsAreEnabledByPlaceAndTabCount)
{
    struct
    {
        UINT nID;
        BOOL bEnabled;
    } oneGroup[] = { { ZP_ID_TABGROUP_MOVEPREVIOUS, FALSE },
                     { ZP_ID_TABGROUP_MOVENEXT, FALSE },
                     { ZP_ID_TABGROUP_NEWHORIZONTAL, TRUE },
                     { ZP_ID_TABGROUP_NEWVERTICAL, TRUE },
                     { ZP_ID_TABGROUP_CANCEL, TRUE } };
    for (const auto& c : oneGroup)
        EXPECT_EQ(c.bEnabled, m_client.IsGroupCommandEnabled(c.nID)) << c.nID;

    // The active child ("Three") moves into a new group below; alone there, it can only go back.
    ASSERT_TRUE(m_client.ExecuteGroupCommand(ZP_ID_TABGROUP_NEWHORIZONTAL));
    ASSERT_EQ(2, m_client.GetGroupCount());
    EXPECT_EQ((std::vector<CString>{ L"Three" }), Captions(Group(1)));
    EXPECT_TRUE(m_client.IsGroupCommandEnabled(ZP_ID_TABGROUP_MOVEPREVIOUS));
    EXPECT_FALSE(m_client.IsGroupCommandEnabled(ZP_ID_TABGROUP_MOVENEXT));
    EXPECT_FALSE(m_client.IsGroupCommandEnabled(ZP_ID_TABGROUP_NEWHORIZONTAL));
    EXPECT_FALSE(m_client.IsGroupCommandEnabled(ZP_ID_TABGROUP_NEWVERTICAL));
    EXPECT_FALSE(m_client.ExecuteGroupCommand(ZP_ID_TABGROUP_MOVENEXT));

    // In the first group, arranged horizontally, only another horizontal group may be made.
    m_pFrame->MDIActivate(CWnd::FromHandle(m_children[0]));
    EXPECT_TRUE(m_client.IsGroupCommandEnabled(ZP_ID_TABGROUP_MOVENEXT));
    EXPECT_TRUE(m_client.IsGroupCommandEnabled(ZP_ID_TABGROUP_NEWHORIZONTAL));
    EXPECT_FALSE(m_client.IsGroupCommandEnabled(ZP_ID_TABGROUP_NEWVERTICAL));
    ASSERT_TRUE(m_client.ExecuteGroupCommand(ZP_ID_TABGROUP_MOVENEXT));
    EXPECT_EQ((std::vector<CString>{ L"Two" }), Captions(Group(0)));
    EXPECT_EQ((std::vector<CString>{ L"Three", L"One" }), Captions(Group(1)));
}

TEST_F(TabClientTest, DropOnNoTargetOpensTheGroupMenuAndItsCommandMayEmptyTheDraggedGroup)
{
    ASSERT_TRUE(m_client.ExecuteGroupCommand(ZP_ID_TABGROUP_NEWHORIZONTAL));
    ASSERT_EQ(2, m_client.GetGroupCount());
    // The lone tab of the second group is dragged to the middle of the first group's page; the
    // menu's command moves it back, emptying the group the drag runs in.
    const CPoint ptDrop = Group(0)->GetClientRect().CenterPoint();
    m_client.m_onMenu = [&] { EXPECT_TRUE(m_client.ExecuteGroupCommand(ZP_ID_TABGROUP_MOVEPREVIOUS)); };
    Drag(Group(1), 0, { ptDrop });
    EXPECT_EQ(zpTabDropMenu, m_client.m_nLastDropMode);
    ASSERT_EQ(1u, m_client.m_menus.size());
    CPoint ptScreen(ptDrop);
    ::ClientToScreen(m_client.m_hWnd, &ptScreen);
    EXPECT_EQ(ptScreen, m_client.m_menus[0]);
    EXPECT_EQ((std::vector<UINT>{ ZP_ID_TABGROUP_MOVEPREVIOUS, ZP_ID_TABGROUP_CANCEL }), m_client.m_enabled);
    ASSERT_EQ(1, m_client.GetGroupCount());
    EXPECT_EQ((std::vector<CString>{ L"One", L"Two", L"Three" }), Captions(Group(0)));
}

TEST_F(TabClientTest, DragsEndedWithoutADropMoveNothingAndReleaseTheDesktop)
{
    const CRect rc = ClientRect();
    const CPoint ptBottom(rc.CenterPoint().x, rc.bottom - 10);
    const CPoint ptThird = Group(0)->GetItem(2)->GetRect().CenterPoint();
    struct
    {
        const char* name;
        UINT message;
        WPARAM wParam;
    } ends[] = { { "Escape", WM_KEYDOWN, VK_ESCAPE },
                 { "right button", WM_RBUTTONDOWN, 0 },
                 { "cancel mode", WM_CANCELMODE, 0 },
                 { "quit", WM_QUIT, 0 } };
    for (const auto& e : ends) {
        SCOPED_TRACE(e.name);
        std::vector<CString> before = Captions(Group(0));
        // A swap inside the header stays; the split the pointer reached outside does not happen.
        PostMouse(WM_MOUSEMOVE, ptThird);
        PostMouse(WM_MOUSEMOVE, ptBottom);
        ::PostMessageW(m_client.m_hWnd, e.message, e.wParam, 0);
        PostMouse(WM_LBUTTONUP, ptBottom);
        CZPTabManagerItem* pItem = Group(0)->GetItem(0);
        Group(0)->ReorderItemByDrag(&m_client, pItem->GetRect().CenterPoint(), pItem);
        MSG msg;
        if (e.message == WM_QUIT) {
            EXPECT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "quit posted again";
        }
        EXPECT_EQ(1, m_client.GetGroupCount());
        EXPECT_EQ(zpTabDropNone, m_client.m_nLastDropMode);
        EXPECT_EQ(before[0], Captions(Group(0))[2]);
        EXPECT_EQ(static_cast<HWND>(NULL), ::GetCapture());
        // The desktop is unlocked again: another lock can be had.
        EXPECT_TRUE(::LockWindowUpdate(::GetDesktopWindow()));
        ::LockWindowUpdate(NULL);
        // The release posted after the end is left for the client, which ignores it.
        Pump();
    }
}

TEST_F(TabClientTest, ADesktopLockHeldElsewhereIsNeitherUsedNorReleased)
{
    ASSERT_TRUE(::LockWindowUpdate(m_pFrame->m_hWnd));
    const CRect rc = ClientRect();
    Drag(Group(0), 0, { CPoint(rc.CenterPoint().x, rc.bottom - 10) });
    EXPECT_EQ(zpTabDropNewHorizontal, m_client.m_nLastDropMode);
    EXPECT_EQ(2, m_client.GetGroupCount());
    // Still the frame's: a second lock fails until it lets go.
    EXPECT_FALSE(::LockWindowUpdate(::GetDesktopWindow()));
    ::LockWindowUpdate(NULL);
    EXPECT_TRUE(::LockWindowUpdate(::GetDesktopWindow()));
    ::LockWindowUpdate(NULL);
}

TEST_F(TabClientTest, ClosingALoneTabKeepsItsGroupUntilTheIdleUpdate)
{
    ASSERT_TRUE(m_client.ExecuteGroupCommand(ZP_ID_TABGROUP_NEWVERTICAL));
    ASSERT_EQ(2, m_client.GetGroupCount());
    CWorkspace* pGroup = Group(1);
    ASSERT_EQ(1, pGroup->GetItemCount());
    HWND hChild = pGroup->GetItem(0)->GetHandle();
    pGroup->OnNavigateButtonClick(pGroup->GetNavigateButton(zpTabNavigateButtonClose));
    EXPECT_FALSE(::IsWindow(hChild));
    // The group that held the close button is still there, empty, until the idle update.
    ASSERT_EQ(2, m_client.GetGroupCount());
    EXPECT_EQ(0, Group(1)->GetItemCount());
    Pump();
    EXPECT_EQ(1, m_client.GetGroupCount());
    EXPECT_EQ(2, Group(0)->GetItemCount());
}

TEST_F(TabClientTest, ASingleTabIsOnlySelectedWhenDragged)
{
    for (int i = 0; i < 2; i++)
        ::SendMessageW(m_client.m_hWnd, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_children[i]), 0);
    ASSERT_EQ(1, Group(0)->GetItemCount());
    const CRect rc = ClientRect();
    Drag(Group(0), 0, { CPoint(rc.CenterPoint().x, rc.bottom - 10) });
    EXPECT_EQ(1, m_client.GetGroupCount());
    Pump();  // the posted moves reach the client, which only hot-tracks them
    EXPECT_EQ(1, m_client.GetGroupCount());
}

}  // namespace
