// The command bar base: its controls, the lookups of the subsystem and the base slots.
#include "commandbars/ZPCommandBar.h"

#include "commandbars/ZPCommandBarAnimation.h"
#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPCustomizeDragTracker.h"
#include "commandbars/ZPKeyboardManager.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPaintManager.h"
#include "common/ZPDeviceContext.h"
#include "common/ZPDrawHelpers.h"
#include "common/ZPImageManager.h"
#include "common/ZPPropExchange.h"

#include <framework/menu.h>
#include <framework/messages.h>
#include <framework/thread.h>

IMPLEMENT_DYNCREATE(CZPCommandBar, CWnd)

namespace {
// Selection state given by a highlight of each kind (0 mouse, 1 and 2 keyboard forward, 3 backward).
int SelectionOfKind(int nKind)
{
    return nKind == 0 ? zpSelectionHot : (nKind == 3 ? zpSelectionKeyboardBack : zpSelectionKeyboard);
}

// The status-bar idle message of the frame.
const WPARAM ZP_IDS_IDLE_MESSAGE = 0xE001;

// Schemas from which the bar exchanges its later keys.
const long kSchemaIconSize = 3;
const long kSchemaButtonSize = 18;
const long kSchemaDefaultButtonStyle = 19;
// Largest persisted size or width a bar accepts: a 16-bit coordinate.
const int kMaxPersistedExtent = 0x7FFF;

BOOL IsInRange(int nValue, int nFirst, int nLast)
{
    return nValue >= nFirst && nValue <= nLast;
}

// A persisted size with a negative or oversized side loads as "from the owner" (0x0).
void ValidatePersistedSize(CSize& size)
{
    if (!IsInRange(size.cx, 0, kMaxPersistedExtent) || !IsInRange(size.cy, 0, kMaxPersistedExtent))
        size = CSize(0, 0);
}
}  // namespace

CZPCommandBar::CZPCommandBar()
    : m_bOverrideMouseBlock(FALSE), m_bHoverOpensPopups(TRUE), m_bKeyboardCaret(TRUE),
      m_nMRUWidth(ZP_BAR_MRU_WIDTH_NONE), m_nHighlightedControl(-1), m_nPopupedControl(-1), m_nBarID(0),
      m_bVisible(TRUE), m_nTrackingMode(0), m_hWndSite(NULL), m_dwPending(0), m_dwFlags(0),
      m_dwStyle(ZP_BAR_STYLE_GRIPPER), m_barType(zpBarTypeNormal), m_pControls(new CZPControls),
      m_barPosition(zpBarNone), m_pCommandBars(NULL), m_hWndCommandTarget(NULL), m_hWndOwner(NULL), m_szIcons(0, 0),
      m_szButtons(0, 0), m_bRecursePopup(FALSE), m_bCustomizable(TRUE), m_pReturnCmd(NULL),
      m_nDefaultButtonStyle(zpButtonAutomatic), m_szControlsSpacing(0, 0), m_nLockCount(0), m_bKeyboardEntry(FALSE),
      m_bMouseEntry(FALSE), m_hWndCaret(NULL), m_nLastDescription(-1), m_bFinalReleasing(FALSE),
      m_nShowTextBelowIcons(ZP_TEXT_BELOW_ICONS_FROM_OPTIONS), m_bAnimationEnabled(FALSE), m_nTextOrientation(0),
      m_hWndFocus(NULL), m_rcDropMarker(0, 0, 0, 0), m_bDropMarkerAcross(FALSE), m_pDragTracker(NULL),
      m_pAnimation(new CZPCommandBarAnimation(this))
{
    m_pControls->SetParentBar(this);
}

CZPCommandBar::~CZPCommandBar()
{
    // No callback from here on: nothing may take a reference to a bar being deleted.
    m_nTrackingMode = 0;
    if (m_hWndCaret != NULL && ::IsWindow(m_hWndCaret))
        ::ShowCaret(m_hWndCaret);
    m_hWndCaret = NULL;
    // The managers keep raw pointers: none may outlive the bar.
    if (CZPMouseManager* pMouse = ZpMouseManagerIfExists())
        pMouse->ForgetBar(this);
    if (CZPKeyboardManager* pKeyboard = ZpKeyboardManagerIfExists())
        pKeyboard->RemoveHookAble(this);
    DisconnectAccessible();
    delete m_pAnimation;
    m_pAnimation = NULL;
    SetControls(NULL);
    if (m_hWnd != NULL)
        DestroyWindow();
}

