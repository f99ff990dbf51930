#include "core/Play.h"
#include "core/PlayIndex.h"
#include "core/PlayList.h"
#include "core/PlaySystem.h"
#include "core/TextHelpers.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <bit>
#include <memory>
#include <new>
#include <random>
#include <vector>

using namespace numora;
using numora::test::MakePlay;

namespace {

// Play i of a test list: numbers i, i+1, i+2 (mod 90) on the wheel i mod 11.
Play NthPlay(int i) {
    return MakePlay({1 + i % 90, 1 + (i + 1) % 90, 1 + (i + 2) % 90}, {static_cast<double>(i), 0, 0, 0, 0},
                    static_cast<std::uint16_t>(1u << (i % 11)));
}

std::unique_ptr<PlayList> ListOf(int n) {
    auto list = std::make_unique<PlayList>();
    for (int i = 1; i <= n; ++i) list->play(i) = NthPlay(i);
    list->setCount(n);
    return list;
}

Play RandomPlay(std::mt19937& rng, int wheelsRange) {
    Play p;
    std::uniform_int_distribution<int> size(1, 10), number(1, 12), wheel(0, wheelsRange - 1);
    int k = size(rng);
    for (int j = 0; j < k; ++j) p.numbers[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(number(rng));
    p.wheels = static_cast<std::uint16_t>(1u << wheel(rng));
    p.stakes[0] = 1;
    return p;
}

} // namespace

TEST(Play, FieldsSitAtTheFileOffsets) {
    Play p = MakePlay({1, 2, 90, 45, 7, 8, 9, 10, 11, 12}, {1.5, 2.25, 0, 0, 1e6}, 0x0A05);
    std::uint8_t b[64];
    std::fill(std::begin(b), std::end(b), 0xEE);
    p.toBytes(b);
    const std::uint8_t numbers[10] = {1, 2, 90, 45, 7, 8, 9, 10, 11, 12};
    for (int k = 0; k < 10; ++k) EXPECT_EQ(b[k], numbers[k]) << k;
    for (int k = 10; k < 16; ++k) EXPECT_EQ(b[k], 0) << k;
    const double stakes[5] = {1.5, 2.25, 0, 0, 1e6};
    for (int s = 0; s < 5; ++s) {
        std::uint64_t bits = std::bit_cast<std::uint64_t>(stakes[s]);
        for (int k = 0; k < 8; ++k) EXPECT_EQ(b[16 + 8 * s + k], static_cast<std::uint8_t>(bits >> (8 * k))) << s << k;
    }
    EXPECT_EQ(b[56], 0x05);
    EXPECT_EQ(b[57], 0x0A);
    for (int k = 58; k < 64; ++k) EXPECT_EQ(b[k], 0) << k;
    EXPECT_EQ(Play::fromBytes(b), p);
}

TEST(Play, FromBytesIgnoresTheReservedBytes) {
    std::uint8_t b[64];
    std::fill(std::begin(b), std::end(b), 0x11);
    Play p = Play::fromBytes(b);
    for (auto r : p.reserved0) EXPECT_EQ(r, 0);
    for (auto r : p.reserved1) EXPECT_EQ(r, 0);
    EXPECT_EQ(p.wheels, 0x1111);
    EXPECT_EQ(p.numberCount(), 10);
}

TEST(Play, NumberCountCountsUsedSlots) {
    EXPECT_EQ(Play{}.numberCount(), 0);
    EXPECT_EQ(MakePlay({5}, {1, 0, 0, 0, 0}, 1).numberCount(), 1);
    EXPECT_EQ(MakePlay({5, 6, 7, 8, 9, 10}, {1, 0, 0, 0, 0}, 1).numberCount(), 6);
}

TEST(Play, CostIsTheStakeSumTimesTheWheelBits) {
    struct Case {
        std::uint16_t mask;
        double expected;
    };
    // stakes sum to 1.5
    const Case cases[] = {
        {0, 1.5},                                                       // no bit counts as one
        {WheelBit(1), 1.5},                                             // Bari
        {static_cast<std::uint16_t>(WheelBit(1) | WheelBit(8)), 3.0},   // Bari and Roma
        {WheelBit(12), 1.5},                                            // "Tutte" counts as one bit
        {static_cast<std::uint16_t>(WheelBit(11) | WheelBit(12)), 3.0}, // Tutte + R. Nazionale
        {0x07FF, 16.5},                                                 // all eleven wheels
    };
    for (const auto& c : cases) {
        Play p = MakePlay({1, 2}, {1.0, 0.5, 0, 0, 0}, c.mask);
        EXPECT_DOUBLE_EQ(p.cost(), c.expected) << c.mask;
    }
}

TEST(PlayList, StartsEmptyWithRoomForOneHundredThousand) {
    auto list = std::make_unique<PlayList>();
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(PlayList::Capacity, 100000);
    list->play(PlayList::Capacity) = NthPlay(1); // the last slot exists
    list->setCount(PlayList::Capacity + 5);
    EXPECT_EQ(list->count(), PlayList::Capacity);
    list->setCount(-3);
    EXPECT_EQ(list->count(), 0);
}

TEST(PlayList, FindPlayIgnoresStakesOnly) {
    auto list = ListOf(10);
    EXPECT_EQ(FindPlay(*list, NthPlay(4)), 4);
    Play other = NthPlay(4);
    other.stakes = {9, 9, 9, 0, 0};
    EXPECT_EQ(FindPlay(*list, other), 4);
    EXPECT_EQ(FindPlay(*list, MakePlay({80, 81, 82}, {1, 0, 0, 0, 0}, 1)), 0);
    // The first of two identical plays.
    list->play(9) = NthPlay(4);
    EXPECT_EQ(FindPlay(*list, NthPlay(4)), 4);
    // Slots beyond the count are not searched.
    list->play(11) = MakePlay({80, 81, 82}, {1, 0, 0, 0, 0}, 1);
    EXPECT_EQ(FindPlay(*list, MakePlay({80, 81, 82}, {1, 0, 0, 0, 0}, 1)), 0);
}

TEST(PlayList, AddOrReplaceOverwritesPlaySevenInPlace) {
    auto list = ListOf(10);
    Play seven = list->play(7);
    Play replacement = seven;
    replacement.stakes = {0.5, 2, 3, 0, 0};
    EXPECT_EQ(AddOrReplacePlay(*list, replacement), AddPlayResult::Replaced);
    EXPECT_EQ(list->count(), 10);
    EXPECT_EQ(list->play(7), replacement);
    EXPECT_EQ(list->play(6), NthPlay(6));
    EXPECT_EQ(list->play(8), NthPlay(8));
}

TEST(PlayList, OtherOrderOrOtherWheelsAreOtherPlays) {
    auto list = std::make_unique<PlayList>();
    const Play base = MakePlay({3, 14, 27}, {1, 0, 0, 0, 0}, WheelBit(8));
    struct Case {
        const char* what;
        Play play;
    };
    const Case cases[] = {
        {"same numbers in another order", MakePlay({14, 3, 27}, {1, 0, 0, 0, 0}, WheelBit(8))},
        {"another wheel", MakePlay({3, 14, 27}, {1, 0, 0, 0, 0}, WheelBit(1))},
        {"one more wheel",
         MakePlay({3, 14, 27}, {1, 0, 0, 0, 0}, static_cast<std::uint16_t>(WheelBit(8) | WheelBit(1)))},
        {"Tutte instead", MakePlay({3, 14, 27}, {1, 0, 0, 0, 0}, WheelBit(12))},
        {"a number more", MakePlay({3, 14, 27, 40}, {1, 0, 0, 0, 0}, WheelBit(8))},
    };
    ASSERT_EQ(AddOrReplacePlay(*list, base), AddPlayResult::Appended);
    int expected = 1;
    for (const auto& c : cases) {
        EXPECT_EQ(FindPlay(*list, c.play), 0) << c.what;
        EXPECT_EQ(AddOrReplacePlay(*list, c.play), AddPlayResult::Appended) << c.what;
        EXPECT_EQ(list->count(), ++expected) << c.what;
        EXPECT_EQ(list->play(expected), c.play) << c.what;
    }
    EXPECT_EQ(AddOrReplacePlay(*list, base), AddPlayResult::Replaced);
    EXPECT_EQ(list->count(), expected);
}

TEST(PlayList, AddingToAFullListIsRefusedButReplacingWorks) {
    auto list = std::make_unique<PlayList>();
    for (int i = 1; i <= PlayList::Capacity; ++i)
        list->play(i) = MakePlay({1 + i % 90}, {1, 0, 0, 0, 0}, static_cast<std::uint16_t>(i));
    list->setCount(PlayList::Capacity);
    ASSERT_TRUE(list->full());
    Play fresh = MakePlay({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {1, 0, 0, 0, 0}, 0xFFFF);
    EXPECT_EQ(AddOrReplacePlay(*list, fresh), AddPlayResult::ListFull);
    EXPECT_EQ(list->count(), PlayList::Capacity);
    Play again = list->play(500);
    again.stakes[0] = 7;
    EXPECT_EQ(AddOrReplacePlay(*list, again), AddPlayResult::Replaced);
    EXPECT_EQ(list->play(500).stakes[0], 7);
    EXPECT_STREQ(PlayListFullMessage,
                 "E' stato raggiunto il numero massimo di giocate: 100000.\rImpossibile inserire altre giocate.");
}

TEST(PlayList, UndoSnapshotIsTakenOnlyFromANonEmptyList) {
    auto list = ListOf(3);
    auto undo = std::make_unique<PlayList>();
    TakeUndoSnapshot(*list, *undo);
    EXPECT_EQ(undo->count(), 3);
    EXPECT_EQ(undo->play(2), NthPlay(2));
    list->clear();
    TakeUndoSnapshot(*list, *undo);
    EXPECT_EQ(undo->count(), 3) << "an empty list leaves the snapshot";
}

TEST(PlaySystem, UndoAfterDeleteAllRestoresTwice) {
    auto sys = std::make_unique<PlaySystem>();
    for (int i = 1; i <= 5; ++i) AddOrReplacePlay(sys->list, NthPlay(i));
    sys->modified = false;
    ASSERT_TRUE(DeleteAllPlays(*sys));
    EXPECT_EQ(sys->list.count(), 0);
    EXPECT_TRUE(sys->modified) << "deleting every play must be saved or asked about";
    sys->modified = false;
    EXPECT_FALSE(DeleteAllPlays(*sys)) << "nothing to delete";

    ASSERT_TRUE(RestoreUndo(*sys));
    EXPECT_TRUE(sys->modified) << "the undo replaced the list";
    ASSERT_EQ(sys->list.count(), 5);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(sys->list.play(i), NthPlay(i));

    // Change the list without a snapshot, then undo again: the same five plays come back.
    sys->list.play(2) = MakePlay({60}, {1, 0, 0, 0, 0}, 1);
    AddOrReplacePlay(sys->list, MakePlay({61}, {1, 0, 0, 0, 0}, 1));
    ASSERT_TRUE(RestoreUndo(*sys));
    ASSERT_EQ(sys->list.count(), 5);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(sys->list.play(i), NthPlay(i));
    EXPECT_TRUE(sys->modified);
}

TEST(PlaySystem, NothingToRestoreAtStart) {
    auto sys = std::make_unique<PlaySystem>();
    AddOrReplacePlay(sys->list, NthPlay(1));
    EXPECT_FALSE(RestoreUndo(*sys));
    EXPECT_EQ(sys->list.count(), 1);
}

TEST(PlaySystem, StartsWithFiftyPercentEverywhere) {
    auto sys = std::make_unique<PlaySystem>();
    for (double p : sys->customProbabilities) EXPECT_EQ(p, 50.0);
    EXPECT_FALSE(sys->modified);
    EXPECT_EQ(sys->forecast.fixedCount, 0);
}

TEST(PlayList, DeletePlaysKeepsTheOthersInOrder) {
    struct Case {
        const char* what;
        std::vector<int> rows;
        std::vector<int> left; // NthPlay indices that remain
    };
    const Case cases[] = {
        {"first", {1}, {2, 3, 4, 5, 6}},
        {"last", {6}, {1, 2, 3, 4, 5}},
        {"scattered, unsorted", {5, 2, 3}, {1, 4, 6}},
        {"repeats and out of range ignored", {2, 2, 0, -1, 7, 100}, {1, 3, 4, 5, 6}},
        {"all", {1, 2, 3, 4, 5, 6}, {}},
        {"none", {}, {1, 2, 3, 4, 5, 6}},
    };
    for (const auto& c : cases) {
        auto list = ListOf(6);
        int removed = DeletePlays(*list, c.rows);
        EXPECT_EQ(removed, 6 - static_cast<int>(c.left.size())) << c.what;
        ASSERT_EQ(list->count(), static_cast<int>(c.left.size())) << c.what;
        for (std::size_t k = 0; k < c.left.size(); ++k)
            EXPECT_EQ(list->play(static_cast<int>(k) + 1), NthPlay(c.left[k])) << c.what << " row " << k + 1;
    }
}

TEST(PlaySystem, DeleteSelectedTakesTheSnapshotFirst) {
    auto sys = std::make_unique<PlaySystem>();
    for (int i = 1; i <= 4; ++i) AddOrReplacePlay(sys->list, NthPlay(i));
    const int rows[] = {2, 4};
    EXPECT_EQ(DeleteSelectedPlays(*sys, rows), 2);
    EXPECT_TRUE(sys->modified);
    EXPECT_EQ(sys->list.count(), 2);
    EXPECT_EQ(sys->list.play(2), NthPlay(3));
    EXPECT_EQ(sys->undo.count(), 4);
    ASSERT_TRUE(RestoreUndo(*sys));
    EXPECT_EQ(sys->list.play(2), NthPlay(2));

    sys->modified = false;
    const int none[] = {9};
    EXPECT_EQ(DeleteSelectedPlays(*sys, none), 0);
    EXPECT_FALSE(sys->modified);
}

// The one protocol every change of the plays and of the forecast goes through.
TEST(PlaySystem, ChangesFollowTheProtocol) {
    struct Case {
        const char* what;
        int plays;     // in the list before
        bool snapshot; // the rule
        bool changes;  // what the change answers
        int undoAfter; // -1: the snapshot is untouched
    };
    const Case cases[] = {
        {"a change of a list with plays", 3, true, true, 3},
        {"a change of an empty list takes no snapshot", 0, true, true, -1},
        {"a refused change still took its snapshot", 3, true, false, 3},
        {"a change whose snapshot was taken before", 3, false, true, -1},
    };
    for (const Case& c : cases) {
        auto sys = std::make_unique<PlaySystem>();
        AddOrReplacePlay(sys->undo, NthPlay(40)); // an older snapshot
        for (int i = 1; i <= c.plays; ++i) AddOrReplacePlay(sys->list, NthPlay(i));
        int told = 0;
        sys->playsChanged = [&] { ++told; };
        const bool answered = ChangePlays(*sys,
                                          [&](PlayList& list) {
                                              EXPECT_EQ(&list, &sys->list) << c.what;
                                              if (c.changes) AddOrReplacePlay(list, NthPlay(50));
                                              return c.changes;
                                          },
                                          {.snapshot = c.snapshot});
        EXPECT_EQ(answered, c.changes) << c.what;
        EXPECT_EQ(sys->modified, c.changes) << c.what;
        EXPECT_EQ(told, c.changes ? 1 : 0) << c.what;
        if (c.undoAfter < 0)
            EXPECT_EQ(sys->undo.play(1), NthPlay(40)) << c.what;
        else
            EXPECT_EQ(sys->undo.count(), c.undoAfter) << c.what;
    }

    // A change that throws leaves the flag and tells nobody.
    auto sys = std::make_unique<PlaySystem>();
    int told = 0;
    sys->playsChanged = [&] { ++told; };
    EXPECT_THROW(ChangePlays(*sys, [](PlayList&) -> bool { throw std::bad_alloc(); }), std::bad_alloc);
    EXPECT_FALSE(sys->modified);
    EXPECT_EQ(told, 0);

    // The forecast: the flag and the hook only for a change, and no hook for the window's own.
    for (const bool notify : {true, false}) {
        sys->modified = false;
        told = 0;
        sys->forecastChanged = [&] { ++told; };
        EXPECT_FALSE(ChangeForecast(*sys, [](Forecast&) { return false; }, {.notify = notify}));
        EXPECT_FALSE(sys->modified);
        EXPECT_TRUE(ChangeForecast(*sys,
                                   [](Forecast& f) {
                                       f.setChosen(7, true);
                                       return true;
                                   },
                                   {.notify = notify}));
        EXPECT_TRUE(sys->modified && sys->forecast.isChosen(7));
        EXPECT_EQ(told, notify ? 1 : 0);
    }
}

TEST(PlaySystem, TotalCostSumsThePlays) {
    auto list = std::make_unique<PlayList>();
    AddOrReplacePlay(*list, MakePlay({1, 2}, {1, 0.5, 0, 0, 0}, static_cast<std::uint16_t>(WheelBit(1) | WheelBit(2))));
    AddOrReplacePlay(*list, MakePlay({3}, {2, 0, 0, 0, 0}, WheelBit(12)));
    EXPECT_DOUBLE_EQ(TotalCost(*list), 3.0 + 2.0);
}

TEST(PlayIndex, AgreesWithFindPlayOnRandomLists) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 5; ++round) {
        auto list = std::make_unique<PlayList>();
        // Few numbers and wheels, so that many candidates repeat.
        for (int i = 0; i < 3000; ++i) {
            Play p = RandomPlay(rng, 3);
            list->play(list->count() + 1) = p; // duplicates allowed: the first index must win
            list->setCount(list->count() + 1);
        }
        PlayIndex index(*list);
        for (int q = 0; q < 3000; ++q) {
            Play candidate = RandomPlay(rng, 4);
            candidate.stakes[1] = q; // stakes never matter
            EXPECT_EQ(index.find(candidate), FindPlay(*list, candidate));
        }
    }
}

