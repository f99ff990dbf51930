// The derived tables on the real archive and on a full one of 10000 draws: the literal backward
// scan per number and wheel against the engine, in the same run, the tables compared before the
// line is printed. Then the archive file saved and loaded again, which has no literal to compare
// with: its figure stands alone, and the loaded draws must be the saved ones.
#include "BenchArchive.h"
#include "BenchCompare.h"
#include "core/DrawArchive.h"
#include "core/FileIo.h"
#include "core/OperatorImport.h"
#include "core/Random.h"
#include "oracle/LiteralTables.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

using namespace numora;
using numora::bench::RealArchive;

namespace {

const DrawArchive* FullArchive() {
    static std::unique_ptr<DrawArchive> a = [] {
        auto archive = std::make_unique<DrawArchive>();
        std::mt19937 rng(2026);
        for (int i = 1; i <= DrawArchive::Capacity; ++i) {
            DrawRecord d;
            d.day = 1;
            d.month = 1;
            d.year = 2000;
            for (int w = 1; w <= 11; ++w) {
                std::array<int, 90> pool;
                for (int k = 0; k < 90; ++k) pool[k] = k + 1;
                std::shuffle(pool.begin(), pool.end(), rng);
                for (int k = 0; k < 5; ++k) d.setNumber(w, k, static_cast<std::uint8_t>(pool[k]));
            }
            archive->draw(i) = d;
        }
        archive->setCount(DrawArchive::Capacity);
        return archive;
    }();
    return a.get();
}

const DrawArchive* Pick(int which) {
    return which == 0 ? RealArchive() : FullArchive();
}
const char* Label(int which) {
    return which == 0 ? "storico.txt" : "10000 estrazioni casuali";
}

struct Tables {
    DelayTable delays;
    FrequencyTable frequencies;
    bool operator==(const Tables&) const = default;
};

// range(0): 0 the real archive, 1 the full one; range(1): 1 for the literal scan, 0 for the engine.
void BM_Rebuild(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    const DrawArchive* a = Pick(which);
    if (!a) return state.SkipWithError("storico.txt not found");
    const bool literal = state.range(1) != 0;
    numora::bench::TimeAndCompare<Tables>(state, std::string("ritardi e frequenze, ") + Label(which), literal, [&] {
        Tables t;
        if (literal)
            oracle::LiteralRebuild(*a, t.delays, t.frequencies);
        else
            RebuildDerivedTables(*a, t.delays, t.frequencies);
        return t;
    });
}

void BM_SaveAndLoad(benchmark::State& state) {
    const DrawArchive* a = Pick(static_cast<int>(state.range(0)));
    if (!a) return state.SkipWithError("storico.txt not found");
    const auto dir = std::filesystem::temp_directory_path() / "numora-bench-archive";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / ArchiveFileName).string();
    DrawArchive loaded;
    DelayTable d;
    FrequencyTable f;
    StdRandom random(1);
    DrawArchive saved = *a; // a save remembers the file it wrote
    for (auto _ : state) {
        if (!SaveArchive(path, saved, d, f, random)) return state.SkipWithError("save failed");
        if (!LoadArchive(path, loaded, d, f)) return state.SkipWithError("load failed");
        benchmark::DoNotOptimize(loaded.count());
    }
    bool same = loaded.count() == saved.count();
    for (int i = 1; same && i <= saved.count(); ++i) same = loaded.draw(i) == saved.draw(i);
    if (!same) state.SkipWithError("the loaded archive differs from the saved one");
    std::filesystem::remove_all(dir);
    state.SetLabel(Label(static_cast<int>(state.range(0))));
}

} // namespace

BENCHMARK(BM_Rebuild)->ArgsProduct({{0, 1}, {1, 0}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveAndLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
NUMORA_BENCH_MAIN("bench_archive")
