#include "core/PlaySystem.h"

namespace numora {

void TakeUndoSnapshot(PlaySystem& system) { TakeUndoSnapshot(system.list, system.undo); }

bool DeleteAllPlays(PlaySystem& system) {
    if (system.list.count() <= 0) return false;
    TakeUndoSnapshot(system);
    system.list.clear();
    system.modified = true;
    return true;
}

bool RestoreUndo(PlaySystem& system) {
    if (!RestoreUndoSnapshot(system.list, system.undo)) return false;
    system.modified = true;
    return true;
}

int DeleteSelectedPlays(PlaySystem& system, std::span<const int> rows) {
    const int n = system.list.count();
    bool any = false;
    for (int r : rows) any = any || (r >= 1 && r <= n);
    if (!any) return 0;
    TakeUndoSnapshot(system);
    int removed = DeletePlays(system.list, rows);
    if (removed > 0) system.modified = true;
    return removed;
}

double TotalCost(const PlayList& list) {
    double total = 0;
    for (int i = 1; i <= list.count(); ++i) total += list.play(i).cost();
    return total;
}

} // namespace numora
