#include "core/Clock.h"
#include "core/Progress.h"
#include "core/Random.h"

#include <gtest/gtest.h>

#include <vector>

using namespace numora;

TEST(ProgressTicker, CallsAtItsIntervalAndStopsWhenTold) {
    struct Row {
        const char* name;
        std::uint64_t interval;
        int steps;
        int stopOnCall; // 0: the callback always says go on
        std::vector<std::uint64_t> reported;
        int firstRefusedStep; // 0: every step goes on
    };
    const Row rows[] = {
        {"combinations", 64, 200, 0, {64, 128, 192}, 0},
        {"fewer steps than one interval", 64, 63, 0, {}, 0},
        {"every step", 1, 3, 0, {1, 2, 3}, 0},
        {"interval 0 taken as 1", 0, 2, 0, {1, 2}, 0},
        {"stop on the second call", 173, 400, 2, {173, 346}, 346},
        {"stop at once", 17, 40, 1, {17}, 17},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        std::vector<std::uint64_t> reported;
        Progress progress{[&](const ProgressStatus& s) {
                              EXPECT_EQ(s.total, 1000u);
                              reported.push_back(s.done);
                              return static_cast<int>(reported.size()) != r.stopOnCall;
                          },
                          r.interval};
        ProgressTicker ticker(progress, 1000);
        int firstRefused = 0;
        for (int i = 1; i <= r.steps; ++i)
            if (!ticker.step() && firstRefused == 0) firstRefused = i;
        EXPECT_EQ(reported, r.reported);
        EXPECT_EQ(firstRefused, r.firstRefusedStep);
        EXPECT_EQ(ticker.stopped(), r.firstRefusedStep != 0);
    }
}

TEST(ProgressTicker, ReportsNowAndCarriesTheFoundCount) {
    std::vector<ProgressStatus> calls;
    Progress progress{[&](const ProgressStatus& s) {
                          calls.push_back(s);
                          return true;
                      },
                      4};
    ProgressTicker ticker(progress, 10);
    ticker.step();
    ticker.setFound(7);
    EXPECT_TRUE(ticker.report());
    // The interval counts again from the forced report.
    for (int i = 0; i < 4; ++i) ticker.step();
    ticker.setTotal(100);
    ticker.setDone(25);
    ticker.report();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].done, 1u);
    EXPECT_EQ(calls[0].found, 7u);
    EXPECT_EQ(calls[1].done, 5u);
    EXPECT_EQ(calls[2].done, 25u);
    EXPECT_EQ(calls[2].total, 100u);

    // Without a callback nothing can stop the run.
    ProgressTicker silent(Progress{}, 10);
    for (int i = 0; i < 200; ++i) EXPECT_TRUE(silent.step());
    EXPECT_TRUE(silent.report());
}

TEST(InjectedSources, FollowWhatTheTestSets) {
    ManualClock clock(1000, 5);
    EXPECT_EQ(clock.milliseconds(), 1000);
    EXPECT_EQ(clock.milliseconds(), 1005);
    clock.advance(30000);
    EXPECT_EQ(clock.milliseconds(), 31010);
    EXPECT_EQ(clock.readings(), 3);
    const std::int64_t a = DefaultClock().milliseconds();
    EXPECT_GE(DefaultClock().milliseconds(), a);

    SequenceRandom random({7, 95, -1});
    const int expected[] = {7, 5, 89, 7};
    for (int e : expected) EXPECT_EQ(random.below(90), e);
    EXPECT_EQ(random.below(1), 0);
    EXPECT_EQ(random.draws(), 5);
}
