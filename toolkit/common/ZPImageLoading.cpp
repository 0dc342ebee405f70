// Loaders of the image manager and the picture readers behind them. Sizes read from a file or
// a resource are checked against the bytes that are really there before anything is allocated.
#include "common/ZPImageLoading.h"

#include "common/ZPGraphicBitmapPng.h"
#include "common/ZPImageManager.h"

#include <framework/memorydc.h>

#include <ole2.h>
#include <olectl.h>
#include <stdlib.h>
#include <string.h>

#include <memory>
#include <new>
#include <vector>

namespace {

const WORD kToolBarResourceType = 241;
const int kMaxSide = 32767;
const BYTE kPngSignature[4] = { 0x89, 'P', 'N', 'G' };
const DWORD kHimetricPerInch = 2540;

#pragma pack(push, 1)
struct ICONFILEDIR
{
    WORD idReserved;
    WORD idType;
    WORD idCount;
};
struct ICONFILEDIRENTRY
{
    BYTE bWidth;
    BYTE bHeight;
    BYTE bColorCount;
    BYTE bReserved;
    WORD wPlanes;
    WORD wBitCount;
    DWORD dwBytesInRes;
    DWORD dwImageOffset;
};
struct GRPICONDIRENTRY
{
    BYTE bWidth;
    BYTE bHeight;
    BYTE bColorCount;
    BYTE bReserved;
    WORD wPlanes;
    WORD wBitCount;
    DWORD dwBytesInRes;
    WORD nID;
};
#pragma pack(pop)

// Bytes of width x height 32-bpp pixels, or 0 when the size is not a sane picture.
DWORD PixelBytes32(LONG nWidth, LONG nHeight)
{
    if (nWidth <= 0 || nHeight <= 0 || nWidth > kMaxSide || nHeight > kMaxSide)
        return 0;
    return static_cast<DWORD>(nWidth) * static_cast<DWORD>(nHeight) * 4;
}

// The bytes of a resource, or NULL.
const BYTE* ResourceBytes(HMODULE hModule, LPCWSTR lpszName, LPCWSTR lpszType, DWORD* pnSize)
{
    HRSRC hResource = ::FindResourceW(hModule, lpszName, lpszType);
    if (hResource == NULL)
        return NULL;
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    *pnSize = ::SizeofResource(hModule, hResource);
    return hData != NULL ? static_cast<const BYTE*>(::LockResource(hData)) : NULL;
}

// A DIB section from a 32-bpp header (height halved for icon images) and the pixels after it.
HBITMAP DibFromPackedPixels(const BYTE* pData, DWORD nSize, BOOL bIconImage)
{
    BITMAPINFOHEADER bih;
    if (nSize < sizeof(bih))
        return NULL;
    memcpy(&bih, pData, sizeof(bih));
    if (bih.biBitCount != 32 || bih.biSize < sizeof(bih) || bih.biSize > nSize)
        return NULL;
    DWORD nOffset = bih.biSize;
    if (bih.biCompression == BI_BITFIELDS && bih.biSize == sizeof(bih))
        nOffset += 3 * sizeof(DWORD);
    else if (bih.biCompression != BI_RGB && bih.biCompression != BI_BITFIELDS)
        return NULL;
    LONG nHeight = bIconImage ? bih.biHeight / 2 : bih.biHeight;
    DWORD nBytes = PixelBytes32(bih.biWidth, nHeight < 0 ? -nHeight : nHeight);
    if (nBytes == 0 || nOffset > nSize || nBytes > nSize - nOffset)
        return NULL;

    BITMAPINFO bmi = {};
    bmi.bmiHeader = bih;
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biHeight = nHeight;
    bmi.bmiHeader.biCompression = BI_RGB;
    bmi.bmiHeader.biSizeImage = nBytes;
    void* pBits = NULL;
    CMemoryDC dc;
    HBITMAP hBitmap = ::CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hBitmap == NULL || pBits == NULL) {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        return NULL;
    }
    memcpy(pBits, pData + nOffset, nBytes);
    return hBitmap;
}

BOOL ReadFileHead(LPCWSTR lpszPath, void* pBuffer, UINT nCount, ULONGLONG* pnLength = NULL)
{
    try {
        CFile file;
        if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite))
            return FALSE;
        if (pnLength != NULL)
            *pnLength = file.GetLength();
        return file.Read(pBuffer, nCount) == nCount;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

