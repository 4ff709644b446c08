#pragma once
// One benchmark figure over several repeats: a single median hides how much
// the ratio moves from run to run, so each figure is shown as min/median/max.
#include <algorithm>
#include <cstdio>
#include <vector>

struct Spread {
    double min = 0, median = 0, max = 0;
};

inline Spread spreadOf(std::vector<double> v) {
    if (v.empty()) return {};
    std::sort(v.begin(), v.end());
    return {v.front(), v[v.size() / 2], v.back()};
}

inline void printSpread(const char* what, const std::vector<double>& values, const char* format = "%.2f") {
    const Spread s = spreadOf(values);
    std::printf("%s: min ", what);
    std::printf(format, s.min);
    std::printf(", median ");
    std::printf(format, s.median);
    std::printf(", max ");
    std::printf(format, s.max);
    std::printf(" (%zu repeats)\n", values.size());
}
