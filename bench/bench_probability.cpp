// The probability of the 90 numbers on the real archive, all wheels, whole archive: the literal
// computation (a backward walk and a full count per number, the plain exchange sort) against
// the engine. The last benchmark checks that both agree.
#include "probability/NumberProbability.h"

#include "core/OperatorImport.h"
#include "probability/LiteralProbability.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

using namespace numora;

namespace {

const DrawArchive* Real() {
    static std::unique_ptr<DrawArchive> archive = [] {
        const char* dir = std::getenv("NUMORA_SHARED_DATA");
        const std::string path = std::string(dir ? dir : "../shared/data") + "/storico.txt";
        std::ifstream in(path, std::ios::binary);
        if (!in) return std::unique_ptr<DrawArchive>();
        std::stringstream text;
        text << in.rdbuf();
        auto a = std::make_unique<DrawArchive>();
        if (!ImportOperatorText(text.str(), *a).ok) return std::unique_ptr<DrawArchive>();
        return a;
    }();
    return archive.get();
}

ProbabilityCriteria AllWheels(const DrawArchive& a) {
    ProbabilityCriteria c;
    c.endText = std::to_string(a.count());
    c.wheels = AllWheelSet;
    return c;
}

void BM_Literal(benchmark::State& state) {
    const DrawArchive* a = Real();
    if (!a) return state.SkipWithError("no real archive");
    for (auto _ : state) {
        const auto p = oracle::LiteralProbabilities(*a, 1, a->count(), AllWheelSet, true, 0, 50, true, 0, 50);
        benchmark::DoNotOptimize(oracle::LiteralRanking(p, true));
    }
}

void BM_Engine(benchmark::State& state) {
    const DrawArchive* a = Real();
    if (!a) return state.SkipWithError("no real archive");
    const ProbabilityCriteria c = AllWheels(*a);
    for (auto _ : state) benchmark::DoNotOptimize(RankNumbers(ComputeNumberProbabilities(*a, c).p, true));
}

void BM_Agree(benchmark::State& state) {
    const DrawArchive* a = Real();
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
