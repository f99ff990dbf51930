#include "core/TextHelpers.h"

#include "core/Settings.h"
#include "core/Types.h"

#include <algorithm>
#include <array>
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

std::string FormatAmount(double x, const Settings& settings) {
    return FormatAmount(x, settings.decimali);
}

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

namespace {

// 0x80..0x9F of Windows-1252; 0 marks the five codes the code page leaves undefined.
constexpr std::array<char32_t, 32> Cp1252High = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool ToCp1252(char32_t u, unsigned char& c) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
        c = static_cast<unsigned char>(u);
        return true;
    }
    for (std::size_t k = 0; k < Cp1252High.size(); ++k) {
        if (Cp1252High[k] == u || (Cp1252High[k] == 0 && u == 0x80 + k)) {
            c = static_cast<unsigned char>(0x80 + k);
            return true;
        }
    }
    return false;
}

} // namespace

char32_t Cp1252CodePoint(unsigned char byte, Cp1252Undefined undefined) {
    if (byte < 0x80 || byte > 0x9F) return byte;
    const char32_t u = Cp1252High[static_cast<std::size_t>(byte - 0x80)];
    if (u != 0) return u;
    return undefined == Cp1252Undefined::AsControl ? char32_t{byte} : U'\uFFFD';
}

std::string Cp1252ToUtf8(std::string_view text, Cp1252Undefined undefined) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) AppendUtf8(out, Cp1252CodePoint(static_cast<unsigned char>(c), undefined));
    return out;
}

bool Utf8ToCp1252(std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size();) {
        char32_t u = 0;
        unsigned char c = 0;
        if (!NextUtf8(text, i, u) || !ToCp1252(u, c)) return false;
        out.push_back(static_cast<char>(c));
    }
    return true;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool NextUtf8(std::string_view s, std::size_t& i, char32_t& u) {
    const auto b = static_cast<unsigned char>(s[i]);
    int extra = 0;
    if (b < 0x80) {
        u = b;
    } else if ((b & 0xE0) == 0xC0) {
        u = b & 0x1F;
        extra = 1;
    } else if ((b & 0xF0) == 0xE0) {
        u = b & 0x0F;
        extra = 2;
    } else if ((b & 0xF8) == 0xF0) {
        u = b & 0x07;
        extra = 3;
    } else {
        return false;
    }
    ++i;
    for (int k = 0; k < extra; ++k, ++i) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return false;
        u = (u << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
    }
    return true;
}

} // namespace numora
