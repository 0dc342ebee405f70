// Keys across bars: a menu walked by real key presses through its popups, Alt+letter from the
// frame, Ctrl+Tab between toolbars, shortcut texts in popups, the shortcuts stage of the layout,
// the cues of a keyboard context menu and typing into an edit control on a bar.
#include "commandbars_test_support.h"
#include "commandbars_tests_ids.h"

#include "commandbars/ZPCommandBarEditCtrl.h"
#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPKeyboardManager.h"
#include "commandbars/ZPFrameWnd.h"
#include "commandbars/ZPMenuBar.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPShortcutManager.h"
#include "commandbars/ZPToolBar.h"

#include "../common/message_pump.h"

#include <framework/app.h>
#include <framework/refptr.h>
#include <framework/threadstate.h>

namespace {

const LPARAM kAltContext = 0x20000000;

// One press and release, then the queue is pumped so that the keyboard hook runs.
void Press(WORD vk)
{
    ZpTestSendKey(vk);
    ZpTestSendKey(vk, KEYEVENTF_KEYUP);
    PumpFor(30);
}

void SetKeyDown(int vk, bool bDown)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[vk] = bDown ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

int g_nBeeps = 0;
void CountBeep(UINT)
{
    ++g_nBeeps;
}

// A shown site with its command bars: a menu bar from the test menu and, on request, toolbars.
class KeyboardWiringTest : public CommandBarsTest
{
protected:
    CProcessPaintManagerScope m_paintManagerScope;
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        BYTE keys[256] = {};
        ::SetKeyboardState(keys);
        g_nBeeps = 0;
        CZPCommandBar::s_pfnNavigationBeep = CountBeep;
        ::SetWindowPos(m_site.m_hWnd, NULL, 0, 0, 400, 200, SWP_NOZORDER | SWP_NOACTIVATE);
        ::ShowWindow(m_site.m_hWnd, SW_SHOW);
        ::SetForegroundWindow(m_site.m_hWnd);
        ::SetFocus(m_site.m_hWnd);
        m_pCommandBars = new CZPCommandBars;
        m_pCommandBars->SetSite(m_site.m_hWnd);
        m_pCommandBars->GetCommandBarsOptions()->m_bAlwaysShowFullMenus = TRUE;
        m_pMenuBar = new CZPMenuBar;
        m_pMenuBar->SetCommandBars(m_pCommandBars);
        m_pMenuBar->CreateEx(0, AfxRegisterWndClass(0), L"Menu Bar", WS_CHILD | WS_VISIBLE, 0, 0, 300, 24,
                             m_site.m_hWnd, NULL);
        m_pMenuBar->SetPosition(zpBarTop);
        m_pCommandBars->AddBar(m_pMenuBar);
        EXPECT_TRUE(m_pMenuBar->LoadMenuResource(IDR_CB_MENU));
        for (int i = 0; i < m_pMenuBar->CountControls(); ++i)
            m_pMenuBar->ControlAt(i)->SetRect(CRect(2 + 40 * i, 2, 42 + 40 * i, 22));
        PumpFor(30);
    }
    void TearDown() override
    {
        ZpMouseManager()->CloseAll();
        m_pCommandBars->RemoveAll();
        m_pCommandBars->InternalRelease();
        CZPCommandBar::s_pfnNavigationBeep = [](UINT nType) { ::MessageBeep(nType); };
        CommandBarsTest::TearDown();
    }
    // A shown toolbar of captioned buttons (ids from 100), in the command bars' list.
    CZPCommandBar* AddToolBar(const std::vector<LPCWSTR>& captions)
    {
        CZPToolBar* pBar = new CZPToolBar;
        pBar->SetCommandBars(m_pCommandBars);
        pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_CHILD | WS_VISIBLE, 0,
                       30 + 24 * m_pCommandBars->GetCount(), 300, 22, m_site.m_hWnd, NULL);
        pBar->SetPosition(zpBarTop);
        for (size_t i = 0; i < captions.size(); ++i) {
            CZPControl* pControl = pBar->GetControls()->Append(new CTestControl);
            pControl->SetID(100 + static_cast<int>(i));
            pControl->SetCaption(captions[i]);
            pControl->SetRect(CRect(CPoint(static_cast<int>(i) * 30, 0), CSize(30, 20)));
        }
        m_pCommandBars->AddBar(pBar);
        return pBar;
    }
    CZPPopupBar* PopupOf(int nTitle) const
    {
        return DYNAMIC_DOWNCAST(CZPPopupBar, m_pMenuBar->ControlAt(nTitle)->GetCommandBar());
    }
    BOOL AltKey(UINT vk)
    {
        MSG msg = ZpTestKeyMessage(m_site.m_hWnd, WM_SYSKEYDOWN, vk);
        msg.lParam |= kAltContext;
        return m_pCommandBars->PreTranslateFrameMessage(&msg);
    }
    int Commands(WPARAM id) const
    {
        int n = 0;
        for (const ZpRecordedMessage& m : m_site.m_messages)
            n += m.message == WM_COMMAND && LOWORD(m.wParam) == id;
        return n;
    }
    CTestSite m_site;
    CZPCommandBars* m_pCommandBars = NULL;  // owned: one reference
    CZPMenuBar* m_pMenuBar = NULL;          // owned by the command bars' list
};

