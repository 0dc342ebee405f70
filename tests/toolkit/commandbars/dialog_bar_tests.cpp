// Dialog bars: sizes from client sizes, the caption band, the child's place, edges and resizing.
#include "commandbars_test_support.h"
#include "toolbar_test_support.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPDialogBar.h"
#include "commandbars/ZPDockContext.h"

namespace {

const DWORD kHorzDocked = ZP_LM_HORZ | ZP_LM_HORZDOCK | ZP_LM_COMMIT;
// The test theme's caption: an 8-pixel strip, 15 pixels high.
const CSize kCaption(8, 15);

class DialogBarTest : public CommandBarsTest
{
protected:
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        m_theme->m_szGripper = kCaption;
        m_commandBars.SetSite(m_frame.m_hWnd);
        m_commandBars.CreateDockBars();
    }
    void TearDown() override
    {
        m_commandBars.RemoveAll();
        CommandBarsTest::TearDown();
    }
    CZPDialogBar* NewBar(int nPosition)
    {
        CZPToolBar* pBar = m_commandBars.CreateToolBar(L"Tools", nPosition, RUNTIME_CLASS(CZPDialogBar));
        if (pBar == NULL)
            return NULL;
        pBar->SetPaintManager(m_theme.Get());
        return static_cast<CZPDialogBar*>(pBar);
    }
    // A floating bar at (200, 200) of its floating size, hosting a static child.
    CZPDialogBar* NewFloatingBarWithChild(HWND* phWndChild)
    {
        CZPDialogBar* pBar = NewBar(zpBarFloating);
        *phWndChild = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, pBar->GetSafeHwnd(),
                                        NULL, ::GetModuleHandleW(NULL), NULL);
        pBar->SetChild(*phWndChild);
        const CSize size = pBar->ComputeBarSize(-1, ZP_LM_HORZ | ZP_LM_COMMIT);
        ::SetWindowPos(pBar->GetSafeHwnd(), NULL, 200, 200, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        return pBar;
    }
    static CRect WindowRect(HWND hWnd)
    {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        return rc;
    }
    static CRect ChildRectInBar(CZPDialogBar* pBar, HWND hWndChild)
    {
        CRect rc = WindowRect(hWndChild);
        ::MapWindowPoints(NULL, pBar->GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    LRESULT HitTest(CZPDialogBar* pBar, int x, int y)
    {
        return ::SendMessageW(pBar->GetSafeHwnd(), WM_NCHITTEST, 0, MAKELPARAM(x, y));
    }

    CTestFrame m_frame;
    CGripperThemeRef m_theme;
    CZPCommandBars m_commandBars;
};

TEST_F(DialogBarTest, SizeComesFromTheClientSizeMarginsAndCaption)
{
    struct Case
    {
        BOOL bCaption;
        int nLength;
        DWORD dwMode;
        CSize expect;
        int nBand;
    } cases[] = {
        // 3 + 200 + 3 wide; 3 + 15 + 200 + 3 high; the band is the top margin plus the caption.
        { TRUE, 1000, kHorzDocked, CSize(206, 221), 18 },
        // With a caption a horizontal length limits the width, any other the height.
        { TRUE, 100, kHorzDocked, CSize(100, 221), 18 },
        { TRUE, 150, ZP_LM_VERTDOCK, CSize(206, 150), 18 },
        { TRUE, 500, kHorzDocked | ZP_LM_STRETCH, CSize(500, 221), 18 },
        // A negative length limits nothing.
        { TRUE, -1, kHorzDocked, CSize(206, 221), 18 },
        // Without a caption the length only stretches.
        { FALSE, 100, kHorzDocked, CSize(206, 206), 0 },
        { FALSE, 400, ZP_LM_VERTDOCK | ZP_LM_STRETCH, CSize(206, 400), 0 },
        { FALSE, 400, kHorzDocked | ZP_LM_STRETCH, CSize(400, 206), 0 },
    };
    for (const Case& c : cases) {
        CZPDialogBar* pBar = new CZPDialogBar;
        pBar->SetPaintManager(m_theme.Get());
        pBar->ShowCaption(c.bCaption);
        EXPECT_EQ(c.expect, pBar->CalcDockedSize(c.nLength, c.dwMode, 0)) << c.nLength;
        EXPECT_EQ(c.nBand, pBar->GetCaptionBandHeight()) << c.nLength;
        CZPControl* pHide = pBar->GetControls()->FindControlById(ZP_ID_TOOLBAR_HIDE);
        EXPECT_EQ(c.bCaption, pHide != NULL && pHide->IsVisible()) << c.nLength;
        pBar->InternalRelease();
    }
}

TEST_F(DialogBarTest, CaptionBandHoldsTheCaptionControlAndTheHideButton)
{
    CZPDialogBar* pBar = new CZPDialogBar;
    pBar->SetPaintManager(m_theme.Get());
    pBar->SetTitle(L"Tools");
    EXPECT_TRUE(pBar->IsDialogBar());
    EXPECT_FALSE(pBar->IsCustomizable());
    pBar->CalcDockedSize(1000, kHorzDocked, 0);
    CZPControl* pHide = pBar->GetControls()->FindControlById(ZP_ID_TOOLBAR_HIDE);
    CZPControl* pCaption = pBar->GetControls()->FindControlById(ZP_ID_DIALOGBAR_CAPTION);
    ASSERT_NE(nullptr, pHide);
    ASSERT_NE(nullptr, pCaption);
    EXPECT_TRUE(pHide->IsKindOf(&CZPDialogBar::CControlButtonHide::classCControlButtonHide));
    EXPECT_EQ(26u, pHide->GetFlags());
    EXPECT_EQ(30u, pCaption->GetFlags());
    EXPECT_TRUE(pHide->IsTemporary());
    EXPECT_TRUE(pCaption->IsTemporary());
    // 16 x 16 at the band's right end, centred on 3 + 15 / 2; the caption from the strip to it.
    EXPECT_EQ(CRect(187, 2, 203, 18), pHide->GetRect());
    EXPECT_EQ(CRect(11, 2, 187, 18), pCaption->GetRect());
    EXPECT_EQ(CString(L"Tools"), pCaption->GetCaption());
    pBar->SetCaption(L"Properties");
    EXPECT_EQ(CString(L"Properties"), pCaption->GetCaption());
    pBar->SetCaption(L"");
    EXPECT_EQ(CString(L"Tools"), pCaption->GetCaption());

    // A bar that cannot close hides the button and gives its room to the caption.
    pBar->SetCloseable(FALSE);
    pBar->CalcDockedSize(1000, kHorzDocked, 0);
    EXPECT_FALSE(pHide->IsVisible());
    EXPECT_EQ(CRect(11, 2, 203, 18), pCaption->GetRect());

    // The caption opens nothing while its popup is empty or disabled.
    CZPControlPopup* pPopupControl = static_cast<CZPControlPopup*>(pCaption);
    EXPECT_EQ(pBar->GetCaptionPopupBar(), pPopupControl->GetCommandBar());
    EXPECT_FALSE(pPopupControl->SetPopuped(TRUE));
    AddTestControls(pBar->GetCaptionPopupBar(), 1);
    pBar->EnableCaptionPopup(FALSE);
    EXPECT_FALSE(pPopupControl->SetPopuped(TRUE));
    EXPECT_FALSE(pPopupControl->IsPopuped());
    pBar->InternalRelease();
}

TEST_F(DialogBarTest, NegativeSizesCountAsZero)
{
    CZPDialogBar* pBar = new CZPDialogBar;
    pBar->SetPaintManager(m_theme.Get());
    pBar->SetDockedClientSize(CSize(-10, -20));
    pBar->SetMargins(CRect(-5, 3, 3, 3));
    EXPECT_EQ(CSize(0, 0), pBar->GetDockedClientSize());
    EXPECT_EQ(CSize(3, 21), pBar->CalcDockedSize(1000, kHorzDocked, 0));
    pBar->SetFloatingClientSize(CSize(120, 80));
    EXPECT_EQ(CSize(123, 101), pBar->ComputeBarSize(-1, ZP_LM_HORZ | ZP_LM_COMMIT));
    pBar->InternalRelease();
}

TEST_F(DialogBarTest, ChildFillsTheClientInsideMarginsBelowTheBand)
{
    HWND hWndChild = NULL;
    CZPDialogBar* pBar = NewFloatingBarWithChild(&hWndChild);
    ASSERT_NE(nullptr, pBar);
    EXPECT_EQ(CRect(200, 200, 406, 421), WindowRect(pBar->GetSafeHwnd()));
    EXPECT_EQ(CRect(3, 18, 203, 218), ChildRectInBar(pBar, hWndChild));
    // A window smaller than margins and caption leaves the child empty, not inside out.
    ::SetWindowPos(pBar->GetSafeHwnd(), NULL, 0, 0, 4, 4, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const CRect rcTiny = ChildRectInBar(pBar, hWndChild);
    EXPECT_EQ(0, rcTiny.Width());
    EXPECT_EQ(0, rcTiny.Height());
    // A child destroyed behind the bar's back is left alone.
    ::DestroyWindow(hWndChild);
    ::SetWindowPos(pBar->GetSafeHwnd(), NULL, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(CRect(3, 18, 97, 97), pBar->GetChildRect());
}

TEST_F(DialogBarTest, FloatingEdgesAndCornersResizeAndOnlyTheBandTracks)
{
    HWND hWndChild = NULL;
    CZPDialogBar* pBar = NewFloatingBarWithChild(&hWndChild);
    ASSERT_NE(nullptr, pBar);
    struct Case
    {
        int x, y;
        LRESULT expect;
    } cases[] = {
        { 200, 200, HTTOPLEFT },     { 405, 200, HTTOPRIGHT }, { 200, 420, HTBOTTOMLEFT },
        { 405, 420, HTBOTTOMRIGHT }, { 300, 202, HTTOP },      { 300, 418, HTBOTTOM },
        { 202, 300, HTLEFT },        { 403, 300, HTRIGHT },    { 300, 300, HTCLIENT },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expect, HitTest(pBar, c.x, c.y)) << c.x << ", " << c.y;
    pBar->SetResizable(FALSE);
    EXPECT_EQ(HTCLIENT, HitTest(pBar, 203, 300));
    EXPECT_EQ(1, pBar->ContainsScreenPoint(CPoint(300, 210)));
    EXPECT_EQ(ZP_CONTAINS_NEVER, pBar->ContainsScreenPoint(CPoint(300, 300)));
    EXPECT_EQ(0, pBar->ContainsScreenPoint(CPoint(50, 50)));
}

TEST_F(DialogBarTest, ResizingKeepsTheMinimumClientSize)
{
    HWND hWndChild = NULL;
    CZPDialogBar* pBar = NewFloatingBarWithChild(&hWndChild);
    ASSERT_NE(nullptr, pBar);
    // 56 x 71 is a client of 50 x 50: accepted. One pixel less in either is refused, though the
    // window is wider than the minimum.
    EXPECT_FALSE(pBar->ResizeByEdge(CRect(200, 200, 255, 271), HTBOTTOMRIGHT));
    EXPECT_FALSE(pBar->ResizeByEdge(CRect(200, 200, 256, 270), HTBOTTOMRIGHT));
    EXPECT_EQ(CRect(200, 200, 406, 421), WindowRect(pBar->GetSafeHwnd()));
    EXPECT_TRUE(pBar->ResizeByEdge(CRect(200, 200, 256, 271), HTBOTTOMRIGHT));
    EXPECT_EQ(CSize(50, 50), pBar->GetFloatingClientSize());
    EXPECT_EQ(CRect(200, 200, 256, 271), WindowRect(pBar->GetSafeHwnd()));
    EXPECT_EQ(CRect(3, 18, 53, 68), ChildRectInBar(pBar, hWndChild));

    // The dock context's edge drag goes through the same rule: the corner follows the mouse.
    CStepDriver driver;
    driver.m_steps = {
        [&] { PostMouse(pBar, WM_MOUSEMOVE, CPoint(275, 290)); },
        [&] { PostMouse(pBar, WM_MOUSEMOVE, CPoint(285, 300)); },
        [&] { PostMouse(pBar, WM_LBUTTONUP, CPoint(285, 300)); },
    };
    driver.Start();
    pBar->GetDockContext()->BeginResizeDrag(HTBOTTOMRIGHT, CPoint(255, 270));
    EXPECT_EQ(CSize(80, 80), pBar->GetFloatingClientSize());
    EXPECT_EQ(CRect(200, 200, 286, 301), WindowRect(pBar->GetSafeHwnd()));
}

TEST_F(DialogBarTest, DockedEdgesFollowTheSide)
{
    struct Case
    {
        int nPosition;
        BOOL bStretched;
        // Offsets from the window's edges at which the hit test is asked.
        LRESULT atTop, atBottom, atLeft, atRight;
    } cases[] = {
        { zpBarTop, FALSE, HTCLIENT, HTBOTTOM, HTCLIENT, HTRIGHT },
        { zpBarTop, TRUE, HTCLIENT, HTBOTTOM, HTCLIENT, HTCLIENT },
        { zpBarBottom, FALSE, HTTOP, HTCLIENT, HTCLIENT, HTRIGHT },
        { zpBarLeft, TRUE, HTCLIENT, HTCLIENT, HTCLIENT, HTRIGHT },
        { zpBarRight, FALSE, HTCLIENT, HTBOTTOM, HTLEFT, HTCLIENT },
    };
    for (const Case& c : cases) {
        CZPDialogBar* pBar = NewBar(c.nPosition);
        ASSERT_NE(nullptr, pBar);
        if (c.bStretched)
            pBar->ModifyBarFlags(0, ZP_BAR_FLAG_STRETCHED);
        m_frame.Frame()->RecalcLayout(FALSE);
        const CRect rc = WindowRect(pBar->GetSafeHwnd());
        const CPoint mid = rc.CenterPoint();
        EXPECT_EQ(c.atTop, HitTest(pBar, mid.x, rc.top + 1)) << c.nPosition;
        EXPECT_EQ(c.atBottom, HitTest(pBar, mid.x, rc.bottom - 2)) << c.nPosition;
        EXPECT_EQ(c.atLeft, HitTest(pBar, rc.left + 1, mid.y)) << c.nPosition;
        EXPECT_EQ(c.atRight, HitTest(pBar, rc.right - 2, mid.y)) << c.nPosition;
        m_commandBars.Remove(pBar);
    }
}

TEST_F(DialogBarTest, DockedResizeChangesTheDockedSizeOfThatEdge)
{
    CZPDialogBar* pBar = NewBar(zpBarTop);
    ASSERT_NE(nullptr, pBar);
    m_frame.Frame()->RecalcLayout(FALSE);
    const CRect rc = WindowRect(pBar->GetSafeHwnd());
    EXPECT_EQ(CSize(206, 221), rc.Size());
    CRect rcTaller = rc;
    rcTaller.bottom += 30;
    EXPECT_TRUE(pBar->ResizeByEdge(rcTaller, HTBOTTOM));
    EXPECT_EQ(CSize(200, 230), pBar->GetDockedClientSize());
    CRect rcWider = rc;
    rcWider.right += 40;
    EXPECT_TRUE(pBar->ResizeByEdge(rcWider, HTRIGHT));
    EXPECT_EQ(CSize(240, 230), pBar->GetDockedClientSize());
    m_frame.Frame()->RecalcLayout(FALSE);
    EXPECT_EQ(CSize(246, 251), WindowRect(pBar->GetSafeHwnd()).Size());
}

}  // namespace
