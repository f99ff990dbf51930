#pragma once

#include <ctime>
#include <optional>
#include <string>

namespace numora {

struct PlaySystem;

// The checks made before a command that works on the forecast or on the plays.
enum class Check {
    ForecastNotEmpty,     // A: at least one chosen number
    ForecastAtLeastThree, // B: at least three chosen numbers
    ForecastOrPlays,      // C: a chosen number or a play
    AtLeastTwoPlays,      // D
    PlaysToEliminate,     // E: at least one play
    PlaysToCheck,         // F: at least one play
    PlaysToPrint,         // G: at least one play
};

struct CheckFailure {
    std::string text;
    std::string caption;
};

// Nothing when the command may go on; otherwise the information message to show.
std::optional<CheckFailure> RunCheck(Check check, const PlaySystem& system);
// The forecast checks (A, B and C) also read the fixed numbers before going on.
inline bool CheckReadsFixedNumbers(Check c) {
    return c == Check::ForecastNotEmpty || c == Check::ForecastAtLeastThree || c == Check::ForecastOrPlays;
}

inline constexpr const char* InvalidFixedNumbersMessage = "Una delle fisse contiene valori non validi!";

// Whole days from the last draw's date (midnight) to now, rounded with ties to even; the
// reminder is offered when they are more than five.
long ReminderDays(std::time_t now, int day, int month, int year);
bool ReminderDue(std::time_t now, int day, int month, int year);

} // namespace numora
