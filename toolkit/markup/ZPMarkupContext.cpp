// The markup context: parsing, element creation and binding, host handlers, named delegates,
// default font and font cache.
#include "markup/ZPMarkupContext.h"

#include <framework/assert.h>

#include "common/ZPResourceManager.h"
#include "common/ZPToolInfo.h"
#include "markup/ZPMarkupBuilder.h"
#include "markup/ZPMarkupDelegate.h"
#include "markup/ZPMarkupGdiPlusDeviceContext.h"
#include "markup/ZPMarkupInputElement.h"
#include "markup/ZPMarkupKeyboardNavigation.h"
#include "markup/ZPMarkupParser.h"
#include "markup/ZPMarkupToolTip.h"
#include "markup/ZPMarkupTypeTable.h"
#include "markup/ZPMarkupValues.h"
#include "markup/ZPMarkupVisual.h"

#include <windowsx.h>

#include <new>
#include <stddef.h>
#include <string.h>

namespace {
// The metrics structure without the padded-border member, which every system version accepts.
const UINT kNonClientMetricsSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
}  // namespace

// ---------------------------------------------------------------------------------------------
// CZPMarkupFont

CZPMarkupFont::CZPMarkupFont(CZPMarkupContext* pContext, const LOGFONTW& lf)
    : m_hFont(::CreateFontIndirectW(&lf)), m_lf(lf), m_pNextFont(NULL), m_pContext(pContext)
{}

CZPMarkupFont::~CZPMarkupFont()
{
    if (m_pContext != NULL && m_pContext->m_pFonts != NULL) {
        CZPMarkupContext::CFontList* pList = m_pContext->m_pFonts;
        CZPMarkupFont* pPrevious = NULL;
        for (CZPMarkupFont* pFont = pList->pFirst; pFont != NULL; pPrevious = pFont, pFont = pFont->m_pNextFont) {
            if (pFont != this)
                continue;
            (pPrevious != NULL ? pPrevious->m_pNextFont : pList->pFirst) = m_pNextFont;
            if (pList->pLast == this)
                pList->pLast = pPrevious;
            break;
        }
    }
    if (m_hFont != NULL)
        ::DeleteObject(m_hFont);
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupContext

CWnd* CZPMarkupContext::CTooltipContext::CreateToolTip()
{
    if (GetKind() == kindMarkup)
        return new (std::nothrow) CMarkupToolTip(this);
    return CZPToolTipContext::CreateToolTip();
}

INT_PTR CZPMarkupContext::CTooltipContext::ToolHitTest(CWnd* /*pOwner*/, CPoint point, TOOLINFOW* pToolInfo)
{
    return m_pOwner != NULL ? m_pOwner->OnToolHitTest(point, pToolInfo) : -1;
}

CZPMarkupContext::CInputElementCollection::CInputElementCollection()
    : CZPMarkupCollection(CZPMarkupInputElement::GetClassType(), FALSE)
{}

CZPMarkupContext::CZPMarkupContext()
    : m_hWndHost(NULL), m_clrDefaultText(0), m_pHotElement(NULL), m_pCapturedElement(NULL), m_pActiveRoot(NULL),
      m_pHandlers(NULL), m_pDelegateNames(NULL), m_pKeyboardNavigation(NULL), m_pFonts(NULL), m_pToolTipContext(NULL),
      m_nRefCount(1)
{
    ZpMarkupEnsureAllTypesRegistered();
    NONCLIENTMETRICSW metrics;
    memset(&metrics, 0, sizeof(metrics));
    metrics.cbSize = kNonClientMetricsSize;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0);
    m_lfDefault = metrics.lfMessageFont;
    if (CZPResourceManager* pResourceManager = ZpResourceManagerInstance())
        m_lfDefault.lfCharSet = pResourceManager->GetFontCharSet();

    m_pKeyboardNavigation = new CZPMarkupKeyboardNavigation(this);
    m_pToolTipContext = new CTooltipContext(this);
    m_pToolTipContext->SetStyle(CZPToolTipContext::kindMarkup);
    // GDI+ draws while any markup context exists.
    ZpMarkupRegisterGdiPlus(TRUE);
}

