// Office 2007 image store: INI lookups, the image cache and nine-grid drawing through one
// shared work bitmap.
#include "common/ZPOffice2007Images.h"

#include "common/ZPDrawHelpers.h"
#include "common/ZPEventConnection.h"
#include "common/ZPImageLoading.h"
#include "common/ZPImageManager.h"

#include <algorithm>
#include <new>
#include <stdio.h>
#include <string.h>

namespace
{

const LPCWSTR kTextResourceType = L"TEXTFILE";
const LPCWSTR kDefaultIniName = L"OFFICE2007BLUE_INI";
const LPCWSTR kImagesSection = L"IMAGES";
const UINT kCacheHashSize = 199;
const DWORD kAlphaFlag = 0x1;   // DrawSlicedToAlpha: through an alpha buffer

inline DWORD PixelOfColor(COLORREF clr)
{
    return static_cast<DWORD>(GetBValue(clr)) | (static_cast<DWORD>(GetGValue(clr)) << 8) |
           (static_cast<DWORD>(GetRValue(clr)) << 16);
}

void ReplaceChars(CString& str, LPCWSTR lpszFrom, WCHAR chTo)
{
    for (int i = 0; i < str.GetLength(); i++)
    {
        if (wcschr(lpszFrom, str[i]) != NULL)
            str.SetAt(i, chTo);
    }
}

// A line of 8-bit text as wide characters, cut at an embedded NUL.
CString WideLine(const BYTE* p, int nLength)
{
    CString strLine;
    if (nLength <= 0)
        return strLine;
    LPWSTR pBuffer = strLine.GetBufferSetLength(nLength);
    int nWide = ::MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<LPCSTR>(p), nLength, pBuffer, nLength);
    pBuffer[nWide > 0 ? nWide : 0] = L'\0';
    strLine.ReleaseBuffer(-1);
    return strLine;
}

BOOL CALLBACK EnumFirstTextResource(HMODULE hModule, LPCWSTR lpszType, LPWSTR lpszName, LONG_PTR lParam)
{
    *reinterpret_cast<HRSRC*>(lParam) = ::FindResourceW(hModule, lpszName, lpszType);
    return FALSE;   // the first one is enough
}

// Copies rows [nTop, nBottom) of a bottom-up image into the top rows of the bottom-up work bitmap.
void CopyRowsToWork(const DWORD* pPixels, int cx, int cy, int nTop, int nBottom, LPBYTE pWork, int nWorkSize)
{
    DWORD* pWorkPixels = reinterpret_cast<DWORD*>(pWork);
    for (int y = nTop; y < nBottom; y++)
    {
        const DWORD* pSrc = pPixels + static_cast<size_t>(cy - 1 - y) * cx;
        DWORD* pDst = pWorkPixels + static_cast<size_t>(nWorkSize - 1 - (y - nTop)) * nWorkSize;
        memcpy(pDst, pSrc, static_cast<size_t>(cx) * sizeof(DWORD));
    }
}

} // namespace

// ---- CZPOffice2007Image ----------------------------------------------------------------------

CZPOffice2007Image::CZPOffice2007Image(CZPOffice2007Images* pOwner)
    : m_bMirrorInRTL(FALSE), m_bAlpha(FALSE), m_bMirrored(FALSE), m_nWidth(0), m_nHeight(0), m_pOwner(pOwner)
{
}

CZPOffice2007Image::~CZPOffice2007Image() = default;

BOOL CZPOffice2007Image::LoadFromResource(HMODULE hModule, LPCWSTR lpszName)
{
    m_bAlpha = FALSE;
    m_bMirrored = FALSE;
    m_arrPixels.clear();
    m_nWidth = m_nHeight = 0;
    if (hModule == NULL || lpszName == NULL)
        return FALSE;
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = ZpLoadBitmapResource(hModule, lpszName, &bAlpha);
    if (hBitmap == NULL)
        return FALSE;
    SetBitmap(hBitmap, bAlpha);
    return !m_arrPixels.empty();
}

