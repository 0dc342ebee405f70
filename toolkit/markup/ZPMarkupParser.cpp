// The markup tokenizer. Texts live in the parser's buffers and are overwritten by the next token.
#include "markup/ZPMarkupParser.h"

#include <wchar.h>

namespace
{
const int kInitialValueCapacity = 1024;
const int kChunkLength = 1023; // data chunks and error messages
const int kMaxNameLength = 127;
const int kMaxReferenceLength = 31;
const UINT kMaxCodePoint = 0x10FFFF;
const UINT kFirstSurrogate = 0xD800, kLastSurrogate = 0xDFFF;

const WCHAR g_szEndOfFile[] = L"Unexpected end of file has occurred.";
const WCHAR g_szExpectedGreater[] = L"Unexpected token. The expected token is '>'";
const WCHAR g_szGreaterBeforeEquals[] = L"'>' is an unexpected token. The expected token is '='";
const WCHAR g_szLessBeforeEquals[] = L"'<' is an unexpected token. The expected token is '='";
const WCHAR g_szExpectedEquals[] = L"Unexpected token. The expected token is '='";
const WCHAR g_szExpectedQuote[] = L"Unexpected token. The expected token is '\"' or '''";

inline BOOL IsWhiteSpace(WCHAR ch)
{
    return ch == 9 || ch == 10 || ch == 12 || ch == 13 || ch == 32;
}

// A reference ends at the first character no entity name or number can hold, so a bare "&"
// takes nothing from the text after it.
BOOL IsReferenceChar(WCHAR ch)
{
    return (ch >= L'a' && ch <= L'z') || (ch >= L'A' && ch <= L'Z') || (ch >= L'0' && ch <= L'9') || ch == L'#' ||
           ch == L'_' || ch == L'-' || ch == L'+' || ch == L'.' || ch == L':' || ch >= 0x80;
}

// Digits of the base up to the first other character; a value past the largest code point stops growing.
UINT ReadCodePointDigits(LPCWSTR p, LPCWSTR pEnd, UINT nBase, BOOL& bAny)
{
    UINT nValue = 0;
    bAny = FALSE;
    for (int d; p < pEnd && (d = ZpMarkupHexDigit(*p)) >= 0 && static_cast<UINT>(d) < nBase; p++)
    {
        bAny = TRUE;
        if (nValue <= kMaxCodePoint)
            nValue = nValue * nBase + static_cast<UINT>(d);
    }
    return nValue;
}

BOOL IsValidCodePoint(UINT nCodePoint)
{
    return nCodePoint != 0 && nCodePoint <= kMaxCodePoint &&
           (nCodePoint < kFirstSurrogate || nCodePoint > kLastSurrogate);
}

struct ZP_NAMEDREFERENCE
{
    LPCWSTR lpszName;
    int nLength;
    WCHAR ch;
};
const ZP_NAMEDREFERENCE g_namedReferences[] = {
    {L"gt", 2, L'>'}, {L"lt", 2, L'<'}, {L"amp", 3, L'&'}, {L"apos", 4, L'\''}, {L"quot", 4, L'"'},
};
}

int ZpMarkupHexDigit(WCHAR ch)
{
    if (ch >= L'0' && ch <= L'9')
        return ch - L'0';
    if (ch >= L'a' && ch <= L'f')
        return ch - L'a' + 10;
    if (ch >= L'A' && ch <= L'F')
        return ch - L'A' + 10;
    return -1;
}

CZPMarkupParser::CZPMarkupParser()
    : m_pfnScanner(&CZPMarkupParser::ScanContent), m_value(kInitialValueCapacity), m_nValueLength(0),
      m_nTagNameLength(0), m_nAttributeNameLength(0), m_chPushedBack(0), m_bSectionEnd(FALSE), m_nCarry(0), m_nLine(0),
      m_nPosition(0), m_bAfterCR(FALSE), m_pEnd(NULL), m_pRead(NULL)
{
    m_szTagName[0] = 0;
    m_szAttributeName[0] = 0;
}

CZPMarkupParser::~CZPMarkupParser()
{
}

