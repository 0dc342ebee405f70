// Profile values of the application (integers, strings, binary blocks) under its registry key or
// in an INI file, and the store of a window's placement as one binary value.
#pragma once

#include <framework.h>

class CWnd;

class CZRegistryManager
{
public:
    // hKeyRoot: the predefined root under which "Software" is opened.
    explicit CZRegistryManager(HKEY hKeyRoot = HKEY_CURRENT_USER);
    virtual ~CZRegistryManager() = default;
    CZRegistryManager(const CZRegistryManager&) = delete;
    CZRegistryManager& operator=(const CZRegistryManager&) = delete;

    // Root\Software\<registry key>\<profile name>, created when missing; the caller closes it.
    virtual HKEY OpenAppKey(REGSAM samDesired);
    // The section's key under the application key, or the key an absolute section names.
    virtual HKEY OpenSectionKey(LPCWSTR lpszSection, REGSAM samDesired);

    BOOL WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue);
    // A NULL value deletes the entry, a NULL entry the whole section.
    BOOL WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue);
    BOOL WriteProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, const BYTE* pData, UINT nBytes);
    UINT GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault);
    CString GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault = NULL);
    // *ppData is allocated with new[] (the caller deletes it).
    BOOL GetProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, BYTE** ppData, UINT* pBytes);

    LONG GetLastError() const { return m_lLastError; }

    // While not empty every profile value goes to this INI file instead of the registry.
    static CString m_strINIFileName;

protected:
    // Takes the registry key and profile name from the application; TRUE when both are set.
    BOOL LoadAppNames();
    // "HKCU\path" or "HKLM\path": each component created or opened in turn.
    HKEY OpenAbsoluteKey(LPCWSTR lpszPath, REGSAM samDesired);

    HKEY m_hKeyRoot;
    CString m_strRegistryKey;
    CString m_strProfileName;
    LONG m_lLastError;
};

// HKEY_CURRENT_USER for a path starting "HKCU", HKEY_LOCAL_MACHINE for "HKLM", else NULL.
HKEY ZpRootKeyFromPath(LPCWSTR lpszPath);

// A window's placement as stored: the 44-byte system record, little-endian.
class CZWindowPlacementStore : public WINDOWPLACEMENT
{
public:
    CZWindowPlacementStore();

    // NULL entry: "Window Position"; NULL section: "Settings".
    BOOL SaveWindow(CWnd* pWnd, LPCWSTR lpszEntry = NULL, LPCWSTR lpszSection = NULL);
    // Only a stored record of the right size that leaves the window on a monitor is taken.
    BOOL LoadPlacement(LPCWSTR lpszEntry = NULL, LPCWSTR lpszSection = NULL);
    BOOL RestoreWindow(CWnd* pWnd, LPCWSTR lpszEntry = NULL, LPCWSTR lpszSection = NULL);
};
