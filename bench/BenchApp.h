// The program's application object for the benchmarks: its own settings key, and messages
// printed rather than shown.
#pragma once

#include "shell/TolvaneApp.h"

#include <cstdio>

class CBenchApp : public CTolvaneApp
{
public:
    explicit CBenchApp(LPCWSTR lpszKey) { m_strCompanyKey = lpszKey; }
    int DoMessageBox(LPCWSTR lpszPrompt, UINT, UINT) override
    {
        fwprintf(stderr, L"message: %ls\n", lpszPrompt);
        return IDOK;
    }
};
