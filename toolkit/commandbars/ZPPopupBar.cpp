// A popup menu bar: placement, opening and closing, menu and scroll layout, rarely used
// commands, tear-off, animation and shadows.
#include "commandbars/ZPPopupBar.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPControlButton.h"
#include "commandbars/ZPControlPopup.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPaintManager.h"
#include "common/ZPDeviceContext.h"
#include "common/ZPMenuSoundThread.h"
#include "common/ZPPropExchange.h"
#include "common/ZPShadowManager.h"
#include "common/ZPTrackingLoop.h"

#include <framework/frame.h>
#include <framework/messages.h>

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNCREATE(CZPPopupBar, CZPCommandBar)
IMPLEMENT_DYNCREATE(CZPPopupToolBar, CZPPopupBar)

namespace {
const wchar_t kPopupBarClass[] = L"ZPPopupBar";
// Window style bit of bars that answer WM_FLOATSTATUS FS_SYNCACTIVE.
const DWORD kStyleSyncActive = 0x100;
// The work area's bottom keeps this margin free.
const int kWorkAreaBottomMargin = 5;
// A drag farther than this outside the tear-off strip tears the popup off.
const int kTearOffMargin = 10;
// The torn-off toolbar hangs this far above the cursor.
const int kTearOffCursorOffset = 10;
// Borders of a floating toolbar made by tearing off.
const int kFloatingBorder = 3;
// The width and colour index of the scroll buttons' arrows.
const int kScrollArrowWidth = 6;
const int kScrollArrowColor = 18;
// Control flags of the expand button.
const DWORD kExpandButtonFlags = 0x5A;
// Layout bit of the floating shape.
const DWORD kLayoutFloatingShape = 0x100;
// Schemas from which the popup exchanges its later keys.
const long kSchemaBorders = 4;
const long kSchemaDoubleGripper = 9;
// The resize grip of a popup holding a resizable gallery: its height, lower when the gallery
// resizes in height only.
const int kGripHeightOnly = 2;
const int kGripHeight = 11;
const int kGripHeightMode2 = 8;
const long kSchemaContextMenu = 19;
const long kSchemaGripperDefault = 20;
// Persisted widths and borders beyond this are damaged.
const int kMaxPersistedExtent = 0x7FFF;

BOOL IsOwnControl(const CZPCommandBar* pBar, const CZPControl* pControl)
{
    return pControl != NULL && pControl->GetParent() == pBar;
}

int Clamp(int nValue, int nLow, int nHigh)
{
    return std::max(nLow, std::min(nValue, nHigh));
}

BOOL RegisterPopupBarClass()
{
    WNDCLASSW wc = {};
    HINSTANCE hInstance = AfxGetInstanceHandle();
    if (::GetClassInfoW(hInstance, kPopupBarClass, &wc))
        return TRUE;
    wc.style = CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorW(NULL, IDC_ARROW);
    wc.lpszClassName = kPopupBarClass;
    return AfxRegisterClass(&wc);
}

// The expand button at the bottom of a menu hiding rarely used commands.
class CControlExpandButton : public CZPControlButton
{
public:
    CControlExpandButton()
    {
        m_controlType = zpControlButton;
        m_dwFlags = kExpandButtonFlags;
    }
    void Execute() override
    {
        CZPPopupBar* pPopup = DYNAMIC_DOWNCAST(CZPPopupBar, m_pParent);
        if (pPopup != NULL)
            pPopup->ExpandBar();
    }
    CSize GetSize(CDC* pDC) override
    {
        CZPPaintManager* pPaintManager = GetPaintManager();
        return pPaintManager != NULL
                   ? pPaintManager->DrawBuiltInButton(pDC, zpButtonExpandPopup, this, m_pParent, FALSE, NULL)
                   : CSize(0, 0);
    }
    void Draw(CDC* pDC) override
    {
        CZPPaintManager* pPaintManager = GetPaintManager();
        if (pPaintManager != NULL)
            pPaintManager->DrawBuiltInButton(pDC, zpButtonExpandPopup, this, m_pParent, TRUE, NULL);
    }
};

// A persisted rectangle of borders with a side out of range loads as the default.
void ValidateBorders(CRect& rc)
{
    auto bad = [](int n) { return n < 0 || n > kMaxPersistedExtent; };
    if (bad(rc.left) || bad(rc.top) || bad(rc.right) || bad(rc.bottom))
        rc = CRect(2, 4, 2, 4);
}
}  // namespace

// Placement ------------------------------------------------------------------------------------

ZpPopupPlacement ZpPlacePopup(const ZpPopupPlacementInput& in)
{
    const CRect& rcE = in.rcExclude;
    CRect rcA = in.rcWork;
    const BOOL bPoint = rcE.Height() == 0;
    // Outside the work area but on the monitor (a taskbar, say): the whole monitor counts.
    CRect rcMeet;
    if ((rcE.IsRectEmpty() && in.rcMonitor.PtInRect(in.ptAnchor) && !in.rcWork.PtInRect(in.ptAnchor)) ||
        (!rcE.IsRectEmpty() && !rcMeet.IntersectRect(rcE, in.rcWork) && rcMeet.IntersectRect(rcE, in.rcMonitor)))
        rcA = in.rcMonitor;
    rcA.bottom -= kWorkAreaBottomMargin;
    if (rcA.bottom < rcA.top)
        rcA.bottom = rcA.top;
    // An anchor off the monitor would leave the popup off every screen: it is brought onto the area.
    CPoint ptAnchor = in.ptAnchor;
    if (!in.rcMonitor.PtInRect(ptAnchor) && rcE.IsRectEmpty()) {
        ptAnchor.x = Clamp(ptAnchor.x, rcA.left, rcA.right);
        ptAnchor.y = Clamp(ptAnchor.y, rcA.top, rcA.bottom);
    }
    const int nAreaMiddle = rcA.top + rcA.Height() / 2;

    ZpPopupPlacement out = {};
    DWORD dwDir = in.dwDirection;
    int x = ptAnchor.x;
    int y = ptAnchor.y;
    int cx = std::max(0, static_cast<int>(in.size.cx));
    int cy = std::max(0, static_cast<int>(in.size.cy));

    // Vertical.
    BOOL bRaise = TRUE;
    if (bPoint && (dwDir & ZP_POPUP_UPWARDS) != 0) {
        y -= cy;
    } else if (bPoint && y > rcA.bottom) {
        y -= cy;
        bRaise = FALSE;
    } else if (y + cy <= rcA.bottom) {
        // Fits below.
    } else if (bPoint) {
        // The middle of the area, not of the screen: monitors need not start at 0.
        y = y < nAreaMiddle ? rcA.bottom - cy : y - cy;
    } else if ((dwDir & ZP_POPUP_DROPDOWN) == 0) {
        y = rcA.bottom - cy;
    } else {
        y = rcE.top - cy;
        if (y < rcA.top) {
            if (in.bMultiColumn) {
                dwDir &= ~ZP_POPUP_DROPDOWN;
                y = rcA.bottom - cy;
                if ((dwDir & ZP_POPUP_LEFTWARDS) == 0)
                    x = rcE.right;
            } else if ((rcE.top + rcE.bottom) / 2 > nAreaMiddle) {
                cy = std::max(0, static_cast<int>(rcE.top - rcA.top));
                y = rcA.top;
                out.bShrunk = TRUE;
            } else {
                cy = std::max(0, static_cast<int>(rcA.bottom - rcE.bottom));
                y = rcE.bottom;
                out.bShrunk = TRUE;
            }
        }
    }
    if (bRaise) {
        if (y < rcA.top)
            y = rcA.top;
        if (y == rcA.top && y + cy > rcA.bottom) {
            if (!in.bMultiColumn) {
                cy = rcA.bottom - y;
                out.bShrunk = TRUE;
            } else {
                out.bWrapArea = TRUE;
            }
        }
    }

    // Horizontal.
    const BOOL bHasWidth = rcE.Width() > 0;
    if (dwDir == (ZP_POPUP_LEFTWARDS | ZP_POPUP_DROPDOWN) && bHasWidth)
        x = rcE.right - cx;
    else if ((dwDir & ZP_POPUP_LEFTWARDS) != 0 && bHasWidth)
        x = rcE.left - cx;
    else if ((dwDir & ZP_POPUP_LEFTWARDS) != 0)
        x -= cx;
    if (x + cx > rcA.right) {
        if (!bHasWidth)
            x = x > rcA.right ? x - cx : rcA.right - cx;
        else
            x = (dwDir & ZP_POPUP_DROPDOWN) != 0 ? rcA.right - cx : rcE.left - cx;
        dwDir |= ZP_POPUP_LEFTWARDS;
        if (x < rcA.left)
            x = rcA.left;
    } else if (x < rcA.left) {
        if (bHasWidth) {
            x = (dwDir & ZP_POPUP_DROPDOWN) != 0 ? rcA.left : rcE.right;
            dwDir &= ~ZP_POPUP_LEFTWARDS;
        } else if ((dwDir & ZP_POPUP_LEFTWARDS) != 0) {
            x = rcA.left;
            dwDir &= ~ZP_POPUP_LEFTWARDS;
        }
    }
    out.rc = CRect(x, y, x + cx, y + cy);
    out.dwDirection = dwDir;
    out.nAreaHeight = rcA.Height();
    return out;
}

