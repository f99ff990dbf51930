// The same --seed gives the same plays on every platform: the generator's first values and the
// plays of the seeded commands, compared with a file written once and kept with the tests. The
// files the program writes are the same bytes on every platform too.
#include "core/DrawArchive.h"
#include "core/OperatorImport.h"
#include "core/PlaySystem.h"
#include "core/Random.h"
#include "core/SystemFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>

using namespace numora;

namespace {

// The size and the FNV-1a digest of a file's bytes.
std::string Digest(const std::string& bytes) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
    std::ostringstream s;
    s << bytes.size() << " bytes, fnv1a " << std::hex << h;
    return s.str();
}

std::string PlaysOf(const std::string& path) {
    auto system = std::make_unique<PlaySystem>();
    if (LoadSystem(path, *system) != LoadSystemResult::Ok) return "illeggibile\n";
    std::ostringstream s;
    for (int i = 1; i <= system->list.count(); ++i) {
        const Play& p = system->list.play(i);
        for (int k = 0; k < p.numberCount(); ++k) s << (k ? " " : "") << int(p.number(k));
        s << "\n";
    }
    return s.str();
}

TEST(SeededPlays, AreTheSameOnEveryPlatform) {
    std::ostringstream got;
    for (std::uint64_t seed : {1u, 2026u}) {
        StdRandom random(seed);
        got << "below seed " << seed << ":";
        for (int n : {90, 90, 90, 90, 90, 2, 3, 7, 11, 89, 90, 1000, 65536, 100000}) got << " " << random.below(n);
        got << "\n";
    }

    test::TempDir dir;
    std::filesystem::copy_file(test::BinDir() + "Numora.ini", dir.file("Numora.ini"));
    const std::string plays = " --numbers 3,8,14,25,33,41,47,52,66,71,80,88 --size 5 --stakes 1";
    const struct {
        const char* name;
        std::string args;
    } commands[] = {
        {"extract", "extract --random --seed 7 --plays 6" + plays + " --out '" + dir.file("a.lpc") + "'"},
        {"develop", "develop" + plays + " --out '" + dir.file("base.lpc") + "'"},
        {"eliminate", "eliminate --random --plays 780 --seed 11 --system '" + dir.file("base.lpc") + "' --out '" +
                          dir.file("b.lpc") + "'"},
    };
    for (const auto& c : commands) {
        const test::CliRun run = test::RunNumoraCli("--dir '" + dir.path() + "' " + c.args);
        ASSERT_EQ(run.code, 0) << c.name << ": " << run.err;
    }
    got << "extract --seed 7:\n" << PlaysOf(dir.file("a.lpc"));
    got << "eliminate --seed 11:\n" << PlaysOf(dir.file("b.lpc"));
    for (const char* name : {"a.lpc", "base.lpc", "b.lpc"})
        got << name << ": " << Digest(test::ReadAll(dir.file(name))) << "\n";

    // NUMORA_WRITE_EXPECTED=1 writes the file anew, when a generator's plays change on purpose.
    const std::string file = std::string(NUMORA_TESTS_DIR) + "/apps/seeded_plays.txt";
    if (std::getenv("NUMORA_WRITE_EXPECTED")) test::WriteAll(file, got.str());
    EXPECT_EQ(got.str(), test::ReadAll(file));
}

// The archive file from the real archive's first 7000 draws (history, whatever is added after
// them), saved twice to the same name so that the second save replaces an existing file; and the
// operator's text with CR LF line ends reads as with LF.
TEST(SameFiles, ArchiveBytesOnEveryPlatform) {
    const DrawArchive* real = test::RealArchive();
    if (!real || real->count() < 7000) GTEST_SKIP() << "storico.txt not found";
    auto archive = std::make_unique<DrawArchive>(*real);
    archive->setCount(7000);
    auto delays = std::make_unique<DelayTable>();
    auto frequencies = std::make_unique<FrequencyTable>();
    test::TempDir dir;
    const std::string path = dir.file(ArchiveFileName);
    std::string first;
    for (std::uint64_t seed : {5u, 5u}) {
        StdRandom random(seed);
        std::string why;
        ASSERT_TRUE(SaveArchive(path, *archive, *delays, *frequencies, random, &why)) << why;
        const std::string bytes = test::ReadAll(path);
        if (first.empty()) first = bytes;
        EXPECT_EQ(bytes, first) << "the second save over the first";
    }
    EXPECT_EQ(Digest(first), "420019 bytes, fnv1a e444db46bba826ea");
    EXPECT_EQ(delays->at(12, 1) + frequencies->at(12, 90), 58);

    std::string lf = test::ReadAll(test::StoricoPath()), crlf;
    lf = lf.substr(0, lf.find("2000/")); // the draws before 2000, enough for the line ends
    for (char c : lf) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    auto fromLf = std::make_unique<DrawArchive>(), fromCrlf = std::make_unique<DrawArchive>();
    ASSERT_TRUE(ImportOperatorText(lf, *fromLf).ok);
    ASSERT_TRUE(ImportOperatorText(crlf, *fromCrlf).ok);
    ASSERT_EQ(fromLf->count(), fromCrlf->count());
    EXPECT_GT(fromLf->count(), 3000);
    for (int i = 1; i <= fromLf->count(); ++i) ASSERT_EQ(fromLf->draw(i), fromCrlf->draw(i)) << "draw " << i;
}

} // namespace
