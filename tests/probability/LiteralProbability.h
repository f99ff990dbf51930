#pragma once
// The probability of the 90 numbers computed the plain way: each number's delay by its own
// backward walk, each frequency by its own forward count, and the exchange sort on the pairs.
// The criteria are already valid here.

#include "core/DrawArchive.h"

#include <array>
#include <utility>
#include <vector>

namespace numora::oracle {

inline bool ComesOut(const DrawRecord& r, int n, unsigned wheels) {
    for (int w = 1; w <= 11; ++w)
        if ((wheels >> (w - 1)) & 1u)
            for (int k = 0; k < 5; ++k)
                if (r.number(w, k) == n) return true;
    return false;
}

inline std::array<double, 90> LiteralProbabilities(const DrawArchive& a, int start, int end, unsigned wheels,
                                                   bool delayOn, double dlo, double dhi, bool freqOn, double fmost,
                                                   double fleast) {
    if (end < start) std::swap(start, end);
    if (!delayOn) dlo = dhi = 0;
    if (!freqOn) fmost = fleast = 0;
    std::array<double, 90> delay{}, freq{}, ds{}, fs{}, p{};
    for (int n = 1; n <= 90; ++n) {
        int d = end;
        while (d >= start && !ComesOut(a.draw(d), n, wheels)) --d;
        delay[n - 1] = d < start ? end - start : end - d;
        for (int e = start; e <= end; ++e)
            for (int w = 1; w <= 11; ++w)
                if ((wheels >> (w - 1)) & 1u)
                    for (int k = 0; k < 5; ++k)
                        if (a.draw(e).number(w, k) == n) freq[n - 1] += 1;
    }
    double minD = delay[0], maxD = delay[0], minF = freq[0], maxF = freq[0];
    for (int i = 1; i < 90; ++i) {
        if (delay[i] < minD) minD = delay[i];
        if (delay[i] > maxD) maxD = delay[i];
        if (freq[i] < minF) minF = freq[i];
        if (freq[i] > maxF) maxF = freq[i];
    }
    for (int i = 0; i < 90; ++i) {
        if (delayOn && maxD - minD > 0) ds[i] = dlo + (dhi - dlo) * (delay[i] - minD) / (maxD - minD);
        if (freqOn && maxF - minF > 0) fs[i] = fmost + (fleast - fmost) * (1 - (freq[i] - minF) / (maxF - minF));
        p[i] = ds[i] + fs[i];
    }
    return p;
}

inline std::vector<std::pair<int, double>> LiteralRanking(const std::array<double, 90>& p, bool descending) {
    std::vector<std::pair<int, double>> r;
    for (int n = 1; n <= 90; ++n) r.emplace_back(n, p[n - 1]);
    for (int i = 0; i < 89; ++i)
        for (int j = i + 1; j < 90; ++j)
            if (descending ? r[i].second < r[j].second : r[i].second > r[j].second) std::swap(r[i], r[j]);
    return r;
}

} // namespace numora::oracle
