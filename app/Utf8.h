// Conversions between the framework's wide strings and the UTF-8 of the editor and CoreFoundation.
#pragma once

#include <windows.h>

#include <string>

// The whole of a NUL-terminated wide text as UTF-8 (lone surrogates become U+FFFD).
inline std::string ToUtf8(LPCWSTR lpsz)
{
    const int nBytes = ::WideCharToMultiByte(CP_UTF8, 0, lpsz, -1, NULL, 0, NULL, NULL);
    if (nBytes <= 1)
        return std::string();
    std::string s(static_cast<size_t>(nBytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, lpsz, -1, &s[0], nBytes, NULL, NULL);
    s.resize(static_cast<size_t>(nBytes - 1));
    return s;
}
