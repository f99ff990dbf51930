#pragma once

#include "core/Play.h"
#include "core/PlayList.h"
#include "core/PlaySystem.h"
#include "core/StakeRule.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace numora {

struct Settings;

inline constexpr const char* InvalidPlayNumbersMessage = "Alcuni numeri che compongono la giocata non sono validi!";
inline constexpr const char* DuplicatePlayMessage = "La giocata è già presente nell'elenco delle giocate.!";
inline constexpr const char* NoPlaysToEditMessage = "Non ci sono giocate da modificare!";

// What the keyboard entry and the edit dialog typed: the numbers field, the five stake fields
// (as ParseAmount reads them) and the mask of the wheel boxes.
struct PlayEntryTexts {
    std::string numbers;
    std::array<std::string, 5> stakes;
    std::uint16_t wheels = 0;
};

enum class PlayEntryError {
    None,
    Stakes,  // show StakeRuleMessage
    Numbers, // show InvalidPlayNumbersMessage
};

struct BuiltPlay {
    PlayEntryError error = PlayEntryError::None;
    Play play;
    StakeSet stakes;               // what the stake rule made of the five fields
    std::uint8_t ignoredKinds = 0; // bit j-1: a stake of kind j was typed for a play too small for it
};

// The stake rule on the five fields (all of them count), then the numbers: at most ten distinct
// numbers 1..90, stored ascending. A play of k numbers keeps stakes 1..min(k, 5); a stake for a
// bet the play is too small for is dropped although it counted in the rule's total.
BuiltPlay BuildPlay(const PlayEntryTexts& texts, const Settings& settings);

// The stake rule on the five stake fields of a play dialog, for its live total.
StakeSet PlayEntryStakes(const std::array<std::string, 5>& stakes, const Settings& settings);

// The fields a play dialog shows for a play: the numbers separated by single blanks, each stake
// as FormatAmount when above 0 and empty otherwise, the mask as it is.
PlayEntryTexts PlayEntryTextsOf(const Play& play, const Settings& settings);

enum class EnterPlayResult {
    Appended,  // the play is now play count()
    Duplicate, // an identical play (numbers and wheels) is already there: show DuplicatePlayMessage
    ListFull,  // the list holds its 100000 plays: show PlayListFullMessage
};
// Keyboard entry: never replaces, whatever the stakes of the identical play. A full list refuses
// before looking for the play. An appended play marks the system modified.
EnterPlayResult EnterPlay(PlaySystem& system, const Play& play);

// The edit dialog: the play at `position` is overwritten unless another play of the list is
// identical (numbers and wheels), and the system is marked modified. False (nothing changed) when
// refused.
bool ApplyEditedPlay(PlaySystem& system, int position, const Play& play);

// Names the stakes BuildPlay dropped ("La giocata ha 2 numeri: l'importo di terno non è stato
// considerato."); empty when none was.
std::string IgnoredStakesMessage(const BuiltPlay& built);

} // namespace numora
