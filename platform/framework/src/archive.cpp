// Archive buffering and records. Loading trusts nothing it reads: every length is checked
// against the data left before anything is allocated or read.
#include <framework/archive.h>

#include <string.h>
#include <unordered_map>
#include <vector>

namespace {

const WORD wNullTag = 0;            // no object
const WORD wNewClassTag = 0xFFFF;   // a class record follows
const WORD wClassTag = 0x8000;      // OR the index of a class already recorded
const WORD wBigObjectTag = 0x7FFF;  // a 32-bit tag follows
const DWORD dwBigClassTag = 0x80000000;
const DWORD nMaxMapCount = 0x7FFFFFFE;
const BYTE byWideTag = 0xFF;
const WORD wWideTag = 0xFFFE;
const UINT nMaxClassName = 255;

}  // namespace

struct CArchive::CMaps
{
    struct Loaded
    {
        const void* p;
        UINT nSchema;
        bool bClass;
    };
    std::vector<Loaded> loaded{ Loaded{ NULL, 0, false } };   // index 0: no object
    std::unordered_map<const void*, DWORD> stored;   // classes written, by their index
    DWORD nNext = 1;
};

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(NULL), m_pFile(pFile), m_nMode(nMode), m_bUserBuf(lpBuf != NULL), m_nBufSize(nBufSize),
      m_lpBufStart(static_cast<BYTE*>(lpBuf)), m_pMaps(NULL)
{
    if (pFile == NULL || nBufSize < 16)
        AfxThrowInvalidArgException();
    if (m_lpBufStart == NULL)
        m_lpBufStart = new BYTE[nBufSize];
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + nBufSize;
}

CArchive::~CArchive()
{
    if (m_pFile != NULL && IsStoring() && (m_nMode & bNoFlushOnDelete) == 0) {
        try {
            Flush();
        } catch (CException* e) {
            e->Delete();   // a destructor cannot report it; Close() does
        }
    }
    Abort();
    if (!m_bUserBuf)
        delete[] m_lpBufStart;
    delete m_pMaps;
}

void CArchive::CheckLoading() const
{
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly);
}

void CArchive::CheckStoring() const
{
    if (IsLoading())
        AfxThrowArchiveException(CArchiveException::readOnly);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    CheckStoring();
    if (m_pFile == NULL)
        AfxThrowArchiveException(CArchiveException::genericException);
    const BYTE* p = static_cast<const BYTE*>(lpBuf);
    UINT nFree = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    if (nMax <= nFree) {
        memcpy(m_lpBufCur, p, nMax);
        m_lpBufCur += nMax;
        return;
    }
    Flush();
    if (nMax >= static_cast<UINT>(m_nBufSize)) {
        m_pFile->Write(p, nMax);
        return;
    }
    memcpy(m_lpBufCur, p, nMax);
    m_lpBufCur += nMax;
}

void CArchive::FillBuffer(UINT nBytesNeeded)
{
    UINT nUnread = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    if (nUnread > 0 && m_lpBufCur != m_lpBufStart)
        memmove(m_lpBufStart, m_lpBufCur, nUnread);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + nUnread;
    while (static_cast<UINT>(m_lpBufMax - m_lpBufStart) < nBytesNeeded) {
        UINT nRead = m_pFile->Read(m_lpBufMax, static_cast<UINT>(m_lpBufStart + m_nBufSize - m_lpBufMax));
        if (nRead == 0)
            break;
        m_lpBufMax += nRead;
    }
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CheckLoading();
    if (m_pFile == NULL)
        AfxThrowArchiveException(CArchiveException::genericException);
    BYTE* p = static_cast<BYTE*>(lpBuf);
    UINT nDone = 0;
    while (nDone < nMax) {
        UINT nBuffered = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
        if (nBuffered == 0) {
            UINT nLeft = nMax - nDone;
            if (nLeft >= static_cast<UINT>(m_nBufSize)) {
                UINT nRead = m_pFile->Read(p + nDone, nLeft);
                if (nRead == 0)
                    break;
                nDone += nRead;
                continue;
            }
            FillBuffer(nLeft);
            nBuffered = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
            if (nBuffered == 0)
                break;
        }
        UINT nTake = nBuffered < nMax - nDone ? nBuffered : nMax - nDone;
        memcpy(p + nDone, m_lpBufCur, nTake);
        m_lpBufCur += nTake;
        nDone += nTake;
    }
    return nDone;
}