void CZPCommandBar::OnFinalRelease()
{
    if (m_bFinalReleasing)
        return;
    // Leaving tracking and destroying the window call back into sites that hold the bar: it
    // stays counted meanwhile, so that their releases do not delete it a second time.
    m_bFinalReleasing = TRUE;
    InternalAddRef();
    if (m_nTrackingMode != 0)
        SwitchTrackingMode(0, TRUE, FALSE);
    if (m_hWnd != NULL)
        DestroyWindow();
    InternalRelease();
    delete this;
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
    return ZpGetPaintManager();  // the process-wide one, created on first use
}

void CZPCommandBar::SetImageManager(CZPImageManager* pImageManager)
{
    m_pImageManager = CRefPtr<CZPImageManager>::AddRef(pImageManager);
}

CZPImageManager* CZPCommandBar::ResolveImageManager() const
{
    if (m_pImageManager)
        return m_pImageManager.Get();
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

BOOL CZPCommandBar::SwitchTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if (m_nTrackingMode == nMode || (nMode != 0 && m_nTrackingMode != 0)) {
        m_nTrackingMode = nMode;
        return FALSE;
    }
    // Held: the site hears of it and may drop the bar.
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    m_nTrackingMode = nMode;
    if (nMode != 0)
        EnterTracking(bSelectFirst, bKeyboard);
    else
        LeaveTracking(bSelectFirst);
    if (CZPCommandBars* pCommandBars = FindCommandBars())
        pCommandBars->OnTrackingModeChanged(this, nMode);
    return TRUE;
}

void CZPCommandBar::EnterTracking(BOOL bSelectFirst, BOOL bKeyboard)
{
    if (m_barType == zpBarTypeMenuBar) {
        CWnd* pSite = FindSiteWindow();
        if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
            ::SendMessageW(pSite->GetSafeHwnd(), ZpMsgEnterMenuMode, reinterpret_cast<WPARAM>(this), 0);
    }
    m_bKeyboardEntry = bKeyboard;
    m_bMouseEntry = !bSelectFirst && !bKeyboard;
    if (m_bKeyboardCaret && m_hWndCaret == NULL) {
        HWND hWnd = ::GetFocus();
        if (hWnd == NULL) {
            CWnd* pSite = FindSiteWindow();
            hWnd = pSite != NULL ? pSite->GetSafeHwnd() : NULL;
        }
        // Remembered only when there was a caret to hide: it is shown exactly once again.
        if (hWnd != NULL && ::HideCaret(hWnd))
            m_hWndCaret = hWnd;
    }
    ZpMouseManager()->AddTrackedBar(this);
    ZpKeyboardManager()->AddHookAble(this);
    ::SetCursor(::LoadCursorW(NULL, MAKEINTRESOURCEW(32512)));  // IDC_ARROW
    if (bSelectFirst) {
        for (int i = 0; i < CountControls(); ++i) {
            CZPControl* pControl = ControlAt(i);
            if (pControl->IsVisible() && pControl->GetEnabled()) {
                HighlightControlAt(i, 2);
                break;
            }
        }
    }
}

void CZPCommandBar::LeaveTracking(BOOL bSelectFirst)
{
    m_bKeyboardEntry = FALSE;
    m_bMouseEntry = FALSE;
    CZPMouseManager* pMouse = ZpMouseManager();
    pMouse->RemoveTrackedBar(this);
    ZpKeyboardManager()->RemoveHookAble(this);
    if (m_nPopupedControl != -1) {
        CRefPtr<CZPControl> pOpen = CRefPtr<CZPControl>::AddRef(ControlAt(m_nPopupedControl));
        m_nPopupedControl = -1;
        if (pOpen)
            pOpen->SetPopuped(FALSE);
    }
    if (bSelectFirst)
        HighlightControlAt(-1, 0);
    if (m_hWndCaret != NULL) {
        if (::IsWindow(m_hWndCaret))
            ::ShowCaret(m_hWndCaret);
        m_hWndCaret = NULL;
    }
    RepaintArea(NULL, FALSE);
    if (pMouse->GetTrackedCount() == 0)
        pMouse->SetMenusExpanded(FALSE);
    if (m_hWnd != NULL && ::GetFocus() == m_hWnd) {
        HWND hWndParent = ::GetParent(m_hWnd);
        if (hWndParent != NULL) {
            HWND hWndNext = ::GetNextDlgTabItem(hWndParent, m_hWnd, FALSE);
            if (hWndNext != NULL)
                ::SetFocus(hWndNext);
        }
    }
    m_nLockCount = 0;
}

