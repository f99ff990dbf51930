#include "core/Combinations.h"

#include "oracle/LiteralCombinations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace numora;

namespace {

using Numbers = std::vector<std::uint8_t>;

struct Case {
    Numbers list;
    int k;
    Numbers fixed;
};

std::string Describe(const Case& c) {
    std::string s = "list";
    for (int v : c.list) s += " " + std::to_string(v);
    s += " k " + std::to_string(c.k) + " fixed";
    for (int v : c.fixed) s += " " + std::to_string(v);
    return s;
}

// Runs the enumerator through the whole case and checks every combination against the
// recursive statement of the order, and the slot layout and change hook on the way.
void CheckAgainstOracle(const Case& c) {
    SCOPED_TRACE(Describe(c));
    std::vector<Numbers> expected;
    oracle::LiteralCombinations(c.list, c.k, c.fixed, [&](const Numbers& v) { expected.push_back(v); });
    CombinationEnumerator e;
    ASSERT_EQ(e.start(c.list, c.k, c.fixed), !expected.empty());
    ASSERT_EQ(e.count(), expected.size());
    if (expected.empty()) return;
    Numbers fixedSorted = c.fixed;
    std::sort(fixedSorted.begin(), fixedSorted.end());
    Numbers previous;
    std::size_t seen = 0;
    do {
        ASSERT_LT(seen, expected.size());
        EXPECT_EQ(e.rank(), seen);
        const Numbers slots(e.numbers(), e.numbers() + e.size());
        Play p;
        e.writeTo(p);
        ASSERT_EQ(Numbers(p.numbers.begin(), p.numbers.begin() + e.size()), expected[seen]) << "combination " << seen;
        EXPECT_TRUE(std::all_of(p.numbers.begin() + e.size(), p.numbers.end(), [](int v) { return v == 0; }));
        EXPECT_TRUE(std::equal(fixedSorted.begin(), fixedSorted.end(), slots.begin()));
        EXPECT_TRUE(std::is_sorted(slots.begin() + e.fixedCount(), slots.end()));
        for (int s = 0; s < e.size(); ++s) EXPECT_EQ(e.listNumber(e.position(s)), e.number(s));
        // Slots below firstChanged() are those of the combination before; that slot is not.
        const auto fc = static_cast<std::size_t>(e.firstChanged());
        const bool hook = seen == 0
                              ? fc == 0
                              : std::equal(slots.begin(), slots.begin() + static_cast<long>(fc), previous.begin()) &&
                                    slots[fc] != previous[fc];
        EXPECT_TRUE(hook) << "firstChanged " << fc << " at combination " << seen;
        previous = slots;
        ++seen;
    } while (e.next());
    EXPECT_EQ(seen, expected.size());
    EXPECT_FALSE(e.active() || e.next());
}

Numbers Range(int from, int to) {
    Numbers v;
    for (int i = from; i <= to; ++i) v.push_back(static_cast<std::uint8_t>(i));
    return v;
}

} // namespace

TEST(Binomial, Values) {
    struct Row {
        int n, k;
        std::uint64_t value;
    };
    const Row rows[] = {
        {0, 0, 1},
        {5, 0, 1},
        {5, 5, 1},
        {10, 5, 252},
        {90, 5, 43949268},
        {90, 10, 5720645481903ULL},
        {67, 33, 14226520737620288370ULL},
        {68, 34, BinomialOverflow},
        {90, 45, BinomialOverflow},
        {5, 6, 0},
        {5, -1, 0},
        {-2, 1, 0},
    };
    for (const Row& r : rows) EXPECT_EQ(Binomial(r.n, r.k), r.value) << r.n << " " << r.k;
}

TEST(CombinationEnumerator, MatchesTheRecursiveOrder) {
    const Numbers seven = {3, 17, 25, 44, 60, 71, 88};
    const Case cases[] = {
        {Range(1, 5), 1, {}},
        {Range(1, 5), 3, {}},
        {Range(1, 5), 5, {}},
        {seven, 3, {}},
        {seven, 3, {25}},
        {seven, 4, {88, 17}},
        {seven, 3, {3, 17, 25}},  // as many fixed numbers as K: one
                                  // combination
        {seven, 3, {50}},         // a fixed number outside the forecast: none
        {seven, 2, {3, 17, 25}},  // more fixed numbers than K: none
        {{60, 3, 44, 17}, 2, {}}, // the list is sorted first
        {Range(1, 12), 6, {5}},
        {Range(81, 90), 10, {90}},
        {Range(1, 90), 1, {}},
    };
    for (const Case& c : cases) CheckAgainstOracle(c);
}

TEST(CombinationEnumerator, MatchesTheRecursiveOrderOnRandomForecasts) {
    std::mt19937 rng(20261209);
    for (int round = 0; round < 300; ++round) {
        Numbers pool = Range(1, 90);
        std::shuffle(pool.begin(), pool.end(), rng);
        const int n = std::uniform_int_distribution<int>(1, 16)(rng);
        Case c{Numbers(pool.begin(), pool.begin() + n), std::uniform_int_distribution<int>(1, std::min(n, 7))(rng), {}};
        const int f = std::uniform_int_distribution<int>(0, std::min(c.k, 3))(rng);
        for (int j = 0; j < f; ++j) c.fixed.push_back(c.list[static_cast<std::size_t>(j)]);
        // Now and then a fixed number the forecast does not hold.
        if (f > 0 && round % 10 == 0) c.fixed[0] = pool[static_cast<std::size_t>(n)];
        CheckAgainstOracle(c);
    }
}

TEST(CombinationEnumerator, RefusesListsThatAreNotSets) {
    const Case cases[] = {
        {Range(1, 5), 0, {}}, {Range(1, 5), 6, {}},     {{1, 2, 2, 3}, 2, {}}, {{0, 1, 2}, 2, {}},
        {{1, 91, 2}, 2, {}},  {Range(1, 5), 2, {3, 3}}, {Range(1, 5), 2, {0}},
    };
    for (const Case& c : cases) {
        CombinationEnumerator e;
        EXPECT_FALSE(e.start(c.list, c.k, c.fixed)) << Describe(c);
        EXPECT_EQ(e.count(), 0u);
        EXPECT_FALSE(e.next());
    }
}
