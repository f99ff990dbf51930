#pragma once
// The generators written out step by step as the dialogs describe them, with no cleverness: every
// combination scored afresh, committed plays searched one by one, the kept slots rescanned after
// every write, plays removed by moving the rest down. The engines must give the same lists.

#include "core/DrawArchive.h"
#include "core/PlayList.h"
#include "core/Random.h"
#include "generation/Generation.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace numora::literal {

inline std::vector<int> SortedForecast(const PlayRequest& r) {
    std::vector<int> f(r.forecast.begin(), r.forecast.end());
    std::sort(f.begin(), f.end());
    return f;
}

// Every K-combination of the list as 1-based positions, in the lexicographic order of the dialogs.
inline void EachCombination(int n, int k, const std::function<bool(const std::vector<int>&)>& visit) {
    if (k < 1 || k > n) return;
    std::vector<int> idx(static_cast<std::size_t>(k) + 1);
    for (int i = 1; i <= k; ++i) idx[static_cast<std::size_t>(i)] = i;
    while (true) {
        if (!visit(idx)) return;
        ++idx[static_cast<std::size_t>(k)];
        if (idx[static_cast<std::size_t>(k)] > n) {
            int i = k - 1;
            while (i >= 1 && !(idx[static_cast<std::size_t>(i)] + 1 <= n - (k - i))) --i;
            if (i < 1) return;
            ++idx[static_cast<std::size_t>(i)];
            for (int j = i + 1; j <= k; ++j)
                idx[static_cast<std::size_t>(j)] = idx[static_cast<std::size_t>(j - 1)] + 1;
        }
    }
}

inline bool HoldsFixed(const Play& c, int k, const std::vector<std::uint8_t>& fixed) {
    std::size_t pairs = 0;
    for (int i = 0; i < k; ++i)
        for (std::uint8_t f : fixed) pairs += c.numbers[static_cast<std::size_t>(i)] == f ? 1 : 0;
    return pairs >= fixed.size();
}

inline bool Used(std::uint16_t mask, int w) {
    if (w == 11) return (mask & (1u << 10)) != 0;
    return (mask & (1u << (w - 1))) != 0 || (mask & (1u << 11)) != 0;
}

// ScoreCandidate of "Estrai giocate più probabili", reading the tables afresh for every number.
struct DelayFrequencyScorer {
    const DelayTable& delays;
    const FrequencyTable& frequencies;
    ScoreCriteria c;
    std::uint16_t mask;
    long long minD = 100000000, maxD = -1, minF = 100000000, maxF = -1;
    int w = 0;

    DelayFrequencyScorer(const DelayTable& d, const FrequencyTable& f, const ScoreCriteria& criteria, std::uint16_t m,
                         const std::vector<int>& forecast)
        : delays(d), frequencies(f), c(criteria), mask(m) {
        for (int wheel = 1; wheel <= 11; ++wheel) w += Used(mask, wheel) ? 1 : 0;
        for (int n : forecast) {
            if (c.delayOn) {
                const long long dn = delay(n);
                if (dn < minD) minD = dn;
                if (dn > maxD) maxD = dn;
            }
            if (c.frequencyOn)
                for (int wheel = 1; wheel <= 11; ++wheel) {
                    if (!Used(mask, wheel)) continue;
                    const long long v = frequencies.at(wheel, n);
                    if (v < minF) minF = v;
                    if (v > maxF) maxF = v;
                }
        }
        minF *= w;
        maxF *= w;
    }
    long long delay(int n) const {
        long long d = 100000000000LL;
        for (int wheel = 1; wheel <= 11; ++wheel)
            if (Used(mask, wheel) && delays.at(wheel, n) < d) d = delays.at(wheel, n);
        return d;
    }
    long long frequency(int n) const {
        long long f = 0;
        for (int wheel = 1; wheel <= 11; ++wheel)
            if (Used(mask, wheel)) f += frequencies.at(wheel, n);
        return f;
    }
    double operator()(const Play& p, int k) const {
        double dp = 0, fp = 0;
        if (c.delayOn)
            for (int i = 0; i < k; ++i) {
                const int n = p.numbers[static_cast<std::size_t>(i)];
                const double num = static_cast<double>((c.dhi - c.dlo) * (delay(n) - minD));
                dp = dp + (c.dlo + (maxD == minD ? 0.0 : num / static_cast<double>(maxD - minD))) / k;
            }
        if (c.frequencyOn)
            for (int i = 0; i < k; ++i) {
                const int n = p.numbers[static_cast<std::size_t>(i)];
                const double num = static_cast<double>((c.fleast - c.fmost) * (maxF - frequency(n)));
                fp = fp + (c.fmost + (maxF == minF ? 0.0 : num / static_cast<double>(maxF - minF))) / k;
            }
        return dp + fp;
    }
};

