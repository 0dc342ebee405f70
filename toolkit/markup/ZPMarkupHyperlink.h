// The one interactive inline: underlined blue text, red while the mouse is over it, raising
// the buttons' "Click" when pressed and released over it. The host decides where it leads.
#pragma once

#include "markup/ZPMarkupTextElement.h"

class CZPMarkupHyperlink : public CZPMarkupSpan
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupHyperlink() : m_bPressed(FALSE) {}

    void OnMouseLeftButtonDown(MarkupMouseEventArgs* pArgs) override;
    void OnMouseLeftButtonUp(MarkupMouseEventArgs* pArgs) override;
    void OnMouseMove(MarkupMouseEventArgs* pArgs) override;
    virtual void OnClick();

    BOOL IsPressed() const { return m_bPressed; }

    // The buttons' own event object: one handler table serves both.
    static CZPMarkupRoutedEvent* m_pClickEvent;
    static void RegisterProperties();

private:
    BOOL m_bPressed;  // a press over the link waits for its release
};
