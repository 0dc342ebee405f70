// Copy-on-write string implementation for both widths.
#include <framework/string.h>
#include <framework/threadstate.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

namespace {

// Width-specific C runtime and Win32 calls.
int Length(const wchar_t* psz) { return psz != NULL ? static_cast<int>(wcslen(psz)) : 0; }
int Length(const char* psz) { return psz != NULL ? static_cast<int>(strlen(psz)) : 0; }
int CompareText(const wchar_t* a, const wchar_t* b) { return wcscmp(a, b); }
int CompareText(const char* a, const char* b) { return strcmp(a, b); }
// Ordinal, with case folded for all of Unicode (the C runtime folds only ASCII).
int CompareTextNoCase(const wchar_t* a, const wchar_t* b) { return CompareStringOrdinal(a, -1, b, -1, TRUE) - CSTR_EQUAL; }
int CompareTextNoCase(const char* a, const char* b) { return _stricmp(a, b); }
const wchar_t* FindChar(const wchar_t* psz, wchar_t ch) { return wcschr(psz, ch); }
const char* FindChar(const char* psz, char ch) { return strchr(psz, ch); }
const wchar_t* FindText(const wchar_t* psz, const wchar_t* pszSub) { return wcsstr(psz, pszSub); }
const char* FindText(const char* psz, const char* pszSub) { return strstr(psz, pszSub); }
void UpperBuffer(wchar_t* p, int n) { CharUpperBuffW(p, n); }
void UpperBuffer(char* p, int n) { CharUpperBuffA(p, n); }
void LowerBuffer(wchar_t* p, int n) { CharLowerBuffW(p, n); }
void LowerBuffer(char* p, int n) { CharLowerBuffA(p, n); }
bool IsSpace(wchar_t ch) { return iswspace(ch) != 0; }
bool IsSpace(char ch) { return isspace(static_cast<unsigned char>(ch)) != 0; }
int FormatCount(const wchar_t* pszFormat, va_list args) { return _vscwprintf(pszFormat, args); }
int FormatCount(const char* pszFormat, va_list args) { return _vscprintf(pszFormat, args); }
void FormatInto(wchar_t* p, int n, const wchar_t* pszFormat, va_list args) { _vsnwprintf(p, n, pszFormat, args); }
void FormatInto(char* p, int n, const char* pszFormat, va_list args) { _vsnprintf(p, n, pszFormat, args); }

void ConvertInto(CStringW& str, const char* psz, int nLength, UINT nCodePage)
{
    str = AfxNarrowToWide(psz, nLength, nCodePage);
}

void ConvertInto(CStringA& str, const wchar_t* psz, int nLength, UINT nCodePage)
{
    str = AfxWideToNarrow(psz, nLength, nCodePage);
}

// Out of line: the compiler cannot see that the shared empty string never reaches it.
__attribute__((noinline)) void FreeData(CStringData* pData)
{
    free(pData);
}

template <typename CharT>
struct NilData
{
    CStringData data;
    CharT chNil[2];
};

}  // namespace

template <typename CharT>
typename CStringT<CharT>::PXSTR CStringT<CharT>::NilString()
{
    static NilData<CharT> s_nil = { { -1, 0, 0 }, { 0, 0 } };
    return s_nil.chNil;
}

template <typename CharT>
CStringT<CharT>::CStringT() : m_pszData(NilString())
{
}

template <typename CharT>
CStringT<CharT>::CStringT(const CStringT& strSrc) : m_pszData(strSrc.m_pszData)
{
    if (Data()->nRefs >= 0)
        InterlockedIncrement(&Data()->nRefs);
}

template <typename CharT>
CStringT<CharT>::CStringT(PCXSTR pszSrc) : m_pszData(NilString())
{
    SetString(pszSrc, Length(pszSrc));
}

template <typename CharT>
CStringT<CharT>::CStringT(PCXSTR pchSrc, int nLength) : m_pszData(NilString())
{
    SetString(pchSrc, nLength);
}

template <typename CharT>
CStringT<CharT>::CStringT(XCHAR ch, int nRepeat) : m_pszData(NilString())
{
    if (nRepeat > 0) {
        PXSTR p = PrepareWrite(nRepeat);
        for (int i = 0; i < nRepeat; ++i)
            p[i] = ch;
        SetLength(nRepeat);
    }
}

