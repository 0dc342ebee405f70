// The program in process: start-up from a command line, the frame with its menu, the main view
// and its editor tab, commands through the frame, saving, and start-ups that must not happen.
#include "app_test_support.h"

#include "AppIds.h"
#include "shell/MainFrame.h"
#include "shell/TolvaneApp.h"

#include <framework/frame.h>
#include <tabmanager/ZPTabManagerItem.h>
#include <tabmanager/ZPTabPaintManager.h>

#include <deque>

namespace {

const char kXml[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n<dict>\n\t<key>name</key>\n"
    "\t<string>caf\xc3\xa9</string>\n</dict>\n</plist>\n";

// A binary list of one dictionary {"k": "v"}, as the library writes it.
std::string BinaryPlist()
{
    static const unsigned char kBytes[] = { 'b',  'p', 'l',  'i',  's',  't', '0', '0', 0xD1, 0x01, 0x02, 0x51, 'k',
                                            0x51, 'v', 0x08, 0x0B, 0x0D, 0,   0,   0,   0,    0,    0,    1,    1,
                                            0,    0,   0,    0,    0,    0,   0,   3,   0,    0,    0,    0,    0,
                                            0,    0,   0,    0,    0,    0,   0,   0,   0,    0,    0x0F };
    return std::string(reinterpret_cast<const char*>(kBytes), sizeof kBytes);
}

// The application with its own settings key; boxes and file prompts answered here.
class CTestTolvaneApp : public CTolvaneApp
{
public:
    explicit CTestTolvaneApp(LPCWSTR lpszKey) { m_strCompanyKey = lpszKey; }

    std::vector<std::wstring> m_boxes;
    std::deque<std::wstring> m_fileNames;

    int DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT) override
    {
        m_boxes.push_back(lpszPrompt);
        const UINT nButtons = nType & MB_TYPEMASK;
        return nButtons == MB_YESNO || nButtons == MB_YESNOCANCEL ? IDNO : IDOK;
    }
    BOOL DoPromptFileName(CString& fileName, UINT, DWORD, BOOL, CDocTemplate*) override
    {
        if (m_fileNames.empty())
            return FALSE;
        fileName = m_fileNames.front().c_str();
        m_fileNames.pop_front();
        return TRUE;
    }
};

std::wstring SettingsKey()
{
    return L"TolvaneAppTests-" + std::to_wstring(GetCurrentProcessId());
}

class TolvaneAppTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterEditorClasses();
        CTolvaneDoc::SetLibraryFolder(BuiltLibraryFolder());
        m_app.reset(new CTestTolvaneApp(SettingsKey().c_str()));
    }
    void TearDown() override
    {
        if (m_app->m_pMainWnd != NULL)
            m_app->m_pMainWnd->DestroyWindow();
        m_app->ExitInstance();
        m_app.reset();
        CTolvaneDoc::SetLibraryFolder(NULL);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + SettingsKey()).c_str());
    }

    BOOL Start(const std::wstring& strCmdLine)
    {
        m_strCmdLine = strCmdLine;
        AfxWinInit(::GetModuleHandleW(NULL), NULL, &m_strCmdLine[0], SW_SHOW);
        return m_app->InitInstance();
    }
    BOOL StartWith(const std::wstring& path) { return Start(L"\"" + path + L"\""); }

    CMainFrame* Frame() { return static_cast<CMainFrame*>(m_app->m_pMainWnd); }
    CTolvaneDoc* Doc() { return static_cast<CTolvaneDoc*>(Frame()->GetActiveDocument()); }
    CTolvaneView* MainView()
    {
        POSITION pos = Doc()->GetFirstViewPosition();
        return static_cast<CTolvaneView*>(Doc()->GetNextView(pos));
    }
    CXmlView* XmlView() { return MainView()->GetXmlView(); }
    CScintillaWnd* Editor() { return XmlView()->GetEditor(); }
    std::string EditorText()
    {
        size_t nLength = 0;
        char* pText = Editor()->GetText(&nLength);
        std::string s(pText, nLength);
        free(pText);
        return s;
    }
    void Command(UINT nID) { Frame()->SendMessage(WM_COMMAND, nID); }
    CString Title()
    {
        CString strTitle;
        Frame()->GetWindowText(strTitle);
        return strTitle;
    }

    std::unique_ptr<CTestTolvaneApp> m_app;
    std::wstring m_strCmdLine;
};

