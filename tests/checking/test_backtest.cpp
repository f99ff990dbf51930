#include "checking/Backtest.h"
#include "checking/CheckPlays.h"
#include "core/OperatorImport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <bit>
#include <memory>
#include <random>

using namespace numora;

namespace {

constexpr std::uint16_t Tutte = 1u << 11, Nazionale = 1u << 10;

enum class Wheels { All, Single, National, Any };

// Seeded systems of plays of lo..hi numbers; `damaged` mixes in what only a damaged file holds
// (a repeated number, a number above 90, no stake, no wheel).
std::vector<Play> RandomSystem(unsigned seed, int count, int lo, int hi, Wheels wheels, double stakeScale,
                               bool damaged) {
    std::mt19937 rng(seed);
    const double stakes[] = {0, 0.5, 0.7, 1, 1.3, 2.5, 10};
    std::vector<Play> plays;
    std::vector<int> pool(90);
    for (int i = 0; i < count; ++i) {
        for (int k = 0; k < 90; ++k) pool[static_cast<std::size_t>(k)] = k + 1;
        std::shuffle(pool.begin(), pool.end(), rng);
        const int n = lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1));
        Play p;
        p.setNumbersFrom(std::vector<int>(pool.begin(), pool.begin() + n));
        for (int k = 1; k <= 5; ++k) p.setStake(k, k <= n ? stakes[rng() % 7] * stakeScale : 0);
        switch (wheels) {
        case Wheels::All:
            p.wheels = Tutte;
            break;
        case Wheels::Single:
            p.wheels = static_cast<std::uint16_t>(1u << (rng() % 10));
            break;
        case Wheels::National:
            p.wheels = Nazionale;
            break;
        case Wheels::Any:
            p.wheels = static_cast<std::uint16_t>(rng() % 0x1000);
            break;
        }
        if (damaged && i % 7 == 0) p.numbers[9] = p.numbers[0];
        if (damaged && i % 11 == 0) p.numbers[8] = 200;
        plays.push_back(p);
    }
    return plays;
}