// Steps 9-18 of the extraction with a score of (play, K). Returns the plays added.
inline int ExtractBestPlays(PlayList& list, const PlayRequest& r, int m,
                            const std::function<double(const Play&, int)>& score) {
    const std::vector<int> f = SortedForecast(r);
    const int n = static_cast<int>(f.size());
    const int k = r.size;
    const int count = list.count();
    int j = 0;
    double worst = -10000;
    int worstSlot = 0;
    auto offer = [&](const Play& c) {
        double s = -1;
        if (r.fixed.empty() || HoldsFixed(c, k, r.fixed)) s = score(c, k);
        if (!(s > 0)) return;
        if (j == m && !(s > worst)) return;
        for (int i = 1; i <= count; ++i)
            if (list.play(i).sameNumbersAndWheels(c)) return;
        int slot;
        if (j < m)
            slot = count + ++j;
        else
            slot = worstSlot;
        list.play(slot) = c;
        list.play(slot).stakes[0] = s;
        if (j == m) {
            worst = 10000000;
            for (int i = count + 1; i <= count + m; ++i)
                if (list.play(i).stakes[0] < worst) {
                    worst = list.play(i).stakes[0];
                    worstSlot = i;
                }
        }
    };
    EachCombination(n, k, [&](const std::vector<int>& idx) {
        Play c;
        for (int i = 1; i <= k; ++i)
            c.numbers[static_cast<std::size_t>(i - 1)] =
                static_cast<std::uint8_t>(f[static_cast<std::size_t>(idx[static_cast<std::size_t>(i)] - 1)]);
        c.wheels = r.wheels;
        offer(c);
        return true;
    });
    for (int i = count + 1; i <= count + j; ++i) {
        list.play(i).stakes = r.stakes;
        list.play(i).wheels = r.wheels;
    }
    list.setCount(count + j);
    return j;
}

inline int ExtractRandomPlays(PlayList& list, const PlayRequest& r, int m, RandomSource& random) {
    const std::vector<int> f = SortedForecast(r);
    const int n = static_cast<int>(f.size());
    const int count = list.count();
    const int fc = static_cast<int>(r.fixed.size());
    int k = 0, rep = 0;
    do {
        Play c;
        c.wheels = r.wheels;
        c.stakes = r.stakes;
        for (int i = 0; i < fc; ++i) c.numbers[static_cast<std::size_t>(i)] = r.fixed[static_cast<std::size_t>(i)];
        int i = fc;
        while (i < r.size) {
            const int x = f[static_cast<std::size_t>(random.below(n))];
            bool again = false;
            for (int s = 0; s < i; ++s) again = again || c.numbers[static_cast<std::size_t>(s)] == x;
            if (again) continue;
            c.numbers[static_cast<std::size_t>(i++)] = static_cast<std::uint8_t>(x);
        }
        std::sort(c.numbers.begin(), c.numbers.begin() + r.size);
        bool repeat = false;
        for (int p = 1; p <= count + k && !repeat; ++p) repeat = list.play(p).sameNumbersAndWheels(c);
        if (repeat) {
            ++rep;
        } else {
            ++k;
            list.play(count + k) = c;
            rep = 0;
        }
    } while (k < m && rep <= 10000);
    list.setCount(count + k);
    return k;
}

inline void EliminateRandomPlays(PlayList& list, int e, RandomSource& random) {
    int p = list.count();
    if (e == p) {
        list.setCount(0);
        return;
    }
    for (int t = 0; t < e; ++t) {
        const int i = random.below(p) + 1;
        for (int j = i; j < p; ++j) list.play(j) = list.play(j + 1);
        --p;
    }
    list.setCount(p);
}

// The integral development; -1 when the play list would overflow (nothing committed).
inline int DevelopIntegral(PlayList& list, const PlayRequest& r) {
    const std::vector<int> f = SortedForecast(r);
    const int count = list.count();
    int j = 0;
    bool full = false;
    EachCombination(static_cast<int>(f.size()), r.size, [&](const std::vector<int>& idx) {
        Play c;
        c.stakes = r.stakes;
        c.wheels = r.wheels;
        for (int i = 1; i <= r.size; ++i)
            c.numbers[static_cast<std::size_t>(i - 1)] =
                static_cast<std::uint8_t>(f[static_cast<std::size_t>(idx[static_cast<std::size_t>(i)] - 1)]);
        if (!r.fixed.empty() && !HoldsFixed(c, r.size, r.fixed)) return true;
        for (int i = 1; i <= count; ++i)
            if (list.play(i).sameNumbersAndWheels(c)) return true;
        if (count + j >= PlayList::Capacity) {
            full = true;
            return false;
        }
        list.play(count + ++j) = c;
        return true;
    });
    if (full) return -1;
    list.setCount(count + j);
    return j;
}

} // namespace numora::literal
