// Window objects: creation hook, handle maps, the common window procedure and dispatch,
// reflection and command routing. Tool tips, layout and the message pump are files of their own.
#include <framework/controls.h>
#include <framework/exceptions.h>
#include <framework/thread.h>

#include "winstate.h"

#include <stdexcept>

namespace {

// Keeps the replaced procedure reachable after the object has let go of its window.
const WCHAR kSuperProcProp[] = L"TolvaneSuperProc";

template <class T, class H>
void DeleteTempObject(T* pObject, H T::*pHandle)
{
    pObject->*pHandle = NULL;
    delete pObject;
}

const bool s_bWndProcPublished = [] {
    AfxGetModuleState()->m_pfnAfxWndProc = AfxWndProc;
    return true;
}();

}  // namespace

AFX_WINDOW_STATE::AFX_WINDOW_STATE()
    : m_mapHWND([](HWND h) { return new CWnd(h); }, [](CWnd* p) { DeleteTempObject(p, &CWnd::m_hWnd); }),
      m_mapHDC([](HDC h) { return new CDC(h); },
               [](CDC* p) {
                   p->m_hAttribDC = NULL;
                   DeleteTempObject(p, &CDC::m_hDC);
               }),
      m_mapHGDIOBJ([](HGDIOBJ h) { return CGdiObject::NewTempObject(h); }, [](CGdiObject* p) { DeleteTempObject(p, &CGdiObject::m_hObject); }),
      m_mapHMENU([](HMENU h) { return new CMenu(h); }, [](CMenu* p) { DeleteTempObject(p, &CMenu::m_hMenu); }),
      m_mapHIMAGELIST([](HIMAGELIST h) { return new CImageList(h); },
                      [](CImageList* p) { DeleteTempObject(p, &CImageList::m_hImageList); }),
      m_pCurrentWinThread(NULL), m_nTempMapLock(0), m_pToolTip(NULL), m_pLastHit(NULL), m_nLastHit(-1),
      m_pLastInfo(NULL)
{
}

AFX_WINDOW_STATE::~AFX_WINDOW_STATE()
{
    delete m_pLastInfo;
    if (m_pToolTip != NULL) {
        m_pToolTip->DestroyWindow();
        delete m_pToolTip;
    }
}

AFX_WINDOW_STATE* AfxGetWindowState()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pWindowState == NULL)
        pState->m_pWindowState = new AFX_WINDOW_STATE;
    return static_cast<AFX_WINDOW_STATE*>(pState->m_pWindowState);
}

CHandleMap<CWnd, HWND>* AfxGetPermanentWndMap()
{
    return &AfxGetWindowState()->m_mapHWND;
}

void AfxLockTempMaps()
{
    ++AfxGetWindowState()->m_nTempMapLock;
}

BOOL AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    AFX_WINDOW_STATE* pState = AfxGetWindowState();
    if (pState->m_nTempMapLock > 0 && --pState->m_nTempMapLock > 0)
        return FALSE;
    if (bDeleteTemps) {
        pState->m_mapHWND.DeleteTemp();
        pState->m_mapHDC.DeleteTemp();
        pState->m_mapHGDIOBJ.DeleteTemp();
        pState->m_mapHMENU.DeleteTemp();
        pState->m_mapHIMAGELIST.DeleteTemp();
    }
    return TRUE;
}

// ---- the common window procedure ----

LRESULT AfxProcessWndProcException(CException* e, const MSG* pMsg)
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->ProcessWndProcException(e, pMsg);
    OutputDebugStringW(L"Tolvane: exception stopped in a window procedure\n");
    if (pMsg->message == WM_CREATE)
        return -1;   // creation fails
    if (pMsg->message == WM_PAINT)
        ValidateRect(pMsg->hwnd, NULL);   // no endless repaint of a failing window
    return 0;
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    MSG oldState = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMsg;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;

    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        lResult = AfxProcessWndProcException(e, &pState->m_lastSentMsg);
        e->Delete();
    } catch (const std::bad_alloc&) {
        CMemoryException e(FALSE);
        lResult = AfxProcessWndProcException(&e, &pState->m_lastSentMsg);
    } catch (...) {
        CException e(FALSE);
        lResult = AfxProcessWndProcException(&e, &pState->m_lastSentMsg);
    }
    pState->m_lastSentMsg = oldState;
    return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != NULL)
        return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
    // The object is gone: the window goes on with the procedure it had before.
    WNDPROC pfnSuper = reinterpret_cast<WNDPROC>(GetPropW(hWnd, kSuperProcProp));
    if (nMsg == WM_NCDESTROY)
        RemovePropW(hWnd, kSuperProcProp);
    if (pfnSuper != NULL && pfnSuper != AfxWndProc)
        return CallWindowProcW(pfnSuper, hWnd, nMsg, wParam, lParam);
    return DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