void CZPCommandBar::AdjustLockCount(int nDelta)
{
    m_nLockCount += nDelta;
    if (m_nLockCount < 0)
        m_nLockCount = 0;
}

int CZPCommandBar::ContainsScreenPoint(POINT ptScreen) const
{
    if (m_hWnd == NULL)
        return 0;
    RECT rc;
    if (!::GetWindowRect(m_hWnd, &rc) || !::PtInRect(&rc, ptScreen))
        return 0;
    if (m_barPosition == zpBarPopup) {
        HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
        if (hRgn != NULL) {
            BOOL bInside = TRUE;
            if (::GetWindowRgn(m_hWnd, hRgn) != ERROR)
                bInside = ::PtInRegion(hRgn, ptScreen.x - rc.left, ptScreen.y - rc.top);
            ::DeleteObject(hRgn);
            if (!bInside)
                return 0;
        }
    }
    return 1;
}

BOOL CZPCommandBar::OpenControlPopup(int nIndex, BOOL bKeyboard)
{
    // Held: closing or opening a popup reaches the site, which may drop this bar.
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    if (m_nPopupedControl != -1) {
        CRefPtr<CZPControl> pOpen = CRefPtr<CZPControl>::AddRef(ControlAt(m_nPopupedControl));
        m_nPopupedControl = -1;
        if (pOpen)
            pOpen->SetPopuped(FALSE);
    }
    CRefPtr<CZPControl> pControl = CRefPtr<CZPControl>::AddRef(ControlAt(nIndex));
    if (!pControl || !pControl->GetEnabled())
        return FALSE;
    // Mode 2 (a popup opened by the bar): moving to another title opens its popup in turn.
    SwitchTrackingMode(ZP_TRACKING_POPUP_OPEN, FALSE, bKeyboard);
    HighlightControlAt(nIndex, bKeyboard ? 2 : 0);
    ::KillTimer(m_hWnd, ZP_TIMER_HOVER);
    m_nPopupedControl = nIndex;
    if (!pControl->SetPopuped(TRUE)) {
        m_nPopupedControl = -1;
        return FALSE;
    }
    return TRUE;
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
    const UINT nDefaultItem = pMenu->GetDefaultItem(GMDI_USEDISABLED, TRUE);
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
        CZPControl* pControl = controls->AddMenuItem(pMenu, i, nDefaultItem);
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
    if (nIndex == -1) {
        ::KillTimer(m_hWnd, ZP_TIMER_HOVER);
        return TRUE;
    }
    CZPControl* pNew = ControlAt(nIndex);
    if (pNew == NULL) {
        m_nHighlightedControl = -1;
        return FALSE;
    }
    pNew->OnSetSelected(SelectionOfKind(nKind));
    ZpMouseManager()->SetLastHighlightingBar(this);
    if (nKind == 0 && m_bHoverOpensPopups)
        ::SetTimer(m_hWnd, ZP_TIMER_HOVER, ZP_HOVER_DELAY, NULL);
    return TRUE;
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

// The options' switch of descriptions is not built: descriptions show. The command bars keep the
// highlighted control's help id for F1.
void CZPCommandBar::OnControlHighlighted(int nSelected, CZPControl* pControl)
{
    CZPCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars != NULL)
        pCommandBars->SetHelpIdOf(nSelected != zpSelectionNone ? pControl : NULL);
    CWnd* pSite = FindSiteWindow();
    HWND hWndSite = pSite != NULL ? pSite->GetSafeHwnd() : NULL;
    if (hWndSite == NULL)
        return;
    // Held across both messages: a site handler may drop the bar or the control.
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    CRefPtr<CZPControl> holdControl = CRefPtr<CZPControl>::AddRef(pControl);
    const BOOL bHighlighted = nSelected != zpSelectionNone && pControl != NULL;
    ::SendMessageW(hWndSite, ZpMsgControlHighlighted, reinterpret_cast<WPARAM>(bHighlighted ? pControl : NULL), 0);
    const int nIndex = bHighlighted ? pControl->GetIndex() : -1;
    if (nIndex == m_nLastDescription || !::IsWindow(hWndSite))
        return;
    m_nLastDescription = nIndex;
    const CString strDescription = bHighlighted ? pControl->GetDescription() : CString();
    if (!strDescription.IsEmpty())
        ::SendMessageW(hWndSite, WM_SETMESSAGESTRING, 0,
                       reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(strDescription)));
    else
        ::SendMessageW(hWndSite, WM_POPMESSAGESTRING, ZP_IDS_IDLE_MESSAGE, 0);
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

