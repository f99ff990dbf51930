// numora-cli extract and develop run as a user runs them: the refusals in the dialogs' order, the
// summary row, the written system, and the same plays as the engine given the same inputs.
#include "core/DrawArchive.h"
#include "core/PlaySystem.h"
#include "core/SystemFile.h"
#include "generation/Generation.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace numora {
namespace {

using CliResult = test::CliRun;

class GeneratorCli : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::copy_file(test::BinDir() + "Numora.ini", dir_.file("Numora.ini")); }
    CliResult cli(const std::string& args) { return test::RunNumoraCli("--dir " + dir_.path() + " " + args); }
    test::TempDir dir_;
};

TEST_F(GeneratorCli, RefusesInTheDialogsOrder) {
    struct Row {
        std::string args;
        int code;
        std::string err; // the start of stderr
    };
    const std::string n5 = " --numbers 1,2,3,4,5";
    const Row rows[] = {
        {"extract --plays 2 --stakes 1", 1, "Il pronostico non contiene nessun numero!"},
        {"extract --size 11" + n5, 2, "Uso:"},
        {"extract --wheels TT,BA" + n5, 2, "Uso:"},
        {"extract --stakes 1,2,3,4,5,6" + n5, 2, "Uso:"},
        {"extract --bogus" + n5, 2, "Uso:"},
        {"extract --seed 3" + n5, 2, "Uso:"},
        {"extract --system " + dir_.file("none.lpc"), 1, "Si è verificato un errore durante l'apertura del sistema."},
        {"extract --size 6 --plays 1 --stakes 1" + n5, 1,
         "La quantità di numeri per ogni giocata non è valida (il pronostoico"},
        {"extract --size 2 --plays 1" + n5, 1, "Alcuni importi non sono validi."},
        {"extract --size 2 --stakes 1" + n5, 1, "Alcuni importi non sono validi."},
        {"extract --size 2 --plays 1 --stakes 1 --no-delay --no-frequency" + n5, 1,
         "La somma delle probabilità massime deve essere maggiore"},
        {"extract --size 2 --plays 1 --stakes 1 --dhi 70" + n5, 1, "La somma delle probabilità massime non può"},
        {"extract --size 2 --plays 1 --stakes 1 --fixed 1,2,3" + n5, 1, "La quantità di numeri per giocata è minore"},
        {"extract --size 2 --plays 100001 --stakes 1" + n5, 1,
         "E' stato raggiunto il numero massimo di giocate: 100000."},
        {"extract --random --size 6 --plays 1 --stakes 1" + n5, 1,
         "La quantità di numeri per ogni giocata non è valida!"},
        {"extract --random --plays 1 --stakes 1" + n5, 1, "La quantità di numeri per ogni giocata non è valida!"},
        {"develop --size 2 --stakes 1 --fixed 1,2,3" + n5, 1, "La quantità di numeri per giocata è minore"},
        {"develop --size 2 --stakes 1 --fixed 9" + n5, 1, "Non è stata aggiunta nemmeno una giocata!\nVerifivcare"},
    };
    for (const Row& row : rows) {
        const CliResult r = cli(row.args + " --out " + dir_.file("out.lpc"));
        EXPECT_EQ(r.code, row.code) << row.args << "\n" << r.err;
        EXPECT_EQ(r.err.rfind(row.err, 0), 0u) << row.args << "\n" << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir_.file("out.lpc"))) << row.args;
    }
}

TEST_F(GeneratorCli, DevelopsExtractsAndWritesTheSystem) {
    const std::string out = dir_.file("s.lpc");
    CliResult r = cli("develop --numbers 1,2,3,4,5,6,7,8,9,10 --size 5 --stakes 0,1 --wheels BA,RN --out " + out);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "aggiunte\tgiocate\n252\t252\n");
    auto s = std::make_unique<PlaySystem>();
    ASSERT_EQ(LoadSystem(out, *s), LoadSystemResult::Ok);
    EXPECT_EQ(s->list.play(252).wheels, (1u << 0) | (1u << 10));
    EXPECT_EQ(s->list.play(1).stakes[1], 1.0);
    // The same again adds nothing: refused, and the file stays as it was.
    r = cli("develop --system " + out + " --size 5 --stakes 0,1 --wheels BA,RN --out " + out);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(test::ReadAll(out).size(), 2268u + 64u * 252u);
    // Random plays with a seed are the same plays every time; "1,5" is one euro and a half.
    r = cli("extract --random --seed 9 --system " + out + " --size 3 --plays 20 --stakes '1;0,5' --out " +
            dir_.file("a.lpc"));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "aggiunte\tgiocate\n20\t272\n");
    cli("extract --random --seed 9 --system " + out + " --size 3 --plays 20 --stakes '1;0,5' --out " +
        dir_.file("b.lpc"));
    EXPECT_EQ(test::ReadAll(dir_.file("a.lpc")), test::ReadAll(dir_.file("b.lpc")));
    ASSERT_EQ(LoadSystem(dir_.file("a.lpc"), *s), LoadSystemResult::Ok);
    EXPECT_EQ(s->list.play(272).stakes[1], 0.5);
}

TEST_F(GeneratorCli, ExtractsWhatTheEngineExtracts) {
    const std::string storico = test::StoricoPath();
    if (storico.empty()) GTEST_SKIP() << "archivio storico assente";
    ASSERT_EQ(cli("import " + storico).code, 0);
    const CliResult r = cli("extract --numbers 3,8,15,22,41,56,63,77,80,90 --fixed 22 --size 4 --plays 7 --stakes 0,1 "
                            "--wheels NA,RM,RN --dlo 5 --dhi 40 --fmost 10 --fleast 45 --out " +
                            dir_.file("x.lpc"));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "aggiunte\tgiocate\n7\t7\n");

    auto draws = std::make_unique<DrawArchive>();
    DelayTable delays;
    FrequencyTable frequencies;
    ASSERT_TRUE(LoadArchive(dir_.file("Numora.dtb"), *draws, delays, frequencies));
    PlayRequest req;
    req.forecast = {3, 8, 15, 22, 41, 56, 63, 77, 80, 90};
    req.fixed = {22};
    req.size = 4;
    req.wheels = (1u << 5) | (1u << 7) | (1u << 10);
    req.stakes = {0, 1, 0, 0, 0};
    const ScoreCriteria c{true, 5, 40, true, 10, 45};
    auto expected = std::make_unique<PlayList>();
    ExtractBestPlays(*expected, req, 7, DelayFrequencyScore(req.forecast, 4, req.wheels, c, delays, frequencies));
    auto s = std::make_unique<PlaySystem>();
    ASSERT_EQ(LoadSystem(dir_.file("x.lpc"), *s), LoadSystemResult::Ok);
    ASSERT_EQ(s->list.count(), expected->count());
    for (int i = 1; i <= expected->count(); ++i) EXPECT_EQ(s->list.play(i), expected->play(i)) << i;
}

} // namespace
} // namespace numora
