#pragma once

#include <array>
#include <cstdint>

namespace numora {

// The chosen numbers (entry n-1 is 1 when n is chosen) and up to nine fixed numbers.
struct Forecast {
    std::array<std::uint8_t, 90> chosen{};
    std::array<std::uint8_t, 9> fixed{};
    std::int32_t fixedCount = 0;

    bool isChosen(int n) const { return chosen[static_cast<std::size_t>(n - 1)] != 0; }
    void setChosen(int n, bool on) { chosen[static_cast<std::size_t>(n - 1)] = on ? 1 : 0; }
    int chosenCount() const {
        int c = 0;
        for (auto f : chosen) c += f == 1 ? 1 : 0;
        return c;
    }
    void clear() {
        chosen.fill(0);
        fixed.fill(0);
        fixedCount = 0;
    }
};

} // namespace numora
