#pragma once

// Where the marks of a play slip fall: the new slip (reference page 205 x 288 mm, five
// calibration values per orientation) and the old slip (210 x 297 mm, a grid of cells), the
// test prints of the calibration dialogs, the on-screen preview and the calibration steps.
// Everything is in millimetres or pixels; nothing here draws.

#include "core/Play.h"
#include "core/Settings.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace numora::printing {

enum class SlipOrientation { Horizontal = 0, Vertical = 1 };

// The stored orientation value (1 vertical, anything else horizontal).
inline SlipOrientation OrientationFromStored(int stored) {
    return stored == 1 ? SlipOrientation::Vertical : SlipOrientation::Horizontal;
}
inline int StoredOrientation(SlipOrientation o) {
    return o == SlipOrientation::Vertical ? 1 : 0;
}

struct MmPoint {
    double x = 0, y = 0;
    bool operator==(const MmPoint&) const = default;
};

// A dot on the page in pixels: its bounding square runs from (x, y) to (x + d, y + d).
struct PixelDot {
    int x = 0, y = 0, d = 0;
    bool operator==(const PixelDot&) const = default;
};

struct PageSize {
    int width = 0, height = 0; // printable page in pixels
};

// The page the millimetres are measured on.
struct ReferencePage {
    double widthMm, heightMm;
};
inline constexpr ReferencePage NewSlipPage{205.0, 288.0};
inline constexpr ReferencePage OldSlipPage{210.0, 297.0};

// round(page width x mm / reference width) and the same down the page; ties go to even.
int MmToPixelsX(const PageSize& page, const ReferencePage& ref, double mm);
int MmToPixelsY(const PageSize& page, const ReferencePage& ref, double mm);
PixelDot ToPixelDot(const PageSize& page, const ReferencePage& ref, MmPoint at, double diameterMm);

// ---- New slip ---------------------------------------------------------------------------

using Calibration5 = std::array<double, 5>; // x0, y0, sx, sy, d

// The kinds of box a mark goes on.
enum class BoxKind { Number = 0, Wheel = 1, Amount = 2 };

// One MarkBox call: kind, a (number, wheel position or amount column), b (amount row).
struct BoxMark {
    BoxKind kind = BoxKind::Number;
    int a = 0, b = 0;
    bool operator==(const BoxMark&) const = default;
};

// Slip wheel position of wheel w (1..12): wheels 1..10 keep their number, R. Nazionale 14, Tutte 11.
int SlipWheelPosition(int wheel);

// The boxes one play marks, in the order of printing: its numbers up to the first empty slot,
// its wheels, the denominations of each stake above 0 (row betKind + 1) and of the total (row 1).
std::vector<BoxMark> PlayBoxes(const Play& play, const std::array<double, 18>& denominations);

// Top-left corner of the dot of a box in millimetres.
MmPoint NewSlipBoxPosition(SlipOrientation o, const Calibration5& cal, const BoxMark& box);

// Every dot of one play, in pixels.
std::vector<PixelDot> NewSlipDots(const Play& play, SlipOrientation o, const Calibration5& cal,
                                  const std::array<double, 18>& denominations, const PageSize& page);

// "Scheda Nº " + index.
std::string SlipNumberText(int index);

// The cell height of the slip number's font: for k = 61, 62, ... round(page height / k) until
// 90 widths of "H" at that height fit the page width or k passes lastK. widthOfH gives the
// width of "H" in pixels for a font of the given cell height.
int SlipNumberFontHeight(const PageSize& page, int lastK, const std::function<int(int)>& widthOfH);

// Where the slip number is written, in pixels (vertical: below the right of the first row;
// horizontal: at the left margin, on the top pixel row).
struct PixelPoint {
    int x = 0, y = 0;
    bool operator==(const PixelPoint&) const = default;
};
PixelPoint NewSlipNumberPosition(SlipOrientation o, const Calibration5& cal, const PageSize& page);

// The four dots of the test print of a calibration dialog (numbers 1 and 15, then 76 and 90
// moved 28 rows further down), in millimetres.
std::array<MmPoint, 4> NewCalibrationTestDots(SlipOrientation o, const Calibration5& cal);

// ---- Slip numbers of a print run -----------------------------------------------------

// The slip after `current` when slips are printed one at a time: back to 1 after the last.
inline int NextSlip(int current, int playCount) {
    return current >= playCount ? 1 : current + 1;
}

inline constexpr const char* SlipErrorTitle = "Errore !";
inline constexpr const char* BadSlipMessage =
    "Il numero della schedina da stampare non è valido!\rCorregere e riprovare.";
inline constexpr const char* BadLastSlipMessage =
    "Il numero dell'uiltima schedina da stampare non è valido!\rCorregere e riprovare.";
