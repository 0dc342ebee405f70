// Controls: framework elements laid out around their first visual child, sharing "Padding" and
// "Background" with the border and the panel; the content control holds one "Content" element.
#pragma once

#include "markup/ZPMarkupVisual.h"

class CZPMarkupControl : public CZPMarkupFrameworkElement
{
    ZP_DECLARE_MARKUPTYPE()
public:
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;

    // Never NULL: the shared zero thickness when unset.
    const CZPMarkupThickness* GetPadding() const;

    // The border's, the panel's and the text elements' own property objects, shared with the control.
    static CZPMarkupDependencyProperty* m_pPaddingProperty;
    static CZPMarkupDependencyProperty* m_pBackgroundProperty;
    static CZPMarkupDependencyProperty* m_pForegroundProperty;
    static void RegisterProperties();
};

class CZPMarkupContentControl : public CZPMarkupControl
{
    ZP_DECLARE_MARKUPTYPE()
public:
    void SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    int GetVisualChildrenCount() const override;
    CZPMarkupVisual* GetVisualChild(int nIndex) const override;
    void OnPropertyChanged(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                           CZPMarkupObject* pNewValue) override;

    CZPMarkupUIElement* GetContent() const;
    // The caller's reference passes over.
    void SetContent(CZPMarkupUIElement* pContent);

    static CZPMarkupDependencyProperty* m_pContentProperty;
    static void RegisterProperties();
};
