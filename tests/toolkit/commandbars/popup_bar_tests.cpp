// Popup bars: placement in given areas, scrolling, rarely used commands, tear-off and
// ZpTrackPopupBar, loops driven by posted step messages.
#include "commandbars_test_support.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPMenuBar.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPPopupBar.h"
#include "common/ZPPropExchangeArchive.h"
#include "common/ZPShadowManager.h"

#include "archive_helpers.h"

#include <framework/messages.h>

namespace {

class PopupBarTest : public CommandBarsTest
{
protected:
    CProcessPaintManagerScope m_paintManagerScope;
};

const UINT kStepMessage = WM_APP + 7;

// A hidden window that runs one queued step for every posted step message.
class CStepWindow
{
public:
    CStepWindow()
    {
        m_hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_pfnOld = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CStepWindow::Proc)));
    }
    ~CStepWindow() { ::DestroyWindow(m_hWnd); }
    void Post(std::function<void()> step)
    {
        m_steps.push_back(std::move(step));
        ::PostMessageW(m_hWnd, kStepMessage, 0, 0);
    }
    size_t m_nRun = 0;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        CStepWindow* pThis = reinterpret_cast<CStepWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (message == kStepMessage && pThis->m_nRun < pThis->m_steps.size()) {
            try {
                pThis->m_steps[pThis->m_nRun++]();
            } catch (...) {
            }
            return 0;
        }
        return ::CallWindowProcW(pThis->m_pfnOld, hWnd, message, wParam, lParam);
    }
    HWND m_hWnd;
    WNDPROC m_pfnOld;
    std::vector<std::function<void()>> m_steps;
};

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// A popup of n test controls (ids 100, 101, ...) of the given height.
CRefPtr<CZPPopupBar> MakePopup(CZPCommandBars* pCommandBars, HWND hWndSite, int nCount, int nHeight = 22)
{
    CRefPtr<CZPPopupBar> popup = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(pCommandBars));
    popup->SetSiteWindow(hWndSite);
    for (int i = 0; i < nCount; ++i) {
        CTestControl* pControl = new CTestControl;
        pControl->m_size = CSize(80, nHeight);
        popup->GetControls()->AddControl(pControl, 100 + i);
    }
    return popup;
}

CRect WorkAreaAt(CPoint pt)
{
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST), &mi);
    return mi.rcWork;
}

