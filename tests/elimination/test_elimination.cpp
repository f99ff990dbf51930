// The eliminators and the probability grid against their literal forms on the real archive and on
// seeded random archives and plays; the edges of the scores, the sort's ties and the refusals.
#include "elimination/Elimination.h"
#include "elimination/ProbabilityGrid.h"

#include "LiteralElimination.h"
#include "core/OperatorImport.h"
#include "stats/RandomDraws.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

using namespace numora;

namespace {

struct Tables {
    DrawArchive draws;
    DelayTable delays;
    FrequencyTable frequencies;
};

std::unique_ptr<Tables> TablesOf(const DrawArchive& a) {
    auto t = std::make_unique<Tables>();
    t->draws = a;
    RebuildDerivedTables(t->draws, t->delays, t->frequencies);
    return t;
}

// Random plays: 0..10 numbers (some without any), any wheel mask (some empty).
void RandomPlays(PlayList& list, unsigned seed, int count, int pool = 90) {
    std::mt19937 rng(seed);
    std::vector<int> numbers(90);
    for (int i = 1; i <= count; ++i) {
        Play& p = list.play(i);
        p = Play{};
        std::iota(numbers.begin(), numbers.end(), 1);
        std::shuffle(numbers.begin(), numbers.begin() + pool, rng);
        const int k = rng() % 23 == 0 ? 0 : 1 + static_cast<int>(rng() % 10);
        std::sort(numbers.begin(), numbers.begin() + k);
        for (int j = 0; j < k; ++j)
            p.numbers[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(numbers[static_cast<std::size_t>(j)]);
        const unsigned r = rng() % 6;
        p.wheels = r == 0 ? 0 : (r == 1 ? (1u << 11) : static_cast<std::uint16_t>(rng() % 4096));
        p.stakes[0] = i;
    }
    list.setCount(count);
}

bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

struct CriteriaCase {
    bool delayOn;
    double dlo, dhi;
    bool freqOn;
    double fmost, fleast;
};
const CriteriaCase Criteria[] = {
    {true, 0, 50, true, 0, 50},  {true, 12.5, 37.25, true, 3.3, 60.1}, {true, 0, 100, false, 0, 0},
    {false, 0, 0, true, 10, 90}, {true, 20, 20, true, 0, 40},
};

EliminationCriteria CriteriaOf(const CriteriaCase& c) {
    EliminationCriteria k;
    k.delayOn = c.delayOn;
    k.dlo = c.dlo;
    k.dhi = c.dhi;
    k.frequencyOn = c.freqOn;
    k.fmost = c.fmost;
    k.fleast = c.fleast;
    return k;
}

void CompareLessProbable(const Tables& t, unsigned seed, int count) {
    auto list = std::make_unique<PlayList>();
    RandomPlays(*list, seed, count);
    for (const CriteriaCase& c : Criteria) {
        SCOPED_TRACE(testing::Message() << "seed " << seed << " " << c.dlo << "/" << c.dhi << " " << c.fmost << "/"
                                        << c.fleast);
        std::vector<double> got;
        ASSERT_TRUE(LessProbableScores(*list, CriteriaOf(c), t.delays, t.frequencies, got));
        EXPECT_TRUE(SameBits(got, literal::LessProbableScores(*list, CriteriaOf(c), t.delays, t.frequencies)));
    }
}

} // namespace

TEST(LessProbableScores, MatchTheLiteralScoresOnTheRealArchive) {
    const DrawArchive* a = test::RealArchive();
    if (!a) GTEST_SKIP() << "no real archive";
    const auto t = TablesOf(*a);
    for (unsigned seed : {1u, 2u, 3u}) CompareLessProbable(*t, seed, 2000);
}

TEST(LessProbableScores, MatchTheLiteralScoresOnRandomArchives) {
    for (unsigned seed : {4u, 5u, 6u}) {
        const auto t = TablesOf(test::RandomArchive(seed, 50 + 40 * static_cast<int>(seed), seed == 6 ? 12 : 90));
        CompareLessProbable(*t, seed, 1500);
    }
    const auto empty = TablesOf(DrawArchive{}); // every delay and frequency equal: only 0/0 fractions
    CompareLessProbable(*empty, 7, 300);
}

TEST(LessProbableScores, AFartherDelayOnOneWheelRaisesTheRangeForTheLaterPlays) {
    auto t = std::make_unique<Tables>();
    for (int n = 1; n <= 90; ++n)
        for (int w = 1; w <= 11; ++w) t->delays.at(w, n) = n % 10; // smallest delays 0..9
    t->delays.at(1, 5) = 30; // number 5 on Bari only: further than any smallest delay
    t->delays.at(2, 5) = 0;
    PlayList list;
    list.play(1) = test::MakePlay({9}, {1, 0, 0, 0, 0}, 1u << 11);
    list.play(2) = test::MakePlay({5}, {1, 0, 0, 0, 0}, 1u << 0);
    list.play(3) = test::MakePlay({9}, {1, 0, 0, 0, 0}, 1u << 11);
    list.play(4) = test::MakePlay({}, {1, 0, 0, 0, 0}, 1u << 11);
    list.play(5) = test::MakePlay({1, 2}, {1, 0, 0, 0, 0}, 0);
    list.play(6) = test::MakePlay({9}, {1, 0, 0, 0, 0}, 1u << 11);
    list.setCount(6);
    EliminationCriteria c;
    c.frequencyOn = false;
    c.fmost = c.fleast = 0;
    std::vector<double> s;
    ASSERT_TRUE(LessProbableScores(list, c, t->delays, t->frequencies, s));
    EXPECT_DOUBLE_EQ(s[0], 50.0);          // 9 of 0..9
    EXPECT_DOUBLE_EQ(s[1], 50.0);          // 30 raises the range before its own term
    EXPECT_DOUBLE_EQ(s[2], 50.0 * 9 / 30); // the range stays raised
    EXPECT_EQ(s[3], 0.0);                  // no numbers
    EXPECT_DOUBLE_EQ(s[4], 50.0);          // no wheels: delay 100000000, the range raised again
    EXPECT_DOUBLE_EQ(s[5], 50.0 * 9 / 100000000);
    EXPECT_TRUE(SameBits(s, literal::LessProbableScores(list, c, t->delays, t->frequencies)));
}

TEST(CustomProbabilityScores, MatchTheLiteralMeans) {
    struct {
        unsigned seed;
        int kind; // 0 random, 1 all 50, 2 random with zeros
    } cases[] = {{1, 0}, {2, 1}, {3, 2}};
    for (const auto& c : cases) {
        std::mt19937 rng(c.seed);
        std::array<double, 90> p{};
        for (double& v : p) v = c.kind == 1 ? 50.0 : (c.kind == 2 && rng() % 3 == 0 ? 0.0 : (rng() % 10001) / 100.0);
        auto list = std::make_unique<PlayList>();
        RandomPlays(*list, c.seed, 3000);
        std::vector<double> got;
        ASSERT_TRUE(CustomProbabilityScores(*list, p, got));
        EXPECT_TRUE(SameBits(got, literal::CustomScores(*list, p))) << c.seed;
    }
    PlayList three;
    three.play(1) = test::MakePlay({1, 2, 3});
    three.setCount(1);
    std::array<double, 90> p{};
    p.fill(50);
    p[0] = 10;
    p[1] = 20;
    p[2] = 60;
    std::vector<double> s;
    ASSERT_TRUE(CustomProbabilityScores(three, p, s));
    EXPECT_DOUBLE_EQ(s[0], 30.0); // over its 3 numbers, not 10
}

TEST(EliminationOrder, IsTheExchangeSortsOrder) {
    // Distinct values 1 (all equal), 2, 3, 50, and near-distinct reals; lengths up to 3000.
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 rng(seed);
        const int p = seed <= 30 ? 1 + static_cast<int>(rng() % 300) : 3000;
        const int distinct[] = {1, 2, 3, 50, 0};
        const int d = distinct[seed % 5];
        std::vector<double> s(static_cast<std::size_t>(p));
        for (double& v : s) v = d == 0 ? (rng() % 1000000) / 7.0 : static_cast<double>(rng() % d) * 12.5;
        EXPECT_EQ(EliminationOrder(s), literal::SortOrder(s)) << "seed " << seed << " P " << p;
    }
    // a, a, b with a < b: b, then the second a, then the first a.
    EXPECT_EQ(EliminationOrder(std::vector<double>{1, 1, 2}), (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(EliminationOrder(std::vector<double>{0.0, -0.0, 0.0}), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(EliminationOrder(std::vector<double>{}).empty());
}

TEST(RemoveLeastScored, LeavesTheLiteralList) {
    struct {
        unsigned seed;
        int plays;
        int remove; // -1: P - 1
        int distinct;
    } cases[] = {{1, 500, 1, 0}, {2, 700, -1, 0}, {3, 900, 300, 4}, {4, 400, 100, 1}, {5, 1, 0, 0}};
    for (const auto& c : cases) {
        auto list = std::make_unique<PlayList>();
        RandomPlays(*list, c.seed, c.plays);
        std::mt19937 rng(c.seed);
        std::vector<double> s(static_cast<std::size_t>(c.plays));
        for (double& v : s) v = c.distinct == 0 ? rng() / 3.0 : static_cast<double>(rng() % c.distinct);
        const int e = c.remove < 0 ? c.plays - 1 : c.remove;
        auto want = std::make_unique<PlayList>(*list);
        literal::Eliminate(*want, s, e);
        RemoveLeastScored(*list, s, e);
        ASSERT_EQ(list->count(), want->count());
        for (int i = 1; i <= list->count(); ++i)
            EXPECT_EQ(list->play(i), want->play(i)) << "seed " << c.seed << " play " << i;
    }
    // E = P - 1 keeps the first play in list order with the highest score.
    PlayList l;
    for (int i = 1; i <= 4; ++i) l.play(i) = test::MakePlay({i});
    l.setCount(4);
    const std::vector<double> s{3, 7, 1, 7};
    RemoveLeastScored(l, s, 3);
    ASSERT_EQ(l.count(), 1);
    EXPECT_EQ(l.play(1).numbers[0], 2);
}

TEST(EliminationScores, StopAtTheAnswerAfterEvery173Plays) {
    auto list = std::make_unique<PlayList>();
    RandomPlays(*list, 9, 1000);
    std::vector<std::uint64_t> calls;
    Progress progress{[&](const ProgressStatus& st) {
                          calls.push_back(st.done);
                          return st.done < 346;
                      },
                      1};
    std::array<double, 90> p{};
    std::vector<double> s;
    EXPECT_FALSE(CustomProbabilityScores(*list, p, s, progress));
    EXPECT_EQ(calls, (std::vector<std::uint64_t>{173, 346}));
    calls.clear();
    DelayTable d;
    FrequencyTable f;
    EXPECT_FALSE(LessProbableScores(*list, EliminationCriteria{}, d, f, s, progress));
    EXPECT_EQ(calls, (std::vector<std::uint64_t>{173, 346}));
}

TEST(EliminationCriteria, AreReadAndCheckedInTheDialogsOrder) {
    struct {
        bool d;
        const char *dlo, *dhi;
        bool f;
        const char *fmost, *fleast;
        const char* message; // nullptr: accepted
    } cases[] = {
        {true, "0", "50", true, "0", "50", nullptr},
        {true, "12.5", "40,5", true, "0", "50", nullptr},
        {true, "", "50", true, "0", "50", "La probabilità del numero meno ritardatario non è valida!"},
        {true, "0", "101", true, "0", "50", "La probabilità del numero più ritardatario non è valida!"},
        {true, "30", "20", true, "0", "50", "Una delle probabilità minime è maggiore della massima!"},
        {true, "0", "50", true, "x", "50", "La probabilità del numero più frequente non è valida!"},
        {true, "0", "50", true, "0", "-1", "La probabilità del numero meno frequente non è valida!"},
        {true, "0", "50", true, "20", "10", "Una delle probabilità minime è maggiore della massima!"},
        {true, "0", "60", true, "0", "50", "La somma delle probabilità massime non può essere maggiore di 100!"},
        {true, "20", "20", true, "30", "30",
         "La somma delle probabilità massime deve essere maggiore della somma delle probabilità minime!"},
        {false, "x", "x", false, "x", "x",
         "La somma delle probabilità massime deve essere maggiore della somma delle probabilità minime!"},
        {false, "x", "x", true, "0", "100", nullptr},
    };
    for (const auto& c : cases) {
        EliminationCriteriaTexts t{c.d, c.dlo, c.dhi, c.f, c.fmost, c.fleast};
        EliminationCriteria k;
        const char* m = ReadEliminationCriteria(t, k);
        EXPECT_STREQ(m, c.message) << c.dlo << " " << c.dhi << " " << c.fmost << " " << c.fleast;
    }
    EliminationCriteria k;
    ASSERT_EQ(ReadEliminationCriteria({true, "12,5", "37.5", false, "", ""}, k), nullptr);
    EXPECT_EQ(k.dlo, 12.5);
    EXPECT_EQ(k.fleast, 0.0);

    int e = 0;
    for (const char* bad : {"", "0", "6", "x", "-1", "2.5"}) EXPECT_FALSE(ReadEliminationCount(bad, 5, e)) << bad;
    ASSERT_TRUE(ReadEliminationCount("5", 5, e));
    EXPECT_EQ(e, 5);
}

TEST(ProbabilityGrid, StatisticsAndSuggestionMatchTheLiteralScans) {
    std::vector<std::unique_ptr<DrawArchive>> archives;
    if (const DrawArchive* a = test::RealArchive()) archives.push_back(std::make_unique<DrawArchive>(*a));
    archives.push_back(std::make_unique<DrawArchive>(test::RandomArchive(11, 120, 20)));
    archives.push_back(std::make_unique<DrawArchive>());
    const std::uint16_t masks[] = {1u << 11, AllElevenWheels, 1u << 10, (1u << 0) | (1u << 7), 1u << 4};
    for (const auto& a : archives)
        for (std::uint16_t m : masks) {
            SCOPED_TRACE(testing::Message() << "draws " << a->count() << " mask " << m);
            const ArchiveHistory h = ComputeArchiveHistory(*a, m);
            for (int n = 1; n <= 90; ++n) {
                const auto [d, f] = literal::History(*a, m, n);
                EXPECT_EQ(h.delay[static_cast<std::size_t>(n)], d) << n;
                EXPECT_EQ(h.frequency[static_cast<std::size_t>(n)], f) << n;
            }
            EXPECT_EQ(SuggestedProbabilities(h), literal::Suggestion(*a, m));
        }
    // An empty archive suggests 0 for every number.
    const auto empty = SuggestedProbabilities(ComputeArchiveHistory(DrawArchive{}, 1u << 11));
    for (double v : empty) EXPECT_EQ(v, 0.0);
}

TEST(ProbabilityGrid, CellsAreShownAndReadBack) {
    EXPECT_EQ(ProbabilityText(50), "50.00");
    EXPECT_EQ(ProbabilityText(7.25), "7.25");
    EXPECT_EQ(ProbabilityText(0), "0.00");
    struct {
        const char* text;
        bool ok;
        double value;
    } cells[] = {{"12,5", true, 12.5}, {"12.5", true, 12.5}, {" 100", true, 100}, {"0", true, 0},
                 {"", false, 0},       {"abc", false, 0},    {"120", false, 0},   {"-1", false, 0},
                 {"5x", false, 0},     {"100.01", false, 0}};
    for (const auto& c : cells) {
        double v = -7;
        EXPECT_EQ(ReadProbabilityCell(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
    std::array<double, 90> p{};
    p.fill(50);
    EXPECT_EQ(StoreProbabilityRows({{3, "10"}, {7, "20,5"}, {9, "ab"}, {12, "30"}}, p), 3);
    EXPECT_EQ(p[2], 10);
    EXPECT_EQ(p[6], 20.5);
    EXPECT_EQ(p[8], 50);
    EXPECT_EQ(p[11], 50); // after the invalid row: not stored
    EXPECT_EQ(StoreProbabilityRows({{12, "30"}}, p), 0);
    EXPECT_EQ(p[11], 30);
    EXPECT_EQ(InvalidRowMessage(4, true),
              "Probabilità non valida. La riga nº 4 contiene valori non validi!\rCorreggere e riprovare.");
    EXPECT_EQ(InvalidRowMessage(2, false), "La riga nº 2 contiene valori non validi!\rCorreggere e riprovare.");
}
