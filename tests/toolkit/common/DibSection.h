// A 32-bit top-down DIB section in a memory DC whose pixels the tests read back directly.
#pragma once

#include "common/ZPImageLoading.h"

class CDibSection
{
public:
    CDibSection(int cx, int cy, COLORREF clrFill = RGB(0, 0, 0))
        : m_cx(cx), m_cy(cy), m_pBits(NULL)
    {
        m_hDC = ::CreateCompatibleDC(NULL);
        LPBYTE pBits = NULL;
        m_hBitmap = ZpCreateDibSection32(m_hDC, cx, cy, &pBits, TRUE);
        m_pBits = reinterpret_cast<DWORD*>(pBits);
        m_hOldBitmap = ::SelectObject(m_hDC, m_hBitmap);
        Fill(clrFill);
    }
    ~CDibSection()
    {
        ::SelectObject(m_hDC, m_hOldBitmap);
        ::DeleteObject(m_hBitmap);
        ::DeleteDC(m_hDC);
    }
    CDibSection(const CDibSection&) = delete;
    CDibSection& operator=(const CDibSection&) = delete;

    HDC GetDC() const { return m_hDC; }
    HBITMAP GetBitmap() const { return m_hBitmap; }
    DWORD* GetBits() const { return m_pBits; }   // blue, green, red, alpha; GdiFlush first
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }

    void Fill(COLORREF clr)
    {
        ::GdiFlush();
        for (int i = 0; i < m_cx * m_cy; ++i)
            m_pBits[i] = ToPixel(clr);
    }
    // The pixel as a COLORREF (alpha dropped).
    COLORREF GetPixel(int x, int y) const
    {
        ::GdiFlush();
        DWORD dw = m_pBits[y * m_cx + x];
        return RGB((dw >> 16) & 0xFF, (dw >> 8) & 0xFF, dw & 0xFF);
    }
    // The smallest rectangle holding every pixel other than clrBack, from row yFrom down; empty
    // (right < left) when there is none.
    RECT InkBox(COLORREF clrBack, int yFrom = 0) const
    {
        RECT rc = { m_cx, m_cy, -1, -1 };
        for (int y = yFrom; y < m_cy; ++y)
            for (int x = 0; x < m_cx; ++x)
                if (GetPixel(x, y) != clrBack) {
                    rc.left = x < rc.left ? x : rc.left;
                    rc.top = y < rc.top ? y : rc.top;
                    rc.right = x + 1 > rc.right ? x + 1 : rc.right;
                    rc.bottom = y + 1 > rc.bottom ? y + 1 : rc.bottom;
                }
        return rc;
    }
    void SetPixel(int x, int y, COLORREF clr)
    {
        ::GdiFlush();
        m_pBits[y * m_cx + x] = ToPixel(clr);
    }

private:
    static DWORD ToPixel(COLORREF clr) { return (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr); }

    int m_cx, m_cy;
    DWORD* m_pBits;          // owned by m_hBitmap
    HDC m_hDC;               // owned
    HBITMAP m_hBitmap;       // owned
    HGDIOBJ m_hOldBitmap;
};
