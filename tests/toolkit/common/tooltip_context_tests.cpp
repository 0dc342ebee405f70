// The tooltip context driving the system tooltip control: relays from a small owner window with
// the pointer placed by SetCursorPos, a message spy on the tip window, and tables of kinds.
#include "common/ZPToolTipContext.h"
#include "common/ZPToolTipContextToolTip.h"

#include "common/ZPDrawHelpers.h"
#include "common/ZPImageLoading.h"
#include "common/ZPImageManager.h"
#include "common/ZPSystemHelpers.h"

#include "message_pump.h"

#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

namespace {

const int kOwnerX = 200;
const int kOwnerY = 150;
const DWORD kInitialDelay = 50;

// One message the tip window received, with the parts of its tool record or text that matter.
struct SpiedMessage
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT_PTR uId;
    UINT uFlags;
    bool bText;          // lpszText (or the title) was a readable string
    std::wstring text;
};

// The system control with every context-sent message written down before it is handled.
class CSpyToolTip : public CZPToolTipContext::CStandardToolTip
{
public:
    explicit CSpyToolTip(std::vector<SpiedMessage>* pLog) : m_pLog(pLog) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        SpiedMessage m = {message, wParam, lParam, 0, 0, false, std::wstring()};
        switch (message) {
        case TTM_ADDTOOLW:
        case TTM_DELTOOLW:
        case TTM_UPDATETIPTEXTW: {
            const TOOLINFOW* pti = reinterpret_cast<const TOOLINFOW*>(lParam);
            m.uId = pti->uId;
            m.uFlags = pti->uFlags;
            if (!IS_INTRESOURCE(pti->lpszText) && pti->lpszText != LPSTR_TEXTCALLBACKW) {
                m.bText = true;
                m.text = pti->lpszText;
            }
            break;
        }
        case TTM_SETTITLEW:
            if (lParam != 0) {
                m.bText = true;
                m.text = reinterpret_cast<LPCWSTR>(lParam);
            }
            break;
        case WM_SETFONT:
        case TTM_SETMAXTIPWIDTH:
        case TTM_SETMARGIN:
        case TTM_SETTIPBKCOLOR:
        case TTM_SETTIPTEXTCOLOR:
        case TTM_SETDELAYTIME:
        case TTM_ACTIVATE:
        case TTM_RELAYEVENT:
        case ZP_TTM_SETIMAGE:
            break;
        default:
            return CStandardToolTip::WindowProc(message, wParam, lParam);
        }
        m_pLog->push_back(m);
        return CStandardToolTip::WindowProc(message, wParam, lParam);
    }

private:
    std::vector<SpiedMessage>* m_pLog;   // borrowed from the test
};

class CTestContext : public CZPToolTipContext
{
public:
    ~CTestContext() override { DestroyToolTip(); }   // before the log goes
    CWnd* CreateToolTip() override
    {
        CWnd* pTip = CZPToolTipContext::CreateToolTip();
        if (pTip == NULL || !m_bSpy)
            return pTip;
        delete pTip;
        return new CSpyToolTip(&m_log);
    }

    CWnd* Tip() const { return m_pToolTip; }
    HWND TipWnd() const { return m_pToolTip != NULL ? m_pToolTip->GetSafeHwnd() : NULL; }
    const TOOLINFOW& LastTool() const { return m_lastTool; }
    void SetComCtlVersion(DWORD dwVersion) { m_dwComCtlVersion = dwVersion; }

    // The messages of one kind, in order.
    std::vector<SpiedMessage> Sent(UINT message) const
    {
        std::vector<SpiedMessage> result;
        for (const SpiedMessage& m : m_log)
            if (m.message == message)
                result.push_back(m);
        return result;
    }
    // The spied message numbers, without relayed events.
    std::vector<UINT> Sequence() const
    {
        std::vector<UINT> result;
        for (const SpiedMessage& m : m_log)
            if (m.message != TTM_RELAYEVENT)
                result.push_back(m.message);
        return result;
    }

    bool m_bSpy = true;
    std::vector<SpiedMessage> m_log;
};

struct Tool
{
    UINT_PTR nId;
    RECT rc;
    LPCWSTR lpszText;
    LPCWSTR lpszTitle;
    LPCWSTR lpszDescription;
    UINT uFlags;
    HINSTANCE hinst;   // set: lpszText is a string id
};

