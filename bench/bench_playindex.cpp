// Membership of candidate plays among 100000 committed plays: the linear FindPlay scan (the
// documented algorithm, the oracle) against PlayIndex, on the same queries in one run. The
// last benchmark prints the ratio.
#include "core/PlayIndex.h"
#include "core/PlayList.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

using namespace numora;

namespace {

constexpr int Committed = PlayList::Capacity;
constexpr int QueryCount = 4096;

struct Fixture {
    std::unique_ptr<PlayList> list = std::make_unique<PlayList>();
    std::vector<Play> queries; // half committed (with other stakes), half not
    std::vector<int> expected;

    Fixture() {
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> number(1, 90), wheel(1, 12);
        auto randomPlay = [&] {
            Play p;
            for (int k = 0; k < 6; ++k) p.numbers[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(number(rng));
            p.wheels = static_cast<std::uint16_t>(1u << (wheel(rng) - 1));
            p.stakes[0] = 1;
            return p;
        };
        PlayIndex seen;
        while (list->count() < Committed) {
            Play p = randomPlay();
            if (seen.insert(p, list->count() + 1)) {
                list->play(list->count() + 1) = p;
                list->setCount(list->count() + 1);
            }
        }
        std::uniform_int_distribution<int> pick(1, Committed);
        for (int q = 0; q < QueryCount; ++q) {
            Play p = (q % 2 == 0) ? list->play(pick(rng)) : randomPlay();
            p.stakes = {2, 2, 0, 0, 0};
            queries.push_back(p);
            expected.push_back(FindPlay(*list, p));
        }
    }
};

const Fixture& Data() {
    static const Fixture f;
    return f;
}

double linearNsPerQuery = 0;
double indexNsPerQuery = 0;

template <typename Find> double Measure(benchmark::State& state, Find find) {
    const Fixture& f = Data();
    std::size_t q = 0;
    long long found = 0;
    auto t0 = std::chrono::steady_clock::now();
    for (auto _ : state) {
        int i = find(f.queries[q]);
        if (i != f.expected[q]) state.SkipWithError("wrong answer");
        found += i != 0;
        benchmark::DoNotOptimize(i);
        q = (q + 1) % f.queries.size();
    }
    auto t1 = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(found);
    state.SetItemsProcessed(state.iterations());
    return std::chrono::duration<double, std::nano>(t1 - t0).count() / static_cast<double>(state.iterations());
}

void BM_LinearFindPlay(benchmark::State& state) {
    const PlayList& list = *Data().list;
    linearNsPerQuery = Measure(state, [&](const Play& p) { return FindPlay(list, p); });
}

void BM_PlayIndexFind(benchmark::State& state) {
    static const PlayIndex index(*Data().list);
    indexNsPerQuery = Measure(state, [&](const Play& p) { return index.find(p); });
}

void BM_PlayIndexBuild(benchmark::State& state) {
    const PlayList& list = *Data().list;
    for (auto _ : state) {
        PlayIndex index(list);
        benchmark::DoNotOptimize(index.size());
    }
    state.SetItemsProcessed(state.iterations() * Committed);
}

void BM_Ratio(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(linearNsPerQuery);
    const double ratio = indexNsPerQuery > 0 ? linearNsPerQuery / indexNsPerQuery : 0;
    state.counters["linear_ns"] = linearNsPerQuery;
    state.counters["index_ns"] = indexNsPerQuery;
    state.counters["ratio"] = ratio;
    std::printf("PlayIndex vs linear FindPlay over %d plays: linear %.1f ns/query, index %.1f ns/query, ratio %.0fx\n",
                Committed, linearNsPerQuery, indexNsPerQuery, ratio);
}

} // namespace

BENCHMARK(BM_LinearFindPlay)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlayIndexFind)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_PlayIndexBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ratio)->Iterations(1);
BENCHMARK_MAIN();
