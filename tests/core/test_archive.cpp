#include "core/DrawArchive.h"
#include "core/FileIo.h"
#include "core/Globali.h"
#include "core/Random.h"
#include "oracle/LiteralTables.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#ifdef __linux__
#include <sys/resource.h>
#endif

using namespace numora;
using numora::test::TempDir;

namespace {

DrawRecord Draw(int day, int month, int year, std::uint8_t seed = 1) {
    DrawRecord d;
    d.day = static_cast<std::uint8_t>(day);
    d.month = static_cast<std::uint8_t>(month);
    d.year = static_cast<std::uint16_t>(year);
    for (int w = 1; w <= 11; ++w)
        for (int k = 0; k < 5; ++k) d.setNumber(w, k, static_cast<std::uint8_t>((seed + w * 7 + k * 13) % 90 + 1));
    return d;
}

// Consecutive days from 1/1/2000, with random distinct numbers on every wheel.
DrawArchive RandomArchive(int n, std::uint32_t seed) {
    std::mt19937 rng(seed);
    DrawArchive a;
    int day = 1, month = 1, year = 2000;
    for (int i = 1; i <= n; ++i) {
        DrawRecord d;
        d.day = static_cast<std::uint8_t>(day);
        d.month = static_cast<std::uint8_t>(month);
        d.year = static_cast<std::uint16_t>(year);
        for (int w = 1; w <= 11; ++w) {
            std::array<int, 90> pool;
            for (int k = 0; k < 90; ++k) pool[k] = k + 1;
            std::shuffle(pool.begin(), pool.end(), rng);
            const bool drawn = !(w == 11 && i % 7 == 0); // some dates lack a wheel
            for (int k = 0; k < 5; ++k) d.setNumber(w, k, drawn ? static_cast<std::uint8_t>(pool[k]) : 0);
        }
        a.draw(i) = d;
        if (++day > 28) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    a.setCount(n);
    return a;
}

class FixedRandom : public RandomSource {
public:
    explicit FixedRandom(int v) : v_(v) {}
    int below(int) override { return v_; }

private:
    int v_;
};

} // namespace

TEST(DrawRecord, SixtyBytesFieldByField) {
    DrawRecord d = Draw(5, 3, 2004);
    d.reserved = 0x7F;
    d.setNumber(3, 2, 77); // Firenze, third number
    std::uint8_t b[60];
    d.toBytes(b);
    EXPECT_EQ(b[2 * 11 + 2], 77);
    EXPECT_EQ(b[55], 5);
    EXPECT_EQ(b[56], 3);
    EXPECT_EQ(b[57], 0x7F);
    EXPECT_EQ(b[58], 2004 & 0xFF);
    EXPECT_EQ(b[59], 2004 >> 8);
    EXPECT_EQ(DrawRecord::fromBytes(b), d);
    EXPECT_EQ(DateText(d), "5/3/2004");
}

TEST(InsertDraw, AppendsInsertsAndReplacesByDate) {
    DrawArchive a;
    EXPECT_EQ(InsertDraw(a, Draw(10, 1, 2004)), 1);
    EXPECT_EQ(InsertDraw(a, Draw(20, 1, 2004)), 2);
    EXPECT_EQ(InsertDraw(a, Draw(30, 1, 2004)), 3);
    // After the last one: appended, N returned.
    EXPECT_EQ(InsertDraw(a, Draw(1, 2, 2004)), 4);
    // Before the first: index 1, everything shifts.
    EXPECT_EQ(InsertDraw(a, Draw(1, 1, 2004)), 1);
    EXPECT_EQ(a.count(), 5);
    EXPECT_EQ(a.draw(2).day, 10);
    // Between 20/1 (index 3) and 30/1 (index 4): takes the later one's index.
    EXPECT_EQ(InsertDraw(a, Draw(25, 1, 2004)), 4);
    EXPECT_EQ(a.draw(5).day, 30);
    EXPECT_EQ(a.count(), 6);
    // Same date: replaced, N unchanged, all 60 bytes taken (reserved byte included).
    DrawRecord again = Draw(20, 1, 2004, 42);
    again.reserved = 9;
    EXPECT_EQ(InsertDraw(a, again), 3);
    EXPECT_EQ(a.count(), 6);
    EXPECT_EQ(a.draw(3), again);
    // Same date as the last draw.
    EXPECT_EQ(InsertDraw(a, Draw(1, 2, 2004, 3)), 6);
    EXPECT_EQ(a.count(), 6);
    for (int i = 1; i < a.count(); ++i)
        EXPECT_LT((a.draw(i).year * 13 + a.draw(i).month) * 32 + a.draw(i).day,
                  (a.draw(i + 1).year * 13 + a.draw(i + 1).month) * 32 + a.draw(i + 1).day);
}

TEST(InsertDraw, ImpossibleDateChangesNothing) {
    DrawArchive a;
    try {
        InsertDraw(a, Draw(31, 2, 2005));
        FAIL() << "no error";
    } catch (const ArchiveError& e) {
        EXPECT_STREQ(e.what(), "La data 31/2/2005 non esiste.");
    }
    EXPECT_EQ(a.count(), 0);
    InsertDraw(a, Draw(1, 1, 2005));
    InsertDraw(a, Draw(1, 3, 2005));
    const DrawArchive before = a;
    EXPECT_THROW(InsertDraw(a, Draw(29, 2, 2005)), ArchiveError);
    EXPECT_THROW(InsertDraw(a, Draw(31, 4, 2005)), ArchiveError);
    EXPECT_EQ(a.count(), 2);
    EXPECT_EQ(a.draw(1), before.draw(1));
    EXPECT_EQ(a.draw(2), before.draw(2));
    EXPECT_EQ(InsertDraw(a, Draw(29, 2, 2004)), 1) << "a leap day exists";
}

TEST(InsertDraw, FullArchiveRefusesNewDatesButStillReplaces) {
    DrawArchive a = RandomArchive(DrawArchive::Capacity, 7);
    const DrawRecord last = a.last();
    DrawRecord later = last;
    later.year = static_cast<std::uint16_t>(last.year + 1);
    EXPECT_THROW(InsertDraw(a, later), ArchiveError);
    DrawRecord earlier = a.draw(1);
    earlier.year = 1990;
    EXPECT_THROW(InsertDraw(a, earlier), ArchiveError);
    EXPECT_EQ(a.count(), DrawArchive::Capacity);
    EXPECT_EQ(a.last(), last);
    DrawRecord same = a.draw(500);
    same.setNumber(1, 0, 90);
    EXPECT_EQ(InsertDraw(a, same), 500);
    EXPECT_EQ(a.draw(500), same);
}

TEST(DeleteDraw, MovesLaterDrawsDown) {
    DrawArchive a = RandomArchive(20, 1);
    const DrawArchive before = a;
    for (int i = 7; i >= 5; --i) DeleteDraw(a, i);
    EXPECT_EQ(a.count(), 17);
    EXPECT_EQ(a.draw(4), before.draw(4));
    EXPECT_EQ(a.draw(5), before.draw(8));
    EXPECT_EQ(a.draw(17), before.draw(20));
    DeleteDraw(a, 17);
    EXPECT_EQ(a.count(), 16);
    DeleteDraw(a, 0);
    DeleteDraw(a, 99);
    EXPECT_EQ(a.count(), 16) << "indices outside 1..N are ignored";
}

TEST(DerivedTables, FrequencyWindowAndDelays) {
    struct Case {
        int n;
        int firstCounted;
    };
    for (const Case c : {Case{150, 51}, Case{40, 1}, Case{100, 1}, Case{101, 2}, Case{1, 1}}) {
        DrawArchive a = RandomArchive(c.n, static_cast<std::uint32_t>(c.n));
        DelayTable d;
        FrequencyTable f;
        RebuildDerivedTables(a, d, f);
        FrequencyTable expect;
        for (int j = c.firstCounted; j <= c.n; ++j)
            for (int w = 1; w <= 11; ++w)
                for (int k = 0; k < 5; ++k) {
                    ++expect.at(w, a.draw(j).number(w, k));
                    if (w <= 10) ++expect.at(12, a.draw(j).number(w, k));
                }
        EXPECT_EQ(f, expect) << "N = " << c.n;
    }
}

TEST(DerivedTables, DelayEdges) {
    DrawArchive a = RandomArchive(30, 3);
    // Bari in the latest draw holds 1..5; 6 never comes out on Bari; 7 only on R. Nazionale.
    for (int j = 1; j <= 30; ++j)
        for (int w = 1; w <= 11; ++w)
            for (int k = 0; k < 5; ++k) {
                auto x = a.draw(j).number(w, k);
                if (x == 6 || (x == 7 && w != 11) || (w == 1 && j == 30 && x <= 5)) a.draw(j).setNumber(w, k, 89);
            }
    for (int k = 0; k < 5; ++k) a.draw(30).setNumber(1, k, static_cast<std::uint8_t>(k + 1));
    for (int k = 0; k < 5; ++k) a.draw(30).setNumber(11, k, static_cast<std::uint8_t>(k == 0 ? 7 : 80 + k));
    DelayTable d;
    FrequencyTable f;
    RebuildDerivedTables(a, d, f);
    for (int x = 1; x <= 5; ++x) EXPECT_EQ(d.at(1, x), 0);
    EXPECT_EQ(d.at(1, 6), 29) << "never seen: N - 1";
    EXPECT_EQ(d.at(12, 6), 29);
    EXPECT_EQ(d.at(11, 7), 0);
    EXPECT_EQ(d.at(12, 7), 29) << "R. Nazionale takes no part in row 12";
    EXPECT_EQ(f.at(12, 7), 0);
    EXPECT_EQ(f.at(11, 7), 1);

    DrawArchive empty;
    RebuildDerivedTables(empty, d, f);
    for (int w = 1; w <= 12; ++w)
        for (int x = 1; x <= 90; ++x) {
            EXPECT_EQ(d.at(w, x), -1);
            EXPECT_EQ(f.at(w, x), 0);
        }
}

TEST(DerivedTables, MatchTheLiteralScan) {
    for (int n : {0, 1, 2, 99, 100, 101, 777, 10000}) {
        DrawArchive a = RandomArchive(n, static_cast<std::uint32_t>(n * 31 + 1));
        if (n > 5) a.draw(3).setNumber(4, 2, 200); // a corrupt byte counts nowhere
        DelayTable d1, d2;
        FrequencyTable f1, f2;
        RebuildDerivedTables(a, d1, f1);
        oracle::LiteralRebuild(a, d2, f2);
        EXPECT_EQ(d1, d2) << n;
        EXPECT_EQ(f1, f2) << n;
    }
}

TEST(ArchiveFile, LoadSaveRoundTripAndHeader) {
    TempDir dir;
    const std::string path = dir.file(ArchiveFileName);
    DrawArchive a = RandomArchive(123, 5), b;
    DelayTable d;
    FrequencyTable f;
    StdRandom r1(1), r2(2);
    ASSERT_TRUE(SaveArchive(path, a, d, f, r1));
    const std::string first = numora::test::ReadAll(path);
    ASSERT_EQ(first.size(), 19u + 60u * 123u);
    ASSERT_TRUE(SaveArchive(path, a, d, f, r2));
    const std::string second = numora::test::ReadAll(path);
    ASSERT_EQ(second.size(), first.size());
    EXPECT_NE(first.substr(0, 19), second.substr(0, 19)) << "fresh random bytes at every save";
    EXPECT_EQ(first.substr(19), second.substr(19));

    // 30 trailing bytes: a partial record, ignored.
    numora::test::WriteAll(path, second + std::string(30, '\x05'));
    ArchiveLoadReport report;
    ASSERT_TRUE(LoadArchive(path, b, d, f, &report));
    ASSERT_EQ(b.count(), 123);
    EXPECT_FALSE(report.truncated);
    for (int i = 1; i <= 123; ++i) EXPECT_EQ(b.draw(i), a.draw(i));
    DelayTable d2;
    FrequencyTable f2;
    oracle::LiteralRebuild(a, d2, f2);
    EXPECT_EQ(d, d2) << "loading rebuilds the tables";
    EXPECT_EQ(f, f2);
}

TEST(ArchiveFile, MissingFileGivesEmptyArchiveAndKeepsTables) {
    TempDir dir;
    DrawArchive a = RandomArchive(3, 1);
    DelayTable d;
    d.at(1, 1) = 1234;
    FrequencyTable f;
    EXPECT_FALSE(LoadArchive(dir.file(ArchiveFileName), a, d, f));
    EXPECT_EQ(a.count(), 0);
    EXPECT_EQ(d.at(1, 1), 1234);
}

TEST(ArchiveFile, HostileSizesNeverCrash) {
    TempDir dir;
    const std::string path = dir.file(ArchiveFileName);
    struct Case {
        std::size_t bytes;
        int draws;
    };
    for (const Case c : {Case{0, 0}, Case{18, 0}, Case{19, 0}, Case{78, 0}, Case{79, 1}, Case{80, 1}, Case{139, 2}}) {
        std::string junk(c.bytes, '\xFF');
        numora::test::WriteAll(path, junk);
        DrawArchive a;
        DelayTable d;
        FrequencyTable f;
        ASSERT_TRUE(LoadArchive(path, a, d, f)) << c.bytes;
        EXPECT_EQ(a.count(), c.draws) << c.bytes;
        // Bytes of 255 are no numbers: nothing is counted, delays are as if never seen.
        for (int x = 1; x <= 90; ++x) EXPECT_EQ(d.at(1, x), c.draws - 1);
    }
}

TEST(ArchiveFile, MoreThanCapacityLoadsTheFirstTenThousand) {
    TempDir dir;
    const std::string path = dir.file(ArchiveFileName);
    DrawArchive big = RandomArchive(DrawArchive::Capacity, 11);
    FixedRandom zero(0);
    std::string image = ArchiveFileImage(big, zero);
    std::uint8_t extra[60];
    DrawRecord beyond = Draw(1, 1, 2099);
    beyond.toBytes(extra);
    image.append(reinterpret_cast<const char*>(extra), 60);
    numora::test::WriteAll(path, image);
    DrawArchive a;
    DelayTable d;
    FrequencyTable f;
    ArchiveLoadReport report;
    ASSERT_TRUE(LoadArchive(path, a, d, f, &report));
    EXPECT_EQ(a.count(), DrawArchive::Capacity);
    EXPECT_TRUE(report.truncated);
    EXPECT_EQ(report.recordsInFile, DrawArchive::Capacity + 1);
    EXPECT_EQ(a.last(), big.last());
}

#ifdef __linux__
// A write that fails for real (the file-size limit) must leave the previous archive intact.
TEST(ArchiveFile, FailedSaveLeavesThePreviousFileByteForByte) {
    TempDir dir;
    const std::string path = dir.file(ArchiveFileName);
    DrawArchive small = RandomArchive(5, 2), large = RandomArchive(2000, 3);
    DelayTable d;
    FrequencyTable f;
    StdRandom r(4);
    ASSERT_TRUE(SaveArchive(path, small, d, f, r));
    const std::string before = numora::test::ReadAll(path);
    DelayTable marker;
    marker.at(2, 2) = 777;
    d = marker;

    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tight = old;
    tight.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &tight);
    const bool saved = SaveArchive(path, large, d, f, r);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(numora::test::ReadAll(path), before);
    EXPECT_EQ(d, marker) << "a failed save does not rebuild the tables";
    int files = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
    EXPECT_EQ(files, 1) << "no temporary file is left behind";
}
#endif

