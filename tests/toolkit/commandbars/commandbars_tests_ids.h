// Resource ids of the command-bar tests.
#pragma once

#define IDR_CB_TOOLBAR_16 4100
#define IDR_CB_TOOLBAR_24 4101
#define IDR_CB_TOOLBAR_OVERLONG 4102
#define IDR_CB_TOOLBAR_ZERO_SIZE 4103
#define IDR_CB_TOOLBAR_SEPARATORS 4104
#define IDR_CB_TOOLBAR_SHORT 4105
#define IDR_CB_MENU 4110
// The shortcut manager's accelerator table, as the application's resource 128.
#define IDR_CB_ACCELERATORS 128
#define ID_CB_CMD_FIND 1001
#define ID_CB_CMD_COPY 1002
#define ID_CB_CMD_CHAR 1003
// No resource of this id exists.
#define IDR_CB_MISSING 4199
