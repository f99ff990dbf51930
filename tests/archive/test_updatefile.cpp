#include "archive/DrawUpdateFile.h"
#include "archive/DrawUpdateReply.h"
#include "archive/UpdateTestData.h"
#include "core/Settings.h"

#include <gtest/gtest.h>

#include <random>

using namespace numora;
using numora::test::SyntheticDraws;

namespace {

std::string FileOf(int count, std::size_t extra = 0, char fill = 'x') {
    return BuildUpdateFile(SyntheticDraws(count), std::string(extra, fill));
}

} // namespace

struct SizeCase {
    const char* name;
    std::string bytes;
    UpdateFileError error;
    bool hasMessage;
    std::size_t messageSize;
};

TEST(UpdateFile, CountSizeAndMessageEdges) {
    std::string truncated = FileOf(60);
    truncated.pop_back();
    std::string noCount = FileOf(60).substr(0, 1);
    const std::size_t body60 = 2 + 60 * DrawRecord::Size;
    const SizeCase cases[] = {
        {"empty", std::string(), UpdateFileError::NoCount, false, 0},
        {"one byte", noCount, UpdateFileError::NoCount, false, 0},
        {"49 draws", FileOf(49), UpdateFileError::TooFewDraws, false, 0},
        {"49 draws with room for 50", FileOf(49, 60), UpdateFileError::TooFewDraws, false, 0},
        {"50 draws", FileOf(50), UpdateFileError::None, false, 0},
        {"one byte short", truncated, UpdateFileError::Truncated, false, 0},
        {"10 bytes after the draws", FileOf(60, 10), UpdateFileError::None, false, 0},
        {"11 bytes after the draws", FileOf(60, 11), UpdateFileError::None, true, 11},
        {"exactly 32768 bytes", FileOf(60, MaxUpdateFileSize - body60), UpdateFileError::None, true,
         MaxUpdateFileSize - body60},
        {"32769 bytes", FileOf(60, MaxUpdateFileSize - body60 + 1), UpdateFileError::TooLarge, false, 0},
        {"546 draws fill the limit", FileOf(546), UpdateFileError::None, false, 0},
    };
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const UpdateFileContent r = ReadUpdateFile(c.bytes);
        EXPECT_EQ(r.error, c.error);
        EXPECT_EQ(r.hasMessage, c.hasMessage);
        EXPECT_EQ(r.message.size(), c.messageSize);
        if (r.ok()) {
            EXPECT_EQ(r.draws.size(),
                      static_cast<std::size_t>(c.bytes[0] & 0xFF) + 256u * static_cast<unsigned char>(c.bytes[1]));
        } else {
            EXPECT_TRUE(r.draws.empty());
            EXPECT_FALSE(r.reason.empty());
        }
    }
}

TEST(UpdateFile, RoundTripKeepsEveryByteAndTheMessage) {
    auto draws = SyntheticDraws(60, 9);
    draws[3].reserved = 200;
    draws[10].setNumber(11, 0, 0); // a wheel not drawn that day
    const std::string message = "{\\rtf1 Buongiorno}";
    const UpdateFileContent r = ReadUpdateFile(BuildUpdateFile(draws, message));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.draws, draws);
    EXPECT_TRUE(r.hasMessage);
    EXPECT_EQ(r.message, message);
}

