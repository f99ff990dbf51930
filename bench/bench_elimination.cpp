// The eliminators at P = 100000 plays: the whole shipped elimination (scores, the exchange sort's
// order, removal of half the plays) against the literal exchange sort over whole records, with
// near-distinct real scores, 50 distinct scores and all scores equal. The literal run checks that
// both leave the same list.
#include "elimination/Elimination.h"

#include "elimination/LiteralElimination.h"
#include "stats/RandomDraws.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>

using namespace numora;

namespace {

constexpr int Plays = 100000;

struct Setup {
    DrawArchive draws;
    DelayTable delays;
    FrequencyTable frequencies;
    PlayList list;
};

const Setup& Data() {
    static std::unique_ptr<Setup> s = [] {
        auto d = std::make_unique<Setup>();
        d->draws = test::RandomArchive(1, 9000, 90);
        RebuildDerivedTables(d->draws, d->delays, d->frequencies);
        std::mt19937 rng(2);
        std::vector<int> numbers(90);
        for (int i = 1; i <= Plays; ++i) {
            std::iota(numbers.begin(), numbers.end(), 1);
            std::shuffle(numbers.begin(), numbers.end(), rng);
            const int k = 1 + static_cast<int>(rng() % 10);
            std::sort(numbers.begin(), numbers.begin() + k);
            Play& p = d->list.play(i);
            for (int j = 0; j < k; ++j)
                p.numbers[static_cast<std::size_t>(j)] =
                    static_cast<std::uint8_t>(numbers[static_cast<std::size_t>(j)]);
            p.wheels =
                rng() % 3 == 0 ? static_cast<std::uint16_t>(1u << 11) : static_cast<std::uint16_t>(1 + rng() % 2047);
            p.stakes[0] = 1;
        }
        d->list.setCount(Plays);
        return d;
    }();
    return *s;
}

// 0: near-distinct real scores, 1: 50 distinct scores, 2: all equal.
std::vector<double> Scores(int kind, int plays) {
    const Setup& d = Data();
    PlayList list(d.list);
    list.setCount(plays);
    std::vector<double> s;
    LessProbableScores(list, EliminationCriteria{}, d.delays, d.frequencies, s);
    if (kind == 1)
        for (double& v : s) v = static_cast<double>(static_cast<int>(v) % 50);
    if (kind == 2)
        for (double& v : s) v = 50.0;
    return s;
}

void BM_Shipped(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    const Setup& d = Data();
    const std::vector<double> fixed = Scores(kind, Plays);
    auto list = std::make_unique<PlayList>();
    for (auto _ : state) {
        state.PauseTiming();
        list->copyFrom(d.list);
        state.ResumeTiming();
        std::vector<double> s;
        LessProbableScores(*list, EliminationCriteria{}, d.delays, d.frequencies, s); // scored as the run does
        if (kind != 0) s = fixed;
        RemoveLeastScored(*list, s, Plays / 2);
        benchmark::DoNotOptimize(list->play(1));
    }
}

void BM_Literal(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    const int plays = static_cast<int>(state.range(1));
    const Setup& d = Data();
    const std::vector<double> s = Scores(kind, plays);
    auto list = std::make_unique<PlayList>();
    auto shipped = std::make_unique<PlayList>();
    for (auto _ : state) {
        state.PauseTiming();
        list->copyFrom(d.list);
        list->setCount(plays);
        state.ResumeTiming();
        literal::Eliminate(*list, s, plays / 2);
        benchmark::DoNotOptimize(list->play(1));
    }
    shipped->copyFrom(d.list);
    shipped->setCount(plays);
    RemoveLeastScored(*shipped, s, plays / 2);
    for (int i = 1; i <= list->count(); ++i)
        if (!(list->play(i) == shipped->play(i))) return state.SkipWithError("the shipped list differs");
    state.counters["identical"] = 1;
}

} // namespace

BENCHMARK(BM_Shipped)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Literal)
    ->Args({0, Plays})
    ->Args({1, Plays})
    ->Args({2, Plays})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
