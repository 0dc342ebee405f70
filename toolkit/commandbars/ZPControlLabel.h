// A caption-only control (kind 8); its own drawing and markup captions are not built yet.
#pragma once

#include "commandbars/ZPControl.h"

class CZPControlLabel : public CZPControl
{
    DECLARE_DYNCREATE(CZPControlLabel)
public:
    CZPControlLabel();
};
