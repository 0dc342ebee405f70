// Skin bitmaps from resource modules. The header is read as it is: its own size, bit fields,
// palette and a negative (top-down) height; sizes are checked before any byte is copied.
#include "skinframework/ZPSkinDrawTools.h"

#include "common/ZPImageLoading.h"

#include <string.h>

#include <vector>

namespace {

const int kMaxSide = 32767;
const int kBitFieldsMasks = 3;
const int kMaxPaletteBits = 8;
const int kAlphaBits = 32;

// The header followed by its colour table or bit masks, as CreateDIBSection takes them.
struct PackedDib
{
    std::vector<BYTE> info;  // BITMAPINFOHEADER (40 bytes) and colour entries
    const BYTE* pBits;
    DWORD nBitsSize;
};

BOOL ReadPackedDib(const BYTE* pData, DWORD nSize, PackedDib* pDib)
{
    BITMAPINFOHEADER bih;
    if (nSize < sizeof(bih))
        return FALSE;
    memcpy(&bih, pData, sizeof(bih));
    if (bih.biSize < sizeof(bih) || bih.biSize > nSize || bih.biPlanes != 1)
        return FALSE;
    const LONGLONG nHeight = bih.biHeight < 0 ? -static_cast<LONGLONG>(bih.biHeight) : bih.biHeight;
    const WORD nBits = bih.biBitCount;
    if (bih.biWidth <= 0 || bih.biWidth > kMaxSide || nHeight <= 0 || nHeight > kMaxSide)
        return FALSE;
    if (nBits != 1 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24)
        return FALSE;

    ULONGLONG nColorBytes = 0;
    if (bih.biCompression == BI_BITFIELDS) {
        if (nBits != 16)
            return FALSE;
        // Masks inside a larger header are already part of it.
        nColorBytes = bih.biSize == sizeof(bih) ? kBitFieldsMasks * sizeof(DWORD) : 0;
    } else if (bih.biCompression != BI_RGB) {
        return FALSE;
    }
    DWORD nColors = 0;
    if (nBits <= kMaxPaletteBits) {
        nColors = bih.biClrUsed != 0 ? bih.biClrUsed : (1u << nBits);
        if (nColors > (1u << nBits))
            return FALSE;
        nColorBytes = static_cast<ULONGLONG>(nColors) * sizeof(RGBQUAD);
    }
    const ULONGLONG nStride = ((static_cast<ULONGLONG>(bih.biWidth) * nBits + 31) / 32) * 4;
    const ULONGLONG nPixelBytes = nStride * nHeight;
    const ULONGLONG nOffset = bih.biSize + nColorBytes;
    if (nOffset > nSize || nPixelBytes > nSize - nOffset)
        return FALSE;

    const size_t nInfoExtra = nBits <= kMaxPaletteBits            ? static_cast<size_t>(nColorBytes)
                              : bih.biCompression == BI_BITFIELDS ? kBitFieldsMasks * sizeof(DWORD)
                                                                  : 0;
    pDib->info.assign(sizeof(bih) + nInfoExtra, 0);
    BITMAPINFOHEADER header = bih;
    header.biSize = sizeof(header);
    header.biClrUsed = nColors;
    header.biSizeImage = static_cast<DWORD>(nPixelBytes);
    memcpy(pDib->info.data(), &header, sizeof(header));
    if (nBits <= kMaxPaletteBits) {
        memcpy(pDib->info.data() + sizeof(header), pData + bih.biSize, static_cast<size_t>(nColorBytes));
    } else if (bih.biCompression == BI_BITFIELDS) {
        // The masks follow a 40-byte header, or sit at its end inside a larger one.
        const BYTE* pMasks = bih.biSize == sizeof(bih) ? pData + bih.biSize : pData + sizeof(bih);
        memcpy(pDib->info.data() + sizeof(header), pMasks, kBitFieldsMasks * sizeof(DWORD));
    }
    pDib->pBits = pData + nOffset;
    pDib->nBitsSize = static_cast<DWORD>(nPixelBytes);
    return TRUE;
}

HBITMAP SectionFromPackedDib(const PackedDib& dib)
{
    void* pBits = NULL;
    HDC hScreenDC = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateDIBSection(hScreenDC, reinterpret_cast<const BITMAPINFO*>(dib.info.data()),
                                         DIB_RGB_COLORS, &pBits, NULL, 0);
    ::ReleaseDC(NULL, hScreenDC);
    if (hBitmap == NULL || pBits == NULL) {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        return NULL;
    }
    memcpy(pBits, dib.pBits, dib.nBitsSize);
    return hBitmap;
}

}  // namespace

HBITMAP ZpSkinLoadBitmapResource(HMODULE hModule, LPCWSTR lpszName, BOOL* pbAlpha)
{
    BOOL bAlpha = FALSE;
    if (pbAlpha == NULL)
        pbAlpha = &bAlpha;
    *pbAlpha = FALSE;
    if (hModule == NULL || lpszName == NULL)
        return NULL;
    if (ZpIsPngResource(hModule, lpszName))
        return ZpLoadBitmapResource(hModule, lpszName, pbAlpha);

    HRSRC hResource = ::FindResourceW(hModule, lpszName, RT_BITMAP);
    HGLOBAL hData = hResource != NULL ? ::LoadResource(hModule, hResource) : NULL;
    const BYTE* pData = hData != NULL ? static_cast<const BYTE*>(::LockResource(hData)) : NULL;
    if (pData == NULL)
        return NULL;
    const DWORD nSize = ::SizeofResource(hModule, hResource);
    BITMAPINFOHEADER bih = {};
    if (nSize >= sizeof(bih))
        memcpy(&bih, pData, sizeof(bih));
    if (bih.biBitCount == kAlphaBits) {
        HBITMAP hBitmap = ZpLoadAlphaBitmapFromResource(hModule, lpszName);
        *pbAlpha = hBitmap != NULL;
        return hBitmap;
    }
    PackedDib dib;
    return ReadPackedDib(pData, nSize, &dib) ? SectionFromPackedDib(dib) : NULL;
}
