// The markup context: element creation and binding, host handlers, named delegates.
#include "markup/ZPMarkupContext.h"

#include "markup/ZPMarkupDelegate.h"
#include "markup/ZPMarkupInputElement.h"
#include "markup/ZPMarkupKeyboardNavigation.h"

void ZpMarkupEnsureAllTypesRegistered(); // ZPMarkupTypeTable.cpp

CZPMarkupContext::CInputElementCollection::CInputElementCollection()
    : CZPMarkupCollection(CZPMarkupInputElement::GetClassType(), FALSE)
{
}

CZPMarkupContext::CZPMarkupContext()
    : m_pHandlers(NULL), m_pDelegateNames(NULL), m_pKeyboardNavigation(NULL), m_nRefCount(1)
{
    ZpMarkupEnsureAllTypesRegistered();
    m_pKeyboardNavigation = new CZPMarkupKeyboardNavigation(this);
}

CZPMarkupContext::~CZPMarkupContext()
{
    m_pKeyboardNavigation->Release();
    delete m_pHandlers;
    if (m_pDelegateNames != NULL)
    {
        for (auto& entry : *m_pDelegateNames)
            entry.second->Release();
        delete m_pDelegateNames;
    }
}

long CZPMarkupContext::Release()
{
    if (m_nRefCount == 0)
        return 0;
    const long nCount = ::InterlockedDecrement(&m_nRefCount);
    if (nCount == 0)
        delete this;
    return nCount;
}

CZPMarkupObject* CZPMarkupContext::CreateMarkupObject(CZPMarkupType* pType)
{
    CZPMarkupObject* pObject = pType != NULL ? pType->CreateObject() : NULL;
    if (CZPMarkupInputElement* pElement = ZpMarkupCast<CZPMarkupInputElement>(pObject))
    {
        pElement->m_pMarkupContext = this;
        m_nRefCount++;
    }
    return pObject;
}

void CZPMarkupContext::OnElementReleased(CZPMarkupInputElement* pElement)
{
    pElement->m_pMarkupContext = NULL;
    Release();
}

void CZPMarkupContext::AddEventHandler(CZPMarkupRoutedEvent* pEvent, CZPMarkupDelegate* pDelegate)
{
    if (m_pHandlers == NULL)
        m_pHandlers = new CZPMarkupEventHandlerMap;
    m_pHandlers->Add(pEvent, pDelegate);
}

void CZPMarkupContext::RaiseContextHandlers(CZPMarkupInputElement* pSender, MarkupRoutedEventArgs* pArgs)
{
    if (m_pHandlers != NULL)
        m_pHandlers->Raise(pSender, pArgs);
}

void CZPMarkupContext::SetDelegate(LPCWSTR lpszName, CZPMarkupDelegate* pDelegate)
{
    if (pDelegate == NULL)
        return;
    if (lpszName == NULL)
    {
        pDelegate->Release();
        return;
    }
    if (m_pDelegateNames == NULL)
        m_pDelegateNames = new std::map<std::wstring, CZPMarkupDelegate*>;
    CZPMarkupDelegate*& pEntry = (*m_pDelegateNames)[lpszName];
    if (pEntry != NULL)
        pEntry->Release();
    pEntry = pDelegate;
}

CZPMarkupDelegate* CZPMarkupContext::FindDelegate(LPCWSTR lpszName) const
{
    if (m_pDelegateNames == NULL || lpszName == NULL)
        return NULL;
    auto it = m_pDelegateNames->find(lpszName);
    return it != m_pDelegateNames->end() ? it->second : NULL;
}
