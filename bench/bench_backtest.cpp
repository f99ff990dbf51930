// A system checked against every draw of the real archive: the literal way (the check of each draw
// alone, draw after draw) against the shipped period check, on 100000 and on 1000 five-number
// plays, and on 100000 plays that stake on the estratto too (every hit wins: the dearest input).
// The rows of the two are compared before their line is printed.
#include "BenchArchive.h"
#include "BenchCompare.h"
#include "checking/Backtest.h"
#include "checking/CheckPlays.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

using namespace numora;

namespace {

std::vector<Play> FiveNumberPlays(int count, bool estratto) {
    std::mt19937 rng(static_cast<unsigned>(count) + (estratto ? 1u : 0u));
    std::vector<int> pool(90);
    std::vector<Play> plays;
    for (int i = 0; i < count; ++i) {
        for (int k = 0; k < 90; ++k) pool[static_cast<std::size_t>(k)] = k + 1;
        std::shuffle(pool.begin(), pool.end(), rng);
        std::sort(pool.begin(), pool.begin() + 5);
        Play p;
        p.setNumbersFrom(std::vector<int>(pool.begin(), pool.begin() + 5));
        p.stakes = {estratto ? 1.0 : 0.0, 1, 0.5, 0.5, 0.2};
        p.wheels = static_cast<std::uint16_t>(i % 3 == 0 ? (1u << 11) : (1u << (rng() % 11)));
        plays.push_back(p);
    }
    return plays;
}

struct Job {
    std::string name;
    std::vector<Play> plays;
};

const std::vector<Job>& Jobs() {
    static const std::vector<Job> jobs = {
        {"100000 giocate di 5 numeri, tutto l'archivio", FiveNumberPlays(100000, false)},
        {"1000 giocate di 5 numeri, tutto l'archivio", FiveNumberPlays(1000, false)},
        {"100000 giocate con l'estratto, tutto l'archivio", FiveNumberPlays(100000, true)},
    };
    return jobs;
}

const Amount Cap = Amount::euros(6'000'000);

std::map<std::string, std::vector<BacktestRow>>& LiteralRows() {
    static std::map<std::string, std::vector<BacktestRow>> rows;
    return rows;
}

void BM_Literal(benchmark::State& state) {
    const DrawArchive* archive = numora::bench::RealArchive();
    if (!archive) return state.SkipWithError("the real archive is absent");
    const Job& job = Jobs()[static_cast<std::size_t>(state.range(0))];
    std::vector<BacktestRow>& rows = LiteralRows()[job.name];
    numora::bench::TimeRuns(state, job.name, true, [&] {
        rows.clear();
        for (int n = 1; n <= archive->count(); ++n) {
            const CheckResult r =
                CheckTotals(job.plays.data(), static_cast<int>(job.plays.size()), CheckDrawOf(archive->draw(n)), Cap);
            rows.push_back({n, r.counts, r.total});
        }
        benchmark::DoNotOptimize(rows.data());
    });
}

void BM_RunBacktest(benchmark::State& state) {
    const DrawArchive* archive = numora::bench::RealArchive();
    if (!archive) return state.SkipWithError("the real archive is absent");
    const Job& job = Jobs()[static_cast<std::size_t>(state.range(0))];
    BacktestResult r;
    numora::bench::TimeRuns(state, job.name, false, [&] {
        r = RunBacktest(job.plays.data(), static_cast<int>(job.plays.size()), *archive, 1, archive->count(), Cap);
        benchmark::DoNotOptimize(r.rows.data());
    });
    const std::vector<BacktestRow>& want = LiteralRows()[job.name];
    bool same = r.completed && r.rows.size() == want.size();
    for (std::size_t i = 0; same && i < want.size(); ++i)
        same = r.rows[i].draw == want[i].draw && r.rows[i].counts == want[i].counts && r.rows[i].win == want[i].win;
    numora::bench::Agree(job.name, same);
    if (!same) state.SkipWithError("the period check and the literal check disagree");
}

} // namespace

// The literal runs take tens of seconds on the large inputs: one run each.
BENCHMARK(BM_Literal)->Arg(0)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunBacktest)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
NUMORA_BENCH_MAIN("bench_backtest")
