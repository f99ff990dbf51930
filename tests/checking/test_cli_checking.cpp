// numora-cli winnings and check, run as a user runs them.
#include "core/FileIo.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

using namespace numora;
using numora::test::BinDir;
using numora::test::ReadAll;
using numora::test::TempDir;
using numora::test::WriteAll;

namespace {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliRun RunCli(const TempDir& dir, const std::string& args) {
    const std::string command = "'" + BinDir() + "numora-cli' --dir '" + dir.path() + "' " + args + " >'" +
                                dir.file("out.txt") + "' 2>'" + dir.file("err.txt") + "'";
    const int status = std::system(command.c_str());
    CliRun r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = ReadAll(dir.file("out.txt"));
    r.err = ReadAll(dir.file("err.txt"));
    return r;
}

TEST(CliWinnings, TotalsRefusalsAndUsage) {
    TempDir dir;
    WriteAll(dir.file("Numora.ini"), "[IMPORTI]\nVincitaMassima=6000000\nDecimali=2\n");
    struct Case {
        const char* args;
        int exit;
        const char* out;
        const char* errStart;
    } cases[] = {
        {"winnings --stakes 1", 0, "Totale*: 2,24 €\n", ""},
        {"winnings --played 5 --hits 2 --stakes 1", 0, "Totale*: 4,49 €\n", ""},
        {"winnings --played 6 --hits 5 --stakes ,,,,0.70", 0, "Totale*: 700.000,00 €\n", ""},
        {"winnings --played 6 --hits 5 --stakes ';;;;0,70'", 0, "Totale*: 700.000,00 €\n", ""},
        {"winnings --wheels TT --played 2 --hits 2 --stakes 0,1", 0, "Totale*: 25,00 €\n", ""},
        {"winnings --wheels rn --played 2 --hits 2 --stakes 0,1", 0, "Totale*: 250,00 €\n", ""},
        {"winnings --played 5 --hits 5 --stakes 0,0,0,0,10", 0, "Totale*: 6.000.000,00 €\n", ""},
        {"winnings --played 1 --hits 2 --stakes 0,1", 1, "", "I numeri indovinati (2)"},
        {"winnings --stakes 1,x", 1, "", "L'importo dell'ambo non è valido.\n"},
        {"winnings --stakes 0,0", 1, "", "Gli importi delle giocate devono essere maggiori di zero.\n"},
        {"winnings", 1, "", "Gli importi delle giocate devono essere maggiori di zero.\n"},
        {"winnings --stakes 1,1,1,1,1,1", 2, "", "Uso:"},
        {"winnings --played 11", 2, "", "Uso:"},
        {"winnings --hits -1", 2, "", "Uso:"},
        {"winnings --wheels BA,CA", 2, "", "Uso:"},
        {"winnings --wheels XX", 2, "", "Uso:"},
        {"winnings --colour red", 2, "", "Uso:"},
        {"winnings --played", 2, "", "Uso:"},
    };
    for (const Case& c : cases) {
        const CliRun r = RunCli(dir, c.args);
        EXPECT_EQ(r.exitCode, c.exit) << c.args;
        EXPECT_EQ(r.out, c.out) << c.args;
        EXPECT_EQ(r.err.rfind(c.errStart, 0), 0u) << c.args << ": " << r.err;
    }
    // Without the settings file the cap is one euro and two decimals show.
    TempDir bare;
    EXPECT_EQ(RunCli(bare, "winnings --stakes 1").out, "Totale*: 1,00 €\n");
}

} // namespace
