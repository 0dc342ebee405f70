// The command bars' paint manager against the system's own controls, in the same run: a status
// bar's background and size grip against msctls_statusbar32 with 6 parts, and popup fades that
// must last their time. Needs a display.
// Usage: commandbars_bench [rounds]
#include "BenchClock.h"

#include "../tests/toolkit/commandbars/paint_manager_pixels.h"
#include "../tests/toolkit/commandbars/paint_manager_test_theme.h"

#include <commctrl.h>

#include <math.h>
#include <stdio.h>
#include <stdlib.h>

namespace {
const int kStatusWidth = 800, kStatusHeight = 22;
const int kParts = 6;
const int kBatches = 10;  // ours and the peer's alternate so that the machine's load falls on both
const int kFadeWidth = 300, kFadeHeight = 400;

// The message that makes the status bar paint into a DC of ours: WM_PRINTCLIENT where it answers
// it, else WM_PAINT with the DC in wParam (which common controls take too); 0 when neither paints.
UINT PeerPaintMessage(HWND hStatus, CDibSection& dib)
{
    const COLORREF clrProbe = RGB(255, 0, 255);
    for (UINT nMessage : { static_cast<UINT>(WM_PRINTCLIENT), static_cast<UINT>(WM_PAINT) }) {
        dib.Fill(clrProbe);
        ::SendMessageW(hStatus, nMessage, reinterpret_cast<WPARAM>(dib.GetDC()), PRF_CLIENT | PRF_ERASEBKGND);
        if (CountPixels(dib, clrProbe) < dib.Width() * dib.Height() / 2)
            return nMessage;
    }
    return 0;
}

double StatusBarPeer(HWND hStatus, UINT nMessage, HDC hDC, int nRounds)
{
    const double t0 = BenchNowMs();
    for (int i = 0; i < nRounds; ++i)
        ::SendMessageW(hStatus, nMessage, reinterpret_cast<WPARAM>(hDC), PRF_CLIENT | PRF_ERASEBKGND);
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
    printf("  %-46s %8.3f ms, peer %8.3f ms, ratio %.2fx (goal <= %.1fx)\n", pszName, dOurs, dPeer,
           dPeer > 0 ? dOurs / dPeer : 0.0, dGoal);
}

// One fade of a popup against its time: with few steps its end must lie within one frame of the
// time; with a huge step count frames are skipped and it must end within a tenth of the time.
void Fade(CTestTheme* pPM, int nTime, int nSteps)
{
    CDibSection dest(kFadeWidth, kFadeHeight, RGB(0, 0, 0)), src(kFadeWidth, kFadeHeight, RGB(255, 255, 255));
    CDibDC dcDest(dest), dcSrc(src);
    pPM->m_nAnimationTime = nTime;
    pPM->m_nAnimationSteps = nSteps;
    const double t0 = BenchNowMs();
    pPM->AnimatePopup(&dcDest, &dcSrc, CRect(0, 0, kFadeWidth, kFadeHeight), zpAnimateFade);
    const double dElapsed = BenchNowMs() - t0;
    const double dFrame = static_cast<double>(nTime) / nSteps;
    char szName[80];
    sprintf(szName, "fade %d ms in %d steps: %.1f ms", nTime, nSteps, dElapsed);
    if (dFrame >= 1.0)
        printf("  %-46s frames off the time, ratio %.2fx (goal <= 1.0x)\n", szName, fabs(dElapsed - nTime) / dFrame);
    else
        printf("  %-46s share of the time, ratio %.2fx (goal <= 1.1x)\n", szName, dElapsed / nTime);
}
}  // namespace

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? atoi(argv[1]) : 2000;
    ::InitCommonControls();

    // Visible: the status bar paints nothing while it is not.
    HWND hParent = ::CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, kStatusWidth, 100, NULL, NULL,
                                     NULL, NULL);
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

    const UINT nPeerMessage = PeerPaintMessage(hStatus, dib);
    if (nPeerMessage == 0) {
        printf("msctls_statusbar32 paints into no DC of ours: no status-bar comparison\n");
        return 1;
    }
    printf("command bars: paint manager against the system's controls, %d rounds each\n", nRounds);
    printf("  (msctls_statusbar32 painted by %s; the paint manager draws no panes yet: its pane slots\n"
           "   come with the status bar's panes, so ours is the background and the size grip)\n",
           nPeerMessage == WM_PRINTCLIENT ? "WM_PRINTCLIENT" : "WM_PAINT");
    StatusBarPeer(hStatus, nPeerMessage, dib.GetDC(), kBatches);
    StatusBarOurs(classic.Get(), &wndOurs, dib.GetDC(), kBatches);
    double dPeer = 0, dClassic = 0, dThemed = 0;
    for (int b = 0; b < kBatches; ++b) {
        dPeer += StatusBarPeer(hStatus, nPeerMessage, dib.GetDC(), nRounds / kBatches);
        dClassic += StatusBarOurs(classic.Get(), &wndOurs, dib.GetDC(), nRounds / kBatches);
        dThemed += StatusBarOurs(themed.Get(), &wndOurs, dib.GetDC(), nRounds / kBatches);
    }
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
