// Theme 3: menus, toolbars, the rebar and the status bar drawn with the running system's visual
// styles; every operation falls back to the Default look when its visual-style class is closed.
#pragma once

#include "commandbars/themes/ZPDefaultTheme.h"
#include "commandbars/themes/ZPThemePartCache.h"

class CZPNativeXPTheme : public CZPDefaultTheme
{
    DECLARE_DYNCREATE(CZPNativeXPTheme)
public:
    CZPNativeXPTheme();
    ~CZPNativeXPTheme() override;

    void DrawSplitButtonFrame(CDC* pDC, CZPControl* pControl, CRect rc) override;
    void FillBarBackground(CDC* pDC, CZPCommandBar* pBar) override;
    void DrawControlBackground(CDC* pDC, CZPControl* pControl) override;
    COLORREF GetControlTextColor(CZPControl* pControl) override;
    COLORREF GetStateTextColor(int nSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopped, int nBarType,
                               int nBarPosition) override;
    void DrawStateRectangle(CDC* pDC, CRect rc, int nSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                            BOOL bPopped, int nBarType, int nBarPosition) override;
    CSize DrawBarGripper(CDC* pDC, CZPCommandBar* pBar, BOOL bDraw) override;
    CSize DrawBarSeparator(CDC* pDC, CZPCommandBar* pBar, CZPControl* pControl, BOOL bDraw) override;
    void AdjustExcludeRect(CRect& rc, CZPControl* pControl, BOOL bVertical) override;
    void FillDockArea(CDC* pDC, CWnd* pWnd) override;
    void RefreshMetrics() override;
    CSize DrawBuiltInButton(CDC* pDC, int nKind, CZPControl* pControl, CZPCommandBar* pBar, BOOL bDraw,
                            void* pData) override;
    CSize DrawDialogBarHandle(CDC* pDC, CZPCommandBar* pBar, BOOL bDraw) override;
    void FillPopupIconColumn(CDC* pDC, int nLeft, int nTop, int nWidth, int nHeight, BOOL bFlag) override;
    int GetCurrentTheme() override { return zpThemeNativeXP; }
    void DrawCheckMark(CDC* pDC, CRect rc, int nState, COLORREF clr) override;
    void DrawRadioMark(CDC* pDC, CRect rc, int nState, COLORREF clr) override;
    int GetPopupIconColumnWidth(CZPCommandBar* pBar) override;
    void DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected) override;
    void DrawComboBoxDropDownButton(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, BOOL bPopped) override;
    void DrawEditSpinButtons(CDC* pDC, CZPControlEdit* pEdit) override;

    // Both "REBAR" and "TOOLBAR" open and the application themed.
    BOOL IsThemed() { return IsThemeInUse(m_themeRebar) && IsThemeInUse(m_themeToolbar); }
    BOOL IsMenuOpen() { return IsThemeInUse(m_themeMenu); }

public:
    CZPWinThemeWrapper m_themeRebar;
    CZPWinThemeWrapper m_themeToolbar;
    CZPWinThemeWrapper m_themeComboBox;
    CZPWinThemeWrapper m_themeWindow;
    CZPWinThemeWrapper m_themeSpin;
    CZPWinThemeWrapper m_themeMenu;
    COLORREF m_clrEdgeShadow;
    COLORREF m_clrEdgeHighLight;
    BOOL m_bFlatMenus;  // the system's flat menus (popups and colour 29), not the base's flat menu bar

private:
    // One continuous rebar background across pWnd and its neighbours inside pParent.
    void FillRebarBackground(CDC* pDC, CWnd* pWnd, CWnd* pParent);
    // Draws a style part (a copy of it when the cache holds one); FALSE when the style failed.
    BOOL DrawPart(CZPWinThemeWrapper& theme, CDC* pDC, int nPart, int nState, const CRect& rc,
                  const RECT* pClip = NULL);

    CZPThemePartCache m_partCache;
};
