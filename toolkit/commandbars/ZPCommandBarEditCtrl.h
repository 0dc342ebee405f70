// The edit window that combo boxes and edit controls place on their bar: a rich edit when a
// rich-edit library loads (a plain edit otherwise), with a quiet text setter, text reading that
// understands the rich edit, IME tracking, Cut/Copy/Paste commands and the keys it consumes.
#pragma once

#include <framework.h>
#include <framework/controls.h>

#include <richedit.h>

class CZPCommandBarEditCtrl;
class CZPControl;
class CZPControlComboBoxAutoCompleteWnd;

// The last known text of an edit window, read again only after the window reported a change.
struct ZP_EDIT_TEXT_CACHE
{
    CString strText;
    BOOL bStale = TRUE;

    CString Get(const CZPCommandBarEditCtrl* pEdit);
    // Writes the window only when its text differs (quietly: one change reaches the owner).
    void Set(CZPCommandBarEditCtrl* pEdit, const CString& strNew);
};

// What an edit window asks of the control that owns it (the combo box or the edit control).
class CZPBarEditOwner
{
public:
    virtual CZPControl* GetOwnerControl() = 0;
    virtual void OnSetFocus(HWND hWndPrevious) = 0;
    virtual void OnKillFocus() = 0;
    virtual void OnEditChanged() = 0;
    virtual void GetRichEditCharFormat(CHARFORMAT2W& cf) = 0;
    virtual ZP_EDIT_TEXT_CACHE& GetTextCache() = 0;
    // TRUE while the owner itself writes a chosen text: that is no typing.
    virtual BOOL IsWritingText() const { return FALSE; }
    // A right button press before the focus is taken.
    virtual void OnEditRButtonDown() {}
    // The owner's edit window object, NULL when it has none.
    virtual CZPCommandBarEditCtrl* GetOwnerEdit() const = 0;

    // The owners' overrides of the control's setters: the edit window follows the hide flags
    // (shown or hidden, the bar laid out again), the docking side and the enabled state.
    void SetOwnerHideFlags(DWORD dwFlags);
    void OnOwnerBeforeLayout(UINT nLayoutMode);
    void SetOwnerEnabled(int nEnabled);

protected:
    ~CZPBarEditOwner() = default;
};

// Cut, Copy and Paste: the framework's command ids.
const UINT ZP_ID_EDIT_COPY = 57634;
const UINT ZP_ID_EDIT_CUT = 57635;
const UINT ZP_ID_EDIT_PASTE = 57637;
// The size field of CHARFORMAT2 for the version-2 rich edit and for the first one.
const UINT ZP_CHARFORMAT2_SIZE = 116;
const UINT ZP_CHARFORMAT_SIZE = 92;

// The process-wide rich-edit library, loaded on first use and never freed.
struct ZP_RICHEDIT_CLASS
{
    HMODULE hModule;    // NULL: edit windows are plain edits
    LPCWSTR lpszClass;  // "RichEdit20W", "RICHEDIT" or "EDIT"
    BOOL bVersion2;
};
const ZP_RICHEDIT_CLASS& ZpRichEditClass();

class CZPCommandBarEditCtrl : public CEdit
{
    DECLARE_DYNAMIC(CZPCommandBarEditCtrl)
public:
    CZPCommandBarEditCtrl();

    // Creates the window with control id 0 in an empty rectangle.
    virtual BOOL CreateEditWindow(DWORD dwStyle, CWnd* pParentWnd);
    // Empties the window quietly, then sets the text: one change notification reaches the owner.
    void SetEditTextQuiet(LPCWSTR lpszText);
    void GetEditWindowText(CString& strText) const;
    BOOL IsEditCommandEnabled(UINT nId) const;
    // Backspace, navigation keys and Ctrl+C/V/X/Z go to the window: TRUE when it took the key.
    BOOL ProcessEditKey(UINT nChar, LPARAM lParam);
    // Colours from the owner (the CHARFORMAT2 record it fills).
    void UpdateCharFormat();
    // The Cut/Copy/Paste menu as a popup bar at a client point; FALSE without the Cut string.
    virtual BOOL ShowContextMenu(CZPControl* pOwner, CPoint point);

    BOOL IsImeComposing() const { return m_bComposing; }
    BOOL IsQuietSet() const { return m_bQuietSet; }
    void SetOpaqueBackground(BOOL bOpaque) { m_bOpaqueBackground = bOpaque; }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // The owner goes: destroys the window and deletes this object, at once or, when a message of
    // this window is being handled (the owner died in a handler it called), when that returns.
    void DestroyAndDelete();

protected:
    // Counts the handlers of this object on the stack, so that DestroyAndDelete waits for them.
    class CDispatchGuard
    {
    public:
        explicit CDispatchGuard(CZPCommandBarEditCtrl* pEdit) : m_pEdit(pEdit) { ++pEdit->m_nDispatchDepth; }
        ~CDispatchGuard();
        CDispatchGuard(const CDispatchGuard&) = delete;
        CDispatchGuard& operator=(const CDispatchGuard&) = delete;

    private:
        CZPCommandBarEditCtrl* m_pEdit;  // borrowed: deleted here when its deletion was waiting
    };

    // The owning control, NULL once it has let go of this window.
    virtual CZPBarEditOwner* GetEditOwner() const { return NULL; }
    // The messages of the window; subclasses handle theirs and pass the rest on to this one.
    virtual LRESULT EditWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) final;
    // Every message of the window goes first to the tooltip context of the owner's bar.
    void RelayToBarToolTips(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnPaintEdit();
    void OnEditSetFocus(CZPBarEditOwner* pOwner, WPARAM wParam, LPARAM lParam, LRESULT& lResult);
    void OnOwnerMouseMove(CZPControl* pControl, WPARAM wParam, LPARAM lParam);

    BOOL m_bComposing;
    BOOL m_bOpaqueBackground;
    BOOL m_bQuietSet;
    int m_nDispatchDepth;
    BOOL m_bDeletePending;
    BOOL m_bFormatApplied;  // the colours below are the window's
    COLORREF m_clrAppliedText;
    COLORREF m_clrAppliedBack;
};

// Shared by the combo box and the edit control, which own such a window.
// TRUE in a popup bar, for the caption styles, or when the control asks for a label.
BOOL ZpIsEditCaptionVisible(const CZPControl* pControl, BOOL bLabel);
// The hide flags with the vertical-docking bit set or cleared for a layout mode.
DWORD ZpDockingHideFlags(DWORD dwHideFlags, UINT nLayoutMode);
// Moves a rectangle's left edge past an edit icon that exists.
void ZpAdjustEditIconRect(CZPControl* pControl, int nIconId, CRect& rc);
// Replaces the watcher (owned through rpWatcher) by one for the window's flags, none on failure.
void ZpSetupShellAutoComplete(CZPControlComboBoxAutoCompleteWnd*& rpWatcher, HWND hWndEdit, DWORD dwFlags);
// The owner's colours: window text, or grey text when disabled or showing the hint.
void ZpFillEditCharFormat(CZPControl* pControl, BOOL bGrey, CHARFORMAT2W& cf);
// Shows the window while the control is in a collection, visible and on a bar with a window.
void ZpUpdateEditVisibility(CZPControl* pControl, HWND hWndEdit);