// A tool owner as the command bars and the tab control are: a hit test over a table of tools
// filling the record with ZpFillToolInfoEx.
class COwner : public CWnd
{
public:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override
    {
        m_ptLastHit = point;
        ++m_nHitTests;
        for (const Tool& tool : m_tools) {
            if (!::PtInRect(&tool.rc, point))
                continue;
            ZpFillToolInfoEx(pTI, m_hWnd, tool.rc, tool.nId, tool.hinst != NULL ? NULL : tool.lpszText,
                             tool.lpszTitle, tool.lpszDescription, m_pImages);
            if (tool.hinst != NULL) {
                pTI->hinst = tool.hinst;
                pTI->lpszText = const_cast<LPWSTR>(tool.lpszText);
            }
            pTI->uFlags |= tool.uFlags;
            return m_bRefuse ? -1 : static_cast<INT_PTR>(tool.nId);
        }
        return -1;
    }

    std::vector<Tool> m_tools;
    CZPImageManager* m_pImages = NULL;   // borrowed
    bool m_bRefuse = false;              // fill the record, then answer -1
    mutable CPoint m_ptLastHit;
    mutable int m_nHitTests = 0;
};

// A child window that answers the query of embedded edit windows, or does not.
class CEmbeddedChild : public CWnd
{
public:
    explicit CEmbeddedChild(LRESULT lAnswer) : m_lAnswer(lAnswer) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == ZP_TTM_ISCHILDOFTOOL)
            return m_lAnswer;
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    LRESULT m_lAnswer;
};

// Places the pointer at a client point of the owner and relays a message from there.
void RelayFrom(CZPToolTipContext& context, CWnd& owner, int x, int y, UINT message = WM_MOUSEMOVE)
{
    POINT pt = {x, y};
    owner.ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    context.RelayOwnerMessage(&owner, message, 0, MAKELPARAM(x, y));
}

const RECT kToolA = {10, 10, 60, 40};
const RECT kToolB = {70, 10, 120, 40};

class ToolTipContextTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_owner.CreateEx(0, NULL, L"owner", WS_POPUP | WS_VISIBLE, kOwnerX, kOwnerY, 300, 200, NULL,
                                     NULL));
        m_owner.m_tools = {{1, kToolA, L"Open", L"Open", L"Opens a file", 0, NULL},
                           {2, kToolB, L"Save", L"Save", L"Saves the file", 0, NULL}};
        m_context.SetDelayTime(TTDT_INITIAL, kInitialDelay);
        m_owner.SetForegroundWindow();
        ASSERT_TRUE(PumpUntil([this] { return ZpIsOwnerChainActive(m_owner.m_hWnd) != FALSE; }));
    }
    void TearDown() override
    {
        ::SetKeyboardState(m_keysUp);
        if (m_owner.m_hWnd != NULL)
            m_owner.DestroyWindow();
    }

    void RelayAt(int x, int y, UINT message = WM_MOUSEMOVE) { RelayFrom(m_context, m_owner, x, y, message); }
    bool TipShows()
    {
        return PumpUntil([this] { return m_context.TipWnd() != NULL && ::IsWindowVisible(m_context.TipWnd()); });
    }
    UINT_PTR CurrentTool()
    {
        TOOLINFOW ti = {};
        ti.cbSize = sizeof(ti);
        if (!::SendMessageW(m_context.TipWnd(), TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&ti)))
            return 0;
        return ti.uId;
    }

    BYTE m_keysUp[256] = {};
    COwner m_owner;
    CTestContext m_context;
};

// ---- kinds ----

