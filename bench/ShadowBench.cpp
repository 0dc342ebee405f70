// Time to give a 300 x 500 popup its drop shadows and take them away again (SetPopupShadow plus
// RemoveShadowsOf), the cost each popup menu pays when it opens and closes. Needs a display.
// Usage: toolkit_shadow_bench [rounds]
#include "common/ZPShadowManager.h"

#include <chrono>
#include <stdio.h>
#include <stdlib.h>

namespace
{
double Now()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The floor under the shadows: two bare layered strips of the same sizes, filled with
// UpdateLayeredWindow, shown and destroyed, through USER32 alone.
double BareStrips()
{
    const double t0 = Now();
    const RECT strips[] = {{400, 104, 404, 600}, {104, 600, 404, 604}};
    for (const RECT& rc : strips)
    {
        const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
        HWND hWnd = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_LAYERED, L"STATIC", NULL, WS_POPUP, rc.left, rc.top,
                                      cx, cy, NULL, NULL, NULL, NULL);
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* pBits = NULL;
        HDC hDC = ::CreateCompatibleDC(NULL);
        HBITMAP hBitmap = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
        HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
        SIZE size = {cx, cy};
        POINT pt = {0, 0};
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::UpdateLayeredWindow(hWnd, NULL, NULL, &size, hDC, &pt, 0, &blend, ULW_ALPHA);
        ::SelectObject(hDC, hOld);
        ::DeleteObject(hBitmap);
        ::DeleteDC(hDC);
        ::SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        ::DestroyWindow(hWnd);
    }
    return Now() - t0;
}

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
}
}

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? atoi(argv[1]) : 100;
    CWnd popup;
    if (!popup.CreateEx(0, NULL, L"popup", WS_POPUP | WS_VISIBLE, 100, 100, 300, 500, NULL, NULL))
        return 1;
    CZPShadowManager* pManager = new CZPShadowManager;
    pManager->SetFlags(CZPShadowManager::shadowForce);

    double dShow = 0, dRemove = 0, dMax = 0, dBare = 0;
    for (int i = 0; i < nRounds; ++i)
    {
        const double t0 = Now();
        pManager->SetPopupShadow(&popup, NULL, 0);
        const double t1 = Now();
        pManager->RemoveShadowsOf(&popup);
        const double t2 = Now();
        dShow += t1 - t0;
        dRemove += t2 - t1;
        if (t2 - t0 > dMax)
            dMax = t2 - t0;
        Pump();
        dBare += BareStrips();
        Pump();
    }
    printf("popup shadows, 300x500 popup, %d rounds, %s\n", nRounds,
           pManager->IsAlphaMode() ? "layered alpha strips" : "opaque strips");
    printf("  %-30s %8.2f ms\n", "SetPopupShadow", dShow / nRounds);
    printf("  %-30s %8.2f ms\n", "RemoveShadowsOf", dRemove / nRounds);
    printf("  %-30s %8.2f ms (slowest %.2f ms)\n", "both", (dShow + dRemove) / nRounds, dMax);
    printf("  %-30s %8.2f ms\n", "two bare layered strips", dBare / nRounds);
    pManager->InternalRelease();
    popup.DestroyWindow();
    return 0;
}
