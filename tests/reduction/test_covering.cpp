// The search for smaller guaranteed systems: every result checked by brute force against the
// literal guarantee on seeded forecasts (fixed numbers, committed plays of the same and of other
// stakes), the known smallest systems of "Ambo" in cinquine, determinism under a manual clock,
// interruption, the forecasts too large to search, and the run on a play list.
#include "reduction/CoveringOptimiser.h"

#include "LiteralCovering.h"
#include "core/PlayList.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace numora;

namespace {

constexpr std::uint16_t Tutte = 1u << 11;

GuaranteedRequest Request(std::vector<std::uint8_t> forecast, int size, int score,
                          std::vector<std::uint8_t> fixed = {}) {
    GuaranteedRequest r;
    r.play.forecast = std::move(forecast);
    r.play.fixed = std::move(fixed);
    r.play.size = size;
    r.play.wheels = Tutte;
    r.play.stakes = {0, 1, 0, 0, 0};
    r.score = score;
    return r;
}

std::vector<std::uint8_t> Range(int from, int to) {
    std::vector<std::uint8_t> v;
    for (int n = from; n <= to; ++n) v.push_back(static_cast<std::uint8_t>(n));
    return v;
}

// The greedy, then the search with `readings` readings of a clock moving 1 ms each.
CoveringResult Optimise(const std::vector<Play>& committed, const GuaranteedRequest& r, int readings,
                        std::uint64_t seed = 1) {
    ManualClock clock(0, 1);
    StdRandom random(seed);
    return ReduceToGuaranteeOptimised(committed, r, readings, clock, random);
}

TEST(CoveringOptimiser, SeededForecastsKeepTheGuarantee) {
    std::mt19937 g(18);
    int improved = 0;
    for (int round = 0; round < 40; ++round) {
        const int v = 7 + static_cast<int>(g() % 8), size = 2 + static_cast<int>(g() % 5);
        const int score = 1 + static_cast<int>(g() % 3);
        std::vector<std::uint8_t> all = Range(1, 90);
        std::shuffle(all.begin(), all.end(), g);
        std::vector<std::uint8_t> forecast(all.begin(), all.begin() + v);
        std::vector<std::uint8_t> fixed;
        if (round % 3 == 1) fixed.push_back(forecast[g() % forecast.size()]);
        GuaranteedRequest r = Request(forecast, std::min(size, v), score, fixed);
        // Committed plays: some of the same wheels and stakes (they cover), some of other stakes.
        std::vector<Play> committed;
        for (int i = 0; i < round % 4; ++i) {
            Play p;
            p.wheels = Tutte;
            p.stakes = i % 2 ? r.play.stakes : std::array<double, 5>{0, 2, 0, 0, 0};
            for (int k = 0; k < r.play.size; ++k)
                p.numbers[static_cast<std::size_t>(k)] = forecast[static_cast<std::size_t>((i * 3 + k) % v)];
            std::sort(p.numbers.begin(), p.numbers.begin() + r.play.size);
            committed.push_back(p);
        }
        const GuaranteedPlays greedy = ReduceToGuarantee(committed, r);
        const CoveringResult best = Optimise(committed, r, 60, round);
        SCOPED_TRACE(testing::Message() << "round " << round << " v " << v << " N " << r.play.size << " s " << score);
        ASSERT_EQ(best.outcome, RunOutcome::Completed);
        EXPECT_EQ(best.greedyCount, static_cast<int>(greedy.plays.size()));
        EXPECT_TRUE(literal::KeepsGuarantee(committed, r.play, score, best.plays));
        EXPECT_TRUE(KeepsGuarantee(committed, r, best.plays));
        EXPECT_LE(best.lowerBound, static_cast<int>(best.plays.size()));
        if (best.status == CoveringStatus::Improved) {
            ++improved;
            EXPECT_LT(best.plays.size(), greedy.plays.size());
        } else {
            EXPECT_EQ(best.plays, greedy.plays);
        }
    }
    EXPECT_GT(improved, 5);
}

TEST(CoveringOptimiser, ReachesTheSmallestAmboSystemsInCinquine) {
    // The smallest systems for 10..18 numbers: 2, 2, 2, 3, 3, 3, 3, 4, 4.
    const int smallest[] = {2, 2, 2, 3, 3, 3, 3, 4, 4};
    for (int v = 10; v <= 18; ++v) {
        const GuaranteedRequest r = Request(Range(1, v), 5, 2);
        const CoveringResult best = Optimise({}, r, 150);
        SCOPED_TRACE(v);
        EXPECT_EQ(static_cast<int>(best.plays.size()), smallest[v - 10]);
        EXPECT_TRUE(literal::KeepsGuarantee({}, r.play, 2, best.plays));
    }
}

TEST(CoveringOptimiser, FixedNumbersAreInEveryPlay) {
    const GuaranteedRequest r = Request(Range(1, 14), 5, 3, {4, 9});
    const CoveringResult best = Optimise({}, r, 150);
    ASSERT_FALSE(best.plays.empty());
    for (const Play& p : best.plays) {
        EXPECT_NE(std::find(p.numbers.begin(), p.numbers.end(), 4), p.numbers.end());
        EXPECT_NE(std::find(p.numbers.begin(), p.numbers.end(), 9), p.numbers.end());
    }
    EXPECT_TRUE(literal::KeepsGuarantee({}, r.play, 3, best.plays));
}

TEST(CoveringOptimiser, CommittedPlaysOfTheSameStakesCover) {
    // 1..10 in cinquine with "Ambo": a committed 1-2-3-4-5 of the same wheels and stakes leaves
    // only what 6-7-8-9-10 covers; of other stakes or other wheels it covers nothing.
    const GuaranteedRequest r = Request(Range(1, 10), 5, 2);
    Play same = test::MakePlay({1, 2, 3, 4, 5}, r.play.stakes, Tutte);
    Play otherStakes = test::MakePlay({1, 2, 3, 4, 5}, {0, 1.5, 0, 0, 0}, Tutte);
    Play otherWheels = test::MakePlay({1, 2, 3, 4, 5}, r.play.stakes, 1);
    const struct {
        Play committed;
        std::size_t plays;
    } cases[] = {{same, 1}, {otherStakes, 2}, {otherWheels, 2}};
    for (const auto& c : cases) {
        const CoveringResult best = Optimise({c.committed}, r, 300);
        EXPECT_EQ(best.plays.size(), c.plays);
        EXPECT_TRUE(literal::KeepsGuarantee({c.committed}, r.play, 2, best.plays));
    }
    // The single play keeps the guarantee only together with the committed one.
    const CoveringResult one = Optimise({same}, r, 300);
    EXPECT_FALSE(KeepsGuarantee({}, r, one.plays));
    EXPECT_FALSE(literal::KeepsGuarantee({}, r.play, 2, one.plays));
}

TEST(CoveringOptimiser, DeterministicWithAManualClockAndASeed) {
    const GuaranteedRequest r = Request(Range(1, 16), 5, 3);
    const CoveringResult a = Optimise({}, r, 100, 7), b = Optimise({}, r, 100, 7);
    EXPECT_EQ(a.plays, b.plays);
    EXPECT_EQ(a.moves, b.moves);
    EXPECT_GT(a.moves, 0u);
    // The budget is read on the clock: a longer one makes more moves.
    EXPECT_GT(Optimise({}, r, 200, 7).moves, a.moves);
    // No budget: the greedy's plays as they are.
    const CoveringResult none = Optimise({}, r, 0, 7);
    EXPECT_EQ(none.plays, ReduceToGuarantee({}, r).plays);
    EXPECT_EQ(none.status, CoveringStatus::NotImproved);
    EXPECT_EQ(none.moves, 0u);
}

TEST(CoveringOptimiser, ProgressAndInterruption) {
    const GuaranteedRequest r = Request(Range(1, 16), 5, 3);
    std::vector<ProgressStatus> seen;
    Progress keep{[&](const ProgressStatus& s) {
        seen.push_back(s);
        return true;
    }};
    ManualClock clock(0, 1);
    StdRandom random(3);
    const CoveringResult done = ReduceToGuaranteeOptimised({}, r, 100, clock, random, {}, keep);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen[0].done, 0u);
    EXPECT_EQ(seen[0].found, static_cast<std::uint64_t>(done.greedyCount));
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].total, 100u);
        EXPECT_LE(seen[i].done, 100u);
        if (i > 0) {
            EXPECT_LE(seen[i].found, seen[i - 1].found);
        }
    }
    EXPECT_EQ(seen.back().found, done.plays.size());

    int calls = 0;
    Progress stop{[&](const ProgressStatus&) { return ++calls < 3; }};
    const CoveringResult stopped = ReduceToGuaranteeOptimised({}, r, 100, clock, random, {}, stop);
    EXPECT_EQ(stopped.outcome, RunOutcome::Interrupted);
    EXPECT_TRUE(stopped.plays.empty());
    EXPECT_EQ(calls, 3);
}

