#include "core/Settings.h"
#include "core/StakeRule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace numora;

namespace {

// The stake settings of these cases: Minimo 1, Massimo 300, Multiplo 0.5, i1 0.5, i18 200.
Settings EdgeSettings() {
    Settings s;
    s.minimo = 1;
    s.massimo = 300;
    s.multiplo = 0.5;
    s.decimali = 2;
    const double d[18] = {0.5, 1, 2, 3, 5, 10, 15, 20, 25, 30, 40, 50, 60, 75, 100, 125, 150, 200};
    for (int k = 1; k <= 18; ++k) s.i(k) = d[k - 1];
    return s;
}

constexpr std::array<bool, 5> AllEnabled{true, true, true, true, true};

std::array<bool, 5> EnabledUpTo(int k) {
    std::array<bool, 5> e{};
    for (int j = 0; j < 5; ++j) e[static_cast<std::size_t>(j)] = j < k;
    return e;
}

} // namespace

TEST(StakeRule, BoundariesOfTheStakeRule) {
    struct Case {
        const char* what;
        std::array<std::string, 5> texts;
        int k;
        bool valid;
        double total;
    };
    const Case cases[] = {
        {"estratto 1 alone", {"1", "", "", "", ""}, 5, true, 1},
        {"estratto 0.75", {"0,75", "", "", "", ""}, 5, false, 0.75},
        {"estratto 0.5 plus ambo 0.5", {"0,5", "0,5", "", "", ""}, 5, true, 1},
        {"estratto 200 plus ambo 150: total above 300", {"200", "150", "", "", ""}, 5, false, 350},
        {"estratto 250 alone: above i18", {"250", "", "", "", ""}, 5, false, 250},
        {"all five empty", {"", "", "", "", ""}, 5, false, 0},
        {"1,5 typed with a comma", {"1,5", "", "", "", ""}, 5, true, 1.5},
        {"1.5 typed with a point", {"1.5", "", "", "", ""}, 5, true, 1.5},
        {"k = 2: terno text ignored", {"1", "0,5", "abc", "", ""}, 2, true, 1.5},
        {"k = 2: terno amount ignored", {"1", "", "200", "", ""}, 2, true, 1},
        {"k = 5: the same terno text counts", {"1", "0,5", "abc", "", ""}, 5, false, 1.5},
        {"all five stakes", {"1", "1", "1", "1", "1"}, 5, true, 5},
        {"exactly Massimo", {"200", "100", "", "", ""}, 5, true, 300},
        {"stake not a multiple of i1", {"1,25", "0,25", "", "", ""}, 5, false, 1.5},
        {"zero estratto with an ambo", {"0", "1", "", "", ""}, 5, true, 1},
        {"negative stake", {"-1", "2", "", "", ""}, 5, false, 0},
        {"garbage in estratto stops the parse", {"x", "1", "", "", ""}, 5, false, 0},
        {"a parse failure leaves the later stakes at 0", {"1", "1,2,3", "5", "", ""}, 5, false, 1},
        {"infinite stake", {"inf", "", "", "", ""}, 5, false, -1},
        {"stakes below i1", {"0,25", "0,25", "0,25", "0,25", ""}, 5, false, 1},
    };
    const Settings s = EdgeSettings();
    for (const auto& c : cases) {
        StakeSet r = StakeRule(c.texts, EnabledUpTo(c.k), s);
        EXPECT_EQ(r.valid, c.valid) << c.what;
        if (c.total >= 0) {
            EXPECT_NEAR(r.total, c.total, 1e-9) << c.what;
        }
    }
}

TEST(StakeRule, FieldOneAlwaysCounts) {
    const Settings s = EdgeSettings();
    std::array<bool, 5> none{};
    StakeSet r = StakeRule({"2", "", "", "", ""}, none, s);
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.stakes[0], 2);
}

TEST(StakeRule, DisabledFieldsStayZero) {
    const Settings s = EdgeSettings();
    StakeSet r = StakeRule({"1", "2", "3", "4", "5"}, {true, true, false, true, false}, s);
    EXPECT_EQ(r.stakes, (std::array<double, 5>{1, 2, 0, 4, 0}));
    EXPECT_DOUBLE_EQ(r.total, 7);
    EXPECT_TRUE(r.valid);
}

