#pragma once
// "Riduzione Genio" and "Ottimizza probabilità assoluta di vincita": plays whose numbers occur as
// little as possible in the other plays, found by random tries against a time budget.

#include "core/PlayList.h"
#include "generation/Generation.h"

#include <array>
#include <cstdint>
#include <span>

namespace numora {

class Clock;
class RandomSource;

// The value of a candidate that may not be used: no real overlap reaches it.
inline constexpr int RejectedOverlap = 2147483640;

// The budgets the track bar (0..100) gives: the whole second phase of Genio, each play of the
// optimiser.
inline std::int64_t GenioBudget(int position) {
    return 500 * static_cast<std::int64_t>(position) + 5000;
}
inline std::int64_t OptimiserBudget(int position) {
    return 4 * static_cast<std::int64_t>(position) + 1;
}

// How often each number occurs in plays first..last (each non-zero slot counts once).
std::array<int, 256> NumberOccurrences(std::span<const Play> plays);

// How much a candidate overlaps the other plays: for each of its numbers, the occurrences in the
// plays counted by occ less those in `self` (the play it would replace), summed.
int PlayOverlap(const Play& candidate, const Play& self, const std::array<int, 256>& occ);

struct GenioRequest {
    PlayRequest play;            // forecast, fixed numbers, size K (2..10), wheels, stakes
    int plays = 1;               // M, the plays to add
    std::int64_t budget = 30000; // milliseconds of the second phase (GenioBudget)
};

struct GenioResult {
    RunOutcome outcome = RunOutcome::Completed;
    int added = 0;
    std::uint64_t candidates = 0; // candidates tried in the second phase
    std::uint64_t replaced = 0;   // of which replaced a play
};

// Phase 1 takes the first M combinations that pass CandidatePasses, in the program's order. When
// it found all M, phase 2 visits the new plays in turn and tries random candidates (the fixed
// numbers, then distinct forecast numbers drawn as random.below(90) + 1 until one is a forecast
// number not yet taken) until one overlaps less than the play it would replace, which it then
// replaces; a candidate equal to a new play or to a committed play with the same wheels is never
// taken. The clock is read once as phase 2 starts and once per candidate; phase 2 ends with the
// first candidate read after more than the budget. Nothing is written beyond the slots after the
// committed plays until the run completes; an interrupted run (the callback said stop) or a full
// list leaves the count as it was. Progress: every interval combinations of phase 1 (done of 100:
// 25 × found ÷ M) and every interval candidates of phase 2 (25 + 75 × elapsed ÷ budget).
GenioResult ReduceGenio(PlayList& list, const GenioRequest& request, RandomSource& random, Clock& clock,
                        const Progress& progress = {});

struct OptimiseRequest {
    std::vector<std::uint8_t> forecast; // the numbers a variant may take
    std::vector<std::uint8_t> fixed;    // the numbers every variant must hold ("Considera Fisse"), else empty
    int replace = 10;                   // R, the numbers of a play a variant may replace (1..10)
    std::int64_t budget = 201;          // milliseconds per play (OptimiserBudget)
};

struct OptimiseResult {
    bool interrupted = false;
    int processed = 0; // plays dealt with, from the first
    int changed = 0;   // of which got new numbers
    std::uint64_t variants = 0;
};

// A variant of play p (its stakes and wheels, its size Kp): the fixed numbers, then up to R
// distinct forecast numbers drawn as random.below(90) + 1 (the drawing ends when no forecast
// number is left to take), then p's own numbers in slot order until Kp are placed, sorted. With as
// many fixed numbers as Kp or more the variant has no numbers at all.
Play MutatePlay(const Play& p, const OptimiseRequest& request, RandomSource& random);

// Reworks plays 1..count in place: for each in turn, variants until more than the budget has
// passed since the play's start (at least one), the first of the lowest overlap replacing the
// play when it overlaps strictly less. A variant lacking a fixed number or equal to a play of the
// list (the play itself included) is rejected. The clock is read at each play's start and after
// each variant. The callback is called after every play (done = plays dealt with, of count);
// when it says stop, the plays dealt with keep their new numbers and the rest stay.
OptimiseResult OptimisePlays(PlayList& list, const OptimiseRequest& request, RandomSource& random, Clock& clock,
                             const ProgressCallback& progress = {});

} // namespace numora
