// Resource ids of the resource-manager tests.
#pragma once

#define IDS_TEST_FIRST 16
#define IDS_TEST_EMPTY 20
#define IDS_TEST_LAST 31
#define IDS_TEST_EXE_ONLY 40
#define IDR_TEST_HTML 301
#define IDD_TEST_DIALOG 302
#define IDR_TEST_GERMAN 303
#define IDM_TEST_MENU 304
#define IDM_TEST_OPEN 40001
#define IDD_TEST_MISSING 399
