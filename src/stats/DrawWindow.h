#pragma once

#include <cstdint>
#include <string_view>

namespace numora {

// The counted wheels of a statistic: bit w-1 for wheel w (1..11). "Tutte" stands for the ten
// regional wheels and is never a bit of its own here.
using WheelSet = std::uint16_t;
inline constexpr WheelSet RegionalWheelSet = 0x03FF;
inline constexpr WheelSet AllWheelSet = 0x07FF;
inline constexpr bool Counts(WheelSet set, int wheel) {
    return ((set >> (wheel - 1)) & 1u) != 0;
}

// The wheels a wheel-selection mask counts: a regional wheel when its own bit or "Tutte" (bit 11)
// is set, the national wheel only with its own bit (10).
WheelSet CountedWheels(std::uint16_t selectionMask);

// Draws start..end (1-based, start <= end), both inside the archive.
struct DrawWindow {
    int start = 1;
    int end = 0;
    int count() const { return end - start + 1; }
};

inline constexpr const char* InvalidStartMessage = "Il numero dell'estrazione di partenza non è valido!";
inline constexpr const char* InvalidEndMessage = "Il numero dell'estrazione finale non è valido!";

struct DrawWindowReading {
    bool ok = false;
    DrawWindow window;
    const char* message = nullptr; // the refusal, when !ok
};

// The start and end fields of a statistics window: each must be an integer within 1..drawCount,
// the start checked first; a reversed pair is exchanged silently.
DrawWindowReading ReadDrawWindow(std::string_view startText, std::string_view endText, int drawCount);

// An integer as the fields take it: optional blanks around, an optional sign, decimal digits.
// False for anything else and for values beyond 32 bits.
bool ParseFieldInteger(std::string_view text, int& value);

} // namespace numora
