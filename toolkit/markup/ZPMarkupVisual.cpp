// Visuals, UI elements and framework elements: measure, arrange, render, hit test, invalidation.
#include "markup/ZPMarkupVisual.h"

#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupConverters.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupValues.h"

#include <algorithm>

int ZpMarkupSaturate(long long n)
{
    return static_cast<int>(std::max<long long>(-kZpMarkupInfinite, std::min<long long>(kZpMarkupInfinite, n)));
}

int ZpMarkupEnumValue(const CZPMarkupObject* pObject, CZPMarkupDependencyProperty* pProperty, int nUnset)
{
    const CZPMarkupEnum* pValue = ZpMarkupCast<CZPMarkupEnum>(pObject->GetValue(pProperty));
    return pValue != NULL ? pValue->m_nValue : nUnset;
}

namespace {
BOOL ContainsPoint(const RECT& rc, int x, int y)
{
    return x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
}

BOOL Intersects(const RECT& a, const RECT& b)
{
    RECT rc;
    return ::IntersectRect(&rc, &a, &b);
}

void OffsetBy(RECT& rc, int dx, int dy)
{
    rc.left = ZpMarkupAddSaturated(rc.left, dx);
    rc.right = ZpMarkupAddSaturated(rc.right, dx);
    rc.top = ZpMarkupAddSaturated(rc.top, dy);
    rc.bottom = ZpMarkupAddSaturated(rc.bottom, dy);
}

// An int property's value, or the fallback when unset. "Auto" (kZpMarkupInfinite) counts as
// unset: taken literally it pins the minimum to infinity.
int IntValue(const CZPMarkupObject* pObject, CZPMarkupDependencyProperty* pProperty, int nUnset)
{
    const CZPMarkupInt* pValue = ZpMarkupCast<CZPMarkupInt>(pObject->GetValue(pProperty));
    if (pValue == NULL || pValue->m_nValue == kZpMarkupInfinite)
        return nUnset;
    return pValue->m_nValue;
}

// The nearest logical ancestor of the class.
template <class T> T* FindAncestor(const CZPMarkupObject* pObject)
{
    for (CZPMarkupObject* pParent = pObject->GetLogicalParent(); pParent != NULL;
         pParent = pParent->GetLogicalParent()) {
        if (T* pFound = ZpMarkupCast<T>(pParent))
            return pFound;
    }
    return NULL;
}

BOOL BoolValue(const CZPMarkupObject* pObject, CZPMarkupDependencyProperty* pProperty)
{
    const CZPMarkupBool* pValue = ZpMarkupCast<CZPMarkupBool>(pObject->GetValue(pProperty));
    return pValue != NULL && pValue->m_bValue;
}
}  // namespace

int ZpMarkupAddSaturated(int a, int b)
{
    return ZpMarkupSaturate(static_cast<long long>(a) + b);
}

int ZpMarkupRectWidth(const RECT& rc)
{
    return ZpMarkupSaturate(static_cast<long long>(rc.right) - rc.left);
}

int ZpMarkupRectHeight(const RECT& rc)
{
    return ZpMarkupSaturate(static_cast<long long>(rc.bottom) - rc.top);
}

POINT ZpMarkupPointToElement(const CZPMarkupObject* pElement, POINT pt)
{
    for (const CZPMarkupObject* pObject = pElement; pObject != NULL; pObject = pObject->GetLogicalParent()) {
        if (const CZPMarkupVisual* pVisual = ZpMarkupCast<CZPMarkupVisual>(const_cast<CZPMarkupObject*>(pObject))) {
            pt.x = ZpMarkupAddSaturated(pt.x, -pVisual->GetVisualOffset().x);
            pt.y = ZpMarkupAddSaturated(pt.y, -pVisual->GetVisualOffset().y);
        }
    }
    return pt;
}

