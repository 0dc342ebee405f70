// Error texts with placeholders: printf-style formatting ("%ls" for text, "%i" for integers) of
// one to three arguments. A text argument is cut to kZpFormatArgumentMax characters first, so a
// huge attribute value cannot make a huge message.
#pragma once

#include <framework.h>

const int kZpFormatArgumentMax = 255;

CString ZpFormatArgument(LPCWSTR lpszText);
inline int ZpFormatArgument(int nValue)
{
    return nValue;
}

template <class A> CString ZpFormatString(LPCWSTR lpszFormat, const A& arg1)
{
    CString str;
    str.Format(lpszFormat, ZpFormatArgument(arg1));
    return str;
}

template <class A, class B> CString ZpFormatString2(LPCWSTR lpszFormat, const A& arg1, const B& arg2)
{
    CString str;
    str.Format(lpszFormat, ZpFormatArgument(arg1), ZpFormatArgument(arg2));
    return str;
}

template <class A, class B, class C>
CString ZpFormatString3(LPCWSTR lpszFormat, const A& arg1, const B& arg2, const C& arg3)
{
    CString str;
    str.Format(lpszFormat, ZpFormatArgument(arg1), ZpFormatArgument(arg2), ZpFormatArgument(arg3));
    return str;
}
