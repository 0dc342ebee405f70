// The visual-style wrapper without a library, without entries, with throwing entries, and
// following a changed module; must pass with visual styles on or off.
#include "common/ZPWinThemeWrapper.h"

#include "DibSection.h"

#include <vsstyle.h>

#include <gtest/gtest.h>

namespace
{
const HTHEME g_hFakeTheme = reinterpret_cast<HTHEME>(static_cast<ULONG_PTR>(0x1234));
int g_nCloseCalls = 0;
HTHEME g_hClosed = NULL;
int g_nExceptionsAlive = 0;

class CCountedException : public CException
{
public:
    CCountedException() { ++g_nExceptionsAlive; }
    ~CCountedException() override { --g_nExceptionsAlive; }
};

HTHEME WINAPI FakeOpenThemeData(HWND, LPCWSTR) { return g_hFakeTheme; }
HRESULT WINAPI CountingCloseThemeData(HTHEME hTheme)
{
    ++g_nCloseCalls;
    g_hClosed = hTheme;
    return S_OK;
}
BOOL WINAPI FakeTrue() { return TRUE; }

HRESULT WINAPI ThrowingDrawThemeBackground(HTHEME, HDC, int, int, const RECT*, const RECT*)
{
    throw new CCountedException;
}
HRESULT WINAPI ThrowingGetThemeColor(HTHEME, int, int, int, COLORREF*) { throw 42; }
HRESULT WINAPI ThrowingCloseThemeData(HTHEME) { throw new CCountedException; }
BOOL WINAPI ThrowingGetThemeSysBool(HTHEME, int) { throw new CCountedException; }
BOOL WINAPI ThrowingBool() { throw new CCountedException; }
HPAINTBUFFER WINAPI ThrowingBeginBufferedPaint(HDC, const RECT*, BP_BUFFERFORMAT, BP_PAINTPARAMS*, HDC*)
{
    throw 1.5;
}

template <class T>
FARPROC Entry(T pfn)
{
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(pfn));
}

void ExpectEveryOperationFails(CZPWinThemeWrapper& wrapper)
{
    CDibSection dib(8, 8, RGB(1, 2, 3));
    CRect rc(0, 0, 8, 8);
    EXPECT_EQ(E_FAIL, wrapper.DrawBackground(dib.GetDC(), 1, 1, &rc, NULL));
    EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(4, 4));
    COLORREF clr = 0xABCDEF;
    EXPECT_EQ(E_FAIL, wrapper.GetColor(0, 0, 3801, &clr));
    EXPECT_EQ(0xABCDEFu, clr);
    int nValue = 7;
    EXPECT_EQ(E_FAIL, wrapper.GetInt(0, 0, 0, &nValue));
    EXPECT_EQ(7, nValue);
    SIZE sz = {0, 0};
    EXPECT_EQ(E_FAIL, wrapper.GetPartSize(dib.GetDC(), 1, 1, NULL, TS_TRUE, &sz));
    EXPECT_EQ(E_FAIL, wrapper.DrawTextWithOptions(dib.GetDC(), 1, 1, L"x", 1, 0, &rc, NULL));
    WCHAR szFile[MAX_PATH], szColor[MAX_PATH], szSize[MAX_PATH];
    EXPECT_EQ(E_FAIL, wrapper.GetThemeFileName(szFile, MAX_PATH, szColor, MAX_PATH, szSize, MAX_PATH));
    EXPECT_FALSE(wrapper.GetSysBool(1001));
    EXPECT_FALSE(wrapper.HasAppTheme());
    EXPECT_FALSE(wrapper.QueryThemeActive());
    EXPECT_FALSE(wrapper.IsVisualStyleInEffect());
    HDC hPaintDC = NULL;
    EXPECT_EQ(nullptr, wrapper.StartBufferedPaint(dib.GetDC(), &rc, BPBF_TOPDOWNDIB, NULL, &hPaintDC));
    wrapper.FinishBufferedPaint(NULL, TRUE);
    EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(4, 4));
}
}

