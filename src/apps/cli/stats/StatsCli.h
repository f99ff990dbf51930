#pragma once
// The kinds of "numora-cli stats KIND [options]". The command (CliStats.cpp) reads the archive
// and the options every kind shares, then hands them to the kind; each half of the statistics
// adds its kinds from its own unit with a StatsKindRegistration object.

#include "core/DrawArchive.h"
#include "stats/DrawWindow.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace numora {

// Which options a kind takes (anything else is a usage error, exit 2).
enum StatsOption : unsigned {
    WheelsOption = 1u << 0, // --wheels CODES (default TT)
    WindowOption = 1u << 1, // --from TEXT --to TEXT
    TopOption = 1u << 2,    // --count TEXT, --with-national, --stop-after S
};

// What the command read before the kind runs. The window is checked already (start first, then
// end, reversed swapped) when the kind takes one; the count text is left to the kind, which
// checks it after the window.
struct StatsRequest {
    const DrawArchive& draws;
    WheelSet wheels = RegionalWheelSet;
    DrawWindow window;
    std::string countText = "250";
    bool withNational = false;
    long long stopAfter = -1; // (pair, wheel) steps before "Interrompi" is answered Yes; -1: never
    std::ostream& out;
    std::ostream& err;
};

struct StatsKind {
    std::string name; // "numbers-delay"
    unsigned options = 0;
    // Default window when the kind takes one: from N - span + 1 to N; span 0 means from draw 1.
    int defaultSpan = 0;
    std::string header; // "numero\tritardo"
    // Prints the rows (the header is printed by the command); returns the exit code: 0, or 1
    // after writing the window's refusal to err.
    std::function<int(const StatsRequest&)> run;
};

// The kinds registered so far, in registration order.
const std::vector<StatsKind>& StatsKinds();

// A unit's kinds join the table when the program starts: one static object per unit.
struct StatsKindRegistration {
    explicit StatsKindRegistration(std::vector<StatsKind> kinds);
};

// "BA,CA,RN" or "TT" (the ten regional wheels): the codes BA CA FI GE MI NA PA RM TO VE RN TT,
// comma-separated, letters in any case. False for an empty list or an unknown code.
bool ParseWheelCodes(std::string_view text, WheelSet& wheels);

} // namespace numora
