// The four statistics of single numbers on the real archive: the literal algorithms (a backward
// search per number and wheel, the plain exchange sort over the entries) against the engines.
// The last benchmark checks that both agree and prints the ratios.
#include "BenchArchive.h"
#include "stats/NumberStats.h"

#include "core/OperatorImport.h"
#include "stats/LiteralNumberStats.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

using namespace numora;
using numora::bench::RealArchive;

namespace {

DrawWindow LastHundred(const DrawArchive& a) {
    return {std::max(1, a.count() - 99), a.count()};
}

enum Kind { Delays, Frequencies, ListDelays, ListFrequencies, KindCount };
const char* KindName[] = {"numbers-delay", "numbers-frequency", "list-delay", "list-frequency"};

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

std::array<std::array<double, 2>, KindCount> seconds{};
std::array<std::array<std::vector<int>, 2>, KindCount> results{};

void BM_Stat(benchmark::State& state) {
    const DrawArchive* a = RealArchive();
    if (!a) return state.SkipWithError("storico.txt not found");
    const auto kind = static_cast<Kind>(state.range(0));
    const bool literal = state.range(1) != 0;
    std::vector<int> rows;
    const auto t0 = std::chrono::steady_clock::now();
    for (auto _ : state) {
        rows = Rows(*a, kind, literal);
        benchmark::DoNotOptimize(rows.data());
    }
    const auto t1 = std::chrono::steady_clock::now();
    seconds[kind][literal] = std::chrono::duration<double>(t1 - t0).count() / static_cast<double>(state.iterations());
    results[kind][literal] = std::move(rows);
    state.SetLabel(std::string(KindName[kind]) + (literal ? " literal" : " engine"));
}

void BM_Ratio(benchmark::State& state) {
    int checked = 0;
    for (auto _ : state) benchmark::DoNotOptimize(++checked);
    for (int k = 0; k < KindCount; ++k) {
        if (results[k][0] != results[k][1]) state.SkipWithError("the engine and the literal algorithm disagree");
        const double ratio = seconds[k][0] > 0 ? seconds[k][1] / seconds[k][0] : 0;
        state.counters[KindName[k]] = ratio;
        std::printf("%-18s literal %8.3f ms, engine %7.3f ms (%.0fx)%s\n", KindName[k], seconds[k][1] * 1e3,
                    seconds[k][0] * 1e3, ratio, seconds[k][0] < 0.005 ? "" : "  ABOVE 5 ms");
    }
}

} // namespace

BENCHMARK(BM_Stat)
    ->ArgsProduct({{Delays, Frequencies, ListDelays, ListFrequencies}, {1, 0}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ratio)->Iterations(1);
BENCHMARK_MAIN();
