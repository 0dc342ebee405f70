// Theme 0: the classic three-dimensional look of menus and toolbars, drawn from the system
// colours only. The Native XP theme derives from it and falls back to it without visual styles.
#pragma once

#include "commandbars/ZPPaintManager.h"

class CZPControlEdit;

class CZPDefaultTheme : public CZPPaintManager
{
    DECLARE_DYNCREATE(CZPDefaultTheme)
public:
    CZPDefaultTheme();

    CSize DrawControlInPopup(CDC* pDC, CZPControl* pControl, BOOL bDraw) override;
    void DrawSplitButtonFrame(CDC* pDC, CZPControl* pControl, CRect rc) override;
    CSize DrawCustomizeListItem(CDC* pDC, CZPControl* pControl, CRect rcItem, UINT nItemState) override;
    void FillBarBackground(CDC* pDC, CZPCommandBar* pBar) override;
    COLORREF GetStateTextColor(int nSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopped, int nBarType,
                               int nBarPosition) override;
    void DrawStateRectangle(CDC* pDC, CRect rc, int nSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                            BOOL bPopped, int nBarType, int nBarPosition) override;
    CSize DrawBarGripper(CDC* pDC, CZPCommandBar* pBar, BOOL bDraw) override;
    CSize DrawBarSeparator(CDC* pDC, CZPCommandBar* pBar, CZPControl* pControl, BOOL bDraw) override;
    void AdjustExcludeRect(CRect& rc, CZPControl* pControl, BOOL bVertical) override;
    void RefreshMetrics() override;
    CSize DrawBuiltInButton(CDC* pDC, int nKind, CZPControl* pControl, CZPCommandBar* pBar, BOOL bDraw,
                            void* pData) override;
    CRect GetBarBorders(CZPCommandBar* pBar) override;
    void DrawTearOffStrip(CDC* pDC, CRect rc, BOOL bSelected) override;
    void DrawPopupSizeGrip(CDC* pDC, CRect rc, BOOL bGripperRight) override;
    void DrawImage(CDC* pDC, CPoint pt, CSize sz, CZPImageManagerIcon* pImage, BOOL bSelected, BOOL bPressed,
                   BOOL bEnabled, BOOL bChecked, BOOL bPopped, BOOL bToolBarImage = TRUE) override;
    CSize DrawDialogBarHandle(CDC* pDC, CZPCommandBar* pBar, BOOL bDraw) override;
    int GetCurrentTheme() override { return zpThemeDefault; }
    CSize GetPopupIconCellSize(CZPCommandBar* pBar) override;

    // Appended after the base's slots; the Native XP theme replaces them.
    virtual void DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected);
    virtual void DrawComboBoxDropDownButton(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, BOOL bPopped);
    virtual void DrawEditSpinButtons(CDC* pDC, CZPControlEdit* pEdit);
    CSize DrawComboBoxControl(CDC* pDC, CZPControl* pControl, BOOL bDraw) override;
    CSize DrawEditControl(CDC* pDC, CZPControl* pControl, BOOL bDraw) override;

public:
    int m_nNormalTextColor;  // colour index of enabled popup and text-only items

protected:
    void DrawRaisedEdge(CDC* pDC, CRect rc) { Draw3dRectByIndex(pDC, rc, zpColorBtnHighlight, zpColorBtnShadow); }
    void DrawSunkenEdge(CDC* pDC, CRect rc) { Draw3dRectByIndex(pDC, rc, zpColorBtnShadow, zpColorBtnHighlight); }
    // The client rectangle of a bar or dock window; empty without a window.
    static CRect ClientRectOf(CWnd* pWnd);
    // A dialog bar's handle height: never below 22 pixels.
    int GetDialogHandleHeight() const;
    // Checkerboard of button face and button highlight, phased by the DC's brush origin.
    void FillDitherPattern(CDC* pDC, CRect rc);
};