void CZPOffice2007Image::SetBitmap(HBITMAP hBitmap, BOOL bAlpha)
{
    m_bAlpha = bAlpha;
    m_bMirrored = FALSE;
    m_arrPixels.clear();
    m_nWidth = m_nHeight = 0;
    if (hBitmap == NULL)
        return;
    BITMAP bm = {};
    if (::GetObjectW(hBitmap, sizeof(bm), &bm) != 0)
    {
        m_nWidth = bm.bmWidth;
        m_nHeight = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
        if (!CopyPixelsFrom(hBitmap))
        {
            m_arrPixels.clear();
            m_nWidth = m_nHeight = 0;
        }
    }
    ::DeleteObject(hBitmap);
}

BOOL CZPOffice2007Image::CopyPixelsFrom(HBITMAP hBitmap)
{
    if (m_nWidth <= 0 || m_nHeight <= 0)
        return FALSE;
    try
    {
        m_arrPixels.assign(static_cast<size_t>(m_nWidth) * m_nHeight, 0);
    }
    catch (const std::bad_alloc&)
    {
        return FALSE;
    }

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = m_nWidth;
    bmi.bmiHeader.biHeight = m_nHeight;   // bottom-up
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;

    if (m_bAlpha)
    {
        BITMAP bm = {};
        if (::GetObjectW(hBitmap, sizeof(bm), &bm) == 0 || bm.bmBitsPixel != 32)
            return FALSE;
        HDC hDC = ::GetDC(NULL);
        int nRows = ::GetDIBits(hDC, hBitmap, 0, static_cast<UINT>(m_nHeight), m_arrPixels.data(), &bmi,
                                DIB_RGB_COLORS);
        ::ReleaseDC(NULL, hDC);
        if (nRows != m_nHeight)
            return FALSE;
        // Loaded bitmaps carry straight colour; the blend wants it premultiplied.
        for (DWORD& dw : m_arrPixels)
        {
            DWORD a = dw >> 24;
            DWORD b = (dw & 0xFF) * a / 255, g = ((dw >> 8) & 0xFF) * a / 255, r = ((dw >> 16) & 0xFF) * a / 255;
            dw = (a << 24) | (r << 16) | (g << 8) | b;
        }
        return TRUE;
    }

    LPBYTE pBits = NULL;
    CBitmap bmCopy;
    bmCopy.Attach(ZpCreateDibSection32(NULL, m_nWidth, m_nHeight, &pBits));
    if (bmCopy.m_hObject == NULL || pBits == NULL)
        return FALSE;
    CDC dc;
    if (!dc.CreateCompatibleDC(NULL))
        return FALSE;
    HGDIOBJ hOld = dc.SelectObject(bmCopy.m_hObject);
    ::DrawStateW(dc.m_hDC, NULL, NULL, reinterpret_cast<LPARAM>(hBitmap), 0, 0, 0, m_nWidth, m_nHeight, DST_BITMAP);
    ::GdiFlush();
    dc.SelectObject(hOld);
    // Without alpha the fourth byte means nothing; cleared, a pixel compares as its colour.
    const DWORD* pSource = reinterpret_cast<const DWORD*>(pBits);
    for (size_t i = 0; i < m_arrPixels.size(); i++)
        m_arrPixels[i] = pSource[i] & 0x00FFFFFF;
    return TRUE;
}

CRect CZPOffice2007Image::GetPartRect(int nState, int nCount) const
{
    if (m_arrPixels.empty() || nCount <= 0)
        return CRect(0, 0, 0, 0);
    int cy = m_nHeight / nCount;
    return CRect(0, nState * cy, m_nWidth, nState * cy + cy);
}

void CZPOffice2007Image::MirrorPixels()
{
    if (!m_bAlpha || m_arrPixels.empty())
        return;
    for (int y = 0; y < m_nHeight; y++)
    {
        DWORD* pRow = m_arrPixels.data() + static_cast<size_t>(y) * m_nWidth;
        std::reverse(pRow, pRow + m_nWidth);
    }
    m_bMirrored = !m_bMirrored;
}

void CZPOffice2007Image::ScaleMargins(int nDest, int nSrc, int nFirst, int nLast, BOOL bParity, int* pnFirst,
                                      int* pnLast)
{
    int nSum = nFirst + nLast;
    *pnFirst = nFirst;
    *pnLast = nLast;
    // Without margins there is nothing to scale (and nothing to divide by).
    if (nSum <= 0 || (nDest > nSum && nSrc != nSum))
        return;
    if (bParity)
    {
        *pnFirst = ::MulDiv(nDest, nFirst, nSum);
        *pnLast = nDest - *pnFirst;
        if (*pnLast > 0 && (*pnLast & 1) != (nLast & 1))
            ++*pnLast;
    }
    else
    {
        *pnFirst = nDest * nFirst / nSum;
        *pnLast = nDest - *pnFirst;
    }
}

