// Start-up of the program.
#include "shell/TolvaneApp.h"

#include "AppIds.h"
#include "document/TolvaneDoc.h"
#include "editor/TolvaneView.h"
#include "shell/MainFrame.h"

#include <framework/docview.h>
#include <framework/frame.h>

#include <common/ZPWinThemeWrapper.h>

#include <Scintilla.h>

BEGIN_MESSAGE_MAP(CTolvaneApp, CWinApp)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
END_MESSAGE_MAP()

namespace {

const UINT kRecentFiles = 4;

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
    ZpSetProcessDpiAware();
    SetRegistryKey(m_strCompanyKey);
    LoadStdProfileSettings(kRecentFiles);
    RegisterEditorClasses(m_hInstance);

    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CTolvaneDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CTolvaneView)));
    EnableShellOpen();
    RegisterShellFileTypes(FALSE);

    // A new document without CoreFoundation, or a file that cannot be opened, has shown its
    // message and taken its frame with it: the program does not start.
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    m_pMainWnd->DragAcceptFiles(TRUE);
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}
