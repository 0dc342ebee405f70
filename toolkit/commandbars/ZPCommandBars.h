// All command bars of one frame. So far: its site frame, the four dock bars, the customize-mode
// state, the shared managers and the help key; bar creation and docking come later.
#pragma once

#include <framework.h>
#include <framework/wnd.h>

#include <vector>

class CZPCommandBar;
class CZPCommandBarKeyboardTip;
class CZPControl;
class CZPControlAction;
class CZPCommandBarsOptions;
class CZPDockBar;
class CZPImageManager;
class CZPPaintManager;
class CZPShortcutManager;

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

    // Keyboard cues: the underlined mnemonics, shown always or, when in use, with Alt or tracking.
    BOOL IsKeyboardCuesShown() const { return m_bKeyboardCuesShown; }
    BOOL IsKeyboardCuesUsed() const { return m_bKeyboardCuesUsed; }
    void SetKeyboardCuesShown(BOOL bShown);
    // Takes a ZP_CUES_SHOW_* value.
    void ApplyKeyboardCuesShow(int nShow);

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
    CZPImageManager* m_pImageManager;  // none of its own until the command bars are built
    CZPPaintManager* m_pPaintManager;  // none of its own until the command bars are built
    CZPDockBar* m_pDockBars[4];        // owned: top, bottom, left, right
    int m_nHelpId;
    CZPCommandBarsOptions* m_pOptions;       // owned: one reference
    CZPShortcutManager* m_pShortcutManager;  // owned
    BOOL m_bPreviewMode;
    BOOL m_bKeyboardCuesShown;
    BOOL m_bKeyboardCuesUsed;
    int m_nKeyboardTipsLevel;
    int m_nKeyboardTipsTyped;
    std::vector<CZPCommandBarKeyboardTip*> m_arrKeyboardTips;  // owned, windows destroyed with them
    CZPCommandBar* m_pKeyboardTipsBar;                         // borrowed: the bar showing the tips
};
