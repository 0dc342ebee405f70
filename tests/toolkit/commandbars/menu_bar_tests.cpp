// The menu bar: its identity, the frame's menu taken and given back, the lone Alt key and its
// popups opening below their titles.
#include "commandbars_test_support.h"
#include "commandbars_tests_ids.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPMenuBar.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPopupBar.h"

namespace {

class MenuBarTest : public CommandBarsTest
{
protected:
    CProcessPaintManagerScope m_paintManagerScope;
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        m_hMenu = ::CreateMenu();
        ::AppendMenuW(m_hMenu, MF_STRING, 900, L"Own");
        ::SetMenu(m_site.m_hWnd, m_hMenu);
        ::ShowWindow(m_site.m_hWnd, SW_SHOWNA);
        m_pCommandBars = new CZPCommandBars;
        m_pCommandBars->SetSite(m_site.m_hWnd);
        m_bar = CRefPtr<CZPMenuBar>::Adopt(new CZPMenuBar);
        m_bar->SetCommandBars(m_pCommandBars);
        m_bar->CreateEx(0, AfxRegisterWndClass(0), L"Menu Bar", WS_CHILD | WS_VISIBLE, 0, 0, 300, 24, m_site.m_hWnd,
                        NULL);
    }
    void TearDown() override
    {
        ZpMouseManager()->CloseAll();
        m_bar.Reset();
        m_pCommandBars->InternalRelease();
        if (::IsMenu(m_hMenu) && ::GetMenu(m_site.m_hWnd) != m_hMenu)
            ::DestroyMenu(m_hMenu);
        CommandBarsTest::TearDown();
    }
    // Titles side by side, 40 wide, as the toolbar layout would place them.
    void PlaceTitles()
    {
        for (int i = 0; i < m_bar->CountControls(); ++i)
            m_bar->ControlAt(i)->SetRect(CRect(2 + 40 * i, 2, 42 + 40 * i, 22));
    }
    CTestSite m_site;
    HMENU m_hMenu = NULL;
    CZPCommandBars* m_pCommandBars = NULL;
    CRefPtr<CZPMenuBar> m_bar;
};

TEST_F(MenuBarTest, IdentityAndLoadingTakeTheFramesMenu)
{
    EXPECT_EQ(zpBarTypeMenuBar, m_bar->GetType());
    EXPECT_EQ(1u, m_bar->GetBarID());
    EXPECT_EQ(0x5Fu, m_bar->GetFlags());
    ASSERT_TRUE(m_bar->LoadMenuResource(IDR_CB_MENU));
    EXPECT_EQ(2, m_bar->CountControls());
    EXPECT_EQ(static_cast<UINT>(IDR_CB_MENU), m_bar->GetResourceId());
    EXPECT_EQ(static_cast<UINT>(IDR_CB_MENU), m_bar->GetCurrentMenuId());
    EXPECT_FALSE(m_bar->IsMdiFrame());
    EXPECT_EQ(NULL, ::GetMenu(m_site.m_hWnd));
    EXPECT_EQ(m_hMenu, m_bar->GetSavedFrameMenu());
}

TEST_F(MenuBarTest, AMissingMenuLeavesTheFramesOwn)
{
    EXPECT_FALSE(m_bar->LoadMenuResource(0x7F00));
    EXPECT_EQ(m_hMenu, ::GetMenu(m_site.m_hWnd));
    EXPECT_EQ(0, m_bar->CountControls());
}

TEST_F(MenuBarTest, TheFrameGetsItsMenuBackWhenTheBarOrTheFrameGoes)
{
    ASSERT_TRUE(m_bar->LoadMenuResource(IDR_CB_MENU));
    m_bar->DestroyWindow();
    EXPECT_EQ(m_hMenu, ::GetMenu(m_site.m_hWnd));

    // The frame's own destruction: its menu is back on it when WM_DESTROY has run.
    CTestSite frame;
    HMENU hMenu = ::CreateMenu();
    ::AppendMenuW(hMenu, MF_STRING, 901, L"Frame");
    ::SetMenu(frame.m_hWnd, hMenu);
    CZPCommandBars* pCommandBars = new CZPCommandBars;
    pCommandBars->SetSite(frame.m_hWnd);
    CRefPtr<CZPMenuBar> bar = CRefPtr<CZPMenuBar>::Adopt(new CZPMenuBar);
    bar->SetCommandBars(pCommandBars);
    ASSERT_TRUE(bar->LoadMenuResource(0));
    EXPECT_EQ(NULL, ::GetMenu(frame.m_hWnd));
    ::SendMessageW(frame.m_hWnd, WM_DESTROY, 0, 0);
    EXPECT_EQ(hMenu, ::GetMenu(frame.m_hWnd));
    EXPECT_EQ(NULL, bar->GetSavedFrameMenu());
    bar.Reset();
    pCommandBars->InternalRelease();
}

