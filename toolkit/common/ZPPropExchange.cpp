// The medium-independent part of the property exchange: defaults, text forms, class records,
// counts, enumerators and the helpers persisted classes call.
#include "common/ZPPropExchange.h"
#include "common/ZPResourceManager.h"

#include <framework/archive.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

IMPLEMENT_DYNAMIC(CZPPropExchange, CCmdTarget)

namespace {

const long kDefaultSchema = 34;
// A text medium without "Schema" holds data older than schema numbers were stored.
const long kSchemaWhenAbsent = 32;
const int kNestedArchiveBufferSize = 4096;
const UINT kNestedArchiveGrowBy = 1024;

}  // namespace

CZPPropExchange::CZPPropExchange()
    : m_dwData(0), m_dwData2(0), m_bLoading(FALSE), m_nSchema(kDefaultSchema), m_bChildSection(FALSE),
      m_bEmptySection(FALSE), m_bInitialized(FALSE), m_bUseDefaultOnLoad(TRUE), m_bUseDefaultOnSave(TRUE)
{
}

void CZPPropExchange::InheritPropertyExchange(CZPPropExchange* pChild) const
{
    pChild->m_nSchema = m_nSchema;
    pChild->m_dwData = m_dwData;
    pChild->m_bEmptySection = m_bEmptySection;
    pChild->m_bUseDefaultOnLoad = m_bUseDefaultOnLoad;
    pChild->m_bUseDefaultOnSave = m_bUseDefaultOnSave;
    pChild->m_bChildSection = TRUE;
}

BOOL CZPPropExchange::ExchangeBlob(LPCWSTR pszPropName, BYTE** ppData, DWORD* pcbData)
{
    // Each byte as two letters 'A'..'P', low nibble first.
    if (!m_bLoading) {
        if (*ppData == NULL && *pcbData != 0)
            return FALSE;
        CString strText;
        const BYTE* pData = *ppData;
        WCHAR* pszLetters = strText.GetBufferSetLength(static_cast<int>(*pcbData * 2));
        for (DWORD i = 0; i < *pcbData; ++i) {
            pszLetters[2 * i] = static_cast<WCHAR>(L'A' + (pData[i] & 15));
            pszLetters[2 * i + 1] = static_cast<WCHAR>(L'A' + (pData[i] >> 4));
        }
        strText.ReleaseBuffer(static_cast<int>(*pcbData * 2));
        return PropExchangeString(this, pszPropName, strText, L"");
    }

    CString strText;
    if (!PropExchangeStringNoDefault(this, pszPropName, strText))
        return FALSE;
    int nLength = strText.GetLength();
    if (nLength % 2 != 0)
        return FALSE;
    if (nLength == 0)
        return TRUE;
    for (int i = 0; i < nLength; ++i) {
        if (strText[i] < L'A' || strText[i] > L'P')
            return FALSE;
    }
    DWORD cbData = static_cast<DWORD>(nLength / 2);
    BYTE* pData = *ppData;
    if (pData == NULL)
        pData = new BYTE[cbData];
    else if (*pcbData < cbData)
        return FALSE;
    for (DWORD i = 0; i < cbData; ++i)
        pData[i] = static_cast<BYTE>((strText[2 * i] - L'A') + 16 * (strText[2 * i + 1] - L'A'));
    *ppData = pData;
    *pcbData = cbData;
    return TRUE;
}

BOOL CZPPropExchange::ExchangeClassRecord(LPCWSTR pszPropName, CRuntimeClass** ppClass, CRuntimeClass* pDefaultClass)
{
    CString strDefault;
    if (pDefaultClass != NULL)
        strDefault = pDefaultClass->m_lpszClassName;

    if (!m_bLoading) {
        if (*ppClass == NULL)
            return FALSE;
        CString strName((*ppClass)->m_lpszClassName);
        return PropExchangeString(this, pszPropName, strName, pDefaultClass != NULL ? strDefault.GetString() : NULL);
    }

    CString strName;
    if (!PropExchangeStringNoDefault(this, pszPropName, strName)) {
        *ppClass = pDefaultClass;
        return TRUE;
    }
    CRuntimeClass* pClass = CRuntimeClass::FromName(static_cast<LPCSTR>(ZpNarrowString(strName)));
    if (pClass == NULL)
        return FALSE;
    *ppClass = pClass;
    return TRUE;
}

