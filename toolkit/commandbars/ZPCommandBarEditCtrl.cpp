// The shared edit window of combo boxes and edit controls on bars.
#include "commandbars/ZPCommandBarEditCtrl.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPPaintManager.h"

#include "commandbars/ZPControlComboBoxAutoCompleteWnd.h"
#include "common/ZPImageManager.h"
#include "common/ZPToolTipContext.h"
#include "common/ZPToolInfo.h"

#include <windowsx.h>

#include <vector>

namespace {

// Code page of UTF-16 in the rich edit's text messages.
const UINT kCodePageUnicode = 1200;

ZP_RICHEDIT_CLASS LoadRichEditClass()
{
    ZP_RICHEDIT_CLASS rc = { ::LoadLibraryW(L"RICHED20.DLL"), L"RichEdit20W", TRUE };
    if (rc.hModule == NULL) {
        rc.hModule = ::LoadLibraryW(L"RICHED32.DLL");
        rc.lpszClass = rc.hModule != NULL ? L"RICHEDIT" : L"EDIT";
        rc.bVersion2 = FALSE;
    }
    return rc;
}

BOOL IsCtrlDown()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

}  // namespace

const ZP_RICHEDIT_CLASS& ZpRichEditClass()
{
    // Loaded once for the process and deliberately never freed: windows of its class may live
    // until the very end.
    static const ZP_RICHEDIT_CLASS s_class = LoadRichEditClass();
    return s_class;
}

IMPLEMENT_DYNAMIC(CZPCommandBarEditCtrl, CEdit)

CZPCommandBarEditCtrl::CZPCommandBarEditCtrl()
    : m_bComposing(FALSE), m_bOpaqueBackground(FALSE), m_bQuietSet(FALSE), m_nDispatchDepth(0), m_bDeletePending(FALSE)
{}

CZPCommandBarEditCtrl::CDispatchGuard::~CDispatchGuard()
{
    if (--m_pEdit->m_nDispatchDepth == 0 && m_pEdit->m_bDeletePending)
        delete m_pEdit;
}

void CZPCommandBarEditCtrl::DestroyAndDelete()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    if (m_nDispatchDepth > 0)
        m_bDeletePending = TRUE;
    else
        delete this;
}

BOOL CZPCommandBarEditCtrl::CreateEditWindow(DWORD dwStyle, CWnd* pParentWnd)
{
    const ZP_RICHEDIT_CLASS& rich = ZpRichEditClass();
    if (!CWnd::CreateEx(0, rich.lpszClass, L"", dwStyle, CRect(0, 0, 0, 0), pParentWnd, 0))
        return FALSE;
    m_bFormatApplied = FALSE;
    if (rich.hModule != NULL) {
        SendMessage(EM_SETEVENTMASK, 0, ENM_CHANGE);
        SendMessage(EM_SETTEXTMODE, TM_PLAINTEXT | TM_SINGLELEVELUNDO);
    }
    return TRUE;
}

void CZPCommandBarEditCtrl::SetEditTextQuiet(LPCWSTR lpszText)
{
    m_bQuietSet = TRUE;
    SetWindowText(L"");
    m_bQuietSet = FALSE;
    SetWindowText(lpszText);
}

void CZPCommandBarEditCtrl::GetEditWindowText(CString& strText) const
{
    strText.Empty();
    if (m_hWnd == NULL)
        return;
    if (!ZpRichEditClass().bVersion2 || ZpRichEditClass().hModule == NULL) {
        GetWindowText(strText);
        return;
    }
    GETTEXTLENGTHEX gtl = { GTL_DEFAULT, kCodePageUnicode };
    const LRESULT nLength = ::SendMessageW(m_hWnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gtl), 0);
    if (nLength <= 0)
        return;
    std::vector<WCHAR> buffer(static_cast<size_t>(nLength) + 1, L'\0');
    GETTEXTEX gt = {};
    gt.cb = static_cast<DWORD>(buffer.size() * sizeof(WCHAR));  // bytes, not characters
    gt.flags = GT_DEFAULT;
    gt.codepage = kCodePageUnicode;
    ::SendMessageW(m_hWnd, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&gt), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.back() = L'\0';
    strText = buffer.data();  // cut at the first NUL
}

