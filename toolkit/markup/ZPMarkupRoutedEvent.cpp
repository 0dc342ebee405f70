// Routed-event records.
#include "markup/ZPMarkupRoutedEvent.h"

#include "markup/ZPMarkupValues.h"

CZPMarkupRoutedEvent* CZPMarkupRoutedEvent::RegisterRoutedEvent(LPCWSTR lpszName, DWORD dwFlags,
                                                                CZPMarkupType* pOwnerType)
{
    CZPMarkupRoutedEvent* pEvent = new CZPMarkupRoutedEvent;
    pEvent->Init(lpszName, CZPMarkupString::GetClassType(), pOwnerType, FALSE,
                 dwFlags != 0 ? new CZPMarkupPropertyMetadata(NULL, dwFlags) : NULL);
    return pEvent;
}
