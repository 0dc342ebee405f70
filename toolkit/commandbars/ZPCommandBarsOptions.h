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

    // The options of the profile form ("%s-Options").
    BOOL m_bAlwaysShowFullMenus = TRUE;
    BOOL m_bShowFullAfterDelay = TRUE;
    BOOL m_bToolBarScreenTips = TRUE;
    BOOL m_bToolBarAccelTips = FALSE;
    BOOL m_bLargeIcons = FALSE;
    int m_nAnimation = 0;  // popup animation: 0 none, 1 random, 2 unfold, 3 slide, 4 fade, 5 system
};
