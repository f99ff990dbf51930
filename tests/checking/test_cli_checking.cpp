// numora-cli winnings, check and backtest, run as a user runs them.
#include "core/DrawArchive.h"
#include "core/FileIo.h"
#include "core/PlaySystem.h"
#include "core/Random.h"
#include "core/SystemFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>

using namespace numora;
using numora::test::BinDir;
using numora::test::MakePlay;
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
    CliRun r;
    r.exitCode = numora::test::RunShell(command);
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

// Two draws, the first without R. Nazionale; a system of two plays.
void WriteArchiveAndSystem(const TempDir& dir, int plays) {
    DrawArchive a;
    for (int i = 0; i < 2; ++i) {
        DrawRecord d;
        d.day = static_cast<std::uint8_t>(3 + i);
        d.month = 1;
        d.year = static_cast<std::uint16_t>(2004 + i);
        for (int w = 1; w <= (i == 0 ? 10 : 11); ++w)
            for (int k = 0; k < 5; ++k) d.setNumber(w, k, static_cast<std::uint8_t>(w + 10 * k + i));
        InsertDraw(a, d);
    }
    DelayTable delays;
    FrequencyTable freq;
    StdRandom random;
    ASSERT_TRUE(SaveArchive(dir.file(ArchiveFileName), a, delays, freq, random));
    auto s = std::make_unique<PlaySystem>();
    NewSystem(*s);
    s->list.play(1) = MakePlay({1, 11}, {1, 1, 0, 0, 0}, 1u << 0);
    s->list.play(2) = MakePlay({12, 22}, {0, 1, 0, 0, 0}, 1u << 10);
    s->list.setCount(plays);
    ASSERT_TRUE(SaveSystem(dir.file("Prova.lpc"), *s));
}

TEST(CliCheck, ReportAndRefusals) {
    TempDir dir;
    WriteAll(dir.file("Numora.ini"), "[IMPORTI]\nVincitaMassima=6000000\nDecimali=2\n");
    WriteArchiveAndSystem(dir, 2);
    const std::string first = "Estrazione del: 3/1/2004\n"
                              "Nº Estratti indovinati: 2\tVincita: 11,23 €\n"
                              "Nº Ambi indovinati: 1\tVincita: 250,00 €\n"
                              "Nº Terni indovinati: 0\tVincita: 0,00 €\n"
                              "Nº Quaterne indovinate: 0\tVincita: 0,00 €\n"
                              "Nº Cinquine indovinate: 0\tVincita: 0,00 €\n"
                              "Vincita Totale*: 261,23 €\n" +
                              std::string(74, '-') + "\nGiocata Nº 1\n" +
                              " Ruota: Bari          Nº Estratti indovinati: 2   Vincita: 11,23 Euro\n"
                              " Ruota: Bari          Nº Ambi indovinati: 1       Vincita: 250,00 Euro\n" +
                              std::string(74, '-') + "\n" + std::string(43, ' ') + "VINCITA TOTALE: 261,23 Euro\n";
    struct Case {
        std::string args;
        int exit;
        std::string out;
        std::string errStart;
    } cases[] = {
        {"--draw 1", 0, first, ""},
        {"--date 03/01/2004", 0, first, ""},
        {"", 0, "", ""}, // the latest draw: checked below
        {"--draw 0", 2, "", "Uso:"},
        {"--draw 3", 2, "", "Uso:"},
        {"--draw 1 --date 3/1/2004", 2, "", "Uso:"},
        {"--week 1", 2, "", "Uso:"},
        {"--date 3-1-2004", 1, "", "La data inserita non è valida. Usare il formato gg/mm/aaaa (es: 30/06/2003)\n"},
        {"--date 4/1/2004", 1, "", "Nell'archivio storico non c'è nessuna estrazione del 4/1/2004.\n"},
    };
    for (const Case& c : cases) {
        const CliRun r = RunCli(dir, "check '" + dir.file("Prova.lpc") + "' " + c.args);
        EXPECT_EQ(r.exitCode, c.exit) << c.args << r.err;
        if (!c.out.empty() || c.exit != 0) {
            EXPECT_EQ(r.out, c.out) << c.args;
        }
        EXPECT_EQ(r.err.rfind(c.errStart, 0), 0u) << c.args << ": " << r.err;
    }
    // The latest draw has R. Nazionale: the second play wins its ambo there.
    const CliRun latest = RunCli(dir, "check '" + dir.file("Prova.lpc") + "'");
    EXPECT_EQ(latest.out.rfind("Estrazione del: 4/1/2005\n", 0), 0u);
    EXPECT_NE(latest.out.find(" Ruota: R. Nazionale  Nº Ambi indovinati: 1       Vincita: 250,00 Euro\n"),
              std::string::npos);

    EXPECT_EQ(RunCli(dir, "check '" + dir.file("Nessuno.lpc") + "'").err,
              "Si è verificato un errore durante l'apertura del sistema.\n");
    WriteArchiveAndSystem(dir, 0);
    EXPECT_EQ(RunCli(dir, "check '" + dir.file("Prova.lpc") + "' --date x").err,
              "Non ci sono giocate da controllare!\n");
    WriteArchiveAndSystem(dir, 1);
    RemoveFile(dir.file(ArchiveFileName));
    const CliRun empty = RunCli(dir, "check '" + dir.file("Prova.lpc") + "'");
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_NE(empty.err.find("non contiene estrazioni"), std::string::npos);
}