void CZPOffice2007Image::DrawPiece(CDC* pDC, CDC* pSrcDC, const CRect& rcDest, const CRect& rcSrc)
{
    if (rcDest.IsRectEmpty() || rcSrc.IsRectEmpty())
        return;
    if (m_bAlpha)
        ZpImageManagerInstance()->AlphaBlendBlit(pDC, rcDest, pSrcDC, rcSrc);
    else if (rcDest.Width() == rcSrc.Width() && rcDest.Height() == rcSrc.Height())
        pDC->BitBlt(rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), pSrcDC, rcSrc.left, rcSrc.top, SRCCOPY);
    else
        pDC->StretchBlt(rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), pSrcDC, rcSrc.left, rcSrc.top,
                        rcSrc.Width(), rcSrc.Height(), SRCCOPY);
}

void CZPOffice2007Image::DrawSliced(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcSizingMargins)
{
    if (m_arrPixels.empty() || pDC == NULL)
        return;
    // A source outside the image (a part index beyond the count) is cut to the pixels there are.
    CRect rcSource;
    rcSource.IntersectRect(rcSrc, CRect(0, 0, m_nWidth, m_nHeight));
    if (rcSource.Height() < rcSizingMargins.top + rcSizingMargins.bottom || rcDest.IsRectEmpty())
        return;

    CZPSyncSectionLock lock(&m_pOwner->m_lock);
    int nLeft = rcSizingMargins.left, nTop = rcSizingMargins.top;
    int nRight = rcSizingMargins.right, nBottom = rcSizingMargins.bottom;
    if (rcDest.Width() == rcSource.Width())
        nLeft = nRight = 0;
    if (rcDest.Height() == rcSource.Height())
        nTop = nBottom = 0;
    int nOldStretchMode = pDC->SetStretchBltMode(COLORONCOLOR);

    BOOL bMirroredDC = ZpDCIsMirrored(pDC);
    if (m_bAlpha && m_bMirrorInRTL && bMirroredDC != m_bMirrored)
        MirrorPixels();

    const int kWork = CZPOffice2007Images::kWorkSize;
    if (m_nWidth > kWork || m_nHeight > kWork || m_pOwner->m_pWorkBits == NULL)
    {
        pDC->SetStretchBltMode(nOldStretchMode);
        return;
    }
    CopyRowsToWork(m_arrPixels.data(), m_nWidth, m_nHeight, rcSource.top, rcSource.bottom, m_pOwner->m_pWorkBits,
                   kWork);
    ::GdiFlush();
    CRect rcWork(rcSource.left, 0, rcSource.right, rcSource.Height());
    CZPOffice2007Images::CBitmapDC& dcWork = m_pOwner->m_dcWork;
    dcWork.SelectBitmap(m_pOwner->m_hbmWork);

    int dt = 0, db = 0, dl = 0, dr = 0;
    ScaleMargins(rcDest.Height(), rcWork.Height(), nTop, nBottom, TRUE, &dt, &db);
    ScaleMargins(rcDest.Width(), rcWork.Width(), nLeft, nRight, FALSE, &dl, &dr);

    if (nLeft == 0 && nTop == 0 && nRight == 0 && nBottom == 0)
    {
        DrawPiece(pDC, &dcWork, rcDest, rcWork);
    }
    else
    {
        // Destination column edges; in a mirrored DC an alpha image's left source column ends at
        // the destination's right edge and its right column starts at the left edge.
        BOOL bSwap = bMirroredDC && m_bAlpha;
        int xd[3][2] = { { rcDest.left, rcDest.left + dl }, { rcDest.left + dl, rcDest.right - dr },
                         { rcDest.right - dr, rcDest.right } };
        if (bSwap)
        {
            xd[0][0] = rcDest.right - dl; xd[0][1] = rcDest.right;
            xd[1][0] = rcDest.left + dr; xd[1][1] = rcDest.right - dl;
            xd[2][0] = rcDest.left; xd[2][1] = rcDest.left + dr;
        }
        int xs[4] = { rcWork.left, rcWork.left + nLeft, rcWork.right - nRight, rcWork.right };
        int yd[4] = { rcDest.top, rcDest.top + dt, rcDest.bottom - db, rcDest.bottom };
        int ys[4] = { rcWork.top, rcWork.top + nTop, rcWork.bottom - nBottom, rcWork.bottom };
        for (int row = 0; row < 3; row++)
        {
            for (int col = 0; col < 3; col++)
                DrawPiece(pDC, &dcWork, CRect(xd[col][0], yd[row], xd[col][1], yd[row + 1]),
                          CRect(xs[col], ys[row], xs[col + 1], ys[row + 1]));
        }
    }

    dcWork.SelectBitmap(NULL);
    pDC->SetStretchBltMode(nOldStretchMode);
}

