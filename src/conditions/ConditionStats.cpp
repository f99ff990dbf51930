#include "conditions/ConditionStats.h"

#include "conditions/ConditionedReduction.h"
#include "core/Types.h"

#include <algorithm>
#include <array>
#include <map>

namespace numora {

namespace {

constexpr std::array<const char*, 8> StatisticNames = {
    "Quantità di numeri pari", "Quantità di numeri dispari", "Media dei numeri",
    "Numero di cadenze",       "Numero di figure",           "Quantità di numeri delle stesse decine",
    "Media dei ritardi",       "Media delle frequenze"};

// In the combinations of `size` of the five positions, each position occurs in size/5 of them and
// each pair of positions in C(3, size - 2): sums over the combinations are the draw's own sums
// times these.
int NumberMultiplicity(int size) {
    return DevelopmentCount(size) * size / 5;
}
int PairMultiplicity(int size) {
    return size == 5 || size == 2 ? 1 : 3;
}

int Rounded(double x) {
    return static_cast<int>(RoundHalfEven(x));
}

std::array<int, 5> WheelNumbers(const DrawRecord& d, int wheel) {
    std::array<int, 5> n{};
    for (int k = 0; k < 5; ++k) n[static_cast<std::size_t>(k)] = d.number(wheel, k);
    return n;
}

template <class Key> int SamePairs(const std::array<int, 5>& n, Key key) {
    int pairs = 0;
    for (int i = 0; i < 5; ++i)
        for (int j = i + 1; j < 5; ++j)
            pairs += key(n[static_cast<std::size_t>(i)]) == key(n[static_cast<std::size_t>(j)]) ? 1 : 0;
    return pairs;
}

// The value of statistic k (1-6, 9-11) for one wheel of one draw, -1 when it is not counted.
int WheelValue(int k, const std::array<int, 5>& n, int size, const ConditionSet& set) {
    const int c = DevelopmentCount(size);
    const int m = NumberMultiplicity(size);
    const int p = PairMultiplicity(size);
    switch (k) {
    case 1:
    case 2: {
        int count = 0;
        for (int x : n) count += (x % 2 == 0) == (k == 1) ? 1 : 0;
        return std::clamp(Rounded(double(count * m) / c), 0, 5);
    }
    case 3: {
        int sum = 0;
        for (int x : n) sum += x;
        const int v = Rounded(double(sum * m) / size / c);
        return v >= 1 && v <= 90 ? v : -1;
    }
    case 4:
    case 5:
    case 6: {
        int pairs = k == 4 ? SamePairs(n, [](int x) { return x % 10; })
                           : (k == 5 ? SamePairs(n, [](int x) { return x % 9; })
                                     : SamePairs(n, [](int x) { return (x - 1) / 10; }));
        const int v = Rounded(double(pairs * p) / c);
        return v >= 0 && v <= 5 ? v : -1;
    }
    default: {
        int count = 0;
        for (int x : n) count += set.rangeStart(k) <= x && x <= set.rangeEnd(k) ? 1 : 0;
        return std::clamp(Rounded(double(count * m) / c), 0, 5);
    }
    }
}

} // namespace

std::string ConditionStatisticEntry(int k, const ConditionSet& set) {
    if (k < FirstRangeCondition) return StatisticNames[static_cast<std::size_t>(k - 1)];
    return "Numeri da " + std::to_string(set.rangeStart(k)) + " a " + std::to_string(set.rangeEnd(k));
}

std::string ConditionStatisticTitle(int k, const ConditionSet& set) {
    if (k < FirstRangeCondition) return StatisticNames[static_cast<std::size_t>(k - 1)];
    return "Quantità di numeri da " + std::to_string(set.rangeStart(k)) + " a " + std::to_string(set.rangeEnd(k));
}

bool StatisticWheelUsed(std::uint16_t mask, int wheel) {
    if (wheel == WheelNazionale) return (mask & (1u << 10)) != 0;
    return (mask & (1u << (wheel - 1))) != 0 || (mask & (1u << 11)) != 0;
}

bool WheelDrawn(const DrawRecord& draw, int wheel) {
    for (int k = 0; k < 5; ++k) {
        const int x = draw.number(wheel, k);
        if (x < 1 || x > MaxNumber) return false;
    }
    return true;
}

int DevelopmentCount(int size) {
    return size == 5 ? 1 : (size == 4 ? 5 : 10);
}

ConditionChart ConditionStatistic(const DrawArchive& archive, int statistic, int size, std::uint16_t wheels,
                                  const ConditionSet& set) {
    ConditionChart chart;
    chart.title = ConditionStatisticTitle(statistic, set);
    const int c = DevelopmentCount(size);
    const int mult = NumberMultiplicity(size);
    const int n = archive.count();
    std::array<bool, 12> used{};
    int w = 0;
    for (int wheel = 1; wheel <= WheelCount; ++wheel) {
        used[static_cast<std::size_t>(wheel)] = StatisticWheelUsed(wheels, wheel);
        w += used[static_cast<std::size_t>(wheel)] ? 1 : 0;
    }
    if (w == 0) return chart;

    if (statistic == 7 || statistic == 8) {
        std::map<int, int> counts;
        // The sum of one draw's quantities over the drawn wheels used, and how many they are.
        auto add = [&](const DrawRecord& d, auto quantity, int limit, bool perWheelFirst) {
            long long sum = 0;
            int drawn = 0;
            for (int wheel = 1; wheel <= WheelCount; ++wheel) {
                if (!used[static_cast<std::size_t>(wheel)] || !WheelDrawn(d, wheel)) continue;
                ++drawn;
                for (int k = 0; k < 5; ++k) sum += quantity(d.number(wheel, k));
            }
            if (drawn == 0) return;
            sum *= mult;
            const int v =
                perWheelFirst ? Rounded(double(sum) / drawn / size / c) : Rounded(double(sum) / size / c / drawn);
            if (v >= 0 && v <= limit) ++counts[v];
        };
        if (statistic == 7) {
            std::array<int, 91> last{};
            for (int m = 1; m <= n; ++m) {
                const DrawRecord& d = archive.draw(m);
                if (m >= 200)
                    add(
                        d, [&](int x) { return m - 1 - last[static_cast<std::size_t>(x)]; }, 3000, true);
                for (int wheel = 1; wheel <= RegionalWheels; ++wheel)
                    for (int k = 0; k < 5; ++k) {
                        const int x = d.number(wheel, k);
                        if (x >= 1 && x <= MaxNumber) last[static_cast<std::size_t>(x)] = m;
                    }
            }
        } else {
            std::array<int, 91> seen{};
            auto count = [&](int j, int delta) {
                const DrawRecord& d = archive.draw(j);
                for (int wheel = 1; wheel <= RegionalWheels; ++wheel)
                    for (int k = 0; k < 5; ++k) {
                        const int x = d.number(wheel, k);
                        if (x >= 1 && x <= MaxNumber) seen[static_cast<std::size_t>(x)] += delta;
                    }
            };
            const int first = std::max(1, n - 99);
            for (int j = std::max(1, first - 100); j < first; ++j) count(j, 1);
            for (int m = first; m <= n; ++m) {
                if (m > first) {
                    count(m - 1, 1);
                    if (m - 101 >= 1) count(m - 101, -1);
                }
                add(
                    archive.draw(m), [&](int x) { return seen[static_cast<std::size_t>(x)]; }, 1000, false);
            }
        }
        for (const auto& [x, y] : counts) chart.bars.emplace_back(x, y);
        return chart;
    }

    std::array<int, 91> counts{};
    for (int wheel = 1; wheel <= WheelCount; ++wheel) {
        if (!used[static_cast<std::size_t>(wheel)]) continue;
        for (int m = 1; m <= n; ++m) {
            const DrawRecord& d = archive.draw(m);
            if (!WheelDrawn(d, wheel)) continue;
            const int v = WheelValue(statistic, WheelNumbers(d, wheel), size, set);
            if (v >= 0) ++counts[static_cast<std::size_t>(v)];
        }
    }
    if (statistic == 3) {
        for (int x = 1; x <= 90; ++x) {
            const int y = Rounded(double(counts[static_cast<std::size_t>(x)]) / w);
            if (y != 0) chart.bars.emplace_back(x, y);
        }
    } else {
        for (int x = 0; x <= 5; ++x)
            chart.bars.emplace_back(x, Rounded(double(counts[static_cast<std::size_t>(x)]) / w));
    }
    return chart;
}

} // namespace numora
