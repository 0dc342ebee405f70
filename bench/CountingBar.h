// A command bar that counts the control rectangles it is asked to repaint.
#pragma once

#include "commandbars/ZPCommandBar.h"

class CCountingBar : public CZPCommandBar
{
public:
    void RepaintArea(const RECT* pRect, BOOL bNow) override
    {
        if (pRect != NULL)
            ++m_nRepaints;
        CZPCommandBar::RepaintArea(pRect, bNow);
    }
    int m_nRepaints = 0;
};
