#include "core/ConditionSet.h"
#include "core/FileIo.h"
#include "core/Globali.h"
#include "core/IniFile.h"
#include "core/Random.h"
#include "core/Settings.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <csignal>
#ifdef __linux__
#include <sys/resource.h>
#endif

using namespace numora;
using numora::test::TempDir;

namespace {

// A settings file the program creates ends its lines as the platform's text files do.
#ifdef _WIN32
constexpr const char* NewFileEol = "\r\n";
#else
constexpr const char* NewFileEol = "\n";
#endif

class CountingRandom : public RandomSource {
public:
    int below(int n) override { return next_++ % n; }

private:
    int next_ = 0;
};
} // namespace

TEST(ReadSettings, DefaultsOnlyForAbsentKeys) {
    Settings s;
    ReadSettingsText("", s);
    EXPECT_EQ(s.minimo, 1);
    EXPECT_EQ(s.massimo, 1);
    EXPECT_EQ(s.multiplo, 1);
    EXPECT_EQ(s.decimali, 2);
    EXPECT_EQ(s.vincitaMassima, 1);
    EXPECT_EQ(s.notificaaggio, 1);
    EXPECT_EQ(s.i(1), 0);
    EXPECT_EQ(s.i(18), 0);
    EXPECT_EQ(s.orientamento, 0);
    EXPECT_EQ(s.proxyServer, "");
    EXPECT_EQ(s.updateServer, DefaultUpdateServer);

    Settings t;
    ReadSettingsText("[IMPORTI]\r\nMinimo=abc\r\nMassimo= 300.5 \r\nmultiplo=0.5xyz\r\nDecimali=\r\n"
                     "[GENERALI]\r\nnotificaaggio=0\r\nProxyServer=proxy.local\r\nProxyPorta=3128\r\n"
                     "[MARGINI_STAMPANTE]\r\norientamento=7\r\ndiametro_ver=1.9\r\ndistanza_importi=105.35165\r\n",
                     t);
    EXPECT_EQ(t.minimo, 0) << "letters read as 0, not as the default";
    EXPECT_EQ(t.massimo, 300.5);
    EXPECT_EQ(t.multiplo, 0.5) << "the leading number counts";
    EXPECT_EQ(t.decimali, 0);
    EXPECT_EQ(t.notificaaggio, 0);
    EXPECT_EQ(t.proxyServer, "proxy.local");
    EXPECT_EQ(t.proxyPorta, "3128");
    EXPECT_EQ(t.orientamento, 0) << "above 1 reads as 0";
    EXPECT_EQ(t.oldVertical.diametro, 1.9);
    EXPECT_EQ(t.oldHorizontal.distanza_importi, 105.35165);
}

TEST(ReadSettings, GarbageAndHugeValuesStayHarmless) {
    const char* garbage[] = {
        "\x01\x02\xFF\xFE garbage [ ] = = =\n[IMPORTI\nMinimo\n=5\n",
        "[IMPORTI]\nDecimali=999999999999999\nMinimo=1e999\nMassimo=-1e308\ni1=nan\ni2=inf\n",
        "[IMPORTI]\nDecimali=-5\n",
        "[IMPORTI]\nDecimali=5\n",
        "no sections at all\nMinimo=7\n",
    };
    for (const char* text : garbage) {
        Settings s;
        ReadSettingsText(text, s);
        EXPECT_GE(s.decimali, 0);
        EXPECT_LE(s.decimali, Settings::MaxDecimali);
        EXPECT_TRUE(std::isfinite(s.minimo) && std::isfinite(s.massimo) && std::isfinite(s.i(1)) &&
                    std::isfinite(s.i(2)));
    }
    Settings s;
    ReadSettingsText("no sections at all\nMinimo=7\n", s);
    EXPECT_EQ(s.minimo, 1) << "a key outside its section is not the key";
}

TEST(WriteSettings, EveryKeyWithPointDecimalsWhateverTheLocale) {
    TempDir dir;
    const std::string path = dir.file(SettingsFileName);
    Settings s;
    ReadSettingsText("", s);
    s.i(1) = 0.5;
    s.i(18) = 200;
    s.minimo = 1;
    s.massimo = 200;
    s.multiplo = 0.5;
    s.vincitaMassima = 1000000;
    s.proxyServer = "10.0.0.1";
    s.oldHorizontal.sinistro = 24.112075;
    s.oldVertical.distanza_importi = 108.2;
    s.orientamento = 1;
    std::setlocale(LC_ALL, "it_IT.UTF-8"); // where installed, a comma locale
    ASSERT_EQ(WriteSettings(path, s, false), WriteResult::Written);
    std::setlocale(LC_ALL, "C");
    const std::string text = numora::test::ReadAll(path);
    for (const char* line :
         {"i1=0.5000000000", "i18=200.0000000000", "i2=0.0000000000", "Minimo=1.0000000000", "Massimo=200.0000000000",
          "Multiplo=0.5000000000", "Decimali=2", "VincitaMassima=1000000.0000000000", "notificaaggio=1",
          "ProxyServer=10.0.0.1", "ProxyPorta=", "sinistro=24.1120750", "distanza_importi_ver=108.20", "diametro=0.0",
          "altezza_nome_ver=0.0", "orientamento=1"})
        EXPECT_NE(text.find(std::string(line) + NewFileEol), std::string::npos) << line;
    EXPECT_LT(text.find("[IMPORTI]"), text.find("[GENERALI]"));
    EXPECT_LT(text.find("[GENERALI]"), text.find("[MARGINI_STAMPANTE]"));
    Settings back;
    ReadSettings(path, back);
    EXPECT_EQ(back.i(1), 0.5);
    EXPECT_EQ(back.massimo, 200);
    EXPECT_EQ(back.oldHorizontal.sinistro, 24.112075);
    EXPECT_EQ(back.orientamento, 1);
}

