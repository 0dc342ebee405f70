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
