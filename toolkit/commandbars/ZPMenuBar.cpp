// The frame's menu bar: loading, the frame's menu and the lone Alt key.
#include "commandbars/ZPMenuBar.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsResource.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPMenuBarMDIMenus.h"
#include "commandbars/ZPMouseManager.h"
#include "common/ZPImageManager.h"
#include "common/ZPPropExchange.h"
#include "common/ZPResourceManager.h"

#include <framework/docview.h>
#include <framework/frame.h>
#include <framework/menu.h>

IMPLEMENT_DYNCREATE(CZPMenuBar, CZPToolBar)
ZP_IMPLEMENT_NESTED_DYNCREATE(CZPMenuBar, CControlMDIButton, RUNTIME_CLASS(CZPControlButton))
ZP_IMPLEMENT_NESTED_DYNCREATE(CZPMenuBar, CControlMDISysMenuPopup, RUNTIME_CLASS(CZPControlPopup))
// Nested two deep: the runtime class is spelled out, the macros paste the names.
CObject* PASCAL CZPMenuBar::CControlMDISysMenuPopup::CZPSysMenuPopupBar::CreateObject()
{
    return new CZPSysMenuPopupBar;
}
CRuntimeClass CZPMenuBar::CControlMDISysMenuPopup::CZPSysMenuPopupBar::classCZPSysMenuPopupBar = {
    "CZPMenuBar::CControlMDISysMenuPopup::CZPSysMenuPopupBar",
    sizeof(CZPSysMenuPopupBar),
    0xFFFF,
    CZPSysMenuPopupBar::CreateObject,
    RUNTIME_CLASS(CZPPopupBar),
    NULL
};
CRuntimeClass* CZPMenuBar::CControlMDISysMenuPopup::CZPSysMenuPopupBar::GetRuntimeClass() const
{
    return &classCZPSysMenuPopupBar;
}
static const AFX_CLASSINIT
    _init_CZPSysMenuPopupBar(&CZPMenuBar::CControlMDISysMenuPopup::CZPSysMenuPopupBar::classCZPSysMenuPopupBar);