TEST_F(TolvaneAppTest, AFileOnTheCommandLineOpensInTheXmlViewTab)
{
    const std::wstring path = TestFolder() + L"start.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(StartWith(path));

    ASSERT_NE(Frame(), nullptr);
    EXPECT_TRUE(Frame()->IsKindOf(RUNTIME_CLASS(CMainFrame)));
    EXPECT_TRUE(Frame()->IsWindowVisible());
    EXPECT_NE(Frame()->GetExStyle() & WS_EX_ACCEPTFILES, 0u);
    EXPECT_STREQ(Title().GetString(), L"start.plist - Tolvane");
    WCHAR szClass[64] = {};
    ::GetClassNameW(Frame()->m_hWnd, szClass, 64);
    EXPECT_STREQ(szClass, L"ZPMainFrame");
    EXPECT_NE(::GetClassLongPtrW(Frame()->m_hWnd, GCLP_HICON), 0);
    HMENU hMenu = ::GetMenu(Frame()->m_hWnd);
    ASSERT_NE(hMenu, nullptr);
    EXPECT_EQ(::GetMenuItemCount(hMenu), 4);
    EXPECT_NE(::GetMenuState(hMenu, ID_EDIT_FIND, MF_BYCOMMAND), static_cast<UINT>(-1));

    // The main view fills the client; its tab control fills the view and holds one tab.
    CTolvaneView* pMainView = MainView();
    ASSERT_TRUE(pMainView->IsKindOf(RUNTIME_CLASS(CTolvaneView)));
    EXPECT_EQ(pMainView->GetExStyle() & WS_EX_CLIENTEDGE, 0u);
    CZPTabControl& tabs = pMainView->GetTabControl();
    EXPECT_EQ(tabs.GetDlgCtrlID(), 100);
    CRect rcView, rcTabs;
    pMainView->GetClientRect(&rcView);
    tabs.GetWindowRect(&rcTabs);
    pMainView->ScreenToClient(&rcTabs);
    EXPECT_EQ(rcTabs, rcView);
    EXPECT_FALSE(rcView.IsRectEmpty());
    ASSERT_EQ(tabs.GetItemCount(), 1);
    EXPECT_STREQ(tabs.GetItem(0)->GetCaption().GetString(), L"XML View");
    EXPECT_EQ(tabs.GetItem(0)->GetImageIndex(), 1);
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_EQ(tabs.GetPaintManager()->GetAppearance(), 3);
    EXPECT_TRUE(tabs.GetPaintManager()->m_bHotTracking);
    EXPECT_FALSE(tabs.GetPaintManager()->AreThemeColorsDisabled());

    // The editor tab: id 0xE900 + 0, no border, owned by the main view, and the active view.
    CXmlView* pXmlView = XmlView();
    ASSERT_NE(pXmlView, nullptr);
    EXPECT_EQ(pXmlView->GetDlgCtrlID(), 0xE900);
    EXPECT_EQ(pXmlView->GetStyle() & WS_BORDER, 0u);
    EXPECT_TRUE(pXmlView->IsWindowVisible());
    EXPECT_EQ(pXmlView->GetOwner(), pMainView);
    EXPECT_EQ(Frame()->GetActiveView(), pXmlView);
    EXPECT_EQ(EditorText(), kXml);
    EXPECT_FALSE(Doc()->IsModified());
}

