// numora-cli reduce, genio and optimise run as a user runs them: the refusals in the dialogs'
// order, the summary row, the written system and the engine's plays.
#include "core/PlaySystem.h"
#include "core/SystemFile.h"
#include "reduction/GuaranteedReduction.h"
#include "reduction/NumberMask.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace numora {
namespace {

using CliResult = test::CliRun;

class ReductionCli : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::copy_file(test::BinDir() + "Numora.ini", dir_.file("Numora.ini")); }
    CliResult cli(const std::string& args) { return test::RunNumoraCli("--dir " + dir_.path() + " " + args); }
    std::unique_ptr<PlaySystem> load(const std::string& path) {
        auto s = std::make_unique<PlaySystem>();
        EXPECT_EQ(LoadSystem(path, *s), LoadSystemResult::Ok);
        return s;
    }
    test::TempDir dir_;
};

TEST_F(ReductionCli, RefusesInTheDialogsOrder) {
    struct Row {
        std::string args;
        int code;
        std::string err; // the start of stderr
    };
    const std::string n5 = " --numbers 1,2,3,4,5";
    const std::string two = dir_.file("two.lpc");
    ASSERT_EQ(cli("reduce --numbers 1,2,3,4 --size 2 --score ambo --stakes 1 --out " + two).code, 0);
    const Row rows[] = {
        {"reduce --stakes 1", 1, "Il pronostico non contiene nessun numero!"},
        {"reduce --size 11" + n5, 2, "Uso:"},
        {"reduce --score sestina" + n5, 2, "Uso:"},
        {"reduce --score 0" + n5, 2, "Uso:"},
        {"reduce --wheels TT,NA" + n5, 2, "Uso:"},
        {"reduce --plays 3" + n5, 2, "Uso:"},
        {"reduce --size 6 --stakes 1" + n5, 1, "La quantità di numeri per ogni giocata non è valida (il pronostoico"},
        {"reduce --size 2" + n5, 1, "Alcuni importi non sono validi."},
        {"reduce --size 2 --stakes 1 --fixed 1,2,3" + n5, 1, "La quantità di numeri per giocata è minore"},
        {"reduce --size 2 --stakes 1 --fixed 9" + n5, 1, "Non è stata aggiunta nemmeno una giocata!\nVerifivcare"},
        {"reduce --system " + two + " --size 2 --score 2 --stakes 1", 1, "Non è stata aggiunta nemmeno una giocata!"},
        {"genio --size 3 --plays 2 --stakes 1 --numbers 1,2", 1, "Il pronostico deve contenere almeno 3 numeri!"},
        {"genio --size 1 --plays 2 --stakes 1" + n5, 2, "Uso:"},
        {"genio --precision 101 --plays 2 --stakes 1" + n5, 2, "Uso:"},
        {"genio --size 6 --plays 2 --stakes 1" + n5, 1,
         "La quantità di numeri per ogni giocata non è valida (il pronostoico"},
        {"genio --size 3 --plays due --stakes 1" + n5, 1, "Alcuni importi non sono validi."},
        {"genio --size 3 --plays 2 --stakes 1 --fixed 1,2,3,4" + n5, 1, "La quantità di numeri per giocata è minore"},
        {"genio --size 3 --plays 2 --stakes 1 --fixed 9" + n5, 1, "Non è stata aggiunta nemmeno una giocata!"},
        {"optimise" + n5, 1, "Per questo metodo è richiesta la presenza di almeno 2 giocate!"},
        {"optimise --replace 0 --system " + two, 2, "Uso:"},
        {"optimise --size 2 --system " + two, 2, "Uso:"},
    };
    for (const Row& row : rows) {
        const CliResult r = cli(row.args + " --out " + dir_.file("out.lpc"));
        EXPECT_EQ(r.code, row.code) << row.args << "\n" << r.err;
        EXPECT_EQ(r.err.rfind(row.err, 0), 0u) << row.args << "\n" << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir_.file("out.lpc"))) << row.args;
    }
}

TEST_F(ReductionCli, ReducesAsTheEngineDoes) {
    const std::string out = dir_.file("r.lpc");
    // "Cinquina" above N = 3 is lowered to "Terno": the whole development.
    CliResult r =
        cli("reduce --numbers 3,9,27,40,51,66 --size 3 --score Cinquina --stakes 1 --out " + dir_.file("t.lpc"));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "aggiunte\tgiocate\n20\t20\n");
    r = cli("reduce --numbers 1,2,3,4,5,6,7,8,9,10,11,12,13,14 --fixed 5 --size 5 --score terno --stakes '1;0,5' "
            "--wheels BA,RN --out " +
            out);
    ASSERT_EQ(r.code, 0) << r.err;
    GuaranteedRequest q;
    q.play.forecast = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    q.play.fixed = {5};
    q.play.size = 5;
    q.score = 3;
    q.play.wheels = (1u << 0) | (1u << 10);
    q.play.stakes = {1, 0.5, 0, 0, 0};
    const auto want = ReduceToGuarantee({}, q).plays;
    EXPECT_EQ(r.out, "aggiunte\tgiocate\n" + std::to_string(want.size()) + "\t" + std::to_string(want.size()) + "\n");
    const auto s = load(out);
    ASSERT_EQ(s->list.count(), static_cast<int>(want.size()));
    for (int i = 1; i <= s->list.count(); ++i) EXPECT_EQ(s->list.play(i), want[static_cast<std::size_t>(i - 1)]) << i;
}

TEST_F(ReductionCli, GenioAndOptimise) {
    const std::string g = dir_.file("g.lpc");
    CliResult r =
        cli("genio --numbers 5,10,15,20,25,30 --size 3 --plays 2 --stakes 1 --budget-ms 300 --seed 4 --out " + g);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "aggiunte\tgiocate\n2\t2\n");
    auto s = load(g);
    // 300 ms of phase 2 part the two plays.
    EXPECT_EQ(CommonCount(NumberMask::Of(s->list.play(1).numbers), NumberMask::Of(s->list.play(2).numbers)), 0);
    // The optimiser keeps the plays' count and size; two equal plays of other wheels get parted.
    const std::string o = dir_.file("o.lpc");
    r = cli("optimise --system " + g + " --replace 2 --precision 0 --seed 1 --out " + o);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "aggiunte\tgiocate\n0\t2\n");
    EXPECT_EQ(load(o)->list.count(), 2);
    r = cli("reduce --numbers 1,2,3 --size 3 --stakes 1 --wheels BA --out " + dir_.file("ba.lpc"));
    ASSERT_EQ(r.code, 0) << r.err;
    r = cli("reduce --system " + dir_.file("ba.lpc") + " --size 3 --stakes 1 --wheels NA --out " + dir_.file("na.lpc"));
    ASSERT_EQ(r.code, 0) << r.err;
    r = cli("optimise --system " + dir_.file("na.lpc") + " --numbers 1,2,3,4,5,6 --out " + o +
            " --budget-ms 50 --seed 2");
    ASSERT_EQ(r.code, 0) << r.err;
    s = load(o);
    ASSERT_EQ(s->list.count(), 2);
    EXPECT_EQ(s->list.play(1).numberCount(), 3);
    EXPECT_EQ(CommonCount(NumberMask::Of(s->list.play(1).numbers), NumberMask::Of(s->list.play(2).numbers)), 0);
}

} // namespace
} // namespace numora
