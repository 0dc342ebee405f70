// The bar the showcase programs build on: a visible popup window in the Native XP look.
#pragma once

#include <gtest/gtest.h>

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPPaintManager.h"

// One reference to the bar goes to the caller; NULL when the look cannot be made.
inline CZPCommandBar* ZpCreateShowcaseBar(LPCWSTR lpszTitle, const CRect& rc)
{
    CZPPaintManager* pTheme = ZpCreatePaintTheme(zpThemeNativeXP);
    if (pTheme == NULL)
        return NULL;
    pTheme->RefreshMetrics();
    CZPCommandBar* pBar = new CZPCommandBar;
    pBar->SetPaintManager(pTheme);
    pTheme->InternalRelease();
    pBar->SetBarStyle(0);
    pBar->CreateEx(0, AfxRegisterWndClass(0), lpszTitle, WS_POPUP | WS_VISIBLE, rc.left, rc.top, rc.Width(),
                   rc.Height(), NULL, NULL);
    return pBar;
}
