#pragma once
// The guarantee of a reduced system as the program's documents state it, checked with no
// shortcut: every combination of N forecast numbers holding the fixed numbers, in the
// enumeration order, against every new play and every committed play of the same wheels and
// the same five stakes, number by number.

#include "LiteralReduction.h"

namespace numora::literal {

inline bool KeepsGuarantee(const std::vector<Play>& committed, const PlayRequest& r, int score,
                           const std::vector<Play>& plays) {
    const std::vector<std::uint8_t> forecast = SortedForecast(r.forecast);
    const int m = static_cast<int>(forecast.size());
    const int n = r.size;
    const int s = std::min(score, n);
    const int t = n <= 5 ? s : s + n - 5;
    for (const Play& p : plays) {
        // N distinct forecast numbers in slots 1..N, the fixed ones among them, the request's play.
        for (int k = 0; k < 10; ++k) {
            const bool inForecast = std::find(forecast.begin(), forecast.end(), p.numbers[k]) != forecast.end();
            if (k < n ? !inForecast : p.numbers[k] != 0) return false;
            for (int j = 0; j < k; ++j)
                if (k < n && p.numbers[j] == p.numbers[k]) return false;
        }
        if (LacksFixed(p, n, r.fixed) || p.wheels != r.wheels || p.stakes != r.stakes) return false;
    }
    if (m < n) return true;
    Play templ;
    templ.wheels = r.wheels;
    templ.stakes = r.stakes;
    std::vector<int> idx(static_cast<std::size_t>(n) + 1);
    for (int k = 1; k <= n; ++k) idx[k] = k;
    do {
        const Play c = Candidate(templ, forecast, idx, n);
        if (LacksFixed(c, n, r.fixed)) continue;
        bool covered = false;
        for (const Play& p : plays)
            if (CommonCount(c, n, p) >= t) covered = true;
        for (const Play& p : committed)
            if (p.wheels == r.wheels && p.stakes == r.stakes && CommonCount(c, n, p) >= t) covered = true;
        if (!covered) return false;
    } while (NextCombination(idx, n, m));
    return true;
}

} // namespace numora::literal