TEST(PopupPlacementTest, GivenAreas)
{
    // A second monitor below the first: its areas start at y = 1000.
    const CRect rcLow(0, 1000, 800, 1600);
    const CRect rcTop(0, 0, 800, 600);
    struct Case
    {
        const char* name;
        CRect rcArea;
        CRect rcExclude;
        CPoint ptAnchor;
        CSize size;
        DWORD dwDirection;
        CRect rcExpected;
        BOOL bShrunk;
        DWORD dwDirectionAfter;
    } cases[] = {
        { "fits below a point", rcTop, CRect(), CPoint(100, 100), CSize(50, 200), 0, CRect(100, 100, 150, 300), FALSE,
          0 },
        // Upper half of the low monitor: pushed up to the area's bottom (5 kept free), not above the point.
        { "point, upper half of an area not at 0", rcLow, CRect(), CPoint(100, 1250), CSize(50, 400), 0,
          CRect(100, 1195, 150, 1595), FALSE, 0 },
        { "point, lower half opens upwards", rcLow, CRect(), CPoint(100, 1500), CSize(50, 300), 0,
          CRect(100, 1200, 150, 1500), FALSE, 0 },
        { "drop-down at the bottom opens above", rcTop, CRect(100, 560, 150, 580), CPoint(100, 580), CSize(60, 200),
          ZP_POPUP_DROPDOWN, CRect(100, 360, 160, 560), FALSE, ZP_POPUP_DROPDOWN },
        { "drop-down, no room: the larger side above", rcTop, CRect(100, 300, 150, 320), CPoint(100, 320),
          CSize(60, 700), ZP_POPUP_DROPDOWN, CRect(100, 0, 160, 300), TRUE, ZP_POPUP_DROPDOWN },
        // The owner's middle (1285) lies above the low area's middle (1297): below it, shrunk.
        { "drop-down, no room, area not at 0", rcLow, CRect(100, 1280, 150, 1290), CPoint(100, 1290), CSize(60, 700),
          ZP_POPUP_DROPDOWN, CRect(100, 1290, 160, 1595), TRUE, ZP_POPUP_DROPDOWN },
        { "sub-menu flips left of its parent", rcTop, CRect(700, 100, 790, 120), CPoint(790, 100), CSize(100, 50), 0,
          CRect(600, 100, 700, 150), FALSE, ZP_POPUP_LEFTWARDS },
        { "area smaller than one item", CRect(0, 0, 800, 10), CRect(), CPoint(0, 0), CSize(80, 22), 0,
          CRect(0, 0, 80, 5), TRUE, 0 },
        // Off the monitor: brought onto the area rather than left off every screen.
        { "point right of the monitor", rcTop, CRect(), CPoint(900, 10), CSize(100, 50), 0, CRect(700, 10, 800, 60),
          FALSE, ZP_POPUP_LEFTWARDS },
        { "point below the monitor", rcTop, CRect(), CPoint(10, 30000), CSize(100, 50), 0, CRect(10, 545, 110, 595),
          FALSE, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ZpPopupPlacementInput in;
        in.rcWork = c.rcArea;
        in.rcMonitor = c.rcArea;
        in.rcExclude = c.rcExclude;
        in.ptAnchor = c.ptAnchor;
        in.size = c.size;
        in.dwDirection = c.dwDirection;
        in.bMultiColumn = FALSE;
        const ZpPopupPlacement out = ZpPlacePopup(in);
        EXPECT_EQ(c.rcExpected, out.rc);
        EXPECT_EQ(c.bShrunk, out.bShrunk);
        EXPECT_EQ(c.dwDirectionAfter, out.dwDirection);
    }
}

TEST_F(PopupBarTest, OpensInsideTheWorkAreaFromAnchorsOffEveryMonitorAndClosesOnEndTracking)
{
    CTestSite site;
    for (CPoint pt : { CPoint(-30000, -30000), CPoint(30000, 30000) }) {
        CRefPtr<CZPPopupBar> popup = MakePopup(NULL, site.m_hWnd, 3);
        ASSERT_TRUE(popup->Popup(pt.x, pt.y, NULL));
        CRect rc;
        ::GetWindowRect(popup->GetSafeHwnd(), &rc);
        CRect rcWork = WorkAreaAt(pt);
        EXPECT_TRUE(rc.left >= rcWork.left && rc.right <= rcWork.right && rc.top >= rcWork.top &&
                    rc.bottom <= rcWork.bottom);
        EXPECT_NE(0, popup->GetTrackingMode());
        EXPECT_TRUE(ZpMouseManager()->IsTracked(popup.Get()));
        popup->EndTracking();
        EXPECT_EQ(NULL, popup->GetSafeHwnd());
        EXPECT_EQ(1, site.Count(ZpMsgPopupClosed));
        site.m_messages.clear();
    }
}

TEST_F(PopupBarTest, EmptyAndHugePopupsOpen)
{
    CTestSite site;
    CRefPtr<CZPPopupBar> empty = MakePopup(NULL, site.m_hWnd, 0);
    EXPECT_TRUE(empty->Popup(10, 10, NULL));
    empty->EndTracking();
    CRefPtr<CZPPopupBar> huge = MakePopup(NULL, site.m_hWnd, 5000);
    ASSERT_TRUE(huge->Popup(10, 10, NULL));
    EXPECT_TRUE(huge->IsScrolling());
    huge->EndTracking();
}

TEST_F(PopupBarTest, ATallPopupScrollsWithSixteenPixelButtons)
{
    CTestSite site;
    CRefPtr<CZPPopupBar> popup = MakePopup(NULL, site.m_hWnd, 200);
    const CRect rcWork = WorkAreaAt(CPoint(10, 10));
    ASSERT_TRUE(popup->Popup(rcWork.left + 10, rcWork.top + 10, NULL));
    ASSERT_TRUE(popup->IsScrolling());
    CRect rc;
    ::GetWindowRect(popup->GetSafeHwnd(), &rc);
    EXPECT_LE(rc.bottom, rcWork.bottom - 5);
    EXPECT_EQ(0, popup->GetFirstShown());
    EXPECT_TRUE(popup->GetScrollUpRect().IsRectEmpty());
    EXPECT_EQ(16, popup->GetScrollDownRect().Height());
    const int nEnd = popup->GetEndShown();
    ASSERT_GT(nEnd, 0);
    ASSERT_LT(nEnd, 200);
    EXPECT_EQ(0u, popup->ControlAt(nEnd - 1)->GetHideFlags() & zpHideScroll);
    EXPECT_NE(0u, popup->ControlAt(nEnd)->GetHideFlags() & zpHideScroll);
    EXPECT_LE(popup->ControlAt(nEnd - 1)->GetRect().bottom, popup->GetScrollDownRect().top);

    // Timer 5001 scrolls down one control at a time; then the up button appears.
    ::PostMessageW(popup->GetSafeHwnd(), WM_TIMER, ZP_TIMER_POPUP_SCROLL_DOWN, 0);
    ::PostMessageW(popup->GetSafeHwnd(), WM_TIMER, ZP_TIMER_POPUP_SCROLL_DOWN, 0);
    Pump();
    EXPECT_EQ(nEnd + 2, popup->GetEndShown());
    EXPECT_GT(popup->GetFirstShown(), 0);
    EXPECT_EQ(16, popup->GetScrollUpRect().Height());
    EXPECT_NE(0u, popup->ControlAt(0)->GetHideFlags() & zpHideScroll);

    // Highlighting a scrolled-out control brings it into view.
    popup->HighlightControlAt(199, 2);
    EXPECT_EQ(200, popup->GetEndShown());
    EXPECT_EQ(0u, popup->ControlAt(199)->GetHideFlags() & zpHideScroll);
    EXPECT_TRUE(popup->GetScrollDownRect().IsRectEmpty());
    popup->HighlightControlAt(0, 2);
    EXPECT_EQ(0, popup->GetFirstShown());
    popup->EndTracking();
}

TEST_F(PopupBarTest, AnOversizedFirstItemIsClampedBetweenTheBorders)
{
    CTestSite site;
    CRefPtr<CZPPopupBar> popup = MakePopup(NULL, site.m_hWnd, 2, 30000);
    ASSERT_TRUE(popup->Popup(10, 10, NULL));
    ASSERT_TRUE(popup->IsScrolling());
    CRect rcClient;
    ::GetClientRect(popup->GetSafeHwnd(), &rcClient);
    EXPECT_LE(popup->ControlAt(0)->GetRect().bottom, rcClient.bottom);
    EXPECT_EQ(1, popup->GetEndShown());
    popup->EndTracking();
}

class RarelyUsedTest : public CommandBarsTest
{
protected:
    CProcessPaintManagerScope m_paintManagerScope;
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        m_pCommandBars = new CZPCommandBars;
        m_pCommandBars->SetSite(m_site.m_hWnd);
        m_pCommandBars->GetCommandBarsOptions()->m_bAlwaysShowFullMenus = FALSE;
    }
    void TearDown() override
    {
        m_popup.Reset();
        m_pCommandBars->InternalRelease();
        CommandBarsTest::TearDown();
    }
    void Hide(int nId) { m_pCommandBars->GetCommandBarsOptions()->m_mapHiddenCommands[nId] = TRUE; }
    CTestSite m_site;
    CZPCommandBars* m_pCommandBars = NULL;
    CRefPtr<CZPPopupBar> m_popup;
};

