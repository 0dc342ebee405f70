// The shortcut manager: key names and texts both ways, translation with chords, and the table's
// registry and exchange forms with bad input.
#include "commandbars_test_support.h"
#include "commandbars_tests_ids.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPShortcutManager.h"
#include "common/ZPPropExchangeIniFile.h"
#include "common/ZPPropExchangeRegistry.h"
#include "TempFile.h"

#include <framework/app.h>
#include <framework/controls.h>
#include <framework/frame.h>
#include <framework/resids.h>

#include <initializer_list>
#include <string>

namespace {

// Holds the keys listed down in the thread's key state (and nothing else).
void SetKeysDown(std::initializer_list<int> keys)
{
    BYTE state[256] = {};
    for (int vk : keys)
        state[vk] = 0x80;
    ::SetKeyboardState(state);
}

CZPShortcutManagerAccel Accel(DWORD nCmd, BYTE fVirt, WORD nKey, BYTE fVirt2 = 0, WORD nKey2 = 0)
{
    CZPShortcutManagerAccel accel(nCmd, fVirt, nKey);
    accel.key[1].fVirt = fVirt2;
    accel.key[1].key = nKey2;
    return accel;
}

std::string ToStd(const CString& str)
{
    std::string out;
    for (int i = 0; i < str.GetLength(); ++i)
        out += static_cast<char>(str[i] < 0x80 ? str[i] : '?');
    return out;
}

const BYTE kV = ZP_STROKE_VIRTKEY;
const BYTE kCtrl = ZP_STROKE_VIRTKEY | ZP_STROKE_CONTROL;
const UINT WM_SNAPSHOT_MESSAGE_BAR = WM_APP + 1;

// A frame with a message bar that owns its command bars and lets them go when it is destroyed.
class CShortcutFrame : public CFrameWnd
{
public:
    CShortcutFrame()
    {
        Create(NULL, L"shortcuts", WS_OVERLAPPEDWINDOW, CRect(50, 50, 450, 350));
        m_messageBar.Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 20), this, AFX_IDW_STATUS_BAR);
        m_pCommandBars = new CZPCommandBars;
        m_pCommandBars->SetSite(m_hWnd);
        // The frame posts its idle message text when created: let it land before a test posts.
        MSG msg;
        while (::PeekMessageW(&msg, m_hWnd, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND && lParam == 0)
            m_commands.push_back(LOWORD(wParam));
        if (message == WM_SNAPSHOT_MESSAGE_BAR) {
            CString strText;
            m_messageBar.GetWindowText(strText);
            m_messageBarTexts.push_back(std::wstring(strText));
            return 0;
        }
        if (message == WM_DESTROY && m_pCommandBars != NULL) {
            m_pCommandBars->InternalRelease();
            m_pCommandBars = NULL;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
    CZPShortcutManager* Shortcuts() const { return m_pCommandBars->GetShortcutManagerObject(); }

    CStatic m_messageBar;
    CZPCommandBars* m_pCommandBars;  // owned: one reference, released on WM_DESTROY
    std::vector<int> m_commands;
    std::vector<std::wstring> m_messageBarTexts;
};

int g_nBeeps = 0;
void CountBeep(UINT)
{
    ++g_nBeeps;
}

class ShortcutManagerTest : public CommandBarsTest
{
protected:
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        g_nBeeps = 0;
        CZPShortcutManager::s_pfnChordBeep = CountBeep;
        SetKeysDown({});
    }
    void TearDown() override
    {
        SetKeysDown({});
        MSG msg;
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        }
        CommandBarsTest::TearDown();
    }
};

CString TextOf(CZPShortcutManager* pManager, const CZPShortcutManagerAccel& accel, BOOL bDisplayNames)
{
    CZPShortcutManager::CKeyHelper helper(&accel, pManager);
    helper.SetDisplayNames(bDisplayNames);
    CString strText;
    helper.Format(strText);
    return strText;
}

