// The About box: product name and version, a link to the product's web site and the logo
// blended with its alpha channel. Its template comes through the resource manager, so a
// language file may replace it.
#pragma once

#include "about/AlphaStatic.h"
#include "about/WebLink.h"

#include <framework/dialog.h>

class CAboutDlg : public CDialog
{
    DECLARE_DYNAMIC(CAboutDlg)
public:
    // pParent is not used: the box is modal to the application.
    explicit CAboutDlg(CWnd* pParent = NULL);
    ~CAboutDlg() override;

    // The product's web address, the link's target.
    static LPCWSTR PASCAL GetProductAddress();

    CWebLink& GetLink() { return m_wndLink; }
    CAlphaStatic& GetLogo() { return m_wndLogo; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    CWebLink m_wndLink;      // IDC_ABOUT_LINK
    CAlphaStatic m_wndLogo;  // IDC_ABOUT_LOGO
    CBitmap m_bmpLogo;       // owned; the logo static only borrows it

    DECLARE_MESSAGE_MAP()
};
