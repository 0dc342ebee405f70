// The editing-component window, by the messages it sends and the component's answers.
#include "app_test_support.h"

#include "DibSection.h"

#include <SciLexer.h>

namespace {

class EditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterEditorClasses();
        m_wndParent.CreateEx(0, AfxRegisterWndClass(0), L"host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, NULL, NULL);
        ASSERT_TRUE(m_editor.CreateEditor(L"Title", WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &m_wndParent, 10000));
        m_editor.Init();
    }
    void TearDown() override { m_wndParent.DestroyWindow(); }

    void Load(const std::string& text) { ASSERT_TRUE(m_editor.LoadDocument(text.data(), text.size())); }
    std::string Text()
    {
        size_t n = 0;
        char* p = m_editor.GetText(&n);
        std::string s(p, n);
        free(p);
        return s;
    }
    LRESULT Call(UINT msg, WPARAM w = 0, LPARAM l = 0) { return m_editor.Call(msg, w, l); }
    int DigitWidth() { return static_cast<int>(Call(SCI_TEXTWIDTH, STYLE_LINENUMBER, reinterpret_cast<LPARAM>("9"))); }

    CWnd m_wndParent;
    CScintillaWnd m_editor;
};

std::string Lines(int n)
{
    std::string s;
    for (int i = 1; i < n; ++i)
        s += "<a/>\n";
    return s + "<a/>";
}

TEST_F(EditorTest, SetUpGivesTheXmlLexerWithFoldingMarginsAndMarkers)
{
    EXPECT_EQ(Call(SCI_GETLEXER), SCLEX_XML);
    Load("<plist>\n<dict>\n<key>a</key>\n</dict>\n</plist>\n");
    Call(SCI_COLOURISE, 0, -1);
    // Folding works only when its properties reached the lexer.
    EXPECT_TRUE(Call(SCI_GETFOLDLEVEL, 0) & SC_FOLDLEVELHEADERFLAG);
    EXPECT_TRUE(Call(SCI_GETFOLDLEVEL, 1) & SC_FOLDLEVELHEADERFLAG);
    EXPECT_EQ(Call(SCI_GETFOLDLEVEL, 2) & SC_FOLDLEVELNUMBERMASK, SC_FOLDLEVELBASE + 2);
    m_editor.GotoLine(3);
    EXPECT_EQ(m_editor.GetCurrentFoldLevel(), 2);
    EXPECT_EQ(Call(SCI_GETSTYLEAT, 1), SCE_H_TAG);

    EXPECT_EQ(static_cast<DWORD>(Call(SCI_GETMARGINMASKN, 2)), 0xFE000000u);
    for (int margin = 0; margin < 3; ++margin)
        EXPECT_EQ(Call(SCI_GETMARGINSENSITIVEN, margin) != 0, margin == 2) << margin;
    EXPECT_EQ(Call(SCI_GETMARGINWIDTHN, 1), 16);
    EXPECT_EQ(Call(SCI_GETMARGINWIDTHN, 2), 16);
    EXPECT_EQ(Call(SCI_MARKERSYMBOLDEFINED, 0), SC_MARK_CIRCLE);
    EXPECT_EQ(Call(SCI_MARKERSYMBOLDEFINED, SC_MARKNUM_FOLDEROPEN), SC_MARK_MINUS);
    EXPECT_EQ(Call(SCI_MARKERSYMBOLDEFINED, SC_MARKNUM_FOLDER), SC_MARK_PLUS);
    EXPECT_EQ(Call(SCI_GETTABWIDTH), 3);
    EXPECT_EQ(Call(SCI_STYLEGETFORE, SCE_H_TAG), 0xFF0000);
    EXPECT_EQ(Call(SCI_STYLEGETBACK, STYLE_BRACELIGHT), 0x00FF00);

    // Clicking the folding margin folds the clicked line; the other margins do nothing.
    const Sci_Position lineOne = Call(SCI_POSITIONFROMLINE, 1);
    m_editor.OnMarginClick(0, lineOne);
    m_editor.OnMarginClick(1, lineOne);
    EXPECT_TRUE(Call(SCI_GETFOLDEXPANDED, 1));
    m_editor.OnMarginClick(2, lineOne);
    EXPECT_FALSE(Call(SCI_GETFOLDEXPANDED, 1));
    EXPECT_FALSE(Call(SCI_GETLINEVISIBLE, 2));
}

