#include "forecast/FixedNumbers.h"
#include "forecast/ForecastBoard.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

using namespace numora;

namespace {

struct CellCase {
    int x, y;
    int number;
};

TEST(ForecastBoard, CellUnderThePointer) {
    const CellCase cases[] = {
        {0, 0, 1},
        {21, 17, 1}, // inside the first cell
        {22, 0, 2},
        {0, 18, 11}, // the last pixel of a cell answers for the next one
        {-1, -1, 1},
        {-60, -60, 1}, // above and left of the board: first row and column
        {-30, 40, 21}, // left of the board picks column 0 of the row
        {229, 170, 90},
        {600, 600, 90}, // beyond the bottom right corner
        {3 * 23 + 5, 171, 84},
        {5, 1000, 81}, // below the last row stays in row 8
        {1000, 5, 10},
        {4 * 23 + 11, 5 * 19 + 9, 55},
    };
    for (const auto& c : cases) EXPECT_EQ(BoardCellAt(c.x, c.y).number(), c.number) << "x=" << c.x << " y=" << c.y;
}

TEST(ForecastBoard, EveryNumberIsFoundInsideItsOwnCell) {
    for (int n = 1; n <= 90; ++n) {
        const BoardCell cell = BoardCellOfNumber(n);
        EXPECT_EQ(cell.x(), 23 * ((n - 1) % 10));
        EXPECT_EQ(cell.y(), 19 * ((n - 1) / 10));
        EXPECT_EQ(BoardCellAt(cell.x(), cell.y()).number(), n);
        EXPECT_EQ(BoardCellAt(cell.x() + 21, cell.y() + 17).number(), n);
    }
}

TEST(ForecastBoard, LeftDragChoosesRightDragUnchoosesEachCellOnce) {
    Forecast f;
    BoardPointer p;
    p.press();
    for (int n = 1; n <= 10; ++n) EXPECT_TRUE(p.apply(f, BoardCellOfNumber(n), BoardButtons::Left));
    EXPECT_EQ(f.chosenCount(), 10);
    // Staying on the same cell does not handle it again.
    EXPECT_FALSE(p.apply(f, BoardCellOfNumber(10), BoardButtons::Left));

    p.press();
    EXPECT_TRUE(p.apply(f, BoardCellOfNumber(10), BoardButtons::Right));
    EXPECT_FALSE(p.apply(f, BoardCellOfNumber(10), BoardButtons::Right));
    for (int n = 9; n >= 1; --n) EXPECT_TRUE(p.apply(f, BoardCellOfNumber(n), BoardButtons::Right));
    EXPECT_EQ(f.chosenCount(), 0);
}

TEST(ForecastBoard, PressForgetsTheLastCellAndMovesWithoutButtonsChangeNothing) {
    Forecast f;
    BoardPointer p;
    p.press();
    EXPECT_TRUE(p.apply(f, BoardCellOfNumber(33), BoardButtons::Left));
    EXPECT_FALSE(p.apply(f, BoardCellOfNumber(34), BoardButtons::None));
    EXPECT_FALSE(f.isChosen(34));
    // A new press on the same cell handles it again; a chosen cell stays chosen under the left button.
    p.press();
    EXPECT_TRUE(p.apply(f, BoardCellOfNumber(33), BoardButtons::Left));
    EXPECT_TRUE(f.isChosen(33));
    EXPECT_EQ(f.chosenCount(), 1);
}

class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<int> values) : values_(values.begin(), values.end()) {}
    int below(int n) override {
        EXPECT_EQ(n, 90);
        EXPECT_FALSE(values_.empty()) << "drew more values than scripted";
        if (values_.empty()) return 0;
        const int v = values_.front();
        values_.pop_front();
        ++draws;
        return v;
    }
    int draws = 0;

private:
    std::deque<int> values_;
};

TEST(ForecastRandom, ChoosesTheFirstUnchosenNumberDrawn) {
    Forecast f;
    f.setChosen(1, true);
    f.setChosen(2, true);
    ScriptedRandom r({0, 1, 0, 41});
    EXPECT_EQ(ChooseRandomNumber(f, r), 42);
    EXPECT_EQ(r.draws, 4);
    EXPECT_TRUE(f.isChosen(42));
    EXPECT_EQ(f.chosenCount(), 3);
}

TEST(ForecastRandom, UnchoosesTheFirstChosenNumberDrawn) {
    Forecast f;
    f.setChosen(90, true);
    f.setChosen(7, true);
    ScriptedRandom r({0, 55, 89});
    EXPECT_EQ(UnchooseRandomNumber(f, r), 90);
    EXPECT_EQ(r.draws, 3);
    EXPECT_EQ(f.chosenCount(), 1);
    EXPECT_TRUE(f.isChosen(7));
}

