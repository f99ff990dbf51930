#pragma once
// The check of the plays as written, plainly: per play, per played wheel, the hits counted by
// comparing every number with every drawn number, each win as stake * C(h,k) / C(n,k) *
// multiplier / divisor in extended precision, capped per term and per play.

#include "checking/CheckPlays.h"
#include "checking/Payout.h"

#include <array>

namespace numora::oracle {

struct LiteralCheckResult {
    std::array<long long, 5> counts{};
    std::array<long double, 5> amounts{};
    long double total = 0;
    long long winningLines = 0;
    long long winningPlays = 0;
};

inline LiteralCheckResult LiteralCheck(const Play* plays, int count, const CheckDraw& draw, long double cap) {
    static constexpr long double Multiplier[5] = {11.232L, 250, 4500, 120000, 6000000};
    LiteralCheckResult r;
    for (int p = 0; p < count; ++p) {
        const Play& play = plays[p];
        int n = 0;
        for (int i = 0; i < 10; ++i)
            if (play.numbers[i] != 0) ++n;
        const int d = (play.wheels & (1 << 11)) ? 10 : 1;
        long double playTotal = 0;
        long long lines = 0;
        for (int w = 1; w <= 11; ++w) {
            bool played;
            if (w <= 10)
                played = (play.wheels & (1 << 11)) || (play.wheels & (1 << (w - 1)));
            else
                played = (play.wheels & (1 << 10)) != 0;
            if (!played) continue;
            int h = 0;
            for (int i = 0; i < 10; ++i)
                for (int j = 0; j < 5; ++j)
                    if (play.numbers[i] != 0 && play.numbers[i] == draw[w - 1][j]) ++h;
            for (int k = 1; k <= 5; ++k) {
                const double s = play.stakes[k - 1];
                if (h < k || !(s > 0)) continue;
                const long double c = CombinationCount(h, k);
                long double win = s * c / CombinationCount(n, k) * Multiplier[k - 1] / (w == 11 ? 1 : d);
                if (win > cap) win = cap;
                r.counts[k - 1] += static_cast<long long>(c + 0.5L);
                r.amounts[k - 1] += win;
                playTotal += win;
                ++lines;
            }
        }
        if (lines > 0) {
            r.winningLines += lines;
            ++r.winningPlays;
        }
        r.total += playTotal > cap ? cap : playTotal;
    }
    return r;
}

} // namespace numora::oracle
