// Resource ids of the toolkit foundation (strings and cursors in res/ZPCommon.rc; a language
// file may replace the strings).
#pragma once

// Texts of the hyperlink's failed opens, by ShellExecute result.
#define ZP_IDS_SHELL_OUT_OF_RESOURCES 9357   // 0
#define ZP_IDS_SHELL_FILE_NOT_FOUND 9358     // ERROR_FILE_NOT_FOUND
#define ZP_IDS_SHELL_PATH_NOT_FOUND 9359     // ERROR_PATH_NOT_FOUND
#define ZP_IDS_SHELL_ACCESS_DENIED 9360      // SE_ERR_ACCESSDENIED
#define ZP_IDS_SHELL_OUT_OF_MEMORY 9361      // SE_ERR_OOM
#define ZP_IDS_SHELL_BAD_FORMAT 9362         // ERROR_BAD_FORMAT
#define ZP_IDS_SHELL_SHARE 9363              // SE_ERR_SHARE
#define ZP_IDS_SHELL_ASSOC_INCOMPLETE 9364   // SE_ERR_ASSOCINCOMPLETE
#define ZP_IDS_SHELL_DDE_TIMEOUT 9365        // SE_ERR_DDETIMEOUT
#define ZP_IDS_SHELL_DDE_FAIL 9366           // SE_ERR_DDEFAIL
#define ZP_IDS_SHELL_DDE_BUSY 9367           // SE_ERR_DDEBUSY
#define ZP_IDS_SHELL_NO_ASSOC 9368           // SE_ERR_NOASSOC
#define ZP_IDS_SHELL_DLL_NOT_FOUND 9369      // SE_ERR_DLLNOTFOUND
#define ZP_IDS_SHELL_UNKNOWN_ERROR 9370      // any other result; one %d takes the number

// The hyperlink's cursor where the system has no hand cursor.
#define ZP_IDC_HAND 9973
