// Tests of the status bar: pane layout, message-pane text, the size grip, pixels printed through
// WM_PRINTCLIENT, the press of a button pane, idle update and the panes' saved visibility.
#include "commandbars/ZPCommandBarsResource.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPStatusBar.h"
#include "commandbars/ZPStatusBarTogglePane.h"

#include "paint_manager_pixels.h"
#include "paint_manager_test_theme.h"
#include "status_bar_tests_ids.h"

#include <framework/frame.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

const DWORD kStatusStyle = 0x56008200;  // child, visible, clip siblings and children, bottom, top border
const int kBarWidth = 300;
const int kBarHeight = 22;

// A top-level parent that records WM_COMMAND and WM_SYSCOMMAND and never acts on them.
class CParentWindow
{
public:
    explicit CParentWindow(DWORD dwStyle)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(NULL);
        wc.lpszClassName = L"TolvaneStatusBarTestParent";
        ::RegisterClassW(&wc);
        m_hWnd =
            ::CreateWindowExW(0, wc.lpszClassName, L"parent", dwStyle, 0, 0, 400, 200, NULL, NULL, wc.hInstance, NULL);
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~CParentWindow() { ::DestroyWindow(m_hWnd); }
    CWnd* Wnd() const { return CWnd::FromHandle(m_hWnd); }

    HWND m_hWnd;
    std::vector<WPARAM> m_commands;
    std::vector<WPARAM> m_sysCommands;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        CParentWindow* pThis = reinterpret_cast<CParentWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (pThis != NULL && message == WM_COMMAND) {
            pThis->m_commands.push_back(wParam);
            return 0;
        }
        if (pThis != NULL && message == WM_SYSCOMMAND) {
            pThis->m_sysCommands.push_back(wParam);
            return 0;
        }
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    }
};

// A status bar of a parent, placed at (0, 0) in the given width.
struct StatusBarFixture
{
    explicit StatusBarFixture(DWORD dwParentStyle = WS_POPUP) : parent(dwParentStyle)
    {
        ZpSetPaintTheme(zpThemeDefault);
        EXPECT_TRUE(bar.CreateBar(parent.Wnd(), kStatusStyle, 0xE801));
    }
    ~StatusBarFixture() { bar.DestroyWindow(); }
    void Resize(int cx) { bar.SetWindowPos(NULL, 0, 0, cx, kBarHeight, SWP_NOZORDER | SWP_NOACTIVATE); }
    // Panes 0 (the stretching message pane), then fixed panes of the widths.
    void AddPanes(const std::vector<int>& widths)
    {
        CZPStatusBarPane* pPane = bar.AddPane(0);
        pPane->SetStyle(ZP_SBPS_STRETCH | ZP_SBPS_NOBORDERS);
        pPane->SetFixedWidth(1);
        for (size_t i = 0; i < widths.size(); ++i)
            bar.AddPane(static_cast<UINT>(100 + i))->SetFixedWidth(widths[i]);
    }
    std::vector<std::pair<int, int>> Spans() const
    {
        std::vector<std::pair<int, int>> spans;
        for (int i = 0; i < bar.GetPaneCount(); ++i)
            spans.push_back({ bar.PaneAt(i)->GetRect().left, bar.PaneAt(i)->GetRect().right });
        return spans;
    }

    CParentWindow parent;
    CZPStatusBar bar;
};

typedef std::vector<std::pair<int, int>> Spans;

int CountPixelsIn(const CDibSection& dib, const CRect& rc, COLORREF clr)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            n += dib.GetPixel(x, y) == clr;
    return n;
}

void PrintInto(CZPStatusBar& bar, CDibSection& dib)
{
    dib.Fill(RGB(1, 2, 3));
    EXPECT_EQ(1, bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.GetDC()), PRF_CLIENT));
    ::GdiFlush();
}

