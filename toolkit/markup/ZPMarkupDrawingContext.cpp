// The drawing context: state between operations, each operation forwarded to the device context.
#include "markup/ZPMarkupDrawingContext.h"

#include "markup/ZPMarkupBrush.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupValues.h"

CZPMarkupDrawingContext::CZPMarkupDrawingContext(HDC hDC, HDC hAttribDC)
    : m_hDC(hDC), m_hAttribDC(hAttribDC != NULL ? hAttribDC : hDC), m_bOwnsDC(FALSE)
{
    Init();
}

CZPMarkupDrawingContext::CZPMarkupDrawingContext() : m_bOwnsDC(TRUE)
{
    m_hDC = m_hAttribDC = ::CreateCompatibleDC(NULL);
    Init();
}

void CZPMarkupDrawingContext::Init()
{
    m_pDevice = new CZPMarkupGdiPlusDeviceContext(m_hDC, m_hAttribDC);
    m_hFont = NULL;
    m_pFont = NULL;
    m_rcClip = { 0, 0, 0, 0 };
    if (m_hDC != NULL) {
        m_pDevice->GetClipBox(m_rcClip);
        ::SetBkMode(m_hDC, TRANSPARENT);
    }
}

CZPMarkupDrawingContext::~CZPMarkupDrawingContext()
{
    SetFont(static_cast<HFONT>(NULL));
    m_pDevice->SetFont(NULL);
    delete m_pDevice;
    if (m_bOwnsDC && m_hDC != NULL)
        ::DeleteDC(m_hDC);
}

void CZPMarkupDrawingContext::DrawTextLine(LPCWSTR lpszText, int nCount, const RECT& rc)
{
    m_pDevice->DrawTextLine(lpszText, nCount, rc);
}

void CZPMarkupDrawingContext::OffsetOrigin(const POINT& pt)
{
    m_pDevice->OffsetOrigin(pt);
    m_pDevice->GetClipBox(m_rcClip);
}

void CZPMarkupDrawingContext::IntersectClipRect(const RECT& rc)
{
    m_pDevice->IntersectClipRect(rc);
    m_pDevice->GetClipBox(m_rcClip);
}

HRGN CZPMarkupDrawingContext::SaveClipRegion()
{
    return m_pDevice->SaveClipRegion();
}

void CZPMarkupDrawingContext::RestoreClipRegion(HRGN hRgn)
{
    if (hRgn == NULL)
        return;
    m_pDevice->RestoreClipRegion(hRgn);
    m_pDevice->GetClipBox(m_rcClip);
}

void CZPMarkupDrawingContext::SetFont(HFONT hFont)
{
    if (m_hDC == NULL || hFont == m_hFont)
        return;
    m_pDevice->SetFont(hFont);
    m_hFont = hFont;
    if (m_pFont != NULL) {
        m_pFont->Release();
        m_pFont = NULL;
    }
}

void CZPMarkupDrawingContext::SetFont(CZPMarkupFont* pFont)
{
    if (m_hDC == NULL || (pFont == m_pFont && pFont != NULL))
        return;
    if (pFont != NULL)
        pFont->AddRef();
    SetFont(pFont != NULL ? pFont->GetFont() : static_cast<HFONT>(NULL));
    m_pFont = pFont;
}

SIZE CZPMarkupDrawingContext::GetTextExtent(LPCWSTR lpszText, int nCount)
{
    return m_pDevice->GetTextExtent(lpszText, nCount);
}

SIZE CZPMarkupDrawingContext::GetTextPrefixWidths(LPCWSTR lpszText, int nCount, int* pWidths)
{
    return m_pDevice->GetTextPrefixWidths(lpszText, nCount, pWidths);
}

void CZPMarkupDrawingContext::SetTextColor(CZPMarkupBrush* pBrush)
{
    m_pDevice->SetTextColor(pBrush);
}

void CZPMarkupDrawingContext::FillRectangle(const RECT& rc, CZPMarkupBrush* pBrush, const double* pRadii)
{
    if (pRadii == NULL)
        m_pDevice->FillRectangle(rc, pBrush);
    else
        m_pDevice->FillRoundRectangle(rc, pBrush, pRadii);
}

void CZPMarkupDrawingContext::DrawRectangle(const RECT& rc, CZPMarkupBrush* pBrush,
                                            const CZPMarkupThickness* pThickness, const double* pRadii)
{
    if (pBrush == NULL || pThickness == NULL)
        return;
    if (pRadii == NULL)
        m_pDevice->DrawRectangle(rc, pBrush, pThickness);
    else
        m_pDevice->DrawRoundRectangle(rc, pBrush, pThickness, pRadii);
}

void CZPMarkupDrawingContext::DrawFrame(const RECT& rc, CZPMarkupBrush* pBrush)
{
    const CZPMarkupThickness one(1);
    DrawRectangle(rc, pBrush, &one);
}

void CZPMarkupDrawingContext::FillSolidRect(const RECT& rc, COLORREF clr)
{
    CZPMarkupSolidColorBrush* pBrush = new CZPMarkupSolidColorBrush(clr);
    FillRectangle(rc, pBrush);
    pBrush->Release();
}

void CZPMarkupDrawingContext::DrawLine(int x1, int y1, int x2, int y2, int nThickness, CZPMarkupBrush* pBrush)
{
    if (pBrush != NULL && nThickness > 0)
        m_pDevice->DrawLine(x1, y1, x2, y2, nThickness, pBrush);
}

void CZPMarkupDrawingContext::DrawPolyline(const POINT* pPoints, int nCount, int nThickness, CZPMarkupBrush* pBrush)
{
    m_pDevice->DrawPolyline(pPoints, nCount, nThickness, pBrush);
}

void CZPMarkupDrawingContext::DrawPolygon(const POINT* pPoints, int nCount, int nThickness, CZPMarkupBrush* pStroke,
                                          CZPMarkupBrush* pFill)
{
    m_pDevice->DrawPolygon(pPoints, nCount, nThickness, pStroke, pFill);
}

void CZPMarkupDrawingContext::DrawEllipse(const RECT& rc, int nThickness, CZPMarkupBrush* pStroke,
                                          CZPMarkupBrush* pFill)
{
    m_pDevice->DrawEllipse(rc, nThickness, pStroke, pFill);
}

void CZPMarkupDrawingContext::DrawPath(const ZP_MARKUP_PATHDATA& path, int nThickness, CZPMarkupBrush* pStroke,
                                       CZPMarkupBrush* pFill)
{
    m_pDevice->DrawPath(path, nThickness, pStroke, pFill);
}

void CZPMarkupDrawingContext::DrawPath(const CZPMarkupPathGeometry* pGeometry, int nThickness, CZPMarkupBrush* pStroke,
                                       CZPMarkupBrush* pFill)
{
    if (pGeometry == NULL)
        return;
    const ZP_MARKUP_PATHDATA path = { pGeometry->GetPoints(), pGeometry->GetTypes(), pGeometry->GetCount(),
                                      pGeometry->m_nPixelOffsetMode };
    m_pDevice->DrawPath(path, nThickness, pStroke, pFill);
}