namespace {
// The keyboard-navigation highlight kind of the first control.
const int kHighlightKeyboard = 2;
// Control flags added to an MDI button, and its size.
const DWORD kMdiButtonFlags = 0x1B;
const int kMdiButtonSize = 16;
// Control flags added to the system-menu control, and those of its system-command buttons.
const DWORD kSysMenuPopupFlags = 0x18;
const DWORD kSysCommandButtonFlags = 0x08;
const int kSysMenuIconSize = 16;
// System commands, and the framework's description strings for them (one per 16 ids).
const UINT kFirstSysCommand = 0xF000;
const UINT kLastSysCommand = 0xF1EF;
const UINT kSysCommandStringBase = 0xEF00;
// "MDIMenu%i" sections read at most: a damaged count cannot make the load run for ever.
const DWORD kMaxMdiMenus = 1024;
// Schema from which the per-template menus are stored.
const long kSchemaMdiMenus = 5;

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
      m_hWndFrame(NULL), m_pMdiMenus(NULL), m_bMdiMenusSaved(FALSE)
{
    m_pMdiMenus = new CZPMenuBarMDIMenus(this);
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
    m_pMdiMenus->RemoveAll();
    m_pMdiMenus->InternalRelease();
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
    // The system menu's items find their images by command id.
    static const UINT kSystemCommands[] = { SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE };
    ResolveImageManager()->SetIconsFromBitmapResource(ZP_IDB_SYSMENU_16, kSystemCommands, _countof(kSystemCommands),
                                                      kSysMenuIconSize, kSysMenuIconSize,
                                                      CZPImageManagerIcon::imageNormal);
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

void CZPMenuBar::ShowControls(CZPControls* pControls)
{
    if (pControls == m_pControls || pControls == NULL)
        return;
    CZPControls* pOld = m_pControls;
    m_nHighlightedControl = -1;
    m_nPopupedControl = -1;
    pControls->InternalAddRef();
    m_pControls = pControls;
    // The old collection keeps its controls: the map (or another bar) still shows them.
    pOld->SetParentBar(NULL);
    pControls->SetParentBar(this);
    pOld->InternalRelease();
}

CZPControls* CZPMenuBar::BuildControlsFromMenu(CMenu* pMenu)
{
    CZPControls* pControls = new CZPControls;
    pControls->SetCommandBars(m_pCommandBars);
    // Built through the bar, which knows how to turn menu items into controls.
    CRefPtr<CZPControls> shown = CRefPtr<CZPControls>::AddRef(m_pControls);
    ShowControls(pControls);
    LoadFromMenu(pMenu, TRUE);
    pControls->CreateOriginalControls();
    ShowControls(shown.Get());
    return pControls;
}

void CZPMenuBar::AddMdiMenu(UINT nId, HMENU hMenu)
{
    if (nId == 0 || m_nCurrentMenuId == 0 || m_nCurrentMenuId == nId)
        return;
    CMenu* pMenu = hMenu != NULL && ::IsMenu(hMenu) ? CMenu::FromHandle(hMenu) : NULL;
    CZPCommandBars* pCommandBars = FindCommandBars();
    CZPMenuBarMDIMenuInfo* pInfo = m_pMdiMenus->Lookup(nId);
    if ((pCommandBars != NULL && pCommandBars->IsCustomizeAvailable()) || pInfo != NULL) {
        if (pMenu == NULL && pInfo == NULL)
            return;
        if (m_pMdiMenus->Lookup(m_nCurrentMenuId) == NULL)
            m_pMdiMenus->SetAt(m_nCurrentMenuId, new CZPMenuBarMDIMenuInfo(m_nCurrentMenuId, m_pControls));
        if (pInfo != NULL) {
            // Held: removing the default menu's entry below releases it.
            CRefPtr<CZPMenuBarMDIMenuInfo> hold = CRefPtr<CZPMenuBarMDIMenuInfo>::AddRef(pInfo);
            CZPControls* pControls = pInfo->GetControls();
            if (pControls->GetOriginalControls() == NULL && pMenu != NULL) {
                CRefPtr<CZPControls> built = CRefPtr<CZPControls>::Adopt(BuildControlsFromMenu(pMenu));
                CZPOriginalControls* pOriginals = built->GetOriginalControls();
                pOriginals->InternalAddRef();
                pControls->SetOriginalControls(pOriginals);
            }
            ShowControls(pControls);
            if (nId == m_nResourceId)
                m_pMdiMenus->Remove(nId);
        } else {
            CRefPtr<CZPControls> built =
                CRefPtr<CZPControls>::Adopt(pMenu != NULL ? BuildControlsFromMenu(pMenu) : new CZPControls);
            m_pMdiMenus->SetAt(nId, new CZPMenuBarMDIMenuInfo(nId, built.Get()));
            ShowControls(built.Get());
        }
    } else if (pMenu != NULL) {
        LoadFromMenu(pMenu, TRUE);
    }
    m_nCurrentMenuId = nId;
    if (m_bMdiFrame)
        UpdateMdiChildButtons();
    RecalcBarLayout();
}

UINT CZPMenuBar::FindMenuTemplateId(HMENU hMenu) const
{
    if (hMenu == NULL)
        return 0;
    if (hMenu == m_hMenuSaved)
        return m_nResourceId;
    HWND hWndChild = GetActiveMdiChild(NULL);
    CFrameWnd* pChild = hWndChild != NULL ? DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWndChild)) : NULL;
    if (pChild == NULL)
        return 0;
    CDocument* pDocument = pChild->GetActiveDocument();
    CDocTemplate* pTemplate = pDocument != NULL ? pDocument->GetDocTemplate() : NULL;
    return pTemplate != NULL ? pTemplate->GetResourceID() : pChild->m_nIDHelp;
}

