// Multiple-document frames: a frame whose client area is the system's MDI client window, and
// the child frames that live in it.
#pragma once

#include <framework/frame.h>

// Ids the MDI client gives its children's window-menu entries.
#define AFX_IDM_FIRST_MDICHILD 0xFF00

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();

    // Creates the MDI client (id AFX_IDW_PANE_FIRST, so that RecalcLayout places it).
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    CFrameWnd* GetActiveFrame() override;

    // The active child, or NULL; pbMaximized (when given) receives whether it is maximized.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDINext() { ::SendMessageW(m_hWndMDIClient, WM_MDINEXT, 0, 0); }

    HWND m_hWndMDIClient;  // a child of this frame, destroyed with it
};

class CMDIChildWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();

    // Created through the frame's MDI client (WM_MDICREATE); pParentWnd is the MDI frame.
    BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                CMDIFrameWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL DestroyWindow() override;

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIActivate();
    void MDIDestroy();
};
