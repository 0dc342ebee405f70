// Toolbars: docked and floating sizes with their built-in buttons, visibility, and reset.
#include "commandbars_test_support.h"
#include "paint_manager_test_theme.h"
#include "message_pump.h"
#include "toolbar_test_support.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPDockBar.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPToolBar.h"

#include <framework/thread.h>

namespace {

using ToolBarTest = CommandBarsTest;

const DWORD kDockedMode = ZP_LM_HORZ | ZP_LM_HORZDOCK | ZP_LM_HIDEWRAP;

TEST_F(ToolBarTest, NewToolBarHasItsFlagsAndNoWindow)
{
    CZPToolBar* pBar = new CZPToolBar;
    EXPECT_EQ(ZP_TOOLBAR_FLAGS, pBar->GetFlags());
    EXPECT_EQ(zpBarTypeNormal, pBar->GetType());
    EXPECT_TRUE(pBar->IsCloseable());
    EXPECT_TRUE(pBar->IsBuiltIn());
    EXPECT_FALSE(pBar->IsTornOff());
    EXPECT_NE(nullptr, pBar->GetDockContext());
    // Without command bars nothing docks; visibility has no window to show.
    EXPECT_FALSE(pBar->MoveToPosition(zpBarTop));
    EXPECT_FALSE(pBar->MoveToPosition(7));
    EXPECT_TRUE(pBar->IsBarVisible());
    pBar->RecalcBarLayout();
    pBar->InternalRelease();
}

TEST_F(ToolBarTest, DockedSizeReservesRoomForTheExpandButton)
{
    CGripperThemeRef theme;
    struct Case
    {
        BOOL bCommandBars;  // with command bars the option "show expand button always" is on
        int nLength;
        DWORD dwMode;
        CSize expectSize;
        BOOL bExpandShown;
        int nHiddenForRoom;
    } cases[] = {
        // Everything fits: no expand button, no reserve.
        { FALSE, 200, kDockedMode | ZP_LM_COMMIT, CSize(69, 22), FALSE, 0 },
        // One control does not fit: it hides, 11 pixels go to the button, which shows; a bar
        // that hides controls takes its whole length.
        { FALSE, 60, kDockedMode | ZP_LM_COMMIT, CSize(60, 22), TRUE, 1 },
        // Measuring never shows it but keeps the smallest arrangement plus 11.
        { FALSE, 1, kDockedMode, CSize(34, 22), FALSE, 0 },
        // The option shows it always, after the reserve.
        { TRUE, 200, kDockedMode | ZP_LM_COMMIT, CSize(80, 22), TRUE, 0 },
    };
    CZPCommandBars commandBars;
    for (const Case& c : cases) {
        CZPToolBar* pBar = new CZPToolBar;
        pBar->SetPaintManager(theme.Get());
        if (c.bCommandBars)
            pBar->SetCommandBars(&commandBars);
        AddTestControls(pBar, 3);
        EXPECT_EQ(c.expectSize, pBar->CalcDockedSize(c.nLength, c.dwMode, 0)) << c.nLength;
        CZPControl* pExpand = pBar->GetControls()->FindControlById(ZP_ID_TOOLBAR_EXPAND);
        ASSERT_NE(nullptr, pExpand);
        EXPECT_EQ(zpControlButtonPopup, pExpand->GetType());
        EXPECT_EQ(0x1Cu, pExpand->GetFlags());
        EXPECT_TRUE(pExpand->IsTemporary());
        EXPECT_EQ(c.bExpandShown, pExpand->IsVisible()) << c.nLength;
        if (c.bExpandShown)
            EXPECT_EQ(CRect(c.expectSize.cx - 13, 2, c.expectSize.cx - 2, c.expectSize.cy - 2), pExpand->GetRect());
        int nHidden = 0;
        for (int i = 0; i < 3; ++i)
            nHidden += pBar->ControlAt(i)->GetHideFlags() == zpHideWrap ? 1 : 0;
        EXPECT_EQ(c.nHiddenForRoom, nHidden) << c.nLength;
        pBar->InternalRelease();
    }
}

// A commit only invalidates: the caller mostly moves or sizes the bar next, and the paint
// comes once, from the message loop.
TEST_F(ToolBarTest, DockedCommitInvalidatesTheBarWithoutPaintingIt)
{
    CGripperThemeRef theme;
    HWND hParent =
        ::CreateWindowExW(0, L"STATIC", L"parent", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hParent);
    CZPToolBar* pBar = new CZPToolBar;
    pBar->SetPaintManager(theme.Get());
    pBar->SetPosition(zpBarTop);
    ASSERT_TRUE(pBar->CreateEx(0, kZpToolBarClass, L"bar", WS_CHILD | WS_VISIBLE, 0, 0, 200, 22, hParent, NULL));
    AddTestControls(pBar, 3);
    const HWND hBar = pBar->GetSafeHwnd();
    ::UpdateWindow(hBar);
    EXPECT_FALSE(::GetUpdateRect(hBar, NULL, FALSE));

    pBar->CalcDockedSize(200, kDockedMode | ZP_LM_COMMIT, 0);
    CRect rcUpdate, rcClient;
    EXPECT_TRUE(::GetUpdateRect(hBar, &rcUpdate, FALSE));
    ::GetClientRect(hBar, &rcClient);
    EXPECT_EQ(rcClient, rcUpdate);
    ::UpdateWindow(hBar);
    EXPECT_FALSE(::GetUpdateRect(hBar, NULL, FALSE));

    pBar->InternalRelease();
    ::DestroyWindow(hParent);
}

TEST_F(ToolBarTest, ExpandPopupOffersTheControlsThatDoNotFit)
{
    CGripperThemeRef theme;
    CTestSite site;
    CZPToolBar* pBar = new CZPToolBar;
    pBar->SetSiteWindow(site.m_hWnd);
    pBar->SetPaintManager(theme.Get());
    AddTestControls(pBar, 3);
    pBar->ControlAt(2)->SetBeginGroup(TRUE);
    pBar->CalcDockedSize(60, kDockedMode | ZP_LM_COMMIT, 0);
    CZPControl* pExpand = pBar->GetControls()->FindControlById(ZP_ID_TOOLBAR_EXPAND);
    ASSERT_NE(nullptr, pExpand);
    pExpand->SetPopuped(TRUE);
    // The site was asked for the popup first; without an answer the toolbar made its own.
    EXPECT_EQ(1, site.Count(ZpMsgCreateBar));
    CZPCommandBar* pPopup = pExpand->GetCommandBar();
    ASSERT_NE(nullptr, pPopup);
    EXPECT_FALSE(pPopup->IsCustomizable());
    ASSERT_EQ(1, pPopup->CountControls());
    EXPECT_EQ(1002, pPopup->ControlAt(0)->GetID());
    EXPECT_EQ(static_cast<DWORD>(zpHideNone), pPopup->ControlAt(0)->GetHideFlags());
    EXPECT_FALSE(pPopup->ControlAt(0)->GetBeginGroup());
    pExpand->SetPopuped(FALSE);
    pBar->InternalRelease();
}

TEST_F(ToolBarTest, FloatingSizePlacesHideAndExpandButtonsInTheCaption)
{
    CGripperThemeRef theme;
    theme->m_szGripper = CSize(0, 15);
    CZPCommandBars commandBars;
    CZPToolBar* pBar = new CZPToolBar;
    pBar->SetPaintManager(theme.Get());
    pBar->SetCommandBars(&commandBars);
    pBar->SetPosition(zpBarFloating);
    AddTestControls(pBar, 3);
    EXPECT_EQ(CRect(3, 3, 3, 3), pBar->QueryBarBorders());
    // One row at the most recently used width: 3 + 69 + 3 wide, 3 + 16 + 22 + 3 high.
    const CSize size = pBar->ComputeBarSize(-1, ZP_LM_HORZ | ZP_LM_MRUWIDTH | ZP_LM_COMMIT);
    EXPECT_EQ(CSize(75, 44), size);
    CZPControl* pHide = pBar->GetControls()->FindControlById(ZP_ID_TOOLBAR_HIDE);
    CZPControl* pExpand = pBar->GetControls()->FindControlById(ZP_ID_TOOLBAR_EXPAND);
    ASSERT_NE(nullptr, pHide);
    ASSERT_NE(nullptr, pExpand);
    EXPECT_EQ(0x1Au, pHide->GetFlags());
    EXPECT_EQ(CRect(57, 3, 72, 18), pHide->GetRect());
    EXPECT_EQ(CRect(42, 3, 57, 18), pExpand->GetRect());
    EXPECT_TRUE(pHide->IsVisible());
    // Docked measuring hides the hide button again.
    pBar->SetPosition(zpBarTop);
    pBar->CalcDockedSize(200, kDockedMode, 0);
    EXPECT_FALSE(pHide->IsVisible());
    pBar->InternalRelease();
}

TEST_F(ToolBarTest, BadLengthsGiveASizeAndLoseNoControl)
{
    CGripperThemeRef theme;
    CZPToolBar* pBar = new CZPToolBar;
    pBar->SetPaintManager(theme.Get());
    AddTestControls(pBar, 3);
    for (int nLength : { 0, -1, INT_MIN, INT_MAX }) {
        const CSize size = pBar->CalcDockedSize(nLength, kDockedMode | ZP_LM_COMMIT, 0);
        EXPECT_GT(size.cx, 0) << nLength;
        EXPECT_GT(size.cy, 0) << nLength;
        pBar->ComputeBarSize(nLength, ZP_LM_HORZ | ZP_LM_COMMIT);
    }
    EXPECT_EQ(5, pBar->CountControls());  // three plus the expand and hide buttons
    pBar->InternalRelease();
}

TEST_F(ToolBarTest, HidingNotifiesTheSiteAndDeletesOnlyATornOffBar)
{
    CTestFrame frame;
    CGripperThemeRef theme;
    CZPCommandBars commandBars;
    commandBars.SetSite(frame.m_hWnd);
    commandBars.CreateDockBars();
    std::vector<UINT> visibility;
    frame.m_onMessage = [&](UINT message, WPARAM, LPARAM lParam) {
        if (message == ZpMsgBarVisibility)
            visibility.push_back(static_cast<UINT>(lParam));
    };

    CZPToolBar* pBuiltIn = commandBars.CreateToolBar(L"Standard", zpBarTop);
    ASSERT_NE(nullptr, pBuiltIn);
    pBuiltIn->SetPaintManager(theme.Get());
    pBuiltIn->SetBarVisible(FALSE);
    EXPECT_FALSE(::IsWindowVisible(pBuiltIn->GetSafeHwnd()));
    EXPECT_EQ(1, commandBars.GetCount());
    pBuiltIn->SetBarVisible(FALSE);  // no change, no message
    pBuiltIn->SetBarVisible(TRUE);
    EXPECT_EQ(std::vector<UINT>({ 0, 1 }), visibility);
    EXPECT_TRUE(commandBars.GetCommandBarsOptions()->m_bDirty);

    CZPToolBar* pTorn = commandBars.CreateToolBar(L"Torn", zpBarFloating);
    ASSERT_NE(nullptr, pTorn);
    pTorn->SetTornOff(TRUE);
    // A tear-off loop holding it keeps it: only the window hides.
    pTorn->SetHeldByTearOff(TRUE);
    pTorn->SetBarVisible(FALSE);
    EXPECT_EQ(2, commandBars.GetCount());
    EXPECT_FALSE(::IsWindowVisible(pTorn->GetSafeHwnd()));
    pTorn->SetHeldByTearOff(FALSE);
    pTorn->SetBarVisible(TRUE);
    // Its own hide button deletes it; the button's click keeps both alive until it returns.
    CZPControl* pHide = pTorn->GetControls()->FindControlById(ZP_ID_TOOLBAR_HIDE);
    ASSERT_NE(nullptr, pHide);
    pHide->Execute();
    EXPECT_EQ(1, commandBars.GetCount());
    EXPECT_EQ(-1, commandBars.IndexOf(pTorn));
}

TEST_F(ToolBarTest, WithoutCommandBarsTheBarStacksAtTheTopOfTheFrame)
{
    CTestFrame frame;
    CGripperThemeRef theme;
    std::vector<UINT> visibility;
    frame.m_onMessage = [&](UINT message, WPARAM, LPARAM) { visibility.push_back(message); };
    CZPToolBar* pBar = new CZPToolBar;
    pBar->SetPaintManager(theme.Get());
    pBar->SetSiteWindow(frame.m_hWnd);
    AddTestControls(pBar, 3);
    ASSERT_TRUE(pBar->CreateBarWindow(frame.Frame(), FALSE));
    EXPECT_EQ(0, ::GetWindowLongW(pBar->GetSafeHwnd(), GWL_STYLE) & WS_POPUP);
    frame.Frame()->RecalcLayout(FALSE);
    CRect rc;
    ::GetWindowRect(pBar->GetSafeHwnd(), &rc);
    EXPECT_EQ(CRect(100, 100, 169, 122), rc);
    // Hiding a docked bar without command bars only resizes the site: no visibility message.
    pBar->SetBarVisible(FALSE);
    EXPECT_FALSE(::IsWindowVisible(pBar->GetSafeHwnd()));
    EXPECT_TRUE(visibility.empty());
    pBar->InternalRelease();
}

TEST_F(ToolBarTest, HideAllRemembersAndRestoresVisibility)
{
    CTestFrame frame;
    CZPCommandBars commandBars;
    commandBars.SetSite(frame.m_hWnd);
    commandBars.CreateDockBars();
    CZPToolBar* pShown = commandBars.CreateToolBar(L"shown", zpBarTop);
    CZPToolBar* pHidden = commandBars.CreateToolBar(L"hidden", zpBarTop);
    pHidden->SetBarVisible(FALSE);
    commandBars.HideAllToolBars(TRUE);
    EXPECT_FALSE(pShown->IsBarVisible());
    EXPECT_FALSE(::IsWindowVisible(pShown->GetSafeHwnd()));
    commandBars.HideAllToolBars(FALSE);
    EXPECT_TRUE(pShown->IsBarVisible());
    EXPECT_TRUE(::IsWindowVisible(pShown->GetSafeHwnd()));
    EXPECT_FALSE(pHidden->IsBarVisible());
}

TEST_F(ToolBarTest, ClickingTheHideButtonOfATornOffBarDeletesItSafely)
{
    CTestFrame frame;
    CGripperThemeRef theme;
    theme->m_szGripper = CSize(0, 15);
    CZPCommandBars commandBars;
    commandBars.SetSite(frame.m_hWnd);
    commandBars.CreateDockBars();
    CZPToolBar* pBar = commandBars.CreateToolBar(L"Torn", zpBarFloating);
    ASSERT_NE(nullptr, pBar);
    pBar->SetPaintManager(theme.Get());
    pBar->SetTornOff(TRUE);
    AddTestControls(pBar, 3);
    pBar->RecalcBarLayout();
    CZPControl* pHide = pBar->GetControls()->FindControlById(ZP_ID_TOOLBAR_HIDE);
    ASSERT_NE(nullptr, pHide);
    const CPoint pt = pHide->GetRect().CenterPoint();
    const HWND hWnd = pBar->GetSafeHwnd();
    // The release ends the button's press loop; executing deletes the bar inside its own click.
    ::PostMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    ::PostMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(PumpUntil([&] { return commandBars.GetCount() == 0; }));
    EXPECT_FALSE(::IsWindow(hWnd));
}

// A thread whose message boxes answer as told and are counted.
class CAnsweringThread : public CWinThread
{
public:
    int DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT) override
    {
        m_prompts.push_back(lpszPrompt);
        m_types.push_back(nType);
        return m_nAnswer;
    }
    int m_nAnswer = IDCANCEL;
    std::vector<std::wstring> m_prompts;
    std::vector<UINT> m_types;
};