void CZPMarkupParser::SetBuffer(LPCWSTR lpszBegin, LPCWSTR lpszEnd)
{
    m_pRead = lpszBegin;
    m_pEnd = lpszBegin != NULL && lpszEnd > lpszBegin ? lpszEnd : lpszBegin;
}

inline WCHAR CZPMarkupParser::ReadChar()
{
    if (m_pRead >= m_pEnd)
        return 0;
    const WCHAR ch = *m_pRead++;
    if (ch == 13)
    {
        m_nLine++;
        m_nPosition = 0;
        m_bAfterCR = TRUE;
    }
    else if (ch == 10)
    {
        if (!m_bAfterCR)
            m_nLine++;
        m_nPosition = 0;
        m_bAfterCR = FALSE;
    }
    else
    {
        m_nPosition++;
        m_bAfterCR = FALSE;
    }
    return ch;
}

inline WCHAR CZPMarkupParser::GetChar()
{
    if (m_chPushedBack != 0)
    {
        const WCHAR ch = m_chPushedBack;
        m_chPushedBack = 0;
        return ch;
    }
    return ReadChar();
}

WCHAR CZPMarkupParser::SkipWhiteSpace()
{
    WCHAR ch = GetChar();
    while (IsWhiteSpace(ch))
        ch = GetChar();
    return ch;
}

inline void CZPMarkupParser::AppendValue(WCHAR ch)
{
    if (m_nValueLength >= static_cast<int>(m_value.size()) - 1)
        m_value.resize(m_value.size() * 2);
    m_value[static_cast<size_t>(m_nValueLength++)] = ch;
}

void CZPMarkupParser::AppendCodePoint(UINT nCodePoint)
{
    if (nCodePoint > 0xFFFF)
    {
        nCodePoint -= 0x10000;
        AppendValue(static_cast<WCHAR>(kFirstSurrogate + (nCodePoint >> 10)));
        AppendValue(static_cast<WCHAR>(0xDC00 + (nCodePoint & 0x3FF)));
    }
    else
        AppendValue(static_cast<WCHAR>(nCodePoint));
}

int CZPMarkupParser::ReportError(LPCWSTR lpszMessage)
{
    m_nValueLength = 0;
    for (; *lpszMessage != 0 && m_nValueLength < kChunkLength; lpszMessage++)
        AppendValue(*lpszMessage);
    return tokenError;
}

LPCWSTR CZPMarkupParser::GetValue()
{
    m_value[static_cast<size_t>(m_nValueLength)] = 0;
    return m_value.data();
}

LPCWSTR CZPMarkupParser::GetTagName()
{
    m_szTagName[m_nTagNameLength] = 0;
    return m_szTagName;
}

LPCWSTR CZPMarkupParser::GetAttributeName()
{
    m_szAttributeName[m_nAttributeNameLength] = 0;
    return m_szAttributeName;
}

BOOL CZPMarkupParser::FindFirstTag()
{
    const WCHAR ch = SkipWhiteSpace();
    if (ch != L'<')
        return FALSE;
    PushBack(ch);
    return TRUE;
}

int CZPMarkupParser::GetNextToken()
{
    return (this->*m_pfnScanner)();
}

UINT CZPMarkupParser::ResolveEntity(LPCWSTR lpszName, int nLength)
{
    if (lpszName == NULL || nLength < 2 || lpszName[0] != L'#')
        return 0;
    LPCWSTR p = lpszName + 1;
    LPCWSTR pEnd = lpszName + nLength;
    BOOL bAny = FALSE;
    UINT nValue;
    if (p[0] == L'x' && nLength > 2)
        nValue = ReadCodePointDigits(p + 1, pEnd, 16, bAny);
    else
    {
        // As "%i" reads: a sign, then "0x" hexadecimal, a leading 0 octal, or decimal.
        BOOL bNegative = FALSE;
        if (p < pEnd && (*p == L'-' || *p == L'+'))
            bNegative = *p++ == L'-';
        if (pEnd - p > 2 && p[0] == L'0' && (p[1] == L'x' || p[1] == L'X') && ZpMarkupHexDigit(p[2]) >= 0)
            nValue = ReadCodePointDigits(p + 2, pEnd, 16, bAny);
        else if (p < pEnd && p[0] == L'0')
            nValue = ReadCodePointDigits(p, pEnd, 8, bAny);
        else
            nValue = ReadCodePointDigits(p, pEnd, 10, bAny);
        if (bNegative && nValue != 0)
            return 0;
    }
    return bAny ? nValue : 0;
}

