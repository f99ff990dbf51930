// The probability of the 90 numbers on the real archive, all wheels, whole archive: the literal
// computation (a backward walk and a full count per number, the plain exchange sort) against
// the engine. The last benchmark checks that both agree.
#include "BenchArchive.h"
#include "probability/NumberProbability.h"

#include "core/OperatorImport.h"
#include "probability/LiteralProbability.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

using namespace numora;
using numora::bench::RealArchive;

namespace {

ProbabilityCriteria AllWheels(const DrawArchive& a) {
    ProbabilityCriteria c;
    c.endText = std::to_string(a.count());
    c.wheels = AllWheelSet;
    return c;
}

void BM_Literal(benchmark::State& state) {
    const DrawArchive* a = RealArchive();
    if (!a) return state.SkipWithError("no real archive");
    for (auto _ : state) {
        const auto p = oracle::LiteralProbabilities(*a, 1, a->count(), AllWheelSet, true, 0, 50, true, 0, 50);
        benchmark::DoNotOptimize(oracle::LiteralRanking(p, true));
    }
}

void BM_Engine(benchmark::State& state) {
    const DrawArchive* a = RealArchive();
    if (!a) return state.SkipWithError("no real archive");
    const ProbabilityCriteria c = AllWheels(*a);
    for (auto _ : state) benchmark::DoNotOptimize(RankNumbers(ComputeNumberProbabilities(*a, c).p, true));
}

void BM_Agree(benchmark::State& state) {
    const DrawArchive* a = RealArchive();
    if (!a) return state.SkipWithError("no real archive");
    const auto want = oracle::LiteralProbabilities(*a, 1, a->count(), AllWheelSet, true, 0, 50, true, 0, 50);
    const auto literal = oracle::LiteralRanking(want, true);
    const auto got = RankNumbers(ComputeNumberProbabilities(*a, AllWheels(*a)).p, true);
    for (int r = 0; r < 90; ++r)
        if (got[r].number != literal[r].first || got[r].probability != literal[r].second)
            return state.SkipWithError("the engine and the literal computation differ");
    for (auto _ : state) benchmark::DoNotOptimize(got.data());
}

} // namespace

BENCHMARK(BM_Literal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Agree);
BENCHMARK_MAIN();