CZPMarkupContext::~CZPMarkupContext()
{
    m_pHotElement = NULL;
    SetImageManager(NULL);
    m_pKeyboardNavigation->Release();
    delete m_pHandlers;
    if (m_pDelegateNames != NULL) {
        for (auto& entry : *m_pDelegateNames)
            entry.second->Release();
        delete m_pDelegateNames;
    }
    // Fonts still held elsewhere keep working; they no longer know this context.
    if (m_pFonts != NULL) {
        for (CZPMarkupFont* pFont = m_pFonts->pFirst; pFont != NULL; pFont = pFont->m_pNextFont)
            pFont->m_pContext = NULL;
        delete m_pFonts;
    }
    m_pToolTipContext->m_pOwner = NULL;
    m_pToolTipContext->InternalRelease();
    ZpMarkupRegisterGdiPlus(FALSE);
}

CZPMarkupObject* CZPMarkupContext::Parse(LPCWSTR lpszText)
{
    m_pHotElement = NULL;
    m_pActiveRoot = NULL;
    if (m_pCapturedElement != NULL) {
        m_pCapturedElement = NULL;
        ::ReleaseCapture();
    }
    if (lpszText == NULL)
        return NULL;
    CZPMarkupParser parser;
    parser.SetBuffer(lpszText, lpszText + wcslen(lpszText));
    CZPMarkupBuilder builder(this);
    return builder.Parse(&parser);
}

void CZPMarkupContext::InvalidateAll(CZPMarkupObject* /*pRoot*/)
{
    if (m_hWndHost != NULL)
        ::InvalidateRect(m_hWndHost, NULL, FALSE);
}

CZPMarkupFont* CZPMarkupContext::GetFont(const LOGFONTW& lf)
{
    if (m_pFonts == NULL)
        m_pFonts = new CFontList{ NULL, NULL };
    for (CZPMarkupFont* pFont = m_pFonts->pFirst; pFont != NULL; pFont = pFont->m_pNextFont) {
        const LOGFONTW& lfCached = pFont->m_lf;
        if (lfCached.lfHeight == lf.lfHeight && lfCached.lfWeight == lf.lfWeight && lfCached.lfItalic == lf.lfItalic &&
            lfCached.lfQuality == lf.lfQuality && wcsncmp(lfCached.lfFaceName, lf.lfFaceName, LF_FACESIZE) == 0) {
            pFont->AddRef();
            return pFont;
        }
    }
    CZPMarkupFont* pFont = new CZPMarkupFont(this, lf);
    if (m_pFonts->pLast != NULL)
        m_pFonts->pLast->m_pNextFont = pFont;
    else
        m_pFonts->pFirst = pFont;
    m_pFonts->pLast = pFont;
    return pFont;
}

void CZPMarkupContext::SetDefaultFont(HFONT hFont)
{
    LOGFONTW lf;
    if (hFont != NULL && ::GetObjectW(hFont, sizeof(lf), &lf) == sizeof(lf))
        m_lfDefault = lf;
}

void CZPMarkupContext::InvalidateElement(CZPMarkupObject* pElement)
{
    if (m_hWndHost == NULL)
        return;
    const RECT rc = GetClientBoundingRect(pElement);
    ::InvalidateRect(m_hWndHost, &rc, FALSE);
}

RECT CZPMarkupContext::GetClientBoundingRect(CZPMarkupObject* pElement)
{
    RECT rc = { 0, 0, 0, 0 };
    CZPMarkupVisual* pVisual = ZpMarkupCast<CZPMarkupVisual>(pElement);
    if (pVisual == NULL) {
        if (CZPMarkupFrameworkContentElement* pContent = ZpMarkupCast<CZPMarkupFrameworkContentElement>(pElement))
            pVisual = pContent->GetParentFrameworkElement();
    }
    if (pVisual == NULL)
        return rc;
    rc = pVisual->GetBoundRect();
    for (; pVisual != NULL; pVisual = pVisual->GetVisualParent()) {
        const POINT pt = pVisual->GetVisualOffset();
        rc.left = ZpMarkupAddSaturated(rc.left, pt.x);
        rc.right = ZpMarkupAddSaturated(rc.right, pt.x);
        rc.top = ZpMarkupAddSaturated(rc.top, pt.y);
        rc.bottom = ZpMarkupAddSaturated(rc.bottom, pt.y);
    }
    return rc;
}

