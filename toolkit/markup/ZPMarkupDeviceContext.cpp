// Drawing with plain GDI.
#include "markup/ZPMarkupDeviceContext.h"

#include "markup/ZPMarkupBrush.h"
#include "markup/ZPMarkupValues.h"

#include <common/ZPImageLoading.h>
#include <framework/gdi.h>
#include <framework/memorydc.h>

#include <algorithm>
#include <vector>

namespace {
// A GDI object made for one call, or the stock fall-back when it could not be made: selected
// while the holder lives, then put back and deleted.
class CSelectedObject
{
public:
    CSelectedObject(HDC hDC, HGDIOBJ hCreated, int nStockObject)
        : m_hDC(hDC), m_hObject(hCreated),
          m_hOld(::SelectObject(hDC, hCreated != NULL ? hCreated : ::GetStockObject(nStockObject)))
    {}
    ~CSelectedObject()
    {
        ::SelectObject(m_hDC, m_hOld);
        if (m_hObject != NULL)
            ::DeleteObject(m_hObject);
    }
    CSelectedObject(const CSelectedObject&) = delete;
    CSelectedObject& operator=(const CSelectedObject&) = delete;

private:
    HDC m_hDC;          // borrowed
    HGDIOBJ m_hObject;  // owned
    HGDIOBJ m_hOld;     // borrowed
};

// A solid pen of the brush's colour when a stroke is wanted, else NULL.
HPEN CreateStrokePen(BOOL bWanted, int nWidth, CZPMarkupBrush* pBrush)
{
    return bWanted ? ::CreatePen(PS_SOLID, nWidth, pBrush != NULL ? pBrush->GetColor() : 0) : NULL;
}

HBRUSH CreateFillBrush(CZPMarkupBrush* pBrush)
{
    return pBrush != NULL ? ::CreateSolidBrush(pBrush->GetColor()) : NULL;
}

// A DIB pixel: blue, green, red, 0.
DWORD ToDibPixel(DWORD dwColor)
{
    return (GetRValue(dwColor) << 16) | (GetGValue(dwColor) << 8) | GetBValue(dwColor);
}

}  // namespace

CZPMarkupDeviceContext::CZPMarkupDeviceContext(HDC hDC, HDC hAttribDC)
    : m_hDC(hDC), m_hAttribDC(hAttribDC != NULL ? hAttribDC : hDC), m_hSavedFont(NULL)
{
    m_sizeWindowExt.cx = m_sizeWindowExt.cy = m_sizeViewportExt.cx = m_sizeViewportExt.cy = 1;
    if (m_hDC != NULL) {
        ::GetWindowExtEx(m_hDC, &m_sizeWindowExt);
        ::GetViewportExtEx(m_hDC, &m_sizeViewportExt);
    }
    if (m_sizeWindowExt.cx == 0 || m_sizeWindowExt.cy == 0)
        m_sizeWindowExt.cx = m_sizeWindowExt.cy = m_sizeViewportExt.cx = m_sizeViewportExt.cy = 1;
    m_sizeWindowExt.cx = abs(m_sizeWindowExt.cx);
    m_sizeWindowExt.cy = abs(m_sizeWindowExt.cy);
    m_sizeViewportExt.cx = abs(m_sizeViewportExt.cx);
    m_sizeViewportExt.cy = abs(m_sizeViewportExt.cy);
}

CZPMarkupDeviceContext::~CZPMarkupDeviceContext() {}

void CZPMarkupDeviceContext::OffsetOrigin(const POINT& pt)
{
    const int x = static_cast<int>(static_cast<long long>(pt.x) * m_sizeViewportExt.cx / m_sizeWindowExt.cx);
    const int y = static_cast<int>(static_cast<long long>(pt.y) * m_sizeViewportExt.cy / m_sizeWindowExt.cy);
    ::OffsetViewportOrgEx(m_hDC, x, y, NULL);
}

