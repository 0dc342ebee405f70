// The toolkit's own tip window, driven through the tooltip context (kinds 2, 4 and 5) with the
// pointer placed by SetCursorPos, and its measuring and drawing read back from DIB pixels.
#include "common/ZPToolTipContextRichTips.h"
#include "common/ZPToolTipContextToolTip.h"

#include "common/ZPSystemHelpers.h"

#include "DibSection.h"
#include "message_pump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <string>

namespace {

const RECT kTool = { 10, 10, 60, 40 };
const RECT kOtherTool = { 70, 10, 120, 40 };
const COLORREF kWhite = RGB(255, 255, 255);

class CTipContext : public CZPToolTipContext
{
public:
    ~CTipContext() override { DestroyToolTip(); }
    CZPToolTipContextToolTip* Tip() const { return dynamic_cast<CZPToolTipContextToolTip*>(m_pToolTip); }
    HWND TipWnd() const { return m_pToolTip != NULL ? m_pToolTip->GetSafeHwnd() : NULL; }
    bool TipVisible() const { return TipWnd() != NULL && ::IsWindowVisible(TipWnd()); }
};

// Two tools with plain texts; the text is answered by callback when m_bCallback.
class COwner : public CWnd
{
public:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override
    {
        const RECT* tools[] = { &kTool, &kOtherTool };
        for (UINT_PTR i = 0; i < 2; ++i) {
            if (::PtInRect(tools[i], point)) {
                ZpFillToolInfo(pTI, m_hWnd, *tools[i], i + 1, i == 0 ? L"First tool" : L"Second tool");
                return static_cast<INT_PTR>(i + 1);
            }
        }
        return -1;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == TTN_GETDISPINFOW) {
            ++m_nDispInfo;
            NMTTDISPINFOW* pInfo = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            if (m_onDispInfo) {
                wcscpy(pInfo->szText, L"Asked");
                m_onDispInfo(pInfo->hdr.hwndFrom);
            } else if (m_bUnterminated)
                wmemset(pInfo->szText, L'x', _countof(pInfo->szText));  // no terminator at all
            else
                pInfo->lpszText = MAKEINTRESOURCEW(5);  // a string id without module
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

public:
    int m_nDispInfo = 0;
    bool m_bUnterminated = true;
    std::function<void(HWND)> m_onDispInfo;  // given the tip window; answers "Asked"
};

void PlaceCursor(CWnd& owner, POINT pt)
{
    owner.ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
}

class ToolTipWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_owner.CreateEx(0, NULL, L"owner", WS_POPUP | WS_VISIBLE, 200, 150, 300, 200, NULL, NULL));
        m_owner.SetForegroundWindow();
        PumpFor(50);
    }
    void TearDown() override
    {
        m_context.SetStyle(CZPToolTipContext::kindStandard);
        if (m_owner.m_hWnd != NULL)
            m_owner.DestroyWindow();
    }
    void RelayAt(int x, int y, UINT message = WM_MOUSEMOVE)
    {
        PlaceCursor(m_owner, { x, y });
        m_context.RelayOwnerMessage(&m_owner, message, 0, MAKELPARAM(x, y));
    }
    bool ShowsAt(int x, int y)
    {
        RelayAt(x, y);
        return PumpUntil([this] { return m_context.TipVisible(); });
    }

    COwner m_owner;
    CTipContext m_context;
};

const int kOwnKinds[] = { CZPToolTipContext::kindOffice, CZPToolTipContext::kindLuna,
                          CZPToolTipContext::kindOffice2007 };

