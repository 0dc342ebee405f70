// The application layer end to end: start-up from a command line, command routing, recent
// files and profile across runs, dropped files, saving (and failing to save), closing, shell
// open, the message line, bars, print preview and OLE data.
#include "app_test_program.h"

#include <framework/menu.h>
#include <framework/ole.h>

#include <gtest/gtest.h>

#include <dde.h>
#include <shlobj.h>

#include <memory>
#include <string>

namespace {

std::wstring ToW(const CString& str)
{
    return std::wstring(static_cast<LPCWSTR>(str));
}

std::string ReadFileBytes(const CString& strPath)
{
    HANDLE hFile = CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string data;
    char buffer[4096];
    DWORD nRead = 0;
    while (ReadFile(hFile, buffer, sizeof(buffer), &nRead, NULL) && nRead != 0)
        data.append(buffer, nRead);
    CloseHandle(hFile);
    return data;
}

void WriteFileBytes(const CString& strPath, const std::string& data)
{
    HANDLE hFile = CreateFileW(strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD nWritten = 0;
    WriteFile(hFile, data.data(), static_cast<DWORD>(data.size()), &nWritten, NULL);
    CloseHandle(hFile);
}

void DeleteTree(HKEY hRoot, const CString& strKey)
{
    HKEY hKey = NULL;
    if (RegOpenKeyExW(hRoot, strKey, 0, KEY_READ | KEY_WRITE, &hKey) != ERROR_SUCCESS)
        return;
    WCHAR szSub[256];
    for (;;) {
        DWORD cch = ARRAYSIZE(szSub);
        if (RegEnumKeyExW(hKey, 0, szSub, &cch, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        DeleteTree(hKey, szSub);
    }
    RegCloseKey(hKey);
    RegDeleteKeyW(hRoot, strKey);
}

CString RegString(const CString& strKey, LPCWSTR lpszValue)
{
    WCHAR szData[1024] = {};
    DWORD cb = sizeof(szData) - sizeof(WCHAR);
    if (RegGetValueW(HKEY_CURRENT_USER, strKey, lpszValue, RRF_RT_REG_SZ, NULL, szData, &cb) != ERROR_SUCCESS)
        return L"<none>";
    return szData;
}

DWORD RegDword(const CString& strKey, LPCWSTR lpszValue)
{
    DWORD dwValue = 0xFFFFFFFF, cb = sizeof(dwValue);
    RegGetValueW(HKEY_CURRENT_USER, strKey, lpszValue, RRF_RT_REG_DWORD, NULL, &dwValue, &cb);
    return dwValue;
}

BOOL KeyExists(HKEY hRoot, const CString& strKey)
{
    HKEY hKey = NULL;
    if (RegOpenKeyExW(hRoot, strKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return FALSE;
    RegCloseKey(hKey);
    return TRUE;
}

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        if (!AfxPreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

// Files of the folder that are not the test's own: what a save left behind.
int CountStrayFiles(const CString& strFolder)
{
    WIN32_FIND_DATAW fd;
    HANDLE hFind = FindFirstFileW(strFolder + L"\\*.tmp", &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    int nCount = 0;
    do {
        ++nCount;
    } while (FindNextFileW(hFind, &fd));
    FindClose(hFind);
    return nCount;
}

// An HDROP as the shell hands it over, wide paths.
HDROP MakeDrop(const std::vector<CString>& paths)
{
    size_t nChars = 1;
    for (const CString& path : paths)
        nChars += static_cast<size_t>(path.GetLength()) + 1;
    HGLOBAL hDrop = GlobalAlloc(GHND, sizeof(DROPFILES) + nChars * sizeof(WCHAR));
    DROPFILES* pDrop = static_cast<DROPFILES*>(GlobalLock(hDrop));
    pDrop->pFiles = sizeof(DROPFILES);
    pDrop->fWide = TRUE;
    LPWSTR pch = reinterpret_cast<LPWSTR>(pDrop + 1);
    for (const CString& path : paths) {
        wcscpy(pch, path);
        pch += path.GetLength() + 1;
    }
    *pch = L'\0';
    GlobalUnlock(hDrop);
    return static_cast<HDROP>(hDrop);
}

class AppTest : public testing::Test
{
protected:
    std::unique_ptr<CTestApp> m_app;
    CString m_strKey;         // Software\<m_strKey>\TestPad holds this test's settings
    CString m_strFolder;      // a folder of this test's own
    CString m_strCmdLine;
    BOOL m_bStarted = FALSE;

    void SetUp() override
    {
        static int s_nTest = 0;
        ++s_nTest;
        m_strKey.Format(L"TolvaneTests\\app-%lu-%d", GetCurrentProcessId(), s_nTest);
        WCHAR szTemp[MAX_PATH];
        GetTempPathW(MAX_PATH, szTemp);
        m_strFolder.Format(L"%sfw-app-%lu-%d", szTemp, GetCurrentProcessId(), s_nTest);
        CreateDirectoryW(m_strFolder, NULL);
        g_route.clear();
        NewApp();
    }

    void TearDown() override
    {
        StopApp();
        m_app.reset();
        DeleteTree(HKEY_CURRENT_USER, CString(L"Software\\") + m_strKey);
        WIN32_FIND_DATAW fd;
        HANDLE hFind = FindFirstFileW(m_strFolder + L"\\*", &fd);
        if (hFind != INVALID_HANDLE_VALUE) {
            do {
                CString strPath = m_strFolder + L"\\" + fd.cFileName;
                SetFileAttributesW(strPath, FILE_ATTRIBUTE_NORMAL);
                if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                    RemoveDirectoryW(strPath);
                else
                    DeleteFileW(strPath);
            } while (FindNextFileW(hFind, &fd));
            FindClose(hFind);
        }
        RemoveDirectoryW(m_strFolder);
    }

    void NewApp()
    {
        m_app.reset();
        m_app.reset(new CTestApp);
        m_app->m_strKey = m_strKey;
    }

    BOOL Start(LPCWSTR lpszCmdLine)
    {
        m_strCmdLine = lpszCmdLine;
        AfxWinInit(GetModuleHandleW(NULL), NULL, m_strCmdLine.GetBuffer(), SW_SHOWNORMAL);
        m_bStarted = TRUE;
        BOOL bResult = m_app->InitInstance();
        Pump();
        return bResult;
    }

    void StopApp()
    {
        if (m_app == NULL || !m_bStarted)
            return;
        if (m_app->m_pMainWnd != NULL)
            m_app->m_pMainWnd->DestroyWindow();
        Pump();
        m_app->ExitInstance();
        m_bStarted = FALSE;
    }

    CString MakeFile(LPCWSTR lpszName, const std::string& content)
    {
        CString strPath = m_strFolder + L"\\" + lpszName;
        WriteFileBytes(strPath, content);
        return strPath;
    }

    CString Quoted(const CString& str) { return CString(L"\"") + str + L"\""; }
    CString ProfileKey() { return CString(L"Software\\") + m_strKey + L"\\TestPad"; }
    CTestFrame* Frame() { return static_cast<CTestFrame*>(m_app->m_pMainWnd); }
    CTestDoc* Doc() { return static_cast<CTestDoc*>(Frame()->GetActiveDocument()); }
    CString Title()
    {
        CString strTitle;
        Frame()->GetWindowText(strTitle);
        return strTitle;
    }
    void Command(UINT nID) { Frame()->SendMessage(WM_COMMAND, nID); }
};

TEST_F(AppTest, StartsWithTheFileOnTheCommandLineAndShowsItsTitle)
{
    CString strPath = MakeFile(L"notes.tpad", "hello, pad");
    ASSERT_TRUE(Start(Quoted(strPath)));

    ASSERT_NE(Frame(), nullptr);
    EXPECT_TRUE(Frame()->IsWindowVisible());
    EXPECT_EQ(ToW(Title()), L"notes.tpad - TestPad");
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(ToW(Doc()->m_strText), L"hello, pad");
    EXPECT_TRUE(AfxComparePath(Doc()->GetPathName(), strPath));
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_TRUE(Frame()->GetActiveView()->IsKindOf(RUNTIME_CLASS(CTestView)));
    EXPECT_TRUE(AfxComparePath((*m_app->m_pRecentFileList)[0], strPath));
    EXPECT_TRUE(m_app->m_boxes.empty());
}

TEST_F(AppTest, StartsWithAnEmptyDocumentWithoutArguments)
{
    ASSERT_TRUE(Start(L""));
    EXPECT_EQ(ToW(Title()), L"Untitled - TestPad");
    EXPECT_TRUE(Doc()->GetPathName().IsEmpty());
}

TEST_F(AppTest, ACommandLinePathThatCannotBeOpenedEndsStartUpWithOneMessage)
{
    struct Case
    {
        LPCWSTR name;
        BOOL bFolder;
        LPCWSTR expected;
    } cases[] = {
        { L"missing.tpad", FALSE, L"was not found" },
        { L"folder.tpad", TRUE, L"could not be opened" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << static_cast<const void*>(c.name));
        NewApp();
        CString strPath = m_strFolder + L"\\" + c.name;
        if (c.bFolder)
            CreateDirectoryW(strPath, NULL);
        EXPECT_FALSE(Start(Quoted(strPath)));
        ASSERT_EQ(m_app->m_boxes.size(), 1u);
        EXPECT_NE(m_app->m_boxes[0].find(c.expected), std::wstring::npos) << m_app->m_boxes[0];
        EXPECT_NE(m_app->m_boxes[0].find(c.name), std::wstring::npos);
        EXPECT_EQ(m_app->m_pMainWnd, nullptr);   // the frame made for it is gone
        DWORD dwAttrib = GetFileAttributesW(strPath);
        EXPECT_EQ(dwAttrib, c.bFolder ? static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY) : INVALID_FILE_ATTRIBUTES);
        StopApp();
    }
}

TEST_F(AppTest, AMenuCommandRoutesThroughViewDocumentFrameThenApplication)
{
    ASSERT_TRUE(Start(L""));
    Command(ID_TEST_ROUTE);
    EXPECT_EQ(g_route, (std::vector<std::string>{ "view", "document", "frame", "application" }));
}

TEST_F(AppTest, RecentFilesAndAProfileValueLastFromRunToRun)
{
    CString strA = MakeFile(L"a.tpad", "first"), strB = MakeFile(L"b.tpad", "second");
    WCHAR szModule[MAX_PATH];
    GetModuleFileNameW(NULL, szModule, MAX_PATH);
    for (const CString& strFile : { strA, strB }) {
        CString strCmdLine = Quoted(szModule) + L" --app-child " + m_strKey + L" " + Quoted(strFile);
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        ASSERT_TRUE(CreateProcessW(szModule, strCmdLine.GetBuffer(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
        ASSERT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
        DWORD dwExit = 1;
        GetExitCodeProcess(pi.hProcess, &dwExit);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        EXPECT_EQ(dwExit, 0u);
    }
    CString strRecent = ProfileKey() + L"\\Recent File List";
    EXPECT_TRUE(AfxComparePath(RegString(strRecent, L"File1"), strB));
    EXPECT_TRUE(AfxComparePath(RegString(strRecent, L"File2"), strA));
    EXPECT_EQ(ToW(RegString(strRecent, L"File3")), L"<none>");
    EXPECT_EQ(RegDword(ProfileKey() + L"\\Settings", L"Runs"), 2u);
    EXPECT_EQ(ToW(RegString(ProfileKey() + L"\\Test", L"Title")), L"b.tpad - TestPad");
}

TEST_F(AppTest, GarbledRecentEntriesAndProfileValuesAreSkipped)
{
    CString strA = MakeFile(L"a.tpad", "a");
    CString strRecent = ProfileKey() + L"\\Recent File List";
    HKEY hKey = NULL;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, strRecent, 0, NULL, 0, KEY_WRITE, NULL, &hKey, NULL), ERROR_SUCCESS);
    DWORD dwNumber = 7;
    RegSetValueExW(hKey, L"File1", 0, REG_DWORD, reinterpret_cast<BYTE*>(&dwNumber), sizeof(dwNumber));
    const LPCWSTR values[] = { L"relative\\x.tpad", static_cast<LPCWSTR>(strA), static_cast<LPCWSTR>(strA) };
    const LPCWSTR names[] = { L"File2", L"File3", L"File4" };
    for (int i = 0; i < 3; ++i)
        RegSetValueExW(hKey, names[i], 0, REG_SZ, reinterpret_cast<const BYTE*>(values[i]),
                       static_cast<DWORD>((wcslen(values[i]) + 1) * sizeof(WCHAR)));
    RegCloseKey(hKey);
    CString strSettings = ProfileKey() + L"\\Settings";
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, strSettings, 0, NULL, 0, KEY_WRITE, NULL, &hKey, NULL), ERROR_SUCCESS);
    const WCHAR szGarbage[] = L"12abc";
    RegSetValueExW(hKey, L"Count", 0, REG_SZ, reinterpret_cast<const BYTE*>(szGarbage), sizeof(szGarbage));
    RegSetValueExW(hKey, L"Name", 0, REG_DWORD, reinterpret_cast<BYTE*>(&dwNumber), sizeof(dwNumber));
    RegCloseKey(hKey);

    AfxWinInit(GetModuleHandleW(NULL), NULL, NULL, SW_SHOWNORMAL);
    m_app->SetRegistryKey(m_strKey);
    m_app->LoadStdProfileSettings(4);
    CRecentFileList& list = *m_app->m_pRecentFileList;
    EXPECT_TRUE(AfxComparePath(list[0], strA));
    for (int i = 1; i < list.GetSize(); ++i)
        EXPECT_TRUE(list[i].IsEmpty()) << i;

    EXPECT_EQ(m_app->GetProfileInt(L"Settings", L"Count", 5), 5u);
    EXPECT_EQ(ToW(m_app->GetProfileString(L"Settings", L"Name", L"dflt")), L"dflt");
    BYTE* pData = NULL;
    UINT nBytes = 0;
    EXPECT_FALSE(m_app->GetProfileBinary(L"Settings", L"Count", &pData, &nBytes));
    EXPECT_EQ(pData, nullptr);
    // Reading creates nothing.
    EXPECT_EQ(m_app->GetProfileInt(L"Unknown", L"Entry", 3), 3u);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, ProfileKey() + L"\\Unknown"));
}

TEST_F(AppTest, ProfileFileKeepsValuesWhenNoRegistryKeyIsSet)
{
    AfxWinInit(GetModuleHandleW(NULL), NULL, NULL, SW_SHOWNORMAL);
    CString strIni = m_strFolder + L"\\settings.ini";
    m_app->SetProfileName(strIni);
    BYTE data[] = { 0x10, 0x32, 0xFF };
    EXPECT_TRUE(m_app->WriteProfileInt(L"S", L"Int", -42));
    EXPECT_TRUE(m_app->WriteProfileString(L"S", L"Text", L"some text"));
    EXPECT_TRUE(m_app->WriteProfileBinary(L"S", L"Bin", data, sizeof(data)));
    EXPECT_EQ(static_cast<int>(m_app->GetProfileInt(L"S", L"Int", 0)), -42);
    EXPECT_EQ(ToW(m_app->GetProfileString(L"S", L"Text")), L"some text");
    EXPECT_NE(ReadFileBytes(strIni).find("Bin=ABCDPP"), std::string::npos);   // low nibble first
    BYTE* pData = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(m_app->GetProfileBinary(L"S", L"Bin", &pData, &nBytes));
    ASSERT_EQ(nBytes, sizeof(data));
    EXPECT_EQ(memcmp(pData, data, sizeof(data)), 0);
    delete[] pData;

    // Garbled values give the default or nothing.
    WritePrivateProfileStringW(L"S", L"Odd", L"ABC", strIni);
    WritePrivateProfileStringW(L"S", L"Letters", L"AZ", strIni);
    WritePrivateProfileStringW(L"S", L"NotInt", L"x12", strIni);
    for (LPCWSTR lpszEntry : { L"Odd", L"Letters" }) {
        EXPECT_FALSE(m_app->GetProfileBinary(L"S", lpszEntry, &pData, &nBytes));
        EXPECT_EQ(pData, nullptr);
    }
    EXPECT_EQ(m_app->GetProfileInt(L"S", L"NotInt", 9), 9u);

    EXPECT_TRUE(m_app->WriteProfileString(L"S", NULL, NULL));
    EXPECT_EQ(ToW(m_app->GetProfileString(L"S", L"Text", L"gone")), L"gone");
}

TEST_F(AppTest, RecentFilesFillTheFileMenuAndOpenFromThere)
{
    CString strA = MakeFile(L"a.tpad", "A"), strB = MakeFile(L"b.tpad", "B");
    ASSERT_TRUE(Start(Quoted(strA)));
    ASSERT_NE(m_app->OpenDocumentFile(strB), nullptr);
    EXPECT_EQ(ToW(Title()), L"b.tpad - TestPad");

    HMENU hFile = GetSubMenu(GetMenu(Frame()->m_hWnd), 0);
    Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hFile), MAKELPARAM(0, FALSE));
    WCHAR szCaption[MAX_PATH];
    ASSERT_GT(GetMenuStringW(hFile, ID_FILE_MRU_FILE1, szCaption, MAX_PATH, MF_BYCOMMAND), 0);
    std::wstring caption1 = szCaption;
    ASSERT_GT(GetMenuStringW(hFile, ID_FILE_MRU_FILE1 + 1, szCaption, MAX_PATH, MF_BYCOMMAND), 0);
    std::wstring caption2 = szCaption;
    EXPECT_EQ(caption1.substr(0, 3), L"&1 ");
    EXPECT_EQ(caption1.substr(caption1.size() - 6), L"b.tpad");
    EXPECT_EQ(caption2.substr(0, 3), L"&2 ");
    EXPECT_EQ(caption2.substr(caption2.size() - 6), L"a.tpad");
    // Commands without a handler are disabled, handled ones enabled.
    EXPECT_EQ(GetMenuState(hFile, ID_FILE_SAVE, MF_BYCOMMAND) & MF_GRAYED, 0u);
    HMENU hEdit = GetSubMenu(GetMenu(Frame()->m_hWnd), 1);
    Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hEdit), MAKELPARAM(1, FALSE));
    EXPECT_NE(GetMenuState(hEdit, ID_EDIT_UNDO, MF_BYCOMMAND) & MF_GRAYED, 0u);

