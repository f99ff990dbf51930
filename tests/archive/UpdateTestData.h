#pragma once

#include "core/DrawArchive.h"

#include <algorithm>
#include <random>
#include <vector>

namespace numora::test {

// `count` draws on successive real dates, two or three days apart from 2 January 2020, each
// wheel holding five distinct numbers; the same seed gives the same draws.
inline std::vector<DrawRecord> SyntheticDraws(int count, unsigned seed = 1) {
    std::mt19937 rng(seed);
    std::vector<DrawRecord> out;
    int day = 2, month = 1, year = 2020;
    for (int i = 0; i < count; ++i) {
        DrawRecord d;
        d.day = static_cast<std::uint8_t>(day);
        d.month = static_cast<std::uint8_t>(month);
        d.year = static_cast<std::uint16_t>(year);
        for (int w = 1; w <= 11; ++w) {
            std::vector<int> pool(90);
            for (int n = 0; n < 90; ++n) pool[static_cast<std::size_t>(n)] = n + 1;
            std::shuffle(pool.begin(), pool.end(), rng);
            for (int k = 0; k < 5; ++k) d.setNumber(w, k, static_cast<std::uint8_t>(pool[static_cast<std::size_t>(k)]));
        }
        out.push_back(d);
        for (int step = (i % 3 == 2) ? 3 : 2; step > 0; --step) {
            ++day;
            if (!IsValidCalendarDate(day, month, year)) {
                day = 1;
                if (++month > 12) {
                    month = 1;
                    ++year;
                }
            }
        }
    }
    return out;
}

inline void FillArchive(DrawArchive& archive, const std::vector<DrawRecord>& draws) {
    archive.clear();
    for (const DrawRecord& d : draws) InsertDraw(archive, d);
}

// The same draw as the server would send a corrected version of it.
inline DrawRecord Corrected(DrawRecord d) {
    d.reserved = 7;
    const std::uint8_t first = d.number(1, 0);
    d.setNumber(1, 0, d.number(1, 1));
    d.setNumber(1, 1, first);
    return d;
}

} // namespace numora::test
