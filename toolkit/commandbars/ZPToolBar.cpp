// A docking toolbar: sizes, built-in buttons, window, visibility, reset and mouse gestures.
#include "commandbars/ZPToolBar.h"

#include "commandbars/ZPCustomizeText.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPDockBar.h"
#include "commandbars/ZPDockContext.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPPopupBar.h"
#include "common/ZPDeviceContext.h"
#include "common/ZPDrawHelpers.h"
#include "common/ZPPropExchange.h"
#include "common/ZPResourceManager.h"

#include <framework/frame.h>
#include <framework/thread.h>

IMPLEMENT_DYNCREATE(CZPToolBar, CZPCommandBar)
ZP_IMPLEMENT_NESTED_DYNCREATE(CZPToolBar, CControlButtonExpand, RUNTIME_CLASS(CZPControlPopup))
ZP_IMPLEMENT_NESTED_DYNCREATE(CZPToolBar, CControlButtonHide, RUNTIME_CLASS(CZPControlButton))
ZP_IMPLEMENT_NESTED_DYNCREATE(CZPToolBar, CControlButtonCustomize, RUNTIME_CLASS(CZPControlButton))

const wchar_t kZpToolBarClass[] = L"ZPToolBar";

namespace {
// Control flags of the built-in buttons.
const DWORD kExpandButtonFlags = 0x1C;
const DWORD kHideButtonFlags = 0x1A;
const DWORD kAddRemoveFlags = 0x08;
// Schemas from which the toolbar exchanges its later keys.
const long kSchemaCloseable = 7;
const long kSchemaContextMenu = 8;
const long kSchemaMenuBarCloseable = 16;
const long kSchemaCustomizeDialog = 17;
// Where a toolbar floats without a dock context.
const int kDefaultFloatingPos = 100;
// Edges of a floating toolbar that answer a resize hit test.
const int kFloatingEdge = 3;

CZPCommandBarsOptions* OptionsOf(const CZPCommandBar* pBar)
{
    CZPCommandBars* pCommandBars = pBar->FindCommandBars();
    return pCommandBars != NULL ? pCommandBars->GetCommandBarsOptions() : NULL;
}

int MaxOf(int a, int b)
{
    return a > b ? a : b;
}
}  // namespace

// Built-in buttons -----------------------------------------------------------------------------

CZPToolBar::CControlButtonExpand::CControlButtonExpand() : m_bHiddenControls(FALSE)
{
    m_controlType = zpControlButtonPopup;
    m_dwFlags = kExpandButtonFlags;
}

void CZPToolBar::CControlButtonExpand::SetRect(CRect rcControl)
{
    CZPControlPopup::SetRect(rcControl);
    m_bHiddenControls = FALSE;
    CZPCommandBar* pBar = GetParent();
    for (int i = 0; pBar != NULL && i < pBar->CountControls(); ++i) {
        if (pBar->ControlAt(i)->GetHideFlags() == zpHideWrap) {
            m_bHiddenControls = TRUE;
            break;
        }
    }
}

BOOL CZPToolBar::CControlButtonExpand::SetPopuped(BOOL bPopup)
{
    CZPToolBar* pToolBar = DYNAMIC_DOWNCAST(CZPToolBar, GetParent());
    if (pToolBar == NULL)
        return FALSE;
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    if (!bPopup) {
        if (CZPCommandBar* pOpen = GetCommandBar())
            pOpen->SwitchTrackingMode(0, TRUE, FALSE);
        CZPControlPopup::SetPopuped(FALSE);
        pToolBar->RepaintArea(&m_rcControl, FALSE);
        return TRUE;
    }
    SetCommandBar(NULL);
    ZpCreateBarRequest request = {};
    request.bPopup = TRUE;
    request.bExpandBar = TRUE;
    request.nID = static_cast<UINT>(GetID());
    CWnd* pSite = pToolBar->FindSiteWindow();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        ::SendMessageW(pSite->GetSafeHwnd(), ZpMsgCreateBar, 0, reinterpret_cast<LPARAM>(&request));
    CRefPtr<CZPCommandBar> pPopup = CRefPtr<CZPCommandBar>::Adopt(request.pCommandBar);
    if (pPopup && !pPopup->IsKindOf(RUNTIME_CLASS(CZPPopupBar)))
        pPopup.Reset(NULL);
    if (!pPopup)
        pPopup = CRefPtr<CZPCommandBar>::Adopt(ZpCreatePopupBar(pToolBar->FindCommandBars()));
    if (!pPopup)
        return FALSE;
    pPopup->SetCustomizable(FALSE);
    SetCommandBar(pPopup.Get());
    CZPCommandBars* pCommandBars = pToolBar->FindCommandBars();
    if (pCommandBars != NULL && pToolBar->GetDockContext() != NULL)
        pCommandBars->FillExpandPopup(pToolBar, pPopup.Get());
    else
        pToolBar->CopyHiddenForRoomTo(pPopup.Get());
    if (pCommandBars != NULL && pToolBar->GetDockContext() != NULL) {
        CZPCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
        if (pOptions->m_bShowExpandButtonAlways || pCommandBars->IsCustomizeCommandPresent()) {
            const BOOL bGroup = pPopup->CountControls() > 1;
            CZPControl* pAddRemove = pPopup->GetControls()->Add(zpControlPopup, ZP_ID_TOOLBAR_ADDREMOVE);
            if (pAddRemove != NULL) {
                pAddRemove->SetFlags(pAddRemove->GetFlags() | kAddRemoveFlags);
                pAddRemove->SetBeginGroup(bGroup);
                pCommandBars->FillAddRemovePopup(pToolBar, pAddRemove->GetCommandBar());
            }
        }
    }
    const BOOL bShown = CZPControlPopup::SetPopuped(TRUE);
    pToolBar->RepaintArea(&m_rcControl, FALSE);
    return bShown;
}

