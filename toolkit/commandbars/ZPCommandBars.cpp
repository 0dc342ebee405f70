// All command bars of one frame: the parts bars and controls use so far.
#include "commandbars/ZPCommandBars.h"

#include "commandbars/ZPControlAction.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPCommandBarsResource.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPCustomizeDragTracker.h"
#include "commandbars/ZPCustomizeSheet.h"
#include "commandbars/ZPDockBar.h"
#include "commandbars/ZPDockContext.h"
#include "commandbars/ZPKeyboardManager.h"
#include "commandbars/ZPMouseManager.h"
#include "common/ZPToolTipContext.h"
#include "commandbars/ZPShortcutManager.h"
#include "commandbars/ZPToolBar.h"

#include <framework/frame.h>

#include <framework/messages.h>
#include <framework/resids.h>

namespace {
// Dock bars in position order: id and bar style (edge alignment and the border facing the client).
struct DockBarSpec
{
    UINT nId;
    DWORD dwBarStyle;
};
const DockBarSpec kDockBars[4] = {
    { 0xE81B, ZP_CBRS_ALIGN_TOP | ZP_CBRS_BORDER_BOTTOM },
    { 0xE81E, ZP_CBRS_ALIGN_BOTTOM | ZP_CBRS_BORDER_TOP },
    { 0xE81C, ZP_CBRS_ALIGN_LEFT | ZP_CBRS_BORDER_RIGHT },
    { 0xE81D, ZP_CBRS_ALIGN_RIGHT | ZP_CBRS_BORDER_LEFT },
};
// How far outside a dock bar's window a dragged bar still docks to it.
const int kDockMargin = 20;
// WM_COMMANDHELP carries the help id above this base.
const LPARAM kHelpIdBase = 0x10000;
// Key messages of a key pressed with Alt carry this bit.
const LPARAM kAltContextBit = 0x20000000;
// Popup nesting followed by the usage test; deeper (or cyclic) chains count as not hidden.
const int kMaxUsageDepth = 32;
}  // namespace

IMPLEMENT_DYNCREATE(CZPCommandBars, CCmdTarget)

CZPCommandBars::CZPCommandBars()
    : m_hWndSite(NULL), m_bCustomizeMode(FALSE), m_hWndCustomizeOwner(NULL), m_pCustomizeSelection(NULL),
      m_pDragTracker(new CZPCustomizeDragTracker(this)), m_pImageManager(NULL), m_pPaintManager(NULL), m_pDockBars(),
      m_nHelpId(0), m_pOptions(new CZPCommandBarsOptions(this)), m_pShortcutManager(new CZPShortcutManager(this)),
      m_pActions(new CZPControlActions(this)), m_bEnableActions(FALSE), m_bPreviewMode(FALSE),
      m_bKeyboardCuesShown(TRUE), m_bKeyboardCuesUsed(FALSE), m_nKeyboardTipsLevel(0), m_nKeyboardTipsTyped(0),
      m_pKeyboardTipsBar(NULL), m_bLayoutLock(FALSE), m_bControlsKeptAside(FALSE), m_bShiftFilter(FALSE),
      m_pToolTipContext(new CZPToolTipContext)
{
    m_pToolTipContext->SetStyle(CZPToolTipContext::kindOffice);
    ApplyKeyboardCuesShow(ZP_CUES_SHOW_SYSTEM);
}

CZPCommandBars::~CZPCommandBars()
{
    DestroyKeyboardTips();
    m_contextMenus.RemoveAll();
    if (m_pCustomizeSelection != NULL)
        m_pCustomizeSelection->InternalRelease();
    m_pCustomizeSelection = NULL;
    // The bars go first: undocking them talks to the dock bars.
    m_bLayoutLock = TRUE;
    RemoveAll();
    m_pActions->RemoveAll();
    m_pActions->InternalRelease();
    delete m_pShortcutManager;
    m_pOptions->InternalRelease();
    m_pToolTipContext->InternalRelease();
    for (CZPDockBar*& pDockBar : m_pDockBars) {
        if (pDockBar != NULL)
            pDockBar->DestroyWindow();
        delete pDockBar;
        pDockBar = NULL;
    }
    delete m_pDragTracker;
}

