// Slip geometry against the literal printing routine and the positions the slip layout fixes.
#include "printing/PlainPaperLayout.h"
#include "printing/SlipGeometry.h"

#include "LiteralSlip.h"
#include "core/TextHelpers.h"

#include <gtest/gtest.h>

#include <random>

using namespace numora;
using namespace numora::printing;

namespace {

constexpr std::array<double, 18> Den{0.5, 1, 2, 3, 5, 10, 15, 20, 25, 30, 40, 50, 75, 100, 150, 200, 250, 500};
constexpr Calibration5 Cal{7.25, 21.5, 5.5, 4.25, 1.9};
constexpr auto V = SlipOrientation::Vertical;
constexpr auto H = SlipOrientation::Horizontal;

Play MakePlay(std::initializer_list<int> numbers, std::uint16_t wheels, std::array<double, 5> stakes) {
    Play p;
    p.setNumbers(numbers);
    p.wheels = wheels;
    p.stakes = stakes;
    return p;
}

void ExpectNear(MmPoint got, MmPoint want) {
    EXPECT_NEAR(got.x, want.x, 1e-9);
    EXPECT_NEAR(got.y, want.y, 1e-9);
}

} // namespace

TEST(SlipGeometry, BoxPositionsOfTheSlipLayout) {
    const double x0 = Cal[0], y0 = Cal[1], sx = Cal[2], sy = Cal[3];
    struct Case {
        SlipOrientation o;
        BoxMark box;
        MmPoint want;
    } cases[] = {
        {V, {BoxKind::Number, 16, 0}, {x0, y0 + sy}},
        {H, {BoxKind::Number, 16, 0}, {x0 + sx, y0 + 14 * sy}},
        {V, {BoxKind::Number, 90, 0}, {x0 + 14 * sx, y0 + 5 * sy}},
        {H, {BoxKind::Number, 15, 0}, {x0, y0}},
        {V, {BoxKind::Wheel, 1, 0}, {x0 + 0.75 * sx, y0 + 7 * sy}},
        {V, {BoxKind::Wheel, 14, 0}, {x0 + 14 * sx, y0 + 8 * sy}},
        {H, {BoxKind::Wheel, 7, 0}, {x0 + 7 * sx, y0}},
        {H, {BoxKind::Wheel, 8, 0}, {x0 + 8 * sx, y0 + 14 * sy - 0.75 * sy}},
        {V, {BoxKind::Amount, 1, 1}, {x0 + 1.5 * sx, y0 + 12 * sy}},
        {V, {BoxKind::Amount, 18, 6}, {x0 + 14 * sx, y0 + 17 * sy}},
        {H, {BoxKind::Amount, 18, 1}, {x0 + 12 * sx, y0}},
        {H, {BoxKind::Amount, 1, 3}, {x0 + 14 * sx, y0 + 14 * sy - 1.5 * sy}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.o) << " kind " << int(c.box.kind) << " a " << c.box.a);
        ExpectNear(NewSlipBoxPosition(c.o, Cal, c.box), c.want);
    }
    EXPECT_EQ(ToPixelDot({4100, 5760}, NewSlipPage, {10.25, 14.4}, 1.9), (PixelDot{205, 288, 38}));
}

TEST(SlipGeometry, BoxesAPlayMarks) {
    const std::uint16_t tutte = WheelBit(12), nazionale = WheelBit(11);
    auto wheelsOf = [](const std::vector<BoxMark>& boxes) {
        std::vector<int> w;
        for (auto& b : boxes)
            if (b.kind == BoxKind::Wheel) w.push_back(b.a);
        return w;
    };
    auto amountsInRow = [](const std::vector<BoxMark>& boxes, int row) {
        std::vector<int> cols;
        for (auto& b : boxes)
            if (b.kind == BoxKind::Amount && b.b == row) cols.push_back(b.a);
        return cols;
    };
    EXPECT_EQ(wheelsOf(PlayBoxes(MakePlay({1, 2}, tutte | nazionale, {1, 0, 0, 0, 0}), Den)),
              (std::vector<int>{14, 11}));
    EXPECT_EQ(wheelsOf(PlayBoxes(MakePlay({1, 2}, WheelBit(1) | WheelBit(10), {1, 0, 0, 0, 0}), Den)),
              (std::vector<int>{1, 10}));

    // 3.5 is 3 + 0.5: flags 19 - 4 and 19 - 1.
    auto ambo = PlayBoxes(MakePlay({5, 6}, WheelBit(3), {0, 3.5, 0, 0, 0}), Den);
    EXPECT_EQ(amountsInRow(ambo, 3), (std::vector<int>{15, 18}));
    EXPECT_EQ(amountsInRow(ambo, 1), (std::vector<int>{15, 18}));
    for (int row : {2, 4, 5, 6}) EXPECT_TRUE(amountsInRow(ambo, row).empty());

    // Slots after the first empty one are not marked.
    Play gap = MakePlay({7, 8}, WheelBit(1), {1, 0, 0, 0, 0});
    gap.numbers[3] = 40;
    int numbers = 0;
    for (auto& b : PlayBoxes(gap, Den)) numbers += b.kind == BoxKind::Number ? 1 : 0;
    EXPECT_EQ(numbers, 2);
}