void CZPToolBar::CControlButtonExpand::Draw(CDC* pDC)
{
    CZPCommandBar* pBar = GetParent();
    CZPPaintManager* pPaintManager = pBar != NULL ? pBar->ResolvePaintManager() : NULL;
    if (pPaintManager == NULL)
        return;
    const int nKind = pBar->GetPosition() == zpBarFloating ? zpButtonExpandFloating : zpButtonExpandToolBar;
    BOOL bHidden = m_bHiddenControls;
    pPaintManager->DrawBuiltInButton(pDC, nKind, this, pBar, TRUE, &bHidden);
}

CZPToolBar::CControlButtonHide::CControlButtonHide()
{
    m_dwFlags = kHideButtonFlags;
}

void CZPToolBar::CControlButtonHide::OnClick(BOOL bKeyboard, CPoint point)
{
    // Executing deletes a torn-off bar, and with it this control: both stay alive until here.
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    CRefPtr<CZPCommandBar> holdBar = CRefPtr<CZPCommandBar>::AddRef(GetParent());
    CZPControlButton::OnClick(bKeyboard, point);
}

void CZPToolBar::CControlButtonHide::Execute()
{
    CRefPtr<CZPCommandBar> holdBar = CRefPtr<CZPCommandBar>::AddRef(GetParent());
    if (holdBar)
        holdBar->SetBarVisible(FALSE);
}

void CZPToolBar::CControlButtonHide::Draw(CDC* pDC)
{
    CZPCommandBar* pBar = GetParent();
    CZPPaintManager* pPaintManager = pBar != NULL ? pBar->ResolvePaintManager() : NULL;
    if (pPaintManager != NULL)
        pPaintManager->DrawBuiltInButton(pDC, zpButtonHideFloating, this, pBar, TRUE, NULL);
}

CZPToolBar::CControlButtonCustomize::CControlButtonCustomize() {}

void CZPToolBar::CControlButtonCustomize::Execute()
{
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    if (CZPCommandBar* pParent = GetParent()) {
        if (CZPCommandBarsOptions* pOptions = OptionsOf(pParent))
            pOptions->m_bDirty = TRUE;
    }
    if (m_pBoundControl) {
        CZPControl* pControl = m_pBoundControl.Get();
        pControl->SetHideFlags(pControl->GetHideFlags() ^ zpHideCustomize);
        SetChecked((pControl->GetHideFlags() & zpHideCustomize) == 0);
        if (CZPCommandBar* pParent = GetParent())
            pParent->RepaintArea(&m_rcControl, FALSE);
        if (CZPCommandBar* pBar = pControl->GetParent())
            pBar->RecalcBarLayout();
        if (CZPCommandBar* pParent = GetParent())
            pParent->RecalcBarLayout();
    } else if (m_pBoundBar) {
        CRefPtr<CZPToolBar> pBar = m_pBoundBar;
        if (CZPCommandBars* pCommandBars = pBar->FindCommandBars())
            pCommandBars->EndAllTracking();
        pBar->RestoreOriginalControls(TRUE);
    }
}

// The toolbar ------------------------------------------------------------------------------------

CZPToolBar::CZPToolBar()
    : m_pDockBar(NULL), m_pDockContext(NULL), m_bBuiltIn(TRUE), m_bTearOff(FALSE), m_bVisibleBeforeHideAll(FALSE),
      m_bHideAll(FALSE), m_bNotSaved(FALSE), m_bShowExpandButton(TRUE), m_bContextMenuPresent(TRUE),
      m_bInRecalcLayout(FALSE), m_bCloseable(TRUE), m_bCustomizeDialogPresent(TRUE), m_bHeldByTearOff(FALSE)
{
    m_barType = zpBarTypeNormal;
    m_dwFlags = ZP_TOOLBAR_FLAGS;
    m_pDockContext = new CZPDockContext(this);
    ZpRegisterWindowClass(AfxGetInstanceHandle(), kZpToolBarClass, CS_DBLCLKS, NULL, NULL);
}

CZPToolBar::~CZPToolBar()
{
    delete m_pDockContext;
    m_pDockContext = NULL;
}

CZPControl* CZPToolBar::FindOrAddBuiltIn(int nId)
{
    CZPControl* pControl = m_pControls->FindControlById(nId);
    if (pControl != NULL)
        return pControl;
    CZPControl* pNew = nId == ZP_ID_TOOLBAR_EXPAND ? static_cast<CZPControl*>(new CControlButtonExpand)
                                                   : static_cast<CZPControl*>(new CControlButtonHide);
    return m_pControls->AddControl(pNew, nId, NULL, -1, TRUE);
}

BOOL CZPToolBar::HasControlHiddenForRoom() const
{
    for (int i = 0; i < CountControls(); ++i) {
        if ((ControlAt(i)->GetHideFlags() & zpHideWrap) != 0)
            return TRUE;
    }
    return FALSE;
}

void CZPToolBar::PlaceExpandButton(CZPControl* pExpand, CSize size)
{
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    pExpand->SetHideFlags(zpHideNone);
    if (pPaintManager != NULL)
        pPaintManager->DrawBuiltInButton(NULL, zpButtonExpandToolBar, pExpand, this, FALSE, &size);
}

