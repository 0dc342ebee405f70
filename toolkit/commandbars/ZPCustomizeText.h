// Prompts of the customization dialogs that carry one name or number, and their shared helpers. Their texts may come
// from a language file, so a loaded text is used only with exactly the one directive its caller fills.
#pragma once

#include <framework.h>

// TRUE when the text holds exactly one "%" directive, that directive is "%" followed by chType
// ('s' or 'd'), and every other "%" is a doubled "%%".
BOOL ZpIsSingleArgumentFormat(const CString& strFormat, WCHAR chType);
// The string resource nID (through the resource manager) filled with the argument; lpszDefault
// (which has the directive) stands in when the loaded text does not qualify.
CString ZpFormatResourceString(UINT nID, LPCWSTR lpszDefault, LPCWSTR lpszArgument);
CString ZpFormatResourceString(UINT nID, LPCWSTR lpszDefault, int nArgument);

class CPropertyPage;
// Asks the user on behalf of a customize page: through its customize sheet when it runs in one,
// else as the resource manager's message box. Returns the button pressed.
int ZpCustomizeMessageBox(CPropertyPage* pPage, LPCWSTR lpszText, UINT nType);

// Enables or disables a page's control by id; nothing when the template has none.
void ZpEnableDlgItem(CWnd* pPage, int nID, BOOL bEnable);
