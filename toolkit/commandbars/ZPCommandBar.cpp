// The command bar base: its controls, the lookups of the subsystem and the base slots.
#include "commandbars/ZPCommandBar.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPPaintManager.h"
#include "common/ZPImageManager.h"

#include <framework/menu.h>
#include <framework/thread.h>

IMPLEMENT_DYNCREATE(CZPCommandBar, CWnd)

namespace {
// Selection state given by a highlight of each kind (0 mouse, 1 and 2 keyboard forward, 3 backward).
int SelectionOfKind(int nKind)
{
    return nKind == 0 ? zpSelectionHot : (nKind == 3 ? zpSelectionKeyboardBack : zpSelectionKeyboard);
}
}  // namespace

CZPCommandBar::CZPCommandBar()
    : m_bOverrideMouseBlock(FALSE), m_bHoverOpensPopups(TRUE), m_bKeyboardCaret(TRUE),
      m_nMRUWidth(ZP_BAR_MRU_WIDTH_NONE), m_nHighlightedControl(-1), m_nPopupedControl(-1), m_nBarID(0),
      m_bVisible(TRUE), m_nTrackingMode(0), m_hWndSite(NULL), m_dwPending(0), m_dwFlags(0),
      m_dwStyle(ZP_BAR_STYLE_GRIPPER), m_barType(zpBarTypeNormal), m_pControls(new CZPControls),
      m_barPosition(zpBarNone), m_pCommandBars(NULL), m_hWndCommandTarget(NULL), m_hWndOwner(NULL), m_szIcons(0, 0),
      m_szButtons(0, 0), m_bRecursePopup(FALSE), m_bCustomizable(TRUE), m_pReturnCmd(NULL),
      m_nDefaultButtonStyle(zpButtonAutomatic), m_szControlsSpacing(0, 0)
{
    m_pControls->SetParentBar(this);
}

CZPCommandBar::~CZPCommandBar()
{
    DisconnectAccessible();
    SetControls(NULL);
    if (m_hWnd != NULL)
        DestroyWindow();
}

void CZPCommandBar::PostNcDestroy()
{
    // The object is reference counted: the window going does not delete it.
}

void CZPCommandBar::SetControls(CZPControls* pControls)
{
    CZPControls* pOld = m_pControls;
    m_pControls = pControls;
    if (pOld != NULL) {
        // Detached first: removing controls renumbers them, which calls back into their bar.
        pOld->SetParentBar(NULL);
        pOld->RemoveAll();
        pOld->InternalRelease();
    }
    if (pControls != NULL)
        pControls->SetParentBar(this);
}

void CZPCommandBar::SetPaintManager(CZPPaintManager* pPaintManager)
{
    m_pPaintManager.Reset(pPaintManager);
}

int CZPCommandBar::CountControls() const
{
    return m_pControls != NULL ? m_pControls->GetCount() : 0;
}

CZPControl* CZPCommandBar::ControlAt(int nIndex) const
{
    return m_pControls != NULL ? m_pControls->GetAt(nIndex) : NULL;
}

// Lookups --------------------------------------------------------------------------------------

CZPCommandBars* CZPCommandBar::FindCommandBars() const
{
    for (const CZPCommandBar* pBar = this; pBar != NULL; pBar = pBar->GetParentBar()) {
        if (pBar->m_pCommandBars != NULL)
            return pBar->m_pCommandBars;
    }
    return NULL;
}

CZPCommandBar* CZPCommandBar::FindRootParentBar() const
{
    const CZPCommandBar* pBar = this;
    while (pBar->GetParentBar() != NULL)
        pBar = pBar->GetParentBar();
    return const_cast<CZPCommandBar*>(pBar);
}

CWnd* CZPCommandBar::FindSiteWindow() const
{
    CZPCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars != NULL && pCommandBars->GetSite() != NULL)
        return pCommandBars->GetSite();
    CZPCommandBar* pRoot = FindRootParentBar();
    if (pRoot->m_hWndSite != NULL && ::IsWindow(pRoot->m_hWndSite))
        return CWnd::FromHandle(pRoot->m_hWndSite);
    if (pRoot->m_hWndOwner != NULL && ::IsWindow(pRoot->m_hWndOwner))
        return CWnd::FromHandle(pRoot->m_hWndOwner);
    if (pRoot->m_hWnd != NULL) {
        HWND hWnd = ::GetWindow(pRoot->m_hWnd, GW_OWNER);
        if (hWnd == NULL)
            hWnd = ::GetParent(pRoot->m_hWnd);
        if (hWnd != NULL)
            return CWnd::FromHandle(hWnd);
    }
    return AfxGetMainWnd();
}

