// The menu bar in an MDI frame: a maximized child's minimize, restore and close buttons come and
// go with the child, follow its styles and the bar's flags, and send the child its commands.
#include "commandbars_test_support.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPMenuBar.h"

#include <framework/mdi.h>

#include <vector>

namespace {

class MenuBarMdiTest : public CommandBarsTest
{
protected:
    CProcessPaintManagerScope m_paintManagerScope;
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        m_pFrame = new CMDIFrameWnd();  // deletes itself with its window
        ASSERT_TRUE(m_pFrame->Create(NULL, L"Workspace", WS_POPUP | WS_VISIBLE, CRect(0, 0, 640, 480)));
        m_pCommandBars = new CZPCommandBars;
        m_pCommandBars->SetSite(m_pFrame->GetSafeHwnd());
        m_bar = CRefPtr<CZPMenuBar>::Adopt(new CZPMenuBar);
        m_bar->SetCommandBars(m_pCommandBars);
        m_bar->CreateEx(0, AfxRegisterWndClass(0), L"Menu Bar", WS_CHILD | WS_VISIBLE, 0, 0, 300, 24,
                        m_pFrame->GetSafeHwnd(), NULL);
        ASSERT_TRUE(m_bar->LoadMenuResource(0));
    }
    void TearDown() override
    {
        m_bar.Reset();
        m_pCommandBars->InternalRelease();
        if (::IsWindow(FrameHwnd()))
            ::DestroyWindow(FrameHwnd());
        CommandBarsTest::TearDown();
    }
    HWND FrameHwnd() const { return m_pFrame->GetSafeHwnd(); }
    HWND NewChild(DWORD dwStyle)
    {
        CMDIChildWnd* pChild = new CMDIChildWnd();  // deletes itself with its window
        if (!pChild->Create(NULL, L"Doc", WS_CHILD | WS_VISIBLE | dwStyle, CFrameWnd::rectDefault, m_pFrame))
            return NULL;
        return pChild->GetSafeHwnd();
    }
    // The ids of the bar's MDI buttons, in order.
    std::vector<int> MdiButtons() const
    {
        std::vector<int> ids;
        for (int i = 0; i < m_bar->CountControls(); ++i) {
            const int nId = m_bar->ControlAt(i)->GetID();
            if (nId >= ZP_ID_MDI_CLOSE && nId <= ZP_ID_MDI_SYSMENU)
                ids.push_back(nId);
        }
        return ids;
    }

    CMDIFrameWnd* m_pFrame = NULL;
    CZPCommandBars* m_pCommandBars = NULL;
    CRefPtr<CZPMenuBar> m_bar;
};

const std::vector<int> kAllButtons = { ZP_ID_MDI_MINIMIZE, ZP_ID_MDI_RESTORE, ZP_ID_MDI_CLOSE };

TEST_F(MenuBarMdiTest, AMaximizedChildGetsItsButtonsUntilItIsRestored)
{
    EXPECT_TRUE(m_bar->IsMdiFrame());
    HWND hWndChild = NewChild(WS_OVERLAPPEDWINDOW);
    ASSERT_NE(nullptr, hWndChild);
    m_bar->RefreshMdiState();
    EXPECT_EQ(hWndChild, m_bar->GetTrackedMdiChild());
    EXPECT_TRUE(MdiButtons().empty());

    ::ShowWindow(hWndChild, SW_MAXIMIZE);
    m_bar->RefreshMdiState();
    ASSERT_EQ(kAllButtons, MdiButtons());
    CZPControl* pClose = m_bar->GetControls()->FindControlById(ZP_ID_MDI_CLOSE);
    EXPECT_TRUE(pClose->IsTemporary());
    EXPECT_EQ(0x1Bu, pClose->GetFlags() & 0x1Bu);
    EXPECT_EQ(CString(L"r"), pClose->GetCaption());
    // A second refresh adds nothing more.
    m_bar->RefreshMdiState();
    EXPECT_EQ(kAllButtons, MdiButtons());

    ::ShowWindow(hWndChild, SW_RESTORE);
    m_bar->RefreshMdiState();
    EXPECT_TRUE(MdiButtons().empty());
}

