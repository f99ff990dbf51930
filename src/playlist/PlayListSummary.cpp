#include "playlist/PlayListSummary.h"

#include "core/TextHelpers.h"
#include "core/Types.h"

#include <algorithm>
#include <string_view>

namespace numora {

int PlayListSummary::numberCount() const {
    int c = 0;
    for (bool b : numbers) c += b ? 1 : 0;
    return c;
}

double PlayCost(const Play& play) {
    return play.cost();
}

PlayListSummary SummarizePlayList(const PlayList& list) {
    PlayListSummary s;
    s.plays = list.count();
    std::uint16_t wheels = 0;
    constexpr std::uint16_t NamedWheels = 0x0FFF;
    std::vector<bool> maskSeen(NamedWheels + 1u, false);
    for (int r = 1; r <= list.count(); ++r) {
        const Play& p = list.play(r);
        int count = 0;
        int digits = 0;
        for (std::uint8_t n : p.numbers) {
            if (n == 0) continue;
            ++count;
            digits += n >= 100 ? 3 : (n >= 10 ? 2 : 1);
            if (n <= MaxNumber) s.numbers[n - 1u] = true;
        }
        s.mostNumbers = std::max(s.mostNumbers, count);
        s.mostDigits = std::max(s.mostDigits, digits);
        const auto mask = static_cast<std::uint16_t>(p.wheels & NamedWheels);
        if (!maskSeen[mask]) {
            maskSeen[mask] = true;
            s.masks.push_back(mask);
        }
        wheels = static_cast<std::uint16_t>(wheels | p.wheels);
        s.total += PlayCost(p);
    }
    for (int w = 1; w <= WheelTutte; ++w) s.wheels[static_cast<std::size_t>(w - 1)] = (wheels & WheelBit(w)) != 0;
    return s;
}

std::string PlayNumbersText(const Play& play) {
    std::string t;
    t.reserve(30);
    for (std::uint8_t n : play.numbers) {
        if (n == 0) continue;
        t += std::to_string(n);
        t += ' ';
    }
    return t;
}

std::string PlayWheelsText(const Play& play) {
    return WheelMaskText(play.wheels);
}

std::string WheelMaskText(std::uint16_t mask) {
    std::string t;
    for (int w = 1; w <= WheelTutte; ++w) {
        if ((mask & WheelBit(w)) == 0) continue;
        t += WheelName(w);
        t += ' ';
    }
    return t;
}

std::string PlayStakeText(const Play& play, int betKind, const Settings& settings) {
    const double s = play.stake(betKind);
    return s > 0 ? FormatAmount(s, settings) : std::string();
}

std::string PlayCellText(const Play& play, int row, int column, const Settings& settings) {
    switch (column) {
    case 0:
        return std::to_string(row);
    case 1:
        return PlayNumbersText(play);
    case 2:
        return PlayWheelsText(play);
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
        return PlayStakeText(play, column - 2, settings);
    default:
        return {};
    }
}

std::string WheelSetText(const std::array<bool, 12>& wheels) {
    std::string t;
    for (int w = 1; w <= WheelTutte; ++w) {
        if (!wheels[static_cast<std::size_t>(w - 1)]) continue;
        t += WheelName(w);
        t += ' ';
    }
    return t;
}

} // namespace numora
