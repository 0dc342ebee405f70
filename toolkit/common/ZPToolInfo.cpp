// Filling the tool records of tool hit tests.
#include "common/ZPToolInfo.h"

#include <stdlib.h>
#include <wchar.h>

namespace {

LPWSTR HeapCopy(LPCWSTR lpszText)
{
    if (lpszText == NULL)
        return NULL;
    return _wcsdup(lpszText);
}

}   // namespace

void ZpFillToolInfo(TOOLINFOW* pToolInfo, HWND hWnd, const RECT& rc, UINT_PTR nId, LPCWSTR lpszText)
{
    if (pToolInfo == NULL || pToolInfo->cbSize < ZP_TTTOOLINFO_SIZE)
        return;
    pToolInfo->hwnd = hWnd;
    pToolInfo->uId = nId;
    pToolInfo->rect = rc;
    pToolInfo->lpszText = HeapCopy(lpszText);
}

void ZpFillToolInfoEx(TOOLINFOW* pToolInfo, HWND hWnd, const RECT& rc, UINT_PTR nId, LPCWSTR lpszText,
                      LPCWSTR lpszTitle, LPCWSTR lpszDescription, CZPImageManager* pImageManager)
{
    ZpFillToolInfo(pToolInfo, hWnd, rc, nId, lpszText);
    if (pToolInfo == NULL || pToolInfo->cbSize != ZP_TTTOOLINFO_SIZE_EX || pToolInfo->lParam == 0)
        return;
    ZP_TOOLTIP_EXTRA* pExtra = reinterpret_cast<ZP_TOOLTIP_EXTRA*>(pToolInfo->lParam);
    if (lpszDescription != NULL && *lpszDescription != 0 && lpszTitle != NULL && *lpszTitle != 0) {
        pExtra->lpszDescription = HeapCopy(lpszDescription);
        pExtra->lpszTitle = HeapCopy(lpszTitle);
    }
    pExtra->pImageManager = pImageManager;
}

HWND ZpToolWindowOfChild(HWND hWnd)
{
    if (hWnd == NULL || (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) == 0)
        return hWnd;
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (dwProcessId == ::GetCurrentProcessId() && ::SendMessageW(hWnd, ZP_TTM_ISCHILDOFTOOL, 0, 0) == 1)
        return ::GetParent(hWnd);
    return hWnd;
}