CRect CZPToolBar::QueryBarBorders()
{
    if (m_barPosition == zpBarFloating)
        return CRect(ZP_FLOATING_BORDER, ZP_FLOATING_BORDER, ZP_FLOATING_BORDER, ZP_FLOATING_BORDER);
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    if (pPaintManager == NULL)
        return CRect(0, 0, 0, 0);
    CRect rcBorder = pPaintManager->GetBarBorders(this);
    if (HasGripper()) {
        const CSize szGripper = pPaintManager->DrawBarGripper(NULL, this, FALSE);
        rcBorder.left += szGripper.cx;
        rcBorder.top += szGripper.cy;
    }
    return rcBorder;
}

CSize CZPToolBar::CalcDockedSize(int nLength, DWORD dwMode, int nExtra)
{
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    CClientDC dc(m_hWnd != NULL ? this : NULL);
    CZPFontDC font(&dc, pPaintManager != NULL ? pPaintManager->GetBarFont(this) : NULL);
    CRect rcBorder = QueryBarBorders();
    if (CZPControl* pHide = m_pControls->FindControlById(ZP_ID_TOOLBAR_HIDE))
        pHide->SetHideFlags(zpHideGeneric);
    CZPCommandBarsOptions* pOptions = OptionsOf(this);
    const BOOL bAlways = pOptions != NULL && pOptions->m_bShowExpandButtonAlways;
    const BOOL bHorizontal = (dwMode & ZP_LM_HORZDOCK) != 0;
    CSize size;
    if (!m_bShowExpandButton) {
        size = m_pControls->LayoutControls(&dc, nLength, dwMode, rcBorder, nExtra);
    } else {
        CZPControl* pExpand = FindOrAddBuiltIn(ZP_ID_TOOLBAR_EXPAND);
        pExpand->SetHideFlags(zpHideGeneric);
        CRect rcReserved = rcBorder;
        (bHorizontal ? rcReserved.right : rcReserved.bottom) += ZP_EXPAND_BUTTON_RESERVE;
        if (bAlways) {
            size = m_pControls->LayoutControls(&dc, nLength, dwMode, rcReserved, nExtra);
            PlaceExpandButton(pExpand, size);
        } else if ((dwMode & ZP_LM_COMMIT) != 0) {
            size = m_pControls->LayoutControls(&dc, nLength, dwMode, rcBorder, nExtra);
            if (HasControlHiddenForRoom()) {
                size = m_pControls->LayoutControls(&dc, nLength, dwMode, rcReserved, nExtra);
                PlaceExpandButton(pExpand, size);
            }
        } else {
            size = m_pControls->LayoutControls(&dc, nLength, dwMode, rcBorder, nExtra);
            const CSize szSmallest = m_pControls->LayoutControls(&dc, 1, dwMode, rcBorder, nExtra);
            if (m_pControls->GetVisibleCount(FALSE) > 1) {
                if (bHorizontal)
                    size.cx = MaxOf(size.cx, szSmallest.cx + ZP_EXPAND_BUTTON_RESERVE);
                else
                    size.cy = MaxOf(size.cy, szSmallest.cy + ZP_EXPAND_BUTTON_RESERVE);
            }
        }
    }
    if ((m_dwPending & ZP_BAR_PENDING_LAYOUT) != 0 && (dwMode & ZP_LM_COMMIT) != 0) {
        m_dwPending &= ~ZP_BAR_PENDING_LAYOUT;
        RepaintArea(NULL, TRUE);
    }
    return size;
}

CSize CZPToolBar::ComputeBarSize(int nLength, DWORD dwMode)
{
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    CClientDC dc(m_hWnd != NULL ? this : NULL);
    CZPFontDC font(&dc, pPaintManager != NULL ? pPaintManager->GetBarFont(this) : NULL);
    const int h = pPaintManager != NULL ? pPaintManager->DrawBarGripper(NULL, this, FALSE).cy : 0;
    CRect rcBorder = QueryBarBorders();
    rcBorder.top += h + 1;
    CZPControl* pHide = NULL;
    if (m_bCloseable) {
        pHide = FindOrAddBuiltIn(ZP_ID_TOOLBAR_HIDE);
        pHide->SetHideFlags(zpHideGeneric);
    }
    CZPControl* pExpand = NULL;
    if (m_bShowExpandButton && FindCommandBars() != NULL) {
        pExpand = FindOrAddBuiltIn(ZP_ID_TOOLBAR_EXPAND);
        pExpand->SetHideFlags(zpHideGeneric);
    }
    CSize size;
    if (m_barType == zpBarTypePopup) {
        RefreshShortcutTexts();
        size = m_pControls->LayoutPopup(&dc, INT_MAX, 0, rcBorder);
    } else
        size = m_pControls->LayoutControls(&dc, nLength, dwMode, rcBorder, 0);
    int nRight = size.cx - ZP_FLOATING_BORDER;
    if (pHide != NULL) {
        pHide->SetHideFlags(zpHideNone);
        pHide->SetRect(CRect(nRight - h, ZP_FLOATING_BORDER, nRight, h + ZP_FLOATING_BORDER));
        nRight -= h;
    }
    CZPCommandBarsOptions* pOptions = OptionsOf(this);
    const BOOL bAlways = pOptions == NULL || pOptions->m_bShowExpandButtonAlways;
    if (pExpand != NULL && nRight - h > 0 && bAlways) {
        pExpand->SetHideFlags(zpHideNone);
        pExpand->SetRect(CRect(nRight - h, ZP_FLOATING_BORDER, nRight, h + ZP_FLOATING_BORDER));
    }
    if ((m_dwPending & ZP_BAR_PENDING_LAYOUT) != 0 && (dwMode & ZP_LM_COMMIT) != 0) {
        m_dwPending &= ~ZP_BAR_PENDING_LAYOUT;
        RepaintArea(NULL, TRUE);
    }
    return size;
}

