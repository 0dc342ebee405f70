// The markup tip: measured and drawn through the markup engine's flat functions inside the tip
// frame.
#include "markup/ZPMarkupToolTip.h"

#include "markup/ZPMarkupApi.h"

namespace {

const int kUnlimitedHeight = 0x7FFFFFFF;  // the markup measure's "no limit"

}  // namespace

CZPToolTipContext::CMarkupToolTip::CMarkupToolTip(CZPToolTipContext* pContext)
    : CZPToolTipContextToolTip(pContext), m_pMarkupContext(ZpMarkupNewContext(NULL)), m_pElement(NULL)
{}

CZPToolTipContext::CMarkupToolTip::~CMarkupToolTip()
{
    ZpMarkupFreeElement(&m_pElement);
    ZpMarkupFreeContext(&m_pMarkupContext);
}

CSize CZPToolTipContext::CMarkupToolTip::CalcSize(TOOLITEM* pTool)
{
    ZpMarkupFreeElement(&m_pElement);
    CString strText = GetToolText(pTool);
    if (strText.IsEmpty())
        return CSize(0, 0);

    ZpMarkupSetContextFont(m_pMarkupContext, static_cast<HFONT>(m_pContext->GetFont()->GetSafeHandle()),
                           m_pContext->GetTipTextColor());
    m_pElement = ZpMarkupParseToElement(m_pMarkupContext, strText);
    if (m_pElement == NULL)
        return CZPToolTipContextToolTip::CalcSize(pTool);

    CSize sizeFrame = ZpTipContentFrame(m_pContext);
    CSize size = ZpMarkupMeasureSize(m_pElement, ZpTipMaxWidth(m_pContext) - sizeFrame.cx, kUnlimitedHeight);
    return size + sizeFrame;
}

void CZPToolTipContext::CMarkupToolTip::DrawContent(CDC* pDC, TOOLITEM* pTool, CRect rc)
{
    if (m_pElement == NULL) {
        CZPToolTipContextToolTip::DrawContent(pDC, pTool, rc);
        return;
    }
    CRect rcContent = ZpTipContentRect(m_pContext, rc);
    ZpMarkupDrawElement(m_pElement, pDC->GetSafeHdc(), &rcContent);
}
