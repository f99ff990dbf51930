#include "core/PlayList.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <type_traits>
#include <vector>

namespace numora {

// The slots are plain bytes from calloc: an all-zero Play is Play{}, and a Play may begin its life
// in such storage.
static_assert(std::is_aggregate_v<Play> && std::is_trivially_copyable_v<Play> &&
              std::is_trivially_destructible_v<Play>);

const Play PlayList::ZeroPlay{};

void PlayList::Release::operator()(Play* p) const {
    std::free(p);
}

void PlayList::allocate() {
    void* memory = std::calloc(Capacity, sizeof(Play));
    if (!memory) throw std::bad_alloc();
    slots_.reset(static_cast<Play*>(memory));
}

PlayList::PlayList(const PlayList& other) {
    copyFrom(other);
}

PlayList& PlayList::operator=(const PlayList& other) {
    if (this != &other) copyFrom(other);
    return *this;
}

void PlayList::zeroAll() {
    // Fresh zeroed memory, taken when a play is next written, instead of writing 6.4 MB of zeros.
    slots_.reset();
    count_ = 0;
}

void PlayList::copyFrom(const PlayList& other) {
    if (this == &other) return;
    if (other.count_ > 0) std::copy(other.slots_.get(), other.slots_.get() + other.count_, storage());
    count_ = other.count_;
}

int FindPlay(const PlayList& list, const Play& play) {
    const Play* p = list.data();
    const int n = list.count();
    for (int i = 0; i < n; ++i) {
        if (p[i].sameNumbersAndWheels(play)) return i + 1;
    }
    return 0;
}

AddPlayResult AddOrReplacePlay(PlayList& list, const Play& play) {
    if (int i = FindPlay(list, play); i > 0) {
        list.play(i) = play;
        return AddPlayResult::Replaced;
    }
    if (list.full()) return AddPlayResult::ListFull;
    list.setCount(list.count() + 1);
    list.play(list.count()) = play;
    return AddPlayResult::Appended;
}

void TakeUndoSnapshot(const PlayList& list, PlayList& undo) {
    if (list.count() > 0) undo.copyFrom(list);
}

bool RestoreUndoSnapshot(PlayList& list, const PlayList& undo) {
    if (undo.count() == 0) return false;
    list.copyFrom(undo);
    return true;
}

int DeletePlays(PlayList& list, std::span<const int> rows) {
    const int n = list.count();
    std::vector<char> gone(static_cast<std::size_t>(n) + 1, 0);
    int removed = 0;
    for (int r : rows) {
        if (r >= 1 && r <= n && gone[static_cast<std::size_t>(r)] == 0) {
            gone[static_cast<std::size_t>(r)] = 1;
            ++removed;
        }
    }
    if (removed == 0) return 0;
    int to = 1;
    for (int from = 1; from <= n; ++from) {
        if (gone[static_cast<std::size_t>(from)] != 0) continue;
        if (to != from) list.play(to) = list.play(from);
        ++to;
    }
    list.setCount(n - removed);
    return removed;
}

} // namespace numora
