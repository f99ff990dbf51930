#include "core/FileIo.h"
#include "smorfia/SmorfiaTable.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace numora;
using numora::test::BinDir;
using numora::test::ReadAll;
using numora::test::TempDir;
using numora::test::WriteAll;

namespace {

std::vector<SmorfiaEntry> Entries(std::initializer_list<std::pair<int, const char*>> list) {
    std::vector<SmorfiaEntry> v;
    for (const auto& [n, utf8] : list) {
        std::string cp;
        EXPECT_TRUE(Utf8ToCp1252(utf8, cp)) << utf8;
        v.push_back({n, cp});
    }
    return v;
}

std::vector<int> Numbers(const std::vector<SmorfiaEntry>& e, const std::string& text) {
    std::vector<int> out;
    for (std::size_t i : SearchSmorfia(e, SearchTerms(text))) out.push_back(e[i].number);
    return out;
}

TEST(Smorfia, SearchOrders) {
    const auto e = Entries({{10, "i fagioli"},
                            {1, "l'italia"},
                            {21, "fagioli al forno"},
                            {15, "uno su 1000"},
                            {1, "il sole"},
                            {42, "il caffè"},
                            {70, "la città"},
                            {45, "vino e fagioli"}});
    struct Case {
        const char* text;
        std::vector<int> numbers;
    } cases[] = {
        // Matched at the start, most recent first, then the inner matches in file order.
        {"FAGIOLI", {21, 10, 45}},
        {"   fagioli    ", {21, 10, 45}},
        // The number matches exactly; 10..19 only through their text.
        {"1", {1, 1, 15}},
        {"01", {}},
        // One entry, two terms: listed once, decided by the first term that matches.
        {"sole il", {42, 1}},
        {"CITTÀ caffè", {42, 70}},
        {"nessuno", {}},
        {"€", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(Numbers(e, c.text), c.numbers) << c.text;
    EXPECT_TRUE(SearchTerms("   ").empty());
}

TEST(Smorfia, Windows1252AtTheFileBoundary) {
    // Letters with a capital in the code page compare as it; ß and µ as they are.
    const auto e = Entries({{1, "città"}, {2, "€ œuvre ’"}, {3, "straße"}, {4, "µ"}, {5, "ÿ"}});
    EXPECT_EQ(Numbers(e, "CITTÀ"), (std::vector<int>{1}));
    EXPECT_EQ(Numbers(e, "ŒUVRE"), (std::vector<int>{2}));
    EXPECT_EQ(Numbers(e, "STRASSE"), (std::vector<int>{}));
    EXPECT_EQ(Numbers(e, "STRAßE"), (std::vector<int>{3}));
    EXPECT_EQ(Numbers(e, "Ÿ"), (std::vector<int>{5}));
    const auto back = ParseSmorfia(SmorfiaImage(e));
    ASSERT_EQ(back.size(), e.size());
    EXPECT_EQ(Cp1252ToUtf8(back[1].text), "€ œuvre ’");
    EXPECT_EQ(Cp1252ToUtf8(DisplayedMeaning(back[0].text)), "Città");
    std::string dummy;
    EXPECT_FALSE(Utf8ToCp1252("→", dummy));
}

TEST(Smorfia, RecordsAsTheFileHoldsThem) {
    std::string rec(82, 'x');
    rec[0] = static_cast<char>(200); // above 80 reads as 80
    rec[81] = 7;
    const auto e = ParseSmorfia(rec + std::string(50, 'y')); // the partial record is ignored
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].text, std::string(80, 'x'));
    EXPECT_EQ(e[0].number, 7);
    EXPECT_EQ(SmorfiaImage({{9, std::string(90, 'a')}}).size(), 82u);
}

TEST(Smorfia, SuppliedTableAndCommandLine) {
    const auto table = ReadSmorfia(BinDir() + SmorfiaFileName);
    std::array<int, 91> per{};
    for (const SmorfiaEntry& s : table) {
        ASSERT_TRUE(s.number >= 1 && s.number <= 90);
        EXPECT_EQ(AsciiLower(s.text), s.text);
        ++per[static_cast<std::size_t>(s.number)];
    }
    for (int n = 1; n <= 90; ++n) EXPECT_GE(per[static_cast<std::size_t>(n)], 2) << n;

    TempDir dir;
    WriteAll(dir.file(SmorfiaFileName), SmorfiaImage(Entries({{42, "il caffè"}, {70, "la città"}})));
    auto run = [&](const std::string& args) {
        const std::string cmd = "'" + BinDir() + "numora-cli' --dir '" + dir.path() + "' smorfia " + args + " >'" +
                                dir.file("out") + "' 2>/dev/null";
        const int code = test::RunShell(cmd);
        return std::make_pair(code, ReadAll(dir.file("out")));
    };
    EXPECT_EQ(run("CITTÀ 42"), std::make_pair(0, std::string("numero\tdescrizione\n42\tIl caffè\n70\tLa città\n")));
    EXPECT_EQ(run("'   '").first, 2);
    EXPECT_EQ(run(std::string(501, 'a')).first, 2);
    RemoveFile(dir.file(SmorfiaFileName));
    EXPECT_EQ(run("caffè"), std::make_pair(0, std::string("numero\tdescrizione\n")));
}

} // namespace
