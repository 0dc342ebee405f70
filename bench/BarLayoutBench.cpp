// The bar layout's growth, in the same run: loading a controls blob with ten times the controls
// against the time of the smaller one, and the frame's layout with 40 docked toolbars against 20.
// Needs a display.
// Usage: bar_layout_bench [rounds]
#include "BenchClock.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPToolBar.h"

#include <framework/frame.h>

#include <stdio.h>
#include <stdlib.h>

#include <vector>

namespace {

const int kDefaultRounds = 20;
const int kSmallControls = 100, kLargeControls = 1000;
const int kFewBars = 20, kManyBars = 40;
const int kControlsPerBar = 5;
const int kFirstCommand = 1000;
const double kLoadGoal = 12.0, kDockGoal = 2.5;

CFrameWnd* NewFrame()
{
    CFrameWnd* pFrame = new CFrameWnd;  // deletes itself with its window
    if (!pFrame->Create(NULL, L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 700)))
        return NULL;
    return pFrame;
}

// Command bars on a frame, with toolbars of buttons docked at the top.
struct CBenchBars
{
    CBenchBars(int nBars, int nControlsPerBar) : pFrame(NewFrame())
    {
        commandBars.SetSite(pFrame->m_hWnd);
        commandBars.CreateDockBars();
        for (int b = 0; b < nBars; ++b) {
            CZPToolBar* pBar = commandBars.CreateToolBar(L"bar", zpBarTop);
            pBar->SetBarID(static_cast<UINT>(100 + b));
            for (int i = 0; i < nControlsPerBar; ++i)
                pBar->GetControls()->Add(zpControlButton, kFirstCommand + i);
        }
    }
    ~CBenchBars()
    {
        commandBars.RemoveAll();
        pFrame->DestroyWindow();
    }

    CFrameWnd* pFrame;  // deletes itself
    CZPCommandBars commandBars;
};

double LoadTime(int nControls, int nRounds)
{
    CBenchBars bars(1, nControls);
    std::vector<BYTE> blob;
    bars.commandBars.SaveBars(blob);
    const double t0 = BenchNowMs();
    for (int i = 0; i < nRounds; ++i)
        bars.commandBars.LoadBars(blob);
    return (BenchNowMs() - t0) / nRounds;
}

double LayoutTime(int nBars, int nRounds)
{
    CBenchBars bars(nBars, kControlsPerBar);
    const double t0 = BenchNowMs();
    for (int i = 0; i < nRounds; ++i) {
        bars.pFrame->SetWindowPos(NULL, 0, 0, (i % 2) != 0 ? 900 : 600, 700, SWP_NOZORDER | SWP_NOMOVE);
        bars.pFrame->RecalcLayout();
    }
    return (BenchNowMs() - t0) / nRounds;
}

}  // namespace

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? atoi(argv[1]) : kDefaultRounds;
    ZpSetPaintTheme(zpThemeNativeXP);
    const double dSmall = LoadTime(kSmallControls, nRounds);
    const double dLarge = LoadTime(kLargeControls, nRounds);
    const double dFew = LayoutTime(kFewBars, nRounds);
    const double dMany = LayoutTime(kManyBars, nRounds);
    printf("Bar layout growth (same run, %d rounds)\n", nRounds);
    printf("  %-50s %8.2f ms, peer %8.2f ms, ratio %.2fx (goal <= %.1fx)\n", "controls blob: 1000 controls vs 100",
           dLarge, dSmall, dSmall > 0 ? dLarge / dSmall : 0.0, kLoadGoal);
    printf("  %-50s %8.2f ms, peer %8.2f ms, ratio %.2fx (goal <= %.1fx)\n", "frame layout: 40 docked toolbars vs 20",
           dMany, dFew, dFew > 0 ? dMany / dFew : 0.0, kDockGoal);
    return 0;
}
