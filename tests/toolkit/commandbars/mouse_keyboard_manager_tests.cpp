// The thread's mouse and keyboard managers and the bar's tracking mode: decisions called
// directly with built records, and real input (SetCursorPos, SendInput) through the hooks.
#include "commandbars_test_support.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPKeyboardManager.h"
#include "commandbars/ZPMouseManager.h"

#include <framework/messages.h>

#include <functional>
#include <vector>

namespace {

// Key-stroke lParam bits of the keyboard hook.
const LPARAM kAltContext = 0x20000000;
const LPARAM kPreviousDown = 0x40000000;
const LPARAM kReleased = 0x80000000;

// A hook-able that answers as told and records the keys it saw.
class CTestHookAble : public CZPHookManagerHookAble
{
public:
    explicit CTestHookAble(int nAnswer) : m_nAnswer(nAnswer) {}
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT&) override
    {
        m_seen.push_back(hWnd == NULL && nMessage == WM_KEYDOWN ? static_cast<int>(wParam) : -1);
        if (m_onKey)
            m_onKey();
        return m_nAnswer;
    }
    int m_nAnswer;
    std::vector<int> m_seen;
    std::function<void()> m_onKey;
};

// A bar whose EndTracking does nothing: it stays listed in the mouse manager.
class CStuckBar : public CZPCommandBar
{
public:
    void EndTracking() override { ++m_nEnds; }
    int m_nEnds = 0;
};

// A shown popup bar window at a screen rectangle.
CZPCommandBar* NewBarWindow(const RECT& rc, CZPCommandBar* pBar = NULL)
{
    if (pBar == NULL)
        pBar = new CZPCommandBar;
    pBar->CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), L"bar", WS_POPUP | WS_VISIBLE, rc.left, rc.top,
                   rc.right - rc.left, rc.bottom - rc.top, NULL, NULL);
    return pBar;
}

// Dispatches what is queued, then waits for more input up to a bound, until the condition holds.
bool PumpUntil(const std::function<bool()>& done, int nRounds = 40)
{
    for (int i = 0; i < nRounds; ++i) {
        MSG msg;
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (done())
            return true;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
    }
    return done();
}

void PumpQueued()
{
    PumpUntil([] { return false; }, 3);
}

void SendMouseButton(DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags;
    ::SendInput(1, &input, sizeof(input));
}

// A foreground window that records the clicks it receives.
class CTargetWindow
{
public:
    CTargetWindow()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(NULL);
        wc.lpszClassName = L"ZpMouseTestTarget";
        wc.hCursor = ::LoadCursorW(NULL, MAKEINTRESOURCEW(32512));
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"target", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, NULL, NULL,
                                   wc.hInstance, NULL);
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ::SetForegroundWindow(m_hWnd);
        ::SetFocus(m_hWnd);
        PumpQueued();
    }
    ~CTargetWindow() { ::DestroyWindow(m_hWnd); }
    HWND m_hWnd;
    int m_nDowns = 0;
    int m_nKeys = 0;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        CTargetWindow* pThis = reinterpret_cast<CTargetWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (pThis != NULL && message == WM_LBUTTONDOWN)
            ++pThis->m_nDowns;
        if (pThis != NULL && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN))
            ++pThis->m_nKeys;
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    }
};

class MouseKeyboardManagerTest : public CommandBarsTest
{
protected:
    void TearDown() override
    {
        // After every test: nothing tracked, no modal loop, no keyboard hooks.
        CZPMouseManager* pMouse = ZpMouseManager();
        EXPECT_EQ(0, pMouse->GetTrackedCount());
        EXPECT_EQ(0, pMouse->GetModalCounter());
        EXPECT_EQ(NULL, pMouse->GetLastHighlightingBar());
        EXPECT_FALSE(ZpKeyboardManager()->HasHooks());
        EXPECT_EQ(NULL, ::GetCapture());
        CommandBarsTest::TearDown();
    }
};

