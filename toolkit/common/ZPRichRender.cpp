// Rich-text rendering: the windowless text services of the system's rich-edit library, hosted
// by an ITextHost of our own that has no window, no caret and no scroll bars.
#include "common/ZPRichRender.h"

#include "common/ZPSystemHelpers.h"

#include <framework/file.h>

#include <string.h>

#include <vector>

namespace
{

const LPCWSTR kRichEditLibrary = L"RICHED20.dll";
const LPCSTR kCreateTextServicesExport = "CreateTextServices";
const IID kIID_ITextServices = { 0x8D33F740, 0xCF58, 0x11CE, { 0xA8, 0x9D, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5 } };
const IID kIID_ITextHost = { 0x13E670F4, 0x1A5A, 0x11CF, { 0xAB, 0xEB, 0x00, 0xAA, 0x00, 0xB6, 0x5E, 0xA1 } };

const DWORD kDefaultCharMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_CHARSET | CFM_FACE |
                               CFM_COLOR | CFM_SIZE;
const DWORD kDefaultParaMask = PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET | PFM_ALIGNMENT | PFM_TABSTOPS |
                               PFM_NUMBERING | PFM_RTLPARA | PFM_OFFSETINDENT;
const DWORD kMaxTextLength = 0x1000000;
const DWORD kHostPropertyBits = TXTBIT_RICHTEXT | TXTBIT_MULTILINE | TXTBIT_WORDWRAP;
const int kTwipsPerInch = 1440;

DWORD CALLBACK ZpRichStreamCallback(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    *pcb = 0;
    try
    {
        CMemFile* pFile = reinterpret_cast<CMemFile*>(dwCookie);
        *pcb = static_cast<LONG>(pFile->Read(pbBuff, cb > 0 ? static_cast<UINT>(cb) : 0));
    }
    catch (...)
    {
        return 1;   // the engine stops reading
    }
    return 0;
}

} // namespace

BEGIN_INTERFACE_MAP(CZPRichRender, CCmdTarget)
    INTERFACE_PART(CZPRichRender, kIID_ITextHost, TextHost)
END_INTERFACE_MAP()

CZPRichRender::CZPRichRender()
    : m_pTextServices(NULL), m_nRequestedWidth(0), m_nRequestedHeight(0)
{
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = sizeof(ncm);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    HDC hScreen = ::GetDC(NULL);
    int nLogPixelsY = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(NULL, hScreen);

    memset(&m_cfDefault, 0, sizeof(m_cfDefault));
    m_cfDefault.cbSize = sizeof(m_cfDefault);
    m_cfDefault.dwMask = kDefaultCharMask;
    m_cfDefault.yHeight = -::MulDiv(ncm.lfMessageFont.lfHeight, kTwipsPerInch, nLogPixelsY);
    m_cfDefault.crTextColor = ::GetSysColor(COLOR_BTNTEXT);
    wcsncpy(m_cfDefault.szFaceName, ncm.lfMessageFont.lfFaceName, LF_FACESIZE - 1);

    memset(&m_pfDefault, 0, sizeof(m_pfDefault));
    m_pfDefault.cbSize = sizeof(m_pfDefault);
    m_pfDefault.dwMask = kDefaultParaMask;
    m_pfDefault.wAlignment = PFA_LEFT;

    PCreateTextServices pfnCreate = NULL;
    if (!m_library.Load(kRichEditLibrary) || !m_library.GetProcAddressIfVersion(&pfnCreate, kCreateTextServicesExport))
        return;
    IUnknown* pUnknown = NULL;
    if (pfnCreate == NULL || FAILED(pfnCreate(NULL, &m_xTextHost, &pUnknown)) || pUnknown == NULL)
        return;
    void* pServices = NULL;
    if (SUCCEEDED(pUnknown->QueryInterface(kIID_ITextServices, &pServices)))
        m_pTextServices = static_cast<ITextServices*>(pServices);
    pUnknown->Release();
}

CZPRichRender::~CZPRichRender()
{
    if (m_pTextServices != NULL)
        m_pTextServices->Release();
    m_pTextServices = NULL;
}

void CZPRichRender::SetDefaultCharFormat(const CHARFORMATW* pFormat)
{
    if (pFormat == NULL)
        return;
    m_cfDefault = *pFormat;
    m_cfDefault.cbSize = sizeof(m_cfDefault);
    if (m_pTextServices != NULL)
    {
        LRESULT lResult = 0;
        m_pTextServices->TxSendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&m_cfDefault),
                                       &lResult);
    }
}

LONG CZPRichRender::StreamIn(const void* pData, UINT nSize, DWORD dwFormat)
{
    CMemFile file(static_cast<BYTE*>(const_cast<void*>(pData)), nSize);
    EDITSTREAM es = {};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&file);
    es.pfnCallback = ZpRichStreamCallback;
    LRESULT lResult = 0;
    m_pTextServices->TxSendMessage(EM_STREAMIN, dwFormat, reinterpret_cast<LPARAM>(&es), &lResult);
    return static_cast<LONG>(lResult);
}

