// numora-cli print: slips of both models and orientations and the plain-paper listing as PDF.
#include "core/PlaySystem.h"
#include "core/SystemFile.h"
#include "core/TextHelpers.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>

using numora::test::TempDir;

namespace {

struct CliResult {
    int code = -1;
    std::string out;
};

CliResult Cli(const std::string& args) {
    const std::string cmd = numora::test::BinDir() + "numora-cli " + args + " 2>&1";
    CliResult r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    const int status = pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::string Q(const std::string& s) {
    return "'" + s + "'";
}

} // namespace

TEST(CliPrint, SlipsAndListingToPdf) {
    TempDir dir;
    std::filesystem::copy_file(numora::test::BinDir() + "Numora.ini", dir.file("Numora.ini"));
    auto system = std::make_unique<numora::PlaySystem>();
    numora::NewSystem(*system);
    for (int i = 1; i <= 50; ++i) {
        numora::Play& p = system->list.play(i);
        p.setNumbers({i, i % 89 + 2, (i * 7) % 88 + 3});
        p.wheels = i % 3 == 0 ? numora::WheelBit(12)
                              : static_cast<std::uint16_t>(numora::WheelBit(1 + i % 10) | numora::WheelBit(11));
        p.setStake(1 + i % 3, 0.5 * (1 + i % 7));
    }
    system->list.setCount(50);
    for (int n : {3, 14, 27, 45, 62, 80}) system->forecast.setChosen(n, true);
    ASSERT_TRUE(numora::SaveSystem(dir.file("SISTEMA1.LPC"), *system));
    const std::string base = "--dir " + Q(dir.path()) + " print " + Q(dir.file("SISTEMA1.LPC")) + " --pdf ";

    struct Case {
        std::string options;
        std::string pages;
    } cases[] = {
        {"", "Pagine: 50\n"},
        {" --orientation horizontal", "Pagine: 50\n"},
        {" --model old --orientation horizontal", "Pagine: 50\n"},
        {" --model old", "Pagine: 50\n"},
        {" --plain", "Pagine: "}, // 25 rows of two plays: more than one page
    };
    for (const auto& c : cases) {
        const std::string pdf = dir.file("out.pdf");
        std::filesystem::remove(pdf);
        CliResult r = Cli(base + Q(pdf) + c.options);
        EXPECT_EQ(r.code, 0) << c.options << r.out;
        EXPECT_NE(r.out.find(c.pages), std::string::npos) << c.options << r.out;
        EXPECT_EQ(numora::test::ReadAll(pdf).rfind("%PDF", 0), 0u) << c.options;
        EXPECT_EQ(r.out.find("Pagine: 1\n"), std::string::npos) << c.options;
    }

    for (const char* bad : {" --model older", " --orientation up", " --colour"})
        EXPECT_EQ(Cli(base + Q(dir.file("x.pdf")) + bad).code, 2) << bad;
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.pdf")));
    numora::NewSystem(*system);
    ASSERT_TRUE(numora::SaveSystem(dir.file("EMPTY.LPC"), *system));
    CliResult empty =
        Cli("--dir " + Q(dir.path()) + " print " + Q(dir.file("EMPTY.LPC")) + " --pdf " + Q(dir.file("x.pdf")));
    EXPECT_EQ(empty.code, 1);
    EXPECT_NE(empty.out.find("Non ci sono giocate da stampare!"), std::string::npos);
}

// numora-cli hands print to numora-print: the line it checked must reach the painter meaning the
// same (a system named like an option, a path with blanks), the usage must be written once, and
// the painter's failures must come back with the same status.
TEST(CliPrint, HandOverKeepsTheLineAndTheOutcome) {
    TempDir dir;
    auto system = std::make_unique<numora::PlaySystem>();
    numora::NewSystem(*system);
    system->list.play(1).setNumbers({1, 2, 3});
    system->list.play(1).wheels = numora::WheelBit(1);
    system->list.play(1).setStake(1, 1.0);
    system->list.setCount(1);
    ASSERT_TRUE(numora::SaveSystem(dir.file("--strano nome.lpc"), *system));
    const std::string base = "--dir " + Q(dir.path()) + " print ";

    CliResult ok = Cli(base + "--pdf " + Q(dir.file("a b.pdf")) + " --plain -- " + Q(dir.file("--strano nome.lpc")));
    EXPECT_EQ(ok.code, 0) << ok.out;
    EXPECT_NE(ok.out.find("Pagine: 1\n"), std::string::npos) << ok.out;
    EXPECT_EQ(numora::test::ReadAll(dir.file("a b.pdf")).rfind("%PDF", 0), 0u);

    CliResult blank = Cli(base + Q(dir.file("--strano nome.lpc")) + " --pdf ''");
    EXPECT_EQ(blank.code, 2);
    EXPECT_EQ(blank.out.find("Uso:"), blank.out.rfind("Uso:")) << blank.out;

    CliResult missing = Cli(base + Q(dir.file("manca.lpc")) + " --pdf " + Q(dir.file("m.pdf")));
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out.find("Pagine"), std::string::npos) << missing.out;
    EXPECT_FALSE(std::filesystem::exists(dir.file("m.pdf")));
}
