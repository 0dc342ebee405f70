// The stored search settings: damaged option values and history entries of the wrong type,
// too long or unterminated, and texts spanning lines kept out of the edit field.
#include "search_dialog_test_support.h"

namespace {

class SearchSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureTestApp();
        RegDeleteTreeW(HKEY_CURRENT_USER, TestCompanyKey().c_str());
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, TestCompanyKey().c_str()); }
};

TEST_F(SearchSettingsTest, DamagedOptionsTakeUsableValues)
{
    CSearchOptions options;
    options.Load();
    EXPECT_EQ(options.GetFlags(), 0u);
    EXPECT_EQ(options.nDirection, 1);

    SetStoredInt(L"Match Case", 2);
    SetStoredInt(L"Match Words", 1);
    SetStoredString(L"Match RegEx", L"yes");   // no integer: the default
    SetStoredInt(L"Direction", 7);
    options.Load();
    EXPECT_EQ(options.bMatchCase, TRUE);
    EXPECT_EQ(options.GetFlags(), kSearchMatchCase | kSearchWholeWord);
    EXPECT_EQ(options.nDirection, 1);
    SetStoredInt(L"Direction", 0);
    options.Load();
    EXPECT_EQ(options.nDirection, 0);
}

TEST_F(SearchSettingsTest, UnusableHistoryValuesArePassedOverAndTheFirstEmptyOneEnds)
{
    SetStoredString(L"History0", L"first");
    SetStoredInt(L"History1", 5);
    SetStoredString(L"History2", std::wstring(50 * 1024, L'x'));   // 100 KB
    const BYTE unterminated[] = { 'a', 0, 'b', 0 };
    RegSetKeyValueW(HKEY_CURRENT_USER, TestSettingsKey().c_str(), L"History3", REG_SZ, unterminated, sizeof(unterminated));
    RegSetKeyValueW(HKEY_CURRENT_USER, TestSettingsKey().c_str(), L"History4", REG_BINARY, unterminated, sizeof(unterminated));
    SetStoredString(L"History5", L"last");
    SetStoredString(L"History6", L"");
    SetStoredString(L"History7", L"after the end");

    CSearchHistory history;
    LoadSearchHistory(kSearchHistoryFormat, history);
    const std::vector<std::wstring> expected = { L"first", L"ab", L"last" };
    EXPECT_EQ(ToStrings(history), expected);

    // Writing back leaves the profile clean.
    SaveSearchHistory(kSearchHistoryFormat, history);
    EXPECT_EQ(StoredString(L"History2"), L"last");
    EXPECT_EQ(StoredString(L"History3"), L"");
    CSearchHistory reread;
    LoadSearchHistory(kSearchHistoryFormat, reread);
    EXPECT_EQ(ToStrings(reread), expected);
}

TEST_F(SearchSettingsTest, TextsSpanningLinesStayOutOfTheEditField)
{
    CWnd wndParent;
    ASSERT_TRUE(wndParent.CreateEx(0, AfxRegisterWndClass(0), L"host", WS_POPUP, 0, 0, 300, 200, NULL, NULL));
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWN | CBS_AUTOHSCROLL, CRect(0, 0, 200, 100), &wndParent, 1));
    CSearchHistory history = { L"old", L"new" };

    FillSearchCombo(combo, history, L"line\r\nbreak");
    CString strText;
    combo.GetWindowText(strText);
    EXPECT_STREQ(strText, L"");
    FillSearchCombo(combo, history, L"one line");
    combo.GetWindowText(strText);
    EXPECT_STREQ(strText, L"one line");
    ASSERT_EQ(combo.GetCount(), 2);
    combo.GetLBText(0, strText);
    EXPECT_STREQ(strText, L"new");

    EXPECT_FALSE(AddToSearchHistory(history, combo, CString(std::wstring(kMaxHistoryChars + 1, L'x').c_str())));
    EXPECT_TRUE(AddToSearchHistory(history, combo, CString(std::wstring(kMaxHistoryChars, L'x').c_str())));
    EXPECT_EQ(combo.GetCount(), 3);
    wndParent.DestroyWindow();
}

}  // namespace