TEST_F(ToolTipWindowTest, ShowsAfterRestingAndHidesOnLeavingWithoutLeftoverHook)
{
    for (int nKind : kOwnKinds) {
        SCOPED_TRACE(testing::Message() << "kind " << nKind);
        m_context.SetStyle(nKind);
        RelayAt(30, 20);
        ASSERT_NE(nullptr, m_context.Tip());
        EXPECT_EQ(500u, m_context.Tip()->GetInitialDelay());
        EXPECT_EQ(200u, m_context.Tip()->GetReshowDelay());
        PumpFor(100);
        EXPECT_FALSE(m_context.TipVisible()) << "still waiting for the initial delay";
        ASSERT_TRUE(PumpUntil([this] { return m_context.TipVisible(); }));
        EXPECT_EQ(1u, m_context.Tip()->GetShownTool().uId);
        EXPECT_NE(nullptr, CZPToolTipContextToolTip::GetMouseHook());

        RelayAt(200, 150);  // on no tool
        EXPECT_FALSE(m_context.TipVisible());
        EXPECT_EQ(nullptr, CZPToolTipContextToolTip::GetMouseHook()) << "after hide";

        ASSERT_TRUE(ShowsAt(30, 20));
        m_context.SetStyle(CZPToolTipContext::kindStandard);  // destroys the tip window
        EXPECT_EQ(nullptr, CZPToolTipContextToolTip::GetMouseHook()) << "after destroy";
    }
}

TEST_F(ToolTipWindowTest, SwitchingToAnotherToolSoonAfterShowsAtOnce)
{
    m_context.SetStyle(CZPToolTipContext::kindOffice2007);
    ASSERT_TRUE(ShowsAt(30, 20));
    RelayAt(90, 20);  // the context deletes the first tool (hiding its tip) and adds the second
    EXPECT_TRUE(m_context.TipVisible()) << "no new initial delay";
    EXPECT_EQ(2u, m_context.Tip()->GetShownTool().uId);
}

TEST_F(ToolTipWindowTest, ClickedToolStaysHiddenAndAutoPopIsIgnored)
{
    m_context.SetDelayTime(TTDT_AUTOPOP, 100);
    m_context.SetDelayTime(TTDT_INITIAL, 50);
    m_context.SetStyle(CZPToolTipContext::kindOffice);
    ASSERT_TRUE(ShowsAt(30, 20));
    PumpFor(400);
    EXPECT_TRUE(m_context.TipVisible()) << "a tip does not pop down by itself";

    m_context.Tip()->SendMessage(TTM_RELAYEVENT, 0, 0);  // a null record is ignored
    MSG msg = { m_owner.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 20), 0, {} };
    ::GetCursorPos(&msg.pt);
    m_context.Tip()->RelayEvent(&msg);
    EXPECT_FALSE(m_context.TipVisible());
    RelayAt(31, 21);
    RelayAt(32, 20);
    PumpFor(300);
    EXPECT_FALSE(m_context.TipVisible()) << "the clicked tool's tip stays suppressed";
}

TEST_F(ToolTipWindowTest, NearTheWorkAreaBottomTheTipGoesAboveTheCursor)
{
    CRect rcWork = ZpMonitorHelperInstance().WorkAreaAtPoint(CPoint(300, 300));
    m_owner.SetWindowPos(NULL, 200, rcWork.bottom - 45, 300, 45, SWP_NOZORDER | SWP_NOACTIVATE);
    m_context.SetStyle(CZPToolTipContext::kindLuna);
    ASSERT_TRUE(ShowsAt(30, 20));
    POINT ptCursor;
    ::GetCursorPos(&ptCursor);
    CRect rcTip;
    ::GetWindowRect(m_context.TipWnd(), &rcTip);
    EXPECT_EQ(ptCursor.y - 3, rcTip.bottom);
}

TEST_F(ToolTipWindowTest, RightToLeftToolPlacesItsTipLeftOfTheCursor)
{
    COwner rtlOwner;
    ASSERT_TRUE(
        rtlOwner.CreateEx(WS_EX_LAYOUTRTL, NULL, L"rtl", WS_POPUP | WS_VISIBLE, 200, 150, 300, 200, NULL, NULL));
    rtlOwner.SetForegroundWindow();
    PumpFor(50);
    m_context.SetStyle(CZPToolTipContext::kindOffice);
    PlaceCursor(rtlOwner, { 30, 20 });
    m_context.RelayOwnerMessage(&rtlOwner, WM_MOUSEMOVE, 0, MAKELPARAM(30, 20));
    ASSERT_TRUE(PumpUntil([this] { return m_context.TipVisible(); }));
    POINT ptCursor;
    ::GetCursorPos(&ptCursor);
    CRect rcTip;
    ::GetWindowRect(m_context.TipWnd(), &rcTip);
    EXPECT_EQ(ptCursor.x, rcTip.right);
    m_context.SetStyle(CZPToolTipContext::kindStandard);
    rtlOwner.DestroyWindow();
}

