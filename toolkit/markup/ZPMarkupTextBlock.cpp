// The text block: holds the inlines its markup content becomes and carries the text properties
// they inherit.
#include "markup/ZPMarkupTextBlock.h"

#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupConverters.h"
#include "markup/ZPMarkupValues.h"

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupTextBlock, L"TextBlock", CZPMarkupFrameworkElement,
                        &CZPMarkupTextBlock::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupTextBlock::m_pTextWrappingProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupTextBlock::m_pTextTrimmingProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupTextBlock::m_pTextAlignmentProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupTextBlock::m_pPaddingProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupTextBlock::m_pTextProperty = NULL;

void CZPMarkupTextBlock::RegisterProperties()
{
    CZPMarkupType* pType = GetClassType();
    CZPMarkupType* pEnum = CZPMarkupEnum::GetClassType();
    m_pTextWrappingProperty = CZPMarkupDependencyProperty::Register(
        L"TextWrapping", pEnum, pType,
        new CZPMarkupPropertyMetadata(NULL, &ZpMarkupConvertTextWrapping, kZpMarkupAffectsMeasure));
    m_pTextTrimmingProperty = CZPMarkupDependencyProperty::Register(
        L"TextTrimming", pEnum, pType,
        new CZPMarkupPropertyMetadata(NULL, &ZpMarkupConvertTextTrimming, kZpMarkupAffectsMeasure));
    m_pTextAlignmentProperty = CZPMarkupDependencyProperty::Register(
        L"TextAlignment", pEnum, pType,
        new CZPMarkupPropertyMetadata(NULL, &ZpMarkupConvertTextAlignment, kZpMarkupAffectsArrange));
    m_pPaddingProperty = CZPMarkupDependencyProperty::Register(
        L"Padding", CZPMarkupThickness::GetClassType(), pType,
        new CZPMarkupPropertyMetadata(CZPMarkupThickness::CreateZeroValue(), kZpMarkupAffectsMeasure));
    m_pTextProperty = CZPMarkupDependencyProperty::Register(
        L"Text", CZPMarkupString::GetClassType(), pType, new CZPMarkupPropertyMetadata(NULL, kZpMarkupAffectsMeasure));
    CZPMarkupTextElement::GetClassType()->EnsureRegistered();
    CZPMarkupDependencyProperty* textProperties[] = {
        CZPMarkupTextElement::m_pBackgroundProperty,  CZPMarkupTextElement::m_pForegroundProperty,
        CZPMarkupTextElement::m_pFontSizeProperty,    CZPMarkupTextElement::m_pFontWeightProperty,
        CZPMarkupTextElement::m_pFontQualityProperty, CZPMarkupTextElement::m_pFontFamilyProperty,
        CZPMarkupTextElement::m_pFontStyleProperty,   CZPMarkupTextElement::m_pTextDecorationsProperty,
    };
    for (CZPMarkupDependencyProperty* pProperty : textProperties)
        pProperty->AddOwner(pType);
}

CZPMarkupTextBlock::CZPMarkupTextBlock() : m_pInlines(new CZPMarkupInlineCollection)
{
    m_pInlines->SetLogicalParent(this);
}

CZPMarkupTextBlock::~CZPMarkupTextBlock()
{
    m_pInlines->RemoveAll();
    m_pInlines->SetLogicalParent(NULL);
    m_pInlines->Release();
}

CZPMarkupObject* CZPMarkupTextBlock::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? m_pInlines : NULL;
}

void CZPMarkupTextBlock::SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent)
{
    m_pInlines->SetContentObject(pBuilder, pContent);
}

BOOL CZPMarkupTextBlock::HasContentObject() const
{
    return m_pInlines->GetCount() > 0;
}

void CZPMarkupTextBlock::OnPropertyChanged(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                                           CZPMarkupObject* pNewValue)
{
    if (pProperty == m_pTextProperty) {
        m_pInlines->RemoveAll();
        CZPMarkupContext* pContext = GetMarkupContext();
        CZPMarkupRun* pRun =
            pContext != NULL ? ZpMarkupCast<CZPMarkupRun>(pContext->CreateMarkupObject(CZPMarkupRun::GetClassType()))
                             : new CZPMarkupRun;
        if (pNewValue != NULL)
            pNewValue->AddRef();
        if (!pRun->SetValue(CZPMarkupRun::m_pTextProperty, pNewValue) && pNewValue != NULL)
            pNewValue->Release();
        m_pInlines->Add(pRun);
    }
    CZPMarkupFrameworkElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
}
