#include "stats/DrawWindow.h"

#include <utility>

namespace numora {

WheelSet CountedWheels(std::uint16_t mask) {
    WheelSet set = static_cast<WheelSet>(mask & AllWheelSet);
    if ((mask & (1u << 11)) != 0) set = static_cast<WheelSet>(set | RegionalWheelSet);
    return set;
}

bool ParseFieldInteger(std::string_view text, int& value) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return false;
    long long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
        if (v > 2147483648LL) return false;
    }
    if (negative) v = -v;
    if (v > 2147483647LL) return false;
    value = static_cast<int>(v);
    return true;
}

DrawWindowReading ReadDrawWindow(std::string_view startText, std::string_view endText, int drawCount) {
    DrawWindowReading r;
    int start = 0;
    int end = 0;
    if (!ParseFieldInteger(startText, start) || start < 1 || start > drawCount) {
        r.message = InvalidStartMessage;
        return r;
    }
    if (!ParseFieldInteger(endText, end) || end < 1 || end > drawCount) {
        r.message = InvalidEndMessage;
        return r;
    }
    if (end < start) std::swap(start, end);
    r.ok = true;
    r.window = {start, end};
    return r;
}

} // namespace numora
