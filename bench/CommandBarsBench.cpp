// The command bars' paint manager against the system's own controls, in the same run:
// a status bar's background and size grip against msctls_statusbar32 with 6 parts painted by
// WM_PRINTCLIENT, and popup fades that must last their time within one frame. Needs a display.
// Usage: commandbars_bench [rounds]
#include "BenchClock.h"

#include "../tests/toolkit/commandbars/paint_manager_test_theme.h"
#include "../tests/toolkit/commandbars/paint_manager_pixels.h"

#include <commctrl.h>

#include <algorithm>
#include <stdio.h>
#include <stdlib.h>

namespace {
const int kStatusWidth = 800, kStatusHeight = 22;
const int kParts = 6;

double StatusBarPeer(HWND hStatus, HDC hDC, int nRounds)
{
    const double t0 = BenchNowMs();
    for (int i = 0; i < nRounds; ++i)
        ::SendMessageW(hStatus, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hDC), PRF_CLIENT | PRF_ERASEBKGND);
    ::GdiFlush();
    return (BenchNowMs() - t0) / nRounds;
}

double StatusBarOurs(CTestTheme* pPM, CWnd* pWnd, HDC hDC, int nRounds)
{
    CDibDC dc(hDC);
    const double t0 = BenchNowMs();
    for (int i = 0; i < nRounds; ++i) {
        pPM->FillStatusBar(&dc, pWnd);
        pPM->DrawStatusSizeGrip(&dc, CRect(0, 0, kStatusWidth, kStatusHeight));
    }
    ::GdiFlush();
    return (BenchNowMs() - t0) / nRounds;
}

void PrintRatio(const char* pszName, double dOurs, double dPeer, double dGoal)
{
    printf("  %-44s %8.3f ms, peer %8.3f ms, ratio %.2fx (goal <= %.1fx)\n", pszName, dOurs, dPeer,
           dPeer > 0 ? dOurs / dPeer : 0.0, dGoal);
}

// One fade of a 300 x 400 popup: its duration against its time, and how far outside the window
// of one frame either side it ended.
void Fade(CTestTheme* pPM, int nTime, int nSteps)
{
    CDibSection dest(300, 400, RGB(0, 0, 0)), src(300, 400, RGB(255, 255, 255));
    CDibDC dcDest(dest.GetDC()), dcSrc(src.GetDC());
    pPM->m_nAnimationTime = nTime;
    pPM->m_nAnimationSteps = nSteps;
    const double t0 = BenchNowMs();
    pPM->AnimatePopup(&dcDest, &dcSrc, CRect(0, 0, 300, 400), zpAnimateFade);
    const double dElapsed = BenchNowMs() - t0;
    const double dFrame = static_cast<double>(nTime) / nSteps;
    // The fade ends one frame early (the last frame is the popup's own paint): time +/- one frame.
    const double dOff = dElapsed > nTime ? dElapsed - nTime : 0.0;
    printf("  fade %4d ms in %7d steps: %8.2f ms (frame %.3f ms), %s\n", nTime, nSteps, dElapsed, dFrame,
           dElapsed >= nTime - dFrame - 1 && dElapsed <= nTime + dFrame + 1 ? "within one frame" : "OUTSIDE one frame");
    printf("  %-44s ratio %.2fx (goal <= 1.0x)\n", "  overrun beyond one frame / frame",
           dFrame > 0 ? dOff / std::max(dFrame, 1.0) : 0.0);
}
}  // namespace

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? atoi(argv[1]) : 2000;
    ::InitCommonControls();

    HWND hParent = ::CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP, 0, 0, kStatusWidth, 100, NULL, NULL, NULL, NULL);
    HWND hStatus = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                                     kStatusWidth, kStatusHeight, hParent, NULL, NULL, NULL);
    int parts[kParts];
    for (int i = 0; i < kParts; ++i)
        parts[i] = i == kParts - 1 ? -1 : (i + 1) * kStatusWidth / kParts;
    ::SendMessageW(hStatus, SB_SETPARTS, kParts, reinterpret_cast<LPARAM>(parts));
    for (int i = 0; i < kParts; ++i)
        ::SendMessageW(hStatus, SB_SETTEXTW, i, reinterpret_cast<LPARAM>(L"Ready"));
    RECT rcStatus;
    ::GetClientRect(hStatus, &rcStatus);

    CWnd wndOurs;
    wndOurs.CreateEx(0, L"STATIC", L"", WS_CHILD, CRect(0, 0, kStatusWidth, rcStatus.bottom), CWnd::FromHandle(hParent),
                     1);
    CDibSection dib(kStatusWidth, kStatusHeight);

    CTestThemeRef classic;
    CTestThemeRef themed;
    themed->m_bThemedStatusBar = TRUE;
    themed->RefreshMetrics();

    printf("command bars: paint manager against the system's controls, %d rounds each\n", nRounds);
    // Warm both up once, then alternate so that the load on the machine falls on both alike.
    StatusBarPeer(hStatus, dib.GetDC(), 10);
    StatusBarOurs(classic.Get(), &wndOurs, dib.GetDC(), 10);
    double dPeer = 0, dClassic = 0, dThemed = 0;
    const int kBatches = 10;
    for (int b = 0; b < kBatches; ++b) {
        dPeer += StatusBarPeer(hStatus, dib.GetDC(), nRounds / kBatches);
        dClassic += StatusBarOurs(classic.Get(), &wndOurs, dib.GetDC(), nRounds / kBatches);
        dThemed += StatusBarOurs(themed.Get(), &wndOurs, dib.GetDC(), nRounds / kBatches);
    }
    printf("  (status panes are not drawn by the paint manager yet: background and grip only)\n");
    PrintRatio("status bar, classic, vs msctls_statusbar32 x6", dClassic / kBatches, dPeer / kBatches, 2.0);
    PrintRatio(themed->IsThemeInUse(themed->m_themeStatusBar) ? "status bar, themed, vs msctls_statusbar32 x6"
                                                              : "status bar, themed (no style), vs statusbar32",
               dThemed / kBatches, dPeer / kBatches, 2.0);

    Fade(classic.Get(), 200, 10);
    Fade(classic.Get(), 250, 1000000);

    wndOurs.DestroyWindow();
    ::DestroyWindow(hParent);
    return 0;
}
