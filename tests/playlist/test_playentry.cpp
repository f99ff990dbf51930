#include "core/Settings.h"
#include "core/TextHelpers.h"
#include "playlist/PlayEntry.h"
#include "playlist/PlayListSummary.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace numora;
using numora::test::MakePlay;

namespace {

// Minimo 1, Massimo 300, Multiplo 0.5, i1 0.5, i18 200.
Settings StakeSettings() {
    Settings s;
    s.minimo = 1;
    s.massimo = 300;
    s.multiplo = 0.5;
    s.decimali = 2;
    const double d[18] = {0.5, 1, 2, 3, 5, 10, 15, 20, 25, 30, 40, 50, 60, 75, 100, 125, 150, 200};
    for (int k = 1; k <= 18; ++k) s.i(k) = d[k - 1];
    return s;
}

constexpr std::uint16_t Bari = 1u << 0;
constexpr std::uint16_t Roma = 1u << 7;
constexpr std::uint16_t Nazionale = 1u << 10;
constexpr std::uint16_t Tutte = 1u << 11;

} // namespace

TEST(PlayCost, StakesTimesWheels) {
    struct Case {
        const char* what;
        Play play;
        double cost;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"5 12 on Bari and Roma", MakePlay({5, 12}, {1, 1, 0, 0, 0}, Bari | Roma), 4},
        {"5 12 on Tutte", MakePlay({5, 12}, {1, 1, 0, 0, 0}, Tutte), 2},
        {"Tutte and the national wheel", MakePlay({5, 12}, {1, 1, 0, 0, 0}, Tutte | Nazionale), 4},
        {"no wheel counts as one", MakePlay({5}, {1.5, 0, 0, 0, 0}, 0), 1.5},
        {"every wheel bit", MakePlay({5}, {1, 0, 0, 0, 0}, 0x0FFF), 12},
        {"negative and NaN stakes of a damaged file add nothing", MakePlay({1, 2, 3}, {-5, nan, 2, 0, 0}, Bari), 2},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(PlayCost(c.play), c.cost) << c.what;
}

TEST(PlayCells, RowTexts) {
    const Settings s = StakeSettings();
    struct Case {
        const char* what;
        Play play;
        int row;
        std::array<const char*, 8> cells;
    };
    const Case cases[] = {
        {"two numbers, two wheels",
         MakePlay({5, 12}, {1, 1, 0, 0, 0}, Bari | Roma),
         3,
         {"3", "5 12 ", "Bari Roma ", "1,00", "1,00", "", "", ""}},
        {"Tutte is named", MakePlay({90}, {0.5, 0, 0, 0, 0}, Tutte), 1, {"1", "90 ", "Tutte ", "0,50", "", "", "", ""}},
        {"national wheel by its full name, in wheel order",
         MakePlay({1, 2, 3, 4, 5, 6}, {0, 0, 0, 1, 1234.5}, Tutte | Nazionale | Bari),
         100000,
         {"100000", "1 2 3 4 5 6 ", "Bari R. Nazionale Tutte ", "", "", "", "1,00", "1.234,50"}},
        {"an empty play", Play{}, 7, {"7", "", "", "", "", "", "", ""}},
        {"negative stake not shown",
         MakePlay({1}, {-1, 0, 0, 0, 0}, Bari),
         2,
         {"2", "1 ", "Bari ", "", "", "", "", ""}},
    };
    for (const auto& c : cases)
        for (int col = 0; col < 8; ++col)
            EXPECT_EQ(PlayCellText(c.play, c.row, col, s), c.cells[static_cast<std::size_t>(col)])
                << c.what << " column " << col;
}

TEST(PlayCells, NumbersInStoredOrderAndUnknownMaskBitsIgnored) {
    Play p;
    p.numbers = {40, 3, 0, 0, 0, 0, 0, 0, 0, 0};
    p.wheels = static_cast<std::uint16_t>(0xF000 | Roma);
    EXPECT_EQ(PlayNumbersText(p), "40 3 ");
    EXPECT_EQ(PlayWheelsText(p), "Roma ");
}

