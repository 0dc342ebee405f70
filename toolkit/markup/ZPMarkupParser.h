// The lexical reader of markup text: a pull tokenizer over UTF-16 text that splits it into tags,
// attributes, words, white space, comments, CDATA sections and processing instructions.
#pragma once

#include "common/ZPPortableTypes.h"

#include <vector>

// The value of a hexadecimal digit, or -1.
int ZpMarkupHexDigit(WCHAR ch);

class CZPMarkupParser
{
public:
    enum
    {
        tokenError = -1,
        tokenEnd = 0,
        tokenStartTag = 1,
        tokenEndTag = 2,
        tokenAttribute = 3,
        tokenWord = 4,
        tokenSpace = 5,
        tokenData = 6,
        tokenCommentStart = 7,
        tokenCommentEnd = 8,
        tokenCDataStart = 9,
        tokenCDataEnd = 10,
        tokenProcessingInstructionStart = 11,
        tokenProcessingInstructionEnd = 12,
    };

    CZPMarkupParser();
    virtual ~CZPMarkupParser();

    // The text stays the caller's and must outlive the parse.
    void SetBuffer(LPCWSTR lpszBegin, LPCWSTR lpszEnd);
    // Skips white space; TRUE when the first other character is "<".
    BOOL FindFirstTag();
    int GetNextToken();

    // Valid until the next GetNextToken.
    LPCWSTR GetValue();
    LPCWSTR GetTagName();
    LPCWSTR GetAttributeName();
    int GetValueLength() const { return m_nValueLength; }

    int GetLine() const { return m_nLine; }
    int GetPosition() const { return m_nPosition; }

    // The code point of a reference other than the five named ones (the characters between
    // "&" and ";"), or 0 when it does not resolve. Numeric references here.
    virtual UINT ResolveEntity(LPCWSTR lpszName, int nLength);

private:
    typedef int (CZPMarkupParser::*PFNSCANNER)();

    CZPMarkupParser(const CZPMarkupParser&) = delete;
    CZPMarkupParser& operator=(const CZPMarkupParser&) = delete;

    WCHAR ReadChar();
    WCHAR GetChar();
    void PushBack(WCHAR ch) { m_chPushedBack = ch; }
    WCHAR SkipWhiteSpace();
    void AppendValue(WCHAR ch);
    void AppendCodePoint(UINT nCodePoint);
    void AppendReference();
    int ReportError(LPCWSTR lpszMessage);

    int ScanContent();
    int ScanTag();
    int ScanAttributes();
    int ScanSection(LPCWSTR lpszTerminator, int nTerminator, BOOL bDropWhiteSpace, int nEndToken);
    int ScanComment();
    int ScanCData();
    int ScanProcessingInstruction();

    static const int kNameCapacity = 128;

    PFNSCANNER m_pfnScanner;
    std::vector<WCHAR> m_value; // capacity doubles from 1024 characters, bounded by the input
    int m_nValueLength;
    WCHAR m_szTagName[kNameCapacity];
    int m_nTagNameLength;
    WCHAR m_szAttributeName[kNameCapacity];
    int m_nAttributeNameLength;
    WCHAR m_chPushedBack; // 0 when none
    BOOL m_bSectionEnd;
    // Characters that may begin a section terminator, carried from a full chunk into the next.
    WCHAR m_szCarry[2];
    int m_nCarry;
    int m_nLine;
    int m_nPosition;
    BOOL m_bAfterCR; // an LF right after a CR ends no further line
    LPCWSTR m_pEnd;  // borrowed
    LPCWSTR m_pRead; // borrowed
};