TEST(StatusBarLayout, StretchPaneTakesTheFreeWidthAndPanesDropFromTheRight)
{
    StatusBarFixture f;
    f.AddPanes({ 100, 40, 40 });
    struct Case
    {
        int cx;
        Spans spans;
        std::vector<BOOL> shown;
    };
    const Case cases[] = {
        { 300, { { 0, 108 }, { 110, 212 }, { 214, 256 }, { 258, 300 } }, { TRUE, TRUE, TRUE, TRUE } },
        { 200, { { 0, 8 }, { 10, 112 }, { 114, 156 }, { 158, 200 } }, { TRUE, TRUE, TRUE, TRUE } },
        // The third pane no longer fits: it and every pane after it are dropped.
        { 140, { { 0, 1 }, { 3, 105 }, { 0, 0 }, { 0, 0 } }, { TRUE, TRUE, FALSE, FALSE } },
    };
    for (const Case& c : cases) {
        f.Resize(c.cx);
        EXPECT_EQ(c.spans, f.Spans()) << c.cx;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(c.shown[i], f.bar.PaneAt(i)->IsShown()) << c.cx << " pane " << i;
    }
    EXPECT_EQ(ZP_PANE_STATE_DROPPED, f.bar.PaneAt(3)->GetState());
    // The top border's two pixels stay above the panes.
    EXPECT_EQ(2, f.bar.PaneAt(0)->GetRect().top);
    EXPECT_EQ(kBarHeight, f.bar.PaneAt(0)->GetRect().bottom);
}

TEST(StatusBarLayout, HiddenPaneCarriesItsGapAndStretchPanesShareTheRemainder)
{
    StatusBarFixture f;
    f.AddPanes({ 100, 40, 40 });
    f.Resize(kBarWidth);
    f.bar.PaneAt(2)->SetVisible(FALSE);
    // One gap between the second and the fourth pane, not two.
    EXPECT_EQ((Spans{ { 0, 152 }, { 154, 256 }, { 0, 0 }, { 258, 300 } }), f.Spans());
    EXPECT_EQ(ZP_PANE_STATE_HIDDEN, f.bar.PaneAt(2)->GetState());

    // Two stretch panes over a free width of 101: 50 and 51.
    f.bar.RemoveAllPanes();
    for (UINT nID : { 0u, 1u }) {
        CZPStatusBarPane* pPane = f.bar.AddPane(nID);
        pPane->SetStyle(ZP_SBPS_STRETCH | ZP_SBPS_NOBORDERS);
        pPane->SetGapBefore(FALSE);
        pPane->SetFixedWidth(1);
    }
    f.Resize(103);
    EXPECT_EQ((Spans{ { 0, 51 }, { 51, 103 } }), f.Spans());
    // No room at all: stretch panes end at the inner right edge.
    f.bar.PaneAt(0)->SetFixedWidth(50);
    f.Resize(30);
    EXPECT_EQ((Spans{ { 0, 30 }, { 30, 30 } }), f.Spans());
}

TEST(StatusBarPanes, CreatedFromIdsWithTheirStringsAndIndexLookups)
{
    StatusBarFixture f;
    const UINT ids[] = { 0, IDS_TEST_INDICATOR_CAPS, IDS_TEST_INDICATOR_NUM };
    EXPECT_TRUE(f.bar.CreatePanesFromIds(ids, 3));
    ASSERT_EQ(3, f.bar.GetPaneCount());
    EXPECT_EQ(ZP_SBPS_STRETCH | ZP_SBPS_NOBORDERS, f.bar.GetPaneStyle(0));
    EXPECT_EQ(1, f.bar.PaneAt(0)->GetFixedWidth());
    EXPECT_STREQ(L"CAP", f.bar.PaneAt(1)->GetText());
    EXPECT_EQ(2, f.bar.CommandToIndex(IDS_TEST_INDICATOR_NUM));
    EXPECT_EQ(-1, f.bar.CommandToIndex(12345));
    EXPECT_EQ(NULL, f.bar.PaneAt(3));
    EXPECT_EQ(0u, f.bar.GetPaneStyle(-1));
    EXPECT_FALSE(f.bar.SetPaneText(3, L"x"));

    // A missing string stops the creation; the panes made so far stay.
    const UINT badIds[] = { 0, IDS_TEST_INDICATOR_CAPS, 54321, IDS_TEST_INDICATOR_NUM };
    EXPECT_FALSE(f.bar.CreatePanesFromIds(badIds, 4));
    EXPECT_EQ(2, f.bar.GetPaneCount());
}

