// A combo box on a bar (kind 5): an editable drop-down (edit part and list) or a drop-down list,
// with prefix completion, a grey hint, saved items and the shell's auto-suggest.
#pragma once

#include "commandbars/ZPCommandBarEditCtrl.h"
#include "commandbars/ZPControlPopup.h"

class CZPControlComboBox;
class CZPControlComboBoxAutoCompleteWnd;
class CZPControlComboBoxPopupBar;

// Rows of an open list unless set otherwise.
const int ZP_COMBO_DEFAULT_ROWS = 12;

class CZPControlComboBoxEditCtrl : public CZPCommandBarEditCtrl
{
public:
    CZPControlComboBoxEditCtrl() : m_pControl(NULL) {}
    CZPControlComboBox* m_pControl;  // borrowed: the owner clears it before it deletes this object

protected:
    CZPBarEditOwner* GetEditOwner() const override;
    LRESULT EditWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CZPControlComboBox : public CZPControlPopup, public CZPBarEditOwner
{
    DECLARE_DYNCREATE(CZPControlComboBox)
public:
    explicit CZPControlComboBox(BOOL bListWithIcons = FALSE);
    ~CZPControlComboBox() override;

    void SetEnabled(int nEnabled) override;
    void SetFocused(BOOL bFocused) override;
    BOOL IsFocused() const override { return m_bFocused; }
    void SetRect(CRect rcControl) override;
    BOOL IsCaptionVisible() const override;
    BOOL Compare(CZPControl* pOther) override;
    void SetHideFlags(DWORD dwFlags) override;
    void Execute() override;
    void OnBeforeLayout(UINT nLayoutMode) override;
    void DoPropExchange(CZPPropExchange* pPX) override;
    void OnKeyboardActivate() override;
    void OnThemeChanged() override { m_bLayoutPending = TRUE; }
    CZPControl* GetOwnerControl() override { return this; }
    CZPCommandBarEditCtrl* GetOwnerEdit() const override { return m_pEdit; }
    ZP_EDIT_TEXT_CACHE& GetTextCache() override { return m_textCache; }
    BOOL IsWritingText() const override { return m_bUpdating; }
    void OnEditRButtonDown() override;
    void Copy(CZPControl* pSource, BOOL bRecursive) override;
    void OnClick(BOOL bKeyboard, CPoint point) override;
    BOOL IsFocusable() const override { return TRUE; }
    BOOL OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    BOOL OnHookMouseWheel(UINT nFlags, short zDelta, CPoint point) override;
    void SetParent(CZPCommandBar* pParent) override;
    BOOL SetPopuped(BOOL bPopup) override;
    void OnMouseMove(CPoint point) override;
    void OnMouseHover() override {}
    BOOL OnSetSelected(int bSelected) override;
    BOOL IsCustomizeResizable() const override { return TRUE; }
    int GetCustomizeMinWidth() const override { return m_nLabelWidth + m_nDropDownButtonWidth + 5; }
    void OnRemoved() override;
    CZPControl* Clone(BOOL bRecursive) override;

    virtual CString GetListBoxText() const;                                   // 84
    virtual void GetRichEditCharFormat(CHARFORMAT2W& cf) override;            // 85
    virtual void DrawEditText(CDC* pDC, CRect rc);                            // 86
    virtual CString GetSelectedItemText() const { return GetListBoxText(); }  // 87
    virtual void OnEditChanged() override;                                    // 88
    virtual void OnSelChanged();                                              // 89
    virtual CZPControlComboBoxEditCtrl* CreateEditCtrl();                     // 90
    virtual void OnSetFocus(HWND hWndPrevious) override;                      // 91
    virtual void OnKillFocus() override;                                      // 92
    virtual void AdjustEditIconRect(CRect& rc);                               // 93
    virtual void DrawListItem(LPDRAWITEMSTRUCT lpDrawItem);                   // 94
    virtual void MeasureListItem(LPMEASUREITEMSTRUCT) {}                      // 95

    void SetDropDown(BOOL bDropDown);
    BOOL GetDropDown() const { return m_bDropDown; }
    void SetShellAutoComplete(DWORD dwFlags);
    int GetCurSel() const;
    void SetCurSel(int nIndex);
    CString GetText() const;
    void SetText(const CString& strText);
    CString GetEditText() const;
    void SetEditText(const CString& strText);
    CString GetEditHint() const { return m_strEditHint; }
    void SetEditHint(const CString& strHint);
    void SyncListSelection();
    void UpdateEditVisibility();

    // The list-related operations of the drop-down bar; NULL when another kind of bar is attached.
    CZPControlComboBoxPopupBar* GetDropDownBar() const;
    int AddString(LPCWSTR lpszText);
    int GetCount() const;
    BOOL GetAutoComplete() const { return m_bAutoComplete; }
    void SetAutoComplete(BOOL bAutoComplete) { m_bAutoComplete = bAutoComplete; }
    int GetDropDownItemCount() const { return m_nDropDownItemCount; }
    void SetDropDownItemCount(int nCount) { m_nDropDownItemCount = nCount; }
    int GetComboStyle() const { return m_nComboStyle; }
    void SetComboStyle(int nStyle) { m_nComboStyle = nStyle; }
    int GetEditIconId() const { return m_nEditIconId; }
    void SetEditIconId(int nId) { m_nEditIconId = nId; }
    DWORD GetEditStyle() const { return m_dwEditStyle; }
    void SetEditStyle(DWORD dwStyle) { m_dwEditStyle = dwStyle; }
    int GetLabelWidth() const { return m_nLabelWidth; }
    int GetDropDownButtonWidth() const { return m_nDropDownButtonWidth; }
    // Written by the paint manager; a change re-places the edit window at the next layout.
    void SetLabelWidth(int nWidth);
    void SetDropDownButtonWidth(int nWidth);
    CZPControlComboBoxEditCtrl* GetEditCtrl() const { return m_pEdit; }
    BOOL IsCompletionSuppressed() const { return m_bCompletionSuppressed; }

protected:
    HWND GetEditHwnd() const { return m_pEdit != NULL ? m_pEdit->GetSafeHwnd() : NULL; }
    BOOL EditHasFocus() const { return GetEditHwnd() != NULL && ::GetFocus() == GetEditHwnd(); }
    void DestroyEditWindow();
    void DeleteEditCtrl();
    void DropFocusQuietly();
    void RefreshCharFormat();
    // Closes the open list of the parent bar.
    void CloseList();

    CZPControlComboBoxEditCtrl* m_pEdit;  // owned
    BOOL m_bDropDown;
    int m_nComboStyle;
    int m_nSavedSelection;
    CString m_strSavedText;
    BOOL m_bLayoutPending;
    int m_nLabelWidth;
    int m_nDropDownButtonWidth;
    CString m_strEditHint;
    BOOL m_bAutoComplete;
    BOOL m_bCompletionSuppressed;
    DWORD m_dwShellAutoCompleteFlags;
    BOOL m_bFocused;
    int m_nEditIconId;
    BOOL m_bSelectionConfirmed;
    int m_nDropDownItemCount;
    mutable ZP_EDIT_TEXT_CACHE m_textCache;
    CZPControlComboBoxAutoCompleteWnd* m_pAutoComplete;  // owned
    DWORD m_dwEditStyle;
    int m_nCachedSelection;
    BOOL m_bUpdating;
};
