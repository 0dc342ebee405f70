// Grid layout. Children are measured in four cell groups so star sizes can depend on auto sizes;
// doubles truncate toward zero after clamping, and spans sum in doubles so nothing overflows.
#include "markup/ZPMarkupGrid.h"

#include "markup/ZPMarkupDependencyProperty.h"
#include "markup/ZPMarkupStackPanel.h"
#include "markup/ZPMarkupValues.h"

#include <algorithm>

namespace {
// A measure size above this is unbounded for star definitions: they size to content instead.
const int kStarAsAutoAbove = 32000;

int Trunc(double d)
{
    if (!(d == d))
        return 0;
    if (d >= kZpMarkupInfinite)
        return kZpMarkupInfinite;
    if (d <= -kZpMarkupInfinite)
        return -kZpMarkupInfinite;
    return static_cast<int>(d);
}

int IntOr(const CZPMarkupObject* pObject, CZPMarkupDependencyProperty* pProperty, int nUnset)
{
    const CZPMarkupInt* pValue = ZpMarkupCast<CZPMarkupInt>(pObject->GetValue(pProperty));
    return pValue != NULL ? pValue->m_nValue : nUnset;
}

CZPMarkupDependencyProperty* MinProperty(const CZPMarkupDefinitionBase* p)
{
    return p->m_bColumn ? CZPMarkupColumnDefinition::m_pMinWidthProperty : CZPMarkupRowDefinition::m_pMinHeightProperty;
}
CZPMarkupDependencyProperty* MaxProperty(const CZPMarkupDefinitionBase* p)
{
    return p->m_bColumn ? CZPMarkupColumnDefinition::m_pMaxWidthProperty : CZPMarkupRowDefinition::m_pMaxHeightProperty;
}

double StarLimit(const CZPMarkupDefinitionBase* p)
{
    return p->HasUserMax() ? std::max(p->m_nMinSize, p->m_nUserMax) : p->m_nMinSize;
}

// Shares the space left over the star definitions; the sizes go to the measure size or the cache.
void ShareStars(std::vector<CZPMarkupDefinitionBase*>& stars, int nAvailable, double& dTaken, BOOL bToCache)
{
    std::stable_sort(stars.begin(), stars.end(),
                     [](const CZPMarkupDefinitionBase* a, const CZPMarkupDefinitionBase* b) {
                         return a->m_dSizeCache < b->m_dSizeCache;
                     });
    double dSum = 0;
    for (size_t i = stars.size(); i-- > 0;) {
        dSum += stars[i]->GetStarValue();
        stars[i]->m_dSizeCache = dSum;
    }
    for (CZPMarkupDefinitionBase* p : stars) {
        const double v = p->GetStarValue();
        double dSize = p->m_nMinSize;
        if (v != 0)
            dSize = std::max(p->m_nMinSize,
                             std::min(Trunc(v / p->m_dSizeCache * std::max(nAvailable - dTaken, 0.0)), p->m_nUserMax));
        if (bToCache)
            p->m_dSizeCache = dSize;
        else
            p->m_dMeasureSize = dSize;
        dTaken += dSize;
    }
}

void PrepareStar(CZPMarkupDefinitionBase* p)
{
    const double v = p->GetStarValue();
    p->m_dMeasureSize = v;
    p->m_dSizeCache = v == 0 ? 0 : StarLimit(p) / v;
}

void ShareMeasureStars(CZPMarkupDefinitionCollection* pDefs, int nAvailable)
{
    double dTaken = 0;
    std::vector<CZPMarkupDefinitionBase*> stars;
    for (int i = 0; i < pDefs->GetCount(); ++i) {
        CZPMarkupDefinitionBase* p = pDefs->GetDefinition(i);
        if (p->m_nSizeType == CZPMarkupDefinitionBase::sizePixel)
            dTaken += p->m_dMeasureSize;
        else if (p->m_nSizeType == CZPMarkupDefinitionBase::sizeAuto)
            dTaken += p->m_nMinSize;
        else if (p->m_nSizeType == CZPMarkupDefinitionBase::sizeStar) {
            PrepareStar(p);
            stars.push_back(p);
        }
    }
    ShareStars(stars, nAvailable, dTaken, FALSE);
}

void ResetDefinitions(CZPMarkupDefinitionCollection* pDefs, BOOL bStarAsAuto)
{
    for (int i = 0; i < pDefs->GetCount(); ++i) {
        CZPMarkupDefinitionBase* p = pDefs->GetDefinition(i);
        p->m_nMinSize = 0;
        p->m_nSizeType = 0;
        p->m_dMeasureSize = 0;
        p->m_nUserMin = IntOr(p, MinProperty(p), 0);
        p->m_nUserMax = IntOr(p, MaxProperty(p), kZpMarkupInfinite);
        p->m_nUserSize = kZpMarkupInfinite;
        const CZPMarkupGridLength* pLength = p->GetUserLength();
        if (pLength->m_nUnit == CZPMarkupGridLength::unitAuto)
            p->m_nSizeType = CZPMarkupDefinitionBase::sizeAuto;
        else if (pLength->m_nUnit == CZPMarkupGridLength::unitPixel) {
            p->m_nSizeType = CZPMarkupDefinitionBase::sizePixel;
            p->m_nUserSize = Trunc(pLength->m_dValue);
            p->m_nUserMin = std::max(p->m_nUserMin, std::min(p->m_nUserSize, p->m_nUserMax));
        } else
            p->m_nSizeType = bStarAsAuto ? CZPMarkupDefinitionBase::sizeAuto : CZPMarkupDefinitionBase::sizeStar;
        p->m_nMinSize = std::max(0, p->m_nUserMin);
        p->m_dMeasureSize = std::max(p->m_nUserMin, std::min(p->m_nUserSize, p->m_nUserMax));
    }
}

// The room of a span: auto definitions give their minimum, the others their measure size.
int SpanMeasure(CZPMarkupDefinitionCollection* pDefs, int nStart, int nCount)
{
    double d = 0;
    for (int i = nStart; i < nStart + nCount; ++i) {
        const CZPMarkupDefinitionBase* p = pDefs->GetDefinition(i);
        d += p->m_nSizeType == CZPMarkupDefinitionBase::sizeAuto ? p->m_nMinSize : p->m_dMeasureSize;
    }
    return Trunc(d);
}

// Final sizes (in the size caches) and offsets of the definitions over nFinal.
void FinalSizes(CZPMarkupDefinitionCollection* pDefs, int nFinal)
{
    std::vector<CZPMarkupDefinitionBase*> stars, others;
    double dTotal = 0;
    for (int i = 0; i < pDefs->GetCount(); ++i) {
        CZPMarkupDefinitionBase* p = pDefs->GetDefinition(i);
        const CZPMarkupGridLength* pLength = p->GetUserLength();
        if (pLength->m_nUnit == CZPMarkupGridLength::unitStar) {
            PrepareStar(p);
            stars.push_back(p);
        } else {
            const double dUser = pLength->m_nUnit == CZPMarkupGridLength::unitAuto ? p->m_nMinSize : pLength->m_dValue;
            p->m_dSizeCache = std::max<double>(p->m_nMinSize, std::min<double>(dUser, p->m_nUserMax));
            dTotal += p->m_dSizeCache;
            others.push_back(p);
        }
    }
    ShareStars(stars, nFinal, dTotal, TRUE);
    if (nFinal < dTotal) {
        std::stable_sort(stars.begin(), stars.end(),
                         [](const CZPMarkupDefinitionBase* a, const CZPMarkupDefinitionBase* b) {
                             return a->m_dSizeCache - a->m_nMinSize < b->m_dSizeCache - b->m_nMinSize;
                         });
        std::vector<CZPMarkupDefinitionBase*> work(stars);
        work.insert(work.end(), others.rbegin(), others.rend());
        double d = nFinal - dTotal;
        for (size_t i = 0; i < work.size(); ++i) {
            CZPMarkupDefinitionBase* p = work[i];
            double dNew = p->m_dSizeCache + d / static_cast<double>(work.size() - i);
            dNew = std::min(std::max<double>(dNew, p->m_nMinSize), p->m_dSizeCache);
            d += p->m_dSizeCache - dNew;
            p->m_dSizeCache = dNew;
        }
    }
    long long nOffset = 0;
    for (int i = 0; i < pDefs->GetCount(); ++i) {
        CZPMarkupDefinitionBase* p = pDefs->GetDefinition(i);
        p->m_nFinalOffset = ZpMarkupSaturate(nOffset);
        nOffset += Trunc(p->m_dSizeCache);
    }
}

long long SpanFinal(CZPMarkupDefinitionCollection* pDefs, int nStart, int nCount)
{
    long long n = 0;
    for (int i = nStart; i < nStart + nCount; ++i)
        n += Trunc(pDefs->GetDefinition(i)->m_dSizeCache);
    return n;
}

// A reference to the user's definitions when there are any, else to one new default definition.
CZPMarkupDefinitionCollection* Effective(CZPMarkupDefinitionCollection* pUser, BOOL bColumn)
{
    if (pUser->GetCount() > 0) {
        pUser->AddRef();
        return pUser;
    }
    CZPMarkupDefinitionCollection* p;
    if (bColumn) {
        p = new CZPMarkupColumnDefinitionCollection;
        p->Add(new CZPMarkupColumnDefinition);
    } else {
        p = new CZPMarkupRowDefinitionCollection;
        p->Add(new CZPMarkupRowDefinition);
    }
    return p;
}
}  // namespace

