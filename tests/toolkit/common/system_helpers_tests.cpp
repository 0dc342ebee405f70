// Version tests, library holder and monitor fall-backs.
#include "common/ZPSystemHelpers.h"

#include <gtest/gtest.h>

namespace
{
CZPOsVersionInfo MakeVersion(DWORD dwPlatform, DWORD dwMajor, DWORD dwMinor)
{
    CZPOsVersionInfo info;
    info.dwPlatformId = dwPlatform;
    info.dwMajorVersion = dwMajor;
    info.dwMinorVersion = dwMinor;
    return info;
}

// Lets a test pretend the library reported a given version.
class CVersionedModule : public CZPModuleHandle
{
public:
    void PretendVersion(DWORD dwMajor, DWORD dwMinor)
    {
        m_dvi.cbSize = sizeof(m_dvi);
        m_dvi.dwMajorVersion = dwMajor;
        m_dvi.dwMinorVersion = dwMinor;
    }
};

class CUnboundMonitorHelper : public CZPMonitorHelper
{
public:
    CUnboundMonitorHelper() { ClearEntries(); }
};

CRect PrimaryWorkArea()
{
    CRect rc;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}
}

TEST(OsVersionInfo, VersionTests)
{
    const DWORD nt = VER_PLATFORM_WIN32_NT, w9x = VER_PLATFORM_WIN32_WINDOWS;
    struct Case
    {
        DWORD platform, major, minor;
        BOOL orLater51, win95, win9x, nt4, nt4OrLater, nt5OrLater, xp;
    } cases[] = {
        {w9x, 4, 0, FALSE, TRUE, TRUE, FALSE, FALSE, FALSE, FALSE},
        {w9x, 4, 10, FALSE, FALSE, TRUE, FALSE, FALSE, FALSE, FALSE},
        {nt, 4, 0, FALSE, FALSE, FALSE, TRUE, TRUE, FALSE, FALSE},
        {nt, 5, 0, FALSE, FALSE, FALSE, FALSE, TRUE, TRUE, FALSE},
        {nt, 5, 1, TRUE, FALSE, FALSE, FALSE, TRUE, TRUE, TRUE},
        {nt, 5, 2, TRUE, FALSE, FALSE, FALSE, TRUE, TRUE, TRUE},
        {nt, 6, 0, TRUE, FALSE, FALSE, FALSE, TRUE, TRUE, TRUE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.platform << ":" << c.major << "." << c.minor);
        CZPOsVersionInfo info = MakeVersion(c.platform, c.major, c.minor);
        EXPECT_EQ(c.orLater51, info.IsVersionOrLater(5, 1));
        EXPECT_EQ(c.win95, info.IsWindows95());
        EXPECT_EQ(c.win9x, info.IsWin9xFamily());
        EXPECT_EQ(c.nt4, info.IsNT4());
        EXPECT_EQ(c.nt4OrLater, info.IsNT4OrLater());
        EXPECT_EQ(c.nt5OrLater, info.IsNT5OrLater());
        EXPECT_EQ(c.xp, info.IsXPOrLater());
        EXPECT_EQ(c.xp, info.IsVersionXPOrLater());
    }
    EXPECT_TRUE(ZpOsVersionInstance().IsNT5OrLater());
    EXPECT_GE(HIWORD(ZpOsVersionInstance().GetComCtlVersion()), 4u);
}

TEST(ModuleHandle, AttachedLibraryIsNeverFreedLoadedOneIs)
{
    CZPModuleHandle kernel;
    ASSERT_TRUE(kernel.AttachOrLoad(L"kernel32.dll"));
    EXPECT_EQ(CZPModuleHandle::stateAttached, kernel.GetState());
    EXPECT_TRUE(kernel.Release());
    EXPECT_EQ(NULL, kernel.GetHandle());
    EXPECT_TRUE(kernel.GetName().IsEmpty());
    EXPECT_NE(nullptr, ::GetModuleHandleW(L"kernel32.dll"));

    const LPCWSTR pszName = L"cabinet.dll";
    if (::GetModuleHandleW(pszName) != NULL)
        GTEST_SKIP() << "cabinet.dll is already loaded";
    {
        CZPModuleHandle cabinet(pszName);
        EXPECT_EQ(CZPModuleHandle::stateLoaded, cabinet.GetState());
        EXPECT_NE(nullptr, ::GetModuleHandleW(pszName));
    }
    EXPECT_EQ(nullptr, ::GetModuleHandleW(pszName));
}

TEST(ModuleHandle, MissingLibraryOrEntryIsAPlainFailure)
{
    CZPModuleHandle missing;
    EXPECT_FALSE(missing.AttachOrLoad(L"tolvane-no-such-library.dll"));
    EXPECT_EQ(CZPModuleHandle::stateNone, missing.GetState());
    EXPECT_FALSE(missing.QueryDllVersion());
    EXPECT_EQ(0u, missing.GetVersion());
    FARPROC pfn = reinterpret_cast<FARPROC>(1);
    EXPECT_FALSE(missing.GetProcAddressIfVersion(&pfn, "Anything"));

    CZPModuleHandle kernel(L"kernel32.dll");
    EXPECT_FALSE(kernel.GetProcAddressIfVersion(&pfn, "NoSuchEntryPoint"));
    EXPECT_EQ(nullptr, pfn);
}

TEST(ModuleHandle, EntryIsWithheldFromAnOlderLibrary)
{
    CVersionedModule comctl;
    ASSERT_TRUE(comctl.AttachOrLoad(L"comctl32.dll"));
    comctl.PretendVersion(5, 82);
    EXPECT_EQ(MAKELONG(82, 5), comctl.GetVersion());

    struct Case
    {
        DWORD dwMin;
        BOOL bExpected;
    } cases[] = {{0, TRUE}, {MAKELONG(80, 5), TRUE}, {MAKELONG(82, 5), TRUE}, {MAKELONG(83, 5), FALSE},
                 {MAKELONG(0, 6), FALSE}, {MAKELONG(90, 4), TRUE}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.dwMin);
        FARPROC pfn = reinterpret_cast<FARPROC>(1);
        EXPECT_EQ(c.bExpected, comctl.GetProcAddressIfVersion(&pfn, "InitCommonControlsEx", c.dwMin));
        EXPECT_EQ(c.bExpected, pfn != nullptr);
    }
}

TEST(MonitorHelper, PlacesOnNoMonitorFallBackToThePrimaryScreen)
{
    CZPMonitorHelper& helper = ZpMonitorHelperInstance();
    const CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(screen, helper.ScreenAreaAtPoint(CPoint(-100000, -100000)));
    EXPECT_EQ(screen, helper.ScreenAreaOfRect(CRect(-100000, -100000, -99990, -99990)));
    EXPECT_EQ(PrimaryWorkArea(), helper.WorkAreaOfWindow(NULL));

    MONITORINFO mi;
    EXPECT_FALSE(helper.QueryMonitorInfo(NULL, &mi));
    EXPECT_EQ(static_cast<DWORD>(sizeof(MONITORINFO)), mi.cbSize);
    EXPECT_EQ(screen, helper.ScreenAreaAtPoint(CPoint(1, 1)));
}

TEST(MonitorHelper, WithoutMonitorFunctionsEveryQueryUsesThePrimaryScreen)
{
    CUnboundMonitorHelper helper;
    const CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(PrimaryWorkArea(), helper.WorkAreaAtCursor());
    EXPECT_EQ(PrimaryWorkArea(), helper.WorkAreaOfRect(CRect(1, 1, 2, 2)));
    EXPECT_EQ(screen, helper.ScreenAreaAtPoint(CPoint(1, 1)));
}
