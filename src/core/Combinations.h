#pragma once

#include "core/Play.h"

#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace numora {

// C(n, k), exact in 64 bits: 0 when k < 0 or k > n, and the largest 64-bit value when the
// result does not fit (never for the forecasts of the program, where k <= 10).
std::uint64_t Binomial(int n, int k);
inline constexpr std::uint64_t BinomialOverflow = std::numeric_limits<std::uint64_t>::max();

// A forecast as the engines enumerate it: ascending, each number once, only numbers 1..90.
std::vector<std::uint8_t> AscendingForecast(const std::vector<std::uint8_t>& numbers);
// The fixed numbers each once, in their order. A candidate holds all of them exactly when it holds
// each distinct one, so the test that counts pairs and the enumeration that puts them first agree.
std::vector<std::uint8_t> DistinctFixed(const std::vector<std::uint8_t>& fixed);

// The K-number combinations of a list of distinct numbers 1..90 (the forecast), one at a time and
// without allocating, in the order of every generator and reduction of the program: the
// lexicographic order of the 1-based positions idx[1..K] of the numbers in the ascending list,
// first 1, 2, .., K, last N-K+1, .., N. The next combination: idx[K] grows by one; when it would
// pass N, the rightmost idx[i] that can still grow (idx[i] + 1 <= N - (K - i)) grows by one and
// every later idx[k] becomes idx[k-1] + 1; when none can grow the enumeration is over.
//
// Fixed numbers. When the plays must hold every fixed number, the generators keep, out of that
// order, only the combinations that hold them all. Given the fixed numbers, the enumerator yields
// exactly those combinations, in the same relative order, and never visits the others: it runs
// through the (K-F)-combinations of the remaining numbers and sets the fixed numbers in front.
// The order is kept because two combinations that share the fixed numbers differ only in their
// remaining numbers, and of two such combinations the one met first is always the one holding
// the smallest number the other lacks. A fixed number missing from the list, or more fixed
// numbers than K, leaves nothing to enumerate. An engine that skips this way counts its progress
// over count(), the combinations it really visits, instead of C(N, K).
//
// Slots: slots 0..F-1 hold the fixed numbers in ascending order, slots F..K-1 the other numbers
// of the combination in ascending order; without fixed numbers that is simply the combination in
// ascending order. sorted() and writeTo() give all K numbers in ascending order, as a play holds
// them.
//
// Incremental work: after next(), the slots below firstChanged() hold what they held before, so
// a caller that sums a value per number (a score, a count of occurrences) takes the old sum of
// those slots and adds only slots firstChanged()..K-1. After start(), firstChanged() is 0.
class CombinationEnumerator {
public:
    static constexpr int MaxNumbers = 90;

    // Sets up the first combination. `numbers` may come in any order; `fixed` is empty for the
    // plain enumeration. False, with nothing to enumerate, when there is no combination at all
    // (k < 1, k above the list size, more fixed numbers than k, a fixed number not in the list)
    // or when either list holds a number outside 1..90 or a repeated number.
    bool start(std::span<const std::uint8_t> numbers, int k, std::span<const std::uint8_t> fixed = {});

    // Moves to the next combination; false, leaving the last one in place, when there is none.
    bool next();

    // True from a successful start() until next() has answered false.
    bool active() const { return active_; }
    int size() const { return k_; }
    int fixedCount() const { return f_; }
    // How many combinations this enumeration yields in all, and the 0-based rank of the current one.
    std::uint64_t count() const { return count_; }
    std::uint64_t rank() const { return rank_; }

    std::uint8_t number(int slot) const { return slots_[static_cast<std::size_t>(slot)]; }
    const std::uint8_t* numbers() const { return slots_.data(); }
    // The 1-based position in the ascending list of the number in `slot`, for per-position tables.
    int position(int slot) const { return positions_[static_cast<std::size_t>(slot)]; }
    int firstChanged() const { return changed_; }

    // The ascending list the combinations are drawn from.
    int listSize() const { return n_; }
    std::uint8_t listNumber(int position) const { return list_[static_cast<std::size_t>(position - 1)]; }

    // The K numbers in ascending order into out[0..K-1].
    void sorted(std::uint8_t* out) const;
    // The K numbers in ascending order into the first K number slots of the play, the other
    // slots zero; stakes and wheels are left as they are. No play holds more than ten numbers:
    // of a larger combination only the ten smallest are written.
    void writeTo(Play& play) const;

private:
    void place(int from);

    std::array<std::uint8_t, MaxNumbers> list_{};      // the ascending list
    std::array<std::uint8_t, MaxNumbers> others_{};    // positions of the numbers that are not fixed
    std::array<std::uint8_t, MaxNumbers> idx_{};       // per free slot, 0-based index into others_
    std::array<std::uint8_t, MaxNumbers> slots_{};     // the numbers, in slot order
    std::array<std::uint8_t, MaxNumbers> positions_{}; // their positions in the list
    int n_ = 0;
    int k_ = 0;
    int f_ = 0;
    int freeN_ = 0;
    int freeK_ = 0;
    int changed_ = 0;
    std::uint64_t count_ = 0;
    std::uint64_t rank_ = 0;
    bool active_ = false;
};

} // namespace numora
