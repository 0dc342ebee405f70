// A control hosting a child window (kind 7); hosting the window is not built yet.
#pragma once

#include "commandbars/ZPControl.h"

class CZPControlCustom : public CZPControl
{
    DECLARE_DYNCREATE(CZPControlCustom)
public:
    CZPControlCustom();
};
