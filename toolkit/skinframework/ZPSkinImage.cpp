// Skin pictures: loading, the flat-area analysis and nine-grid drawing with stretched or tiled
// edges. Every piece size is checked before it reaches a blit, whatever the skin's margins say.
#include "skinframework/ZPSkinImage.h"

#include "skinframework/ZPSkinDrawTools.h"
#include "skinframework/ZPSkinManager.h"
#include "skinframework/ZPSkinManagerResourceFile.h"

#include "common/ZPDrawHelpers.h"
#include "common/ZPImageLoading.h"
#include "common/ZPImageManager.h"

#include <framework/memorydc.h>

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <memory>

namespace {

const COLORREF kNoColor = static_cast<COLORREF>(-1);
const int kSizingTile = 2;
const BYTE kOpaqueAlpha = 255;

// Pixels of a 32-bpp DIB as COLORREF, alpha kept in the top byte when asked.
COLORREF PixelToColor(DWORD dwPixel, BOOL bKeepAlpha)
{
    COLORREF clr = RGB((dwPixel >> 16) & 0xFF, (dwPixel >> 8) & 0xFF, dwPixel & 0xFF);
    return bKeepAlpha ? clr | (dwPixel & 0xFF000000) : clr;
}

// TRUE when some pixel of the 32-bpp bitmap has a non-zero alpha.
BOOL HasAnyAlpha(HBITMAP hBitmap)
{
    int nFlag = -1;
    HBITMAP hCopy = ZpPremultiplyAlphaBitmap(hBitmap, &nFlag, NULL);
    if (hCopy != NULL)
        ::DeleteObject(hCopy);
    return nFlag != -1;
}

HBITMAP CreateDibSection24(int cx, int cy)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    return ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
}

struct MallocDeleter
{
    void operator()(void* p) const { free(p); }
};

}  // namespace

CZPSkinImage::CZPSkinImage()
    : m_bMirrorAllowed(TRUE), m_hBitmap(NULL), m_bAlpha(FALSE), m_bFiltered(FALSE), m_bMirrored(FALSE),
      m_bSolidRectsComputed(FALSE), m_bAlphaConversion(TRUE), m_nWidth(0), m_nHeight(0)
{}

CZPSkinImage::~CZPSkinImage()
{
    if (m_hBitmap != NULL)
        ::DeleteObject(m_hBitmap);
}

BOOL CZPSkinImage::LoadFromFile(LPCWSTR lpszPath)
{
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = ZpLoadBitmapFile(lpszPath, &bAlpha);
    return LoadBitmap(hBitmap, bAlpha);
}

BOOL CZPSkinImage::LoadFromResource(HMODULE hModule, LPCWSTR lpszName)
{
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = ZpSkinLoadBitmapResource(hModule, lpszName, &bAlpha);
    return LoadBitmap(hBitmap, bAlpha);
}

// Alpha pictures are premultiplied while the schema asks for it; one whose alpha is nowhere
// set is a plain picture and draws opaque.
BOOL CZPSkinImage::LoadBitmap(HBITMAP hBitmap, BOOL bAlpha)
{
    if (hBitmap == NULL)
        return FALSE;
    if (bAlpha && m_bAlphaConversion) {
        int nFlag = 0;
        HBITMAP hPremultiplied = ZpPremultiplyAlphaBitmap(hBitmap, &nFlag, NULL);
        if (hPremultiplied != NULL) {
            ::DeleteObject(hBitmap);
            hBitmap = hPremultiplied;
            bAlpha = nFlag == 1;
        } else {
            bAlpha = HasAnyAlpha(hBitmap);
        }
    } else if (bAlpha) {
        bAlpha = HasAnyAlpha(hBitmap);
    }
    SetBitmap(hBitmap, bAlpha);
    return TRUE;
}

void CZPSkinImage::SetBitmap(HBITMAP hBitmap, BOOL bAlpha)
{
    if (m_hBitmap != NULL && m_hBitmap != hBitmap)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = hBitmap;
    m_bAlpha = bAlpha;
    m_solidRects.clear();
    m_bSolidRectsComputed = FALSE;
    // A new picture has been neither filtered nor mirrored yet.
    m_bFiltered = FALSE;
    m_bMirrored = FALSE;
    BITMAP bm = {};
    if (hBitmap != NULL && ::GetObjectW(hBitmap, sizeof(bm), &bm) != 0) {
        m_nWidth = bm.bmWidth;
        m_nHeight = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    } else {
        m_nWidth = m_nHeight = 0;
    }
}