// Checks what the system's BMP reader will trust: the header, that the pixels are all in the
// file, and that no pixel of a palette picture names a colour beyond its palette.
BOOL IsSoundBitmapFile(CFile& file)
{
    ULONGLONG nLength = file.GetLength();
    BITMAPFILEHEADER bfh;
    BITMAPINFOHEADER bih = {};
    if (nLength > 0x7FFFFFFF || file.Read(&bfh, sizeof(bfh)) != sizeof(bfh) ||
        file.Read(&bih.biSize, sizeof(DWORD)) != sizeof(DWORD))
        return FALSE;
    DWORD nPaletteEntryBytes = 4;
    if (bih.biSize == sizeof(BITMAPCOREHEADER)) {
        BITMAPCOREHEADER bch;
        bch.bcSize = bih.biSize;
        if (file.Read(reinterpret_cast<BYTE*>(&bch) + sizeof(DWORD), sizeof(bch) - sizeof(DWORD)) !=
            sizeof(bch) - sizeof(DWORD))
            return FALSE;
        bih.biWidth = bch.bcWidth;
        bih.biHeight = bch.bcHeight;
        bih.biPlanes = bch.bcPlanes;
        bih.biBitCount = bch.bcBitCount;
        nPaletteEntryBytes = 3;
    } else if (bih.biSize >= sizeof(BITMAPINFOHEADER) && bih.biSize <= sizeof(BITMAPV5HEADER)) {
        if (file.Read(reinterpret_cast<BYTE*>(&bih) + sizeof(DWORD), sizeof(bih) - sizeof(DWORD)) !=
            sizeof(bih) - sizeof(DWORD))
            return FALSE;
    } else {
        return FALSE;
    }
    LONG nHeight = bih.biHeight < 0 ? -bih.biHeight : bih.biHeight;
    if (bih.biWidth <= 0 || bih.biWidth > kMaxSide || nHeight == 0 || nHeight > kMaxSide || bih.biPlanes != 1)
        return FALSE;
    WORD nBits = bih.biBitCount;
    if (nBits != 1 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24 && nBits != 32)
        return FALSE;
    DWORD nHeaderEnd = sizeof(bfh) + bih.biSize;
    if (bfh.bfOffBits < nHeaderEnd || bfh.bfOffBits > nLength)
        return FALSE;
    DWORD nAvailable = static_cast<DWORD>(nLength) - bfh.bfOffBits;
    if (bih.biCompression == BI_RLE8 || bih.biCompression == BI_RLE4)
        return bih.biHeight > 0 && bih.biSizeImage <= nAvailable;
    if (bih.biCompression != BI_RGB && bih.biCompression != BI_BITFIELDS)
        return FALSE;
    DWORD nStride = ((static_cast<DWORD>(bih.biWidth) * nBits + 31) / 32) * 4;
    if (static_cast<ULONGLONG>(nStride) * nHeight > nAvailable)
        return FALSE;
    if (nBits > 8)
        return TRUE;

    DWORD nColors = bih.biClrUsed != 0 ? bih.biClrUsed : (1u << nBits);
    if (nColors > (1u << nBits) || nHeaderEnd + nColors * nPaletteEntryBytes > bfh.bfOffBits)
        return FALSE;
    if (nColors == (1u << nBits))
        return TRUE;
    std::vector<BYTE> row(nStride);   // a palette row: at most 32 KB
    BYTE* pRow = row.data();
    BOOL bSound = TRUE;
    file.Seek(bfh.bfOffBits, CFile::begin);
    for (LONG y = 0; y < nHeight && bSound; ++y) {
        if (file.Read(pRow, nStride) != nStride)
            bSound = FALSE;
        for (LONG x = 0; x < bih.biWidth && bSound; ++x) {
            DWORD nBit = static_cast<DWORD>(x) * nBits;
            DWORD nIndex = (pRow[nBit / 8] >> (8 - nBits - nBit % 8)) & ((1u << nBits) - 1);
            bSound = nIndex < nColors;
        }
    }
    return bSound;
}

