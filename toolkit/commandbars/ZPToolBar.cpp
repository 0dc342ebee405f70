// A docking toolbar: identity.
#include "commandbars/ZPToolBar.h"

IMPLEMENT_DYNCREATE(CZPToolBar, CZPCommandBar)

CZPToolBar::CZPToolBar()
{
    m_barType = zpBarTypeNormal;
}

CZPToolBar::~CZPToolBar() = default;
