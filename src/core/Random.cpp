#include "core/Random.h"

#include <chrono>

namespace numora {

StdRandom::StdRandom() {
    seedFromClock();
}

void StdRandom::seedFromClock() {
    engine_.seed(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                 static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}

int StdRandom::below(int n) {
    if (n <= 1) return 0;
    return UniformBelow(engine_, n);
}

int SequenceRandom::below(int n) {
    ++draws_;
    if (n <= 1 || values_.empty()) return 0;
    const int v = values_[next_];
    next_ = (next_ + 1) % values_.size();
    const int r = v % n;
    return r < 0 ? r + n : r;
}

} // namespace numora
