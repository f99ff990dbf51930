#pragma once

#include <span>
#include <vector>

namespace numora {

// Every ranking of the program is the in-place exchange sort: for i = 1..n-1, for j = i+1..n,
// exchange entries i and j only when they are strictly out of order. Ties come out in the order
// this leaves them, which is part of the behaviour.
//
// Returns the order the sort leaves: order[r] is the starting index of the entry at rank r.
// descending: exchange when value[i] < value[j]; otherwise when value[i] > value[j].
std::vector<int> ExchangeSortOrder(std::span<const int> values, bool descending);

} // namespace numora