TEST_F(MouseKeyboardManagerTest, KeyDispatchRunsNewestFirstAndTwoPassesTheKey)
{
    CZPKeyboardManager* pKeyboard = ZpKeyboardManager();
    struct Case
    {
        int nOld, nNew;
        BOOL bSwallowed;
        size_t nOldSeen;
    } cases[] = {
        { 0, 0, TRUE, 1 },   // nobody answers: swallowed
        { 1, 0, TRUE, 1 },   // the older one answers 1
        { 0, 2, FALSE, 0 },  // the newer one answers 2: passes, the older is not asked
        { 2, 5, TRUE, 0 },   // any other non-zero swallows
    };
    for (const Case& c : cases) {
        CTestHookAble oldHook(c.nOld), newHook(c.nNew);
        pKeyboard->AddHookAble(&oldHook);
        pKeyboard->AddHookAble(&newHook);
        pKeyboard->AddHookAble(&oldHook);  // once only
        EXPECT_EQ(2, pKeyboard->GetCount());
        EXPECT_TRUE(pKeyboard->HasHooks());
        EXPECT_EQ(c.bSwallowed, pKeyboard->OnKeyboardHook(HC_ACTION, 'A', 1));
        EXPECT_EQ(1u, newHook.m_seen.size());
        EXPECT_EQ(c.nOldSeen, oldHook.m_seen.size());
        pKeyboard->RemoveHookAble(&newHook);
        EXPECT_TRUE(pKeyboard->HasHooks());
        pKeyboard->RemoveHookAble(&oldHook);
        EXPECT_FALSE(pKeyboard->HasHooks());
    }
}

TEST_F(MouseKeyboardManagerTest, KeyHookIgnoresPeeksReleasesAndAnEmptyList)
{
    CZPKeyboardManager* pKeyboard = ZpKeyboardManager();
    EXPECT_FALSE(pKeyboard->OnKeyboardHook(HC_ACTION, 'A', 1));  // nothing registered
    CTestHookAble hook(1);
    pKeyboard->AddHookAble(&hook);
    EXPECT_FALSE(pKeyboard->OnKeyboardHook(HC_NOREMOVE, 'A', 1));
    EXPECT_FALSE(pKeyboard->OnKeyboardHook(HC_ACTION, 'A', 1 | kReleased | kPreviousDown));
    EXPECT_TRUE(hook.m_seen.empty());
    // Alt held with another key is dispatched like any key.
    EXPECT_TRUE(pKeyboard->OnKeyboardHook(HC_ACTION, 'F', 1 | kAltContext));
    EXPECT_EQ(std::vector<int>({ 'F' }), hook.m_seen);
    pKeyboard->RemoveHookAble(&hook);
}

TEST_F(MouseKeyboardManagerTest, AHookAbleLeavingDuringDispatchIsNotCalledAgain)
{
    CZPKeyboardManager* pKeyboard = ZpKeyboardManager();
    CTestHookAble older(0), newer(0);
    newer.m_onKey = [&] {
        pKeyboard->RemoveHookAble(&older);
        pKeyboard->RemoveHookAble(&newer);
    };
    pKeyboard->AddHookAble(&older);
    pKeyboard->AddHookAble(&newer);
    EXPECT_TRUE(pKeyboard->OnKeyboardHook(HC_ACTION, 'A', 1));
    EXPECT_TRUE(older.m_seen.empty());
    EXPECT_FALSE(pKeyboard->HasHooks());
}

