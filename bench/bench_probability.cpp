// The probability of the 90 numbers on the real archive, all wheels, whole archive, ranked: the
// literal computation (a backward walk and a full count per number, the plain exchange sort)
// against the engine on the same archive in the same run. The rankings are compared, number and
// probability, before the line is printed.
#include "BenchArchive.h"
#include "BenchCompare.h"
#include "probability/NumberProbability.h"

#include "core/OperatorImport.h"
#include "probability/LiteralProbability.h"

#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

using namespace numora;
using numora::bench::RealArchive;

namespace {

ProbabilityCriteria AllWheels(const DrawArchive& a) {
    ProbabilityCriteria c;
    c.endText = std::to_string(a.count());
    c.wheels = AllWheelSet;
    return c;
}

using Ranking = std::vector<std::pair<int, double>>;

void BM_Ranking(benchmark::State& state) {
    const DrawArchive* a = RealArchive();
    if (!a) return state.SkipWithError("no real archive");
    const bool literal = state.range(0) != 0;
    const ProbabilityCriteria c = AllWheels(*a);
    numora::bench::TimeAndCompare<Ranking>(state, "probabilità dei 90 numeri, tutte le ruote", literal, [&] {
        if (literal)
            return oracle::LiteralRanking(
                oracle::LiteralProbabilities(*a, 1, a->count(), AllWheelSet, true, 0, 50, true, 0, 50), true);
        Ranking r;
        for (const RankedNumber& row : RankNumbers(ComputeNumberProbabilities(*a, c).p, true))
            r.emplace_back(row.number, row.probability);
        return r;
    });
}

} // namespace

BENCHMARK(BM_Ranking)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
NUMORA_BENCH_MAIN("bench_probability")
