// The application object: start-up and shut-down, profile settings, recent files, the command
// line, shell registration and the file commands that create and open documents.
#pragma once

#include <framework/frame.h>
#include <framework/thread.h>

class CRecentFileList;

// What the command line asks for.
class CCommandLineInfo : public CObject
{
public:
    CCommandLineInfo();
    // One argument: bFlag when it began with '/' or '-' (which is then dropped).
    virtual void ParseParam(LPCWSTR pszParam, BOOL bFlag, BOOL bLast);

    enum
    {
        FileNew,        // no file argument: a new document
        FileOpen,       // a path: open it
        FilePrint,      // /p path
        FilePrintTo,    // /pt path printer driver port
        FileDDE,        // /dde: the shell sends the file to open by DDE
        FileNothing
    } m_nShellCommand;
    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;
};

// The most recently used files, newest first, kept in a profile section as File1..FileN.
class CRecentFileList
{
public:
    CRecentFileList(UINT nStart, LPCWSTR lpszSection, LPCWSTR lpszEntryFormat, int nSize, int nMaxDispLen = 30);
    virtual ~CRecentFileList();
    CRecentFileList(const CRecentFileList&) = delete;
    CRecentFileList& operator=(const CRecentFileList&) = delete;

    int GetSize() const { return m_nSize; }
    CString& operator[](int nIndex) { return m_arrNames[nIndex]; }
    // Puts a file at the top (full path; an entry already there moves up).
    virtual void Add(LPCWSTR lpszPathName);
    virtual void Remove(int nIndex);
    // Menu caption of an entry: the name alone when it lies in lpszCurDir, else an abbreviated path.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCWSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    // Puts the entries into the menu in place of the first entry's item (or its placeholder).
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    // Entries that are not absolute file paths of a sane length are dropped.
    virtual void ReadList();
    virtual void WriteList();

    UINT m_nStart;   // command id offset: entry n is ID_FILE_MRU_FILE1 + m_nStart + n
    CString m_strSectionName;
    CString m_strEntryFormat;
    CString m_strOriginal;   // caption of the placeholder item while the list is empty
    int m_nMaxDisplayLength;

protected:
    int m_nSize;
    CString* m_arrNames;   // owned; m_nSize entries
};

// The largest binary profile value read back unless the caller sets its own limit.
const UINT kMaxProfileBinaryBytes = 16 * 1024 * 1024;

class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    // lpszAppName NULL: the name comes from string AFX_IDS_APP_TITLE, else the program's file name.
    explicit CWinApp(LPCWSTR lpszAppName = NULL);
    ~CWinApp() override;

    HINSTANCE m_hInstance;
    LPWSTR m_lpCmdLine;            // the arguments after the program's name
    int m_nCmdShow;
    LPCWSTR m_pszAppName;          // points into m_strAppName
    LPCWSTR m_pszRegistryKey;      // NULL: settings go to the profile file m_pszProfileName
    LPCWSTR m_pszProfileName;      // registry: the application's key name; else the profile file
    LPCWSTR m_pszExeName;          // the program's file name without extension
    CRecentFileList* m_pRecentFileList;   // owned
    HGLOBAL m_hDevMode;            // owned; the printer chosen in print setup
    HGLOBAL m_hDevNames;           // owned

    // Start-up state set by AfxWinInit.
    void SetCurrentHandles(HINSTANCE hInstance, LPCWSTR lpszCmdLine, int nCmdShow);

    BOOL InitInstance() override;
    int ExitInstance() override;
    int Run() override;
    int DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

    // Settings: HKCU\Software\<key>\<profile name>\<section> once a key is set, else the profile file.
    void SetRegistryKey(LPCWSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    void SetProfileName(LPCWSTR lpszProfileName);
    HKEY GetAppRegistryKey();                  // the caller closes it; NULL without a key
    HKEY GetSectionKey(LPCWSTR lpszSection);   // created when missing; the caller closes it
    UINT GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault);
    CString GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault = NULL);
    // *ppData is allocated with new[]; the caller frees it with delete[]. A value larger than
    // nMaxBytes is refused before anything is allocated.
    BOOL GetProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, BYTE** ppData, UINT* pBytes,
                          UINT nMaxBytes = kMaxProfileBinaryBytes);
    BOOL WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue);
    // lpszValue NULL deletes the entry; lpszEntry NULL deletes the whole section.
    BOOL WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue);
    BOOL WriteProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // The application's modeless state (passed on to the main frame): off while some caller
    // switched it off; every FALSE is matched by a TRUE.
    virtual void EnableModeless(BOOL bEnable);
    BOOL IsModelessEnabled() const { return m_nModelessDisabled == 0; }

    // Recent files ("Recent File List"), read here and written by ExitInstance.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    virtual void AddToRecentFileList(LPCWSTR lpszPathName);

    // Templates (the application deletes them at exit).
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const
    {
        return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
    }
    virtual CDocument* OpenDocumentFile(LPCWSTR lpszFileName);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    // The name to open or save as; the default asks with the file dialog. FALSE: cancelled.
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);

    // Command line and shell.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // FALSE when the document or its frame could not be created.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    void EnableShellOpen();
    // Registers each template's file type for opening by the shell (per user); bCompat adds the print verbs.
    void RegisterShellFileTypes(BOOL bCompat = FALSE);
    void UnregisterShellFileTypes();
    // A shell command received by DDE, e.g. [open("path")]; FALSE when not understood.
    virtual BOOL OnDDECommand(LPWSTR lpszCommand);
    BOOL GetPrinterDeviceDefaults(PRINTDLGW* pPrintDlg);

    // Command handlers.
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppExit();
    void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    BOOL OnOpenRecentFile(UINT nID);

    ATOM m_atomApp;          // DDE application name; 0 until EnableShellOpen
    ATOM m_atomSystemTopic;
    BOOL m_bOleInitialized;  // OleUninitialize at exit

protected:
    CString m_strAppName;
    CString m_strRegistryKey;
    CString m_strProfileName;
    CString m_strExeName;
    CString m_strCmdLine;
    CPtrList m_templateList;   // owned templates
    int m_nModelessDisabled = 0;

    BOOL WriteProfileFileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue);

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);
// The program's main routine: initialise, InitInstance, message loop, ExitInstance.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);
void AfxPostQuitMessage(int nExitCode);
// OleInitialize for this thread, undone by the application's ExitInstance; FALSE on failure.
BOOL AfxOleInit();
// A full, normalised path; FALSE (and lpszPathOut as given) when it cannot be made.
BOOL AfxFullPath(LPWSTR lpszPathOut, LPCWSTR lpszFileIn);
BOOL AfxComparePath(LPCWSTR lpszPath1, LPCWSTR lpszPath2);
// Replaces %1 in the string nIDS with lpsz1.
void AfxFormatString1(CString& rString, UINT nIDS, LPCWSTR lpsz1);
