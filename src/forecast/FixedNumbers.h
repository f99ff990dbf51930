#pragma once

#include "core/Forecast.h"

#include <array>
#include <string>
#include <string_view>

namespace numora {

// The texts of the nine fixed-number boxes, in entry order.
using FixedBoxTexts = std::array<std::string, 9>;

// True when a box text is a whole number in 1..90.
bool IsFixedNumberText(std::string_view text);

// Reads the nine boxes: 0 when they hold valid, distinct fixed numbers, which are then stored
// in the forecast; otherwise the position (1..9) of the first box that is not a number in
// 1..90, or, among the valid values taken in box order, the position of the later value of
// the first repeated pair. On failure the stored fixed numbers stay as they were.
int TakeFixedNumbers(const FixedBoxTexts& texts, Forecast& forecast);

// The stored fixed numbers as box texts: the first fixedCount boxes, the rest empty.
FixedBoxTexts FixedNumberTexts(const Forecast& forecast);

// Typing in a fixed-number box: control characters up to carriage return and the digits get
// through, every other character is refused.
bool FixedBoxAcceptsChar(char32_t code);

} // namespace numora
