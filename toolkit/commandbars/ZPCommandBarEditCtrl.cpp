// The shared edit window of combo boxes and edit controls on bars.
#include "commandbars/ZPCommandBarEditCtrl.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPPaintManager.h"

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
    CHARFORMAT2W cf = {};
    if (!GetOwnerCharFormat(cf))
        return;
    cf.cbSize = ZpRichEditClass().bVersion2 ? ZP_CHARFORMAT2_SIZE : ZP_CHARFORMAT_SIZE;
    SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    SendMessage(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(cf.crBackColor));
}

BOOL CZPCommandBarEditCtrl::ShowContextMenu(CZPControl*, CPoint)
{
    return FALSE;
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
    return EditWindowProc(message, wParam, lParam);
}

LRESULT CZPCommandBarEditCtrl::EditWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_IME_STARTCOMPOSITION: {
        const LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        m_bComposing = TRUE;
        return lResult;
    }
    case WM_IME_ENDCOMPOSITION:
    case WM_KILLFOCUS: {
        const LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        m_bComposing = FALSE;
        return lResult;
    }
    case WM_PAINT: {
        const LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        OnPaintEdit();
        return lResult;
    }
    default:
        return CEdit::WindowProc(message, wParam, lParam);
    }
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