TEST_F(KeyboardWiringTest, RealKeysWalkTheMenuBarAndItsPopups)
{
    if (::GetForegroundWindow() != m_site.m_hWnd)
        GTEST_SKIP() << "the site could not take the foreground";
    ::SendMessageW(m_site.m_hWnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
    ASSERT_NE(0, m_pMenuBar->GetTrackingMode());
    EXPECT_EQ(0, m_pMenuBar->GetHighlightedIndex());

    Press(VK_RIGHT);  // to "Edit" and back
    EXPECT_EQ(1, m_pMenuBar->GetHighlightedIndex());
    Press(VK_LEFT);
    EXPECT_EQ(0, m_pMenuBar->GetHighlightedIndex());

    Press(VK_DOWN);  // opens "File" with its first item highlighted
    CZPPopupBar* pFile = PopupOf(0);
    ASSERT_TRUE(pFile != NULL && pFile->GetSafeHwnd() != NULL);
    EXPECT_EQ(0, pFile->GetHighlightedIndex());
    Press(VK_DOWN);
    EXPECT_EQ(1, pFile->GetHighlightedIndex());  // "Open"
    Press(VK_DOWN);                              // past the separator to "Recent"
    CZPControl* pRecent = pFile->ControlAt(pFile->GetHighlightedIndex());
    ASSERT_TRUE(pRecent != NULL);
    EXPECT_EQ(zpControlPopup, pRecent->GetType());

    Press(VK_RIGHT);  // the sub-menu opens beside, with its item highlighted
    CZPCommandBar* pSub = pRecent->GetCommandBar();
    ASSERT_TRUE(pSub != NULL && pSub->GetSafeHwnd() != NULL);
    Press(VK_ESCAPE);  // back to "File"
    EXPECT_EQ(NULL, pSub->GetSafeHwnd());
    EXPECT_NE(0, pFile->GetTrackingMode());

    Press('Q');  // no item: a beep, nothing runs
    EXPECT_EQ(1, g_nBeeps);
    Press('O');  // "&Open" runs
    EXPECT_EQ(1, Commands(101));
    EXPECT_EQ(0, m_pMenuBar->GetTrackingMode());
    EXPECT_EQ(NULL, pFile->GetSafeHwnd());

    // Again from the lone Alt: Enter on an item of the second menu.
    ::SendMessageW(m_site.m_hWnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
    Press(VK_RIGHT);
    Press(VK_DOWN);
    ASSERT_TRUE(PopupOf(1)->GetSafeHwnd() != NULL);
    Press(VK_RETURN);
    EXPECT_EQ(1, Commands(110));
    EXPECT_EQ(0, m_pMenuBar->GetTrackingMode());
}

TEST_F(KeyboardWiringTest, AltLetterFromTheFrameOpensTheMenuAndFindsToolbarButtons)
{
    if (::GetForegroundWindow() != m_site.m_hWnd)
        GTEST_SKIP() << "the site could not take the foreground";
    CZPCommandBar* pToolBar = AddToolBar({ L"&Alpha", L"&Apple", L"Go", L"&Zoom" });

    EXPECT_TRUE(AltKey('E'));  // the menu bar's "&Edit" opens from the keyboard
    EXPECT_NE(0, m_pMenuBar->GetTrackingMode());
    EXPECT_TRUE(m_pMenuBar->IsKeyboardEntry());
    ASSERT_TRUE(PopupOf(1)->GetSafeHwnd() != NULL);
    m_pCommandBars->EndAllTracking();

    EXPECT_TRUE(AltKey('Z'));  // a unique button on the toolbar runs
    EXPECT_EQ(1, Commands(103));

    EXPECT_TRUE(AltKey('A'));  // two explicit matches: the first is highlighted, nothing runs
    EXPECT_NE(0, pToolBar->GetTrackingMode());
    EXPECT_EQ(0, pToolBar->GetHighlightedIndex());
    EXPECT_FALSE(AltKey('A'));                                      // while a bar tracks, its own key processing looks
    EXPECT_EQ(zpKeyHandled, pToolBar->ProcessTrackingKey('A', 1));  // and moves on from the highlight
    EXPECT_EQ(1, pToolBar->GetHighlightedIndex());
    EXPECT_EQ(0, Commands(100) + Commands(101));
    m_pCommandBars->EndAllTracking();

    // A first letter counts only on the menu bar or a tracking bar; the Alt key itself and a
    // key without a character are never taken.
    EXPECT_FALSE(AltKey('G'));
    EXPECT_FALSE(AltKey(VK_MENU));
    EXPECT_FALSE(AltKey(VK_F5));
    m_pCommandBars->GetCommandBarsOptions()->m_nKeyboardCuesUse = ZP_CUES_USE_NONE;
    EXPECT_FALSE(AltKey('E'));
    EXPECT_EQ(0, m_pMenuBar->GetTrackingMode());
    EXPECT_EQ(0, pToolBar->GetTrackingMode());
}

// Records what the keyboard manager hands over, answering "handled".
struct CKeyRecorder : CZPHookManagerHookAble
{
    int OnHookMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT&) override
    {
        m_seen.push_back({ nMessage, wParam, lParam });
        return hookHandled;
    }
    std::vector<ZpRecordedMessage> m_seen;
};

TEST_F(KeyboardWiringTest, ShiftFilterAndKeysHandedToTheKeyboardManagerWhileABarTracks)
{
    if (::GetForegroundWindow() != m_site.m_hWnd)
        GTEST_SKIP() << "the site could not take the foreground";
    SetKeyDown(VK_SHIFT, true);
    EXPECT_TRUE(AltKey('E'));  // no filter: Shift does not matter
    m_pCommandBars->EndAllTracking();
    m_pCommandBars->SetShiftFilter(TRUE);
    EXPECT_FALSE(AltKey('E'));
    EXPECT_EQ(0, m_pMenuBar->GetTrackingMode());
    SetKeyDown(VK_SHIFT, false);
    EXPECT_TRUE(AltKey('E'));
    ASSERT_NE(0, m_pMenuBar->GetTrackingMode());

    CKeyRecorder recorder;
    ZpKeyboardManager()->AddHookAble(&recorder);
    for (UINT nMessage : { UINT(WM_CONTEXTMENU), UINT(WM_SYSKEYUP) }) {
        MSG msg = ZpTestKeyMessage(m_site.m_hWnd, nMessage, VK_MENU);
        msg.lParam = 0x1234;
        EXPECT_TRUE(m_pCommandBars->PreTranslateFrameMessage(&msg)) << nMessage;
    }
    ZpKeyboardManager()->RemoveHookAble(&recorder);
    ASSERT_EQ(2u, recorder.m_seen.size());
    for (const ZpRecordedMessage& m : recorder.m_seen) {
        EXPECT_EQ(UINT(WM_CONTEXTMENU), m.message);  // both arrive as a context-menu request
        EXPECT_EQ(LPARAM(0x1234), m.lParam);
    }
    m_pCommandBars->EndAllTracking();
    // Nothing tracks: the frame keeps them.
    MSG msg = ZpTestKeyMessage(m_site.m_hWnd, WM_CONTEXTMENU, 0);
    EXPECT_FALSE(m_pCommandBars->PreTranslateFrameMessage(&msg));
}

TEST_F(KeyboardWiringTest, FirstLetterMatchesAndKeypadDigitsFollowTheOptions)
{
    CZPCommandBar* pToolBar = AddToolBar({ L"Go", L"Gone", L"7up" });
    pToolBar->SwitchTrackingMode(TRUE, FALSE, TRUE);
    BOOL bAmbiguous = FALSE;
    EXPECT_EQ(pToolBar->ControlAt(0), m_pCommandBars->FindMnemonicControl(pToolBar, 'G', &bAmbiguous));
    EXPECT_TRUE(bAmbiguous);
    m_pCommandBars->GetCommandBarsOptions()->m_nKeyboardCuesUse |= ZP_CUES_USE_NO_FIRST_LETTER;
    EXPECT_EQ(NULL, m_pCommandBars->FindMnemonicControl(pToolBar, 'G', &bAmbiguous));
    // With every toolbar searched the walk goes on into the menu bar.
    EXPECT_EQ(m_pMenuBar->ControlAt(0), m_pCommandBars->FindMnemonicControl(pToolBar, 'F', &bAmbiguous));
    EXPECT_FALSE(bAmbiguous);
    m_pCommandBars->GetCommandBarsOptions()->m_nKeyboardCuesUse = 0;
    EXPECT_EQ(NULL, m_pCommandBars->FindMnemonicControl(pToolBar, 'F', &bAmbiguous));
    EXPECT_FALSE(m_pCommandBars->OnMnemonicKey(VK_NUMPAD7));  // keypad mnemonics are off
    pToolBar->EndTracking();
}

TEST_F(KeyboardWiringTest, CtrlTabMovesTrackingBetweenShownToolbars)
{
    CZPCommandBar* pFirst = AddToolBar({ L"One", L"Two" });
    CZPCommandBar* pHidden = AddToolBar({ L"Three" });
    pHidden->ShowWindow(SW_HIDE);
    CZPCommandBar* pLast = AddToolBar({ L"Four" });
    m_pMenuBar->SwitchTrackingMode(TRUE, TRUE, TRUE);
    m_pMenuBar->HighlightControlAt(1, 2);

    SetKeyDown(VK_CONTROL, true);
    EXPECT_EQ(zpKeyHandled, m_pMenuBar->ProcessTrackingKey(VK_TAB, 1));
    EXPECT_EQ(0, m_pMenuBar->GetTrackingMode());
    EXPECT_NE(0, pFirst->GetTrackingMode());
    EXPECT_EQ(0, pFirst->GetHighlightedIndex());
    EXPECT_EQ(zpSelectionKeyboard, pFirst->ControlAt(0)->GetSelected());
    pFirst->ProcessTrackingKey(VK_TAB, 1);  // the hidden bar is passed over
    EXPECT_NE(0, pLast->GetTrackingMode());
    pLast->ProcessTrackingKey(VK_TAB, 1);  // wraps round to the menu bar
    EXPECT_NE(0, m_pMenuBar->GetTrackingMode());
    SetKeyDown(VK_SHIFT, true);
    m_pMenuBar->ProcessTrackingKey(VK_TAB, 1);  // with Shift: backwards
    EXPECT_NE(0, pLast->GetTrackingMode());
    SetKeyDown(VK_SHIFT, false);
    SetKeyDown(VK_CONTROL, false);
    m_pCommandBars->EndAllTracking();

    // Alone on screen: no bar to move to.
    pFirst->ShowWindow(SW_HIDE);
    pLast->ShowWindow(SW_HIDE);
    EXPECT_FALSE(m_pCommandBars->SetTrackingToolbar(m_pMenuBar, 1));
    EXPECT_TRUE(m_pCommandBars->SetTrackingToolbar(m_pMenuBar, 0));
    EXPECT_EQ(0, m_pMenuBar->GetHighlightedIndex());
    m_pCommandBars->EndAllTracking();
}

TEST_F(KeyboardWiringTest, PopupsShowTheShortcutManagersTexts)
{
    CZPShortcutManager* pShortcuts = m_pCommandBars->GetShortcutManagerObject();
    const ACCEL accels[] = { { FVIRTKEY | FCONTROL, 'N', 100 }, { FVIRTKEY, VK_F4, 110 } };
    pShortcuts->SetAccelerators(accels, 2);
    ASSERT_TRUE(m_pMenuBar->OpenControlPopup(0));
    CZPPopupBar* pFile = PopupOf(0);
    CString strNew, strExit;
    pShortcuts->ComposeShortcutText(100, strNew);
    EXPECT_FALSE(strNew.IsEmpty());
    EXPECT_EQ(strNew, pFile->GetControls()->FindControlById(100)->GetShortcutText());
    EXPECT_TRUE(pFile->GetControls()->FindControlById(102)->GetShortcutText().IsEmpty());
    ASSERT_TRUE(m_pMenuBar->OpenControlPopup(1));
    EXPECT_FALSE(PopupOf(1)->GetControls()->FindControlById(110)->GetShortcutText().IsEmpty());
    m_pCommandBars->EndAllTracking();

    // The option off: texts stay as they were; a context menu shows none unless asked to.
    CRefPtr<CZPPopupBar> context = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(m_pCommandBars));
    context->GetControls()->Add(zpControlButton, 100);
    context->SetSiteWindow(m_site.m_hWnd);
    context->RefreshShortcutTexts();
    EXPECT_TRUE(context->ControlAt(0)->GetShortcutText().IsEmpty());
    m_pCommandBars->GetCommandBarsOptions()->m_bShortcutsInContextMenus = TRUE;
    context->RefreshShortcutTexts();
    EXPECT_EQ(strNew, context->ControlAt(0)->GetShortcutText());
}

