// The menu bar in an MDI frame: a maximized child's minimize, restore and close buttons come and
// go with the child, follow its styles and the bar's flags, and send the child its commands.
#include "commandbars_test_support.h"
#include "commandbars_tests_ids.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPMenuBar.h"
#include "commandbars/ZPMenuBarMDIMenus.h"
#include "common/ZPImageManager.h"
#include "common/ZPPropExchangeArchive.h"

#include "archive_helpers.h"

#include <framework/mdi.h>

#include <vector>

namespace {

// Command bars whose site may or may not offer customization.
class CTestCommandBars : public CZPCommandBars
{
public:
    BOOL IsCustomizeAvailable() const override { return m_bCustomizeAvailable; }
    BOOL m_bCustomizeAvailable = FALSE;
};

class MenuBarMdiTest : public CommandBarsTest
{
protected:
    CProcessPaintManagerScope m_paintManagerScope;
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        m_pFrame = new CMDIFrameWnd();  // deletes itself with its window
        ASSERT_TRUE(m_pFrame->Create(NULL, L"Workspace", WS_POPUP | WS_VISIBLE, CRect(0, 0, 640, 480)));
        m_pCommandBars = new CTestCommandBars;
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
    HWND NewChild(DWORD dwStyle, UINT nIDResource = 0)
    {
        CMDIChildWnd* pChild = new CMDIChildWnd();  // deletes itself with its window
        if (!pChild->Create(NULL, L"Doc", WS_CHILD | WS_VISIBLE | dwStyle, CFrameWnd::rectDefault, m_pFrame))
            return NULL;
        pChild->m_nIDHelp = nIDResource;
        return pChild->GetSafeHwnd();
    }
    LRESULT SetMdiMenu(HMENU hMenu)
    {
        return ::SendMessageW(m_pFrame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenu), 0);
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
    CTestCommandBars* m_pCommandBars = NULL;
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

// A menu of popups with the given captions; destroyed by the caller.
HMENU MakeMenu(const std::vector<LPCWSTR>& captions)
{
    HMENU hMenu = ::CreateMenu();
    for (LPCWSTR pszCaption : captions)
        ::AppendMenuW(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), pszCaption);
    return hMenu;
}

const UINT kDocMenuId = 4500;

TEST_F(MenuBarMdiTest, TheSystemMenuControlShowsTheMaximizedChildsIconAndMenu)
{
    HWND hWndChild = NewChild(WS_OVERLAPPEDWINDOW);
    ASSERT_NE(nullptr, hWndChild);
    ::ShowWindow(hWndChild, SW_MAXIMIZE);
    m_bar->RefreshMdiState();
    EXPECT_EQ(kAllButtons, MdiButtons());  // without flag 0x2000 no system-menu control

    m_bar->ModifyBarFlags(0, ZP_MENUBAR_FLAG_SYSMENU);
    m_bar->RefreshMdiState();
    ASSERT_GT(m_bar->CountControls(), 0);
    using CSysMenuControl = CZPMenuBar::CControlMDISysMenuPopup;
    ASSERT_TRUE(m_bar->ControlAt(0)->IsKindOf(&CSysMenuControl::classCControlMDISysMenuPopup));
    auto* pSysMenu = static_cast<CSysMenuControl*>(m_bar->ControlAt(0));
    EXPECT_EQ(ZP_ID_MDI_SYSMENU, pSysMenu->GetID());
    EXPECT_TRUE(pSysMenu->IsTemporary());
    EXPECT_EQ(0x18u, pSysMenu->GetFlags() & 0x18u);
    EXPECT_NE(nullptr, pSysMenu->GetIcon());
    HMENU hSysMenu = ::GetSystemMenu(hWndChild, FALSE);
    EXPECT_EQ(hSysMenu, pSysMenu->GetShownMenu());
    CRect rc(10, 10, 26, 26);
    pSysMenu->AdjustExcludeRect(rc, FALSE);
    EXPECT_EQ(CRect(9, 9, 27, 27), rc);

    // The popup holds the system commands as buttons, one per item that is not a separator.
    CZPCommandBar* pPopup = pSysMenu->GetCommandBar();
    ASSERT_NE(nullptr, pPopup);
    EXPECT_FALSE(pPopup->IsCustomizable());
    int nItems = 0;
    for (int i = 0; i < ::GetMenuItemCount(hSysMenu); ++i)
        nItems += (::GetMenuState(hSysMenu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) == 0;
    EXPECT_EQ(nItems, pPopup->CountControls());
    CZPControl* pClose = pPopup->GetControls()->FindControlById(SC_CLOSE);
    ASSERT_NE(nullptr, pClose);
    EXPECT_EQ(zpControlButton, pClose->GetType());
    EXPECT_EQ(0x08u, pClose->GetFlags() & 0x08u);
    EXPECT_FALSE(pClose->GetCaption().IsEmpty());
    // The four system commands carry the toolkit's 16 x 16 images, given when the bar attached.
    for (UINT nCommand : {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE})
        EXPECT_NE(nullptr, m_bar->ResolveImageManager()->GetImage(nCommand, 16)) << std::hex << nCommand;

    // A refresh with the same menu keeps the control; a restored child loses it.
    m_bar->RefreshMdiState();
    EXPECT_EQ(pSysMenu, m_bar->ControlAt(0));
    ::ShowWindow(hWndChild, SW_RESTORE);
    m_bar->RefreshMdiState();
    EXPECT_EQ(nullptr, m_bar->GetControls()->FindControlById(ZP_ID_MDI_SYSMENU));
}

TEST_F(MenuBarMdiTest, TemplateMenusSwitchTheControlsAndEachKeepsItsOwn)
{
    m_pCommandBars->m_bCustomizeAvailable = TRUE;
    HMENU hDefault = ::LoadMenuW(::GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDR_CB_MENU));
    ::SetMenu(FrameHwnd(), hDefault);
    ASSERT_TRUE(m_bar->LoadMenuResource(IDR_CB_MENU));
    m_bar->GetControls()->CreateOriginalControls();
    EXPECT_EQ(hDefault, m_bar->GetSavedFrameMenu());
    const int nDefaultCount = m_bar->CountControls();
    ASSERT_GT(nDefaultCount, 0);

    HWND hWndChild = NewChild(WS_OVERLAPPEDWINDOW, kDocMenuId);
    ASSERT_NE(nullptr, hWndChild);
    m_bar->RefreshMdiState();
    HMENU hDoc = MakeMenu({ L"&Doc", L"&Window", L"&Help" });
    EXPECT_EQ(0, SetMdiMenu(hDoc));
    EXPECT_EQ(nullptr, ::GetMenu(FrameHwnd()));  // the frame never shows a menu of its own
    EXPECT_EQ(kDocMenuId, m_bar->GetCurrentMenuId());
    ASSERT_EQ(3, m_bar->CountControls());
    EXPECT_EQ(CString(L"&Doc"), m_bar->ControlAt(0)->GetCaption());
    CZPMenuBarMDIMenuInfo* pDefault = m_bar->GetMdiMenus()->Lookup(IDR_CB_MENU);
    ASSERT_NE(nullptr, pDefault);
    EXPECT_EQ(nDefaultCount, pDefault->GetControls()->GetCount());
    EXPECT_FALSE(m_bar->CanRestoreOriginal());

    // The user drops a control from the document's menu, then the default menu comes back.
    m_bar->GetControls()->RemoveAt(2);
    EXPECT_TRUE(m_bar->CanRestoreOriginal());
    EXPECT_EQ(0, SetMdiMenu(NULL));  // no menu: the frame's default
    EXPECT_EQ(IDR_CB_MENU, m_bar->GetCurrentMenuId());
    EXPECT_EQ(nDefaultCount, m_bar->CountControls());
    EXPECT_EQ(nullptr, m_bar->GetMdiMenus()->Lookup(IDR_CB_MENU));  // shown, so not kept aside
    SetMdiMenu(hDoc);
    EXPECT_EQ(2, m_bar->CountControls());  // the document's own, as the user left them
    EXPECT_EQ(CString(L"&Doc"), m_bar->ControlAt(0)->GetCaption());
    EXPECT_NE(nullptr, m_bar->GetMdiMenus()->Lookup(IDR_CB_MENU));
    ::DestroyMenu(hDoc);
}

TEST_F(MenuBarMdiTest, WithoutCustomizationATemplateMenuRebuildsTheControls)
{
    ASSERT_TRUE(m_bar->LoadMenuResource(IDR_CB_MENU));
    HWND hWndChild = NewChild(WS_OVERLAPPEDWINDOW, kDocMenuId);
    ASSERT_NE(nullptr, hWndChild);
    m_bar->RefreshMdiState();
    HMENU hDoc = MakeMenu({ L"&Doc" });
    SetMdiMenu(hDoc);
    EXPECT_EQ(1, m_bar->CountControls());
    EXPECT_EQ(kDocMenuId, m_bar->GetCurrentMenuId());
    EXPECT_EQ(0, m_bar->GetMdiMenus()->GetCount());
    // An empty menu switches nothing; a hidden bar passes nothing on but switches nothing either.
    HMENU hEmpty = ::CreateMenu();
    ::SendMessageW(m_pFrame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hEmpty), 0);
    EXPECT_EQ(1, m_bar->CountControls());
    ::DestroyMenu(hEmpty);
    ::DestroyMenu(hDoc);
}