void CArchive::ReadExact(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

ULONGLONG CArchive::BytesLeft() const
{
    ULONGLONG nLength = m_pFile->GetLength();
    ULONGLONG nPosition = m_pFile->GetPosition();
    return static_cast<ULONGLONG>(m_lpBufMax - m_lpBufCur) + (nLength > nPosition ? nLength - nPosition : 0);
}

void CArchive::EnsureAvailable(ULONGLONG nCount, UINT nMinBytesEach)
{
    CheckLoading();
    ULONGLONG nLeft = BytesLeft();
    if (nMinBytesEach == 0)
        nMinBytesEach = 1;
    if (nCount > nLeft / nMinBytesEach)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

void CArchive::Flush()
{
    if (m_pFile == NULL)
        return;
    if (IsLoading()) {
        // Give back what was read ahead, so the file stands where the archive does.
        if (m_lpBufMax != m_lpBufCur)
            m_pFile->Seek(-static_cast<LONGLONG>(m_lpBufMax - m_lpBufCur), CFile::current);
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
        return;
    }
    if (m_lpBufCur != m_lpBufStart) {
        UINT nCount = static_cast<UINT>(m_lpBufCur - m_lpBufStart);
        m_lpBufCur = m_lpBufStart;
        m_pFile->Write(m_lpBufStart, nCount);
    }
}

void CArchive::Close()
{
    Flush();
    m_pFile = NULL;
}

void CArchive::Abort()
{
    m_pFile = NULL;
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF) {
        *this << static_cast<WORD>(dwCount);
        return;
    }
    if ((static_cast<ULONGLONG>(dwCount) >> 32) != 0)
        AfxThrowArchiveException(CArchiveException::genericException);   // beyond the record's 32 bits
    *this << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(dwCount);
}

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount;
    *this >> dwCount;
    return dwCount;
}

DWORD CArchive::NextMapIndex()
{
    if (m_pMaps == NULL)
        m_pMaps = new CMaps;
    if (m_pMaps->nNext > nMaxMapCount)
        AfxThrowArchiveException(CArchiveException::badIndex);
    return m_pMaps->nNext++;
}

void CArchive::MapObject(const CObject* pOb)
{
    if (IsStoring()) {
        // Every call takes an index, an object seen before too: loading cannot tell them apart.
        NextMapIndex();
        return;
    }
    NextMapIndex();
    m_pMaps->loaded.push_back(CMaps::Loaded{ pOb, 0, false });
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    CheckStoring();
    if (pClassRef == NULL)
        AfxThrowInvalidArgException();
    if (m_pMaps != NULL) {
        auto it = m_pMaps->stored.find(pClassRef);
        if (it != m_pMaps->stored.end()) {
            DWORD nIndex = it->second;
            if (nIndex < wBigObjectTag)
                *this << static_cast<WORD>(wClassTag | nIndex);
            else
                *this << wBigObjectTag << static_cast<DWORD>(dwBigClassTag | nIndex);
            return;
        }
    }
    size_t nLength = strlen(pClassRef->m_lpszClassName);
    if (nLength == 0 || nLength > nMaxClassName)
        AfxThrowArchiveException(CArchiveException::badClass);
    DWORD nIndex = NextMapIndex();
    *this << wNewClassTag << static_cast<WORD>(pClassRef->m_wSchema) << static_cast<WORD>(nLength);
    Write(pClassRef->m_lpszClassName, static_cast<UINT>(nLength));
    m_pMaps->stored.emplace(pClassRef, nIndex);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema)
{
    CheckLoading();
    WORD wTag;
    *this >> wTag;
    if (wTag == wNullTag)
        return NULL;

    CRuntimeClass* pClass;
    UINT nSchema;
    if (wTag == wNewClassTag) {
        WORD wSchema, wLength;
        *this >> wSchema >> wLength;
        char szName[nMaxClassName + 1];
        if (wLength == 0 || wLength > nMaxClassName)
            AfxThrowArchiveException(CArchiveException::badClass);
        ReadExact(szName, wLength);
        szName[wLength] = 0;
        pClass = CRuntimeClass::FromName(szName);
        if (pClass == NULL)
            AfxThrowArchiveException(CArchiveException::badClass);
        nSchema = wSchema;
        if ((pClass->m_wSchema & VERSIONABLE_SCHEMA) == 0 && nSchema != (pClass->m_wSchema & 0xFFFF))
            AfxThrowArchiveException(CArchiveException::badSchema);
        NextMapIndex();
        m_pMaps->loaded.push_back(CMaps::Loaded{ pClass, nSchema, true });
    } else {
        DWORD nIndex;
        if (wTag == wBigObjectTag) {
            DWORD dwTag;
            *this >> dwTag;
            if ((dwTag & dwBigClassTag) == 0)
                AfxThrowArchiveException(CArchiveException::badIndex);   // an object, not a class
            nIndex = dwTag & ~dwBigClassTag;
        } else if ((wTag & wClassTag) != 0) {
            nIndex = wTag & ~wClassTag;
        } else {
            AfxThrowArchiveException(CArchiveException::badIndex);
        }
        if (m_pMaps == NULL || nIndex == 0 || nIndex >= m_pMaps->loaded.size() || !m_pMaps->loaded[nIndex].bClass)
            AfxThrowArchiveException(CArchiveException::badIndex);
        pClass = const_cast<CRuntimeClass*>(static_cast<const CRuntimeClass*>(m_pMaps->loaded[nIndex].p));
        nSchema = m_pMaps->loaded[nIndex].nSchema;
    }
    if (pClassRefRequested != NULL && !pClass->IsDerivedFrom(pClassRefRequested))
        AfxThrowArchiveException(CArchiveException::badClass);
    if (pSchema != NULL)
        *pSchema = nSchema;
    return pClass;
}

