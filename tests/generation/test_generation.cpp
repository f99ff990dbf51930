// The generators against their literal algorithms, over the real archive's tables and seeded
// random ones, with ties, fixed numbers inside and outside the forecast, committed plays on the
// same and on another mask, the edges of K and M, and the 100000-play limit.
#include "generation/LiteralGeneration.h"

#include "core/OperatorImport.h"
#include "core/PlayIndex.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

#include <memory>
#include <random>

namespace numora {
namespace {

struct Tables {
    DelayTable delays;
    FrequencyTable frequencies;
    std::string name;
};

// The tables of the real archive (when present) and two random ones: one with a wide range, one
// with so few values that equal scores are everywhere.
const std::vector<Tables>& AllTables() {
    static const std::vector<Tables> tables = [] {
        std::vector<Tables> t;
        if (const DrawArchive* archive = test::RealArchive()) {
            Tables real{{}, {}, "archivio"};
            RebuildDerivedTables(*archive, real.delays, real.frequencies);
            t.push_back(real);
        }
        for (int range : {300, 3}) {
            std::mt19937 g(static_cast<unsigned>(range));
            Tables r{{}, {}, "casuali " + std::to_string(range)};
            for (int w = 1; w <= 12; ++w)
                for (int n = 1; n <= 90; ++n) {
                    r.delays.at(w, n) = static_cast<std::int32_t>(g() % range);
                    r.frequencies.at(w, n) = static_cast<std::int32_t>(g() % range);
                }
            t.push_back(r);
        }
        return t;
    }();
    return tables;
}

std::vector<std::uint8_t> RandomNumbers(std::mt19937& g, int count) {
    std::vector<std::uint8_t> all;
    for (int n = 1; n <= 90; ++n) all.push_back(static_cast<std::uint8_t>(n));
    std::shuffle(all.begin(), all.end(), g);
    all.resize(static_cast<std::size_t>(count));
    return all;
}

std::uint16_t RandomMask(std::mt19937& g) {
    switch (g() % 4) {
    case 0:
        return 1u << 11;
    case 1:
        return static_cast<std::uint16_t>((1u << 11) | (1u << 10));
    case 2:
        return static_cast<std::uint16_t>(1u << (g() % 11));
    default:
        return static_cast<std::uint16_t>((g() & 0x3FF) | 1u);
    }
}

// A list holding some plays the generators could produce (same or other mask) and others.
void Commit(std::mt19937& g, PlayList& list, const PlayRequest& r, int plays) {
    list.clear();
    std::vector<std::uint8_t> f = r.forecast;
    std::sort(f.begin(), f.end());
    for (int i = 1; i <= plays; ++i) {
        Play p;
        const int k = std::min<int>(r.size, static_cast<int>(f.size()));
        std::vector<std::uint8_t> pick = f;
        std::shuffle(pick.begin(), pick.end(), g);
        pick.resize(static_cast<std::size_t>(k));
        std::sort(pick.begin(), pick.end());
        p.setNumbersFrom(pick);
        p.wheels = g() % 3 == 0 ? RandomMask(g) : r.wheels;
        p.stakes = {static_cast<double>(g() % 3), 1, 0, 0, 0};
        list.play(i) = p;
    }
    list.setCount(plays);
}

void ExpectSameLists(const PlayList& a, const PlayList& b) {
    ASSERT_EQ(a.count(), b.count());
    for (int i = 1; i <= a.count(); ++i) ASSERT_EQ(a.play(i), b.play(i)) << "giocata " << i;
}

struct Case {
    PlayRequest request;
    int plays = 0;
    int committed = 0;
};

Case RandomCase(std::mt19937& g, int maxN) {
    Case c;
    const int n = 1 + static_cast<int>(g() % static_cast<unsigned>(maxN));
    c.request.forecast = RandomNumbers(g, n);
    c.request.size = 1 + static_cast<int>(g() % static_cast<unsigned>(std::min(n, 6)));
    c.request.wheels = RandomMask(g);
    c.request.stakes = {0.5, 1, 0, 0, 0};
    const int fixedKind = static_cast<int>(g() % 4);
    if (fixedKind == 1 && c.request.size >= 2) c.request.fixed = {c.request.forecast[0]};
    if (fixedKind == 2 && c.request.size >= 3) c.request.fixed = {c.request.forecast[1], c.request.forecast[0]};
    if (fixedKind == 3) { // a fixed number outside the forecast
        for (int x = 90; x >= 1; --x)
            if (std::find(c.request.forecast.begin(), c.request.forecast.end(), x) == c.request.forecast.end()) {
                c.request.fixed = {static_cast<std::uint8_t>(x)};
                break;
            }
    }
    const int plays[] = {1, 2, 5, 40, 5000};
    c.plays = plays[g() % 5];
    c.committed = static_cast<int>(g() % 3 == 0 ? 0 : g() % 30);
    return c;
}

TEST(ExtractBestPlays, MatchesTheLiteralExtraction) {
    std::mt19937 g(61);
    const ScoreCriteria criteria[] = {{},
                                      {true, 0, 50, false, 0, 0},
                                      {false, 0, 0, true, 10, 60},
                                      {true, 20, 20, true, 0, 50},
                                      {true, 5, 45, true, 7, 55}};
    int cases = 0;
    auto list = std::make_unique<PlayList>();
    auto expected = std::make_unique<PlayList>();
    for (const Tables& t : AllTables())
        for (int round = 0; round < 60; ++round) {
            const Case c = RandomCase(g, round < 50 ? 14 : 22);
            const ScoreCriteria& crit = criteria[static_cast<std::size_t>(round) % std::size(criteria)];
            Commit(g, *list, c.request, c.committed);
            expected->copyFrom(*list);
            std::vector<int> sorted(c.request.forecast.begin(), c.request.forecast.end());
            std::sort(sorted.begin(), sorted.end());
            const literal::DelayFrequencyScorer scorer(t.delays, t.frequencies, crit, c.request.wheels, sorted);
            const int want = literal::ExtractBestPlays(*expected, c.request, c.plays, scorer);
            const PlayScore score = DelayFrequencyScore(c.request.forecast, c.request.size, c.request.wheels, crit,
                                                        t.delays, t.frequencies);
            const RunResult got = ExtractBestPlays(*list, c.request, c.plays, score);
            SCOPED_TRACE(t.name + " giro " + std::to_string(round));
            EXPECT_EQ(got.outcome, RunOutcome::Completed);
            EXPECT_EQ(got.added, want);
            ExpectSameLists(*list, *expected);
            ++cases;
        }
    EXPECT_GE(cases, 120);
}

TEST(ExtractBestPlays, CustomProbabilitiesTieAtTheLastPlaceKeepTheEarlierPlay) {
    std::mt19937 g(7);
    auto list = std::make_unique<PlayList>();
    auto expected = std::make_unique<PlayList>();
    for (int round = 0; round < 40; ++round) {
        std::array<double, 90> p{};
        for (double& v : p) v = round % 2 == 0 ? 50.0 : static_cast<double>(g() % 4) * 12.5; // many ties, some zeros
        Case c = RandomCase(g, 12);
        Commit(g, *list, c.request, c.committed);
        expected->copyFrom(*list);
        const int want = literal::ExtractBestPlays(*expected, c.request, c.plays, [&](const Play& play, int k) {
            double s = 0;
            for (int i = 0; i < k; ++i) s += p[static_cast<std::size_t>(play.numbers[static_cast<std::size_t>(i)] - 1)];
            return s / k;
        });
        const RunResult got = ExtractBestPlays(*list, c.request, c.plays, CustomProbabilityScore(p, c.request.size));
        SCOPED_TRACE(round);
        EXPECT_EQ(got.added, want);
        ExpectSameLists(*list, *expected);
    }
}

// The pruned search where its bounds are tightest: every score equal, and scores one unit in the
// last place apart, for both kinds of score; the kept plays and slots must be the literal's and the
// gauge must pass through the percentages of a report every 64 combinations.
TEST(ExtractBestPlays, PrunedSearchKeepsTheLiteralPlaysAndGaugeOnNearTies) {
    struct Row {
        const char* name;
        bool mean;
        int spread; // 0: all equal; 1: the base value or its neighbour above or below
        double base;
    };
    const Row rows[] = {{"media uguali", true, 0, 37.3},       {"media ultimo bit", true, 1, 0.1},
                        {"somma uguali", false, 0, 1.0 / 3.0}, {"somma ultimo bit", false, 1, 7.7},
                        {"media interi", true, 2, 12.5},       {"somma interi", false, 2, 12.5}};
    std::mt19937 g(29);
    auto list = std::make_unique<PlayList>();
    auto expected = std::make_unique<PlayList>();
    for (const Row& row : rows)
        for (int round = 0; round < 12; ++round) {
            auto value = [&] {
                if (row.spread == 0) return row.base;
                if (row.spread == 2) return row.base * static_cast<double>(g() % 4);
                const int side = static_cast<int>(g() % 3);
                return side == 0 ? row.base : std::nextafter(row.base, side == 1 ? 1e9 : -1e9);
            };
            PlayScore score;
            for (int n = 1; n <= 90; ++n) {
                score.first[static_cast<std::size_t>(n)] = value();
                score.second[static_cast<std::size_t>(n)] = row.mean ? 0.0 : value();
            }
            PlayRequest r;
            r.forecast = RandomNumbers(g, 9 + static_cast<int>(g() % 16));
            r.size = 2 + static_cast<int>(g() % 4);
            r.wheels = RandomMask(g);
            r.stakes = {1, 0, 0, 0, 0};
            score.divisor = row.mean ? r.size : 0;
            const int plays[] = {1, 3, 64, 700};
            const int m = plays[round % 4];
            Commit(g, *list, r, round % 3 == 0 ? 0 : 20);
            expected->copyFrom(*list);
            const int want = literal::ExtractBestPlays(*expected, r, m, [&](const Play& play, int k) {
                double a = 0, b = 0;
                for (int i = 0; i < k; ++i) {
                    a = a + score.first[play.numbers[static_cast<std::size_t>(i)]];
                    b = b + score.second[play.numbers[static_cast<std::size_t>(i)]];
                }
                return row.mean ? a / score.divisor : a + b;
            });
            std::vector<long> gauge;
            std::uint64_t lastDone = 0;
            bool onPoints = true;
            const Progress progress{
                [&](const ProgressStatus& st) {
                    onPoints = onPoints && st.done % 64 == 0 && st.done > lastDone && st.done <= st.total;
                    lastDone = st.done;
                    const long pct = std::lround(static_cast<double>(st.done) / static_cast<double>(st.total) * 100.0);
                    if (gauge.empty() || gauge.back() != pct) gauge.push_back(pct);
                    return true;
                },
                64};
            const RunResult got = ExtractBestPlays(*list, r, m, score, progress);
            SCOPED_TRACE(std::string(row.name) + " giro " + std::to_string(round));
            EXPECT_EQ(got.added, want);
            ExpectSameLists(*list, *expected);
            const double total = PlayCountOf(static_cast<int>(r.forecast.size()), r.size);
            std::vector<long> literalGauge;
            for (double counter = 64; counter <= total; counter += 64) {
                const long pct = std::lround(counter / total * 100.0);
                if (literalGauge.empty() || literalGauge.back() != pct) literalGauge.push_back(pct);
            }
            EXPECT_TRUE(onPoints);
            EXPECT_EQ(gauge, literalGauge);
        }
}

TEST(ExtractBestPlays, EdgesOfTheRun) {
    auto list = std::make_unique<PlayList>();
    PlayRequest r;
    r.forecast = {4, 9, 30};
    r.size = 3;
    r.wheels = 1u << 11;
    r.stakes = {1, 0, 0, 0, 0};
    std::array<double, 90> p{};
    p.fill(10);
    // K = N: exactly one play; the same again on the same mask is blocked, on another mask not.
    EXPECT_EQ(ExtractBestPlays(*list, r, 5, CustomProbabilityScore(p, 3)).added, 1);
    EXPECT_EQ(ExtractBestPlays(*list, r, 5, CustomProbabilityScore(p, 3)).added, 0);
    r.wheels = 1u;
    EXPECT_EQ(ExtractBestPlays(*list, r, 5, CustomProbabilityScore(p, 3)).added, 1);
    EXPECT_EQ(list->count(), 2);
    // Scores not above 0 are never kept.
    p.fill(0);
    r.size = 1;
    EXPECT_EQ(ExtractBestPlays(*list, r, 5, CustomProbabilityScore(p, 1)).added, 0);
    // An interruption commits nothing.
    p.fill(10);
    r.forecast = RandomNumbers(*std::make_unique<std::mt19937>(3), 20);
    r.size = 4;
    const Progress stop{[](const ProgressStatus&) { return false; }, 64};
    const RunResult interrupted = ExtractBestPlays(*list, r, 10, CustomProbabilityScore(p, 4), stop);
    EXPECT_EQ(interrupted.outcome, RunOutcome::Interrupted);
    EXPECT_EQ(list->count(), 2);
    // count + M may reach 100000, not pass it.
    list->setCount(PlayList::Capacity - 10);
    EXPECT_EQ(ExtractBestPlays(*list, r, 11, CustomProbabilityScore(p, 4)).outcome, RunOutcome::ListFull);
    EXPECT_EQ(list->count(), PlayList::Capacity - 10);
    EXPECT_EQ(ExtractBestPlays(*list, r, 10, CustomProbabilityScore(p, 4)).added, 10);
    EXPECT_EQ(list->count(), PlayList::Capacity);
}

TEST(RandomGenerators, MatchTheLiteralDrawsAndRemovals) {
    std::mt19937 g(5);
    auto list = std::make_unique<PlayList>();
    auto expected = std::make_unique<PlayList>();
    for (int round = 0; round < 80; ++round) {
        Case c = RandomCase(g, round < 20 ? 4 : 15);
        if (!c.request.fixed.empty() && static_cast<int>(c.request.fixed.size()) > c.request.size)
            c.request.fixed.clear();
        c.plays = std::min(c.plays, 300);
        Commit(g, *list, c.request, c.committed);
        expected->copyFrom(*list);
        StdRandom a(static_cast<std::uint64_t>(round)), b(static_cast<std::uint64_t>(round));
        const int want = literal::ExtractRandomPlays(*expected, c.request, c.plays, a);
        const RunResult got = ExtractRandomPlays(*list, c.request, c.plays, b);
        SCOPED_TRACE(round);
        EXPECT_EQ(got.added, want);
        ExpectSameLists(*list, *expected);
        if (list->count() > 1) {
            const int e = 1 + static_cast<int>(g() % static_cast<unsigned>(list->count()));
            literal::EliminateRandomPlays(*expected, e, a);
            ASSERT_TRUE(EliminateRandomPlays(*list, e, b));
            ExpectSameLists(*list, *expected);
        }
    }
}

TEST(RandomGenerators, RepeatLimitAndRefusals) {
    auto list = std::make_unique<PlayList>();
    PlayRequest r;
    r.forecast = {10, 20, 30};
    r.size = 2;
    r.wheels = 1u << 11;
    StdRandom random(1);
    // Three distinct plays exist; the 10001st repeat ends the run with what it has.
    EXPECT_EQ(ExtractRandomPlays(*list, r, 10, random).added, 3);
    // Fixed numbers as many as K: the fixed play alone, once.
    r.fixed = {30, 77};
    EXPECT_EQ(ExtractRandomPlays(*list, r, 10, random).added, 1);
    EXPECT_EQ(list->play(4).numbers[0], 30);
    EXPECT_EQ(list->play(4).numbers[1], 77);
    EXPECT_EQ(ExtractRandomPlays(*list, r, 10, random).added, 0);
    // Elimination counts out of range change nothing; E = P draws nothing.
    EXPECT_FALSE(EliminateRandomPlays(*list, 0, random));
    EXPECT_FALSE(EliminateRandomPlays(*list, 5, random));
    SequenceRandom none({});
    EXPECT_TRUE(EliminateRandomPlays(*list, 4, none));
    EXPECT_EQ(none.draws(), 0);
    EXPECT_EQ(list->count(), 0);
}

TEST(DevelopIntegral, MatchesTheLiteralDevelopmentUpToTheLimit) {
    std::mt19937 g(11);
    auto list = std::make_unique<PlayList>();
    auto expected = std::make_unique<PlayList>();
    for (int round = 0; round < 60; ++round) {
        Case c = RandomCase(g, 16);
        Commit(g, *list, c.request, c.committed);
        if (round % 10 == 9) list->setCount(PlayList::Capacity - static_cast<int>(g() % 40));
        expected->copyFrom(*list);
        const int want = literal::DevelopIntegral(*expected, c.request);
        const RunResult got = DevelopIntegral(*list, c.request);
        SCOPED_TRACE(round);
        EXPECT_EQ(got.outcome == RunOutcome::ListFull, want < 0);
        if (want >= 0) {
            EXPECT_EQ(got.added, want);
        }
        ExpectSameLists(*list, *expected);
    }
    // The candidate test on its own: fixed numbers first, then the committed plays.
    PlayList one;
    one.play(1) = test::MakePlay({1, 2});
    one.setCount(1);
    const PlayIndex index(one);
    const std::uint8_t fixed[] = {2};
    EXPECT_FALSE(CandidatePasses(test::MakePlay({1, 2}), fixed, index));
    EXPECT_TRUE(CandidatePasses(test::MakePlay({2, 3}), fixed, index));
    EXPECT_FALSE(CandidatePasses(test::MakePlay({1, 3}), fixed, index));
    EXPECT_TRUE(CandidatePasses(test::MakePlay({1, 2}, {1, 0, 0, 0, 0}, 1u), {}, index));
}

TEST(ScoreCriteria, ChecksInTheDialogsOrder) {
    struct Row {
        ScoreCriteriaTexts texts;
        const char* message;
    };
    const Row rows[] = {
        {{true, "", "50", true, "0", "50"}, "La probabilità del numero meno ritardatario non è valida!"},
        {{true, "0", "101", true, "0", "50"}, "La probabilità del numero più ritardatario non è valida!"},
        {{true, "30", "20", true, "x", "50"}, "Una delle probabilità minime è maggiore della massima!"},
        {{true, "0", "50", true, "-1", "50"}, "La probabilità del numero più frequente non è valida!"},
        {{true, "0", "50", true, "0", "5a"}, "La probabilità del numero meno frequente non è valida!"},
        {{true, "0", "60", true, "0", "50"}, "La somma delle probabilità massime non può essere maggiore di 100!"},
        {{false, "x", "x", false, "x", "x"},
         "La somma delle probabilità massime deve essere maggiore della somma delle probabilità minime!"},
        {{true, "20", "20", false, "", ""},
         "La somma delle probabilità massime deve essere maggiore della somma delle probabilità minime!"},
        {{true, " 0", "50 ", true, "0", "50"}, nullptr},
    };
    for (const Row& row : rows) {
        ScoreCriteria c;
        const char* got = ReadScoreCriteria(row.texts, c);
        EXPECT_STREQ(got, row.message) << row.texts.dlo << "/" << row.texts.dhi;
    }
    int m = 0;
    EXPECT_FALSE(ReadPlayCount("", m));
    EXPECT_FALSE(ReadPlayCount("0", m));
    EXPECT_TRUE(ReadPlayCount("12", m));
    EXPECT_EQ(m, 12);
    EXPECT_DOUBLE_EQ(PlayCountOf(10, 5), 252);
    EXPECT_DOUBLE_EQ(PlayCountOf(90, 1), 90);
}

} // namespace
} // namespace numora
