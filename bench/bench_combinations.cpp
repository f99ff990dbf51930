// Enumerating and scoring every 6-number combination of a 30-number forecast: the plain
// recursive enumeration (the oracle of the tests) against CombinationEnumerator, scoring each
// combination in full and incrementally from firstChanged(); then the same with two fixed
// numbers, where the oracle filters every combination and the enumerator visits only those
// holding both. The last benchmark prints the ratios.
#include "core/Combinations.h"

#include "oracle/LiteralCombinations.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace numora;

namespace {

constexpr int ForecastSize = 30;
constexpr int PlaySize = 6;

struct Fixture {
    std::vector<std::uint8_t> forecast;
    std::vector<std::uint8_t> fixed;
    std::array<double, 91> weight{}; // a per-number score, as the generators read from their tables

    Fixture() {
        for (int i = 0; i < ForecastSize; ++i) forecast.push_back(static_cast<std::uint8_t>(3 * i + 1));
        fixed = {forecast[4], forecast[17]};
        for (int n = 1; n <= 90; ++n) weight[static_cast<std::size_t>(n)] = (n * 37 % 101) / 7.0;
    }
};

const Fixture& Data() {
    static const Fixture f;
    return f;
}

struct Result {
    double seconds = 0;
    double best = 0;
    std::uint64_t kept = 0;
};

template <typename Run> Result Measure(benchmark::State& state, Run run) {
    Result r;
    auto t0 = std::chrono::steady_clock::now();
    for (auto _ : state) {
        r = run();
        benchmark::DoNotOptimize(r.kept);
    }
    auto t1 = std::chrono::steady_clock::now();
    r.seconds = std::chrono::duration<double>(t1 - t0).count() / static_cast<double>(state.iterations());
    state.counters["combinations"] = static_cast<double>(r.kept);
    return r;
}

Result Oracle(const std::vector<std::uint8_t>& fixed) {
    const Fixture& f = Data();
    Result r;
    oracle::LiteralCombinations(f.forecast, PlaySize, fixed, [&](const std::vector<std::uint8_t>& c) {
        double s = 0;
        for (std::uint8_t n : c) s += f.weight[n];
        if (s > r.best) r.best = s;
        ++r.kept;
    });
    return r;
}

Result Enumerator(const std::vector<std::uint8_t>& fixed, bool incremental) {
    const Fixture& f = Data();
    Result r;
    CombinationEnumerator e;
    if (!e.start(f.forecast, PlaySize, fixed)) return r;
    std::array<double, PlaySize + 1> prefix{}; // prefix[s] = weights of slots 0..s-1
    do {
        const int from = incremental ? e.firstChanged() : 0;
        for (int s = from; s < PlaySize; ++s)
            prefix[static_cast<std::size_t>(s + 1)] = prefix[static_cast<std::size_t>(s)] + f.weight[e.number(s)];
        const double score = prefix[PlaySize];
        if (score > r.best) r.best = score;
        ++r.kept;
    } while (e.next());
    return r;
}

Result oracleAll, fullAll, incrementalAll, oracleFixed, enumeratorFixed;

void BM_RecursiveOracle(benchmark::State& state) {
    oracleAll = Measure(state, [] { return Oracle({}); });
}
void BM_EnumeratorFullScore(benchmark::State& state) {
    fullAll = Measure(state, [] { return Enumerator({}, false); });
}
void BM_EnumeratorIncremental(benchmark::State& state) {
    incrementalAll = Measure(state, [] { return Enumerator({}, true); });
}
void BM_RecursiveOracleFixed(benchmark::State& state) {
    oracleFixed = Measure(state, [] { return Oracle(Data().fixed); });
}
void BM_EnumeratorFixedFirst(benchmark::State& state) {
    enumeratorFixed = Measure(state, [] { return Enumerator(Data().fixed, true); });
}

double Ratio(const Result& slow, const Result& fast) {
    return fast.seconds > 0 ? slow.seconds / fast.seconds : 0;
}

void BM_Ratio(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(oracleAll.kept);
    // The fixed-first slots add the same weights in another order: equal up to rounding.
    if (oracleAll.kept != fullAll.kept || oracleAll.best != incrementalAll.best ||
        oracleFixed.kept != enumeratorFixed.kept || std::fabs(oracleFixed.best - enumeratorFixed.best) > 1e-9)
        state.SkipWithError("the enumerator and the oracle disagree");
    state.counters["full_ratio"] = Ratio(oracleAll, fullAll);
    state.counters["incremental_ratio"] = Ratio(oracleAll, incrementalAll);
    state.counters["fixed_ratio"] = Ratio(oracleFixed, enumeratorFixed);
    std::printf(
        "C(%d,%d) = %llu combinations: recursive %.2f ms, enumerator %.2f ms (%.1fx), incremental %.2f ms (%.1fx)\n",
        ForecastSize, PlaySize, static_cast<unsigned long long>(oracleAll.kept), oracleAll.seconds * 1e3,
        fullAll.seconds * 1e3, Ratio(oracleAll, fullAll), incrementalAll.seconds * 1e3,
        Ratio(oracleAll, incrementalAll));
    std::printf(
        "two fixed numbers, %llu combinations kept: recursive with filter %.2f ms, fixed first %.3f ms (%.0fx)\n",
        static_cast<unsigned long long>(enumeratorFixed.kept), oracleFixed.seconds * 1e3, enumeratorFixed.seconds * 1e3,
        Ratio(oracleFixed, enumeratorFixed));
}

} // namespace

BENCHMARK(BM_RecursiveOracle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnumeratorFullScore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnumeratorIncremental)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecursiveOracleFixed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnumeratorFixedFirst)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Ratio)->Iterations(1);
BENCHMARK_MAIN();
