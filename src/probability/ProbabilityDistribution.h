#pragma once
// How the mean custom probability of the plays is spread over the 101 bins 0..100 (the plays
// to come from the forecast, or the plays of the list), and how often each number occurs in the
// plays of the list.

#include "core/PlayList.h"
#include "core/Progress.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace numora {

using DistributionBins = std::array<std::int32_t, 101>;
using NumberPresence = std::array<std::int32_t, 90>;   // entry n-1 counts number n
using CustomProbabilityTable = std::array<double, 90>; // entry n-1 is number n's, in percent

// The steps between two reports of the distribution over the plays of the list: every play.
inline constexpr std::uint64_t DistributedPlayInterval = 1;

inline constexpr const char* InvalidDistributionSizeMessage = "La quantità di numeri per ogni giocata non è valida!";
inline constexpr const char* DistributionNeedsTwoNumbersMessage =
    "Per visualizzare la distribuzione delle probabilità sono neccessari\ralmeno due numeri per ogni giocata!";

// The play size typed for the distribution of the forecast's combinations: k when it is a whole
// number within 2..10 and not above the count of forecast numbers, and then nullptr; otherwise
// the message to show ("not valid" for a text that is no whole number, 0, above the count or
// above 10; the "two numbers" one for 1).
const char* ReadDistributionSize(std::string_view text, int forecastCount, int& k);

// The bin of a sum of `count` probabilities: the mean rounded to the nearest whole number, an
// exact half going to the even neighbour (47.5 -> 48, 48.5 -> 48). A mean outside 0..100 (only
// a damaged file holds such probabilities) goes to the nearer end; one that is not a number to 0.
int DistributionBin(double sum, int count);

// The k-number combinations of `numbers` (any order, distinct 1..90) in the program's
// enumeration order: each adds one to the bin of its mean probability, summed slot by slot from
// the smallest number. bins is cleared first and holds the counts so far whenever the callback
// is called (every progress.interval combinations; done counts combinations, total is C(m, k)).
// False when the callback stopped the run: bins keep the partial counts. With k outside 1..m
// nothing is counted and the result is true.
bool CountCombinationBins(std::span<const std::uint8_t> numbers, int k, const CustomProbabilityTable& probabilities,
                          DistributionBins& bins, const Progress& progress = {});

// Plays 1..count() of the list in order: each adds one to the bin of the mean over its non-zero
// numbers (summed in slot order); a play without numbers counts nowhere. Reports as above, done
// counting plays.
bool CountPlayBins(const PlayList& list, const CustomProbabilityTable& probabilities, DistributionBins& bins,
                   const Progress& progress = {});

// Plays 1..count() of the list: each non-zero number slot adds one to its number. counts is
// cleared first; the callback is called once after the first play, so the view can show a
// first picture at once, and then every progress.interval plays (done counting plays).
bool CountNumberPresence(const PlayList& list, NumberPresence& counts, const Progress& progress = {});

} // namespace numora
