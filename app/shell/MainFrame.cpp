// The main frame: its window class carries the program's icon; its menu comes through the
// resource manager, so a language file translates it.
#include "shell/MainFrame.h"

#include "AppIds.h"

#include <framework/menu.h>

#include <common/ZPDrawHelpers.h>
#include <common/ZPRegistryManager.h>
#include <common/ZPResourceManager.h>

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

const WCHAR kMainFrameClass[] = L"ZPMainFrame";

}  // namespace

CMainFrame::CMainFrame() : m_bClosing(FALSE) {}

CMainFrame::~CMainFrame() {}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = kMainFrameClass;
    HICON hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    return ZpRegisterWindowClass(AfxGetInstanceHandle(), kMainFrameClass, CS_DBLCLKS, hIcon, NULL);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    // The window was made with the module's menu; the resource manager's one replaces it.
    CMenu menu;
    if (ZpResourceManagerInstance()->LoadMenu(&menu, IDR_MAINFRAME)) {
        HMENU hOld = ::GetMenu(m_hWnd);
        if (::SetMenu(m_hWnd, menu.m_hMenu)) {
            menu.Detach();
            if (hOld != NULL)
                ::DestroyMenu(hOld);
        }
    }
    return 0;
}

void CMainFrame::ShowWithSavedPlacement(int)
{
    CZWindowPlacementStore placement;
    placement.RestoreWindow(this);
    ShowWindow(placement.showCmd);
}

void CMainFrame::OnClose()
{
    // The document question comes first: a close the user cancels writes nothing.
    // A close that goes through deletes this object with its window.
    const HWND hWnd = m_hWnd;
    m_bClosing = TRUE;
    CFrameWnd::OnClose();
    if (::IsWindow(hWnd))
        m_bClosing = FALSE;
}

void CMainFrame::OnDestroy()
{
    if (m_bClosing) {
        CZWindowPlacementStore placement;
        placement.SaveWindow(this);
    }
    CFrameWnd::OnDestroy();
}
