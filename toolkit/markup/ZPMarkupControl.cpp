// Controls and content controls: layout around the first visual child, the single-content rule.
#include "markup/ZPMarkupControl.h"

#include "markup/ZPMarkupBorder.h"
#include "markup/ZPMarkupPanel.h"
#include "markup/ZPMarkupValues.h"

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupControl, L"Control", CZPMarkupFrameworkElement, &CZPMarkupControl::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupControl::m_pPaddingProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupControl::m_pBackgroundProperty = NULL;

void CZPMarkupControl::RegisterProperties()
{
    // The owners register theirs first.
    CZPMarkupBorder::GetClassType()->EnsureRegistered();
    CZPMarkupPanel::GetClassType()->EnsureRegistered();
    m_pPaddingProperty = CZPMarkupBorder::m_pPaddingProperty->AddOwner(GetClassType());
    m_pBackgroundProperty = CZPMarkupPanel::m_pBackgroundProperty->AddOwner(GetClassType());
}

const CZPMarkupThickness* CZPMarkupControl::GetPadding() const
{
    const CZPMarkupThickness* pValue = ZpMarkupCast<CZPMarkupThickness>(GetValue(m_pPaddingProperty));
    return pValue != NULL ? pValue : ZpMarkupCast<CZPMarkupThickness>(m_pPaddingProperty->GetDefaultValue());
}

SIZE CZPMarkupControl::MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight)
{
    CZPMarkupUIElement* pChild =
        GetVisualChildrenCount() > 0 ? ZpMarkupCast<CZPMarkupUIElement>(GetVisualChild(0)) : NULL;
    if (pChild == NULL)
        return SIZE{ 0, 0 };
    pChild->Measure(pContext, nWidth, nHeight);
    return pChild->GetDesiredSize();
}

SIZE CZPMarkupControl::ArrangeOverride(int nWidth, int nHeight)
{
    CZPMarkupUIElement* pChild =
        GetVisualChildrenCount() > 0 ? ZpMarkupCast<CZPMarkupUIElement>(GetVisualChild(0)) : NULL;
    if (pChild != NULL)
        pChild->Arrange(RECT{ 0, 0, nWidth, nHeight });
    return SIZE{ nWidth, nHeight };
}

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupContentControl, NULL, CZPMarkupControl, &CZPMarkupContentControl::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupContentControl::m_pContentProperty = NULL;

void CZPMarkupContentControl::RegisterProperties()
{
    m_pContentProperty =
        CZPMarkupDependencyProperty::Register(L"Content", CZPMarkupUIElement::GetClassType(), GetClassType(),
                                              new CZPMarkupPropertyMetadata(NULL, kZpMarkupAffectsMeasure));
}

CZPMarkupUIElement* CZPMarkupContentControl::GetContent() const
{
    return ZpMarkupCast<CZPMarkupUIElement>(GetValue(m_pContentProperty));
}

void CZPMarkupContentControl::SetContent(CZPMarkupUIElement* pContent)
{
    if (!SetValue(m_pContentProperty, pContent) && pContent != NULL)
        pContent->Release();
}

void CZPMarkupContentControl::SetContentObject(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* pContent)
{
    SetContent(ZpMarkupCheckSingleChild(this, GetContent() != NULL, pContent));
}

BOOL CZPMarkupContentControl::HasContentObject() const
{
    return GetContent() != NULL;
}

int CZPMarkupContentControl::GetVisualChildrenCount() const
{
    return GetContent() != NULL ? 1 : 0;
}

CZPMarkupVisual* CZPMarkupContentControl::GetVisualChild(int nIndex) const
{
    return nIndex == 0 ? GetContent() : NULL;
}

void CZPMarkupContentControl::OnPropertyChanged(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                                                CZPMarkupObject* pNewValue)
{
    // The content is a visual child: its ancestors are found through the logical parent.
    if (pProperty == m_pContentProperty) {
        if (pOldValue != NULL && pOldValue->GetLogicalParent() == this)
            pOldValue->SetLogicalParent(NULL);
        if (pNewValue != NULL)
            pNewValue->SetLogicalParent(this);
    }
    CZPMarkupControl::OnPropertyChanged(pProperty, pOldValue, pNewValue);
}
