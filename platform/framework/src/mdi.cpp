// The MDI frame and child frame: creation through the system's MDI client and the MDI default
// window procedures.
#include <framework.h>
#include <framework/mdi.h>

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

// ---- CMDIFrameWnd ----

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(NULL) {}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT /*lpcs*/, CCreateContext* /*pContext*/)
{
    CLIENTCREATESTRUCT ccs = { NULL, AFX_IDM_FIRST_MDICHILD };
    m_hWndMDIClient = ::CreateWindowExW(
        WS_EX_CLIENTEDGE, L"MDICLIENT", NULL,
        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL | MDIS_ALLCHILDSTYLES, 0, 0,
        0, 0, m_hWnd, reinterpret_cast<HMENU>(AFX_IDW_PANE_FIRST), AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != NULL;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcW(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWndMDIClient != NULL && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pActive = MDIGetActive();
    return pActive != NULL ? static_cast<CFrameWnd*>(pActive) : this;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hWnd = m_hWndMDIClient != NULL ? reinterpret_cast<HWND>(::SendMessageW(m_hWndMDIClient, WM_MDIGETACTIVE, 0,
                                                                                reinterpret_cast<LPARAM>(&bMaximized)))
                                        : NULL;
    if (pbMaximized != NULL)
        *pbMaximized = hWnd != NULL && bMaximized;
    return DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(hWnd));
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    if (m_hWndMDIClient != NULL && pWndActivate != NULL)
        ::SendMessageW(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWndActivate->m_hWnd), 0);
}

// ---- CMDIChildWnd ----

CMDIChildWnd::CMDIChildWnd() {}

BOOL CMDIChildWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == NULL || pParentWnd->m_hWndMDIClient == NULL)
        return FALSE;
    CREATESTRUCT cs = {};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle | WS_CHILD);
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = pParentWnd->m_hWnd;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    if (rect.left == CW_USEDEFAULT || (rect.left == rectDefault.left && rect.right == rectDefault.right)) {
        cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    }
    MDICREATESTRUCTW mcs = {};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = static_cast<DWORD>(cs.style) & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = reinterpret_cast<LPARAM>(cs.lpCreateParams);

    AfxHookWindowCreate(this);
    HWND hWnd = reinterpret_cast<HWND>(
        ::SendMessageW(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    // Never attached: no WM_NCDESTROY will come, so the object is cleaned up here.
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    if (hWnd == NULL)
        return FALSE;
    if ((cs.style & WS_VISIBLE) != 0) {
        ::ShowWindow(hWnd, (cs.style & WS_MAXIMIZE) != 0 ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
        MDIActivate();
    }
    return TRUE;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcW(m_hWnd, message, wParam, lParam);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    // The MDI client takes its children out of its lists when it destroys them itself.
    MDIDestroy();
    return TRUE;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND hClient = ::GetParent(m_hWnd);
    return DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(::GetParent(hClient)));
}

void CMDIChildWnd::MDIActivate()
{
    HWND hClient = ::GetParent(m_hWnd);
    if (hClient != NULL)
        ::SendMessageW(hClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIDestroy()
{
    HWND hClient = ::GetParent(m_hWnd);
    if (hClient != NULL)
        ::SendMessageW(hClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}
