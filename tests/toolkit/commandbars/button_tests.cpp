// Buttons and popups: the held press and its auto-repeat driven by posted messages, releases,
// split buttons and popup chains.
#include "commandbars_test_support.h"

#include "commandbars/ZPControlPopup.h"
#include "commandbars/ZPPopupBar.h"

#include <functional>

namespace {

using ButtonTest = CommandBarsTest;

// Never fires in a test: ticks are posted WM_TIMERs.
const int kIntervalNeverFires = 60000;
const int kCommandId = 321;

// A window whose posted WM_APP messages run queued steps inside a nested loop.
class CStepWindow
{
public:
    CStepWindow()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(NULL);
        wc.lpszClassName = L"TolvaneButtonTestSteps";
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, NULL, NULL, wc.hInstance, NULL);
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~CStepWindow() { ::DestroyWindow(m_hWnd); }
    void Post(std::function<void()> step)
    {
        m_steps.push_back(std::move(step));
        ::PostMessageW(m_hWnd, WM_APP, 0, 0);
    }

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        CStepWindow* pThis = reinterpret_cast<CStepWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (message == WM_APP && pThis != NULL && pThis->m_next < pThis->m_steps.size()) {
            try {
                pThis->m_steps[pThis->m_next++]();
            } catch (...) {
            }
            return 0;
        }
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    }
    HWND m_hWnd;
    std::vector<std::function<void()>> m_steps;
    size_t m_next = 0;
};