// Files that start like a BMP must pass IsSoundBitmapFile; others are the system's to judge.
BOOL IsRefusedBitmapFile(LPCWSTR lpszPath)
{
    try {
        CFile file;
        if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite))
            return FALSE;
        char type[2];
        if (file.Read(type, 2) != 2 || type[0] != 'B' || type[1] != 'M')
            return FALSE;
        file.SeekToBegin();
        return !IsSoundBitmapFile(file);
    } catch (CException* e) {
        e->Delete();
        return TRUE;
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The system's picture loader

HBITMAP ZpLoadOlePicture(LPCWSTR lpszPath, int cx, int cy, COLORREF clrBackground)
{
    IPicture* pPicture = NULL;
    if (FAILED(::OleLoadPicturePath(const_cast<LPOLESTR>(lpszPath), NULL, 0, 0, IID_IPicture,
                                    reinterpret_cast<void**>(&pPicture))) ||
        pPicture == NULL)
        return NULL;
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    pPicture->get_Width(&hmWidth);
    pPicture->get_Height(&hmHeight);
    CMemoryDC dc;
    if (cx <= 0 || cy <= 0) {
        cx = ::MulDiv(::GetDeviceCaps(dc, LOGPIXELSX), hmWidth, kHimetricPerInch);
        cy = ::MulDiv(::GetDeviceCaps(dc, LOGPIXELSY), hmHeight, kHimetricPerInch);
    }
    HBITMAP hBitmap = ZpCreateDibSection32(dc, cx, cy, NULL);
    if (hBitmap != NULL) {
        dc.Select(hBitmap);
        CBrush brush;
        brush.CreateSolidBrush(clrBackground);
        RECT rc = { 0, 0, cx, cy };
        ::FillRect(dc, &rc, static_cast<HBRUSH>(brush.GetSafeHandle()));
        pPicture->Render(dc, 0, 0, cx, cy, 0, hmHeight - 1, hmWidth, -hmHeight, NULL);
        dc.Restore();
    }
    pPicture->Release();
    return hBitmap;
}

// ---------------------------------------------------------------------------------------------
// 32-bpp utilities

HBITMAP ZpCreateDibSection32(HDC hDC, int cx, int cy, LPBYTE* ppBits)
{
    return ZpCreateDibSection32(hDC, cx, cy, ppBits, FALSE);
}

HBITMAP ZpCreateDibSection32(HDC hDC, int cx, int cy, LPBYTE* ppBits, BOOL bTopDown)
{
    if (ppBits != NULL)
        *ppBits = NULL;
    if (PixelBytes32(cx, cy) == 0)
        return NULL;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = bTopDown ? -cy : cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hBitmap != NULL && pBits == NULL) {
        ::DeleteObject(hBitmap);
        hBitmap = NULL;
    }
    if (ppBits != NULL)
        *ppBits = static_cast<LPBYTE>(pBits);
    return hBitmap;
}

BOOL ZpGetBitmapBits32(HDC hDC, HBITMAP hBitmap, PBITMAPINFO* ppInfo, LPBYTE* ppBits, UINT* pnSize)
{
    BITMAP bm = {};
    if (hBitmap == NULL || ::GetObjectW(hBitmap, sizeof(bm), &bm) == 0 || bm.bmBitsPixel != 32)
        return FALSE;
    int cy = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    DWORD nSize = PixelBytes32(bm.bmWidth, cy);
    if (nSize == 0)
        return FALSE;
    PBITMAPINFO pInfo = static_cast<PBITMAPINFO>(calloc(1, sizeof(BITMAPINFO)));
    LPBYTE pBits = static_cast<LPBYTE>(malloc(nSize));
    if (pInfo != NULL && pBits != NULL) {
        pInfo->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        pInfo->bmiHeader.biWidth = bm.bmWidth;
        pInfo->bmiHeader.biHeight = cy;
        pInfo->bmiHeader.biPlanes = 1;
        pInfo->bmiHeader.biBitCount = 32;
        pInfo->bmiHeader.biCompression = BI_RGB;
        pInfo->bmiHeader.biSizeImage = nSize;
        HDC hScreenDC = hDC != NULL ? hDC : ::GetDC(NULL);
        BOOL bRead = ::GetDIBits(hScreenDC, hBitmap, 0, cy, pBits, pInfo, DIB_RGB_COLORS) == cy;
        if (hDC == NULL)
            ::ReleaseDC(NULL, hScreenDC);
        if (bRead) {
            *ppInfo = pInfo;
            *ppBits = pBits;
            if (pnSize != NULL)
                *pnSize = nSize;
            return TRUE;
        }
    }
    free(pInfo);
    free(pBits);
    return FALSE;
}

HBITMAP ZpCopyAlphaBitmap(HBITMAP hBitmap, LPBYTE* ppBits)
{
    PBITMAPINFO pInfo = NULL;
    LPBYTE pSource = NULL;
    UINT nSize = 0;
    if (!ZpGetBitmapBits32(NULL, hBitmap, &pInfo, &pSource, &nSize))
        return NULL;
    LPBYTE pBits = NULL;
    HBITMAP hCopy = ZpCreateDibSection32(NULL, pInfo->bmiHeader.biWidth, pInfo->bmiHeader.biHeight, &pBits);
    if (hCopy != NULL)
        memcpy(pBits, pSource, nSize);
    free(pInfo);
    free(pSource);
    if (ppBits != NULL)
        *ppBits = hCopy != NULL ? pBits : NULL;
    return hCopy;
}