void CZPMarkupDeviceContext::DrawEllipse(const RECT& rc, int nThickness, CZPMarkupBrush* pStroke, CZPMarkupBrush* pFill)
{
    CSelectedObject pen(m_hDC, CreateStrokePen(nThickness > 0 && pStroke != NULL, nThickness, pStroke), NULL_PEN);
    CSelectedObject brush(m_hDC, CreateFillBrush(pFill), NULL_BRUSH);
    ::Ellipse(m_hDC, rc.left, rc.top, rc.right, rc.bottom);
}

void CZPMarkupDeviceContext::DrawRectangle(const RECT& rc, CZPMarkupBrush* pBrush, const CZPMarkupThickness* pThickness)
{
    if (pBrush == NULL || pThickness == NULL)
        return;
    if (pThickness->m_nLeft > 0)
        FillRectangle({ rc.left, rc.top, rc.left + pThickness->m_nLeft, rc.bottom }, pBrush);
    if (pThickness->m_nRight > 0)
        FillRectangle({ rc.right - pThickness->m_nRight, rc.top, rc.right, rc.bottom }, pBrush);
    if (pThickness->m_nTop > 0)
        FillRectangle({ rc.left, rc.top, rc.right, rc.top + pThickness->m_nTop }, pBrush);
    if (pThickness->m_nBottom > 0)
        FillRectangle({ rc.left, rc.bottom - pThickness->m_nBottom, rc.right, rc.bottom }, pBrush);
}

void CZPMarkupDeviceContext::FillSolid(const RECT& rc, COLORREF clr)
{
    // An inverted rectangle would be filled as its normalised box.
    if (rc.right <= rc.left || rc.bottom <= rc.top)
        return;
    const COLORREF clrOld = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
    ::SetBkColor(m_hDC, clrOld);
}

void CZPMarkupDeviceContext::FillRectangle(const RECT& rc, CZPMarkupBrush* pBrush)
{
    if (CZPMarkupSolidColorBrush* pSolid = ZpMarkupCast<CZPMarkupSolidColorBrush>(pBrush)) {
        DWORD dwColor;
        if (pSolid->GetColorValue(dwColor))
            FillSolid(rc, dwColor & 0xFFFFFF);
    } else if (CZPMarkupLinearGradientBrush* pGradient = ZpMarkupCast<CZPMarkupLinearGradientBrush>(pBrush))
        FillGradient(rc, pGradient);
}