// A toolbar window holding one button at (10,10)-(40,40), commands going to the site.
struct CToolbarWithButton
{
    CToolbarWithButton(HWND hWndSite, CZPCommandBar* pBarObject = new CZPCommandBar)
    {
        pBar = pBarObject;
        pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP, 0, 0, 100, 50, NULL, NULL);
        pBar->SetCommandTarget(hWndSite);
        pBar->SetSiteWindow(hWndSite);
        pButton = static_cast<CZPControlButton*>(pBar->GetControls()->Append(new CZPControlButton));
        pButton->SetID(kCommandId);
        pButton->SetRect(CRect(10, 10, 40, 40));
    }
    ~CToolbarWithButton()
    {
        pBar->DestroyWindow();
        pBar->InternalRelease();
    }
    HWND Hwnd() const { return pBar->GetSafeHwnd(); }
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { ::PostMessageW(Hwnd(), message, wParam, lParam); }
    void PostMove(int x, int y) { Post(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    CZPCommandBar* pBar;
    CZPControlButton* pButton;  // borrowed from the bar's collection
};

TEST_F(ButtonTest, HeldButtonRepeatsOnEveryTickAndNeverExecutes)
{
    CTestSite site;
    CToolbarWithButton bar(site.m_hWnd);
    bar.pButton->SetExecuteOnPressInterval(kIntervalNeverFires);
    for (int i = 0; i < 3; ++i)
        bar.Post(WM_TIMER, ZP_TIMER_EXECUTE_ON_PRESS);
    bar.Post(WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    bar.pButton->TrackPressed(CRect());

    // The press, then three ticks; an execute on release would add a fifth.
    EXPECT_EQ(4, site.Count(WM_COMMAND));
    EXPECT_EQ(4, site.Count(ZpMsgExecute));
    EXPECT_EQ(ZP_PRESSED_NONE, bar.pButton->GetPressed());
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_EQ(-1, bar.pBar->GetHighlightedIndex());
}

TEST_F(ButtonTest, ReleaseExecutesOnlyInsideTheButton)
{
    struct Case
    {
        const char* name;
        std::vector<POINT> moves;
        int nCommands;
    };
    const Case cases[] = {
        { "no move", {}, 1 },
        { "inside", { { 20, 20 } }, 1 },
        { "outside", { { 80, 45 } }, 0 },
        { "out and back in", { { 80, 45 }, { 15, 30 } }, 1 },
        { "in and out", { { 15, 30 }, { 5, 5 } }, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTestSite site;
        CToolbarWithButton bar(site.m_hWnd);
        for (const POINT& pt : c.moves)
            bar.PostMove(pt.x, pt.y);
        bar.Post(WM_LBUTTONUP);
        bar.pButton->TrackPressed(CRect());
        EXPECT_EQ(c.nCommands, site.Count(WM_COMMAND));
        EXPECT_EQ(ZP_PRESSED_NONE, bar.pButton->GetPressed());
        EXPECT_EQ(zpSelectionNone, bar.pButton->GetSelected());
        EXPECT_EQ(NULL, ::GetCapture());
    }
}

TEST_F(ButtonTest, LoopEndsWithoutPressWhenCaptureWindowOrBarGoes)
{
    CTestSite site;
    CStepWindow steps;
    {
        SCOPED_TRACE("capture released");
        CToolbarWithButton bar(site.m_hWnd);
        steps.Post([] { ::ReleaseCapture(); });
        bar.Post(WM_LBUTTONUP);
        bar.pButton->TrackPressed(CRect());
        EXPECT_EQ(0, site.Count(WM_COMMAND));
        // The button up after the loop stays for the outer loop.
        MSG msg;
        EXPECT_TRUE(::PeekMessageW(&msg, bar.Hwnd(), WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE));
    }
    {
        SCOPED_TRACE("control removed from its bar");
        CToolbarWithButton bar(site.m_hWnd);
        CZPControlButton* pButton = bar.pButton;
        steps.Post([&] { bar.pBar->GetControls()->Remove(pButton); });
        bar.Post(WM_LBUTTONUP);
        pButton->TrackPressed(CRect());
        EXPECT_EQ(0, site.Count(WM_COMMAND));
        EXPECT_EQ(0, bar.pBar->CountControls());
        ::PeekMessageW(NULL, bar.Hwnd(), WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE);
    }
    {
        SCOPED_TRACE("bar window destroyed, with auto-repeat");
        CToolbarWithButton bar(site.m_hWnd);
        bar.pButton->SetExecuteOnPressInterval(kIntervalNeverFires);
        steps.Post([&] { bar.pBar->DestroyWindow(); });
        bar.pButton->TrackPressed(CRect());
        EXPECT_EQ(1, site.Count(WM_COMMAND));  // the press only
        EXPECT_EQ(NULL, bar.Hwnd());
    }
    EXPECT_EQ(NULL, ::GetCapture());
}

TEST_F(ButtonTest, QuitEndsThePressAndIsPostedAgain)
{
    CTestSite site;
    CToolbarWithButton bar(site.m_hWnd);
    ::PostQuitMessage(7);
    bar.pButton->TrackPressed(CRect());
    EXPECT_EQ(0, site.Count(WM_COMMAND));
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7, static_cast<int>(msg.wParam));
}

TEST_F(ButtonTest, ClicksAndReleasesByBarKind)
{
    CTestSite site;
    {
        SCOPED_TRACE("popup bar: the click waits, the release executes");
        CToolbarWithButton bar(site.m_hWnd, ZpCreatePopupBar(NULL));
        bar.pButton->OnClick(FALSE, CPoint(20, 20));
        EXPECT_EQ(0, site.Count(WM_COMMAND));
        bar.pButton->OnLButtonUp(CPoint(20, 20));
        EXPECT_EQ(1, site.Count(WM_COMMAND));
        bar.pButton->SetEnabled(FALSE);
        bar.pButton->OnLButtonUp(CPoint(20, 20));
        EXPECT_EQ(1, site.Count(WM_COMMAND));
    }
    site.m_messages.clear();
    {
        SCOPED_TRACE("toolbar: a keyboard click executes, a release alone does not");
        CToolbarWithButton bar(site.m_hWnd);
        bar.pButton->OnLButtonUp(CPoint(20, 20));
        EXPECT_EQ(0, site.Count(WM_COMMAND));
        bar.pButton->OnClick(TRUE, CPoint());
        EXPECT_EQ(1, site.Count(WM_COMMAND));
        bar.pButton->SetEnabled(FALSE);
        bar.pButton->OnClick(TRUE, CPoint());
        EXPECT_EQ(1, site.Count(WM_COMMAND));
    }
}

// A split button at (10,10)-(60,30) in a bar; the arrow part is the paint manager's or the default.
struct CSplitInBar : CToolbarWithButton
{
    CSplitInBar(HWND hWndSite, CZPCommandBar* pBarObject) : CToolbarWithButton(hWndSite, pBarObject)
    {
        pBar->GetControls()->Remove(pButton);
        pSplit = static_cast<CZPControlPopup*>(pBar->GetControls()->Add(zpControlSplitButtonPopup, kCommandId));
        pSplit->SetRect(CRect(10, 10, 60, 30));
        CRefPtr<CZPPopupBar> popup = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(NULL));
        pSplit->SetCommandBar(popup.Get());
    }
    CZPControlPopup* pSplit;  // borrowed from the bar's collection
};

TEST_F(ButtonTest, SplitButtonPartsAndEnabledStates)
{
    CTestSite site;
    CSplitInBar bar(site.m_hWnd, ZpCreatePopupBar(NULL));
    CZPControlPopup* pSplit = bar.pSplit;
    ASSERT_EQ(zpControlSplitButtonPopup, pSplit->GetType());
    const CRect rcCommand = pSplit->GetSplitCommandRect();
    EXPECT_EQ(10, rcCommand.left);
    EXPECT_LT(rcCommand.right, 60);

    // In a popup bar the release executes left of the arrow only, and never with Enabled 5.
    pSplit->OnLButtonUp(CPoint(rcCommand.right - 2, 20));
    EXPECT_EQ(1, site.Count(WM_COMMAND));
    pSplit->OnLButtonUp(CPoint(58, 20));
    EXPECT_EQ(1, site.Count(WM_COMMAND));
    pSplit->SetEnabled(5);
    pSplit->OnLButtonUp(CPoint(12, 20));
    EXPECT_EQ(1, site.Count(WM_COMMAND));

    // Enabled 4 never opens the popup.
    pSplit->SetEnabled(4);
    EXPECT_FALSE(pSplit->SetPopuped(TRUE));
    EXPECT_FALSE(pSplit->IsPopuped());

    // The selection follows the part under the pointer while the control is selected.
    pSplit->SetEnabled(TRUE);
    pSplit->SetSelectedRaw(zpSelectionHot);
    pSplit->OnMouseMove(CPoint(12, 20));
    EXPECT_EQ(4, pSplit->GetSelected());
    pSplit->OnMouseMove(CPoint(58, 20));
    EXPECT_EQ(5, pSplit->GetSelected());
    pSplit->SetSelectedRaw(zpSelectionNone);
    pSplit->OnMouseMove(CPoint(12, 20));
    EXPECT_EQ(zpSelectionNone, pSplit->GetSelected());
}

TEST_F(ButtonTest, SplitCommandPartInToolbarIsAHeldPress)
{
    CTestSite site;
    CSplitInBar bar(site.m_hWnd, new CZPCommandBar);
    bar.Post(WM_LBUTTONUP);
    bar.pSplit->OnClick(FALSE, CPoint(12, 20));
    EXPECT_EQ(1, site.Count(WM_COMMAND));
    // With Enabled 5 the command part opens the popup instead (not built here: nothing runs).
    bar.pSplit->SetEnabled(5);
    bar.pSplit->OnClick(FALSE, CPoint(12, 20));
    EXPECT_EQ(1, site.Count(WM_COMMAND));
}

TEST_F(ButtonTest, PopupChainsEndOnCycles)
{
    CRefPtr<CZPPopupBar> a = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(NULL));
    CRefPtr<CZPPopupBar> b = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(NULL));
    CRefPtr<CZPPopupBar> c = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(NULL));
    CRefPtr<CZPControlPopup> top = CRefPtr<CZPControlPopup>::Adopt(new CZPControlPopup);
    CRefPtr<CZPControlPopup> other = CRefPtr<CZPControlPopup>::Adopt(new CZPControlPopup);
    CRefPtr<CZPControlPopup> loose = CRefPtr<CZPControlPopup>::Adopt(new CZPControlPopup);
    top->SetCommandBar(a.Get());
    // a holds a popup opening b, b holds one opening a again: a cycle.
    static_cast<CZPControlPopup*>(a->GetControls()->Add(zpControlPopup, 1))->SetCommandBar(b.Get());
    static_cast<CZPControlPopup*>(b->GetControls()->Add(zpControlPopup, 2))->SetCommandBar(a.Get());
    other->SetCommandBar(b.Get());
    EXPECT_TRUE(top->IsChainedWith(other.Get()));
    EXPECT_TRUE(other->IsChainedWith(top.Get()));
    loose->SetCommandBar(c.Get());
    EXPECT_FALSE(top->IsChainedWith(loose.Get()));
    EXPECT_FALSE(top->IsChainedWith(NULL));

    // A control in the popup's own chain cannot be dropped into it.
    CZPControl* pInB = b->GetControls()->GetAt(0);
    EXPECT_FALSE(other->IsCustomizeDropAllowed(pInB));
    EXPECT_TRUE(loose->IsCustomizeDropAllowed(pInB));

    // Cycles hold references both ways: break them before the bars go.
    a->GetControls()->RemoveAll();
    b->GetControls()->RemoveAll();
}

}  // namespace