// --- Grid length -------------------------------------------------------------------------------

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupGridLength, NULL, CZPMarkupObject, NULL)

BOOL CZPMarkupGridLength::IsEqual(const CZPMarkupObject* pOther) const
{
    if (pOther == NULL || pOther->GetType() != GetClassType())
        return FALSE;
    const CZPMarkupGridLength* p = static_cast<const CZPMarkupGridLength*>(pOther);
    return p->m_dValue == m_dValue && p->m_nUnit == m_nUnit;
}

CZPMarkupObject* CZPMarkupGridLength::ConvertFrom(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* pValue)
{
    CZPMarkupString* pString = ZpMarkupCast<CZPMarkupString>(pValue);
    if (pString == NULL || pString->GetLength() == 0)
        return NULL;
    LPCWSTR p = pString->GetText();
    const int nLength = pString->GetLength();
    if (nLength == 4 && _wcsicmp(p, L"Auto") == 0)
        return new CZPMarkupGridLength(1, unitAuto);
    double dValue = 0;
    if (p[nLength - 1] == L'*') {
        if (nLength == 1)
            return new CZPMarkupGridLength(1, unitStar);
        if (!ZpMarkupReadNumber(p, dValue, L'*', FALSE) || *p != 0)
            return NULL;
        return new CZPMarkupGridLength(dValue, unitStar);
    }
    if (!ZpMarkupReadNumber(p, dValue, 0, TRUE))
        return NULL;
    return new CZPMarkupGridLength(dValue, unitPixel);
}