TEST_F(RarelyUsedTest, HiddenCommandsGoBehindTheExpandButton)
{
    Hide(101);
    m_popup = MakePopup(m_pCommandBars, m_site.m_hWnd, 3);
    ASSERT_TRUE(m_popup->Popup(10, 10, NULL));
    EXPECT_TRUE(m_popup->HasRarelyUsedHidden());
    EXPECT_NE(0u, m_popup->ControlAt(1)->GetHideFlags() & zpHideExpand);
    CZPControl* pExpand = m_popup->GetControls()->FindControlById(ZP_ID_POPUP_EXPAND);
    ASSERT_TRUE(pExpand != NULL);
    EXPECT_EQ(0x5Au, pExpand->GetFlags());
    EXPECT_TRUE(pExpand->IsVisible());
    CRect rcBefore;
    ::GetWindowRect(m_popup->GetSafeHwnd(), &rcBefore);

    // The mouse on the expand button starts timer 5004; its tick expands the menu.
    m_popup->HighlightControlAt(pExpand->GetIndex(), 0);
    ::PostMessageW(m_popup->GetSafeHwnd(), WM_TIMER, ZP_TIMER_POPUP_EXPAND, 0);
    Pump();
    EXPECT_TRUE(m_popup->IsExpanded());
    EXPECT_EQ(0u, m_popup->ControlAt(1)->GetHideFlags() & zpHideExpand);
    EXPECT_TRUE(m_popup->GetControls()->FindControlById(ZP_ID_POPUP_EXPAND) == NULL);
    EXPECT_TRUE(ZpMouseManager()->IsMenusExpanded());
    m_popup->EndTracking();
    EXPECT_FALSE(ZpMouseManager()->IsMenusExpanded());
}

