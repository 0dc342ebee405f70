// The toolbar control bar: a common toolbar control whose buttons are command ids, updated at
// idle through command UI and given tooltips from the commands' strings.
#pragma once

#include <framework/controls.h>
#include <framework/frame.h>

class CToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();

    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    // One button per id, the i-th showing image i; ID_SEPARATOR (0) makes a separator.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    // A wrapped button ends its row.
    void SetButtonWrap(int nIndex, BOOL bWrap);
    // The control's messages on this bar's own window.
    CToolBarCtrl& GetToolBarCtrl() const;

    // The rows as the control lays them out, plus the borders.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // Enables and checks each button through the command UI of pTarget.
    void UpdateButtons(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    INT_PTR GetCount() const override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnPaint();
    void OnNcPaint();
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    LRESULT OnIdleUpdate(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    mutable CToolBarCtrl m_wndToolBarCtrl;  // a view of this bar's own window: never attached, never destroys
    CString m_strTip;                       // the text the last tooltip request points at
};
