// Shared by the drawing tests: brushes made in one line, pixels compared by colour channels.
#pragma once

#include "markup_fixture_types.h"

#include "markup/ZPMarkupBrush.h"
#include "markup/ZPMarkupGdiPlusDeviceContext.h"

#include <stdlib.h>

#include <vector>

// Warms the type records up before the live-object count is taken.
class CMarkupDrawingTest : public CMarkupLeakCheck
{
protected:
    void SetUp() override
    {
        (new CZPMarkupLinearGradientBrush)->Release();
        CMarkupLeakCheck::SetUp();
    }
};

// A gradient with the stops in the order given; points relative to the painted box.
inline CZPMarkupLinearGradientBrush* MakeGradient(std::initializer_list<std::pair<DWORD, double>> stops, double x1 = -1,
                                                  double y1 = 0, double x2 = 0, double y2 = 0)
{
    CZPMarkupLinearGradientBrush* pBrush = new CZPMarkupLinearGradientBrush;
    for (const auto& stop : stops)
        pBrush->AddStop(stop.first, stop.second);
    if (x1 >= 0) {
        pBrush->SetValue(CZPMarkupLinearGradientBrush::m_pStartPointProperty, new CZPMarkupPoint(x1, y1));
        pBrush->SetValue(CZPMarkupLinearGradientBrush::m_pEndPointProperty, new CZPMarkupPoint(x2, y2));
    }
    return pBrush;
}

// Colour channels within a tolerance: back ends round blends differently.
inline ::testing::AssertionResult ColorNear(COLORREF expected, COLORREF actual, int nTolerance = 0)
{
    if (abs(GetRValue(expected) - GetRValue(actual)) <= nTolerance &&
        abs(GetGValue(expected) - GetGValue(actual)) <= nTolerance &&
        abs(GetBValue(expected) - GetBValue(actual)) <= nTolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hex << "expected 0x" << expected << ", got 0x" << actual;
}

// GDI+ running for one scope.
struct CGdiPlusScope
{
    CGdiPlusScope() { ZpMarkupRegisterGdiPlus(TRUE); }
    ~CGdiPlusScope() { ZpMarkupRegisterGdiPlus(FALSE); }
};

// GDI objects a process may still create: the count leaks lower, where the system offers no
// object counter.
inline int CountCreatableRegions()
{
    std::vector<HRGN> regions;
    for (HRGN hRgn; regions.size() < 70000 && (hRgn = ::CreateRectRgn(0, 0, 1, 1)) != NULL;)
        regions.push_back(hRgn);
    for (HRGN hRgn : regions)
        ::DeleteObject(hRgn);
    return static_cast<int>(regions.size());
}