// ---------------------------------------------------------------------------------------------
// Flat areas

void CZPSkinImage::CreateSolidRects(int nImageCount, BOOL bHorizontal, const RECT& rcSizingMargins)
{
    if (m_hBitmap == NULL || nImageCount < 1 || m_bSolidRectsComputed || m_bFiltered)
        return;
    m_bSolidRectsComputed = TRUE;
    if (nImageCount == 1)
        bHorizontal = FALSE;
    if (bHorizontal || m_nWidth <= 0 || m_nHeight <= 0)
        return;
    // No frame is less than a row high, so a count beyond the height is the height.
    nImageCount = std::min(nImageCount, m_nHeight);

    std::unique_ptr<DWORD, MallocDeleter> pOwnedBits;
    const DWORD* pPixels = NULL;
    CGdiObject section;
    if (m_bAlpha) {
        PBITMAPINFO pInfo = NULL;
        LPBYTE pBits = NULL;
        if (!ZpGetBitmapBits32(NULL, m_hBitmap, &pInfo, &pBits, NULL))
            return;
        free(pInfo);
        pOwnedBits.reset(reinterpret_cast<DWORD*>(pBits));
        pPixels = pOwnedBits.get();
    } else {
        LPBYTE pBits = NULL;
        if (!section.Attach(ZpCreateDibSection32(NULL, m_nWidth, m_nHeight, &pBits)) || pBits == NULL)
            return;
        CMemoryDC dcSource(NULL, m_hBitmap);
        CMemoryDC dcTarget(NULL, static_cast<HBITMAP>(section.m_hObject));
        ::BitBlt(dcTarget, 0, 0, m_nWidth, m_nHeight, dcSource, 0, 0, SRCCOPY);
        ::GdiFlush();
        pPixels = reinterpret_cast<const DWORD*>(pBits);
    }

    const LONG l = rcSizingMargins.left, r = rcSizingMargins.right;
    const LONG t = rcSizingMargins.top, b = rcSizingMargins.bottom;
    const BOOL bMargins = l != 0 || r != 0 || t != 0 || b != 0;
    const int nFrameHeight = m_nHeight / nImageCount;
    const LONG w = m_nWidth;
    for (int n = 0; n < nImageCount; ++n) {
        const LONG y0 = n * nFrameHeight, y1 = y0 + nFrameHeight;
        RECT rcFrame = { 0, y0, w, y1 };
        SOLIDRECT solid = { rcFrame, 0 };
        if (CheckSolidRect(pPixels, rcFrame, &solid.clr)) {
            m_solidRects.push_back(solid);
            continue;
        }
        if (!bMargins)
            continue;
        const RECT areas[] = {
            { 0, y0 + t, l, y1 - b },      // left edge
            { l, y0, w - r, y0 + t },      // top edge
            { w - r, y0 + t, w, y1 - b },  // right edge
            { l, y1 - b, w - r, y1 },      // bottom edge
            { l, y0 + t, w - r, y1 - b },  // centre
        };
        for (const RECT& rc : areas) {
            solid.rc = rc;
            if (CheckSolidRect(pPixels, rc, &solid.clr))
                m_solidRects.push_back(solid);
        }
    }
}

// Pixels are bottom-up rows; the area is in top-down coordinates and must lie in the bitmap.
BOOL CZPSkinImage::CheckSolidRect(const DWORD* pPixels, const RECT& rc, COLORREF* pclr) const
{
    if (rc.left < 0 || rc.top < 0 || rc.right > m_nWidth || rc.bottom > m_nHeight || rc.left >= rc.right ||
        rc.top >= rc.bottom)
        return FALSE;
    const DWORD dwFirst = pPixels[static_cast<size_t>(m_nHeight - 1 - rc.top) * m_nWidth + rc.left];
    for (LONG y = rc.top; y < rc.bottom; ++y) {
        const DWORD* pRow = pPixels + static_cast<size_t>(m_nHeight - 1 - y) * m_nWidth;
        for (LONG x = rc.left; x < rc.right; ++x)
            if (pRow[x] != dwFirst)
                return FALSE;
    }
    *pclr = PixelToColor(dwFirst, m_bAlpha);
    return TRUE;
}

