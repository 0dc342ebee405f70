// Statics skip WM_ERASEBKGND: the background is filled here, or each paint would blend the
// logo's soft edge over its previous frame.
#include "about/AlphaStatic.h"

#include <common/ZPImageManager.h>

#include <algorithm>

BEGIN_MESSAGE_MAP(CAlphaStatic, CStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

void CAlphaStatic::Draw(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    HBRUSH hBrush = NULL;
    if (CWnd* pParent = GetParent())
        hBrush = reinterpret_cast<HBRUSH>(pParent->SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(pDC->m_hDC),
                                                               reinterpret_cast<LPARAM>(m_hWnd)));
    ::FillRect(pDC->m_hDC, &rcClient, hBrush != NULL ? hBrush : ::GetSysColorBrush(COLOR_BTNFACE));

    HBITMAP hBitmap = GetBitmap();
    BITMAP bm = {};
    if (hBitmap == NULL || ::GetObjectW(hBitmap, sizeof bm, &bm) == 0)
        return;
    // Never read past the bitmap: a smaller one is drawn at its own size.
    const int cx = std::min<int>(kLogoSize, bm.bmWidth), cy = std::min<int>(kLogoSize, std::abs(bm.bmHeight));
    if (cx > 0 && cy > 0)
        ZpDrawAlphaBitmap(pDC, hBitmap, 0, 0, cx, cy, 0, 0, cx, cy);
}

void CAlphaStatic::OnPaint()
{
    CPaintDC dc(this);
    Draw(&dc);
}
