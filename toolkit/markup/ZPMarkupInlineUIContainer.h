// An inline that puts one UI element into the flow of text.
#pragma once

#include "markup/ZPMarkupTextElement.h"

class CZPMarkupInlineUIContainer : public CZPMarkupInline
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupInlineUIContainer();
    ~CZPMarkupInlineUIContainer() override;

    // Position 0 stands before the element, 1 after it.
    int GetFirstPosition() const override;
    void GetNextPosition(int& nPosition) const override;
    BOOL IsWhiteSpacePosition(int nPosition) const override;
    void ArrangeInline(const RECT& rc, int nStart, int nEnd) override;
    SIZE MeasureInline(CZPMarkupDrawingContext* pContext, int nStart, int nEnd) override;
    void RenderInline(CZPMarkupDrawingContext* pContext, const RECT& rc, int nStart, int nEnd) override;
    CZPMarkupInputElement* InputHitTest(int x, int y) override;

    int GetLogicalChildrenCount() const override { return m_pChild != NULL ? 1 : 0; }
    CZPMarkupObject* GetLogicalChild(int nIndex) const override;
    void SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return m_pChild != NULL; }

    CZPMarkupUIElement* GetChild() const { return m_pChild; }
    // The caller's reference passes over; a previous child is let go.
    void SetChild(CZPMarkupUIElement* pChild);

    static void RegisterProperties() {}

private:
    CZPMarkupUIElement* m_pChild;  // one reference; its logical parent is the container
};
