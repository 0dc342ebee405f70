// A docking toolbar. So far only its identity; docking, floating, sizing and its expand and
// hide buttons come later.
#pragma once

#include "commandbars/ZPCommandBar.h"

class CZPToolBar : public CZPCommandBar
{
    DECLARE_DYNCREATE(CZPToolBar)
public:
    CZPToolBar();
    ~CZPToolBar() override;
};
