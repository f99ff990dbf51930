// The guaranteed reduction and the search for smaller systems: for 10..20 numbers in cinquine
// with "Ambo" and with "Terno", then the larger systems (BM_CoveringLarge: "Ambo" for 21..30,
// "Terno" for 20, 25 and 30, "Quaterna" for 25 and 29), the greedy's plays and the plays reached
// within the budget (10 s of processor time each by default; --budget-ms=N for a quicker run,
// --wall-time to measure it on the wall clock), every result checked against the literal
// statement of the guarantee. A table of the sizes follows the benchmark's own rows.
#include "reduction/CoveringOptimiser.h"

#include "reduction/LiteralCovering.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <string>
#include <utility>

using namespace numora;

namespace {

std::int64_t BudgetMs = 10000;
bool CpuTime = true;

struct Row {
    int greedy = 0, optimised = 0, bound = 0;
    bool checked = false;
    bool tooLarge = false;
};
std::map<std::pair<int, int>, Row>& Table() {
    static std::map<std::pair<int, int>, Row> t;
    return t;
}

GuaranteedRequest Cinquine(int numbers, int score) {
    GuaranteedRequest r;
    for (int n = 1; n <= numbers; ++n) r.play.forecast.push_back(static_cast<std::uint8_t>(n));
    r.play.size = 5;
    r.play.wheels = 1u << 11;
    r.play.stakes = {0, 1, 0, 0, 0};
    r.score = score;
    return r;
}

void BM_Covering(benchmark::State& state) {
    const int v = static_cast<int>(state.range(0)), score = static_cast<int>(state.range(1));
    const GuaranteedRequest r = Cinquine(v, score);
    Row row;
    std::uint64_t moves = 0;
    for (auto _ : state) {
        const GuaranteedPlays greedy = ReduceToGuarantee({}, r);
        SystemClock wall;
        ProcessorClock cpu;
        StdRandom random(static_cast<std::uint64_t>(v * 10 + score));
        const CoveringResult best =
            OptimiseCovering({}, r, greedy.plays, BudgetMs, CpuTime ? static_cast<Clock&>(cpu) : wall, random);
        row.greedy = static_cast<int>(greedy.plays.size());
        row.optimised = static_cast<int>(best.plays.size());
        row.bound = best.lowerBound;
        row.checked = literal::KeepsGuarantee({}, r.play, score, best.plays);
        row.tooLarge = best.status == CoveringStatus::TooLarge;
        moves = best.moves;
    }
    state.counters["greedy"] = row.greedy;
    state.counters["optimised"] = row.optimised;
    state.counters["bound"] = row.bound;
    state.counters["checked"] = row.checked;
    state.counters["moves"] = static_cast<double>(moves);
    Table()[{score, v}] = row;
}

} // namespace

BENCHMARK(BM_Covering)
    ->ArgsProduct({benchmark::CreateDenseRange(10, 20, 1), {2, 3}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Covering)
    ->ArgsProduct({benchmark::CreateDenseRange(21, 30, 1), {2}})
    ->Args({20, 3})
    ->Args({25, 3})
    ->Args({30, 3})
    ->Args({25, 4})
    ->Args({29, 4})
    ->Name("BM_CoveringLarge")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // Our own option first, then Google Benchmark's.
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--budget-ms=", 12) == 0)
            BudgetMs = std::atoll(argv[i] + 12);
        else if (std::strcmp(argv[i], "--cpu-time") == 0)
            CpuTime = true;
        else if (std::strcmp(argv[i], "--wall-time") == 0)
            CpuTime = false;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("\nCinquine, budget %lld ms of %s each: plays of the greedy -> plays reached (lower bound)\n",
                static_cast<long long>(BudgetMs), CpuTime ? "processor time" : "elapsed time");
    std::printf("%4s  %-22s  %-22s  %-22s\n", "v", "Ambo", "Terno", "Quaterna");
    for (int v = 10; v <= 30; ++v) {
        std::string cells[3];
        for (int s = 2; s <= 4; ++s) {
            const auto it = Table().find({s, v});
            if (it == Table().end()) continue;
            char cell[64];
            std::snprintf(cell, sizeof cell, "%d -> %d (%d)%s%s", it->second.greedy, it->second.optimised,
                          it->second.bound, it->second.checked ? "" : " FAILED",
                          it->second.tooLarge ? " non ottimizzato" : "");
            cells[s - 2] = cell;
        }
        if (!cells[0].empty() || !cells[1].empty() || !cells[2].empty())
            std::printf("%4d  %-22s  %-22s  %-22s\n", v, cells[0].c_str(), cells[1].c_str(), cells[2].c_str());
    }
    return 0;
}
