#pragma once
// The three reductions as the program's documents state them, step by step and without any
// shortcut: the oracles the engines of src/reduction are compared with.

#include "core/Clock.h"
#include "core/PlayList.h"
#include "core/Random.h"
#include "generation/Generation.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace numora::literal {

inline constexpr int Rejected = 2147483640;

inline std::vector<std::uint8_t> SortedForecast(std::vector<std::uint8_t> f) {
    std::sort(f.begin(), f.end());
    return f;
}

// The candidate's first n numbers that equal a non-zero number of the other play.
inline int CommonCount(const Play& candidate, int n, const Play& other) {
    int c = 0;
    for (int k = 0; k < n; ++k) {
        bool found = false;
        for (int s = 0; s < 10; ++s)
            if (other.numbers[s] != 0 && other.numbers[s] == candidate.numbers[k]) found = true;
        if (found) ++c;
    }
    return c;
}

inline bool LacksFixed(const Play& candidate, int n, const std::vector<std::uint8_t>& fixed) {
    if (fixed.empty()) return false;
    int pairs = 0;
    for (int k = 0; k < n; ++k)
        for (std::uint8_t f : fixed)
            if (candidate.numbers[k] == f) ++pairs;
    return pairs < static_cast<int>(fixed.size());
}

// Steps the index vector idx[1..k] over 1..n to the next combination; false at the end.
inline bool NextCombination(std::vector<int>& idx, int k, int n) {
    ++idx[k];
    if (idx[k] <= n) return true;
    int i = k - 1;
    while (i >= 1 && !(idx[i] + 1 <= n - (k - i))) --i;
    if (i < 1) return false;
    ++idx[i];
    for (int j = i + 1; j <= k; ++j) idx[j] = idx[j - 1] + 1;
    return true;
}

inline Play Candidate(const Play& templ, const std::vector<std::uint8_t>& list, const std::vector<int>& idx, int k) {
    Play c = templ;
    c.numbers.fill(0);
    for (int j = 1; j <= k; ++j) c.numbers[j - 1] = list[idx[j] - 1];
    return c;
}

struct Result {
    RunOutcome outcome = RunOutcome::Completed;
    std::vector<Play> plays; // guaranteed and Genio: the plays added; optimiser: the whole list
};

// --- Guaranteed reduction -------------------------------------------------------------------------

inline Result GuaranteedReduction(const PlayList& start, const PlayRequest& r, int score) {
    PlayList list(start);
    Result out;
    const int committed = list.count();
    const std::vector<std::uint8_t> forecast = SortedForecast(r.forecast);
    const int m = static_cast<int>(forecast.size());
    const int n = r.size;
    if (m < n) return out;
    const int s = std::min(score, n);
    const int t = n <= 5 ? s : s + n - 5;
    Play templ;
    templ.stakes = r.stakes;
    templ.wheels = r.wheels;
    int added = 0;

    auto rejected = [&](const Play& c) {
        if (LacksFixed(c, n, r.fixed)) return true;
        for (int i = 1; i <= committed + added; ++i) {
            const Play& p = list.play(i);
            if (p.wheels != c.wheels) continue;
            if (i > committed) {
                if (CommonCount(c, n, p) >= t) return true;
            } else if (p.stakes == c.stakes && CommonCount(c, n, p) >= t) {
                return true;
            }
        }
        return false;
    };
    auto full = [&] { return committed + added >= PlayList::Capacity; };
    auto finish = [&](RunOutcome o) {
        out.outcome = o;
        if (o == RunOutcome::Completed)
            for (int i = 1; i <= added; ++i) out.plays.push_back(list.play(committed + i));
        return out;
    };

    if (n == 1) {
        for (std::uint8_t x : forecast) {
            Play c = templ;
            c.numbers[0] = x;
            if (rejected(c)) continue;
            if (full()) return finish(RunOutcome::ListFull);
            list.play(committed + ++added) = c;
        }
        return finish(RunOutcome::Completed);
    }

    std::vector<Play> buffer;
    auto greedy = [&] {
        int chosen = 0, best = -1;
        for (int i = 0; i < static_cast<int>(buffer.size()); ++i) {
            int w = 1;
            for (int j = 0; j < static_cast<int>(buffer.size()); ++j)
                if (j != i && CommonCount(buffer[i], n, buffer[j]) >= t) ++w;
            if (w > best) {
                best = w;
                chosen = i;
            }
        }
        if (full()) return false;
        const Play play = buffer[chosen];
        list.play(committed + ++added) = play;
        std::vector<Play> kept;
        for (const Play& c : buffer)
            if (CommonCount(c, n, play) < t) kept.push_back(c);
        buffer = kept;
        return true;
    };
    std::vector<int> idx(static_cast<std::size_t>(n + 1));
    for (int k = 1; k <= n; ++k) idx[k] = k;
    Play c = Candidate(templ, forecast, idx, n);
    if (!rejected(c)) buffer.push_back(c);
    while (NextCombination(idx, n, m)) {
        c = Candidate(templ, forecast, idx, n);
        if (rejected(c)) continue;
        buffer.push_back(c);
        if (buffer.size() == 252 && !greedy()) return finish(RunOutcome::ListFull);
    }
    while (!buffer.empty())
        if (!greedy()) return finish(RunOutcome::ListFull);
    return finish(RunOutcome::Completed);
}

