// Shared drawing helpers.
#include "common/ZPDrawHelpers.h"

#include "common/ZPColorManager.h"
#include "common/ZPResourceManager.h"
#include "common/ZPSystemHelpers.h"

namespace
{
typedef DWORD (WINAPI* PFNGETLAYOUT)(HDC);
typedef DWORD (WINAPI* PFNSETLAYOUT)(HDC, DWORD);

template <class TFunc>
TFunc EntryCast(FARPROC pfn)
{
    return reinterpret_cast<TFunc>(reinterpret_cast<void*>(pfn));
}

// GDI32 layout entries: looked up once from the loaded module, NULL for ever when missing.
FARPROC LayoutEntry(LPCSTR lpszName, FARPROC& pfnSlot)
{
    if (pfnSlot == reinterpret_cast<FARPROC>(-1))
    {
        HMODULE hGdi32 = ::GetModuleHandleA("GDI32.DLL");
        pfnSlot = hGdi32 != NULL ? ::GetProcAddress(hGdi32, lpszName) : NULL;
    }
    return pfnSlot;
}

FARPROC g_pfnGetLayout = reinterpret_cast<FARPROC>(-1);
FARPROC g_pfnSetLayout = reinterpret_cast<FARPROC>(-1);

int ClampChannel(double d)
{
    int n = static_cast<int>(d);
    return n < 0 ? 0 : (n > 255 ? 255 : n);
}

void FillSolid(CDC* pDC, int x, int y, int cx, int cy, COLORREF clr)
{
    pDC->FillSolidRect(x, y, cx, cy, clr);
}

int HueToChannel(int m1, int m2, int h)
{
    if (h < 0)
        h += 255;
    if (h > 255)
        h -= 255;
    const int k = (m2 - m1) / 255;
    int nValue;
    if (h * 6 < 255)
        nValue = m1 + k * h * 6;
    else if (h * 2 < 255)
        nValue = m2;
    else if (h * 3 < 510)
        nValue = m1 + k * (170 - h) * 6;
    else
        nValue = m1;
    nValue /= 255;
    return nValue < 0 ? 0 : (nValue > 255 ? 255 : nValue);
}

int CALLBACK FontFaceEnumProc(const LOGFONTW* pLogFont, const TEXTMETRICW*, DWORD, LPARAM lParam)
{
    LPCWSTR* ppszWanted = reinterpret_cast<LPCWSTR*>(lParam);
    if (::lstrcmpiW(pLogFont->lfFaceName, ppszWanted[0]) != 0)
        return 1;
    ppszWanted[1] = ppszWanted[0];
    return 0;
}

BOOL HasStyleRTL(const CWnd* pWnd)
{
    return (pWnd->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}
}

CZPDrawHelpers::CZPDrawHelpers()
    : m_pfnAlphaBlend(NULL), m_pfnTransparentBlt(NULL), m_pfnGradientFill(NULL),
      m_hMsImg32(::LoadLibraryW(L"msimg32.dll"))
{
    if (m_hMsImg32 == NULL)
        return;
    m_pfnGradientFill = EntryCast<PFNGRADIENTFILL>(::GetProcAddress(m_hMsImg32, "GradientFill"));
    m_pfnAlphaBlend = EntryCast<PFNALPHABLEND>(::GetProcAddress(m_hMsImg32, "AlphaBlend"));
    m_pfnTransparentBlt = EntryCast<PFNTRANSPARENTBLT>(::GetProcAddress(m_hMsImg32, "TransparentBlt"));
}

CZPDrawHelpers& ZpDrawHelpersInstance()
{
    static CZPDrawHelpers s_instance;
    return s_instance;
}

BOOL CZPDrawHelpers::CallGradientFill(HDC hDC, PTRIVERTEX pVertices, ULONG nVertices, PVOID pMesh, ULONG nMeshes,
                                      ULONG ulMode)
{
    if (m_pfnGradientFill == NULL)
        return FALSE;
    return m_pfnGradientFill(hDC, pVertices, nVertices, pMesh, nMeshes, ulMode);
}

void CZPDrawHelpers::FillGradient(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo, BOOL bHorz)
{
    if (pDC == NULL || lpRect == NULL || ::IsRectEmpty(lpRect))
        return;
    if (ZpIsLowColorDC(pDC->m_hDC) || clrFrom == clrTo)
        pDC->FillSolidRect(lpRect, clrFrom);
    else if (m_pfnGradientFill == NULL || (ZpDCIsMirrored(pDC) && ZpOsVersionInstance().IsWin9xFamily()))
        FillGradientByLines(pDC, lpRect, clrFrom, clrTo, bHorz);
    else
        FillGradientNative(pDC, lpRect, clrFrom, clrTo, bHorz);
}

void CZPDrawHelpers::FillGradientNative(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo, BOOL bHorz)
{
    TRIVERTEX vertices[2] = {
        {lpRect->left, lpRect->top, static_cast<COLOR16>(GetRValue(clrFrom) << 8),
         static_cast<COLOR16>(GetGValue(clrFrom) << 8), static_cast<COLOR16>(GetBValue(clrFrom) << 8), 0},
        {lpRect->right, lpRect->bottom, static_cast<COLOR16>(GetRValue(clrTo) << 8),
         static_cast<COLOR16>(GetGValue(clrTo) << 8), static_cast<COLOR16>(GetBValue(clrTo) << 8), 0},
    };
    GRADIENT_RECT mesh = {0, 1};
    CallGradientFill(pDC->m_hDC, vertices, 2, &mesh, 1, bHorz ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

// Paints only the visible part, so a large gradient in a small update region stays cheap.
void CZPDrawHelpers::FillGradientByLines(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo, BOOL bHorz)
{
    const CRect rc(lpRect);
    const int cx = rc.Width() > 1 ? rc.Width() : 1;
    const int cy = rc.Height() > 1 ? rc.Height() : 1;
    CRect rcClip;
    pDC->GetClipBox(&rcClip);
    CRect rcPaint(rc);
    if (!rcClip.IsRectEmpty())
        rcPaint.IntersectRect(&rcClip, &rc);
    if (rcPaint.IsRectEmpty())
        return;

    if (bHorz)
    {
        for (int x = rcPaint.left; x < rcPaint.right; ++x)
            FillSolid(pDC, x, rcPaint.top, 1, rcPaint.Height(),
                      ZpMixColors(clrFrom, clrTo, 1.0 - static_cast<double>(x - rc.left) / cx));
    }
    else
    {
        for (int y = rcPaint.top; y < rcPaint.bottom; ++y)
            FillSolid(pDC, rcPaint.left, y, rcPaint.Width(), 1,
                      ZpMixColors(clrFrom, clrTo, 1.0 - static_cast<double>(y - rc.top) / cy));
    }
}

void CZPDrawHelpers::FillGradientClipped(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo, BOOL bHorz,
                                         LPCRECT lpClip)
{
    if (lpClip == NULL)
    {
        FillGradient(pDC, lpRect, clrFrom, clrTo, bHorz);
        return;
    }
    if (lpRect == NULL || ::IsRectEmpty(lpRect))
        return;
    // The same narrowing serves both directions: "along" runs with the gradient, "across" not.
    LONG RECT::*const pAlongLow = bHorz ? &RECT::left : &RECT::top;
    LONG RECT::*const pAlongHigh = bHorz ? &RECT::right : &RECT::bottom;
    LONG RECT::*const pAcrossLow = bHorz ? &RECT::top : &RECT::left;
    LONG RECT::*const pAcrossHigh = bHorz ? &RECT::bottom : &RECT::right;
    const CRect rc(lpRect), rcClip(lpClip);
    if (rcClip.*pAlongHigh < rc.*pAlongLow || rc.*pAlongHigh < rcClip.*pAlongLow)
        return;
    CRect rcPaint(rc);
    rcPaint.*pAcrossLow = rcClip.*pAcrossLow > rc.*pAcrossLow ? rcClip.*pAcrossLow : rc.*pAcrossLow;
    rcPaint.*pAcrossHigh = rcClip.*pAcrossHigh < rc.*pAcrossHigh ? rcClip.*pAcrossHigh : rc.*pAcrossHigh;
    const double dLength = rc.*pAlongHigh - rc.*pAlongLow;
    COLORREF clrStart = clrFrom, clrEnd = clrTo;
    if (rc.*pAlongLow < rcClip.*pAlongLow)
    {
        rcPaint.*pAlongLow = rcClip.*pAlongLow;
        clrStart = ZpMixColors(clrFrom, clrTo, (rc.*pAlongHigh - rcClip.*pAlongLow) / dLength);
    }
    if (rcClip.*pAlongHigh < rc.*pAlongHigh)
    {
        rcPaint.*pAlongHigh = rcClip.*pAlongHigh;
        clrEnd = ZpMixColors(clrFrom, clrTo, (rc.*pAlongHigh - rcClip.*pAlongHigh) / dLength);
    }
    FillGradient(pDC, rcPaint, clrStart, clrEnd, bHorz);
}

void CZPDrawHelpers::FillColorGradient(CDC* pDC, LPCRECT lpRect, const CZPPaintManagerColorGradient& grc, BOOL bHorz,
                                       LPCRECT lpClip)
{
    const COLORREF clrStart = grc.m_clrStart, clrEnd = grc.m_clrEnd;
    if (grc.m_fFactor == 0.5f)
    {
        FillGradientClipped(pDC, lpRect, clrStart, clrEnd, bHorz, lpClip);
        return;
    }
    const COLORREF clrMiddle = ZpMixColors(clrStart, clrEnd, grc.m_fFactor);
    CRect rcFirst(lpRect), rcSecond(lpRect);
    if (bHorz)
        rcFirst.right = rcSecond.left = lpRect->right - (lpRect->right - lpRect->left) / 2;
    else
        rcFirst.bottom = rcSecond.top = lpRect->bottom - (lpRect->bottom - lpRect->top) / 2;
    FillGradientClipped(pDC, rcFirst, clrStart, clrMiddle, bHorz, lpClip);
    FillGradientClipped(pDC, rcSecond, clrMiddle, clrEnd, bHorz, lpClip);
}

// A record is two points (pixel, neighbour offset); an odd count leaves the half record alone.
void CZPDrawHelpers::AveragePixelPairs(CDC* pDC, const POINT* pPoints, int nCount)
{
    for (int i = 0; i + 1 < nCount; i += 2)
    {
        const POINT& pt = pPoints[i];
        const POINT& offset = pPoints[i + 1];
        const COLORREF clr0 = ::GetPixel(pDC->m_hDC, pt.x, pt.y);
        const COLORREF clr1 = ::GetPixel(pDC->m_hDC, pt.x + offset.x, pt.y + offset.y);
        ::SetPixel(pDC->m_hDC, pt.x, pt.y,
                   RGB((GetRValue(clr0) + GetRValue(clr1)) >> 1, (GetGValue(clr0) + GetGValue(clr1)) >> 1,
                       (GetBValue(clr0) + GetBValue(clr1)) >> 1));
    }
}

COLORREF ZpMixColors(COLORREF clrFirst, COLORREF clrSecond, double dFactor)
{
    const double dRest = 1.0 - dFactor;
    return RGB(ClampChannel(GetRValue(clrSecond) * dRest + GetRValue(clrFirst) * dFactor),
               ClampChannel(GetGValue(clrSecond) * dRest + GetGValue(clrFirst) * dFactor),
               ClampChannel(GetBValue(clrSecond) * dRest + GetBValue(clrFirst) * dFactor));
}

DWORD ZpRgbToHls(COLORREF clr)
{
    const int r = GetRValue(clr), g = GetGValue(clr), b = GetBValue(clr);
    const int nMax = r > g ? (r > b ? r : b) : (g > b ? g : b);
    const int nMin = r < g ? (r < b ? r : b) : (g < b ? g : b);
    const int nSum = nMax + nMin;
    const int l = (nSum + 1) / 2;
    int h = 255, s = 0;
    if (nMax != nMin)
    {
        const int d = nMax - nMin;
        s = l < 127 ? ((d + 1) * 256) / nSum : (d * 256) / (512 - nSum);
        if (r == nMax)
            h = ((g - b) * 256) / d;
        else if (g == nMax)
            h = ((b - r) * 256) / d + 512;
        else
            h = ((r - g) * 256) / d + 1024;
        h /= 6;
        if (h < 0)
            h += 256;
    }
    int nHue = h * 239 / 255, nSat = s * 240 / 255, nLum = l * 240 / 255;
    nHue = nHue > 239 ? 239 : nHue;
    nSat = nSat > 240 ? 240 : nSat;
    nLum = nLum > 240 ? 240 : nLum;
    return static_cast<DWORD>(nHue | (nSat << 8) | (nLum << 16));
}

COLORREF ZpHlsToRgb(DWORD dwHls)
{
    const int h = static_cast<int>(dwHls & 0xFF) * 255 / 239;
    const int s = static_cast<int>((dwHls >> 8) & 0xFF) * 255 / 240;
    const int l = static_cast<int>((dwHls >> 16) & 0xFF) * 255 / 240;
    if (s == 0)
    {
        const int n = l > 255 ? 255 : l;
        return RGB(n, n, n);
    }
    const int m2 = l <= 127 ? l * (s + 255) : (l + s - l * s / 255) * 255;
    const int m1 = l * 510 - m2;
    return RGB(HueToChannel(m1, m2, h + 85), HueToChannel(m1, m2, h), HueToChannel(m1, m2, h - 85));
}

BOOL ZpIsLowColorDC(HDC hDC)
{
    return ZpColorManagerInstance().IsLowColorDisplay(hDC);
}

CRect& ZpMakeEmptyRect(CRect& rc)
{
    rc.SetRectEmpty();
    return rc;
}

CRect& ZpWindowRectOfHandle(CRect& rc, HWND hWnd)
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return ZpMakeEmptyRect(rc);
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

CRect& ZpWindowRectOfWnd(CRect& rc, const CWnd* pWnd)
{
    return ZpWindowRectOfHandle(rc, CWnd::GetSafeHwnd(pWnd));
}

CRect& ZpClientRectOfHandle(CRect& rc, HWND hWnd)
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return ZpMakeEmptyRect(rc);
    ::GetClientRect(hWnd, &rc);
    return rc;
}

CRect& ZpClientRectOfWnd(CRect& rc, const CWnd* pWnd)
{
    return ZpClientRectOfHandle(rc, CWnd::GetSafeHwnd(pWnd));
}

DWORD ZpGetDCLayout(HDC hDC)
{
    FARPROC pfn = LayoutEntry("GetLayout", g_pfnGetLayout);
    return pfn != NULL ? EntryCast<PFNGETLAYOUT>(pfn)(hDC) : 0;
}

void ZpSetDCLayoutRaw(HDC hDC, DWORD dwLayout)
{
    FARPROC pfn = LayoutEntry("SetLayout", g_pfnSetLayout);
    if (pfn != NULL)
        EntryCast<PFNSETLAYOUT>(pfn)(hDC, dwLayout);
}

BOOL ZpDCIsMirrored(const CDC* pDC)
{
    return pDC != NULL && ZpGetDCLayout(pDC->m_hDC) != 0;
}

void ZpSetDCLayout(CDC* pDC, DWORD dwLayout)
{
    if (pDC != NULL)
        ZpSetDCLayoutRaw(pDC->m_hDC, dwLayout);
}

void ZpMirrorArrowKey(const CWnd* pWnd, UINT& nChar)
{
    if (pWnd == NULL || pWnd->m_hWnd == NULL || !::IsWindow(pWnd->m_hWnd) || !HasStyleRTL(pWnd))
        return;
    if (nChar == VK_LEFT)
        nChar = VK_RIGHT;
    else if (nChar == VK_RIGHT)
        nChar = VK_LEFT;
}

void ZpScreenToWindowPoint(const CWnd* pWnd, POINT& pt)
{
    CRect rc;
    ZpWindowRectOfWnd(rc, pWnd);
    pt.y -= rc.top;
    if (pWnd != NULL && pWnd->m_hWnd != NULL && HasStyleRTL(pWnd))
        pt.x = rc.right - pt.x;
    else
        pt.x -= rc.left;
}

BOOL ZpIsOwnerChainActive(HWND hWnd)
{
    HWND hTop = hWnd;
    for (HWND hNext = ::GetParent(hTop); hNext != NULL; hNext = ::GetParent(hTop))
        hTop = hNext;
    return hTop != NULL && ::GetForegroundWindow() == ::GetLastActivePopup(hTop);
}

void ZpDrawTriangle(CDC* pDC, POINT pt0, POINT pt1, POINT pt2)
{
    const POINT points[3] = {pt0, pt1, pt2};
    pDC->Polygon(points, 3);
}

void ZpExcludeCorners(CDC* pDC, const CRect& rc)
{
    const HDC hDC = pDC->GetSafeHdc();
    ::ExcludeClipRect(hDC, rc.left, rc.top, rc.left + 1, rc.top + 1);
    ::ExcludeClipRect(hDC, rc.right - 1, rc.top, rc.right, rc.top + 1);
    ::ExcludeClipRect(hDC, rc.left, rc.bottom - 1, rc.left + 1, rc.bottom);
    ::ExcludeClipRect(hDC, rc.right - 1, rc.bottom - 1, rc.right, rc.bottom);
}

BOOL ZpCreateHalftoneBrush(CBrush& brush)
{
    static const WORD kRows[8] = { 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA };
    CBitmap bitmap;
    return bitmap.CreateBitmap(8, 8, 1, 1, kRows) && brush.CreatePatternBrush(&bitmap);
}

BOOL ZpGetIconTitleFont(LOGFONTW* pLogFont)
{
    ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTW), pLogFont, 0);
    pLogFont->lfCharSet = ZpResourceManagerInstance()->GetFontCharSet();
    return TRUE;
}

