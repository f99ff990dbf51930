// numora-cli condition and condition-stats run as a user runs them: refusals in the dialog's
// order, both modes, the list limit, and the statistics against the engine on the real archive.
#include "conditions/ConditionStats.h"
#include "conditions/ConditionedReduction.h"

#include "core/OperatorImport.h"
#include "core/PlaySystem.h"
#include "core/SystemFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>

using namespace numora;

namespace {

using test::CliRun;

CliRun Cli(const std::string& args) {
    return test::RunNumoraCli(args);
}

ConditionSet Open(int minimum, int maximum) {
    ConditionSet s;
    for (int k = 9; k <= 11; ++k) {
        s.values[static_cast<std::size_t>(ConditionSet::RangeStartField(k))] = 1;
        s.values[static_cast<std::size_t>(ConditionSet::RangeEndField(k))] = 90;
    }
    s.values[ConditionSet::MinConditionsField] = minimum;
    s.values[ConditionSet::MaxConditionsField] = maximum;
    return s;
}

std::string Write(const test::TempDir& dir, const std::string& name, const ConditionSet& s) {
    const std::string path = dir.file(name);
    test::WriteAll(path, s.toBytes());
    return path;
}

} // namespace

// A folder with the installation's settings, as numora-cli finds them beside it.
struct Folder : test::TempDir {
    Folder() { test::WriteAll(file("Numora.ini"), test::ReadAll(test::BinDir() + "Numora.ini")); }
};

TEST(CliCondition, RefusesInTheDialogsOrder) {
    Folder dir;
    const std::string d = "--dir " + dir.path() + " condition ";
    const std::string open = " --conditions " + Write(dir, "open.def", Open(0, 0));
    struct Case {
        std::string args;
        int code;
        std::string err;
    };
    ConditionSet badMax = Open(2, 1);
    const Case cases[] = {
        {open, 1, "Il pronostico non contiene nessun numero!\n"},
        {"--numbers 1,2,3", 1, "Un valore della condizione nº 9 non è valido!\n"}, // no file: all zero
        {"--numbers 1,2 --conditions " + dir.file("manca.def"), 1,
         "Impossibile leggere il file " + dir.file("manca.def") + ".\n"},
        {"--numbers 1,2 --conditions " + Write(dir, "max.def", badMax), 1,
         "Il valore del numero massimo di condizioni non è valido!\n"},
        {"--numbers 1,2,3 --size 4 --stakes 1" + open, 1,
         "La quantità di numeri per ogni giocata non è valida (il pronostoico contiene meno segni)!\n"},
        {"--numbers 1,2,3 --fixed 1,2 --size 1 --stakes 1" + open, 1,
         "La quantità di numeri per giocata è minore del numero di fisse\n"},
        {"--numbers 1,2,3 --size 2" + open, 1, ""}, // no stake: the stake rule's message
        {"--numbers 1,2,3 --size 2 --stakes 1 --conditions " + Write(dir, "none.def", Open(1, 1)), 1,
         "Sono state scartate tutte le giocate!\nVerifivcare le condizioni e la presenza di eventuali fisse nel "
         "pronostico.\n"},
        {"--numbers 1,2 --mode tutto" + open, 2, ""},
        {"--numbers 1,2 --size 11" + open, 2, ""},
        {"--numbers 1,2 --wheels TT,BA" + open, 2, ""},
    };
    test::WriteAll(dir.file("short.def"), std::string(100, '\0'));
    for (const Case& c : cases) {
        const CliRun r = Cli(d + c.args);
        EXPECT_EQ(r.code, c.code) << c.args;
        if (!c.err.empty()) {
            EXPECT_EQ(r.err, c.err) << c.args;
        }
        EXPECT_TRUE(r.out.empty()) << c.args;
    }
    const CliRun noStake = Cli(d + "--numbers 1,2,3 --size 2" + open);
    EXPECT_NE(noStake.err.find("importo"), std::string::npos) << noStake.code << " [" << noStake.err << "]";
    EXPECT_EQ(Cli(d + "--numbers 1,2 --conditions " + dir.file("short.def")).err,
              "Impossibile leggere il file " + dir.file("short.def") + ".\n");
}