void CZPToolBar::ResizeSiteWithoutCommandBars()
{
    CWnd* pSite = FindSiteWindow();
    if (pSite == NULL || pSite->GetSafeHwnd() == NULL)
        return;
    CRect rc;
    ::GetClientRect(pSite->GetSafeHwnd(), &rc);
    ::SendMessageW(pSite->GetSafeHwnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.Width(), rc.Height()));
}

void CZPToolBar::RecalcBarLayout()
{
    if (m_hWnd == NULL || !IsBarVisible() || m_bInRecalcLayout)
        return;
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    m_bInRecalcLayout = TRUE;
    if (m_barPosition != zpBarFloating) {
        if (CZPCommandBars* pCommandBars = FindCommandBars())
            pCommandBars->RelayoutSite(FALSE);
        else
            ResizeSiteWithoutCommandBars();
    } else if (::IsWindowVisible(m_hWnd)) {
        const CSize size = ComputeBarSize(-1, ZP_LM_HORZ | ZP_LM_MRUWIDTH | ZP_LM_COMMIT);
        ::SetWindowPos(m_hWnd, NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_bInRecalcLayout = FALSE;
    RepaintArea(NULL, FALSE);
}

BOOL CZPToolBar::IsBarVisible() const
{
    return m_bVisible;
}

void CZPToolBar::SetBarVisible(BOOL bVisible)
{
    bVisible = bVisible ? TRUE : FALSE;
    if (m_bVisible == bVisible)
        return;
    // Held: the site hears of it, and a torn-off bar is deleted below.
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    m_bVisible = bVisible;
    if (!bVisible)
        SwitchTrackingMode(0, TRUE, FALSE);
    if (m_hWnd != NULL)
        ::ShowWindow(m_hWnd, bVisible ? SW_SHOWNA : SW_HIDE);
    CZPCommandBars* pCommandBars = FindCommandBars();
    if (bVisible) {
        RecalcBarLayout();
    } else if (m_barPosition != zpBarFloating) {
        if (pCommandBars == NULL) {
            ResizeSiteWithoutCommandBars();
            return;
        }
        pCommandBars->RelayoutSite(FALSE);
    }
    CWnd* pSite = FindSiteWindow();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        ::SendMessageW(pSite->GetSafeHwnd(), ZpMsgBarVisibility, reinterpret_cast<WPARAM>(this), bVisible);
    // A torn-off bar goes with its hiding, unless a tear-off loop still holds it (that loop
    // reuses it).
    if (!bVisible && m_bTearOff && !m_bHeldByTearOff && pCommandBars != NULL)
        pCommandBars->Remove(this);
    if (CZPCommandBarsOptions* pOptions = OptionsOf(this))
        pOptions->m_bDirty = TRUE;
}

BOOL CZPToolBar::MoveToPosition(int nPosition)
{
    CZPCommandBars* pCommandBars = FindCommandBars();
    if (nPosition >= zpBarTop && nPosition <= zpBarRight) {
        if (pCommandBars == NULL)
            return FALSE;
        return pCommandBars->DockCommandBar(this, nPosition);
    }
    if (nPosition != zpBarFloating)
        return FALSE;
    if (!CreateBarWindow(FindSiteWindow(), TRUE))
        return FALSE;
    if (m_pDockBar != NULL)
        m_pDockBar->RemoveBar(this, -1, TRUE);
    m_pDockBar = NULL;
    m_barPosition = zpBarFloating;
    return TRUE;
}

BOOL CZPToolBar::CreateBarWindow(CWnd* pSite, BOOL bFloating)
{
    HWND hWndSite = pSite != NULL ? pSite->GetSafeHwnd() : NULL;
    if (m_hWnd == NULL) {
        const DWORD dwStyle = (bFloating ? WS_POPUP : WS_CHILD) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | ZP_WS_SYNC_ACTIVE;
        CZPCommandBars* pCommandBars = FindCommandBars();
        const DWORD dwExStyle = pCommandBars != NULL && pCommandBars->IsRightToLeft() ? WS_EX_LAYOUTRTL : 0;
        CPoint pt(kDefaultFloatingPos, kDefaultFloatingPos);
        if (m_pDockContext != NULL)
            pt = m_pDockContext->GetFloatingPos();
        if (!CreateEx(dwExStyle, kZpToolBarClass, m_strTitle, dwStyle, pt.x, pt.y, 0, 0, hWndSite, NULL))
            return FALSE;
        ::ShowWindow(m_hWnd, SW_SHOWNA);
    }
    if (bFloating) {
        ::SetParent(m_hWnd, NULL);
        ModifyStyle(WS_CHILD, WS_POPUP | ZP_WS_SYNC_ACTIVE);
        ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hWndSite));
    } else {
        ModifyStyle(WS_POPUP, WS_CHILD);
        if (hWndSite != NULL && ::GetParent(m_hWnd) != hWndSite)
            ::SetParent(m_hWnd, hWndSite);
    }
    return TRUE;
}

