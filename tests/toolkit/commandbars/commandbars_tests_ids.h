// Resource ids of the command-bar tests.
#pragma once

#define IDR_CB_TOOLBAR_16 4100
#define IDR_CB_TOOLBAR_24 4101
#define IDR_CB_TOOLBAR_OVERLONG 4102
#define IDR_CB_TOOLBAR_ZERO_SIZE 4103
#define IDR_CB_TOOLBAR_SEPARATORS 4104
#define IDR_CB_TOOLBAR_SHORT 4105
#define IDR_CB_MENU 4110
