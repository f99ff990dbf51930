// The pair statistics on the real archive: each full list and each top-K scan (K = 250 and 5000,
// whole archive, all eleven wheels), the literal algorithm and the shipped engine in one run; and
// the exchange-sort order on 4005 and 5000 values. The last benchmark checks that both agree and
// prints the ratios.
#include "BenchArchive.h"
#include "BenchCompare.h"
#include "core/FileIo.h"
#include "core/OperatorImport.h"
#include "core/Ranking.h"
#include "stats/PairStats.h"

#include "stats/LiteralPairStats.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <climits>
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
    const double t0 = numora::bench::ProcessorSeconds();
    for (auto _ : state) {
        r = fn(*a);
        benchmark::DoNotOptimize(r);
    }
    const double s = (numora::bench::ProcessorSeconds() - t0) / static_cast<double>(state.iterations());
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

// The simple kernel the scans are held against: a last-seen table per wheel and ordered pair of
// numbers, filled draw after draw, then read as delays. It lists nothing and keeps no top K.
struct KernelDelays {
    std::vector<int> last = std::vector<int>(11 * 91 * 91, 0);
    int n = 0;
    int delay(int wheel, int j, int k) const {
        const int d = last[static_cast<std::size_t>(((wheel - 1) * 91 + j) * 91 + k)];
        return d == 0 ? n - 1 : n - d;
    }
};

KernelDelays Kernel(const DrawArchive& a) {
    KernelDelays t;
    t.n = a.count();
    for (int d = 1; d <= t.n; ++d) {
        const DrawRecord& draw = a.draw(d);
        for (int w = 1; w <= 11; ++w) {
            int* row = t.last.data() + (w - 1) * 91 * 91;
            for (int i = 0; i < 5; ++i)
                for (int j = i + 1; j < 5; ++j) {
                    const int x = draw.number(w, i), y = draw.number(w, j);
                    row[std::min(x, y) * 91 + std::max(x, y)] = d;
                }
        }
    }
    return t;
}

// The scan of the 250 longest delays against the kernel: the kernel's table must give every entry
// the scan kept its value, and no (pair, wheel) outside the entries may beat the weakest one.
void BM_ScanAgainstKernel(benchmark::State& state) {
    const DrawArchive* a = RealArchive();
    if (!a) return state.SkipWithError("storico.txt not found");
    const bool kernel = state.range(0) == 0;
    const std::string job = "top-pairs-delay K=250: kernel / engine";
    static KernelDelays table;
    static TopPairsResult top;
    numora::bench::TimeRuns(state, job, kernel, [&] {
        if (kernel)
            table = Kernel(*a);
        else
            top = MostDelayedPairs(*a, 11, 250, {});
        benchmark::DoNotOptimize(kernel ? table.n : static_cast<int>(top.entries.size()));
    });
    if (kernel) return;
    bool same = table.n == a->count() && top.entries.size() == 250;
    int weakest = INT_MAX;
    std::vector<char> kept(11 * 91 * 91, 0);
    for (const WheelPairValue& e : top.entries) {
        same = same && table.delay(e.wheel, e.j, e.k) == e.value;
        weakest = std::min(weakest, e.value);
        kept[static_cast<std::size_t>(((e.wheel - 1) * 91 + e.j) * 91 + e.k)] = 1;
    }
    for (int w = 1; w <= 11; ++w)
        for (int j = 1; j <= 90; ++j)
            for (int k = j + 1; k <= 90; ++k)
                same = same && (kept[static_cast<std::size_t>(((w - 1) * 91 + j) * 91 + k)] != 0 ||
                                table.delay(w, j, k) <= weakest);
    numora::bench::Agree(job, same);
    if (!same) state.SkipWithError("the scan and the kernel disagree");
}

void BM_Ratio(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(Timings().size());
    bool allSame = true;
    std::printf("real archive, %d draws\n", N());
    for (const auto& [name, t] : Timings()) {
        allSame = allSame && t.same;
        numora::bench::RecordSeconds(name, true, t.literal);
        numora::bench::RecordSeconds(name, false, t.shipped);
        numora::bench::Agree(name, t.same);
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
BENCHMARK(BM_ScanAgainstKernel)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ratio)->Iterations(1);
NUMORA_BENCH_MAIN("bench_pairstats")
