// Basic property values and their text forms.
#include "markup/ZPMarkupValues.h"

#include "markup/ZPMarkupConverters.h"
#include "markup/ZPMarkupParser.h"

#include <math.h>
#include <string.h>

namespace
{
// The shared instance in holder, made at first use and held until process exit; the caller gets
// a reference of its own.
template <class T, class... Args> T* SharedValue(CRefPtr<CZPMarkupObject>& holder, Args... args)
{
    if (!holder)
        holder = CRefPtr<CZPMarkupObject>::Adopt(new T(args...));
    holder->AddRef();
    return static_cast<T*>(holder.Get());
}

BOOL IsCWhite(WCHAR ch)
{
    return ch == L' ' || (ch >= 9 && ch <= 13);
}

int Saturate(long long nValue, BOOL bNegative)
{
    if (nValue > kZpMarkupIntTextMax)
        nValue = kZpMarkupIntTextMax;
    return static_cast<int>(bNegative ? -nValue : nValue);
}

// Digits in a base, accumulated without overflow; the magnitude stops growing past the limit.
long long ReadDigits(LPCWSTR& p, int nBase, BOOL& bAny)
{
    long long nValue = 0;
    bAny = FALSE;
    for (int d; (d = ZpMarkupHexDigit(*p)) >= 0 && d < nBase; p++)
    {
        bAny = TRUE;
        if (nValue <= kZpMarkupIntTextMax)
            nValue = nValue * nBase + d;
    }
    return nValue;
}

// One integer the way "%i" reads it: white space, sign, "0x" hexadecimal, leading 0 octal.
BOOL ReadCInteger(LPCWSTR& p, int& nValue)
{
    while (IsCWhite(*p))
        p++;
    BOOL bNegative = FALSE;
    if (*p == L'-' || *p == L'+')
        bNegative = *p++ == L'-';
    BOOL bAny = FALSE;
    long long n = 0;
    if (p[0] == L'0' && (p[1] == L'x' || p[1] == L'X') && ZpMarkupHexDigit(p[2]) >= 0)
    {
        p += 2;
        n = ReadDigits(p, 16, bAny);
    }
    else if (p[0] == L'0')
        n = ReadDigits(p, 8, bAny);
    else
        n = ReadDigits(p, 10, bAny);
    if (!bAny)
        return FALSE;
    nValue = Saturate(n, bNegative);
    return TRUE;
}

// 2^53: every integer below it is exact in a double.
const double kMaxExactMantissa = 9007199254740992.0;

BOOL ReadHexPair(LPCWSTR p, DWORD& dwByte)
{
    const int nHigh = ZpMarkupHexDigit(p[0]), nLow = ZpMarkupHexDigit(p[1]);
    if (nHigh < 0 || nLow < 0)
        return FALSE;
    dwByte = static_cast<DWORD>(nHigh * 16 + nLow);
    return TRUE;
}
}

int ZpMarkupReadInt(LPCWSTR lpszText)
{
    if (lpszText == NULL)
        return 0;
    LPCWSTR p = lpszText;
    while (IsCWhite(*p))
        p++;
    BOOL bNegative = FALSE;
    if (*p == L'-' || *p == L'+')
        bNegative = *p++ == L'-';
    BOOL bAny;
    return Saturate(ReadDigits(p, 10, bAny), bNegative);
}

