// The probability engine against the literal computation on the real archive and on seeded
// random ones, the edges of the scores and the order of the refusals.
#include "probability/NumberProbability.h"

#include "LiteralProbability.h"
#include "core/OperatorImport.h"
#include "stats/RandomDraws.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace numora;

namespace {

struct Case {
    int start, end;
    WheelSet wheels;
    bool delayOn;
    double dlo, dhi;
    bool freqOn;
    double fmost, fleast;
};

ProbabilityCriteria CriteriaOf(const Case& c) {
    ProbabilityCriteria k;
    k.startText = std::to_string(c.start);
    k.endText = std::to_string(c.end);
    k.wheels = c.wheels;
    k.delayOn = c.delayOn;
    k.frequencyOn = c.freqOn;
    k.dloText = FormatProbability(c.dlo);
    k.dhiText = FormatProbability(c.dhi);
    k.fmostText = FormatProbability(c.fmost);
    k.fleastText = FormatProbability(c.fleast);
    return k;
}

// Values bit for bit and the ranking in both orders.
void Compare(const DrawArchive& a, const Case& c) {
    SCOPED_TRACE(testing::Message() << c.start << ".." << c.end << " wheels " << c.wheels << " d" << c.delayOn << " "
                                    << c.dlo << "/" << c.dhi << " f" << c.freqOn << " " << c.fmost << "/" << c.fleast);
    const NumberProbabilities got = ComputeNumberProbabilities(a, CriteriaOf(c));
    ASSERT_TRUE(got.ok) << got.message;
    const auto want =
        oracle::LiteralProbabilities(a, c.start, c.end, c.wheels, c.delayOn, c.dlo, c.dhi, c.freqOn, c.fmost, c.fleast);
    for (int i = 0; i < 90; ++i) EXPECT_EQ(got.p[i], want[i]) << "number " << i + 1;
    for (bool desc : {true, false}) {
        const auto ranked = RankNumbers(got.p, desc);
        const auto literal = oracle::LiteralRanking(want, desc);
        ASSERT_EQ(ranked.size(), 90u);
        for (int r = 0; r < 90; ++r) EXPECT_EQ(ranked[r].number, literal[r].first) << "rank " << r << " desc " << desc;
    }
}

std::vector<Case> SomeCases(int n, std::mt19937& rng) {
    std::vector<Case> cases = {
        {1, n, RegionalWheelSet, true, 0, 50, true, 0, 50},
        {n, n, 0x001, true, 0, 50, true, 10, 50},      // start = end on one wheel
        {n, 1, AllWheelSet, true, 5, 60, true, 0, 40}, // reversed, Tutte + R. Nazionale
        {1, n, 0x400, true, 0, 50, false, 0, 0},       // R. Nazionale alone, delay only
        {1, n, RegionalWheelSet, false, 0, 0, true, 20, 20.5},
        {1, 1, RegionalWheelSet, true, 30, 30, true, 0, 70},
    };
    for (int i = 0; i < 12; ++i) {
        const int s = 1 + static_cast<int>(rng() % n), e = 1 + static_cast<int>(rng() % n);
        const int dlo = static_cast<int>(rng() % 30), dhi = dlo + static_cast<int>(rng() % 20),
                  fmost = static_cast<int>(rng() % 30);
        const int fleast = fmost + 1 + static_cast<int>(rng() % static_cast<unsigned>(100 - dhi - fmost));
        cases.push_back({s, e, static_cast<WheelSet>(1 + rng() % AllWheelSet), rng() % 3 != 0, double(dlo), double(dhi),
                         true, double(fmost), double(fleast)});
    }
    return cases;
}

} // namespace

TEST(NumberProbability, MatchesLiteralOnTheRealArchive) {
    const DrawArchive* a = test::RealArchive();
    if (!a) GTEST_SKIP() << "no real archive";
    std::mt19937 rng(5);
    for (const Case& c : SomeCases(a->count(), rng)) Compare(*a, c);
}

