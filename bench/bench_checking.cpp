// Checking 100000 plays against a draw, listing included: the literal per-play loop of the
// tests' oracle and the shipped check in the same run.
#include "checking/CheckPlays.h"
#include "oracle/LiteralCheck.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

using namespace numora;

namespace {

struct Input {
    std::vector<Play> plays;
    CheckDraw draw{};
};

const Input& Data() {
    static const Input in = [] {
        Input d;
        std::mt19937 rng(100000);
        std::vector<int> pool(90);
        for (int w = 0; w < 11; ++w) {
            for (int k = 0; k < 90; ++k) pool[static_cast<std::size_t>(k)] = k + 1;
            std::shuffle(pool.begin(), pool.end(), rng);
            for (int k = 0; k < 5; ++k) d.draw[static_cast<std::size_t>(w)][static_cast<std::size_t>(k)] = pool[static_cast<std::size_t>(k)];
        }
        for (int i = 0; i < 100000; ++i) {
            for (int k = 0; k < 90; ++k) pool[static_cast<std::size_t>(k)] = k + 1;
            std::shuffle(pool.begin(), pool.end(), rng);
            const int n = 2 + static_cast<int>(rng() % 9);
            std::sort(pool.begin(), pool.begin() + n);
            Play p;
            for (int k = 0; k < n; ++k) p.numbers[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(pool[static_cast<std::size_t>(k)]);
            for (int k = 1; k <= 5; ++k) p.setStake(k, k <= n ? 0.5 * static_cast<double>(1 + rng() % 4) : 0);
            p.wheels = static_cast<std::uint16_t>(i % 3 == 0 ? (1u << 11) | (1u << 10) : (rng() % 0x7FF) + 1);
            d.plays.push_back(p);
        }
        return d;
    }();
    return in;
}

void BM_LiteralCheck(benchmark::State& state) {
    const Input& d = Data();
    for (auto _ : state)
        benchmark::DoNotOptimize(oracle::LiteralCheck(d.plays.data(), static_cast<int>(d.plays.size()), d.draw, 6e6L));
}

void BM_CheckPlays(benchmark::State& state) {
    const Input& d = Data();
    std::size_t lines = 0;
    for (auto _ : state) {
        const CheckResult r =
            CheckPlays(d.plays.data(), static_cast<int>(d.plays.size()), d.draw, Amount::euros(6'000'000), 2);
        lines = r.listing.size();
        benchmark::DoNotOptimize(r.total);
    }
    state.counters["listing_lines"] = static_cast<double>(lines);
}

} // namespace

BENCHMARK(BM_LiteralCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckPlays)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
