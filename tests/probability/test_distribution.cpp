// The distribution counts against their literal statements: seeded forecasts, plays and
// probabilities (halves to provoke the ties, the real archive's probability scores), the edge
// cases (ties at .5, a short play, all at 50), the reports and the play size refusals.
#include "probability/ProbabilityDistribution.h"

#include "LiteralDistribution.h"
#include "core/Combinations.h"
#include "core/OperatorImport.h"
#include "probability/NumberProbability.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

using namespace numora;

namespace {

using Table = CustomProbabilityTable;

Table Fill(double v) {
    Table t;
    t.fill(v);
    return t;
}

// Halves and quarters make exact ties at .5 common; the rest are arbitrary doubles.
Table RandomTable(std::mt19937& rng) {
    Table t;
    const int kind = static_cast<int>(rng() % 3);
    for (double& v : t) {
        if (kind == 0)
            v = static_cast<double>(rng() % 201) / 2;
        else if (kind == 1)
            v = static_cast<double>(rng() % 401) / 4;
        else
            v = std::uniform_real_distribution<double>(0, 100)(rng);
    }
    return t;
}

std::vector<int> RandomForecast(std::mt19937& rng, int m) {
    std::vector<int> all(90);
    std::iota(all.begin(), all.end(), 1);
    std::shuffle(all.begin(), all.end(), rng);
    all.resize(static_cast<std::size_t>(m));
    std::sort(all.begin(), all.end());
    return all;
}

DistributionBins Combinations(const std::vector<int>& numbers, int k, const Table& t) {
    std::vector<std::uint8_t> bytes(numbers.begin(), numbers.end());
    std::shuffle(bytes.begin(), bytes.end(), std::mt19937(k)); // the order given does not matter
    DistributionBins bins;
    bins.fill(7);
    EXPECT_TRUE(CountCombinationBins(bytes, k, t, bins));
    return bins;
}

std::int64_t Total(const DistributionBins& b) {
    return std::accumulate(b.begin(), b.end(), std::int64_t{0});
}

const Table* RealScores() {
    static const std::unique_ptr<Table> t = []() -> std::unique_ptr<Table> {
        const std::string path = test::StoricoPath();
        if (path.empty()) return nullptr;
        DrawArchive a;
        if (!ImportOperatorText(test::ReadAll(path), a).ok) return nullptr;
        ProbabilityCriteria c;
        c.endText = std::to_string(a.count());
        const NumberProbabilities r = ComputeNumberProbabilities(a, c);
        if (!r.ok) return nullptr;
        auto table = std::make_unique<Table>();
        std::copy(r.p.begin(), r.p.end(), table->begin());
        return table;
    }();
    return t.get();
}

} // namespace

TEST(Distribution, BinsRoundHalvesToEven) {
    const struct {
        double sum;
        int count, bin;
    } cases[] = {{95, 2, 48}, {97, 2, 48},   {99, 2, 50},    {1, 2, 0},  {3, 2, 2},     {150, 3, 50},
                 {0, 4, 0},   {400, 4, 100}, {49.49, 1, 49}, {-3, 1, 0}, {250, 2, 100}, {std::nan(""), 2, 0}};
    for (const auto& c : cases) EXPECT_EQ(DistributionBin(c.sum, c.count), c.bin) << c.sum << "/" << c.count;
}

TEST(Distribution, CombinationsMatchTheLiteralCount) {
    std::mt19937 rng(20240613);
    for (int round = 0; round < 300; ++round) {
        const int m = 1 + static_cast<int>(rng() % 18);
        const int k = 1 + static_cast<int>(rng() % std::min(m, 10));
        const std::vector<int> numbers = RandomForecast(rng, m);
        const Table t = RandomTable(rng);
        const DistributionBins got = Combinations(numbers, k, t);
        EXPECT_EQ(got, oracle::LiteralCombinationBins(numbers, k, t)) << "m " << m << " k " << k << " round " << round;
        EXPECT_EQ(Total(got), static_cast<std::int64_t>(Binomial(m, k)));
    }
    if (const Table* real = RealScores()) {
        for (int k = 2; k <= 6; ++k) {
            const std::vector<int> numbers = RandomForecast(rng, 24);
            EXPECT_EQ(Combinations(numbers, k, *real), oracle::LiteralCombinationBins(numbers, k, *real))
                << "real, k " << k;
        }
    }
}

