// The guaranteed reduction, the literal greedy against the engine on the same forecasts, and
// Genio against its literal on a clock that moves one millisecond per reading, so both try the
// same candidates from the same seed: each pair is checked for identical plays in identical order
// before its line is printed; the same for the optimiser of the plays. Beside them, Genio's
// candidates and the optimiser's variants per processor second, and the sizes the greedy gives.
#include "BenchCompare.h"
#include "reduction/GenioReduction.h"
#include "reduction/GuaranteedReduction.h"

#include "core/Clock.h"
#include "core/Random.h"
#include "reduction/LiteralReduction.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

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

const char* const CaseNames[] = {"riduzione garantita, 30 numeri in cinquine, ambo",
                                 "riduzione garantita, 40 numeri in sestine, terno",
                                 "riduzione garantita, 20 numeri in sestine, cinquina"};

// range(0): the case; range(1): 1 for the literal greedy, 0 for the engine.
void BM_Guaranteed(benchmark::State& state) {
    const Case c = Cases[state.range(0)];
    const GuaranteedRequest r = RequestOf(c);
    const bool literal = state.range(1) != 0;
    auto empty = std::make_unique<PlayList>();
    std::size_t plays = 0;
    numora::bench::TimeAndCompare<std::vector<Play>>(state, CaseNames[state.range(0)], literal, [&] {
        std::vector<Play> p =
            literal ? literal::GuaranteedReduction(*empty, r.play, r.score).plays : ReduceToGuarantee({}, r).plays;
        plays = p.size();
        return p;
    });
    state.counters["plays"] = static_cast<double>(plays);
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

GenioRequest GenioThirty(std::int64_t budget) {
    GenioRequest r;
    for (int n = 1; n <= 30; ++n) r.play.forecast.push_back(static_cast<std::uint8_t>(n));
    r.play.size = 5;
    r.play.wheels = 1u << 11;
    r.play.stakes = {1, 1, 0, 0, 0};
    r.plays = 30;
    r.budget = budget;
    return r;
}

// Genio for N = 30, K = 5, M = 30, its second phase given range(0) readings of a clock that moves
// one millisecond per reading, so both sides try the same candidates; range(1): 1 for the
// literal, 0 for the engine. The engine's candidates per processor second, and the overlap it
// reached against that of 30 random plays of the same forecast.
void BM_Genio(benchmark::State& state) {
    const GenioRequest r = GenioThirty(state.range(0));
    const bool literal = state.range(1) != 0;
    auto empty = std::make_unique<PlayList>();
    auto list = std::make_unique<PlayList>();
    GenioResult result;
    const std::string job = "Genio, 30 numeri in cinquine, " + std::to_string(r.budget) + " candidati";
    numora::bench::TimeAndCompare<std::vector<Play>>(state, job, literal, [&] {
        StdRandom random(12345);
        ManualClock clock(0, 1);
        if (literal) return literal::Genio(*empty, r.play, r.plays, r.budget, random, clock).plays;
        list->clear();
        result = ReduceGenio(*list, r, random, clock, Progress{[](const ProgressStatus&) { return true; }, 1});
        return std::vector<Play>(list->data(), list->data() + list->count());
    });
    if (literal) return;
    const double perRun = numora::bench::Jobs()[job].shipped;
    state.counters["candidates_per_cpu_s"] = perRun > 0 ? static_cast<double>(result.candidates) / perRun : 0;
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

// The optimiser over 30 random plays of five of thirty numbers with R = 2, range(0) readings per
// play of a clock that moves one millisecond per reading, so both sides try the same variants;
// range(1): 1 for the literal, 0 for the engine. The engine's variants per processor second, and
// the overlap reached against the start's.
void BM_Optimiser(benchmark::State& state) {
    OptimiseRequest r;
    for (int n = 1; n <= 30; ++n) r.forecast.push_back(static_cast<std::uint8_t>(n));
    r.replace = 2;
    r.budget = state.range(0);
    const bool literal = state.range(1) != 0;
    auto start = std::make_unique<PlayList>();
    std::mt19937 g(777);
    for (int i = 1; i <= 30; ++i) {
        std::vector<std::uint8_t> f = r.forecast;
        std::shuffle(f.begin(), f.end(), g);
        std::sort(f.begin(), f.begin() + 5);
        start->play(i).setNumbersFrom(std::vector<std::uint8_t>(f.begin(), f.begin() + 5));
        start->play(i).wheels = 1u << 11;
    }
    start->setCount(30);
    auto list = std::make_unique<PlayList>();
    OptimiseResult result;
    const std::string job = "ottimizzazione di 30 cinquine, " + std::to_string(r.budget) + " varianti l'una";
    numora::bench::TimeAndCompare<std::vector<Play>>(state, job, literal, [&] {
        StdRandom random(12345);
        ManualClock clock(0, 1);
        if (literal) return literal::Optimise(*start, r.forecast, r.fixed, r.replace, r.budget, random, clock).plays;
        list->copyFrom(*start);
        result = OptimisePlays(*list, r, random, clock);
        return std::vector<Play>(list->data(), list->data() + list->count());
    });
    if (literal) return;
    const double perRun = numora::bench::Jobs()[job].shipped;
    state.counters["variants_per_cpu_s"] = perRun > 0 ? static_cast<double>(result.variants) / perRun : 0;
    state.counters["overlap"] = TotalOverlap(*list);
    state.counters["start_overlap"] = TotalOverlap(*start);
}

} // namespace

BENCHMARK(BM_Guaranteed)->ArgsProduct({{0, 1, 2}, {0}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Guaranteed)->ArgsProduct({{0, 1, 2}, {1}})->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Genio)->ArgsProduct({{2000, 20000}, {1, 0}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SizeTable)->ArgsProduct({benchmark::CreateDenseRange(10, 20, 1), {2, 3}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Optimiser)->ArgsProduct({{200, 2000}, {1, 0}})->Unit(benchmark::kMillisecond);
NUMORA_BENCH_MAIN("bench_reduction")
