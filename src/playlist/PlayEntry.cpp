#include "playlist/PlayEntry.h"

#include "core/TextHelpers.h"

#include <algorithm>
#include <vector>

namespace numora {

StakeSet PlayEntryStakes(const std::array<std::string, 5>& stakes, const Settings& settings) {
    // Every stake field of these dialogs is always enabled, whatever the play's size.
    return StakeRule(stakes, {true, true, true, true, true}, settings);
}

BuiltPlay BuildPlay(const PlayEntryTexts& texts, const Settings& settings) {
    BuiltPlay b;
    b.stakes = PlayEntryStakes(texts.stakes, settings);
    if (!b.stakes.valid) {
        b.error = PlayEntryError::Stakes;
        return b;
    }
    const NumberListParse parsed = ParseNumberList(texts.numbers);
    if (!parsed.ok || parsed.numbers.size() > static_cast<std::size_t>(Play::MaxNumbers)) {
        b.error = PlayEntryError::Numbers;
        return b;
    }
    b.play.setNumbersFrom(parsed.numbers);
    const int kinds = std::min(static_cast<int>(parsed.numbers.size()), 5);
    for (int j = 1; j <= 5; ++j) {
        const double stake = b.stakes.stakes[static_cast<std::size_t>(j - 1)];
        if (j <= kinds)
            b.play.setStake(j, stake);
        else if (stake > 0)
            b.ignoredKinds |= static_cast<std::uint8_t>(1u << (j - 1));
    }
    b.play.wheels = texts.wheels;
    return b;
}

PlayEntryTexts PlayEntryTextsOf(const Play& play, const Settings& settings) {
    PlayEntryTexts t;
    for (std::uint8_t n : play.numbers) {
        if (n == 0) continue;
        if (!t.numbers.empty()) t.numbers += ' ';
        t.numbers += std::to_string(n);
    }
    for (int j = 1; j <= 5; ++j)
        if (play.stake(j) > 0) t.stakes[static_cast<std::size_t>(j - 1)] = FormatAmount(play.stake(j), settings);
    t.wheels = play.wheels;
    return t;
}

// Both dialogs take the undo snapshot when they open, so each play they change goes through the
// protocol without one of its own.
EnterPlayResult EnterPlay(PlaySystem& system, const Play& play) {
    EnterPlayResult result = EnterPlayResult::Appended;
    ChangePlays(system,
                [&](PlayList& list) {
                    // A full list refuses every play, so the user learns at once why nothing can be added.
                    if (list.full())
                        result = EnterPlayResult::ListFull;
                    else if (FindPlay(list, play) != 0)
                        result = EnterPlayResult::Duplicate;
                    if (result != EnterPlayResult::Appended) return false;
                    list.setCount(list.count() + 1);
                    list.play(list.count()) = play;
                    return true;
                },
                {.snapshot = false});
    return result;
}

bool ApplyEditedPlay(PlaySystem& system, int position, const Play& play) {
    return ChangePlays(system,
                       [&](PlayList& list) {
                           if (position < 1 || position > list.count()) return false;
                           // Every other play counts, those being edited too: accepting one of
                           // them would leave two identical plays once the editing ends.
                           for (int i = 1; i <= list.count(); ++i)
                               if (i != position && list.play(i).sameNumbersAndWheels(play)) return false;
                           list.play(position) = play;
                           return true;
                       },
                       {.snapshot = false});
}

std::string IgnoredStakesMessage(const BuiltPlay& built) {
    static constexpr const char* Kinds[5] = {"estratto", "ambo", "terno", "quaterna", "cinquina"};
    std::vector<std::string> ignored;
    for (int j = 1; j <= 5; ++j)
        if (built.ignoredKinds & (1u << (j - 1))) ignored.emplace_back(Kinds[j - 1]);
    if (ignored.empty()) return {};
    std::string names;
    for (std::size_t i = 0; i < ignored.size(); ++i) {
        if (i > 0) names += i + 1 == ignored.size() ? " e " : ", ";
        names += ignored[i];
    }
    const int k = built.play.numberCount();
    return "La giocata ha " + std::to_string(k) + (k == 1 ? " numero" : " numeri") + ": " +
           (ignored.size() == 1 ? "l'importo di " : "gli importi di ") + names +
           (ignored.size() == 1 ? " non è stato considerato." : " non sono stati considerati.");
}

} // namespace numora
