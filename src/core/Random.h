#pragma once

#include <cstdint>
#include <limits>
#include <random>
#include <utility>
#include <vector>

namespace numora {

// A uniform integer in 0..n-1 (n > 0) from the 64-bit generator. The standard distributions draw
// differently in each standard library, so the same seed would give other plays on Windows; this
// one is the same everywhere. The few values below 2^64 mod n are drawn again, so that what is
// left is a whole number of rounds of 0..n-1 and no value is favoured.
inline int UniformBelow(std::mt19937_64& engine, int n) {
    const auto range = static_cast<std::uint64_t>(n);
    const std::uint64_t skip = (std::numeric_limits<std::uint64_t>::max() - range + 1) % range;
    std::uint64_t x = engine();
    while (x < skip) x = engine();
    return static_cast<int>(x % range);
}

// The process-wide pseudo-random source; an interface so tests can fix its values.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Uniform integer in 0..n-1 (n > 0).
    virtual int below(int n) = 0;
};

class StdRandom : public RandomSource {
public:
    StdRandom();
    explicit StdRandom(std::uint64_t seed) : engine_(seed) {}
    void seed(std::uint64_t s) { engine_.seed(s); }
    void seedFromClock();
    int below(int n) override;
    std::mt19937_64& engine() { return engine_; }

private:
    std::mt19937_64 engine_;
};

// A source that answers with the given values in turn, each taken modulo n, and starts over
// after the last one; an empty list always answers 0. For tests that must know what a run draws.
class SequenceRandom : public RandomSource {
public:
    explicit SequenceRandom(std::vector<int> values) : values_(std::move(values)) {}
    int below(int n) override;
    // How many values have been drawn so far.
    int draws() const { return draws_; }

private:
    std::vector<int> values_;
    std::size_t next_ = 0;
    int draws_ = 0;
};

} // namespace numora
