// Stack, wrap, dock and uniform-grid layout. Every sum and product is taken in 64 bits and
// saturates, so huge children or counts give huge but valid rectangles.
#include "markup/ZPMarkupStackPanel.h"

#include "markup/ZPMarkupConverters.h"
#include "markup/ZPMarkupDependencyProperty.h"
#include "markup/ZPMarkupValues.h"

#include <algorithm>

namespace {

// An int property's value, or nUnset.
int IntOr(const CZPMarkupObject* pObject, CZPMarkupDependencyProperty* pProperty, int nUnset)
{
    const CZPMarkupInt* pValue = ZpMarkupCast<CZPMarkupInt>(pObject->GetValue(pProperty));
    return pValue != NULL ? pValue->m_nValue : nUnset;
}

CZPMarkupDependencyProperty* RegisterInt(LPCWSTR lpszName, CZPMarkupType* pOwner)
{
    return CZPMarkupDependencyProperty::Register(lpszName, CZPMarkupInt::GetClassType(), pOwner,
                                                 new CZPMarkupPropertyMetadata(NULL, kZpMarkupAffectsMeasure));
}

CZPMarkupDependencyProperty* RegisterOrientation(CZPMarkupType* pOwner)
{
    return CZPMarkupDependencyProperty::Register(
        L"Orientation", CZPMarkupEnum::GetClassType(), pOwner,
        new CZPMarkupPropertyMetadata(NULL, &ZpMarkupConvertOrientation, kZpMarkupAffectsMeasure));
}

RECT MakeRect(int x, int y, int cx, int cy)
{
    return RECT{ x, y, ZpMarkupSaturate(static_cast<long long>(x) + cx),
                 ZpMarkupSaturate(static_cast<long long>(y) + cy) };
}

const int kHorizontal = 0;
const int kVertical = 1;
enum
{
    dockLeft,
    dockTop,
    dockRight,
    dockBottom
};
}  // namespace

// --- Stack panel -------------------------------------------------------------------------------

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupStackPanel, L"StackPanel", CZPMarkupPanel, &CZPMarkupStackPanel::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupStackPanel::m_pOrientationProperty = NULL;

void CZPMarkupStackPanel::RegisterProperties()
{
    m_pOrientationProperty = RegisterOrientation(GetClassType());
}

SIZE CZPMarkupStackPanel::MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight)
{
    const BOOL bHorizontal = ZpMarkupEnumValue(this, m_pOrientationProperty, kVertical) == kHorizontal;
    long long nAlong = 0;
    int nAcross = 0;
    for (int i = 0; i < m_pChildren->GetCount(); ++i) {
        CZPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        if (pChild == NULL)
            continue;
        pChild->Measure(pContext, bHorizontal ? kZpMarkupInfinite : nWidth, bHorizontal ? nHeight : kZpMarkupInfinite);
        const SIZE sz = pChild->GetDesiredSize();
        nAlong += bHorizontal ? sz.cx : sz.cy;
        nAcross = std::max(nAcross, static_cast<int>(bHorizontal ? sz.cy : sz.cx));
    }
    return bHorizontal ? SIZE{ ZpMarkupSaturate(nAlong), nAcross } : SIZE{ nAcross, ZpMarkupSaturate(nAlong) };
}

SIZE CZPMarkupStackPanel::ArrangeOverride(int nWidth, int nHeight)
{
    const BOOL bHorizontal = ZpMarkupEnumValue(this, m_pOrientationProperty, kVertical) == kHorizontal;
    int nOffset = 0;
    for (int i = 0; i < m_pChildren->GetCount(); ++i) {
        CZPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        if (pChild == NULL)
            continue;
        const SIZE sz = pChild->GetDesiredSize();
        if (bHorizontal) {
            pChild->Arrange(MakeRect(nOffset, 0, sz.cx, std::max(nHeight, static_cast<int>(sz.cy))));
            nOffset = ZpMarkupAddSaturated(nOffset, sz.cx);
        } else {
            pChild->Arrange(MakeRect(0, nOffset, std::max(nWidth, static_cast<int>(sz.cx)), sz.cy));
            nOffset = ZpMarkupAddSaturated(nOffset, sz.cy);
        }
    }
    return SIZE{ nWidth, nHeight };
}

// --- Wrap panel --------------------------------------------------------------------------------

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupWrapPanel, L"WrapPanel", CZPMarkupPanel, &CZPMarkupWrapPanel::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupWrapPanel::m_pOrientationProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupWrapPanel::m_pItemHeightProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupWrapPanel::m_pItemWidthProperty = NULL;