// Construction -----------------------------------------------------------------------------------

CZPPopupBar::CZPPopupBar()
    : m_pControlPopup(NULL), m_ptAnchor(0, 0), m_rcExclude(0, 0, 0, 0), m_dwDirection(0), m_bLayoutRunning(FALSE),
      m_bHasRarelyUsed(FALSE), m_bExpanded(FALSE), m_bJustExpanded(FALSE), m_bTearOff(FALSE), m_rcTearOff(0, 0, 0, 0),
      m_rcGrip(0, 0, 0, 0), m_nGripMode(0), m_bTearOffHot(FALSE), m_nTearOffTimer(0), m_bTearingOff(FALSE),
      m_szTornOff(0, 0), m_nTearOffId(0), m_nTearOffWidth(0), m_bShowShadow(TRUE), m_rcBorders(2, 4, 2, 4),
      m_bDoubleGripper(FALSE), m_bContextMenu(FALSE), m_bScrolling(FALSE), m_nFirstShown(0), m_nEndShown(0),
      m_rcScrollDown(0, 0, 0, 0), m_nScrollDownTimer(0), m_rcScrollUp(0, 0, 0, 0), m_nScrollUpTimer(0),
      m_nTrackFlags(0), m_bInDestroy(FALSE), m_bExpandTimer(FALSE), m_bHasShadows(FALSE)
{
    m_barType = zpBarTypePopup;
    m_barPosition = zpBarPopup;
    m_nMRUWidth = 0;
}

CZPPopupBar::~CZPPopupBar() = default;

CZPCommandBar* CZPPopupBar::GetParentBar() const
{
    return m_pControlPopup != NULL ? m_pControlPopup->GetParent() : NULL;
}

BOOL CZPPopupBar::IsPopupBar() const
{
    return TRUE;
}

BOOL CZPPopupBar::IsBarVisible() const
{
    return m_hWnd != NULL && ::IsWindowVisible(m_hWnd);
}

void CZPPopupBar::SetTearOffPopup(LPCWSTR lpszCaption, UINT nBarID, BOOL bTearOff, int nWidth)
{
    m_bTearOff = bTearOff;
    m_strTearOffCaption = lpszCaption != NULL ? lpszCaption : L"";
    m_nTearOffId = nBarID;
    m_nTearOffWidth = Clamp(nWidth, 0, kMaxPersistedExtent);
}

// Window ---------------------------------------------------------------------------------------

BOOL CZPPopupBar::CreatePopupWindow()
{
    if (m_hWnd != NULL)
        return TRUE;
    if (!RegisterPopupBarClass())
        return FALSE;
    CWnd* pSite = FindSiteWindow();
    HWND hWndSite = pSite != NULL ? pSite->GetSafeHwnd() : NULL;
    DWORD dwExStyle = WS_EX_TOOLWINDOW;
    if (hWndSite != NULL && (::GetWindowLongW(hWndSite, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0)
        dwExStyle |= WS_EX_LAYOUTRTL;
    const DWORD dwStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | kStyleSyncActive;
    if (!CreateEx(dwExStyle, kPopupBarClass, NULL, dwStyle, 0, 0, 0, 0, hWndSite, NULL))
        return FALSE;
    if (m_hWndOwner == NULL)
        m_hWndOwner = hWndSite;
    return TRUE;
}

BOOL CZPPopupBar::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    RemoveShadows();
    // Hosted child windows survive the popup: the site takes them.
    CWnd* pSite = FindSiteWindow();
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL;) {
        HWND hNext = ::GetWindow(hChild, GW_HWNDNEXT);
        ::ShowWindow(hChild, SW_HIDE);
        if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
            ::SetParent(hChild, pSite->GetSafeHwnd());
        hChild = hNext;
    }
    return CZPCommandBar::DestroyWindow();
}

// Opening ---------------------------------------------------------------------------------------

BOOL CZPPopupBar::Popup(int x, int y, LPCRECT lprcExclude)
{
    m_ptAnchor = CPoint(x, y);
    if (lprcExclude != NULL)
        m_rcExclude = *lprcExclude;
    else
        m_rcExclude.SetRectEmpty();
    return PopupForControlEx(NULL, FALSE);
}

BOOL CZPPopupBar::PopupForControl(CZPControl* pControl)
{
    return PopupForControlEx(pControl, m_bOpenByKeyboard);
}

BOOL CZPPopupBar::PopupForControlEx(CZPControl* pControl, BOOL bKeyboard)
{
    // Held: the site's answers to the messages below may drop the popup.
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    if (pControl != NULL)
        m_pControlPopup = pControl;
    if (!CreatePopupWindow())
        return FALSE;
    CWnd* pTarget = FindCommandTargetWindow();
    if (pTarget != NULL && pTarget->GetSafeHwnd() != NULL)
        ::SendMessageW(pTarget->GetSafeHwnd(), ZpMsgInitPopup, 0, reinterpret_cast<LPARAM>(this));
    if (m_hWnd == NULL)
        return FALSE;

    m_bTearOffHot = FALSE;
    m_bHasRarelyUsed = FALSE;
    m_bExpanded = IsCustomizeModeActive() || ZpMouseManager()->IsMenusExpanded();
    RepositionToOwner();
    const CSize size = CalcPopupLayout(0, 0);
    const CRect rc = AdjustPopupPosition(m_ptAnchor, size);
    const BOOL bWasVisible = ::IsWindowVisible(m_hWnd);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, rc.left, rc.top, rc.Width(), rc.Height(),
                   SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_SHOWWINDOW | (bWasVisible ? SWP_NOZORDER : 0));
    if (m_hWnd == NULL)
        return FALSE;
    CZPCommandBar* pParent = GetParentBar();
    if (m_pControlPopup != NULL && (pParent == NULL || pParent->GetSafeHwnd() == NULL)) {
        DestroyWindow();
        return FALSE;
    }

    SwitchTrackingMode(TRUE, bKeyboard, bKeyboard);
    m_dwPending &= ~ZP_BAR_PENDING_LAYOUT;
    OnIdleUpdate(TRUE, FALSE);
    if (m_hWnd == NULL)
        return FALSE;
    AnimateAndShow();
    ZpMenuSoundInstance().Play(CZPMenuSoundThread::soundMenuPopup);
    UpdateShadows();
    m_dwPending |= ZP_BAR_PENDING_LAYOUT;
    RepaintArea(NULL, FALSE);
    return TRUE;
}