TEST(PlayIndex, BuildsOverARangeAndTakesInserts) {
    auto list = ListOf(20);
    PlayIndex index(*list, 5, 10);
    EXPECT_EQ(index.size(), 6);
    EXPECT_FALSE(index.contains(NthPlay(4)));
    EXPECT_EQ(index.find(NthPlay(5)), 5);
    EXPECT_EQ(index.find(NthPlay(10)), 10);
    EXPECT_FALSE(index.contains(NthPlay(11)));

    // Plays added during a run.
    Play fresh = MakePlay({70, 71}, {1, 0, 0, 0, 0}, 3);
    EXPECT_TRUE(index.insert(fresh, 21));
    EXPECT_FALSE(index.insert(fresh, 22)) << "already there";
    EXPECT_EQ(index.find(fresh), 21);
    // Grows past its first table.
    for (int i = 0; i < 5000; ++i) index.insert(MakePlay({1 + i % 90, 1 + (i / 90) % 90}, {1, 0, 0, 0, 0}, 1), 100 + i);
    EXPECT_EQ(index.find(fresh), 21);
    EXPECT_EQ(index.find(MakePlay({1 + 4321 % 90, 1 + (4321 / 90) % 90}, {1, 0, 0, 0, 0}, 1)), 100 + 4321);

    PlayIndex empty(*list, 15, 3);
    EXPECT_EQ(empty.size(), 0);
    EXPECT_FALSE(empty.contains(NthPlay(4)));
    EXPECT_FALSE(PlayIndex().contains(NthPlay(4)));
}

TEST(PlayIndex, DistinguishesEveryKeyByte) {
    Play base = MakePlay({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {1, 0, 0, 0, 0}, 0x0123);
    PlayIndex index;
    ASSERT_TRUE(index.insert(base, 1));
    for (int k = 0; k < 10; ++k) {
        Play p = base;
        p.numbers[static_cast<std::size_t>(k)] = 90;
        EXPECT_FALSE(index.contains(p)) << "number byte " << k;
    }
    for (int bit = 0; bit < 16; ++bit) {
        Play p = base;
        p.wheels = static_cast<std::uint16_t>(p.wheels ^ (1u << bit));
        EXPECT_FALSE(index.contains(p)) << "mask bit " << bit;
    }
    Play stakes = base;
    stakes.stakes = {5, 5, 5, 5, 5};
    EXPECT_TRUE(index.contains(stakes));
}