TEST_F(RarelyUsedTest, ExpandingWithEachAnimationEndsOnTheFullMenu)
{
    for (int nKind : { static_cast<int>(zpAnimateUnfold), static_cast<int>(zpAnimateSlide),
                       static_cast<int>(zpAnimateFade), ZP_ANIMATE_NONE }) {
        SCOPED_TRACE(nKind);
        m_pCommandBars->GetCommandBarsOptions()->m_nAnimation = nKind;
        Hide(101);
        m_popup = MakePopup(m_pCommandBars, m_site.m_hWnd, 3);
        ASSERT_TRUE(m_popup->Popup(10, 10, NULL));
        CRect rcBefore;
        ::GetWindowRect(m_popup->GetSafeHwnd(), &rcBefore);
        m_popup->ExpandBar();
        CRect rcAfter;
        ::GetWindowRect(m_popup->GetSafeHwnd(), &rcAfter);
        EXPECT_TRUE(::IsWindowVisible(m_popup->GetSafeHwnd()));
        EXPECT_EQ(rcBefore.top, rcAfter.top);
        EXPECT_GT(rcAfter.Height(), rcBefore.Height() - 22);  // the hidden row back, the button gone
        EXPECT_TRUE(m_popup->ControlAt(1)->IsVisible());
        m_popup->EndTracking();
    }
}

TEST_F(RarelyUsedTest, AMenuNeverHidesAllItsCommands)
{
    Hide(100);
    Hide(101);
    m_popup = MakePopup(m_pCommandBars, m_site.m_hWnd, 2);
    ASSERT_TRUE(m_popup->Popup(10, 10, NULL));
    EXPECT_FALSE(m_popup->HasRarelyUsedHidden());
    EXPECT_TRUE(m_popup->ControlAt(0)->IsVisible());
    EXPECT_TRUE(m_popup->ControlAt(1)->IsVisible());
    EXPECT_TRUE(m_popup->GetControls()->FindControlById(ZP_ID_POPUP_EXPAND) == NULL);
    m_popup->EndTracking();
}

TEST_F(RarelyUsedTest, CtrlDownOrDownPastTheLastItemExpands)
{
    struct Case
    {
        const char* name;
        BOOL bCtrl;
        int nHighlight;
    } cases[] = { { "Ctrl+Down on the first item", TRUE, 0 }, { "Down past the last item", FALSE, 2 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Hide(101);
        m_popup = MakePopup(m_pCommandBars, m_site.m_hWnd, 3);
        ASSERT_TRUE(m_popup->Popup(10, 10, NULL));
        m_popup->HighlightControlAt(c.nHighlight, 2);
        EXPECT_FALSE(m_popup->ExpandByKey(VK_UP));
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        const BYTE old = keys[VK_CONTROL];
        keys[VK_CONTROL] = c.bCtrl ? 0x80 : 0;
        ::SetKeyboardState(keys);
        EXPECT_TRUE(m_popup->ExpandByKey(VK_DOWN));
        keys[VK_CONTROL] = old;
        ::SetKeyboardState(keys);
        EXPECT_TRUE(m_popup->IsExpanded());
        m_popup->EndTracking();
    }
    // Down in the middle of a collapsed menu only moves on.
    m_popup = MakePopup(m_pCommandBars, m_site.m_hWnd, 3);
    ASSERT_TRUE(m_popup->Popup(10, 10, NULL));
    m_popup->HighlightControlAt(0, 2);
    EXPECT_FALSE(m_popup->ExpandByKey(VK_DOWN));
    EXPECT_FALSE(m_popup->IsExpanded());
    m_popup->EndTracking();
}

TEST(PopupAnimationTest, KindsFromTheOption)
{
    CZPCommandBars* pCommandBars = new CZPCommandBars;
    CRefPtr<CZPPopupBar> popup = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(pCommandBars));
    for (int nKind = 2; nKind <= 5; ++nKind) {
        pCommandBars->GetCommandBarsOptions()->m_nAnimation = nKind;
        EXPECT_EQ(nKind, popup->ChoosePopupAnimation());
    }
    pCommandBars->GetCommandBarsOptions()->m_nAnimation = ZP_ANIMATE_RANDOM;
    for (int i = 0; i < 30; ++i) {
        const int nKind = popup->ChoosePopupAnimation();
        EXPECT_TRUE(nKind == zpAnimateUnfold || nKind == zpAnimateSlide || nKind == zpAnimateFade);
    }
    CRefPtr<CZPPopupBar> alone = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(NULL));
    EXPECT_EQ(ZP_ANIMATE_NONE, alone->ChoosePopupAnimation());
    popup.Reset();
    pCommandBars->InternalRelease();
}