// Only a popup that was given shadows looks up its paint manager here: a bare window going away
// must not create the process-wide one.
void CZPPopupBar::RemoveShadows()
{
    if (!m_bHasShadows)
        return;
    m_bHasShadows = FALSE;
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    if (pPaintManager != NULL && pPaintManager->GetShadowManager() != NULL)
        pPaintManager->GetShadowManager()->RemoveShadowsOf(this);
}

void CZPPopupBar::UpdateShadows()
{
    RemoveShadows();
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    if (m_hWnd == NULL || pPaintManager == NULL || pPaintManager->GetShadowManager() == NULL)
        return;
    if (m_barPosition != zpBarPopup || !m_bShowShadow || !pPaintManager->m_bShowShadow || IsCustomizeModeActive())
        return;
    pPaintManager->GetShadowManager()->SetPopupShadow(this, m_rcExclude.IsRectEmpty() ? NULL : &m_rcExclude, 0);
    m_bHasShadows = TRUE;
}

void CZPPopupBar::DelegateToOwnerControl(CRect& rc, BOOL bVertical)
{
    CZPControlPopup* pOwner = DYNAMIC_DOWNCAST(CZPControlPopup, m_pControlPopup);
    if (pOwner != NULL)
        pOwner->AdjustExcludeRect(rc, bVertical);
}

void CZPPopupBar::RepositionToOwner()
{
    CZPCommandBar* pParent = GetParentBar();
    if (m_pControlPopup == NULL || pParent == NULL || pParent->GetSafeHwnd() == NULL)
        return;
    const BOOL bRightToLeft = m_hWnd != NULL && (GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING)) != 0;
    DWORD dwDir = ((m_pControlPopup->GetFlags() & zpFlagLeftPopup) != 0 || bRightToLeft) ? ZP_POPUP_LEFTWARDS : 0;
    const int nPosition = pParent->GetPosition();
    const BOOL bFloatingPopup = nPosition == zpBarFloating && pParent->GetType() == zpBarTypePopup;
    if (nPosition == zpBarPopup && (pParent->GetFlags() & ZP_BAR_FLAG_GROUPED_LAYOUT) != 0) {
        dwDir |= ZP_POPUP_DROPDOWN;
    } else if (nPosition == zpBarRight) {
        dwDir = ZP_POPUP_LEFTWARDS;
    } else if (nPosition == zpBarLeft || nPosition == zpBarPopup || bFloatingPopup) {
        // A sub-menu keeps the side its parent menu had to take.
        CZPPopupBar* pParentPopup = DYNAMIC_DOWNCAST(CZPPopupBar, pParent);
        if (pParentPopup != NULL && (pParentPopup->m_dwDirection & ZP_POPUP_LEFTWARDS) != 0)
            dwDir = ZP_POPUP_LEFTWARDS;
    } else {
        dwDir |= ZP_POPUP_DROPDOWN;
    }
    CRect rc = m_pControlPopup->GetRect();
    if (m_pControlPopup->GetType() == zpControlComboBox && pParent->GetType() != zpBarTypePopup)
        dwDir |= ZP_POPUP_DROPDOWN;
    else
        DelegateToOwnerControl(rc, nPosition == zpBarLeft || nPosition == zpBarRight || nPosition == zpBarPopup ||
                                       bFloatingPopup);
    pParent->ClientToScreen(&rc);
    m_rcExclude = rc;
    m_dwDirection = dwDir;
    m_ptAnchor = (dwDir & ZP_POPUP_DROPDOWN) != 0 ? CPoint(rc.left, rc.bottom) : CPoint(rc.right, rc.top);
}

CRect CZPPopupBar::AdjustPopupPosition(CPoint ptAnchor, CSize size)
{
    HMONITOR hMonitor = m_rcExclude.IsRectEmpty() ? ::MonitorFromPoint(ptAnchor, MONITOR_DEFAULTTONEAREST)
                                                  : ::MonitorFromRect(&m_rcExclude, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    if (!::GetMonitorInfoW(hMonitor, &mi)) {
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &mi.rcWork, 0);
        mi.rcMonitor = mi.rcWork;
    }
    ZpPopupPlacementInput in;
    in.rcWork = mi.rcWork;
    in.rcMonitor = mi.rcMonitor;
    in.rcExclude = m_rcExclude;
    in.ptAnchor = ptAnchor;
    in.size = size;
    in.dwDirection = m_dwDirection;
    in.bMultiColumn = FALSE;
    for (int i = 0; i < CountControls() && !in.bMultiColumn; ++i)
        in.bMultiColumn = IsOwnControl(this, ControlAt(i)) && ControlAt(i)->GetWrap();
    ZpPopupPlacement out = ZpPlacePopup(in);
    if (out.bWrapArea && m_barType == zpBarTypePopup) {
        in.size = CalcPopupLayout(out.nAreaHeight, 0);
        out = ZpPlacePopup(in);
    }
    m_dwDirection = out.dwDirection;
    m_bScrolling = out.bShrunk && m_barType == zpBarTypePopup && m_barPosition == zpBarPopup;
    if (m_bScrolling) {
        m_nFirstShown = 0;
        LayoutScrolled(out.rc.Size(), FALSE, FALSE);
    }
    return out.rc;
}

// Animation -----------------------------------------------------------------------------------

int CZPPopupBar::ChoosePopupAnimation() const
{
    CZPCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars == NULL || (m_hWnd != NULL && ::GetWindow(m_hWnd, GW_CHILD) != NULL))
        return ZP_ANIMATE_NONE;
    const int nOption = pCommandBars->GetCommandBarsOptions()->m_nAnimation;
    if (nOption == ZP_ANIMATE_SYSTEM) {
        BOOL bAnimate = FALSE;
        if (!::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &bAnimate, 0) || !bAnimate)
            return ZP_ANIMATE_NONE;
        BOOL bFade = FALSE;
        return ::SystemParametersInfoW(SPI_GETMENUFADE, 0, &bFade, 0) && bFade ? zpAnimateFade : zpAnimateSlide;
    }
    if (nOption == ZP_ANIMATE_RANDOM) {
        static const int kKinds[3] = { zpAnimateFade, zpAnimateSlide, zpAnimateUnfold };
        return kKinds[std::rand() % 3];
    }
    return nOption;
}

void CZPPopupBar::AnimateAndShow()
{
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    if (m_hWnd == NULL || pPaintManager == NULL)
        return;
    const int nKind = IsCustomizeModeActive() ? ZP_ANIMATE_NONE : ChoosePopupAnimation();
    if (nKind < zpAnimateUnfold || nKind > zpAnimateFade) {
        pPaintManager->SetBarRegion(this);
        return;
    }
    if (CZPCommandBar* pParent = GetParentBar()) {
        if (pParent->GetSafeHwnd() != NULL)
            pParent->UpdateWindow();
    }
    CRect rc;
    GetClientRect(&rc);
    CClientDC dcWindow(this);
    CDC dcBuffer;
    dcBuffer.CreateCompatibleDC(&dcWindow);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dcWindow, rc.Width(), rc.Height());
    CBitmap* pOld = dcBuffer.SelectObject(&bitmap);
    DrawBar(&dcBuffer, rc);
    pPaintManager->SetBarRegion(this);
    pPaintManager->AnimatePopup(&dcWindow, &dcBuffer, rc, nKind);
    dcBuffer.SelectObject(pOld);
}