// --- Definitions -------------------------------------------------------------------------------

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupDefinitionBase, L"DefinitionBase", CZPMarkupObject, NULL)
ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupColumnDefinition, L"ColumnDefinition", CZPMarkupDefinitionBase,
                        &CZPMarkupColumnDefinition::RegisterProperties)
ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupRowDefinition, L"RowDefinition", CZPMarkupDefinitionBase,
                        &CZPMarkupRowDefinition::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupColumnDefinition::m_pWidthProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupColumnDefinition::m_pMinWidthProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupColumnDefinition::m_pMaxWidthProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupRowDefinition::m_pHeightProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupRowDefinition::m_pMinHeightProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupRowDefinition::m_pMaxHeightProperty = NULL;

namespace {
void RegisterDefinition(CZPMarkupType* pType, LPCWSTR lpszLength, LPCWSTR lpszMin, LPCWSTR lpszMax,
                        CZPMarkupDependencyProperty*& pLength, CZPMarkupDependencyProperty*& pMin,
                        CZPMarkupDependencyProperty*& pMax)
{
    pLength = CZPMarkupDependencyProperty::Register(
        lpszLength, CZPMarkupGridLength::GetClassType(), pType,
        new CZPMarkupPropertyMetadata(new CZPMarkupGridLength(1, CZPMarkupGridLength::unitStar), 0));
    pMin = CZPMarkupDependencyProperty::Register(lpszMin, CZPMarkupInt::GetClassType(), pType);
    pMax = CZPMarkupDependencyProperty::Register(lpszMax, CZPMarkupInt::GetClassType(), pType);
}
}  // namespace