void CZPOffice2007Image::DrawStretched(CDC* pDC, const CRect& rcDest, const CRect& rcSrc)
{
    DrawSliced(pDC, rcDest, rcSrc, CRect(0, 0, 0, 0));
}

void CZPOffice2007Image::DrawSlicedKeyed(CDC* pDC, const CRect& rcDest, const CRect& rcSrc,
                                         const CRect& rcSizingMargins, COLORREF clrKey)
{
    if (m_arrPixels.empty() || rcSrc.Height() < rcSizingMargins.top + rcSizingMargins.bottom)
        return;
    if (clrKey == static_cast<COLORREF>(-1) || m_bAlpha)
    {
        DrawSliced(pDC, rcDest, rcSrc, rcSizingMargins);
        return;
    }
    if (rcDest.IsRectEmpty())
        return;
    CSize size = rcDest.Size();
    CBitmap bmKeyed;
    if (!bmKeyed.CreateCompatibleBitmap(pDC, size.cx, size.cy))
        return;
    CDC dc;
    if (!dc.CreateCompatibleDC(pDC))
        return;
    HGDIOBJ hOld = dc.SelectObject(bmKeyed.m_hObject);
    dc.FillSolidRect(0, 0, size.cx, size.cy, clrKey);
    DrawSliced(&dc, CRect(CPoint(0, 0), size), rcSrc, rcSizingMargins);
    ZpImageManagerInstance()->TransparentBlit(pDC, rcDest, &dc, CRect(CPoint(0, 0), size), clrKey);
    dc.SelectObject(hOld);
}

void CZPOffice2007Image::DrawSlicedToAlpha(CDC* pDC, const CRect& rcDest, const CRect& rcSrc,
                                           const CRect& rcSizingMargins, COLORREF clrKey, DWORD dwFlags)
{
    if (m_arrPixels.empty() || rcSrc.Height() < rcSizingMargins.top + rcSizingMargins.bottom)
        return;
    if ((dwFlags & kAlphaFlag) == 0)
    {
        DrawSlicedKeyed(pDC, rcDest, rcSrc, rcSizingMargins, clrKey);
        return;
    }
    if (m_bAlpha)
    {
        DrawSliced(pDC, rcDest, rcSrc, rcSizingMargins);
        return;
    }
    if (rcDest.IsRectEmpty())
        return;
    CSize size = rcDest.Size();
    LPBYTE pBits = NULL;
    CBitmap bmBuffer;
    bmBuffer.Attach(ZpCreateDibSection32(pDC->m_hDC, size.cx, size.cy, &pBits));
    if (bmBuffer.m_hObject == NULL || pBits == NULL)
        return;
    CDC dc;
    if (!dc.CreateCompatibleDC(pDC))
        return;
    HGDIOBJ hOld = dc.SelectObject(bmBuffer.m_hObject);
    BOOL bKeyed = clrKey != static_cast<COLORREF>(-1);
    if (bKeyed)
        dc.FillSolidRect(0, 0, size.cx, size.cy, clrKey);
    DrawSliced(&dc, CRect(CPoint(0, 0), size), rcSrc, rcSizingMargins);
    ::GdiFlush();
    // The key is compared as a colour: the pixel's blue is in its low byte, the key's red.
    DWORD dwKey = PixelOfColor(clrKey);
    DWORD* pPixels = reinterpret_cast<DWORD*>(pBits);
    for (size_t i = 0, n = static_cast<size_t>(size.cx) * size.cy; i < n; i++)
    {
        if (bKeyed && (pPixels[i] & 0xFFFFFF) == dwKey)
            pPixels[i] = 0;
        else
            pPixels[i] |= 0xFF000000;
    }
    ZpImageManagerInstance()->AlphaBlendBlit(pDC, rcDest, &dc, CRect(CPoint(0, 0), size));
    dc.SelectObject(hOld);
}