TEST(StatusBarText, MessagePaneAnswersTheWindowTextMessages)
{
    StatusBarFixture f;
    // No message pane yet: the text cannot be set, and the window's own call reports it.
    EXPECT_FALSE(::SetWindowTextW(f.bar.m_hWnd, L"Ready"));
    f.AddPanes({ 40 });
    f.Resize(kBarWidth);
    EXPECT_TRUE(::SetWindowTextW(f.bar.m_hWnd, L"Ready"));
    EXPECT_STREQ(L"Ready", f.bar.PaneAt(0)->GetText());
    EXPECT_EQ(5, f.bar.SendMessage(WM_GETTEXTLENGTH));

    struct Case
    {
        int nBuffer;
        LRESULT nResult;
        const wchar_t* pszText;
    };
    const Case cases[] = { { 16, 5, L"Ready" }, { 5, 4, L"Read" }, { 1, 0, L"" } };
    for (const Case& c : cases) {
        wchar_t sz[16];
        wmemset(sz, L'#', 16);
        EXPECT_EQ(c.nResult, f.bar.SendMessage(WM_GETTEXT, c.nBuffer, reinterpret_cast<LPARAM>(sz))) << c.nBuffer;
        EXPECT_STREQ(c.pszText, sz) << c.nBuffer;
    }
    wchar_t szUntouched[2] = { L'#', 0 };
    EXPECT_EQ(0, f.bar.SendMessage(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(szUntouched)));
    EXPECT_EQ(L'#', szUntouched[0]);
}

TEST(StatusBarGrip, ParentWithSizingBorderGetsEverySizeCommand)
{
    StatusBarFixture f(WS_OVERLAPPEDWINDOW);
    ASSERT_TRUE(f.bar.HasSizeGrip());
    f.AddPanes({ 40 });
    f.Resize(kBarWidth);
    CRect rcWindow;
    f.bar.GetWindowRect(&rcWindow);
    const CPoint ptGrip(rcWindow.right - 2, rcWindow.bottom - 2);
    EXPECT_EQ(HTBOTTOMRIGHT, f.bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptGrip.x, ptGrip.y)));
    EXPECT_EQ(HTCLIENT, f.bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcWindow.left + 50, ptGrip.y)));
    // The grip takes room from the inner rect: the last pane ends before it.
    EXPECT_LT(f.bar.PaneAt(1)->GetRect().right, kBarWidth - ::GetSystemMetrics(SM_CXVSCROLL));

    // A press on the grip: the system turns it into SC_SIZE of the bottom-right corner.
    f.bar.SendMessage(WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(ptGrip.x, ptGrip.y));
    // Every other edge goes to the frame too.
    f.bar.SendMessage(WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMLEFT, 0);
    f.bar.SendMessage(WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOM, 0);
    EXPECT_EQ((std::vector<WPARAM>{ 0xF008, 0xF007, 0xF006 }), f.parent.m_sysCommands);

    // A maximized parent has no grip.
    ::ShowWindow(f.parent.m_hWnd, SW_SHOWMAXIMIZED);
    EXPECT_EQ(HTCLIENT, f.bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptGrip.x, ptGrip.y)));
}

TEST(StatusBarPixels, PrintClientDrawsBackgroundBordersTextAndGrip)
{
    StatusBarFixture f(WS_OVERLAPPEDWINDOW);
    f.AddPanes({ 100 });
    f.Resize(kBarWidth);
    CZPPaintManager* pPaintManager = ZpGetPaintManager();
    const COLORREF clrFace = pPaintManager->GetColor(zpColorBtnFace);
    const COLORREF clrShadow = pPaintManager->GetColor(zpColorBtnShadow);
    const COLORREF clrHighlight = pPaintManager->GetColor(zpColorBtnHighlight);
    const CRect rcPane = f.bar.PaneAt(1)->GetRect();

    CDibSection dib(kBarWidth, kBarHeight);
    PrintInto(f.bar, dib);
    EXPECT_EQ(0, CountPixels(dib, RGB(1, 2, 3)));
    EXPECT_EQ(clrFace, dib.GetPixel(1, 1));
    // The bordered pane: sunken, shadow at the top-left, highlight at the bottom-right.
    EXPECT_EQ(clrShadow, dib.GetPixel(rcPane.left, rcPane.top));
    EXPECT_EQ(clrHighlight, dib.GetPixel(rcPane.right - 1, rcPane.bottom - 1));
    // The message pane is borderless and first: no separator before it.
    EXPECT_EQ(clrFace, dib.GetPixel(0, 10));
    // The grip's strokes in the bottom-right corner.
    EXPECT_EQ(clrShadow, dib.GetPixel(kBarWidth - 3, kBarHeight - 2));

    // Text in the message pane shows as pixels of the text colour; disabled, in grey; with
    // disabled text hidden, not at all.
    const CRect rcMessage = f.bar.PaneAt(0)->GetRect();
    EXPECT_EQ(0, CountPixelsIn(dib, rcMessage, pPaintManager->m_clrText));
    ::SetWindowTextW(f.bar.m_hWnd, L"MMMM");
    PrintInto(f.bar, dib);
    EXPECT_GT(CountPixelsIn(dib, rcMessage, pPaintManager->m_clrText), 20);
    f.bar.PaneAt(0)->SetEnabled(FALSE);
    PrintInto(f.bar, dib);
    EXPECT_EQ(0, CountPixelsIn(dib, rcMessage, pPaintManager->m_clrText));
    EXPECT_GT(CountPixelsIn(dib, rcMessage, pPaintManager->GetColor(zpColorGrayText)), 20);
    f.bar.SetShowDisabledPaneText(FALSE);
    PrintInto(f.bar, dib);
    EXPECT_EQ(0, CountPixelsIn(dib, rcMessage, pPaintManager->GetColor(zpColorGrayText)));
}