// ---- creation hook ----

namespace {

BOOL IsImeWindow(HWND hWnd)
{
    WCHAR szClass[8];
    return GetClassNameW(hWnd, szClass, ARRAYSIZE(szClass)) > 0 && lstrcmpiW(szClass, L"IME") == 0;
}

// Replaces hWnd's procedure by the common one, keeping the old one as pWnd's super-procedure.
void SubclassToAfx(CWnd* pWnd, HWND hWnd)
{
    WNDPROC pfnOld = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    if (pfnOld != AfxWndProc) {
        *pWnd->GetSuperWndProcAddr() = pfnOld;
        SetPropW(hWnd, kSuperProcProp, reinterpret_cast<HANDLE>(pfnOld));
    }
}

LRESULT CALLBACK AfxCbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (nCode == HCBT_CREATEWND && pState->m_pWndInit != NULL) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        if (!IsImeWindow(hWnd)) {
            CWnd* pWndInit = pState->m_pWndInit;
            pState->m_pWndInit = NULL;
            try {
                pWndInit->Attach(hWnd);
                pWndInit->PreSubclassWindow();
                SubclassToAfx(pWndInit, hWnd);
            } catch (CException* e) {
                e->Delete();
                pWndInit->Detach();
                return 1;   // refuses the creation
            } catch (...) {
                pWndInit->Detach();
                return 1;
            }
        }
    }
    return CallNextHookEx(pState->m_hHookOldCbtFilter, nCode, wParam, lParam);
}

}  // namespace

void AfxHookWindowCreate(CWnd* pWnd)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pWndInit == pWnd)
        return;
    if (pState->m_hHookOldCbtFilter == NULL) {
        pState->m_hHookOldCbtFilter = SetWindowsHookExW(WH_CBT, AfxCbtFilterHook, NULL, GetCurrentThreadId());
        if (pState->m_hHookOldCbtFilter == NULL)
            AfxThrowMemoryException();
    }
    pState->m_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hHookOldCbtFilter != NULL) {
        UnhookWindowsHookEx(pState->m_hHookOldCbtFilter);
        pState->m_hHookOldCbtFilter = NULL;
    }
    if (pState->m_pWndInit != NULL) {
        pState->m_pWndInit = NULL;
        return FALSE;
    }
    return TRUE;
}

// ---- window classes ----

BOOL AfxRegisterClass(WNDCLASSW* lpWndClass)
{
    WNDCLASSW wndcls;
    if (GetClassInfoW(lpWndClass->hInstance, lpWndClass->lpszClassName, &wndcls))
        return TRUE;
    if (RegisterClassW(lpWndClass) != 0)
        return TRUE;
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

LPCWSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // The name encodes the look, so equal requests share one class. Names live as long as the process.
    static CRITICAL_SECTION* s_pLock = [] {
        static CRITICAL_SECTION cs;
        InitializeCriticalSection(&cs);
        return &cs;
    }();
    // Four pointers of 16 digits each on 64-bit: 80 characters and more.
    static WCHAR s_names[64][128];
    static int s_nNames = 0;

    WCHAR szName[128];
    wsprintfW(szName, L"Afx:%p:%x:%p:%p:%p", reinterpret_cast<void*>(AfxGetInstanceHandle()), nClassStyle,
              reinterpret_cast<void*>(hCursor), reinterpret_cast<void*>(hbrBackground),
              reinterpret_cast<void*>(hIcon));
    EnterCriticalSection(s_pLock);
    LPCWSTR lpszResult = NULL;
    for (int i = 0; i < s_nNames && lpszResult == NULL; ++i) {
        if (lstrcmpW(s_names[i], szName) == 0)
            lpszResult = s_names[i];
    }
    if (lpszResult == NULL) {
        WNDCLASSW wndcls = {};
        wndcls.style = nClassStyle;
        wndcls.lpfnWndProc = DefWindowProcW;
        wndcls.hInstance = AfxGetInstanceHandle();
        wndcls.hIcon = hIcon;
        wndcls.hCursor = hCursor;
        wndcls.hbrBackground = hbrBackground;
        wndcls.lpszClassName = szName;
        if (s_nNames < static_cast<int>(ARRAYSIZE(s_names)) && AfxRegisterClass(&wndcls)) {
            lstrcpyW(s_names[s_nNames], szName);
            lpszResult = s_names[s_nNames++];
        }
    }
    LeaveCriticalSection(s_pLock);
    if (lpszResult == NULL)
        AfxThrowResourceException();
    return lpszResult;
}

