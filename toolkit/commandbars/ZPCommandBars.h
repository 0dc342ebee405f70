// All command bars of one frame. So far: its site frame, its toolbars, the four dock bars and docking, the
// customize-mode state, the shared managers and the help key.
#pragma once

#include <framework.h>
#include <framework/wnd.h>

#include <vector>

class CZPCommandBar;
class CZPControl;
class CZPControlAction;
class CZPCommandBarsOptions;
class CZPDockBar;
class CZPImageManager;
class CZPPaintManager;
class CZPToolBar;

class CZPCommandBars : public CCmdTarget
{
    DECLARE_DYNCREATE(CZPCommandBars)
public:
    CZPCommandBars();
    ~CZPCommandBars() override;

    CWnd* GetSite() const { return CWnd::FromHandle(m_hWndSite); }
    void SetSite(HWND hWndSite) { m_hWndSite = hWndSite; }
    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    void SetCustomizeMode(BOOL bMode) { m_bCustomizeMode = bMode; }
    // Actions stay off in this system: every control keeps its own state.
    BOOL IsActionsEnabled() const { return FALSE; }
    // The action of an id; actions are not built, so none.
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
    // A new toolbar of the class (default CZPToolBar) at a position; NULL when that fails.
    CZPToolBar* CreateToolBar(LPCWSTR lpszTitle, int nPosition, CRuntimeClass* pClass = NULL);
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
    void SetLayoutLock(BOOL bLock) { m_bLayoutLock = bLock; }
    BOOL IsRightToLeft() const;
    // Copies the controls hidden only for lack of room of every toolbar of the bar's dock row.
    virtual void FillExpandPopup(CZPToolBar* pBar, CZPCommandBar* pPopup);
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
    BOOL SaveBars(std::vector<BYTE>& blob);
    BOOL LoadBars(const std::vector<BYTE>& blob);
    // Shortcuts join the layout once the shortcut manager exists; nothing to do until then.
    virtual void SaveShortcuts(LPCWSTR lpszProfileName);
    virtual void LoadShortcuts(LPCWSTR lpszProfileName);
    // The customize command (35001) has a handler in the site: only then are controls stored.
    virtual BOOL IsCustomizeAvailable() const;

    // The help id F1 asks for: the highlighted control's (0 when none).
    int GetHelpId() const { return m_nHelpId; }
    void SetHelpIdOf(CZPControl* pControl);
    // The frame's messages seen first; TRUE when consumed (*pResult then holds the answer).
    virtual BOOL FilterFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

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
    // Runs last when a bar entered (nMode non-zero) or left tracking. Nothing to follow yet.
    virtual void OnTrackingModeChanged(CZPCommandBar* pBar, int nMode);
    // Records a command as used for the rarely-used menus.
    void SetCommandUsed(int nId) { RecordUsedCommand(nId); }

private:
    HWND m_hWndSite;  // borrowed: the site frame
    BOOL m_bCustomizeMode;
    CZPImageManager* m_pImageManager;  // none of its own until the command bars are built
    CZPPaintManager* m_pPaintManager;  // none of its own until the command bars are built
    CZPDockBar* m_pDockBars[4];        // owned: top, bottom, left, right
    int m_nHelpId;
    CZPCommandBarsOptions* m_pOptions;                 // owned: one reference
    CArray<CZPCommandBar*, CZPCommandBar*> m_arrBars;  // owned: one reference each
    BOOL m_bLayoutLock;
    BOOL m_bControlsKeptAside;  // the stored controls could not be read: the save leaves them alone

    void SaveBarRecords(LPCWSTR lpszProfileName);
    void LoadBarRecords(LPCWSTR lpszProfileName);
    void SaveDockRows(LPCWSTR lpszProfileName);
    void LoadDockRows(LPCWSTR lpszProfileName);
    void LoadControls(LPCWSTR lpszProfileName);
};