TEST_F(MenuBarMdiTest, ChangedTemplateMenusAreStoredAndADamagedCountIsBounded)
{
    m_pCommandBars->m_bCustomizeAvailable = TRUE;
    ASSERT_TRUE(m_bar->LoadMenuResource(IDR_CB_MENU));
    ASSERT_NE(nullptr, NewChild(WS_OVERLAPPEDWINDOW, kDocMenuId));
    m_bar->RefreshMdiState();
    HMENU hDoc = MakeMenu({ L"&Doc", L"&Window", L"&Help" });
    SetMdiMenu(hDoc);
    ::DestroyMenu(hDoc);
    m_bar->GetControls()->RemoveAt(0);

    auto store = [](CZPMenuBar* pBar) {
        return StoreBytes([&](CArchive& ar) {
            CZPPropExchangeArchive px(ar);
            px.SetSchema(ZP_COMMANDBARS_SCHEMA);
            pBar->ExchangeProperties(&px);
        });
    };
    auto load = [](const Bytes& bytes, CZPMenuBar* pBar) {
        try {
            LoadBytes(bytes, [&](CArchive& ar) {
                CZPPropExchangeArchive px(ar);
                px.SetSchema(ZP_COMMANDBARS_SCHEMA);
                pBar->ExchangeProperties(&px);
            });
        } catch (CException* e) {
            e->Delete();
        }
    };
    const Bytes bytes = store(m_bar.Get());
    // Storing put the default controls back on the bar: only the changed document menu is stored.
    EXPECT_EQ(IDR_CB_MENU, m_bar->GetCurrentMenuId());
    CRefPtr<CZPMenuBar> loaded = CRefPtr<CZPMenuBar>::Adopt(new CZPMenuBar);
    load(bytes, loaded.Get());
    EXPECT_EQ(IDR_CB_MENU, loaded->GetResourceId());
    ASSERT_EQ(1, loaded->GetMdiMenus()->GetCount());
    CZPMenuBarMDIMenuInfo* pInfo = loaded->GetMdiMenus()->Lookup(kDocMenuId);
    ASSERT_NE(nullptr, pInfo);
    ASSERT_EQ(2, pInfo->GetControls()->GetCount());
    EXPECT_EQ(CString(L"&Window"), pInfo->GetControls()->GetAt(0)->GetCaption());

    // A bar without template menus ends with a count of 0 (two bytes); claiming 2^31 sections
    // reads what is there and stops.
    CRefPtr<CZPMenuBar> plain = CRefPtr<CZPMenuBar>::Adopt(new CZPMenuBar);
    Bytes damaged = store(plain.Get());
    ASSERT_GE(damaged.size(), 2u);
    ASSERT_EQ(0, damaged[damaged.size() - 1] | damaged[damaged.size() - 2]);
    damaged.resize(damaged.size() - 2);
    for (BYTE b : { 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80 })
        damaged.push_back(b);
    CRefPtr<CZPMenuBar> victim = CRefPtr<CZPMenuBar>::Adopt(new CZPMenuBar);
    load(damaged, victim.Get());
    EXPECT_EQ(0, victim->GetMdiMenus()->GetCount());
}

}  // namespace
