// Elements that hold exactly one child: the page (the usual root), the decorator (one child, no
// drawing) and the border (background, four side widths, rounded corners, padding).
#pragma once

#include "markup/ZPMarkupVisual.h"

class CZPMarkupBrush;

// Refuses a content object that is not a UI element, or any second child, with the builder's
// errors naming the holder; returns the object as a UI element otherwise.
CZPMarkupUIElement* ZpMarkupCheckSingleChild(const CZPMarkupObject* pHolder, BOOL bHasChild, CZPMarkupObject* pContent);
// The build error of a holder that already has its one child.
[[noreturn]] void ZpMarkupThrowHasChild(const CZPMarkupObject* pHolder, CZPMarkupObject* pContent);

// The page and the decorator share the child handling; the page adds its own layout and hit rule.
class CZPMarkupSingleChildElement : public CZPMarkupFrameworkElement
{
public:
    CZPMarkupSingleChildElement();
    ~CZPMarkupSingleChildElement() override;

    void SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return m_pChild != NULL; }
    int GetVisualChildrenCount() const override { return m_pChild != NULL ? 1 : 0; }
    CZPMarkupVisual* GetVisualChild(int nIndex) const override { return nIndex == 0 ? m_pChild : NULL; }

    CZPMarkupUIElement* GetChild() const { return m_pChild; }
    // The caller's reference passes over; the previous child is released.
    void SetChild(CZPMarkupUIElement* pChild);

protected:
    CZPMarkupUIElement* m_pChild;  // one reference
};

class CZPMarkupPage : public CZPMarkupSingleChildElement
{
    ZP_DECLARE_MARKUPTYPE()
public:
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;
    // The page itself is never hit; its child can be.
    CZPMarkupInputElement* InputHitTestCore(int x, int y) override;
};

// Answers the framework element's type: it has no markup type of its own.
class CZPMarkupDecorator : public CZPMarkupSingleChildElement
{};

class CZPMarkupBorder : public CZPMarkupDecorator
{
    ZP_DECLARE_MARKUPTYPE()
public:
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;
    void OnRender(CZPMarkupDrawingContext* pContext) override;
    // Hit only with a background, even a transparent one.
    CZPMarkupInputElement* InputHitTestCore(int x, int y) override;

    CZPMarkupBrush* GetBackground() const;
    CZPMarkupBrush* GetBorderBrush() const;
    // Never NULL: the shared zero thickness when unset.
    const CZPMarkupThickness* GetPadding() const;
    const CZPMarkupThickness* GetBorderThickness() const;
    const CZPMarkupThickness* GetCornerRadius() const;

    static CZPMarkupDependencyProperty* m_pBackgroundProperty;
    static CZPMarkupDependencyProperty* m_pPaddingProperty;
    static CZPMarkupDependencyProperty* m_pBorderThicknessProperty;
    static CZPMarkupDependencyProperty* m_pBorderBrushProperty;
    static CZPMarkupDependencyProperty* m_pCornerRadiusProperty;
    static void RegisterProperties();
};
