// The markup context: parsing, element creation and binding, host handlers, named delegates,
// default font and font cache.
#include "markup/ZPMarkupContext.h"

#include "common/ZPResourceManager.h"
#include "markup/ZPMarkupBuilder.h"
#include "markup/ZPMarkupDelegate.h"
#include "markup/ZPMarkupGdiPlusDeviceContext.h"
#include "markup/ZPMarkupInputElement.h"
#include "markup/ZPMarkupKeyboardNavigation.h"
#include "markup/ZPMarkupParser.h"

#include <stddef.h>
#include <string.h>

void ZpMarkupEnsureAllTypesRegistered(); // ZPMarkupTypeTable.cpp

namespace
{
// The metrics structure without the padded-border member, which every system version accepts.
const UINT kNonClientMetricsSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupFont

CZPMarkupFont::CZPMarkupFont(CZPMarkupContext* pContext, const LOGFONTW& lf)
    : m_hFont(::CreateFontIndirectW(&lf)), m_lf(lf), m_pNextFont(NULL), m_pContext(pContext)
{
}

CZPMarkupFont::~CZPMarkupFont()
{
    if (m_pContext != NULL && m_pContext->m_pFonts != NULL)
    {
        CZPMarkupContext::CFontList* pList = m_pContext->m_pFonts;
        CZPMarkupFont* pPrevious = NULL;
        for (CZPMarkupFont* pFont = pList->pFirst; pFont != NULL; pPrevious = pFont, pFont = pFont->m_pNextFont)
        {
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

INT_PTR CZPMarkupContext::CTooltipContext::ToolHitTest(CWnd* /*pOwner*/, CPoint point, TOOLINFOW* pToolInfo)
{
    return m_pOwner != NULL ? m_pOwner->OnToolHitTest(point, pToolInfo) : -1;
}

CZPMarkupContext::CInputElementCollection::CInputElementCollection()
    : CZPMarkupCollection(CZPMarkupInputElement::GetClassType(), FALSE)
{
}

CZPMarkupContext::CZPMarkupContext()
    : m_hWndHost(NULL), m_clrDefaultText(0), m_pHotElement(NULL), m_pCapturedElement(NULL), m_pActiveRoot(NULL),
      m_pHandlers(NULL), m_pDelegateNames(NULL), m_pKeyboardNavigation(NULL), m_pFonts(NULL),
      m_pToolTipContext(NULL), m_nRefCount(1)
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
    m_pKeyboardNavigation->Release();
    delete m_pHandlers;
    if (m_pDelegateNames != NULL)
    {
        for (auto& entry : *m_pDelegateNames)
            entry.second->Release();
        delete m_pDelegateNames;
    }
    // Fonts still held elsewhere keep working; they no longer know this context.
    if (m_pFonts != NULL)
    {
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
    if (m_pCapturedElement != NULL)
    {
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
        m_pFonts = new CFontList{NULL, NULL};
    for (CZPMarkupFont* pFont = m_pFonts->pFirst; pFont != NULL; pFont = pFont->m_pNextFont)
    {
        const LOGFONTW& lfCached = pFont->m_lf;
        if (lfCached.lfHeight == lf.lfHeight && lfCached.lfWeight == lf.lfWeight &&
            lfCached.lfItalic == lf.lfItalic && lfCached.lfQuality == lf.lfQuality &&
            wcsncmp(lfCached.lfFaceName, lf.lfFaceName, LF_FACESIZE) == 0)
        {
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

INT_PTR CZPMarkupContext::OnToolHitTest(CPoint /*point*/, TOOLINFOW* /*pToolInfo*/)
{
    return -1;
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
    if (pElement == m_pHotElement)
        m_pHotElement = NULL;
    if (pElement == m_pActiveRoot)
        m_pActiveRoot = NULL;
    if (pElement == m_pCapturedElement)
    {
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
