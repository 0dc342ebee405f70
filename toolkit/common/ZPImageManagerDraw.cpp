// Icon drawing, and the alpha and colour-keyed blits with their emulations.
#include "common/ZPImageManager.h"

#include "common/ZPDrawHelpers.h"
#include "common/ZPImageLoading.h"

namespace {

const DWORD kMagenta = 0x00FF00FF;

BOOL GetDib(HBITMAP hBitmap, DIBSECTION& ds)
{
    return hBitmap != NULL && ::GetObjectW(hBitmap, sizeof(ds), &ds) == sizeof(ds) && ds.dsBm.bmBits != NULL;
}

}  // namespace

BOOL ZpIsComCtl6()
{
    return ZpOsVersionInstance().GetComCtlVersion() > 0x5FFFF;
}

LPBYTE CZPImageManagerStateImage::GetPremultipliedBits()
{
    if (m_pPremultipliedBits != NULL)
        return m_pPremultipliedBits;
    if (m_hAlphaBitmap == NULL)
        return NULL;
    LPBYTE pBits = NULL;
    HBITMAP hBitmap = ZpPremultiplyAlphaBitmap(m_hAlphaBitmap, NULL, &pBits);
    if (hBitmap == NULL)
        return NULL;
    TakePremultiplied(hBitmap, pBits);
    return pBits;
}

void CZPImageManagerStateImage::Draw(CDC* pDC, int x, int y, int cx, int cy, BOOL bComposited)
{
    if (IsEmpty())
        return;
    if (m_pSlot != NULL) {
        m_pSlot->pResource->Draw(pDC, m_pSlot, x, y, cx, cy, bComposited);
    } else if (m_hAlphaBitmap != NULL) {
        if (GetPremultipliedBits() == NULL)
            return;
        if (y < 0 && cy == m_cy) {
            if (y + m_cy > 0)
                ZpDrawAlphaBitmap(pDC, m_hAlphaBitmap, x, 0, cx, y + m_cy, 0, -y, m_cx, y + m_cy);
        } else {
            ZpDrawAlphaBitmap(pDC, m_hAlphaBitmap, x, y, cx, cy, 0, 0, m_cx, m_cy);
        }
    } else if (m_hIcon != NULL) {
        if (ZpDCIsMirrored(pDC)) {
            x += cx;
            cx = -cx;
        }
        if (bComposited)
            ZpDrawIconAlphaBlended(pDC, x, y, cx, cy, m_hIcon);
        else
            ::DrawIconEx(pDC->m_hDC, x, y, m_hIcon, cx, cy, 0, NULL, DI_NORMAL);
    }
}

void CZPImageManagerIcon::Draw(CDC* pDC, int x, int y, CZPImageManagerStateImage* pImage, int cx, int cy)
{
    if (cx == 0)
        cx = m_nWidth;
    if (cy == 0)
        cy = m_nWidth != 0 ? cx * m_nHeight / m_nWidth : 0;
    pImage->Draw(pDC, x, y, cx, cy, m_bDrawComposited);
}

void CZPImageManagerIcon::DrawDisabledEmbossed(CDC* pDC, int x, int y, CZPImageManagerStateImage* pImage, int cx,
                                               int cy, COLORREF clr)
{
    if (pImage->IsAlpha())
        return;
    if (cx == 0)
        cx = m_nWidth;
    if (cy == 0)
        cy = m_nWidth != 0 ? cx * m_nHeight / m_nWidth : 0;
    if (cx <= 0 || cy <= 0)
        return;
    CGdiObject bitmap;
    bitmap.Attach(::CreateCompatibleBitmap(pDC->m_hDC, cx, cy));
    if (bitmap.m_hObject == NULL)
        return;
    {
        CMemoryDC memDC(pDC->m_hDC, static_cast<HBITMAP>(bitmap.m_hObject));
        if (memDC.GetSafeHdc() == NULL)
            return;
        ::PatBlt(memDC.GetSafeHdc(), 0, 0, cx, cy, WHITENESS);
        CDC dc(memDC.GetSafeHdc());
        Draw(&dc, 0, 0, pImage, cx, cy);
    }
    CGdiObject brush;
    brush.Attach(::CreateSolidBrush(clr));
    ::DrawStateW(pDC->m_hDC, static_cast<HBRUSH>(brush.m_hObject), NULL, reinterpret_cast<LPARAM>(bitmap.m_hObject), 0,
                 x, y, cx, cy, DST_BITMAP | DSS_MONO);
}

