#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>

namespace numora {

// The wheels a play's stakes are paid on: the bits of the mask, "Tutte" counting as one; an empty
// mask counts as one.
inline int WheelCountOf(std::uint16_t mask) {
    const int c = std::popcount(static_cast<unsigned>(mask));
    return c == 0 ? 1 : c;
}

// One play, 64 bytes, the same in memory and in the system file: numbers at 0..9 (0 = unused
// slot, used slots first), zero at 10..15, the five stakes (estratto .. cinquina) at 16..55,
// the wheel mask at 56..57 (bit w-1 = wheel w, bit 10 = "R. Nazionale", bit 11 = "Tutte"),
// zero at 58..63. It is still read and written field by field.
struct Play {
    std::array<std::uint8_t, 10> numbers{};
    std::array<std::uint8_t, 6> reserved0{};
    std::array<double, 5> stakes{};
    std::uint16_t wheels = 0;
    std::array<std::uint8_t, 6> reserved1{};

    static constexpr std::size_t Size = 64;
    static constexpr int MaxNumbers = 10;

    // Count of the used number slots (the non-zero bytes).
    int numberCount() const {
        int c = 0;
        for (auto n : numbers) c += n != 0 ? 1 : 0;
        return c;
    }
    std::uint8_t number(int slot) const { return numbers[static_cast<std::size_t>(slot)]; }
    // Fills the slots from the start with the given numbers (at most ten) and zeroes the rest.
    void setNumbers(std::initializer_list<int> list) {
        numbers.fill(0);
        std::size_t k = 0;
        for (int n : list) {
            if (k == numbers.size()) break;
            numbers[k++] = static_cast<std::uint8_t>(n);
        }
    }
    template <typename Range> void setNumbersFrom(const Range& list) {
        numbers.fill(0);
        std::size_t k = 0;
        for (auto n : list) {
            if (k == numbers.size()) break;
            numbers[k++] = static_cast<std::uint8_t>(n);
        }
    }

    double stake(int betKind) const { return stakes[static_cast<std::size_t>(betKind - 1)]; }
    void setStake(int betKind, double v) { stakes[static_cast<std::size_t>(betKind - 1)] = v; }
    double stakeSum() const { return stakes[0] + stakes[1] + stakes[2] + stakes[3] + stakes[4]; }

    bool onWheel(int w) const { return (wheels & (1u << (w - 1))) != 0; }
    // Bits set in the mask, "Tutte" counting as one; an empty mask counts as one.
    int wheelCount() const { return WheelCountOf(wheels); }
    // The cost of a play: the sum of its stakes above 0 times wheelCount(); a stake that is not
    // a positive amount (only a damaged file could hold one) costs nothing.
    double cost() const {
        double sum = 0;
        for (double v : stakes)
            if (v > 0) sum += v;
        return sum * wheelCount();
    }

    // Same ten number bytes position by position and same wheel mask; the identity that
    // FindPlay and AddOrReplacePlay use (stakes ignored).
    bool sameNumbersAndWheels(const Play& other) const {
        return wheels == other.wheels && std::memcmp(numbers.data(), other.numbers.data(), numbers.size()) == 0;
    }

    // Writes the 64 bytes at out, little-endian; the two reserved ranges are written as zero.
    void toBytes(std::uint8_t* out) const {
        std::memcpy(out, numbers.data(), numbers.size());
        std::memset(out + 10, 0, 6);
        for (std::size_t k = 0; k < stakes.size(); ++k) {
            std::uint64_t bits = std::bit_cast<std::uint64_t>(stakes[k]);
            for (int b = 0; b < 8; ++b)
                out[16 + k * 8 + static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(bits >> (8 * b));
        }
        out[56] = static_cast<std::uint8_t>(wheels & 0xFF);
        out[57] = static_cast<std::uint8_t>(wheels >> 8);
        std::memset(out + 58, 0, 6);
    }
    // Reads 64 bytes; the reserved ranges of the result are zero whatever the bytes hold.
    static Play fromBytes(const std::uint8_t* in) {
        Play p;
        std::memcpy(p.numbers.data(), in, p.numbers.size());
        for (std::size_t k = 0; k < p.stakes.size(); ++k) {
            std::uint64_t bits = 0;
            for (int b = 0; b < 8; ++b)
                bits |= static_cast<std::uint64_t>(in[16 + k * 8 + static_cast<std::size_t>(b)]) << (8 * b);
            p.stakes[k] = std::bit_cast<double>(bits);
        }
        p.wheels = static_cast<std::uint16_t>(in[56] | (in[57] << 8));
        return p;
    }

    bool operator==(const Play&) const = default;
};
static_assert(sizeof(Play) == Play::Size, "Play must be exactly 64 bytes");
static_assert(offsetof(Play, numbers) == 0 && offsetof(Play, reserved0) == 10 && offsetof(Play, stakes) == 16 &&
                  offsetof(Play, wheels) == 56 && offsetof(Play, reserved1) == 58,
              "Play fields must sit at the offsets of the system file");

} // namespace numora
