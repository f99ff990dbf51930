#include "core/PlayIndex.h"

#include "core/PlayList.h"

#include <algorithm>
#include <bit>

namespace numora {

PlayIndex::PlayIndex(const PlayList& list) {
    build(list);
}

std::uint64_t PlayIndex::Lo(const Play& p) {
    std::uint64_t v = 0;
    for (int k = 7; k >= 0; --k) v = (v << 8) | p.numbers[static_cast<std::size_t>(k)];
    return v;
}

std::uint32_t PlayIndex::Hi(const Play& p) {
    return static_cast<std::uint32_t>(p.numbers[8]) | (static_cast<std::uint32_t>(p.numbers[9]) << 8) |
           (static_cast<std::uint32_t>(p.wheels) << 16);
}

std::uint64_t PlayIndex::Hash(std::uint64_t lo, std::uint32_t hi) {
    // splitmix64 finaliser over both words
    std::uint64_t x = lo ^ (static_cast<std::uint64_t>(hi) * 0x9E3779B97F4A7C15ull);
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    x ^= x >> 31;
    return x;
}

void PlayIndex::clear() {
    slots_.clear();
    mask_ = 0;
    size_ = 0;
}

void PlayIndex::reserve(int n) {
    // Keep the load factor at or below one half.
    std::size_t want = std::bit_ceil(static_cast<std::size_t>(std::max(n, 8)) * 2);
    if (want > slots_.size()) rehash(want);
}

void PlayIndex::rehash(std::size_t slotCount) {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(slotCount, Slot{});
    mask_ = slotCount - 1;
    for (const Slot& s : old) {
        if (s.index == 0) continue;
        std::size_t h = Hash(s.lo, s.hi) & mask_;
        while (slots_[h].index != 0) h = (h + 1) & mask_;
        slots_[h] = s;
    }
}

void PlayIndex::build(const PlayList& list, int first, int last) {
    clear();
    first = std::max(first, 1);
    last = std::min(last, list.count());
    if (last < first) return;
    reserve(last - first + 1);
    for (int i = first; i <= last; ++i) insert(list.play(i), i);
}

void PlayIndex::build(const PlayList& list) {
    build(list, 1, list.count());
}

bool PlayIndex::insert(const Play& play, int index) {
    if (index <= 0) return false;
    if (static_cast<std::size_t>(size_ + 1) * 2 > slots_.size()) reserve(size_ + 1);
    const std::uint64_t lo = Lo(play);
    const std::uint32_t hi = Hi(play);
    std::size_t h = Hash(lo, hi) & mask_;
    while (slots_[h].index != 0) {
        if (slots_[h].lo == lo && slots_[h].hi == hi) return false;
        h = (h + 1) & mask_;
    }
    slots_[h] = Slot{lo, hi, index};
    ++size_;
    return true;
}

int PlayIndex::find(const Play& play) const {
    if (size_ == 0) return 0;
    const std::uint64_t lo = Lo(play);
    const std::uint32_t hi = Hi(play);
    std::size_t h = Hash(lo, hi) & mask_;
    while (slots_[h].index != 0) {
        if (slots_[h].lo == lo && slots_[h].hi == hi) return slots_[h].index;
        h = (h + 1) & mask_;
    }
    return 0;
}

} // namespace numora
