// The program in process: start-up from a command line, the frame with its menu, the main view
// and its editor tab, commands through the frame, saving, and start-ups that must not happen.
#include "app_test_support.h"

#include "AppIds.h"
#include "TabTestHost.h"
#include "about/AboutDlg.h"
#include "modal_step.h"
#include "shell/ControlSkin.h"
#include "shell/MainFrame.h"
#include "shell/TolvaneApp.h"

#include <commandbars/ZPCommandBars.h>
#include <commandbars/ZPCommandBarsResource.h>
#include <commandbars/ZPControl.h>
#include <commandbars/ZPControls.h>
#include <commandbars/ZPMenuBar.h>
#include <commandbars/ZPPopupBar.h>
#include <commandbars/ZPPaintManager.h>
#include <commandbars/ZPToolBar.h>
#include <common/ZPRegistryManager.h>
#include <common/ZPResourceManager.h>
#include <framework/frame.h>
#include <skinframework/ZPSkinManager.h>
#include <tabmanager/ZPTabManagerItem.h>
#include <tabmanager/ZPTabPaintManager.h>

#include <Scintilla.h>

#include <deque>
#include <set>

#include <prsht.h>
#include <shlobj.h>

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
    int m_nSaveAnswer = IDNO;  // to "Save changes?"

    int DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT) override
    {
        m_boxes.push_back(lpszPrompt);
        const UINT nButtons = nType & MB_TYPEMASK;
        if (nButtons == MB_YESNOCANCEL)
            return m_nSaveAnswer;
        return nButtons == MB_YESNO ? IDNO : IDOK;
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
        ::DeleteFileW(LanguageFile().c_str());
        CZPResourceManager::SetResourceManager(new CZPResourceManager);
    }

    // Where the program looks for its language file.
    static std::wstring LanguageFile() { return ExeFolder() + L"Tolvane.lng"; }
    // The saved placement record; empty when none is saved.
    static std::string SavedPlacement()
    {
        CZRegistryManager registry;
        BYTE* pData = NULL;
        UINT nBytes = 0;
        if (!registry.GetProfileBinary(L"Settings", L"Window Position", &pData, &nBytes))
            return std::string();
        std::string bytes(reinterpret_cast<const char*>(pData), nBytes);
        delete[] pData;
        return bytes;
    }
    CZPMenuBar* MenuBar() { return DYNAMIC_DOWNCAST(CZPMenuBar, Frame()->GetCommandBars()->GetAt(0)); }
    CString MenuCaption(int nPos) { return MenuBar()->ControlAt(nPos)->GetCaption(); }
    // The status bar's panes as the frame's idle update leaves them.
    CString PaneText(int nIndex)
    {
        CZPStatusBar& status = Frame()->GetStatusBar();
        status.OnUpdateCmdUI(Frame(), FALSE);
        return status.PaneAt(nIndex)->GetText();
    }
    // Runs Help > About, calling fnInside while the box is up, then closes it with OK.
    void RunAbout(const std::function<void(CAboutDlg&)>& fnInside)
    {
        CModalStep step([&] {
            CAboutDlg* pDlg = static_cast<CAboutDlg*>(CWnd::FromHandlePermanent(FindThreadDialog()));
            ASSERT_NE(pDlg, nullptr);
            fnInside(*pDlg);
            pDlg->EndDialog(IDOK);
        });
        step.Post();
        Command(ID_APP_ABOUT);
    }

    BOOL Start(const std::wstring& strCmdLine, int nCmdShow = SW_SHOW)
    {
        m_strCmdLine = strCmdLine;
        AfxWinInit(::GetModuleHandleW(NULL), NULL, &m_strCmdLine[0], nCmdShow);
        return m_app->InitInstance();
    }
    // A new application object over the same settings, as the next run of the program.
    void Restart()
    {
        if (m_app->m_pMainWnd != NULL)
            m_app->m_pMainWnd->DestroyWindow();
        m_app->ExitInstance();
        m_app.reset(new CTestTolvaneApp(SettingsKey().c_str()));
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
    // The menu bar took the window's menu; the toolbar follows it in the rebar.
    EXPECT_EQ(::GetMenu(Frame()->m_hWnd), nullptr);
    ASSERT_NE(MenuBar(), nullptr);
    EXPECT_EQ(MenuBar()->GetControls()->GetCount(), 5);
    EXPECT_EQ(Frame()->GetCommandBars()->GetCount(), 2);

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

// First start: nothing saved, the window is shown plainly where the framework put it.
TEST_F(TolvaneAppTest, TheFirstStartShowsTheWindowPlainly)
{
    const std::wstring path = TestFolder() + L"first.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(StartWith(path));
    EXPECT_TRUE(Frame()->IsWindowVisible());
    EXPECT_FALSE(Frame()->IsZoomed());
    EXPECT_FALSE(Frame()->IsIconic());
    EXPECT_EQ(SavedPlacement(), "");
}

// A maximised close is restored maximised, even when the program is started minimised; a
// minimised close comes back normal, in the rectangle it had.
TEST_F(TolvaneAppTest, ThePlacementIsSavedAtCloseAndRestoredAtStart)
{
    const std::wstring path = TestFolder() + L"placed.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(StartWith(path));
    Frame()->ShowWindow(SW_MAXIMIZE);
    Frame()->SendMessage(WM_CLOSE);
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
    EXPECT_EQ(SavedPlacement().size(), 44u);

    Restart();
    ASSERT_TRUE(Start(L"\"" + path + L"\"", SW_SHOWMINIMIZED));
    EXPECT_TRUE(Frame()->IsZoomed());
    Frame()->ShowWindow(SW_RESTORE);
    ::SetWindowPos(Frame()->m_hWnd, NULL, 40, 30, 500, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    Frame()->ShowWindow(SW_MINIMIZE);
    Frame()->SendMessage(WM_CLOSE);

    Restart();
    ASSERT_TRUE(StartWith(path));
    EXPECT_FALSE(Frame()->IsZoomed());
    EXPECT_FALSE(Frame()->IsIconic());
    EXPECT_TRUE(Frame()->IsWindowVisible());
    WINDOWPLACEMENT wp = { sizeof wp };
    Frame()->GetWindowPlacement(&wp);
    EXPECT_EQ(CRect(wp.rcNormalPosition), CRect(40, 30, 540, 430));
}

// Cancelling the save question keeps the window, its changes and the old saved state.
TEST_F(TolvaneAppTest, ACancelledCloseSavesNothingAndLosesNothing)
{
    const std::wstring path = TestFolder() + L"cancel.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(StartWith(path));
    Editor()->ReplaceSelection("x");
    ASSERT_TRUE(Doc()->IsModified());
    Frame()->ShowWindow(SW_MAXIMIZE);

    m_app->m_nSaveAnswer = IDCANCEL;
    Frame()->SendMessage(WM_CLOSE);
    ASSERT_NE(m_app->m_pMainWnd, nullptr);
    EXPECT_TRUE(Frame()->IsWindowVisible());
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(EditorText(), "x" + std::string(kXml));
    EXPECT_EQ(SavedPlacement(), "");
    EXPECT_EQ(CZRegistryManager().GetProfileInt(L"CommandBars-Options", L"Schema", 0), 0u);

    // The next close goes through and writes the state of that close.
    m_app->m_nSaveAnswer = IDNO;
    Frame()->SendMessage(WM_CLOSE);
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
    const std::string saved = SavedPlacement();
    ASSERT_EQ(saved.size(), 44u);
    WINDOWPLACEMENT wp;
    memcpy(&wp, saved.data(), sizeof wp);
    EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_EQ(ReadFileBytes(path), kXml);
    EXPECT_EQ(CZRegistryManager().GetProfileInt(L"CommandBars-Options", L"Schema", 0), 34u);
}

// The frame's bars: the menu bar and the logo in the rebar's first row, the "Standard" toolbar
// starting the second; six status panes whose line and column follow the caret.
TEST_F(TolvaneAppTest, TheFrameHoldsItsBarsInTheRebarAndItsPanesInTheStatusBar)
{
    const std::wstring path = TestFolder() + L"bars.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(StartWith(path));
    EXPECT_EQ(ZpGetPaintManager()->m_nThemeNumber, zpThemeNativeXP);
    CZPToolBar* pStandard = DYNAMIC_DOWNCAST(CZPToolBar, Frame()->GetCommandBars()->FindToolBar(IDR_MAINFRAME));
    ASSERT_NE(pStandard, nullptr);
    EXPECT_STREQ(pStandard->GetTitle().GetString(), L"Standard");
    const int kStandardIds[] = { ID_FILE_OPEN,  ID_FILE_SAVE,  ID_EDIT_CUT, ID_EDIT_COPY,
                                 ID_EDIT_PASTE, ID_FILE_PRINT, ID_APP_ABOUT };
    // The seven buttons, then the toolbar's own expand button.
    ASSERT_EQ(pStandard->GetControls()->GetCount(), 8);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(pStandard->ControlAt(i)->GetID(), kStandardIds[i]);
    EXPECT_EQ(pStandard->ControlAt(7)->GetID(), ZP_ID_TOOLBAR_EXPAND);

    CReBarCtrl& bands = Frame()->GetReBar().GetReBarCtrl();
    ASSERT_EQ(bands.GetBandCount(), 3u);
    const UINT kBandIds[] = { 1, IDB_LINK_BANNER, IDR_MAINFRAME };
    for (UINT i = 0; i < 3; ++i) {
        REBARBANDINFOW rbbi = { sizeof rbbi, RBBIM_ID | RBBIM_STYLE | RBBIM_CHILD | RBBIM_IDEALSIZE | RBBIM_CHILDSIZE };
        ASSERT_TRUE(bands.GetBandInfo(i, &rbbi));
        EXPECT_EQ(rbbi.wID, kBandIds[i]);
        if (i == 1) {
            EXPECT_EQ(rbbi.cxIdeal, 100u);
            EXPECT_EQ(rbbi.cxMinChild, 100u);
            EXPECT_EQ(rbbi.cyMinChild, 23u);
            EXPECT_NE(rbbi.fStyle & RBBS_NOGRIPPER, 0u);
            EXPECT_NE(::SendMessageW(rbbi.hwndChild, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
        }
        EXPECT_EQ((rbbi.fStyle & RBBS_BREAK) != 0, i == 2);
    }
    CRect rcMenu, rcLogo, rcStandard;
    MenuBar()->GetWindowRect(&rcMenu);
    ::GetWindowRect(::GetDlgItem(bands.m_hWnd, 0xFFFF), &rcLogo);
    pStandard->GetWindowRect(&rcStandard);
    EXPECT_GE(rcLogo.left, rcMenu.right);
    EXPECT_EQ(rcLogo.Size(), CSize(100, 23));
    EXPECT_GE(rcStandard.top, rcMenu.bottom);

    CZPStatusBar& status = Frame()->GetStatusBar();
    const UINT kPaneIds[] = { 0, 32760, 59140, 59137, 59138, 59139 };
    ASSERT_EQ(status.GetPaneCount(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(status.PaneAt(i)->GetID(), kPaneIds[i]);
    EXPECT_STREQ(PaneText(1).GetString(), L"Line: 1 Col: 1");
    ::SendMessageW(Editor()->m_hWnd, SCI_GOTOLINE, 3, 0);  // "<dict>"
    ::SendMessageW(Editor()->m_hWnd, SCI_LINEEND, 0, 0);
    EXPECT_STREQ(PaneText(1).GetString(), L"Line: 4 Col: 7");
}

// Layouts of a frame's status bar, counted by the WM_SIZEPARENT each one sends it.
int g_nStatusBarLayouts = 0;
LRESULT CALLBACK CountStatusBarLayouts(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && pMsg->message == WM_SIZEPARENT && ::GetDlgCtrlID(pMsg->hwnd) == AFX_IDW_STATUS_BAR)
        ++g_nStatusBarLayouts;
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

// Taking the frame's menu and adding each band must not lay the frame out again and again: it is
// laid out once its bars are all in, with the rebar along the top and the status bar along the
// bottom.
TEST_F(TolvaneAppTest, MakingTheFrameLaysItOutOnce)
{
    const std::wstring path = TestFolder() + L"layout.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(StartWith(path));
    g_nStatusBarLayouts = 0;
    HHOOK hHook = ::SetWindowsHookExW(WH_CALLWNDPROC, CountStatusBarLayouts, NULL, ::GetCurrentThreadId());
    ASSERT_NE(hHook, nullptr);
    CMainFrame* pFrame = new CMainFrame;  // deletes itself with its window
    const BOOL bMade = pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, NULL, NULL);
    ::UnhookWindowsHookEx(hHook);
    ASSERT_TRUE(bMade);
    EXPECT_EQ(g_nStatusBarLayouts, 1);

    CRect rcClient, rcReBar, rcStatus;
    pFrame->GetClientRect(&rcClient);
    pFrame->GetReBar().GetWindowRect(&rcReBar);
    pFrame->ScreenToClient(&rcReBar);
    pFrame->GetStatusBar().GetWindowRect(&rcStatus);
    pFrame->ScreenToClient(&rcStatus);
    EXPECT_EQ(rcReBar.TopLeft(), rcClient.TopLeft());
    EXPECT_EQ(rcReBar.Width(), rcClient.Width());
    EXPECT_GT(rcReBar.Height(), 0);
    EXPECT_EQ(rcStatus.BottomRight(), rcClient.BottomRight());
    EXPECT_EQ(rcStatus.Width(), rcClient.Width());
    EXPECT_GT(rcStatus.Height(), 0);
    pFrame->DestroyWindow();
}

// Each kind of damage to the stored layout on its own: the bars and bands start as built, the
// placement and the document are kept, and no message is shown.
TEST_F(TolvaneAppTest, EachDamagedLayoutStartsWithTheDefaultBarsAndKeepsThePlacement)
{
    const std::wstring path = TestFolder() + L"corpus.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(StartWith(path));
    Frame()->ShowWindow(SW_MAXIMIZE);
    Frame()->SendMessage(WM_CLOSE);
    ASSERT_EQ(m_app->m_pMainWnd, nullptr);
    CZRegistryManager registry;
    BYTE* pData = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(registry.GetProfileBinary(L"CommandBars-Controls", L"Controls", &pData, &nBytes));
    const std::string blob(reinterpret_cast<const char*>(pData), nBytes);
    delete[] pData;
    const CString strBands = registry.GetProfileString(L"CommandBars", L"RebarStateInfo", L"");
    ASSERT_FALSE(strBands.IsEmpty());
    std::string flipped = blob;
    for (size_t i = 3; i < flipped.size(); i += 7)
        flipped[i] = static_cast<char>(flipped[i] ^ 0x5A);

    struct Case
    {
        const char* pszName;
        std::string controls;
        CString strBands;
        BOOL bDamagedSummary;  // also an absurd bar count and a negative bar id
    };
    const Case cases[] = {
        { "truncated", blob.substr(0, blob.size() / 2), strBands },
        { "flipped bytes", flipped, strBands },
        { "garbage bands", blob, L"wID=zz, cx=\n\x01\x7F garbage\nwID=, cx=, fStyle=" },
        { "unknown band ids", blob, L"wID=9999, cx=40, fStyle=00000008\nwID=FFFF, cx=-1, fStyle=FFFFFFFF" },
        { "extra lines", blob, strBands + L"\nwID=0080, cx=10, fStyle=00000008\n\nwID=0001, cx=5, fStyle=00000008" },
        { "garbage everywhere", std::string("\xFF\x00\x13\x37\xFF\xFF\xFF\x7F", 8),
          L"wID=zz, cx=\nwID=FFFF, cx=-1, fStyle=0\n\n", TRUE },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        registry.WriteProfileBinary(L"CommandBars-Controls", L"Controls",
                                    reinterpret_cast<const BYTE*>(c.controls.data()),
                                    static_cast<UINT>(c.controls.size()));
        registry.WriteProfileString(L"CommandBars", L"RebarStateInfo", c.strBands);
        if (c.bDamagedSummary) {
            registry.WriteProfileInt(L"CommandBars-Summary", L"Bars", 100000);
            registry.WriteProfileInt(L"CommandBars-Bar0", L"BarID", -7);
        }
        Restart();
        ASSERT_TRUE(StartWith(path));
        EXPECT_TRUE(Frame()->IsZoomed());
        EXPECT_EQ(EditorText(), kXml);
        EXPECT_EQ(Frame()->GetCommandBars()->GetCount(), 2);
        EXPECT_EQ(MenuBar()->GetControls()->GetCount(), 5);
        EXPECT_TRUE(MenuBar()->IsWindowVisible());
        CZPCommandBar* pStandard = Frame()->GetCommandBars()->FindToolBar(IDR_MAINFRAME);
        ASSERT_NE(pStandard, nullptr);
        EXPECT_EQ(pStandard->GetControls()->GetCount(), 8);
        EXPECT_TRUE(pStandard->IsWindowVisible());
        CReBarCtrl& bands = Frame()->GetReBar().GetReBarCtrl();
        ASSERT_EQ(bands.GetBandCount(), 3u);
        const UINT kBandIds[] = { 1, IDB_LINK_BANNER, IDR_MAINFRAME };
        for (UINT i = 0; i < 3; ++i) {
            REBARBANDINFOW rbbi = {};
            rbbi.cbSize = sizeof rbbi;
            rbbi.fMask = RBBIM_ID | RBBIM_STYLE;
            ASSERT_TRUE(bands.GetBandInfo(i, &rbbi));
            EXPECT_EQ(rbbi.wID, kBandIds[i]);
            EXPECT_EQ(rbbi.fStyle & RBBS_HIDDEN, 0u);
        }
        EXPECT_TRUE(m_app->m_boxes.empty());
    }
}

// The language file beside the program is in force from the first window on: the frame's menu
// and the About box are German; the link target and the logo stay as the code sets them.
TEST_F(TolvaneAppTest, TheLanguageFileBesideTheProgramTranslatesMenuAndAboutBox)
{
    ASSERT_TRUE(::CopyFileW((ExeFolder() + L"lang\\Tolvane.lng").c_str(), LanguageFile().c_str(), FALSE));
    const std::wstring path = TestFolder() + L"german.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(StartWith(path));
    EXPECT_EQ(ZpResourceManagerInstance()->GetLanguage(), 0x407);
    EXPECT_EQ(MenuBar()->GetControls()->GetCount(), 5);
    EXPECT_STREQ(MenuCaption(0).GetString(), L"&Datei");
    EXPECT_STREQ(MenuCaption(1).GetString(), L"&Bearbeiten");
    CZPCommandBar* pView = MenuBar()->ControlAt(2)->GetCommandBar();
    ASSERT_NE(pView, nullptr);
    EXPECT_STREQ(pView->ControlAt(0)->GetCaption().GetString(), L"&Symbolleisten");
    EXPECT_STREQ(pView->ControlAt(1)->GetCaption().GetString(), L"&Skins");
    ASSERT_NE(pView->ControlAt(1)->GetCommandBar(), nullptr);
    EXPECT_STREQ(pView->ControlAt(1)->GetCommandBar()->ControlAt(0)->GetCaption().GetString(), L"Kein Skin");

    CString strCaption, strTarget;
    HBITMAP hLogo = NULL;
    RunAbout([&](CAboutDlg& dlg) {
        dlg.GetWindowText(strCaption);
        strTarget = dlg.GetLink().GetTarget();
        hLogo = dlg.GetLogo().GetBitmap();
    });
    EXPECT_STREQ(strCaption.GetString(), L"Info \u00fcber Tolvane");
    EXPECT_STREQ(strTarget.GetString(), CAboutDlg::GetProductAddress());
    EXPECT_NE(hLogo, nullptr);
    EXPECT_TRUE(m_app->m_boxes.empty());
}

// A missing or damaged language file leaves the English texts, without a message.
TEST_F(TolvaneAppTest, WithoutAReadableLanguageFileTheTextsStayEnglish)
{
    EXPECT_FALSE(m_app->LoadLanguageFile(L"Tolvane", FALSE));
    const std::string cases[] = {
        "<?xml version=\"1.0\"?><resource CompactMode=\"1\"><menu id=\"128\">",
        "",
        "<resources CompactMode=\"1\"/>",
    };
    const std::wstring path = TestFolder() + L"english.plist";
    WriteFileBytes(path, kXml);
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(bytes);
        WriteFileBytes(LanguageFile(), bytes);
        Restart();
        ASSERT_TRUE(StartWith(path));
        EXPECT_STREQ(MenuCaption(0).GetString(), L"&File");
        EXPECT_STREQ(MenuCaption(4).GetString(), L"&Help");
        EXPECT_EQ(ZpResourceManagerInstance()->GetLanguage(), 0x409);
        EXPECT_TRUE(m_app->m_boxes.empty());
    }
}

// Right-to-left layout reaches the frame, its descendants and the windows it owns, and goes again.
TEST_F(TolvaneAppTest, RightToLeftLayoutReachesTheFrameAndWhatItOwns)
{
    const std::wstring path = TestFolder() + L"rtl.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(StartWith(path));
    HWND hOwned = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, Frame()->m_hWnd, NULL, NULL, NULL);
    HWND hStranger = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    auto rtl = [](HWND hWnd) { return (::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0; };

    m_app->SetLayoutRtl(TRUE);
    EXPECT_TRUE(rtl(Frame()->m_hWnd));
    EXPECT_TRUE(rtl(Editor()->m_hWnd));
    EXPECT_TRUE(rtl(hOwned));
    EXPECT_FALSE(rtl(hStranger));
    m_app->SetLayoutRtl(FALSE);
    EXPECT_FALSE(rtl(Frame()->m_hWnd));
    EXPECT_FALSE(rtl(Editor()->m_hWnd));
    EXPECT_FALSE(rtl(hOwned));
    ::DestroyWindow(hOwned);
    ::DestroyWindow(hStranger);
}

// Help > About a hundred times: every box closes and the process keeps no GDI object of it.
TEST_F(TolvaneAppTest, HelpAboutOpensTheBoxWithoutGdiGrowth)
{
    const std::wstring path = TestFolder() + L"about.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(StartWith(path));
    int nOpened = 0;
    auto count = [&](CAboutDlg& dlg) {
        if (dlg.GetLogo().GetBitmap() != NULL)
            ++nOpened;
    };
    RunAbout(count);  // caches of the first use (fonts, tooltip class) settle here
    const DWORD dwBefore = CountGdiObjects();
    for (int i = 0; i < 100; ++i)
        RunAbout(count);
    EXPECT_EQ(nOpened, 101);
    EXPECT_EQ(CountGdiObjects(), dwBefore);
    EXPECT_EQ(FindThreadDialog(), nullptr);
}

TEST_F(TolvaneAppTest, CustomizeRunsTheSheetWithItsFourPagesInCustomizeMode)
{
    const std::wstring path = TestFolder() + L"customize.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(StartWith(path));
    int nPages = 0;
    BOOL bCustomizing = FALSE;
    CModalStep step([&] {
        HWND hSheet = FindThreadDialog();
        ASSERT_NE(hSheet, nullptr);
        nPages = TabCtrl_GetItemCount(PropSheet_GetTabControl(hSheet));
        bCustomizing = Frame()->GetCommandBars()->IsCustomizeMode();
        ::PostMessageW(hSheet, WM_COMMAND, IDCANCEL, 0);
    });
    step.Post();
    Command(ID_VIEW_CUSTOMIZE);
    EXPECT_EQ(nPages, 4);  // Toolbars, Commands, Keyboard, Options
    EXPECT_TRUE(bCustomizing);
    EXPECT_FALSE(Frame()->GetCommandBars()->IsCustomizeMode());
    EXPECT_EQ(FindThreadDialog(), nullptr);
}

// ---- Skins ----

// Records the radio mark the frame gives each id of the skins range.
class CRadioRecorder : public CCmdUI
{
public:
    BOOL m_bRadio = FALSE;
    void Enable(BOOL) override {}
    void SetCheck(int) override {}
    void SetRadio(BOOL bOn) override { m_bRadio = bOn; }
    void SetText(LPCWSTR) override {}
};

// The sample module skin the test runs install into the shared skins folder.
std::wstring SampleSkinModule()
{
    WCHAR szPath[MAX_PATH] = {};
    ::SHGetFolderPathW(NULL, CSIDL_COMMON_APPDATA, NULL, SHGFP_TYPE_CURRENT, szPath);
    return std::wstring(szPath) + L"\\Dunmere\\Skins\\Slate.zpstyles";
}

class SkinsMenuTest : public TolvaneAppTest
{
protected:
    void SetUp() override
    {
        TolvaneAppTest::SetUp();
        static int s_nFolder = 0;
        m_folder = TestFolder() + L"skins-" + std::to_wstring(++s_nFolder) + L"\\";
        ::CreateDirectoryW(m_folder.c_str(), NULL);
        CMainFrame::SetSkinsFolderOverride(m_folder.c_str());
    }
    void TearDown() override
    {
        TolvaneAppTest::TearDown();
        CMainFrame::SetSkinsFolderOverride(NULL);
        CMainFrame::SetDataFolderLookup(NULL);
        ZpSkinManagerInstance()->SelectSkin(NULL, NULL);
    }
    void StartPlain()
    {
        const std::wstring path = TestFolder() + L"skins.plist";
        WriteFileBytes(path, kXml);
        ASSERT_TRUE(StartWith(path));
    }
    // The View > Skins popup of the menu bar.
    CZPPopupBar* SkinsPopup()
    {
        CZPCommandBar* pView = MenuBar()->ControlAt(2)->GetCommandBar();
        for (int i = 0; pView != NULL && i < pView->CountControls(); ++i) {
            CZPCommandBar* pBar = pView->ControlAt(i)->GetCommandBar();
            if (pBar != NULL && pBar->GetControls()->FindControlById(ID_SKIN_NONE) != NULL)
                return DYNAMIC_DOWNCAST(CZPPopupBar, pBar);
        }
        return NULL;
    }
    // The visible items of the Skins popup after a layout, by id.
    std::vector<int> LaidOutSkinItems()
    {
        CZPPopupBar* pPopup = SkinsPopup();
        EXPECT_NE(pPopup, nullptr);
        std::vector<int> ids;
        if (pPopup == NULL)
            return ids;
        pPopup->CalcPopupLayout(0, 0);
        for (int i = 0; i < pPopup->CountControls(); ++i) {
            CZPControl* pControl = pPopup->ControlAt(i);
            if (pControl->IsVisible(0) && pControl->GetID() != ZP_ID_POPUP_EXPAND)
                ids.push_back(pControl->GetID());
        }
        return ids;
    }
    // The button of skin file n that the last layout of the Skins popup inserted.
    CZPControl* SkinButton(int n)
    {
        CZPPopupBar* pPopup = SkinsPopup();
        for (int i = 0; pPopup != NULL && i < pPopup->CountControls(); ++i) {
            CZPControl* pControl = pPopup->ControlAt(i);
            if (pControl->GetID() == ID_SKIN_CUSTOM_FIRST + n && pControl->IsTemporary())
                return pControl;
        }
        return NULL;
    }
    // The ids of the range that carry the radio mark.
    std::vector<UINT> RadioMarks()
    {
        std::vector<UINT> marked;
        for (UINT nID = ID_SKIN_NONE; nID <= ID_SKIN_LAST; ++nID) {
            CRadioRecorder state;
            state.m_nID = nID;
            state.DoUpdate(Frame(), FALSE);
            if (state.m_bRadio)
                marked.push_back(nID);
        }
        return marked;
    }
    void AddFile(LPCWSTR lpszName, const std::string& bytes = std::string())
    {
        WriteFileBytes(m_folder + lpszName, bytes);
    }

    std::wstring m_folder;
};

// An empty folder: the eight fixed items and nothing for the hidden placeholder; skin 2 applies
// (its module is not installed, so the program runs unskinned) and is written at close.
TEST_F(SkinsMenuTest, TheFirstStartAppliesSkinTwoAndAnEmptyFolderAddsNoButton)
{
    StartPlain();
    EXPECT_EQ(Frame()->GetCurrentSkin(), 2u);
    EXPECT_EQ(Frame()->GetSkinFileCount(), 0);
    EXPECT_FALSE(ZpSkinManagerInstance()->IsEnabled());
    EXPECT_EQ(ZpSkinManagerInstance()->GetHookOptions(), 7u);
    EXPECT_FALSE(ZpSkinManagerInstance()->m_bSkinNewThreads);
    const std::vector<int> kFixed = { 32785, 32786, 32787, 32788, 32789, 32790, 32791, 32792 };
    EXPECT_EQ(LaidOutSkinItems(), kFixed);
    EXPECT_EQ(RadioMarks(), std::vector<UINT>{ 32787 });
    Frame()->SendMessage(WM_CLOSE);
    EXPECT_EQ(CZRegistryManager().GetProfileInt(L"Settings", L"Skin", -1), 2u);
}

// Forty files give 32 buttons under 32793-32824; a directory with the extension is skipped; the
// scan never moves the current directory.
TEST_F(SkinsMenuTest, FortyFilesGiveThirtyTwoButtonsAndDirectoriesAreSkipped)
{
    for (int i = 0; i < 40; ++i)
        AddFile((L"skin" + std::to_wstring(i) + L".msstyles").c_str());
    ASSERT_TRUE(::CreateDirectoryW((m_folder + L"x.msstyles").c_str(), NULL));
    AddFile(L"other.zpstyles");
    WCHAR szBefore[MAX_PATH] = {}, szAfter[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, szBefore);
    StartPlain();
    ::GetCurrentDirectoryW(MAX_PATH, szAfter);
    EXPECT_STREQ(szAfter, szBefore);

    ASSERT_EQ(Frame()->GetSkinFileCount(), 32);
    std::set<CString> names;
    for (int n = 0; n < 32; ++n) {
        const SkinFileEntry& entry = Frame()->GetSkinFile(n);
        EXPECT_STRNE(entry.strDisplayName.GetString(), L"x");
        EXPECT_STREQ((entry.strDisplayName + L".msstyles").GetString(), entry.strFileName.GetString());
        names.insert(entry.strFileName);
    }
    EXPECT_EQ(names.size(), 32u);
    std::vector<int> expected = { 32785, 32786, 32787, 32788, 32789, 32790, 32791, 32792 };
    for (int n = 0; n < 32; ++n)
        expected.push_back(ID_SKIN_CUSTOM_FIRST + n);
    // Laid out twice: the buttons of the first layout are replaced, not added to.
    EXPECT_EQ(LaidOutSkinItems(), expected);
    EXPECT_EQ(LaidOutSkinItems(), expected);
    ASSERT_NE(SkinButton(0), nullptr);
    ASSERT_NE(SkinButton(31), nullptr);
    EXPECT_STREQ(SkinButton(0)->GetCaption().GetString(), Frame()->GetSkinFile(0).strDisplayName.GetString());
    EXPECT_STREQ(SkinButton(31)->GetCaption().GetString(), Frame()->GetSkinFile(31).strDisplayName.GetString());
    CZPPopupBar* pPopup = SkinsPopup();

    // In customize mode the placeholder stands alone as an ordinary item.
    Frame()->GetCommandBars()->SetCustomizeMode(TRUE);
    std::vector<int> customizing(expected.begin(), expected.begin() + 9);
    EXPECT_EQ(LaidOutSkinItems(), customizing);
    CZPControl* pPlaceholder = pPopup->GetControls()->FindControlById(ID_SKIN_CUSTOM_FIRST);
    ASSERT_TRUE(pPlaceholder->IsKindOf(RUNTIME_CLASS(CControlSkin)));
    EXPECT_STREQ(pPlaceholder->GetCaption().GetString(), L"[Custom Skins]");
    EXPECT_TRUE(pPlaceholder->IsCustomizeDropAllowed(pPopup->ControlAt(0)));
    EXPECT_FALSE(pPlaceholder->IsCustomizeDropAllowed(MenuBar()->ControlAt(0)));
    Frame()->GetCommandBars()->SetCustomizeMode(FALSE);

    // Each of them can be chosen; the last one is record 31.
    Command(ID_SKIN_LAST);
    EXPECT_EQ(Frame()->GetCurrentSkin(), 39u);
    EXPECT_EQ(RadioMarks(), std::vector<UINT>{ ID_SKIN_LAST });
}

// Files that are not skins are listed but refused: the program stays unskinned, the choice is
// marked and saved. A real skin under the extension loads by its full path, whatever the
// current directory; choosing no skin switches it off.
TEST_F(SkinsMenuTest, FilesThatAreNoSkinsAreListedAndRefused)
{
    AddFile(L"empty.msstyles");
    WCHAR szWindows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(szWindows, MAX_PATH);
    const std::wstring light = std::wstring(szWindows) + L"\\resources\\themes\\light\\light.msstyles";
    const BOOL bLight = ::CopyFileW(light.c_str(), (m_folder + L"light.msstyles").c_str(), FALSE);
    // A 64-bit library: Wine's own where it is installed, else a PE32+ header of our own.
    if (!::CopyFileW(L"Z:\\usr\\lib\\x86_64-linux-gnu\\wine\\x86_64-windows\\version.dll",
                     (m_folder + L"wide.msstyles").c_str(), FALSE)) {
        std::string image(512, '\0');
        image[0] = 'M';
        image[1] = 'Z';
        image[0x3C] = 0x40;
        memcpy(&image[0x40], "PE\0\0\x64\x86", 6);
        image[0x58] = 0x0B;  // optional header magic 0x20B
        image[0x59] = 0x02;
        AddFile(L"wide.msstyles", image);
    }
    ASSERT_TRUE(::CopyFileW(SampleSkinModule().c_str(), (m_folder + L"R&B.msstyles").c_str(), FALSE));
    ::CreateDirectoryW((m_folder + L"x.msstyles").c_str(), NULL);
    StartPlain();
    ASSERT_EQ(Frame()->GetSkinFileCount(), bLight ? 4 : 3);

    LaidOutSkinItems();
    int nSkin = -1;
    for (int n = 0; n < Frame()->GetSkinFileCount(); ++n) {
        const CString strName = Frame()->GetSkinFile(n).strFileName;
        SCOPED_TRACE(strName.GetString());
        ::SetCurrentDirectoryW(szWindows);
        Command(ID_SKIN_CUSTOM_FIRST + n);
        EXPECT_EQ(Frame()->GetCurrentSkin(), 8u + n);
        EXPECT_EQ(RadioMarks(), std::vector<UINT>{ ID_SKIN_CUSTOM_FIRST + static_cast<UINT>(n) });
        const BOOL bSkin = strName == L"R&B.msstyles";
        EXPECT_EQ(ZpSkinManagerInstance()->IsEnabled(), bSkin);
        if (bSkin) {
            nSkin = n;
            const CZPControl* pButton = SkinButton(n);
            ASSERT_NE(pButton, nullptr);
            EXPECT_STREQ(pButton->GetCaption().GetString(), L"R&&B");
        }
    }
    ASSERT_GE(nSkin, 0);
    Command(ID_SKIN_NONE);
    EXPECT_FALSE(ZpSkinManagerInstance()->IsEnabled());
    EXPECT_EQ(RadioMarks(), std::vector<UINT>{ ID_SKIN_NONE });

    // A hundred switches between the skin and none keep no GDI object. Counted from here: the
    // first skin change makes objects once, which are kept for good. Each switch redraws
    // the whole frame, about half a second under the emulator: `bench/run app` runs a thousand
    // and prints the object counts.
    const DWORD dwBefore = CountGdiObjects();
    for (int i = 0; i < 50; ++i) {
        Command(ID_SKIN_CUSTOM_FIRST + nSkin);
        Command(ID_SKIN_NONE);
    }
    EXPECT_EQ(CountGdiObjects(), dwBefore);

    // The choice survives the restart.
    Command(ID_SKIN_CUSTOM_FIRST + nSkin);
    Frame()->SendMessage(WM_CLOSE);
    EXPECT_EQ(CZRegistryManager().GetProfileInt(L"Settings", L"Skin", -1), 8u + nSkin);
    Restart();
    StartPlain();
    EXPECT_EQ(Frame()->GetCurrentSkin(), 8u + nSkin);
    EXPECT_TRUE(ZpSkinManagerInstance()->IsEnabled());
}

BOOL NoDataFolder(LPWSTR)
{
    return FALSE;
}
BOOL EmptyDataFolder(LPWSTR lpszPath)
{
    lpszPath[0] = L'\0';
    return TRUE;
}
BOOL RelativeDataFolder(LPWSTR lpszPath)
{
    wcscpy(lpszPath, L"Data");
    return TRUE;
}

// Without a common data folder nothing is scanned or loaded: count and index are 0 whatever was
// stored, and the Skins popup shows the fixed items only. A folder that does not exist is
// scanned empty and the stored choice stays.
TEST_F(SkinsMenuTest, WithoutADataFolderThereAreNoSkinFilesAndNoSkin)
{
    struct Case
    {
        const char* pszName;
        CMainFrame::PFNDATAFOLDERLOOKUP pfnLookup;
        BOOL bMissingFolder;
        UINT nExpected;
    };
    const Case cases[] = {
        { "the skins folder does not exist", NULL, TRUE, 9 },
        { "the lookup fails", NoDataFolder, FALSE, 0 },
        { "the lookup answers an empty path", EmptyDataFolder, FALSE, 0 },
        { "the lookup answers a relative path", RelativeDataFolder, FALSE, 0 },
    };
    AddFile(L"listed.msstyles");
    StartPlain();
    ASSERT_EQ(Frame()->GetSkinFileCount(), 1);
    CZRegistryManager().WriteProfileInt(L"Settings", L"Skin", 9);
    const std::wstring missing = m_folder + L"missing\\";
    const std::vector<int> kFixed = { 32785, 32786, 32787, 32788, 32789, 32790, 32791, 32792 };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        Restart();
        CMainFrame::SetSkinsFolderOverride(c.bMissingFolder ? missing.c_str() : NULL);
        CMainFrame::SetDataFolderLookup(c.pfnLookup);
        StartPlain();
        EXPECT_EQ(Frame()->GetSkinFileCount(), 0);
        EXPECT_EQ(Frame()->GetCurrentSkin(), c.nExpected);
        EXPECT_EQ(Frame()->GetSkinsFolder().IsEmpty(), !c.bMissingFolder);
        EXPECT_EQ(LaidOutSkinItems(), kFixed);
        EXPECT_EQ(RadioMarks(), std::vector<UINT>{ ID_SKIN_NONE + c.nExpected });
        EXPECT_FALSE(ZpSkinManagerInstance()->IsEnabled());
    }
    // A fixed skin chosen without a folder is marked and kept, and the program stays unskinned.
    Command(ID_SKIN_NONE + 1);
    EXPECT_EQ(RadioMarks(), std::vector<UINT>{ ID_SKIN_NONE + 1 });
    EXPECT_FALSE(ZpSkinManagerInstance()->IsEnabled());
    Frame()->SendMessage(WM_CLOSE);
    EXPECT_EQ(CZRegistryManager().GetProfileInt(L"Settings", L"Skin", -1), 1u);
    EXPECT_TRUE(m_app->m_boxes.empty());
}

// Stored values that name no skin start without one; a record never filled runs unskinned.
TEST_F(SkinsMenuTest, BadStoredSkinValuesStartUnskinned)
{
    struct Case
    {
        DWORD dwType;
        std::vector<BYTE> bytes;
        UINT nExpected;
    };
    auto dword = [](DWORD dw) {
        return std::vector<BYTE>(reinterpret_cast<BYTE*>(&dw), reinterpret_cast<BYTE*>(&dw) + sizeof dw);
    };
    const Case cases[] = {
        { REG_DWORD, dword(static_cast<DWORD>(-1)), 0 },
        { REG_DWORD, dword(40), 0 },
        { REG_DWORD, dword(39), 39 },             // record 31, never filled
        { REG_SZ, { '1', 0, '2', 0, 0, 0 }, 2 },  // too long to read: the default
        { REG_SZ, { '1', 0, 0, 0 }, 0 },          // read as 0x31
    };
    StartPlain();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nExpected);
        HKEY hSettings = m_app->GetSectionKey(L"Settings");
        ASSERT_NE(hSettings, nullptr);
        EXPECT_EQ(::RegSetValueExW(hSettings, L"Skin", 0, c.dwType, c.bytes.data(), static_cast<DWORD>(c.bytes.size())),
                  ERROR_SUCCESS);
        ::RegCloseKey(hSettings);
        Restart();
        StartPlain();
        EXPECT_EQ(Frame()->GetCurrentSkin(), c.nExpected);
        EXPECT_FALSE(ZpSkinManagerInstance()->IsEnabled());
        EXPECT_TRUE(m_app->m_boxes.empty());
    }
}

}  // namespace
