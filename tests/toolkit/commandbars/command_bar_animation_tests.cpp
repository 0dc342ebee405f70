// Bar animation: the cached picture, fades of changed areas driven by posted timer ticks, and
// the repaints that must not fade (nothing changed, off-client, whole bar, resize, destroy).
#include "commandbars_test_support.h"

#include "commandbars/ZPCommandBarAnimation.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPToolBar.h"

namespace {

using CommandBarAnimationTest = CommandBarsTest;

// A control painted in one colour that the test changes.
class CColorControl : public CTestControl
{
public:
    void Draw(CDC* pDC) override { pDC->FillSolidRect(GetRect(), m_clr); }
    COLORREF m_clr = RGB(0, 0, 0);
};

// A shown toolbar in the Default theme with two coloured controls, painted once.
class CAnimatedBar
{
public:
    explicit CAnimatedBar(BOOL bAnimation) : p(new CZPToolBar)
    {
        ZpSetPaintTheme(zpThemeDefault);
        p->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP, 0, 0, 120, 24, NULL, NULL);
        p->SetPosition(zpBarTop);
        p->SetBarStyle(0);
        p->SetAnimationEnabled(bAnimation);
        for (int i = 0; i < 2; i++) {
            controls[i] = new CColorControl;
            p->GetControls()->Append(controls[i]);
            controls[i]->SetRect(CRect(10 + 40 * i, 2, 40 + 40 * i, 22));
        }
        p->ShowWindow(SW_SHOWNOACTIVATE);
        p->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    ~CAnimatedBar()
    {
        if (::IsWindow(p->m_hWnd))
            p->DestroyWindow();
        p->InternalRelease();
        ZpSetPaintManager(NULL);
    }
    CAnimatedBar(const CAnimatedBar&) = delete;
    CAnimatedBar& operator=(const CAnimatedBar&) = delete;

    CZPCommandBarAnimation* Animation() { return p->GetAnimation(); }
    void Tick() { p->SendMessage(WM_TIMER, ZP_TIMER_BAR_ANIMATION, 0); }
    COLORREF Screen(int x, int y)
    {
        HDC hDC = ::GetDC(p->m_hWnd);
        COLORREF clr = ::GetPixel(hDC, x, y);
        ::ReleaseDC(p->m_hWnd, hDC);
        return clr;
    }
    // Changes a control's colour and asks for its animated repaint.
    void Change(int i, COLORREF clr)
    {
        controls[i]->m_clr = clr;
        p->RepaintArea(controls[i]->GetRect(), TRUE);
    }

