// Scoped device-context helpers for one paint operation.
#include "common/ZPDeviceContext.h"

CZPBufferDC::CZPBufferDC(HDC hDestDC, const CRect& rect)
    : m_hDestDC(hDestDC), m_rect(rect), m_hOldBitmap(NULL)
{
    CreateBuffer(rect.right, rect.bottom);
}

CZPBufferDC::CZPBufferDC(CPaintDC& paintDC)
    : m_hDestDC(paintDC.m_hDC), m_rect(paintDC.m_ps.rcPaint), m_hOldBitmap(NULL)
{
    CreateBuffer(m_rect.right > 0 ? m_rect.right : 1, m_rect.bottom > 0 ? m_rect.bottom : 1);
    if (m_hDC != NULL)
    {
        CRgn rgnClip;
        rgnClip.CreateRectRgnIndirect(&m_rect);
        SelectClipRgn(&rgnClip);
    }
}

void CZPBufferDC::CreateBuffer(int cx, int cy)
{
    if (!Attach(::CreateCompatibleDC(m_hDestDC)))
        return;
    if (m_bitmap.Attach(::CreateCompatibleBitmap(m_hDestDC, cx, cy)))
        m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
}

CZPBufferDC::~CZPBufferDC()
{
    if (m_hDC == NULL)
        return;
    if (m_hDestDC != NULL)
        ::BitBlt(m_hDestDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left, m_rect.top,
                 SRCCOPY);
    if (m_hOldBitmap != NULL)
        ::SelectObject(m_hDC, m_hOldBitmap);
    m_bitmap.DeleteObject();
    DeleteDC();
}

CZPBufferDCEx::CZPBufferDCEx(HDC hDestDC, int nLeft, int nTop, int nRight, int nBottom)
    : m_hDestDC(hDestDC), m_hBitmap(NULL), m_nLeft(nLeft), m_nTop(nTop), m_nRight(nRight), m_nBottom(nBottom),
      m_hOldBitmap(NULL)
{
    if (!Attach(::CreateCompatibleDC(hDestDC)))
        return;
    m_hBitmap = ::CreateCompatibleBitmap(hDestDC, nRight - nLeft, nBottom - nTop);
    if (m_hBitmap != NULL)
        m_hOldBitmap = ::SelectObject(m_hDC, m_hBitmap);
    SetViewportOrg(-nLeft, -nTop);
}

CZPBufferDCEx::~CZPBufferDCEx()
{
    if (m_hDC == NULL)
        return;
    SetViewportOrg(0, 0);
    ::BitBlt(m_hDestDC, m_nLeft, m_nTop, m_nRight - m_nLeft, m_nBottom - m_nTop, m_hDC, 0, 0, SRCCOPY);
    if (m_hOldBitmap != NULL)
        ::SelectObject(m_hDC, m_hOldBitmap);
    if (m_hBitmap != NULL)
        ::DeleteObject(m_hBitmap);
    DeleteDC();
}

CZPCompatibleDC::CZPCompatibleDC(CDC* pDC, CBitmap* pBitmap)
    : CZPCompatibleDC(pDC, pBitmap != NULL ? static_cast<HBITMAP>(pBitmap->m_hObject) : NULL)
{
}

CZPCompatibleDC::CZPCompatibleDC(CDC* pDC, HBITMAP hBitmap)
    : m_hOldBitmap(NULL)
{
    if (Attach(::CreateCompatibleDC(pDC != NULL ? pDC->m_hDC : NULL)) && hBitmap != NULL)
        m_hOldBitmap = ::SelectObject(m_hDC, hBitmap);
}

CZPCompatibleDC::~CZPCompatibleDC()
{
    if (m_hDC == NULL)
        return;
    if (m_hOldBitmap != NULL)
        ::SelectObject(m_hDC, m_hOldBitmap);
    DeleteDC();
}

CZPFontDC::CZPFontDC(CDC* pDC, CFont* pFont)
    : m_pDC(pDC), m_hOldFont(NULL), m_clrOldText(static_cast<COLORREF>(-1))
{
    if (pFont != NULL)
        SelectFont(pFont);
}

