// Tips whose tool text is formatted: rich text (RTF or plain), HTML and markup. They replace
// only measuring and drawing of the toolkit's tip window.
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

class CZPMarkupContext;
class CZPMarkupUIElement;

// Markup tips: the tool text parsed as a page in a context of the tip's own; text that does not
// parse is the plain tip.
class CZPToolTipContext::CMarkupToolTip : public CZPToolTipContextToolTip
{
public:
    explicit CMarkupToolTip(CZPToolTipContext* pContext);
    ~CMarkupToolTip() override;
    CSize CalcSize(TOOLITEM* pTool) override;
    void DrawContent(CDC* pDC, TOOLITEM* pTool, CRect rc) override;

protected:
    CZPMarkupContext* m_pMarkupContext;
    CZPMarkupUIElement* m_pElement;  // NULL while the last text did not parse
};