TEST_F(ToolTipWindowTest, MessagesOfTheProtocol)
{
    m_context.SetStyle(CZPToolTipContext::kindOffice2007);
    ASSERT_TRUE(ShowsAt(30, 20));
    HWND hTip = m_context.TipWnd();
    EXPECT_EQ(HTTRANSPARENT, ::SendMessageW(hTip, WM_NCHITTEST, 0, 0));
    EXPECT_EQ(MA_NOACTIVATE, ::SendMessageW(hTip, WM_MOUSEACTIVATE, 0, 0));
    EXPECT_EQ(0, ::SendMessageW(hTip, TTM_ADDTOOLW, 0, 0));
    TOOLINFOW unknown = {};
    unknown.cbSize = sizeof(unknown);
    unknown.hwnd = m_owner.m_hWnd;
    unknown.uId = 77;
    const int nTools = m_context.Tip()->GetToolCount();
    ::SendMessageW(hTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&unknown));
    EXPECT_EQ(nTools, m_context.Tip()->GetToolCount());
    EXPECT_TRUE(::IsWindowVisible(hTip));

    // The Office 2007 tip has its four corner pixels cut away.
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(hTip, hRgn));
    CRect rc;
    ::GetWindowRect(hTip, &rc);
    EXPECT_FALSE(::PtInRegion(hRgn, 0, 0));
    EXPECT_TRUE(::PtInRegion(hRgn, 1, 0));
    EXPECT_TRUE(::PtInRegion(hRgn, 0, 1));
    EXPECT_FALSE(::PtInRegion(hRgn, rc.Width() - 1, rc.Height() - 1));
    EXPECT_TRUE(::PtInRegion(hRgn, rc.Width() - 2, rc.Height() - 1));
    ::DeleteObject(hRgn);

    ::SendMessageW(hTip, TTM_ACTIVATE, FALSE, 0);
    EXPECT_FALSE(::IsWindowVisible(hTip));
}

// A tip window of the given kind made directly, for measuring and drawing.
class TipDrawingTest : public ToolTipWindowTest
{
protected:
    CZPToolTipContextToolTip* MakeTip(int nKind)
    {
        m_context.SetStyle(nKind);
        m_pTip = dynamic_cast<CZPToolTipContextToolTip*>(m_context.CreateToolTip());
        if (m_pTip != NULL)
            m_pTip->Create(&m_owner, m_context.GetStyle());
        return m_pTip;
    }
    void TearDown() override
    {
        if (m_pTip != NULL) {
            m_pTip->DestroyWindow();
            delete m_pTip;
        }
        ToolTipWindowTest::TearDown();
    }
    CZPToolTipContextToolTip::TOOLITEM ToolWithText(HWND hWnd, LPCWSTR lpszText)
    {
        CZPToolTipContextToolTip::TOOLITEM tool;
        tool.hwnd = hWnd;
        tool.uId = 1;
        tool.strText = lpszText;
        return tool;
    }
    // The ink box of what DrawContent paints on white in black, from row yFrom down.
    CRect InkOfContent(CZPToolTipContextToolTip::TOOLITEM& tool, const CRect& rc, int yFrom)
    {
        CDibSection dib(rc.Width(), rc.Height(), kWhite);
        CDC* pDC = CDC::FromHandle(dib.GetDC());
        ::SetBkMode(dib.GetDC(), TRANSPARENT);
        ::SetTextColor(dib.GetDC(), RGB(0, 0, 0));
        ::SelectObject(dib.GetDC(), m_context.GetFont()->GetSafeHandle());
        m_pTip->DrawContent(pDC, &tool, rc);
        return CRect(dib.InkBox(kWhite, yFrom));
    }

    CZPToolTipContextToolTip* m_pTip = NULL;  // owned
};