// ---- CWnd ----

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_COMPAREITEM()
    ON_WM_DELETEITEM()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

CWnd::CWnd() : m_hWnd(NULL), m_nFlags(0), m_pfnSuper(NULL), m_nModalResult(0)
{
}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_nFlags(0), m_pfnSuper(NULL), m_nModalResult(0)
{
}

CWnd::~CWnd()
{
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    return AfxGetWindowState()->m_mapHWND.FromHandle(hWnd);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pWindowState == NULL)
        return NULL;
    return static_cast<AFX_WINDOW_STATE*>(pState->m_pWindowState)->m_mapHWND.LookupPermanent(hWnd);
}

void PASCAL CWnd::DeleteTempMap()
{
    AfxGetWindowState()->m_mapHWND.DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == NULL || m_hWnd != NULL)
        return FALSE;
    AfxGetWindowState()->m_mapHWND.SetPermanent(hWndNew, this);
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    AfxGetWindowState()->m_mapHWND.RemovePermanent(hWnd, this);
    m_hWnd = NULL;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    SubclassToAfx(this, hWnd);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(GetSafeHwnd(pParent), static_cast<int>(nID));
    return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    WNDPROC* ppfnSuper = GetSuperWndProcAddr();
    if (m_hWnd != NULL && *ppfnSuper != NULL) {
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*ppfnSuper));
        RemovePropW(m_hWnd, kSuperProcProp);
        *ppfnSuper = NULL;
    }
    return Detach();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(NULL, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return TRUE;
}

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, void* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, GetSafeHwnd(pParentWnd),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd != NULL)
        return FALSE;
    CREATESTRUCTW cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                  cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    // Never attached: no WM_NCDESTROY will come, so the object is cleaned up here.
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    // On failure after attachment, WM_NCDESTROY already ran PostNcDestroy (the object may be gone).
    return hWnd != NULL;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    WNDPROC pfnSuper = *GetSuperWndProcAddr();
    if (pfnSuper != NULL)
        return ::CallWindowProcW(pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

WNDPROC* CWnd::GetSuperWndProcAddr()
{
    return &m_pfnSuper;
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::PostNcDestroy()
{
}

void CWnd::OnNcDestroy()
{
    if (CWinThread* pThread = AfxGetThread()) {
        if (pThread->m_pMainWnd == this) {
            pThread->m_pMainWnd = NULL;
            PostQuitMessage(0);
        }
        if (pThread->m_pActiveWnd == this)
            pThread->m_pActiveWnd = NULL;
    }
    AFX_WINDOW_STATE* pState = AfxGetWindowState();
    if (pState->m_pLastHit == this) {
        pState->m_pLastHit = NULL;
        pState->m_nLastHit = -1;
    }

    // Pass it on, then put the old procedure back unless someone subclassed after us.
    WNDPROC pfnWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC));
    Default();
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == pfnWndProc) {
        WNDPROC pfnSuper = *GetSuperWndProcAddr();
        if (pfnSuper != NULL)
            SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnSuper));
    }
    RemovePropW(m_hWnd, kSuperProcProp);
    Detach();
    PostNcDestroy();
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    if ((m_nFlags & WF_TOOLTIPS) != 0)
        FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

// ---- dispatch ----

namespace {

const AFX_MSGMAP_ENTRY* FindRegisteredEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg)
{
    for (; lpEntry->nSig != AfxSig_end; ++lpEntry) {
        if (lpEntry->nMessage == 0xC000 && *reinterpret_cast<const UINT*>(lpEntry->nSig) == nMsg)
            return lpEntry;
    }
    return NULL;
}

