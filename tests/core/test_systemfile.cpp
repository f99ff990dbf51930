#include "core/FileIo.h"
#include "core/PlaySystem.h"
#include "core/SystemFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <limits>
#include <memory>
#include <random>
#ifdef __linux__
#include <sys/resource.h>
#endif

using namespace numora;
using numora::test::ReadAll;
using numora::test::TempDir;
using numora::test::WriteAll;

namespace {

// Builds a file image byte by byte, independent of the code under test.
struct Bytes {
    std::string s;
    Bytes& u8(int v) {
        s.push_back(static_cast<char>(v & 0xFF));
        return *this;
    }
    Bytes& u16(std::uint16_t v) { return u8(v & 0xFF).u8(v >> 8); }
    Bytes& i32(std::int32_t v) {
        auto u = static_cast<std::uint32_t>(v);
        for (int k = 0; k < 4; ++k) u8(static_cast<int>((u >> (8 * k)) & 0xFF));
        return *this;
    }
    Bytes& f64(double v) {
        auto u = std::bit_cast<std::uint64_t>(v);
        for (int k = 0; k < 8; ++k) u8(static_cast<int>((u >> (8 * k)) & 0xFF));
        return *this;
    }
    Bytes& zeros(int n) {
        s.append(static_cast<std::size_t>(n), '\0');
        return *this;
    }
    std::size_t size() const { return s.size(); }
};

struct FilePlay {
    std::vector<int> numbers;
    std::array<double, 5> stakes;
    std::uint16_t mask;
};

const FilePlay Plays[3] = {
    {{3, 17, 90}, {0.5, 1, 0, 0, 0}, 0x0081},                 // Bari and Roma
    {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {1, 2, 3, 4, 5}, 0x0800}, // Tutte
    {{45}, {2.5, 0, 0, 0, 0}, 0x0400},                        // R. Nazionale
};

void AppendPlay(Bytes& b, const FilePlay& p) {
    std::size_t start = b.size();
    for (int n : p.numbers) b.u8(n);
    b.zeros(10 - static_cast<int>(p.numbers.size()));
    b.zeros(6);
    EXPECT_EQ(b.size() - start, 16u);
    for (double s : p.stakes) b.f64(s);
    EXPECT_EQ(b.size() - start, 56u);
    b.u16(p.mask);
    b.zeros(6);
    EXPECT_EQ(b.size() - start, 64u);
}

double Probability(int copy, int i) { return copy * 100 + i + 0.25; }

// A system with chosen 3, 17, 90, fixed 17 and 3, and the given plays. In format 2 each
// of the three probability copies holds other values (copy 3 is the one read back);
// with sameCopies all three hold the values of copy 3, as the program writes them.
std::string SystemBytes(int format, int playCount, bool sameCopies = false, std::int32_t fixedCount = 2,
                        std::int32_t n = -1000) {
    Bytes b;
    b.u8(format);
    if (format == 2) {
        for (int copy = 1; copy <= 2; ++copy)
            for (int i = 0; i < 90; ++i) b.f64(Probability(sameCopies ? 3 : copy, i));
        EXPECT_EQ(b.size(), 1441u);
    }
    for (int i = 1; i <= 90; ++i) b.u8(i == 3 || i == 17 || i == 90 ? 1 : 0);
    b.u8(17).u8(3).zeros(7);
    b.i32(fixedCount);
    for (int i = 0; i < 90; ++i) b.f64(Probability(3, i));
    b.i32(n == -1000 ? playCount : n);
    EXPECT_EQ(b.size(), format == 2 ? 2268u : 828u);
    for (int k = 0; k < playCount; ++k) AppendPlay(b, Plays[k % 3]);
    return b.s;
}

void ExpectTheSystemOfTheBytes(const PlaySystem& sys, int playCount) {
    for (int n = 1; n <= 90; ++n) EXPECT_EQ(sys.forecast.isChosen(n), n == 3 || n == 17 || n == 90) << n;
    EXPECT_EQ(sys.forecast.chosenCount(), 3);
    EXPECT_EQ(sys.forecast.fixedCount, 2);
    EXPECT_EQ(sys.forecast.fixed[0], 17);
    EXPECT_EQ(sys.forecast.fixed[1], 3);
    for (int i = 2; i < 9; ++i) EXPECT_EQ(sys.forecast.fixed[static_cast<std::size_t>(i)], 0);
    for (int i = 0; i < 90; ++i) EXPECT_EQ(sys.customProbabilities[static_cast<std::size_t>(i)], Probability(3, i));
    ASSERT_EQ(sys.list.count(), playCount);
    for (int k = 0; k < playCount; ++k) {
        const Play& p = sys.list.play(k + 1);
        const FilePlay& e = Plays[k % 3];
        EXPECT_EQ(p.numberCount(), static_cast<int>(e.numbers.size()));
        for (std::size_t j = 0; j < e.numbers.size(); ++j) EXPECT_EQ(p.numbers[j], e.numbers[j]);
        EXPECT_EQ(p.stakes, e.stakes);
        EXPECT_EQ(p.wheels, e.mask);
    }
}

std::unique_ptr<PlaySystem> Fresh() { return std::make_unique<PlaySystem>(); }

LoadSystemResult LoadBytes(const TempDir& dir, const std::string& bytes, PlaySystem& sys) {
    std::string path = dir.file("t.lpc");
    WriteAll(path, bytes);
    return LoadSystem(path, sys);
}

} // namespace