// Whatever the budget left the search with (none, a few readings, enough), the plays it offers
// are minimal: taking any one away breaks the literal guarantee.
TEST(CoveringOptimiser, EveryResultIsMinimal) {
    struct Row {
        int v, size, score;
    };
    const Row rows[] = {{11, 5, 2}, {13, 4, 2}, {12, 5, 3}, {10, 3, 2}, {14, 5, 3}};
    for (const Row& row : rows)
        for (int readings : {1, 3, 40})
            for (std::uint64_t seed : {1u, 7u}) {
                const GuaranteedRequest r = Request(Range(1, row.v), row.size, row.score);
                const CoveringResult best = Optimise({}, r, readings, seed);
                SCOPED_TRACE("v " + std::to_string(row.v) + " letture " + std::to_string(readings));
                ASSERT_TRUE(literal::KeepsGuarantee({}, r.play, row.score, best.plays));
                for (std::size_t i = 0; best.plays.size() > 1 && i < best.plays.size(); ++i) {
                    std::vector<Play> fewer = best.plays;
                    fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(i));
                    EXPECT_FALSE(literal::KeepsGuarantee({}, r.play, row.score, fewer)) << "giocata " << i;
                }
            }
}

// "Quaterna" over 25 numbers in cinquine: too many combinations times plays for the search to
// look for unneeded plays as it goes, and a budget of a few readings; the offered plays must still
// be minimal. Literal statement: every play covers some combination no other play covers.
TEST(CoveringOptimiser, LargeSearchResultIsMinimal) {
    const GuaranteedRequest r = Request(Range(1, 25), 5, 4);
    const CoveringResult best = Optimise({}, r, 3000, 5);
    const std::vector<std::uint8_t> forecast = literal::SortedForecast(r.play.forecast);
    std::vector<int> idx = {0, 1, 2, 3, 4, 5};
    std::vector<bool> needed(best.plays.size(), false);
    bool covered = true;
    do {
        const Play c = literal::Candidate(Play{}, forecast, idx, 5);
        std::vector<std::size_t> who;
        for (std::size_t p = 0; p < best.plays.size(); ++p)
            if (literal::CommonCount(c, 5, best.plays[p]) >= 4) who.push_back(p);
        covered = covered && !who.empty();
        if (who.size() == 1) needed[who[0]] = true;
    } while (literal::NextCombination(idx, 5, 25));
    EXPECT_TRUE(covered);
    EXPECT_EQ(std::count(needed.begin(), needed.end(), false), 0);
}

