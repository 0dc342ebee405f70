// Window objects with real windows: creation hook, maps, reflection, routing, idle update,
// layout and what a failing handler does.
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

const RECT kRect = { 0, 0, 200, 100 };

// ---- message maps ----

UINT g_nRegisteredMsg = RegisterWindowMessageW(L"TolvaneTestRegistered");

class CBaseMapWnd : public CWnd
{
public:
    std::vector<int> m_log;

protected:
    LRESULT OnApp1Base(WPARAM, LPARAM) { return 1; }
    LRESULT OnApp2Base(WPARAM, LPARAM) { return 2; }
    void OnBaseCommand() { m_log.push_back(120); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseMapWnd, CWnd)
    ON_MESSAGE(WM_APP + 1, OnApp1Base)
    ON_MESSAGE(WM_APP + 2, OnApp2Base)
    ON_COMMAND(120, OnBaseCommand)
    ON_COMMAND(100, OnBaseCommand)
END_MESSAGE_MAP()

class CDerivedMapWnd : public CBaseMapWnd
{
public:
    HWND m_hWndAtNcCreate = NULL;
    BOOL m_bPermanentAtNcCreate = FALSE;
    int m_nMessagesBeforeNcCreate = 0;
    BOOL m_bSawNcCreate = FALSE;
    int m_cx = 0, m_cy = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (!m_bSawNcCreate && message != WM_NCCREATE)
            ++m_nMessagesBeforeNcCreate;
        return CBaseMapWnd::WindowProc(message, wParam, lParam);
    }
    BOOL OnNcCreate(LPCREATESTRUCT lpcs)
    {
        m_bSawNcCreate = TRUE;
        m_hWndAtNcCreate = m_hWnd;
        m_bPermanentAtNcCreate = FromHandlePermanent(m_hWnd) == this;
        return CWnd::OnNcCreate(lpcs);
    }
    void OnSize(UINT nType, int cx, int cy)
    {
        m_cx = cx;
        m_cy = cy;
        CWnd::OnSize(nType, cx, cy);
    }
    LRESULT OnApp1First(WPARAM, LPARAM) { return 11; }
    LRESULT OnApp1Second(WPARAM, LPARAM) { return 12; }
    LRESULT OnRegistered(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam) + 1000; }
    void OnFirst() { m_log.push_back(1); }
    void OnRange(UINT nID) { m_log.push_back(static_cast<int>(nID)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedMapWnd, CBaseMapWnd)
    ON_WM_NCCREATE()
    ON_WM_SIZE()
    ON_MESSAGE(WM_APP + 1, OnApp1First)
    ON_MESSAGE(WM_APP + 1, OnApp1Second)
    ON_REGISTERED_MESSAGE(g_nRegisteredMsg, OnRegistered)
    ON_COMMAND(100, OnFirst)
    ON_COMMAND_RANGE(100, 110, OnRange)
END_MESSAGE_MAP()

TEST(WindowCreation, AttachesBeforeNcCreateAndDetachesAtDestruction)
{
    CDerivedMapWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, L"maps", WS_POPUP, kRect, NULL, 0));
    EXPECT_TRUE(wnd.m_bSawNcCreate);
    EXPECT_EQ(wnd.m_hWndAtNcCreate, wnd.m_hWnd);
    EXPECT_TRUE(wnd.m_bPermanentAtNcCreate);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd.m_hWnd, GWLP_WNDPROC)), AfxGetAfxWndProc());
    EXPECT_EQ(AfxGetPermanentWndMap()->LookupPermanent(wnd.m_hWnd), &wnd);

    HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_hWnd, static_cast<HWND>(NULL));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), static_cast<CWnd*>(NULL));
}