BOOL CZPPropExchange::ExchangeObjectByClass(CObject** ppObject, CRuntimeClass* pExpectedClass)
{
    if (!m_bLoading) {
        if (*ppObject == NULL)
            return FALSE;
        CRuntimeClass* pClass = (*ppObject)->GetRuntimeClass();
        return ExchangeClassRecord(L"Class", &pClass, pExpectedClass);
    }

    CRuntimeClass* pClass = NULL;
    if (!ExchangeClassRecord(L"Class", &pClass, pExpectedClass) || pClass == NULL)
        return FALSE;
    if (pExpectedClass != NULL && !pClass->IsDerivedFrom(pExpectedClass))
        return FALSE;
    CObject* pObject = pClass->CreateObject();
    if (pObject == NULL)
        return FALSE;
    *ppObject = pObject;
    return TRUE;
}

CArchive* CZPPropExchange::GetArchive(LPCWSTR pszPropName)
{
    if (!m_bLoading) {
        CMemFile* pFile = new CMemFile(kNestedArchiveGrowBy);
        return new CArchive(pFile, CArchive::store, kNestedArchiveBufferSize);
    }

    BYTE* pData = NULL;
    DWORD cbData = 0;
    if (!ExchangeBlob(pszPropName, &pData, &cbData) || pData == NULL || cbData == 0) {
        delete[] pData;
        return NULL;
    }
    // The memory file frees its buffer with the C runtime, so it gets a copy of the blob.
    BYTE* pBuffer = static_cast<BYTE*>(malloc(cbData));
    if (pBuffer == NULL) {
        delete[] pData;
        AfxThrowMemoryException();
    }
    memcpy(pBuffer, pData, cbData);
    delete[] pData;
    CMemFile* pFile = new CMemFile;
    pFile->Attach(pBuffer, cbData, 0);
    pFile->m_bAutoDelete = TRUE;
    return new CArchive(pFile, CArchive::load, kNestedArchiveBufferSize);
}

void CZPPropExchange::ReleaseArchive(LPCWSTR pszPropName, CArchive* pArchive)
{
    if (pArchive == NULL)
        return;
    CMemFile* pFile = DYNAMIC_DOWNCAST(CMemFile, pArchive->GetFile());
    if (pFile == NULL)
        return;

    if (!m_bLoading) {
        pArchive->Flush();
        DWORD cbData = static_cast<DWORD>(pFile->GetLength());
        BYTE* pData = pFile->Detach();
        ExchangeBlob(pszPropName, &pData, &cbData);
        free(pData);
    }
    pArchive->Abort();
    pFile->Close();
    delete pFile;
    delete pArchive;
}

void CZPPropExchange::EmptySection()
{
    m_bEmptySection = TRUE;
}

void CZPPropExchange::WriteCount(DWORD dwCount)
{
    PropExchangeLong(this, L"Count", &dwCount, 0);
}

DWORD CZPPropExchange::ReadCount()
{
    DWORD dwCount = 0;
    PropExchangeLong(this, L"Count", &dwCount, 0);
    return dwCount;
}

void CZPPropExchange::Write(LPCWSTR pszPropName, const void* lpBuf, UINT nCount)
{
    BYTE* pData = static_cast<BYTE*>(const_cast<void*>(lpBuf));
    DWORD cbData = nCount;
    ExchangeBlob(pszPropName, &pData, &cbData);
}

UINT CZPPropExchange::Read(LPCWSTR pszPropName, void* lpBuf, UINT nCount)
{
    if (lpBuf == NULL)
        return 0;
    BYTE* pData = static_cast<BYTE*>(lpBuf);
    DWORD cbData = nCount;
    return ExchangeBlob(pszPropName, &pData, &cbData) ? cbData : 0;
}

BOOL CZPPropExchange::CanSkipDefaults() const
{
    return TRUE;
}

BOOL CZPPropExchange::SupportsBinary() const
{
    return FALSE;
}

BOOL CZPPropExchange::OpenForExchange()
{
    m_bInitialized = TRUE;
    return TRUE;
}