    Command(ID_FILE_MRU_FILE1 + 1);
    EXPECT_TRUE(AfxComparePath(Doc()->GetPathName(), strA));

    // An entry whose file went away gives a message and leaves the list.
    DeleteFileW(strB);
    Command(ID_FILE_MRU_FILE1 + 1);
    ASSERT_EQ(m_app->m_boxes.size(), 1u);
    EXPECT_NE(m_app->m_boxes[0].find(L"b.tpad"), std::wstring::npos);
    EXPECT_TRUE(AfxComparePath((*m_app->m_pRecentFileList)[0], strA));
    EXPECT_TRUE((*m_app->m_pRecentFileList)[1].IsEmpty());
    EXPECT_TRUE(AfxComparePath(Doc()->GetPathName(), strA));
}

TEST_F(AppTest, ADroppedFileOpensAndFoldersArePassedOver)
{
    CString strA = MakeFile(L"a.tpad", "dropped A"), strB = MakeFile(L"b.tpad", "dropped B");
    CString strSub = m_strFolder + L"\\sub";
    CreateDirectoryW(strSub, NULL);
    ASSERT_TRUE(Start(L""));

    Frame()->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({ strSub })));
    EXPECT_TRUE(Doc()->GetPathName().IsEmpty());
    Frame()->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({ strSub, strA, strB })));
    EXPECT_TRUE(AfxComparePath(Doc()->GetPathName(), strA));
    EXPECT_EQ(ToW(Doc()->m_strText), L"dropped A");
    EXPECT_EQ(ToW(Title()), L"a.tpad - TestPad");
    EXPECT_TRUE(m_app->m_boxes.empty());
}