BOOL ZpMarkupReadNumber(LPCWSTR& lpszText, double& dValue, WCHAR chSeparator, BOOL bWhole)
{
    LPCWSTR p = lpszText;
    if (p == NULL)
        return FALSE;
    while (*p == L' ')
        p++;
    BOOL bNegative = FALSE;
    if (*p == L'-' || *p == L'+')
        bNegative = *p++ == L'-';
    // Digits gather into one mantissa divided once by the power of ten of the fraction digits:
    // exact for every text whose digits fit in a double, and the same in every build.
    double dMantissa = 0, dDivisor = 1;
    BOOL bFraction = FALSE, bDigits = FALSE;
    for (; *p != 0 && *p != L' ' && (chSeparator == 0 || *p != chSeparator); p++)
    {
        if (*p >= L'0' && *p <= L'9')
        {
            bDigits = TRUE;
            // Fraction digits past what a double holds change nothing.
            if (bFraction && dMantissa >= kMaxExactMantissa)
                continue;
            dMantissa = dMantissa * 10 + (*p - L'0');
            if (bFraction)
                dDivisor *= 10;
        }
        else if (*p == L'.' && !bFraction)
            bFraction = TRUE;
        else
            return FALSE;
    }
    if (!bDigits || !isfinite(dMantissa))
        return FALSE;
    const double dResult = isfinite(dDivisor) ? dMantissa / dDivisor : 0;
    if (*p == L' ')
    {
        while (*p == L' ')
            p++;
    }
    if (chSeparator != 0 && *p == chSeparator)
        p++;
    while (*p == L' ')
        p++;
    if (bWhole && *p != 0)
        return FALSE;
    dValue = bNegative ? -dResult : dResult;
    lpszText = p;
    return TRUE;
}

BOOL ZpMarkupParseColor(LPCWSTR lpszText, DWORD& dwValue)
{
    if (lpszText == NULL)
        return FALSE;
    if (lpszText[0] != L'#')
    {
        COLORREF clr;
        if (!ZpMarkupLookupNamedColor(lpszText, clr))
            return FALSE;
        dwValue = 0xFF000000 | clr;
        return TRUE;
    }
    // Exactly two hexadecimal digits per channel: no sign, blank or short field is a digit pair.
    DWORD dwPairs[4];
    const size_t nLength = wcslen(lpszText);
    const int nPairs = nLength == 7 ? 3 : nLength == 9 ? 4 : 0;
    if (nPairs == 0)
        return FALSE;
    for (int i = 0; i < nPairs; i++)
    {
        if (!ReadHexPair(lpszText + 1 + 2 * i, dwPairs[i]))
            return FALSE;
    }
    const DWORD* pRGB = nPairs == 4 ? dwPairs + 1 : dwPairs;
    const DWORD dwAlpha = nPairs == 4 ? dwPairs[0] : 0xFF;
    dwValue = (dwAlpha << 24) | RGB(pRGB[0], pRGB[1], pRGB[2]);
    return TRUE;
}

void ZpMarkupDeflateRect(RECT& rc, int nLeft, int nTop, int nRight, int nBottom, const CZPMarkupThickness* pThickness)
{
    rc.left = nLeft;
    rc.top = nTop;
    rc.right = nRight;
    rc.bottom = nBottom;
    if (pThickness == NULL)
        return;
    auto clamp = [](long long n) { return static_cast<LONG>(n > INT_MAX ? INT_MAX : n < INT_MIN ? INT_MIN : n); };
    const long long l = static_cast<long long>(nLeft) + pThickness->m_nLeft;
    const long long t = static_cast<long long>(nTop) + pThickness->m_nTop;
    const long long r = static_cast<long long>(nRight) - pThickness->m_nRight;
    const long long b = static_cast<long long>(nBottom) - pThickness->m_nBottom;
    rc.left = clamp(l);
    rc.top = clamp(t);
    rc.right = clamp(r - l < 0 ? l : r);
    rc.bottom = clamp(b - t < 0 ? t : b);
}

// ---------------------------------------------------------------------------------------------

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupThickness, NULL, CZPMarkupObject, NULL)

CZPMarkupThickness::CZPMarkupThickness(int nAll) : m_nLeft(nAll), m_nTop(nAll), m_nRight(nAll), m_nBottom(nAll)
{
}

CZPMarkupThickness::CZPMarkupThickness(int nLeft, int nTop, int nRight, int nBottom)
    : m_nLeft(nLeft), m_nTop(nTop), m_nRight(nRight), m_nBottom(nBottom)
{
}

BOOL CZPMarkupThickness::IsEqual(const CZPMarkupObject* pOther) const
{
    if (pOther == NULL || pOther->GetType() != GetClassType())
        return FALSE;
    const CZPMarkupThickness* p = static_cast<const CZPMarkupThickness*>(pOther);
    return p->m_nLeft == m_nLeft && p->m_nTop == m_nTop && p->m_nRight == m_nRight && p->m_nBottom == m_nBottom;
}