// Tracking ----------------------------------------------------------------------------------------

BOOL CZPPopupBar::SwitchTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    if (!CZPCommandBar::SwitchTrackingMode(nMode, bSelectFirst, bKeyboard))
        return FALSE;
    if (nMode != 0) {
        ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
        return TRUE;
    }
    ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
    m_nScrollDownTimer = m_nScrollUpTimer = m_nTearOffTimer = 0;
    if (m_hWnd != NULL && !m_bInDestroy)
        DestroyWindow();
    // Held: the site hears the popup closed and may drop the owner control.
    CRefPtr<CZPControl> pOwner = CRefPtr<CZPControl>::AddRef(m_pControlPopup);
    CZPCommandBar* pParent = GetParentBar();
    if (pParent != NULL && pOwner && pParent->GetOpenPopupIndex() == pOwner->GetIndex())
        pParent->ForgetOpenPopup();
    if (pOwner && pOwner->IsPopuped())
        pOwner->SetPopuped(FALSE);
    CWnd* pSite = FindSiteWindow();
    HWND hWndSite = pSite != NULL ? pSite->GetSafeHwnd() : NULL;
    if (hWndSite != NULL)
        ::SendMessageW(hWndSite, ZpMsgPopupClosed, 0, reinterpret_cast<LPARAM>(this));
    m_pControlPopup = NULL;
    if (hWndSite != NULL && ::IsWindow(hWndSite))
        ::UpdateWindow(hWndSite);
    return TRUE;
}

void CZPPopupBar::ResetTrackingState()
{
    CZPCommandBar::ResetTrackingState();
    RecalcBarLayout();
}

BOOL CZPPopupBar::HighlightControlAt(int nIndex, int nKind)
{
    if (m_bScrolling && nIndex >= 0 && nIndex < CountControls() &&
        (ControlAt(nIndex)->GetHideFlags() & zpHideScroll) != 0) {
        if (nIndex < m_nEndShown) {
            m_nFirstShown = nIndex;
            LayoutScrolled(CSize(0, 0), FALSE, TRUE);
        } else {
            m_nEndShown = nIndex + 1;
            LayoutScrolled(CSize(0, 0), TRUE, TRUE);
        }
    }
    const BOOL bResult = CZPCommandBar::HighlightControlAt(nIndex, nKind);
    if (m_hWnd == NULL)
        return bResult;
    CZPControl* pControl = ControlAt(m_nHighlightedControl);
    CZPCommandBars* pCommandBars = FindCommandBars();
    if (nKind == 0 && pControl != NULL && pControl->GetID() == ZP_ID_POPUP_EXPAND && pCommandBars != NULL &&
        pCommandBars->GetCommandBarsOptions()->m_bShowFullAfterDelay) {
        ::SetTimer(m_hWnd, ZP_TIMER_POPUP_EXPAND, ZP_POPUP_EXPAND_DELAY, NULL);
        m_bExpandTimer = TRUE;
    } else if (m_bExpandTimer) {
        // Killed only when set: a hover walk over a long menu makes no needless timer calls.
        ::KillTimer(m_hWnd, ZP_TIMER_POPUP_EXPAND);
        m_bExpandTimer = FALSE;
    }
    return bResult;
}

BOOL CZPPopupBar::ExpandByKey(UINT nChar)
{
    if (nChar != VK_DOWN || !m_bHasRarelyUsed || m_bExpanded)
        return FALSE;
    BOOL bExpand = ::GetKeyState(VK_CONTROL) < 0;
    if (!bExpand) {
        // Down from the last focusable control would wrap to the top: show the rest first.
        bExpand = TRUE;
        for (int i = m_nHighlightedControl + 1; i < CountControls(); ++i) {
            CZPControl* pControl = ControlAt(i);
            if (IsOwnControl(this, pControl) && pControl->IsVisible() && pControl->GetID() != ZP_ID_POPUP_EXPAND &&
                (pControl->GetFlags() & zpFlagSkipFocus) == 0) {
                bExpand = FALSE;
                break;
            }
        }
    }
    if (!bExpand)
        return FALSE;
    ExpandBar();
    return TRUE;
}

int CZPPopupBar::ProcessTrackingKey(UINT nKey, LPARAM lParam)
{
    // Keys reach the resize loop, whose Escape restores the size rather than closing the menu.
    if (m_bResizing)
        return zpKeyNotHandled;
    // Locked or customizing, the shared processing gives the answer without expanding.
    if (m_nLockCount == 0 && !IsCustomizeModeActive() && ExpandByKey(nKey))
        return zpKeyHandled;
    return CZPCommandBar::ProcessTrackingKey(nKey, lParam);
}

// Layout ------------------------------------------------------------------------------------------

CRect CZPPopupBar::QueryBarBorders()
{
    if (m_barType == zpBarTypeNormal)
        return m_rcBorders;
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    return pPaintManager != NULL ? pPaintManager->GetBarBorders(this) : CRect(0, 0, 0, 0);
}

void CZPPopupBar::UpdateRarelyUsed()
{
    CZPCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars == NULL)
        return;
    const int nCount = CountControls();
    if (pCommandBars->GetCommandBarsOptions()->m_bAlwaysShowFullMenus) {
        for (int i = 0; i < nCount; ++i) {
            CZPControl* pControl = ControlAt(i);
            if (!IsOwnControl(this, pControl))
                continue;
            pControl->SetHiddenByUsage(FALSE);
            if ((pControl->GetHideFlags() & zpHideExpand) != 0)
                pControl->SetHideFlags(pControl->GetHideFlags() & ~zpHideExpand);
        }
        m_bExpanded = TRUE;
        return;
    }
    BOOL bOtherVisible = FALSE;
    for (int i = 0; i < nCount; ++i) {
        CZPControl* pControl = ControlAt(i);
        if (!IsOwnControl(this, pControl) || pControl->GetID() == ZP_ID_POPUP_EXPAND)
            continue;
        pControl->SetHiddenByUsage(pCommandBars->IsControlHiddenByUsage(pControl));
        if ((pControl->GetHideFlags() & zpHideExpand) != 0)
            pControl->SetHideFlags(pControl->GetHideFlags() & ~zpHideExpand);
        if (!pControl->GetHiddenByUsage() && pControl->IsVisible())
            bOtherVisible = TRUE;
    }
    // A menu never hides all of its visible controls.
    if (m_bExpanded || !bOtherVisible)
        return;
    for (int i = 0; i < nCount; ++i) {
        CZPControl* pControl = ControlAt(i);
        if (IsOwnControl(this, pControl) && pControl->GetHiddenByUsage() && pControl->GetID() != ZP_ID_POPUP_EXPAND) {
            if (pControl->IsVisible())
                m_bHasRarelyUsed = TRUE;
            pControl->SetHideFlags(pControl->GetHideFlags() | zpHideExpand);
        }
    }
}

CZPControl* CZPPopupBar::FindOrCreateExpandButton()
{
    CZPControl* pButton = m_pControls->FindControlById(ZP_ID_POPUP_EXPAND);
    if (pButton != NULL)
        return pButton;
    CControlExpandButton* pNew = new CControlExpandButton;
    pButton = m_pControls->AddControl(pNew, ZP_ID_POPUP_EXPAND, NULL, -1, TRUE);
    return pButton;
}

CSize CZPPopupBar::MeasureExpandButton(CDC* pDC)
{
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    return pPaintManager != NULL ? pPaintManager->DrawBuiltInButton(pDC, zpButtonExpandPopup,
                                                                    FindOrCreateExpandButton(), this, FALSE, NULL)
                                 : CSize(0, 0);
}