// ---- CZPOffice2007Images ---------------------------------------------------------------------

void CZPOffice2007Images::CBitmapDC::SelectBitmap(HBITMAP hBitmap)
{
    if (m_hDC == NULL)
        return;
    if (hBitmap == NULL)
    {
        if (m_hOldBitmap != NULL)
            ::SelectObject(m_hDC, m_hOldBitmap);
        m_hOldBitmap = NULL;
        return;
    }
    HGDIOBJ hOld = ::SelectObject(m_hDC, hBitmap);
    if (m_hOldBitmap == NULL)
        m_hOldBitmap = hOld;
}

CZPOffice2007Images::CZPOffice2007Images()
    : m_hModule(NULL), m_pIniBegin(NULL), m_pIniEnd(NULL), m_bOwnsModule(FALSE), m_hbmWork(NULL),
      m_pWorkBits(NULL), m_pConnection(NULL)
{
    m_mapCache.InitHashTable(kCacheHashSize);
    SetThemeModule(AfxGetInstanceHandle(), NULL, FALSE);
    m_hbmWork = ZpCreateDibSection32(NULL, kWorkSize, kWorkSize, &m_pWorkBits);
    m_dcWork.CreateCompatibleDC(NULL);
}

CZPOffice2007Images::~CZPOffice2007Images()
{
    if (m_pConnection != NULL)
        m_pConnection->InternalRelease();
    ClearCache();
    if (m_bOwnsModule && m_hModule != NULL)
        ::FreeLibrary(m_hModule);
    m_dcWork.SelectBitmap(NULL);
    if (m_hbmWork != NULL)
        ::DeleteObject(m_hbmWork);
}

HRSRC CZPOffice2007Images::FindFirstTextResource(HMODULE hModule)
{
    HRSRC hResource = NULL;
    ::EnumResourceNamesW(hModule, kTextResourceType, EnumFirstTextResource, reinterpret_cast<LONG_PTR>(&hResource));
    return hResource;
}

BOOL CZPOffice2007Images::SetThemeModule(HMODULE hModule, LPCWSTR lpszIniName, BOOL bOwnsModule)
{
    {
        CZPSyncSectionLock lock(&m_lock);
        // Binding the owned module again must not free it under the new binding.
        if (m_bOwnsModule && m_hModule != NULL && m_hModule != hModule)
            ::FreeLibrary(m_hModule);
        BOOL bNamed = lpszIniName != NULL && *lpszIniName != L'\0';
        CString strName = bNamed ? lpszIniName : kDefaultIniName;
        ReplaceChars(strName, L".", L'_');

        m_hModule = hModule;
        m_bOwnsModule = bOwnsModule;
        m_pIniBegin = m_pIniEnd = NULL;
        ClearCache();

        if (m_hModule != NULL)
        {
            HRSRC hResource = ::FindResourceW(m_hModule, strName, kTextResourceType);
            if (hResource == NULL && !bNamed)
                hResource = FindFirstTextResource(m_hModule);
            HGLOBAL hData = hResource != NULL ? ::LoadResource(m_hModule, hResource) : NULL;
            const BYTE* pData = hData != NULL ? static_cast<const BYTE*>(::LockResource(hData)) : NULL;
            if (pData != NULL)
            {
                m_pIniBegin = pData;
                m_pIniEnd = pData + ::SizeofResource(m_hModule, hResource);
            }
        }
    }
    // Sinks run without the lock: they may ask the store again from any thread.
    if (m_pConnection != NULL)
        m_pConnection->Broadcast(ZP_EVENT_OFFICE2007_THEME_CHANGED);
    return IsLoaded();
}

