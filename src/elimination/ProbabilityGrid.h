#pragma once
// What the probability grid "Probabilità dei numeri" shows and reads back: each forecast number's
// delay and frequency over the whole archive on the used wheels, its custom probability, and the
// suggestion that overwrites all 90 probabilities from the same statistics.

#include "core/DrawArchive.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace numora {

// Per number (index 1..90) over draws 1..D and the wheels a play mask uses: the delay is D minus
// the latest draw holding the number (D - 1 when it never came out), the frequency the count of
// (draw, wheel) pairs holding it.
struct ArchiveHistory {
    std::array<int, 91> delay{};
    std::array<int, 91> frequency{};
};
ArchiveHistory ComputeArchiveHistory(const DrawArchive& archive, std::uint16_t wheels);

// The mask whose wheels are all eleven, for the grid of the eliminator.
inline constexpr std::uint16_t AllElevenWheels = (1u << 10) | (1u << 11);

// The suggestion: per number a delay share 0..50 (the most delayed 50) plus a frequency share
// 0..50 (the least frequent 50), each 0 when every number has the same value.
std::array<double, 90> SuggestedProbabilities(const ArchiveHistory& history);

// The probability cell as shown: two decimals and a "." ("50.00").
std::string ProbabilityText(double value);
// A probability cell read back: "," or "." as decimal point, a value in 0..100. An empty cell or
// one that is not a number is invalid.
bool ReadProbabilityCell(std::string_view text, double& value);

// One row of the grid as the user left it.
struct ProbabilityRow {
    int number = 0;
    std::string text;
};
// Stores the rows in order into probabilities[number-1] up to the first invalid one; 0 when every
// row is valid, else that row's 1-based index (the rows before it are stored).
int StoreProbabilityRows(const std::vector<ProbabilityRow>& rows, std::array<double, 90>& probabilities);

// The probability file of numora-cli: "NUMBER [TEXT]" a line ("\r\n" or "\n"), each number a
// forecast number (chosen[n-1] set) given once, TEXT what the user typed in its cell; blank lines
// are skipped. False, with typed holding the lines before, for any other line.
bool ParseProbabilityLines(std::string_view text, const std::array<std::uint8_t, 90>& chosen,
                           std::map<int, std::string>& typed);

// "Probabilità non valida. La riga nº r contiene valori non validi!\rCorreggere e riprovare." when
// the run reads the grid, the same without its first sentence from "Visualizza distribuzione".
std::string InvalidRowMessage(int row, bool run);

inline constexpr const char* DistributionSizeMessage =
    "Per visualizzare la distribuzione delle probabilità sono neccessari\ralmeno due numeri per ogni giocata!";

} // namespace numora
