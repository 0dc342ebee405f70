// A small single-document program on the framework: a text document, a view that draws it and a
// frame with a menu. Prompts are answered from scripts the tests fill, never shown.
#pragma once

#include <framework/app.h>

#include "app_test_ids.h"

#include <deque>
#include <string>
#include <vector>

// Who saw ID_TEST_ROUTE, in order.
extern std::vector<std::string> g_route;

class CTestDoc : public CDocument
{
    DECLARE_DYNCREATE(CTestDoc)
public:
    CString m_strText;
    // Storing writes part of the text, then fails as a full disk would.
    BOOL m_bFailWrite = FALSE;

    void Serialize(CArchive& ar) override;
    void DeleteContents() override { m_strText.Empty(); }
    BOOL OnRoute(UINT);
    void OnEdit();

    DECLARE_MESSAGE_MAP()
};

class CTestView : public CView
{
    DECLARE_DYNCREATE(CTestView)
public:
    CTestDoc* GetDocument() const { return static_cast<CTestDoc*>(m_pDocument); }
    void OnDraw(CDC* pDC) override;
    BOOL OnRoute(UINT);

    DECLARE_MESSAGE_MAP()
};

class CTestFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CTestFrame)
public:
    BOOL OnRoute(UINT);

    DECLARE_MESSAGE_MAP()
};

class CTestApp : public CWinApp
{
public:
    CTestApp() : CWinApp(NULL) {}

    CString m_strKey;                 // registry key of this run (a test's own)
    std::deque<int> m_answers;        // what the message boxes answer, in turn
    std::vector<std::wstring> m_boxes;
    std::deque<std::wstring> m_fileNames;   // what the file dialogs answer; empty = cancel
    int m_nPromptedFileNames = 0;

    BOOL InitInstance() override;
    int DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;
    BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                          CDocTemplate* pTemplate) override;
    BOOL OnRoute(UINT);

    DECLARE_MESSAGE_MAP()
};

// Runs the program as its own process would: "--app-child <registry key> [file]".
int RunChildApp(LPCWSTR lpszArgs);