void CZPCommandBars::SetCustomizeMode(BOOL bMode)
{
    m_pOptions->m_bDirty = TRUE;
    m_bCustomizeMode = bMode;
    SetCustomizeSelection(NULL);
    for (int i = 0; i < GetCount(); ++i) {
        CZPCommandBar* pBar = GetAt(i);
        pBar->MarkRedrawPending();
        pBar->OnIdleUpdate(FALSE, TRUE);
    }
    RelayoutSite(FALSE);
    SetKeyboardCuesShown(bMode);
}

void CZPCommandBars::SetQuickCustomizeMode(HWND hWndOwner)
{
    m_pOptions->m_bDirty = TRUE;
    m_bCustomizeMode = hWndOwner != NULL;
    m_hWndCustomizeOwner = hWndOwner;
    SetCustomizeSelection(NULL);
    SetKeyboardCuesShown(m_bCustomizeMode);
}

void CZPCommandBars::SetCustomizeSelection(CZPControl* pControl)
{
    CZPControl* pOld = m_pCustomizeSelection;
    if (pControl != NULL)
        pControl->InternalAddRef();
    m_pCustomizeSelection = pControl;
    if (pOld != NULL) {
        pOld->RedrawParent(FALSE);
        pOld->InternalRelease();
    }
    if (pControl != NULL)
        pControl->RedrawParent(FALSE);
    CWnd* pSheet = m_pDragTracker->GetSheet();
    HWND hWndTarget = pSheet != NULL && pSheet->GetSafeHwnd() != NULL ? pSheet->GetSafeHwnd() : m_hWndSite;
    if (hWndTarget != NULL && ::IsWindow(hWndTarget))
        ::SendMessageW(hWndTarget, ZpMsgCustomizeSelection, 0, reinterpret_cast<LPARAM>(pControl));
}

void CZPCommandBars::CreateDockBars()
{
    for (int i = 0; i < 4; ++i) {
        if (m_pDockBars[i] != NULL)
            continue;
        CZPDockBar* pDockBar = new CZPDockBar;
        if (!pDockBar->CreateDockBar(GetSite(), kDockBars[i].dwBarStyle, kDockBars[i].nId)) {
            delete pDockBar;
            AfxThrowResourceException();
        }
        pDockBar->SetCommandBars(this);
        m_pDockBars[i] = pDockBar;
    }
}

CZPDockBar* CZPCommandBars::GetDockBar(int nPosition) const
{
    return nPosition >= 0 && nPosition < 4 ? m_pDockBars[nPosition] : NULL;
}

CZPDockBar* CZPCommandBars::CanDock(CPoint point, CZPDockBar* pPreferred) const
{
    CZPDockBar* order[5] = { pPreferred, m_pDockBars[0], m_pDockBars[1], m_pDockBars[2], m_pDockBars[3] };
    for (CZPDockBar* pDockBar : order) {
        if (pDockBar == NULL || pDockBar->GetSafeHwnd() == NULL || (pDockBar->GetBarStyle() & ZP_CBRS_ALIGN_ANY) == 0)
            continue;
        CRect rc;
        ::GetWindowRect(pDockBar->GetSafeHwnd(), &rc);
        if (rc.left - kDockMargin < point.x && point.x < rc.right + kDockMargin && rc.top - kDockMargin < point.y &&
            point.y < rc.bottom + kDockMargin)
            return pDockBar;
    }
    return NULL;
}

void CZPCommandBars::SetHelpIdOf(CZPControl* pControl)
{
    // Actions are never bound here, so a control's help id is its own, else its command id.
    if (pControl == NULL)
        m_nHelpId = 0;
    else
        m_nHelpId = pControl->GetHelpId() != 0 ? pControl->GetHelpId() : pControl->GetID();
}

