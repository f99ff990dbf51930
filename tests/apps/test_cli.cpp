// numora-cli driven as a user drives it: a real process, real files.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <map>
#include <sstream>
#include <sys/wait.h>
#include <vector>

using numora::test::TempDir;

namespace {

struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

CliRun Cli(const std::string& args) {
    TempDir errDir;
    const std::string errFile = errDir.file("err.txt");
    const std::string cmd = numora::test::BinDir() + "numora-cli " + args + " 2>" + errFile;
    CliRun r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 65536> buf;
    std::size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    const int status = pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.err = numora::test::ReadAll(errFile);
    return r;
}

std::string Quote(const std::string& s) { return "'" + s + "'"; }

// The two tables straight from the operator's text, independently of the engine:
// dates sorted, then for each wheel the index of the last date holding each number.
std::string PlainTables(const std::string& text) {
    const std::map<std::string, int> codes = {{"BA", 1}, {"CA", 2}, {"FI", 3}, {"GE", 4}, {"MI", 5}, {"NA", 6},
                                              {"PA", 7}, {"RM", 8}, {"TO", 9}, {"VE", 10}, {"RN", 11}, {"NZ", 11}};
    std::map<std::string, std::map<int, std::vector<int>>> byDate;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream f(line);
        std::string date, wheel;
        std::vector<int> nums(5);
        if (!(f >> date >> wheel >> nums[0] >> nums[1] >> nums[2] >> nums[3] >> nums[4])) continue;
        byDate[date][codes.at(wheel)] = nums;
    }
    const int n = static_cast<int>(byDate.size());
    std::vector<std::map<int, std::vector<int>>> draws;
    for (auto& [d, wheels] : byDate) draws.push_back(wheels);
    std::string out = "ruota\tnumero\tritardo\tfrequenza\n";
    long delay[13][91], freq[13][91];
    for (int x = 1; x <= 90; ++x) {
        delay[12][x] = n;
        freq[12][x] = 0;
        for (int w = 1; w <= 11; ++w) {
            int last = 0;
            long count = 0;
            for (int j = 1; j <= n; ++j) {
                auto it = draws[static_cast<std::size_t>(j - 1)].find(w);
                if (it == draws[static_cast<std::size_t>(j - 1)].end()) continue;
                for (int v : it->second)
                    if (v == x) {
                        last = j;
                        if (j > n - 100) ++count;
                    }
            }
            delay[w][x] = last ? n - last : n - 1;
            freq[w][x] = count;
            if (w <= 10) {
                delay[12][x] = std::min(delay[12][x], delay[w][x]);
                freq[12][x] += count;
            }
        }
    }
    for (int w = 1; w <= 12; ++w)
        for (int x = 1; x <= 90; ++x)
            out += std::to_string(w) + "\t" + std::to_string(x) + "\t" + std::to_string(delay[w][x]) + "\t" +
                   std::to_string(freq[w][x]) + "\n";
    return out;
}

} // namespace

TEST(CliImport, RealArchiveIntoAnEmptyFolder) {
    const std::string storico = numora::test::StoricoPath();
    if (storico.empty()) GTEST_SKIP() << "the real archive is not beside the project";
    TempDir dir;
    CliRun imp = Cli("--dir " + Quote(dir.path()) + " import " + Quote(storico));
    ASSERT_EQ(imp.code, 0) << imp.err;
    EXPECT_EQ(imp.out, "Nº di nuove estrazioni: 7359\n");
    EXPECT_EQ(numora::test::ReadAll(dir.file("Numora.dtb")).size(), 19u + 60u * 7359u);

    CliRun tables = Cli("--dir " + Quote(dir.path()) + " tables");
    ASSERT_EQ(tables.code, 0);
    EXPECT_EQ(tables.out, PlainTables(numora::test::ReadAll(storico)));

    CliRun info = Cli("--dir " + Quote(dir.path()) + " info");
    EXPECT_EQ(info.out, "Estrazioni: 7359\nPrima: 7/1/1939\nUltima: 1/8/2026\n");

    // A second import of the same file adds nothing and keeps the draws.
    CliRun again = Cli("--dir " + Quote(dir.path()) + " import " + Quote(storico));
    EXPECT_EQ(again.out, "Nº di nuove estrazioni: 0\n");
    EXPECT_EQ(numora::test::ReadAll(dir.file("Numora.dtb")).size(), 19u + 60u * 7359u);
}

