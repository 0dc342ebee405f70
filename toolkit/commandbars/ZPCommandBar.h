// The window base of every toolbar, menu bar and popup bar: it owns one controls collection,
// answers where its controls' messages go, highlights them and runs the tracking (menu) mode.
#pragma once

#include <framework.h>
#include <framework/wnd.h>
#include <vector>

#include "common/ZPAccessible.h"
#include "common/ZPHookManager.h"
#include "commandbars/ZPCommandBarsResource.h"
#include "commandbars/ZPDropPositionIndex.h"

class CZPCommandBarAnimation;
class CZPCommandBars;
class CZPCommandBarKeyboardTip;
class CZPControl;
class CZPControls;
class CZPCustomizeDragTracker;
class CZPImageManager;
class CZPPaintManager;
class CZPPropExchange;

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
// Tracking mode of a bar that opened one of its controls' popups.
const int ZP_TRACKING_POPUP_OPEN = 2;
// Most-recently-used width of a new bar: no hint.
const int ZP_BAR_MRU_WIDTH_NONE = 0x7FFF;
// ShowTextBelowIcons value that defers to the command bars' option.
const int ZP_TEXT_BELOW_ICONS_FROM_OPTIONS = 2;
// ContainsScreenPoint answer of a bar that never claims a point, not even over its children.
const int ZP_CONTAINS_NEVER = -2;
// Timers of the bar: hovering opens a popup; the full menu shows after a delay.
const UINT_PTR ZP_TIMER_HOVER = 112223;
const UINT ZP_HOVER_DELAY = 300;
const UINT_PTR ZP_TIMER_SHOW_FULL = 112224;
// Posted (lParam 0) to the topmost tracking bar after a tracking change: it shows its keyboard tips.
const UINT_PTR ZP_TIMER_KEYBOARD_TIPS = 52426;

// Keyboard navigation codes of a tracking bar.
enum ZpNavigationCode
{
    zpNavNext = 0,
    zpNavPrevious = 1,
    zpNavClosePopup = 2,
    zpNavOpenPopup = 3,
    zpNavEscape = 4,
    zpNavEnter = 5,
    zpNavFirst = 6,
    zpNavLast = 7,
    zpNavPreviousArrow = 8,
    zpNavNextArrow = 9,
    zpNavSystemMenu = 10  // menu bar only: the window's system menu
};
// Answers of a tracking bar to a key.
const int zpKeyHandled = 1;
const int zpKeyNotHandled = 2;
// The navigation code of an arrow, Home or End key; -1 for any other key. A right-to-left bar
// exchanges what left and right do.
int ZpNavigationCodeOfKey(UINT nKey, BOOL bHorizontal, BOOL bRightToLeft);

// The parameter block a bar exchange carries in the exchange's m_dwData (copied into child
// sections); through it a loaded bar finds its command bars.
struct ZP_COMMANDBARS_EXCHANGE_PARAMS
{
    BOOL bSerializeOnlyCustomized;  // storing
    BOOL bLoadSilent;               // loading
    BOOL bSaveOriginalControls;
    BOOL bSaveOuterControls;
    CZPCommandBars* pCommandBars;  // borrowed: the owner of the bars exchanged
};

// The bars read from a stored layout while the popup controls find their bars again.
struct ZP_LOADED_BARS
{
    std::vector<CZPCommandBar*> bars;    // each with one reference of the loader
    std::vector<CZPCommandBar*> linked;  // borrowed: bars whose links are restored (or under way)
    std::vector<CZPCommandBar*> chain;   // borrowed: the bars whose links are being restored
};

