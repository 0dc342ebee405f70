// The modal loop of a window and the pieces of the message pump.
#include <framework/controls.h>
#include <framework/exceptions.h>
#include <framework/thread.h>

#include "winstate.h"

int CWnd::RunModalLoop(DWORD dwFlags)
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) != 0 && (GetStyle() & WS_VISIBLE) == 0;
    HWND hWndParent = ::GetParent(m_hWnd);
    HWND hWnd = m_hWnd;
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    MSG* pMsg = &AfxGetThreadState()->m_msgCur;

    for (;;) {
        while (bIdle && !::PeekMessageW(pMsg, NULL, 0, 0, PM_NOREMOVE)) {
            if (bShowIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if ((dwFlags & MLF_NOIDLEMSG) == 0 && hWndParent != NULL && lIdleCount == 0)
                ::SendMessageW(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(hWnd));
            if ((dwFlags & MLF_NOKICKIDLE) != 0 || !::SendMessageW(hWnd, WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
        }
        do {
            if (!AfxPumpMessage()) {
                ::PostQuitMessage(0);
                return -1;
            }
            if (bShowIdle && (pMsg->message == 0x0118 || pMsg->message == WM_SYSKEYDOWN)) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!::IsWindow(hWnd))
                return -1;   // destroyed under the loop: the object may be gone too
            if (!ContinueModal()) {
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return m_nModalResult;
            }
            if (AfxIsIdleMessage(pMsg)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageW(pMsg, NULL, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if ((m_nFlags & WF_CONTINUEMODAL) != 0) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);   // wakes the loop
    }
}

// ---- pump pieces ----

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->PreTranslateMessage(pMsg);
    return CWnd::WalkPreTranslateTree(NULL, pMsg);
}

BOOL AfxInternalPumpMessage()
{
    MSG* pMsg = &AfxGetThreadState()->m_msgCur;
    if (!::GetMessageW(pMsg, NULL, 0, 0))
        return FALSE;
    // A posted WM_KICKIDLE belongs to a modal loop that has ended: dropped.
    if (pMsg->message != WM_KICKIDLE && !AfxPreTranslateMessage(pMsg)) {
        ::TranslateMessage(pMsg);
        ::DispatchMessageW(pMsg);
    }
    return TRUE;
}

BOOL AfxPumpMessage()
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->PumpMessage();
    return AfxInternalPumpMessage();
}

BOOL AfxInternalIsIdleMessage(MSG* pMsg)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        // A move to the same point (sent by the system after painting) is not user activity.
        if (pState->m_nMsgLast == pMsg->message && pState->m_ptCursorLast.x == pMsg->pt.x &&
            pState->m_ptCursorLast.y == pMsg->pt.y)
            return FALSE;
        pState->m_ptCursorLast = pMsg->pt;
        pState->m_nMsgLast = pMsg->message;
        return TRUE;
    }
    // Painting and the caret-blink timer come by themselves, with nothing to update.
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

BOOL AfxIsIdleMessage(MSG* pMsg)
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->IsIdleMessage(pMsg);
    return AfxInternalIsIdleMessage(pMsg);
}
