// The mouse manager: outside clicks close the tracked bars, outside moves still reach them.
#include "commandbars/ZPMouseManager.h"

#include "commandbars/ZPCommandBar.h"
#include "common/ZPDrawHelpers.h"

#include <framework/refptr.h>

#include <vector>

namespace {
THREAD_LOCAL(CZPMouseManager, t_mouseManager)

// The last point the hook saw, shared by all threads; (-1, -1) is "none".
POINT g_ptLastMouse = { -1, -1 };

typedef std::vector<CRefPtr<CZPCommandBar>> CBarSnapshot;

// The bars as they stand now, each held: ending one bar's tracking may release another.
CBarSnapshot TakeSnapshot(const CZPMouseManager::CTrackArray& arr)
{
    CBarSnapshot bars;
    bars.reserve(static_cast<size_t>(arr.GetSize()));
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        bars.push_back(CRefPtr<CZPCommandBar>::AddRef(arr[i]));
    return bars;
}

BOOL IsMoveMessage(UINT nMessage)
{
    return nMessage == WM_MOUSEMOVE || nMessage == WM_NCMOUSEMOVE;
}

BOOL IsButtonDownMessage(UINT nMessage)
{
    switch (nMessage) {
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        return TRUE;
    default:
        return FALSE;
    }
}

// The window under a point has the input-method class style: its clicks are left alone.
BOOL IsImeWindowAt(POINT ptScreen)
{
    HWND hWnd = ::WindowFromPoint(ptScreen);
    return hWnd != NULL && (::GetClassLongW(hWnd, GCL_STYLE) & CS_IME) != 0;
}
}  // namespace

CZPMouseManager* ZpMouseManager()
{
    return t_mouseManager.GetData();
}

CZPMouseManager* ZpMouseManagerIfExists()
{
    return t_mouseManager.GetDataNA();
}

CZPMouseManager::CZPMouseManager()
    : m_nModalCounter(0), m_hHook(NULL), m_pLastHighlighting(NULL), m_hWndMouseLeave(NULL), m_bMenusExpanded(FALSE),
      m_bSwallowNextRelease(FALSE)
{
    m_hHook = ::SetWindowsHookExW(WH_MOUSE, MouseHookProc, NULL, ::GetCurrentThreadId());
}

CZPMouseManager::~CZPMouseManager()
{
    if (m_hHook != NULL)
        ::UnhookWindowsHookEx(m_hHook);
    StopMouseLeaveWatch();
}

// Tracked bars -------------------------------------------------------------------------------

void CZPMouseManager::AddTrackedBar(CZPCommandBar* pBar)
{
    if (pBar == NULL)
        return;
    if (m_arrTracked.GetSize() == 0 && m_pLastHighlighting != NULL && m_pLastHighlighting != pBar) {
        CRefPtr<CZPCommandBar> last = CRefPtr<CZPCommandBar>::AddRef(m_pLastHighlighting);
        last->ClearSelection();
    }
    if (!IsTracked(pBar))
        m_arrTracked.Add(pBar);
}

void CZPMouseManager::RemoveTrackedBar(CZPCommandBar* pBar)
{
    const int nIndex = ZpFindInPtrArray(m_arrTracked, pBar);
    if (nIndex >= 0)
        m_arrTracked.RemoveAt(nIndex);
    if (m_arrTracked.GetSize() == 0) {
        // A fresh WM_MOUSEMOVE at the same point lets the bars hot-track again.
        g_ptLastMouse.x = g_ptLastMouse.y = -1;
        POINT pt;
        if (::GetCursorPos(&pt))
            ::SetCursorPos(pt.x, pt.y);
    }
    m_bSwallowNextRelease = FALSE;
}

BOOL CZPMouseManager::IsTracked(const CZPCommandBar* pBar) const
{
    return ZpFindInPtrArray(m_arrTracked, pBar) >= 0;
}

BOOL CZPMouseManager::IsBlockedByTracking(const CZPCommandBar* pBar) const
{
    if (m_arrTracked.GetSize() == 0)
        return FALSE;
    return pBar == NULL || pBar->GetLockCount() > 0 || !IsTracked(pBar);
}

void CZPMouseManager::CloseAll()
{
    // A bar whose EndTracking leaves it listed (already at mode 0) would loop forever: each
    // pass ends the snapshot's bars and then drops those still listed. Bars that start
    // tracking while others close are picked up by the next pass.
    while (m_arrTracked.GetSize() > 0) {
        CBarSnapshot bars = TakeSnapshot(m_arrTracked);
        for (const CRefPtr<CZPCommandBar>& bar : bars) {
            if (IsTracked(bar.Get()))
                bar->EndTracking();
        }
        for (const CRefPtr<CZPCommandBar>& bar : bars) {
            if (IsTracked(bar.Get()))
                RemoveTrackedBar(bar.Get());
        }
    }
}