TEST(WinThemeWrapper, WithoutTheLibraryEveryOperationFails)
{
    CZPWinThemeWrapper wrapper;
    wrapper.SetPrivateEntryTable(new ZP_THEME_ENTRY_TABLE(NULL));
    EXPECT_EQ(nullptr, wrapper.OpenTheme(NULL, L"BUTTON"));
    EXPECT_EQ(nullptr, wrapper.GetThemeHandle());
    ExpectEveryOperationFails(wrapper);
}

TEST(WinThemeWrapper, LibraryWithoutTheEntriesFailsTheSameWay)
{
    CZPWinThemeWrapper wrapper;
    wrapper.SetPrivateEntryTable(new ZP_THEME_ENTRY_TABLE(::GetModuleHandleW(L"kernel32.dll")));
    EXPECT_EQ(nullptr, wrapper.OpenTheme(NULL, L"BUTTON"));
    ExpectEveryOperationFails(wrapper);
}

TEST(WinThemeWrapper, ExceptionsInsideCallsBecomeFailureValues)
{
    {
        CZPWinThemeWrapper wrapper;
        ZP_THEME_ENTRY_TABLE* pTable = new ZP_THEME_ENTRY_TABLE(NULL);
        pTable->m_pfnSlots[ZP_THEME_ENTRY_TABLE::slotOpenThemeData] = Entry(&FakeOpenThemeData);
        pTable->m_pfnSlots[ZP_THEME_ENTRY_TABLE::slotCloseThemeData] = Entry(&ThrowingCloseThemeData);
        pTable->m_pfnSlots[ZP_THEME_ENTRY_TABLE::slotDrawThemeBackground] = Entry(&ThrowingDrawThemeBackground);
        pTable->m_pfnSlots[ZP_THEME_ENTRY_TABLE::slotGetThemeColor] = Entry(&ThrowingGetThemeColor);
        pTable->m_pfnSlots[ZP_THEME_ENTRY_TABLE::slotGetThemeSysBool] = Entry(&ThrowingGetThemeSysBool);
        pTable->m_pfnSlots[ZP_THEME_ENTRY_TABLE::slotIsAppThemed] = Entry(&ThrowingBool);
        pTable->m_pfnSlots[ZP_THEME_ENTRY_TABLE::slotIsThemeActive] = Entry(&ThrowingBool);
        pTable->m_pfnSlots[ZP_THEME_ENTRY_TABLE::slotBeginBufferedPaint] = Entry(&ThrowingBeginBufferedPaint);
        wrapper.SetPrivateEntryTable(pTable);

        EXPECT_EQ(g_hFakeTheme, wrapper.OpenTheme(NULL, L"BUTTON"));
        ExpectEveryOperationFails(wrapper);
        // Reopening closes the held handle through the throwing entry; the handle is let go anyway.
        EXPECT_EQ(g_hFakeTheme, wrapper.OpenTheme(NULL, L"TAB"));
    }
    EXPECT_EQ(0, g_nExceptionsAlive);
}

TEST(WinThemeWrapper, CloseThemeCallsTheSystemOnlyForAHeldHandle)
{
    g_nCloseCalls = 0;
    CZPWinThemeWrapper wrapper;
    ZP_THEME_ENTRY_TABLE* pTable = new ZP_THEME_ENTRY_TABLE(NULL);
    pTable->m_pfnSlots[ZP_THEME_ENTRY_TABLE::slotOpenThemeData] = Entry(&FakeOpenThemeData);
    pTable->m_pfnSlots[ZP_THEME_ENTRY_TABLE::slotCloseThemeData] = Entry(&CountingCloseThemeData);
    wrapper.SetPrivateEntryTable(pTable);

    wrapper.CloseTheme();
    EXPECT_EQ(0, g_nCloseCalls);
    wrapper.OpenTheme(NULL, L"BUTTON");
    wrapper.CloseTheme();
    EXPECT_EQ(1, g_nCloseCalls);
    EXPECT_EQ(g_hFakeTheme, g_hClosed);
    EXPECT_EQ(nullptr, wrapper.GetThemeHandle());
    wrapper.CloseTheme();
    EXPECT_EQ(1, g_nCloseCalls);
}