CWnd* CZPCommandBar::FindCommandTargetWindow() const
{
    for (const CZPCommandBar* pBar = this; pBar != NULL; pBar = pBar->GetParentBar()) {
        if (pBar->m_hWndCommandTarget != NULL && ::IsWindow(pBar->m_hWndCommandTarget))
            return CWnd::FromHandle(pBar->m_hWndCommandTarget);
        if (pBar->m_hWndOwner != NULL && ::IsWindow(pBar->m_hWndOwner))
            return CWnd::FromHandle(pBar->m_hWndOwner);
    }
    return FindSiteWindow();
}

BOOL CZPCommandBar::IsCustomizeModeActive() const
{
    CZPCommandBars* pCommandBars = FindCommandBars();
    return pCommandBars != NULL && pCommandBars->IsCustomizeMode();
}

CZPPaintManager* CZPCommandBar::ResolvePaintManager() const
{
    if (m_pPaintManager)
        return m_pPaintManager.Get();
    CZPCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars != NULL && pCommandBars->GetPaintManager() != NULL)
        return pCommandBars->GetPaintManager();
    CZPCommandBar* pRoot = FindRootParentBar();
    if (pRoot->m_pPaintManager)
        return pRoot->m_pPaintManager.Get();
    return NULL;  // the process-wide paint manager joins the build with its implementation
}

CZPImageManager* CZPCommandBar::ResolveImageManager() const
{
    CZPCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars != NULL && pCommandBars->GetImageManager() != NULL)
        return pCommandBars->GetImageManager();
    return ZpImageManagerInstance();
}

// Base slots -----------------------------------------------------------------------------------

void CZPCommandBar::MarkRedrawPending()
{
    m_dwPending |= ZP_BAR_PENDING_REDRAW;
}

// Tracking mode is not built: no bar tracks, so there is nothing to switch.
BOOL CZPCommandBar::SwitchTrackingMode(int, BOOL, BOOL)
{
    return FALSE;
}

// Popups are not built: nothing is open, nothing opens.
BOOL CZPCommandBar::OpenControlPopup(int, BOOL)
{
    return FALSE;
}

BOOL CZPCommandBar::LoadFromMenu(CMenu* pMenu, BOOL bRemoveControls)
{
    if (pMenu == NULL || !::IsMenu(pMenu->GetSafeHmenu()) || m_pControls == NULL)
        return FALSE;
    // Held: a site answering a create request may drop this bar.
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    CRefPtr<CZPControls> controls = CRefPtr<CZPControls>::AddRef(m_pControls);
    if (bRemoveControls)
        controls->RemoveAll();
    BOOL bBeginGroup = FALSE;
    const int nCount = pMenu->GetMenuItemCount();
    for (int i = 0; i < nCount; ++i) {
        MENUITEMINFOW mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
        if (!pMenu->GetMenuItemInfo(i, &mii, TRUE))
            continue;
        if ((mii.fType & MFT_SEPARATOR) != 0 || (mii.wID == 0 && mii.hSubMenu == NULL)) {
            bBeginGroup = TRUE;
            continue;
        }
        CZPControl* pControl = controls->AddMenuItem(pMenu, i);
        if (pControl == NULL)
            continue;
        if (bBeginGroup)
            pControl->SetBeginGroup(TRUE);
        bBeginGroup = FALSE;
        if ((mii.fType & (MFT_MENUBREAK | MFT_MENUBARBREAK)) != 0) {
            pControl->SetFlags(pControl->GetFlags() | zpFlagWrapRow);
            if ((mii.fType & MFT_MENUBARBREAK) != 0)
                pControl->SetBeginGroup(TRUE);
        }
        if (pControl->GetAction() == NULL) {
            if ((mii.fState & MFS_CHECKED) != 0)
                pControl->SetChecked(TRUE);
            if ((mii.fState & (MFS_GRAYED | MFS_DISABLED)) != 0)
                pControl->SetEnabled(FALSE);
        }
    }
    return TRUE;
}