void CZPMarkupColumnDefinition::RegisterProperties()
{
    RegisterDefinition(GetClassType(), L"Width", L"MinWidth", L"MaxWidth", m_pWidthProperty, m_pMinWidthProperty,
                       m_pMaxWidthProperty);
}

void CZPMarkupRowDefinition::RegisterProperties()
{
    RegisterDefinition(GetClassType(), L"Height", L"MinHeight", L"MaxHeight", m_pHeightProperty, m_pMinHeightProperty,
                       m_pMaxHeightProperty);
}

const CZPMarkupGridLength* CZPMarkupDefinitionBase::GetUserLength() const
{
    static const CZPMarkupGridLength s_star(1, CZPMarkupGridLength::unitStar);
    const CZPMarkupGridLength* p = ZpMarkupCast<CZPMarkupGridLength>(
        GetValue(m_bColumn ? CZPMarkupColumnDefinition::m_pWidthProperty : CZPMarkupRowDefinition::m_pHeightProperty));
    return p != NULL ? p : &s_star;
}

double CZPMarkupDefinitionBase::GetStarValue() const
{
    const CZPMarkupGridLength* p = GetUserLength();
    return p->m_nUnit == CZPMarkupGridLength::unitStar && p->m_dValue > 0 ? p->m_dValue : 0;
}

BOOL CZPMarkupDefinitionBase::HasUserMax() const
{
    return GetValue(MaxProperty(this)) != NULL;
}

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupDefinitionCollection, NULL, CZPMarkupCollection, NULL)
ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupColumnDefinitionCollection, NULL, CZPMarkupDefinitionCollection, NULL)
ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupRowDefinitionCollection, NULL, CZPMarkupDefinitionCollection, NULL)

CZPMarkupColumnDefinitionCollection::CZPMarkupColumnDefinitionCollection()
    : CZPMarkupDefinitionCollection(CZPMarkupColumnDefinition::GetClassType())
{}

CZPMarkupRowDefinitionCollection::CZPMarkupRowDefinitionCollection()
    : CZPMarkupDefinitionCollection(CZPMarkupRowDefinition::GetClassType())
{}

// --- Grid --------------------------------------------------------------------------------------

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupGrid, L"Grid", CZPMarkupPanel, &CZPMarkupGrid::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupGrid::m_pColumnDefinitionsProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupGrid::m_pRowDefinitionsProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupGrid::m_pColumnProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupGrid::m_pRowProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupGrid::m_pColumnSpanProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupGrid::m_pRowSpanProperty = NULL;

void CZPMarkupGrid::RegisterProperties()
{
    CZPMarkupType* pType = GetClassType();
    m_pColumnDefinitionsProperty = CZPMarkupDependencyProperty::Register(
        L"ColumnDefinitions", CZPMarkupColumnDefinitionCollection::GetClassType(), pType);
    m_pRowDefinitionsProperty = CZPMarkupDependencyProperty::Register(
        L"RowDefinitions", CZPMarkupRowDefinitionCollection::GetClassType(), pType);
    auto attached = [pType](LPCWSTR lpszName) {
        return CZPMarkupDependencyProperty::RegisterAttached(lpszName, CZPMarkupInt::GetClassType(), pType,
                                                             new CZPMarkupPropertyMetadata(NULL, &OnCellChanged, 0));
    };
    m_pColumnProperty = attached(L"Column");
    m_pRowProperty = attached(L"Row");
    m_pColumnSpanProperty = attached(L"ColumnSpan");
    m_pRowSpanProperty = attached(L"RowSpan");
}