TEST(Distribution, EdgeCases) {
    // Five numbers, k = 2: ten combinations.
    EXPECT_EQ(Total(Combinations({3, 9, 20, 41, 77}, 2, Fill(50))), 10);
    // Ten numbers at 50: everything in bin 50.
    for (int k = 2; k <= 10; ++k) {
        const DistributionBins b = Combinations({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, k, Fill(50));
        EXPECT_EQ(b[50], static_cast<std::int32_t>(Binomial(10, k)));
        EXPECT_EQ(Total(b), b[50]);
    }
    // 45 and 50 (47.5) and 47 and 50 (48.5) both in bin 48.
    Table t = Fill(50);
    t[0] = 45;
    t[1] = 47;
    const DistributionBins b = Combinations({1, 2, 3}, 2, t);
    EXPECT_EQ(b[48], 2); // 1+3 and 2+3
    EXPECT_EQ(b[46], 1); // 1+2: 46 exactly
    // Outside 1..m nothing is counted.
    for (int k : {0, 4, 11}) EXPECT_EQ(Total(Combinations({1, 2, 3}, k, t)), 0) << k;
}

TEST(Distribution, PlaysMatchTheLiteralCount) {
    std::mt19937 rng(7);
    PlayList list;
    for (int round = 0; round < 40; ++round) {
        const int count = static_cast<int>(rng() % 400);
        list.setCount(count);
        for (int i = 1; i <= count; ++i) {
            const std::vector<int> numbers = RandomForecast(rng, static_cast<int>(rng() % 11));
            list.play(i) = test::MakePlay({});
            list.play(i).setNumbersFrom(numbers);
        }
        const Table t = round % 4 == 0 && RealScores() ? *RealScores() : RandomTable(rng);
        DistributionBins got;
        got.fill(3);
        EXPECT_TRUE(CountPlayBins(list, t, got));
        EXPECT_EQ(got, oracle::LiteralPlayBins(list, t)) << "round " << round;
        NumberPresence presence;
        EXPECT_TRUE(CountNumberPresence(list, presence));
        EXPECT_EQ(presence, oracle::LiteralPresence(list));
    }
    // A play of three numbers is averaged over three; an empty play counts nowhere.
    Table t = Fill(0);
    t[0] = 30;
    t[1] = 60;
    t[2] = 90;
    list.setCount(2);
    list.play(1) = test::MakePlay({1, 2, 3});
    list.play(2) = test::MakePlay({});
    DistributionBins b;
    CountPlayBins(list, t, b);
    EXPECT_EQ(b[60], 1);
    EXPECT_EQ(Total(b), 1);
}

TEST(Distribution, ReportsAndStops) {
    const struct {
        int k;
        std::uint64_t stopAt; // the report that says stop, 0: never
        std::int64_t counted;
        int reports;
    } cases[] = {{3, 0, 1140, 17}, {3, 1, 64, 1}, {3, 5, 320, 5}, {2, 0, 190, 2}};
    std::vector<int> v(20);
    std::iota(v.begin(), v.end(), 1);
    const std::vector<std::uint8_t> numbers(v.begin(), v.end());
    for (const auto& c : cases) {
        int reports = 0;
        Progress p{[&](const ProgressStatus& s) {
                       EXPECT_EQ(s.done, 64u * static_cast<std::uint64_t>(reports + 1));
                       EXPECT_EQ(s.total, Binomial(20, c.k));
                       return static_cast<std::uint64_t>(++reports) != c.stopAt;
                   },
                   CombinationInterval};
        DistributionBins b;
        EXPECT_EQ(CountCombinationBins(numbers, c.k, Fill(50), b, p), c.stopAt == 0);
        EXPECT_EQ(Total(b), c.counted);
        EXPECT_EQ(reports, c.reports);
    }
    // The plays: every play; the numbers: after the first play and every 1215.
    PlayList list;
    list.setCount(2500);
    for (int i = 1; i <= 2500; ++i) list.play(i) = test::MakePlay({1 + i % 90});
    std::vector<std::uint64_t> seen;
    const Progress record{[&](const ProgressStatus& s) {
                              seen.push_back(s.done);
                              return s.done < 2;
                          },
                          DistributedPlayInterval};
    DistributionBins b;
    EXPECT_FALSE(CountPlayBins(list, Fill(50), b, record));
    EXPECT_EQ(seen, (std::vector<std::uint64_t>{1, 2}));
    EXPECT_EQ(Total(b), 2);
    seen.clear();
    NumberPresence presence;
    EXPECT_TRUE(CountNumberPresence(list, presence,
                                    {[&](const ProgressStatus& s) {
                                         seen.push_back(s.done);
                                         return true;
                                     },
                                     CountedPlayInterval}));
    EXPECT_EQ(seen, (std::vector<std::uint64_t>{1, 1215, 2430}));
}

TEST(Distribution, PlaySizeRefusals) {
    const struct {
        const char* text;
        int forecast;
        const char* message;
        int k;
    } cases[] = {
        {"2", 5, nullptr, 2},
        {"10", 12, nullptr, 10},
        {"0", 5, InvalidDistributionSizeMessage, 0},
        {"6", 5, InvalidDistributionSizeMessage, 0},
        {"11", 20, InvalidDistributionSizeMessage, 0},
        {"", 5, InvalidDistributionSizeMessage, 0},
        {"x", 5, InvalidDistributionSizeMessage, 0},
        {"-2", 5, InvalidDistributionSizeMessage, 0},
        {"1", 5, DistributionNeedsTwoNumbersMessage, 0},
        {"1", 0, InvalidDistributionSizeMessage, 0},
    };
    for (const auto& c : cases) {
        int k = 0;
        const char* got = ReadDistributionSize(c.text, c.forecast, k);
        EXPECT_STREQ(got, c.message) << c.text;
        if (!c.message) {
            EXPECT_EQ(k, c.k);
        }
    }
}