// The main view paints nothing itself and leaves the tab strip and the editor to paint theirs.
TEST_F(TolvaneAppTest, TheTabStripAndTheEditorPaintOnTheScreen)
{
    const std::wstring path = TestFolder() + L"paint.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(StartWith(path));
    ::SetWindowPos(Frame()->m_hWnd, HWND_TOP, 0, 0, 640, 480, SWP_SHOWWINDOW);
    Frame()->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);

    CRect rcTabs, rcEditor;
    MainView()->GetTabControl().GetWindowRect(&rcTabs);
    Editor()->GetWindowRect(&rcEditor);
    ASSERT_GT(rcEditor.top, rcTabs.top);
    // Read through the windows' own DCs: they see what was painted, while the screen gets it
    // only when Wine next flushes the window's surface.
    const HWND hTabs = MainView()->GetTabControl().m_hWnd, hEditor = Editor()->m_hWnd;
    HDC hdc = ::GetDC(hTabs);
    const COLORREF clrStrip = ::GetPixel(hdc, rcTabs.Width() - 20, 4);
    ::ReleaseDC(hTabs, hdc);
    hdc = ::GetDC(hEditor);
    const COLORREF clrText = ::GetPixel(hdc, rcEditor.Width() - 30, rcEditor.Height() - 30);
    ::ReleaseDC(hEditor, hdc);
    EXPECT_NE(clrStrip, RGB(0, 0, 0));
    EXPECT_NE(clrStrip, CLR_INVALID);
    EXPECT_EQ(clrText, RGB(255, 255, 255));
}

TEST_F(TolvaneAppTest, EditCommandsThroughTheFrameReachTheEditor)
{
    const std::wstring path = TestFolder() + L"edit.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(StartWith(path));

    Command(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(Editor()->GetSelectionEnd(), static_cast<Sci_Position>(sizeof kXml - 1));
    Command(ID_EDIT_CLEAR);
    EXPECT_EQ(EditorText(), "");
    EXPECT_TRUE(Doc()->IsModified());
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(EditorText(), kXml);

    // Insert reaches the overtype switch through the frame's accelerators.
    MSG msg = { Editor()->m_hWnd, WM_KEYDOWN, VK_INSERT, 1, 0, { 0, 0 } };
    EXPECT_FALSE(Editor()->GetOvertype());
    EXPECT_TRUE(Frame()->PreTranslateMessage(&msg));
    EXPECT_TRUE(Editor()->GetOvertype());
    EXPECT_TRUE(Frame()->PreTranslateMessage(&msg));
    EXPECT_FALSE(Editor()->GetOvertype());

    // A search with accented text through the document, the main view and the editor.
    Editor()->GotoPosition(0);
    Doc()->FindText(L"caf\u00e9", 0, 1);
    const Sci_Position nFound = static_cast<Sci_Position>(std::string(kXml).find("caf\xc3\xa9"));
    EXPECT_EQ(Editor()->GetSelectionStart(), nFound);
    EXPECT_EQ(Editor()->GetSelectionEnd(), nFound + 5);
}

TEST_F(TolvaneAppTest, TheSelectedTabsViewBecomesTheActiveView)
{
    const std::wstring path = TestFolder() + L"tabs.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(StartWith(path));
    CZPTabControl& tabs = MainView()->GetTabControl();
    ASSERT_TRUE(MainView()->AddView(RUNTIME_CLASS(CXmlView), L"Second", 2));
    CView* pSecond = static_cast<CView*>(CWnd::FromHandlePermanent(tabs.GetItem(1)->GetHandle()));
    ASSERT_NE(pSecond, nullptr);
    EXPECT_EQ(Frame()->GetActiveView(), XmlView());
    tabs.SetCurSel(1);
    EXPECT_EQ(Frame()->GetActiveView(), pSecond);
    tabs.SetCurSel(0);
    EXPECT_EQ(Frame()->GetActiveView(), XmlView());
}

// Open, edit and save through the frame's commands, for each format; the file keeps its format.
TEST_F(TolvaneAppTest, OpenEditAndSaveThroughTheFrameKeepTheFormat)
{
    struct Case
    {
        const wchar_t* name;
        std::string bytes;
        const char* find;
        const char* replacement;
        const char* prefix;  // the saved file starts with it
    };
    const Case cases[] = {
        { L"save.plist", kXml, "caf\xc3\xa9", "th\xc3\xa9", "<?xml" },
        { L"save-bin.plist", BinaryPlist(), "<string>v</string>", "<string>w</string>", "bplist00" },
    };
    const std::wstring blank = TestFolder() + L"blank.plist";
    WriteFileBytes(blank, kXml);
    ASSERT_TRUE(StartWith(blank));
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8Of(c.name));
        const std::wstring path = TestFolder() + c.name;
        WriteFileBytes(path, c.bytes);
        m_app->m_fileNames.push_back(path);
        Command(ID_FILE_OPEN);
        EXPECT_STREQ(Title().GetString(), (std::wstring(c.name) + L" - Tolvane").c_str());
        EXPECT_EQ(Frame()->GetActiveView(), XmlView());
        std::string text = EditorText();
        const size_t nAt = text.find(c.find);
        ASSERT_NE(nAt, std::string::npos);

        Editor()->Call(SCI_SETSEL, nAt, nAt + strlen(c.find));
        Editor()->ReplaceSelection(c.replacement);
        EXPECT_TRUE(Doc()->IsModified());
        Command(ID_FILE_SAVE);
        EXPECT_TRUE(m_app->m_boxes.empty()) << Utf8Of(m_app->m_boxes.empty() ? L"" : m_app->m_boxes[0]);
        EXPECT_FALSE(Doc()->IsModified());
        const std::string saved = ReadFileBytes(path);
        EXPECT_EQ(saved.compare(0, strlen(c.prefix), c.prefix), 0);

        // Read back through the program: the edit is there.
        m_app->m_fileNames.push_back(blank);
        Command(ID_FILE_OPEN);
        m_app->m_fileNames.push_back(path);
        Command(ID_FILE_OPEN);
        EXPECT_NE(EditorText().find(c.replacement), std::string::npos);
    }
}

