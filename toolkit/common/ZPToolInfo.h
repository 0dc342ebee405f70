// The tool record that tooltip owners fill in their tool hit tests, its extra block and the
// private messages of the tip windows.
#pragma once

#include <framework.h>

#include <commctrl.h>
#include <stddef.h>

class CZPImageManager;

// Sent to a window under the pointer; a child that answers 1 stands for its parent in tool
// lookups (the edit windows embedded in command-bar controls). wParam, lParam 0.
const UINT ZP_TTM_ISCHILDOFTOOL = 0x2A48;
// Sent to a tip window: lParam = CZPImageManagerIcon* to show beside the text (borrowed), or
// null for none. The system tooltip control ignores it. Result 0.
const UINT ZP_TTM_SETIMAGE = 0x2A49;

// Tool-record sizes: without lParam (40 bytes in the 32-bit build) and with it (44).
const UINT ZP_TTTOOLINFO_SIZE = offsetof(TTTOOLINFOW, lpszText) + sizeof(LPWSTR);
const UINT ZP_TTTOOLINFO_SIZE_EX = offsetof(TTTOOLINFOW, lParam) + sizeof(LPARAM);

// Private tool flags, cleared before a record reaches a tip window.
const UINT ZP_TTF_ALWAYSACTIVATE = 0x40000000;   // activate even when the owner chain is inactive
const UINT ZP_TTF_PRIVATEMASK = 0xC0000000;

// What lParam of a 44-byte tool record points to; provided and zeroed by the tooltip context.
struct ZP_TOOLTIP_EXTRA
{
    LPWSTR lpszDescription;           // C heap, owned by the context after the hit test; or null
    LPWSTR lpszTitle;                 // C heap, owned by the context after the hit test; or null
    CZPImageManager* pImageManager;   // borrowed; where the tool's icon is looked up
    RECT rcAnchor;                    // tool window client coordinates; when not empty the tip goes below it
};

// hwnd, uId, rect and a C-heap copy of lpszText (null when out of memory) into a record whose
// cbSize is at least ZP_TTTOOLINFO_SIZE; does nothing otherwise.
void ZpFillToolInfo(TOOLINFOW* pToolInfo, HWND hWnd, const RECT& rc, UINT_PTR nId, LPCWSTR lpszText);
// ZpFillToolInfo, then for a record of ZP_TTTOOLINFO_SIZE_EX with an extra block: copies of title and
// description when both are non-empty, and the image manager in any case.
void ZpFillToolInfoEx(TOOLINFOW* pToolInfo, HWND hWnd, const RECT& rc, UINT_PTR nId, LPCWSTR lpszText,
                      LPCWSTR lpszTitle, LPCWSTR lpszDescription, CZPImageManager* pImageManager);
// The window a tool lookup takes for hWnd: its parent when hWnd is a child window of this process
// that answers ZP_TTM_ISCHILDOFTOOL with 1, else hWnd. Other programs' windows are never asked:
// they may read the message as one of their own.
HWND ZpToolWindowOfChild(HWND hWnd);
