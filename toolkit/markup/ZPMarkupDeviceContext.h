// The GDI renderer of the drawing context: every drawing operation with plain GDI on an output
// DC, text measured on an attribute DC; the gradient rasteriser and the rounded-rectangle paths.
#pragma once

#include "markup/ZPMarkupPathGeometry.h"

class CZPMarkupBrush;
class CZPMarkupLinearGradientBrush;
class CZPMarkupThickness;

// Answered by SaveClipRegion when the DC has no clip region.
#define ZP_MARKUP_NOCLIP (reinterpret_cast<HRGN>(static_cast<INT_PTR>(-1)))

// Path point types as the path geometry and GDI+ use them.
const BYTE kZpMarkupPathStart = 0;
const BYTE kZpMarkupPathLine = 1;
const BYTE kZpMarkupPathBezier = 3;
const BYTE kZpMarkupPathTypeMask = 7;
const BYTE kZpMarkupPathCloseFigure = 0x80;

// GDI+ pixel-offset modes a path may ask for when it is stroked.
const int kZpMarkupPixelOffsetDefault = 0;
const int kZpMarkupPixelOffsetHalf = 4;

// A move, then four corner Béziers joined by three lines.
const int kZpMarkupRoundRectPoints = 16;

// A path of figures made of lines and cubic Béziers (borrowed arrays of nCount entries).
struct ZP_MARKUP_PATHDATA
{
    const MARKUP_POINTF* pPoints;
    const BYTE* pTypes;
    int nCount;
    int nPixelOffsetMode;  // 0: none asked for
};

class CZPMarkupDeviceContext
{
public:
    CZPMarkupDeviceContext(HDC hDC, HDC hAttribDC);
    virtual ~CZPMarkupDeviceContext();

    virtual void OffsetOrigin(const POINT& pt);
    virtual void DrawEllipse(const RECT& rc, int nThickness, CZPMarkupBrush* pStroke, CZPMarkupBrush* pFill);
    // Side widths drawn inside the rectangle.
    virtual void DrawRectangle(const RECT& rc, CZPMarkupBrush* pBrush, const CZPMarkupThickness* pThickness);
    virtual void FillRectangle(const RECT& rc, CZPMarkupBrush* pBrush);
    virtual void DrawLine(int x1, int y1, int x2, int y2, int nThickness, CZPMarkupBrush* pBrush);
    virtual void DrawPolyline(const POINT* pPoints, int nCount, int nThickness, CZPMarkupBrush* pBrush);
    virtual void DrawPolygon(const POINT* pPoints, int nCount, int nThickness, CZPMarkupBrush* pStroke,
                             CZPMarkupBrush* pFill);
    virtual void DrawPath(const ZP_MARKUP_PATHDATA& path, int nThickness, CZPMarkupBrush* pStroke,
                          CZPMarkupBrush* pFill);
    // Radii: top-left vertical, top-left horizontal, top-right horizontal, top-right vertical,
    // bottom-right vertical, bottom-right horizontal, bottom-left horizontal, bottom-left vertical.
    virtual void FillRoundRectangle(const RECT& rc, CZPMarkupBrush* pBrush, const double* pRadii);
    virtual void DrawRoundRectangle(const RECT& rc, CZPMarkupBrush* pBrush, const CZPMarkupThickness* pThickness,
                                    const double* pRadii);
    virtual void DrawTextLine(LPCWSTR lpszText, int nCount, const RECT& rc);
    virtual SIZE GetTextExtent(LPCWSTR lpszText, int nCount);
    // The extent of the text with the width of every prefix in pWidths (nCount entries), from one
    // measuring call; each prefix width equals GetTextExtent of that prefix.
    virtual SIZE GetTextPrefixWidths(LPCWSTR lpszText, int nCount, int* pWidths);
    virtual void SetTextColor(CZPMarkupBrush* pBrush);
    // NULL puts back the font that was selected before the first one.
    virtual void SetFont(HFONT hFont);
    virtual void IntersectClipRect(const RECT& rc);
    virtual void GetClipBox(RECT& rc);
    // The current clip region (owned by the caller), ZP_MARKUP_NOCLIP, or NULL when no region
    // could be made.
    virtual HRGN SaveClipRegion();
    // Selects the region and deletes it; ZP_MARKUP_NOCLIP removes clipping; NULL does nothing.
    virtual void RestoreClipRegion(HRGN hRgn);
    virtual HDC GetDC();
    virtual void ReleaseDC(HDC hDC);

    HDC GetAttribDC() const { return m_hAttribDC; }

protected:
    // The GDI solid fill: one opaque text-output call, alpha ignored.
    void FillSolid(const RECT& rc, COLORREF clr);
    void FillGradient(const RECT& rc, CZPMarkupLinearGradientBrush* pBrush);
    // The closed outline of a rounded rectangle, kZpMarkupRoundRectPoints entries.
    static void BuildRoundRectPath(double l, double t, double r, double b, const double* pRadii, MARKUP_POINTF* pPoints,
                                   BYTE* pTypes);
    void DrawTextPlaced(LPCWSTR lpszText, int nCount, const RECT& rc);
    HGDIOBJ SelectFontObject(HGDIOBJ hObject);

    HDC m_hDC;        // borrowed: drawn on
    HDC m_hAttribDC;  // borrowed: measured on
    SIZE m_sizeWindowExt;
    SIZE m_sizeViewportExt;
    HGDIOBJ m_hSavedFont;  // borrowed: the DC's font before the first SetFont

private:
    CZPMarkupDeviceContext(const CZPMarkupDeviceContext&) = delete;
    CZPMarkupDeviceContext& operator=(const CZPMarkupDeviceContext&) = delete;
};
