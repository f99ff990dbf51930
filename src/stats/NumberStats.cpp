#include "stats/NumberStats.h"

#include "core/Ranking.h"
#include "core/Types.h"

#include <algorithm>
#include <array>

namespace numora {

namespace {

constexpr int Numbers = 90;
using PerWheel = std::array<std::array<int, Numbers + 1>, WheelCount + 1>;

// Walks the draws backwards over the wheels asked for and hands each number found to
// firstSeen(draw, wheel, number), which answers whether that was one of the sightings looked for;
// stops after `wanted` of them, or at the first draw.
template <class FirstSeen> void WalkBack(const DrawArchive& draws, WheelSet wheels, int wanted, FirstSeen firstSeen) {
    for (int d = draws.count(); d >= 1 && wanted > 0; --d) {
        const DrawRecord& r = draws.draw(d);
        for (int w = 1; w <= WheelCount; ++w) {
            if (!Counts(wheels, w)) continue;
            for (int k = 0; k < NumbersPerWheel; ++k) {
                const int n = r.number(w, k);
                if (n >= 1 && n <= Numbers && firstSeen(d, w, n)) --wanted;
            }
        }
    }
}

// The latest draw in which each number came out on each wheel (0: never), in one backward walk
// that stops as soon as every (number, wheel) asked for has been seen.
PerWheel LastSeen(const DrawArchive& draws, WheelSet wheels) {
    PerWheel last{};
    int wheelCount = 0;
    for (int w = 1; w <= WheelCount; ++w) wheelCount += Counts(wheels, w) ? 1 : 0;
    WalkBack(draws, wheels, wheelCount * Numbers, [&](int d, int w, int n) {
        int& seen = last[static_cast<std::size_t>(w)][static_cast<std::size_t>(n)];
        if (seen != 0) return false;
        seen = d;
        return true;
    });
    return last;
}

PerWheel Occurrences(const DrawArchive& draws, DrawWindow window) {
    PerWheel count{};
    const int first = std::max(window.start, 1);
    const int lastDraw = std::min(window.end, draws.count());
    for (int d = first; d <= lastDraw; ++d) {
        const DrawRecord& r = draws.draw(d);
        for (int w = 1; w <= WheelCount; ++w)
            for (int k = 0; k < NumbersPerWheel; ++k) {
                const int n = r.number(w, k);
                if (n >= 1 && n <= Numbers) ++count[static_cast<std::size_t>(w)][static_cast<std::size_t>(n)];
            }
    }
    return count;
}

int DelayOf(int lastSeen, int drawCount) {
    return lastSeen == 0 ? drawCount - 1 : drawCount - lastSeen;
}

template <class Entry> std::vector<Entry> Ranked(const std::vector<Entry>& start, bool descending) {
    std::vector<int> values(start.size());
    for (std::size_t i = 0; i < start.size(); ++i) values[i] = start[i].value;
    const std::vector<int> order = ExchangeSortOrder(values, descending);
    std::vector<Entry> ranked;
    ranked.reserve(start.size());
    for (int i : order) ranked.push_back(start[static_cast<std::size_t>(i)]);
    return ranked;
}

} // namespace

std::vector<NumberValue> NumberDelays(const DrawArchive& draws, WheelSet wheels) {
    // The latest draw in which each number came out on any of the wheels: the walk stops once all
    // 90 have been seen, which on several wheels takes a few dozen draws.
    std::array<int, Numbers + 1> latest{};
    WalkBack(draws, wheels, Numbers, [&](int d, int, int n) {
        int& seen = latest[static_cast<std::size_t>(n)];
        if (seen != 0) return false;
        seen = d;
        return true;
    });
    std::vector<NumberValue> start;
    start.reserve(Numbers);
    for (int n = 1; n <= Numbers; ++n)
        start.push_back({n, DelayOf(latest[static_cast<std::size_t>(n)], draws.count())});
    return Ranked(start, true);
}

std::vector<NumberValue> NumberFrequencies(const DrawArchive& draws, WheelSet wheels, DrawWindow window) {
    const PerWheel count = Occurrences(draws, window);
    std::vector<NumberValue> start;
    start.reserve(Numbers);
    for (int n = 1; n <= Numbers; ++n) {
        int sum = 0;
        for (int w = 1; w <= WheelCount; ++w)
            if (Counts(wheels, w)) sum += count[static_cast<std::size_t>(w)][static_cast<std::size_t>(n)];
        start.push_back({n, sum});
    }
    return Ranked(start, false);
}

std::vector<NumberWheelValue> NumberWheelDelays(const DrawArchive& draws) {
    const PerWheel last = LastSeen(draws, AllWheelSet);
    std::vector<NumberWheelValue> start;
    start.reserve(Numbers * WheelCount);
    for (int n = 1; n <= Numbers; ++n)
        for (int w = 1; w <= WheelCount; ++w)
            start.push_back(
                {n, w, DelayOf(last[static_cast<std::size_t>(w)][static_cast<std::size_t>(n)], draws.count())});
    return Ranked(start, true);
}

std::vector<NumberWheelValue> NumberWheelFrequencies(const DrawArchive& draws, DrawWindow window) {
    const PerWheel count = Occurrences(draws, window);
    std::vector<NumberWheelValue> start;
    start.reserve(Numbers * WheelCount);
    for (int n = 1; n <= Numbers; ++n)
        for (int w = 1; w <= WheelCount; ++w)
            start.push_back({n, w, count[static_cast<std::size_t>(w)][static_cast<std::size_t>(n)]});
    return Ranked(start, false);
}

} // namespace numora
