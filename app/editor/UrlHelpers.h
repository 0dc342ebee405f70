// Opening a web address: the shell first, else the open command of a file class's browser.
#pragma once

#include <framework/string.h>

#include <windows.h>

// The default value of a registry key (at most nMaxChars characters, terminated) in strValue,
// which is emptied first; the registry's error code, 0 on success.
LONG ReadRegistryDefaultValue(HKEY hRoot, LPCWSTR lpszSubKey, CString& strValue, int nMaxChars = MAX_PATH);

// ShellExecuteW "open" of the address; when the shell cannot, the open command registered for the
// file class of lpszExtension (".htm") is started with the address in place of its "%1".
// TRUE when something was started.
BOOL OpenUrlInBrowser(HWND hWnd, LPCWSTR lpszUrl, int nShowCmd, LPCWSTR lpszExtension);
