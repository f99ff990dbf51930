#include "core/TextHelpers.h"

#include "core/Settings.h"
#include "core/Types.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace numora {

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

std::string FormatReal(double x, int decimals) {
    decimals = std::clamp(decimals, 0, 20);
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, decimals);
    std::string t = res.ec == std::errc() ? std::string(buf, res.ptr) : std::string("0");
    // Only a fraction is trimmed: an integer text (no decimals asked) keeps its zeros.
    if (t.find('.') == std::string::npos) return t;
    while (t.size() >= 2 && t[t.size() - 1] == '0' && t[t.size() - 2] == '0') t.pop_back();
    return t;
}

std::string FormatAmount(double x, int decimals) {
    std::string t = FormatReal(x, 10);
    std::string sign;
    if (!t.empty() && t.front() == '-') {
        sign = "-";
        t.erase(0, 1);
    }
    auto dot = t.find('.');
    std::string ip = dot == std::string::npos ? t : t.substr(0, dot);
    std::string fp = dot == std::string::npos ? std::string() : t.substr(dot + 1);
    std::string grouped;
    const std::size_t len = ip.size();
    for (std::size_t k = 0; k < len; ++k) {
        if (k > 0 && (len - k) % 3 == 0) grouped.push_back('.');
        grouped.push_back(ip[k]);
    }
    const auto d = static_cast<std::size_t>(std::max(decimals, 0));
    if (fp.size() > d) fp.resize(d);
    while (fp.size() < d) fp.push_back('0');
    std::string out = sign + grouped;
    if (!fp.empty()) out += "," + fp;
    return out;
}

std::string FormatAmount(double x, const Settings& settings) { return FormatAmount(x, settings.decimali); }

AmountParse ParseAmount(std::string_view text) {
    AmountParse r;
    r.value = 0;
    if (text.empty()) {
        r.ok = true;
        return r;
    }
    std::string t(text);
    std::replace(t.begin(), t.end(), ',', '.');
    double v = 0;
    auto res = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
    if (res.ec == std::errc() || res.ec == std::errc::result_out_of_range) r.value = v;
    r.ok = res.ec == std::errc() && res.ptr == t.data() + t.size() && std::isfinite(v) && v >= 0;
    return r;
}

bool ParseWholeNumber(std::string_view text, long long& value) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    auto first = text.find_first_not_of('0');
    text.remove_prefix(first == std::string_view::npos ? text.size() : first);
    // Beyond 18 digits the value is out of every range the program uses; saturate.
    if (text.size() > 18) {
        value = 999999999999999999LL;
        return true;
    }
    long long v = 0;
    for (char c : text) v = v * 10 + (c - '0');
    value = v;
    return true;
}

NumberListParse ParseNumberList(std::string_view text) {
    NumberListParse r;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < text.size() && text[j] != ' ') ++j;
        long long v = 0;
        if (!ParseWholeNumber(text.substr(i, j - i), v) || v < 1 || v > 90) {
            r.numbers.clear();
            return r;
        }
        r.numbers.push_back(static_cast<int>(v));
        i = j;
    }
    std::sort(r.numbers.begin(), r.numbers.end());
    if (std::adjacent_find(r.numbers.begin(), r.numbers.end()) != r.numbers.end()) {
        r.numbers.clear();
        return r;
    }
    r.ok = !r.numbers.empty();
    return r;
}

DateParse ParseDate(std::string_view text) {
    DateParse r;
    auto s1 = text.find('/');
    if (s1 == std::string_view::npos || s1 == 0) return r;
    long long d = 0, m = 0, y = 0;
    if (!ParseWholeNumber(text.substr(0, s1), d) || d < 1 || d > 31) return r;
    auto rest = text.substr(s1 + 1);
    auto s2 = rest.find('/');
    if (s2 == std::string_view::npos || s2 == 0) return r;
    if (!ParseWholeNumber(rest.substr(0, s2), m) || m < 1 || m > 12) return r;
    if (!ParseWholeNumber(rest.substr(s2 + 1), y) || y < 1900 || y > 2100) return r;
    r.ok = true;
    r.day = static_cast<std::uint8_t>(d);
    r.month = static_cast<std::uint8_t>(m);
    r.year = static_cast<std::uint16_t>(y);
    return r;
}

int FindWheelByName(std::string_view text) {
    text = TrimBlanks(text);
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    for (int w = 1; w <= 12; ++w) {
        auto name = WheelName(w);
        if (name.size() == text.size() &&
            std::equal(name.begin(), name.end(), text.begin(), [&](char a, char b) { return lower(a) == lower(b); }))
            return w;
    }
    return 0;
}

std::array<bool, 18> DecomposeStake(double amount, const std::array<double, 18>& denominations) {
    std::array<bool, 18> flags{};
    auto thousandths = [](double v) { return std::isfinite(v) ? std::nearbyint(v * 1000.0) : 0.0; };
    double rest = amount;
    for (int j = 18; j >= 1; --j) {
        double den = denominations[static_cast<std::size_t>(j - 1)];
        if (thousandths(den) <= thousandths(rest)) {
            flags[static_cast<std::size_t>(18 - j)] = true;
            rest -= den;
        }
    }
    return flags;
}

std::int32_t Factorial(int n) {
    std::uint32_t f = 1;
    for (int k = 2; k <= n; ++k) f *= static_cast<std::uint32_t>(k);
    return static_cast<std::int32_t>(f);
}

} // namespace numora