TEST_F(PopupBarTest, ShadowWindowsComeAndGoWithThePopup)
{
    CTestSite site;
    CZPPaintManager* pPaintManager = ZpGetPaintManager();
    const BOOL bOld = pPaintManager->m_bShowShadow;
    pPaintManager->m_bShowShadow = TRUE;
    // Wine does not composite layered shadows: forced, and checked as windows, not pixels.
    CZPShadowManager* pManager = pPaintManager->GetShadowManager();
    ASSERT_TRUE(pManager != NULL);
    const DWORD dwOldFlags = pManager->GetFlags();
    pManager->SetFlags(dwOldFlags | CZPShadowManager::shadowForce);
    CRefPtr<CZPPopupBar> popup = MakePopup(NULL, site.m_hWnd, 3);
    ASSERT_TRUE(popup->Popup(50, 50, NULL));
    CZPShadowManager* pShadows = pPaintManager->GetShadowManager();
    ASSERT_TRUE(pShadows != NULL);
    EXPECT_GT(pShadows->GetShadows().GetCount(), 0);
    for (POSITION pos = pShadows->GetShadows().GetHeadPosition(); pos != NULL;)
        EXPECT_TRUE(::IsWindow(pShadows->GetShadows().GetNext(pos)->GetSafeHwnd()));
    popup->EndTracking();
    Pump();
    EXPECT_EQ(0, pShadows->GetShadows().GetCount());
    pPaintManager->m_bShowShadow = bOld;
    pManager->SetFlags(dwOldFlags);
}

// Tear-off ------------------------------------------------------------------------------------

