// PNG pictures decoded by libpng into top-down 32-bpp DIB sections, from any framework file.
#pragma once

#include <framework.h>
#include <framework/gdi.h>

class CZPGraphicBitmapPng : public CBitmap
{
public:
    CZPGraphicBitmapPng();
    ~CZPGraphicBitmapPng() override = default;

    // Reads from the file's current position.
    BOOL LoadFromFile(CFile* pFile);
    BOOL LoadFromPath(LPCWSTR lpszPath);
    BOOL LoadFromResource(HMODULE hModule, HRSRC hResource);

    // Blue, green, red, alpha from rows of width x channels bytes (channels 3 or 4).
    static HBITMAP CreateDibFromPixels(const BYTE* pPixels, int nWidth, int nHeight, int nChannels);

    BOOL HasAlpha() const { return m_bAlpha; }

protected:
    BOOL m_bAlpha;
};

// One libpng run: on success *ppBuffer (freed first when set) holds height rows of width x channels
// bytes (free()); on failure it is left as it was.
BOOL ZpDecodePng(CFile* pFile, BYTE** ppBuffer, int* pnWidth, int* pnHeight, int* pnChannels);