TEST_F(MenuBarTest, ALoneAltEntersKeyboardTrackingUnlessShiftIsHeld)
{
    ASSERT_TRUE(m_bar->LoadMenuResource(IDR_CB_MENU));
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    const BYTE old = keys[VK_SHIFT];
    keys[VK_SHIFT] = 0x80;
    ::SetKeyboardState(keys);
    ::SendMessageW(m_site.m_hWnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
    keys[VK_SHIFT] = old;
    ::SetKeyboardState(keys);
    EXPECT_EQ(0, m_bar->GetTrackingMode());

    ::SendMessageW(m_site.m_hWnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_NE(0, m_bar->GetTrackingMode());
    EXPECT_TRUE(m_bar->IsKeyboardEntry());
    EXPECT_EQ(0, m_bar->GetHighlightedIndex());
    m_bar->EndTracking();

    // A modal command-bar loop running: left to the system.
    ZpMouseManager()->EnterModalLoop();
    ::SendMessageW(m_site.m_hWnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
    ZpMouseManager()->LeaveModalLoop();
    EXPECT_EQ(0, m_bar->GetTrackingMode());
}

TEST_F(MenuBarTest, TitlesOpenTheirPopupsBelowThemAndSubMenusBeside)
{
    ASSERT_TRUE(m_bar->LoadMenuResource(IDR_CB_MENU));
    PlaceTitles();
    ASSERT_TRUE(m_bar->OpenControlPopup(0));
    CZPPopupBar* pFile = DYNAMIC_DOWNCAST(CZPPopupBar, m_bar->ControlAt(0)->GetCommandBar());
    ASSERT_TRUE(pFile != NULL);
    ASSERT_TRUE(pFile->GetSafeHwnd() != NULL);
    CRect rcTitle = m_bar->ControlAt(0)->GetRect();
    m_bar->ClientToScreen(&rcTitle);
    CRect rcPopup;
    ::GetWindowRect(pFile->GetSafeHwnd(), &rcPopup);
    EXPECT_EQ(rcTitle.bottom, rcPopup.top);
    EXPECT_EQ(pFile->GetExcludeRect().left, rcPopup.left);  // the theme may widen the title's rectangle
    EXPECT_NEAR(rcTitle.left, rcPopup.left, 1);
    EXPECT_NE(0u, pFile->GetDirection() & ZP_POPUP_DROPDOWN);
    EXPECT_EQ(0, m_bar->GetOpenPopupIndex());

    // The sub-menu opens beside its item.
    CZPControl* pRecent = pFile->GetControls()->FindControl(zpControlPopup, 0, TRUE, FALSE);
    ASSERT_TRUE(pRecent != NULL);
    ASSERT_TRUE(pFile->OpenControlPopup(pRecent->GetIndex()));
    CZPPopupBar* pSub = DYNAMIC_DOWNCAST(CZPPopupBar, pRecent->GetCommandBar());
    ASSERT_TRUE(pSub != NULL && pSub->GetSafeHwnd() != NULL);
    EXPECT_EQ(0u, pSub->GetDirection() & ZP_POPUP_DROPDOWN);

    // The next title closes the first popup and opens its own.
    ASSERT_TRUE(m_bar->OpenControlPopup(1));
    EXPECT_EQ(NULL, pFile->GetSafeHwnd());
    EXPECT_EQ(NULL, pSub->GetSafeHwnd());
    EXPECT_EQ(1, m_bar->GetOpenPopupIndex());
    m_bar->EndTracking();
    EXPECT_EQ(-1, m_bar->GetOpenPopupIndex());
    EXPECT_EQ(NULL, m_bar->ControlAt(1)->GetCommandBar()->GetSafeHwnd());
}

TEST_F(MenuBarTest, TheMouseMovingToAnotherTitleOpensItsPopup)
{
    ASSERT_TRUE(m_bar->LoadMenuResource(IDR_CB_MENU));
    PlaceTitles();
    ASSERT_TRUE(m_bar->OpenControlPopup(0));
    EXPECT_EQ(ZP_TRACKING_POPUP_OPEN, m_bar->GetTrackingMode());
    CZPCommandBar* pFile = m_bar->ControlAt(0)->GetCommandBar();
    CZPCommandBar* pEdit = m_bar->ControlAt(1)->GetCommandBar();
    const CPoint pt = m_bar->ControlAt(1)->GetRect().CenterPoint();
    ::SendMessageW(m_bar->GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(NULL, pFile->GetSafeHwnd());
    ASSERT_TRUE(pEdit->GetSafeHwnd() != NULL);
    EXPECT_EQ(1, m_bar->GetOpenPopupIndex());
    m_bar->EndTracking();
    EXPECT_EQ(NULL, pEdit->GetSafeHwnd());
}

}  // namespace
