// Clicks and drags on a tab strip, driven by messages posted before the loop starts, the hot
// item and the tool hit test.
#include <gtest/gtest.h>

#include <cstdlib>

#include "TabTestHost.h"
#include "TabTestMessages.h"
#include "common/ZPDrawHelpers.h"
#include "common/ZPToolInfo.h"

namespace
{

class TabTracking : public testing::Test
{
protected:
    TabTracking() : m_host(m_pm.Get(), m_window.GetHwnd(), CRect(0, 0, 300, 100))
    {
        m_host.AddCaptions({L"first", L"second", L"third"});
        m_host.SetCurSel(0);
    }
    ~TabTracking() override { DrainQueue(); }

    CPoint CenterOf(int nItem) const { return m_host.GetItem(nItem)->GetRect().CenterPoint(); }
    HWND Hwnd() const { return m_window.GetHwnd(); }

    CTestWindow m_window;
    CPaintManagerRef m_pm;
    CTestTabHost m_host;
};

TEST_F(TabTracking, AClickSelectsOnReleaseOverTheTab)
{
    m_host.SetAllowReorder(FALSE);
    m_pm->m_bSelectOnButtonDown = FALSE;
    Post(Hwnd(), WM_KEYDOWN, 'A', CPoint(0, 0));   // other keys are dropped
    Post(Hwnd(), WM_LBUTTONUP, 0, CenterOf(1));
    EXPECT_TRUE(m_host.HandleMouseDown(m_window.GetWnd(), CenterOf(1)));
    EXPECT_EQ(1, m_host.GetCurSel());
    EXPECT_EQ(NULL, m_host.GetPressedItem());
    EXPECT_NE(Hwnd(), ::GetCapture());
}

TEST_F(TabTracking, EscapeRightButtonCancelModeOrAReleaseElsewhereSelectNothing)
{
    m_host.SetAllowReorder(FALSE);
    m_pm->m_bSelectOnButtonDown = FALSE;
    struct
    {
        UINT nMsg;
        WPARAM wParam;
    } cancels[] = {{WM_KEYDOWN, VK_ESCAPE}, {WM_RBUTTONDOWN, 0}, {WM_CANCELMODE, 0}, {WM_LBUTTONUP, 0}};
    for (const auto& c : cancels)
    {
        Post(Hwnd(), c.nMsg, c.wParam, c.nMsg == WM_LBUTTONUP ? CPoint(290, 90) : CPoint(0, 0));
        Post(Hwnd(), WM_LBUTTONUP, 0, CenterOf(2));
        m_host.TrackClick(m_window.GetWnd(), CenterOf(2), m_host.GetItem(2));
        EXPECT_EQ(0, m_host.GetCurSel()) << c.nMsg;
        EXPECT_EQ(NULL, m_host.GetPressedItem());
        DrainQueue();
    }
}

TEST_F(TabTracking, LosingTheCaptureEndsTheClickAsACancel)
{
    CTimerAction release([] { ::ReleaseCapture(); });
    m_host.TrackClick(m_window.GetWnd(), CenterOf(1), m_host.GetItem(1));
    EXPECT_EQ(0, m_host.GetCurSel());
}

TEST_F(TabTracking, QuitIsPostedAgainForTheOuterLoop)
{
    ::PostQuitMessage(7);
    m_host.TrackClick(m_window.GetWnd(), CenterOf(1), m_host.GetItem(1));
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
}

TEST_F(TabTracking, DeletingThePressedTabDuringTheClick)
{
    CTimerAction remove([this] {
        if (m_host.GetItemCount() == 3)
        {
            m_host.DeleteItem(1);
            EXPECT_EQ(NULL, m_host.GetPressedItem());
            Post(Hwnd(), WM_LBUTTONUP, 0, CenterOf(1));
        }
    });
    m_host.TrackClick(m_window.GetWnd(), CenterOf(1), m_host.GetItem(1));
    EXPECT_EQ(2, m_host.GetItemCount());
    EXPECT_EQ(0, m_host.GetCurSel());
}

TEST_F(TabTracking, TheWindowDestroyedInsideTheLoop)
{
    CTimerAction destroy([this] { ::DestroyWindow(Hwnd()); });
    m_host.TrackClick(m_window.GetWnd(), CenterOf(1), m_host.GetItem(1));
    EXPECT_FALSE(::IsWindow(Hwnd()));
    EXPECT_EQ(0, m_host.GetCurSel());
}

TEST_F(TabTracking, DraggingATabOverAnotherSwapsThemAndSelectsIt)
{
    CZPTabManagerItem* pFirst = m_host.GetItem(0);
    CZPTabManagerItem* pThird = m_host.GetItem(2);
    m_host.SetCurSel(1);
    Post(Hwnd(), WM_MOUSEMOVE, 0, CenterOf(2));
    Post(Hwnd(), WM_LBUTTONUP, 0, CenterOf(2));
    EXPECT_TRUE(m_host.HandleMouseDown(m_window.GetWnd(), CenterOf(0)));
    EXPECT_EQ(pThird, m_host.GetItem(0));
    EXPECT_EQ(pFirst, m_host.GetItem(2));
    EXPECT_EQ(2, pFirst->GetIndex());
    EXPECT_EQ(pFirst, m_host.GetSelectedItem());
}

TEST_F(TabTracking, EscapeEndsADrag)
{
    Post(Hwnd(), WM_KEYDOWN, VK_ESCAPE, CPoint(0, 0));
    Post(Hwnd(), WM_MOUSEMOVE, 0, CenterOf(2));
    m_host.ReorderItemByDrag(m_window.GetWnd(), CenterOf(1), m_host.GetItem(1));
    EXPECT_EQ(L"second", m_host.GetItem(1)->GetCaption());
    EXPECT_EQ(1, m_host.GetCurSel());
}

TEST_F(TabTracking, SelectOnButtonDownSelectsAtOnce)
{
    m_host.SetAllowReorder(FALSE);
    EXPECT_TRUE(m_host.HandleMouseDown(m_window.GetWnd(), CenterOf(2)));
    EXPECT_EQ(2, m_host.GetCurSel());
    EXPECT_FALSE(m_host.HandleMouseDown(m_window.GetWnd(), CPoint(295, 95)));
    EXPECT_FALSE(m_host.HandleMouseDown(m_window.GetWnd(), CenterOf(1), TRUE));
}

TEST_F(TabTracking, HotItemFollowsTheMouseButNeverADisabledTab)
{
    ::SetForegroundWindow(Hwnd());
    if (!ZpIsOwnerChainActive(Hwnd()))
        GTEST_SKIP() << "the test window cannot become the foreground window here";
    m_pm->m_bHotTracking = TRUE;
    m_host.UpdateHotTracking(m_window.GetWnd(), CenterOf(1));
    EXPECT_EQ(m_host.GetItem(1), m_host.GetHighlightedItem());
    m_host.GetItem(2)->SetEnabled(FALSE);
    m_host.UpdateHotTracking(m_window.GetWnd(), CenterOf(2));
    EXPECT_EQ(NULL, m_host.GetHighlightedItem());
    m_host.UpdateHotTracking(m_window.GetWnd(), CenterOf(1));
    m_host.DeleteItem(1);
    EXPECT_EQ(NULL, m_host.GetHighlightedItem());
}

// The tool record of a hit test; its text is the C heap's.
struct CToolHit
{
    INT_PTR nResult;
    TOOLINFOW ti;
    CString strText;
};

CToolHit ToolHitTest(CTestTabHost& host, CWnd* pWnd, CPoint pt)
{
    CToolHit hit = {};
    hit.ti.cbSize = ZP_TTTOOLINFO_SIZE;
    hit.nResult = host.PerformToolHitTest(pWnd, pt, &hit.ti);
    if (hit.ti.lpszText != NULL)
    {
        hit.strText = hit.ti.lpszText;
        free(hit.ti.lpszText);
    }
    return hit;
}

TEST(TabToolTips, ButtonsThenTabsThatAreTooShort)
{
    CTestWindow window;
    CPaintManagerRef pm;
    CTestTabHost host(pm.Get(), window.GetHwnd(), CRect(0, 0, 200, 60));
    host.AddNumberedTabs(12);
    for (int i = 0; i < host.GetItemCount(); i++)
        host.GetItem(i)->SetTooltip(L"Full name");

    CZPTabManagerNavigateButton* pRight = host.GetNavigateButton(zpTabNavigateButtonRight);
    CToolHit hit = ToolHitTest(host, window.GetWnd(), pRight->GetRect().CenterPoint());
    EXPECT_EQ(zpTabNavigateButtonRight, hit.nResult);
    EXPECT_EQ(static_cast<UINT_PTR>(zpTabNavigateButtonRight), hit.ti.uId);
    EXPECT_EQ(window.GetHwnd(), hit.ti.hwnd);
    EXPECT_EQ(pRight->GetRect(), CRect(hit.ti.rect));
    EXPECT_EQ(L"Scroll Right", hit.strText);

    // Mode 2: a tab at its natural length shows nothing, a compressed one its tooltip.
    CPoint ptTab = host.GetItem(1)->GetRect().CenterPoint();
    EXPECT_EQ(-1, ToolHitTest(host, window.GetWnd(), ptTab).nResult);
    pm->SetLayout(zpTabLayoutCompressed);
    ptTab = host.GetItem(1)->GetRect().CenterPoint();
    hit = ToolHitTest(host, window.GetWnd(), ptTab);
    EXPECT_EQ(1, hit.nResult);
    EXPECT_EQ(1u, hit.ti.uId);
    EXPECT_EQ(L"Full name", hit.strText);

    pm->m_nToolTipMode = 0;
    EXPECT_EQ(-1, ToolHitTest(host, window.GetWnd(), ptTab).nResult);
    pm->m_nToolTipMode = 1;
    pm->SetLayout(zpTabLayoutAutoSize);
    host.GetItem(0)->SetTooltip(L"");
    EXPECT_EQ(-1, ToolHitTest(host, window.GetWnd(), host.GetItem(0)->GetRect().CenterPoint()).nResult);
    EXPECT_EQ(1, ToolHitTest(host, window.GetWnd(), host.GetItem(1)->GetRect().CenterPoint()).nResult);
}

}  // namespace
