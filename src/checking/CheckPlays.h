#pragma once

#include "checking/Payout.h"
#include "core/DrawArchive.h"
#include "core/Play.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace numora {

// The draw a check compares with: wheel w (1..11) at index w - 1, five numbers each, 0 where
// the cell is empty (a wheel not drawn on that date counts as empty).
using CheckDraw = std::array<std::array<int, 5>, 11>;

CheckDraw CheckDrawOf(const DrawRecord& draw);

// The grid's texts, wheel by wheel.
using CheckCells = std::array<std::array<std::string, 5>, 11>;

struct CheckDrawRead {
    bool ok = false;
    std::string message; // the first fault, as the window shows it
    CheckDraw draw{};
};
// Reads the grid: an empty cell is 0 unless every cell is required (storing the draw); any other
// text must be a whole number 1..90; then no wheel may repeat a number.
CheckDrawRead ReadCheckCells(const CheckCells& cells, bool allRequired);

inline constexpr std::array<const char*, 5> HitLabels = {
    "Nº Estratti indovinati:", "Nº Ambi indovinati:", "Nº Terni indovinati:", "Nº Quaterne indovinate:",
    "Nº Cinquine indovinate:"};
inline constexpr const char* NoPlaysToCheckMessage = "Non ci sono giocate da controllare!";

struct CheckResult {
    std::array<long long, 5> counts{}; // winning combinations per bet kind
    std::array<Amount, 5> amounts{};   // their wins, each capped on its own
    Amount total;                      // the plays' wins, each play capped
    std::vector<std::string> listing;  // "Giocate vincenti", UTF-8
};

// Checks plays[0..count) against the draw with the payout rule; cap is VincitaMassima and
// decimals the Decimali of the amounts written in the listing.
CheckResult CheckPlays(const Play* plays, int count, const CheckDraw& draw, Amount cap, int decimals);
// The counts and wins of CheckPlays alone, with an empty listing.
CheckResult CheckTotals(const Play* plays, int count, const CheckDraw& draw, Amount cap);
// The listing of CheckPlays for the same arguments, handed to `line` one line at a time as it is
// made, so that a listing written out as it goes never holds more than one play's lines.
void WriteCheckListing(const Play* plays, int count, const CheckDraw& draw, Amount cap, int decimals,
                       const std::function<void(const std::string&)>& line);

// Appends spaces while the text (UTF-8) has fewer than `width` characters; never cuts.
std::string PadToCharacters(std::string text, std::size_t width);
// One line of the listing: wheel, bet kind k (1..5), combinations and their win.
std::string ListingLine(int wheel, int k, long long combinations, Amount win, int decimals);

// A listing line cut where its columns start, for a printer whose font is proportional: padding
// blanks line up only in a fixed-pitch font, so each piece is printed at the character column it
// starts at. A wheel line gives the wheel (column 1), the hits (22) and the win (50); any other line
// gives its text after its leading blanks. Trailing blanks are dropped; a blank line gives nothing.
struct ListingPiece {
    int column = 0;
    std::string text;
    bool operator==(const ListingPiece&) const = default;
};
std::vector<ListingPiece> ListingColumns(const std::string& line);

} // namespace numora
