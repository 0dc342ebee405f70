// Dialogs, data exchange, property sheets and the common dialogs.
#include <framework/app.h>
#include <framework/dialog.h>
#include <framework/thread.h>

#include <wchar.h>

IMPLEMENT_DYNAMIC(CDialog, CWnd)
IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)
IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// ---- CDialog ----

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog()
    : m_lpszTemplateName(NULL), m_lpDialogTemplate(NULL), m_hDialogTemplate(NULL), m_pParentWnd(NULL), m_hWndTop(NULL)
{
}

CDialog::CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd) : CDialog()
{
    m_lpszTemplateName = lpszTemplateName;
    m_pParentWnd = pParentWnd;
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(MAKEINTRESOURCEW(nIDTemplate), pParentWnd)
{
}

namespace {

LPCDLGTEMPLATEW LoadDialogTemplate(HINSTANCE hInst, LPCWSTR lpszTemplateName)
{
    HRSRC hResource = ::FindResourceW(hInst, lpszTemplateName, MAKEINTRESOURCEW(5));   // RT_DIALOG
    HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
    return hTemplate != NULL ? static_cast<LPCDLGTEMPLATEW>(::LockResource(hTemplate)) : NULL;
}

}  // namespace

BOOL CDialog::Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    HINSTANCE hInst = AfxGetResourceHandle();
    LPCDLGTEMPLATEW lpTemplate = LoadDialogTemplate(hInst, lpszTemplateName);
    if (lpTemplate == NULL)
        return FALSE;
    return CreateIndirect(lpTemplate, pParentWnd, hInst);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (pParentWnd == NULL)
        pParentWnd = AfxGetMainWnd();   // a modeless dialog without parent is owned by the main window
    m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd, hInst);
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    LPCDLGTEMPLATEW lpTemplate = static_cast<LPCDLGTEMPLATEW>(::GlobalLock(hDialogTemplate));
    if (lpTemplate == NULL)
        return FALSE;
    BOOL bResult = CreateIndirect(lpTemplate, pParentWnd, hInst);
    ::GlobalUnlock(hDialogTemplate);
    return bResult;
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (lpDialogTemplate == NULL || m_hWnd != NULL)
        return FALSE;
    if (hInst == NULL)
        hInst = AfxGetResourceHandle();
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamW(hInst, lpDialogTemplate, GetSafeHwnd(pParentWnd), AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    return hWnd != NULL;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpszTemplateName = NULL;
    m_pParentWnd = pParentWnd;
    return lpDialogTemplate != NULL;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    m_hDialogTemplate = hDialogTemplate;
    m_lpszTemplateName = NULL;
    m_pParentWnd = pParentWnd;
    return hDialogTemplate != NULL;
}

HWND CDialog::PreModal()
{
    CWnd* pParent = m_pParentWnd != NULL ? m_pParentWnd : AfxGetMainWnd();
    HWND hWndParent = GetSafeHwnd(pParent);
    if (hWndParent != NULL && (::GetWindowLongPtrW(hWndParent, GWL_STYLE) & WS_CHILD) != 0)
        hWndParent = ::GetAncestor(hWndParent, GA_ROOT);
    m_hWndTop = hWndParent;
    return hWndParent;
}

