// Command and string ids of the editor core; the framework's standard ids come from resids.h.
#pragma once

#include <framework/resids.h>

// The document template's resources: menu, accelerators, icon and document string.
#define IDR_MAINFRAME 128
// The in-place container's menu and accelerators (File items only).
#define IDR_INPLACE_CONTAINER 6
// Five 16 x 16 images of 32 bits per pixel for the main view's tabs.
#define IDB_TAB_IMAGES 132
#define IDP_OLE_INIT_FAILED 100
// Shown when a language file stands beside the program but no XML parser can read it.
#define IDP_XML_PARSER_MISSING 101

// The About box: its template, its logo (100 x 100, 32 bits with alpha), the link and the logo.
#define IDD_ABOUTBOX 130
#define IDB_ABOUT_LOGO 133
#define IDC_ABOUT_LINK 1018
#define IDC_ABOUT_LOGO 1019
// The link band's banner: 100 x 23, opaque, drawn by a plain bitmap static.
#define IDB_LINK_BANNER 140
// The "Standard" toolbar's icons: a 32-bit strip of 16 x 16 images in the order of toolbar 128.
#define IDB_TOOLBAR_ICONS 130
// View > Toolbars > Customize...
#define ID_VIEW_CUSTOMIZE 35001
// View > Skins: command 32785 + skin index. Index 0 is no skin, 1-7 the fixed skins and 8 + n
// the skin file n of the skins folder (its placeholder "[Custom Skins]" has the first file's id).
#define ID_SKIN_NONE 32785
#define ID_SKIN_CUSTOM_FIRST 32793
#define ID_SKIN_LAST 32824

// Editor commands (WM_COMMAND, routed to the XML view).
#define ID_EDIT_TOGGLE_BOOKMARK 32772
#define ID_EDIT_NEXT_BOOKMARK 32774
#define ID_EDIT_PREV_BOOKMARK 32775
#define ID_VIEW_LINE_NUMBERS 32776
#define ID_FORMAT_FONT 32777
#define ID_FORMAT_FORE_COLOR 32778
#define ID_FORMAT_BACK_COLOR 32779
// Switches overtype; the Insert key is bound to it (the foreground colour keeps 32778).
#define ID_EDIT_OVERTYPE 32780

// Status-bar pane of the caret's line and column; its text is string ID_INDICATOR_LINE_COL_FORMAT.
#define ID_INDICATOR_LINE_COL 32760
#define ID_INDICATOR_LINE_COL_FORMAT 32761
// The overtype pane is the framework's ID_INDICATOR_OVR, its text string ID_INDICATOR_OVR.

// Find and replace dialogs (templates in resources/app_dialogs.rc).
#define IDD_FIND 134
#define IDD_REPLACE 135
#define IDC_REPLACE 1010
#define IDC_REPLACE_TEXT 1011
#define IDC_FIND_TEXT 1013
#define IDC_MATCH_CASE 1014
#define IDC_MATCH_WORDS 1015
#define IDC_MATCH_REGEX 1016
// First of the direction radio group (0 up); the second is IDC_SEARCH_DOWN.
#define IDC_SEARCH_UP 1017
#define IDC_REPLACE_ALL 1018
#define IDC_SEARCH_DOWN 1019
