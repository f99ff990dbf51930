// The conditioned reduction and the condition statistics against their literal statement on
// seeded inputs and the real archive; the conditions file and the reading of the page.
#include "conditions/ConditionStats.h"
#include "conditions/ConditionedReduction.h"

#include "LiteralConditions.h"
#include "core/Combinations.h"
#include "core/FileIo.h"
#include "core/OperatorImport.h"
#include "core/PlayIndex.h"
#include "core/PlaySystem.h"
#include "stats/RandomDraws.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>

using namespace numora;

namespace {

// Conditions drawn at random around values plays really take, so that every outcome occurs.
ConditionSet RandomConditions(std::mt19937& rng) {
    ConditionSet s;
    auto pick = [&](int lo, int hi) { return lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1)); };
    const int spans[8][2] = {{0, 6}, {0, 6}, {1, 90}, {0, 4}, {0, 4}, {0, 4}, {0, 12}, {30, 80}};
    for (int k = 1; k <= 8; ++k) {
        const int a = pick(spans[k - 1][0], spans[k - 1][1]), b = pick(spans[k - 1][0], spans[k - 1][1]);
        s.values[static_cast<std::size_t>(ConditionSet::MinimumField(k))] = std::min(a, b);
        s.values[static_cast<std::size_t>(ConditionSet::MaximumField(k))] = std::max(a, b);
    }
    for (int k = 9; k <= 11; ++k) {
        const int a = pick(1, 90), b = pick(1, 90), lo = pick(0, 3);
        s.values[static_cast<std::size_t>(ConditionSet::RangeStartField(k))] = std::min(a, b);
        s.values[static_cast<std::size_t>(ConditionSet::RangeEndField(k))] = std::max(a, b);
        s.values[static_cast<std::size_t>(ConditionSet::MinimumField(k))] = lo;
        s.values[static_cast<std::size_t>(ConditionSet::MaximumField(k))] = lo + pick(0, 3);
    }
    int enabled = 0;
    for (int k = 1; k <= 11; ++k) {
        s.setEnabled(k, rng() % 3 != 0);
        enabled += s.enabled(k) ? 1 : 0;
    }
    const int lo = pick(0, enabled);
    s.values[ConditionSet::MinConditionsField] = lo;
    s.values[ConditionSet::MaxConditionsField] = lo + pick(0, 3);
    return s;
}

struct Tables {
    DelayTable delays;
    FrequencyTable frequencies;
};
Tables TablesOf(const DrawArchive& a) {
    Tables t;
    RebuildDerivedTables(a, t.delays, t.frequencies);
    return t;
}
Tables RealOrRandomTables() {
    if (const DrawArchive* a = test::RealArchive()) return TablesOf(*a);
    return TablesOf(test::RandomArchive(5, 600, 90));
}

std::vector<std::uint8_t> RandomNumbers(std::mt19937& rng, int count) {
    std::vector<std::uint8_t> all(90);
    for (int i = 0; i < 90; ++i) all[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i + 1);
    std::shuffle(all.begin(), all.end(), rng);
    all.resize(static_cast<std::size_t>(count));
    return all;
}

ConditionSet AllOff(int minimum, int maximum) {
    ConditionSet s;
    for (int k = 9; k <= 11; ++k) {
        s.values[static_cast<std::size_t>(ConditionSet::RangeStartField(k))] = 1;
        s.values[static_cast<std::size_t>(ConditionSet::RangeEndField(k))] = 90;
    }
    s.values[ConditionSet::MinConditionsField] = minimum;
    s.values[ConditionSet::MaxConditionsField] = maximum;
    return s;
}

bool SamePlays(const PlayList& a, const PlayList& b) {
    if (a.count() != b.count()) return false;
    for (int i = 1; i <= a.count(); ++i)
        if (!(a.play(i) == b.play(i))) return false;
    return true;
}

} // namespace

