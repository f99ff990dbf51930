#pragma once
// The generators that turn the forecast into plays: the most probable plays (with the dialog's own
// score or with the user's probabilities), the random plays, the random elimination and the
// integral development. Each takes its inputs as arguments, writes its new plays into the slots
// after the committed ones and raises the play-list count only when the run completes; an
// interrupted or refused run leaves the count as it was. Marking the system modified and the
// undo snapshot are the caller's.

#include "core/DrawArchive.h"
#include "core/Play.h"
#include "core/PlayRun.h"
#include "core/Progress.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace numora {

class PlayIndex;
class PlayList;
class RandomSource;

inline constexpr const char* PlaySizeAboveForecastMessage =
    "La quantità di numeri per ogni giocata non è valida (il pronostoico contiene meno segni)!";
inline constexpr const char* InvalidPlaySizeMessage = "La quantità di numeri per ogni giocata non è valida!";
inline constexpr const char* FixedAbovePlaySizeMessage =
    "La quantità di numeri per giocata è minore del numero di fisse";
inline constexpr const char* InvalidEliminationCountMessage = "Il numero di giocate da eliminare non è valido!";
inline constexpr const char* InvalidPlaysToAddMessage = "Il numero di giocate da aggiungere non è valido!";

// --- Most probable plays -------------------------------------------------------------------------

// The score of a candidate, as a sum over its numbers in ascending order, left to right: with
// divisor 0 it is (sum of first[n]) + (sum of second[n]); with a divisor it is
// (sum of first[n]) / divisor. Entries are indexed by number, 1..90.
struct PlayScore {
    std::array<double, 91> first{};
    std::array<double, 91> second{};
    double divisor = 0;
};

// The percentages of the criteria of "Estrai giocate più probabili", already checked.
struct ScoreCriteria {
    bool delayOn = true;
    int dlo = 0, dhi = 50;
    bool frequencyOn = true;
    int fmost = 0, fleast = 50;
};

// The texts of the criteria fields as typed, and whether each criterion is on.
struct ScoreCriteriaTexts {
    bool delayOn = true;
    std::string dlo = "0", dhi = "50";
    bool frequencyOn = true;
    std::string fmost = "0", fleast = "50";
};
// Reads the percentages of the criteria that are on as integers 0..100 (the others stay 0) and
// checks them in the dialog's order: Dlo, Dhi, their order, Fmost, Fleast, their order, the sum
// of the maxima not above 100, then above the sum of the minima. nullptr when all is well, else
// the message to show.
const char* ReadScoreCriteria(const ScoreCriteriaTexts& texts, ScoreCriteria& criteria);
// The number of plays of a generator field: an integer of at least 1.
bool ReadPlayCount(std::string_view text, int& plays);

// The dialog's own score: per forecast number its delay (the smallest over the used wheels) and
// frequency (the sum over them), the ranges over the forecast (frequencies from single wheels
// times the number of used wheels), each number's two percentages divided by K. A range of one
// value makes its fraction 0.
PlayScore DelayFrequencyScore(std::span<const std::uint8_t> forecast, int size, std::uint16_t wheels,
                              const ScoreCriteria& criteria, const DelayTable& delays,
                              const FrequencyTable& frequencies);

// The score of "Estrai giocate con probabilità personalizzate": the mean of the probabilities
// (probabilities[n-1]) over the K numbers.
PlayScore CustomProbabilityScore(const std::array<double, 90>& probabilities, int size);

// The wheels the statistics count for a play mask: regional wheel w when its bit or "Tutte" is
// set, the national wheel only for its own bit.
bool WheelUsed(std::uint16_t mask, int wheel);
int UsedWheelCount(std::uint16_t mask);

// Scores every K-combination of the forecast in the enumeration order and keeps the `plays` best
// (score above 0, not identical to a committed play) in the slots after the committed plays: the
// first `plays` accepted fill the slots in order, then a better candidate overwrites the first
// slot holding the smallest kept score (ties keep the earlier). Combinations lacking a fixed
// number score -1 and are never kept. Refused (ListFull) when count + plays passes 100000.
// Progress: done counts the combinations of the enumeration order, scored or skipped, in points
// of progress.interval (64) combinations. Every point among scored combinations is reported;
// within a subtree skipped because none of its plays could enter, only the first point of each
// new percentage (round(done / total x 100)), so the gauge shows the percentages the full
// enumeration shows, in the same order. With fixed numbers every combination holding them is
// scored and progress counts those.
RunResult ExtractBestPlays(PlayList& list, const PlayRequest& request, int plays, const PlayScore& score,
                           const Progress& progress = {});

// --- Random plays -------------------------------------------------------------------------------

// Adds up to `plays` random plays: the fixed numbers (in the given order) first, then distinct
// random forecast numbers drawn as random.below(N) positions of the ascending forecast, sorted.
// A candidate identical to a committed play or to one added in the run is a repeat; the 10001st
// consecutive repeat ends the run, which then commits what it has. Progress after every
// candidate (done = plays added). Refused (ListFull) when count + plays passes 100000.
RunResult ExtractRandomPlays(PlayList& list, const PlayRequest& request, int plays, RandomSource& random,
                             const Progress& progress = {});
inline constexpr int RandomRepeatLimit = 10000;

// Removes `plays` plays chosen at random: each time position random.below(P) + 1 of the current
// P plays; the others keep their order. plays = P empties the list without drawing. False, with
// nothing changed, when plays is below 1 or above P (InvalidEliminationCountMessage).
bool EliminateRandomPlays(PlayList& list, int plays, RandomSource& random);

// --- Integral development ------------------------------------------------------------------------

// The test of one candidate of the integral development: it holds every fixed number (when there
// are some) and is not identical to a play of the committed index.
bool CandidatePasses(const Play& candidate, std::span<const std::uint8_t> fixed, const PlayIndex& committed);

// Appends every K-combination of the forecast that passes CandidatePasses, in the enumeration
// order. When the committed plays plus the run's would pass 100000 the run stops with ListFull
// and nothing is committed. Progress every 64 combinations visited.
RunResult DevelopIntegral(PlayList& list, const PlayRequest& request, const Progress& progress = {});

// C(N, K) as the dialogs show it (floating point, the product of K+1..N divided by 1..N-K).
double PlayCountOf(int n, int k);

} // namespace numora
