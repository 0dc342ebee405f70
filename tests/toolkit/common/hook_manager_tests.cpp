// Hook manager: listener order and answers, cooperating and foreign subclassers, windows and
// listeners that go away while hooked.
#include "common/ZPHookManager.h"

#include <framework/threadstate.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

const UINT WM_PROBE = WM_APP + 1;
std::string g_log;   // what listeners and window procedures saw, in order

LRESULT CALLBACK TestWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_PROBE) {
        g_log += "W" + std::to_string(wParam) + ";";
        return 100;
    }
    if (nMessage == WM_NCDESTROY)
        g_log += "W-ncdestroy;";
    if (nMessage == WM_HOOKMANAGER_SINKREMOVED)
        g_log += "W-sinkremoved;";
    return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

HWND CreateTestWindow()
{
    static ATOM s_atom = 0;
    if (s_atom == 0) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = TestWndProc;
        wc.hInstance = ::GetModuleHandleW(NULL);
        wc.lpszClassName = L"TolvaneHookTest";
        s_atom = ::RegisterClassW(&wc);
    }
    return ::CreateWindowExW(0, L"TolvaneHookTest", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                             ::GetModuleHandleW(NULL), NULL);
}

WNDPROC WndProcOf(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
}

class CListener : public CZPHookManagerHookAble
{
public:
    CListener(const char* name, int nAnswer = hookContinue, BOOL* pDeleted = NULL)
        : m_name(name), m_nAnswer(nAnswer), m_pDeleted(pDeleted)
    {
    }
    ~CListener() override
    {
        if (m_pDeleted != NULL)
            *m_pDeleted = TRUE;
    }
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT& lResult) override
    {
        if (nMessage == WM_HOOKMANAGER_SINKREMOVED)
            g_log += m_name + "-sinkremoved;";
        if (nMessage != WM_PROBE)
            return hookContinue;
        g_log += m_name + std::to_string(wParam) + ";";
        // Framework code run by a listener sees the hooked message as the current one.
        const MSG& current = AfxGetThreadState()->m_lastSentMsg;
        EXPECT_EQ(hWnd, current.hwnd);
        EXPECT_EQ(static_cast<UINT>(WM_PROBE), current.message);
        wParam += 1;
        lResult = 7;
        if (m_bDestroyWindow)
            ::DestroyWindow(hWnd);
        if (m_bDeleteSelf) {
            int nAnswer = m_nAnswer;
            delete this;
            return nAnswer;
        }
        return m_nAnswer;
    }

    std::string m_name;
    int m_nAnswer;
    BOOL* m_pDeleted;
    BOOL m_bDeleteSelf = FALSE;
    BOOL m_bDestroyWindow = FALSE;
};

// A subclasser of its own installed above the hook manager.
struct CForeignSubclass
{
    static WNDPROC s_pfnPrevious;
    static BOOL s_bCooperates;

    static LRESULT CALLBACK Proc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
    {
        if (nMessage == WM_HOOKMANAGER_SINKREMOVED && s_bCooperates &&
            reinterpret_cast<WNDPROC>(wParam) == s_pfnPrevious) {
            s_pfnPrevious = reinterpret_cast<WNDPROC>(lParam);
            return 1;
        }
        if (nMessage == WM_PROBE)
            g_log += "F;";
        return ::CallWindowProcW(s_pfnPrevious, hWnd, nMessage, wParam, lParam);
    }
    static void Install(HWND hWnd, BOOL bCooperates)
    {
        s_bCooperates = bCooperates;
        s_pfnPrevious = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    }
};
WNDPROC CForeignSubclass::s_pfnPrevious = NULL;
BOOL CForeignSubclass::s_bCooperates = FALSE;

class HookManager : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_log.clear();
        m_hWnd = CreateTestWindow();
        ASSERT_NE(nullptr, m_hWnd);
        m_pfnOriginal = WndProcOf(m_hWnd);
    }
    void TearDown() override
    {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        EXPECT_EQ(nullptr, ZpHookManagerInstance()->FindSink(m_hWnd));
    }
    LRESULT Probe() { return ::SendMessageW(m_hWnd, WM_PROBE, 0, 0); }

    CZPHookManager* Manager() { return ZpHookManagerInstance(); }
    HWND m_hWnd = NULL;
    WNDPROC m_pfnOriginal = NULL;
};

}  // namespace

