// The main frame: its window class carries the program's icon.
#include "shell/MainFrame.h"

#include "AppIds.h"

#include <common/ZPDrawHelpers.h>

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
END_MESSAGE_MAP()

namespace {

const WCHAR kMainFrameClass[] = L"ZPMainFrame";

}  // namespace

CMainFrame::CMainFrame() {}

CMainFrame::~CMainFrame() {}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = kMainFrameClass;
    HICON hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    return ZpRegisterWindowClass(AfxGetInstanceHandle(), kMainFrameClass, CS_DBLCLKS, hIcon, NULL);
}
