// Shared icon bitmaps: every picture of one size in one colour DIB and one mask, slot by slot.
#include "common/ZPImageManager.h"

#include "common/ZPDrawHelpers.h"
#include "common/ZPImageLoading.h"

#include <string.h>

namespace {

// Copies cy bottom-up rows of cx pixels.
void CopyRows(LPBYTE pDest, int nDestStride, const BYTE* pSource, int nSourceStride, int cx, int cy)
{
    for (int y = 0; y < cy; ++y)
        memcpy(pDest + static_cast<size_t>(y) * nDestStride, pSource + static_cast<size_t>(y) * nSourceStride,
               static_cast<size_t>(cx) * 4);
}

BOOL SameSize(HBITMAP hBitmap, int cx, int cy)
{
    BITMAP bm = {};
    return ::GetObjectW(hBitmap, sizeof(bm), &bm) != 0 && bm.bmWidth == cx &&
           (bm.bmHeight == cy || bm.bmHeight == -cy);
}

}  // namespace

CZPImageManagerResource::CBitmapDC::CBitmapDC() : m_hDC(::CreateCompatibleDC(NULL)), m_hOld(NULL)
{
}

CZPImageManagerResource::CBitmapDC::~CBitmapDC()
{
    Restore();
    if (m_hDC != NULL)
        ::DeleteDC(m_hDC);
}

HDC CZPImageManagerResource::CBitmapDC::Select(HBITMAP hBitmap)
{
    HGDIOBJ hOld = ::SelectObject(m_hDC, hBitmap);
    if (m_hOld == NULL)
        m_hOld = hOld;
    return m_hDC;
}

void CZPImageManagerResource::CBitmapDC::Restore()
{
    if (m_hOld != NULL) {
        ::SelectObject(m_hDC, m_hOld);
        m_hOld = NULL;
    }
}

CZPImageManagerResource::CZPImageManagerResource(CZPImageManager* pManager, int cx, int cy)
    : m_hbmColor(NULL), m_hbmMask(NULL), m_pBits(NULL), m_pManager(pManager), m_cx(cx), m_cy(cy), m_nUsedWidth(0)
{
}

CZPImageManagerResource::~CZPImageManagerResource()
{
    RemoveAll();
}

ZP_IMAGERESOURCE_INFO* CZPImageManagerResource::AllocateSlot()
{
    CZPSyncSectionLock lock(&m_lock);
    if (m_arrFree.GetSize() > 0) {
        ZP_IMAGERESOURCE_INFO* pSlot = m_arrFree[m_arrFree.GetUpperBound()];
        m_arrFree.RemoveAt(m_arrFree.GetUpperBound());
        m_arrUsed.Add(pSlot);
        return pSlot;
    }
    if (m_cx <= 0 || m_cy <= 0 || static_cast<LONGLONG>(m_nUsedWidth + m_cx) * m_cy * 4 > INT_MAX)
        return NULL;

    int nNewWidth = m_nUsedWidth + m_cx;
    LPBYTE pNewBits = NULL;
    HBITMAP hbmColor = ZpCreateDibSection32(NULL, nNewWidth, m_cy, &pNewBits);
    HBITMAP hbmMask = ::CreateBitmap(nNewWidth, m_cy, 1, 1, NULL);
    if (hbmColor == NULL || hbmMask == NULL) {
        if (hbmColor != NULL)
            ::DeleteObject(hbmColor);
        if (hbmMask != NULL)
            ::DeleteObject(hbmMask);
        return NULL;
    }
    if (m_hbmColor != NULL) {
        ::GdiFlush();
        CopyRows(pNewBits, nNewWidth * 4, m_pBits, m_nUsedWidth * 4, m_nUsedWidth, m_cy);
        HDC hNewDC = ::CreateCompatibleDC(NULL);
        HGDIOBJ hOld = ::SelectObject(hNewDC, hbmMask);
        ::BitBlt(hNewDC, 0, 0, m_nUsedWidth, m_cy, m_dc.Select(m_hbmMask), 0, 0, SRCCOPY);
        m_dc.Restore();
        ::SelectObject(hNewDC, hOld);
        ::DeleteDC(hNewDC);
        ::DeleteObject(m_hbmColor);
        ::DeleteObject(m_hbmMask);
    }
    m_hbmColor = hbmColor;
    m_hbmMask = hbmMask;
    m_pBits = pNewBits;

    ZP_IMAGERESOURCE_INFO* pSlot = new ZP_IMAGERESOURCE_INFO;
    pSlot->bAlpha = FALSE;
    ::SetRect(&pSlot->rcImage, m_nUsedWidth, 0, m_nUsedWidth + m_cx, m_cy);
    pSlot->pResource = this;
    m_nUsedWidth = nNewWidth;
    m_arrUsed.Add(pSlot);
    return pSlot;
}

