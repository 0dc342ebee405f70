// All command bars of one frame. Only what bars and controls ask of it exists so far: its site
// frame, the customize-mode state and the shared managers; bar creation and docking come later.
#pragma once

#include <framework.h>
#include <framework/wnd.h>

class CZPCommandBar;
class CZPControlAction;
class CZPImageManager;
class CZPPaintManager;

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

    // Ends the tracking of every bar of the thread.
    void EndAllTracking();
    // Runs last when a bar entered (nMode non-zero) or left tracking. Nothing to follow yet.
    virtual void OnTrackingModeChanged(CZPCommandBar* pBar, int nMode);
    // Records a command as used for the rarely-used menus (the options are not built yet).
    void SetCommandUsed(int nId);

private:
    HWND m_hWndSite;  // borrowed: the site frame
    BOOL m_bCustomizeMode;
    CZPImageManager* m_pImageManager;  // none of its own until the command bars are built
    CZPPaintManager* m_pPaintManager;  // none of its own until the command bars are built
};
