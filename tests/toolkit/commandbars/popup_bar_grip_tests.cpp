// The resize grip of a popup holding a resizable gallery: the loop, driven by posted steps, its
// limits and ends, and the grip's drawing read back from a DIB.
#include "commandbars_test_support.h"
#include "paint_manager_pixels.h"

#include "commandbars/ZPControlAction.h"
#include "commandbars/ZPControlGallery.h"
#include "commandbars/ZPControlGalleryItems.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPScrollBarPaintManager.h"
#include "common/ZPSystemHelpers.h"

namespace {

const int kGalleryId = 901;
const int kGalleryWidth = 120;
const int kGalleryHeight = 60;
const CSize kItemSize(40, 20);
// Colour indices of the grip's dots.
const int kGripDark = 38;

// Ends a loop whose awaited input never came, so that a failure cannot hang the run.
HWND g_hWndGuarded = NULL;
void CALLBACK ReleaseGuarded(HWND, UINT, UINT_PTR, DWORD)
{
    ::PostMessageW(g_hWndGuarded, WM_LBUTTONUP, 0, 0);
}
const UINT kGuardMs = 5000;

class PopupGripTest : public CommandBarsTest
{
protected:
    // Opens a popup at (x, y) holding one gallery of six items with the given resize mode.
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        m_items->SetItemSize(kItemSize);
        for (int i = 0; i < 6; ++i)
            m_items->AddItem(i + 1, L"item");
        m_actions->Add(kGalleryId)->SetItems(m_items.Get());
    }
    void Open(int nResizable, CPoint ptAnchor = CPoint(100, 100))
    {
        CZPControlAction* pAction = m_actions->FindAction(kGalleryId);
        m_popup = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(NULL));
        m_popup->SetSiteWindow(m_site.m_hWnd);
        m_pGallery = static_cast<CZPControlGallery*>(m_popup->GetControls()->Append(new CZPControlGallery));
        m_pGallery->SetAction(pAction);
        m_pGallery->SetWidth(kGalleryWidth);
        m_pGallery->SetHeight(kGalleryHeight);
        m_pGallery->SetResizable(nResizable);
        ASSERT_TRUE(m_popup->Popup(ptAnchor.x, ptAnchor.y, NULL));
        ASSERT_EQ(nResizable, m_popup->GetGripMode());
        m_rcStart = WindowRect();
    }
    void Close()
    {
        if (m_popup && m_popup->GetTrackingMode() != 0)
            m_popup->EndTracking();
        m_popup.Reset();
        m_pGallery = NULL;
    }
    void TearDown() override
    {
        Close();
        CommandBarsTest::TearDown();
    }
    CRect WindowRect() const
    {
        CRect rc;
        ::GetWindowRect(m_popup->GetSafeHwnd(), &rc);
        return rc;
    }
    // A client point inside the part of the grip that starts a resize.
    CPoint GripPoint() const
    {
        const CRect rc = m_popup->GetGripRect();
        return CPoint(rc.right - 2, rc.top + 2);
    }
    void PostMouse(UINT message, CPoint pt)
    {
        ::PostMessageW(m_popup->GetSafeHwnd(), message, message == WM_MOUSEMOVE ? MK_LBUTTON : 0,
                       MAKELPARAM(pt.x, pt.y));
    }
    void PostDrag(int dx, int dy) { PostMouse(WM_MOUSEMOVE, GripPoint() + CSize(dx, dy)); }
    void PostKey(UINT vk) { ::PostMessageW(m_popup->GetSafeHwnd(), WM_KEYDOWN, vk, 1); }
    CSize GallerySize() const { return CSize(m_pGallery->GetWidth(), m_pGallery->GetHeight()); }

    CProcessPaintManagerScope m_scope;  // first: the process-wide paint manager goes last
    CTestSite m_site;
    CTestStepWindow m_steps;
    CRefPtr<CZPControlActions> m_actions = CRefPtr<CZPControlActions>::Adopt(new CZPControlActions(NULL));
    CRefPtr<CZPControlGalleryItems> m_items = CRefPtr<CZPControlGalleryItems>::Adopt(new CZPControlGalleryItems);
    CRefPtr<CZPPopupBar> m_popup;
    CZPControlGallery* m_pGallery = NULL;  // borrowed from the popup's controls
    CRect m_rcStart;
};

}  // namespace

