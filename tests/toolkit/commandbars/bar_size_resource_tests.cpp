// Bar icon and button sizes, and controls built from RT_TOOLBAR resources with the site's help.
#include "commandbars_test_support.h"
#include "commandbars_tests_ids.h"

#include "commandbars/ZPCommandBars.h"
#include "common/ZPImageManager.h"

namespace {

using BarSizeTest = CommandBarsTest;

TEST_F(BarSizeTest, IconAndButtonSizes)
{
    struct Case
    {
        BOOL bCommandBars;
        CSize szIcons, szButtons;
        CSize expectIcon, expectButton, expectLarge;
    } cases[] = {
        // Without command bars: the bar's own, else 16 x 16; large is twice, else 32 x 32.
        { FALSE, CSize(0, 0), CSize(0, 0), CSize(16, 16), CSize(22, 22), CSize(32, 32) },
        { FALSE, CSize(20, 18), CSize(0, 0), CSize(20, 18), CSize(26, 24), CSize(40, 36) },
        { FALSE, CSize(0, 0), CSize(30, 28), CSize(16, 16), CSize(30, 28), CSize(32, 32) },
        // With command bars a bar with its own button size keeps its small icons.
        { TRUE, CSize(24, 24), CSize(40, 40), CSize(24, 24), CSize(40, 40), CSize(24, 24) },
    };
    CZPCommandBars commandBars;
    for (const Case& c : cases) {
        CZPCommandBar* pBar = new CZPCommandBar;
        if (c.bCommandBars)
            pBar->SetCommandBars(&commandBars);
        pBar->SetIconSize(c.szIcons);
        pBar->SetButtonSize(c.szButtons);
        EXPECT_EQ(c.expectIcon, pBar->GetEffectiveIconSize());
        EXPECT_EQ(c.expectButton, pBar->GetEffectiveButtonSize());
        EXPECT_EQ(c.expectLarge, pBar->ResolveIconSize(TRUE));
        pBar->InternalRelease();
    }
}

TEST_F(BarSizeTest, TextBelowIconsDefersToTheOptionsOnlyForTwo)
{
    CZPCommandBar* pBar = new CZPCommandBar;
    EXPECT_EQ(ZP_TEXT_BELOW_ICONS_FROM_OPTIONS, pBar->GetShowTextBelowIcons());
    EXPECT_FALSE(pBar->IsTextBelowIcons());
    pBar->SetShowTextBelowIcons(1);
    EXPECT_TRUE(pBar->IsTextBelowIcons());
    pBar->InternalRelease();
}

// The ids and group starts of a bar's controls, a group start written as a negative id.
std::vector<int> Layout(CZPCommandBar* pBar)
{
    std::vector<int> ids;
    for (int i = 0; i < pBar->CountControls(); ++i) {
        CZPControl* pControl = pBar->ControlAt(i);
        ids.push_back(pControl->GetBeginGroup() ? -pControl->GetID() : pControl->GetID());
    }
    return ids;
}

TEST_F(BarSizeTest, ToolbarResourcesBuildControlsAndIcons)
{
    CTestSite site;
    CZPCommandBar* pBar = new CZPCommandBar;
    pBar->SetSiteWindow(site.m_hWnd);

    EXPECT_TRUE(pBar->LoadToolBarResource(IDR_CB_TOOLBAR_16, TRUE));
    EXPECT_EQ(std::vector<int>({ 100, -101, 102 }), Layout(pBar));
    EXPECT_EQ(CSize(0, 0), pBar->GetIconSize());  // 16 wide: unchanged
    EXPECT_NE(nullptr, ZpImageManagerInstance()->GetImage(101, 16));
    EXPECT_EQ(3, site.Count(ZpMsgCreateControl));
    EXPECT_EQ(3, site.Count(ZpMsgControlCreated));

    EXPECT_TRUE(pBar->LoadToolBarResource(IDR_CB_TOOLBAR_24, TRUE));
    EXPECT_EQ(std::vector<int>({ 200, 201 }), Layout(pBar));
    EXPECT_EQ(CSize(24, 16), pBar->GetIconSize());

    EXPECT_TRUE(pBar->LoadToolBarResource(IDR_CB_TOOLBAR_SEPARATORS, FALSE));
    EXPECT_EQ(std::vector<int>({ 100, -101, 102 }), Layout(pBar));

    // Bad input: FALSE, and nothing read beyond the resource.
    EXPECT_FALSE(pBar->LoadToolBarResource(IDR_CB_TOOLBAR_OVERLONG, TRUE));
    EXPECT_EQ(0, pBar->CountControls());
    EXPECT_FALSE(pBar->LoadToolBarResource(IDR_CB_TOOLBAR_SHORT, TRUE));
    EXPECT_FALSE(pBar->LoadToolBarResource(0, TRUE));
    EXPECT_FALSE(pBar->LoadToolBarResource(4999, TRUE));
    // A 0 x 0 bitmap size: the controls are built, the images fail.
    EXPECT_FALSE(pBar->LoadToolBarResource(IDR_CB_TOOLBAR_ZERO_SIZE, TRUE));
    EXPECT_EQ(2, pBar->CountControls());
    pBar->InternalRelease();
}

TEST_F(BarSizeTest, TheSiteMayChangeTheKindOrSupplyTheControl)
{
    CTestSite site;
    CTestControl* pSupplied = NULL;
    site.m_answer = [&](UINT message, WPARAM, LPARAM lParam) -> LRESULT {
        if (message != ZpMsgCreateControl)
            return 0;
        ZpCreateControlRequest* pRequest = reinterpret_cast<ZpCreateControlRequest*>(lParam);
        EXPECT_TRUE(pRequest->bToolBar);
        EXPECT_EQ(CString(L"Standard"), pRequest->strCaption);
        if (pRequest->nID == 101) {
            pSupplied = new CTestControl;  // its creation reference goes to the bar
            pRequest->pControl = pSupplied;
            return TRUE;
        }
        if (pRequest->nID == 102) {
            pRequest->nID = 150;
            pRequest->buttonStyle = zpButtonCaption;
            return TRUE;
        }
        return FALSE;
    };
    CZPCommandBar* pBar = new CZPCommandBar;
    pBar->SetTitle(L"Standard");
    pBar->SetSiteWindow(site.m_hWnd);
    EXPECT_TRUE(pBar->LoadToolBarResource(IDR_CB_TOOLBAR_16, FALSE));
    ASSERT_EQ(3, pBar->CountControls());
    EXPECT_EQ(pSupplied, pBar->ControlAt(1));
    EXPECT_TRUE(pSupplied->GetBeginGroup());
    EXPECT_EQ(150, pBar->ControlAt(2)->GetID());
    EXPECT_EQ(static_cast<int>(zpButtonCaption), pBar->ControlAt(2)->GetStyle());
    pBar->InternalRelease();
    // CommandBarsTest's teardown checks that the supplied control went with the bar.
}

}  // namespace
