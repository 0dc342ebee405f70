// A caption static followed by an etched line to the right edge: a group header of a page.
#pragma once

#include <framework.h>
#include <framework/controls.h>

#include "common/ZPWinThemeWrapper.h"

class CZPGroupLine : public CStatic
{
    DECLARE_DYNAMIC(CZPGroupLine)
public:
    CZPGroupLine();

protected:
    void PreSubclassWindow() override;
    void OnPaint();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM);
    void Draw(CDC& dc);
    LRESULT OnThemeChanged(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    CZPWinThemeWrapper m_themeButton;  // opened on "BUTTON"
};
