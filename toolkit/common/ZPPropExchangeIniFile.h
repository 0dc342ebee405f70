// Property exchange over an INI file: a section is an INI section (nested names joined by a
// backslash), a value a key whose text is the value's text form.
#pragma once

#include "common/ZPPropExchange.h"

class CZPPropExchangeIniFile : public CZPPropExchange
{
    DECLARE_DYNAMIC(CZPPropExchangeIniFile)
public:
    // Without a file the exchange works on a temporary file of its own, deleted with the root.
    CZPPropExchangeIniFile(BOOL bLoading, LPCWSTR pszParentSection, LPCWSTR pszSection);
    ~CZPPropExchangeIniFile() override;

    // Call before the first value.
    void AssignFile(LPCWSTR pszFileName);
    const CString& GetIniFileName() const { return m_strFileName; }

    BOOL ExchangeValue(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) override;
    CZPPropExchange* GetSection(LPCWSTR pszSection) override;
    void EmptySection() override;
    BOOL CanSkipDefaults() const override;
    BOOL SupportsBinary() const override;
    BOOL OpenForExchange() override;

protected:
    BOOL LoadValue(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault);
    BOOL StoreValue(LPCWSTR pszPropName, VARTYPE vtProp, const void* pvProp, const void* pvDefault);

    CString m_strSectionName;
    CString m_strFileName;
    BOOL m_bTempFile;
};

// The whole text of an INI key (no length limit); pszDefault (may be NULL) when the key is absent.
CString ZpGetPrivateProfileString(LPCWSTR pszSection, LPCWSTR pszEntry, LPCWSTR pszDefault, LPCWSTR pszFileName);
// Writes the text so that it reads back unchanged (the profile functions trim blanks and quotes).
BOOL ZpWritePrivateProfileString(LPCWSTR pszSection, LPCWSTR pszEntry, LPCWSTR pszText, LPCWSTR pszFileName);
