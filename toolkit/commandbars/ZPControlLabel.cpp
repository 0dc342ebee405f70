// A caption-only control (kind 8); its own drawing and markup captions are not built yet.
#include "commandbars/ZPControlLabel.h"

IMPLEMENT_DYNCREATE(CZPControlLabel, CZPControl)

CZPControlLabel::CZPControlLabel()
{
    m_controlType = zpControlLabel;
}
