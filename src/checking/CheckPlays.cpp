#include "checking/CheckPlays.h"

#include "core/TextHelpers.h"
#include "core/Types.h"

#include <bit>
#include <cstdint>

namespace numora {

namespace {

constexpr std::array<std::array<int, 6>, 11> Binomials = [] {
    std::array<std::array<int, 6>, 11> t{};
    for (int a = 0; a <= 10; ++a) {
        t[static_cast<std::size_t>(a)][0] = 1;
        for (int k = 1; k <= 5; ++k)
            t[static_cast<std::size_t>(a)][static_cast<std::size_t>(k)] =
                a == 0 ? 0
                       : t[static_cast<std::size_t>(a - 1)][static_cast<std::size_t>(k - 1)] +
                             t[static_cast<std::size_t>(a - 1)][static_cast<std::size_t>(k)];
    }
    return t;
}();

std::string Quoted(int wheel) {
    return "\"" + std::string(WheelName(wheel)) + "\"";
}

} // namespace

CheckDraw CheckDrawOf(const DrawRecord& d) {
    CheckDraw draw{};
    for (int w = 1; w <= WheelCount; ++w)
        for (int k = 0; k < NumbersPerWheel; ++k) {
            const int n = d.number(w, k);
            draw[static_cast<std::size_t>(w - 1)][static_cast<std::size_t>(k)] = n >= 1 && n <= MaxNumber ? n : 0;
        }
    return draw;
}

CheckDrawRead ReadCheckCells(const CheckCells& cells, bool allRequired) {
    CheckDrawRead r;
    for (int w = 1; w <= WheelCount; ++w) {
        for (int k = 0; k < NumbersPerWheel; ++k) {
            const std::string& text = cells[static_cast<std::size_t>(w - 1)][static_cast<std::size_t>(k)];
            long long v = 0;
            const bool empty = text.empty() && !allRequired;
            if (!empty && (!ParseWholeNumber(text, v) || v < 1 || v > MaxNumber)) {
                r.message = "La ruota " + Quoted(w) + " contiene dei valori non validi!";
                return r;
            }
            r.draw[static_cast<std::size_t>(w - 1)][static_cast<std::size_t>(k)] = static_cast<int>(v);
        }
    }
    for (int w = 1; w <= WheelCount; ++w) {
        const auto& row = r.draw[static_cast<std::size_t>(w - 1)];
        for (std::size_t i = 0; i < row.size(); ++i)
            for (std::size_t j = i + 1; j < row.size(); ++j)
                if (row[i] != 0 && row[i] == row[j]) {
                    r.message = "Alcuni numeri della ruota " + Quoted(w) + " sono identici!";
                    return r;
                }
    }
    r.ok = true;
    return r;
}

std::string PadToCharacters(std::string text, std::size_t width) {
    std::size_t chars = 0;
    for (char c : text) chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    if (chars < width) text.append(width - chars, ' ');
    return text;
}

std::string ListingLine(int wheel, int k, long long combinations, Amount win, int decimals) {
    std::string line = PadToCharacters(" Ruota: " + std::string(WheelName(wheel)), 22);
    line += HitLabels[static_cast<std::size_t>(k - 1)];
    line += " " + std::to_string(combinations);
    line = PadToCharacters(std::move(line), 50);
    return line + "Vincita: " + FormatAmount(win, decimals) + " Euro";
}

std::vector<ListingPiece> ListingColumns(const std::string& line) {
    // (byte offset, character column) of every place the line is cut. A wheel line is cut only
    // where its padding ended, so a field that overran its width is never split.
    std::vector<std::pair<std::size_t, int>> cuts{{0, 0}};
    if (line.starts_with(" Ruota: ")) {
        int chars = 0;
        for (std::size_t at = 0; at < line.size(); ++at) {
            if ((static_cast<unsigned char>(line[at]) & 0xC0) == 0x80) continue;
            if ((chars == 22 || chars == 50) && line[at - 1] == ' ') cuts.emplace_back(at, chars);
            ++chars;
        }
    }
    cuts.emplace_back(line.size(), 0);
    std::vector<ListingPiece> pieces;
    for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
        const std::string field = line.substr(cuts[k].first, cuts[k + 1].first - cuts[k].first);
        const std::size_t first = field.find_first_not_of(' ');
        if (first == std::string::npos) continue;
        const std::size_t last = field.find_last_not_of(' ');
        pieces.push_back({cuts[k].second + static_cast<int>(first), field.substr(first, last - first + 1)});
    }
    return pieces;
}

