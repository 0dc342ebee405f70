// The program's application object: prepares the process, makes the document template and
// opens the document the command line names (or a new one).
#pragma once

#include <framework/app.h>

class CTolvaneApp : public CWinApp
{
public:
    CTolvaneApp();
    ~CTolvaneApp() override;

    BOOL InitInstance() override;

    // Installs the resource manager: the language file <lpszName>.lng beside the program, or the
    // program's own resources for NULL. FALSE when nothing was installed.
    BOOL LoadLanguageFile(LPCWSTR lpszName, BOOL bRtl);
    // Right-to-left layout of the main window and the top-level windows it owns.
    void SetLayoutRtl(BOOL bRtl);

    void OnAppAbout();

protected:
    // The company key under HKCU\Software the settings live in.
    CString m_strCompanyKey;

    DECLARE_MESSAGE_MAP()
};
