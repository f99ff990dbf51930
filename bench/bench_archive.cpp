// The derived tables and the archive file on the real archive and on a full one of 10000 draws.
#include "BenchArchive.h"
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
    return which == 0 ? "storico" : "10000 draws";
}

void BM_RebuildLiteral(benchmark::State& state) {
    const DrawArchive* a = Pick(static_cast<int>(state.range(0)));
    if (!a) return state.SkipWithError("storico.txt not found");
    DelayTable d;
    FrequencyTable f;
    for (auto _ : state) {
        oracle::LiteralRebuild(*a, d, f);
        benchmark::DoNotOptimize(d);
    }
    state.SetLabel(Label(static_cast<int>(state.range(0))));
}

void BM_RebuildDerivedTables(benchmark::State& state) {
    const DrawArchive* a = Pick(static_cast<int>(state.range(0)));
    if (!a) return state.SkipWithError("storico.txt not found");
    DelayTable d;
    FrequencyTable f;
    for (auto _ : state) {
        RebuildDerivedTables(*a, d, f);
        benchmark::DoNotOptimize(d);
    }
    state.SetLabel(Label(static_cast<int>(state.range(0))));
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
    std::filesystem::remove_all(dir);
    state.SetLabel(Label(static_cast<int>(state.range(0))));
}

} // namespace

BENCHMARK(BM_RebuildLiteral)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RebuildDerivedTables)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveAndLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