TEST_F(ToolTipContextTest, KindsMakeTheirTipAndForceTheirStyleBits)
{
    struct Case
    {
        int nKind;
        DWORD dwSetStyle;   // SetStyle's answer from kind 0
        bool bStandardTip;  // a system tooltip control; the others are the toolkit's own tip window
        DWORD dwBalloon;
    };
    const Case cases[] = {
        {0, FALSE, true, 0},
        {1, TTS_NOPREFIX, true, TTS_BALLOON},
        {2, 0x3000 | TTS_NOPREFIX, false, 0},
        {3, TTS_NOPREFIX, false, 0},
        {4, TTS_NOPREFIX, false, 0},
        {5, 0x4000 | TTS_NOPREFIX, false, 0},
        {6, TTS_NOPREFIX, false, 0},
        {7, TTS_NOPREFIX, false, 0},
        {99, TTS_NOPREFIX, true, 0},
        {-1, TTS_NOPREFIX, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.nKind);
        CTestContext context;
        context.m_bSpy = false;
        context.SetComCtlVersion(0x50051);
        EXPECT_EQ(c.dwSetStyle, context.SetStyle(c.nKind));
        EXPECT_EQ(c.nKind, context.GetKind());
        EXPECT_EQ(static_cast<DWORD>(FALSE), context.SetStyle(c.nKind)) << "unchanged kind";

        RelayFrom(context, m_owner, 30, 20);
        if (!c.bStandardTip) {
            ASSERT_NE(nullptr, dynamic_cast<CZPToolTipContextToolTip*>(context.Tip()));
            ASSERT_NE(nullptr, context.TipWnd());
            EXPECT_EQ(static_cast<DWORD>(WS_EX_TOOLWINDOW),
                      ::GetWindowLongW(context.TipWnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
            EXPECT_EQ(m_owner.m_hWnd, ::GetWindow(context.TipWnd(), GW_OWNER));
            continue;
        }
        ASSERT_NE(nullptr, context.Tip());
        EXPECT_TRUE(context.Tip()->IsKindOf(&CZPToolTipContext::CStandardToolTip::classCStandardToolTip));
        ASSERT_NE(nullptr, context.TipWnd());
        WCHAR szClass[64] = {};
        ::GetClassNameW(context.TipWnd(), szClass, 64);
        EXPECT_STREQ(TOOLTIPS_CLASSW, szClass);
        const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongW(context.TipWnd(), GWL_STYLE));
        EXPECT_EQ(static_cast<DWORD>(TTS_ALWAYSTIP | TTS_NOPREFIX), dwStyle & (TTS_ALWAYSTIP | TTS_NOPREFIX));
        EXPECT_EQ(c.dwBalloon, dwStyle & TTS_BALLOON);
        EXPECT_EQ(m_owner.m_hWnd, ::GetWindow(context.TipWnd(), GW_OWNER));
    }
}

TEST_F(ToolTipContextTest, KindChangesSwapTheOfficeBitsAndRebuildTheTip)
{
    EXPECT_EQ(0x3000u | TTS_NOPREFIX, m_context.SetStyle(CZPToolTipContext::kindOffice));
    EXPECT_EQ(0x4000u | TTS_NOPREFIX, m_context.SetStyle(CZPToolTipContext::kindOffice2007));
    EXPECT_EQ(RGB(0x4C, 0x4C, 0x4C), m_context.GetTipTextColor());
    m_context.SetTipTextColor(RGB(7, 8, 9));
    EXPECT_EQ(RGB(7, 8, 9), m_context.GetTipTextColor());
    EXPECT_EQ(static_cast<DWORD>(TTS_NOPREFIX), m_context.SetStyle(CZPToolTipContext::kindStandard));

    RelayAt(30, 20);
    const HWND hOldTip = m_context.TipWnd();
    ASSERT_NE(nullptr, hOldTip);
    EXPECT_EQ(0u, m_context.ModifyToolTipStyle(TTS_NOPREFIX, 0));
    EXPECT_EQ(nullptr, m_context.Tip());
    EXPECT_FALSE(::IsWindow(hOldTip));

    // The same tool again: the new window gets it although the last tool did not change.
    m_context.m_log.clear();
    RelayAt(31, 20);
    ASSERT_EQ(1u, m_context.Sent(TTM_ADDTOOLW).size());
    EXPECT_EQ(1u, m_context.Sent(TTM_ADDTOOLW)[0].uId);
}

TEST_F(ToolTipContextTest, BalloonsNeedCommonControls580)
{
    const DWORD dwWine = ZpOsVersionInstance().GetComCtlVersion();
    std::cout << "comctl32 version reported: " << HIWORD(dwWine) << "." << LOWORD(dwWine) << std::endl;
    RecordProperty("comctl32", static_cast<int>(dwWine));

    m_context.SetComCtlVersion(0x5004F);
    EXPECT_FALSE(m_context.IsBalloonStyleSupported());
    EXPECT_EQ(static_cast<DWORD>(FALSE), m_context.SetStyle(CZPToolTipContext::kindBalloon));
    EXPECT_EQ(CZPToolTipContext::kindStandard, m_context.GetKind());

    m_context.SetComCtlVersion(0x50050);
    EXPECT_TRUE(m_context.IsBalloonStyleSupported());
    EXPECT_NE(static_cast<DWORD>(FALSE), m_context.SetStyle(CZPToolTipContext::kindBalloon));
    EXPECT_EQ(CZPToolTipContext::kindBalloon, m_context.GetKind());
}

// ---- configuration of a new window ----

TEST_F(ToolTipContextTest, NewWindowIsConfiguredInOrderAndLeftInactive)
{
    const std::vector<UINT> defaults = {WM_SETFONT, TTM_SETMAXTIPWIDTH, TTM_SETMARGIN, TTM_SETDELAYTIME, TTM_ACTIVATE};
    RelayAt(200, 150);   // no tool
    EXPECT_EQ(defaults, m_context.Sequence());
    const std::vector<SpiedMessage> font = m_context.Sent(WM_SETFONT);
    EXPECT_EQ(reinterpret_cast<WPARAM>(m_context.GetFont()->GetSafeHandle()), font[0].wParam);
    EXPECT_EQ(TRUE, font[0].lParam);
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN) / 2, m_context.Sent(TTM_SETMAXTIPWIDTH)[0].lParam);

    CTestContext context;
    const RECT rcMargin = {1, 2, 3, 4};
    context.SetMargin(rcMargin);
    context.SetMaxTipWidth(-1);
    context.SetTipBkColor(RGB(1, 2, 3));
    context.SetTipTextColor(RGB(4, 5, 6));
    context.SetDelayTime(TTDT_AUTOPOP, 5000);
    context.SetDelayTime(TTDT_INITIAL, 70);
    context.SetDelayTime(TTDT_RESHOW, 30);
    context.RelayOwnerMessage(&m_owner, WM_MOUSEMOVE, 0, 0);
    const std::vector<UINT> all = {WM_SETFONT,        TTM_SETMAXTIPWIDTH, TTM_SETMARGIN,    TTM_SETTIPBKCOLOR,
                                   TTM_SETTIPTEXTCOLOR, TTM_SETDELAYTIME, TTM_SETDELAYTIME, TTM_SETDELAYTIME,
                                   TTM_ACTIVATE};
    EXPECT_EQ(all, context.Sequence());
    const std::vector<SpiedMessage> delays = context.Sent(TTM_SETDELAYTIME);
    EXPECT_EQ(static_cast<WPARAM>(TTDT_RESHOW), delays[0].wParam);
    EXPECT_EQ(30, delays[0].lParam);
    EXPECT_EQ(static_cast<WPARAM>(TTDT_INITIAL), delays[1].wParam);
    EXPECT_EQ(static_cast<WPARAM>(TTDT_AUTOPOP), delays[2].wParam);
    EXPECT_EQ(5000, delays[2].lParam);
    EXPECT_EQ(-1, context.Sent(TTM_SETMAXTIPWIDTH)[0].lParam);
    EXPECT_EQ(static_cast<WPARAM>(RGB(1, 2, 3)), context.Sent(TTM_SETTIPBKCOLOR)[0].wParam);
    RECT rcRead = {};
    ::SendMessageW(context.TipWnd(), TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(&rcRead));
    EXPECT_TRUE(::EqualRect(&rcMargin, &rcRead));
    EXPECT_EQ(70, ::SendMessageW(context.TipWnd(), TTM_GETDELAYTIME, TTDT_INITIAL, 0));
    EXPECT_EQ(RGB(1, 2, 3), context.GetTipBkColor());
    EXPECT_EQ(RGB(4, 5, 6), context.GetTipTextColor());
}

