// The guaranteed reduction, Genio and the optimiser against their literal statements on seeded
// random forecasts and lists, the guarantee checked by brute force, and the documented edges.
#include "reduction/GenioReduction.h"
#include "reduction/GuaranteedReduction.h"
#include "reduction/NumberMask.h"

#include "LiteralReduction.h"
#include "core/Combinations.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace numora;

namespace {

constexpr std::uint16_t Tutte = 1u << 11;

std::vector<std::uint8_t> RandomNumbers(std::mt19937& g, int count) {
    std::vector<std::uint8_t> all(90);
    for (int i = 0; i < 90; ++i) all[i] = static_cast<std::uint8_t>(i + 1);
    std::shuffle(all.begin(), all.end(), g);
    all.resize(static_cast<std::size_t>(count));
    return all;
}

std::unique_ptr<PlayList> ListOf(std::initializer_list<Play> plays) {
    auto list = std::make_unique<PlayList>();
    for (const Play& p : plays) list->play(list->count() + 1) = p, list->setCount(list->count() + 1);
    return list;
}

std::vector<Play> Added(const PlayList& list, int from) {
    return std::vector<Play>(list.data() + from, list.data() + list.count());
}

// Every combination holding the fixed numbers shares at least t numbers with a new play or with
// a committed play of the same wheels and stakes.
void ExpectGuarantee(const PlayList& committed, const GuaranteedRequest& r, const std::vector<Play>& plays) {
    const int t = GuaranteeThreshold(r.play.size, r.score);
    std::vector<Play> cover = plays;
    for (int i = 1; i <= committed.count(); ++i)
        if (committed.play(i).wheels == r.play.wheels && committed.play(i).stakes == r.play.stakes)
            cover.push_back(committed.play(i));
    std::vector<std::uint8_t> f = r.play.forecast;
    std::sort(f.begin(), f.end());
    CombinationEnumerator e;
    if (!e.start(f, r.play.size, r.play.fixed)) return;
    Play c;
    do {
        e.writeTo(c);
        bool covered = false;
        for (const Play& p : cover) covered = covered || literal::CommonCount(c, r.play.size, p) >= t;
        ASSERT_TRUE(covered);
    } while (e.next());
}

TEST(GuaranteedReduction, Threshold) {
    struct Row {
        int size, score, clamped, t;
    };
    for (const Row& r : {Row{1, 5, 1, 1}, Row{3, 5, 3, 3}, Row{5, 2, 2, 2}, Row{6, 1, 1, 2}, Row{6, 5, 5, 6},
                         Row{10, 5, 5, 10}, Row{10, 1, 1, 6}, Row{4, 0, 1, 1}}) {
        EXPECT_EQ(ClampedScore(r.size, r.score), r.clamped) << r.size << "/" << r.score;
        EXPECT_EQ(GuaranteeThreshold(r.size, r.score), r.t) << r.size << "/" << r.score;
    }
}

// Seeded forecasts and committed plays (same mask and stakes, other stakes, other mask), fixed
// numbers in and out of the forecast: the same plays in the same order as the literal greedy,
// and every result keeps its guarantee.
TEST(GuaranteedReduction, MatchesLiteralAndKeepsGuarantee) {
    std::mt19937 g(20260514);
    for (int run = 0; run < 160; ++run) {
        GuaranteedRequest r;
        const int m = 3 + static_cast<int>(g() % 12);
        r.play.forecast = RandomNumbers(g, m);
        r.play.size = 1 + static_cast<int>(g() % std::min(m, 7));
        r.score = 1 + static_cast<int>(g() % 5);
        r.play.wheels = g() % 3 == 0 ? std::uint16_t(5) : Tutte;
        r.play.stakes = {1, g() % 2 ? 0.5 : 0.0, 0, 0, 0};
        if (g() % 4 == 0 && r.play.size >= 2) r.play.fixed = {r.play.forecast[0]};
        if (run % 23 == 0) r.play.fixed = {static_cast<std::uint8_t>(91 - r.play.forecast[0] % 90)};
        auto list = std::make_unique<PlayList>();
        const int committed = static_cast<int>(g() % 6);
        for (int i = 0; i < committed; ++i) {
            Play p;
            const int size = 1 + static_cast<int>(g() % 10);
            std::vector<std::uint8_t> nums(r.play.forecast.begin(), r.play.forecast.end());
            for (std::uint8_t x : RandomNumbers(g, 10)) nums.push_back(x);
            std::shuffle(nums.begin(), nums.end(), g);
            nums.erase(std::unique(nums.begin(), nums.end()), nums.end());
            std::sort(nums.begin(), nums.begin() + size);
            std::copy(nums.begin(), nums.begin() + size, p.numbers.begin());
            p.stakes = g() % 3 ? r.play.stakes : std::array<double, 5>{2, 0, 0, 0, 0};
            p.wheels = g() % 4 ? r.play.wheels : std::uint16_t(1);
            list->play(i + 1) = p;
        }
        list->setCount(committed);
        SCOPED_TRACE(testing::Message() << "run " << run << " M " << m << " N " << r.play.size << " score " << r.score);
        const literal::Result want = literal::GuaranteedReduction(*list, r.play, r.score);
        const GuaranteedPlays got = ReduceToGuarantee(std::span<const Play>(list->data(), committed), r);
        ASSERT_EQ(got.outcome, want.outcome);
        ASSERT_EQ(got.plays, want.plays);
        ExpectGuarantee(*list, r, got.plays);
        const RunResult written = ReduceGuaranteed(*list, r);
        EXPECT_EQ(written.added, static_cast<int>(want.plays.size()));
        EXPECT_EQ(Added(*list, committed), want.plays);
    }
}

// Larger cases where the greedy steps of a full buffer decide: the window of 252 and its ties.
TEST(GuaranteedReduction, MatchesLiteralOnFullBuffers) {
    struct Row {
        int m, n, score;
    };
    std::mt19937 g(7);
    auto empty = std::make_unique<PlayList>();
    for (const Row& row : {Row{12, 5, 2}, Row{14, 5, 3}, Row{16, 6, 3}, Row{12, 6, 1}, Row{13, 8, 4}, Row{11, 4, 4}}) {
        GuaranteedRequest r;
        r.play.forecast = RandomNumbers(g, row.m);
        r.play.size = row.n;
        r.score = row.score;
        r.play.wheels = Tutte;
        r.play.stakes = {1, 1, 0, 0, 0};
        SCOPED_TRACE(testing::Message() << row.m << "/" << row.n << "/" << row.score);
        const literal::Result want = literal::GuaranteedReduction(*empty, r.play, r.score);
        const GuaranteedPlays got = ReduceToGuarantee({}, r);
        ASSERT_EQ(got.plays, want.plays);
        ExpectGuarantee(*empty, r, got.plays);
    }
}

TEST(GuaranteedReduction, Edges) {
    GuaranteedRequest r;
    r.play.forecast = {3, 9, 14, 27, 40, 41, 55};
    r.play.wheels = Tutte;
    r.play.stakes = {1, 1, 1, 0, 0};
    // N = M: the single combination.
    r.play.size = 7;
    r.score = 5;
    EXPECT_EQ(ReduceToGuarantee({}, r).plays.size(), 1u);
    // Score N with N <= 5: the integral development, less what is committed with equal stakes.
    r.play.size = 3;
    r.score = 3;
    Play same = test::MakePlay({3, 9, 14}, r.play.stakes);
    Play otherStakes = test::MakePlay({3, 9, 27}, {2, 0, 0, 0, 0});
    auto list = ListOf({same, otherStakes});
    EXPECT_EQ(ReduceToGuarantee(std::span<const Play>(list->data(), 2), r).plays.size(), 35u - 1u);
    // N = 1: one play per forecast number not in an equal committed play.
    r.play.size = 1;
    r.score = 4;
    GuaranteedPlays one = ReduceToGuarantee(std::span<const Play>(list->data(), 2), r);
    ASSERT_EQ(one.plays.size(), 4u);
    EXPECT_EQ(one.plays[0].numbers[0], 27);
    // A fixed number outside the forecast: nothing.
    r.play.size = 3;
    r.play.fixed = {60};
    EXPECT_TRUE(ReduceToGuarantee({}, r).plays.empty());
    // The list limit: the plays that would pass 100000 are refused and nothing is committed.
    r.play.fixed.clear();
    auto full = std::make_unique<PlayList>();
    full->setCount(PlayList::Capacity - 3);
    EXPECT_EQ(ReduceGuaranteed(*full, r).outcome, RunOutcome::ListFull);
    EXPECT_EQ(full->count(), PlayList::Capacity - 3);
    // Stopping during the enumeration commits nothing.
    r.play.forecast = RandomNumbers(*std::make_unique<std::mt19937>(3), 20);
    auto empty = std::make_unique<PlayList>();
    int calls = 0;
    Progress stop{[&](const ProgressStatus&) { return ++calls < 3; }};
    EXPECT_EQ(ReduceGuaranteed(*empty, r, stop).outcome, RunOutcome::Interrupted);
    EXPECT_EQ(empty->count(), 0);
    EXPECT_EQ(calls, 3);
}

// --- Genio ----------------------------------------------------------------------------------------

struct GenioCase {
    std::vector<std::uint8_t> forecast;
    std::vector<std::uint8_t> fixed;
    int size, plays;
    std::int64_t budget, step;
    std::uint64_t seed;
};

void CompareGenio(const PlayList& start, const GenioCase& c) {
    GenioRequest r;
    r.play.forecast = c.forecast;
    r.play.fixed = c.fixed;
    r.play.size = c.size;
    r.play.wheels = Tutte;
    r.play.stakes = {1, 1, 0, 0, 0};
    r.plays = c.plays;
    r.budget = c.budget;
    StdRandom ra(c.seed), rb(c.seed);
    ManualClock ca(0, c.step), cb(0, c.step);
    const literal::Result want = literal::Genio(start, r.play, c.plays, c.budget, ra, ca);
    PlayList list(start);
    const GenioResult got = ReduceGenio(list, r, rb, cb, Progress{[](const ProgressStatus&) { return true; }, 1});
    ASSERT_EQ(got.outcome, RunOutcome::Completed);
    EXPECT_EQ(Added(list, start.count()), want.plays);
    EXPECT_EQ(ca.readings(), cb.readings());
}

TEST(GenioReduction, MatchesLiteral) {
    std::mt19937 g(99);
    auto empty = std::make_unique<PlayList>();
    for (int run = 0; run < 40; ++run) {
        GenioCase c;
        const int n = 3 + static_cast<int>(g() % 20);
        c.forecast = RandomNumbers(g, n);
        c.size = 2 + static_cast<int>(g() % std::min(n - 1, 6));
        c.plays = 1 + static_cast<int>(g() % 12);
        if (g() % 4 == 0) c.fixed = {c.forecast[1]};
        c.budget = 50 + static_cast<int>(g() % 300);
        c.step = 1;
        c.seed = g();
        auto list = std::make_unique<PlayList>();
        const int committed = static_cast<int>(g() % 5);
        for (int i = 1; i <= committed; ++i) {
            std::vector<std::uint8_t> nums(c.forecast.begin(), c.forecast.begin() + c.size);
            if (i > 1) nums[0] = static_cast<std::uint8_t>(1 + g() % 90);
            std::sort(nums.begin(), nums.end());
            nums.erase(std::unique(nums.begin(), nums.end()), nums.end());
            Play p;
            std::copy(nums.begin(), nums.end(), p.numbers.begin());
            p.wheels = Tutte;
            list->play(i) = p;
        }
        list->setCount(committed);
        SCOPED_TRACE(testing::Message() << "run " << run);
        CompareGenio(run % 2 ? *list : *empty, c);
    }
}

TEST(GenioReduction, Edges) {
    GenioRequest r;
    r.play.forecast = {5, 10, 15, 20, 25, 30};
    r.play.size = 3;
    r.play.wheels = Tutte;
    r.play.stakes = {1, 1, 1, 0, 0};
    // N = 6, K = 3, M = 2: phase 1 gives {5,10,15} and {5,10,20}; phase 2 reaches two plays
    // without a common number, which then stay.
    {
        auto list = std::make_unique<PlayList>();
        r.plays = 2;
        r.budget = 5000;
        StdRandom random(1);
        ManualClock clock(0, 1);
        const GenioResult got = ReduceGenio(*list, r, random, clock);
        ASSERT_EQ(got.added, 2);
        Play both;
        int shared = literal::CommonCount(list->play(1), 3, list->play(2));
        EXPECT_EQ(shared, 0);
        (void)both;
        EXPECT_EQ(got.candidates, 5001u);
    }
    // M beyond the acceptable combinations: all 20, in order, without phase 2.
    {
        auto list = std::make_unique<PlayList>();
        r.plays = 50;
        StdRandom random(1);
        ManualClock clock(0, 1);
        EXPECT_EQ(ReduceGenio(*list, r, random, clock).added, 20);
        EXPECT_EQ(clock.readings(), 0);
        EXPECT_EQ(list->play(20).numbers[0], 20);
    }
    // M = 1 against a committed play: the new play avoids its numbers.
    {
        auto list = ListOf({test::MakePlay({5, 10, 15}, {1, 0, 0, 0, 0})});
        r.plays = 1;
        StdRandom random(2);
        ManualClock clock(0, 1);
        ASSERT_EQ(ReduceGenio(*list, r, random, clock).added, 1);
        EXPECT_EQ(literal::CommonCount(list->play(2), 3, list->play(1)), 0);
    }
    // The budget of the track bar: the first candidate read after more than T ends phase 2.
    for (int position : {0, 50, 100}) {
        auto list = std::make_unique<PlayList>();
        r.plays = 2;
        r.budget = GenioBudget(position);
        StdRandom random(3);
        ManualClock clock(0, 1000);
        const GenioResult got = ReduceGenio(*list, r, random, clock);
        EXPECT_EQ(got.candidates, static_cast<std::uint64_t>(r.budget / 1000 + 1)) << position;
    }
    // With F = K only the fixed numbers make a play.
    {
        auto list = std::make_unique<PlayList>();
        r.play.fixed = {10, 20, 30};
        r.plays = 3;
        StdRandom random(4);
        ManualClock clock(0, 1);
        EXPECT_EQ(ReduceGenio(*list, r, random, clock).added, 1);
        r.play.fixed.clear();
    }
    // Stopping in phase 2 leaves the list as it was.
    {
        auto list = ListOf({test::MakePlay({1, 2})});
        r.plays = 2;
        StdRandom random(5);
        ManualClock clock(0, 1);
        int calls = 0;
        const GenioResult got = ReduceGenio(
            *list, r, random, clock, Progress{[&](const ProgressStatus& s) { return ++calls < 10 || s.done < 25; }, 1});
        EXPECT_EQ(got.outcome, RunOutcome::Interrupted);
        EXPECT_EQ(list->count(), 1);
    }
}

// --- Optimiser ------------------------------------------------------------------------------------

std::unique_ptr<PlayList> RandomList(std::mt19937& g, const std::vector<std::uint8_t>& forecast, int plays) {
    auto list = std::make_unique<PlayList>();
    for (int i = 1; i <= plays; ++i) {
        const int k = 1 + static_cast<int>(g() % 6);
        std::vector<std::uint8_t> nums = forecast;
        for (std::uint8_t x : RandomNumbers(g, 4)) nums.push_back(x);
        std::shuffle(nums.begin(), nums.end(), g);
        std::vector<std::uint8_t> pick;
        for (std::uint8_t x : nums)
            if (static_cast<int>(pick.size()) < k && std::find(pick.begin(), pick.end(), x) == pick.end())
                pick.push_back(x);
        std::sort(pick.begin(), pick.end());
        Play p;
        std::copy(pick.begin(), pick.end(), p.numbers.begin());
        p.stakes = {1, 0.5, 0, 0, 0};
        p.wheels = g() % 3 ? Tutte : std::uint16_t(3);
        list->play(i) = p;
    }
    list->setCount(plays);
    return list;
}

TEST(Optimiser, MatchesLiteral) {
    std::mt19937 g(5);
    for (int run = 0; run < 60; ++run) {
        OptimiseRequest r;
        r.forecast = RandomNumbers(g, static_cast<int>(g() % 16));
        if (g() % 4 == 0 && !r.forecast.empty()) r.fixed = {r.forecast[0]};
        if (g() % 9 == 0) r.fixed = {r.forecast.empty() ? std::uint8_t(7) : r.forecast[0], 88};
        r.replace = 1 + static_cast<int>(g() % 10);
        r.budget = OptimiserBudget(static_cast<int>(g() % 6));
        auto list = RandomList(g, r.forecast, 2 + static_cast<int>(g() % 12));
        if (run % 5 == 0)
            list->play(2) = list->play(1), list->play(2).wheels = std::uint16_t(list->play(1).wheels ^ 1u);
        const std::uint64_t seed = g();
        StdRandom ra(seed), rb(seed);
        ManualClock ca(0, 1), cb(0, 1);
        const int stopAfter = run % 7 == 0 ? 1 : 0;
        SCOPED_TRACE(testing::Message() << "run " << run << " R " << r.replace << " T " << r.budget);
        const literal::Result want =
            literal::Optimise(*list, r.forecast, r.fixed, r.replace, r.budget, ra, ca, stopAfter);
        const OptimiseResult got = OptimisePlays(*list, r, rb, cb, [&](const ProgressStatus& s) {
            return stopAfter == 0 || static_cast<int>(s.done) < stopAfter;
        });
        EXPECT_EQ(got.interrupted, stopAfter != 0);
        EXPECT_EQ(Added(*list, 0), want.plays);
        EXPECT_EQ(ca.readings(), cb.readings());
    }
}

TEST(Optimiser, Variants) {
    const std::vector<std::uint8_t> forecast = {2, 4, 6, 8, 10, 12, 14, 16};
    const Play p = test::MakePlay({4, 30, 50, 70}, {1, 2, 0, 0, 0}, 7);
    StdRandom random(11);
    for (int i = 0; i < 200; ++i) {
        // R = 1: one forecast number in, the last of p's numbers that no longer fits out.
        OptimiseRequest r{forecast, {}, 1, 1};
        Play v = MutatePlay(p, r, random);
        EXPECT_EQ(v.numberCount(), 4);
        EXPECT_EQ(v.stakes, p.stakes);
        EXPECT_EQ(v.wheels, p.wheels);
        EXPECT_GE(literal::CommonCount(v, 4, p), 3);
        EXPECT_TRUE(NumberMask::Of(v.numbers).has(30) && NumberMask::Of(v.numbers).has(50));
        // R >= Kp: a fresh set of forecast numbers.
        r.replace = 10;
        v = MutatePlay(p, r, random);
        for (int k = 0; k < 4; ++k) EXPECT_TRUE(literal::InForecast(forecast, v.numbers[k]));
        // Fixed numbers stay; as many fixed numbers as Kp leave nothing.
        r.fixed = {30};
        EXPECT_TRUE(NumberMask::Of(MutatePlay(p, r, random).numbers).has(30));
        r.fixed = {30, 50, 70, 4};
        EXPECT_EQ(MutatePlay(p, r, random).numberCount(), 0);
    }
    // No forecast number left to draw: p's own numbers fill the places.
    OptimiseRequest none{{}, {}, 10, 1};
    EXPECT_EQ(MutatePlay(p, none, random).numbers, p.numbers);
    OptimiseRequest taken{{4, 30}, {}, 10, 1};
    EXPECT_EQ(MutatePlay(p, taken, random).numbers, p.numbers);
}

TEST(Optimiser, SpreadsNumbersAndStops) {
    // Two equal plays and a forecast wide enough: the second gets numbers the first lacks.
    auto list =
        ListOf({test::MakePlay({1, 2, 3}), test::MakePlay({1, 2, 3}, {1, 0, 0, 0, 0}, 1), test::MakePlay({1, 2, 4})});
    OptimiseRequest r{{1, 2, 3, 4, 5, 6, 7, 8, 9}, {}, 10, OptimiserBudget(50)};
    StdRandom random(8);
    ManualClock clock(0, 1);
    const OptimiseResult got = OptimisePlays(*list, r, random, clock);
    EXPECT_FALSE(got.interrupted);
    EXPECT_EQ(got.processed, 3);
    const auto occ = NumberOccurrences(std::span<const Play>(list->data(), 3));
    for (int n = 1; n <= 9; ++n) EXPECT_LE(occ[n], 1) << n;
    // Track bar at 0: two variants a play with a clock that moves a millisecond a reading.
    ManualClock fast(0, 1);
    auto again = ListOf({test::MakePlay({1, 2, 3}), test::MakePlay({1, 2, 4})});
    r.budget = OptimiserBudget(0);
    EXPECT_EQ(OptimisePlays(*again, r, random, fast).variants, 4u);
    // Stopping after the first play: only the first may have changed.
    auto third = ListOf({test::MakePlay({1, 2, 3}), test::MakePlay({1, 2, 3}, {1, 0, 0, 0, 0}, 1)});
    const Play second = third->play(2);
    const OptimiseResult stopped = OptimisePlays(*third, r, random, fast, [](const ProgressStatus&) { return false; });
    EXPECT_TRUE(stopped.interrupted);
    EXPECT_EQ(stopped.processed, 1);
    EXPECT_EQ(third->play(2), second);
}

} // namespace