void CDialog::PostModal()
{
    m_hWndTop = NULL;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = AfxGetResourceHandle();
    LPCDLGTEMPLATEW lpTemplate = m_lpDialogTemplate;
    if (m_lpszTemplateName != NULL)
        lpTemplate = LoadDialogTemplate(hInst, m_lpszTemplateName);
    else if (m_hDialogTemplate != NULL)
        lpTemplate = static_cast<LPCDLGTEMPLATEW>(::GlobalLock(m_hDialogTemplate));
    if (lpTemplate == NULL)
        return -1;

    HWND hWndParent = PreModal();
    BOOL bEnableParent = FALSE;
    if (hWndParent != NULL && ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (CreateDlgIndirect(lpTemplate, CWnd::FromHandle(hWndParent), hInst)) {
        if ((m_nFlags & WF_CONTINUEMODAL) != 0) {
            DWORD dwFlags = MLF_SHOWONIDLE;
            if ((GetStyle() & DS_NOIDLEMSG) != 0)
                dwFlags |= MLF_NOIDLEMSG;
            RunModalLoop(dwFlags);
        }
        if (m_hWnd != NULL)
            ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_nFlags &= ~WF_CONTINUEMODAL;
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent != NULL && m_hWnd != NULL && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    DestroyWindow();
    PostModal();
    if (m_hDialogTemplate != NULL && m_lpszTemplateName == NULL)
        ::GlobalUnlock(m_hDialogTemplate);
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if ((m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) != 0)
        EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
        return TRUE;
    } catch (CException* e) {
        // The user was told already when the exchange failed validation.
        if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
            e->ReportError(MB_ICONEXCLAMATION);
        e->Delete();
        return FALSE;
    }
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // Only keyboard and mouse input, and only for this dialog and its controls.
    BOOL bInput = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
                  (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
    if (!bInput || m_hWnd == NULL || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)))
        return FALSE;
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Only commands in the command range go on: control notifications stay with the dialog.
    if ((nCode != CN_COMMAND && nCode != static_cast<int>(CN_UPDATE_COMMAND_UI)) || nID < 0x8000 || nID > 0xDFFF)
        return FALSE;
    HWND hWndOwner = ::GetParent(m_hWnd);
    CWnd* pOwner = FromHandlePermanent(hWndOwner);
    if (pOwner != NULL && pOwner->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- data exchange ----

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_idLastControl(0), m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl == NULL)
        AfxThrowNotSupportedException();
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_idLastControl != 0) {
        HWND hWndLastControl = ::GetDlgItem(m_pDlgWnd->m_hWnd, m_idLastControl);
        if (hWndLastControl != NULL) {
            ::SetFocus(hWndLastControl);
            if (m_bEditLastControl)
                ::SendMessageW(hWndLastControl, EM_SETSEL, 0, -1);
        }
    }
    AfxThrowUserException();
}

