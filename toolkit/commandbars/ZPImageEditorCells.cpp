// Colour cells and the preview of the button-image editor.
#include "commandbars/ZPImageEditorCells.h"

#include "commandbars/ZPImageEditorDlg.h"
#include "common/ZPImageClipboard.h"
#include "common/ZPImageLoading.h"

#include <framework/memorydc.h>

BEGIN_MESSAGE_MAP(CZPImageEditorPicker, CStatic)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CZPImageEditorPreview, CStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

const COLORREF kTransparentShade = RGB(235, 235, 235);
// The preview's image stands this far from the left.
const int kPreviewLeft = 10;
// The frames around the preview's image: 3 pixels out, then one more.
const int kPreviewFrameGap = 3;

void FrameCell(HDC hDC, CRect rc, COLORREF clr)
{
    CBrush brush;
    brush.CreateSolidBrush(clr);
    ::FrameRect(hDC, &rc, static_cast<HBRUSH>(brush.GetSafeHandle()));
}

void Frame3d(CDC* pDC, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    pDC->Draw3dRect(&rc, clrTopLeft, clrBottomRight);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Colour cell

CZPImageEditorPicker::CZPImageEditorPicker() : m_clr(0), m_bSelected(FALSE) {}

void CZPImageEditorPicker::SetColor(COLORREF clr)
{
    m_clr = clr;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void CZPImageEditorPicker::SetSelected(BOOL bSelected)
{
    m_bSelected = bSelected;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void CZPImageEditorPicker::DrawCell(CDC* pDC, const CRect& rc) const
{
    if (m_clr == ZP_TRANSPARENT_COLOR) {
        pDC->FillSolidRect(&rc, RGB(255, 255, 255));
        CPoint ptCenter = rc.CenterPoint();
        pDC->FillSolidRect(CRect(rc.left, rc.top, ptCenter.x, ptCenter.y), kTransparentShade);
        pDC->FillSolidRect(CRect(ptCenter.x, ptCenter.y, rc.right, rc.bottom), kTransparentShade);
    } else {
        pDC->FillSolidRect(&rc, m_clr);
    }
    if (m_bSelected) {
        CRect rcFrame = rc;
        FrameCell(pDC->m_hDC, rcFrame, RGB(0, 0, 0));
        rcFrame.DeflateRect(1, 1);
        FrameCell(pDC->m_hDC, rcFrame, RGB(255, 255, 255));
        rcFrame.DeflateRect(1, 1);
        FrameCell(pDC->m_hDC, rcFrame, RGB(0, 0, 0));
    } else {
        FrameCell(pDC->m_hDC, rc, ::GetSysColor(COLOR_3DDKSHADOW));
    }
}

void CZPImageEditorPicker::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    DrawCell(&dc, rc);
}

void CZPImageEditorPicker::OnLButtonDown(UINT, CPoint)
{
    NMHDR hdr = {};
    hdr.hwndFrom = m_hWnd;
    hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    hdr.code = static_cast<UINT>(NM_CLICK);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
}

// ---------------------------------------------------------------------------------------------
// Preview

CZPImageEditorPreview::CZPImageEditorPreview() : m_pDlg(NULL) {}

void CZPImageEditorPreview::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    DrawPreview(&dc, rc);
}

void CZPImageEditorPreview::DrawPreview(CDC* pDC, const CRect& rc)
{
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    pDC->FillSolidRect(&rc, clrFace);
    if (m_pDlg == NULL)
        return;
    CSize size = m_pDlg->GetIconSize();
    CRect rcImage(CPoint(rc.left + kPreviewLeft, rc.top + (rc.Height() - size.cy) / 2), size);
    CRect rcFrame = rcImage;
    rcFrame.InflateRect(kPreviewFrameGap, kPreviewFrameGap);
    Frame3d(pDC, rcFrame, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    rcFrame.InflateRect(1, 1);
    Frame3d(pDC, rcFrame, clrFace, ::GetSysColor(COLOR_3DDKSHADOW));

    const CZPImageEditorPicture::CAlphaBitmap* pState = m_pDlg->GetPicture().GetState();
    if (pState == NULL)
        return;
    // Composed here in integers: alpha over the button face, transparency as the button face.
    LPBYTE pBits = NULL;
    HBITMAP hImage = ZpCreateDibSection32(NULL, size.cx, size.cy, &pBits);
    if (hImage == NULL)
        return;
    LPDWORD pOut = reinterpret_cast<LPDWORD>(pBits);
    const UINT face[3] = { GetBValue(clrFace), GetGValue(clrFace), GetRValue(clrFace) };
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            DWORD dwPixel = pState->GetPixel(x, y);
            UINT a = pState->IsAlpha() ? dwPixel >> 24 : (pState->GetColor(x, y) == ZP_TRANSPARENT_COLOR ? 0 : 255);
            DWORD dwOut = 0;
            for (int c = 0; c < 3; ++c) {
                UINT v = (dwPixel >> (8 * c)) & 0xFF;
                dwOut |= static_cast<DWORD>((v * a + face[c] * (255 - a)) / 255) << (8 * c);
            }
            pOut[static_cast<size_t>(size.cy - 1 - y) * size.cx + x] = dwOut;
        }
    }
    {
        CMemoryDC dcImage(pDC->m_hDC, hImage);
        ::BitBlt(pDC->m_hDC, rcImage.left, rcImage.top, size.cx, size.cy, dcImage, 0, 0, SRCCOPY);
    }
    ::DeleteObject(hImage);
}
