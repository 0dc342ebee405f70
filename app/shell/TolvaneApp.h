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

protected:
    // The company key under HKCU\Software the settings live in.
    CString m_strCompanyKey;

    DECLARE_MESSAGE_MAP()
};
