// Turns on the shell's auto-suggest for one edit window and keeps the command bars from fighting
// with the suggestion drop-down the shell shows: one process-wide WH_CALLWNDPROC hook, owned by
// the watcher of the focused edit.
#pragma once

#include <framework.h>

#include "common/ZPHookManager.h"

// Posted to the watched edit when the shell shows its suggestion drop-down (wParam, lParam 0).
const UINT ZpMsgAutoSuggestShown = 0x2872;
// The exact class of the shell's suggestion drop-down.
#define ZP_AUTOSUGGEST_CLASS L"Auto-Suggest Dropdown"

class CZPControlComboBoxAutoCompleteWnd : public CZPHookManagerHookAble
{
public:
    CZPControlComboBoxAutoCompleteWnd();
    ~CZPControlComboBoxAutoCompleteWnd() override;

    // SHAutoComplete's result, or E_FAIL when shlwapi or the function is missing.
    HRESULT SetupShellAutoComplete(HWND hWndEdit, DWORD dwFlags);
    // TRUE takes the process-wide hook when free; FALSE gives it back when this watcher holds it.
    void SetupHook(BOOL bInstall);
    void TrackDropDown(HWND hWndDropDown);
    void HideDropDown();
    BOOL ForwardKey(UINT nChar, LPARAM lParam);
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    HWND GetDropDown() const { return m_hWndDropDown; }
    HWND GetEditWindow() const { return m_hWndEdit; }
    static HHOOK GetHook() { return s_hHook; }
    static CZPControlComboBoxAutoCompleteWnd* GetHookOwner() { return s_pHookOwner; }
    // The hook's look at one message about to reach a window procedure.
    void OnCallWndProc(const CWPSTRUCT* pInfo);

private:
    static LRESULT CALLBACK CallWndProc(int nCode, WPARAM wParam, LPARAM lParam);

    HWND m_hWndDropDown;  // borrowed: the shell's window while shown
    HWND m_hWndEdit;      // borrowed: the watched edit
    static HHOOK s_hHook;
    static CZPControlComboBoxAutoCompleteWnd* s_pHookOwner;  // borrowed: clears itself on destruction
};
