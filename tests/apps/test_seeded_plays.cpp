// The same --seed gives the same plays on every platform: the generator's first values and the
// plays of the seeded commands, compared with a file written once and kept with the tests.
#include "core/PlaySystem.h"
#include "core/Random.h"
#include "core/SystemFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>

using namespace numora;

namespace {

std::string PlaysOf(const std::string& path) {
    auto system = std::make_unique<PlaySystem>();
    if (LoadSystem(path, *system) != LoadSystemResult::Ok) return "illeggibile\n";
    std::ostringstream s;
    for (int i = 1; i <= system->list.count(); ++i) {
        const Play& p = system->list.play(i);
        for (int k = 0; k < p.numberCount(); ++k) s << (k ? " " : "") << int(p.number(k));
        s << "\n";
    }
    return s.str();
}

TEST(SeededPlays, AreTheSameOnEveryPlatform) {
    std::ostringstream got;
    for (std::uint64_t seed : {1u, 2026u}) {
        StdRandom random(seed);
        got << "below seed " << seed << ":";
        for (int n : {90, 90, 90, 90, 90, 2, 3, 7, 11, 89, 90, 1000, 65536, 100000}) got << " " << random.below(n);
        got << "\n";
    }

    test::TempDir dir;
    std::filesystem::copy_file(test::BinDir() + "Numora.ini", dir.file("Numora.ini"));
    const std::string plays = " --numbers 3,8,14,25,33,41,47,52,66,71,80,88 --size 5 --stakes 1";
    const struct {
        const char* name;
        std::string args;
    } commands[] = {
        {"extract", "extract --random --seed 7 --plays 6" + plays + " --out '" + dir.file("a.lpc") + "'"},
        {"develop", "develop" + plays + " --out '" + dir.file("base.lpc") + "'"},
        {"eliminate", "eliminate --random --plays 780 --seed 11 --system '" + dir.file("base.lpc") + "' --out '" +
                          dir.file("b.lpc") + "'"},
    };
    for (const auto& c : commands) {
        const test::CliRun run = test::RunNumoraCli("--dir '" + dir.path() + "' " + c.args);
        ASSERT_EQ(run.code, 0) << c.name << ": " << run.err;
    }
    got << "extract --seed 7:\n" << PlaysOf(dir.file("a.lpc"));
    got << "eliminate --seed 11:\n" << PlaysOf(dir.file("b.lpc"));

    // NUMORA_WRITE_EXPECTED=1 writes the file anew, when a generator's plays change on purpose.
    const std::string file = std::string(NUMORA_TESTS_DIR) + "/apps/seeded_plays.txt";
    if (std::getenv("NUMORA_WRITE_EXPECTED")) test::WriteAll(file, got.str());
    EXPECT_EQ(got.str(), test::ReadAll(file));
}

} // namespace