TEST(NumberProbability, MatchesLiteralOnRandomArchives) {
    // Small pools leave numbers absent and many ties; pool 5 on one draw gives equal delays.
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        for (int pool : {5, 12, 90}) {
            const DrawArchive a = test::RandomArchive(seed, 1 + static_cast<int>(seed) * 37, pool);
            std::mt19937 rng(seed * 100 + static_cast<unsigned>(pool));
            for (const Case& c : SomeCases(a.count(), rng)) Compare(a, c);
        }
    }
}

TEST(NumberProbability, EdgesOfTheScores) {
    const DrawArchive a = test::RandomArchive(9, 200, 90);
    // start = end: all delays 0, so no delay score; one wheel: its five numbers get Fmost.
    Case one{150, 150, 0x001, true, 10, 50, true, 7, 50};
    NumberProbabilities r = ComputeNumberProbabilities(a, CriteriaOf(one));
    ASSERT_TRUE(r.ok);
    const DrawRecord& d = a.draw(150);
    for (int n = 1; n <= 90; ++n) {
        const bool drawn = d.hasNumber(1, n);
        const bool wheelEmpty = d.number(1, 0) == 0;
        EXPECT_EQ(r.p[n - 1], wheelEmpty ? 0.0 : drawn ? 7.0 : 50.0) << n;
    }
    // An empty archive refuses the start; everything zero ranks 1..90 in both orders.
    ProbabilityCriteria empty;
    empty.endText = "0";
    EXPECT_STREQ(ComputeNumberProbabilities(DrawArchive{}, empty).message, InvalidStartMessage);
    std::array<double, 90> zero{};
    for (bool desc : {true, false}) {
        const auto ranked = RankNumbers(zero, desc);
        for (int i = 0; i < 90; ++i) EXPECT_EQ(ranked[i].number, i + 1);
    }
    EXPECT_EQ(FormatProbability(3.125), "3.12");
    EXPECT_EQ(FormatProbability(50), "50.00");
}

TEST(NumberProbability, RefusalsInOrder) {
    const DrawArchive a = test::RandomArchive(3, 50, 90);
    struct Row {
        const char *start, *end;
        bool delayOn;
        const char *dlo, *dhi;
        bool freqOn;
        const char *fmost, *fleast;
        const char* message; // nullptr: accepted
    } rows[] = {
        {"0", "x", true, "x", "x", true, "x", "x", InvalidStartMessage},
        {"1", "51", true, "x", "x", true, "x", "x", InvalidEndMessage},
        {"50", "1", true, "100.5", "x", true, "x", "x", InvalidDloMessage},
        {"1", "50", true, "0", "1,5", true, "x", "x", InvalidDhiMessage},
        {"1", "50", true, "20", "10", true, "x", "x", MinAboveMaxMessage},
        {"1", "50", true, "0", "50", true, "-1", "x", InvalidFmostMessage},
        {"1", "50", true, "0", "50", true, "0", "", InvalidFleastMessage},
        {"1", "50", true, "0", "50", true, "30", "20", MinAboveMaxMessage},
        {"1", "50", true, "0", "50", true, "0", "50.01", MaximaAbove100Message},
        {"1", "50", false, "x", "x", true, "20", "20", MaximaNotAboveMinimaMessage},
        {"1", "50", false, "x", "x", false, "x", "x", MaximaNotAboveMinimaMessage},
        {"1", "50", true, "25", "25", true, "25", "25", MaximaNotAboveMinimaMessage},
        {"1", "50", true, "0", "50", true, "0", "50", nullptr},
        {"1", "50", true, " 0 ", "60.", true, "0", "40.0", nullptr},
        {"1", "50", false, "x", "x", true, "0", "100", nullptr},
    };
    for (const Row& row : rows) {
        ProbabilityCriteria c{row.start, row.end,    RegionalWheelSet, row.delayOn, row.dlo,
                              row.dhi,   row.freqOn, row.fmost,        row.fleast};
        const NumberProbabilities r = ComputeNumberProbabilities(a, c);
        EXPECT_EQ(r.ok, row.message == nullptr) << row.start << " " << row.dlo << " " << row.fleast;
        if (row.message) {
            EXPECT_STREQ(r.message, row.message) << row.dlo << " " << row.fmost << " " << row.fleast;
        }
    }
}
