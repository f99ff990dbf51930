// Checking 100000 plays against a draw, like with like: the sums alone (the literal per-play loop
// of the tests' oracle against the shipped check without a listing), and the sums with the
// listing (the window's check, which keeps every line, against numora-cli's, which hands each
// line on as it is made). Both pairs are compared before their line is printed.
#include "BenchCompare.h"
#include "checking/CheckPlays.h"
#include "oracle/LiteralCheck.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
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
            for (int k = 0; k < 5; ++k)
                d.draw[static_cast<std::size_t>(w)][static_cast<std::size_t>(k)] = pool[static_cast<std::size_t>(k)];
        }
        for (int i = 0; i < 100000; ++i) {
            for (int k = 0; k < 90; ++k) pool[static_cast<std::size_t>(k)] = k + 1;
            std::shuffle(pool.begin(), pool.end(), rng);
            const int n = 2 + static_cast<int>(rng() % 9);
            std::sort(pool.begin(), pool.begin() + n);
            Play p;
            for (int k = 0; k < n; ++k)
                p.numbers[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(pool[static_cast<std::size_t>(k)]);
            for (int k = 1; k <= 5; ++k) p.setStake(k, k <= n ? 0.5 * static_cast<double>(1 + rng() % 4) : 0);
            p.wheels = static_cast<std::uint16_t>(i % 3 == 0 ? (1u << 11) | (1u << 10) : (rng() % 0x7FF) + 1);
            d.plays.push_back(p);
        }
        return d;
    }();
    return in;
}

const std::string TotalsJob = "spoglio di 100000 giocate, solo somme";
const std::string ListingJob = "spoglio con elenco: in memoria / in flusso";

oracle::LiteralCheckResult& LiteralTotals() {
    static oracle::LiteralCheckResult r;
    return r;
}
CheckResult& ShippedTotals() {
    static CheckResult r;
    return r;
}

void BM_LiteralCheck(benchmark::State& state) {
    const Input& d = Data();
    numora::bench::TimeRuns(state, TotalsJob, true, [&] {
        LiteralTotals() = oracle::LiteralCheck(d.plays.data(), static_cast<int>(d.plays.size()), d.draw, 6e6L);
        benchmark::DoNotOptimize(LiteralTotals().total);
    });
}

void BM_CheckTotals(benchmark::State& state) {
    const Input& d = Data();
    numora::bench::TimeRuns(state, TotalsJob, false, [&] {
        ShippedTotals() =
            CheckTotals(d.plays.data(), static_cast<int>(d.plays.size()), d.draw, Amount::euros(6'000'000));
        benchmark::DoNotOptimize(ShippedTotals().total);
    });
    const oracle::LiteralCheckResult& o = LiteralTotals();
    const CheckResult& r = ShippedTotals();
    bool same = r.counts == o.counts && std::fabs(r.total.toDouble() - static_cast<double>(o.total)) < 1e-6;
    for (std::size_t k = 0; k < 5; ++k)
        same = same && std::fabs(r.amounts[k].toDouble() - static_cast<double>(o.amounts[k])) < 1e-6;
    numora::bench::Agree(TotalsJob, same);
    if (!same) state.SkipWithError("the check and the literal check disagree");
}

std::vector<std::string>& KeptListing() {
    static std::vector<std::string> lines;
    return lines;
}

void BM_CheckPlays(benchmark::State& state) {
    const Input& d = Data();
    numora::bench::TimeRuns(state, ListingJob, true, [&] {
        CheckResult r =
            CheckPlays(d.plays.data(), static_cast<int>(d.plays.size()), d.draw, Amount::euros(6'000'000), 2);
        KeptListing() = std::move(r.listing);
        benchmark::DoNotOptimize(KeptListing().size());
    });
    state.counters["listing_lines"] = static_cast<double>(KeptListing().size());
}

// The streamed listing, compared line by line with the kept one as it comes.
void BM_WriteCheckListing(benchmark::State& state) {
    const Input& d = Data();
    std::size_t at = 0;
    bool same = true;
    numora::bench::TimeRuns(state, ListingJob, false, [&] {
        at = 0;
        same = true;
        WriteCheckListing(d.plays.data(), static_cast<int>(d.plays.size()), d.draw, Amount::euros(6'000'000), 2,
                          [&](const std::string& line) {
                              same = same && at < KeptListing().size() && KeptListing()[at] == line;
                              ++at;
                          });
    });
    same = same && at == KeptListing().size();
    numora::bench::Agree(ListingJob, same);
    if (!same) state.SkipWithError("the streamed listing differs from the kept one");
}

} // namespace

BENCHMARK(BM_LiteralCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckTotals)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckPlays)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteCheckListing)->Unit(benchmark::kMillisecond);
NUMORA_BENCH_MAIN("bench_checking")
