#pragma once

#include "core/Play.h"
#include "core/PlayList.h"

#include <array>
#include <string>
#include <vector>

namespace numora {

struct Settings;

// What the summary of the play list view shows: which numbers and wheels occur in any play and
// what the plays cost together.
struct PlayListSummary {
    int plays = 0;
    std::array<bool, 90> numbers{}; // number n at n-1
    std::array<bool, 12> wheels{};  // wheel w at w-1, "Tutte" (12) being its own entry
    double total = 0;
    // What the widest cells of the grid hold: the most numbers of one play, the most digits of
    // one play's numbers, and every distinct wheel mask (bits of the twelve wheel names only),
    // in the order first met.
    int mostNumbers = 0;
    int mostDigits = 0;
    std::vector<std::uint16_t> masks;

    int numberCount() const;
};

PlayListSummary SummarizePlayList(const PlayList& list);

// The stakes above 0 times the wheels of the mask ("Tutte" counting as one, no bit as one).
// A stake that is negative or not a number, as a damaged file may hold, adds nothing.
double PlayCost(const Play& play);

// The cells of a row of the play list grid.
// The non-zero numbers in stored order, each followed by a blank: "5 12 ".
std::string PlayNumbersText(const Play& play);
// The names of the wheels whose bits are set, in wheel order, each followed by a blank.
std::string PlayWheelsText(const Play& play);
std::string WheelMaskText(std::uint16_t mask);
// FormatAmount of the stake of bet kind 1..5, empty when the stake is not above 0.
std::string PlayStakeText(const Play& play, int betKind, const Settings& settings);
// Column 0..7 of the row showing play `row` (1-based): the index, numbers, wheels, five stakes.
std::string PlayCellText(const Play& play, int row, int column, const Settings& settings);

// The names of the wheels in the set, in wheel order, each followed by a blank.
std::string WheelSetText(const std::array<bool, 12>& wheels);

} // namespace numora