const CZPSkinImage::SOLIDRECT* CZPSkinImage::FindSolidRect(const CRect& rcSrc) const
{
    if (rcSrc.IsRectEmpty())
        return NULL;
    for (const SOLIDRECT& solid : m_solidRects) {
        if (solid.rc.left <= rcSrc.left && solid.rc.top <= rcSrc.top && solid.rc.right >= rcSrc.right &&
            solid.rc.bottom >= rcSrc.bottom)
            return &solid;
    }
    return NULL;
}

BOOL CZPSkinImage::FillSolid(CDC* pDC, const CRect& rcDest, COLORREF clrStored, COLORREF clrTransparent)
{
    COLORREF clr = clrStored & 0x00FFFFFF;
    ZpSkinApplyColorFilters(clr);
    if (!m_bAlpha) {
        if (clr != clrTransparent)
            pDC->FillSolidRect(rcDest, clr);
        return TRUE;
    }
    if (clrStored == 0)
        return TRUE;  // fully transparent black: nothing to draw
    if ((clrStored >> 24) == kOpaqueAlpha) {
        pDC->FillSolidRect(rcDest, clr);
        return TRUE;
    }
    return FALSE;
}

// ---------------------------------------------------------------------------------------------
// Drawing

void CZPSkinImage::DrawImage(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcMargins,
                             COLORREF clrTransparent, int nSizingType, BOOL bBorderOnly)
{
    if (rcSrc.Height() < rcMargins.top + rcMargins.bottom)
        return;
    const SOLIDRECT* pSolid = FindSolidRect(rcSrc);
    if (pSolid != NULL && FillSolid(pDC, rcDest, pSolid->clr, clrTransparent))
        return;
    if (clrTransparent == kNoColor || m_bAlpha) {
        DrawImagePart(pDC, rcDest, rcSrc, rcMargins, nSizingType, bBorderOnly);
        return;
    }
    ApplyColorFilters(clrTransparent);
    const int cx = rcDest.Width(), cy = rcDest.Height();
    if (cx <= 0 || cy <= 0)
        return;
    // Composed in 24 bits: an alpha byte left in a pixel would hide the key colour.
    CGdiObject bitmap;
    if (!bitmap.Attach(CreateDibSection24(cx, cy)))
        return;  // too large to compose: nothing is drawn
    CMemoryDC dcCompose(pDC->m_hDC, static_cast<HBITMAP>(bitmap.m_hObject));
    CDC dc(dcCompose);
    const CRect rcCompose(0, 0, cx, cy);
    dc.FillSolidRect(rcCompose, clrTransparent);
    DrawImagePart(&dc, rcCompose, rcSrc, rcMargins, nSizingType, bBorderOnly);
    ZpImageManagerInstance()->TransparentBlit(pDC, rcDest, &dc, rcCompose, clrTransparent);
}

