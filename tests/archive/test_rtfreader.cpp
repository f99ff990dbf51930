#include "archive/RtfReader.h"

#include <gtest/gtest.h>

#include <random>

using namespace numora;

namespace {

// The runs of all paragraphs, for tests that look at one attribute.
std::vector<RtfRun> Runs(const RtfDocument& d) {
    std::vector<RtfRun> out;
    for (const auto& p : d.paragraphs) out.insert(out.end(), p.runs.begin(), p.runs.end());
    return out;
}

// The run holding the character c.
const RtfRun* RunHolding(const RtfDocument& d, char c) {
    for (const auto& p : d.paragraphs)
        for (const auto& r : p.runs)
            if (r.text.find(c) != std::string::npos) return &r;
    return nullptr;
}

const RtfRun* RunWith(const RtfDocument& d, const std::string& text) {
    for (const auto& p : d.paragraphs)
        for (const auto& r : p.runs)
            if (r.text == text) return &r;
    return nullptr;
}

} // namespace

TEST(RtfReader, AWordPadMessage) {
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1 Tahoma;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}\r\n"
        "{\\*\\generator Riched20 10.0.19041}{\\info{\\title Avviso}{\\author Varnel}}\\viewkind4\\uc1\r\n"
        "\\pard\\qc\\b\\f0\\fs28 Aggiornamento\\b0\\par\r\n"
        "\\pard\\fs20 Testo \\i corsivo\\i0 , \\ul sottolineato\\ulnone  e \\cf1 rosso\\cf0 .\\par\r\n"
        "\\cf2 verde\\line a capo\\tab dopo\\par\r\n"
        "}\r\n";
    const RtfDocument d = ReadRtf(rtf);
    ASSERT_TRUE(d.isRtf);
    EXPECT_EQ(RtfPlainText(d), "Aggiornamento\nTesto corsivo, sottolineato e rosso.\nverde\na capo\tdopo");
    ASSERT_EQ(d.paragraphs.size(), 3u);
    EXPECT_EQ(d.paragraphs[0].alignment, RtfAlignment::Center);
    EXPECT_EQ(d.paragraphs[1].alignment, RtfAlignment::Left);

    const RtfRun* title = RunWith(d, "Aggiornamento");
    ASSERT_TRUE(title);
    EXPECT_TRUE(title->format.bold);
    EXPECT_EQ(title->format.halfPoints, 28);
    const RtfRun* italic = RunWith(d, "corsivo");
    ASSERT_TRUE(italic);
    EXPECT_TRUE(italic->format.italic);
    EXPECT_FALSE(italic->format.bold);
    EXPECT_EQ(italic->format.halfPoints, 20);
    const RtfRun* under = RunWith(d, "sottolineato");
    ASSERT_TRUE(under);
    EXPECT_TRUE(under->format.underline);
    const RtfRun* red = RunWith(d, "rosso");
    ASSERT_TRUE(red);
    ASSERT_TRUE(red->format.color);
    EXPECT_EQ(*red->format.color, (RtfColor{255, 0, 0}));
    const RtfRun* after = RunWith(d, ".");
    ASSERT_TRUE(after);
    EXPECT_FALSE(after->format.color) << "\\cf0 is the viewer's own colour";
    ASSERT_FALSE(d.paragraphs[2].runs.empty());
    ASSERT_TRUE(d.paragraphs[2].runs[0].format.color);
    EXPECT_EQ(*d.paragraphs[2].runs[0].format.color, (RtfColor{0, 128, 0}));
}

