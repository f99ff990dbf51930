#include "core/TextHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace numora;

TEST(FormatReal, TrimsToOneZeroAfterTheLastSignificantDecimal) {
    struct Case {
        double x;
        int n;
        const char* want;
    };
    const Case cases[] = {
        {23.5, 10, "23.50"},
        {6, 10, "6.0"},
        {4.36, 10, "4.360"},
        {0, 10, "0.0"},
        {1.0 / 3.0, 10, "0.3333333333"},
        {100, 10, "100.0"},
        {1000000, 10, "1000000.0"},
        {2.999, 10, "2.9990"},
        {0.5, 10, "0.50"},
        {1.9, 12, "1.90"},
        // Without decimals the integer keeps its zeros.
        {100, 0, "100"},
        {10, 0, "10"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatReal(c.x, c.n), c.want) << c.x << " " << c.n;
}

TEST(FormatAmount, GroupsThousandsAndCutsDecimals) {
    struct Case {
        double x;
        int dec;
        const char* want;
    };
    const Case cases[] = {
        {0, 2, "0,00"},
        {0.5, 2, "0,50"},
        {999, 2, "999,00"},
        {1000, 2, "1.000,00"},
        {2.999, 2, "2,99"},
        {1234.5, 2, "1.234,50"},
        {0.125, 2, "0,12"},
        {5, 2, "5,00"},
        {1000000, 2, "1.000.000,00"},
        {123456, 2, "123.456,00"},
        {1234567, 2, "1.234.567,00"},
        {123, 2, "123,00"},
        {5, 0, "5"},
        {1234.5, 0, "1.234"},
        {1.5, 4, "1,5000"},
        {1.5, 1, "1,5"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatAmount(c.x, c.dec), c.want) << c.x;
}

TEST(ParseAmount, AcceptsCommaOrPointAndRefusesTheRest) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"1,5", true, 1.5}, {"1.5", true, 1.5},  {"", true, 0},     {"0", true, 0},      {"200", true, 200},
        {",5", true, 0.5},  {"1,2,3", false, 0}, {"-1", false, 0},  {"abc", false, 0},   {"1 ", false, 0},
        {" 1", false, 0},   {"inf", false, 0},   {"nan", false, 0}, {"1e999", false, 0}, {",", false, 0},
    };
    for (const auto& c : cases) {
        auto r = ParseAmount(c.text);
        EXPECT_EQ(r.ok, c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(r.value, c.value) << c.text;
        }
    }
}

TEST(ParseNumberList, SortsBlankSeparatedNumbers) {
    auto r = ParseNumberList("   5   12  3    ");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.numbers, (std::vector<int>{3, 5, 12}));
    EXPECT_EQ(ParseNumberList("90 1").numbers, (std::vector<int>{1, 90}));
    EXPECT_EQ(ParseNumberList("05").numbers, (std::vector<int>{5}));
    auto many = ParseNumberList("1 2 3 4 5 6 7 8 9 10 11");
    EXPECT_TRUE(many.ok);
    EXPECT_EQ(many.numbers.size(), 11u);
    for (const char* bad : {"5 5", "0", "91", "257", "4,5", "", "   ", "1\t2", "-3", "+3", "99999999999999999999999"})
        EXPECT_FALSE(ParseNumberList(bad).ok) << '"' << bad << '"';
}

TEST(ParseDate, BoundsAndShape) {
    auto d = ParseDate("05/06/2004");
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.day, 5);
    EXPECT_EQ(d.month, 6);
    EXPECT_EQ(d.year, 2004);
    EXPECT_TRUE(ParseDate("1/1/1900").ok);
    EXPECT_TRUE(ParseDate("31/12/2100").ok);
    EXPECT_TRUE(ParseDate("31/02/2005").ok) << "the calendar is checked later, by InsertDraw";
    for (const char* bad :
         {"0/5/2004", "32/5/2004", "5/13/2004", "5/0/2004", "5/5/1899", "5/5/2101", "/5/2004", "5//2004", "5/5/",
          "5/5/2004 ", " 5/5/2004", "257/5/2004", "5-5-2004", "", "5/5", "5/5/2004/1", "a/5/2004", "5/5/20o4"})
        EXPECT_FALSE(ParseDate(bad).ok) << '"' << bad << '"';
}

TEST(FindWheelByName, TrimsAndIgnoresCase) {
    EXPECT_EQ(FindWheelByName("  roma  "), 8);
    EXPECT_EQ(FindWheelByName("TUTTE"), 12);
    EXPECT_EQ(FindWheelByName("Nazionale"), 0);
    EXPECT_EQ(FindWheelByName("r. nazionale"), 11);
    EXPECT_EQ(FindWheelByName("bari"), 1);
    EXPECT_EQ(FindWheelByName(""), 0);
    EXPECT_EQ(FindWheelByName("Bar"), 0);
}

TEST(DecomposeStake, LargestDenominationFirstEachOnce) {
    std::array<double, 18> den{0.5, 1, 2, 3, 5, 10, 15, 20, 25, 30, 40, 50, 60, 75, 100, 150, 200, 250};
    auto f = DecomposeStake(3.5, den);
    // flag 1 (index 0) is i18; i4 = 3 is flag 15, i1 = 0.5 is flag 18.
    for (int k = 0; k < 18; ++k) EXPECT_EQ(f[k], k == 14 || k == 17) << k;
    auto g = DecomposeStake(0.25, den);
    for (bool b : g) EXPECT_FALSE(b) << "an uncovered remainder is dropped";
    auto h = DecomposeStake(8, den);
    EXPECT_TRUE(h[18 - 5] && h[18 - 4]) << "5 + 3";
    EXPECT_EQ(std::count(h.begin(), h.end(), true), 2);
}

TEST(SmallHelpers, WheelBitAndFactorial) {
    EXPECT_EQ(WheelBit(1), 1);
    EXPECT_EQ(WheelBit(11), 1024);
    EXPECT_EQ(WheelBit(12), 2048);
    EXPECT_EQ(Factorial(0), 1);
    EXPECT_EQ(Factorial(1), 1);
    EXPECT_EQ(Factorial(-3), 1);
    EXPECT_EQ(Factorial(5), 120);
    EXPECT_EQ(Factorial(10), 3628800);
    EXPECT_EQ(Factorial(12), 479001600);
}
