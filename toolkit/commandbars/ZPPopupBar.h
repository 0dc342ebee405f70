// A popup menu bar: every drop-down menu, context menu and sub-menu. It places itself next to
// its owner control (or at a point) inside the monitor's work area, scrolls when taller than
// the area, hides rarely used commands behind an expand button, tears off into a floating
// toolbar, animates its opening and casts shadows.
#pragma once

#include "commandbars/ZPCommandBar.h"

#include "commandbars/ZPToolBar.h"

// Direction bits of a popup.
const DWORD ZP_POPUP_LEFTWARDS = 0x1;  // opens leftwards (right-aligned)
const DWORD ZP_POPUP_DROPDOWN = 0x2;   // opens below its owner rather than beside it
const DWORD ZP_POPUP_UPWARDS = 0x4;    // opens upwards from a point
// Id of the expand button of a menu hiding rarely used commands.
const int ZP_ID_POPUP_EXPAND = 9150;
// Height of the scroll buttons of a popup taller than its work area.
const int ZP_POPUP_SCROLL_BUTTON_HEIGHT = 16;
// Timers of a popup: scroll down and up, tear-off strip hover, expand button hover.
const UINT_PTR ZP_TIMER_POPUP_SCROLL_DOWN = 5001;
const UINT_PTR ZP_TIMER_POPUP_SCROLL_UP = 5002;
const UINT_PTR ZP_TIMER_POPUP_TEAROFF_HOVER = 5003;
const UINT_PTR ZP_TIMER_POPUP_EXPAND = 5004;
const UINT ZP_POPUP_SCROLL_PERIOD = 80;
const UINT ZP_POPUP_TEAROFF_HOVER_PERIOD = 80;
const UINT ZP_POPUP_EXPAND_DELAY = 900;
// Animation option values besides the paint manager's kinds (2 unfold, 3 slide, 4 fade).
const int ZP_ANIMATE_SYSTEM = 0;
const int ZP_ANIMATE_RANDOM = 1;
const int ZP_ANIMATE_NONE = 5;

// What the placement starts from: the monitor's rectangles, the exclusion rectangle and the
// direction of the popup, all in screen coordinates.
struct ZpPopupPlacementInput
{
    CRect rcWork;     // the monitor's work area
    CRect rcMonitor;  // the whole monitor
    CRect rcExclude;  // what the popup must not cover; empty for a point
    CPoint ptAnchor;
    CSize size;
    DWORD dwDirection;
    BOOL bMultiColumn;
};

struct ZpPopupPlacement
{
    CRect rc;
    DWORD dwDirection;
    BOOL bShrunk;    // the popup is smaller than its layout and scrolls
    BOOL bWrapArea;  // a multi-column popup must wrap into the area's height (then placed again)
    int nAreaHeight;
};

// The placement of a popup inside the given monitor (no window involved).
ZpPopupPlacement ZpPlacePopup(const ZpPopupPlacementInput& input);

class CZPPopupBar : public CZPCommandBar
{
    DECLARE_DYNCREATE(CZPPopupBar)
public:
    CZPPopupBar();
    ~CZPPopupBar() override;

    CZPControl* GetControlPopup() const { return m_pControlPopup; }
    void SetControlPopup(CZPControl* pControl) { m_pControlPopup = pControl; }

    // Shows the popup at a screen point, outside an optional exclusion rectangle.
    BOOL Popup(int x, int y, LPCRECT lprcExclude);
    // Puts the rarely used commands on show.
    void ExpandBar();
    // The scroll layout of a popup taller than its area; the size is the window's when empty.
    void LayoutScrolled(CSize size, BOOL bFromBottom, BOOL bRedraw);
    // Runs the tear-off drag from a client point of the strip.
    void TrackTearOff(CPoint point);
    // The animation kind for the next opening.
    int ChoosePopupAnimation() const;