void CZPMarkupGrid::OnCellChanged(CZPMarkupObject* pObject, MarkupPropertyChangedEventArgs* /*pArgs*/)
{
    if (CZPMarkupUIElement* pElement = ZpMarkupCast<CZPMarkupUIElement>(pObject)) {
        if (CZPMarkupGrid* pGrid = ZpMarkupCast<CZPMarkupGrid>(pElement->GetVisualParent()))
            pGrid->InvalidateMeasure();
    }
}

CZPMarkupGrid::CZPMarkupGrid()
    : m_pColumns(new CZPMarkupColumnDefinitionCollection), m_pRows(new CZPMarkupRowDefinitionCollection)
{
    m_pColumns->SetLogicalParent(this);
    m_pRows->SetLogicalParent(this);
}

CZPMarkupGrid::~CZPMarkupGrid()
{
    m_pColumns->Release();
    m_pRows->Release();
    if (m_pEffectiveColumns != NULL)
        m_pEffectiveColumns->Release();
    if (m_pEffectiveRows != NULL)
        m_pEffectiveRows->Release();
}

void CZPMarkupGrid::SetPropertyObject(CZPMarkupBuilder* pBuilder, CZPMarkupDependencyProperty* pProperty,
                                      CZPMarkupObject* pValue)
{
    if (pProperty != NULL && (pProperty == m_pColumnDefinitionsProperty || pProperty == m_pRowDefinitionsProperty)) {
        const BOOL bColumns = pProperty == m_pColumnDefinitionsProperty;
        CZPMarkupObject* pCollection =
            bColumns ? static_cast<CZPMarkupObject*>(ZpMarkupCast<CZPMarkupColumnDefinitionCollection>(pValue))
                     : ZpMarkupCast<CZPMarkupRowDefinitionCollection>(pValue);
        // A refused value stays with the caller, who releases it when the build fails.
        if (pCollection == NULL) {
            ZpMarkupThrowBuilderError(bColumns ? L"CZPMarkupColumnDefinitionCollection class expected"
                                               : L"CZPMarkupRowDefinitionCollection class expected");
        }
        pCollection->SetLogicalParent(this);
        if (bColumns) {
            m_pColumns->Release();
            m_pColumns = static_cast<CZPMarkupColumnDefinitionCollection*>(pCollection);
        } else {
            m_pRows->Release();
            m_pRows = static_cast<CZPMarkupRowDefinitionCollection*>(pCollection);
        }
        return;
    }
    CZPMarkupPanel::SetPropertyObject(pBuilder, pProperty, pValue);
}

