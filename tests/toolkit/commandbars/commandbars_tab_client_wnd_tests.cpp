// The MDI tab client of a frame with command bars: its group menu is a command-bars popup holding
// the workspace actions and Cancel, and a tracking popup locks the mouse.
#include "commandbars_test_support.h"
#include "toolbar_test_support.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsTabClientWnd.h"
#include "commandbars/ZPControlLists.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPopupBar.h"
#include "tabmanager/ZPTabManagerResource.h"

#include <framework/mdi.h>

namespace {

class CommandBarsTabClientTest : public CommandBarsTest
{
protected:
    CProcessPaintManagerScope m_paintManagerScope;
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        m_pFrame = new CMDIFrameWnd();  // deletes itself with its window
        ASSERT_TRUE(m_pFrame->Create(NULL, L"Workspace", WS_POPUP | WS_VISIBLE, CRect(0, 0, 640, 480)));
        m_commandBars.SetSite(m_pFrame->GetSafeHwnd());
        ASSERT_TRUE(m_client.Attach(m_pFrame));
        for (LPCWSTR lpszTitle : { L"One", L"Two" }) {
            CMDIChildWnd* pChild = new CMDIChildWnd();  // deletes itself with its window
            ASSERT_TRUE(pChild->Create(NULL, lpszTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                       CFrameWnd::rectDefault, m_pFrame));
        }
        m_client.Refresh();
    }
    void TearDown() override
    {
        ZpMouseManager()->CloseAll();
        m_client.Detach();
        if (::IsWindow(m_pFrame->GetSafeHwnd()))
            m_pFrame->DestroyWindow();
        CommandBarsTest::TearDown();
    }

    CMDIFrameWnd* m_pFrame = NULL;
    CZPCommandBars m_commandBars;
    CZPCommandBarsTabClientWnd m_client{ &m_commandBars };
};

TEST_F(CommandBarsTabClientTest, GroupMenuIsAPopupBarWithTheActionsAndCancel)
{
    EXPECT_FALSE(m_client.IsMouseLocked());
    const int nGroupsBefore = m_client.GetGroupCount();
    BOOL bLockedWhileOpen = FALSE;
    CZPPopupBar* pSeen = NULL;
    CStepDriver driver;
    driver.m_steps = {
        [&] {
            CZPMouseManager* pMouse = ZpMouseManager();
            bLockedWhileOpen = m_client.IsMouseLocked();
            if (pMouse->GetTrackedCount() == 0)
                return;
            pSeen = DYNAMIC_DOWNCAST(CZPPopupBar, pMouse->GetTrackedAt(pMouse->GetTrackedCount() - 1));
            if (pSeen == NULL || pSeen->CountControls() < 2)
                return;
            EXPECT_TRUE(pSeen->ControlAt(0)->IsKindOf(RUNTIME_CLASS(CZPControlWorkspaceActions)));
            CZPControl* pCancel = pSeen->ControlAt(1);
            EXPECT_EQ(ZP_ID_TABGROUP_CANCEL, pCancel->GetID());
            EXPECT_TRUE(pCancel->GetBeginGroup());
            EXPECT_NE(0u, pCancel->GetFlags() & 0x8u);
            pCancel->Execute();
        },
    };
    driver.Start();
    m_client.TrackGroupMenu(CPoint(200, 200));
    EXPECT_TRUE(bLockedWhileOpen);
    EXPECT_NE(nullptr, pSeen);
    // Cancel runs nothing and the popup is gone with its lock.
    EXPECT_EQ(nGroupsBefore, m_client.GetGroupCount());
    EXPECT_FALSE(m_client.IsMouseLocked());
}

}  // namespace