template <typename T>
T Handler(AFX_PMSG pfn)
{
    return AfxCastHandler<T>(pfn);
}

}  // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        if (pResult != NULL)
            *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        const NMHDR* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
        if (pNMHDR == NULL || pNMHDR->hwndFrom == NULL || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
        if (pResult != NULL)
            *pResult = lResult;
        return TRUE;
    }

    UINT nLookup = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        nLookup = WM_CTLCOLOR;
    const AFX_MSGMAP_ENTRY* lpEntry = NULL;
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL && lpEntry == NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL) {
        lpEntry = nLookup < 0xC000 ? AfxFindMessageEntry(pMap->lpEntries, nLookup, 0, 0)
                                   : FindRegisteredEntry(pMap->lpEntries, nLookup);
    }
    if (lpEntry == NULL)
        return FALSE;

    AFX_PMSG pfn = lpEntry->pfn;
    UINT_PTR nSig = nLookup >= 0xC000 ? static_cast<UINT_PTR>(AfxSig_lwl) : lpEntry->nSig;
    CPoint point(lParam);
    switch (nSig) {
    case AfxSig_lwl:
        lResult = (this->*Handler<AFX_PMSGW_lwl>(pfn))(wParam, lParam);
        break;
    case AfxSig_is:
        lResult = (this->*Handler<int (CWnd::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_bCS:
        lResult = (this->*Handler<BOOL (CWnd::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_vv:
        (this->*Handler<void (CWnd::*)()>(pfn))();
        break;
    case AfxSig_vwii:
        (this->*Handler<void (CWnd::*)(UINT, int, int)>(pfn))(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)),
                                                              static_cast<short>(HIWORD(lParam)));
        break;
    case AfxSig_vii:
        (this->*Handler<void (CWnd::*)(int, int)>(pfn))(static_cast<short>(LOWORD(lParam)),
                                                        static_cast<short>(HIWORD(lParam)));
        break;
    case AfxSig_bD:
        lResult = (this->*Handler<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        break;
    case AfxSig_iWww:
        lResult = (this->*Handler<int (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vwWb:
        (this->*Handler<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(LOWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)),
                                                                 HIWORD(wParam));
        break;
    case AfxSig_bb:
        lResult = (this->*Handler<BOOL (CWnd::*)(BOOL)>(pfn))(static_cast<BOOL>(wParam));
        break;
    case AfxSig_vt:
        (this->*Handler<void (CWnd::*)(UINT_PTR)>(pfn))(static_cast<UINT_PTR>(wParam));
        break;
    case AfxSig_vwp:
        (this->*Handler<void (CWnd::*)(UINT, CPoint)>(pfn))(static_cast<UINT>(wParam), point);
        break;
    case AfxSig_bwsp:
        lResult = (this->*Handler<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(
            LOWORD(wParam), static_cast<short>(HIWORD(wParam)), point);
        break;
    case AfxSig_vwww:
        (this->*Handler<void (CWnd::*)(UINT, UINT, UINT)>(pfn))(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_lp:
        lResult = (this->*Handler<LRESULT (CWnd::*)(CPoint)>(pfn))(point);
        break;
    case AfxSig_vbNCCS:
        (this->*Handler<void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*)>(pfn))(static_cast<BOOL>(wParam),
                                                                       reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        break;
    case AfxSig_bWww:
        lResult = (this->*Handler<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vW:
        (this->*Handler<void (CWnd::*)(CWnd*)>(pfn))(FromHandle(reinterpret_cast<HWND>(
            message == WM_CAPTURECHANGED ? static_cast<WPARAM>(lParam) : wParam)));
        break;
    case AfxSig_hDWw:
        lResult = reinterpret_cast<LRESULT>((this->*Handler<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
            CDC::FromHandle(reinterpret_cast<HDC>(wParam)), FromHandle(reinterpret_cast<HWND>(lParam)),
            message - WM_CTLCOLORMSGBOX));
        break;
    case AfxSig_hDw: {
        const AFX_CTLCOLOR* pCtl = reinterpret_cast<const AFX_CTLCOLOR*>(lParam);
        lResult = reinterpret_cast<LRESULT>((this->*Handler<HBRUSH (CWnd::*)(CDC*, UINT)>(pfn))(
            CDC::FromHandle(pCtl->hDC), pCtl->nCtlType));
        break;
    }
    case AfxSig_vws:
        (this->*Handler<void (CWnd::*)(UINT, LPCWSTR)>(pfn))(static_cast<UINT>(wParam), reinterpret_cast<LPCWSTR>(lParam));
        break;
    case AfxSig_vPOS:
        (this->*Handler<void (CWnd::*)(WINDOWPOS*)>(pfn))(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case AfxSig_vMMI:
        (this->*Handler<void (CWnd::*)(MINMAXINFO*)>(pfn))(reinterpret_cast<MINMAXINFO*>(lParam));
        break;
    case AfxSig_vbw:
        (this->*Handler<void (CWnd::*)(BOOL, UINT)>(pfn))(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        break;
    case AfxSig_vb:
        (this->*Handler<void (CWnd::*)(BOOL)>(pfn))(static_cast<BOOL>(wParam));
        break;
    case AfxSig_vWp:
        (this->*Handler<void (CWnd::*)(CWnd*, CPoint)>(pfn))(FromHandle(reinterpret_cast<HWND>(wParam)), point);
        break;
    case AfxSig_vwwSB:
        (this->*Handler<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), HIWORD(wParam), static_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam))));
        break;
    case AfxSig_vDRAW:
        (this->*Handler<void (CWnd::*)(int, LPDRAWITEMSTRUCT)>(pfn))(static_cast<int>(wParam),
                                                                    reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_vMEASURE:
        (this->*Handler<void (CWnd::*)(int, LPMEASUREITEMSTRUCT)>(pfn))(static_cast<int>(wParam),
                                                                       reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_iCOMPARE:
        lResult = (this->*Handler<int (CWnd::*)(int, LPCOMPAREITEMSTRUCT)>(pfn))(
            static_cast<int>(wParam), reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        break;
    case AfxSig_vDELETE:
        (this->*Handler<void (CWnd::*)(int, LPDELETEITEMSTRUCT)>(pfn))(static_cast<int>(wParam),
                                                                      reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_vMwb:
        (this->*Handler<void (CWnd::*)(CMenu*, UINT, BOOL)>(pfn))(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)),
                                                                  LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vM:
        (this->*Handler<void (CWnd::*)(CMenu*)>(pfn))(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)));
        break;
    case AfxSig_vwwh:
        (this->*Handler<void (CWnd::*)(UINT, UINT, HMENU)>(pfn))(LOWORD(wParam), HIWORD(wParam),
                                                                 reinterpret_cast<HMENU>(lParam));
        break;
    case AfxSig_vwl:
        (this->*Handler<void (CWnd::*)(UINT, LPARAM)>(pfn))(static_cast<UINT>(wParam), lParam);
        break;
    case AfxSig_wv:
        lResult = (this->*Handler<UINT (CWnd::*)()>(pfn))();
        break;
    case AfxSig_vHDROP:
        (this->*Handler<void (CWnd::*)(HDROP)>(pfn))(reinterpret_cast<HDROP>(wParam));
        break;
    case AfxSig_viSS:
        (this->*Handler<void (CWnd::*)(int, LPSTYLESTRUCT)>(pfn))(static_cast<int>(wParam),
                                                                 reinterpret_cast<LPSTYLESTRUCT>(lParam));
        break;
    default:
        return FALSE;
    }
    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

// ---- commands, notifications, reflection ----

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == NULL) {
        if (nID == 0)
            return FALSE;
        // A command its update handler disables is not carried out.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, NULL);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else {
        CWnd* pChild = FromHandlePermanent(hWndCtrl);
        LRESULT lResult = 0;
        if (pChild != NULL && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, &lResult))
            return TRUE;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    CWnd* pChild = FromHandlePermanent(pNMHDR->hwndFrom);
    if (pChild != NULL && pChild->OnChildNotify(WM_NOTIFY, pNMHDR->idFrom, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify = { pResult, pNMHDR };
    return OnCmdMsg(static_cast<UINT>(pNMHDR->idFrom), MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, NULL);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_COMMAND: {
        int nCode = HIWORD(wParam);
        if (CCmdTarget::OnCmdMsg(0, MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), NULL, NULL)) {
            if (pResult != NULL)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        LRESULT lDummy = 0;
        AFX_NOTIFY notify = { pResult != NULL ? pResult : &lDummy, pNMHDR };
        return CCmdTarget::OnCmdMsg(0, MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, NULL);
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        AFX_CTLCOLOR ctl = { reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam), message - WM_CTLCOLORMSGBOX };
        LRESULT lBrush = 0;
        if (!CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, reinterpret_cast<LPARAM>(&ctl), &lBrush) || lBrush == 0)
            return FALSE;   // a NULL brush leaves the colours to the parent
        if (pResult != NULL)
            *pResult = lBrush;
        return TRUE;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    default:
        return FALSE;
    }
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    return pWnd != NULL && pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (pWnd != NULL && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return reinterpret_cast<HBRUSH>(lResult);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar == NULL || !ReflectLastMsg(pScrollBar->m_hWnd))
        Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar == NULL || !ReflectLastMsg(pScrollBar->m_hWnd))
        Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU || !ReflectLastMsg(lpDrawItemStruct->hwndItem))
        Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU || !ReflectLastMsg(::GetDlgItem(m_hWnd, nIDCtl)))
        Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    LRESULT lResult = 0;
    if (ReflectLastMsg(lpCompareItemStruct->hwndItem, &lResult))
        return static_cast<int>(lResult);
    return static_cast<int>(Default());
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (!ReflectLastMsg(lpDeleteItemStruct->hwndItem))
        Default();
}

// ---- relations and thin wrappers ----

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return FromHandle(::SetParent(m_hWnd, GetSafeHwnd(pWndNewParent)));
}

