// The capacities through every command that can meet them: an archive of 10000 draws and a system
// of 100000 plays, run by numora-cli as a user runs it. (The optimiser spends its budget on each
// play in turn, at least a millisecond each, so a full list takes minutes: it is left out here.) A command that would
// pass a capacity refuses with its message and writes nothing; one that works on a full list finishes and writes a
// system the program can read back.
#include "core/DrawArchive.h"
#include "core/PlaySystem.h"
#include "core/Random.h"
#include "core/SystemFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace numora {
namespace {

using CliResult = test::CliRun;

class Capacity : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new test::TempDir();
        std::filesystem::copy_file(test::BinDir() + "Numora.ini", dir_->file("Numora.ini"));
        std::filesystem::copy_file(test::BinDir() + "Condizioni.ori", dir_->file("Condizioni.def"));
        // 10000 draws, one every three days from 1900, every wheel drawn.
        auto archive = std::make_unique<DrawArchive>();
        std::string text;
        std::uint32_t x = 12345;
        int day = 1, month = 1, year = 1900;
        static constexpr const char* codes[] = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RM", "TO", "VE", "RN"};
        for (int i = 0; i < DrawArchive::Capacity; ++i) {
            for (const char* code : codes) {
                char line[64];
                std::array<int, 5> n{};
                for (int k = 0; k < 5;) {
                    x = x * 1103515245u + 12345u;
                    const int v = 1 + static_cast<int>((x >> 16) % 90);
                    if (std::find(n.begin(), n.begin() + k, v) == n.begin() + k) n[static_cast<std::size_t>(k++)] = v;
                }
                std::snprintf(line, sizeof line, "%04d/%02d/%02d\t%s\t%d\t%d\t%d\t%d\t%d\n", year, month, day, code,
                              n[0], n[1], n[2], n[3], n[4]);
                text += line;
            }
            day += 3;
            if (day > 28) {
                day -= 28;
                if (++month > 12) {
                    month = 1;
                    ++year;
                }
            }
        }
        test::WriteAll(dir_->file("storico.txt"), text);
        // 100000 distinct plays: the cinquine of 1..20 on eleven masks, in turn.
        auto system = std::make_unique<PlaySystem>();
        NewSystem(*system);
        for (int n = 1; n <= 20; ++n) system->forecast.setChosen(n, true);
        int count = 0;
        for (int w = 0; w <= 11 && count < PlayList::Capacity; ++w) {
            if (w == 10) continue;
            std::array<int, 5> c{0, 1, 2, 3, 4};
            while (count < PlayList::Capacity) {
                Play& p = system->list.play(++count);
                p = test::MakePlay({c[0] + 1, c[1] + 1, c[2] + 1, c[3] + 1, c[4] + 1}, {0, 1, 0, 0, 0},
                                   static_cast<std::uint16_t>(1u << w));
                int i = 4;
                while (i >= 0 && c[static_cast<std::size_t>(i)] == 15 + i) --i;
                if (i < 0) break;
                ++c[static_cast<std::size_t>(i)];
                for (int j = i + 1; j < 5; ++j) c[static_cast<std::size_t>(j)] = c[static_cast<std::size_t>(j - 1)] + 1;
            }
        }
        system->list.setCount(count);
        ASSERT_TRUE(SaveSystem(dir_->file("pieno.lpc"), *system));
    }
    static void TearDownTestSuite() { delete dir_; }

    static CliResult cli(const std::string& args) { return test::RunNumoraCli("--dir " + dir_->path() + " " + args); }
    static inline test::TempDir* dir_ = nullptr;
};

