// The hook manager: per-window sinks of listeners behind one shared window procedure.
#include "common/ZPHookManager.h"

#include <framework/threadstate.h>

const UINT WM_HOOKMANAGER_SINKREMOVED = ::RegisterWindowMessageW(L"WM_HOOKMANAGER_SINKREMOVED");

namespace {

CZPHookManager* g_pHookManager = NULL;   // borrowed: the live instance, NULL before and after it

UINT_PTR Key(HWND hWnd)
{
    return reinterpret_cast<UINT_PTR>(hWnd);
}

WNDPROC GetWndProc(HWND hWnd, BOOL bUnicode)
{
    return reinterpret_cast<WNDPROC>(bUnicode ? ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)
                                              : ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
}

WNDPROC SetWndProc(HWND hWnd, BOOL bUnicode, WNDPROC pfn)
{
    LONG_PTR value = reinterpret_cast<LONG_PTR>(pfn);
    return reinterpret_cast<WNDPROC>(bUnicode ? ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, value)
                                              : ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, value));
}

LRESULT CallPrevious(WNDPROC pfn, BOOL bUnicode, HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    return bUnicode ? ::CallWindowProcW(pfn, hWnd, nMessage, wParam, lParam)
                    : ::CallWindowProcA(pfn, hWnd, nMessage, wParam, lParam);
}