TEST(ForecastRandom, NothingToDoDrawsNothing) {
    Forecast all;
    all.chosen.fill(1);
    Forecast none;
    ScriptedRandom r({});
    EXPECT_EQ(ChooseRandomNumber(all, r), 0);
    EXPECT_EQ(UnchooseRandomNumber(none, r), 0);
    EXPECT_EQ(r.draws, 0);
    EXPECT_EQ(all.chosenCount(), 90);
    EXPECT_EQ(none.chosenCount(), 0);
}

TEST(ForecastRandom, FillsAndEmptiesTheWholeBoard) {
    Forecast f;
    StdRandom r(12345);
    std::vector<int> seen(91, 0);
    for (int i = 0; i < 90; ++i) {
        const int n = ChooseRandomNumber(f, r);
        ASSERT_GE(n, 1);
        ASSERT_LE(n, 90);
        EXPECT_EQ(++seen[static_cast<std::size_t>(n)], 1);
    }
    EXPECT_EQ(ChooseRandomNumber(f, r), 0);
    for (int i = 0; i < 90; ++i) ASSERT_NE(UnchooseRandomNumber(f, r), 0);
    EXPECT_EQ(f.chosenCount(), 0);
    EXPECT_EQ(UnchooseRandomNumber(f, r), 0);
}

struct FixedCase {
    const char* name;
    FixedBoxTexts texts;
    int result;
    std::vector<int> stored; // when result is 0
};

TEST(FixedNumbers, TakeFixedNumbers) {
    const FixedCase cases[] = {
        {"gap between values", {"5", "", "12"}, 0, {5, 12}},
        {"repeated pair", {"5", "5"}, 2, {}},
        {"repeat after another value", {"7", "5", "7"}, 3, {}},
        {"position counts valid values only", {"5", "", "", "5"}, 2, {}},
        {"first value's pair wins", {"7", "5", "5", "7"}, 4, {}},
        {"zero", {"0"}, 1, {}},
        {"above 90", {"", "95"}, 2, {}},
        {"invalid box before a repeat", {"5", "5", "", "", "", "", "", "", "91"}, 9, {}},
        {"not a number", {"", "", "a"}, 3, {}},
        {"sign", {"+5"}, 1, {}},
        {"leading zero", {"", "", "", "", "", "", "", "", "05"}, 0, {5}},
        {"all nine", {"90", "1", "2", "3", "4", "5", "6", "7", "8"}, 0, {90, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"all empty", {}, 0, {}},
    };
    for (const auto& c : cases) {
        Forecast f;
        f.fixed[0] = 33;
        f.fixed[1] = 44;
        f.fixedCount = 2;
        EXPECT_EQ(TakeFixedNumbers(c.texts, f), c.result) << c.name;
        if (c.result == 0) {
            ASSERT_EQ(f.fixedCount, static_cast<int>(c.stored.size())) << c.name;
            for (std::size_t k = 0; k < c.stored.size(); ++k) EXPECT_EQ(f.fixed[k], c.stored[k]) << c.name;
        } else {
            EXPECT_EQ(f.fixedCount, 2) << c.name;
            EXPECT_EQ(f.fixed[0], 33) << c.name;
            EXPECT_EQ(f.fixed[1], 44) << c.name;
        }
    }
}

TEST(FixedNumbers, TextsOfTheStoredNumbers) {
    Forecast f;
    f.fixed = {12, 3, 90, 4, 5, 6, 7, 8, 9};
    f.fixedCount = 3;
    EXPECT_EQ(FixedNumberTexts(f), (FixedBoxTexts{"12", "3", "90", "", "", "", "", "", ""}));
    f.fixedCount = 9;
    EXPECT_EQ(FixedNumberTexts(f), (FixedBoxTexts{"12", "3", "90", "4", "5", "6", "7", "8", "9"}));
    // A count out of range never reaches past the nine boxes.
    f.fixedCount = 40;
    EXPECT_EQ(FixedNumberTexts(f)[8], "9");
    f.fixedCount = -3;
    EXPECT_EQ(FixedNumberTexts(f), FixedBoxTexts{});
}

TEST(FixedNumbers, TypedCharacters) {
    struct {
        char32_t code;
        bool accepted;
    } const cases[] = {{8, true},    {13, true},   {3, true},     {14, false},   {22, false},   {27, false},
                       {U'0', true}, {U'9', true}, {U'a', false}, {U'.', false}, {U'-', false}, {U'²', false}};
    for (const auto& c : cases) EXPECT_EQ(FixedBoxAcceptsChar(c.code), c.accepted) << static_cast<unsigned>(c.code);
}

TEST(FixedNumbers, FixedNumberText) {
    EXPECT_TRUE(IsFixedNumberText("1"));
    EXPECT_TRUE(IsFixedNumberText("90"));
    EXPECT_FALSE(IsFixedNumberText("91"));
    EXPECT_FALSE(IsFixedNumberText("0"));
    EXPECT_FALSE(IsFixedNumberText(""));
    EXPECT_FALSE(IsFixedNumberText("1 "));
}

} // namespace
