// Prompts with one argument, checked before formatting.
#include "commandbars/ZPCustomizeText.h"

#include "commandbars/ZPCustomizeSheet.h"

#include "common/ZPResourceManager.h"

#include <framework/wnd.h>

BOOL ZpIsSingleArgumentFormat(const CString& strFormat, WCHAR chType)
{
    int nDirectives = 0;
    const int nLength = strFormat.GetLength();
    for (int i = 0; i < nLength; ++i) {
        if (strFormat[i] != L'%')
            continue;
        if (i + 1 < nLength && strFormat[i + 1] == L'%') {
            ++i;
            continue;
        }
        if (i + 1 >= nLength || strFormat[i + 1] != chType)
            return FALSE;
        ++nDirectives;
        ++i;
    }
    return nDirectives == 1;
}

namespace {

CString LoadCheckedFormat(UINT nID, LPCWSTR lpszDefault, WCHAR chType)
{
    CString strFormat = ZpResourceManagerInstance()->LoadStringOrEmpty(nID);
    return ZpIsSingleArgumentFormat(strFormat, chType) ? strFormat : CString(lpszDefault);
}

}  // namespace

CString ZpFormatResourceString(UINT nID, LPCWSTR lpszDefault, LPCWSTR lpszArgument)
{
    CString strText;
    strText.Format(LoadCheckedFormat(nID, lpszDefault, L's'), lpszArgument != NULL ? lpszArgument : L"");
    return strText;
}

CString ZpFormatResourceString(UINT nID, LPCWSTR lpszDefault, int nArgument)
{
    CString strText;
    strText.Format(LoadCheckedFormat(nID, lpszDefault, L'd'), nArgument);
    return strText;
}

int ZpCustomizeMessageBox(CPropertyPage* pPage, LPCWSTR lpszText, UINT nType)
{
    CZPCustomizeSheet* pSheet = pPage != NULL ? DYNAMIC_DOWNCAST(CZPCustomizeSheet, pPage->GetParentSheet()) : NULL;
    if (pSheet != NULL)
        return pSheet->MessageBox(lpszText, nType);
    return ZpResourceManagerInstance()->ShowMessageBox(lpszText, nType);
}

void ZpEnableDlgItem(CWnd* pPage, int nID, BOOL bEnable)
{
    if (HWND hWnd = ::GetDlgItem(pPage->GetSafeHwnd(), nID))
        ::EnableWindow(hWnd, bEnable);
}
