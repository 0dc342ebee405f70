#include "markup_host_window.h"

#include "markup/ZPMarkupContext.h"

namespace {
const wchar_t kHostClass[] = L"MarkupTestHost";
}  // namespace

HWND CMarkupHostWindow::Create(int cx, int cy)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &CMarkupHostWindow::WindowProc;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.lpszClassName = kHostClass;
    ::RegisterClassW(&wc);  // fails harmlessly once registered
    m_hWnd = ::CreateWindowExW(0, kHostClass, L"", WS_POPUP | WS_VISIBLE, 0, 0, cx, cy, NULL, NULL, wc.hInstance, NULL);
    if (m_hWnd != NULL)
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return m_hWnd;
}

void CMarkupHostWindow::Destroy()
{
    if (m_hWnd != NULL)
        ::DestroyWindow(m_hWnd);
    m_hWnd = NULL;
}

LRESULT CALLBACK CMarkupHostWindow::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CMarkupHostWindow* pThis = reinterpret_cast<CMarkupHostWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    LRESULT lResult = 0;
    if (pThis != NULL && pThis->m_pContext != NULL &&
        pThis->m_pContext->HandleMessage(pThis->m_pRoot, message, wParam, lParam, &lResult))
        return lResult;
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}