TEST(MessageMaps, FirstMatchInMapOrderThenBaseChain)
{
    CDerivedMapWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, L"maps", WS_POPUP, kRect, NULL, 0));
    EXPECT_EQ(wnd.SendMessage(WM_APP + 1), 11);   // the first of two entries
    EXPECT_EQ(wnd.SendMessage(WM_APP + 2), 2);    // only the base has it
    EXPECT_EQ(wnd.SendMessage(WM_APP + 3), 0);    // nobody: the default procedure
    EXPECT_EQ(wnd.SendMessage(g_nRegisteredMsg, 5), 1005);

    wnd.SetWindowPos(NULL, 0, 0, 150, 70, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(wnd.m_cx, 150);
    EXPECT_EQ(wnd.m_cy, 70);

    struct Case { UINT nID; std::vector<int> log; } cases[] = {
        { 100, { 1 } },     // ON_COMMAND before the range, and before the base's entry
        { 105, { 105 } },   // the range
        { 120, { 120 } },   // the base
        { 130, {} },        // nobody
    };
    for (const Case& c : cases) {
        wnd.m_log.clear();
        wnd.SendMessage(WM_COMMAND, c.nID, 0);
        EXPECT_EQ(wnd.m_log, c.log) << c.nID;
    }
}

// ---- reflection ----

class CReflectButton : public CButton
{
public:
    int m_nClicks = 0;
    int m_nNotifies = 0;
    BOOL m_bPassOn = FALSE;
    CBrush m_brush{ RGB(1, 2, 3) };

protected:
    BOOL OnClickedEx()
    {
        ++m_nClicks;
        return !m_bPassOn;
    }
    void OnNmClick(NMHDR*, LRESULT* pResult)
    {
        ++m_nNotifies;
        *pResult = 77;
    }
    HBRUSH CtlColor(CDC*, UINT nCtlColor) { return nCtlColor == CTLCOLOR_BTN ? static_cast<HBRUSH>(m_brush) : NULL; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClickedEx)
    ON_NOTIFY_REFLECT(NM_CLICK, OnNmClick)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CReflectParent : public CWnd
{
public:
    int m_nParentClicks = 0;
    int m_nParentNotifies = 0;

protected:
    void OnChildClicked() { ++m_nParentClicks; }
    void OnChildNotify(NMHDR*, LRESULT*) { ++m_nParentNotifies; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectParent, CWnd)
    ON_CONTROL(BN_CLICKED, 50, OnChildClicked)
    ON_NOTIFY(NM_CLICK, 50, OnChildNotify)
END_MESSAGE_MAP()

TEST(Reflection, ChildSeesItsNotificationsFirst)
{
    CReflectParent parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, L"parent", WS_POPUP, kRect, NULL, 0));
    CReflectButton button;
    ASSERT_TRUE(button.Create(L"b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &parent, 50));

    WPARAM wClicked = MAKEWPARAM(50, BN_CLICKED);
    LPARAM lButton = reinterpret_cast<LPARAM>(button.m_hWnd);
    parent.SendMessage(WM_COMMAND, wClicked, lButton);
    EXPECT_EQ(button.m_nClicks, 1);
    EXPECT_EQ(parent.m_nParentClicks, 0);   // the child kept it

    button.m_bPassOn = TRUE;   // the _EX form lets the parent see it too
    parent.SendMessage(WM_COMMAND, wClicked, lButton);
    EXPECT_EQ(button.m_nClicks, 2);
    EXPECT_EQ(parent.m_nParentClicks, 1);

    NMHDR nmhdr = { button.m_hWnd, 50, static_cast<UINT>(NM_CLICK) };
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 50, reinterpret_cast<LPARAM>(&nmhdr)), 77);
    EXPECT_EQ(button.m_nNotifies, 1);
    EXPECT_EQ(parent.m_nParentNotifies, 0);

    HDC hDC = GetDC(button.m_hWnd);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(hDC), lButton)),
              static_cast<HBRUSH>(button.m_brush));
    ReleaseDC(button.m_hWnd, hDC);
}

// ---- routing ----

std::vector<std::string> g_route;

#define ROUTE_HANDLERS(name) \
    void On8001() { g_route.push_back(name); } \
    void On8002() { g_route.push_back(name); } \
    void On8003() { g_route.push_back(name); } \
    void On8004() { g_route.push_back(name); }

class CTestApp : public CRecordingThread
{
protected:
    ROUTE_HANDLERS("app")
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinThread)
    ON_COMMAND(0x8001, On8001)
    ON_COMMAND(0x8002, On8002)
    ON_COMMAND(0x8003, On8003)
    ON_COMMAND(0x8004, On8004)
END_MESSAGE_MAP()

