// The program entry of a framework application: hands the arguments to AfxWinMain.
#include <framework/app.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR, int nCmdShow)
{
    // The wide command line less the program's name (quoted or not).
    LPWSTR pszArgs = ::GetCommandLineW();
    BOOL bQuoted = FALSE;
    for (; *pszArgs != L'\0' && (bQuoted || (*pszArgs != L' ' && *pszArgs != L'\t')); ++pszArgs) {
        if (*pszArgs == L'"')
            bQuoted = !bQuoted;
    }
    while (*pszArgs == L' ' || *pszArgs == L'\t')
        ++pszArgs;
    return AfxWinMain(hInstance, hPrevInstance, pszArgs, nCmdShow);
}
