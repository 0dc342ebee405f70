// The test program's document, view, frame and application, and its entry point.
#include "app_test_program.h"

#include <framework/exceptions.h>

#include <gtest/gtest.h>

#include <shellapi.h>

std::vector<std::string> g_route;

// ---- document ----

IMPLEMENT_DYNCREATE(CTestDoc, CDocument)

BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
    ON_COMMAND_EX(ID_TEST_ROUTE, OnRoute)
    ON_COMMAND(ID_TEST_EDIT, OnEdit)
END_MESSAGE_MAP()

void CTestDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        int nBytes = WideCharToMultiByte(CP_UTF8, 0, m_strText, m_strText.GetLength(), NULL, 0, NULL, NULL);
        std::string utf8(static_cast<size_t>(nBytes), '\0');
        WideCharToMultiByte(CP_UTF8, 0, m_strText, m_strText.GetLength(), &utf8[0], nBytes, NULL, NULL);
        if (m_bFailWrite) {
            ar.Write(utf8.data(), static_cast<UINT>(utf8.size() / 2));
            ar.Flush();
            AfxThrowFileException(CFileException::diskFull);
        }
        ar.Write(utf8.data(), static_cast<UINT>(utf8.size()));
        return;
    }
    std::string utf8;
    char buffer[4096];
    for (UINT nRead; (nRead = ar.Read(buffer, sizeof(buffer))) != 0;)
        utf8.append(buffer, nRead);
    int nChars = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), NULL, 0);
    LPWSTR pch = m_strText.GetBufferSetLength(nChars);
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), pch, nChars);
    m_strText.ReleaseBuffer(nChars);
}

BOOL CTestDoc::OnRoute(UINT)
{
    g_route.push_back("document");
    return FALSE;   // routing goes on
}

void CTestDoc::OnEdit()
{
    m_strText += L"!";
    SetModifiedFlag();
    UpdateAllViews(NULL);
}

// ---- view ----

IMPLEMENT_DYNCREATE(CTestView, CView)

BEGIN_MESSAGE_MAP(CTestView, CView)
    ON_COMMAND_EX(ID_TEST_ROUTE, OnRoute)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

void CTestView::OnDraw(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    if (CTestDoc* pDoc = GetDocument())
        pDC->DrawText(pDoc->m_strText, &rect, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
}

BOOL CTestView::OnRoute(UINT)
{
    g_route.push_back("view");
    return FALSE;
}

// ---- frame ----

IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_COMMAND_EX(ID_TEST_ROUTE, OnRoute)
END_MESSAGE_MAP()

BOOL CTestFrame::OnRoute(UINT)
{
    g_route.push_back("frame");
    return FALSE;
}

// ---- application ----

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND_EX(ID_TEST_ROUTE, OnRoute)
END_MESSAGE_MAP()

BOOL CTestApp::InitInstance()
{
    if (!AfxOleInit())
        return FALSE;
    SetRegistryKey(m_strKey);
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_TESTDOC, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                          RUNTIME_CLASS(CTestView)));
    EnableShellOpen();
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;
    m_pMainWnd->DragAcceptFiles();
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    // A value kept from run to run.
    WriteProfileInt(L"Settings", L"Runs", static_cast<int>(GetProfileInt(L"Settings", L"Runs", 0)) + 1);
    return TRUE;
}

int CTestApp::DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT)
{
    m_boxes.push_back(lpszPrompt);
    if (!m_answers.empty()) {
        int nAnswer = m_answers.front();
        m_answers.pop_front();
        return nAnswer;
    }
    UINT nButtons = nType & MB_TYPEMASK;
    return nButtons == MB_YESNO || nButtons == MB_YESNOCANCEL ? IDNO : IDOK;
}

BOOL CTestApp::DoPromptFileName(CString& fileName, UINT, DWORD, BOOL, CDocTemplate*)
{
    ++m_nPromptedFileNames;
    if (m_fileNames.empty())
        return FALSE;
    fileName = m_fileNames.front().c_str();
    m_fileNames.pop_front();
    return TRUE;
}

BOOL CTestApp::OnRoute(UINT)
{
    g_route.push_back("application");
    return TRUE;
}

// ---- entry ----

int RunChildApp(LPCWSTR lpszArgs)
{
    // "<key> [arguments of the program]"
    CString strArgs(lpszArgs);
    strArgs.Trim();
    int nSpace = strArgs.Find(L' ');
    CTestApp app;
    app.m_strKey = nSpace < 0 ? strArgs : strArgs.Left(nSpace);
    CString strCmdLine = nSpace < 0 ? CString() : strArgs.Mid(nSpace + 1);

    // Closes itself once started, after noting the title it showed.
    struct CChildApp
    {
        static BOOL Init(CTestApp& rApp)
        {
            if (!rApp.InitInstance())
                return FALSE;
            CString strTitle;
            rApp.m_pMainWnd->GetWindowText(strTitle);
            rApp.WriteProfileString(L"Test", L"Title", strTitle);
            // TOLVANE_TEST_LINGER_MS keeps the window up a while, for a screenshot.
            WCHAR szLinger[16] = {};
            UINT nLinger = GetEnvironmentVariableW(L"TOLVANE_TEST_LINGER_MS", szLinger, 16) != 0 ? _wtoi(szLinger) : 0;
            if (nLinger == 0)
                rApp.m_pMainWnd->PostMessage(WM_CLOSE);
            else
                ::SetTimer(rApp.m_pMainWnd->m_hWnd, 1, nLinger, &CChildApp::OnLingerEnd);
            return TRUE;
        }
        static void CALLBACK OnLingerEnd(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
        {
            ::KillTimer(hWnd, nIDEvent);
            ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
        }
    };
    AfxWinInit(::GetModuleHandleW(NULL), NULL, strCmdLine.GetBuffer(), SW_SHOWNORMAL);
    if (!CChildApp::Init(app)) {
        if (app.m_pMainWnd != NULL)
            app.m_pMainWnd->DestroyWindow();
        app.ExitInstance();
        return 2;
    }
    return app.Run();
}

int main(int argc, char** argv)
{
    int nArgs = 0;
    LPWSTR* wargv = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs);
    if (wargv != NULL && nArgs >= 2 && wcscmp(wargv[1], L"--app-child") == 0) {
        // The arguments after the switch, as the program would get them.
        LPCWSTR pszArgs = wcsstr(::GetCommandLineW(), L"--app-child") + wcslen(L"--app-child");
        ::LocalFree(wargv);
        return RunChildApp(pszArgs);
    }
    ::LocalFree(wargv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