class CTestDoc : public CCmdTarget
{
protected:
    ROUTE_HANDLERS("doc")
    void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDoc, CCmdTarget)
    ON_COMMAND(0x8001, On8001)
    ON_COMMAND(0x8002, On8002)
    ON_UPDATE_COMMAND_UI(0x8005, OnUpdateDisabled)
END_MESSAGE_MAP()

class CTestView : public CWnd
{
public:
    CTestDoc* m_pDoc = NULL;   // borrowed
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        return m_pDoc != NULL && m_pDoc->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

protected:
    ROUTE_HANDLERS("view")
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestView, CWnd)
    ON_COMMAND(0x8001, On8001)
END_MESSAGE_MAP()

// Frame -> active view (-> document) -> frame -> thread object.
class CTestFrame : public CWnd
{
public:
    CTestView* m_pView = NULL;   // borrowed
    int m_nIdleUpdates = 0;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (m_pView != NULL && m_pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        CWinThread* pThread = AfxGetThread();
        return pThread != NULL && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

protected:
    ROUTE_HANDLERS("frame")
    void On8005() { g_route.push_back("frame"); }
    void OnUpdateIdle(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnNoUpdate() {}
    LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM)
    {
        ++m_nIdleUpdates;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestFrame, CWnd)
    ON_COMMAND(0x8001, On8001)
    ON_COMMAND(0x8002, On8002)
    ON_COMMAND(0x8003, On8003)
    ON_COMMAND(0x8005, On8005)
    ON_UPDATE_COMMAND_UI(0x8006, OnUpdateIdle)
    ON_COMMAND(0x8008, OnNoUpdate)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

struct RoutingFixture : ::testing::Test
{
    CTestApp app;
    CTestDoc doc;
    CTestFrame frame;
    CTestView view;

    void SetUp() override
    {
        ASSERT_TRUE(frame.CreateEx(0, NULL, L"frame", WS_OVERLAPPEDWINDOW, kRect, NULL, 0));
        ASSERT_TRUE(view.Create(NULL, NULL, WS_VISIBLE, CRect(0, 0, 100, 50), &frame, 0xE900));
        view.m_pDoc = &doc;
        frame.m_pView = &view;
        app.m_pMainWnd = &frame;
        g_route.clear();
    }
    void TearDown() override
    {
        app.m_pMainWnd = NULL;
        frame.DestroyWindow();
    }
};

TEST_F(RoutingFixture, ViewDocumentFrameApplicationEachCanStop)
{
    struct Case { UINT nID; const char* pszHandler; } cases[] = {
        { 0x8001, "view" }, { 0x8002, "doc" }, { 0x8003, "frame" }, { 0x8004, "app" },
    };
    for (const Case& c : cases) {
        g_route.clear();
        frame.SendMessage(WM_COMMAND, c.nID, 0);
        EXPECT_EQ(g_route, std::vector<std::string>{ c.pszHandler }) << c.nID;
    }
}

TEST_F(RoutingFixture, CommandDisabledByItsUpdateHandlerIsNotExecuted)
{
    frame.SendMessage(WM_COMMAND, 0x8005, 0);   // menu or accelerator: asked first, then refused
    EXPECT_TRUE(g_route.empty());
    frame.SendMessage(WM_COMMAND, 0, 0);        // id 0 is ignored
    EXPECT_TRUE(g_route.empty());
}

// A child that updates its controls against the frame when idle comes.
class CIdleChild : public CWnd
{
public:
    CWnd* m_pTarget = NULL;   // borrowed
    int m_nUpdates = 0;

protected:
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
    {
        ++m_nUpdates;
        UpdateDialogControls(m_pTarget, static_cast<BOOL>(wParam));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleChild, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

TEST_F(RoutingFixture, IdleUpdateReachesChildUpdateHandlers)
{
    CIdleChild child;
    ASSERT_TRUE(child.Create(NULL, NULL, WS_VISIBLE, CRect(0, 50, 200, 100), &frame, 1));
    child.m_pTarget = &frame;
    CButton disabledByHandler, noHandler, commandOnly, autoCheck;
    ASSERT_TRUE(disabledByHandler.Create(L"a", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 20, 20), &child, 0x8006));
    ASSERT_TRUE(noHandler.Create(L"b", WS_VISIBLE | BS_PUSHBUTTON, CRect(20, 0, 40, 20), &child, 0x8007));
    ASSERT_TRUE(commandOnly.Create(L"c", WS_VISIBLE | BS_PUSHBUTTON, CRect(40, 0, 60, 20), &child, 0x8008));
    ASSERT_TRUE(autoCheck.Create(L"d", WS_VISIBLE | BS_AUTOCHECKBOX, CRect(60, 0, 80, 20), &child, 0x8009));

    frame.ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(app.OnIdle(0));
    EXPECT_EQ(frame.m_nIdleUpdates, 1);
    EXPECT_EQ(child.m_nUpdates, 1);
    EXPECT_FALSE(disabledByHandler.IsWindowEnabled());
    EXPECT_FALSE(noHandler.IsWindowEnabled());   // no handler anywhere on the route
    EXPECT_TRUE(commandOnly.IsWindowEnabled());
    EXPECT_TRUE(autoCheck.IsWindowEnabled());    // toggles itself

    frame.ShowWindow(SW_HIDE);   // an invisible main window gets no idle update
    app.OnIdle(0);
    EXPECT_EQ(frame.m_nIdleUpdates, 1);
}

TEST(IdleMessages, OnlyUserActivityTriggersIdle)
{
    CRecordingThread thread;
    MSG msg = {};
    struct Case { UINT message; POINT pt; BOOL bIdle; } cases[] = {
        { WM_KEYDOWN, { 0, 0 }, TRUE },
        { WM_PAINT, { 0, 0 }, FALSE },
        { 0x0118, { 0, 0 }, FALSE },   // caret blink timer
        { WM_MOUSEMOVE, { 5, 5 }, TRUE },
        { WM_MOUSEMOVE, { 5, 5 }, FALSE },   // the same point again
        { WM_MOUSEMOVE, { 6, 5 }, TRUE },
        { WM_TIMER, { 6, 5 }, TRUE },
    };
    for (const Case& c : cases) {
        msg.message = c.message;
        msg.pt = c.pt;
        EXPECT_EQ(AfxIsIdleMessage(&msg), c.bIdle) << c.message;
    }
}

// Runs the loop: idle once fully (update, then temporary objects freed), then quits.
class CQuittingThread : public CRecordingThread
{
public:
    std::vector<LONG> m_idleCounts;
    BOOL OnIdle(LONG lCount) override
    {
        m_idleCounts.push_back(lCount);
        BOOL bMore = CWinThread::OnIdle(lCount);
        if (!bMore)
            PostQuitMessage(3);
        return bMore;
    }
};

TEST(ThreadLoop, RunIdlesThenFreesTemporaryObjectsAndExitsOnQuit)
{
    CQuittingThread thread;
    CWnd* pTemp = CWnd::FromHandle(GetDesktopWindow());
    ASSERT_NE(pTemp, static_cast<CWnd*>(NULL));
    EXPECT_EQ(CWnd::FromHandlePermanent(GetDesktopWindow()), static_cast<CWnd*>(NULL));
    EXPECT_EQ(thread.Run(), 3);
    EXPECT_EQ(thread.m_idleCounts, (std::vector<LONG>{ 0, 1 }));
    EXPECT_EQ(AfxGetPermanentWndMap()->GetTemporaryCount(), 0u);
}

// ---- descendants and layout ----

int g_nPlainMessages = 0;

LRESULT CALLBACK PlainWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP + 9)
        ++g_nPlainMessages;
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

class CCountingWnd : public CWnd
{
public:
    int m_nCount = 0;
    UINT m_nRecorded = 0;

protected:
    LRESULT OnApp9(WPARAM, LPARAM)
    {
        ++m_nCount;
        m_nRecorded = AfxGetCurrentMessage()->message;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingWnd, CWnd)
    ON_MESSAGE(WM_APP + 9, OnApp9)
END_MESSAGE_MAP()

TEST(Descendants, PermanentOnlyFormCallsObjectsDirectly)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PlainWndProc;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.lpszClassName = L"TolvanePlainTestWnd";
    ASSERT_TRUE(AfxRegisterClass(&wc));
    ASSERT_TRUE(AfxRegisterClass(&wc));   // registering the same class again succeeds

    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, L"p", WS_POPUP, kRect, NULL, 0));
    CCountingWnd childA, grandchild;
    ASSERT_TRUE(childA.Create(NULL, NULL, WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 1));
    HWND hWndPlain = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 10, 0, 50, 50, parent.m_hWnd,
                                     reinterpret_cast<HMENU>(2), wc.hInstance, NULL);
    ASSERT_NE(hWndPlain, static_cast<HWND>(NULL));
    ASSERT_TRUE(grandchild.CreateEx(0, NULL, NULL, WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, hWndPlain,
                                    reinterpret_cast<HMENU>(3)));

    g_nPlainMessages = 0;
    parent.SendMessageToDescendants(WM_APP + 9, 0, 0, TRUE, TRUE);
    EXPECT_EQ(childA.m_nCount, 1);
    EXPECT_EQ(grandchild.m_nCount, 1);   // deep, through a window with no object
    EXPECT_EQ(g_nPlainMessages, 0);      // no system send
    EXPECT_EQ(childA.m_nRecorded, static_cast<UINT>(WM_APP + 9));

    parent.SendMessageToDescendants(WM_APP + 9, 0, 0, FALSE, FALSE);
    EXPECT_EQ(childA.m_nCount, 2);
    EXPECT_EQ(grandchild.m_nCount, 1);   // not deep
    EXPECT_EQ(g_nPlainMessages, 1);
}