TEST(CliCondition, BothModesAndTheListLimit) {
    Folder dir;
    const std::string d = "--dir " + dir.path() + " condition ";
    const std::string out = dir.file("out.lpc");
    CliRun r = Cli(d + "--numbers 1,2,3,4,5,6,7,8,9,10 --size 2 --stakes 1 --out " + out + " --conditions " +
                   Write(dir, "open.def", Open(0, 0)));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "aggiunte\tgiocate\n45\t45\n");
    // The plays of two even numbers: one condition, exactly two even numbers.
    ConditionSet even = Open(1, 1);
    even.setEnabled(1, true);
    even.values[0] = 2, even.values[1] = 2;
    r = Cli(d + "--system " + out + " --out " + out + " --conditions " + Write(dir, "even.def", even));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "eliminate\tgiocate\n35\t10\n");
    auto system = std::make_unique<PlaySystem>();
    ASSERT_EQ(LoadSystem(out, *system), LoadSystemResult::Ok);
    ASSERT_EQ(system->list.count(), 10);
    EXPECT_EQ(system->list.play(1).numbers[0], 2);
    EXPECT_EQ(system->list.play(1).numbers[1], 4);
    // The forecast mode skips the plays already there: here every passing one, so nothing is left.
    r = Cli(d + "--system " + out + " --mode forecast --size 2 --stakes 1 --conditions " + dir.file("even.def"));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(r.err.substr(0, 37), "Sono state scartate tutte le giocate!");
    // With one more forecast number, the pairs holding it are added after the ten.
    r = Cli(d + "--system " + out +
            " --numbers 1,2,3,4,5,6,7,8,9,10,12 --mode forecast --size 2 --stakes 1 --conditions " +
            dir.file("even.def"));
    EXPECT_EQ(r.out, "aggiunte\tgiocate\n5\t15\n");

    // 99990 plays: ten more fill the list, the message goes to stderr and the run succeeds.
    for (int i = 1; i <= PlayList::Capacity - 10; ++i) system->list.play(i) = test::MakePlay({90});
    system->list.setCount(PlayList::Capacity - 10);
    system->forecast.clear();
    for (int n = 1; n <= 8; ++n) system->forecast.setChosen(n, true);
    ASSERT_TRUE(SaveSystem(dir.file("big.lpc"), *system));
    r = Cli(d + "--system " + dir.file("big.lpc") + " --mode forecast --size 2 --stakes 1 --conditions " +
            dir.file("open.def"));
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "E' stato raggiunto il numero massimo di giocate: 100000.\nImpossibile inserire altre giocate.\n");
    EXPECT_EQ(r.out, "aggiunte\tgiocate\n10\t100000\n");
}

TEST(CliConditionStats, PrintsTheChartOfTheEngine) {
    test::TempDir dir;
    const std::string d = "--dir " + dir.path() + " condition-stats ";
    const std::string conditions = " --conditions " + Write(dir, "c.def", [] {
                                       ConditionSet s = Open(0, 0);
                                       s.values[20] = 31, s.values[21] = 45;
                                       return s;
                                   }());
    CliRun r = Cli(d + conditions);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "L'archivio storico contiene meno di 400 estrazioni.\n");
    EXPECT_EQ(Cli(d + "--stat 12" + conditions).code, 2);
    EXPECT_EQ(Cli(d + "--develop 1" + conditions).code, 2);
    EXPECT_EQ(Cli(d + "--wheels XX" + conditions).code, 2);
    EXPECT_EQ(Cli(d).err, "Un valore della condizione nº 9 non è valido!\n");

    const std::string storico = test::StoricoPath();
    if (storico.empty()) GTEST_SKIP() << "no real archive";
    ASSERT_EQ(Cli("--dir " + dir.path() + " import " + storico).code, 0);
    DrawArchive archive;
    ASSERT_TRUE(ImportOperatorText(test::ReadAll(storico), archive).ok);
    ConditionSet s;
    ASSERT_TRUE(LoadConditions(dir.file("c.def"), s));
    struct Case {
        std::string args;
        int stat, size;
        std::uint16_t wheels;
    };
    for (const Case& c :
         {Case{"", 1, 5, 1}, Case{"--stat 7 --develop 2 --wheels TT", 7, 2, 0x800},
          Case{"--stat 10 --develop 3 --wheels RN", 10, 3, 0x400}, Case{"--stat 3 --wheels BA,RN", 3, 5, 0x401},
          Case{"--stat 8 --develop 4 --wheels TT,RN", 8, 4, 0xC00}}) {
        r = Cli(d + c.args + conditions);
        ASSERT_EQ(r.code, 0) << r.err;
        const ConditionChart chart = ConditionStatistic(archive, c.stat, c.size, c.wheels, s);
        std::string expected = chart.title + "\nvalore\tNº di giocate\n";
        for (const auto& [x, y] : chart.bars) expected += std::to_string(x) + "\t" + std::to_string(y) + "\n";
        EXPECT_EQ(r.out, expected) << c.args;
        EXPECT_GE(chart.bars.size(), 3u);
    }
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Media delle frequenze");
}
