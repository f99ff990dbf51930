#pragma once
// The numbers of a play as a set of 90 bits, so that the numbers two plays share are counted with
// two popcounts instead of a comparison of every pair of slots.

#include <bit>
#include <cstdint>

namespace numora {

struct NumberMask {
    std::uint64_t lo = 0; // numbers 1..64
    std::uint64_t hi = 0; // numbers 65..90

    // Numbers outside 1..90 (only a damaged file holds one) equal no forecast number: they are left out.
    void add(int n) {
        if (n >= 1 && n <= 64)
            lo |= std::uint64_t{1} << (n - 1);
        else if (n > 64 && n <= 90)
            hi |= std::uint64_t{1} << (n - 65);
    }
    bool has(int n) const {
        if (n >= 1 && n <= 64) return (lo >> (n - 1)) & 1u;
        if (n > 64 && n <= 90) return (hi >> (n - 65)) & 1u;
        return false;
    }
    bool empty() const { return (lo | hi) == 0; }
    int count() const { return std::popcount(lo) + std::popcount(hi); }
    NumberMask operator|(NumberMask o) const { return {lo | o.lo, hi | o.hi}; }
    bool operator==(const NumberMask&) const = default;

    template <typename Range> static NumberMask Of(const Range& numbers) {
        NumberMask m;
        for (auto n : numbers) m.add(static_cast<int>(n));
        return m;
    }
};

// How many numbers the two sets share.
inline int CommonCount(NumberMask a, NumberMask b) {
    return std::popcount(a.lo & b.lo) + std::popcount(a.hi & b.hi);
}

} // namespace numora
