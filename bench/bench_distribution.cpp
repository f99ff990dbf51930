// The distribution of the mean custom probability over the combinations of a large forecast:
// the literal enumeration (positions stepped by hand, each mean summed afresh) against the
// engine (the enumerator with running sums), with the program's 64-combination reports. The
// last benchmark checks that both give the same bins and prints the ratio.
#include "probability/ProbabilityDistribution.h"

#include "core/Combinations.h"
#include "probability/LiteralDistribution.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <random>
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

void BM_Literal(benchmark::State& state) {
    const auto t = Table();
    const auto numbers = Forecast(static_cast<int>(state.range(0)));
    const int k = static_cast<int>(state.range(1));
    for (auto _ : state) benchmark::DoNotOptimize(oracle::LiteralCombinationBins(numbers, k, t));
    state.counters["combinations"] = static_cast<double>(Binomial(static_cast<int>(numbers.size()), k));
}

void BM_Engine(benchmark::State& state) {
    const auto t = Table();
    const auto list = Forecast(static_cast<int>(state.range(0)));
    const std::vector<std::uint8_t> numbers(list.begin(), list.end());
    const int k = static_cast<int>(state.range(1));
    DistributionBins bins;
    for (auto _ : state) {
        CountCombinationBins(numbers, k, t, bins, Reports);
        benchmark::DoNotOptimize(bins);
    }
    state.counters["combinations"] = static_cast<double>(Binomial(static_cast<int>(numbers.size()), k));
}

void BM_Agree(benchmark::State& state) {
    const auto t = Table();
    const auto list = Forecast(static_cast<int>(state.range(0)));
    const std::vector<std::uint8_t> numbers(list.begin(), list.end());
    const int k = static_cast<int>(state.range(1));
    using Clock = std::chrono::steady_clock;
    double literalMs = 0, engineMs = 0;
    for (auto _ : state) {
        auto a = Clock::now();
        const auto want = oracle::LiteralCombinationBins(list, k, t);
        auto b = Clock::now();
        DistributionBins got;
        CountCombinationBins(numbers, k, t, got, Reports);
        auto c = Clock::now();
        literalMs = std::chrono::duration<double, std::milli>(b - a).count();
        engineMs = std::chrono::duration<double, std::milli>(c - b).count();
        if (got != want) return state.SkipWithError("the engine's bins differ from the literal count");
    }
    state.counters["literal_ms"] = literalMs;
    state.counters["engine_ms"] = engineMs;
    state.counters["ratio"] = literalMs / engineMs;
}

} // namespace

BENCHMARK(BM_Literal)->Args({40, 5})->Args({40, 6})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Engine)->Args({40, 5})->Args({40, 6})->Args({90, 4})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Agree)->Args({40, 5})->Args({40, 6})->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
