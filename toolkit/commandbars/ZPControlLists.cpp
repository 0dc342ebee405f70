// List placeholders: their classes.
#include "commandbars/ZPControlLists.h"

IMPLEMENT_DYNCREATE(CZPControlWindowList, CZPControlButton)
IMPLEMENT_DYNCREATE(CZPControlWorkspaceActions, CZPControlButton)
IMPLEMENT_DYNCREATE(CZPControlToolbars, CZPControlButton)
IMPLEMENT_DYNCREATE(CZPControlRecentFileList, CZPControlButton)
IMPLEMENT_DYNCREATE(CZPControlOleItems, CZPControlButton)