SIZE CZPMarkupGrid::MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight)
{
    if (m_pColumns->GetCount() == 0 && m_pRows->GetCount() == 0) {
        SIZE szDesired = { 0, 0 };
        for (int i = 0; i < m_pChildren->GetCount(); ++i) {
            CZPMarkupUIElement* pChild = m_pChildren->GetElement(i);
            if (pChild == NULL)
                continue;
            pChild->Measure(pContext, nWidth, nHeight);
            szDesired.cx = std::max(szDesired.cx, pChild->GetDesiredSize().cx);
            szDesired.cy = std::max(szDesired.cy, pChild->GetDesiredSize().cy);
        }
        return szDesired;
    }
    if (m_pEffectiveColumns != NULL)
        m_pEffectiveColumns->Release();
    if (m_pEffectiveRows != NULL)
        m_pEffectiveRows->Release();
    m_pEffectiveColumns = Effective(m_pColumns, TRUE);
    m_pEffectiveRows = Effective(m_pRows, FALSE);
    ResetDefinitions(m_pEffectiveColumns, nWidth > kStarAsAutoAbove);
    ResetDefinitions(m_pEffectiveRows, nHeight > kStarAsAutoAbove);

    const int nColumns = m_pEffectiveColumns->GetCount();
    const int nRows = m_pEffectiveRows->GetCount();
    m_cells.assign(m_pChildren->GetCount(), CELLCACHE());
    m_bHasCells = TRUE;
    std::fill(m_groups, m_groups + groupCount, kNoCell);
    m_bStarColumns = m_bStarRows = m_bGroup3InAutoRows = FALSE;
    for (int i = m_pChildren->GetCount() - 1; i >= 0; --i) {
        CZPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        if (pChild == NULL)
            continue;
        CELLCACHE& cell = m_cells[i];
        // Negative indices have no definition before them: they count as 0.
        cell.nColumn = std::max(0, std::min(IntOr(pChild, m_pColumnProperty, 0), nColumns - 1));
        cell.nRow = std::max(0, std::min(IntOr(pChild, m_pRowProperty, 0), nRows - 1));
        cell.nColumnSpan = std::min(std::max(1, IntOr(pChild, m_pColumnSpanProperty, 1)), nColumns - cell.nColumn);
        cell.nRowSpan = std::min(std::max(1, IntOr(pChild, m_pRowSpanProperty, 1)), nRows - cell.nRow);
        cell.nColumnTypes = cell.nRowTypes = 0;
        for (int c = cell.nColumn; c < cell.nColumn + cell.nColumnSpan; ++c)
            cell.nColumnTypes |= m_pEffectiveColumns->GetDefinition(c)->m_nSizeType;
        for (int r = cell.nRow; r < cell.nRow + cell.nRowSpan; ++r)
            cell.nRowTypes |= m_pEffectiveRows->GetDefinition(r)->m_nSizeType;
        const BOOL bStarColumn = (cell.nColumnTypes & CZPMarkupDefinitionBase::sizeStar) != 0;
        const BOOL bStarRow = (cell.nRowTypes & CZPMarkupDefinitionBase::sizeStar) != 0;
        int nGroup;
        if (!bStarRow)
            nGroup = bStarColumn ? groupStarColumn : groupNoStar;
        else
            nGroup = (cell.nColumnTypes & CZPMarkupDefinitionBase::sizeAuto) != 0 && !bStarColumn
                         ? groupStarRowAutoColumn
                         : groupStarRowOther;
        if (nGroup == groupStarColumn && (cell.nRowTypes & CZPMarkupDefinitionBase::sizeAuto) != 0)
            m_bGroup3InAutoRows = TRUE;
        m_bStarColumns |= bStarColumn;
        m_bStarRows |= bStarRow;
        cell.nNext = m_groups[nGroup];
        m_groups[nGroup] = i;
    }

    MeasureGroup(pContext, m_groups[groupNoStar], FALSE, FALSE);
    if (!m_bGroup3InAutoRows) {
        if (m_bStarRows)
            ShareMeasureStars(m_pEffectiveRows, nHeight);
        MeasureGroup(pContext, m_groups[groupStarRowAutoColumn], FALSE, FALSE);
        if (m_bStarColumns)
            ShareMeasureStars(m_pEffectiveColumns, nWidth);
        MeasureGroup(pContext, m_groups[groupStarColumn], FALSE, FALSE);
    } else if (m_groups[groupStarRowAutoColumn] == kNoCell) {
        if (m_bStarColumns)
            ShareMeasureStars(m_pEffectiveColumns, nWidth);
        MeasureGroup(pContext, m_groups[groupStarColumn], FALSE, FALSE);
        if (m_bStarRows)
            ShareMeasureStars(m_pEffectiveRows, nHeight);
    } else {
        MeasureGroup(pContext, m_groups[groupStarRowAutoColumn], FALSE, TRUE);
        if (m_bStarColumns)
            ShareMeasureStars(m_pEffectiveColumns, nWidth);
        MeasureGroup(pContext, m_groups[groupStarColumn], FALSE, FALSE);
        if (m_bStarRows)
            ShareMeasureStars(m_pEffectiveRows, nHeight);
        MeasureGroup(pContext, m_groups[groupStarRowAutoColumn], TRUE, FALSE);
    }
    MeasureGroup(pContext, m_groups[groupStarRowOther], FALSE, FALSE);

    long long cx = 0, cy = 0;
    for (int c = 0; c < nColumns; ++c)
        cx += m_pEffectiveColumns->GetDefinition(c)->m_nMinSize;
    for (int r = 0; r < nRows; ++r)
        cy += m_pEffectiveRows->GetDefinition(r)->m_nMinSize;
    return SIZE{ ZpMarkupSaturate(cx), ZpMarkupSaturate(cy) };
}