TEST_F(MouseKeyboardManagerTest, TrackingModeRegistersWithBothManagersAndResetsOnLeaving)
{
    CTestSite site;
    CZPCommandBar* pBar = NewBarWindow({ 10, 10, 60, 40 });
    pBar->SetSiteWindow(site.m_hWnd);
    CZPMouseManager* pMouse = ZpMouseManager();

    EXPECT_FALSE(pBar->SwitchTrackingMode(0, FALSE, FALSE));  // same mode: nothing
    EXPECT_TRUE(pBar->SwitchTrackingMode(1, FALSE, FALSE));
    EXPECT_TRUE(pBar->IsMouseEntry());
    EXPECT_TRUE(pMouse->IsTracked(pBar));
    EXPECT_TRUE(ZpKeyboardManager()->IsRegistered(pBar));
    EXPECT_FALSE(pBar->SwitchTrackingMode(2, FALSE, TRUE));  // already tracking: only stored
    EXPECT_EQ(2, pBar->GetTrackingMode());
    EXPECT_FALSE(pBar->IsKeyboardEntry());
    // Not a menu bar: the site hears nothing of menu mode.
    EXPECT_EQ(0, site.Count(ZpMsgEnterMenuMode));

    pMouse->LockAll(TRUE);
    pMouse->LockAll(TRUE);
    EXPECT_EQ(2, pBar->GetLockCount());
    EXPECT_TRUE(pMouse->IsBlockedByTracking(pBar));
    EXPECT_TRUE(pMouse->IsBlockedByTracking(NULL));
    pBar->EndTracking();
    EXPECT_EQ(0, pBar->GetLockCount());
    EXPECT_FALSE(pMouse->IsTracked(pBar));
    EXPECT_FALSE(pMouse->IsBlockedByTracking(NULL));
    pBar->AdjustLockCount(-1);
    EXPECT_EQ(0, pBar->GetLockCount());
    pBar->InternalRelease();
}

TEST_F(MouseKeyboardManagerTest, CloseAllEndsABarThatStaysListed)
{
    CZPMouseManager* pMouse = ZpMouseManager();
    CStuckBar* pStuck = new CStuckBar;
    CZPCommandBar* pBar = new CZPCommandBar;
    pBar->SwitchTrackingMode(1, FALSE, FALSE);
    pMouse->AddTrackedBar(pStuck);
    EXPECT_EQ(2, pMouse->GetTrackedCount());
    pMouse->CloseAll();
    EXPECT_EQ(0, pMouse->GetTrackedCount());
    EXPECT_EQ(1, pStuck->m_nEnds);
    EXPECT_EQ(0, pBar->GetTrackingMode());

    // Close-unlocked: only when the first bar is locked, and only the unlocked ones.
    CZPCommandBar* pOuter = new CZPCommandBar;
    pOuter->SwitchTrackingMode(1, FALSE, FALSE);
    pMouse->LockAll(TRUE);
    pMouse->AddTrackedBar(pStuck);
    pBar->SwitchTrackingMode(1, FALSE, FALSE);
    pMouse->CloseUnlocked();
    EXPECT_EQ(1, pMouse->GetTrackedCount());
    EXPECT_TRUE(pMouse->IsTracked(pOuter));
    pOuter->EndTracking();
    pOuter->InternalRelease();
    pStuck->InternalRelease();
    pBar->InternalRelease();
}

TEST_F(MouseKeyboardManagerTest, ABarDestroyedWhileTrackedLeavesNoPointerBehind)
{
    CZPMouseManager* pMouse = ZpMouseManager();
    CTestSite site;
    CZPCommandBar* pBar = NewBarWindow({ 10, 10, 60, 40 });
    pBar->SetSiteWindow(site.m_hWnd);
    pBar->GetControls()->Append(new CTestControl);
    pBar->SwitchTrackingMode(1, TRUE, TRUE);
    EXPECT_EQ(0, pBar->GetHighlightedIndex());
    EXPECT_EQ(pBar, pMouse->GetLastHighlightingBar());
    pBar->InternalRelease();
    EXPECT_EQ(0, pMouse->GetTrackedCount());
    EXPECT_FALSE(ZpKeyboardManager()->HasHooks());
}

