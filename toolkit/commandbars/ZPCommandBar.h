// The window base of every toolbar, menu bar and popup bar: it owns one controls collection and
// answers where its controls' messages go. Tracking, drawing and keyboard handling come later.
#pragma once

#include <framework.h>
#include <framework/wnd.h>

#include "common/ZPAccessible.h"
#include "commandbars/ZPCommandBarsResource.h"

class CZPCommandBars;
class CZPControl;
class CZPControls;
class CZPImageManager;
class CZPPaintManager;

// Bar types.
enum ZpBarType
{
    zpBarTypeMenuBar = 0,
    zpBarTypeNormal = 1,
    zpBarTypePopup = 2
};

// Bar positions.
enum ZpBarPosition
{
    zpBarTop = 0,
    zpBarBottom = 1,
    zpBarLeft = 2,
    zpBarRight = 3,
    zpBarFloating = 4,
    zpBarPopup = 5,
    zpBarListBox = 6,  // takes no part in customize drag and drop
    zpBarNone = 7      // not yet positioned
};

// Pending-state bits.
const DWORD ZP_BAR_PENDING_LAYOUT = 1;
const DWORD ZP_BAR_PENDING_REDRAW = 2;
// Style bit that shows the gripper.
const DWORD ZP_BAR_STYLE_GRIPPER = 0x400000;
// Bar flag of the grouped layout (ribbon group popups).
const DWORD ZP_BAR_FLAG_GROUPED_LAYOUT = 0x200000;
// Most-recently-used width of a new bar: no hint.
const int ZP_BAR_MRU_WIDTH_NONE = 0x7FFF;

class CZPCommandBar : public CWnd, public CZPAccessible
{
    DECLARE_DYNCREATE(CZPCommandBar)
public:
    CZPCommandBar();
    ~CZPCommandBar() override;

    // Lookups of the whole subsystem.
    CZPCommandBars* FindCommandBars() const;
    CZPCommandBar* FindRootParentBar() const;
    // Where site messages go; NULL when there is no window at all.
    CWnd* FindSiteWindow() const;
    // Where command messages go (explicit target, owner, else the site).
    CWnd* FindCommandTargetWindow() const;
    BOOL IsCustomizeModeActive() const;
    CZPPaintManager* ResolvePaintManager() const;
    CZPImageManager* ResolveImageManager() const;

    CZPControls* GetControls() const { return m_pControls; }
    // Releases the old collection (detached first) and binds the new one, taking its reference.
    void SetControls(CZPControls* pControls);
    int CountControls() const;
    CZPControl* ControlAt(int nIndex) const;

    CZPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    void SetCommandBars(CZPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    // Window handles are kept as handles: a target may die while a command runs.
    void SetSiteWindow(HWND hWnd) { m_hWndSite = hWnd; }
    void SetCommandTarget(HWND hWnd) { m_hWndCommandTarget = hWnd; }
    void SetOwnerWindow(HWND hWnd) { m_hWndOwner = hWnd; }

    int GetType() const { return m_barType; }
    int GetPosition() const { return m_barPosition; }
    void SetPosition(int nPosition) { m_barPosition = nPosition; }
    DWORD GetFlags() const { return m_dwFlags; }
    void ModifyBarFlags(DWORD dwRemove, DWORD dwAdd) { m_dwFlags = (m_dwFlags | dwAdd) & ~dwRemove; }
    const CString& GetTitle() const { return m_strTitle; }
    void SetTitle(LPCWSTR lpszTitle) { m_strTitle = lpszTitle; }
    int GetMRUWidth() const { return m_nMRUWidth; }
    void SetMRUWidth(int nWidth) { m_nMRUWidth = nWidth; }
    DWORD GetPendingState() const { return m_dwPending; }
    void DelayLayout() { m_dwPending |= ZP_BAR_PENDING_LAYOUT; }
    void SetPaintManager(CZPPaintManager* pPaintManager);  // keeps a reference
    void ClearPendingState(DWORD dwBits) { m_dwPending &= ~dwBits; }
    int GetDefaultButtonStyle() const { return m_nDefaultButtonStyle; }
    void SetDefaultButtonStyle(int nStyle) { m_nDefaultButtonStyle = nStyle; }
    CSize GetIconSize() const { return m_szIcons; }
    void SetIconSize(CSize size) { m_szIcons = size; }
    CSize GetButtonSize() const { return m_szButtons; }
    void SetButtonSize(CSize size) { m_szButtons = size; }
    // Spacing between controls (cx across a row, cy between rows).
    CSize GetControlsSpacing() const { return m_szControlsSpacing; }
    void SetControlsSpacing(CSize size) { m_szControlsSpacing = size; }
    void SetCustomizable(BOOL bCustomizable) { m_bCustomizable = bCustomizable; }
    int GetHighlightedIndex() const { return m_nHighlightedControl; }
    int GetOpenPopupIndex() const { return m_nPopupedControl; }
    int GetTrackingMode() const { return m_nTrackingMode; }
    // Where a popup tracked with TPM_RETURNCMD stores the executed id; NULL otherwise.
    int* GetReturnCmdSlot() const { return m_pReturnCmd; }
    void SetReturnCmdSlot(int* pReturnCmd) { m_pReturnCmd = pReturnCmd; }
    BOOL IsRecursePopup() const { return m_bRecursePopup; }
    void SetRecursePopup(BOOL bRecurse) { m_bRecursePopup = bRecurse; }

    // Closes the open popup (-1) or opens the popup of a control. Popups are not built: FALSE.
    BOOL OpenControlPopup(int nIndex, BOOL bKeyboard = FALSE);

    // Virtual operations, in slot order.
    virtual void MarkRedrawPending();                                               // 79
    virtual BOOL SwitchTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard);  // 80
    virtual BOOL LoadFromMenu(CMenu* pMenu, BOOL bRemoveControls = TRUE);           // 81
    virtual BOOL HighlightControlAt(int nIndex, int nKind = 0);                     // 82
    virtual CSize GetEffectiveIconSize() const;                                     // 84
    virtual CSize GetEffectiveButtonSize() const;                                   // 85
    virtual BOOL PopupForControl(CZPControl* pControl);                             // 86
    virtual void SetBarVisible(BOOL bVisible);                                      // 87
    virtual BOOL IsBarVisible() const;                                              // 88
    virtual BOOL MoveToPosition(int nPosition);                                     // 89
    virtual BOOL AllowsCustomizing() const;                                         // 94
    virtual void RecalcBarLayout();                                                 // 95
    virtual void EndTracking();                                                     // 96
    virtual void ClearSelection();                                                  // 97
    virtual void OnControlHighlighted(int nSelected, CZPControl* pControl);         // 98
    virtual CZPCommandBar* GetParentBar() const;                                    // 99
    virtual BOOL IsDialogBar() const;                                               // 100
    virtual BOOL IsRibbonBar() const;                                               // 101
    virtual BOOL IsPopupBar() const;                                                // 102
    virtual void RepaintArea(const RECT* pRect, BOOL bNow = FALSE);                 // 105
    virtual CSize ComputeBarSize(int nLength, DWORD dwMode);                        // 114
    virtual void ResetTrackingState();                                              // 116
    virtual void OnIdleUpdate(BOOL bDisableIfNoHandler, BOOL bForce);               // 124

protected:
    void PostNcDestroy() override;

    // Fields in the documented order (only those the controls use so far).
    BOOL m_bOverrideMouseBlock;
    BOOL m_bHoverOpensPopups;
    BOOL m_bKeyboardCaret;
    int m_nMRUWidth;
    int m_nHighlightedControl;
    int m_nPopupedControl;
    UINT m_nBarID;
    BOOL m_bVisible;
    int m_nTrackingMode;
    HWND m_hWndSite;  // borrowed: site of a bar without command bars
    DWORD m_dwPending;
    DWORD m_dwFlags;
    DWORD m_dwStyle;
    CString m_strTitle;
    int m_barType;
    CZPControls* m_pControls;  // owned: one reference; its parent bar is this bar
    int m_barPosition;
    CZPCommandBars* m_pCommandBars;  // borrowed: the owner command bars
    HWND m_hWndCommandTarget;        // borrowed: explicit command-target window
    HWND m_hWndOwner;                // borrowed: owner window given when tracked
    CSize m_szIcons;
    CSize m_szButtons;
    BOOL m_bRecursePopup;
    BOOL m_bCustomizable;
    int* m_pReturnCmd;  // borrowed: the tracking caller's return slot
    int m_nDefaultButtonStyle;
    CSize m_szControlsSpacing;
    CRefPtr<CZPPaintManager> m_pPaintManager;
};