void CZPMarkupWrapPanel::RegisterProperties()
{
    CZPMarkupType* pType = GetClassType();
    m_pOrientationProperty = RegisterOrientation(pType);
    m_pItemHeightProperty = RegisterInt(L"ItemHeight", pType);
    m_pItemWidthProperty = RegisterInt(L"ItemWidth", pType);
}

SIZE CZPMarkupWrapPanel::MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight)
{
    const int nItemWidth = IntOr(this, m_pItemWidthProperty, -1);
    const int nItemHeight = IntOr(this, m_pItemHeightProperty, -1);
    for (int i = 0; i < m_pChildren->GetCount(); ++i) {
        if (CZPMarkupUIElement* pChild = m_pChildren->GetElement(i))
            pChild->Measure(pContext, nItemWidth >= 0 ? nItemWidth : nWidth, nItemHeight >= 0 ? nItemHeight : nHeight);
    }
    const BOOL bHorizontal = ZpMarkupEnumValue(this, m_pOrientationProperty, kHorizontal) == kHorizontal;
    const SIZE sz = LayoutLines(bHorizontal ? nWidth : nHeight, FALSE);
    return bHorizontal ? sz : SIZE{ sz.cy, sz.cx };
}

SIZE CZPMarkupWrapPanel::ArrangeOverride(int nWidth, int nHeight)
{
    const BOOL bHorizontal = ZpMarkupEnumValue(this, m_pOrientationProperty, kHorizontal) == kHorizontal;
    LayoutLines(bHorizontal ? nWidth : nHeight, TRUE);
    return SIZE{ nWidth, nHeight };
}

SIZE CZPMarkupWrapPanel::LayoutLines(int nLimit, BOOL bArrange)
{
    const BOOL bHorizontal = ZpMarkupEnumValue(this, m_pOrientationProperty, kHorizontal) == kHorizontal;
    // A negative item size would give inverted slots: it counts as 0.
    const int nItemWidth = IntOr(this, m_pItemWidthProperty, -1);
    const int nItemHeight = IntOr(this, m_pItemHeightProperty, -1);
    auto itemSize = [&](CZPMarkupUIElement* pChild) {
        const SIZE szDesired = pChild->GetDesiredSize();
        SIZE sz = { GetValue(m_pItemWidthProperty) != NULL ? std::max(0, nItemWidth) : szDesired.cx,
                    GetValue(m_pItemHeightProperty) != NULL ? std::max(0, nItemHeight) : szDesired.cy };
        return bHorizontal ? sz : SIZE{ sz.cy, sz.cx };  // (along, across)
    };

    long long nLength = 0;
    int nThickness = 0;
    int nLongest = 0;
    long long nFinished = 0;
    int nLineFirst = -1;  // the index of the current line's first child, -1 while it is empty
    auto finishLine = [&](int nEnd) {
        if (nLineFirst < 0)
            return;
        if (bArrange) {
            const int nLineStart = ZpMarkupSaturate(nFinished);
            int nOffset = 0;
            for (int j = nLineFirst; j < nEnd; ++j) {
                CZPMarkupUIElement* pChild = m_pChildren->GetElement(j);
                if (pChild == NULL)
                    continue;
                const int nAlong = itemSize(pChild).cx;
                pChild->Arrange(bHorizontal ? MakeRect(nOffset, nLineStart, nAlong, nThickness)
                                            : MakeRect(nLineStart, nOffset, nThickness, nAlong));
                nOffset = ZpMarkupAddSaturated(nOffset, nAlong);
            }
        }
        nLongest = std::max(nLongest, ZpMarkupSaturate(nLength));
        nFinished += nThickness;
        nLineFirst = -1;
        nLength = 0;
        nThickness = 0;
    };
    for (int i = 0; i < m_pChildren->GetCount(); ++i) {
        CZPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        if (pChild == NULL)
            continue;
        const SIZE sz = itemSize(pChild);
        if (nLineFirst >= 0 && nLength + sz.cx > nLimit)
            finishLine(i);
        if (nLineFirst < 0)
            nLineFirst = i;
        nLength += sz.cx;
        nThickness = std::max(nThickness, static_cast<int>(sz.cy));
    }
    finishLine(m_pChildren->GetCount());
    return SIZE{ nLongest, ZpMarkupSaturate(nFinished) };
}

// --- Dock panel --------------------------------------------------------------------------------

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupDockPanel, L"DockPanel", CZPMarkupPanel, &CZPMarkupDockPanel::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupDockPanel::m_pLastChildFillProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupDockPanel::m_pDockProperty = NULL;

