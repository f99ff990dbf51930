#include "forecast/FixedNumbers.h"

#include "core/TextHelpers.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace numora {

bool IsFixedNumberText(std::string_view text) {
    long long v = 0;
    return ParseWholeNumber(text, v) && v >= 1 && v <= 90;
}

int TakeFixedNumbers(const FixedBoxTexts& texts, Forecast& forecast) {
    std::vector<int> values;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].empty()) continue;
        long long v = 0;
        if (!ParseWholeNumber(texts[i], v) || v < 1 || v > 90) return static_cast<int>(i) + 1;
        values.push_back(static_cast<int>(v));
    }
    for (std::size_t i = 0; i < values.size(); ++i)
        for (std::size_t j = i + 1; j < values.size(); ++j)
            if (values[i] == values[j]) return static_cast<int>(j) + 1;
    forecast.fixed.fill(0);
    for (std::size_t k = 0; k < values.size(); ++k) forecast.fixed[k] = static_cast<std::uint8_t>(values[k]);
    forecast.fixedCount = static_cast<std::int32_t>(values.size());
    return 0;
}

FixedBoxTexts FixedNumberTexts(const Forecast& forecast) {
    FixedBoxTexts texts;
    const int count = std::clamp(forecast.fixedCount, 0, static_cast<int>(texts.size()));
    for (int k = 0; k < count; ++k)
        texts[static_cast<std::size_t>(k)] = std::to_string(forecast.fixed[static_cast<std::size_t>(k)]);
    return texts;
}

bool FixedBoxAcceptsChar(char32_t code) {
    return code <= 13 || (code >= U'0' && code <= U'9');
}

} // namespace numora
