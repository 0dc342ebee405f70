// Start-up of the program.
#include "shell/TolvaneApp.h"

#include "AppIds.h"
#include "about/AboutDlg.h"
#include "document/TolvaneDoc.h"
#include "editor/TolvaneView.h"
#include "shell/MainFrame.h"

#include <framework/docview.h>
#include <framework/frame.h>

#include <common/ZPPropExchangeXMLNode.h>
#include <common/ZPResourceManagerXML.h>
#include <common/ZPWinThemeWrapper.h>

#include <Scintilla.h>

BEGIN_MESSAGE_MAP(CTolvaneApp, CWinApp)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
END_MESSAGE_MAP()

namespace {

const UINT kRecentFiles = 4;
const WCHAR kLanguageFileName[] = L"Tolvane";
const DWORD kFirstVersionWithRtl = 4;

// The program's folder with its final backslash; empty when the path has no folder part.
CString ModuleFolder()
{
    WCHAR szPath[MAX_PATH] = {};
    ::GetModuleFileNameW(NULL, szPath, MAX_PATH);
    szPath[MAX_PATH - 1] = 0;
    LPWSTR pSlash = wcsrchr(szPath, L'\\');
    if (pSlash == NULL || pSlash == szPath)
        return CString();
    pSlash[1] = 0;
    return CString(szPath);
}

// The windows the main window owns, and the layout they get.
struct OWNED_LAYOUT
{
    HWND hOwner;
    BOOL bRtl;
};

BOOL CALLBACK SetOwnedLayoutRtl(HWND hWnd, LPARAM lParam)
{
    const OWNED_LAYOUT* pLayout = reinterpret_cast<const OWNED_LAYOUT*>(lParam);
    if (::GetParent(hWnd) == pLayout->hOwner)
        SetLayoutRtlRecursive(hWnd, pLayout->bRtl);
    return TRUE;
}

// The editing component's window classes, registered once per process.
BOOL RegisterEditorClasses(HINSTANCE hInstance)
{
    static const BOOL s_bRegistered = Scintilla_RegisterClasses(hInstance) != 0;
    return s_bRegistered;
}

}  // namespace

CTolvaneApp::CTolvaneApp() : m_strCompanyKey(L"Dunmere") {}

CTolvaneApp::~CTolvaneApp() {}

BOOL CTolvaneApp::InitInstance()
{
    if (!AfxOleInit()) {
        AfxMessageBox(IDP_OLE_INIT_FAILED);
        return FALSE;
    }
    LoadLanguageFile(kLanguageFileName, FALSE);
    ZpSetProcessDpiAware();
    SetRegistryKey(m_strCompanyKey);
    LoadStdProfileSettings(kRecentFiles);
    RegisterEditorClasses(m_hInstance);

    CSingleDocTemplate* pTemplate = new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CTolvaneDoc),
                                                           RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CTolvaneView));
    pTemplate->SetContainerInfo(IDR_INPLACE_CONTAINER);
    AddDocTemplate(pTemplate);
    EnableShellOpen();
    RegisterShellFileTypes(FALSE);

    // A new document without CoreFoundation, or a file that cannot be opened, has shown its
    // message and taken its frame with it: the program does not start.
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    m_pMainWnd->DragAcceptFiles(TRUE);
    static_cast<CMainFrame*>(m_pMainWnd)->ShowWithSavedPlacement(m_nCmdShow);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

BOOL CTolvaneApp::LoadLanguageFile(LPCWSTR lpszName, BOOL bRtl)
{
    if (lpszName != NULL) {
        const CString strPath = ModuleFolder() + lpszName + L".lng";
        if (::GetFileAttributesW(strPath) == INVALID_FILE_ATTRIBUTES)
            return FALSE;
        if (ZpIsXmlParserAvailable()) {
            // A file that cannot be parsed is refused (and deleted); the old manager stays.
            if (!CZPResourceManager::SetResourceManager(new CZPResourceManagerXML(strPath)))
                return FALSE;
        } else {
            AfxMessageBox(IDP_XML_PARSER_MISSING);
        }
    } else if (!CZPResourceManager::SetResourceManager(new CZPResourceManager)) {
        return FALSE;
    }
    SetLayoutRtl(bRtl);
    return TRUE;
}

void CTolvaneApp::SetLayoutRtl(BOOL bRtl)
{
    if (LOBYTE(LOWORD(::GetVersion())) < kFirstVersionWithRtl)
        return;
    if (m_pMainWnd != NULL && m_pMainWnd->GetSafeHwnd() != NULL) {
        SetLayoutRtlRecursive(m_pMainWnd->m_hWnd, bRtl);
        OWNED_LAYOUT layout = { m_pMainWnd->m_hWnd, bRtl };
        ::EnumWindows(SetOwnedLayoutRtl, reinterpret_cast<LPARAM>(&layout));
    }
}

void CTolvaneApp::OnAppAbout()
{
    CAboutDlg dlg;
    dlg.DoModal();
}
