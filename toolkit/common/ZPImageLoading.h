// Pictures from files and resources (PNG, BMP, ICO and what the OLE picture loader reads),
// format sniffers and the small 32-bpp bitmap utilities. Loaded alpha bitmaps carry straight
// colour; drawing premultiplies them once.
#pragma once

#include <framework.h>
#include <framework/gdi.h>

// Null when the file is neither a PNG, a BMP nor a picture the system can read.
HBITMAP ZpLoadBitmapFile(LPCWSTR lpszPath, BOOL* pbAlpha);
HBITMAP ZpLoadBitmapResource(HMODULE hModule, LPCWSTR lpszName, BOOL* pbAlpha);
HBITMAP ZpLoadAppBitmapResource(LPCWSTR lpszName, BOOL* pbAlpha);
HBITMAP ZpLoadAlphaBitmapResource(UINT nIDResource);
HBITMAP ZpLoadAlphaBitmapFromResource(HMODULE hModule, LPCWSTR lpszName);
// What the system's picture loader reads (metafiles, GIF, JPEG, ...), rendered over clrBackground
// at cx x cy, or at its own size when cx or cy is 0; NULL when the file is no picture.
HBITMAP ZpLoadOlePicture(LPCWSTR lpszPath, int cx, int cy, COLORREF clrBackground);
// The first 32-bpp image of the ".ico" file of that width (0 = any).
HBITMAP ZpLoadAlphaIconFromFile(LPCWSTR lpszPath, int nWidth);

BOOL ZpIsPngFile(LPCWSTR lpszPath);
BOOL ZpIsAlphaBitmapFile(LPCWSTR lpszPath);
BOOL ZpIsPngResource(HMODULE hModule, LPCWSTR lpszName);
BOOL ZpIsAlphaBitmapResource(HMODULE hModule, LPCWSTR lpszName);

// Bottom-up 32-bpp DIB section.
HBITMAP ZpCreateDibSection32(HDC hDC, int cx, int cy, LPBYTE* ppBits);
// 32-bpp DIB section, top-down when asked; NULL (and *ppBits NULL) when it cannot be made.
HBITMAP ZpCreateDibSection32(HDC hDC, int cx, int cy, LPBYTE* ppBits, BOOL bTopDown);
// A 32-bpp bitmap's header and bottom-up bits, each a malloc() block the caller frees.
BOOL ZpGetBitmapBits32(HDC hDC, HBITMAP hBitmap, PBITMAPINFO* ppInfo, LPBYTE* ppBits, UINT* pnSize);
HBITMAP ZpCopyAlphaBitmap(HBITMAP hBitmap, LPBYTE* ppBits);
// *pnFlag in: 0 asks whether the alpha channel means anything (0 = no: the copy keeps the
// colour unmultiplied), -1 whether any pixel has alpha (stays -1 when none has); out: 1 = yes.
HBITMAP ZpPremultiplyAlphaBitmap(HBITMAP hBitmap, int* pnFlag, LPBYTE* ppBits);
HBITMAP ZpMirrorBitmap(HBITMAP hBitmap);
CSize ZpGetIconSize(HICON hIcon);
HICON ZpScaleIcon(HICON hIcon, int cxOld, int cyOld, int cxNew);
COLORREF ZpGetBitmapPixel(CBitmap* pBitmap, int x, int y);
// The command ids of a toolbar resource (16-bit version, width, height, count, then ids).
const WORD* ZpToolBarResourceItems(const void* pData);