// A file that cannot be opened, asked for over an edited document, changes nothing of it: title,
// path, text, format and modified flag stay, and Save writes the edit where it came from.
TEST_F(TolvaneAppTest, AFailedOpenLeavesTheOpenDocumentAsItWas)
{
    const std::wstring path = TestFolder() + L"kept-bin.plist";
    WriteFileBytes(path, BinaryPlist());
    ASSERT_TRUE(StartWith(path));
    const std::string text = EditorText();
    const size_t nAt = text.find("<string>v</string>");
    ASSERT_NE(nAt, std::string::npos);
    Editor()->Call(SCI_SETSEL, nAt, nAt + 18);
    Editor()->ReplaceSelection("<string>w</string>");
    const std::string edited = EditorText();
    const CString strTitle = Title();
    const CString strPath = Doc()->GetPathName();

    const std::wstring empty = TestFolder() + L"empty-open.plist";
    WriteFileBytes(empty, "");
    for (const std::wstring& bad : { empty, TestFolder() + L"missing-open.plist" }) {
        SCOPED_TRACE(Utf8Of(bad));
        m_app->m_boxes.clear();
        m_app->m_fileNames.push_back(bad);
        Command(ID_FILE_OPEN);
        // The question to save (answered No), then the reason the open failed.
        EXPECT_EQ(m_app->m_boxes.size(), 2u);
        EXPECT_STREQ(Title().GetString(), strTitle.GetString());
        EXPECT_STREQ(Doc()->GetPathName().GetString(), strPath.GetString());
        EXPECT_EQ(EditorText(), edited);
        EXPECT_EQ(Doc()->GetFormat(), 200);
        EXPECT_TRUE(Doc()->IsModified());
        EXPECT_FALSE(XmlView()->IsStartPageShown());
    }
    m_app->m_boxes.clear();
    Command(ID_FILE_SAVE);
    EXPECT_TRUE(m_app->m_boxes.empty()) << Utf8Of(m_app->m_boxes.empty() ? L"" : m_app->m_boxes[0]);
    const std::string saved = ReadFileBytes(path);
    EXPECT_EQ(saved.compare(0, 8, "bplist00"), 0);
    EXPECT_NE(saved.find("\x51w"), std::string::npos);
}