// A bar that takes the top rows of the layout.
class CTopBar : public CWnd
{
public:
    int m_cy = 20;

protected:
    LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        AFX_SIZEPARENTPARAMS* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        CRect rect(pLayout->rect.left, pLayout->rect.top, pLayout->rect.right, pLayout->rect.top + m_cy);
        pLayout->rect.top += m_cy;
        pLayout->sizeTotal.cy += m_cy;
        pLayout->sizeTotal.cx = rect.Width();
        AfxRepositionWindow(pLayout, m_hWnd, rect);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTopBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CRect ChildRect(const CWnd& wnd)
{
    CRect rect;
    wnd.GetWindowRect(rect);
    wnd.GetParent()->ScreenToClient(rect);
    return rect;
}

TEST(Layout, RepositionBarsGivesBarsTheirShareAndThePaneTheRest)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, L"p", WS_POPUP, kRect, NULL, 0));
    CTopBar bar;
    CWnd pane;
    ASSERT_TRUE(bar.Create(NULL, NULL, WS_VISIBLE, CRect(0, 0, 1, 1), &parent, 0xE801));
    ASSERT_TRUE(pane.Create(NULL, NULL, WS_VISIBLE, CRect(0, 0, 1, 1), &parent, 0xE900));

    CRect rectQuery;
    parent.RepositionBars(0, 0xFFFF, 0xE900, CWnd::reposQuery, &rectQuery);
    EXPECT_EQ(rectQuery, CRect(0, 20, 200, 100));
    EXPECT_EQ(ChildRect(pane), CRect(0, 0, 1, 1));   // a query moves nothing

    parent.RepositionBars(0, 0xFFFF, 0xE900);
    EXPECT_EQ(ChildRect(bar), CRect(0, 0, 200, 20));
    EXPECT_EQ(ChildRect(pane), CRect(0, 20, 200, 100));
}

