#pragma once

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace numora {

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