TEST(RtfReader, Characters) {
    struct Case {
        const char* name;
        std::string body; // inside {\rtf1 ... }
        std::string text;
    };
    const Case cases[] = {
        {"cp1252 escapes", "citt\\'e0 \\'80 \\'93x\\'94", "citt\xC3\xA0 \xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D"},
        {"undefined cp1252", "\\'81", "\xEF\xBF\xBD"},
        {"a bad hex escape drops only the escape", "a\\'zzb", "azzb"},
        {"unicode with fallback", "\\u8364?uro",
         "\xE2\x82\xAC"
         "uro"},
        {"uc0 has no fallback", "\\uc0\\u8364 x",
         "\xE2\x82\xAC"
         "x"},
        {"uc2 skips two", "\\uc2\\u8364 xyz",
         "\xE2\x82\xAC"
         "z"},
        {"hex escape as fallback", "\\u233\\'e9t\\'e9", "\xC3\xA9t\xC3\xA9"},
        {"negative unicode", "\\u-4064?", "\xEF\x80\xA0"},
        {"surrogate pair", "\\u-10179?\\u-8704?", "\xF0\x9F\x98\x80"},
        {"lone surrogate", "\\u-10179?x", "\xEF\xBF\xBDx"},
        {"escaped specials", "\\\\ \\{ \\}", "\\ { }"},
        {"non-breaking space and hyphens", "a\\~b\\-c\\_d",
         "a\xC2\xA0"
         "bc\xE2\x80\x91"
         "d"},
        {"named punctuation", "\\lquote a\\rquote  \\emdash",
         "\xE2\x80\x98"
         "a\xE2\x80\x99 \xE2\x80\x94"},
        {"line ends in the source are not text", "a\r\nb", "ab"},
        {"hidden destinations",
         "{\\*\\unknown x}{\\stylesheet{\\s0 Normal;}}{\\pict\\pngblip 89504e}a{\\*\\bkmkstart b}", "a"},
        {"field result kept, instruction dropped", "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt sito}}", "sito"},
        {"binary data skipped", "a\\bin3 {}\\b", "ab"},
        {"backslash newline is a paragraph", "a\\\nb", "a\nb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RtfPlainText(ReadRtf("{\\rtf1\\ansi " + c.body + "}")), c.text);
    }
}

TEST(RtfReader, GroupsAndResets) {
    const RtfDocument d =
        ReadRtf("{\\rtf1{\\b\\i\\fs40 a}b\\b c\\plain d\\b1 e\\b0 f{\\cf9 g}\\fs99999 h\\fs0 i\\fs-5 j}");
    auto fmt = [&](char t) {
        const RtfRun* r = RunHolding(d, t);
        EXPECT_TRUE(r) << t;
        return r ? r->format : RtfCharFormat{};
    };
    EXPECT_TRUE(fmt('a').bold);
    EXPECT_TRUE(fmt('a').italic);
    EXPECT_EQ(fmt('a').halfPoints, 40);
    EXPECT_FALSE(fmt('b').bold) << "a group's end restores the format";
    EXPECT_EQ(fmt('b').halfPoints, 24);
    EXPECT_TRUE(fmt('c').bold);
    EXPECT_FALSE(fmt('d').bold) << "\\plain";
    EXPECT_TRUE(fmt('e').bold);
    EXPECT_FALSE(fmt('f').bold);
    EXPECT_FALSE(fmt('g').color) << "a colour index past the table";
    EXPECT_EQ(fmt('h').halfPoints, 288);
    EXPECT_EQ(fmt('i').halfPoints, 24);
    EXPECT_EQ(fmt('j').halfPoints, 24);
}

TEST(RtfReader, ParagraphsAndAlignment) {
    const RtfDocument d = ReadRtf("{\\rtf1\\qr destra\\par\\pard sinistra\\par\\qj giustificato\\par\\par}");
    ASSERT_EQ(d.paragraphs.size(), 4u);
    EXPECT_EQ(d.paragraphs[0].alignment, RtfAlignment::Right);
    EXPECT_EQ(d.paragraphs[1].alignment, RtfAlignment::Left);
    EXPECT_EQ(d.paragraphs[2].alignment, RtfAlignment::Justify);
    EXPECT_TRUE(d.paragraphs[3].runs.empty()) << "an empty paragraph stays; the final mark opens none";
    EXPECT_EQ(ReadRtf("{\\rtf1 a}").paragraphs.size(), 1u);
    EXPECT_EQ(ReadRtf("{\\rtf1 }").paragraphs.size(), 1u);
}

TEST(RtfReader, BytesThatAreNotRtfArePlainText) {
    const RtfDocument latin = ReadRtf("Prima riga\r\nSeconda \xE8\nTerza");
    EXPECT_FALSE(latin.isRtf);
    EXPECT_EQ(RtfPlainText(latin), "Prima riga\nSeconda \xC3\xA8\nTerza");
    EXPECT_EQ(RtfPlainText(ReadRtf("gi\xC3\xA0 {\\b no}")), "gi\xC3\xA0 {\\b no}");
    EXPECT_TRUE(ReadRtf("\xEF\xBB\xBF {\\rtf1 x}").isRtf);
}

TEST(RtfReader, HostileInputEndsWithADocument) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"a million open groups", "{\\rtf1 " + std::string(1000000, '{') + "x", "x"},
        {"deep groups closed again", "{\\rtf1 " + std::string(5000, '{') + "\\b x" + std::string(5000, '}') + "y}",
         "xy"},
        {"stray closing braces", "{\\rtf1 a}}}}}b", "ab"},
        {"binary length past the end", "{\\rtf1 a\\bin999999999999 {}}", "a"},
        {"negative binary length", "{\\rtf1 a\\bin-5 b}", "ab"},
        {"endless control word", "{\\rtf1 \\" + std::string(100000, 'b') + " x}", "x"},
        {"endless parameter", "{\\rtf1 \\fs" + std::string(100000, '9') + " x}", "x"},
        {"truncated escape", "{\\rtf1 x\\", "x"},
        {"truncated hex", "{\\rtf1 x\\'4", "x4"},
        {"truncated unicode", "{\\rtf1 x\\u", "x"},
        {"huge unicode", "{\\rtf1 \\u99999999999?x}", "\xEF\xBF\xBFx"},
        {"colour table without end", "{\\rtf1{\\colortbl\\red999\\green-1" + std::string(10000, ';'), ""},
        {"nul bytes", std::string("{\\rtf1 a\0b}", 11), "ab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RtfDocument d = ReadRtf(c.bytes);
        EXPECT_EQ(RtfPlainText(d), c.text);
    }
}

