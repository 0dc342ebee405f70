// Toolbars against the system's toolbar, in the same run: creation with layout, WM_PRINTCLIENT and
// a hot walk over every button, with 50 and 500 buttons; how ten times the buttons scales; and a
// frame layout with 40 docked toolbars against 20. Needs a display.
// Usage: toolbar_bench [rounds]
#include "BenchClock.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPDockBar.h"
#include "commandbars/ZPToolBar.h"
#include "commandbars/themes/ZPDefaultTheme.h"

#include <framework/frame.h>

#include <commctrl.h>

#include <stdio.h>
#include <stdlib.h>
#include <vector>

namespace {

const int kButton = 23, kRowHeight = 22;
const int kBarWidth = 600;
const int kBatches = 5;  // ours and the peer's alternate so that the machine's load falls on both
const int kControlsPerDockedBar = 10;
const int kBarsPerRow = 3;
const int kDockedBarPitch = 260;  // where each bar of a row is dropped

struct CPair
{
    double dOurs = 0, dPeer = 0;
};

void PrintRatio(const char* pszName, int nButtons, const CPair& pair, double dGoal)
{
    printf("  %-34s %4d buttons %9.4f ms, peer %9.4f ms, ratio %.2fx (goal <= %.1fx)\n", pszName, nButtons, pair.dOurs,
           pair.dPeer, pair.dOurs / pair.dPeer, dGoal);
}

HWND CreatePeer(HWND hParent, int nButtons)
{
    HWND hToolbar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                                      WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_WRAPABLE | CCS_NODIVIDER, 0, 0,
                                      kBarWidth, kRowHeight, hParent, NULL, NULL, NULL);
    ::SendMessageW(hToolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    std::vector<TBBUTTON> buttons(static_cast<size_t>(nButtons));
    for (int i = 0; i < nButtons; ++i) {
        buttons[i].iBitmap = I_IMAGENONE;
        buttons[i].idCommand = 100 + i;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON;
    }
    ::SendMessageW(hToolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(kButton, kRowHeight));
    ::SendMessageW(hToolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    ::SendMessageW(hToolbar, TB_AUTOSIZE, 0, 0);
    return hToolbar;
}

CZPToolBar* CreateOurs(HWND hParent, CZPPaintManager* pTheme, int nButtons)
{
    CZPToolBar* pBar = new CZPToolBar;
    pBar->SetPaintManager(pTheme);
    pBar->SetPosition(zpBarTop);
    pBar->CreateEx(0, kZpToolBarClass, L"bar", WS_CHILD | WS_VISIBLE, 0, 0, kBarWidth, kRowHeight, hParent, NULL);
    for (int i = 0; i < nButtons; ++i)
        pBar->GetControls()->Add(zpControlButton, 100 + i);
    const CSize size = pBar->CalcDockedSize(kBarWidth, ZP_LM_HORZ | ZP_LM_HORZDOCK | ZP_LM_COMMIT, 0);
    ::SetWindowPos(pBar->GetSafeHwnd(), NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    return pBar;
}

CPair TimeCreation(HWND hParent, CZPPaintManager* pTheme, int nButtons, int nRounds)
{
    CPair pair;
    for (int b = 0; b < kBatches; ++b) {
        double t0 = BenchNowMs();
        for (int r = 0; r < nRounds; ++r)
            ::DestroyWindow(CreatePeer(hParent, nButtons));
        pair.dPeer += (BenchNowMs() - t0) / nRounds;
        t0 = BenchNowMs();
        for (int r = 0; r < nRounds; ++r)
            CreateOurs(hParent, pTheme, nButtons)->InternalRelease();
        pair.dOurs += (BenchNowMs() - t0) / nRounds;
    }
    pair.dOurs /= kBatches;
    pair.dPeer /= kBatches;
    return pair;
}

CPair TimePrint(HWND hPeer, HWND hOurs, int nRounds)
{
    CRect rc;
    ::GetClientRect(hPeer, &rc);
    HDC hScreen = ::GetDC(NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, kBarWidth, rc.Height() + kRowHeight);
    ::ReleaseDC(NULL, hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    CPair pair;
    for (int b = 0; b < kBatches; ++b) {
        double t0 = BenchNowMs();
        for (int r = 0; r < nRounds; ++r)
            ::SendMessageW(hPeer, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hDC), PRF_CLIENT | PRF_ERASEBKGND);
        pair.dPeer += (BenchNowMs() - t0) / nRounds;
        t0 = BenchNowMs();
        for (int r = 0; r < nRounds; ++r)
            ::SendMessageW(hOurs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hDC), PRF_CLIENT | PRF_ERASEBKGND);
        pair.dOurs += (BenchNowMs() - t0) / nRounds;
    }
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hDC);
    pair.dOurs /= kBatches;
    pair.dPeer /= kBatches;
    return pair;
}

// The hot item moved over every button, each change painted at once.
CPair TimeHotWalk(HWND hPeer, CZPToolBar* pOurs, int nButtons)
{
    CPair pair;
    for (int b = 0; b < kBatches; ++b) {
        double t0 = BenchNowMs();
        for (int i = 0; i < nButtons; ++i) {
            ::SendMessageW(hPeer, TB_SETHOTITEM, i, 0);
            ::UpdateWindow(hPeer);
        }
        ::SendMessageW(hPeer, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
        pair.dPeer += BenchNowMs() - t0;
        t0 = BenchNowMs();
        for (int i = 0; i < nButtons; ++i) {
            pOurs->HighlightControlAt(i, 0);
            ::UpdateWindow(pOurs->GetSafeHwnd());
        }
        pOurs->HighlightControlAt(-1, 0);
        pair.dOurs += BenchNowMs() - t0;
    }
    pair.dOurs /= kBatches;
    pair.dPeer /= kBatches;
    return pair;
}

// A frame with n toolbars docked at the top, three to a row; the time of one layout at a width
// where they fit and one where every row squeezes its bars.
double TimeDockedLayout(CZPPaintManager* pTheme, int nBars, int nRounds)
{
    CFrameWnd* pFrame = new CFrameWnd;
    pFrame->Create(NULL, L"frame", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 800, 600));
    double dTime = 0;
    {
        CZPCommandBars commandBars;
        commandBars.SetSite(pFrame->GetSafeHwnd());
        commandBars.CreateDockBars();
        CZPDockBar* pTop = commandBars.GetDockBar(zpBarTop);
        for (int i = 0; i < nBars; ++i) {
            CZPToolBar* pBar = commandBars.CreateToolBar(L"bar", zpBarFloating);
            pBar->SetPaintManager(pTheme);
            for (int j = 0; j < kControlsPerDockedBar; ++j)
                pBar->GetControls()->Add(zpControlButton, 100 + j);
            const int nRow = i / kBarsPerRow;
            CRect rcDrop(CPoint((i % kBarsPerRow) * kDockedBarPitch, nRow * kRowHeight + 2), CSize(20, 20));
            commandBars.DockCommandBar(pBar, &rcDrop, pTop);
            pFrame->RecalcLayout(FALSE);
        }
        const double t0 = BenchNowMs();
        for (int r = 0; r < nRounds; ++r) {
            ::SetWindowPos(pFrame->GetSafeHwnd(), NULL, 0, 0, 800 - (r % 2) * 100, 600, SWP_NOZORDER | SWP_NOACTIVATE);
            pFrame->RecalcLayout(FALSE);
        }
        dTime = (BenchNowMs() - t0) / nRounds;
    }
    pFrame->DestroyWindow();
    return dTime;
}

}  // namespace

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? atoi(argv[1]) : 20;
    ::InitCommonControls();
    CZPDefaultTheme* pTheme = new CZPDefaultTheme;
    pTheme->RefreshMetrics();
    HWND hParent =
        ::CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, kBarWidth, 600, NULL, NULL, NULL, NULL);

    printf("toolbars: creation with layout, WM_PRINTCLIENT and a hot walk against ToolbarWindow32, %d rounds\n",
           nRounds);
    CPair creation[2];
    const int kCounts[2] = { 50, 500 };
    for (int n = 0; n < 2; ++n) {
        const int nButtons = kCounts[n];
        creation[n] = TimeCreation(hParent, pTheme, nButtons, n == 0 ? nRounds * 10 : nRounds);
        PrintRatio("toolbar creation and layout", nButtons, creation[n], 2.0);
        HWND hPeer = CreatePeer(hParent, nButtons);
        CZPToolBar* pOurs = CreateOurs(hParent, pTheme, nButtons);
        PrintRatio("toolbar WM_PRINTCLIENT", nButtons, TimePrint(hPeer, pOurs->GetSafeHwnd(), nRounds * 5), 1.5);
        PrintRatio("toolbar hot walk", nButtons, TimeHotWalk(hPeer, pOurs, nButtons), 1.5);
        pOurs->InternalRelease();
        ::DestroyWindow(hPeer);
    }
    printf("  %-34s ours %.2fx, peer %.2fx, ratio %.2fx (goal <= 12x)\n", "creation and layout, 500 / 50 buttons",
           creation[1].dOurs / creation[0].dOurs, creation[1].dPeer / creation[0].dPeer,
           creation[1].dOurs / creation[0].dOurs);

    TimeDockedLayout(pTheme, 20, 1);  // warms the window classes and the font caches
    const double d20 = TimeDockedLayout(pTheme, 20, nRounds);
    const double d40 = TimeDockedLayout(pTheme, 40, nRounds);
    printf("  %-34s 40 bars %.4f ms, 20 bars %.4f ms, ratio %.2fx (goal <= 2.5x)\n", "frame layout, docked toolbars",
           d40, d20, d40 / d20);

    ::DestroyWindow(hParent);
    pTheme->InternalRelease();
    return 0;
}