TEST_F(Capacity, TheArchiveHoldsTenThousandDrawsAndNotOneMore) {
    CliResult r = cli("import " + dir_->file("storico.txt"));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(cli("info").out.rfind("Estrazioni: 10000\n", 0), 0u);
    const std::string before = test::ReadAll(dir_->file("Numora.dtb"));
    test::WriteAll(dir_->file("uno.txt"), "2100/01/04\tBA\t1\t2\t3\t4\t5\n");
    r = cli("import " + dir_->file("uno.txt"));
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(r.err.empty());
    EXPECT_EQ(test::ReadAll(dir_->file("Numora.dtb")), before);
    // The statistics and the probability work on the whole of it.
    EXPECT_EQ(cli("stats numbers-delay --wheels TT").code, 0);
    EXPECT_EQ(cli("probability").code, 0);
    EXPECT_EQ(cli("condition-stats --stat 7 --develop 2 --wheels TT").code, 0);
}

TEST_F(Capacity, EveryCommandOnAFullPlayList) {
    const std::string full = " --system " + dir_->file("pieno.lpc");
    const std::string out = dir_->file("uscita.lpc");
    const std::string listFull =
        "E' stato raggiunto il numero massimo di giocate: 100000.\nImpossibile inserire altre giocate.\n";
    struct Row {
        std::string args;
        int code;
        std::string err; // stderr, exactly
        std::string out; // the start of stdout
        int plays;       // the plays of the written system, -1 when nothing may be written
    };
    const Row rows[] = {
        {"extract --size 2 --plays 1 --stakes 1", 1, listFull, "", -1},
        {"extract --random --seed 1 --size 2 --plays 1 --stakes 1", 1, listFull, "", -1},
        {"develop --size 2 --stakes 1", 1, listFull, "", -1},
        {"reduce --size 2 --stakes 1", 1, listFull, "", -1},
        {"genio --size 3 --plays 1 --stakes 1 --budget-ms 10", 1, listFull, "", -1},
        // Stopped by the limit before adding any play: nothing was appended, which the dialog reports too.
        {"condition --mode forecast --size 2 --stakes 1", 1,
         listFull +
             "Sono state scartate tutte le giocate!\nVerifivcare le condizioni e la presenza di eventuali fisse nel "
             "pronostico.\n",
         "", -1},
        {"eliminate --plays 50000", 0, "", "eliminate\tgiocate\n50000\t50000\n", 50000},
        {"eliminate --random --plays 99999 --seed 3", 0, "", "eliminate\tgiocate\n99999\t1\n", 1},
    };
    for (const Row& row : rows) {
        std::filesystem::remove(out);
        const auto start = std::chrono::steady_clock::now();
        const CliResult r = cli(row.args + full + " --out " + out);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        SCOPED_TRACE(row.args + " (" + std::to_string(seconds) + " s)");
        EXPECT_EQ(r.code, row.code) << r.err;
        EXPECT_EQ(r.err, row.err);
        EXPECT_EQ(r.out.rfind(row.out, 0), 0u) << r.out;
        if (row.plays < 0) {
            EXPECT_FALSE(std::filesystem::exists(out));
        } else {
            auto s = std::make_unique<PlaySystem>();
            ASSERT_EQ(LoadSystem(out, *s), LoadSystemResult::Ok);
            EXPECT_EQ(s->list.count(), row.plays);
        }
    }
    // Reading every play of a full list: the check against a draw, the distribution, a print.
    ASSERT_EQ(cli("import " + dir_->file("storico.txt")).code, 0);
    EXPECT_EQ(cli("check " + dir_->file("pieno.lpc")).code, 0);
    EXPECT_EQ(cli("distribution --plays" + full).code, 0);
    // The original conditions keep none of these cinquine of 1..20: all of them are looked at.
    const CliResult kept = cli("condition --mode plays" + full);
    EXPECT_EQ(kept.code, 1);
    EXPECT_EQ(kept.err.rfind("Sono state scartate tutte le giocate!", 0), 0u);
#ifdef NUMORA_CLI_PRINTS
    EXPECT_EQ(cli("print " + dir_->file("pieno.lpc") + " --pdf " + dir_->file("p.pdf") + " --plain").code, 0);
#endif
}

} // namespace
} // namespace numora