// --- Genio ----------------------------------------------------------------------------------------

inline bool FoundAmong(const PlayList& list, int first, int last, const Play& c) {
    for (int i = first; i <= last; ++i)
        if (list.play(i).sameNumbersAndWheels(c)) return true;
    return false;
}

// occ less play self's numbers, summed over the candidate's numbers.
inline int Overlap(const Play& c, const Play& self, const std::vector<int>& occ) {
    std::vector<int> rest = occ;
    for (std::uint8_t x : self.numbers)
        if (x != 0) --rest[x];
    int s = 0;
    for (std::uint8_t x : c.numbers)
        if (x != 0) s += rest[x];
    return s;
}

inline std::vector<int> Occurrences(const PlayList& list, int last) {
    std::vector<int> occ(256, 0);
    for (int i = 1; i <= last; ++i)
        for (std::uint8_t x : list.play(i).numbers)
            if (x != 0) ++occ[x];
    return occ;
}

inline bool InForecast(const std::vector<std::uint8_t>& f, int x) {
    return std::find(f.begin(), f.end(), x) != f.end();
}

// Plays added by Genio; the clock is read when phase 2 starts and after every candidate.
inline Result Genio(const PlayList& start, const PlayRequest& r, int plays, std::int64_t budget, RandomSource& random,
                    Clock& clock) {
    PlayList list(start);
    Result out;
    const int count = list.count();
    const std::vector<std::uint8_t> forecast = SortedForecast(r.forecast);
    const int n = static_cast<int>(forecast.size());
    const int k = r.size;
    if (n < k) return out;
    Play templ;
    templ.stakes = r.stakes;
    templ.wheels = r.wheels;
    auto passes = [&](const Play& c) { return !LacksFixed(c, k, r.fixed) && !FoundAmong(list, 1, count, c); };
    int j = 0;
    std::vector<int> idx(static_cast<std::size_t>(k + 1));
    for (int q = 1; q <= k; ++q) idx[q] = q;
    bool more = true;
    while (more && j < plays) {
        const Play c = Candidate(templ, forecast, idx, k);
        if (passes(c)) {
            if (count + j >= PlayList::Capacity) {
                out.outcome = RunOutcome::ListFull;
                return out;
            }
            list.play(count + ++j) = c;
        }
        more = NextCombination(idx, k, n);
    }
    if (j == plays) {
        std::vector<int> occ = Occurrences(list, count + j);
        const std::int64_t t0 = clock.milliseconds();
        std::int64_t elapsed = 0;
        int i = count;
        do {
            i = i + 1 > count + j ? count + 1 : i + 1;
            const int d = Overlap(list.play(i), list.play(i), occ);
            int a = Rejected;
            Play c;
            do {
                c = templ;
                int placed = 0;
                for (std::uint8_t f : r.fixed) c.numbers[placed++] = f;
                while (placed < k) {
                    int x;
                    do x = random.below(90) + 1;
                    while (!InForecast(forecast, x));
                    if (std::find(c.numbers.begin(), c.numbers.begin() + placed, x) != c.numbers.begin() + placed)
                        continue;
                    c.numbers[placed++] = static_cast<std::uint8_t>(x);
                }
                std::sort(c.numbers.begin(), c.numbers.begin() + k);
                bool isNew = true;
                for (int q = count + 1; q <= count + j; ++q) {
                    int same = 0;
                    for (int s = 0; s < k; ++s)
                        if (std::find(c.numbers.begin(), c.numbers.begin() + k, list.play(q).numbers[s]) !=
                            c.numbers.begin() + k)
                            ++same;
                    if (same == k) isNew = false;
                }
                a = isNew && passes(c) ? Overlap(c, list.play(i), occ) : Rejected;
                elapsed = clock.milliseconds() - t0;
            } while (!(elapsed > budget || a < d));
            if (a < d) {
                for (std::uint8_t x : list.play(i).numbers)
                    if (x != 0) --occ[x];
                list.play(i) = c;
                for (std::uint8_t x : c.numbers)
                    if (x != 0) ++occ[x];
            }
        } while (elapsed <= budget);
    }
    for (int q = 1; q <= j; ++q) out.plays.push_back(list.play(count + q));
    return out;
}

