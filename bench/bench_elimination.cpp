// The eliminators at P = 100000 plays, the whole job on each side: the scores, then half the plays
// removed (the literal exchange sort over whole records against the shipped order), with
// near-distinct real scores, 50 distinct scores and all scores equal. The copy of the list each
// run starts from is left out of the processor time; the two lists left are compared play by play
// before the line is printed.
#include "BenchCompare.h"
#include "elimination/Elimination.h"

#include "elimination/LiteralElimination.h"
#include "stats/RandomDraws.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

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

const char* const KindNames[] = {"eliminazione di 50000 su 100000, punteggi reali",
                                 "eliminazione di 50000 su 100000, 50 punteggi",
                                 "eliminazione di 50000 su 100000, tutti pari"};

std::vector<std::vector<Play>>& Left(bool literal) {
    static std::vector<std::vector<Play>> left[2]{std::vector<std::vector<Play>>(3), std::vector<std::vector<Play>>(3)};
    return left[literal ? 0 : 1];
}

// range(0): the kind of scores; range(1): 1 for the literal elimination, 0 for the shipped one.
void BM_Eliminate(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    const bool literal = state.range(1) != 0;
    const Setup& d = Data();
    const std::vector<double> fixed = Scores(kind, Plays);
    auto list = std::make_unique<PlayList>();
    double seconds = 0;
    for (auto _ : state) {
        list->copyFrom(d.list);
        const double start = numora::bench::ProcessorSeconds();
        std::vector<double> s; // scored as the run does, whatever the kind
        if (literal) {
            s = literal::LessProbableScores(*list, EliminationCriteria{}, d.delays, d.frequencies);
            if (kind != 0) s = fixed;
            literal::Eliminate(*list, s, Plays / 2);
        } else {
            LessProbableScores(*list, EliminationCriteria{}, d.delays, d.frequencies, s);
            if (kind != 0) s = fixed;
            RemoveLeastScored(*list, s, Plays / 2);
        }
        seconds += numora::bench::ProcessorSeconds() - start;
        benchmark::DoNotOptimize(list->play(1));
    }
    const std::string job = KindNames[kind];
    numora::bench::RecordSeconds(job, literal, seconds / static_cast<double>(state.iterations()));
    state.SetLabel(job + (literal ? " (letterale)" : " (in uso)"));
    Left(literal)[static_cast<std::size_t>(kind)].assign(list->data(), list->data() + list->count());
    const auto& a = Left(true)[static_cast<std::size_t>(kind)];
    const auto& b = Left(false)[static_cast<std::size_t>(kind)];
    if (a.empty() || b.empty()) return;
    numora::bench::Agree(job, a == b);
    if (a != b) state.SkipWithError("the shipped list differs from the literal one");
}

} // namespace

BENCHMARK(BM_Eliminate)->ArgsProduct({{0, 1, 2}, {0}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Eliminate)->ArgsProduct({{0, 1, 2}, {1}})->Iterations(1)->Unit(benchmark::kMillisecond);
NUMORA_BENCH_MAIN("bench_elimination")
