#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace numora {

struct Settings;

// x in fixed notation with n decimals and a decimal point, trailing zeros trimmed so that
// one zero stays after the last significant decimal (23.5 -> "23.50", 6 -> "6.0").
std::string FormatReal(double x, int decimals);
// Amount with "." thousands separators and "," before exactly `decimals` digits, cut not rounded.
std::string FormatAmount(double x, int decimals);
std::string FormatAmount(double x, const Settings& settings);

struct AmountParse {
    bool ok = false;
    double value = 0.0;
};
// "," or "." as decimal point; empty text is 0; negatives and anything else fail.
AmountParse ParseAmount(std::string_view text);

struct NumberListParse {
    bool ok = false;
    std::vector<int> numbers; // ascending, distinct, each 1..90
};
// Blank-separated numbers 1..90.
NumberListParse ParseNumberList(std::string_view text);

struct DateParse {
    bool ok = false;
    std::uint8_t day = 0;
    std::uint8_t month = 0;
    std::uint16_t year = 0;
};
// day/month/year; the day is checked against 1..31 only.
DateParse ParseDate(std::string_view text);

inline constexpr const char* InvalidDateMessage =
    "La data inserita non è valida. Usare il formato gg/mm/aaaa (es: 30/06/2003)";

// Whole decimal number made only of digits (optionally bounded), as the number fields read them.
bool ParseWholeNumber(std::string_view text, long long& value);

// Wheel 1..12 whose name equals the trimmed text, letters compared without case; 0 when none.
int FindWheelByName(std::string_view text);

// Flags of the 18 denominations, flag 1 (index 0) belonging to i18; largest first, each once.
std::array<bool, 18> DecomposeStake(double amount, const std::array<double, 18>& denominations);

// 2^(w-1): the bit of wheel w (1..12) in a play's wheel mask.
inline std::uint16_t WheelBit(int w) { return static_cast<std::uint16_t>(1u << (w - 1)); }

// n! as a 32-bit integer (wraps as the original integer arithmetic did for n > 12); 1 for n < 2.
std::int32_t Factorial(int n);

// Trims blanks (spaces) at both ends.
std::string_view TrimBlanks(std::string_view s);

} // namespace numora
