// The application object: start-up and shut-down, the command line, recent files and the file
// commands. Profile settings, shell registration and DDE are files of their own.
#include <framework/app.h>
#include <framework/exceptions.h>

#include <shellapi.h>
#include <wchar.h>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, OnOpenRecentFile)
END_MESSAGE_MAP()

namespace {

const UINT kMaxRecentFiles = ID_FILE_MRU_LAST - ID_FILE_MRU_FIRST + 1;

}  // namespace

// ---- globals ----

CWinApp* AfxGetApp()
{
    return AfxGetModuleState()->m_pCurrentWinApp;
}

void AfxPostQuitMessage(int nExitCode)
{
    ::PostQuitMessage(nExitCode);
}

BOOL AfxOleInit()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_bOleInitialized)
        return TRUE;
    if (FAILED(::OleInitialize(NULL)))
        return FALSE;
    if (pApp != NULL)
        pApp->m_bOleInitialized = TRUE;
    return TRUE;
}

BOOL AfxFullPath(LPWSTR lpszPathOut, LPCWSTR lpszFileIn)
{
    WCHAR szFull[MAX_PATH];
    DWORD nLen = ::GetFullPathNameW(lpszFileIn, MAX_PATH, szFull, NULL);
    if (nLen == 0 || nLen >= MAX_PATH) {
        lstrcpynW(lpszPathOut, lpszFileIn, MAX_PATH);
        return FALSE;
    }
    // The names as stored on disk, where the file exists.
    WCHAR szLong[MAX_PATH];
    nLen = ::GetLongPathNameW(szFull, szLong, MAX_PATH);
    lstrcpynW(lpszPathOut, nLen != 0 && nLen < MAX_PATH ? szLong : szFull, MAX_PATH);
    return TRUE;
}

BOOL AfxComparePath(LPCWSTR lpszPath1, LPCWSTR lpszPath2)
{
    return ::CompareStringOrdinal(lpszPath1, -1, lpszPath2, -1, TRUE) == CSTR_EQUAL;
}

void AfxFormatString1(CString& rString, UINT nIDS, LPCWSTR lpsz1)
{
    rString.LoadString(nIDS);
    rString.Replace(L"%1", lpsz1 != NULL ? lpsz1 : L"");
}

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPWSTR lpCmdLine, int nCmdShow)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pState->m_hCurrentInstanceHandle = hInstance;
    if (pState->m_hCurrentResourceHandle == NULL)
        pState->m_hCurrentResourceHandle = hInstance;
    if (CWinApp* pApp = AfxGetApp())
        pApp->SetCurrentHandles(hInstance, lpCmdLine, nCmdShow);
    return TRUE;
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
        return -1;
    try {
        if (!pApp->InitInstance()) {
            if (pApp->m_pMainWnd != NULL)
                pApp->m_pMainWnd->DestroyWindow();
            return pApp->ExitInstance();
        }
        return pApp->Run();
    } catch (CException* e) {
        e->ReportError(MB_ICONSTOP);
        e->Delete();
        return -1;
    }
}

// ---- CCommandLineInfo ----

CCommandLineInfo::CCommandLineInfo()
    : m_nShellCommand(FileNew), m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE)
{
}

void CCommandLineInfo::ParseParam(LPCWSTR pszParam, BOOL bFlag, BOOL)
{
    if (bFlag) {
        if (lstrcmpiW(pszParam, L"pt") == 0) {
            m_nShellCommand = FilePrintTo;
        } else if (lstrcmpiW(pszParam, L"p") == 0) {
            m_nShellCommand = FilePrint;
        } else if (lstrcmpiW(pszParam, L"dde") == 0) {
            m_nShellCommand = FileDDE;
        } else if (lstrcmpiW(pszParam, L"embedding") == 0 || lstrcmpiW(pszParam, L"automation") == 0) {
            m_bShowSplash = FALSE;
            m_bRunEmbedded = lstrcmpiW(pszParam, L"embedding") == 0;
            m_bRunAutomated = !m_bRunEmbedded;
            m_nShellCommand = FileNothing;
        }
        return;   // unknown switches are ignored
    }
    if (m_strFileName.IsEmpty()) {
        m_strFileName = pszParam;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    } else if (m_nShellCommand == FilePrintTo) {
        if (m_strPrinterName.IsEmpty())
            m_strPrinterName = pszParam;
        else if (m_strDriverName.IsEmpty())
            m_strDriverName = pszParam;
        else if (m_strPortName.IsEmpty())
            m_strPortName = pszParam;
    }
}