TEST(SystemFile, SizesOfAnEmptyAndAThreePlaySystem) {
    auto sys = Fresh();
    EXPECT_EQ(SystemFileImage(*sys).size(), 2268u);
    for (int k = 0; k < 3; ++k) {
        Play p;
        p.setNumbersFrom(Plays[k].numbers);
        p.stakes = Plays[k].stakes;
        p.wheels = Plays[k].mask;
        ASSERT_EQ(AddOrReplacePlay(sys->list, p), AddPlayResult::Appended);
    }
    EXPECT_EQ(SystemFileImage(*sys).size(), 2460u);
    TempDir dir;
    ASSERT_TRUE(SaveSystem(dir.file("s.lpc"), *sys));
    EXPECT_EQ(FileSize(dir.file("s.lpc")), 2460);
}

TEST(SystemFile, ReadsTheTableOffsets) {
    TempDir dir;
    auto sys = Fresh();
    ASSERT_EQ(LoadBytes(dir, SystemBytes(2, 3), *sys), LoadSystemResult::Ok);
    ExpectTheSystemOfTheBytes(*sys, 3);
}

TEST(SystemFile, WritesTheTableOffsets) {
    TempDir dir;
    auto sys = Fresh();
    const std::string expected = SystemBytes(2, 3, true);
    ASSERT_EQ(LoadBytes(dir, expected, *sys), LoadSystemResult::Ok);
    EXPECT_EQ(SystemFileImage(*sys), expected);
    ASSERT_TRUE(SaveSystem(dir.file("out.lpc"), *sys));
    EXPECT_EQ(ReadAll(dir.file("out.lpc")), expected);
}

TEST(SystemFile, OldFormatsHaveTheForecastAtOffsetOne) {
    for (int format : {0, 1}) {
        TempDir dir;
        auto sys = Fresh();
        const std::string bytes = SystemBytes(format, 3);
        ASSERT_EQ(bytes.size(), 828u + 3 * 64) << format;
        ASSERT_EQ(LoadBytes(dir, bytes, *sys), LoadSystemResult::Ok) << format;
        ExpectTheSystemOfTheBytes(*sys, 3);
        // Saved again, it becomes a format-2 file.
        EXPECT_EQ(SystemFileImage(*sys), SystemBytes(2, 3, true)) << format;
    }
}

TEST(SystemFile, FormatThreeIsIncompatibleAndChangesNothing) {
    TempDir dir;
    auto sys = Fresh();
    sys->forecast.setChosen(40, true);
    Play p;
    p.setNumbers({40});
    AddOrReplacePlay(sys->list, p);
    for (int format : {3, 4, 255}) {
        std::string bytes = SystemBytes(2, 3);
        bytes[0] = static_cast<char>(format);
        EXPECT_EQ(LoadBytes(dir, bytes, *sys), LoadSystemResult::Incompatible) << format;
        EXPECT_TRUE(sys->forecast.isChosen(40));
        EXPECT_EQ(sys->list.count(), 1);
        EXPECT_EQ(sys->customProbabilities[0], 50.0);
    }
    EXPECT_STREQ(IncompatibleSystemMessage,
                 "Questa versione non è compatibile con la versione usata per creare il sistema da aprire.");
}

TEST(SystemFile, MissingFileCannotBeOpened) {
    TempDir dir;
    auto sys = Fresh();
    EXPECT_EQ(LoadSystem(dir.file("nope.lpc"), *sys), LoadSystemResult::CannotOpen);
}

