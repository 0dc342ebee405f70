// The text block: a flow of inlines broken into lines within the available width.
#pragma once

#include "markup/ZPMarkupTextElement.h"

class CZPMarkupTextBlock : public CZPMarkupFrameworkElement
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupTextBlock();
    ~CZPMarkupTextBlock() override;

    int GetLogicalChildrenCount() const override { return 1; }
    CZPMarkupObject* GetLogicalChild(int nIndex) const override;
    void SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    BOOL AllowWhiteSpaceContent() const override { return TRUE; }
    void OnPropertyChanged(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                           CZPMarkupObject* pNewValue) override;

    CZPMarkupInlineCollection* GetInlines() const { return m_pInlines; }

    static CZPMarkupDependencyProperty* m_pTextWrappingProperty;
    static CZPMarkupDependencyProperty* m_pTextTrimmingProperty;
    static CZPMarkupDependencyProperty* m_pTextAlignmentProperty;
    static CZPMarkupDependencyProperty* m_pPaddingProperty;
    static CZPMarkupDependencyProperty* m_pTextProperty;
    static void RegisterProperties();

private:
    CZPMarkupInlineCollection* m_pInlines;  // owned
};