// The engine against the check of each draw alone, over the whole real archive.
TEST(Backtest, EveryRowIsTheCheckOfItsDraw) {
    const DrawArchive* archive = test::RealArchive();
    if (!archive) GTEST_SKIP() << "the real archive is absent";
    const int last = archive->count();
    struct Case {
        const char* name;
        unsigned seed;
        int plays, lo, hi;
        Wheels wheels;
        double stakeScale;
        double cap;
        int first;
        bool damaged;
    } cases[] = {
        {"Tutte, 1..10 numbers", 1, 150, 1, 10, Wheels::All, 1, 6e6, 1, false},
        {"single wheels", 2, 150, 1, 10, Wheels::Single, 1, 6e6, 1, false},
        {"national wheel", 3, 100, 2, 6, Wheels::National, 1, 6e6, 1, false},
        {"any mask, damaged plays", 4, 300, 1, 10, Wheels::Any, 1, 6e6, last - 800, true},
        {"wins at VincitaMassima", 5, 120, 2, 5, Wheels::Any, 1000, 2000, 1, false},
        {"five numbers, one draw", 6, 500, 5, 5, Wheels::All, 1, 6e6, last, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Play> plays = RandomSystem(c.seed, c.plays, c.lo, c.hi, c.wheels, c.stakeScale, c.damaged);
        const int count = static_cast<int>(plays.size());
        const Amount cap = Amount::fromDouble(c.cap);
        const BacktestResult r = RunBacktest(plays.data(), count, *archive, c.first, last, cap);
        ASSERT_TRUE(r.completed);
        ASSERT_EQ(r.rows.size(), static_cast<std::size_t>(last - c.first + 1));
        int capped = 0;
        for (int n = c.first; n <= last; ++n) {
            const BacktestRow& row = r.rows[static_cast<std::size_t>(n - c.first)];
            const CheckDraw draw = CheckDrawOf(archive->draw(n));
            const CheckResult want = CheckTotals(plays.data(), count, draw, cap);
            ASSERT_EQ(row.draw, n);
            ASSERT_EQ(row.counts, want.counts) << "draw " << n;
            ASSERT_EQ(row.win, want.total) << "draw " << n;
            capped += want.total != CheckTotals(plays.data(), count, draw, Amount::euros(1'000'000'000)).total;
        }
        if (c.cap < 1e4) {
            EXPECT_GT(capped, 0) << "the cap never bound";
        }
        EXPECT_EQ(r.costPerDraw, SystemCostPerDraw(plays.data(), count));
    }
}

// ExpectedWin against the hypergeometric mean of C(h,k)/C(n,k) summed term by term, in units.
TEST(Backtest, ExpectedWinIsExact) {
    auto binomial = [](long long a, long long k) {
        long long r = 1;
        for (long long i = 1; i <= k; ++i) r = r * (a - k + i) / i;
        return k < 0 || k > a ? 0 : r;
    };
    struct Case {
        std::vector<Play> plays;
        int draws;
    } cases[] = {
        {{test::MakePlay({1}, {1, 0, 0, 0, 0}, Tutte)}, 1},
        {{test::MakePlay({1, 2, 3, 4, 5, 6, 7}, {0.7, 1.3, 0, 2.5, 0.5}, 3 | Nazionale)}, 13},
        {{test::MakePlay({8, 9, 10, 11, 12, 13, 14, 15, 16, 17}, {0, 0, 0, 0, 3.3}, Tutte | Nazionale),
          test::MakePlay({20, 21}, {1, 1, 1, 0, 0}, 1u << 4)},
         7},
        {{test::MakePlay({1, 2, 3}, {1, 1, 1, 1, 1}, 0)}, 5},
    };
    for (const Case& c : cases) {
        // In nano-euros times thousandths of the multiplier (25200 units each) over C(90,5) * 2520 * 10,
        // every C(n,k) dividing 2520 and the divisor 10.
        AmountUnits num = 0;
        for (const Play& p : c.plays) {
            const int n = p.numberCount();
            const bool all = (p.wheels & Tutte) != 0;
            const int regional = all ? 10 : std::popcount(static_cast<unsigned>(p.wheels & 0x3FF));
            for (int k = 1; k <= 5 && k <= n; ++k) {
                const AmountUnits nano = Amount::fromDouble(p.stake(k)).units / (Amount::PerEuro / 1'000'000'000);
                AmountUnits ways = 0; // sum over h of C(n,h) C(90-n,5-h) C(h,k)
                for (int h = k; h <= 5 && h <= n; ++h)
                    ways += binomial(n, h) * binomial(90 - n, 5 - h) * binomial(h, k);
                const AmountUnits tenthsOfWheels = regional * (all ? 1 : 10) + ((p.wheels & Nazionale) ? 10 : 0);
                num += nano * MultiplierMilli[static_cast<std::size_t>(k - 1)] * ways * (2520 / binomial(n, k)) *
                       tenthsOfWheels * c.draws;
            }
        }
        // x 25200 / (C(90,5) * 25200)
        EXPECT_EQ(ExpectedWin(c.plays.data(), static_cast<int>(c.plays.size()), c.draws).units, num / binomial(90, 5));
    }
    // 100000 plays of 10^9 euro on the estratto over 10000 draws: 624 million euro per play and
    // draw, where a product in 128 bits would overflow.
    const std::vector<Play> heavy(100000, test::MakePlay({1, 2, 3, 4, 5}, {1e9, 0, 0, 0, 0}, Tutte));
    EXPECT_EQ(ExpectedWin(heavy.data(), 100000, 10000), Amount{Amount::euros(624'000'000).units * 1'000'000'000});
}

TEST(Backtest, SummaryCostAndInterruption) {
    auto result = [](std::vector<long long> wins) {
        BacktestResult r;
        r.costPerDraw = Amount::euros(2);
        for (long long w : wins) r.rows.push_back({0, {}, Amount::euros(w)});
        return r;
    };
    struct Case {
        std::vector<long long> wins;
        int winning, dry;
        const char* balance;
    } cases[] = {
        {{0, 5, 0, 0, 0, 3}, 2, 3, "-4,00"},
        {{1, 1, 1}, 3, 0, "-3,00"},
        {{0, 0}, 0, 2, "-4,00"},
        {{30}, 1, 0, "28,00"},
    };
    for (const Case& c : cases) {
        const BacktestSummary s = SummarizeBacktest(result(c.wins));
        EXPECT_EQ(s.draws, static_cast<int>(c.wins.size()));
        EXPECT_EQ(s.winningDraws, c.winning);
        EXPECT_EQ(s.longestDry, c.dry);
        EXPECT_EQ(s.totalCost, Amount::euros(2 * static_cast<long long>(c.wins.size())));
        EXPECT_EQ(FormatSignedAmount(s.balance, 2), c.balance);
    }
    EXPECT_EQ(FormatSignedAmount(SignedAmount{-Amount::PerEuro / 1000}, 2), "-0,00");
    // Stakes above 0 times the wheel bits, "Tutte" as one, an empty mask as one.
    const Play plays[] = {test::MakePlay({1, 2}, {1, 0.5, 0, 0, 0}, Tutte | Nazionale),
                          test::MakePlay({1, 2}, {0.7, 0, 0, -1, 0}, 0x3FF), test::MakePlay({3}, {2, 0, 0, 0, 0}, 0)};
    EXPECT_EQ(FormatAmount(SystemCostPerDraw(plays, 3), 2), "12,00");

    // Stopped halfway: nothing kept; the gauge counts draws.
    DrawArchive archive;
    archive.setCount(100);
    std::uint64_t lastDone = 0, total = 0;
    Progress stopping{[&](const ProgressStatus& s) {
                          lastDone = s.done;
                          total = s.total;
                          return s.done < 40;
                      },
                      8};
    const BacktestResult stopped = RunBacktest(plays, 3, archive, 1, 100, Amount::euros(6'000'000), stopping);
    EXPECT_FALSE(stopped.completed);
    EXPECT_TRUE(stopped.rows.empty());
    EXPECT_EQ(total, 100u);
    EXPECT_GE(lastDone, 40u);
    Progress counting{[&](const ProgressStatus& s) { return lastDone = s.done, true; }, 8};
    const BacktestResult full = RunBacktest(plays, 3, archive, 1, 100, Amount::euros(6'000'000), counting);
    EXPECT_TRUE(full.completed);
    EXPECT_EQ(full.rows.size(), 100u);
    EXPECT_EQ(lastDone, 100u);
}

} // namespace