// An application object with a registry key, removed with everything under it at the end.
class CRegistryApp
{
public:
    CRegistryApp() : m_app(L"WiringApp") { m_app.SetRegistryKey(L"Tolvane Tests"); }
    ~CRegistryApp() { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tolvane Tests"); }
    CWinApp m_app;
};

TEST_F(KeyboardWiringTest, TheLayoutStoresAndRestoresTheShortcutsLast)
{
    CRegistryApp app;
    CZPShortcutManager* pShortcuts = m_pCommandBars->GetShortcutManagerObject();
    pShortcuts->LoadFromAcceleratorResource(IDR_CB_ACCELERATORS);
    const ACCEL accels[] = { { FVIRTKEY | FCONTROL, 'J', 77 } };
    pShortcuts->SetAccelerators(accels, 1);
    m_pCommandBars->SaveCommandBars(L"Wiring");
    DWORD dwVersion = 0, cb = sizeof(dwVersion);
    EXPECT_EQ(ERROR_SUCCESS, ::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Tolvane Tests\\WiringApp\\Wiring",
                                            L"AcceleratorsVersion", RRF_RT_REG_DWORD, NULL, &dwVersion, &cb));
    EXPECT_EQ(static_cast<DWORD>(ZP_ACCELERATORS_VERSION), dwVersion);

