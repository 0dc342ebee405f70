// An edit control on a bar (kind 6); its edit window and spin buttons are not built yet.
#include "commandbars/ZPControlEdit.h"

IMPLEMENT_DYNCREATE(CZPControlEdit, CZPControl)

CZPControlEdit::CZPControlEdit()
{
    m_controlType = zpControlEdit;
}