void CZPMarkupDeviceContext::FillGradient(const RECT& rc, CZPMarkupLinearGradientBrush* pBrush)
{
    std::vector<ZP_MARKUP_GRADIENTSTOP> stops;
    pBrush->GetSortedStops(stops);
    // Sizes in 64 bits: the edges of a scrolled page may lie far apart.
    const long long w = static_cast<long long>(rc.right) - rc.left;
    const long long h = static_cast<long long>(rc.bottom) - rc.top;
    if (stops.empty() || w < 1 || h < 1)
        return;
    if (stops.size() == 1) {
        FillSolid(rc, stops[0].dwColor & 0xFFFFFF);
        return;
    }
    double x1, y1, x2, y2;
    pBrush->GetPoints(x1, y1, x2, y2);
    const double sx = x1 * w, sy = y1 * h, ex = x2 * w, ey = y2 * h;
    if (sx == ex && sy == ey)
        return;

    // Only the visible part is computed and allocated: a page background can be far larger
    // than the window.
    RECT rcClip;
    if (::GetClipBox(m_hDC, &rcClip) == ERROR)
        return;
    const long long vl = std::max<long long>(0, static_cast<long long>(rcClip.left) - rc.left);
    const long long vt = std::max<long long>(0, static_cast<long long>(rcClip.top) - rc.top);
    const long long vr = std::min<long long>(w, static_cast<long long>(rcClip.right) - rc.left);
    const long long vb = std::min<long long>(h, static_cast<long long>(rcClip.bottom) - rc.top);
    if (vr <= vl || vb <= vt)
        return;
    const int cx = static_cast<int>(vr - vl), cy = static_cast<int>(vb - vt);

    LPBYTE pBits = NULL;
    CBitmap dib;  // owned: deleted after the memory DC has put its own bitmap back
    dib.Attach(ZpCreateDibSection32(m_hDC, cx, cy, &pBits));
    if (dib.m_hObject == NULL || pBits == NULL)
        return;
    DWORD* pPixels = reinterpret_cast<DWORD*>(pBits);
    // Bottom-up: top-down row r of the visible part is DIB row cy - 1 - r.
    auto Row = [&](int r) { return pPixels + static_cast<size_t>(cy - 1 - r) * cx; };

    auto Pixel = [&](double t) { return ToDibPixel(ZpMarkupGradientColorAt(stops, t)); };
    const double dx = ex - sx, dy = ey - sy, dLength2 = dx * dx + dy * dy;
    auto Parameter = [&](long long x, long long y) { return ((x - sx) * dx + (y + 1 - sy) * dy) / dLength2; };
    if (dx == 0) {
        for (int r = 0; r < cy; r++)
            std::fill_n(Row(r), cx, Pixel(Parameter(0, vt + r)));
    } else if (dy == 0) {
        DWORD* pFirst = Row(0);
        for (int c = 0; c < cx; c++)
            pFirst[c] = Pixel(Parameter(vl + c, vt));
        for (int r = 1; r < cy; r++)
            std::copy_n(pFirst, cx, Row(r));
    } else {
        for (int r = 0; r < cy; r++) {
            DWORD* pRow = Row(r);
            for (int c = 0; c < cx; c++)
                pRow[c] = Pixel(Parameter(vl + c, vt + r));
        }
    }

    CMemoryDC memDC(m_hDC, static_cast<HBITMAP>(dib.m_hObject));
    if (memDC.GetSafeHdc() != NULL)
        ::BitBlt(m_hDC, static_cast<int>(rc.left + vl), static_cast<int>(rc.top + vt), cx, cy, memDC, 0, 0, SRCCOPY);
}

void CZPMarkupDeviceContext::DrawLine(int x1, int y1, int x2, int y2, int nThickness, CZPMarkupBrush* pBrush)
{
    CSelectedObject pen(m_hDC, CreateStrokePen(TRUE, nThickness, pBrush), NULL_PEN);
    ::MoveToEx(m_hDC, x1, y1, NULL);
    ::LineTo(m_hDC, x2, y2);
}

void CZPMarkupDeviceContext::DrawPolyline(const POINT* pPoints, int nCount, int nThickness, CZPMarkupBrush* pBrush)
{
    if (pPoints == NULL || nCount < 1)
        return;
    CSelectedObject pen(m_hDC, CreateStrokePen(nThickness > 0 && pBrush != NULL, nThickness, pBrush), NULL_PEN);
    ::Polyline(m_hDC, pPoints, nCount);
}

void CZPMarkupDeviceContext::DrawPolygon(const POINT* pPoints, int nCount, int nThickness, CZPMarkupBrush* pStroke,
                                         CZPMarkupBrush* pFill)
{
    if (pPoints == NULL || nCount < 1)
        return;
    CSelectedObject pen(m_hDC, CreateStrokePen(nThickness > 0 && pStroke != NULL, nThickness, pStroke), NULL_PEN);
    CSelectedObject brush(m_hDC, CreateFillBrush(pFill), NULL_BRUSH);
    ::Polygon(m_hDC, pPoints, nCount);
}

