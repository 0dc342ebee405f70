#include "about/AboutDlg.h"

#include "AppIds.h"

#include <common/ZPImageLoading.h>
#include <common/ZPResourceManager.h>

IMPLEMENT_DYNAMIC(CAboutDlg, CDialog)

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
END_MESSAGE_MAP()

namespace {

const WCHAR kProductAddress[] = L"https://www.dunmere.example/tolvane/";

}  // namespace

CAboutDlg::CAboutDlg(CWnd*)
{
    InitModalIndirect(ZpResourceManagerInstance()->LoadDialogTemplate(IDD_ABOUTBOX), NULL);
}

CAboutDlg::~CAboutDlg() {}

LPCWSTR PASCAL CAboutDlg::GetProductAddress()
{
    return kProductAddress;
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ABOUT_LINK, m_wndLink);
    DDX_Control(pDX, IDC_ABOUT_LOGO, m_wndLogo);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_wndLink.SetTarget(kProductAddress);
    m_bmpLogo.DeleteObject();
    m_bmpLogo.Attach(ZpLoadAlphaBitmapResource(IDB_ABOUT_LOGO));
    // The static loaded its own copy of the bitmap from the template; nobody else frees it.
    HBITMAP hOld = m_wndLogo.SetBitmap(static_cast<HBITMAP>(m_bmpLogo.m_hObject));
    if (hOld != NULL && hOld != m_bmpLogo.m_hObject)
        ::DeleteObject(hOld);
    return TRUE;
}
