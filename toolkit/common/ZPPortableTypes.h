// The few Win32 types that window-free toolkit code (tokenizer, layout arithmetic) is written
// in: <windows.h> in the Windows build, plain definitions in the native build that tests and
// fuzzes that code. Natively WCHAR is wchar_t (32 bits) holding UTF-16 code units.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <cstddef>

typedef wchar_t WCHAR;
typedef const WCHAR* LPCWSTR;
typedef WCHAR* LPWSTR;
typedef int BOOL;
typedef unsigned int UINT;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#endif