// Each mode sizes only its own dimensions; the window keeps its top-left, the gallery is laid out
// at the new size and the button's release keeps it.
TEST_F(PopupGripTest, DraggingSizesTheGalleryByTheGripModeAndTheReleaseKeepsIt)
{
    const struct
    {
        int nMode;
        CSize szGrowth;
    } cases[] = { { 3, CSize(30, 20) }, { 1, CSize(30, 0) }, { 2, CSize(0, 20) } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nMode);
        Open(c.nMode);
        HWND hWnd = m_popup->GetSafeHwnd();
        CZPMouseManager* pMouse = ZpMouseManager();
        const int nModalBefore = pMouse->GetModalCounter();
        const CRect rcGripBefore = m_popup->GetGripRect();
        // Two items to a row; thirty pixels more make room for a third.
        EXPECT_NE(m_pGallery->GetPosition(0).rcItem.top, m_pGallery->GetPosition(2).rcItem.top);
        BOOL bStepRan = FALSE;
        PostDrag(30, 20);
        m_steps.Post([&] {
            bStepRan = TRUE;
            EXPECT_TRUE(m_popup->IsResizing());
            EXPECT_EQ(hWnd, ::GetCapture());
            EXPECT_EQ(nModalBefore + 1, pMouse->GetModalCounter());
            EXPECT_EQ(CSize(kGalleryWidth, kGalleryHeight) + c.szGrowth, GallerySize());
            EXPECT_EQ(GallerySize(), m_pGallery->GetRect().Size());
            const CRect rc = WindowRect();
            EXPECT_EQ(m_rcStart.TopLeft(), rc.TopLeft());
            EXPECT_EQ(m_rcStart.Size() + c.szGrowth, rc.Size());
            // The grip follows the new bottom edge; the items follow the new width.
            EXPECT_EQ(rcGripBefore.top + c.szGrowth.cy, m_popup->GetGripRect().top);
            EXPECT_EQ(c.szGrowth.cx > 0,
                      m_pGallery->GetPosition(0).rcItem.top == m_pGallery->GetPosition(2).rcItem.top);
        });
        PostMouse(WM_LBUTTONUP, GripPoint() + CSize(30, 20));
        m_popup->TrackResize(GripPoint());
        EXPECT_TRUE(bStepRan);
        EXPECT_FALSE(m_popup->IsResizing());
        EXPECT_EQ(nModalBefore, pMouse->GetModalCounter());
        EXPECT_NE(hWnd, ::GetCapture());
        EXPECT_NE(0, m_popup->GetTrackingMode());
        EXPECT_EQ(CSize(kGalleryWidth, kGalleryHeight) + c.szGrowth, GallerySize());
        EXPECT_EQ(m_rcStart.Size() + c.szGrowth, WindowRect().Size());
        Close();
    }
}

// Escape restores the size the drag started from; the tracking key goes to the loop instead of
// closing the menu.
TEST_F(PopupGripTest, EscapeRestoresTheOriginalSize)
{
    Open(3);
    BOOL bStepRan = FALSE;
    PostDrag(40, 25);
    m_steps.Post([&] {
        bStepRan = TRUE;
        EXPECT_EQ(CSize(kGalleryWidth + 40, kGalleryHeight + 25), GallerySize());
        EXPECT_EQ(zpKeyNotHandled, m_popup->ProcessTrackingKey(VK_ESCAPE, 1));
        EXPECT_NE(0, m_popup->GetTrackingMode());
    });
    PostKey(VK_ESCAPE);
    m_popup->TrackResize(GripPoint());
    EXPECT_TRUE(bStepRan);
    EXPECT_FALSE(m_popup->IsResizing());
    EXPECT_EQ(CSize(kGalleryWidth, kGalleryHeight), GallerySize());
    EXPECT_EQ(m_rcStart, WindowRect());
    EXPECT_EQ(CSize(kGalleryWidth, kGalleryHeight), m_pGallery->GetRect().Size());
    EXPECT_NE(0, m_popup->GetTrackingMode());
}

