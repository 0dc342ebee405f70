// What elements draw and measure through for one layout or paint: the origin, the clip box and
// the text colour over a device context that picks GDI or GDI+ per operation.
#pragma once

#include "markup/ZPMarkupGdiPlusDeviceContext.h"

class CZPMarkupBrush;
class CZPMarkupFont;
class CZPMarkupThickness;

class CZPMarkupDrawingContext
{
public:
    // Draws on hDC and measures on hAttribDC (hDC when NULL); both stay the caller's.
    CZPMarkupDrawingContext(HDC hDC, HDC hAttribDC);
    // Measure only: over a memory DC compatible with the screen, deleted with the context.
    CZPMarkupDrawingContext();
    virtual ~CZPMarkupDrawingContext();

    virtual BOOL ForceRemeasure() const { return FALSE; }
    virtual void DrawTextLine(LPCWSTR lpszText, int nCount, const RECT& rc);

    void OffsetOrigin(const POINT& pt);
    void IntersectClipRect(const RECT& rc);
    // The current clip region, ZP_MARKUP_NOCLIP for none; give it back to RestoreClipRegion.
    HRGN SaveClipRegion();
    void RestoreClipRegion(HRGN hRgn);
    // The font stays the caller's and must outlive its selection; NULL puts back the DC's own.
    void SetFont(HFONT hFont);
    // Holds a reference to the font while it is the current one.
    void SetFont(CZPMarkupFont* pFont);
    HFONT GetFont() const { return m_hFont; }
    SIZE GetTextExtent(LPCWSTR lpszText, int nCount);
    // The extent with every prefix's width (nCount entries in pWidths) from one measuring call.
    SIZE GetTextPrefixWidths(LPCWSTR lpszText, int nCount, int* pWidths);
    void SetTextColor(CZPMarkupBrush* pBrush);
    void FillRectangle(const RECT& rc, CZPMarkupBrush* pBrush, const double* pRadii = NULL);
    void DrawRectangle(const RECT& rc, CZPMarkupBrush* pBrush, const CZPMarkupThickness* pThickness,
                       const double* pRadii = NULL);
    void DrawFrame(const RECT& rc, CZPMarkupBrush* pBrush);
    void FillSolidRect(const RECT& rc, COLORREF clr);
    void DrawLine(int x1, int y1, int x2, int y2, int nThickness, CZPMarkupBrush* pBrush);
    void DrawPolyline(const POINT* pPoints, int nCount, int nThickness, CZPMarkupBrush* pBrush);
    void DrawPolygon(const POINT* pPoints, int nCount, int nThickness, CZPMarkupBrush* pStroke, CZPMarkupBrush* pFill);
    void DrawEllipse(const RECT& rc, int nThickness, CZPMarkupBrush* pStroke, CZPMarkupBrush* pFill);
    void DrawPath(const ZP_MARKUP_PATHDATA& path, int nThickness, CZPMarkupBrush* pStroke, CZPMarkupBrush* pFill);
    void DrawPath(const CZPMarkupPathGeometry* pGeometry, int nThickness, CZPMarkupBrush* pStroke,
                  CZPMarkupBrush* pFill);
    HDC GetDC() const { return m_hDC; }
    // The DC that text is measured on.
    HDC GetAttribDC() const { return m_hAttribDC; }
    void ReleaseDC(HDC /*hDC*/) {}

    // In element coordinates; refreshed after every origin or clip change.
    const RECT& GetClipBox() const { return m_rcClip; }

private:
    CZPMarkupDrawingContext(const CZPMarkupDrawingContext&) = delete;
    CZPMarkupDrawingContext& operator=(const CZPMarkupDrawingContext&) = delete;

    void Init();

    HDC m_hDC;               // owned when m_bOwnsDC, else borrowed
    HDC m_hAttribDC;         // borrowed (or m_hDC)
    HFONT m_hFont;           // borrowed: the font last set
    CZPMarkupFont* m_pFont;  // one reference while it is the current font
    RECT m_rcClip;
    BOOL m_bOwnsDC;
    CZPMarkupGdiPlusDeviceContext* m_pDevice;  // owned
};
