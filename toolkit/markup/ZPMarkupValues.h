// The basic property values: thickness, integer, double, enumeration, boolean, colour and string,
// their text forms and the shared instances of the common ones.
#pragma once

#include "markup/ZPMarkupObject.h"

// Largest integer read from text: 2147483647 stands for "Auto" (unbounded), so text never reaches it.
const int kZpMarkupAutoLength = 2147483647;
const int kZpMarkupIntTextMax = kZpMarkupAutoLength - 1;

class CZPMarkupThickness : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    explicit CZPMarkupThickness(int nAll = 0);
    CZPMarkupThickness(int nLeft, int nTop, int nRight, int nBottom);

    BOOL IsEqual(const CZPMarkupObject* pOther) const override;
    CZPMarkupObject* ConvertFrom(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue) override;
    static CZPMarkupThickness* CreateZeroValue();

    int m_nLeft, m_nTop, m_nRight, m_nBottom; // device pixels
};

class CZPMarkupInt : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    explicit CZPMarkupInt(int nValue = 0) : m_nValue(nValue) {}

    BOOL IsEqual(const CZPMarkupObject* pOther) const override;
    CZPMarkupObject* ConvertFrom(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue) override;

    const int m_nValue;
};

class CZPMarkupDouble : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    explicit CZPMarkupDouble(double dValue = 0) : m_dValue(dValue) {}

    BOOL IsEqual(const CZPMarkupObject* pOther) const override;
    CZPMarkupObject* ConvertFrom(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue) override;

    const double m_dValue;
};

class CZPMarkupEnum : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    explicit CZPMarkupEnum(int nValue = 0) : m_nValue(nValue) {}

    BOOL IsEqual(const CZPMarkupObject* pOther) const override;
    // Shared instances for 0 to 7, a new one otherwise; always a reference for the caller.
    static CZPMarkupEnum* CreateValue(int nValue);

    const int m_nValue;
};

class CZPMarkupBool : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    explicit CZPMarkupBool(BOOL bValue = FALSE) : m_bValue(bValue) {}

    UINT GetHashCode() const override;
    BOOL IsEqual(const CZPMarkupObject* pOther) const override;
    CZPMarkupObject* ConvertFrom(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue) override;
    static CZPMarkupBool* CreateTrueValue();
    static CZPMarkupBool* CreateFalseValue();
    static CZPMarkupBool* CreateValue(BOOL bValue) { return bValue ? CreateTrueValue() : CreateFalseValue(); }

    const BOOL m_bValue;
};

class CZPMarkupColor : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    explicit CZPMarkupColor(COLORREF clr = 0) : m_dwValue(0xFF000000 | (clr & 0xFFFFFF)) {}
    CZPMarkupColor(BYTE nAlpha, COLORREF clr) : m_dwValue((static_cast<DWORD>(nAlpha) << 24) | (clr & 0xFFFFFF)) {}

    BOOL IsEqual(const CZPMarkupObject* pOther) const override;
    CZPMarkupObject* ConvertFrom(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue) override;
    void SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent) override;

    COLORREF GetColorRef() const { return m_dwValue & 0xFFFFFF; }
    BYTE GetAlpha() const { return static_cast<BYTE>(m_dwValue >> 24); }

    DWORD m_dwValue; // alpha in the top byte, then a COLORREF
};

class CZPMarkupString : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    // nLength -1: the whole NUL-terminated text; a NULL text gives the empty string.
    explicit CZPMarkupString(LPCWSTR lpszText = NULL, int nLength = -1);
    ~CZPMarkupString() override;

    UINT GetHashCode() const override;
    BOOL IsEqual(const CZPMarkupObject* pOther) const override;
    // The shared empty, blank and line-feed strings, or a new string; a reference for the caller.
    static CZPMarkupString* CreateValue(LPCWSTR lpszText, int nLength = -1);

    LPCWSTR GetText() const { return m_pszText; }
    int GetLength() const { return m_nLength; }

private:
    LPWSTR m_pszText; // owned
    int m_nLength;
};

// "#RRGGBB", "#AARRGGBB" or a colour name; the value carries alpha in the top byte.
BOOL ZpMarkupParseColor(LPCWSTR lpszText, DWORD& dwValue);
// Reads one number and moves the text pointer past it (and past a separator after it).
// No exponent: ".5" and "5." are numbers, "." is not. bWhole: nothing may follow.
BOOL ZpMarkupReadNumber(LPCWSTR& lpszText, double& dValue, WCHAR chSeparator, BOOL bWhole);
// Leading white space, optional sign, decimal digits; no digits read as 0. Saturates below Auto.
int ZpMarkupReadInt(LPCWSTR lpszText);
// The rectangle reduced by the thickness, never with a negative width or height.
void ZpMarkupDeflateRect(RECT& rc, int nLeft, int nTop, int nRight, int nBottom, const CZPMarkupThickness* pThickness);