// Losing the capture ends the loop with the size reached; WM_QUIT ends it and is posted again.
TEST_F(PopupGripTest, CaptureLossAndQuitEndTheLoop)
{
    const struct
    {
        const char* name;
        std::function<void()> end;
        BOOL bQuit;
    } cases[] = { { "capture lost", [] { ::ReleaseCapture(); }, FALSE },
                  { "quit", [] { ::PostQuitMessage(7); }, TRUE } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open(3);
        PostDrag(10, 10);
        m_steps.Post(c.end);
        m_popup->TrackResize(GripPoint());
        EXPECT_FALSE(m_popup->IsResizing());
        EXPECT_EQ(CSize(kGalleryWidth + 10, kGalleryHeight + 10), GallerySize());
        MSG msg;
        EXPECT_EQ(c.bQuit, ::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
        if (c.bQuit)
            EXPECT_EQ(7u, msg.wParam);
        Close();
    }
}

// The gallery never goes below one item inside its borders (at least 32 high), and the window never
// grows past the work area: near its corner the gallery gives the excess back.
TEST_F(PopupGripTest, SizesStayBetweenOneItemAndTheWorkArea)
{
    const CRect rcWork = ZpMonitorHelperInstance().WorkAreaAtPoint(CPoint(100, 100));
    Open(3, CPoint(rcWork.right - 200, rcWork.bottom - 150));
    const int cxScrollBar = ZpGetPaintManager()->GetGalleryPaintManager()->m_cxVScroll;
    const CSize szMin(cxScrollBar + kItemSize.cx, 32);
    EXPECT_EQ(szMin, CSize(m_pGallery->GetCustomizeMinWidth(), m_pGallery->GetCustomizeMinHeight()));
    int nSteps = 0;
    PostDrag(-1000, -1000);
    m_steps.Post([&] {
        ++nSteps;
        EXPECT_EQ(szMin, GallerySize());
        EXPECT_EQ(m_rcStart.TopLeft(), WindowRect().TopLeft());
    });
    PostDrag(5000, 5000);
    m_steps.Post([&] {
        ++nSteps;
        const CRect rc = WindowRect();
        EXPECT_EQ(CRect(m_rcStart.TopLeft(), rcWork.BottomRight()), rc)
            << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom << " work " << rcWork.right << ","
            << rcWork.bottom << " start " << m_rcStart.left << "," << m_rcStart.top;
        EXPECT_EQ(m_pGallery->GetRect().Size(), GallerySize());
        EXPECT_FALSE(m_popup->IsScrolling());
    });
    PostMouse(WM_LBUTTONUP, CPoint(0, 0));
    m_popup->TrackResize(GripPoint());
    EXPECT_EQ(2, nSteps);
}

// A right-to-left popup keeps its top-right corner and mirrors the horizontal movement.
TEST_F(PopupGripTest, RightToLeftKeepsTheTopRight)
{
    ::SetWindowLongW(m_site.m_hWnd, GWL_EXSTYLE, ::GetWindowLongW(m_site.m_hWnd, GWL_EXSTYLE) | WS_EX_LAYOUTRTL);
    Open(3, CPoint(400, 100));
    ASSERT_NE(0, ::GetWindowLongW(m_popup->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
    // Mirrored client coordinates: the far end where the dots are drawn lies at the screen's left.
    const CPoint ptGrip = GripPoint();
    ASSERT_TRUE(m_popup->HitTestGrip(ptGrip));
    const CPoint ptNearEnd(m_popup->GetGripRect().left + 1, ptGrip.y);
    EXPECT_FALSE(m_popup->HitTestGrip(ptNearEnd));
    POINT ptScreen = ptGrip, ptNearScreen = ptNearEnd;
    ::ClientToScreen(m_popup->GetSafeHwnd(), &ptScreen);
    ::ClientToScreen(m_popup->GetSafeHwnd(), &ptNearScreen);
    EXPECT_LT(ptScreen.x, ptNearScreen.x);
    // Client x grows leftwards on the screen: the popup widens to the left.
    PostMouse(WM_MOUSEMOVE, ptGrip + CSize(30, 20));
    PostMouse(WM_LBUTTONUP, ptGrip + CSize(30, 20));
    m_popup->TrackResize(ptGrip);
    EXPECT_EQ(CSize(kGalleryWidth + 30, kGalleryHeight + 20), GallerySize());
    const CRect rc = WindowRect();
    EXPECT_EQ(m_rcStart.right, rc.right);
    EXPECT_EQ(m_rcStart.top, rc.top);
    EXPECT_EQ(m_rcStart.Width() + 30, rc.Width());
}

// A press on the resize part of the grip runs the loop; a press elsewhere on the grip does not.
TEST_F(PopupGripTest, APressOnTheGripRunsTheLoop)
{
    Open(3);
    HWND hWnd = m_popup->GetSafeHwnd();
    BOOL bResizing = FALSE;
    m_steps.Post([&] { bResizing = m_popup->IsResizing(); });
    PostMouse(WM_LBUTTONUP, GripPoint());
    ::SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(GripPoint().x, GripPoint().y));
    EXPECT_TRUE(bResizing);
    MSG msg;
    EXPECT_FALSE(::PeekMessageW(&msg, hWnd, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE));

    const CPoint ptNearEnd(m_popup->GetGripRect().left + 1, m_popup->GetGripRect().top + 1);
    ASSERT_FALSE(m_popup->HitTestGrip(ptNearEnd));
    PostMouse(WM_LBUTTONUP, ptNearEnd);
    ::SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptNearEnd.x, ptNearEnd.y));
    EXPECT_TRUE(::PeekMessageW(&msg, hWnd, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE));
}

