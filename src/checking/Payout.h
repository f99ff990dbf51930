#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace numora {

struct Settings;

// An amount of money held exactly. The multipliers and stakes are decimal and a win divides by
// C(n, k) (a divisor of 2520) and by the wheel divisor (1 or 10), so counting in units of
// 1/(2520 * 10^13) euro keeps every win and every sum of wins exact; binary floating point
// would lose a cent on wins such as a 0,70 cinquina on six numbers with five hits.
__extension__ typedef __int128 AmountUnits;

struct Amount {
    static constexpr AmountUnits PerEuro = static_cast<AmountUnits>(2520) * 10'000'000'000'000LL;
    AmountUnits units = 0;

    // The nearest decimal with nine decimals of x (the stakes and the cap are typed decimals;
    // the shortest text of the double is taken, so 0.7 is 0,70 exactly). x at most 10^9 euro:
    // larger values are taken as 10^9; not a positive number gives 0.
    static Amount fromDouble(double x);
    static Amount euros(long long e) { return Amount{static_cast<AmountUnits>(e) * PerEuro}; }
    double toDouble() const;

    Amount& operator+=(Amount o) {
        units += o.units;
        return *this;
    }
    friend Amount operator+(Amount a, Amount b) { return Amount{a.units + b.units}; }
    friend auto operator<=>(const Amount&, const Amount&) = default;
    bool positive() const { return units > 0; }
};

// The payout multiplier of bet kind k (1..5) in thousandths of the win: 11232, 250000, ...
inline constexpr std::array<long long, 5> MultiplierMilli = {11'232, 250'000, 4'500'000, 120'000'000, 6'000'000'000};
inline constexpr std::array<int, 5> KindFactorial = {1, 2, 6, 24, 120};

// Factorial(a) / (Factorial(a - k) * k!), extended precision, with Factorial's 1 for any
// argument below 2; C(a, k) whenever a >= k. k is 1..5.
long double CombinationCount(int a, int k);

// The win of stake on bet kind k when h of the n numbers played came out on one wheel, with
// wheel divisor d (10 for a stake on "Tutte", else 1): stake * C(h, k) / C(n, k) * multiplier
// / d, nothing when h < k, at most cap. Exact whenever C(n, k) is a binomial coefficient
// (n >= k), which every play and every input of the calculator satisfies; for n < k the ratio
// falls back on Factorial's definition and is cut to the unit.
Amount BetWin(int k, Amount stake, int h, int n, int d, Amount cap);

inline Amount Capped(Amount a, Amount cap) {
    return a > cap ? cap : a;
}

// FormatAmount of the exact amount: the amount rounded to ten decimals, the thousands grouped
// with "." and the decimals cut (not rounded) to `decimals` after ",".
std::string FormatAmount(Amount a, int decimals);
std::string FormatAmount(Amount a, const Settings& settings);

// The winnings calculator: the total of BetWin over the kinds up to h, each term and then the
// total capped.
Amount CalculatorTotal(const std::array<Amount, 5>& stakes, int h, int n, int d, Amount cap);

// Reads one stake field of the calculator: empty is 0; digits with at most one "." (the
// decimal point) and at least one digit; above 10^9 euro it is refused.
bool ParseCalculatorStake(const std::string& text, Amount& value);

inline constexpr std::array<const char*, 5> StakeFieldMessages = {
    "L'importo dell'estratto non è valido.", "L'importo dell'ambo non è valido.", "L'importo del terno non è valido.",
    "L'importo della quaterna non è valido.", "L'importo della cinquina non è valido."};
inline constexpr const char* StakesNotPositiveMessage = "Gli importi delle giocate devono essere maggiori di zero.";
inline constexpr const char* GrossNote = "*Al lordo delle ritenute di legge";

} // namespace numora
