// A tab group as a command-bar control: its size and tab side follow the bar, it draws through the
// client's tab paint manager, a click selects and activates a child, tool hit tests answer -1 off
// the tabs, and removal or the client's end leaves no dangling group behind.
#include "commandbars_test_support.h"
#include "paint_manager_pixels.h"

#include "commandbars/ZPControlTabWorkspace.h"
#include "common/ZPToolInfo.h"
#include "tabmanager/ZPTabAppearanceSet.h"
#include "tabmanager/ZPTabManagerItem.h"
#include "tabmanager/ZPTabPaintManager.h"

#include <framework/mdi.h>

#include <algorithm>
#include <memory>

namespace {

const int kBarWidth = 300;
const int kBarHeight = 60;

class ControlTabWorkspaceTest : public CommandBarsTest
{
protected:
    CProcessPaintManagerScope m_paintManagerScope;
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        m_pFrame = new CMDIFrameWnd();  // deletes itself with its window
        ASSERT_TRUE(m_pFrame->Create(NULL, L"Workspace", WS_POPUP | WS_VISIBLE, CRect(0, 100, 640, 580)));
        m_pClient.reset(new CZPTabClientWnd);
        ASSERT_TRUE(m_pClient->Attach(m_pFrame));
        for (LPCWSTR lpszTitle : { L"One", L"Two", L"Three" }) {
            CMDIChildWnd* pChild = new CMDIChildWnd();  // deletes itself with its window
            ASSERT_TRUE(pChild->Create(NULL, lpszTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                       CFrameWnd::rectDefault, m_pFrame));
            m_children.push_back(pChild->GetSafeHwnd());
        }
        m_pClient->Refresh();
        m_pClient->GetPaintManager()->m_nToolTipMode = 1;

        m_pBar = new CZPCommandBar;
        ASSERT_TRUE(m_pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP | WS_VISIBLE, 0, 0, kBarWidth,
                                     kBarHeight, NULL, NULL));
        m_pControl = static_cast<CZPControlTabWorkspace*>(m_pBar->GetControls()->Append(new CZPControlTabWorkspace));
    }
    void TearDown() override
    {
        if (m_pBar != NULL) {
            m_pBar->DestroyWindow();
            m_pBar->InternalRelease();
        }
        m_pClient.reset();
        if (::IsWindow(m_pFrame->GetSafeHwnd()))
            m_pFrame->DestroyWindow();
        CommandBarsTest::TearDown();
    }

    // Joins the client, takes a tab for every child and lays the strip out at the bar's top left.
    void JoinWithTabs()
    {
        m_pControl->SetTabClient(m_pClient.get());
        for (HWND hChild : m_children) {
            CZPTabManagerItem* pItem = m_pControl->AddItem(-1);
            pItem->SetHandle(hChild);
            WCHAR szTitle[32] = {};
            ::GetWindowTextW(hChild, szTitle, 32);
            pItem->SetCaption(szTitle);
        }
        m_pControl->SetCurSel(0);
        CClientDC dc(m_pBar);
        const CSize size = m_pControl->GetSize(&dc);
        m_pControl->SetRect(CRect(CPoint(0, 0), size));
    }

    INT_PTR BarToolHit(CPoint point, CString* pText = NULL, UINT_PTR* pId = NULL)
    {
        TOOLINFOW ti = {};
        ti.cbSize = ZP_TTTOOLINFO_SIZE;
        const INT_PTR nHit = m_pBar->OnToolHitTest(point, &ti);
        if (pText != NULL)
            *pText = ti.lpszText != NULL ? ti.lpszText : L"";
        if (pId != NULL)
            *pId = ti.uId;
        free(ti.lpszText);
        return nHit;
    }

    // The bar as WM_PRINTCLIENT paints it.
    std::unique_ptr<CDibSection> PrintBar()
    {
        std::unique_ptr<CDibSection> pDib(new CDibSection(kBarWidth, kBarHeight, RGB(1, 2, 3)));
        ::SendMessageW(m_pBar->GetSafeHwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(pDib->GetDC()), PRF_CLIENT);
        return pDib;
    }

    CMDIFrameWnd* m_pFrame = NULL;
    std::unique_ptr<CZPTabClientWnd> m_pClient;
    std::vector<HWND> m_children;
    CZPCommandBar* m_pBar = NULL;
    CZPControlTabWorkspace* m_pControl = NULL;  // borrowed from the bar's collection
};

TEST_F(ControlTabWorkspaceTest, BuiltAsAFixedWidthControlThatKeyboardNavigationSkips)
{
    EXPECT_EQ(220, m_pControl->GetWidth());
    EXPECT_EQ(static_cast<DWORD>(zpFlagNoMovable | zpFlagSkipFocus), m_pControl->GetFlags());
    EXPECT_EQ(NULL, m_pControl->GetTabClient());
    // Without a client it is the plain button: no tool of its own.
    EXPECT_EQ(-1, m_pControl->OnToolHitTest(CPoint(5, 5), NULL));

    m_pControl->SetID(77);
    m_pControl->SetTabClient(m_pClient.get());
    CRefPtr<CZPControl> pClone = CRefPtr<CZPControl>::Adopt(m_pControl->Clone(FALSE));
    ASSERT_TRUE(pClone->IsKindOf(RUNTIME_CLASS(CZPControlTabWorkspace)));
    EXPECT_EQ(77, pClone->GetID());
    EXPECT_EQ(220, pClone->GetWidth());
}