HBITMAP ZpPremultiplyAlphaBitmap(HBITMAP hBitmap, int* pnFlag, LPBYTE* ppBits)
{
    PBITMAPINFO pInfo = NULL;
    LPBYTE pSource = NULL;
    UINT nSize = 0;
    if (!ZpGetBitmapBits32(NULL, hBitmap, &pInfo, &pSource, &nSize))
        return NULL;
    LPBYTE pBits = NULL;
    HBITMAP hCopy = ZpCreateDibSection32(NULL, pInfo->bmiHeader.biWidth, pInfo->bmiHeader.biHeight, &pBits);
    if (hCopy != NULL) {
        BOOL bTransparentSeen = FALSE;
        for (UINT i = 0; i < nSize; i += 4) {
            BYTE a = pSource[i + 3];
            for (int c = 0; c < 3; ++c)
                pBits[i + c] = static_cast<BYTE>(pSource[i + c] * a / 255);
            pBits[i + 3] = a;
            if (pnFlag == NULL)
                continue;
            if (a == 0)
                bTransparentSeen = TRUE;
            else if (a < 255 || bTransparentSeen || *pnFlag == -1)
                *pnFlag = 1;
        }
        if (pnFlag != NULL && *pnFlag == 0)
            memcpy(pBits, pSource, nSize);
    }
    free(pInfo);
    free(pSource);
    if (ppBits != NULL)
        *ppBits = hCopy != NULL ? pBits : NULL;
    return hCopy;
}

HBITMAP ZpMirrorBitmap(HBITMAP hBitmap)
{
    PBITMAPINFO pInfo = NULL;
    LPBYTE pSource = NULL;
    UINT nSize = 0;
    if (!ZpGetBitmapBits32(NULL, hBitmap, &pInfo, &pSource, &nSize))
        return NULL;
    int cx = pInfo->bmiHeader.biWidth, cy = pInfo->bmiHeader.biHeight;
    LPBYTE pBits = NULL;
    HBITMAP hMirror = ZpCreateDibSection32(NULL, cx, cy, &pBits);
    if (hMirror != NULL) {
        const DWORD* pFrom = reinterpret_cast<const DWORD*>(pSource);
        DWORD* pTo = reinterpret_cast<DWORD*>(pBits);
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx; ++x)
                pTo[y * cx + x] = pFrom[y * cx + cx - 1 - x];
    }
    free(pInfo);
    free(pSource);
    return hMirror;
}

CSize ZpGetIconSize(HICON hIcon)
{
    ICONINFO ii = {};
    if (hIcon == NULL || !::GetIconInfo(hIcon, &ii))
        return CSize(0, 0);
    BITMAP bm = {};
    ::GetObjectW(ii.hbmMask, sizeof(bm), &bm);
    CSize size(bm.bmWidth, ii.hbmColor != NULL ? bm.bmHeight : bm.bmHeight / 2);
    if (ii.hbmColor != NULL)
        ::DeleteObject(ii.hbmColor);
    if (ii.hbmMask != NULL)
        ::DeleteObject(ii.hbmMask);
    return size;
}

HICON ZpScaleIcon(HICON hIcon, int cxOld, int cyOld, int cxNew)
{
    if (cxNew == 0 || (cxOld == 0 && cyOld == 0))
        return NULL;
    if (cxNew == cxOld)
        return ::CopyIcon(hIcon);
    if (cxOld == 0)
        return NULL;
    int cyNew = ::MulDiv(cyOld, cxNew, cxOld);
    HIMAGELIST hImageList = ImageList_Create(cxNew, cyNew, ILC_COLOR32 | ILC_MASK, 1, 1);
    if (hImageList == NULL)
        return NULL;
    ImageList_ReplaceIcon(hImageList, -1, hIcon);
    HICON hScaled = ImageList_GetIcon(hImageList, 0, 0);
    ImageList_Destroy(hImageList);
    return hScaled;
}

COLORREF ZpGetBitmapPixel(CBitmap* pBitmap, int x, int y)
{
    CMemoryDC dc(NULL, static_cast<HBITMAP>(pBitmap->m_hObject));
    return ::GetPixel(dc, x, y);
}

const WORD* ZpToolBarResourceItems(const void* pData)
{
    return static_cast<const WORD*>(pData) + 4;
}

// ---------------------------------------------------------------------------------------------
// Sniffers and readers

BOOL ZpIsPngFile(LPCWSTR lpszPath)
{
    BYTE signature[4];
    return ReadFileHead(lpszPath, signature, sizeof(signature)) && memcmp(signature, kPngSignature, 4) == 0;
}

BOOL ZpIsAlphaBitmapFile(LPCWSTR lpszPath)
{
    BYTE head[sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)];
    if (!ReadFileHead(lpszPath, head, sizeof(head)))
        return FALSE;
    BITMAPINFOHEADER bih;
    memcpy(&bih, head + sizeof(BITMAPFILEHEADER), sizeof(bih));
    return bih.biBitCount == 32;
}

BOOL ZpIsPngResource(HMODULE hModule, LPCWSTR lpszName)
{
    DWORD nSize = 0;
    const BYTE* pData = ResourceBytes(hModule, lpszName, L"PNG", &nSize);
    return pData != NULL && nSize >= sizeof(kPngSignature) && memcmp(pData, kPngSignature, 4) == 0;
}

