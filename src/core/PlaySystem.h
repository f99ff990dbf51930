#pragma once

#include "core/Forecast.h"
#include "core/PlayList.h"

#include <array>
#include <functional>
#include <span>
#include <string>

namespace numora {

// What a system file holds, plus the undo snapshot, the modified flag and the current path:
// one process-wide instance (Globali) for the whole run.
struct PlaySystem {
    PlayList list;
    PlayList undo;
    bool modified = false;
    std::array<double, 90> customProbabilities = DefaultCustomProbabilities();
    std::string currentPath;
    Forecast forecast;
    // Told after every change made through ChangePlays / ChangeForecast; the desktop program
    // refreshes its views here, the command line leaves them empty.
    std::function<void()> playsChanged;
    std::function<void()> forecastChanged;

    static constexpr std::array<double, 90> DefaultCustomProbabilities() {
        std::array<double, 90> a{};
        a.fill(50.0);
        return a;
    }
    double customProbability(int n) const { return customProbabilities[static_cast<std::size_t>(n - 1)]; }
    double& customProbability(int n) { return customProbabilities[static_cast<std::size_t>(n - 1)]; }
};

void TakeUndoSnapshot(PlaySystem& system);

// What a change of the plays does besides the change itself.
struct PlayChangeRules {
    // The undo snapshot of the list as it was, taken before the change when the list is not
    // empty. Off where the snapshot was taken earlier (before a dialog the change comes from).
    bool snapshot = true;
};

// The one way the play list changes: the snapshot, the change (which answers whether it changed
// the list: a completed generator run counts as a change even when it added no play), the
// modified flag, and then playsChanged. Every change sets the flag, the keyboard entry, the
// manual editing, "Elimina tutte le giocate" and the undo included: plays that exist nowhere
// else must not be lost by closing without the question. An exception from the change leaves
// the flag as it was and tells nobody. Returns what the change answered.
bool ChangePlays(PlaySystem& system, const std::function<bool(PlayList& list)>& change, PlayChangeRules rules = {});

// The same for the forecast (the chosen and the fixed numbers): the change, the modified flag
// when it changed something, then forecastChanged unless the forecast window made the change
// and shows it already (notify off).
struct ForecastChangeRules {
    bool notify = true;
};
bool ChangeForecast(PlaySystem& system, const std::function<bool(Forecast& forecast)>& change,
                    ForecastChangeRules rules = {});

// "Elimina tutte le giocate" after its question: the snapshot, then N = 0, and the system is
// marked modified so that closing asks before the plays are lost. False (nothing done) when
// the list is empty: show NoPlaysToDeleteMessage.
bool DeleteAllPlays(PlaySystem& system);

// "Annulla l'ultima operazione sulle giocate" after its question (UndoQuestion): the snapshot
// replaces the list and the system is marked modified. False (nothing done) when the snapshot
// is empty: show NoPlaysToRestoreMessage.
bool RestoreUndo(PlaySystem& system);

// "Elimina le giocate selezionate": the snapshot, then the rows are removed (see DeletePlays);
// the modified flag is set when a play was removed, as for any other change the user may want
// to save. Returns how many plays were removed (0: nothing changed, no snapshot taken).
int DeleteSelectedPlays(PlaySystem& system, std::span<const int> rows);

// Total cost of plays 1..N (the play list view and the plain-paper print).
double TotalCost(const PlayList& list);

} // namespace numora
