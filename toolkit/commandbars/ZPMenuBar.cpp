// The frame's menu bar: loading, the frame's menu and the lone Alt key.
#include "commandbars/ZPMenuBar.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPMouseManager.h"
#include "common/ZPPropExchange.h"
#include "common/ZPResourceManager.h"

#include <framework/menu.h>

IMPLEMENT_DYNCREATE(CZPMenuBar, CZPToolBar)
ZP_IMPLEMENT_NESTED_DYNCREATE(CZPMenuBar, CControlMDIButton, RUNTIME_CLASS(CZPControlButton))

namespace {
// The keyboard-navigation highlight kind of the first control.
const int kHighlightKeyboard = 2;
// Control flags added to an MDI button, and its size.
const DWORD kMdiButtonFlags = 0x1B;
const int kMdiButtonSize = 16;

// One button of a maximized MDI child: its Marlett glyph, tooltip, the child styles it needs and
// the bar flag that leaves it out.
struct MdiButtonKind
{
    int nId;
    const wchar_t* pszGlyph;
    const wchar_t* pszTooltip;
    DWORD dwNeededStyle;
    DWORD dwSuppressFlag;
};
const MdiButtonKind kMdiButtons[] = {
    { ZP_ID_MDI_MINIMIZE, L"0", L"Minimize Window", WS_MINIMIZEBOX | WS_SYSMENU, ZP_MENUBAR_FLAG_NO_MINIMIZE },
    { ZP_ID_MDI_RESTORE, L"2", L"Restore Window", WS_MAXIMIZEBOX | WS_SYSMENU, ZP_MENUBAR_FLAG_NO_RESTORE },
    { ZP_ID_MDI_CLOSE, L"r", L"Close Window", WS_SYSMENU, ZP_MENUBAR_FLAG_NO_CLOSE },
};

const MdiButtonKind* FindMdiButtonKind(int nId)
{
    for (const MdiButtonKind& kind : kMdiButtons) {
        if (kind.nId == nId)
            return &kind;
    }
    return NULL;
}

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
    m_hWndFrame = hWndSite;
    if (m_hMenuSaved == NULL) {
        m_hMenuSaved = ::GetMenu(hWndSite);
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

// The per-template control sets are not kept: in an MDI frame the bar's controls are rebuilt
// from the template's menu.
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

HWND CZPMenuBar::GetActiveMdiChild(BOOL* pbMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hWndChild = NULL;
    HWND hWndClient = m_bMdiFrame && m_hWndFrame != NULL ? FindMdiClient(m_hWndFrame) : NULL;
    if (hWndClient != NULL)
        hWndChild = reinterpret_cast<HWND>(
            ::SendMessageW(hWndClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&bMaximized)));
    if (pbMaximized != NULL)
        *pbMaximized = hWndChild != NULL && bMaximized;
    return hWndChild;
}

void CZPMenuBar::PostMdiRefresh()
{
    if (m_hWnd != NULL)
        ::PostMessageW(m_hWnd, WM_TIMER, ZP_TIMER_MENUBAR_MDI_REFRESH, 0);
}

void CZPMenuBar::RefreshMdiState()
{
    if (!m_bMdiFrame)
        return;
    HWND hWndChild = GetActiveMdiChild(NULL);
    if (hWndChild != m_hWndMdiChild) {
        CZPHookManager* pHooks = ZpHookManagerInstance();
        if (m_hWndMdiChild != NULL)
            pHooks->DetachHookAble(m_hWndMdiChild, this);
        m_hWndMdiChild = hWndChild;
        if (hWndChild != NULL)
            pHooks->AttachHookAble(hWndChild, this);
    }
    if (IsBarVisible())
        UpdateMdiChildButtons();
}

// The system-menu control (9154) is not built: a bar with ZP_MENUBAR_FLAG_SYSMENU shows none.
void CZPMenuBar::UpdateMdiChildButtons()
{
    if (!m_bMdiFrame)
        return;
    BOOL bMaximized = FALSE;
    HWND hWndChild = GetActiveMdiChild(&bMaximized);
    const DWORD dwStyle = hWndChild != NULL ? static_cast<DWORD>(::GetWindowLongW(hWndChild, GWL_STYLE)) : 0;
    BOOL bChanged = FALSE;
    for (const MdiButtonKind& kind : kMdiButtons) {
        CZPControl* pButton = m_pControls->FindControlById(kind.nId);
        if (pButton != NULL && !bMaximized) {
            m_pControls->Remove(pButton);
            bChanged = TRUE;
        } else if (pButton == NULL && bMaximized && (dwStyle & kind.dwNeededStyle) == kind.dwNeededStyle &&
                   (m_dwFlags & kind.dwSuppressFlag) == 0) {
            CControlMDIButton* pNew = new CControlMDIButton;
            m_pControls->AddControl(pNew, kind.nId, NULL, -1, TRUE);
            pNew->SetMdiCommand(kind.nId);
            bChanged = TRUE;
        }
    }
    if (bChanged)
        RecalcBarLayout();
}

CZPMenuBar::CControlMDIButton::CControlMDIButton()
{
    m_dwFlags |= kMdiButtonFlags;
}

void CZPMenuBar::CControlMDIButton::SetMdiCommand(int nId)
{
    if (const MdiButtonKind* pKind = FindMdiButtonKind(nId)) {
        SetCaption(pKind->pszGlyph);
        SetTooltip(pKind->pszTooltip);
    }
}

CSize CZPMenuBar::CControlMDIButton::GetSize(CDC*)
{
    return CSize(kMdiButtonSize, kMdiButtonSize);
}

void CZPMenuBar::CControlMDIButton::Execute()
{
    CZPMenuBar* pBar = DYNAMIC_DOWNCAST(CZPMenuBar, GetParent());
    HWND hWndChild = pBar != NULL ? pBar->GetActiveMdiChild(NULL) : NULL;
    if (hWndChild == NULL)
        return;
    const WPARAM nCommand = GetID() == ZP_ID_MDI_CLOSE     ? SC_CLOSE
                            : GetID() == ZP_ID_MDI_RESTORE ? SC_RESTORE
                                                           : SC_MINIMIZE;
    ::PostMessageW(hWndChild, WM_SYSCOMMAND, nCommand, 0);
}

void CZPMenuBar::CControlMDIButton::Draw(CDC* pDC)
{
    const MdiButtonKind* pKind = FindMdiButtonKind(GetID());
    ZpDrawMarlettButton(pDC, this, pKind != NULL ? pKind->pszGlyph : L"r");
}

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
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        if (hWnd == m_hWndMdiChild)
            PostMdiRefresh();
        break;
    case WM_MDICREATE:
    case WM_MDIDESTROY:
    case WM_MDIACTIVATE:
        if (m_bMdiFrame)
            PostMdiRefresh();
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
        RefreshMdiState();
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