inline constexpr const char* BadRangeMessage =
    "Il numero delle schedine da stampare non è valido!\rCorregere e riprovare.";

// A whole number from 1 to playCount typed in a slip field, or 0.
int ParseSlipNumber(const std::string& text, int playCount);

// Which field a refused range points at, and the message.
struct SlipRangeCheck {
    enum class Field { None, First, Last } field = Field::None;
    const char* message = nullptr;
};
SlipRangeCheck CheckSlipRange(const std::string& first, const std::string& last, int playCount);

// ---- Preview of the new slip ----------------------------------------------------------

// A circle of the preview, its bounding rectangle in preview pixels (right and bottom included).
struct PreviewCircle {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PreviewCircle&) const = default;
};
std::vector<PreviewCircle> NewSlipPreview(const Play& play, const std::array<double, 18>& denominations);
// The preview position of every box, whatever the play (for drawing the empty slip picture).
PreviewCircle PreviewNumberCircle(int n);
PreviewCircle PreviewWheelCircle(int wheel);
PreviewCircle PreviewAmountCircle(int flag, int row); // row 0 the total, k for BetKind k

// ---- New calibration dialogs ------------------------------------------------------------

inline constexpr double CentralFixingOffset = 56.5;

struct CalibrationDialogGeometry {
    std::array<double, 5> steps; // one arrow step of x0, y0, sx, sy, d
    PixelPoint base1, base2;     // marker bases of the first dot and of the opposite corner
    double kx, ky;               // millimetres per screen pixel
    int nx, ny;                  // steps between the first dot and the opposite corner
    Calibration5 defaults;
};
const CalibrationDialogGeometry& CalibrationGeometry(SlipOrientation o);

// The working values of a calibration dialog and what the buttons do to them.
class NewCalibrationModel {
public:
    NewCalibrationModel(SlipOrientation o, const Calibration5& stored, int fixingType);

    SlipOrientation orientation() const { return orientation_; }
    const Calibration5& working() const { return working_; }
    const Calibration5& printed() const { return printed_; }
    int fixingType() const { return fixingType_; }

    void setWorking(int field, double value) { working_[static_cast<std::size_t>(field)] = value; }
    // One arrow click on field 0..4: +1 (right or down) or -1, then the field's lower bound.
    void step(int field, int direction);
    // Chooses the fixing type; a change moves x0 by the central offset (never below 0).
    void chooseFixing(int type);
    // The built-in defaults, plus the central offset when the central fixing is selected.
    void restoreDefaults();
    // After a test print the markers stand on their bases again.
    void markPrinted() { printed_ = working_; }
    // Marker positions se1..se4 (left, top).
    std::array<PixelPoint, 4> markers() const;

private:
    SlipOrientation orientation_;
    Calibration5 working_;
    Calibration5 printed_;
    int fixingType_;
};

// ---- Old slip ---------------------------------------------------------------------------

// Top-left corner of the dot of grid cell (a, b), both from 1, in millimetres.
MmPoint OldSlipCell(SlipOrientation o, const OldSlipLayout& l, int a, int b);

// The horizontal cell of a box; the vertical cell is (14 - b, a) of it.
struct Cell {
    int a = 0, b = 0;
    bool operator==(const Cell&) const = default;
};
Cell OldSlipBoxCell(SlipOrientation o, const BoxMark& box);

std::vector<PixelDot> OldSlipDots(const Play& play, SlipOrientation o, const OldSlipLayout& l,
                                  const std::array<double, 18>& denominations, const PageSize& page);
// The number boxes of the chosen forecast numbers ("Stampa il pronostico").
std::vector<PixelDot> OldSlipNumberDots(const std::vector<int>& numbers, SlipOrientation o, const OldSlipLayout& l,
                                        const PageSize& page);
// Where "Scheda Nº" goes on the old slip, in millimetres.
MmPoint OldSlipNumberPosition(SlipOrientation o, const OldSlipLayout& l);
// The six cells of the old calibration test print.
std::array<Cell, 6> OldCalibrationTestCells(SlipOrientation o);

// The eight buttons of the old calibration dialogs, in the order of their hints.
enum class OldCalibrationMove { Left, Right, Up, Down, RowsCloser, RowsApart, ColumnsCloser, ColumnsApart };
void ApplyOldCalibrationMove(SlipOrientation o, OldSlipLayout& l, OldCalibrationMove move);
OldSlipLayout OldSlipOriginalValues(SlipOrientation o);
// The hints of the eight buttons, in the order of OldCalibrationMove.
extern const std::array<const char*, 8> OldCalibrationHints;

} // namespace numora::printing