// The five counts and the total of `check --draw N`, tab-separated as a backtest row holds them.
std::string CheckedFigures(const TempDir& dir, int n) {
    std::istringstream out(RunCli(dir, "check '" + dir.file("Prova.lpc") + "' --draw " + std::to_string(n)).out);
    std::string line, figures;
    while (std::getline(out, line)) {
        const std::size_t colon = line.find(": ") + 2;
        if (line.rfind("Nº ", 0) == 0) figures += line.substr(colon, line.find('\t') - colon) + '\t';
        if (line.rfind("Vincita Totale*: ", 0) == 0) figures += line.substr(colon, line.find(" €") - colon);
    }
    return figures;
}

TEST(CliBacktest, RowsEqualTheCheckOfEachDraw) {
    TempDir dir;
    WriteAll(dir.file("Numora.ini"), "[IMPORTI]\nVincitaMassima=6000000\nDecimali=2\n");
    WriteArchiveAndSystem(dir, 2);
    const std::string header = "estrazione\tdata\testratti\tambi\tterni\tquaterne\tcinquine\tvincita\tspesa\tsaldo\n";
    const CliRun all = RunCli(dir, "backtest '" + dir.file("Prova.lpc") + "'");
    EXPECT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(all.out, header + "1\t3/1/2004\t2\t1\t0\t0\t0\t261,23\t3,00\t258,23\n"
                                "2\t4/1/2005\t0\t1\t0\t0\t0\t250,00\t3,00\t505,23\n"
                                "Estrazioni: 2\nEstrazioni vincenti: 2\nSpesa totale: 6,00 €\n"
                                "Vincite totali: 511,23 €\nSaldo: 505,23 €\nVincita attesa: 3,74 €\n"
                                "Massimo periodo senza vincite: 0 estrazioni\n");
    std::istringstream rows(all.out);
    std::string line;
    std::getline(rows, line);
    for (int n = 1; n <= 2; ++n) {
        std::getline(rows, line);
        std::size_t from = 0;
        for (int tab = 0; tab < 2; ++tab) from = line.find('\t', from) + 1;
        std::size_t to = from;
        for (int tab = 0; tab < 6; ++tab) to = line.find('\t', to) + 1;
        EXPECT_EQ(line.substr(from, to - 1 - from), CheckedFigures(dir, n)) << line;
    }

    struct Case {
        std::string args;
        int exit;
        std::string outEnd;
        std::string errStart;
    } cases[] = {
        {"--last 1", 0, "Estrazioni: 1\nEstrazioni vincenti: 1\n", ""},
        {"--from 2 --to 2", 0, "Estrazioni: 1\nEstrazioni vincenti: 1\n", ""},
        {"--from 2 --to 1", 2, "", "Uso:"},
        {"--to 3", 2, "", "Uso:"},
        {"--from 0", 2, "", "Uso:"},
        {"--last 0", 2, "", "Uso:"},
        {"--last 3", 2, "", "Uso:"},
        {"--last 1 --from 1", 2, "", "Uso:"},
        {"--from x", 2, "", "Uso:"},
        {"--week 1", 2, "", "Uso:"},
    };
    for (const Case& c : cases) {
        const CliRun r = RunCli(dir, "backtest '" + dir.file("Prova.lpc") + "' " + c.args);
        EXPECT_EQ(r.exitCode, c.exit) << c.args << r.err;
        EXPECT_NE(r.out.find(c.outEnd), std::string::npos) << c.args;
        EXPECT_EQ(r.err.rfind(c.errStart, 0), 0u) << c.args << ": " << r.err;
    }
    // One play that loses: the balance goes below zero and one draw is a run of "1 estrazioni".
    WriteArchiveAndSystem(dir, 1);
    const CliRun lost = RunCli(dir, "backtest '" + dir.file("Prova.lpc") + "' --from 2");
    EXPECT_EQ(lost.out, header + "2\t4/1/2005\t0\t0\t0\t0\t0\t0,00\t2,00\t-2,00\n"
                                 "Estrazioni: 1\nEstrazioni vincenti: 0\nSpesa totale: 2,00 €\n"
                                 "Vincite totali: 0,00 €\nSaldo: -2,00 €\nVincita attesa: 1,24 €\n"
                                 "Massimo periodo senza vincite: 1 estrazioni\n");

    struct Refusal {
        std::string system;
        int plays;
        bool archive;
        std::string err;
    } refusals[] = {
        {"Nessuno.lpc", 1, true, "Si è verificato un errore durante l'apertura del sistema.\n"},
        {"Prova.lpc", 0, true, "Non ci sono giocate da controllare!\n"},
        {"Prova.lpc", 1, false, "L'archivio storico è vuoto.\n"},
    };
    for (const Refusal& c : refusals) {
        WriteArchiveAndSystem(dir, c.plays);
        if (!c.archive) RemoveFile(dir.file(ArchiveFileName));
        const CliRun r = RunCli(dir, "backtest '" + dir.file(c.system) + "' --from 3");
        EXPECT_EQ(r.exitCode, 1) << c.err;
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, "");
    }
}

} // namespace