// ---- the current tool ----

TEST_F(ToolTipContextTest, OneToolPerMoveAddBeforeDeleteAndMovedRectangleReplaced)
{
    RelayAt(20, 20);
    RelayAt(25, 22);
    RelayAt(50, 30);
    std::vector<SpiedMessage> adds = m_context.Sent(TTM_ADDTOOLW);
    ASSERT_EQ(1u, adds.size()) << "no add per move inside one tool";
    EXPECT_EQ(1u, adds[0].uId);
    EXPECT_EQ(L"Open", adds[0].text);
    EXPECT_EQ(3u, m_context.Sent(TTM_RELAYEVENT).size());
    EXPECT_TRUE(m_context.Sent(TTM_DELTOOLW).empty());

    // To another tool: the new one is added, then the old one deleted.
    m_context.m_log.clear();
    RelayAt(80, 20);
    std::vector<UINT> sequence = m_context.Sequence();
    std::vector<UINT> tools;
    for (UINT message : sequence)
        if (message == TTM_ADDTOOLW || message == TTM_DELTOOLW)
            tools.push_back(message);
    EXPECT_EQ((std::vector<UINT>{TTM_ADDTOOLW, TTM_DELTOOLW}), tools);
    EXPECT_EQ(2u, m_context.Sent(TTM_ADDTOOLW)[0].uId);
    EXPECT_EQ(1u, m_context.Sent(TTM_DELTOOLW)[0].uId);
    EXPECT_EQ(1, ::SendMessageW(m_context.TipWnd(), TTM_GETTOOLCOUNT, 0, 0));

    // The same id with a new rectangle: delete, then add.
    m_context.m_log.clear();
    m_owner.m_tools[1].rc.right = 140;
    RelayAt(81, 20);
    tools.clear();
    for (UINT message : m_context.Sequence())
        if (message == TTM_ADDTOOLW || message == TTM_DELTOOLW)
            tools.push_back(message);
    EXPECT_EQ((std::vector<UINT>{TTM_DELTOOLW, TTM_ADDTOOLW}), tools);
    EXPECT_EQ(1, ::SendMessageW(m_context.TipWnd(), TTM_GETTOOLCOUNT, 0, 0));

    // The stored record keeps nothing the relay freed.
    EXPECT_EQ(2u, m_context.LastTool().uId);
    EXPECT_EQ(nullptr, m_context.LastTool().lpszText);

    // Off every tool: the tip is deactivated and the last tool deleted.
    m_context.m_log.clear();
    RelayAt(200, 150);
    EXPECT_TRUE(m_context.Sent(TTM_ADDTOOLW).empty());
    ASSERT_EQ(1u, m_context.Sent(TTM_DELTOOLW).size());
    EXPECT_EQ(2u, m_context.Sent(TTM_DELTOOLW)[0].uId);
    ASSERT_FALSE(m_context.Sent(TTM_ACTIVATE).empty());
    EXPECT_EQ(FALSE, static_cast<BOOL>(m_context.Sent(TTM_ACTIVATE)[0].wParam));
    EXPECT_EQ(0, ::SendMessageW(m_context.TipWnd(), TTM_GETTOOLCOUNT, 0, 0));
}

