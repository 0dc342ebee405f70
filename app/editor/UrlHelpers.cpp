// Web addresses through the shell, with the registered browser command as the fall-back.
#include "editor/UrlHelpers.h"

#include <framework/regkey.h>

#include <shellapi.h>

#include <cwchar>

namespace {

const int kCommandChars = 512;                    // a class's open command
const INT_PTR kShellExecuteSucceeded = 32;        // ShellExecuteW results above this succeeded
const WCHAR kOpenCommandKey[] = L"\\shell\\open\\command";

}  // namespace

LONG ReadRegistryDefaultValue(HKEY hRoot, LPCWSTR lpszSubKey, CString& strValue, int nMaxChars)
{
    strValue.Empty();
    CRegKeyHolder key;
    LONG lResult = ::RegOpenKeyExW(hRoot, lpszSubKey, 0, KEY_QUERY_VALUE, key.Receive());
    if (lResult != ERROR_SUCCESS)
        return lResult;
    DWORD dwType = 0;
    DWORD cbData = static_cast<DWORD>(nMaxChars * sizeof(WCHAR));
    LPWSTR pch = strValue.GetBufferSetLength(nMaxChars);
    lResult = ::RegQueryValueExW(key, NULL, NULL, &dwType, reinterpret_cast<LPBYTE>(pch), &cbData);
    if (lResult == ERROR_SUCCESS && dwType != REG_SZ && dwType != REG_EXPAND_SZ)
        lResult = ERROR_INVALID_DATA;
    // A stored string need not end in a NUL: the length read decides, or the first NUL in it.
    const size_t nRead = lResult == ERROR_SUCCESS ? cbData / sizeof(WCHAR) : 0;
    strValue.ReleaseBuffer(static_cast<int>(wcsnlen(pch, nRead)));
    return lResult;
}

BOOL OpenUrlInBrowser(HWND hWnd, LPCWSTR lpszUrl, int nShowCmd, LPCWSTR lpszExtension)
{
    const HINSTANCE hResult = ::ShellExecuteW(hWnd, L"open", lpszUrl, NULL, NULL, nShowCmd);
    if (reinterpret_cast<INT_PTR>(hResult) > kShellExecuteSucceeded)
        return TRUE;

    CString strClass;
    if (ReadRegistryDefaultValue(HKEY_CLASSES_ROOT, lpszExtension, strClass) != ERROR_SUCCESS || strClass.IsEmpty())
        return FALSE;
    strClass += kOpenCommandKey;
    CString strCommand;
    if (ReadRegistryDefaultValue(HKEY_CLASSES_ROOT, strClass, strCommand, kCommandChars) != ERROR_SUCCESS)
        return FALSE;

    // The command up to its placeholder (with the quotes around it when there are), then the address.
    int nCut = strCommand.Find(L"\"%1\"");
    if (nCut < 0)
        nCut = strCommand.Find(L"%1");
    if (nCut >= 0)
        strCommand.Truncate(nCut);
    strCommand += L' ';
    strCommand += lpszUrl;

    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(NULL, strCommand.GetBuffer(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return FALSE;
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return TRUE;
}