namespace {

// Checks every play, adding to r's counts and wins; with Listing set, hands each winning play's
// lines ("Giocata Nº", one line per wheel and bet kind, dashes) to `line` in order, as they are
// found. Without it no line is formatted.
template <bool Listing, class Line>
void CheckEach(const Play* plays, int count, const CheckDraw& draw, Amount cap, int decimals, CheckResult& r,
               Line&& line) {
    const std::string dashes(74, '-');
    // drawn[w][n]: number n came out on wheel w (1..11).
    std::array<std::array<bool, 91>, 12> drawn{};
    for (int w = 1; w <= WheelCount; ++w)
        for (int n : draw[static_cast<std::size_t>(w - 1)])
            if (n >= 1 && n <= MaxNumber) drawn[static_cast<std::size_t>(w)][static_cast<std::size_t>(n)] = true;

    // A stake's exact amount goes through its decimal text, far dearer than the rest of a play's
    // check; a system holds few distinct stakes, so each is converted once.
    struct Converted {
        std::uint64_t bits = 0;
        Amount amount;
        bool filled = false;
    };
    std::array<Converted, 64> converted{};
    auto exact = [&](double x) {
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
        Converted& c = converted[static_cast<std::size_t>((bits ^ (bits >> 29) ^ (bits >> 47)) % converted.size())];
        if (!c.filled || c.bits != bits) c = {bits, Amount::fromDouble(x), true};
        return c.amount;
    };
    std::array<double, 5> lastStakes{};
    std::array<Amount, 5> stakes{};
    std::vector<std::string> lines;
    for (int p = 0; p < count; ++p) {
        const Play& play = plays[p];
        const int n = play.numberCount();
        if (play.stakes != lastStakes || p == 0) {
            lastStakes = play.stakes;
            for (std::size_t k = 0; k < 5; ++k) stakes[k] = exact(play.stakes[k]);
        }
        const bool tutte = (play.wheels & WheelBit(WheelTutte)) != 0;
        const int d = tutte ? 10 : 1;
        Amount playTotal;
        lines.clear();
        for (int w = 1; w <= WheelCount; ++w) {
            const bool played = w <= RegionalWheels ? tutte || (play.wheels & WheelBit(w)) != 0
                                                    : (play.wheels & WheelBit(WheelNazionale)) != 0;
            if (!played) continue;
            int h = 0;
            for (auto number : play.numbers)
                if (number != 0 && number <= MaxNumber && drawn[static_cast<std::size_t>(w)][number]) ++h;
            for (int k = 1; k <= 5 && k <= h; ++k) {
                const Amount& stake = stakes[static_cast<std::size_t>(k - 1)];
                if (!stake.positive()) continue;
                const long long c = Binomials[static_cast<std::size_t>(h)][static_cast<std::size_t>(k)];
                const Amount win = BetWin(k, stake, h, n, w == WheelNazionale ? 1 : d, cap);
                if constexpr (Listing) lines.push_back(ListingLine(w, k, c, win, decimals));
                r.counts[static_cast<std::size_t>(k - 1)] += c;
                r.amounts[static_cast<std::size_t>(k - 1)] += win;
                playTotal += win;
            }
        }
        if constexpr (Listing) {
            if (!lines.empty()) {
                line("Giocata Nº " + std::to_string(p + 1));
                for (std::string& l : lines) line(std::move(l));
                line(std::string(dashes));
            }
        }
        r.total += Capped(playTotal, cap);
    }
}

std::string ListingTotalLine(Amount total, int decimals) {
    return std::string(43, ' ') + "VINCITA TOTALE: " + FormatAmount(total, decimals) + " Euro";
}

} // namespace

CheckResult CheckPlays(const Play* plays, int count, const CheckDraw& draw, Amount cap, int decimals) {
    CheckResult r;
    CheckEach<true>(plays, count, draw, cap, decimals, r, [&](std::string l) { r.listing.push_back(std::move(l)); });
    if (r.total.positive()) {
        r.listing.insert(r.listing.begin(), std::string(74, '-'));
        r.listing.push_back(ListingTotalLine(r.total, decimals));
    }
    return r;
}

CheckResult CheckTotals(const Play* plays, int count, const CheckDraw& draw, Amount cap) {
    CheckResult r;
    CheckEach<false>(plays, count, draw, cap, 0, r, [](std::string) {});
    return r;
}

void WriteCheckListing(const Play* plays, int count, const CheckDraw& draw, Amount cap, int decimals,
                       const std::function<void(const std::string&)>& line) {
    // The listing opens with a line of dashes only when the plays win something, which only the
    // totals tell; they cost a fraction of the formatting.
    const CheckResult totals = CheckTotals(plays, count, draw, cap);
    if (!totals.total.positive()) return;
    line(std::string(74, '-'));
    CheckResult r;
    CheckEach<true>(plays, count, draw, cap, decimals, r, [&](const std::string& l) { line(l); });
    line(ListingTotalLine(r.total, decimals));
}

} // namespace numora
