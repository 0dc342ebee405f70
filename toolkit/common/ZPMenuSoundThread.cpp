// The menu-sound worker and its hand-over of requests.
#include "common/ZPMenuSoundThread.h"

#include <mmsystem.h>

namespace {

// SND_ALIAS | SND_NODEFAULT | SND_NOWAIT: an event without a sound stays silent and a busy
// device makes the call return at once.
const DWORD kMenuSoundFlags = SND_ALIAS | SND_NODEFAULT | SND_NOWAIT;
// How long Stop waits for the worker after ending its sound.
const DWORD kStopWaitMs = 1000;

}  // namespace

CZPMenuSoundThread::CZPMenuSoundThread()
    : CZPMenuSoundThread(::waveOutGetNumDevs() > 0, &::PlaySoundW)
{
}

CZPMenuSoundThread::CZPMenuSoundThread(BOOL bAudioPresent, PFNPLAYSOUND pfnPlaySound)
    : m_bEnabled(TRUE), m_bAudioPresent(bAudioPresent), m_pfnPlaySound(pfnPlaySound), m_hThread(NULL),
      m_pState(NULL)
{
}

CZPMenuSoundThread::~CZPMenuSoundThread()
{
    Stop();
}

CZPMenuSoundThread::CWorkerState* CZPMenuSoundThread::CreateState(PFNPLAYSOUND pfnPlaySound)
{
    HANDLE hWake = ::CreateEventW(NULL, TRUE, FALSE, NULL);
    if (hWake == NULL)
        return NULL;
    CWorkerState* pState = new CWorkerState;
    pState->nRefs = 1;
    pState->nRequest = soundNone;
    pState->bStop = FALSE;
    pState->hWake = hWake;
    pState->pfnPlaySound = pfnPlaySound;
    return pState;
}

void CZPMenuSoundThread::ReleaseState(CWorkerState* pState)
{
    if (::InterlockedDecrement(&pState->nRefs) != 0)
        return;
    ::CloseHandle(pState->hWake);
    delete pState;
}

void CZPMenuSoundThread::Play(int nSound)
{
    if (!m_bEnabled || !m_bAudioPresent)
        return;
    if (m_hThread == NULL && !Start())
        return;
    ::InterlockedExchange(&m_pState->nRequest, nSound);
    ::SetEvent(m_pState->hWake);
}

BOOL CZPMenuSoundThread::Start()
{
    Stop();
    CWorkerState* pState = CreateState(m_pfnPlaySound);
    if (pState == NULL)
        return FALSE;
    pState->nRefs = 2;   // this object's and the worker's
    HANDLE hThread = ::CreateThread(NULL, 0, &WorkerProc, pState, CREATE_SUSPENDED, NULL);
    if (hThread == NULL) {
        ReleaseState(pState);
        ReleaseState(pState);
        return FALSE;
    }
    ::SetThreadPriority(hThread, THREAD_PRIORITY_BELOW_NORMAL);
    m_hThread = hThread;
    m_pState = pState;
    ::ResumeThread(hThread);
    return TRUE;
}

BOOL CZPMenuSoundThread::Stop()
{
    if (m_hThread == NULL)
        return FALSE;
    ::InterlockedExchange(&m_pState->bStop, TRUE);
    // A sound in progress keeps the worker inside the play call: end it.
    m_pfnPlaySound(NULL, NULL, 0);
    ::SetEvent(m_pState->hWake);
    // Terminating the worker could leave the sound system's locks held: a worker that is still
    // busy after the wait keeps its state and ends by itself.
    ::WaitForSingleObject(m_hThread, kStopWaitMs);
    BOOL bResult = ::CloseHandle(m_hThread);
    m_hThread = NULL;
    ReleaseState(m_pState);
    m_pState = NULL;
    return bResult;
}

DWORD WINAPI CZPMenuSoundThread::WorkerProc(LPVOID pParam)
{
    CWorkerState* pState = static_cast<CWorkerState*>(pParam);
    while (!::InterlockedCompareExchange(&pState->bStop, FALSE, FALSE)) {
        LONG nRequest = ::InterlockedExchange(&pState->nRequest, soundNone);
        if (nRequest == soundMenuCommand)
            pState->pfnPlaySound(L"MenuCommand", NULL, kMenuSoundFlags);
        else if (nRequest == soundMenuPopup)
            pState->pfnPlaySound(L"MenuPopup", NULL, kMenuSoundFlags);
        // A wait that fails (a handle gone bad) ends the loop rather than spinning.
        if (::WaitForSingleObject(pState->hWake, INFINITE) != WAIT_OBJECT_0)
            break;
        if (::InterlockedCompareExchange(&pState->bStop, FALSE, FALSE))
            break;
        ::ResetEvent(pState->hWake);
    }
    pState->pfnPlaySound(NULL, NULL, SND_PURGE);
    ReleaseState(pState);
    return 0;
}

CZPMenuSoundThread& ZpMenuSoundInstance()
{
    static CZPMenuSoundThread s_instance;
    return s_instance;
}
