#pragma once
// Smaller guaranteed systems: from the greedy's plays, a local search for fewer plays that keep
// the same guarantee. The search is simulated annealing over one-number swaps: the plays are
// one fewer than the last covering found, the cost is the number of combinations no play covers,
// and a covering reached at cost 0 becomes the new best before one more play is taken away. It
// runs against a time budget; whatever it offers has been checked combination by combination.

#include "core/Clock.h"
#include "core/Random.h"
#include "reduction/GuaranteedReduction.h"

#include <cstdint>
#include <span>
#include <vector>

namespace numora {

class PlayList;

// The most combinations the search keeps in memory (with their coverage counts and the lists of
// the combinations holding each number); a larger forecast keeps the greedy's plays and is told
// why with CoveringTooLargeMessage.
inline constexpr std::uint64_t CoveringCombinationLimit = 1000000;
inline constexpr const char* CoveringTooLargeMessage = "Ottimizzazione non disponibile per più di 1000000 combinazioni";
// The most combination-against-play comparisons the final check may cost: combinations times
// (plays + committed plays of the same wheels and stakes). A few seconds at most; every covering
// of up to CoveringCombinationLimit combinations the greedy can produce stays within it unless
// thousands of committed plays of the same wheels and stakes are added to the check.
inline constexpr std::uint64_t CoveringCheckLimit = std::uint64_t{1} << 34;

enum class CoveringStatus {
    Improved,    // fewer plays than the greedy's, checked
    NotImproved, // the greedy's plays: nothing smaller within the budget, or none can exist
    TooLarge,    // the greedy's plays: too many combinations (or committed plays) to search
};

struct CoveringResult {
    RunOutcome outcome = RunOutcome::Completed;
    CoveringStatus status = CoveringStatus::NotImproved;
    int greedyCount = 0;     // the plays the greedy chose
    int lowerBound = 0;      // no system of fewer plays can exist
    std::uint64_t moves = 0; // swaps tried
    std::vector<Play> plays; // the plays offered (ascending numbers, sorted); empty unless Completed
};

// Whether the plays keep the guarantee of the request: each holds N distinct forecast numbers
// with every fixed number and the request's wheels and stakes, and every N-combination of the
// forecast holding the fixed numbers shares at least the threshold with one of them or with a
// committed play of the same wheels and the very same five stakes. Checked combination by
// combination, with no shortcut.
bool KeepsGuarantee(std::span<const Play> committed, const GuaranteedRequest& request, std::span<const Play> plays);

// The search itself, from `start` (plays that keep the guarantee, the greedy's). The budget is
// measured on `clock` from the first reading; the search reads it after a fixed amount of work,
// so a manual clock and a seeded source give the same result every time. Progress: once when
// the search starts (done = 0, found = the start's plays), then at every reading, done =
// milliseconds spent of total = the budget, found = the plays of the best system.
// A stop from the callback ends the run as Interrupted with no plays. The search runs until its
// budget ends (or it reaches the lower bound), and the best covering it found is then made
// minimal: each play in turn is dropped when the others still cover every combination. When that
// is not smaller than the start (or there is no budget), or it fails KeepsGuarantee, the start
// is offered unchanged.
CoveringResult OptimiseCovering(std::span<const Play> committed, const GuaranteedRequest& request,
                                std::span<const Play> start, std::int64_t budgetMs, Clock& clock, RandomSource& random,
                                const Progress& progress = {});

// The greedy of ReduceToGuarantee (with its progress, its room and its outcomes), then the
// search with its own progress.
CoveringResult ReduceToGuaranteeOptimised(std::span<const Play> committed, const GuaranteedRequest& request,
                                          std::int64_t budgetMs, Clock& clock, RandomSource& random,
                                          const Progress& greedyProgress = {}, const Progress& searchProgress = {},
                                          int room = -1);

// The dialog's run with the search on: the offered plays after the committed ones, the count
// raised only when the run completes.
struct OptimisedRun {
    RunOutcome outcome = RunOutcome::Completed;
    CoveringStatus status = CoveringStatus::NotImproved;
    int greedy = 0; // plays the greedy chose
    int added = 0;  // plays committed
};
OptimisedRun ReduceGuaranteedOptimised(PlayList& list, const GuaranteedRequest& request, std::int64_t budgetMs,
                                       Clock& clock, RandomSource& random, const Progress& greedyProgress = {},
                                       const Progress& searchProgress = {});

} // namespace numora