TEST_F(ShortcutManagerTest, EveryTableKeyNameSurvivesTextAndBack)
{
    CZPShortcutManager manager(NULL);
    const WORD kNamed[] = { 0x01, 0x02, 0x03, 0x04, 0x08, 0x09, 0x0C, 0x0D, 0x10, 0x11, 0x12, 0x13, 0x14,
                            0x1B, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x2B,
                            0x2C, 0x2D, 0x2E, 0x2F, 0x5B, 0x5C, 0x5D, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F,
                            0x90, 0x91, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE };
    std::vector<WORD> keys(kNamed, kNamed + sizeof(kNamed) / sizeof(kNamed[0]));
    for (WORD k = 0x30; k <= 0x39; ++k)
        keys.push_back(k);
    for (WORD k = 0x41; k <= 0x5A; ++k)
        keys.push_back(k);
    for (WORD k = 0x60; k <= 0x69; ++k)
        keys.push_back(k);
    for (WORD k = VK_F1; k <= VK_F12; ++k)
        keys.push_back(k);
    ASSERT_EQ(108u, keys.size());
    for (WORD nKey : keys) {
        ASSERT_NE(nullptr, CZPShortcutManager::LookupKeyTableName(nKey)) << nKey;
        // The Ctrl+Break key carries Ctrl in its name; every other key takes Shift and Alt too.
        const BYTE fVirt = nKey == 0x03 ? kCtrl : static_cast<BYTE>(kV | ZP_STROKE_SHIFT | ZP_STROKE_ALT);
        CZPShortcutManagerAccel accel = Accel(7, fVirt, nKey);
        CString strText = TextOf(&manager, accel, FALSE);
        CZPShortcutManagerAccel parsed;
        ASSERT_TRUE(manager.ParseShortcut(strText, &parsed)) << ToStd(strText);
        // Both Windows keys are called "Win", which reads back as the right one.
        EXPECT_EQ(nKey == 0x5B ? 0x5C : nKey, parsed.key[0].key) << ToStd(strText);
        EXPECT_EQ(fVirt, parsed.key[0].fVirt) << ToStd(strText);
    }
}

TEST_F(ShortcutManagerTest, TextsParseOrAreRefused)
{
    CZPShortcutManager manager(NULL);
    const struct
    {
        LPCWSTR lpszText;
        BOOL bParses;
        BYTE fVirt;
        WORD nKey;
        BYTE fVirt2;
        WORD nKey2;
    } cases[] = {
        { L"Ctrl+Shift+F3", TRUE, kCtrl | ZP_STROKE_SHIFT, VK_F3, 0, 0 },
        { L"Shift+Alt+Ctrl+Num +", TRUE, kCtrl | ZP_STROKE_SHIFT | ZP_STROKE_ALT, VK_ADD, 0, 0 },
        { L"Ctrl+K, Ctrl+C", TRUE, kCtrl, 'K', kCtrl, 'C' },
        { L"page down", TRUE, kV, VK_NEXT, 0, 0 },
        { L"Win", TRUE, kV, VK_RWIN, 0, 0 },
        { L"0xba", TRUE, kV, 0xBA, 0, 0 },
        { L"Ctrl+0xFFFF", TRUE, kCtrl, 0xFFFF, 0, 0 },
        { L"0x1", FALSE },
        { L"0x1G", FALSE },
        { L"0x10000", FALSE },
        { L"0x0000", FALSE },
        { L"", FALSE },
        { L"Ctrl+", FALSE },
        { L"Alt+Nonsense", FALSE },
        { L"Ctrl+K, ", FALSE },
        { L"ctrl+K", FALSE },  // modifier names are case-sensitive
    };
    for (const auto& c : cases) {
        CZPShortcutManagerAccel accel;
        EXPECT_EQ(c.bParses, manager.ParseShortcut(c.lpszText, &accel)) << ToStd(c.lpszText);
        if (!c.bParses)
            continue;
        EXPECT_EQ(c.fVirt, accel.key[0].fVirt) << ToStd(c.lpszText);
        EXPECT_EQ(c.nKey, accel.key[0].key) << ToStd(c.lpszText);
        EXPECT_EQ(c.fVirt2, accel.key[1].fVirt) << ToStd(c.lpszText);
        EXPECT_EQ(c.nKey2, accel.key[1].key) << ToStd(c.lpszText);
    }
}

