// Shared drawing helpers: gradients, colour mixing and HLS, right-to-left layout, window
// rectangles, mnemonic filtering, the default font face and window-class registration.
#pragma once

#include <framework.h>
#include <framework/gdi.h>
#include <framework/wnd.h>

class CZPPaintManagerColorGradient;

// The MSIMG32 entries, bound once per process; each is NULL when the library or entry is missing.
class CZPDrawHelpers
{
public:
    typedef BOOL (WINAPI* PFNALPHABLEND)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
    typedef BOOL (WINAPI* PFNTRANSPARENTBLT)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);
    typedef BOOL (WINAPI* PFNGRADIENTFILL)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

    CZPDrawHelpers();
    virtual ~CZPDrawHelpers() = default;
    CZPDrawHelpers(const CZPDrawHelpers&) = delete;
    CZPDrawHelpers& operator=(const CZPDrawHelpers&) = delete;

    BOOL CallGradientFill(HDC hDC, PTRIVERTEX pVertices, ULONG nVertices, PVOID pMesh, ULONG nMeshes, ULONG ulMode);
    void FillGradient(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo, BOOL bHorz);
    void FillGradientClipped(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo, BOOL bHorz, LPCRECT lpClip);
    void FillColorGradient(CDC* pDC, LPCRECT lpRect, const CZPPaintManagerColorGradient& grc, BOOL bHorz,
                           LPCRECT lpClip = NULL);
    void FillGradientByLines(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo, BOOL bHorz);
    void FillGradientNative(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo, BOOL bHorz);
    // Each pair of points is a pixel and the offset of the neighbour it is averaged with.
    void AveragePixelPairs(CDC* pDC, const POINT* pPoints, int nCount);

    PFNALPHABLEND m_pfnAlphaBlend;
    PFNTRANSPARENTBLT m_pfnTransparentBlt;
    PFNGRADIENTFILL m_pfnGradientFill;
    HMODULE m_hMsImg32;          // loaded once, never freed
};

CZPDrawHelpers& ZpDrawHelpersInstance();

// Per channel trunc(second x (1 - factor) + first x factor): 1 gives the first colour, 0 the second.
COLORREF ZpMixColors(COLORREF clrFirst, COLORREF clrSecond, double dFactor);
// Packed HLS: hue 0-239 in the low byte, saturation 0-240 in the second, luminance 0-240 in the third.
DWORD ZpRgbToHls(COLORREF clr);
COLORREF ZpHlsToRgb(DWORD dwHls);
BOOL ZpIsLowColorDC(HDC hDC);

CRect& ZpMakeEmptyRect(CRect& rc);
CRect& ZpWindowRectOfHandle(CRect& rc, HWND hWnd);
CRect& ZpWindowRectOfWnd(CRect& rc, const CWnd* pWnd);
CRect& ZpClientRectOfHandle(CRect& rc, HWND hWnd);
CRect& ZpClientRectOfWnd(CRect& rc, const CWnd* pWnd);

DWORD ZpGetDCLayout(HDC hDC);
void ZpSetDCLayoutRaw(HDC hDC, DWORD dwLayout);
BOOL ZpDCIsMirrored(const CDC* pDC);
void ZpSetDCLayout(CDC* pDC, DWORD dwLayout);
void ZpMirrorArrowKey(const CWnd* pWnd, UINT& nChar);
void ZpScreenToWindowPoint(const CWnd* pWnd, POINT& pt);
BOOL ZpIsOwnerChainActive(HWND hWnd);

void ZpDrawTriangle(CDC* pDC, POINT pt0, POINT pt1, POINT pt2);
// Takes the four corner pixels of the rectangle out of the DC's clip region.
void ZpExcludeCorners(CDC* pDC, const CRect& rc);
// An 8x8 checkerboard pattern brush: the DC's text colour and background colour alternate.
BOOL ZpCreateHalftoneBrush(CBrush& brush);
BOOL ZpGetIconTitleFont(LOGFONTW* pLogFont);
BOOL ZpRegisterWindowClass(HINSTANCE hInstance, LPCWSTR lpszClassName, UINT nStyle, HICON hIcon, HBRUSH hbrBackground);
void ZpGetWindowTextDirect(HWND hWnd, CString& strText);

// "&x" -> "x", "&&" -> "&", a trailing '&' is dropped.
void ZpRemoveAmpersands(CString& strText);
void ZpStripAmpersandsInPlace(LPWSTR lpszText);

BOOL ZpFontFaceExists(LPCWSTR lpszFaceName);
void ZpChooseDefaultFontFace(CString& strFaceName, BOOL bAllowTahoma);