int CZPRichRender::SetText(LPCWSTR lpszText)
{
    if (m_pTextServices == NULL)
        return 0;
    if (lpszText == NULL || *lpszText == L'\0')
    {
        m_pTextServices->TxSetText(L"");
        return 0;
    }
    size_t nLength = wcslen(lpszText);
    if (lpszText[0] == L'{')
    {
        int nBytes = ::WideCharToMultiByte(CP_ACP, 0, lpszText, static_cast<int>(nLength), NULL, 0, NULL, NULL);
        std::vector<char> rtf(static_cast<size_t>(nBytes > 0 ? nBytes : 0) + 1, '\0');
        ::WideCharToMultiByte(CP_ACP, 0, lpszText, static_cast<int>(nLength), rtf.data(), nBytes, NULL, NULL);
        LONG nRead = StreamIn(rtf.data(), static_cast<UINT>(nBytes > 0 ? nBytes : 0), SF_RTF);
        if (nRead > 0)
            return static_cast<int>(nRead);
    }
    return static_cast<int>(
        StreamIn(lpszText, static_cast<UINT>(nLength * sizeof(WCHAR)), SF_TEXT | SF_UNICODE));
}

void CZPRichRender::DrawProbe(CDC* pDC, int nWidth)
{
    RECTL rcBounds = { 0, 0, nWidth, 1 };
    RECT rcUpdate = { 0, 0, 0, 0 };   // nothing is painted: the engine only reports the height
    m_pTextServices->TxDraw(DVASPECT_CONTENT, 0, NULL, NULL, pDC->m_hDC, NULL, &rcBounds, NULL, &rcUpdate, NULL, 0,
                            TXTVIEW_ACTIVE);
    // Engines that report a size only when it changed, or before re-wrapping, are asked again
    // for the layout at this width.
    LRESULT lResult = 0;
    m_pTextServices->TxSendMessage(EM_REQUESTRESIZE, 0, 0, &lResult);
}

CSize CZPRichRender::MeasureText(CDC* pDC, int nMaxWidth)
{
    if (m_pTextServices == NULL || pDC == NULL)
        return CSize(0, 0);
    LRESULT lResult = 0;
    m_pTextServices->TxSendMessage(EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE, &lResult);
    m_nRequestedWidth = m_nRequestedHeight = 0;
    int nFullHeight = 0;
    int nLow = 0, nHigh = 2 * nMaxWidth;
    BOOL bLastTaller = FALSE;
    do
    {
        int nMid = (nLow + nHigh) / 2;
        DrawProbe(pDC, nMid);
        if (nFullHeight == 0)
            nFullHeight = m_nRequestedHeight;
        bLastTaller = m_nRequestedHeight > nFullHeight;
        if (bLastTaller)
            nLow = nMid + 1;
        else
            nHigh = nMid - 1;
    } while (nLow < nHigh);
    if (bLastTaller)
        DrawProbe(pDC, nHigh + 1);
    return CSize(m_nRequestedWidth, m_nRequestedHeight);
}

void CZPRichRender::Draw(CDC* pDC, const CRect& rc)
{
    if (m_pTextServices == NULL || pDC == NULL)
        return;
    RECTL rcBounds = { rc.left, rc.top, rc.right, rc.bottom };
    m_pTextServices->TxDraw(DVASPECT_CONTENT, 0, NULL, NULL, pDC->m_hDC, NULL, &rcBounds, NULL, NULL, NULL, 0,
                            TXTVIEW_ACTIVE);
}

// ---- ITextHost ------------------------------------------------------------------------------

STDMETHODIMP_(ULONG) CZPRichRender::XTextHost::AddRef()
{
    return 1;   // the renderer's lifetime is its owner's
}

STDMETHODIMP_(ULONG) CZPRichRender::XTextHost::Release()
{
    return 1;
}

STDMETHODIMP CZPRichRender::XTextHost::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(CZPRichRender, TextHost)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

