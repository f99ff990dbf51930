#include "core/PlaySystem.h"

namespace numora {

void TakeUndoSnapshot(PlaySystem& system) {
    TakeUndoSnapshot(system.list, system.undo);
}

bool ChangePlays(PlaySystem& system, const std::function<bool(PlayList&)>& change, PlayChangeRules rules) {
    if (rules.snapshot && !system.list.empty()) TakeUndoSnapshot(system);
    const bool changed = change(system.list);
    if (changed) system.modified = true;
    if (changed && system.playsChanged) system.playsChanged();
    return changed;
}

bool ChangeForecast(PlaySystem& system, const std::function<bool(Forecast&)>& change, ForecastChangeRules rules) {
    const bool changed = change(system.forecast);
    if (changed) system.modified = true;
    if (changed && rules.notify && system.forecastChanged) system.forecastChanged();
    return changed;
}

bool DeleteAllPlays(PlaySystem& system) {
    return ChangePlays(system, [](PlayList& list) {
        if (list.count() <= 0) return false;
        list.clear();
        return true;
    });
}

bool RestoreUndo(PlaySystem& system) {
    // The undo is the one change that takes no snapshot: the same undo can be repeated.
    return ChangePlays(system, [&](PlayList& list) { return RestoreUndoSnapshot(list, system.undo); },
                       {.snapshot = false});
}

int DeleteSelectedPlays(PlaySystem& system, std::span<const int> rows) {
    const int n = system.list.count();
    bool any = false;
    for (int r : rows) any = any || (r >= 1 && r <= n);
    if (!any) return 0;
    int removed = 0;
    ChangePlays(system, [&](PlayList& list) {
        removed = DeletePlays(list, rows);
        return removed > 0;
    });
    return removed;
}

double TotalCost(const PlayList& list) {
    double total = 0;
    for (int i = 1; i <= list.count(); ++i) total += list.play(i).cost();
    return total;
}

} // namespace numora