void CArchive::WriteStringLength(ULONGLONG nLength, BOOL bWide)
{
    if (bWide)
        *this << byWideTag << wWideTag;
    if (nLength < 0xFF) {
        *this << static_cast<BYTE>(nLength);
    } else if (nLength < 0xFFFE) {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(nLength);
    } else if (nLength < 0xFFFFFFFF) {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(nLength);
    } else {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(0xFFFFFFFF) << nLength;
    }
}

ULONGLONG CArchive::ReadStringLength(int& nCharSize)
{
    nCharSize = 1;
    BYTE byLength;
    WORD wLength;
    *this >> byLength;
    if (byLength < 0xFF)
        return byLength;
    *this >> wLength;
    if (wLength == wWideTag) {
        nCharSize = 2;
        *this >> byLength;
        if (byLength < 0xFF)
            return byLength;
        *this >> wLength;
        if (wLength == wWideTag)
            AfxThrowArchiveException(CArchiveException::genericException);   // a second tag
    }
    if (wLength < 0xFFFE)
        return wLength;
    DWORD dwLength;
    *this >> dwLength;
    if (dwLength < 0xFFFFFFFF)
        return dwLength;
    ULONGLONG qwLength;
    *this >> qwLength;
    return qwLength;
}

int CArchive::ReadCheckedStringLength(int& nCharSize)
{
    ULONGLONG nLength = ReadStringLength(nCharSize);
    if (nLength > 0x3FFFFFFF)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    EnsureAvailable(nLength, static_cast<UINT>(nCharSize));
    return static_cast<int>(nLength);
}

CArchive& operator<<(CArchive& ar, const CStringW& str)
{
    ar.WriteStringLength(static_cast<ULONGLONG>(str.GetLength()), TRUE);
    ar.Write(str.GetString(), static_cast<UINT>(str.GetLength()) * sizeof(wchar_t));
    return ar;
}

CArchive& operator<<(CArchive& ar, const CStringA& str)
{
    ar.WriteStringLength(static_cast<ULONGLONG>(str.GetLength()), FALSE);
    ar.Write(str.GetString(), static_cast<UINT>(str.GetLength()));
    return ar;
}

CArchive& operator>>(CArchive& ar, CStringW& str)
{
    int nCharSize;
    int n = ar.ReadCheckedStringLength(nCharSize);
    if (nCharSize == 2) {
        ar.ReadExact(str.GetBufferSetLength(n), static_cast<UINT>(n) * sizeof(wchar_t));
        str.ReleaseBuffer(n);
    } else {
        CStringA strNarrow;
        ar.ReadExact(strNarrow.GetBufferSetLength(n), static_cast<UINT>(n));
        strNarrow.ReleaseBuffer(n);
        str = AfxNarrowToWide(strNarrow, n, CP_ACP);
    }
    return ar;
}

CArchive& operator>>(CArchive& ar, CStringA& str)
{
    int nCharSize;
    int n = ar.ReadCheckedStringLength(nCharSize);
    if (nCharSize == 1) {
        ar.ReadExact(str.GetBufferSetLength(n), static_cast<UINT>(n));
        str.ReleaseBuffer(n);
    } else {
        CStringW strWide;
        ar.ReadExact(strWide.GetBufferSetLength(n), static_cast<UINT>(n) * sizeof(wchar_t));
        strWide.ReleaseBuffer(n);
        str = AfxWideToNarrow(strWide, n, CP_ACP);
    }
    return ar;
}
