// The shared part of the Find and Find & Replace dialogs.
#include "dialogs/SearchDialog.h"

#include "AppIds.h"
#include "document/TolvaneDoc.h"

#include <common/ZPResourceManager.h>

IMPLEMENT_DYNAMIC(CSearchDialog, CDialog)

CSearchDialog::CSearchDialog(UINT nIDTemplate, CTolvaneDoc* pDoc) : m_pDoc(pDoc)
{
    m_lpDialogTemplate = ZpResourceManagerInstance()->LoadDialogTemplate(nIDTemplate);
    m_options.Load();
}

BOOL CSearchDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    if (m_lpDialogTemplate == NULL)
        return CDialog::Create(nIDTemplate, pParentWnd);
    m_lpszTemplateName = MAKEINTRESOURCEW(nIDTemplate);
    return CreateIndirect(m_lpDialogTemplate, pParentWnd);
}

DWORD CSearchDialog::UpdateFlags()
{
    UpdateData(TRUE);
    return m_options.GetFlags();
}

void CSearchDialog::ExchangeOptions(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_MATCH_CASE, m_options.bMatchCase);
    DDX_Check(pDX, IDC_MATCH_REGEX, m_options.bRegEx);
    DDX_Check(pDX, IDC_MATCH_WORDS, m_options.bWholeWords);
    DDX_Radio(pDX, IDC_SEARCH_UP, m_options.nDirection);
}

void CSearchDialog::OnCancel()
{
    DestroyWindow();
}

void CSearchDialog::PostNcDestroy()
{
    if (m_pDoc != NULL)
        m_pDoc->OnSearchDialogClosed(this);
    delete this;
}
