#pragma once

#include <cstdint>
#include <random>

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

} // namespace numora
