// Shared icon bitmaps: every picture of one size in one colour DIB and one mask, slot by slot.
#include "common/ZPImageManager.h"

#include "common/ZPDrawHelpers.h"
#include "common/ZPImageLoading.h"

#include <string.h>

#include <vector>

namespace {

// The widest and highest DIB section the system makes.
const int kMaxBitmapSide = 32767;

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

CZPImageManagerResource::CZPImageManagerResource(CZPImageManager* pManager, int cx, int cy)
    : m_hbmColor(NULL), m_hbmMask(NULL), m_pBits(NULL), m_pManager(pManager), m_cx(cx), m_cy(cy), m_nUsedWidth(0),
      m_nRows(0), m_nSlots(0)
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
    if (m_cx <= 0 || m_cy <= 0 || m_cx > kMaxBitmapSide)
        return NULL;

    // Slots fill one row up to the widest bitmap a DIB section allows, then further rows below.
    int nColumns = kMaxBitmapSide / m_cx;
    int nSlot = m_nSlots;
    int nColumn = nSlot % nColumns, nRow = nSlot / nColumns;
    int nNeededWidth = nRow == 0 ? (nColumn + 1) * m_cx : nColumns * m_cx;
    int nNeededRows = nRow + 1;
    if (nNeededWidth != m_nUsedWidth || nNeededRows != m_nRows) {
        if (!Grow(nNeededWidth, nNeededRows))
            return NULL;
    }

    ZP_IMAGERESOURCE_INFO* pSlot = new ZP_IMAGERESOURCE_INFO;
    pSlot->bAlpha = FALSE;
    ::SetRect(&pSlot->rcImage, nColumn * m_cx, nRow * m_cy, (nColumn + 1) * m_cx, (nRow + 1) * m_cy);
    pSlot->pResource = this;
    ++m_nSlots;
    m_arrUsed.Add(pSlot);
    return pSlot;
}

BOOL CZPImageManagerResource::Grow(int nNewWidth, int nNewRows)
{
    if (static_cast<LONGLONG>(nNewRows) * m_cy > kMaxBitmapSide ||
        static_cast<LONGLONG>(nNewWidth) * nNewRows * m_cy * 4 > INT_MAX)
        return FALSE;
    int nNewHeight = nNewRows * m_cy;
    LPBYTE pNewBits = NULL;
    CBitmap bmpColor, bmpMask;
    bmpColor.Attach(ZpCreateDibSection32(NULL, nNewWidth, nNewHeight, &pNewBits));
    bmpMask.Attach(::CreateBitmap(nNewWidth, nNewHeight, 1, 1, NULL));
    if (bmpColor.m_hObject == NULL || bmpMask.m_hObject == NULL)
        return FALSE;
    if (m_hbmColor != NULL) {
        // Bottom-up rows: the old picture keeps its top-left corner, so its lines move up in memory.
        int nOldHeight = m_nRows * m_cy;
        ::GdiFlush();
        CopyRows(pNewBits + static_cast<size_t>(nNewHeight - nOldHeight) * nNewWidth * 4, nNewWidth * 4, m_pBits,
                 m_nUsedWidth * 4, m_nUsedWidth, nOldHeight);
        CMemoryDC maskDC(NULL, static_cast<HBITMAP>(bmpMask.m_hObject));
        ::BitBlt(maskDC, 0, 0, m_nUsedWidth, nOldHeight, m_dc.Select(m_hbmMask), 0, 0, SRCCOPY);
        m_dc.Restore();
        ::DeleteObject(m_hbmColor);
        ::DeleteObject(m_hbmMask);
    }
    m_hbmColor = static_cast<HBITMAP>(bmpColor.Detach());
    m_hbmMask = static_cast<HBITMAP>(bmpMask.Detach());
    m_pBits = pNewBits;
    m_nUsedWidth = nNewWidth;
    m_nRows = nNewRows;
    return TRUE;
}

LPBYTE CZPImageManagerResource::SlotBits(const ZP_IMAGERESOURCE_INFO* pSlot) const
{
    int nHeight = m_nRows * m_cy;
    return m_pBits + static_cast<size_t>(nHeight - pSlot->rcImage.bottom) * m_nUsedWidth * 4 +
           static_cast<size_t>(pSlot->rcImage.left) * 4;
}