BOOL ZpRegisterWindowClass(HINSTANCE hInstance, LPCWSTR lpszClassName, UINT nStyle, HICON hIcon, HBRUSH hbrBackground)
{
    WNDCLASSW wc = {};
    wc.hInstance = hInstance != NULL ? hInstance : AfxGetInstanceHandle();
    // Bars register their class on every construction: an existing class needs no cursor load.
    WNDCLASSW wcExisting;
    if (::GetClassInfoW(wc.hInstance, lpszClassName, &wcExisting))
        return TRUE;
    wc.style = nStyle;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hIcon = hIcon;
    wc.hCursor = ::LoadCursorW(NULL, IDC_ARROW);
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = lpszClassName;
    return AfxRegisterClass(&wc);
}

void ZpGetWindowTextDirect(HWND hWnd, CString& strText)
{
    const int nLength = static_cast<int>(::DefWindowProcW(hWnd, WM_GETTEXTLENGTH, 0, 0));
    LPWSTR pszBuffer = strText.GetBufferSetLength(nLength + 1);
    pszBuffer[0] = 0;
    ::DefWindowProcW(hWnd, WM_GETTEXT, static_cast<WPARAM>(nLength + 1), reinterpret_cast<LPARAM>(pszBuffer));
    strText.ReleaseBuffer();
}

