#include "checking/Payout.h"
#include "core/Settings.h"
#include "core/TextHelpers.h"

#include <gtest/gtest.h>

using namespace numora;

namespace {

const Amount NoCap = Amount::euros(1'000'000'000'000LL);

Amount Euro(double x) {
    return Amount::fromDouble(x);
}

TEST(Payout, WorkedValuesOfTheRule) {
    struct Case {
        int k, h, n, d;
        double stake;
        const char* shown4; // with four decimals
    } cases[] = {
        {1, 1, 1, 1, 1, "11,2320"},        {1, 2, 5, 1, 1, "4,4928"},       {2, 2, 2, 1, 1, "250,0000"},
        {2, 3, 5, 1, 1, "75,0000"},        {3, 4, 10, 1, 1, "150,0000"},    {2, 2, 2, 10, 1, "25,0000"},
        {5, 5, 6, 1, 0.7, "700.000,0000"}, // 0,70 * C(5,5) / C(6,5) * 6.000.000
        {1, 1, 7, 1, 1, "1,6045"},         {5, 5, 10, 10, 1, "2.380,9523"}, {4, 4, 4, 1, 0.1, "12.000,0000"},
        {1, 0, 5, 1, 1, "0,0000"},         {3, 2, 5, 1, 1, "0,0000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatAmount(BetWin(c.k, Euro(c.stake), c.h, c.n, c.d, NoCap), 4), c.shown4)
            << "k=" << c.k << " h=" << c.h << " n=" << c.n << " d=" << c.d;
    }
    // The exact amount prints exactly, where doubles would give 699.999,99.
    EXPECT_EQ(FormatAmount(BetWin(5, Euro(0.7), 5, 6, 1, NoCap), 2), "700.000,00");
    EXPECT_EQ(BetWin(5, Euro(0.7), 5, 6, 1, NoCap), Amount::euros(700'000));
}

TEST(Payout, CombinationCountFollowsFactorial) {
    auto binomial = [](int a, int k) {
        long long r = 1;
        for (int i = 1; i <= k; ++i) r = r * (a - k + i) / i;
        return r;
    };
    for (int k = 1; k <= 5; ++k)
        for (int a = k; a <= 10; ++a) EXPECT_EQ(CombinationCount(a, k), static_cast<long double>(binomial(a, k)));
    // Below k the rule falls back on Factorial's 1 for arguments below 2: 1! / (1 * 2!).
    EXPECT_EQ(CombinationCount(1, 2), 0.5L);
    EXPECT_EQ(CombinationCount(0, 3), 1.0L / 6.0L);
}

TEST(Payout, CapsPerTermAndTotal) {
    const Amount cap = Euro(6'000'000);
    // One euro on the cinquina with five of five hits is 6.000.000; two euros are capped.
    EXPECT_EQ(BetWin(5, Euro(2), 5, 5, 1, cap), cap);
    EXPECT_EQ(BetWin(5, Euro(1), 5, 5, 1, cap), cap);
    // Each term below the cap, their sum above: the total is capped.
    const Amount small = Euro(500);
    std::array<Amount, 5> stakes{Euro(1), Euro(1), Euro(1), Amount{}, Amount{}};
    // three numbers, three hits: 11,232 + 250 + 4.500
    EXPECT_EQ(FormatAmount(CalculatorTotal(stakes, 3, 3, 1, NoCap), 2), "4.761,23");
    EXPECT_EQ(CalculatorTotal(stakes, 3, 3, 1, small), small);
    // The default cap when the ini file says nothing is one euro.
    Settings defaults;
    ReadSettingsText("", defaults);
    EXPECT_EQ(CalculatorTotal(stakes, 3, 3, 1, Amount::fromDouble(defaults.vincitaMassima)), Euro(1));
    // Stakes above h win nothing, and no hit wins nothing.
    EXPECT_FALSE(CalculatorTotal({Amount{}, Amount{}, Euro(1), Amount{}, Amount{}}, 2, 5, 1, NoCap).positive());
    EXPECT_FALSE(CalculatorTotal(stakes, 0, 5, 1, NoCap).positive());
}

TEST(Payout, ExactFormatAgreesWithTheDoubleFormat) {
    const double values[] = {0, 0.5, 999, 1000, 2.999, 1234.5, 0.125, 5, 1000000, 123456.789, 0.0001, 99.995};
    for (int decimals : {0, 2, 4})
        for (double x : values) EXPECT_EQ(FormatAmount(Euro(x), decimals), FormatAmount(x, decimals)) << x;
}

TEST(Payout, CalculatorStakeFields) {
    struct Case {
        const char* text;
        bool ok;
        const char* shown;
    } cases[] = {
        {"", true, "0,00"},           {"1", true, "1,00"},
        {"0.5", true, "0,50"},        {".5", true, "0,50"},
        {"5.", true, "5,00"},         {"1000000000", true, "1.000.000.000,00"},
        {"1000000000.01", false, ""}, {"00000000000001", true, "1,00"},
        {"1.2.3", false, ""},         {".", false, ""},
        {"1,5", false, ""},           {"-1", false, ""},
        {"1e3", false, ""},           {" 1", false, ""},
    };
    for (const Case& c : cases) {
        Amount a;
        EXPECT_EQ(ParseCalculatorStake(c.text, a), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(FormatAmount(a, 2), c.shown) << c.text;
        }
    }
}

} // namespace
