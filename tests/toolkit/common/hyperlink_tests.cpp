// The hyperlink control in a framework parent: hover, cursor and colours by pointer place and
// static style, clicks, font, tooltip, and the shell's answers with their texts.
#include "common/ZPHyperLink.h"

#include "common/ZPCommonResource.h"
#include "common/ZPResourceManager.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const UINT kLinkId = 100;
const CRect kLinkRect(10, 10, 310, 40);
const POINT kParentOrigin = { 100, 100 };
const COLORREF kLinkColor = RGB(0, 0, 255);
const COLORREF kHoverColor = RGB(255, 0, 0);

// Counts the clicks that the link passes on.
class CLinkParent : public CWnd
{
public:
    int m_nClicks = 0;

    BOOL CreateParent()
    {
        return CreateEx(0, AfxRegisterWndClass(0), L"parent", WS_POPUP | WS_VISIBLE, kParentOrigin.x,
                        kParentOrigin.y, 400, 120, NULL, NULL);
    }

protected:
    void OnLinkClicked() { ++m_nClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLinkParent, CWnd)
    ON_CONTROL(STN_CLICKED, kLinkId, OnLinkClicked)
END_MESSAGE_MAP()

class CTestLink : public CZHyperLink
{
public:
    CToolTipCtrl& ToolTip() { return m_toolTip; }

    // Each font change found the font being replaced still alive.
    bool m_bOldFontAliveAtEachChange = true;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETFONT && GetFont() != NULL && ::GetObjectType(GetFont()) != OBJ_FONT)
            m_bOldFontAliveAtEachChange = false;
        return CZHyperLink::WindowProc(message, wParam, lParam);
    }
};

// The tool text of the link's tooltip.
std::wstring ToolTipText(CTestLink& link)
{
    wchar_t szText[1024] = L"";
    TOOLINFOW ti = {};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = ::GetParent(link.m_hWnd);
    ti.uId = reinterpret_cast<UINT_PTR>(link.m_hWnd);
    ti.lpszText = szText;
    link.ToolTip().SendMessage(TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&ti));
    return szText;
}

// The text colour the link chooses when its parent asks how to paint it.
COLORREF LinkTextColor(CLinkParent& parent, CZHyperLink& link)
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    ::SetTextColor(hDC, RGB(1, 2, 3));
    parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(link.m_hWnd));
    COLORREF crText = ::GetTextColor(hDC);
    ::DeleteDC(hDC);
    return crText;
}

int TextWidth(CZHyperLink& link)
{
    CString strText;
    link.GetWindowText(strText);
    HDC hDC = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, link.GetFont());
    SIZE size = {};
    ::GetTextExtentPoint32W(hDC, strText, strText.GetLength(), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(NULL, hDC);
    return size.cx;
}

class HyperLink : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateParent());
    }

    void CreateLink(CTestLink& link, DWORD dwStyle, LPCWSTR lpszText = L"Tolvane")
    {
        ASSERT_TRUE(link.Create(lpszText, WS_CHILD | WS_VISIBLE | dwStyle, kLinkRect, &m_parent, kLinkId));
    }

    // Puts the pointer on the link at x (client coordinates), halfway down.
    void PointAt(CZHyperLink& link, int x)
    {
        POINT pt = { x, kLinkRect.Height() / 2 };
        ::ClientToScreen(link.m_hWnd, &pt);
        ASSERT_TRUE(::SetCursorPos(pt.x, pt.y));
        POINT ptNow = {};
        ::GetCursorPos(&ptNow);
        ASSERT_EQ(pt.x, ptNow.x);
        ASSERT_EQ(pt.y, ptNow.y);
    }

    CRecordingThread m_thread;
    CLinkParent m_parent;
};

// Dispatches messages until bDone holds; FALSE when it never does within a generous bound.
template <class T>
BOOL PumpUntil(T bDone)
{
    const DWORD kGiveUpMs = 5000;
    DWORD dwStart = ::GetTickCount();
    while (!bDone()) {
        if (::GetTickCount() - dwStart > kGiveUpMs)
            return FALSE;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
        PumpPending();
    }
    return TRUE;
}

enum PLACE { placeLeftEdge, placeMiddle, placeRightEdge, placeAfterLeftText };

int PlaceX(PLACE place, int nTextWidth)
{
    switch (place) {
    case placeLeftEdge:
        return 2;
    case placeMiddle:
        return kLinkRect.Width() / 2;
    case placeRightEdge:
        return kLinkRect.Width() - 3;
    default:
        return nTextWidth + 10;
    }
}

}  // namespace

