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
    // Menus: every command shown; the full menu after hovering the expand button; the opening
    // animation (0 system, 1 random, 2 unfold, 3 slide, 4 fade, 5 none).
    BOOL m_bAlwaysShowFullMenus;
    BOOL m_bShowFullAfterDelay;
    int m_nAnimation;
    BOOL m_bDirty;                   // bars or options changed since the layout was last stored
    BOOL m_bSyncFloatingBars;        // floating toolbars hide while the frame is inactive
    BOOL m_bShowExpandButtonAlways;  // toolbars show the expand button even when nothing is hidden
    BOOL m_bDblClickFloat;           // double-clicking a docked toolbar floats it
    CMap<UINT, UINT, BOOL, BOOL> m_mapHiddenCommands;
    CMap<UINT, UINT, BOOL, BOOL> m_mapUsedCommands;
    CZPCommandBars* m_pCommandBars;  // borrowed: the owner
};
