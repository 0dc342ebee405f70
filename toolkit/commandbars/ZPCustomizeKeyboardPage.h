// The Keyboard page of the customize dialog: the shortcuts of the shortcut manager per command,
// with capture, assignment, removal and the reset to the resource's table.
#pragma once

#include <framework.h>
#include <framework/controls.h>
#include <framework/dialog.h>

#include "commandbars/ZPCustomizeCategories.h"
#include "commandbars/ZPShortcutManager.h"

class CMenu;
class CZPCommandBars;
class CZPControl;

class CZPCustomizeKeyboardPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CZPCustomizeKeyboardPage)
public:
    // Without command bars (created by its runtime class) the page lists and changes nothing.
    explicit CZPCustomizeKeyboardPage(CZPCommandBars* pCommandBars = NULL);

    BOOL AddMenuCategories(UINT nMenuID, BOOL bNested = FALSE);
    // With bNested, a popup's controls are added as copies captioned "popup | caption".
    ZP_COMMANDBARS_CATEGORYINFO* AddCategory(LPCWSTR lpszCategory, CMenu* pMenu, BOOL bNested = FALSE);
    const CZPCustomizeCategories& GetCategories() const { return m_categories; }
    // The control of the selected command, or NULL.
    CZPControl* GetSelectedControl() const;

    // Whether a control is offered: an id in 1-0xFFFF (the records' command ids are stored as 16
    // bits here), not a popup, not a recent-file entry.
    static BOOL IsAssignableControl(const CZPControl* pControl);

    CComboBox m_comboCategory;
    CListBox m_lstCommands;
    CListBox m_lstKeys;
    CZPShortcutManager::CKeyAssign m_editShortcut;
    int m_nCategory;

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void OnCategoryChanged();
    void FillCommands();
    void ListAssignments();
    void UpdateButtons();
    void OnAssign();
    void OnRemove();
    void OnResetAll();
    DECLARE_MESSAGE_MAP()

    CZPShortcutManager* GetShortcutManager() const;

    CZPCommandBars* m_pCommandBars;  // borrowed
    CZPCustomizeCategories m_categories;
};
