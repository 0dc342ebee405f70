// The Windows benchmarks' clock (milliseconds from the performance counter) and their timings.
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

#include <stdio.h>

#include <algorithm>
#include <vector>

// One measured step of a benchmark: its samples and, when it has one, its target.
struct CBenchTiming
{
    const char* pszName;
    double dTarget;  // 0: none
    std::vector<double> samples;
};

inline double BenchMedian(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples.empty() ? 0 : samples[samples.size() / 2];
}

// "  name   median ms   (target N ms)", the name padded to nNameWidth.
inline void BenchPrintTiming(const CBenchTiming& timing, int nNameWidth)
{
    printf("  %-*s %8.2f ms", nNameWidth, timing.pszName, BenchMedian(timing.samples));
    if (timing.dTarget > 0)
        printf("   (target %.0f ms)", timing.dTarget);
    printf("\n");
}
