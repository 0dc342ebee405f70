// The device context every drawing context uses: shapes, translucent fills and gradients
// anti-aliased through GDI+ (loaded by name while a markup context exists), everything else
// and every operation GDI+ cannot serve through GDI.
#pragma once

#include "markup/ZPMarkupDeviceContext.h"

// A start (TRUE) or stop (FALSE) request: the first start loads and starts GDI+, the last stop
// shuts it down and unloads it.
void ZpMarkupRegisterGdiPlus(BOOL bStart);
// TRUE while GDI+ is loaded and started.
BOOL ZpMarkupIsGdiPlusRunning();

class CZPMarkupGdiPlusDeviceContext : public CZPMarkupDeviceContext
{
public:
    CZPMarkupGdiPlusDeviceContext(HDC hDC, HDC hAttribDC) : CZPMarkupDeviceContext(hDC, hAttribDC) {}

    void DrawEllipse(const RECT& rc, int nThickness, CZPMarkupBrush* pStroke, CZPMarkupBrush* pFill) override;
    void DrawRectangle(const RECT& rc, CZPMarkupBrush* pBrush, const CZPMarkupThickness* pThickness) override;
    void FillRectangle(const RECT& rc, CZPMarkupBrush* pBrush) override;
    void DrawLine(int x1, int y1, int x2, int y2, int nThickness, CZPMarkupBrush* pBrush) override;
    void DrawPolyline(const POINT* pPoints, int nCount, int nThickness, CZPMarkupBrush* pBrush) override;
    void DrawPolygon(const POINT* pPoints, int nCount, int nThickness, CZPMarkupBrush* pStroke,
                     CZPMarkupBrush* pFill) override;
    void DrawPath(const ZP_MARKUP_PATHDATA& path, int nThickness, CZPMarkupBrush* pStroke,
                  CZPMarkupBrush* pFill) override;

private:
    // A new GDI+ graphics object on the output DC, or NULL.
    void* CreateGraphics();
};