TEST(UpdateFile, ABadDrawAnywhereRefusesTheWholeFile) {
    struct Case {
        const char* name;
        int day, month, year;
        std::uint8_t number;
        UpdateFileError error;
    };
    const Case cases[] = {
        {"31 February", 31, 2, 2005, 1, UpdateFileError::BadDate},
        {"29 February of a common year", 29, 2, 2005, 1, UpdateFileError::BadDate},
        {"29 February of a leap year", 29, 2, 2004, 1, UpdateFileError::None},
        {"31 April", 31, 4, 2021, 1, UpdateFileError::BadDate},
        {"day 0", 0, 5, 2021, 1, UpdateFileError::BadDate},
        {"month 13", 1, 13, 2021, 1, UpdateFileError::BadDate},
        {"year 1899", 1, 1, 1899, 1, UpdateFileError::BadDate},
        {"year 2101", 1, 1, 2101, 1, UpdateFileError::BadDate},
        {"year 2100", 31, 12, 2100, 1, UpdateFileError::None},
        {"number 91", 1, 1, 2021, 91, UpdateFileError::BadNumber},
        {"number 255", 1, 1, 2021, 255, UpdateFileError::BadNumber},
        {"number 90", 1, 1, 2021, 90, UpdateFileError::None},
        {"number 0 (wheel not drawn)", 1, 1, 2021, 0, UpdateFileError::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto draws = SyntheticDraws(60);
        DrawRecord& bad = draws[41]; // dates stay unique: the synthetic ones start in 2020
        bad.day = static_cast<std::uint8_t>(c.day);
        bad.month = static_cast<std::uint8_t>(c.month);
        bad.year = static_cast<std::uint16_t>(c.year);
        bad.setNumber(7, 4, c.number);
        const UpdateFileContent r = ReadUpdateFile(BuildUpdateFile(draws, std::string(40, 'm')));
        EXPECT_EQ(r.error, c.error);
        if (c.error != UpdateFileError::None) {
            EXPECT_EQ(r.badDraw, 42);
            EXPECT_TRUE(r.draws.empty());
            EXPECT_FALSE(r.hasMessage) << "a refused file gives no message either";
        }
    }
}

TEST(UpdateMerge, CountsNewDrawsAndOverwritesKnownOnes) {
    const auto all = SyntheticDraws(103, 3);
    DrawArchive archive;
    test::FillArchive(archive, std::vector<DrawRecord>(all.begin(), all.begin() + 100));
    // The file: draws 44..103, the 57 already archived in a corrected version, in any order.
    std::vector<DrawRecord> update;
    for (int i = 43; i < 103; ++i)
        update.push_back(i < 100 ? test::Corrected(all[static_cast<std::size_t>(i)])
                                 : all[static_cast<std::size_t>(i)]);
    std::shuffle(update.begin(), update.end(), std::mt19937(5));

    const UpdateMergeResult r = MergeUpdateDraws(update, archive);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.newDraws, 3);
    EXPECT_EQ(r.replaced, 57);
    ASSERT_EQ(archive.count(), 103);
    for (int i = 1; i <= 103; ++i) {
        const DrawRecord& original = all[static_cast<std::size_t>(i - 1)];
        const DrawRecord expected = (i >= 44 && i <= 100) ? test::Corrected(original) : original;
        EXPECT_EQ(archive.draw(i), expected) << "draw " << i;
    }
}

TEST(UpdateMerge, AStoredDrawIsNeverReplacedByOneWithFewerDrawnWheels) {
    // The wheel left empty in the stored draw and in the update's draw of its date (0: none;
    // 12: one zero on every wheel).
    const struct {
        const char* name;
        int storedEmpty, updateEmpty;
        bool applied;
    } cases[] = {
        {"a zero on every wheel", 0, 12, false}, {"national wheel dropped", 0, 11, false},
        {"one wheel for another", 11, 10, true}, {"national wheel added", 11, 0, true},
        {"numbers corrected", 0, 0, true},
    };
    const auto draws = SyntheticDraws(60, 6);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DrawArchive archive;
        test::FillArchive(archive, draws);
        DrawRecord update = test::Corrected(draws[29]);
        for (int w = 1; w <= 11; ++w) {
            for (int k = 0; k < 5 && w == c.storedEmpty; ++k) archive.draw(30).setNumber(w, k, 0);
            if (w == c.updateEmpty || c.updateEmpty == 12) update.setNumber(w, 4, 0);
        }
        const DrawArchive before = archive;
        const UpdateMergeResult r = MergeUpdateDraws({draws[28], update}, archive);
        EXPECT_TRUE(r.ok && r.newDraws == 0 && r.changed == c.applied && r.refused == int(!c.applied));
        EXPECT_EQ(r.replaced, int(c.applied)) << "draw 29 is stored as it was: not a change";
        EXPECT_EQ(archive.draw(30), c.applied ? update : before.draw(30));
        EXPECT_EQ(archive.draw(29), draws[28]);
    }
}