void ZpDrawAlphaBitmap(CDC* pDC, HBITMAP hBitmap, int x, int y, int cx, int cy, int xSrc, int ySrc, int cxSrc,
                       int cySrc)
{
    if (cxSrc == 0 && cySrc == 0) {
        cxSrc = cx;
        cySrc = cy;
    }
    CMemoryDC memDC(pDC->m_hDC, hBitmap);
    if (memDC.GetSafeHdc() == NULL)
        return;
    CDC srcDC(memDC.GetSafeHdc());
    ZpImageManagerInstance()->AlphaBlendBlit(pDC, CRect(x, y, x + cx, y + cy), &srcDC,
                                             CRect(xSrc, ySrc, xSrc + cxSrc, ySrc + cySrc));
}

void ZpDrawIconAlphaBlended(CDC* pDC, int x, int y, int cx, int cy, HICON hIcon)
{
    CRect rcDest = cx < 0 ? CRect(x + cx, y, x, y + cy) : CRect(x, y, x + cx, y + cy);
    if (rcDest.Width() <= 0 || rcDest.Height() <= 0)
        return;
    LPBYTE pBits = NULL;
    CGdiObject dib;
    dib.Attach(ZpCreateDibSection32(pDC->m_hDC, rcDest.Width(), rcDest.Height(), &pBits));
    if (dib.m_hObject == NULL)
        return;
    CMemoryDC memDC(pDC->m_hDC, static_cast<HBITMAP>(dib.m_hObject));
    if (memDC.GetSafeHdc() == NULL)
        return;
    DWORD* pPixels = reinterpret_cast<DWORD*>(pBits);
    size_t nPixels = static_cast<size_t>(rcDest.Width()) * rcDest.Height();
    ::GdiFlush();
    for (size_t i = 0; i < nPixels; ++i)
        pPixels[i] = kMagenta;
    ::DrawIconEx(memDC.GetSafeHdc(), cx <= 0 ? -cx : 0, 0, hIcon, cx, cy, 0, NULL, DI_NORMAL);
    ::GdiFlush();
    for (size_t i = 0; i < nPixels; ++i)
        pPixels[i] = pPixels[i] == kMagenta ? 0 : (pPixels[i] | 0xFF000000);
    CDC srcDC(memDC.GetSafeHdc());
    ZpImageManagerInstance()->AlphaBlendBlit(pDC, rcDest, &srcDC, CRect(0, 0, rcDest.Width(), rcDest.Height()));
}

