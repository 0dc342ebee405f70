// Archive back end of the property exchange.
#include "common/ZPPropExchangeArchive.h"

#include <framework/archive.h>
#include <framework/oledata.h>

IMPLEMENT_DYNAMIC(CZPPropExchangeArchive, CZPPropExchange)

namespace {

// Leads a stream that carries its schema number; streams without it predate schema 18.
const DWORD kSchemaMarker = 0x0FF0ADBF;
const long kSchemaWithoutMarker = 17;

template <typename T>
void Exchange(CArchive& ar, void* pvProp)
{
    if (ar.IsLoading())
        ar >> *static_cast<T*>(pvProp);
    else
        ar << *static_cast<const T*>(pvProp);
}

}  // namespace

CZPPropExchangeArchive::CZPPropExchangeArchive(CArchive& ar) : m_ar(ar)
{
    m_bLoading = ar.IsLoading();
}

BOOL CZPPropExchangeArchive::ExchangeValue(LPCWSTR, VARTYPE vtProp, void* pvProp, const void*)
{
    switch (vtProp) {
    case VT_I2:
        Exchange<short>(m_ar, pvProp);
        break;
    case VT_I4: case VT_BOOL:
        static_assert(sizeof(BOOL) == sizeof(LONG), "BOOL is 32-bit");
        Exchange<LONG>(m_ar, pvProp);
        break;
    case VT_R4:
        Exchange<float>(m_ar, pvProp);
        break;
    case VT_R8:
        Exchange<double>(m_ar, pvProp);
        break;
    case VT_CY: {
        COleCurrency cur(*static_cast<CY*>(pvProp));
        if (m_bLoading) {
            m_ar >> cur;
            *static_cast<CY*>(pvProp) = cur.m_cur;
        } else {
            m_ar << cur;
        }
        break;
    }
    case VT_DATE:
        Exchange<COleDateTime>(m_ar, pvProp);
        break;
    case VT_VARIANT:
        Exchange<COleVariant>(m_ar, pvProp);
        break;
    case VT_UI1:
        Exchange<BYTE>(m_ar, pvProp);
        break;
    case VT_ZPSTRING:
        if (m_bLoading)
            m_ar >> *static_cast<CString*>(pvProp);
        else
            m_ar << *static_cast<const CString*>(pvProp);
        break;
    case VT_ZPRECT: {
        RECT& rc = *static_cast<RECT*>(pvProp);
        if (m_bLoading)
            m_ar >> rc.left >> rc.top >> rc.right >> rc.bottom;
        else
            m_ar << rc.left << rc.top << rc.right << rc.bottom;
        break;
    }
    case VT_ZPSIZE: {
        SIZE& size = *static_cast<SIZE*>(pvProp);
        if (m_bLoading)
            m_ar >> size.cx >> size.cy;
        else
            m_ar << size.cx << size.cy;
        break;
    }
    default:
        // No archive form (system strings among them): nothing moves.
        break;
    }
    return TRUE;
}

BOOL CZPPropExchangeArchive::ExchangeBlob(LPCWSTR, BYTE** ppData, DWORD* pcbData)
{
    if (!m_bLoading) {
        if (*ppData == NULL && *pcbData != 0)
            return FALSE;
        m_ar.WriteCount(*pcbData);
        m_ar.Write(*ppData, *pcbData);
        return TRUE;
    }

    DWORD cbData = static_cast<DWORD>(m_ar.ReadCount());
    m_ar.EnsureAvailable(cbData, 1);
    if (*ppData != NULL && *pcbData < cbData) {
        // Step over the bytes so that the values after the blob still line up.
        BYTE skip[256];
        for (DWORD cbLeft = cbData; cbLeft != 0;) {
            UINT nStep = cbLeft < sizeof(skip) ? cbLeft : sizeof(skip);
            m_ar.Read(skip, nStep);
            cbLeft -= nStep;
        }
        return FALSE;
    }
    BYTE* pData = *ppData != NULL ? *ppData : new BYTE[cbData != 0 ? cbData : 1];
    if (m_ar.Read(pData, cbData) != cbData) {
        if (*ppData == NULL)
            delete[] pData;
        return FALSE;
    }
    *ppData = pData;
    *pcbData = cbData;
    return TRUE;
}

BOOL CZPPropExchangeArchive::ExchangeClassRecord(LPCWSTR, CRuntimeClass** ppClass, CRuntimeClass* pDefaultClass)
{
    if (!m_bLoading) {
        if (*ppClass == NULL)
            return FALSE;
        m_ar.WriteClass(*ppClass);
        return TRUE;
    }
    UINT nSchema = 0;
    CRuntimeClass* pClass = m_ar.ReadClass(pDefaultClass, &nSchema);
    if (pClass == NULL)
        return FALSE;
    *ppClass = pClass;
    m_nSchema = static_cast<long>(nSchema);
    return TRUE;
}

BOOL CZPPropExchangeArchive::ExchangeObjectByClass(CObject** ppObject, CRuntimeClass* pExpectedClass)
{
    if (!CZPPropExchange::ExchangeObjectByClass(ppObject, pExpectedClass))
        return FALSE;
    m_ar.MapObject(*ppObject);
    return TRUE;
}

CArchive* CZPPropExchangeArchive::GetArchive(LPCWSTR)
{
    return &m_ar;
}

void CZPPropExchangeArchive::ReleaseArchive(LPCWSTR, CArchive*)
{
}

CZPPropExchange* CZPPropExchangeArchive::GetSection(LPCWSTR)
{
    CZPPropExchangeArchive* pSection = new CZPPropExchangeArchive(m_ar);
    InheritPropertyExchange(pSection);
    return pSection;
}

void CZPPropExchangeArchive::WriteCount(DWORD dwCount)
{
    m_ar.WriteCount(dwCount);
}

DWORD CZPPropExchangeArchive::ReadCount()
{
    return static_cast<DWORD>(m_ar.ReadCount());
}

void CZPPropExchangeArchive::Write(LPCWSTR, const void* lpBuf, UINT nCount)
{
    m_ar.Write(lpBuf, nCount);
}

UINT CZPPropExchangeArchive::Read(LPCWSTR, void* lpBuf, UINT nCount)
{
    return m_ar.Read(lpBuf, nCount);
}

BOOL CZPPropExchangeArchive::CanSkipDefaults() const
{
    return FALSE;
}

BOOL CZPPropExchangeArchive::SupportsBinary() const
{
    return TRUE;
}

void CZPPropExchangeArchive::ExchangeSchemaNumber()
{
    if (!m_bLoading) {
        m_ar << kSchemaMarker << m_nSchema;
        return;
    }
    // Look at the next four bytes without taking them: the archive hands its read-ahead back
    // to the file on Flush, so the file can be read and put back where it was.
    m_ar.Flush();
    CFile* pFile = m_ar.GetFile();
    ULONGLONG nPosition = pFile->GetPosition();
    DWORD dwMarker = 0;
    UINT nRead = pFile->Read(&dwMarker, sizeof(dwMarker));
    pFile->Seek(static_cast<LONGLONG>(nPosition), CFile::begin);
    if (nRead == sizeof(dwMarker) && dwMarker == kSchemaMarker) {
        m_ar >> dwMarker;
        m_ar >> m_nSchema;
    } else {
        m_nSchema = kSchemaWithoutMarker;
    }
}
