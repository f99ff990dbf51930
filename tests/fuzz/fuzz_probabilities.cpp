// libFuzzer harness for the probability file of numora-cli extract --custom and eliminate --custom:
// any bytes as the file, over a forecast of the even numbers. What is accepted names forecast
// numbers only, once each, and the grid stores only values within 0..100.
#include "elimination/ProbabilityGrid.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace numora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::array<std::uint8_t, 90> chosen{};
    for (std::size_t n = 1; n < chosen.size(); n += 2) chosen[n] = 1;
    std::map<int, std::string> typed;
    if (!ParseProbabilityLines(std::string_view(reinterpret_cast<const char*>(data), size), chosen, typed)) return 0;
    std::vector<ProbabilityRow> rows;
    for (const auto& [number, text] : typed) {
        if (number < 1 || number > 90 || chosen[static_cast<std::size_t>(number - 1)] == 0) std::abort();
        rows.push_back({number, text});
    }
    std::array<double, 90> p{};
    p.fill(-1);
    const int bad = StoreProbabilityRows(rows, p);
    const std::size_t stored = bad == 0 ? rows.size() : static_cast<std::size_t>(bad - 1);
    for (std::size_t i = 0; i < stored; ++i) {
        const double v = p[static_cast<std::size_t>(rows[i].number - 1)];
        if (!(v >= 0 && v <= 100)) std::abort();
    }
    return 0;
}