BOOL CZPCommandBar::HighlightControlAt(int nIndex, int nKind)
{
    if (nIndex == m_nHighlightedControl || m_hWnd == NULL)
        return FALSE;
    // Stored first: the old control's notification reaches the site, which may re-enter.
    CRefPtr<CZPControl> pOld = CRefPtr<CZPControl>::AddRef(ControlAt(m_nHighlightedControl));
    m_nHighlightedControl = nIndex;
    if (pOld) {
        pOld->OnMouseMove(CPoint(-1, -1));
        pOld->OnSetSelected(zpSelectionNone);
    }
    if (nIndex == -1)
        return TRUE;
    CZPControl* pNew = ControlAt(nIndex);
    if (pNew == NULL) {
        m_nHighlightedControl = -1;
        return FALSE;
    }
    pNew->OnSetSelected(SelectionOfKind(nKind));
    return TRUE;
}

// Icon and button sizes from the command bars and the paint manager are not built: the bar's own.
CSize CZPCommandBar::GetEffectiveIconSize() const
{
    return m_szIcons;
}

CSize CZPCommandBar::GetEffectiveButtonSize() const
{
    return m_szButtons;
}

BOOL CZPCommandBar::PopupForControl(CZPControl*)
{
    return FALSE;
}

void CZPCommandBar::SetBarVisible(BOOL) {}

BOOL CZPCommandBar::IsBarVisible() const
{
    return FALSE;
}

BOOL CZPCommandBar::MoveToPosition(int)
{
    return FALSE;
}

BOOL CZPCommandBar::AllowsCustomizing() const
{
    return m_bCustomizable;
}

void CZPCommandBar::RecalcBarLayout() {}

void CZPCommandBar::EndTracking()
{
    SwitchTrackingMode(FALSE, TRUE, FALSE);
}

void CZPCommandBar::ClearSelection()
{
    HighlightControlAt(-1, 0);
}

// The status-bar description is not built: the command bars keep the help id for F1 and the site
// hears of the highlight.
void CZPCommandBar::OnControlHighlighted(int nSelected, CZPControl* pControl)
{
    CZPCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars != NULL)
        pCommandBars->SetHelpIdOf(nSelected != zpSelectionNone ? pControl : NULL);
    CWnd* pSite = FindSiteWindow();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        ::SendMessageW(pSite->GetSafeHwnd(), ZpMsgControlHighlighted,
                       reinterpret_cast<WPARAM>(nSelected != zpSelectionNone ? pControl : NULL), 0);
}

CZPCommandBar* CZPCommandBar::GetParentBar() const
{
    return NULL;
}

BOOL CZPCommandBar::IsDialogBar() const
{
    return FALSE;
}

BOOL CZPCommandBar::IsRibbonBar() const
{
    return FALSE;
}

BOOL CZPCommandBar::IsPopupBar() const
{
    return FALSE;
}

// The redraw lock and bar animation are not built: the area is invalidated directly.
void CZPCommandBar::RepaintArea(const RECT* pRect, BOOL bNow)
{
    if (pRect == NULL)
        m_dwPending &= ~ZP_BAR_PENDING_REDRAW;
    if (m_hWnd == NULL || !::IsWindowVisible(m_hWnd))
        return;
    ::InvalidateRect(m_hWnd, pRect, FALSE);
    if (bNow)
        ::UpdateWindow(m_hWnd);
}

CSize CZPCommandBar::ComputeBarSize(int, DWORD)
{
    return CSize(0, 0);
}

void CZPCommandBar::ResetTrackingState()
{
    m_dwPending |= ZP_BAR_PENDING_LAYOUT;
    m_nHighlightedControl = -1;
    m_nPopupedControl = -1;
}

// Update-UI rounds and template visibility are not built: only the pending work runs.
void CZPCommandBar::OnIdleUpdate(BOOL, BOOL)
{
    if (m_hWnd == NULL || !::IsWindowVisible(m_hWnd))
        return;
    if ((m_dwPending & ZP_BAR_PENDING_REDRAW) != 0)
        RepaintArea(NULL, FALSE);
    if ((m_dwPending & ZP_BAR_PENDING_LAYOUT) != 0) {
        RecalcBarLayout();
        m_dwPending &= ~ZP_BAR_PENDING_LAYOUT;
    }
}