TEST_F(MouseKeyboardManagerTest, HighlightTellsTheSiteAndTheStatusBar)
{
    CTestSite site;
    CZPCommandBar* pBar = NewBarWindow({ 10, 10, 60, 40 });
    pBar->SetSiteWindow(site.m_hWnd);
    CZPControl* pControl = pBar->GetControls()->Append(new CTestControl);
    pControl->SetDescription(L"Opens a file");
    pBar->GetControls()->Append(new CTestControl);
    pBar->HighlightControlAt(0, 2);
    pBar->HighlightControlAt(1, 2);
    pBar->HighlightControlAt(-1, 0);
    std::vector<UINT> seen;
    for (const ZpRecordedMessage& m : site.m_messages) {
        if (m.message == ZpMsgControlHighlighted || m.message == WM_SETMESSAGESTRING ||
            m.message == WM_POPMESSAGESTRING)
            seen.push_back(m.message);
    }
    // A control without description and a lost highlight both show the idle text.
    const std::vector<UINT> expected = { ZpMsgControlHighlighted, WM_SETMESSAGESTRING,     ZpMsgControlHighlighted,
                                         WM_POPMESSAGESTRING,     ZpMsgControlHighlighted, WM_POPMESSAGESTRING,
                                         ZpMsgControlHighlighted, WM_POPMESSAGESTRING };
    EXPECT_EQ(expected, seen);
    pBar->InternalRelease();
}

TEST_F(MouseKeyboardManagerTest, AMenuBarEnteringMenuModeTellsTheSite)
{
    CTestSite site;
    class CMenuBarForTest : public CZPCommandBar
    {
    public:
        CMenuBarForTest() { m_barType = zpBarTypeMenuBar; }
    };
    CZPCommandBar* pBar = new CMenuBarForTest;
    pBar->SetSiteWindow(site.m_hWnd);
    pBar->SwitchTrackingMode(1, FALSE, TRUE);
    EXPECT_EQ(1, site.Count(ZpMsgEnterMenuMode));
    pBar->EndTracking();
    EXPECT_EQ(1, site.Count(ZpMsgEnterMenuMode));
    pBar->InternalRelease();
}

// Real input ---------------------------------------------------------------------------------

TEST_F(MouseKeyboardManagerTest, AnOutsideClickClosesTheBarsAndStillReachesItsTarget)
{
    CTargetWindow target;
    CZPMouseManager* pMouse = ZpMouseManager();
    CZPCommandBar* pBar = NewBarWindow({ 300, 200, 380, 260 });
    HWND hWndTrusted = ::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 200, 20, 60, 40,
                                         target.m_hWnd, NULL, NULL, NULL);
    pMouse->AddTrustedWindow(hWndTrusted);
    ::SetForegroundWindow(target.m_hWnd);
    PumpQueued();

    // A click on the trusted window keeps the bar open.
    pBar->SwitchTrackingMode(1, FALSE, FALSE);
    ::SetCursorPos(220, 30);
    SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    SendMouseButton(MOUSEEVENTF_LEFTUP);
    PumpUntil([] { return false; }, 5);
    EXPECT_EQ(1, pBar->GetTrackingMode());

    // A click on the bar itself keeps it open too.
    ::SetCursorPos(320, 220);
    SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    PumpUntil([] { return false; }, 5);
    EXPECT_EQ(1, pBar->GetTrackingMode());
    SendMouseButton(MOUSEEVENTF_LEFTUP);
    PumpUntil([] { return false; }, 5);

    // Elsewhere: closed, and the target still sees the click.
    const int nDownsBefore = target.m_nDowns;
    ::SetCursorPos(50, 50);
    SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(PumpUntil([&] { return pBar->GetTrackingMode() == 0 && target.m_nDowns > nDownsBefore; }));
    SendMouseButton(MOUSEEVENTF_LEFTUP);
    PumpQueued();

    pMouse->RemoveTrustedWindow(hWndTrusted);
    ::DestroyWindow(hWndTrusted);
    pBar->InternalRelease();
}

