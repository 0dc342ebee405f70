// A combo box on a bar (kind 5); its edit part, list and drop-down are not built yet.
#include "commandbars/ZPControlComboBox.h"

IMPLEMENT_DYNCREATE(CZPControlComboBox, CZPControl)

CZPControlComboBox::CZPControlComboBox()
{
    m_controlType = zpControlComboBox;
}