BOOL CZPToolBar::LoadToolBarResource(UINT nIDResource, BOOL bLoadImages)
{
    m_nBarID = nIDResource;
    if (!CZPCommandBar::LoadToolBarResource(nIDResource, bLoadImages))
        return FALSE;
    m_pControls->CreateOriginalControls();
    return TRUE;
}

BOOL CZPToolBar::ConfirmReset() const
{
    const CString strPrompt = ZpFormatResourceString(
        ZP_IDS_CONFIRM_RESET_TOOLBAR, L"Are you sure you want to reset the changes made to the '%s' toolbar?", m_strTitle);
    CWinThread* pThread = AfxGetThread();
    const int nAnswer = pThread != NULL ? pThread->DoMessageBox(strPrompt, MB_OKCANCEL | MB_ICONEXCLAMATION, 0)
                                        : ::MessageBoxW(NULL, strPrompt, NULL, MB_OKCANCEL | MB_ICONEXCLAMATION);
    return nAnswer == IDOK;
}

void CZPToolBar::RestoreOriginalControls(BOOL bPrompt)
{
    if (!m_bBuiltIn || m_nBarID == 0 || !AllowsCustomizing())
        return;
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    if (bPrompt && !ConfirmReset())
        return;
    CZPOriginalControls* pOriginals = m_pControls->GetOriginalControls();
    if (pOriginals != NULL) {
        CRefPtr<CZPOriginalControls> holdOriginals = CRefPtr<CZPOriginalControls>::AddRef(pOriginals);
        m_pControls->RemoveAll();
        for (int i = 0; i < pOriginals->GetCount(); ++i) {
            CZPControl* pOriginal = pOriginals->GetAt(i);
            if (!pOriginal->IsTemporary())
                m_pControls->AddClone(pOriginal, -1, TRUE);
        }
    } else {
        CZPCommandBar::LoadToolBarResource(m_nBarID, FALSE);
    }
    CWnd* pSite = FindSiteWindow();
    if (pSite != NULL && ::IsWindow(pSite->GetSafeHwnd()))
        ::SendMessageW(pSite->GetSafeHwnd(), ZpMsgBarReset, 0, reinterpret_cast<LPARAM>(this));
    OnIdleUpdate(TRUE, TRUE);
    RecalcBarLayout();
}

BOOL CZPToolBar::ResizeByEdge(const CRect&, int)
{
    return FALSE;
}

BOOL CZPToolBar::CanRestoreOriginal() const
{
    if (!AllowsCustomizing())
        return FALSE;
    CZPOriginalControls* pOriginals = m_pControls->GetOriginalControls();
    return pOriginals == NULL || !m_pControls->IsEqual(pOriginals);
}

void CZPToolBar::CopyHiddenForRoomTo(CZPCommandBar* pPopup) const
{
    if (pPopup == NULL || pPopup->GetControls() == NULL)
        return;
    for (int i = 0; i < CountControls(); ++i) {
        CZPControl* pControl = ControlAt(i);
        if (pControl->GetHideFlags() != zpHideWrap)
            continue;
        CZPControl* pCopy = pPopup->GetControls()->AddClone(pControl, -1, TRUE);
        if (pCopy != NULL) {
            pCopy->SetHideFlags(zpHideNone);
            pCopy->SetBeginGroup(FALSE);
        }
    }
}

namespace {
// Hide reasons that keep a control out of the add-or-remove list.
const DWORD kNotListedHideFlags = zpHideGeneric | zpHideDocTemplate | zpHideRibbonTab;

BOOL IsSameControl(CZPControl* a, CZPControl* b)
{
    return a->GetID() == b->GetID() && a->GetType() == b->GetType();
}
}  // namespace

void CZPToolBar::MergeOriginalControls()
{
    // Controls removed earlier come back from the originals below, at their original places.
    for (int i = CountControls() - 1; i >= 0; --i) {
        if ((ControlAt(i)->GetHideFlags() & zpHideCustomize) == 0)
            continue;
        if (m_nHighlightedControl > i)
            --m_nHighlightedControl;
        else if (m_nHighlightedControl == i)
            m_nHighlightedControl = -1;
        if (m_nPopupedControl > i)
            --m_nPopupedControl;
        else if (m_nPopupedControl == i)
            m_nPopupedControl = -1;
        m_pControls->RemoveAt(i);
    }
    CZPOriginalControls* pOriginals = m_pControls->GetOriginalControls();
    const int nOriginals = pOriginals != NULL ? pOriginals->GetCount() : 0;
    int nNext = 0;  // the first original not yet matched
    for (int i = 0; i <= CountControls() && nNext < nOriginals; ++i) {
        int nFound = -1;
        if (i < CountControls()) {
            for (int k = nNext; k < nOriginals && nFound == -1; ++k) {
                if (IsSameControl(pOriginals->GetAt(k), ControlAt(i)))
                    nFound = k;
            }
            if (nFound == -1)
                continue;  // added by the user
        } else {
            nFound = nOriginals;  // the originals left over go to the end
        }
        for (; nNext < nFound; ++nNext, ++i) {
            CZPControl* pCopy = m_pControls->AddClone(pOriginals->GetAt(nNext), i, TRUE);
            if (pCopy != NULL)
                pCopy->SetHideFlags(pCopy->GetHideFlags() | zpHideCustomize);
            if (m_nHighlightedControl >= i)
                ++m_nHighlightedControl;
            if (m_nPopupedControl >= i)
                ++m_nPopupedControl;
        }
        nNext = nFound + 1;
    }
}