BOOL CZPImageManager::AlphaBlendBlit(CDC* pDC, const CRect& rcDest, CDC* pSrcDC, const CRect& rcSrc)
{
    CZPOsVersionInfo& os = ZpOsVersionInstance();
    CZPDrawHelpers& helpers = ZpDrawHelpersInstance();
    BOOL bEmulate = (ZpDCIsMirrored(pDC) && os.IsWin9xFamily()) || helpers.m_pfnAlphaBlend == NULL ||
                    (!os.IsNT5OrLater() && (rcSrc.left != 0 || rcSrc.top != 0 || rcDest.top < 0));
    if (bEmulate)
        return ZpAlphaBlendEmulate(pDC, rcDest, pSrcDC, rcSrc);
    BLENDFUNCTION bf = { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
    return helpers.m_pfnAlphaBlend(pDC->m_hDC, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(),
                                   pSrcDC->m_hDC, rcSrc.left, rcSrc.top, rcSrc.Width(), rcSrc.Height(), bf);
}

BOOL ZpAlphaBlendEmulate(CDC* pDC, const CRect& rcDest, CDC* pSrcDC, const CRect& rcSrc)
{
    int cx = rcDest.Width(), cy = rcDest.Height();
    if (cx <= 0 || cy <= 0)
        return FALSE;
    CGdiObject source;
    source.Attach(ZpCreateDibSection32(pDC->m_hDC, cx, cy, NULL));
    CGdiObject dest;
    dest.Attach(ZpCreateDibSection32(pDC->m_hDC, cx, cy, NULL));
    CGdiObject result;
    result.Attach(ZpCreateDibSection32(pDC->m_hDC, cx, cy, NULL));
    if (source.m_hObject == NULL || dest.m_hObject == NULL || result.m_hObject == NULL)
        return FALSE;
    BOOL bSourceMirrored = ZpDCIsMirrored(pSrcDC);
    BOOL bDestMirrored = ZpDCIsMirrored(pDC);
    {
        CMemoryDC sourceDC(pSrcDC->m_hDC, static_cast<HBITMAP>(source.m_hObject));
        CMemoryDC destDC(pSrcDC->m_hDC, static_cast<HBITMAP>(dest.m_hObject));
        if (sourceDC.GetSafeHdc() == NULL || destDC.GetSafeHdc() == NULL)
            return FALSE;
        ZpSetDCLayoutRaw(sourceDC.GetSafeHdc(), 0);
        ZpSetDCLayoutRaw(destDC.GetSafeHdc(), 0);
        ::SetStretchBltMode(sourceDC.GetSafeHdc(), COLORONCOLOR);
        ::SetStretchBltMode(destDC.GetSafeHdc(), COLORONCOLOR);
        if (!::StretchBlt(sourceDC.GetSafeHdc(), 0, 0, cx, cy, pSrcDC->m_hDC, rcSrc.left, rcSrc.top, rcSrc.Width(),
                          rcSrc.Height(), SRCCOPY) ||
            !::BitBlt(destDC.GetSafeHdc(), 0, 0, cx, cy, pDC->m_hDC, rcDest.left, rcDest.top, SRCCOPY))
            return FALSE;
    }
    ::GdiFlush();
    if (!ZpBlendPremultipliedRows(static_cast<HBITMAP>(source.m_hObject), bSourceMirrored,
                                  static_cast<HBITMAP>(dest.m_hObject), bDestMirrored,
                                  static_cast<HBITMAP>(result.m_hObject)))
        return FALSE;
    CMemoryDC resultDC(pSrcDC->m_hDC, static_cast<HBITMAP>(result.m_hObject));
    if (resultDC.GetSafeHdc() == NULL)
        return FALSE;
    ZpSetDCLayoutRaw(resultDC.GetSafeHdc(), 0);
    return ::BitBlt(pDC->m_hDC, rcDest.left, rcDest.top, cx, cy, resultDC.GetSafeHdc(), 0, 0,
                    bDestMirrored ? (SRCCOPY | NOMIRRORBITMAP) : SRCCOPY);
}

BOOL ZpBlendPremultipliedRows(HBITMAP hSource, BOOL bSourceMirrored, HBITMAP hDest, BOOL bDestMirrored,
                              HBITMAP hResult)
{
    DIBSECTION src = {}, dst = {}, res = {};
    if (!GetDib(hSource, src) || !GetDib(hDest, dst) || !GetDib(hResult, res))
        return FALSE;
    const BITMAP* all[] = { &src.dsBm, &dst.dsBm, &res.dsBm };
    for (const BITMAP* bm : all) {
        if (bm->bmWidth != src.dsBm.bmWidth || bm->bmHeight != src.dsBm.bmHeight || bm->bmPlanes != 1 ||
            bm->bmBitsPixel != 32)
            return FALSE;
    }
    int cx = src.dsBm.bmWidth, cy = src.dsBm.bmHeight;
    for (int y = 0; y < cy; ++y) {
        const BYTE* pSourceRow = static_cast<const BYTE*>(src.dsBm.bmBits) + static_cast<size_t>(y) * cx * 4;
        const BYTE* pDestRow = static_cast<const BYTE*>(dst.dsBm.bmBits) + static_cast<size_t>(y) * cx * 4;
        BYTE* pResultRow = static_cast<BYTE*>(res.dsBm.bmBits) + static_cast<size_t>(y) * cx * 4;
        for (int i = 0; i < cx; ++i) {
            const BYTE* s = pSourceRow + (bSourceMirrored ? cx - 1 - i : i) * 4;
            const BYTE* d = pDestRow + (bDestMirrored ? cx - 1 - i : i) * 4;
            BYTE* r = pResultRow + i * 4;
            for (int c = 0; c < 3; ++c) {
                int n = d[c] * (255 - s[3]) / 255 + s[c];
                r[c] = static_cast<BYTE>(n > 255 ? 255 : n);
            }
            r[3] = 0;
        }
    }
    return TRUE;
}

BOOL CZPImageManager::TransparentBlit(CDC* pDC, const CRect& rcDest, CDC* pSrcDC, const CRect& rcSrc, COLORREF clrKey)
{
    CZPDrawHelpers& helpers = ZpDrawHelpersInstance();
    if (ZpOsVersionInstance().IsNT5OrLater() && helpers.m_pfnTransparentBlt != NULL)
        return helpers.m_pfnTransparentBlt(pDC->m_hDC, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(),
                                           pSrcDC->m_hDC, rcSrc.left, rcSrc.top, rcSrc.Width(), rcSrc.Height(),
                                           clrKey);
    return ZpMaskTransparentBlit(pDC, rcDest, pSrcDC, rcSrc, clrKey);
}

BOOL ZpMaskTransparentBlit(CDC* pDC, const CRect& rcDest, CDC* pSrcDC, const CRect& rcSrc, COLORREF clrKey)
{
    int cx = rcSrc.Width(), cy = rcSrc.Height();
    if (cx <= 0 || cy <= 0)
        return FALSE;
    CGdiObject image;
    image.Attach(::CreateCompatibleBitmap(pSrcDC->m_hDC, cx, cy));
    CGdiObject mask;
    mask.Attach(::CreateBitmap(cx, cy, 1, 1, NULL));
    if (image.m_hObject == NULL || mask.m_hObject == NULL)
        return FALSE;
    CMemoryDC imageDC(pSrcDC->m_hDC, static_cast<HBITMAP>(image.m_hObject));
    CMemoryDC maskDC(pSrcDC->m_hDC, static_cast<HBITMAP>(mask.m_hObject));
    if (imageDC.GetSafeHdc() == NULL || maskDC.GetSafeHdc() == NULL)
        return FALSE;

    COLORREF clrOldBk = ::SetBkColor(pDC->m_hDC, RGB(255, 255, 255));
    COLORREF clrOldText = ::SetTextColor(pDC->m_hDC, RGB(0, 0, 0));
    ::BitBlt(imageDC.GetSafeHdc(), 0, 0, cx, cy, pSrcDC->m_hDC, rcSrc.left, rcSrc.top, SRCCOPY);
    ::SetBkColor(imageDC.GetSafeHdc(), clrKey);
    ::BitBlt(maskDC.GetSafeHdc(), 0, 0, cx, cy, imageDC.GetSafeHdc(), 0, 0, SRCCOPY);
    if (clrKey != RGB(0, 0, 0)) {
        ::SetBkColor(imageDC.GetSafeHdc(), RGB(0, 0, 0));
        ::SetTextColor(imageDC.GetSafeHdc(), RGB(255, 255, 255));
        ::BitBlt(imageDC.GetSafeHdc(), 0, 0, cx, cy, maskDC.GetSafeHdc(), 0, 0, SRCAND);
    }
    if (rcDest.Width() == cx && rcDest.Height() == cy) {
        ::BitBlt(pDC->m_hDC, rcDest.left, rcDest.top, cx, cy, maskDC.GetSafeHdc(), 0, 0, SRCAND);
        ::BitBlt(pDC->m_hDC, rcDest.left, rcDest.top, cx, cy, imageDC.GetSafeHdc(), 0, 0, SRCPAINT);
    } else {
        ::StretchBlt(pDC->m_hDC, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), maskDC.GetSafeHdc(), 0, 0, cx, cy,
                     SRCAND);
        ::StretchBlt(pDC->m_hDC, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), imageDC.GetSafeHdc(), 0, 0, cx,
                     cy, SRCPAINT);
    }
    ::SetBkColor(pDC->m_hDC, clrOldBk);
    ::SetTextColor(pDC->m_hDC, clrOldText);
    return TRUE;
}
