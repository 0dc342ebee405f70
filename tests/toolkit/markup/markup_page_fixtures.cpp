// Page fixture types.
#include "markup_page_fixtures.h"

#include "markup/ZPMarkupParser.h"
#include "markup/ZPMarkupValues.h"

ZP_IMPLEMENT_MARKUPTYPE(CPageBox, L"Box", CZPMarkupUIElement, &CPageBox::RegisterProperties)
ZP_IMPLEMENT_MARKUPTYPE(CPageText, L"Text", CPageBox, NULL)
ZP_IMPLEMENT_MARKUPTYPE(CPageStrong, L"Strong", CPageText, NULL)
ZP_IMPLEMENT_MARKUPTYPE(CPageItem, L"Item", CZPMarkupInputElement, NULL)
ZP_IMPLEMENT_MARKUPTYPE(CPageHungry, L"Hungry", CPageBox, NULL)

static CZPMarkupType* const g_pageTypes[] = {
    CPageBox::GetClassType(),  CPageText::GetClassType(),   CPageStrong::GetClassType(),
    CPageItem::GetClassType(), CPageHungry::GetClassType(),
};

CZPMarkupDependencyProperty* CPageBox::m_pBackgroundProperty = NULL;
CZPMarkupDependencyProperty* CPageBox::m_pTagProperty = NULL;
CZPMarkupDependencyProperty* CPageBox::m_pItemsProperty = NULL;
CZPMarkupDependencyProperty* CPageBox::m_pRowProperty = NULL;
CZPMarkupDependencyProperty* CPageBox::m_pForegroundProperty = NULL;

void CPageBox::RegisterProperties()
{
    m_pBackgroundProperty =
        CZPMarkupDependencyProperty::Register(L"Background", CZPMarkupColor::GetClassType(), GetClassType());
    m_pTagProperty = CZPMarkupDependencyProperty::Register(L"Tag", CZPMarkupObject::GetClassType(), GetClassType());
    m_pItemsProperty =
        CZPMarkupDependencyProperty::Register(L"Items", CZPMarkupCollection::GetClassType(), GetClassType());
    m_pRowProperty = CZPMarkupDependencyProperty::RegisterAttached(L"Row", CZPMarkupInt::GetClassType(), GetClassType());
    m_pForegroundProperty = CZPMarkupDependencyProperty::Register(
        L"Foreground", CZPMarkupColor::GetClassType(), GetClassType(),
        new CZPMarkupPropertyMetadata(new CZPMarkupColor(RGB(0, 0, 0)), kZpMarkupInherits));
}

void CPageBox::OnPropertyChanged(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                                 CZPMarkupObject* pNewValue)
{
    g_changes.push_back({this, pProperty, pOldValue, pNewValue, pOldValue != NULL ? pOldValue->GetRefCount() : -1, 0});
    CZPMarkupUIElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    UpdateTriggers(pProperty, pNewValue);
}

CPageBox::~CPageBox()
{
    for (CZPMarkupObject* pChild : m_children)
        pChild->Release();
}

void CPageBox::SetContentObject(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* pContent)
{
    if (CZPMarkupString* pString = ZpMarkupCast<CZPMarkupString>(pContent))
    {
        m_log.push_back(L"\"" + std::wstring(pString->GetText()) + L"\"");
        pString->Release();
        return;
    }
    m_log.push_back(L"<" + std::wstring(pContent->GetTagText() != NULL ? pContent->GetTagText() : L"?") + L">");
    pContent->SetLogicalParent(this);
    m_children.push_back(pContent);
}

std::wstring CPageBox::Log() const
{
    std::wstring log;
    for (const std::wstring& entry : m_log)
        log += (log.empty() ? L"" : L"|") + entry;
    return log;
}

void CPageHungry::SetContentObject(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* /*pContent*/)
{
    AfxThrowMemoryException();
}

void BuildPage(const std::wstring& page, CBuilt& built, const std::function<void(CZPMarkupObject*)>& inspect)
{
    (void)g_pageTypes;
    CZPMarkupContext* pContext = new CZPMarkupContext;
    {
        CZPMarkupParser parser;
        parser.SetBuffer(page.c_str(), page.c_str() + page.size());
        CZPMarkupBuilder builder(pContext);
        CZPMarkupObject* pRoot = builder.Parse(&parser);
        built.error = builder.GetErrorMessage().GetString();
        built.bRoot = pRoot != NULL;
        if (pRoot != NULL)
        {
            if (inspect)
                inspect(pRoot);
            pRoot->Release();
        }
    }
    built.nContextCount = pContext->GetRefCount();
    pContext->Release();
}