TEST(ConditionSet, RoundTripsByteForByte) {
    test::TempDir dir;
    std::mt19937 rng(11);
    for (int round = 0; round < 20; ++round) {
        std::string bytes(ConditionSet::Size, '\0');
        for (char& b : bytes) b = static_cast<char>(rng() & 0xFF);
        const ConditionSet s = ConditionSet::fromBytes(reinterpret_cast<const unsigned char*>(bytes.data()));
        EXPECT_EQ(s.toBytes(), bytes);
        ASSERT_TRUE(SaveConditions(dir.file("Condizioni.def"), s));
        EXPECT_EQ(test::ReadAll(dir.file("Condizioni.def")), bytes);
        // Bytes after the record are ignored.
        test::WriteAll(dir.file("lungo.def"), bytes + "coda");
        ConditionSet back;
        ASSERT_TRUE(LoadConditions(dir.file("lungo.def"), back));
        EXPECT_EQ(back, s);
    }
}

TEST(ConditionSet, MissingShortOrUnwritableFilesChangeNothing) {
    test::TempDir dir;
    ConditionSet s = AllOff(1, 2);
    const ConditionSet before = s;
    EXPECT_FALSE(LoadConditions(dir.file("nessuno.def"), s));
    test::WriteAll(dir.file("corto.def"), std::string(131, '\1'));
    EXPECT_FALSE(LoadConditions(dir.file("corto.def"), s));
    EXPECT_EQ(s, before);

    // A failed save says why and keeps the old file.
    const std::string path = dir.file("Condizioni.def");
    test::WriteAll(path, std::string(ConditionSet::Size, '\7'));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    std::string why;
    EXPECT_FALSE(SaveConditions(path, s, &why));
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(test::ReadAll(path), std::string(ConditionSet::Size, '\7'));
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    EXPECT_FALSE(SaveConditions(dir.file("manca/Condizioni.def"), s));
}

TEST(ConditionSet, StartsFromTheOriginalsWithoutADefinitionFile) {
    const std::string shipped = test::BinDir() + OriginalConditionsFileName;
    ASSERT_EQ(FileSize(shipped), static_cast<long long>(ConditionSet::Size));
    ConditionSet original;
    ASSERT_TRUE(LoadConditions(shipped, original));
    EXPECT_FALSE(CheckConditions(original).has_value()) << "the originals must be accepted by the page";

    test::TempDir dir;
    ConditionSet s;
    EXPECT_FALSE(LoadStartupConditions(dir.path(), s));
    EXPECT_EQ(s, ConditionSet{});
    ASSERT_TRUE(CopyFileOver(shipped, dir.file(OriginalConditionsFileName)));
    ASSERT_TRUE(LoadStartupConditions(dir.path(), s));
    EXPECT_EQ(s, original);
    const ConditionSet own = AllOff(0, 5);
    ASSERT_TRUE(SaveConditions(dir.file(ConditionsFileName), own));
    ASSERT_TRUE(LoadStartupConditions(dir.path(), s));
    EXPECT_EQ(s, own);
}

TEST(ConditionSet, ReadsThePageInOrderStoppingAtTheFirstBadValue) {
    const ConditionTexts good = ConditionTextsOf(AllOff(2, 7));
    struct Case {
        int field;
        const char* text;
        int focus;
        std::string message;
    };
    const Case cases[] = {
        {0, "", 0, ConditionValueMessage(1)},
        {1, "x", 1, ConditionValueMessage(1)},
        {5, "-1", 5, ConditionValueMessage(3)}, // maximum below the minimum 0
        {15, "99999999999", 15, ConditionValueMessage(8)},
        {16, "0", 16, ConditionValueMessage(9)},   // range start outside 1..90
        {21, "91", 21, ConditionValueMessage(10)}, // range end outside
        {24, "95", 24, ConditionValueMessage(11)},
        {19, "", 19, ConditionValueMessage(9)},
        {28, "", 28, MinimumConditionsMessage},
        {29, "1", 29, MaximumConditionsMessage}, // below the minimum 2
        {29, "", 29, MaximumConditionsMessage},
    };
    for (const Case& c : cases) {
        ConditionTexts t = good;
        t.values[static_cast<std::size_t>(c.field)] = c.text;
        t.enabled.fill(true);
        ConditionSet s;
        const auto error = ReadConditions(t, s);
        ASSERT_TRUE(error.has_value()) << c.field;
        EXPECT_EQ(error->field, c.focus);
        EXPECT_EQ(error->message, c.message);
        // What came before the bad value is stored, what came after is not.
        const int k = ConditionSet::ConditionOfField(c.field);
        for (int j = 1; j <= 11; ++j) EXPECT_EQ(s.enabled(j), k == 0 || j < k) << c.field << " " << j;
    }
    ConditionTexts endBeforeStart = good;
    endBeforeStart.values[17] = "40";
    endBeforeStart.values[16] = "41";
    ConditionSet s;
    EXPECT_EQ(ReadConditions(endBeforeStart, s)->field, 17);
    EXPECT_EQ(s.rangeStart(9), 41);

    ConditionSet read;
    EXPECT_FALSE(ReadConditions(good, read).has_value());
    EXPECT_EQ(read, AllOff(2, 7));
}

