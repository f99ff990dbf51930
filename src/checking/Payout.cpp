#include "checking/Payout.h"

#include "core/Settings.h"
#include "core/TextHelpers.h"

#include <charconv>
#include <cmath>
#include <numeric>

namespace numora {

namespace {

constexpr long long NanoPerEuro = 1'000'000'000LL;
constexpr double LargestEuros = 1e9;
// Units per (nano-euro of stake times thousandth of multiplier): PerEuro / 10^12.
constexpr long long UnitsPerNanoMilli = 25'200;

// The decimal text of a non-negative double as nano-euros, rounded half up at the ninth decimal.
AmountUnits NanoFromDecimalText(const char* first, const char* last) {
    AmountUnits whole = 0;
    const char* p = first;
    for (; p != last && *p != '.'; ++p) whole = whole * 10 + (*p - '0');
    AmountUnits frac = 0;
    int digits = 0;
    bool roundUp = false;
    if (p != last) ++p;
    for (; p != last; ++p, ++digits) {
        if (digits < 9)
            frac = frac * 10 + (*p - '0');
        else if (digits == 9)
            roundUp = *p >= '5';
    }
    for (int i = digits; i < 9; ++i) frac *= 10;
    return whole * NanoPerEuro + frac + (roundUp ? 1 : 0);
}

} // namespace

Amount Amount::fromDouble(double x) {
    if (!(x > 0)) return Amount{};
    if (x > LargestEuros) x = LargestEuros;
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
    return Amount{NanoFromDecimalText(buf, r.ptr) * (PerEuro / NanoPerEuro)};
}

double Amount::toDouble() const {
    const AmountUnits whole = units / PerEuro;
    const AmountUnits rest = units % PerEuro;
    return static_cast<double>(static_cast<long double>(whole) +
                               static_cast<long double>(rest) / static_cast<long double>(PerEuro));
}

long double CombinationCount(int a, int k) {
    return static_cast<long double>(Factorial(a)) /
           (static_cast<long double>(Factorial(a - k)) * KindFactorial[static_cast<std::size_t>(k - 1)]);
}

Amount BetWin(int k, Amount stake, int h, int n, int d, Amount cap) {
    if (k < 1 || k > 5 || h < k || !stake.positive() || d < 1) return Amount{};
    // C(h, k) / C(n, k) = h! (n-k)! / ((h-k)! n!), with Factorial's 1 below 2; reduced first so
    // the product below stays small.
    long long p = static_cast<long long>(Factorial(h)) * Factorial(n - k);
    long long q = static_cast<long long>(Factorial(h - k)) * Factorial(n);
    if (p <= 0 || q <= 0) return Amount{};
    const long long g = std::gcd(p, q);
    p /= g;
    q /= g;
    const AmountUnits nano = stake.units / (Amount::PerEuro / NanoPerEuro);
    const AmountUnits num = nano * MultiplierMilli[static_cast<std::size_t>(k - 1)] * UnitsPerNanoMilli * p;
    const Amount win{num / (static_cast<AmountUnits>(q) * d)};
    return Capped(win, cap);
}

std::string FormatAmount(Amount a, int decimals) {
    if (a.units < 0) a.units = 0;
    // Ten decimals, rounded half up, as the amount would be written before the cut.
    constexpr AmountUnits perTenth = Amount::PerEuro / 10'000'000'000LL;
    const AmountUnits tenths = (a.units + perTenth / 2) / perTenth;
    AmountUnits whole = tenths / 10'000'000'000LL;
    long long frac = static_cast<long long>(tenths % 10'000'000'000LL);
    std::string i;
    do {
        i.insert(i.begin(), static_cast<char>('0' + static_cast<int>(whole % 10)));
        whole /= 10;
    } while (whole > 0);
    std::string grouped;
    for (std::size_t k = 0; k < i.size(); ++k) {
        if (k > 0 && (i.size() - k) % 3 == 0) grouped += '.';
        grouped += i[k];
    }
    if (decimals <= 0) return grouped;
    std::string f(10, '0');
    for (int k = 9; k >= 0; --k, frac /= 10) f[static_cast<std::size_t>(k)] = static_cast<char>('0' + frac % 10);
    if (decimals < 10)
        f.resize(static_cast<std::size_t>(decimals));
    else
        f.append(static_cast<std::size_t>(decimals - 10), '0');
    return grouped + "," + f;
}

std::string FormatAmount(Amount a, const Settings& settings) {
    return FormatAmount(a, settings.decimali);
}

Amount CalculatorTotal(const std::array<Amount, 5>& stakes, int h, int n, int d, Amount cap) {
    Amount total;
    for (int k = 1; k <= 5 && k <= h; ++k) total += BetWin(k, stakes[static_cast<std::size_t>(k - 1)], h, n, d, cap);
    return Capped(total, cap);
}

bool ParseCalculatorStake(const std::string& text, Amount& value) {
    value = Amount{};
    if (text.empty()) return true;
    int points = 0;
    int digits = 0;
    for (char c : text) {
        if (c == '.')
            ++points;
        else if (c >= '0' && c <= '9')
            ++digits;
        else
            return false;
    }
    if (points > 1 || digits == 0) return false;
    // Integer part beyond ten digits is above the limit whatever follows.
    const auto point = text.find('.');
    std::string whole = text.substr(0, point);
    while (whole.size() > 1 && whole.front() == '0') whole.erase(whole.begin());
    if (whole.size() > 10) return false;
    const AmountUnits nano = NanoFromDecimalText(text.data(), text.data() + text.size());
    if (nano > static_cast<AmountUnits>(LargestEuros) * NanoPerEuro) return false;
    value = Amount{nano * (Amount::PerEuro / NanoPerEuro)};
    return true;
}

} // namespace numora