CZPPropExchangeEnumerator* CZPPropExchange::GetEnumerator(LPCWSTR pszSection)
{
    return new CZPPropExchangeEnumerator(this, pszSection);
}

void CZPPropExchange::ExchangeSchemaNumber()
{
    PropExchangeLong(this, L"Schema", &m_nSchema, kSchemaWhenAbsent);
}

CZPPropExchangeEnumerator::CZPPropExchangeEnumerator(CZPPropExchange* pContainer, LPCWSTR pszSection)
    : m_pContainer(pContainer), m_strSectionName(pszSection), m_nCount(0)
{
}

POSITION CZPPropExchangeEnumerator::GetPosition(DWORD dwCount, BOOL bCompactMode)
{
    m_nCount = dwCount;
    if (m_pContainer == NULL)
        return NULL;
    if (!bCompactMode)
        PropExchangeLong(m_pContainer, L"Count", &m_nCount, 0);
    else if (m_pContainer->IsLoading())
        m_nCount = m_pContainer->ReadCount();
    else
        m_pContainer->WriteCount(m_nCount);
    // A position is the 1-based number of the next item.
    return m_nCount != 0 ? reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1)) : NULL;
}

CZPPropExchange* CZPPropExchangeEnumerator::GetNext(POSITION& pos)
{
    UINT_PTR nItem = reinterpret_cast<UINT_PTR>(pos);
    CString strSection;
    strSection.Format(L"%s%i", m_strSectionName.GetString(), static_cast<int>(nItem - 1));
    CZPPropExchange* pSection = m_pContainer->GetSection(strSection);
    ++nItem;
    pos = nItem > m_nCount ? NULL : reinterpret_cast<POSITION>(nItem);
    return pSection;
}

// --- helpers ---------------------------------------------------------------------------------

BOOL PropExchangeByte(CZPPropExchange* pPX, LPCWSTR pszPropName, BYTE* pbValue, BYTE bDefault)
{
    return pPX != NULL && pPX->ExchangeValue(pszPropName, VT_UI1, pbValue, &bDefault);
}

BOOL PropExchangeShort(CZPPropExchange* pPX, LPCWSTR pszPropName, short* psValue, short sDefault)
{
    return pPX != NULL && pPX->ExchangeValue(pszPropName, VT_I2, psValue, &sDefault);
}

BOOL PropExchangeLong(CZPPropExchange* pPX, LPCWSTR pszPropName, long* plValue, long lDefault)
{
    return pPX != NULL && pPX->ExchangeValue(pszPropName, VT_I4, plValue, &lDefault);
}

BOOL PropExchangeLong(CZPPropExchange* pPX, LPCWSTR pszPropName, DWORD* pdwValue, DWORD dwDefault)
{
    return pPX != NULL && pPX->ExchangeValue(pszPropName, VT_I4, pdwValue, &dwDefault);
}

BOOL PropExchangeLong(CZPPropExchange* pPX, LPCWSTR pszPropName, int* pnValue, int nDefault)
{
    return pPX != NULL && pPX->ExchangeValue(pszPropName, VT_I4, pnValue, &nDefault);
}

BOOL PropExchangeLongNoDefault(CZPPropExchange* pPX, LPCWSTR pszPropName, long* plValue)
{
    return pPX != NULL && pPX->ExchangeValue(pszPropName, VT_I4, plValue, NULL);
}

BOOL PropExchangeBool(CZPPropExchange* pPX, LPCWSTR pszPropName, BOOL* pbValue, BOOL bDefault)
{
    return pPX != NULL && pPX->ExchangeValue(pszPropName, VT_BOOL, pbValue, &bDefault);
}

BOOL PropExchangeString(CZPPropExchange* pPX, LPCWSTR pszPropName, CString& strValue, LPCWSTR pszDefault)
{
    return pPX != NULL && pPX->ExchangeValue(pszPropName, VT_ZPSTRING, &strValue, pszDefault);
}

BOOL PropExchangeStringNoDefault(CZPPropExchange* pPX, LPCWSTR pszPropName, CString& strValue)
{
    return pPX != NULL && pPX->ExchangeValue(pszPropName, VT_ZPSTRING, &strValue, NULL);
}

