// The user-interface thread object: message loop, pre-translation and idle update.
#include <framework/exceptions.h>
#include <framework/thread.h>

#include "winstate.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread()
    : m_pMainWnd(NULL), m_pActiveWnd(NULL), m_hThread(::GetCurrentThread()), m_nThreadID(::GetCurrentThreadId())
{
    AfxGetWindowState()->m_pCurrentWinThread = this;
}

CWinThread::~CWinThread()
{
    AFX_WINDOW_STATE* pState = AfxGetWindowState();
    if (pState->m_pCurrentWinThread == this)
        pState->m_pCurrentWinThread = NULL;
}

CWinThread* AfxGetThread()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pWindowState == NULL)
        return NULL;
    return static_cast<AFX_WINDOW_STATE*>(pState->m_pWindowState)->m_pCurrentWinThread;
}

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL ? pThread->GetMainWnd() : NULL;
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return static_cast<int>(AfxGetThreadState()->m_msgCur.wParam);
}

CWnd* CWinThread::GetMainWnd()
{
    return m_pActiveWnd != NULL ? m_pActiveWnd : m_pMainWnd;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    MSG* pMsg = &AfxGetThreadState()->m_msgCur;
    for (;;) {
        while (bIdle && !::PeekMessageW(pMsg, NULL, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(pMsg)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageW(pMsg, NULL, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    return AfxInternalPumpMessage();
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (CWnd::WalkPreTranslateTree(CWnd::GetSafeHwnd(pMainWnd), pMsg))
        return TRUE;
    // Messages of other top-level windows (a modeless dialog) get the main window's chance too.
    if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL && pMsg->hwnd != NULL) {
        HWND hWndTop = pMsg->hwnd;
        while ((::GetWindowLongPtrW(hWndTop, GWL_STYLE) & WS_CHILD) != 0 && ::GetParent(hWndTop) != NULL)
            hWndTop = ::GetParent(hWndTop);
        if (hWndTop != pMainWnd->m_hWnd)
            return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL && pMainWnd->IsWindowVisible()) {
            AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    AfxLockTempMaps();
    AfxUnlockTempMaps(TRUE);
    return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    return AfxInternalIsIdleMessage(pMsg);
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    LRESULT lResult = 0;
    if (pMsg->message == WM_CREATE) {
        lResult = -1;   // creation fails
    } else if (pMsg->message == WM_PAINT) {
        ::ValidateRect(pMsg->hwnd, NULL);   // no endless repaint of a failing window
    }
    if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
        e->ReportError(MB_ICONEXCLAMATION);
    return lResult;
}

int CWinThread::DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT)
{
    CWnd* pMainWnd = GetMainWnd();
    HWND hWndOwner = ::GetActiveWindow();
    if (hWndOwner == NULL && pMainWnd != NULL)
        hWndOwner = pMainWnd->m_hWnd;
    return ::MessageBoxW(hWndOwner, lpszPrompt, NULL, nType);
}

int AfxMessageBox(LPCWSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBoxW(::GetActiveWindow(), lpszText, NULL, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString strPrompt;
    strPrompt.LoadString(nIDPrompt);
    return AfxMessageBox(strPrompt, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}
