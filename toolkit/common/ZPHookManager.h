// One subclassing of a window shared by any number of listeners, added and removed in any order.
#pragma once

#include <framework.h>

// Sent to a window being unhooked: wParam = the procedure going away, lParam = the procedure it
// called. A subclasser whose previous procedure is wParam takes lParam in its place and answers
// non-zero, so that the window procedure is not reset under it.
extern const UINT WM_HOOKMANAGER_SINKREMOVED;

class CZPHookManagerHookAble
{
public:
    enum
    {
        hookContinue = 0,   // the next listener, finally the window's previous procedure
        hookHandled = 1,    // the window procedure returns the stored result
        hookStop = 2        // no further listener, but the previous procedure still runs
    };

    CZPHookManagerHookAble();
    // Detaches the listener from every window, so that no sink keeps a dangling pointer.
    virtual ~CZPHookManagerHookAble();
    CZPHookManagerHookAble(const CZPHookManagerHookAble&) = delete;
    CZPHookManagerHookAble& operator=(const CZPHookManagerHookAble&) = delete;

    // Sees a message before the window; may change wParam and lParam for those after it.
    virtual int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) = 0;

    // Deleted with the sink: on removal from its window or when the window is destroyed.
    BOOL m_bAutoDestroy;
};

// Index of the pointer in the array, or -1.
template <class T>
int ZpFindInPtrArray(const CArray<T*, T*>& arr, const void* p)
{
    for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
        if (arr[i] == p)
            return static_cast<int>(i);
    }
    return -1;
}

class CZPHookManager
{
public:
    class CHookSink
    {
    public:
        // Subclasses the window; GetOldWndProc() is NULL when that failed.
        CHookSink(CZPHookManager* pManager, HWND hWnd);
        // Deletes the listeners still attached that asked for it, last first.
        ~CHookSink();
        CHookSink(const CHookSink&) = delete;
        CHookSink& operator=(const CHookSink&) = delete;

        // Removes (and with its flag deletes) the listener; the last one takes the sink along.
        void RemoveHookAble(CZPHookManagerHookAble* pHook);
        // TRUE when a listener handled the message (lResult holds its answer). The sink may be
        // gone when this returns.
        BOOL Dispatch(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult);
        BOOL HasHookAble(const CZPHookManagerHookAble* pHook) const { return ZpFindInPtrArray(m_arrHooks, pHook) >= 0; }
        int GetHookAbleCount() const { return static_cast<int>(m_arrHooks.GetSize()); }
        WNDPROC GetOldWndProc() const { return m_pOldWndProc; }
        BOOL IsUnicode() const { return m_bUnicode; }

    protected:
        friend class CZPHookManager;

        // Puts the previous procedure back unless a later subclasser took it over.
        void Unsubclass();
        // Unsubclassed and out of the map; deleted now or when the last dispatch on it ends.
        void Retire(BOOL bForced);
        void Release();

        CArray<CZPHookManagerHookAble*, CZPHookManagerHookAble*> m_arrHooks;   // borrowed, auto-destroy ones owned
        WNDPROC m_pOldWndProc;
        HWND m_hWnd;
        BOOL m_bUnicode;
        BOOL m_bForced;
        BOOL m_bRetired;
        int m_nBusy;                  // dispatches and removals running on this sink
        CZPHookManager* m_pManager;   // borrowed
    };

    CZPHookManager();
    ~CZPHookManager();
    CZPHookManager(const CZPHookManager&) = delete;
    CZPHookManager& operator=(const CZPHookManager&) = delete;

    // FALSE for no listener, or a window that does not exist or belongs to another thread.
    BOOL AttachHookAble(HWND hWnd, CZPHookManagerHookAble* pHook);
    void DetachHookAble(HWND hWnd, CZPHookManagerHookAble* pHook);
    void DetachHookAbleEverywhere(CZPHookManagerHookAble* pHook);
    CHookSink* FindSink(HWND hWnd) const;
    void RemoveSink(HWND hWnd, BOOL bForced);
    void RemoveAll();

    // The manager while it exists, never creating it (for listeners that die at exit).
    static CZPHookManager* PASCAL GetExisting();

protected:
    friend class CHookSink;
    friend LRESULT CALLBACK ZpHookWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);

    // The procedure below ours for a window we left while another subclasser still calls us.
    WNDPROC FindOrphan(HWND hWnd) const;

    CMap<UINT_PTR, UINT_PTR, CHookSink*, CHookSink*> m_mapSinks;   // sinks owned
    CMap<UINT_PTR, UINT_PTR, WNDPROC, WNDPROC> m_mapOrphans;
};

CZPHookManager* ZpHookManagerInstance();
LRESULT CALLBACK ZpHookWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
