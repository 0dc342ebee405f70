// The user-interface thread object: message loop, pre-translation, idle update, and the last
// step of command routing. The application object derives from it.
#pragma once

#include <framework/wnd.h>

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    // Becomes the current thread object of the constructing thread.
    CWinThread();
    ~CWinThread() override;

    CWnd* m_pMainWnd;     // borrowed; its WM_NCDESTROY ends the loop
    CWnd* m_pActiveWnd;   // borrowed; the active in-place window, if any
    HANDLE m_hThread;     // borrowed pseudo-handle of the running thread
    DWORD m_nThreadID;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // Pumps until WM_QUIT, idling after idle-triggering messages only; returns ExitInstance().
    virtual int Run();
    virtual BOOL PumpMessage();
    // Offers a queued message to the windows from its target up to the main window, then to the
    // main window for messages of other top-level windows.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // 0: WM_IDLEUPDATECMDUI to the visible main window and its permanent descendants;
    // 1: frees temporary objects. TRUE asks for another call.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // An exception a window procedure stopped: reports it; the result is the message's result.
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
    // Message boxes of the framework go through here (AfxMessageBox).
    virtual int DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    virtual CWnd* GetMainWnd();
};

// The current thread object of the calling thread; NULL when none was constructed on it.
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
int AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