void CZPMarkupDockPanel::RegisterProperties()
{
    CZPMarkupType* pType = GetClassType();
    m_pLastChildFillProperty = CZPMarkupDependencyProperty::Register(
        L"LastChildFill", CZPMarkupBool::GetClassType(), pType,
        new CZPMarkupPropertyMetadata(CZPMarkupBool::CreateTrueValue(), kZpMarkupAffectsArrange));
    m_pDockProperty = CZPMarkupDependencyProperty::RegisterAttached(
        L"Dock", CZPMarkupEnum::GetClassType(), pType,
        new CZPMarkupPropertyMetadata(CZPMarkupEnum::CreateValue(dockLeft), &ConvertDock, &OnDockChanged, 0));
}

CZPMarkupObject* CZPMarkupDockPanel::ConvertDock(CZPMarkupBuilder*, CZPMarkupObject* pValue)
{
    static const ZP_MARKUP_ENUMWORD s_docks[] = {
        { L"Left", dockLeft }, { L"Top", dockTop }, { L"Right", dockRight }, { L"Bottom", dockBottom }
    };
    return ZpMarkupConvertEnum(pValue, s_docks, 4);
}

void CZPMarkupDockPanel::OnDockChanged(CZPMarkupObject* pObject, MarkupPropertyChangedEventArgs*)
{
    CZPMarkupUIElement* pElement = ZpMarkupCast<CZPMarkupUIElement>(pObject);
    if (pElement == NULL)
        return;
    if (CZPMarkupDockPanel* pPanel = ZpMarkupCast<CZPMarkupDockPanel>(pElement->GetVisualParent()))
        pPanel->InvalidateMeasure();
}

SIZE CZPMarkupDockPanel::MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight)
{
    long long nUsedWidth = 0, nUsedHeight = 0, nWidest = 0, nTallest = 0;
    for (int i = 0; i < m_pChildren->GetCount(); ++i) {
        CZPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        if (pChild == NULL)
            continue;
        pChild->Measure(pContext, ZpMarkupSaturate(std::max(0LL, nWidth - nUsedWidth)),
                        ZpMarkupSaturate(std::max(0LL, nHeight - nUsedHeight)));
        const SIZE sz = pChild->GetDesiredSize();
        switch (ZpMarkupEnumValue(pChild, m_pDockProperty, dockLeft)) {
        case dockLeft:
        case dockRight:
            nTallest = std::max(nTallest, sz.cy + nUsedHeight);
            nUsedWidth += sz.cx;
            break;
        case dockTop:
        case dockBottom:
            nWidest = std::max(nWidest, sz.cx + nUsedWidth);
            nUsedHeight += sz.cy;
            break;
        }
    }
    return SIZE{ ZpMarkupSaturate(std::max(nWidest, nUsedWidth)), ZpMarkupSaturate(std::max(nTallest, nUsedHeight)) };
}

SIZE CZPMarkupDockPanel::ArrangeOverride(int nWidth, int nHeight)
{
    const CZPMarkupBool* pFill = ZpMarkupCast<CZPMarkupBool>(GetValue(m_pLastChildFillProperty));
    const int nCount = m_pChildren->GetCount();
    const int nDocked = (pFill == NULL || pFill->m_bValue) ? nCount - 1 : nCount;
    long long nLeft = 0, nTop = 0, nRightUsed = 0, nBottomUsed = 0;
    for (int i = 0; i < nCount; ++i) {
        CZPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        if (pChild == NULL)
            continue;
        const SIZE sz = pChild->GetDesiredSize();
        const long long nRemainingRight = nLeft + std::max(0LL, nWidth - nRightUsed - nLeft);
        const long long nRemainingBottom = nTop + std::max(0LL, nHeight - nBottomUsed - nTop);
        long long rc[4] = { nLeft, nTop, nRemainingRight, nRemainingBottom };
        if (i < nDocked) {
            switch (ZpMarkupEnumValue(pChild, m_pDockProperty, dockLeft)) {
            case dockLeft:
                rc[2] = nLeft + sz.cx;
                nLeft += sz.cx;
                break;
            case dockTop:
                rc[3] = nTop + sz.cy;
                nTop += sz.cy;
                break;
            case dockRight:
                nRightUsed += sz.cx;
                rc[0] = std::max(0LL, nWidth - nRightUsed);
                rc[2] = rc[0] + sz.cx;
                break;
            case dockBottom:
                nBottomUsed += sz.cy;
                rc[1] = std::max(0LL, nHeight - nBottomUsed);
                rc[3] = rc[1] + sz.cy;
                break;
            }
        }
        pChild->Arrange(
            RECT{ ZpMarkupSaturate(rc[0]), ZpMarkupSaturate(rc[1]), ZpMarkupSaturate(rc[2]), ZpMarkupSaturate(rc[3]) });
    }
    return SIZE{ nWidth, nHeight };
}

