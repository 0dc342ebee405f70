// The application object: start-up and shut-down, profile settings, the command line, shell
// registration and the file commands.
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

// Deletes a key and everything below it.
void DeleteKeyTree(HKEY hParent, LPCWSTR lpszKey)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExW(hParent, lpszKey, 0, KEY_READ | KEY_WRITE, &hKey) != ERROR_SUCCESS)
        return;
    WCHAR szSub[256];
    for (;;) {
        DWORD cch = ARRAYSIZE(szSub);
        if (::RegEnumKeyExW(hKey, 0, szSub, &cch, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        DeleteKeyTree(hKey, szSub);
    }
    ::RegCloseKey(hKey);
    ::RegDeleteKeyW(hParent, lpszKey);
}

BOOL SetRegString(HKEY hRoot, LPCWSTR lpszKey, LPCWSTR lpszValueName, LPCWSTR lpszValue)
{
    HKEY hKey = NULL;
    if (::RegCreateKeyExW(hRoot, lpszKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE, NULL, &hKey, NULL) !=
        ERROR_SUCCESS)
        return FALSE;
    LONG lResult = ::RegSetValueExW(hKey, lpszValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                                    static_cast<DWORD>((wcslen(lpszValue) + 1) * sizeof(WCHAR)));
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

CString GetRegString(HKEY hRoot, LPCWSTR lpszKey)
{
    WCHAR szValue[MAX_PATH];
    LONG cb = sizeof(szValue);
    if (::RegQueryValueW(hRoot, lpszKey, szValue, &cb) != ERROR_SUCCESS)
        return CString();
    szValue[ARRAYSIZE(szValue) - 1] = L'\0';
    return szValue;
}

// A whole decimal number (optionally signed, blanks around it); FALSE for anything else.
BOOL ParseInt(const CString& str, int* pnValue)
{
    CString strTrim(str);
    strTrim.Trim();
    if (strTrim.IsEmpty())
        return FALSE;
    LPWSTR pszEnd = NULL;
    long lValue = wcstol(strTrim, &pszEnd, 10);
    if (pszEnd == NULL || *pszEnd != L'\0')
        return FALSE;
    *pnValue = static_cast<int>(lValue);
    return TRUE;
}

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

// ---- profile ----

void CWinApp::SetRegistryKey(LPCWSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey;
    // Under a registry key the profile is named after the application.
    m_strProfileName = m_pszAppName != NULL ? m_pszAppName : L"";
    m_pszProfileName = m_strProfileName;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString strKey;
    strKey.LoadString(nIDRegistryKey);
    SetRegistryKey(strKey);
}

void CWinApp::SetProfileName(LPCWSTR lpszProfileName)
{
    m_strProfileName = lpszProfileName;
    m_pszProfileName = m_strProfileName;
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == NULL || m_pszProfileName == NULL)
        return NULL;
    CString strKey = CString(L"Software\\") + m_pszRegistryKey + L"\\" + m_pszProfileName;
    HKEY hKey = NULL;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, strKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, NULL,
                          &hKey, NULL) != ERROR_SUCCESS)
        return NULL;
    return hKey;
}

HKEY CWinApp::GetSectionKey(LPCWSTR lpszSection)
{
    HKEY hAppKey = GetAppRegistryKey();
    if (hAppKey == NULL)
        return NULL;
    HKEY hSectionKey = NULL;
    if (::RegCreateKeyExW(hAppKey, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, NULL,
                          &hSectionKey, NULL) != ERROR_SUCCESS)
        hSectionKey = NULL;
    ::RegCloseKey(hAppKey);
    return hSectionKey;
}