BOOL ZpIsAlphaBitmapResource(HMODULE hModule, LPCWSTR lpszName)
{
    DWORD nSize = 0;
    const BYTE* pData = ResourceBytes(hModule, lpszName, RT_BITMAP, &nSize);
    if (pData == NULL || nSize < sizeof(BITMAPINFOHEADER))
        return FALSE;
    BITMAPINFOHEADER bih;
    memcpy(&bih, pData, sizeof(bih));
    return bih.biBitCount == 32;
}

HBITMAP ZpLoadAlphaBitmapFromResource(HMODULE hModule, LPCWSTR lpszName)
{
    DWORD nSize = 0;
    const BYTE* pData = ResourceBytes(hModule, lpszName, RT_BITMAP, &nSize);
    return pData != NULL ? DibFromPackedPixels(pData, nSize, FALSE) : NULL;
}

HBITMAP ZpLoadAlphaBitmapResource(UINT nIDResource)
{
    return ZpLoadAlphaBitmapFromResource(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource));
}

HBITMAP ZpLoadBitmapResource(HMODULE hModule, LPCWSTR lpszName, BOOL* pbAlpha)
{
    if (ZpIsPngResource(hModule, lpszName)) {
        CZPGraphicBitmapPng png;
        if (!png.LoadFromResource(hModule, ::FindResourceW(hModule, lpszName, L"PNG")))
            return NULL;
        if (pbAlpha != NULL)
            *pbAlpha = png.HasAlpha();
        return static_cast<HBITMAP>(png.Detach());
    }
    BOOL bAlpha = ZpIsAlphaBitmapResource(hModule, lpszName);
    if (pbAlpha != NULL)
        *pbAlpha = bAlpha;
    if (bAlpha)
        return ZpLoadAlphaBitmapFromResource(hModule, lpszName);
    return static_cast<HBITMAP>(::LoadImageW(hModule, lpszName, IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE));
}

HBITMAP ZpLoadAppBitmapResource(LPCWSTR lpszName, BOOL* pbAlpha)
{
    return ZpLoadBitmapResource(AfxGetResourceHandle(), lpszName, pbAlpha);
}

HBITMAP ZpLoadAlphaIconFromFile(LPCWSTR lpszPath, int nWidth)
{
    try {
        CFile file;
        if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite))
            return NULL;
        ULONGLONG nLength = file.GetLength();
        ICONFILEDIR dir;
        if (nLength > 0x7FFFFFFF || file.Read(&dir, sizeof(dir)) != sizeof(dir) || dir.idType != 1 ||
            dir.idCount == 0 || sizeof(dir) + static_cast<ULONGLONG>(dir.idCount) * sizeof(ICONFILEDIRENTRY) > nLength)
            return NULL;
        CArray<ICONFILEDIRENTRY, const ICONFILEDIRENTRY&> entries;
        entries.SetSize(dir.idCount);
        if (file.Read(entries.GetData(), dir.idCount * sizeof(ICONFILEDIRENTRY)) !=
            dir.idCount * sizeof(ICONFILEDIRENTRY))
            return NULL;
        for (INT_PTR i = 0; i < entries.GetSize(); ++i) {
            const ICONFILEDIRENTRY& entry = entries[i];
            int nEntryWidth = entry.bWidth != 0 ? entry.bWidth : 256;
            if (entry.wBitCount != 32 || (nWidth != 0 && nEntryWidth != nWidth) ||
                entry.dwBytesInRes < sizeof(BITMAPINFOHEADER) || entry.dwImageOffset > nLength ||
                entry.dwBytesInRes > nLength - entry.dwImageOffset)
                continue;
            // Freed also when Seek or Read throw.
            std::unique_ptr<BYTE[]> data(new (std::nothrow) BYTE[entry.dwBytesInRes]);
            if (!data)
                continue;
            HBITMAP hBitmap = NULL;
            file.Seek(entry.dwImageOffset, CFile::begin);
            if (file.Read(data.get(), entry.dwBytesInRes) == entry.dwBytesInRes)
                hBitmap = DibFromPackedPixels(data.get(), entry.dwBytesInRes, TRUE);
            if (hBitmap != NULL)
                return hBitmap;
        }
    } catch (CException* e) {
        e->Delete();
    }
    return NULL;
}

