// Registry back end of the property exchange.
#include "common/ZPPropExchangeRegistry.h"

#include <framework/app.h>

#include <string.h>

IMPLEMENT_DYNAMIC(CZPPropExchangeRegistry, CZPPropExchange)

CZPPropExchangeRegistry::CZPPropExchangeRegistry(BOOL bLoading, HKEY hParentKey, LPCWSTR pszSection)
    : m_hParentKey(hParentKey, FALSE), m_strSectionName(pszSection)
{
    m_bLoading = bLoading;
    if (m_hParentKey == NULL) {
        // Software\<registry key>\<profile name> under the current user; none without a key.
        CWinApp* pApp = AfxGetApp();
        m_hParentKey.Attach(pApp != NULL ? pApp->GetAppRegistryKey() : NULL);
    }
}

CZPPropExchangeRegistry::CZPPropExchangeRegistry(ChildTag, BOOL bLoading, HKEY hParentKey, LPCWSTR pszSection)
    : m_hParentKey(hParentKey, FALSE), m_strSectionName(pszSection)
{
    m_bLoading = bLoading;
}

CZPPropExchangeRegistry::~CZPPropExchangeRegistry()
{
    CloseSectionKey();
}

void CZPPropExchangeRegistry::CloseSectionKey()
{
    m_hSectionKey.Close();
}

BOOL CZPPropExchangeRegistry::OpenForExchange()
{
    if (m_hParentKey == NULL)
        return FALSE;
    if (!m_bInitialized) {
        m_bInitialized = TRUE;
        // Loading never creates keys: a missing section simply yields the defaults.
        LSTATUS status = m_bLoading
            ? RegOpenKeyExW(m_hParentKey, m_strSectionName, 0, KEY_READ, m_hSectionKey.Receive())
            : RegCreateKeyExW(m_hParentKey, m_strSectionName, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE, NULL,
                              m_hSectionKey.Receive(), NULL);
        if (status != ERROR_SUCCESS)
            m_hSectionKey.Detach();   // the call left nothing open
    }
    return m_hSectionKey != NULL;
}

CZPPropExchange* CZPPropExchangeRegistry::GetSection(LPCWSTR pszSection)
{
    OpenForExchange();
    CZPPropExchangeRegistry* pSection = new CZPPropExchangeRegistry(ChildTag(), m_bLoading, m_hSectionKey, pszSection);
    InheritPropertyExchange(pSection);
    return pSection;
}

void CZPPropExchangeRegistry::EmptySection()
{
    CZPPropExchange::EmptySection();
    // Only a store may discard what is there; a load leaves the stored data as it is.
    if (m_bLoading || m_hParentKey == NULL)
        return;
    CloseSectionKey();
    RegDeleteTreeW(m_hParentKey, m_strSectionName);
    m_bInitialized = FALSE;
}

BOOL CZPPropExchangeRegistry::CanSkipDefaults() const
{
    return TRUE;
}

BOOL CZPPropExchangeRegistry::SupportsBinary() const
{
    return TRUE;
}

BOOL CZPPropExchangeRegistry::ExchangeValue(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault)
{
    return m_bLoading ? LoadValue(pszPropName, vtProp, pvProp, m_bUseDefaultOnLoad ? pvDefault : NULL)
                      : StoreValue(pszPropName, vtProp, pvProp, m_bUseDefaultOnSave ? pvDefault : NULL);
}

BOOL CZPPropExchangeRegistry::StoreValue(LPCWSTR pszPropName, VARTYPE vtProp, const void* pvProp, const void* pvDefault)
{
    if (!OpenForExchange())
        return FALSE;
    if (ZpPropExchangeIsDefault(vtProp, pvProp, pvDefault)) {
        if (!m_bEmptySection)
            RegDeleteValueW(m_hSectionKey, pszPropName);
        return TRUE;
    }

    LSTATUS status;
    switch (vtProp) {
    case VT_I2: case VT_I4: case VT_BOOL: case VT_UI1: {
        DWORD dwValue = 0;
        memcpy(&dwValue, pvProp, ZpPropExchangeValueSize(vtProp));
        status = RegSetValueExW(m_hSectionKey, pszPropName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue),
                                sizeof(dwValue));
        break;
    }
    case VT_R4: case VT_R8:
        status = RegSetValueExW(m_hSectionKey, pszPropName, 0, REG_BINARY, static_cast<const BYTE*>(pvProp),
                                ZpPropExchangeValueSize(vtProp));
        break;
    case VT_ZPSTRING: case VT_ZPRECT: case VT_ZPSIZE: {
        CString strText;
        if (vtProp == VT_ZPSTRING)
            strText = *static_cast<const CString*>(pvProp);
        else
            ZpPropExchangeValueToText(vtProp, pvProp, strText);
        status = RegSetValueExW(m_hSectionKey, pszPropName, 0, REG_SZ, reinterpret_cast<const BYTE*>(strText.GetString()),
                                static_cast<DWORD>((strText.GetLength() + 1) * sizeof(WCHAR)));
        break;
    }
    default:
        return FALSE;
    }
    return status == ERROR_SUCCESS;
}