TEST(PlayPasses, MatchesTheLiteralTestOnSeededPlays) {
    const Tables t = RealOrRandomTables();
    std::mt19937 rng(2024);
    auto committed = std::make_unique<PlayList>();
    for (int i = 1; i <= 40; ++i) {
        committed->play(i).setNumbersFrom(RandomNumbers(rng, 1 + static_cast<int>(rng() % 3)));
        committed->play(i).wheels = static_cast<std::uint16_t>(1u << 11);
    }
    committed->setCount(40);
    const PlayIndex index(*committed);
    int passed = 0;
    for (int round = 0; round < 20000; ++round) {
        const ConditionSet s = RandomConditions(rng);
        const ConditionFilter filter = MakeConditionFilter(s, t.delays, t.frequencies);
        Play p;
        if (round % 10 == 0) {
            p = committed->play(1 + static_cast<int>(rng() % 40));
        } else {
            std::vector<std::uint8_t> numbers = RandomNumbers(rng, 1 + static_cast<int>(rng() % 10));
            std::sort(numbers.begin(), numbers.end());
            p.setNumbersFrom(numbers);
            p.wheels = static_cast<std::uint16_t>(1u << 11);
        }
        std::vector<std::uint8_t> fixed;
        if (round % 4 == 0) fixed = {p.numbers[0]};
        if (round % 8 == 1) fixed = {p.numbers[0], static_cast<std::uint8_t>(1 + rng() % 90)};
        const bool useList = round % 2 == 0;
        const bool expected =
            oracle::LiteralPlayPasses(p, s, t.delays, t.frequencies, fixed, useList ? committed.get() : nullptr);
        ASSERT_EQ(PlayPasses(p, filter, fixed, useList ? &index : nullptr), expected) << round;
        passed += expected ? 1 : 0;
    }
    EXPECT_GT(passed, 1000);
    EXPECT_LT(passed, 19000);
}

TEST(PlayPasses, Edges) {
    const Tables t = RealOrRandomTables();
    // One condition at a time: the value the play gives is the only one inside [v, v].
    struct Case {
        std::initializer_list<int> numbers;
        int condition;
        int value;
    };
    const Case cases[] = {
        {{44, 47}, 3, 46}, // 45.5 to the even 46
        {{43, 46}, 3, 44}, // 44.5 to the even 44
        {{7}, 4, 0},       // one number: no pairs
        {{7}, 5, 0},
        {{7}, 6, 0},
        {{90, 80, 85}, 6, 1},    // 90 is a decade of its own
        {{1, 10, 19, 28}, 5, 6}, // all with figure 1
        {{1, 11, 21, 31}, 4, 6},
        {{2, 4, 5}, 1, 2},
        {{2, 4, 5}, 2, 1},
        {{5, 10, 15}, 9, 2}, // range 1..10
    };
    for (const Case& c : cases) {
        for (int v = c.value - 1; v <= c.value + 1; ++v) {
            ConditionSet s = AllOff(1, 1);
            s.values[16] = 1;
            s.values[17] = 10;
            s.setEnabled(c.condition, true);
            s.values[static_cast<std::size_t>(ConditionSet::MinimumField(c.condition))] = v;
            s.values[static_cast<std::size_t>(ConditionSet::MaximumField(c.condition))] = v;
            const Play p = test::MakePlay(c.numbers);
            EXPECT_EQ(PlayPasses(p, MakeConditionFilter(s, t.delays, t.frequencies), {}, nullptr), v == c.value)
                << c.condition << " " << v;
        }
    }
    EXPECT_EQ(RoundHalfEven(45.5), 46);
    EXPECT_EQ(RoundHalfEven(44.5), 44);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(2.51), 3);
}

