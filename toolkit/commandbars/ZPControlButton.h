// The plain command button (kind 1) and the check box and radio button built on it: a click in a
// toolbar holds the button pressed until release, and a button with an interval auto-repeats.
#pragma once

#include "commandbars/ZPControl.h"

// The auto-repeat timer of a held button, on its bar's window.
const UINT_PTR ZP_TIMER_EXECUTE_ON_PRESS = 4269;

class CZPControlButton : public CZPControl
{
    DECLARE_DYNCREATE(CZPControlButton)
public:
    CZPControlButton();

    void OnClick(BOOL bKeyboard, CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    CZPControl* Clone(BOOL bRecursive) override;

    // Holds the button pressed while the mouse is down; an empty rectangle means the control's.
    // Executes on a release inside, or auto-repeats while held when the interval is positive.
    void TrackPressed(CRect rc);
    // The command of one auto-repeat step: the site notification, else WM_COMMAND; no Execute.
    void SendRepeatCommand();
};

class CZPControlCheckBox : public CZPControlButton
{
    DECLARE_DYNCREATE(CZPControlCheckBox)
public:
    CZPControlCheckBox();
};

class CZPControlRadioButton : public CZPControlButton
{
    DECLARE_DYNCREATE(CZPControlRadioButton)
public:
    CZPControlRadioButton();
};

// Draws one "Marlett" glyph centred in the control over its paint-manager background, in the
// control's text colour; the glyph keeps its pixel size at any DPI (8 points at 96 pixels per inch).
void ZpDrawMarlettButton(CDC* pDC, CZPControl* pControl, LPCWSTR lpszGlyph);
