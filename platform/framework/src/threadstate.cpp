// Global locks, module state, per-thread state and thread-local slots.
#include <framework/threadstate.h>
#include <framework/exceptions.h>

namespace {

struct GlobalLocks
{
    CRITICAL_SECTION m_sections[CRIT_MAX];
    GlobalLocks()
    {
        for (CRITICAL_SECTION& cs : m_sections)
            InitializeCriticalSection(&cs);
    }
};

CRITICAL_SECTION* GlobalLock(int nLockType)
{
    static GlobalLocks s_locks;
    if (nLockType < 0 || nLockType >= CRIT_MAX)
        AfxThrowInvalidArgException();
    return &s_locks.m_sections[nLockType];
}

AFX_MODULE_STATE g_moduleState;

// One thread's objects, indexed by slot; allocated from the process heap.
struct ThreadValues
{
    int m_nCount;
    CNoTrackObject* m_pValues[1];
};

int g_nSlots;

void DeleteValues(ThreadValues* pValues)
{
    if (pValues == NULL)
        return;
    // Newest first: later objects may use earlier ones (the thread state) while they go.
    for (int i = pValues->m_nCount - 1; i >= 0; --i) {
        CNoTrackObject* pValue = pValues->m_pValues[i];
        pValues->m_pValues[i] = NULL;
        delete pValue;
    }
    HeapFree(GetProcessHeap(), 0, pValues);
}

VOID WINAPI OnThreadEnd(PVOID pData)
{
    DeleteValues(static_cast<ThreadValues*>(pData));
}

DWORD FlsIndex()
{
    static const DWORD s_index = [] {
        DWORD index = FlsAlloc(OnThreadEnd);
        if (index == FLS_OUT_OF_INDEXES)
            AfxThrowMemoryException();
        return index;
    }();
    return s_index;
}

}  // namespace

void AfxLockGlobals(int nLockType)
{
    EnterCriticalSection(GlobalLock(nLockType));
}

void AfxUnlockGlobals(int nLockType)
{
    LeaveCriticalSection(GlobalLock(nLockType));
}

void* CNoTrackObject::operator new(size_t nSize)
{
    void* p = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, nSize);
    if (p == NULL)
        AfxThrowMemoryException();
    return p;
}

void CNoTrackObject::operator delete(void* p)
{
    if (p != NULL)
        HeapFree(GetProcessHeap(), 0, p);
}

AFX_MODULE_STATE* AfxGetModuleState()
{
    if (g_moduleState.m_hCurrentInstanceHandle == NULL)
        g_moduleState.m_hCurrentInstanceHandle = GetModuleHandleW(NULL);
    return &g_moduleState;
}

HINSTANCE AfxGetInstanceHandle()
{
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}

HINSTANCE AfxGetResourceHandle()
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    return pState->m_hCurrentResourceHandle != NULL ? pState->m_hCurrentResourceHandle
                                                     : pState->m_hCurrentInstanceHandle;
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource;
}

WNDPROC AfxGetAfxWndProc()
{
    return AfxGetModuleState()->m_pfnAfxWndProc;
}

AFX_THREAD_STATE::AFX_THREAD_STATE()
    : m_msgCur(), m_lastSentMsg(), m_pWndInit(NULL), m_hHookOldCbtFilter(NULL),
      m_ptCursorLast{-1, -1}, m_nMsgLast(0), m_pWindowState(NULL)
{
}

AFX_THREAD_STATE::~AFX_THREAD_STATE()
{
    delete m_pWindowState;
}

AFX_THREAD_STATE* AfxGetThreadState()
{
    static CThreadLocal<AFX_THREAD_STATE> s_threadState;
    return s_threadState.GetData();
}

MSG* AfxGetCurrentMessage()
{
    return &AfxGetThreadState()->m_lastSentMsg;
}

int PASCAL CThreadSlotData::AllocSlot()
{
    AfxLockGlobals(CRIT_THREADLOCAL);
    int nSlot = g_nSlots++;
    AfxUnlockGlobals(CRIT_THREADLOCAL);
    return nSlot;
}

CNoTrackObject* PASCAL CThreadSlotData::GetValue(int nSlot)
{
    auto* pValues = static_cast<ThreadValues*>(FlsGetValue(FlsIndex()));
    return pValues != NULL && nSlot < pValues->m_nCount ? pValues->m_pValues[nSlot] : NULL;
}

void PASCAL CThreadSlotData::SetValue(int nSlot, CNoTrackObject* pValue)
{
    DWORD index = FlsIndex();
    auto* pValues = static_cast<ThreadValues*>(FlsGetValue(index));
    if (pValues == NULL || nSlot >= pValues->m_nCount) {
        AfxLockGlobals(CRIT_THREADLOCAL);
        int nCount = g_nSlots;
        AfxUnlockGlobals(CRIT_THREADLOCAL);
        SIZE_T cb = sizeof(ThreadValues) + sizeof(CNoTrackObject*) * (nCount - 1);
        void* pNew = pValues == NULL ? HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, cb)
                                     : HeapReAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, pValues, cb);
        if (pNew == NULL) {
            delete pValue;
            AfxThrowMemoryException();
        }
        pValues = static_cast<ThreadValues*>(pNew);
        pValues->m_nCount = nCount;
        FlsSetValue(index, pValues);
    }
    pValues->m_pValues[nSlot] = pValue;
}

void PASCAL CThreadSlotData::DeleteThreadValues()
{
    DWORD index = FlsIndex();
    auto* pValues = static_cast<ThreadValues*>(FlsGetValue(index));
    FlsSetValue(index, NULL);
    DeleteValues(pValues);
}
