// The modeless Find dialog: a search text with its remembered history, the options and the
// direction, handed to the document on every Find Next.
#pragma once

#include "dialogs/SearchDialog.h"

class CFindDlg : public CSearchDialog
{
    DECLARE_DYNAMIC(CFindDlg)
public:
    // Reads the options and the history; pDoc (borrowed) is the document searched.
    explicit CFindDlg(CTolvaneDoc* pDoc);

    // The history, newest on top, and the last search text in the edit field.
    virtual void FillHistoryCombo();

    void OnFindNext();
    // Remembers a search text and writes the options and the history to the profile.
    void SaveHistory(const CString& strText);

    const CSearchHistory& GetHistory() const { return m_history; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    CSearchHistory m_history;     // oldest first
    CString m_strSearchText;      // of the last Find Next
    DWORD m_dwFlags;              // of the last Find Next
    CComboBox m_wndSearch;        // IDC_FIND_TEXT

    DECLARE_MESSAGE_MAP()
};
