// A skin picture: one or more frames of a part in one bitmap, drawn as a nine-grid whose flat
// areas are filled instead of blitted; and the per-class cache of such pictures by file name.
#pragma once

#include <framework.h>
#include <framework/gdi.h>

#include <map>
#include <vector>

class CZPSkinManagerResourceFile;

class CZPSkinImage
{
public:
    struct SOLIDRECT
    {
        RECT rc;       // bitmap coordinates, first row at the top
        COLORREF clr;  // 0x00BBGGRR; alpha images keep the pixel's alpha in the top byte
    };

    CZPSkinImage();
    ~CZPSkinImage();
    CZPSkinImage(const CZPSkinImage&) = delete;
    CZPSkinImage& operator=(const CZPSkinImage&) = delete;

    BOOL LoadFromFile(LPCWSTR lpszPath);
    BOOL LoadFromResource(HMODULE hModule, LPCWSTR lpszName);
    // Takes ownership of the bitmap.
    void SetBitmap(HBITMAP hBitmap, BOOL bAlpha);
    // Whether loaded alpha pictures are premultiplied (the schema's alpha-conversion flag).
    void SetAlphaConversion(BOOL bConvert) { m_bAlphaConversion = bConvert; }

    CSize GetSize() const { return CSize(m_nWidth, m_nHeight); }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    BOOL IsAlphaImage() const { return m_bAlpha; }
    HBITMAP GetBitmap() const { return m_hBitmap; }
    const std::vector<SOLIDRECT>& GetSolidRects() const { return m_solidRects; }

    // Learns the flat areas of each frame once, before the first draw.
    void CreateSolidRects(int nImageCount, BOOL bHorizontal, const RECT& rcSizingMargins);
    // Margins are left, top, right, bottom; clrTransparent -1 for none; sizing type 2 tiles.
    void DrawImage(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcMargins, COLORREF clrTransparent,
                   int nSizingType, BOOL bBorderOnly);
    void DrawImagePart(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcMargins, int nSizingType,
                       BOOL bBorderOnly);

    BOOL m_bMirrorAllowed;

protected:
    enum
    {
        tileDown = 1,
        tileAcross = 2,
    };
    // The fill of a solid area: drawn (TRUE), or go on and blit (FALSE) for partial alpha.
    BOOL FillSolid(CDC* pDC, const CRect& rcDest, COLORREF clrStored, COLORREF clrTransparent);
    BOOL DrawStretchOrTile(CDC* pDC, const CRect& rcDest, CDC* pSrcDC, const CRect& rcSrc, int nTileFlags);
    void BlitPart(CDC* pDC, const CRect& rcDest, CDC* pSrcDC, const CRect& rcSrc);
    const SOLIDRECT* FindSolidRect(const CRect& rcSrc) const;
    BOOL CheckSolidRect(const DWORD* pPixels, const RECT& rc, COLORREF* pclr) const;
    void MirrorBitmap();
    void ApplyColorFilters(COLORREF clrExcluded);
    BOOL LoadBitmap(HBITMAP hBitmap, BOOL bAlpha);

    HBITMAP m_hBitmap;  // owned
    BOOL m_bAlpha;
    BOOL m_bFiltered;
    BOOL m_bMirrored;
    BOOL m_bSolidRectsComputed;
    BOOL m_bAlphaConversion;
    int m_nWidth;
    int m_nHeight;
    std::vector<SOLIDRECT> m_solidRects;
};

class CZPSkinImageCache
{
public:
    CZPSkinImageCache() = default;
    ~CZPSkinImageCache();
    CZPSkinImageCache(const CZPSkinImageCache&) = delete;
    CZPSkinImageCache& operator=(const CZPSkinImageCache&) = delete;

    // The cached image or a newly loaded one; a failed load is not cached.
    CZPSkinImage* GetImage(CZPSkinManagerResourceFile* pResourceFile, LPCWSTR lpszName);
    CSize GetImageSize(CZPSkinManagerResourceFile* pResourceFile, LPCWSTR lpszName);

protected:
    std::map<CString, CZPSkinImage*> m_images;  // owned; exact, case-sensitive names
};
