// String ids of the tab manager; the texts are in res/ZPTabManager.rc.
#pragma once

#define ZP_IDS_TAB_SCROLLLEFT 9800   // tooltip of the left arrow on horizontal strips
#define ZP_IDS_TAB_SCROLLRIGHT 9801  // tooltip of the right arrow on horizontal strips
#define ZP_IDS_TAB_CLOSE 9802        // tooltip of every close button
#define ZP_IDS_TAB_SCROLLUP 9803     // tooltip of the left arrow on vertical strips
#define ZP_IDS_TAB_SCROLLDOWN 9804   // tooltip of the right arrow on vertical strips

// Tab-group commands of the MDI tab workspace; their strings carry the caption after "\n".
#define ZP_ID_TABGROUP_MOVEPREVIOUS 9155
#define ZP_ID_TABGROUP_MOVENEXT 9156
#define ZP_ID_TABGROUP_NEWHORIZONTAL 9157
#define ZP_ID_TABGROUP_NEWVERTICAL 9158
#define ZP_ID_TABGROUP_CANCEL 9159
