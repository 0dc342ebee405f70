// The showcase of popup bars: a frame whose menu bar comes from the editor's menu 128, its Edit
// popup open with a sub-menu open beside it, and a popup taller than the screen scrolling at
// the right. TOLVANE_TEST_LINGER_MS keeps it on screen for a screenshot.
#include "message_pump.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControlPopup.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPMenuBar.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPPopupBar.h"

#include <framework/frame.h>
#include <framework/gdi.h>
#include <gtest/gtest.h>

namespace {
const UINT kMenuResource = 128;
const int kFrameWidth = 760;
const int kFrameHeight = 560;
const int kMenuBarHeight = 24;
const int kScrollingItems = 120;
const int kFirstScrollingId = 2000;
const int kSubMenuFirstId = 3000;
const int kSubMenuItems = 3;

LRESULT CALLBACK FrameProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}
}  // namespace

TEST(PopupShowcase, MenuBarSubMenuAndScrollingPopup)
{
    ZpSetPaintTheme(zpThemeNativeXP);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.hCursor = ::LoadCursorW(NULL, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = L"ZPPopupShowcase";
    ::RegisterClassW(&wc);
    // No WS_SYSMENU: an unanswered lone Alt would start the system's own menu loop.
    HWND hWndFrame =
        ::CreateWindowExW(0, wc.lpszClassName, L"Popup bars", WS_OVERLAPPED | WS_CAPTION, 0, 0, kFrameWidth,
                          kFrameHeight, NULL, ::LoadMenuW(wc.hInstance, MAKEINTRESOURCEW(128)), wc.hInstance, NULL);
    ASSERT_TRUE(hWndFrame != NULL);
    ::ShowWindow(hWndFrame, SW_SHOW);

    CZPCommandBars* pCommandBars = new CZPCommandBars;
    pCommandBars->SetSite(hWndFrame);
    CRefPtr<CZPMenuBar> menuBar = CRefPtr<CZPMenuBar>::Adopt(new CZPMenuBar);
    menuBar->SetCommandBars(pCommandBars);
    RECT rcClient;
    ::GetClientRect(hWndFrame, &rcClient);
    ASSERT_TRUE(menuBar->CreateEx(0, AfxRegisterWndClass(0), L"Menu Bar", WS_CHILD | WS_VISIBLE, 0, 0, rcClient.right,
                                  kMenuBarHeight, hWndFrame, NULL));
    ASSERT_TRUE(menuBar->LoadMenuResource(kMenuResource));
    EXPECT_EQ(NULL, ::GetMenu(hWndFrame));  // the frame's own menu is taken away
    ::GetClientRect(hWndFrame, &rcClient);
    menuBar->MoveWindow(0, 0, rcClient.right, kMenuBarHeight);
    {
        CDC dc;
        dc.CreateCompatibleDC(NULL);
        menuBar->GetControls()->LayoutControls(&dc, rcClient.right, LM_HORZ | LM_COMMIT, CRect(2, 1, 2, 1));
    }
    ::InvalidateRect(menuBar->GetSafeHwnd(), NULL, TRUE);

    // A sub-menu under Edit, opened beside its item.
    CZPControl* pEdit = menuBar->ControlAt(1);
    ASSERT_TRUE(pEdit != NULL && pEdit->GetCommandBar() != NULL);
    CZPCommandBar* pEditPopup = pEdit->GetCommandBar();
    CZPControlPopup* pMore =
        DYNAMIC_DOWNCAST(CZPControlPopup, pEditPopup->GetControls()->Add(zpControlPopup, 0, NULL, 2));
    ASSERT_TRUE(pMore != NULL);
    pMore->SetCaption(L"&Bookmarks");
    CRefPtr<CZPPopupBar> subMenu = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(pCommandBars));
    const wchar_t* const kSubItems[kSubMenuItems] = { L"Toggle Bookmark", L"Next Bookmark", L"Previous Bookmark" };
    for (int i = 0; i < kSubMenuItems; ++i)
        subMenu->GetControls()->Add(zpControlButton, kSubMenuFirstId + i)->SetCaption(kSubItems[i]);
    pMore->SetCommandBar(subMenu.Get());

    ASSERT_TRUE(menuBar->OpenControlPopup(1));
    ASSERT_TRUE(pEditPopup->GetSafeHwnd() != NULL);
    ASSERT_TRUE(pEditPopup->OpenControlPopup(pMore->GetIndex()));
    EXPECT_TRUE(subMenu->GetSafeHwnd() != NULL);

    // A popup taller than the screen at the frame's right: it scrolls.
    CRefPtr<CZPPopupBar> tall = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(pCommandBars));
    for (int i = 0; i < kScrollingItems; ++i) {
        CString strCaption;
        strCaption.Format(L"Scrolling item %d", i + 1);
        tall->GetControls()->Add(zpControlButton, kFirstScrollingId + i)->SetCaption(strCaption);
    }
    ASSERT_TRUE(tall->Popup(kFrameWidth - 200, 40, NULL));
    EXPECT_TRUE(tall->IsScrolling());
    ::PostMessageW(tall->GetSafeHwnd(), WM_TIMER, ZP_TIMER_POPUP_SCROLL_DOWN, 0);
    ::PostMessageW(tall->GetSafeHwnd(), WM_TIMER, ZP_TIMER_POPUP_SCROLL_DOWN, 0);
    tall->HighlightControlAt(tall->GetFirstShown() + 4, 2);

    LingerForScreenshot(hWndFrame);

    ZpMouseManager()->CloseAll();
    tall->EndTracking();
    menuBar->DestroyWindow();
    EXPECT_TRUE(::GetMenu(hWndFrame) != NULL);  // given back
    ::DestroyWindow(hWndFrame);
    tall.Reset();
    subMenu.Reset();
    menuBar.Reset();
    pCommandBars->InternalRelease();
    ZpSetPaintManager(NULL);
}
