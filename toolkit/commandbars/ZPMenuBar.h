// The frame's menu bar: a toolbar built from a menu resource that takes the frame's own menu
// away while it lives (and gives it back when the frame or the bar goes), and enters keyboard
// tracking on a lone Alt key. In a single-document frame no MDI branch ever runs.
#pragma once

#include "commandbars/ZPToolBar.h"

const UINT ZP_MENUBAR_ID = 1;
// Menu-bar flags: the five position bits plus 0x40, stretched to the full row.
const DWORD ZP_MENUBAR_FLAGS = 0x5F;
// Posted to the bar (as a WM_TIMER id) to refresh its MDI state.
const UINT_PTR ZP_TIMER_MENUBAR_MDI_REFRESH = 12223;

class CZPMenuBar : public CZPToolBar
{
    DECLARE_DYNCREATE(CZPMenuBar)
public:
    CZPMenuBar();
    ~CZPMenuBar() override;

    // The frame's menu taken away while the bar lives; NULL when none.
    HMENU GetSavedFrameMenu() const { return m_hMenuSaved; }
    UINT GetResourceId() const { return m_nResourceId; }
    UINT GetCurrentMenuId() const { return m_nCurrentMenuId; }
    BOOL IsMdiFrame() const { return m_bMdiFrame; }

    // Virtual operations added to the toolbar's, in slot order.
    // Id 0 attaches to the frame as it is; otherwise the bar's controls come from the menu
    // resource. FALSE when the menu cannot be loaded or read (the frame keeps its own menu).
    virtual BOOL LoadMenuResource(UINT nIDResource);
    // Switches to the controls of a document template's menu (MDI frames only).
    virtual void AddMdiMenu(UINT nId, HMENU hMenu);
    // Adds, refreshes or removes the buttons of a maximized MDI child (MDI frames only).
    virtual void UpdateMdiChildButtons();

    void ExchangeProperties(CZPPropExchange* pPX) override;
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void AttachToFrame();
    void RestoreFrameMenu();
    // The lone Alt key: TRUE when the bar entered keyboard tracking.
    BOOL EnterKeyboardTracking();

    BOOL m_bMdiFrame;
    HWND m_hWndMdiChild;  // borrowed: the MDI child whose messages the bar receives
    HMENU m_hMenuSaved;   // the frame's menu, handed back to the frame
    UINT m_nResourceId;
    UINT m_nCurrentMenuId;
    HWND m_hWndFrame;  // borrowed: the frame whose menu was taken
};