TEST(WriteSettings, KeepsForeignLinesAndRefusesReadOnly) {
    TempDir dir;
    const std::string path = dir.file(SettingsFileName);
    numora::test::WriteAll(path, "; commento\r\n[GENERALI]\r\nServerAggiornamento=http://127.0.0.1:8080/\r\n"
                                 "notificaaggio=0\r\n[ALTRO]\r\nx=1\r\n");
    Settings s;
    ReadSettings(path, s);
    EXPECT_EQ(s.updateServer, "http://127.0.0.1:8080/");
    const std::string before = numora::test::ReadAll(path);
    EXPECT_EQ(WriteSettings(path, s, true), WriteResult::ReadOnly);
    EXPECT_EQ(numora::test::ReadAll(path), before) << "read-only: nothing written";
    s.notificaaggio = 1;
    ASSERT_EQ(WriteSettings(path, s, false), WriteResult::Written);
    const std::string after = numora::test::ReadAll(path);
    EXPECT_NE(after.find("; commento"), std::string::npos);
    EXPECT_NE(after.find("ServerAggiornamento=http://127.0.0.1:8080/"), std::string::npos);
    EXPECT_NE(after.find("[ALTRO]\r\nx=1"), std::string::npos);
    EXPECT_NE(after.find("notificaaggio=1"), std::string::npos);
    EXPECT_EQ(after.find("notificaaggio=0"), std::string::npos);
}

#ifdef __linux__
TEST(WriteSettings, FailedWriteLeavesTheOldFile) {
    TempDir dir;
    const std::string path = dir.file(SettingsFileName);
    numora::test::WriteAll(path, "[IMPORTI]\r\nMinimo=3\r\n");
    Settings s;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tight = old;
    tight.rlim_cur = 200;
    setrlimit(RLIMIT_FSIZE, &tight);
    const WriteResult r = WriteSettings(path, s, false);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(r, WriteResult::Failed);
    EXPECT_EQ(numora::test::ReadAll(path), "[IMPORTI]\r\nMinimo=3\r\n");
}
#endif

TEST(Calibration, DefaultsForAbsentValuesAndStopsAtAnError) {
    MemoryStore store;
    Settings s;
    s.orientamento = 0;
    ReadCalibration(store, s);
    EXPECT_EQ(s.calibration.horizontal, SlipCalibration::DefaultHorizontal);
    EXPECT_EQ(s.calibration.vertical, SlipCalibration::DefaultVertical);
    EXPECT_EQ(s.orientamento, 1) << "ms_orientamento overrides the ini key";

    MemoryStore stored;
    stored.values = {{"new_cal_or_1", "20.25"},
                     {"new_cal_ver_5", ""},
                     {"ms_orientamento", "5"},
                     {"ms_tipo_bloccaggio", "1"},
                     {"ms_tipo_bloccaggio_ver", "3"}};
    Settings t;
    ReadCalibration(stored, t);
    EXPECT_EQ(t.calibration.horizontal[0], 20.25);
    EXPECT_EQ(t.calibration.vertical[4], 1.9) << "empty text takes the default";
    EXPECT_EQ(t.orientamento, 0) << "above 1 reads as 0";
    EXPECT_EQ(t.tipoBloccaggio, 1);
    EXPECT_EQ(t.tipoBloccaggioVer, 0);

    MemoryStore failing;
    failing.failReadsAfter = 3;
    Settings u;
    u.orientamento = 1;
    ReadCalibration(failing, u);
    EXPECT_EQ(u.calibration.horizontal[2], 4.36);
    EXPECT_EQ(u.calibration.horizontal[3], 0) << "values not read keep what they held";
    EXPECT_EQ(u.orientamento, 1);

    MemoryStore out;
    t.calibration.horizontal[1] = 6;
    WriteCalibration(out, t);
    EXPECT_EQ(out.get("new_cal_or_1"), "20.250");
    EXPECT_EQ(out.get("new_cal_or_2"), "6.0");
    EXPECT_EQ(out.get("ms_tipo_bloccaggio"), "1");
    Settings back;
    ReadCalibration(out, back);
    EXPECT_EQ(back.calibration.horizontal, t.calibration.horizontal);
}