POINT MarkupMouseEventArgs::GetPosition(const CZPMarkupObject* pElement) const
{
    return ZpMarkupPointToElement(pElement, POINT{ x, y });
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupVisual

ZP_IMPLEMENT_MARKUPTYPE_EX(CZPMarkupVisual, NULL, CZPMarkupInputElement, NULL, NULL)

CZPMarkupVisual::CZPMarkupVisual() : m_ptOffset{ 0, 0 }, m_szRender{ 0, 0 }, m_rcBound{ 0, 0, 0, 0 } {}

int CZPMarkupVisual::GetLogicalChildrenCount() const
{
    return GetVisualChildrenCount();
}

CZPMarkupObject* CZPMarkupVisual::GetLogicalChild(int nIndex) const
{
    return GetVisualChild(nIndex);
}

int CZPMarkupVisual::GetVisualChildrenCount() const
{
    return 0;
}

CZPMarkupVisual* CZPMarkupVisual::GetVisualChild(int /*nIndex*/) const
{
    return NULL;
}

BOOL CZPMarkupVisual::GetLayoutClip(RECT& /*rcClip*/) const
{
    return FALSE;
}

void CZPMarkupVisual::OnRender(CZPMarkupDrawingContext* /*pContext*/) {}

void CZPMarkupVisual::OnRenderFocusVisual(CZPMarkupDrawingContext* /*pContext*/) {}

CZPMarkupInputElement* CZPMarkupVisual::InputHitTestCore(int /*x*/, int /*y*/)
{
    return this;
}

CZPMarkupVisual* CZPMarkupVisual::GetVisualParent() const
{
    return FindAncestor<CZPMarkupVisual>(this);
}

void CZPMarkupVisual::UpdateBoundRect()
{
    ::SetRect(&m_rcBound, 0, 0, m_szRender.cx, m_szRender.cy);
    const int nCount = GetVisualChildrenCount();
    for (int i = 0; i < nCount; i++) {
        CZPMarkupVisual* pChild = GetVisualChild(i);
        if (pChild == NULL)
            continue;
        pChild->UpdateBoundRect();
        RECT rcChild = pChild->m_rcBound;
        if (::IsRectEmpty(&rcChild))
            continue;
        OffsetBy(rcChild, pChild->m_ptOffset.x, pChild->m_ptOffset.y);
        if (::IsRectEmpty(&m_rcBound))
            m_rcBound = rcChild;
        else
            ::UnionRect(&m_rcBound, &m_rcBound, &rcChild);
    }
}

void CZPMarkupVisual::Render(CZPMarkupDrawingContext* pContext)
{
    RECT rcClipBox = pContext->GetClipBox();
    OffsetBy(rcClipBox, -m_ptOffset.x, -m_ptOffset.y);
    if (!Intersects(rcClipBox, m_rcBound))
        return;
    RECT rcLayoutClip;
    const BOOL bLayoutClip = GetLayoutClip(rcLayoutClip);
    if (bLayoutClip) {
        if (::IsRectEmpty(&rcLayoutClip) || !::IntersectRect(&rcClipBox, &rcClipBox, &rcLayoutClip) ||
            !Intersects(rcClipBox, m_rcBound))
            return;
    }
    const POINT ptOffset = m_ptOffset;
    pContext->OffsetOrigin(ptOffset);
    HRGN hSaved = NULL;
    if (bLayoutClip) {
        hSaved = pContext->SaveClipRegion();
        pContext->IntersectClipRect(rcLayoutClip);
    }
    OnRender(pContext);
    const int nCount = GetVisualChildrenCount();
    for (int i = 0; i < nCount; i++) {
        if (CZPMarkupVisual* pChild = GetVisualChild(i))
            pChild->Render(pContext);
    }
    if (BoolValue(this, m_pIsKeyboardFocusedProperty))
        OnRenderFocusVisual(pContext);
    if (bLayoutClip)
        pContext->RestoreClipRegion(hSaved);
    pContext->OffsetOrigin(POINT{ -ptOffset.x, -ptOffset.y });
}

CZPMarkupInputElement* CZPMarkupVisual::InputHitTest(int x, int y)
{
    x = ZpMarkupAddSaturated(x, -m_ptOffset.x);
    y = ZpMarkupAddSaturated(y, -m_ptOffset.y);
    if (!ContainsPoint(m_rcBound, x, y))
        return NULL;
    RECT rcClip;
    if (GetLayoutClip(rcClip) && !ContainsPoint(rcClip, x, y))
        return NULL;
    for (int i = GetVisualChildrenCount() - 1; i >= 0; i--) {
        CZPMarkupVisual* pChild = GetVisualChild(i);
        if (pChild == NULL)
            continue;
        if (CZPMarkupInputElement* pHit = pChild->InputHitTest(x, y))
            return pHit;
    }
    const RECT rcOwn = { 0, 0, m_szRender.cx, m_szRender.cy };
    return ContainsPoint(rcOwn, x, y) ? InputHitTestCore(x, y) : NULL;
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupUIElement

ZP_IMPLEMENT_MARKUPTYPE_EX(CZPMarkupUIElement, NULL, CZPMarkupVisual, NULL, &CZPMarkupUIElement::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupUIElement::m_pClipToBoundsProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupUIElement::m_pVisibilityProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupUIElement::m_pFocusableProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupUIElement::m_pIsEnabledProperty = NULL;

void CZPMarkupUIElement::RegisterProperties()
{
    CZPMarkupType* pType = GetClassType();
    m_pClipToBoundsProperty =
        CZPMarkupDependencyProperty::Register(L"ClipToBounds", CZPMarkupBool::GetClassType(), pType);
    m_pVisibilityProperty = CZPMarkupDependencyProperty::Register(
        L"Visibility", CZPMarkupEnum::GetClassType(), pType,
        new CZPMarkupPropertyMetadata(NULL, &ZpMarkupConvertVisibility, kZpMarkupAffectsMeasure));
    m_pFocusableProperty =
        CZPMarkupDependencyProperty::Register(L"Focusable", CZPMarkupBool::GetClassType(), pType,
                                              new CZPMarkupPropertyMetadata(CZPMarkupBool::CreateFalseValue(), 0));
    m_pIsEnabledProperty =
        CZPMarkupDependencyProperty::Register(L"IsEnabled", CZPMarkupBool::GetClassType(), pType,
                                              new CZPMarkupPropertyMetadata(CZPMarkupBool::CreateTrueValue(), 0));
}

CZPMarkupUIElement::CZPMarkupUIElement()
    : m_szDesired{ 0, 0 }, m_rcFinal{ 0, 0, 0, 0 }, m_bMeasureDirty(FALSE),
      m_bNeverMeasured(TRUE), m_szPreviousAvailable{ 0, 0 }, m_bArrangeDirty(FALSE), m_bNeverArranged(TRUE),
      m_bArrangeInProgress(FALSE), m_bMeasureInProgress(FALSE)
{}

int CZPMarkupUIElement::GetVisibility() const
{
    return ZpMarkupEnumValue(this, m_pVisibilityProperty, visibilityVisible);
}

void CZPMarkupUIElement::Measure(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight)
{
    if (GetVisibility() == visibilityCollapsed) {
        m_szPreviousAvailable = SIZE{ nWidth, nHeight };
        m_bMeasureDirty = TRUE;
        m_bNeverMeasured = FALSE;
        m_szDesired = SIZE{ 0, 0 };
        return;
    }
    if (!m_bMeasureDirty && !m_bNeverMeasured && nWidth == m_szPreviousAvailable.cx &&
        nHeight == m_szPreviousAvailable.cy && !pContext->ForceRemeasure())
        return;
    m_bArrangeDirty = TRUE;
    m_bMeasureInProgress = TRUE;
    m_bNeverMeasured = FALSE;
    m_szDesired = MeasureCore(pContext, nWidth, nHeight);
    m_szPreviousAvailable = SIZE{ nWidth, nHeight };
    m_bMeasureInProgress = FALSE;
    m_bMeasureDirty = pContext->ForceRemeasure();
}

void CZPMarkupUIElement::Arrange(const RECT& rc)
{
    if (GetVisibility() == visibilityCollapsed) {
        m_rcFinal = rc;
        m_bNeverArranged = FALSE;
        m_bArrangeDirty = FALSE;
        return;
    }
    if (m_bNeverMeasured) {
        CZPMarkupDrawingContext context;
        Measure(&context, ZpMarkupRectWidth(rc), ZpMarkupRectHeight(rc));
    }
    if (m_bArrangeDirty || m_bNeverArranged || !::EqualRect(&rc, &m_rcFinal)) {
        m_bNeverArranged = FALSE;
        m_bArrangeInProgress = TRUE;
        ArrangeCore(rc);
        m_bArrangeInProgress = FALSE;
        UpdateBoundRect();
    }
    m_rcFinal = rc;
    m_bArrangeDirty = FALSE;
}

BOOL CZPMarkupUIElement::GetLayoutClip(RECT& rcClip) const
{
    const CZPMarkupEnum* pVisibility = ZpMarkupCast<CZPMarkupEnum>(GetValue(m_pVisibilityProperty));
    if (pVisibility == NULL || pVisibility->m_nValue == visibilityVisible)
        return FALSE;
    ::SetRectEmpty(&rcClip);
    return TRUE;
}

void CZPMarkupUIElement::ArrangeCore(const RECT& rc)
{
    m_szRender = SIZE{ std::max(0, ZpMarkupRectWidth(rc)), std::max(0, ZpMarkupRectHeight(rc)) };
}

SIZE CZPMarkupUIElement::MeasureCore(CZPMarkupDrawingContext* /*pContext*/, int /*nWidth*/, int /*nHeight*/)
{
    return SIZE{ 0, 0 };
}

void CZPMarkupUIElement::InvalidateArrange()
{
    if (m_bArrangeInProgress || m_bNeverArranged)
        return;
    // The area left behind is repainted too: a new alignment or offset moves the element.
    InvalidateVisual();
    m_bArrangeDirty = TRUE;
    Arrange(m_rcFinal);
    InvalidateVisual();
}

void CZPMarkupUIElement::InvalidateVisual()
{
    if (m_pMarkupContext != NULL)
        m_pMarkupContext->InvalidateElement(this);
}

void CZPMarkupUIElement::InvalidateMeasure()
{
    // A tree never laid out costs nothing, not even the memory DC.
    if (m_bMeasureInProgress || m_bNeverMeasured)
        return;
    CZPMarkupDrawingContext context;
    InvalidateMeasure(&context);
}

void CZPMarkupUIElement::InvalidateMeasure(CZPMarkupDrawingContext* pContext)
{
    if (m_bMeasureInProgress || m_bNeverMeasured)
        return;
    const SIZE szOld = m_szDesired;
    m_bMeasureDirty = TRUE;
    m_bArrangeDirty = TRUE;
    Measure(pContext, m_szPreviousAvailable.cx, m_szPreviousAvailable.cy);
    if (m_szDesired.cx == szOld.cx && m_szDesired.cy == szOld.cy) {
        InvalidateVisual();
        Arrange(m_rcFinal);
        InvalidateVisual();
        return;
    }
    m_bMeasureDirty = TRUE;
    m_bArrangeDirty = TRUE;
    if (CZPMarkupUIElement* pParent = ZpMarkupCast<CZPMarkupUIElement>(GetVisualParent()))
        pParent->InvalidateMeasure(pContext);
    else if (m_pMarkupContext != NULL)
        m_pMarkupContext->InvalidateAll(this);
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupFrameworkElement

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupFrameworkElement, L"FrameworkElement", CZPMarkupUIElement,
                        &CZPMarkupFrameworkElement::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupFrameworkElement::m_pMarginProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupFrameworkElement::m_pHorizontalAlignmentProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupFrameworkElement::m_pVerticalAlignmentProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupFrameworkElement::m_pWidthProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupFrameworkElement::m_pHeightProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupFrameworkElement::m_pMinWidthProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupFrameworkElement::m_pMinHeightProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupFrameworkElement::m_pMaxWidthProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupFrameworkElement::m_pMaxHeightProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupFrameworkElement::m_pTagProperty = NULL;

void CZPMarkupFrameworkElement::RegisterProperties()
{
    CZPMarkupType* pType = GetClassType();
    m_pMarginProperty = CZPMarkupDependencyProperty::Register(
        L"Margin", CZPMarkupThickness::GetClassType(), pType,
        new CZPMarkupPropertyMetadata(CZPMarkupThickness::CreateZeroValue(), kZpMarkupAffectsMeasure));
    m_pHorizontalAlignmentProperty = CZPMarkupDependencyProperty::Register(
        L"HorizontalAlignment", CZPMarkupEnum::GetClassType(), pType,
        new CZPMarkupPropertyMetadata(NULL, &ZpMarkupConvertHorizontalAlignment, kZpMarkupAffectsArrange));
    m_pVerticalAlignmentProperty = CZPMarkupDependencyProperty::Register(
        L"VerticalAlignment", CZPMarkupEnum::GetClassType(), pType,
        new CZPMarkupPropertyMetadata(NULL, &ZpMarkupConvertVerticalAlignment, kZpMarkupAffectsArrange));
    auto length = [pType](LPCWSTR lpszName) {
        return CZPMarkupDependencyProperty::Register(
            lpszName, CZPMarkupInt::GetClassType(), pType,
            new CZPMarkupPropertyMetadata(NULL, &ZpMarkupConvertLength, kZpMarkupAffectsMeasure));
    };
    m_pWidthProperty = length(L"Width");
    m_pHeightProperty = length(L"Height");
    m_pMinWidthProperty = length(L"MinWidth");
    m_pMinHeightProperty = length(L"MinHeight");
    m_pMaxWidthProperty = length(L"MaxWidth");
    m_pMaxHeightProperty = length(L"MaxHeight");
    m_pTagProperty = CZPMarkupDependencyProperty::Register(L"Tag", CZPMarkupObject::GetClassType(), pType);
}

CZPMarkupFrameworkElement::CZPMarkupFrameworkElement()
    : m_bNeedsClipBounds(FALSE), m_szUnclippedDesired{ 0, 0 }, m_bUnclippedDesiredValid(FALSE),
      m_nMaxHeight(kZpMarkupInfinite), m_nMinHeight(0), m_nMaxWidth(kZpMarkupInfinite), m_nMinWidth(0)
{}

int CZPMarkupFrameworkElement::GetHorizontalAlignment() const
{
    return ZpMarkupEnumValue(this, m_pHorizontalAlignmentProperty, alignStretch);
}

int CZPMarkupFrameworkElement::GetVerticalAlignment() const
{
    return ZpMarkupEnumValue(this, m_pVerticalAlignmentProperty, alignStretch);
}

const CZPMarkupThickness* CZPMarkupFrameworkElement::GetMargin() const
{
    const CZPMarkupThickness* pMargin = ZpMarkupCast<CZPMarkupThickness>(GetValue(m_pMarginProperty));
    if (pMargin != NULL)
        return pMargin;
    return ZpMarkupCast<CZPMarkupThickness>(m_pMarginProperty->GetDefaultValue());
}

void CZPMarkupFrameworkElement::UpdateMinMax()
{
    const int nHeight = IntValue(this, m_pHeightProperty, kZpMarkupInfinite);
    const int nMinHeight = IntValue(this, m_pMinHeightProperty, 0);
    const int nMaxHeight = IntValue(this, m_pMaxHeightProperty, kZpMarkupInfinite);
    m_nMaxHeight = std::max(std::min(nHeight, nMaxHeight), nMinHeight);
    const int nHeightOrZero = IntValue(this, m_pHeightProperty, 0);
    m_nMinHeight = std::max(std::min(m_nMaxHeight, nHeightOrZero), nMinHeight);

    const int nWidth = IntValue(this, m_pWidthProperty, kZpMarkupInfinite);
    const int nMinWidth = IntValue(this, m_pMinWidthProperty, 0);
    const int nMaxWidth = IntValue(this, m_pMaxWidthProperty, kZpMarkupInfinite);
    m_nMaxWidth = std::max(std::min(nWidth, nMaxWidth), nMinWidth);
    const int nWidthOrZero = IntValue(this, m_pWidthProperty, 0);
    m_nMinWidth = std::max(std::min(m_nMaxWidth, nWidthOrZero), nMinWidth);
}

POINT CZPMarkupFrameworkElement::AlignmentOffset(int nBoxWidth, int nBoxHeight, int nClientWidth,
                                                 int nClientHeight) const
{
    int nHorizontal = GetHorizontalAlignment();
    if (nHorizontal == alignStretch && nBoxWidth > nClientWidth)
        nHorizontal = alignLeft;
    int nVertical = GetVerticalAlignment();
    if (nVertical == alignStretch && nBoxHeight > nClientHeight)
        nVertical = alignTop;
    // Division truncates toward zero: an odd surplus leaves its extra pixel after the box.
    const int nSpareX = ZpMarkupAddSaturated(nClientWidth, -nBoxWidth);
    const int nSpareY = ZpMarkupAddSaturated(nClientHeight, -nBoxHeight);
    POINT pt = { 0, 0 };
    if (nHorizontal == alignCenter || nHorizontal == alignStretch)
        pt.x = nSpareX / 2;
    else if (nHorizontal == alignRight)
        pt.x = nSpareX;
    if (nVertical == alignCenter || nVertical == alignStretch)
        pt.y = nSpareY / 2;
    else if (nVertical == alignBottom)
        pt.y = nSpareY;
    return pt;
}

SIZE CZPMarkupFrameworkElement::MeasureCore(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight)
{
    const CZPMarkupThickness* pMargin = GetMargin();
    const int nMarginWidth = ZpMarkupAddSaturated(pMargin->m_nLeft, pMargin->m_nRight);
    const int nMarginHeight = ZpMarkupAddSaturated(pMargin->m_nTop, pMargin->m_nBottom);

    int nInnerWidth = (nWidth > kZpMarkupHalfInfinite || -nMarginWidth > kZpMarkupHalfInfinite)
                ? kZpMarkupInfinite
                : std::max(0, ZpMarkupAddSaturated(nWidth, -nMarginWidth));
    int nInnerHeight = (nHeight > kZpMarkupHalfInfinite || -nMarginHeight > kZpMarkupHalfInfinite)
                ? kZpMarkupInfinite
                : std::max(0, ZpMarkupAddSaturated(nHeight, -nMarginHeight));

    UpdateMinMax();
    nInnerWidth = std::max(m_nMinWidth, std::min(nInnerWidth, m_nMaxWidth));
    nInnerHeight = std::max(m_nMinHeight, std::min(nInnerHeight, m_nMaxHeight));

    const SIZE szOverride = MeasureOverride(pContext, nInnerWidth, nInnerHeight);
    const int nUnclippedWidth = std::max<int>(szOverride.cx, m_nMinWidth);
    const int nUnclippedHeight = std::max<int>(szOverride.cy, m_nMinHeight);
    BOOL bClipped = FALSE;
    int nClippedWidth = nUnclippedWidth;
    if (nUnclippedWidth > m_nMaxWidth) {
        nClippedWidth = m_nMaxWidth;
        bClipped = TRUE;
    }
    int nClippedHeight = nUnclippedHeight;
    if (nUnclippedHeight > m_nMaxHeight) {
        nClippedHeight = m_nMaxHeight;
        bClipped = TRUE;
    }
    nClippedWidth = ZpMarkupAddSaturated(nClippedWidth, nMarginWidth);
    nClippedHeight = ZpMarkupAddSaturated(nClippedHeight, nMarginHeight);
    if (nClippedWidth > nWidth) {
        nClippedWidth = nWidth;
        bClipped = TRUE;
    }
    if (nClippedHeight > nHeight) {
        nClippedHeight = nHeight;
        bClipped = TRUE;
    }
    m_bNeedsClipBounds = FALSE;
    m_bUnclippedDesiredValid = FALSE;
    if (bClipped || nClippedWidth < 0 || nClippedHeight < 0) {
        m_bNeedsClipBounds = TRUE;
        m_bUnclippedDesiredValid = TRUE;
        m_szUnclippedDesired = SIZE{ nUnclippedWidth, nUnclippedHeight };
    }
    return SIZE{ std::max(0, nClippedWidth), std::max(0, nClippedHeight) };
}

void CZPMarkupFrameworkElement::ArrangeCore(const RECT& rc)
{
    const CZPMarkupThickness* pMargin = GetMargin();
    const int nMarginWidth = ZpMarkupAddSaturated(pMargin->m_nLeft, pMargin->m_nRight);
    const int nMarginHeight = ZpMarkupAddSaturated(pMargin->m_nTop, pMargin->m_nBottom);
    const int nSlotWidth = std::max(0, ZpMarkupAddSaturated(ZpMarkupRectWidth(rc), -nMarginWidth));
    const int nSlotHeight = std::max(0, ZpMarkupAddSaturated(ZpMarkupRectHeight(rc), -nMarginHeight));
    int nArrangeWidth = nSlotWidth;
    int nArrangeHeight = nSlotHeight;

    int nUnclippedWidth, nUnclippedHeight;
    if (m_bUnclippedDesiredValid) {
        nUnclippedWidth = m_szUnclippedDesired.cx;
        nUnclippedHeight = m_szUnclippedDesired.cy;
    } else {
        nUnclippedWidth = std::max(0, ZpMarkupAddSaturated(m_szDesired.cx, -nMarginWidth));
        nUnclippedHeight = std::max(0, ZpMarkupAddSaturated(m_szDesired.cy, -nMarginHeight));
    }
    // A slot smaller than the content never squeezes it: the content keeps its size, clipped.
    if (nArrangeWidth < nUnclippedWidth) {
        m_bNeedsClipBounds = TRUE;
        nArrangeWidth = nUnclippedWidth;
    }
    if (nArrangeHeight < nUnclippedHeight) {
        m_bNeedsClipBounds = TRUE;
        nArrangeHeight = nUnclippedHeight;
    }
    if (GetHorizontalAlignment() != alignStretch)
        nArrangeWidth = nUnclippedWidth;
    if (GetVerticalAlignment() != alignStretch)
        nArrangeHeight = nUnclippedHeight;
    const int nArrangeMaxWidth = std::max(nUnclippedWidth, m_nMaxWidth);
    if (nArrangeMaxWidth < nArrangeWidth) {
        m_bNeedsClipBounds = TRUE;
        nArrangeWidth = nArrangeMaxWidth;
    }
    const int nArrangeMaxHeight = std::max(nUnclippedHeight, m_nMaxHeight);
    if (nArrangeMaxHeight < nArrangeHeight) {
        m_bNeedsClipBounds = TRUE;
        nArrangeHeight = nArrangeMaxHeight;
    }

    const SIZE szRender = ArrangeOverride(nArrangeWidth, nArrangeHeight);
    m_szRender = SIZE{ std::max<int>(0, szRender.cx), std::max<int>(0, szRender.cy) };
    const int nKeptWidth = std::min<int>(m_szRender.cx, m_nMaxWidth);
    const int nKeptHeight = std::min<int>(m_szRender.cy, m_nMaxHeight);
    if (nKeptWidth < m_szRender.cx || nKeptHeight < m_szRender.cy)
        m_bNeedsClipBounds = TRUE;
    if (nSlotWidth < nKeptWidth || nSlotHeight < nKeptHeight)
        m_bNeedsClipBounds = TRUE;
    const POINT ptAlign = AlignmentOffset(nKeptWidth, nKeptHeight, nSlotWidth, nSlotHeight);
    m_ptOffset.x = ZpMarkupAddSaturated(ZpMarkupAddSaturated(rc.left, pMargin->m_nLeft), ptAlign.x);
    m_ptOffset.y = ZpMarkupAddSaturated(ZpMarkupAddSaturated(rc.top, pMargin->m_nTop), ptAlign.y);
}

BOOL CZPMarkupFrameworkElement::GetLayoutClip(RECT& rcClip) const
{
    if (CZPMarkupUIElement::GetLayoutClip(rcClip))
        return TRUE;
    const BOOL bClipToBounds = BoolValue(this, m_pClipToBoundsProperty);
    if (!bClipToBounds && !m_bNeedsClipBounds)
        return FALSE;
    const int nClipMaxWidth = m_nMaxWidth != kZpMarkupInfinite ? m_nMaxWidth : m_szRender.cx;
    const int nClipMaxHeight = m_nMaxHeight != kZpMarkupInfinite ? m_nMaxHeight : m_szRender.cy;
    const BOOL bToMax = bClipToBounds || nClipMaxWidth < m_szRender.cx || nClipMaxHeight < m_szRender.cy;
    const int nKeptWidth = std::min<int>(m_szRender.cx, m_nMaxWidth);
    const int nKeptHeight = std::min<int>(m_szRender.cy, m_nMaxHeight);
    const CZPMarkupThickness* pMargin = GetMargin();
    const int nMarginWidth = ZpMarkupAddSaturated(pMargin->m_nLeft, pMargin->m_nRight);
    const int nMarginHeight = ZpMarkupAddSaturated(pMargin->m_nTop, pMargin->m_nBottom);
    const int nSlotWidth = std::max(0, ZpMarkupAddSaturated(ZpMarkupRectWidth(m_rcFinal), -nMarginWidth));
    const int nSlotHeight = std::max(0, ZpMarkupAddSaturated(ZpMarkupRectHeight(m_rcFinal), -nMarginHeight));
    const BOOL bToSlot = bClipToBounds || nSlotWidth < nKeptWidth || nSlotHeight < nKeptHeight;
    const RECT rcMax = { 0, 0, nClipMaxWidth, nClipMaxHeight };
    if (!bToSlot) {
        if (!bToMax)
            return FALSE;
        rcClip = rcMax;
        return TRUE;
    }
    const POINT pt = AlignmentOffset(nKeptWidth, nKeptHeight, nSlotWidth, nSlotHeight);
    ::SetRect(&rcClip, -pt.x, -pt.y, ZpMarkupAddSaturated(nSlotWidth, -pt.x), ZpMarkupAddSaturated(nSlotHeight, -pt.y));
    if (bToMax && !::IntersectRect(&rcClip, &rcClip, &rcMax))
        ::SetRectEmpty(&rcClip);
    return TRUE;
}

SIZE CZPMarkupFrameworkElement::MeasureOverride(CZPMarkupDrawingContext* /*pContext*/, int /*nWidth*/, int /*nHeight*/)
{
    return SIZE{ 0, 0 };
}

SIZE CZPMarkupFrameworkElement::ArrangeOverride(int nWidth, int nHeight)
{
    return SIZE{ nWidth, nHeight };
}

void CZPMarkupFrameworkElement::OnPropertyChanged(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                                                  CZPMarkupObject* pNewValue)
{
    CZPMarkupUIElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    UpdateTriggers(pProperty, pNewValue);
    const DWORD dwFlags = pProperty->GetFlags();
    if (dwFlags & kZpMarkupAffectsMeasure)
        InvalidateMeasure();
    if (dwFlags & kZpMarkupAffectsArrange)
        InvalidateArrange();
    if (dwFlags & kZpMarkupAffectsRender)
        InvalidateVisual();
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupFrameworkContentElement

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupFrameworkContentElement, L"FrameworkContentElement", CZPMarkupInputElement,
                        &CZPMarkupFrameworkContentElement::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupFrameworkContentElement::m_pTagProperty = NULL;

void CZPMarkupFrameworkContentElement::RegisterProperties()
{
    CZPMarkupFrameworkElement::GetClassType()->EnsureRegistered();
    m_pTagProperty = CZPMarkupFrameworkElement::m_pTagProperty->AddOwner(GetClassType());
}

CZPMarkupInputElement* CZPMarkupFrameworkContentElement::InputHitTest(int /*x*/, int /*y*/)
{
    return this;
}

CZPMarkupFrameworkElement* CZPMarkupFrameworkContentElement::GetParentFrameworkElement() const
{
    return FindAncestor<CZPMarkupFrameworkElement>(this);
}
