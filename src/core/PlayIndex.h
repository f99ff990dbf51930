#pragma once

#include "core/Play.h"

#include <cstdint>
#include <vector>

namespace numora {

class PlayList;

// Membership of plays by the FindPlay identity (ten number bytes and wheel mask, stakes
// ignored) in O(1): open addressing with linear probing over a packed 96-bit key. Each key
// keeps the first (lowest) index it was inserted with, so find() on an index built in list
// order answers what FindPlay would. It does not follow later changes of the list: insert the
// plays a run adds, rebuild after anything else.
class PlayIndex {
public:
    PlayIndex() = default;
    // Indexes plays first..last (1-based, inclusive, clamped to 1..list.count()) in one pass.
    PlayIndex(const PlayList& list, int first, int last) { build(list, first, last); }
    explicit PlayIndex(const PlayList& list);

    void build(const PlayList& list, int first, int last);
    void build(const PlayList& list);
    void clear();
    // Room for n keys without growing.
    void reserve(int n);

    // Adds the play under index (> 0); false when an identical play is already there (its
    // earlier index stays).
    bool insert(const Play& play, int index);
    bool contains(const Play& play) const { return find(play) != 0; }
    // The index the identical play was inserted with, 0 when none.
    int find(const Play& play) const;
    int size() const { return size_; }

private:
    struct Slot {
        std::uint64_t lo = 0;   // number bytes 0..7
        std::uint32_t hi = 0;   // number bytes 8..9, wheel mask
        std::int32_t index = 0; // 0 = empty slot
    };
    static std::uint64_t Lo(const Play& p);
    static std::uint32_t Hi(const Play& p);
    static std::uint64_t Hash(std::uint64_t lo, std::uint32_t hi);
    void rehash(std::size_t slotCount);

    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
    int size_ = 0;
};

} // namespace numora
