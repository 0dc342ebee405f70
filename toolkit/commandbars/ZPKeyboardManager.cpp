// The keyboard manager: keys reach the tracking bars first; Alt and deactivation close them.
#include "commandbars/ZPKeyboardManager.h"

#include "commandbars/ZPMouseManager.h"

#include <vector>

namespace {
THREAD_LOCAL(CZPKeyboardManager, t_keyboardManager)

// Key-stroke bits of the keyboard hook's lParam.
const LPARAM KEY_ALT_CONTEXT = 0x20000000;
const LPARAM KEY_PREVIOUS_DOWN = 0x40000000;
const LPARAM KEY_RELEASED = 0x80000000;

// A dispatch answer that lets the key through.
const int KEY_ANSWER_PASS = 2;
}  // namespace

CZPKeyboardManager* ZpKeyboardManager()
{
    return t_keyboardManager.GetData();
}

CZPKeyboardManager* ZpKeyboardManagerIfExists()
{
    return t_keyboardManager.GetDataNA();
}

CZPKeyboardManager::CZPKeyboardManager() : m_hKeyboardHook(NULL), m_hCallWndHook(NULL), m_dwReserved(0), m_listHooks(10)
{}

CZPKeyboardManager::~CZPKeyboardManager()
{
    RemoveHooks();
}

void CZPKeyboardManager::AddHookAble(CZPHookManagerHookAble* pHook)
{
    if (pHook == NULL)
        return;
    const DWORD dwThread = ::GetCurrentThreadId();
    if (m_hKeyboardHook == NULL)
        m_hKeyboardHook = ::SetWindowsHookExW(WH_KEYBOARD, KeyboardHookProc, NULL, dwThread);
    if (m_hCallWndHook == NULL)
        m_hCallWndHook = ::SetWindowsHookExW(WH_CALLWNDPROC, CallWndHookProc, NULL, dwThread);
    if (!IsRegistered(pHook))
        m_listHooks.AddTail(pHook);
}

void CZPKeyboardManager::RemoveHookAble(CZPHookManagerHookAble* pHook)
{
    POSITION pos = m_listHooks.Find(pHook);
    if (pos != NULL)
        m_listHooks.RemoveAt(pos);
    if (m_listHooks.IsEmpty())
        RemoveHooks();
}

void CZPKeyboardManager::RemoveHooks()
{
    if (m_hKeyboardHook != NULL)
        ::UnhookWindowsHookEx(m_hKeyboardHook);
    if (m_hCallWndHook != NULL)
        ::UnhookWindowsHookEx(m_hCallWndHook);
    m_hKeyboardHook = NULL;
    m_hCallWndHook = NULL;
}

BOOL CZPKeyboardManager::DispatchKey(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    // A snapshot: an object may unregister (or register another) while it handles the key.
    std::vector<CZPHookManagerHookAble*> hooks;
    hooks.reserve(static_cast<size_t>(m_listHooks.GetCount()));
    for (POSITION pos = m_listHooks.GetTailPosition(); pos != NULL;)
        hooks.push_back(m_listHooks.GetPrev(pos));
    for (CZPHookManagerHookAble* pHook : hooks) {
        if (!IsRegistered(pHook))
            continue;
        WPARAM wp = wParam;
        LPARAM lp = lParam;
        LRESULT lResult = 0;
        const int nAnswer = pHook->OnHookMessage(NULL, nMessage, wp, lp, lResult);
        if (nAnswer != 0)
            return nAnswer != KEY_ANSWER_PASS;
    }
    return TRUE;
}

BOOL CZPKeyboardManager::OnKeyboardHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode != HC_ACTION || m_listHooks.IsEmpty() || (lParam & KEY_RELEASED) != 0)
        return FALSE;
    CZPMouseManager* pMouse = ZpMouseManager();
    if ((lParam & KEY_ALT_CONTEXT) != 0 && wParam == VK_MENU && pMouse->GetModalCounter() <= 0) {
        // A first press leaves menu mode; the auto-repeat of a held Alt passes.
        if ((lParam & KEY_PREVIOUS_DOWN) != 0)
            return FALSE;
        pMouse->CloseAll();
        return TRUE;
    }
    return DispatchKey(WM_KEYDOWN, wParam, lParam);
}

void CZPKeyboardManager::OnCallWndProc(int nCode, const CWPSTRUCT* pInfo)
{
    if (nCode != HC_ACTION || pInfo == NULL)
        return;
    if (pInfo->message == WM_ACTIVATEAPP && pInfo->wParam == FALSE) {
        CZPMouseManager* pMouse = ZpMouseManagerIfExists();
        if (pMouse != NULL)
            pMouse->CloseAll();
    }
}

// Hook procedures: nothing may throw across them.

LRESULT CALLBACK CZPKeyboardManager::KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CZPKeyboardManager* pManager = ZpKeyboardManagerIfExists();
    if (pManager != NULL && nCode == HC_ACTION) {
        try {
            if (pManager->OnKeyboardHook(nCode, wParam, lParam))
                return 1;
        } catch (...) {
            // The key goes on unchanged.
        }
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

LRESULT CALLBACK CZPKeyboardManager::CallWndHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CZPKeyboardManager* pManager = ZpKeyboardManagerIfExists();
    if (pManager != NULL) {
        try {
            pManager->OnCallWndProc(nCode, reinterpret_cast<const CWPSTRUCT*>(lParam));
        } catch (...) {
            // The chain continues regardless.
        }
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}