TEST_F(EditorTest, LoadedTextIsKeptByteForByteWithACleanUndoHistory)
{
    // NULs (which the library writes raw) and CR line ends inside strings stay as they are.
    const std::string text("<plist>\r\n<string>a\0b\rc\r\n</string>\n</plist>", 42);
    Load(text);
    EXPECT_EQ(Call(SCI_GETLENGTH), static_cast<LRESULT>(text.size()));
    EXPECT_EQ(Text(), text);
    EXPECT_FALSE(m_editor.CanUndo());
    EXPECT_FALSE(Call(SCI_GETMODIFY));
    EXPECT_EQ(m_editor.GetCurrentPosition(), 0);
    EXPECT_EQ(m_editor.GetCurrentLine(), 1);
    EXPECT_EQ(m_editor.GetCurrentColumn(), 1);

    Call(SCI_ADDTEXT, 1, reinterpret_cast<LPARAM>("x"));
    EXPECT_TRUE(m_editor.CanUndo());
    EXPECT_TRUE(Call(SCI_GETMODIFY));
    m_editor.Undo();
    EXPECT_EQ(Text(), text);

    CString strWide;
    ASSERT_TRUE(m_editor.GetTextAsString(strWide));
    Load("<string>\xC3\xA9</string>");
    ASSERT_TRUE(m_editor.GetTextAsString(strWide));
    EXPECT_STREQ(strWide.GetString(), L"<string>\x00E9</string>");
}

// The text a save reads in place: whole and NUL-terminated after an edit left the buffer's gap
// in the middle, NULs inside kept.
TEST_F(EditorTest, CharacterPointerGivesTheWholeTextInPlace)
{
    Load(std::string("<a>\0</a>", 8));
    m_editor.GotoPosition(3);
    Call(SCI_ADDTEXT, 2, reinterpret_cast<LPARAM>("xy"));
    size_t nLength = 0;
    LPCSTR pText = m_editor.GetCharacterPointer(&nLength);
    ASSERT_NE(pText, nullptr);
    EXPECT_EQ(std::string(pText, nLength + 1), std::string("<a>xy\0</a>\0", 11));
    EXPECT_EQ(Text(), std::string(pText, nLength));
}

TEST_F(EditorTest, TheLineNumberMarginFollowsTheDigitsOfTheLineCount)
{
    const int w = DigitWidth();
    ASSERT_GT(w, 0);
    EXPECT_EQ(Call(SCI_GETMARGINWIDTHN, 0), 3 * w + 4);   // one line, before any text
    struct Case {
        int nLines;
        int nWidth;
    } cases[] = {{9, 3 * w + 4}, {10, 4 * w + 4}, {999, 5 * w + 4}, {1000, 6 * w + 4}, {3, 3 * w + 4}};
    for (const Case& c : cases) {
        Load(Lines(c.nLines));
        EXPECT_EQ(Call(SCI_GETMARGINWIDTHN, 0), c.nWidth) << c.nLines;
    }
    // Typing past line 9 widens it too (the view forwards the change).
    Load(Lines(9));
    Call(SCI_DOCUMENTEND);
    Call(SCI_NEWLINE);
    m_editor.UpdateLineNumberMargin();
    EXPECT_EQ(Call(SCI_GETMARGINWIDTHN, 0), 4 * w + 4);
    m_editor.SetDisplayLineNumbers(FALSE);
    EXPECT_EQ(Call(SCI_GETMARGINWIDTHN, 0), 0);
}