INT_PTR CZPMarkupContext::OnToolHitTest(CPoint /*point*/, TOOLINFOW* pToolInfo)
{
    CInputElementCollection chain;
    CollectInputElements(m_pHotElement, &chain);
    for (int i = 0; i < chain.GetCount(); i++) {
        CZPMarkupObject* pElement = chain.GetAt(i);
        const CZPMarkupString* pText =
            ZpMarkupCast<CZPMarkupString>(pElement->GetValue(CZPMarkupInputElement::m_pToolTipProperty));
        if (pText == NULL)
            continue;
        // The element's address is the id: pointer-sized in both builds.
        const UINT_PTR nId = reinterpret_cast<UINT_PTR>(pElement);
        if (pToolInfo != NULL)
            ZpFillToolInfo(pToolInfo, m_hWndHost, GetClientBoundingRect(pElement), nId, pText->GetText());
        return static_cast<INT_PTR>(nId);
    }
    return -1;
}

// ---------------------------------------------------------------------------------------------
// Mouse routing

void CZPMarkupContext::CollectInputElements(CZPMarkupObject* pElement, CZPMarkupCollection* pCollection)
{
    for (CZPMarkupObject* pObject = pElement; pObject != NULL; pObject = pObject->GetLogicalParent()) {
        if (ZpMarkupCast<CZPMarkupInputElement>(pObject) == NULL)
            continue;
        pObject->AddRef();
        if (!pCollection->Add(pObject))
            pObject->Release();
    }
}

BOOL CZPMarkupContext::IsParentOf(CZPMarkupObject* pParent, CZPMarkupObject* pChild)
{
    for (CZPMarkupObject* pObject = pChild; pObject != NULL; pObject = pObject->GetLogicalParent()) {
        if (pObject == pParent)
            return TRUE;
    }
    return FALSE;
}

void CZPMarkupContext::CaptureMouse(CZPMarkupInputElement* pElement)
{
    if (pElement == m_pCapturedElement)
        return;
    ::SetCapture(m_hWndHost);
    m_pCapturedElement = pElement;
}

void CZPMarkupContext::ReleaseMouseCapture()
{
    // Cleared first: the WM_CAPTURECHANGED of a voluntary release finds no captured element.
    m_pCapturedElement = NULL;
    ::ReleaseCapture();
}

BOOL CZPMarkupContext::HandleMessage(CZPMarkupObject* pRoot, UINT message, WPARAM wParam, LPARAM lParam,
                                     LRESULT* pResult)
{
    if (m_hWndHost == NULL)
        return FALSE;
    if (m_pActiveRoot != NULL && m_pActiveRoot != pRoot)
        return FALSE;
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    if (message == WM_MOUSEMOVE && pRoot != NULL)
        HandleMouseMove(pRoot, x, y);
    if (message == WM_DESTROY || message == WM_MOUSELEAVE)
        SetHotElement(NULL, -1, -1);
    if (message == WM_MOUSELEAVE || (message >= WM_MOUSEMOVE && message <= WM_MOUSEWHEEL)) {
        if (CWnd* pHost = CWnd::FromHandlePermanent(m_hWndHost))
            m_pToolTipContext->RelayOwnerMessage(pHost, message, wParam, lParam);
    }
    switch (message) {
    case WM_SETCURSOR:
        if (!HandleSetCursor())
            return FALSE;
        if (pResult != NULL)
            *pResult = 1;
        return TRUE;
    case WM_MOUSEWHEEL:
        if (!HandleMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam)))
            return FALSE;
        if (pResult != NULL)
            *pResult = 1;
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return HandleMouseButton(message, wParam, lParam);
    case WM_CAPTURECHANGED:
        if (CZPMarkupInputElement* pCaptured = m_pCapturedElement) {
            pCaptured->AddRef();
            MarkupMouseEventArgs args = {};
            args.pEvent = CZPMarkupInputElement::m_pLostMouseCaptureEvent;
            args.pSource = pCaptured;
            pCaptured->RaiseEvent(&args);
            if (!args.bHandled)
                pCaptured->OnLostMouseCapture(&args);
            if (m_pCapturedElement == pCaptured)
                m_pCapturedElement = NULL;
            pCaptured->Release();
        }
        return FALSE;
    case WM_KEYDOWN:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return m_pKeyboardNavigation->OnWndMsg(message, wParam, lParam, pResult);
    default:
        return FALSE;
    }
}