namespace {

CString GetText(HWND hWnd)
{
    CString str;
    int nLen = ::GetWindowTextLengthW(hWnd);
    ::GetWindowTextW(hWnd, str.GetBufferSetLength(nLen), nLen + 1);
    str.ReleaseBuffer();
    return str;
}

// A whole number with optional surrounding blanks; FALSE for anything else or an overflow.
BOOL ParseLong(const CString& strText, long long llMin, long long llMax, long long& llValue)
{
    LPCWSTR psz = strText;
    while (*psz == L' ' || *psz == L'\t')
        ++psz;
    if (*psz == L'\0')
        return FALSE;
    WCHAR* pEnd = NULL;
    errno = 0;
    long long ll = wcstoll(psz, &pEnd, 10);
    if (errno != 0 || pEnd == psz)
        return FALSE;
    while (*pEnd == L' ' || *pEnd == L'\t')
        ++pEnd;
    if (*pEnd != L'\0' || ll < llMin || ll > llMax)
        return FALSE;
    llValue = ll;
    return TRUE;
}

// A whole number in an edit control; out of range or not a number: the prompt, then Fail().
template <typename T>
void ExchangeWholeNumber(CDataExchange* pDX, int nIDC, T& value, long long llMin, long long llMax, LPCWSTR lpszPrompt)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        CString str;
        str.Format(L"%lld", static_cast<long long>(value));
        ::SetWindowTextW(hWndCtrl, str);
        return;
    }
    long long ll = 0;
    if (!ParseLong(GetText(hWndCtrl), llMin, llMax, ll)) {
        AfxMessageBox(lpszPrompt, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    value = static_cast<T>(ll);
}

// The first radio button of a group and the ones after it up to the next group.
template <typename F>
void ForEachRadioInGroup(HWND hWndFirst, F f)
{
    int nIndex = 0;
    HWND hWnd = hWndFirst;
    do {
        if ((::SendMessageW(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0)
            f(hWnd, nIndex++);
        hWnd = ::GetWindow(hWnd, GW_HWNDNEXT);
    } while (hWnd != NULL && (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_GROUP) == 0);
}

}  // namespace

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != NULL)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowNotSupportedException();
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = GetText(hWndCtrl);
    else
        ::SetWindowTextW(hWndCtrl, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeWholeNumber(pDX, nIDC, value, INT_MIN, INT_MAX, L"Please enter an integer.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeWholeNumber(pDX, nIDC, value, 0, UINT_MAX, L"Please enter a positive integer.");
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0));
    } else {
        if (value < 0 || value > 2)
            value = 0;   // an unknown state shows unchecked
        ::SendMessageW(hWndCtrl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = -1;
        ForEachRadioInGroup(hWndCtrl, [&value](HWND hWnd, int nIndex) {
            if (value == -1 && ::SendMessageW(hWnd, BM_GETCHECK, 0, 0) != 0)
                value = nIndex;
        });
    } else {
        ForEachRadioInGroup(hWndCtrl, [value](HWND hWnd, int nIndex) {
            ::SendMessageW(hWnd, BM_SETCHECK, nIndex == value, 0);
        });
    }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageW(hWndCtrl, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageW(hWndCtrl, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageW(hWndCtrl, LB_GETCURSEL, 0, 0));
    else
        ::SendMessageW(hWndCtrl, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate && value.GetLength() > nChars) {
        CString strPrompt;
        strPrompt.Format(L"Please enter no more than %d characters.", nChars);
        AfxMessageBox(strPrompt, MB_ICONEXCLAMATION);
        pDX->Fail();
    } else if (!pDX->m_bSaveAndValidate && pDX->m_idLastControl != 0 && pDX->m_bEditLastControl) {
        ::SendDlgItemMessageW(pDX->m_pDlgWnd->m_hWnd, pDX->m_idLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString strPrompt;
    strPrompt.Format(L"Please enter an integer between %d and %d.", minVal, maxVal);
    AfxMessageBox(strPrompt, MB_ICONEXCLAMATION);
    pDX->Fail();
}

// ---- property pages ----

CPropertyPage::CPropertyPage() : m_psp(), m_pSheet(NULL)
{
    m_psp.dwSize = sizeof(m_psp);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage()
{
    m_lpszTemplateName = MAKEINTRESOURCEW(nIDTemplate);
    if (nIDCaption != 0)
        m_strCaption.LoadString(nIDCaption);
}

INT_PTR CALLBACK CPropertyPage::PropPageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG || CWnd::FromHandlePermanent(hWnd) != NULL)
        return FALSE;
    CPropertyPage* pPage = reinterpret_cast<CPropertyPage*>(reinterpret_cast<LPPROPSHEETPAGEW>(lParam)->lParam);
    if (pPage == NULL || !pPage->SubclassWindow(hWnd))
        return FALSE;
    return static_cast<INT_PTR>(AfxCallWndProc(pPage, hWnd, message, wParam, lParam));
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    if (m_pSheet == NULL)
        return CDialog::PreTranslateMessage(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_hWnd != NULL)
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

void CPropertyPage::OnOK()
{
}

void CPropertyPage::OnCancel()
{
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    HWND hWndSheet = ::GetParent(m_hWnd);
    if (hWndSheet != NULL)
        ::SendMessageW(hWndSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);
    // The sheet's page protocol: results go back through DWLP_MSGRESULT.
    LRESULT lResult = 0;
    switch (pNMHDR->code) {
    case PSN_SETACTIVE:
        lResult = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        lResult = !OnKillActive();
        break;
    case PSN_APPLY:
        lResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        break;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
    ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, lResult);
    *pResult = lResult;
    return TRUE;
}

// ---- property sheets ----

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet() : m_psh(), m_pParentWnd(NULL), m_bModeless(FALSE)
{
    CommonConstruct(NULL, 0);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_psh(), m_pParentWnd(NULL), m_bModeless(FALSE)
{
    m_strCaption.LoadString(nIDCaption);
    CommonConstruct(pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCWSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_psh(), m_strCaption(pszCaption), m_pParentWnd(NULL), m_bModeless(FALSE)
{
    CommonConstruct(pParentWnd, iSelectPage);
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    m_pages.push_back(pPage);
    pPage->m_pSheet = this;
    if (m_hWnd != NULL) {
        BuildPropPageArray();
        HPROPSHEETPAGE hPage = ::CreatePropertySheetPageW(&m_psp.back());
        if (hPage != NULL)
            ::SendMessageW(m_hWnd, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(hPage));
    }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    int nPage = GetPageIndex(pPage);
    if (nPage < 0)
        return;
    if (m_hWnd != NULL)
        ::SendMessageW(m_hWnd, PSM_REMOVEPAGE, static_cast<WPARAM>(nPage), 0);
    m_pages.erase(m_pages.begin() + nPage);
    pPage->m_pSheet = NULL;
}

int CPropertySheet::GetPageCount() const
{
    if (m_hWnd == NULL)
        return static_cast<int>(m_pages.size());
    CTabCtrl* pTab = GetTabControl();
    return pTab != NULL ? pTab->GetItemCount() : static_cast<int>(m_pages.size());
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < static_cast<int>(m_pages.size()) ? m_pages[static_cast<size_t>(nPage)] : NULL;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    for (size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i] == pPage)
            return static_cast<int>(i);
    }
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == NULL)
        return static_cast<int>(m_psh.nStartPage);
    HWND hWndPage = reinterpret_cast<HWND>(::SendMessageW(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    for (size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i]->m_hWnd == hWndPage)
            return static_cast<int>(i);
    }
    CTabCtrl* pTab = GetTabControl();
    return pTab != NULL ? pTab->GetCurSel() : -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (m_hWnd == NULL) {
        m_psh.nStartPage = static_cast<UINT>(nPage);
        return TRUE;
    }
    return static_cast<BOOL>(::SendMessageW(m_hWnd, PSM_SETCURSEL, static_cast<WPARAM>(nPage), 0));
}

CTabCtrl* CPropertySheet::GetTabControl() const
{
    HWND hWndTab = reinterpret_cast<HWND>(::SendMessageW(m_hWnd, PSM_GETTABCONTROL, 0, 0));
    return static_cast<CTabCtrl*>(FromHandle(hWndTab));
}

void CPropertySheet::SetTitle(LPCWSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText;
    m_psh.dwFlags = (m_psh.dwFlags & ~static_cast<DWORD>(PSH_PROPTITLE)) | (nStyle & PSH_PROPTITLE);
    if (m_hWnd != NULL)
        ::SendMessageW(m_hWnd, PSM_SETTITLEW, nStyle, reinterpret_cast<LPARAM>(lpszText));
}

void CPropertySheet::BuildPropPageArray()
{
    m_psp.clear();
    for (CPropertyPage* pPage : m_pages) {
        PROPSHEETPAGEW psp = pPage->m_psp;
        psp.dwSize = sizeof(psp);
        psp.hInstance = AfxGetResourceHandle();
        if (pPage->m_lpDialogTemplate != NULL) {
            psp.dwFlags |= PSP_DLGINDIRECT;
            psp.pResource = pPage->m_lpDialogTemplate;
        } else {
            psp.pszTemplate = pPage->m_lpszTemplateName;
        }
        if (!pPage->m_strCaption.IsEmpty()) {
            psp.dwFlags |= PSP_USETITLE;
            psp.pszTitle = pPage->m_strCaption;
        }
        psp.pfnDlgProc = CPropertyPage::PropPageDlgProc;
        psp.lParam = reinterpret_cast<LPARAM>(pPage);
        m_psp.push_back(psp);
    }
}

BOOL CPropertySheet::Create(CWnd* pParentWnd)
{
    if (m_hWnd != NULL || m_pages.empty())
        return FALSE;
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES };
    ::InitCommonControlsEx(&icc);
    if (pParentWnd != NULL)
        m_pParentWnd = pParentWnd;
    BuildPropPageArray();
    m_psh.dwFlags |= PSH_MODELESS | PSH_PROPSHEETPAGE;
    m_psh.hwndParent = GetSafeHwnd(m_pParentWnd != NULL ? m_pParentWnd : AfxGetMainWnd());
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.nPages = static_cast<UINT>(m_psp.size());
    m_psh.ppsp = m_psp.data();
    m_bModeless = TRUE;

    AfxHookWindowCreate(this);
    HWND hWnd = reinterpret_cast<HWND>(::PropertySheetW(&m_psh));
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    return hWnd != NULL && hWnd != reinterpret_cast<HWND>(-1);
}

INT_PTR CPropertySheet::DoModal()
{
    // Made modeless, then run by the framework's modal loop with the owner disabled.
    HWND hWndParent = PrepareModal();
    BOOL bEnableParent = FALSE;
    if (hWndParent != NULL && ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }
    if (CreateModal(hWndParent))
        RunModal();
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    EndModal(hWndParent);
    return m_nModalResult;
}

HWND CPropertySheet::PrepareModal()
{
    HWND hWndParent = GetSafeHwnd(m_pParentWnd != NULL ? m_pParentWnd : AfxGetMainWnd());
    if (hWndParent != NULL && (::GetWindowLongPtrW(hWndParent, GWL_STYLE) & WS_CHILD) != 0)
        hWndParent = ::GetAncestor(hWndParent, GA_ROOT);
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES };
    ::InitCommonControlsEx(&icc);
    BuildPropPageArray();
    if (CWinApp* pApp = AfxGetApp())
        pApp->EnableModeless(FALSE);
    m_nModalResult = -1;
    return hWndParent;
}

BOOL CPropertySheet::CreateModal(HWND hWndOwner)
{
    if (!Create(FromHandle(hWndOwner)))
        return FALSE;
    m_bModeless = FALSE;
    m_nFlags |= WF_CONTINUEMODAL;
    ::EnableWindow(m_hWnd, TRUE);
    return TRUE;
}

INT_PTR CPropertySheet::RunModal()
{
    if (m_hWnd == NULL)
        return m_nModalResult;
    RunModalLoop(MLF_SHOWONIDLE);
    return m_nModalResult;
}

void CPropertySheet::EndModal(HWND hWndOwner)
{
    if (hWndOwner != NULL && m_hWnd != NULL && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    DestroyWindow();
    if (CWinApp* pApp = AfxGetApp())
        pApp->EnableModeless(TRUE);
}

BOOL CPropertySheet::ContinueModal()
{
    if (!CWnd::ContinueModal())
        return FALSE;
    // The system ends a modeless sheet by dropping its current page.
    if (::SendMessageW(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0)
        return TRUE;
    LRESULT lResult = ::SendMessageW(m_hWnd, PSM_GETRESULT, 0, 0);
    m_nModalResult = lResult > 0 ? IDOK : IDCANCEL;
    return FALSE;
}

void CPropertySheet::EndDialog(int nEndID)
{
    EndModalLoop(nEndID);
    if (m_bModeless)
        DestroyWindow();
    else
        ::PostMessageW(m_hWnd, PSM_PRESSBUTTON, nEndID == IDOK ? PSBTN_OK : PSBTN_CANCEL, 0);
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    OnInitDialog();
    return lResult;
}

BOOL CPropertySheet::OnInitDialog()
{
    return TRUE;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (m_hWnd == NULL || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)))
        return FALSE;
    return static_cast<BOOL>(::SendMessageW(m_hWnd, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg)));
}

