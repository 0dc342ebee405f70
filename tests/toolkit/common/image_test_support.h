// Pictures made in memory for the image-manager tests.
#pragma once

#include "common/ZPImageLoading.h"
#include "common/ZPImageManager.h"

#include <string>

// BGRA as stored in a 32-bpp DIB.
inline DWORD Bgra(int r, int g, int b, int a)
{
    return static_cast<DWORD>(b) | (static_cast<DWORD>(g) << 8) | (static_cast<DWORD>(r) << 16) |
           (static_cast<DWORD>(a) << 24);
}

// A straight-colour 32-bpp bitmap; pixel(x, y) is asked with y from the top.
template <class F>
HBITMAP MakeAlphaBitmap(int cx, int cy, F pixel)
{
    LPBYTE pBits = NULL;
    HBITMAP hBitmap = ZpCreateDibSection32(NULL, cx, cy, &pBits);
    DWORD* p = reinterpret_cast<DWORD*>(pBits);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            p[(cy - 1 - y) * cx + x] = pixel(x, y);
    return hBitmap;
}

inline HBITMAP MakeSolidAlphaBitmap(int cx, int cy, DWORD dwPixel)
{
    return MakeAlphaBitmap(cx, cy, [dwPixel](int, int) { return dwPixel; });
}

// An icon without alpha: colour clr with a transparent one-pixel border.
inline HICON MakeMaskedIcon(int cx, int cy, COLORREF clr)
{
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, cx, cy);
    ::ReleaseDC(NULL, hScreen);
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, NULL);
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hColor);
    RECT rc = { 0, 0, cx, cy };
    ::FillRect(hDC, &rc, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    RECT rcInner = { 1, 1, cx - 1, cy - 1 };
    ::FillRect(hDC, &rcInner, hBrush);
    ::DeleteObject(hBrush);
    ::SelectObject(hDC, hMask);
    ::PatBlt(hDC, 0, 0, cx, cy, WHITENESS);
    ::PatBlt(hDC, 1, 1, cx - 2, cy - 2, BLACKNESS);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ICONINFO ii = { TRUE, 0, 0, hMask, hColor };
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    return hIcon;
}

// A record that owns a new straight-colour alpha bitmap.
inline void TakeSolid(CZPImageManagerStateImage& image, int cx, int cy, DWORD dwPixel)
{
    image.TakeBitmap(MakeSolidAlphaBitmap(cx, cy, dwPixel));
}

inline std::wstring Fixture(const char* lpszName)
{
    std::string path = std::string(TOLVANE_IMAGE_DIR) + lpszName;
    return std::wstring(path.begin(), path.end());
}