CZPMarkupObject* CZPMarkupThickness::ConvertFrom(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* pValue)
{
    CZPMarkupString* pString = ZpMarkupCast<CZPMarkupString>(pValue);
    if (pString == NULL)
        return NULL;
    LPCWSTR p = pString->GetText();
    if (wcschr(p, L',') == NULL)
        return new CZPMarkupThickness(ZpMarkupReadInt(p));
    // "%i, %i, %i, %i": a comma right after each number, any white space before the next.
    int n[4];
    for (int i = 0; i < 4; i++)
    {
        if (i > 0 && *p++ != L',')
            return NULL;
        if (!ReadCInteger(p, n[i]))
            return NULL;
    }
    return new CZPMarkupThickness(n[0], n[1], n[2], n[3]);
}

CZPMarkupThickness* CZPMarkupThickness::CreateZeroValue()
{
    static CRefPtr<CZPMarkupObject> s_zero;
    return SharedValue<CZPMarkupThickness>(s_zero, 0);
}

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupInt, NULL, CZPMarkupObject, NULL)

BOOL CZPMarkupInt::IsEqual(const CZPMarkupObject* pOther) const
{
    return pOther != NULL && pOther->GetType() == GetClassType() &&
           static_cast<const CZPMarkupInt*>(pOther)->m_nValue == m_nValue;
}

CZPMarkupObject* CZPMarkupInt::ConvertFrom(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* pValue)
{
    CZPMarkupString* pString = ZpMarkupCast<CZPMarkupString>(pValue);
    return pString != NULL ? new CZPMarkupInt(ZpMarkupReadInt(pString->GetText())) : NULL;
}

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupDouble, NULL, CZPMarkupObject, NULL)

BOOL CZPMarkupDouble::IsEqual(const CZPMarkupObject* pOther) const
{
    return pOther != NULL && pOther->GetType() == GetClassType() &&
           static_cast<const CZPMarkupDouble*>(pOther)->m_dValue == m_dValue;
}

CZPMarkupObject* CZPMarkupDouble::ConvertFrom(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* pValue)
{
    CZPMarkupString* pString = ZpMarkupCast<CZPMarkupString>(pValue);
    if (pString == NULL)
        return NULL;
    LPCWSTR p = pString->GetText();
    double d;
    return ZpMarkupReadNumber(p, d, 0, TRUE) ? new CZPMarkupDouble(d) : NULL;
}

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupEnum, NULL, CZPMarkupObject, NULL)

BOOL CZPMarkupEnum::IsEqual(const CZPMarkupObject* pOther) const
{
    return pOther != NULL && pOther->GetType() == GetClassType() &&
           static_cast<const CZPMarkupEnum*>(pOther)->m_nValue == m_nValue;
}

CZPMarkupEnum* CZPMarkupEnum::CreateValue(int nValue)
{
    const int kSharedValues = 8;
    static CRefPtr<CZPMarkupObject> s_values[kSharedValues];
    if (nValue < 0 || nValue >= kSharedValues)
        return new CZPMarkupEnum(nValue);
    return SharedValue<CZPMarkupEnum>(s_values[nValue], nValue);
}

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupBool, NULL, CZPMarkupObject, NULL)

UINT CZPMarkupBool::GetHashCode() const
{
    return m_bValue ? 1 : 0;
}

BOOL CZPMarkupBool::IsEqual(const CZPMarkupObject* pOther) const
{
    return pOther != NULL && pOther->GetType() == GetClassType() &&
           static_cast<const CZPMarkupBool*>(pOther)->m_bValue == m_bValue;
}

CZPMarkupObject* CZPMarkupBool::ConvertFrom(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* pValue)
{
    CZPMarkupString* pString = ZpMarkupCast<CZPMarkupString>(pValue);
    if (pString == NULL)
        return NULL;
    if (lstrcmpiW(pString->GetText(), L"True") == 0)
        return CreateTrueValue();
    if (lstrcmpiW(pString->GetText(), L"False") == 0)
        return CreateFalseValue();
    return NULL;
}