void CZPMenuBar::OnMdiSetMenu(WPARAM& wParam)
{
    HMENU hMenu = reinterpret_cast<HMENU>(wParam);
    wParam = 0;
    if (!IsBarVisible() || m_hWndFrame == NULL)
        return;
    if (IsCustomizeModeActive()) {
        ::SetMenu(m_hWndFrame, NULL);
        return;
    }
    if ((m_dwFlags & ZP_MENUBAR_FLAG_IGNORE_MDI_MENUS) != 0)
        return;
    if (hMenu == NULL)
        hMenu = m_hMenuSaved;
    const UINT nId = FindMenuTemplateId(hMenu);
    if (nId != m_nCurrentMenuId && hMenu != NULL && ::GetMenuItemCount(hMenu) > 0)
        AddMdiMenu(nId, hMenu);
    if (::GetMenu(m_hWndFrame) != NULL)
        ::SetMenu(m_hWndFrame, NULL);
    RefreshMdiState();
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

BOOL CZPMenuBar::UpdateSysMenuControl(HWND hWndChild, BOOL bMaximized)
{
    CControlMDISysMenuPopup* pSysMenu =
        DYNAMIC_DOWNCAST(CControlMDISysMenuPopup, m_pControls->FindControlById(ZP_ID_MDI_SYSMENU));
    HMENU hMenu = bMaximized && (m_dwFlags & ZP_MENUBAR_FLAG_SYSMENU) != 0 ? ::GetSystemMenu(hWndChild, FALSE) : NULL;
    if (hMenu == NULL || !::IsMenu(hMenu)) {
        if (pSysMenu == NULL)
            return FALSE;
        m_pControls->Remove(pSysMenu);
        return TRUE;
    }
    if (pSysMenu == NULL) {
        pSysMenu = new CControlMDISysMenuPopup;
        m_pControls->AddControl(pSysMenu, ZP_ID_MDI_SYSMENU, NULL, 0, TRUE);
        pSysMenu->SetChildMenu(hWndChild, hMenu);
        return TRUE;
    }
    if (pSysMenu->GetShownMenu() != hMenu) {
        pSysMenu->SetChildMenu(hWndChild, hMenu);
        MarkRedrawPending();
    }
    return FALSE;
}

void CZPMenuBar::UpdateMdiChildButtons()
{
    if (!m_bMdiFrame)
        return;
    BOOL bMaximized = FALSE;
    HWND hWndChild = GetActiveMdiChild(&bMaximized);
    const DWORD dwStyle = hWndChild != NULL ? static_cast<DWORD>(::GetWindowLongW(hWndChild, GWL_STYLE)) : 0;
    BOOL bChanged = UpdateSysMenuControl(hWndChild, bMaximized);
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

// The system-menu control ----------------------------------------------------------------------

CZPMenuBar::CControlMDISysMenuPopup::CZPSysMenuPopupBar::CZPSysMenuPopupBar()
{
    SetCustomizable(FALSE);
}

CZPMenuBar::CControlMDISysMenuPopup::CControlMDISysMenuPopup() : m_hIcon(NULL), m_hMenu(NULL)
{
    m_controlType = zpControlPopup;
    m_dwFlags |= kSysMenuPopupFlags;
    SetCaption(L"-");
}

CZPMenuBar::CControlMDISysMenuPopup::~CControlMDISysMenuPopup()
{
    if (m_hIcon != NULL)
        ::DestroyIcon(m_hIcon);
}

namespace {
// The child's small icon: its own answer, the window's icons, the class icon, the stock one.
HICON FindChildIcon(HWND hWndChild)
{
    HICON hIcon = reinterpret_cast<HICON>(::SendMessageW(hWndChild, ZpMsgMdiChildIcon, 0, 0));
    if (hIcon == NULL)
        hIcon = reinterpret_cast<HICON>(::SendMessageW(hWndChild, WM_GETICON, ICON_SMALL, 0));
    if (hIcon == NULL)
        hIcon = reinterpret_cast<HICON>(::SendMessageW(hWndChild, WM_GETICON, ICON_BIG, 0));
    if (hIcon == NULL)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(hWndChild, GCLP_HICONSM));
    if (hIcon == NULL)
        hIcon = ::LoadIconW(NULL, IDI_WINLOGO);
    return hIcon;
}
}  // namespace

void CZPMenuBar::CControlMDISysMenuPopup::SetChildMenu(HWND hWndChild, HMENU hMenu)
{
    if (m_hIcon != NULL)
        ::DestroyIcon(m_hIcon);
    HICON hIcon = FindChildIcon(hWndChild);
    m_hIcon =
        hIcon != NULL ? static_cast<HICON>(::CopyImage(hIcon, IMAGE_ICON, kMdiButtonSize, kMdiButtonSize, 0)) : NULL;
    m_hMenu = hMenu;

    CZPCommandBar* pPopup = GetCommandBar();
    if (pPopup == NULL) {
        CRefPtr<CZPPopupBar> created = CRefPtr<CZPPopupBar>::Adopt(new CZPSysMenuPopupBar);
        CZPCommandBar* pParent = GetParent();
        created->SetCommandBars(pParent != NULL ? pParent->FindCommandBars() : NULL);
        SetCommandBar(created.Get());
        pPopup = created.Get();
    }
    CZPControls* pControls = pPopup->GetControls();
    pControls->RemoveAll();
    CMenu* pMenu = CMenu::FromHandle(hMenu);
    const UINT nDefault = ::GetMenuDefaultItem(hMenu, FALSE, GMDI_USEDISABLED);
    BOOL bBeginGroup = FALSE;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        MENUITEMINFOW mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE;
        if (!::GetMenuItemInfoW(hMenu, static_cast<UINT>(i), TRUE, &mii))
            continue;
        if ((mii.fType & MFT_SEPARATOR) != 0) {
            bBeginGroup = TRUE;
            continue;
        }
        CZPControl* pControl = NULL;
        if (mii.wID < kFirstSysCommand || mii.wID > kLastSysCommand) {
            pControl = pControls->AddMenuItem(pMenu, i);
        } else {
            CString strText;
            pMenu->GetMenuString(static_cast<UINT>(i), strText, MF_BYPOSITION);
            pControl = pControls->Add(zpControlButton, static_cast<int>(mii.wID));
            if (pControl != NULL) {
                pControl->SetFlags(pControl->GetFlags() | kSysCommandButtonFlags);
                pControl->SetCaption(strText);
                const UINT nString = kSysCommandStringBase + ((mii.wID - kFirstSysCommand) >> 4);
                pControl->SetDescription(ZpResourceManagerInstance()->LoadStringOrEmpty(nString));
                pControl->SetDefaultItem(mii.wID == nDefault);
                pControl->SetEnabled((mii.fState & MFS_GRAYED) == 0);
            }
        }
        if (pControl != NULL && bBeginGroup)
            pControl->SetBeginGroup(TRUE);
        bBeginGroup = FALSE;
    }
}

