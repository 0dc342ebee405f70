// The Keyboard page: categories, commands, their shortcuts and the capture edit.
#include "commandbars/ZPCustomizeKeyboardPage.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsResource.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPCustomizeText.h"
#include "common/ZPDrawHelpers.h"
#include "common/ZPResourceManager.h"

#include <framework/menu.h>

namespace {

const int kCategoryCombo = 100;
const int kCommandsList = 102;
const int kKeysList = 104;
const int kShortcutEdit = 106;
const int kAssignButton = 107;
const int kRemoveButton = 108;
const int kResetAllButton = 109;
const int kDescription = 111;

const int kRecentFileFirst = 57616;
const int kRecentFileLast = 57631;
const int kLargestCommandId = 0xFFFF;

}  // namespace

IMPLEMENT_DYNCREATE(CZPCustomizeKeyboardPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CZPCustomizeKeyboardPage, CPropertyPage)
ON_CONTROL(CBN_SELCHANGE, kCategoryCombo, OnCategoryChanged)
ON_CONTROL(LBN_SELCHANGE, kCommandsList, ListAssignments)
ON_CONTROL(LBN_SELCHANGE, kKeysList, UpdateButtons)
ON_CONTROL(EN_CHANGE, kShortcutEdit, UpdateButtons)
ON_CONTROL(BN_CLICKED, kAssignButton, OnAssign)
ON_CONTROL(BN_CLICKED, kRemoveButton, OnRemove)
ON_CONTROL(BN_CLICKED, kResetAllButton, OnResetAll)
END_MESSAGE_MAP()

CZPCustomizeKeyboardPage::CZPCustomizeKeyboardPage(CZPCommandBars* pCommandBars)
    : CPropertyPage(ZP_IDD_CUSTOMIZE_KEYBOARD),
      m_editShortcut(pCommandBars != NULL ? pCommandBars->GetShortcutManagerObject() : NULL), m_nCategory(-1),
      m_pCommandBars(pCommandBars), m_categories(pCommandBars)
{}

CZPShortcutManager* CZPCustomizeKeyboardPage::GetShortcutManager() const
{
    return m_pCommandBars != NULL ? m_pCommandBars->GetShortcutManagerObject() : NULL;
}

BOOL CZPCustomizeKeyboardPage::IsAssignableControl(const CZPControl* pControl)
{
    const int nId = pControl->GetID();
    const int nKind = pControl->GetType();
    return nId > 0 && nId <= kLargestCommandId && nKind != zpControlPopup && nKind != zpControlButtonPopup &&
           (nId < kRecentFileFirst || nId > kRecentFileLast);
}

BOOL CZPCustomizeKeyboardPage::AddMenuCategories(UINT nMenuID, BOOL bNested)
{
    return CZPCustomizeCategories::ForEachMenuCategory(
        nMenuID, [&](const CString& strName, CMenu* pSubMenu) { AddCategory(strName, pSubMenu, bNested); });
}

ZP_COMMANDBARS_CATEGORYINFO* CZPCustomizeKeyboardPage::AddCategory(LPCWSTR lpszCategory, CMenu* pMenu, BOOL bNested)
{
    return m_categories.AddCategory(lpszCategory, pMenu, bNested, TRUE);
}

BOOL CZPCustomizeKeyboardPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (HWND hWnd = ::GetDlgItem(m_hWnd, kCategoryCombo))
        m_comboCategory.SubclassWindow(hWnd);
    if (HWND hWnd = ::GetDlgItem(m_hWnd, kCommandsList))
        m_lstCommands.SubclassWindow(hWnd);
    if (HWND hWnd = ::GetDlgItem(m_hWnd, kKeysList))
        m_lstKeys.SubclassWindow(hWnd);
    if (HWND hWnd = ::GetDlgItem(m_hWnd, kShortcutEdit))
        m_editShortcut.SubclassWindow(hWnd);
    if (m_comboCategory.GetSafeHwnd() != NULL) {
        for (int i = 0; i < m_categories.GetCount(); ++i) {
            ZP_COMMANDBARS_CATEGORYINFO* pCategory = m_categories.GetAt(i);
            const int nItem = m_comboCategory.AddString(pCategory->strCategory);
            m_comboCategory.SetItemData(nItem, reinterpret_cast<DWORD_PTR>(pCategory->pControls));
        }
        m_comboCategory.SetCurSel(0);
    }
    if (m_pCommandBars != NULL && m_pCommandBars->IsRightToLeft()) {
        const DWORD dwRightToLeft = WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;
        if (m_lstCommands.GetSafeHwnd() != NULL)
            m_lstCommands.ModifyStyleEx(0, dwRightToLeft);
        if (m_comboCategory.GetSafeHwnd() != NULL)
            m_comboCategory.ModifyStyleEx(0, dwRightToLeft);
    }
    OnCategoryChanged();
    return TRUE;
}

BOOL CZPCustomizeKeyboardPage::OnSetActive()
{
    // Another page may have changed the table meanwhile: the assignments' table indices are
    // listed again with the commands, or Remove would take another command's record.
    if (m_hWnd != NULL) {
        FillCommands();
        ListAssignments();
    }
    return CPropertyPage::OnSetActive();
}

void CZPCustomizeKeyboardPage::OnCategoryChanged()
{
    FillCommands();
    ListAssignments();
}