TEST_F(TipDrawingTest, BackgroundsAndFrames)
{
    const struct
    {
        int nKind;
        COLORREF clrTopLeft, clrBottomRight, clrInsideTop;
    } cases[] = {
        { CZPToolTipContext::kindOffice2007, 0x767676, 0x767676, kWhite },
        { CZPToolTipContext::kindOffice, ::GetSysColor(COLOR_BTNFACE), RGB(0, 0, 0), RGB(1, 2, 3) },
        { CZPToolTipContext::kindLuna, RGB(0, 0, 0), RGB(0, 0, 0), RGB(1, 2, 3) },  // classic theme under Wine
    };
    m_context.SetTipBkColor(RGB(1, 2, 3));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.nKind);
        ASSERT_NE(nullptr, MakeTip(c.nKind));
        CDibSection dib(40, 30, RGB(9, 9, 9));
        CZPToolTipContextToolTip::TOOLITEM tool;
        m_pTip->DrawBackground(CDC::FromHandle(dib.GetDC()), &tool, CRect(0, 0, 40, 30));
        EXPECT_EQ(c.clrTopLeft, dib.GetPixel(0, 0));
        EXPECT_EQ(c.clrTopLeft, dib.GetPixel(0, 15));
        EXPECT_EQ(c.clrBottomRight, dib.GetPixel(39, 29));
        COLORREF clrInside = dib.GetPixel(20, 1);  // the gradient's first rows
        EXPECT_NEAR(GetRValue(c.clrInsideTop), GetRValue(clrInside), 10);
        EXPECT_NEAR(GetBValue(c.clrInsideTop), GetBValue(clrInside), 10);
        if (c.nKind == CZPToolTipContext::kindOffice2007) {
            COLORREF clrBottom = dib.GetPixel(20, 28);
            EXPECT_NEAR(0xC9, GetRValue(clrBottom), 8);  // towards 0xEFD9C9 (blue 0xEF)
            EXPECT_NEAR(0xEF, GetBValue(clrBottom), 8);
        }
        m_pTip->DestroyWindow();
        delete m_pTip;
        m_pTip = NULL;
    }
}

