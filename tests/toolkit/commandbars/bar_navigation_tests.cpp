// Keys of a tracking bar: the navigation tables, moving the highlight on plain, right-to-left and
// grid bars, mnemonics, and a site that releases the bar while it is asked.
#include "commandbars_test_support.h"

#include "commandbars/ZPCommandBarsResource.h"
#include "commandbars/ZPControl.h"

#include <string>

namespace {

int g_nNavigationBeeps = 0;
void CountNavigationBeep(UINT)
{
    ++g_nNavigationBeeps;
}

class BarNavigationTest : public CommandBarsTest
{
protected:
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        g_nNavigationBeeps = 0;
        CZPCommandBar::s_pfnNavigationBeep = CountNavigationBeep;
        BYTE state[256] = {};
        ::SetKeyboardState(state);
    }
};

TEST(BarNavigationTables, KeysGiveTheirCodeByOrientationAndReadingOrder)
{
    const struct
    {
        UINT nKey;
        int nHorizontal, nVertical, nHorizontalRtl, nVerticalRtl;
    } cases[] = {
        { VK_HOME, zpNavFirst, zpNavFirst, zpNavFirst, zpNavFirst },
        { VK_END, zpNavLast, zpNavLast, zpNavLast, zpNavLast },
        { VK_UP, zpNavClosePopup, zpNavPrevious, zpNavClosePopup, zpNavPrevious },
        { VK_DOWN, zpNavOpenPopup, zpNavNext, zpNavOpenPopup, zpNavNext },
        { VK_LEFT, zpNavPreviousArrow, zpNavClosePopup, zpNavNextArrow, zpNavOpenPopup },
        { VK_RIGHT, zpNavNextArrow, zpNavOpenPopup, zpNavPreviousArrow, zpNavClosePopup },
        { 'A', -1, -1, -1, -1 },
        { VK_TAB, -1, -1, -1, -1 },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.nHorizontal, ZpNavigationCodeOfKey(c.nKey, TRUE, FALSE)) << c.nKey;
        EXPECT_EQ(c.nVertical, ZpNavigationCodeOfKey(c.nKey, FALSE, FALSE)) << c.nKey;
        EXPECT_EQ(c.nHorizontalRtl, ZpNavigationCodeOfKey(c.nKey, TRUE, TRUE)) << c.nKey;
        EXPECT_EQ(c.nVerticalRtl, ZpNavigationCodeOfKey(c.nKey, FALSE, TRUE)) << c.nKey;
    }
    // Which bars count as horizontal: docked top or bottom, floating, and grid popups.
    const struct
    {
        int nPosition;
        BOOL bHorizontal;
    } positions[] = { { zpBarTop, TRUE },    { zpBarBottom, TRUE },   { zpBarLeft, FALSE },
                      { zpBarRight, FALSE }, { zpBarFloating, TRUE }, { zpBarPopup, TRUE } };
    for (const auto& c : positions) {
        CZPCommandBar* pBar = new CZPCommandBar;  // type 1: a popup position makes it a grid
        pBar->SetPosition(c.nPosition);
        EXPECT_EQ(c.bHorizontal, pBar->IsHorizontalForNavigation()) << c.nPosition;
        pBar->InternalRelease();
    }
}

// A bar window with captioned controls laid out in rows of nPerRow, 30 by 20 each.
struct CNavigationBar
{
    CNavigationBar(HWND hWndSite, const std::vector<LPCWSTR>& captions, int nPerRow, int nPosition, DWORD dwExStyle = 0)
    {
        pBar = ZpTestCreateCaptionedBar(hWndSite, captions, nPerRow, dwExStyle);
        pBar->SetPosition(nPosition);
    }
    ~CNavigationBar()
    {
        if (pBar != NULL) {
            pBar->DestroyWindow();
            pBar->InternalRelease();
        }
    }
    int Press(UINT nKey) { return pBar->ProcessTrackingKey(nKey, 1); }
    CZPCommandBar* pBar;  // owned: one reference
};

TEST_F(BarNavigationTest, ArrowsHomeEndAndTabMoveTheHighlightAndWrap)
{
    CTestSite site;
    const struct
    {
        int nPosition;
        DWORD dwExStyle;
        UINT nForward, nBackward;
    } bars[] = {
        { zpBarTop, 0, VK_RIGHT, VK_LEFT },
        { zpBarTop, WS_EX_LAYOUTRTL, VK_LEFT, VK_RIGHT },
        { zpBarLeft, 0, VK_DOWN, VK_UP },
        { zpBarTop, 0, VK_TAB, 0 },
    };
    for (const auto& b : bars) {
        CNavigationBar bar(site.m_hWnd, { L"One", L"Two", L"Three" }, 3, b.nPosition, b.dwExStyle);
        EXPECT_EQ(zpKeyHandled, bar.Press(b.nForward));
        EXPECT_EQ(0, bar.pBar->GetHighlightedIndex());
        EXPECT_EQ(zpSelectionKeyboard, bar.pBar->ControlAt(0)->GetSelected());
        bar.Press(b.nForward);
        bar.Press(b.nForward);
        bar.Press(b.nForward);
        EXPECT_EQ(0, bar.pBar->GetHighlightedIndex()) << b.nForward;  // wrapped
        if (b.nBackward != 0) {
            bar.Press(b.nBackward);
            EXPECT_EQ(2, bar.pBar->GetHighlightedIndex());
            EXPECT_EQ(zpSelectionKeyboardBack, bar.pBar->ControlAt(2)->GetSelected());
        }
        bar.Press(VK_HOME);
        EXPECT_EQ(0, bar.pBar->GetHighlightedIndex());
        bar.Press(VK_END);
        EXPECT_EQ(2, bar.pBar->GetHighlightedIndex());
    }
    EXPECT_EQ(0, site.Count(WM_COMMAND));
    EXPECT_EQ(0, g_nNavigationBeeps);
}

