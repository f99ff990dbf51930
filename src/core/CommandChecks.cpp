#include "core/CommandChecks.h"

#include "core/PlaySystem.h"

#include <cmath>

namespace numora {

std::optional<CheckFailure> RunCheck(Check check, const PlaySystem& s) {
    const int chosen = s.forecast.chosenCount();
    const int plays = s.list.count();
    switch (check) {
    case Check::ForecastNotEmpty:
        if (chosen < 1) return CheckFailure{"Il pronostico non contiene nessun numero!", "Attenzione"};
        break;
    case Check::ForecastAtLeastThree:
        if (chosen < 3) return CheckFailure{"Il pronostico deve contenere almeno 3 numeri!", "Attenzione"};
        break;
    case Check::ForecastOrPlays:
        if (chosen < 1 && plays < 1) return CheckFailure{"Il pronostico non contiene nessun numero!", "Attenzione"};
        break;
    case Check::AtLeastTwoPlays:
        if (plays < 2)
            return CheckFailure{"Per questo metodo è richiesta la presenza di almeno 2 giocate!", "Attenzione"};
        break;
    case Check::PlaysToEliminate:
        if (plays < 1) return CheckFailure{"Non ci sono giocate da eliminare!", "Numora"};
        break;
    case Check::PlaysToCheck:
        if (plays < 1) return CheckFailure{"Non ci sono giocate da controllare!", "Numora"};
        break;
    case Check::PlaysToPrint:
        if (plays < 1) return CheckFailure{"Non ci sono giocate da stampare!", "Attenzione"};
        break;
    }
    return std::nullopt;
}

long ReminderDays(std::time_t now, int day, int month, int year) {
    std::tm t{};
    t.tm_mday = day;
    t.tm_mon = month - 1;
    t.tm_year = year - 1900;
    t.tm_isdst = -1;
    const std::time_t drawn = std::mktime(&t);
    // Local calendar days: a daylight-saving change in between must not shift the rounding.
    std::tm n = *std::localtime(&now);
    std::tm midnight = n;
    midnight.tm_hour = midnight.tm_min = midnight.tm_sec = 0;
    midnight.tm_isdst = -1;
    const std::time_t today = std::mktime(&midnight);
    const double wholeDays = std::round(std::difftime(today, drawn) / 86400.0);
    const double fraction = (n.tm_hour * 3600.0 + n.tm_min * 60.0 + n.tm_sec) / 86400.0;
    return static_cast<long>(std::nearbyint(wholeDays + fraction)); // ties to even
}

bool ReminderDue(std::time_t now, int day, int month, int year) {
    return ReminderDays(now, day, month, year) > 5;
}

} // namespace numora
