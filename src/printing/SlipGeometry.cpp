#include "printing/SlipGeometry.h"

#include "core/TextHelpers.h"

#include <cmath>

namespace numora::printing {

namespace {

int RoundEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

bool Vertical(SlipOrientation o) {
    return o == SlipOrientation::Vertical;
}

void AddDecomposition(std::vector<BoxMark>& out, double amount, int row, const std::array<double, 18>& denominations) {
    auto flags = DecomposeStake(amount, denominations);
    for (int j = 1; j <= 18; ++j)
        if (flags[static_cast<std::size_t>(j - 1)]) out.push_back({BoxKind::Amount, j, row});
}

void NotBelow(double& v, double floor) {
    if (v < floor) v = floor;
}

} // namespace

int MmToPixelsX(const PageSize& page, const ReferencePage& ref, double mm) {
    return RoundEven(page.width * mm / ref.widthMm);
}
int MmToPixelsY(const PageSize& page, const ReferencePage& ref, double mm) {
    return RoundEven(page.height * mm / ref.heightMm);
}
PixelDot ToPixelDot(const PageSize& page, const ReferencePage& ref, MmPoint at, double diameterMm) {
    return {MmToPixelsX(page, ref, at.x), MmToPixelsY(page, ref, at.y), MmToPixelsX(page, ref, diameterMm)};
}

int SlipWheelPosition(int wheel) {
    if (wheel == 11) return 14; // R. Nazionale
    if (wheel == 12) return 11; // Tutte
    return wheel;
}

std::vector<BoxMark> PlayBoxes(const Play& play, const std::array<double, 18>& denominations) {
    std::vector<BoxMark> out;
    for (int s = 0; s < Play::MaxNumbers && play.number(s) != 0; ++s)
        out.push_back({BoxKind::Number, play.number(s), 0});
    for (int w = 1; w <= 12; ++w)
        if (play.onWheel(w)) out.push_back({BoxKind::Wheel, SlipWheelPosition(w), 0});
    double total = 0;
    for (int k = 1; k <= 5; ++k) {
        double stake = play.stake(k);
        if (!(stake > 0)) continue;
        total += stake;
        AddDecomposition(out, stake, k + 1, denominations);
    }
    AddDecomposition(out, total, 1, denominations);
    return out;
}

MmPoint NewSlipBoxPosition(SlipOrientation o, const Calibration5& cal, const BoxMark& box) {
    const double x0 = cal[0], y0 = cal[1], sx = cal[2], sy = cal[3];
    const int a = box.a, b = box.b;
    if (Vertical(o)) {
        switch (box.kind) {
        case BoxKind::Number:
            return {x0 + ((a - 1) % 15) * sx, y0 + ((a - 1) / 15) * sy};
        case BoxKind::Wheel: {
            int r = a <= 7 ? 7 : 8;
            int p = a <= 7 ? a - 1 : a - 8;
            return {x0 + 0.75 * sx + p * (14 * sx - 0.75 * sx) / 6, y0 + r * sy};
        }
        case BoxKind::Amount:
            return {x0 + 1.5 * sx + (a - 1) * (14 * sx - 1.5 * sx) / 17, y0 + (b + 11) * sy};
        }
    }
    switch (box.kind) {
    case BoxKind::Number:
        return {x0 + ((a - 1) / 15) * sx, y0 + (14 - (a - 1) % 15) * sy};
    case BoxKind::Wheel: {
        int c = a <= 7 ? 7 : 8;
        int q = a <= 7 ? 7 - a : 14 - a;
        return {x0 + c * sx, y0 + q * (14 * sy - 0.75 * sy) / 6};
    }
    case BoxKind::Amount:
        return {x0 + (b + 11) * sx, y0 + (18 - a) * (14 * sy - 1.5 * sy) / 17};
    }
    return {};
}

std::vector<PixelDot> NewSlipDots(const Play& play, SlipOrientation o, const Calibration5& cal,
                                  const std::array<double, 18>& denominations, const PageSize& page) {
    std::vector<PixelDot> out;
    for (const auto& box : PlayBoxes(play, denominations))
        out.push_back(ToPixelDot(page, NewSlipPage, NewSlipBoxPosition(o, cal, box), cal[4]));
    return out;
}

std::string SlipNumberText(int index) {
    return "Scheda Nº " + std::to_string(index);
}

int SlipNumberFontHeight(const PageSize& page, int lastK, const std::function<int(int)>& widthOfH) {
    int height = 0;
    for (int k = 61;; ++k) {
        height = RoundEven(static_cast<double>(page.height) / k);
        if (90 * widthOfH(height) <= page.width || k > lastK) break;
    }
    return height;
}

PixelPoint NewSlipNumberPosition(SlipOrientation o, const Calibration5& cal, const PageSize& page) {
    if (Vertical(o))
        return {MmToPixelsX(page, NewSlipPage, cal[0] + 18 * cal[2]), MmToPixelsY(page, NewSlipPage, cal[1])};
    return {MmToPixelsX(page, NewSlipPage, cal[0]), 0};
}

std::array<MmPoint, 4> NewCalibrationTestDots(SlipOrientation o, const Calibration5& cal) {
    const double x0 = cal[0], y0 = cal[1], sx = cal[2], sy = cal[3];
    constexpr std::array<std::array<int, 2>, 4> rowColumn{{{0, 0}, {0, 14}, {33, 0}, {33, 14}}};
    std::array<MmPoint, 4> out;
    for (std::size_t k = 0; k < 4; ++k) {
        int row = rowColumn[k][0], column = rowColumn[k][1];
        out[k] =
            Vertical(o) ? MmPoint{x0 + column * sx, y0 + row * sy} : MmPoint{x0 + row * sx, y0 + (14 - column) * sy};
    }
    return out;
}

int ParseSlipNumber(const std::string& text, int playCount) {
    long long v = 0;
    if (!ParseWholeNumber(text, v) || v < 1 || v > playCount) return 0;
    return static_cast<int>(v);
}

SlipRangeCheck CheckSlipRange(const std::string& first, const std::string& last, int playCount) {
    int a = ParseSlipNumber(first, playCount);
    if (a == 0) return {SlipRangeCheck::Field::First, BadSlipMessage};
    int b = ParseSlipNumber(last, playCount);
    if (b == 0) return {SlipRangeCheck::Field::Last, BadLastSlipMessage};
    if (b < a) return {SlipRangeCheck::Field::First, BadRangeMessage};
    return {};
}

// ---- Preview ----------------------------------------------------------------------------

PreviewCircle PreviewNumberCircle(int n) {
    int x = RoundEven(((n - 1) % 15) * 17.6 + 6);
    int y = ((n - 1) / 15) * 13 + 65;
    return {x + 3, y + 3, x + 10, y + 10};
}

PreviewCircle PreviewWheelCircle(int wheel) {
    int column = 0, y = 156;
    if (wheel <= 7) {
        column = wheel - 1;
    } else {
        y = 169;
        column = wheel <= 10 ? wheel - 8 : (wheel == 12 ? 3 : 6);
    }
    int x = column * 39 + 20;
    return {x + 1, y + 1, x + 8, y + 8};
}

PreviewCircle PreviewAmountCircle(int flag, int row) {
    int x = (flag - 1) * 13 + 33;
    int y = 220 + 13 * row;
    return {x + 1, y + 1, x + 8, y + 8};
}

std::vector<PreviewCircle> NewSlipPreview(const Play& play, const std::array<double, 18>& denominations) {
    std::vector<PreviewCircle> out;
    for (int s = 0; s < Play::MaxNumbers && play.number(s) != 0; ++s)
        out.push_back(PreviewNumberCircle(play.number(s)));
    for (int w = 1; w <= 12; ++w)
        if (play.onWheel(w)) out.push_back(PreviewWheelCircle(w));
    double total = 0;
    for (int k = 1; k <= 5; ++k) {
        double stake = play.stake(k);
        if (!(stake > 0)) continue;
        total += stake;
        auto flags = DecomposeStake(stake, denominations);
        for (int j = 1; j <= 18; ++j)
            if (flags[static_cast<std::size_t>(j - 1)]) out.push_back(PreviewAmountCircle(j, k));
    }
    auto flags = DecomposeStake(total, denominations);
    for (int j = 1; j <= 18; ++j)
        if (flags[static_cast<std::size_t>(j - 1)]) out.push_back(PreviewAmountCircle(j, 0));
    return out;
}

// ---- New calibration --------------------------------------------------------------------

const CalibrationDialogGeometry& CalibrationGeometry(SlipOrientation o) {
    static const CalibrationDialogGeometry horizontal{{148.0 / 427, 10.7 / 31, 10.7 / 434, 10.7 / 1023, 0.1},
                                                      {101, 33},
                                                      {526, 279},
                                                      148.0 / 427,
                                                      10.7 / 31,
                                                      33,
                                                      14,
                                                      SlipCalibration::DefaultHorizontal};
    static const CalibrationDialogGeometry vertical{{10.7 / 31, 148.0 / 427, 148.0 / 5978, 148.0 / 14091, 0.1},
                                                    {17, 76},
                                                    {264, 502},
                                                    10.7 / 31,
                                                    148.0 / 427,
                                                    14,
                                                    33,
                                                    SlipCalibration::DefaultVertical};
    return Vertical(o) ? vertical : horizontal;
}

NewCalibrationModel::NewCalibrationModel(SlipOrientation o, const Calibration5& stored, int fixingType)
    : orientation_(o), working_(stored), printed_(stored), fixingType_(fixingType == 1 ? 1 : 0) {}

void NewCalibrationModel::step(int field, int direction) {
    const auto& g = CalibrationGeometry(orientation_);
    auto k = static_cast<std::size_t>(field);
    working_[k] += direction * g.steps[k];
    NotBelow(working_[k], field == 4 ? 0.1 : 0.0);
}

void NewCalibrationModel::chooseFixing(int type) {
    if (type == 0 && fixingType_ == 1) {
        fixingType_ = 0;
        working_[0] -= CentralFixingOffset;
        NotBelow(working_[0], 0.0);
    } else if (type == 1 && fixingType_ == 0) {
        fixingType_ = 1;
        working_[0] += CentralFixingOffset;
    }
    printed_ = working_;
}

void NewCalibrationModel::restoreDefaults() {
    working_ = CalibrationGeometry(orientation_).defaults;
    if (fixingType_ == 1) working_[0] += CentralFixingOffset;
    printed_ = working_;
}

std::array<PixelPoint, 4> NewCalibrationModel::markers() const {
    const auto& g = CalibrationGeometry(orientation_);
    PixelPoint se1{g.base1.x - RoundEven((printed_[0] - working_[0]) / g.kx),
                   g.base1.y - RoundEven((printed_[1] - working_[1]) / g.ky)};
    PixelPoint se2{se1.x + (g.base2.x - g.base1.x) - RoundEven((printed_[2] - working_[2]) * g.nx / g.kx),
                   se1.y + (g.base2.y - g.base1.y) - RoundEven((printed_[3] - working_[3]) * g.ny / g.ky)};
    return {se1, se2, PixelPoint{se1.x, se2.y}, PixelPoint{se2.x, se1.y}};
}

// ---- Old slip ---------------------------------------------------------------------------

MmPoint OldSlipCell(SlipOrientation o, const OldSlipLayout& l, int a, int b) {
    if (Vertical(o)) {
        double y =
            b <= 13 ? l.superiore + (b - 1) * l.distanza_righe : l.distanza_importi + (b - 14) * l.distanza_righe;
        return {l.sinistro + (a - 1) * l.distanza_colonne, y};
    }
    double x = a <= 13 ? l.sinistro + (a - 1) * l.distanza_colonne : l.distanza_importi + (a - 14) * l.distanza_colonne;
    return {x, l.superiore + (b - 1) * l.distanza_righe};
}

Cell OldSlipBoxCell(SlipOrientation o, const BoxMark& box) {
    Cell h;
    switch (box.kind) {
    case BoxKind::Number: {
        int u = box.a % 10 == 0 ? 10 : box.a % 10;
        int t = (box.a - 1) / 10;
        h = {u, t + 1};
        break;
    }
    case BoxKind::Wheel: // slip positions: 1..10 the wheels, 11 Tutte, 14 R. Nazionale
        h = {13, box.a == 14 ? 13 : box.a};
        break;
    case BoxKind::Amount:
        h = {13 + box.a, box.b};
        break;
    }
    return Vertical(o) ? Cell{14 - h.b, h.a} : h;
}

std::vector<PixelDot> OldSlipDots(const Play& play, SlipOrientation o, const OldSlipLayout& l,
                                  const std::array<double, 18>& denominations, const PageSize& page) {
    std::vector<PixelDot> out;
    for (const auto& box : PlayBoxes(play, denominations)) {
        Cell c = OldSlipBoxCell(o, box);
        out.push_back(ToPixelDot(page, OldSlipPage, OldSlipCell(o, l, c.a, c.b), l.diametro));
    }
    return out;
}

std::vector<PixelDot> OldSlipNumberDots(const std::vector<int>& numbers, SlipOrientation o, const OldSlipLayout& l,
                                        const PageSize& page) {
    std::vector<PixelDot> out;
    for (int n : numbers) {
        Cell c = OldSlipBoxCell(o, {BoxKind::Number, n, 0});
        out.push_back(ToPixelDot(page, OldSlipPage, OldSlipCell(o, l, c.a, c.b), l.diametro));
    }
    return out;
}

MmPoint OldSlipNumberPosition(SlipOrientation o, const OldSlipLayout& l) {
    if (Vertical(o)) return {l.sinistro, l.distanza_importi + 9 * l.distanza_righe};
    return {l.distanza_importi + 9 * l.distanza_colonne, l.superiore + 11 * l.distanza_righe};
}

std::array<Cell, 6> OldCalibrationTestCells(SlipOrientation o) {
    if (Vertical(o)) return {Cell{13, 1}, {5, 10}, {1, 13}, {13, 13}, {13, 14}, {7, 31}};
    return {Cell{1, 1}, {10, 9}, {13, 1}, {13, 13}, {14, 1}, {31, 6}};
}

const std::array<const char*, 8> OldCalibrationHints{" Sposta i segni più a sinistra ",
                                                     " Sposta i segni più a destra ",
                                                     " Sposta i segni più in alto ",
                                                     " Sposta i segni più in basso ",
                                                     " Diminuisce la distanza tra le righe ",
                                                     " Aumenta la distanza tra le righe ",
                                                     " Diminuisce la distanza tra le colonne ",
                                                     " Aumenta la distanza tra le colonne "};

void ApplyOldCalibrationMove(SlipOrientation o, OldSlipLayout& l, OldCalibrationMove move) {
    const bool v = Vertical(o);
    const double ux = v ? 0.35165 : 0.35341;
    const double uy = v ? 0.35341 : 0.35165;
    switch (move) {
    case OldCalibrationMove::Left:
        l.sinistro += ux;
        if (!v) l.distanza_importi += uy;
        break;
    case OldCalibrationMove::Right:
        l.sinistro -= ux;
        NotBelow(l.sinistro, 0);
        if (!v) {
            l.distanza_importi -= uy;
            NotBelow(l.distanza_importi, 0);
        }
        break;
    case OldCalibrationMove::Up:
        l.superiore += uy;
        if (v) l.distanza_importi += uy;
        break;
    case OldCalibrationMove::Down:
        l.superiore -= uy;
        NotBelow(l.superiore, 0);
        if (v) {
            l.distanza_importi -= uy;
            NotBelow(l.distanza_importi, 0);
        }
        break;
    case OldCalibrationMove::RowsCloser:
        l.superiore -= uy / 2;
        NotBelow(l.superiore, 0);
        l.distanza_righe += uy / 12;
        break;
    case OldCalibrationMove::RowsApart:
        l.superiore += uy / 2;
        l.distanza_righe -= uy / 12;
        NotBelow(l.distanza_righe, 0);
        break;
    case OldCalibrationMove::ColumnsCloser:
        l.sinistro -= uy / 2;
        NotBelow(l.sinistro, 0);
        l.distanza_colonne += uy / 12;
        break;
    case OldCalibrationMove::ColumnsApart:
        l.sinistro += uy / 2;
        l.distanza_colonne -= uy / 12;
        NotBelow(l.distanza_colonne, 0);
        break;
    }
}

OldSlipLayout OldSlipOriginalValues(SlipOrientation o) {
    OldSlipLayout l;
    if (Vertical(o)) {
        l.sinistro = 5.594695;
        l.superiore = 24.116475;
        l.distanza_righe = 4.500664;
        l.distanza_colonne = 4.323959;
        l.distanza_importi = 108.2;
    } else {
        l.sinistro = 24.112075;
        l.superiore = 18.120875;
        l.distanza_righe = 4.446521;
        l.distanza_colonne = 4.353479;
        l.distanza_importi = 105.35165;
    }
    l.diametro = 1.9;
    l.sinistro_nome = 0;
    l.superiore_nome = 0;
    l.altezza_nome = 4.0;
    return l;
}

} // namespace numora::printing
