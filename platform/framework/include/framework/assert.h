// A reporting assertion: for what cannot happen in a correct program. It reports and goes on
// (the caller still returns what its contract gives), so a test or a debugger sees the fault.
#pragma once

#include <windows.h>

// Receives one failed assertion. The default writes it to the debugger and to stderr.
typedef void (*AFX_ASSERT_HANDLER)(LPCSTR lpszFile, int nLine, LPCSTR lpszExpression);

// Installs pfn (NULL restores the default) and returns the previous handler.
AFX_ASSERT_HANDLER AfxSetAssertHandler(AFX_ASSERT_HANDLER pfn);
void AfxAssertFailedLine(LPCSTR lpszFile, int nLine, LPCSTR lpszExpression);

#define ASSERT(expr) ((expr) ? static_cast<void>(0) : AfxAssertFailedLine(__FILE__, __LINE__, #expr))