TEST(RtfReader, RandomTokenSoupNeverFails) {
    static const std::vector<std::string> tokens = {
        "{",     "}",      "\\b",    "\\b0",        "\\i",   "\\ul",  "\\cf",       "\\cf3",  "\\fs",     "\\fs-1",
        "\\par", "\\line", "\\tab",  "\\'",         "\\'e",  "\\'e8", "\\u",        "\\u-1",  "\\u55357", "\\uc5",
        "\\*",   "\\bin",  "\\bin4", "{\\colortbl", "\\red", ";",     "{\\fonttbl", "\\pard", "\\qc",     "\\",
        " ",     "x",      "\xE8",   "\r\n",        "\\\\",  "\\{",   "\\plain"};
    std::mt19937 rng(12345);
    for (int round = 0; round < 3000; ++round) {
        std::string s = "{\\rtf1 ";
        const int n = static_cast<int>(rng() % 60);
        for (int i = 0; i < n; ++i) s += tokens[rng() % tokens.size()];
        const RtfDocument d = ReadRtf(s);
        ASSERT_FALSE(d.paragraphs.empty()) << s;
        // Every input character yields at most one character of at most four bytes.
        ASSERT_LE(RtfPlainText(d).size(), 4 * s.size() + d.paragraphs.size()) << s;
        for (const RtfRun& r : Runs(d)) ASSERT_TRUE(r.format.halfPoints >= 2 && r.format.halfPoints <= 288) << s;
    }
}