// New and Open leave no search dialog acting on a text that is no longer the document's.
TEST_F(TolvaneAppTest, NewAndOpenCloseTheSearchDialogs)
{
    const std::wstring path = TestFolder() + L"search.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(StartWith(path));
    Command(ID_EDIT_FIND);
    Command(ID_EDIT_REPLACE);
    ASSERT_NE(Doc()->GetFindDialog(), nullptr);
    ASSERT_NE(Doc()->GetReplaceDialog(), nullptr);

    Command(ID_FILE_NEW);
    EXPECT_EQ(Doc()->GetFindDialog(), nullptr);
    EXPECT_EQ(Doc()->GetReplaceDialog(), nullptr);
    // Searches that still reach the document leave the hidden editor's old text alone.
    Doc()->ReplaceAllText(L"name", L"renamed", 0);
    Doc()->FindText(L"name", 0, 1);
    EXPECT_EQ(EditorText(), kXml);
    EXPECT_FALSE(Doc()->IsModified());
    m_app->m_boxes.clear();
    EXPECT_TRUE(Doc()->SaveModified());
    EXPECT_TRUE(m_app->m_boxes.empty());

    m_app->m_fileNames.push_back(path);
    Command(ID_FILE_OPEN);
    Command(ID_EDIT_REPLACE);
    ASSERT_NE(Doc()->GetReplaceDialog(), nullptr);
    // Another file (the same one is only brought forward, not read again).
    const std::wstring other = TestFolder() + L"search-other.plist";
    WriteFileBytes(other, kXml);
    m_app->m_fileNames.push_back(other);
    Command(ID_FILE_OPEN);
    EXPECT_STREQ(Title().GetString(), L"search-other.plist - Tolvane");
    EXPECT_EQ(Doc()->GetReplaceDialog(), nullptr);
}

// The editing component has the keyboard whenever a text is shown; the start page keeps it in
// the view for its links.
TEST_F(TolvaneAppTest, TheEditorHasTheFocusAfterStartNewAndOpen)
{
    const std::wstring path = TestFolder() + L"focus.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(StartWith(path));
    EXPECT_EQ(::GetFocus(), Editor()->m_hWnd);
    Command(ID_FILE_NEW);
    EXPECT_EQ(::GetFocus(), XmlView()->m_hWnd);
    m_app->m_fileNames.push_back(path);
    Command(ID_FILE_OPEN);
    EXPECT_EQ(::GetFocus(), Editor()->m_hWnd);
    // The frame gives the focus to its active view, the XML view, which hands it on.
    Frame()->SetFocus();
    EXPECT_EQ(::GetFocus(), Editor()->m_hWnd);
}

TEST_F(TolvaneAppTest, WithoutCoreFoundationStartUpEndsCleanly)
{
    const std::wstring empty = TestFolder() + L"no-library";
    ::CreateDirectoryW(empty.c_str(), NULL);
    CTolvaneDoc::SetLibraryFolder(empty.c_str());
    EXPECT_FALSE(Start(L""));
    ASSERT_EQ(m_app->m_boxes.size(), 1u);
    EXPECT_EQ(m_app->m_boxes[0], L"DLL not installed.");
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
    EXPECT_EQ(::FindWindowW(L"ZPMainFrame", NULL), nullptr);
}

TEST_F(TolvaneAppTest, ACommandLineFileThatCannotBeOpenedStopsTheStart)
{
    const std::wstring path = TestFolder() + L"empty.plist";
    WriteFileBytes(path, "");
    EXPECT_FALSE(StartWith(path));
    ASSERT_EQ(m_app->m_boxes.size(), 1u);
    EXPECT_NE(m_app->m_boxes[0].find(L"too few bytes"), std::wstring::npos) << Utf8Of(m_app->m_boxes[0]);
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
    EXPECT_EQ(::FindWindowW(L"ZPMainFrame", NULL), nullptr);
}

}  // namespace