TEST(ConditionForecast, MatchesTheLiteralRunOnSeededForecasts) {
    const Tables t = RealOrRandomTables();
    std::mt19937 rng(77);
    auto shipped = std::make_unique<PlayList>();
    auto literal = std::make_unique<PlayList>();
    for (int round = 0; round < 120; ++round) {
        const int m = 1 + static_cast<int>(rng() % 14);
        const int size = 1 + static_cast<int>(rng() % std::min(m, 5));
        const std::vector<std::uint8_t> forecast = RandomNumbers(rng, m);
        ConditionSet s = RandomConditions(rng);
        if (round % 7 == 0) s = AllOff(0, 0);  // every play that is not already there passes
        if (round % 7 == 1) s = AllOff(1, 11); // nothing can pass
        std::vector<std::uint8_t> fixed;
        if (round % 5 == 0) fixed = {forecast[0]};
        // Committed plays, some of them combinations the run meets.
        shipped->setCount(0);
        const int committed = static_cast<int>(rng() % 6);
        for (int i = 1; i <= committed; ++i) {
            std::vector<std::uint8_t> numbers(forecast.begin(), forecast.begin() + size);
            if (i % 2 == 0) numbers = RandomNumbers(rng, size);
            std::sort(numbers.begin(), numbers.end());
            shipped->play(i) = test::MakePlay({});
            shipped->play(i).setNumbersFrom(numbers);
            shipped->play(i).wheels = static_cast<std::uint16_t>(i % 3 == 0 ? 1 : 1u << 11);
        }
        shipped->setCount(committed);
        literal->copyFrom(*shipped);
        const std::array<double, 5> stakes{1, 0.5, 0, 0, 0};
        const ConditionedRun r = ConditionForecast(*shipped, forecast, size, fixed, 1u << 11, stakes,
                                                   MakeConditionFilter(s, t.delays, t.frequencies));
        const oracle::LiteralRun l = oracle::LiteralConditionForecast(*literal, forecast, size, fixed, 1u << 11, stakes,
                                                                      s, t.delays, t.frequencies);
        ASSERT_EQ(r.kept, l.kept) << round;
        ASSERT_TRUE(SamePlays(*shipped, *literal)) << round;
        EXPECT_FALSE(r.interrupted);
        if (round % 7 == 1) {
            EXPECT_EQ(r.kept, 0);
        }
        if (round % 7 == 0 && fixed.empty() && committed == 0) {
            EXPECT_EQ(r.kept, static_cast<int>(Binomial(m, size)));
        }
    }
}

TEST(ConditionForecast, StopsAtTheLimitKeepingWhatItHas) {
    auto list = std::make_unique<PlayList>();
    for (int i = 1; i <= PlayList::Capacity - 10; ++i) list->play(i) = test::MakePlay({90});
    list->setCount(PlayList::Capacity - 10);
    const std::vector<std::uint8_t> forecast = {1, 2, 3, 4, 5, 6, 7, 8};
    const ConditionFilter filter = MakeConditionFilter(AllOff(0, 0), DelayTable{}, FrequencyTable{});
    const ConditionedRun r = ConditionForecast(*list, forecast, 2, {}, 1u << 11, {1, 1, 0, 0, 0}, filter);
    EXPECT_TRUE(r.limitReached);
    EXPECT_EQ(r.kept, 10);
    EXPECT_EQ(list->count(), PlayList::Capacity);
    EXPECT_EQ(list->play(PlayList::Capacity - 9).numbers[0], 1);
    EXPECT_EQ(list->play(PlayList::Capacity - 9).numbers[1], 2);
    // A list that is full exactly at the last combination says nothing.
    list->setCount(PlayList::Capacity - 28);
    const ConditionedRun exact = ConditionForecast(*list, forecast, 2, {}, 1u << 11, {1, 1, 0, 0, 0}, filter);
    EXPECT_FALSE(exact.limitReached);
    EXPECT_EQ(exact.kept, 28);
}