TEST_F(EditorTest, BookmarksAreOneBasedAndNextOrPreviousLeaveTheCaretsLine)
{
    Load(Lines(6));
    m_editor.AddBookmark(1);
    EXPECT_EQ(Call(SCI_MARKERGET, 0) & 1, 1);
    m_editor.AddBookmark(3);
    m_editor.AddBookmark(5);
    EXPECT_TRUE(m_editor.HasBookmark(3));
    EXPECT_FALSE(m_editor.HasBookmark(2));

    m_editor.GotoLine(3);
    m_editor.GotoNextBookmark();
    EXPECT_EQ(m_editor.GetCurrentLine(), 5);
    m_editor.GotoNextBookmark();   // none below: stays
    EXPECT_EQ(m_editor.GetCurrentLine(), 5);
    m_editor.GotoPrevBookmark();
    EXPECT_EQ(m_editor.GetCurrentLine(), 3);
    m_editor.GotoPrevBookmark();
    EXPECT_EQ(m_editor.GetCurrentLine(), 1);
    m_editor.GotoPrevBookmark();   // on line 1: nothing above
    EXPECT_EQ(m_editor.GetCurrentLine(), 1);

    m_editor.DeleteBookmark(3);
    m_editor.DeleteBookmark(4);   // none there: nothing
    EXPECT_FALSE(m_editor.HasBookmark(3));
    EXPECT_TRUE(m_editor.HasBookmark(5));
}

TEST_F(EditorTest, SearchAndReplaceCases)
{
    enum Op { kForward, kBackward, kReplaceAll, kReplaceAllInSelection, kReplaceSelection };
    struct Case {
        const char* text;
        Sci_Position selStart, selEnd;
        Op op;
        const char* find;
        const char* replacement;
        DWORD flags;
        int result;   // found (0/1) or the number of replacements
        const char* after;
        Sci_Position afterStart, afterEnd;   // selection afterwards (searches)
    } cases[] = {
        // A forward search starts one after the caret.
        {"abab", 0, 0, kForward, "ab", "", 0, 1, "abab", 2, 4},
        {"abab", 2, 4, kForward, "ab", "", 0, 0, "abab", 2, 4},
        // Backward from just before the selection's start.
        {"abcab", 3, 5, kBackward, "ab", "", 0, 1, "abcab", 0, 2},
        {"abab", 2, 4, kBackward, "ab", "", 0, 0, "abab", 2, 4},   // the match ending at the selection is passed over
        {"abab", 0, 2, kBackward, "ab", "", 0, 0, "abab", 0, 2},
        {"aXa xa", 0, 0, kForward, "xa", "", SCFIND_MATCHCASE, 1, "aXa xa", 4, 6},
        {"xab ab", 0, 0, kForward, "ab", "", SCFIND_WHOLEWORD, 1, "xab ab", 4, 6},
        {"<b>", 0, 0, kForward, "", "", 0, 0, "<b>", 0, 0},
        // Replace All resumes after each replacement.
        {"aaa", 0, 0, kReplaceAll, "a", "aa", 0, 3, "aaaaaa", -1, -1},
        {"abcb", 0, 0, kReplaceAll, "\\(b\\)", "[\\1]", SCFIND_REGEXP, 2, "a[b]c[b]", -1, -1},
        {"aAa", 0, 0, kReplaceAll, "a", "-", SCFIND_MATCHCASE, 2, "-A-", -1, -1},
        {"a ab", 0, 0, kReplaceAll, "a", "-", SCFIND_WHOLEWORD, 1, "- ab", -1, -1},
        {"abab", 1, 3, kReplaceAllInSelection, "a", "-", 0, 1, "ab-b", -1, -1},
        // An empty find text does nothing; an empty match moves on and ends.
        {"abc", 0, 0, kReplaceAll, "", "x", 0, 0, "abc", -1, -1},
        {"ab", 0, 0, kReplaceAll, "x*", "-", SCFIND_REGEXP, 2, "-a-b", -1, -1},
        {"\xC3\xA9\xC3\xA9", 0, 0, kReplaceAll, "^", "-", SCFIND_REGEXP, 1, "-\xC3\xA9\xC3\xA9", -1, -1},
        {"abc", 0, 0, kReplaceAll, "z", "x", 0, 0, "abc", -1, -1},
        // Replacing the selection, with the regular expression's groups.
        {"key", 0, 3, kReplaceSelection, "", "k", 0, -1, "k", -1, -1},
    };
    for (const Case& c : cases) {
        Load(c.text);
        Call(SCI_SETSEL, c.selStart, c.selEnd);
        m_editor.SetSearchFlags(c.flags);
        int result = -1;
        switch (c.op) {
        case kForward: result = m_editor.SearchForward(c.find); break;
        case kBackward: result = m_editor.SearchBackward(c.find); break;
        case kReplaceAll: result = m_editor.ReplaceAll(c.find, c.replacement, FALSE); break;
        case kReplaceAllInSelection: result = m_editor.ReplaceAll(c.find, c.replacement, TRUE); break;
        case kReplaceSelection: m_editor.ReplaceSelection(c.replacement); break;
        }
        const std::string what = std::string(c.text) + " / " + c.find;
        EXPECT_EQ(result, c.result) << what;
        EXPECT_EQ(Text(), c.after) << what;
        if (c.afterStart >= 0) {
            EXPECT_EQ(m_editor.GetSelectionStart(), c.afterStart) << what;
            EXPECT_EQ(m_editor.GetSelectionEnd(), c.afterEnd) << what;
        }
    }
}