class CZPCommandBar : public CWnd, public CZPHookManagerHookAble, public CZPAccessible
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
    UINT GetBarID() const { return m_nBarID; }
    void SetBarID(UINT nID) { m_nBarID = nID; }
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    BOOL HasGripper() const { return (m_dwStyle & ZP_BAR_STYLE_GRIPPER) != 0; }
    BOOL IsCustomizable() const { return m_bCustomizable; }
    // The cross-fade of bar animation is not built: only the switch is kept (and persisted).
    BOOL IsAnimationEnabled() const { return m_bAnimationEnabled; }
    void SetAnimationEnabled(BOOL bEnable) { m_bAnimationEnabled = bEnable; }
    CZPCommandBarAnimation* GetAnimation() const { return m_pAnimation; }
    int GetMRUWidth() const { return m_nMRUWidth; }
    void SetMRUWidth(int nWidth) { m_nMRUWidth = nWidth; }
    DWORD GetPendingState() const { return m_dwPending; }
    void DelayLayout() { m_dwPending |= ZP_BAR_PENDING_LAYOUT; }
    void SetPaintManager(CZPPaintManager* pPaintManager);  // keeps a reference
    // An image manager of the bar's own (a reference is kept); NULL goes back to the shared one.
    void SetImageManager(CZPImageManager* pImageManager);
    // The width a popup toolbar lays its controls out in.
    void SetPreferredWidth(int nWidth) { m_nMRUWidth = nWidth; }
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
    // Off: tracking leaves the caret of the focused window alone.
    void SetKeyboardCaret(BOOL bCaret) { m_bKeyboardCaret = bCaret; }
    int GetHighlightedIndex() const { return m_nHighlightedControl; }
    int GetOpenPopupIndex() const { return m_nPopupedControl; }
    int GetTrackingMode() const { return m_nTrackingMode; }
    // Where a popup tracked with TPM_RETURNCMD stores the executed id; NULL otherwise.
    int* GetReturnCmdSlot() const { return m_pReturnCmd; }
    void SetReturnCmdSlot(int* pReturnCmd) { m_pReturnCmd = pReturnCmd; }
    BOOL IsRecursePopup() const { return m_bRecursePopup; }
    // The window that had the focus before a control of the bar took it; it gets it back.
    HWND GetFocusWindow() const { return m_hWndFocus; }
    void SetFocusWindow(HWND hWnd) { m_hWndFocus = hWnd; }
    void SetRecursePopup(BOOL bRecurse) { m_bRecursePopup = bRecurse; }

    // Closes the open popup (-1) or opens the popup of a control; FALSE when none opens.
    BOOL OpenControlPopup(int nIndex, BOOL bKeyboard = FALSE);
    // Called by a popup that closed on its own: this bar no longer has it open.
    void ForgetOpenPopup() { m_nPopupedControl = -1; }

    // Sizes: the paint manager's automatic icon size, the large icon size of the bar.
    CSize QueryDefaultIconSize(BOOL bLarge) const;
    CSize ResolveIconSize(BOOL bAllowAutomatic) const;
    int GetShowTextBelowIcons() const { return m_nShowTextBelowIcons; }
    void SetShowTextBelowIcons(int nShow) { m_nShowTextBelowIcons = nShow; }
    BOOL IsTextBelowIcons() const;
    // Text orientation of captions: 0 automatic (vertical on left and right bars), 1 vertical,
    // 2 horizontal.
    int GetTextOrientation() const { return m_nTextOrientation; }
    void SetTextOrientation(int nOrientation) { m_nTextOrientation = nOrientation; }
    // The tool under a point: its id with the record filled, or -1.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override;
    // Builds controls from command ids (0 starts a group), asking the site for each.
    void BuildControlsFromIds(const UINT* pIds, int nCount);

    // Raised for every tracked bar while a nested popup tracks; never below 0.
    int GetLockCount() const { return m_nLockCount; }
    void AdjustLockCount(int nDelta);
    BOOL IsKeyboardEntry() const { return m_bKeyboardEntry; }
    BOOL IsMouseEntry() const { return m_bMouseEntry; }
    // The mouse moved over the bar (or, forwarded while tracking, outside it), client coordinates.
    void HandleMouseMove(UINT nFlags, CPoint point);
    // Keys while tracking (hWnd NULL): key-downs are navigation, the wheel goes to a focused control.
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;
    // The control whose mnemonic the key is, after the highlighted one; -1 when none.
    int FindMnemonicInBar(UINT nKey, BOOL* pbAmbiguous) const;
    // Arrows count as horizontal on docked top and bottom, floating and grid popup bars.
    BOOL IsHorizontalForNavigation() const;
    BOOL IsGridPopup() const;
    // The beep of a key that matches nothing (a seam for tests).
    static void (*s_pfnNavigationBeep)(UINT nType);

    // Virtual operations, in slot order.
    virtual void MarkRedrawPending();                                               // 79
    virtual BOOL SwitchTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard);  // 80
    virtual BOOL LoadFromMenu(CMenu* pMenu, BOOL bRemoveControls = TRUE);           // 81
    virtual BOOL HighlightControlAt(int nIndex, int nKind = 0);                     // 82
    virtual BOOL LoadToolBarResource(UINT nIDResource, BOOL bLoadImages = TRUE);    // 83
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
    virtual void ExchangeProperties(CZPPropExchange* pPX);                          // 103
    virtual BOOL IsKeyboardCuesVisible() const;                                     // 104
    // bAnimate fades the area; a whole-bar repaint (NULL) with TRUE is drawn at once.
    virtual void RepaintArea(const RECT* pRect, BOOL bAnimate = FALSE);  // 105
    virtual void DrawBar(CDC* pDC, const CRect& rcClip);                 // 106
    // One keyboard tip per visible captioned control, handed to the command bars.
    virtual void CreateKeyboardTips();                                    // 111
    virtual void OnKeyboardTipActivated(CZPCommandBarKeyboardTip* pTip);  // 112
    virtual int ProcessTrackingKey(UINT nKey, LPARAM lParam);             // 113
    virtual CSize ComputeBarSize(int nLength, DWORD dwMode);              // 114
    virtual BOOL NavigateByKey(int nCode);                                // 115
    virtual void ResetTrackingState();                                    // 116
    virtual void RefreshShortcutTexts();                                  // 119
    // 1 inside the window (and a popup's region), 0 outside, ZP_CONTAINS_NEVER.
    virtual int ContainsScreenPoint(POINT ptScreen) const;  // 118
    // Adds this bar (with a reference) and every bar its controls and original controls open,
    // each once, to pBars.
    virtual void CollectCommandBars(CPtrArray* pBars);  // 120
    // The popup controls take the loaded bars their stored ids name; FALSE for a link to this
    // bar or to a bar above it.
    virtual BOOL RestoreCommandBarLinks(ZP_LOADED_BARS* pLoaded);      // 121
    virtual void OnIdleUpdate(BOOL bDisableIfNoHandler, BOOL bForce);  // 124

    // Customize drag and drop (points in client coordinates). BeginCustomizeDrag and
    // CustomizeDragOver answer whether the bar takes the dragged control at the point.
    virtual BOOL BeginCustomizeDrag(CZPControl* pDragged, CPoint point);  // 90
    virtual void ClearDropMarker();                                       // 91
    virtual BOOL CustomizeDragOver(CZPControl* pDragged, CPoint point);   // 92
    // Takes a copy of the control (the caller's effect ZP_DROP_COPY or ZP_DROP_MOVE may become
    // ZP_DROP_CANCEL); ptStart is where the drag began.
    virtual void CustomizeDrop(CZPControl* pDragged, int& nEffect, CPoint point, CPoint ptStart);  // 93
    // The index of the control the drop lands next to (-1 on an empty bar), *pbAfter when after it,
    // and the marker rectangle (empty when none shows).
    virtual int FindDropPosition(CZPControl* pDragged, CPoint point, CRect* prcMarker, BOOL* pbAfter);  // 123
    void DrawDropMarker(CDC* pDC);
    CRect GetDropMarker() const { return m_rcDropMarker; }
    BOOL IsDropMarkerAcross() const { return m_bDropMarkerAcross; }
    // The bar and its parent chain may take the control (no popup dropped into its own chain).
    BOOL IsCustomizeDropAllowedOn(CZPControl* pDragged) const;
    // Alt held over a control outside customize mode: drags it in a brief customize mode; FALSE
    // when the drag is not allowed here.
    BOOL RunAltDrag(CZPControl* pControl, CPoint point);
    // Right button in customize mode over a control: selects it and opens the customize menu.
    BOOL OnCustomizeRButtonDown(CZPControl* pControl, CPoint point);
    // The tracker the bar registered with is going away first.
    void OnDragTrackerGone() { m_pDragTracker = NULL; }

