// An edit control on a bar (kind 6); its edit window and spin buttons are not built yet.
#pragma once

#include "commandbars/ZPControl.h"

class CZPControlEdit : public CZPControl
{
    DECLARE_DYNCREATE(CZPControlEdit)
public:
    CZPControlEdit();
};
