// Strings: formatting, conversions, copy-on-write and editing.
#include <framework.h>

#include <gtest/gtest.h>

TEST(CString, FormatsTheConversionsTheToolkitUses)
{
    CString strName(L"Standard");
    CStringA strNarrow("n\xe4rrow");
    struct Case
    {
        CString actual;
        const wchar_t* expected;
    };
    auto format = [](auto&&... args) { CString str; str.Format(args...); return str; };
    const Case cases[] = {
        { format(L"%s-Bar%d", strName, 3), L"Standard-Bar3" },
        { format(L"%s-Bar%d", L"\u00c9dition", -3), L"\u00c9dition-Bar-3" },
        { format(L"%ls|%i", L"\u041f\u0440\u0438\u0432\u0435\u0442", 42), L"\u041f\u0440\u0438\u0432\u0435\u0442|42" },
        { format(L"wID=%04X, cx=%d, fStyle=%08X", 0xE801u, 23, 0x40u), L"wID=E801, cx=23, fStyle=00000040" },
        { format(L"%04X", 0xABCDEu), L"ABCDE" },
        { format(L"%g|%g|%g", 0.5, 100000.0, 1.0 / 3), L"0.5|100000|0.333333" },
        { format(L"%hs", strNarrow.GetString()), L"n\u00e4rrow" },
        { format(L"100%%"), L"100%" },
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, c.actual.GetString());

    CStringA strA;
    strA.Format("%s=%d", "x", 5);
    EXPECT_STREQ("x=5", strA);
    CString strAppend(L"Line: ");
    strAppend.AppendFormat(L"%ld Col: %ld", 12L, 7L);
    EXPECT_STREQ(L"Line: 12 Col: 7", strAppend);
}

TEST(CString, FormatGrowsPastAnyFixedBuffer)
{
    CString strLong(L'\u00e9', 5000);
    CString str;
    str.Format(L"<%s>", strLong);
    EXPECT_EQ(5002, str.GetLength());
    EXPECT_EQ(L'>', str[5001]);
}

TEST(CString, ConvertsWithTheGivenCodePage)
{
    const wchar_t* wide = L"Gr\u00fc\u00dfe \u20ac \u0416";
    struct Case
    {
        UINT nCodePage;
        const char* narrow;
    } cases[] = {
        { CP_UTF8, "Gr\xc3\xbc\xc3\x9f" "e \xe2\x82\xac \xd0\x96" },
        { 1252, "Gr\xfc\xdf" "e \x80 ?" },            // Cyrillic is not in Western European
        { 1251, "Gru?e \x88 \xc6" },                   // best fit for the umlaut, none for sharp s
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(c.narrow, AfxWideToNarrow(wide, -1, c.nCodePage)) << c.nCodePage;
        EXPECT_STREQ(c.narrow, CW2A(wide, c.nCodePage)) << c.nCodePage;
    }
    EXPECT_STREQ(wide, AfxNarrowToWide(cases[0].narrow, -1, CP_UTF8));
    EXPECT_STREQ(L"\u0416", CA2W("\xc6", 1251));
    // A narrow string built from wide text uses the ANSI code page and converts back.
    CStringA strAnsi(L"abc");
    EXPECT_STREQ("abc", strAnsi);
    EXPECT_STREQ(L"abc", CString(strAnsi));
    EXPECT_TRUE(AfxWideToNarrow(L"", -1, CP_UTF8).IsEmpty());
}

TEST(CString, CopiesShareUntilWritten)
{
    CString strA(L"shared text");
    CString strB(strA);
    EXPECT_EQ(strA.GetString(), strB.GetString());
    strB.SetAt(0, L'S');
    EXPECT_NE(strA.GetString(), strB.GetString());
    EXPECT_STREQ(L"shared text", strA);
    EXPECT_STREQ(L"Shared text", strB);

    CString strC(strA);
    LPWSTR p = strC.GetBuffer(40);
    wcscpy(p, L"written through the buffer");
    strC.ReleaseBuffer();
    EXPECT_STREQ(L"written through the buffer", strC);
    EXPECT_STREQ(L"shared text", strA);

    strA = strA.Mid(7);   // assigning a part of itself
    EXPECT_STREQ(L"text", strA);
    strA += strA;
    EXPECT_STREQ(L"texttext", strA);
}

TEST(CString, EditsAndSearches)
{
    CString str(L"  Toolbar\u00e9 Customize  ");
    str.Trim();
    EXPECT_STREQ(L"Toolbar\u00e9 Customize", str);
    EXPECT_EQ(8, str.Find(L' '));
    EXPECT_EQ(9, str.Find(L"Cust"));
    EXPECT_EQ(-1, str.Find(L"cust"));
    EXPECT_EQ(13, str.ReverseFind(L'o'));
    EXPECT_STREQ(L"Toolbar\u00e9", str.Left(8));
    EXPECT_STREQ(L"Customize", str.Right(9));
    EXPECT_STREQ(L"Cus", str.Mid(9, 3));
    EXPECT_STREQ(L"", str.Mid(100));
    EXPECT_EQ(0, str.CompareNoCase(L"TOOLBAR\u00c9 CUSTOMIZE"));
    EXPECT_STREQ(L"TOOLBAR\u00c9 CUSTOMIZE", CString(str).MakeUpper());
    EXPECT_EQ(3, str.Replace(L"o", L"00"));
    EXPECT_STREQ(L"T0000lbar\u00e9 Cust00mize", str);
    EXPECT_EQ(6, str.Remove(L'0'));
    str.Insert(1, L"o");
    str.Delete(0);
    EXPECT_STREQ(L"olbar\u00e9 Custmize", str);

    CString strPrompt(L"Open a file\nOpen");
    int iPos = 0;
    EXPECT_STREQ(L"Open a file", strPrompt.Tokenize(L"\n", iPos));
    EXPECT_STREQ(L"Open", strPrompt.Tokenize(L"\n", iPos));
    EXPECT_STREQ(L"", strPrompt.Tokenize(L"\n", iPos));
    EXPECT_EQ(-1, iPos);
}

TEST(CString, SystemStringAndBadIndex)
{
    CString str(L"B\u00e4r");
    BSTR bstr = str.AllocSysString();
    EXPECT_EQ(3u, SysStringLen(bstr));
    EXPECT_STREQ(L"B\u00e4r", bstr);
    SysFreeString(bstr);

    EXPECT_THROW(str.SetAt(3, L'x'), CException*);
    try {
        str.SetAt(-1, L'x');
    } catch (CInvalidArgException* e) {
        e->Delete();
    }
}
