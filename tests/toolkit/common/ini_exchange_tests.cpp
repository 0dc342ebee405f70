// The INI back end: layout, temporary files, emptied sections, long and awkward texts, and
// files with garbage lines.
#include "common/ZPPropExchangeIniFile.h"
#include "TempFile.h"
#include "propexchange_tree.h"

namespace {

CString ReadKey(LPCWSTR pszSection, LPCWSTR pszKey, LPCWSTR pszFile)
{
    WCHAR szText[256];
    GetPrivateProfileStringW(pszSection, pszKey, L"<absent>", szText, 256, pszFile);
    return szText;
}

TEST(IniExchange, TreeRoundTripAndLayout)
{
    CTempFile file;
    ZpTestTree stored;
    stored.Fill();
    {
        CZPPropExchangeIniFile px(FALSE, NULL, L"Tree");
        px.AssignFile(file);
        EXPECT_TRUE(px.CanSkipDefaults());
        EXPECT_FALSE(px.SupportsBinary());
        stored.Exchange(&px, false);
    }
    EXPECT_EQ(L"65535", ReadKey(L"Tree", L"Short", file));
    EXPECT_EQ(L"-1, 2, 30000, -40000", ReadKey(L"Tree", L"Rect", file));
    EXPECT_EQ(L"AAPPMDAIPH", ReadKey(L"Tree\\Data", L"Blob", file));
    EXPECT_EQ(0, ReadKey(L"Tree", L"Text", file).Find(L"tab\\tline\\nreturn"));
    EXPECT_EQ(L"3", ReadKey(L"Tree", L"Count", file));
    EXPECT_EQ(L"<absent>", ReadKey(L"Tree\\Item1", L"Name", file));   // "" is its default
    EXPECT_EQ(L"CTestCircle", ReadKey(L"Tree\\Shape", L"Class", file));

    ZpTestTree loaded;
    CZPPropExchangeIniFile px(TRUE, NULL, L"Tree");
    px.AssignFile(file);
    loaded.Exchange(&px, false);
    stored.ExpectEqual(loaded, false);
}

TEST(IniExchange, TemporaryFileLivesWithTheRoot)
{
    CString strFile;
    {
        CZPPropExchangeIniFile px(FALSE, NULL, L"Root");
        long l = 4;
        EXPECT_TRUE(PropExchangeLong(&px, L"Value", &l, 0));
        strFile = px.GetIniFileName();
        LPCWSTR pszName = wcsrchr(strFile, L'\\');
        ASSERT_NE(nullptr, pszName);
        EXPECT_EQ(0, wcsncmp(pszName + 1, L"zp", 2));
        {
            CRefPtr<CZPPropExchange> sub = CRefPtr<CZPPropExchange>::Adopt(px.GetSection(L"Sub"));
            EXPECT_TRUE(PropExchangeLong(sub.Get(), L"Value", &l, 0));
        }
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(strFile));   // a child leaves it
        EXPECT_EQ(L"4", ReadKey(L"Root\\Sub", L"Value", strFile));
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(strFile));
}

TEST(IniExchange, EmptySectionTakesItsSubsectionsOnly)
{
    CTempFile file("[A]\r\nx=1\r\n[A\\B]\r\ny=2\r\n[AB]\r\nz=3\r\n[a]\r\nw=4\r\n[Other]\r\nv=5\r\n");
    {
        CZPPropExchangeIniFile px(FALSE, NULL, L"A");
        px.AssignFile(file);
        px.EmptySection();
        long l = 9;
        EXPECT_TRUE(PropExchangeLong(&px, L"New", &l, 0));
    }
    EXPECT_EQ(L"<absent>", ReadKey(L"A", L"x", file));
    EXPECT_EQ(L"9", ReadKey(L"A", L"New", file));
    EXPECT_EQ(L"<absent>", ReadKey(L"A\\B", L"y", file));
    EXPECT_EQ(L"3", ReadKey(L"AB", L"z", file));
    EXPECT_EQ(L"5", ReadKey(L"Other", L"v", file));
}

TEST(IniExchange, TextsComeBackWhole)
{
    CTempFile file;
    const CString texts[] = {
        CString(L'x', 300),                       // more than the first read takes
        CString(L'y', 20000),                     // more than any fixed buffer
        L"  blanks around  ",                     // the profile functions trim blanks
        L"\"quoted\"",                            // and one pair of enclosing quotes
        L"'single'",
        L"\x4e2d\x6587 \x00e9\x00e8",             // beyond the ANSI code page
        L"tab\there",
    };
    {
        CZPPropExchangeIniFile px(FALSE, NULL, L"Texts");
        px.AssignFile(file);
        for (size_t i = 0; i < sizeof(texts) / sizeof(texts[0]); ++i) {
            CString strName;
            strName.Format(L"T%i", static_cast<int>(i));
            CString str = texts[i];
            EXPECT_TRUE(PropExchangeString(&px, strName, str, L""));
        }
        CString strEmpty;
        EXPECT_TRUE(PropExchangeString(&px, L"Empty", strEmpty, L"default"));
    }
    CZPPropExchangeIniFile px(TRUE, NULL, L"Texts");
    px.AssignFile(file);
    for (size_t i = 0; i < sizeof(texts) / sizeof(texts[0]); ++i) {
        CString strName;
        strName.Format(L"T%i", static_cast<int>(i));
        CString str;
        EXPECT_TRUE(PropExchangeString(&px, strName, str, L""));
        EXPECT_EQ(texts[i], str) << i;
    }
    // An empty text cannot be told from an absent key: it loads as the default.
    CString strEmpty;
    EXPECT_TRUE(PropExchangeString(&px, L"Empty", strEmpty, L"default"));
    EXPECT_EQ(L"default", strEmpty);
}

TEST(IniExchange, GarbageLinesLeaveTheRestReadable)
{
    // Every value either parses or takes its default; nothing else is disturbed.
    CTempFile file("\xEF\xBB\xBF garbage before any section\r\n[Settings\r\n=no key\r\n[Settings]\r\n"
                   "\x01\x02\xFF\xFE binary\r\n;comment=1\r\nLong=12abc\r\nRect=1, 2, 3\r\nSize=7, 8\r\n"
                   "key without equals\r\nText=ok\r\nBlob=AAB\r\n[]\r\nLong=99\r\n");
    CZPPropExchangeIniFile px(TRUE, NULL, L"Settings");
    px.AssignFile(file);
    long l = 0;
    RECT rc = {};
    SIZE sz = {};
    CString str;
    EXPECT_TRUE(PropExchangeLong(&px, L"Long", &l, 5));
    EXPECT_EQ(12, l);
    EXPECT_TRUE(PropExchangeRect(&px, L"Rect", &rc, RECT{ 4, 4, 4, 4 }));
    EXPECT_EQ(4, rc.left);
    EXPECT_TRUE(PropExchangeSize(&px, L"Size", &sz, SIZE{}));
    EXPECT_EQ(8, sz.cy);
    EXPECT_TRUE(PropExchangeString(&px, L"Text", str, L""));
    EXPECT_EQ(L"ok", str);
    BYTE* pData = NULL;
    DWORD cbData = 0;
    EXPECT_FALSE(PropExchangeBlob(&px, L"Blob", &pData, &cbData));   // odd length
    EXPECT_EQ(NULL, pData);
}

}  // namespace
