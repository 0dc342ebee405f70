// An edit control on a bar (kind 6): a text box with an optional label, icon, grey hint and a
// pair of spin buttons that step an integer, held in a child edit window.
#pragma once

#include "commandbars/ZPCommandBarEditCtrl.h"
#include "commandbars/ZPControl.h"

class CZPControlComboBoxAutoCompleteWnd;
class CZPControlEdit;

// The spin repeat timer on the parent bar: first step after the delay, then every period.
const UINT_PTR ZP_TIMER_SPIN = 435;
const UINT ZP_SPIN_FIRST_DELAY = 530;
const UINT ZP_SPIN_REPEAT_PERIOD = 100;
// Pressed and selected values of the two spin buttons.
const int ZP_SPIN_UP = 4;
const int ZP_SPIN_DOWN = 5;

// The step a held spin button takes after elapsed milliseconds: 1, then 5, then 20.
int ZpSpinStepForElapsed(DWORD dwElapsed);
// The text after a spin step: the leading integer of strText (0 when none) plus the change, then
// moved in the step's direction to a multiple of the step; kept within the int range.
CString ZpSpinText(const CString& strText, int nStep, int nDirection);

// The shared edit window plus its owning control; all the owner's handling arrives here.
class CZPControlEditCtrl : public CZPCommandBarEditCtrl
{
public:
    CZPControlEditCtrl() : m_pControl(NULL) {}
    CZPControlEdit* m_pControl;  // borrowed: the owner clears it before it deletes this object

protected:
    CZPBarEditOwner* GetEditOwner() const override;
};

class CZPControlEdit : public CZPControl, public CZPBarEditOwner
{
    DECLARE_DYNCREATE(CZPControlEdit)
public:
    CZPControlEdit();
    ~CZPControlEdit() override;

    void SetEnabled(int nEnabled) override;
    void SetFocused(BOOL bFocused) override;
    BOOL IsFocused() const override { return m_bFocused; }
    void SetRect(CRect rcControl) override;
    BOOL IsCaptionVisible() const override;
    BOOL Compare(CZPControl* pOther) override;
    void SetHideFlags(DWORD dwFlags) override;
    void OnBeforeLayout(UINT nLayoutMode) override;
    void DoPropExchange(CZPPropExchange* pPX) override;
    void OnKeyboardActivate() override;
    void OnThemeChanged() override { m_bLayoutPending = TRUE; }
    CZPControl* GetOwnerControl() override { return this; }
    CZPCommandBarEditCtrl* GetOwnerEdit() const override { return m_pEdit; }
    ZP_EDIT_TEXT_CACHE& GetTextCache() override { return m_textCache; }
    void Copy(CZPControl* pSource, BOOL bRecursive) override;
    void OnClick(BOOL bKeyboard, CPoint point) override;
    BOOL IsFocusable() const override { return m_pEdit != NULL && m_pEdit->GetSafeHwnd() != NULL; }
    BOOL OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    void SetParent(CZPCommandBar* pParent) override;
    void OnMouseMove(CPoint point) override;
    void OnMouseHover() override;
    BOOL OnSetSelected(int bSelected) override;
    BOOL IsCustomizeResizable() const override { return TRUE; }
    int GetCustomizeMinWidth() const override { return m_nLabelWidth + 10; }
    void OnRemoved() override;
    CZPControl* Clone(BOOL bRecursive) override;

    virtual CZPControlEditCtrl* CreateEditCtrl();                       // 82
    virtual void DrawEditIcon(CDC* pDC, int x, int nTop, int nBottom);  // 83
    virtual void OnSetFocus(HWND hWndPrevious) override;                // 84
    virtual void OnKillFocus() override;                                // 85
    virtual void AdjustEditIconRect(CRect& rc);                         // 86
    virtual void OnEditChanged() override;                              // 87
    virtual void GetRichEditCharFormat(CHARFORMAT2W& cf) override;      // 88
    virtual void OnSpin(int nStep, int nDirection);                     // 89

    // The text without the hint; an empty text shows the hint.
    CString GetText() const;
    void SetText(const CString& strText);
    CString GetEditText() const;
    void SetEditText(const CString& strText);
    CString GetEffectiveHint() const { return m_strEditHint; }
    CString GetEditHint() const { return m_strEditHint; }
    void SetEditHint(const CString& strHint);
    BOOL GetReadOnly() const { return m_bReadOnly; }
    void SetReadOnly(BOOL bReadOnly);
    void SetShellAutoComplete(DWORD dwFlags);
    DWORD GetShellAutoCompleteFlags() const { return m_dwShellAutoCompleteFlags; }
    BOOL GetShowSpinButtons() const { return m_bShowSpinButtons; }
    void SetShowSpinButtons(BOOL bShow) { m_bShowSpinButtons = bShow; }
    BOOL GetHasLabel() const { return m_bHasLabel; }
    void SetHasLabel(BOOL bHasLabel) { m_bHasLabel = bHasLabel; }
    DWORD GetEditStyle() const { return m_dwEditStyle; }
    void SetEditStyle(DWORD dwStyle) { m_dwEditStyle = dwStyle; }
    int GetEditIconId() const { return m_nEditIconId; }
    void SetEditIconId(int nId) { m_nEditIconId = nId; }
    int GetLabelWidth() const { return m_nLabelWidth; }
    // Written by the paint manager; a change re-places the edit window at the next layout.
    void SetLabelWidth(int nWidth);
    CRect GetSpinRect() const;
    CZPControlEditCtrl* GetEditCtrl() const { return m_pEdit; }
    CZPControlComboBoxAutoCompleteWnd* GetAutoCompleteWnd() const { return m_pAutoComplete; }
    void UpdateEditVisibility();
    // Holds a spin button down in a loop of its own; timer 435 on the parent bar repeats it.
    void TrackSpinButton(CPoint point);

protected:
    HWND GetEditHwnd() const { return m_pEdit != NULL ? m_pEdit->GetSafeHwnd() : NULL; }
    BOOL EditHasFocus() const { return GetEditHwnd() != NULL && ::GetFocus() == GetEditHwnd(); }
    void DestroyEditWindow();
    // Lowers the modal counter of a control that loses its focus without SetFocused (FALSE).
    void DropFocusQuietly();
    void RefreshCharFormat();

    CZPControlEditCtrl* m_pEdit;  // owned
    BOOL m_bHasLabel;
    BOOL m_bReadOnly;
    int m_nLabelWidth;
    BOOL m_bLayoutPending;
    CString m_strEditHint;
    BOOL m_bFocused;
    CString m_strSavedText;
    mutable ZP_EDIT_TEXT_CACHE m_textCache;
    CZPControlComboBoxAutoCompleteWnd* m_pAutoComplete;  // owned
    DWORD m_dwShellAutoCompleteFlags;
    DWORD m_dwEditStyle;
    BOOL m_bShowSpinButtons;
    int m_nEditIconId;
};
