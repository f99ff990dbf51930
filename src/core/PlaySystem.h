#pragma once

#include "core/PlayList.h"
#include "core/Forecast.h"

#include <array>
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

    static constexpr std::array<double, 90> DefaultCustomProbabilities() {
        std::array<double, 90> a{};
        a.fill(50.0);
        return a;
    }
    double customProbability(int n) const { return customProbabilities[static_cast<std::size_t>(n - 1)]; }
    double& customProbability(int n) { return customProbabilities[static_cast<std::size_t>(n - 1)]; }
};

void TakeUndoSnapshot(PlaySystem& system);

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
