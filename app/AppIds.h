// Command and string ids of the editor core; the framework's standard ids come from resids.h.
#pragma once

#include <framework/resids.h>

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
