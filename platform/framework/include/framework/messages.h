// The framework's own window messages and their records.
#pragma once

#include <windows.h>

// Sent by RepositionBars to each bar child: lParam = AFX_SIZEPARENTPARAMS*; the bar takes its
// share of the layout rectangle and positions itself through the deferral handle.
#define WM_SIZEPARENT 0x0361
// Sent to a frame: wParam = string id of a prompt, or 0 with lParam = the text itself.
#define WM_SETMESSAGESTRING 0x0362
// Sent (by direct call) at idle to the main window and its permanent descendants:
// wParam TRUE = disable commands that have no handler.
#define WM_IDLEUPDATECMDUI 0x0363
// Sent (by direct call) to the permanent descendants of a new frame before it is shown.
#define WM_INITIALUPDATE 0x0364
// Sent to the frame in help mode: wParam = help id; a non-zero result means handled.
#define WM_COMMANDHELP 0x0365
// Sent in help mode: lParam = client point; the result is the help id there.
#define WM_HELPHITTEST 0x0366
// Sent by the modal loop to the modal window while idle: lParam = idle count; FALSE = no more idle.
#define WM_KICKIDLE 0x036A
// Sent to floating popups: wParam = FS_* flags; a popup answers TRUE to FS_SYNCACTIVE when it
// keeps its frame's caption active.
#define WM_FLOATSTATUS 0x036D
// Sent to a frame: wParam = string id of the prompt to restore when a highlight ends.
#define WM_POPMESSAGESTRING 0x0375

#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40

// Layout record passed with WM_SIZEPARENT.
struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;        // NULL when only measuring
    RECT rect;        // space still free; each bar takes its part from it
    SIZE sizeTotal;   // total size the bars asked for
    BOOL bStretch;    // bars stretch to fill the free width or height
};

// lParam of a reflected WM_CTLCOLOR.
struct AFX_CTLCOLOR
{
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

// The old colour message, kept as the one map key of all WM_CTLCOLOR* messages.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif
