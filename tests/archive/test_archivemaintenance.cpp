#include "archive/ArchiveMaintenance.h"
#include "archive/DrawEntry.h"
#include "core/FileIo.h"
#include "core/TextHelpers.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using namespace numora;
using numora::test::TempDir;

namespace {

// Draw i of a test archive: 10/6/(2000 + i), five distinct numbers on every wheel that tell
// the draw, the wheel and the position apart.
DrawRecord TestDraw(int i) {
    DrawRecord d;
    d.day = 10;
    d.month = 6;
    d.year = static_cast<std::uint16_t>(2000 + i);
    for (int w = 1; w <= WheelCount; ++w)
        for (int k = 0; k < NumbersPerWheel; ++k)
            d.setNumber(w, k, static_cast<std::uint8_t>((i * 7 + w * 13 + k * 17) % 90 + 1));
    return d;
}

DrawArchive TestArchive(int n) {
    DrawArchive a;
    for (int i = 1; i <= n; ++i) a.draw(i) = TestDraw(i);
    a.setCount(n);
    return a;
}

DrawEntryText FilledEntry(const std::string& date = "15/7/2003") {
    DrawEntryText t = EntryTextOf(TestDraw(3));
    t.date = date;
    return t;
}

bool SameDraws(const DrawArchive& a, const DrawArchive& b) {
    if (a.count() != b.count()) return false;
    for (int i = 1; i <= a.count(); ++i)
        if (!(a.draw(i) == b.draw(i))) return false;
    return true;
}

} // namespace

TEST(BuildDrawRecord, PlacesEveryCellAtItsByteAndLeavesTheReservedByteZero) {
    DrawEntryText t;
    t.date = " 5/03/2004 ";
    for (int w = 1; w <= WheelCount; ++w)
        for (int k = 0; k < NumbersPerWheel; ++k) t.cell(w, k) = std::to_string(w + 11 * k);
    t.cell(4, 2) = " 07 ";
    const DrawEntryResult r = BuildDrawRecord(t);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.fault, DrawEntryFault::None);
    EXPECT_EQ(r.record.day, 5);
    EXPECT_EQ(r.record.month, 3);
    EXPECT_EQ(r.record.year, 2004);
    EXPECT_EQ(r.record.reserved, 0);
    std::uint8_t bytes[DrawRecord::Size];
    r.record.toBytes(bytes);
    for (int w = 1; w <= WheelCount; ++w)
        for (int k = 0; k < NumbersPerWheel; ++k) {
            const int expected = (w == 4 && k == 2) ? 7 : w + 11 * k;
            EXPECT_EQ(bytes[k * 11 + (w - 1)], expected) << "wheel " << w << " position " << k;
        }
}

TEST(BuildDrawRecord, RefusesDatesParseDateRefuses) {
    for (const char* date : {"", "30/06", "30-06-2003", "0/6/2003", "32/1/2005", "1/13/2005", "1/0/2005", "a/b/c",
                             "1/1/1899", "1/1/2101", "/6/2003", "30//2003", "30/6/"}) {
        const DrawEntryResult r = BuildDrawRecord(FilledEntry(date));
        EXPECT_FALSE(r.ok) << date;
        EXPECT_EQ(r.fault, DrawEntryFault::Date) << date;
        EXPECT_EQ(r.message, InvalidDateMessage) << date;
    }
    EXPECT_EQ(std::string(InvalidDateMessage),
              "La data inserita non è valida. Usare il formato gg/mm/aaaa (es: 30/06/2003)");
}

TEST(BuildDrawRecord, LeavesTheCalendarToInsertDraw) {
    // 31/02 passes the entry checks; the archive is what refuses it.
    const DrawEntryResult r = BuildDrawRecord(FilledEntry("31/02/2005"));
    ASSERT_TRUE(r.ok);
    DrawArchive a = TestArchive(3);
    try {
        InsertDraw(a, r.record);
        FAIL() << "31/2/2005 accepted";
    } catch (const ArchiveError& e) {
        EXPECT_STREQ(e.what(), "La data 31/2/2005 non esiste.");
    }
    EXPECT_TRUE(SameDraws(a, TestArchive(3)));
}