void CZPMouseManager::LockAll(BOOL bLock)
{
    for (INT_PTR i = 0; i < m_arrTracked.GetSize(); ++i)
        m_arrTracked[i]->AdjustLockCount(bLock ? 1 : -1);
}

void CZPMouseManager::CloseUnlocked()
{
    if (m_arrTracked.GetSize() == 0 || m_arrTracked[0]->GetLockCount() == 0)
        return;
    CBarSnapshot bars = TakeSnapshot(m_arrTracked);
    for (const CRefPtr<CZPCommandBar>& bar : bars) {
        if (bar->GetLockCount() > 0 || !IsTracked(bar.Get()))
            continue;
        bar->EndTracking();
        if (IsTracked(bar.Get()))
            RemoveTrackedBar(bar.Get());
    }
}

void CZPMouseManager::ForgetBar(const CZPCommandBar* pBar)
{
    if (m_pLastHighlighting == pBar)
        m_pLastHighlighting = NULL;
    const int nIndex = ZpFindInPtrArray(m_arrTracked, pBar);
    if (nIndex >= 0)
        RemoveTrackedBar(m_arrTracked[nIndex]);
}

void CZPMouseManager::LeaveModalLoop()
{
    if (m_nModalCounter > 0)
        --m_nModalCounter;
}

// Trusted windows --------------------------------------------------------------------------

void CZPMouseManager::AddTrustedWindow(HWND hWnd)
{
    if (hWnd != NULL && ZpFindInPtrArray(m_arrTrusted, hWnd) < 0)
        m_arrTrusted.Add(hWnd);
}

void CZPMouseManager::RemoveTrustedWindow(HWND hWnd)
{
    for (INT_PTR i = m_arrTrusted.GetSize() - 1; i >= 0; --i) {
        if (m_arrTrusted[i] == hWnd)
            m_arrTrusted.RemoveAt(i);
    }
}

BOOL CZPMouseManager::IsTrustedWindowAt(POINT ptScreen) const
{
    for (INT_PTR i = 0; i < m_arrTrusted.GetSize(); ++i) {
        HWND hWnd = m_arrTrusted[i];
        RECT rc;
        if (::IsWindow(hWnd) && ::IsWindowVisible(hWnd) && ::GetWindowRect(hWnd, &rc) && ::PtInRect(&rc, ptScreen))
            return TRUE;
    }
    return FALSE;
}

// Decisions --------------------------------------------------------------------------------

CZPCommandBar* CZPMouseManager::TrackedBarAt(POINT ptScreen) const
{
    HWND hWndUnder = NULL;
    BOOL bLookedUp = FALSE;
    for (INT_PTR i = m_arrTracked.GetSize() - 1; i >= 0; --i) {
        CZPCommandBar* pBar = m_arrTracked[i];
        const int nContains = pBar->ContainsScreenPoint(ptScreen);
        if (nContains == 1)
            return pBar;
        if (nContains == ZP_CONTAINS_NEVER || pBar->GetSafeHwnd() == NULL)
            continue;
        if (!bLookedUp) {
            hWndUnder = ::WindowFromPoint(ptScreen);
            bLookedUp = TRUE;
        }
        if (hWndUnder != NULL && ::IsChild(pBar->GetSafeHwnd(), hWndUnder))
            return pBar;
    }
    return NULL;
}

BOOL CZPMouseManager::ShouldButtonDownClose(const CZPCommandBar* pBar, UINT nMessage) const
{
    switch (nMessage) {
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        break;
    default:
        return FALSE;
    }
    POINT pt;
    if (!::GetCursorPos(&pt))
        return FALSE;
    CZPCommandBar* pUnder = TrackedBarAt(pt);
    if (pUnder != NULL && !(pUnder->GetLockCount() > 0 && (pBar == NULL || pBar->GetLockCount() == 0)))
        return FALSE;
    return !IsTrustedWindowAt(pt) && !IsImeWindowAt(pt);
}

BOOL CZPMouseManager::OnMouseHook(int nCode, UINT nMessage, POINT ptScreen)
{
    if (nCode != HC_ACTION)
        return FALSE;
    if (nMessage == WM_LBUTTONDOWN || nMessage == WM_RBUTTONDOWN)
        m_bSwallowNextRelease = FALSE;
    if ((nMessage == WM_LBUTTONUP || nMessage == WM_NCLBUTTONUP) && m_bSwallowNextRelease) {
        m_bSwallowNextRelease = FALSE;
        return TRUE;
    }
    if (m_arrTracked.GetSize() == 0)
        return FALSE;
    if (IsMoveMessage(nMessage) && ptScreen.x == g_ptLastMouse.x && ptScreen.y == g_ptLastMouse.y)
        return TRUE;
    g_ptLastMouse = ptScreen;
    ProcessTrackedMessage(nMessage, ptScreen);
    return FALSE;
}