TEST(UpdateMerge, ArchiveWithoutRoomFailsWithoutCountingAnything) {
    const auto all = SyntheticDraws(DrawArchive::Capacity + 2, 4);
    DrawArchive archive;
    test::FillArchive(archive, std::vector<DrawRecord>(all.begin(), all.end() - 3));
    const std::vector<DrawRecord> update(all.end() - 60, all.end());
    const UpdateMergeResult r = MergeUpdateDraws(update, archive);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.newDraws, 0);
    EXPECT_NE(r.error.find("10000"), std::string::npos);
}

TEST(UpdateReply, Classification) {
    struct Case {
        const char* name;
        std::string reply;
        UpdateReplyKind kind;
        std::string prefix, target, parameters, text;
    };
    using K = UpdateReplyKind;
    const Case cases[] = {
        {"prefix", "http://srv/files/", K::FilePrefix, "http://srv/files/", "", "", ""},
        {"prefix with line end", "http://srv/files/\r\n", K::FilePrefix, "http://srv/files/", "", "", ""},
        {"https prefix", "https://srv/f/", K::FilePrefix, "https://srv/f/", "", "", ""},
        {"HTTP in capitals is no prefix", "HTTP://srv/", K::Other, "", "", "", "HTTP://srv/"},
        {"blank before http", " http://srv/", K::Other, "", "", "", " http://srv/"},
        {"AA notice with text", "AAhttp://www.varnel.it/nuovoAAgrazie", K::Notice, "", "http://www.varnel.it/nuovo", "",
         "grazie"},
        {"mixed-case markers", "aAdocAaciao", K::Notice, "", "doc", "", "ciao"},
        {"bb parameters, no text", "aadocbbparambbaa", K::Notice, "", "doc", "param", ""},
        {"BB in capitals are part of the target", "aadocBBparamBBaa", K::Notice, "", "docBBparamBB", "", ""},
        {"a single bb is part of the target", "aawebbing.itaatesto", K::Notice, "", "webbing.it", "", "testo"},
        {"empty target", "aaaagrazie", K::Notice, "", "", "", "grazie"},
        {"empty parameters", "aadocbbbbaa", K::Notice, "", "doc", "", ""},
        {"no closing marker", "aadoc", K::Other, "", "", "", "aadoc"},
        {"lone aa", "aa", K::Other, "", "", "", "aa"},
        {"plain text", "Server in manutenzione", K::Other, "", "", "", "Server in manutenzione"},
        {"the first aa closes the target", "aahttp://x/casaaagrazie", K::Notice, "", "http://x/cas", "", "agrazie"},
        {"empty reply", "", K::Other, "", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const UpdateReply r = ClassifyUpdateReply(c.reply);
        EXPECT_EQ(r.kind, c.kind);
        EXPECT_EQ(r.prefix, c.prefix);
        EXPECT_EQ(r.target, c.target);
        EXPECT_EQ(r.parameters, c.parameters);
        EXPECT_EQ(r.text, c.text);
    }
}

TEST(UpdateReply, ProxyPortRule) {
    const std::pair<const char*, int> cases[] = {
        {"", 8080},  {"3128", 3128}, {" 3128 ", 3128}, {"abc", 8080},   {"80a", 8080},    {"-1", 8080},
        {"0", 8080}, {"1", 1},       {"65535", 65535}, {"65536", 8080}, {"999999", 8080}, {"0080", 80},
    };
    for (const auto& [text, port] : cases) EXPECT_EQ(ProxyPortNumber(text), port) << '"' << text << '"';
}

TEST(UpdateReply, ServerBaseAndReplyText) {
    EXPECT_EQ(UpdateServerBase(""), DefaultUpdateServer);
    EXPECT_EQ(UpdateServerBase("http://127.0.0.1:8000"), "http://127.0.0.1:8000/");
    EXPECT_EQ(UpdateServerBase(" http://h/numora/ "), "http://h/numora/");
    EXPECT_EQ(ReplyTextFromBytes("aahttp://x/aaL'archivio \xE8 aggiornato \x80"),
              "aahttp://x/aaL'archivio \xC3\xA8 aggiornato \xE2\x82\xAC");
    EXPECT_EQ(ReplyTextFromBytes("gi\xC3\xA0"), "gi\xC3\xA0");
}