HBITMAP ZpLoadBitmapFile(LPCWSTR lpszPath, BOOL* pbAlpha)
{
    if (ZpIsPngFile(lpszPath)) {
        CZPGraphicBitmapPng png;
        if (!png.LoadFromPath(lpszPath))
            return NULL;
        if (pbAlpha != NULL)
            *pbAlpha = png.HasAlpha();
        return static_cast<HBITMAP>(png.Detach());
    }
    if (IsRefusedBitmapFile(lpszPath))
        return NULL;
    BOOL bAlpha = ZpIsAlphaBitmapFile(lpszPath);
    HBITMAP hBitmap = static_cast<HBITMAP>(::LoadImageW(NULL, lpszPath, IMAGE_BITMAP, 0, 0,
        LR_LOADFROMFILE | LR_DEFAULTSIZE | (bAlpha ? LR_CREATEDIBSECTION : 0)));
    if (hBitmap != NULL) {
        if (pbAlpha != NULL)
            *pbAlpha = bAlpha;
        return hBitmap;
    }
    return ZpLoadOlePicture(lpszPath, 0, 0, ::GetSysColor(COLOR_BTNFACE));
}

BOOL CZPImageManagerStateImage::LoadIconResource(HMODULE hModule, LPCWSTR lpszName, int cx, int cy)
{
    Clear();
    DWORD nSize = 0;
    const BYTE* pData = ResourceBytes(hModule, lpszName, RT_ICON, &nSize);
    if (pData == NULL)
        return FALSE;
    BITMAPINFOHEADER bih = {};
    if (nSize >= sizeof(bih))
        memcpy(&bih, pData, sizeof(bih));
    if (bih.biSize == sizeof(bih) && bih.biBitCount == 32) {
        HBITMAP hBitmap = DibFromPackedPixels(pData, nSize, TRUE);
        if (hBitmap != NULL)
            TakeBitmap(hBitmap);
    } else {
        HICON hIcon = ::CreateIconFromResourceEx(const_cast<PBYTE>(pData), nSize, TRUE, 0x30000, cx, cy, 0);
        if (hIcon != NULL)
            SetIcon(hIcon);
    }
    return !IsEmpty();
}

// ---------------------------------------------------------------------------------------------
// Loaders of the manager

BOOL CZPImageManager::SplitAlphaStrip(HBITMAP hStrip, int nPieces, HBITMAP* phPieces)
{
    PBITMAPINFO pInfo = NULL;
    LPBYTE pBits = NULL;
    if (nPieces <= 0 || !ZpGetBitmapBits32(NULL, hStrip, &pInfo, &pBits, NULL))
        return FALSE;
    int cxStrip = pInfo->bmiHeader.biWidth, cy = pInfo->bmiHeader.biHeight;
    int cx = cxStrip / nPieces;
    BOOL bResult = cx > 0;
    for (int i = 0; i < nPieces; ++i)
        phPieces[i] = NULL;
    for (int i = 0; i < nPieces && bResult; ++i) {
        LPBYTE pPiece = NULL;
        phPieces[i] = ZpCreateDibSection32(NULL, cx, cy, &pPiece);
        bResult = phPieces[i] != NULL;
        for (int y = 0; y < cy && bResult; ++y)
            memcpy(pPiece + static_cast<size_t>(y) * cx * 4,
                   pBits + (static_cast<size_t>(y) * cxStrip + static_cast<size_t>(i) * cx) * 4,
                   static_cast<size_t>(cx) * 4);
    }
    if (!bResult) {
        for (int i = 0; i < nPieces; ++i) {
            if (phPieces[i] != NULL)
                ::DeleteObject(phPieces[i]);
            phPieces[i] = NULL;
        }
    }
    free(pInfo);
    free(pBits);
    return bResult;
}

BOOL CZPImageManager::SetIcons(CBitmap* pBitmap, const UINT* pCommands, int nCount, int cx, int cy, int nState,
                               BOOL bAlpha)
{
    BITMAP bm = {};
    if (pBitmap == NULL || pBitmap->m_hObject == NULL || pBitmap->GetBitmap(&bm) == 0)
        return FALSE;
    if (cx == 0 && cy == 0 && nCount > 0) {
        cx = bm.bmWidth / nCount;
        cy = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    }
    if (nCount == 0 && cx > 0)
        nCount = bm.bmWidth / cx;
    if (cx <= 0 || nCount < 0)
        return FALSE;

    if (!bAlpha) {
        COLORREF clrMask = m_clrMask != static_cast<COLORREF>(-1) ? m_clrMask : ZpGetBitmapPixel(pBitmap, 0, 0);
        BOOL bStored = FALSE;
        if (SetKeyedIcons(static_cast<HBITMAP>(pBitmap->m_hObject), pCommands, nCount, cx, cy, nState, clrMask,
                          &bStored))
            return bStored;
        HIMAGELIST hImageList = ImageList_Create(cx, cy, ILC_COLOR24 | ILC_MASK, 0, 1);
        if (hImageList == NULL)
            return FALSE;
        ImageList_AddMasked(hImageList, static_cast<HBITMAP>(pBitmap->m_hObject), clrMask);
        BOOL bResult = SetIconsFromImageList(hImageList, pCommands, nCount, cx, cy, nState);
        ImageList_Destroy(hImageList);
        return bResult;
    }

    int nPieces = bm.bmWidth / cx;
    if (bm.bmWidth % cx != 0 || nPieces <= 0)
        return FALSE;
    // The strip's pixels are read once; each piece goes from them into its slot.
    PBITMAPINFO pInfo = NULL;
    LPBYTE pBits = NULL;
    if (!ZpGetBitmapBits32(NULL, static_cast<HBITMAP>(pBitmap->m_hObject), &pInfo, &pBits, NULL))
        return FALSE;
    const int cyStrip = pInfo->bmiHeader.biHeight;
    free(pInfo);
    const DWORD* pPixels = reinterpret_cast<const DWORD*>(pBits);
    int i = 0;
    BOOL bStored = FALSE;   // a loader that stored nothing has failed
    for (int j = 0; j < nCount && i < nPieces; ++j) {
        if (pCommands != NULL && nCount != nPieces && pCommands[j] == 0)
            continue;
        CZPImageManagerStateImage temporary;
        temporary.AttachAlphaPixels(pPixels + static_cast<size_t>(i) * cx, bm.bmWidth, cx, cyStrip);
        if (SetIcon(&temporary, pCommands != NULL ? pCommands[j] : static_cast<UINT>(j), cx, cy, nState))
            bStored = TRUE;
        ++i;
    }
    free(pBits);
    return bStored;
}

