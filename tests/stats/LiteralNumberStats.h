#pragma once
// The statistics of single numbers written plainly, step by step as documented, with their own
// exchange sort over the entries: the oracles of the tests and of the benchmarks.

#include "core/DrawArchive.h"
#include "stats/NumberStats.h"

#include <utility>
#include <vector>

namespace numora::oracle {

inline bool NumberOnWheel(const DrawRecord& d, int wheel, int n) {
    for (int pos = 0; pos < 5; ++pos)
        if (d.number(wheel, pos) == n) return true;
    return false;
}

// Backwards from draw N to the first draw in which n comes out on a counted wheel.
inline int LiteralDelay(const DrawArchive& a, WheelSet wheels, int n) {
    const int last = a.count();
    for (int d = last; d >= 1; --d)
        for (int w = 1; w <= 11; ++w)
            if (((wheels >> (w - 1)) & 1u) && NumberOnWheel(a.draw(d), w, n)) return last - d;
    return last - 1;
}

inline int LiteralFrequency(const DrawArchive& a, WheelSet wheels, int start, int end, int n) {
    int count = 0;
    for (int d = start; d <= end; ++d)
        for (int w = 1; w <= 11; ++w)
            if ((wheels >> (w - 1)) & 1u)
                for (int pos = 0; pos < 5; ++pos) count += a.draw(d).number(w, pos) == n ? 1 : 0;
    return count;
}

// for i = 1..n-1, for j = i+1..n: exchange entries i and j when strictly out of order.
template <class Entry> void LiteralExchangeSort(std::vector<Entry>& e, bool descending) {
    for (std::size_t i = 0; i + 1 < e.size(); ++i)
        for (std::size_t j = i + 1; j < e.size(); ++j)
            if (descending ? e[i].value < e[j].value : e[i].value > e[j].value) std::swap(e[i], e[j]);
}

inline std::vector<NumberValue> LiteralNumberDelays(const DrawArchive& a, WheelSet wheels) {
    std::vector<NumberValue> e;
    for (int n = 1; n <= 90; ++n) e.push_back({n, LiteralDelay(a, wheels, n)});
    LiteralExchangeSort(e, true);
    return e;
}

inline std::vector<NumberValue> LiteralNumberFrequencies(const DrawArchive& a, WheelSet wheels, int start, int end) {
    std::vector<NumberValue> e;
    for (int n = 1; n <= 90; ++n) e.push_back({n, LiteralFrequency(a, wheels, start, end, n)});
    LiteralExchangeSort(e, false);
    return e;
}

inline std::vector<NumberWheelValue> LiteralNumberWheelDelays(const DrawArchive& a) {
    std::vector<NumberWheelValue> e;
    for (int n = 1; n <= 90; ++n)
        for (int w = 1; w <= 11; ++w) e.push_back({n, w, LiteralDelay(a, static_cast<WheelSet>(1u << (w - 1)), n)});
    LiteralExchangeSort(e, true);
    return e;
}

inline std::vector<NumberWheelValue> LiteralNumberWheelFrequencies(const DrawArchive& a, int start, int end) {
    std::vector<NumberWheelValue> e;
    for (int n = 1; n <= 90; ++n)
        for (int w = 1; w <= 11; ++w)
            e.push_back({n, w, LiteralFrequency(a, static_cast<WheelSet>(1u << (w - 1)), start, end, n)});
    LiteralExchangeSort(e, false);
    return e;
}

} // namespace numora::oracle
