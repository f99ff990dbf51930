#pragma once
// The probability score of the 90 numbers: a delay score and a frequency score measured over a
// stretch of the archive on the chosen wheels, added without normalisation, and the ranking of
// the numbers by that score. Used by the probability window, the add/remove window and the
// "probability" command of numora-cli.

#include "core/DrawArchive.h"
#include "core/Forecast.h"
#include "stats/DrawWindow.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace numora {

// The inputs as the windows' fields hold them.
struct ProbabilityCriteria {
    std::string startText = "1";
    std::string endText;
    WheelSet wheels = RegionalWheelSet; // the counted wheels (see CountedWheels)
    bool delayOn = true;
    std::string dloText = "0";  // % to the least delayed number
    std::string dhiText = "50"; // % to the most delayed number
    bool frequencyOn = true;
    std::string fmostText = "0";   // % to the most frequent number
    std::string fleastText = "50"; // % to the least frequent number
};

inline constexpr const char* InvalidDloMessage = "La probabilità del numero meno ritardatario non è valida!";
inline constexpr const char* InvalidDhiMessage = "La probabilità del numero più ritardatario non è valida!";
inline constexpr const char* MinAboveMaxMessage = "Una delle probabilità minime è maggiore della massima!";
inline constexpr const char* InvalidFmostMessage = "La probabilità del numero più frequente non è valida!";
inline constexpr const char* InvalidFleastMessage = "La probabilità del numero meno frequente non è valida!";
inline constexpr const char* MaximaAbove100Message =
    "La somma delle probabilità massime non può essere maggiore di 100!";
inline constexpr const char* MaximaNotAboveMinimaMessage =
    "La somma delle probabilità massime deve essere maggiore della somma delle probabilità minime!";

struct NumberProbabilities {
    bool ok = false;
    const char* message = nullptr; // the refusal, when !ok
    std::array<double, 90> p{};    // p[n-1]
};

// Validates the criteria (the window first, then the delay percentages, then the frequency
// ones, then their sums) and computes the 90 scores in one pass over the window.
NumberProbabilities ComputeNumberProbabilities(const DrawArchive& draws, const ProbabilityCriteria& criteria);

struct RankedNumber {
    int number = 0;
    double probability = 0.0;
    bool operator==(const RankedNumber&) const = default;
};

// The pairs (1, p1) .. (90, p90) in the order the exchange sort leaves them.
std::vector<RankedNumber> RankNumbers(const std::array<double, 90>& p, bool descending);

// A percentage field: a real number with "." as decimal point, blanks around allowed.
bool ParsePercentage(std::string_view text, double& value);

// The probability as the grid shows it: two decimals, decimal point, no padding.
std::string FormatProbability(double p);

inline constexpr const char* InvalidAddCountMessage = "Il numero di estratti da aggiungere al pronostico non è valido!";
inline constexpr const char* InvalidRemoveCountMessage =
    "Il numero di estratti da eliminare dal pronostico non è valido!";

// The count M of the add/remove window: an integer within 1..90.
bool ReadNumberCount(std::string_view text, int& m);

// Walks the ranking from its first entry: in add mode sets the flag of each unchosen number, in
// remove mode clears the flag of each chosen one, until M changed or the ranking is over. Only
// the 90 flags are touched. Returns how many changed.
int ApplyRanking(Forecast& forecast, const std::vector<RankedNumber>& ranking, int m, bool add);

} // namespace numora
