#include "core/FileIo.h"
#include "core/PlaySystem.h"
#include "core/SystemFile.h"
#include "core/TextHelpers.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

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
    const std::string cli = BinDir() + "numora-cli";
    const std::string command =
        "'" + cli + "' " + args + " >'" + dir.file("out.txt") + "' 2>'" + dir.file("err.txt") + "'";
    CliRun r;
    r.exitCode = numora::test::RunShell(command);
    r.out = ReadAll(dir.file("out.txt"));
    r.err = ReadAll(dir.file("err.txt"));
    return r;
}

void WriteSystem(const std::string& path) {
    auto sys = std::make_unique<PlaySystem>();
    sys->forecast.setChosen(3, true);
    sys->forecast.setChosen(17, true);
    sys->forecast.setChosen(90, true);
    sys->forecast.fixed[0] = 17;
    sys->forecast.fixed[1] = 3;
    sys->forecast.fixedCount = 2;
    AddOrReplacePlay(sys->list,
                     MakePlay({3, 17, 90}, {0.5, 1, 0, 0, 0}, static_cast<std::uint16_t>(WheelBit(1) | WheelBit(8))));
    AddOrReplacePlay(sys->list, MakePlay({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {1, 2, 3, 4, 5}, WheelBit(12)));
    AddOrReplacePlay(sys->list, MakePlay({45}, {1234.5, 0, 0, 0, 0}, WheelBit(11)));
    ASSERT_TRUE(SaveSystem(path, *sys));
}

} // namespace

class CliSystem : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(FileExists(numora::test::NumoraCliPath())) << "build numora-cli first"; }
    TempDir dir;
};

TEST_F(CliSystem, PrintsTheForecastThePlaysAndTheCost) {
    WriteAll(dir.file("Numora.ini"), "[IMPORTI]\r\nDecimali=2\r\n");
    WriteSystem(dir.file("Prova.lpc"));
    CliRun r = RunCli(dir, "--dir '" + dir.path() + "' system '" + dir.file("Prova.lpc") + "'");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Sistema: Prova.lpc\n"
                     "Pronostico (3): 3 17 90\n"
                     "Fisse (2): 17 3\n"
                     "Giocate: 3\n"
                     "1: 3 17 90 | Bari, Roma | 0,50 1,00 0,00 0,00 0,00\n"
                     "2: 1 2 3 4 5 6 7 8 9 10 | Tutte | 1,00 2,00 3,00 4,00 5,00\n"
                     "3: 45 | R. Nazionale | 1.234,50 0,00 0,00 0,00 0,00\n"
                     "Costo totale: 1.252,50 €\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(CliSystem, TakesTheDecimalsFromTheIniFile) {
    WriteAll(dir.file("Numora.ini"), "[IMPORTI]\r\nDecimali=3\r\n");
    WriteSystem(dir.file("Prova.lpc"));
    CliRun r = RunCli(dir, "--dir '" + dir.path() + "' system '" + dir.file("Prova.lpc") + "'");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("1: 3 17 90 | Bari, Roma | 0,500 1,000 0,000 0,000 0,000\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Costo totale: 1.252,500 €\n"), std::string::npos) << r.out;
}

TEST_F(CliSystem, RefusesAnIncompatibleFile) {
    std::string bytes(2268, '\0');
    bytes[0] = 3;
    WriteAll(dir.file("Nuovo.lpc"), bytes);
    CliRun r = RunCli(dir, "--dir '" + dir.path() + "' system '" + dir.file("Nuovo.lpc") + "'");
    EXPECT_NE(r.exitCode, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, std::string(IncompatibleSystemMessage) + "\n" + OpenSystemErrorMessage + "\n");
}

TEST_F(CliSystem, RefusesACorruptOrMissingFile) {
    std::string bytes(2268, '\0');
    bytes[0] = 2;
    bytes[2264] = static_cast<char>(0xFF); // N = 255 with no plays in the file
    WriteAll(dir.file("Rotto.lpc"), bytes);
    for (const char* name : {"Rotto.lpc", "Manca.lpc"}) {
        CliRun r = RunCli(dir, "--dir '" + dir.path() + "' system '" + dir.file(name) + "'");
        EXPECT_NE(r.exitCode, 0) << name;
        EXPECT_EQ(r.err, std::string(OpenSystemErrorMessage) + "\n") << name;
    }
}
