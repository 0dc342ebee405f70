// The Windows benchmarks' clock: milliseconds from the performance counter.
#pragma once

#include <windows.h>

inline double BenchNowMs()
{
    static LARGE_INTEGER s_freq = {};
    if (s_freq.QuadPart == 0)
        ::QueryPerformanceFrequency(&s_freq);
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(s_freq.QuadPart);
}