TEST(PlayListSummary, SetsAndTotal) {
    PlayList list;
    PlayListSummary empty = SummarizePlayList(list);
    EXPECT_EQ(empty.plays, 0);
    EXPECT_EQ(empty.numberCount(), 0);
    EXPECT_EQ(WheelSetText(empty.wheels), "");
    EXPECT_EQ(empty.total, 0);

    list.setCount(3);
    list.play(1) = MakePlay({5, 12}, {1, 1, 0, 0, 0}, Bari | Roma);
    list.play(2) = MakePlay({12, 90, 7}, {1, 0, 0, 0, 0}, Tutte);
    list.play(3) = MakePlay({5}, {2, 0, 0, 0, 0}, Nazionale);
    // A slot beyond the count never counts.
    list.play(4) = MakePlay({44}, {100, 0, 0, 0, 0}, Tutte);
    const PlayListSummary s = SummarizePlayList(list);
    EXPECT_EQ(s.plays, 3);
    EXPECT_EQ(s.numberCount(), 4); // 5 7 12 90
    EXPECT_TRUE(s.numbers[4] && s.numbers[6] && s.numbers[11] && s.numbers[89]);
    EXPECT_FALSE(s.numbers[43]);
    EXPECT_EQ(WheelSetText(s.wheels), "Bari Roma R. Nazionale Tutte ");
    EXPECT_DOUBLE_EQ(s.total, 4 + 1 + 2);
}

TEST(BuildPlay, FromTheDialogFields) {
    const Settings s = StakeSettings();
    struct Case {
        const char* what;
        const char* numbers;
        std::array<std::string, 5> stakes;
        PlayEntryError error;
        std::vector<int> stored;
        std::array<double, 5> kept;
    };
    const Case cases[] = {
        {"numbers sorted", "12 5", {"1", "1", "", "", ""}, PlayEntryError::None, {5, 12}, {1, 1, 0, 0, 0}},
        {"extra blanks", "  7   3 ", {"1", "", "", "", ""}, PlayEntryError::None, {3, 7}, {1, 0, 0, 0, 0}},
        {"terno dropped from a 2-number play",
         "5 12",
         {"1", "1", "1", "", ""},
         PlayEntryError::None,
         {5, 12},
         {1, 1, 0, 0, 0}},
        {"one number keeps the estratto only",
         "33",
         {"0,5", "0,5", "", "", ""},
         PlayEntryError::None,
         {33},
         {0.5, 0, 0, 0, 0}},
        {"seven numbers keep all five",
         "1 2 3 4 5 6 7",
         {"1", "1", "1", "1", "1"},
         PlayEntryError::None,
         {1, 2, 3, 4, 5, 6, 7},
         {1, 1, 1, 1, 1}},
        {"ten numbers",
         "10 9 8 7 6 5 4 3 2 1",
         {"", "", "", "", "1"},
         PlayEntryError::None,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
         {0, 0, 0, 0, 1}},
        {"eleven numbers", "1 2 3 4 5 6 7 8 9 10 11", {"1", "", "", "", ""}, PlayEntryError::Numbers, {}, {}},
        {"a repeated number", "5 5", {"1", "", "", "", ""}, PlayEntryError::Numbers, {}, {}},
        {"above 90", "5 91", {"1", "", "", "", ""}, PlayEntryError::Numbers, {}, {}},
        {"zero", "0 5", {"1", "", "", "", ""}, PlayEntryError::Numbers, {}, {}},
        {"no numbers", "", {"1", "", "", "", ""}, PlayEntryError::Numbers, {}, {}},
        {"letters", "5 a", {"1", "", "", "", ""}, PlayEntryError::Numbers, {}, {}},
        {"invalid stakes come first", "5 5", {"0,75", "", "", "", ""}, PlayEntryError::Stakes, {}, {}},
        {"no stake at all", "5 12", {"", "", "", "", ""}, PlayEntryError::Stakes, {}, {}},
        {"a dropped terno still counts in the total",
         "5 12",
         {"150", "", "151", "", ""},
         PlayEntryError::Stakes,
         {},
         {}},
    };
    for (const auto& c : cases) {
        PlayEntryTexts t;
        t.numbers = c.numbers;
        t.stakes = c.stakes;
        t.wheels = Bari | Nazionale;
        const BuiltPlay b = BuildPlay(t, s);
        EXPECT_EQ(b.error, c.error) << c.what;
        if (c.error != PlayEntryError::None) continue;
        Play expected;
        expected.setNumbersFrom(c.stored);
        expected.stakes = c.kept;
        expected.wheels = Bari | Nazionale;
        EXPECT_EQ(b.play, expected) << c.what;
    }
}