int CZPPopupBar::MeasureTearOffStrip(CDC*)
{
    // The strip's height is the paint manager's measuring answer for an empty rectangle.
    const int kTearOffStripHeight = 9;
    return m_bTearOff ? kTearOffStripHeight : 0;
}

void CZPPopupBar::PlaceExpandAndStrip(CSize size, CRect rcBorders, int nExpandHeight)
{
    const int nStrip = m_bTearOff ? m_rcTearOff.Height() : 0;
    if (m_bHasRarelyUsed && nExpandHeight > 0) {
        CZPControl* pButton = FindOrCreateExpandButton();
        pButton->SetHideFlags(pButton->GetHideFlags() & ~(zpHideGeneric | zpHideScroll));
        pButton->SetRect(CRect(rcBorders.left, size.cy - rcBorders.bottom, size.cx - rcBorders.right,
                               size.cy - rcBorders.bottom + nExpandHeight));
    }
    if (m_bTearOff)
        m_rcTearOff = CRect(rcBorders.left, rcBorders.top - nStrip, size.cx - rcBorders.right, rcBorders.top);
    else
        m_rcTearOff.SetRectEmpty();
}

CZPControl* CZPPopupBar::FindGripControl() const
{
    for (int i = 0; i < CountControls(); ++i) {
        CZPControl* pControl = ControlAt(i);
        if (pControl->GetType() == zpControlGallery && pControl->IsVisible() && pControl->IsCustomizeResizable())
            return pControl;
    }
    return NULL;
}

int CZPPopupBar::FindGripMode() const
{
    CZPControl* pControl = FindGripControl();
    return pControl != NULL ? pControl->IsCustomizeResizable() : 0;
}

BOOL CZPPopupBar::HitTestGrip(CPoint point) const
{
    if (m_nGripMode == 0 || !m_rcGrip.PtInRect(point))
        return FALSE;
    if (m_nGripMode == kGripHeightOnly)
        return TRUE;
    // Otherwise only the square at the grip's far end, where its dots are drawn; a right-to-left
    // window mirrors both, so the client coordinates compare alike.
    return point.x >= m_rcGrip.right - m_rcGrip.Height();
}

CSize CZPPopupBar::CalcPopupLayout(int nLength, DWORD)
{
    m_bLayoutRunning = TRUE;
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    CZPFontDC font(&dc, pPaintManager != NULL ? pPaintManager->GetBarFont(this) : NULL);
    CRect rcBorders = QueryBarBorders();
    const int nStrip = MeasureTearOffStrip(&dc);
    rcBorders.top += nStrip;
    m_rcTearOff = CRect(0, 0, 0, nStrip);
    CSize size(0, 0);
    int nExpandHeight = 0;
    if (m_barType == zpBarTypeNormal) {
        RefreshShortcutTexts();
        size = m_pControls->LayoutControls(&dc, m_nMRUWidth, LM_COMMIT | LM_HORZ | kLayoutFloatingShape, rcBorders, 0);
    } else {
        m_nGripMode = 0;
        if (nLength == 0) {
            // Last to first: a placeholder inserts its items after itself, never before one still due.
            for (int i = CountControls() - 1; i >= 0; --i) {
                if (i < CountControls() && IsOwnControl(this, ControlAt(i)))
                    ControlAt(i)->OnBeforeLayout(FALSE);
            }
            m_bHasRarelyUsed = FALSE;
            UpdateRarelyUsed();
            RefreshShortcutTexts();
        }
        m_nGripMode = FindGripMode();
        const int nGrip = m_nGripMode == 0 ? 0 : m_nGripMode == kGripHeightOnly ? kGripHeightMode2 : kGripHeight;
        rcBorders.bottom += nGrip;
        CZPControl* pExpand = m_pControls->FindControlById(ZP_ID_POPUP_EXPAND);
        if (m_bHasRarelyUsed) {
            nExpandHeight = MeasureExpandButton(&dc).cy;
            rcBorders.bottom += nExpandHeight;
            pExpand = FindOrCreateExpandButton();
        }
        // Out of the layout: placed below the controls afterwards, or gone when unused.
        if (pExpand != NULL)
            pExpand->SetHideFlags(pExpand->GetHideFlags() | zpHideGeneric);
        size = m_pControls->LayoutPopup(&dc, nLength, m_nMRUWidth, rcBorders);
    }
    m_rcGrip.SetRectEmpty();
    if (m_nGripMode != 0) {
        const int nGrip = m_nGripMode == kGripHeightOnly ? kGripHeightMode2 : kGripHeight;
        m_rcGrip = CRect(rcBorders.left, size.cy - rcBorders.bottom, size.cx - rcBorders.right,
                         size.cy - rcBorders.bottom + nGrip);
    }
    PlaceExpandAndStrip(size, rcBorders, nExpandHeight);
    m_bLayoutRunning = FALSE;
    return size;
}

void CZPPopupBar::RecalcBarLayout()
{
    if (m_hWnd == NULL || m_bLayoutRunning || m_nTrackingMode == 0)
        return;
    RefreshShortcutTexts();
    RepositionToOwner();
    const CSize size = CalcPopupLayout(0, 0);
    const CRect rc = AdjustPopupPosition(m_ptAnchor, size);
    CRect rcOld;
    GetWindowRect(&rcOld);
    if (!m_bJustExpanded && rc == rcOld) {
        RepaintArea(NULL, FALSE);
        return;
    }
    RemoveShadows();
    const int nKind = m_bJustExpanded ? ChoosePopupAnimation() : ZP_ANIMATE_NONE;
    if (nKind >= zpAnimateUnfold && nKind <= zpAnimateFade)
        AnimateExpansion(rcOld, rc);
    else
        ::SetWindowPos(m_hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                       SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_SHOWWINDOW);
    if (m_bJustExpanded)
        ZpMenuSoundInstance().Play(CZPMenuSoundThread::soundMenuPopup);
    UpdateShadows();
    RepaintArea(NULL, FALSE);
    m_bJustExpanded = FALSE;
}

// The old image stays on screen while the window takes its new size; the paint manager then
// unfolds the full menu over it.
void CZPPopupBar::AnimateExpansion(const CRect& rcOld, const CRect& rcNew)
{
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    CDC dcOld;
    CBitmap bmpOld;
    {
        CClientDC dcWindow(this);
        dcOld.CreateCompatibleDC(&dcWindow);
        bmpOld.CreateCompatibleBitmap(&dcWindow, rcOld.Width(), rcOld.Height());
    }
    CBitmap* pOldOld = dcOld.SelectObject(&bmpOld);
    {
        CClientDC dcWindow(this);
        dcOld.BitBlt(0, 0, rcOld.Width(), rcOld.Height(), &dcWindow, 0, 0, SRCCOPY);
    }
    ShowWindow(SW_HIDE);
    CWnd* pSite = FindSiteWindow();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        pSite->UpdateWindow();
    ::SetWindowPos(m_hWnd, NULL, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(),
                   SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_SHOWWINDOW | SWP_NOREDRAW);
    CClientDC dcWindow(this);
    dcWindow.BitBlt(0, 0, rcOld.Width(), rcOld.Height(), &dcOld, 0, 0, SRCCOPY);
    dcOld.SelectObject(pOldOld);
    CDC dcBuffer;
    dcBuffer.CreateCompatibleDC(&dcWindow);
    CBitmap bmpBuffer;
    bmpBuffer.CreateCompatibleBitmap(&dcWindow, rcNew.Width(), rcNew.Height());
    CBitmap* pOldBuffer = dcBuffer.SelectObject(&bmpBuffer);
    const CRect rcClient(0, 0, rcNew.Width(), rcNew.Height());
    DrawBar(&dcBuffer, rcClient);
    if (pPaintManager != NULL)
        pPaintManager->AnimatePopupExpansion(this, &dcWindow, &dcBuffer, rcNew.bottom > rcOld.bottom);
    dcWindow.BitBlt(0, 0, rcNew.Width(), rcNew.Height(), &dcBuffer, 0, 0, SRCCOPY);
    dcBuffer.SelectObject(pOldBuffer);
}

