// The canvas: each child at its own desired size, placed by attached offsets from the canvas's
// edges. It asks for no room of its own, and its children may lie outside it.
#pragma once

#include "markup/ZPMarkupPanel.h"

class CZPMarkupCanvas : public CZPMarkupPanel
{
    ZP_DECLARE_MARKUPTYPE()
public:
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;

    // Attached, set on the children; unset is distinct from 0. Changing one later does not by
    // itself re-arrange the canvas.
    static CZPMarkupDependencyProperty* m_pTopProperty;
    static CZPMarkupDependencyProperty* m_pRightProperty;
    static CZPMarkupDependencyProperty* m_pLeftProperty;
    static CZPMarkupDependencyProperty* m_pBottomProperty;
    static void RegisterProperties();
};