TEST(CoveringOptimiser, TooLargeOrNothingToGainKeepsTheStart) {
    // 45 numbers in cinquine: 1221759 combinations, beyond what the search holds.
    const GuaranteedRequest large = Request(Range(1, 45), 5, 2);
    const std::vector<Play> start = {test::MakePlay({1, 2, 3, 4, 5}, large.play.stakes),
                                     test::MakePlay({6, 7, 8, 9, 10}, large.play.stakes)};
    ManualClock clock(0, 1);
    StdRandom random(1);
    const CoveringResult r = OptimiseCovering({}, large, start, 1000, clock, random);
    EXPECT_EQ(r.status, CoveringStatus::TooLarge);
    EXPECT_EQ(r.plays, start);
    // "Cinquina" in cinquine: every play covers itself alone, the greedy is the smallest.
    const CoveringResult all = Optimise({}, Request(Range(1, 8), 5, 5), 1000);
    EXPECT_EQ(all.plays.size(), 56u);
    EXPECT_EQ(all.lowerBound, 56);
    EXPECT_EQ(all.moves, 0u);
}

TEST(CoveringOptimiser, KeepsGuaranteeRefusesBrokenSystems) {
    const GuaranteedRequest r = Request(Range(1, 12), 5, 2, {1});
    const CoveringResult best = Optimise({}, r, 500);
    ASSERT_TRUE(KeepsGuarantee({}, r, best.plays));
    std::vector<Play> fewer(best.plays.begin() + 1, best.plays.end());
    EXPECT_FALSE(KeepsGuarantee({}, r, fewer));
    std::vector<Play> stakes = best.plays;
    stakes[0].stakes[1] = 3;
    EXPECT_FALSE(KeepsGuarantee({}, r, stakes));
    std::vector<Play> noFixed = best.plays;
    noFixed[0].numbers = {2, 3, 4, 5, 6};
    EXPECT_FALSE(KeepsGuarantee({}, r, noFixed));
    EXPECT_FALSE(literal::KeepsGuarantee({}, r.play, 2, noFixed));
}

TEST(CoveringOptimiser, RunOnThePlayList) {
    auto list = std::make_unique<PlayList>();
    list->play(1) = test::MakePlay({80, 81}, {1, 0, 0, 0, 0});
    list->setCount(1);
    const GuaranteedRequest r = Request(Range(1, 20), 5, 2);
    ManualClock clock(0, 1);
    StdRandom random(5);
    const OptimisedRun run = ReduceGuaranteedOptimised(*list, r, 300, clock, random);
    EXPECT_EQ(run.outcome, RunOutcome::Completed);
    EXPECT_EQ(run.greedy, static_cast<int>(ReduceToGuarantee({}, r).plays.size()));
    EXPECT_EQ(run.added, 4);
    EXPECT_EQ(list->count(), 5);
    EXPECT_EQ(list->play(1).numbers[0], 80);
    const std::vector<Play> added(list->data() + 1, list->data() + list->count());
    EXPECT_TRUE(literal::KeepsGuarantee({}, r.play, 2, added));
}

} // namespace