BOOL CZPCommandBarEditCtrl::IsEditCommandEnabled(UINT nId) const
{
    if (m_hWnd == NULL)
        return FALSE;
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    const BOOL bSelection = nStart != nEnd;
    const DWORD dwStyle = GetStyle();
    const BOOL bWritable = (dwStyle & ES_READONLY) == 0 && (dwStyle & WS_DISABLED) == 0;
    switch (nId) {
    case ZP_ID_EDIT_COPY:
        return bSelection;
    case ZP_ID_EDIT_CUT:
        return bSelection && bWritable;
    case ZP_ID_EDIT_PASTE:
        return bWritable && ::IsClipboardFormatAvailable(CF_TEXT);
    default:
        return TRUE;
    }
}

BOOL CZPCommandBarEditCtrl::ProcessEditKey(UINT nChar, LPARAM lParam)
{
    const BOOL bNavigation = nChar >= VK_PRIOR && nChar <= VK_DELETE;
    const BOOL bClipboard = IsCtrlDown() && (nChar == 'C' || nChar == 'V' || nChar == 'X' || nChar == 'Z');
    if (m_hWnd == NULL || !(nChar == VK_BACK || bNavigation || bClipboard))
        return FALSE;
    MSG msg = { m_hWnd, WM_KEYDOWN, nChar, lParam, 0, { 0, 0 } };
    return ::IsDialogMessageW(m_hWnd, &msg);
}

void CZPCommandBarEditCtrl::UpdateCharFormat()
{
    if (m_hWnd == NULL)
        return;
    CZPBarEditOwner* pOwner = GetEditOwner();
    if (pOwner == NULL)
        return;
    CHARFORMAT2W cf = {};
    pOwner->GetRichEditCharFormat(cf);
    // The rich edit lays its text out again for every format: only a change is sent.
    if (m_bFormatApplied && cf.crTextColor == m_clrAppliedText && cf.crBackColor == m_clrAppliedBack)
        return;
    m_bFormatApplied = TRUE;
    m_clrAppliedText = cf.crTextColor;
    m_clrAppliedBack = cf.crBackColor;
    cf.cbSize = ZpRichEditClass().bVersion2 ? ZP_CHARFORMAT2_SIZE : ZP_CHARFORMAT_SIZE;
    SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    SendMessage(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(cf.crBackColor));
}

BOOL CZPCommandBarEditCtrl::ShowContextMenu(CZPControl* pOwner, CPoint point)
{
    CString strCut;
    if (pOwner == NULL || m_hWnd == NULL || !strCut.LoadString(ZP_ID_EDIT_CUT))
        return FALSE;
    // Held: the nested loop may let the site remove the control (and this window with it).
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(pOwner);
    CZPCommandBar* pBar = pOwner->GetParent();
    CRefPtr<CZPCommandBar> holdBar = CRefPtr<CZPCommandBar>::AddRef(pBar);
    const HWND hWndEdit = m_hWnd;
    CDispatchGuard guard(this);
    ClientToScreen(&point);
    // The select-all posted on focus is applied now, so the enabled states match what is shown.
    MSG msg;
    if (::PeekMessageW(&msg, hWndEdit, EM_SETSEL, EM_SETSEL, PM_REMOVE | PM_NOYIELD))
        SendMessage(EM_SETSEL, 0, -1);

    CRefPtr<CZPPopupBar> popup =
        CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(pBar != NULL ? pBar->GetCommandBars() : NULL));
    popup->SetKeyboardCaret(FALSE);
    const UINT kCommands[] = { ZP_ID_EDIT_CUT, ZP_ID_EDIT_COPY, ZP_ID_EDIT_PASTE };
    for (UINT nId : kCommands) {
        if (CZPControl* pItem = popup->GetControls()->Add(zpControlButton, static_cast<int>(nId)))
            pItem->SetEnabled(IsEditCommandEnabled(nId));
    }
    UINT nFlags = TPM_RECURSE | TPM_NONOTIFY | TPM_RETURNCMD;
    const HWND hWndBar = pBar != NULL ? pBar->GetSafeHwnd() : NULL;
    if (hWndBar != NULL && (::GetWindowLongW(hWndBar, GWL_EXSTYLE) & (WS_EX_LAYOUTRTL | WS_EX_RIGHT)) != 0)
        nFlags |= TPM_RIGHTALIGN;

    // The menu's own loop must see outside clicks: the edit's raised counter is lowered meanwhile,
    // and raised again only while the edit still holds it (a removed control lowered its own).
    CZPMouseManager* pMouse = ZpMouseManager();
    const BOOL bLowered = pMouse->GetModalCounter() > 0;
    if (bLowered)
        pMouse->LeaveModalLoop();
    popup->SetOwnerWindow(hWndEdit);
    const int nCommand = ZpTrackPopupBar(popup.Get(), nFlags, point.x, point.y, this, NULL, this);
    if (bLowered && m_hWnd == hWndEdit && GetEditOwner() != NULL)
        pMouse->EnterModalLoop();
    popup.Release();

    if (nCommand > 0 && ::IsWindow(hWndEdit) && m_hWnd == hWndEdit)
        OnCommand(static_cast<WPARAM>(nCommand), 0);
    if (pBar != NULL && pBar->GetSafeHwnd() != NULL) {
        pBar->RepaintArea(NULL, TRUE);
        pBar->UpdateWindow();
    }
    return TRUE;
}

