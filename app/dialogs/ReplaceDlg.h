// The modeless Find & Replace dialog: search and replacement texts with their remembered
// histories, the options and the direction; Find Next, Replace and Replace All go to the document.
#pragma once

#include "dialogs/SearchDialog.h"

class CReplaceDlg : public CSearchDialog
{
    DECLARE_DYNAMIC(CReplaceDlg)
public:
    // Reads the options and both histories; pDoc (borrowed) is the document searched.
    explicit CReplaceDlg(CTolvaneDoc* pDoc);

    // Both histories, newest on top, and the last texts in the edit fields.
    virtual void FillHistoryCombos();

    void OnFindNext();
    // Replaces the editor's selection, then searches on for the document's last search text.
    void OnReplace();
    void OnReplaceAll();
    // Remembers the texts given (NULL: none) and writes the options and histories to the profile.
    void SaveHistory(const CString* pstrSearch, const CString* pstrReplacement);

    const CSearchHistory& GetHistory() const { return m_history; }
    const CSearchHistory& GetReplaceHistory() const { return m_replaceHistory; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    CSearchHistory m_history;          // oldest first
    CSearchHistory m_replaceHistory;   // oldest first
    CString m_strSearchText;
    CString m_strReplaceText;
    CComboBox m_wndSearch;             // IDC_FIND_TEXT
    CComboBox m_wndReplace;            // IDC_REPLACE_TEXT

    DECLARE_MESSAGE_MAP()
};