template <typename CharT>
CStringT<CharT>::CStringT(PCYSTR pszSrc) : m_pszData(NilString())
{
    SetConverted(pszSrc, -1);
}

template <typename CharT>
CStringT<CharT>::CStringT(PCYSTR pchSrc, int nLength) : m_pszData(NilString())
{
    SetConverted(pchSrc, nLength);
}

template <typename CharT>
CStringT<CharT>::CStringT(const CStringT<YCHAR>& strSrc) : m_pszData(NilString())
{
    SetConverted(strSrc.GetString(), strSrc.GetLength());
}

template <typename CharT>
CStringT<CharT>::~CStringT()
{
    Release();
}

template <typename CharT>
void CStringT<CharT>::Release()
{
    CStringData* pData = Data();
    if (pData->nRefs >= 0 && InterlockedDecrement(&pData->nRefs) == 0)
        FreeData(pData);
    m_pszData = NilString();
}

template <typename CharT>
void CStringT<CharT>::Attach(CStringData* pData)
{
    m_pszData = reinterpret_cast<PXSTR>(pData + 1);
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::operator=(const CStringT& strSrc)
{
    if (strSrc.m_pszData != m_pszData) {
        PXSTR pszNew = strSrc.m_pszData;
        if (strSrc.Data()->nRefs >= 0)
            InterlockedIncrement(&strSrc.Data()->nRefs);
        Release();
        m_pszData = pszNew;
    }
    return *this;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::operator=(PCXSTR pszSrc)
{
    SetString(pszSrc, Length(pszSrc));
    return *this;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::operator=(PCYSTR pszSrc)
{
    SetConverted(pszSrc, -1);
    return *this;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::operator=(XCHAR ch)
{
    SetString(&ch, 1);
    return *this;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::operator=(const CStringT<YCHAR>& strSrc)
{
    SetConverted(strSrc.GetString(), strSrc.GetLength());
    return *this;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::operator+=(const CStringT& str)
{
    Append(str.m_pszData, str.GetLength());
    return *this;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::operator+=(PCXSTR psz)
{
    Append(psz, Length(psz));
    return *this;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::operator+=(XCHAR ch)
{
    AppendChar(ch);
    return *this;
}

template <typename CharT>
void CStringT<CharT>::Empty()
{
    Release();
}

template <typename CharT>
CharT CStringT<CharT>::GetAt(int iChar) const
{
    if (iChar < 0 || iChar > GetLength())
        AfxThrowInvalidArgException();
    return m_pszData[iChar];
}

template <typename CharT>
void CStringT<CharT>::SetAt(int iChar, XCHAR ch)
{
    if (iChar < 0 || iChar >= GetLength())
        AfxThrowInvalidArgException();
    int nLength = GetLength();
    PrepareWrite(nLength)[iChar] = ch;
    SetLength(nLength);
}

// Makes the buffer private and large enough for nLength characters; keeps the text.
template <typename CharT>
typename CStringT<CharT>::PXSTR CStringT<CharT>::PrepareWrite(int nLength)
{
    if (nLength < 0)
        AfxThrowInvalidArgException();
    CStringData* pData = Data();
    if (pData->nRefs > 1 || pData->nRefs < 0 || pData->nAllocLength < nLength)
        Reallocate(nLength > pData->nAllocLength || pData->nRefs != 1 ? nLength : pData->nAllocLength);
    return m_pszData;
}

template <typename CharT>
void CStringT<CharT>::Reallocate(int nLength)
{
    CStringData* pOld = Data();
    int nOldLength = pOld->nDataLength;
    int nAlloc = nLength;
    if (pOld->nRefs == 1 && nLength > pOld->nAllocLength) {
        // Growing an owned buffer: leave room so repeated appends stay linear.
        int nGrown = pOld->nAllocLength + pOld->nAllocLength / 2;
        if (nGrown > nAlloc)
            nAlloc = nGrown;
    }
    if (nAlloc < nOldLength)
        nAlloc = nOldLength;
    if (static_cast<size_t>(nAlloc) > (0x7FFFFFF0u - sizeof(CStringData)) / sizeof(CharT) - 1)
        AfxThrowMemoryException();
    size_t cb = sizeof(CStringData) + (static_cast<size_t>(nAlloc) + 1) * sizeof(CharT);
    CStringData* pNew;
    if (pOld->nRefs == 1) {
        pNew = static_cast<CStringData*>(realloc(pOld, cb));
        if (pNew == NULL)
            AfxThrowMemoryException();
    } else {
        pNew = static_cast<CStringData*>(malloc(cb));
        if (pNew == NULL)
            AfxThrowMemoryException();
        pNew->nRefs = 1;
        memcpy(pNew + 1, m_pszData, (nOldLength + 1) * sizeof(CharT));
        Release();
    }
    pNew->nDataLength = nOldLength;
    pNew->nAllocLength = nAlloc;
    Attach(pNew);
}

template <typename CharT>
void CStringT<CharT>::SetLength(int nLength)
{
    if (nLength < 0 || nLength > Data()->nAllocLength)
        AfxThrowInvalidArgException();
    if (Data()->nRefs < 0)
        return;  // the empty string stays empty
    Data()->nDataLength = nLength;
    m_pszData[nLength] = 0;
}

template <typename CharT>
void CStringT<CharT>::SetString(PCXSTR pszSrc, int nLength)
{
    if (nLength <= 0 || pszSrc == NULL) {
        Release();
        return;
    }
    // The source may lie inside this string's own buffer.
    if (pszSrc >= m_pszData && pszSrc <= m_pszData + GetLength()) {
        CStringT copy(pszSrc, nLength > m_pszData + GetLength() - pszSrc
                                  ? static_cast<int>(m_pszData + GetLength() - pszSrc) : nLength);
        *this = copy;
        return;
    }
    PXSTR p = PrepareWrite(nLength);
    memcpy(p, pszSrc, nLength * sizeof(CharT));
    SetLength(nLength);
}

template <typename CharT>
void CStringT<CharT>::SetConverted(PCYSTR pszSrc, int nLength)
{
    if (pszSrc == NULL || nLength == 0) {
        Release();
        return;
    }
    ConvertInto(*this, pszSrc, nLength, CP_ACP);
}

template <typename CharT>
typename CStringT<CharT>::PXSTR CStringT<CharT>::GetBuffer()
{
    return PrepareWrite(GetLength());
}

template <typename CharT>
typename CStringT<CharT>::PXSTR CStringT<CharT>::GetBuffer(int nMinBufferLength)
{
    return PrepareWrite(nMinBufferLength > GetLength() ? nMinBufferLength : GetLength());
}

template <typename CharT>
typename CStringT<CharT>::PXSTR CStringT<CharT>::GetBufferSetLength(int nLength)
{
    PXSTR p = PrepareWrite(nLength);
    SetLength(nLength);
    return p;
}

template <typename CharT>
void CStringT<CharT>::ReleaseBuffer(int nNewLength)
{
    if (Data()->nRefs < 0)
        return;
    if (nNewLength < 0) {
        // Up to the terminator, but never past the buffer.
        int nAlloc = Data()->nAllocLength;
        nNewLength = 0;
        while (nNewLength < nAlloc && m_pszData[nNewLength] != 0)
            ++nNewLength;
    }
    SetLength(nNewLength);
}

template <typename CharT>
void CStringT<CharT>::Preallocate(int nLength)
{
    int nOld = GetLength();
    PrepareWrite(nLength > nOld ? nLength : nOld);
}

template <typename CharT>
void CStringT<CharT>::FreeExtra()
{
    if (Data()->nRefs < 0 || GetLength() == Data()->nAllocLength)
        return;
    CStringT copy(m_pszData, GetLength());
    *this = copy;
}

template <typename CharT>
void CStringT<CharT>::Truncate(int nNewLength)
{
    if (nNewLength < 0 || nNewLength > GetLength())
        AfxThrowInvalidArgException();
    if (nNewLength == 0) {
        Release();
        return;
    }
    PrepareWrite(nNewLength);
    SetLength(nNewLength);
}

template <typename CharT>
void CStringT<CharT>::Append(PCXSTR pszSrc)
{
    Append(pszSrc, Length(pszSrc));
}

template <typename CharT>
void CStringT<CharT>::Append(PCXSTR pszSrc, int nLength)
{
    if (pszSrc == NULL || nLength <= 0)
        return;
    int nOld = GetLength();
    if (pszSrc >= m_pszData && pszSrc <= m_pszData + nOld) {
        CStringT copy(pszSrc, nLength);   // appending a part of itself
        Append(copy.m_pszData, copy.GetLength());
        return;
    }
    if (nLength > 0x7FFFFFF0 - nOld)
        AfxThrowMemoryException();
    PXSTR p = PrepareWrite(nOld + nLength);
    memcpy(p + nOld, pszSrc, nLength * sizeof(CharT));
    SetLength(nOld + nLength);
}

template <typename CharT>
void CStringT<CharT>::AppendChar(XCHAR ch)
{
    Append(&ch, 1);
}

template <typename CharT>
int CStringT<CharT>::Compare(PCXSTR psz) const
{
    return CompareText(m_pszData, psz != NULL ? psz : NilString());
}

template <typename CharT>
int CStringT<CharT>::CompareNoCase(PCXSTR psz) const
{
    return CompareTextNoCase(m_pszData, psz != NULL ? psz : NilString());
}

template <typename CharT>
int CStringT<CharT>::Find(XCHAR ch, int iStart) const
{
    if (iStart < 0 || iStart >= GetLength())
        return -1;
    PCXSTR p = FindChar(m_pszData + iStart, ch);
    return p != NULL && ch != 0 ? static_cast<int>(p - m_pszData) : -1;
}

template <typename CharT>
int CStringT<CharT>::Find(PCXSTR pszSub, int iStart) const
{
    if (pszSub == NULL || iStart < 0 || iStart > GetLength())
        return -1;
    PCXSTR p = FindText(m_pszData + iStart, pszSub);
    return p != NULL ? static_cast<int>(p - m_pszData) : -1;
}

template <typename CharT>
int CStringT<CharT>::ReverseFind(XCHAR ch) const
{
    for (int i = GetLength() - 1; i >= 0; --i) {
        if (m_pszData[i] == ch)
            return i;
    }
    return -1;
}

template <typename CharT>
int CStringT<CharT>::FindOneOf(PCXSTR pszCharSet) const
{
    if (pszCharSet == NULL)
        return -1;
    for (int i = 0; i < GetLength(); ++i) {
        if (FindChar(pszCharSet, m_pszData[i]) != NULL)
            return i;
    }
    return -1;
}

template <typename CharT>
CStringT<CharT> CStringT<CharT>::Mid(int iFirst) const
{
    return Mid(iFirst, GetLength() - (iFirst < 0 ? 0 : iFirst));
}

template <typename CharT>
CStringT<CharT> CStringT<CharT>::Mid(int iFirst, int nCount) const
{
    if (iFirst < 0)
        iFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (iFirst > GetLength())
        iFirst = GetLength();
    if (nCount > GetLength() - iFirst)
        nCount = GetLength() - iFirst;
    if (iFirst == 0 && nCount == GetLength())
        return *this;
    return CStringT(m_pszData + iFirst, nCount);
}

template <typename CharT>
CStringT<CharT> CStringT<CharT>::Left(int nCount) const
{
    return Mid(0, nCount);
}

template <typename CharT>
CStringT<CharT> CStringT<CharT>::Right(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount > GetLength())
        nCount = GetLength();
    return Mid(GetLength() - nCount, nCount);
}

template <typename CharT>
CStringT<CharT> CStringT<CharT>::Tokenize(PCXSTR pszTokens, int& iStart) const
{
    if (iStart < 0 || pszTokens == NULL) {
        iStart = -1;
        return CStringT();
    }
    int n = GetLength();
    int i = iStart;
    while (i < n && FindChar(pszTokens, m_pszData[i]) != NULL)
        ++i;
    if (i >= n) {
        iStart = -1;
        return CStringT();
    }
    int iEnd = i;
    while (iEnd < n && FindChar(pszTokens, m_pszData[iEnd]) == NULL)
        ++iEnd;
    iStart = iEnd < n ? iEnd + 1 : iEnd;
    return Mid(i, iEnd - i);
}

template <typename CharT>
int CStringT<CharT>::Replace(XCHAR chOld, XCHAR chNew)
{
    int nCount = 0;
    int n = GetLength();
    for (int i = 0; i < n; ++i) {
        if (m_pszData[i] == chOld) {
            PrepareWrite(n)[i] = chNew;
            ++nCount;
        }
    }
    return nCount;
}

template <typename CharT>
int CStringT<CharT>::Replace(PCXSTR pszOld, PCXSTR pszNew)
{
    int nOld = Length(pszOld);
    if (nOld == 0)
        return 0;
    int nNew = Length(pszNew);
    CStringT result;
    int nCount = 0;
    int iFrom = 0;
    for (int i = Find(pszOld); i >= 0; i = Find(pszOld, i + nOld)) {
        result.Append(m_pszData + iFrom, i - iFrom);
        result.Append(pszNew, nNew);
        iFrom = i + nOld;
        ++nCount;
    }
    if (nCount > 0) {
        result.Append(m_pszData + iFrom, GetLength() - iFrom);
        *this = result;
    }
    return nCount;
}

template <typename CharT>
int CStringT<CharT>::Remove(XCHAR chRemove)
{
    int n = GetLength();
    if (Find(chRemove) < 0)
        return 0;
    PXSTR p = PrepareWrite(n);
    int j = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] != chRemove)
            p[j++] = p[i];
    }
    SetLength(j);
    return n - j;
}

template <typename CharT>
int CStringT<CharT>::Insert(int iIndex, XCHAR ch)
{
    return Insert(iIndex, CStringT(ch).GetString());
}

template <typename CharT>
int CStringT<CharT>::Insert(int iIndex, PCXSTR psz)
{
    if (iIndex < 0)
        iIndex = 0;
    if (iIndex > GetLength())
        iIndex = GetLength();
    CStringT result(m_pszData, iIndex);
    result.Append(psz);
    result.Append(m_pszData + iIndex, GetLength() - iIndex);
    *this = result;
    return GetLength();
}

template <typename CharT>
int CStringT<CharT>::Delete(int iIndex, int nCount)
{
    int n = GetLength();
    if (iIndex < 0)
        iIndex = 0;
    if (nCount <= 0 || iIndex >= n)
        return n;
    if (nCount > n - iIndex)
        nCount = n - iIndex;
    PXSTR p = PrepareWrite(n);
    memmove(p + iIndex, p + iIndex + nCount, (n - iIndex - nCount) * sizeof(CharT));
    SetLength(n - nCount);
    return n - nCount;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::MakeUpper()
{
    if (!IsEmpty())
        UpperBuffer(PrepareWrite(GetLength()), GetLength());
    return *this;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::MakeLower()
{
    if (!IsEmpty())
        LowerBuffer(PrepareWrite(GetLength()), GetLength());
    return *this;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::MakeReverse()
{
    int n = GetLength();
    if (n > 1) {
        PXSTR p = PrepareWrite(n);
        for (int i = 0, j = n - 1; i < j; ++i, --j) {
            XCHAR ch = p[i];
            p[i] = p[j];
            p[j] = ch;
        }
    }
    return *this;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::Trim()
{
    return TrimRight().TrimLeft();
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::Trim(XCHAR chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::Trim(PCXSTR pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::TrimLeft()
{
    int i = 0;
    while (i < GetLength() && IsSpace(m_pszData[i]))
        ++i;
    Delete(0, i);
    return *this;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::TrimLeft(XCHAR chTarget)
{
    int i = 0;
    while (i < GetLength() && m_pszData[i] == chTarget)
        ++i;
    Delete(0, i);
    return *this;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::TrimLeft(PCXSTR pszTargets)
{
    if (pszTargets == NULL)
        return *this;
    int i = 0;
    while (i < GetLength() && FindChar(pszTargets, m_pszData[i]) != NULL)
        ++i;
    Delete(0, i);
    return *this;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::TrimRight()
{
    int n = GetLength();
    while (n > 0 && IsSpace(m_pszData[n - 1]))
        --n;
    if (n < GetLength())
        Truncate(n);
    return *this;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::TrimRight(XCHAR chTarget)
{
    int n = GetLength();
    while (n > 0 && m_pszData[n - 1] == chTarget)
        --n;
    if (n < GetLength())
        Truncate(n);
    return *this;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::TrimRight(PCXSTR pszTargets)
{
    if (pszTargets == NULL)
        return *this;
    int n = GetLength();
    while (n > 0 && FindChar(pszTargets, m_pszData[n - 1]) != NULL)
        --n;
    if (n < GetLength())
        Truncate(n);
    return *this;
}

template <typename CharT>
void CStringT<CharT>::FormatArgs(BOOL bAppend, PCXSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    if (bAppend)
        AppendFormatV(pszFormat, args);
    else
        FormatV(pszFormat, args);
    va_end(args);
}

template <typename CharT>
void CStringT<CharT>::FormatV(PCXSTR pszFormat, va_list args)
{
    Empty();
    AppendFormatV(pszFormat, args);
}

template <typename CharT>
void CStringT<CharT>::AppendFormatV(PCXSTR pszFormat, va_list args)
{
    if (pszFormat == NULL)
        AfxThrowInvalidArgException();
    va_list argsCount;
    va_copy(argsCount, args);
    int nAdd = FormatCount(pszFormat, argsCount);
    va_end(argsCount);
    if (nAdd < 0)
        AfxThrowInvalidArgException();
    if (nAdd == 0)
        return;
    int nOld = GetLength();
    if (nAdd > 0x7FFFFFF0 - nOld)
        AfxThrowMemoryException();
    PXSTR p = PrepareWrite(nOld + nAdd);
    FormatInto(p + nOld, nAdd + 1, pszFormat, args);
    SetLength(nOld + nAdd);
}

template <typename CharT>
BOOL CStringT<CharT>::LoadString(UINT nID)
{
    return LoadString(AfxGetResourceHandle(), nID);
}

template <typename CharT>
BOOL CStringT<CharT>::LoadString(HINSTANCE hInstance, UINT nID)
{
    // With a zero buffer size the loader hands out the resource's own text, not terminated.
    LPCWSTR pszResource = NULL;
    int nLength = ::LoadStringW(hInstance, nID, reinterpret_cast<LPWSTR>(&pszResource), 0);
    if (nLength <= 0 || pszResource == NULL) {
        Empty();
        return FALSE;
    }
    *this = CStringT(CStringW(pszResource, nLength));
    return TRUE;
}

template <typename CharT>
BSTR CStringT<CharT>::AllocSysString() const
{
    CStringW strWide(*this);
    BSTR bstr = SysAllocStringLen(strWide.GetString(), strWide.GetLength());
    if (bstr == NULL)
        AfxThrowMemoryException();
    return bstr;
}

template class CStringT<wchar_t>;
template class CStringT<char>;

CStringA AfxWideToNarrow(LPCWSTR psz, int nLength, UINT nCodePage)
{
    CStringA str;
    if (psz == NULL)
        return str;
    if (nLength < 0)
        nLength = Length(psz);
    if (nLength == 0)
        return str;
    int nNarrow = WideCharToMultiByte(nCodePage, 0, psz, nLength, NULL, 0, NULL, NULL);
    if (nNarrow <= 0)
        return str;
    nNarrow = WideCharToMultiByte(nCodePage, 0, psz, nLength, str.GetBuffer(nNarrow), nNarrow, NULL, NULL);
    str.ReleaseBuffer(nNarrow > 0 ? nNarrow : 0);
    return str;
}

CStringW AfxNarrowToWide(LPCSTR psz, int nLength, UINT nCodePage)
{
    CStringW str;
    if (psz == NULL)
        return str;
    if (nLength < 0)
        nLength = Length(psz);
    if (nLength == 0)
        return str;
    int nWide = MultiByteToWideChar(nCodePage, 0, psz, nLength, NULL, 0);
    if (nWide <= 0)
        return str;
    nWide = MultiByteToWideChar(nCodePage, 0, psz, nLength, str.GetBuffer(nWide), nWide);
    str.ReleaseBuffer(nWide > 0 ? nWide : 0);
    return str;
}

CW2A::CW2A(LPCWSTR psz, UINT nCodePage) : m_str(AfxWideToNarrow(psz, -1, nCodePage))
{
}

CA2W::CA2W(LPCSTR psz, UINT nCodePage) : m_str(AfxNarrowToWide(psz, -1, nCodePage))
{
}
