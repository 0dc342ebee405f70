// The page, the decorator and the border: one child each, the border's layout and drawing.
#include "markup/ZPMarkupBorder.h"

#include "markup/ZPMarkupBrush.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupValues.h"

#include <algorithm>

CZPMarkupUIElement* ZpMarkupCheckSingleChild(const CZPMarkupObject* pHolder, BOOL bHasChild, CZPMarkupObject* pContent)
{
    LPCWSTR lpszHolder = pHolder->GetType()->GetClassName();
    LPCWSTR lpszContent = pContent != NULL ? pContent->GetType()->GetClassName() : L"NULL";
    CZPMarkupUIElement* pElement = ZpMarkupCast<CZPMarkupUIElement>(pContent);
    CString strMessage;
    if (pElement == NULL)
        strMessage.Format(L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type "
                          L"'CZPMarkupUIElement'",
                          lpszContent, lpszHolder);
    else if (bHasChild)
        ZpMarkupThrowHasChild(pHolder, pContent);
    else
        return pElement;
    ZpMarkupThrowBuilderError(strMessage);
}

void ZpMarkupThrowHasChild(const CZPMarkupObject* pHolder, CZPMarkupObject* pContent)
{
    LPCWSTR lpszHolder = pHolder->GetType()->GetClassName();
    CString strMessage;
    strMessage.Format(L"'%ls' already has a child and cannot add '%ls'. '%ls' can accept only one child.", lpszHolder,
                      pContent != NULL ? pContent->GetType()->GetClassName() : L"NULL", lpszHolder);
    ZpMarkupThrowBuilderError(strMessage);
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupSingleChildElement

CZPMarkupSingleChildElement::CZPMarkupSingleChildElement() : m_pChild(NULL) {}

CZPMarkupSingleChildElement::~CZPMarkupSingleChildElement()
{
    if (m_pChild != NULL) {
        m_pChild->SetLogicalParent(NULL);
        m_pChild->Release();
    }
}

void CZPMarkupSingleChildElement::SetContentObject(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* pContent)
{
    SetChild(ZpMarkupCheckSingleChild(this, m_pChild != NULL, pContent));
}

void CZPMarkupSingleChildElement::SetChild(CZPMarkupUIElement* pChild)
{
    if (pChild == m_pChild) {
        if (pChild != NULL)
            pChild->Release();  // the caller's extra reference
        return;
    }
    CZPMarkupUIElement* pOld = m_pChild;
    m_pChild = pChild;
    if (pChild != NULL)
        pChild->SetLogicalParent(this);
    if (pOld != NULL) {
        pOld->SetLogicalParent(NULL);
        pOld->Release();
    }
    InvalidateMeasure();
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupPage

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupPage, L"Page", CZPMarkupFrameworkElement, NULL)

SIZE CZPMarkupPage::MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight)
{
    if (m_pChild == NULL)
        return SIZE{ 0, 0 };
    m_pChild->Measure(pContext, nWidth, nHeight);
    return m_pChild->GetDesiredSize();
}

SIZE CZPMarkupPage::ArrangeOverride(int nWidth, int nHeight)
{
    if (m_pChild != NULL)
        m_pChild->Arrange(RECT{ 0, 0, nWidth, nHeight });
    return SIZE{ nWidth, nHeight };
}

