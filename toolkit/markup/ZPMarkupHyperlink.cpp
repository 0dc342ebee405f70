// The hyperlink: its built-in style and trigger, and the press and release that make a click.
#include "markup/ZPMarkupHyperlink.h"

#include "markup/ZPMarkupBrush.h"
#include "markup/ZPMarkupButton.h"
#include "markup/ZPMarkupStyle.h"
#include "markup/ZPMarkupValues.h"

namespace {
const int kHandCursor = 32649;  // IDC_HAND
const COLORREF kLinkColor = RGB(0, 0, 255);
const COLORREF kHotLinkColor = RGB(255, 0, 0);
}  // namespace

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupHyperlink, L"Hyperlink", CZPMarkupSpan, &CZPMarkupHyperlink::RegisterProperties)

CZPMarkupRoutedEvent* CZPMarkupHyperlink::m_pClickEvent = NULL;

void CZPMarkupHyperlink::RegisterProperties()
{
    CZPMarkupType* pType = GetClassType();
    CZPMarkupButtonBase::GetClassType()->EnsureRegistered();
    m_pClickEvent = static_cast<CZPMarkupRoutedEvent*>(CZPMarkupButtonBase::m_pClickEvent->AddOwner(pType));

    CZPMarkupStyle* pStyle = new CZPMarkupStyle;
    pStyle->AddSetter(new CZPMarkupSetter(m_pTextDecorationsProperty, CZPMarkupEnum::CreateValue(1)));
    pStyle->AddSetter(new CZPMarkupSetter(m_pForegroundProperty, new CZPMarkupSolidColorBrush(kLinkColor)));
    pStyle->AddSetter(new CZPMarkupSetter(m_pCursorProperty, new CZPMarkupInt(kHandCursor)));
    CZPMarkupSetterColection* pHotSetters = new CZPMarkupSetterColection;
    pHotSetters->Add(new CZPMarkupSetter(m_pForegroundProperty, new CZPMarkupSolidColorBrush(kHotLinkColor)));
    CZPMarkupTrigger* pHot = new CZPMarkupTrigger(m_pIsMouseOverProperty, CZPMarkupBool::CreateTrueValue());
    pHot->SetValue(CZPMarkupTrigger::m_pSettersProperty, pHotSetters);
    CZPMarkupTriggerCollection* pTriggers = new CZPMarkupTriggerCollection;
    pTriggers->Add(pHot);
    pStyle->SetValue(CZPMarkupStyle::m_pTriggersProperty, pTriggers);
    pType->SetDefaultStyle(pStyle);
}

void CZPMarkupHyperlink::OnMouseLeftButtonDown(MarkupMouseEventArgs* pArgs)
{
    m_bPressed = TRUE;
    pArgs->bHandled = TRUE;
}

void CZPMarkupHyperlink::OnMouseLeftButtonUp(MarkupMouseEventArgs* pArgs)
{
    if (!m_bPressed)
        return;
    m_bPressed = FALSE;
    pArgs->bHandled = TRUE;
    // A "Click" handler may release the tree this link is in.
    AddRef();
    OnClick();
    Release();
}

void CZPMarkupHyperlink::OnMouseMove(MarkupMouseEventArgs* /*pArgs*/)
{
    // The link does not capture the mouse: a press whose release happened elsewhere must not
    // turn a later release over the link into a click.
    if (m_bPressed && ::GetKeyState(VK_LBUTTON) >= 0)
        m_bPressed = FALSE;
}

void CZPMarkupHyperlink::OnClick()
{
    MarkupRoutedEventArgs args = { m_pClickEvent, this, FALSE };
    RaiseEvent(&args);
}
