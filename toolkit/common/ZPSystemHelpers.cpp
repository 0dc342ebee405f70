// Operating-system version tests, loaded-library holder, critical section and monitor queries.
#include "common/ZPSystemHelpers.h"

CZPOsVersionInfo::CZPOsVersionInfo() : m_dwComCtlVersion(0)
{
    ZeroMemory(static_cast<OSVERSIONINFOW*>(this), sizeof(OSVERSIONINFOW));
    dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
    ::GetVersionExW(this);
}

DWORD CZPOsVersionInfo::GetComCtlVersion() const
{
    if (m_dwComCtlVersion == 0)
    {
        CZPModuleHandle modComCtl(L"COMCTL32.DLL");
        DWORD dwVersion = modComCtl.GetVersion();
        m_dwComCtlVersion = dwVersion != 0 ? dwVersion : MAKELONG(0, 4);
    }
    return m_dwComCtlVersion;
}

CZPOsVersionInfo& ZpOsVersionInstance()
{
    static CZPOsVersionInfo s_instance;
    return s_instance;
}

CZPModuleHandle::CZPModuleHandle()
    : m_hModule(NULL), m_nState(stateNone)
{
    ZeroMemory(&m_dvi, sizeof(m_dvi));
}

CZPModuleHandle::CZPModuleHandle(LPCWSTR lpszModuleName)
    : CZPModuleHandle()
{
    AttachOrLoad(lpszModuleName);
}

CZPModuleHandle::~CZPModuleHandle()
{
    Release();
}

BOOL CZPModuleHandle::Attach(LPCWSTR lpszModuleName)
{
    Release();
    m_hModule = ::GetModuleHandleW(lpszModuleName);
    if (m_hModule == NULL)
        return FALSE;
    m_nState = stateAttached;
    m_strModuleName = lpszModuleName;
    return TRUE;
}

BOOL CZPModuleHandle::Load(LPCWSTR lpszModuleName)
{
    Release();
    m_hModule = ::LoadLibraryW(lpszModuleName);
    if (m_hModule == NULL)
        return FALSE;
    m_nState = stateLoaded;
    m_strModuleName = lpszModuleName;
    return TRUE;
}

BOOL CZPModuleHandle::AttachOrLoad(LPCWSTR lpszModuleName)
{
    return Attach(lpszModuleName) || Load(lpszModuleName);
}

BOOL CZPModuleHandle::Release()
{
    BOOL bResult = TRUE;
    if (m_nState == stateLoaded && m_hModule != NULL)
        bResult = ::FreeLibrary(m_hModule);
    m_hModule = NULL;
    m_nState = stateNone;
    m_strModuleName.Empty();
    ZeroMemory(&m_dvi, sizeof(m_dvi));
    return bResult;
}

BOOL CZPModuleHandle::QueryDllVersion()
{
    ZeroMemory(&m_dvi, sizeof(m_dvi));
    m_dvi.cbSize = sizeof(m_dvi);
    if (m_hModule == NULL)
        return FALSE;
    DLLGETVERSIONPROC pfnDllGetVersion =
        reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(::GetProcAddress(m_hModule, "DllGetVersion")));
    if (pfnDllGetVersion == NULL)
        return FALSE;
    return SUCCEEDED(pfnDllGetVersion(&m_dvi));
}

DWORD CZPModuleHandle::GetVersion()
{
    if (m_dvi.cbSize == 0)
        QueryDllVersion();
    return MAKELONG(m_dvi.dwMinorVersion, m_dvi.dwMajorVersion);
}

BOOL CZPModuleHandle::GetProcAddressIfVersion(FARPROC* ppfn, LPCSTR lpszProcName, DWORD dwMinVersion)
{
    if (m_hModule == NULL)
        return FALSE;
    if (dwMinVersion != 0)
    {
        DWORD dwVersion = GetVersion();
        if (HIWORD(dwVersion) < HIWORD(dwMinVersion)
            || (HIWORD(dwVersion) == HIWORD(dwMinVersion) && LOWORD(dwVersion) < LOWORD(dwMinVersion)))
        {
            *ppfn = NULL;
            return FALSE;
        }
    }
    *ppfn = ::GetProcAddress(m_hModule, lpszProcName);
    return *ppfn != NULL;
}

