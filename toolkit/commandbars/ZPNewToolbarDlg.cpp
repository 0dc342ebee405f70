// Naming a new or renamed toolbar: the proposal, the checks and the id of a new one.
#include "commandbars/ZPNewToolbarDlg.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsResource.h"
#include "commandbars/ZPCustomizeText.h"
#include "common/ZPResourceManager.h"

namespace {

const int kNameEdit = 100;

}  // namespace

CZPNewToolbarDlg::CZPNewToolbarDlg(CWnd* pParentWnd, CZPCommandBars* pCommandBars, CZPCommandBar* pBarToRename)
    : CDialog(static_cast<LPCWSTR>(NULL), pParentWnd), m_nNewID(0), m_pCommandBars(pCommandBars),
      m_pBarToRename(pBarToRename)
{}

INT_PTR CZPNewToolbarDlg::DoModal()
{
    if (!InitModalIndirect(ZpResourceManagerInstance()->LoadDialogTemplate(ZP_IDD_NEW_TOOLBAR), m_pParentWnd))
        return -1;
    return CDialog::DoModal();
}

CString CZPNewToolbarDlg::ProposeName() const
{
    const int nCount = m_pCommandBars != NULL ? m_pCommandBars->GetCount() : 0;
    for (int nNumber = 1;; ++nNumber) {
        const CString strName = ZpFormatResourceString(ZP_IDS_CUSTOM_TOOLBAR_NAME, L"Custom %d", nNumber);
        BOOL bTaken = FALSE;
        for (int i = 0; i < nCount && !bTaken; ++i)
            bTaken = m_pCommandBars->GetAt(i)->GetTitle().Compare(strName) == 0;
        if (!bTaken)
            return strName;
    }
}

UINT CZPNewToolbarDlg::CheckName(const CString& strName, UINT* pnNewID) const
{
    if (strName.IsEmpty())
        return ZP_IDS_TOOLBAR_NAME_BLANK;
    UINT nCandidate = ZP_ID_CUSTOM_TOOLBAR_FIRST;
    const int nCount = m_pCommandBars != NULL ? m_pCommandBars->GetCount() : 0;
    for (int i = 0; i < nCount; ++i) {
        CZPCommandBar* pBar = m_pCommandBars->GetAt(i);
        if (m_pBarToRename == NULL && pBar->GetBarID() == nCandidate) {
            if (++nCandidate == ZP_ID_CUSTOM_TOOLBAR_LIMIT)
                return ZP_IDS_TOOLBAR_LIMIT;
            i = -1;
            continue;
        }
        if (pBar != m_pBarToRename && pBar->GetTitle().Compare(strName) == 0)
            return ZP_IDS_TOOLBAR_NAME_EXISTS;
    }
    if (pnNewID != NULL)
        *pnNewID = m_pBarToRename == NULL ? nCandidate : 0;
    return 0;
}

BOOL CZPNewToolbarDlg::OnInitDialog()
{
    if (m_pBarToRename != NULL) {
        m_strToolbar = m_pBarToRename->GetTitle();
        SetWindowText(ZpResourceManagerInstance()->LoadStringOrEmpty(ZP_IDS_RENAME_TOOLBAR));
    } else {
        m_strToolbar = ProposeName();
    }
    return CDialog::OnInitDialog();
}

void CZPNewToolbarDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, kNameEdit, m_strToolbar);
}

void CZPNewToolbarDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    CZPResourceManager* pResources = ZpResourceManagerInstance();
    switch (CheckName(m_strToolbar, &m_nNewID)) {
    case 0:
        EndDialog(IDOK);
        break;
    case ZP_IDS_TOOLBAR_NAME_BLANK:
        pResources->ShowMessageBoxById(ZP_IDS_TOOLBAR_NAME_BLANK, MB_ICONERROR);
        break;
    case ZP_IDS_TOOLBAR_LIMIT:
        pResources->ShowMessageBoxById(ZP_IDS_TOOLBAR_LIMIT, MB_ICONERROR);
        EndDialog(IDCANCEL);
        break;
    default:
        pResources->ShowMessageBox(ZpFormatResourceString(ZP_IDS_TOOLBAR_NAME_EXISTS,
                                                          L"A toolbar named '%s' already exists. Type another name.",
                                                          m_strToolbar),
                                   MB_ICONERROR);
        break;
    }
}
