// The Find & Replace dialog.
#include "dialogs/ReplaceDlg.h"

#include "AppIds.h"
#include "document/TolvaneDoc.h"

IMPLEMENT_DYNAMIC(CReplaceDlg, CSearchDialog)

BEGIN_MESSAGE_MAP(CReplaceDlg, CSearchDialog)
    ON_COMMAND(IDOK, OnFindNext)
    ON_COMMAND(IDC_REPLACE, OnReplace)
    ON_COMMAND(IDC_REPLACE_ALL, OnReplaceAll)
END_MESSAGE_MAP()

CReplaceDlg::CReplaceDlg(CTolvaneDoc* pDoc) : CSearchDialog(IDD_REPLACE, pDoc)
{
    LoadSearchHistory(kSearchHistoryFormat, m_history);
    LoadSearchHistory(kReplaceHistoryFormat, m_replaceHistory);
}

void CReplaceDlg::FillHistoryCombos()
{
    FillSearchCombo(m_wndSearch, m_history, m_strSearchText);
    FillSearchCombo(m_wndReplace, m_replaceHistory, m_strReplaceText);
}

void CReplaceDlg::DoDataExchange(CDataExchange* pDX)
{
    CSearchDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FIND_TEXT, m_wndSearch);
    DDX_Control(pDX, IDC_REPLACE_TEXT, m_wndReplace);
    ExchangeOptions(pDX);
}

void CReplaceDlg::OnFindNext()
{
    const DWORD dwFlags = UpdateFlags();
    if (m_pDoc == NULL)
        return;
    m_wndSearch.GetWindowText(m_strSearchText);
    SaveHistory(&m_strSearchText, NULL);
    m_pDoc->FindText(m_strSearchText, dwFlags, m_options.nDirection);
}

void CReplaceDlg::OnReplace()
{
    const DWORD dwFlags = UpdateFlags();
    if (m_pDoc == NULL)
        return;
    // The search text shown is not read: the document searches on for its last search text.
    m_wndReplace.GetWindowText(m_strReplaceText);
    SaveHistory(NULL, &m_strReplaceText);
    m_pDoc->ReplaceCurrent(m_strReplaceText, dwFlags, m_options.nDirection);
}

void CReplaceDlg::OnReplaceAll()
{
    const DWORD dwFlags = UpdateFlags();
    if (m_pDoc == NULL)
        return;
    m_wndSearch.GetWindowText(m_strSearchText);
    m_wndReplace.GetWindowText(m_strReplaceText);
    SaveHistory(&m_strSearchText, &m_strReplaceText);
    m_pDoc->ReplaceAllText(m_strSearchText, m_strReplaceText, dwFlags);
}

void CReplaceDlg::SaveHistory(const CString* pstrSearch, const CString* pstrReplacement)
{
    if (pstrSearch != NULL)
        AddToSearchHistory(m_history, m_wndSearch, *pstrSearch);
    if (pstrReplacement != NULL)
        AddToSearchHistory(m_replaceHistory, m_wndReplace, *pstrReplacement);
    m_options.Save();
    SaveSearchHistory(kSearchHistoryFormat, m_history);
    SaveSearchHistory(kReplaceHistoryFormat, m_replaceHistory);
}