void CZPCustomizeKeyboardPage::FillCommands()
{
    m_nCategory = m_comboCategory.GetSafeHwnd() != NULL ? m_comboCategory.GetCurSel() : -1;
    if (m_lstCommands.GetSafeHwnd() == NULL)
        return;
    m_lstCommands.ResetContent();
    CZPControls* pControls =
        m_nCategory >= 0 ? reinterpret_cast<CZPControls*>(m_comboCategory.GetItemData(m_nCategory)) : NULL;
    for (int i = 0; pControls != NULL && i < pControls->GetCount(); ++i) {
        CZPControl* pControl = pControls->GetAt(i);
        if (!IsAssignableControl(pControl))
            continue;
        CString strCaption = pControl->GetCaption();
        ZpRemoveAmpersands(strCaption);
        const int nItem = m_lstCommands.AddString(strCaption);
        m_lstCommands.SetItemDataPtr(nItem, pControl);
    }
    m_lstCommands.SetCurSel(0);
}

CZPControl* CZPCustomizeKeyboardPage::GetSelectedControl() const
{
    if (m_lstCommands.GetSafeHwnd() == NULL)
        return NULL;
    const int nItem = m_lstCommands.GetCurSel();
    return nItem >= 0 ? static_cast<CZPControl*>(m_lstCommands.GetItemDataPtr(nItem)) : NULL;
}

void CZPCustomizeKeyboardPage::ListAssignments()
{
    CZPControl* pControl = GetSelectedControl();
    CZPShortcutManager* pManager = GetShortcutManager();
    if (m_lstKeys.GetSafeHwnd() != NULL) {
        m_lstKeys.SetRedraw(FALSE);
        m_lstKeys.ResetContent();
        if (pControl != NULL && pManager != NULL) {
            const CZPShortcutManagerAccelTable& table = pManager->GetShortcuts();
            const DWORD nCommand = static_cast<DWORD>(pControl->GetID());
            for (size_t i = 0; i < table.size(); ++i) {
                if (table[i].cmd != nCommand)
                    continue;
                CString strText;
                pManager->FormatShortcut(strText, &table[i], NULL);
                const int nItem = m_lstKeys.AddString(strText);
                m_lstKeys.SetItemData(nItem, static_cast<DWORD_PTR>(i));
            }
        }
        m_lstKeys.SetRedraw(TRUE);
        m_lstKeys.Invalidate();
    }
    ::SetDlgItemTextW(m_hWnd, kDescription, pControl != NULL ? static_cast<LPCWSTR>(pControl->GetDescription()) : L"");
    UpdateButtons();
}

void CZPCustomizeKeyboardPage::UpdateButtons()
{
    const BOOL bCaptured = m_editShortcut.GetSafeHwnd() != NULL && m_editShortcut.GetWindowTextLength() > 0 &&
                           m_editShortcut.IsKeyDefined();
    ZpEnableDlgItem(this, kAssignButton, bCaptured);
    ZpEnableDlgItem(this, kRemoveButton, m_lstKeys.GetSafeHwnd() != NULL && m_lstKeys.GetCurSel() >= 0);
}

void CZPCustomizeKeyboardPage::OnAssign()
{
    CZPControl* pControl = GetSelectedControl();
    CZPShortcutManager* pManager = GetShortcutManager();
    if (pControl == NULL || pManager == NULL || !m_editShortcut.IsKeyDefined() || !IsAssignableControl(pControl))
        return;
    CZPShortcutManagerAccel accel = m_editShortcut.GetAccel();
    accel.cmd = static_cast<DWORD>(pControl->GetID());
    if (pManager->OnBeforeAdd(&accel))
        return;
    CZPShortcutManagerAccelTable& table = pManager->GetShortcuts();
    for (size_t i = 0; i < table.size(); ++i) {
        if (!table[i].IsSameShortcut(accel))
            continue;
        if (ZpResourceManagerInstance()->ShowMessageBoxById(ZP_IDS_CONFIRM_REASSIGN_KEY, MB_YESNO | MB_ICONWARNING) !=
            IDYES)
            return;
        // The prompt's loop may have changed the table: the record is looked up again.
        CZPShortcutManagerAccelTable& current = pManager->GetShortcuts();
        for (size_t j = 0; j < current.size(); ++j) {
            if (current[j].IsSameShortcut(accel)) {
                current.erase(current.begin() + static_cast<std::ptrdiff_t>(j));
                break;
            }
        }
        break;
    }
    pManager->GetShortcuts().push_back(accel);
    ListAssignments();
    m_editShortcut.ResetKey();
    UpdateButtons();
}

void CZPCustomizeKeyboardPage::OnRemove()
{
    CZPShortcutManager* pManager = GetShortcutManager();
    if (pManager == NULL || m_lstKeys.GetSafeHwnd() == NULL)
        return;
    const int nItem = m_lstKeys.GetCurSel();
    if (nItem < 0)
        return;
    const size_t nIndex = static_cast<size_t>(m_lstKeys.GetItemData(nItem));
    CZPShortcutManagerAccelTable& table = pManager->GetShortcuts();
    if (nIndex >= table.size())
        return;
    if (!pManager->OnBeforeRemove(&table[nIndex]))
        table.erase(table.begin() + static_cast<std::ptrdiff_t>(nIndex));
    ListAssignments();
}

void CZPCustomizeKeyboardPage::OnResetAll()
{
    CZPShortcutManager* pManager = GetShortcutManager();
    if (pManager == NULL)
        return;
    const CString strPrompt = ZpResourceManagerInstance()->LoadStringOrEmpty(ZP_IDS_CONFIRM_RESET_KEYS);
    if (ZpCustomizeMessageBox(this, strPrompt, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
        return;
    pManager->ResetToDefault();
    ListAssignments();
}
