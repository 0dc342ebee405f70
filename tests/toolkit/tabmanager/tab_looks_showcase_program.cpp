// A window showing all twelve tab looks as real tab controls, four columns by three rows; the
// Office 2007 looks take the test module's marked images (red and green corners on blue).
// TOLVANE_TEST_LINGER_MS keeps the window on screen (and interactive) that long, for a screenshot.
#include <gtest/gtest.h>

#include <memory>

#include "DibSection.h"
#include "common/ZPOffice2007Images.h"
#include "message_pump.h"
#include "tabmanager/ZPTabControl.h"
#include "tabmanager/ZPTabPaintManager.h"

namespace {

const int kColumns = 4, kRows = 3;
const int kCellWidth = 250, kCellHeight = 150, kGap = 8;
const int kLooks = kColumns * kRows;
const LPCWSTR kNames[kLooks] = { L"0 Property page",
                                 L"1 Property page selected",
                                 L"2 Property page flat",
                                 L"3 Property page 2003",
                                 L"4 State buttons",
                                 L"5 Visual Studio",
                                 L"6 Flat",
                                 L"7 Excel",
                                 L"8 Visio",
                                 L"9 Visual Studio 2005",
                                 L"10 Property page 2007",
                                 L"11 Access 2007" };

TEST(TabLooksShowcase, ShowsEveryLook)
{
    ASSERT_TRUE(ZpOffice2007ImagesInstance()->SetThemeModule(::GetModuleHandleW(NULL), L"TabTheme.ini", FALSE));
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"ZPTabLooksShowcase";
    ::RegisterClassW(&wc);
    RECT rcWindow = { 0, 0, kColumns * (kCellWidth + kGap) + kGap, kRows * (kCellHeight + kGap) + kGap };
    ::AdjustWindowRect(&rcWindow, WS_OVERLAPPEDWINDOW, FALSE);
    HWND hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"Tab looks", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 10, 10,
                                  rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top, NULL, NULL,
                                  wc.hInstance, NULL);
    ASSERT_NE(static_cast<HWND>(NULL), hWnd);

    std::unique_ptr<CZPTabControl> controls[kLooks];
    for (int i = 0; i < kLooks; i++) {
        int x = kGap + (i % kColumns) * (kCellWidth + kGap), y = kGap + (i / kColumns) * (kCellHeight + kGap);
        controls[i].reset(new CZPTabControl());
        CZPTabControl& control = *controls[i];
        control.GetPaintManager()->SetAppearance(i);
        control.GetPaintManager()->m_bHotTracking = TRUE;
        ASSERT_TRUE(control.Create(WS_CHILD | WS_VISIBLE, CRect(x, y, x + kCellWidth, y + kCellHeight),
                                   CWnd::FromHandle(hWnd), 100 + i));
        HWND hPage = ::CreateWindowExW(0, L"STATIC", kNames[i], WS_CHILD | SS_CENTER | SS_CENTERIMAGE, 0, 0, 10, 10,
                                       control.m_hWnd, NULL, NULL, NULL);
        control.InsertItem(0, L"First", hPage);
        control.InsertItem(1, L"Second");
        control.InsertItem(2, L"Third");
        control.SetCurSel(1);
        control.SetCurSel(0);
        EXPECT_EQ(i, control.GetPaintManager()->GetAppearance());
    }
    ::ShowWindow(hWnd, SW_SHOW);
    ::UpdateWindow(hWnd);

    // Every look paints its control: something other than the face colour in each.
    for (int i = 0; i < kLooks; i++) {
        CRect rc;
        controls[i]->CWnd::GetClientRect(&rc);
        CDibSection dib(rc.Width(), rc.Height(), RGB(1, 2, 3));
        controls[i]->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.GetDC()), PRF_CLIENT);
        RECT rcInk = dib.InkBox(RGB(1, 2, 3));
        EXPECT_GE(rcInk.right, rcInk.left) << kNames[i];
    }

    LingerForScreenshot(hWnd);
    for (auto& control : controls)
        control->DestroyWindow();
    ::DestroyWindow(hWnd);
    ZpOffice2007ImagesInstance()->SetThemeModule(NULL, NULL, FALSE);
}

}  // namespace
