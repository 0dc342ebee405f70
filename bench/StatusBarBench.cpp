// The status bar against msctls_statusbar32 in the same run: a message-pane text set and painted
// 10,000 times (SetPaneText and UpdateWindow against SB_SETTEXTW and UpdateWindow), in two frames
// shown side by side with six panes each. Needs a display.
// Usage: statusbar_bench [updates]
#include "BenchClock.h"

#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPStatusBar.h"

#include <commctrl.h>

#include <stdio.h>
#include <stdlib.h>

#include <vector>

namespace {

const int kDefaultUpdates = 10000;
const int kBatches = 10;  // ours and the peer's alternate so that the machine's load falls on both
const int kFrameWidth = 800, kFrameHeight = 200;
const int kPaneWidths[] = { 60, 40, 40, 40, 40 };  // after the message pane
const int kPanes = 6;
const double kGoal = 2.0;

HWND CreateFrame(int x)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"TolvaneStatusBarBenchFrame";
    ::RegisterClassW(&wc);
    HWND hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, 0, kFrameWidth,
                                  kFrameHeight, NULL, NULL, wc.hInstance, NULL);
    ::UpdateWindow(hWnd);
    return hWnd;
}

double Ours(CZPStatusBar& bar, int nFirst, int nUpdates)
{
    WCHAR sz[32];
    const double t0 = BenchNowMs();
    for (int i = 0; i < nUpdates; ++i) {
        swprintf(sz, 32, L"Line: %d Col: 1", nFirst + i);
        bar.SetPaneText(0, sz);
        bar.UpdateWindow();
    }
    ::GdiFlush();
    return BenchNowMs() - t0;
}

double Peer(HWND hStatus, int nFirst, int nUpdates)
{
    WCHAR sz[32];
    const double t0 = BenchNowMs();
    for (int i = 0; i < nUpdates; ++i) {
        swprintf(sz, 32, L"Line: %d Col: 1", nFirst + i);
        ::SendMessageW(hStatus, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(sz));
        ::UpdateWindow(hStatus);
    }
    ::GdiFlush();
    return BenchNowMs() - t0;
}

}  // namespace

int main(int argc, char** argv)
{
    const int nUpdates = argc > 1 ? atoi(argv[1]) : kDefaultUpdates;
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);
    ZpSetPaintTheme(zpThemeNativeXP);

    HWND hOurFrame = CreateFrame(0);
    HWND hPeerFrame = CreateFrame(kFrameWidth / 2);
    CZPStatusBar bar;
    if (!bar.CreateBar(CWnd::FromHandle(hOurFrame), WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, 0xE801)) {
        fprintf(stderr, "statusbar_bench: the status bar cannot be created\n");
        return 1;
    }
    bar.AddPane(0)->SetStyle(ZP_SBPS_STRETCH | ZP_SBPS_NOBORDERS);
    bar.PaneAt(0)->SetFixedWidth(1);
    for (int nWidth : kPaneWidths)
        bar.AddPane(static_cast<UINT>(100 + bar.GetPaneCount()))->SetFixedWidth(nWidth);
    RECT rcClient;
    ::GetClientRect(hOurFrame, &rcClient);
    const CSize size = bar.CalcFixedLayout(TRUE, TRUE);
    bar.SetWindowPos(NULL, 0, rcClient.bottom - size.cy, rcClient.right, size.cy, SWP_NOZORDER);

    HWND hStatus = ::CreateWindowExW(0, STATUSCLASSNAMEW, NULL, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                     hPeerFrame, NULL, ::GetModuleHandleW(NULL), NULL);
    std::vector<int> edges;
    int nRight = rcClient.right;
    for (int i = kPanes - 2; i >= 0; --i) {
        edges.insert(edges.begin(), nRight);
        nRight -= kPaneWidths[i];
    }
    edges.insert(edges.begin(), nRight);
    ::SendMessageW(hStatus, SB_SETPARTS, kPanes, reinterpret_cast<LPARAM>(edges.data()));
    ::SendMessageW(hStatus, WM_SIZE, 0, 0);

    const int nPerBatch = nUpdates / kBatches > 0 ? nUpdates / kBatches : 1;
    double dOurs = 0, dPeer = 0;
    for (int b = 0; b < kBatches; ++b) {
        dOurs += Ours(bar, b * nPerBatch, nPerBatch);
        dPeer += Peer(hStatus, b * nPerBatch, nPerBatch);
    }
    printf("Status bar, %d updates of the message pane (same run)\n", nPerBatch * kBatches);
    printf("  %-50s %8.1f ms, peer %8.1f ms, ratio %.2fx (goal <= %.1fx)\n", "SetPaneText + UpdateWindow", dOurs, dPeer,
           dPeer > 0 ? dOurs / dPeer : 0.0, kGoal);
    bar.DestroyWindow();
    ::DestroyWindow(hOurFrame);
    ::DestroyWindow(hPeerFrame);
    return 0;
}