BOOL CZPCommandBars::FilterFrameMessage(UINT message, WPARAM wParam, LPARAM, LRESULT*)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == ID_HELP && m_nHelpId != 0 && m_hWndSite != NULL) {
            CWnd* pSite = CWnd::FromHandlePermanent(m_hWndSite);
            AFX_CMDHANDLERINFO info = {};
            if (pSite != NULL && pSite->OnCmdMsg(ID_HELP, CN_COMMAND, NULL, &info)) {
                ::SendMessageW(m_hWndSite, WM_COMMANDHELP, 0, kHelpIdBase + m_nHelpId);
                return TRUE;
            }
        }
        return FALSE;
    case WM_CLOSE:
        return m_pDragTracker->GetSheet() != NULL;
    case WM_ACTIVATEAPP:
        if (!wParam)
            EndAllTracking();
        return FALSE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != SC_KEYMENU && !(LOWORD(wParam) == 0 && wParam != 0) && !m_bCustomizeMode)
            EndAllTracking();
        return FALSE;
    default:
        return FALSE;
    }
}

BOOL CZPCommandBars::PreTranslateFrameMessage(MSG* pMsg)
{
    CZPMouseManager* pMouse = ZpMouseManagerIfExists();
    const BOOL bTracking = pMouse != NULL && pMouse->GetTrackedCount() > 0;
    if (pMsg->message == WM_SYSKEYDOWN && (pMsg->lParam & kAltContextBit) != 0 && !bTracking &&
        (pMouse == NULL || pMouse->GetModalCounter() <= 0) &&
        ::GetAncestor(m_hWndSite, GA_ROOTOWNER) == ::GetForegroundWindow()) {
        if (pMsg->wParam == VK_MENU) {
            SetKeyboardCuesShown(TRUE);
            return FALSE;
        }
        if (!(m_bShiftFilter && ::GetKeyState(VK_SHIFT) < 0) && OnMnemonicKey(static_cast<UINT>(pMsg->wParam)))
            return TRUE;
    }
    if ((pMsg->message == WM_SYSKEYUP || pMsg->message == WM_KEYUP) && m_bKeyboardCuesUsed && m_bKeyboardCuesShown &&
        !bTracking) {
        SetKeyboardCuesShown(FALSE);
        return FALSE;
    }
    // While a bar tracks, the keyboard manager's objects answer these instead of the frame.
    if ((pMsg->message == WM_CONTEXTMENU || pMsg->message == WM_SYSKEYUP) && bTracking) {
        if (CZPKeyboardManager* pKeyboard = ZpKeyboardManagerIfExists())
            pKeyboard->DispatchKey(WM_CONTEXTMENU, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    if (pMsg->message == WM_MOUSEWHEEL) {
        CZPKeyboardManager* pKeyboard = ZpKeyboardManagerIfExists();
        if (pKeyboard != NULL && pKeyboard->GetCount() > 0)
            return pKeyboard->DispatchKey(WM_MOUSEWHEEL, pMsg->wParam, pMsg->lParam);
    }
    if (pMsg->message >= WM_KEYDOWN && pMsg->message <= WM_SYSDEADCHAR)
        return m_pShortcutManager->TranslateShortcut(pMsg);
    return FALSE;
}

void CZPCommandBars::OnSetPreviewMode(BOOL bPreview)
{
    if (!bPreview == !m_bPreviewMode)
        return;
    m_bPreviewMode = bPreview;
    m_pShortcutManager->DisableShortcuts(bPreview);
}

CZPControlAction* CZPCommandBars::LookupAction(int nId) const
{
    return m_bEnableActions ? m_pActions->Add(nId) : NULL;
}

void CZPCommandBars::EndAllTracking()
{
    if (CZPMouseManager* pMouse = ZpMouseManagerIfExists())
        pMouse->CloseAll();
}

BOOL CZPCommandBars::IsCommandIdHidden(int nId) const
{
    BOOL bFlag = FALSE;
    return m_pOptions->m_mapHiddenCommands.Lookup(static_cast<UINT>(nId), bFlag) &&
           !m_pOptions->m_mapUsedCommands.Lookup(static_cast<UINT>(nId), bFlag);
}

namespace {
BOOL IsHiddenByUsageAt(const CZPCommandBars* pCommandBars, CZPControl* pControl, int nDepth)
{
    if (pCommandBars->IsCommandIdHidden(pControl->GetID()))
        return TRUE;
    if (!pCommandBars->GetCommandBarsOptions()->m_bAutoHideUnusedPopups || !ZpIsPopupKind(pControl->GetType()) ||
        nDepth >= kMaxUsageDepth)
        return FALSE;
    CZPCommandBar* pChild = pControl->GetCommandBar();
    const int nCount = pChild != NULL ? pChild->CountControls() : 0;
    if (nCount == 0)
        return FALSE;  // nothing inside to be hidden
    for (int i = 0; i < nCount; ++i) {
        if (!IsHiddenByUsageAt(pCommandBars, pChild->ControlAt(i), nDepth + 1))
            return FALSE;
    }
    return TRUE;
}
}  // namespace

BOOL CZPCommandBars::IsControlHiddenByUsage(CZPControl* pControl) const
{
    return pControl != NULL && IsHiddenByUsageAt(this, pControl, 0);
}

void CZPCommandBars::RecordUsedCommand(int nId)
{
    BOOL bFlag = FALSE;
    if (!m_pOptions->m_mapHiddenCommands.Lookup(static_cast<UINT>(nId), bFlag))
        return;
    m_pOptions->m_mapUsedCommands[static_cast<UINT>(nId)] = TRUE;
    m_pOptions->m_bDirty = TRUE;
}

void CZPCommandBars::ResetUsageData()
{
    m_pOptions->m_mapUsedCommands.RemoveAll();
    m_pOptions->m_bDirty = TRUE;
}

// Bars ------------------------------------------------------------------------------------------

CZPCommandBar* CZPCommandBars::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrBars[nIndex] : NULL;
}

int CZPCommandBars::IndexOf(const CZPCommandBar* pBar) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_arrBars[i] == pBar)
            return i;
    }
    return -1;
}

