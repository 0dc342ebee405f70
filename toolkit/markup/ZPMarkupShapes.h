// Shapes: framework elements that draw one figure with a fill and a stroke brush. Rectangles
// and ellipses take their size from layout; lines, point lists and paths from their geometry.
#pragma once

#include "markup/ZPMarkupVisual.h"

class CZPMarkupBrush;

class CZPMarkupShape : public CZPMarkupFrameworkElement
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupBrush* GetFill() const;
    CZPMarkupBrush* GetStroke() const;
    // 0 without a stroke, else "StrokeThickness" (1 when unset).
    int GetStrokeThickness() const;
    BOOL IsStretched() const;

    static CZPMarkupDependencyProperty* m_pFillProperty;
    static CZPMarkupDependencyProperty* m_pStrokeProperty;
    static CZPMarkupDependencyProperty* m_pStrokeThicknessProperty;
    static CZPMarkupDependencyProperty* m_pStretchProperty;
    static void RegisterProperties();

protected:
    // A desired size of a geometry's bounds, stretched to the available size.
    SIZE StretchToAvailable(SIZE sz, int nWidth, int nHeight) const;
    int IntProperty(CZPMarkupDependencyProperty* pProperty) const;
};

class CZPMarkupRectangle : public CZPMarkupShape
{
    ZP_DECLARE_MARKUPTYPE()
public:
    void OnRender(CZPMarkupDrawingContext* pContext) override;
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;

    static CZPMarkupDependencyProperty* m_pRadiusXProperty;
    static CZPMarkupDependencyProperty* m_pRadiusYProperty;
    static void RegisterProperties();
};

class CZPMarkupEllipse : public CZPMarkupShape
{
    ZP_DECLARE_MARKUPTYPE()
public:
    void OnRender(CZPMarkupDrawingContext* pContext) override;
    CZPMarkupInputElement* InputHitTestCore(int x, int y) override;
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;
};

class CZPMarkupLine : public CZPMarkupShape
{
    ZP_DECLARE_MARKUPTYPE()
public:
    void OnRender(CZPMarkupDrawingContext* pContext) override;
    CZPMarkupInputElement* InputHitTestCore(int x, int y) override;
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;
    // The end points as drawn: moved to the render box's edges when the line stretches.
    void GetEndPoints(int& x1, int& y1, int& x2, int& y2) const;

    static CZPMarkupDependencyProperty* m_pX1Property;
    static CZPMarkupDependencyProperty* m_pY1Property;
    static CZPMarkupDependencyProperty* m_pX2Property;
    static CZPMarkupDependencyProperty* m_pY2Property;
    static void RegisterProperties();
};

class CZPMarkupPointCollection;

class CZPMarkupPolyline : public CZPMarkupShape
{
    ZP_DECLARE_MARKUPTYPE()
public:
    void OnRender(CZPMarkupDrawingContext* pContext) override;
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;

    static CZPMarkupDependencyProperty* m_pPointsProperty;
    static void RegisterProperties();
};

class CZPMarkupPolygon : public CZPMarkupShape
{
    ZP_DECLARE_MARKUPTYPE()
public:
    void OnRender(CZPMarkupDrawingContext* pContext) override;
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;

    static CZPMarkupDependencyProperty* m_pPointsProperty;
    static void RegisterProperties();
};

class CZPMarkupPath : public CZPMarkupShape
{
    ZP_DECLARE_MARKUPTYPE()
public:
    void OnRender(CZPMarkupDrawingContext* pContext) override;
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;

    static CZPMarkupDependencyProperty* m_pDataProperty;
    static void RegisterProperties();
};