TEST_F(AppTest, ClosingAModifiedDocumentAsksToSave)
{
    struct Case
    {
        int nAnswer;
        BOOL bStaysOpen;
        const char* expectedFile;
    } cases[] = {
        { IDCANCEL, TRUE, "text" },
        { IDNO, FALSE, "text" },
        { IDYES, FALSE, "text!" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nAnswer);
        NewApp();
        CString strPath = MakeFile(L"close.tpad", "text");
        ASSERT_TRUE(Start(Quoted(strPath)));
        Command(ID_TEST_EDIT);
        ASSERT_TRUE(Doc()->IsModified());
        m_app->m_answers.push_back(c.nAnswer);
        HWND hWndFrame = Frame()->m_hWnd;
        ::SendMessageW(hWndFrame, WM_CLOSE, 0, 0);
        Pump();
        ASSERT_EQ(m_app->m_boxes.size(), 1u);
        EXPECT_NE(m_app->m_boxes[0].find(L"close.tpad"), std::wstring::npos) << m_app->m_boxes[0];
        EXPECT_EQ(IsWindow(hWndFrame) != FALSE, c.bStaysOpen != FALSE);
        EXPECT_EQ(ReadFileBytes(strPath), c.expectedFile);
        EXPECT_EQ(CountStrayFiles(m_strFolder), 0);
        StopApp();
    }
}