// Underlines follow the command bars' cue state; a bar without command bars shows them.
BOOL CZPCommandBar::IsKeyboardCuesVisible() const
{
    CZPCommandBars* pCommandBars = FindCommandBars();
    return pCommandBars != NULL ? pCommandBars->IsKeyboardCuesShown() : TRUE;
}

// The redraw lock is not built. The whole bar is only invalidated: a layout commit is mostly
// followed by the caller moving or sizing the window, and painting before that is wasted.
void CZPCommandBar::RepaintArea(const RECT* pRect, BOOL bAnimate)
{
    if (pRect == NULL)
        m_dwPending &= ~ZP_BAR_PENDING_REDRAW;
    if (m_hWnd == NULL || !::IsWindowVisible(m_hWnd))
        return;
    m_pAnimation->RedrawRect(pRect, bAnimate);
}

// Persisted defaults differ from the constructor's (Position 0, Style 0, MRUWidth 0): stored
// files rely on them. Values outside their range load as those defaults.
namespace {

// The controls of a collection and of its original controls, one after the other.
template <class TFunc> BOOL ForEachControlAndOriginal(CZPControls* pControls, TFunc func)
{
    if (pControls == NULL)
        return TRUE;
    for (int i = 0; i < pControls->GetCount(); ++i)
        if (!func(pControls->GetAt(i)))
            return FALSE;
    if (CZPOriginalControls* pOriginals = pControls->GetOriginalControls())
        for (int i = 0; i < pOriginals->GetCount(); ++i)
            if (!func(pOriginals->GetAt(i)))
                return FALSE;
    return TRUE;
}

}  // namespace

void CZPCommandBar::CollectCommandBars(CPtrArray* pBars)
{
    for (INT_PTR i = 0; i < pBars->GetSize(); ++i)
        if (pBars->GetAt(i) == this)
            return;  // met before: shared, or a popup chain that loops
    InternalAddRef();
    pBars->Add(this);
    ForEachControlAndOriginal(m_pControls, [pBars](CZPControl* pControl) {
        pControl->CollectChildBars(pBars);
        return TRUE;
    });
}

BOOL CZPCommandBar::RestoreCommandBarLinks(ZP_LOADED_BARS* pLoaded)
{
    pLoaded->chain.push_back(this);
    const BOOL bRestored = ForEachControlAndOriginal(
        m_pControls, [pLoaded](CZPControl* pControl) { return pControl->RestoreChildBar(pLoaded); });
    pLoaded->chain.pop_back();
    return bRestored;
}

void CZPCommandBar::ExchangeProperties(CZPPropExchange* pPX)
{
    if (pPX == NULL)
        return;
    const long nSchema = pPX->GetSchema();
    const BOOL bLoading = pPX->IsLoading();
    PropExchangeLong(pPX, L"Type", &m_barType, zpBarTypeNormal);
    PropExchangeLong(pPX, L"Position", &m_barPosition, zpBarTop);
    DWORD dwBarID = m_nBarID;
    PropExchangeLong(pPX, L"BarID", &dwBarID, 0u);
    m_nBarID = dwBarID;
    PropExchangeLong(pPX, L"Flags", &m_dwFlags, 0u);
    PropExchangeLong(pPX, L"Style", &m_dwStyle, 0u);
    PropExchangeString(pPX, L"Title", m_strTitle, L"");
    PropExchangeBool(pPX, L"Customizable", &m_bCustomizable, TRUE);
    PropExchangeLong(pPX, L"MRUWidth", &m_nMRUWidth, 0);
    if (bLoading) {
        if (!IsInRange(m_barType, zpBarTypeMenuBar, zpBarTypePopup))
            m_barType = zpBarTypeNormal;
        if (!IsInRange(m_barPosition, zpBarTop, zpBarNone))
            m_barPosition = zpBarTop;
        if (!IsInRange(m_nMRUWidth, 0, kMaxPersistedExtent))
            m_nMRUWidth = 0;
    }
    if (nSchema >= kSchemaIconSize) {
        PropExchangeSize(pPX, L"IconSize", &m_szIcons, CSize(0, 0));
        if (bLoading)
            ValidatePersistedSize(m_szIcons);
    }
    if (bLoading && pPX->m_dwData != 0)
        m_pCommandBars = reinterpret_cast<const ZP_COMMANDBARS_EXCHANGE_PARAMS*>(pPX->m_dwData)->pCommandBars;
    if (nSchema >= kSchemaButtonSize) {
        PropExchangeSize(pPX, L"ButtonSize", &m_szButtons, CSize(0, 0));
        PropExchangeBool(pPX, L"ShowTextBelowIcons", &m_nShowTextBelowIcons, ZP_TEXT_BELOW_ICONS_FROM_OPTIONS);
        BOOL bAnimation = m_bAnimationEnabled;
        PropExchangeBool(pPX, L"EnableAnimation", &bAnimation, FALSE);
        if (bLoading) {
            ValidatePersistedSize(m_szButtons);
            if (!IsInRange(m_nShowTextBelowIcons, 0, ZP_TEXT_BELOW_ICONS_FROM_OPTIONS))
                m_nShowTextBelowIcons = ZP_TEXT_BELOW_ICONS_FROM_OPTIONS;
            SetAnimationEnabled(bAnimation);
        }
    }
    if (nSchema >= kSchemaDefaultButtonStyle) {
        PropExchangeLong(pPX, L"DefaultButtonStyle", &m_nDefaultButtonStyle, zpButtonAutomatic);
        if (bLoading && !IsInRange(m_nDefaultButtonStyle, zpButtonAutomatic, zpButtonIconAndCaptionBelow))
            m_nDefaultButtonStyle = zpButtonAutomatic;
    }
    CRefPtr<CZPPropExchange> section = CRefPtr<CZPPropExchange>::Adopt(pPX->GetSection(L"Controls"));
    if (section && m_pControls != NULL)
        m_pControls->DoPropExchange(section.Get());
}

