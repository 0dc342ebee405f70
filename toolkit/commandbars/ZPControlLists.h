// List placeholders: controls that stand in a menu or bar for a list that only exists at run
// time. Expanding them into their items is not built yet: each shows as its placeholder button.
#pragma once

#include "commandbars/ZPControlButton.h"

class CZPControlWindowList : public CZPControlButton
{
    DECLARE_DYNCREATE(CZPControlWindowList)
};

class CZPControlWorkspaceActions : public CZPControlButton
{
    DECLARE_DYNCREATE(CZPControlWorkspaceActions)
};

class CZPControlToolbars : public CZPControlButton
{
    DECLARE_DYNCREATE(CZPControlToolbars)
};

class CZPControlRecentFileList : public CZPControlButton
{
    DECLARE_DYNCREATE(CZPControlRecentFileList)
};

class CZPControlOleItems : public CZPControlButton
{
    DECLARE_DYNCREATE(CZPControlOleItems)
};