    DWORD GetDirection() const { return m_dwDirection; }
    void SetDirection(DWORD dwDirection) { m_dwDirection = dwDirection; }
    CRect GetExcludeRect() const { return m_rcExclude; }
    BOOL IsExpanded() const { return m_bExpanded; }
    BOOL HasRarelyUsedHidden() const { return m_bHasRarelyUsed; }
    BOOL IsScrolling() const { return m_bScrolling; }
    // The resize grip of a popup holding a resizable gallery: the gallery's resize mode (0 none)
    // and the grip's client rectangle.
    int GetGripMode() const { return m_nGripMode; }
    CRect GetGripRect() const { return m_rcGrip; }
    // TRUE over the part of the grip that starts a resize.
    BOOL HitTestGrip(CPoint point) const;
    // Runs the grip's resize loop from a client point of the grip.
    void TrackResize(CPoint point);
    BOOL IsResizing() const { return m_bResizing; }
    int GetFirstShown() const { return m_nFirstShown; }
    int GetEndShown() const { return m_nEndShown; }
    CRect GetScrollDownRect() const { return m_rcScrollDown; }
    CRect GetScrollUpRect() const { return m_rcScrollUp; }
    BOOL IsTearOff() const { return m_bTearOff; }
    void SetTearOffPopup(LPCWSTR lpszCaption, UINT nBarID, BOOL bTearOff = TRUE, int nWidth = 0);
    int GetTearOffWidth() const { return m_nTearOffWidth; }
    CRect GetTearOffRect() const { return m_rcTearOff; }
    BOOL IsTearingOff() const { return m_bTearingOff; }
    CZPToolBar* GetTornOffBar() const { return m_pTornOff.Get(); }
    BOOL GetShowShadow() const { return m_bShowShadow; }
    void SetShowShadow(BOOL bShow) { m_bShowShadow = bShow; }
    CRect GetBorders() const { return m_rcBorders; }
    void SetBorders(CRect rc) { m_rcBorders = rc; }
    BOOL IsContextMenu() const { return m_bContextMenu; }
    void SetContextMenu(BOOL bContext) { m_bContextMenu = bContext; }
    // Two icon columns (a check column beside the icon column).
    BOOL IsDoubleGripper() const { return m_bDoubleGripper; }
    void SetDoubleGripper(BOOL bDouble) { m_bDoubleGripper = bDouble; }
    // Tracking flags stored by ZpTrackPopupBar.
    void SetTrackFlags(UINT nFlags) { m_nTrackFlags = nFlags; }
    UINT GetTrackFlags() const { return m_nTrackFlags; }

    // Virtual operations added to the bar's, in slot order.
    virtual BOOL CreatePopupWindow();
    virtual CRect AdjustPopupPosition(CPoint ptAnchor, CSize size);
    virtual void RepositionToOwner();
    virtual void DelegateToOwnerControl(CRect& rc, BOOL bVertical);
    virtual void AnimateAndShow();