TEST_F(AppTest, AFailedSaveLeavesEveryFileAsItWas)
{
    CString strA = MakeFile(L"a.tpad", "original A"), strB = MakeFile(L"b.tpad", "original B");
    CString strNew = m_strFolder + L"\\new.tpad";
    ASSERT_TRUE(Start(Quoted(strA)));
    Doc()->m_strText = L"a longer text that the disk will not take";
    Doc()->SetModifiedFlag();
    Doc()->m_bFailWrite = TRUE;

    struct Case
    {
        UINT nCommand;
        const CString* pTarget;
    } cases[] = {
        { ID_FILE_SAVE, &strA },
        { ID_FILE_SAVE_AS, &strB },
        { ID_FILE_SAVE_AS, &strNew },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToW(*c.pTarget).c_str());
        m_app->m_boxes.clear();
        if (c.nCommand == ID_FILE_SAVE_AS)
            m_app->m_fileNames.push_back(ToW(*c.pTarget));
        Command(c.nCommand);
        ASSERT_EQ(m_app->m_boxes.size(), 1u);
        EXPECT_NE(m_app->m_boxes[0].find(ToW(*c.pTarget)), std::wstring::npos) << m_app->m_boxes[0];
        EXPECT_EQ(ReadFileBytes(strA), "original A");
        EXPECT_EQ(ReadFileBytes(strB), "original B");
        EXPECT_EQ(ReadFileBytes(strNew), "<missing>");
        EXPECT_EQ(CountStrayFiles(m_strFolder), 0);
        EXPECT_TRUE(Doc()->IsModified());
        EXPECT_TRUE(AfxComparePath(Doc()->GetPathName(), strA));
    }

    // The same save that works replaces the file and leaves nothing else.
    Doc()->m_bFailWrite = FALSE;
    Command(ID_FILE_SAVE);
    EXPECT_EQ(ReadFileBytes(strA), "a longer text that the disk will not take");
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(CountStrayFiles(m_strFolder), 0);
}