void CZPMarkupGrid::MeasureGroup(CZPMarkupDrawingContext* pContext, int nHead, BOOL bIgnoreWidths, BOOL bRowsUnbounded)
{
    std::vector<SPANKEY> spans;
    const int nAutoOnly = CZPMarkupDefinitionBase::sizeAuto;
    const int nTypeMask = CZPMarkupDefinitionBase::sizeAuto | CZPMarkupDefinitionBase::sizeStar;
    for (int i = nHead; i != kNoCell; i = m_cells[i].nNext) {
        const CELLCACHE& cell = m_cells[i];
        CZPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        const int nCellWidth = (cell.nColumnTypes & nTypeMask) == nAutoOnly
                                   ? kZpMarkupInfinite
                                   : SpanMeasure(m_pEffectiveColumns, cell.nColumn, cell.nColumnSpan);
        const int nCellHeight = bRowsUnbounded || (cell.nRowTypes & nTypeMask) == nAutoOnly
                                    ? kZpMarkupInfinite
                                    : SpanMeasure(m_pEffectiveRows, cell.nRow, cell.nRowSpan);
        pChild->Measure(pContext, nCellWidth, nCellHeight);
        const SIZE sz = pChild->GetDesiredSize();
        if (!bIgnoreWidths) {
            if (cell.nColumnSpan == 1) {
                CZPMarkupDefinitionBase* p = m_pEffectiveColumns->GetDefinition(cell.nColumn);
                p->m_nMinSize = std::max(p->m_nMinSize, static_cast<int>(sz.cx));
            } else
                spans.push_back(SPANKEY{ cell.nColumnSpan, cell.nColumn, TRUE, static_cast<int>(sz.cx) });
        }
        if (!bRowsUnbounded) {
            if (cell.nRowSpan == 1) {
                CZPMarkupDefinitionBase* p = m_pEffectiveRows->GetDefinition(cell.nRow);
                p->m_nMinSize = std::max(p->m_nMinSize, static_cast<int>(sz.cy));
            } else
                spans.push_back(SPANKEY{ cell.nRowSpan, cell.nRow, FALSE, static_cast<int>(sz.cy) });
        }
    }
    for (const SPANKEY& key : spans)
        ApplySpan(key.bColumn ? m_pEffectiveColumns : m_pEffectiveRows, key);
}