    // Base slots.
    BOOL SwitchTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) override;
    BOOL HighlightControlAt(int nIndex, int nKind = 0) override;
    BOOL PopupForControl(CZPControl* pControl) override;
    BOOL IsBarVisible() const override;
    void RecalcBarLayout() override;
    CZPCommandBar* GetParentBar() const override;
    BOOL IsPopupBar() const override;
    void ExchangeProperties(CZPPropExchange* pPX) override;
    void DrawBar(CDC* pDC, const CRect& rcClip) override;
    void ResetTrackingState() override;
    int ProcessTrackingKey(UINT nKey, LPARAM lParam) override;
    BOOL DestroyWindow() override;

    // Opens for a control; with the keyboard flag the first control is highlighted.
    BOOL PopupForControlEx(CZPControl* pControl, BOOL bKeyboard);
    // Set by an owner control around PopupForControl when keys opened it.
    void SetOpenByKeyboard(BOOL bKeyboard) { m_bOpenByKeyboard = bKeyboard; }
    virtual CRect QueryBarBorders();
    virtual CSize CalcPopupLayout(int nLength, DWORD dwMode);
    // The resize mode of the first visible resizable gallery, 0 when none.
    int FindGripMode() const;
    // That gallery, NULL when none.
    CZPControl* FindGripControl() const;
    // Ctrl+Down, or Down wrapping to the top, expands a menu hiding rarely used commands.
    BOOL ExpandByKey(UINT nChar);
    void CopyFrom(CZPPopupBar* pSource);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void UpdateRarelyUsed();
    CZPControl* FindOrCreateExpandButton();
    CSize MeasureExpandButton(CDC* pDC);
    int MeasureTearOffStrip(CDC* pDC);
    void PlaceExpandAndStrip(CSize size, CRect rcBorders, int nExpandHeight);
    void OnPopupTimer(UINT_PTR nId);
    void OnPopupMouseMove(CPoint point);
    void ScrollBy(int nDelta);
    void UpdateShadows();
    void RemoveShadows();
    void AnimateExpansion(const CRect& rcOld, const CRect& rcNew);
    void DrawScrollArrow(CDC* pDC, CRect rc, BOOL bDown);
    CZPToolBar* CreateTornOffBar();
    void CopyControlsTo(CZPToolBar* pBar);
    // Fits the window to a layout of the given size, keeping the top corner away from the grip;
    // beyond nMaxHeight the popup scrolls.
    void FitWindowToGripLayout(CSize szLayout, const CRect& rcStart, int nMaxHeight);

    CZPControl* m_pControlPopup;  // borrowed: the popup control that owns this bar
    CPoint m_ptAnchor;
    CRect m_rcExclude;
    DWORD m_dwDirection;
    BOOL m_bLayoutRunning;
    BOOL m_bHasRarelyUsed;
    BOOL m_bExpanded;
    BOOL m_bJustExpanded;
    BOOL m_bTearOff;
    CRect m_rcTearOff;
    CRect m_rcGrip;
    int m_nGripMode;
    BOOL m_bTearOffHot;
    UINT_PTR m_nTearOffTimer;
    BOOL m_bTearingOff;
    CSize m_szTornOff;
    CRefPtr<CZPToolBar> m_pTornOff;  // one reference while the tear-off drag runs
    CString m_strTearOffCaption;
    UINT m_nTearOffId;
    int m_nTearOffWidth;
    BOOL m_bShowShadow;
    CRect m_rcBorders;
    BOOL m_bDoubleGripper;
    BOOL m_bContextMenu;
    BOOL m_bScrolling;
    int m_nFirstShown;
    int m_nEndShown;
    CRect m_rcScrollDown;
    UINT_PTR m_nScrollDownTimer;
    CRect m_rcScrollUp;
    UINT_PTR m_nScrollUpTimer;
    UINT m_nTrackFlags;
    BOOL m_bInDestroy;    // WM_DESTROY runs: leaving tracking must not destroy the window again
    BOOL m_bExpandTimer;  // timer 5004 runs
    BOOL m_bHasShadows;   // shadows were given: they go with the window
    // The next PopupForControl comes from the keyboard.
    BOOL m_bOpenByKeyboard = FALSE;
    BOOL m_bResizing = FALSE;  // the grip's resize loop runs
};

// The same window laid out as a small toolbar (a toolbar's expand popup): type 1, its controls
// in rows inside its Borders.
class CZPPopupToolBar : public CZPPopupBar
{
    DECLARE_DYNCREATE(CZPPopupToolBar)
public:
    CZPPopupToolBar();
};

// A new popup bar (one reference, for the caller) for the command bars, which may be NULL.
CZPPopupBar* ZpCreatePopupBar(CZPCommandBars* pCommandBars);
// The toolbar variant, likewise.
CZPPopupToolBar* ZpCreatePopupToolBar(CZPCommandBars* pCommandBars);