TEST_F(ToolBarTest, ResetAsksFirstAndRestoresTheOriginalControls)
{
    CAnsweringThread thread;
    CTestSite site;
    CZPToolBar* pBar = new CZPToolBar;
    pBar->SetSiteWindow(site.m_hWnd);
    pBar->SetTitle(L"Standard");
    ASSERT_TRUE(pBar->LoadToolBarResource(IDR_CB_TOOLBAR_16, FALSE));
    EXPECT_EQ(static_cast<UINT>(IDR_CB_TOOLBAR_16), pBar->GetBarID());
    EXPECT_FALSE(pBar->CanRestoreOriginal());
    pBar->GetControls()->RemoveAt(0);
    EXPECT_TRUE(pBar->CanRestoreOriginal());

    pBar->RestoreOriginalControls(TRUE);  // Cancel: nothing changes
    EXPECT_EQ(2, pBar->CountControls());
    ASSERT_EQ(1u, thread.m_prompts.size());
    EXPECT_EQ(L"Are you sure you want to reset the changes made to the 'Standard' toolbar?", thread.m_prompts[0]);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION), thread.m_types[0]);
    EXPECT_EQ(0, site.Count(ZpMsgBarReset));

    thread.m_nAnswer = IDOK;
    pBar->RestoreOriginalControls(TRUE);
    EXPECT_EQ(3, pBar->CountControls());
    EXPECT_EQ(100, pBar->ControlAt(0)->GetID());
    EXPECT_EQ(1, site.Count(ZpMsgBarReset));

    // A user toolbar is never reset.
    pBar->SetBuiltIn(FALSE);
    pBar->GetControls()->RemoveAt(0);
    pBar->RestoreOriginalControls(FALSE);
    EXPECT_EQ(2, pBar->CountControls());
    EXPECT_EQ(2u, thread.m_prompts.size());
    pBar->InternalRelease();
}

