#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace numora {

struct Settings;

// An amount times 10000, rounded to nearest with ties to even; what the multiple tests and the
// bounds of the total compare. Non-finite or huge amounts saturate instead of overflowing.
std::int64_t ScaledValue(double amount);

// The largest stake, and the largest total of a play, that the program keeps: a billion euros.
// A file that holds more was not written by it.
inline constexpr double MaxPlayAmount = 1e9;

struct StakeSet {
    bool valid = false;
    std::array<double, 5> stakes{}; // estratto .. cinquina
    double total = 0;
};

// The stake rule on five field texts; enabled[j] tells whether field j+1 is enabled
// (field 1 always counts).
StakeSet StakeRule(const std::array<std::string, 5>& texts, const std::array<bool, 5>& enabled,
                   const Settings& settings);
std::string StakeRuleMessage(const Settings& settings);

} // namespace numora