BOOL PropExchangeBstr(CZPPropExchange* pPX, LPCWSTR pszPropName, BSTR* pbstrValue, LPCWSTR pszDefault)
{
    return pPX != NULL && pPX->ExchangeValue(pszPropName, VT_BSTR, pbstrValue, pszDefault);
}

BOOL PropExchangeSize(CZPPropExchange* pPX, LPCWSTR pszPropName, SIZE* pszValue, SIZE szDefault)
{
    return pPX != NULL && pPX->ExchangeValue(pszPropName, VT_ZPSIZE, pszValue, &szDefault);
}

BOOL PropExchangeRect(CZPPropExchange* pPX, LPCWSTR pszPropName, RECT* prcValue, RECT rcDefault)
{
    return pPX != NULL && pPX->ExchangeValue(pszPropName, VT_ZPRECT, prcValue, &rcDefault);
}

BOOL PropExchangeBlob(CZPPropExchange* pPX, LPCWSTR pszPropName, BYTE** ppData, DWORD* pcbData)
{
    return pPX != NULL && pPX->ExchangeBlob(pszPropName, ppData, pcbData);
}

BOOL PropExchangeClassRecord(CZPPropExchange* pPX, LPCWSTR pszPropName, CRuntimeClass** ppClass,
                             CRuntimeClass* pDefaultClass)
{
    return pPX != NULL && pPX->ExchangeClassRecord(pszPropName, ppClass, pDefaultClass);
}

BOOL PropExchangeSerializable(CZPPropExchange* pPX, LPCWSTR pszPropName, CObject* pObject)
{
    if (pPX == NULL || pObject == NULL)
        return FALSE;
    CArchive* pArchive = pPX->GetArchive(pszPropName);
    if (pArchive == NULL)
        return FALSE;
    BOOL bResult = TRUE;
    try {
        pObject->Serialize(*pArchive);
    } catch (CArchiveException* e) {
        e->Delete();
        bResult = FALSE;
    } catch (COleException* e) {
        e->Delete();
        bResult = FALSE;
    }
    pPX->ReleaseArchive(pszPropName, pArchive);
    return bResult;
}

// --- values ----------------------------------------------------------------------------------

DWORD ZpPropExchangeValueSize(VARTYPE vtProp)
{
    switch (vtProp) {
    case VT_UI1: return sizeof(BYTE);
    case VT_I2: return sizeof(short);
    case VT_I4: return sizeof(long);
    case VT_BOOL: return sizeof(BOOL);
    case VT_R4: return sizeof(float);
    case VT_R8: return sizeof(double);
    case VT_CY: return sizeof(CY);
    case VT_DATE: return sizeof(DATE) + sizeof(LONG);
    case VT_BSTR: return sizeof(BSTR);
    case VT_VARIANT: return sizeof(VARIANT);
    case VT_ZPRECT: return sizeof(RECT);
    case VT_ZPSIZE: return sizeof(SIZE);
    default: return 0;
    }
}

BOOL ZpPropExchangeIsDefault(VARTYPE vtProp, const void* pvProp, const void* pvDefault)
{
    if (pvProp == pvDefault)
        return TRUE;
    if (pvProp == NULL || pvDefault == NULL)
        return FALSE;

    switch (vtProp) {
    case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_CY: case VT_BOOL: case VT_UI1:
    case VT_ZPRECT: case VT_ZPSIZE:
        return memcmp(pvProp, pvDefault, ZpPropExchangeValueSize(vtProp)) == 0;
    case VT_DATE: {
        const COleDateTime* pValue = static_cast<const COleDateTime*>(pvProp);
        const COleDateTime* pDefault = static_cast<const COleDateTime*>(pvDefault);
        if (pValue->GetStatus() != pDefault->GetStatus())
            return FALSE;
        if (pValue->GetStatus() == COleDateTime::valid)
            return pValue->m_dt == pDefault->m_dt;
        return pValue->GetStatus() == COleDateTime::null;
    }
    case VT_BSTR: {
        BSTR bstrValue = *static_cast<const BSTR*>(pvProp);
        return wcscmp(bstrValue != NULL ? bstrValue : L"", static_cast<LPCWSTR>(pvDefault)) == 0;
    }
    case VT_VARIANT:
        return *static_cast<const COleVariant*>(pvProp) == *static_cast<const VARIANT*>(pvDefault);
    case VT_ZPSTRING:
        return static_cast<const CString*>(pvProp)->Compare(static_cast<LPCWSTR>(pvDefault)) == 0;
    default:
        return FALSE;
    }
}

