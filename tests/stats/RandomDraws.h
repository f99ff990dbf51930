#pragma once
// Seeded archives for the statistics tests.

#include "core/DrawArchive.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace numora::test {

// Draws whose numbers come from 1..pool (a small pool gives many ties and pairs never seen);
// a wheel is left undrawn with probability 1/8.
inline DrawArchive RandomArchive(unsigned seed, int draws, int pool) {
    DrawArchive a;
    std::mt19937 rng(seed);
    std::vector<int> numbers(static_cast<std::size_t>(pool));
    for (int d = 1; d <= draws; ++d) {
        DrawRecord& r = a.draw(d);
        r = DrawRecord{};
        r.day = static_cast<std::uint8_t>(1 + d % 28);
        r.month = static_cast<std::uint8_t>(1 + (d / 28) % 12);
        r.year = static_cast<std::uint16_t>(1950 + d / 336);
        for (int w = 1; w <= 11; ++w) {
            if (rng() % 8 == 0) continue;
            std::iota(numbers.begin(), numbers.end(), 1);
            std::shuffle(numbers.begin(), numbers.end(), rng);
            for (int p = 0; p < 5; ++p)
                r.setNumber(w, p, static_cast<std::uint8_t>(numbers[static_cast<std::size_t>(p)]));
        }
    }
    a.setCount(draws);
    return a;
}

} // namespace numora::test