TEST_F(HyperLink, HoverCursorAndColourFollowTheDrawnText)
{
    struct
    {
        DWORD dwStyle;
        PLACE place;
        bool bOver;
    } const cases[] = {
        { SS_LEFT, placeLeftEdge, true },       { SS_LEFT, placeAfterLeftText, false },
        { SS_LEFT, placeRightEdge, false },     { SS_CENTER, placeLeftEdge, false },
        { SS_CENTER, placeMiddle, true },       { SS_CENTER, placeRightEdge, false },
        { SS_RIGHT, placeLeftEdge, false },     { SS_RIGHT, placeRightEdge, true },
        // A picture static is a link all over, and leaves its colours to the parent.
        { SS_ICON, placeLeftEdge, true },       { SS_ICON, placeRightEdge, true },
    };
    // The toolkit's own hand stands in on systems without one.
    EXPECT_NE(nullptr, ZpResourceManagerInstance()->LoadCursor(ZP_IDC_HAND));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.dwStyle << " place " << c.place);
        CTestLink link;
        CreateLink(link, c.dwStyle);
        PointAt(link, PlaceX(c.place, TextWidth(link)));
        EXPECT_EQ(c.bOver, link.IsPointerOverText() != FALSE);

        link.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(link.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(c.bOver, ::GetCursor() == link.GetLinkCursor());

        link.SendMessage(WM_TIMER, 1);
        COLORREF crText = LinkTextColor(m_parent, link);
        if (c.dwStyle == SS_ICON)
            EXPECT_TRUE(crText != kHoverColor && crText != kLinkColor);
        else
            EXPECT_EQ(c.bOver ? kHoverColor : kLinkColor, crText);
    }
}

TEST_F(HyperLink, LeavingTheTextEndsHoverAndVisitedColourShows)
{
    CTestLink link;
    CreateLink(link, SS_CENTER);
    PointAt(link, PlaceX(placeMiddle, 0));
    link.SendMessage(WM_TIMER, 1);
    EXPECT_EQ(kHoverColor, LinkTextColor(m_parent, link));

    PointAt(link, PlaceX(placeLeftEdge, 0));
    link.SendMessage(WM_TIMER, 1);
    EXPECT_EQ(kLinkColor, LinkTextColor(m_parent, link));
    link.SetVisited(TRUE);
    EXPECT_EQ(RGB(128, 0, 128), LinkTextColor(m_parent, link));
    link.SetColors(RGB(0, 128, 0), RGB(0, 64, 0), RGB(64, 0, 0));
    EXPECT_EQ(RGB(0, 64, 0), LinkTextColor(m_parent, link));
}

TEST_F(HyperLink, MouseMoveTracksHoverUntilThePointerLeaves)
{
    CTestLink link;
    CreateLink(link, SS_CENTER);
    // Only a move over the text starts tracking.
    PointAt(link, PlaceX(placeLeftEdge, 0));
    link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 5));
    EXPECT_FALSE(::KillTimer(link.m_hWnd, 1));

    PointAt(link, PlaceX(placeMiddle, 0));
    link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(kLinkRect.Width() / 2, 5));
    EXPECT_TRUE(PumpUntil([&] { return LinkTextColor(m_parent, link) == kHoverColor; }));

    PointAt(link, PlaceX(placeLeftEdge, 0));
    EXPECT_TRUE(PumpUntil([&] { return LinkTextColor(m_parent, link) == kLinkColor; }));
    // Once the pointer has left, the timer is gone.
    EXPECT_FALSE(::KillTimer(link.m_hWnd, 1));
}

TEST_F(HyperLink, ClicksMarkVisitedAndOnlyTextLinksPassThemOn)
{
    struct
    {
        DWORD dwStyle;
        PLACE place;
        bool bVisited;
        int nClicksSeen;
    } const cases[] = {
        { SS_LEFT, placeLeftEdge, true, 1 },
        { SS_CENTER, placeLeftEdge, false, 1 },   // beside the text: not a click on the link
        { SS_ICON, placeRightEdge, true, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.dwStyle);
        CTestLink link;
        CreateLink(link, c.dwStyle);
        link.m_bNavigateOnClick = FALSE;
        m_parent.m_nClicks = 0;
        PointAt(link, PlaceX(c.place, TextWidth(link)));
        m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(kLinkId, STN_CLICKED), reinterpret_cast<LPARAM>(link.m_hWnd));
        EXPECT_EQ(c.bVisited, link.IsVisited() != FALSE);
        EXPECT_EQ(c.nClicksSeen, m_parent.m_nClicks);
    }
}

TEST_F(HyperLink, UnderlineFontIsReplacedOnlyAfterTheControlHasTheNewOne)
{
    CTestLink link;
    CreateLink(link, SS_LEFT);
    EXPECT_NE(0u, link.GetStyle() & SS_NOTIFY);
    HFONT hUnderlined = link.GetFont();
    LOGFONTW lf = {};
    ASSERT_NE(0, ::GetObjectW(hUnderlined, sizeof(lf), &lf));
    EXPECT_EQ(TRUE, lf.lfUnderline);

    link.SetUnderline(FALSE);
    HFONT hPlain = link.GetFont();
    ASSERT_NE(hUnderlined, hPlain);
    EXPECT_EQ(0u, ::GetObjectType(hUnderlined));
    ASSERT_NE(0, ::GetObjectW(hPlain, sizeof(lf), &lf));
    EXPECT_EQ(FALSE, lf.lfUnderline);
    EXPECT_FALSE(link.IsUnderlined());
    EXPECT_TRUE(link.m_bOldFontAliveAtEachChange);
}