TEST(CliImport, BadLinesStopWithLineAndReasonAndChangeNothing) {
    TempDir dir;
    const std::string good = "2004/03/05\tBA\t1\t2\t3\t4\t5\n2004/03/05\tNZ\t6\t7\t8\t9\t10\n";
    numora::test::WriteAll(dir.file("good.txt"), good);
    ASSERT_EQ(Cli("--dir " + Quote(dir.path()) + " import " + Quote(dir.file("good.txt"))).code, 0);
    const std::string before = numora::test::ReadAll(dir.file("Numora.dtb"));
    ASSERT_EQ(before.size(), 79u);
    EXPECT_EQ(static_cast<unsigned char>(before[19 + 10]), 6) << "NZ is R. Nazionale";
    EXPECT_EQ(static_cast<unsigned char>(before[19 + 1]), 0) << "a wheel missing on a date stays 0";

    struct Case { const char* line; const char* reason; };
    const Case cases[] = {
        {"2004/03/06\tXX\t1\t2\t3\t4\t5", "la ruota 'XX' non esiste"},
        {"2004/03/06\tBA\t1\t2\t3\t4\t91", "'91' non è compreso tra 1 e 90"},
        {"2004/03/06\tBA\t0\t2\t3\t4\t5", "'0' non è compreso tra 1 e 90"},
        {"2004/03/06\tBA\t1\t2\t3\t4\t1", "il numero 1 è ripetuto sulla ruota di Bari"},
        {"2005/02/31\tBA\t1\t2\t3\t4\t5", "la data '2005/02/31' non è valida"},
        {"2004/03/06\tBA\t1\t2\t3\t4", "attesi 7 campi"},
        {"2004/03/06\tBA\t1\t2\t3\t4\t5\t6", "attesi 7 campi"},
    };
    for (const auto& c : cases) {
        numora::test::WriteAll(dir.file("bad.txt"), "2004/03/07\tBA\t1\t2\t3\t4\t5\n" + std::string(c.line) + "\n");
        CliRun r = Cli("--dir " + Quote(dir.path()) + " import " + Quote(dir.file("bad.txt")));
        EXPECT_NE(r.code, 0) << c.line;
        EXPECT_NE(r.err.find("Riga 2: "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
        EXPECT_EQ(numora::test::ReadAll(dir.file("Numora.dtb")), before) << c.line;
    }
}

TEST(CliImport, ErrorsAndUsage) {
    TempDir dir;
    CliRun missing = Cli("--dir " + Quote(dir.path()) + " import " + Quote(dir.file("none.txt")));
    EXPECT_NE(missing.code, 0);
    EXPECT_FALSE(missing.err.empty());
    EXPECT_NE(Cli("bogus").code, 0);
    CliRun empty = Cli("--dir " + Quote(dir.path()) + " info");
    EXPECT_EQ(empty.code, 0);
    EXPECT_EQ(empty.out, "Estrazioni: 0\n");
    CliRun none = Cli("--dir " + Quote(dir.path()) + " tables");
    EXPECT_NE(none.out.find("\n1\t1\t0\t0\n"), std::string::npos) << "no archive file: the tables stay zero";
    numora::test::WriteAll(dir.file("Numora.dtb"), std::string(19, 'x'));
    CliRun empty19 = Cli("--dir " + Quote(dir.path()) + " tables");
    EXPECT_NE(empty19.out.find("\n1\t1\t-1\t0\n"), std::string::npos) << "an empty archive has delays of -1";
}
