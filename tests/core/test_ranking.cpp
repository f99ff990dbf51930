// The exchange-sort order against the literal sort, ties included, over value spreads from all
// equal to all distinct.
#include "core/Ranking.h"

#include "../stats/LiteralPairStats.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

using namespace numora;

TEST(Ranking, OrderEqualsTheLiteralExchangeSort) {
    struct Case {
        int size;
        int spread; // values drawn from 0..spread-1; 0: only INT_MIN and INT_MAX
        int rounds;
    };
    const Case cases[] = {{0, 1, 1},    {1, 1, 1},      {2, 2, 20},   {3, 3, 200},     {7, 2, 500},
                          {12, 3, 500}, {40, 5, 300},   {90, 90, 50}, {90, 0, 20},     {990, 4, 5},
                          {990, 1, 1},  {4005, 300, 2}, {4005, 2, 2}, {5000, 5000, 1}, {5000, 20, 1}};
    std::mt19937 rng(7);
    for (const Case& c : cases)
        for (int round = 0; round < c.rounds; ++round)
            for (bool descending : {true, false}) {
                std::vector<int> v(static_cast<std::size_t>(c.size));
                for (int& x : v)
                    x = c.spread == 0 ? (rng() % 2 ? INT_MIN : INT_MAX)
                                      : static_cast<int>(rng() % c.spread) - c.spread / 2;
                ASSERT_EQ(ExchangeSortOrder(v, descending), oracle::LiteralExchangeSortOrder(v, descending))
                    << "size " << c.size << " spread " << c.spread << " round " << round;
            }
}
