// The pair engines against the literal oracles, on seeded random archives and on the real one.
#include "stats/PairStats.h"

#include "LiteralPairStats.h"
#include "RandomDraws.h"
#include "core/OperatorImport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace numora;
using numora::test::RandomArchive;

namespace {

constexpr WheelSet Tutte = 0x3FF;
constexpr WheelSet All = 0x7FF;

// Stops (the user's Yes) before step `after` + 1; counts the calls.
struct StopAfter {
    long long after = -1; // -1: never stops
    std::shared_ptr<long long> calls = std::make_shared<long long>(0);
    ProgressCallback callback() const {
        return [a = after, c = calls](const ProgressStatus&) { return a < 0 || (*c)++ < a; };
    }
};

// The literal value of every (pair, wheel), computed once for the scans of many K.
std::vector<std::array<int, 12>> LiteralTable(const DrawArchive& a, bool delays, int start, int end) {
    std::vector<std::array<int, 12>> t(PairCount);
    for (int p = 0; p < PairCount; ++p)
        for (int w = 1; w <= 11; ++w) {
            const PairNumbers pn = PairAt(p);
            const auto mask = static_cast<WheelSet>(1u << (w - 1));
            t[static_cast<std::size_t>(p)][static_cast<std::size_t>(w)] =
                delays ? oracle::LiteralPairDelay(a, mask, pn.j, pn.k)
                       : oracle::LiteralPairFrequency(a, mask, start, end, pn.j, pn.k);
        }
    return t;
}

TopPairsResult LiteralScan(const std::vector<std::array<int, 12>>& t, int lastWheel, int k, bool delays,
                           const ProgressCallback& cb) {
    return oracle::LiteralTopScan(lastWheel, k, delays, cb, [&](int j, int kk, int w) {
        return t[static_cast<std::size_t>(PairIndex(j, kk))][static_cast<std::size_t>(w)];
    });
}

} // namespace

TEST(PairStats, FullListsMatchTheLiteralOnesOnRandomArchives) {
    struct Case {
        unsigned seed;
        int draws, pool;
        WheelSet wheels;
        int start, end;
    };
    const Case cases[] = {
        {1, 0, 90, Tutte, 0, -1},      // empty archive: every delay is N - 1 = -1
        {2, 1, 12, Tutte, 1, 1},       // one draw: seen and never-seen pairs share N - 1 = 0
        {3, 30, 14, 0x001, 1, 30},     // Bari alone
        {4, 80, 90, All, 20, 80},      // fewer than 100 draws, the national wheel too
        {5, 250, 20, 0x400, 100, 101}, // the national wheel alone
        {6, 400, 90, 0x155, 1, 400},
        {7, 60, 6, Tutte, 10, 60}, // a tiny pool: only 15 pairs ever seen, all values tied
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seed);
        const DrawArchive a = RandomArchive(c.seed, c.draws, c.pool);
        EXPECT_EQ(PairDelays(a, c.wheels), oracle::LiteralPairDelays(a, c.wheels));
        if (c.start <= c.end) {
            EXPECT_EQ(PairFrequencies(a, c.wheels, {c.start, c.end}),
                      oracle::LiteralPairFrequencies(a, c.wheels, {c.start, c.end}));
        }
    }
}

TEST(PairStats, APairSeenOnlyInTheFirstDrawHasTheDelayOfOneNeverSeen) {
    DrawArchive a = RandomArchive(9, 3, 10); // numbers 1..10 only
    a.draw(1).setNumber(1, 0, 80);
    a.draw(1).setNumber(1, 1, 81);
    const auto delays = PairDelays(a, Tutte);
    for (const PairValue& e : delays)
        if ((e.j == 80 && e.k == 81) || (e.j == 85 && e.k == 86)) {
            EXPECT_EQ(e.value, 2);
        }
    EXPECT_EQ(delays.front().value, 2);
}

TEST(PairStats, FullListsMatchTheLiteralOnesOnTheRealArchive) {
    const DrawArchive* a = test::RealArchive();
    if (!a) GTEST_SKIP() << "storico.txt not found";
    const int n = a->count();
    for (WheelSet wheels : {Tutte, All, WheelSet{0x020}, WheelSet{0x400}}) {
        EXPECT_EQ(PairDelays(*a, wheels), oracle::LiteralPairDelays(*a, wheels));
        EXPECT_EQ(PairFrequencies(*a, wheels, {n - 399, n}), oracle::LiteralPairFrequencies(*a, wheels, {n - 399, n}));
    }
}

