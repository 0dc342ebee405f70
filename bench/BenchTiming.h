// Named timings of the Windows benchmarks: samples in milliseconds, their median and a target.
#pragma once

#include <algorithm>
#include <stdio.h>
#include <vector>

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

// One line per timing: the name, the median and the target when there is one.
inline void BenchPrint(const std::vector<const CBenchTiming*>& timings, int nNameWidth)
{
    for (const CBenchTiming* pTiming : timings) {
        printf("  %-*s %8.2f ms", nNameWidth, pTiming->pszName, BenchMedian(pTiming->samples));
        if (pTiming->dTarget > 0)
            printf("   (target %.0f ms)", pTiming->dTarget);
        printf("\n");
    }
}

// One comparison with a peer measured in the same run, ending in its ratio and goal.
inline void BenchPrintRatio(const char* pszName, double dOurs, double dPeer, double dGoal)
{
    printf("  %-46s %8.4f ms, peer %8.4f ms, ratio %.2fx (goal <= %.1fx)\n", pszName, dOurs, dPeer, dOurs / dPeer,
           dGoal);
}
