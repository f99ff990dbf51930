#pragma once
// The slip printing written out step by step as the printing routine does it: a canvas that
// records the squares of the filled circles, MarkBox with its own millimetre formulas, and
// PrintSlip walking the play's slots, wheel bits and stakes.

#include "core/Play.h"

#include <array>
#include <cmath>
#include <vector>

namespace literal {

struct Square {
    int x1, y1, x2, y2;
};

struct SlipPrinter {
    int pageW, pageH;
    bool vertical;
    std::array<double, 5> cal; // x0, y0, sx, sy, d
    std::array<double, 18> den;
    std::vector<Square> drawn;

    void MarkBox(int kind, int a, int b) {
        double x0 = cal[0], y0 = cal[1], sx = cal[2], sy = cal[3], d = cal[4];
        double x = 0, y = 0;
        if (vertical) {
            if (kind == 0) {
                x = x0 + ((a - 1) % 15) * sx;
                y = y0 + ((a - 1) / 15) * sy;
            } else if (kind == 1) {
                int r, p;
                if (a <= 7) {
                    r = 7;
                    p = a - 1;
                } else {
                    r = 8;
                    p = a - 8;
                }
                x = x0 + 0.75 * sx + p * (14 * sx - 0.75 * sx) / 6;
                y = y0 + r * sy;
            } else {
                x = x0 + 1.5 * sx + (a - 1) * (14 * sx - 1.5 * sx) / 17;
                y = y0 + (b + 11) * sy;
            }
        } else {
            if (kind == 0) {
                x = x0 + ((a - 1) / 15) * sx;
                y = y0 + (14 - (a - 1) % 15) * sy;
            } else if (kind == 1) {
                int c, q;
                if (a <= 7) {
                    c = 7;
                    q = 7 - a;
                } else {
                    c = 8;
                    q = 14 - a;
                }
                x = x0 + c * sx;
                y = y0 + q * (14 * sy - 0.75 * sy) / 6;
            } else {
                x = x0 + (b + 11) * sx;
                y = y0 + (18 - a) * (14 * sy - 1.5 * sy) / 17;
            }
        }
        int X = static_cast<int>(std::nearbyint(pageW * x / 205.0));
        int Y = static_cast<int>(std::nearbyint(pageH * y / 288.0));
        int D = static_cast<int>(std::nearbyint(pageW * d / 205.0));
        drawn.push_back({X, Y, X + D, Y + D});
    }

    void Decompose(double x, bool flags[19]) {
        for (int j = 1; j <= 18; ++j) flags[j] = false;
        for (int j = 18; j >= 1; --j) {
            if (std::nearbyint(den[j - 1] * 1000) <= std::nearbyint(x * 1000)) {
                flags[19 - j] = true;
                x = x - den[j - 1];
            }
        }
    }

    void PrintSlip(const numora::Play& g) {
        for (int k = 0; k < 10; ++k) {
            if (g.numbers[k] == 0) break;
            MarkBox(0, g.numbers[k], 0);
        }
        for (int w = 1; w <= 12; ++w) {
            if ((g.wheels & (1 << (w - 1))) == 0) continue;
            if (w <= 10)
                MarkBox(1, w, 0);
            else if (w == 11)
                MarkBox(1, 14, 0);
            else
                MarkBox(1, 11, 0);
        }
        double total = 0;
        bool flags[19];
        for (int k = 1; k <= 5; ++k) {
            if (g.stakes[k - 1] > 0) {
                total = total + g.stakes[k - 1];
                Decompose(g.stakes[k - 1], flags);
                for (int j = 1; j <= 18; ++j)
                    if (flags[j]) MarkBox(2, j, k + 1);
            }
        }
        Decompose(total, flags);
        for (int j = 1; j <= 18; ++j)
            if (flags[j]) MarkBox(2, j, 1);
    }
};

} // namespace literal