BOOL CZPPropExchangeRegistry::QueryValue(LPCWSTR pszPropName, DWORD dwType1, DWORD dwType2, CString* pstrText,
                                         BYTE* pData, DWORD* pcbData)
{
    DWORD dwType = REG_NONE;
    DWORD cbSize = 0;
    if (RegQueryValueExW(m_hSectionKey, pszPropName, NULL, &dwType, NULL, &cbSize) != ERROR_SUCCESS)
        return FALSE;
    if (dwType != dwType1 && dwType != dwType2)
        return FALSE;

    if (pstrText != NULL) {
        // Room for a terminator the stored text may lack.
        int nChars = static_cast<int>(cbSize / sizeof(WCHAR)) + 1;
        WCHAR* pszText = pstrText->GetBuffer(nChars);
        DWORD cbRead = static_cast<DWORD>(nChars * sizeof(WCHAR));
        memset(pszText, 0, cbRead);
        LSTATUS status = RegQueryValueExW(m_hSectionKey, pszPropName, NULL, &dwType,
                                          reinterpret_cast<BYTE*>(pszText), &cbRead);
        pszText[nChars - 1] = 0;
        pstrText->ReleaseBuffer();
        return status == ERROR_SUCCESS && (dwType == dwType1 || dwType == dwType2);
    }

    if (cbSize > *pcbData)
        return FALSE;
    DWORD cbRead = *pcbData;
    if (RegQueryValueExW(m_hSectionKey, pszPropName, NULL, &dwType, pData, &cbRead) != ERROR_SUCCESS ||
        (dwType != dwType1 && dwType != dwType2))
        return FALSE;
    *pcbData = cbRead;
    return TRUE;
}

BOOL CZPPropExchangeRegistry::LoadValue(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault)
{
    if (!OpenForExchange())
        return ZpPropExchangeCopyDefault(vtProp, pvProp, pvDefault);

    switch (vtProp) {
    case VT_I2: case VT_I4: case VT_BOOL: case VT_UI1: {
        DWORD dwValue = 0;
        DWORD cbValue = sizeof(dwValue);
        if (!QueryValue(pszPropName, REG_DWORD, REG_BINARY, NULL, reinterpret_cast<BYTE*>(&dwValue), &cbValue))
            return ZpPropExchangeCopyDefault(vtProp, pvProp, pvDefault);
        memcpy(pvProp, &dwValue, ZpPropExchangeValueSize(vtProp));
        return TRUE;
    }
    case VT_R4: case VT_R8: {
        BYTE data[sizeof(double)];
        DWORD cbSize = ZpPropExchangeValueSize(vtProp);
        DWORD cbValue = cbSize;
        if (!QueryValue(pszPropName, REG_BINARY, REG_BINARY, NULL, data, &cbValue) || cbValue != cbSize)
            return ZpPropExchangeCopyDefault(vtProp, pvProp, pvDefault);
        memcpy(pvProp, data, cbSize);
        return TRUE;
    }
    case VT_ZPSTRING: case VT_ZPRECT: case VT_ZPSIZE: {
        CString strText;
        if (!QueryValue(pszPropName, REG_SZ, REG_EXPAND_SZ, &strText, NULL, NULL))
            return ZpPropExchangeCopyDefault(vtProp, pvProp, pvDefault);
        if (vtProp == VT_ZPSTRING) {
            *static_cast<CString*>(pvProp) = strText;
            return TRUE;
        }
        return ZpPropExchangeTextToValue(vtProp, strText, pvProp, pvDefault);
    }
    default:
        return FALSE;
    }
}

BOOL CZPPropExchangeRegistry::ExchangeBlob(LPCWSTR pszPropName, BYTE** ppData, DWORD* pcbData)
{
    if (!OpenForExchange())
        return FALSE;
    if (!m_bLoading) {
        return RegSetValueExW(m_hSectionKey, pszPropName, 0, REG_BINARY, *ppData, *pcbData) == ERROR_SUCCESS;
    }

    DWORD dwType = REG_NONE;
    DWORD cbSize = 0;
    if (RegQueryValueExW(m_hSectionKey, pszPropName, NULL, &dwType, NULL, &cbSize) != ERROR_SUCCESS ||
        dwType != REG_BINARY)
        return FALSE;
    BYTE* pData = *ppData;
    if (pData == NULL) {
        pData = new BYTE[cbSize != 0 ? cbSize : 1];
    } else if (*pcbData < cbSize) {
        return FALSE;
    }
    DWORD cbRead = cbSize;
    if (RegQueryValueExW(m_hSectionKey, pszPropName, NULL, &dwType, pData, &cbRead) != ERROR_SUCCESS ||
        dwType != REG_BINARY || cbRead != cbSize) {
        if (*ppData == NULL)
            delete[] pData;
        return FALSE;
    }
    *ppData = pData;
    *pcbData = cbRead;
    return TRUE;
}
