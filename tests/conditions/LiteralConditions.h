#pragma once
// The conditioned reduction and the condition statistics as they are documented, written plainly:
// the oracle of the shipped engines. Roundings use the floating-point environment's own
// round-to-nearest-even.

#include "core/ConditionSet.h"
#include "core/DrawArchive.h"
#include "core/PlayList.h"

#include <cmath>
#include <map>
#include <utility>
#include <vector>

namespace numora::oracle {

inline int LiteralRound(double x) {
    return static_cast<int>(std::nearbyint(x));
}

// The condition test of one play; `committed` plays 1..committed.count() are compared with FindPlay.
inline bool LiteralPlayPasses(const Play& play, const ConditionSet& s, const DelayTable& delays,
                              const FrequencyTable& frequencies, const std::vector<std::uint8_t>& fixed,
                              const PlayList* committed) {
    std::vector<int> a;
    for (int slot = 0; slot < 10; ++slot)
        if (play.numbers[static_cast<std::size_t>(slot)] != 0)
            a.push_back(play.numbers[static_cast<std::size_t>(slot)]);
    const int n = static_cast<int>(a.size());
    if (!fixed.empty()) {
        int held = 0;
        for (std::uint8_t f : fixed)
            for (int x : a)
                if (x == f) ++held;
        if (held < static_cast<int>(fixed.size())) return false;
    }
    if (committed && committed->count() > 0 && FindPlay(*committed, play) != 0) return false;
    int value[12] = {};
    double sum = 0, delay = 0, frequency = 0;
    for (int i = 0; i < n; ++i) {
        if (a[static_cast<std::size_t>(i)] % 2 == 0)
            ++value[1];
        else
            ++value[2];
        sum += a[static_cast<std::size_t>(i)];
        delay += delays.at(12, a[static_cast<std::size_t>(i)]);
        frequency += frequencies.at(12, a[static_cast<std::size_t>(i)]);
        for (int j = i + 1; j < n; ++j) {
            const int x = a[static_cast<std::size_t>(i)], y = a[static_cast<std::size_t>(j)];
            if (x % 10 == y % 10) ++value[4];
            if (x % 9 == y % 9) ++value[5];
            if (x / 10 == y / 10) ++value[6];
        }
        for (int k = 9; k <= 11; ++k)
            if (s.rangeStart(k) <= a[static_cast<std::size_t>(i)] && a[static_cast<std::size_t>(i)] <= s.rangeEnd(k))
                ++value[k];
    }
    value[3] = n == 0 ? 0 : LiteralRound(sum / n);
    value[7] = n == 0 ? 0 : LiteralRound(delay / n);
    value[8] = n == 0 ? 0 : LiteralRound(frequency / n);
    int r = 0;
    for (int k = 1; k <= 11; ++k)
        if (s.enabled(k) && s.minimum(k) <= value[k] && value[k] <= s.maximum(k)) ++r;
    return s.minConditions() <= r && r <= s.maxConditions();
}

struct LiteralRun {
    bool limitReached = false;
    int kept = 0;
};

// The forecast mode: the index vector of the enumeration, each passing candidate appended after
// the committed plays, the list limit ending the run with the plays appended so far.
inline LiteralRun LiteralConditionForecast(PlayList& list, std::vector<std::uint8_t> forecast, int size,
                                           const std::vector<std::uint8_t>& fixed, std::uint16_t wheels,
                                           const std::array<double, 5>& stakes, const ConditionSet& s,
                                           const DelayTable& delays, const FrequencyTable& frequencies) {
    LiteralRun run;
    std::sort(forecast.begin(), forecast.end());
    const int m = static_cast<int>(forecast.size());
    const int committed = list.count();
    if (size < 1 || size > m) return run;
    Play candidate;
    candidate.stakes = stakes;
    candidate.wheels = wheels;
    std::vector<int> idx(static_cast<std::size_t>(size) + 1);
    for (int k = 1; k <= size; ++k) idx[static_cast<std::size_t>(k)] = k;
    while (true) {
        candidate.numbers.fill(0);
        for (int k = 1; k <= size; ++k)
            candidate.numbers[static_cast<std::size_t>(k - 1)] =
                forecast[static_cast<std::size_t>(idx[static_cast<std::size_t>(k)] - 1)];
        if (LiteralPlayPasses(candidate, s, delays, frequencies, fixed, &list)) {
            if (committed + run.kept >= PlayList::Capacity) {
                run.limitReached = true;
                break;
            }
            list.play(committed + run.kept + 1) = candidate;
            ++run.kept;
        }
        ++idx[static_cast<std::size_t>(size)];
        if (idx[static_cast<std::size_t>(size)] > m) {
            int i = size - 1;
            while (i >= 1 && idx[static_cast<std::size_t>(i)] + 1 > m - (size - i)) --i;
            if (i < 1) break;
            ++idx[static_cast<std::size_t>(i)];
            for (int k = i + 1; k <= size; ++k)
                idx[static_cast<std::size_t>(k)] = idx[static_cast<std::size_t>(k - 1)] + 1;
        }
    }
    list.setCount(committed + run.kept);
    return run;
}

// The current-plays mode: the snapshot, then the passing plays in order.
inline int LiteralConditionCurrentPlays(PlayList& list, PlayList& undo, const ConditionSet& s, const DelayTable& delays,
                                        const FrequencyTable& frequencies, const std::vector<std::uint8_t>& fixed) {
    undo.copyFrom(list);
    list.setCount(0);
    int kept = 0;
    for (int p = 1; p <= undo.count(); ++p)
        if (LiteralPlayPasses(undo.play(p), s, delays, frequencies, fixed, nullptr)) list.play(++kept) = undo.play(p);
    list.setCount(kept);
    return kept;
}

// The development tables of the five positions of a draw.
inline std::vector<std::vector<int>> LiteralDevelopment(int size) {
    switch (size) {
    case 5:
        return {{1, 2, 3, 4, 5}};
    case 4:
        return {{1, 2, 3, 4}, {1, 2, 3, 5}, {1, 2, 4, 5}, {1, 3, 4, 5}, {2, 3, 4, 5}};
    case 3:
        return {{1, 2, 3}, {1, 2, 4}, {1, 2, 5}, {1, 3, 4}, {1, 3, 5},
                {1, 4, 5}, {2, 3, 4}, {2, 3, 5}, {2, 4, 5}, {3, 4, 5}};
    default:
        return {{1, 2}, {1, 3}, {1, 4}, {1, 5}, {2, 3}, {2, 4}, {2, 5}, {3, 4}, {3, 5}, {4, 5}};
    }
}

inline bool LiteralDrawn(const DrawRecord& d, int wheel) {
    for (int k = 0; k < 5; ++k)
        if (d.number(wheel, k) < 1 || d.number(wheel, k) > 90) return false;
    return true;
}

inline bool LiteralWheelUsed(std::uint16_t mask, int wheel) {
    return wheel == 11 ? (mask & 0x400) != 0 : ((mask & (1u << (wheel - 1))) != 0 || (mask & 0x800) != 0);
}

// The bars of statistic k: the frame of 1-6 and the ranges (one value per wheel and draw, counts
// divided by W) and the per-draw statistics 7 and 8 with their backward searches.
inline std::vector<std::pair<int, int>> LiteralConditionStatistic(const DrawArchive& archive, int k, int size,
                                                                  std::uint16_t mask, const ConditionSet& set) {
    const auto combos = LiteralDevelopment(size);
    const int c = static_cast<int>(combos.size());
    const int n = archive.count();
    int w = 0;
    for (int wheel = 1; wheel <= 11; ++wheel) w += LiteralWheelUsed(mask, wheel) ? 1 : 0;
    std::vector<std::pair<int, int>> bars;
    if (w == 0) return bars;
    auto num = [&](int m, int wheel, int pos) { return int(archive.draw(m).number(wheel, pos - 1)); };
    auto regional = [&](int m, int x) {
        for (int wheel = 1; wheel <= 10; ++wheel)
            for (int pos = 1; pos <= 5; ++pos)
                if (num(m, wheel, pos) == x) return true;
        return false;
    };
    if (k == 7 || k == 8) {
        std::map<int, int> count;
        const int first = k == 7 ? 200 : std::max(1, n - 99);
        for (int m = first; m <= n; ++m) {
            double sum = 0;
            int drawn = 0;
            for (int wheel = 1; wheel <= 11; ++wheel) {
                if (!LiteralWheelUsed(mask, wheel) || !LiteralDrawn(archive.draw(m), wheel)) continue;
                ++drawn;
                for (const auto& combo : combos)
                    for (int pos : combo) {
                        const int x = num(m, wheel, pos);
                        if (k == 7) {
                            int last = 0;
                            for (int j = m - 1; j >= 1 && last == 0; --j)
                                if (regional(j, x)) last = j;
                            sum += m - 1 - last;
                        } else {
                            for (int j = std::max(1, m - 100); j <= m - 1; ++j)
                                for (int wh = 1; wh <= 10; ++wh)
                                    for (int p = 1; p <= 5; ++p)
                                        if (num(j, wh, p) == x) sum += 1;
                        }
                    }
            }
            if (drawn == 0) continue;
            const int v = k == 7 ? LiteralRound(sum / drawn / size / c) : LiteralRound(sum / size / c / drawn);
            if (v >= 0 && v <= (k == 7 ? 3000 : 1000)) ++count[v];
        }
        for (const auto& [x, y] : count)
            if (y != 0) bars.emplace_back(x, y);
        return bars;
    }
    std::map<int, int> count;
    for (int wheel = 1; wheel <= 11; ++wheel) {
        if (!LiteralWheelUsed(mask, wheel)) continue;
        for (int m = 1; m <= n; ++m) {
            if (!LiteralDrawn(archive.draw(m), wheel)) continue;
            double total = 0;
            for (const auto& combo : combos) {
                for (std::size_t i = 0; i < combo.size(); ++i) {
                    const int x = num(m, wheel, combo[i]);
                    switch (k) {
                    case 1:
                        total += x % 2 == 0 ? 1 : 0;
                        break;
                    case 2:
                        total += x % 2 == 1 ? 1 : 0;
                        break;
                    case 3:
                        total += x;
                        break;
                    case 4:
                    case 5:
                    case 6:
                        for (std::size_t j = i + 1; j < combo.size(); ++j) {
                            const int y = num(m, wheel, combo[j]);
                            if (k == 4 && x % 10 == y % 10) total += 1;
                            if (k == 5 && x % 9 == y % 9) total += 1;
                            if (k == 6 && (x - 1) / 10 == (y - 1) / 10) total += 1;
                        }
                        break;
                    default:
                        total += set.rangeStart(k) <= x && x <= set.rangeEnd(k) ? 1 : 0;
                    }
                }
            }
            int v = k == 3 ? LiteralRound(total / size / c) : LiteralRound(total / c);
            if (k == 1 || k == 2 || k >= 9)
                v = std::min(5, std::max(0, v));
            else if (k == 3 && (v < 1 || v > 90))
                continue;
            else if (k >= 4 && k <= 6 && (v < 0 || v > 5))
                continue;
            ++count[v];
        }
    }
    if (k == 3) {
        for (int x = 1; x <= 90; ++x)
            if (const int y = LiteralRound(double(count[x]) / w); y != 0) bars.emplace_back(x, y);
    } else {
        for (int x = 0; x <= 5; ++x) bars.emplace_back(x, LiteralRound(double(count[x]) / w));
    }
    return bars;
}

} // namespace numora::oracle
