#include "commandbars/themes/ZPThemePartCache.h"

#include "common/ZPImageLoading.h"

#include <algorithm>

namespace {

const size_t kMaxEntries = 16;
const LONGLONG kMaxPixels = 1024 * 1024;  // larger parts are drawn directly
const int kTrueColorBits = 32;
const COLORREF kProbeA = RGB(0, 0, 0);
const COLORREF kProbeB = RGB(255, 255, 255);

// A copy lands exactly where the style would draw only on a plain, unmirrored 32-bit DC.
BOOL IsPlainTrueColorDC(HDC hDC)
{
    return hDC != NULL && ::GetLayout(hDC) == 0 && ::GetMapMode(hDC) == MM_TEXT &&
           ::GetGraphicsMode(hDC) == GM_COMPATIBLE &&
           ::GetDeviceCaps(hDC, BITSPIXEL) * ::GetDeviceCaps(hDC, PLANES) == kTrueColorBits;
}

// A 32-bit DIB section of the size, filled with one colour, the part drawn over it.
HBITMAP RenderOver(CZPWinThemeWrapper& theme, HDC hDC, int nPart, int nState, CSize size, COLORREF clrFill,
                   LPBYTE* ppBits)
{
    HBITMAP hBitmap = ZpCreateDibSection32(hDC, size.cx, size.cy, ppBits, TRUE);
    if (hBitmap == NULL)
        return NULL;
    HDC hMemDC = ::CreateCompatibleDC(hDC);
    if (hMemDC == NULL) {
        ::DeleteObject(hBitmap);
        return NULL;
    }
    HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
    const RECT rc = { 0, 0, size.cx, size.cy };
    ::SetBkColor(hMemDC, clrFill);
    ::ExtTextOutW(hMemDC, 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
    theme.DrawBackground(hMemDC, nPart, nState, &rc, NULL);
    ::GdiFlush();
    ::SelectObject(hMemDC, hOld);
    ::DeleteDC(hMemDC);
    return hBitmap;
}

}  // namespace

CZPThemePartCache::CEntry* CZPThemePartCache::Find(HTHEME hTheme, int nPart, int nState, CSize size)
{
    for (auto& entry : m_entries)
        if (entry->hTheme == hTheme && entry->nPart == nPart && entry->nState == nState && entry->size == size)
            return entry.get();
    return NULL;
}

// The part drawn over black and over white: where the two differ, it lets the background show.
CZPThemePartCache::CEntry* CZPThemePartCache::Render(CZPWinThemeWrapper& theme, HDC hDC, int nPart, int nState,
                                                     CSize size)
{
    LPBYTE pBitsA = NULL, pBitsB = NULL;
    CBitmap bitmapA, bitmapB;
    bitmapA.Attach(RenderOver(theme, hDC, nPart, nState, size, kProbeA, &pBitsA));
    bitmapB.Attach(RenderOver(theme, hDC, nPart, nState, size, kProbeB, &pBitsB));
    if (pBitsA == NULL || pBitsB == NULL)
        return NULL;
    auto entry = std::make_unique<CEntry>();
    entry->hTheme = theme.GetThemeHandle();
    entry->nPart = nPart;
    entry->nState = nState;
    entry->size = size;
    const size_t nBytes = static_cast<size_t>(size.cx) * size.cy * 4;
    entry->bOpaque = std::equal(pBitsA, pBitsA + nBytes, pBitsB);
    if (entry->bOpaque)
        entry->bitmap.Attach(bitmapA.Detach());
    if (m_entries.size() >= kMaxEntries)
        m_entries.erase(m_entries.begin());
    m_entries.push_back(std::move(entry));
    return m_entries.back().get();
}

BOOL CZPThemePartCache::Draw(CZPWinThemeWrapper& theme, HDC hDC, int nPart, int nState, const CRect& rc,
                             const RECT* pClip)
{
    const HTHEME hTheme = theme.GetThemeHandle();
    const CSize size = rc.Size();
    if (hTheme == NULL || size.cx <= 0 || size.cy <= 0 || static_cast<LONGLONG>(size.cx) * size.cy > kMaxPixels ||
        !IsPlainTrueColorDC(hDC))
        return FALSE;
    CEntry* pEntry = Find(hTheme, nPart, nState, size);
    if (pEntry == NULL)
        pEntry = Render(theme, hDC, nPart, nState, size);
    if (pEntry == NULL || !pEntry->bOpaque)
        return FALSE;

    CRect rcCopy = rc;
    if (pClip != NULL && !rcCopy.IntersectRect(rcCopy, pClip))
        return TRUE;  // the style draws nothing outside the clip either
    HDC hMemDC = ::CreateCompatibleDC(hDC);
    if (hMemDC == NULL)
        return FALSE;
    HGDIOBJ hOld = ::SelectObject(hMemDC, pEntry->bitmap.GetSafeHandle());
    ::BitBlt(hDC, rcCopy.left, rcCopy.top, rcCopy.Width(), rcCopy.Height(), hMemDC, rcCopy.left - rc.left,
             rcCopy.top - rc.top, SRCCOPY);
    ::SelectObject(hMemDC, hOld);
    ::DeleteDC(hMemDC);
    return TRUE;
}