TEST_F(HookManager, LastAttachedSeesFirstAndAnswersDecideWhoElseDoes)
{
    struct Case
    {
        int nAnswer;
        const char* expectedLog;
        LRESULT expectedResult;
    } cases[] = {
        {CZPHookManagerHookAble::hookContinue, "B0;A1;W2;", 100},
        {CZPHookManagerHookAble::hookHandled, "B0;", 7},
        {CZPHookManagerHookAble::hookStop, "B0;W1;", 100},
        {5, "B0;A1;W2;", 100},   // anything else continues
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nAnswer);
        CListener a("A"), b("B", c.nAnswer);
        ASSERT_TRUE(Manager()->AttachHookAble(m_hWnd, &a));
        ASSERT_TRUE(Manager()->AttachHookAble(m_hWnd, &b));
        ASSERT_TRUE(Manager()->AttachHookAble(m_hWnd, &b));   // once only
        EXPECT_EQ(2, Manager()->FindSink(m_hWnd)->GetHookAbleCount());
        EXPECT_EQ(ZpHookWindowProc, WndProcOf(m_hWnd));
        g_log.clear();
        EXPECT_EQ(c.expectedResult, Probe());
        EXPECT_EQ(c.expectedLog, g_log);
        Manager()->DetachHookAble(m_hWnd, &a);
        Manager()->DetachHookAble(m_hWnd, &b);
        EXPECT_EQ(nullptr, Manager()->FindSink(m_hWnd));
        EXPECT_EQ(m_pfnOriginal, WndProcOf(m_hWnd));
    }
}

TEST_F(HookManager, CooperatingSubclasserAboveKeepsWorkingWhenTheSinkGoes)
{
    CListener a("A");
    ASSERT_TRUE(Manager()->AttachHookAble(m_hWnd, &a));
    CForeignSubclass::Install(m_hWnd, TRUE);
    g_log.clear();
    Probe();
    EXPECT_EQ("F;A0;W1;", g_log);

    g_log.clear();
    Manager()->DetachHookAble(m_hWnd, &a);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(CForeignSubclass::Proc), WndProcOf(m_hWnd));
    EXPECT_EQ(m_pfnOriginal, CForeignSubclass::s_pfnPrevious);
    Probe();
    EXPECT_EQ("F;W0;", g_log);
}

TEST_F(HookManager, OurProcedureLeftInAForeignChainPassesMessagesOn)
{
    CListener a("A");
    ASSERT_TRUE(Manager()->AttachHookAble(m_hWnd, &a));
    CForeignSubclass::Install(m_hWnd, FALSE);
    Manager()->DetachHookAble(m_hWnd, &a);
    EXPECT_EQ(m_pfnOriginal, WndProcOf(m_hWnd));
    // The foreign subclasser puts back what it replaced: our procedure, without a sink now.
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CForeignSubclass::s_pfnPrevious));
    g_log.clear();
    EXPECT_EQ(100, Probe());
    EXPECT_EQ("W0;", g_log);
}

TEST_F(HookManager, NcDestroyRemovesTheSinkWithoutNoticeAndDeletesListenersThatAskedForIt)
{
    BOOL bOwnedDeleted = FALSE, bKeptDeleted = FALSE;
    CListener* pOwned = new CListener("O", CZPHookManagerHookAble::hookContinue, &bOwnedDeleted);
    pOwned->m_bAutoDestroy = TRUE;
    CListener kept("K", CZPHookManagerHookAble::hookContinue, &bKeptDeleted);
    ASSERT_TRUE(Manager()->AttachHookAble(m_hWnd, pOwned));
    ASSERT_TRUE(Manager()->AttachHookAble(m_hWnd, &kept));
    g_log.clear();
    ::DestroyWindow(m_hWnd);
    EXPECT_EQ("W-ncdestroy;", g_log);   // passed on, and no WM_HOOKMANAGER_SINKREMOVED
    EXPECT_TRUE(bOwnedDeleted);
    EXPECT_FALSE(bKeptDeleted);
    EXPECT_EQ(nullptr, Manager()->FindSink(m_hWnd));
}

TEST_F(HookManager, AutoDestroyListenerIsDeletedWhenDetached)
{
    BOOL bDeleted = FALSE;
    CListener* pOwned = new CListener("O", CZPHookManagerHookAble::hookContinue, &bDeleted);
    pOwned->m_bAutoDestroy = TRUE;
    ASSERT_TRUE(Manager()->AttachHookAble(m_hWnd, pOwned));
    Manager()->DetachHookAbleEverywhere(pOwned);
    EXPECT_TRUE(bDeleted);
    EXPECT_EQ(m_pfnOriginal, WndProcOf(m_hWnd));
}