BOOL ZpPropExchangeCopyDefault(VARTYPE vtProp, void* pvProp, const void* pvDefault)
{
    if (pvDefault == NULL || pvProp == NULL)
        return FALSE;

    switch (vtProp) {
    case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_CY: case VT_DATE: case VT_BOOL: case VT_UI1:
    case VT_ZPRECT: case VT_ZPSIZE:
        if (pvProp != pvDefault)
            memcpy(pvProp, pvDefault, ZpPropExchangeValueSize(vtProp));
        return TRUE;
    case VT_BSTR: {
        BSTR bstrNew = SysAllocString(static_cast<LPCWSTR>(pvDefault));
        if (bstrNew == NULL)
            AfxThrowMemoryException();
        SysFreeString(*static_cast<BSTR*>(pvProp));
        *static_cast<BSTR*>(pvProp) = bstrNew;
        return TRUE;
    }
    case VT_VARIANT:
        return pvProp == pvDefault ||
               SUCCEEDED(VariantCopy(static_cast<VARIANT*>(pvProp), const_cast<VARIANT*>(static_cast<const VARIANT*>(pvDefault))));
    case VT_ZPSTRING:
        *static_cast<CString*>(pvProp) = static_cast<LPCWSTR>(pvDefault);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL ZpPropExchangeValueToText(VARTYPE vtProp, const void* pvProp, CString& strText)
{
    switch (vtProp) {
    case VT_I2: case VT_I4: case VT_BOOL: case VT_UI1: {
        DWORD dwValue = 0;
        memcpy(&dwValue, pvProp, ZpPropExchangeValueSize(vtProp));
        strText.Format(L"%i", static_cast<int>(dwValue));
        return TRUE;
    }
    case VT_R4:
        strText.Format(L"%g", static_cast<double>(*static_cast<const float*>(pvProp)));
        return TRUE;
    case VT_R8:
        strText.Format(L"%g", *static_cast<const double*>(pvProp));
        return TRUE;
    case VT_DATE:
        strText = ZpPropExchangeDateToText(*static_cast<const COleDateTime*>(pvProp));
        return TRUE;
    case VT_VARIANT: {
        const VARIANT* pValue = static_cast<const VARIANT*>(pvProp);
        if (pValue->vt == VT_DATE) {
            strText = ZpPropExchangeDateToText(COleDateTime(pValue->date));
            return TRUE;
        }
        VARIANT varText;
        VariantInit(&varText);
        if (FAILED(VariantChangeTypeEx(&varText, const_cast<VARIANT*>(pValue), 0, 0, VT_BSTR)))
            return FALSE;
        strText = varText.bstrVal != NULL ? varText.bstrVal : L"";
        VariantClear(&varText);
        return TRUE;
    }
    case VT_ZPSTRING:
        strText = *static_cast<const CString*>(pvProp);
        ZpPropExchangeEscapeText(strText);
        return TRUE;
    case VT_ZPRECT: {
        const RECT* prc = static_cast<const RECT*>(pvProp);
        strText.Format(L"%i, %i, %i, %i", static_cast<int>(prc->left), static_cast<int>(prc->top),
                       static_cast<int>(prc->right), static_cast<int>(prc->bottom));
        return TRUE;
    }
    case VT_ZPSIZE: {
        const SIZE* psz = static_cast<const SIZE*>(pvProp);
        strText.Format(L"%i, %i", static_cast<int>(psz->cx), static_cast<int>(psz->cy));
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL ZpPropExchangeTextToValue(VARTYPE vtProp, const CString& strText, void* pvProp, const void* pvDefault)
{
    switch (vtProp) {
    case VT_I2: case VT_I4: case VT_BOOL: case VT_UI1: {
        DWORD dwValue = static_cast<DWORD>(wcstol(strText, NULL, 10));
        memcpy(pvProp, &dwValue, ZpPropExchangeValueSize(vtProp));
        return TRUE;
    }
    case VT_R4:
        *static_cast<float*>(pvProp) = static_cast<float>(wcstod(strText, NULL));
        return TRUE;
    case VT_R8:
        *static_cast<double*>(pvProp) = wcstod(strText, NULL);
        return TRUE;
    case VT_DATE:
        return ZpPropExchangeTextToDate(strText, *static_cast<COleDateTime*>(pvProp));
    case VT_VARIANT: {
        VARIANT varValue;
        VariantInit(&varValue);
        COleDateTime dt;
        if (ZpPropExchangeTextToDate(strText, dt)) {
            varValue.vt = VT_DATE;
            varValue.date = dt.m_dt;
        } else {
            varValue.vt = VT_BSTR;
            varValue.bstrVal = strText.AllocSysString();
        }
        HRESULT hr = VariantCopy(static_cast<VARIANT*>(pvProp), &varValue);
        VariantClear(&varValue);
        return SUCCEEDED(hr);
    }
    case VT_ZPSTRING: {
        CString& strValue = *static_cast<CString*>(pvProp);
        strValue = strText;
        ZpPropExchangeUnescapeText(strValue);
        return TRUE;
    }
    case VT_ZPRECT: {
        int l, t, r, b;
        if (swscanf(strText, L"%d, %d, %d, %d", &l, &t, &r, &b) != 4)
            return ZpPropExchangeCopyDefault(vtProp, pvProp, pvDefault);
        *static_cast<RECT*>(pvProp) = RECT{ l, t, r, b };
        return TRUE;
    }
    case VT_ZPSIZE: {
        int cx, cy;
        if (swscanf(strText, L"%d, %d", &cx, &cy) != 2)
            return ZpPropExchangeCopyDefault(vtProp, pvProp, pvDefault);
        *static_cast<SIZE*>(pvProp) = SIZE{ cx, cy };
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void ZpPropExchangeEscapeText(CString& strText)
{
    strText.Replace(L"\\", L"\\\\");
    strText.Replace(L"\n", L"\\n");
    strText.Replace(L"\r", L"\\r");
    strText.Replace(L"\t", L"\\t");
}

void ZpPropExchangeUnescapeText(CString& strText)
{
    if (strText.IsEmpty() || strText.Find(L'\\') < 0)
        return;
    // An escaped backslash is parked on a marker so that "\\n" stays a backslash and an "n".
    strText.Replace(L"\\\\", L"\x01\x01");
    strText.Replace(L"\\n", L"\n");
    strText.Replace(L"\\r", L"\r");
    strText.Replace(L"\\t", L"\t");
    strText.Replace(L"\x01\x01", L"\\");
}

CString ZpPropExchangeDateToText(const COleDateTime& dt)
{
    // Year, DAY, month: the order the stored texts have always had.
    double dDays = static_cast<double>(static_cast<long long>(dt.m_dt));
    if (dt.GetStatus() == COleDateTime::valid && dDays == 0)
        return dt.Format(L"%H:%M:%S");
    if (dt.GetStatus() == COleDateTime::valid && dt.m_dt == dDays)
        return dt.Format(L"%Y-%d-%m");
    return dt.Format(L"%Y-%d-%mT%H:%M:%S");
}

BOOL ZpPropExchangeTextToDate(LPCWSTR pszText, COleDateTime& dt)
{
    unsigned short nYear = 0, nDay = 0, nMonth = 0, nHour = 0, nMinute = 0, nSecond = 0;
    int nFields = swscanf(pszText, L"%hu-%hu-%huT%hu:%hu:%hu", &nYear, &nDay, &nMonth, &nHour, &nMinute, &nSecond);
    if (nFields == 3 || nFields == 5 || nFields == 6) {
        COleDateTime parsed;
        if (parsed.SetDateTime(nYear, nMonth, nDay, nHour, nMinute, nSecond) != 0)
            return FALSE;
        dt = parsed;
        return TRUE;
    }

    nHour = nMinute = nSecond = 0;
    nFields = swscanf(pszText, L"%hu:%hu:%hu", &nHour, &nMinute, &nSecond);
    if (nFields != 2 && nFields != 3)
        return FALSE;
    dt.m_dt = (nHour * 3600.0 + nMinute * 60.0 + nSecond) / 86400.0;
    dt.SetStatus(COleDateTime::valid);
    return TRUE;
}
