#include "core/Progress.h"

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
    ProgressTicker ticker(Progress{[&](const ProgressStatus& s) { return calls.push_back(s), true; }, 4}, 10);
    ticker.step();
    ticker.setFound(7);
    EXPECT_TRUE(ticker.report());
    for (int i = 0; i < 4; ++i) ticker.step(); // the interval counts again from the forced report
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].done, 1u);
    EXPECT_EQ(calls[0].found, 7u);
    EXPECT_EQ(calls[1].done, 5u);

    ProgressTicker silent(Progress{}, 10); // without a callback nothing stops the run
    for (int i = 0; i < 200; ++i) EXPECT_TRUE(silent.step());
}