CZPMonitorHelper::CZPMonitorHelper()
{
    ClearEntries();
    BOOL bBound = m_modUser32.AttachOrLoad(L"User32.dll")
        && m_modUser32.GetProcAddressIfVersion(&m_pfnGetSystemMetrics, "GetSystemMetrics")
        && m_modUser32.GetProcAddressIfVersion(&m_pfnMonitorFromWindow, "MonitorFromWindow")
        && m_modUser32.GetProcAddressIfVersion(&m_pfnMonitorFromRect, "MonitorFromRect")
        && m_modUser32.GetProcAddressIfVersion(&m_pfnMonitorFromPoint, "MonitorFromPoint")
        && m_modUser32.GetProcAddressIfVersion(&m_pfnGetMonitorInfo,
               ZpOsVersionInstance().IsNT4OrLater() ? "GetMonitorInfoW" : "GetMonitorInfoA");
    if (!bBound)
        ClearEntries();
}

void CZPMonitorHelper::ClearEntries()
{
    m_pfnGetSystemMetrics = NULL;
    m_pfnMonitorFromWindow = NULL;
    m_pfnMonitorFromRect = NULL;
    m_pfnMonitorFromPoint = NULL;
    m_pfnGetMonitorInfo = NULL;
}

BOOL CZPMonitorHelper::QueryMonitorInfo(HMONITOR hMonitor, MONITORINFO* pInfo) const
{
    pInfo->cbSize = sizeof(MONITORINFO);
    if (hMonitor == NULL || m_pfnGetMonitorInfo == NULL)
        return FALSE;
    return m_pfnGetMonitorInfo(hMonitor, pInfo);
}

CRect CZPMonitorHelper::WorkAreaOfMonitor(HMONITOR hMonitor) const
{
    MONITORINFO mi;
    if (QueryMonitorInfo(hMonitor, &mi))
        return CRect(mi.rcWork);
    CRect rc;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}

CRect CZPMonitorHelper::ScreenAreaOfMonitor(HMONITOR hMonitor) const
{
    MONITORINFO mi;
    if (QueryMonitorInfo(hMonitor, &mi))
        return CRect(mi.rcMonitor);
    return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

CRect CZPMonitorHelper::ScreenAreaAtPoint(POINT pt) const
{
    return ScreenAreaOfMonitor(m_pfnMonitorFromPoint ? m_pfnMonitorFromPoint(pt, MONITOR_DEFAULTTONULL) : NULL);
}

CRect CZPMonitorHelper::ScreenAreaOfRect(const RECT& rc) const
{
    return ScreenAreaOfMonitor(m_pfnMonitorFromRect ? m_pfnMonitorFromRect(&rc, MONITOR_DEFAULTTONULL) : NULL);
}

CRect CZPMonitorHelper::WorkAreaOfWindow(HWND hWnd) const
{
    return WorkAreaOfMonitor(m_pfnMonitorFromWindow ? m_pfnMonitorFromWindow(hWnd, MONITOR_DEFAULTTONULL) : NULL);
}

CRect CZPMonitorHelper::WorkAreaAtPoint(POINT pt) const
{
    return WorkAreaOfMonitor(m_pfnMonitorFromPoint ? m_pfnMonitorFromPoint(pt, MONITOR_DEFAULTTONULL) : NULL);
}

CRect CZPMonitorHelper::WorkAreaOfRect(const RECT& rc) const
{
    return WorkAreaOfMonitor(m_pfnMonitorFromRect ? m_pfnMonitorFromRect(&rc, MONITOR_DEFAULTTONULL) : NULL);
}

CRect CZPMonitorHelper::WorkAreaAtCursor() const
{
    POINT pt = {0, 0};
    ::GetCursorPos(&pt);
    return WorkAreaAtPoint(pt);
}

CZPMonitorHelper& ZpMonitorHelperInstance()
{
    static CZPMonitorHelper s_instance;
    return s_instance;
}
