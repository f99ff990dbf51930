#pragma once
// The two eliminators that shrink the play list by score: "Elimina giocate meno probabili" (the
// delays and frequencies of each play's numbers on its own wheels) and "Elimina giocate con
// probabilità personalizzate" (the mean of the user's probabilities). Both score every play,
// leave the list in the order of the exchange sort by descending score and remove the last E.

#include "core/DrawArchive.h"
#include "core/Progress.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace numora {

class PlayList;

// The percentages of "Criterio per l'assegnazione delle probabilità" as reals in 0..100; a
// criterion that is off has both percentages 0.
struct EliminationCriteria {
    bool delayOn = true;
    double dlo = 0, dhi = 50;
    bool frequencyOn = true;
    double fmost = 0, fleast = 50;
};

struct EliminationCriteriaTexts {
    bool delayOn = true;
    std::string dlo = "0", dhi = "50";
    bool frequencyOn = true;
    std::string fmost = "0", fleast = "50";
};

// Reads the percentages of the criteria that are on and checks them in the dialog's order.
// nullptr when all is well, else the message to show.
const char* ReadEliminationCriteria(const EliminationCriteriaTexts& texts, EliminationCriteria& criteria);

// A real typed in a field: "." or "," as decimal point, blanks around it ignored. False for an
// empty text, letters or anything after the number.
bool ParseRealField(std::string_view text, double& value);

// E of "Numero di giocate da eliminare:": an integer 1..plays.
bool ReadEliminationCount(std::string_view text, int plays, int& count);

// The global ranges of "Elimina giocate meno probabili", over all 90 numbers and the 11 wheels:
// each number's smallest delay (minD, maxD) and every single-wheel frequency (minF, maxF).
struct EliminationRanges {
    long long minD = 100000000, maxD = -1;
    long long minF = 100000000, maxF = -1;
};
EliminationRanges ComputeEliminationRanges(const EliminationCriteria& criteria, const DelayTable& delays,
                                           const FrequencyTable& frequencies);

// The scores of plays 1..P in list order (scores[i-1] for play i). Each play's percentage is the
// mean over its numbers of Dlo..Dhi by delay plus Fmost..Fleast by frequency, on the play's own
// wheels; maxD rises with a play whose number lies beyond it and stays raised for the later
// plays. A play without wheels counts delay 100000000 and W = 0; a play without numbers scores 0;
// a fraction 0/0 counts 0. Progress after every 173 plays; false when told to stop.
bool LessProbableScores(const PlayList& list, const EliminationCriteria& criteria, const DelayTable& delays,
                        const FrequencyTable& frequencies, std::vector<double>& scores, const Progress& progress = {});

// The mean of probabilities[n-1] over each play's numbers (0 for a play without numbers).
bool CustomProbabilityScores(const PlayList& list, const std::array<double, 90>& probabilities,
                             std::vector<double>& scores, const Progress& progress = {});

// The order the exchange sort by descending score leaves: for i < j, plays i and j change places
// when s[i] < s[j]. order[r] is the 0-based starting index of the play at rank r.
std::vector<int> EliminationOrder(std::span<const double> scores);

// Puts plays 1..P in the order EliminationOrder gives for scores and removes the last `remove`.
void RemoveLeastScored(PlayList& list, std::span<const double> scores, int remove);

} // namespace numora