// ---- CWinApp ----

CWinApp::CWinApp(LPCWSTR lpszAppName)
    : m_hInstance(NULL), m_lpCmdLine(NULL), m_nCmdShow(SW_SHOWNORMAL), m_pszAppName(NULL), m_pszRegistryKey(NULL),
      m_pszProfileName(NULL), m_pszExeName(NULL), m_pRecentFileList(NULL), m_hDevMode(NULL), m_hDevNames(NULL),
      m_atomApp(0), m_atomSystemTopic(0), m_bOleInitialized(FALSE)
{
    if (lpszAppName != NULL) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName;
    }
    AfxGetModuleState()->m_pCurrentWinApp = this;
}

void CWinApp::EnableModeless(BOOL bEnable)
{
    if (!bEnable)
        ++m_nModelessDisabled;
    else if (m_nModelessDisabled > 0)
        --m_nModelessDisabled;
    if (CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pMainWnd))
        pFrame->EnableModeless(bEnable);
}

CWinApp::~CWinApp()
{
    while (!m_templateList.IsEmpty()) {
        CDocTemplate* pTemplate = static_cast<CDocTemplate*>(m_templateList.RemoveHead());
        if (pTemplate->m_bAutoDelete)
            delete pTemplate;
    }
    delete m_pRecentFileList;
    if (m_hDevMode != NULL)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames != NULL)
        ::GlobalFree(m_hDevNames);
    if (m_atomApp != 0)
        ::GlobalDeleteAtom(m_atomApp);
    if (m_atomSystemTopic != 0)
        ::GlobalDeleteAtom(m_atomSystemTopic);
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    if (pState->m_pCurrentWinApp == this)
        pState->m_pCurrentWinApp = NULL;
}

void CWinApp::SetCurrentHandles(HINSTANCE hInstance, LPCWSTR lpszCmdLine, int nCmdShow)
{
    m_hInstance = hInstance;
    m_strCmdLine = lpszCmdLine != NULL ? lpszCmdLine : L"";
    m_lpCmdLine = m_strCmdLine.GetBuffer();
    m_nCmdShow = nCmdShow;

    WCHAR szModule[MAX_PATH];
    DWORD nLen = ::GetModuleFileNameW(hInstance, szModule, MAX_PATH);
    szModule[nLen < MAX_PATH ? nLen : MAX_PATH - 1] = L'\0';
    LPCWSTR pszName = wcsrchr(szModule, L'\\');
    m_strExeName = pszName != NULL ? pszName + 1 : szModule;
    int nDot = m_strExeName.ReverseFind(L'.');
    if (nDot > 0)
        m_strExeName.Truncate(nDot);
    m_pszExeName = m_strExeName;

    if (m_strAppName.IsEmpty() && !m_strAppName.LoadString(AFX_IDS_APP_TITLE))
        m_strAppName = m_strExeName;
    m_pszAppName = m_strAppName;
    if (m_pszProfileName == NULL) {
        m_strProfileName = m_strExeName + L".INI";
        m_pszProfileName = m_strProfileName;
    }
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    if (m_pMainWnd == NULL)
        AfxPostQuitMessage(0);   // nothing to run for
    return CWinThread::Run();
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    if (m_bOleInitialized) {
        ::OleUninitialize();
        m_bOleInitialized = FALSE;
    }
    return CWinThread::ExitInstance();
}

