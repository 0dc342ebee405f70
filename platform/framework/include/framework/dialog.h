// Dialogs: modal and modeless from resource or in-memory templates, data exchange, property
// sheets and the common dialogs.
#pragma once

#include <framework/controls.h>
#include <framework/exceptions.h>
#include <framework/wnd.h>

#include <commdlg.h>
#include <prsht.h>

#include <vector>

class CDataExchange;

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);

    // Modeless.
    virtual BOOL Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL) { return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd); }
    // lpDialogTemplate: DLGTEMPLATE or DLGTEMPLATEEX in memory (borrowed for the call).
    virtual BOOL CreateIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd = NULL, HINSTANCE hInst = NULL);
    BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL, HINSTANCE hInst = NULL);

    // Modal.
    BOOL InitModalIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd = NULL);
    BOOL InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL);
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void NextDlgCtrl() const { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void GotoDlgCtrl(CWnd* pWndCtrl) { SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetSafeHwnd(pWndCtrl)), 1); }
    void SetDefID(UINT nID) { SendMessage(DM_SETDEFID, nID); }
    DWORD GetDefID() const { return static_cast<DWORD>(::SendMessageW(m_hWnd, DM_GETDEFID, 0, 0)); }
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // A dialog's commands go to the dialog, then its parent, then the thread object.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    LPCWSTR m_lpszTemplateName;          // resource name or MAKEINTRESOURCE id
    LPCDLGTEMPLATEW m_lpDialogTemplate;  // borrowed in-memory template
    HGLOBAL m_hDialogTemplate;           // borrowed in-memory template
    CWnd* m_pParentWnd;                  // borrowed

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL CreateDlgIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);
    HWND PreModal();
    void PostModal();
    LRESULT HandleInitDialog(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    HWND m_hWndTop;   // borrowed: the window disabled during DoModal
};

// The dialog procedure of framework dialogs: the window procedure does all the work.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Data exchange between dialog members and controls; Fail() throws the user exception.
class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Focuses (and selects the text of) the last prepared control, then throws.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;   // borrowed
    int m_idLastControl;
    BOOL m_bEditLastControl;
};

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);

class CPropertySheet;

class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    // An in-memory template replaces the resource (borrowed; must outlive the page).
    void SetTemplate(LPCDLGTEMPLATEW lpDialogTemplate) { m_lpDialogTemplate = lpDialogTemplate; }

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    virtual void OnReset();
    void OnOK() override;
    void OnCancel() override;
    void SetModified(BOOL bChanged = TRUE);
    CPropertySheet* GetParentSheet() const { return m_pSheet; }
    // In a sheet the keys are left to the sheet, whose dialog handling switches pages and
    // navigates the page; alone, the page is a dialog of its own.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    PROPSHEETPAGEW m_psp;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // Attaches the page object to its window at WM_INITDIALOG, then dispatches it.
    static INT_PTR CALLBACK PropPageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    friend class CPropertySheet;

    CPropertySheet* m_pSheet;   // borrowed; set while in a sheet
    CString m_strCaption;
};

class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCWSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

    void AddPage(CPropertyPage* pPage);   // borrowed; must outlive the sheet
    void RemovePage(CPropertyPage* pPage);
    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }
    CTabCtrl* GetTabControl() const;
    void SetTitle(LPCWSTR lpszText, UINT nStyle = 0);

    virtual INT_PTR DoModal();
    // DoModal in steps, for a caller that acts between them and keeps the owner enabled:
    // PrepareModal builds the pages and switches the application's modeless state off and returns
    // the owner; CreateModal creates the sheet as a modal one; RunModal runs the modal loop and
    // returns the result; EndModal destroys the sheet and switches the modeless state back on.
    HWND PrepareModal();
    BOOL CreateModal(HWND hWndOwner);
    INT_PTR RunModal();
    void EndModal(HWND hWndOwner);
    // Modeless; the sheet is attached to this object as it is created.
    virtual BOOL Create(CWnd* pParentWnd = NULL);
    void EndDialog(int nEndID);
    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL ContinueModal() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    PROPSHEETHEADERW m_psh;

protected:
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    void BuildPropPageArray();
    LRESULT HandleInitDialog(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    std::vector<CPropertyPage*> m_pages;   // borrowed pages
    std::vector<PROPSHEETPAGEW> m_psp;     // the records given to the system
    CString m_strCaption;
    CWnd* m_pParentWnd;        // borrowed
    BOOL m_bModeless;
};

class CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd) : CDialog(static_cast<LPCWSTR>(NULL), pParentWnd) {}

protected:
    HWND GetOwnerHwnd() const;
};

class CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter: pairs "text|pattern|" ending with "||".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt = NULL, LPCWSTR lpszFileName = NULL,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR lpszFilter = NULL,
                         CWnd* pParentWnd = NULL);
    INT_PTR DoModal() override;
    CString GetPathName() const { return m_szFileName; }
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;

    OPENFILENAMEW m_ofn;

protected:
    BOOL m_bOpenFileDialog;
    CString m_strFilter;   // NUL-separated, double NUL at the end
    CString m_strDefExt;
    WCHAR m_szFileName[MAX_PATH * 4];
};

class CFontDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFontDialog)
public:
    explicit CFontDialog(LPLOGFONTW lplfInitial = NULL, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS, CDC* pdcPrinter = NULL,
                         CWnd* pParentWnd = NULL);
    INT_PTR DoModal() override;
    CString GetFaceName() const { return m_lf.lfFaceName; }
    int GetSize() const { return m_cf.iPointSize; }   // tenths of a point
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return static_cast<int>(m_lf.lfWeight); }
    BOOL IsItalic() const { return m_lf.lfItalic != 0; }
    BOOL IsUnderline() const { return m_lf.lfUnderline != 0; }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut != 0; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }
    void GetCurrentFont(LPLOGFONTW lplf) const { *lplf = m_lf; }

    CHOOSEFONTW m_cf;
    LOGFONTW m_lf;
};

class CColorDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }
    static COLORREF* PASCAL GetSavedCustomColors();

    CHOOSECOLORW m_cc;
};

class CPrintDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CPrintDialog)
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                                                PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = NULL);
    ~CPrintDialog() override;
    INT_PTR DoModal() override;
    // The default printer without a dialog; FALSE when there is none.
    BOOL GetDefaults();
    HDC GetPrinterDC() const { return m_pd.hDC; }   // borrowed from the dialog record
    HDC CreatePrinterDC();
    LPDEVMODEW GetDevMode() const;   // locked; the caller unlocks m_pd.hDevMode
    CString GetDeviceName() const;
    int GetCopies() const { return m_pd.nCopies; }

    PRINTDLGW m_pd;
};
