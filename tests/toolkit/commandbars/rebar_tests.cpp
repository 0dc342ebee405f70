// Tests of the command bars' rebar: command-bar bands, the band state text and its profile round
// trip, damaged state lines, and the frame's relayout when the rebar's height changes.
#include "commandbars/ZPReBar.h"
#include "commandbars/ZPToolBar.h"

#include <framework/app.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

const LPCWSTR kCompany = L"Tolvane Rebar Tests";
const UINT kMenuBarId = 1, kLinkBandId = 140, kToolBarId = 128;
const int kBarHeight = 24;

// A toolbar of a fixed docked size that records its visibility.
class CBandBar : public CZPToolBar
{
public:
    explicit CBandBar(int cx) : m_cx(cx), m_bVisible(TRUE) {}
    CSize CalcDockedSize(int nLength, DWORD dwMode, int) override
    {
        m_modes.push_back(dwMode);
        return CSize(std::min(m_cx, nLength), kBarHeight);
    }
    void SetBarVisible(BOOL bVisible) override { m_bVisible = bVisible; }
    BOOL IsBarVisible() const override { return m_bVisible; }

    int m_cx;
    BOOL m_bVisible;
    std::vector<DWORD> m_modes;
};

class ReBar : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tolvane Rebar Tests");
        m_app.SetRegistryKey(kCompany);
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, L"frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 300)));
        ASSERT_TRUE(m_rebar.Create(m_pFrame));
        const int widths[] = { 200, 100, 150 };
        const UINT ids[] = { kMenuBarId, kLinkBandId, kToolBarId };
        for (int i = 0; i < 3; ++i) {
            m_bars.emplace_back(new CBandBar(widths[i]));
            CBandBar* pBar = m_bars.back().get();
            ASSERT_TRUE(pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                       m_pFrame->m_hWnd, NULL));
            pBar->SetBarID(ids[i]);
            pBar->SetBarStyle(ZP_BAR_STYLE_GRIPPER);
            pBar->ModifyBarFlags(0, 0x1F);
        }
    }
    void TearDown() override
    {
        m_rebar.DestroyWindow();
        for (auto& pBar : m_bars)
            pBar->DestroyWindow();
        m_pFrame->DestroyWindow();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tolvane Rebar Tests");
    }
    void AddAll()
    {
        for (auto& pBar : m_bars)
            ASSERT_TRUE(m_rebar.AddCommandBarBand(pBar.get()));
    }
    std::vector<UINT> BandIds() const
    {
        std::vector<UINT> ids;
        for (UINT i = 0; i < m_rebar.GetReBarCtrl().GetBandCount(); ++i) {
            REBARBANDINFOW rbbi = { sizeof(rbbi), RBBIM_ID };
            m_rebar.GetReBarCtrl().GetBandInfo(i, &rbbi);
            ids.push_back(rbbi.wID);
        }
        return ids;
    }

    CWinApp m_app{ L"RebarTests" };
    CFrameWnd* m_pFrame = NULL;  // deletes itself when its window goes
    CZPReBar m_rebar;
    std::vector<std::unique_ptr<CBandBar>> m_bars;
};

TEST_F(ReBar, CommandBarBandsCarryTheBarIdsAndLeaveDocking)
{
    AddAll();
    EXPECT_EQ((std::vector<UINT>{ kMenuBarId, kLinkBandId, kToolBarId }), BandIds());
    CBandBar* pLink = m_bars[1].get();
    // Measured for a horizontal docked band and sized to that.
    const DWORD dwAddMode = LM_HORZ | LM_HORZDOCK | LM_COMMIT;
    EXPECT_NE(pLink->m_modes.end(), std::find(pLink->m_modes.begin(), pLink->m_modes.end(), dwAddMode));
    CRect rc;
    pLink->GetWindowRect(&rc);
    EXPECT_EQ(kBarHeight, rc.Height());
    EXPECT_FALSE(pLink->HasGripper());
    EXPECT_EQ(0u, pLink->GetFlags() & 0x1F);
    EXPECT_EQ(m_rebar.m_hWnd, ::GetParent(pLink->m_hWnd));
    REBARBANDINFOW rbbi = { sizeof(rbbi), RBBIM_STYLE };
    m_rebar.GetReBarCtrl().GetBandInfo(1, &rbbi);
    EXPECT_EQ(static_cast<UINT>(RBBS_BREAK | RBBS_GRIPPERALWAYS), rbbi.fStyle & (RBBS_BREAK | RBBS_GRIPPERALWAYS));

    EXPECT_EQ(pLink, m_rebar.GetBandBar(1));
    EXPECT_EQ(NULL, m_rebar.GetBandBar(3));
    EXPECT_EQ(2, m_rebar.FindBand(m_bars[2].get()));
    EXPECT_EQ(1, m_rebar.DeleteCommandBarBand(pLink));
    EXPECT_EQ(-1, m_rebar.FindBand(pLink));
    EXPECT_EQ(-1, m_rebar.DeleteCommandBarBand(pLink));
    EXPECT_EQ((std::vector<UINT>{ kMenuBarId, kToolBarId }), BandIds());
}

