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
inline std::uint16_t WheelBit(int w) {
    return static_cast<std::uint16_t>(1u << (w - 1));
}

// n! as a 32-bit integer (wraps as the original integer arithmetic did for n > 12); 1 for n < 2.
std::int32_t Factorial(int n);

// Trims blanks (spaces) at both ends.
std::string_view TrimBlanks(std::string_view s);

// --- Windows-1252 and UTF-8 ---------------------------------------------------------------------

// What the five bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as.
enum class Cp1252Undefined {
    AsControl,     // the C1 control of the same code, so that the text converts back byte for byte
    AsReplacement, // U+FFFD, for text that is only shown
};
char32_t Cp1252CodePoint(unsigned char byte, Cp1252Undefined undefined);
std::string Cp1252ToUtf8(std::string_view text, Cp1252Undefined undefined = Cp1252Undefined::AsControl);
// False (and out as far as it got) when the text is not UTF-8 or holds a character
// Windows-1252 lacks.
bool Utf8ToCp1252(std::string_view text, std::string& out);

// The code point in UTF-8; a surrogate or a value past U+10FFFF becomes U+FFFD.
void AppendUtf8(std::string& out, char32_t codePoint);
// The code point of UTF-8 text at i, moving i past it; false on a malformed sequence.
bool NextUtf8(std::string_view text, std::size_t& i, char32_t& codePoint);

} // namespace numora
