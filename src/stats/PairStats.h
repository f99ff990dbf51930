#pragma once
// The statistics of the 4005 pairs ("ambi"): delays and appearances of every pair on a set of
// wheels, and the scans that keep the K (pair, wheel) combinations of longest delay or fewest
// appearances on their single wheel. Every result is in display order (the exchange sort).

#include "core/DrawArchive.h"
#include "core/Progress.h"
#include "stats/DrawWindow.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace numora {

inline constexpr int PairCount = 4005;
inline constexpr int MaxTopPairs = 5000;

inline constexpr const char* InvalidTopPairsMessage = "Il numero di Ambi da visualizzare non è valido!";
inline constexpr const char* InterruptQuestion = "Interrompere l'elaborazione ?";
inline constexpr const char* NeverDrawnPairText = "Ambo mai uscito!";

struct PairValue {
    int j = 0; // j < k
    int k = 0;
    int value = 0;
    bool operator==(const PairValue&) const = default;
};

struct WheelPairValue {
    int j = 0;
    int k = 0;
    int value = 0;
    int wheel = 0; // 1..11
    bool operator==(const WheelPairValue&) const = default;
};

// Pair p (0..4004) in lexicographic order and back.
int PairIndex(int j, int k);
struct PairNumbers {
    int j;
    int k;
};
PairNumbers PairAt(int index);

// Delay of each pair on the counted wheels: N - d with d the last draw showing the pair on one of
// them (N - 1 when none); longest first.
std::vector<PairValue> PairDelays(const DrawArchive& archive, WheelSet wheels);

// Appearances of each pair in (draw, counted wheel) combinations of the window; fewest first.
std::vector<PairValue> PairFrequencies(const DrawArchive& archive, WheelSet wheels, DrawWindow window);

// The count field of the two scans: an integer within 1..MaxTopPairs, read as the draw window
// fields are.
std::optional<int> ParseTopPairsCount(std::string_view text);

struct TopPairsResult {
    std::vector<WheelPairValue> entries; // display order
    bool interrupted = false;
};

// The scans visit the (pair, wheel) combinations pair by pair, wheels 1..lastWheel (10 or 11),
// and hold at most k entries: a full list overwrites, in its slot, the first held entry of the
// weakest value when the new value is strictly better. The callback is called before every
// (pair, wheel) step with done = the pairs begun (the gauge, 1..4005), total = 4005 and found =
// the entries held; false ends the scan there, with the entries held so far.
TopPairsResult MostDelayedPairs(const DrawArchive& archive, int lastWheel, int k, const ProgressCallback& progress);
TopPairsResult LeastFrequentPairs(const DrawArchive& archive, int lastWheel, DrawWindow window, int k,
                                  const ProgressCallback& progress);

} // namespace numora