CString CZPOffice2007Images::ReadIniValue(const BYTE* pBegin, const BYTE* pEnd, LPCWSTR lpszSection,
                                          LPCWSTR lpszKey)
{
    if (pBegin == NULL || pEnd <= pBegin || lpszSection == NULL || lpszKey == NULL)
        return CString();
    CString strSection(lpszSection), strKey(lpszKey);
    strSection.MakeUpper();
    strKey.MakeUpper();

    BOOL bInSection = FALSE;
    const BYTE* p = pBegin;
    while (p < pEnd)
    {
        // A line ends at CR; text after the last CR is not a line.
        const BYTE* pCR = static_cast<const BYTE*>(memchr(p, '\r', static_cast<size_t>(pEnd - p)));
        if (pCR == NULL)
            break;
        CString strLine = WideLine(p, static_cast<int>(pCR - p));
        p = pCR + 1;
        if (p < pEnd && *p == '\n')
            ++p;

        strLine.TrimLeft();
        int nComment = strLine.Find(L';');
        if (nComment >= 0)
            strLine = strLine.Left(nComment);
        if (strLine.IsEmpty())
            continue;
        strLine.MakeUpper();

        if (strLine[0] == L'[')
        {
            if (bInSection)
                break;
            int nLength = strLine.GetLength();
            bInSection = nLength >= 2 && strLine.Mid(1, nLength - 2) == strSection;
            continue;
        }
        if (!bInSection)
            continue;
        int nEquals = strLine.Find(L'=');
        if (nEquals <= 0)
            continue;
        CString strLineKey = strLine.Left(nEquals);
        strLineKey.TrimRight();
        if (strLineKey == strKey)
        {
            CString strValue = strLine.Mid(nEquals + 1);
            strValue.Trim();
            return strValue;
        }
    }
    return CString();
}

CString CZPOffice2007Images::GetValue(LPCWSTR lpszSection, LPCWSTR lpszKey)
{
    CZPSyncSectionLock lock(&m_lock);
    return ReadIniValue(m_pIniBegin, m_pIniEnd, lpszSection, lpszKey);
}

COLORREF CZPOffice2007Images::GetColor(LPCWSTR lpszSection, LPCWSTR lpszKey)
{
    CString strValue = GetValue(lpszSection, lpszKey);
    if (strValue.IsEmpty())
        return static_cast<COLORREF>(-1);
    int nRed = 0, nGreen = 0, nBlue = 0;
    swscanf(strValue, L"%i %i %i", &nRed, &nGreen, &nBlue);
    return RGB(nRed & 0xFF, nGreen & 0xFF, nBlue & 0xFF);
}

CString CZPOffice2007Images::ResolveImageName(LPCWSTR lpszName)
{
    CString strName = GetValue(kImagesSection, lpszName);
    if (strName.IsEmpty())
        strName = lpszName;
    ReplaceChars(strName, L".\\", L'_');
    return strName;
}

CZPOffice2007Image* CZPOffice2007Images::LoadImageByName(LPCWSTR lpszName)
{
    CString strResource = ResolveImageName(lpszName);
    CZPOffice2007Image* pImage = new CZPOffice2007Image(this);
    if (!pImage->LoadFromResource(m_hModule, strResource))
    {
        pImage->InternalRelease();
        return NULL;
    }
    m_mapCache.SetAt(lpszName, pImage);
    return pImage;
}

CZPOffice2007Image* CZPOffice2007Images::GetImage(LPCWSTR lpszName)
{
    CZPSyncSectionLock lock(&m_lock);
    if (m_hModule == NULL || lpszName == NULL || *lpszName == L'\0')
        return NULL;
    CZPOffice2007Image* pImage = NULL;
    if (m_mapCache.Lookup(lpszName, pImage))
        return pImage;
    return LoadImageByName(lpszName);
}

void CZPOffice2007Images::ClearCache()
{
    CZPSyncSectionLock lock(&m_lock);
    POSITION pos = m_mapCache.GetStartPosition();
    while (pos != NULL)
    {
        CString strName;
        CZPOffice2007Image* pImage = NULL;
        m_mapCache.GetNextAssoc(pos, strName, pImage);
        if (pImage != NULL)
            pImage->InternalRelease();
    }
    m_mapCache.RemoveAll();
}

CZPOffice2007Images* ZpOffice2007ImagesInstance()
{
    static CZPOffice2007Images s_images;
    return &s_images;
}