namespace {

// Reading never creates keys.
HKEY OpenSectionForRead(LPCWSTR lpszRegistryKey, LPCWSTR lpszProfile, LPCWSTR lpszSection)
{
    CString strKey = CString(L"Software\\") + lpszRegistryKey + L"\\" + lpszProfile + L"\\" + lpszSection;
    HKEY hKey = NULL;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, strKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return NULL;
    return hKey;
}

// One value into a section of the application's key (created when missing).
BOOL WriteSectionValue(CWinApp* pApp, LPCWSTR lpszSection, LPCWSTR lpszEntry, DWORD dwType, const void* pData, DWORD cb)
{
    HKEY hKey = pApp->GetSectionKey(lpszSection);
    if (hKey == NULL)
        return FALSE;
    LONG lResult = ::RegSetValueExW(hKey, lpszEntry, 0, dwType, static_cast<const BYTE*>(pData), cb);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

}  // namespace

UINT CWinApp::GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey != NULL) {
        HKEY hKey = OpenSectionForRead(m_pszRegistryKey, m_pszProfileName, lpszSection);
        if (hKey == NULL)
            return static_cast<UINT>(nDefault);
        DWORD dwValue = 0, dwType = 0, cb = sizeof(dwValue);
        LONG lResult = ::RegQueryValueExW(hKey, lpszEntry, NULL, &dwType, reinterpret_cast<LPBYTE>(&dwValue), &cb);
        ::RegCloseKey(hKey);
        if (lResult != ERROR_SUCCESS || dwType != REG_DWORD || cb != sizeof(DWORD))
            return static_cast<UINT>(nDefault);
        return dwValue;
    }
    int nValue = 0;
    if (!ParseInt(GetProfileString(lpszSection, lpszEntry, L""), &nValue))
        return static_cast<UINT>(nDefault);
    return static_cast<UINT>(nValue);
}

CString CWinApp::GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault)
{
    CString strDefault(lpszDefault != NULL ? lpszDefault : L"");
    if (m_pszRegistryKey != NULL) {
        HKEY hKey = OpenSectionForRead(m_pszRegistryKey, m_pszProfileName, lpszSection);
        if (hKey == NULL)
            return strDefault;
        DWORD dwType = 0, cb = 0;
        LONG lResult = ::RegQueryValueExW(hKey, lpszEntry, NULL, &dwType, NULL, &cb);
        CString strValue;
        if (lResult == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ)) {
            int nChars = static_cast<int>(cb / sizeof(WCHAR));
            LPWSTR pch = strValue.GetBuffer(nChars + 1);
            lResult = ::RegQueryValueExW(hKey, lpszEntry, NULL, &dwType, reinterpret_cast<LPBYTE>(pch), &cb);
            pch[lResult == ERROR_SUCCESS ? cb / sizeof(WCHAR) : 0] = L'\0';   // stored without a terminator too
            strValue.ReleaseBuffer();
        } else {
            lResult = ERROR_INVALID_DATA;
        }
        ::RegCloseKey(hKey);
        return lResult == ERROR_SUCCESS ? strValue : strDefault;
    }
    if (m_pszProfileName == NULL)
        return strDefault;
    CString strValue;
    for (DWORD nSize = 256;; nSize *= 2) {
        DWORD nLen = ::GetPrivateProfileStringW(lpszSection, lpszEntry, strDefault, strValue.GetBuffer(static_cast<int>(nSize)),
                                                nSize, m_pszProfileName);
        strValue.ReleaseBuffer(static_cast<int>(nLen));
        if (nLen < nSize - 2 || nSize >= 0x100000)
            break;
    }
    return strValue;
}

BOOL CWinApp::GetProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, BYTE** ppData, UINT* pBytes)
{
    *ppData = NULL;
    *pBytes = 0;
    if (m_pszRegistryKey != NULL) {
        HKEY hKey = OpenSectionForRead(m_pszRegistryKey, m_pszProfileName, lpszSection);
        if (hKey == NULL)
            return FALSE;
        DWORD dwType = 0, cb = 0;
        LONG lResult = ::RegQueryValueExW(hKey, lpszEntry, NULL, &dwType, NULL, &cb);
        if (lResult == ERROR_SUCCESS && dwType == REG_BINARY) {
            BYTE* pData = new BYTE[cb > 0 ? cb : 1];
            lResult = ::RegQueryValueExW(hKey, lpszEntry, NULL, &dwType, pData, &cb);
            if (lResult == ERROR_SUCCESS) {
                *ppData = pData;
                *pBytes = cb;
            } else {
                delete[] pData;
            }
        } else {
            lResult = ERROR_INVALID_DATA;
        }
        ::RegCloseKey(hKey);
        return lResult == ERROR_SUCCESS;
    }
    // Two letters per byte, 'A' + nibble, low nibble first.
    CString strData = GetProfileString(lpszSection, lpszEntry, L"");
    int nLen = strData.GetLength();
    if (nLen == 0 || (nLen % 2) != 0)
        return FALSE;
    UINT nBytes = static_cast<UINT>(nLen / 2);
    BYTE* pData = new BYTE[nBytes];
    for (UINT i = 0; i < nBytes; ++i) {
        WCHAR chLow = strData[static_cast<int>(2 * i)], chHigh = strData[static_cast<int>(2 * i + 1)];
        if (chLow < L'A' || chLow > L'P' || chHigh < L'A' || chHigh > L'P') {
            delete[] pData;
            return FALSE;
        }
        pData[i] = static_cast<BYTE>((chLow - L'A') | ((chHigh - L'A') << 4));
    }
    *ppData = pData;
    *pBytes = nBytes;
    return TRUE;
}

