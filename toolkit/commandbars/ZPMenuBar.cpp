// The frame's menu bar: loading, the frame's menu and the lone Alt key.
#include "commandbars/ZPMenuBar.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPMouseManager.h"
#include "common/ZPPropExchange.h"
#include "common/ZPResourceManager.h"

#include <framework/menu.h>

IMPLEMENT_DYNCREATE(CZPMenuBar, CZPToolBar)

namespace {
// The keyboard-navigation highlight kind of the first control.
const int kHighlightKeyboard = 2;

// The MDI client of a frame, found by its class; NULL for a single-document frame.
HWND FindMdiClient(HWND hWndFrame)
{
    return ::FindWindowExW(hWndFrame, NULL, L"MDIClient", NULL);
}
}  // namespace

CZPMenuBar::CZPMenuBar()
    : m_bMdiFrame(FALSE), m_hWndMdiChild(NULL), m_hMenuSaved(NULL), m_nResourceId(0), m_nCurrentMenuId(0),
      m_hWndFrame(NULL)
{
    m_barType = zpBarTypeMenuBar;
    m_nBarID = ZP_MENUBAR_ID;
    m_dwFlags = ZP_MENUBAR_FLAGS;
    SetCloseable(FALSE);
    SetShowExpandButton(FALSE);
}

CZPMenuBar::~CZPMenuBar()
{
    RestoreFrameMenu();
    if (CZPHookManager* pHooks = CZPHookManager::GetExisting())
        pHooks->DetachHookAbleEverywhere(this);
}

BOOL CZPMenuBar::LoadMenuResource(UINT nIDResource)
{
    if (nIDResource == 0) {
        AttachToFrame();
        return TRUE;
    }
    CMenu menu;
    if (!ZpResourceManagerInstance()->LoadMenu(&menu, nIDResource))
        return FALSE;
    const BOOL bLoaded = LoadFromMenu(&menu, TRUE);
    menu.DestroyMenu();
    if (!bLoaded)
        return FALSE;
    m_nResourceId = nIDResource;
    m_nCurrentMenuId = nIDResource;
    AttachToFrame();
    return TRUE;
}

void CZPMenuBar::AttachToFrame()
{
    CWnd* pSite = FindSiteWindow();
    HWND hWndSite = pSite != NULL ? pSite->GetSafeHwnd() : NULL;
    if (hWndSite == NULL)
        return;
    HWND hWndMdiClient = FindMdiClient(hWndSite);
    m_bMdiFrame = hWndMdiClient != NULL;
    CZPHookManager* pHooks = ZpHookManagerInstance();
    pHooks->AttachHookAble(hWndSite, this);
    if (hWndMdiClient != NULL)
        pHooks->AttachHookAble(hWndMdiClient, this);
    if (m_hMenuSaved == NULL) {
        m_hMenuSaved = ::GetMenu(hWndSite);
        m_hWndFrame = hWndSite;
        if (m_hMenuSaved != NULL)
            ::SetMenu(hWndSite, NULL);
    }
}

void CZPMenuBar::RestoreFrameMenu()
{
    if (m_hMenuSaved == NULL)
        return;
    if (m_hWndFrame != NULL && ::IsWindow(m_hWndFrame) && ::GetMenu(m_hWndFrame) == NULL)
        ::SetMenu(m_hWndFrame, m_hMenuSaved);
    m_hMenuSaved = NULL;
}

// The framework has no MDI frame, so the per-template control sets are not kept: an MDI frame
// made by hand (an "MDIClient" child) gets its controls rebuilt from the template's menu.
void CZPMenuBar::AddMdiMenu(UINT nId, HMENU hMenu)
{
    if (nId == 0 || m_nCurrentMenuId == 0 || m_nCurrentMenuId == nId || !m_bMdiFrame)
        return;
    if (hMenu != NULL && ::IsMenu(hMenu)) {
        LoadFromMenu(CMenu::FromHandle(hMenu), TRUE);
        DelayLayout();
        m_nCurrentMenuId = nId;
    }
}

// The buttons of a maximized MDI child are not built (no MDI frame in the framework).
void CZPMenuBar::UpdateMdiChildButtons() {}

BOOL CZPMenuBar::EnterKeyboardTracking()
{
    if (m_hWnd == NULL || !::IsWindowVisible(m_hWnd) || IsCustomizeModeActive() || ::GetKeyState(VK_SHIFT) < 0)
        return FALSE;
    CZPMouseManager* pMouse = ZpMouseManager();
    if (pMouse->GetModalCounter() > 0)
        return FALSE;
    // Held: closing the open menus reaches the site, which may drop the bar.
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    pMouse->CloseAll();
    SwitchTrackingMode(TRUE, TRUE, TRUE);
    if (m_nHighlightedControl == -1) {
        for (int i = 0; i < CountControls(); ++i) {
            CZPControl* pControl = ControlAt(i);
            if (pControl->IsVisible() && (pControl->GetFlags() & zpFlagSkipFocus) == 0) {
                HighlightControlAt(i, kHighlightKeyboard);
                break;
            }
        }
    }
    return TRUE;
}

int CZPMenuBar::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    if (hWnd == NULL)
        return CZPToolBar::OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
    switch (nMessage) {
    case WM_DESTROY:
        // The frame gets its own menu back before it goes.
        if (hWnd == m_hWndFrame)
            RestoreFrameMenu();
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == 0 && EnterKeyboardTracking()) {
            lResult = 0;
            return hookHandled;
        }
        break;
    default:
        break;
    }
    return hookContinue;
}

LRESULT CZPMenuBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        RestoreFrameMenu();
    if (message == WM_TIMER && wParam == ZP_TIMER_MENUBAR_MDI_REFRESH) {
        UpdateMdiChildButtons();
        return 0;
    }
    return CZPToolBar::WindowProc(message, wParam, lParam);
}

void CZPMenuBar::ExchangeProperties(CZPPropExchange* pPX)
{
    if (pPX == NULL)
        return;
    CZPToolBar::ExchangeProperties(pPX);
    DWORD dwResourceId = m_nResourceId;
    PropExchangeLong(pPX, L"ResourceId", &dwResourceId, 0u);
    if (pPX->IsLoading() && dwResourceId <= 0xFFFF)
        m_nResourceId = dwResourceId;
}
