#pragma once

#include "core/DrawArchive.h"
#include "core/Types.h"

#include <array>
#include <string>

namespace numora {

// What the draw-entry window holds before "Applica": the date field and, for each wheel
// 1..11, its five cells in drawing order.
struct DrawEntryText {
    std::string date;
    std::array<std::array<std::string, NumbersPerWheel>, WheelCount> cells{};

    std::string& cell(int wheel, int pos) {
        return cells[static_cast<std::size_t>(wheel - 1)][static_cast<std::size_t>(pos)];
    }
    const std::string& cell(int wheel, int pos) const {
        return cells[static_cast<std::size_t>(wheel - 1)][static_cast<std::size_t>(pos)];
    }
};

enum class DrawEntryFault { None, Date, Value, Repeated };

// The record built from the texts, or the first check that failed with the message to show
// (caption "Attenzione", error icon) and the field to put the cursor on.
struct DrawEntryResult {
    bool ok = false;
    DrawRecord record;
    DrawEntryFault fault = DrawEntryFault::None;
    int wheel = 0;    // the wheel of a Value or Repeated fault
    int position = 0; // 0..4: the refused cell, or the later of two equal numbers
    std::string message;
};

std::string InvalidWheelMessage(int wheel);
std::string RepeatedNumbersMessage(int wheel);

// Checks in this order: the date as ParseDate reads it, every cell of wheel 1..11 a whole
// number 1..90 (wheel by wheel, position by position), then no wheel with two equal numbers.
// The calendar check is left to InsertDraw, which refuses 31/02 with its own message.
DrawEntryResult BuildDrawRecord(const DrawEntryText& text);

// The texts that show an archived draw in the entry window (date without leading zeros).
DrawEntryText EntryTextOf(const DrawRecord& draw);

} // namespace numora
