#include "core/Random.h"

#include <chrono>

namespace numora {

StdRandom::StdRandom() { seedFromClock(); }

void StdRandom::seedFromClock() {
    engine_.seed(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                 static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}

int StdRandom::below(int n) {
    if (n <= 1) return 0;
    return static_cast<int>(std::uniform_int_distribution<int>(0, n - 1)(engine_));
}

} // namespace numora
