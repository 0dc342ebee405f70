#include "about/WebLink.h"

#include <shlwapi.h>

BOOL CWebLink::IsWebAddress(LPCWSTR lpszAddress)
{
    if (lpszAddress == NULL)
        return FALSE;
    return ::StrCmpNIW(lpszAddress, L"http://", 7) == 0 || ::StrCmpNIW(lpszAddress, L"https://", 8) == 0;
}

BOOL CWebLink::Open(LPCWSTR lpszFile, int nShowCmd, LPCWSTR lpszParameters, LPCWSTR lpszDirectory)
{
    CString strFile = lpszFile != NULL ? CString(lpszFile) : GetTarget();
    if (!IsWebAddress(strFile)) {
        ::MessageBeep(MB_ICONWARNING);
        return FALSE;
    }
    return CZHyperLink::Open(strFile, nShowCmd, lpszParameters, lpszDirectory);
}
