// Tool tips of windows: hit testing, the shared tool-tip control and the messages it filters.
#include <framework/controls.h>
#include <framework/exceptions.h>
#include <framework/thread.h>

#include "winstate.h"

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const
{
    // The child control under the point, with its text from the owner's TTN_NEEDTEXT.
    HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (hWndChild == NULL || hWndChild == m_hWnd)
        return -1;
    int nID = ::GetDlgCtrlID(hWndChild);
    if (nID == 0 || nID == -1)
        return -1;
    if (pTI != NULL) {
        pTI->hwnd = m_hWnd;
        pTI->uId = reinterpret_cast<UINT_PTR>(hWndChild);
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACKW;
    }
    return nID;
}

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    BOOL bOld = (m_nFlags & WF_TOOLTIPS) != 0;
    if (bEnable)
        m_nFlags |= WF_TOOLTIPS;
    else {
        m_nFlags &= ~WF_TOOLTIPS;
        AFX_WINDOW_STATE* pState = AfxGetWindowState();
        if (pState->m_pLastHit == this)
            CancelToolTips();
    }
    return bOld;
}

void PASCAL CWnd::CancelToolTips(BOOL)
{
    AFX_WINDOW_STATE* pState = AfxGetWindowState();
    if (pState->m_pToolTip != NULL && pState->m_pToolTip->m_hWnd != NULL) {
        pState->m_pToolTip->Pop();
        if (pState->m_pLastInfo != NULL)
            pState->m_pToolTip->SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(pState->m_pLastInfo));
    }
    pState->m_pLastHit = NULL;
    pState->m_nLastHit = -1;
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    UINT message = pMsg->message;
    if (message != WM_MOUSEMOVE && message != WM_NCMOUSEMOVE && message != WM_LBUTTONUP && message != WM_RBUTTONUP &&
        message != WM_MBUTTONUP && message != WM_LBUTTONDOWN && message != WM_RBUTTONDOWN &&
        message != WM_MBUTTONDOWN)
        return;
    AFX_WINDOW_STATE* pState = AfxGetWindowState();
    if (pState->m_pToolTip == NULL) {
        pState->m_pToolTip = new CToolTipCtrl;
        if (!pState->m_pToolTip->Create(this, TTS_ALWAYSTIP))
            return;
        pState->m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
    }
    CToolTipCtrl* pToolTip = pState->m_pToolTip;

    CPoint point = pMsg->pt;
    ScreenToClient(&point);
    TOOLINFOW ti = {};
    ti.cbSize = sizeof(ti);
    INT_PTR nHit = OnToolHitTest(point, &ti);
    if (pState->m_pLastHit != this || pState->m_nLastHit != nHit) {
        if (pState->m_pLastInfo != NULL)
            pToolTip->SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(pState->m_pLastInfo));
        pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
        if (nHit != -1) {
            if (pState->m_pLastInfo == NULL)
                pState->m_pLastInfo = new TOOLINFOW;
            *pState->m_pLastInfo = ti;
            pState->m_pLastInfo->uFlags &= ~0xC0000000u;   // private bits never reach the control
            pToolTip->SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(pState->m_pLastInfo));
            pToolTip->SendMessage(TTM_ACTIVATE, TRUE);
        } else if (pState->m_pLastInfo != NULL) {
            delete pState->m_pLastInfo;
            pState->m_pLastInfo = NULL;
        }
        pState->m_pLastHit = nHit != -1 ? this : NULL;
        pState->m_nLastHit = nHit;
    }
    if (nHit != -1) {
        MSG msg = *pMsg;
        msg.hwnd = m_hWnd;
        msg.lParam = MAKELPARAM(point.x, point.y);
        pToolTip->RelayEvent(&msg);
    }
}