void CZPMarkupContext::HandleMouseMove(CZPMarkupObject* pRoot, int x, int y)
{
    CZPMarkupInputElement* pTarget = ZpMarkupCast<CZPMarkupInputElement>(pRoot);
    if (pTarget != NULL)
        pTarget = pTarget->InputHitTest(x, y);
    if (m_pCapturedElement != NULL)
        pTarget = IsParentOf(m_pCapturedElement, pTarget) ? m_pCapturedElement : NULL;
    if (pTarget != m_pHotElement) {
        SetHotElement(pTarget, x, y);
        if (m_pHotElement != NULL) {
            TRACKMOUSEEVENT tme = { sizeof(tme), TME_LEAVE, m_hWndHost, 0 };
            ::TrackMouseEvent(&tme);
        }
        if (!HandleSetCursor())
            ::SetCursor(::LoadCursorW(NULL, IDC_ARROW));
    }
    m_pActiveRoot = m_pHotElement != NULL ? pRoot : NULL;
    if (m_pHotElement == NULL)
        return;
    CInputElementCollection chain;
    CollectInputElements(m_pHotElement, &chain);
    MarkupMouseEventArgs args = {};
    args.pEvent = CZPMarkupInputElement::m_pMouseMoveEvent;
    args.pSource = m_pHotElement;
    args.hwndHost = m_hWndHost;
    args.x = x;
    args.y = y;
    for (int i = 0; i < chain.GetCount() && !args.bHandled; i++) {
        CZPMarkupInputElement* pElement = static_cast<CZPMarkupInputElement*>(chain.GetAt(i));
        pElement->RaiseEvent(&args);
        if (!args.bHandled)
            pElement->OnMouseMove(&args);
    }
}

void CZPMarkupContext::SetHotElement(CZPMarkupInputElement* pElement, int x, int y)
{
    if (pElement == m_pHotElement)
        return;
    if (pElement == NULL)
        m_pActiveRoot = NULL;
    CInputElementCollection leaveChain;
    CInputElementCollection enterChain;
    CollectInputElements(m_pHotElement, &leaveChain);
    CollectInputElements(pElement, &enterChain);
    // Common ancestors get neither event.
    while (leaveChain.GetCount() > 0 && enterChain.GetCount() > 0 &&
           leaveChain.GetAt(leaveChain.GetCount() - 1) == enterChain.GetAt(enterChain.GetCount() - 1)) {
        leaveChain.RemoveAt(leaveChain.GetCount() - 1);
        enterChain.RemoveAt(enterChain.GetCount() - 1);
    }
    MarkupMouseEventArgs leave = {};
    leave.pEvent = CZPMarkupInputElement::m_pMouseLeaveEvent;
    leave.pSource = m_pHotElement;
    leave.hwndHost = m_hWndHost;
    leave.x = x;
    leave.y = y;
    MarkupMouseEventArgs enter = leave;
    enter.pEvent = CZPMarkupInputElement::m_pMouseEnterEvent;
    enter.pSource = pElement;
    m_pHotElement = pElement;
    for (int i = 0; i < leaveChain.GetCount(); i++) {
        CZPMarkupInputElement* pItem = static_cast<CZPMarkupInputElement*>(leaveChain.GetAt(i));
        pItem->RaiseEvent(&leave);
        if (leave.bHandled)
            break;
        pItem->OnMouseLeave(&leave);
        if (leave.bHandled)
            break;
    }
    for (int i = 0; i < enterChain.GetCount(); i++) {
        CZPMarkupInputElement* pItem = static_cast<CZPMarkupInputElement*>(enterChain.GetAt(i));
        pItem->RaiseEvent(&enter);
        if (enter.bHandled)
            break;
        pItem->OnMouseEnter(&enter);
        if (enter.bHandled)
            break;
    }
}