TEST(ConditionForecast, InterruptionCommitsNothing) {
    auto list = std::make_unique<PlayList>();
    list->play(1) = test::MakePlay({1});
    list->setCount(1);
    int calls = 0;
    Progress stop{[&](const ProgressStatus& st) {
        ++calls;
        EXPECT_EQ(st.total, 142506u);
        return false;
    }};
    std::vector<std::uint8_t> forecast;
    for (int n = 1; n <= 30; ++n) forecast.push_back(static_cast<std::uint8_t>(n));
    const ConditionedRun r = ConditionForecast(*list, forecast, 5, {}, 1u << 11, {1, 0, 0, 0, 0},
                                               MakeConditionFilter(AllOff(0, 0), DelayTable{}, FrequencyTable{}), stop);
    EXPECT_TRUE(r.interrupted);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(list->count(), 1);
}

TEST(ConditionCurrentPlays, MatchesTheLiteralAndKeepsIdenticalPlays) {
    const Tables t = RealOrRandomTables();
    std::mt19937 rng(5);
    auto system = std::make_unique<PlaySystem>();
    auto literal = std::make_unique<PlaySystem>();
    for (int round = 0; round < 60; ++round) {
        const int count = static_cast<int>(rng() % 200);
        for (int i = 1; i <= count; ++i) {
            system->list.play(i) = test::MakePlay({}, {0.5, 1, 0, 0, 0}, static_cast<std::uint16_t>(1 + rng() % 4095));
            system->list.play(i).setNumbersFrom(RandomNumbers(rng, 1 + static_cast<int>(rng() % 10)));
            if (i > 1 && i % 9 == 0) system->list.play(i) = system->list.play(i - 1);
        }
        system->list.setCount(count);
        literal->list.copyFrom(system->list);
        const ConditionSet s = round % 6 == 0 ? AllOff(0, 0) : RandomConditions(rng);
        const std::vector<std::uint8_t> fixed = round % 5 == 0 ? RandomNumbers(rng, 1) : std::vector<std::uint8_t>{};
        int calls = 0;
        const Progress progress{[&](const ProgressStatus&) { return ++calls > 0; }};
        const ConditionedRun r = ConditionCurrentPlays(
            system->list, system->undo, MakeConditionFilter(s, t.delays, t.frequencies), fixed, progress);
        const int kept =
            oracle::LiteralConditionCurrentPlays(literal->list, literal->undo, s, t.delays, t.frequencies, fixed);
        ASSERT_EQ(r.kept, kept);
        ASSERT_TRUE(SamePlays(system->list, literal->list));
        ASSERT_TRUE(SamePlays(system->undo, literal->undo));
        EXPECT_EQ(calls, count / 17);
        if (s == AllOff(0, 0) && fixed.empty()) {
            EXPECT_EQ(kept, count);
        } // identical plays both stay
    }
}

TEST(ConditionCurrentPlays, NothingKeptLeavesTheListEmptyAndUndoBringsItBack) {
    auto system = std::make_unique<PlaySystem>();
    for (int i = 1; i <= 40; ++i) system->list.play(i) = test::MakePlay({i, i + 1});
    system->list.setCount(40);
    auto before = std::make_unique<PlayList>(system->list);
    const ConditionFilter none = MakeConditionFilter(AllOff(1, 1), DelayTable{}, FrequencyTable{});
    EXPECT_EQ(ConditionCurrentPlays(system->list, system->undo, none, {}).kept, 0);
    EXPECT_EQ(system->list.count(), 0);
    ASSERT_TRUE(RestoreUndo(*system));
    EXPECT_TRUE(SamePlays(system->list, *before));

    // An empty list is a snapshot too; interrupting restores the whole list.
    system->list.setCount(0);
    ConditionCurrentPlays(system->list, system->undo, none, {});
    EXPECT_EQ(system->undo.count(), 0);
    system->list.copyFrom(*before);
    const ConditionFilter all = MakeConditionFilter(AllOff(0, 0), DelayTable{}, FrequencyTable{});
    const ConditionedRun r =
        ConditionCurrentPlays(system->list, system->undo, all, {}, Progress{[](const ProgressStatus& st) {
                                  EXPECT_EQ(st.done, 17u);
                                  EXPECT_EQ(st.found, 17u);
                                  return false;
                              }});
    EXPECT_TRUE(r.interrupted);
    EXPECT_TRUE(SamePlays(system->list, *before));
}