TEST(StatusBarPixels, BorderlessPaneAfterAGapGetsASeparator)
{
    StatusBarFixture f;
    f.AddPanes({ 100 });
    CZPStatusBarPane* pPane = f.bar.AddPane(7);
    pPane->SetFixedWidth(30);
    pPane->SetStyle(ZP_SBPS_NOBORDERS);
    f.Resize(kBarWidth);
    const CRect rc = pPane->GetRect();
    CDibSection dib(kBarWidth, kBarHeight);
    PrintInto(f.bar, dib);
    CZPPaintManager* pPaintManager = ZpGetPaintManager();
    EXPECT_EQ(pPaintManager->GetColor(zpColorBtnShadow), dib.GetPixel(rc.left - 2, rc.top));
    EXPECT_EQ(pPaintManager->GetColor(zpColorBtnHighlight), dib.GetPixel(rc.left - 1, rc.bottom - 1));
}

// Posts the steps of a press; the press loop reads them once the button goes down.
void Press(CZPStatusBar& bar, CPoint ptDown, const std::vector<MSG>& steps)
{
    bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptDown.x, ptDown.y));
    for (const MSG& msg : steps)
        ::PostMessageW(bar.m_hWnd, msg.message, msg.wParam, msg.lParam);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptDown.x, ptDown.y));
}