TEST_F(ControlTabWorkspaceTest, DepthIsTheHeaderDepthAndTheTabsFaceTheBarsSide)
{
    JoinWithTabs();
    CZPTabPaintManager* pPaintManager = m_pClient->GetPaintManager();
    CClientDC dc(m_pBar);
    pPaintManager->m_bStaticFrame = FALSE;
    const CRect rcHeader = pPaintManager->GetAppearanceSet()->GetHeaderRect(CRect(0, 0, 220, 0), m_pControl);
    const int nDepth = rcHeader.Height();
    ASSERT_GT(nDepth, 10);
    EXPECT_EQ(CSize(220, nDepth), m_pControl->GetSize(&dc));
    pPaintManager->m_bStaticFrame = TRUE;
    EXPECT_EQ(CSize(220, nDepth + 2), m_pControl->GetSize(&dc));
    pPaintManager->m_bStaticFrame = FALSE;

    struct Case
    {
        int nBarPosition;
        int nTabPosition;
        BOOL bVertical;
    };
    const Case cases[] = { { zpBarTop, zpTabPositionTop, FALSE },      { zpBarBottom, zpTabPositionBottom, FALSE },
                           { zpBarLeft, zpTabPositionLeft, TRUE },     { zpBarRight, zpTabPositionRight, TRUE },
                           { zpBarFloating, zpTabPositionTop, FALSE }, { zpBarPopup, zpTabPositionTop, TRUE } };
    for (const Case& c : cases) {
        m_pBar->SetPosition(c.nBarPosition);
        EXPECT_EQ(c.nTabPosition, m_pControl->GetPosition()) << c.nBarPosition;
        EXPECT_EQ(c.bVertical ? CSize(nDepth, 220) : CSize(220, nDepth), m_pControl->GetSize(&dc)) << c.nBarPosition;
    }
}

TEST_F(ControlTabWorkspaceTest, ToolHitTestNamesTabZeroAndAnswersMinusOneOffTheTabs)
{
    JoinWithTabs();
    const CRect rcFirst = m_pControl->GetItem(0)->GetRect();
    const CRect rcLast = m_pControl->GetItem(2)->GetRect();
    ASSERT_FALSE(rcFirst.IsRectEmpty());

    CString strText;
    UINT_PTR nId = 99;
    EXPECT_EQ(0, BarToolHit(rcFirst.CenterPoint(), &strText, &nId));
    EXPECT_EQ(0u, nId);
    EXPECT_EQ(L"One", strText);
    EXPECT_EQ(2, BarToolHit(rcLast.CenterPoint(), &strText, &nId));
    EXPECT_EQ(L"Three", strText);

    // Inside the control but on no tab: no tool at all, not "tab 0".
    const CPoint ptPastTabs(rcLast.right + 10, rcLast.CenterPoint().y);
    ASSERT_TRUE(m_pControl->GetRect().PtInRect(ptPastTabs));
    EXPECT_EQ(-1, m_pControl->OnToolHitTest(ptPastTabs, NULL));
    EXPECT_EQ(-1, BarToolHit(ptPastTabs));

    // Tooltips switched off: no tool on a tab either.
    m_pClient->GetPaintManager()->m_nToolTipMode = 0;
    EXPECT_EQ(-1, BarToolHit(rcFirst.CenterPoint()));
}

