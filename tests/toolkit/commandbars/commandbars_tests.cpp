// The command-bars object: dock bars along the site, where a dragged bar docks, and F1.
#include "commandbars_test_support.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPControlPopup.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPDockBar.h"

#include <framework/messages.h>
#include <framework/resids.h>

namespace {

using CommandBarsObjectTest = CommandBarsTest;

// A frame-like site that records WM_COMMANDHELP and may handle ID_HELP.
class CHelpSite : public CWnd
{
public:
    explicit CHelpSite(BOOL bHandlesHelp) : m_bHandlesHelp(bHandlesHelp)
    {
        CreateEx(0, AfxRegisterWndClass(0), L"site", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300, NULL, NULL);
    }
    ~CHelpSite() override { DestroyWindow(); }
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (m_bHandlesHelp && nID == ID_HELP && nCode == CN_COMMAND)
            return TRUE;
        return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMANDHELP)
            m_helpRequests.push_back(lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    BOOL m_bHandlesHelp;
    std::vector<LPARAM> m_helpRequests;
};

struct CCommandBarsOnSite
{
    explicit CCommandBarsOnSite(CWnd* pSite)
    {
        pCommandBars = new CZPCommandBars;
        pCommandBars->SetSite(pSite->GetSafeHwnd());
    }
    ~CCommandBarsOnSite() { pCommandBars->InternalRelease(); }
    CZPCommandBars* pCommandBars;
};

TEST_F(CommandBarsObjectTest, DockBarsAlongTheSiteWithTheirIdsAndStyles)
{
    CHelpSite site(FALSE);
    CCommandBarsOnSite bars(&site);
    bars.pCommandBars->CreateDockBars();
    const struct
    {
        UINT nId;
        DWORD dwBarStyle;
    } expected[4] = { { 0xE81B, 0x2800 }, { 0xE81E, 0x8200 }, { 0xE81C, 0x1400 }, { 0xE81D, 0x4100 } };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        CZPDockBar* pDockBar = bars.pCommandBars->GetDockBar(i);
        ASSERT_NE(nullptr, pDockBar);
        HWND hWnd = pDockBar->GetSafeHwnd();
        EXPECT_EQ(site.GetSafeHwnd(), ::GetParent(hWnd));
        EXPECT_EQ(expected[i].nId, static_cast<UINT>(::GetDlgCtrlID(hWnd)));
        EXPECT_EQ(expected[i].dwBarStyle, pDockBar->GetBarStyle());
        wchar_t szClass[32] = {};
        ::GetClassNameW(hWnd, szClass, 32);
        EXPECT_STREQ(L"ZPDockBar", szClass);
        const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongW(hWnd, GWL_STYLE));
        const DWORD dwWanted = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        EXPECT_EQ(dwWanted, dwStyle & dwWanted);
    }
    EXPECT_EQ(nullptr, bars.pCommandBars->GetDockBar(4));
    EXPECT_EQ(nullptr, bars.pCommandBars->GetDockBar(-1));
}