ZP_IMAGERESOURCE_INFO* CZPImageManagerResource::AddImage(CZPImageManagerStateImage* pImage)
{
    if (pImage == NULL || pImage->IsEmpty() || pImage->GetExtent() != CSize(m_cx, m_cy))
        return NULL;
    if (pImage->m_pBorrowedPixels != NULL)
        return AddBorrowedPixels(pImage);
    if (pImage->GetIcon() == NULL && pImage->m_hAlphaBitmap == NULL)
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
        CopyRows(SlotBits(pSlot), m_nUsedWidth * 4, pSource, m_cx * 4, m_cx, m_cy);
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
            CopyRows(SlotBits(pSlot), m_nUsedWidth * 4, pPremultiplied, m_cx * 4, m_cx, m_cy);
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
        ::PatBlt(hDC, rc.left, rc.top, m_cx, m_cy, BLACKNESS);
        ::DrawIconEx(hDC, rc.left, rc.top, pImage->GetIcon(), 0, 0, 0, NULL, DI_NORMAL);
        m_dc.Select(m_hbmMask);
        ::PatBlt(hDC, rc.left, rc.top, m_cx, m_cy, BLACKNESS);
        ::DrawIconEx(hDC, rc.left, rc.top, pImage->GetIcon(), 0, 0, 0, NULL, DI_MASK);
        m_dc.Restore();
        // DrawIconEx blends an icon with alpha and leaves its alpha bytes in the colour; a slot
        // without alpha carries none, or composited drawing would turn opaque pixels transparent.
        ::GdiFlush();
        LPBYTE pRow = SlotBits(pSlot);
        for (int y = 0; y < m_cy; ++y, pRow += static_cast<size_t>(m_nUsedWidth) * 4)
            for (int x = 0; x < m_cx; ++x)
                pRow[x * 4 + 3] = 0;
    }
    return pSlot;
}