BOOL CZPCommandBarEditCtrl::OnCommand(WPARAM wParam, LPARAM)
{
    switch (LOWORD(wParam)) {
    case ZP_ID_EDIT_COPY:
        SendMessage(WM_COPY);
        return TRUE;
    case ZP_ID_EDIT_CUT:
        SendMessage(WM_CUT);
        return TRUE;
    case ZP_ID_EDIT_PASTE:
        SendMessage(WM_PASTE);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CZPCommandBarEditCtrl::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    const BOOL bEditCommand = nID == ZP_ID_EDIT_COPY || nID == ZP_ID_EDIT_CUT || nID == ZP_ID_EDIT_PASTE;
    if (nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) && bEditCommand && pExtra != NULL) {
        static_cast<CCmdUI*>(pExtra)->Enable(IsEditCommandEnabled(nID));
        return TRUE;
    }
    return CEdit::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT CZPCommandBarEditCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CDispatchGuard guard(this);
    RelayToBarToolTips(message, wParam, lParam);
    return EditWindowProc(message, wParam, lParam);
}

void CZPCommandBarEditCtrl::RelayToBarToolTips(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The owning control's bar shows the control's tip while the mouse is over this window.
    CZPBarEditOwner* pOwner = GetEditOwner();
    CZPControl* pControl = pOwner != NULL ? pOwner->GetOwnerControl() : NULL;
    CZPCommandBar* pBar = pControl != NULL ? pControl->GetParent() : NULL;
    CZPCommandBars* pCommandBars = pBar != NULL && pBar->GetSafeHwnd() != NULL ? pBar->FindCommandBars() : NULL;
    if (pCommandBars != NULL && pCommandBars->GetToolTipContext() != NULL)
        pCommandBars->GetToolTipContext()->RelayOwnerMessage(pBar, message, wParam, lParam);
}

LRESULT CZPCommandBarEditCtrl::EditWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CZPBarEditOwner* pOwner = GetEditOwner();
    CZPControl* pControl = pOwner != NULL ? pOwner->GetOwnerControl() : NULL;
    const BOOL bCustomize = pControl != NULL && pControl->IsCustomizeMode();
    // Held: a handler below may make the site remove the control.
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(pControl);
    LRESULT lResult = 0;
    switch (message) {
    case ZP_TTM_ISCHILDOFTOOL:
        return 1;
    case WM_CONTEXTMENU:
        return 0;
    case WM_IME_STARTCOMPOSITION:
        lResult = CEdit::WindowProc(message, wParam, lParam);
        m_bComposing = TRUE;
        return lResult;
    case WM_IME_ENDCOMPOSITION:
        lResult = CEdit::WindowProc(message, wParam, lParam);
        m_bComposing = FALSE;
        return lResult;
    case WM_KILLFOCUS:
        lResult = CEdit::WindowProc(message, wParam, lParam);
        m_bComposing = FALSE;
        if ((pOwner = GetEditOwner()) != NULL)
            pOwner->OnKillFocus();
        return lResult;
    case WM_PAINT:
        lResult = CEdit::WindowProc(message, wParam, lParam);
        OnPaintEdit();
        return lResult;
    case WM_SETFOCUS:
        if (pOwner == NULL || bCustomize)
            break;
        OnEditSetFocus(pOwner, wParam, lParam, lResult);
        return lResult;
    case WM_DESTROY:
        if (pOwner != NULL) {
            GetEditWindowText(pOwner->GetTextCache().strText);
            pOwner->GetTextCache().bStale = FALSE;
        }
        break;
    case WM_LBUTTONDOWN:
        if (!bCustomize)
            break;
        if (pControl->IsCustomizeMovable())
            pControl->OnClick(FALSE, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        return 0;
    case WM_RBUTTONDOWN:
        if (pOwner == NULL || bCustomize)
            break;
        pOwner->OnEditRButtonDown();
        pControl->SetFocused(TRUE);
        if (m_hWnd != NULL && !ShowContextMenu(pControl, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))))
            break;
        return 0;
    case WM_MOUSEMOVE:
        lResult = CEdit::WindowProc(message, wParam, lParam);
        OnOwnerMouseMove(pControl, wParam, lParam);
        return lResult;
    case WM_KEYDOWN:
        if (wParam != VK_RETURN || pControl == NULL || ::GetFocus() != m_hWnd)
            break;
        pControl->Execute();
        return 0;
    default:
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