void CZPMarkupDeviceContext::DrawPath(const ZP_MARKUP_PATHDATA& path, int nThickness, CZPMarkupBrush* pStroke,
                                      CZPMarkupBrush* pFill)
{
    if (path.nCount <= 0 || path.pPoints == NULL || path.pTypes == NULL)
        return;
    auto Pt = [&](int i) {
        POINT pt = { static_cast<LONG>(path.pPoints[i].x), static_cast<LONG>(path.pPoints[i].y) };
        return pt;
    };
    ::BeginPath(m_hDC);
    for (int i = 0; i < path.nCount; i++) {
        BYTE nType = path.pTypes[i];
        switch (nType & kZpMarkupPathTypeMask) {
        case kZpMarkupPathStart:
            ::MoveToEx(m_hDC, Pt(i).x, Pt(i).y, NULL);
            break;
        case kZpMarkupPathLine:
            ::LineTo(m_hDC, Pt(i).x, Pt(i).y);
            break;
        case kZpMarkupPathBezier:
            // A curve with fewer than three points left is dropped.
            if (i + 2 < path.nCount) {
                const POINT pts[3] = { Pt(i), Pt(i + 1), Pt(i + 2) };
                ::PolyBezierTo(m_hDC, pts, 3);
                i += 2;
                nType = path.pTypes[i];
            }
            break;
        }
        if (nType & kZpMarkupPathCloseFigure)
            ::CloseFigure(m_hDC);
    }
    ::EndPath(m_hDC);

    const BOOL bStroke = pStroke != NULL && nThickness > 0;
    CSelectedObject pen(m_hDC, CreateStrokePen(bStroke, nThickness, pStroke), NULL_PEN);
    CSelectedObject brush(m_hDC, CreateFillBrush(pFill), NULL_BRUSH);
    if (pFill != NULL && bStroke)
        ::StrokeAndFillPath(m_hDC);
    else if (pFill != NULL)
        ::FillPath(m_hDC);
    else if (bStroke)
        ::StrokePath(m_hDC);
    else
        ::AbortPath(m_hDC);
}

void CZPMarkupDeviceContext::BuildRoundRectPath(double l, double t, double r, double b, const double* pRadii,
                                                MARKUP_POINTF* pPoints, BYTE* pTypes)
{
    const double(&rr)[8] = *reinterpret_cast<const double(*)[8]>(pRadii);
    const double xy[kZpMarkupRoundRectPoints][2] = {
        { l, t + rr[0] },                                      // start
        { l, t },         { l + rr[1], t }, { l + rr[1], t },  // top-left corner
        { r - rr[2], t },                                      // top edge
        { r, t },         { r, t + rr[3] }, { r, t + rr[3] },  // top-right corner
        { r, b - rr[4] },                                      // right edge
        { r, b },         { r - rr[5], b }, { r - rr[5], b },  // bottom-right corner
        { l + rr[6], b },                                      // bottom edge
        { l, b },         { l, b - rr[7] }, { l, b - rr[7] },  // bottom-left corner
    };
    static const BYTE types[kZpMarkupRoundRectPoints] = {
        kZpMarkupPathStart, kZpMarkupPathBezier, kZpMarkupPathBezier, kZpMarkupPathBezier,
        kZpMarkupPathLine,  kZpMarkupPathBezier, kZpMarkupPathBezier, kZpMarkupPathBezier,
        kZpMarkupPathLine,  kZpMarkupPathBezier, kZpMarkupPathBezier, kZpMarkupPathBezier,
        kZpMarkupPathLine,  kZpMarkupPathBezier, kZpMarkupPathBezier, kZpMarkupPathBezier | kZpMarkupPathCloseFigure,
    };
    for (int i = 0; i < kZpMarkupRoundRectPoints; i++) {
        pPoints[i].x = static_cast<float>(xy[i][0]);
        pPoints[i].y = static_cast<float>(xy[i][1]);
        pTypes[i] = types[i];
    }
}