BOOL CWinApp::WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey != NULL) {
        DWORD dwValue = static_cast<DWORD>(nValue);
        return WriteSectionValue(this, lpszSection, lpszEntry, REG_DWORD, &dwValue, sizeof(dwValue));
    }
    CString strValue;
    strValue.Format(L"%d", nValue);
    return WriteProfileFileString(lpszSection, lpszEntry, strValue);
}

BOOL CWinApp::WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue)
{
    if (m_pszRegistryKey == NULL)
        return WriteProfileFileString(lpszSection, lpszEntry, lpszValue);
    if (lpszEntry == NULL) {
        HKEY hAppKey = GetAppRegistryKey();
        if (hAppKey == NULL)
            return FALSE;
        DeleteKeyTree(hAppKey, lpszSection);
        ::RegCloseKey(hAppKey);
        return TRUE;
    }
    if (lpszValue == NULL) {
        HKEY hKey = OpenSectionForRead(m_pszRegistryKey, m_pszProfileName, lpszSection);
        if (hKey == NULL)
            return TRUE;   // nothing to delete
        ::RegCloseKey(hKey);
        hKey = GetSectionKey(lpszSection);
        if (hKey == NULL)
            return FALSE;
        LONG lResult = ::RegDeleteValueW(hKey, lpszEntry);
        ::RegCloseKey(hKey);
        return lResult == ERROR_SUCCESS || lResult == ERROR_FILE_NOT_FOUND;
    }
    return WriteSectionValue(this, lpszSection, lpszEntry, REG_SZ, lpszValue,
                             static_cast<DWORD>((wcslen(lpszValue) + 1) * sizeof(WCHAR)));
}

BOOL CWinApp::WriteProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (m_pszRegistryKey != NULL)
        return WriteSectionValue(this, lpszSection, lpszEntry, REG_BINARY, pData, nBytes);
    CString strData;
    LPWSTR pch = strData.GetBufferSetLength(static_cast<int>(nBytes * 2));
    for (UINT i = 0; i < nBytes; ++i) {
        pch[2 * i] = static_cast<WCHAR>(L'A' + (pData[i] & 0x0F));
        pch[2 * i + 1] = static_cast<WCHAR>(L'A' + ((pData[i] >> 4) & 0x0F));
    }
    strData.ReleaseBuffer(static_cast<int>(nBytes * 2));
    return WriteProfileFileString(lpszSection, lpszEntry, strData);
}