CZPFontDC::~CZPFontDC()
{
    RestoreFont();
    RestoreColor();
}

void CZPFontDC::SelectFont(CFont* pFont)
{
    if (m_pDC == NULL || pFont == NULL)
        return;
    // Selecting a font makes the system realize it again, even the one already selected: that
    // cost, once per control measured, dominated laying out large bars.
    if (::GetCurrentObject(m_pDC->m_hDC, OBJ_FONT) == pFont->m_hObject)
        return;
    HGDIOBJ hOld = ::SelectObject(m_pDC->m_hDC, pFont->m_hObject);
    if (m_hOldFont == NULL)
        m_hOldFont = hOld;
}

void CZPFontDC::RestoreFont()
{
    if (m_pDC == NULL || m_hOldFont == NULL)
        return;
    ::SelectObject(m_pDC->m_hDC, m_hOldFont);
    m_hOldFont = NULL;
}

void CZPFontDC::SetColor(COLORREF clrText)
{
    if (m_pDC == NULL)
        return;
    COLORREF clrOld = m_pDC->SetTextColor(clrText);
    if (m_clrOldText == static_cast<COLORREF>(-1))
        m_clrOldText = clrOld;
}

void CZPFontDC::RestoreColor()
{
    if (m_pDC == NULL || m_clrOldText == static_cast<COLORREF>(-1))
        return;
    m_pDC->SetTextColor(m_clrOldText);
    m_clrOldText = static_cast<COLORREF>(-1);
}

CZPPenDC::CZPPenDC(CDC* pDC, CPen* pPen)
    : m_hDC(pDC != NULL ? pDC->m_hDC : NULL), m_hOldPen(NULL)
{
    if (m_hDC != NULL && pPen != NULL)
        m_hOldPen = ::SelectObject(m_hDC, pPen->m_hObject);
}

CZPPenDC::CZPPenDC(HDC hDC, COLORREF clr)
    : m_hDC(hDC), m_hOldPen(NULL)
{
    if (m_pen.CreatePen(PS_SOLID, 1, clr))
        m_hOldPen = ::SelectObject(m_hDC, m_pen.m_hObject);
}

void CZPPenDC::ChangeColor(COLORREF clr)
{
    if (m_hOldPen != NULL)
        ::SelectObject(m_hDC, m_hOldPen);
    m_pen.DeleteObject();
    if (m_pen.CreatePen(PS_SOLID, 1, clr))
    {
        HGDIOBJ hOld = ::SelectObject(m_hDC, m_pen.m_hObject);
        if (m_hOldPen == NULL)
            m_hOldPen = hOld;
    }
}

CZPPenDC::~CZPPenDC()
{
    if (m_hOldPen != NULL)
        ::SelectObject(m_hDC, m_hOldPen);
}

CZPBrushDC::CZPBrushDC(HDC hDC, COLORREF clr)
    : m_hDC(hDC), m_hOldBrush(NULL)
{
    if (m_brush.CreateSolidBrush(clr))
        m_hOldBrush = ::SelectObject(m_hDC, m_brush.m_hObject);
}

CZPBrushDC::~CZPBrushDC()
{
    if (m_hOldBrush != NULL)
        ::SelectObject(m_hDC, m_hOldBrush);
}

CZPClipRgnSaver::CZPClipRgnSaver(CDC* pDC) : m_hDC(pDC->GetSafeHdc()), m_bHadClip(FALSE)
{
    if (m_rgn.CreateRectRgn(0, 0, 0, 0))
        m_bHadClip = ::GetClipRgn(m_hDC, static_cast<HRGN>(m_rgn.GetSafeHandle())) == 1;
}

CZPClipRgnSaver::~CZPClipRgnSaver()
{
    ::SelectClipRgn(m_hDC, m_bHadClip ? static_cast<HRGN>(m_rgn.GetSafeHandle()) : NULL);
}