// --- Optimiser ------------------------------------------------------------------------------------

inline Play MutatePlay(const Play& p, const std::vector<std::uint8_t>& forecast, const std::vector<std::uint8_t>& fixed,
                       int replace, RandomSource& random) {
    Play v = p;
    v.numbers.fill(0);
    const int kp = p.numberCount();
    int j = 0;
    if (!fixed.empty()) {
        if (static_cast<int>(fixed.size()) >= kp) return v;
        for (std::uint8_t f : fixed) v.numbers[j++] = f;
    }
    auto placed = [&](int x) {
        return std::find(v.numbers.begin(), v.numbers.begin() + j, x) != v.numbers.begin() + j;
    };
    auto anyLeft = [&] {
        for (std::uint8_t f : forecast)
            if (!placed(f)) return true;
        return false;
    };
    int i = 0;
    while (j < kp && i < replace && anyLeft()) {
        int x;
        do x = random.below(90) + 1;
        while (!InForecast(forecast, x));
        if (placed(x)) continue;
        v.numbers[j++] = static_cast<std::uint8_t>(x);
        ++i;
    }
    for (std::uint8_t x : p.numbers)
        if (j < kp && x != 0 && !placed(x)) v.numbers[j++] = x;
    std::sort(v.numbers.begin(), v.numbers.begin() + j);
    return v;
}

// The whole list after the optimisation; the clock is read at each play's start and after every
// variant. stopAfter > 0 ends the run after that many plays, as a confirmed interruption does.
inline Result Optimise(const PlayList& start, const std::vector<std::uint8_t>& forecast,
                       const std::vector<std::uint8_t>& fixed, int replace, std::int64_t budget, RandomSource& random,
                       Clock& clock, int stopAfter = 0) {
    PlayList list(start);
    const int count = list.count();
    std::vector<int> occ = Occurrences(list, count);
    for (int p = 1; p <= count; ++p) {
        Play best = list.play(p);
        int c = Overlap(list.play(p), list.play(p), occ);
        const std::int64_t t0 = clock.milliseconds();
        std::int64_t elapsed = 0;
        do {
            const Play v = MutatePlay(list.play(p), forecast, fixed, replace, random);
            const bool passes = !LacksFixed(v, 10, fixed) && FindPlay(list, v) == 0;
            const int f = passes ? Overlap(v, list.play(p), occ) : Rejected;
            if (f < c) {
                best = v;
                c = f;
            }
            elapsed = clock.milliseconds() - t0;
        } while (elapsed <= budget);
        for (std::uint8_t x : list.play(p).numbers)
            if (x != 0) --occ[x];
        list.play(p) = best;
        for (std::uint8_t x : best.numbers)
            if (x != 0) ++occ[x];
        if (p == stopAfter) break;
    }
    Result out;
    for (int p = 1; p <= count; ++p) out.plays.push_back(list.play(p));
    return out;
}

} // namespace numora::literal
