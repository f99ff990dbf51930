#pragma once

#include "core/Play.h"

#include <memory>
#include <span>
#include <string>

namespace numora {

// Plays 1..count() of the current system. The 100000 slots are allocated when a play is first
// written, and their memory is taken from the system already zeroed, so a list nothing writes to
// (a command that only reads the archive, the undo snapshot of a run without plays) costs nothing
// and a list of a few plays costs a few pages. Slots beyond count() hold no meaning, and
// generators write their new plays there before raising the count.
class PlayList {
public:
    static constexpr int Capacity = 100000;

    PlayList() = default;
    // Copies the count and plays 1..count() (the slots beyond hold no meaning).
    PlayList(const PlayList& other);
    PlayList& operator=(const PlayList& other);

    int count() const { return count_; }
    bool empty() const { return count_ == 0; }
    bool full() const { return count_ >= Capacity; }
    // Slot i, 1..Capacity (not bounded by count()); a list never written reads as zeroed slots.
    const Play& play(int i) const { return slots_ ? slots_[static_cast<std::size_t>(i - 1)] : ZeroPlay; }
    Play& play(int i) { return storage()[static_cast<std::size_t>(i - 1)]; }
    // Null for a list never written (which holds no plays).
    const Play* data() const { return slots_.get(); }
    Play* data() { return storage(); }
    // n is clamped to 0..Capacity.
    void setCount(int n) {
        if (n > 0) storage();
        count_ = n < 0 ? 0 : (n > Capacity ? Capacity : n);
    }
    void clear() { count_ = 0; }
    // Zeroes every slot and sets the count to 0 (NewSystem).
    void zeroAll();
    void copyFrom(const PlayList& other);

private:
    struct Release {
        void operator()(Play* p) const;
    };
    Play* storage() {
        if (!slots_) allocate();
        return slots_.get();
    }
    void allocate();

    static const Play ZeroPlay;
    std::unique_ptr<Play[], Release> slots_;
    int count_ = 0;
};

inline constexpr const char* PlayListFullMessage =
    "E' stato raggiunto il numero massimo di giocate: 100000.\rImpossibile inserire altre giocate.";

// 1-based index of the first play with the same ten number bytes and wheel mask (stakes
// ignored), 0 when none. A linear scan from play 1.
int FindPlay(const PlayList& list, const Play& play);

enum class AddPlayResult {
    Replaced, // an identical play was overwritten with all 64 bytes
    Appended, // the play became play count()
    ListFull, // no identical play and no free slot: nothing changed; show PlayListFullMessage
};
AddPlayResult AddOrReplacePlay(PlayList& list, const Play& play);

// When the list holds plays, copies its count and plays to undo; an empty list does nothing.
void TakeUndoSnapshot(const PlayList& list, PlayList& undo);
// Copies the snapshot back over the list; false (nothing changed) when the snapshot is empty.
// The snapshot itself stays, so the same undo can be repeated.
bool RestoreUndoSnapshot(PlayList& list, const PlayList& undo);

// Removes the plays at the given 1-based rows (any order; repeats and rows outside 1..count()
// are ignored); the other plays keep their order. Returns how many were removed.
int DeletePlays(PlayList& list, std::span<const int> rows);

} // namespace numora
