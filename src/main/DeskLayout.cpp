#include "main/DeskLayout.h"

#include <algorithm>
#include <map>

namespace numora {

namespace {

int FramedWidth(const DeskWindow& w, int client) {
    return client + w.frame.left + w.frame.right;
}

int FramedHeight(const DeskWindow& w, int client) {
    return client + w.frame.top + w.frame.bottom;
}

} // namespace

DeskBox ClientOf(const DeskBox& frame, const DeskFrame& m) {
    return {frame.x + m.left, frame.y + m.top, frame.width - m.left - m.right, frame.height - m.top - m.bottom};
}

DeskArrangement ArrangeDesk(const DeskBox& available, int stripClientHeight, const DeskFrame& stripFrame,
                            const std::vector<DeskWindow>& windows) {
    DeskArrangement out;
    out.strip = {available.x, available.y, available.width, stripClientHeight + stripFrame.top + stripFrame.bottom};
    out.windows.resize(windows.size());
    if (windows.empty()) return out;

    // Each column: its windows by row, the width it would like and the least it can take.
    struct Column {
        std::vector<std::size_t> members;
        int wants = 0;
        int least = 0;
        int width = 0;
    };
    std::map<int, Column> columns;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const DeskWindow& w = windows[i];
        Column& c = columns[w.column];
        c.members.push_back(i);
        c.wants = std::max(c.wants, FramedWidth(w, w.width));
        c.least = std::max(c.least, FramedWidth(w, w.shrinks ? std::min(w.minWidth, w.width) : w.width));
    }
    for (auto& [index, c] : columns)
        std::stable_sort(c.members.begin(), c.members.end(),
                         [&](std::size_t a, std::size_t b) { return windows[a].row < windows[b].row; });

    // The last column takes the rest; the others give up width, rightmost first, while it has
    // less than it would like.
    Column& last = columns.rbegin()->second;
    int taken = 0;
    for (auto& [index, c] : columns)
        if (&c != &last) {
            c.width = c.wants;
            taken += c.width;
        }
    int missing = last.wants - (available.width - taken);
    for (auto it = std::next(columns.rbegin()); it != columns.rend() && missing > 0; ++it) {
        Column& c = it->second;
        const int give = std::min(missing, c.width - c.least);
        if (give <= 0) continue;
        c.width -= give;
        taken -= give;
        missing -= give;
    }
    last.width = std::max(last.least, available.width - taken);

    const int top = out.strip.bottom();
    const int bottom = available.bottom();
    int x = available.x;
    for (auto& [index, c] : columns) {
        int y = top;
        for (std::size_t i : c.members) {
            const DeskWindow& w = windows[i];
            int width = FramedWidth(w, w.width);
            if (w.fillsHeight || &c == &last)
                width = c.width;
            else if (w.shrinks)
                width = std::min(width, c.width);
            int height = FramedHeight(w, w.height);
            const int least = FramedHeight(w, w.shrinks ? std::min(w.minHeight, w.height) : w.height);
            if (w.fillsHeight)
                height = std::max(least, bottom - y);
            else if (w.shrinks && y + height > bottom)
                height = std::max(least, bottom - y);
            out.windows[i] = {x, y, width, height};
            y += height;
        }
        x += c.width;
    }
    return out;
}

} // namespace numora
