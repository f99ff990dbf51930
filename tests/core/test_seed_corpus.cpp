// The seed corpus of the fuzz harnesses: one small valid file per reader, made here from the
// program's own writers and checked here against the program's own readers. The committed files
// under tests/fuzz/corpus must be these very bytes, so a change of a format shows up as a failing
// test instead of a stale corpus; NUMORA_WRITE_SEED_CORPUS=1 writes them afresh.
#include "archive/DrawUpdateFile.h"
#include "archive/RtfReader.h"
#include "core/ConditionSet.h"
#include "core/DrawArchive.h"
#include "core/OperatorImport.h"
#include "core/PlaySystem.h"
#include "core/Random.h"
#include "core/Settings.h"
#include "core/SystemFile.h"
#include "elimination/ProbabilityGrid.h"
#include "smorfia/SmorfiaTable.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

namespace numora {
namespace {

DrawRecord Draw(int day, int month, int year, int seed) {
    DrawRecord d;
    d.day = static_cast<std::uint8_t>(day);
    d.month = static_cast<std::uint8_t>(month);
    d.year = static_cast<std::uint16_t>(year);
    for (int w = 1; w <= 11; ++w)
        for (int k = 0; k < 5; ++k) d.setNumber(w, k, static_cast<std::uint8_t>(1 + (seed * 7 + w * 5 + k * 17) % 90));
    return d;
}

std::vector<DrawRecord> Draws(int count) {
    std::vector<DrawRecord> v;
    for (int i = 0; i < count; ++i) v.push_back(Draw(1 + i % 28, 1 + (i / 28) % 12, 2020 + i / 336, i));
    return v;
}

struct Seed {
    std::string reader; // the harness: the folder under tests/fuzz/corpus
    std::string name;
    std::string bytes;
    std::function<bool(const std::string&)> accepted;
};

std::vector<Seed> Seeds() {
    std::vector<Seed> seeds;
    auto archive = std::make_unique<DrawArchive>();
    for (const DrawRecord& d : Draws(3)) InsertDraw(*archive, d);
    SequenceRandom random({1, 2, 3});
    const std::string dtb = ArchiveFileImage(*archive, random);
    seeds.push_back({"archive", "tre-estrazioni", dtb, [](const std::string& b) {
                         test::TempDir dir;
                         test::WriteAll(dir.file("a.dtb"), b);
                         auto a = std::make_unique<DrawArchive>();
                         DelayTable d;
                         FrequencyTable f;
                         return LoadArchive(dir.file("a.dtb"), *a, d, f) && a->count() == 3;
                     }});

    auto system = std::make_unique<PlaySystem>();
    NewSystem(*system);
    for (int n : {4, 18, 33, 61, 90}) system->forecast.setChosen(n, true);
    system->forecast.fixed[0] = 18;
    system->forecast.fixedCount = 1;
    system->list.play(1) = test::MakePlay({4, 18, 33});
    system->list.play(2) = test::MakePlay({18, 61}, {0, 1, 0, 0, 0}, 1u | (1u << 10));
    system->list.setCount(2);
    seeds.push_back({"systemfile", "due-giocate.lpc", SystemFileImage(*system), [](const std::string& b) {
                         auto s = std::make_unique<PlaySystem>();
                         return LoadSystemImage(b, *s) == LoadSystemResult::Ok && s->list.count() == 2;
                     }});

    seeds.push_back({"update", "aggio.dat", BuildUpdateFile(Draws(MinUpdateDraws), "Avviso di prova"),
                     [](const std::string& b) { return ReadUpdateFile(b).ok(); }});
    seeds.push_back(
        {"update", "avviso.rtf", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\b Avviso\\b0\\par prova\\'e8}",
         [](const std::string& b) { return RtfPlainText(ReadRtf(b)).find("Avviso") != std::string::npos; }});

    std::string text;
    for (const char* wheel : {"BA", "CA", "RN"}) text += std::string("2026/08/01\t") + wheel + "\t1\t2\t3\t4\t5\n";
    text += "2026/08/04\tNA\t90\t12\t45\t7\t66\n";
    seeds.push_back({"operator", "operatore-breve.txt", text, [](const std::string& b) {
                         const OperatorText t = ParseOperatorText(b);
                         return t.ok && t.draws.size() == 2;
                     }});

    Settings settings;
    settings.decimali = 2;
    // A file written with CRLF, as the Windows program writes a new one, on every platform.
    seeds.push_back({"settings", "Numora.ini", SettingsText(settings, "[IMPORTI]\r\n"), [](const std::string& b) {
                         Settings s;
                         s.decimali = 7;
                         ReadSettingsText(b, s);
                         return s.decimali == 2;
                     }});

    const std::vector<SmorfiaEntry> smorfia = {{1, "L'Italia"}, {47, "Il morto che parla"}, {90, "La paura"}};
    seeds.push_back({"smorfia", "Numora.smo", SmorfiaImage(smorfia),
                     [](const std::string& b) { return ParseSmorfia(b).size() == 3; }});

    seeds.push_back({"probabilities", "probabilita.txt", "2 12,5\r\n4 30.25\n\n88 7\n", [](const std::string& b) {
                         std::array<std::uint8_t, 90> chosen{};
                         for (std::size_t n = 1; n < chosen.size(); n += 2) chosen[n] = 1;
                         std::map<int, std::string> typed;
                         return ParseProbabilityLines(b, chosen, typed) && typed.size() == 3;
                     }});

    // The original conditions the installation ships.
    seeds.push_back({"conditions", "Condizioni.def",
                     test::ReadAll(std::string(NUMORA_SOURCE_DIR) + "/data/Condizioni.ori"), [](const std::string& b) {
                         test::TempDir dir;
                         test::WriteAll(dir.file("c.def"), b);
                         ConditionSet set;
                         return b.size() == ConditionSet::Size && LoadConditions(dir.file("c.def"), set) &&
                                !CheckConditions(set);
                     }});
    return seeds;
}

TEST(SeedCorpus, EachSeedIsAcceptedByItsReaderAndIsTheCommittedFile) {
    const std::filesystem::path root = std::filesystem::path(NUMORA_SOURCE_DIR) / "tests" / "fuzz" / "corpus";
    const bool write = std::getenv("NUMORA_WRITE_SEED_CORPUS") != nullptr;
    for (const Seed& s : Seeds()) {
        SCOPED_TRACE(s.reader + "/" + s.name);
        EXPECT_TRUE(s.accepted(s.bytes));
        const std::filesystem::path file = root / s.reader / s.name;
        if (write) {
            std::filesystem::create_directories(file.parent_path());
            test::WriteAll(file.string(), s.bytes);
        }
        EXPECT_EQ(test::ReadAll(file.string()), s.bytes) << "NUMORA_WRITE_SEED_CORPUS=1 rewrites the corpus";
    }
}

} // namespace
} // namespace numora
