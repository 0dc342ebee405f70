// Shapes: desired sizes from geometry, drawing through the drawing context, exact hit tests.
#include "markup/ZPMarkupShapes.h"

#include "markup/ZPMarkupBrush.h"
#include "markup/ZPMarkupConverters.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupPathGeometry.h"
#include "markup/ZPMarkupValues.h"

#include <math.h>

#include <algorithm>
#include <vector>

namespace {
CZPMarkupDependencyProperty* RegisterInt(LPCWSTR lpszName, CZPMarkupType* pOwner, DWORD dwFlags)
{
    return CZPMarkupDependencyProperty::Register(lpszName, CZPMarkupInt::GetClassType(), pOwner,
                                                 new CZPMarkupPropertyMetadata(NULL, dwFlags));
}

// Each point shape owns a "Points" of its own.
CZPMarkupDependencyProperty* RegisterPoints(CZPMarkupType* pOwner)
{
    return CZPMarkupDependencyProperty::Register(L"Points", CZPMarkupPointCollection::GetClassType(), pOwner,
                                                 new CZPMarkupPropertyMetadata(NULL, kZpMarkupAffectsMeasure));
}

int Clamp64(long long n)
{
    return static_cast<int>(std::max<long long>(-kZpMarkupInfinite, std::min<long long>(kZpMarkupInfinite, n)));
}

// Width and height of a geometry's bounds: the larger of the far edge and the extent.
SIZE BoundsSize(const RECT& rc)
{
    SIZE sz;
    sz.cx = std::max<int>(rc.right, Clamp64(static_cast<long long>(rc.right) - rc.left));
    sz.cy = std::max<int>(rc.bottom, Clamp64(static_cast<long long>(rc.bottom) - rc.top));
    return sz;
}

const CZPMarkupPointCollection* PointsOf(const CZPMarkupObject* pShape, CZPMarkupDependencyProperty* pProperty)
{
    const CZPMarkupPointCollection* pPoints = ZpMarkupCast<CZPMarkupPointCollection>(pShape->GetValue(pProperty));
    return pPoints != NULL && pPoints->GetCount() > 0 ? pPoints : NULL;
}

// The points as drawn: scaled to the render size when the shape stretches.
const POINT* DrawnPoints(const CZPMarkupPointCollection* pPoints, BOOL bStretch, SIZE szRender,
                         std::vector<POINT>& scaled)
{
    if (!bStretch)
        return pPoints->GetPoints();
    scaled.resize(pPoints->GetCount());
    pPoints->GetScaledPoints(scaled.data(), szRender.cx, szRender.cy);
    return scaled.data();
}

// Both ends moved to the box's edges, or to its middle when they coincide.
void StretchAxis(int& n1, int& n2, int nExtent)
{
    if (n1 == n2) {
        n1 = n2 = nExtent / 2;
    } else if (n1 > n2) {
        n1 = nExtent;
        n2 = 0;
    } else {
        n1 = 0;
        n2 = nExtent;
    }
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// CZPMarkupShape

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupShape, L"Shape", CZPMarkupFrameworkElement, &CZPMarkupShape::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupShape::m_pFillProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupShape::m_pStrokeProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupShape::m_pStrokeThicknessProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupShape::m_pStretchProperty = NULL;

void CZPMarkupShape::RegisterProperties()
{
    CZPMarkupType* pType = GetClassType();
    m_pFillProperty = CZPMarkupDependencyProperty::Register(
        L"Fill", CZPMarkupBrush::GetClassType(), pType, new CZPMarkupPropertyMetadata(NULL, kZpMarkupAffectsRender));
    m_pStrokeProperty = CZPMarkupDependencyProperty::Register(
        L"Stroke", CZPMarkupBrush::GetClassType(), pType, new CZPMarkupPropertyMetadata(NULL, kZpMarkupAffectsRender));
    m_pStrokeThicknessProperty = RegisterInt(L"StrokeThickness", pType, kZpMarkupAffectsRender);
    m_pStretchProperty = CZPMarkupDependencyProperty::Register(
        L"Stretch", CZPMarkupEnum::GetClassType(), pType,
        new CZPMarkupPropertyMetadata(new CZPMarkupEnum(0), &ZpMarkupConvertStretch, kZpMarkupAffectsRender));
}

CZPMarkupBrush* CZPMarkupShape::GetFill() const
{
    return ZpMarkupCast<CZPMarkupBrush>(GetValue(m_pFillProperty));
}

CZPMarkupBrush* CZPMarkupShape::GetStroke() const
{
    return ZpMarkupCast<CZPMarkupBrush>(GetValue(m_pStrokeProperty));
}

int CZPMarkupShape::IntProperty(CZPMarkupDependencyProperty* pProperty) const
{
    const CZPMarkupInt* pValue = ZpMarkupCast<CZPMarkupInt>(GetValue(pProperty));
    return pValue != NULL ? pValue->m_nValue : 0;
}

int CZPMarkupShape::GetStrokeThickness() const
{
    if (GetStroke() == NULL)
        return 0;
    const CZPMarkupInt* pValue = ZpMarkupCast<CZPMarkupInt>(GetValue(m_pStrokeThicknessProperty));
    // A negative thickness draws like none.
    return pValue != NULL ? std::max(0, pValue->m_nValue) : 1;
}

BOOL CZPMarkupShape::IsStretched() const
{
    const CZPMarkupEnum* pValue = ZpMarkupCast<CZPMarkupEnum>(GetValue(m_pStretchProperty));
    return pValue != NULL && pValue->m_nValue != 0;
}

SIZE CZPMarkupShape::StretchToAvailable(SIZE sz, int nWidth, int nHeight) const
{
    if (IsStretched()) {
        if (nWidth != kZpMarkupInfinite)
            sz.cx = nWidth;
        if (nHeight != kZpMarkupInfinite)
            sz.cy = nHeight;
    }
    return sz;
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupRectangle

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupRectangle, L"Rectangle", CZPMarkupShape, &CZPMarkupRectangle::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupRectangle::m_pRadiusXProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupRectangle::m_pRadiusYProperty = NULL;

void CZPMarkupRectangle::RegisterProperties()
{
    m_pRadiusXProperty = RegisterInt(L"RadiusX", GetClassType(), kZpMarkupAffectsRender);
    m_pRadiusYProperty = RegisterInt(L"RadiusY", GetClassType(), kZpMarkupAffectsRender);
}

SIZE CZPMarkupRectangle::MeasureOverride(CZPMarkupDrawingContext* /*pContext*/, int nWidth, int nHeight)
{
    return StretchToAvailable(SIZE{ 0, 0 }, nWidth, nHeight);
}

void CZPMarkupRectangle::OnRender(CZPMarkupDrawingContext* pContext)
{
    CZPMarkupBrush* pStroke = GetStroke();
    CZPMarkupBrush* pFill = GetFill();
    const int w = m_szRender.cx, h = m_szRender.cy;
    if ((pStroke == NULL && pFill == NULL) || w <= 0 || h <= 0)
        return;
    const int t = GetStrokeThickness();
    const double rx = std::min<double>(IntProperty(m_pRadiusXProperty), (static_cast<double>(w) - t) * 0.5);
    const double ry = std::min<double>(IntProperty(m_pRadiusYProperty), (static_cast<double>(h) - t) * 0.5);
    const double radii[8] = { ry, rx, rx, ry, ry, rx, rx, ry };
    const double* pRadii = rx > 0 && ry > 0 ? radii : NULL;
    const RECT rcBox = { 0, 0, w, h };
    if (pFill != NULL) {
        RECT rcFill = rcBox;
        ::InflateRect(&rcFill, -(t / 2), -(t / 2));
        pContext->FillRectangle(rcFill, pFill, pRadii);
    }
    if (t > 0) {
        CZPMarkupThickness* pThickness = new CZPMarkupThickness(t);
        pContext->DrawRectangle(rcBox, pStroke, pThickness, pRadii);
        pThickness->Release();
    }
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupEllipse

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupEllipse, L"Ellipse", CZPMarkupShape, NULL)

SIZE CZPMarkupEllipse::MeasureOverride(CZPMarkupDrawingContext* /*pContext*/, int nWidth, int nHeight)
{
    return StretchToAvailable(SIZE{ 0, 0 }, nWidth, nHeight);
}

void CZPMarkupEllipse::OnRender(CZPMarkupDrawingContext* pContext)
{
    CZPMarkupBrush* pStroke = GetStroke();
    CZPMarkupBrush* pFill = GetFill();
    if (pStroke == NULL && pFill == NULL)
        return;
    const RECT rcBox = { 0, 0, m_szRender.cx, m_szRender.cy };
    pContext->DrawEllipse(rcBox, GetStrokeThickness(), pStroke, pFill);
}

CZPMarkupInputElement* CZPMarkupEllipse::InputHitTestCore(int x, int y)
{
    const double a = m_szRender.cx / 2, b = m_szRender.cy / 2;
    // A box one pixel across has a half-axis of 0: the ellipse is its centre line there.
    const double dx = a > 0 ? (x - a) / a : 0;
    const double dy = b > 0 ? (y - b) / b : 0;
    return dx * dx + dy * dy <= 1 ? this : NULL;
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupLine

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupLine, L"Line", CZPMarkupShape, &CZPMarkupLine::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupLine::m_pX1Property = NULL;
CZPMarkupDependencyProperty* CZPMarkupLine::m_pY1Property = NULL;
CZPMarkupDependencyProperty* CZPMarkupLine::m_pX2Property = NULL;
CZPMarkupDependencyProperty* CZPMarkupLine::m_pY2Property = NULL;

void CZPMarkupLine::RegisterProperties()
{
    CZPMarkupType* pType = GetClassType();
    m_pX1Property = RegisterInt(L"X1", pType, kZpMarkupAffectsMeasure);
    m_pY1Property = RegisterInt(L"Y1", pType, kZpMarkupAffectsMeasure);
    m_pX2Property = RegisterInt(L"X2", pType, kZpMarkupAffectsMeasure);
    m_pY2Property = RegisterInt(L"Y2", pType, kZpMarkupAffectsMeasure);
}

SIZE CZPMarkupLine::MeasureOverride(CZPMarkupDrawingContext* /*pContext*/, int nWidth, int nHeight)
{
    const int x1 = IntProperty(m_pX1Property), y1 = IntProperty(m_pY1Property);
    const int x2 = IntProperty(m_pX2Property), y2 = IntProperty(m_pY2Property);
    SIZE sz = { std::max(x1, x2), std::max(y1, y2) };
    if (GetStroke() != NULL) {
        const int nHalf = static_cast<int>((static_cast<long long>(GetStrokeThickness()) + 1) / 2);
        if (x1 == x2)
            sz.cx = ZpMarkupAddSaturated(sz.cx, nHalf);
        if (y1 == y2)
            sz.cy = ZpMarkupAddSaturated(sz.cy, nHalf);
    }
    return StretchToAvailable(sz, nWidth, nHeight);
}

void CZPMarkupLine::GetEndPoints(int& x1, int& y1, int& x2, int& y2) const
{
    x1 = IntProperty(m_pX1Property);
    y1 = IntProperty(m_pY1Property);
    x2 = IntProperty(m_pX2Property);
    y2 = IntProperty(m_pY2Property);
    if (IsStretched()) {
        StretchAxis(x1, x2, m_szRender.cx);
        StretchAxis(y1, y2, m_szRender.cy);
    }
}

void CZPMarkupLine::OnRender(CZPMarkupDrawingContext* pContext)
{
    CZPMarkupBrush* pStroke = GetStroke();
    if (pStroke == NULL)
        return;
    int x1, y1, x2, y2;
    GetEndPoints(x1, y1, x2, y2);
    const int t = GetStrokeThickness();
    if ((x1 == 0 && y1 == 0 && x2 == 0 && y2 == 0) || t == 0)
        return;
    pContext->DrawLine(x1, y1, x2, y2, t, pStroke);
}

CZPMarkupInputElement* CZPMarkupLine::InputHitTestCore(int x, int y)
{
    const int t = GetStrokeThickness();
    if (t == 0)
        return NULL;
    int x1, y1, x2, y2;
    GetEndPoints(x1, y1, x2, y2);
    const double dx = static_cast<double>(x2) - x1, dy = static_cast<double>(y2) - y1;
    const double px = static_cast<double>(x) - x1, py = static_cast<double>(y) - y1;
    const double g = t * 0.5;
    if (px + g < std::min(dx, 0.0) || px - g > std::max(dx, 0.0) || py + g < std::min(dy, 0.0) ||
        py - g > std::max(dy, 0.0))
        return NULL;
    if (dx == 0)
        return fabs(px) <= g ? this : NULL;
    return fabs(g / cos(atan(dy / dx))) >= fabs(dy * px / dx - py) ? this : NULL;
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupPolyline and CZPMarkupPolygon

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupPolyline, L"Polyline", CZPMarkupShape, &CZPMarkupPolyline::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupPolyline::m_pPointsProperty = NULL;

void CZPMarkupPolyline::RegisterProperties()
{
    m_pPointsProperty = RegisterPoints(GetClassType());
}

SIZE CZPMarkupPolyline::MeasureOverride(CZPMarkupDrawingContext* /*pContext*/, int nWidth, int nHeight)
{
    const CZPMarkupPointCollection* pPoints = PointsOf(this, m_pPointsProperty);
    if (pPoints == NULL)
        return SIZE{ 0, 0 };
    SIZE sz = BoundsSize(pPoints->GetBounds());
    if (GetStroke() != NULL) {
        const int nHalf = static_cast<int>((static_cast<long long>(GetStrokeThickness()) + 1) / 2);
        if (sz.cx == 0)
            sz.cx = nHalf;
        if (sz.cy == 0)
            sz.cy = nHalf;
    }
    return StretchToAvailable(sz, nWidth, nHeight);
}

void CZPMarkupPolyline::OnRender(CZPMarkupDrawingContext* pContext)
{
    CZPMarkupBrush* pStroke = GetStroke();
    const CZPMarkupPointCollection* pPoints = PointsOf(this, m_pPointsProperty);
    if (pStroke == NULL || pPoints == NULL)
        return;
    std::vector<POINT> scaled;
    const POINT* pDrawn = DrawnPoints(pPoints, IsStretched(), m_szRender, scaled);
    pContext->DrawPolyline(pDrawn, pPoints->GetCount(), GetStrokeThickness(), pStroke);
}

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupPolygon, L"Polygon", CZPMarkupShape, &CZPMarkupPolygon::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupPolygon::m_pPointsProperty = NULL;

void CZPMarkupPolygon::RegisterProperties()
{
    m_pPointsProperty = RegisterPoints(GetClassType());
}

SIZE CZPMarkupPolygon::MeasureOverride(CZPMarkupDrawingContext* /*pContext*/, int nWidth, int nHeight)
{
    const CZPMarkupPointCollection* pPoints = PointsOf(this, m_pPointsProperty);
    if (pPoints == NULL)
        return SIZE{ 0, 0 };
    return StretchToAvailable(BoundsSize(pPoints->GetBounds()), nWidth, nHeight);
}

void CZPMarkupPolygon::OnRender(CZPMarkupDrawingContext* pContext)
{
    CZPMarkupBrush* pStroke = GetStroke();
    CZPMarkupBrush* pFill = GetFill();
    const CZPMarkupPointCollection* pPoints = PointsOf(this, m_pPointsProperty);
    if ((pStroke == NULL && pFill == NULL) || pPoints == NULL)
        return;
    std::vector<POINT> scaled;
    const POINT* pDrawn = DrawnPoints(pPoints, IsStretched(), m_szRender, scaled);
    pContext->DrawPolygon(pDrawn, pPoints->GetCount(), GetStrokeThickness(), pStroke, pFill);
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupPath

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupPath, L"Path", CZPMarkupShape, &CZPMarkupPath::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupPath::m_pDataProperty = NULL;

void CZPMarkupPath::RegisterProperties()
{
    m_pDataProperty =
        CZPMarkupDependencyProperty::Register(L"Data", CZPMarkupPathGeometry::GetClassType(), GetClassType(),
                                              new CZPMarkupPropertyMetadata(NULL, kZpMarkupAffectsMeasure));
}

SIZE CZPMarkupPath::MeasureOverride(CZPMarkupDrawingContext* /*pContext*/, int nWidth, int nHeight)
{
    const CZPMarkupPathGeometry* pGeometry = ZpMarkupCast<CZPMarkupPathGeometry>(GetValue(m_pDataProperty));
    if (pGeometry == NULL)
        return SIZE{ 0, 0 };
    return StretchToAvailable(BoundsSize(pGeometry->GetBounds()), nWidth, nHeight);
}

void CZPMarkupPath::OnRender(CZPMarkupDrawingContext* pContext)
{
    CZPMarkupBrush* pStroke = GetStroke();
    CZPMarkupBrush* pFill = GetFill();
    CZPMarkupPathGeometry* pGeometry = ZpMarkupCast<CZPMarkupPathGeometry>(GetValue(m_pDataProperty));
    if ((pStroke == NULL && pFill == NULL) || pGeometry == NULL)
        return;
    if (IsStretched()) {
        CZPMarkupPathGeometry* pScaled = pGeometry->ScaleTo(m_szRender.cx, m_szRender.cy);
        pContext->DrawPath(pScaled, GetStrokeThickness(), pStroke, pFill);
        pScaled->Release();
    } else {
        pContext->DrawPath(pGeometry, GetStrokeThickness(), pStroke, pFill);
    }
}