TEST(SystemFile, EveryTruncationFails) {
    TempDir dir;
    for (int format : {2, 1}) {
        const std::string full = SystemBytes(format, 3);
        auto sys = Fresh();
        for (std::size_t len = 0; len < full.size(); ++len) {
            Play leftover;
            leftover.setNumbers({88});
            sys->list.play(1) = leftover;
            sys->list.setCount(1);
            ASSERT_EQ(LoadBytes(dir, full.substr(0, len), *sys), LoadSystemResult::Corrupt) << format << " " << len;
            ASSERT_EQ(sys->list.count(), 0) << "a failed load leaves no play, at " << len;
        }
        EXPECT_EQ(LoadBytes(dir, full, *sys), LoadSystemResult::Ok);
        // Bytes after the last play are ignored.
        EXPECT_EQ(LoadBytes(dir, full + "xyz", *sys), LoadSystemResult::Ok);
        EXPECT_EQ(sys->list.count(), 3);
    }
}

TEST(SystemFile, CountsOutOfRangeFail) {
    struct Case {
        const char* what;
        std::int32_t fixedCount;
        std::int32_t n;
        int playsInFile;
    };
    const Case cases[] = {
        {"fixed count 10", 10, 3, 3},
        {"fixed count -1", -1, 3, 3},
        {"fixed count huge", 0x7FFFFFFF, 3, 3},
        {"N 100001", 2, 100001, 3},
        {"N -5", 2, -5, 3},
        {"N -2^31", 2, std::numeric_limits<std::int32_t>::min(), 3},
        {"N larger than the file", 2, 4, 3},
        {"N 100000 in a small file", 2, 100000, 3},
    };
    TempDir dir;
    for (const auto& c : cases) {
        auto sys = Fresh();
        EXPECT_EQ(LoadBytes(dir, SystemBytes(2, c.playsInFile, false, c.fixedCount, c.n), *sys),
                  LoadSystemResult::Corrupt)
            << c.what;
        EXPECT_EQ(sys->list.count(), 0) << c.what;
        EXPECT_GE(sys->forecast.fixedCount, 0) << c.what;
        EXPECT_LE(sys->forecast.fixedCount, 9) << c.what;
    }
}

TEST(SystemFile, AFailedLoadKeepsWhatWasReadBeforeTheFailure) {
    TempDir dir;
    // N -5: the forecast and the third probabilities copy were read and stay.
    auto sys = Fresh();
    ASSERT_EQ(LoadBytes(dir, SystemBytes(2, 3, false, 2, -5), *sys), LoadSystemResult::Corrupt);
    EXPECT_EQ(sys->forecast.chosenCount(), 3);
    EXPECT_EQ(sys->forecast.fixedCount, 2);
    EXPECT_EQ(sys->customProbabilities[5], Probability(3, 5));
    EXPECT_EQ(sys->list.count(), 0);

    // Fixed count 10: the flags stay, the fixed numbers are not taken, the probabilities
    // hold the second copy, read before the failure.
    sys = Fresh();
    ASSERT_EQ(LoadBytes(dir, SystemBytes(2, 3, false, 10), *sys), LoadSystemResult::Corrupt);
    EXPECT_EQ(sys->forecast.chosenCount(), 3);
    EXPECT_EQ(sys->forecast.fixedCount, 0);
    EXPECT_EQ(sys->forecast.fixed[0], 0);
    EXPECT_EQ(sys->customProbabilities[5], Probability(2, 5));
}

