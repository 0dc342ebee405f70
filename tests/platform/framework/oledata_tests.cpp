// Date-time, currency and variant values: calendar conversion, text, archive records, conversion.
#include "archive_helpers.h"

#include <gtest/gtest.h>

#include <math.h>

namespace {

const wchar_t kFullFormat[] = L"%Y-%m-%d %H:%M:%S";

CString Text(const VARIANT& var)
{
    return var.vt == VT_BSTR ? CString(var.bstrVal, static_cast<int>(SysStringLen(var.bstrVal))) : CString(L"<not a string>");
}

}  // namespace

TEST(OleDateTime, CalendarAndDateAgree)
{
    struct Case
    {
        int y, m, d, h, mi, s;
        DATE dt;
    } cases[] = {
        { 1899, 12, 30, 0, 0, 0, 0.0 },
        { 1899, 12, 30, 6, 0, 0, 0.25 },
        { 1899, 12, 31, 12, 0, 0, 1.5 },
        { 1900, 3, 1, 0, 0, 0, 61.0 },          // 1900 has no 29 February
        { 2000, 2, 29, 0, 0, 0, 36585.0 },
        { 2009, 3, 15, 10, 20, 30, 39887.0 + 37230.0 / 86400 },
        { 9999, 12, 31, 23, 59, 59, 2958465.0 + 86399.0 / 86400 },
        // Before day 0 the whole part counts back while the fraction still adds time to it.
        { 1899, 12, 29, 0, 0, 0, -1.0 },
        { 1899, 12, 29, 6, 0, 0, -1.25 },
        { 1899, 12, 28, 18, 0, 0, -2.75 },
        { 1800, 1, 1, 12, 0, 0, -36522.5 },
        { 100, 1, 1, 0, 0, 0, -657434.0 },
        { 100, 1, 1, 23, 59, 59, -657434.0 - 86399.0 / 86400 },
    };
    for (const Case& c : cases) {
        CString strExpected;
        strExpected.Format(L"%04d-%02d-%02d %02d:%02d:%02d", c.y, c.m, c.d, c.h, c.mi, c.s);

        COleDateTime date;
        EXPECT_EQ(0, date.SetDateTime(c.y, c.m, c.d, c.h, c.mi, c.s)) << strExpected.GetString();
        EXPECT_EQ(COleDateTime::valid, date.GetStatus());
        EXPECT_DOUBLE_EQ(c.dt, date.m_dt) << strExpected.GetString();

        COleDateTime back(c.dt);
        EXPECT_EQ(COleDateTime::valid, back.GetStatus());
        EXPECT_STREQ(strExpected, back.Format(kFullFormat));
        EXPECT_EQ(c.y, back.GetYear());
        EXPECT_EQ(c.s, back.GetSecond());
    }
}

TEST(OleDateTime, DatesWithoutExactCalendarForm)
{
    struct Case
    {
        DATE dt;
        const wchar_t* pszText;
    } cases[] = {
        { -0.25, L"1899-12-30 06:00:00" },        // day 0 either side of zero
        { 0.99999999, L"1899-12-31 00:00:00" },   // rounded to the second, into the next day
        { -1.99999999, L"1899-12-30 00:00:00" },
        { 1.0 / 86400 * 0.4, L"1899-12-30 00:00:00" },
        { -657434.9999999, L"0100-01-02 00:00:00" },
        { -657435.0, L"Invalid DateTime" },
        { 2958466.0, L"Invalid DateTime" },
        { 2958465.9999999, L"Invalid DateTime" },  // rounds into the year 10000
        { NAN, L"Invalid DateTime" },
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.pszText, COleDateTime(c.dt).Format(kFullFormat)) << c.dt;
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(-657435.0).GetStatus());
    EXPECT_EQ(-1, COleDateTime(NAN).GetDay());
}

TEST(OleDateTime, ValuesOutsideTheCalendarAreInvalid)
{
    struct Case
    {
        int y, m, d, h, mi, s;
    } cases[] = {
        { 2009, 2, 29, 0, 0, 0 }, { 1900, 2, 29, 0, 0, 0 }, { 2009, 4, 31, 0, 0, 0 }, { 2009, 13, 1, 0, 0, 0 },
        { 2009, 0, 1, 0, 0, 0 }, { 2009, 1, 0, 0, 0, 0 }, { 99, 12, 31, 0, 0, 0 }, { 10000, 1, 1, 0, 0, 0 },
        { 2009, 1, 1, 24, 0, 0 }, { 2009, 1, 1, 0, 60, 0 }, { 2009, 1, 1, 0, 0, 60 }, { 2009, 1, 1, -1, 0, 0 },
        { 0, 0, 0, 0, 0, 0 },
    };
    for (const Case& c : cases) {
        COleDateTime date(2009.5);
        EXPECT_EQ(1, date.SetDateTime(c.y, c.m, c.d, c.h, c.mi, c.s)) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(COleDateTime::invalid, date.GetStatus());
        EXPECT_STREQ(L"Invalid DateTime", date.Format(kFullFormat));
    }
}

