// A panel of rows and columns sized in pixels, to content ("Auto") or by star shares of the rest.
#pragma once

#include "markup/ZPMarkupPanel.h"

#include <vector>

// A row height or column width: pixels, "Auto" or a star share.
class CZPMarkupGridLength : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    enum
    {
        unitAuto = 0,
        unitPixel = 1,
        unitStar = 2
    };
    explicit CZPMarkupGridLength(double dValue = 0, int nUnit = unitPixel) : m_dValue(dValue), m_nUnit(nUnit) {}

    BOOL IsEqual(const CZPMarkupObject* pOther) const override;
    // "Auto", "*", "2.5*" or a number of pixels; anything else gives no value.
    CZPMarkupObject* ConvertFrom(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue) override;

    const double m_dValue;
    const int m_nUnit;
};

class CZPMarkupDefinitionBase : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    enum
    {
        sizePixel = 1,
        sizeAuto = 2,
        sizeStar = 4
    };
    explicit CZPMarkupDefinitionBase(BOOL bColumn = FALSE) : m_bColumn(bColumn) {}

    // "Width" or "Height": 1 star when unset.
    const CZPMarkupGridLength* GetUserLength() const;
    // The star value, negative ones counting as 0 so a star sum never reaches 0 with stars left.
    double GetStarValue() const;
    BOOL HasUserMax() const;

    BOOL m_bColumn;
    int m_nMinSize = 0;
    int m_nSizeType = 0;
    double m_dMeasureSize = 0;
    double m_dSizeCache = 0;
    int m_nFinalOffset = 0;
    int m_nUserMin = 0;
    int m_nUserMax = kZpMarkupInfinite;   // none given
    int m_nUserSize = kZpMarkupInfinite;  // no pixel size given
};

class CZPMarkupColumnDefinition : public CZPMarkupDefinitionBase
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupColumnDefinition() : CZPMarkupDefinitionBase(TRUE) {}

    static CZPMarkupDependencyProperty* m_pWidthProperty;
    static CZPMarkupDependencyProperty* m_pMinWidthProperty;
    static CZPMarkupDependencyProperty* m_pMaxWidthProperty;
    static void RegisterProperties();
};

class CZPMarkupRowDefinition : public CZPMarkupDefinitionBase
{
    ZP_DECLARE_MARKUPTYPE()
public:
    static CZPMarkupDependencyProperty* m_pHeightProperty;
    static CZPMarkupDependencyProperty* m_pMinHeightProperty;
    static CZPMarkupDependencyProperty* m_pMaxHeightProperty;
    static void RegisterProperties();
};

class CZPMarkupDefinitionCollection : public CZPMarkupCollection
{
    ZP_DECLARE_MARKUPTYPE()
public:
    explicit CZPMarkupDefinitionCollection(CZPMarkupType* pElementType = NULL) : CZPMarkupCollection(pElementType) {}
    CZPMarkupDefinitionBase* GetDefinition(int nIndex) const
    {
        return static_cast<CZPMarkupDefinitionBase*>(GetAt(nIndex));
    }
};

class CZPMarkupColumnDefinitionCollection : public CZPMarkupDefinitionCollection
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupColumnDefinitionCollection();
};

class CZPMarkupRowDefinitionCollection : public CZPMarkupDefinitionCollection
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupRowDefinitionCollection();
};

class CZPMarkupGrid : public CZPMarkupPanel
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupGrid();
    ~CZPMarkupGrid() override;

    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;
    void SetPropertyObject(CZPMarkupBuilder* pBuilder, CZPMarkupDependencyProperty* pProperty,
                           CZPMarkupObject* pValue) override;

    CZPMarkupColumnDefinitionCollection* GetColumnDefinitions() const { return m_pColumns; }
    CZPMarkupRowDefinitionCollection* GetRowDefinitions() const { return m_pRows; }

    static CZPMarkupDependencyProperty* m_pColumnDefinitionsProperty;
    static CZPMarkupDependencyProperty* m_pRowDefinitionsProperty;
    static CZPMarkupDependencyProperty* m_pColumnProperty;  // attached, set on the children
    static CZPMarkupDependencyProperty* m_pRowProperty;
    static CZPMarkupDependencyProperty* m_pColumnSpanProperty;
    static CZPMarkupDependencyProperty* m_pRowSpanProperty;
    static void RegisterProperties();
    static void OnCellChanged(CZPMarkupObject* pObject, MarkupPropertyChangedEventArgs* pArgs);

    // Children are measured in four groups by the kinds of definitions their cells span, so that
    // star sizes can depend on auto sizes.
    enum
    {
        groupNoStar = 0,             // neither a star row nor a star column
        groupStarRowAutoColumn = 1,  // star rows, auto columns and no star column
        groupStarColumn = 2,         // star columns, no star row
        groupStarRowOther = 3,       // star rows with star or pixel columns
        groupCount = 4
    };
    // The end of a group's list of cells.
    static constexpr int kNoCell = kZpMarkupInfinite;

    struct CELLCACHE
    {
        int nColumn, nRow, nColumnSpan, nRowSpan;
        int nColumnTypes, nRowTypes;
        int nNext;
    };
    struct SPANKEY
    {
        int nCount, nStart;
        BOOL bColumn;
        int nSize;
    };

private:
    void MeasureGroup(CZPMarkupDrawingContext* pContext, int nHead, BOOL bIgnoreWidths, BOOL bRowsUnbounded);
    static void ApplySpan(CZPMarkupDefinitionCollection* pDefs, const SPANKEY& key);

    CZPMarkupColumnDefinitionCollection* m_pColumns;  // one reference each; the grid is their parent
    CZPMarkupRowDefinitionCollection* m_pRows;
    CZPMarkupDefinitionCollection* m_pEffectiveColumns = NULL;  // one reference each, NULL before measuring
    CZPMarkupDefinitionCollection* m_pEffectiveRows = NULL;
    std::vector<CELLCACHE> m_cells;
    BOOL m_bHasCells = FALSE;
    int m_groups[groupCount] = { kNoCell, kNoCell, kNoCell, kNoCell };  // first cell of each group
    BOOL m_bStarColumns = FALSE;
    BOOL m_bStarRows = FALSE;
    BOOL m_bGroup3InAutoRows = FALSE;
};