BOOL CZPImageManager::SetKeyedIcons(HBITMAP hStrip, const UINT* pCommands, int nCount, int cx, int cy, int nState,
                                    COLORREF clrKey, BOOL* pbStored)
{
    // Only a strip exactly one picture high (other heights keep the image list's cropping) and
    // a real key colour.
    BITMAP bm = {};
    if (clrKey == CLR_NONE || ::GetObjectW(hStrip, sizeof(bm), &bm) == 0 || cx <= 0 || cy <= 0 ||
        (bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight) != cy)
        return FALSE;
    const int nImages = bm.bmWidth / cx;
    if (nImages <= 0)
        return FALSE;
    BITMAPINFO info = {};
    info.bmiHeader = { sizeof(BITMAPINFOHEADER), bm.bmWidth, cy, 1, 32, BI_RGB };
    std::vector<DWORD> pixels(static_cast<size_t>(bm.bmWidth) * cy);
    HDC hScreenDC = ::GetDC(NULL);
    const int nRows = ::GetDIBits(hScreenDC, hStrip, 0, cy, pixels.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, hScreenDC);
    if (nRows != cy)
        return FALSE;

    // The same walk as the image list's: a command list longer or shorter than the strip skips
    // its separators (0); running past the strip ends the load.
    if (nCount == 0 && pCommands == NULL)
        nCount = nImages;
    const BOOL bExact = nCount == nImages;
    *pbStored = FALSE;
    int i = 0;
    for (int j = 0; j < nCount; ++j) {
        if (pCommands != NULL && !bExact && pCommands[j] == 0)
            continue;
        if (i >= nImages) {
            *pbStored = FALSE;
            return TRUE;
        }
        CZPImageManagerStateImage temporary;
        temporary.AttachKeyedPixels(pixels.data() + static_cast<size_t>(i) * cx, bm.bmWidth, cx, cy, clrKey);
        if (SetIcon(&temporary, pCommands != NULL ? pCommands[j] : static_cast<UINT>(j), cx, cy, nState))
            *pbStored = TRUE;
        ++i;
    }
    return TRUE;
}

BOOL CZPImageManager::SetIconsFromImageList(HIMAGELIST hImageList, const UINT* pCommands, int nCount, int cx, int cy,
                                            int nState)
{
    if (hImageList == NULL)
        return FALSE;
    int nImages = ImageList_GetImageCount(hImageList);
    if (nCount == 0 && pCommands == NULL)
        nCount = nImages;
    if (cx == 0 && cy == 0 && nCount > 0) {
        IMAGEINFO info = {};
        if (ImageList_GetImageInfo(hImageList, 0, &info)) {
            cx = info.rcImage.right - info.rcImage.left;
            cy = info.rcImage.bottom - info.rcImage.top;
        }
    }
    BOOL bExact = nCount == nImages;
    int i = 0;
    BOOL bStored = FALSE;
    for (int j = 0; j < nCount; ++j) {
        if (pCommands != NULL && !bExact && pCommands[j] == 0)
            continue;
        HICON hIcon = ImageList_GetIcon(hImageList, i, 0);
        if (hIcon == NULL)
            return FALSE;
        CZPImageManagerStateImage temporary;
        temporary.AttachIcon(hIcon);
        if (SetIcon(&temporary, pCommands != NULL ? pCommands[j] : static_cast<UINT>(j), cx, cy, nState))
            bStored = TRUE;
        temporary.Clear();
        ::DestroyIcon(hIcon);
        ++i;
    }
    return bStored;
}

