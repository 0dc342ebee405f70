// The frame's menu bar. So far only its identity (type 0, bar id 1); loading the frame's menu
// and its MDI buttons come later.
#pragma once

#include "commandbars/ZPToolBar.h"

const UINT ZP_MENUBAR_ID = 1;

class CZPMenuBar : public CZPToolBar
{
    DECLARE_DYNCREATE(CZPMenuBar)
public:
    CZPMenuBar();
    ~CZPMenuBar() override;
};
