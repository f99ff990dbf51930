#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace numora {

// Wheels 1..11 are the drawn wheels; 12 ("Tutte") is the group of the ten regional wheels.
inline constexpr int WheelCount = 11;
inline constexpr int RegionalWheels = 10;
inline constexpr int WheelNazionale = 11;
inline constexpr int WheelTutte = 12;
inline constexpr int NumbersPerWheel = 5;
inline constexpr int MaxNumber = 90;

inline constexpr std::array<std::string_view, 12> WheelNames = {"Bari",   "Cagliari", "Firenze",      "Genova",
                                                                "Milano", "Napoli",   "Palermo",      "Roma",
                                                                "Torino", "Venezia",  "R. Nazionale", "Tutte"};

// Name of wheel w (1..12).
inline std::string_view WheelName(int w) {
    return WheelNames.at(static_cast<std::size_t>(w - 1));
}

enum class BetKind : int { Estratto = 1, Ambo = 2, Terno = 3, Quaterna = 4, Cinquina = 5 };

} // namespace numora
