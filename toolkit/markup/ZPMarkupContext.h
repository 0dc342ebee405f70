// The creator of element trees: binds the input elements it creates to itself, keeps the host's
// event handlers and named delegates, and owns the keyboard navigation.
#pragma once

#include "markup/ZPMarkupCollection.h"

#include <map>
#include <string>

class CZPMarkupDelegate;
class CZPMarkupEventHandlerMap;
class CZPMarkupInputElement;
class CZPMarkupKeyboardNavigation;
class CZPMarkupRoutedEvent;
struct MarkupRoutedEventArgs;

class CZPMarkupContext
{
public:
    // The transient list of an element and its input-element ancestors: items keep their parents.
    class CInputElementCollection : public CZPMarkupCollection
    {
    public:
        CInputElementCollection();
    };

    CZPMarkupContext();
    virtual ~CZPMarkupContext();

    // Counted: the creator's count plus one per input element created through the context.
    long Release();
    long GetRefCount() const { return m_nRefCount; }

    // A new object of the type; an input element is bound to this context. NULL when the
    // type cannot be created.
    CZPMarkupObject* CreateMarkupObject(CZPMarkupType* pType);
    // Called by an input element's final release: detaches it and gives back its count.
    virtual void OnElementReleased(CZPMarkupInputElement* pElement);

    // Takes over the caller's reference to the delegate.
    void AddEventHandler(CZPMarkupRoutedEvent* pEvent, CZPMarkupDelegate* pDelegate);
    void RaiseContextHandlers(CZPMarkupInputElement* pSender, MarkupRoutedEventArgs* pArgs);

    // Named delegates for event attributes in markup; SetDelegate takes over the reference.
    void SetDelegate(LPCWSTR lpszName, CZPMarkupDelegate* pDelegate);
    CZPMarkupDelegate* FindDelegate(LPCWSTR lpszName) const;

    CZPMarkupKeyboardNavigation* GetKeyboardNavigation() const { return m_pKeyboardNavigation; }

private:
    CZPMarkupContext(const CZPMarkupContext&) = delete;
    CZPMarkupContext& operator=(const CZPMarkupContext&) = delete;

    CZPMarkupEventHandlerMap* m_pHandlers;                       // owned, made by the first handler
    std::map<std::wstring, CZPMarkupDelegate*>* m_pDelegateNames; // owned, one reference per entry
    CZPMarkupKeyboardNavigation* m_pKeyboardNavigation;          // owned
    volatile long m_nRefCount;
};
