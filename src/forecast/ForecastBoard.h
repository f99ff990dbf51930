#pragma once

#include "core/Forecast.h"
#include "core/Random.h"

namespace numora {

// The 9 x 10 board of the forecast window: number n sits in row (n - 1) / 10 and column
// (n - 1) % 10, every cell 23 x 19 pixels.
inline constexpr int BoardColumns = 10;
inline constexpr int BoardRows = 9;
inline constexpr int BoardCellWidth = 23;
inline constexpr int BoardCellHeight = 19;
inline constexpr int BoardWidth = BoardColumns * BoardCellWidth;
inline constexpr int BoardHeight = BoardRows * BoardCellHeight;

struct BoardCell {
    int c = -1;
    int r = -1;
    int number() const { return r * BoardColumns + c + 1; }
    int x() const { return c * BoardCellWidth; }
    int y() const { return r * BoardCellHeight; }
    friend bool operator==(const BoardCell&, const BoardCell&) = default;
};

BoardCell BoardCellOfNumber(int n);

// The cell the pointer at (x, y) stands for. Positions off the board pick the nearest edge
// row or column, so a drag that leaves the board keeps painting along its border.
BoardCell BoardCellAt(int x, int y);

enum class BoardButtons { None, Left, Right };

// One drag over the board: the left button chooses, the right button unchooses, and each cell
// is handled once until the next button press.
class BoardPointer {
public:
    void press() { last_ = BoardCell{}; }
    // True when the cell was handled now (the chosen numbers may have changed): the caller
    // repaints it, recounts and marks the system modified.
    bool apply(Forecast& forecast, BoardCell cell, BoardButtons held);

private:
    BoardCell last_;
};

// Chooses a number drawn uniformly from 1..90 until an unchosen one comes; 0 (and nothing
// drawn) when all 90 are already chosen.
int ChooseRandomNumber(Forecast& forecast, RandomSource& random);
// The mirror: unchooses a randomly drawn chosen number; 0 when none is chosen.
int UnchooseRandomNumber(Forecast& forecast, RandomSource& random);

} // namespace numora
