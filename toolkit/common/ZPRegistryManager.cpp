// Profile values under the application's registry key (or in an INI file) and window placement.
#include "common/ZPRegistryManager.h"
#include "common/ZPPropExchangeIniFile.h"

#include <framework/app.h>
#include <framework/regkey.h>
#include <framework/wnd.h>

#include <string.h>

#include <vector>

CString CZRegistryManager::m_strINIFileName;

namespace {

const LPCWSTR kDefaultPlacementSection = L"Settings";
const LPCWSTR kDefaultPlacementEntry = L"Window Position";
const int kAbsolutePrefixLength = 5;   // "HKCU\" or "HKLM\"

static_assert(sizeof(WINDOWPLACEMENT) == 44, "a stored placement is the 44-byte record");

BOOL IsAbsoluteSection(LPCWSTR lpszSection)
{
    return lpszSection != NULL && ZpRootKeyFromPath(lpszSection) != NULL && lpszSection[4] == L'\\';
}

// The bytes of a value, whatever its type.
LONG QueryValueBytes(HKEY hKey, LPCWSTR lpszEntry, std::vector<BYTE>& data)
{
    DWORD cbData = 0;
    LONG lResult = RegQueryValueExW(hKey, lpszEntry, NULL, NULL, NULL, &cbData);
    if (lResult != ERROR_SUCCESS)
        return lResult;
    data.resize(cbData);
    lResult = RegQueryValueExW(hKey, lpszEntry, NULL, NULL, data.data(), &cbData);
    data.resize(cbData);
    return lResult;
}

}  // namespace

HKEY ZpRootKeyFromPath(LPCWSTR lpszPath)
{
    if (lpszPath == NULL)
        return NULL;
    if (wcsncmp(lpszPath, L"HKCU", 4) == 0)
        return HKEY_CURRENT_USER;
    if (wcsncmp(lpszPath, L"HKLM", 4) == 0)
        return HKEY_LOCAL_MACHINE;
    return NULL;
}

CZRegistryManager::CZRegistryManager(HKEY hKeyRoot) : m_hKeyRoot(hKeyRoot), m_lLastError(ERROR_SUCCESS)
{
}

BOOL CZRegistryManager::LoadAppNames()
{
    if (m_strRegistryKey.IsEmpty() || m_strProfileName.IsEmpty()) {
        CWinApp* pApp = AfxGetApp();
        m_strRegistryKey = pApp != NULL ? pApp->m_pszRegistryKey : NULL;
        m_strProfileName = pApp != NULL ? pApp->m_pszProfileName : NULL;
    }
    return !m_strRegistryKey.IsEmpty() && !m_strProfileName.IsEmpty();
}

HKEY CZRegistryManager::OpenAppKey(REGSAM samDesired)
{
    if (!LoadAppNames())
        return NULL;
    HKEY hSoftware = NULL;
    m_lLastError = RegOpenKeyExW(m_hKeyRoot, L"Software", 0, samDesired, &hSoftware);
    if (m_lLastError != ERROR_SUCCESS)
        return NULL;
    CRegKeyHolder software(hSoftware);
    HKEY hCompany = NULL;
    m_lLastError = RegCreateKeyExW(software, m_strRegistryKey, 0, NULL, REG_OPTION_NON_VOLATILE, samDesired, NULL,
                                   &hCompany, NULL);
    if (m_lLastError != ERROR_SUCCESS)
        return NULL;
    CRegKeyHolder company(hCompany);
    HKEY hApp = NULL;
    m_lLastError = RegCreateKeyExW(company, m_strProfileName, 0, NULL, REG_OPTION_NON_VOLATILE, samDesired, NULL,
                                   &hApp, NULL);
    return m_lLastError == ERROR_SUCCESS ? hApp : NULL;
}

HKEY CZRegistryManager::OpenAbsoluteKey(LPCWSTR lpszPath, REGSAM samDesired)
{
    HKEY hParent = ZpRootKeyFromPath(lpszPath);
    if (hParent == NULL || wcslen(lpszPath) <= static_cast<size_t>(kAbsolutePrefixLength))
        return NULL;
    CString strPath(lpszPath + kAbsolutePrefixLength);
    CRegKeyHolder key(hParent, FALSE);
    int nStart = 0;
    while (nStart <= strPath.GetLength()) {
        int nEnd = strPath.Find(L'\\', nStart);
        if (nEnd < 0)
            nEnd = strPath.GetLength();
        CString strComponent = strPath.Mid(nStart, nEnd - nStart);
        HKEY hNext = NULL;
        m_lLastError = RegCreateKeyExW(key, strComponent, 0, NULL, REG_OPTION_NON_VOLATILE, samDesired, NULL, &hNext,
                                       NULL);
        if (m_lLastError != ERROR_SUCCESS)
            return NULL;
        key.Attach(hNext);
        nStart = nEnd + 1;
    }
    return key.Detach();
}

