// The machine failing under a save: a disk that fills (the file-size limit) and a folder that
// cannot be written, for every file numora-cli writes. Each save must fail with a message, leave
// the old file exactly as it was and leave no temporary file behind.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace numora {
namespace {

struct CliResult {
    int code = -1;
    std::string err;
};

CliResult Cli(const std::string& prefix, const std::string& dir, const std::string& args, const std::string& errFile) {
    // The subshell keeps the prefix's limit to the program; cmd.exe, which gets no prefix, reads
    // redirections after a group badly.
    const std::string run = "'" + test::BinDir() + "numora-cli' --dir " + dir + " " + args;
    const std::string cmd = (prefix.empty() ? run : "(" + prefix + run + ")") + " >/dev/null 2>'" + errFile + "'";
    CliResult r;
    r.code = test::RunShell(cmd);
    r.err = test::ReadAll(errFile);
    return r;
}

struct Save {
    std::string args; // writes `target` in the folder; "@" stands for the folder
    std::string target;
};

std::string InFolder(std::string args, const std::string& dir) {
    for (std::size_t at; (at = args.find('@')) != std::string::npos;) args.replace(at, 1, dir);
    return args;
}

const std::string Plays = " --numbers 3,8,14,25,33,41,47,52,66,71,80,88 --size 5 --stakes 1";

std::vector<Save> Saves() {
    std::vector<Save> saves{
        {"import @storico.txt", "Numora.dtb"},
        {"extract --plays 50" + Plays + " --out @sistema.lpc", "sistema.lpc"},
        {"extract --random --seed 2 --plays 50" + Plays + " --out @sistema.lpc", "sistema.lpc"},
        {"develop" + Plays + " --out @sistema.lpc", "sistema.lpc"},
        {"reduce" + Plays + " --out @sistema.lpc", "sistema.lpc"},
        {"genio --plays 20 --budget-ms 5 --seed 1" + Plays + " --out @sistema.lpc", "sistema.lpc"},
        {"eliminate --random --plays 1 --seed 1 --system @base.lpc --out @sistema.lpc", "sistema.lpc"},
        {"condition --mode forecast" + Plays + " --out @sistema.lpc", "sistema.lpc"},
    };
#ifdef NUMORA_CLI_PRINTS
    saves.push_back({"print @base.lpc --pdf @giocate.pdf --plain", "giocate.pdf"});
#endif
    return saves;
}

class Faults : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* f : {"Numora.ini", "Condizioni.ori"})
            std::filesystem::copy_file(test::BinDir() + f, dir_.file(f));
        std::filesystem::copy_file(test::BinDir() + "Condizioni.ori", dir_.file("Condizioni.def"));
        writeArchiveText(2);
        // A system with plays for the commands that start from one.
        ASSERT_EQ(
            Cli("", dir_.path(), "develop" + Plays + " --out " + dir_.file("base.lpc"), dir_.file("err.txt")).code, 0);
    }
    // 28 dates of the month, on every wheel.
    void writeArchiveText(int month) {
        std::string text;
        for (int d = 1; d <= 28; ++d)
            for (const char* w : {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RM", "TO", "VE", "RN"})
                text += "2026/0" + std::to_string(month) + "/" + std::string(d < 10 ? "0" : "") + std::to_string(d) +
                        "\t" + w + "\t" + std::to_string(d) + "\t" + std::to_string(d + 30) + "\t" +
                        std::to_string(d + 60) + "\t" + std::to_string(91 - d) + "\t" + std::to_string(d + 1) + "\n";
        test::WriteAll(dir_.file("storico.txt"), text);
    }
    // Without a fault every save of the table works and replaces the old file; with one (the
    // prefix) every save fails and keeps it.
    void expectEverySaveWorks(const std::string& prefix) {
        for (const Save& s : Saves()) {
            SCOPED_TRACE(s.args);
            test::WriteAll(dir_.file(s.target), "vecchio");
            const CliResult r = Cli(prefix, dir_.path(), InFolder(s.args, dir_.path()), dir_.file("err.txt"));
            EXPECT_EQ(r.code, 0) << r.err;
            EXPECT_NE(test::ReadAll(dir_.file(s.target)), "vecchio");
        }
    }
    // Every save of the table under the given prefix, over the files the working saves left (the
    // archive text then brings dates the archive lacks, so the import must save).
    void expectEverySaveFails(const std::string& prefix) {
        writeArchiveText(3);
        for (const Save& s : Saves()) {
            SCOPED_TRACE(s.args);
            const std::string old = test::ReadAll(dir_.file(s.target));
            ASSERT_GT(old.size(), 512u);
            const CliResult r = Cli(prefix, dir_.path(), InFolder(s.args, dir_.path()), errDir_.file("err.txt"));
            EXPECT_NE(r.code, 0);
            EXPECT_FALSE(r.err.empty());
            EXPECT_EQ(test::ReadAll(dir_.file(s.target)), old);
            for (const auto& e : std::filesystem::directory_iterator(dir_.path()))
                EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
        }
    }
    test::TempDir dir_;
    test::TempDir errDir_;
};

TEST_F(Faults, ADiskThatFillsDuringEverySave) {
    // Files may grow to 512 bytes: every save above is larger. The signal is ignored, so a write past
    // the limit fails as a full disk does.
    expectEverySaveWorks("");
    // Windows has no file size limit to set: there every save works over the old files.
    if (test::kWindows) return;
    expectEverySaveFails("trap '' XFSZ; ulimit -f 1; ");
}

TEST_F(Faults, AFolderThatCannotBeWritten) {
    if (test::kWindows) GTEST_SKIP() << "POSIX modes and users";
#ifndef _WIN32
    // root writes everywhere: the program runs as nobody, in a folder it may read but not write.
    if (geteuid() != 0) {
        chmod(dir_.path().c_str(), 0555);
        expectEverySaveFails("");
        chmod(dir_.path().c_str(), 0755);
        return;
    }
    if (std::system("setpriv --reuid=65534 --regid=65534 --clear-groups true 2>/dev/null") != 0)
        GTEST_SKIP() << "running as root without setpriv";
    chmod(dir_.path().c_str(), 0777);
    for (const auto& e : std::filesystem::directory_iterator(dir_.path())) chmod(e.path().c_str(), 0666);
    expectEverySaveWorks("setpriv --reuid=65534 --regid=65534 --clear-groups ");
    chmod(dir_.path().c_str(), 0755);
    expectEverySaveFails("setpriv --reuid=65534 --regid=65534 --clear-groups ");
#endif
}

} // namespace
} // namespace numora
