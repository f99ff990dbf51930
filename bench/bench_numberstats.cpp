// The four statistics of single numbers on the real archive: the literal algorithms (a backward
// search per number and wheel, the plain exchange sort over the entries) against the engines.
// Both run on the same archive in the same run; their rows are compared before the line is printed.
#include "BenchArchive.h"
#include "BenchCompare.h"
#include "stats/NumberStats.h"

#include "core/OperatorImport.h"
#include "stats/LiteralNumberStats.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <string>

using namespace numora;
using numora::bench::RealArchive;

namespace {

DrawWindow LastHundred(const DrawArchive& a) {
    return {std::max(1, a.count() - 99), a.count()};
}

enum Kind { Delays, Frequencies, ListDelays, ListFrequencies, KindCount };
const char* const KindName[] = {"ritardi dei numeri, ruote regionali", "frequenze dei numeri, ultime 100",
                                "elenco dei ritardi per ruota", "elenco delle frequenze per ruota, ultime 100"};

// The rows of one statistic as numbers, so that the two versions can be compared.
std::vector<int> Rows(const DrawArchive& a, Kind kind, bool literal) {
    std::vector<int> out;
    const DrawWindow w = LastHundred(a);
    auto add = [&](const auto& rows) {
        for (const auto& r : rows) {
            out.push_back(r.number);
            out.push_back(r.value);
        }
    };
    switch (kind) {
    case Delays:
        literal ? add(oracle::LiteralNumberDelays(a, RegionalWheelSet)) : add(NumberDelays(a, RegionalWheelSet));
        break;
    case Frequencies:
        literal ? add(oracle::LiteralNumberFrequencies(a, RegionalWheelSet, w.start, w.end))
                : add(NumberFrequencies(a, RegionalWheelSet, w));
        break;
    case ListDelays:
        literal ? add(oracle::LiteralNumberWheelDelays(a)) : add(NumberWheelDelays(a));
        break;
    default:
        literal ? add(oracle::LiteralNumberWheelFrequencies(a, w.start, w.end)) : add(NumberWheelFrequencies(a, w));
        break;
    }
    return out;
}

void BM_Stat(benchmark::State& state) {
    const DrawArchive* a = RealArchive();
    if (!a) return state.SkipWithError("storico.txt not found");
    const auto kind = static_cast<Kind>(state.range(0));
    const bool literal = state.range(1) != 0;
    numora::bench::TimeAndCompare<std::vector<int>>(state, KindName[kind], literal,
                                                    [&] { return Rows(*a, kind, literal); });
}

} // namespace

BENCHMARK(BM_Stat)
    ->ArgsProduct({{Delays, Frequencies, ListDelays, ListFrequencies}, {1, 0}})
    ->Unit(benchmark::kMillisecond);
NUMORA_BENCH_MAIN("bench_numberstats")