TEST(StakeRule, ZeroDivisorsSetNoMultipleConstraint) {
    Settings s = EdgeSettings();
    s.multiplo = 0;
    EXPECT_TRUE(StakeRule({"1", "0,5", "", "", ""}, AllEnabled, s).valid);
    EXPECT_FALSE(StakeRule({"1,25", "", "", "", ""}, AllEnabled, s).valid) << "i1 still applies";

    s = EdgeSettings();
    s.i(1) = 0;
    EXPECT_TRUE(StakeRule({"1,25", "0,25", "", "", ""}, AllEnabled, s).valid);
    EXPECT_FALSE(StakeRule({"1,2", "", "", "", ""}, AllEnabled, s).valid) << "Multiplo still applies";

    s.multiplo = 0;
    EXPECT_TRUE(StakeRule({"1,2345", "", "", "", ""}, AllEnabled, s).valid);
    // A divisor too small to have a scaled value counts as 0.
    s.multiplo = 0.00001;
    s.i(1) = 0.00001;
    EXPECT_TRUE(StakeRule({"1,2345", "", "", "", ""}, AllEnabled, s).valid);
}

TEST(StakeRule, NonFiniteSettingsDoNotCrash) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::nan("");
    for (double v : {inf, -inf, nan, 1e300, -1e300, -1.0}) {
        Settings s = EdgeSettings();
        s.multiplo = v;
        (void)StakeRule({"1", "", "", "", ""}, AllEnabled, s);
        s = EdgeSettings();
        s.i(1) = v;
        (void)StakeRule({"1", "", "", "", ""}, AllEnabled, s);
        s.minimo = v;
        s.massimo = v;
        s.i(18) = v;
        (void)StakeRule({"1", "1e300", "", "", ""}, AllEnabled, s);
    }
    Settings s = EdgeSettings();
    s.multiplo = -0.0001; // scaled -1: every value is a multiple, no INT64_MIN % -1
    s.minimo = 0;
    (void)StakeRule({"1e300", "", "", "", ""}, AllEnabled, s);
    SUCCEED();
}

TEST(StakeRule, ScaledValues) {
    struct Case {
        double amount;
        std::int64_t scaled;
    };
    const Case cases[] = {
        {0, 0},
        {1, 10000},
        {0.5, 5000},
        {0.1 + 0.2, 3000},
        {12.3456, 123456},
        {-0.5, -5000},
        {1234567.89, 12345678900},
        // n / 32 times 10000 is exactly 625 n / 2: a true tie for odd n, rounded to even.
        {1.0 / 32, 312},
        {3.0 / 32, 938},
        {5.0 / 32, 1562},
        {7.0 / 32, 2188},
        {-1.0 / 32, -312},
        {-3.0 / 32, -938},
    };
    for (const auto& c : cases) EXPECT_EQ(ScaledValue(c.amount), c.scaled) << c.amount;
    EXPECT_EQ(ScaledValue(std::numeric_limits<double>::infinity()), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(ScaledValue(-std::numeric_limits<double>::infinity()), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(ScaledValue(1e300), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(ScaledValue(-1e300), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(ScaledValue(std::nan("")), 0);
}

TEST(StakeRule, BoundsAndMultiplesUseScaledValues) {
    Settings s = EdgeSettings();
    s.i(1) = 0.1;
    s.multiplo = 0.1;
    s.minimo = 0.3;
    s.massimo = 0.3;
    // 0.1 + 0.2 is 0.30000000000000004 as a double, above Massimo as a plain real; scaled it is
    // 3000, equal to Massimo, and a multiple of 0.1.
    StakeSet r = StakeRule({"0,1", "0,2", "", "", ""}, AllEnabled, s);
    EXPECT_GT(r.total, 0.3);
    EXPECT_TRUE(r.valid);
}

TEST(StakeRule, Message) {
    const Settings s = EdgeSettings();
    EXPECT_EQ(StakeRuleMessage(s), "Alcuni importi non sono validi. L'importo minimo per giocata è 1,00 €\r"
                                   "Il totale deve essere multiplo di 0,50 € e non superiore a 300,00 €.\r"
                                   "Ogni singola quota deve essere multipla di 0,50 €.\r"
                                   "Ogni singola quota non può superare 200,00 €.");
    Settings t = s;
    t.decimali = 0;
    t.massimo = 1234;
    EXPECT_EQ(StakeRuleMessage(t), "Alcuni importi non sono validi. L'importo minimo per giocata è 1 €\r"
                                   "Il totale deve essere multiplo di 0 € e non superiore a 1.234 €.\r"
                                   "Ogni singola quota deve essere multipla di 0 €.\r"
                                   "Ogni singola quota non può superare 200 €.");
}
