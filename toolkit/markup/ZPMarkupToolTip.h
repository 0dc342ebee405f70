// The markup tip: a tip window of the toolkit whose tool text is a markup page. The markup
// context's tooltip context creates it; the tooltip context itself knows nothing of markup.
#pragma once

#include "common/ZPToolTipContextRichTips.h"

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
    CZPMarkupContext* m_pMarkupContext;  // owned; freed after the element
    CZPMarkupUIElement* m_pElement;      // owned; NULL while the last text did not parse
};
