#pragma once
// The pair statistics and the exchange sort written plainly, step by step as documented: the
// oracles of the tests and of the benchmarks.

#include "core/DrawArchive.h"
#include "core/Progress.h"
#include "stats/PairStats.h"

#include <numeric>
#include <utility>
#include <vector>

namespace numora::oracle {

inline std::vector<int> LiteralExchangeSortOrder(const std::vector<int>& values, bool descending) {
    const int n = static_cast<int>(values.size());
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::vector<int> v = values;
    for (int i = 0; i + 1 < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (descending ? v[static_cast<std::size_t>(i)] < v[static_cast<std::size_t>(j)]
                           : v[static_cast<std::size_t>(i)] > v[static_cast<std::size_t>(j)]) {
                std::swap(v[static_cast<std::size_t>(i)], v[static_cast<std::size_t>(j)]);
                std::swap(order[static_cast<std::size_t>(i)], order[static_cast<std::size_t>(j)]);
            }
    return order;
}

inline bool WheelHolds(const DrawRecord& d, int wheel, int n) {
    for (int pos = 0; pos < 5; ++pos)
        if (d.number(wheel, pos) == n) return true;
    return false;
}

inline bool PairOn(const DrawRecord& d, int wheel, int j, int k) {
    return WheelHolds(d, wheel, j) && WheelHolds(d, wheel, k);
}

inline bool LiteralCounted(WheelSet wheels, int w) {
    return (wheels >> (w - 1)) & 1u;
}

inline int LiteralPairDelay(const DrawArchive& a, WheelSet wheels, int j, int k) {
    const int n = a.count();
    for (int d = n; d >= 1; --d)
        for (int w = 1; w <= 11; ++w)
            if (LiteralCounted(wheels, w) && PairOn(a.draw(d), w, j, k)) return n - d;
    return n - 1;
}

inline int LiteralPairFrequency(const DrawArchive& a, WheelSet wheels, int start, int end, int j, int k) {
    int count = 0;
    for (int d = start; d <= end; ++d)
        for (int w = 1; w <= 11; ++w)
            if (LiteralCounted(wheels, w) && PairOn(a.draw(d), w, j, k)) ++count;
    return count;
}

template <class Value> std::vector<PairValue> LiteralFullList(Value value, bool descending) {
    std::vector<PairValue> e;
    for (int j = 1; j <= 90; ++j)
        for (int k = j + 1; k <= 90; ++k) e.push_back({j, k, value(j, k)});
    for (int i = 0; i + 1 < static_cast<int>(e.size()); ++i)
        for (int m = i + 1; m < static_cast<int>(e.size()); ++m)
            if (descending ? e[static_cast<std::size_t>(i)].value < e[static_cast<std::size_t>(m)].value
                           : e[static_cast<std::size_t>(i)].value > e[static_cast<std::size_t>(m)].value)
                std::swap(e[static_cast<std::size_t>(i)], e[static_cast<std::size_t>(m)]);
    return e;
}

inline std::vector<PairValue> LiteralPairDelays(const DrawArchive& a, WheelSet wheels) {
    return LiteralFullList([&](int j, int k) { return LiteralPairDelay(a, wheels, j, k); }, true);
}

inline std::vector<PairValue> LiteralPairFrequencies(const DrawArchive& a, WheelSet wheels, DrawWindow window) {
    return LiteralFullList(
        [&](int j, int k) { return LiteralPairFrequency(a, wheels, window.start, window.end, j, k); }, false);
}

// The top-K scan: append while fewer than k are held; then replace the weakest when strictly
// better, and look for the weakest again from the first entry after every store into a full list.
template <class Value>
TopPairsResult LiteralTopScan(int lastWheel, int k, bool longest, const ProgressCallback& progress, Value value) {
    TopPairsResult r;
    std::vector<WheelPairValue>& held = r.entries;
    int weakest = 0;
    ProgressStatus status;
    status.total = 4005;
    int gauge = 0;
    for (int j = 1; j <= 90 && !r.interrupted; ++j)
        for (int kk = j + 1; kk <= 90 && !r.interrupted; ++kk) {
            status.done = static_cast<std::uint64_t>(++gauge);
            for (int w = 1; w <= lastWheel; ++w) {
                status.found = held.size();
                if (progress && !progress(status)) {
                    r.interrupted = true;
                    break;
                }
                const int v = value(j, kk, w);
                bool stored = false;
                if (static_cast<int>(held.size()) < k) {
                    held.push_back({j, kk, v, w});
                    stored = static_cast<int>(held.size()) == k;
                } else if (longest ? v > held[static_cast<std::size_t>(weakest)].value
                                   : v < held[static_cast<std::size_t>(weakest)].value) {
                    held[static_cast<std::size_t>(weakest)] = {j, kk, v, w};
                    stored = true;
                }
                if (stored) {
                    int best = longest ? 10000000 : -10000000;
                    for (int i = 0; i < static_cast<int>(held.size()); ++i) {
                        const int hv = held[static_cast<std::size_t>(i)].value;
                        if (longest ? hv < best : hv > best) {
                            best = hv;
                            weakest = i;
                        }
                    }
                }
            }
        }
    if (held.size() >= 2) {
        const int n = static_cast<int>(held.size());
        for (int i = 0; i + 1 < n; ++i)
            for (int m = i + 1; m < n; ++m)
                if (longest ? held[static_cast<std::size_t>(i)].value < held[static_cast<std::size_t>(m)].value
                            : held[static_cast<std::size_t>(i)].value > held[static_cast<std::size_t>(m)].value)
                    std::swap(held[static_cast<std::size_t>(i)], held[static_cast<std::size_t>(m)]);
    }
    return r;
}

inline TopPairsResult LiteralMostDelayedPairs(const DrawArchive& a, int lastWheel, int k,
                                              const ProgressCallback& progress) {
    return LiteralTopScan(lastWheel, k, true, progress, [&](int j, int kk, int w) {
        return LiteralPairDelay(a, static_cast<WheelSet>(1u << (w - 1)), j, kk);
    });
}

inline TopPairsResult LiteralLeastFrequentPairs(const DrawArchive& a, int lastWheel, DrawWindow window, int k,
                                                const ProgressCallback& progress) {
    return LiteralTopScan(lastWheel, k, false, progress, [&](int j, int kk, int w) {
        return LiteralPairFrequency(a, static_cast<WheelSet>(1u << (w - 1)), window.start, window.end, j, kk);
    });
}

} // namespace numora::oracle