CZPCommandBar* CZPCommandBars::FindToolBar(UINT nId) const
{
    if (nId == 0)
        return NULL;
    for (int i = 0; i < GetCount(); ++i) {
        if (m_arrBars[i]->GetBarID() == nId)
            return m_arrBars[i];
    }
    return NULL;
}

void CZPCommandBars::AddBar(CZPCommandBar* pBar)
{
    if (pBar != NULL && IndexOf(pBar) == -1)
        m_arrBars.Add(pBar);
}

CZPToolBar* CZPCommandBars::CreateToolBar(LPCWSTR lpszTitle, int nPosition, CRuntimeClass* pClass)
{
    if (pClass == NULL)
        pClass = RUNTIME_CLASS(CZPToolBar);
    if (!pClass->IsDerivedFrom(RUNTIME_CLASS(CZPToolBar)))
        return NULL;
    CZPToolBar* pBar = static_cast<CZPToolBar*>(pClass->CreateObject());
    if (pBar == NULL)
        return NULL;
    pBar->SetCommandBars(this);
    pBar->SetTitle(lpszTitle != NULL ? lpszTitle : L"");
    if (!pBar->MoveToPosition(nPosition)) {
        pBar->InternalRelease();
        return NULL;
    }
    m_arrBars.Add(pBar);
    return pBar;
}

CZPToolBar* CZPCommandBars::CreateCustomToolBar(LPCWSTR lpszTitle, UINT nID, BOOL bTearOff)
{
    ZpCreateBarRequest request = {};
    request.bToolBar = TRUE;
    request.bTearOffBar = bTearOff;
    request.lpcstrCaption = lpszTitle;
    request.nID = nID;
    if (::IsWindow(m_hWndSite))
        ::SendMessageW(m_hWndSite, ZpMsgCreateBar, 0, reinterpret_cast<LPARAM>(&request));
    // The record carries the handler's reference; only a toolbar that is not listed yet is used.
    CRefPtr<CZPCommandBar> pOffered = CRefPtr<CZPCommandBar>::Adopt(request.pCommandBar);
    CZPToolBar* pBar = NULL;
    if (pOffered && pOffered->IsKindOf(RUNTIME_CLASS(CZPToolBar)) && IndexOf(pOffered.Get()) == -1)
        pBar = static_cast<CZPToolBar*>(pOffered.Detach());
    else
        pBar = new CZPToolBar;
    pBar->SetCommandBars(this);
    pBar->SetTitle(lpszTitle != NULL ? lpszTitle : L"");
    if (!pBar->MoveToPosition(bTearOff ? zpBarFloating : zpBarTop)) {
        if (pBar->GetSafeHwnd() != NULL)
            pBar->DestroyWindow();
        pBar->InternalRelease();
        return NULL;
    }
    m_arrBars.Add(pBar);
    pBar->SetBarID(nID);
    pBar->SetBuiltIn(FALSE);
    pBar->SetTornOff(bTearOff);
    if (!bTearOff)
        RelayoutSite(FALSE);
    return pBar;
}

