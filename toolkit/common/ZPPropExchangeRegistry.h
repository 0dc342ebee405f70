// Property exchange over the registry: a section is a subkey, a value a named registry value.
#pragma once

#include "common/ZPPropExchange.h"

#include <framework/regkey.h>

class CZPPropExchangeRegistry : public CZPPropExchange
{
    DECLARE_DYNAMIC(CZPPropExchangeRegistry)
public:
    // Without a parent key the section lives under the application's profile key.
    CZPPropExchangeRegistry(BOOL bLoading, HKEY hParentKey, LPCWSTR pszSection);
    ~CZPPropExchangeRegistry() override;

    BOOL ExchangeValue(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) override;
    BOOL ExchangeBlob(LPCWSTR pszPropName, BYTE** ppData, DWORD* pcbData) override;
    CZPPropExchange* GetSection(LPCWSTR pszSection) override;
    void EmptySection() override;
    BOOL CanSkipDefaults() const override;
    BOOL SupportsBinary() const override;
    BOOL OpenForExchange() override;

protected:
    struct ChildTag {};
    // A child section: the parent key is borrowed and may be NULL when the parent is missing.
    CZPPropExchangeRegistry(ChildTag, BOOL bLoading, HKEY hParentKey, LPCWSTR pszSection);

    BOOL LoadValue(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault);
    BOOL StoreValue(LPCWSTR pszPropName, VARTYPE vtProp, const void* pvProp, const void* pvDefault);
    // Reads a value of one of the accepted types into a buffer of at most cbMax bytes.
    BOOL QueryValue(LPCWSTR pszPropName, DWORD dwType1, DWORD dwType2, CString* pstrText, BYTE* pData,
                    DWORD* pcbData);
    void CloseSectionKey();

    CRegKeyHolder m_hSectionKey;   // NULL until opened
    CRegKeyHolder m_hParentKey;    // owned when taken from the application, else borrowed from the parent section
    CString m_strSectionName;
};
