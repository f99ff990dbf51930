// The pair statistics on the real archive: each full list and each top-K scan (K = 250 and 5000,
// whole archive, all eleven wheels), the literal algorithm and the shipped engine in one run; and
// the exchange-sort order on 4005 and 5000 values. The last benchmark checks that both agree and
// prints the ratios.
#include "BenchArchive.h"
#include "core/FileIo.h"
#include "core/OperatorImport.h"
#include "core/Ranking.h"
#include "stats/PairStats.h"

#include "stats/LiteralPairStats.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>

using namespace numora;
using numora::bench::RealArchive;

namespace {

struct Timing {
    double literal = 0; // seconds per run
    double shipped = 0;
    bool same = true;
};
std::map<std::string, Timing>& Timings() {
    static std::map<std::string, Timing> t;
    return t;
}

// Runs fn once per iteration and keeps its result and seconds per run under (name, literal).
template <class Result>
void Measure(benchmark::State& state, const std::string& name, bool literal,
             const std::function<Result(const DrawArchive&)>& fn) {
    const DrawArchive* a = RealArchive();
    if (!a) return state.SkipWithError("storico.txt not found");
    static std::map<std::string, Result> firstResult;
    Result r{};
    const auto t0 = std::chrono::steady_clock::now();
    for (auto _ : state) {
        r = fn(*a);
        benchmark::DoNotOptimize(r);
    }
    const auto t1 = std::chrono::steady_clock::now();
    const double s = std::chrono::duration<double>(t1 - t0).count() / static_cast<double>(state.iterations());
    Timing& t = Timings()[name];
    (literal ? t.literal : t.shipped) = s;
    auto [it, inserted] = firstResult.emplace(name, r);
    if (!inserted && !(it->second == r)) t.same = false;
    state.SetLabel(name);
}

int N() {
    return RealArchive() ? RealArchive()->count() : 0;
}

bool SameEntries(const TopPairsResult& a, const TopPairsResult& b) {
    return a.entries == b.entries;
}
struct Top {
    TopPairsResult r;
    bool operator==(const Top& o) const { return SameEntries(r, o.r); }
};

std::vector<int> SortInput(int size) {
    std::mt19937 rng(static_cast<unsigned>(size));
    std::vector<int> v(static_cast<std::size_t>(size));
    for (int& x : v) x = static_cast<int>(rng() % 600); // spread like the pair delays: many ties
    return v;
}

void BM_PairDelays(benchmark::State& state) {
    const bool literal = state.range(0) == 0;
    Measure<std::vector<PairValue>>(state, "pairs-delay TT", literal, [literal](const DrawArchive& a) {
        return literal ? oracle::LiteralPairDelays(a, 0x3FF) : PairDelays(a, 0x3FF);
    });
}

void BM_PairFrequencies(benchmark::State& state) {
    const bool literal = state.range(0) == 0;
    Measure<std::vector<PairValue>>(state, "pairs-frequency TT last 400", literal, [literal](const DrawArchive& a) {
        const int n = a.count();
        return literal ? oracle::LiteralPairFrequencies(a, 0x3FF, {n - 399, n})
                       : PairFrequencies(a, 0x3FF, {n - 399, n});
    });
}

void BM_MostDelayed(benchmark::State& state) {
    const bool literal = state.range(0) == 0;
    const int k = static_cast<int>(state.range(1));
    Measure<Top>(state, "top-pairs-delay K=" + std::to_string(k), literal, [literal, k](const DrawArchive& a) {
        return Top{literal ? oracle::LiteralMostDelayedPairs(a, 11, k, {}) : MostDelayedPairs(a, 11, k, {})};
    });
}

void BM_LeastFrequent(benchmark::State& state) {
    const bool literal = state.range(0) == 0;
    const int k = static_cast<int>(state.range(1));
    Measure<Top>(state, "top-pairs-frequency K=" + std::to_string(k), literal, [literal, k](const DrawArchive& a) {
        const int n = a.count();
        return Top{literal ? oracle::LiteralLeastFrequentPairs(a, 11, {1, n}, k, {})
                           : LeastFrequentPairs(a, 11, {1, n}, k, {})};
    });
}

void BM_ExchangeSort(benchmark::State& state) {
    const bool literal = state.range(0) == 0;
    const int size = static_cast<int>(state.range(1));
    const std::vector<int> v = SortInput(size);
    Measure<std::vector<int>>(
        state, "exchange sort of " + std::to_string(size), literal, [literal, &v](const DrawArchive&) {
            return literal ? oracle::LiteralExchangeSortOrder(v, true) : ExchangeSortOrder(v, true);
        });
}

void BM_Ratio(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(Timings().size());
    bool allSame = true;
    std::printf("real archive, %d draws\n", N());
    for (const auto& [name, t] : Timings()) {
        allSame = allSame && t.same;
        std::printf("%-30s literal %10.3f ms   shipped %8.3f ms   %8.0fx%s\n", name.c_str(), t.literal * 1e3,
                    t.shipped * 1e3, t.shipped > 0 ? t.literal / t.shipped : 0.0, t.same ? "" : "   RESULTS DIFFER");
    }
    if (!allSame) state.SkipWithError("the engine and the literal algorithm disagree");
}

} // namespace

BENCHMARK(BM_PairDelays)->Args({0, 0})->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PairDelays)->Args({1, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PairFrequencies)->Args({0, 0})->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PairFrequencies)->Args({1, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MostDelayed)->Args({0, 250})->Args({0, 5000})->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MostDelayed)->Args({1, 250})->Args({1, 5000})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LeastFrequent)->Args({0, 250})->Args({0, 5000})->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LeastFrequent)->Args({1, 250})->Args({1, 5000})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExchangeSort)->Args({0, 4005})->Args({0, 5000})->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExchangeSort)->Args({1, 4005})->Args({1, 5000})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ratio)->Iterations(1);
BENCHMARK_MAIN();
