// Messages to descendants, dialog-control updates and the layout of control bars around a client.
#include <framework/controls.h>
#include <framework/exceptions.h>
#include <framework/thread.h>

#include "winstate.h"

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void PASCAL CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                           BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            // Straight to the object's procedure: no system send for framework-internal messages.
            CWnd* pWnd = FromHandlePermanent(hWndChild);
            if (pWnd != NULL)
                AfxCallWndProc(pWnd, hWndChild, message, wParam, lParam);
        } else {
            ::SendMessageW(hWndChild, message, wParam, lParam);
        }
        if (bDeep && ::IsWindow(hWndChild) && ::GetTopWindow(hWndChild) != NULL)
            SendMessageToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CWndCmdUI state;
    CWnd wndTemp;  // borrows each child in turn
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        int nID = ::GetDlgCtrlID(hWndChild);
        if (nID <= 0)
            continue;
        state.m_nID = static_cast<UINT>(nID);
        CWnd* pChild = FromHandlePermanent(hWndChild);
        if (pChild != NULL) {
            state.m_pOther = pChild;
        } else {
            wndTemp.m_hWnd = hWndChild;
            state.m_pOther = &wndTemp;
        }
        // The control's own bar-wide update handler comes first.
        if (pChild != NULL &&
            pChild->CCmdTarget::OnCmdMsg(0, MAKELONG(0xFFFF, WM_COMMAND + WM_REFLECT_BASE), &state, NULL))
            continue;
        // Check boxes and radio buttons that toggle themselves need no handler.
        BOOL bDisable = bDisableIfNoHndler;
        if (bDisable && (::SendMessageW(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) != 0) {
            UINT nStyle = static_cast<UINT>(::GetWindowLongPtrW(hWndChild, GWL_STYLE)) & 0x0F;
            if (nStyle == BS_AUTOCHECKBOX || nStyle == BS_AUTO3STATE || nStyle == BS_AUTORADIOBUTTON ||
                nStyle == BS_GROUPBOX)
                bDisable = FALSE;
        }
        state.DoUpdate(pTarget, bDisable);
    }
    wndTemp.m_hWnd = NULL;
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient != NULL)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    UINT nFlag = nFlags & ~static_cast<UINT>(reposNoPosLeftOver);
    if (nFlag != reposQuery)
        layout.hDWP = ::BeginDeferWindowPos(8);

    HWND hWndLeftOver = NULL;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        UINT nIDC = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
        if (nIDC == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast && FromHandlePermanent(hWndChild) != NULL)
            ::SendMessageW(hWndChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (nFlag == reposQuery) {
        if (bStretch) {
            *lpRectParam = layout.rect;
        } else {
            lpRectParam->left = lpRectParam->top = 0;
            lpRectParam->right = layout.sizeTotal.cx;
            lpRectParam->bottom = layout.sizeTotal.cy;
        }
        return;
    }
    if (nIDLeftOver != 0 && hWndLeftOver != NULL) {
        if (nFlag == reposExtra && lpRectParam != NULL) {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        if ((nFlags & reposNoPosLeftOver) == 0) {
            CWnd* pLeftOver = FromHandle(hWndLeftOver);
            pLeftOver->CalcWindowRect(&layout.rect);
            AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
        }
    }
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    // Laying out (type 0) the sunken edge stays inside the given rectangle.
    if (nAdjustType == 0)
        dwExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    HWND hWndParent = ::GetParent(hWnd);
    RECT rectOld;
    ::GetWindowRect(hWnd, &rectOld);
    ::MapWindowPoints(NULL, hWndParent, reinterpret_cast<LPPOINT>(&rectOld), 2);
    if (::EqualRect(&rectOld, lpRect))
        return;
    int cx = lpRect->right - lpRect->left;
    int cy = lpRect->bottom - lpRect->top;
    UINT nFlags = SWP_NOACTIVATE | SWP_NOZORDER;
    if (lpLayout != NULL && lpLayout->hDWP != NULL)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, NULL, lpRect->left, lpRect->top, cx, cy, nFlags);
    else
        ::SetWindowPos(hWnd, NULL, lpRect->left, lpRect->top, cx, cy, nFlags);
}