void CZPMarkupDeviceContext::FillRoundRectangle(const RECT& rc, CZPMarkupBrush* pBrush, const double* pRadii)
{
    if (pRadii == NULL) {
        FillRectangle(rc, pBrush);
        return;
    }
    MARKUP_POINTF points[kZpMarkupRoundRectPoints];
    BYTE types[kZpMarkupRoundRectPoints];
    BuildRoundRectPath(rc.left, rc.top, rc.right, rc.bottom, pRadii, points, types);
    DrawPath({ points, types, kZpMarkupRoundRectPoints, kZpMarkupPixelOffsetHalf }, 0, NULL, pBrush);
}

void CZPMarkupDeviceContext::DrawRoundRectangle(const RECT& rc, CZPMarkupBrush* pBrush,
                                                const CZPMarkupThickness* pThickness, const double* pRadii)
{
    if (pRadii == NULL) {
        DrawRectangle(rc, pBrush, pThickness);
        return;
    }
    if (pThickness == NULL)
        return;
    // Rounded borders have one width: the left side's.
    const double g = pThickness->m_nLeft / 2.0;
    MARKUP_POINTF points[kZpMarkupRoundRectPoints];
    BYTE types[kZpMarkupRoundRectPoints];
    BuildRoundRectPath(rc.left + g, rc.top + g, rc.right - g, rc.bottom - g, pRadii, points, types);
    DrawPath({ points, types, kZpMarkupRoundRectPoints, kZpMarkupPixelOffsetHalf }, pThickness->m_nLeft, pBrush, NULL);
}

void CZPMarkupDeviceContext::DrawTextLine(LPCWSTR lpszText, int nCount, const RECT& rc)
{
    if (lpszText == NULL || nCount <= 0)
        return;
    if (m_hAttribDC == m_hDC)
        ::ExtTextOutW(m_hDC, rc.left, rc.top, 0, &rc, lpszText, static_cast<UINT>(nCount), NULL);
    else
        DrawTextPlaced(lpszText, nCount, rc);
}

// Keeps the positions the attribute DC's metrics gave the text, each glyph centred in its cell.
void CZPMarkupDeviceContext::DrawTextPlaced(LPCWSTR lpszText, int nCount, const RECT& rc)
{
    TEXTMETRICW tmAttrib = {}, tmOutput = {};
    ::GetTextMetricsW(m_hAttribDC, &tmAttrib);
    ::GetTextMetricsW(m_hDC, &tmOutput);
    const UINT nAlign = ::GetTextAlign(m_hAttribDC);
    int x = rc.left;
    if (nAlign & TA_UPDATECP) {
        POINT pt;
        if (::GetCurrentPositionEx(m_hDC, &pt))
            x = pt.x;
    }
    std::vector<WCHAR> chars;
    std::vector<int> advances;
    chars.reserve(nCount);
    advances.reserve(nCount);
    int nLeading = 0, nPos = x, nBreakPos = x, nBreakIndex = 0;
    for (int i = 0; i < nCount; i++) {
        const WCHAR ch = lpszText[i];
        if (ch == tmAttrib.tmBreakChar) {
            SIZE size = {};
            ::GetTextExtentPoint32W(m_hAttribDC, lpszText + nBreakIndex, i - nBreakIndex + 1, &size);
            const int nNewPos = nBreakPos + size.cx - tmAttrib.tmOverhang;
            (advances.empty() ? nLeading : advances.back()) += nNewPos - nPos;
            nPos = nBreakPos = nNewPos;
            nBreakIndex = i + 1;
            continue;
        }
        INT nAttrib, nOutput;
        if (!::GetCharWidth32W(m_hAttribDC, ch, ch, &nAttrib))
            nAttrib = tmAttrib.tmAveCharWidth;
        if (!::GetCharWidth32W(m_hDC, ch, ch, &nOutput))
            nOutput = tmOutput.tmAveCharWidth;
        nAttrib -= tmAttrib.tmOverhang;
        nOutput -= tmOutput.tmOverhang;
        nPos += nAttrib;
        int nAdvance = nAttrib;
        if (!advances.empty()) {
            const int nHalf = (nAttrib - nOutput) / 2;
            advances.back() += nHalf;
            nAdvance -= nHalf;
        }
        chars.push_back(ch);
        advances.push_back(nAdvance);
    }
    if ((nAlign & TA_CENTER) == TA_CENTER)
        x += nLeading / 2;
    else if ((nAlign & TA_RIGHT) == 0)
        x += nLeading;
    if (nAlign & TA_UPDATECP)
        ::MoveToEx(m_hDC, x, rc.top, NULL);
    if (!chars.empty())
        ::ExtTextOutW(m_hDC, x, rc.top, 0, &rc, chars.data(), static_cast<UINT>(chars.size()), advances.data());
}

