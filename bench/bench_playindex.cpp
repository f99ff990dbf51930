// Membership of 4096 candidate plays among 100000 committed plays: the linear FindPlay scan (the
// documented algorithm, the oracle) against PlayIndex, on the same queries in one run, with the
// index already built and with its building counted in. The answers are compared before the line
// is printed.
#include "BenchCompare.h"
#include "core/PlayIndex.h"
#include "core/PlayList.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace numora;

namespace {

constexpr int Committed = PlayList::Capacity;
constexpr int QueryCount = 4096;

struct Fixture {
    std::unique_ptr<PlayList> list = std::make_unique<PlayList>();
    std::vector<Play> queries; // half committed (with other stakes), half not

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
        }
    }
};

const Fixture& Data() {
    static const Fixture f;
    return f;
}

template <typename Find> std::vector<int> FindAll(Find find) {
    std::vector<int> found;
    found.reserve(Data().queries.size());
    for (const Play& p : Data().queries) found.push_back(find(p));
    return found;
}

const std::string Queries = "4096 ricerche tra 100000 giocate";
const std::string BuildAndQueries = "4096 ricerche tra 100000, indice compreso";

// range(0): 1 for the linear scan, 0 for the index; range(1): 1 when the index is built in the run.
void BM_Find(benchmark::State& state) {
    const bool literal = state.range(0) != 0;
    const bool build = state.range(1) != 0;
    const PlayList& list = *Data().list;
    static const PlayIndex built(list);
    numora::bench::TimeAndCompare<std::vector<int>>(state, build ? BuildAndQueries : Queries, literal, [&] {
        if (literal) return FindAll([&](const Play& p) { return FindPlay(list, p); });
        if (!build) return FindAll([&](const Play& p) { return built.find(p); });
        const PlayIndex index(list);
        return FindAll([&](const Play& p) { return index.find(p); });
    });
}

} // namespace

BENCHMARK(BM_Find)->Args({1, 0})->Args({0, 0})->Args({1, 1})->Args({0, 1})->Unit(benchmark::kMillisecond);
NUMORA_BENCH_MAIN("bench_playindex")