TEST_F(ToolTipContextTest, PrivateFlagBitsNeverReachTheTipWindow)
{
    m_owner.m_tools[0].uFlags = 0xC0000000u | TTF_CENTERTIP;
    RelayAt(20, 20);
    const std::vector<SpiedMessage> adds = m_context.Sent(TTM_ADDTOOLW);
    ASSERT_EQ(1u, adds.size());
    EXPECT_EQ(static_cast<UINT>(TTF_CENTERTIP), adds[0].uFlags);
}

TEST_F(ToolTipContextTest, RestingPointerShowsTheTipOfTheToolUnderIt)
{
    RelayAt(80, 25);
    ASSERT_TRUE(TipShows());
    EXPECT_EQ(2u, CurrentTool());
    WCHAR szText[80] = {};
    TOOLINFOW ti = {};
    ti.cbSize = sizeof(ti);
    ti.hwnd = m_owner.m_hWnd;
    ti.uId = 2;
    ti.lpszText = szText;
    ::SendMessageW(m_context.TipWnd(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(L"Save", szText);
    ZpToolTipContextCancel(&m_context);
    EXPECT_FALSE(::IsWindowVisible(m_context.TipWnd()));
}

TEST_F(ToolTipContextTest, HitTestsThatGiveNoTip)
{
    // An id with no text: the tool is added, but there is nothing to show.
    m_owner.m_tools[0].lpszText = NULL;
    RelayAt(20, 20);
    ASSERT_EQ(1u, m_context.Sent(TTM_ADDTOOLW).size());
    EXPECT_FALSE(m_context.Sent(TTM_ADDTOOLW)[0].bText);
    PumpFor(4 * kInitialDelay);
    EXPECT_FALSE(::IsWindowVisible(m_context.TipWnd()));

    // A record filled (strings and all), then -1: no tool is added, the tip is deactivated.
    m_context.m_log.clear();
    m_owner.m_bRefuse = true;
    m_context.ShowTitleAndDescription(TRUE);
    RelayAt(80, 20);
    EXPECT_TRUE(m_context.Sent(TTM_ADDTOOLW).empty());
    ASSERT_EQ(1u, m_context.Sent(TTM_ACTIVATE).size());
    EXPECT_EQ(FALSE, static_cast<BOOL>(m_context.Sent(TTM_ACTIVATE)[0].wParam));
    EXPECT_EQ(0, m_context.LastTool().lParam);
}

TEST_F(ToolTipContextTest, HitTestGetsTheCursorInClientCoordinatesEvenWhenNegative)
{
    // A point above and left of the owner's client area: the hit test sees negative coordinates,
    // taken from the cursor and not from lParam.
    POINT pt = {kOwnerX - 5, kOwnerY - 7};
    ::SetCursorPos(pt.x, pt.y);
    m_context.RelayOwnerMessage(&m_owner, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(1, 1));
    EXPECT_EQ(CPoint(-5, -7), m_owner.m_ptLastHit);
}

// ---- title, description and text ----

TEST_F(ToolTipContextTest, TitleModeSendsTitleThenDescription)
{
    struct Case
    {
        LPCWSTR lpszTitle;
        LPCWSTR lpszDescription;
        DWORD dwVersion;
        int nKind;
        std::vector<UINT> expected;   // after TTM_ADDTOOLW
        LPCWSTR lpszTitleSent;
    };
    const std::vector<UINT> titled = {TTM_SETTITLEW, TTM_UPDATETIPTEXTW};
    const std::vector<UINT> cleared = {TTM_SETTITLEW};
    const Case cases[] = {
        {L"Save", L"Saves the file", 0x50051, 0, titled, L"Save"},
        {L"Save", L"Save", 0x50051, 0, cleared, NULL},   // equal: one plain line
        {L"Save", L"", 0x50051, 0, cleared, NULL},
        {L"Save", L"Saves the file", 0x50050, 1, titled, L"Save"},
        {L"Save", L"Saves the file", 0x50047, 0, {}, NULL},   // no titles before 5.80
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        const Case& c = cases[i];
        CTestContext context;
        context.SetComCtlVersion(c.dwVersion);
        context.SetStyle(c.nKind);
        context.ShowTitleAndDescription(TRUE, TTI_WARNING);
        m_owner.m_tools[1].lpszTitle = c.lpszTitle;
        m_owner.m_tools[1].lpszDescription = c.lpszDescription;
        RelayFrom(context, m_owner, 80, 20);

        std::vector<UINT> after;
        bool bAdded = false;
        for (UINT message : context.Sequence()) {
            if (bAdded && (message == TTM_SETTITLEW || message == TTM_UPDATETIPTEXTW))
                after.push_back(message);
            bAdded = bAdded || message == TTM_ADDTOOLW;
        }
        EXPECT_EQ(c.expected, after);
        const std::vector<SpiedMessage> titles = context.Sent(TTM_SETTITLEW);
        if (c.lpszTitleSent != NULL) {
            ASSERT_EQ(1u, titles.size());
            EXPECT_EQ(static_cast<WPARAM>(TTI_WARNING), titles[0].wParam);
            EXPECT_EQ(c.lpszTitleSent, titles[0].text);
            const std::vector<SpiedMessage> updates = context.Sent(TTM_UPDATETIPTEXTW);
            ASSERT_EQ(1u, updates.size());
            EXPECT_EQ(c.lpszDescription, updates[0].text);
            EXPECT_EQ(2u, updates[0].uId);
        } else if (!titles.empty()) {
            EXPECT_EQ(0u, titles[0].wParam);
            EXPECT_EQ(0, titles[0].lParam);
        }
        EXPECT_EQ(static_cast<UINT>(ZP_TTTOOLINFO_SIZE_EX), context.LastTool().cbSize);
        EXPECT_EQ(0, context.LastTool().lParam);
    }
}

TEST_F(ToolTipContextTest, ClearedTitleShrinksTheRealTip)
{
    m_context.ShowTitleAndDescription(TRUE);
    RelayAt(80, 20);
    ASSERT_TRUE(TipShows());
    CRect rcTitled;
    ::GetWindowRect(m_context.TipWnd(), &rcTitled);

    ZpToolTipContextCancel(&m_context);
    m_owner.m_tools[0].lpszDescription = L"Open";   // equal to its title
    RelayAt(20, 20);
    ASSERT_TRUE(TipShows());
    EXPECT_EQ(1u, CurrentTool());
    CRect rcPlain;
    ::GetWindowRect(m_context.TipWnd(), &rcPlain);
    std::cout << "tip height with title " << rcTitled.Height() << " px, without " << rcPlain.Height() << " px"
              << std::endl;
    EXPECT_LT(rcPlain.Height(), rcTitled.Height());
}

TEST_F(ToolTipContextTest, MnemonicMarkersGoWithoutNoPrefix)
{
    struct Case
    {
        DWORD dwRemove;
        LPCWSTR lpszText;
        LPCWSTR lpszTitle;
        LPCWSTR lpszTextSent;
        LPCWSTR lpszTitleSent;
    };
    const Case cases[] = {
        {TTS_NOPREFIX, L"&Open && Save", L"&File", L"Open & Save", L"File"},
        {0, L"&Open && Save", L"&File", L"&Open && Save", L"&File"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "remove " << c.dwRemove);
        CTestContext context;
        context.ModifyToolTipStyle(c.dwRemove, 0);
        context.ShowTitleAndDescription(TRUE);
        m_owner.m_tools[0].lpszText = c.lpszText;
        m_owner.m_tools[0].lpszTitle = c.lpszTitle;
        RelayFrom(context, m_owner, 20, 20);
        ASSERT_EQ(1u, context.Sent(TTM_ADDTOOLW).size());
        EXPECT_EQ(c.lpszTextSent, context.Sent(TTM_ADDTOOLW)[0].text);
        ASSERT_EQ(1u, context.Sent(TTM_SETTITLEW).size());
        EXPECT_EQ(c.lpszTitleSent, context.Sent(TTM_SETTITLEW)[0].text);
    }

    // A string id is read-only: left alone (writing to it would fault).
    m_context.ModifyToolTipStyle(TTS_NOPREFIX, 0);
    m_owner.m_tools[1].lpszText = MAKEINTRESOURCEW(101);
    m_owner.m_tools[1].hinst = ::GetModuleHandleW(NULL);
    RelayAt(80, 20);
    ASSERT_EQ(1u, m_context.Sent(TTM_ADDTOOLW).size());
    EXPECT_FALSE(m_context.Sent(TTM_ADDTOOLW)[0].bText);
}

TEST_F(ToolTipContextTest, ImageOfTheToolGoesToTheTipWindow)
{
    CZPImageManager images;
    CZPImageManagerStateImage image;
    LPBYTE pBits = NULL;
    image.TakeBitmap(ZpCreateDibSection32(NULL, 16, 16, &pBits));
    ASSERT_TRUE(images.SetIcon(&image, 102, 16, 16, 0));   // tool 2 with the offset below

    m_context.ShowImage(TRUE, 100);
    RelayAt(20, 20);   // no image manager
    m_owner.m_pImages = &images;
    RelayAt(80, 20);   // the icon of 102
    RelayAt(20, 20);   // no icon for 101
    const std::vector<SpiedMessage> sent = m_context.Sent(ZP_TTM_SETIMAGE);
    ASSERT_EQ(3u, sent.size());
    EXPECT_EQ(0, sent[0].lParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(images.GetImage(102, 1)), sent[1].lParam);
    EXPECT_NE(0, sent[1].lParam);
    EXPECT_EQ(0, sent[2].lParam);
}

// ---- buttons, keys and activation ----

TEST_F(ToolTipContextTest, HeldButtonFreezesTheTipState)
{
    RelayAt(20, 20);
    for (int vk : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON}) {
        SCOPED_TRACE(vk);
        BYTE keys[256] = {};
        keys[vk] = 0x80;
        ASSERT_TRUE(::SetKeyboardState(keys));
        m_context.m_log.clear();
        const int nHitTests = m_owner.m_nHitTests;
        for (UINT message : {WM_MOUSEMOVE, WM_NCMOUSEMOVE, WM_LBUTTONUP, WM_MOUSELEAVE}) {
            RelayAt(80, 20, message);
            RelayAt(200, 150, message);
        }
        EXPECT_TRUE(m_context.m_log.empty());
        EXPECT_EQ(nHitTests, m_owner.m_nHitTests);
        ASSERT_TRUE(::SetKeyboardState(m_keysUp));
    }
    RelayAt(80, 20);
    EXPECT_EQ(2u, m_context.LastTool().uId);
}

TEST_F(ToolTipContextTest, KeysAndButtonPressesHideTheTip)
{
    ZpToolTipContextCancel(NULL);
    ZpToolTipContextCancel(&m_context);   // no tip yet: nothing happens

    RelayAt(20, 20);
    ASSERT_TRUE(TipShows());
    m_context.RelayOwnerMessage(&m_owner, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_FALSE(::IsWindowVisible(m_context.TipWnd()));

    const UINT messages[] = {WM_KEYDOWN,      WM_KEYUP,           WM_CHAR,         WM_SYSKEYDOWN,  WM_NCLBUTTONDOWN,
                             WM_NCRBUTTONDBLCLK, WM_NCMBUTTONDOWN, WM_LBUTTONDOWN, WM_RBUTTONDBLCLK, WM_MBUTTONDOWN};
    for (UINT message : messages) {
        SCOPED_TRACE(message);
        m_context.m_log.clear();
        m_context.RelayOwnerMessage(&m_owner, message, 0, 0);
        EXPECT_EQ(std::vector<UINT>{TTM_ACTIVATE}, m_context.Sequence());
        EXPECT_EQ(FALSE, static_cast<BOOL>(m_context.m_log[0].wParam));
    }
    // Anything else is ignored.
    m_context.m_log.clear();
    for (UINT message : {static_cast<UINT>(WM_PAINT), static_cast<UINT>(WM_MOUSEWHEEL), static_cast<UINT>(WM_TIMER)})
        m_context.RelayOwnerMessage(&m_owner, message, 0, 0);
    EXPECT_TRUE(m_context.m_log.empty());
}

TEST_F(ToolTipContextTest, InactiveOwnerChainHidesTheTipAndActivatesNone)
{
    RelayAt(20, 20);
    ASSERT_TRUE(TipShows());

    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, NULL, L"other", WS_POPUP | WS_VISIBLE, 600, 500, 100, 100, NULL, NULL));
    other.SetForegroundWindow();
    PumpFor(20);
    ASSERT_FALSE(ZpIsOwnerChainActive(m_owner.m_hWnd));

    // A visible tip: hidden, and nothing else happens.
    m_context.m_log.clear();
    RelayAt(80, 20);
    EXPECT_EQ(std::vector<UINT>{TTM_ACTIVATE}, m_context.Sequence());
    EXPECT_FALSE(::IsWindowVisible(m_context.TipWnd()));

    // No visible tip: the new tool is added but not activated...
    m_context.m_log.clear();
    RelayAt(80, 21);
    ASSERT_EQ(1u, m_context.Sent(TTM_ADDTOOLW).size());
    for (const SpiedMessage& m : m_context.Sent(TTM_ACTIVATE))
        EXPECT_EQ(FALSE, static_cast<BOOL>(m.wParam));

    // ...unless the tool asks for it with flag bit 30.
    m_context.m_log.clear();
    m_owner.m_tools[0].uFlags = ZP_TTF_ALWAYSACTIVATE;
    RelayAt(20, 20);
    const std::vector<SpiedMessage> activations = m_context.Sent(TTM_ACTIVATE);
    ASSERT_EQ(1u, activations.size());
    EXPECT_EQ(TRUE, static_cast<BOOL>(activations[0].wParam));
    EXPECT_EQ(0u, m_context.Sent(TTM_ADDTOOLW)[0].uFlags & ZP_TTF_PRIVATEMASK);
    other.DestroyWindow();
}

