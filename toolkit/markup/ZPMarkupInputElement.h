// Base of every element that takes part in input: mouse operations, routed events and handlers,
// cursor, mouse-over, focus and tooltip properties.
#pragma once

#include "markup/ZPMarkupRoutedEvent.h"

class CZPMarkupContext;
class CZPMarkupDelegate;
class CZPMarkupEventHandlerMap;
class CZPMarkupProperties;
class CZPMarkupStyle;
class CZPMarkupTriggerCollection;

// The change callback of "Style": the new style is sealed and becomes the element's style.
void ZpMarkupOnStyleChanged(CZPMarkupObject* pObject, MarkupPropertyChangedEventArgs* pArgs);

class CZPMarkupInputElement : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupInputElement();
    ~CZPMarkupInputElement() override;

    // Event attributes name a delegate of the context; other properties take the base path.
    void SetPropertyObject(CZPMarkupBuilder* pBuilder, CZPMarkupDependencyProperty* pProperty,
                           CZPMarkupObject* pValue) override;
    void OnFinalRelease() override;
    // Local value, then the active triggers', the style's, the class's default style's.
    CZPMarkupObject* GetLocalValue(CZPMarkupDependencyProperty* pProperty) const override;

    virtual void OnMouseLeave(MarkupMouseEventArgs* pArgs);
    virtual void OnMouseEnter(MarkupMouseEventArgs* pArgs);
    virtual void OnMouseMove(MarkupMouseEventArgs* pArgs);
    virtual void OnQueryCursor(MarkupQueryCursorEventArgs* pArgs);
    virtual void OnMouseLeftButtonUp(MarkupMouseEventArgs* pArgs);
    virtual void OnMouseRightButtonUp(MarkupMouseEventArgs* pArgs);
    virtual void OnMouseLeftButtonDown(MarkupMouseEventArgs* pArgs);
    virtual void OnMouseRightButtonDown(MarkupMouseEventArgs* pArgs);
    virtual void OnLostMouseCapture(MarkupMouseEventArgs* pArgs);
    virtual void OnMouseWheel(MarkupMouseWheelEventArgs* pArgs);
    virtual CZPMarkupInputElement* InputHitTest(int x, int y);
    virtual void OnApplyStyle();

    // Takes over the caller's reference to the delegate.
    void AddHandler(CZPMarkupRoutedEvent* pEvent, CZPMarkupDelegate* pDelegate);
    // Direct events reach this element's handlers only; bubbling ones go up the input-element
    // ancestors until handled, then to the context's handlers when nobody handled them.
    void RaiseEvent(MarkupRoutedEventArgs* pArgs);
    void Focus();
    // Mouse capture through the context; a voluntary release raises no "LostMouseCapture".
    void CaptureMouse();
    void ReleaseMouseCapture();

    CZPMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }
    CZPMarkupStyle* GetStyle() const { return m_pStyle; }

    // Re-evaluates the triggers watching the property after it changed to the value; NULL and
    // NULL evaluate every trigger (the first evaluation after building).
    void UpdateTriggers(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pValue);
    // Triggers feeding each other re-enter through change notifications: bounded per element.
    static constexpr int kMaxTriggerDepth = 16;

    static CZPMarkupDependencyProperty* m_pCursorProperty;
    static CZPMarkupDependencyProperty* m_pIsMouseOverProperty;
    static CZPMarkupDependencyProperty* m_pIsKeyboardFocusedProperty;
    static CZPMarkupDependencyProperty* m_pIsFocusableProperty;
    static CZPMarkupDependencyProperty* m_pToolTipProperty;
    static CZPMarkupDependencyProperty* m_pStyleProperty;
    static CZPMarkupDependencyProperty* m_pResourcesProperty;
    static CZPMarkupRoutedEvent* m_pMouseLeaveEvent;
    static CZPMarkupRoutedEvent* m_pMouseEnterEvent;
    static CZPMarkupRoutedEvent* m_pMouseLeftButtonUpEvent;
    static CZPMarkupRoutedEvent* m_pMouseLeftButtonDownEvent;
    static CZPMarkupRoutedEvent* m_pMouseRightButtonUpEvent;
    static CZPMarkupRoutedEvent* m_pMouseRightButtonDownEvent;
    static CZPMarkupRoutedEvent* m_pMouseMoveEvent;
    static CZPMarkupRoutedEvent* m_pLostMouseCaptureEvent;
    static void RegisterProperties();

protected:
    friend class CZPMarkupContext;
    friend void ZpMarkupOnStyleChanged(CZPMarkupObject* pObject, MarkupPropertyChangedEventArgs* pArgs);

    BOOL ActivateStyleTriggers(CZPMarkupStyle* pStyle, CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pValue,
                               int nDepth);

    CZPMarkupEventHandlerMap* m_pHandlers;          // owned, made by the first handler
    CZPMarkupContext* m_pMarkupContext;             // one count held on it; NULL once detached
    CZPMarkupTriggerCollection* m_pActiveTriggers;  // owned, made by the first activation
    CZPMarkupProperties* m_pTriggerValues;          // owned, without owner
    CZPMarkupStyle* m_pStyle;                       // borrowed: held as "Style" or by a dictionary
    int m_nTriggerDepth;
};