CWnd* CWnd::GetOwner() const
{
    HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
    return hWndOwner != NULL ? FromHandle(hWndOwner) : GetParent();
}

void CWnd::SetOwner(CWnd* pOwnerWnd)
{
    ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(GetSafeHwnd(pOwnerWnd)));
}

namespace {

// A child's parent, else a popup's owner.
HWND GetParentOrOwner(HWND hWnd)
{
    if ((::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) != 0)
        return ::GetParent(hWnd);
    return ::GetWindow(hWnd, GW_OWNER);
}

}  // namespace

CWnd* CWnd::GetTopLevelParent() const
{
    HWND hWndParent = m_hWnd;
    for (HWND hWndT = GetParentOrOwner(hWndParent); hWndT != NULL; hWndT = GetParentOrOwner(hWndParent))
        hWndParent = hWndT;
    return FromHandle(hWndParent);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    HWND hWndOwner = m_hWnd;
    for (HWND hWndT = ::GetWindow(hWndOwner, GW_OWNER); hWndT != NULL; hWndT = ::GetWindow(hWndOwner, GW_OWNER))
        hWndOwner = hWndT;
    return FromHandle(hWndOwner);
}

CWnd* CWnd::GetParentOwner() const
{
    // Up through parents while the window is a child, then its owner.
    HWND hWndParent = m_hWnd;
    for (HWND hWndT = hWndParent; hWndT != NULL && (::GetWindowLongPtrW(hWndT, GWL_STYLE) & WS_CHILD) != 0;) {
        hWndT = ::GetParent(hWndT);
        if (hWndT != NULL)
            hWndParent = hWndT;
    }
    return FromHandle(hWndParent);
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    return GetDescendantWindow(m_hWnd, nID, bOnlyPerm);
}

