#include "forecast/ForecastBoard.h"

#include <algorithm>

namespace numora {

BoardCell BoardCellOfNumber(int n) {
    return {(n - 1) % BoardColumns, (n - 1) / BoardColumns};
}

BoardCell BoardCellAt(int x, int y) {
    // The one-pixel shift makes the last pixel of a cell belong to the next one; kept so the
    // board answers the pointer exactly as users of the program know it.
    const int c = (x + 1) / BoardCellWidth;
    const int r = (y + 1) / BoardCellHeight;
    return {std::clamp(c, 0, BoardColumns - 1), std::clamp(r, 0, BoardRows - 1)};
}

bool BoardPointer::apply(Forecast& forecast, BoardCell cell, BoardButtons held) {
    if (held == BoardButtons::None || cell == last_) return false;
    last_ = cell;
    forecast.setChosen(cell.number(), held == BoardButtons::Left);
    return true;
}

namespace {

int DrawUntil(Forecast& forecast, RandomSource& random, bool wantChosen) {
    bool any = false;
    for (int n = 1; n <= 90 && !any; ++n) any = forecast.isChosen(n) == wantChosen;
    if (!any) return 0;
    for (;;) {
        const int n = random.below(90) + 1;
        if (n >= 1 && n <= 90 && forecast.isChosen(n) == wantChosen) {
            forecast.setChosen(n, !wantChosen);
            return n;
        }
    }
}

} // namespace

int ChooseRandomNumber(Forecast& forecast, RandomSource& random) {
    return DrawUntil(forecast, random, false);
}

int UnchooseRandomNumber(Forecast& forecast, RandomSource& random) {
    return DrawUntil(forecast, random, true);
}

} // namespace numora