// The popup destroyed, the menu closed and released, or the gallery taken away while the loop runs:
// the loop ends and touches nothing gone.
TEST_F(PopupGripTest, ThePopupOrTheGalleryGoingAwayEndsTheLoop)
{
    const struct
    {
        const char* name;
        std::function<void()> drop;
    } cases[] = {
        { "popup destroyed", [this] { m_popup->DestroyWindow(); } },
        { "menu closed and released",
          [this] {
              m_popup->EndTracking();
              m_popup.Reset();
          } },
        { "gallery removed", [this] { m_popup->GetControls()->Remove(m_pGallery); } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open(3);
        CZPPopupBar* pPopup = m_popup.Get();
        const int nModalBefore = ZpMouseManager()->GetModalCounter();
        PostDrag(10, 10);
        m_steps.Post(c.drop);
        PostDrag(20, 20);
        BOOL bEnded = FALSE;
        m_steps.Post([&] { bEnded = TRUE; });
        // Ends the loop should the drop not have.
        if (m_popup)
            PostMouse(WM_LBUTTONUP, GripPoint());
        pPopup->TrackResize(GripPoint());
        EXPECT_FALSE(bEnded);  // ended before the last step, which the outer loop runs
        EXPECT_EQ(nModalBefore, ZpMouseManager()->GetModalCounter());
        MSG msg;
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
        EXPECT_TRUE(bEnded);
        if (m_popup)
            EXPECT_FALSE(m_popup->IsResizing());
        Close();
    }
}

// The paint manager draws the grip's dots at the popup's bottom: a corner grip, or a row of dots
// in the middle for a height-only grip; after a resize they follow the new bottom edge.
TEST_F(PopupGripTest, TheGripIsDrawnAtTheBottomAndFollowsTheResize)
{
    const struct
    {
        int nMode;
        std::function<std::vector<CPoint>(const CRect&)> darkDots;
    } cases[] = {
        { 3,
          [](const CRect& g) {
              return std::vector<CPoint>{ { g.right - 4, g.bottom - 4 },
                                          { g.right - 8, g.bottom - 4 },
                                          { g.right - 4, g.bottom - 8 } };
          } },
        { 2,
          [](const CRect& g) {
              const int c = (g.left + g.right) / 2;
              return std::vector<CPoint>{
                  { c - 8, g.top + 3 }, { c - 4, g.top + 3 }, { c, g.top + 3 }, { c + 4, g.top + 3 }
              };
          } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nMode);
        Open(c.nMode);
        const COLORREF dark = ZpGetPaintManager()->GetColor(kGripDark);
        auto checkGrip = [&] {
            CRect rcClient;
            ::GetClientRect(m_popup->GetSafeHwnd(), &rcClient);
            CDibSection dib(rcClient.Width(), rcClient.Height());
            ::SendMessageW(m_popup->GetSafeHwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.GetDC()), PRF_CLIENT);
            const CRect rcGrip = m_popup->GetGripRect();
            int nDark = 0;
            for (int y = rcGrip.top; y < rcGrip.bottom; ++y)
                for (int x = rcGrip.left; x < rcGrip.right; ++x)
                    nDark += dib.GetPixel(x, y) == dark;
            const std::vector<CPoint> dots = c.darkDots(rcGrip);
            EXPECT_EQ(static_cast<int>(dots.size()) * 4, nDark);
            for (const CPoint& pt : dots) {
                EXPECT_EQ(dark, dib.GetPixel(pt.x, pt.y)) << pt.x << "," << pt.y;
                EXPECT_EQ(dark, dib.GetPixel(pt.x + 1, pt.y + 1)) << pt.x << "," << pt.y;
            }
        };
        checkGrip();
        PostDrag(0, 24);
        m_steps.Post(checkGrip);
        PostMouse(WM_LBUTTONUP, GripPoint());
        const int nGripTop = m_popup->GetGripRect().top;
        m_popup->TrackResize(GripPoint());
        EXPECT_EQ(nGripTop + 24, m_popup->GetGripRect().top);
        Close();
    }
}

