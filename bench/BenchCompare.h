#pragma once
// The comparison every benchmark ends with: the processor time per run of the literal algorithm
// and of the shipped engine on the same input in the same run, and whether their results agree,
// which is checked before the line is printed. Processor time, not the wall clock, so that the
// ratio holds on a loaded machine. When NUMORA_BENCH_SUMMARY names a file the lines are appended
// to it too: `make bench` prints them as one table.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <optional>
#include <string>

namespace numora::bench {

inline double ProcessorSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Job {
    double literal = -1; // processor seconds per run; -1 until measured
    double shipped = -1;
    int agreed = -1; // -1 not compared, 0 different, 1 the same
};

inline std::map<std::string, Job>& Jobs() {
    static std::map<std::string, Job> jobs;
    return jobs;
}

// Runs body once per iteration of the benchmark and records its processor time per run.
template <class Body> void TimeRuns(benchmark::State& state, const std::string& job, bool literal, Body&& body) {
    const double start = ProcessorSeconds();
    for (auto _ : state) body();
    const double perRun = (ProcessorSeconds() - start) / static_cast<double>(state.iterations());
    (literal ? Jobs()[job].literal : Jobs()[job].shipped) = perRun;
}

inline void RecordSeconds(const std::string& job, bool literal, double seconds) {
    (literal ? Jobs()[job].literal : Jobs()[job].shipped) = seconds;
}

// The outcome of comparing the two results of a job; a job found different once stays so.
inline void Agree(const std::string& job, bool same) {
    Job& j = Jobs()[job];
    j.agreed = (j.agreed != 0 && same) ? 1 : 0;
}

// Times body like TimeRuns and keeps the result of its last run; once both sides of the job have
// run, the two results are compared with ==, and a difference fails the benchmark.
template <class Result, class Body>
void TimeAndCompare(benchmark::State& state, const std::string& job, bool literal, Body&& body) {
    static std::map<std::string, std::array<std::optional<Result>, 2>> results;
    Result result{};
    TimeRuns(state, job, literal, [&] {
        result = body();
        benchmark::DoNotOptimize(result);
    });
    state.SetLabel(job + (literal ? " (letterale)" : " (in uso)"));
    auto& sides = results[job];
    sides[literal ? 0 : 1] = std::move(result);
    if (!sides[0] || !sides[1]) return;
    const bool same = *sides[0] == *sides[1];
    Agree(job, same);
    if (!same) state.SkipWithError("the literal algorithm and the engine disagree");
}

// Prints the table (and appends it to $NUMORA_BENCH_SUMMARY); 1 when the results of a job differ,
// so that a run with a wrong engine fails.
inline int PrintSummary(const char* program) {
    std::FILE* file = nullptr;
    if (const char* path = std::getenv("NUMORA_BENCH_SUMMARY")) file = std::fopen(path, "a");
    bool ok = true;
    auto line = [&](const char* text) {
        std::fputs(text, stdout);
        if (file) std::fputs(text, file);
    };
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "\n%s: tempo di processore per esecuzione\n", program);
    line(buffer);
    std::snprintf(buffer, sizeof buffer, "%-52s %14s %14s %10s  %s\n", "lavoro", "letterale", "in uso", "rapporto",
                  "risultati");
    line(buffer);
    for (const auto& [name, j] : Jobs()) {
        ok = ok && j.agreed != 0;
        const char* verdict = j.agreed == 1 ? "uguali" : (j.agreed == 0 ? "DIVERSI" : "NON CONFRONTATI");
        const double ratio = j.shipped > 0 && j.literal > 0 ? j.literal / j.shipped : 0.0;
        std::snprintf(buffer, sizeof buffer, "%-52s %11.3f ms %11.3f ms %9.1fx  %s\n", name.c_str(), j.literal * 1e3,
                      j.shipped * 1e3, ratio, verdict);
        line(buffer);
    }
    if (file) std::fclose(file);
    return ok ? 0 : 1;
}

} // namespace numora::bench

#define NUMORA_BENCH_MAIN(program)                                                                                     \
    int main(int argc, char** argv) {                                                                                  \
        ::benchmark::Initialize(&argc, argv);                                                                          \
        if (::benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;                                            \
        ::benchmark::RunSpecifiedBenchmarks();                                                                         \
        ::benchmark::Shutdown();                                                                                       \
        return ::numora::bench::PrintSummary(program);                                                                 \
    }
