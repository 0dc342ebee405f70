// The frame's menu bar: a toolbar built from a menu resource that takes the frame's own menu
// away while it lives (and gives it back when the frame or the bar goes), and enters keyboard
// tracking on a lone Alt key. In a single-document frame no MDI branch ever runs.
#pragma once

#include "commandbars/ZPControlButton.h"
#include "commandbars/ZPControlPopup.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPToolBar.h"

class CZPMenuBarMDIMenus;

const UINT ZP_MENUBAR_ID = 1;
// Menu-bar flags: the five position bits plus 0x40, stretched to the full row.
const DWORD ZP_MENUBAR_FLAGS = 0x5F;
// Posted to the bar (as a WM_TIMER id) to refresh its MDI state.
const UINT_PTR ZP_TIMER_MENUBAR_MDI_REFRESH = 12223;
// The buttons of a maximized MDI child at the bar's end.
const int ZP_ID_MDI_CLOSE = 9151;
const int ZP_ID_MDI_RESTORE = 9152;
const int ZP_ID_MDI_MINIMIZE = 9153;
const int ZP_ID_MDI_SYSMENU = 9154;
// Menu-bar flags that leave out a maximized child's minimize, restore and close buttons, and
// that show its system-menu control.
const DWORD ZP_MENUBAR_FLAG_NO_MINIMIZE = 0x100;
const DWORD ZP_MENUBAR_FLAG_NO_RESTORE = 0x200;
const DWORD ZP_MENUBAR_FLAG_NO_CLOSE = 0x1000;
const DWORD ZP_MENUBAR_FLAG_SYSMENU = 0x2000;
// Menu-bar flag: the bar leaves the MDI menus the frame sets alone.
const DWORD ZP_MENUBAR_FLAG_IGNORE_MDI_MENUS = 0x400;

class CZPMenuBar : public CZPToolBar
{
    DECLARE_DYNCREATE(CZPMenuBar)
public:
    // Minimize (9153), restore (9152) or close (9151) of the maximized MDI child: a Marlett glyph
    // 16 x 16 that sends the child the system command.
    class CControlMDIButton : public CZPControlButton
    {
        DECLARE_DYNCREATE(CControlMDIButton)
    public:
        CControlMDIButton();
        // Sets the id with its glyph and tooltip.
        void SetMdiCommand(int nId);
        CSize GetSize(CDC* pDC) override;
        void Execute() override;
        void Draw(CDC* pDC) override;
    };

    // The maximized child's system menu (9154): its 16 x 16 icon, opening the child's system
    // menu as a popup bar.
    class CControlMDISysMenuPopup : public CZPControlPopup
    {
        DECLARE_DYNCREATE(CControlMDISysMenuPopup)
    public:
        // The popup bar of the system menu; not customizable.
        class CZPSysMenuPopupBar : public CZPPopupBar
        {
            DECLARE_DYNCREATE(CZPSysMenuPopupBar)
        public:
            CZPSysMenuPopupBar();
        };

        CControlMDISysMenuPopup();
        ~CControlMDISysMenuPopup() override;
        // Takes the child's icon and rebuilds the popup from its system menu.
        void SetChildMenu(HWND hWndChild, HMENU hMenu);
        HMENU GetShownMenu() const { return m_hMenu; }
        HICON GetIcon() const { return m_hIcon; }
        CSize GetSize(CDC* pDC) override;
        void Draw(CDC* pDC) override;
        void AdjustExcludeRect(CRect& rc, BOOL bVertical) override;

    private:
        HICON m_hIcon;  // owned: a 16 x 16 copy of the child's icon
        HMENU m_hMenu;  // borrowed: the child's system menu shown
    };

    CZPMenuBar();
    ~CZPMenuBar() override;

    // The frame's menu taken away while the bar lives; NULL when none.
    HMENU GetSavedFrameMenu() const { return m_hMenuSaved; }
    UINT GetResourceId() const { return m_nResourceId; }
    UINT GetCurrentMenuId() const { return m_nCurrentMenuId; }
    BOOL IsMdiFrame() const { return m_bMdiFrame; }
    HWND GetTrackedMdiChild() const { return m_hWndMdiChild; }
    // The active MDI child of the site frame (NULL outside an MDI frame), and whether it is maximized.
    HWND GetActiveMdiChild(BOOL* pbMaximized) const;
    // Follows the active MDI child and refreshes its buttons (the 12223 timer).
    void RefreshMdiState();

    // Virtual operations added to the toolbar's, in slot order.
    // Id 0 attaches to the frame as it is; otherwise the bar's controls come from the menu
    // resource. FALSE when the menu cannot be loaded or read (the frame keeps its own menu).
    virtual BOOL LoadMenuResource(UINT nIDResource);
    // Switches to the controls of a document template's menu (MDI frames only).
    virtual void AddMdiMenu(UINT nId, HMENU hMenu);
    // Adds, refreshes or removes the buttons of a maximized MDI child (MDI frames only).
    virtual void UpdateMdiChildButtons();

    CZPMenuBarMDIMenus* GetMdiMenus() const { return m_pMdiMenus; }
    // The template id of a menu set on the frame: the default menu's is the resource id, any
    // other is the active child's (its document's template, else the child's own resource).
    UINT FindMenuTemplateId(HMENU hMenu) const;

    void ExchangeProperties(CZPPropExchange* pPX) override;
    void CopyFrom(const CZPToolBar* pOther, BOOL bRecursive) override;
    CZPToolBar* CloneBar(BOOL bRecursive) const override;
    void RestoreOriginalControls(BOOL bPrompt) override;
    BOOL CanRestoreOriginal() const override;
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void AttachToFrame();
    void RestoreFrameMenu();
    // The lone Alt key: TRUE when the bar entered keyboard tracking.
    BOOL EnterKeyboardTracking();
    // Asks for a refresh of the MDI state once the current message is done.
    void PostMdiRefresh();
    // WM_MDISETMENU on its way to the MDI client.
    void OnMdiSetMenu(WPARAM& wParam);
    // The bar shows pControls (a reference is taken); the previous collection is kept intact for
    // whoever holds it.
    void ShowControls(CZPControls* pControls);
    // A new collection (one reference) built from the menu, with those controls as originals.
    CZPControls* BuildControlsFromMenu(CMenu* pMenu);
    // Keeps the default menu's controls in the map before they are stored.
    void RegisterDefaultMenu();
    // TRUE when the control was added or removed.
    BOOL UpdateSysMenuControl(HWND hWndChild, BOOL bMaximized);

    BOOL m_bMdiFrame;
    HWND m_hWndMdiChild;  // borrowed: the MDI child whose messages the bar receives
    HMENU m_hMenuSaved;   // the frame's menu, handed back to the frame
    UINT m_nResourceId;
    UINT m_nCurrentMenuId;
    HWND m_hWndFrame;                 // borrowed: the frame whose menu was taken
    CZPMenuBarMDIMenus* m_pMdiMenus;  // owned: one reference
    BOOL m_bMdiMenusSaved;
};
