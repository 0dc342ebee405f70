// Reporting assertions.
#include <framework/assert.h>

#include <stdio.h>

namespace {

void DefaultAssertHandler(LPCSTR lpszFile, int nLine, LPCSTR lpszExpression)
{
    char szText[512];
    _snprintf(szText, sizeof(szText) - 1, "%s(%d): assertion failed: %s\n", lpszFile, nLine, lpszExpression);
    szText[sizeof(szText) - 1] = '\0';
    OutputDebugStringA(szText);
    fputs(szText, stderr);
}

AFX_ASSERT_HANDLER g_pfnAssertHandler = DefaultAssertHandler;

}  // namespace

AFX_ASSERT_HANDLER AfxSetAssertHandler(AFX_ASSERT_HANDLER pfn)
{
    AFX_ASSERT_HANDLER pfnOld = g_pfnAssertHandler;
    g_pfnAssertHandler = pfn != NULL ? pfn : DefaultAssertHandler;
    return pfnOld;
}

void AfxAssertFailedLine(LPCSTR lpszFile, int nLine, LPCSTR lpszExpression)
{
    g_pfnAssertHandler(lpszFile, nLine, lpszExpression);
}