BOOL CPropertySheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if ((nCode != CN_COMMAND && nCode != static_cast<int>(CN_UPDATE_COMMAND_UI)) || nID < 0x8000 || nID > 0xDFFF)
        return FALSE;
    CWnd* pOwner = FromHandlePermanent(::GetParent(m_hWnd));
    if (pOwner != NULL && pOwner->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- common dialogs ----

HWND CCommonDialog::GetOwnerHwnd() const
{
    CWnd* pParent = m_pParentWnd != NULL ? m_pParentWnd : AfxGetMainWnd();
    HWND hWnd = GetSafeHwnd(pParent);
    if (hWnd != NULL && (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) != 0)
        hWnd = ::GetAncestor(hWnd, GA_ROOT);
    return hWnd;
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt, LPCWSTR lpszFileName, DWORD dwFlags,
                         LPCWSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_szFileName()
{
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = ARRAYSIZE(m_szFileName);
    if (lpszDefExt != NULL) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName != NULL)
        lstrcpynW(m_szFileName, lpszFileName, ARRAYSIZE(m_szFileName));
    if (lpszFilter != NULL) {
        // "text|pattern|...||" -> the system's NUL-separated list.
        m_strFilter = lpszFilter;
        int nLen = m_strFilter.GetLength();
        LPWSTR pch = m_strFilter.GetBufferSetLength(nLen + 1);
        pch[nLen] = L'\0';
        for (int i = 0; i < nLen; ++i) {
            if (pch[i] == L'|')
                pch[i] = L'\0';
        }
        m_ofn.lpstrFilter = pch;
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = GetOwnerHwnd();
    BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    return bResult ? IDOK : IDCANCEL;
}

CString CFileDialog::GetFileName() const
{
    return m_ofn.nFileOffset < lstrlenW(m_szFileName) ? CString(m_szFileName + m_ofn.nFileOffset) : CString();
}

CString CFileDialog::GetFileExt() const
{
    if (m_ofn.nFileExtension == 0 || m_ofn.nFileExtension >= lstrlenW(m_szFileName))
        return CString();
    return CString(m_szFileName + m_ofn.nFileExtension);
}

CString CFileDialog::GetFileTitle() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind(L'.');
    return nDot >= 0 ? strName.Left(nDot) : strName;
}

CFontDialog::CFontDialog(LPLOGFONTW lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_cf(), m_lf()
{
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = dwFlags;
    if (lplfInitial != NULL) {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    if (pdcPrinter != NULL) {
        m_cf.hDC = pdcPrinter->m_hDC;
        m_cf.Flags |= CF_PRINTERFONTS;
    }
}

INT_PTR CFontDialog::DoModal()
{
    m_cf.hwndOwner = GetOwnerHwnd();
    return ::ChooseFontW(&m_cf) ? IDOK : IDCANCEL;
}

COLORREF* PASCAL CColorDialog::GetSavedCustomColors()
{
    static COLORREF s_crCustom[16] = { RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                       RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                       RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                       RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255) };
    return s_crCustom;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd), m_cc()
{
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags | CC_RGBINIT;
    m_cc.rgbResult = clrInit;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = GetOwnerHwnd();
    return ::ChooseColorW(&m_cc) ? IDOK : IDCANCEL;
}

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd), m_pd()
{
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
    m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog()
{
    if (m_pd.hDC != NULL)
        ::DeleteDC(m_pd.hDC);
    if (m_pd.hDevMode != NULL)
        ::GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames != NULL)
        ::GlobalFree(m_pd.hDevNames);
}

INT_PTR CPrintDialog::DoModal()
{
    m_pd.hwndOwner = GetOwnerHwnd();
    if (m_pd.hDC != NULL) {
        ::DeleteDC(m_pd.hDC);
        m_pd.hDC = NULL;
    }
    return ::PrintDlgW(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    DWORD dwFlags = m_pd.Flags;
    m_pd.Flags |= PD_RETURNDEFAULT;
    m_pd.hwndOwner = NULL;
    BOOL bResult = ::PrintDlgW(&m_pd);
    m_pd.Flags = dwFlags;
    return bResult;
}

HDC CPrintDialog::CreatePrinterDC()
{
    if (m_pd.hDevNames == NULL)
        return NULL;
    LPDEVNAMES lpDevNames = static_cast<LPDEVNAMES>(::GlobalLock(m_pd.hDevNames));
    LPDEVMODEW lpDevMode = m_pd.hDevMode != NULL ? static_cast<LPDEVMODEW>(::GlobalLock(m_pd.hDevMode)) : NULL;
    LPCWSTR pszBase = reinterpret_cast<LPCWSTR>(lpDevNames);
    HDC hDC = ::CreateDCW(pszBase + lpDevNames->wDriverOffset, pszBase + lpDevNames->wDeviceOffset,
                          pszBase + lpDevNames->wOutputOffset, lpDevMode);
    ::GlobalUnlock(m_pd.hDevNames);
    if (m_pd.hDevMode != NULL)
        ::GlobalUnlock(m_pd.hDevMode);
    if (hDC != NULL) {
        if (m_pd.hDC != NULL)
            ::DeleteDC(m_pd.hDC);
        m_pd.hDC = hDC;
    }
    return hDC;
}

LPDEVMODEW CPrintDialog::GetDevMode() const
{
    return m_pd.hDevMode != NULL ? static_cast<LPDEVMODEW>(::GlobalLock(m_pd.hDevMode)) : NULL;
}

CString CPrintDialog::GetDeviceName() const
{
    if (m_pd.hDevNames == NULL)
        return CString();
    LPDEVNAMES lpDevNames = static_cast<LPDEVNAMES>(::GlobalLock(m_pd.hDevNames));
    CString strName(reinterpret_cast<LPCWSTR>(lpDevNames) + lpDevNames->wDeviceOffset);
    ::GlobalUnlock(m_pd.hDevNames);
    return strName;
}
