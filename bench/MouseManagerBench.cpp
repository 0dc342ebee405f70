// The command bars' thread managers: what the mouse hook costs while no bar tracks (cursor moves
// with the mouse manager against the same moves before it exists), and how many controls one
// highlight change redraws. Needs a display.
// Usage: commandbars_manager_bench [moves]
#include "BenchClock.h"
#include "CountingBar.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPMouseManager.h"

#include <stdio.h>
#include <stdlib.h>

namespace {
const int kBatches = 10;
const int kWindowSize = 200;

LRESULT CALLBACK PlainProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// Moves the cursor inside the window and takes the resulting messages off the queue.
double MoveBatch(int nMoves)
{
    const double t0 = BenchNowMs();
    for (int i = 0; i < nMoves; ++i) {
        ::SetCursorPos(20 + i % 100, 50 + (i & 1));
        MSG msg;
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    }
    return BenchNowMs() - t0;
}

int RepaintsPerHighlightChange(int nControls)
{
    CCountingBar* pBar = new CCountingBar;
    pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP | WS_VISIBLE, 0, 300, 600, 30, NULL, NULL);
    for (int i = 0; i < nControls; ++i) {
        CZPControl* pControl = pBar->GetControls()->Add(zpControlButton, 1000 + i);
        pControl->SetRect(CRect(i * 24, 0, i * 24 + 23, 22));
    }
    pBar->HighlightControlAt(nControls / 2, 0);
    pBar->m_nRepaints = 0;
    pBar->HighlightControlAt(nControls / 2 + 1, 0);
    const int nRepaints = pBar->m_nRepaints;
    pBar->InternalRelease();
    return nRepaints;
}
}  // namespace

int main(int argc, char** argv)
{
    const int nMoves = argc > 1 ? atoi(argv[1]) : 10000;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.lpszClassName = L"ZpManagerBench";
    wc.hCursor = ::LoadCursorW(NULL, MAKEINTRESOURCEW(32512));
    ::RegisterClassW(&wc);
    HWND hWnd = ::CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, kWindowSize,
                                  kWindowSize, NULL, NULL, wc.hInstance, NULL);
    ::SetForegroundWindow(hWnd);

    // The manager cannot be taken away from a thread once made: the peer runs first.
    const int nPerBatch = nMoves / kBatches;
    MoveBatch(nPerBatch / 10);
    double dWithout = 0, dWith = 0;
    for (int i = 0; i < kBatches; ++i)
        dWithout += MoveBatch(nPerBatch);
    ZpMouseManager();  // installs the hook for the life of the thread
    MoveBatch(nPerBatch / 10);
    for (int i = 0; i < kBatches; ++i)
        dWith += MoveBatch(nPerBatch);
    printf("command bars: thread managers, %d cursor moves each\n", nPerBatch * kBatches);
    printf("  %-46s %8.3f ms, peer %8.3f ms, ratio %.2fx (goal <= 1.05x)\n",
           "cursor moves, mouse manager idle (peer: none)", dWith, dWithout, dWithout > 0 ? dWith / dWithout : 0.0);
    for (int nControls : { 10, 500 })
        printf("  controls redrawn by one highlight change, bar of %d: %d (goal <= 2)\n", nControls,
               RepaintsPerHighlightChange(nControls));
    ::DestroyWindow(hWnd);
    return 0;
}
