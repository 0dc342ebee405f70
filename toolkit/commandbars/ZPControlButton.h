// The plain command button (kind 1) and the check box and radio button built on it. Pressing,
// holding and auto-repeat are not built yet: a button executes through the base control.
#pragma once

#include "commandbars/ZPControl.h"

class CZPControlButton : public CZPControl
{
    DECLARE_DYNCREATE(CZPControlButton)
public:
    CZPControlButton();
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