TEST_F(ToolBarTest, AddOrRemoveListShowsRemovedOriginalsAndDisablesUserButtons)
{
    CTestSite site;
    CZPToolBar* pBar = new CZPToolBar;
    pBar->SetSiteWindow(site.m_hWnd);
    ASSERT_TRUE(pBar->LoadToolBarResource(IDR_CB_TOOLBAR_16, FALSE));  // 100, 101, 102
    pBar->GetControls()->RemoveAt(1);
    pBar->GetControls()->Add(zpControlButton, 500);
    CZPCommandBar* pList = ZpCreatePopupBar(NULL);
    pBar->FillAddRemoveList(pList);

    std::vector<int> ids, enabled, checked;
    for (int i = 0; i < pList->CountControls(); ++i) {
        ids.push_back(pList->ControlAt(i)->GetID());
        enabled.push_back(pList->ControlAt(i)->GetEnabled() ? 1 : 0);
        checked.push_back(pList->ControlAt(i)->GetChecked() ? 1 : 0);
    }
    EXPECT_EQ(std::vector<int>({ 100, 101, 102, 500, ZP_ID_TOOLBAR_RESET }), ids);
    EXPECT_EQ(std::vector<int>({ 1, 1, 1, 0, 1 }), enabled);
    EXPECT_EQ(std::vector<int>({ 1, 0, 1, 1, 0 }), checked);
    EXPECT_TRUE(pList->ControlAt(4)->GetBeginGroup());
    // The removed original came back hidden, at its place.
    ASSERT_EQ(101, pBar->ControlAt(1)->GetID());
    EXPECT_EQ(static_cast<DWORD>(zpHideCustomize), pBar->ControlAt(1)->GetHideFlags());
    // Its entry shows it again.
    pList->ControlAt(1)->Execute();
    EXPECT_TRUE(pBar->ControlAt(1)->IsVisible());
    EXPECT_TRUE(pList->ControlAt(1)->GetChecked());
    // Listing again adds no second copy.
    CZPCommandBar* pAgain = ZpCreatePopupBar(NULL);
    pBar->FillAddRemoveList(pAgain);
    EXPECT_EQ(4, pBar->CountControls());
    pAgain->InternalRelease();
    pList->InternalRelease();
    pBar->InternalRelease();
}

