// Dock bar windows.
#include "commandbars/ZPDockBar.h"

IMPLEMENT_DYNCREATE(CZPDockBar, CWnd)

const wchar_t kZpDockBarClass[] = L"ZPDockBar";

namespace {
BOOL RegisterDockBarClass()
{
    WNDCLASSW wc = {};
    HINSTANCE hInstance = AfxGetInstanceHandle();
    if (::GetClassInfoW(hInstance, kZpDockBarClass, &wc))
        return TRUE;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorW(NULL, IDC_ARROW);
    wc.lpszClassName = kZpDockBarClass;
    return AfxRegisterClass(&wc);
}
}  // namespace

CZPDockBar::CZPDockBar() : m_dwBarStyle(0) {}

BOOL CZPDockBar::CreateDockBar(CWnd* pSite, DWORD dwBarStyle, UINT nId)
{
    if (pSite == NULL || pSite->GetSafeHwnd() == NULL || !RegisterDockBarClass())
        return FALSE;
    m_dwBarStyle = dwBarStyle;
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CreateEx(0, kZpDockBarClass, NULL, dwStyle, 0, 0, 0, 0, pSite->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)));
}
