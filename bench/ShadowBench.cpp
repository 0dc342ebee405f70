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

    double dShow = 0, dRemove = 0, dMax = 0;
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
    }
    printf("popup shadows, 300x500 popup, %d rounds, %s\n", nRounds,
           pManager->IsAlphaMode() ? "layered alpha strips" : "opaque strips");
    printf("  %-30s %8.2f ms\n", "SetPopupShadow", dShow / nRounds);
    printf("  %-30s %8.2f ms\n", "RemoveShadowsOf", dRemove / nRounds);
    printf("  %-30s %8.2f ms (slowest %.2f ms)\n", "both", (dShow + dRemove) / nRounds, dMax);
    pManager->InternalRelease();
    popup.DestroyWindow();
    return 0;
}
