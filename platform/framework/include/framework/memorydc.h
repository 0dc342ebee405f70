// A memory DC that owns itself and puts back the bitmap it first replaced.
#pragma once

#include <windows.h>

// Select swaps bitmaps in as often as needed; Restore, and the destructor, select the DC's own
// bitmap again, so no selected bitmap outlives its use and the DC is deleted clean.
class CMemoryDC
{
public:
    // Compatible with hCompatible (the screen when NULL); hBitmap, when given, is selected.
    explicit CMemoryDC(HDC hCompatible = NULL, HBITMAP hBitmap = NULL);
    ~CMemoryDC();
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    // Returns the DC, NULL when it could not be made.
    HDC Select(HBITMAP hBitmap);
    void Restore();

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

private:
    HDC m_hDC;       // owned
    HGDIOBJ m_hOld;  // the DC's own bitmap while another is selected
};
