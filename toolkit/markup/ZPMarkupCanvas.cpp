// Absolute placement: children measured without limits and arranged at their offsets.
#include "markup/ZPMarkupCanvas.h"

#include "markup/ZPMarkupDependencyProperty.h"
#include "markup/ZPMarkupStackPanel.h"
#include "markup/ZPMarkupValues.h"

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupCanvas, L"Canvas", CZPMarkupPanel, &CZPMarkupCanvas::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupCanvas::m_pTopProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupCanvas::m_pRightProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupCanvas::m_pLeftProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupCanvas::m_pBottomProperty = NULL;

void CZPMarkupCanvas::RegisterProperties()
{
    CZPMarkupType* pType = GetClassType();
    CZPMarkupType* pInt = CZPMarkupInt::GetClassType();
    m_pTopProperty = CZPMarkupDependencyProperty::RegisterAttached(L"Top", pInt, pType);
    m_pRightProperty = CZPMarkupDependencyProperty::RegisterAttached(L"Right", pInt, pType);
    m_pLeftProperty = CZPMarkupDependencyProperty::RegisterAttached(L"Left", pInt, pType);
    m_pBottomProperty = CZPMarkupDependencyProperty::RegisterAttached(L"Bottom", pInt, pType);
}

namespace {

// The offset from the near edge when set, else from the far edge when set, else 0.
long long Offset(const CZPMarkupObject* pChild, CZPMarkupDependencyProperty* pNear, CZPMarkupDependencyProperty* pFar,
                 int nExtent, int nSize)
{
    if (const CZPMarkupInt* pValue = ZpMarkupCast<CZPMarkupInt>(pChild->GetValue(pNear)))
        return pValue->m_nValue;
    if (const CZPMarkupInt* pValue = ZpMarkupCast<CZPMarkupInt>(pChild->GetValue(pFar)))
        return static_cast<long long>(nExtent) - pValue->m_nValue - nSize;
    return 0;
}
}  // namespace

SIZE CZPMarkupCanvas::MeasureOverride(CZPMarkupDrawingContext* pContext, int /*nWidth*/, int /*nHeight*/)
{
    for (int i = 0; i < m_pChildren->GetCount(); ++i) {
        if (CZPMarkupUIElement* pChild = m_pChildren->GetElement(i))
            pChild->Measure(pContext, kZpMarkupInfinite, kZpMarkupInfinite);
    }
    return SIZE{ 0, 0 };
}

SIZE CZPMarkupCanvas::ArrangeOverride(int nWidth, int nHeight)
{
    for (int i = 0; i < m_pChildren->GetCount(); ++i) {
        CZPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        if (pChild == NULL)
            continue;
        const SIZE sz = pChild->GetDesiredSize();
        const long long x = Offset(pChild, m_pLeftProperty, m_pRightProperty, nWidth, sz.cx);
        const long long y = Offset(pChild, m_pTopProperty, m_pBottomProperty, nHeight, sz.cy);
        pChild->Arrange(
            RECT{ ZpMarkupSaturate(x), ZpMarkupSaturate(y), ZpMarkupSaturate(x + sz.cx), ZpMarkupSaturate(y + sz.cy) });
    }
    return SIZE{ nWidth, nHeight };
}