HDC CZPRichRender::XTextHost::TxGetDC() { return NULL; }
INT CZPRichRender::XTextHost::TxReleaseDC(HDC) { return 0; }
BOOL CZPRichRender::XTextHost::TxShowScrollBar(INT, BOOL) { return FALSE; }
BOOL CZPRichRender::XTextHost::TxEnableScrollBar(INT, INT) { return FALSE; }
BOOL CZPRichRender::XTextHost::TxSetScrollRange(INT, LONG, INT, BOOL) { return FALSE; }
BOOL CZPRichRender::XTextHost::TxSetScrollPos(INT, INT, BOOL) { return FALSE; }
void CZPRichRender::XTextHost::TxInvalidateRect(LPCRECT, BOOL) {}
void CZPRichRender::XTextHost::TxViewChange(BOOL) {}
BOOL CZPRichRender::XTextHost::TxCreateCaret(HBITMAP, INT, INT) { return FALSE; }
BOOL CZPRichRender::XTextHost::TxShowCaret(BOOL) { return FALSE; }
BOOL CZPRichRender::XTextHost::TxSetCaretPos(INT, INT) { return FALSE; }
BOOL CZPRichRender::XTextHost::TxSetTimer(UINT, UINT) { return FALSE; }
void CZPRichRender::XTextHost::TxKillTimer(UINT) {}
void CZPRichRender::XTextHost::TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) {}
void CZPRichRender::XTextHost::TxSetCapture(BOOL) {}
void CZPRichRender::XTextHost::TxSetFocus() {}
void CZPRichRender::XTextHost::TxSetCursor(HCURSOR, BOOL) {}
BOOL CZPRichRender::XTextHost::TxScreenToClient(LPPOINT) { return FALSE; }
BOOL CZPRichRender::XTextHost::TxClientToScreen(LPPOINT) { return FALSE; }
HRESULT CZPRichRender::XTextHost::TxActivate(LONG*) { return E_FAIL; }
HRESULT CZPRichRender::XTextHost::TxDeactivate(LONG) { return E_FAIL; }

HRESULT CZPRichRender::XTextHost::TxGetClientRect(LPRECT prc)
{
    // There is no client area; an engine that reads the rectangle anyway finds it empty.
    if (prc != NULL)
        ::SetRectEmpty(prc);
    return E_FAIL;
}

HRESULT CZPRichRender::XTextHost::TxGetViewInset(LPRECT prc)
{
    if (prc != NULL)
        ::SetRectEmpty(prc);
    return S_OK;
}

HRESULT CZPRichRender::XTextHost::TxGetCharFormat(const CHARFORMATW** ppCF)
{
    METHOD_PROLOGUE(CZPRichRender, TextHost)
    *ppCF = &pThis->m_cfDefault;
    return S_OK;
}

HRESULT CZPRichRender::XTextHost::TxGetParaFormat(const PARAFORMAT** ppPF)
{
    METHOD_PROLOGUE(CZPRichRender, TextHost)
    *ppPF = reinterpret_cast<const PARAFORMAT*>(&pThis->m_pfDefault);
    return S_OK;
}

COLORREF CZPRichRender::XTextHost::TxGetSysColor(int nIndex) { return ::GetSysColor(nIndex); }

HRESULT CZPRichRender::XTextHost::TxGetBackStyle(TXTBACKSTYLE* pstyle)
{
    *pstyle = TXTBACK_TRANSPARENT;
    return S_OK;
}

HRESULT CZPRichRender::XTextHost::TxGetMaxLength(DWORD* plength)
{
    *plength = kMaxTextLength;
    return S_OK;
}

HRESULT CZPRichRender::XTextHost::TxGetScrollBars(DWORD* pdwScrollBar)
{
    *pdwScrollBar = 0;
    return S_OK;
}

HRESULT CZPRichRender::XTextHost::TxGetPasswordChar(TCHAR*) { return S_FALSE; }

HRESULT CZPRichRender::XTextHost::TxGetAcceleratorPos(LONG* pcp)
{
    *pcp = -1;
    return S_OK;
}

HRESULT CZPRichRender::XTextHost::TxGetExtent(LPSIZEL) { return E_NOTIMPL; }
HRESULT CZPRichRender::XTextHost::OnTxCharFormatChange(const CHARFORMATW*) { return E_FAIL; }
HRESULT CZPRichRender::XTextHost::OnTxParaFormatChange(const PARAFORMAT*) { return E_FAIL; }

HRESULT CZPRichRender::XTextHost::TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits)
{
    *pdwBits = dwMask & kHostPropertyBits;
    return S_OK;
}

HRESULT CZPRichRender::XTextHost::TxNotify(DWORD iNotify, void* pv)
{
    METHOD_PROLOGUE(CZPRichRender, TextHost)
    if (iNotify == EN_REQUESTRESIZE && pv != NULL)
    {
        const REQRESIZE* pResize = static_cast<const REQRESIZE*>(pv);
        pThis->m_nRequestedWidth = pResize->rc.right - pResize->rc.left;
        pThis->m_nRequestedHeight = pResize->rc.bottom - pResize->rc.top;
    }
    return S_OK;
}

HIMC CZPRichRender::XTextHost::TxImmGetContext() { return NULL; }
void CZPRichRender::XTextHost::TxImmReleaseContext(HIMC) {}

HRESULT CZPRichRender::XTextHost::TxGetSelectionBarWidth(LONG* lSelBarWidth)
{
    *lSelBarWidth = 0;
    return S_OK;
}