// A typed Escape passes the popup's keyboard hook on to the loop: the size comes back and the menu
// stays open.
TEST_F(PopupGripTest, ATypedEscapePassesTheKeyboardHookToTheLoop)
{
    ::ShowWindow(m_site.m_hWnd, SW_SHOW);
    ::SetForegroundWindow(m_site.m_hWnd);
    ::SetFocus(m_site.m_hWnd);
    Open(3);
    BOOL bMoved = FALSE;
    PostDrag(25, 15);
    m_steps.Post([&] {
        bMoved = GallerySize() == CSize(kGalleryWidth + 25, kGalleryHeight + 15);
        ZpTestSendKey(VK_ESCAPE);
        ZpTestSendKey(VK_ESCAPE, KEYEVENTF_KEYUP);
    });
    g_hWndGuarded = m_popup->GetSafeHwnd();
    const UINT_PTR nGuard = ::SetTimer(NULL, 0, kGuardMs, ReleaseGuarded);
    m_popup->TrackResize(GripPoint());
    ::KillTimer(NULL, nGuard);
    EXPECT_TRUE(bMoved);
    EXPECT_NE(0, m_popup->GetTrackingMode());
    EXPECT_EQ(CSize(kGalleryWidth, kGalleryHeight), GallerySize());
    EXPECT_EQ(m_rcStart, WindowRect());
    ::ShowWindow(m_site.m_hWnd, SW_HIDE);
}
