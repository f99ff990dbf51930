// numora-cli's one grammar, run as a user runs it: help on standard output with 0, a wrong line
// with the command's usage on standard error and 2, number lists with commas, blanks or both.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace numora {
namespace {

// The command lines of `numora-cli --help`: "check SISTEMA [opzioni]", the description aside.
std::vector<std::string> ListedSynopses(const std::string& help) {
    std::vector<std::string> lines;
    std::istringstream in(help);
    for (std::string line; std::getline(in, line);)
        if (line.size() > 2 && line.compare(0, 2, "  ") == 0 && line[2] != ' ')
            lines.push_back(line.substr(2, line.find("  ", 2) - 2));
    return lines;
}

TEST(CliGrammar, EveryCommandAnswersHelpAndRefusesAWrongLineWithItsUsage) {
    // An existing folder: a folder that does not exist is itself a wrong command line.
    const test::TempDir dir;
    const std::string inDir = "--dir '" + dir.path() + "' ";
    for (const std::string& help : {std::string("--help"), std::string("-h"), inDir + "--help"}) {
        const test::CliRun r = test::RunNumoraCli(help);
        EXPECT_EQ(r.code, 0) << help;
        EXPECT_EQ(r.out.rfind("Uso: numora-cli [--dir CARTELLA] COMANDO [argomenti]\n", 0), 0u) << help;
        EXPECT_EQ(r.err, "") << help;
    }
    const std::vector<std::string> synopses = ListedSynopses(test::RunNumoraCli("--help").out);
    ASSERT_EQ(synopses.size(), 20u);
    for (const std::string& synopsis : synopses) {
        const std::string c = synopsis.substr(0, synopsis.find(' '));
        const test::CliRun help = test::RunNumoraCli(c + " --help");
        EXPECT_EQ(help.code, 0) << c;
        EXPECT_EQ(help.out.rfind("Uso: numora-cli [--dir CARTELLA] " + synopsis + "\n", 0), 0u) << help.out;
        EXPECT_NE(help.out.find("\n  -h, --help "), std::string::npos) << c;
        EXPECT_EQ(test::RunNumoraCli(c + " -h").out, help.out) << c;
        // The same usage, on the other stream, for an option no command has, given after an
        // argument or alone.
        for (const std::string& line : {c + " --bogus", c + " x --bogus 1"}) {
            const test::CliRun bad = test::RunNumoraCli(inDir + line);
            EXPECT_EQ(bad.code, 2) << line;
            EXPECT_EQ(bad.out, "") << line;
            EXPECT_EQ(bad.err.rfind(help.out, 0), 0u) << line << ": " << bad.err;
        }
    }
}

TEST(CliGrammar, ValuesTheGrammarKnowsAndNumberListsInEveryForm) {
    test::TempDir dir;
    std::filesystem::copy_file(test::BinDir() + "Numora.ini", dir.file("Numora.ini"));
    test::WriteAll(dir.file("storico.txt"), "2004/03/05\tBA\t37\t33\t45\t1\t2\n2004/03/06\tBA\t7\t8\t9\t10\t11\n");
    const std::string d = "--dir " + dir.path() + " ";
    ASSERT_EQ(test::RunNumoraCli(d + "import " + dir.file("storico.txt")).code, 0);
    struct Row {
        std::string command; // LIST stands for the list
        int code;
    } rows[] = {
        {"probability --add 5 --numbers LIST", 0},
        {"develop --size 2 --stakes 1 --numbers LIST", 0},
        {"distribution --size 2 --numbers LIST", 0},
        {"extract --random --seed 7 --size 2 --plays 2 --stakes 1 --numbers LIST", 0},
        {"reduce --size 2 --score ambo --stakes 1 --numbers LIST", 0},
    };
    for (const Row& row : rows) {
        const auto with = [&](const std::string& list) {
            std::string line = row.command;
            return test::RunNumoraCli(d + line.replace(line.find("LIST"), 4, "'" + list + "'"));
        };
        const test::CliRun commas = with("37,33,45");
        EXPECT_EQ(commas.code, row.code) << row.command << commas.err;
        EXPECT_NE(commas.out, "") << row.command;
        for (const char* same : {"37 33 45", " 37, 33\t45 ", "37,33 45"}) {
            const test::CliRun r = with(same);
            EXPECT_EQ(r.code, commas.code) << row.command << " " << same;
            EXPECT_EQ(r.out, commas.out) << row.command << " " << same;
        }
        for (const char* wrong : {"37,,33", "37,", "37 37", "91", "0", "37;33", "x"})
            EXPECT_EQ(with(wrong).code, 2) << row.command << " " << wrong;
    }
    // Whole numbers out of their bounds, a choice not offered, an option twice, a missing value.
    for (const char* wrong :
         {"develop --size 11", "genio --precision 101", "condition --mode tutto", "condition-stats --develop x",
          "winnings --played 1 --played 2", "check F --draw", "system", "system A B", "stats"})
        EXPECT_EQ(test::RunNumoraCli(d + wrong).code, 2) << wrong;
}

} // namespace
} // namespace numora