int CWinApp::DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT)
{
    // Owned by the active top-level window of this program, else the main window.
    HWND hWndOwner = ::GetActiveWindow();
    if (hWndOwner == NULL && m_pMainWnd != NULL)
        hWndOwner = m_pMainWnd->m_hWnd;
    if (hWndOwner != NULL && !::IsWindowEnabled(hWndOwner))
        hWndOwner = ::GetLastActivePopup(hWndOwner);
    if ((nType & MB_ICONMASK) == 0) {
        UINT nButtons = nType & MB_TYPEMASK;
        nType |= (nButtons == MB_YESNO || nButtons == MB_YESNOCANCEL) ? MB_ICONQUESTION : MB_ICONEXCLAMATION;
    }
    return ::MessageBoxW(hWndOwner, lpszPrompt, m_pszAppName, nType);
}

// ---- recent files ----

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    delete m_pRecentFileList;
    m_pRecentFileList = NULL;
    if (nMaxMRU == 0)
        return;
    if (nMaxMRU > kMaxRecentFiles)
        nMaxMRU = kMaxRecentFiles;
    m_pRecentFileList = new CRecentFileList(0, L"Recent File List", L"File%d", static_cast<int>(nMaxMRU));
    m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->WriteList();
}

void CWinApp::AddToRecentFileList(LPCWSTR lpszPathName)
{
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList == NULL)
        pCmdUI->Enable(FALSE);
    else
        m_pRecentFileList->UpdateMenu(pCmdUI);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (m_pRecentFileList == NULL)
        return FALSE;
    int nIndex = static_cast<int>(nID - ID_FILE_MRU_FIRST - m_pRecentFileList->m_nStart);
    if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[nIndex].IsEmpty())
        return FALSE;
    CString strPath = (*m_pRecentFileList)[nIndex];
    if (OpenDocumentFile(strPath) == NULL)
        m_pRecentFileList->Remove(nIndex);   // gone or unreadable: it leaves the list
    return TRUE;
}

// ---- templates and file commands ----

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(LPCWSTR lpszFileName)
{
    if (m_templateList.IsEmpty() || lpszFileName == NULL || *lpszFileName == L'\0')
        return NULL;
    WCHAR szPath[MAX_PATH];
    AfxFullPath(szPath, lpszFileName);

    // A document that has the file open already is only brought forward.
    CDocTemplate* pBestTemplate = NULL;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CDocument* pOpenDocument = NULL;
        CDocTemplate::Confidence match = pTemplate->MatchDocType(szPath, pOpenDocument);
        if (match == CDocTemplate::yesAlreadyOpen) {
            POSITION posView = pOpenDocument->GetFirstViewPosition();
            if (posView != NULL) {
                CView* pView = pOpenDocument->GetNextView(posView);
                if (CFrameWnd* pFrame = pView->GetParentFrame())
                    pFrame->ActivateFrame();
            }
            return pOpenDocument;
        }
        if (match > bestMatch) {
            bestMatch = match;
            pBestTemplate = pTemplate;
        }
    }
    if (pBestTemplate == NULL)
        pBestTemplate = static_cast<CDocTemplate*>(m_templateList.GetHead());
    return pBestTemplate->OpenDocumentFile(szPath);
}

BOOL CWinApp::SaveAllModified()
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;) {
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate)
{
    CString strFilter, strDefExt;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;) {
        CDocTemplate* pEach = GetNextDocTemplate(pos);
        if (pTemplate != NULL && pEach != pTemplate)
            continue;
        CString strName, strExt;
        if (!pEach->GetDocString(strName, CDocTemplate::filterName) || !pEach->GetDocString(strExt, CDocTemplate::filterExt) ||
            strName.IsEmpty() || strExt.IsEmpty())
            continue;
        strFilter += strName + L"|*" + strExt + L"|";
        if (strDefExt.IsEmpty())
            strDefExt = strExt.Mid(strExt[0] == L'.' ? 1 : 0);
    }
    CString strAll;
    strAll.LoadString(AFX_IDS_ALLFILTER);
    strFilter += strAll + L"|*.*||";

    CFileDialog dlg(bOpenFileDialog, strDefExt.IsEmpty() ? NULL : static_cast<LPCWSTR>(strDefExt), fileName,
                    OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | lFlags, strFilter, m_pMainWnd);
    CString strTitle;
    strTitle.LoadString(nIDSTitle);
    if (!strTitle.IsEmpty())
        dlg.m_ofn.lpstrTitle = strTitle;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    fileName = dlg.GetPathName();
    return TRUE;
}