TEST_F(ShortcutManagerTest, RecordsFormatAsMenusShowThem)
{
    CZPShortcutManager manager(NULL);
    const struct
    {
        CZPShortcutManagerAccel accel;
        BOOL bDisplayNames;
        LPCWSTR lpszText;
    } cases[] = {
        { Accel(1, kCtrl | ZP_STROKE_SHIFT | ZP_STROKE_ALT | ZP_STROKE_WIN, 'S'), TRUE, L"Ctrl+Shift+Alt+Win+S" },
        { Accel(1, kCtrl, 0x03), TRUE, L"Ctrl+Break" },
        { Accel(1, kCtrl, 'K', kCtrl, 'C'), TRUE, L"Ctrl+K, Ctrl+C" },
        { Accel(1, ZP_STROKE_NOINVERT, 3), TRUE, L"Ctrl+C" },  // a control character
        { Accel(1, 0, 'x'), TRUE, L"x" },
        { Accel(1, 0, VK_ESCAPE), TRUE, L"" },
        { Accel(1, ZP_STROKE_CONTROL | ZP_STROKE_SHIFT, 0), TRUE, L"Ctrl+Shift" },  // modifiers only
        { Accel(1, kV, 0xBA), FALSE, L"0xba" },
        { Accel(1, kV, VK_F3, kV, 0), TRUE, L"F3" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::wstring(c.lpszText), std::wstring(TextOf(&manager, c.accel, c.bDisplayNames)));
    // An unnamed key takes the keyboard layout's name for display.
    EXPECT_FALSE(manager.GetKeyName(0xBA).IsEmpty());
}

TEST_F(ShortcutManagerTest, MenuTextIsTheBestRankedShortcut)
{
    CZPShortcutManager manager(NULL);
    const CZPShortcutManagerAccel accels[] = {
        Accel(10, kV | ZP_STROKE_SHIFT, VK_F3),
        Accel(10, kCtrl, VK_F3),
        Accel(10, kV, VK_F3),
        Accel(11, kV | ZP_STROKE_SHIFT, VK_F3),
        Accel(11, kV | ZP_STROKE_ALT, VK_F3),
        Accel(12, kCtrl, 'A'),
        Accel(12, kCtrl, 'B'),
    };
    manager.SetAccelerators(accels, sizeof(accels) / sizeof(accels[0]));
    const struct
    {
        int nId;
        LPCWSTR lpszCurrent;
        BOOL bResult;
        LPCWSTR lpszText;
    } cases[] = {
        { 10, L"", TRUE, L"F3" },
        { 11, L"", TRUE, L"Alt+F3" },
        { 11, L"Shift+F3", TRUE, L"Shift+F3" },  // a shortcut the control shows already stays
        { 12, L"", TRUE, L"Ctrl+A" },            // equal ranks: the first in the table
        { 13, L"Ctrl+Q", FALSE, L"" },
    };
    for (const auto& c : cases) {
        CString strText = c.lpszCurrent;
        EXPECT_EQ(c.bResult, manager.ComposeShortcutText(c.nId, strText)) << c.nId;
        EXPECT_EQ(std::wstring(c.lpszText), std::wstring(strText)) << c.nId;
    }
}

TEST_F(ShortcutManagerTest, ResourceTableBecomesTheDefault)
{
    CZPShortcutManager manager(NULL);
    EXPECT_FALSE(manager.HasDefaultTable());
    manager.LoadFromAcceleratorResource(IDR_CB_ACCELERATORS);
    ASSERT_EQ(3u, manager.GetShortcuts().size());
    EXPECT_EQ(static_cast<DWORD>(ID_CB_CMD_COPY), manager.GetShortcuts()[1].cmd);
    EXPECT_EQ(kCtrl, manager.GetShortcuts()[1].key[0].fVirt & ~ZP_STROKE_NOINVERT);
    EXPECT_EQ('C', manager.GetShortcuts()[1].key[0].key);
    manager.GetShortcuts().clear();
    CString strText = L"F3";
    // With a table of its own the manager never falls back to another.
    EXPECT_FALSE(manager.ComposeShortcutText(ID_CB_CMD_FIND, strText));
    EXPECT_EQ(std::wstring(L"F3"), std::wstring(strText));
    manager.ResetToDefault();
    EXPECT_EQ(3u, manager.GetShortcuts().size());

    manager.LoadFromAcceleratorResource(IDR_CB_MISSING);
    EXPECT_TRUE(manager.HasDefaultTable());
    EXPECT_TRUE(manager.GetShortcuts().empty());
    const CZPShortcutManagerAccel one = Accel(1, kV, VK_F5);
    manager.SetAccelerators(&one, 1);
    manager.ResetToDefault();
    EXPECT_TRUE(manager.GetShortcuts().empty());
}

TEST_F(ShortcutManagerTest, KeysRunTheirCommandOnceWithTheRightModifiers)
{
    CShortcutFrame* pFrame = new CShortcutFrame;
    const HWND hWnd = pFrame->GetSafeHwnd();
    const CZPShortcutManagerAccel accels[] = {
        Accel(1, kCtrl, 'K'), Accel(2, kCtrl | ZP_STROKE_ALT, 'Q'), Accel(3, 0, 'x'), Accel(4, ZP_STROKE_ALT, 'y'),
        Accel(5, kV, VK_F3),
    };
    pFrame->Shortcuts()->SetAccelerators(accels, sizeof(accels) / sizeof(accels[0]));
    const struct
    {
        std::initializer_list<int> keys;
        UINT message;
        WPARAM vk;
        BOOL bConsumed;
        int nCommand;  // 0: none
    } cases[] = {
        { { VK_CONTROL, VK_LCONTROL }, WM_KEYDOWN, 'K', TRUE, 1 },
        { {}, WM_KEYDOWN, 'K', FALSE, 0 },
        { { VK_CONTROL, VK_LCONTROL, VK_SHIFT }, WM_KEYDOWN, 'K', FALSE, 0 },
        { { VK_CONTROL, VK_LCONTROL }, WM_KEYUP, 'K', FALSE, 0 },
        // AltGr (right Alt reported with left Ctrl) is no Ctrl+Alt ...
        { { VK_CONTROL, VK_LCONTROL, VK_MENU, VK_RMENU }, WM_KEYDOWN, 'Q', FALSE, 0 },
        // ... unless right Ctrl and left Alt are really down.
        { { VK_CONTROL, VK_LCONTROL, VK_RCONTROL, VK_MENU, VK_RMENU, VK_LMENU }, WM_KEYDOWN, 'Q', TRUE, 2 },
        { { VK_CONTROL, VK_LCONTROL, VK_MENU, VK_LMENU }, WM_SYSKEYDOWN, 'Q', TRUE, 2 },
        // Characters ignore Ctrl and Shift, not Alt.
        { { VK_CONTROL, VK_SHIFT }, WM_CHAR, 'x', TRUE, 3 },
        { { VK_MENU }, WM_CHAR, 'x', FALSE, 0 },
        { { VK_MENU }, WM_SYSCHAR, 'y', TRUE, 4 },
        { {}, WM_KEYDOWN, 'x', FALSE, 0 },  // no virtual-key record for it
        { {}, WM_KEYDOWN, VK_F3, TRUE, 5 },
    };
    for (const auto& c : cases) {
        SetKeysDown(c.keys);
        pFrame->m_commands.clear();
        MSG msg = ZpTestKeyMessage(hWnd, c.message, c.vk);
        EXPECT_EQ(c.bConsumed, pFrame->m_pCommandBars->PreTranslateFrameMessage(&msg)) << c.vk;
        ASSERT_EQ(c.nCommand != 0 ? 1u : 0u, pFrame->m_commands.size()) << c.vk;
        if (c.nCommand != 0)
            EXPECT_EQ(c.nCommand, pFrame->m_commands[0]);
    }

    // Consumed but not run: disabled site, a capture, disabled shortcuts, customize mode.
    SetKeysDown({});
    MSG f3 = ZpTestKeyMessage(hWnd, WM_KEYDOWN, VK_F3);
    pFrame->m_commands.clear();
    ::EnableWindow(hWnd, FALSE);
    EXPECT_TRUE(pFrame->Shortcuts()->TranslateShortcut(&f3));
    ::EnableWindow(hWnd, TRUE);
    ::SetCapture(hWnd);
    EXPECT_TRUE(pFrame->Shortcuts()->TranslateShortcut(&f3));
    ::ReleaseCapture();
    EXPECT_TRUE(pFrame->m_commands.empty());
    // An extra enable keeps the count at zero, so one disable still switches them off.
    pFrame->Shortcuts()->DisableShortcuts(FALSE);
    EXPECT_EQ(0, pFrame->Shortcuts()->GetDisableCount());
    pFrame->m_pCommandBars->OnSetPreviewMode(TRUE);
    EXPECT_FALSE(pFrame->Shortcuts()->TranslateShortcut(&f3));
    pFrame->m_pCommandBars->OnSetPreviewMode(FALSE);
    pFrame->m_pCommandBars->SetCustomizeMode(TRUE);
    EXPECT_FALSE(pFrame->Shortcuts()->TranslateShortcut(&f3));
    pFrame->m_pCommandBars->SetCustomizeMode(FALSE);
    EXPECT_TRUE(pFrame->Shortcuts()->TranslateShortcut(&f3));
    EXPECT_EQ(1u, pFrame->m_commands.size());
    pFrame->DestroyWindow();
    EXPECT_FALSE(::IsWindow(hWnd));
}

// Runs Ctrl+K with the posted messages queued behind it; the commands sent.
struct ChordRun
{
    explicit ChordRun(CShortcutFrame* pFrame) : m_pFrame(pFrame), m_hWnd(pFrame->GetSafeHwnd())
    {
        const CZPShortcutManagerAccel accels[] = {
            Accel(20, kCtrl, 'K', kCtrl, 'C'),
            Accel(21, kCtrl, 'K', kCtrl, 'U'),
            Accel(22, kCtrl, 'X'),
        };
        pFrame->Shortcuts()->SetAccelerators(accels, 3);
    }
    BOOL Press()
    {
        SetKeysDown({ VK_CONTROL, VK_LCONTROL });
        MSG msg = ZpTestKeyMessage(m_hWnd, WM_KEYDOWN, 'K');
        return m_pFrame->m_pCommandBars->PreTranslateFrameMessage(&msg);
    }
    void Post(UINT message, WPARAM wParam) { ::PostMessageW(m_hWnd, message, wParam, 0); }
    CShortcutFrame* m_pFrame;  // borrowed
    HWND m_hWnd;
};

TEST_F(ShortcutManagerTest, ChordWaitsThroughCtrlAloneAndRunsTheSecondKey)
{
    CShortcutFrame* pFrame = new CShortcutFrame;
    ChordRun run(pFrame);
    run.Post(WM_SNAPSHOT_MESSAGE_BAR, 0);
    run.Post(WM_KEYDOWN, VK_CONTROL);
    run.Post(WM_KEYDOWN, 'U');
    EXPECT_TRUE(run.Press());
    ASSERT_EQ(1u, pFrame->m_commands.size());
    EXPECT_EQ(21, pFrame->m_commands[0]);
    ASSERT_EQ(1u, pFrame->m_messageBarTexts.size());
    EXPECT_EQ(std::wstring(L"(Ctrl+K) was pressed. Waiting for second key of chord..."), pFrame->m_messageBarTexts[0]);
    CString strText;
    pFrame->m_messageBar.GetWindowText(strText);
    EXPECT_TRUE(strText.IsEmpty());
    EXPECT_EQ(0, g_nBeeps);
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_EQ(0, pFrame->Shortcuts()->GetDisableCount());

    // A second key outside the table beeps and runs nothing; a click ends the wait silently.
    pFrame->m_commands.clear();
    run.Post(WM_KEYDOWN, 'X');
    EXPECT_TRUE(run.Press());
    EXPECT_EQ(1, g_nBeeps);
    run.Post(WM_LBUTTONDOWN, 0);
    run.Post(WM_KEYDOWN, 'C');  // after the wait: left in the queue
    EXPECT_TRUE(run.Press());
    EXPECT_EQ(1, g_nBeeps);
    EXPECT_TRUE(pFrame->m_commands.empty());
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, run.m_hWnd, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_EQ(0, pFrame->Shortcuts()->GetDisableCount());
    EXPECT_EQ(NULL, ::GetCapture());
    pFrame->DestroyWindow();
}

TEST_F(ShortcutManagerTest, ChordWaitSurvivesTheFrameClosingAndPassesQuitOn)
{
    CShortcutFrame* pFrame = new CShortcutFrame;
    ChordRun run(pFrame);
    // The frame's WM_CLOSE destroys it and releases the command bars that run the wait.
    run.Post(WM_CLOSE, 0);
    EXPECT_TRUE(run.Press());
    EXPECT_FALSE(::IsWindow(run.m_hWnd));
    EXPECT_EQ(NULL, ::GetCapture());

    pFrame = new CShortcutFrame;
    ChordRun quitRun(pFrame);
    ::PostQuitMessage(3);
    EXPECT_TRUE(quitRun.Press());
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
    EXPECT_EQ(0, pFrame->Shortcuts()->GetDisableCount());
    pFrame->DestroyWindow();
}

// An application object with its registry key, removed with everything under it at the end.
class CRegistryApp
{
public:
    CRegistryApp() : m_app(L"ShortcutApp") { m_app.SetRegistryKey(L"Tolvane Tests"); }
    ~CRegistryApp() { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tolvane Tests"); }
    void SetRaw(LPCWSTR lpszName, DWORD dwType, const void* pData, DWORD cb)
    {
        HKEY hKey = NULL;
        ASSERT_EQ(ERROR_SUCCESS,
                  ::RegCreateKeyExW(HKEY_CURRENT_USER, kSection, 0, NULL, 0, KEY_WRITE, NULL, &hKey, NULL));
        ::RegSetValueExW(hKey, lpszName, 0, dwType, static_cast<const BYTE*>(pData), cb);
        ::RegCloseKey(hKey);
    }
    static constexpr LPCWSTR kSection = L"Software\\Tolvane Tests\\ShortcutApp\\CommandBars";
    CWinApp m_app;
};

TEST_F(ShortcutManagerTest, RegistryRoundTripAndBadValuesKeepTheTable)
{
    CRegistryApp app;
    CZPShortcutManager manager(NULL);
    manager.SaveShortcuts(L"CommandBars");  // without a default table nothing is stored
    EXPECT_FALSE(::RegGetValueW(HKEY_CURRENT_USER, CRegistryApp::kSection, L"Accelerators", RRF_RT_ANY, NULL, NULL,
                                NULL) == ERROR_SUCCESS);
    manager.LoadFromAcceleratorResource(IDR_CB_ACCELERATORS);
    const CZPShortcutManagerAccel saved[] = { Accel(30, kCtrl, 'K', kCtrl, 'C'), Accel(31, kV, 0xBA) };
    manager.SetAccelerators(saved, 2);
    manager.SaveShortcuts(L"CommandBars");
    manager.ResetToDefault();
    manager.LoadShortcuts(L"CommandBars");
    ASSERT_EQ(2u, manager.GetShortcuts().size());
    EXPECT_EQ(0, memcmp(saved, manager.GetShortcuts().data(), sizeof(saved)));

    const DWORD dwOne = 1, dwZero = 0, dwTwo = 2, dwMinus = static_cast<DWORD>(-1);
    std::vector<BYTE> big(1024 * 1024, 0x41);
    CZPShortcutManagerAccel mixed[3] = { Accel(0, kV, VK_F4), Accel(32, kV, 0), Accel(33, kV, VK_F6) };
    ACCEL platform[2] = { { FVIRTKEY, VK_F7, 34 }, { FVIRTKEY, VK_F8, 35 } };
    const struct
    {
        DWORD dwVersion;
        DWORD dwType;
        const void* pData;
        DWORD cb;
        size_t nExpected;  // records afterwards; 2 = the saved table kept
        WORD nFirstKey;
    } cases[] = {
        { dwTwo, REG_BINARY, saved, sizeof(saved), 2, 'K' },
        { dwMinus, REG_BINARY, saved, sizeof(saved), 2, 'K' },
        { dwOne, REG_SZ, L"Ctrl+K", 14, 2, 'K' },
        { dwOne, REG_BINARY, big.data(), static_cast<DWORD>(big.size()), 2, 'K' },
        { dwOne, REG_BINARY, saved, 7, 0, 0 },  // count floored
        { dwOne, REG_BINARY, saved, 13, 1, 'K' },
        { dwOne, REG_BINARY, mixed, sizeof(mixed), 1, VK_F6 },  // key 0 or command 0 dropped
        { dwZero, REG_BINARY, platform, 13, 2, VK_F7 },         // platform entries, 6 bytes each
    };
    for (const auto& c : cases) {
        manager.SetAccelerators(saved, 2);
        app.SetRaw(L"AcceleratorsVersion", REG_DWORD, &c.dwVersion, sizeof(DWORD));
        app.SetRaw(L"Accelerators", c.dwType, c.pData, c.cb);
        manager.LoadShortcuts(L"CommandBars");
        ASSERT_EQ(c.nExpected, manager.GetShortcuts().size()) << c.dwVersion << " " << c.cb;
        if (c.nExpected > 0)
            EXPECT_EQ(c.nFirstKey, manager.GetShortcuts()[0].key[0].key) << c.cb;
    }
}

TEST_F(ShortcutManagerTest, FrameworkRefusesOversizedBinaryValuesBeforeReading)
{
    CRegistryApp app;
    std::vector<BYTE> data(100, 7);
    app.SetRaw(L"Blob", REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
    BYTE* pData = NULL;
    UINT nBytes = 0;
    EXPECT_FALSE(app.m_app.GetProfileBinary(L"CommandBars", L"Blob", &pData, &nBytes, 99));
    EXPECT_EQ(nullptr, pData);
    ASSERT_TRUE(app.m_app.GetProfileBinary(L"CommandBars", L"Blob", &pData, &nBytes, 100));
    EXPECT_EQ(100u, nBytes);
    delete[] pData;
}

TEST_F(ShortcutManagerTest, ExchangeFormsRoundTripAndAFailedLoadKeepsTheTable)
{
    const CZPShortcutManagerAccel saved[] = { Accel(40, kCtrl, 'K', kCtrl, 'C'), Accel(41, kV, 0xBA),
                                              Accel(42, kCtrl, 0x03) };
    CZPShortcutManager manager(NULL);
    // Text form (an INI file): one section per record with its text.
    CTempFile file;
    {
        manager.SetAccelerators(saved, 3);
        CZPPropExchangeIniFile px(FALSE, NULL, L"Shortcuts");
        px.AssignFile(file);
        px.SetSchema(ZP_SHORTCUT_SCHEMA_RECORDS + 1);
        manager.ExchangeProperties(&px);
    }
    const struct
    {
        LPCWSTR lpszSection;
        LPCWSTR lpszKey;
    } stored[] = { { L"Shortcuts\\Shortcut0", L"Ctrl+K, Ctrl+C" },
                   { L"Shortcuts\\Shortcut1", L"0xba" },
                   { L"Shortcuts\\Shortcut2", L"Ctrl+Break" } };
    for (const auto& c : stored)
        EXPECT_EQ(std::wstring(c.lpszKey), std::wstring(ZpGetPrivateProfileString(c.lpszSection, L"Key", L"", file)));
    // A section whose text does not parse is skipped; the others load.
    ::WritePrivateProfileStringW(L"Shortcuts\\Shortcut1", L"Key", L"Alt+Nonsense", file);
    {
        manager.GetShortcuts().clear();
        CZPPropExchangeIniFile px(TRUE, NULL, L"Shortcuts");
        px.AssignFile(file);
        manager.ExchangeProperties(&px);
    }
    ASSERT_EQ(2u, manager.GetShortcuts().size());
    EXPECT_TRUE(manager.GetShortcuts()[0].IsSameShortcut(saved[0]));
    EXPECT_TRUE(manager.GetShortcuts()[1].IsSameShortcut(saved[2]));

    // Binary form (the registry exchange); then a stored count larger than the data.
    CRegistryApp app;
    HKEY hKey = NULL;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER, CRegistryApp::kSection, 0, NULL, 0, KEY_ALL_ACCESS,
                                               NULL, &hKey, NULL));
    {
        manager.SetAccelerators(saved, 3);
        CZPPropExchangeRegistry px(FALSE, hKey, L"Shortcuts");
        px.SetSchema(ZP_SHORTCUT_SCHEMA_RECORDS + 1);
        manager.ExchangeProperties(&px);
    }
    {
        manager.GetShortcuts().clear();
        CZPPropExchangeRegistry px(TRUE, hKey, L"Shortcuts");
        manager.ExchangeProperties(&px);
    }
    ASSERT_EQ(3u, manager.GetShortcuts().size());
    EXPECT_EQ(0, memcmp(saved, manager.GetShortcuts().data(), sizeof(saved)));
    {
        CZPPropExchangeRegistry px(FALSE, hKey, L"Shortcuts");
        DWORD dwCount = 5;
        PropExchangeLong(&px, L"Count", &dwCount, 0);
    }
    {
        CZPPropExchangeRegistry px(TRUE, hKey, L"Shortcuts");
        manager.ExchangeProperties(&px);
    }
    EXPECT_EQ(3u, manager.GetShortcuts().size());
    ::RegCloseKey(hKey);
}

TEST_F(ShortcutManagerTest, MnemonicPrefixAndKeys)
{
    const struct
    {
        LPCWSTR lpszText;
        int nIndex;
    } prefixes[] = { { L"&File", 0 }, { L"Save &As", 5 }, { L"A&&B &C", 5 }, { L"&&", -1 }, { L"&", 0 }, { L"", -1 } };
    for (const auto& c : prefixes)
        EXPECT_EQ(c.nIndex, ZpFindMnemonicPrefix(c.lpszText)) << ToStd(c.lpszText);
    EXPECT_TRUE(ZpIsMnemonicKey(L'f', 'F'));
    EXPECT_TRUE(ZpIsMnemonicKey(L'F', 'F'));
    EXPECT_FALSE(ZpIsMnemonicKey(L'g', 'F'));
    EXPECT_TRUE(ZpIsMnemonicKey(L'3', VK_NUMPAD3));
    EXPECT_FALSE(ZpIsMnemonicKey(L'3', VK_NUMPAD4));
    EXPECT_FALSE(ZpIsMnemonicKey(L'a', VK_F1));  // no character
}

// The thread's layout listed twice: a second layout without needing one installed.
int TwoLayouts(int nCount, HKL* pList)
{
    if (nCount >= 2)
        pList[0] = pList[1] = ::GetKeyboardLayout(0);
    return 2;
}

TEST_F(ShortcutManagerTest, MnemonicsOfOtherLayoutsTranslateOnACopyOfTheKeyState)
{
    // ';' is what the layout gives for VK_OEM_1, and '!' is Shift+1: neither equals its key code.
    EXPECT_FALSE(ZpIsMnemonicKey(L';', VK_OEM_1));  // one layout: no translation is tried
    int (*pfnSaved)(int, HKL*) = g_pfnZpGetKeyboardLayoutList;
    g_pfnZpGetKeyboardLayoutList = TwoLayouts;
    BYTE before[256], after[256];
    ::GetKeyboardState(before);
    EXPECT_TRUE(ZpIsMnemonicKey(L';', VK_OEM_1));
    EXPECT_TRUE(ZpIsMnemonicKey(L'!', '1'));
    EXPECT_FALSE(ZpIsMnemonicKey(L'x', VK_OEM_1));
    ::GetKeyboardState(after);
    EXPECT_EQ(0, memcmp(before, after, sizeof(before)));
    g_pfnZpGetKeyboardLayoutList = pfnSaved;
}

}  // namespace
