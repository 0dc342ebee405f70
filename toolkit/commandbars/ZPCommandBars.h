// All command bars of one frame. So far: its site frame, its toolbars, the four dock bars and docking, the
// customize-mode state, the shared managers and the help key.
#pragma once

#include <framework.h>
#include <framework/wnd.h>

#include <vector>

#include "commandbars/ZPCommandBarsContextMenus.h"

class CZPCommandBar;
class CZPCommandBarKeyboardTip;
class CZPControl;
class CZPControlAction;
class CZPControlActions;
class CZPCustomizeDragTracker;
class CZPCommandBarsOptions;
class CZPDockBar;
class CZPImageManager;
class CZPPaintManager;
class CZPPopupBar;
class CZPToolBar;
class CZPShortcutManager;
class CZPToolTipContext;
struct ZP_LOADED_BARS;

class CZPCommandBars : public CCmdTarget
{
    DECLARE_DYNCREATE(CZPCommandBars)
public:
    CZPCommandBars();
    ~CZPCommandBars() override;

    CWnd* GetSite() const { return CWnd::FromHandle(m_hWndSite); }
    void SetSite(HWND hWndSite) { m_hWndSite = hWndSite; }
    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    // Customize mode of the sheet: the selection cleared, every bar redrawn and updated, the site
    // laid out again and the keyboard cues shown while it lasts.
    void SetCustomizeMode(BOOL bMode);
    // Customize mode around an Alt+drag: on for a non-null owner window, off for NULL.
    void SetQuickCustomizeMode(HWND hWndOwner);
    HWND GetCustomizeOwner() const { return m_hWndCustomizeOwner; }
    // The control selected for customizing (NULL when none); both old and new are redrawn and
    // ZpMsgCustomizeSelection goes to the running customize sheet, else to the site.
    CZPControl* GetCustomizeSelection() const { return m_pCustomizeSelection; }
    void SetCustomizeSelection(CZPControl* pControl);
    CZPCustomizeDragTracker* GetDragTracker() const { return m_pDragTracker; }
    // The action switch: off unless turned on (this system leaves it off, so every control keeps
    // its own state and the collection stays empty).
    BOOL IsActionsEnabled() const { return m_bEnableActions; }
    void EnableActions(BOOL bEnable = TRUE) { m_bEnableActions = bEnable; }
    CZPControlActions* GetActions() const { return m_pActions; }
    // The action of an id, created when missing; NULL while actions are off or for a bad id.
    CZPControlAction* LookupAction(int nId) const;

    // Own managers (NULL: the process-wide ones).
    CZPImageManager* GetImageManager() const { return m_pImageManager; }
    CZPPaintManager* GetPaintManager() const { return m_pPaintManager; }

    // Creates the top, bottom, left and right dock bars as children of the site; throws
    // CResourceException when one cannot be created.
    void CreateDockBars();
    // The dock bar at a position 0-3 (top, bottom, left, right); NULL otherwise or before creation.
    CZPDockBar* GetDockBar(int nPosition) const;
    // The first aligned dock bar (the preferred one first) whose window grown by the docking
    // margin holds the screen point strictly inside; NULL when none.
    CZPDockBar* CanDock(CPoint point, CZPDockBar* pPreferred = NULL) const;

    // Bars: the menu bar and toolbars in creation order, each holding one reference.
    int GetCount() const { return static_cast<int>(m_arrBars.GetSize()); }
    CZPCommandBar* GetAt(int nIndex) const;
    int IndexOf(const CZPCommandBar* pBar) const;
    CZPCommandBar* FindToolBar(UINT nId) const;
    // The context menus (their controls are stored with the layout).
    CZPCommandBarsContextMenus* GetContextMenus() { return &m_contextMenus; }
    // A new toolbar of the class (default CZPToolBar) at a position; NULL when that fails.
    CZPToolBar* CreateToolBar(LPCWSTR lpszTitle, int nPosition, CRuntimeClass* pClass = NULL);
    // A user toolbar: the site may offer the object (ZpMsgCreateBar); not built-in, with the id,
    // floating when torn off, else docked at the top. NULL when it cannot be placed.
    virtual CZPToolBar* CreateCustomToolBar(LPCWSTR lpszTitle, UINT nID, BOOL bTearOff = FALSE);
    // Appends a bar the caller created (takes over the caller's reference).
    void AddBar(CZPCommandBar* pBar);
    // Hides, undocks and destroys the bar's window, drops it from the list and releases it.
    void Remove(CZPCommandBar* pBar);
    void RemoveAll();
    BOOL DockCommandBar(CZPToolBar* pBar, const RECT* pRect, CZPDockBar* pDockBar);
    BOOL DockCommandBar(CZPToolBar* pBar, int nPosition);
    BOOL FloatCommandBar(CZPToolBar* pBar);
    // The frame's layout at once, or at idle time with bDelay; WM_SIZE for other sites.
    virtual void RelayoutSite(BOOL bDelay);
    // Runs a delayed frame layout now.
    void FlushPendingLayout();
    // After a theme, skin or colour change: every control hears it, visible bars lay out again,
    // the site's children repaint and the site recalculates its layout and frame.
    void RefreshAllBars();
    void SetLayoutLock(BOOL bLock) { m_bLayoutLock = bLock; }
    BOOL IsRightToLeft() const;
    // Copies the controls hidden only for lack of room of every toolbar of the bar's dock row.
    virtual void FillExpandPopup(CZPToolBar* pBar, CZPCommandBar* pPopup);
    // One entry per toolbar of the bar's dock row (the bar alone when it floats), each opening
    // its add-or-remove list, then the customize command.
    virtual void FillAddRemovePopup(CZPToolBar* pBar, CZPCommandBar* pPopup);
    // The site's command routing handles the customize command.
    BOOL IsCustomizeCommandPresent() const;
    // The hide-all switch of every toolbar (print preview).
    void HideAllToolBars(BOOL bHide);
    // The toolbars context menu; popups are not built here, so nothing shows.
    virtual void ShowToolbarsContextMenu(CZPCommandBar* pBar, CPoint ptScreen);