void CZPToolBar::FillAddRemoveList(CZPCommandBar* pList)
{
    if (pList == NULL || pList->GetControls() == NULL)
        return;
    MergeOriginalControls();
    CZPOriginalControls* pOriginals = m_pControls->GetOriginalControls();
    for (int i = 0; i < CountControls(); ++i) {
        CZPControl* pControl = ControlAt(i);
        const int nId = pControl->GetID();
        if (nId == ZP_ID_TOOLBAR_EXPAND || nId == ZP_ID_TOOLBAR_HIDE ||
            (pControl->GetHideFlags() & kNotListedHideFlags) != 0 || !pControl->IsCustomizeMovable())
            continue;
        CControlButtonCustomize* pEntry = new CControlButtonCustomize;
        pList->GetControls()->AddControl(pEntry, nId);
        pEntry->SetCaption(pControl->GetCaption());
        if (pControl->GetType() >= zpControlButton && pControl->GetType() <= zpControlSplitButtonPopup)
            pEntry->SetIconId(pControl->GetIconId());
        pEntry->SetShortcutText(pControl->GetShortcutText());
        BOOL bOriginal = FALSE;
        for (int k = 0; pOriginals != NULL && k < pOriginals->GetCount() && !bOriginal; ++k)
            bOriginal = IsSameControl(pOriginals->GetAt(k), pControl);
        pEntry->SetEnabled(bOriginal);
        pEntry->SetChecked((pControl->GetHideFlags() & zpHideCustomize) == 0);
        pEntry->Bind(pControl);
    }
    if (pOriginals != NULL && !m_bTearOff && m_bBuiltIn) {
        CControlButtonCustomize* pReset = new CControlButtonCustomize;
        pList->GetControls()->AddControl(pReset, ZP_ID_TOOLBAR_RESET);
        pReset->SetFlags(pReset->GetFlags() | kAddRemoveFlags);
        pReset->SetBeginGroup(TRUE);
        pReset->Bind(this);
    }
}

DWORD CZPToolBar::GetDockedMode(BOOL bHorizontal) const
{
    DWORD dwMode = bHorizontal ? (ZP_LM_HORZ | ZP_LM_HORZDOCK) : ZP_LM_VERTDOCK;
    if ((m_dwFlags & ZP_BAR_FLAG_STRETCHED) != 0)
        dwMode |= ZP_LM_STRETCH;
    if ((m_dwFlags & ZP_BAR_FLAG_HIDE_WRAP) != 0 && !IsCustomizeModeActive())
        dwMode |= ZP_LM_HIDEWRAP;
    return dwMode;
}

void CZPToolBar::SetHideAll(BOOL bHide)
{
    if (bHide == m_bHideAll)
        return;
    m_bHideAll = bHide;
    if (bHide) {
        m_bVisibleBeforeHideAll = m_bVisible;
        if (m_bVisible) {
            m_bVisible = FALSE;
            if (m_hWnd != NULL)
                ::ShowWindow(m_hWnd, SW_HIDE);
        }
        return;
    }
    if (m_bVisibleBeforeHideAll) {
        m_bVisible = TRUE;
        if (m_hWnd != NULL)
            ::ShowWindow(m_hWnd, SW_SHOWNA);
        if (m_barType == zpBarTypeMenuBar) {
            CWnd* pSite = FindSiteWindow();
            CWnd* pFrame = pSite != NULL ? CWnd::FromHandlePermanent(pSite->GetSafeHwnd()) : NULL;
            if (pFrame != NULL && pFrame->IsFrameWnd())
                static_cast<CFrameWnd*>(pFrame)->RecalcLayout();
        }
    }
    m_bVisibleBeforeHideAll = FALSE;
}

void CZPToolBar::ExchangeProperties(CZPPropExchange* pPX)
{
    if (pPX == NULL)
        return;
    CZPCommandBar::ExchangeProperties(pPX);
    const long nSchema = pPX->GetSchema();
    PropExchangeBool(pPX, L"BuiltIn", &m_bBuiltIn, TRUE);
    PropExchangeBool(pPX, L"TearOff", &m_bTearOff, FALSE);
    if (nSchema >= kSchemaCloseable)
        PropExchangeBool(pPX, L"Closeable", &m_bCloseable, TRUE);
    if (nSchema >= kSchemaContextMenu)
        PropExchangeBool(pPX, L"ContextMenuPresent", &m_bContextMenuPresent, TRUE);
    if (nSchema >= kSchemaCustomizeDialog)
        PropExchangeBool(pPX, L"CustomizeDialogPresent", &m_bCustomizeDialogPresent, TRUE);
    if (pPX->IsLoading() && nSchema <= kSchemaMenuBarCloseable && m_barType == zpBarTypeMenuBar)
        m_bCloseable = FALSE;
}

void CZPToolBar::CopyFrom(const CZPToolBar* pOther, BOOL bRecursive)
{
    if (pOther == NULL || pOther == this)
        return;
    m_barType = pOther->m_barType;
    m_barPosition = pOther->m_barPosition;
    m_nBarID = pOther->m_nBarID;
    m_dwFlags = pOther->m_dwFlags;
    m_dwStyle = pOther->m_dwStyle;
    m_strTitle = pOther->m_strTitle;
    m_bCustomizable = pOther->m_bCustomizable;
    m_nMRUWidth = pOther->m_nMRUWidth;
    m_szIcons = pOther->m_szIcons;
    m_szButtons = pOther->m_szButtons;
    m_pCommandBars = pOther->m_pCommandBars;
    if (pOther->m_pControls != NULL && m_pControls != NULL)
        m_pControls->CopyFrom(pOther->m_pControls, bRecursive);
    m_bBuiltIn = pOther->m_bBuiltIn;
    m_bTearOff = pOther->m_bTearOff;
    m_bCloseable = pOther->m_bCloseable;
}

