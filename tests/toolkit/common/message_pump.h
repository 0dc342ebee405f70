// Pumping the test thread's messages for a while, or until a condition holds (a bound only).
#pragma once

#include <windows.h>

inline void PumpFor(DWORD dwMilliseconds)
{
    const DWORD dwStart = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    } while (::GetTickCount() - dwStart < dwMilliseconds);
}

const DWORD kPumpWaitMs = 3000;   // a bound only: what is awaited normally happens much sooner

template <class Pred>
bool PumpUntil(Pred pred, DWORD dwTimeout = kPumpWaitMs)
{
    const DWORD dwStart = ::GetTickCount();
    while (!pred()) {
        if (::GetTickCount() - dwStart >= dwTimeout)
            return false;
        PumpFor(10);
    }
    return true;
}

// Keeps a showcase window on screen and interactive for TOLVANE_TEST_LINGER_MS milliseconds
// (none when unset), so that a screenshot can be taken; ends early when the window goes.
inline void LingerForScreenshot(HWND hWnd)
{
    WCHAR szLinger[16] = {};
    const UINT nLinger = ::GetEnvironmentVariableW(L"TOLVANE_TEST_LINGER_MS", szLinger, 16) != 0 ? _wtoi(szLinger) : 0;
    const DWORD dwEnd = ::GetTickCount() + nLinger;
    MSG msg;
    while (static_cast<int>(dwEnd - ::GetTickCount()) > 0 && ::IsWindow(hWnd)) {
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}
