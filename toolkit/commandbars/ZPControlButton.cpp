// Buttons, check boxes and radio buttons: their kinds.
#include "commandbars/ZPControlButton.h"

IMPLEMENT_DYNCREATE(CZPControlButton, CZPControl)
IMPLEMENT_DYNCREATE(CZPControlCheckBox, CZPControlButton)
IMPLEMENT_DYNCREATE(CZPControlRadioButton, CZPControlButton)

CZPControlButton::CZPControlButton()
{
    m_controlType = zpControlButton;
}

CZPControlCheckBox::CZPControlCheckBox()
{
    m_controlType = zpControlCheckBox;
}

CZPControlRadioButton::CZPControlRadioButton()
{
    m_controlType = zpControlRadioButton;
}