    // Layout persistence under a profile name: bar records, dock rows, the controls blob, the
    // status bar and the rebar. Each loading stage is guarded: a damaged one costs only itself.
    void SaveCommandBars(LPCWSTR lpszProfileName, BOOL bOnlyCustomized = TRUE);
    // The options under "%s-Options"; a missing value leaves its option, a bad one gives the default.
    void SaveOptions(LPCWSTR lpszProfileName);
    void LoadOptions(LPCWSTR lpszProfileName);
    void LoadCommandBars(LPCWSTR lpszProfileName, BOOL bSilent = FALSE);
    // The toolbars' controls as a stored blob, and back (whole or not at all).
    BOOL SaveBars(std::vector<BYTE>& blob, BOOL bOnlyCustomized = FALSE);
    BOOL LoadBars(const std::vector<BYTE>& blob, BOOL bSilent = TRUE);
    // The shortcut manager's table, the last stage of saving and loading the layout.
    virtual void SaveShortcuts(LPCWSTR lpszProfileName);
    virtual void LoadShortcuts(LPCWSTR lpszProfileName);
    // The customize command (35001) has a handler in the site: only then are controls stored.
    virtual BOOL IsCustomizeAvailable() const;

    // The help id F1 asks for: the highlighted control's (0 when none).
    int GetHelpId() const { return m_nHelpId; }
    void SetHelpIdOf(CZPControl* pControl);
    // The frame's messages seen first; TRUE when consumed (*pResult then holds the answer).
    virtual BOOL FilterFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The frame's key pre-translation, after the frame's own; TRUE when consumed.
    virtual BOOL PreTranslateFrameMessage(MSG* pMsg);
    // Shortcuts are off while the frame shows its print preview.
    void OnSetPreviewMode(BOOL bPreview);
    CZPShortcutManager* GetShortcutManagerObject() const { return m_pShortcutManager; }
    // Set: Alt+letter with Shift held is left to the frame rather than taken as a mnemonic.
    BOOL IsShiftFilter() const { return m_bShiftFilter; }
    void SetShiftFilter(BOOL bFilter) { m_bShiftFilter = bFilter; }
    // The tips of the bars' controls (the Office kind).
    CZPToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }

    // Keyboard cues: the underlined mnemonics, shown always or, when in use, with Alt or tracking.
    BOOL IsKeyboardCuesShown() const { return m_bKeyboardCuesShown; }
    BOOL IsKeyboardCuesUsed() const { return m_bKeyboardCuesUsed; }
    void SetKeyboardCuesShown(BOOL bShown);
    // Takes a ZP_CUES_SHOW_* value.
    void ApplyKeyboardCuesShow(int nShow);

    // Alt+letter: finds the control whose mnemonic the key is in the tracking bar, else the shown
    // menu bar (or first shown toolbar), enters tracking on its bar and activates it when the
    // match is unique; FALSE when no control matches.
    BOOL OnMnemonicKey(UINT nKey);
    // The control of the key after the bar's highlighted one (on into the other shown toolbars
    // when the cue use asks for it); NULL when none. *pbAmbiguous: another control matches too.
    CZPControl* FindMnemonicControl(CZPCommandBar* pBar, UINT nKey, BOOL* pbAmbiguous) const;
    // Keyboard tracking moves to the next (1) or previous (-1) shown toolbar after the bar, or to
    // the bar itself (0); FALSE when there is no such toolbar.
    BOOL SetTrackingToolbar(CZPCommandBar* pBar, int nDirection);

    // Keyboard tips: the tips of one bar, typed letter by letter.
    void ShowKeyboardTipsForBar(CZPCommandBar* pBar, int nLevel);
    void DestroyKeyboardTips();
    // TRUE when a tip took the key (or it beeped).
    void OnKeyboardTipTyped(UINT nKey);
    // A bar's CreateKeyboardTips hands each tip over (owned from then on).
    void AddKeyboardTip(CZPCommandBarKeyboardTip* pTip) { m_arrKeyboardTips.push_back(pTip); }
    CZPCommandBar* GetKeyboardTipsBar() const { return m_pKeyboardTipsBar; }
    int GetKeyboardTipsLevel() const { return m_nKeyboardTipsLevel; }
    int GetKeyboardTipCount() const { return static_cast<int>(m_arrKeyboardTips.size()); }
    CZPCommandBarKeyboardTip* GetKeyboardTip(int nIndex) const
    {
        return m_arrKeyboardTips[static_cast<size_t>(nIndex)];
    }
    // The beep of a tip that cannot run or a key no tip continues (a seam for tests).
    static void (*s_pfnKeyboardTipBeep)(UINT nType);

    CZPCommandBarsOptions* GetCommandBarsOptions() const { return m_pOptions; }
    // TRUE for an id that is hidden until used and has not been used.
    virtual BOOL IsCommandIdHidden(int nId) const;
    // The id's test; with auto-hide, a popup whose child bar has controls, all hidden by usage.
    virtual BOOL IsControlHiddenByUsage(CZPControl* pControl) const;
    // Enters a hidden id into the used commands.
    void RecordUsedCommand(int nId);
    void ResetUsageData();

    // Ends the tracking of every bar of the thread.
    void EndAllTracking();
    // Runs last when a bar entered (nMode non-zero) or left tracking: cues and tips follow.
    virtual void OnTrackingModeChanged(CZPCommandBar* pBar, int nMode);
    // Records a command as used for the rarely-used menus.
    void SetCommandUsed(int nId) { RecordUsedCommand(nId); }