CZPMarkupBool* CZPMarkupBool::CreateTrueValue()
{
    static CRefPtr<CZPMarkupObject> s_true;
    return SharedValue<CZPMarkupBool>(s_true, TRUE);
}

CZPMarkupBool* CZPMarkupBool::CreateFalseValue()
{
    static CRefPtr<CZPMarkupObject> s_false;
    return SharedValue<CZPMarkupBool>(s_false, FALSE);
}

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupColor, L"Color", CZPMarkupObject, NULL)

BOOL CZPMarkupColor::IsEqual(const CZPMarkupObject* pOther) const
{
    return pOther != NULL && pOther->GetType() == GetClassType() &&
           static_cast<const CZPMarkupColor*>(pOther)->m_dwValue == m_dwValue;
}

CZPMarkupObject* CZPMarkupColor::ConvertFrom(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* pValue)
{
    CZPMarkupString* pString = ZpMarkupCast<CZPMarkupString>(pValue);
    DWORD dwValue;
    if (pString == NULL || !ZpMarkupParseColor(pString->GetText(), dwValue))
        return NULL;
    CZPMarkupColor* pColor = new CZPMarkupColor;
    pColor->m_dwValue = dwValue;
    return pColor;
}

void CZPMarkupColor::SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent)
{
    CZPMarkupString* pString = ZpMarkupCast<CZPMarkupString>(pContent);
    DWORD dwValue;
    if (pString != NULL && ZpMarkupParseColor(pString->GetText(), dwValue))
    {
        m_dwValue = dwValue;
        pContent->Release();
        return;
    }
    CZPMarkupObject::SetContentObject(pBuilder, pContent);
}

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupString, NULL, CZPMarkupObject, NULL)

CZPMarkupString::CZPMarkupString(LPCWSTR lpszText, int nLength) : m_pszText(NULL), m_nLength(0)
{
    if (lpszText != NULL)
        m_nLength = nLength < 0 ? static_cast<int>(wcslen(lpszText)) : nLength;
    m_pszText = new WCHAR[static_cast<size_t>(m_nLength) + 1];
    if (lpszText != NULL && m_nLength > 0)
        memcpy(m_pszText, lpszText, static_cast<size_t>(m_nLength) * sizeof(WCHAR));
    m_pszText[m_nLength] = 0;
}

CZPMarkupString::~CZPMarkupString()
{
    delete[] m_pszText;
}

UINT CZPMarkupString::GetHashCode() const
{
    UINT nHash = 0;
    for (int i = 0; i < m_nLength; i++)
        nHash = nHash * 33 + m_pszText[i];
    return nHash;
}

BOOL CZPMarkupString::IsEqual(const CZPMarkupObject* pOther) const
{
    if (pOther == NULL || pOther->GetType() != GetClassType())
        return FALSE;
    const CZPMarkupString* p = static_cast<const CZPMarkupString*>(pOther);
    return p->m_nLength == m_nLength &&
           memcmp(p->m_pszText, m_pszText, static_cast<size_t>(m_nLength) * sizeof(WCHAR)) == 0;
}

CZPMarkupString* CZPMarkupString::CreateValue(LPCWSTR lpszText, int nLength)
{
    if (lpszText == NULL || nLength == 0 || lpszText[0] == 0)
    {
        static CRefPtr<CZPMarkupObject> s_empty;
        return SharedValue<CZPMarkupString>(s_empty, L"", 0);
    }
    if (nLength == 1 || (nLength < 0 && lpszText[1] == 0))
    {
        if (lpszText[0] == L' ')
        {
            static CRefPtr<CZPMarkupObject> s_blank;
            return SharedValue<CZPMarkupString>(s_blank, L" ", 1);
        }
        if (lpszText[0] == L'\n')
        {
            static CRefPtr<CZPMarkupObject> s_lineFeed;
            return SharedValue<CZPMarkupString>(s_lineFeed, L"\n", 1);
        }
    }
    return new CZPMarkupString(lpszText, nLength);
}
