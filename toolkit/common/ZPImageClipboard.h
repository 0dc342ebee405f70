// Button pictures on the clipboard: CF_BITMAP with the "Alpha Bitmap Image" marker, read back
// with every size and format checked before a pixel is touched.
#pragma once

#include <framework.h>

class CZPImageManagerStateImage;

// A one-byte block in this format next to CF_BITMAP says the bitmap carries straight alpha.
extern const CLIPFORMAT CF_ZPALPHABITMAP;

// Clipboard bitmaps with a longer side are refused.
const int ZP_CLIPBOARD_MAX_SIDE = 4096;
// The colour of a transparent pixel of a straight-alpha picture (with alpha 0).
const COLORREF ZP_TRANSPARENT_COLOR = RGB(255, 254, 255);

// Premultiplied to straight alpha in place: channels scaled by 255 / alpha and clamped to 255;
// a pixel of alpha 0 becomes ZP_TRANSPARENT_COLOR with alpha 0.
void ZpUnpremultiplyBits(LPBYTE pBits, size_t nPixels);
// A straight-alpha 32-bpp DIB section of an alpha state image at the image's own size (a slot
// is cut out of its shared strip); NULL for an empty image or one without alpha.
HBITMAP ZpCopyStraightAlphaBitmap(CZPImageManagerStateImage* pImage);

// The clipboard must be open for the calls below.
// Puts hBitmap (taken over, deleted on failure) as CF_BITMAP, with the marker when bAlpha.
BOOL ZpSetClipboardBitmap(HBITMAP hBitmap, BOOL bAlpha);
// Whether the formats mark the bitmap as alpha: a registered name holding "DIB32" after its
// first character, or the "Alpha Bitmap Image" marker.
BOOL ZpIsClipboardBitmapMarkedAlpha();
// The size of the clipboard's CF_BITMAP; FALSE when there is none or a side is not 1-4096.
BOOL ZpGetClipboardBitmapSize(CSize* pSize);
// The top-left cx x cy corner of the clipboard's CF_BITMAP (its own size when cx or cy is 0) on
// a 32-bpp DIB section whose uncovered pixels are ZP_TRANSPARENT_COLOR with alpha 0. *pbAlpha
// in: the formats mark alpha; out: the pixels carry it (32 bpp, some alpha above 0). Pixels
// without alpha get alpha 255. NULL when there is no usable bitmap; the clipboard's own
// handle is never freed.
HBITMAP ZpReadClipboardBitmap(int cx, int cy, BOOL* pbAlpha);