TEST_F(TipDrawingTest, TitleMovesTheBodyDownAndInwards)
{
    ASSERT_NE(nullptr, MakeTip(CZPToolTipContext::kindOffice));
    CWnd rtlOwner;
    ASSERT_TRUE(rtlOwner.CreateEx(WS_EX_LAYOUTRTL, NULL, L"rtl", WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    const CRect rc(0, 0, 240, 90);
    for (HWND hWnd : { m_owner.m_hWnd, rtlOwner.m_hWnd }) {
        const bool bRTL = hWnd == rtlOwner.m_hWnd;
        SCOPED_TRACE(bRTL ? "right to left" : "left to right");
        CZPToolTipContextToolTip::TOOLITEM tool = ToolWithText(hWnd, L"Body");
        CDibSection probe(10, 10);
        ::SelectObject(probe.GetDC(), m_context.GetBoldFont()->GetSafeHandle());
        SIZE sizeTitle;
        ::GetTextExtentPoint32W(probe.GetDC(), L"T", 1, &sizeTitle);
        // Rows below the title: the body's ink alone.
        const int yBody = m_context.GetMargin().top + 3 + sizeTitle.cy + 12;
        m_pTip->SendMessage(TTM_SETTITLEW, 0, 0);
        CRect rcPlain = InkOfContent(tool, rc, 0);
        m_pTip->SendMessage(TTM_SETTITLEW, 0, reinterpret_cast<LPARAM>(L"T"));
        CRect rcBody = InkOfContent(tool, rc, yBody);
        EXPECT_EQ(rcPlain.top + sizeTitle.cy + 12, rcBody.top) << "12 pixels below the title's text";
        if (bRTL) {
            EXPECT_EQ(rcPlain.right - 10, rcBody.right) << "right-aligned, indented 10 on the near side";
        } else {
            EXPECT_EQ(rcPlain.left + 10, rcBody.left);
        }
    }
    rtlOwner.DestroyWindow();
}

TEST_F(TipDrawingTest, SizeIsContentPlusMarginsAndSix)
{
    ASSERT_NE(nullptr, MakeTip(CZPToolTipContext::kindOffice));
    m_context.SetMargin(CRect(1, 2, 3, 4));
    CZPToolTipContextToolTip::TOOLITEM tool = ToolWithText(m_owner.m_hWnd, L"Text");
    CSize size = m_pTip->CalcSize(&tool);
    CDibSection probe(10, 10);
    ::SelectObject(probe.GetDC(), m_context.GetFont()->GetSafeHandle());
    RECT rcText = { 0, 0, 1000, 0 };
    ::DrawTextW(probe.GetDC(), L"Text", -1, &rcText, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK);
    EXPECT_EQ(CSize(rcText.right + 1 + 3 + 6, rcText.bottom + 2 + 4 + 6), size);

    CZPToolTipContextToolTip::TOOLITEM empty = ToolWithText(m_owner.m_hWnd, L"");
    EXPECT_EQ(CSize(0, 0), m_pTip->CalcSize(&empty));
}

TEST_F(TipDrawingTest, CallbackTextIsAskedOnceAndBadAnswersAreSafe)
{
    ASSERT_NE(nullptr, MakeTip(CZPToolTipContext::kindOffice));
    CZPToolTipContextToolTip::TOOLITEM tool = ToolWithText(m_owner.m_hWnd, L"");
    tool.bTextCallback = TRUE;
    CString strText = m_pTip->GetToolText(&tool);
    EXPECT_EQ(80, strText.GetLength()) << "an unterminated answer is cut at its buffer";
    m_pTip->GetToolText(&tool);
    EXPECT_EQ(1, m_owner.m_nDispInfo);

    m_owner.m_bUnterminated = false;
    tool = ToolWithText(m_owner.m_hWnd, L"");
    tool.bTextCallback = TRUE;
    EXPECT_EQ(CSize(0, 0), m_pTip->CalcSize(&tool)) << "a string id without module reads as no text";

    // A tool whose window died is asked nothing.
    CWnd gone;
    ASSERT_TRUE(gone.CreateEx(0, NULL, L"gone", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    HWND hGone = gone.m_hWnd;
    gone.DestroyWindow();
    tool = ToolWithText(hGone, L"");
    tool.bTextCallback = TRUE;
    EXPECT_TRUE(m_pTip->GetToolText(&tool).IsEmpty());
}

TEST_F(TipDrawingTest, ACallbackThatDeletesItsToolOrDestroysTheTipLeavesNothingShown)
{
    enum { kKeep, kDeleteTool, kDestroyTip };
    for (int nAction : { kKeep, kDeleteTool, kDestroyTip }) {
        SCOPED_TRACE(nAction);
        ASSERT_NE(nullptr, MakeTip(CZPToolTipContext::kindOffice));
        TOOLINFOW ti = {};
        ti.cbSize = ZP_TTTOOLINFO_SIZE;
        ti.hwnd = m_owner.m_hWnd;
        ti.uId = 1;
        ti.rect = kTool;
        ti.lpszText = LPSTR_TEXTCALLBACKW;
        ASSERT_EQ(1, m_pTip->SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
        m_owner.m_nDispInfo = 0;
        m_owner.m_onDispInfo = [&](HWND hTip) {
            if (nAction == kDeleteTool)
                ::SendMessageW(hTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
            else if (nAction == kDestroyTip)
                ::DestroyWindow(hTip);
        };
        PlaceCursor(m_owner, { 30, 20 });
        const CZPToolTipContextToolTip::TOOLITEM tool = ToolWithText(m_owner.m_hWnd, L"");
        m_pTip->ShowTool(&tool);
        m_owner.m_onDispInfo = nullptr;
        EXPECT_EQ(1, m_owner.m_nDispInfo);
        if (nAction == kKeep) {
            EXPECT_TRUE(::IsWindowVisible(m_pTip->m_hWnd));
            EXPECT_EQ(L"Asked", std::wstring(m_pTip->GetShownTool().strText));
            EXPECT_EQ(1, m_pTip->GetToolCount());
        } else {
            EXPECT_TRUE(m_pTip->GetShownTool().IsNone());
            EXPECT_EQ(0, m_pTip->GetToolCount());
            EXPECT_TRUE(m_pTip->m_hWnd == NULL || !::IsWindowVisible(m_pTip->m_hWnd));
        }
        if (m_pTip->m_hWnd != NULL)
            m_pTip->DestroyWindow();
        delete m_pTip;
        m_pTip = NULL;
    }
}

// A top-level window of another process (this program started again with kForeignHostVariable)
// with a child that answers the embedded-child query with 1.
const wchar_t kForeignHostVariable[] = L"TOLVANE_TIP_FOREIGN_HOST";
const wchar_t kForeignHostClass[] = L"TolvaneTipForeignHost";
const RECT kForeignHostRect = { 40, 300, 240, 400 };

LRESULT CALLBACK ForeignHostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == ZP_TTM_ISCHILDOFTOOL)
        return 1;
    if (message == WM_DESTROY && ::GetParent(hWnd) == NULL)
        ::PostQuitMessage(0);
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

void RegisterForeignHostClass()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ForeignHostProc;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.lpszClassName = kForeignHostClass;
    ::RegisterClassW(&wc);
}

TEST(ForeignToolWindow, Host)
{
    if (::GetEnvironmentVariableW(kForeignHostVariable, NULL, 0) == 0)
        GTEST_SKIP() << "run only as the other process of ToolQueryGoesOnlyToWindowsOfThisProcess";
    RegisterForeignHostClass();
    const RECT& rc = kForeignHostRect;
    HWND hTop = ::CreateWindowExW(WS_EX_TOPMOST, kForeignHostClass, L"", WS_POPUP | WS_VISIBLE, rc.left, rc.top,
                                  rc.right - rc.left, rc.bottom - rc.top, NULL, NULL, ::GetModuleHandleW(NULL), NULL);
    ASSERT_TRUE(hTop != NULL);
    ::CreateWindowExW(0, kForeignHostClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, rc.right - rc.left,
                      rc.bottom - rc.top, hTop, NULL, ::GetModuleHandleW(NULL), NULL);
    MSG msg;
    while (::GetMessageW(&msg, NULL, 0, 0) > 0)
        ::DispatchMessageW(&msg);
}

TEST_F(TipDrawingTest, ToolQueryGoesOnlyToWindowsOfThisProcess)
{
    WCHAR szModule[MAX_PATH];
    ::GetModuleFileNameW(NULL, szModule, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(szModule) + L"\" --gtest_filter=ForeignToolWindow.Host";
    ::SetEnvironmentVariableW(kForeignHostVariable, L"1");
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    BOOL bStarted = ::CreateProcessW(szModule, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi);
    ::SetEnvironmentVariableW(kForeignHostVariable, NULL);
    ASSERT_TRUE(bStarted);
    // Console programs signal no input idle; the new window may send to ours: pump until it comes.
    const DWORD kStartBound = 60000;
    HWND hTop = NULL, hChild = NULL;
    PumpUntil(
        [&] {
            hTop = ::FindWindowW(kForeignHostClass, NULL);
            hChild = hTop != NULL ? ::GetWindow(hTop, GW_CHILD) : NULL;
            return hChild != NULL;
        },
        kStartBound);
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hChild, &dwProcessId);
    EXPECT_EQ(pi.dwProcessId, dwProcessId);

    if (hChild != NULL) {
        EXPECT_EQ(hChild, ZpToolWindowOfChild(hChild));
        ASSERT_NE(nullptr, MakeTip(CZPToolTipContext::kindOffice));
        POINT pt = { (kForeignHostRect.left + kForeignHostRect.right) / 2,
                     (kForeignHostRect.top + kForeignHostRect.bottom) / 2 };
        if (::WindowFromPoint(pt) == hChild)
            EXPECT_EQ(reinterpret_cast<LRESULT>(hChild),
                      m_pTip->SendMessage(TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&pt)));
        else
            ADD_FAILURE() << "the other process's window is not under its own centre";
        ::PostMessageW(hTop, WM_CLOSE, 0, 0);
    }
    if (!PumpUntil([&] { return ::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, kStartBound))
        ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);

    // A child of this process that answers the query stands for its parent.
    RegisterForeignHostClass();
    HWND hOwnChild =
        ::CreateWindowExW(0, kForeignHostClass, L"", WS_CHILD, 0, 0, 10, 10, m_owner.m_hWnd, NULL,
                                         ::GetModuleHandleW(NULL), NULL);
    EXPECT_EQ(m_owner.m_hWnd, ZpToolWindowOfChild(hOwnChild));
    ::DestroyWindow(hOwnChild);
}

TEST_F(TipDrawingTest, FormattedKinds)
{
    // Rich text: one word measures about its own width.
    ASSERT_NE(nullptr, MakeTip(CZPToolTipContext::kindRichText));
    CZPToolTipContextToolTip::TOOLITEM word = ToolWithText(m_owner.m_hWnd, L"Word");
    CSize sizeRich = m_pTip->CalcSize(&word);
    if (sizeRich != CSize(0, 0)) {
        EXPECT_GT(sizeRich.cx, 10);
        EXPECT_LT(sizeRich.cx, 120);
    }
    m_pTip->DestroyWindow();
    delete m_pTip;

    // The markup kind of a context that knows no markup is the plain tip, page or not.
    const LPCWSTR kPage = L"<Border Padding='2'><TextBlock>Word</TextBlock></Border>";
    ASSERT_NE(nullptr, MakeTip(CZPToolTipContext::kindOffice));
    CZPToolTipContextToolTip::TOOLITEM plain = ToolWithText(m_owner.m_hWnd, kPage);
    CSize sizePlain = m_pTip->CalcSize(&plain);
    m_pTip->DestroyWindow();
    delete m_pTip;
    ASSERT_NE(nullptr, MakeTip(CZPToolTipContext::kindMarkup));
    CZPToolTipContextToolTip::TOOLITEM markup = ToolWithText(m_owner.m_hWnd, kPage);
    EXPECT_EQ(sizePlain, m_pTip->CalcSize(&markup));
    m_pTip->DestroyWindow();
    delete m_pTip;

    // HTML: nothing to host the browser in; (0, 0) and no child window.
    ASSERT_NE(nullptr, MakeTip(CZPToolTipContext::kindHtml));
    CZPToolTipContextToolTip::TOOLITEM html = ToolWithText(m_owner.m_hWnd, L"<b>bold</b>");
    EXPECT_EQ(CSize(0, 0), m_pTip->CalcSize(&html));
    EXPECT_EQ(nullptr, ::GetWindow(m_pTip->GetSafeHwnd(), GW_CHILD));
}

TEST(CursorDepth, MaskScan)
{
    BYTE mask[256];
    // A fully transparent mask: the scan stops at word 0 and reads nothing before the buffer.
    memset(mask, 0xFF, sizeof(mask));
    EXPECT_EQ(1, CZPToolTipContextToolTip::CursorDepthFromMask(mask, 32, 32, TRUE, 0));
    EXPECT_EQ(32, CZPToolTipContextToolTip::CursorDepthFromMask(mask, 32, 64, FALSE, 0)) << "all inverted";
    memset(mask + 128, 0x00, 128);
    EXPECT_EQ(1, CZPToolTipContextToolTip::CursorDepthFromMask(mask, 32, 64, FALSE, 0));
    // A monochrome 32 x 32 cursor opaque in its first 20 rows, hot spot at row 2.
    memset(mask, 0xFF, 128);
    memset(mask, 0x00, 80);
    memset(mask + 128, 0x00, 128);
    EXPECT_EQ(18, CZPToolTipContextToolTip::CursorDepthFromMask(mask, 32, 64, FALSE, 2));
    // An inverted (XOR) pixel below the opaque rows stops the scan there.
    mask[128 + 2 * 30 * 2] = 0x80;  // XOR row 30
    EXPECT_EQ(31, CZPToolTipContextToolTip::CursorDepthFromMask(mask, 32, 64, FALSE, 0));

    ::SetCursor(::LoadCursorW(NULL, IDC_ARROW));
    int nArrow = CZPToolTipContextToolTip::GetCursorDepth();
    ::SetCursor(::LoadCursorW(NULL, IDC_IBEAM));
    int nBeam = CZPToolTipContextToolTip::GetCursorDepth();
    std::cout << "cursor depth: arrow " << nArrow << ", I-beam " << nBeam << std::endl;
    EXPECT_EQ(21, nArrow);  // Wine's cursors
    EXPECT_EQ(11, nBeam);
}

}  // namespace
