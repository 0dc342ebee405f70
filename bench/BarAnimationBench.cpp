// Bar animation against its peers, in the same run: one blend step of a 200 x 24 area against a
// constant-alpha AlphaBlend of the same rectangle, and a cached repaint of a 600 x 24 bar against
// a window of that size whose paint is one BitBlt, both repainted the same way. Needs a display. Usage:
// bar_animation_bench [rounds]
#include "BenchClock.h"
#include "BenchTiming.h"

#include "../tests/toolkit/common/DibSection.h"

#include "commandbars/ZPCommandBarAnimation.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPToolBar.h"

#include <stdio.h>
#include <stdlib.h>

namespace {

const int kBarWidth = 600, kBarHeight = 24;
const int kAreaWidth = 200;
const int kBatches = 10;  // ours and the peer's alternate so that the machine's load falls on both

// Gives the benchmark the step drawing the fade's timer runs.
class CBenchAnimation : public CZPCommandBarAnimation
{
public:
    using CZPCommandBarAnimation::CZPCommandBarAnimation;
    using CZPCommandBarAnimation::DrawStep;
};

double BlendSteps(CBenchAnimation* pAnimation, CZPCommandBarAnimation::CAnimateInfo* pInfo, HDC hDC, int nRounds)
{
    const double t0 = BenchNowMs();
    for (int r = 0; r < nRounds; ++r) {
        pInfo->m_nStep = 1 + r % 5;
        pAnimation->DrawStep(hDC, pInfo);
    }
    return (BenchNowMs() - t0) / nRounds;
}

double AlphaBlends(HDC hDest, HDC hSrc, int nRounds)
{
    BLENDFUNCTION bf = { AC_SRC_OVER, 0, 128, 0 };
    const double t0 = BenchNowMs();
    for (int r = 0; r < nRounds; ++r)
        ::AlphaBlend(hDest, 0, 0, kAreaWidth, kBarHeight, hSrc, 0, 0, kAreaWidth, kBarHeight, bf);
    ::GdiFlush();
    return (BenchNowMs() - t0) / nRounds;
}

double CachedRepaints(HWND hBar, int nRounds)
{
    const double t0 = BenchNowMs();
    for (int r = 0; r < nRounds; ++r) {
        ::InvalidateRect(hBar, NULL, FALSE);
        ::UpdateWindow(hBar);
    }
    ::GdiFlush();
    return (BenchNowMs() - t0) / nRounds;
}

// The peer window: its paint is one BitBlt of a picture of its size.
HDC g_hPeerPicture = NULL;  // borrowed from main

LRESULT CALLBACK PeerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(hWnd, &ps);
        ::BitBlt(hDC, 0, 0, kBarWidth, kBarHeight, g_hPeerPicture, 0, 0, SRCCOPY);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return 1;
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? atoi(argv[1]) : 2000;
    ZpSetPaintTheme(zpThemeDefault);
    CZPToolBar* pBar = new CZPToolBar;
    pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP, 0, 0, kBarWidth, kBarHeight, NULL, NULL);
    pBar->SetPosition(zpBarTop);
    pBar->SetAnimationEnabled(TRUE);
    pBar->ShowWindow(SW_SHOWNOACTIVATE);
    pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);

    CDibSection dest(kAreaWidth, kBarHeight, RGB(10, 20, 30));
    CDibSection src(kAreaWidth, kBarHeight, RGB(200, 100, 50));
    CDibSection whole(kBarWidth, kBarHeight, RGB(200, 100, 50));
    g_hPeerPicture = whole.GetDC();
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PeerProc;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.lpszClassName = L"TolvaneBarAnimationPeer";
    ::RegisterClassW(&wc);
    HWND hPeer = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 40, kBarWidth, kBarHeight, NULL,
                                   NULL, wc.hInstance, NULL);
    CBenchAnimation animation(pBar);
    CZPCommandBarAnimation::CAnimateInfo info(NULL, CRect(0, 0, kAreaWidth, kBarHeight));

    printf("bar animation: a blend step against AlphaBlend, a cached repaint against BitBlt, %d rounds each\n",
           nRounds);
    double dStep = 0, dAlpha = 0, dRepaint = 0, dBlt = 0;
    BlendSteps(&animation, &info, dest.GetDC(), kBatches);
    AlphaBlends(dest.GetDC(), src.GetDC(), kBatches);
    for (int b = 0; b < kBatches; ++b) {
        dStep += BlendSteps(&animation, &info, dest.GetDC(), nRounds / kBatches);
        dAlpha += AlphaBlends(dest.GetDC(), src.GetDC(), nRounds / kBatches);
        dRepaint += CachedRepaints(pBar->m_hWnd, nRounds / kBatches);
        dBlt += CachedRepaints(hPeer, nRounds / kBatches);
    }
    BenchPrintRatio("blend step, 200x24, vs constant-alpha AlphaBlend", dStep / kBatches, dAlpha / kBatches, 2.0);
    BenchPrintRatio("cached repaint, 600x24, vs a one-BitBlt paint", dRepaint / kBatches, dBlt / kBatches, 1.2);

    ::DestroyWindow(hPeer);
    pBar->DestroyWindow();
    pBar->InternalRelease();
    ZpSetPaintManager(NULL);
    return 0;
}
