// What the two modeless search dialogs share: the template from the resource manager, the
// stored options, the document searched, and closing, which deletes the dialog.
#pragma once

#include <framework/dialog.h>

#include "dialogs/SearchSettings.h"

class CTolvaneDoc;

class CSearchDialog : public CDialog
{
    DECLARE_DYNAMIC(CSearchDialog)
public:
    using CDialog::Create;
    // Modeless, from the resource manager's template (a language file may replace it).
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL) override;
    // Destroys the window (no modal end).
    void OnCancel() override;

    const CSearchOptions& GetOptions() const { return m_options; }

protected:
    // Takes the template and reads the options; pDoc (borrowed) is the document searched.
    CSearchDialog(UINT nIDTemplate, CTolvaneDoc* pDoc);
    // The options and the direction from the controls; the search flags they make.
    DWORD UpdateFlags();
    void ExchangeOptions(CDataExchange* pDX);
    // Tells the document the dialog is gone, then deletes it.
    void PostNcDestroy() override;

    CSearchOptions m_options;
    CTolvaneDoc* m_pDoc;   // borrowed
};