void Drain(CZPStatusBar& bar)
{
    MSG msg;
    while (::PeekMessageW(&msg, bar.m_hWnd, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
}

MSG Step(UINT message, WPARAM wParam, CPoint pt)
{
    MSG msg = {};
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = MAKELPARAM(pt.x, pt.y);
    return msg;
}

TEST(StatusBarButtonPane, PressSendsTheCommandOnlyWhenReleasedInside)
{
    StatusBarFixture f;
    f.AddPanes({ 100 });
    CZPStatusBarPane* pButton = f.bar.PaneAt(1);
    pButton->SetButton(TRUE);
    f.Resize(kBarWidth);
    const CPoint ptIn = pButton->GetRect().CenterPoint();
    const CPoint ptOut(5, 5);

    Press(f.bar, ptIn,
          { Step(WM_MOUSEMOVE, MK_LBUTTON, ptOut), Step(WM_MOUSEMOVE, MK_LBUTTON, ptIn), Step(WM_LBUTTONUP, 0, ptIn) });
    EXPECT_EQ((std::vector<WPARAM>{ 100 }), f.parent.m_commands);
    EXPECT_FALSE(pButton->IsPressed());
    EXPECT_EQ(NULL, ::GetCapture());

    // Released outside: no command. Escape and a right button cancel.
    Press(f.bar, ptIn, { Step(WM_MOUSEMOVE, MK_LBUTTON, ptOut), Step(WM_LBUTTONUP, 0, ptOut) });
    Press(f.bar, ptIn, { Step(WM_KEYDOWN, VK_ESCAPE, CPoint(0, 0)) });
    Drain(f.bar);
    Press(f.bar, ptIn, { Step(WM_RBUTTONDOWN, 0, ptIn), Step(WM_LBUTTONUP, 0, ptIn) });
    Drain(f.bar);
    EXPECT_EQ(1u, f.parent.m_commands.size());

    // A disabled button pane is never hot and never pressed.
    pButton->SetEnabled(FALSE);
    Press(f.bar, ptIn, { Step(WM_LBUTTONUP, 0, ptIn) });
    Drain(f.bar);
    EXPECT_EQ(NULL, f.bar.GetHotPane());
    EXPECT_EQ(1u, f.parent.m_commands.size());
}

// A bar with the message pane and a toggle pane of three switches, drawn by the test theme.
struct TogglePaneFixture : StatusBarFixture
{
    static const UINT kFirstSwitch = 9301;

    TogglePaneFixture()
    {
        ZpSetPaintManager(theme.Get());
        AddPanes({});
        pToggle = static_cast<CZPStatusBarTogglePane*>(bar.AddPane(new CZPStatusBarTogglePane, 77));
        for (UINT i = 0; i < 3; ++i) {
            RegisterTestIcon(kFirstSwitch + i, RGB(0, 160, 0));
            pToggle->AddSwitch(kFirstSwitch + i);
        }
        Resize(kBarWidth);
    }
    ~TogglePaneFixture() { ZpSetPaintManager(NULL); }

    CTestThemeRef theme;
    CZPStatusBarTogglePane* pToggle;  // owned by the bar
};

TEST(StatusBarTogglePane, SwitchesAreMeasuredAndLaidOutEighteenWide)
{
    TogglePaneFixture f;
    // Borderless: 3 x 18 with no frame, at the bar's right edge after the pane gap.
    EXPECT_EQ(54, f.pToggle->GetComputedWidth());
    EXPECT_EQ(CRect(kBarWidth - 54, 2, kBarWidth, kBarHeight), f.pToggle->GetRect());
    EXPECT_EQ(CRect(kBarWidth - 36, 2, kBarWidth - 18, kBarHeight), f.pToggle->GetSwitchRect(1));
    EXPECT_EQ(1, f.pToggle->HitTestSwitch(f.pToggle->GetSwitchRect(1).CenterPoint()));
    EXPECT_EQ(-1, f.pToggle->HitTestSwitch(CPoint(5, 5)));
    // A fourth switch widens the pane; the record accessor refuses an index out of range.
    f.pToggle->AddSwitch(TogglePaneFixture::kFirstSwitch + 3);
    EXPECT_EQ(72, f.pToggle->GetComputedWidth());
    for (int nBad : { -1, 4 }) {
        BOOL bThrown = FALSE;
        try {
            f.pToggle->GetSwitch(nBad);
        } catch (CException* e) {
            bThrown = e->IsKindOf(RUNTIME_CLASS(CInvalidArgException));
            e->Delete();
        }
        EXPECT_TRUE(bThrown) << nBad;
    }
}

TEST(StatusBarTogglePane, SwitchesDrawTheirStateAndCentredIcons)
{
    TogglePaneFixture f;
    f.pToggle->SetSwitchChecked(1, TRUE);
    f.pToggle->SetSwitchEnabled(2, FALSE);
    f.theme->m_stateCalls.clear();
    CDibSection dib(kBarWidth, kBarHeight);
    PrintInto(f.bar, dib);

    ASSERT_EQ(3u, f.theme->m_stateCalls.size());
    for (int i = 0; i < 3; ++i) {
        const CTestTheme::StateCall& call = f.theme->m_stateCalls[i];
        EXPECT_EQ(f.pToggle->GetSwitchRect(i), call.rc) << i;
        EXPECT_EQ(i == 1, call.bChecked) << i;
        EXPECT_EQ(i != 2, call.bEnabled) << i;
        EXPECT_EQ(1, call.nBarType);
        EXPECT_EQ(0, call.nBarPosition);
    }
    // The checked switch's face, then each icon centred in its switch: 16 x 16 less the
    // transparent corner, the disabled one drawn in its disabled (grey) form.
    const CRect rcChecked = f.pToggle->GetSwitchRect(1);
    const COLORREF clrFill = CTestTheme::kStateFill;
    EXPECT_EQ(clrFill, dib.GetPixel(rcChecked.left, rcChecked.top));
    const CRect rcFirst = f.pToggle->GetSwitchRect(0);
    const int cyIcon = 16;
    const CRect rcIcon(rcFirst.left + 1, (rcFirst.top + rcFirst.bottom - cyIcon) / 2, rcFirst.left + 17,
                       (rcFirst.top + rcFirst.bottom + cyIcon) / 2);
    EXPECT_EQ(16 * 16 - 1, CountPixelsIn(dib, rcIcon, RGB(0, 160, 0)));
    EXPECT_EQ(0, CountPixelsIn(dib, f.pToggle->GetSwitchRect(2), RGB(0, 160, 0)));
    EXPECT_GT(CountPixelsIn(dib, f.pToggle->GetSwitchRect(2), f.theme->GetColor(zpColorBtnFace)), 0);
}

TEST(StatusBarTogglePane, ClickingASwitchSendsItsCommand)
{
    TogglePaneFixture f;
    const CPoint ptFirst = f.pToggle->GetSwitchRect(0).CenterPoint();
    const CPoint ptSecond = f.pToggle->GetSwitchRect(1).CenterPoint();
    // Hovering selects the switch under the mouse only.
    f.bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptSecond.x, ptSecond.y));
    EXPECT_EQ(f.pToggle, f.bar.GetHotPane());
    EXPECT_FALSE(f.pToggle->GetSwitch(0).bSelected);
    EXPECT_TRUE(f.pToggle->GetSwitch(1).bSelected);

    // Pressed while over the switch (the record follows), released over it: its command.
    Press(f.bar, ptSecond,
          { Step(WM_MOUSEMOVE, MK_LBUTTON, ptFirst), Step(WM_MOUSEMOVE, MK_LBUTTON, ptSecond),
            Step(WM_LBUTTONUP, 0, ptSecond) });
    EXPECT_EQ((std::vector<WPARAM>{ TogglePaneFixture::kFirstSwitch + 1 }), f.parent.m_commands);
    EXPECT_FALSE(f.pToggle->GetSwitch(1).bPressed);
    // Released over another switch, on a disabled switch, or cancelled: nothing.
    Press(f.bar, ptSecond, { Step(WM_MOUSEMOVE, MK_LBUTTON, ptFirst), Step(WM_LBUTTONUP, 0, ptFirst) });
    Press(f.bar, ptSecond, { Step(WM_KEYDOWN, VK_ESCAPE, CPoint(0, 0)) });
    Drain(f.bar);
    f.pToggle->SetSwitchEnabled(0, FALSE);
    Press(f.bar, ptFirst, { Step(WM_LBUTTONUP, 0, ptFirst) });
    Drain(f.bar);
    EXPECT_EQ(1u, f.parent.m_commands.size());
    EXPECT_EQ(NULL, ::GetCapture());

    // Leaving the bar clears the selection.
    f.bar.SendMessage(WM_MOUSELEAVE, 0, 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(f.pToggle->GetSwitch(i).bSelected) << i;
}

// A frame whose update handlers give one pane a text and disable another.
class CUpdateFrame : public CFrameWnd
{
public:
    void OnUpdateCaps(CCmdUI* pCmdUI) { pCmdUI->SetText(L"CAPS ON"); }
    void OnUpdateNum(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(FALSE);
        pCmdUI->SetCheck(1);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdateFrame, CFrameWnd)
ON_UPDATE_COMMAND_UI(IDS_TEST_INDICATOR_CAPS, OnUpdateCaps)
ON_UPDATE_COMMAND_UI(IDS_TEST_INDICATOR_NUM, OnUpdateNum)
END_MESSAGE_MAP()

TEST(StatusBarUpdate, IdleUpdateReachesThePanesThroughTheFrame)
{
    ZpSetPaintTheme(zpThemeDefault);
    CUpdateFrame* pFrame = new CUpdateFrame;
    ASSERT_TRUE(pFrame->Create(NULL, L"frame", WS_OVERLAPPEDWINDOW));
    CZPStatusBar bar;
    ASSERT_TRUE(bar.CreateBar(pFrame, kStatusStyle, 0xE801));
    const UINT ids[] = { 0, IDS_TEST_INDICATOR_CAPS, IDS_TEST_INDICATOR_NUM };
    ASSERT_TRUE(bar.CreatePanesFromIds(ids, 3));
    bar.OnUpdateCmdUI(pFrame, TRUE);
    EXPECT_STREQ(L"CAPS ON", bar.PaneAt(1)->GetText());
    EXPECT_TRUE(bar.PaneAt(1)->IsEnabled());
    EXPECT_FALSE(bar.PaneAt(2)->IsEnabled());
    EXPECT_EQ(ZP_SBPS_POPOUT | ZP_SBPS_DISABLED, bar.GetPaneStyle(2));
    bar.DestroyWindow();
    pFrame->DestroyWindow();
}

TEST(StatusBarState, PaneVisibilityRoundTripsInBothForms)
{
    StatusBarFixture f;
    for (UINT nID : { 59137u, 59138u, 59139u })
        f.bar.AddPane(nID);
    f.bar.PaneAt(1)->SetVisible(FALSE);
    EXPECT_STREQ(L"59137=1\n59138=0\n59139=1", f.bar.FormatPanesVisibility(L'\n'));
    EXPECT_STREQ(L"59137=1;59138=0;59139=1", f.bar.FormatPanesVisibility(L';'));

    // Entries that are malformed, name id 0 or an unknown id change nothing.
    f.bar.ApplyPanesVisibility(L"59137=0\nx=1\n0=0\n7=0\n59138=1\n", L'\n');
    EXPECT_FALSE(f.bar.PaneAt(0)->IsVisible());
    EXPECT_TRUE(f.bar.PaneAt(1)->IsVisible());
    EXPECT_TRUE(f.bar.PaneAt(2)->IsVisible());
}

TEST(StatusBarCustomize, PopupListsTheCustomizablePanesAndTogglesThem)
{
    StatusBarFixture f;
    f.bar.SetCustomizable(TRUE);
    f.AddPanes({ 40, 40, 40 });
    f.bar.PaneAt(1)->SetText(L"Line 4");
    f.bar.PaneAt(2)->SetCustomizeCaption(L"Caps Lock");
    f.bar.PaneAt(2)->SetCustomizeValue(L"Off");
    f.bar.PaneAt(2)->SetGapBefore(TRUE);
    f.bar.PaneAt(3)->SetCustomizable(FALSE);
    f.bar.PaneAt(2)->SetVisible(FALSE);
    CRefPtr<CZPPopupBar> popup = CRefPtr<CZPPopupBar>::Adopt(f.bar.CreateCustomizeMenu());
    // The title, then panes 1 and 2: the message pane (id 0) and a pane not listed are left out.
    ASSERT_EQ(3, popup->CountControls());
    CZPControl* pTitle = popup->ControlAt(0);
    EXPECT_EQ(zpControlLabel, pTitle->GetType());
    EXPECT_EQ(ZP_ID_CUSTOMIZE_STATUS_BAR, pTitle->GetID());
    EXPECT_STREQ(L"Customize Status Bar", pTitle->GetCaptionRaw());
    EXPECT_TRUE(pTitle->IsDefaultItem());
    CZPControl* pLine = popup->ControlAt(1);
    CZPControl* pCaps = popup->ControlAt(2);
    EXPECT_STREQ(L"Line 4", pLine->GetCaptionRaw());
    EXPECT_TRUE(pLine->GetChecked());
    EXPECT_STREQ(L"Caps Lock", pCaps->GetCaptionRaw());
    EXPECT_STREQ(L"Off", pCaps->GetShortcutText());
    EXPECT_TRUE(pCaps->GetBeginGroup());
    EXPECT_FALSE(pCaps->GetChecked());

    pCaps->Execute();
    EXPECT_TRUE(f.bar.PaneAt(2)->IsVisible());
    EXPECT_TRUE(pCaps->GetChecked());
    pLine->Execute();
    EXPECT_FALSE(f.bar.PaneAt(1)->IsVisible());
    EXPECT_FALSE(pLine->GetChecked());
    // The entries hold their panes: removing the panes first is safe.
    f.bar.RemoveAllPanes();
    popup.Release();
}

TEST(StatusBarCustomize, RightClickOnABarThatIsNotCustomizableOpensNothing)
{
    StatusBarFixture f;
    f.AddPanes({ 40 });
    ::SendMessageW(f.bar.m_hWnd, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(0, ZpMouseManager()->GetTrackedCount());
}

}  // namespace