TEST_F(AppTest, AReadOnlyFileIsSavedUnderANameTheUserPicks)
{
    CString strA = MakeFile(L"ro.tpad", "read only"), strCopy = m_strFolder + L"\\copy.tpad";
    SetFileAttributesW(strA, FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(Start(Quoted(strA)));
    Command(ID_TEST_EDIT);
    m_app->m_fileNames.push_back(ToW(strCopy));
    Command(ID_FILE_SAVE);
    EXPECT_EQ(m_app->m_nPromptedFileNames, 1);
    EXPECT_EQ(ReadFileBytes(strA), "read only");
    EXPECT_EQ(ReadFileBytes(strCopy), "read only!");
    EXPECT_TRUE(AfxComparePath(Doc()->GetPathName(), strCopy));
    EXPECT_EQ(ToW(Title()), L"copy.tpad - TestPad");
}

TEST_F(AppTest, TheMessageLineShowsCommandPromptsAndReady)
{
    ASSERT_TRUE(Start(L""));
    CWnd messageBar;
    ASSERT_TRUE(messageBar.Create(L"STATIC", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), Frame(), AFX_IDW_STATUS_BAR));
    CString strText;

    Frame()->SetMessageText(ID_FILE_OPEN);
    messageBar.GetWindowText(strText);
    EXPECT_EQ(ToW(strText), L"Open a document");
    Frame()->SendMessage(WM_MENUSELECT, MAKEWPARAM(SC_CLOSE, MF_SYSMENU), 0);
    messageBar.GetWindowText(strText);
    EXPECT_EQ(ToW(strText), L"Close the window, asking to save changes");
    Frame()->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    messageBar.GetWindowText(strText);
    EXPECT_EQ(ToW(strText), L"Ready");
    Frame()->SetMessageText(L"own text");
    messageBar.GetWindowText(strText);
    EXPECT_EQ(ToW(strText), L"own text");
}