TEST_F(ControlTabWorkspaceTest, ClickSelectsTheTabActivatesItsChildAndRedrawsThroughTheTabPainter)
{
    JoinWithTabs();
    // The selected tab's fill (a vertical gradient) on one row clear of the captions; tabs overlap
    // their neighbours, so each tab is judged by how much of that row shows the fill.
    std::unique_ptr<CDibSection> pBefore = PrintBar();
    const CRect rcFirst = m_pControl->GetItem(0)->GetRect();
    const int yRow = rcFirst.top + rcFirst.Height() / 2 + 2;
    const COLORREF clrSelected = pBefore->GetPixel(rcFirst.right - 5, yRow);
    auto SelectedShare = [&](const CDibSection& dib, int nItem) {
        const CRect rc = m_pControl->GetItem(nItem)->GetRect();
        int nCount = 0;
        for (int x = rc.left; x < rc.right; ++x)
            nCount += dib.GetPixel(x, yRow) == clrSelected;
        return nCount * 100 / std::max(1, rc.Width());
    };
    EXPECT_GT(SelectedShare(*pBefore, 0), 50);
    EXPECT_LT(SelectedShare(*pBefore, 1), 10);

    // The press starts the tab drag on the bar's window; the release ends it where it began.
    const CPoint ptSecond = m_pControl->GetItem(1)->GetRect().CenterPoint();
    ::PostMessageW(m_pBar->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(ptSecond.x, ptSecond.y));
    m_pControl->OnClick(FALSE, ptSecond);
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_EQ(1, m_pControl->GetCurSel());
    EXPECT_EQ(m_children[1], reinterpret_cast<HWND>(::SendMessageW(m_pClient->GetSafeHwnd(), WM_MDIGETACTIVE, 0, 0)));
    EXPECT_EQ(L"Two", m_pControl->GetItem(1)->GetCaption());  // a click in place swaps nothing

    std::unique_ptr<CDibSection> pAfter = PrintBar();
    EXPECT_GT(SelectedShare(*pAfter, 1), 50);
    EXPECT_LT(SelectedShare(*pAfter, 0), 50);

    // A keyboard click changes nothing.
    m_pControl->OnClick(TRUE, m_pControl->GetItem(2)->GetRect().CenterPoint());
    EXPECT_EQ(1, m_pControl->GetCurSel());
}

TEST_F(ControlTabWorkspaceTest, RemovedWhileTheActiveGroupLeavesTheClientWithoutIt)
{
    JoinWithTabs();
    EXPECT_EQ(1, m_pClient->GetGroupControlCount());
    CTestStepWindow steps;
    CZPTabClientWnd::CWorkspace* pActiveInDrag = NULL;
    CZPTabClientWnd::CWorkspace* pActiveAfterRemoval = m_pControl;
    const CPoint ptFirst = m_pControl->GetItem(0)->GetRect().CenterPoint();
    steps.Post([&] {
        pActiveInDrag = m_pClient->GetActiveGroup();
        m_pBar->GetControls()->Remove(m_pControl);
        pActiveAfterRemoval = m_pClient->GetActiveGroup();
        ::PostMessageW(m_pBar->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(ptFirst.x, ptFirst.y));
    });
    CRefPtr<CZPControlTabWorkspace> hold = CRefPtr<CZPControlTabWorkspace>::AddRef(m_pControl);
    m_pControl->OnClick(FALSE, ptFirst);
    EXPECT_EQ(static_cast<CZPTabClientWnd::CWorkspace*>(m_pControl), pActiveInDrag);
    EXPECT_EQ(NULL, pActiveAfterRemoval);
    EXPECT_EQ(0, m_pClient->GetGroupControlCount());
    EXPECT_EQ(NULL, ::GetCapture());
    // The client's own group is active again after its refresh.
    EXPECT_EQ(m_pClient->GetGroup(0), m_pClient->GetActiveGroup());
}

TEST_F(ControlTabWorkspaceTest, MovingATabOutOfTheControlTakesThatTabNotTheClientsOneForTheSameChild)
{
    JoinWithTabs();
    CZPTabClientWnd::CWorkspace* pGroup = m_pClient->GetGroup(0);
    ASSERT_EQ(3, pGroup->GetItemCount());
    CZPTabManagerItem* pOwn = pGroup->FindItem(m_children[2]);
    CZPTabManagerItem* pMoved = m_pControl->GetItem(2);
    ASSERT_EQ(m_children[2], pMoved->GetHandle());
    EXPECT_EQ(static_cast<CZPTabClientWnd::CWorkspace*>(m_pControl), m_pClient->GroupOfItem(pMoved));

    EXPECT_TRUE(m_pClient->MoveItem(pMoved, pGroup, zpTabDropGroup));
    EXPECT_EQ(2, m_pControl->GetItemCount());
    ASSERT_EQ(4, pGroup->GetItemCount());
    EXPECT_EQ(pOwn, pGroup->GetItem(2));
    EXPECT_EQ(pMoved, pGroup->GetItem(3));

    // A group control is never split: the client's groups alone share its room.
    const int nGroups = m_pClient->GetGroupCount();
    EXPECT_FALSE(m_pClient->MoveItem(pGroup->GetItem(0), m_pControl, zpTabDropNewHorizontal));
    EXPECT_EQ(nGroups, m_pClient->GetGroupCount());
    EXPECT_EQ(4, pGroup->GetItemCount());
}

TEST_F(ControlTabWorkspaceTest, ClientThatGoesFirstLeavesAPlainButton)
{
    JoinWithTabs();
    m_pClient.reset();
    EXPECT_EQ(NULL, m_pControl->GetTabClient());
    CClientDC dc(m_pBar);
    m_pControl->GetSize(&dc);  // the button's measure: nothing of the client is read
    EXPECT_EQ(-1, m_pControl->OnToolHitTest(CPoint(5, 5), NULL));
    std::unique_ptr<CDibSection> pDib = PrintBar();
    EXPECT_TRUE(::IsWindow(m_pBar->GetSafeHwnd()));
}

}  // namespace
