// The options of one command-bars object. So far the usage data: which commands stay hidden until
// used, which ones the user has used, and whether popups of hidden commands hide as well.
#pragma once

#include <framework.h>

class CZPCommandBars;

class CZPCommandBarsOptions : public CCmdTarget
{
    DECLARE_DYNAMIC(CZPCommandBarsOptions)
public:
    explicit CZPCommandBarsOptions(CZPCommandBars* pCommandBars);

    BOOL m_bAutoHideUnusedPopups;
    BOOL m_bDirty;
    BOOL m_bSyncFloatingBars;        // floating toolbars hide while the frame is inactive
    BOOL m_bShowExpandButtonAlways;  // toolbars show the expand button even when nothing is hidden
    BOOL m_bDblClickFloat;  // double-clicking a docked toolbar floats it  // bars or options changed since the layout
                            // was last stored
    CMap<UINT, UINT, BOOL, BOOL> m_mapHiddenCommands;
    CMap<UINT, UINT, BOOL, BOOL> m_mapUsedCommands;
    CZPCommandBars* m_pCommandBars;  // borrowed: the owner
};
