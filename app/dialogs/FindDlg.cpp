// The Find dialog.
#include "dialogs/FindDlg.h"

#include "AppIds.h"
#include "document/TolvaneDoc.h"

IMPLEMENT_DYNAMIC(CFindDlg, CSearchDialog)

BEGIN_MESSAGE_MAP(CFindDlg, CSearchDialog)
    ON_COMMAND(IDOK, OnFindNext)
END_MESSAGE_MAP()

CFindDlg::CFindDlg(CTolvaneDoc* pDoc) : CSearchDialog(IDD_FIND, pDoc), m_dwFlags(0)
{
    LoadSearchHistory(kSearchHistoryFormat, m_history);
}

void CFindDlg::FillHistoryCombo()
{
    FillSearchCombo(m_wndSearch, m_history, m_strSearchText);
}

void CFindDlg::DoDataExchange(CDataExchange* pDX)
{
    CSearchDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FIND_TEXT, m_wndSearch);
    ExchangeOptions(pDX);
}

void CFindDlg::OnFindNext()
{
    m_dwFlags = UpdateFlags();
    m_wndSearch.GetWindowText(m_strSearchText);
    SaveHistory(m_strSearchText);
    if (m_pDoc != NULL)
        m_pDoc->FindText(m_strSearchText, m_dwFlags, m_options.nDirection);
}

void CFindDlg::SaveHistory(const CString& strText)
{
    AddToSearchHistory(m_history, m_wndSearch, strText);
    m_options.Save();
    SaveSearchHistory(kSearchHistoryFormat, m_history);
}