class TearOffTest : public CommandBarsTest
{
protected:
    CProcessPaintManagerScope m_paintManagerScope;
    void Open()
    {
        m_popup = MakePopup(NULL, m_site.m_hWnd, 3);
        m_popup->SetTearOffPopup(L"Torn", 77, TRUE, 200);
        ASSERT_TRUE(m_popup->Popup(100, 100, NULL));
        ASSERT_FALSE(m_popup->GetTearOffRect().IsRectEmpty());
    }
    // A mouse move posted to the popup, in its client coordinates.
    void PostMove(int x, int y) { ::PostMessageW(m_popup->GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    void TearOff()
    {
        const CRect rcStrip = m_popup->GetTearOffRect();
        m_popup->TrackTearOff(rcStrip.CenterPoint());
    }
    void TearDown() override
    {
        if (m_popup && m_popup->GetTrackingMode() != 0)
            m_popup->EndTracking();
        m_popup.Reset();
        CommandBarsTest::TearDown();
    }
    CTestSite m_site;
    CStepWindow m_steps;
    CRefPtr<CZPPopupBar> m_popup;
};

TEST_F(TearOffTest, DraggingOutTearsOffAndBackInsideReusesTheToolbar)
{
    Open();
    HWND hWndPopup = m_popup->GetSafeHwnd();
    PostMove(300, 300);
    HWND hWndBar = NULL;
    m_steps.Post([&] {
        ASSERT_TRUE(m_popup->GetTornOffBar() != NULL);
        hWndBar = m_popup->GetTornOffBar()->GetSafeHwnd();
        EXPECT_TRUE(::IsWindowVisible(hWndBar));
        EXPECT_FALSE(::IsWindowVisible(hWndPopup));
        EXPECT_EQ(L"Torn", m_popup->GetTornOffBar()->GetTitle());
        EXPECT_EQ(3, m_popup->GetTornOffBar()->CountControls());
    });
    PostMove(m_popup->GetTearOffRect().left + 2, m_popup->GetTearOffRect().top);
    m_steps.Post([&] {
        EXPECT_TRUE(::IsWindowVisible(hWndPopup));
        EXPECT_FALSE(::IsWindowVisible(hWndBar));
    });
    PostMove(-300, 300);
    m_steps.Post([&] { EXPECT_EQ(hWndBar, m_popup->GetTornOffBar()->GetSafeHwnd()); });
    ::PostMessageW(hWndPopup, WM_LBUTTONUP, 0, MAKELPARAM(-300, 300));
    TearOff();
    EXPECT_EQ(3u, m_steps.m_nRun);
    EXPECT_EQ(2, m_site.Count(ZpMsgPopupTornOff));  // each tear tells the site
    // Torn off: the menu closed, the toolbar stays.
    EXPECT_EQ(0, m_popup->GetTrackingMode());
    EXPECT_EQ(NULL, m_popup->GetSafeHwnd());
    EXPECT_TRUE(::IsWindowVisible(hWndBar));
}

TEST_F(TearOffTest, TheLoopEndsOnLostCaptureAndADestroyedPopup)
{
    struct Case
    {
        const char* name;
        std::function<void(CZPPopupBar*)> end;
    } cases[] = { { "capture lost", [](CZPPopupBar*) { ::ReleaseCapture(); } },
                  { "popup destroyed", [](CZPPopupBar* p) { p->DestroyWindow(); } } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open();
        CZPPopupBar* pPopup = m_popup.Get();
        m_steps.Post([&c, pPopup] { c.end(pPopup); });
        TearOff();
        EXPECT_FALSE(m_popup->IsTearingOff());
        EXPECT_TRUE(m_popup->GetTornOffBar() == NULL);
        if (m_popup->GetTrackingMode() != 0)
            m_popup->EndTracking();
        m_steps.m_nRun = 0;
    }
}

// ZpTrackPopupBar ---------------------------------------------------------------------------

TEST_F(PopupBarTest, TrackReturnsTheCommandOrSendsIt)
{
    CTestSite site;
    CStepWindow steps;
    EXPECT_EQ(0, ZpTrackPopupBar(NULL, TPM_RETURNCMD, 0, 0));
    CRefPtr<CZPPopupBar> popup = MakePopup(NULL, site.m_hWnd, 3);
    steps.Post([&] { popup->ControlAt(1)->Execute(); });
    EXPECT_EQ(101, ZpTrackPopupBar(popup.Get(), TPM_RETURNCMD, 20, 20, CWnd::FromHandle(site.m_hWnd)));
    EXPECT_EQ(0, site.Count(WM_COMMAND));
    EXPECT_TRUE(popup->GetReturnCmdSlot() == NULL);
    EXPECT_EQ(NULL, popup->GetSafeHwnd());

    steps.Post([&] { popup->ControlAt(2)->Execute(); });
    EXPECT_EQ(1, ZpTrackPopupBar(popup.Get(), 0, 20, 20, CWnd::FromHandle(site.m_hWnd)));
    ASSERT_EQ(1, site.Count(WM_COMMAND));
    for (const ZpRecordedMessage& m : site.m_messages) {
        if (m.message == WM_COMMAND) {
            EXPECT_EQ(102u, LOWORD(m.wParam));
        }
    }
    // Closed without a command: 0 with TPM_RETURNCMD.
    steps.Post([&] { popup->EndTracking(); });
    EXPECT_EQ(0, ZpTrackPopupBar(popup.Get(), TPM_RETURNCMD, 20, 20, CWnd::FromHandle(site.m_hWnd)));
}

TEST_F(PopupBarTest, RecursiveTrackLocksOnlyTheOuterBarsAndUnlocksOnEveryExit)
{
    CTestSite site;
    CStepWindow steps;
    CRefPtr<CZPPopupBar> outer = MakePopup(NULL, site.m_hWnd, 2);
    ASSERT_TRUE(outer->Popup(20, 20, NULL));
    CRefPtr<CZPPopupBar> inner = MakePopup(NULL, site.m_hWnd, 2);
    int nLockInside = -1;
    steps.Post([&] {
        nLockInside = outer->GetLockCount();
        EXPECT_EQ(0, inner->GetLockCount());
        inner->ControlAt(0)->Execute();
    });
    EXPECT_EQ(100, ZpTrackPopupBar(inner.Get(), TPM_RETURNCMD | TPM_RECURSE, 60, 60, CWnd::FromHandle(site.m_hWnd)));
    EXPECT_EQ(1, nLockInside);
    EXPECT_EQ(0, outer->GetLockCount());
    EXPECT_NE(0, outer->GetTrackingMode());

    // A failed show (the site drops the window while initialising) unlocks too.
    site.m_answer = [&](UINT message, WPARAM, LPARAM lParam) -> LRESULT {
        if (message == ZpMsgInitPopup && lParam == reinterpret_cast<LPARAM>(inner.Get()))
            inner->DestroyWindow();
        return 0;
    };
    EXPECT_EQ(0, ZpTrackPopupBar(inner.Get(), TPM_RETURNCMD | TPM_RECURSE, 60, 60, CWnd::FromHandle(site.m_hWnd)));
    EXPECT_EQ(0, outer->GetLockCount());
    EXPECT_TRUE(inner->GetReturnCmdSlot() == NULL);
    site.m_answer = nullptr;
    outer->EndTracking();
}

}  // namespace

namespace {

TEST_F(PopupBarTest, SiteHandlersThatDropThePopupOrTheSiteLoseNothing)
{
    struct Case
    {
        const char* name;
        UINT nMessage;
        BOOL bDestroySite;
    } cases[] = { { "the closed notice releases the last reference", ZpMsgPopupClosed, FALSE },
                  { "the init notice releases the last reference", ZpMsgInitPopup, FALSE },
                  { "the init notice destroys the site", ZpMsgInitPopup, TRUE } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTestSite site;
        CStepWindow steps;
        CZPPopupBar* pPopup = MakePopup(NULL, site.m_hWnd, 2).Detach();
        site.m_answer = [&](UINT message, WPARAM, LPARAM) -> LRESULT {
            if (message == c.nMessage && pPopup != NULL) {
                CZPPopupBar* pDrop = pPopup;
                pPopup = NULL;
                if (c.bDestroySite)
                    ::DestroyWindow(site.m_hWnd);
                pDrop->InternalRelease();
            }
            return 0;
        };
        CZPPopupBar* pTracked = pPopup;
        steps.Post([&] {
            if (pPopup == NULL && pTracked->GetSafeHwnd() != NULL)
                pTracked->EndTracking();  // alive through the call even when released
        });
        steps.Post([&] {
            if (pPopup != NULL)
                pPopup->EndTracking();
        });
        ZpTrackPopupBar(pTracked, TPM_RETURNCMD, 30, 30, CWnd::FromHandle(site.m_hWnd));
        site.m_answer = nullptr;
        if (pPopup != NULL)
            pPopup->InternalRelease();
        Pump();
    }
}

TEST_F(PopupBarTest, UnknownFlagsAndANonRecursiveTrackFromInsideAPopup)
{
    CTestSite site;
    CStepWindow steps;
    CRefPtr<CZPPopupBar> outer = MakePopup(NULL, site.m_hWnd, 2);
    CRefPtr<CZPPopupBar> inner = MakePopup(NULL, site.m_hWnd, 2);
    int nInner = -1;
    // Inside the outer popup, a plain track closes it first and still returns its own command.
    steps.Post([&] {
        steps.Post([&] { inner->ControlAt(1)->Execute(); });
        nInner = ZpTrackPopupBar(inner.Get(), TPM_RETURNCMD | 0x80000000u, 60, 60, CWnd::FromHandle(site.m_hWnd));
        EXPECT_EQ(0, outer->GetTrackingMode());
    });
    EXPECT_EQ(0, ZpTrackPopupBar(outer.Get(), TPM_RETURNCMD | 0x40000, 20, 20, CWnd::FromHandle(site.m_hWnd)));
    EXPECT_EQ(101, nInner);
    EXPECT_EQ(0, ZpMouseManager()->GetTrackedCount());
}

}  // namespace

namespace {

TEST_F(PopupBarTest, APopupToolBarLaysItsControlsOutInsideItsBorders)
{
    CTestSite site;
    CRefPtr<CZPPopupToolBar> bar = CRefPtr<CZPPopupToolBar>::Adopt(ZpCreatePopupToolBar(NULL));
    bar->SetSiteWindow(site.m_hWnd);
    for (int i = 0; i < 3; ++i)
        bar->GetControls()->AddControl(new CTestControl, 100 + i);
    EXPECT_EQ(zpBarTypeNormal, bar->GetType());
    ASSERT_TRUE(bar->Popup(40, 40, NULL));
    const CRect rcBorders = bar->GetBorders();
    EXPECT_EQ(CRect(2, 4, 2, 4), rcBorders);
    EXPECT_EQ(rcBorders.left, bar->ControlAt(0)->GetRect().left);
    EXPECT_EQ(rcBorders.top, bar->ControlAt(0)->GetRect().top);
    CRect rcClient;
    ::GetClientRect(bar->GetSafeHwnd(), &rcClient);
    for (int i = 0; i < 3; ++i) {
        EXPECT_LE(bar->ControlAt(i)->GetRect().right, rcClient.right - rcBorders.right);
        EXPECT_LE(bar->ControlAt(i)->GetRect().bottom, rcClient.bottom - rcBorders.bottom);
    }
    bar->EndTracking();
}

}  // namespace

namespace {

// The popup's keys survive an archive; damaged borders load as the default ones.
TEST(PopupBarKeysTest, RoundTripAndDamagedBorders)
{
    struct Case
    {
        const char* name;
        CRect rcStored;
        CRect rcLoaded;
    } cases[] = { { "kept", CRect(1, 2, 3, 5), CRect(1, 2, 3, 5) },
                  { "negative", CRect(-5, 4, 2, 4), CRect(2, 4, 2, 4) },
                  { "huge", CRect(2, 4, 100000, 4), CRect(2, 4, 2, 4) } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRefPtr<CZPPopupBar> stored = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(NULL));
        stored->SetTearOffPopup(L"Tools", 4321, TRUE, 150);
        stored->SetBorders(c.rcStored);
        stored->SetShowShadow(FALSE);
        stored->SetContextMenu(TRUE);
        stored->SetDoubleGripper(TRUE);
        Bytes bytes = StoreBytes([&](CArchive& ar) {
            CZPPropExchangeArchive px(ar);
            px.SetSchema(ZP_COMMANDBARS_SCHEMA);
            stored->ExchangeProperties(&px);
        });
        CRefPtr<CZPPopupBar> loaded = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(NULL));
        LoadBytes(bytes, [&](CArchive& ar) {
            CZPPropExchangeArchive px(ar);
            px.SetSchema(ZP_COMMANDBARS_SCHEMA);
            loaded->ExchangeProperties(&px);
        });
        EXPECT_TRUE(loaded->IsTearOff());
        EXPECT_EQ(c.rcLoaded, loaded->GetBorders());
        EXPECT_FALSE(loaded->GetShowShadow());
        EXPECT_TRUE(loaded->IsContextMenu());
        EXPECT_TRUE(loaded->IsDoubleGripper());
    }
    // A width hint out of range is clamped.
    CRefPtr<CZPPopupBar> popup = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(NULL));
    popup->SetTearOffPopup(L"x", 1, TRUE, -7);
    EXPECT_EQ(0, popup->GetTearOffWidth());
}

}  // namespace

