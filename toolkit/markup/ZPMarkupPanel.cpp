// The panel base: the children collection and the background behind the children.
#include "markup/ZPMarkupPanel.h"

#include "markup/ZPMarkupBrush.h"
#include "markup/ZPMarkupDrawingContext.h"

CZPMarkupUIElementCollection::CZPMarkupUIElementCollection() : CZPMarkupCollection(CZPMarkupUIElement::GetClassType())
{}

CZPMarkupUIElement* CZPMarkupUIElementCollection::GetElement(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return NULL;
    return static_cast<CZPMarkupUIElement*>(m_items[nIndex]);
}

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupPanel, L"Panel", CZPMarkupFrameworkElement, &CZPMarkupPanel::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupPanel::m_pBackgroundProperty = NULL;

void CZPMarkupPanel::RegisterProperties()
{
    m_pBackgroundProperty =
        CZPMarkupDependencyProperty::Register(L"Background", CZPMarkupBrush::GetClassType(), GetClassType(),
                                              new CZPMarkupPropertyMetadata(NULL, kZpMarkupAffectsRender));
}

CZPMarkupPanel::CZPMarkupPanel() : m_pChildren(new CZPMarkupUIElementCollection)
{
    m_pChildren->SetLogicalParent(this);
}

CZPMarkupPanel::~CZPMarkupPanel()
{
    m_pChildren->SetLogicalParent(NULL);
    m_pChildren->Release();
}

void CZPMarkupPanel::SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent)
{
    m_pChildren->SetContentObject(pBuilder, pContent);
    InvalidateMeasure();
}

BOOL CZPMarkupPanel::HasContentObject() const
{
    return m_pChildren->GetCount() > 0;
}

int CZPMarkupPanel::GetVisualChildrenCount() const
{
    return m_pChildren->GetCount();
}

CZPMarkupVisual* CZPMarkupPanel::GetVisualChild(int nIndex) const
{
    return m_pChildren->GetElement(nIndex);
}

CZPMarkupBrush* CZPMarkupPanel::GetBackground() const
{
    return ZpMarkupCast<CZPMarkupBrush>(GetValue(m_pBackgroundProperty));
}

void CZPMarkupPanel::OnRender(CZPMarkupDrawingContext* pContext)
{
    CZPMarkupBrush* pBackground = GetBackground();
    if (m_szRender.cx > 0 && m_szRender.cy > 0 && pBackground != NULL)
        pContext->FillRectangle(RECT{ 0, 0, m_szRender.cx, m_szRender.cy }, pBackground);
}

CZPMarkupInputElement* CZPMarkupPanel::InputHitTestCore(int /*x*/, int /*y*/)
{
    return GetValue(m_pBackgroundProperty) != NULL ? this : NULL;
}