void CZPCommandBarEditCtrl::OnEditSetFocus(CZPBarEditOwner* pOwner, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    pOwner->OnSetFocus(reinterpret_cast<HWND>(wParam));
    lResult = CEdit::WindowProc(WM_SETFOCUS, wParam, lParam);
    if (m_hWnd == NULL)
        return;
    // The whole text ends selected once the focus change has settled.
    SendMessage(EM_SETSEL, 0, 0);
    SendMessage(EM_SCROLLCARET);
    PostMessage(EM_SETSEL, 0, -1);
}

void CZPCommandBarEditCtrl::OnOwnerMouseMove(CZPControl* pControl, WPARAM wParam, LPARAM lParam)
{
    CZPCommandBar* pBar = pControl != NULL ? pControl->GetParent() : NULL;
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL || m_hWnd == NULL)
        return;
    CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    ::MapWindowPoints(m_hWnd, pBar->GetSafeHwnd(), &pt, 1);
    pBar->HandleMouseMove(static_cast<UINT>(wParam), pt);
}

BOOL CZPCommandBarEditCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_COMMAND || HIWORD(wParam) != EN_CHANGE)
        return CEdit::OnChildNotify(message, wParam, lParam, pResult);
    CDispatchGuard guard(this);
    if (CZPBarEditOwner* pOwner = GetEditOwner()) {
        CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(pOwner->GetOwnerControl());
        pOwner->GetTextCache().bStale = TRUE;
        if (::GetFocus() == m_hWnd && !m_bQuietSet && !pOwner->IsWritingText())
            pOwner->OnEditChanged();
    }
    if (GetEditOwner() != NULL && m_hWnd != NULL) {
        SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
        UpdateCharFormat();
    }
    if (pResult != NULL)
        *pResult = 0;
    return TRUE;
}

void CZPCommandBarEditCtrl::OnPaintEdit()
{
    if (!m_bOpaqueBackground)
        return;
    CRect rc;
    GetClientRect(&rc);
    CClientDC dc(this);
    ZpFillAlphaOpaque(&dc, rc);
}

void ZpFillEditCharFormat(CZPControl* pControl, BOOL bGrey, CHARFORMAT2W& cf)
{
    CZPPaintManager* pPaintManager = pControl->GetPaintManager();
    ZeroMemory(&cf, sizeof(cf));
    cf.cbSize = ZP_CHARFORMAT2_SIZE;
    cf.dwMask = CFM_COLOR | CFM_BACKCOLOR;
    const int nColor = bGrey ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT;
    cf.crTextColor = pPaintManager != NULL ? pPaintManager->GetColor(nColor) : ::GetSysColor(nColor);
    cf.crBackColor = pPaintManager != NULL ? pPaintManager->GetEditBackColor(pControl) : ::GetSysColor(COLOR_WINDOW);
}