TEST_F(ReBar, BandStateRoundTripsThroughTheProfileExactly)
{
    AddAll();
    // A saved layout: the toolbar first, the link band hidden on a row of its own.
    const CString strSaved = L"wID=0080, cx=150, fStyle=00000081\n"
                             L"wID=0001, cx=200, fStyle=00000080\n"
                             L"wID=008C, cx=90, fStyle=00000089";
    m_app.WriteProfileString(L"CommandBars", kZpRebarStateEntry, strSaved);
    m_rebar.LoadBandState(L"CommandBars");
    EXPECT_EQ((std::vector<UINT>{ kToolBarId, kMenuBarId, kLinkBandId }), BandIds());
    EXPECT_FALSE(m_bars[1]->IsBarVisible());
    EXPECT_TRUE(m_bars[0]->IsBarVisible());

    m_rebar.SaveBandState(L"CommandBars2");
    EXPECT_STREQ(strSaved, m_app.GetProfileString(L"CommandBars2", kZpRebarStateEntry, L""));
}

TEST_F(ReBar, DamagedOrShortStateChangesOnlyWhatItNames)
{
    AddAll();
    const CString strBefore = m_rebar.FormatBandState();
    // Too few fields: skipped. An unknown id names no band: its width and its hidden style go
    // nowhere (they used to land on band 1 and hide its bar). No third line: nothing more.
    m_rebar.ApplyBandState(L"wID=0080, cx=77\nwID=7777, cx=60, fStyle=00000008");
    EXPECT_EQ((std::vector<UINT>{ kMenuBarId, kLinkBandId, kToolBarId }), BandIds());
    EXPECT_STREQ(strBefore, m_rebar.FormatBandState());
    EXPECT_TRUE(m_bars[1]->IsBarVisible());

    // Empty and garbage texts change nothing.
    const CString strAfter = m_rebar.FormatBandState();
    for (LPCWSTR pszState : { L"", L"\n\n\n", L"garbage", L"wID=, cx=, fStyle=" }) {
        m_rebar.ApplyBandState(pszState);
        EXPECT_STREQ(strAfter, m_rebar.FormatBandState()) << pszState;
    }
}

TEST_F(ReBar, HeightChangeDuringTheFrameLayoutIsRelaidOutLater)
{
    // Within the band layout the rebar's rows depend on the frame's width.
    AddAll();
    m_pFrame->ShowWindow(SW_SHOWNA);
    m_pFrame->RecalcLayout();
    CRect rc;
    m_rebar.GetWindowRect(&rc);
    const int cyThreeRows = rc.Height();
    EXPECT_EQ(m_rebar.CalcFixedLayout(TRUE, TRUE).cy, cyThreeRows);
    // Outside a layout a height change relays the frame out at once: one row.
    REBARBANDINFOW rbbi = { sizeof(rbbi), RBBIM_STYLE };
    for (UINT i = 0; i < 3; ++i) {
        m_rebar.GetReBarCtrl().GetBandInfo(i, &rbbi);
        rbbi.fStyle &= ~RBBS_BREAK;
        m_rebar.GetReBarCtrl().SetBandInfo(i, &rbbi);
    }
    m_rebar.GetWindowRect(&rc);
    EXPECT_LT(rc.Height(), cyThreeRows);
    EXPECT_EQ(m_rebar.CalcFixedLayout(TRUE, TRUE).cy, rc.Height());

    // Narrowing the frame wraps the bands inside the frame's layout: the relayout is kept for idle time.
    m_pFrame->m_nIdleFlags = 0;
    m_pFrame->SetWindowPos(NULL, 0, 0, 200, 300, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    m_pFrame->RecalcLayout();
    EXPECT_NE(0u, m_pFrame->m_nIdleFlags & CFrameWnd::idleLayout);
    m_pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    m_rebar.GetWindowRect(&rc);
    EXPECT_EQ(m_rebar.CalcFixedLayout(TRUE, TRUE).cy, rc.Height());
}

}  // namespace