BOOL CWinApp::WriteProfileFileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue)
{
    if (m_pszProfileName == NULL)
        return FALSE;
    return ::WritePrivateProfileStringW(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
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

// ---- command line and shell ----

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

void CWinApp::EnableShellOpen()
{
    if (m_atomApp != 0 || m_pszExeName == NULL)
        return;
    m_atomApp = ::GlobalAddAtomW(m_pszExeName);
    m_atomSystemTopic = ::GlobalAddAtomW(L"system");
}

void CWinApp::RegisterShellFileTypes(BOOL bCompat)
{
    WCHAR szModule[MAX_PATH];
    DWORD nLen = ::GetModuleFileNameW(m_hInstance, szModule, MAX_PATH);
    if (nLen == 0 || nLen >= MAX_PATH)
        return;
    const CString strClasses = L"Software\\Classes\\";
    const CString strExe = CString(L"\"") + szModule + L"\"";
    int nTemplateIndex = 0;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL; ++nTemplateIndex) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CString strId, strName, strExt;
        if (!pTemplate->GetDocString(strId, CDocTemplate::regFileTypeId) || strId.IsEmpty())
            continue;
        pTemplate->GetDocString(strName, CDocTemplate::regFileTypeName);
        pTemplate->GetDocString(strExt, CDocTemplate::filterExt);

        const CString strKey = strClasses + strId;
        SetRegString(HKEY_CURRENT_USER, strKey, NULL, strName.IsEmpty() ? strId : strName);
        CString strIcon;
        strIcon.Format(L"%s,%d", szModule, nTemplateIndex);
        SetRegString(HKEY_CURRENT_USER, strKey + L"\\DefaultIcon", NULL, strIcon);
        if (m_atomApp != 0) {
            SetRegString(HKEY_CURRENT_USER, strKey + L"\\shell\\open\\command", NULL, strExe + L" /dde");
            SetRegString(HKEY_CURRENT_USER, strKey + L"\\shell\\open\\ddeexec", NULL, L"[open(\"%1\")]");
        } else {
            SetRegString(HKEY_CURRENT_USER, strKey + L"\\shell\\open\\command", NULL, strExe + L" \"%1\"");
        }
        if (bCompat) {
            SetRegString(HKEY_CURRENT_USER, strKey + L"\\shell\\print\\command", NULL, strExe + L" /p \"%1\"");
            SetRegString(HKEY_CURRENT_USER, strKey + L"\\shell\\printto\\command", NULL,
                         strExe + L" /pt \"%1\" \"%2\" \"%3\" \"%4\"");
        }
        // An extension another program already owns is left to it.
        if (strExt.GetLength() > 1 && strExt[0] == L'.') {
            CString strOwner = GetRegString(HKEY_CURRENT_USER, strClasses + strExt);
            if (strOwner.IsEmpty())
                strOwner = GetRegString(HKEY_CLASSES_ROOT, strExt);
            if (strOwner.IsEmpty() || strOwner.CompareNoCase(strId) == 0)
                SetRegString(HKEY_CURRENT_USER, strClasses + strExt, NULL, strId);
        }
    }
}

void CWinApp::UnregisterShellFileTypes()
{
    HKEY hClasses = NULL;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, KEY_READ | KEY_WRITE, &hClasses) != ERROR_SUCCESS)
        return;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CString strId, strExt;
        if (!pTemplate->GetDocString(strId, CDocTemplate::regFileTypeId) || strId.IsEmpty())
            continue;
        pTemplate->GetDocString(strExt, CDocTemplate::filterExt);
        if (!strExt.IsEmpty() && GetRegString(hClasses, strExt).CompareNoCase(strId) == 0)
            DeleteKeyTree(hClasses, strExt);
        DeleteKeyTree(hClasses, strId);
    }
    ::RegCloseKey(hClasses);
}

BOOL CWinApp::OnDDECommand(LPWSTR lpszCommand)
{
    CString strCommand(lpszCommand);
    strCommand.Trim();
    const CString strOpen = L"[open(";
    if (strCommand.GetLength() <= strOpen.GetLength() + 2 ||
        strCommand.Left(strOpen.GetLength()).CompareNoCase(strOpen) != 0 || strCommand.Right(2).Compare(L")]") != 0)
        return FALSE;
    CString strPath = strCommand.Mid(strOpen.GetLength(), strCommand.GetLength() - strOpen.GetLength() - 2);
    strPath.Trim();
    if (strPath.GetLength() >= 2 && strPath[0] == L'"' && strPath[strPath.GetLength() - 1] == L'"')
        strPath = strPath.Mid(1, strPath.GetLength() - 2);
    if (strPath.IsEmpty() || strPath.Find(L'"') >= 0)
        return FALSE;
    if (OpenDocumentFile(strPath) == NULL)
        return TRUE;   // understood; the document has said why it failed
    if (m_pMainWnd != NULL) {
        if (!m_pMainWnd->IsWindowVisible())
            m_pMainWnd->ShowWindow(m_nCmdShow);
        m_pMainWnd->SetForegroundWindow();
    }
    return TRUE;
}
