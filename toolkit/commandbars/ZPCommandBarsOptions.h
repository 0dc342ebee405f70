// The options of one command-bars object: menus, tips, icons, usage data and keyboard cues, with
// their full archive form.
#pragma once

#include <framework.h>

#include <vector>

class CZPCommandBars;

// Keyboard cue use: search every shown toolbar; no Alt+letter at all; no first-letter matches.
const int ZP_CUES_USE_ALL_TOOLBARS = 1;
const int ZP_CUES_USE_NONE = 2;
const int ZP_CUES_USE_NO_FIRST_LETTER = 4;
// When keyboard cues show: always, never, as the system setting says (then with Alt).
const int ZP_CUES_SHOW_ALWAYS = 0;
const int ZP_CUES_SHOW_NEVER = 1;
const int ZP_CUES_SHOW_SYSTEM = 2;

typedef CMap<UINT, UINT, BOOL, BOOL> CZPCommandIdMap;

// A command map as stored: the count, then each id and its flag, 32 bits each.
std::vector<DWORD> ZpCommandMapToWords(const CZPCommandIdMap& map);
// Fills the map from stored words; FALSE, the map unchanged, unless they hold exactly the count
// they claim (at most nMaxCount).
BOOL ZpCommandMapFromWords(const DWORD* pWords, UINT nWords, UINT nMaxCount, CZPCommandIdMap& map);

class CZPCommandBarsOptions : public CCmdTarget
{
    DECLARE_DYNAMIC(CZPCommandBarsOptions)
public:
    explicit CZPCommandBarsOptions(CZPCommandBars* pCommandBars);

    // The full form over an archive: the profile form's values, then the rest, each group gated
    // by the schema read. A damaged value takes its default, a damaged command map leaves the map;
    // a short archive throws its exception and changes nothing.
    void Serialize(CArchive& ar) override;

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
    CZPCommandIdMap m_mapHiddenCommands;
    CZPCommandIdMap m_mapUsedCommands;
    CZPCommandBars* m_pCommandBars;  // borrowed: the owner

    // The rest of the profile form ("%s-Options").
    BOOL m_bToolBarScreenTips = TRUE;
    BOOL m_bToolBarAccelTips = FALSE;
    BOOL m_bLargeIcons = FALSE;
    // Alt+drag moves controls outside customize mode.
    BOOL m_bAltDragCustomization = TRUE;
    // Kept with the full form: bars whose own setting defers show captions below icons; icon
    // sizes of toolbars, large icons and popups (0 x 0: the paint manager's).
    BOOL m_bShowTextBelowIcons = FALSE;
    CSize m_szIcons = CSize(0, 0);
    CSize m_szLargeIcons = CSize(0, 0);
    CSize m_szPopupIcons = CSize(0, 0);

    // Keypad digits may be mnemonics (not stored).
    BOOL m_bNumericKeypadMnemonics = FALSE;
};