TEST(SystemFile, ValuesNoProgramWritesAreRefused) {
    const std::size_t play1 = 2268;
    struct Case {
        const char* what;
        std::size_t offset;
        std::string bytes;
    };
    auto f64 = [](double v) { return Bytes().f64(v).s; };
    const Case cases[] = {
        {"fixed number 0 within the count", 1532, std::string(1, '\0')},
        {"fixed number 91", 1531, std::string(1, '\x5B')},
        {"play number 91", play1 + 1, std::string(1, '\x5B')},
        {"play number 255", play1 + 9, std::string(1, '\xFF')},
        {"negative stake", play1 + 16, f64(-1)},
        {"NaN stake", play1 + 24, f64(std::nan(""))},
        {"infinite stake", play1 + 48, f64(std::numeric_limits<double>::infinity())},
        {"fixed 17 twice", 1532, std::string(1, '\x11')},
        {"play number 3 twice", play1 + 64 + 3, std::string(1, '\x03')},
        {"wheel bit 12, past Tutte", play1 + 64 + 57, std::string(1, '\x18')},
    };
    TempDir dir;
    for (const auto& c : cases) {
        std::string bytes = SystemBytes(2, 3);
        bytes.replace(c.offset, c.bytes.size(), c.bytes);
        auto sys = Fresh();
        EXPECT_EQ(LoadBytes(dir, bytes, *sys), LoadSystemResult::Corrupt) << c.what;
        EXPECT_EQ(sys->list.count(), 0) << c.what;
        EXPECT_EQ(ReadAll(dir.file("t.lpc")), bytes) << c.what;
    }
    // A flag byte other than 1 does not choose its number; a fixed entry past the count is dropped.
    std::string bytes = SystemBytes(2, 0);
    bytes[1441 + 4] = 2;
    bytes[1531 + 5] = static_cast<char>(200);
    auto sys = Fresh();
    ASSERT_EQ(LoadBytes(dir, bytes, *sys), LoadSystemResult::Ok);
    EXPECT_FALSE(sys->forecast.isChosen(5));
    EXPECT_EQ(sys->forecast.fixed[5], 0);
}

TEST(SystemFile, AFullListLoadsAndOneMoreDoesNot) {
    TempDir dir;
    Bytes play;
    AppendPlay(play, Plays[0]);
    std::string header = SystemBytes(2, 0, true, 2, PlayList::Capacity);
    std::string full = header;
    full.reserve(header.size() + 64u * (PlayList::Capacity + 1));
    for (int i = 0; i < PlayList::Capacity; ++i) full += play.s;
    auto sys = Fresh();
    ASSERT_EQ(LoadBytes(dir, full, *sys), LoadSystemResult::Ok);
    EXPECT_EQ(sys->list.count(), PlayList::Capacity);
    EXPECT_EQ(sys->list.play(PlayList::Capacity).wheels, Plays[0].mask);

    std::string over = SystemBytes(2, 0, true, 2, PlayList::Capacity + 1) + full.substr(header.size()) + play.s;
    EXPECT_EQ(LoadBytes(dir, over, *sys), LoadSystemResult::Corrupt);
    EXPECT_EQ(sys->list.count(), 0);
}

TEST(SystemFile, RandomBytesNeverBreakTheReader) {
    TempDir dir;
    std::mt19937 rng(2024);
    auto sys = Fresh();
    const std::string valid = SystemBytes(2, 3);
    for (int round = 0; round < 400; ++round) {
        std::string bytes;
        if (round % 2 == 0) {
            std::uniform_int_distribution<int> len(0, 3000), byte(0, 255);
            bytes.resize(static_cast<std::size_t>(len(rng)));
            for (char& c : bytes) c = static_cast<char>(byte(rng));
            if (!bytes.empty()) bytes[0] = static_cast<char>(round % 3);
        } else {
            // A valid file with a few bytes flipped.
            bytes = valid;
            std::uniform_int_distribution<std::size_t> at(0, bytes.size() - 1);
            std::uniform_int_distribution<int> byte(0, 255);
            for (int k = 0; k < 4; ++k) bytes[at(rng)] = static_cast<char>(byte(rng));
        }
        LoadSystemResult r = LoadBytes(dir, bytes, *sys);
        ASSERT_GE(sys->list.count(), 0);
        ASSERT_LE(sys->list.count(), PlayList::Capacity);
        ASSERT_GE(sys->forecast.fixedCount, 0);
        ASSERT_LE(sys->forecast.fixedCount, 9);
        if (r == LoadSystemResult::Ok) {
            // What loads saves to the same content.
            auto again = Fresh();
            ASSERT_EQ(LoadSystemImage(SystemFileImage(*sys), *again), LoadSystemResult::Ok);
            EXPECT_EQ(SystemFileImage(*again), SystemFileImage(*sys));
        } else {
            EXPECT_EQ(sys->list.count(), 0);
        }
    }
}

