// Tips whose tool text is formatted: rich text (RTF or plain) and HTML; the markup tip, which
// shows its text through the markup engine, lives with that engine. They replace only measuring
// and drawing of the toolkit's tip window.
#pragma once

#include "common/ZPRichRender.h"
#include "common/ZPToolTipContextToolTip.h"

class CZPToolTipContext::CRichEditToolTip : public CZPToolTipContextToolTip
{
public:
    explicit CRichEditToolTip(CZPToolTipContext* pContext) : CZPToolTipContextToolTip(pContext) {}
    CSize CalcSize(TOOLITEM* pTool) override;
    void DrawContent(CDC* pDC, TOOLITEM* pTool, CRect rc) override;

protected:
    CZPRichRender m_render;
};

// HTML tips need a web-browser control hosted in the tip, and the framework hosts no controls:
// every HTML tip measures (0, 0) and is not shown.
class CZPToolTipContext::CHTMLToolTip : public CZPToolTipContextToolTip
{
public:
    explicit CHTMLToolTip(CZPToolTipContext* pContext) : CZPToolTipContextToolTip(pContext) {}
    CSize CalcSize(TOOLITEM* pTool) override;
    void DrawContent(CDC* pDC, TOOLITEM* pTool, CRect rc) override;
    void OnShowChanged(BOOL bShow) override;

protected:
    static BOOL s_bReported;  // the cause is traced once per process
};

// The frame of a formatted tip around its content: the context's margins plus an inset.
CSize ZpTipContentFrame(const CZPToolTipContext* pContext);
// The content area of a formatted tip drawn into rc.
CRect ZpTipContentRect(const CZPToolTipContext* pContext, CRect rc);
// The widest a formatted tip may be: the context's maximum, or the screen width.
int ZpTipMaxWidth(const CZPToolTipContext* pContext);
