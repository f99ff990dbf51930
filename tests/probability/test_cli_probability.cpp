// numora-cli probability run as a process on a seeded archive, against the literal computation.
#include "LiteralProbability.h"
#include "core/Random.h"
#include "stats/RandomDraws.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sys/wait.h>

using namespace numora;

namespace {

struct CliRun {
    int code = -1;
    std::string out, err;
};

CliRun Cli(const test::TempDir& dir, const std::string& args) {
    const std::string errFile = dir.file("err.txt");
    const std::string cmd = test::BinDir() + "numora-cli --dir '" + dir.path() + "' probability " + args + " 2>'" + errFile + "'";
    CliRun r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 65536> buf;
    std::size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    const int status = pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.err = test::ReadAll(errFile);
    return r;
}

} // namespace

TEST(CliProbability, RowsForecastsAndRefusals) {
    test::TempDir dir;
    const DrawArchive a = test::RandomArchive(21, 300, 40);
    DelayTable delays;
    FrequencyTable freqs;
    StdRandom random(1);
    ASSERT_TRUE(SaveArchive(dir.file(ArchiveFileName), a, delays, freqs, random));

    // Rows: the literal values in the literal order, "%.2f".
    const auto p = oracle::LiteralProbabilities(a, 50, 250, 0x401, true, 10, 40, true, 5, 60);
    std::string want = "numero\tprobabilità\n";
    char buf[32];
    for (const auto& [n, v] : oracle::LiteralRanking(p, true)) {
        std::snprintf(buf, sizeof buf, "%.2f", v);
        want += std::to_string(n) + "\t" + buf + "\n";
    }
    const CliRun rows = Cli(dir, "--from 250 --to 50 --wheels BA,RN --dlo 10 --dhi 40 --fmost 5 --fleast 60");
    EXPECT_EQ(rows.code, 0) << rows.err;
    EXPECT_EQ(rows.out, want);

    // The walks, with M beyond what is there.
    const auto def = oracle::LiteralRanking(oracle::LiteralProbabilities(a, 1, 300, 0x3FF, true, 0, 50, true, 0, 50), false);
    const CliRun removed = Cli(dir, "--remove 3 --numbers '" + std::to_string(def[0].first) + " " + std::to_string(def[1].first) + "'");
    EXPECT_EQ(removed.out, "Pronostico (0):\n") << removed.err;
    const CliRun added = Cli(dir, "--add 90 --numbers '7'");
    std::string all = "Pronostico (90):";
    for (int n = 1; n <= 90; ++n) all += " " + std::to_string(n);
    EXPECT_EQ(added.out, all + "\n");

    struct {
        const char* args;
        int code;
        const char* err; // the start of stderr
    } refusals[] = {
        {"--add 91 --dlo x", 1, "Il numero di estratti da aggiungere al pronostico non è valido!\n"},
        {"--remove 0", 1, "Il numero di estratti da eliminare dal pronostico non è valido!\n"},
        {"--from 301", 1, "Il numero dell'estrazione di partenza non è valido!\n"},
        {"--no-delay --no-frequency", 1, "La somma delle probabilità massime deve essere maggiore"},
        {"--no-delay --fmost 20 --fleast 20", 1, "La somma delle probabilità massime deve essere maggiore"},
        {"--dhi 60", 1, "La somma delle probabilità massime non può essere maggiore di 100!\n"},
        {"--wheels XX", 2, "Uso: numora-cli"},
        {"--numbers '1 2'", 2, "Uso: numora-cli"},
        {"--add 3 --remove 3", 2, "Uso: numora-cli"},
        {"--dlo", 2, "Uso: numora-cli"},
    };
    for (const auto& r : refusals) {
        const CliRun run = Cli(dir, r.args);
        EXPECT_EQ(run.code, r.code) << r.args;
        EXPECT_EQ(run.err.rfind(r.err, 0), 0u) << r.args << ": " << run.err;
        EXPECT_EQ(run.out, "") << r.args;
    }
}
