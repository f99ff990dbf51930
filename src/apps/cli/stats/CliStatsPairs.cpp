// numora-cli stats: the kinds of the pair statistics, rows as the pair windows show them.
#include "apps/cli/stats/StatsCli.h"
#include "core/Types.h"
#include "stats/PairStats.h"

#include <ostream>
#include <string>

namespace numora {

namespace {

std::string PairText(int j, int k) {
    return std::to_string(j) + " " + std::to_string(k);
}

void PrintPairs(const StatsRequest& r, const std::vector<PairValue>& rows) {
    std::string text;
    for (const PairValue& v : rows) text += PairText(v.j, v.k) + "\t" + std::to_string(v.value) + "\n";
    r.out << text;
}

// Answers Yes to the interruption question once `stopAfter` (pair, wheel) steps are done.
ProgressCallback StopAfter(long long stopAfter) {
    if (stopAfter < 0) return {};
    return [stopAfter, steps = 0LL](const ProgressStatus&) mutable { return steps++ < stopAfter; };
}

int RunTopScan(const StatsRequest& r, bool delays) {
    const std::optional<int> k = ParseTopPairsCount(r.countText);
    if (!k) {
        r.err << InvalidTopPairsMessage << "\n";
        return 1;
    }
    const int lastWheel = r.withNational ? WheelCount : RegionalWheels;
    const TopPairsResult result = delays ? MostDelayedPairs(r.draws, lastWheel, *k, StopAfter(r.stopAfter))
                                         : LeastFrequentPairs(r.draws, lastWheel, r.window, *k, StopAfter(r.stopAfter));
    std::string text;
    for (const WheelPairValue& v : result.entries)
        text += PairText(v.j, v.k) + "\t" + std::string(WheelName(v.wheel)) + "\t" + std::to_string(v.value) + "\n";
    r.out << text;
    return 0;
}

const StatsKindRegistration pairKinds({
    {"pairs-delay", WheelsOption, 0, "ambo\tritardo",
     [](const StatsRequest& r) {
         PrintPairs(r, PairDelays(r.draws, r.wheels));
         return 0;
     }},
    {"pairs-frequency", WheelsOption | WindowOption, 400, "ambo\tpresenze",
     [](const StatsRequest& r) {
         PrintPairs(r, PairFrequencies(r.draws, r.wheels, r.window));
         return 0;
     }},
    {"top-pairs-delay", TopOption, 0, "ambo\truota\tritardo",
     [](const StatsRequest& r) { return RunTopScan(r, true); }},
    {"top-pairs-frequency", WindowOption | TopOption, 0, "ambo\truota\tpresenze",
     [](const StatsRequest& r) { return RunTopScan(r, false); }},
});

} // namespace

} // namespace numora
