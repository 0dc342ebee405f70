// The flat markup functions over the context, the builder and the layout core.
#include "markup/ZPMarkupApi.h"

#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupVisual.h"

CZPMarkupContext* ZpMarkupNewContext(HWND hWndHost)
{
    CZPMarkupContext* pContext = new CZPMarkupContext;
    pContext->SetHostWindow(hWndHost);
    return pContext;
}

void ZpMarkupFreeContext(CZPMarkupContext** ppContext)
{
    if (ppContext == NULL || *ppContext == NULL)
        return;
    (*ppContext)->Release();
    *ppContext = NULL;
}

CZPMarkupUIElement* ZpMarkupParseToElement(CZPMarkupContext* pContext, LPCWSTR lpszText)
{
    if (pContext == NULL || lpszText == NULL)
        return NULL;
    CZPMarkupObject* pRoot = pContext->Parse(lpszText);
    CZPMarkupUIElement* pElement = ZpMarkupCast<CZPMarkupUIElement>(pRoot);
    // A page whose root is a value (a brush, a style) has nothing to lay out or draw.
    if (pElement == NULL && pRoot != NULL)
        pRoot->Release();
    return pElement;
}

long ZpMarkupFreeElement(CZPMarkupUIElement** ppElement)
{
    if (ppElement == NULL || *ppElement == NULL)
        return 0;
    const long nCount = (*ppElement)->Release();
    *ppElement = NULL;
    return nCount;
}

CZPMarkupContext* ZpMarkupContextOf(CZPMarkupUIElement* pElement)
{
    return pElement != NULL ? pElement->GetMarkupContext() : NULL;
}

void ZpMarkupSetContextFont(CZPMarkupContext* pContext, HFONT hFont, COLORREF clrText)
{
    if (pContext == NULL)
        return;
    if (hFont != NULL)
        pContext->SetDefaultFont(hFont);
    if (clrText != static_cast<COLORREF>(-1))
        pContext->SetDefaultTextColor(clrText);
}

BOOL ZpMarkupForwardMessage(CZPMarkupUIElement* pElement, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CZPMarkupContext* pContext = ZpMarkupContextOf(pElement);
    if (pContext == NULL)
        return FALSE;
    LRESULT lResult = 0;
    return pContext->HandleMessage(pElement, message, wParam, lParam, pResult != NULL ? pResult : &lResult);
}

SIZE ZpMarkupMeasureSize(CZPMarkupUIElement* pElement, int nWidth, int nHeight)
{
    if (pElement == NULL)
        return SIZE{ 0, 0 };
    CZPMarkupDrawingContext context;
    pElement->Measure(&context, nWidth, nHeight);
    return pElement->GetDesiredSize();
}

BOOL ZpMarkupDrawElement(CZPMarkupUIElement* pElement, HDC hDC, LPCRECT lpRect)
{
    if (pElement == NULL || hDC == NULL || lpRect == NULL)
        return FALSE;
    CZPMarkupDrawingContext context(hDC, NULL);
    pElement->Arrange(*lpRect);
    pElement->Render(&context);
    return TRUE;
}