void CZPMouseManager::ProcessTrackedMessage(UINT nMessage, POINT ptScreen)
{
    CZPCommandBar* pUnder = TrackedBarAt(ptScreen);
    if (pUnder != NULL) {
        if (pUnder->GetLockCount() == 0 || IsMoveMessage(nMessage) || m_bSwallowNextRelease)
            return;
        // A click on a locked bar: the nested popups above it go.
        CloseUnlocked();
        g_ptLastMouse.x = g_ptLastMouse.y = 0;
        return;
    }
    if (IsTrustedWindowAt(ptScreen) || IsImeWindowAt(ptScreen))
        return;
    if (IsMoveMessage(nMessage)) {
        // An open menu keeps tracking the mouse outside its window.
        CBarSnapshot bars = TakeSnapshot(m_arrTracked);
        for (const CRefPtr<CZPCommandBar>& bar : bars) {
            if (bar->GetLockCount() > 0 || !IsTracked(bar.Get()) || bar->GetSafeHwnd() == NULL)
                continue;
            POINT ptClient = ptScreen;
            ::ScreenToClient(bar->GetSafeHwnd(), &ptClient);
            bar->HandleMouseMove(0, CPoint(ptClient));
        }
        return;
    }
    if ((nMessage == WM_LBUTTONUP || nMessage == WM_NCLBUTTONUP) && m_nModalCounter <= 0) {
        CloseAll();
        return;
    }
    if (IsButtonDownMessage(nMessage))
        CloseAll();
}

// Mouse leaving ----------------------------------------------------------------------------

void CZPMouseManager::StartMouseLeaveTracking(HWND hWnd)
{
    if (hWnd == m_hWndMouseLeave)
        return;
    HWND hWndOld = m_hWndMouseLeave;
    StopMouseLeaveWatch();
    if (hWndOld != NULL && ::IsWindow(hWndOld))
        ::SendMessageW(hWndOld, WM_MOUSELEAVE, 0, 0);
    if (hWnd == NULL || !::IsWindow(hWnd))
        return;
    m_hWndMouseLeave = hWnd;
    ::SetTimer(hWnd, ZP_TIMER_MOUSE_LEAVE, ZP_MOUSE_LEAVE_PERIOD, MouseLeaveTimerProc);
}

void CZPMouseManager::StopMouseLeaveWatch()
{
    if (m_hWndMouseLeave != NULL && ::IsWindow(m_hWndMouseLeave))
        ::KillTimer(m_hWndMouseLeave, ZP_TIMER_MOUSE_LEAVE);
    m_hWndMouseLeave = NULL;
}

void CZPMouseManager::OnMouseLeaveTimer()
{
    HWND hWnd = m_hWndMouseLeave;
    if (hWnd == NULL)
        return;
    if (!::IsWindow(hWnd)) {
        m_hWndMouseLeave = NULL;
        return;
    }
    POINT pt;
    RECT rc;
    const BOOL bInside = ::GetCursorPos(&pt) && ::GetWindowRect(hWnd, &rc) && ::PtInRect(&rc, pt);
    const LONG_PTR style = ::GetWindowLongPtrW(hWnd, GWL_STYLE);
    const BOOL bTopLevel = ::GetParent(hWnd) == NULL || (style & WS_POPUP) != 0 || (style & WS_CHILD) == 0;
    if (bInside && (bTopLevel || ZpIsOwnerChainActive(hWnd)))
        return;
    StopMouseLeaveWatch();
    ::PostMessageW(hWnd, WM_MOUSELEAVE, 0, 0);
}

// Hook and timer procedures: nothing may throw across them.

LRESULT CALLBACK CZPMouseManager::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CZPMouseManager* pManager = ZpMouseManagerIfExists();
    if (pManager != NULL && nCode == HC_ACTION) {
        try {
            const MOUSEHOOKSTRUCT* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
            if (pManager->OnMouseHook(nCode, static_cast<UINT>(wParam), pInfo->pt))
                return 1;
        } catch (...) {
            // The message goes on unchanged.
        }
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

void CALLBACK CZPMouseManager::MouseLeaveTimerProc(HWND hWnd, UINT, UINT_PTR nId, DWORD)
{
    CZPMouseManager* pManager = ZpMouseManagerIfExists();
    if (pManager == NULL || pManager->m_hWndMouseLeave != hWnd) {
        ::KillTimer(hWnd, nId);
        return;
    }
    pManager->OnMouseLeaveTimer();
}
