// The Find dialog: one at a time, defaults of a fresh profile, the remembered history and
// options, searching non-ASCII text both ways, and input that finds nothing.
#include "search_dialog_test_support.h"

#include <common/ZPResourceManager.h>

namespace {

class FindDlgTest : public SearchDialogTest
{
protected:
    void FindNext(CFindDlg* pDlg, const std::wstring& text)
    {
        SetText(pDlg, IDC_FIND_TEXT, text);
        Click(pDlg, IDOK);
    }
};

TEST_F(FindDlgTest, OneDialogWithFreshDefaultsThatGoesWithItsWindow)
{
    CFindDlg* pDlg = OpenFind();
    ASSERT_NE(pDlg, nullptr);
    EXPECT_TRUE(pDlg->IsWindowVisible());
    CString strTitle;
    pDlg->GetWindowText(strTitle);
    EXPECT_STREQ(strTitle, L"Find");
    EXPECT_EQ(OpenFind(), pDlg);

    EXPECT_FALSE(IsChecked(pDlg, IDC_MATCH_CASE));
    EXPECT_FALSE(IsChecked(pDlg, IDC_MATCH_WORDS));
    EXPECT_FALSE(IsChecked(pDlg, IDC_MATCH_REGEX));
    EXPECT_FALSE(IsChecked(pDlg, IDC_SEARCH_UP));
    EXPECT_TRUE(IsChecked(pDlg, IDC_SEARCH_DOWN));
    EXPECT_TRUE(ComboItems(pDlg, IDC_FIND_TEXT).empty());
    EXPECT_EQ(ItemText(pDlg, IDC_FIND_TEXT), L"");

    const HWND hWnd = pDlg->GetSafeHwnd();
    Click(pDlg, IDCANCEL);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(m_host->Doc().GetFindDialog(), nullptr);
    EXPECT_NE(OpenFind(), nullptr);
    EXPECT_TRUE(Boxes().empty());
}

// A language file's resources: its own Find template.
class CTranslatedResources : public CZPResourceManager
{
public:
    CTranslatedResources() : m_find(L"Suchen", 200, 80)
    {
        const WORD kButton = 0x0080;
        const WORD kComboBox = 0x0085;
        m_find.AddItem(kComboBox, IDC_FIND_TEXT, CBS_DROPDOWN | WS_TABSTOP, 5, 5, 120, 60);
        m_find.AddItem(kButton, IDC_MATCH_CASE, BS_AUTOCHECKBOX, 5, 25, 80, 10, L"Gro\u00DF/klein");
        m_find.AddItem(kButton, IDC_MATCH_WORDS, BS_AUTOCHECKBOX, 5, 37, 80, 10, L"Ganze W\u00F6rter");
        m_find.AddItem(kButton, IDC_MATCH_REGEX, BS_AUTOCHECKBOX, 5, 49, 80, 10, L"Regul\u00E4r");
        m_find.AddItem(kButton, IDC_SEARCH_UP, BS_AUTORADIOBUTTON | WS_GROUP, 100, 25, 60, 10, L"Hoch");
        m_find.AddItem(kButton, IDC_SEARCH_DOWN, BS_AUTORADIOBUTTON, 100, 37, 60, 10, L"Runter");
        m_find.AddItem(kButton, IDOK, BS_DEFPUSHBUTTON | WS_GROUP, 140, 5, 50, 14, L"Weiter");
        m_find.AddItem(kButton, IDCANCEL, BS_PUSHBUTTON, 140, 25, 50, 14, L"Schlie\u00DFen");
    }
    LPCDLGTEMPLATE LoadDialogTemplate(UINT nID) override
    {
        return nID == IDD_FIND ? m_find.Get() : CZPResourceManager::LoadDialogTemplate(nID);
    }

private:
    CDialogTemplateBuilder m_find;
};

TEST_F(FindDlgTest, TheTemplateComesFromTheResourceManager)
{
    CZPResourceManager::SetResourceManager(new CTranslatedResources);
    CFindDlg* pDlg = OpenFind();
    CReplaceDlg* pReplace = OpenReplace();
    CZPResourceManager::SetResourceManager(new CZPResourceManager);
    ASSERT_NE(pDlg, nullptr);
    ASSERT_NE(pReplace, nullptr);
    CString strTitle;
    pDlg->GetWindowText(strTitle);
    EXPECT_STREQ(strTitle, L"Suchen");
    pReplace->GetWindowText(strTitle);
    EXPECT_STREQ(strTitle, L"Find & Replace");

    SetText(pDlg, IDC_FIND_TEXT, L"\u6771\u4EAC");
    Click(pDlg, IDOK);
    EXPECT_EQ(Selection(), "\xE6\x9D\xB1\xE4\xBA\xAC");
    EXPECT_EQ(ComboItems(pDlg, IDC_FIND_TEXT), std::vector<std::wstring>{ L"\u6771\u4EAC" });
}

TEST_F(FindDlgTest, HistoryNewestOnTopWithoutDuplicatesOrEmptyTextsAndOptionsKept)
{
    CFindDlg* pDlg = OpenFind();
    ASSERT_NE(pDlg, nullptr);
    FindNext(pDlg, L"city");
    FindNext(pDlg, L"");   // stored, it would end the reading of the entries after it
    FindNext(pDlg, L"Caf\u00E9");
    FindNext(pDlg, L"city");
    FindNext(pDlg, L"City");   // the comparison is exact
    const std::vector<std::wstring> top_first = { L"City", L"Caf\u00E9", L"city" };
    EXPECT_EQ(ComboItems(pDlg, IDC_FIND_TEXT), top_first);
    EXPECT_EQ(StoredString(L"History0"), L"city");
    EXPECT_EQ(StoredString(L"History1"), L"Caf\u00E9");
    EXPECT_EQ(StoredString(L"History2"), L"City");
    EXPECT_EQ(StoredString(L"History3"), L"");
    EXPECT_EQ(StoredString(L"History19"), L"");

    Check(pDlg, IDC_MATCH_CASE, TRUE);
    Check(pDlg, IDC_MATCH_REGEX, TRUE);
    Check(pDlg, IDC_SEARCH_DOWN, FALSE);
    Check(pDlg, IDC_SEARCH_UP, TRUE);
    FindNext(pDlg, L"city");
    EXPECT_EQ(StoredInt(L"Match Case"), 1u);
    EXPECT_EQ(StoredInt(L"Match RegEx"), 1u);
    EXPECT_EQ(StoredInt(L"Match Words"), 0u);
    EXPECT_EQ(StoredInt(L"Direction"), 0u);
    Click(pDlg, IDCANCEL);

    // A new dialog reads what the last one stored, as after a restart.
    pDlg = OpenFind();
    ASSERT_NE(pDlg, nullptr);
    EXPECT_EQ(ComboItems(pDlg, IDC_FIND_TEXT), top_first);
    EXPECT_EQ(ItemText(pDlg, IDC_FIND_TEXT), L"");
    EXPECT_TRUE(IsChecked(pDlg, IDC_MATCH_CASE));
    EXPECT_TRUE(IsChecked(pDlg, IDC_MATCH_REGEX));
    EXPECT_FALSE(IsChecked(pDlg, IDC_MATCH_WORDS));
    EXPECT_TRUE(IsChecked(pDlg, IDC_SEARCH_UP));
    EXPECT_FALSE(IsChecked(pDlg, IDC_SEARCH_DOWN));
}

TEST_F(FindDlgTest, TheProfileKeepsTheFirstTwentyTexts)
{
    CFindDlg* pDlg = OpenFind();
    ASSERT_NE(pDlg, nullptr);
    for (int i = 0; i < 22; ++i)
        FindNext(pDlg, L"text" + std::to_wstring(i));
    EXPECT_EQ(ComboItems(pDlg, IDC_FIND_TEXT).size(), 22u);
    EXPECT_EQ(ComboItems(pDlg, IDC_FIND_TEXT).front(), L"text21");
    Click(pDlg, IDCANCEL);

    pDlg = OpenFind();
    ASSERT_NE(pDlg, nullptr);
    const std::vector<std::wstring> items = ComboItems(pDlg, IDC_FIND_TEXT);
    ASSERT_EQ(items.size(), 20u);
    EXPECT_EQ(items.front(), L"text19");
    EXPECT_EQ(items.back(), L"text0");
}

TEST_F(FindDlgTest, FindsNonAsciiTextInBothDirections)
{
    struct Case
    {
        const wchar_t* text;
        BOOL bMatchCase;
        BOOL bUp;
        const char* selected;   // UTF-8
        int nOccurrence;        // which one of the selected text in the editor
    };
    const Case cases[] = {
        { L"\u6771\u4EAC", FALSE, FALSE, "\xE6\x9D\xB1\xE4\xBA\xAC", 0 },
        { L"caf\u00E9", TRUE, FALSE, "caf\xC3\xA9", 0 },
        { L"CAF\u00E9", FALSE, FALSE, "Caf\xC3\xA9", 0 },
        { L"\u6771\u4EAC", FALSE, TRUE, "\xE6\x9D\xB1\xE4\xBA\xAC", 1 },
        { L"caf\u00E9", FALSE, TRUE, "caf\xC3\xA9", 0 },
    };
    CFindDlg* pDlg = OpenFind();
    ASSERT_NE(pDlg, nullptr);
    for (const Case& c : cases) {
        const Sci_Position nLength = static_cast<Sci_Position>(m_host->EditorText().size());
        m_host->Editor().GotoPosition(c.bUp ? nLength : 0);
        Check(pDlg, IDC_MATCH_CASE, c.bMatchCase);
        Check(pDlg, IDC_SEARCH_UP, c.bUp);
        Check(pDlg, IDC_SEARCH_DOWN, !c.bUp);
        FindNext(pDlg, c.text);
        EXPECT_EQ(Selection(), c.selected) << Utf8Of(c.text);
        EXPECT_EQ(SelectionStart(), Offset(c.selected, c.nOccurrence)) << Utf8Of(c.text);
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(FindDlgTest, BadExpressionsAndHugeTextsFindNothingAndHugeTextsAreNotStored)
{
    CFindDlg* pDlg = OpenFind();
    ASSERT_NE(pDlg, nullptr);
    const std::string before = m_host->EditorText();
    m_host->Editor().GotoPosition(5);

    Check(pDlg, IDC_MATCH_REGEX, TRUE);
    FindNext(pDlg, L"([");
    EXPECT_EQ(SelectionStart(), 5);
    EXPECT_EQ(Selection(), "");
    Check(pDlg, IDC_MATCH_REGEX, FALSE);

    // A megabyte of text: searched, found nowhere, kept out of the profile.
    const std::wstring huge(1 << 20, L'\u00E9');
    pDlg->SaveHistory(CString(huge.c_str()));
    m_host->Doc().FindText(huge.c_str(), 0, 1);
    EXPECT_EQ(SelectionStart(), 5);
    EXPECT_EQ(Selection(), "");
    EXPECT_EQ(ToStrings(pDlg->GetHistory()), std::vector<std::wstring>{ L"([" });
    EXPECT_EQ(StoredString(L"History1"), L"");

    EXPECT_EQ(m_host->EditorText(), before);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(FindDlgTest, ClosingTheDocumentClosesItsDialogs)
{
    CFindDlg* pFind = OpenFind();
    CReplaceDlg* pReplace = OpenReplace();
    ASSERT_NE(pFind, nullptr);
    ASSERT_NE(pReplace, nullptr);
    const HWND hFind = pFind->GetSafeHwnd();
    const HWND hReplace = pReplace->GetSafeHwnd();
    m_host.reset();
    EXPECT_FALSE(::IsWindow(hFind));
    EXPECT_FALSE(::IsWindow(hReplace));
}

}  // namespace