TEST_F(MouseKeyboardManagerTest, AReleaseOutsideClosesUnlessAModalLoopRuns)
{
    CTargetWindow target;
    CZPMouseManager* pMouse = ZpMouseManager();
    CZPCommandBar* pBar = NewBarWindow({ 300, 200, 380, 260 });
    ::SetCursorPos(320, 220);
    SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    PumpUntil([] { return false; }, 5);
    pBar->SwitchTrackingMode(1, FALSE, FALSE);

    pMouse->EnterModalLoop();
    ::SetCursorPos(60, 60);
    SendMouseButton(MOUSEEVENTF_LEFTUP);
    PumpUntil([] { return false; }, 5);
    EXPECT_EQ(1, pBar->GetTrackingMode());
    pMouse->LeaveModalLoop();
    pMouse->LeaveModalLoop();  // never below 0
    EXPECT_EQ(0, pMouse->GetModalCounter());

    ::SetCursorPos(320, 220);
    SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    PumpUntil([] { return false; }, 5);
    ::SetCursorPos(70, 70);
    SendMouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return pBar->GetTrackingMode() == 0; }));
    pBar->InternalRelease();
}

TEST_F(MouseKeyboardManagerTest, TheFirstAltPressClosesAndIsSwallowedWhileARepeatPasses)
{
    CTargetWindow target;
    CZPCommandBar* pBar = NewBarWindow({ 300, 200, 380, 260 });
    ::SetForegroundWindow(target.m_hWnd);
    ::SetFocus(target.m_hWnd);
    PumpQueued();
    pBar->SwitchTrackingMode(1, FALSE, TRUE);
    const int nKeysBefore = target.m_nKeys;
    ZpTestSendKey(VK_MENU, 0);
    EXPECT_TRUE(PumpUntil([&] { return pBar->GetTrackingMode() == 0; }));
    EXPECT_EQ(nKeysBefore, target.m_nKeys);
    ZpTestSendKey(VK_MENU, KEYEVENTF_KEYUP);
    PumpQueued();

    // The repeat of a held Alt, as the hook sees it, passes.
    CTestHookAble hook(1);
    ZpKeyboardManager()->AddHookAble(&hook);
    EXPECT_FALSE(ZpKeyboardManager()->OnKeyboardHook(HC_ACTION, VK_MENU, 1 | kAltContext | kPreviousDown));
    // Inside a modal loop Alt is an ordinary key.
    ZpMouseManager()->EnterModalLoop();
    EXPECT_TRUE(ZpKeyboardManager()->OnKeyboardHook(HC_ACTION, VK_MENU, 1 | kAltContext));
    ZpMouseManager()->LeaveModalLoop();
    EXPECT_EQ(std::vector<int>({ VK_MENU }), hook.m_seen);
    ZpKeyboardManager()->RemoveHookAble(&hook);
    pBar->InternalRelease();
}

TEST_F(MouseKeyboardManagerTest, DeactivatingTheApplicationClosesTheBars)
{
    CTargetWindow target;
    CZPCommandBar* pBar = NewBarWindow({ 300, 200, 380, 260 });
    pBar->SwitchTrackingMode(1, FALSE, FALSE);
    ::SendMessageW(target.m_hWnd, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(1, pBar->GetTrackingMode());
    ::SendMessageW(target.m_hWnd, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(0, pBar->GetTrackingMode());
    pBar->InternalRelease();
}

TEST_F(MouseKeyboardManagerTest, MouseLeaveWatchPostsOnceTheCursorIsOutside)
{
    CTargetWindow target;
    CZPMouseManager* pMouse = ZpMouseManager();
    ::SetCursorPos(50, 50);
    pMouse->StartMouseLeaveTracking(target.m_hWnd);
    EXPECT_EQ(target.m_hWnd, pMouse->GetMouseLeaveWindow());
    pMouse->OnMouseLeaveTimer();
    EXPECT_EQ(target.m_hWnd, pMouse->GetMouseLeaveWindow());
    ::SetCursorPos(600, 500);
    pMouse->OnMouseLeaveTimer();
    EXPECT_EQ(NULL, pMouse->GetMouseLeaveWindow());
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, target.m_hWnd, WM_MOUSELEAVE, WM_MOUSELEAVE, PM_REMOVE));
}

}  // namespace