CSize CZPMenuBar::CControlMDISysMenuPopup::GetSize(CDC*)
{
    return CSize(kMdiButtonSize, kMdiButtonSize);
}

void CZPMenuBar::CControlMDISysMenuPopup::Draw(CDC* pDC)
{
    if (pDC == NULL || m_hIcon == NULL)
        return;
    const CRect rc = GetRect();
    ::DrawStateW(pDC->GetSafeHdc(), NULL, NULL, reinterpret_cast<LPARAM>(m_hIcon), 0, rc.left, rc.top, kMdiButtonSize,
                 kMdiButtonSize, DST_ICON | DSS_NORMAL);
}

void CZPMenuBar::CControlMDISysMenuPopup::AdjustExcludeRect(CRect& rc, BOOL)
{
    rc.InflateRect(1, 1);
}

// Persistence, copies and reset ---------------------------------------------------------------

void CZPMenuBar::RegisterDefaultMenu()
{
    if (m_pMdiMenus->GetCount() == 0)
        return;
    AddMdiMenu(m_nResourceId, NULL);
    m_bMdiMenusSaved = TRUE;
}

void CZPMenuBar::ExchangeProperties(CZPPropExchange* pPX)
{
    if (pPX == NULL)
        return;
    if (pPX->IsStoring())
        RegisterDefaultMenu();
    CZPToolBar::ExchangeProperties(pPX);
    DWORD dwResourceId = m_nResourceId;
    PropExchangeLong(pPX, L"ResourceId", &dwResourceId, 0u);
    if (pPX->IsLoading() && dwResourceId <= 0xFFFF)
        m_nResourceId = dwResourceId;
    if (pPX->GetSchema() < kSchemaMdiMenus)
        return;
    CZPPropExchangeEnumeratorHolder enumerator(pPX->GetEnumerator(L"MDIMenu"));
    if (pPX->IsStoring()) {
        CArray<CZPMenuBarMDIMenuInfo*, CZPMenuBarMDIMenuInfo*> changed;
        for (POSITION pos = m_pMdiMenus->GetStartPosition(); pos != NULL;) {
            CZPMenuBarMDIMenuInfo* pInfo = m_pMdiMenus->GetNext(pos);
            if (pInfo->RefreshChanged())
                changed.Add(pInfo);
        }
        POSITION pos = enumerator->GetPosition(static_cast<DWORD>(changed.GetSize()));
        for (INT_PTR i = 0; pos != NULL && i < changed.GetSize(); ++i) {
            CRefPtr<CZPPropExchange> section = CRefPtr<CZPPropExchange>::Adopt(enumerator->GetNext(pos));
            DWORD dwId = changed[i]->m_nId;
            PropExchangeLong(section.Get(), L"Id", &dwId, 0u);
            CRefPtr<CZPPropExchange> controls = CRefPtr<CZPPropExchange>::Adopt(section->GetSection(L"Controls"));
            if (controls)
                changed[i]->GetControls()->DoPropExchange(controls.Get());
        }
        return;
    }
    POSITION pos = enumerator->GetPosition(0);
    for (DWORD n = 0; pos != NULL && n < kMaxMdiMenus; ++n) {
        CRefPtr<CZPPropExchange> section = CRefPtr<CZPPropExchange>::Adopt(enumerator->GetNext(pos));
        if (!section)
            break;
        DWORD dwId = 0;
        PropExchangeLong(section.Get(), L"Id", &dwId, 0u);
        if (dwId == 0 || dwId > 0xFFFF)
            break;  // a count larger than the sections stored
        if (m_pMdiMenus->Lookup(dwId) != NULL)
            continue;
        CRefPtr<CZPControls> controls = CRefPtr<CZPControls>::Adopt(new CZPControls);
        controls->SetCommandBars(m_pCommandBars);
        CRefPtr<CZPPropExchange> stored = CRefPtr<CZPPropExchange>::Adopt(section->GetSection(L"Controls"));
        if (stored)
            controls->DoPropExchange(stored.Get());
        m_pMdiMenus->SetAt(dwId, new CZPMenuBarMDIMenuInfo(dwId, controls.Get()));
    }
}