namespace {

// With command bars the torn-off toolbar is theirs; a bar found under the tear-off id is reused
// only when it was torn off itself.
TEST_F(TearOffTest, ADamagedIdNamingTheMenuBarDoesNotFloatIt)
{
    CZPCommandBars* pCommandBars = new CZPCommandBars;
    pCommandBars->SetSite(m_site.m_hWnd);
    CZPToolBar* pMenuBar = pCommandBars->CreateToolBar(L"Menu Bar", zpBarFloating, RUNTIME_CLASS(CZPMenuBar));
    ASSERT_TRUE(pMenuBar != NULL);
    const int nPosition = pMenuBar->GetPosition();
    pMenuBar->ShowWindow(SW_HIDE);
    m_popup = MakePopup(pCommandBars, m_site.m_hWnd, 3);
    m_popup->SetTearOffPopup(L"Torn", ZP_MENUBAR_ID, TRUE, 0);
    ASSERT_TRUE(m_popup->Popup(100, 100, NULL));
    HWND hWndPopup = m_popup->GetSafeHwnd();
    PostMove(300, 300);
    ::PostMessageW(hWndPopup, WM_LBUTTONUP, 0, MAKELPARAM(300, 300));
    TearOff();
    CZPToolBar* pTorn = m_popup->GetTornOffBar();
    ASSERT_TRUE(pTorn != NULL);
    EXPECT_NE(pMenuBar, pTorn);
    EXPECT_TRUE(pTorn->IsTornOff());
    for (int nId = 100; nId < 103; ++nId)  // the copies, beside the floating bar's own buttons
        EXPECT_TRUE(pTorn->GetControls()->FindControlById(nId) != NULL) << nId;
    EXPECT_EQ(nPosition, pMenuBar->GetPosition());
    EXPECT_FALSE(::IsWindowVisible(pMenuBar->GetSafeHwnd()));
    EXPECT_EQ(2, pCommandBars->GetCount());
    m_popup.Reset();
    pCommandBars->InternalRelease();
}

}  // namespace