TEST_F(MenuBarMdiTest, ButtonsFollowTheChildsStylesAndTheBarsFlags)
{
    struct Case
    {
        DWORD dwChildStyle;
        DWORD dwBarFlags;
        std::vector<int> expect;
    } cases[] = {
        { WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX, 0, { ZP_ID_MDI_MINIMIZE, ZP_ID_MDI_CLOSE } },
        { WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX, 0, { ZP_ID_MDI_RESTORE, ZP_ID_MDI_CLOSE } },
        { WS_OVERLAPPEDWINDOW, ZP_MENUBAR_FLAG_NO_CLOSE, { ZP_ID_MDI_MINIMIZE, ZP_ID_MDI_RESTORE } },
        { WS_OVERLAPPEDWINDOW, ZP_MENUBAR_FLAG_NO_MINIMIZE | ZP_MENUBAR_FLAG_NO_RESTORE, { ZP_ID_MDI_CLOSE } },
        // Without a system menu no button at all.
        { WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, {} },
    };
    for (const Case& c : cases) {
        m_bar->ModifyBarFlags(0xFFFFFFFF, 0);
        m_bar->ModifyBarFlags(0, ZP_MENUBAR_FLAGS | c.dwBarFlags);
        HWND hWndChild = NewChild(c.dwChildStyle);
        ASSERT_NE(nullptr, hWndChild);
        ::ShowWindow(hWndChild, SW_MAXIMIZE);
        m_bar->RefreshMdiState();
        EXPECT_EQ(c.expect, MdiButtons()) << std::hex << c.dwChildStyle << " " << c.dwBarFlags;
        ::DestroyWindow(hWndChild);
        m_bar->RefreshMdiState();
        EXPECT_TRUE(MdiButtons().empty());
    }
}

TEST_F(MenuBarMdiTest, ButtonsSendTheirCommandToTheActiveChild)
{
    HWND hWndChild = NewChild(WS_OVERLAPPEDWINDOW);
    ASSERT_NE(nullptr, hWndChild);
    ::ShowWindow(hWndChild, SW_MAXIMIZE);
    m_bar->RefreshMdiState();
    const struct
    {
        int nId;
        WPARAM nCommand;
    } cases[] = { { ZP_ID_MDI_MINIMIZE, SC_MINIMIZE },
                  { ZP_ID_MDI_RESTORE, SC_RESTORE },
                  { ZP_ID_MDI_CLOSE, SC_CLOSE } };
    for (const auto& c : cases) {
        CZPControl* pButton = m_bar->GetControls()->FindControlById(c.nId);
        ASSERT_NE(nullptr, pButton);
        pButton->Execute();
        MSG msg = {};
        ASSERT_TRUE(::PeekMessageW(&msg, hWndChild, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE)) << c.nId;
        EXPECT_EQ(c.nCommand, msg.wParam);
    }
}

TEST_F(MenuBarMdiTest, MdiMessagesPostTheRefreshTimer)
{
    HWND hWndChild = NewChild(WS_OVERLAPPEDWINDOW);
    ASSERT_NE(nullptr, hWndChild);
    MSG msg = {};
    while (::PeekMessageW(&msg, m_bar->GetSafeHwnd(), WM_TIMER, WM_TIMER, PM_REMOVE)) {
    }
    // Maximizing through the MDI client reaches the hooked client: the bar posts itself 12223.
    ::SendMessageW(m_pFrame->m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hWndChild), 0);
    ::SendMessageW(m_pFrame->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hWndChild), 0);
    ASSERT_TRUE(::PeekMessageW(&msg, m_bar->GetSafeHwnd(), WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(ZP_TIMER_MENUBAR_MDI_REFRESH, msg.wParam);
    ::DispatchMessageW(&msg);
    EXPECT_EQ(kAllButtons, MdiButtons());
}

}  // namespace