void CZPMarkupGrid::ApplySpan(CZPMarkupDefinitionCollection* pDefs, const SPANKEY& key)
{
    if (key.nSize == 0)
        return;
    struct Entry
    {
        CZPMarkupDefinitionBase* p;
        double dPreferred;
        BOOL bAuto;
    };
    std::vector<Entry> span;
    double dMin = 0, dPreferred = 0, dMax = 0, dLargest = 0;
    int nAuto = 0;
    for (int i = key.nStart; i < key.nStart + key.nCount; ++i) {
        CZPMarkupDefinitionBase* p = pDefs->GetDefinition(i);
        const double m = p->m_nMinSize;
        const double pref = p->m_nSizeType == CZPMarkupDefinitionBase::sizeAuto ? m : std::max(m, p->m_dMeasureSize);
        const double x = p->HasUserMax() ? std::max<double>(m, p->m_nUserMax) : m;
        p->m_dSizeCache = x;
        dMin += m;
        dPreferred += pref;
        dMax += x;
        dLargest = std::max(dLargest, x);
        const BOOL bAuto = p->GetUserLength()->m_nUnit == CZPMarkupGridLength::unitAuto;
        nAuto += bAuto ? 1 : 0;
        span.push_back(Entry{ p, pref, bAuto });
    }
    const double R = key.nSize;
    const int n = key.nCount;
    if (R <= dMin)
        return;
    if (R <= dPreferred) {
        std::stable_sort(span.begin(), span.end(), [](const Entry& a, const Entry& b) {
            if (a.bAuto != b.bAuto)
                return a.bAuto != FALSE;
            return a.bAuto ? a.p->m_nMinSize < b.p->m_nMinSize : a.dPreferred < b.dPreferred;
        });
        double dRest = R;
        for (int i = 0; i < nAuto; ++i)
            dRest -= span[i].p->m_nMinSize;
        for (int i = nAuto; i < n; ++i) {
            const double dShare = std::min(dRest / (n - i), span[i].dPreferred);
            if (span[i].p->m_nMinSize < dShare)
                span[i].p->m_nMinSize = Trunc(dShare);
            dRest -= dShare;
        }
    } else if (R <= dMax) {
        std::stable_sort(span.begin(), span.end(), [](const Entry& a, const Entry& b) {
            if (a.bAuto != b.bAuto)
                return a.bAuto == FALSE;
            return a.p->m_dSizeCache < b.p->m_dSizeCache;
        });
        double dRest = R - dPreferred;
        const int nOthers = n - nAuto;
        for (int i = 0; i < n; ++i) {
            CZPMarkupDefinitionBase* p = span[i].p;
            const int nBefore = p->m_nMinSize;
            const double dNew = i < nOthers ? span[i].dPreferred + dRest / (nOthers - i) : nBefore + dRest / (n - i);
            p->m_nMinSize = std::max(p->m_nMinSize, Trunc(std::min(dNew, p->m_dSizeCache)));
            dRest -= p->m_nMinSize - (i < nOthers ? span[i].dPreferred : nBefore);
        }
    } else {
        const double dEqual = R / n;
        for (const Entry& e : span) {
            const double x = e.p->m_dSizeCache;
            const int nNew =
                dEqual < dLargest ? Trunc(x + (dLargest - x) * (R - dMax) / (n * dLargest - dMax)) : Trunc(dEqual);
            e.p->m_nMinSize = std::max(e.p->m_nMinSize, nNew);
        }
    }
}

SIZE CZPMarkupGrid::ArrangeOverride(int nWidth, int nHeight)
{
    const BOOL bPlain = (m_pColumns->GetCount() == 0 && m_pRows->GetCount() == 0) || !m_bHasCells ||
                        m_pEffectiveColumns == NULL || m_pEffectiveRows == NULL;
    if (!bPlain) {
        FinalSizes(m_pEffectiveColumns, nWidth);
        FinalSizes(m_pEffectiveRows, nHeight);
    }
    for (int i = 0; i < m_pChildren->GetCount(); ++i) {
        CZPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        if (pChild == NULL)
            continue;
        if (bPlain || i >= static_cast<int>(m_cells.size())) {
            pChild->Arrange(RECT{ 0, 0, nWidth, nHeight });
            continue;
        }
        const CELLCACHE& cell = m_cells[i];
        const int x = m_pEffectiveColumns->GetDefinition(cell.nColumn)->m_nFinalOffset;
        const int y = m_pEffectiveRows->GetDefinition(cell.nRow)->m_nFinalOffset;
        pChild->Arrange(RECT{ x, y,
                              ZpMarkupSaturate(x + SpanFinal(m_pEffectiveColumns, cell.nColumn, cell.nColumnSpan)),
                              ZpMarkupSaturate(y + SpanFinal(m_pEffectiveRows, cell.nRow, cell.nRowSpan)) });
    }
    return SIZE{ nWidth, nHeight };
}
