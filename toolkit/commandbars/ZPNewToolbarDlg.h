// The dialog that names a new toolbar (and picks its id) or renames an existing one. It never
// creates a bar: the caller does after OK.
#pragma once

#include <framework.h>
#include <framework/dialog.h>

class CZPCommandBar;
class CZPCommandBars;

class CZPNewToolbarDlg : public CDialog
{
public:
    // pBarToRename NULL: a new toolbar.
    CZPNewToolbarDlg(CWnd* pParentWnd, CZPCommandBars* pCommandBars, CZPCommandBar* pBarToRename = NULL);

    // Runs the template through the resource manager; -1 when it has none.
    INT_PTR DoModal() override;

    // "Custom n" with the smallest n from 1 that no bar's title equals exactly.
    CString ProposeName() const;
    // Checks a name against the bars: 0 when it may be used (*pnNewID the id for a new toolbar),
    // else the string id of the message to show (blank, limit reached or name taken).
    UINT CheckName(const CString& strName, UINT* pnNewID) const;

    CString m_strToolbar;  // the name, exchanged with edit 100
    UINT m_nNewID;         // the id of a new toolbar after OK

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CZPCommandBars* m_pCommandBars;  // borrowed
    CZPCommandBar* m_pBarToRename;   // borrowed; NULL for a new toolbar
};