TEST_F(CommandBarsObjectTest, DockBarsWithoutASiteWindowThrow)
{
    CZPCommandBars* pCommandBars = new CZPCommandBars;
    BOOL bThrown = FALSE;
    try {
        pCommandBars->CreateDockBars();
    } catch (CResourceException* e) {
        bThrown = TRUE;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_EQ(nullptr, pCommandBars->GetDockBar(0));
    pCommandBars->InternalRelease();
}

TEST_F(CommandBarsObjectTest, CanDockIsStrictAtTheMargin)
{
    CHelpSite site(FALSE);
    CCommandBarsOnSite bars(&site);
    bars.pCommandBars->CreateDockBars();
    // The top dock bar is 200 x 30 at client (10, 10); the others sit far from it.
    for (int i = 1; i < 4; ++i)
        bars.pCommandBars->GetDockBar(i)->MoveWindow(300, 200, 10, 10);
    CZPDockBar* pTop = bars.pCommandBars->GetDockBar(0);
    pTop->MoveWindow(10, 10, 200, 30);
    CRect rc;
    pTop->GetWindowRect(&rc);
    const struct
    {
        int x, y;
        bool bDocks;
    } cases[] = {
        { rc.left - 20, rc.top + 5, false },    { rc.left - 19, rc.top + 5, true },
        { rc.right + 20, rc.top + 5, false },   { rc.right + 19, rc.top + 5, true },
        { rc.left + 5, rc.top - 20, false },    { rc.left + 5, rc.top - 19, true },
        { rc.left + 5, rc.bottom + 20, false }, { rc.left + 5, rc.bottom + 19, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x - rc.left << "," << c.y - rc.top);
        CZPDockBar* pFound = bars.pCommandBars->CanDock(CPoint(c.x, c.y));
        EXPECT_EQ(c.bDocks ? pTop : nullptr, pFound);
    }
    // The preferred dock bar is asked first.
    CZPDockBar* pLeft = bars.pCommandBars->GetDockBar(2);
    pLeft->MoveWindow(10, 10, 30, 200);
    EXPECT_EQ(pLeft, bars.pCommandBars->CanDock(CPoint(rc.left + 5, rc.top + 5), pLeft));
    EXPECT_EQ(pTop, bars.pCommandBars->CanDock(CPoint(rc.left + 5, rc.top + 5)));
}

TEST_F(CommandBarsObjectTest, HelpKeySendsTheHighlightedControlsHelpId)
{
    const struct
    {
        const char* name;
        BOOL bSiteHandlesHelp;
        int nHelpId;
        int nCommandId;
        bool bHighlighted;
        LPARAM lExpected;  // 0: nothing sent, not consumed
    } cases[] = {
        { "own help id", TRUE, 0x123, 500, true, 0x10123 },
        { "command id when no help id", TRUE, 0, 500, true, 0x10000 + 500 },
        { "site without ID_HELP handler", FALSE, 0x123, 500, true, 0 },
        { "nothing highlighted", TRUE, 0x123, 500, false, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CHelpSite site(c.bSiteHandlesHelp);
        CCommandBarsOnSite bars(&site);
        CZPCommandBar* pBar = new CZPCommandBar;
        pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP, 0, 0, 100, 30, NULL, NULL);
        pBar->SetCommandBars(bars.pCommandBars);
        CZPControl* pControl = pBar->GetControls()->Append(new CTestControl);
        pControl->SetID(c.nCommandId);
        pControl->SetHelpId(c.nHelpId);
        if (c.bHighlighted)
            pBar->HighlightControlAt(0);
        LRESULT lResult = 0;
        const BOOL bConsumed = bars.pCommandBars->FilterFrameMessage(WM_COMMAND, MAKEWPARAM(ID_HELP, 0), 0, &lResult);
        EXPECT_EQ(c.lExpected != 0, bConsumed != FALSE);
        if (c.lExpected != 0) {
            ASSERT_EQ(1u, site.m_helpRequests.size());
            EXPECT_EQ(c.lExpected, site.m_helpRequests[0]);
        } else {
            EXPECT_TRUE(site.m_helpRequests.empty());
        }
        // Moving the highlight away forgets the id.
        pBar->HighlightControlAt(-1);
        EXPECT_EQ(0, bars.pCommandBars->GetHelpId());
        pBar->DestroyWindow();
        pBar->InternalRelease();
    }
}

}  // namespace

namespace {

TEST_F(CommandBarsObjectTest, UsageHidesCommandsAndPopupsWhoseContentsAreAllHidden)
{
    CZPCommandBars* pCommandBars = new CZPCommandBars;
    CZPCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
    pOptions->m_mapHiddenCommands[10] = TRUE;
    pOptions->m_mapHiddenCommands[11] = TRUE;

    // A used hidden id shows again; ids never hidden are not recorded.
    EXPECT_TRUE(pCommandBars->IsCommandIdHidden(10));
    pCommandBars->RecordUsedCommand(10);
    EXPECT_FALSE(pCommandBars->IsCommandIdHidden(10));
    pCommandBars->RecordUsedCommand(99);
    EXPECT_EQ(1, static_cast<int>(pOptions->m_mapUsedCommands.GetCount()));
    pCommandBars->ResetUsageData();
    EXPECT_TRUE(pCommandBars->IsCommandIdHidden(10));

    CRefPtr<CZPControlPopup> popup = CRefPtr<CZPControlPopup>::Adopt(new CZPControlPopup);
    EXPECT_FALSE(pCommandBars->IsControlHiddenByUsage(popup.Get()));  // no child bar
    CRefPtr<CZPPopupBar> child = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(NULL));
    popup->SetCommandBar(child.Get());
    EXPECT_FALSE(pCommandBars->IsControlHiddenByUsage(popup.Get()));  // empty child bar
    child->GetControls()->Add(zpControlButton, 10);
    child->GetControls()->Add(zpControlButton, 11);
    EXPECT_TRUE(pCommandBars->IsControlHiddenByUsage(popup.Get()));
    pOptions->m_bAutoHideUnusedPopups = FALSE;
    EXPECT_FALSE(pCommandBars->IsControlHiddenByUsage(popup.Get()));
    pOptions->m_bAutoHideUnusedPopups = TRUE;
    pCommandBars->RecordUsedCommand(11);
    EXPECT_FALSE(pCommandBars->IsControlHiddenByUsage(popup.Get()));

    // A popup that opens its own bar again ends at the depth bound and is not hidden.
    pCommandBars->ResetUsageData();
    child->GetControls()->RemoveAll();
    static_cast<CZPControlPopup*>(child->GetControls()->Add(zpControlPopup, 12))->SetCommandBar(child.Get());
    EXPECT_FALSE(pCommandBars->IsControlHiddenByUsage(popup.Get()));
    child->GetControls()->RemoveAll();  // break the cycle of references
    pCommandBars->InternalRelease();
}

}  // namespace