CZPToolBar* CZPToolBar::CloneBar(BOOL bRecursive) const
{
    CZPToolBar* pClone = new CZPToolBar;
    pClone->CopyFrom(this, bRecursive);
    return pClone;
}

// Window messages ------------------------------------------------------------------------------

CRect CZPToolBar::GetGripperRect() const
{
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    if (m_hWnd == NULL || pPaintManager == NULL)
        return CRect(0, 0, 0, 0);
    CRect rc;
    ::GetClientRect(m_hWnd, &rc);
    CZPToolBar* pThis = const_cast<CZPToolBar*>(this);
    const CRect rcBorder = pPaintManager->GetBarBorders(pThis);
    const CSize szGripper = pPaintManager->DrawBarGripper(NULL, pThis, FALSE);
    if (IsDialogBar()) {
        rc.left += ZP_FLOATING_BORDER;
        rc.right = rc.left + rcBorder.left + szGripper.cx;
        rc.bottom = rc.top + rcBorder.top + szGripper.cy;
    } else if (IsVerticalPosition()) {
        rc.bottom = rc.top + rcBorder.top + szGripper.cy;
    } else {
        rc.right = rc.left + rcBorder.left + szGripper.cx;
    }
    return rc;
}

BOOL CZPToolBar::OnSetCursor(UINT nHitTest)
{
    if (nHitTest != HTCLIENT || m_pDockContext == NULL || m_barPosition > zpBarRight ||
        (m_dwFlags & ZP_BAR_FLAG_POSITIONS) == 0)
        return FALSE;
    CPoint pt;
    ::GetCursorPos(&pt);
    ::ScreenToClient(m_hWnd, &pt);
    if (!GetGripperRect().PtInRect(pt))
        return FALSE;
    ::SetCursor(::LoadCursorW(NULL, IDC_SIZEALL));
    return TRUE;
}

void CZPToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_barPosition == zpBarFloating)
        ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    (void)nFlags;
    if (CZPControl* pControl = m_pControls->HitTest(point)) {
        // Held: a control's command may remove the bar or the control.
        CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
        CRefPtr<CZPControl> holdControl = CRefPtr<CZPControl>::AddRef(pControl);
        if (::GetKeyState(VK_MENU) < 0 && RunAltDrag(pControl, point))
            return;
        if (pControl->GetEnabled())
            pControl->OnClick(FALSE, point);
        return;
    }
    if (CZPCommandBars* pCommandBars = FindCommandBars())
        pCommandBars->EndAllTracking();
    if (m_pDockContext != NULL && (m_dwFlags & ZP_BAR_FLAG_POSITIONS) != 0) {
        CPoint ptScreen = point;
        ::ClientToScreen(m_hWnd, &ptScreen);
        CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
        m_pDockContext->BeginMoveDrag(ptScreen);
    }
}

BOOL CZPToolBar::OnLButtonDblClk(CPoint point)
{
    if (m_pControls->HitTest(point) != NULL || m_pDockContext == NULL)
        return FALSE;
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    m_pDockContext->SwapDockedAndFloating();
    return TRUE;
}

void CZPToolBar::OnNcLButtonDown(UINT nHitTest, CPoint ptScreen)
{
    if (m_pDockContext == NULL || nHitTest < HTLEFT || nHitTest > HTBOTTOMRIGHT)
        return;
    if (HWND hWndTop = ::GetAncestor(m_hWnd, GA_ROOTOWNER))
        ::SetActiveWindow(hWndTop);
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (CZPCommandBars* pCommandBars = FindCommandBars())
        pCommandBars->EndAllTracking();
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    m_pDockContext->BeginResizeDrag(static_cast<int>(nHitTest), ptScreen);
}

BOOL CZPToolBar::OnRButtonDown(CPoint point)
{
    if (CZPCommandBar::OnRButtonDown(point))
        return TRUE;
    if (IsCustomizeModeActive())
        return FALSE;
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    SwitchTrackingMode(0, TRUE, FALSE);
    HighlightControlAt(-1, 0);
    RepaintArea(NULL, FALSE);
    if (CZPCommandBars* pCommandBars = FindCommandBars()) {
        CPoint ptScreen = point;
        ::ClientToScreen(m_hWnd, &ptScreen);
        pCommandBars->ShowToolbarsContextMenu(this, ptScreen);
    }
    return TRUE;
}