void CZPMenuBar::CopyFrom(const CZPToolBar* pOther, BOOL bRecursive)
{
    CZPToolBar::CopyFrom(pOther, bRecursive);
    const CZPMenuBar* pSource =
        pOther != NULL && pOther->IsKindOf(RUNTIME_CLASS(CZPMenuBar)) ? static_cast<const CZPMenuBar*>(pOther) : NULL;
    if (pSource == NULL || pSource == this)
        return;
    m_nResourceId = pSource->m_nResourceId;
    for (POSITION pos = pSource->m_pMdiMenus->GetStartPosition(); pos != NULL;) {
        CZPMenuBarMDIMenuInfo* pSourceInfo = pSource->m_pMdiMenus->GetNext(pos);
        CZPMenuBarMDIMenuInfo* pInfo = m_pMdiMenus->Lookup(pSourceInfo->m_nId);
        if (pInfo == NULL) {
            pSourceInfo->InternalAddRef();
            m_pMdiMenus->SetAt(pSourceInfo->m_nId, pSourceInfo);
            continue;
        }
        CZPControls* pSourceControls = pSourceInfo->GetControls();
        CZPOriginalControls* pOriginals = pInfo->GetControls()->GetOriginalControls();
        if (pSourceControls->GetOriginalControls() == NULL && pOriginals != NULL) {
            pOriginals->InternalAddRef();
            pSourceControls->SetOriginalControls(pOriginals);
        }
        pInfo->SetControls(pSourceControls);
    }
}

CZPToolBar* CZPMenuBar::CloneBar(BOOL bRecursive) const
{
    CZPMenuBar* pClone = new CZPMenuBar;
    pClone->CopyFrom(this, bRecursive);
    return pClone;
}

void CZPMenuBar::RestoreOriginalControls(BOOL bPrompt)
{
    if (m_pControls->GetOriginalControls() != NULL) {
        CZPToolBar::RestoreOriginalControls(bPrompt);
    } else if (m_nCurrentMenuId != 0) {
        CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
        if (bPrompt && !ConfirmReset())
            return;
        CMenu menu;
        if (ZpResourceManagerInstance()->LoadMenu(&menu, m_nCurrentMenuId)) {
            LoadFromMenu(&menu, TRUE);
            menu.DestroyMenu();
        }
        CWnd* pSite = FindSiteWindow();
        if (pSite != NULL && ::IsWindow(pSite->GetSafeHwnd()))
            ::SendMessageW(pSite->GetSafeHwnd(), ZpMsgBarReset, 0, reinterpret_cast<LPARAM>(this));
    }
    RefreshMdiState();
    OnIdleUpdate(TRUE, TRUE);
    RecalcBarLayout();
}

BOOL CZPMenuBar::CanRestoreOriginal() const
{
    if (!AllowsCustomizing())
        return FALSE;
    // The shown controls are compared below where they stand: registering them first would
    // switch the bar to the default menu just to answer a question.
    BOOL bChanged = FALSE;
    for (POSITION pos = m_pMdiMenus->GetStartPosition(); pos != NULL;)
        bChanged |= m_pMdiMenus->GetNext(pos)->RefreshChanged();
    if (bChanged)
        return TRUE;
    CZPOriginalControls* pOriginals = m_pControls->GetOriginalControls();
    return pOriginals == NULL || !m_pControls->IsEqual(pOriginals);
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
    case WM_MDISETMENU:
        if (!m_bMdiFrame)
            break;
        OnMdiSetMenu(wParam);
        lResult = 0;
        return hookHandled;
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
