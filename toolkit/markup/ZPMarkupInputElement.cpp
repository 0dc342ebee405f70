// Input elements: base input operations, handlers and event routing, event attributes.
#include "markup/ZPMarkupInputElement.h"

#include "markup/ZPFormatString.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupConverters.h"
#include "markup/ZPMarkupDelegate.h"
#include "markup/ZPMarkupKeyboardNavigation.h"
#include "markup/ZPMarkupStyle.h"
#include "markup/ZPMarkupValues.h"

#include <vector>

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupInputElement, NULL, CZPMarkupObject, &CZPMarkupInputElement::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupInputElement::m_pCursorProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupInputElement::m_pIsMouseOverProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupInputElement::m_pIsKeyboardFocusedProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupInputElement::m_pIsFocusableProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupInputElement::m_pToolTipProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupInputElement::m_pStyleProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupInputElement::m_pResourcesProperty = NULL;
CZPMarkupRoutedEvent* CZPMarkupInputElement::m_pMouseLeaveEvent = NULL;
CZPMarkupRoutedEvent* CZPMarkupInputElement::m_pMouseEnterEvent = NULL;
CZPMarkupRoutedEvent* CZPMarkupInputElement::m_pMouseLeftButtonUpEvent = NULL;
CZPMarkupRoutedEvent* CZPMarkupInputElement::m_pMouseLeftButtonDownEvent = NULL;
CZPMarkupRoutedEvent* CZPMarkupInputElement::m_pMouseRightButtonUpEvent = NULL;
CZPMarkupRoutedEvent* CZPMarkupInputElement::m_pMouseRightButtonDownEvent = NULL;
CZPMarkupRoutedEvent* CZPMarkupInputElement::m_pMouseMoveEvent = NULL;
CZPMarkupRoutedEvent* CZPMarkupInputElement::m_pLostMouseCaptureEvent = NULL;

void CZPMarkupInputElement::RegisterProperties()
{
    CZPMarkupType* pType = GetClassType();
    m_pCursorProperty = CZPMarkupDependencyProperty::Register(
        L"Cursor", CZPMarkupInt::GetClassType(), pType, new CZPMarkupPropertyMetadata(NULL, &ZpMarkupConvertCursor, 0));
    m_pIsMouseOverProperty =
        CZPMarkupDependencyProperty::Register(L"IsMouseOver", CZPMarkupBool::GetClassType(), pType,
                                              new CZPMarkupPropertyMetadata(CZPMarkupBool::CreateFalseValue(), 0));
    m_pIsKeyboardFocusedProperty = CZPMarkupDependencyProperty::Register(
        L"IsKeyboardFocused", CZPMarkupBool::GetClassType(), pType,
        new CZPMarkupPropertyMetadata(CZPMarkupBool::CreateFalseValue(), kZpMarkupAffectsRender));
    m_pIsFocusableProperty =
        CZPMarkupDependencyProperty::Register(L"IsFocusable", CZPMarkupBool::GetClassType(), pType,
                                              new CZPMarkupPropertyMetadata(CZPMarkupBool::CreateFalseValue(), 0));
    m_pToolTipProperty = CZPMarkupDependencyProperty::Register(L"ToolTip", CZPMarkupObject::GetClassType(), pType);
    CZPMarkupStyle::GetClassType()->EnsureRegistered();
    m_pStyleProperty =
        CZPMarkupDependencyProperty::Register(L"Style", CZPMarkupStyle::GetClassType(), pType,
                                              new CZPMarkupPropertyMetadata(NULL, &ZpMarkupOnStyleChanged, 0));
    m_pResourcesProperty = CZPMarkupStyle::m_pResourcesProperty->AddOwner(pType);

    m_pMouseLeaveEvent = CZPMarkupRoutedEvent::RegisterRoutedEvent(L"MouseLeave", 0, pType);
    m_pMouseEnterEvent = CZPMarkupRoutedEvent::RegisterRoutedEvent(L"MouseEnter", 0, pType);
    m_pMouseLeftButtonUpEvent = CZPMarkupRoutedEvent::RegisterRoutedEvent(L"MouseLeftButtonUp", 0, pType);
    m_pMouseLeftButtonDownEvent = CZPMarkupRoutedEvent::RegisterRoutedEvent(L"MouseLeftButtonDown", 0, pType);
    m_pMouseRightButtonUpEvent = CZPMarkupRoutedEvent::RegisterRoutedEvent(L"MouseRightButtonUp", 0, pType);
    m_pMouseRightButtonDownEvent = CZPMarkupRoutedEvent::RegisterRoutedEvent(L"MouseRightButtonDown", 0, pType);
    m_pMouseMoveEvent = CZPMarkupRoutedEvent::RegisterRoutedEvent(L"MouseMove", 0, pType);
    m_pLostMouseCaptureEvent = CZPMarkupRoutedEvent::RegisterRoutedEvent(L"LostMouseCapture", 0, pType);
}

CZPMarkupInputElement::CZPMarkupInputElement()
    : m_pHandlers(NULL), m_pMarkupContext(NULL), m_pActiveTriggers(NULL), m_pTriggerValues(NULL), m_pStyle(NULL),
      m_nTriggerDepth(0)
{}

CZPMarkupInputElement::~CZPMarkupInputElement()
{
    delete m_pHandlers;
    if (m_pActiveTriggers != NULL)
        m_pActiveTriggers->Release();
    if (m_pTriggerValues != NULL)
        m_pTriggerValues->Release();
}

void CZPMarkupInputElement::OnFinalRelease()
{
    if (m_pMarkupContext != NULL)
        m_pMarkupContext->OnElementReleased(this);
    CZPMarkupObject::OnFinalRelease();
}

