// Copy-on-write strings: CString (wide, the program's text) and CStringA (narrow).
#pragma once

#include <framework/exceptions.h>

#include <oleauto.h>
#include <stdarg.h>

template <typename CharT> struct CStringTraits;
template <> struct CStringTraits<wchar_t> { typedef char OtherChar; };
template <> struct CStringTraits<char> { typedef wchar_t OtherChar; };

// Header in front of every non-empty string's characters.
struct CStringData
{
    LONG nRefs;          // < 0: the shared empty string, never freed
    int nDataLength;
    int nAllocLength;
};

template <typename CharT>
class CStringT
{
public:
    typedef CharT XCHAR;
    typedef typename CStringTraits<CharT>::OtherChar YCHAR;
    typedef CharT* PXSTR;
    typedef const CharT* PCXSTR;
    typedef const YCHAR* PCYSTR;

    CStringT();
    CStringT(const CStringT& strSrc);
    CStringT(PCXSTR pszSrc);
    CStringT(PCXSTR pchSrc, int nLength);
    CStringT(XCHAR ch, int nRepeat = 1);
    // From the other width: converted with the ANSI code page.
    CStringT(PCYSTR pszSrc);
    CStringT(PCYSTR pchSrc, int nLength);
    explicit CStringT(const CStringT<YCHAR>& strSrc);
    ~CStringT();

    CStringT& operator=(const CStringT& strSrc);
    CStringT& operator=(PCXSTR pszSrc);
    CStringT& operator=(PCYSTR pszSrc);
    CStringT& operator=(XCHAR ch);
    CStringT& operator=(const CStringT<YCHAR>& strSrc);

    CStringT& operator+=(const CStringT& str);
    CStringT& operator+=(PCXSTR psz);
    CStringT& operator+=(XCHAR ch);

    int GetLength() const { return Data()->nDataLength; }
    BOOL IsEmpty() const { return GetLength() == 0; }
    void Empty();
    PCXSTR GetString() const { return m_pszData; }
    operator PCXSTR() const { return m_pszData; }
    XCHAR GetAt(int iChar) const;
    XCHAR operator[](int iChar) const { return GetAt(iChar); }
    void SetAt(int iChar, XCHAR ch);

    // Direct access: the buffer is writable until ReleaseBuffer.
    PXSTR GetBuffer();
    PXSTR GetBuffer(int nMinBufferLength);
    PXSTR GetBufferSetLength(int nLength);
    void ReleaseBuffer(int nNewLength = -1);
    void Preallocate(int nLength);
    void FreeExtra();
    void Truncate(int nNewLength);

    void Append(PCXSTR pszSrc);
    void Append(PCXSTR pszSrc, int nLength);
    void AppendChar(XCHAR ch);

    int Compare(PCXSTR psz) const;
    int CompareNoCase(PCXSTR psz) const;

    int Find(XCHAR ch, int iStart = 0) const;
    int Find(PCXSTR pszSub, int iStart = 0) const;
    int ReverseFind(XCHAR ch) const;
    int FindOneOf(PCXSTR pszCharSet) const;

    CStringT Mid(int iFirst) const;
    CStringT Mid(int iFirst, int nCount) const;
    CStringT Left(int nCount) const;
    CStringT Right(int nCount) const;
    // Next token from iStart on; iStart becomes -1 (and the result empty) after the last one.
    CStringT Tokenize(PCXSTR pszTokens, int& iStart) const;

    int Replace(XCHAR chOld, XCHAR chNew);
    int Replace(PCXSTR pszOld, PCXSTR pszNew);
    int Remove(XCHAR chRemove);
    int Insert(int iIndex, XCHAR ch);
    int Insert(int iIndex, PCXSTR psz);
    int Delete(int iIndex, int nCount = 1);

    CStringT& MakeUpper();
    CStringT& MakeLower();
    CStringT& MakeReverse();
    CStringT& Trim();
    CStringT& Trim(XCHAR chTarget);
    CStringT& Trim(PCXSTR pszTargets);
    CStringT& TrimLeft();
    CStringT& TrimLeft(XCHAR chTarget);
    CStringT& TrimLeft(PCXSTR pszTargets);
    CStringT& TrimRight();
    CStringT& TrimRight(XCHAR chTarget);
    CStringT& TrimRight(PCXSTR pszTargets);

    // printf-style with the C runtime's rules for this width (in a wide format %s is wide text,
    // %S and %hs narrow). String objects may be passed directly: they are passed as their text.
    template <typename... Args>
    void Format(PCXSTR pszFormat, const Args&... args) { FormatArgs(FALSE, pszFormat, PassArg(args)...); }
    template <typename... Args>
    void AppendFormat(PCXSTR pszFormat, const Args&... args) { FormatArgs(TRUE, pszFormat, PassArg(args)...); }
    void FormatV(PCXSTR pszFormat, va_list args);
    void AppendFormatV(PCXSTR pszFormat, va_list args);