void ZpRemoveAmpersands(CString& strText)
{
    // Removing an '&' moves the next character under i; it is kept even when it is an '&'.
    for (int i = 0; i < strText.GetLength(); ++i)
    {
        if (strText[i] == L'&')
            strText.Delete(i);
    }
}

void ZpStripAmpersandsInPlace(LPWSTR lpszText)
{
    if (lpszText == NULL || lpszText == reinterpret_cast<LPWSTR>(static_cast<INT_PTR>(-1)))
        return;
    LPWSTR pszOut = lpszText;
    for (LPCWSTR pszIn = lpszText; *pszIn != 0; ++pszIn)
    {
        if (*pszIn == L'&')
        {
            ++pszIn;
            if (*pszIn == 0)
                break;
        }
        *pszOut++ = *pszIn;
    }
    *pszOut = 0;
}

BOOL ZpFontFaceExists(LPCWSTR lpszFaceName)
{
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    // [0] the wanted face, [1] set to it by the callback on a match.
    LPCWSTR pszFaces[2] = {lpszFaceName, NULL};
    HDC hScreenDC = ::GetDC(NULL);
    ::EnumFontFamiliesExW(hScreenDC, &lf, &FontFaceEnumProc,
                          reinterpret_cast<LPARAM>(pszFaces), 0);
    ::ReleaseDC(NULL, hScreenDC);
    return pszFaces[1] != NULL;
}

void ZpChooseDefaultFontFace(CString& strFaceName, BOOL bAllowTahoma)
{
    LOGFONTW lf = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    if (lf.lfCharSet > SYMBOL_CHARSET && ZpOsVersionInstance().IsNT5OrLater()
        && ::lstrcmpiW(lf.lfFaceName, L"MS Shell Dlg") != 0)
    {
        strFaceName = lf.lfFaceName;
        return;
    }
    if (bAllowTahoma && ZpFontFaceExists(L"Tahoma"))
        strFaceName = L"Tahoma";
    else if (ZpFontFaceExists(L"Arial"))
        strFaceName = L"Arial";
    else
        strFaceName = lf.lfFaceName;
}