TEST(OleDateTime, Format)
{
    COleDateTime date(2009, 3, 15, 10, 20, 30);
    struct Case
    {
        const wchar_t* pszFormat;
        const wchar_t* pszText;
    } cases[] = {
        { L"%Y-%d-%mT%H:%M:%S", L"2009-15-03T10:20:30" },
        { L"%Y-%d-%m", L"2009-15-03" },
        { L"%H:%M:%S", L"10:20:30" },
        { L"100%% at %H%a%", L"100% at 10%a%" },   // unknown and trailing % kept as written
        { L"", L"" },
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.pszText, date.Format(c.pszFormat)) << c.pszFormat;

    date.SetStatus(COleDateTime::null);
    EXPECT_STREQ(L"", date.Format(kFullFormat));
}

TEST(OleArchiveRecords, WrittenAndReadBackByteExact)
{
    COleDateTime dateNull(1.5);
    dateNull.SetStatus(COleDateTime::null);
    COleCurrency cur;
    cur.m_cur.int64 = 0x0000000100000002LL;
    COleCurrency curNegative;
    curNegative.m_cur.int64 = -2;

    Bytes date = StoreBytes([&](CArchive& ar) { ar << COleDateTime(-1.25) << dateNull; });
    EXPECT_EQ(Bytes({ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF4, 0xBF, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F }), date);
    COleDateTime date1, date2;
    LoadBytes(date, [&](CArchive& ar) { ar >> date1 >> date2; });
    EXPECT_EQ(COleDateTime::valid, date1.GetStatus());
    EXPECT_EQ(-1.25, date1.m_dt);
    EXPECT_EQ(COleDateTime::null, date2.GetStatus());
    EXPECT_EQ(1.5, date2.m_dt);

    Bytes currency = StoreBytes([&](CArchive& ar) { ar << cur << curNegative; });
    EXPECT_EQ(Bytes({ 2, 0, 0, 0, 1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF }), currency);
    COleCurrency cur1, cur2;
    LoadBytes(currency, [&](CArchive& ar) { ar >> cur1 >> cur2; });
    EXPECT_EQ(cur.m_cur.int64, cur1.m_cur.int64);
    EXPECT_EQ(-2, cur2.m_cur.int64);

    VARIANT varCy;
    varCy.vt = VT_CY;
    varCy.cyVal = cur.m_cur;
    const wchar_t textWithNul[] = L"\u00e9\0\u20ac";
    struct Case
    {
        COleVariant var;
        Bytes bytes;
    } cases[] = {
        { COleVariant(), { 0x00, 0x00 } },
        { COleVariant(42L), { 0x03, 0x00, 0x2A, 0x00, 0x00, 0x00 } },
        { COleVariant(1L, VT_BOOL), { 0x0B, 0x00, 0xFF, 0xFF } },
        { COleVariant(1.5), { 0x05, 0x00, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F } },
        { COleVariant(COleDateTime(1.5)), { 0x07, 0x00, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F } },
        { COleVariant(varCy), { 0x06, 0x00, 2, 0, 0, 0, 1, 0, 0, 0 } },
        { COleVariant(L""), { 0x08, 0x00, 0xFF, 0xFE, 0xFF, 0x00 } },
        { COleVariant(), { 0x08, 0x00, 0xFF, 0xFE, 0xFF, 0x03, 0xE9, 0x00, 0x00, 0x00, 0xAC, 0x20 } },
    };
    cases[7].var.vt = VT_BSTR;   // a string with a NUL inside keeps its length
    cases[7].var.bstrVal = SysAllocStringLen(textWithNul, 3);
    for (const Case& c : cases) {
        EXPECT_EQ(c.bytes, StoreBytes([&](CArchive& ar) { ar << c.var; })) << c.var.vt;
        COleVariant varBack(L"old");
        LoadBytes(c.bytes, [&](CArchive& ar) { ar >> varBack; });
        EXPECT_TRUE(varBack == c.var) << c.var.vt;
    }
}