TEST_F(HookManager, ListenersThatGoAwayDuringDispatch)
{
    // Deleted in its own call: the one below still sees the message, then the window.
    {
        CListener a("A");
        CListener* pSelf = new CListener("S");
        pSelf->m_bDeleteSelf = TRUE;
        ASSERT_TRUE(Manager()->AttachHookAble(m_hWnd, &a));
        ASSERT_TRUE(Manager()->AttachHookAble(m_hWnd, pSelf));
        g_log.clear();
        EXPECT_EQ(100, Probe());
        EXPECT_EQ("S0;A1;W2;", g_log);
        EXPECT_EQ(1, Manager()->FindSink(m_hWnd)->GetHookAbleCount());
        Manager()->DetachHookAble(m_hWnd, &a);
    }
    // The only listener deletes itself: the sink goes during dispatch, the window still answers.
    {
        CListener* pSelf = new CListener("S");
        pSelf->m_bDeleteSelf = TRUE;
        ASSERT_TRUE(Manager()->AttachHookAble(m_hWnd, pSelf));
        g_log.clear();
        EXPECT_EQ(100, Probe());
        EXPECT_EQ("S0;W-sinkremoved;W1;", g_log);   // the unhook notice nobody answers
        EXPECT_EQ(nullptr, Manager()->FindSink(m_hWnd));
        EXPECT_EQ(m_pfnOriginal, WndProcOf(m_hWnd));
    }
    // A listener deleted without detaching leaves nothing behind.
    {
        CListener* pLeft = new CListener("L");
        ASSERT_TRUE(Manager()->AttachHookAble(m_hWnd, pLeft));
        delete pLeft;
        EXPECT_EQ(nullptr, Manager()->FindSink(m_hWnd));
        g_log.clear();
        Probe();
        EXPECT_EQ("W0;", g_log);
    }
}

TEST_F(HookManager, WindowDestroyedByAListenerDuringDispatch)
{
    CListener below("A");
    CListener* pKiller = new CListener("K");
    pKiller->m_bDestroyWindow = TRUE;
    pKiller->m_bAutoDestroy = TRUE;
    ASSERT_TRUE(Manager()->AttachHookAble(m_hWnd, &below));
    ASSERT_TRUE(Manager()->AttachHookAble(m_hWnd, pKiller));
    Probe();
    EXPECT_FALSE(::IsWindow(m_hWnd));
    EXPECT_EQ(nullptr, Manager()->FindSink(m_hWnd));
    EXPECT_EQ(std::string::npos, g_log.find("A1;"));   // the sink was gone: no listener after it
}

TEST_F(HookManager, RefusesWindowsItCannotHook)
{
    CListener a("A");
    EXPECT_FALSE(Manager()->AttachHookAble(NULL, &a));
    EXPECT_FALSE(Manager()->AttachHookAble(m_hWnd, NULL));

    HWND hOther = NULL;
    HANDLE hCreated = ::CreateEventW(NULL, TRUE, FALSE, NULL), hDone = ::CreateEventW(NULL, TRUE, FALSE, NULL);
    std::thread other([&] {
        hOther = CreateTestWindow();
        ::SetEvent(hCreated);
        ::WaitForSingleObject(hDone, INFINITE);
        ::DestroyWindow(hOther);
    });
    ::WaitForSingleObject(hCreated, INFINITE);
    EXPECT_FALSE(Manager()->AttachHookAble(hOther, &a));
    EXPECT_EQ(nullptr, Manager()->FindSink(hOther));
    ::SetEvent(hDone);
    other.join();
    ::CloseHandle(hCreated);
    ::CloseHandle(hDone);
}

TEST_F(HookManager, AnsiWindowsAreHookedAndRestoredWithTheAnsiFunctions)
{
    HWND hAnsi = ::CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 50, 20, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hAnsi);
    ASSERT_FALSE(::IsWindowUnicode(hAnsi));
    const LONG_PTR original = ::GetWindowLongPtrA(hAnsi, GWLP_WNDPROC);
    CListener a("A");
    ASSERT_TRUE(Manager()->AttachHookAble(hAnsi, &a));
    EXPECT_FALSE(::IsWindowUnicode(hAnsi));
    // Text passes through our procedure to the edit control unchanged.
    ::SetWindowTextA(hAnsi, "caf\xE9");
    char szText[16] = {};
    ::GetWindowTextA(hAnsi, szText, sizeof(szText));
    EXPECT_STREQ("caf\xE9", szText);
    Manager()->DetachHookAble(hAnsi, &a);
    EXPECT_EQ(original, ::GetWindowLongPtrA(hAnsi, GWLP_WNDPROC));
    ::DestroyWindow(hAnsi);
}