TEST(BuildDrawRecord, RefusesACellOutsideOneToNinetyWithItsWheelsMessage) {
    struct Case {
        int wheel;
        int pos;
        const char* text;
        const char* message;
    } cases[] = {
        {1, 0, "0", "La ruota \"Bari\" contiene dei valori non validi!"},
        {2, 4, "91", "La ruota \"Cagliari\" contiene dei valori non validi!"},
        {8, 2, "257", "La ruota \"Roma\" contiene dei valori non validi!"},
        {10, 1, "", "La ruota \"Venezia\" contiene dei valori non validi!"},
        {11, 3, "  ", "La ruota \"R. Nazionale\" contiene dei valori non validi!"},
        {5, 0, "-4", "La ruota \"Milano\" contiene dei valori non validi!"},
        {6, 0, "4x", "La ruota \"Napoli\" contiene dei valori non validi!"},
        {7, 0, "1 2", "La ruota \"Palermo\" contiene dei valori non validi!"},
        {9, 0, "99999999999999999999999", "La ruota \"Torino\" contiene dei valori non validi!"},
    };
    for (const Case& c : cases) {
        DrawEntryText t = FilledEntry();
        t.cell(c.wheel, c.pos) = c.text;
        const DrawEntryResult r = BuildDrawRecord(t);
        EXPECT_FALSE(r.ok) << c.text;
        EXPECT_EQ(r.fault, DrawEntryFault::Value) << c.text;
        EXPECT_EQ(r.wheel, c.wheel) << c.text;
        EXPECT_EQ(r.position, c.pos) << c.text;
        EXPECT_EQ(r.message, c.message) << c.text;
    }
    // The limits themselves are numbers.
    DrawEntryText t = FilledEntry();
    t.cell(1, 0) = "1";
    t.cell(1, 1) = "90";
    t.cell(1, 2) = "045";
    EXPECT_TRUE(BuildDrawRecord(t).ok);
}

TEST(BuildDrawRecord, ReportsTheFirstFailingCheckInOrder) {
    struct Case {
        const char* name;
        std::function<void(DrawEntryText&)> spoil;
        DrawEntryFault fault;
        int wheel;
        int pos;
    } cases[] = {
        {"date before cells",
         [](DrawEntryText& t) {
             t.date = "x";
             t.cell(1, 0) = "";
         },
         DrawEntryFault::Date, 0, 0},
        {"wheel order beats position order",
         [](DrawEntryText& t) {
             t.cell(3, 0) = "";
             t.cell(2, 4) = "0";
         },
         DrawEntryFault::Value, 2, 4},
        {"position order inside a wheel",
         [](DrawEntryText& t) {
             t.cell(4, 3) = "";
             t.cell(4, 1) = "91";
         },
         DrawEntryFault::Value, 4, 1},
        {"values of a later wheel before repeats of an earlier one",
         [](DrawEntryText& t) {
             t.cell(1, 1) = t.cell(1, 0);
             t.cell(11, 4) = "";
         },
         DrawEntryFault::Value, 11, 4},
        {"first repeated wheel",
         [](DrawEntryText& t) {
             t.cell(9, 4) = t.cell(9, 0);
             t.cell(6, 3) = t.cell(6, 2);
         },
         DrawEntryFault::Repeated, 6, 3},
        {"repeat far apart", [](DrawEntryText& t) { t.cell(11, 4) = t.cell(11, 0); }, DrawEntryFault::Repeated, 11, 4},
    };
    for (const Case& c : cases) {
        DrawEntryText t = FilledEntry();
        c.spoil(t);
        const DrawEntryResult r = BuildDrawRecord(t);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_EQ(r.fault, c.fault) << c.name;
        EXPECT_EQ(r.wheel, c.wheel) << c.name;
        if (c.fault != DrawEntryFault::Date) {
            EXPECT_EQ(r.position, c.pos) << c.name;
        }
    }
    EXPECT_EQ(RepeatedNumbersMessage(6), "Alcuni numeri della ruota \"Napoli\" sono identici!");
    EXPECT_EQ(RepeatedNumbersMessage(11), "Alcuni numeri della ruota \"R. Nazionale\" sono identici!");
}

TEST(EntryTextOf, ShowsTheDateWithoutLeadingZerosAndRoundTrips) {
    DrawRecord d = TestDraw(4);
    d.day = 5;
    d.month = 3;
    const DrawEntryText t = EntryTextOf(d);
    EXPECT_EQ(t.date, "5/3/2004");
    const DrawEntryResult r = BuildDrawRecord(t);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.record, d);

    // An undrawn wheel shows empty cells, which an edit must fill before it is accepted.
    for (int k = 0; k < NumbersPerWheel; ++k) d.setNumber(11, k, 0);
    const DrawEntryText old = EntryTextOf(d);
    EXPECT_EQ(old.cell(11, 0), "");
    EXPECT_EQ(BuildDrawRecord(old).wheel, 11);
}

TEST(ReplaceDraw, MovesTheDrawToTheIndexOfItsNewDate) {
    struct Case {
        const char* name;
        int index;
        int day, month, year;
        int expectedIndex;
        int expectedCount;
    } cases[] = {
        {"between 3 and 4", 10, 15, 7, 2003, 4, 20},          {"same date stays", 10, 10, 6, 2010, 10, 20},
        {"after the last", 10, 1, 1, 2030, 20, 20},           {"before the first", 10, 1, 1, 1990, 1, 20},
        {"onto another draw's date", 10, 10, 6, 2003, 3, 19}, {"last onto first", 20, 1, 1, 1995, 1, 20},
    };
    for (const Case& c : cases) {
        DrawArchive a = TestArchive(20);
        DrawRecord edited = TestDraw(10);
        edited.setNumber(1, 0, 77);
        edited.day = static_cast<std::uint8_t>(c.day);
        edited.month = static_cast<std::uint8_t>(c.month);
        edited.year = static_cast<std::uint16_t>(c.year);
        const int j = ReplaceDraw(a, c.index, edited);
        EXPECT_EQ(j, c.expectedIndex) << c.name;
        EXPECT_EQ(a.count(), c.expectedCount) << c.name;
        EXPECT_EQ(a.draw(j), edited) << c.name;
        for (int i = 2; i <= a.count(); ++i)
            EXPECT_LT(a.draw(i - 1).year * 10000 + a.draw(i - 1).month * 100 + a.draw(i - 1).day,
                      a.draw(i).year * 10000 + a.draw(i).month * 100 + a.draw(i).day)
                << c.name << " order at " << i;
    }
}