    // From the string table of the current resource module.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // A new system string of this text; the caller frees it.
    BSTR AllocSysString() const;

private:
    CStringData* Data() const { return reinterpret_cast<CStringData*>(m_pszData) - 1; }
    static PXSTR NilString();
    void Release();
    void Attach(CStringData* pData);
    PXSTR PrepareWrite(int nLength);
    void Reallocate(int nLength);
    void SetLength(int nLength);
    void SetString(PCXSTR pszSrc, int nLength);
    void SetConverted(PCYSTR pszSrc, int nLength);
    void FormatArgs(BOOL bAppend, PCXSTR pszFormat, ...);

    static PCXSTR PassArg(const CStringT& str) { return str.GetString(); }
    static PCYSTR PassArg(const CStringT<YCHAR>& str) { return str.GetString(); }
    template <typename T>
    static const T& PassArg(const T& value) { return value; }

    PXSTR m_pszData;
};

typedef CStringT<wchar_t> CStringW;
typedef CStringT<char> CStringA;
typedef CStringW CString;

extern template class CStringT<wchar_t>;
extern template class CStringT<char>;

template <typename CharT>
CStringT<CharT> operator+(const CStringT<CharT>& str1, const CStringT<CharT>& str2)
{
    CStringT<CharT> result(str1);
    result += str2;
    return result;
}
template <typename CharT>
CStringT<CharT> operator+(const CStringT<CharT>& str1, const CharT* psz2)
{
    CStringT<CharT> result(str1);
    result += psz2;
    return result;
}
template <typename CharT>
CStringT<CharT> operator+(const CharT* psz1, const CStringT<CharT>& str2)
{
    CStringT<CharT> result(psz1);
    result += str2;
    return result;
}
template <typename CharT>
CStringT<CharT> operator+(const CStringT<CharT>& str1, CharT ch2)
{
    CStringT<CharT> result(str1);
    result += ch2;
    return result;
}
template <typename CharT>
CStringT<CharT> operator+(CharT ch1, const CStringT<CharT>& str2)
{
    CStringT<CharT> result(ch1);
    result += str2;
    return result;
}

template <typename CharT>
bool operator==(const CStringT<CharT>& str1, const CStringT<CharT>& str2)
{
    return str1.GetLength() == str2.GetLength() && str1.Compare(str2) == 0;
}
template <typename CharT>
bool operator==(const CStringT<CharT>& str1, const CharT* psz2) { return str1.Compare(psz2) == 0; }
template <typename CharT>
bool operator==(const CharT* psz1, const CStringT<CharT>& str2) { return str2.Compare(psz1) == 0; }
template <typename CharT>
bool operator!=(const CStringT<CharT>& str1, const CStringT<CharT>& str2) { return !(str1 == str2); }
template <typename CharT>
bool operator!=(const CStringT<CharT>& str1, const CharT* psz2) { return str1.Compare(psz2) != 0; }
template <typename CharT>
bool operator!=(const CharT* psz1, const CStringT<CharT>& str2) { return str2.Compare(psz1) != 0; }
template <typename CharT>
bool operator<(const CStringT<CharT>& str1, const CStringT<CharT>& str2) { return str1.Compare(str2) < 0; }
template <typename CharT>
bool operator>(const CStringT<CharT>& str1, const CStringT<CharT>& str2) { return str1.Compare(str2) > 0; }
template <typename CharT>
bool operator<=(const CStringT<CharT>& str1, const CStringT<CharT>& str2) { return str1.Compare(str2) <= 0; }
template <typename CharT>
bool operator>=(const CStringT<CharT>& str1, const CStringT<CharT>& str2) { return str1.Compare(str2) >= 0; }

// Text converted between widths with an explicit code page.
class CW2A
{
public:
    explicit CW2A(LPCWSTR psz, UINT nCodePage = CP_ACP);
    operator LPCSTR() const { return m_str; }
    const CStringA& String() const { return m_str; }
private:
    CStringA m_str;
};

class CA2W
{
public:
    explicit CA2W(LPCSTR psz, UINT nCodePage = CP_ACP);
    operator LPCWSTR() const { return m_str; }
    const CStringW& String() const { return m_str; }
private:
    CStringW m_str;
};

// Converts with a code page; length -1 = up to the terminator. Throws CMemoryException.
CStringA AfxWideToNarrow(LPCWSTR psz, int nLength, UINT nCodePage);
CStringW AfxNarrowToWide(LPCSTR psz, int nLength, UINT nCodePage);
