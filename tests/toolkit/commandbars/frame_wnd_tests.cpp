// The toolkit frame: its accelerators become the shortcut manager's, its command bars see keys
// first and go with the window; bars show the shortcut texts of their controls.
#include "commandbars_test_support.h"
#include "commandbars_tests_ids.h"

#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPFrameWnd.h"
#include "commandbars/ZPPopupBar.h"

#include <string>

namespace {

// A toolkit frame that creates its command bars (when asked) and the shortcut table of
// resource 128 while it is created, and records its commands.
class CTestToolkitFrame : public CZPFrameWnd
{
public:
    explicit CTestToolkitFrame(BOOL bCreateBars) : m_bCreateBars(bCreateBars) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            m_commands.push_back(LOWORD(wParam));
        LRESULT lResult = CZPFrameWnd::WindowProc(message, wParam, lParam);
        if (message == WM_CREATE && m_bCreateBars && CreateCommandBarsObject())
            GetCommandBars()->GetShortcutManagerObject()->LoadFromAcceleratorResource(IDR_CB_ACCELERATORS);
        return lResult;
    }
    BOOL m_bCreateBars;
    std::vector<int> m_commands;
};

using FrameWndTest = CommandBarsTest;

TEST_F(FrameWndTest, AcceleratorGivesExactlyOneCommandFromWhicheverTableHoldsIt)
{
    BYTE state[256] = {};
    ::SetKeyboardState(state);
    for (BOOL bCreateBars : { TRUE, FALSE }) {
        CTestToolkitFrame* pFrame = new CTestToolkitFrame(bCreateBars);
        ASSERT_TRUE(pFrame->LoadFrame(IDR_CB_ACCELERATORS, WS_OVERLAPPEDWINDOW));
        // With the shortcut manager's table the frame keeps none of its own.
        EXPECT_EQ(bCreateBars, pFrame->m_hAccelTable == NULL);
        EXPECT_EQ(bCreateBars, pFrame->GetCommandBars() != NULL);
        pFrame->m_commands.clear();
        MSG msg = ZpTestKeyMessage(pFrame->GetSafeHwnd(), WM_KEYDOWN, VK_F3);
        EXPECT_TRUE(pFrame->PreTranslateMessage(&msg));
        ASSERT_EQ(1u, pFrame->m_commands.size()) << bCreateBars;
        EXPECT_EQ(ID_CB_CMD_FIND, pFrame->m_commands[0]);
        msg = ZpTestKeyMessage(pFrame->GetSafeHwnd(), WM_KEYDOWN, VK_F9);
        EXPECT_FALSE(pFrame->PreTranslateMessage(&msg));
        EXPECT_EQ(1u, pFrame->m_commands.size());
        pFrame->DestroyWindow();
    }
}

TEST_F(FrameWndTest, CommandBarsGoWithTheWindowAndSeeItsMessagesFirst)
{
    CTestToolkitFrame* pFrame = new CTestToolkitFrame(TRUE);
    ASSERT_TRUE(pFrame->LoadFrame(IDR_CB_ACCELERATORS, WS_OVERLAPPEDWINDOW));
    CZPCommandBars* pCommandBars = pFrame->GetCommandBars();
    EXPECT_EQ(pFrame->GetSafeHwnd(), pCommandBars->GetSite()->GetSafeHwnd());
    EXPECT_NE(nullptr, pCommandBars->GetDockBar(0));
    // Print preview switches the shortcuts off through the frame.
    pFrame->OnSetPreviewMode(TRUE, NULL);
    EXPECT_EQ(1, pCommandBars->GetShortcutManagerObject()->GetDisableCount());
    pFrame->OnSetPreviewMode(FALSE, NULL);
    EXPECT_EQ(0, pCommandBars->GetShortcutManagerObject()->GetDisableCount());

    pCommandBars->InternalAddRef();
    pFrame->DestroyWindow();
    // The frame let its reference go: this one is the last.
    EXPECT_EQ(0u, pCommandBars->InternalRelease());
}

TEST_F(FrameWndTest, BarsShowTheManagersTextsExceptInContextMenus)
{
    CZPCommandBars* pCommandBars = new CZPCommandBars;
    CZPShortcutManagerAccel accels[] = { CZPShortcutManagerAccel(ID_CB_CMD_FIND, ZP_STROKE_VIRTKEY, VK_F3),
                                         CZPShortcutManagerAccel(ID_CB_CMD_COPY, ZP_STROKE_VIRTKEY | ZP_STROKE_CONTROL,
                                                                 'C') };
    pCommandBars->GetShortcutManagerObject()->SetAccelerators(accels, 2);
    const struct
    {
        BOOL bPopup;
        BOOL bInContextMenus;
        LPCWSTR lpszFind;
    } cases[] = { { FALSE, FALSE, L"F3" }, { TRUE, FALSE, L"" }, { TRUE, TRUE, L"F3" } };
    for (const auto& c : cases) {
        pCommandBars->GetCommandBarsOptions()->m_bShortcutsInContextMenus = c.bInContextMenus;
        CZPCommandBar* pBar = c.bPopup ? new CZPPopupBar : new CZPCommandBar;
        pBar->SetCommandBars(pCommandBars);
        CZPControl* pFind = pBar->GetControls()->Add(1, ID_CB_CMD_FIND);
        CZPControl* pCopy = pBar->GetControls()->Add(1, ID_CB_CMD_COPY);
        CZPControl* pOther = pBar->GetControls()->Add(1, 999);
        pOther->SetShortcutTextAuto(L"Stale");
        pBar->RefreshShortcutTexts();
        EXPECT_EQ(std::wstring(c.lpszFind), std::wstring(pFind->GetShortcutText())) << c.bPopup;
        EXPECT_EQ(std::wstring(c.bPopup && !c.bInContextMenus ? L"" : L"Ctrl+C"),
                  std::wstring(pCopy->GetShortcutText()));
        EXPECT_EQ(std::wstring(L""), std::wstring(pOther->GetShortcutText()));
        pBar->InternalRelease();
    }
    pCommandBars->InternalRelease();
}

}  // namespace