// --- Uniform grid ------------------------------------------------------------------------------

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupUniformGrid, L"UniformGrid", CZPMarkupPanel, &CZPMarkupUniformGrid::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupUniformGrid::m_pFirstColumnProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupUniformGrid::m_pColumnsProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupUniformGrid::m_pRowsProperty = NULL;

void CZPMarkupUniformGrid::RegisterProperties()
{
    CZPMarkupType* pType = GetClassType();
    m_pFirstColumnProperty = RegisterInt(L"FirstColumn", pType);
    m_pColumnsProperty = RegisterInt(L"Columns", pType);
    m_pRowsProperty = RegisterInt(L"Rows", pType);
}

void CZPMarkupUniformGrid::UpdateComputedValues()
{
    // Negative counts would make a zero or negative divisor: they count as unset.
    long long nColumns = std::max(0, IntOr(this, m_pColumnsProperty, 0));
    long long nRows = std::max(0, IntOr(this, m_pRowsProperty, 0));
    long long nFirst = std::max(0, IntOr(this, m_pFirstColumnProperty, 0));
    if (nFirst >= nColumns)
        nFirst = 0;
    if (nRows == 0 || nColumns == 0) {
        long long n = 0;
        for (int i = 0; i < m_pChildren->GetCount(); ++i) {
            CZPMarkupUIElement* pChild = m_pChildren->GetElement(i);
            if (pChild != NULL && pChild->GetVisibility() != CZPMarkupUIElement::visibilityCollapsed)
                ++n;
        }
        n = std::max(1LL, n);
        if (nRows == 0 && nColumns > 0) {
            nRows = (n + nColumns + nFirst - 1) / nColumns;
        } else if (nRows == 0) {
            long long nSide = 1;
            while (nSide * nSide < n)
                ++nSide;
            nRows = nColumns = nSide;
        } else {
            nColumns = (nRows + n - 1) / nRows;
        }
    }
    m_nColumns = ZpMarkupSaturate(nColumns);
    m_nRows = ZpMarkupSaturate(nRows);
    m_nFirstColumn = ZpMarkupSaturate(nFirst);
}

SIZE CZPMarkupUniformGrid::MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight)
{
    UpdateComputedValues();
    const int nCellWidth = nWidth / m_nColumns;
    const int nCellHeight = nHeight / m_nRows;
    int nWidest = 0, nTallest = 0;
    for (int i = 0; i < m_pChildren->GetCount(); ++i) {
        CZPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        if (pChild == NULL)
            continue;
        pChild->Measure(pContext, nCellWidth, nCellHeight);
        nWidest = std::max(nWidest, static_cast<int>(pChild->GetDesiredSize().cx));
        nTallest = std::max(nTallest, static_cast<int>(pChild->GetDesiredSize().cy));
    }
    return SIZE{ ZpMarkupSaturate(static_cast<long long>(nWidest) * m_nColumns),
                 ZpMarkupSaturate(static_cast<long long>(nTallest) * m_nRows) };
}

SIZE CZPMarkupUniformGrid::ArrangeOverride(int nWidth, int nHeight)
{
    const long long nCellWidth = nWidth / m_nColumns;
    const long long nCellHeight = nHeight / m_nRows;
    long long nLeft = nCellWidth * m_nFirstColumn;
    long long nTop = 0;
    for (int i = 0; i < m_pChildren->GetCount(); ++i) {
        CZPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        if (pChild == NULL)
            continue;
        pChild->Arrange(RECT{ ZpMarkupSaturate(nLeft), ZpMarkupSaturate(nTop), ZpMarkupSaturate(nLeft + nCellWidth),
                              ZpMarkupSaturate(nTop + nCellHeight) });
        if (pChild->GetVisibility() == CZPMarkupUIElement::visibilityCollapsed)
            continue;
        nLeft += nCellWidth;
        if (nLeft + nCellWidth > nWidth) {
            nLeft = 0;
            nTop += nCellHeight;
        }
    }
    return SIZE{ nWidth, nHeight };
}
