// Date-time, currency and variant values and their archive records.
#include <framework/oledata.h>
#include <framework/exceptions.h>

#include <math.h>
#include <stddef.h>
#include <string.h>

// Callers read a date-time as a DATE followed by a 32-bit status.
static_assert(sizeof(COleDateTime::DateTimeStatus) == 4 && offsetof(COleDateTime, m_status) == sizeof(DATE),
              "date-time layout");

namespace {

// Day numbers of 1 January 100 and 31 December 9999, the calendar's ends.
const long kMinDay = -657434;
const long kMaxDay = 2958465;
const long kSecondsPerDay = 86400;
// Days from 1 March of year 0 (proleptic Gregorian) to 30 December 1899, day 0 of a DATE.
const long kDayZero = 693899;

struct DateFields
{
    int nYear, nMonth, nDay, nHour, nMinute, nSecond;
};

BOOL IsLeapYear(int nYear)
{
    return (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
}

int DaysInMonth(int nYear, int nMonth)
{
    static const BYTE days[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return nMonth == 2 && IsLeapYear(nYear) ? 29 : days[nMonth - 1];
}

// Years counted from March so that the leap day ends a year; only years 100-9999 reach here.
long DayNumber(int nYear, int nMonth, int nDay)
{
    long y = nYear - (nMonth <= 2 ? 1 : 0);
    long m = nMonth <= 2 ? nMonth + 9 : nMonth - 3;
    long nDayOfYear = (153 * m + 2) / 5 + nDay - 1;
    return y * 365 + y / 4 - y / 100 + y / 400 + nDayOfYear - kDayZero;
}

void CalendarDate(long nDayNumber, DateFields& f)
{
    long nDays = nDayNumber + kDayZero;
    long nEra = nDays / 146097;
    long nDayOfEra = nDays - nEra * 146097;
    long nYearOfEra = (nDayOfEra - nDayOfEra / 1460 + nDayOfEra / 36524 - nDayOfEra / 146096) / 365;
    long nDayOfYear = nDayOfEra - (365 * nYearOfEra + nYearOfEra / 4 - nYearOfEra / 100);
    long m = (5 * nDayOfYear + 2) / 153;
    f.nDay = static_cast<int>(nDayOfYear - (153 * m + 2) / 5 + 1);
    f.nMonth = static_cast<int>(m < 10 ? m + 3 : m - 9);
    f.nYear = static_cast<int>(nYearOfEra + nEra * 400 + (f.nMonth <= 2 ? 1 : 0));
}

BOOL IsDateInRange(DATE dt)
{
    return dt > kMinDay - 1.0 && dt < kMaxDay + 1.0;   // false for NaN too
}

// To the nearest second; FALSE outside the calendar.
BOOL SplitDate(const COleDateTime& date, DateFields& f)
{
    if (date.GetStatus() != COleDateTime::valid || !IsDateInRange(date.m_dt))
        return FALSE;
    double dWhole = trunc(date.m_dt);
    long nDayNumber = static_cast<long>(dWhole);
    // The fraction is the time of day whatever the sign of the day.
    long nSeconds = static_cast<long>(floor(fabs(date.m_dt - dWhole) * kSecondsPerDay + 0.5));
    if (nSeconds >= kSecondsPerDay) {
        nSeconds -= kSecondsPerDay;
        ++nDayNumber;
    }
    if (nDayNumber > kMaxDay)
        return FALSE;
    CalendarDate(nDayNumber, f);
    f.nHour = static_cast<int>(nSeconds / 3600);
    f.nMinute = static_cast<int>(nSeconds / 60 % 60);
    f.nSecond = static_cast<int>(nSeconds % 60);
    return TRUE;
}

int DateField(const COleDateTime& date, int DateFields::*pField)
{
    DateFields f;
    return SplitDate(date, f) ? f.*pField : -1;
}

void CheckResult(HRESULT hr)
{
    if (hr == E_OUTOFMEMORY)
        AfxThrowMemoryException();
    if (FAILED(hr))
        AfxThrowOleException(hr);
}

// Hands the contents of a finished temporary over to the target, whose old contents are freed.
void MoveVariant(VARIANT& varDest, VARIANT& varSrc)
{
    VariantClear(&varDest);
    varDest = varSrc;
    VariantInit(&varSrc);
}

}  // namespace

// ---- COleDateTime ----

COleDateTime& COleDateTime::operator=(DATE dtSrc)
{
    m_dt = dtSrc;
    m_status = IsDateInRange(dtSrc) ? valid : invalid;
    return *this;
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    if (nYear < 100 || nYear > 9999 || nMonth < 1 || nMonth > 12 || nDay < 1 ||
        nDay > DaysInMonth(nYear, nMonth) || nHour < 0 || nHour > 23 || nMin < 0 || nMin > 59 ||
        nSec < 0 || nSec > 59) {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    long nDayNumber = DayNumber(nYear, nMonth, nDay);
    double dTime = (nHour * 3600L + nMin * 60L + nSec) / static_cast<double>(kSecondsPerDay);
    m_dt = nDayNumber < 0 ? nDayNumber - dTime : nDayNumber + dTime;
    m_status = valid;
    return 0;
}

int COleDateTime::GetYear() const { return DateField(*this, &DateFields::nYear); }
int COleDateTime::GetMonth() const { return DateField(*this, &DateFields::nMonth); }
int COleDateTime::GetDay() const { return DateField(*this, &DateFields::nDay); }
int COleDateTime::GetHour() const { return DateField(*this, &DateFields::nHour); }
int COleDateTime::GetMinute() const { return DateField(*this, &DateFields::nMinute); }
int COleDateTime::GetSecond() const { return DateField(*this, &DateFields::nSecond); }

CString COleDateTime::Format(LPCWSTR pszFormat) const
{
    CString str;
    if (m_status == null)
        return str;
    DateFields f;
    if (!SplitDate(*this, f)) {
        str = L"Invalid DateTime";
        return str;
    }
    for (LPCWSTR p = pszFormat; *p != L'\0'; ++p) {
        int nValue;
        switch (p[0] == L'%' ? p[1] : L'\0') {
        case L'Y': str.AppendFormat(L"%04d", f.nYear); ++p; continue;
        case L'm': nValue = f.nMonth; break;
        case L'd': nValue = f.nDay; break;
        case L'H': nValue = f.nHour; break;
        case L'M': nValue = f.nMinute; break;
        case L'S': nValue = f.nSecond; break;
        case L'%': str.AppendChar(L'%'); ++p; continue;
        default: str.AppendChar(*p); continue;
        }
        str.AppendFormat(L"%02d", nValue);
        ++p;
    }
    return str;
}

// ---- COleVariant ----

COleVariant::COleVariant(const VARIANT& varSrc)
{
    VariantInit(this);
    CheckResult(VariantCopy(this, const_cast<VARIANT*>(&varSrc)));
}

COleVariant::COleVariant(const COleVariant& varSrc) : COleVariant(static_cast<const VARIANT&>(varSrc))
{
}

COleVariant::COleVariant(LPCWSTR pszSrc)
{
    VariantInit(this);
    BSTR bstr = SysAllocString(pszSrc != NULL ? pszSrc : L"");
    if (bstr == NULL)
        AfxThrowMemoryException();
    vt = VT_BSTR;
    bstrVal = bstr;
}

COleVariant::COleVariant(long lSrc, VARTYPE vtSrc)
{
    VariantInit(this);
    if (vtSrc != VT_I4 && vtSrc != VT_ERROR && vtSrc != VT_BOOL)
        AfxThrowInvalidArgException();
    vt = vtSrc;
    if (vtSrc == VT_BOOL)
        boolVal = lSrc != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    else
        lVal = lSrc;
}

COleVariant::COleVariant(double dblSrc)
{
    VariantInit(this);
    vt = VT_R8;
    dblVal = dblSrc;
}

COleVariant::COleVariant(const COleDateTime& dateSrc)
{
    VariantInit(this);
    if (dateSrc.GetStatus() == COleDateTime::invalid)
        AfxThrowInvalidArgException();
    if (dateSrc.GetStatus() == COleDateTime::null) {
        vt = VT_NULL;
    } else {
        vt = VT_DATE;
        date = dateSrc.m_dt;
    }
}

COleVariant::~COleVariant()
{
    VariantClear(this);
}

COleVariant& COleVariant::operator=(const VARIANT& varSrc)
{
    if (&varSrc != this) {
        // Copied aside first: a failed copy leaves this variant as it was.
        COleVariant varCopy(varSrc);
        MoveVariant(*this, varCopy);
    }
    return *this;
}

bool COleVariant::operator==(const VARIANT& varSrc) const
{
    if (&varSrc == this)
        return true;
    if (vt != varSrc.vt)
        return false;
    switch (vt) {
    case VT_EMPTY: case VT_NULL:
        return true;
    case VT_I1: case VT_UI1:
        return bVal == varSrc.bVal;
    case VT_I2: case VT_UI2: case VT_BOOL:
        return uiVal == varSrc.uiVal;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_ERROR:
        return ulVal == varSrc.ulVal;
    case VT_R4:
        return fltVal == varSrc.fltVal;
    case VT_R8: case VT_DATE:
        return dblVal == varSrc.dblVal;
    case VT_CY: case VT_I8: case VT_UI8:
        return ullVal == varSrc.ullVal;
    case VT_BSTR: {
        UINT nLength = SysStringLen(bstrVal);
        return nLength == SysStringLen(varSrc.bstrVal) &&
               (nLength == 0 || memcmp(bstrVal, varSrc.bstrVal, nLength * sizeof(OLECHAR)) == 0);
    }
    case VT_DISPATCH: case VT_UNKNOWN:
        return punkVal == varSrc.punkVal;
    default:
        return VarCmp(const_cast<COleVariant*>(this), const_cast<VARIANT*>(&varSrc), 0, 0) == VARCMP_EQ;
    }
}

void COleVariant::Clear()
{
    VariantClear(this);
}

void COleVariant::ChangeType(VARTYPE vartype, LPVARIANT pSrc)
{
    if (pSrc == NULL)
        pSrc = this;
    if (pSrc != this || vartype != vt)
        CheckResult(VariantChangeTypeEx(this, pSrc, 0, 0, vartype));
}

// ---- archive records ----

CArchive& operator<<(CArchive& ar, const COleDateTime& dateSrc)
{
    return ar << static_cast<LONG>(dateSrc.m_status) << dateSrc.m_dt;
}

CArchive& operator>>(CArchive& ar, COleDateTime& dateSrc)
{
    LONG lStatus;
    DATE dt;
    ar >> lStatus >> dt;
    if (lStatus < COleDateTime::valid || lStatus > COleDateTime::null)
        AfxThrowArchiveException(CArchiveException::genericException);
    dateSrc.m_dt = dt;
    dateSrc.m_status = static_cast<COleDateTime::DateTimeStatus>(lStatus);
    return ar;
}

CArchive& operator<<(CArchive& ar, const COleCurrency& curSrc)
{
    return ar << static_cast<DWORD>(curSrc.m_cur.Lo) << static_cast<LONG>(curSrc.m_cur.Hi);
}

CArchive& operator>>(CArchive& ar, COleCurrency& curSrc)
{
    DWORD dwLo;
    LONG lHi;
    ar >> dwLo >> lHi;
    curSrc.m_cur.Lo = dwLo;
    curSrc.m_cur.Hi = lHi;
    curSrc.m_status = COleCurrency::valid;
    return ar;
}

CArchive& operator<<(CArchive& ar, const COleVariant& varSrc)
{
    switch (varSrc.vt) {
    case VT_EMPTY: case VT_NULL:
        return ar << varSrc.vt;
    case VT_I1: case VT_UI1:
        return ar << varSrc.vt << varSrc.bVal;
    case VT_I2: case VT_UI2: case VT_BOOL:
        return ar << varSrc.vt << varSrc.uiVal;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_ERROR:
        return ar << varSrc.vt << static_cast<DWORD>(varSrc.ulVal);
    case VT_R4:
        return ar << varSrc.vt << varSrc.fltVal;
    case VT_R8: case VT_DATE:
        return ar << varSrc.vt << varSrc.dblVal;
    case VT_CY:
        return ar << varSrc.vt << COleCurrency(varSrc.cyVal);
    case VT_I8: case VT_UI8:
        return ar << varSrc.vt << static_cast<ULONGLONG>(varSrc.ullVal);
    case VT_BSTR:
        return ar << varSrc.vt << CString(varSrc.bstrVal, static_cast<int>(SysStringLen(varSrc.bstrVal)));
    default:
        AfxThrowOleException(DISP_E_BADVARTYPE);
    }
}

CArchive& operator>>(CArchive& ar, COleVariant& varSrc)
{
    // Read aside: a damaged record leaves the target as it was.
    COleVariant var;
    VARTYPE vt;
    ar >> vt;
    switch (vt) {
    case VT_EMPTY: case VT_NULL:
        break;
    case VT_I1: case VT_UI1:
        ar >> var.bVal;
        break;
    case VT_I2: case VT_UI2: case VT_BOOL:
        ar >> var.uiVal;
        break;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_ERROR: {
        DWORD dw;
        ar >> dw;
        var.ulVal = dw;
        break;
    }
    case VT_R4:
        ar >> var.fltVal;
        break;
    case VT_R8: case VT_DATE:
        ar >> var.dblVal;
        break;
    case VT_CY: {
        COleCurrency cur;
        ar >> cur;
        var.cyVal = cur.m_cur;
        break;
    }
    case VT_I8: case VT_UI8: {
        ULONGLONG qw;
        ar >> qw;
        var.ullVal = qw;
        break;
    }
    case VT_BSTR: {
        CString str;
        ar >> str;
        var.bstrVal = str.AllocSysString();
        break;
    }
    default:
        AfxThrowArchiveException(CArchiveException::genericException);
    }
    var.vt = vt;
    MoveVariant(varSrc, var);
    return ar;
}