void CZPMarkupParser::AppendReference()
{
    WCHAR szName[kMaxReferenceLength + 1];
    int nLength = 0;
    BOOL bTerminated = FALSE;
    for (;;)
    {
        const WCHAR ch = GetChar();
        if (ch == L';')
        {
            bTerminated = TRUE;
            break;
        }
        if (ch == 0)
            break;
        if (!IsReferenceChar(ch) || nLength == kMaxReferenceLength)
        {
            PushBack(ch);
            break;
        }
        szName[nLength++] = ch;
    }
    szName[nLength] = 0;
    if (bTerminated)
    {
        for (const ZP_NAMEDREFERENCE& ref : g_namedReferences)
        {
            if (ref.nLength == nLength && wmemcmp(ref.lpszName, szName, static_cast<size_t>(nLength)) == 0)
            {
                AppendValue(ref.ch);
                return;
            }
        }
        const UINT nCodePoint = ResolveEntity(szName, nLength);
        if (IsValidCodePoint(nCodePoint))
        {
            AppendCodePoint(nCodePoint);
            return;
        }
    }
    // Not a reference this parser resolves: the text stays as it was written.
    AppendValue(L'&');
    for (int i = 0; i < nLength; i++)
        AppendValue(szName[i]);
    if (bTerminated)
        AppendValue(L';');
}

int CZPMarkupParser::ScanContent()
{
    m_nValueLength = 0;
    WCHAR ch = GetChar();
    if (ch == 0)
        return tokenEnd;
    if (ch == L'<')
        return ScanTag();
    BOOL bWhite = FALSE;
    if (ch == L'&')
        AppendReference();
    else
    {
        bWhite = IsWhiteSpace(ch);
        AppendValue(ch);
    }
    for (;;)
    {
        ch = GetChar();
        if (ch == 0)
            break;
        if (ch == L'<' || ch == L'&' || IsWhiteSpace(ch) != bWhite)
        {
            PushBack(ch);
            break;
        }
        AppendValue(ch);
    }
    return bWhite ? tokenSpace : tokenWord;
}

int CZPMarkupParser::ScanTag()
{
    m_nTagNameLength = 0;
    WCHAR ch = GetChar();
    if (ch == L'?')
    {
        m_pfnScanner = &CZPMarkupParser::ScanProcessingInstruction;
        m_bSectionEnd = FALSE;
        m_nCarry = 0;
        return tokenProcessingInstructionStart;
    }
    const BOOL bEndTag = ch == L'/';
    if (bEndTag)
        ch = GetChar();
    for (;;)
    {
        if (ch == 0)
            return ReportError(g_szEndOfFile);
        if (IsWhiteSpace(ch))
        {
            ch = SkipWhiteSpace();
            break;
        }
        if (ch == L'/' || ch == L'>')
            break;
        if (m_nTagNameLength < kMaxNameLength)
        {
            m_szTagName[m_nTagNameLength++] = ch;
            if (m_nTagNameLength == 3 && wmemcmp(m_szTagName, L"!--", 3) == 0)
            {
                m_pfnScanner = &CZPMarkupParser::ScanComment;
                m_bSectionEnd = FALSE;
                m_nCarry = 0;
                return tokenCommentStart;
            }
            if (m_nTagNameLength == 8 && wmemcmp(m_szTagName, L"![CDATA[", 8) == 0)
            {
                m_pfnScanner = &CZPMarkupParser::ScanCData;
                m_bSectionEnd = FALSE;
                m_nCarry = 0;
                return tokenCDataStart;
            }
        }
        ch = GetChar();
    }
    if (bEndTag)
    {
        if (ch == L'>')
            return tokenEndTag;
        return ReportError(ch == 0 ? g_szEndOfFile : g_szExpectedGreater);
    }
    // At the end of the text the attribute list answers the end.
    if (ch != 0)
        PushBack(ch);
    m_pfnScanner = &CZPMarkupParser::ScanAttributes;
    return tokenStartTag;
}

