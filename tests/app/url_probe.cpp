// Stands in for a browser: writes its command line to the file named by TOLVANE_URL_PROBE_OUT.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    wchar_t szOut[MAX_PATH];
    if (GetEnvironmentVariableW(L"TOLVANE_URL_PROBE_OUT", szOut, MAX_PATH) == 0)
        return 1;
    LPCWSTR lpszLine = GetCommandLineW();
    HANDLE h = CreateFileW(szOut, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return 1;
    DWORD done;
    WriteFile(h, lpszLine, static_cast<DWORD>(lstrlenW(lpszLine) * sizeof(wchar_t)), &done, NULL);
    CloseHandle(h);
    return 0;
}
