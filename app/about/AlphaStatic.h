// A bitmap static that draws its bitmap by alpha blending over the dialog's background.
#pragma once

#include <framework/controls.h>
#include <framework/gdi.h>

class CAlphaStatic : public CStatic
{
public:
    // The size the logo is drawn at, from the control's top-left corner.
    static const int kLogoSize = 100;

    // Fills the client with the parent's static background, then blends the bitmap (its own
    // size, at most kLogoSize square) over it; without a bitmap only the background is drawn.
    void Draw(CDC* pDC);

protected:
    void OnPaint();

    DECLARE_MESSAGE_MAP()
};