ZP_IMAGERESOURCE_INFO* CZPImageManagerResource::AddImage(CZPImageManagerStateImage* pImage)
{
    if (pImage == NULL || pImage->IsEmpty() || pImage->GetExtent() != CSize(m_cx, m_cy) ||
        (pImage->GetIcon() == NULL && pImage->m_hAlphaBitmap == NULL))
        return NULL;
    CZPSyncSectionLock lock(&m_lock);

    if (pImage->GetIcon() == NULL) {
        // Premultiplied before a slot is taken, so that a failure allocates nothing.
        LPBYTE pSource = pImage->GetPremultipliedBits();
        if (pSource == NULL || !SameSize(pImage->m_hAlphaBitmap, m_cx, m_cy))
            return NULL;
        ZP_IMAGERESOURCE_INFO* pSlot = AllocateSlot();
        if (pSlot == NULL)
            return NULL;
        ::GdiFlush();
        CopyRows(m_pBits + pSlot->rcImage.left * 4, m_nUsedWidth * 4, pSource, m_cx * 4, m_cx, m_cy);
        pSlot->bAlpha = TRUE;
        return pSlot;
    }

    ZP_IMAGERESOURCE_INFO* pSlot = AllocateSlot();
    if (pSlot == NULL)
        return NULL;
    pSlot->bAlpha = FALSE;
    ICONINFO ii = {};
    BOOL bInfo = ZpIsComCtl6() && ::GetIconInfo(pImage->GetIcon(), &ii);
    if (bInfo && ii.hbmColor != NULL) {
        int nFlag = -1;
        LPBYTE pPremultiplied = NULL;
        HBITMAP hPremultiplied = ZpPremultiplyAlphaBitmap(ii.hbmColor, &nFlag, &pPremultiplied);
        if (hPremultiplied != NULL && nFlag == 1 && SameSize(hPremultiplied, m_cx, m_cy)) {
            ::GdiFlush();
            CopyRows(m_pBits + pSlot->rcImage.left * 4, m_nUsedWidth * 4, pPremultiplied, m_cx * 4, m_cx, m_cy);
            pSlot->bAlpha = TRUE;
        }
        if (hPremultiplied != NULL)
            ::DeleteObject(hPremultiplied);
    }
    if (bInfo) {
        if (ii.hbmColor != NULL)
            ::DeleteObject(ii.hbmColor);
        if (ii.hbmMask != NULL)
            ::DeleteObject(ii.hbmMask);
    }
    if (!pSlot->bAlpha) {
        const RECT& rc = pSlot->rcImage;
        HDC hDC = m_dc.Select(m_hbmColor);
        ::PatBlt(hDC, rc.left, 0, m_cx, m_cy, BLACKNESS);
        ::DrawIconEx(hDC, rc.left, 0, pImage->GetIcon(), 0, 0, 0, NULL, DI_NORMAL);
        m_dc.Select(m_hbmMask);
        ::PatBlt(hDC, rc.left, 0, m_cx, m_cy, BLACKNESS);
        ::DrawIconEx(hDC, rc.left, 0, pImage->GetIcon(), 0, 0, 0, NULL, DI_MASK);
        m_dc.Restore();
    }
    return pSlot;
}

void CZPImageManagerResource::FreeSlot(ZP_IMAGERESOURCE_INFO* pSlot)
{
    CZPSyncSectionLock lock(&m_lock);
    for (INT_PTR i = 0; i < m_arrUsed.GetSize(); ++i) {
        if (m_arrUsed[i] == pSlot) {
            m_arrUsed.RemoveAt(i);
            m_arrFree.Add(pSlot);
            break;
        }
    }
    if (m_arrFree.GetSize() * m_cx == m_nUsedWidth)
        RemoveAll();
}

void CZPImageManagerResource::ExtractImage(CZPImageManagerStateImage* pTarget, ZP_IMAGERESOURCE_INFO* pSlot)
{
    CZPSyncSectionLock lock(&m_lock);
    pTarget->Clear();
    LPBYTE pBits = NULL;
    HBITMAP hbmColor = ZpCreateDibSection32(NULL, m_cx, m_cy, &pBits);
    if (hbmColor == NULL)
        return;
    ::GdiFlush();
    CopyRows(pBits, m_cx * 4, m_pBits + pSlot->rcImage.left * 4, m_nUsedWidth * 4, m_cx, m_cy);
    if (pSlot->bAlpha) {
        pTarget->TakePremultiplied(hbmColor, pBits);
        return;
    }
    HBITMAP hbmMask = ::CreateBitmap(m_cx, m_cy, 1, 1, NULL);
    HICON hIcon = NULL;
    if (hbmMask != NULL) {
        HDC hMaskDC = ::CreateCompatibleDC(NULL);
        HGDIOBJ hOld = ::SelectObject(hMaskDC, hbmMask);
        ::BitBlt(hMaskDC, 0, 0, m_cx, m_cy, m_dc.Select(m_hbmMask), pSlot->rcImage.left, 0, SRCCOPY);
        m_dc.Restore();
        ::SelectObject(hMaskDC, hOld);
        ::DeleteDC(hMaskDC);
        ICONINFO ii = { TRUE, 0, 0, hbmMask, hbmColor };
        hIcon = ::CreateIconIndirect(&ii);
        ::DeleteObject(hbmMask);
    }
    ::DeleteObject(hbmColor);
    if (hIcon != NULL)
        pTarget->SetIcon(hIcon);
}

