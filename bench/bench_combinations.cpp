// Enumerating and scoring every 6-number combination of a 30-number forecast: the plain
// recursive enumeration (the oracle of the tests) against CombinationEnumerator, scoring each
// combination in full and incrementally from firstChanged(); then the same with two fixed
// numbers, where the oracle filters every combination and the enumerator visits only those
// holding both. Each pair is compared (count and best score) before its line is printed.
#include "BenchCompare.h"
#include "core/Combinations.h"

#include "oracle/LiteralCombinations.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <string>
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
    double best = 0;
    std::uint64_t kept = 0;
    // With fixed numbers first the enumerator adds the same weights in another order: the best
    // score is the same up to rounding.
    bool operator==(const Result& o) const { return kept == o.kept && std::fabs(best - o.best) <= 1e-9; }
};

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

enum Kind { Full = 0, Incremental = 1, Fixed = 2 };
const char* const JobNames[] = {"C(30,6) con punteggio intero", "C(30,6) con punteggio incrementale",
                                "C(30,6) con due numeri fissi"};

// range(0): the kind of job, range(1): 1 for the recursive oracle, 0 for the enumerator.
void BM_Combinations(benchmark::State& state) {
    const auto kind = static_cast<Kind>(state.range(0));
    const bool literal = state.range(1) != 0;
    const std::vector<std::uint8_t> fixed = kind == Fixed ? Data().fixed : std::vector<std::uint8_t>{};
    numora::bench::TimeAndCompare<Result>(state, JobNames[kind], literal,
                                          [&] { return literal ? Oracle(fixed) : Enumerator(fixed, kind != Full); });
}

} // namespace

BENCHMARK(BM_Combinations)->ArgsProduct({{Full, Incremental, Fixed}, {1, 0}})->Unit(benchmark::kMillisecond);
NUMORA_BENCH_MAIN("bench_combinations")
