#pragma once
// The statistics of single numbers: the delay and the frequency of each number on a set of
// wheels (the charts) and of each (number, wheel) on that wheel alone (the lists), computed from
// the draws themselves and ranked by the exchange sort.

#include "core/DrawArchive.h"
#include "stats/DrawWindow.h"

#include <vector>

namespace numora {

struct NumberValue {
    int number = 0;
    int value = 0;
    bool operator==(const NumberValue&) const = default;
};

struct NumberWheelValue {
    int number = 0;
    int wheel = 0; // 1..11
    int value = 0;
    bool operator==(const NumberWheelValue&) const = default;
};

// Delay of n on the wheels: N - d, d the latest draw in which n came out on one of them; N - 1
// when it never did (and -1 for an empty archive).
// The 90 numbers, longest delay first (starting order 1..90).
std::vector<NumberValue> NumberDelays(const DrawArchive& draws, WheelSet wheels);
// The 90 numbers by their occurrences on the wheels within the window, fewest first.
std::vector<NumberValue> NumberFrequencies(const DrawArchive& draws, WheelSet wheels, DrawWindow window);
// The 990 (number, wheel 1..11) by delay on that wheel, longest first (starting order
// number-major: 1/Bari, 1/Cagliari, .., 1/R. Nazionale, 2/Bari, ..).
std::vector<NumberWheelValue> NumberWheelDelays(const DrawArchive& draws);
// The 990 (number, wheel) by occurrences on that wheel within the window, fewest first.
std::vector<NumberWheelValue> NumberWheelFrequencies(const DrawArchive& draws, DrawWindow window);

} // namespace numora