// ---- the tip window and its top-level window ----

TEST_F(ToolTipContextTest, EmbeddedChildStandsForItsParentUnderThePointer)
{
    CEmbeddedChild embedded(1);
    CEmbeddedChild plain(0);
    ASSERT_TRUE(embedded.CreateEx(0, NULL, NULL, WS_CHILD | WS_VISIBLE, 15, 15, 20, 20, m_owner.m_hWnd, NULL));
    ASSERT_TRUE(plain.CreateEx(0, NULL, NULL, WS_CHILD | WS_VISIBLE, 75, 15, 20, 20, m_owner.m_hWnd, NULL));
    RelayAt(200, 150);   // makes the tip window

    struct Case
    {
        int x, y;
        HWND hExpected;
    };
    const Case cases[] = {{20, 20, m_owner.m_hWnd}, {80, 20, plain.m_hWnd}, {200, 150, m_owner.m_hWnd}};
    for (const Case& c : cases) {
        POINT pt = {c.x, c.y};
        m_owner.ClientToScreen(&pt);
        EXPECT_EQ(c.hExpected, reinterpret_cast<HWND>(::SendMessageW(m_context.TipWnd(), TTM_WINDOWFROMPOINT, 0,
                                                                      reinterpret_cast<LPARAM>(&pt))));
    }

    // The control asks the same when its show timer fires: the tip of the tool under the child shows.
    RelayAt(20, 20);
    ASSERT_TRUE(TipShows());
    EXPECT_EQ(1u, CurrentTool());
}

