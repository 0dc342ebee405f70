// Panels that place their children by fixed rules: a stack in one row or column, rows or columns
// that wrap, docking along the edges with the last child filling the rest, and equal cells.
#pragma once

#include "markup/ZPMarkupPanel.h"

class CZPMarkupStackPanel : public CZPMarkupPanel
{
    ZP_DECLARE_MARKUPTYPE()
public:
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;

    static CZPMarkupDependencyProperty* m_pOrientationProperty;  // unset reads as vertical
    static void RegisterProperties();
};

class CZPMarkupWrapPanel : public CZPMarkupPanel
{
    ZP_DECLARE_MARKUPTYPE()
public:
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;

    static CZPMarkupDependencyProperty* m_pOrientationProperty;  // unset reads as horizontal
    static CZPMarkupDependencyProperty* m_pItemHeightProperty;
    static CZPMarkupDependencyProperty* m_pItemWidthProperty;
    static void RegisterProperties();

private:
    // Walks the children in lines no longer than nLimit; when bArrange, places each finished
    // line. Answers the (along, across) extent: longest line and the summed thicknesses.
    SIZE LayoutLines(int nLimit, BOOL bArrange);
};

class CZPMarkupDockPanel : public CZPMarkupPanel
{
    ZP_DECLARE_MARKUPTYPE()
public:
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;

    static CZPMarkupDependencyProperty* m_pLastChildFillProperty;
    static CZPMarkupDependencyProperty* m_pDockProperty;  // attached, set on the children
    static void RegisterProperties();
    static CZPMarkupObject* ConvertDock(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue);
    static void OnDockChanged(CZPMarkupObject* pObject, MarkupPropertyChangedEventArgs* pArgs);
};

class CZPMarkupUniformGrid : public CZPMarkupPanel
{
    ZP_DECLARE_MARKUPTYPE()
public:
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;

    int GetComputedColumns() const { return m_nColumns; }
    int GetComputedRows() const { return m_nRows; }
    int GetComputedFirstColumn() const { return m_nFirstColumn; }

    static CZPMarkupDependencyProperty* m_pFirstColumnProperty;
    static CZPMarkupDependencyProperty* m_pColumnsProperty;
    static CZPMarkupDependencyProperty* m_pRowsProperty;
    static void RegisterProperties();

private:
    void UpdateComputedValues();

    int m_nColumns = 1;  // never below 1 once computed
    int m_nRows = 1;
    int m_nFirstColumn = 0;
};
