// The menu sounds ("MenuCommand", "MenuPopup"), played on a worker thread that sleeps between
// requests so that the user-interface thread never waits for the sound device.
#pragma once

#include <framework.h>

class CZPMenuSoundThread
{
public:
    enum { soundNone = 0, soundMenuCommand = 1, soundMenuPopup = 2 };
    // PlaySoundW's shape; the worker and Stop call the system through it.
    typedef BOOL (WINAPI* PFNPLAYSOUND)(LPCWSTR pszSound, HMODULE hModule, DWORD fdwSound);

    // Audio is present when the system has a wave-out device.
    CZPMenuSoundThread();
    // Tests choose whether audio is present and what plays the sound.
    CZPMenuSoundThread(BOOL bAudioPresent, PFNPLAYSOUND pfnPlaySound);
    virtual ~CZPMenuSoundThread();

    // Stores the request (soundMenuCommand or soundMenuPopup) and wakes the worker, started on
    // the first request; nothing when sounds are off or there is no audio device.
    void Play(int nSound);
    // Starts a fresh worker; FALSE when the thread cannot be created.
    BOOL Start();
    // Ends the current sound and the worker; FALSE when there was none. A worker that does not
    // end in time is left to finish on its own, never terminated.
    BOOL Stop();

    void EnableSound(BOOL bEnable) { m_bEnabled = bEnable; }
    BOOL IsSoundEnabled() const { return m_bEnabled; }
    BOOL IsAudioPresent() const { return m_bAudioPresent; }

    CZPMenuSoundThread(const CZPMenuSoundThread&) = delete;
    CZPMenuSoundThread& operator=(const CZPMenuSoundThread&) = delete;

private:
    // What the worker reads, shared between the owner and the worker and freed by whichever
    // lets go last: a worker that outlives Stop (or the process's exit-time destructor) still
    // finds its flags and event.
    struct CWorkerState
    {
        LONG nRefs;
        LONG nRequest;
        LONG bStop;
        HANDLE hWake;               // owned: manual-reset, set for each request and for stopping
        PFNPLAYSOUND pfnPlaySound;  // borrowed: a system or test function that outlives the worker
    };

    static CWorkerState* CreateState(PFNPLAYSOUND pfnPlaySound);
    static void ReleaseState(CWorkerState* pState);
    static DWORD WINAPI WorkerProc(LPVOID pParam);

    BOOL m_bEnabled;
    BOOL m_bAudioPresent;           // decided once, at construction
    PFNPLAYSOUND m_pfnPlaySound;
    HANDLE m_hThread;               // owned; NULL without a worker
    CWorkerState* m_pState;         // one reference held here while m_hThread is set
};

// The process's menu-sound player, created on first use and stopped at exit.
CZPMenuSoundThread& ZpMenuSoundInstance();
