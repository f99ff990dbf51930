// The distribution of the mean custom probability over the combinations of a large forecast:
// the literal enumeration (positions stepped by hand, each mean summed afresh) against the
// engine (the enumerator with running sums), with the program's 64-combination reports. Both
// give their bins on the same forecast in the same run, compared before the line is printed.
#include "BenchCompare.h"
#include "probability/ProbabilityDistribution.h"

#include "core/Combinations.h"
#include "probability/LiteralDistribution.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

using namespace numora;

namespace {

CustomProbabilityTable Table() {
    std::mt19937 rng(90);
    CustomProbabilityTable t;
    for (double& v : t) v = static_cast<double>(rng() % 201) / 2;
    return t;
}

std::vector<int> Forecast(int n) {
    std::vector<int> v;
    for (int i = 1; i <= n; ++i) v.push_back(2 * n <= 90 ? i * 2 : i);
    return v;
}

const Progress Reports{[](const ProgressStatus&) { return true; }, CombinationInterval};

// range(0) numbers taken range(1) at a time; range(2): 1 for the literal count, 0 for the engine.
void BM_Bins(benchmark::State& state) {
    const auto t = Table();
    const auto list = Forecast(static_cast<int>(state.range(0)));
    const std::vector<std::uint8_t> numbers(list.begin(), list.end());
    const int k = static_cast<int>(state.range(1));
    const bool literal = state.range(2) != 0;
    const std::string job = "distribuzione di C(" + std::to_string(list.size()) + "," + std::to_string(k) + ")";
    numora::bench::TimeAndCompare<DistributionBins>(state, job, literal, [&] {
        if (literal) return oracle::LiteralCombinationBins(list, k, t);
        DistributionBins bins;
        CountCombinationBins(numbers, k, t, bins, Reports);
        return bins;
    });
}

} // namespace

BENCHMARK(BM_Bins)
    ->ArgsProduct({{40}, {5, 6}, {1, 0}})
    ->Args({90, 4, 1})
    ->Args({90, 4, 0})
    ->Unit(benchmark::kMillisecond);
NUMORA_BENCH_MAIN("bench_distribution")
