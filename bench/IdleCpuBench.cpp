// What an open popup left idle, and a toolbar button held down and auto-repeating, cost in CPU:
// thread and process times (GetThreadTimes, GetProcessTimes) between two timers, the first once
// the popup is open and painted (or the button pressed), the second ending the run, as a share of
// one core over the wall time between them. The popup's peer is the system's TrackPopupMenu with
// the same items, idle as long. Needs a display.
// Usage: commandbars_idle_cpu_bench [milliseconds]
#include "BenchClock.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControlButton.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPopupBar.h"

#include <stdio.h>
#include <stdlib.h>

namespace {
const int kItems = 12;
const int kFirstId = 1000;
const int kRepeatInterval = 100;  // ms between auto-repeats of the held button
const UINT_PTR kStartTimer = 1;
const UINT_PTR kEndTimer = 2;
const UINT kSettleMs = 500;  // opening and first painting are done by then
const double kGoalPercent = 2.0;

// CPU times of the thread and the process, in milliseconds.
struct CpuSample
{
    double dThread;
    double dProcess;
    double dWall;
};

double FileTimeMs(const FILETIME& ft)
{
    ULARGE_INTEGER u;
    u.LowPart = ft.dwLowDateTime;
    u.HighPart = ft.dwHighDateTime;
    return static_cast<double>(u.QuadPart) / 10000.0;
}

CpuSample Sample()
{
    FILETIME ftCreate, ftExit, ftKernel, ftUser;
    CpuSample s = {};
    if (::GetThreadTimes(::GetCurrentThread(), &ftCreate, &ftExit, &ftKernel, &ftUser))
        s.dThread = FileTimeMs(ftKernel) + FileTimeMs(ftUser);
    if (::GetProcessTimes(::GetCurrentProcess(), &ftCreate, &ftExit, &ftKernel, &ftUser))
        s.dProcess = FileTimeMs(ftKernel) + FileTimeMs(ftUser);
    s.dWall = BenchNowMs();
    return s;
}

void Report(LPCSTR lpszWhat, const CpuSample& a, const CpuSample& b, LPCSTR lpszExtra)
{
    const double dWall = b.dWall - a.dWall;
    const double dThread = dWall > 0 ? 100.0 * (b.dThread - a.dThread) / dWall : 0.0;
    const double dProcess = dWall > 0 ? 100.0 * (b.dProcess - a.dProcess) / dWall : 0.0;
    printf("  %-40s %7.0f ms wall, process %5.2f%%%s, thread cpu %.2f%% of one core (goal < %.0f%%)\n", lpszWhat, dWall,
           dProcess, lpszExtra, dThread, kGoalPercent);
}

LRESULT CALLBACK OwnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

HWND g_hWndBar = NULL;
int g_nCommands = 0;
CpuSample g_start, g_end;

void CALLBACK StartSampleTimer(HWND hWnd, UINT, UINT_PTR nId, DWORD)
{
    ::KillTimer(hWnd, nId);
    g_start = Sample();
    g_nCommands = 0;
}

void CALLBACK EndPopupTimer(HWND hWnd, UINT, UINT_PTR nId, DWORD)
{
    ::KillTimer(hWnd, nId);
    g_end = Sample();
    ZpMouseManager()->CloseAll();
}

void CALLBACK EndMenuTimer(HWND hWnd, UINT, UINT_PTR nId, DWORD)
{
    ::KillTimer(hWnd, nId);
    g_end = Sample();
    ::EndMenu();
}

void CALLBACK ReleaseButtonTimer(HWND hWnd, UINT, UINT_PTR nId, DWORD)
{
    ::KillTimer(hWnd, nId);
    g_end = Sample();
    ::PostMessageW(g_hWndBar, WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
}

// The run measured: from kSettleMs on, nRunMs long, ended by pfnEnd.
void StartTimers(HWND hOwner, int nRunMs, TIMERPROC pfnEnd)
{
    g_start = g_end = CpuSample();
    ::SetTimer(hOwner, kStartTimer, kSettleMs, StartSampleTimer);
    ::SetTimer(hOwner, kEndTimer, kSettleMs + static_cast<UINT>(nRunMs), pfnEnd);
}

LRESULT CALLBACK SiteProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        ++g_nCommands;
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}
}  // namespace

