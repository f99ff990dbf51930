#include "core/Ranking.h"

#include <numeric>
#include <utility>

namespace numora {

std::vector<int> ExchangeSortOrder(std::span<const int> values, bool descending) {
    const int n = static_cast<int>(values.size());
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::vector<int> v(values.begin(), values.end());
    for (int i = 0; i + 1 < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (descending ? v[i] < v[j] : v[i] > v[j]) {
                std::swap(v[i], v[j]);
                std::swap(order[i], order[j]);
            }
    return order;
}

} // namespace numora
