// Operating-system version tests, loaded-library holder, critical section and monitor queries.
#pragma once

#include <framework.h>

#include <shlwapi.h>

// The running system's version, read once (ZpOsVersionInstance). Tests may build their own
// record and set its fields.
class CZPOsVersionInfo : public OSVERSIONINFOW
{
public:
    CZPOsVersionInfo();

    BOOL IsWindows95() const { return dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && dwMajorVersion == 4 && dwMinorVersion < 10; }
    BOOL IsWin9xFamily() const { return dwPlatformId == VER_PLATFORM_WIN32_WINDOWS; }
    BOOL IsNT4OrLater() const { return dwPlatformId >= VER_PLATFORM_WIN32_NT && dwMajorVersion >= 4; }
    BOOL IsNT5OrLater() const { return dwPlatformId >= VER_PLATFORM_WIN32_NT && dwMajorVersion >= 5; }
    BOOL IsVersionOrLater(DWORD dwMajor, DWORD dwMinor) const
    {
        return dwMajorVersion > dwMajor || (dwMajorVersion == dwMajor && dwMinorVersion >= dwMinor);
    }
    BOOL IsVersion(DWORD dwMajor, DWORD dwMinor) const { return dwMajorVersion == dwMajor && dwMinorVersion == dwMinor; }
    BOOL IsNT4() const { return dwPlatformId == VER_PLATFORM_WIN32_NT && IsVersion(4, 0); }
    BOOL IsXPOrLater() const { return dwPlatformId > VER_PLATFORM_WIN32_WINDOWS && IsVersionOrLater(5, 1); }
    BOOL IsVersionXPOrLater() const { return IsXPOrLater(); }

    // "COMCTL32.DLL" as major << 16 | minor, asked once; 0x40000 when unknown.
    DWORD GetComCtlVersion() const;
    // Stands in for the loaded library's version (0 asks the library again): the drawing paths
    // of older common controls can be run where a newer library is loaded, and the other way round.
    void SetComCtlVersion(DWORD dwVersion) { m_dwComCtlVersion = dwVersion; }

private:
    mutable DWORD m_dwComCtlVersion;   // 0 until asked
};

CZPOsVersionInfo& ZpOsVersionInstance();

// A library attached to (state 1, never freed here) or loaded by this holder (state 2).
class CZPModuleHandle
{
public:
    enum { stateNone = 0, stateAttached = 1, stateLoaded = 2 };

    CZPModuleHandle();
    explicit CZPModuleHandle(LPCWSTR lpszModuleName);
    virtual ~CZPModuleHandle();

    BOOL Attach(LPCWSTR lpszModuleName);
    BOOL Load(LPCWSTR lpszModuleName);
    BOOL AttachOrLoad(LPCWSTR lpszModuleName);
    BOOL Release();

    BOOL QueryDllVersion();
    // major << 16 | minor from the library's DllGetVersion; 0 when it has none.
    DWORD GetVersion();
    // Null entry and FALSE when the library is older than dwMinVersion (major << 16 | minor, 0 = any).
    BOOL GetProcAddressIfVersion(FARPROC* ppfn, LPCSTR lpszProcName, DWORD dwMinVersion = 0);
    template <class T>
    BOOL GetProcAddressIfVersion(T* ppfn, LPCSTR lpszProcName, DWORD dwMinVersion = 0)
    {
        FARPROC pfn = NULL;
        BOOL bResult = GetProcAddressIfVersion(&pfn, lpszProcName, dwMinVersion);
        *ppfn = reinterpret_cast<T>(reinterpret_cast<void*>(pfn));
        return bResult;
    }

    HMODULE GetHandle() const { return m_hModule; }
    int GetState() const { return m_nState; }
    const CString& GetName() const { return m_strModuleName; }

    CZPModuleHandle(const CZPModuleHandle&) = delete;
    CZPModuleHandle& operator=(const CZPModuleHandle&) = delete;

protected:
    CString m_strModuleName;
    HMODULE m_hModule;           // owned only in stateLoaded
    int m_nState;
    DLLVERSIONINFO m_dvi;        // cbSize 0 until DllGetVersion was asked
};

class CZPSyncSection
{
public:
    CZPSyncSection() { ::InitializeCriticalSection(&m_cs); }
    ~CZPSyncSection() { ::DeleteCriticalSection(&m_cs); }
    void Enter() { ::EnterCriticalSection(&m_cs); }
    void Leave() { ::LeaveCriticalSection(&m_cs); }

    CZPSyncSection(const CZPSyncSection&) = delete;
    CZPSyncSection& operator=(const CZPSyncSection&) = delete;

private:
    CRITICAL_SECTION m_cs;
};

class CZPSyncSectionLock
{
public:
    explicit CZPSyncSectionLock(CZPSyncSection* pSection) : m_pSection(pSection) { m_pSection->Enter(); }
    ~CZPSyncSectionLock() { m_pSection->Leave(); }

    CZPSyncSectionLock(const CZPSyncSectionLock&) = delete;
    CZPSyncSectionLock& operator=(const CZPSyncSectionLock&) = delete;

private:
    CZPSyncSection* m_pSection;  // borrowed; outlives the lock
};

// Monitor queries through USER32 entries bound by name; without them, or for a place on no
// monitor, every query answers for the primary screen.
class CZPMonitorHelper
{
public:
    CZPMonitorHelper();
    virtual ~CZPMonitorHelper() = default;

    BOOL QueryMonitorInfo(HMONITOR hMonitor, MONITORINFO* pInfo) const;
    CRect WorkAreaOfMonitor(HMONITOR hMonitor) const;
    CRect ScreenAreaOfMonitor(HMONITOR hMonitor) const;
    CRect ScreenAreaAtPoint(POINT pt) const;
    CRect ScreenAreaOfRect(const RECT& rc) const;
    CRect WorkAreaOfWindow(HWND hWnd) const;
    CRect WorkAreaAtPoint(POINT pt) const;
    CRect WorkAreaOfRect(const RECT& rc) const;
    CRect WorkAreaAtCursor() const;

protected:
    void ClearEntries();

    typedef int (WINAPI* PFNGETSYSTEMMETRICS)(int);
    typedef HMONITOR (WINAPI* PFNMONITORFROMWINDOW)(HWND, DWORD);
    typedef HMONITOR (WINAPI* PFNMONITORFROMRECT)(LPCRECT, DWORD);
    typedef HMONITOR (WINAPI* PFNMONITORFROMPOINT)(POINT, DWORD);
    typedef BOOL (WINAPI* PFNGETMONITORINFO)(HMONITOR, LPMONITORINFO);

    PFNGETSYSTEMMETRICS m_pfnGetSystemMetrics;
    PFNMONITORFROMWINDOW m_pfnMonitorFromWindow;
    PFNMONITORFROMRECT m_pfnMonitorFromRect;
    PFNMONITORFROMPOINT m_pfnMonitorFromPoint;
    PFNGETMONITORINFO m_pfnGetMonitorInfo;
    CZPModuleHandle m_modUser32;
};

CZPMonitorHelper& ZpMonitorHelperInstance();
