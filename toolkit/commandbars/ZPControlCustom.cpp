// A control hosting a child window (kind 7); hosting the window is not built yet.
#include "commandbars/ZPControlCustom.h"

IMPLEMENT_DYNCREATE(CZPControlCustom, CZPControl)

CZPControlCustom::CZPControlCustom()
{
    m_controlType = zpControlCustom;
}