void CZPCommandBars::Remove(CZPCommandBar* pBar)
{
    const int nIndex = IndexOf(pBar);
    if (nIndex == -1)
        return;
    if (pBar->GetSafeHwnd() != NULL)
        pBar->ShowWindow(SW_HIDE);
    CZPToolBar* pToolBar = DYNAMIC_DOWNCAST(CZPToolBar, pBar);
    if (pToolBar != NULL && pToolBar->GetDockBar() != NULL)
        pToolBar->GetDockBar()->RemoveBar(pToolBar, -1, TRUE);
    // Hidden without the site's notification: the bar is going, not being hidden by the user.
    if (pBar->GetSafeHwnd() != NULL)
        pBar->DestroyWindow();
    m_arrBars.RemoveAt(nIndex);
    pBar->InternalRelease();
}

void CZPCommandBars::RemoveAll()
{
    const BOOL bLock = m_bLayoutLock;
    m_bLayoutLock = TRUE;
    while (GetCount() > 0)
        Remove(m_arrBars[GetCount() - 1]);
    m_bLayoutLock = bLock;
    RelayoutSite(TRUE);
}

BOOL CZPCommandBars::DockCommandBar(CZPToolBar* pBar, const RECT* pRect, CZPDockBar* pDockBar)
{
    if (pBar == NULL || pDockBar == NULL || pDockBar->GetSafeHwnd() == NULL)
        return FALSE;
    if (!pBar->CreateBarWindow(pDockBar, FALSE))
        return FALSE;
    pDockBar->DockBar(pBar, pRect);
    pBar->SetPosition(pDockBar->GetPosition());
    return TRUE;
}

BOOL CZPCommandBars::DockCommandBar(CZPToolBar* pBar, int nPosition)
{
    return DockCommandBar(pBar, NULL, GetDockBar(nPosition));
}

BOOL CZPCommandBars::FloatCommandBar(CZPToolBar* pBar)
{
    if (pBar == NULL || !pBar->CreateBarWindow(GetSite(), TRUE))
        return FALSE;
    if (pBar->GetDockBar() != NULL)
        pBar->GetDockBar()->RemoveBar(pBar, -1, TRUE);
    pBar->SetPosition(zpBarFloating);
    return TRUE;
}

void CZPCommandBars::RelayoutSite(BOOL bDelay)
{
    CWnd* pSite = GetSite();
    if (m_bLayoutLock || pSite == NULL || !::IsWindow(pSite->GetSafeHwnd()))
        return;
    CWnd* pPermanent = CWnd::FromHandlePermanent(pSite->GetSafeHwnd());
    if (pPermanent != NULL && pPermanent->IsFrameWnd()) {
        CFrameWnd* pFrame = static_cast<CFrameWnd*>(pPermanent);
        if (bDelay)
            pFrame->m_nIdleFlags |= CFrameWnd::idleLayout;
        else
            pFrame->RecalcLayout(FALSE);
        return;
    }
    CRect rc;
    ::GetClientRect(pSite->GetSafeHwnd(), &rc);
    ::SendMessageW(pSite->GetSafeHwnd(), WM_SIZE, 0, MAKELPARAM(rc.Width(), rc.Height()));
}