void CZPImageManagerResource::Draw(CDC* pDC, ZP_IMAGERESOURCE_INFO* pSlot, int x, int y, int cx, int cy,
                                   BOOL bComposited)
{
    CZPSyncSectionLock lock(&m_lock);
    if (m_hbmColor == NULL)
        return;
    if (pSlot->bAlpha) {
        CDC memDC(m_dc.Select(m_hbmColor));
        m_pManager->AlphaBlendBlit(pDC, CRect(x, y, x + cx, y + cy), &memDC, CRect(pSlot->rcImage));
        m_dc.Restore();
        return;
    }
    if (bComposited) {
        DrawMaskedAsAlpha(pDC, pSlot, x, y, cx, cy);
        return;
    }
    if (ZpDCIsMirrored(pDC)) {
        x += cx;
        cx = -cx;
    }
    HDC hMemDC = m_dc.Select(m_hbmMask);
    ::SetTextColor(hMemDC, RGB(0, 0, 0));
    ::SetBkColor(hMemDC, RGB(255, 255, 255));
    COLORREF clrOldText = ::SetTextColor(pDC->m_hDC, RGB(0, 0, 0));
    COLORREF clrOldBk = ::SetBkColor(pDC->m_hDC, RGB(255, 255, 255));
    ::StretchBlt(pDC->m_hDC, x, y, cx, cy, hMemDC, pSlot->rcImage.left, 0, m_cx, m_cy, SRCAND);
    ::SetTextColor(pDC->m_hDC, clrOldText);
    ::SetBkColor(pDC->m_hDC, clrOldBk);
    m_dc.Select(m_hbmColor);
    ::StretchBlt(pDC->m_hDC, x, y, cx, cy, hMemDC, pSlot->rcImage.left, 0, m_cx, m_cy, SRCINVERT);
    m_dc.Restore();
}

void CZPImageManagerResource::DrawMaskedAsAlpha(CDC* pDC, ZP_IMAGERESOURCE_INFO* pSlot, int x, int y, int cx, int cy)
{
    CZPSyncSectionLock lock(&m_lock);
    if (m_hbmColor == NULL || cx <= 0 || cy <= 0)
        return;
    LPBYTE pBits = NULL;
    HBITMAP hDib = ZpCreateDibSection32(pDC->m_hDC, cx, cy, &pBits);
    if (hDib == NULL)
        return;
    HDC hDibDC = ::CreateCompatibleDC(pDC->m_hDC);
    HGDIOBJ hOld = ::SelectObject(hDibDC, hDib);
    ::SetBkColor(hDibDC, RGB(255, 255, 255));
    ::SetTextColor(hDibDC, RGB(0, 0, 0));
    ::StretchBlt(hDibDC, 0, 0, cx, cy, m_dc.Select(m_hbmMask), pSlot->rcImage.left, 0, m_cx, m_cy, SRCCOPY);
    ::GdiFlush();
    DWORD* pPixels = reinterpret_cast<DWORD*>(pBits);
    for (size_t i = 0, n = static_cast<size_t>(cx) * cy; i < n; ++i)
        pPixels[i] = (pPixels[i] & 0x00FFFFFF) == 0 ? 0xFF000000 : 0;
    ::StretchBlt(hDibDC, 0, 0, cx, cy, m_dc.Select(m_hbmColor), pSlot->rcImage.left, 0, m_cx, m_cy, SRCINVERT);
    m_dc.Restore();
    {
        CDC dibDC(hDibDC);
        m_pManager->AlphaBlendBlit(pDC, CRect(x, y, x + cx, y + cy), &dibDC, CRect(0, 0, cx, cy));
    }
    ::SelectObject(hDibDC, hOld);
    ::DeleteDC(hDibDC);
    ::DeleteObject(hDib);
}

void CZPImageManagerResource::RemoveAll()
{
    CZPSyncSectionLock lock(&m_lock);
    for (INT_PTR i = 0; i < m_arrUsed.GetSize(); ++i)
        delete m_arrUsed[i];
    for (INT_PTR i = 0; i < m_arrFree.GetSize(); ++i)
        delete m_arrFree[i];
    m_arrUsed.RemoveAll();
    m_arrFree.RemoveAll();
    m_dc.Restore();
    if (m_hbmColor != NULL)
        ::DeleteObject(m_hbmColor);
    if (m_hbmMask != NULL)
        ::DeleteObject(m_hbmMask);
    m_hbmColor = NULL;
    m_hbmMask = NULL;
    m_pBits = NULL;
    m_nUsedWidth = 0;
}