TEST(ConditionStatistic, MatchesTheLiteralOnSeededArchives) {
    const ConditionSet s = [] {
        ConditionSet c = AllOff(0, 0);
        c.values[16] = 1, c.values[17] = 30, c.values[20] = 31, c.values[21] = 45, c.values[24] = 80, c.values[25] = 90;
        return c;
    }();
    const std::uint16_t masks[] = {1, 1u << 11, 1u << 10, (1u << 11) | (1u << 10), 0x0A5};
    for (unsigned seed : {1u, 2u, 3u}) {
        const DrawArchive a = test::RandomArchive(seed, seed == 1 ? 150 : 450, seed == 3 ? 30 : 90);
        for (int k = 1; k <= 11; ++k)
            for (int size = 2; size <= 5; ++size)
                for (std::uint16_t mask : masks) {
                    const ConditionChart chart = ConditionStatistic(a, k, size, mask, s);
                    ASSERT_EQ(chart.bars, oracle::LiteralConditionStatistic(a, k, size, mask, s))
                        << seed << " " << k << " " << size << " " << mask;
                    EXPECT_EQ(chart.title, ConditionStatisticTitle(k, s));
                    if (k == 7 && seed == 1) {
                        EXPECT_TRUE(chart.bars.empty());
                    } // fewer than 200 draws
                }
    }
    EXPECT_EQ(ConditionStatisticTitle(10, s), "Quantità di numeri da 31 a 45");
    EXPECT_EQ(ConditionStatisticEntry(10, s), "Numeri da 31 a 45");
    EXPECT_EQ(ConditionStatisticEntry(7, s), "Media dei ritardi");
}

TEST(ConditionStatistic, MatchesTheLiteralOnTheRealArchive) {
    const DrawArchive* a = test::RealArchive();
    if (!a) GTEST_SKIP() << "no real archive";
    ConditionSet s = AllOff(0, 0);
    s.values[16] = 1, s.values[17] = 45;
    for (int k : {1, 3, 4, 6, 7, 8, 9})
        for (std::uint16_t mask : {std::uint16_t(1), std::uint16_t(0xC00), std::uint16_t(0x400)})
            for (int size : {5, 2})
                if (k != 7 || size == 2) {
                    ASSERT_EQ(ConditionStatistic(*a, k, size, mask, s).bars,
                              oracle::LiteralConditionStatistic(*a, k, size, mask, s))
                        << k << " " << mask << " " << size;
                }
    // "Nazion." alone: W = 1, and only the draws since the national wheel began count.
    int drawn = 0;
    for (int m = 1; m <= a->count(); ++m) drawn += WheelDrawn(a->draw(m), 11) ? 1 : 0;
    ASSERT_GT(drawn, 0);
    ASSERT_LT(drawn, a->count());
    int total = 0;
    for (const auto& bar : ConditionStatistic(*a, 1, 5, 0x400, s).bars) total += bar.second;
    EXPECT_EQ(total, drawn);
    // With "Ambi" every draw gives round(0.4 x its even numbers) to statistic 1.
    std::array<int, 6> expected{};
    for (int m = 1; m <= a->count(); ++m) {
        if (!WheelDrawn(a->draw(m), 1)) continue;
        int even = 0;
        for (int p = 0; p < 5; ++p) even += a->draw(m).number(1, p) % 2 == 0 ? 1 : 0;
        ++expected[static_cast<std::size_t>(RoundHalfEven(0.4 * even))];
    }
    for (const auto& [x, y] : ConditionStatistic(*a, 1, 2, 1, s).bars)
        EXPECT_EQ(y, expected[static_cast<std::size_t>(x)]);
}
