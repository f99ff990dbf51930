// numora-cli driven as a user drives it: a real process, real files.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif
#include <vector>

using numora::test::TempDir;

namespace {

struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

// `prefix` goes before the program: a limit, another user.
CliRun Cli(const std::string& args, const std::string& prefix = "") {
    const numora::test::CliRun run = numora::test::RunNumoraCli(args, prefix);
    return {run.code, run.out, run.err};
}

std::string Quote(const std::string& s) {
    return "'" + s + "'";
}

// The two tables straight from the operator's text, independently of the engine:
// dates sorted, then for each wheel the index of the last date holding each number.
std::string PlainTables(const std::string& text) {
    const std::map<std::string, int> codes = {{"BA", 1}, {"CA", 2}, {"FI", 3}, {"GE", 4},  {"MI", 5},  {"NA", 6},
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
    EXPECT_EQ(imp.out, "Nº di nuove estrazioni: 7359\nNº di estrazioni modificate: 0\n");
    EXPECT_EQ(numora::test::ReadAll(dir.file("Numora.dtb")).size(), 19u + 60u * 7359u);

    CliRun tables = Cli("--dir " + Quote(dir.path()) + " tables");
    ASSERT_EQ(tables.code, 0);
    EXPECT_EQ(tables.out, PlainTables(numora::test::ReadAll(storico)));

    CliRun info = Cli("--dir " + Quote(dir.path()) + " info");
    EXPECT_EQ(info.out, "Estrazioni: 7359\nPrima: 7/1/1939\nUltima: 1/8/2026\n");

    // A second import of the same file changes nothing and does not even rewrite the file.
    const std::string imported = numora::test::ReadAll(dir.file("Numora.dtb"));
    CliRun again = Cli("--dir " + Quote(dir.path()) + " import " + Quote(storico));
    EXPECT_EQ(again.out, "Nº di nuove estrazioni: 0\nNº di estrazioni modificate: 0\n");
    EXPECT_EQ(numora::test::ReadAll(dir.file("Numora.dtb")), imported);
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

    struct Case {
        const char* line;
        const char* reason;
    };
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
    // The usage text comes from the command table: a line for each command.
    CliRun bogus = Cli("bogus");
    EXPECT_EQ(bogus.code, 2);
    EXPECT_EQ(bogus.err.rfind("Uso: numora-cli [--dir CARTELLA] COMANDO [argomenti]\n", 0), 0u) << bogus.err;
    for (const char* line :
         {"\n  import FILE           aggiunge all'archivio le estrazioni del file di testo dell'operatore\n",
          "\n  info                  numero di estrazioni, data della prima e dell'ultima\n",
          "\n  system FILE           contenuto di un sistema (.lpc)\n",
          "\n  probability [opzioni]\n                        probabilità dei 90 numeri; con --add/--remove M il "
          "pronostico risultante\n"})
        EXPECT_NE(bogus.err.find(line), std::string::npos) << line << bogus.err;
    EXPECT_EQ(Cli("info extra").code, 2);
    CliRun empty = Cli("--dir " + Quote(dir.path()) + " info");
    EXPECT_EQ(empty.code, 0);
    EXPECT_EQ(empty.out, "Estrazioni: 0\n");
    CliRun none = Cli("--dir " + Quote(dir.path()) + " tables");
    EXPECT_NE(none.out.find("\n1\t1\t0\t0\n"), std::string::npos) << "no archive file: the tables stay zero";
    numora::test::WriteAll(dir.file("Numora.dtb"), std::string(19, 'x'));
    CliRun empty19 = Cli("--dir " + Quote(dir.path()) + " tables");
    EXPECT_NE(empty19.out.find("\n1\t1\t-1\t0\n"), std::string::npos) << "an empty archive has delays of -1";
}

namespace {

// The eleven wheels of one date, numbers base+1.. on Bari, base+6.. on Cagliari, and so on.
std::string FullDate(const std::string& date, int base) {
    static const char* codes[] = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RM", "TO", "VE", "RN"};
    std::string text;
    for (int w = 0; w < 11; ++w) {
        text += date + "\t" + codes[w];
        for (int k = 1; k <= 5; ++k) text += "\t" + std::to_string((base + w * 5 + k - 1) % 90 + 1);
        text += "\n";
    }
    return text;
}

// A folder whose archive holds 5/3/2004 and 6/3/2004, all wheels drawn.
std::string StoredArchive(const TempDir& dir) {
    numora::test::WriteAll(dir.file("full.txt"), FullDate("2004/03/05", 0) + FullDate("2004/03/06", 30));
    EXPECT_EQ(Cli("--dir " + Quote(dir.path()) + " import " + Quote(dir.file("full.txt"))).code, 0);
    return numora::test::ReadAll(dir.file("Numora.dtb"));
}

} // namespace

TEST(CliImport, AWheelOfAStoredDateIsMergedAndTheOtherWheelsStay) {
    TempDir dir;
    const std::string before = StoredArchive(dir);
    ASSERT_EQ(before.size(), 19u + 120u);
    // Roma (wheel 8) of the first draw becomes 81..85; every other byte stays.
    std::string merged = before;
    for (int k = 0; k < 5; ++k) merged[19 + k * 11 + 7] = static_cast<char>(81 + k);
    struct Case {
        std::string text;
        const char* changed;
        bool same;
    } cases[] = {
        {"2004/03/05\tBA\t1\t2\t3\t4\t5\n", "0", true}, // the same numbers
        {"", "0", true},                                // an empty file
        {"2004/03/05\tRM\t81\t82\t83\t84\t85\n", "1", false},
    };
    for (const Case& c : cases) {
        numora::test::WriteAll(dir.file("Numora.dtb"), before);
        numora::test::WriteAll(dir.file("one.txt"), c.text);
        CliRun r = Cli("--dir " + Quote(dir.path()) + " import " + Quote(dir.file("one.txt")));
        EXPECT_EQ(r.code, 0) << c.text << r.err;
        EXPECT_EQ(r.out, "Nº di nuove estrazioni: 0\nNº di estrazioni modificate: " + std::string(c.changed) + "\n");
        const std::string after = numora::test::ReadAll(dir.file("Numora.dtb"));
        // Nothing changed, nothing written: even the 19 random bytes are the same.
        EXPECT_EQ(c.same ? after : after.substr(19), c.same ? before : merged.substr(19)) << c.text;
    }
}

TEST(CliImport, ALongLineIsRefusedAtOnceWhateverTheFileSize) {
    TempDir dir;
    const std::string before = StoredArchive(dir);
    // 2 GB without a line end, as a sparse file: reading it whole cannot fit under the limit.
    const std::string huge = dir.file("huge.txt");
    numora::test::WriteAll(huge, "2004/03/07\tBA\t1\t2\t3\t4\t5\n");
    std::filesystem::resize_file(huge, 2LL * 1024 * 1024 * 1024);
    numora::test::WriteAll(dir.file("long.txt"), "2004/03/07\tBA" + std::string(300, '\t') + "1\t2\t3\t4\t5\n");
    struct Case {
        std::string file;
        const char* reason;
    } cases[] = {{huge, "Riga 2: la riga supera i 256 caratteri."},
                 {dir.file("long.txt"), "Riga 1: la riga supera i 256 caratteri."}};
#if defined(__SANITIZE_ADDRESS__) || defined(_WIN32)
    // AddressSanitizer reserves terabytes of address space: no memory limit fits beside it. Windows
    // has no ulimit: there the refusal is checked without the limit.
    const std::string limit;
#else
    const std::string limit = "ulimit -v 300000; ";
#endif
    for (const Case& c : cases) {
        const CliRun limited = Cli("--dir " + Quote(dir.path()) + " import " + Quote(c.file), limit);
        EXPECT_EQ(limited.code, 1) << c.file << ": " << limited.err;
        EXPECT_NE(limited.err.find(c.reason), std::string::npos) << limited.err;
        EXPECT_EQ(numora::test::ReadAll(dir.file("Numora.dtb")), before);
    }
}

// What the owner made read-only stays read-only; a link stays a link and its target is written.
TEST(CliImport, TheArchiveFileKeepsItsModeAndItsLink) {
    if (numora::test::kWindows) GTEST_SKIP() << "POSIX modes and symbolic links";
#ifndef _WIN32
    struct Case {
        const char* name;
        mode_t mode;
        bool link;
        int code;
    } cases[] = {{"read-only", 0444, false, 1}, {"private", 0600, false, 0}, {"linked", 0640, true, 0}};
    for (const Case& c : cases) {
        TempDir dir;
        const std::string before = StoredArchive(dir);
        std::string real = dir.file("Numora.dtb");
        if (c.link) {
            std::filesystem::create_directory(dir.file("dati"));
            real = dir.file("dati/vero.dtb");
            std::filesystem::rename(dir.file("Numora.dtb"), real);
            std::filesystem::create_symlink("dati/vero.dtb", dir.file("Numora.dtb"));
        }
        ASSERT_EQ(chmod(real.c_str(), c.mode), 0);
        numora::test::WriteAll(dir.file("new.txt"), "2004/03/07\tBA\t1\t2\t3\t4\t5\n");
        CliRun r = Cli("--dir " + Quote(dir.path()) + " import " + Quote(dir.file("new.txt")));
        EXPECT_EQ(r.code, c.code) << c.name << r.err;
        struct stat st {};
        ASSERT_EQ(stat(real.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.mode) << c.name;
        EXPECT_EQ(std::filesystem::is_symlink(dir.file("Numora.dtb")), c.link) << c.name;
        const std::string after = numora::test::ReadAll(real);
        EXPECT_TRUE(c.code == 0 ? after.size() == before.size() + 60 : after == before) << c.name;
        if (c.code != 0) {
            EXPECT_NE(r.err.find("sola lettura"), std::string::npos) << r.err;
        }
    }
#endif
}

// The archive exists but this user cannot read it: no command may take it for empty.
TEST(CliImport, AnUnreadableArchiveIsNeverReplaced) {
    if (numora::test::kWindows) GTEST_SKIP() << "POSIX modes and users";
#ifndef _WIN32
    TempDir dir;
    const std::string before = StoredArchive(dir);
    numora::test::WriteAll(dir.file("new.txt"), "2004/03/07\tBA\t1\t2\t3\t4\t5\n");
    ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);
    ASSERT_EQ(chmod(dir.file("Numora.dtb").c_str(), 0000), 0);
    // root reads everything: run the program as nobody.
    std::string as;
    if (geteuid() == 0) {
        if (std::system("setpriv --reuid=65534 --regid=65534 --clear-groups true 2>/dev/null") != 0)
            GTEST_SKIP() << "running as root without setpriv";
        as = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    }
    for (const std::string& args :
         {"import " + Quote(dir.file("new.txt")), std::string("info"), std::string("tables")}) {
        const CliRun r = Cli("--dir " + Quote(dir.path()) + " " + args, as);
        EXPECT_EQ(r.code, 1) << args;
        EXPECT_NE(r.err.find("Impossibile leggere il file " + dir.path() + "Numora.dtb"), std::string::npos) << r.err;
    }
    ASSERT_EQ(chmod(dir.file("Numora.dtb").c_str(), 0644), 0);
    EXPECT_EQ(numora::test::ReadAll(dir.file("Numora.dtb")), before);
#endif
}
