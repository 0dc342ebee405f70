// The command bars' thread managers: what the mouse hook costs while no bar tracks, and how many
// controls one highlight change redraws. Needs a display.
// The managers are per thread and the mouse manager keeps its hook for the thread's life, so two
// threads move the cursor over windows of their own, batch by batch in turn (both see the same
// machine load): one with the mouse manager, one without any hook or with a hook that only passes
// every message on. Under Wine any installed mouse hook costs a round trip per message; the
// pass-through hook shows that floor.
// Usage: commandbars_manager_bench [moves]
#include "BenchClock.h"
#include "CountingBar.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPMouseManager.h"

#include <stdio.h>
#include <stdlib.h>

namespace {
const int kBatches = 50;  // small batches in turn: load changes reach all three alike
const int kWindowSize = 200;
const int kWindowGap = 250;  // the second thread's window lies this far below the first

LRESULT CALLBACK PlainProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

LRESULT CALLBACK PassThroughHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

// Moves the cursor inside the window at yTop and takes the resulting messages off the queue.
double MoveBatch(int nMoves, int yTop)
{
    const double t0 = BenchNowMs();
    for (int i = 0; i < nMoves; ++i) {
        ::SetCursorPos(20 + i % 100, yTop + 50 + (i & 1));
        MSG msg;
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    }
    return BenchNowMs() - t0;
}

// A thread with a window of its own that runs one batch of moves each time it is told to.
struct CMover
{
    int yTop = 0;
    BOOL bManager = FALSE;  // the thread makes its mouse manager (and so its hook) at start
    BOOL bPassThrough = FALSE;
    BOOL bQuit = FALSE;
    int nMoves = 0;
    double dLast = 0;
    HANDLE hGo = ::CreateEventW(NULL, FALSE, FALSE, NULL);
    HANDLE hDone = ::CreateEventW(NULL, FALSE, FALSE, NULL);
    HANDLE hThread = NULL;

    static DWORD WINAPI Main(LPVOID pParam)
    {
        CMover* pThis = static_cast<CMover*>(pParam);
        HWND hWnd = ::CreateWindowExW(WS_EX_TOPMOST, L"ZpManagerBench", L"", WS_POPUP | WS_VISIBLE, 0, pThis->yTop,
                                      kWindowSize, kWindowSize, NULL, NULL, ::GetModuleHandleW(NULL), NULL);
        if (pThis->bManager)
            ZpMouseManager();
        ::SetEvent(pThis->hDone);
        while (::WaitForSingleObject(pThis->hGo, INFINITE) == WAIT_OBJECT_0 && !pThis->bQuit) {
            HHOOK hHook = pThis->bPassThrough
                              ? ::SetWindowsHookExW(WH_MOUSE, PassThroughHook, NULL, ::GetCurrentThreadId())
                              : NULL;
            pThis->dLast = MoveBatch(pThis->nMoves, pThis->yTop);
            if (hHook != NULL)
                ::UnhookWindowsHookEx(hHook);
            ::SetEvent(pThis->hDone);
        }
        ::DestroyWindow(hWnd);
        return 0;
    }
    void Start(int yWindow, BOOL bWithManager)
    {
        yTop = yWindow;
        bManager = bWithManager;
        hThread = ::CreateThread(NULL, 0, Main, this, 0, NULL);
        ::WaitForSingleObject(hDone, INFINITE);
    }
    double Batch(int nCount, BOOL bHook)
    {
        nMoves = nCount;
        bPassThrough = bHook;
        ::SetEvent(hGo);
        ::WaitForSingleObject(hDone, INFINITE);
        return dLast;
    }
    void Stop()
    {
        bQuit = TRUE;
        ::SetEvent(hGo);
        ::WaitForSingleObject(hThread, INFINITE);
        ::CloseHandle(hThread);
        ::CloseHandle(hGo);
        ::CloseHandle(hDone);
    }
};

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

void PrintRatio(const char* pszWhat, double dOurs, double dPeer, const char* pszGoal)
{
    printf("  %-46s %8.3f ms, peer %8.3f ms, ratio %.2fx (%s)\n", pszWhat, dOurs, dPeer,
           dPeer > 0 ? dOurs / dPeer : 0.0, pszGoal);
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

    CMover plain, managed;
    plain.Start(0, FALSE);
    managed.Start(kWindowGap, TRUE);
    const int nPerBatch = nMoves / kBatches;
    plain.Batch(nPerBatch / 10, FALSE);
    managed.Batch(nPerBatch / 10, FALSE);
    double dWithout = 0, dPassThrough = 0, dWith = 0;
    for (int i = 0; i < kBatches; ++i) {
        // The order turns round every batch, so that none of the three always goes first.
        if (i % 2 == 0) {
            dWithout += plain.Batch(nPerBatch, FALSE);
            dPassThrough += plain.Batch(nPerBatch, TRUE);
            dWith += managed.Batch(nPerBatch, FALSE);
        } else {
            dWith += managed.Batch(nPerBatch, FALSE);
            dPassThrough += plain.Batch(nPerBatch, TRUE);
            dWithout += plain.Batch(nPerBatch, FALSE);
        }
    }
    plain.Stop();
    managed.Stop();
    printf("command bars: thread managers, %d cursor moves each\n", nPerBatch * kBatches);
    PrintRatio("cursor moves, mouse manager idle (peer: none)", dWith, dWithout, "goal <= 1.05x");
    PrintRatio("mouse manager idle (peer: pass-through hook)", dWith, dPassThrough, "goal <= 1.05x");
    PrintRatio("pass-through hook (peer: none)", dPassThrough, dWithout, "reference: any hook");
    for (int nControls : { 10, 500 })
        printf("  controls redrawn by one highlight change, bar of %d: %d (goal <= 2)\n", nControls,
               RepaintsPerHighlightChange(nControls));
    return 0;
}