// An interrupted save leaves "Numora.dtb.PID.tmp"; the next start clears those of our own names
// whose writer is gone.
TEST(DataLayerStartUp, StaleTemporaryFilesOfOurNamesGoAndNothingElse) {
    TempDir dir;
    const std::string archive = std::string(19, 'a') + std::string(60, '\x01');
    numora::test::WriteAll(dir.file(ArchiveFileName), archive);
    const struct {
        const char* name;
        bool gone;
    } files[] = {{"Numora.dtb.123456.tmp", true},       {"Numora.ini.999999997.tmp", true},
                 {"Sistema1.lpc.999999942.tmp", true},  {"Numora.dtb.tmp", false},
                 {"Numora.dtb.12345678901.tmp", false}, {"altro.dat.12.tmp", false},
                 {"Numora.dtb.12a.tmp", false},         {"Sistema1.lpc", false}};
    for (const auto& f : files) numora::test::WriteAll(dir.file(f.name), "x");
    auto g = std::make_unique<Globali>();
    MemoryStore store;
    StartDataLayer(*g, dir.path(), store);
    for (const auto& f : files) EXPECT_EQ(FileExists(dir.file(f.name)), !f.gone) << f.name;
    EXPECT_EQ(numora::test::ReadAll(dir.file(ArchiveFileName)), archive);
    EXPECT_EQ(g->archive.count(), 1);
}

// A name that exists but cannot be read is no empty archive: it is reported and never saved over.
TEST(DataLayerStartUp, AnUnreadableArchiveIsReportedAndLockedAgainstSaving) {
    TempDir dir;
    std::filesystem::create_directory(dir.file(ArchiveFileName));
    numora::test::WriteAll(dir.file(ArchiveFileName) + "/dentro", "draws");
    auto g = std::make_unique<Globali>();
    MemoryStore store;
    StartDataLayer(*g, dir.path(), store);
    EXPECT_TRUE(g->lastLoad.unreadable);
    EXPECT_TRUE(g->archiveUnreadable());
    InsertDraw(g->archive, Draw(1, 1, 2020));
    EXPECT_FALSE(g->saveArchive());
    EXPECT_EQ(g->lastSaveError, UnreadableArchiveMessage);
    EXPECT_EQ(numora::test::ReadAll(dir.file(ArchiveFileName) + "/dentro"), "draws");
}