TEST(ReplaceDraw, RefusedDateLeavesTheArchiveAsItWas) {
    DrawArchive a = TestArchive(20);
    DrawRecord edited = TestDraw(10);
    edited.day = 31;
    edited.month = 2;
    edited.year = 2005;
    EXPECT_THROW(ReplaceDraw(a, 10, edited), ArchiveError);
    EXPECT_TRUE(SameDraws(a, TestArchive(20)));

    // A bad date on the draw that becomes the last is refused as well, and nothing moves.
    DrawArchive b = TestArchive(5);
    b.draw(4).day = 30;
    b.draw(4).month = 2;
    const DrawArchive before = b;
    DrawRecord early = TestDraw(1);
    early.year = 1999;
    EXPECT_THROW(ReplaceDraw(b, 5, early), ArchiveError);
    EXPECT_TRUE(SameDraws(b, before));
}

TEST(ReplaceDraw, WorksOnAFullArchive) {
    DrawArchive a;
    for (int i = 1; i <= DrawArchive::Capacity; ++i) {
        DrawRecord d = TestDraw(1);
        d.year = static_cast<std::uint16_t>(1900 + (i - 1) / 336);
        d.month = static_cast<std::uint8_t>((i - 1) / 28 % 12 + 1);
        d.day = static_cast<std::uint8_t>((i - 1) % 28 + 1);
        a.draw(i) = d;
    }
    a.setCount(DrawArchive::Capacity);
    DrawRecord edited = a.draw(5000);
    edited.year = 2100;
    EXPECT_EQ(ReplaceDraw(a, 5000, edited), DrawArchive::Capacity);
    EXPECT_EQ(a.count(), DrawArchive::Capacity);
}

TEST(DeleteDrawRange, RemovesTheRangeAndMovesTheRestDown) {
    struct Case {
        int n, first, last, left;
    } cases[] = {{20, 5, 7, 17}, {20, 1, 20, 0}, {20, 20, 20, 19}, {1, 1, 1, 0}, {20, 1, 1, 19}, {20, 18, 25, 17}};
    for (const Case& c : cases) {
        DrawArchive a = TestArchive(c.n);
        DeleteDrawRange(a, c.first, c.last);
        ASSERT_EQ(a.count(), c.left) << c.first << ".." << c.last;
        const int removed = c.n - c.left;
        for (int i = 1; i <= a.count(); ++i)
            EXPECT_EQ(a.draw(i), TestDraw(i < c.first ? i : i + removed)) << c.first << ".." << c.last << " at " << i;
    }
}

TEST(ArchiveTexts, QuestionsNameTheDraws) {
    DrawRecord d = TestDraw(4);
    d.day = 5;
    d.month = 3;
    EXPECT_EQ(DeleteDrawQuestion(7, d), "Eliminare l'estrazione nº 7 del 5/3/2004 ?");
    EXPECT_EQ(DeleteRangeQuestion(5, 7), "Eliminare le estrazioni dalla nº 5 alla nº 7 ?");
    EXPECT_EQ(DrawReference(12, d), "nº 12 del 5/3/2004");
}

TEST(BackupFiles, CopyBothWaysAndRefuseWhatIsNotThere) {
    TempDir app, backup, empty;
    const std::string content = std::string(19, 'x') + std::string(120, 'd');
    ASSERT_TRUE(WriteFileAtomically(app.file(ArchiveFileName), content));

    // The folder may come with or without its final separator.
    std::string folder = backup.path();
    folder.pop_back();
    ASSERT_TRUE(BackupArchiveFile(app.path(), folder));
    EXPECT_EQ(numora::test::ReadAll(backup.file(ArchiveFileName)), content);

    EXPECT_FALSE(RestoreArchiveFile(empty.path(), app.path()));
    EXPECT_EQ(numora::test::ReadAll(app.file(ArchiveFileName)), content);
    EXPECT_FALSE(RestoreArchiveFile("", app.path()));
    EXPECT_FALSE(BackupArchiveFile(app.path(), ""));
    EXPECT_FALSE(BackupArchiveFile(app.path(), empty.path() + "missing" + "/sub"));
    EXPECT_FALSE(BackupArchiveFile(empty.path(), backup.path())) << "no archive to copy";

    const std::string other = std::string(19, 'y') + std::string(60, 'e');
    numora::test::WriteAll(backup.file(ArchiveFileName), other);
    ASSERT_TRUE(RestoreArchiveFile(folder, app.path()));
    EXPECT_EQ(numora::test::ReadAll(app.file(ArchiveFileName)), other);
}
