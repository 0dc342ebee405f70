// Flat functions through which other components show markup text: a context bound to a window,
// a parsed element, its measured size, drawing and message forwarding. Each one tolerates NULL
// for the object it works on.
#pragma once

#include <windows.h>

class CZPMarkupContext;
class CZPMarkupUIElement;

// A new context for the host window (may be NULL); the caller owns its first count.
CZPMarkupContext* ZpMarkupNewContext(HWND hWndHost);
// Releases the pointed-to context, if any, and stores NULL.
void ZpMarkupFreeContext(CZPMarkupContext** ppContext);
// The root element of the text (the caller owns it), or NULL when the text is not markup or
// its root is no element.
CZPMarkupUIElement* ZpMarkupParseToElement(CZPMarkupContext* pContext, LPCWSTR lpszText);
// Releases the pointed-to element, stores NULL and answers the count left (0 for NULL).
long ZpMarkupFreeElement(CZPMarkupUIElement** ppElement);
// The element's context; NULL for NULL or once the context let the element go.
CZPMarkupContext* ZpMarkupContextOf(CZPMarkupUIElement* pElement);
// A NULL font keeps the font; the colour -1 keeps the text colour.
void ZpMarkupSetContextFont(CZPMarkupContext* pContext, HFONT hFont, COLORREF clrText);
// The host's message routed to the element's tree; FALSE when the host handles it itself.
BOOL ZpMarkupForwardMessage(CZPMarkupUIElement* pElement, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
// The element's desired size in the room given, measured on a screen-compatible memory DC.
SIZE ZpMarkupMeasureSize(CZPMarkupUIElement* pElement, int nWidth, int nHeight);
// Arranges the element into the rectangle and draws it; TRUE once it has drawn.
BOOL ZpMarkupDrawElement(CZPMarkupUIElement* pElement, HDC hDC, LPCRECT lpRect);