void CZPPopupBar::ExpandBar()
{
    if (m_bExpanded || !m_bHasRarelyUsed)
        return;
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    m_bJustExpanded = TRUE;
    m_bExpanded = TRUE;
    if (m_nPopupedControl != -1)
        OpenControlPopup(-1, FALSE);
    HighlightControlAt(-1, 0);
    // Shown in full now: the expand button has nothing left to do.
    CZPControl* pExpand = m_pControls->FindControlById(ZP_ID_POPUP_EXPAND);
    if (pExpand != NULL)
        m_pControls->Remove(pExpand);
    for (int i = 0; i < CountControls(); ++i) {
        CZPControl* pControl = ControlAt(i);
        if (IsOwnControl(this, pControl) && (pControl->GetHideFlags() & zpHideExpand) != 0)
            pControl->SetHideFlags(pControl->GetHideFlags() & ~zpHideExpand);
    }
    m_bHasRarelyUsed = FALSE;
    RecalcBarLayout();
    CZPMouseManager* pMouse = ZpMouseManager();
    pMouse->SetMenusExpanded(TRUE);
    pMouse->SetSwallowNextRelease(TRUE);
}

void CZPPopupBar::LayoutScrolled(CSize size, BOOL bFromBottom, BOOL bRedraw)
{
    if (size.cx == 0 && size.cy == 0 && m_hWnd != NULL) {
        CRect rcClient;
        GetClientRect(&rcClient);
        size = rcClient.Size();
    }
    m_rcScrollDown.SetRectEmpty();
    m_rcScrollUp.SetRectEmpty();
    CRect rcBorders = QueryBarBorders();
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    const int nSeparator = pPaintManager != NULL ? pPaintManager->DrawBarSeparator(NULL, this, NULL, FALSE).cy : 0;
    rcBorders.top += m_bTearOff ? m_rcTearOff.Height() : 0;
    rcBorders.bottom += m_rcGrip.Height();
    int nExpandHeight = 0;
    if (m_bHasRarelyUsed) {
        nExpandHeight = MeasureExpandButton(NULL).cy;
        rcBorders.bottom += nExpandHeight;
        FindOrCreateExpandButton();
    }
    const int kButton = ZP_POPUP_SCROLL_BUTTON_HEIGHT;
    const int nCount = CountControls();
    auto scrollable = [&](CZPControl* pControl) {
        return IsOwnControl(this, pControl) && pControl->GetID() != ZP_ID_POPUP_EXPAND;
    };
    auto scrollOut = [&](int nFirst, int nEnd) {
        for (int k = std::max(nFirst, 0); k < nEnd; ++k) {
            if (scrollable(ControlAt(k)))
                ControlAt(k)->SetHideFlags(ControlAt(k)->GetHideFlags() | zpHideScroll);
        }
    };
    auto place = [](CZPControl* pControl, int nTop, int nBottom) {
        CRect rc = pControl->GetRect();
        pControl->SetRect(CRect(rc.left, nTop, rc.right, nBottom));
    };
    if (!bFromBottom) {
        m_nFirstShown = Clamp(m_nFirstShown == 1 ? 0 : m_nFirstShown, 0, nCount);
        int y = rcBorders.top;
        if (m_nFirstShown > 0) {
            m_rcScrollUp = CRect(rcBorders.left, y, size.cx - rcBorders.right, y + kButton);
            y += kButton;
        }
        scrollOut(0, m_nFirstShown);
        BOOL bFirst = TRUE;
        int i = m_nFirstShown;
        for (; i < nCount; ++i) {
            CZPControl* pControl = ControlAt(i);
            if (!scrollable(pControl))
                continue;
            pControl->SetHideFlags(pControl->GetHideFlags() & ~zpHideScroll);
            if (!pControl->IsVisible())
                continue;
            const int h = pControl->GetRect().Height();
            const int nTop = y + (pControl->GetBeginGroup() && !bFirst ? nSeparator : 0);
            if (size.cy - h - nTop >= rcBorders.bottom + kButton) {
                place(pControl, nTop, nTop + h);
                y = nTop + h;
            } else if (bFirst) {
                // An item taller than the popup is cut to the room between the borders.
                place(pControl, nTop, std::max(nTop, static_cast<int>(size.cy - rcBorders.bottom)));
                y = size.cy;
            } else {
                break;
            }
            bFirst = FALSE;
        }
        m_nEndShown = i;
        scrollOut(i, nCount);
        if (m_nEndShown < nCount)
            m_rcScrollDown = CRect(rcBorders.left, size.cy - rcBorders.bottom - kButton, size.cx - rcBorders.right,
                                   size.cy - rcBorders.bottom);
    } else {
        m_nEndShown = Clamp(m_nEndShown == nCount - 1 ? nCount : m_nEndShown, 0, nCount);
        int y = size.cy - rcBorders.bottom;
        if (m_nEndShown < nCount) {
            m_rcScrollDown = CRect(rcBorders.left, y - kButton, size.cx - rcBorders.right, y);
            y -= kButton;
        }
        scrollOut(m_nEndShown, nCount);
        int i = m_nEndShown - 1;
        for (; i >= 0; --i) {
            CZPControl* pControl = ControlAt(i);
            if (!scrollable(pControl))
                continue;
            pControl->SetHideFlags(pControl->GetHideFlags() & ~zpHideScroll);
            if (!pControl->IsVisible())
                continue;
            const int h = pControl->GetRect().Height();
            if (y - h < rcBorders.top + kButton) {
                pControl->SetHideFlags(pControl->GetHideFlags() | zpHideScroll);
                break;
            }
            place(pControl, y - h, y);
            y -= h + (pControl->GetBeginGroup() ? nSeparator : 0);
        }
        scrollOut(0, i);
        m_nFirstShown = i + 1;
        if (i >= 0)
            m_rcScrollUp = CRect(rcBorders.left, rcBorders.top, size.cx - rcBorders.right, rcBorders.top + kButton);
    }
    PlaceExpandAndStrip(size, rcBorders, nExpandHeight);
    if (bRedraw)
        RepaintArea(NULL, FALSE);
}

void CZPPopupBar::ScrollBy(int nDelta)
{
    if (nDelta > 0) {
        m_nEndShown = std::min(m_nEndShown + 1, CountControls());
        LayoutScrolled(CSize(0, 0), TRUE, TRUE);
    } else {
        m_nFirstShown = std::max(m_nFirstShown - 1, 0);
        LayoutScrolled(CSize(0, 0), FALSE, TRUE);
    }
}

// Messages ----------------------------------------------------------------------------------------

