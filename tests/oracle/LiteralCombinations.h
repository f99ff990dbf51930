#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

namespace numora::oracle {

// Every K-subset of the ascending list, built by recursion in lexicographic order of positions,
// kept only when it holds every fixed number: the plain statement of what the generators visit.
// visit() gets the K numbers in ascending order.
inline void LiteralCombinations(std::vector<std::uint8_t> list, int k, const std::vector<std::uint8_t>& fixed,
                                const std::function<void(const std::vector<std::uint8_t>&)>& visit) {
    std::sort(list.begin(), list.end());
    std::vector<std::uint8_t> chosen;
    std::function<void(std::size_t)> choose = [&](std::size_t from) {
        if (static_cast<int>(chosen.size()) == k) {
            for (std::uint8_t f : fixed)
                if (std::find(chosen.begin(), chosen.end(), f) == chosen.end()) return;
            visit(chosen);
            return;
        }
        for (std::size_t p = from; p < list.size(); ++p) {
            chosen.push_back(list[p]);
            choose(p + 1);
            chosen.pop_back();
        }
    };
    if (k >= 1) choose(0);
}

} // namespace numora::oracle
