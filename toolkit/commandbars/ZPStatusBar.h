// The owner-drawn status bar of a frame: a row of panes laid out left to right, drawn through
// the paint manager, updated in idle time, with button panes and saved pane visibility.
#pragma once

#include <framework.h>
#include <framework/frame.h>
#include <framework/gdi.h>

#include "commandbars/ZPControlButton.h"

class CZPCommandBars;
class CZPImageManager;
class CZPImageManagerIcon;
class CZPPaintManager;
class CZPPopupBar;
class CZPPropExchange;
class CZPStatusBar;
class CZPToolTipContext;

// Pane styles.
const UINT ZP_SBPS_NOBORDERS = 0x100;
const UINT ZP_SBPS_POPOUT = 0x200;  // drawn checked
const UINT ZP_SBPS_DISABLED = 0x04000000;
const UINT ZP_SBPS_STRETCH = 0x08000000;
// Pane state bits; a pane takes part in layout and drawing only while its state is 0.
const UINT ZP_PANE_STATE_DROPPED = 0x2;  // no room left
const UINT ZP_PANE_STATE_HIDDEN = 0x10;  // hidden by the user or the program
// SB_SETMINHEIGHT: wParam is the bar's minimum height.
const UINT ZP_SB_SETMINHEIGHT = 0x408;

class CZPStatusBarPane : public CCmdTarget
{
    DECLARE_DYNAMIC(CZPStatusBarPane)
public:
    CZPStatusBarPane();
    ~CZPStatusBarPane() override;

    UINT GetID() const { return m_nID; }
    int GetIndex() const { return m_nIndex; }
    CZPStatusBar* GetStatusBar() const { return m_pStatusBar; }
    // The bar's paint manager, or the process-wide one for a pane without a bar.
    CZPPaintManager* GetPaintManager() const;
    const CString& GetText() const { return m_strText; }
    // Stores the text; relays the bar out only when the pane's best fit changes.
    void SetText(LPCWSTR lpszText);
    UINT GetStyle() const { return m_nStyle; }
    void SetStyle(UINT nStyle);
    BOOL IsEnabled() const { return (m_nStyle & ZP_SBPS_DISABLED) == 0; }
    void SetEnabled(BOOL bEnabled);
    BOOL IsVisible() const { return (m_nState & ZP_PANE_STATE_HIDDEN) == 0; }
    void SetVisible(BOOL bVisible);
    BOOL IsShown() const { return m_nState == 0; }
    UINT GetState() const { return m_nState; }
    int GetFixedWidth() const { return m_nFixedWidth; }
    void SetFixedWidth(int nWidth);
    const CRect& GetRect() const { return m_rcPane; }
    int GetComputedWidth() const { return m_nComputedWidth; }
    BOOL IsButton() const { return m_bButton; }
    void SetButton(BOOL bButton) { m_bButton = bButton; }
    BOOL IsPressed() const { return m_bPressed; }
    BOOL HasGapBefore() const { return m_bGapBefore; }
    void SetGapBefore(BOOL bGap) { m_bGapBefore = bGap; }
    int GetAlignment() const { return m_nAlignment; }
    void SetAlignment(int nAlignment) { m_nAlignment = nAlignment; }
    void SetTextColor(COLORREF clr) { m_clrText = clr; }
    COLORREF GetTextColorOverride() const { return m_clrText; }
    void SetBackgroundColor(COLORREF clr) { m_clrBackground = clr; }
    COLORREF GetBackgroundColor() const { return m_clrBackground; }
    void SetIconId(int nIconId) { m_nIconId = nIconId; }
    int GetIconId() const { return m_nIconId; }
    void SetTooltip(LPCWSTR lpszTooltip) { m_strTooltip = lpszTooltip; }
    const CString& GetTooltip() const { return m_strTooltip; }
    const CRect& GetContentInset() const { return m_rcInset; }
    void SetContentInset(const CRect& rc) { m_rcInset = rc; }
    const CRect& GetMargins() const { return m_rcMargins; }
    void SetMargins(const CRect& rc) { m_rcMargins = rc; }
    // A window shown inside the pane; bOwns: the pane deletes its object when it goes.
    void SetChildWindow(CWnd* pWnd, BOOL bOwns);
    HWND GetChildWindow() const { return m_pChildWnd != NULL ? m_pChildWnd->GetSafeHwnd() : NULL; }
    CFont* GetOwnFont() { return m_font.GetSafeHandle() != NULL ? &m_font : NULL; }
    void SetOwnFont(const LOGFONTW* pLogFont);
    void SetCustomizeCaption(LPCWSTR lpsz) { m_strCustomizeCaption = lpsz; }
    void SetCustomizeValue(LPCWSTR lpsz) { m_strCustomizeValue = lpsz; }
    BOOL IsCustomizable() const { return m_bCustomizable; }
    void SetCustomizable(BOOL b) { m_bCustomizable = b; }
    // Redraws the pane (erasing) when it is shown and the bar has a window.
    void InvalidatePane();
    // The best-fit width: the text in the pane's font, the inset and the icon.
    int BestFit();