BOOL CZPImageManager::ReadToolBarResource(UINT nIDToolBar, UINT** ppCommands, int* pnCount, CSize* pszButton)
{
    *ppCommands = NULL;
    *pnCount = 0;
    if (nIDToolBar == 0)
        return FALSE;
    DWORD nSize = 0;
    const BYTE* pData = ResourceBytes(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDToolBar),
                                      MAKEINTRESOURCEW(kToolBarResourceType), &nSize);
    if (pData == NULL || nSize < 4 * sizeof(WORD))
        return FALSE;
    WORD header[4];
    memcpy(header, pData, sizeof(header));
    if (sizeof(header) + static_cast<DWORD>(header[3]) * sizeof(WORD) > nSize)
        return FALSE;
    UINT* pCommands = new UINT[header[3] + 1];
    int nCount = 0;
    const BYTE* pItems = reinterpret_cast<const BYTE*>(ZpToolBarResourceItems(pData));
    for (WORD i = 0; i < header[3]; ++i) {
        WORD nID;
        memcpy(&nID, pItems + i * sizeof(WORD), sizeof(WORD));
        if (nID != 0)
            pCommands[nCount++] = nID;
    }
    *ppCommands = pCommands;
    *pnCount = nCount;
    if (pszButton != NULL)
        *pszButton = CSize(header[1], header[2]);
    return TRUE;
}

BOOL CZPImageManager::SetIconsFromToolBar(UINT nIDToolBar, UINT nIDBitmap, int nState)
{
    UINT* pCommands = NULL;
    int nCount = 0;
    if (!ReadToolBarResource(nIDToolBar, &pCommands, &nCount, NULL))
        return FALSE;
    BOOL bResult = SetIconsFromBitmapResource(MAKEINTRESOURCEW(nIDBitmap), pCommands, nCount, 0, 0, nState);
    delete[] pCommands;
    return bResult;
}

BOOL CZPImageManager::SetIconsFromBitmapResource(LPCWSTR lpszResource, const UINT* pCommands, int nCount, int cx,
                                                 int cy, int nState)
{
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = ZpLoadAppBitmapResource(lpszResource, &bAlpha);
    if (hBitmap == NULL)
        return FALSE;
    CBitmap bitmap;
    bitmap.Attach(hBitmap);
    return SetIcons(&bitmap, pCommands, nCount, cx, cy, nState, bAlpha);
}

BOOL CZPImageManager::SetIconFromResource(LPCWSTR lpszName, UINT nCommand, int cx, int cy, int nState)
{
    HMODULE hModule = AfxGetResourceHandle();
    if (::FindResourceW(hModule, lpszName, RT_GROUP_ICON) != NULL)
        return SetIconFromIconResource(hModule, lpszName, nCommand, cx, cy, nState);
    CZPImageManagerStateImage temporary;
    return temporary.LoadIconResource(hModule, lpszName, cx, cy) && SetIcon(&temporary, nCommand, cx, cy, nState);
}

BOOL CZPImageManager::SetIconFromIconResource(HMODULE hModule, LPCWSTR lpszName, UINT nCommand, int cx, int cy,
                                              int nState)
{
    DWORD nSize = 0;
    const BYTE* pData = ResourceBytes(hModule, lpszName, RT_GROUP_ICON, &nSize);
    if (pData == NULL) {
        CZPImageManagerStateImage temporary;
        return temporary.LoadIconResource(hModule, lpszName, cx, cy) && SetIcon(&temporary, nCommand, cx, cy, nState);
    }
    WORD header[3];
    if (nSize < sizeof(header))
        return FALSE;
    memcpy(header, pData, sizeof(header));
    if (sizeof(header) + static_cast<DWORD>(header[2]) * sizeof(GRPICONDIRENTRY) > nSize)
        return FALSE;
    BOOL bStored = FALSE;   // no entry of the asked size stores nothing
    for (WORD i = 0; i < header[2]; ++i) {
        GRPICONDIRENTRY entry;
        memcpy(&entry, pData + sizeof(header) + i * sizeof(entry), sizeof(entry));
        int cxEntry = entry.bWidth != 0 ? entry.bWidth : 256;
        int cyEntry = entry.bHeight != 0 ? entry.bHeight : 256;
        if (!(cx == 0 && cy == 0) && !(cxEntry == cx && cyEntry == cy))
            continue;
        CZPImageManagerStateImage temporary;
        if (!temporary.LoadIconResource(hModule, MAKEINTRESOURCEW(entry.nID), cxEntry, cyEntry) ||
            !SetIcon(&temporary, nCommand, cxEntry, cyEntry, nState))
            return FALSE;
        bStored = TRUE;
    }
    return bStored;
}