TEST_F(HyperLink, BackColourFillsBehindTheLinkColouredText)
{
    const COLORREF kBack = RGB(0, 255, 0);
    CTestLink link;
    CreateLink(link, SS_LEFT, L"WWWWWWWW");
    link.SetBackColor(kBack);
    EXPECT_EQ(kBack, link.GetBackColor());
    link.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);

    HDC hDC = ::GetDC(link.m_hWnd);
    int nBack = 0, nLink = 0, nOther = 0;
    for (int y = 0; y < kLinkRect.Height(); ++y) {
        for (int x = 0; x < kLinkRect.Width(); ++x) {
            COLORREF cr = ::GetPixel(hDC, x, y);
            ++(cr == kBack ? nBack : cr == kLinkColor ? nLink : nOther);
        }
    }
    ::ReleaseDC(link.m_hWnd, hDC);
    // Far right of the text only the back colour shows; the text itself is in the link colour
    // (anti-aliased edges may blend).
    EXPECT_GT(nBack, kLinkRect.Width() * kLinkRect.Height() / 2);
    EXPECT_GT(nLink, 0);

    link.SetBackColor(static_cast<COLORREF>(-1));
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), link.GetBackColor());
}

TEST_F(HyperLink, SubclassedStaticTakesItsTextAsTargetAndTooltip)
{
    HWND hStatic = ::CreateWindowExW(0, L"STATIC", L"https://example.org/", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 50,
                                     300, 30, m_parent.m_hWnd, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hStatic);
    CTestLink link;
    ASSERT_TRUE(link.SubclassWindow(hStatic));
    EXPECT_EQ(CString(L"https://example.org/"), link.GetTarget());
    EXPECT_NE(0u, link.GetStyle() & SS_NOTIFY);
    ASSERT_NE(nullptr, link.ToolTip().GetSafeHwnd());
    EXPECT_EQ(L"https://example.org/", ToolTipText(link));

    link.SetTarget(L"https://example.org/second");
    EXPECT_EQ(L"https://example.org/second", ToolTipText(link));
}

TEST_F(HyperLink, FailedOpensReportTheShellsAnswer)
{
    wchar_t szTemp[MAX_PATH];
    ASSERT_NE(0u, ::GetTempPathW(MAX_PATH, szTemp));
    CString strMissing, strUnassociated;
    strMissing.Format(L"%lstolvane-link-missing-%lu.txt", szTemp, ::GetCurrentProcessId());
    strUnassociated.Format(L"%lstolvane-link-%lu.zqxlink", szTemp, ::GetCurrentProcessId());
    HANDLE hFile = ::CreateFileW(strUnassociated, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    ::CloseHandle(hFile);

    CTestLink link;
    CreateLink(link, SS_LEFT);
    EXPECT_FALSE(link.Open(strMissing));
    EXPECT_FALSE(link.Open(strUnassociated));
    link.ReportShellError(99);
    ::DeleteFileW(strUnassociated);

    // A link with no target opens nothing, not even the current folder.
    link.SetTarget(L"");
    EXPECT_FALSE(link.Open());

    // A failed open on click leaves the link unvisited.
    link.SetTarget(strMissing);
    PointAt(link, PlaceX(placeLeftEdge, 0));
    m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(kLinkId, STN_CLICKED), reinterpret_cast<LPARAM>(link.m_hWnd));
    EXPECT_FALSE(link.IsVisited());

    const std::vector<std::wstring> expected = {
        L"The specified file was not found.",
        L"There is no application associated with the given file name extension.",
        L"An unknown error number 99 occured.",
        L"The specified file was not found.",
        L"The specified file was not found.",
    };
    EXPECT_EQ(expected, m_thread.m_boxes);
}

namespace {

// A language file's text for unknown errors, written as if it were a printf format.
class CFormatTextResources : public CZPResourceManager
{
public:
    CString LoadStringOrEmpty(UINT nID, BOOL* pbError) override
    {
        if (nID == 9370)
            return L"%s%n: %d, %d";
        return CZPResourceManager::LoadStringOrEmpty(nID, pbError);
    }
};

}  // namespace

TEST_F(HyperLink, UnknownErrorTextTakesOnlyTheNumber)
{
    ASSERT_TRUE(CZPResourceManager::SetResourceManager(new CFormatTextResources));
    CString strText = CZHyperLink::GetShellErrorText(99);
    CString strKnown = CZHyperLink::GetShellErrorText(SE_ERR_DDEBUSY);
    ASSERT_TRUE(CZPResourceManager::SetResourceManager(new CZPResourceManager));
    EXPECT_EQ(CString(L"%s%n: 99, %d"), strText);
    EXPECT_EQ(CString(L"The DDE transaction could not be completed because other DDE transactions were being processed."),
              strKnown);
    EXPECT_EQ(CString(L"The .exe file is invalid (non-Win32\u00AE .exe or error in .exe image)."),
              CZHyperLink::GetShellErrorText(ERROR_BAD_FORMAT));
}
