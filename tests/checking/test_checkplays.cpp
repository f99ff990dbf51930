#include "checking/CheckPlays.h"
#include "core/OperatorImport.h"
#include "core/TextHelpers.h"
#include "oracle/LiteralCheck.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace numora;
using numora::test::MakePlay;

namespace {

constexpr std::uint16_t Tutte = 1u << 11, Nazionale = 1u << 10;

const Amount NoCap = Amount::euros(1'000'000'000LL);

CheckDraw DrawWith(int wheel, std::array<int, 5> numbers) {
    CheckDraw d{};
    d[static_cast<std::size_t>(wheel - 1)] = numbers;
    return d;
}

TEST(CheckPlays, ListingLinesAndTotals) {
    // Tutte with one euro on the ambo: 25 on a regional wheel, 250 on R. Nazionale.
    CheckDraw d = DrawWith(1, {1, 2, 30, 40, 50});
    d[10] = {1, 2, 31, 41, 51};
    const Play plays[] = {MakePlay({1, 2}, {0, 1, 0, 0, 0}, Tutte),
                          MakePlay({1, 2}, {0, 1, 0, 0, 0}, Tutte | Nazionale),
                          MakePlay({88, 89}, {1, 1, 0, 0, 0}, Tutte)};
    const CheckResult r = CheckPlays(plays, 3, d, NoCap, 2);
    const std::vector<std::string> expected = {
        std::string(74, '-'),
        "Giocata Nº 1",
        " Ruota: Bari          Nº Ambi indovinati: 1       Vincita: 25,00 Euro",
        std::string(74, '-'),
        "Giocata Nº 2",
        " Ruota: Bari          Nº Ambi indovinati: 1       Vincita: 25,00 Euro",
        " Ruota: R. Nazionale  Nº Ambi indovinati: 1       Vincita: 250,00 Euro",
        std::string(74, '-'),
        std::string(43, ' ') + "VINCITA TOTALE: 300,00 Euro",
    };
    EXPECT_EQ(r.listing, expected);
    EXPECT_EQ(r.counts, (std::array<long long, 5>{0, 3, 0, 0, 0}));
    EXPECT_EQ(FormatAmount(r.total, 2), "300,00");
    // Nothing won: no listing at all.
    EXPECT_TRUE(CheckPlays(plays + 2, 1, d, NoCap, 2).listing.empty());
}

TEST(CheckPlays, ListingColumnsForAProportionalFont) {
    // Every wheel line the listing can hold, widest counts and amounts included, cuts at its three
    // columns with nothing lost; the other lines keep their text after their indent.
    for (int wheel = 1; wheel <= 11; ++wheel)
        for (int k = 1; k <= 5; ++k)
            for (long long c : {1LL, 210LL})
                for (Amount win : {Amount::euros(25), Amount::euros(6'000'000)}) {
                    const std::string line = ListingLine(wheel, k, c, win, 2);
                    const auto pieces = ListingColumns(line);
                    ASSERT_EQ(pieces.size(), 3u) << line;
                    EXPECT_EQ(pieces[0], (ListingPiece{1, "Ruota: " + std::string(WheelName(wheel))}));
                    EXPECT_EQ(pieces[1], (ListingPiece{22, std::string(HitLabels[k - 1]) + " " + std::to_string(c)}));
                    EXPECT_EQ(pieces[2], (ListingPiece{50, "Vincita: " + FormatAmount(win, 2) + " Euro"}));
                }
    const struct {
        std::string line;
        std::vector<ListingPiece> pieces;
    } cases[] = {
        {"Giocata Nº 12", {{0, "Giocata Nº 12"}}},
        {std::string(43, ' ') + "VINCITA TOTALE: 300,00 Euro", {{43, "VINCITA TOTALE: 300,00 Euro"}}},
        {"   ", {}},
        // A field that overran its width is not split.
        {" Ruota: " + std::string(30, 'x'), {{1, "Ruota: " + std::string(30, 'x')}}},
    };
    for (const auto& c : cases) EXPECT_EQ(ListingColumns(c.line), c.pieces) << c.line;
}

TEST(CheckPlays, FiveHitsAndTheCaps) {
    const CheckDraw d = DrawWith(3, {5, 6, 7, 8, 9});
    const Play all = MakePlay({5, 6, 7, 8, 9}, {1, 1, 1, 1, 1}, 1u << 2);
    const CheckResult r = CheckPlays(&all, 1, d, NoCap, 2);
    EXPECT_EQ(r.counts, (std::array<long long, 5>{5, 10, 10, 5, 1}));
    // The cap: the overall amount takes the capped play, the kinds their capped terms.
    const Amount cap = Amount::euros(100'000);
    const CheckResult c = CheckPlays(&all, 1, d, cap, 2);
    EXPECT_EQ(c.total, cap);
    EXPECT_EQ(c.amounts[4], cap);
    EXPECT_EQ(c.amounts[3], cap);
    EXPECT_EQ(FormatAmount(c.amounts[2], 2), "4.500,00");
    EXPECT_GT(c.amounts[2] + c.amounts[3] + c.amounts[4], c.total);
    // The exact amount prints exactly: 0,70 on a cinquina of six numbers with five hits.
    const Play six = MakePlay({5, 6, 7, 8, 9, 10}, {0, 0, 0, 0, 0.7}, 1u << 2);
    EXPECT_EQ(CheckPlays(&six, 1, d, Amount::fromDouble(6e6), 2).listing.back(),
              std::string(43, ' ') + "VINCITA TOTALE: 700.000,00 Euro");
}

TEST(CheckPlays, ReadingTheGrid) {
    struct Case {
        int wheel, pos;
        const char* text;
        bool required;
        const char* message;
    } cases[] = {
        {1, 0, "0", false, "La ruota \"Bari\" contiene dei valori non validi!"},
        {11, 4, "91", false, "La ruota \"R. Nazionale\" contiene dei valori non validi!"},
        {4, 2, "x", false, "La ruota \"Genova\" contiene dei valori non validi!"},
        {4, 2, " 5", false, "La ruota \"Genova\" contiene dei valori non validi!"},
        {2, 1, "1", false, "Alcuni numeri della ruota \"Cagliari\" sono identici!"},
        {5, 3, "", true, "La ruota \"Milano\" contiene dei valori non validi!"},
        {5, 3, "", false, ""},
    };
    for (const Case& c : cases) {
        CheckCells cells;
        for (int w = 0; w < 11; ++w)
            for (int k = 0; k < 5; ++k) cells[w][k] = std::to_string(w * 5 + k + 1);
        cells[1][0] = "1";
        cells[1][1] = "2";
        cells[static_cast<std::size_t>(c.wheel - 1)][static_cast<std::size_t>(c.pos)] = c.text;
        const CheckDrawRead r = ReadCheckCells(cells, c.required);
        EXPECT_EQ(r.message, c.message) << c.text;
        EXPECT_EQ(r.ok, std::string(c.message).empty());
    }
}

std::vector<Play> RandomPlays(int count, std::mt19937& rng) {
    std::vector<Play> plays;
    const double stakes[] = {0, 0.5, 0.7, 1, 1.3, 2.5, 10};
    for (int i = 0; i < count; ++i) {
        Play p;
        const int n = 1 + static_cast<int>(rng() % 10);
        std::vector<int> pool(90);
        for (int k = 0; k < 90; ++k) pool[k] = k + 1;
        std::shuffle(pool.begin(), pool.end(), rng);
        pool.resize(static_cast<std::size_t>(n));
        std::sort(pool.begin(), pool.end());
        p.setNumbersFrom(pool);
        for (int k = 1; k <= 5; ++k) p.setStake(k, k <= n ? stakes[rng() % 7] : 0);
        p.wheels =
            static_cast<std::uint16_t>(rng() % 4 == 0 ? Tutte | (rng() % 2 ? Nazionale : 0) : (rng() % 0x7FF) + 1);
        plays.push_back(p);
    }
    return plays;
}

TEST(CheckPlays, AgreesWithTheLiteralCheckOnTheRealArchive) {
    const DrawArchive* a = test::RealArchive();
    if (!a) GTEST_SKIP() << "no archive";
    std::mt19937 rng(20260809);
    // Many small plays so that every kind wins somewhere.
    const std::vector<Play> plays = RandomPlays(3000, rng);
    int checked = 0, before2005 = 0;
    for (int i = 1; i <= a->count(); ++i) {
        const DrawRecord& d = a->draw(i);
        const bool old = d.year < 2005 && i % 97 == 0;
        if (d.year != 2026 && !old) continue;
        before2005 += old ? 1 : 0;
        ++checked;
        const CheckDraw draw = CheckDrawOf(d);
        for (long double cap : {6e6L, 100.0L}) {
            const CheckResult r = CheckPlays(plays.data(), static_cast<int>(plays.size()), draw,
                                             Amount::fromDouble(static_cast<double>(cap)), 2);
            const oracle::LiteralCheckResult o =
                oracle::LiteralCheck(plays.data(), static_cast<int>(plays.size()), draw, cap);
            EXPECT_EQ(r.counts, o.counts) << DateText(d);
            for (int k = 0; k < 5; ++k) EXPECT_NEAR(r.amounts[k].toDouble(), o.amounts[k], 1e-6) << DateText(d);
            EXPECT_NEAR(r.total.toDouble(), o.total, 1e-6) << DateText(d);
            const long long blockLines = o.winningLines + 2 * o.winningPlays;
            EXPECT_EQ(static_cast<long long>(r.listing.size()), blockLines + (o.total > 0 ? 2 : 0)) << DateText(d);
            // The streamed listing of numora-cli check and the totals without a listing: the
            // same lines and the same sums as the window's check.
            const CheckResult totals = CheckTotals(plays.data(), static_cast<int>(plays.size()), draw,
                                                   Amount::fromDouble(static_cast<double>(cap)));
            EXPECT_EQ(totals.counts, r.counts);
            EXPECT_EQ(totals.amounts, r.amounts);
            EXPECT_EQ(totals.total, r.total);
            EXPECT_TRUE(totals.listing.empty());
            std::vector<std::string> streamed;
            WriteCheckListing(plays.data(), static_cast<int>(plays.size()), draw,
                              Amount::fromDouble(static_cast<double>(cap)), 2,
                              [&](const std::string& line) { streamed.push_back(line); });
            EXPECT_EQ(streamed, r.listing) << DateText(d);
        }
    }
    EXPECT_GT(checked, 50);
    EXPECT_GT(before2005, 5);
}

} // namespace
