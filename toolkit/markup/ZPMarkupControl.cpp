// Controls and content controls: layout around the first visual child, the single-content rule.
#include "markup/ZPMarkupControl.h"

#include "markup/ZPMarkupBorder.h"
#include "markup/ZPMarkupBuilder.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupPanel.h"
#include "markup/ZPMarkupTextBlock.h"
#include "markup/ZPMarkupValues.h"

namespace {
// A text block of the context (unbound without one) holding the text; the text's reference
// passes over.
CZPMarkupTextBlock* MakeTextBlock(CZPMarkupContext* pContext, CZPMarkupBuilder* pBuilder, CZPMarkupString* pText)
{
    CZPMarkupTextBlock* pBlock =
        pContext != NULL
            ? static_cast<CZPMarkupTextBlock*>(pContext->CreateMarkupObject(CZPMarkupTextBlock::GetClassType()))
            : new CZPMarkupTextBlock;
    // Released if setting the content throws.
    CRefPtr<CZPMarkupTextBlock> block = CRefPtr<CZPMarkupTextBlock>::Adopt(pBlock);
    pBlock->SetContentObject(pBuilder, pText);
    return block.Detach();
}

// "Content" written as an attribute: a text becomes a text block; anything else stays as it is.
CZPMarkupObject* ConvertContent(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue)
{
    if (pValue == NULL)
        return NULL;
    pValue->AddRef();
    CZPMarkupString* pText = ZpMarkupCast<CZPMarkupString>(pValue);
    if (pText == NULL)
        return pValue;
    return MakeTextBlock(pBuilder != NULL ? pBuilder->GetContext() : NULL, pBuilder, pText);
}
}  // namespace

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupControl, L"Control", CZPMarkupFrameworkElement, &CZPMarkupControl::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupControl::m_pPaddingProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupControl::m_pBackgroundProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupControl::m_pForegroundProperty = NULL;

void CZPMarkupControl::RegisterProperties()
{
    // The owners register theirs first.
    CZPMarkupBorder::GetClassType()->EnsureRegistered();
    CZPMarkupPanel::GetClassType()->EnsureRegistered();
    CZPMarkupTextElement::GetClassType()->EnsureRegistered();
    m_pPaddingProperty = CZPMarkupBorder::m_pPaddingProperty->AddOwner(GetClassType());
    m_pBackgroundProperty = CZPMarkupPanel::m_pBackgroundProperty->AddOwner(GetClassType());
    m_pForegroundProperty = CZPMarkupTextElement::m_pForegroundProperty->AddOwner(GetClassType());
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
    m_pContentProperty = CZPMarkupDependencyProperty::Register(
        L"Content", CZPMarkupUIElement::GetClassType(), GetClassType(),
        new CZPMarkupPropertyMetadata(NULL, &ConvertContent, kZpMarkupAffectsMeasure));
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

void CZPMarkupContentControl::SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent)
{
    if (GetContent() != NULL)
        ZpMarkupThrowHasChild(this, pContent);
    if (CZPMarkupString* pText = ZpMarkupCast<CZPMarkupString>(pContent)) {
        SetContent(MakeTextBlock(GetMarkupContext(), pBuilder, pText));
        return;
    }
    SetContent(ZpMarkupCheckSingleChild(this, FALSE, pContent));
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