class CTestBar : public CControlBar
{
public:
    int m_nUpdates = 0;
    CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(32767, 20); }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override { ++m_nUpdates; }
};

TEST_F(AppTest, AControlBarTakesItsEdgeAndShowsOrHidesAtIdle)
{
    ASSERT_TRUE(Start(L""));
    CTestBar bar;
    const UINT nBarId = AFX_IDW_CONTROLBAR_FIRST + 0x20;
    ASSERT_TRUE(bar.Create(NULL, NULL, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, CRect(0, 0, 0, 0), Frame(), nBarId));
    EXPECT_EQ(bar.GetBarStyle() & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_BOTTOM));
    EXPECT_EQ(Frame()->GetControlBar(nBarId), &bar);
    Frame()->RecalcLayout();

    CRect rectClient, rectBar, rectView;
    Frame()->GetClientRect(&rectClient);
    bar.GetWindowRect(&rectBar);
    Frame()->ScreenToClient(&rectBar);
    Frame()->GetActiveView()->GetWindowRect(&rectView);
    Frame()->ScreenToClient(&rectView);
    EXPECT_EQ(rectBar.bottom, rectClient.bottom);
    EXPECT_EQ(rectBar.Height(), 20);
    EXPECT_EQ(rectView.bottom, rectBar.top);

    m_app->OnIdle(0);
    EXPECT_GT(bar.m_nUpdates, 0);

    Frame()->ShowControlBar(&bar, FALSE, TRUE);
    EXPECT_TRUE(bar.IsWindowVisible());   // not before idle time
    m_app->OnIdle(0);
    EXPECT_FALSE(bar.IsWindowVisible());
    m_app->OnIdle(0);   // the frame lays out again
    Frame()->GetActiveView()->GetWindowRect(&rectView);
    Frame()->ScreenToClient(&rectView);
    EXPECT_EQ(rectView.bottom, rectClient.bottom);

    bar.DestroyWindow();
    EXPECT_EQ(Frame()->GetControlBar(nBarId), nullptr);
}