void CZPPopupBar::OnPopupTimer(UINT_PTR nId)
{
    if (nId == ZP_TIMER_POPUP_SCROLL_DOWN) {
        if (m_nEndShown >= CountControls()) {
            KillTimer(nId);
            m_nScrollDownTimer = 0;
        } else {
            ScrollBy(1);
        }
    } else if (nId == ZP_TIMER_POPUP_SCROLL_UP) {
        if (m_nFirstShown <= 0) {
            KillTimer(nId);
            m_nScrollUpTimer = 0;
        } else {
            ScrollBy(-1);
        }
    } else if (nId == ZP_TIMER_POPUP_TEAROFF_HOVER) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        const BOOL bInside = m_rcTearOff.PtInRect(pt);
        if (bInside && !m_bTearOffHot) {
            m_bTearOffHot = TRUE;
            RepaintArea(&m_rcTearOff, FALSE);
        } else if (!bInside && m_bTearOffHot) {
            m_bTearOffHot = FALSE;
            RepaintArea(&m_rcTearOff, FALSE);
            KillTimer(nId);
            m_nTearOffTimer = 0;
        }
    } else if (nId == ZP_TIMER_POPUP_EXPAND) {
        KillTimer(nId);
        m_bExpandTimer = FALSE;
        CZPControl* pControl = ControlAt(m_nHighlightedControl);
        if (pControl != NULL && pControl->GetID() == ZP_ID_POPUP_EXPAND)
            pControl->Execute();
    }
}

void CZPPopupBar::OnPopupMouseMove(CPoint point)
{
    if (m_nLockCount > 0)
        return;
    if (m_bScrolling) {
        struct Button
        {
            CRect* pRect;
            UINT_PTR* pTimer;
            UINT_PTR nId;
        } buttons[2] = { { &m_rcScrollDown, &m_nScrollDownTimer, ZP_TIMER_POPUP_SCROLL_DOWN },
                         { &m_rcScrollUp, &m_nScrollUpTimer, ZP_TIMER_POPUP_SCROLL_UP } };
        for (Button& button : buttons) {
            const BOOL bInside = button.pRect->PtInRect(point);
            if (bInside && *button.pTimer == 0)
                *button.pTimer = SetTimer(button.nId, ZP_POPUP_SCROLL_PERIOD, NULL);
            else if (!bInside && *button.pTimer != 0) {
                KillTimer(button.nId);
                *button.pTimer = 0;
            }
            if (*button.pTimer != 0)
                HighlightControlAt(-1, 0);
        }
    }
    if (m_bTearOff && !m_bTearOffHot && !IsCustomizeModeActive() && m_rcTearOff.PtInRect(point)) {
        HighlightControlAt(-1, 0);
        m_nTearOffTimer = SetTimer(ZP_TIMER_POPUP_TEAROFF_HOVER, ZP_POPUP_TEAROFF_HOVER_PERIOD, NULL);
    }
}

LRESULT CZPPopupBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE: {
        const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        OnPopupMouseMove(point);
        if (m_bScrolling && (m_rcScrollDown.PtInRect(point) || m_rcScrollUp.PtInRect(point)))
            return 0;
        break;
    }
    case WM_SETCURSOR: {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        if (HitTestGrip(point)) {
            const BOOL bRtl = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
            ::SetCursor(::LoadCursorW(NULL, m_nGripMode == kGripHeightOnly ? IDC_SIZENS
                                            : bRtl                         ? IDC_SIZENESW
                                                                           : IDC_SIZENWSE));
            return TRUE;
        }
        break;
    }
    case WM_LBUTTONDOWN: {
        const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        if (m_bTearOff && !IsCustomizeModeActive() && m_rcTearOff.PtInRect(point)) {
            TrackTearOff(point);
            return 0;
        }
        if (HitTestGrip(point)) {
            TrackResize(point);
            return 0;
        }
        if (m_bScrolling && (m_rcScrollDown.PtInRect(point) || m_rcScrollUp.PtInRect(point)))
            return 0;
        break;
    }
    case WM_TIMER:
        if (wParam >= ZP_TIMER_POPUP_SCROLL_DOWN && wParam <= ZP_TIMER_POPUP_EXPAND) {
            OnPopupTimer(wParam);
            return 0;
        }
        break;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_NCACTIVATE:
        if (wParam != 0)
            return TRUE;
        break;
    case WM_FLOATSTATUS:
        return (wParam & FS_SYNCACTIVE) != 0 && (GetStyle() & kStyleSyncActive) != 0;
    case WM_DESTROY: {
        m_bInDestroy = TRUE;
        const LRESULT lResult = CZPCommandBar::WindowProc(message, wParam, lParam);
        m_bInDestroy = FALSE;
        return lResult;
    }
    default:
        break;
    }
    return CZPCommandBar::WindowProc(message, wParam, lParam);
}

// Drawing -----------------------------------------------------------------------------------------

void CZPPopupBar::DrawScrollArrow(CDC* pDC, CRect rc, BOOL bDown)
{
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    if (rc.IsRectEmpty() || pPaintManager == NULL)
        return;
    const COLORREF clr = pPaintManager->GetColor(kScrollArrowColor);
    const CPoint c = rc.CenterPoint();
    const int nHalf = kScrollArrowWidth / 2;
    for (int row = 0; row <= nHalf; ++row) {
        const int y = bDown ? c.y - nHalf / 2 + row : c.y + nHalf / 2 - row;
        pDC->FillSolidRect(c.x - nHalf + row, y, (nHalf - row) * 2, 1, clr);
    }
}

void CZPPopupBar::DrawBar(CDC* pDC, const CRect& rcClip)
{
    CZPCommandBar::DrawBar(pDC, rcClip);
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    if (pDC == NULL || pPaintManager == NULL)
        return;
    if (m_bScrolling) {
        DrawScrollArrow(pDC, m_rcScrollDown, TRUE);
        DrawScrollArrow(pDC, m_rcScrollUp, FALSE);
    }
    if (m_bTearOff && CountControls() > 0)
        pPaintManager->DrawTearOffStrip(pDC, m_rcTearOff, m_bTearOffHot);
    if (m_nGripMode != 0 && !m_rcGrip.IsRectEmpty())
        pPaintManager->DrawPopupSizeGrip(pDC, m_rcGrip, m_nGripMode);
}

// Tear-off ----------------------------------------------------------------------------------------

// Every own control but the expand button, shown in full, goes to the torn-off toolbar.
void CZPPopupBar::CopyControlsTo(CZPToolBar* pBar)
{
    for (int i = 0; i < CountControls(); ++i) {
        CZPControl* pControl = ControlAt(i);
        if (!IsOwnControl(this, pControl) || pControl->GetID() == ZP_ID_POPUP_EXPAND)
            continue;
        CZPControl* pCopy = pBar->GetControls()->AddClone(pControl, -1, TRUE);
        if (pCopy != NULL)
            pCopy->SetHideFlags(pCopy->GetHideFlags() & ~(zpHideExpand | zpHideScroll));
    }
}

