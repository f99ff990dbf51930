#include "core/StakeRule.h"

#include "core/Settings.h"
#include "core/TextHelpers.h"

#include <cmath>
#include <limits>

namespace numora {

namespace {

// Multiple test on scaled values. A divisor whose scaled value is 0 (Multiplo or i1 of 0, or
// below 0.00005) sets no multiple constraint, so nothing ever divides by zero. -1 would overflow INT64_MIN % -1; every
// value is a multiple of it anyway.
bool IsMultiple(std::int64_t value, std::int64_t divisor) {
    if (divisor == 0 || divisor == -1) return true;
    return value % divisor == 0;
}

} // namespace

std::int64_t ScaledValue(double amount) {
    constexpr double Limit = 9.2e18; // below 2^63, so the conversion below is defined
    if (std::isnan(amount)) return 0;
    const double s = amount * 10000.0;
    if (s >= Limit) return std::numeric_limits<std::int64_t>::max();
    if (s <= -Limit) return std::numeric_limits<std::int64_t>::min();
    // Round to nearest, ties to even, whatever the floating-point rounding mode.
    double r = std::floor(s);
    const double fraction = s - r;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
    return static_cast<std::int64_t>(r);
}

StakeSet StakeRule(const std::array<std::string, 5>& texts, const std::array<bool, 5>& enabled,
                   const Settings& settings) {
    StakeSet result;
    bool parsed = true;
    // Stake 1 always counts; stake j >= 2 only from an enabled, non-empty field, and only while
    // every earlier parse succeeded. A failed parse leaves its stake at 0 (the value the
    // conversion produced may be negative or meaningless and is never shown or summed).
    for (std::size_t j = 0; j < 5 && parsed; ++j) {
        if (j > 0 && (!enabled[j] || texts[j].empty())) continue;
        AmountParse p = ParseAmount(texts[j]);
        if (p.ok) {
            result.stakes[j] = p.value;
        } else {
            parsed = false;
        }
    }
    const auto& s = result.stakes;
    result.total = s[0] + s[1] + s[2] + s[3] + s[4];

    bool valid = parsed;
    const std::int64_t total = ScaledValue(result.total);
    if (total < ScaledValue(settings.minimo)) valid = false;
    if (total > ScaledValue(settings.massimo)) valid = false;
    if (!IsMultiple(total, ScaledValue(settings.multiplo))) valid = false;

    const double i1 = settings.i(1);
    const double i18 = settings.i(18);
    const std::int64_t scaledI1 = ScaledValue(i1);
    for (double stake : s) {
        if (!(stake > 0)) continue;
        if (stake > i18) valid = false;
        if (stake < i1) valid = false;
        if (!IsMultiple(ScaledValue(stake), scaledI1)) valid = false;
    }
    // Also refuses a total that is not a number.
    if (!(result.total > 0)) valid = false;
    result.valid = valid;
    return result;
}

std::string StakeRuleMessage(const Settings& settings) {
    return "Alcuni importi non sono validi. L'importo minimo per giocata è " + FormatAmount(settings.minimo, settings) +
           " €" + "\r" + "Il totale deve essere multiplo di " + FormatAmount(settings.multiplo, settings) +
           " € e non superiore a " + FormatAmount(settings.massimo, settings) + " €." + "\r" +
           "Ogni singola quota deve essere multipla di " + FormatAmount(settings.i(1), settings) + " €." + "\r" +
           "Ogni singola quota non può superare " + FormatAmount(settings.i(18), settings) + " €.";
}

} // namespace numora