TEST_F(AppTest, ShellOpenIsRegisteredForThisUserOnly)
{
    const CString strClasses = L"Software\\Classes\\";
    ASSERT_TRUE(Start(L""));
    m_app->RegisterShellFileTypes(FALSE);
    EXPECT_EQ(ToW(RegString(strClasses + L"TolvaneTest.Pad", NULL)), L"Tolvane Test Pad");
    EXPECT_NE(ToW(RegString(strClasses + L"TolvaneTest.Pad\\shell\\open\\command", NULL)).find(L" /dde"), std::wstring::npos);
    EXPECT_EQ(ToW(RegString(strClasses + L"TolvaneTest.Pad\\shell\\open\\ddeexec", NULL)), L"[open(\"%1\")]");
    EXPECT_EQ(ToW(RegString(strClasses + L".tpad", NULL)), L"TolvaneTest.Pad");
    EXPECT_EQ(ToW(RegString(strClasses + L"TolvaneTest.Pad\\shell\\print\\command", NULL)), L"<none>");
    m_app->UnregisterShellFileTypes();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, strClasses + L"TolvaneTest.Pad"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, strClasses + L".tpad"));

    // An extension another program owns stays its own.
    const WCHAR szOther[] = L"Other.Type";
    RegSetKeyValueW(HKEY_CURRENT_USER, strClasses + L".tpad", NULL, REG_SZ, szOther, sizeof(szOther));
    m_app->RegisterShellFileTypes(FALSE);
    EXPECT_EQ(ToW(RegString(strClasses + L".tpad", NULL)), L"Other.Type");
    m_app->UnregisterShellFileTypes();
    EXPECT_EQ(ToW(RegString(strClasses + L".tpad", NULL)), L"Other.Type");
    DeleteTree(HKEY_CURRENT_USER, strClasses + L".tpad");
}

// A DDE client window: notes who acknowledged what.
struct DdeClient
{
    static HWND s_hWndServer;
    static int s_nExecuteAcks;
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
    {
        if (nMsg == WM_DDE_ACK && s_hWndServer == NULL) {
            s_hWndServer = reinterpret_cast<HWND>(wParam);
            GlobalDeleteAtom(LOWORD(lParam));
            GlobalDeleteAtom(HIWORD(lParam));
            return 0;
        }
        if (nMsg == WM_DDE_ACK) {
            UINT_PTR uStatus = 0, uData = 0;
            UnpackDDElParam(WM_DDE_ACK, lParam, &uStatus, &uData);
            FreeDDElParam(WM_DDE_ACK, lParam);
            GlobalFree(reinterpret_cast<HGLOBAL>(uData));
            if ((uStatus & 0x8000) != 0)
                ++s_nExecuteAcks;
            return 0;
        }
        return DefWindowProcW(hWnd, nMsg, wParam, lParam);
    }
};
HWND DdeClient::s_hWndServer = NULL;
int DdeClient::s_nExecuteAcks = 0;

