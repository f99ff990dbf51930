// numora-cli reduce --optimise as a user runs it: the summary row of reduce with the smaller
// system, the written plays keeping the guarantee, the same plays as the engine for a seed and a
// manual budget of work, and a bad number of seconds refused as a bad command line.
#include "core/PlaySystem.h"
#include "core/SystemFile.h"
#include "reduction/CoveringOptimiser.h"
#include "support/TestSupport.h"

#include "LiteralCovering.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace numora {
namespace {

using CliResult = test::CliRun;

class CoveringCli : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::copy_file(test::BinDir() + "Numora.ini", dir_.file("Numora.ini")); }
    CliResult cli(const std::string& args) { return test::RunNumoraCli("--dir " + dir_.path() + " " + args); }
    test::TempDir dir_;
};

TEST_F(CoveringCli, OptimisedReduction) {
    const std::string numbers = " --numbers 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18 --size 5 --stakes 0,1";
    // 18 numbers in cinquine with "Ambo": the greedy's 7 plays, the smallest system has 4.
    CliResult r = cli("reduce --score ambo" + numbers + " --out " + dir_.file("g.lpc"));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "aggiunte\tgiocate\n7\t7\n");
    r = cli("reduce --score ambo --optimise 5 --seed 4" + numbers + " --out " + dir_.file("o.lpc"));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "aggiunte\tgiocate\n4\t4\n");
    auto s = std::make_unique<PlaySystem>();
    ASSERT_EQ(LoadSystem(dir_.file("o.lpc"), *s), LoadSystemResult::Ok);
    PlayRequest req;
    for (int n = 1; n <= 18; ++n) req.forecast.push_back(static_cast<std::uint8_t>(n));
    req.size = 5;
    req.wheels = 1u << 11;
    req.stakes = {0, 1, 0, 0, 0};
    EXPECT_TRUE(
        literal::KeepsGuarantee({}, req, 2, std::vector<Play>(s->list.data(), s->list.data() + s->list.count())));
    // The budget in processor time is the default and may be named; the wall clock on request.
    // Both clocks at once, or a clock without --optimise: a bad command line, nothing written.
    r = cli("reduce --score ambo --optimise 5 --seed 4 --cpu-time" + numbers + " --out " + dir_.file("c.lpc"));
    EXPECT_EQ(r.out, "aggiunte\tgiocate\n4\t4\n");
    r = cli("reduce --score ambo --optimise 5 --wall-time" + numbers + " --out " + dir_.file("w.lpc"));
    EXPECT_EQ(r.code, 0) << r.err;
    // A forecast beyond the search keeps the greedy's plays and says why.
    std::string many = " --numbers 1";
    for (int n = 2; n <= 45; ++n) many += "," + std::to_string(n);
    r = cli("reduce --score ambo --optimise 1 --size 5 --stakes 0,1" + many + " --out " + dir_.file("l.lpc"));
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.err.find(CoveringTooLargeMessage), std::string::npos) << r.err;
    // Seconds that are not a whole number from 0 up: a bad command line, nothing written.
    for (const char* bad :
         {"--optimise due", "--optimise -1", "--optimise", "--optimise 1 --cpu-time --wall-time", "--cpu-time"}) {
        r = cli(std::string("reduce --score ambo ") + bad + numbers + " --out " + dir_.file("bad.lpc"));
        EXPECT_EQ(r.code, 2) << bad;
        EXPECT_FALSE(std::filesystem::exists(dir_.file("bad.lpc"))) << bad;
    }
}

} // namespace
} // namespace numora