TEST(OleArchiveRecords, DamagedRecordsRaiseTheArchiveExceptionAndLeaveTheTarget)
{
    struct Case
    {
        const char* pszWhat;
        Bytes bytes;
        int nCause;
    } dates[] = {
        { "status only", { 0, 0, 0, 0 }, CArchiveException::endOfFile },
        { "short DATE", { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF8 }, CArchiveException::endOfFile },
        { "unknown status", { 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F }, CArchiveException::genericException },
    }, currencies[] = {
        { "low half only", { 2, 0, 0, 0 }, CArchiveException::endOfFile },
    }, variants[] = {
        { "empty", {}, CArchiveException::endOfFile },
        { "short I4", { 0x03, 0x00, 0x2A, 0x00, 0x00 }, CArchiveException::endOfFile },
        { "dispatch", { 0x09, 0x00, 0, 0, 0, 0 }, CArchiveException::genericException },
        { "by reference", { 0x03, 0x40, 0, 0, 0, 0 }, CArchiveException::genericException },
        { "unknown type", { 0xFF, 0x7F, 0, 0, 0, 0 }, CArchiveException::genericException },
        { "string longer than the data", { 0x08, 0x00, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x41, 0x00 },
          CArchiveException::endOfFile },
    };
    for (const Case& c : dates) {
        COleDateTime date(2.5);
        EXPECT_EQ(c.nCause, LoadCause(c.bytes, [&](CArchive& ar) { ar >> date; })) << c.pszWhat;
        EXPECT_EQ(2.5, date.m_dt) << c.pszWhat;
        EXPECT_EQ(COleDateTime::valid, date.GetStatus()) << c.pszWhat;
    }
    for (const Case& c : currencies) {
        COleCurrency cur;
        cur.m_cur.int64 = 7;
        EXPECT_EQ(c.nCause, LoadCause(c.bytes, [&](CArchive& ar) { ar >> cur; })) << c.pszWhat;
        EXPECT_EQ(7, cur.m_cur.int64) << c.pszWhat;
    }
    for (const Case& c : variants) {
        COleVariant var(L"kept");
        EXPECT_EQ(c.nCause, LoadCause(c.bytes, [&](CArchive& ar) { ar >> var; })) << c.pszWhat;
        EXPECT_STREQ(L"kept", Text(var)) << c.pszWhat;
    }
}

TEST(OleArchiveRecords, StoringAVariantWithoutArchiveFormIsRefused)
{
    COleVariant var;
    var.vt = VT_UNKNOWN;
    var.punkVal = NULL;
    SCODE sc = S_OK;
    try {
        StoreBytes([&](CArchive& ar) { ar << var; });
    } catch (COleException* e) {
        sc = e->m_sc;
        e->Delete();
    }
    EXPECT_EQ(DISP_E_BADVARTYPE, sc);
}

TEST(OleVariant, ChangeTypeToString)
{
    VARIANT varI2;
    varI2.vt = VT_I2;
    varI2.iVal = -1;
    struct Case
    {
        COleVariant var;
        const wchar_t* pszText;
    } cases[] = {
        { COleVariant(42L), L"42" },
        { COleVariant(varI2), L"-1" },
        { COleVariant(1L, VT_BOOL), L"-1" },      // no flags: no alphabetic form
        { COleVariant(L"\u00e9t\u00e9"), L"\u00e9t\u00e9" },
        { COleVariant(), L"" },
    };
    for (Case& c : cases) {
        COleVariant varText;
        varText.ChangeType(VT_BSTR, &c.var);
        EXPECT_STREQ(c.pszText, Text(varText));
        c.var.ChangeType(VT_BSTR);
        EXPECT_STREQ(c.pszText, Text(c.var));
    }

    // A null has no text: the OLE exception, and the variant stays as it was.
    COleVariant varNull;
    varNull.vt = VT_NULL;
    SCODE sc = S_OK;
    try {
        varNull.ChangeType(VT_BSTR);
    } catch (COleException* e) {
        sc = e->m_sc;
        e->Delete();
    }
    EXPECT_TRUE(FAILED(sc));
    EXPECT_EQ(VT_NULL, varNull.vt);
}

TEST(OleVariant, CopyAndCompare)
{
    const wchar_t textWithNul[] = L"ab\0c";
    COleVariant varLong(L"ab");
    SysReAllocStringLen(&varLong.bstrVal, textWithNul, 4);
    VARIANT varI2;
    varI2.vt = VT_I2;
    varI2.iVal = 1;

    struct Case
    {
        COleVariant a, b;
        bool bEqual;
    } cases[] = {
        { COleVariant(L"ab"), COleVariant(L"ab"), true },
        { COleVariant(L"ab"), COleVariant(L"AB"), false },
        { COleVariant(L"ab"), varLong, false },   // same up to the NUL
        { COleVariant(1L), COleVariant(varI2), false },
        { COleVariant(1.5), COleVariant(COleDateTime(1.5)), false },
        { COleVariant(), COleVariant(), true },
        { COleVariant(2.5), COleVariant(2.5), true },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.bEqual, c.a == c.b) << c.a.vt << " " << c.b.vt;
        COleVariant copy(c.a);
        EXPECT_TRUE(copy == c.a);
        copy = c.b;
        EXPECT_TRUE(copy == c.b);
    }

    // Copies own their strings.
    COleVariant copy(varLong);
    EXPECT_NE(varLong.bstrVal, copy.bstrVal);
    copy = copy;
    EXPECT_TRUE(copy == varLong);
}