TEST_F(AppTest, TheShellOpensAFileByDde)
{
    CString strA = MakeFile(L"dde.tpad", "by dde");
    ASSERT_TRUE(Start(L"/dde"));
    EXPECT_TRUE(Doc()->GetPathName().IsEmpty());

    WNDCLASSW wc = {};
    wc.lpfnWndProc = DdeClient::WndProc;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.lpszClassName = L"TolvaneTestDdeClient";
    RegisterClassW(&wc);
    HWND hWndClient = CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, NULL, NULL, wc.hInstance, NULL);
    ATOM atomApp = GlobalAddAtomW(m_app->m_pszExeName), atomTopic = GlobalAddAtomW(L"system");
    DdeClient::s_hWndServer = NULL;
    DdeClient::s_nExecuteAcks = 0;
    Frame()->SendMessage(WM_DDE_INITIATE, reinterpret_cast<WPARAM>(hWndClient), MAKELPARAM(atomApp, atomTopic));
    ASSERT_EQ(DdeClient::s_hWndServer, Frame()->m_hWnd);

    CString strCommand = CString(L"[open(\"") + strA + L"\")]";
    HGLOBAL hCommand = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, (strCommand.GetLength() + 1) * sizeof(WCHAR));
    wcscpy(static_cast<LPWSTR>(GlobalLock(hCommand)), strCommand);
    GlobalUnlock(hCommand);
    PostMessageW(Frame()->m_hWnd, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(hWndClient),
                 PackDDElParam(WM_DDE_EXECUTE, 0, reinterpret_cast<UINT_PTR>(hCommand)));
    Pump();
    EXPECT_EQ(DdeClient::s_nExecuteAcks, 1);
    EXPECT_TRUE(AfxComparePath(Doc()->GetPathName(), strA));
    EXPECT_EQ(ToW(Doc()->m_strText), L"by dde");
    DestroyWindow(hWndClient);
    GlobalDeleteAtom(atomApp);
    GlobalDeleteAtom(atomTopic);

    // Commands it does not know are refused, not guessed at.
    for (LPCWSTR lpszBad : { L"[print(\"x.tpad\")]", L"open(x.tpad)", L"[open()]", L"[open(\"a\"b\")]", L"" }) {
        CString strBad(lpszBad);
        EXPECT_FALSE(m_app->OnDDECommand(strBad.GetBuffer())) << lpszBad;
    }
}

TEST_F(AppTest, PrintPreviewCoversTheViewAndGivesItBack)
{
    CString strA = MakeFile(L"print.tpad", "to print");
    ASSERT_TRUE(Start(Quoted(strA)));
    CView* pView = Frame()->GetActiveView();
    BOOL bPrinter = FALSE;
    {
        CPrintDialog pd(TRUE);
        bPrinter = pd.GetDefaults();
    }
    Command(ID_FILE_PRINT_PREVIEW);
    if (!bPrinter) {
        // No printer under this system: said so, nothing changed.
        ASSERT_EQ(m_app->m_boxes.size(), 1u);
        EXPECT_NE(m_app->m_boxes[0].find(L"No printer"), std::wstring::npos);
        EXPECT_FALSE(Frame()->IsInPreviewMode());
        EXPECT_EQ(Frame()->GetActiveView(), pView);
        return;
    }
    ASSERT_TRUE(Frame()->IsInPreviewMode());
    EXPECT_TRUE(Frame()->GetActiveView()->IsKindOf(RUNTIME_CLASS(CPreviewView)));
    EXPECT_FALSE(pView->IsWindowVisible());
    Frame()->UpdateWindow();
    Command(AFX_ID_PREVIEW_CLOSE);
    EXPECT_FALSE(Frame()->IsInPreviewMode());
    EXPECT_EQ(Frame()->GetActiveView(), pView);
    EXPECT_TRUE(pView->IsWindowVisible());
    EXPECT_EQ(pView->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
}

TEST_F(AppTest, ClipboardDataAndDropTargetGoThroughOle)
{
    ASSERT_TRUE(Start(L""));
    const WCHAR szText[] = L"clipboard text";
    ASSERT_TRUE(OpenClipboard(Frame()->m_hWnd));
    EmptyClipboard();
    HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE, sizeof(szText));
    memcpy(GlobalLock(hText), szText, sizeof(szText));
    GlobalUnlock(hText);
    SetClipboardData(CF_UNICODETEXT, hText);
    CloseClipboard();

    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_TRUE(data.IsDataAvailable(CF_UNICODETEXT));
    HGLOBAL hCopy = data.GetGlobalData(CF_UNICODETEXT);
    ASSERT_NE(hCopy, nullptr);
    EXPECT_EQ(std::wstring(static_cast<LPCWSTR>(GlobalLock(hCopy))), szText);
    GlobalUnlock(hCopy);
    GlobalFree(hCopy);
    EXPECT_EQ(data.GetGlobalData(RegisterClipboardFormatW(L"Tolvane Test Nothing")), nullptr);
    data.Release();

    COleDropTarget target;
    EXPECT_TRUE(target.Register(Frame()->GetActiveView()));
    EXPECT_FALSE(target.Register(Frame()->GetActiveView()));   // once per target
    target.Revoke();
    EXPECT_EQ(target.m_hWnd, nullptr);
}

}  // namespace
