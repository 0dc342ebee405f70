// The main frame: its window class carries the program's icon; its bars come through the
// resource manager, so a language file translates them.
#include "shell/MainFrame.h"

#include "AppIds.h"

#include <commandbars/ZPCommandBars.h>
#include <commandbars/ZPCommandBarsOptions.h>
#include <commandbars/ZPMenuBar.h>
#include <commandbars/ZPPaintManager.h>
#include <commandbars/ZPToolBar.h>

#include <common/ZPDrawHelpers.h>
#include <common/ZPImageManager.h>
#include <common/ZPRegistryManager.h>

IMPLEMENT_DYNCREATE(CMainFrame, CZPFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CZPFrameWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_COMMAND(ID_VIEW_CUSTOMIZE, OnCustomize)
END_MESSAGE_MAP()

namespace {

const WCHAR kMainFrameClass[] = L"ZPMainFrame";
const WCHAR kCommandBarsProfile[] = L"CommandBars";
const WCHAR kProductAddress[] = L"https://tolvane.example.org/";

const DWORD kStatusBarStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;  // 0x56008200
// The stretching message pane, the caret's line and column, then the key states.
const UINT kIndicators[] = {
    0, ID_INDICATOR_LINE_COL, ID_INDICATOR_OVR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL
};

const DWORD kReBarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_ALIGN_TOP;  // 0x56002800
const DWORD kMenuBandStyle = RBBS_GRIPPERALWAYS;
const DWORD kLogoBandStyle = RBBS_FIXEDSIZE | RBBS_FIXEDBMP | RBBS_NOGRIPPER;
const DWORD kToolBarBandStyle = RBBS_BREAK | RBBS_GRIPPERALWAYS;

const DWORD kLogoStyle = WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE | SS_BITMAP;  // 0x5000020E
const UINT kLogoId = 0xFFFF;
const int kLogoWidth = 100;
const int kLogoHeight = 23;
const int kLogoBand = 1;

}  // namespace

CMainFrame::CMainFrame() : m_bClosing(FALSE) {}

CMainFrame::~CMainFrame() {}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CZPFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = kMainFrameClass;
    HICON hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    return ZpRegisterWindowClass(AfxGetInstanceHandle(), kMainFrameClass, CS_DBLCLKS, hIcon, NULL);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CZPFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!m_wndStatusBar.CreateBar(this, kStatusBarStyle, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.CreatePanesFromIds(kIndicators, _countof(kIndicators)))
        return -1;
    if (!CreateCommandBarsAndBands())
        return -1;
    RestoreBarsFromProfile(kCommandBarsProfile);
    m_wndReBar.LoadBandState(kCommandBarsProfile);
    // Every bar takes the current colours once the message loop runs.
    PostMessage(WM_SYSCOLORCHANGE);
    return 0;
}

BOOL CMainFrame::CreateCommandBarsAndBands()
{
    if (!CreateCommandBarsObject())
        return FALSE;
    CZPCommandBars* pCommandBars = GetCommandBars();
    m_wndStatusBar.SetCommandBars(pCommandBars);
    if (!ZpSetPaintTheme(zpThemeNativeXP))
        return FALSE;
    CZPPaintManager* pPaintManager = ZpGetPaintManager();
    pPaintManager->m_bUseFadedIcons = FALSE;
    pPaintManager->m_bUseDisabledIcons = TRUE;
    pPaintManager->m_bIconsWithShadow = FALSE;

    CZPToolBar* pMenuBar = pCommandBars->CreateToolBar(L"Menu Bar", zpBarTop, RUNTIME_CLASS(CZPMenuBar));
    if (pMenuBar == NULL || !static_cast<CZPMenuBar*>(pMenuBar)->LoadMenuResource(IDR_MAINFRAME))
        return FALSE;
    CZPToolBar* pToolBar = pCommandBars->CreateToolBar(L"Standard", zpBarTop);
    if (pToolBar == NULL || !pToolBar->LoadToolBarResource(IDR_MAINFRAME, FALSE))
        return FALSE;
    ZpImageManagerInstance()->SetIconsFromToolBar(IDR_MAINFRAME, IDB_TOOLBAR_ICONS, 0);
    pCommandBars->GetCommandBarsOptions()->m_bAlwaysShowFullMenus = TRUE;
    pCommandBars->GetShortcutManagerObject()->LoadFromAcceleratorResource(IDR_MAINFRAME);

    if (!m_wndLogo.Create(NULL, kLogoStyle, CRect(0, 0, kLogoWidth, kLogoHeight), this, kLogoId))
        return FALSE;
    m_wndLogo.SetTarget(kProductAddress);
    if (m_bmpLogo.LoadBitmap(IDB_LINK_BANNER))
        m_wndLogo.SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_bmpLogo.m_hObject));

    if (!m_wndReBar.Create(this, RBS_BANDBORDERS, kReBarStyle, AFX_IDW_REBAR) ||
        !m_wndReBar.AddCommandBarBand(pMenuBar, kMenuBandStyle) ||
        !m_wndReBar.AddBar(&m_wndLogo, NULL, NULL, kLogoBandStyle) ||
        !m_wndReBar.AddCommandBarBand(pToolBar, kToolBarBandStyle))
        return FALSE;
    REBARBANDINFOW rbbi = {};
    rbbi.cbSize = sizeof rbbi;
    rbbi.fMask = RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_IDEALSIZE | RBBIM_ID;
    rbbi.cxMinChild = kLogoWidth;
    rbbi.cyMinChild = kLogoHeight;
    rbbi.cx = kLogoWidth;
    rbbi.cxIdeal = kLogoWidth;
    rbbi.wID = IDB_LINK_BANNER;
    return m_wndReBar.GetReBarCtrl().SetBandInfo(kLogoBand, &rbbi);
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
    CZPFrameWnd::OnClose();
    if (::IsWindow(hWnd))
        m_bClosing = FALSE;
}

void CMainFrame::OnDestroy()
{
    // The bars and their windows still exist here: they go after the frame's own handler.
    if (m_bClosing) {
        StoreBarsToProfile(kCommandBarsProfile);
        m_wndReBar.SaveBandState(kCommandBarsProfile);
        CZWindowPlacementStore placement;
        placement.SaveWindow(this);
    }
    CZPFrameWnd::OnDestroy();
}

void CMainFrame::OnCustomize()
{
    // The customize sheet is not built yet: the command only makes the bars keep their controls.
}
