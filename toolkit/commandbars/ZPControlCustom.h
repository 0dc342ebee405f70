// A control hosting an ordinary child window of the program (kind 7): the bar places, shows,
// hides and enables the window with the control. Without a window it is drawn and clicked as a
// button.
#pragma once

#include "commandbars/ZPControlButton.h"
#include "common/ZPHookManager.h"

class CZPControlCustom : public CZPControlButton, public CZPHookManagerHookAble
{
    DECLARE_DYNCREATE(CZPControlCustom)
public:
    // VerticalOptions: the behaviour in a vertically docked bar.
    enum
    {
        verticalHide = 0,
        verticalShow = 1,
        verticalButton = 2
    };

    CZPControlCustom();
    ~CZPControlCustom() override;

    // Hosts the window (NULL: none) and forwards its mouse moves to the bar. Bars, views and
    // frames are refused. The window is never destroyed by the control.
    BOOL SetControlWindow(HWND hWnd);
    HWND GetControlWindow() const { return m_hwndControl; }
    void SetBorders(const CRect& rc);
    CRect GetBorders() const { return m_rcBorders; }
    void SetControlSize(CSize size);
    CSize GetControlSize() const { return m_szControl; }
    void SetVerticalOptions(int nOptions) { m_nVerticalOptions = nOptions; }
    int GetVerticalOptions() const { return m_nVerticalOptions; }
    void SetControlId(int nId) { m_nControlId = nId; }
    int GetControlId() const { return m_nControlId; }
    BOOL IsWindowShown() const { return m_bShowWindow; }

    void SetEnabled(int nEnabled) override;
    void SetHideFlags(DWORD dwFlags) override;
    void SetRect(CRect rcControl) override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnClick(BOOL bKeyboard, CPoint point) override;
    void OnBeforeLayout(UINT nLayoutMode) override;
    void OnRemoved() override;
    void OnActionChanged(int nProperty) override;
    void Copy(CZPControl* pSource, BOOL bRecursive) override;
    void DoPropExchange(CZPPropExchange* pPX) override;
    CZPControl* Clone(BOOL bRecursive) override;

    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    void UpdateWindowVisibility();
    // The first window with the id among the site frame's descendants, then each bar's; never a
    // bar, view or frame. NULL when none.
    HWND FindControlWindow(int nId) const;
    static BOOL IsHostable(HWND hWnd);

protected:
    // The hosted window exists and is a child of the parent bar's window.
    BOOL IsHostedInParent() const;
    BOOL IsControlWindowVisible() const;

    HWND m_hwndControl;  // borrowed: the program owns the window
    CRect m_rcBorders;
    BOOL m_bShowWindow;
    CSize m_szControl;
    int m_nVerticalOptions;
    int m_nControlId;
};
