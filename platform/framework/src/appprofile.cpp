// The application's profile: settings under its registry key, or in its INI file without one.
#include <framework/app.h>
#include <framework/regkey.h>

#include <wchar.h>

namespace {

// A whole decimal number (optionally signed, blanks around it); FALSE for anything else.
BOOL ParseInt(const CString& str, int* pnValue)
{
    CString strTrim(str);
    strTrim.Trim();
    if (strTrim.IsEmpty())
        return FALSE;
    LPWSTR pszEnd = NULL;
    long lValue = wcstol(strTrim, &pszEnd, 10);
    if (pszEnd == NULL || *pszEnd != L'\0')
        return FALSE;
    *pnValue = static_cast<int>(lValue);
    return TRUE;
}

// Reading never creates keys.
HKEY OpenSectionForRead(LPCWSTR lpszRegistryKey, LPCWSTR lpszProfile, LPCWSTR lpszSection)
{
    CString strKey = CString(L"Software\\") + lpszRegistryKey + L"\\" + lpszProfile + L"\\" + lpszSection;
    HKEY hKey = NULL;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, strKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return NULL;
    return hKey;
}

// One value into a section of the application's key (created when missing).
BOOL WriteSectionValue(CWinApp* pApp, LPCWSTR lpszSection, LPCWSTR lpszEntry, DWORD dwType, const void* pData, DWORD cb)
{
    CRegKeyHolder key(pApp->GetSectionKey(lpszSection));
    if (key == NULL)
        return FALSE;
    return ::RegSetValueExW(key, lpszEntry, 0, dwType, static_cast<const BYTE*>(pData), cb) == ERROR_SUCCESS;
}

}  // namespace

void CWinApp::SetRegistryKey(LPCWSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey;
    // Under a registry key the profile is named after the application.
    m_strProfileName = m_pszAppName != NULL ? m_pszAppName : L"";
    m_pszProfileName = m_strProfileName;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString strKey;
    strKey.LoadString(nIDRegistryKey);
    SetRegistryKey(strKey);
}

void CWinApp::SetProfileName(LPCWSTR lpszProfileName)
{
    m_strProfileName = lpszProfileName;
    m_pszProfileName = m_strProfileName;
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == NULL || m_pszProfileName == NULL)
        return NULL;
    CString strKey = CString(L"Software\\") + m_pszRegistryKey + L"\\" + m_pszProfileName;
    HKEY hKey = NULL;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, strKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, NULL,
                          &hKey, NULL) != ERROR_SUCCESS)
        return NULL;
    return hKey;
}

HKEY CWinApp::GetSectionKey(LPCWSTR lpszSection)
{
    CRegKeyHolder appKey(GetAppRegistryKey());
    if (appKey == NULL)
        return NULL;
    HKEY hSectionKey = NULL;
    if (::RegCreateKeyExW(appKey, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, NULL,
                          &hSectionKey, NULL) != ERROR_SUCCESS)
        hSectionKey = NULL;
    return hSectionKey;
}

UINT CWinApp::GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey != NULL) {
        CRegKeyHolder key(OpenSectionForRead(m_pszRegistryKey, m_pszProfileName, lpszSection));
        if (key == NULL)
            return static_cast<UINT>(nDefault);
        DWORD dwValue = 0, dwType = 0, cb = sizeof(dwValue);
        LONG lResult = ::RegQueryValueExW(key, lpszEntry, NULL, &dwType, reinterpret_cast<LPBYTE>(&dwValue), &cb);
        if (lResult != ERROR_SUCCESS || dwType != REG_DWORD || cb != sizeof(DWORD))
            return static_cast<UINT>(nDefault);
        return dwValue;
    }
    int nValue = 0;
    if (!ParseInt(GetProfileString(lpszSection, lpszEntry, L""), &nValue))
        return static_cast<UINT>(nDefault);
    return static_cast<UINT>(nValue);
}

CString CWinApp::GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault)
{
    CString strDefault(lpszDefault != NULL ? lpszDefault : L"");
    if (m_pszRegistryKey != NULL) {
        CRegKeyHolder key(OpenSectionForRead(m_pszRegistryKey, m_pszProfileName, lpszSection));
        if (key == NULL)
            return strDefault;
        DWORD dwType = 0, cb = 0;
        LONG lResult = ::RegQueryValueExW(key, lpszEntry, NULL, &dwType, NULL, &cb);
        CString strValue;
        if (lResult == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ)) {
            int nChars = static_cast<int>(cb / sizeof(WCHAR));
            LPWSTR pch = strValue.GetBuffer(nChars + 1);
            lResult = ::RegQueryValueExW(key, lpszEntry, NULL, &dwType, reinterpret_cast<LPBYTE>(pch), &cb);
            pch[lResult == ERROR_SUCCESS ? cb / sizeof(WCHAR) : 0] = L'\0';  // stored without a terminator too
            strValue.ReleaseBuffer();
        } else {
            lResult = ERROR_INVALID_DATA;
        }
        return lResult == ERROR_SUCCESS ? strValue : strDefault;
    }
    if (m_pszProfileName == NULL)
        return strDefault;
    CString strValue;
    for (DWORD nSize = 256;; nSize *= 2) {
        DWORD nLen = ::GetPrivateProfileStringW(lpszSection, lpszEntry, strDefault,
                                                strValue.GetBuffer(static_cast<int>(nSize)), nSize, m_pszProfileName);
        strValue.ReleaseBuffer(static_cast<int>(nLen));
        if (nLen < nSize - 2 || nSize >= 0x100000)
            break;
    }
    return strValue;
}

