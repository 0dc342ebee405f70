// Process-wide framework state, per-thread state and thread-local objects.
#pragma once

#include <windows.h>

class CWnd;
class CWinApp;

// Global locks: one critical section per kind, created on first use.
enum
{
    CRIT_RUNTIMECLASSLIST = 0,
    CRIT_THREADLOCAL = 1,
    CRIT_TOOLKIT = 2,     // the toolkit's process-wide singletons
    CRIT_WINDOWS = 3,     // reserved for the window layer
    CRIT_MAX = 8
};

void AfxLockGlobals(int nLockType);
void AfxUnlockGlobals(int nLockType);

// Base of objects kept per thread; allocated from the process heap outside the C++ allocator,
// so they survive (and are not reported by) the application's own allocation tracking.
class CNoTrackObject
{
public:
    void* operator new(size_t nSize);
    void operator delete(void* p);
    virtual ~CNoTrackObject() = default;
};

// The process-wide state of the one framework module (the program is linked statically).
struct AFX_MODULE_STATE
{
    HINSTANCE m_hCurrentInstanceHandle;   // the program module unless the application says otherwise
    HINSTANCE m_hCurrentResourceHandle;   // where strings and other resources are looked up
    WNDPROC m_pfnAfxWndProc;              // set by the window layer: the framework's common window procedure
    CWinApp* m_pCurrentWinApp;            // borrowed; set by the application object
};

AFX_MODULE_STATE* AfxGetModuleState();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
WNDPROC AfxGetAfxWndProc();

// Per UI thread. The current-message record is public on purpose: the toolkit saves it,
// overwrites it around its own dispatch and restores it.
struct AFX_THREAD_STATE : CNoTrackObject
{
    MSG m_msgCur;             // last message taken from the queue by the message pump
    MSG m_lastSentMsg;        // message being dispatched (read by Default())
    CWnd* m_pWndInit;         // borrowed; window being created (creation hook)
    HHOOK m_hHookOldCbtFilter;
    POINT m_ptCursorLast;     // idle filter: last mouse point and message
    UINT m_nMsgLast;
    CNoTrackObject* m_pWindowState;   // owned; the window layer's own per-thread state

    AFX_THREAD_STATE();
    ~AFX_THREAD_STATE() override;
};

// Created on first use for each thread, destroyed when the thread ends.
AFX_THREAD_STATE* AfxGetThreadState();
MSG* AfxGetCurrentMessage();

// Slots of thread-local objects; the object of a slot is created on first use by each thread
// and deleted, newest slot first, when that thread ends.
class CThreadSlotData
{
public:
    static int PASCAL AllocSlot();
    static CNoTrackObject* PASCAL GetValue(int nSlot);
    static void PASCAL SetValue(int nSlot, CNoTrackObject* pValue);
    // Deletes the calling thread's objects now (also done automatically at thread exit).
    static void PASCAL DeleteThreadValues();
};

template <class TYPE>
class CThreadLocal
{
public:
    CThreadLocal() : m_nSlot(CThreadSlotData::AllocSlot()) {}
    CThreadLocal(const CThreadLocal&) = delete;
    CThreadLocal& operator=(const CThreadLocal&) = delete;

    TYPE* GetData()
    {
        CNoTrackObject* pValue = CThreadSlotData::GetValue(m_nSlot);
        if (pValue == NULL) {
            pValue = new TYPE;
            CThreadSlotData::SetValue(m_nSlot, pValue);
        }
        return static_cast<TYPE*>(pValue);
    }
    // No allocation: NULL when this thread has not created its object yet.
    TYPE* GetDataNA() { return static_cast<TYPE*>(CThreadSlotData::GetValue(m_nSlot)); }
    TYPE* operator->() { return GetData(); }
    operator TYPE*() { return GetData(); }

private:
    int m_nSlot;
};

#define THREAD_LOCAL(class_name, ident_name) CThreadLocal<class_name> ident_name;
#define EXTERN_THREAD_LOCAL(class_name, ident_name) extern CThreadLocal<class_name> ident_name;
