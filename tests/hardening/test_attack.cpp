// The program attacked as an attacker and an unlucky user would: two writers at once, planted
// links, files of impossible sizes, FIFOs, the leftovers of killed saves, absurd arguments.
#include "core/DrawArchive.h"
#include "core/FileIo.h"
#include "core/Random.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace numora {
namespace {

using test::RunNumoraCli;
using test::TempDir;

std::string Q(const std::string& s) {
    return "'" + s + "'";
}

// A folder as installed: the settings and the shipped conditions.
void Install(const TempDir& dir) {
    for (const char* f : {"Numora.ini", "Condizioni.ori"}) std::filesystem::copy_file(test::BinDir() + f, dir.file(f));
}

// `days` dates of `year` on the eleven wheels, as the operator's text has them.
std::string YearText(int year, int days) {
    std::string text;
    for (int d = 0; d < days; ++d) {
        char date[32];
        std::snprintf(date, sizeof date, "%04d/%02d/%02d", year, d / 28 + 1, d % 28 + 1);
        for (const char* w : {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RM", "TO", "VE", "RN"})
            text += std::string(date) + "\t" + w + "\t1\t2\t3\t4\t" + std::to_string(d % 80 + 5) + "\n";
    }
    return text;
}

TEST(Attack, TwoImportsAtOnceKeepEveryDrawOfBoth) {
    TempDir dir;
    test::WriteAll(dir.file("a.txt"), YearText(1990, 300));
    test::WriteAll(dir.file("b.txt"), YearText(1991, 300));
    const std::string cli = test::BinDir() + "numora-cli --dir " + Q(dir.path()) + " import ";
    int kept = 0;
    const int rounds = 16;
    for (int round = 0; round < rounds; ++round) {
        std::filesystem::remove(dir.file("Numora.dtb"));
        const std::string both = "(" + cli + Q(dir.file("a.txt")) + " >/dev/null; echo $? >" + dir.file("ra") +
                                 ") & (" + cli + Q(dir.file("b.txt")) + " >/dev/null; echo $? >" + dir.file("rb") +
                                 ") & wait";
        ASSERT_EQ(std::system(both.c_str()), 0);
        ASSERT_EQ(test::ReadAll(dir.file("ra")) + test::ReadAll(dir.file("rb")), "0\n0\n") << "round " << round;
        kept += RunNumoraCli("--dir " + Q(dir.path()) + " info").out.rfind("Estrazioni: 600\n", 0) == 0;
    }
    EXPECT_EQ(kept, rounds) << "rounds in which both imports' draws were all kept";
}

// The program holds the archive it loaded while an import adds to the file: its save must not
// put its older draws in the file's place.
TEST(Attack, ASaveOverAnArchiveChangedMeanwhileRefuses) {
    TempDir dir;
    test::WriteAll(dir.file("a.txt"), YearText(1990, 3));
    ASSERT_EQ(RunNumoraCli("--dir " + Q(dir.path()) + " import " + Q(dir.file("a.txt"))).code, 0);
    DrawArchive program;
    DelayTable delays;
    FrequencyTable frequencies;
    ASSERT_TRUE(LoadArchive(dir.file(ArchiveFileName), program, delays, frequencies));
    test::WriteAll(dir.file("b.txt"), YearText(1991, 2));
    ASSERT_EQ(RunNumoraCli("--dir " + Q(dir.path()) + " import " + Q(dir.file("b.txt"))).code, 0);
    const std::string imported = test::ReadAll(dir.file(ArchiveFileName));

    DeleteDraw(program, 1);
    StdRandom random;
    std::string why;
    EXPECT_FALSE(SaveArchive(dir.file(ArchiveFileName), program, delays, frequencies, random, &why));
    EXPECT_NE(why.find("un altro programma"), std::string::npos) << why;
    EXPECT_EQ(test::ReadAll(dir.file(ArchiveFileName)), imported);
    // Loaded again, it saves.
    ASSERT_TRUE(LoadArchive(dir.file(ArchiveFileName), program, delays, frequencies));
    DeleteDraw(program, 1);
    EXPECT_TRUE(SaveArchive(dir.file(ArchiveFileName), program, delays, frequencies, random, &why)) << why;
    EXPECT_TRUE(SaveArchive(dir.file(ArchiveFileName), program, delays, frequencies, random, &why)) << why;
}

TEST(Attack, ASaveNeverFollowsALinkOutOfItsFolder) {
    const std::string plays = " --numbers 3,8,14,25,33,41 --size 5 --stakes 1";
    struct Case {
        const char* link;
        std::string args; // "@" is the folder
    } cases[] = {{"Numora.dtb", "import @a.txt"}, {"sistema.lpc", "develop" + plays + " --out @sistema.lpc"}};
    for (const Case& c : cases) {
        TempDir dir, elsewhere;
        Install(dir);
        test::WriteAll(dir.file("a.txt"), YearText(1990, 2));
        test::WriteAll(elsewhere.file("passwd"), "root:x:0:0\n");
        std::filesystem::create_symlink(elsewhere.file("passwd"), dir.file(c.link));
        std::string args = c.args;
        args.replace(args.find('@'), 1, dir.path());
        if (args.find('@') != std::string::npos) args.replace(args.find('@'), 1, dir.path());
        const test::CliRun r = RunNumoraCli("--dir " + Q(dir.path()) + " " + args);
        EXPECT_EQ(r.code, 1) << c.link;
        EXPECT_NE(r.err.find(dir.file(c.link)), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(elsewhere.file("passwd")), std::string::npos) << r.err;
        EXPECT_EQ(test::ReadAll(elsewhere.file("passwd")), "root:x:0:0\n");
        EXPECT_TRUE(std::filesystem::is_symlink(dir.file(c.link)));
    }
}

// Files no program writes in place of the folder's files: each is read no further than its format
// allows, or not at all, and the command ends.
TEST(Attack, HugeAndSpecialFilesAreNeverReadWhole) {
    const std::string plays = " --numbers 3,8,14,25,33,41 --size 5 --stakes 1";
#if defined(__SANITIZE_ADDRESS__)
    const std::string limit = "timeout 20 ";
#else
    const std::string limit = "ulimit -v 400000; timeout 20 ";
#endif
    struct Case {
        const char* name;
        const char* file; // made a FIFO, or a sparse file of 2 GB when huge
        bool huge;
        std::string args;
        int code;
        const char* err; // within the error text
    } cases[] = {
        {"huge smorfia", "Numora.smo", true, "smorfia cavallo", 0, ""},
        {"FIFO smorfia", "Numora.smo", false, "smorfia cavallo", 0, ""},
        {"FIFO settings", "Numora.ini", false, "system @base.lpc", 0, ""},
        {"FIFO conditions", "Condizioni.def", false, "condition --mode forecast" + plays, 0, ""},
        {"probabilities from /dev/zero", "", false,
         "eliminate --custom --plays 1 --system @base.lpc --probabilities /dev/zero", 1,
         "Impossibile leggere il file /dev/zero"},
        {"huge probabilities", "p.txt", true, "eliminate --custom --plays 1 --system @base.lpc --probabilities @p.txt",
         1, "p.txt"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        Install(dir);
        ASSERT_EQ(
            RunNumoraCli("--dir " + Q(dir.path()) + " develop" + plays + " --out " + Q(dir.file("base.lpc"))).code, 0);
        if (c.huge) {
            test::WriteAll(dir.file(c.file), "1 cavallo\n");
            std::filesystem::resize_file(dir.file(c.file), 2LL * 1024 * 1024 * 1024);
        } else if (*c.file) {
            std::filesystem::remove(dir.file(c.file));
            ASSERT_EQ(mkfifo(dir.file(c.file).c_str(), 0600), 0);
        }
        std::string args = c.args;
        for (std::size_t at; (at = args.find('@')) != std::string::npos;) args.replace(at, 1, dir.path());
        const test::CliRun r = RunNumoraCli("--dir " + Q(dir.path()) + " " + args, limit);
        EXPECT_EQ(r.code, c.code) << c.name << ": " << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << c.name << ": " << r.err;
        if (std::string(c.file) == "Numora.smo") {
            EXPECT_EQ(r.out, "numero\tdescrizione\n") << c.name;
        }
    }
}

TEST(Attack, KilledSavesLeaveNoTemporaryFilesOfTheTarget) {
    TempDir dir;
    Install(dir);
    test::WriteAll(dir.file("a.txt"), YearText(1990, 2));
    const std::string mine = std::to_string(getpid()); // a live process: its file stays
    const struct {
        std::string name;
        bool stays;
    } files[] = {{"sistema.lpc.999999999.tmp", false},
                 {"Numora.dtb.999999998.tmp", false},
                 {"sistema.lpc." + mine + ".tmp", true},
                 {"altro.lpc.999999999.tmp", true},
                 {"sistema.lpc.x1.tmp", true}};
    for (const auto& f : files) test::WriteAll(dir.file(f.name), std::string(4096, 'x'));
    ASSERT_EQ(RunNumoraCli("--dir " + Q(dir.path()) + " import " + Q(dir.file("a.txt"))).code, 0);
    ASSERT_EQ(RunNumoraCli("--dir " + Q(dir.path()) + " develop --numbers 1,2,3,4,5,6 --size 5 --stakes 1 --out " +
                           Q(dir.file("sistema.lpc")))
                  .code,
              0);
    for (const auto& f : files) EXPECT_EQ(std::filesystem::exists(dir.file(f.name)), f.stays) << f.name;
}

TEST(Attack, CommandLinesOutOfBoundsAreUsageErrors) {
    TempDir dir, home;
    test::WriteAll(dir.file("plain"), "x");
    Install(dir);
    const std::string plays = " --numbers 3,8,14,25,33,41,47 --size 5 --stakes 1";
    ASSERT_EQ(RunNumoraCli("--dir " + Q(dir.path()) + " develop" + plays + " --out " + Q(dir.file("base.lpc"))).code,
              0);
    struct Case {
        std::string args;
        int code;
        std::string err; // the start of the error text
    } cases[] = {
        {"--dir " + Q(dir.file("nessuna")) + " info", 2, "La cartella " + dir.file("nessuna") + " non esiste.\n"},
        {"--dir " + Q(dir.file("plain")) + " info", 2, "La cartella " + dir.file("plain") + " non esiste.\n"},
        {"--dir @ genio --plays 20 --budget-ms 1099511627776" + plays, 2, "Uso: numora-cli [--dir CARTELLA] genio"},
        {"--dir @ genio --plays 20 --budget-ms 86400001" + plays, 2, "Uso: numora-cli [--dir CARTELLA] genio"},
        {"--dir @ optimise --system @base.lpc --budget-ms 1099511627776", 2,
         "Uso: numora-cli [--dir CARTELLA] optimise"},
        // A fresh folder has only the shipped conditions.
        {"--dir @ condition --mode forecast" + plays, 0, ""},
        {"--dir @ condition-stats --stat 9", 1, "L'archivio storico contiene meno di 400 estrazioni."},
    };
    for (const Case& c : cases) {
        std::string args = c.args;
        for (std::size_t at; (at = args.find('@')) != std::string::npos;) args.replace(at, 1, dir.path());
        const test::CliRun r = RunNumoraCli(args, "timeout 20 ");
        EXPECT_EQ(r.code, c.code) << args << "\n" << r.err;
        EXPECT_EQ(r.err.substr(0, c.err.size()), c.err) << args;
    }
    // A user who cannot write beside the program and names a folder gets no folder of their own.
    if (geteuid() == 0 && std::system("setpriv --reuid=65534 --regid=65534 --clear-groups true 2>/dev/null") == 0) {
        chmod(home.path().c_str(), 0777);
        chmod(dir.path().c_str(), 0777);
        const std::string as =
            "HOME=" + home.path() + " XDG_DATA_HOME= setpriv --reuid=65534 --regid=65534 --clear-groups ";
        EXPECT_EQ(RunNumoraCli("--dir " + Q(dir.path()) + " info", as).code, 0);
        EXPECT_FALSE(std::filesystem::exists(home.file(".local")));
        EXPECT_EQ(RunNumoraCli("info", as).code, 0);
        EXPECT_TRUE(std::filesystem::exists(home.file(".local/share/Numora")))
            << "without --dir the user's folder is made";
    }
}

} // namespace
} // namespace numora