TEST(PlayEntryTexts, ShowingAPlayRoundTrips) {
    const Settings s = StakeSettings();
    const Play p = MakePlay({5, 12, 40}, {1, 0, 1.5, 0, 0}, Roma | Nazionale);
    const PlayEntryTexts t = PlayEntryTextsOf(p, s);
    EXPECT_EQ(t.numbers, "5 12 40");
    EXPECT_EQ(t.stakes, (std::array<std::string, 5>{"1,00", "", "1,50", "", ""}));
    EXPECT_EQ(t.wheels, Roma | Nazionale);
    const BuiltPlay b = BuildPlay(t, s);
    ASSERT_EQ(b.error, PlayEntryError::None);
    EXPECT_EQ(b.play, p);
}

TEST(EnterPlay, AppendsRefusesDuplicatesAndAFullList) {
    PlaySystem sys;
    PlayList& list = sys.list;
    const Play a = MakePlay({5, 12}, {1, 1, 0, 0, 0}, Tutte);
    EXPECT_EQ(EnterPlay(sys, a), EnterPlayResult::Appended);
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.play(1), a);
    EXPECT_TRUE(sys.modified) << "a typed play must be saved or asked about";
    sys.modified = false;

    Play otherStakes = a;
    otherStakes.stakes = {2, 0, 0, 0, 0};
    EXPECT_EQ(EnterPlay(sys, otherStakes), EnterPlayResult::Duplicate);
    EXPECT_EQ(list.count(), 1);
    EXPECT_FALSE(sys.modified) << "a refused play changes nothing";
    EXPECT_EQ(list.play(1), a) << "the existing play keeps its stakes";

    Play otherWheels = a;
    otherWheels.wheels = Bari;
    EXPECT_EQ(EnterPlay(sys, otherWheels), EnterPlayResult::Appended);
    EXPECT_EQ(list.count(), 2);

    list.setCount(PlayList::Capacity);
    const Play fresh = MakePlay({1, 2, 3}, {1, 0, 0, 0, 0}, Roma);
    EXPECT_EQ(EnterPlay(sys, fresh), EnterPlayResult::ListFull);
    EXPECT_EQ(EnterPlay(sys, a), EnterPlayResult::ListFull) << "full comes before duplicate";
    EXPECT_EQ(list.count(), PlayList::Capacity);
    EXPECT_EQ(list.play(1), a);

    list.setCount(PlayList::Capacity - 1);
    EXPECT_EQ(EnterPlay(sys, fresh), EnterPlayResult::Appended) << "the last slot is usable";
    EXPECT_EQ(list.play(PlayList::Capacity), fresh);
}

TEST(ApplyEditedPlay, AnyOtherIdenticalPlayIsRefused) {
    auto fourPlays = [] {
        PlayList list;
        list.setCount(4);
        for (int i = 1; i <= 4; ++i) list.play(i) = MakePlay({i, 50 + i}, {1, 0, 0, 0, 0}, Tutte);
        return list;
    };
    struct Case {
        const char* what;
        int copyOf; // the new play is identical to this one (0: a new play)
        bool accepted;
    };
    const Case cases[] = {
        {"identical to play 4, inside 2..4", 4, false},
        {"identical to itself", 3, true},
        {"identical to play 2, inside 2..4", 2, false},
        {"identical to play 1, outside 2..4", 1, false},
        {"a play not in the list", 0, true},
    };
    for (const auto& c : cases) {
        PlaySystem sys;
        sys.list = fourPlays();
        PlayList& list = sys.list;
        const PlayList before = list;
        Play edited = c.copyOf ? list.play(c.copyOf) : MakePlay({70, 71}, {1, 0, 0, 0, 0}, Tutte);
        edited.stakes = {0.5, 0.5, 0, 0, 0};
        EXPECT_EQ(ApplyEditedPlay(sys, 3, edited), c.accepted) << c.what;
        EXPECT_EQ(sys.modified, c.accepted) << c.what;
        for (int i = 1; i <= 4; ++i) {
            const Play& expected = (c.accepted && i == 3) ? edited : before.play(i);
            EXPECT_EQ(list.play(i), expected) << c.what << " play " << i;
        }
        EXPECT_EQ(list.count(), 4);
    }
    PlaySystem sys;
    sys.list = fourPlays();
    EXPECT_FALSE(ApplyEditedPlay(sys, 5, MakePlay({1}, {1, 0, 0, 0, 0}, Bari))) << "beyond the list";
}