    // Virtual operations, in slot order 20-26.
    virtual int GetWidth();
    virtual CFont* GetTextFont();
    virtual CZPImageManagerIcon* GetImage();
    virtual void Draw(CDC* pDC, CRect rc);
    virtual void OnLButtonDown(CPoint point);
    virtual void OnMouseMove(CPoint point);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI);

private:
    friend class CZPStatusBar;

    UINT m_nID;  // 0 marks the message pane
    int m_nFixedWidth;
    UINT m_nStyle;
    CString m_strText;
    UINT m_nState;
    COLORREF m_clrText;        // -1: the paint manager's
    COLORREF m_clrBackground;  // -1: none
    CString m_strTooltip;
    CRect m_rcPane;
    CWnd* m_pChildWnd;  // owned (window and object) when m_bOwnsChild, else borrowed
    BOOL m_bOwnsChild;
    int m_nAlignment;            // 0 left, 1 centre, 2 right
    CZPStatusBar* m_pStatusBar;  // borrowed: the owner
    int m_nIndex;
    CFont m_font;
    int m_nIconId;
    CRect m_rcInset;
    CRect m_rcMargins;
    BOOL m_bButton;
    BOOL m_bPressed;
    BOOL m_bGapBefore;
    CString m_strCustomizeCaption;
    CString m_strCustomizeValue;
    int m_nComputedWidth;
    BOOL m_bCustomizable;
};

class CZPStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CZPStatusBar)
public:
    // Command-update object of the panes.
    class CStatusCmdUI : public CCmdUI
    {
    public:
        void Enable(BOOL bOn = TRUE) override;
        void SetCheck(int nCheck = 1) override;
        void SetText(LPCWSTR lpszText) override;
    };

    // An entry of the customize popup: executing it shows or hides its pane (the popup stays open).
    class CControlCustomization : public CZPControlButton
    {
    public:
        explicit CControlCustomization(CZPStatusBarPane* pPane);
        ~CControlCustomization() override;
        CZPStatusBarPane* GetPane() const { return m_pPane; }
        void Execute() override;

    private:
        CZPStatusBarPane* m_pPane;  // one reference
    };

    CZPStatusBar();
    ~CZPStatusBar() override;

    // Creates the window as a child of pParent; the parent's sizing border gives a size grip.
    BOOL CreateBar(CWnd* pParent, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = 0xE801);
    // Replaces the panes: one per id; a leading 0 is the stretching message pane. FALSE at the
    // first id without a string resource (the panes made so far stay).
    BOOL CreatePanesFromIds(const UINT* pIds, int nCount);
    // A new pane at nIndex (-1: at the end), owned by the bar; the bar's pointer.
    CZPStatusBarPane* AddPane(UINT nID, int nIndex = -1);
    // Adds a pane the caller made (a pane kind of its own); the bar takes over the caller's
    // reference. The bar's pointer.
    CZPStatusBarPane* AddPane(CZPStatusBarPane* pPane, UINT nID, int nIndex = -1);
    void RemoveAllPanes();

    int GetPaneCount() const { return static_cast<int>(m_arrPanes.GetSize()); }
    CZPStatusBarPane* PaneAt(int nIndex) const;
    CZPStatusBarPane* FindPane(UINT nID) const;
    int CommandToIndex(UINT nID) const;
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    BOOL SetPaneText(int nIndex, LPCWSTR lpszText);
    CZPStatusBarPane* HitTestPane(CPoint point, CRect* pRect = NULL) const;
    CZPStatusBarPane* GetHotPane() const { return m_pHotPane; }

    CFont* GetStatusFont();
    void SetOwnFont(const LOGFONTW* pLogFont);
    CZPPaintManager* ResolvePaintManager() const;
    CZPImageManager* ResolveImageManager() const;
    void SetCommandBars(CZPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    BOOL HasSizeGrip() const { return m_bSizeGrip; }
    int GetMinHeight() const { return m_nMinHeight; }
    BOOL IsShowDisabledPaneText() const { return m_bShowDisabledPaneText; }
    void SetShowDisabledPaneText(BOOL bShow) { m_bShowDisabledPaneText = bShow; }
    int GetPaneGap() const { return m_nPaneGap; }
    void SetPaneGap(int nGap) { m_nPaneGap = nGap; }
    int GetDividerPaneIndex() const { return m_nDividerPane; }
    BOOL IsCustomizable() const { return m_bCustomizable; }
    void SetCustomizable(BOOL bCustomizable) { m_bCustomizable = bCustomizable; }
    // The size grip is drawn and hit only while the parent is not maximized.
    BOOL IsGripActive() const;

    // Profile state under the section lpszProfileName.
    void SaveState(LPCWSTR lpszProfileName);
    void LoadState(LPCWSTR lpszProfileName);
    // "id=visible" entries of the customizable panes, joined by the separator.
    CString FormatPanesVisibility(WCHAR chSeparator) const;
    void ApplyPanesVisibility(const CString& strPanes, WCHAR chSeparator);

    // Virtual operations, in slot order 95-100.
    virtual void ExchangeProperties(CZPPropExchange* pPX);
    virtual void DrawPaneEntry(CDC* pDC, CZPStatusBarPane* pPane, CRect rc);
    virtual void RecalcPaneLayout();
    virtual void DrawSizeGrip(CDC* pDC, CRect rcClient);
    virtual void OnPaneClick(CZPStatusBarPane* pPane);
    virtual void SendCommandToParent(UINT nID);
    // The customize popup (one reference for the caller): a title, then an entry per listed pane.
    virtual CZPPopupBar* CreateCustomizeMenu();

    // Control-bar overrides.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void CalcInsideRect(CRect& rect, BOOL bHorz) const override;
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override;

    // Draws the whole bar into a paint or print DC.
    void DrawBar(CDC* pDC);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnPaint();
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    LRESULT OnNcHitTest(CPoint point);
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnSize(UINT nType, int cx, int cy);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    DECLARE_MESSAGE_MAP()

private:
    friend class CZPStatusBarPane;
    friend class CZPStatusBarTogglePane;

    // A new pane of the bar, with one reference for the caller.
    CZPStatusBarPane* CreatePane(UINT nID);
    // Runs the press of a button pane on the shared tracking loop: the pane is pressed while the
    // mouse is inside rcHit; TRUE when released inside.
    BOOL TrackPanePress(CZPStatusBarPane* pPane, const CRect& rcHit);
    void SetHotPane(CZPStatusBarPane* pPane, CPoint point);
    // Width the size grip takes from the right of the inner rect.
    int GripWidth() const;

    CArray<CZPStatusBarPane*, CZPStatusBarPane*> m_arrPanes;  // one reference of each
    int m_nMinHeight;
    CFont m_font;
    BOOL m_bShowDisabledPaneText;
    CZPStatusBarPane* m_pHotPane;  // borrowed from m_arrPanes
    int m_nDividerPane;
    BOOL m_bSizeGrip;
    int m_nPaneGap;
    BOOL m_bCustomizable;
    CZPCommandBars* m_pCommandBars;        // borrowed
    CZPToolTipContext* m_pToolTipContext;  // owned: one reference
};