void CZPCommandBars::RefreshAllBars()
{
    const BOOL bWasLocked = m_bLayoutLock;
    m_bLayoutLock = TRUE;
    for (int i = 0; i < GetCount(); ++i) {
        CZPCommandBar* pBar = GetAt(i);
        for (int n = 0; n < pBar->CountControls(); ++n)
            pBar->ControlAt(n)->OnThemeChanged();
        if (pBar->GetSafeHwnd() != NULL && pBar->IsWindowVisible())
            pBar->RecalcBarLayout();
    }
    CWnd* pSite = GetSite();
    const HWND hWndSite = pSite != NULL ? pSite->GetSafeHwnd() : NULL;
    if (hWndSite != NULL) {
        for (HWND hChild = ::GetWindow(hWndSite, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
            ::InvalidateRect(hChild, NULL, FALSE);
    }
    m_bLayoutLock = bWasLocked;
    RelayoutSite(FALSE);
    if (hWndSite != NULL && ::IsWindow(hWndSite)) {
        ::SetWindowPos(hWndSite, NULL, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        ::SendMessageW(hWndSite, WM_NCPAINT, 1, 0);  // 1: the whole frame
    }
}

void CZPCommandBars::FlushPendingLayout()
{
    CWnd* pSite = GetSite();
    CWnd* pPermanent = pSite != NULL ? CWnd::FromHandlePermanent(pSite->GetSafeHwnd()) : NULL;
    if (pPermanent == NULL || !pPermanent->IsFrameWnd())
        return;
    CFrameWnd* pFrame = static_cast<CFrameWnd*>(pPermanent);
    if ((pFrame->m_nIdleFlags & CFrameWnd::idleLayout) == 0)
        return;
    pFrame->m_nIdleFlags &= ~CFrameWnd::idleLayout;
    pFrame->RecalcLayout(FALSE);
}

BOOL CZPCommandBars::IsRightToLeft() const
{
    return m_hWndSite != NULL && (::GetWindowLongW(m_hWndSite, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

void CZPCommandBars::FillExpandPopup(CZPToolBar* pBar, CZPCommandBar* pPopup)
{
    if (pBar == NULL || pPopup == NULL || pBar->GetDockBar() == NULL)
        return;
    CZPDockBar* pDockBar = pBar->GetDockBar();
    CArray<CZPToolBar*, CZPToolBar*> arrRow;
    pDockBar->GetRowBars(pDockBar->FindBar(pBar), arrRow);
    for (int i = 0; i < arrRow.GetSize(); ++i)
        arrRow[i]->CopyHiddenForRoomTo(pPopup);
}

BOOL CZPCommandBars::IsCustomizeCommandPresent() const
{
    CWnd* pSite = m_hWndSite != NULL ? CWnd::FromHandlePermanent(m_hWndSite) : NULL;
    AFX_CMDHANDLERINFO info = {};
    return pSite != NULL && pSite->OnCmdMsg(ZP_ID_CUSTOMIZE, CN_COMMAND, NULL, &info);
}

void CZPCommandBars::FillAddRemovePopup(CZPToolBar* pBar, CZPCommandBar* pPopup)
{
    if (pBar == NULL || pPopup == NULL || pPopup->GetControls() == NULL)
        return;
    CArray<CZPToolBar*, CZPToolBar*> arrRow;
    if (CZPDockBar* pDockBar = pBar->GetDockBar())
        pDockBar->GetRowBars(pDockBar->FindBar(pBar), arrRow);
    if (arrRow.GetSize() == 0)
        arrRow.Add(pBar);
    const BOOL bCustomize = IsCustomizeCommandPresent();
    for (int i = 0; i < arrRow.GetSize(); ++i) {
        CZPToolBar* pRowBar = arrRow[i];
        CZPControl* pEntry = pPopup->GetControls()->Add(zpControlPopup, 0);
        if (pEntry == NULL)
            continue;
        CString strCaption = pRowBar->GetTitle();
        strCaption.Replace(L"&", L"&&");
        pEntry->SetCaption(strCaption);
        pEntry->SetFlags(pEntry->GetFlags() | zpFlagManualUpdate);
        const BOOL bEnabled = bCustomize && pRowBar->IsBuiltIn() && pRowBar->IsCustomizable();
        pEntry->SetEnabled(bEnabled);
        if (bEnabled)
            pRowBar->FillAddRemoveList(pEntry->GetCommandBar());
    }
    if (bCustomize) {
        if (CZPControl* pCustomize = pPopup->GetControls()->Add(zpControlButton, ZP_ID_CUSTOMIZE))
            pCustomize->SetBeginGroup(TRUE);
    }
}

void CZPCommandBars::HideAllToolBars(BOOL bHide)
{
    for (int i = 0; i < GetCount(); ++i) {
        if (CZPToolBar* pBar = DYNAMIC_DOWNCAST(CZPToolBar, m_arrBars[i]))
            pBar->SetHideAll(bHide);
    }
    RelayoutSite(FALSE);
}

void CZPCommandBars::ShowToolbarsContextMenu(CZPCommandBar*, CPoint) {}