CZPToolBar* CZPPopupBar::CreateTornOffBar()
{
    CZPCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars != NULL) {
        // Only a bar that was torn off is reused: a damaged id naming the menu bar or another
        // toolbar must not float it.
        CZPToolBar* pFound = DYNAMIC_DOWNCAST(CZPToolBar, pCommandBars->FindToolBar(m_nTearOffId));
        if (pFound != NULL && pFound->IsTornOff() && pFound->GetType() == zpBarTypeNormal) {
            if (!pFound->IsFloating())
                pCommandBars->FloatCommandBar(pFound);
        } else {
            pFound = pCommandBars->CreateToolBar(m_strTearOffCaption, zpBarFloating);
            if (pFound == NULL)
                return NULL;
            pFound->SetBarID(m_nTearOffId);
            pFound->SetTornOff(TRUE);
            pFound->SetBuiltIn(FALSE);
            if (m_nTearOffWidth > 0)
                pFound->SetMRUWidth(m_nTearOffWidth);
            CopyControlsTo(pFound);
        }
        if (pFound->GetSafeHwnd() == NULL)
            return NULL;
        m_szTornOff = pFound->ComputeBarSize(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        pFound->InternalAddRef();
        return pFound;
    }
    // Without command bars there is no floating frame: a plain tool window holds the copies.
    CRefPtr<CZPToolBar> pBar = CRefPtr<CZPToolBar>::Adopt(new CZPToolBar);
    pBar->SetTitle(m_strTearOffCaption);
    pBar->SetBarID(m_nTearOffId);
    pBar->SetPosition(zpBarFloating);
    pBar->SetTornOff(TRUE);
    pBar->SetPaintManager(ResolvePaintManager());
    CopyControlsTo(pBar.Get());
    CWnd* pSite = FindSiteWindow();
    if (!pBar->CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(CS_DBLCLKS), m_strTearOffCaption,
                        WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, pSite != NULL ? pSite->GetSafeHwnd() : NULL, NULL))
        return NULL;
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    const CRect rcBorders(kFloatingBorder, kFloatingBorder, kFloatingBorder, kFloatingBorder);
    const int nWidth = m_nTearOffWidth > 0 ? m_nTearOffWidth : ZP_BAR_MRU_WIDTH_NONE;
    m_szTornOff = pBar->GetControls()->LayoutControls(&dc, nWidth, LM_COMMIT | LM_HORZ | LM_MRUWIDTH, rcBorders, 0);
    return pBar.Detach();
}

void CZPPopupBar::TrackTearOff(CPoint point)
{
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    CRect rcStrip = m_rcTearOff;
    ClientToScreen(&rcStrip);
    rcStrip.InflateRect(kTearOffMargin, kTearOffMargin);
    (void)point;
    ::SetCursor(::LoadCursorW(NULL, IDC_SIZEALL));
    CZPMouseManager* pMouse = ZpMouseManager();
    pMouse->EnterModalLoop();
    m_bTearingOff = TRUE;
    BOOL bTorn = FALSE;
    HWND hWndPopup = m_hWnd;
    auto onMessage = [&](const MSG& msg) -> BOOL {
        if (msg.message == WM_LBUTTONUP)
            return FALSE;
        if (msg.message != WM_MOUSEMOVE)
            return CZPTrackingLoop::Dispatch(msg);
        POINT pt = CZPTrackingLoop::PointOf(msg);
        ::ClientToScreen(msg.hwnd, &pt);
        if (!rcStrip.PtInRect(pt)) {
            if (!bTorn) {
                // The found bar is reused only when this popup tore it off: never another bar
                // that happens to carry the id.
                if (!m_pTornOff || m_pTornOff->GetBarID() != m_nTearOffId || m_pTornOff->GetSafeHwnd() == NULL)
                    m_pTornOff = CRefPtr<CZPToolBar>::Adopt(CreateTornOffBar());
                if (!m_pTornOff)
                    return FALSE;
                // Hiding it while the loop holds it must not delete it.
                m_pTornOff->SetHeldByTearOff(TRUE);
                ::ShowWindow(hWndPopup, SW_HIDE);
                CWnd* pSite = FindSiteWindow();
                if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
                    ::SendMessageW(pSite->GetSafeHwnd(), ZpMsgPopupTornOff, reinterpret_cast<WPARAM>(m_pTornOff.Get()),
                                   reinterpret_cast<LPARAM>(this));
                if (!m_pTornOff || m_pTornOff->GetSafeHwnd() == NULL)
                    return FALSE;
                bTorn = TRUE;
            }
            ::SetWindowPos(m_pTornOff->GetSafeHwnd(), HWND_TOPMOST, pt.x - m_szTornOff.cx / 2,
                           pt.y - kTearOffCursorOffset, m_szTornOff.cx, m_szTornOff.cy,
                           SWP_NOACTIVATE | SWP_SHOWWINDOW);
        } else if (bTorn) {
            // Back over the strip: the popup again, the toolbar hidden but kept for reuse.
            ::ShowWindow(hWndPopup, SW_SHOWNOACTIVATE);
            if (m_pTornOff && m_pTornOff->GetSafeHwnd() != NULL)
                ::ShowWindow(m_pTornOff->GetSafeHwnd(), SW_HIDE);
            bTorn = FALSE;
        }
        return TRUE;
    };
    ZpRunTrackingLoop(m_hWnd, CZPTrackingLoop::flagTakeCapture | CZPTrackingLoop::flagEscapeEnds, onMessage);
    m_bTearingOff = FALSE;
    pMouse->LeaveModalLoop();
    if (m_pTornOff)
        m_pTornOff->SetHeldByTearOff(FALSE);
    if (!bTorn)
        return;
    CZPCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars != NULL)
        pCommandBars->EndAllTracking();
    else
        FindRootParentBar()->EndTracking();
}

// Persistence ------------------------------------------------------------------------------------

void CZPPopupBar::ExchangeProperties(CZPPropExchange* pPX)
{
    if (pPX == NULL)
        return;
    CZPCommandBar::ExchangeProperties(pPX);
    const long nSchema = pPX->GetSchema();
    const BOOL bLoading = pPX->IsLoading();
    PropExchangeBool(pPX, L"TearOffPopup", &m_bTearOff, FALSE);
    PropExchangeString(pPX, L"TearOffCaption", m_strTearOffCaption, L"");
    DWORD dwTearOffId = m_nTearOffId;
    PropExchangeLong(pPX, L"TearOffId", &dwTearOffId, 0u);
    m_nTearOffId = dwTearOffId;
    PropExchangeLong(pPX, L"TearOffWidth", &m_nTearOffWidth, 0);
    if (bLoading)
        m_nTearOffWidth = Clamp(m_nTearOffWidth, 0, kMaxPersistedExtent);
    if (nSchema >= kSchemaBorders) {
        PropExchangeRect(pPX, L"Borders", &m_rcBorders, CRect(2, 4, 2, 4));
        PropExchangeBool(pPX, L"ShowShadow", &m_bShowShadow, TRUE);
        if (bLoading)
            ValidateBorders(m_rcBorders);
    }
    if (nSchema >= kSchemaDoubleGripper)
        PropExchangeBool(pPX, L"DoubleGripper", &m_bDoubleGripper, FALSE);
    if (bLoading && nSchema < kSchemaGripperDefault)
        m_dwStyle |= ZP_BAR_STYLE_GRIPPER;
    if (nSchema >= kSchemaContextMenu)
        PropExchangeBool(pPX, L"ContextMenu", &m_bContextMenu, FALSE);
}

void CZPPopupBar::CopyFrom(CZPPopupBar* pSource)
{
    if (pSource == NULL || pSource == this)
        return;
    m_bTearOff = pSource->m_bTearOff;
    m_strTearOffCaption = pSource->m_strTearOffCaption;
    m_nTearOffId = pSource->m_nTearOffId;
    m_nTearOffWidth = pSource->m_nTearOffWidth;
    m_bShowShadow = pSource->m_bShowShadow;
    m_rcBorders = pSource->m_rcBorders;
    m_bDoubleGripper = pSource->m_bDoubleGripper;
    m_bContextMenu = pSource->m_bContextMenu;
}

CZPPopupBar* ZpCreatePopupBar(CZPCommandBars* pCommandBars)
{
    CZPPopupBar* pPopupBar = new CZPPopupBar;
    pPopupBar->SetCommandBars(pCommandBars);
    return pPopupBar;
}

CZPPopupToolBar::CZPPopupToolBar()
{
    m_barType = zpBarTypeNormal;
}

CZPPopupToolBar* ZpCreatePopupToolBar(CZPCommandBars* pCommandBars)
{
    CZPPopupToolBar* pPopupBar = new CZPPopupToolBar;
    pPopupBar->SetCommandBars(pCommandBars);
    return pPopupBar;
}
