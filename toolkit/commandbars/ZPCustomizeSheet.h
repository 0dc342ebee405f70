// The modal customize sheet of one frame's command bars: customize mode while it runs, three
// thread hooks that keep the rest of the frame from reacting, and the customize context menu.
#pragma once

#include <framework.h>
#include <framework/dialog.h>

#include "commandbars/ZPControlButton.h"
#include "commandbars/ZPControlEdit.h"

class CZPCommandBars;
class CZPControl;
class CZPCustomizeCommandsPage;
class CZPImageManager;
class CZPPopupBar;
class CZPCustomizeSheet;

// The hooks of the running customize sheet: one record for the whole process.
struct ZpCustomizeHookRecord
{
    HHOOK hMouseHook;
    HHOOK hKeyboardHook;
    HHOOK hCallWndHook;
    CZPCustomizeSheet* pSheet;  // borrowed: the sheet whose DoModal runs
};

// Width of one picker button in the popup toolbar, and the popup's extra border.
const int ZP_CUSTOMIZE_PICKER_CELL = 23;
const int ZP_CUSTOMIZE_PICKER_BORDER = 6;

class CZPCustomizeSheet : public CPropertySheet
{
    DECLARE_DYNAMIC(CZPCustomizeSheet)
public:
    // Caption string 9161, parent the command bars' site, nSelectPage shown first.
    CZPCustomizeSheet(CZPCommandBars* pCommandBars, UINT nSelectPage = 0);
    ~CZPCustomizeSheet() override;

    // Adds a page; a dialog template of the page's id from the language file replaces its resource.
    void AddCustomizePage(CPropertyPage* pPage);
    CZPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    // The built-in Commands page, where the application adds its categories before DoModal.
    CZPCustomizeCommandsPage* GetCommandsPage() const;
    CWnd* GetSite() const { return CWnd::FromHandle(m_hWndSite); }
    // A message box over the sheet with the frame kept from reacting; returns the button pressed.
    int MessageBox(LPCWSTR lpszText, UINT nType);

    // IDCANCEL at once while another customize sheet runs.
    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Opens the customize menu for the customize selection at a screen point; nothing without one.
    void ShowContextMenu(CPoint ptScreen);
    CZPPopupBar* GetContextMenu() const { return m_pContextMenu; }
    CZPImageManager* GetPickerImages() const { return m_pPickerImages; }
    int GetPickerImageCount() const { return m_nPickerImages; }
    // The enabled and checked states of context-menu command nId for the customize selection.
    void QueryCommandState(int nId, BOOL* pbEnabled, BOOL* pbChecked) const;
    // Runs context-menu command nId on the customize selection; FALSE when it is not enabled.
    BOOL RunCommand(int nId);

    // The record of the running sheet, NULL when none runs.
    static ZpCustomizeHookRecord* GetRunningRecord() { return s_pRunning; }
    const ZpCustomizeHookRecord& GetHookRecord() const { return m_hooks; }
    // The hooks' decisions (TRUE lets the input through); also driven directly by tests.
    BOOL OnMouseHookEvent(UINT nMessage, HWND hWnd, POINT ptScreen);
    BOOL OnKeyboardHookEvent() const;

    // The menu's own controls: a button and the name edit, whose execution notifies the sheet.
    class CCustomizeButton : public CZPControlButton
    {
        DECLARE_DYNCREATE(CCustomizeButton)
    public:
        void Execute() override;
    };
    class CCustomizeEdit : public CZPControlEdit
    {
        DECLARE_DYNCREATE(CCustomizeEdit)
    public:
        void Execute() override;
        BOOL OnSetSelected(int bSelected) override;
        int GetCustomizeMinWidth() const override { return GetLabelWidth() + 10; }
        // Sends the execute notification to the bar's command window; TRUE when handled.
        BOOL NotifyExecute();
    };

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Control notifications reaching the sheet (code 100 only).
    LRESULT OnControlNotify(WPARAM wParam, LPARAM lParam);
    void BuildContextMenu();
    void LoadPickerImages();
    void FillPicker(CZPCommandBar* pPicker);
    void InstallHooks();
    void RemoveHooks();
    BOOL CopyButtonImage(CZPControl* pControl);
    BOOL PasteButtonImage(CZPControl* pControl);
    BOOL EditButtonImage(CZPControl* pControl);
    void OnPickerClicked(CZPControl* pPicker);
    void OnNameCommitted(CZPControl* pEdit);
    // Held for the length of a command: the menu may end and the bar may drop the control.
    CZPControl* GetSelection() const;

    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CallWndHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static ZpCustomizeHookRecord* s_pRunning;  // borrowed: the running sheet's m_hooks

    CZPCommandBars* m_pCommandBars;    // borrowed: outlives the sheet
    HWND m_hWndSite;                   // borrowed: the command bars' site (the frame)
    CZPPopupBar* m_pContextMenu;       // one reference; NULL without menu 9121
    CZPImageManager* m_pPickerImages;  // one reference
    int m_nPickerImages;
    ZpCustomizeHookRecord m_hooks;
    CPropertyPage* m_pToolbarsPage;  // owned: the Toolbars page
    CPropertyPage* m_pCommandsPage;  // owned: the Commands page
};