// ---- bad input ----

class CThrowingWnd : public CWnd
{
public:
    BOOL m_bThrowOnCreate = FALSE;
    std::vector<UINT> m_nested;

protected:
    int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (m_bThrowOnCreate)
            AfxThrowInvalidArgException();
        return CWnd::OnCreate(lpcs);
    }
    LRESULT OnFrameworkException(WPARAM, LPARAM) { AfxThrowInvalidArgException(); }
    LRESULT OnStdException(WPARAM, LPARAM) { throw std::runtime_error("handler failed"); }
    LRESULT OnOuter(WPARAM, LPARAM)
    {
        SendMessage(WM_APP + 4);   // re-entrant dispatch on the same window
        m_nested.push_back(AfxGetCurrentMessage()->message);
        return 5;
    }
    LRESULT OnInner(WPARAM, LPARAM)
    {
        m_nested.push_back(AfxGetCurrentMessage()->message);
        SendMessage(WM_APP + 1);   // throws, inside a nested dispatch
        m_nested.push_back(AfxGetCurrentMessage()->message);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_APP + 1, OnFrameworkException)
    ON_MESSAGE(WM_APP + 2, OnStdException)
    ON_MESSAGE(WM_APP + 3, OnOuter)
    ON_MESSAGE(WM_APP + 4, OnInner)
