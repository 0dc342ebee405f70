// The XML editor view: loading the document's text, the modified flag, commands and panes.
#include "app_test_support.h"

#include "AppIds.h"

namespace {

const char kXml[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                    "<plist version=\"1.0\">\n<dict>\n\t<key>a</key>\n"
                    "\t<string>b</string>\n</dict>\n</plist>\n";

class CTextRecorder : public CCmdUI
{
public:
    CString m_strText;
    void SetText(LPCWSTR lpszText) override { m_strText = lpszText; }
};

class XmlViewTest : public DocHostTest
{
protected:
    void OpenFixture()
    {
        const std::wstring path = TestFolder() + L"view.plist";
        WriteFileBytes(path, kXml);
        ASSERT_TRUE(m_host->Open(path));
    }
    CString PaneText(UINT nID)
    {
        CTextRecorder cmdui;
        cmdui.m_nID = nID;
        cmdui.DoUpdate(&m_host->View(), FALSE);
        return cmdui.m_strText;
    }
    void Command(UINT nID) { m_host->View().SendMessage(WM_COMMAND, nID); }
};

const UINT kTextCommands[] = {ID_EDIT_COPY,          ID_EDIT_CUT,           ID_EDIT_CLEAR,
                              ID_EDIT_SELECT_ALL,    ID_EDIT_TOGGLE_BOOKMARK, ID_EDIT_NEXT_BOOKMARK,
                              ID_EDIT_PREV_BOOKMARK, ID_FILE_PRINT,         ID_FILE_PRINT_PREVIEW};

TEST_F(XmlViewTest, WithoutTextTheEditorIsHiddenAndItsCommandsAreOff)
{
    ASSERT_TRUE(m_host->New());
    EXPECT_TRUE(m_host->View().IsStartPageShown());
    EXPECT_FALSE(m_host->Editor().IsWindowVisible());
    EXPECT_FALSE(m_host->Editor().IsWindowEnabled());
    for (UINT nID : kTextCommands)
        EXPECT_FALSE(m_host->IsEnabled(nID)) << nID;
    EXPECT_FALSE(m_host->IsEnabled(ID_EDIT_UNDO));
    EXPECT_TRUE(m_host->IsEnabled(ID_VIEW_LINE_NUMBERS));

    OpenFixture();
    EXPECT_FALSE(m_host->View().IsStartPageShown());
    EXPECT_TRUE(m_host->Editor().IsWindowVisible());
    CRect rectView, rectEditor;
    m_host->View().GetClientRect(&rectView);
    m_host->Editor().GetWindowRect(&rectEditor);
    EXPECT_EQ(rectEditor.Width(), rectView.Width());
    for (UINT nID : kTextCommands)
        EXPECT_TRUE(m_host->IsEnabled(nID)) << nID;
    EXPECT_EQ(m_host->EditorText(), kXml);

    // A new document hides the editor again.
    ASSERT_TRUE(m_host->New());
    EXPECT_TRUE(m_host->View().IsStartPageShown());
    EXPECT_FALSE(m_host->Editor().IsWindowVisible());
}

TEST_F(XmlViewTest, AfterOpeningUndoIsOffAndTheFirstEditMarksTheDocument)
{
    OpenFixture();
    EXPECT_FALSE(m_host->IsEnabled(ID_EDIT_UNDO));
    EXPECT_FALSE(m_host->Doc().IsModified());

    m_host->Editor().Call(SCI_ADDTEXT, 1, reinterpret_cast<LPARAM>("x"));
    EXPECT_TRUE(m_host->Doc().IsModified());
    EXPECT_TRUE(m_host->IsEnabled(ID_EDIT_UNDO));
    Command(ID_EDIT_UNDO);
    // Back at the save point, the document stays modified.
    EXPECT_EQ(m_host->EditorText(), kXml);
    EXPECT_TRUE(m_host->Doc().IsModified());
    EXPECT_TRUE(m_host->IsEnabled(ID_EDIT_REDO));

    // Opening again starts clean.
    OpenFixture();
    EXPECT_FALSE(m_host->Doc().IsModified());
    EXPECT_FALSE(m_host->IsEnabled(ID_EDIT_UNDO));
}

TEST_F(XmlViewTest, PanesShowTheCaretAndOvertypeWhichHasItsOwnCommand)
{
    OpenFixture();
    EXPECT_STREQ(PaneText(ID_INDICATOR_LINE_COL).GetString(), L"Line: 1 Col: 1");
    // Line 5 begins with a tab: the column counts it as the tab width, 3.
    m_host->Editor().GotoPosition(m_host->Editor().Call(SCI_POSITIONFROMLINE, 4) + 1);
    EXPECT_STREQ(PaneText(ID_INDICATOR_LINE_COL).GetString(), L"Line: 5 Col: 4");

    EXPECT_STREQ(PaneText(ID_INDICATOR_OVR).GetString(), L"");
    Command(ID_EDIT_OVERTYPE);
    EXPECT_TRUE(m_host->Editor().GetOvertype());
    EXPECT_STREQ(PaneText(ID_INDICATOR_OVR).GetString(), L"OVR");
    Command(ID_EDIT_OVERTYPE);
    EXPECT_STREQ(PaneText(ID_INDICATOR_OVR).GetString(), L"");
}

TEST_F(XmlViewTest, CommandsReachTheEditor)
{
    OpenFixture();
    CScintillaWnd& editor = m_host->Editor();
    Command(ID_EDIT_TOGGLE_BOOKMARK);
    EXPECT_TRUE(editor.HasBookmark(1));
    editor.GotoLine(3);
    Command(ID_EDIT_TOGGLE_BOOKMARK);
    editor.GotoLine(2);
    Command(ID_EDIT_NEXT_BOOKMARK);
    EXPECT_EQ(editor.GetCurrentLine(), 3);
    Command(ID_EDIT_PREV_BOOKMARK);
    EXPECT_EQ(editor.GetCurrentLine(), 1);
    Command(ID_EDIT_TOGGLE_BOOKMARK);
    EXPECT_FALSE(editor.HasBookmark(1));

    Command(ID_VIEW_LINE_NUMBERS);
    EXPECT_EQ(editor.Call(SCI_GETMARGINWIDTHN, 0), 0);
    EXPECT_FALSE(editor.GetDisplayLineNumbers());
    Command(ID_VIEW_LINE_NUMBERS);
    EXPECT_GT(editor.Call(SCI_GETMARGINWIDTHN, 0), 0);

    Command(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(editor.GetSelectionEnd(), static_cast<Sci_Position>(sizeof kXml - 1));
    Command(ID_EDIT_CLEAR);
    EXPECT_EQ(m_host->EditorText(), "");
}

TEST_F(XmlViewTest, TheFontDialogsChoiceGoesToTheStyleAtTheCaret)
{
    OpenFixture();
    CScintillaWnd& editor = m_host->Editor();
    editor.GotoPosition(editor.Call(SCI_POSITIONFROMLINE, 1) + 1);   // inside "<plist"
    const int nStyle = editor.GetCurrentStyle();
    CFontDialog dlg;
    lstrcpyW(dlg.m_lf.lfFaceName, L"\x6E38\x30B4\x30B7\x30C3\x30AF");   // a face name outside any ANSI page
    dlg.m_lf.lfWeight = 700;
    dlg.m_lf.lfItalic = TRUE;
    dlg.m_cf.iPointSize = 125;
    m_host->View().ApplyFont(dlg);
    char szFace[64] = {};
    editor.Call(SCI_STYLEGETFONT, nStyle, reinterpret_cast<LPARAM>(szFace));
    EXPECT_STREQ(szFace, "\xE6\xB8\xB8\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF");
    EXPECT_EQ(editor.Call(SCI_STYLEGETSIZE, nStyle), 12);
    EXPECT_TRUE(editor.Call(SCI_STYLEGETBOLD, nStyle));
    EXPECT_TRUE(editor.Call(SCI_STYLEGETITALIC, nStyle));
    EXPECT_FALSE(editor.Call(SCI_STYLEGETUNDERLINE, nStyle));
}

}  // namespace