TEST_F(EditorTest, SelectedTextIncludesRectangularSelections)
{
    Load("ab\xC3\xA9\ncd\xC3\xA9\n");
    CString str;
    Call(SCI_SETSEL, 1, 4);
    m_editor.GetSelectedText(str);
    EXPECT_STREQ(str.GetString(), L"b\x00E9");
    Call(SCI_SETRECTANGULARSELECTIONANCHOR, 1);
    Call(SCI_SETRECTANGULARSELECTIONCARET, 9);
    m_editor.GetSelectedText(str);
    EXPECT_STREQ(str.GetString(), L"b\x00E9\nd\x00E9\n");
    Call(SCI_SETEMPTYSELECTION, 0);
    m_editor.GetSelectedText(str);
    EXPECT_TRUE(str.IsEmpty());
}

// Pixels the editor draws: tag text in blue (COLORREF 0xFF0000) and a matched brace on green.
TEST_F(EditorTest, TagTextAndTheMatchedBraceHaveTheirColours)
{
    Call(SCI_SETCARETPERIOD, 0);
    Load("<plist>(x)</plist>");
    Call(SCI_COLOURISE, 0, -1);
    m_editor.GotoPosition(10);   // after ')'
    m_editor.UpdateBraceHighlight();
    CRect rect;
    m_editor.GetClientRect(&rect);
    CDibSection dib(rect.Width(), rect.Height(), RGB(1, 2, 3));
    m_editor.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.GetDC()), PRF_CLIENT);
    GdiFlush();
    int nBlue = 0;
    int nGreen = 0;
    for (int i = 0; i < dib.Width() * dib.Height(); ++i) {
        const DWORD px = dib.GetBits()[i] & 0xFFFFFF;   // 0x00RRGGBB
        nBlue += px == 0x0000FF;
        nGreen += px == 0x00FF00;
    }
    EXPECT_GT(nBlue, 0);
    EXPECT_GT(nGreen, 0);
    // No match: the highlight goes.
    m_editor.GotoPosition(0);
    m_editor.UpdateBraceHighlight();
    dib.Fill(RGB(1, 2, 3));
    m_editor.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.GetDC()), PRF_CLIENT);
    GdiFlush();
    nGreen = 0;
    for (int i = 0; i < dib.Width() * dib.Height(); ++i)
        nGreen += (dib.GetBits()[i] & 0xFFFFFF) == 0x00FF00;
    EXPECT_EQ(nGreen, 0);
}

}  // namespace