CWnd* PASCAL CWnd::GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm)
{
    // Direct children first, so a pane wins over a same-id window deeper inside it.
    HWND hWndChild = ::GetDlgItem(hWnd, nID);
    if (hWndChild != NULL) {
        if (::GetTopWindow(hWndChild) != NULL) {
            CWnd* pWnd = GetDescendantWindow(hWndChild, nID, bOnlyPerm);
            if (pWnd != NULL)
                return pWnd;
        }
        CWnd* pWnd = bOnlyPerm ? FromHandlePermanent(hWndChild) : FromHandle(hWndChild);
        if (pWnd != NULL)
            return pWnd;
    }
    for (hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        CWnd* pWnd = GetDescendantWindow(hWndChild, nID, bOnlyPerm);
        if (pWnd != NULL)
            return pWnd;
    }
    return NULL;
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

BOOL CWnd::IsFrameWnd() const
{
    return FALSE;
}

namespace {

BOOL ModifyStyleLong(HWND hWnd, int nStyleOffset, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = static_cast<DWORD>(::GetWindowLongPtrW(hWnd, nStyleOffset));
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongPtrW(hWnd, nStyleOffset, static_cast<LONG_PTR>(dwNewStyle));
    if (nFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

}  // namespace

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleLong(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleLong(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, GetSafeHwnd(pWndInsertAfter), x, y, cx, cy, nFlags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    HWND hWndCenter = pAlternateOwner != NULL ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if ((GetStyle() & WS_CHILD) != 0)
        hWndCenter = ::GetParent(m_hWnd);
    RECT rcDlg, rcArea, rcCenter;
    ::GetWindowRect(m_hWnd, &rcDlg);
    HMONITOR hMonitor = ::MonitorFromWindow(hWndCenter != NULL ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi = { sizeof(mi), {}, {}, 0 };
    ::GetMonitorInfoW(hMonitor, &mi);
    rcArea = mi.rcWork;
    if (hWndCenter != NULL && (GetStyle() & WS_CHILD) == 0 && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter))
        ::GetWindowRect(hWndCenter, &rcCenter);
    else
        rcCenter = rcArea;
    if ((GetStyle() & WS_CHILD) != 0) {
        ::GetClientRect(hWndCenter, &rcArea);
        ::GetClientRect(hWndCenter, &rcCenter);
        ::MapWindowPoints(hWndCenter, ::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&rcCenter), 2);
    }
    int cx = rcDlg.right - rcDlg.left, cy = rcDlg.bottom - rcDlg.top;
    int x = (rcCenter.left + rcCenter.right) / 2 - cx / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - cy / 2;
    if (x + cx > rcArea.right)
        x = rcArea.right - cx;
    if (x < rcArea.left)
        x = rcArea.left;
    if (y + cy > rcArea.bottom)
        y = rcArea.bottom - cy;
    if (y < rcArea.top)
        y = rcArea.top;
    ::SetWindowPos(m_hWnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLen = ::GetWindowTextLengthW(m_hWnd);
    ::GetWindowTextW(m_hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hWnd = ::GetDlgItem(m_hWnd, nID);
    if (hWnd != NULL)
        FromHandle(hWnd)->GetWindowText(rString);
    return rString.GetLength();
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    return ::ReleaseDC(m_hWnd, pDC->m_hDC);
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu != NULL ? pMenu->m_hMenu : NULL);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

int CWnd::MessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption, UINT nType)
{
    return ::MessageBoxW(m_hWnd, lpszText, lpszCaption, nType);
}

// ---- command UI forms ----

void CWndCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != NULL) {
        if (m_pSubMenu == NULL)
            ::EnableMenuItem(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != NULL) {
        // Moves the focus on before disabling the window that has it.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
            HWND hWndParent = ::GetParent(m_pOther->m_hWnd);
            if (hWndParent != NULL)
                ::SendMessageW(hWndParent, WM_NEXTDLGCTL, 0, FALSE);
        }
        m_pOther->EnableWindow(bOn);
    }
    CCmdUI::Enable(bOn);
}

void CWndCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != NULL) {
        if (m_pSubMenu == NULL)
            ::CheckMenuItem(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != NULL) {
        if ((m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON) != 0)
            m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
    }
    CCmdUI::SetCheck(nCheck);
}

void CWndCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu != NULL && m_pSubMenu == NULL) {
        MENUITEMINFOW mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_STATE;
        ::GetMenuItemInfoW(m_pMenu->m_hMenu, m_nIndex, TRUE, &mii);
        mii.fType = bOn ? (mii.fType | MFT_RADIOCHECK) : (mii.fType & ~MFT_RADIOCHECK);
        mii.fState = bOn ? (mii.fState | MFS_CHECKED) : (mii.fState & ~MFS_CHECKED);
        ::SetMenuItemInfoW(m_pMenu->m_hMenu, m_nIndex, TRUE, &mii);
        return;
    }
    SetCheck(bOn ? 1 : 0);
}

void CWndCmdUI::SetText(LPCWSTR lpszText)
{
    if (m_pMenu != NULL) {
        if (m_pSubMenu == NULL) {
            UINT nState = ::GetMenuState(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION) &
                          (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_MENUBARBREAK | MF_MENUBREAK);
            ::ModifyMenuW(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID, lpszText);
        }
    } else if (m_pOther != NULL) {
        CString strOld;
        m_pOther->GetWindowText(strOld);
        if (strOld.Compare(lpszText) != 0)   // no flicker for an unchanged text
            m_pOther->SetWindowText(lpszText);
    }
    CCmdUI::SetText(lpszText);
}
