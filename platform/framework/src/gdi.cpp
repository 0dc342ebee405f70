// Device contexts and drawing objects.
#include <framework/exceptions.h>
#include <framework/gdi.h>
#include <framework/wnd.h>

#include "winstate.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

// ---- drawing objects ----

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return AfxGetWindowState()->m_mapHGDIOBJ.FromHandle(hObject);
}

CGdiObject* PASCAL CGdiObject::NewTempObject(HGDIOBJ hObject)
{
    CGdiObject* pObject;
    switch (::GetObjectType(hObject)) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        pObject = new CPen;
        break;
    case OBJ_BRUSH:
        pObject = new CBrush;
        break;
    case OBJ_FONT:
        pObject = new CFont;
        break;
    case OBJ_BITMAP:
        pObject = new CBitmap;
        break;
    case OBJ_REGION:
        pObject = new CRgn;
        break;
    default:
        pObject = new CGdiObject;
        break;
    }
    pObject->m_hObject = hObject;
    return pObject;
}

void PASCAL CGdiObject::DeleteTempMap()
{
    AfxGetWindowState()->m_mapHGDIOBJ.DeleteTemp();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == NULL)
        return FALSE;
    DeleteObject();
    m_hObject = hObject;
    AfxGetWindowState()->m_mapHGDIOBJ.SetPermanent(hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    AfxGetWindowState()->m_mapHGDIOBJ.RemovePermanent(hObject, this);
    m_hObject = NULL;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == NULL)
        return FALSE;
    return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    // Stock objects are never deleted; DeleteObject on them is harmless.
    return Attach(::GetStockObject(nIndex));
}

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    if (!CreatePen(nPenStyle, nWidth, crColor))
        AfxThrowResourceException();
}

CBrush::CBrush(COLORREF crColor)
{
    if (!CreateSolidBrush(crColor))
        AfxThrowResourceException();
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->m_hObject)));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCWSTR lpszFaceName, CDC* pDC)
{
    LOGFONTW logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    lstrcpynW(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
    HDC hDC = pDC != NULL ? pDC->m_hAttribDC : ::GetDC(NULL);
    // Tenths of a point to logical units of the device.
    POINT pt = { 0, MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), logFont.lfHeight, 720) };
    POINT ptOrg = { 0, 0 };
    ::DPtoLP(hDC, &pt, 1);
    ::DPtoLP(hDC, &ptOrg, 1);
    logFont.lfHeight = -abs(pt.y - ptOrg.y);
    if (pDC == NULL)
        ::ReleaseDC(NULL, hDC);
    return CreateFontIndirect(&logFont);
}

BOOL CBitmap::LoadBitmap(LPCWSTR lpszResourceName)
{
    return Attach(::LoadBitmapW(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE size = { 0, 0 };
    ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), &size);
    return size;
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    return ::CombineRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgn1->m_hObject),
                        pRgn2 != NULL ? static_cast<HRGN>(pRgn2->m_hObject) : NULL, nCombineMode);
}

int CRgn::CopyRgn(const CRgn* pRgnSrc)
{
    return ::CombineRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgnSrc->m_hObject), NULL, RGN_COPY);
}

// ---- device contexts ----

CDC::~CDC()
{
    if (m_hDC == NULL)
        return;
    if (m_bBorrowed) {
        ReleaseAttribDC();
        ReleaseOutputDC();
    } else {
        ::DeleteDC(Detach());
    }
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    return AfxGetWindowState()->m_mapHDC.FromHandle(hDC);
}

void PASCAL CDC::DeleteTempMap()
{
    AfxGetWindowState()->m_mapHDC.DeleteTemp();
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == NULL || m_hDC != NULL)
        return FALSE;
    m_hDC = hDC;
    m_bBorrowed = FALSE;
    SetAttribDC(hDC);
    AfxGetWindowState()->m_mapHDC.SetPermanent(hDC, this);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    AfxGetWindowState()->m_mapHDC.RemovePermanent(hDC, this);
    ReleaseAttribDC();
    ReleaseOutputDC();
    return hDC;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == NULL)
        return FALSE;
    return ::DeleteDC(Detach());
}

CWnd* CDC::GetWindow() const
{
    return CWnd::FromHandle(::WindowFromDC(m_hDC));
}

namespace {

template <class T>
T* SelectTyped(HDC hDC, CGdiObject* pObject)
{
    HGDIOBJ hOld = ::SelectObject(hDC, pObject != NULL ? pObject->m_hObject : NULL);
    return static_cast<T*>(CGdiObject::FromHandle(hOld));
}

}  // namespace

CPen* CDC::SelectObject(CPen* pPen)
{
    return SelectTyped<CPen>(m_hDC, pPen);
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return SelectTyped<CBrush>(m_hDC, pBrush);
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return SelectTyped<CFont>(m_hDC, pFont);
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return SelectTyped<CBitmap>(m_hDC, pBitmap);
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(nIndex)));
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT point = { 0, 0 };
    ::SetViewportOrgEx(m_hDC, x, y, &point);
    return point;
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT point = { 0, 0 };
    ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &point);
    return point;
}

CPoint CDC::GetViewportOrg() const
{
    POINT point = { 0, 0 };
    ::GetViewportOrgEx(m_hAttribDC, &point);
    return point;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT point = { 0, 0 };
    ::SetWindowOrgEx(m_hDC, x, y, &point);
    return point;
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    POINT point = { 0, 0 };
    ::OffsetWindowOrgEx(m_hDC, nWidth, nHeight, &point);
    return point;
}

CPoint CDC::GetWindowOrg() const
{
    POINT point = { 0, 0 };
    ::GetWindowOrgEx(m_hAttribDC, &point);
    return point;
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT point = { 0, 0 };
    ::MoveToEx(m_hDC, x, y, &point);
    return point;
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    COLORREF clrOld = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
    ::SetBkColor(m_hDC, clrOld);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT rect = { x, y, x + cx, y + cy };
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
               clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateW(m_hDC, hBrush, NULL, reinterpret_cast<LPARAM>(hBitmap), 0, pt.x, pt.y, size.cx, size.cy,
                        nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateW(m_hDC, hBrush, NULL, reinterpret_cast<LPARAM>(hIcon), 0, pt.x, pt.y, size.cx, size.cy,
                        nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCWSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    HBRUSH hBrush)
{
    return ::DrawStateW(m_hDC, hBrush, NULL, reinterpret_cast<LPARAM>(lpszText), static_cast<WPARAM>(nTextLen), pt.x,
                        pt.y, size.cx, size.cy, nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}

CSize CDC::GetTextExtent(LPCWSTR lpszString, int nCount) const
{
    SIZE size = { 0, 0 };
    ::GetTextExtentPoint32W(m_hAttribDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetOutputTextExtent(LPCWSTR lpszString, int nCount) const
{
    SIZE size = { 0, 0 };
    ::GetTextExtentPoint32W(m_hDC, lpszString, nCount, &size);
    return size;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(pWnd->m_hWnd)
{
    if (!Attach(::BeginPaint(m_hWnd, &m_ps)))
        AfxThrowResourceException();
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(CWnd::GetSafeHwnd(pWnd))
{
    if (!Attach(::GetDC(m_hWnd)))
        AfxThrowResourceException();
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(CWnd::GetSafeHwnd(pWnd))
{
    if (!Attach(::GetWindowDC(m_hWnd)))
        AfxThrowResourceException();
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}
