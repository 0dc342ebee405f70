// Resource ids of the language-file tests: the program's own side of the sample language file.
#pragma once

#define IDS_TEST_READY 57345
#define IDS_TEST_NEW 57600
#define IDS_TEST_OPEN 57601
#define IDS_TEST_CLOSE 57602   // not translated by the sample
#define IDR_TEST_MAINMENU 128
#define IDR_TEST_VIEWMENU 129  // not translated by the sample
#define IDD_TEST_ABOUT 130
#define IDD_TEST_OPTIONS 131   // not translated by the sample
#define ID_TEST_FILE_NEW 57600
#define ID_TEST_FILE_OPEN 57601
#define ID_TEST_FILE_SAVE 57603
#define ID_TEST_APP_ABOUT 57664
#define ID_TEST_APP_EXIT 57665
#define IDC_TEST_LINK 1018
#define IDC_TEST_LOGO 1019