TEST(InstallationIdentifier, CreatedOnceThenKept) {
    MemoryStore store;
    CountingRandom r;
    const std::string id = InstallationId(store, r);
    EXPECT_EQ(id, "ABCDEFGHIJ");
    EXPECT_EQ(store.get("idi"), id);
    EXPECT_EQ(InstallationId(store, r), id) << "the stored one is used from then on";

    MemoryStore odd;
    odd.values = {{"idi", "SHORT"}};
    const std::string runOnly = InstallationId(odd, r);
    EXPECT_EQ(runOnly.size(), 10u);
    EXPECT_EQ(odd.get("idi"), "SHORT") << "a value of another length is left alone";

    MemoryStore missing;
    missing.available = false;
    EXPECT_EQ(InstallationId(missing, r).size(), 10u);
    EXPECT_TRUE(missing.values.empty());
}

TEST(DataLayerStartUp, OrderAndWriteTest) {
    TempDir dir;
    numora::test::WriteAll(dir.file(SettingsFileName), "[MARGINI_STAMPANTE]\r\norientamento=0\r\n");
    Globali g;
    g.system.forecast.setChosen(7, true);
    g.system.forecast.fixedCount = 1;
    ConditionSet saved;
    saved.values[0] = 17;
    ASSERT_TRUE(SaveConditions(dir.file(ConditionsFileName), saved));
    Conditions() = ConditionSet{};
    MemoryStore store;
    store.values = {{"ms_orientamento", "1"}};
    StartDataLayer(g, dir.path().substr(0, dir.path().size() - 1), store);
    EXPECT_EQ(g.appDir, dir.path());
    EXPECT_FALSE(g.readOnly);
    EXPECT_FALSE(FileExists(dir.file("tmptmp.tmp")));
    EXPECT_EQ(Conditions().values[0], 17) << "the data layer reads the folder's conditions itself";
    EXPECT_EQ(g.system.forecast.fixedCount, 0);
    EXPECT_EQ(g.settings.orientamento, 1) << "the registry value overrides the ini key";
    EXPECT_EQ(g.installationId.size(), 10u);
    EXPECT_EQ(g.archive.count(), 0);
    EXPECT_FALSE(g.lastLoad.truncated);
    EXPECT_TRUE(DirectoryIsWritable(dir.path()));
    EXPECT_FALSE(DirectoryIsWritable(dir.file("no-such-folder/")));
}

TEST(DataLayerStartUp, AnOversizedArchiveIsKeptAside) {
    TempDir dir;
    std::string image(19, 'h');
    for (int i = 0; i < DrawArchive::Capacity + 3; ++i) {
        std::uint8_t rec[60] = {};
        rec[55] = 1;
        rec[56] = 1;
        rec[58] = static_cast<std::uint8_t>(1900 + i % 200);
        rec[59] = static_cast<std::uint8_t>((1900 + i % 200) >> 8);
        image.append(reinterpret_cast<const char*>(rec), 60);
    }
    numora::test::WriteAll(dir.file(ArchiveFileName), image);
    Globali g;
    MemoryStore store;
    StartDataLayer(g, dir.path(), store);
    EXPECT_EQ(g.archive.count(), DrawArchive::Capacity);
    EXPECT_TRUE(g.lastLoad.truncated);
    EXPECT_TRUE(g.lastLoad.copied);
    EXPECT_EQ(numora::test::ReadAll(dir.file(OversizedArchiveCopy)), image);
    ASSERT_TRUE(g.saveArchive());
    ASSERT_TRUE(g.loadArchive());
    EXPECT_FALSE(g.lastLoad.truncated);
    EXPECT_EQ(numora::test::ReadAll(dir.file(OversizedArchiveCopy)), image) << "the copy outlives the save";
}

TEST(IniFile, SectionsAndKeysIgnoreCase) {
    IniFile ini = IniFile::parse("[Importi]\nMINIMO = 2 \n[importi]\nx=1\n");
    EXPECT_EQ(ini.value("IMPORTI", "minimo"), "2");
    ini.set("IMPORTI", "Massimo", "3");
    EXPECT_EQ(ini.value("importi", "MASSIMO"), "3");
    EXPECT_FALSE(ini.value("NOPE", "x").has_value());
}

TEST(WriteSettings, KeepsTheFileLineEndings) {
    for (const auto& [before, eol] : {std::pair<std::string, std::string>{"[GENERALI]\r\nnotificaaggio=0\r\n", "\r\n"},
                                      {"[GENERALI]\nnotificaaggio=0\n", "\n"},
                                      {"", NewFileEol}}) {
        TempDir dir;
        const std::string path = dir.file(SettingsFileName);
        if (!before.empty()) numora::test::WriteAll(path, before);
        ASSERT_EQ(WriteSettings(path, Settings{}, false), WriteResult::Written);
        const std::string after = numora::test::ReadAll(path);
        const auto count = [&](const std::string& what) {
            std::size_t n = 0;
            for (auto at = after.find(what); at != std::string::npos; at = after.find(what, at + 1)) ++n;
            return n;
        };
        // Every line ends as the file's did.
        EXPECT_EQ(count("\r\n"), eol == "\n" ? 0u : count("\n")) << "ending of " << eol.size() << " characters";
        EXPECT_GT(count("\n"), 20u);
    }
}
