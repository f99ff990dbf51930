// The guaranteed reduction, the literal greedy against the engine on the same forecasts (each
// pair checked for identical plays in identical order), the sizes the greedy gives, and the
// quality per second of Genio's second phase.
#include "reduction/GenioReduction.h"
#include "reduction/GuaranteedReduction.h"

#include "core/Clock.h"
#include "core/Random.h"
#include "reduction/LiteralReduction.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <random>

using namespace numora;

namespace {

struct Case {
    int numbers, size, score;
};
// 30 numbers in cinquine with "Ambo", 40 in sestine with "Terno", 20 in sestine with "Cinquina".
constexpr Case Cases[] = {{30, 5, 2}, {40, 6, 3}, {20, 6, 5}};

GuaranteedRequest RequestOf(const Case& c) {
    GuaranteedRequest r;
    for (int n = 1; n <= c.numbers; ++n) r.play.forecast.push_back(static_cast<std::uint8_t>(n * 2));
    r.play.size = c.size;
    r.score = c.score;
    r.play.wheels = 1u << 11;
    r.play.stakes = {1, 1, 0, 0, 0};
    return r;
}

std::map<int, std::vector<Play>>& EngineResults() {
    static std::map<int, std::vector<Play>> results;
    return results;
}

void BM_GuaranteedEngine(benchmark::State& state) {
    const Case c = Cases[state.range(0)];
    const GuaranteedRequest r = RequestOf(c);
    std::vector<Play> plays;
    for (auto _ : state) plays = ReduceToGuarantee({}, r).plays;
    state.counters["plays"] = static_cast<double>(plays.size());
    EngineResults()[static_cast<int>(state.range(0))] = plays;
}

void BM_GuaranteedLiteral(benchmark::State& state) {
    const Case c = Cases[state.range(0)];
    const GuaranteedRequest r = RequestOf(c);
    auto empty = std::make_unique<PlayList>();
    std::vector<Play> plays;
    for (auto _ : state) plays = literal::GuaranteedReduction(*empty, r.play, r.score).plays;
    state.counters["plays"] = static_cast<double>(plays.size());
    const auto it = EngineResults().find(static_cast<int>(state.range(0)));
    if (it != EngineResults().end() && it->second != plays) state.SkipWithError("the engine's plays differ");
}

// The reduction sizes for 10..20 numbers in cinquine; range(1) is the score (2 ambo, 3 terno).
void BM_SizeTable(benchmark::State& state) {
    const GuaranteedRequest r = RequestOf(Case{static_cast<int>(state.range(0)), 5, static_cast<int>(state.range(1))});
    std::size_t plays = 0;
    for (auto _ : state) plays = ReduceToGuarantee({}, r).plays.size();
    state.counters["plays"] = static_cast<double>(plays);
}

// Sum over the plays of their overlap with the others.
double TotalOverlap(const PlayList& list) {
    const auto occ = NumberOccurrences(std::span<const Play>(list.data(), static_cast<std::size_t>(list.count())));
    double total = 0;
    for (int i = 1; i <= list.count(); ++i) total += PlayOverlap(list.play(i), list.play(i), occ);
    return total;
}

// Phase 2 of Genio for N = 30, K = 5, M = 30 on the processor clock: candidates per processor
// second, and the overlap reached against that of 30 random plays of the same forecast.
void BM_GenioPhase2(benchmark::State& state) {
    GenioRequest r;
    for (int n = 1; n <= 30; ++n) r.play.forecast.push_back(static_cast<std::uint8_t>(n));
    r.play.size = 5;
    r.play.wheels = 1u << 11;
    r.play.stakes = {1, 1, 0, 0, 0};
    r.plays = 30;
    r.budget = state.range(0);
    auto list = std::make_unique<PlayList>();
    GenioResult result;
    double seconds = 0;
    for (auto _ : state) {
        list->clear();
        StdRandom random(12345);
        ProcessorClock clock; // the budget and the rate in processor time, as a loaded machine leaves them
        const auto t0 = clock.milliseconds();
        result = ReduceGenio(*list, r, random, clock);
        seconds += static_cast<double>(clock.milliseconds() - t0) / 1000.0;
    }
    state.counters["candidates_per_cpu_s"] = static_cast<double>(result.candidates) * state.iterations() / seconds;
    state.counters["overlap"] = TotalOverlap(*list);
    // A random start: 30 random plays of five of the thirty numbers.
    std::mt19937 g(777);
    auto start = std::make_unique<PlayList>();
    for (int i = 1; i <= 30; ++i) {
        std::vector<std::uint8_t> f = r.play.forecast;
        std::shuffle(f.begin(), f.end(), g);
        std::sort(f.begin(), f.begin() + 5);
        start->play(i).setNumbersFrom(std::vector<std::uint8_t>(f.begin(), f.begin() + 5));
    }
    start->setCount(30);
    state.counters["random_overlap"] = TotalOverlap(*start);
}

// The optimiser over 30 random plays of five of thirty numbers, range(0) ms per play and R = 2:
// variants per second, and the overlap reached against the start's.
void BM_Optimiser(benchmark::State& state) {
    OptimiseRequest r;
    for (int n = 1; n <= 30; ++n) r.forecast.push_back(static_cast<std::uint8_t>(n));
    r.replace = 2;
    r.budget = state.range(0);
    auto list = std::make_unique<PlayList>();
    OptimiseResult result;
    double seconds = 0, start = 0;
    for (auto _ : state) {
        state.PauseTiming();
        list->clear();
        std::mt19937 g(777);
        for (int i = 1; i <= 30; ++i) {
            std::vector<std::uint8_t> f = r.forecast;
            std::shuffle(f.begin(), f.end(), g);
            std::sort(f.begin(), f.begin() + 5);
            list->play(i).setNumbersFrom(std::vector<std::uint8_t>(f.begin(), f.begin() + 5));
            list->play(i).wheels = 1u << 11;
        }
        list->setCount(30);
        start = TotalOverlap(*list);
        state.ResumeTiming();
        StdRandom random(12345);
        SystemClock clock;
        const auto t0 = clock.milliseconds();
        result = OptimisePlays(*list, r, random, clock);
        seconds += static_cast<double>(clock.milliseconds() - t0) / 1000.0;
    }
    state.counters["variants_per_s"] = static_cast<double>(result.variants) * state.iterations() / seconds;
    state.counters["overlap"] = TotalOverlap(*list);
    state.counters["start_overlap"] = start;
}

} // namespace

BENCHMARK(BM_GuaranteedEngine)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_GuaranteedLiteral)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SizeTable)->ArgsProduct({benchmark::CreateDenseRange(10, 20, 1), {2, 3}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenioPhase2)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Optimiser)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
