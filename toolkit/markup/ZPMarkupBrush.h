// Brushes, the values of the brush properties of elements: a solid colour and a linear
// gradient with its stops; and the point value their geometry is written with.
#pragma once

#include "markup/ZPMarkupCollection.h"

#include <vector>

class CZPMarkupBrush : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    // The single colour GDI draws the brush with (alpha dropped).
    virtual COLORREF GetColor() const;
    // Attribute text: a colour gives a new solid brush, anything else NULL.
    CZPMarkupObject* ConvertFrom(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue) override;
};

class CZPMarkupSolidColorBrush : public CZPMarkupBrush
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupSolidColorBrush();
    explicit CZPMarkupSolidColorBrush(COLORREF clr);
    CZPMarkupSolidColorBrush(BYTE nAlpha, COLORREF clr);

    COLORREF GetColor() const override;
    // The alpha is not compared.
    BOOL IsEqual(const CZPMarkupObject* pOther) const override;
    // The colour with its alpha in the top byte; FALSE when "Color" is unset.
    BOOL GetColorValue(DWORD& dwValue) const;

    static CZPMarkupDependencyProperty* m_pColorProperty;
    static void RegisterProperties();
};

class CZPMarkupGradientStop : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    // Unset colour: transparent black; unset offset: 0.
    DWORD GetColorValue() const;
    double GetOffset() const;

    static CZPMarkupDependencyProperty* m_pColorProperty;
    static CZPMarkupDependencyProperty* m_pOffsetProperty;
    static void RegisterProperties();
};

class CZPMarkupGradientStops : public CZPMarkupCollection
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupGradientStops();
};

// x and y as doubles; the text form is "x,y".
class CZPMarkupPoint : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupPoint(double x = 0, double y = 0) : m_x(x), m_y(y) {}

    CZPMarkupObject* ConvertFrom(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue) override;

    double m_x, m_y;
};

// One stop as both back ends use it: offset order, ties in collection order.
struct ZP_MARKUP_GRADIENTSTOP
{
    DWORD dwColor;  // alpha in the top byte, then a COLORREF
    double dOffset;
};

// The colour at gradient parameter t over stops sorted by offset: the end stops' colours outside
// them, else the blend of the two neighbours, each channel (alpha included) truncated.
DWORD ZpMarkupGradientColorAt(const std::vector<ZP_MARKUP_GRADIENTSTOP>& stops, double t);

class CZPMarkupLinearGradientBrush : public CZPMarkupBrush
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupLinearGradientBrush();

    COLORREF GetColor() const override;
    // GradientStop content goes into the brush's stop collection.
    void SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return TRUE; }

    CZPMarkupGradientStops* GetGradientStops() const;
    // Appends a new stop.
    void AddStop(DWORD dwColor, double dOffset);
    void GetSortedStops(std::vector<ZP_MARKUP_GRADIENTSTOP>& stops) const;
    // Relative to the painted box; (0, 0) and (1, 1) when unset.
    void GetPoints(double& x1, double& y1, double& x2, double& y2) const;

    static CZPMarkupDependencyProperty* m_pStartPointProperty;
    static CZPMarkupDependencyProperty* m_pEndPointProperty;
    static CZPMarkupDependencyProperty* m_pGradientStopsProperty;
    static void RegisterProperties();
};