SIZE CZPMarkupDeviceContext::GetTextExtent(LPCWSTR lpszText, int nCount)
{
    SIZE size = { 0, 0 };
    if (lpszText != NULL && nCount > 0)
        ::GetTextExtentPoint32W(m_hAttribDC, lpszText, nCount, &size);
    return size;
}

SIZE CZPMarkupDeviceContext::GetTextPrefixWidths(LPCWSTR lpszText, int nCount, int* pWidths)
{
    SIZE size = { 0, 0 };
    if (lpszText == NULL || nCount <= 0)
        return size;
    if (!::GetTextExtentExPointW(m_hAttribDC, lpszText, nCount, 0, NULL, pWidths, &size)) {
        size.cx = size.cy = 0;
        std::fill(pWidths, pWidths + nCount, 0);
    }
    return size;
}

void CZPMarkupDeviceContext::SetTextColor(CZPMarkupBrush* pBrush)
{
    ::SetTextColor(m_hDC, pBrush != NULL ? pBrush->GetColor() : RGB(0, 0, 0));
}

HGDIOBJ CZPMarkupDeviceContext::SelectFontObject(HGDIOBJ hObject)
{
    if (m_hDC != m_hAttribDC) {
        HGDIOBJ hOld = ::SelectObject(m_hDC, hObject);
        if (m_hAttribDC == NULL)
            return hOld;
    }
    return ::SelectObject(m_hAttribDC, hObject);
}

void CZPMarkupDeviceContext::SetFont(HFONT hFont)
{
    if (hFont != NULL) {
        HGDIOBJ hOld = SelectFontObject(hFont);
        if (m_hSavedFont == NULL)
            m_hSavedFont = hOld;
    } else if (m_hSavedFont != NULL) {
        SelectFontObject(m_hSavedFont);
        m_hSavedFont = NULL;
    }
}

void CZPMarkupDeviceContext::IntersectClipRect(const RECT& rc)
{
    ::IntersectClipRect(m_hDC, rc.left, rc.top, rc.right, rc.bottom);
}

void CZPMarkupDeviceContext::GetClipBox(RECT& rc)
{
    ::GetClipBox(m_hDC, &rc);
}

HRGN CZPMarkupDeviceContext::SaveClipRegion()
{
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    if (hRgn == NULL)
        return NULL;
    if (::GetClipRgn(m_hDC, hRgn) == 1)
        return hRgn;
    ::DeleteObject(hRgn);
    return ZP_MARKUP_NOCLIP;
}

void CZPMarkupDeviceContext::RestoreClipRegion(HRGN hRgn)
{
    if (hRgn == NULL)
        return;
    if (hRgn == ZP_MARKUP_NOCLIP) {
        ::ExtSelectClipRgn(m_hDC, NULL, RGN_COPY);
        return;
    }
    ::ExtSelectClipRgn(m_hDC, hRgn, RGN_COPY);
    ::DeleteObject(hRgn);
}

HDC CZPMarkupDeviceContext::GetDC()
{
    return m_hDC;
}

void CZPMarkupDeviceContext::ReleaseDC(HDC /*hDC*/) {}
