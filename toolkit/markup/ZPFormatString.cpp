// Text arguments of error messages, cut to a bounded length.
#include "markup/ZPFormatString.h"

CString ZpFormatArgument(LPCWSTR lpszText)
{
    if (lpszText == NULL)
        return CString();
    int nLength = 0;
    while (nLength < kZpFormatArgumentMax && lpszText[nLength] != 0)
        nLength++;
    return CString(lpszText, nLength);
}