TEST_F(ToolBarTest, AddOrRemovePopupNeedsTheCustomizeCommand)
{
    CTestFrame frame;
    CZPCommandBars commandBars;
    commandBars.SetSite(frame.m_hWnd);
    commandBars.CreateDockBars();
    CZPToolBar* pBar = commandBars.CreateToolBar(L"A&B", zpBarFloating);
    CZPCommandBar* pPopup = ZpCreatePopupBar(&commandBars);
    EXPECT_FALSE(commandBars.IsCustomizeCommandPresent());
    commandBars.FillAddRemovePopup(pBar, pPopup);
    ASSERT_EQ(1, pPopup->CountControls());  // no customize command: no button for it
    EXPECT_EQ(CString(L"A&&B"), pPopup->ControlAt(0)->GetCaption());
    EXPECT_FALSE(pPopup->ControlAt(0)->GetEnabled());
    pPopup->InternalRelease();
}

TEST_F(ToolBarTest, FloatingEdgesAnswerResizeHitTests)
{
    CTestFrame frame;
    CZPCommandBars commandBars;
    commandBars.SetSite(frame.m_hWnd);
    commandBars.CreateDockBars();
    CZPToolBar* pBar = commandBars.CreateToolBar(L"Float", zpBarFloating);
    ASSERT_NE(nullptr, pBar);
    EXPECT_EQ(frame.m_hWnd, ::GetWindow(pBar->GetSafeHwnd(), GW_OWNER));
    EXPECT_NE(0, ::GetWindowLongW(pBar->GetSafeHwnd(), GWL_STYLE) & WS_POPUP);
    ::SetWindowPos(pBar->GetSafeHwnd(), NULL, 200, 200, 100, 50, SWP_NOZORDER | SWP_NOACTIVATE);
    struct Case
    {
        int x, y;
        LRESULT expect;
    } cases[] = {
        { 250, 200, HTTOP },   { 250, 249, HTBOTTOM }, { 200, 220, HTLEFT },
        { 299, 220, HTRIGHT }, { 250, 220, HTCLIENT },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expect, ::SendMessageW(pBar->GetSafeHwnd(), WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y))) << c.x;
    EXPECT_TRUE(::SendMessageW(pBar->GetSafeHwnd(), WM_FLOATSTATUS, FS_SYNCACTIVE, 0));
}

}  // namespace