CZPMarkupInputElement* CZPMarkupPage::InputHitTestCore(int /*x*/, int /*y*/)
{
    return NULL;
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupBorder

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupBorder, L"Border", CZPMarkupFrameworkElement, &CZPMarkupBorder::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupBorder::m_pBackgroundProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupBorder::m_pPaddingProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupBorder::m_pBorderThicknessProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupBorder::m_pBorderBrushProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupBorder::m_pCornerRadiusProperty = NULL;

void CZPMarkupBorder::RegisterProperties()
{
    CZPMarkupType* pType = GetClassType();
    auto brush = [pType](LPCWSTR lpszName) {
        return CZPMarkupDependencyProperty::Register(lpszName, CZPMarkupBrush::GetClassType(), pType,
                                                     new CZPMarkupPropertyMetadata(NULL, kZpMarkupAffectsRender));
    };
    auto thickness = [pType](LPCWSTR lpszName, DWORD dwFlags) {
        return CZPMarkupDependencyProperty::Register(
            lpszName, CZPMarkupThickness::GetClassType(), pType,
            new CZPMarkupPropertyMetadata(CZPMarkupThickness::CreateZeroValue(), dwFlags));
    };
    m_pBackgroundProperty = brush(L"Background");
    m_pPaddingProperty = thickness(L"Padding", kZpMarkupAffectsMeasure);
    m_pBorderThicknessProperty = thickness(L"BorderThickness", kZpMarkupAffectsMeasure);
    m_pBorderBrushProperty = brush(L"BorderBrush");
    m_pCornerRadiusProperty = thickness(L"CornerRadius", kZpMarkupAffectsRender);
}

namespace {
const CZPMarkupThickness* ThicknessOf(const CZPMarkupObject* pElement, CZPMarkupDependencyProperty* pProperty)
{
    const CZPMarkupThickness* pValue = ZpMarkupCast<CZPMarkupThickness>(pElement->GetValue(pProperty));
    return pValue != NULL ? pValue : ZpMarkupCast<CZPMarkupThickness>(pProperty->GetDefaultValue());
}

BOOL IsZero(const CZPMarkupThickness* p)
{
    return p->m_nLeft == 0 && p->m_nTop == 0 && p->m_nRight == 0 && p->m_nBottom == 0;
}
}  // namespace

CZPMarkupBrush* CZPMarkupBorder::GetBackground() const
{
    return ZpMarkupCast<CZPMarkupBrush>(GetValue(m_pBackgroundProperty));
}

CZPMarkupBrush* CZPMarkupBorder::GetBorderBrush() const
{
    return ZpMarkupCast<CZPMarkupBrush>(GetValue(m_pBorderBrushProperty));
}

const CZPMarkupThickness* CZPMarkupBorder::GetPadding() const
{
    return ThicknessOf(this, m_pPaddingProperty);
}

const CZPMarkupThickness* CZPMarkupBorder::GetBorderThickness() const
{
    return ThicknessOf(this, m_pBorderThicknessProperty);
}

const CZPMarkupThickness* CZPMarkupBorder::GetCornerRadius() const
{
    return ThicknessOf(this, m_pCornerRadiusProperty);
}

SIZE CZPMarkupBorder::MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight)
{
    const CZPMarkupThickness* t = GetBorderThickness();
    const CZPMarkupThickness* p = GetPadding();
    const int cw = ZpMarkupAddSaturated(ZpMarkupAddSaturated(t->m_nLeft, t->m_nRight),
                                        ZpMarkupAddSaturated(p->m_nLeft, p->m_nRight));
    const int ch = ZpMarkupAddSaturated(ZpMarkupAddSaturated(t->m_nTop, t->m_nBottom),
                                        ZpMarkupAddSaturated(p->m_nTop, p->m_nBottom));
    if (m_pChild == NULL)
        return SIZE{ cw, ch };
    m_pChild->Measure(pContext, std::max(0, ZpMarkupAddSaturated(nWidth, -cw)),
                      std::max(0, ZpMarkupAddSaturated(nHeight, -ch)));
    const SIZE szChild = m_pChild->GetDesiredSize();
    return SIZE{ ZpMarkupAddSaturated(cw, szChild.cx), ZpMarkupAddSaturated(ch, szChild.cy) };
}

SIZE CZPMarkupBorder::ArrangeOverride(int nWidth, int nHeight)
{
    if (m_pChild != NULL) {
        RECT rc;
        ZpMarkupDeflateRect(rc, 0, 0, nWidth, nHeight, GetBorderThickness());
        ZpMarkupDeflateRect(rc, rc.left, rc.top, rc.right, rc.bottom, GetPadding());
        m_pChild->Arrange(rc);
    }
    return SIZE{ nWidth, nHeight };
}

void CZPMarkupBorder::OnRender(CZPMarkupDrawingContext* pContext)
{
    const int w = m_szRender.cx;
    const int h = m_szRender.cy;
    CZPMarkupBrush* pBorderBrush = GetBorderBrush();
    CZPMarkupBrush* pBackground = GetBackground();
    if (w <= 0 || h <= 0 || (pBorderBrush == NULL && pBackground == NULL))
        return;
    const CZPMarkupThickness* t = GetBorderThickness();
    const CZPMarkupThickness* r = GetCornerRadius();
    double radii[8];
    const BOOL bRounded = !IsZero(r);
    if (bRounded) {
        const int corners[4] = { r->m_nLeft, r->m_nTop, r->m_nRight, r->m_nBottom };
        for (int i = 0; i < 4; i++)
            radii[2 * i] = radii[2 * i + 1] = corners[i];
    }
    if (!IsZero(t) && pBorderBrush != NULL)
        pContext->DrawRectangle(RECT{ 0, 0, w, h }, pBorderBrush, t, bRounded ? radii : NULL);
    if (pBackground == NULL)
        return;
    // Computed wide: huge widths must not wrap round into a non-empty rectangle.
    const long long left = t->m_nLeft, top = t->m_nTop;
    const long long right = static_cast<long long>(w) - t->m_nRight;
    const long long bottom = static_cast<long long>(h) - t->m_nBottom;
    if (right <= left || bottom <= top)
        return;
    if (bRounded) {
        const double dHalf = t->m_nLeft / 2.0;
        for (double& dRadius : radii)
            dRadius = std::max(0.0, dRadius - dHalf);
    }
    const RECT rcInner = { static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(right),
                           static_cast<LONG>(bottom) };
    pContext->FillRectangle(rcInner, pBackground, bRounded ? radii : NULL);
}

CZPMarkupInputElement* CZPMarkupBorder::InputHitTestCore(int /*x*/, int /*y*/)
{
    return GetValue(m_pBackgroundProperty) != NULL ? this : NULL;
}
