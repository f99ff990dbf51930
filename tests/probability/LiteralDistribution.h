#pragma once
// The distribution views' counts written plainly, step by step, as oracles for the engine.

#include "core/PlayList.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace numora::oracle {

// The nearest whole number, an exact half to the even one.
inline int RoundHalfEven(double x) {
    const double f = std::floor(x);
    const double d = x - f;
    if (d > 0.5) return static_cast<int>(f) + 1;
    if (d < 0.5) return static_cast<int>(f);
    return static_cast<int>(std::fmod(f, 2.0) == 0 ? f : f + 1);
}

// Every k-combination of positions 1..m in lexicographic order, each into the bin of the mean
// of its numbers' probabilities summed from the first position.
inline std::array<std::int32_t, 101> LiteralCombinationBins(const std::vector<int>& sortedNumbers, int k,
                                                            const std::array<double, 90>& p) {
    std::array<std::int32_t, 101> bins{};
    const int m = static_cast<int>(sortedNumbers.size());
    if (k < 1 || k > m) return bins;
    std::vector<int> idx(static_cast<std::size_t>(k) + 1);
    for (int i = 1; i <= k; ++i) idx[static_cast<std::size_t>(i)] = i;
    while (true) {
        double sum = 0;
        for (int i = 1; i <= k; ++i)
            sum += p[static_cast<std::size_t>(
                sortedNumbers[static_cast<std::size_t>(idx[static_cast<std::size_t>(i)] - 1)] - 1)];
        ++bins[static_cast<std::size_t>(RoundHalfEven(sum / k))];
        int i = k;
        ++idx[static_cast<std::size_t>(i)];
        while (i >= 1 && idx[static_cast<std::size_t>(i)] > m - (k - i)) {
            --i;
            if (i < 1) break;
            ++idx[static_cast<std::size_t>(i)];
        }
        if (i < 1) break;
        for (int j = i + 1; j <= k; ++j) idx[static_cast<std::size_t>(j)] = idx[static_cast<std::size_t>(j - 1)] + 1;
    }
    return bins;
}

inline std::array<std::int32_t, 101> LiteralPlayBins(const PlayList& list, const std::array<double, 90>& p) {
    std::array<std::int32_t, 101> bins{};
    for (int i = 1; i <= list.count(); ++i) {
        double sum = 0;
        int n = 0;
        for (int s = 0; s < 10; ++s) {
            const int v = list.play(i).numbers[static_cast<std::size_t>(s)];
            if (v == 0) continue;
            sum += p[static_cast<std::size_t>(v - 1)];
            ++n;
        }
        if (n > 0) ++bins[static_cast<std::size_t>(RoundHalfEven(sum / n))];
    }
    return bins;
}

inline std::array<std::int32_t, 90> LiteralPresence(const PlayList& list) {
    std::array<std::int32_t, 90> c{};
    for (int i = 1; i <= list.count(); ++i)
        for (int s = 0; s < 10; ++s)
            if (const int v = list.play(i).numbers[static_cast<std::size_t>(s)]; v != 0)
                ++c[static_cast<std::size_t>(v - 1)];
    return c;
}

} // namespace numora::oracle
