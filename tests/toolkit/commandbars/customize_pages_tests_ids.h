// Resource ids of the customize page tests.
#pragma once

#define IDR_CP_MENU 700
#define IDR_CP_ACCELERATORS 701
#define ID_CP_NEW 710
#define ID_CP_OPEN 711
#define ID_CP_COPY 712
#define ID_CP_PASTE 713
#define ID_CP_RECENT 714
#define ID_CP_FIND 715
