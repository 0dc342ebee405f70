// Geometry values of shapes: integer point lists («0,0 10,20») and path geometries read from
// path-data text («M 0,0 L 100,0 Z»), with their bounds and scaled copies.
#pragma once

#include "markup/ZPMarkupObject.h"

#include <vector>

struct MARKUP_POINTF
{
    float x;
    float y;
};

class CZPMarkupPathGeometry : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    // Point types, as GDI+ paths take them.
    enum
    {
        typeStart = 0,
        typeLine = 1,
        typeBezier = 3,
        typeCloseSubpath = 0x80
    };
    // Coordinates beyond this are refused: single-precision sums lose meaning long before
    // they overflow, and bounds must fit in integers.
    static constexpr float kMaxCoordinate = 1e7f;

    CZPMarkupPathGeometry();
    CZPMarkupPathGeometry(const MARKUP_POINTF* pPoints, const BYTE* pTypes, int nCount);

    // NULL unless the value is a string; a syntax error raises a builder error.
    CZPMarkupObject* ConvertFrom(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue) override;
    // A copy mapped from the bounds onto (0, 0, width, height); the caller owns it.
    CZPMarkupPathGeometry* ScaleTo(int nWidth, int nHeight) const;

    int GetCount() const { return static_cast<int>(m_points.size()); }
    const MARKUP_POINTF* GetPoints() const { return m_points.data(); }
    const BYTE* GetTypes() const { return m_types.data(); }
    const RECT& GetBounds() const { return m_rcBounds; }

    int m_nPixelOffsetMode;  // 0 none, 4 half

private:
    void ComputeBounds();

    std::vector<MARKUP_POINTF> m_points;
    std::vector<BYTE> m_types;
    RECT m_rcBounds;
};

class CZPMarkupPointCollection : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupPointCollection() : m_rcBounds() {}
    CZPMarkupPointCollection(const POINT* pPoints, int nCount);

    // A new collection, or NULL unless the value is a string that reads as a point list.
    CZPMarkupObject* ConvertFrom(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue) override;
    // Fills the caller's array (GetCount entries) with the points mapped onto (0, 0, width, height).
    void GetScaledPoints(POINT* pPoints, int nWidth, int nHeight) const;

    int GetCount() const { return static_cast<int>(m_points.size()); }
    const POINT* GetPoints() const { return m_points.data(); }
    const RECT& GetBounds() const { return m_rcBounds; }

private:
    void ComputeBounds();

    std::vector<POINT> m_points;
    RECT m_rcBounds;
};