// A real full disk needs a file size limit, which only Linux gives a process.
#ifdef __linux__
TEST(SystemFile, AFailedSaveLeavesThePreviousFile) {
    TempDir dir;
    const std::string path = dir.file("Sistema1.lpc");
    auto sys = Fresh();
    ASSERT_TRUE(SaveSystem(path, *sys));
    const std::string before = ReadAll(path);
    ASSERT_EQ(before.size(), 2268u);

    for (int k = 0; k < 50; ++k) {
        Play p;
        p.setNumbers({1 + k});
        p.stakes[0] = 1;
        AddOrReplacePlay(sys->list, p);
    }

    // Make every write past 1000 bytes fail for real.
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = SaveSystem(path, *sys);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadAll(path), before) << "the previous file must stay byte for byte";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        ++files;
        EXPECT_EQ(entry.path().filename().string(), "Sistema1.lpc") << "no temporary file may stay";
    }
    EXPECT_EQ(files, 1);

    // With room again the same save works.
    ASSERT_TRUE(SaveSystem(path, *sys));
    EXPECT_EQ(FileSize(path), 2268 + 50 * 64);
}
#endif

TEST(SystemFile, SaveIntoAMissingFolderFails) {
    TempDir dir;
    auto sys = Fresh();
    EXPECT_FALSE(SaveSystem(dir.file("no/such/folder/x.lpc"), *sys));
}

TEST(SystemFile, DefaultPathTakesTheFirstFreeNumber) {
    TempDir dir;
    EXPECT_EQ(DefaultSystemPath(dir.path()), dir.file("Sistema1.lpc"));
    WriteAll(dir.file("Sistema1.lpc"), "x");
    WriteAll(dir.file("Sistema2.lpc"), "x");
    EXPECT_EQ(DefaultSystemPath(dir.path()), dir.file("Sistema3.lpc"));
    WriteAll(dir.file("Sistema4.lpc"), "x");
    EXPECT_EQ(DefaultSystemPath(dir.path()), dir.file("Sistema3.lpc"));
    for (int n = 1; n <= 100; ++n) WriteAll(dir.file("Sistema" + std::to_string(n) + ".lpc"), "x");
    EXPECT_EQ(DefaultSystemPath(dir.path()), dir.file("Sistema101.lpc"));
}

TEST(SystemFile, NewSystemEmptiesOnlyThePlaysAndTheForecast) {
    auto sys = Fresh();
    Play p;
    p.setNumbers({4, 5});
    AddOrReplacePlay(sys->list, p);
    AddOrReplacePlay(sys->undo, p);
    sys->forecast.setChosen(4, true);
    sys->forecast.fixed[0] = 4;
    sys->forecast.fixedCount = 1;
    sys->customProbabilities[3] = 12.5;
    sys->currentPath = "/x/Sistema7.lpc";
    sys->modified = true;
    NewSystem(*sys);
    EXPECT_EQ(sys->list.count(), 0);
    EXPECT_EQ(sys->list.play(1), Play{}) << "the whole play array is zeroed";
    EXPECT_EQ(sys->forecast.chosenCount(), 0);
    EXPECT_EQ(sys->forecast.fixedCount, 0);
    EXPECT_EQ(sys->forecast.fixed[0], 0);
    EXPECT_EQ(sys->undo.count(), 1);
    EXPECT_EQ(sys->customProbabilities[3], 12.5);
    EXPECT_EQ(sys->currentPath, "/x/Sistema7.lpc");
    EXPECT_TRUE(sys->modified);
}

TEST(SystemFile, MessagesAndCaptions) {
    EXPECT_STREQ(UnsavedSystemQuestion, "Il sistema attuale non è stato salvato!\rVuoi salvarlo ?");
    EXPECT_STREQ(OpenSystemErrorMessage, "Si è verificato un errore durante l'apertura del sistema.");
    EXPECT_STREQ(SaveSystemErrorMessage, "Si è verificato un errore durante il salvataggio del sistema!\r"
                                         "Impossibile scrivere sul disco.\rIl sistema non è stato salvaro");
    EXPECT_STREQ(NoPlaysToDeleteMessage, "Non ci sono giocate da eliminare!");
    EXPECT_STREQ(DeleteAllPlaysQuestion, "Sei sicuro di voler eliminare tutte le giocate ?");
    EXPECT_STREQ(NoPlaysToRestoreMessage, "Non ci sono giocate da ripristinare!");
    EXPECT_EQ(UndoQuestion(0, 12), "Sostituire le attuali 0 giocate con le 12 vecchie giocate ?");
    EXPECT_EQ(SystemWindowTitle(std::string("dir") + static_cast<char>(std::filesystem::path::preferred_separator) +
                                "Sistema3.lpc"),
              "Numora - [Sistema3.lpc]");
    EXPECT_EQ(SaveMenuCaption("Sistema3.lpc"), "Salva Sistema3.lpc");
}
