// The Find & Replace dialog: Replace takes the selection and searches on for the last search
// text, Replace All with non-ASCII texts and empty matches, and both histories remembered.
#include "search_dialog_test_support.h"

#include <algorithm>

namespace {

const wchar_t kTokyo[] = L"\u6771\u4EAC";
const char kTokyoUtf8[] = "\xE6\x9D\xB1\xE4\xBA\xAC";
const wchar_t kTokyoLatin[] = L"T\u014Dky\u014D";
const char kTokyoLatinUtf8[] = "T\xC5\x8Dky\xC5\x8D";

class ReplaceDlgTest : public SearchDialogTest
{
protected:
    size_t Count(const std::string& text)
    {
        const std::string s = m_host->EditorText();
        size_t n = 0;
        for (size_t pos = s.find(text); pos != std::string::npos; pos = s.find(text, pos + 1))
            ++n;
        return n;
    }
};

TEST_F(ReplaceDlgTest, ReplaceTakesTheSelectionThenSearchesForTheLastSearchText)
{
    CReplaceDlg* pDlg = OpenReplace();
    ASSERT_NE(pDlg, nullptr);
    CString strTitle;
    pDlg->GetWindowText(strTitle);
    EXPECT_STREQ(strTitle, L"Find & Replace");
    EXPECT_EQ(OpenReplace(), pDlg);

    m_host->Editor().GotoPosition(0);
    SetText(pDlg, IDC_FIND_TEXT, kTokyo);
    Click(pDlg, IDOK);
    ASSERT_EQ(Selection(), kTokyoUtf8);
    const Sci_Position nFirst = SelectionStart();

    // The search field is not read by Replace: the last search goes on.
    SetText(pDlg, IDC_FIND_TEXT, L"nowhere");
    SetText(pDlg, IDC_REPLACE_TEXT, kTokyoLatin);
    Click(pDlg, IDC_REPLACE);
    EXPECT_EQ(m_host->EditorText().substr(static_cast<size_t>(nFirst), strlen(kTokyoLatinUtf8)), kTokyoLatinUtf8);
    EXPECT_EQ(Selection(), kTokyoUtf8);
    EXPECT_EQ(SelectionStart(), Offset(kTokyoUtf8));

    // A selection that is no match is replaced all the same; an empty one takes an insertion.
    m_host->Editor().GotoPosition(Offset("<dict>"));
    Click(pDlg, IDC_REPLACE);
    EXPECT_EQ(Count(std::string(kTokyoLatinUtf8) + "<dict>"), 1u);
    EXPECT_EQ(Selection(), kTokyoUtf8);

    EXPECT_EQ(ToStrings(pDlg->GetHistory()), std::vector<std::wstring>{ kTokyo });
    EXPECT_EQ(ToStrings(pDlg->GetReplaceHistory()), std::vector<std::wstring>{ kTokyoLatin });
    EXPECT_EQ(ComboItems(pDlg, IDC_REPLACE_TEXT), std::vector<std::wstring>{ kTokyoLatin });
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(ReplaceDlgTest, ReplaceAllWithNonAsciiTextsAndEmptyMatchesEnds)
{
    struct Case
    {
        const wchar_t* find;
        const wchar_t* replacement;
        BOOL bRegEx;
        const char* gone;       // UTF-8 text no longer in the editor ("" for none)
        const char* added;      // UTF-8 text now there
        size_t nAdded;          // how often; kEachLine: after every line end but the last
    };
    const size_t kEachLine = static_cast<size_t>(-1);
    const Case cases[] = {
        { kTokyo, kTokyoLatin, FALSE, kTokyoUtf8, kTokyoLatinUtf8, 2 },
        { L"caf\u00E9", L"\u00E7a", FALSE, "", "\xC3\xA7" "a", 2 },
        // Empty matches: one replacement per line start, then on to the next line.
        { L"^", L"#", TRUE, "", "\n#", kEachLine },
        // An empty find text replaces nothing.
        { L"", L"x", FALSE, "", kTokyoUtf8, 2 },
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(m_host->Open(TestFolder() + L"search.plist"));
        CReplaceDlg* pDlg = OpenReplace();
        ASSERT_NE(pDlg, nullptr);
        const std::string before = m_host->EditorText();
        const size_t nLineEnds = static_cast<size_t>(std::count(before.begin(), before.end(), '\n'));
        SetText(pDlg, IDC_FIND_TEXT, c.find);
        SetText(pDlg, IDC_REPLACE_TEXT, c.replacement);
        Check(pDlg, IDC_MATCH_REGEX, c.bRegEx);
        Click(pDlg, IDC_REPLACE_ALL);
        if (*c.gone != '\0') {
            EXPECT_EQ(Count(c.gone), 0u) << Utf8Of(c.find);
        }
        EXPECT_EQ(Count(c.added), c.nAdded == kEachLine ? nLineEnds - 1 : c.nAdded) << Utf8Of(c.find);
        Click(pDlg, IDCANCEL);
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(ReplaceDlgTest, BothHistoriesAcrossReopeningSharedWithTheFindDialog)
{
    CFindDlg* pFind = OpenFind();
    ASSERT_NE(pFind, nullptr);
    SetText(pFind, IDC_FIND_TEXT, L"city");
    Click(pFind, IDOK);
    Click(pFind, IDCANCEL);

    CReplaceDlg* pDlg = OpenReplace();
    ASSERT_NE(pDlg, nullptr);
    EXPECT_EQ(ComboItems(pDlg, IDC_FIND_TEXT), std::vector<std::wstring>{ L"city" });
    SetText(pDlg, IDC_FIND_TEXT, kTokyo);
    SetText(pDlg, IDC_REPLACE_TEXT, kTokyoLatin);
    Check(pDlg, IDC_MATCH_WORDS, TRUE);
    Click(pDlg, IDC_REPLACE_ALL);
    // Deleting by an empty replacement works and is not remembered.
    SetText(pDlg, IDC_REPLACE_TEXT, L"");
    Click(pDlg, IDC_REPLACE);
    Click(pDlg, IDCANCEL);
    EXPECT_EQ(m_host->Doc().GetReplaceDialog(), nullptr);
    EXPECT_EQ(StoredString(L"Replace0"), kTokyoLatin);
    EXPECT_EQ(StoredString(L"Replace1"), L"");

    pDlg = OpenReplace();
    ASSERT_NE(pDlg, nullptr);
    const std::vector<std::wstring> searches = { kTokyo, L"city" };
    EXPECT_EQ(ComboItems(pDlg, IDC_FIND_TEXT), searches);
    EXPECT_EQ(ComboItems(pDlg, IDC_REPLACE_TEXT), std::vector<std::wstring>{ kTokyoLatin });
    EXPECT_TRUE(IsChecked(pDlg, IDC_MATCH_WORDS));
    EXPECT_TRUE(IsChecked(pDlg, IDC_SEARCH_DOWN));

    pFind = OpenFind();
    ASSERT_NE(pFind, nullptr);
    EXPECT_EQ(ComboItems(pFind, IDC_FIND_TEXT), searches);
    EXPECT_TRUE(IsChecked(pFind, IDC_MATCH_WORDS));
}

}  // namespace