void CZPSkinImage::DrawImagePart(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcMargins,
                                 int nSizingType, BOOL bBorderOnly)
{
    if (m_hBitmap == NULL || rcSrc.Height() < rcMargins.top + rcMargins.bottom)
        return;
    // Margins never cut outside the source: negative ones count as 0, oversized ones are cut.
    const int cxSrc = std::max(0, rcSrc.Width()), cySrc = std::max(0, rcSrc.Height());
    const int l = std::min(std::max(0, static_cast<int>(rcMargins.left)), cxSrc);
    const int r = std::min(std::max(0, static_cast<int>(rcMargins.right)), cxSrc - l);
    const int t = std::min(std::max(0, static_cast<int>(rcMargins.top)), cySrc);
    const int b = std::min(std::max(0, static_cast<int>(rcMargins.bottom)), cySrc - t);

    ApplyColorFilters(kNoColor);
    int nTileFlags = nSizingType == kSizingTile ? tileDown | tileAcross : 0;
    if (rcDest.IsRectEmpty())
        return;
    const BOOL bDCMirrored = ZpDCIsMirrored(pDC);
    if (m_bAlpha && m_bMirrorAllowed && bDCMirrored != m_bMirrored)
        MirrorBitmap();

    CMemoryDC dcMemory(pDC->m_hDC, m_hBitmap);
    if (bDCMirrored && !m_bAlpha && m_bMirrorAllowed)
        ::SetLayout(dcMemory, 0);
    CDC dcSource(dcMemory);
    const int nOldMode = ::SetStretchBltMode(pDC->m_hDC, COLORONCOLOR);

    if (l == 0 && t == 0 && r == 0 && b == 0) {
        DrawStretchOrTile(pDC, rcDest, &dcSource, rcSrc, nTileFlags);
        ::SetStretchBltMode(pDC->m_hDC, nOldMode);
        return;
    }

    const int cxDest = rcDest.Width(), cyDest = rcDest.Height();
    int L = l, T = t, R = r, B = b;
    // A zero sum would make MulDiv answer -1: nothing to share out then.
    if (t + b > 0 && (cyDest <= t + b || cySrc == t + b)) {
        T = ::MulDiv(cyDest, t, t + b);
        B = cyDest - T;
        if (B > 0 && (B & 1) != (b & 1))
            B += 1;
        if (nTileFlags != 0)
            nTileFlags -= tileDown;
    }
    if (l + r > 0 && (cxDest <= l + r || cxSrc == l + r)) {
        L = ::MulDiv(cxDest, l, l + r);
        R = cxDest - L;
        if (nTileFlags != 0)
            nTileFlags -= tileAcross;
    }

    const int sx[4] = { rcSrc.left, rcSrc.left + l, rcSrc.right - r, rcSrc.right };
    const int sy[4] = { rcSrc.top, rcSrc.top + t, rcSrc.bottom - b, rcSrc.bottom };
    const int dx[4] = { rcDest.left, rcDest.left + L, rcDest.right - R, rcDest.right };
    const int dy[4] = { rcDest.top, rcDest.top + T, rcDest.bottom - B, rcDest.bottom };
    auto piece = [&](int col, int row, BOOL bCorner) {
        const CRect rcD(dx[col], dy[row], dx[col + 1], dy[row + 1]);
        const CRect rcS(sx[col], sy[row], sx[col + 1], sy[row + 1]);
        if (bCorner)
            BlitPart(pDC, rcD, &dcSource, rcS);
        else
            DrawStretchOrTile(pDC, rcD, &dcSource, rcS, nTileFlags);
    };
    piece(0, 0, TRUE);
    piece(1, 0, FALSE);
    piece(2, 0, TRUE);
    piece(0, 1, FALSE);
    if (!bBorderOnly)
        piece(1, 1, FALSE);
    piece(2, 1, FALSE);
    piece(0, 2, TRUE);
    piece(1, 2, FALSE);
    piece(2, 2, TRUE);
    ::SetStretchBltMode(pDC->m_hDC, nOldMode);
}

BOOL CZPSkinImage::DrawStretchOrTile(CDC* pDC, const CRect& rcDest, CDC* pSrcDC, const CRect& rcSrc, int nTileFlags)
{
    if (rcDest.IsRectEmpty() || rcSrc.IsRectEmpty())
        return TRUE;
    const SOLIDRECT* pSolid = FindSolidRect(rcSrc);
    if (pSolid != NULL && FillSolid(pDC, rcDest, pSolid->clr, kNoColor))
        return TRUE;
    const int cxSrc = rcSrc.Width(), cySrc = rcSrc.Height();
    const int cxDest = rcDest.Width(), cyDest = rcDest.Height();
    if (nTileFlags == 0 || (cxSrc == 1 && (cySrc == 1 || cySrc == cyDest)) ||
        (cySrc == 1 && (cxSrc == 1 || cxSrc == cxDest))) {
        BlitPart(pDC, rcDest, pSrcDC, rcSrc);
        return TRUE;
    }
    const int cyStep = (nTileFlags & tileDown) && cySrc < cyDest ? cySrc : cyDest;
    const int cxStep = (nTileFlags & tileAcross) && cxSrc < cxDest ? cxSrc : cxDest;
    const BOOL bTileDown = cyStep != cyDest;
    const BOOL bTileAcross = cxStep != cxDest;

    // Only the cells that meet the clip box are drawn, so a huge destination costs its visible part.
    CRect rcClip;
    int nFirstColumn = 0, nLastColumn = (cxDest - 1) / cxStep;
    int nFirstRow = 0, nLastRow = (cyDest - 1) / cyStep;
    if (::GetClipBox(pDC->m_hDC, &rcClip) != ERROR) {
        if (!rcClip.IntersectRect(rcClip, rcDest))
            return TRUE;
        nFirstColumn = static_cast<int>((rcClip.left - rcDest.left) / cxStep);
        nLastColumn = std::min(nLastColumn, static_cast<int>((rcClip.right - 1 - rcDest.left) / cxStep));
        nFirstRow = static_cast<int>((rcClip.top - rcDest.top) / cyStep);
        nLastRow = std::min(nLastRow, static_cast<int>((rcClip.bottom - 1 - rcDest.top) / cyStep));
    }
    for (int col = nFirstColumn; col <= nLastColumn; ++col) {
        const int x = rcDest.left + col * cxStep;
        const int cx = std::min(cxStep, static_cast<int>(rcDest.right - x));
        for (int row = nFirstRow; row <= nLastRow; ++row) {
            const int y = rcDest.top + row * cyStep;
            const int cy = std::min(cyStep, static_cast<int>(rcDest.bottom - y));
            const CRect rcCell(x, y, x + cx, y + cy);
            const CRect rcPiece(rcSrc.left, rcSrc.top, bTileAcross ? rcSrc.left + cx : rcSrc.right,
                                bTileDown ? rcSrc.top + cy : rcSrc.bottom);
            BlitPart(pDC, rcCell, pSrcDC, rcPiece);
        }
    }
    return TRUE;
}

