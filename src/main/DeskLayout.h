#pragma once

#include <vector>

namespace numora {

// A rectangle on the screen in pixels; right and bottom are one past the last pixel.
struct DeskBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool intersects(const DeskBox& o) const {
        return x < o.right() && o.x < right() && y < o.bottom() && o.y < bottom();
    }
    bool contains(const DeskBox& o) const {
        return o.x >= x && o.y >= y && o.right() <= right() && o.bottom() <= bottom();
    }
    bool operator==(const DeskBox&) const = default;
};

// What the window manager adds around a window's client area: the title bar on top, the borders.
struct DeskFrame {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A working window to place beneath the strip. Columns run left to right; within a column the
// rows run top to bottom. The last column takes the rest of the screen's width.
struct DeskWindow {
    int column = 0;
    int row = 0;
    bool fillsHeight = false; // reaches the bottom of the screen
    bool shrinks = false;     // may be narrower and shorter than it would like when the screen is small
    int width = 0;            // the client size the window would like
    int height = 0;
    int minWidth = 0; // the least client size it can be given
    int minHeight = 0;
    DeskFrame frame;
};

struct DeskArrangement {
    DeskBox strip;                // the strip's frame
    std::vector<DeskBox> windows; // each window's frame, in the order given
};

// The client area inside a frame.
DeskBox ClientOf(const DeskBox& frame, const DeskFrame& margins);

// The strip takes the whole width of the available area at its top, its title bar included; the
// working windows stand beneath it column by column, each column as wide as its widest window,
// without overlapping. When the screen is too narrow the shrinking windows give up width, the
// last column first down to the width it would like, then the others down to their least
// width, then the last column down to its least width; when a column is too short its shrinking
// windows give up height.
DeskArrangement ArrangeDesk(const DeskBox& available, int stripClientHeight, const DeskFrame& stripFrame,
                            const std::vector<DeskWindow>& windows);

} // namespace numora