END_MESSAGE_MAP()

TEST(BadInput, ThrowingHandlersAreStoppedAndTheRecordRestored)
{
    CRecordingThread thread;
    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, L"t", WS_POPUP, kRect, NULL, 0));
    MSG* pCurrent = AfxGetCurrentMessage();
    pCurrent->message = WM_USER + 77;   // a sentinel the dispatch must put back

    EXPECT_EQ(wnd.SendMessage(WM_APP + 1), 0);
    EXPECT_EQ(wnd.SendMessage(WM_APP + 2), 0);
    EXPECT_EQ(wnd.SendMessage(WM_APP + 3), 5);
    EXPECT_EQ(wnd.m_nested, (std::vector<UINT>{ WM_APP + 4, WM_APP + 4, WM_APP + 3 }));
    EXPECT_EQ(thread.m_exceptionMessages, (std::vector<UINT>{ WM_APP + 1, WM_APP + 2, WM_APP + 1 }));
    EXPECT_EQ(pCurrent->message, static_cast<UINT>(WM_USER + 77));
    EXPECT_TRUE(IsWindow(wnd.m_hWnd));
}

TEST(BadInput, ThrowingOnCreateFailsTheCreation)
{
    CRecordingThread thread;
    CThrowingWnd wnd;
    wnd.m_bThrowOnCreate = TRUE;
    EXPECT_FALSE(wnd.CreateEx(0, NULL, L"t", WS_POPUP, kRect, NULL, 0));
    EXPECT_EQ(wnd.m_hWnd, static_cast<HWND>(NULL));
    EXPECT_EQ(thread.m_exceptionMessages, std::vector<UINT>{ WM_CREATE });
}

TEST(BadInput, WindowOutlivingItsObjectKeepsItsOwnProcedure)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, L"p", WS_POPUP, kRect, NULL, 0));
    HWND hWndEdit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 80, 20, parent.m_hWnd, NULL,
                                    GetModuleHandleW(NULL), NULL);
    {
        CEdit* pEdit = new CEdit;
        ASSERT_TRUE(pEdit->SubclassWindow(hWndEdit));
        pEdit->Detach();   // the object goes, the window stays subclassed
        delete pEdit;
    }
    SetWindowTextW(hWndEdit, L"still an edit");
    WCHAR szText[32] = {};
    GetWindowTextW(hWndEdit, szText, ARRAYSIZE(szText));
    EXPECT_STREQ(szText, L"still an edit");
    EXPECT_TRUE(DestroyWindow(hWndEdit));
}

TEST(BadInput, DeletingTheObjectOfALiveWindowDestroysIt)
{
    CWnd* pWnd = new CWnd;
    ASSERT_TRUE(pWnd->CreateEx(0, NULL, L"t", WS_POPUP, kRect, NULL, 0));
    HWND hWnd = pWnd->m_hWnd;
    delete pWnd;
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), static_cast<CWnd*>(NULL));
}

// ---- creation hook order ----

HHOOK g_hOtherHook = NULL;
CWnd* g_pSeenByOtherHook = NULL;

LRESULT CALLBACK OtherCbtHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && g_pSeenByOtherHook == NULL)
        g_pSeenByOtherHook = CWnd::FromHandlePermanent(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(g_hOtherHook, nCode, wParam, lParam);
}

TEST(WindowCreation, HookInstalledEarlierSeesTheAttachedObject)
{
    // Like the skin framework's hook: installed once per thread, before the window is made.
    g_hOtherHook = SetWindowsHookExW(WH_CBT, OtherCbtHook, NULL, GetCurrentThreadId());
    ASSERT_NE(g_hOtherHook, static_cast<HHOOK>(NULL));
    g_pSeenByOtherHook = NULL;
    CWnd wnd;
    EXPECT_TRUE(wnd.CreateEx(0, NULL, L"t", WS_POPUP, kRect, NULL, 0));
    UnhookWindowsHookEx(g_hOtherHook);
    EXPECT_EQ(g_pSeenByOtherHook, &wnd);
}

}  // namespace