void CZPSkinImage::BlitPart(CDC* pDC, const CRect& rcDest, CDC* pSrcDC, const CRect& rcSrc)
{
    if (rcDest.IsRectEmpty() || rcSrc.IsRectEmpty())
        return;
    if (m_bAlpha) {
        ZpImageManagerInstance()->AlphaBlendBlit(pDC, rcDest, pSrcDC, rcSrc);
    } else if (rcDest.Size() == rcSrc.Size()) {
        ::BitBlt(pDC->m_hDC, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), pSrcDC->m_hDC, rcSrc.left,
                 rcSrc.top, SRCCOPY);
    } else {
        ::StretchBlt(pDC->m_hDC, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), pSrcDC->m_hDC, rcSrc.left,
                     rcSrc.top, rcSrc.Width(), rcSrc.Height(), SRCCOPY);
    }
}

void CZPSkinImage::MirrorBitmap()
{
    if (!m_bAlpha || m_hBitmap == NULL)
        return;
    HBITMAP hMirror = ZpMirrorBitmap(m_hBitmap);
    if (hMirror == NULL)
        return;
    ::DeleteObject(m_hBitmap);
    m_hBitmap = hMirror;
    m_bMirrored = !m_bMirrored;
}

void CZPSkinImage::ApplyColorFilters(COLORREF clrExcluded)
{
    if (m_hBitmap == NULL || m_bFiltered)
        return;
    m_bFiltered = TRUE;
    if (!ZpSkinHasColorFilters())
        return;
    LPBYTE pBits = NULL;
    HBITMAP hFiltered = ZpCreateDibSection32(NULL, m_nWidth, m_nHeight, &pBits);
    if (hFiltered == NULL || pBits == NULL) {
        if (hFiltered != NULL)
            ::DeleteObject(hFiltered);
        return;  // memory failure keeps the old bitmap
    }
    {
        CMemoryDC dcSource(NULL, m_hBitmap);
        CMemoryDC dcTarget(NULL, hFiltered);
        ::BitBlt(dcTarget, 0, 0, m_nWidth, m_nHeight, dcSource, 0, 0, SRCCOPY);
    }
    ::GdiFlush();
    DWORD* pPixels = reinterpret_cast<DWORD*>(pBits);
    for (size_t i = 0, n = static_cast<size_t>(m_nWidth) * m_nHeight; i < n; ++i) {
        COLORREF clr = PixelToColor(pPixels[i], FALSE);
        if (clr == clrExcluded)
            continue;
        ZpSkinApplyColorFilters(clr);
        pPixels[i] = (pPixels[i] & 0xFF000000) | (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
    }
    ::DeleteObject(m_hBitmap);
    m_hBitmap = hFiltered;
}

// ---------------------------------------------------------------------------------------------
// Cache

CZPSkinImageCache::~CZPSkinImageCache()
{
    for (auto& entry : m_images)
        delete entry.second;
}

CZPSkinImage* CZPSkinImageCache::GetImage(CZPSkinManagerResourceFile* pResourceFile, LPCWSTR lpszName)
{
    if (pResourceFile == NULL || lpszName == NULL || *lpszName == 0)
        return NULL;
    auto it = m_images.find(CString(lpszName));
    if (it != m_images.end())
        return it->second;
    CZPSkinImage* pImage = pResourceFile->LoadImageFile(lpszName);
    if (pImage != NULL)
        m_images[CString(lpszName)] = pImage;
    return pImage;
}

CSize CZPSkinImageCache::GetImageSize(CZPSkinManagerResourceFile* pResourceFile, LPCWSTR lpszName)
{
    CZPSkinImage* pImage = GetImage(pResourceFile, lpszName);
    return pImage != NULL ? pImage->GetSize() : CSize(0, 0);
}