LRESULT CZPToolBar::OnNcHitTest(CPoint ptScreen)
{
    if (m_barPosition == zpBarFloating && m_barType != zpBarTypePopup) {
        CRect rc;
        ::GetWindowRect(m_hWnd, &rc);
        if (ptScreen.y < rc.top + kFloatingEdge)
            return HTTOP;
        if (ptScreen.y >= rc.bottom - kFloatingEdge)
            return HTBOTTOM;
        if (ptScreen.x < rc.left + kFloatingEdge)
            return HTLEFT;
        if (ptScreen.x >= rc.right - kFloatingEdge)
            return HTRIGHT;
    }
    return CZPCommandBar::WindowProc(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
}

LRESULT CZPToolBar::OnSizeParent(AFX_SIZEPARENTPARAMS* pLayout)
{
    if (pLayout == NULL || (GetStyle() & WS_VISIBLE) == 0)
        return 0;
    DWORD dwMode = ZP_LM_HORZ | ZP_LM_HORZDOCK | ZP_LM_COMMIT;
    if ((m_dwFlags & ZP_BAR_FLAG_STRETCHED) != 0)
        dwMode |= ZP_LM_STRETCH;
    if ((m_dwFlags & ZP_BAR_FLAG_HIDE_WRAP) != 0)
        dwMode |= ZP_LM_HIDEWRAP;
    if (pLayout->hDWP == NULL)
        dwMode &= ~ZP_LM_COMMIT;
    CRect rcLayout(pLayout->rect);
    CSize size = CalcDockedSize(rcLayout.Width(), dwMode, 0);
    size.cx = size.cx < rcLayout.Width() ? size.cx : rcLayout.Width();
    size.cy = size.cy < rcLayout.Height() ? size.cy : rcLayout.Height();
    CRect rcBar(rcLayout.left, rcLayout.top, rcLayout.left + size.cx, rcLayout.top + size.cy);
    pLayout->rect.top += size.cy;
    pLayout->sizeTotal.cy += size.cy;
    pLayout->sizeTotal.cx = MaxOf(pLayout->sizeTotal.cx, size.cx);
    if (pLayout->hDWP != NULL)
        AfxRepositionWindow(pLayout, m_hWnd, &rcBar);
    RepaintArea(NULL, FALSE);
    return 0;
}

void CZPToolBar::SyncFloatingStatus()
{
    if ((GetStyle() & ZP_WS_SYNC_ACTIVE) == 0)
        return;
    HWND hWndFrame = ::GetWindow(m_hWnd, GW_OWNER);
    HWND hWndForeground = ::GetForegroundWindow();
    BOOL bActive = hWndFrame != NULL && hWndFrame == hWndForeground;
    if (!bActive && hWndFrame != NULL) {
        HWND hWndPopup = ::GetLastActivePopup(hWndFrame);
        bActive = hWndPopup == hWndForeground && ::SendMessageW(hWndPopup, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0;
    }
    ::SendMessageW(m_hWnd, WM_FLOATSTATUS, bActive ? FS_ACTIVATE : FS_DEACTIVATE, 0);
}

LRESULT CZPToolBar::OnFloatStatus(WPARAM wParam)
{
    if ((wParam & FS_SYNCACTIVE) != 0)
        return (GetStyle() & ZP_WS_SYNC_ACTIVE) != 0;
    if (m_barPosition != zpBarFloating || !m_bVisible)
        return 0;
    CZPCommandBarsOptions* pOptions = OptionsOf(this);
    const BOOL bSync = pOptions == NULL || pOptions->m_bSyncFloatingBars;
    const UINT kNoChange = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    HWND hWndTop = ::GetAncestor(m_hWnd, GA_ROOTOWNER);
    const BOOL bTopActive = hWndTop != NULL && ZpIsOwnerChainActive(hWndTop);
    if (bSync && (wParam & FS_DEACTIVATE) != 0 && !bTopActive)
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, kNoChange | SWP_HIDEWINDOW);
    if (bSync && (wParam & FS_ACTIVATE) != 0 && !::IsWindowVisible(m_hWnd) && bTopActive) {
        HWND hWndForeground = ::GetForegroundWindow();
        if (hWndForeground != NULL && ::IsWindowVisible(hWndForeground) && !::IsIconic(hWndForeground))
            ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, kNoChange | SWP_SHOWWINDOW);
    }
    if ((wParam & FS_SHOW) != 0)
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, kNoChange | SWP_SHOWWINDOW);
    if ((wParam & FS_HIDE) != 0)
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, kNoChange | SWP_HIDEWINDOW);
    if ((wParam & (FS_ENABLE | FS_DISABLE)) != 0)
        ::EnableWindow(m_hWnd, (wParam & FS_ENABLE) != 0);
    return 0;
}

LRESULT CZPToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    switch (message) {
    case WM_SETCURSOR:
        if (OnSetCursor(LOWORD(lParam)))
            return TRUE;
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), point);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (OnLButtonDblClk(point))
            return 0;
        break;
    case WM_NCLBUTTONDOWN:
        if (m_pDockContext == NULL)
            return 0;
        if (wParam >= HTLEFT && wParam <= HTBOTTOMRIGHT) {
            OnNcLButtonDown(static_cast<UINT>(wParam), point);
            return 0;
        }
        break;
    case WM_NCHITTEST:
        return OnNcHitTest(point);
    case WM_MOUSEACTIVATE:
        if (m_barPosition == zpBarFloating || IsCustomizeModeActive())
            return MA_NOACTIVATE;
        break;
    case WM_SIZEPARENT:
        return OnSizeParent(reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam));
    case WM_FLOATSTATUS:
        return OnFloatStatus(wParam);
    case WM_CREATE:
        if (m_barPosition == zpBarFloating || (reinterpret_cast<LPCREATESTRUCTW>(lParam)->style & WS_POPUP) != 0) {
            const LRESULT lResult = CZPCommandBar::WindowProc(message, wParam, lParam);
            SyncFloatingStatus();
            return lResult;
        }
        break;
    default:
        break;
    }
    return CZPCommandBar::WindowProc(message, wParam, lParam);
}
