#pragma once
// The conditioned reduction: the test of one play against the conditions, and its two runs, on
// the combinations of the forecast and on the current plays. Marking the system modified is the
// caller's; the forecast run leaves the undo snapshot to its caller too.

#include "core/ConditionSet.h"
#include "core/DrawArchive.h"
#include "core/Play.h"
#include "core/Progress.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace numora {

class PlayIndex;
class PlayList;

inline constexpr const char* AllPlaysDiscardedMessage =
    "Sono state scartate tutte le giocate!\rVerifivcare le condizioni e la presenza di eventuali fisse nel pronostico.";

// x rounded to the nearest integer, halves to the even neighbour (45.5 -> 46, 44.5 -> 44).
double RoundHalfEven(double x);

// What the conditions are measured against: the record, and the delay and frequency of every
// number on all the regional wheels (the "Tutte" row of the derived tables).
struct ConditionFilter {
    ConditionSet set;
    std::array<std::int32_t, 91> delay{};
    std::array<std::int32_t, 91> frequency{};
};
ConditionFilter MakeConditionFilter(const ConditionSet& set, const DelayTable& delays,
                                    const FrequencyTable& frequencies);

// The values of the eleven conditions for the numbers of a play (index 0 is condition 1).
std::array<int, ConditionCount> ConditionValues(const Play& play, const ConditionFilter& filter);
// How many enabled conditions the play satisfies.
int SatisfiedConditions(const Play& play, const ConditionFilter& filter);

// The test of one play: it holds every fixed number (when there are some), no play of the
// committed index is identical to it (no index: nothing to compare with), and the number of
// satisfied conditions lies within the record's minimum and maximum.
bool PlayPasses(const Play& play, const ConditionFilter& filter, std::span<const std::uint8_t> fixed,
                const PlayIndex* committed);

struct ConditionedRun {
    bool interrupted = false;  // the callback said stop: the plays are as they were before the run
    bool limitReached = false; // the run met a passing play with the list full; it kept what it had
    int kept = 0;              // plays appended (forecast) or kept (current plays) and committed
};

// Appends, after the committed plays, every `size`-combination of the forecast (in the order of
// the enumeration) that passes, each with the given stakes and wheels; a passing combination
// that finds the list full ends the run there (limitReached) with the plays appended so far
// committed. Progress every 64 combinations over C(M, size), found = plays appended.
ConditionedRun ConditionForecast(PlayList& list, std::span<const std::uint8_t> forecast, int size,
                                 std::span<const std::uint8_t> fixed, std::uint16_t wheels,
                                 const std::array<double, 5>& stakes, const ConditionFilter& filter,
                                 const Progress& progress = {});

// Copies every play (also none) to undo, then keeps in order only the plays that pass, each as
// it was; identical plays are all kept. Progress every 17 plays, found = plays kept; when the
// callback says stop the list is restored from undo.
ConditionedRun ConditionCurrentPlays(PlayList& list, PlayList& undo, const ConditionFilter& filter,
                                     std::span<const std::uint8_t> fixed, const Progress& progress = {});

} // namespace numora
