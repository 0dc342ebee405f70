// The options of one command-bars object. So far the usage data: which commands stay hidden until
// used, which ones the user has used, and whether popups of hidden commands hide as well.
#pragma once

#include <framework.h>

class CZPCommandBars;

// Keyboard cue use: search every shown toolbar; no Alt+letter at all; no first-letter matches.
const int ZP_CUES_USE_ALL_TOOLBARS = 1;
const int ZP_CUES_USE_NONE = 2;
const int ZP_CUES_USE_NO_FIRST_LETTER = 4;
// When keyboard cues show: always, never, as the system setting says (then with Alt).
const int ZP_CUES_SHOW_ALWAYS = 0;
const int ZP_CUES_SHOW_NEVER = 1;
const int ZP_CUES_SHOW_SYSTEM = 2;

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
    BOOL m_bSyncFloatingBars;         // floating toolbars hide while the frame is inactive
    BOOL m_bShowExpandButtonAlways;   // toolbars show the expand button even when nothing is hidden
    BOOL m_bDblClickFloat;            // double-clicking a docked toolbar floats it
    BOOL m_bShowKeyboardShortcuts;    // shortcut texts in menus (on)
    BOOL m_bShortcutsInContextMenus;  // also in context menus and their sub-menus (off)
    int m_nKeyboardCuesUse;           // ZP_CUES_USE_* bits (1)
    int m_nKeyboardCuesShow;          // ZP_CUES_SHOW_* (0)
    BOOL m_bKeyboardTips;             // keyboard tips over a tracking bar (off)
    BOOL m_bDirty;                    // bars or options changed since the layout was last stored
    CMap<UINT, UINT, BOOL, BOOL> m_mapHiddenCommands;
    CMap<UINT, UINT, BOOL, BOOL> m_mapUsedCommands;
    CZPCommandBars* m_pCommandBars;  // borrowed: the owner

    // The rest of the profile form ("%s-Options").
    BOOL m_bToolBarScreenTips = TRUE;
    BOOL m_bToolBarAccelTips = FALSE;
    BOOL m_bLargeIcons = FALSE;
    // Alt+drag moves controls outside customize mode.
    BOOL m_bAltDragCustomization = TRUE;

    // Keypad digits may be mnemonics (not stored).
    BOOL m_bNumericKeypadMnemonics = FALSE;
};