TEST_F(BarNavigationTest, GridRowsKeepTheColumn)
{
    CTestSite site;
    // Two rows: 0 1 2 / 3 4 (a short second row).
    CNavigationBar bar(site.m_hWnd, { L"a", L"b", L"c", L"d", L"e" }, 3, zpBarPopup);
    ASSERT_TRUE(bar.pBar->IsGridPopup());
    const struct
    {
        int nFrom;
        UINT nKey;
        int nTo;
    } cases[] = {
        { -1, VK_DOWN, 0 }, { 1, VK_DOWN, 4 }, { 4, VK_UP, 1 },    { 2, VK_DOWN, 4 },
        { 0, VK_UP, 3 },    { 4, VK_DOWN, 1 }, { 3, VK_RIGHT, 4 },
    };
    for (const auto& c : cases) {
        bar.pBar->HighlightControlAt(c.nFrom, 2);
        bar.Press(c.nKey);
        EXPECT_EQ(c.nTo, bar.pBar->GetHighlightedIndex()) << c.nFrom << " " << c.nKey;
    }
}

TEST_F(BarNavigationTest, MnemonicsHighlightAndRunOrWaitWhenAmbiguous)
{
    CTestSite site;
    CNavigationBar bar(site.m_hWnd, { L"&File", L"&Edit", L"&Format", L"Help", L"A&&B" }, 5, zpBarTop);
    // One explicit match runs at once.
    EXPECT_EQ(zpKeyHandled, bar.Press('E'));
    EXPECT_EQ(1, bar.pBar->GetHighlightedIndex());
    EXPECT_EQ(1, site.Count(WM_COMMAND));
    // Two: the next one after the highlight is highlighted, nothing runs.
    bar.Press('F');
    EXPECT_EQ(2, bar.pBar->GetHighlightedIndex());
    bar.Press('F');
    EXPECT_EQ(0, bar.pBar->GetHighlightedIndex());
    EXPECT_EQ(1, site.Count(WM_COMMAND));
    // A first letter counts when no '&' matches; "A&&B" has no mnemonic but its first letter.
    bar.Press('H');
    EXPECT_EQ(3, bar.pBar->GetHighlightedIndex());
    EXPECT_EQ(2, site.Count(WM_COMMAND));
    bar.Press('A');
    EXPECT_EQ(4, bar.pBar->GetHighlightedIndex());
    EXPECT_EQ(0, g_nNavigationBeeps);

    bar.Press('Z');
    EXPECT_EQ(1, g_nNavigationBeeps);
    bar.Press(VK_SHIFT);
    EXPECT_EQ(1, g_nNavigationBeeps);
    BYTE state[256] = {};
    state[VK_CONTROL] = 0x80;
    ::SetKeyboardState(state);
    bar.Press('E');  // no mnemonic search with Ctrl held
    EXPECT_EQ(4, bar.pBar->GetHighlightedIndex());
    EXPECT_EQ(2, g_nNavigationBeeps);
    bar.Press(VK_CONTROL);
    EXPECT_EQ(2, g_nNavigationBeeps);
}

TEST_F(BarNavigationTest, LockedBarsSwallowKeysAndASiteMayReleaseTheBar)
{
    CTestSite site;
    CNavigationBar bar(site.m_hWnd, { L"One", L"Two" }, 2, zpBarTop);
    bar.pBar->AdjustLockCount(1);
    EXPECT_EQ(zpKeyHandled, bar.Press(VK_RIGHT));
    EXPECT_EQ(-1, bar.pBar->GetHighlightedIndex());
    bar.pBar->AdjustLockCount(-1);

    // The site sees the key first, with the key data and the bar.
    std::vector<WPARAM> seen;
    site.m_answer = [&](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == ZpMsgTrackingKey && lParam == reinterpret_cast<LPARAM>(bar.pBar)) {
            seen.push_back(reinterpret_cast<const WPARAM*>(wParam)[0]);
            if (seen.size() == 2) {
                CZPCommandBar* pBar = bar.pBar;
                bar.pBar = NULL;
                pBar->DestroyWindow();
                pBar->InternalRelease();
            }
        }
        return 0;
    };
    CZPCommandBar* pBar = bar.pBar;
    EXPECT_EQ(zpKeyHandled, pBar->ProcessTrackingKey(VK_RIGHT, 1));
    EXPECT_EQ(0, pBar->GetHighlightedIndex());
    EXPECT_EQ(zpKeyHandled, pBar->ProcessTrackingKey(VK_RIGHT, 1));  // released while asked
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(static_cast<WPARAM>(VK_RIGHT), seen[1]);
    EXPECT_EQ(nullptr, bar.pBar);
}

}  // namespace
