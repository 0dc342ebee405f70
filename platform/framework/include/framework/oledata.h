// Automation value types: date-time (DATE + status), currency and VARIANT, with their archive records.
#pragma once

#include <framework/archive.h>
#include <framework/string.h>

#include <oleauto.h>

// A DATE counts days from 30 December 1899; its fraction is the time of day. Before that day the
// whole part is negative while the time still counts forward: -1.25 is 29 December 1899, 06:00.
// The layout (DATE first, then a 32-bit status) is relied on by callers that treat it as raw bytes.
class COleDateTime
{
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTime() : m_dt(0), m_status(valid) {}
    // Invalid when the DATE lies outside 1 January 100 .. 31 December 9999 23:59:59.
    COleDateTime(DATE dtSrc) { *this = dtSrc; }
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
    {
        SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
    }

    COleDateTime& operator=(DATE dtSrc);
    operator DATE() const { return m_dt; }

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }

    // 0 and status valid on success; 1 and status invalid (DATE 0) for a value outside the
    // calendar (month 13, 30 February, hour 24, year before 100 or after 9999 ...).
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    int SetDate(int nYear, int nMonth, int nDay) { return SetDateTime(nYear, nMonth, nDay, 0, 0, 0); }
    // The time on day 0 (30 December 1899).
    int SetTime(int nHour, int nMin, int nSec) { return SetDateTime(1899, 12, 30, nHour, nMin, nSec); }

    // Calendar fields, to the nearest second; -1 when the value is not a valid date.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;

    // %Y (four digits), %m, %d, %H, %M, %S (two digits) and %% are replaced; anything else is
    // copied. A null date gives the empty text, an invalid one "Invalid DateTime".
    CString Format(LPCWSTR pszFormat) const;

    DATE m_dt;
    DateTimeStatus m_status;
};

// Currency: a 64-bit integer of ten-thousandths.
class COleCurrency
{
public:
    enum CurrencyStatus { valid = 0, invalid = 1, null = 2 };

    COleCurrency() : m_status(valid) { m_cur.int64 = 0; }
    COleCurrency(CURRENCY cySrc) : m_cur(cySrc), m_status(valid) {}

    operator CURRENCY() const { return m_cur; }
    CurrencyStatus GetStatus() const { return m_status; }
    void SetStatus(CurrencyStatus status) { m_status = status; }

    CURRENCY m_cur;
    CurrencyStatus m_status;
};

// A VARIANT that owns its contents (cleared on destruction). Allocation failures raise the memory
// exception, failed copies and conversions the OLE exception with the system's code.
class COleVariant : public tagVARIANT
{
public:
    COleVariant() { VariantInit(this); }
    COleVariant(const VARIANT& varSrc);
    COleVariant(const COleVariant& varSrc);
    COleVariant(LPCWSTR pszSrc);                 // VT_BSTR
    COleVariant(long lSrc, VARTYPE vtSrc = VT_I4);   // VT_I4, VT_ERROR or VT_BOOL
    COleVariant(double dblSrc);                  // VT_R8
    // VT_DATE; a null date gives VT_NULL, an invalid one the invalid-argument exception.
    COleVariant(const COleDateTime& dateSrc);
    ~COleVariant();

    COleVariant& operator=(const VARIANT& varSrc);
    COleVariant& operator=(const COleVariant& varSrc) { return *this = static_cast<const VARIANT&>(varSrc); }

    // Same type and same value; strings compare exactly, by length and characters.
    bool operator==(const VARIANT& varSrc) const;
    bool operator!=(const VARIANT& varSrc) const { return !(*this == varSrc); }

    void Clear();
    // Converts pSrc (this variant when NULL) into this one, neutral locale, no flags.
    void ChangeType(VARTYPE vartype, LPVARIANT pSrc = NULL);

    operator LPVARIANT() { return this; }
    operator const VARIANT*() const { return this; }
};

// Date: 32-bit status, then the 64-bit DATE. A status other than valid, invalid or null is damage.
CArchive& operator<<(CArchive& ar, const COleDateTime& dateSrc);
CArchive& operator>>(CArchive& ar, COleDateTime& dateSrc);
// Currency: the low 32 bits, then the high 32 bits; the record has no status (loads as valid).
CArchive& operator<<(CArchive& ar, const COleCurrency& curSrc);
CArchive& operator>>(CArchive& ar, COleCurrency& curSrc);
// Variant: 16-bit VARTYPE, then the value in its natural width (a string as a string record).
// Empty, null, the integer, real, boolean, error, currency, date and string types are archived;
// storing any other type raises the OLE exception DISP_E_BADVARTYPE, loading one the archive exception.
CArchive& operator<<(CArchive& ar, const COleVariant& varSrc);
CArchive& operator>>(CArchive& ar, COleVariant& varSrc);
