// Routed events and the argument records that travel with them.
#pragma once

#include "markup/ZPMarkupDependencyProperty.h"

class CZPMarkupInputElement;

// A named event; its metadata's flag kZpMarkupEventBubble makes it bubble, else it is direct.
class CZPMarkupRoutedEvent : public CZPMarkupDependencyProperty
{
public:
    BOOL IsEvent() const override { return TRUE; }
    BOOL IsBubbling() const { return (GetFlags() & kZpMarkupEventBubble) != 0; }

    // The property map keeps the first reference; the class keeps a plain pointer.
    static CZPMarkupRoutedEvent* RegisterRoutedEvent(LPCWSTR lpszName, DWORD dwFlags, CZPMarkupType* pOwnerType);
};

// Argument records live on the raiser's stack; their pointers hold no reference.
struct MarkupRoutedEventArgs
{
    CZPMarkupRoutedEvent* pEvent;    // NULL in the query-cursor and wheel records
    CZPMarkupInputElement* pSource;  // the element the event is about
    BOOL bHandled;                   // set by a handler or an input operation to stop the routing
};

struct MarkupMouseEventArgs : MarkupRoutedEventArgs
{
    HWND hwndHost;
    int x;  // host client coordinates; -1 when the mouse left the host
    int y;

    // The point in the element's own coordinates.
    POINT GetPosition(const CZPMarkupObject* pElement) const;
};

struct MarkupQueryCursorEventArgs : MarkupMouseEventArgs
{
    HCURSOR hCursor;  // chosen by the element that sets bHandled
};

struct MarkupMouseWheelEventArgs : MarkupMouseEventArgs
{
    int nDelta;  // multiples of WHEEL_DELTA, positive away from the user
};
