// Property exchange over a framework archive: values in exchange order, raw little-endian, no names.
#pragma once

#include "common/ZPPropExchange.h"

class CZPPropExchangeArchive : public CZPPropExchange
{
    DECLARE_DYNAMIC(CZPPropExchangeArchive)
public:
    // The archive is borrowed and must outlive the exchange and its sections.
    explicit CZPPropExchangeArchive(CArchive& ar);

    BOOL ExchangeValue(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) override;
    BOOL ExchangeBlob(LPCWSTR pszPropName, BYTE** ppData, DWORD* pcbData) override;
    BOOL ExchangeClassRecord(LPCWSTR pszPropName, CRuntimeClass** ppClass, CRuntimeClass* pDefaultClass) override;
    BOOL ExchangeObjectByClass(CObject** ppObject, CRuntimeClass* pExpectedClass) override;
    CArchive* GetArchive(LPCWSTR pszPropName) override;
    void ReleaseArchive(LPCWSTR pszPropName, CArchive* pArchive) override;
    CZPPropExchange* GetSection(LPCWSTR pszSection) override;
    void WriteCount(DWORD dwCount) override;
    DWORD ReadCount() override;
    void Write(LPCWSTR pszPropName, const void* lpBuf, UINT nCount) override;
    UINT Read(LPCWSTR pszPropName, void* lpBuf, UINT nCount) override;
    BOOL CanSkipDefaults() const override;
    BOOL SupportsBinary() const override;
    void ExchangeSchemaNumber() override;

protected:
    CArchive& m_ar;   // borrowed
};
