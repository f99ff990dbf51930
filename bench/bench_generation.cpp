// The generators at their largest: the most probable plays over all 90 numbers in cinquine
// (43,949,268 combinations, 100 kept) and the integral development of 20 numbers in cinquine
// (15504 candidates) against 84000 committed plays; each literal algorithm against the engine
// in the same run, and a check that both leave the same plays in the same slots.
#include "BenchArchive.h"
#include "generation/Generation.h"

#include "core/OperatorImport.h"
#include "core/PlayList.h"
#include "generation/LiteralGeneration.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>

using namespace numora;

namespace {

struct Tables {
    DelayTable delays;
    FrequencyTable frequencies;
};

// The real archive's tables, or seeded ones when it is absent.
const Tables& ArchiveTables() {
    static const Tables t = [] {
        Tables r;
        if (const DrawArchive* a = numora::bench::RealArchive()) {
            RebuildDerivedTables(*a, r.delays, r.frequencies);
        } else {
            std::mt19937 g(1);
            for (int w = 1; w <= 12; ++w)
                for (int n = 1; n <= 90; ++n) {
                    r.delays.at(w, n) = static_cast<std::int32_t>(g() % 200);
                    r.frequencies.at(w, n) = static_cast<std::int32_t>(g() % 20);
                }
        }
        return r;
    }();
    return t;
}

PlayRequest Everything() {
    PlayRequest r;
    for (int n = 1; n <= 90; ++n) r.forecast.push_back(static_cast<std::uint8_t>(n));
    r.size = 5;
    r.wheels = 1u << 11;
    r.stakes = {0, 0, 0, 0, 1};
    return r;
}

const ScoreCriteria Defaults{};

PlayList& Shipped() {
    static auto list = std::make_unique<PlayList>();
    return *list;
}
PlayList& Literal() {
    static auto list = std::make_unique<PlayList>();
    return *list;
}

void BM_ExtractLiteral(benchmark::State& state) {
    const Tables& t = ArchiveTables();
    const PlayRequest r = Everything();
    std::vector<int> f(r.forecast.begin(), r.forecast.end());
    const literal::DelayFrequencyScorer scorer(t.delays, t.frequencies, Defaults, r.wheels, f);
    for (auto _ : state) {
        Literal().clear();
        benchmark::DoNotOptimize(literal::ExtractBestPlays(Literal(), r, 100, scorer));
    }
}

void BM_ExtractShipped(benchmark::State& state) {
    const Tables& t = ArchiveTables();
    const PlayRequest r = Everything();
    for (auto _ : state) {
        Shipped().clear();
        const PlayScore s = DelayFrequencyScore(r.forecast, 5, r.wheels, Defaults, t.delays, t.frequencies);
        benchmark::DoNotOptimize(ExtractBestPlays(Shipped(), r, 100, s).added);
    }
}

// Both runs above kept the same 100 plays in the same slots.
void BM_ExtractAgree(benchmark::State& state) {
    bool same = Shipped().count() == Literal().count() && Shipped().count() == 100;
    for (int i = 1; same && i <= Shipped().count(); ++i) same = Shipped().play(i) == Literal().play(i);
    for (auto _ : state) benchmark::DoNotOptimize(same);
    if (!same) state.SkipWithError("the engine and the literal extraction differ");
    state.counters["giocate"] = Shipped().count();
}

// 84000 committed plays of 20 numbers in quaterne and cinquine, most on another mask.
void Committed(PlayList& list) {
    std::mt19937 g(3);
    list.clear();
    for (int i = 1; i <= 84000; ++i) {
        std::vector<std::uint8_t> all;
        for (int n = 1; n <= 20; ++n) all.push_back(static_cast<std::uint8_t>(n));
        std::shuffle(all.begin(), all.end(), g);
        all.resize(i % 2 == 0 ? 5 : 4);
        std::sort(all.begin(), all.end());
        Play p;
        p.setNumbersFrom(all);
        p.wheels = i % 7 == 0 ? static_cast<std::uint16_t>(1u << 11) : static_cast<std::uint16_t>(1u);
        list.play(i) = p;
    }
    list.setCount(84000);
}

PlayRequest Twenty() {
    PlayRequest r;
    for (int n = 1; n <= 20; ++n) r.forecast.push_back(static_cast<std::uint8_t>(n));
    r.size = 5;
    r.wheels = 1u << 11;
    r.stakes = {0, 0, 0, 0, 1};
    return r;
}

void BM_DevelopLiteral(benchmark::State& state) {
    Committed(Literal());
    for (auto _ : state) {
        Literal().setCount(84000);
        benchmark::DoNotOptimize(literal::DevelopIntegral(Literal(), Twenty()));
    }
}

void BM_DevelopShipped(benchmark::State& state) {
    Committed(Shipped());
    for (auto _ : state) {
        Shipped().setCount(84000);
        benchmark::DoNotOptimize(DevelopIntegral(Shipped(), Twenty()).added);
    }
}

void BM_DevelopAgree(benchmark::State& state) {
    bool same = Shipped().count() == Literal().count();
    for (int i = 1; same && i <= Shipped().count(); ++i) same = Shipped().play(i) == Literal().play(i);
    for (auto _ : state) benchmark::DoNotOptimize(same);
    if (!same) state.SkipWithError("the engine and the literal development differ");
    state.counters["aggiunte"] = Shipped().count() - 84000;
}

} // namespace

BENCHMARK(BM_ExtractLiteral)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ExtractShipped)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ExtractAgree)->Iterations(1);
BENCHMARK(BM_DevelopLiteral)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_DevelopShipped)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_DevelopAgree)->Iterations(1);
BENCHMARK_MAIN();
