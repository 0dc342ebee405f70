// The progress control against the system's msctls_progress32, in the same run and both looks:
// a position change followed by UpdateWindow, 1,000 times. Needs a display. Usage:
// progress_bench [rounds]
#include "BenchClock.h"
#include "BenchTiming.h"

#include "commandbars/ZPControlProgress.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPToolBar.h"

#include <commctrl.h>
#include <stdio.h>
#include <stdlib.h>

namespace {

const int kBarWidth = 200, kBarHeight = 24;
const int kBatches = 10;  // ours and the peer's alternate so that the machine's load falls on both

double OurSteps(CZPControlProgress* pProgress, HWND hBar, int nRounds, int nStart)
{
    const double t0 = BenchNowMs();
    for (int r = 0; r < nRounds; ++r) {
        pProgress->SetPos((nStart + r) % 101);
        ::UpdateWindow(hBar);
    }
    ::GdiFlush();
    return (BenchNowMs() - t0) / nRounds;
}

double PeerSteps(HWND hPeer, int nRounds, int nStart)
{
    const double t0 = BenchNowMs();
    for (int r = 0; r < nRounds; ++r) {
        ::SendMessageW(hPeer, PBM_SETPOS, static_cast<WPARAM>((nStart + r) % 101), 0);
        ::UpdateWindow(hPeer);
    }
    ::GdiFlush();
    return (BenchNowMs() - t0) / nRounds;
}

void RunLook(int nTheme, LPCWSTR lpszLook, int nRounds)
{
    ZpSetPaintTheme(nTheme);
    CZPToolBar* pBar = new CZPToolBar;
    pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP, 0, 0, kBarWidth, kBarHeight, NULL, NULL);
    pBar->SetPosition(zpBarTop);
    CZPControlProgress* pProgress =
        static_cast<CZPControlProgress*>(pBar->GetControls()->AddControl(new CZPControlProgress, 1));
    pProgress->SetRect(CRect(2, 4, 102, 20));
    pBar->ShowWindow(SW_SHOWNOACTIVATE);
    pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    HWND hPeer = ::CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_POPUP | WS_VISIBLE, 0, 40, 100, 16, NULL, NULL,
                                   ::GetModuleHandleW(NULL), NULL);
    ::SendMessageW(hPeer, PBM_SETRANGE32, 0, 100);

    double dOurs = 0, dPeer = 0;
    OurSteps(pProgress, pBar->m_hWnd, kBatches, 0);
    PeerSteps(hPeer, kBatches, 0);
    for (int b = 0; b < kBatches; ++b) {
        dOurs += OurSteps(pProgress, pBar->m_hWnd, nRounds / kBatches, b);
        dPeer += PeerSteps(hPeer, nRounds / kBatches, b);
    }
    char szLabel[128];
    snprintf(szLabel, sizeof(szLabel), "progress SetPos + UpdateWindow, %ls look, vs msctls_progress32", lpszLook);
    BenchPrintRatio(szLabel, dOurs / kBatches, dPeer / kBatches, 2.0);
    ::DestroyWindow(hPeer);
    pBar->DestroyWindow();
    pBar->InternalRelease();
    ZpSetPaintManager(NULL);
}

}  // namespace

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? atoi(argv[1]) : 1000;
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_PROGRESS_CLASS };
    ::InitCommonControlsEx(&icc);
    printf("progress: %d position changes each, ours and the system's in turn\n", nRounds);
    RunLook(zpThemeDefault, L"Default", nRounds);
    RunLook(zpThemeNativeXP, L"Native XP", nRounds);
    return 0;
}
