// The rebar control bar: a frame's bar whose bands hold other windows, laid out by the common
// rebar control; its height change relays the frame out.
#pragma once

#include <framework/controls.h>
#include <framework/frame.h>

class CReBar : public CControlBar
{
    DECLARE_DYNAMIC(CReBar)
public:
    CReBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                UINT nID = AFX_IDW_REBAR);
    // The control's messages on this bar's own window.
    CReBarCtrl& GetReBarCtrl() const;
    // A new last band holding pBar at its current window size; FALSE when the control refuses it.
    BOOL AddBar(CWnd* pBar, LPCWSTR pszText = NULL, CBitmap* pBitmap = NULL,
                DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    INT_PTR GetCount() const override;

protected:
    void OnPaint();
    void OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    mutable CReBarCtrl m_wndReBarCtrl;  // a view of this bar's own window: never attached, never destroys
};