    CZPToolBar* p;               // one reference
    CColorControl* controls[2];  // held by the bar
};

TEST_F(CommandBarAnimationTest, WithAnimationOffNothingIsCachedOrFaded)
{
    CAnimatedBar bar(FALSE);
    EXPECT_FALSE(bar.Animation()->IsAnimationEnabled());
    EXPECT_FALSE(bar.Animation()->HasCache());
    bar.Change(0, RGB(200, 0, 0));
    EXPECT_EQ(0, bar.Animation()->GetAreaCount());
    EXPECT_EQ(0u, bar.Animation()->GetTimer());
    // The paint manager's switch turns it on as the bar's stored flag does.
    ZpGetPaintManager()->m_bEnableAnimation = TRUE;
    EXPECT_TRUE(bar.Animation()->IsAnimationEnabled());
    ZpGetPaintManager()->m_bEnableAnimation = FALSE;
}

// Without animation bars paint through one shared back buffer: each paint shows its own bar's
// pixels at their places, and a partial paint leaves the rest of the window as it was.
TEST_F(CommandBarAnimationTest, BarsWithoutAnimationPaintTheirOwnPixels)
{
    CAnimatedBar first(FALSE), second(FALSE);
    second.p->SetWindowPos(NULL, 0, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    first.Change(0, RGB(200, 0, 0));
    first.Change(1, RGB(0, 200, 0));
    first.p->UpdateWindow();
    second.Change(0, RGB(0, 0, 200));
    second.Change(1, RGB(200, 200, 0));
    second.p->UpdateWindow();
    // Only the first bar's second control is repainted, after the second bar used the buffer.
    first.Change(1, RGB(0, 100, 100));
    first.p->UpdateWindow();
    EXPECT_EQ(RGB(200, 0, 0), first.Screen(20, 10));
    EXPECT_EQ(RGB(0, 100, 100), first.Screen(60, 10));
    EXPECT_EQ(RGB(0, 0, 200), second.Screen(20, 10));
    EXPECT_EQ(RGB(200, 200, 0), second.Screen(60, 10));
}

TEST_F(CommandBarAnimationTest, AChangeFadesInSixStepsOverFiveTicks)
{
    CAnimatedBar bar(TRUE);
    ASSERT_TRUE(bar.Animation()->HasCache());
    // Nothing changed: no area, no timer.
    bar.p->RepaintArea(bar.controls[0]->GetRect(), TRUE);
    EXPECT_EQ(0, bar.Animation()->GetAreaCount());
    EXPECT_EQ(0u, bar.Animation()->GetTimer());

    const COLORREF kNew = RGB(252, 126, 0);  // over black
    bar.Change(0, kNew);
    ASSERT_EQ(1, bar.Animation()->GetAreaCount());
    EXPECT_NE(0u, bar.Animation()->GetTimer());
    // Step 1 is on screen at once: a = 42 of 255, blended with >> 8.
    const int a = 255 / 6;
    EXPECT_EQ(RGB((252 * a) >> 8, (126 * a) >> 8, 0), bar.Screen(20, 10));
    for (int i = 0; i < 4; i++)
        bar.Tick();
    EXPECT_EQ(1, bar.Animation()->GetAreaCount());
    bar.Tick();
    EXPECT_EQ(0, bar.Animation()->GetAreaCount());
    EXPECT_EQ(0u, bar.Animation()->GetTimer());
    EXPECT_EQ(kNew, bar.Screen(20, 10));
}

TEST_F(CommandBarAnimationTest, ADirectRepaintIsExcludedFromAnOlderFade)
{
    CAnimatedBar bar(TRUE);
    // One fade over both controls, then the second control painted directly.
    bar.controls[0]->m_clr = RGB(10, 10, 10);
    bar.controls[1]->m_clr = RGB(20, 20, 20);
    bar.p->RepaintArea(CRect(0, 0, 120, 24), TRUE);
    ASSERT_EQ(1, bar.Animation()->GetAreaCount());
    bar.controls[1]->m_clr = RGB(0, 0, 250);
    bar.p->RepaintArea(bar.controls[1]->GetRect(), FALSE);
    ASSERT_EQ(1, bar.Animation()->GetAreaCount());
    ASSERT_EQ(1u, bar.Animation()->GetArea(0)->m_arrExclusions.size());
    EXPECT_EQ(bar.controls[1]->GetRect(), bar.Animation()->GetArea(0)->m_arrExclusions[0]);
    bar.Tick();
    EXPECT_EQ(RGB(0, 0, 250), bar.Screen(60, 10));
    // A newer fade over the whole of an older one replaces it.
    bar.controls[0]->m_clr = RGB(90, 90, 90);
    bar.controls[1]->m_clr = RGB(80, 80, 80);
    bar.p->RepaintArea(CRect(0, 0, 120, 24), TRUE);
    EXPECT_EQ(1, bar.Animation()->GetAreaCount());
    EXPECT_EQ(2, bar.Animation()->GetArea(0)->m_nStep);  // its first step already drawn
}

TEST_F(CommandBarAnimationTest, RepaintsThatMustNotFade)
{
    CAnimatedBar bar(TRUE);
    // Outside the client area or empty: nothing at all.
    bar.controls[0]->m_clr = RGB(1, 200, 1);
    bar.p->RepaintArea(CRect(300, 300, 400, 400), TRUE);
    bar.p->RepaintArea(CRect(20, 10, 20, 10), TRUE);
    bar.p->RepaintArea(CRect(-50, -50, -10, -10), TRUE);
    EXPECT_EQ(0, bar.Animation()->GetAreaCount());
    EXPECT_EQ(0u, bar.Animation()->GetTimer());

    // The whole bar mid-fade: the cache goes, and the fades with it.
    bar.Change(0, RGB(200, 0, 0));
    ASSERT_EQ(1, bar.Animation()->GetAreaCount());
    bar.p->RepaintArea(NULL, FALSE);
    EXPECT_EQ(0, bar.Animation()->GetAreaCount());
    EXPECT_EQ(0u, bar.Animation()->GetTimer());
    EXPECT_FALSE(bar.Animation()->HasCache());
    bar.p->UpdateWindow();
    EXPECT_TRUE(bar.Animation()->HasCache());

    // Resized mid-fade: the next tick drops the fade, the next paint rebuilds the cache.
    bar.Change(0, RGB(0, 200, 0));
    ASSERT_EQ(1, bar.Animation()->GetAreaCount());
    bar.p->SetWindowPos(NULL, 0, 0, 80, 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    bar.Tick();
    EXPECT_EQ(0, bar.Animation()->GetAreaCount());
    EXPECT_EQ(0u, bar.Animation()->GetTimer());
    bar.p->UpdateWindow();
    EXPECT_TRUE(bar.Animation()->HasCache());

    // Destroyed mid-fade: the fade and the cache go with the window.
    bar.Change(0, RGB(0, 0, 200));
    ASSERT_EQ(1, bar.Animation()->GetAreaCount());
    bar.p->DestroyWindow();
    EXPECT_EQ(0, bar.Animation()->GetAreaCount());
    EXPECT_FALSE(bar.Animation()->HasCache());
}

}  // namespace
