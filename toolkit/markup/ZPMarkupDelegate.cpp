// Delegates and handler tables.
#include "markup/ZPMarkupDelegate.h"

#include "markup/ZPMarkupRoutedEvent.h"

void CZPMarkupDelegate::Execute(CZPMarkupObject* /*pSender*/, MarkupRoutedEventArgs* /*pArgs*/)
{
}

CZPMarkupEventHandlerMap::~CZPMarkupEventHandlerMap()
{
    for (auto& entry : m_map)
    {
        for (CZPMarkupDelegate* pDelegate : entry.second)
            pDelegate->Release();
    }
}

void CZPMarkupEventHandlerMap::Add(CZPMarkupRoutedEvent* pEvent, CZPMarkupDelegate* pDelegate)
{
    if (pDelegate == NULL)
        return;
    m_map[pEvent].push_back(pDelegate);
}

void CZPMarkupEventHandlerMap::Raise(CZPMarkupObject* pSender, MarkupRoutedEventArgs* pArgs)
{
    auto it = m_map.find(pArgs->pEvent);
    if (it == m_map.end())
        return;
    // A handler may add handlers: the list is read by index and its length taken once.
    std::vector<CZPMarkupDelegate*>& list = it->second;
    const size_t nCount = list.size();
    for (size_t i = 0; i < nCount; i++)
    {
        // The handler may remove itself while it runs.
        CRefPtr<CZPMarkupDelegate> hold = CRefPtr<CZPMarkupDelegate>::AddRef(list[i]);
        hold->Execute(pSender, pArgs);
    }
}
