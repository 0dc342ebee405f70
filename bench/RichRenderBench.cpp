// Time to measure and draw rich tips of 20, 100 and 1,000 words into a DIB section, as a
// rich-text tip does each time it is shown. Usage: rich_render_bench [runs]
#include "common/ZPRichRender.h"

#include "../tests/toolkit/common/DibSection.h"
#include "BenchClock.h"

#include <stdio.h>
#include <stdlib.h>

#include <string>

int main(int argc, char** argv)
{
    const int nRuns = argc > 1 ? atoi(argv[1]) : 5;
    const int kMaxWidth = 300;
    CZPRichRender render;
    if (!render.HasTextServices())
    {
        printf("no windowless rich-edit text services\n");
        return 1;
    }
    CDibSection dib(2 * kMaxWidth, 2000, RGB(255, 255, 255));
    CDC dc(dib.GetDC());
    for (int nWords : {20, 100, 1000})
    {
        std::wstring text = L"{\\rtf1\\ansi ";
        for (int i = 0; i < nWords; ++i)
            text += i % 10 == 0 ? L"{\\b bold} " : L"word ";
        text += L"}";
        double dTotal = 0;
        CSize size;
        for (int run = 0; run < nRuns; ++run)
        {
            double dStart = BenchNowMs();
            render.SetText(text.c_str());
            size = render.MeasureText(&dc, kMaxWidth);
            render.Draw(&dc, CRect(CPoint(0, 0), size));
            dTotal += BenchNowMs() - dStart;
        }
        printf("%5d words: %8.2f ms per measure and draw (%ld x %ld px)\n", nWords, dTotal / nRuns, size.cx, size.cy);
    }
    return 0;
}