void CZPCommandBar::DrawBar(CDC* pDC, const CRect& rcClip)
{
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    if (pDC == NULL || pPaintManager == NULL)
        return;
    pPaintManager->FillBarBackground(pDC, this);
    if (HasGripper() || m_barPosition == zpBarFloating)
        pPaintManager->DrawBarGripper(pDC, this, TRUE);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CZPFontDC font(pDC, pPaintManager->GetBarFont(this));
    BOOL bFirst = TRUE;
    const int nCount = CountControls();
    for (int i = 0; i < nCount; i++) {
        CZPControl* pControl = ControlAt(i);
        if (pControl == NULL)
            continue;
        CRect rcMeet;
        const BOOL bMeets = rcMeet.IntersectRect(pControl->GetRect(), rcClip);
        // Past the first shown control, one outside the clip draws nothing unless it has a separator.
        if (!bMeets && !bFirst && !pControl->GetBeginGroup())
            continue;
        if (pControl->GetParent() != this || !pControl->IsVisible())
            continue;
        if (pControl->GetBeginGroup() && !bFirst)
            pPaintManager->DrawBarSeparator(pDC, this, pControl, TRUE);
        bFirst = FALSE;
        if (bMeets)
            pControl->Draw(pDC);
    }
    pDC->SetBkMode(nOldMode);
    if (IsCustomizeModeActive())
        DrawCustomizeState(pDC);
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

// Mouse -------------------------------------------------------------------------------------

void CZPCommandBar::HandleMouseMove(UINT, CPoint point)
{
    if (m_hWnd == NULL)
        return;
    CZPMouseManager* pMouse = ZpMouseManager();
    if (pMouse->IsBlockedByTracking(this))
        return;
    if (m_nTrackingMode == 0 && m_barPosition != zpBarPopup && !ZpIsOwnerChainActive(m_hWnd))
        return;
    if (pMouse->GetModalCounter() > 0 && !m_bOverrideMouseBlock)
        return;
    if (IsCustomizeModeActive()) {
        // Customizing: only the selected control's resize edge shows.
        CZPControl* pSelected = m_pCommandBars != NULL ? m_pCommandBars->GetCustomizeSelection() : NULL;
        if (pSelected != NULL && pSelected->GetParent() == this)
            pSelected->UpdateResizeCursor(point);
        return;
    }
    if (m_nPopupedControl != -1 && !m_bHoverOpensPopups)
        return;
    int nCandidate = m_nTrackingMode != 0 ? m_nHighlightedControl : -1;
    if (m_barPosition == zpBarPopup && m_nPopupedControl == -1 && m_bMouseEntry)
        nCandidate = -1;
    CZPControl* pUnder = m_pControls != NULL ? m_pControls->HitTest(point) : NULL;
    if (pUnder != NULL) {
        nCandidate = pUnder->GetIndex();
        pMouse->StartMouseLeaveTracking(m_hWnd);
        pUnder->OnMouseMove(point);
    }
    HighlightControlAt(nCandidate, 0);
}

void CZPCommandBar::OnMouseLeaveOrNcMove()
{
    CZPMouseManager* pMouse = ZpMouseManager();
    if ((pMouse->GetModalCounter() > 0 && !m_bOverrideMouseBlock) || m_nLockCount > 0)
        return;
    if (m_nTrackingMode != 0 && !(m_barPosition == zpBarPopup && m_nPopupedControl == -1))
        return;
    HighlightControlAt(-1, 0);
}

BOOL CZPCommandBar::OnButtonMessage(UINT message, CPoint point)
{
    if (IsCustomizeModeActive() && message != WM_LBUTTONDOWN)
        return FALSE;
    // Held: a control's click may end tracking, and the site may drop the bar or the control.
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    CRefPtr<CZPControl> pControl =
        CRefPtr<CZPControl>::AddRef(m_pControls != NULL ? m_pControls->HitTest(point) : NULL);
    if (!pControl)
        return FALSE;
    if (message == WM_LBUTTONDOWN)
        pControl->OnLButtonDown(point);
    else if (message == WM_LBUTTONUP)
        pControl->OnLButtonUp(point);
    else
        pControl->OnLButtonDblClk(point);
    return TRUE;
}

BOOL CZPCommandBar::OnRButtonDown(CPoint point)
{
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    CRefPtr<CZPControl> pControl =
        CRefPtr<CZPControl>::AddRef(m_pControls != NULL ? m_pControls->HitTest(point) : NULL);
    if (pControl && pControl->OnRButtonDown(point))
        return TRUE;
    return IsCustomizeModeActive() && OnCustomizeRButtonDown(pControl.Get(), point);
}

void CZPCommandBar::OnBarTimer(UINT_PTR nId)
{
    if (nId == ZP_TIMER_KEYBOARD_TIPS) {
        CZPCommandBars* pCommandBars = FindCommandBars();
        if (pCommandBars != NULL && m_nTrackingMode != 0)
            pCommandBars->ShowKeyboardTipsForBar(this, 1);
        return;
    }
    if (nId != ZP_TIMER_HOVER && nId != ZP_TIMER_SHOW_FULL)
        return;
    if (m_nLockCount > 0)
        return;
    ::KillTimer(m_hWnd, nId);
    if (nId == ZP_TIMER_HOVER) {
        CRefPtr<CZPControl> pControl = CRefPtr<CZPControl>::AddRef(ControlAt(m_nHighlightedControl));
        if (pControl)
            pControl->OnMouseHover();
    }
}

LRESULT CZPCommandBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE:
        HandleMouseMove(static_cast<UINT>(wParam),
                        CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        return 0;
    case WM_MOUSELEAVE:
        OnMouseLeaveOrNcMove();
        return 0;
    case WM_NCMOUSEMOVE:
        OnMouseLeaveOrNcMove();
        break;
    case WM_TIMER:
        if (wParam == ZP_TIMER_HOVER || wParam == ZP_TIMER_SHOW_FULL) {
            OnBarTimer(wParam);
            return 0;
        }
        if (wParam == ZP_TIMER_BAR_ANIMATION) {
            m_pAnimation->OnTimer();
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        if (OnButtonMessage(message, CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)))))
            return 0;
        break;
    case WM_RBUTTONDOWN:
        if (OnRButtonDown(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)))))
            return 0;
        break;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT:
        m_pAnimation->OnPaint();
        return 0;
    case WM_PRINTCLIENT: {
        CRect rcClient;
        GetClientRect(&rcClient);
        DrawBar(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), rcClient);
        return 0;
    }
    case WM_CREATE:
        if (m_pCommandBars != NULL && m_barPosition != zpBarListBox && m_pDragTracker == NULL) {
            m_pDragTracker = m_pCommandBars->GetDragTracker();
            m_pDragTracker->RegisterBar(this);
        }
        break;
    case WM_DESTROY:
        if (m_pDragTracker != NULL)
            m_pDragTracker->UnregisterBar(this);
        m_pDragTracker = NULL;
        if (m_nTrackingMode != 0)
            SwitchTrackingMode(0, TRUE, FALSE);
        m_pAnimation->OnDestroy();
        break;
    case WM_IDLEUPDATECMDUI:
        OnIdleUpdate(static_cast<BOOL>(wParam), FALSE);
        return 0;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