void CZPMarkupInputElement::SetPropertyObject(CZPMarkupBuilder* pBuilder, CZPMarkupDependencyProperty* pProperty,
                                              CZPMarkupObject* pValue)
{
    if (pProperty == NULL || !pProperty->IsEvent()) {
        CZPMarkupObject::SetPropertyObject(pBuilder, pProperty, pValue);
        return;
    }
    if (m_pMarkupContext == NULL)
        ZpMarkupThrowBuilderError(L"Markup Context is NULL");
    CZPMarkupString* pName = ZpMarkupCast<CZPMarkupString>(pValue);
    LPCWSTR lpszName = pName != NULL ? pName->GetText() : L"";
    CZPMarkupDelegate* pDelegate = m_pMarkupContext->FindDelegate(lpszName);
    if (pDelegate == NULL) {
        CString strMessage;
        strMessage = ZpFormatString(L"'%ls' delegate not found", lpszName);
        ZpMarkupThrowBuilderError(strMessage);
    }
    pDelegate->AddRef();
    AddHandler(static_cast<CZPMarkupRoutedEvent*>(pProperty), pDelegate);
    if (pValue != NULL)
        pValue->Release();
}

void CZPMarkupInputElement::AddHandler(CZPMarkupRoutedEvent* pEvent, CZPMarkupDelegate* pDelegate)
{
    if (m_pHandlers == NULL)
        m_pHandlers = new CZPMarkupEventHandlerMap;
    m_pHandlers->Add(pEvent, pDelegate);
}

void CZPMarkupInputElement::RaiseEvent(MarkupRoutedEventArgs* pArgs)
{
    if (pArgs == NULL || pArgs->pEvent == NULL)
        return;
    // The elements of the route, each held for the duration: a handler may release the tree.
    if (!pArgs->pEvent->IsBubbling()) {
        if (m_pHandlers != NULL) {
            CRefPtr<CZPMarkupInputElement> hold = CRefPtr<CZPMarkupInputElement>::AddRef(this);
            m_pHandlers->Raise(this, pArgs);
        }
        return;
    }
    std::vector<CRefPtr<CZPMarkupInputElement>> route;
    for (CZPMarkupObject* pObject = this; pObject != NULL; pObject = pObject->GetLogicalParent()) {
        if (CZPMarkupInputElement* pElement = ZpMarkupCast<CZPMarkupInputElement>(pObject))
            route.push_back(CRefPtr<CZPMarkupInputElement>::AddRef(pElement));
    }
    for (const CRefPtr<CZPMarkupInputElement>& element : route) {
        CZPMarkupInputElement* pElement = element.Get();
        if (pElement->m_pHandlers != NULL)
            pElement->m_pHandlers->Raise(pElement, pArgs);
        if (pArgs->bHandled)
            return;
    }
    if (m_pMarkupContext != NULL)
        m_pMarkupContext->RaiseContextHandlers(this, pArgs);
}

void CZPMarkupInputElement::Focus()
{
    if (m_pMarkupContext != NULL)
        m_pMarkupContext->GetKeyboardNavigation()->Focus(this);
}

void CZPMarkupInputElement::CaptureMouse()
{
    if (m_pMarkupContext != NULL)
        m_pMarkupContext->CaptureMouse(this);
}

void CZPMarkupInputElement::ReleaseMouseCapture()
{
    if (m_pMarkupContext != NULL)
        m_pMarkupContext->ReleaseMouseCapture();
}

void CZPMarkupInputElement::OnMouseLeave(MarkupMouseEventArgs* /*pArgs*/)
{
    SetValue(m_pIsMouseOverProperty, NULL);
}

void CZPMarkupInputElement::OnMouseEnter(MarkupMouseEventArgs* /*pArgs*/)
{
    CZPMarkupBool* pTrue = CZPMarkupBool::CreateTrueValue();
    if (!SetValue(m_pIsMouseOverProperty, pTrue))
        pTrue->Release();
}

void CZPMarkupInputElement::OnMouseMove(MarkupMouseEventArgs* /*pArgs*/) {}

void CZPMarkupInputElement::OnQueryCursor(MarkupQueryCursorEventArgs* pArgs)
{
    CZPMarkupInt* pCursor = ZpMarkupCast<CZPMarkupInt>(GetValue(m_pCursorProperty));
    if (pCursor == NULL)
        return;
    const WORD wCursorId = LOWORD(pCursor->m_nValue);
    HCURSOR hCursor = NULL;
    if (wCursorId != 0) {
        // An identifier that loads nothing leaves the choice to the elements further out.
        hCursor = ::LoadCursorW(NULL, MAKEINTRESOURCEW(wCursorId));
        if (hCursor == NULL)
            return;
    }
    // Identifier 0 ("None") decides on no pointer at all.
    pArgs->bHandled = TRUE;
    pArgs->hCursor = hCursor;
}

void CZPMarkupInputElement::OnMouseLeftButtonUp(MarkupMouseEventArgs* /*pArgs*/) {}

void CZPMarkupInputElement::OnMouseRightButtonUp(MarkupMouseEventArgs* /*pArgs*/) {}

void CZPMarkupInputElement::OnMouseLeftButtonDown(MarkupMouseEventArgs* /*pArgs*/) {}

void CZPMarkupInputElement::OnMouseRightButtonDown(MarkupMouseEventArgs* /*pArgs*/) {}

void CZPMarkupInputElement::OnLostMouseCapture(MarkupMouseEventArgs* /*pArgs*/) {}

void CZPMarkupInputElement::OnMouseWheel(MarkupMouseWheelEventArgs* /*pArgs*/) {}

CZPMarkupInputElement* CZPMarkupInputElement::InputHitTest(int /*x*/, int /*y*/)
{
    return NULL;
}
