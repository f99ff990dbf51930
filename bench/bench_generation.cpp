// The generators at their largest: the most probable plays over all 90 numbers in cinquine
// (43,949,268 combinations, 100 kept, with each kind of score) and the integral development of 20 numbers in cinquine
// (15504 candidates) against 84000 committed plays; each literal algorithm against the engine
// in the same run, and a check that both leave the same plays in the same slots.
#include "BenchArchive.h"
#include "BenchCompare.h"
#include "generation/Generation.h"

#include "core/OperatorImport.h"
#include "core/PlayList.h"
#include "generation/LiteralGeneration.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
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

// The three scores of the extraction: the dialog's own on the archive's tables, the user's
// probabilities (seeded, 0..100), probabilities all 50 but for the last bit, and probabilities of
// four values only, where thousands of plays tie with the last kept one and cannot be skipped.
enum ScoreKind { DelayFrequency = 0, Custom = 1, LastBit = 2, FewValues = 3 };
const char* const ScoreNames[] = {"ritardo e frequenza", "probabilità personalizzate", "quasi pari", "quattro valori"};

std::array<double, 90> Probabilities(int kind) {
    std::array<double, 90> p{};
    std::mt19937 g(static_cast<unsigned>(kind));
    for (double& v : p) {
        if (kind == Custom)
            v = static_cast<double>(g() % 10001) / 100.0;
        else
            v = g() % 2 == 0 ? 50.0 : std::nextafter(50.0, g() % 2 == 0 ? 100.0 : 0.0);
    }
    return p;
}

std::string ExtractJob(int kind) {
    return std::string("estrazione C(90,5) M=100, ") + ScoreNames[kind];
}

PlayScore ShippedScore(int kind, const PlayRequest& r) {
    const Tables& t = ArchiveTables();
    if (kind == DelayFrequency) return DelayFrequencyScore(r.forecast, 5, r.wheels, Defaults, t.delays, t.frequencies);
    return CustomProbabilityScore(Probabilities(kind), 5);
}

PlayList& ShippedOf(int kind) {
    static std::array<std::unique_ptr<PlayList>, 4> lists;
    auto& l = lists[static_cast<std::size_t>(kind)];
    if (!l) l = std::make_unique<PlayList>();
    return *l;
}
PlayList& LiteralOf(int kind) {
    static std::array<std::unique_ptr<PlayList>, 4> lists;
    auto& l = lists[static_cast<std::size_t>(kind)];
    if (!l) l = std::make_unique<PlayList>();
    return *l;
}

void BM_ExtractLiteral(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    const Tables& t = ArchiveTables();
    const PlayRequest r = Everything();
    std::vector<int> f(r.forecast.begin(), r.forecast.end());
    const literal::DelayFrequencyScorer scorer(t.delays, t.frequencies, Defaults, r.wheels, f);
    const std::array<double, 90> p = Probabilities(kind);
    auto mean = [&](const Play& play, int k) {
        double s = 0;
        for (int i = 0; i < k; ++i) s += p[static_cast<std::size_t>(play.numbers[static_cast<std::size_t>(i)] - 1)];
        return s / k;
    };
    numora::bench::TimeRuns(state, ExtractJob(kind), true, [&] {
        LiteralOf(kind).clear();
        if (kind == DelayFrequency)
            benchmark::DoNotOptimize(literal::ExtractBestPlays(LiteralOf(kind), r, 100, scorer));
        else
            benchmark::DoNotOptimize(literal::ExtractBestPlays(LiteralOf(kind), r, 100, mean));
    });
    state.SetLabel(ScoreNames[kind]);
}

void BM_ExtractShipped(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    const PlayRequest r = Everything();
    numora::bench::TimeRuns(state, ExtractJob(kind), false, [&] {
        ShippedOf(kind).clear();
        const PlayScore s = ShippedScore(kind, r);
        benchmark::DoNotOptimize(ExtractBestPlays(ShippedOf(kind), r, 100, s).added);
    });
    state.SetLabel(ScoreNames[kind]);
}

// Both runs above kept the same 100 plays in the same slots.
void BM_ExtractAgree(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    const PlayList& a = ShippedOf(kind);
    const PlayList& b = LiteralOf(kind);
    bool same = a.count() == b.count() && a.count() == 100;
    for (int i = 1; same && i <= a.count(); ++i) same = a.play(i) == b.play(i);
    for (auto _ : state) benchmark::DoNotOptimize(same);
    numora::bench::Agree(ExtractJob(kind), same);
    if (!same) state.SkipWithError("the engine and the literal extraction differ");
    state.counters["giocate"] = a.count();
    state.SetLabel(ScoreNames[kind]);
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

const std::string DevelopJob = "sviluppo integrale 20 in cinquine, 84000 impegnate";

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
    numora::bench::TimeRuns(state, DevelopJob, true, [&] {
        Literal().setCount(84000);
        benchmark::DoNotOptimize(literal::DevelopIntegral(Literal(), Twenty()));
    });
}

void BM_DevelopShipped(benchmark::State& state) {
    Committed(Shipped());
    numora::bench::TimeRuns(state, DevelopJob, false, [&] {
        Shipped().setCount(84000);
        benchmark::DoNotOptimize(DevelopIntegral(Shipped(), Twenty()).added);
    });
}

void BM_DevelopAgree(benchmark::State& state) {
    bool same = Shipped().count() == Literal().count();
    for (int i = 1; same && i <= Shipped().count(); ++i) same = Shipped().play(i) == Literal().play(i);
    for (auto _ : state) benchmark::DoNotOptimize(same);
    numora::bench::Agree(DevelopJob, same);
    if (!same) state.SkipWithError("the engine and the literal development differ");
    state.counters["aggiunte"] = Shipped().count() - 84000;
}

} // namespace

BENCHMARK(BM_ExtractLiteral)->Unit(benchmark::kMillisecond)->Iterations(1)->DenseRange(0, 3);
BENCHMARK(BM_ExtractShipped)->Unit(benchmark::kMillisecond)->MinTime(0.5)->DenseRange(0, 3);
BENCHMARK(BM_ExtractAgree)->Iterations(1)->DenseRange(0, 3);
BENCHMARK(BM_DevelopLiteral)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_DevelopShipped)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_DevelopAgree)->Iterations(1);
NUMORA_BENCH_MAIN("bench_generation")