HKEY CZRegistryManager::OpenSectionKey(LPCWSTR lpszSection, REGSAM samDesired)
{
    if (IsAbsoluteSection(lpszSection))
        return OpenAbsoluteKey(lpszSection, samDesired);
    if (lpszSection == NULL)
        return NULL;
    HKEY hApp = OpenAppKey(samDesired);
    if (hApp == NULL)
        return NULL;
    CRegKeyHolder app(hApp);
    HKEY hSection = NULL;
    m_lLastError = RegCreateKeyExW(app, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE, samDesired, NULL, &hSection,
                                   NULL);
    return m_lLastError == ERROR_SUCCESS ? hSection : NULL;
}

BOOL CZRegistryManager::WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue)
{
    if (lpszSection == NULL)
        return FALSE;
    if (!m_strINIFileName.IsEmpty()) {
        CString strValue;
        strValue.Format(L"%d", nValue);
        return WritePrivateProfileStringW(lpszSection, lpszEntry, strValue, m_strINIFileName);
    }
    CRegKeyHolder section(OpenSectionKey(lpszSection, KEY_READ | KEY_WRITE));
    if (section == NULL)
        return FALSE;
    DWORD dwValue = static_cast<DWORD>(nValue);
    m_lLastError = RegSetValueExW(section, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue),
                                  sizeof(dwValue));
    return m_lLastError == ERROR_SUCCESS;
}

BOOL CZRegistryManager::WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue)
{
    if (lpszSection == NULL)
        return FALSE;
    if (!m_strINIFileName.IsEmpty())
        return ZpWritePrivateProfileString(lpszSection, lpszEntry, lpszValue, m_strINIFileName);

    if (lpszEntry == NULL) {
        if (IsAbsoluteSection(lpszSection))
            return FALSE;
        CRegKeyHolder app(OpenAppKey(KEY_READ | KEY_WRITE));
        if (app == NULL)
            return FALSE;
        m_lLastError = RegDeleteTreeW(app, lpszSection);
        return m_lLastError == ERROR_SUCCESS;
    }
    CRegKeyHolder section(OpenSectionKey(lpszSection, KEY_READ | KEY_WRITE));
    if (section == NULL)
        return FALSE;
    if (lpszValue == NULL) {
        m_lLastError = RegDeleteValueW(section, lpszEntry);
    } else {
        m_lLastError = RegSetValueExW(section, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                                      static_cast<DWORD>((wcslen(lpszValue) + 1) * sizeof(WCHAR)));
    }
    return m_lLastError == ERROR_SUCCESS;
}

BOOL CZRegistryManager::WriteProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, const BYTE* pData, UINT nBytes)
{
    if (lpszSection == NULL || (pData == NULL && nBytes != 0))
        return FALSE;
    if (!m_strINIFileName.IsEmpty()) {
        // The INI medium's form of binary values: two letters per byte.
        CZPPropExchangeIniFile px(FALSE, NULL, lpszSection);
        px.AssignFile(m_strINIFileName);
        BYTE* pBytes = const_cast<BYTE*>(pData);
        DWORD cbBytes = nBytes;
        return PropExchangeBlob(&px, lpszEntry, &pBytes, &cbBytes);
    }
    CRegKeyHolder section(OpenSectionKey(lpszSection, KEY_READ | KEY_WRITE));
    if (section == NULL)
        return FALSE;
    m_lLastError = RegSetValueExW(section, lpszEntry, 0, REG_BINARY, pData, nBytes);
    return m_lLastError == ERROR_SUCCESS;
}

UINT CZRegistryManager::GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault)
{
    if (lpszSection == NULL || lpszEntry == NULL)
        return 0;
    if (!m_strINIFileName.IsEmpty())
        return GetPrivateProfileIntW(lpszSection, lpszEntry, nDefault, m_strINIFileName);
    CRegKeyHolder section(OpenSectionKey(lpszSection, KEY_READ));
    if (section == NULL)
        return static_cast<UINT>(nDefault);
    DWORD dwValue = 0;
    DWORD cbValue = sizeof(dwValue);
    m_lLastError = RegQueryValueExW(section, lpszEntry, NULL, NULL, reinterpret_cast<BYTE*>(&dwValue), &cbValue);
    return m_lLastError == ERROR_SUCCESS ? dwValue : static_cast<UINT>(nDefault);
}

