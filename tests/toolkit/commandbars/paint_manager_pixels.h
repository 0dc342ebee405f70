// Reading the paint manager's pictures back: a CDC over a DIB section's DC, pixel counts and
// pictures of one colour.
#pragma once

#include "DibSection.h"

#include <framework.h>
#include <framework/gdi.h>

#include <string>
#include <vector>

// A CDC over a DC it does not own, for the duration of one drawing.
class CDibDC : public CDC
{
public:
    explicit CDibDC(HDC hDC) { Attach(hDC); }
    explicit CDibDC(CDibSection& dib) : CDibDC(dib.GetDC()) {}
    ~CDibDC() override { Detach(); }
    CDibDC(const CDibDC&) = delete;
    CDibDC& operator=(const CDibDC&) = delete;
};

// The pixels of colour clr as a picture: one string per row, '#' set, '.' not.
inline std::vector<std::string> Picture(const CDibSection& dib, COLORREF clr)
{
    std::vector<std::string> rows;
    for (int y = 0; y < dib.Height(); ++y) {
        std::string row;
        for (int x = 0; x < dib.Width(); ++x)
            row += dib.GetPixel(x, y) == clr ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

inline int CountPixels(const CDibSection& dib, COLORREF clr)
{
    int n = 0;
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x)
            n += dib.GetPixel(x, y) == clr;
    return n;
}
