// Rich-text and HTML tips: measured and drawn through their own renderers inside the tip frame.
#include "common/ZPToolTipContextRichTips.h"

#include <algorithm>
#include <wchar.h>

namespace {

const int kFrameInset = 3;
const int kTwipsPerInch = 1440;
const DWORD kTipCharMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED | CFM_COLOR;

}  // namespace

// Horizontal and vertical frame around the content: margins plus the inset on both sides.
CSize ZpTipContentFrame(const CZPToolTipContext* pContext)
{
    const RECT& rc = pContext->GetMargin();
    return CSize(rc.left + rc.right + 2 * kFrameInset, rc.top + rc.bottom + 2 * kFrameInset);
}

int ZpTipMaxWidth(const CZPToolTipContext* pContext)
{
    int nWidth = pContext->GetMaxTipWidth();
    return nWidth == -1 ? ::GetSystemMetrics(SM_CXSCREEN) : nWidth;
}

CRect ZpTipContentRect(const CZPToolTipContext* pContext, CRect rc)
{
    const RECT& rcMargin = pContext->GetMargin();
    rc.DeflateRect(rcMargin.left + kFrameInset, rcMargin.top + kFrameInset, rcMargin.right + kFrameInset,
                   rcMargin.bottom + kFrameInset);
    return rc;
}

// ---- rich text -------------------------------------------------------------------------------

CSize CZPToolTipContext::CRichEditToolTip::CalcSize(TOOLITEM* pTool)
{
    if (!m_render.HasTextServices())
        return CSize(0, 0);
    CString strText = GetToolText(pTool);
    if (strText.IsEmpty())
        return CSize(0, 0);

    CClientDC dc(this);
    CFont* pFont = m_pContext->GetFont();
    CFont* pOldFont = dc.SelectObject(pFont);
    CHARFORMATW cf = {};
    cf.cbSize = sizeof(cf);
    cf.dwMask = kTipCharMask;
    cf.crTextColor = m_pContext->GetTipTextColor();
    LOGFONTW lf = {};
    if (pFont->GetSafeHandle() != NULL && ::GetObjectW(pFont->GetSafeHandle(), sizeof(lf), &lf) != 0) {
        cf.yHeight = -::MulDiv(lf.lfHeight, kTwipsPerInch, dc.GetDeviceCaps(LOGPIXELSY));
        wcsncpy(cf.szFaceName, lf.lfFaceName, LF_FACESIZE - 1);
        cf.dwMask |= CFM_FACE | CFM_SIZE;
    }
    m_render.SetText(L"");
    m_render.SetDefaultCharFormat(&cf);
    m_render.SetText(strText);

    CSize sizeFrame = ZpTipContentFrame(m_pContext);
    CSize size = m_render.MeasureText(&dc, ZpTipMaxWidth(m_pContext) - sizeFrame.cx);
    dc.SelectObject(pOldFont);
    return size + sizeFrame;
}

void CZPToolTipContext::CRichEditToolTip::DrawContent(CDC* pDC, TOOLITEM*, CRect rc)
{
    m_render.Draw(pDC, ZpTipContentRect(m_pContext, rc));
}

// ---- HTML ------------------------------------------------------------------------------------

BOOL CZPToolTipContext::CHTMLToolTip::s_bReported = FALSE;

CSize CZPToolTipContext::CHTMLToolTip::CalcSize(TOOLITEM*)
{
    if (!s_bReported) {
        s_bReported = TRUE;
        ::OutputDebugStringW(L"Tolvane: HTML tips are not shown: the framework hosts no controls for the "
                             L"web browser\n");
    }
    return CSize(0, 0);
}

void CZPToolTipContext::CHTMLToolTip::DrawContent(CDC*, TOOLITEM*, CRect) {}

void CZPToolTipContext::CHTMLToolTip::OnShowChanged(BOOL) {}
