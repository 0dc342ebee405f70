// The base of the panels: any number of UI element children in a collection, laid out by the
// concrete panels' measure and arrange overrides, over an optional background.
#pragma once

#include "markup/ZPMarkupCollection.h"
#include "markup/ZPMarkupVisual.h"

class CZPMarkupBrush;

// Refuses anything but UI elements; answers the collection type.
class CZPMarkupUIElementCollection : public CZPMarkupCollection
{
public:
    CZPMarkupUIElementCollection();

    // The item, not add-ref'ed; NULL outside 0..count-1.
    CZPMarkupUIElement* GetElement(int nIndex) const;
};

class CZPMarkupPanel : public CZPMarkupFrameworkElement
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupPanel();
    ~CZPMarkupPanel() override;

    void SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    int GetVisualChildrenCount() const override;
    CZPMarkupVisual* GetVisualChild(int nIndex) const override;
    void OnRender(CZPMarkupDrawingContext* pContext) override;
    // Hit only with a background, even a transparent one.
    CZPMarkupInputElement* InputHitTestCore(int x, int y) override;

    CZPMarkupBrush* GetBackground() const;
    CZPMarkupUIElementCollection* GetChildren() const { return m_pChildren; }

    static CZPMarkupDependencyProperty* m_pBackgroundProperty;
    static void RegisterProperties();

protected:
    CZPMarkupUIElementCollection* m_pChildren;  // one reference; the panel is its logical parent
};
