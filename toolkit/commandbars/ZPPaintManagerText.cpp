// The base paint manager's text rules that need no control: control text with embossed disabled
// text, text on glass and the split of a large button's caption into two lines.
#include "commandbars/ZPPaintManager.h"

#include <uxtheme.h>

namespace {

const int kEmbossOffset = 1;
const int kMinHalfCaption = 2;  // captions of fewer than 4 characters stay on one line

// Composited text of the visual style over a copy of the DC's pixels, then back into the DC.
// FALSE when the style or the buffered paint is not available.
BOOL DrawComposited(CDC* pDC, const CString& strText, CRect rc, UINT nFormat)
{
    CZPWinThemeWrapper theme;
    if (theme.OpenTheme(NULL, L"GLOBALS") == NULL)
        return FALSE;
    BP_PAINTPARAMS params = {};
    params.cbSize = sizeof(params);
    HDC hdcPaint = NULL;
    HPAINTBUFFER hBuffer = theme.StartBufferedPaint(pDC->GetSafeHdc(), &rc, BPBF_TOPDOWNDIB, &params, &hdcPaint);
    if (hBuffer == NULL || hdcPaint == NULL)
        return FALSE;
    ::BitBlt(hdcPaint, rc.left, rc.top, rc.Width(), rc.Height(), pDC->GetSafeHdc(), rc.left, rc.top, SRCCOPY);
    HGDIOBJ hOldFont = ::SelectObject(hdcPaint, ::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT));
    DTTOPTS options = {};
    options.dwSize = sizeof(options);
    options.dwFlags = DTT_COMPOSITED | DTT_TEXTCOLOR;
    options.crText = pDC->GetTextColor();
    theme.DrawTextWithOptions(hdcPaint, 0, 0, strText, strText.GetLength(), nFormat, &rc, &options);
    ::SelectObject(hdcPaint, hOldFont);
    theme.FinishBufferedPaint(hBuffer, TRUE);
    return TRUE;
}

}  // namespace

void ZpDrawGlassText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bGlass)
{
    if (pDC == NULL)
        return;
    if (bGlass && !rc.IsRectEmpty() && DrawComposited(pDC, strText, rc, nFormat))
        return;
    pDC->DrawText(strText, &rc, nFormat);
}

int CZPPaintManager::DrawControlText(CDC* pDC, const CString& strText, CRect& rcText, UINT nFormat, BOOL bDraw,
                                     int bSelected, BOOL bEnabled)
{
    if (!bDraw)
        return pDC->DrawText(strText, &rcText, DT_CALCRECT);
    nFormat |= DT_SINGLELINE | DT_VCENTER;
    if (m_bEmbossedDisabledText && !bEnabled && !bSelected) {
        const COLORREF clrText = pDC->SetTextColor(GetColor(zpColorBtnHighlight));
        CRect rcEmboss = rcText + CPoint(kEmbossOffset, kEmbossOffset);
        pDC->DrawText(strText, &rcEmboss, nFormat);
        pDC->SetTextColor(clrText);
    }
    return pDC->DrawText(strText, &rcText, nFormat);
}

void CZPPaintManager::SplitCaption(const CString& strCaption, CString& strLine1, CString& strLine2)
{
    strLine1 = strCaption;
    strLine2.Empty();
    const int c = strCaption.GetLength() / 2;
    if (strCaption.Find(L' ') <= 0 || c < kMinHalfCaption)
        return;
    // Nearest the middle first, the left position first at each distance.
    for (int i = 0; i <= c - 2; ++i) {
        for (int nPos : { c - i, c + i + 1 }) {
            if (strCaption[nPos] == L' ') {
                strLine1 = strCaption.Left(nPos);
                strLine2 = strCaption.Mid(nPos + 1);
                return;
            }
        }
    }
}