private:
    HWND m_hWndSite;  // borrowed: the site frame
    BOOL m_bCustomizeMode;
    HWND m_hWndCustomizeOwner;                 // borrowed: the window that started customize mode
    CZPControl* m_pCustomizeSelection;         // one reference
    CZPCustomizeDragTracker* m_pDragTracker;   // owned
    CZPImageManager* m_pImageManager;  // none of its own until the command bars are built
    CZPPaintManager* m_pPaintManager;  // none of its own until the command bars are built
    CZPDockBar* m_pDockBars[4];        // owned: top, bottom, left, right
    int m_nHelpId;
    CZPCommandBarsOptions* m_pOptions;                 // owned: one reference
    CArray<CZPCommandBar*, CZPCommandBar*> m_arrBars;  // owned: one reference each
    CZPShortcutManager* m_pShortcutManager;  // owned
    CZPControlActions* m_pActions;           // one reference
    BOOL m_bEnableActions;
    BOOL m_bPreviewMode;
    BOOL m_bKeyboardCuesShown;
    BOOL m_bKeyboardCuesUsed;
    int m_nKeyboardTipsLevel;
    int m_nKeyboardTipsTyped;
    std::vector<CZPCommandBarKeyboardTip*> m_arrKeyboardTips;  // owned, windows destroyed with them
    CZPCommandBar* m_pKeyboardTipsBar;                         // borrowed: the bar showing the tips
    BOOL m_bLayoutLock;
    BOOL m_bControlsKeptAside;  // the stored controls could not be read: the save leaves them alone
    BOOL m_bShiftFilter;
    CZPCommandBarsContextMenus m_contextMenus;
    CZPToolTipContext* m_pToolTipContext;  // owned: one reference

    void SaveBarRecords(LPCWSTR lpszProfileName);
    void LoadBarRecords(LPCWSTR lpszProfileName);
    void SaveDockRows(LPCWSTR lpszProfileName);
    void LoadDockRows(LPCWSTR lpszProfileName);
    void SaveDockMemory(const CString& strSection, CZPCommandBar* pBar);
    void LoadDockMemory(const CString& strSection, CZPToolBar* pBar);
    void LoadControls(LPCWSTR lpszProfileName, BOOL bSilent);
    void ApplyLoadedControls(CZPCommandBar* pBar, CZPCommandBar* pLoaded, BOOL bSilent);
    static BOOL IsBarCustomized(CZPCommandBar* pBar);
    // The bars the blob stores (with a reference each): the toolbars (with bOnlyCustomized only
    // the customized ones) and every popup bar they open, the popup bars under ids of their own.
    void CollectBarsForSaving(CPtrArray* pBars, BOOL bOnlyCustomized);
    static void ReleaseLoadedLinks(ZP_LOADED_BARS& loaded);
    void ApplyLoadedContextMenu(CZPPopupBar* pLoaded);
};

// Tracks a popup bar at a screen point like TrackPopupMenu with its TPM_ flags: with
// TPM_RETURNCMD the executed command id (0 when none), otherwise 1; 0 for no popup or when it
// cannot be shown. pWnd (default: the popup's site) becomes its site, pWndCommand its command
// target. With TPM_RECURSE the bars tracked at the call stay locked until it returns.
int ZpTrackPopupBar(CZPPopupBar* pPopup, UINT nFlags, int x, int y, CWnd* pWnd = NULL, LPCRECT lprcExclude = NULL,
                    CWnd* pWndCommand = NULL);
