// The frame's menu bar: identity.
#include "commandbars/ZPMenuBar.h"

IMPLEMENT_DYNCREATE(CZPMenuBar, CZPToolBar)

CZPMenuBar::CZPMenuBar()
{
    m_barType = zpBarTypeMenuBar;
    m_nBarID = ZP_MENUBAR_ID;
}

CZPMenuBar::~CZPMenuBar() = default;