BOOL CWinApp::GetProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, BYTE** ppData, UINT* pBytes,
                               UINT nMaxBytes)
{
    *ppData = NULL;
    *pBytes = 0;
    if (m_pszRegistryKey != NULL) {
        CRegKeyHolder key(OpenSectionForRead(m_pszRegistryKey, m_pszProfileName, lpszSection));
        if (key == NULL)
            return FALSE;
        DWORD dwType = 0, cb = 0;
        LONG lResult = ::RegQueryValueExW(key, lpszEntry, NULL, &dwType, NULL, &cb);
        if (lResult == ERROR_SUCCESS && dwType == REG_BINARY && cb <= nMaxBytes) {
            BYTE* pData = new BYTE[cb > 0 ? cb : 1];
            lResult = ::RegQueryValueExW(key, lpszEntry, NULL, &dwType, pData, &cb);
            if (lResult == ERROR_SUCCESS) {
                *ppData = pData;
                *pBytes = cb;
            } else {
                delete[] pData;
            }
        } else {
            lResult = ERROR_INVALID_DATA;
        }
        return lResult == ERROR_SUCCESS;
    }
    // Two letters per byte, 'A' + nibble, low nibble first.
    CString strData = GetProfileString(lpszSection, lpszEntry, L"");
    int nLen = strData.GetLength();
    if (nLen == 0 || (nLen % 2) != 0 || static_cast<UINT>(nLen / 2) > nMaxBytes)
        return FALSE;
    UINT nBytes = static_cast<UINT>(nLen / 2);
    BYTE* pData = new BYTE[nBytes];
    for (UINT i = 0; i < nBytes; ++i) {
        WCHAR chLow = strData[static_cast<int>(2 * i)], chHigh = strData[static_cast<int>(2 * i + 1)];
        if (chLow < L'A' || chLow > L'P' || chHigh < L'A' || chHigh > L'P') {
            delete[] pData;
            return FALSE;
        }
        pData[i] = static_cast<BYTE>((chLow - L'A') | ((chHigh - L'A') << 4));
    }
    *ppData = pData;
    *pBytes = nBytes;
    return TRUE;
}

BOOL CWinApp::WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey != NULL) {
        DWORD dwValue = static_cast<DWORD>(nValue);
        return WriteSectionValue(this, lpszSection, lpszEntry, REG_DWORD, &dwValue, sizeof(dwValue));
    }
    CString strValue;
    strValue.Format(L"%d", nValue);
    return WriteProfileFileString(lpszSection, lpszEntry, strValue);
}

BOOL CWinApp::WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue)
{
    if (m_pszRegistryKey == NULL)
        return WriteProfileFileString(lpszSection, lpszEntry, lpszValue);
    if (lpszEntry == NULL) {
        CRegKeyHolder appKey(GetAppRegistryKey());
        if (appKey == NULL)
            return FALSE;
        ::RegDeleteTreeW(appKey, lpszSection);
        return TRUE;
    }
    if (lpszValue == NULL) {
        CRegKeyHolder key(OpenSectionForRead(m_pszRegistryKey, m_pszProfileName, lpszSection));
        if (key == NULL)
            return TRUE;  // nothing to delete
        key.Attach(GetSectionKey(lpszSection));
        if (key == NULL)
            return FALSE;
        LONG lResult = ::RegDeleteValueW(key, lpszEntry);
        return lResult == ERROR_SUCCESS || lResult == ERROR_FILE_NOT_FOUND;
    }
    return WriteSectionValue(this, lpszSection, lpszEntry, REG_SZ, lpszValue,
                             static_cast<DWORD>((wcslen(lpszValue) + 1) * sizeof(WCHAR)));
}

BOOL CWinApp::WriteProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (m_pszRegistryKey != NULL)
        return WriteSectionValue(this, lpszSection, lpszEntry, REG_BINARY, pData, nBytes);
    CString strData;
    LPWSTR pch = strData.GetBufferSetLength(static_cast<int>(nBytes * 2));
    for (UINT i = 0; i < nBytes; ++i) {
        pch[2 * i] = static_cast<WCHAR>(L'A' + (pData[i] & 0x0F));
        pch[2 * i + 1] = static_cast<WCHAR>(L'A' + ((pData[i] >> 4) & 0x0F));
    }
    strData.ReleaseBuffer(static_cast<int>(nBytes * 2));
    return WriteProfileFileString(lpszSection, lpszEntry, strData);
}

BOOL CWinApp::WriteProfileFileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue)
{
    if (m_pszProfileName == NULL)
        return FALSE;
    return ::WritePrivateProfileStringW(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}
