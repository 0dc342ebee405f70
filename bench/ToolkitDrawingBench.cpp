// Time per 1920x1080 frame of the toolkit's gradient, alpha-blend and buffered drawing,
// drawn into a DIB section. Usage: toolkit_drawing_bench [frames]
#include "common/ZPColorManager.h"
#include "common/ZPDeviceContext.h"
#include "common/ZPDrawHelpers.h"

#include "../tests/toolkit/common/DibSection.h"
#include "BenchClock.h"

#include <functional>
#include <stdio.h>
#include <stdlib.h>

namespace
{
const int g_cx = 1920, g_cy = 1080, g_cxTile = 256;

// Helpers without GradientFill: the line-by-line fallback.
class CLineHelpers : public CZPDrawHelpers
{
public:
    CLineHelpers() { m_pfnGradientFill = NULL; }
};
}

int main(int argc, char** argv)
{
    const int nFrames = argc > 1 ? atoi(argv[1]) : 30;
    CDibSection frameDib(g_cx, g_cy);
    const HDC hFrameDC = frameDib.GetDC();

    // A premultiplied tile with an alpha ramp.
    CDibSection tile(g_cxTile, g_cxTile);
    DWORD* pTileBits = tile.GetBits();
    ::GdiFlush();
    for (int y = 0; y < g_cxTile; ++y)
    {
        for (int x = 0; x < g_cxTile; ++x)
        {
            const DWORD a = static_cast<DWORD>(x);
            pTileBits[y * g_cxTile + x] = (a << 24) | ((a * 200 / 255) << 16) | ((a * 120 / 255) << 8) | (a * 40 / 255);
        }
    }

    CDC frame(hFrameDC);
    CZPDrawHelpers& helpers = ZpDrawHelpersInstance();
    CLineHelpers lines;
    CZPPaintManagerColorGradient grc;
    grc.SetStandard(RGB(255, 239, 227), RGB(228, 173, 135), 0.75f);
    const CRect rcFrame(0, 0, g_cx, g_cy);
    const COLORREF clrFrom = RGB(10, 36, 106), clrTo = RGB(166, 202, 240);
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};

    struct CKind
    {
        const char* pszName;
        std::function<void()> draw;
        double dTotal;
    };
    CKind kinds[] = {
        {"gradient, horizontal (GradientFill)", [&] { helpers.FillGradient(&frame, rcFrame, clrFrom, clrTo, TRUE); }, 0},
        {"gradient, vertical (GradientFill)", [&] { helpers.FillGradient(&frame, rcFrame, clrFrom, clrTo, FALSE); }, 0},
        {"gradient value, factor 0.75", [&] { helpers.FillColorGradient(&frame, rcFrame, grc, FALSE); }, 0},
        {"gradient, line fallback", [&] { lines.FillGradient(&frame, rcFrame, clrFrom, clrTo, TRUE); }, 0},
        {"alpha blend, 256x256 tiles over the frame",
         [&] {
             if (helpers.m_pfnAlphaBlend == NULL)
                 return;
             for (int y = 0; y < g_cy; y += g_cxTile)
                 for (int x = 0; x < g_cx; x += g_cxTile)
                     helpers.m_pfnAlphaBlend(hFrameDC, x, y, g_cxTile, g_cxTile, tile.GetDC(), 0, 0, g_cxTile,
                                             g_cxTile, blend);
         },
         0},
        {"buffered frame (gradient + copy back)",
         [&] {
             CZPBufferDC buffer(hFrameDC, rcFrame);
             helpers.FillGradient(&buffer, rcFrame, clrTo, clrFrom, FALSE);
         },
         0},
    };

    for (int i = 0; i < nFrames; ++i)
    {
        for (CKind& kind : kinds)
        {
            const double t = BenchNow();
            kind.draw();
            ::GdiFlush();
            kind.dTotal += BenchNow() - t;
        }
    }
    frame.Detach();

    double dSum = 0;
    printf("toolkit drawing, %dx%d DIB section, %d frames\n", g_cx, g_cy, nFrames);
    for (const CKind& kind : kinds)
    {
        printf("  %-45s %8.2f ms/frame\n", kind.pszName, kind.dTotal / nFrames);
        dSum += kind.dTotal;
    }
    printf("  %-45s %8.2f ms/frame\n", "all of the above", dSum / nFrames);
    if (helpers.m_pfnAlphaBlend == NULL)
        printf("  (AlphaBlend missing: nothing blended)\n");
    return 0;
}
