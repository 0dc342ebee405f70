// A combo box on a bar (kind 5); its edit part, list and drop-down are not built yet.
#pragma once

#include "commandbars/ZPControl.h"

class CZPControlComboBox : public CZPControl
{
    DECLARE_DYNCREATE(CZPControlComboBox)
public:
    CZPControlComboBox();
};
