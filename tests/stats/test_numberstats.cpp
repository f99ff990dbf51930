// The number engines against the literal oracles on the real archive and on seeded random ones,
// the edges of the definitions, and the reading of the draw window.
#include "stats/NumberStats.h"

#include "LiteralNumberStats.h"
#include "RandomDraws.h"
#include "core/OperatorImport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace numora;

namespace {

// Every engine against its oracle on one archive, for the given wheel sets and windows.
void CompareAll(const DrawArchive& a, const std::vector<WheelSet>& wheelSets, const std::vector<DrawWindow>& windows) {
    for (WheelSet ws : wheelSets) {
        SCOPED_TRACE(testing::Message() << "wheels " << ws);
        EXPECT_EQ(NumberDelays(a, ws), oracle::LiteralNumberDelays(a, ws));
        for (DrawWindow w : windows)
            EXPECT_EQ(NumberFrequencies(a, ws, w), oracle::LiteralNumberFrequencies(a, ws, w.start, w.end))
                << "window " << w.start << ".." << w.end;
    }
    EXPECT_EQ(NumberWheelDelays(a), oracle::LiteralNumberWheelDelays(a));
    for (DrawWindow w : windows)
        EXPECT_EQ(NumberWheelFrequencies(a, w), oracle::LiteralNumberWheelFrequencies(a, w.start, w.end))
            << "window " << w.start << ".." << w.end;
}

std::vector<WheelSet> SomeWheelSets(std::mt19937& rng) {
    std::vector<WheelSet> sets = {RegionalWheelSet, AllWheelSet, 0x400 /* national alone */, 0x001, 0x200, 0x401};
    for (int i = 0; i < 4; ++i) sets.push_back(static_cast<WheelSet>(1 + rng() % AllWheelSet));
    return sets;
}

} // namespace

TEST(NumberStats, MatchLiteralOnTheRealArchive) {
    const DrawArchive* a = test::RealArchive();
    if (!a) GTEST_SKIP() << "no real archive";
    const int n = a->count();
    std::mt19937 rng(11);
    CompareAll(*a, SomeWheelSets(rng), {{n - 99, n}, {1, n}, {n, n}, {1, 1}, {200, 300}});
}

TEST(NumberStats, MatchLiteralOnRandomArchives) {
    struct Case {
        unsigned seed;
        int draws;
        int pool; // small pools: ties everywhere and numbers never drawn
    };
    const Case cases[] = {{1, 1, 90}, {2, 2, 12}, {3, 40, 8}, {4, 99, 90}, {5, 150, 30}, {6, 400, 90}, {7, 60, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "seed " << c.seed << ", " << c.draws << " draws, pool " << c.pool);
        const DrawArchive a = test::RandomArchive(c.seed, c.draws, c.pool);
        std::mt19937 rng(c.seed);
        std::vector<DrawWindow> windows = {{1, c.draws}, {c.draws, c.draws}};
        for (int i = 0; i < 3; ++i) {
            int s = 1 + static_cast<int>(rng() % static_cast<unsigned>(c.draws));
            int e = 1 + static_cast<int>(rng() % static_cast<unsigned>(c.draws));
            windows.push_back({std::min(s, e), std::max(s, e)});
        }
        CompareAll(a, SomeWheelSets(rng), windows);
    }
}

TEST(NumberStats, EdgesOfTheDefinitions) {
    DrawArchive a;
    // All values equal: the starting order stays, in the charts and in the number-major lists.
    const std::vector<NumberValue> delays = NumberDelays(a, RegionalWheelSet);
    const std::vector<NumberWheelValue> wheelDelays = NumberWheelDelays(a);
    for (int i = 0; i < 90; ++i) EXPECT_EQ(delays[static_cast<std::size_t>(i)], (NumberValue{i + 1, -1}));
    for (int i = 0; i < 990; ++i)
        EXPECT_EQ(wheelDelays[static_cast<std::size_t>(i)], (NumberWheelValue{1 + i / 11, 1 + i % 11, -1}));

    // Three draws; 7 only in draw 1 on Bari, 8 on Roma in draw 3. Seen only in draw 1 and never
    // seen both give N - 1.
    a.setCount(3);
    for (int d = 1; d <= 3; ++d) a.draw(d) = DrawRecord{};
    a.draw(1).setNumber(1, 0, 7);
    a.draw(3).setNumber(8, 2, 8);
    const auto value = [](const std::vector<NumberValue>& v, int n) {
        for (const NumberValue& e : v)
            if (e.number == n) return e.value;
        return -100;
    };
    const std::vector<NumberValue> tutte = NumberDelays(a, RegionalWheelSet);
    EXPECT_EQ(value(tutte, 7), 2);
    EXPECT_EQ(value(tutte, 90), 2);
    EXPECT_EQ(value(tutte, 8), 0);
    EXPECT_EQ(tutte.back(), (NumberValue{8, 0}));
    EXPECT_EQ(value(NumberDelays(a, 0x400), 8), 2); // the national wheel alone never had it
    // Least frequent first: 8 (and 7 within draws 1..3) come last.
    const std::vector<NumberValue> freq = NumberFrequencies(a, RegionalWheelSet, {1, 3});
    EXPECT_EQ(freq[88].value + freq[89].value, 2);
    EXPECT_EQ(NumberWheelFrequencies(a, {1, 3}).back().value, 1);
}

TEST(DrawWindowReading, ChecksStartFirstAndSwapsReversed) {
    struct Case {
        const char* start;
        const char* end;
        int draws;
        const char* message; // nullptr: accepted as from..to
        int from;
        int to;
    };
    const Case cases[] = {
        {"300", "200", 500, nullptr, 200, 300},
        {"1", "500", 500, nullptr, 1, 500},
        {" 7 ", "+9", 500, nullptr, 7, 9},
        {"-99", "10", 50, InvalidStartMessage, 0, 0}, // N - 99 below 1 with fewer than 100 draws
        {"0", "x", 50, InvalidStartMessage, 0, 0},
        {"51", "10", 50, InvalidStartMessage, 0, 0},
        {"", "", 50, InvalidStartMessage, 0, 0},
        {"abc", "1", 50, InvalidStartMessage, 0, 0},
        {"99999999999", "1", 50, InvalidStartMessage, 0, 0},
        {"1", "51", 50, InvalidEndMessage, 0, 0},
        {"1", "0", 50, InvalidEndMessage, 0, 0},
        {"1", "2x", 50, InvalidEndMessage, 0, 0},
        {"1", "1", 0, InvalidStartMessage, 0, 0}, // empty archive
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.start << "\" \"" << c.end << "\" of " << c.draws);
        const DrawWindowReading r = ReadDrawWindow(c.start, c.end, c.draws);
        EXPECT_EQ(r.ok, c.message == nullptr);
        if (c.message) {
            EXPECT_STREQ(r.message, c.message);
        } else {
            EXPECT_EQ(r.window.start, c.from);
            EXPECT_EQ(r.window.end, c.to);
        }
    }
    EXPECT_EQ(CountedWheels(1u << 11), RegionalWheelSet);
    EXPECT_EQ(CountedWheels((1u << 11) | (1u << 10)), AllWheelSet);
    EXPECT_EQ(CountedWheels(0x005), WheelSet(0x005));
}