TEST(SlipGeometry, DotsAgreeWithTheLiteralRoutine) {
    std::mt19937 rng(17);
    std::uniform_int_distribution<int> num(1, 90), count(1, 10), stakeUnits(0, 40), page(2000, 7000);
    for (int t = 0; t < 400; ++t) {
        Play p;
        int c = count(rng);
        for (int k = 0; k < c; ++k) p.numbers[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(num(rng));
        p.wheels = static_cast<std::uint16_t>(rng() & 0xFFF);
        for (auto& s : p.stakes) s = stakeUnits(rng) % 3 == 0 ? stakeUnits(rng) * 0.5 : 0;
        Calibration5 cal{Cal[0] + (t % 7) * 0.31, Cal[1] - (t % 5) * 0.17, Cal[2] + (t % 3) * 0.011, Cal[3], 1.9};
        PageSize ps{page(rng), page(rng)};
        for (auto o : {V, H}) {
            literal::SlipPrinter lit{ps.width, ps.height, o == V, cal, Den, {}};
            lit.PrintSlip(p);
            auto dots = NewSlipDots(p, o, cal, Den, ps);
            ASSERT_EQ(dots.size(), lit.drawn.size());
            for (std::size_t k = 0; k < dots.size(); ++k) {
                EXPECT_EQ(dots[k].x, lit.drawn[k].x1);
                EXPECT_EQ(dots[k].y, lit.drawn[k].y1);
                EXPECT_EQ(dots[k].x + dots[k].d, lit.drawn[k].x2);
                EXPECT_EQ(dots[k].y + dots[k].d, lit.drawn[k].y2);
            }
        }
    }
}

TEST(SlipGeometry, SlipCountersAndRanges) {
    struct Case {
        std::string first, last;
        SlipRangeCheck::Field field;
        const char* message;
    } cases[] = {
        {"1", "5", SlipRangeCheck::Field::None, nullptr},
        {"0", "5", SlipRangeCheck::Field::First, BadSlipMessage},
        {"", "5", SlipRangeCheck::Field::First, BadSlipMessage},
        {"2", "6", SlipRangeCheck::Field::Last, BadLastSlipMessage},
        {"4", "3", SlipRangeCheck::Field::First, BadRangeMessage},
        {"5", "5", SlipRangeCheck::Field::None, nullptr},
    };
    for (const auto& c : cases) {
        auto r = CheckSlipRange(c.first, c.last, 5);
        EXPECT_EQ(r.field, c.field) << c.first << ".." << c.last;
        EXPECT_STREQ(r.message, c.message) << c.first << ".." << c.last;
    }
    EXPECT_EQ(NextSlip(5, 5), 1);
    EXPECT_EQ(NextSlip(4, 5), 5);
    EXPECT_EQ(ParseSlipNumber("3x", 5), 0);
    EXPECT_EQ(SlipNumberText(12), "Scheda Nº 12");
    // "H" is a twentieth of the cell height: 90 of them fit 1000 pixels from k = 84 (238).
    EXPECT_EQ(SlipNumberFontHeight({1000, 20000}, 500, [](int hgt) { return hgt / 20; }), 238);
    EXPECT_EQ(SlipNumberFontHeight({10, 20000}, 500, [](int hgt) { return hgt / 20; }), 40); // k stops at 501
}

TEST(SlipGeometry, PreviewPositions) {
    Play p = MakePlay({16}, WheelBit(12) | WheelBit(11) | WheelBit(9), {0, 3.5, 0, 0, 0});
    auto c = NewSlipPreview(p, Den);
    ASSERT_EQ(c.size(), 8u);
    EXPECT_EQ(c[0], (PreviewCircle{9, 81, 16, 88}));      // number 16: x = 6, y = 78
    EXPECT_EQ(c[1], (PreviewCircle{60, 170, 67, 177}));   // Torino, column 1
    EXPECT_EQ(c[2], (PreviewCircle{255, 170, 262, 177})); // R. Nazionale, column 6
    EXPECT_EQ(c[3], (PreviewCircle{138, 170, 145, 177})); // Tutte, column 3
    EXPECT_EQ(c[4], (PreviewCircle{216, 247, 223, 254})); // flag 15 of the ambo
    EXPECT_EQ(c[7], (PreviewCircle{255, 221, 262, 228})); // flag 18 of the total
    EXPECT_EQ(PreviewNumberCircle(90).left, static_cast<int>(std::nearbyint(14 * 17.6 + 6)) + 3);
}

TEST(SlipGeometry, NewCalibrationSteps) {
    for (auto o : {V, H}) {
        const auto& g = CalibrationGeometry(o);
        NewCalibrationModel m(o, {0, 0.1, 0.01, 5, 0.15}, 0);
        for (int field = 0; field < 5; ++field) m.step(field, -1);
        EXPECT_EQ(m.working(), (Calibration5{0, 0, 0, 5 - g.steps[3], 0.1}));
        m.step(0, +1);
        EXPECT_DOUBLE_EQ(m.working()[0], g.steps[0]);

        NewCalibrationModel f(o, g.defaults, 0);
        f.chooseFixing(1);
        EXPECT_DOUBLE_EQ(f.working()[0], g.defaults[0] + CentralFixingOffset);
        f.chooseFixing(1); // already central: unchanged
        EXPECT_DOUBLE_EQ(f.working()[0], g.defaults[0] + CentralFixingOffset);
        f.chooseFixing(0);
        EXPECT_DOUBLE_EQ(f.working()[0], g.defaults[0]);
        f.chooseFixing(1);
        f.setWorking(0, 40);
        f.chooseFixing(0);
        EXPECT_EQ(f.working()[0], 0.0);
        f.chooseFixing(1);
        f.restoreDefaults();
        EXPECT_DOUBLE_EQ(f.working()[0], g.defaults[0] + CentralFixingOffset);

        // Markers: on their bases when nothing changed; back there after a test print.
        NewCalibrationModel k(o, g.defaults, 0);
        auto base = k.markers();
        EXPECT_EQ(base[0], g.base1);
        EXPECT_EQ(base[1], g.base2);
        EXPECT_EQ(base[2], (PixelPoint{g.base1.x, g.base2.y}));
        for (int s = 0; s < 3; ++s) k.step(0, +1);
        k.step(2, +1);
        auto moved = k.markers();
        EXPECT_EQ(moved[0].x, g.base1.x + 3);
        EXPECT_EQ(moved[1].x, g.base2.x + 3 + static_cast<int>(std::nearbyint(g.steps[2] * g.nx / g.kx)));
        k.markPrinted();
        EXPECT_EQ(k.markers(), base);
    }
    auto dots = NewCalibrationTestDots(H, Cal);
    ExpectNear(dots[1], {Cal[0], Cal[1]});
    ExpectNear(dots[2], {Cal[0] + 33 * Cal[2], Cal[1] + 14 * Cal[3]});
    ExpectNear(NewCalibrationTestDots(V, Cal)[3], {Cal[0] + 14 * Cal[2], Cal[1] + 33 * Cal[3]});
}

TEST(SlipGeometry, OldSlipCells) {
    const OldSlipLayout l = OldSlipOriginalValues(H);
    struct Case {
        BoxMark box;
        Cell horizontal;
    } cases[] = {
        {{BoxKind::Number, 1, 0}, {1, 1}},   {{BoxKind::Number, 10, 0}, {10, 1}}, {{BoxKind::Number, 81, 0}, {1, 9}},
        {{BoxKind::Number, 90, 0}, {10, 9}}, {{BoxKind::Wheel, 10, 0}, {13, 10}}, {{BoxKind::Wheel, 11, 0}, {13, 11}},
        {{BoxKind::Wheel, 14, 0}, {13, 13}}, {{BoxKind::Amount, 5, 3}, {18, 3}},  {{BoxKind::Amount, 18, 1}, {31, 1}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OldSlipBoxCell(H, c.box), c.horizontal) << c.box.a;
        EXPECT_EQ(OldSlipBoxCell(V, c.box), (Cell{14 - c.horizontal.b, c.horizontal.a})) << c.box.a;
    }
    ExpectNear(OldSlipCell(H, l, 13, 2), {l.sinistro + 12 * l.distanza_colonne, l.superiore + l.distanza_righe});
    ExpectNear(OldSlipCell(H, l, 14, 2), {l.distanza_importi, l.superiore + l.distanza_righe});
    const OldSlipLayout lv = OldSlipOriginalValues(V);
    ExpectNear(OldSlipCell(V, lv, 2, 15), {lv.sinistro + lv.distanza_colonne, lv.distanza_importi + lv.distanza_righe});
    Cell far = OldCalibrationTestCells(V)[5];
    ExpectNear(OldSlipCell(V, lv, far.a, far.b),
               {lv.sinistro + 6 * lv.distanza_colonne, lv.distanza_importi + 17 * lv.distanza_righe});
    auto dots = OldSlipNumberDots({1}, H, l, {2100, 2970});
    EXPECT_EQ(dots[0], (PixelDot{241, 181, 19}));
}

TEST(SlipGeometry, OldCalibrationMoves) {
    OldSlipLayout zero;
    for (auto o : {V, H})
        for (auto move : {OldCalibrationMove::Right, OldCalibrationMove::Down, OldCalibrationMove::RowsCloser,
                          OldCalibrationMove::ColumnsCloser}) {
            OldSlipLayout l = zero;
            ApplyOldCalibrationMove(o, l, move);
            EXPECT_EQ(l.sinistro, 0.0);
            EXPECT_EQ(l.superiore, 0.0);
            EXPECT_EQ(l.distanza_importi, 0.0);
        }
    OldSlipLayout v = zero;
    ApplyOldCalibrationMove(V, v, OldCalibrationMove::Up);
    ApplyOldCalibrationMove(V, v, OldCalibrationMove::RowsApart);
    EXPECT_DOUBLE_EQ(v.superiore, 0.35341 + 0.176705);
    EXPECT_DOUBLE_EQ(v.distanza_importi, 0.35341);
    EXPECT_EQ(v.distanza_righe, 0.0);
    OldSlipLayout h = zero;
    ApplyOldCalibrationMove(H, h, OldCalibrationMove::Left);
    ApplyOldCalibrationMove(H, h, OldCalibrationMove::ColumnsCloser);
    EXPECT_DOUBLE_EQ(h.sinistro, 0.35341 - 0.175825);
    EXPECT_DOUBLE_EQ(h.distanza_importi, 0.35165);
    EXPECT_DOUBLE_EQ(h.distanza_colonne, 0.35165 / 12);
}

TEST(PlainPaper, Listing) {
    EXPECT_EQ(PlainPaperHeading("/tmp/x/SISTEMA1.LPC", 3, "6,00 €")[0], "Nome del sistema: Sistema1");
    EXPECT_EQ(SystemNameForHeading("abc"), "");

    Play tutte = MakePlay({3, 40}, WheelBit(12), {1, 1, 0, 0, 0});
    EXPECT_EQ(PlainPaperPlayLines(tutte, 1, 2),
              (std::vector<std::string>{"Giocata Nº: 1", "Numeri: 3 40 ", "Ruote: Tutte ",
                                        "Estratto: 1,00€  Ambo: 1,00€  ", "Totale: 2,00€  "}));
    Play two = MakePlay({3}, WheelBit(1) | WheelBit(6), {0, 0, 0, 1, 1});
    EXPECT_EQ(PlainPaperPlayLines(two, 2, 2)[3], "Quaterna: 1,00€  Cinquina: 1,00€  Totale: 4,00€  ");
    EXPECT_EQ(PlainPaperPlayLines(two, 2, 2)[4], "");

    // Ten pixels a character; the page takes 25 characters less one "H".
    PlainPaperMetrics m{250, 150, 10, 10, [](const std::string& s) { return static_cast<int>(s.size()) * 10; }};
    Forecast f;
    for (int n : {1, 22, 33, 44, 55}) f.setChosen(n, true);
    f.fixed[0] = 22;
    f.fixedCount = 1;
    std::vector<Play> plays(3, tutte);
    auto pages = LayOutPlainPaper({}, f, plays, {}, 2, m);
    ASSERT_EQ(pages.size(), 2u);
    const auto& runs = pages[0].runs;
    // "Pronostico: 1 22 33 44 55" is 25 characters: wraps inside "55".
    EXPECT_EQ(runs[0], (TextRun{5, 5, "Pronostico: 1 22 33 44 5"}));
    EXPECT_EQ(runs[1], (TextRun{120, 15, "5"}));
    EXPECT_EQ(runs[2], (TextRun{80, 25, "Fisse: 22"}));
    EXPECT_EQ(runs[3], (TextRun{10, 45, "Giocata Nº: 1"}));
    EXPECT_EQ(runs[8].x, 125); // the second play in the right column
    // 150 < 45 + 12h with a play to follow: the third play starts a page of its own, alone on its row.
    ASSERT_EQ(runs.size(), 13u);
    ASSERT_EQ(pages[1].runs.size(), 5u);
    EXPECT_EQ(pages[1].runs[0], (TextRun{10, 5, "Giocata Nº: 3"}));

    // With a heading and a taller page, no break; emptying the heading prints nothing for it.
    m.pageHeight = 2000;
    PlainPaperOptions noForecast{true, false, true};
    auto withHeading = LayOutPlainPaper({"Titolo"}, f, plays, noForecast, 2, m);
    EXPECT_EQ(withHeading[0].runs[0], (TextRun{95, 5, "Titolo"}));
    EXPECT_EQ(withHeading[0].runs[1].y, 25);
    auto without = LayOutPlainPaper({}, f, plays, noForecast, 2, m);
    EXPECT_EQ(without[0].runs[0], (TextRun{80, 5, "Fisse: 22"}));
}