protected:
    void PostNcDestroy() override;
    void OnFinalRelease() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnMouseLeaveOrNcMove();
    void EnterTracking(BOOL bSelectFirst, BOOL bKeyboard);
    void LeaveTracking(BOOL bSelectFirst);
    void OnBarTimer(UINT_PTR nId);
    // A left button message over a control goes to it; FALSE when none took it.
    BOOL OnButtonMessage(UINT message, CPoint point);
    // The control under the point first; in customize mode a movable control then becomes the
    // selection and the customize menu opens. FALSE leaves the click to default processing.
    virtual BOOL OnRButtonDown(CPoint point);
    // Up or down a row of a grid popup or floating bar, to the control nearest the current column.
    BOOL MoveToAdjacentRow(int nDirection);

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
    int m_nLockCount;
    BOOL m_bKeyboardEntry;
    BOOL m_bMouseEntry;
    HWND m_hWndCaret;  // borrowed: the window whose caret is hidden while tracking
    int m_nLastDescription;
    BOOL m_bFinalReleasing;
    int m_nShowTextBelowIcons;
    BOOL m_bAnimationEnabled;
    int m_nTextOrientation;
    HWND m_hWndFocus;                      // borrowed: focus to restore when a bar control lets go of it
    CRect m_rcDropMarker;
    BOOL m_bDropMarkerAcross;
    CZPCustomizeDragTracker* m_pDragTracker;  // borrowed: where the window registered; cleared if it goes first
    CZPDropPositionIndex m_dropIndex;         // the drop candidates while a drag is over the bar
    CRefPtr<CZPImageManager> m_pImageManager;
    void SetDropMarker(const CRect& rcMarker, BOOL bAcross);
    // Bars at the left or right and popups arrange their controls downwards.
    BOOL IsDropVertical() const;
    // The selected control's double frame and the drop marker.
    void DrawCustomizeState(CDC* pDC);
    CZPCommandBarAnimation* m_pAnimation;  // owned
};
