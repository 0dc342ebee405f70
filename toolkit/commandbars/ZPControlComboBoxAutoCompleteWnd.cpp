// The shell auto-suggest watcher of bar edits.
#include "commandbars/ZPControlComboBoxAutoCompleteWnd.h"

#include "commandbars/ZPKeyboardManager.h"
#include "commandbars/ZPMouseManager.h"

namespace {

// Longest class name compared with the suggestion drop-down's.
const int kMaxClassName = 255;

typedef HRESULT(WINAPI* PFNSHAUTOCOMPLETE)(HWND, DWORD);

BOOL IsAltDown()
{
    return (::GetKeyState(VK_MENU) & 0x8000) != 0;
}

}  // namespace

HHOOK CZPControlComboBoxAutoCompleteWnd::s_hHook = NULL;
CZPControlComboBoxAutoCompleteWnd* CZPControlComboBoxAutoCompleteWnd::s_pHookOwner = NULL;

CZPControlComboBoxAutoCompleteWnd::CZPControlComboBoxAutoCompleteWnd() : m_hWndDropDown(NULL), m_hWndEdit(NULL) {}

CZPControlComboBoxAutoCompleteWnd::~CZPControlComboBoxAutoCompleteWnd()
{
    SetupHook(FALSE);
    TrackDropDown(NULL);
}

HRESULT CZPControlComboBoxAutoCompleteWnd::SetupShellAutoComplete(HWND hWndEdit, DWORD dwFlags)
{
    m_hWndEdit = hWndEdit;
    HMODULE hShlwapi = ::LoadLibraryW(L"shlwapi.dll");
    if (hShlwapi == NULL)
        return E_FAIL;
    PFNSHAUTOCOMPLETE pfn =
        reinterpret_cast<PFNSHAUTOCOMPLETE>(reinterpret_cast<void*>(::GetProcAddress(hShlwapi, "SHAutoComplete")));
    const HRESULT hr = pfn != NULL ? pfn(hWndEdit, dwFlags) : E_FAIL;
    ::FreeLibrary(hShlwapi);
    return hr;
}

void CZPControlComboBoxAutoCompleteWnd::SetupHook(BOOL bInstall)
{
    if (bInstall) {
        if (s_pHookOwner == NULL) {
            s_hHook = ::SetWindowsHookExW(WH_CALLWNDPROC, CallWndProc, NULL, ::GetCurrentThreadId());
            ZpKeyboardManager()->AddHookAble(this);
            s_pHookOwner = this;
        }
    } else if (s_pHookOwner == this) {
        if (s_hHook != NULL)
            ::UnhookWindowsHookEx(s_hHook);
        s_hHook = NULL;
        if (CZPKeyboardManager* pKeyboard = ZpKeyboardManagerIfExists())
            pKeyboard->RemoveHookAble(this);
        s_pHookOwner = NULL;
    }
    TrackDropDown(NULL);
}

void CZPControlComboBoxAutoCompleteWnd::TrackDropDown(HWND hWndDropDown)
{
    if (hWndDropDown == m_hWndDropDown)
        return;
    if (m_hWndDropDown != NULL) {
        if (CZPMouseManager* pMouse = ZpMouseManagerIfExists())
            pMouse->RemoveTrustedWindow(m_hWndDropDown);
    }
    m_hWndDropDown = hWndDropDown;
    if (hWndDropDown != NULL)
        ZpMouseManager()->AddTrustedWindow(hWndDropDown);
}

void CZPControlComboBoxAutoCompleteWnd::HideDropDown()
{
    if (m_hWndDropDown != NULL)
        ::ShowWindow(m_hWndDropDown, SW_HIDE);
}

BOOL CZPControlComboBoxAutoCompleteWnd::ForwardKey(UINT nChar, LPARAM lParam)
{
    if (m_hWndDropDown == NULL || IsAltDown())
        return FALSE;
    if (nChar != VK_PRIOR && nChar != VK_NEXT && nChar != VK_UP && nChar != VK_DOWN)
        return FALSE;
    HWND hWndList = ::GetWindow(::GetWindow(m_hWndDropDown, GW_CHILD), GW_HWNDLAST);
    if (hWndList == NULL)
        return FALSE;
    MSG msg = { hWndList, WM_KEYDOWN, nChar, lParam, 0, { 0, 0 } };
    return ::IsDialogMessageW(m_hWndDropDown, &msg);
}

int CZPControlComboBoxAutoCompleteWnd::OnHookMessage(HWND, UINT nMessage, WPARAM&, LPARAM&, LRESULT&)
{
    return nMessage == WM_MOUSEWHEEL && m_hWndDropDown != NULL ? hookStop : hookContinue;
}

void CZPControlComboBoxAutoCompleteWnd::OnCallWndProc(const CWPSTRUCT* pInfo)
{
    if (pInfo->message != WM_WINDOWPOSCHANGING || pInfo->lParam == 0)
        return;
    const WINDOWPOS* pPos = reinterpret_cast<const WINDOWPOS*>(pInfo->lParam);
    if (m_hWndDropDown != NULL) {
        if (pInfo->hwnd == m_hWndDropDown && (pPos->flags & SWP_HIDEWINDOW) != 0)
            TrackDropDown(NULL);
        return;
    }
    if ((pPos->flags & SWP_SHOWWINDOW) == 0)
        return;
    WCHAR szClass[kMaxClassName + 1] = {};
    ::GetClassNameW(pInfo->hwnd, szClass, kMaxClassName + 1);
    if (wcscmp(szClass, ZP_AUTOSUGGEST_CLASS) == 0) {  // case-sensitive
        TrackDropDown(pInfo->hwnd);
        ::PostMessageW(m_hWndEdit, ZpMsgAutoSuggestShown, 0, 0);
    }
}

LRESULT CALLBACK CZPControlComboBoxAutoCompleteWnd::CallWndProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && s_pHookOwner != NULL) {
        try {
            s_pHookOwner->OnCallWndProc(reinterpret_cast<const CWPSTRUCT*>(lParam));
        } catch (...) {
        }
    }
    return ::CallNextHookEx(s_hHook, nCode, wParam, lParam);
}