int CZPMarkupParser::ScanAttributes()
{
    WCHAR ch = SkipWhiteSpace();
    if (ch == L'>')
    {
        m_pfnScanner = &CZPMarkupParser::ScanContent;
        return ScanContent();
    }
    if (ch == L'/')
    {
        const WCHAR chNext = GetChar();
        if (chNext == L'>')
        {
            m_pfnScanner = &CZPMarkupParser::ScanContent;
            return tokenEndTag;
        }
        if (chNext != 0)
            PushBack(chNext);
        return ReportError(g_szExpectedGreater);
    }
    m_nAttributeNameLength = 0;
    m_nValueLength = 0;
    for (;;)
    {
        if (ch == 0)
            return tokenEnd;
        if (ch == L'=')
            break;
        if (ch == L'>')
            return ReportError(g_szGreaterBeforeEquals);
        if (ch == L'<')
            return ReportError(g_szLessBeforeEquals);
        if (IsWhiteSpace(ch))
        {
            ch = SkipWhiteSpace();
            if (ch == L'=')
                break;
            return ch == 0 ? tokenEnd : ReportError(g_szExpectedEquals);
        }
        if (m_nAttributeNameLength < kMaxNameLength)
            m_szAttributeName[m_nAttributeNameLength++] = ch;
        ch = GetChar();
    }
    const WCHAR chQuote = SkipWhiteSpace();
    if (chQuote != L'"' && chQuote != L'\'')
        return ReportError(g_szExpectedQuote);
    // Verbatim: no references resolved, no white space normalised.
    for (;;)
    {
        ch = GetChar();
        if (ch == chQuote)
            return tokenAttribute;
        if (ch == 0)
            return ReportError(g_szExpectedQuote);
        AppendValue(ch);
    }
}

int CZPMarkupParser::ScanSection(LPCWSTR lpszTerminator, int nTerminator, BOOL bDropWhiteSpace, int nEndToken)
{
    if (m_bSectionEnd)
    {
        // The last chunk stays in the value buffer.
        m_bSectionEnd = FALSE;
        m_pfnScanner = &CZPMarkupParser::ScanContent;
        return nEndToken;
    }
    m_nValueLength = 0;
    for (int i = 0; i < m_nCarry; i++)
        AppendValue(m_szCarry[i]);
    m_nCarry = 0;
    for (;;)
    {
        if (m_nValueLength >= kChunkLength)
        {
            // A terminator may straddle two chunks: its possible beginning moves to the next one.
            for (int k = nTerminator - 1; k > 0; k--)
            {
                const WCHAR* pTail = &m_value[static_cast<size_t>(m_nValueLength - k)];
                if (wmemcmp(pTail, lpszTerminator, static_cast<size_t>(k)) == 0)
                {
                    wmemcpy(m_szCarry, pTail, static_cast<size_t>(k));
                    m_nCarry = k;
                    m_nValueLength -= k;
                    break;
                }
            }
            return tokenData;
        }
        const WCHAR ch = GetChar();
        if (ch == 0)
            return tokenEnd;
        if (bDropWhiteSpace && IsWhiteSpace(ch))
            continue;
        AppendValue(ch);
        if (ch == lpszTerminator[nTerminator - 1] && m_nValueLength >= nTerminator &&
            wmemcmp(&m_value[static_cast<size_t>(m_nValueLength - nTerminator)], lpszTerminator,
                    static_cast<size_t>(nTerminator)) == 0)
        {
            m_nValueLength -= nTerminator;
            m_bSectionEnd = TRUE;
            return tokenData;
        }
    }
}

int CZPMarkupParser::ScanComment()
{
    return ScanSection(L"-->", 3, FALSE, tokenCommentEnd);
}

int CZPMarkupParser::ScanCData()
{
    return ScanSection(L"]]>", 3, FALSE, tokenCDataEnd);
}

int CZPMarkupParser::ScanProcessingInstruction()
{
    return ScanSection(L"?>", 2, TRUE, tokenProcessingInstructionEnd);
}