TEST_F(ToolTipContextTest, TipFollowsTheOwnersTopLevelWindow)
{
    CWnd frameA, frameB;
    ASSERT_TRUE(frameA.CreateEx(0, NULL, L"A", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, NULL, NULL));
    ASSERT_TRUE(frameB.CreateEx(0, NULL, L"B", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, NULL, NULL));
    COwner child;
    child.m_tools = m_owner.m_tools;
    ASSERT_TRUE(child.CreateEx(0, NULL, NULL, WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, frameA.m_hWnd, NULL));
    frameA.SetForegroundWindow();
    // A tip shows only over an active top-level window; Wine activates asynchronously under load.
    ASSERT_TRUE(PumpUntil([&child] { return ZpIsOwnerChainActive(child.m_hWnd) != FALSE; }));

    {
        CTestContext context;
        RelayFrom(context, child, 20, 20);
        const HWND hFirstTip = context.TipWnd();
        ASSERT_NE(nullptr, hFirstTip);
        EXPECT_EQ(frameA.m_hWnd, ::GetWindow(hFirstTip, GW_OWNER));

        // The owner moves to another top-level window, and the old one is destroyed with its tip.
        child.SetParent(&frameB);
        frameA.DestroyWindow();
        frameB.SetForegroundWindow();
        ASSERT_TRUE(PumpUntil([&child] { return ZpIsOwnerChainActive(child.m_hWnd) != FALSE; }));
        EXPECT_FALSE(::IsWindow(hFirstTip));
        EXPECT_EQ(nullptr, context.TipWnd());

        context.m_log.clear();
        RelayFrom(context, child, 20, 20);
        ASSERT_NE(nullptr, context.TipWnd());
        EXPECT_EQ(frameB.m_hWnd, ::GetWindow(context.TipWnd(), GW_OWNER));
        ASSERT_EQ(1u, context.Sent(TTM_ADDTOOLW).size()) << "the same tool is added to the new window";
        // A generous bound: under heavy load the show timer can run late.
        EXPECT_TRUE(PumpUntil([&context] { return ::IsWindowVisible(context.TipWnd()) != FALSE; }, 4 * kPumpWaitMs));
    }   // the destructor destroys only the live window
    frameB.DestroyWindow();
}

}   // namespace