void CWinApp::OnFileNew()
{
    if (m_templateList.IsEmpty())
        return;
    static_cast<CDocTemplate*>(m_templateList.GetHead())->OpenDocumentFile(NULL);
}

void CWinApp::OnFileOpen()
{
    CString strName;
    if (!DoPromptFileName(strName, AFX_IDS_OPENFILE, OFN_FILEMUSTEXIST, TRUE, NULL))
        return;
    OpenDocumentFile(strName);
}

void CWinApp::OnFilePrintSetup()
{
    CPrintDialog pd(TRUE);
    GetPrinterDeviceDefaults(&pd.m_pd);
    // The dialog frees what it holds: it works on copies it hands back.
    pd.m_pd.hDevMode = NULL;
    pd.m_pd.hDevNames = NULL;
    if (m_hDevMode != NULL) {
        SIZE_T cb = ::GlobalSize(m_hDevMode);
        pd.m_pd.hDevMode = ::GlobalAlloc(GMEM_MOVEABLE, cb);
        if (pd.m_pd.hDevMode != NULL) {
            memcpy(::GlobalLock(pd.m_pd.hDevMode), ::GlobalLock(m_hDevMode), cb);
            ::GlobalUnlock(pd.m_pd.hDevMode);
            ::GlobalUnlock(m_hDevMode);
        }
    }
    if (pd.DoModal() != IDOK)
        return;
    if (m_hDevMode != NULL)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames != NULL)
        ::GlobalFree(m_hDevNames);
    m_hDevMode = pd.m_pd.hDevMode;
    m_hDevNames = pd.m_pd.hDevNames;
    pd.m_pd.hDevMode = NULL;
    pd.m_pd.hDevNames = NULL;
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLGW* pPrintDlg)
{
    if (m_hDevNames == NULL) {
        CPrintDialog pd(TRUE);
        if (!pd.GetDefaults())
            return FALSE;
        m_hDevMode = pd.m_pd.hDevMode;
        m_hDevNames = pd.m_pd.hDevNames;
        pd.m_pd.hDevMode = NULL;
        pd.m_pd.hDevNames = NULL;
        if (m_hDevNames == NULL)
            return FALSE;
    }
    pPrintDlg->hDevMode = m_hDevMode;
    pPrintDlg->hDevNames = m_hDevNames;
    return TRUE;
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != NULL)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

// ---- command line ----

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    // A stand-in program name first: the system's splitter treats the first word specially.
    CString strLine = CString(L"x ") + (m_lpCmdLine != NULL ? m_lpCmdLine : L"");
    int nArgs = 0;
    LPWSTR* argv = ::CommandLineToArgvW(strLine, &nArgs);
    if (argv == NULL)
        return;
    for (int i = 1; i < nArgs; ++i) {
        LPCWSTR pszParam = argv[i];
        BOOL bFlag = (pszParam[0] == L'-' || pszParam[0] == L'/') && pszParam[1] != L'\0';
        rCmdInfo.ParseParam(bFlag ? pszParam + 1 : pszParam, bFlag, i == nArgs - 1);
    }
    ::LocalFree(argv);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNothing:
        return TRUE;
    case CCommandLineInfo::FileNew:
    case CCommandLineInfo::FileDDE:
        // With /dde the shell names the file by DDE: the empty document's frame answers it.
        if (!OnCmdMsg(ID_FILE_NEW, 0, NULL, NULL))
            OnFileNew();
        return m_pMainWnd != NULL;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != NULL;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        // Print and end: the frame never shows.
        m_nCmdShow = SW_HIDE;
        if (OpenDocumentFile(rCmdInfo.m_strFileName) != NULL && m_pMainWnd != NULL)
            m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        return FALSE;
    }
    return FALSE;
}