void CZPBarEditOwner::SetOwnerHideFlags(DWORD dwFlags)
{
    CZPControl* pControl = GetOwnerControl();
    if (dwFlags == pControl->GetHideFlags())
        return;
    pControl->CZPControl::SetHideFlags(dwFlags);
    CZPCommandBarEditCtrl* pEdit = GetOwnerEdit();
    ZpUpdateEditVisibility(pControl, pEdit != NULL ? pEdit->GetSafeHwnd() : NULL);
    pControl->DelayLayout();
}

void CZPBarEditOwner::OnOwnerBeforeLayout(UINT nLayoutMode)
{
    CZPControl* pControl = GetOwnerControl();
    pControl->SetHideFlags(ZpDockingHideFlags(pControl->GetHideFlags(), nLayoutMode));
}

void CZPBarEditOwner::SetOwnerEnabled(int nEnabled)
{
    CZPControl* pControl = GetOwnerControl();
    pControl->CZPControl::SetEnabled(nEnabled);
    CZPCommandBarEditCtrl* pEdit = GetOwnerEdit();
    if (pEdit != NULL && pEdit->GetSafeHwnd() != NULL) {
        pEdit->EnableWindow(pControl->GetEnabled());
        pEdit->UpdateCharFormat();
    }
}

void ZpUpdateEditVisibility(CZPControl* pControl, HWND hWndEdit)
{
    if (hWndEdit == NULL)
        return;
    CZPCommandBar* pParent = pControl->GetParent();
    const BOOL bShow =
        pControl->GetControls() != NULL && pParent != NULL && pControl->IsVisible(0) && pParent->GetSafeHwnd() != NULL;
    ::SetWindowPos(hWndEdit, NULL, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

CString ZP_EDIT_TEXT_CACHE::Get(const CZPCommandBarEditCtrl* pEdit)
{
    if (bStale && pEdit != NULL && pEdit->GetSafeHwnd() != NULL) {
        pEdit->GetEditWindowText(strText);
        bStale = FALSE;
    }
    return strText;
}

void ZP_EDIT_TEXT_CACHE::Set(CZPCommandBarEditCtrl* pEdit, const CString& strNew)
{
    if (pEdit != NULL && pEdit->GetSafeHwnd() != NULL) {
        CString strCurrent;
        pEdit->GetEditWindowText(strCurrent);
        if (strCurrent != strNew)
            pEdit->SetEditTextQuiet(strNew);
    }
    strText = strNew;
    bStale = FALSE;
}

BOOL ZpIsEditCaptionVisible(const CZPControl* pControl, BOOL bLabel)
{
    if (pControl->GetParent() != NULL && pControl->GetParent()->GetType() == zpBarTypePopup)
        return TRUE;
    if (pControl->GetCaption().IsEmpty())
        return FALSE;
    const int nStyle = pControl->GetStyle();
    if (nStyle == zpButtonCaption || nStyle == zpButtonIconAndCaption || nStyle == zpButtonIconAndCaptionBelow)
        return TRUE;
    return bLabel;
}

DWORD ZpDockingHideFlags(DWORD dwHideFlags, UINT nLayoutMode)
{
    const UINT kLayoutVertDock = 0x10;
    return (nLayoutMode & kLayoutVertDock) != 0 ? (dwHideFlags | zpHideDockingPosition)
                                                : (dwHideFlags & ~zpHideDockingPosition);
}

void ZpAdjustEditIconRect(CZPControl* pControl, int nIconId, CRect& rc)
{
    const int kIconGap = 2;
    if (nIconId <= 0)
        return;
    CZPImageManager* pImageManager = pControl->GetImageManager();
    CZPImageManagerIcon* pIcon = pImageManager != NULL ? pImageManager->GetImage(static_cast<UINT>(nIconId), 0) : NULL;
    if (pIcon != NULL)
        rc.left += pIcon->GetWidth() + kIconGap;
}

void ZpSetupShellAutoComplete(CZPControlComboBoxAutoCompleteWnd*& rpWatcher, HWND hWndEdit, DWORD dwFlags)
{
    delete rpWatcher;
    rpWatcher = NULL;
    if (hWndEdit == NULL || dwFlags == 0)
        return;
    rpWatcher = new CZPControlComboBoxAutoCompleteWnd;
    if (FAILED(rpWatcher->SetupShellAutoComplete(hWndEdit, dwFlags))) {
        delete rpWatcher;
        rpWatcher = NULL;
    }
}