TEST(PairStats, TopScansMatchTheLiteralOnesOnRandomArchives) {
    struct Case {
        unsigned seed;
        int draws, pool, lastWheel, k;
        long long stopAfter;
    };
    const Case cases[] = {
        {11, 0, 90, 10, 250, -1},    {12, 40, 90, 10, 1, -1},      {13, 40, 90, 11, 5000, -1},
        {14, 120, 15, 10, 5000, -1}, {15, 120, 90, 11, 4005, -1},  {16, 200, 30, 10, 250, 0},
        {17, 200, 30, 10, 250, 37},  {18, 200, 90, 11, 300, 3001}, {19, 60, 8, 10, 5000, 40049},
        {20, 300, 90, 10, 1000, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seed);
        const DrawArchive a = RandomArchive(c.seed, c.draws, c.pool);
        const int start = c.draws > 10 ? c.draws / 3 : 1;
        for (bool delays : {true, false}) {
            if (!delays && c.draws == 0) continue;
            const StopAfter engineStop{c.stopAfter}, literalStop{c.stopAfter};
            const TopPairsResult got =
                delays ? MostDelayedPairs(a, c.lastWheel, c.k, engineStop.callback())
                       : LeastFrequentPairs(a, c.lastWheel, {start, c.draws}, c.k, engineStop.callback());
            const TopPairsResult want =
                delays
                    ? oracle::LiteralMostDelayedPairs(a, c.lastWheel, c.k, literalStop.callback())
                    : oracle::LiteralLeastFrequentPairs(a, c.lastWheel, {start, c.draws}, c.k, literalStop.callback());
            EXPECT_EQ(got.entries, want.entries);
            EXPECT_EQ(got.interrupted, want.interrupted);
            EXPECT_EQ(got.interrupted, c.stopAfter >= 0);
            if (c.stopAfter >= 0) {
                EXPECT_EQ(got.entries.size(),
                          std::min<std::size_t>(static_cast<std::size_t>(c.stopAfter), static_cast<std::size_t>(c.k)));
            }
            EXPECT_EQ(*engineStop.calls, *literalStop.calls);
        }
    }
}

TEST(PairStats, TopScansMatchTheLiteralOnesOnTheRealArchive) {
    const DrawArchive* a = test::RealArchive();
    if (!a) GTEST_SKIP() << "storico.txt not found";
    const int n = a->count();
    const auto delays = LiteralTable(*a, true, 1, n);
    const auto counts = LiteralTable(*a, false, 1, n);
    // 1000 is where the boundary tie of the replacement rule shows; 5000 the largest count.
    for (int k : {1, 250, 1000, 4005, 5000})
        for (int lastWheel : {10, 11}) {
            SCOPED_TRACE(k * 100 + lastWheel);
            EXPECT_EQ(MostDelayedPairs(*a, lastWheel, k, {}).entries,
                      LiteralScan(delays, lastWheel, k, true, {}).entries);
            EXPECT_EQ(LeastFrequentPairs(*a, lastWheel, {1, n}, k, {}).entries,
                      LiteralScan(counts, lastWheel, k, false, {}).entries);
        }
    const StopAfter engineStop{12345}, literalStop{12345};
    EXPECT_EQ(LeastFrequentPairs(*a, 10, {1, n}, 5000, engineStop.callback()).entries,
              LiteralScan(counts, 10, 5000, false, literalStop.callback()).entries);
}

TEST(PairStats, TheGaugeAdvancesOncePerPairAndEveryStepIsChecked) {
    const DrawArchive a = RandomArchive(21, 50, 90);
    std::vector<ProgressStatus> seen;
    const TopPairsResult r = MostDelayedPairs(a, 11, 3, [&](const ProgressStatus& s) {
        seen.push_back(s);
        return true;
    });
    ASSERT_EQ(seen.size(), 4005u * 11);
    EXPECT_EQ(seen[10].done, 1u);
    EXPECT_EQ(seen[11].done, 2u);
    EXPECT_EQ(seen.back().done, 4005u);
    EXPECT_EQ(seen.back().total, 4005u);
    EXPECT_EQ(seen[2].found, 2u);
    EXPECT_EQ(seen.back().found, 3u);
    EXPECT_FALSE(r.interrupted);
}

TEST(PairStats, TheCountFieldTakesWholeNumbersFromOneTo5000) {
    const std::pair<const char*, int> cases[] = {
        {"1", 1}, {"250", 250}, {"5000", 5000}, {"05000", 5000}, {" 12 ", 12}, {"0", 0},         {"5001", 0},
        {"", 0},  {"abc", 0},   {"-5", 0},      {"2.5", 0},      {"12a", 0},   {"4294967546", 0}};
    for (const auto& [text, want] : cases) EXPECT_EQ(ParseTopPairsCount(text).value_or(0), want) << text;
}