ZP_IMAGERESOURCE_INFO* CZPImageManagerResource::AddBorrowedPixels(CZPImageManagerStateImage* pImage)
{
    if (pImage->m_clrKey == CLR_NONE) {
        CZPSyncSectionLock lock(&m_lock);
        ZP_IMAGERESOURCE_INFO* pSlot = AllocateSlot();
        if (pSlot == NULL)
            return NULL;
        ::GdiFlush();
        LPBYTE pRow = SlotBits(pSlot);
        for (int y = 0; y < m_cy; ++y, pRow += static_cast<size_t>(m_nUsedWidth) * 4) {
            const BYTE* pSource = reinterpret_cast<const BYTE*>(pImage->m_pBorrowedPixels +
                                                                static_cast<size_t>(y) * pImage->m_nBorrowedStride);
            for (int x = 0; x < m_cx * 4; x += 4) {
                const BYTE a = pSource[x + 3];
                for (int c = 0; c < 3; ++c)
                    pRow[x + c] = static_cast<BYTE>(pSource[x + c] * a / 255);
                pRow[x + 3] = a;
            }
        }
        pSlot->bAlpha = TRUE;
        return pSlot;
    }

    // The mask's rows for SetDIBitsToDevice: 1 bpp, bottom-up, each padded to a DWORD; bit 1
    // (white) marks a transparent pixel, as DrawIconEx leaves an icon's mask.
    const int nMaskStride = (m_cx + 31) / 32 * 4;
    std::vector<BYTE> maskBits(static_cast<size_t>(nMaskStride) * m_cy, 0);
    struct
    {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } maskInfo = { { sizeof(BITMAPINFOHEADER), m_cx, m_cy, 1, 1, BI_RGB }, { { 0, 0, 0, 0 }, { 255, 255, 255, 0 } } };

    CZPSyncSectionLock lock(&m_lock);
    ZP_IMAGERESOURCE_INFO* pSlot = AllocateSlot();
    if (pSlot == NULL)
        return NULL;
    pSlot->bAlpha = FALSE;
    // Pixels in the DIB's order (blue lowest); the colour carries no alpha byte.
    const DWORD dwKey = (static_cast<DWORD>(GetRValue(pImage->m_clrKey)) << 16) |
                        (static_cast<DWORD>(GetGValue(pImage->m_clrKey)) << 8) | GetBValue(pImage->m_clrKey);
    const DWORD kColorBits = 0x00FFFFFF;
    ::GdiFlush();
    LPBYTE pRow = SlotBits(pSlot);
    for (int y = 0; y < m_cy; ++y, pRow += static_cast<size_t>(m_nUsedWidth) * 4) {
        const DWORD* pSource = pImage->m_pBorrowedPixels + static_cast<size_t>(y) * pImage->m_nBorrowedStride;
        DWORD* pDest = reinterpret_cast<DWORD*>(pRow);
        BYTE* pMask = &maskBits[static_cast<size_t>(y) * nMaskStride];
        for (int x = 0; x < m_cx; ++x) {
            const DWORD dwColor = pSource[x] & kColorBits;
            if (dwColor == dwKey) {
                pDest[x] = 0;
                pMask[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
            } else {
                pDest[x] = dwColor;
            }
        }
    }
    const RECT& rc = pSlot->rcImage;
    HDC hDC = m_dc.Select(m_hbmMask);
    ::SetDIBitsToDevice(hDC, rc.left, rc.top, m_cx, m_cy, 0, 0, 0, m_cy, maskBits.data(),
                        reinterpret_cast<BITMAPINFO*>(&maskInfo), DIB_RGB_COLORS);
    m_dc.Restore();
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
    if (m_arrUsed.GetSize() == 0)
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
    CopyRows(pBits, m_cx * 4, SlotBits(pSlot), m_nUsedWidth * 4, m_cx, m_cy);
    if (pSlot->bAlpha) {
        pTarget->TakePremultiplied(hbmColor, pBits);
        return;
    }
    HBITMAP hbmMask = ::CreateBitmap(m_cx, m_cy, 1, 1, NULL);
    HICON hIcon = NULL;
    if (hbmMask != NULL) {
        {
            CMemoryDC maskDC(NULL, hbmMask);
            ::BitBlt(maskDC, 0, 0, m_cx, m_cy, m_dc.Select(m_hbmMask), pSlot->rcImage.left, pSlot->rcImage.top,
                     SRCCOPY);
            m_dc.Restore();
        }
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
    ::StretchBlt(pDC->m_hDC, x, y, cx, cy, hMemDC, pSlot->rcImage.left, pSlot->rcImage.top, m_cx, m_cy, SRCAND);
    ::SetTextColor(pDC->m_hDC, clrOldText);
    ::SetBkColor(pDC->m_hDC, clrOldBk);
    m_dc.Select(m_hbmColor);
    ::StretchBlt(pDC->m_hDC, x, y, cx, cy, hMemDC, pSlot->rcImage.left, pSlot->rcImage.top, m_cx, m_cy, SRCINVERT);
    m_dc.Restore();
}

void CZPImageManagerResource::DrawMaskedAsAlpha(CDC* pDC, ZP_IMAGERESOURCE_INFO* pSlot, int x, int y, int cx, int cy)
{
    CZPSyncSectionLock lock(&m_lock);
    if (m_hbmColor == NULL || cx <= 0 || cy <= 0)
        return;
    LPBYTE pBits = NULL;
    CBitmap dib;
    if (!dib.Attach(ZpCreateDibSection32(pDC->m_hDC, cx, cy, &pBits)))
        return;
    CMemoryDC dibDC(pDC->m_hDC, static_cast<HBITMAP>(dib.m_hObject));
    ::SetBkColor(dibDC, RGB(255, 255, 255));
    ::SetTextColor(dibDC, RGB(0, 0, 0));
    ::StretchBlt(dibDC, 0, 0, cx, cy, m_dc.Select(m_hbmMask), pSlot->rcImage.left, pSlot->rcImage.top, m_cx, m_cy,
                 SRCCOPY);
    ::GdiFlush();
    DWORD* pPixels = reinterpret_cast<DWORD*>(pBits);
    for (size_t i = 0, n = static_cast<size_t>(cx) * cy; i < n; ++i)
        pPixels[i] = (pPixels[i] & 0x00FFFFFF) == 0 ? 0xFF000000 : 0;
    ::StretchBlt(dibDC, 0, 0, cx, cy, m_dc.Select(m_hbmColor), pSlot->rcImage.left, pSlot->rcImage.top, m_cx, m_cy,
                 SRCINVERT);
    m_dc.Restore();
    CDC dc(dibDC);
    m_pManager->AlphaBlendBlit(pDC, CRect(x, y, x + cx, y + cy), &dc, CRect(0, 0, cx, cy));
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
    m_nRows = 0;
    m_nSlots = 0;
}
