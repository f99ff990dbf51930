#include "core/Combinations.h"

#include <algorithm>
#include <numeric>

namespace numora {

std::vector<std::uint8_t> AscendingForecast(const std::vector<std::uint8_t>& numbers) {
    std::array<bool, 91> in{};
    for (std::uint8_t n : numbers)
        if (n >= 1 && n <= 90) in[n] = true;
    std::vector<std::uint8_t> list;
    for (int n = 1; n <= 90; ++n)
        if (in[static_cast<std::size_t>(n)]) list.push_back(static_cast<std::uint8_t>(n));
    return list;
}

std::vector<std::uint8_t> DistinctFixed(const std::vector<std::uint8_t>& fixed) {
    std::vector<std::uint8_t> out;
    for (std::uint8_t f : fixed)
        if (std::find(out.begin(), out.end(), f) == out.end()) out.push_back(f);
    return out;
}

std::uint64_t Binomial(int n, int k) {
    if (k < 0 || n < 0 || k > n) return 0;
    if (k > n - k) k = n - k;
    std::uint64_t r = 1;
    for (int i = 1; i <= k; ++i) {
        // r * m / i is whole at every step; dividing by the common factor first keeps the
        // product small, and what is left of i always divides m.
        const auto m = static_cast<std::uint64_t>(n - k + i);
        const std::uint64_t g = std::gcd(r, static_cast<std::uint64_t>(i));
        const std::uint64_t a = r / g;
        const std::uint64_t b = m / (static_cast<std::uint64_t>(i) / g);
        if (b != 0 && a > BinomialOverflow / b) return BinomialOverflow;
        r = a * b;
    }
    return r;
}

namespace {

using Flags = std::array<bool, CombinationEnumerator::MaxNumbers + 1>;

// Marks the numbers of a list; false when one lies outside 1..90 or comes twice.
bool MarkNumbers(std::span<const std::uint8_t> numbers, Flags& flags) {
    for (std::uint8_t v : numbers) {
        if (v < 1 || v > CombinationEnumerator::MaxNumbers || flags[v]) return false;
        flags[v] = true;
    }
    return true;
}

} // namespace

bool CombinationEnumerator::start(std::span<const std::uint8_t> numbers, int k, std::span<const std::uint8_t> fixed) {
    active_ = false;
    n_ = k_ = f_ = freeN_ = freeK_ = changed_ = 0;
    count_ = rank_ = 0;

    Flags inList{};
    Flags isFixed{};
    if (!MarkNumbers(numbers, inList) || !MarkNumbers(fixed, isFixed)) return false;
    for (int v = 1; v <= MaxNumbers; ++v)
        if (inList[static_cast<std::size_t>(v)]) list_[static_cast<std::size_t>(n_++)] = static_cast<std::uint8_t>(v);

    const int f = static_cast<int>(fixed.size());
    if (k < 1 || k > n_ || f > k) return false;
    int slot = 0;
    for (int p = 1; p <= n_; ++p) {
        const std::uint8_t v = list_[static_cast<std::size_t>(p - 1)];
        if (isFixed[v]) {
            slots_[static_cast<std::size_t>(slot)] = v;
            positions_[static_cast<std::size_t>(slot)] = static_cast<std::uint8_t>(p);
            ++slot;
        } else {
            others_[static_cast<std::size_t>(freeN_++)] = static_cast<std::uint8_t>(p);
        }
    }
    if (slot != f) return false; // a fixed number is not in the list

    k_ = k;
    f_ = f;
    freeK_ = k - f;
    for (int j = 0; j < freeK_; ++j) idx_[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(j);
    place(0);
    count_ = Binomial(freeN_, freeK_);
    active_ = count_ > 0;
    return active_;
}

void CombinationEnumerator::place(int from) {
    for (int j = from; j < freeK_; ++j) {
        const std::size_t s = static_cast<std::size_t>(f_ + j);
        positions_[s] = others_[idx_[static_cast<std::size_t>(j)]];
        slots_[s] = list_[static_cast<std::size_t>(positions_[s] - 1)];
    }
}

bool CombinationEnumerator::next() {
    if (!active_) return false;
    int i = freeK_ - 1;
    while (i >= 0 && idx_[static_cast<std::size_t>(i)] == freeN_ - freeK_ + i) --i;
    if (i < 0) {
        active_ = false;
        return false;
    }
    ++idx_[static_cast<std::size_t>(i)];
    for (int j = i + 1; j < freeK_; ++j)
        idx_[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(idx_[static_cast<std::size_t>(j - 1)] + 1);
    place(i);
    changed_ = f_ + i;
    ++rank_;
    return true;
}

void CombinationEnumerator::sorted(std::uint8_t* out) const {
    // Two ascending runs: the fixed numbers and the others.
    int a = 0;
    int b = f_;
    for (int o = 0; o < k_; ++o) {
        if (b >= k_ || (a < f_ && slots_[static_cast<std::size_t>(a)] < slots_[static_cast<std::size_t>(b)]))
            out[o] = slots_[static_cast<std::size_t>(a++)];
        else
            out[o] = slots_[static_cast<std::size_t>(b++)];
    }
}

void CombinationEnumerator::writeTo(Play& play) const {
    play.numbers.fill(0);
    if (k_ <= Play::MaxNumbers) {
        sorted(play.numbers.data());
        return;
    }
    std::array<std::uint8_t, MaxNumbers> all{};
    sorted(all.data());
    for (std::size_t s = 0; s < play.numbers.size(); ++s) play.numbers[s] = all[s];
}

} // namespace numora