    pShortcuts->ResetToDefault();
    ASSERT_NE(1u, pShortcuts->GetShortcuts().size());
    m_pCommandBars->LoadCommandBars(L"Wiring");
    ASSERT_EQ(1u, pShortcuts->GetShortcuts().size());
    EXPECT_EQ(77u, pShortcuts->GetShortcuts()[0].cmd);
}

// A framework window that opens a context menu when asked from the keyboard.
class CContextSite : public CWnd
{
public:
    static const UINT kCloseStep = WM_APP + 1;
    CZPCommandBars* m_pCommandBars = NULL;  // borrowed
    int m_nTracked = 0;
    BOOL m_bCuesWhileOpen = FALSE;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CONTEXTMENU) {
            CRefPtr<CZPPopupBar> popup = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(m_pCommandBars));
            popup->GetControls()->Add(zpControlButton, 100);
            ++m_nTracked;
            PostMessage(kCloseStep);  // the step that ends the menu's loop
            ZpTrackPopupBar(popup.Get(), TPM_RETURNCMD, 10, 10, this);
            return 0;
        }
        if (message == kCloseStep) {
            m_bCuesWhileOpen = m_pCommandBars->IsKeyboardCuesShown();
            ZpMouseManager()->CloseAll();
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST_F(KeyboardWiringTest, AKeyboardContextMenuShowsTheCues)
{
    BOOL bSystemCues = TRUE;
    ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &bSystemCues, 0);
    ::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(FALSE), 0);
    m_pCommandBars->ApplyKeyboardCuesShow(ZP_CUES_SHOW_SYSTEM);
    ::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(bSystemCues)), 0);
    ASSERT_TRUE(m_pCommandBars->IsKeyboardCuesUsed());
    ASSERT_FALSE(m_pCommandBars->IsKeyboardCuesShown());

    CContextSite site;
    site.m_pCommandBars = m_pCommandBars;
    ASSERT_TRUE(site.CreateEx(0, AfxRegisterWndClass(0), L"context", WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    ::SendMessageW(site.GetSafeHwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(site.GetSafeHwnd()),
                   MAKELPARAM(5, 5));  // by the mouse
    EXPECT_EQ(1, site.m_nTracked);
    EXPECT_FALSE(site.m_bCuesWhileOpen);
    ::SendMessageW(site.GetSafeHwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(site.GetSafeHwnd()), -1);
    EXPECT_EQ(2, site.m_nTracked);
    EXPECT_TRUE(site.m_bCuesWhileOpen);
    EXPECT_FALSE(m_pCommandBars->IsKeyboardCuesShown());  // hidden again once the menu closed
    site.DestroyWindow();
}

TEST_F(KeyboardWiringTest, TypingReachesAnEditOnABarWhileOtherKeysStillReachTheBars)
{
    CZPCommandBarEditCtrl edit;
    CZPFrameWnd* pFrame = new CZPFrameWnd;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_CB_ACCELERATORS, WS_OVERLAPPED));
    ASSERT_TRUE(pFrame->CreateCommandBarsObject());
    const ACCEL accels[] = { { FVIRTKEY, 'A', 501 }, { FVIRTKEY, VK_RETURN, 502 } };
    pFrame->GetCommandBars()->GetShortcutManagerObject()->SetAccelerators(accels, 2);
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), pFrame, 1));
    pFrame->ShowWindow(SW_SHOW);
    MSG letter = ZpTestKeyMessage(pFrame->GetSafeHwnd(), WM_KEYDOWN, 'A');
    MSG enter = ZpTestKeyMessage(pFrame->GetSafeHwnd(), WM_KEYDOWN, VK_RETURN);
    EXPECT_TRUE(pFrame->PreTranslateMessage(&letter));  // the focus elsewhere: the shortcut runs
    edit.SetFocus();
    ASSERT_EQ(edit.GetSafeHwnd(), ::GetFocus());
    EXPECT_FALSE(pFrame->PreTranslateMessage(&letter));
    EXPECT_TRUE(pFrame->PreTranslateMessage(&enter));
    pFrame->DestroyWindow();
}

}  // namespace