// Makes the hooked message the framework's current one while listeners run.
class CCurrentMessageScope
{
public:
    CCurrentMessageScope(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
        : m_pState(AfxGetThreadState()), m_saved(m_pState->m_lastSentMsg)
    {
        m_pState->m_lastSentMsg.hwnd = hWnd;
        m_pState->m_lastSentMsg.message = nMessage;
        m_pState->m_lastSentMsg.wParam = wParam;
        m_pState->m_lastSentMsg.lParam = lParam;
    }
    ~CCurrentMessageScope() { m_pState->m_lastSentMsg = m_saved; }
    CCurrentMessageScope(const CCurrentMessageScope&) = delete;
    CCurrentMessageScope& operator=(const CCurrentMessageScope&) = delete;

private:
    AFX_THREAD_STATE* m_pState;   // borrowed
    MSG m_saved;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Listener

CZPHookManagerHookAble::CZPHookManagerHookAble() : m_bAutoDestroy(FALSE)
{
}

CZPHookManagerHookAble::~CZPHookManagerHookAble()
{
    CZPHookManager* pManager = CZPHookManager::GetExisting();
    if (pManager != NULL) {
        // Not deleted again by a sink while it dies.
        m_bAutoDestroy = FALSE;
        pManager->DetachHookAbleEverywhere(this);
    }
}

// ---------------------------------------------------------------------------------------------
// Sink

CZPHookManager::CHookSink::CHookSink(CZPHookManager* pManager, HWND hWnd)
    : m_pOldWndProc(NULL), m_hWnd(hWnd), m_bUnicode(::IsWindowUnicode(hWnd)), m_bForced(FALSE), m_bRetired(FALSE),
      m_nBusy(0), m_pManager(pManager)
{
    m_pOldWndProc = GetWndProc(hWnd, m_bUnicode);
    if (m_pOldWndProc != NULL && SetWndProc(hWnd, m_bUnicode, ZpHookWindowProc) == NULL)
        m_pOldWndProc = NULL;
}

CZPHookManager::CHookSink::~CHookSink()
{
    while (m_arrHooks.GetSize() > 0) {
        INT_PTR nLast = m_arrHooks.GetSize() - 1;
        CZPHookManagerHookAble* pHook = m_arrHooks[nLast];
        m_arrHooks.RemoveAt(nLast);
        if (pHook->m_bAutoDestroy)
            delete pHook;
    }
}

void CZPHookManager::CHookSink::Unsubclass()
{
    if (m_pOldWndProc == NULL)
        return;
    if (!m_bForced &&
        ::SendMessageW(m_hWnd, WM_HOOKMANAGER_SINKREMOVED, reinterpret_cast<WPARAM>(ZpHookWindowProc),
                       reinterpret_cast<LPARAM>(m_pOldWndProc)) != 0)
        return;
    WNDPROC pCurrent = GetWndProc(m_hWnd, m_bUnicode);
    SetWndProc(m_hWnd, m_bUnicode, m_pOldWndProc);
    // A subclasser above us that did not answer still calls our procedure.
    if (!m_bForced && pCurrent != NULL && pCurrent != ZpHookWindowProc)
        m_pManager->m_mapOrphans.SetAt(Key(m_hWnd), m_pOldWndProc);
}

void CZPHookManager::CHookSink::Retire(BOOL bForced)
{
    if (m_bRetired)
        return;
    m_bRetired = TRUE;
    m_bForced = bForced;
    ++m_nBusy;
    Unsubclass();
    CHookSink* pMapped = NULL;
    if (m_pManager->m_mapSinks.Lookup(Key(m_hWnd), pMapped) && pMapped == this)
        m_pManager->m_mapSinks.RemoveKey(Key(m_hWnd));
    Release();
}

void CZPHookManager::CHookSink::Release()
{
    if (--m_nBusy == 0 && m_bRetired)
        delete this;
}

void CZPHookManager::CHookSink::RemoveHookAble(CZPHookManagerHookAble* pHook)
{
    int nIndex = ZpFindInPtrArray(m_arrHooks, pHook);
    if (nIndex < 0)
        return;
    m_arrHooks.RemoveAt(nIndex);
    ++m_nBusy;
    if (pHook->m_bAutoDestroy)
        delete pHook;
    if (m_arrHooks.GetSize() == 0)
        Retire(FALSE);
    Release();
}

BOOL CZPHookManager::CHookSink::Dispatch(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    if (nMessage == WM_HOOKMANAGER_SINKREMOVED && reinterpret_cast<WNDPROC>(wParam) == m_pOldWndProc) {
        m_pOldWndProc = reinterpret_cast<WNDPROC>(lParam);
        lResult = 1;
        return TRUE;
    }
    BOOL bHandled = FALSE;
    ++m_nBusy;
    // Last attached first; a listener may remove itself or others, or take the sink along.
    for (INT_PTR i = m_arrHooks.GetSize() - 1; i >= 0 && !m_bRetired; --i) {
        if (i >= m_arrHooks.GetSize()) {
            i = m_arrHooks.GetSize();
            continue;
        }
        int nAnswer = CZPHookManagerHookAble::hookContinue;
        try {
            nAnswer = m_arrHooks[i]->OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
        } catch (CException* e) {
            e->Delete();
        } catch (...) {
        }
        if (nAnswer == CZPHookManagerHookAble::hookHandled) {
            bHandled = TRUE;
            break;
        }
        if (nAnswer == CZPHookManagerHookAble::hookStop)
            break;
    }
    Release();
    return bHandled;
}

// ---------------------------------------------------------------------------------------------
// Manager

CZPHookManager::CZPHookManager()
{
    g_pHookManager = this;
}

CZPHookManager::~CZPHookManager()
{
    RemoveAll();
    m_mapOrphans.RemoveAll();
    if (g_pHookManager == this)
        g_pHookManager = NULL;
}

CZPHookManager* PASCAL CZPHookManager::GetExisting()
{
    return g_pHookManager;
}

CZPHookManager::CHookSink* CZPHookManager::FindSink(HWND hWnd) const
{
    CHookSink* pSink = NULL;
    return m_mapSinks.Lookup(Key(hWnd), pSink) ? pSink : NULL;
}

WNDPROC CZPHookManager::FindOrphan(HWND hWnd) const
{
    WNDPROC pfn = NULL;
    return m_mapOrphans.Lookup(Key(hWnd), pfn) ? pfn : NULL;
}

BOOL CZPHookManager::AttachHookAble(HWND hWnd, CZPHookManagerHookAble* pHook)
{
    if (pHook == NULL || !::IsWindow(hWnd) || ::GetWindowThreadProcessId(hWnd, NULL) != ::GetCurrentThreadId())
        return FALSE;
    CHookSink* pSink = FindSink(hWnd);
    if (pSink == NULL) {
        pSink = new CHookSink(this, hWnd);
        if (pSink->GetOldWndProc() == NULL) {
            delete pSink;
            return FALSE;
        }
        m_mapSinks.SetAt(Key(hWnd), pSink);
        m_mapOrphans.RemoveKey(Key(hWnd));
    }
    if (!pSink->HasHookAble(pHook))
        pSink->m_arrHooks.Add(pHook);
    return TRUE;
}

void CZPHookManager::DetachHookAble(HWND hWnd, CZPHookManagerHookAble* pHook)
{
    CHookSink* pSink = FindSink(hWnd);
    if (pSink != NULL)
        pSink->RemoveHookAble(pHook);
}

void CZPHookManager::DetachHookAbleEverywhere(CZPHookManagerHookAble* pHook)
{
    // Windows first: a removal may delete listeners, and with them other sinks.
    CArray<UINT_PTR, UINT_PTR> arrWindows;
    POSITION pos = m_mapSinks.GetStartPosition();
    while (pos != NULL) {
        UINT_PTR nKey = 0;
        CHookSink* pSink = NULL;
        m_mapSinks.GetNextAssoc(pos, nKey, pSink);
        if (pSink->HasHookAble(pHook))
            arrWindows.Add(nKey);
    }
    for (INT_PTR i = 0; i < arrWindows.GetSize(); ++i)
        DetachHookAble(reinterpret_cast<HWND>(arrWindows[i]), pHook);
}

void CZPHookManager::RemoveSink(HWND hWnd, BOOL bForced)
{
    CHookSink* pSink = FindSink(hWnd);
    if (pSink != NULL)
        pSink->Retire(bForced);
}

void CZPHookManager::RemoveAll()
{
    while (m_mapSinks.GetCount() > 0) {
        POSITION pos = m_mapSinks.GetStartPosition();
        UINT_PTR nKey = 0;
        CHookSink* pSink = NULL;
        m_mapSinks.GetNextAssoc(pos, nKey, pSink);
        pSink->Retire(FALSE);
    }
}

CZPHookManager* ZpHookManagerInstance()
{
    static CZPHookManager s_manager;
    return &s_manager;
}

LRESULT CALLBACK ZpHookWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CZPHookManager* pManager = CZPHookManager::GetExisting();
    CZPHookManager::CHookSink* pSink = pManager != NULL ? pManager->FindSink(hWnd) : NULL;
    if (pSink == NULL) {
        // Still in a chain after we left it: the procedure below us answers.
        WNDPROC pfnOrphan = pManager != NULL ? pManager->FindOrphan(hWnd) : NULL;
        if (pfnOrphan == NULL)
            return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
        if (nMessage == WM_NCDESTROY)
            pManager->m_mapOrphans.RemoveKey(reinterpret_cast<UINT_PTR>(hWnd));
        return CallPrevious(pfnOrphan, ::IsWindowUnicode(hWnd), hWnd, nMessage, wParam, lParam);
    }
    const WNDPROC pfnOld = pSink->GetOldWndProc();
    const BOOL bUnicode = pSink->IsUnicode();
    {
        CCurrentMessageScope current(hWnd, nMessage, wParam, lParam);
        if (nMessage == WM_NCDESTROY) {
            pManager->RemoveSink(hWnd, TRUE);
        } else {
            LRESULT lResult = 0;
            if (pSink->Dispatch(hWnd, nMessage, wParam, lParam, lResult))
                return lResult;
        }
    }
    return CallPrevious(pfnOld, bUnicode, hWnd, nMessage, wParam, lParam);
}