int main(int argc, char** argv)
{
    const int nRunMs = argc > 1 ? atoi(argv[1]) : 2000;
    HINSTANCE hInstance = ::GetModuleHandleW(NULL);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = hInstance;
    wc.lpszClassName = L"ZpIdleCpuOwner";
    wc.hCursor = ::LoadCursorW(NULL, MAKEINTRESOURCEW(32512));
    ::RegisterClassW(&wc);
    wc.lpfnWndProc = SiteProc;
    wc.lpszClassName = L"ZpIdleCpuSite";
    ::RegisterClassW(&wc);
    HWND hOwner = ::CreateWindowExW(0, L"ZpIdleCpuOwner", L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, NULL, NULL,
                                    hInstance, NULL);
    HWND hSite = ::CreateWindowExW(0, L"ZpIdleCpuSite", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, hInstance, NULL);
    ::SetForegroundWindow(hOwner);
    // The cursor rests away from every window of the runs.
    ::SetCursorPos(900, 900);
    printf("command bars: CPU while idle, %d ms each\n", nRunMs);

    // The system's menu, idle as long.
    HMENU hMenu = ::CreatePopupMenu();
    for (int i = 0; i < kItems; ++i) {
        WCHAR szText[32];
        swprintf(szText, 32, L"Item %d", i);
        ::AppendMenuW(hMenu, MF_STRING, kFirstId + i, szText);
    }
    StartTimers(hOwner, nRunMs, EndMenuTimer);
    ::TrackPopupMenu(hMenu, TPM_RETURNCMD, 40, 40, 0, hOwner, NULL);
    ::DestroyMenu(hMenu);
    const double dPeerProcess =
        g_end.dWall > g_start.dWall ? 100.0 * (g_end.dProcess - g_start.dProcess) / (g_end.dWall - g_start.dWall) : 0.0;
    Report("idle TrackPopupMenu (peer)", g_start, g_end, "");

    // Ours: a popup bar with the same items, opened and left alone.
    {
        CRefPtr<CZPPopupBar> pPopup = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(NULL));
        for (int i = 0; i < kItems; ++i) {
            CZPControl* pControl = pPopup->GetControls()->Add(zpControlButton, kFirstId + i);
            WCHAR szText[32];
            swprintf(szText, 32, L"Item %d", i);
            pControl->SetCaption(szText);
        }
        StartTimers(hOwner, nRunMs, EndPopupTimer);
        ZpTrackPopupBar(pPopup.Get(), TPM_RETURNCMD, 40, 40, CWnd::FromHandle(hOwner));
        char szPeer[64];
        snprintf(szPeer, sizeof(szPeer), " (peer %.2f%%)", dPeerProcess);
        Report("idle open popup bar", g_start, g_end, szPeer);
    }

    // A toolbar button held down: it auto-repeats every kRepeatInterval ms until the release.
    {
        CZPCommandBar* pBar = new CZPCommandBar;
        pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP | WS_VISIBLE, 0, 0, 200, 40, hOwner, NULL);
        pBar->SetCommandTarget(hSite);
        pBar->SetSiteWindow(hSite);
        CZPControlButton* pButton = static_cast<CZPControlButton*>(pBar->GetControls()->Append(new CZPControlButton));
        pButton->SetID(kFirstId);
        pButton->SetRect(CRect(0, 0, 40, 22));
        pButton->SetExecuteOnPressInterval(kRepeatInterval);
        g_hWndBar = pBar->GetSafeHwnd();
        StartTimers(hOwner, nRunMs, ReleaseButtonTimer);
        pButton->TrackPressed(CRect(0, 0, 0, 0));
        char szRepeats[64];
        snprintf(szRepeats, sizeof(szRepeats), ", %d repeats", g_nCommands);
        Report("held auto-repeating button", g_start, g_end, szRepeats);
        pBar->DestroyWindow();
        pBar->InternalRelease();
    }
    ::DestroyWindow(hSite);
    ::DestroyWindow(hOwner);
    return 0;
}