BOOL CZPMarkupContext::HandleSetCursor()
{
    if (m_pHotElement == NULL)
        return FALSE;
    CInputElementCollection chain;
    CollectInputElements(m_pHotElement, &chain);
    MarkupQueryCursorEventArgs args = {};
    args.pSource = m_pHotElement;
    for (int i = 0; i < chain.GetCount(); i++) {
        static_cast<CZPMarkupInputElement*>(chain.GetAt(i))->OnQueryCursor(&args);
        if (!args.bHandled)
            continue;
        if (args.hCursor == NULL)
            return FALSE;
        ::SetCursor(args.hCursor);
        return TRUE;
    }
    return FALSE;
}

BOOL CZPMarkupContext::HandleMouseWheel(int nDelta)
{
    if (m_pHotElement == NULL)
        return FALSE;
    CInputElementCollection chain;
    CollectInputElements(m_pHotElement, &chain);
    MarkupMouseWheelEventArgs args = {};
    args.pSource = m_pHotElement;
    args.nDelta = nDelta;
    for (int i = 0; i < chain.GetCount(); i++) {
        static_cast<CZPMarkupInputElement*>(chain.GetAt(i))->OnMouseWheel(&args);
        if (args.bHandled)
            return TRUE;
    }
    return FALSE;
}

BOOL CZPMarkupContext::HandleMouseButton(UINT message, WPARAM /*wParam*/, LPARAM lParam)
{
    CZPMarkupInputElement* pStart = m_pCapturedElement != NULL ? m_pCapturedElement : m_pHotElement;
    if (pStart == NULL)
        return FALSE;
    CZPMarkupRoutedEvent* pEvent = CZPMarkupInputElement::m_pMouseLeftButtonDownEvent;
    if (message == WM_LBUTTONUP)
        pEvent = CZPMarkupInputElement::m_pMouseLeftButtonUpEvent;
    else if (message == WM_RBUTTONDOWN)
        pEvent = CZPMarkupInputElement::m_pMouseRightButtonDownEvent;
    else if (message == WM_RBUTTONUP)
        pEvent = CZPMarkupInputElement::m_pMouseRightButtonUpEvent;
    CInputElementCollection chain;
    CollectInputElements(pStart, &chain);
    MarkupMouseEventArgs args = {};
    args.pEvent = pEvent;
    args.pSource = pStart;
    args.hwndHost = m_hWndHost;
    args.x = GET_X_LPARAM(lParam);
    args.y = GET_Y_LPARAM(lParam);
    for (int i = 0; i < chain.GetCount() && !args.bHandled; i++) {
        CZPMarkupInputElement* pElement = static_cast<CZPMarkupInputElement*>(chain.GetAt(i));
        pElement->RaiseEvent(&args);
        if (args.bHandled)
            break;
        if (message == WM_LBUTTONUP)
            pElement->OnMouseLeftButtonUp(&args);
        else if (message == WM_RBUTTONDOWN)
            pElement->OnMouseRightButtonDown(&args);
        else if (message == WM_RBUTTONUP)
            pElement->OnMouseRightButtonUp(&args);
        else
            pElement->OnMouseLeftButtonDown(&args);
    }
    return args.bHandled;
}

long CZPMarkupContext::Release()
{
    ASSERT(m_nRefCount > 0);
    if (m_nRefCount <= 0)
        return 0;
    const long nCount = ::InterlockedDecrement(&m_nRefCount);
    if (nCount == 0)
        delete this;
    return nCount;
}

CZPMarkupObject* CZPMarkupContext::CreateMarkupObject(CZPMarkupType* pType)
{
    CZPMarkupObject* pObject = pType != NULL ? pType->CreateObject() : NULL;
    if (CZPMarkupInputElement* pElement = ZpMarkupCast<CZPMarkupInputElement>(pObject)) {
        pElement->m_pMarkupContext = this;
        m_nRefCount++;
    }
    return pObject;
}

void CZPMarkupContext::OnElementReleased(CZPMarkupInputElement* pElement)
{
    if (pElement == m_pHotElement)
        m_pHotElement = NULL;
    if (pElement == m_pActiveRoot)
        m_pActiveRoot = NULL;
    if (pElement == m_pCapturedElement) {
        m_pCapturedElement = NULL;
        ::ReleaseCapture();
    }
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
    if (lpszName == NULL) {
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
