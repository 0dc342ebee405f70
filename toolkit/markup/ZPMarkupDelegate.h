// Delegates through which routed events reach code, and the per-element handler tables.
#pragma once

#include "markup/ZPMarkupObject.h"

#include <unordered_map>
#include <vector>

class CZPMarkupRoutedEvent;
struct MarkupRoutedEventArgs;

class CZPMarkupDelegate : public CZPMarkupObject
{
public:
    // A handler reports its outcome only through the record's bHandled.
    virtual void Execute(CZPMarkupObject* pSender, MarkupRoutedEventArgs* pArgs);
};

// Calls one member function of a host object through a typed member pointer, which carries
// whatever adjustment a class with several bases needs.
template <class T> class CZPMarkupClassDelegate : public CZPMarkupDelegate
{
public:
    typedef void (T::*PFNHANDLER)(CZPMarkupObject* pSender, MarkupRoutedEventArgs* pArgs);

    CZPMarkupClassDelegate(T* pObject, PFNHANDLER pfnHandler) : m_pObject(pObject), m_pfnHandler(pfnHandler) {}

    void Execute(CZPMarkupObject* pSender, MarkupRoutedEventArgs* pArgs) override
    {
        (m_pObject->*m_pfnHandler)(pSender, pArgs);
    }

private:
    T* m_pObject;  // borrowed: the host outlives its delegates
    PFNHANDLER m_pfnHandler;
};

template <class T>
CZPMarkupClassDelegate<T>* NewMarkupClassDelegate(T* pObject, typename CZPMarkupClassDelegate<T>::PFNHANDLER pfnHandler)
{
    return new CZPMarkupClassDelegate<T>(pObject, pfnHandler);
}

// Routed event -> delegates in the order they were added; one reference per entry.
class CZPMarkupEventHandlerMap
{
public:
    CZPMarkupEventHandlerMap() = default;
    ~CZPMarkupEventHandlerMap();

    // Takes over the caller's reference to the delegate.
    void Add(CZPMarkupRoutedEvent* pEvent, CZPMarkupDelegate* pDelegate);
    // Every delegate of the event's list runs, whether or not an earlier one set bHandled.
    void Raise(CZPMarkupObject* pSender, MarkupRoutedEventArgs* pArgs);

private:
    CZPMarkupEventHandlerMap(const CZPMarkupEventHandlerMap&) = delete;
    CZPMarkupEventHandlerMap& operator=(const CZPMarkupEventHandlerMap&) = delete;

    std::unordered_map<CZPMarkupRoutedEvent*, std::vector<CZPMarkupDelegate*>> m_map;
};
