// Button pictures on the clipboard. A paste reads only the corner it uses, through a blit, so a
// huge or odd bitmap from another program costs nothing and changes nothing.
#include "common/ZPImageClipboard.h"

#include "common/ZPImageLoading.h"
#include "common/ZPImageManager.h"

#include <framework/memorydc.h>

#include <string.h>

const CLIPFORMAT CF_ZPALPHABITMAP = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Alpha Bitmap Image"));

namespace {

const UINT kFirstRegisteredFormat = 0xC000;
const int kFormatNameChars = 256;

DWORD TransparentPixel()
{
    return static_cast<DWORD>(GetRValue(ZP_TRANSPARENT_COLOR)) << 16 |
           static_cast<DWORD>(GetGValue(ZP_TRANSPARENT_COLOR)) << 8 | GetBValue(ZP_TRANSPARENT_COLOR);
}

// The clipboard's bitmap and its description, or NULL.
HBITMAP ClipboardBitmap(BITMAP* pbm)
{
    HBITMAP hBitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    if (hBitmap == NULL || ::GetObjectW(hBitmap, sizeof(BITMAP), pbm) != sizeof(BITMAP))
        return NULL;
    if (pbm->bmWidth < 1 || pbm->bmHeight < 1 || pbm->bmWidth > ZP_CLIPBOARD_MAX_SIDE ||
        pbm->bmHeight > ZP_CLIPBOARD_MAX_SIDE)
        return NULL;
    return hBitmap;
}

}  // namespace

void ZpUnpremultiplyBits(LPBYTE pBits, size_t nPixels)
{
    const DWORD dwTransparent = TransparentPixel();
    for (size_t i = 0; i < nPixels; ++i) {
        LPBYTE p = pBits + i * 4;
        UINT a = p[3];
        if (a == 0) {
            memcpy(p, &dwTransparent, 4);
            continue;
        }
        for (int c = 0; c < 3; ++c) {
            UINT v = p[c] * 255u / a;
            p[c] = static_cast<BYTE>(v > 255 ? 255 : v);
        }
    }
}

HBITMAP ZpCopyStraightAlphaBitmap(CZPImageManagerStateImage* pImage)
{
    if (pImage == NULL || pImage->IsEmpty() || !pImage->IsAlpha())
        return NULL;
    if (pImage->GetSlot() == NULL && !pImage->IsPremultiplied())
        return ZpCopyAlphaBitmap(pImage->GetBitmap(), NULL);
    // A copy without a manager holds only the slot's own rectangle, premultiplied.
    CZPImageManagerStateImage temporary;
    temporary.CopyFrom(pImage);
    LPBYTE pSource = temporary.GetPremultipliedBits();
    CSize size = temporary.GetExtent();
    if (pSource == NULL || size.cx <= 0 || size.cy <= 0)
        return NULL;
    LPBYTE pBits = NULL;
    HBITMAP hBitmap = ZpCreateDibSection32(NULL, size.cx, size.cy, &pBits);
    if (hBitmap == NULL)
        return NULL;
    ::GdiFlush();
    const size_t nPixels = static_cast<size_t>(size.cx) * size.cy;
    memcpy(pBits, pSource, nPixels * 4);
    ZpUnpremultiplyBits(pBits, nPixels);
    return hBitmap;
}

BOOL ZpSetClipboardBitmap(HBITMAP hBitmap, BOOL bAlpha)
{
    if (hBitmap == NULL)
        return FALSE;
    if (::SetClipboardData(CF_BITMAP, hBitmap) == NULL) {
        ::DeleteObject(hBitmap);
        return FALSE;
    }
    if (bAlpha) {
        HGLOBAL hMarker = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 1);
        if (hMarker != NULL && ::SetClipboardData(CF_ZPALPHABITMAP, hMarker) == NULL)
            ::GlobalFree(hMarker);
    }
    return TRUE;
}

BOOL ZpIsClipboardBitmapMarkedAlpha()
{
    for (UINT nFormat = ::EnumClipboardFormats(0); nFormat != 0; nFormat = ::EnumClipboardFormats(nFormat)) {
        if (nFormat < kFirstRegisteredFormat)
            continue;
        WCHAR szName[kFormatNameChars] = {};
        if (::GetClipboardFormatNameW(nFormat, szName, kFormatNameChars) > 0 && CString(szName).Find(L"DIB32") > 0)
            return TRUE;
    }
    return ::IsClipboardFormatAvailable(CF_ZPALPHABITMAP);
}

BOOL ZpGetClipboardBitmapSize(CSize* pSize)
{
    BITMAP bm = {};
    if (ClipboardBitmap(&bm) == NULL)
        return FALSE;
    *pSize = CSize(bm.bmWidth, bm.bmHeight);
    return TRUE;
}

HBITMAP ZpReadClipboardBitmap(int cx, int cy, BOOL* pbAlpha)
{
    BOOL bMarked = *pbAlpha;
    *pbAlpha = FALSE;
    BITMAP bm = {};
    HBITMAP hSource = ClipboardBitmap(&bm);
    if (hSource == NULL)
        return NULL;
    if (cx <= 0 || cy <= 0) {
        cx = bm.bmWidth;
        cy = bm.bmHeight;
    }
    if (cx > ZP_CLIPBOARD_MAX_SIDE || cy > ZP_CLIPBOARD_MAX_SIDE)
        return NULL;
    LPBYTE pBits = NULL;
    HBITMAP hResult = ZpCreateDibSection32(NULL, cx, cy, &pBits);
    if (hResult == NULL)
        return NULL;
    const int cxCopy = bm.bmWidth < cx ? bm.bmWidth : cx;
    const int cyCopy = bm.bmHeight < cy ? bm.bmHeight : cy;
    {
        CMemoryDC dcSource;
        CMemoryDC dcResult(NULL, hResult);
        if (dcSource.Select(hSource) == NULL || !::BitBlt(dcResult, 0, 0, cxCopy, cyCopy, dcSource, 0, 0, SRCCOPY)) {
            ::DeleteObject(hResult);
            return NULL;
        }
    }
    ::GdiFlush();
    // Bottom-up rows: the copied corner is the last cyCopy rows' first cxCopy pixels.
    BOOL bAlpha = FALSE;
    if (bMarked && bm.bmBitsPixel == 32) {
        for (int y = 0; y < cyCopy && !bAlpha; ++y)
            for (int x = 0; x < cxCopy && !bAlpha; ++x)
                bAlpha = pBits[(static_cast<size_t>(cy - 1 - y) * cx + x) * 4 + 3] != 0;
    }
    const DWORD dwTransparent = TransparentPixel();
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            LPBYTE p = pBits + (static_cast<size_t>(cy - 1 - y) * cx + x) * 4;
            if (x >= cxCopy || y >= cyCopy)
                memcpy(p, &dwTransparent, 4);
            else if (!bAlpha)
                p[3] = 255;
        }
    }
    *pbAlpha = bAlpha;
    return hResult;
}