TEST(WinThemeWrapper, FollowingWrapperRebindsFromTheNewModulePlainOneKeepsItsEntries)
{
    HMODULE hUxTheme = ::LoadLibraryW(L"uxtheme.dll");
    ASSERT_NE(nullptr, hUxTheme);
    const HMODULE hOld = ::GetModuleHandleW(L"kernel32.dll");

    CZPWinThemeWrapper plain(FALSE);
    ZP_THEME_ENTRY_TABLE* pPlainTable = new ZP_THEME_ENTRY_TABLE(hOld);
    pPlainTable->m_pfnSlots[ZP_THEME_ENTRY_TABLE::slotIsThemeActive] = Entry(&FakeTrue);
    plain.SetPrivateEntryTable(pPlainTable);
    EXPECT_TRUE(plain.QueryThemeActive());
    EXPECT_EQ(hOld, pPlainTable->m_hModule);
    EXPECT_EQ(Entry(&FakeTrue), pPlainTable->m_pfnSlots[ZP_THEME_ENTRY_TABLE::slotIsThemeActive]);

    CZPWinThemeWrapper following(TRUE);
    ZP_THEME_ENTRY_TABLE* pFollowTable = new ZP_THEME_ENTRY_TABLE(hOld);
    pFollowTable->m_pfnSlots[ZP_THEME_ENTRY_TABLE::slotIsThemeActive] = Entry(&FakeTrue);
    following.SetPrivateEntryTable(pFollowTable);
    following.QueryThemeActive();
    EXPECT_EQ(hUxTheme, pFollowTable->m_hModule);
    EXPECT_EQ(::GetProcAddress(hUxTheme, "IsThemeActive"),
              pFollowTable->m_pfnSlots[ZP_THEME_ENTRY_TABLE::slotIsThemeActive]);
    ::FreeLibrary(hUxTheme);
}

TEST(WinThemeWrapper, VisualStyleIsInEffectOnlyWithCommonControls6OrASkin)
{
    struct Case
    {
        HMODULE hModule;
        DWORD dwComCtl;
        BOOL bActive, bExpected;
    } cases[] = {
        {NULL, MAKELONG(82, 5), TRUE, FALSE},
        {NULL, MAKELONG(0, 6), TRUE, TRUE},
        {NULL, MAKELONG(10, 6), FALSE, FALSE},
        {ZP_SKIN_UXTHEME_HANDLE, MAKELONG(82, 5), TRUE, TRUE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.dwComCtl);
        CZPWinThemeWrapper wrapper;
        ZP_THEME_ENTRY_TABLE* pTable = new ZP_THEME_ENTRY_TABLE(c.hModule);
        pTable->m_dwComCtlVersion = c.dwComCtl;
        if (c.bActive)
            pTable->m_pfnSlots[ZP_THEME_ENTRY_TABLE::slotIsThemeActive] = Entry(&FakeTrue);
        wrapper.SetPrivateEntryTable(pTable);
        EXPECT_EQ(c.bExpected, wrapper.IsVisualStyleInEffect());
    }
}

// Whatever the prefix's visual style, the real library answers consistently.
TEST(WinThemeWrapper, RealLibraryAnswersConsistently)
{
    CZPWinThemeWrapper wrapper(TRUE);
    EXPECT_FALSE(wrapper.HasAppTheme());
    const BOOL bActive = wrapper.QueryThemeActive();
    if (wrapper.IsVisualStyleInEffect())
    {
        EXPECT_TRUE(bActive);
    }
    if (wrapper.OpenTheme(NULL, L"BUTTON") != NULL)
    {
        CDibSection dib(32, 32, RGB(1, 2, 3));
        CRect rc(0, 0, 32, 32);
        EXPECT_EQ(S_OK, wrapper.DrawBackground(dib.GetDC(), BP_PUSHBUTTON, PBS_NORMAL, &rc, NULL));
    }
    else
    {
        EXPECT_FALSE(wrapper.HasAppTheme());
    }
    wrapper.CloseTheme();
    EXPECT_EQ(nullptr, wrapper.GetThemeHandle());
}