CString CZRegistryManager::GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault)
{
    // Without both names the profile functions would list sections or keys instead.
    if (lpszSection == NULL || lpszEntry == NULL)
        return CString(lpszDefault);
    if (!m_strINIFileName.IsEmpty())
        return ZpGetPrivateProfileString(lpszSection, lpszEntry, lpszDefault, m_strINIFileName);
    CString strDefault(lpszDefault);
    CRegKeyHolder section(OpenSectionKey(lpszSection, KEY_READ));
    std::vector<BYTE> data;
    if (section == NULL || (m_lLastError = QueryValueBytes(section, lpszEntry, data)) != ERROR_SUCCESS)
        return strDefault;
    // Cut at the first terminator; the stored value may lack one.
    data.resize(data.size() + sizeof(WCHAR) + 1, 0);
    return CString(reinterpret_cast<LPCWSTR>(data.data()));
}

BOOL CZRegistryManager::GetProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, BYTE** ppData, UINT* pBytes)
{
    if (ppData == NULL || pBytes == NULL)
        return FALSE;
    *ppData = NULL;
    *pBytes = 0;

    if (lpszSection == NULL || lpszEntry == NULL)
        return FALSE;
    if (!m_strINIFileName.IsEmpty()) {
        CZPPropExchangeIniFile px(TRUE, NULL, lpszSection);
        px.AssignFile(m_strINIFileName);
        BYTE* pData = NULL;
        DWORD cbData = 0;
        if (!PropExchangeBlob(&px, lpszEntry, &pData, &cbData) || pData == NULL)
            return FALSE;
        *ppData = pData;
        *pBytes = cbData;
        return TRUE;
    }

    CRegKeyHolder section(OpenSectionKey(lpszSection, KEY_READ));
    std::vector<BYTE> data;
    if (section == NULL || (m_lLastError = QueryValueBytes(section, lpszEntry, data)) != ERROR_SUCCESS)
        return FALSE;
    *ppData = new BYTE[data.size() != 0 ? data.size() : 1];
    memcpy(*ppData, data.data(), data.size());
    *pBytes = static_cast<UINT>(data.size());
    return TRUE;
}

CZWindowPlacementStore::CZWindowPlacementStore() : WINDOWPLACEMENT()
{
    length = sizeof(WINDOWPLACEMENT);
    showCmd = SW_SHOW;
}

BOOL CZWindowPlacementStore::SaveWindow(CWnd* pWnd, LPCWSTR lpszEntry, LPCWSTR lpszSection)
{
    if (pWnd == NULL || !::IsWindow(pWnd->GetSafeHwnd()))
        return FALSE;
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    if (!pWnd->GetWindowPlacement(&wp))
        return FALSE;
    *static_cast<WINDOWPLACEMENT*>(this) = wp;
    length = sizeof(WINDOWPLACEMENT);
    // A minimised window comes back as a normal one.
    if (showCmd != SW_SHOWMAXIMIZED)
        showCmd = SW_SHOWNORMAL;
    CZRegistryManager manager(HKEY_CURRENT_USER);
    return manager.WriteProfileBinary(lpszSection != NULL ? lpszSection : kDefaultPlacementSection,
                                      lpszEntry != NULL ? lpszEntry : kDefaultPlacementEntry,
                                      reinterpret_cast<const BYTE*>(static_cast<WINDOWPLACEMENT*>(this)),
                                      sizeof(WINDOWPLACEMENT));
}

BOOL CZWindowPlacementStore::LoadPlacement(LPCWSTR lpszEntry, LPCWSTR lpszSection)
{
    CZRegistryManager manager(HKEY_CURRENT_USER);
    BYTE* pData = NULL;
    UINT nBytes = 0;
    if (!manager.GetProfileBinary(lpszSection != NULL ? lpszSection : kDefaultPlacementSection,
                                  lpszEntry != NULL ? lpszEntry : kDefaultPlacementEntry, &pData, &nBytes))
        return FALSE;
    WINDOWPLACEMENT wp = {};
    BOOL bSized = nBytes == sizeof(wp);
    if (bSized)
        memcpy(&wp, pData, sizeof(wp));
    delete[] pData;

    // A damaged record, or one whose window would lie off every monitor, leaves the default.
    if (!bSized || wp.length != sizeof(wp) || wp.rcNormalPosition.right <= wp.rcNormalPosition.left ||
        wp.rcNormalPosition.bottom <= wp.rcNormalPosition.top ||
        MonitorFromRect(&wp.rcNormalPosition, MONITOR_DEFAULTTONULL) == NULL)
        return FALSE;
    if (wp.showCmd != SW_SHOWMAXIMIZED)
        wp.showCmd = SW_SHOWNORMAL;
    *static_cast<WINDOWPLACEMENT*>(this) = wp;
    return TRUE;
}

BOOL CZWindowPlacementStore::RestoreWindow(CWnd* pWnd, LPCWSTR lpszEntry, LPCWSTR lpszSection)
{
    if (pWnd == NULL || !::IsWindow(pWnd->GetSafeHwnd()) || !LoadPlacement(lpszEntry, lpszSection))
        return FALSE;
    return pWnd->SetWindowPlacement(this);
}
