// String ids of the tab manager; the texts are in res/ZPTabManager.rc.
#pragma once

#define ZP_IDS_TAB_SCROLLLEFT 9800   // tooltip of the left arrow on horizontal strips
#define ZP_IDS_TAB_SCROLLRIGHT 9801  // tooltip of the right arrow on horizontal strips
#define ZP_IDS_TAB_CLOSE 9802        // tooltip of every close button
#define ZP_IDS_TAB_SCROLLUP 9803     // tooltip of the left arrow on vertical strips
#define ZP_IDS_TAB_SCROLLDOWN 9804   // tooltip of the right arrow on vertical strips
